// Formatting a range, extracting a range as self-contained markup, inserting
// such markup, and scaling font sizes.
#include "richtext/MarkupBuilder.h"

#include "richtext/MarkupPositions.h"
#include "richtext/MarkupQueries.h"
#include "richtext/MarkupTables.h"
#include "richtext/MarkupWalker.h"
#include "platform/WinTypes.h"

#include <cstdio>
#include <cstring>

namespace {

void AppendControlWord(std::string& out, const char* word, int number)
{
    char buf[48];
    std::snprintf(buf, sizeof buf, "%s%d", word, number);
    out += buf;
}

const char* DefaultFace(const TextFormatRec* format)
{
    return format && format->font.lfFaceName[0] ? format->font.lfFaceName : "Arial";
}

COLORREF DefaultColor(const TextFormatRec* format)
{
    return format && format->color != kNoColor ? format->color : 0;
}

std::vector<int> RequestedKinds(const FormatRequest& r, bool alignChanged)
{
    std::vector<int> kinds;
    if (r.bold != -1)
        kinds.push_back(Mk::Bold);
    if (r.italic != -1)
        kinds.push_back(Mk::Italic);
    if (r.underline != -1)
        kinds.push_back(Mk::Underline);
    if (r.color != kNoColor)
        kinds.push_back(Mk::ColorIndex);
    if (!r.face.empty())
        kinds.push_back(Mk::Font);
    if (r.size != 0)
        kinds.push_back(Mk::FontSize);
    if (r.sub != -1 || r.super != -1)
        kinds.insert(kinds.end(), {Mk::Sub, Mk::Super, Mk::NoSuperSub});
    if (alignChanged)
        kinds.insert(kinds.end(), {Mk::AlignLeft, Mk::AlignRight, Mk::AlignCenter, Mk::VAlignTop,
                                   Mk::VAlignBottom, Mk::VAlignCenter});
    return kinds;
}

// A table index for the colour or face; compacts once when the table is
// full and words were removed. -1 when it stays full.
int TableIndex(std::string& text, bool color, COLORREF c, const std::string& face, bool removed, int limit,
               const TextFormatRec* format)
{
    auto find = [&] {
        return color ? FindOrAddColor(text, c, DefaultColor(format))
                     : FindOrAddFont(text, face.c_str(), DefaultFace(format));
    };
    int index = find();
    if (index < 0 && removed) {
        if (color)
            CompactMarkupColorTable(text, limit, true);
        else
            CompactMarkupFontTable(text, limit, true);
        index = find();
    }
    return index;
}

// The control words that take the attributes from `from` to `to` (flags and
// sizes; values of -1 or 0 in `to` are not requested).
struct Attrs {
    int bold, italic, underline, sub, super, size;
    COLORREF color;
    std::string face;
};

bool WriteCodes(std::string& out, std::string& text, const Attrs& from, const Attrs& to, bool removedColor,
                bool removedFont, int limit, const TextFormatRec* format)
{
    auto flag = [&](int f, int t, const char* on, const char* off) {
        if (t != -1 && t != f)
            out += t ? on : off;
    };
    flag(from.bold, to.bold, "\\b1", "\\b0");
    flag(from.italic, to.italic, "\\i1", "\\i0");
    flag(from.underline, to.underline, "\\ul1", "\\ul0");
    if (to.sub != -1 && to.sub != from.sub)
        out += to.sub ? "\\sub" : "\\nosupersub";
    if (to.super != -1 && to.super != from.super)
        out += to.super ? "\\super" : "\\nosupersub";
    if (to.size != 0 && to.size != from.size)
        AppendControlWord(out, "\\fs", 2 * to.size);
    if (to.color != kNoColor && to.color != from.color) {
        const int index = TableIndex(text, true, to.color, "", removedColor, limit, format);
        if (index < 0)
            return false;
        AppendControlWord(out, "\\cf", index);
    }
    if (!to.face.empty() && to.face != from.face) {
        const int index = TableIndex(text, false, 0, to.face, removedFont, limit, format);
        if (index < 0)
            return false;
        AppendControlWord(out, "\\f", index);
    }
    if (!out.empty())
        out += ' ';
    return true;
}

Attrs CommittedAttrs(const MarkupScanner& s)
{
    return Attrs{s.bold.committed, s.italic.committed, s.underline.committed, s.sub.committed,
                 s.super.committed, s.size.committed, s.color.committed, s.face.committed};
}

Attrs CurrentAttrs(const MarkupScanner& s)
{
    return Attrs{s.bold.current, s.italic.current, s.underline.current, s.sub.current,
                 s.super.current, s.size.current, s.color.current, s.face.current};
}

// The requested values, with what is not requested left out (-1, 0, none).
Attrs RequestAttrs(const FormatRequest& r)
{
    return Attrs{r.bold, r.italic, r.underline, r.sub, r.super, r.size, r.color, r.face};
}

// The closing values: the end value of every requested attribute.
Attrs ClosingAttrs(const FormatRequest& r, const Attrs& end)
{
    Attrs a{-1, -1, -1, -1, -1, 0, kNoColor, ""};
    if (r.bold != -1)
        a.bold = end.bold;
    if (r.italic != -1)
        a.italic = end.italic;
    if (r.underline != -1)
        a.underline = end.underline;
    if (r.sub != -1 || r.super != -1) {
        a.sub = end.sub;
        a.super = end.super;
    }
    if (r.size != 0)
        a.size = end.size;
    if (r.color != kNoColor)
        a.color = end.color;
    if (!r.face.empty())
        a.face = end.face;
    return a;
}

// The requested values as they stand in effect after the opening codes.
Attrs AfterRequest(const FormatRequest& r, const Attrs& start)
{
    Attrs a = start;
    if (r.bold != -1)
        a.bold = r.bold;
    if (r.italic != -1)
        a.italic = r.italic;
    if (r.underline != -1)
        a.underline = r.underline;
    if (r.sub != -1)
        a.sub = r.sub;
    if (r.super != -1)
        a.super = r.super;
    if (r.sub == 1)
        a.super = 0;
    if (r.super == 1)
        a.sub = 0;
    if (r.size != 0)
        a.size = r.size;
    if (r.color != kNoColor)
        a.color = r.color;
    if (!r.face.empty())
        a.face = r.face;
    return a;
}

} // namespace

