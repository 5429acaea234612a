// Format prefixes and codes, typing, deleting and token removal.
#include "richtext/MarkupBuilder.h"

#include "richtext/MarkupPositions.h"
#include "richtext/MarkupQueries.h"
#include "richtext/MarkupWalker.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

void AppendWord(std::string& out, const char* word, int number)
{
    char buf[48];
    std::snprintf(buf, sizeof buf, "%s%d", word, number);
    out += buf;
}

bool Contains(const std::vector<int>& kinds, int kind)
{
    return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
}

bool WithinLimit(size_t length, int limit)
{
    return limit <= 0 || length <= size_t(limit);
}

} // namespace

bool BuildMarkupFontPrefix(std::string& out, uint16_t align, const LOGFONT& logfont, COLORREF color, int limit)
{
    out.clear();
    if (!BuildAlignPrefix(out, align, limit))
        return false;
    out += logfont.lfWeight == 700 ? "\\b1" : "\\b0";
    out += logfont.lfItalic ? "\\i1" : "\\i0";
    out += logfont.lfUnderline ? "\\ul1" : "\\ul0";
    AppendWord(out, "\\fs", 2 * std::abs(int(logfont.lfHeight)));
    out += "\\f0 ";
    out += EscapeMarkupChars(std::string_view(logfont.lfFaceName, strnlen(logfont.lfFaceName, LF_FACESIZE)));
    out += ';';
    // A colour that is not set is left out, so that reading the prefix back
    // leaves it unset.
    if (color != kNoColor) {
        AppendWord(out, "\\red", GetRValue(color));
        AppendWord(out, "\\green", GetGValue(color));
        AppendWord(out, "\\blue", GetBValue(color));
    }
    return WithinLimit(out.size(), limit);
}

bool BuildAlignPrefix(std::string& text, uint16_t align, int limit)
{
    RemoveAlignmentWords(text, true, true);
    static const struct {
        uint16_t bit;
        const char* word;
    } kOrder[] = {{0x4, "\\ql "},      {0x1, "\\qr "},      {0x2, "\\qc "},
                  {0x40, "\\vertalt "}, {0x10, "\\vertalb "}, {0x20, "\\vertalc "}};
    for (const auto& w : kOrder) {
        if (!(align & w.bit))
            continue;
        if (!WithinLimit(text.size() + std::strlen(w.word), limit))
            return false;
        text.insert(0, w.word);
    }
    return true;
}

bool RemoveAlignmentWords(std::string& text, bool horizontal, bool vertical)
{
    std::vector<int> kinds;
    if (horizontal)
        kinds.insert(kinds.end(), {Mk::AlignLeft, Mk::AlignRight, Mk::AlignCenter});
    if (vertical)
        kinds.insert(kinds.end(), {Mk::VAlignTop, Mk::VAlignBottom, Mk::VAlignCenter});
    if (kinds.empty())
        return false;
    bool c = false, f = false;
    return RemoveMarkupTokensAll(text, c, f, kinds);
}

void BuildFormatCodes(std::string& out, std::string& text, const MarkupScanner& s, bool all,
                      const TextFormatRec* format)
{
    out.clear();
    auto flag = [&](const ScanAttr<int>& a, const char* on, const char* off) {
        if (all || a.committed != a.current)
            out += a.current ? on : off;
    };
    flag(s.bold, "\\b1", "\\b0");
    flag(s.italic, "\\i1", "\\i0");
    flag(s.underline, "\\ul1", "\\ul0");
    const bool scriptChanged = s.sub.committed != s.sub.current || s.super.committed != s.super.current;
    if (all || scriptChanged) {
        if (!s.sub.current && !s.super.current)
            out += "\\nosupersub";
        else if (s.sub.current)
            out += "\\sub";
        else
            out += "\\super";
    }
    const COLORREF defColor = format && format->color != kNoColor ? format->color : 0;
    if ((all || s.color.committed != s.color.current) && s.color.current != kNoColor) {
        const int index = FindOrAddColor(text, s.color.current, defColor);
        if (index >= 0)
            AppendWord(out, "\\cf", index);
    }
    const char* defFace = format && format->font.lfFaceName[0] ? format->font.lfFaceName : "Arial";
    if ((all || std::strncmp(s.face.committed, s.face.current, kMarkupFaceLen) != 0) && s.face.current[0]) {
        const int index = FindOrAddFont(text, s.face.current, defFace);
        if (index >= 0)
            AppendWord(out, "\\f", index);
    }
    if ((all || s.size.committed != s.size.current) && s.size.current != 0)
        AppendWord(out, "\\fs", 2 * s.size.current);
    if (!out.empty())
        out += ' ';
}

bool InsertCharAt(std::string& text, int index, char ch, int limit)
{
    return InsertStringAt(text, index, EscapeMarkupChars(std::string_view(&ch, 1)), limit, true);
}

bool InsertStringAt(std::string& text, int index, const std::string& str, int limit, bool beforeCodes)
{
    const int offset = CharIndexToOffset(text, index, beforeCodes);
    if (offset < 0 || !WithinLimit(text.size() + str.size(), limit))
        return false;
    text.insert(size_t(offset), str);
    return true;
}

