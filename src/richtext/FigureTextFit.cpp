#include "richtext/FigureTextFit.h"

#include "richtext/MarkupBuilder.h"
#include "richtext/MarkupPositions.h"
#include "richtext/MarkupQueries.h"
#include "richtext/TextFitting.h"
#include "richtext/TextUtils.h"
#include "core/NumericHelpers.h"
#include "document/CConnector.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "shapes/CFigSymbol.h"
#include "core/UIMode.h"
#include "shapes/FigFlags.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr const char* kSect = "\\sect ";

DWORD LowFlags(const CFigure& fig)
{
    return fig.m_props.Behavior.low;
}

bool Rotated(const CFigure& fig)
{
    return fig.m_nTextRotate != 0;
}

int Margin(TextMargins m, int i)
{
    return m ? std::max(0, m[i]) : 0;
}

int SectionCount(const CFigure& fig)
{
    return std::max(1, fig.GetTextAreaCount());
}

} // namespace

std::string FigureSectionText(const CFigure& fig, int section)
{
    std::string out;
    ExtractSubStringByDelim(fig.m_strText, kSect, section, out);
    return out;
}

TextFormatRec FigureSectionFormat(const CFigure& fig, int section)
{
    TextFormatRec f;
    f.Init();
    f.font = fig.GetFont();
    if (f.font.lfHeight == 0)
        f.font.lfHeight = -8;
    f.color = fig.m_props.TextColor;
    f.align = fig.m_props.TextFormat;
    std::string prefix;
    ExtractSubStringByDelim(fig.m_strSecondText, kSect, section, prefix);
    f.SetFromMarkup(prefix);
    return f;
}

LineSpacing FigureLineSpacing(const CFigure& fig)
{
    LineSpacing s;
    if (fig.m_pDoc) {
        s.kind = fig.m_pDoc->m_nLineSpacingMode;
        s.value = fig.m_pDoc->m_fLineSpacingValue;
    }
    return s;
}

int TextFrameMargin(int firstLineHeight)
{
    return std::max(2, firstLineHeight / 6);
}

bool KeepsTextOffFrame(DWORD lowFlags, const CFigSymbol* symbol)
{
    return (lowFlags & kFigFlagLabel) || (symbol && symbol->m_nTextBoxes == 0);
}

bool LayoutSectionText(const CFigure& fig, int section, const TextFormatRec* format, CTextBlock& block)
{
    if (fig.GetType() != kObjFigure || section < 0 || section >= CFigure::kMaxTextAreas || fig.m_strText.empty())
        return false;
    const TextFormatRec f = format ? *format : FigureSectionFormat(fig, section);
    const int rotation = Rotated(fig) ? 900 : 0;
    return block.Layout(FigureSectionText(fig, section), rotation, f, nullptr, false, true, FigureLineSpacing(fig),
                        0) != 0;
}

int MeasureSectionText(const CFigure& fig, int section, int width)
{
    std::string text = FigureSectionText(fig, section);
    if (CountMarkupChars(text) == 0)
        return 0;
    const TextFormatRec f = FigureSectionFormat(fig, section);
    int caret = 0, s0 = 0, s1 = 0;
    bool changed = false;
    if (!FitTextToArea(text, CRect(0, 0, width, width), f, false, caret, s0, s1, changed))
        return -1;
    CTextBlock block;
    if (!block.Layout(text, 0, f, nullptr, false, true, FigureLineSpacing(fig), 0))
        return -1;
    return block.GetTotalHeight();
}

