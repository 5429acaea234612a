#include "richtext/MarkupQueries.h"

#include "richtext/MarkupPositions.h"
#include "richtext/MarkupWalker.h"

#include <cstdlib>
#include <cstring>
#include <vector>

bool ScanMarkupRange(const std::string& text, int startOffset, int endOffset, const TextFormatRec* format,
                     MarkupScanner& scanner)
{
    const int length = MarkupLength(text);
    if (startOffset > endOffset)
        startOffset = endOffset;
    if (!format || startOffset < 0 || endOffset > length)
        return false;
    scanner.Init(format);
    const char* p = text.c_str();
    int offset = 0;
    if (offset == startOffset)
        scanner.Commit();
    while (offset < endOffset) {
        char ch;
        int param, len;
        const int kind = NextMarkupToken(p + offset, ch, param, len);
        if (kind == Mk::End)
            break;
        scanner.ApplyToken(kind, ch, param);
        offset += len;
        if (offset == startOffset)
            scanner.Commit();
    }
    return true;
}

bool ScanMarkupCharRange(const std::string& text, int first, int last, const TextFormatRec* format,
                         MarkupScanner& scanner, bool includeCodes)
{
    const int start = CharIndexToOffset(text, first, includeCodes);
    const int end = CharIndexToOffset(text, last, !includeCodes);
    if (start < 0 || end < 0)
        return false;
    return ScanMarkupRange(text, start, end, format, scanner);
}

bool MarkupHasFormatting(const std::string& text)
{
    MarkupWalker w(text);
    while (w.Step())
        if (w.kind != Mk::Char && w.kind != Mk::Line && w.kind != Mk::SoftLine && w.kind != Mk::Sect)
            return true;
    return false;
}

bool GetAlignFromMarkup(const std::string& text, uint16_t& align)
{
    int horizontal = 0, vertical = 0;
    MarkupWalker w(text);
    while (w.Step() && (!horizontal || !vertical)) {
        if (!horizontal && Mk::IsHorizontalAlign(w.kind))
            horizontal = w.kind == Mk::AlignLeft ? 4 : w.kind == Mk::AlignRight ? 1 : 2;
        if (!vertical && Mk::IsVerticalAlign(w.kind))
            vertical = w.kind == Mk::VAlignTop ? 0x40 : w.kind == Mk::VAlignBottom ? 0x10 : 0x20;
    }
    if (!horizontal && !vertical)
        return false;
    if (horizontal)
        align = uint16_t((align & ~0x07) | horizontal);
    if (vertical)
        align = uint16_t((align & ~0x70) | vertical);
    return true;
}

bool GetColorFromMarkup(const std::string& text, COLORREF& color)
{
    // Components not given before a Blue count as 0.
    int red = 0, green = 0;
    bool found = false;
    MarkupWalker w(text);
    while (w.Step()) {
        if (w.kind == Mk::Red)
            red = w.param;
        else if (w.kind == Mk::Green)
            green = w.param;
        else if (w.kind == Mk::Blue) {
            color = RGB(red & 0xFF, green & 0xFF, w.param & 0xFF);
            found = true;
        }
    }
    return found;
}

bool GetFontNameFromMarkup(const std::string& text, std::string& face)
{
    bool collecting = false;
    std::string name;
    MarkupWalker w(text);
    while (w.Step()) {
        if (w.kind == Mk::Font) {
            collecting = true;
            name.clear();
        } else if (collecting && w.kind == Mk::Char) {
            if (w.ch == ';') {
                face = name;
                return true;
            }
            name += w.ch;
            if (name.size() >= size_t(kMarkupFaceLen - 1)) {
                face = name;
                return true;
            }
        }
    }
    return false;
}

bool GetCharFormatFromMarkup(const std::string& text, LOGFONT& logfont)
{
    TextFormatRec format;
    format.Init();
    format.font = logfont;
    MarkupScanner scanner;
    const int length = MarkupLength(text);
    if (!ScanMarkupRange(text, 0, length, &format, scanner))
        return false;
    scanner.ApplyToLogFont(logfont);
    std::string face;
    if (GetFontNameFromMarkup(text, face))
        SetLogFontFace(logfont, face.c_str());
    return true;
}

