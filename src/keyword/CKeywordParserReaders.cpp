// The value readers of CKeywordParser. Each reads from a cursor into the line
// buffer and moves it past what it read; bad input sets the error code and
// gives 0, never reads past the line's terminating zero.
#include "keyword/CKeywordParser.h"

#include "platform/NumText.h"

#include <algorithm>
#include <cfloat>
#include <climits>
#include <cstring>

namespace {
int HexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsHexPrefix(const char* p)
{
    return p[0] == '0' && p[1] == 'x';
}
} // namespace

BOOL CKeywordParser::SkipBlanks(const char*& p)
{
    while (IsBlank(*p) || IsSeparator(*p))
        ++p;
    if (IsEndOfLine(*p)) {
        m_nErrorCode = KWE_PREMATURE_EOL;
        return FALSE;
    }
    return TRUE;
}

void CKeywordParser::SkipTokenRest(const char*& p)
{
    while (!IsBlank(*p) && !IsSeparator(*p) && !IsEndOfLine(*p))
        ++p;
}

BOOL CKeywordParser::MatchKeyword(const char*& p, std::string_view word)
{
    const size_t n = word.size();
    if (std::strncmp(p, word.data(), n) != 0)
        return FALSE;
    char next = p[n];
    if (!(IsBlank(next) || IsEndOfLine(next) || IsComment(next) || IsQuote(next) || IsSeparator(next)))
        return FALSE;
    p += n;
    return TRUE;
}

BOOL CKeywordParser::MatchPrefix(const char*& p, const char* text)
{
    size_t n = std::strlen(text);
    if (std::strncmp(p, text, n) != 0)
        return FALSE;
    p += n;
    return TRUE;
}

