#include "keyword/CKeywordParser.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {
// Exposes the value readers on a line of text (held with its LF and NUL, as
// the line loop hands it over).
class CReaderProbe : public CKeywordParser {
public:
    explicit CReaderProbe(const std::string& text, bool anchors = false) : m_text(text + "\n")
    {
        m_bAnchorSyntax = anchors;
        p = m_text.c_str();
    }
    const char* p;
    int Error() const { return m_nErrorCode; }
    std::string Rest() const { return std::string(p, std::strcspn(p, "\n")); }

    using CKeywordParser::MatchKeyword;
    using CKeywordParser::MatchPrefix;
    using CKeywordParser::ParseBool;
    using CKeywordParser::ParseColor;
    using CKeywordParser::ParseCoordInRange;
    using CKeywordParser::ParseCoordRect;
    using CKeywordParser::ParseDelimited;
    using CKeywordParser::ParseDelimitedCString;
    using CKeywordParser::ParseFloatInRange;
    using CKeywordParser::ParseHexBytes;
    using CKeywordParser::ParseIntInRange;
    using CKeywordParser::ParseIntRect;
    using CKeywordParser::ParsePoint;
    using CKeywordParser::ParsePointList;
    using CKeywordParser::ParseRealInRange;
    using CKeywordParser::ParseShortAsInt;
    using CKeywordParser::ParseUInt64InRange;
    using CKeywordParser::ParseUIntInRange;
    using CKeywordParser::ParseUShortInRange;
    using CKeywordParser::SkipBlanks;

protected:
    int HandleLine(char*) override { return KWR_DONE; }
    void ReportEndOfLoad() override {}
    int ReportLineError() override { return 0; }

private:
    std::string m_text;
};
} // namespace

TEST(KeywordReaders, Booleans)
{
    struct Case {
        const char* text;
        BOOL ok;
        int value;
        int error;
    };
    const Case cases[] = {
        {"TRUE", 1, 1, 0}, {"T", 1, 1, 0},  {"Y", 1, 1, 0},  {"t", 1, 1, 0},  {"y", 1, 1, 0},
        {"1", 1, 1, 0},    {"FALSE", 1, 0, 0}, {"F", 1, 0, 0}, {"N", 1, 0, 0}, {"f", 1, 0, 0},
        {"n", 1, 0, 0},    {"0", 1, 0, 0},  {"Q", 0, 0, KWE_BAD_BOOLEAN}, {"7", 0, 0, KWE_BAD_BOOLEAN},
        {"_", 0, 0, KWE_BAD_BOOLEAN}, {"!", 0, 0, KWE_INVALID_CHAR}, {"", 0, 0, KWE_PREMATURE_EOL},
        {" = , TRUE", 1, 1, 0},
    };
    for (const auto& c : cases) {
        CReaderProbe r(c.text);
        int v = -1;
        EXPECT_EQ(r.ParseBool(r.p, v), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(v, c.value) << c.text;
        }
        EXPECT_EQ(r.Error(), c.error) << c.text;
    }
    CReaderProbe r("TRUE x");
    int v;
    r.ParseBool(r.p, v);
    EXPECT_EQ(r.Rest(), "RUE x"); // only the first character is consumed
}