bool GetRangeFormat(const std::string& text, int first, int last, const TextFormatRec* format, RangeFormat& out)
{
    MarkupScanner s;
    if (!ScanMarkupCharRange(text, first, last, format, s, false))
        return false;
    auto flag = [](const ScanAttr<int>& a) { return !a.changed && a.committed == a.current ? a.current : 0; };
    out.bold = flag(s.bold);
    out.italic = flag(s.italic);
    out.underline = flag(s.underline);
    out.sub = flag(s.sub);
    out.super = flag(s.super);
    out.color = !s.color.changed && s.color.committed == s.color.current ? s.color.current : kNoColor;
    out.size = !s.size.changed && s.size.committed == s.size.current ? s.size.current : 0;
    out.align = !s.align.changed && s.align.committed == s.align.current ? s.align.current : 0;
    const bool sameFace = !s.face.changed && std::strncmp(s.face.committed, s.face.current, kMarkupFaceLen) == 0;
    out.face = sameFace ? s.face.current : "";
    return true;
}

int SmallestFontSizeInUse(const std::string& text, const LOGFONT& logfont)
{
    int smallest = std::max(1, std::abs(int(logfont.lfHeight)));
    int proposal = 0;
    MarkupWalker w(text);
    while (w.Step()) {
        if (!w.scanner.InText())
            continue;
        if (w.kind == Mk::FontSize) {
            const int points = std::max(1, w.param / 2);
            proposal = points < smallest ? points : 0;
        } else if ((w.kind == Mk::Char || w.kind == Mk::Line) && proposal) {
            smallest = std::min(smallest, proposal);
            proposal = 0;
        }
    }
    return smallest;
}

bool IsLongText(const std::string& text)
{
    const int lines = CountMarkupLines(text);
    if (lines > 2)
        return true;
    auto span = [&](int line) {
        int first = 0, last = 0;
        return GetLineCharRange(text, line, first, last) ? last - first : 0;
    };
    if (lines == 1)
        return span(0) >= 32;
    if (lines == 2)
        return span(0) > 18 || span(1) > 18;
    return false;
}

namespace {

bool SameChar(char a, char b, bool matchCase)
{
    if (matchCase)
        return a == b;
    // Case-blind by clearing bit 0x20 on every character, as stored texts
    // have always been searched.
    return (a & ~0x20) == (b & ~0x20);
}

// The end index of a match of pattern starting at i (breaks passed over),
// or -1.
int MatchAt(const std::vector<VisibleToken>& vis, int i, int limit, const char* pattern, bool matchCase)
{
    if (i >= limit || vis[size_t(i)].kind != Mk::Char)
        return -1;
    const char* p = pattern;
    while (*p) {
        if (i >= limit)
            return -1;
        if (vis[size_t(i)].kind != Mk::Char) {
            ++i;
            continue;
        }
        if (!SameChar(vis[size_t(i)].ch, *p, matchCase))
            return -1;
        ++p;
        ++i;
    }
    return i;
}

} // namespace

bool FindInMarkup(const std::string& text, const char* pattern, bool matchCase, bool wholeWord, int fromIndex,
                  int& start, int& end)
{
    if (!pattern || !*pattern || text.empty())
        return false;
    const std::vector<VisibleToken> vis = VisibleTokens(text);
    const int count = int(vis.size());
    if (fromIndex < 0 || fromIndex > count)
        return false;
    if (!wholeWord) {
        for (int i = fromIndex; i < count; ++i) {
            const int e = MatchAt(vis, i, count, pattern, matchCase);
            if (e >= 0) {
                start = i;
                end = e;
                return true;
            }
        }
        return false;
    }
    int b = fromIndex;
    while (b < count) {
        if (vis[size_t(b)].kind == Mk::Line) {
            ++b;
            continue;
        }
        if (!IsWordBoundary(text, b, count)) {
            b = NextWordBoundary(text, b, count);
            continue;
        }
        int ws = 0, we = 0;
        GetWordRange(text, b, ws, we, true, count);
        if (ws >= b && we > ws && MatchAt(vis, ws, we, pattern, matchCase) == we) {
            start = ws;
            end = we;
            return true;
        }
        b = NextWordBoundary(text, std::max(b, we - 1), count);
    }
    return false;
}