int FitWidthForHeight(const CFigure& fig, int section, int height)
{
    const std::string text = FigureSectionText(fig, section);
    if (CountMarkupChars(text) == 0)
        return 0;
    CTextBlock block;
    if (!LayoutSectionText(fig, section, nullptr, block))
        return -1;
    const int natural = block.GetExtent(false).cx;
    if (!IsSpecialTextArea(fig, section))
        return natural;
    // The narrowest possible line holds the widest character; the widest
    // holds the whole text.
    int loBound = 1, hiBound = 0;
    for (int i = 0; i < block.LineCount(); ++i) {
        hiBound += block.GetLine(i).width;
        const int* adv = block.GetLineAdvances(i);
        for (int k = 0; adv && k < block.GetLine(i).count; ++k)
            loBound = std::max(loBound, adv[k]);
    }
    hiBound = std::max(hiBound, loBound);
    int lo = std::clamp(natural / 2, loBound, hiBound);
    int hi = std::clamp(2 * natural, loBound, hiBound);
    auto tooHigh = [&](int w) {
        const int h = MeasureSectionText(fig, section, w);
        return h < 0 || h > height;
    };
    if (tooHigh(hi)) {
        hi = hiBound * 4 / 3;
        if (tooHigh(hi))
            return -1;
    }
    // The search needs a lower end that does not fit: a text that already
    // fits at lo starts from the narrowest line instead (also when it fits
    // exactly, so that the answer is the narrowest width).
    const int atLo = MeasureSectionText(fig, section, lo);
    if (atLo >= 0 && atLo <= height)
        lo = loBound;
    for (;;) {
        const int mid = lo + (hi - lo) / 2;
        if (mid == lo || mid == hi)
            break;
        if (tooHigh(mid))
            lo = mid;
        else
            hi = mid;
    }
    return hi;
}

bool IsSpecialTextArea(const CFigure& fig, int section)
{
    if (!(LowFlags(fig) & kFitCompartmentsFlag))
        return false;
    // While the text is being edited a compartment the symbol lays out
    // holds the text like an ordinary area; otherwise the shape sizes it.
    const CFigSymbol* symbol = fig.GetSymbol();
    if (!symbol || !IsActiveViewEditingText() || !symbol->HasCompartmentText())
        return true;
    CRect box;
    return !symbol->GetTextBoxRect(section, fig.m_rect, box, 0);
}

CSize GetSectionTextExtent(const CFigure& fig, int section, int mode, const TextFormatRec* format,
                           TextMargins margins)
{
    // Given margins apply on the sides the symbol's text box takes margins on.
    int left = Margin(margins, 0), right = Margin(margins, 1), top = Margin(margins, 2), bottom = Margin(margins, 3);
    if (margins && fig.GetSymbol())
        fig.GetSymbol()->MaskTextMargins(section, left, right, top, bottom);
    const CSize pad(left + right, top + bottom);
    const bool special = IsSpecialTextArea(fig, section);
    if ((mode == 0 || mode == 2) && special)
        return pad;
    if (mode == 0 && (LowFlags(fig) & kFitFromFontSizeFlag))
        return pad;
    CTextBlock block;
    if (!LayoutSectionText(fig, section, format, block))
        return pad;
    CSize ext = block.GetExtent(false);
    if (Rotated(fig))
        std::swap(ext.cx, ext.cy);
    int frame = 0;
    if (!margins && KeepsTextOffFrame(LowFlags(fig), fig.GetSymbol()) && block.LineCount() > 0)
        frame = 2 * TextFrameMargin(block.GetLine(0).height);
    return CSize(ext.cx + pad.cx + frame, ext.cy + pad.cy + frame);
}

int GetMinFontSize(const CFigure& fig)
{
    const LOGFONT& lf = fig.GetFont();
    int smallest = std::max(1, std::abs(int(lf.lfHeight)));
    for (int i = 0; i < SectionCount(fig); ++i) {
        const std::string text = FigureSectionText(fig, i);
        if (text.empty())
            continue;
        const int size = SmallestFontSizeInUse(text, FigureSectionFormat(fig, i).font);
        if (size > 0)
            smallest = std::min(smallest, size);
    }
    return std::max(1, smallest);
}

void CalcTextExtent(const CFigure& fig, int& width, int& height, int mode, bool checkSpecial, TextMargins margins)
{
    (void)checkSpecial;
    width = height = 0;
    const CFigSymbol* symbol = fig.GetSymbol();
    if (fig.GetType() != kObjFigure || !symbol)
        return;
    const DWORD flags = LowFlags(fig);
    bool measured = false;
    if (fig.HasText() && symbol->m_nTextBoxes == 0 && !fig.HasPicture()) {
        // The text fills the whole figure: the figure takes its extent.
        const CSize ext = GetSectionTextExtent(fig, 0, mode, nullptr, margins);
        measured = (ext.cx > 0 || ext.cy > 0) && (mode == 1 || !(flags & kFitFromFontSizeFlag));
        width = ext.cx;
        height = ext.cy;
    } else if (fig.HasText()) {
        for (int i = 0; i < fig.GetTextAreaCount(); ++i) {
            const CSize ext = GetSectionTextExtent(fig, i, mode, nullptr, margins);
            if (ext.cx <= 0 && ext.cy <= 0)
                continue;
            measured |= mode == 1 || !(flags & kFitFromFontSizeFlag);
            const int w = FigWidthForTextWidth(fig, i, ext.cx, false);
            const int h = FigHeightForTextHeight(fig, i, ext.cy, false);
            width = std::max(width, w);
            height = std::max(height, h);
        }
        if ((flags & kFitKeepAspectFlag) && width > 0 && height > 0) {
            int w = width, h = height;
            if (FitSizeKeepAspect(width, height, fig.m_rect.Width(), fig.m_rect.Height(), w, h, 0)) {
                width = w;
                height = h;
            }
        }
    }
    // Without a measured text the extent follows the smallest font size.
    if ((flags & kFitFromFontSizeFlag) && !measured) {
        const int size = GetMinFontSize(fig);
        width = fig.m_rect.Width() * 4 / size;
        height = fig.m_rect.Height() * 4 / size;
    }
    if (!(flags & kFitNoMinimumFlag)) {
        width = std::max(width, 8);
        height = std::max(height, 8);
    }
}

