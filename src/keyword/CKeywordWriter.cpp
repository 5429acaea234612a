#include "keyword/CKeywordWriter.h"

#include "keyword/BlockPacking.h"
#include "keyword/KeywordHooks.h"
#include "keyword/KeywordStreams.h"
#include "platform/NumText.h"
#include "platform/StringTable.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <vector>

namespace {
constexpr char kHexDigits[] = "0123456789ABCDEF";
constexpr size_t kDataBytesPerLine = 32;
constexpr int kPointsPerLine = 8;
constexpr int kIdsPerLine = 15;
constexpr size_t kMaxResLine = 255;

// Delimiter candidates in the order they are tried: the quotes, A..z, then
// further characters the reader takes as a delimiter as well, so that a text
// loses its double quotes only when it holds every one of them. Blanks,
// separators (skipped before a delimiter) and '-' (the continuation mark)
// never delimit.
const std::vector<unsigned char> kDelimiters = [] {
    std::vector<unsigned char> v{'"', '\''};
    for (int c = 'A'; c <= 'z'; ++c)
        v.push_back(static_cast<unsigned char>(c));
    for (int c = '{'; c <= '~'; ++c)
        v.push_back(static_cast<unsigned char>(c));
    for (int c = '!'; c <= '@'; ++c)
        if (c != '"' && c != '\'' && c != ',' && c != '-' && c != '=')
            v.push_back(static_cast<unsigned char>(c));
    for (int c = 0x80; c <= 0xFF; ++c)
        v.push_back(static_cast<unsigned char>(c));
    return v;
}();

void AppendInt(std::string& out, long long v)
{
    char buf[24];
    auto res = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, res.ptr);
}

void AppendHex(std::string& out, uint64_t v, int digits)
{
    out += "0x";
    for (int i = digits - 1; i >= 0; --i)
        out += kHexDigits[(v >> (4 * i)) & 0xF];
}
} // namespace

void CKeywordWriter::AppendIndent(std::string& out) const
{
    out.append(size_t(2 * std::clamp(m_nDepth, 0, kMaxIndentLevels)), ' ');
}

void CKeywordWriter::BeginLine(EKeyword key)
{
    m_line.clear();
    AppendIndent(m_line);
    m_line += KeywordName(key);
    m_line += ' ';
}

BOOL CKeywordWriter::EndLine()
{
    m_line += "\r\n";
    return WriteLine(m_line);
}

BOOL CKeywordWriter::WriteLine(std::string_view line)
{
    if (line.size() >= kLineLimit) {
        if (g_pfnKwTrace)
            g_pfnKwTrace("ERROR line too long for save, overran bfr len=%d\n", int(line.size()));
        return FALSE;
    }
    return m_sink.Write(line.data(), line.size()) ? TRUE : FALSE;
}

BOOL CKeywordWriter::WriteResLine(UINT id)
{
    const char* text = FindResString(id);
    if (!text)
        return FALSE;
    return WriteLine(std::string_view(text, std::min(std::strlen(text), kMaxResLine)));
}

BOOL CKeywordWriter::WriteText(std::string_view text)
{
    return WriteLine(text);
}

BOOL CKeywordWriter::WriteHeader(double version)
{
    return WriteLine(StrPrintf(KW_TEXT_HEADER, version));
}

// The trimmed "%.3f" form: 1.5 -> "1.5", 2.0 -> "2", 0.0 -> "0".
void CKeywordWriter::AppendReal(std::string& out, double value)
{
    char buf[400];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, 3);
    if (res.ec != std::errc()) {
        out += '0';
        return;
    }
    char* end = res.ptr;
    if (std::memchr(buf, '.', size_t(end - buf))) {
        while (end[-1] == '0')
            --end;
        if (end[-1] == '.')
            --end;
    }
    out.append(buf, end);
}

void CKeywordWriter::AppendCoord(std::string& out, const CKwCoord& value)
{
    if (value.nAnchor == 1)
        out += '>';
    else if (value.nAnchor == 2)
        out += '<';
    AppendReal(out, value.value);
}

// The delimited form of a text: line breaks turned into '|' and '`' first,
// then the delimiter chosen from what the text does not hold, then 65-character
// pieces joined by "-\r\n" (the reader's continuation rule joins them again).
void CKeywordWriter::AppendDelimited(std::string& out, const char* text)
{
    std::string s(text ? text : "");
    if (s.size() > kMaxText)
        s.resize(kMaxText);
    for (char& c : s) {
        if (c == '\r')
            c = '|';
        else if (c == '\n')
            c = '`';
    }
    bool present[256] = {};
    for (char c : s)
        present[static_cast<unsigned char>(c)] = true;
    char delimiter = 0;
    for (unsigned char c : kDelimiters) {
        if (!present[c]) {
            delimiter = char(c);
            break;
        }
    }
    if (!delimiter) {
        std::replace(s.begin(), s.end(), '"', '\'');
        delimiter = '"';
    }
    out += delimiter;
    for (size_t pos = 0; pos < s.size(); pos += kTextPiece) {
        if (pos)
            out += "-\r\n";
        out.append(s, pos, kTextPiece);
    }
    out += delimiter;
}

