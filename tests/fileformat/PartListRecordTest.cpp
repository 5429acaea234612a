#include "fileformat/CPartListRecord.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

using namespace std::string_literals;

namespace {
CPartListRecord Parsed(std::string_view text)
{
    CPartListRecord r;
    EXPECT_TRUE(r.ParseText(text));
    return r;
}
} // namespace

TEST(PartListRecordTest, DescriptionLineNamesThePicture)
{
    CPartListRecord r = Parsed("1|Shape~Tank|Description~Pump|Other~x");
    EXPECT_EQ(r.m_strDescription, "Pump");
    EXPECT_EQ(r.m_bDescriptionFound, 1);
    // A later description line without the key empties it again.
    r.ParseLine("1|Shape~Tank");
    EXPECT_EQ(r.m_strDescription, "");
    EXPECT_EQ(r.m_bDescriptionFound, 0);
}

// Rectangle 100,200 - 300,400: each keypad flag picks its place.
TEST(PartListRecordTest, AnchorFollowsTheFirstFlagInKeypadPriority)
{
    struct Case {
        const char* flags;
        CPoint anchor;
    } cases[] = {
        {"", {200, 300}},                 // none set: the centre
        {"|p1~1", {100, 200}},  {"|p2~1", {200, 200}}, {"|p3~1", {300, 200}},
        {"|p4~1", {100, 300}},  {"|p5~1", {200, 300}}, {"|p6~1", {300, 300}},
        {"|p7~1", {100, 400}},  {"|p8~1", {200, 400}}, {"|p9~1", {300, 400}},
        {"|p9~1|p1~1", {100, 200}},       // p1 outranks p9 whatever the order
        {"|p1~1|p5~yes", {200, 300}},     // p5 first; any value not starting with 0 sets it
        {"|p3~0|p7~01", {200, 300}},      // values starting with 0 are clear
        {"|p3~", {300, 200}},             // an empty value does not start with 0
        {"|P3~1", {200, 300}},            // keys are case-sensitive
    };
    for (const Case& c : cases) {
        CPartListRecord r = Parsed(std::string("0|Catagory~1|left~100|top~200|right~300|bottom~400") + c.flags);
        ASSERT_EQ(r.m_nParts, 1) << c.flags;
        EXPECT_EQ(r.PartAnchor(1), c.anchor) << c.flags;
    }
}

TEST(PartListRecordTest, PartsAndBoundsFromATypicalText)
{
    CPartListRecord r = Parsed("1|Description~Valve\r\n"
                               "0|left~0|top~0|right~1000|bottom~500\r\n"
                               "0|Catagory~1|PartName~In|left~0|top~200|right~20|bottom~300|p4~1\n"
                               "0|Catagory~1|PartName~Out|left~980|top~200|right~1000|bottom~300|p6~1\r"
                               "0|Catagory~0|left~5|top~5|right~6|bottom~6\n");
    EXPECT_EQ(r.m_strDescription, "Valve");
    EXPECT_EQ(r.m_bBoundsFound, 1);
    EXPECT_EQ(r.Bounds(), CRect(0, 0, 1000, 500)); // the second bounds line is ignored
    ASSERT_EQ(r.m_nParts, 2);
    EXPECT_EQ(r.PartName(1), "In");
    EXPECT_EQ(r.PartAnchor(1), CPoint(0, 250));
    EXPECT_EQ(r.PartName(2), "Out");
    EXPECT_EQ(r.PartAnchor(2), CPoint(1000, 250));
}

// Lines that must change nothing at all.
TEST(PartListRecordTest, MalformedLinesAreIgnored)
{
    const char* lines[] = {
        "",
        "0",
        "1",
        "2|Description~x",
        "0;left~1|top~1|right~2|bottom~2",
        " 0|left~1|top~1|right~2|bottom~2",
        "0|Catagory~1|left~1|top~1|right~2",                        // no bottom: no part
        "0|Catagory~1|left~1|top~1|right~2|bottom~",                // unreadable bottom
        "0|Catagory~1|left~1|top~1|right~2|bottom~abc",
        "0|Catagory~1|left~1|top~1|broken|right~2|bottom~2",        // a field without ~ ends the line
        "0|Catagory~2|left~1|top~1|right~2|bottom~2",               // neither bounds nor part
        "0|Catagory~x|left~1|top~1|right~2|bottom~2",
        "0|catagory~1|Left~1|top~1|right~2|bottom~2",               // wrong case: bounds key missing
        "0|~|~~|~~~",
        "0||||",
    };
    for (const char* line : lines) {
        CPartListRecord r;
        r.ParseLine(line);
        EXPECT_EQ(r.m_nParts, 0) << line;
        EXPECT_EQ(r.m_bBoundsFound, 0) << line;
        EXPECT_EQ(r.m_bDescriptionFound, 0) << line;
    }
}

TEST(PartListRecordTest, OnlyTheFirstFiftyFieldsAndTheFirstOfAKeyCount)
{
    std::string line = "0|Catagory~1|left~1|left~99|top~1|right~3|bottom~3|PartName~A|PartName~B";
    CPartListRecord r = Parsed(line);
    ASSERT_EQ(r.m_nParts, 1);
    EXPECT_EQ(r.PartAnchor(1), CPoint(2, 2));
    EXPECT_EQ(r.PartName(1), "A");

    // Key "bottom" as the 51st field is out of reach.
    std::string late = "0|Catagory~1|left~1|top~1|right~3";
    for (int i = 0; i < 46; ++i)
        late += "|x~" + std::to_string(i);
    EXPECT_EQ(Parsed(late + "|bottom~3").m_nParts, 0);
    EXPECT_EQ(Parsed(late.substr(0, late.rfind('|')) + "|bottom~3").m_nParts, 1);
}

TEST(PartListRecordTest, HugeInputsStayWithinTheRecord)
{
    // 600 part lines: the first 512 are kept.
    std::string text;
    for (int i = 0; i < 600; ++i)
        text += "0|Catagory~1|PartName~P" + std::to_string(i) + "|left~" + std::to_string(i)
                + "|top~0|right~" + std::to_string(i) + "|bottom~0\n";
    CPartListRecord r = Parsed(text);
    EXPECT_EQ(r.m_nParts, CPartListRecord::kMaxParts);
    EXPECT_EQ(r.PartName(512), "P511");

    // Coordinates past the int range are held at its ends; their midpoint does not overflow.
    CPartListRecord big =
        Parsed("0|Catagory~1|left~99999999999|top~-99999999999|right~2147483647|bottom~-2147483648");
    ASSERT_EQ(big.m_nParts, 1);
    EXPECT_EQ(big.PartAnchor(1), CPoint(INT_MAX, INT_MIN));

    // A line at the length limit is read; one character more refuses the whole text.
    std::string longest = "1|Description~" + std::string(CPartListRecord::kMaxLineLength - 14, 'd');
    ASSERT_EQ(longest.size(), CPartListRecord::kMaxLineLength);
    EXPECT_EQ(Parsed(longest).m_strDescription.size(), CPartListRecord::kMaxLineLength - 14);
    CPartListRecord refused;
    EXPECT_FALSE(refused.ParseText("1|Description~kept\n" + longest + "d"));
    EXPECT_EQ(refused.m_bDescriptionFound, 0);

    // Lines split at NUL as well, and empty lines between them are harmless.
    CPartListRecord nul = Parsed("1|Description~A\0\0\n\r0|left~1|top~2|right~3|bottom~4"s);
    EXPECT_EQ(nul.m_strDescription, "A");
    EXPECT_EQ(nul.Bounds(), CRect(1, 2, 3, 4));
}