namespace {

CRect BoundsForText(const CFigure& fig, int width, int height)
{
    const DWORD flags = LowFlags(fig);
    const int curW = fig.m_rect.Width(), curH = fig.m_rect.Height();
    const int w = (flags & kFitWidthFlag) ? width : std::max(curW, width);
    const int h = (flags & kFitHeightFlag) ? height : std::max(curH, height);
    return CRect(fig.m_rect.left, fig.m_rect.top, fig.m_rect.left + w, fig.m_rect.top + h);
}

} // namespace

bool CalcSizeForText(const CFigure& fig, CRect& out, int mode, TextMargins margins)
{
    int w = 0, h = 0;
    CalcTextExtent(fig, w, h, mode, true, margins);
    out = BoundsForText(fig, w, h);
    return out != fig.m_rect;
}

bool ResizeToText(CFigure& fig, bool bWiden, TextMargins margins)
{
    int w = 0, h = 0;
    CalcTextExtent(fig, w, h, 1, true, margins);
    if (bWiden)
        w = w * 133 / 100;
    const FigFlagSet saved = fig.m_props.Behavior;
    const CRect rc = BoundsForText(fig, w, h);
    const bool changed = rc != fig.m_rect;
    if (changed)
        fig.SetBounds(rc, true);
    fig.m_props.Behavior = saved;
    return changed;
}

void CalcSizeForOneSide(const CFigure& fig, CSize& size)
{
    const bool givenWidth = size.cy == 0;
    int result = 0;
    for (int i = 0; i < fig.GetTextAreaCount(); ++i) {
        CRect box;
        if (!fig.GetTextAreaRect(i, box))
            continue;
        if (givenWidth) {
            // The text box width at the given figure width.
            const CFigSymbol* symbol = fig.GetSymbol();
            CRect trial = fig.m_rect, pb;
            trial.right = trial.left + size.cx;
            const int oversize = fig.m_pDoc && fig.m_pDoc->IsOversizeTextRect() ? 1 : 0;
            if (!symbol || !symbol->GetTextBoxRect(i, trial, pb, oversize))
                continue;
            const int textH = MeasureSectionText(fig, i, pb.Width());
            if (textH > 0)
                result = std::max(result, FigHeightForTextHeight(fig, i, textH, false));
        } else {
            const int textW = FitWidthForHeight(fig, i, box.Height());
            if (textW > 0)
                result = std::max(result, FigWidthForTextWidth(fig, i, textW, false));
        }
    }
    if (givenWidth)
        size.cy = result;
    else
        size.cx = result;
}

bool ShrinkTextToFit(CFigure& fig)
{
    const int s = std::abs(int(fig.GetFont().lfHeight));
    const std::string savedText = fig.m_strText;
    const LOGFONT savedFont = fig.GetFont();
    for (int n = s - 1; n >= 1; --n) {
        fig.m_strText = savedText;
        fig.m_props.m_font.m_lf = savedFont;
        fig.m_props.m_font.m_lf.lfHeight = savedFont.lfHeight < 0 ? -n : n;
        ScaleFontSizes(fig.m_strText, n, s, kMarkupTextLimit);
        CRect out;
        if (!CalcSizeForText(fig, out, 1, nullptr))
            return true;
    }
    fig.m_strText = savedText;
    fig.m_props.m_font.m_lf = savedFont;
    return false;
}