BOOL CKeywordWriter::WriteBool(EKeyword key, bool value)
{
    BeginLine(key);
    m_line += value ? "TRUE" : "FALSE";
    return EndLine();
}

BOOL CKeywordWriter::WriteShort(EKeyword key, int value)
{
    BeginLine(key);
    AppendInt(m_line, int16_t(uint16_t(uint32_t(value))));
    return EndLine();
}

BOOL CKeywordWriter::WriteInt(EKeyword key, int32_t value)
{
    BeginLine(key);
    AppendInt(m_line, value);
    return EndLine();
}

BOOL CKeywordWriter::WriteHex16(EKeyword key, uint32_t value)
{
    BeginLine(key);
    AppendHex(m_line, value & 0xFFFF, 4);
    return EndLine();
}

BOOL CKeywordWriter::WriteHex32(EKeyword key, uint32_t value)
{
    BeginLine(key);
    AppendHex(m_line, value, 8);
    return EndLine();
}

BOOL CKeywordWriter::WriteHex64(EKeyword key, uint64_t value)
{
    BeginLine(key);
    AppendHex(m_line, value, 16);
    return EndLine();
}

BOOL CKeywordWriter::WriteColour(EKeyword key, COLORREF color)
{
    BeginLine(key);
    AppendInt(m_line, GetRValue(color));
    m_line += ',';
    AppendInt(m_line, GetGValue(color));
    m_line += ',';
    AppendInt(m_line, GetBValue(color));
    return EndLine();
}

BOOL CKeywordWriter::WritePoint(EKeyword key, int x, int y)
{
    BeginLine(key);
    AppendInt(m_line, x);
    m_line += ',';
    AppendInt(m_line, y);
    return EndLine();
}

BOOL CKeywordWriter::WriteRect(EKeyword key, const RECT& rc)
{
    BeginLine(key);
    const LONG v[4] = {rc.left, rc.top, rc.right, rc.bottom};
    for (int i = 0; i < 4; ++i) {
        if (i)
            m_line += ',';
        AppendInt(m_line, v[i]);
    }
    return EndLine();
}

BOOL CKeywordWriter::WriteReal(EKeyword key, double value)
{
    BeginLine(key);
    AppendReal(m_line, value);
    return EndLine();
}

BOOL CKeywordWriter::WriteCoord(EKeyword key, const CKwCoord& value)
{
    BeginLine(key);
    AppendCoord(m_line, value);
    return EndLine();
}

BOOL CKeywordWriter::WriteKeyValue(EKeyword key, std::string_view value)
{
    BeginLine(key);
    m_line += value;
    return EndLine();
}

BOOL CKeywordWriter::WriteString(EKeyword key, const char* text)
{
    BeginLine(key);
    AppendDelimited(m_line, text);
    return EndLine();
}

// Ends the key line in m_line, adds the opening brace and goes one level deeper.
BOOL CKeywordWriter::EndBlockOpening()
{
    m_line += "\r\n";
    AppendIndent(m_line);
    m_line += '{';
    if (!EndLine())
        return FALSE;
    ++m_nDepth;
    return TRUE;
}

BOOL CKeywordWriter::OpenIdBlock(EKeyword key, LONG number)
{
    return OpenNumberedBlock(key, number, std::nullopt);
}

BOOL CKeywordWriter::OpenIdBlock2(EKeyword key, LONG number, LONG number2)
{
    return OpenNumberedBlock(key, number, number2);
}

// A blank line, the key with its number(s), the opening brace; one level deeper.
BOOL CKeywordWriter::OpenNumberedBlock(EKeyword key, LONG number, std::optional<LONG> number2)
{
    m_line = "\r\n";
    AppendIndent(m_line);
    m_line += KeywordName(key);
    m_line += ' ';
    AppendInt(m_line, number);
    if (number2) {
        m_line += ' ';
        AppendInt(m_line, *number2);
    }
    return EndBlockOpening();
}