TEST(KeywordReaders, SixteenBitIntegers)
{
    struct Case {
        const char* text;
        int min, max;
        BOOL ok;
        int value;
    };
    const Case cases[] = {
        {"32767", -32768, 32767, 1, 32767},
        {"0x7FFF", -32768, 32767, 1, 32767},
        {"0x7fff", -32768, 32767, 1, 32767},
        // A number past the 16-bit range is refused, never wrapped.
        {"40000", -32768, 32767, 0, 0},
        {"-32769", -32768, 32767, 0, 0},
        {"-32768", -32768, 32767, 1, -32768},
        {"40000", 0, 32767, 0, 0},
        {"70000", 0, 25600, 0, 0},
        {"0x12345", -32768, 32767, 0, 0},
        {"0x10000", -32768, 32767, 0, 0},
        {"0x000000FFFF", -32768, 32767, 1, -1}, // leading zeros are no overflow
        {"0xFFFF", -32768, 32767, 1, -1},       // hex is the 16-bit pattern
        {"-5", -10, 10, 1, -5},
        {"12abc", 0, 100, 1, 12},
        {"abc", 0, 100, 1, 0}, // as atoi: no digits read as 0
        {"101", 0, 100, 0, 0},
        {"5", -100000, 100000, 1, 5}, // bounds clamped to 16 bits
        {"99999999999", -32768, 32767, 0, 0},
    };
    for (const auto& c : cases) {
        CReaderProbe r(c.text);
        int v = 777;
        EXPECT_EQ(r.ParseShortAsInt(r.p, v, c.min, c.max), c.ok) << c.text;
        if (c.ok)
            EXPECT_EQ(v, c.value) << c.text;
        else
            EXPECT_EQ(r.Error(), KWE_OUT_OF_RANGE) << c.text;
    }
    CReaderProbe rest("12abc, 7");
    int a, b;
    EXPECT_TRUE(rest.ParseShortAsInt(rest.p, a) && rest.ParseShortAsInt(rest.p, b));
    EXPECT_EQ(a, 12);
    EXPECT_EQ(b, 7);

    CReaderProbe u("0xFFFF");
    unsigned short us;
    EXPECT_TRUE(u.ParseUShortInRange(u.p, us, 0, 65535));
    EXPECT_EQ(us, 65535);
    for (const char* bad : {"65536", "-1", "0x10000"}) {
        CReaderProbe r(bad);
        EXPECT_FALSE(r.ParseUShortInRange(r.p, us, 0, 65535)) << bad;
        EXPECT_EQ(r.Error(), KWE_OUT_OF_RANGE) << bad;
    }
}

TEST(KeywordReaders, AnchorSyntaxChecksOnlyTheLow14Bits)
{
    int v;
    CReaderProbe refused("10000", true);
    EXPECT_FALSE(refused.ParseShortAsInt(refused.p, v, 0, 25600));
    EXPECT_EQ(refused.Error(), KWE_OUT_OF_RANGE);
    CReaderProbe accepted("20000", true);
    EXPECT_TRUE(accepted.ParseShortAsInt(accepted.p, v, 0, 25600));
    EXPECT_EQ(v, 20000);
    CReaderProbe plain("10000");
    EXPECT_TRUE(plain.ParseShortAsInt(plain.p, v, 0, 25600));
}

TEST(KeywordReaders, WiderIntegers)
{
    int i;
    CReaderProbe dec("400000");
    EXPECT_TRUE(dec.ParseIntInRange(dec.p, i, 0, 400000));
    EXPECT_EQ(i, 400000);
    CReaderProbe hex("0x10"); // decimal only
    EXPECT_TRUE(hex.ParseIntInRange(hex.p, i, -10, 10));
    EXPECT_EQ(i, 0);
    CReaderProbe big("400001");
    EXPECT_FALSE(big.ParseIntInRange(big.p, i, 0, 400000));

    uint32_t u;
    CReaderProbe uh("0xDEADBEEF");
    EXPECT_TRUE(uh.ParseUIntInRange(uh.p, u, 0, 0xFFFFFFFF));
    EXPECT_EQ(u, 0xDEADBEEFu);
    CReaderProbe ud("4294967295");
    EXPECT_TRUE(ud.ParseUIntInRange(ud.p, u, 0, 0xFFFFFFFF));
    EXPECT_EQ(u, 0xFFFFFFFFu);
    CReaderProbe uneg("-1");
    EXPECT_TRUE(uneg.ParseUIntInRange(uneg.p, u, 0, 0xFFFFFFFF));
    EXPECT_EQ(u, 0xFFFFFFFFu);

    uint64_t w;
    CReaderProbe wh("0x0123456789ABCDEF");
    EXPECT_TRUE(wh.ParseUInt64InRange(wh.p, w, 0, ~0ULL));
    EXPECT_EQ(w, 0x0123456789ABCDEFull);
    CReaderProbe wd("123456789012");
    EXPECT_TRUE(wd.ParseUInt64InRange(wd.p, w, 0, ~0ULL));
    EXPECT_EQ(w, 123456789012ull);
}

