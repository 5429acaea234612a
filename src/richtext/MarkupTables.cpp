// The colour and font tables at the start of a text: finding, writing,
// adding to, renumbering and compacting them.
#include "richtext/MarkupBuilder.h"
#include "richtext/MarkupTables.h"
#include "richtext/MarkupToken.h"

#include "richtext/MarkupWalker.h"

#include <cstdio>
#include <cstring>

namespace {

bool FindTableSpan(const std::string& text, int tableKind, int& offset, int& length)
{
    MarkupWalker w(text);
    int groupStart[kMarkupGroupDepth + 1] = {};
    int depth = 0;
    int spanStart = -1, spanDepth = 0;
    while (w.Step()) {
        if (w.kind == Mk::GroupOpen && depth < kMarkupGroupDepth)
            groupStart[++depth] = w.start;
        else if (w.kind == Mk::GroupClose && depth > 0) {
            // The colour table ends at the next "}", the font table at the
            // one that closes its group.
            if (spanStart >= 0 && (tableKind == Mk::ColorTable || depth == spanDepth)) {
                offset = spanStart;
                length = w.next - spanStart;
                return true;
            }
            --depth;
        } else if (w.kind == tableKind && spanStart < 0 && depth > 0) {
            if (tableKind == Mk::FontTable && depth != 1)
                continue;
            spanStart = groupStart[depth];
            spanDepth = depth;
        }
    }
    return false;
}

} // namespace

bool FindColorTableSpan(const std::string& text, int& offset, int& length)
{
    return FindTableSpan(text, Mk::ColorTable, offset, length);
}

bool FindFontTableSpan(const std::string& text, int& offset, int& length)
{
    return FindTableSpan(text, Mk::FontTable, offset, length);
}

namespace {

bool ReplaceTable(std::string& text, bool color, const std::string& group)
{
    int offset = 0, length = 0;
    const bool found = color ? FindColorTableSpan(text, offset, length) : FindFontTableSpan(text, offset, length);
    if (found)
        text.erase(size_t(offset), size_t(length));
    else
        offset = 0;
    text.insert(size_t(offset), group);
    return true;
}

} // namespace

bool WriteColorTable(std::string& text, int count, const COLORREF* colors)
{
    std::string group;
    if (count > 0) {
        group = "{\\colortbl ";
        char buf[64];
        for (int i = 0; i < count; ++i) {
            std::snprintf(buf, sizeof buf, "\\red%d\\green%d\\blue%d;", GetRValue(colors[i]), GetGValue(colors[i]),
                          GetBValue(colors[i]));
            group += buf;
        }
        group += '}';
    }
    return ReplaceTable(text, true, group);
}

bool WriteFontTable(std::string& text, int count, const char (*faces)[kMarkupFaceLen])
{
    std::string group;
    if (count > 0) {
        group = "{\\fonttbl ";
        // A face read from markup may hold escaped braces: written plainly
        // they would close the entry's group early.
        for (int i = 0; i < count; ++i)
            group += "{\\f" + std::to_string(i) + " " +
                     EscapeMarkupChars(std::string_view(faces[i], strnlen(faces[i], kMarkupFaceLen - 1))) + ";}";
        group += '}';
    }
    return ReplaceTable(text, false, group);
}

void ReadMarkupTables(const std::string& text, MarkupScanner& scanner)
{
    scanner.Init(nullptr);
    ScannedToken t;
    for (int offset = 0; ScanTokenAt(text.c_str(), offset, scanner, t); offset += t.length)
        if (t.inText && Mk::IsVisible(t.kind))
            return;   // the tables stand before the first visible character
}

int FindOrAddColor(std::string& text, COLORREF color, COLORREF defaultColor)
{
    MarkupScanner s;
    ReadMarkupTables(text, s);
    const int before = s.colorCount;
    if (s.colorCount == 0)
        s.colorTable[s.colorCount++] = defaultColor;
    int index = -1;
    for (int i = 0; i < s.colorCount && index < 0; ++i)
        if (s.colorTable[i] == color)
            index = i;
    if (index < 0) {
        if (s.colorCount >= kMarkupTableMax)
            return -1;
        index = s.colorCount;
        s.colorTable[s.colorCount++] = color;
    }
    if (s.colorCount != before)
        WriteColorTable(text, s.colorCount, s.colorTable);
    return index;
}

int FindOrAddFont(std::string& text, const char* face, const char* defaultFace)
{
    if (!face)
        return -1;
    MarkupScanner s;
    ReadMarkupTables(text, s);
    const int before = s.fontCount;
    auto put = [&](const char* name) {
        std::strncpy(s.fontTable[s.fontCount], name, kMarkupFaceLen - 1);
        s.fontTable[s.fontCount][kMarkupFaceLen - 1] = 0;
        ++s.fontCount;
    };
    if (s.fontCount == 0)
        put(defaultFace ? defaultFace : "Arial");
    int index = -1;
    for (int i = 0; i < s.fontCount && index < 0; ++i)
        if (std::strncmp(s.fontTable[i], face, kMarkupFaceLen - 1) == 0)
            index = i;
    if (index < 0) {
        if (s.fontCount >= kMarkupTableMax)
            return -1;
        index = s.fontCount;
        put(face);
    }
    if (s.fontCount != before)
        WriteFontTable(text, s.fontCount, s.fontTable);
    return index;
}