BOOL CKeywordParser::ParseBool(const char*& p, int& value)
{
    if (!SkipBlanks(p))
        return FALSE;
    char c = *p;
    if (IsTrueLetter(c) || IsFalseLetter(c)) {
        value = IsTrueLetter(c) ? 1 : 0;
        ++p; // only the first character is read: "TRUE" reads as T
        return TRUE;
    }
    const unsigned char u = static_cast<unsigned char>(c);
    const bool alnum = (u >= '0' && u <= '9') || (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || u == '_';
    m_nErrorCode = alnum ? KWE_BAD_BOOLEAN : KWE_INVALID_CHAR;
    return FALSE;
}

// Decimal as the C library's atoi/atol read it: sign and digits; no digits give
// 0 without an error. Saturates at the 64-bit range.
BOOL CKeywordParser::ReadDecimal(const char*& p, long long& value)
{
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';
    unsigned long long v = 0;
    const unsigned long long cap = 1ULL << 63;
    while (*p >= '0' && *p <= '9') {
        if (v < cap)
            v = std::min(cap, v * 10 + unsigned(*p - '0'));
        ++p;
    }
    if (negative)
        value = v >= cap ? LLONG_MIN : -static_cast<long long>(v);
    else
        value = v >= cap ? LLONG_MAX : static_cast<long long>(v);
    return TRUE;
}

// Hexadecimal digits after "0x", accumulated in `bits` bits (higher digits wrap
// out); digits past maxDigits are left to the token skip.
BOOL CKeywordParser::ReadHex(const char*& p, uint64_t& value, int bits, int maxDigits)
{
    p += 2;
    const uint64_t mask = bits >= 64 ? ~0ULL : (1ULL << bits) - 1;
    uint64_t v = 0;
    for (int n = 0; n < maxDigits && HexDigit(*p) >= 0; ++n, ++p)
        v = ((v << 4) | uint64_t(HexDigit(*p))) & mask;
    value = v;
    return TRUE;
}

// A 16-bit value, decimal or "0x" hex, and the rest of its token. Hex digits
// give the value's bit pattern, so they must fit 16 bits; a decimal is read
// whole. `value` is the number as written (a hex value as unsigned), for the
// caller to check against its field's range: a value that does not fit is
// refused, never wrapped onto another number.
void CKeywordParser::ReadSixteenBits(const char*& p, long long& value, bool& hex)
{
    hex = IsHexPrefix(p);
    if (hex) {
        p += 2;
        long long v = 0;
        for (; HexDigit(*p) >= 0; ++p)
            v = std::min(v * 16 + HexDigit(*p), 0x10000LL); // anything above 0xFFFF is too large
        value = v;
    } else {
        ReadDecimal(p, value);
    }
    SkipTokenRest(p);
}

BOOL CKeywordParser::ParseShortAsInt(const char*& p, int& value, int min, int max)
{
    min = std::clamp(min, -32768, 32767);
    max = std::clamp(max, -32768, 32767);
    if (!SkipBlanks(p))
        return FALSE;
    long long read;
    bool hex;
    ReadSixteenBits(p, read, hex);
    if (hex ? read > 0xFFFF : (read < -32768 || read > 32767)) {
        m_nErrorCode = KWE_OUT_OF_RANGE;
        return FALSE;
    }
    const int v = int16_t(uint16_t(read));
    if (!CheckShortRange(v, min, max))
        return FALSE;
    value = v;
    return TRUE;
}

BOOL CKeywordParser::ParseShortInRange(const char*& p, short& value, int min, int max)
{
    int v;
    if (!ParseShortAsInt(p, v, min, max))
        return FALSE;
    value = short(v);
    return TRUE;
}

BOOL CKeywordParser::ParseUShortInRange(const char*& p, unsigned short& value, unsigned min, unsigned max)
{
    if (!SkipBlanks(p))
        return FALSE;
    long long v;
    bool hex;
    ReadSixteenBits(p, v, hex);
    if (v < 0 || v > 0xFFFF || !CheckIntRange(v, min, max)) {
        m_nErrorCode = KWE_OUT_OF_RANGE;
        return FALSE;
    }
    value = static_cast<unsigned short>(v);
    return TRUE;
}

BOOL CKeywordParser::ParseIntInRange(const char*& p, int& value, int min, int max)
{
    if (!SkipBlanks(p))
        return FALSE;
    long long d;
    ReadDecimal(p, d);
    SkipTokenRest(p);
    int v = int(std::clamp<long long>(d, INT_MIN, INT_MAX));
    if (!CheckIntRange(v, min, max))
        return FALSE;
    value = v;
    return TRUE;
}

BOOL CKeywordParser::ParseObjectId(const char*& p, int& value, int min)
{
    if (!SkipBlanks(p))
        return FALSE;
    if (IsHexPrefix(p))
        return ParseShortAsInt(p, value, min, 32767);
    return ParseIntInRange(p, value, min, kMaxObjectId);
}

BOOL CKeywordParser::ParseUIntInRange(const char*& p, uint32_t& value, uint32_t min, uint32_t max)
{
    if (!SkipBlanks(p))
        return FALSE;
    uint64_t v;
    if (IsHexPrefix(p)) {
        ReadHex(p, v, 32, INT_MAX);
    } else {
        long long d;
        ReadDecimal(p, d);
        // As strtoul: a negative value wraps, a too large one saturates.
        v = d < 0 ? uint32_t(0u - uint32_t(std::min<long long>(-(d + 1), 0xFFFFFFFELL) + 1))
              : uint64_t(std::min<long long>(d, 0xFFFFFFFFLL));
    }
    SkipTokenRest(p);
    if (!CheckIntRange((long long)v, min, max))
        return FALSE;
    value = uint32_t(v);
    return TRUE;
}

BOOL CKeywordParser::ParseUInt64InRange(const char*& p, uint64_t& value, uint64_t min, uint64_t max)
{
    if (!SkipBlanks(p))
        return FALSE;
    uint64_t v;
    if (IsHexPrefix(p)) {
        ReadHex(p, v, 64, 16);
    } else {
        long long d;
        ReadDecimal(p, d);
        v = uint64_t(d);
    }
    SkipTokenRest(p);
    if (v < min || v > max) {
        m_nErrorCode = KWE_OUT_OF_RANGE;
        return FALSE;
    }
    value = v;
    return TRUE;
}

BOOL CKeywordParser::ParseRealInRange(const char*& p, double& value, double min, double max)
{
    if (!SkipBlanks(p))
        return FALSE;
    const char* start = p;
    SkipTokenRest(p);
    // As atof: text that is no number reads as 0.
    double v = ScanDouble(std::string_view(start, size_t(p - start))).value_or(0.0);
    if (!CheckRealRange(v, min, max))
        return FALSE;
    value = v;
    return TRUE;
}

BOOL CKeywordParser::ParseFloatInRange(const char*& p, float& value, double min, double max)
{
    double v;
    if (!ParseRealInRange(p, v, std::max(min, double(-FLT_MAX)), std::min(max, double(FLT_MAX))))
        return FALSE;
    value = float(v);
    return TRUE;
}

BOOL CKeywordParser::ParseCoordInRange(const char*& p, CKwCoord& value, double min, double max)
{
    if (!SkipBlanks(p))
        return FALSE;
    int anchor = 0;
    if (m_bAnchorSyntax) {
        for (; *p == '>' || *p == '<'; ++p)
            anchor = (*p == '<' || anchor == 2) ? 2 : 1;
    }
    float v;
    if (!ParseFloatInRange(p, v, min, max))
        return FALSE;
    value.value = v;
    value.nAnchor = anchor;
    return TRUE;
}

BOOL CKeywordParser::ParsePoint(const char*& p, CKwCoordPoint& pt, double min, double max)
{
    return ParseCoordInRange(p, pt.x, min, max) && ParseCoordInRange(p, pt.y, min, max);
}

BOOL CKeywordParser::ParseCoordRect(const char*& p, CKwCoord rc[4], double min, double max)
{
    min = std::clamp(min, -32768.0, 32767.0);
    max = std::clamp(max, -32768.0, 32767.0);
    for (int i = 0; i < 4; ++i)
        if (!ParseCoordInRange(p, rc[i], min, max))
            return FALSE;
    return TRUE;
}

BOOL CKeywordParser::ParseIntPair(const char*& p, int& a, int& b, int min, int max)
{
    return ParseShortAsInt(p, a, min, max) && ParseShortAsInt(p, b, min, max);
}

BOOL CKeywordParser::ParseIntRect(const char*& p, int rc[4], int min, int max)
{
    for (int i = 0; i < 4; ++i)
        if (!ParseShortAsInt(p, rc[i], min, max))
            return FALSE;
    return TRUE;
}

BOOL CKeywordParser::ParsePointList(const char*& p, int maxCount, double min, double max, CKwCoordPoint* pts,
                                    int& count)
{
    int n;
    if (!ParseShortAsInt(p, n))
        return FALSE;
    if (n < 0 || n > maxCount) {
        m_nErrorCode = KWE_TOO_MANY_VERTICES;
        return FALSE;
    }
    for (int i = 0; i < n; ++i)
        if (!ParsePoint(p, pts[i], min, max))
            return FALSE;
    count = n;
    return TRUE;
}

BOOL CKeywordParser::ParseShortArray(const char*& p, int* values, int n, int min, int max)
{
    for (int i = 0; i < n; ++i)
        if (!ParseShortAsInt(p, values[i], min, max))
            return FALSE;
    return TRUE;
}

BOOL CKeywordParser::ParseColor(const char*& p, COLORREF& color)
{
    int rgb[3];
    if (!ParseShortArray(p, rgb, 3, 0, 255))
        return FALSE;
    color = RGB(rgb[0], rgb[1], rgb[2]);
    return TRUE;
}

BOOL CKeywordParser::ParseHexByte(const char*& p, BYTE& value)
{
    if (!SkipBlanks(p))
        return FALSE;
    int v = 0;
    // A character that is no hex digit reads as 0 and stays under the cursor.
    for (int n = 0; n < 2 && HexDigit(*p) >= 0; ++n, ++p)
        v = v * 16 + HexDigit(*p);
    value = BYTE(v);
    return TRUE;
}

BOOL CKeywordParser::ParseHexBytes(const char*& p, BYTE* values, size_t n)
{
    for (size_t i = 0; i < n; ++i)
        if (!ParseHexByte(p, values[i]))
            return FALSE;
    return TRUE;
}

BOOL CKeywordParser::ParseDelimited(const char*& p, char* buffer, size_t size)
{
    if (!SkipBlanks(p))
        return FALSE;
    const char delimiter = *p;
    const char* q = p + 1;
    size_t kept = 0;
    for (; *q != delimiter; ++q) {
        if (IsEndOfLine(*q)) {
            m_nErrorCode = KWE_INVALID_STRING;
            return FALSE;
        }
        if (kept < size)
            buffer[kept++] = *q;
    }
    buffer[kept] = '\0';
    p = q + 1;
    return TRUE;
}

BOOL CKeywordParser::ParseDelimitedCString(const char*& p, std::string& value, size_t size)
{
    if (!SkipBlanks(p))
        return FALSE;
    const char delimiter = *p;
    const char* start = p + 1;
    const char* q = start;
    while (*q != delimiter) {
        if (IsEndOfLine(*q)) {
            m_nErrorCode = KWE_INVALID_STRING;
            return FALSE;
        }
        ++q;
    }
    value.assign(start, std::min(size, size_t(q - start)));
    p = q + 1;
    return TRUE;
}

BOOL CKeywordParser::CheckShortRange(int value, int min, int max)
{
    int v = value;
    // Symbol coordinates keep anchor bits above the low 14 bits: only the
    // low 14 bits, as a signed number, are range-checked.
    if (m_bAnchorSyntax)
        v = ((value & 0x3FFF) ^ 0x2000) - 0x2000;
    if (v < min || v > max) {
        m_nErrorCode = KWE_OUT_OF_RANGE;
        return FALSE;
    }
    return TRUE;
}

BOOL CKeywordParser::CheckIntRange(long long value, long long min, long long max)
{
    if (value < min || value > max) {
        m_nErrorCode = KWE_OUT_OF_RANGE;
        return FALSE;
    }
    return TRUE;
}

BOOL CKeywordParser::CheckRealRange(double value, double min, double max)
{
    if (!(value >= min && value <= max)) {
        m_nErrorCode = KWE_OUT_OF_RANGE;
        return FALSE;
    }
    return TRUE;
}