namespace {

std::vector<CConnector*> AttachedCons(CKavoDoc& doc, const CFigure* fig)
{
    std::vector<CConnector*> cons;
    for (CDiagObj* o : *doc.m_pObjList)
        if (o->GetType() == kObjConnector) {
            auto* c = static_cast<CConnector*>(o);
            if (c->m_pFig1 == fig || c->m_pFig2 == fig)
                cons.push_back(c);
        }
    return cons;
}

void Redraw(CKavoDoc& doc, CFigure* fig, const std::vector<CConnector*>& cons)
{
    doc.InvalidateObj(fig);
    for (CConnector* c : cons)
        doc.InvalidateObj(c);
}

void AfterResize(CKavoDoc& doc, CFigure* fig, bool bRedraw)
{
    const std::vector<CConnector*> cons = AttachedCons(doc, fig);
    // The ends follow the figure's new rectangle through their connection
    // points; the routes are laid again.
    for (CConnector* c : cons)
        c->RecalcRoute();
    if (bRedraw)
        Redraw(doc, fig, cons);
    doc.SetModifiedFlag();
    doc.UpdateAllStaples(0);
}

} // namespace

bool FitFigToText(CKavoDoc& doc, CFigure* fig, int mode, bool bRedraw, bool bWiden, TextMargins margins)
{
    if (!fig || fig->GetType() != kObjFigure)
        return false;
    CRect wanted;
    if (!CalcSizeForText(*fig, wanted, mode, margins))
        return false;
    const DWORD flags = LowFlags(*fig);
    const CFigSymbol* symbol = fig->GetSymbol();
    const bool severalAreas = fig->GetTextAreaCount() > 1 || (symbol && symbol->HasCompartments());
    if (severalAreas && !(flags & (kFitWidthFlag | kFitHeightFlag)))
        return FitFigSections(doc, fig, mode, bRedraw, margins);
    if (bRedraw)
        Redraw(doc, fig, AttachedCons(doc, fig));
    if (!ResizeToText(*fig, bWiden, margins))
        return false;
    AfterResize(doc, fig, bRedraw);
    return true;
}

bool FitFigSections(CKavoDoc& doc, CFigure* fig, int mode, bool bRedraw, TextMargins margins)
{
    bool any = false;
    for (int i = 0; i < fig->GetTextAreaCount(); ++i)
        any |= FitFigSection(doc, fig, i, mode, bRedraw, margins);
    return any;
}

bool FitFigSection(CKavoDoc& doc, CFigure* fig, int section, int mode, bool bRedraw, TextMargins margins)
{
    CRect box;
    if (!fig || !fig->GetTextAreaRect(section, box))
        return false;
    const CSize ext = GetSectionTextExtent(*fig, section, mode == 0 ? 1 : mode, nullptr, margins);
    const DWORD flags = LowFlags(*fig);
    int growW = ext.cx - box.Width(), growH = ext.cy - box.Height();
    if (!(flags & kFitWidthFlag))
        growW = std::max(0, growW);
    if (!(flags & kFitHeightFlag))
        growH = std::max(0, growH);
    if (growW == 0 && growH == 0)
        return false;
    // Shapes whose compartments could grow alone grow as a whole here.
    int w = fig->m_rect.Width(), h = fig->m_rect.Height();
    if (growW)
        w = std::max(1, FigWidthForTextWidth(*fig, section, ext.cx, false));
    if (growH)
        h = std::max(1, FigHeightForTextHeight(*fig, section, ext.cy, false));
    const CRect rc(fig->m_rect.left, fig->m_rect.top, fig->m_rect.left + w, fig->m_rect.top + h);
    if (rc == fig->m_rect)
        return false;
    if (bRedraw)
        Redraw(doc, fig, AttachedCons(doc, fig));
    fig->SetBounds(rc, true);
    AfterResize(doc, fig, bRedraw);
    return true;
}

bool SizeFigToText(CKavoDoc* doc, CFigure* fig)
{
    (void)doc;
    if (!fig || !fig->HasText())
        return false;
    // Both dimensions follow the text for this one measure.
    const FigFlagSet saved = fig->m_props.Behavior;
    fig->m_props.Behavior.low |= kFitWidthFlag | kFitHeightFlag;
    const bool changed = ResizeToText(*fig, false, nullptr);
    fig->m_props.Behavior = saved;
    return changed;
}