// Named blocks: symbols, styles and parts lists (flag clear) get a blank line
// when named; menu and button layouts (flag set) get one when unnamed, so a
// named Submenu follows its parent's lines directly. The name takes the
// delimiter rule like every other text, so a name holding '"' reads back whole.
BOOL CKeywordWriter::OpenNamedBlock(EKeyword key, const char* name, bool flag)
{
    const bool named = name && *name;
    m_line.clear();
    if (named != flag)
        m_line += "\r\n";
    AppendIndent(m_line);
    m_line += KeywordName(key);
    if (named) {
        m_line += ' ';
        AppendDelimited(m_line, name);
    }
    return EndBlockOpening();
}

BOOL CKeywordWriter::CloseBlock()
{
    if (m_nDepth > 0)
        --m_nDepth;
    m_line.clear();
    AppendIndent(m_line);
    m_line += '}';
    return EndLine();
}

// Each physical line is written on its own, so a long list is limited only by
// the reader's joined-line length, not by the line buffer.
BOOL CKeywordWriter::WritePointList(EKeyword key, const CKwCoordPoint* pts, int count)
{
    BeginLine(key);
    AppendInt(m_line, count);
    for (int i = 0; i < count; ++i) {
        m_line += ' ';
        AppendCoord(m_line, pts[i].x);
        m_line += ',';
        AppendCoord(m_line, pts[i].y);
        if ((i + 1) % kPointsPerLine == 0 && i + 1 < count) {
            m_line += '-';
            if (!EndLine())
                return FALSE;
            m_line.clear();
            AppendIndent(m_line);
        }
    }
    return EndLine();
}

BOOL CKeywordWriter::WriteIdRows(const int* ids, int count)
{
    for (int start = 0; start < count; start += kIdsPerLine) {
        m_line.clear();
        AppendIndent(m_line);
        const int end = std::min(count, start + kIdsPerLine);
        for (int i = start; i < end; ++i) {
            if (i > start)
                m_line += ", ";
            AppendInt(m_line, ids[i]);
        }
        if (end < count)
            m_line += ',';
        if (!EndLine())
            return FALSE;
    }
    return TRUE;
}

BOOL CKeywordWriter::WriteNameRows(const std::string* names, int count, int columns)
{
    columns = std::max(columns, 1);
    for (int start = 0; start < count; start += columns) {
        BeginLine(KW_Row);
        const int end = std::min(count, start + columns);
        for (int i = start; i < end; ++i) {
            if (i > start)
                m_line += ", ";
            AppendDelimited(m_line, names[i].c_str());
        }
        if (!EndLine())
            return FALSE;
    }
    return TRUE;
}

BOOL CKeywordWriter::WriteRawData(EKeyword key, const BYTE* data, size_t size, std::optional<LONG> second)
{
    if (key >= KW_Count || !data || !size)
        return TRUE;
    if (size > size_t(INT32_MAX))
        return FALSE;
    if (!OpenNumberedBlock(key, LONG(size), second))
        return FALSE;
    // Data lines carry no indentation; they are passed to the sink in chunks.
    std::string chunk;
    chunk.reserve(64 * 1024 + 80);
    for (size_t pos = 0; pos < size; pos += kDataBytesPerLine) {
        const size_t n = std::min(kDataBytesPerLine, size - pos);
        for (size_t i = 0; i < n; ++i) {
            chunk += kHexDigits[data[pos + i] >> 4];
            chunk += kHexDigits[data[pos + i] & 0xF];
        }
        chunk += "\r\n";
        if (chunk.size() >= 64 * 1024) {
            if (!m_sink.Write(chunk.data(), chunk.size()))
                return FALSE;
            chunk.clear();
        }
    }
    if (!chunk.empty() && !m_sink.Write(chunk.data(), chunk.size()))
        return FALSE;
    return CloseBlock();
}

BOOL CKeywordWriter::WritePackedData(EKeyword key, HGLOBAL block, std::optional<LONG> second, int packing,
                                     EKeyword labelKey)
{
    HGLOBAL packed = nullptr;
    if (block && (packing == 1 || packing == 2))
        packed = packing == 1 ? PackRuns(block) : PackBlocks(block);
    int used = packed ? packing : 0;
    const bool hasData = block && GlobalSize(block) > 0;
    if (hasData && !packed && (packing == 1 || packing == 2) && labelKey == KW_Count) {
        // The reader unpacks this block by the file version: unpacked bytes
        // would be misread, so the save fails instead.
        if (g_pfnKwTrace)
            g_pfnKwTrace("ERROR packing failed for save\n");
        return FALSE;
    }
    if (labelKey != KW_Count && !WriteShort(labelKey, used))
        return FALSE;
    HGLOBAL source = packed ? packed : block;
    BOOL ok = TRUE;
    {
        CGlobalLock lock(source);
        if (lock.data())
            ok = WriteRawData(key, lock.data(), lock.size(), second);
    }
    if (packed)
        GlobalFree(packed);
    return ok;
}