TEST(KeywordReaders, RealsAndCoordinates)
{
    struct Case {
        const char* text;
        double min, max;
        BOOL ok;
        double value;
    };
    const Case cases[] = {
        {"1.5", 0, 10, 1, 1.5},     {"-2.25", -10, 10, 1, -2.25}, {"5.08", 0, 100, 1, 5.08},
        {"100.5", 0, 100, 0, 0},    {"abc", 0, 1, 1, 0},          {"1e999", 0, 100, 0, 0},
        {"2.5xyz", 0, 10, 1, 2.5},  {"1,5", 0, 10, 1, 1}, // the comma separates, never a decimal point
    };
    for (const auto& c : cases) {
        CReaderProbe r(c.text);
        double v = -1;
        EXPECT_EQ(r.ParseRealInRange(r.p, v, c.min, c.max), c.ok) << c.text;
        if (c.ok) {
            EXPECT_DOUBLE_EQ(v, c.value) << c.text;
        }
    }
    float f;
    CReaderProbe huge("1e300");
    EXPECT_FALSE(huge.ParseFloatInRange(huge.p, f, -1e308, 1e308)); // no float overflow

    CKwCoord k;
    CReaderProbe lt("<-12.25", true);
    EXPECT_TRUE(lt.ParseCoordInRange(lt.p, k, -100, 100));
    EXPECT_FLOAT_EQ(k.value, -12.25f);
    EXPECT_EQ(k.nAnchor, 2);
    CReaderProbe both("><3", true);
    EXPECT_TRUE(both.ParseCoordInRange(both.p, k, -100, 100));
    EXPECT_EQ(k.nAnchor, 2); // "<" wins
    CReaderProbe gt(">3", true);
    EXPECT_TRUE(gt.ParseCoordInRange(gt.p, k, -100, 100));
    EXPECT_EQ(k.nAnchor, 1);
    CReaderProbe off(">3", false);
    EXPECT_TRUE(off.ParseCoordInRange(off.p, k, -100, 100));
    EXPECT_EQ(k.nAnchor, 0);
    EXPECT_FLOAT_EQ(k.value, 0.f); // without the switch ">" is no number

    CKwCoordPoint pt;
    CReaderProbe pr(" 1.5,>2", true);
    EXPECT_TRUE(pr.ParsePoint(pr.p, pt, -10, 10));
    EXPECT_EQ(pt.x.nAnchor, 0);
    EXPECT_EQ(pt.y.nAnchor, 1);
    CKwCoord rc[4];
    CReaderProbe rr("0,0,40000,1");
    EXPECT_FALSE(rr.ParseCoordRect(rr.p, rc, -1e9, 1e9)); // bounds clamped to 16 bits
}

TEST(KeywordReaders, PairsRectsListsAndColours)
{
    int rc[4];
    CReaderProbe r("1, 2 3=4");
    EXPECT_TRUE(r.ParseIntRect(r.p, rc, -100, 100));
    EXPECT_EQ(rc[3], 4);
    CReaderProbe shortRect("1,2,3");
    EXPECT_FALSE(shortRect.ParseIntRect(shortRect.p, rc, -100, 100));
    EXPECT_EQ(shortRect.Error(), KWE_PREMATURE_EOL);

    CKwCoordPoint pts[4];
    int n = 0;
    CReaderProbe list("3 0,0 1,1 2,2");
    EXPECT_TRUE(list.ParsePointList(list.p, 4, -10, 10, pts, n));
    EXPECT_EQ(n, 3);
    EXPECT_FLOAT_EQ(pts[2].y.value, 2.f);
    CReaderProbe tooMany("5 0,0");
    EXPECT_FALSE(tooMany.ParsePointList(tooMany.p, 4, -10, 10, pts, n));
    EXPECT_EQ(tooMany.Error(), KWE_TOO_MANY_VERTICES);
    CReaderProbe negative("-1");
    EXPECT_FALSE(negative.ParsePointList(negative.p, 4, -10, 10, pts, n));
    EXPECT_EQ(negative.Error(), KWE_TOO_MANY_VERTICES);

    COLORREF c;
    CReaderProbe col("255,128,1");
    EXPECT_TRUE(col.ParseColor(col.p, c));
    EXPECT_EQ(c, RGB(255, 128, 1));
    EXPECT_EQ(c & 0xFF, 255u);
    CReaderProbe badCol("256,0,0");
    EXPECT_FALSE(badCol.ParseColor(badCol.p, c));
}