int SetControlWordNumber(std::string& text, int offset, int number, int limit)
{
    if (offset < 0 || offset >= MarkupLength(text))
        return -1;
    char ch;
    int param, len;
    const int kind = NextMarkupToken(text.c_str() + offset, ch, param, len);
    int letters = 0;
    if (kind == Mk::Font)
        letters = 2;
    else if (kind == Mk::FontSize || kind == Mk::ColorIndex)
        letters = 3;
    else
        return -1;
    const bool space = text[size_t(offset + len - 1)] == ' ';
    const int digits = len - letters - (space ? 1 : 0);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%d", number);
    const size_t newLength = text.size() - size_t(digits) + std::strlen(buf);
    if (limit > 0 && newLength > size_t(limit))
        return -1;
    text.replace(size_t(offset + letters), size_t(digits), buf);
    return letters + int(std::strlen(buf)) + (space ? 1 : 0);
}

bool RenumberTableWords(std::string& text, int kind, const int* newNumbers, int count, int limit)
{
    MarkupScanner s;
    s.Init(nullptr);
    s.SetReadOnly();
    ScannedToken t;
    for (int offset = 0; ScanTokenAt(text.c_str(), offset, s, t); offset += t.length) {
        if (t.kind != kind || !t.inText || count <= 0)
            continue;
        // A number past the table stands for entry 0, as the scanner reads it.
        const int target = newNumbers[t.param >= 0 && t.param < count ? t.param : 0];
        if (target == t.param)
            continue;
        const int newLen = SetControlWordNumber(text, offset, target, limit);
        if (newLen < 0)
            return false;
        t.length = newLen;
    }
    return true;
}

namespace {

// Marks the table entries the text uses; false when a visible character
// stands before the table.
bool MarkUsed(const std::string& text, int kind, int count, bool used[kMarkupTableMax])
{
    MarkupWalker w(text.c_str(), nullptr, true);
    bool tableSeen = false;
    const int tableKind = kind == Mk::ColorIndex ? Mk::ColorTable : Mk::FontTable;
    while (w.Step()) {
        if (w.kind == tableKind)
            tableSeen = true;
        if (w.visible && !tableSeen)
            return false;
        if (w.kind == kind && w.preState == kScanText && w.scanner.InText() && count > 0)
            used[w.param >= 0 && w.param < count ? w.param : 0] = true;
    }
    return true;
}

bool CompactTable(std::string& text, int limit, bool keepFirst, bool color)
{
    MarkupScanner s;
    ReadMarkupTables(text, s);
    const int count = color ? s.colorCount : s.fontCount;
    if (count == 0)
        return false;
    bool used[kMarkupTableMax] = {};
    if (!MarkUsed(text, color ? Mk::ColorIndex : Mk::Font, count, used))
        return false;
    if (keepFirst)
        for (int i = 1; i < count; ++i)
            used[0] |= used[i];
    int newNumbers[kMarkupTableMax] = {};
    int kept = 0;
    bool renumbered = false;
    for (int i = 0; i < count; ++i) {
        if (!used[i]) {
            newNumbers[i] = 0;
            continue;
        }
        newNumbers[i] = kept;
        renumbered |= kept != i;
        if (color)
            s.colorTable[kept] = s.colorTable[i];
        else
            std::memcpy(s.fontTable[kept], s.fontTable[i], kMarkupFaceLen);
        ++kept;
    }
    if (kept == count)
        return false;
    const std::string saved = text;
    if (color)
        WriteColorTable(text, kept, s.colorTable);
    else
        WriteFontTable(text, kept, s.fontTable);
    if (renumbered && !RenumberTableWords(text, color ? Mk::ColorIndex : Mk::Font, newNumbers, count, limit)) {
        text = saved;
        return false;
    }
    return true;
}

} // namespace

bool CompactMarkupColorTable(std::string& text, int limit, bool keepFirst)
{
    return CompactTable(text, limit, keepFirst, true);
}

bool CompactMarkupFontTable(std::string& text, int limit, bool keepFirst)
{
    return CompactTable(text, limit, keepFirst, false);
}

bool MergeDuplicateTableEntries(std::string& text, int limit)
{
    MarkupScanner s;
    ReadMarkupTables(text, s);
    const std::string saved = text;
    bool changed = false;
    for (int pass = 0; pass < 2; ++pass) {
        const bool color = pass == 0;
        const int count = color ? s.colorCount : s.fontCount;
        int newNumbers[kMarkupTableMax] = {};
        int kept = 0;
        bool merged = false;
        for (int i = 0; i < count; ++i) {
            int same = -1;
            for (int j = 0; j < i && same < 0; ++j) {
                const bool equal = color ? s.colorTable[j] == s.colorTable[i]
                                         : std::strncmp(s.fontTable[j], s.fontTable[i], kMarkupFaceLen) == 0;
                if (equal)
                    same = j;
            }
            if (same >= 0) {
                newNumbers[i] = newNumbers[same];
                merged = true;
                continue;
            }
            newNumbers[i] = kept;
            if (color)
                s.colorTable[kept] = s.colorTable[i];
            else
                std::memmove(s.fontTable[kept], s.fontTable[i], kMarkupFaceLen);
            ++kept;
        }
        if (!merged)
            continue;
        if (color)
            WriteColorTable(text, kept, s.colorTable);
        else
            WriteFontTable(text, kept, s.fontTable);
        if (!RenumberTableWords(text, color ? Mk::ColorIndex : Mk::Font, newNumbers, count, limit)) {
            text = saved;
            return false;
        }
        changed = true;
    }
    return changed;
}