int DeleteTokenAt(std::string& text, int offset)
{
    const int length = MarkupLength(text);
    if (offset < 0 || offset >= length)
        return 0;
    const char* p = text.c_str();
    int at = 0, prevStart = -1, prevKind = Mk::End;
    char ch;
    int param, len = 0, kind = Mk::End;
    while (at < offset) {
        prevKind = NextMarkupToken(p + at, ch, param, len);
        prevStart = at;
        at += len;
    }
    if (at != offset)
        return 0;   // inside a token
    kind = NextMarkupToken(p + offset, ch, param, len);
    const bool isWord = p[offset] == '\\' && kind != Mk::Char;
    const bool prevIsWord = prevStart >= 0 && p[prevStart] == '\\' && prevKind != Mk::Char;
    int remove = len;
    // A space that delimits the previous control word stays when text follows.
    if (isWord && len >= 2 && p[offset + len - 1] == ' ' && offset > 0 && p[offset - 1] != ' ' && prevIsWord &&
        offset + len < length)
        remove = len - 1;
    text.erase(size_t(offset), size_t(remove));
    return remove;
}

bool DeleteCharRange(std::string& text, int first, int last)
{
    const int start = CharIndexToOffset(text, first, true);
    const int end = CharIndexToOffset(text, last, false);
    if (start < 0 || end < 0 || end < start)
        return false;
    text.erase(size_t(start), size_t(end - start));
    return true;
}

bool DeleteRangeKeepFormat(std::string& text, int first, int last, const TextFormatRec* format)
{
    MarkupScanner s;
    if (!ScanMarkupCharRange(text, first, last, format, s, true))
        return false;
    const std::string saved = text;
    if (!DeleteCharRange(text, first, last))
        return false;
    if (s.DiffersFromCommitted() && first < CountMarkupChars(text)) {
        std::string codes;
        BuildFormatCodes(codes, text, s, false, format);
        if (!codes.empty() && !InsertStringAt(text, first, codes, kMarkupTextLimit, true)) {
            text = saved;
            return false;
        }
    }
    return true;
}

bool ReplaceCharRange(std::string& text, int first, int last, const TextFormatRec* format, const std::string& str)
{
    // The replacement goes where the character first stood, after its codes,
    // and takes its format; codes after it restore the format in effect
    // before the character last, so that everything after the range keeps
    // its format whatever the replacement's length.
    int start = CharIndexToOffset(text, first, false);
    int end = CharIndexToOffset(text, last, true);
    if (start < 0 || end < 0 || end < start)
        return false;
    MarkupScanner s;
    if (!ScanMarkupRange(text, start, end, format, s))
        return false;
    const std::string saved = text;
    std::string codes;
    BuildFormatCodes(codes, text, s, false, format);
    // The tables may have grown in front of the text: offsets again.
    start = CharIndexToOffset(text, first, false);
    end = CharIndexToOffset(text, last, true);
    std::string result = text.substr(0, size_t(start)) + str + codes + text.substr(size_t(end));
    if (!WithinLimit(result.size(), kMarkupTextLimit)) {
        text = saved;
        return false;
    }
    text = std::move(result);
    return true;
}

bool RemoveMarkupTokens(std::string& text, int startOffset, int endOffset, bool& colorRemoved, bool& fontRemoved,
                        const std::vector<int>& kinds)
{
    colorRemoved = fontRemoved = false;
    bool any = false;
    int end = endOffset < 0 ? INT_MAX : endOffset;
    MarkupScanner s;
    s.Init(nullptr);
    s.SetReadOnly();
    int offset = 0;
    ScannedToken t;
    while (offset < end && ScanTokenAt(text.c_str(), offset, s, t)) {
        const char* p = text.c_str();
        const int kind = t.kind, len = t.length;
        char ch;
        int param;
        const bool withName = kind == Mk::Font && Contains(kinds, Mk::FontWithName);
        if (t.inText && offset >= startOffset && (Contains(kinds, kind) || withName)) {
            int removed = 0;
            if (withName) {
                // The inline face: the characters up to and including ";".
                int tail = offset + len, k, tlen = 0;
                while ((k = NextMarkupToken(p + tail, ch, param, tlen)) == Mk::Char && ch != ';')
                    tail += tlen;
                removed = k == Mk::Char ? tail + tlen - offset : len;
                text.erase(size_t(offset), size_t(removed));
            } else {
                removed = DeleteTokenAt(text, offset);
            }
            if (removed > 0) {
                any = true;
                colorRemoved |= kind == Mk::ColorIndex;
                fontRemoved |= kind == Mk::Font;
                if (end != INT_MAX)
                    end -= removed;
                offset += removed < len ? len - removed : 0;   // a kept delimiting space is passed
                continue;
            }
        }
        offset += len;
    }
    return any;
}

bool RemoveMarkupTokensAll(std::string& text, bool& colorRemoved, bool& fontRemoved, const std::vector<int>& kinds)
{
    return RemoveMarkupTokens(text, 0, -1, colorRemoved, fontRemoved, kinds);
}

std::string BuildRtfDocument(const std::string& markup, bool addPar)
{
    std::string out = "{\\rtf1\\ansi\\deff0\\deftab720";
    out += markup;
    if (addPar)
        out += "\\par ";
    out += '}';
    return out;
}
