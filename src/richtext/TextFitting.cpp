#include "richtext/TextFitting.h"

#include "richtext/CTextBlock.h"
#include "richtext/CharWidthTable.h"
#include "richtext/MarkupBuilder.h"
#include "richtext/MarkupPositions.h"
#include "richtext/MarkupScanner.h"
#include "richtext/MarkupWalker.h"
#include "richtext/MeasureDC.h"
#include "core/NumericHelpers.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "shapes/CFigSymbol.h"

#include <climits>

namespace {

LOGFONT BaseFont(const TextFormatRec& format, const MarkupScanner& s)
{
    return format.font.lfHeight != 0 ? format.font : s.baseFont;
}

void ShiftIndexes(int& caret, int& selStart, int& selEnd, int from, bool inclusive, int delta)
{
    for (int* v : {&caret, &selStart, &selEnd})
        if (inclusive ? *v >= from : *v > from)
            *v += delta;
}

} // namespace

int CountFittingPositions(const std::string& text, int first, const TextFormatRec& format, CDC* dc, int width,
                          bool& overflow)
{
    overflow = false;
    MarkupScanner s;
    s.Init(&format);
    s.BeginDC(dc, BaseFont(format, s));
    s.UpdateDCFont(true);
    const ABC* abc = MarkupCharWidths();
    int index = 0, n = 0;
    int64_t sum = 0;
    ScannedToken t;
    for (int offset = 0; ScanTokenAt(text.c_str(), offset, s, t); offset += t.length) {
        const int kind = t.kind;
        const char ch = t.ch;
        if (!t.inText)
            continue;
        if (t.anyChange)
            s.UpdateDCFont(false);
        if (!Mk::IsVisible(kind))
            continue;
        if (index++ < first)
            continue;
        if (kind == Mk::Line)
            break;
        if (kind == Mk::Char) {
            const ABC& a = abc[static_cast<unsigned char>(ch)];
            const int w = a.abcA + int(a.abcB) + a.abcC;
            if (ch != ' ' && sum + w > width) {
                overflow = true;
                break;
            }
            sum += w;
        }
        ++n;
    }
    s.EndDC();
    return n;
}

int MeasureFirstLines(const std::string& text, MarkupScanner& scanner, int widthLimit)
{
    bool overflow = false;
    TextFormatRec format;
    format.Init();
    format.font = scanner.baseFont;
    CDC* dc = scanner.BoundDC() ? scanner.BoundDC() : DisplayMeasureDC();
    return CountFittingPositions(text, 0, format, dc, widthLimit, overflow);
}

bool FitTextToArea(std::string& text, const RECT& rect, const TextFormatRec& format, bool vertical, int& caret,
                   int& selStart, int& selEnd, bool& changed)
{
    changed = false;
    const std::string saved = text;
    const int savedIdx[3] = {caret, selStart, selEnd};
    const int width = vertical ? rect.bottom - rect.top : rect.right - rect.left;
    CDC* dc = DisplayMeasureDC();
    int first = 0;
    char ch;
    for (int guard = 0; guard <= 2 * kMarkupTextLimit + 2; ++guard) {
        bool overflow = false;
        int n = CountFittingPositions(text, first, format, dc, width, overflow);
        if (overflow) {
            int wrap = first + n;
            FindWrapPointBefore(text, wrap);
            if (wrap > first && wrap <= first + n)
                n = wrap - first;
        }
        if (n > 0 && TokenAtCharIndex(text, first + n - 1, ch) == Mk::SoftLine)
            --n;
        if (n == 0 && TokenAtCharIndex(text, first, ch) == Mk::Char)
            n = 1;
        for (int i = first; i < first + n;) {
            if (TokenAtCharIndex(text, i, ch) != Mk::SoftLine) {
                ++i;
                continue;
            }
            DeleteTokenAt(text, CharIndexToOffset(text, i, false));
            --n;
            changed = true;
            ShiftIndexes(caret, selStart, selEnd, i, false, -1);
        }
        const int kind = TokenAtCharIndex(text, first + n, ch);
        if (kind == Mk::End)
            break;
        if (kind == Mk::Char) {
            if (!InsertStringAt(text, first + n, "\\softline ", kMarkupTextLimit, true)) {
                // Refused rather than left half wrapped.
                text = saved;
                caret = savedIdx[0];
                selStart = savedIdx[1];
                selEnd = savedIdx[2];
                changed = false;
                return false;
            }
            ShiftIndexes(caret, selStart, selEnd, first + n, true, 1);
            changed = true;
        }
        first += n + 1;
    }
    const int count = CountMarkupChars(text);
    if (count > 0 && TokenAtCharIndex(text, count - 1, ch) == Mk::SoftLine) {
        DeleteTokenAt(text, CharIndexToOffset(text, count - 1, false));
        changed = true;
        ShiftIndexes(caret, selStart, selEnd, count - 1, true, -1);
    }
    if (TokenAtCharIndex(text, caret, ch) == Mk::SoftLine)
        ++caret;
    return true;
}

namespace {

int FigSizeForTextSize(const CFigure& fig, int section, int wanted, bool additive, bool height)
{
    if (wanted == 0)
        return 0;
    CRect textRect;
    if (!fig.GetTextAreaRect(section, textRect))
        return -1;
    const int textSize = height ? textRect.Height() : textRect.Width();
    const int figSize = height ? fig.m_rect.Height() : fig.m_rect.Width();
    int guess;
    if (textSize == 0)
        guess = figSize;
    else if (figSize == 0)
        guess = wanted;
    else if (additive)
        guess = figSize + (wanted - textSize);
    else
        guess = int(int64_t(wanted) * figSize / textSize);
    const CFigSymbol* symbol = fig.GetSymbol();
    const int oversize = fig.m_pDoc && fig.m_pDoc->IsOversizeTextRect() ? 1 : 0;
    auto trial = [&](int size) {
        if (!symbol)
            return 0;
        CRect r = fig.m_rect;
        if (height)
            r.bottom = r.top + size;
        else
            r.right = r.left + size;
        CRect box;
        if (!symbol->GetTextBoxRect(section, r, box, oversize))
            return 0;
        return height ? box.Height() : box.Width();
    };
    int value = guess;
    const int rc = IterateToTarget(value, wanted, kIterWidenNone, 0, 25600, guess, trial);
    return rc == kIterFound || rc == kIterNearest ? value : guess;
}

} // namespace

int FigWidthForTextWidth(const CFigure& fig, int section, int wantedWidth, bool additive)
{
    return FigSizeForTextSize(fig, section, wantedWidth, additive, false);
}

int FigHeightForTextHeight(const CFigure& fig, int section, int wantedHeight, bool additive)
{
    return FigSizeForTextSize(fig, section, wantedHeight, additive, true);
}