bool ApplyFormatToRange(std::string& text, int first, int last, const TextFormatRec* format,
                        const FormatRequest& request, int limit, bool keepOldCodes)
{
    MarkupScanner s;
    if (!ScanMarkupCharRange(text, first, last, format, s, true))
        return false;
    const std::string saved = text;
    auto fail = [&] {
        text = saved;
        return false;
    };
    const bool alignChanged = request.align != 0 && request.align != s.align.committed;
    bool removedColor = false, removedFont = false;
    if (!keepOldCodes) {
        const int start = CharIndexToOffset(text, first, true);
        const int end = CharIndexToOffset(text, last, false);
        RemoveMarkupTokens(text, start, end, removedColor, removedFont, RequestedKinds(request, alignChanged));
    }
    const Attrs atFirst = CommittedAttrs(s);
    const Attrs atLast = CurrentAttrs(s);
    std::string opening;
    if (!WriteCodes(opening, text, atFirst, RequestAttrs(request), removedColor, removedFont, limit, format))
        return fail();
    if (!opening.empty() && !InsertStringAt(text, first, opening, limit, true))
        return fail();
    // At the end of the text no character follows that needs its format back.
    const bool atEnd = last >= CountMarkupChars(text);
    std::string closing;
    const Attrs applied = AfterRequest(request, atFirst);
    if (!WriteCodes(closing, text, applied, ClosingAttrs(request, atLast), removedColor, removedFont, limit, format))
        return fail();
    if (!atEnd && !closing.empty() && !InsertStringAt(text, last, closing, limit, true))
        return fail();
    if (alignChanged && !BuildAlignPrefix(text, request.align, limit))
        return fail();
    if (removedColor)
        CompactMarkupColorTable(text, limit, true);
    if (removedFont)
        CompactMarkupFontTable(text, limit, true);
    return true;
}

namespace {

// The end of the leading colour and font tables (0 when there are none).
int TablesEnd(const std::string& text)
{
    int end = 0, offset = 0, length = 0;
    if (FindColorTableSpan(text, offset, length))
        end = std::max(end, offset + length);
    if (FindFontTableSpan(text, offset, length))
        end = std::max(end, offset + length);
    return end;
}

} // namespace

bool ExtractRangeAsMarkup(const std::string& text, std::string& out, const TextFormatRec* format, int first, int last)
{
    int offset = 0, length = 0;
    if (!FindColorTableSpan(text, offset, length) || !FindFontTableSpan(text, offset, length))
        return false;
    const int start = CharIndexToOffset(text, first, false);
    const int end = last < 0 ? MarkupLength(text) : CharIndexToOffset(text, last, true);
    if (start < 0 || end < start)
        return false;
    MarkupScanner s;
    if (!ScanMarkupRange(text, 0, start, format, s))
        return false;
    std::string lead = text.substr(0, size_t(TablesEnd(text)));
    std::string codes;
    BuildFormatCodes(codes, lead, s, true, format);
    out = lead + codes + text.substr(size_t(start), size_t(end - start));
    return NormalizeMarkup(out, format, kMarkupTextLimit, true);
}