TEST(KeywordReaders, HexBytes)
{
    BYTE b[4] = {9, 9, 9, 9};
    CReaderProbe r("0aFf 1 ,7");
    EXPECT_TRUE(r.ParseHexBytes(r.p, b, 4));
    EXPECT_EQ(b[0], 0x0A);
    EXPECT_EQ(b[1], 0xFF);
    EXPECT_EQ(b[2], 0x01);
    EXPECT_EQ(b[3], 0x07);
    // A character that is no hex digit reads as 0 and is not consumed.
    CReaderProbe bad("AZ12");
    EXPECT_TRUE(bad.ParseHexBytes(bad.p, b, 3));
    EXPECT_EQ(b[0], 0xA);
    EXPECT_EQ(b[1], 0);
    EXPECT_EQ(b[2], 0);
    CReaderProbe shortLine("AABB");
    EXPECT_FALSE(shortLine.ParseHexBytes(shortLine.p, b, 3));
    EXPECT_EQ(shortLine.Error(), KWE_PREMATURE_EOL);
}

TEST(KeywordReaders, DelimitedStrings)
{
    struct Case {
        const char* text;
        BOOL ok;
        const char* value;
        const char* rest;
    };
    const Case cases[] = {
        {"\"abc\" x", 1, "abc", " x"},
        {"'a\"b'", 1, "a\"b", ""},
        {"AxyzA", 1, "xyz", ""},
        {"\"a\\\"b\"", 1, "a\\", "b\""}, // no escapes: ends at the second quote
        {"\"\"", 1, "", ""},
        {"\"open", 0, nullptr, nullptr},
        {"\"0123456789ABC\"", 1, "01234567", ""}, // cut to the size
    };
    for (const auto& c : cases) {
        CReaderProbe r(c.text);
        char buf[9];
        EXPECT_EQ(r.ParseDelimited(r.p, buf, 8), c.ok) << c.text;
        if (c.ok) {
            EXPECT_STREQ(buf, c.value) << c.text;
            EXPECT_EQ(r.Rest(), c.rest) << c.text;
        } else {
            EXPECT_EQ(r.Error(), KWE_INVALID_STRING) << c.text;
        }
        CReaderProbe s(c.text);
        std::string str;
        EXPECT_EQ(s.ParseDelimitedCString(s.p, str, 8), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(str, c.value) << c.text;
        }
    }
}

TEST(KeywordReaders, KeywordsAndPrefixes)
{
    struct Case {
        const char* text;
        BOOL match;
    };
    const Case cases[] = {
        {"Figure 3", 1}, {"Figure", 1}, {"Figure#x", 1}, {"Figure\"a\"", 1}, {"Figure=3", 1},
        {"Figure,3", 1}, {"Figures 3", 0}, {"figure 3", 0}, {"Figur", 0}, {"", 0}, {"\n", 0},
    };
    for (const auto& c : cases) {
        CReaderProbe r(c.text);
        const char* before = r.p;
        EXPECT_EQ(r.MatchKeyword(r.p, KW_Figure), c.match) << c.text;
        if (!c.match) {
            EXPECT_EQ(r.p, before);
        }
        EXPECT_EQ(r.Error(), 0);
    }
    CReaderProbe brace("}x");
    EXPECT_TRUE(brace.MatchPrefix(brace.p, "}"));
    EXPECT_EQ(brace.Rest(), "x");
    CReaderProbe blanks(" ,= ");
    EXPECT_FALSE(blanks.SkipBlanks(blanks.p));
    EXPECT_EQ(blanks.Error(), KWE_PREMATURE_EOL);
}