namespace {

// Merges the other text's tables into the text's; map[i] is the number of
// the other's entry i. False when a table would pass 20 entries.
bool MergeTables(std::string& text, const MarkupScanner& other, int colorMap[kMarkupTableMax],
                 int fontMap[kMarkupTableMax], const TextFormatRec* format)
{
    for (int i = 0; i < other.colorCount; ++i)
        if ((colorMap[i] = FindOrAddColor(text, other.colorTable[i], DefaultColor(format))) < 0)
            return false;
    for (int i = 0; i < other.fontCount; ++i)
        if ((fontMap[i] = FindOrAddFont(text, other.fontTable[i], DefaultFace(format))) < 0)
            return false;
    return true;
}

// The body of inserted markup: after its tables, with its table words
// renumbered and stray group braces dropped (they would hide the text).
bool PrepareBody(const std::string& markup, const MarkupScanner& tables, const int* colorMap, const int* fontMap,
                 std::string& body)
{
    const int lead = SkipLeadingGroups(markup);
    if (lead < 0)
        return false;
    body.clear();
    const char* p = markup.c_str() + lead;
    int offset = 0;
    for (;;) {
        char ch;
        int param, len;
        const int kind = NextMarkupToken(p + offset, ch, param, len);
        if (kind == Mk::End)
            break;
        std::string token(p + offset, size_t(len));
        const bool space = token.back() == ' ';
        if (kind == Mk::ColorIndex && tables.colorCount > 0) {
            token = "\\cf" + std::to_string(colorMap[param >= 0 && param < tables.colorCount ? param : 0]);
            token += space ? " " : "";
        } else if (kind == Mk::Font && tables.fontCount > 0) {
            token = "\\f" + std::to_string(fontMap[param >= 0 && param < tables.fontCount ? param : 0]);
            token += space ? " " : "";
        } else if (kind == Mk::GroupOpen || kind == Mk::GroupClose) {
            token.clear();
        }
        body += token;
        offset += len;
    }
    return true;
}

} // namespace

bool InsertMarkupAt(std::string& text, const TextFormatRec* format, const std::string& markup, int index, int limit)
{
    if (markup.empty())
        return true;
    const int count = CountMarkupChars(text);
    if (!format || index < 0 || index > count)
        return false;
    const std::string saved = text;
    auto fail = [&] {
        text = saved;
        return false;
    };
    const int at = CharIndexToOffset(text, index, false);
    MarkupScanner s;
    if (!ScanMarkupRange(text, 0, at, format, s))
        return false;
    s.Commit();   // the format at index, committed and current
    const int before = CharIndexToOffset(text, index, true);
    if (at > before)
        text.erase(size_t(before), size_t(at - before));
    MarkupScanner other;
    ReadMarkupTables(markup, other);
    int colorMap[kMarkupTableMax] = {}, fontMap[kMarkupTableMax] = {};
    if (!MergeTables(text, other, colorMap, fontMap, format))
        return fail();
    std::string body;
    if (!PrepareBody(markup, other, colorMap, fontMap, body))
        return fail();
    std::string codes;
    BuildFormatCodes(codes, text, s, true, format);
    if (!InsertStringAt(text, index, body + codes, limit, true))
        return fail();
    if (!NormalizeMarkup(text, format, limit, false))
        return fail();
    return true;
}

bool ScaleFontSizes(std::string& text, int numerator, int denominator, int limit)
{
    if (numerator == 0 || denominator == 0 || numerator == denominator)
        return false;
    bool changed = false;
    MarkupScanner s;
    s.Init(nullptr);
    s.SetReadOnly();
    ScannedToken t;
    for (int offset = 0; ScanTokenAt(text.c_str(), offset, s, t); offset += t.length) {
        if (t.kind != Mk::FontSize || !t.inText)
            continue;
        int size = std::max(2, MulDiv(t.param, numerator, denominator));
        if (size % 2)
            --size;
        if (size == t.param)
            continue;
        const int newLen = SetControlWordNumber(text, offset, size, limit);
        if (newLen >= 0) {
            t.length = newLen;
            changed = true;
        }
    }
    return changed;
}
