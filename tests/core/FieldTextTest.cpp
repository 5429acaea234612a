#include "core/FieldText.h"
#include "core/Settings.h"

#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <climits>

TEST(FieldText, ParsesNumbersAndFractions)
{
    struct Case {
        const char* text;
        bool ok;
        double value;
    };
    const Case cases[] = {
        {"3/4", true, 0.75},    {" 1.5 in", true, 1.5}, {"2 / 8", true, 0.25},
        {"12abc", true, 12},    {"-2", true, -2},       {"1/2 in", true, 0.5},
        {"5/", true, 5},        {"abc", false, 0},      {"", false, 0},
        {"/4", false, 0},       {"1/x", false, 0},
        // A zero divisor or a value that is not finite is refused.
        {"1/0", false, 0},      {"0/0", false, 0},      {"1e999", false, 0},
        {"1e308/1e-308", false, 0},
    };
    for (const Case& c : cases) {
        double v = -99;
        EXPECT_EQ(ParseFieldNumber(c.text, v), c.ok) << c.text;
        if (c.ok)
            EXPECT_DOUBLE_EQ(v, c.value) << c.text;
        else
            EXPECT_EQ(v, -99) << c.text;
    }
}

TEST(FieldText, RangeFailureShowsRoundedLimits)
{
    CRecordingPrompt prompt;
    double v = -1;
    EXPECT_TRUE(ReadFieldNumber("3/4", v, 0, 1, 2, 484));
    EXPECT_EQ(v, 0.75);
    EXPECT_TRUE(prompt.shown.empty());
    // Limits rounded to the field's decimals before the check: 0.004 is 0.
    EXPECT_TRUE(ReadFieldNumber("0", v, 0.004, 1, 2, 484));
    EXPECT_FALSE(ReadFieldNumber("1/0", v, 0.0312, 25.6, 2, 484));
    EXPECT_FALSE(ReadFieldNumber("30", v, 0.0312, 25.6, 2, 484));
    EXPECT_FALSE(ReadFieldNumber("30", v, 0.0312, 25.6, 2, 0));
    ASSERT_EQ(prompt.shown.size(), 2u);
    EXPECT_EQ(prompt.shown[0].text, "Enter a grid spacing between .03 and 25.6");
    EXPECT_EQ(prompt.shown[0].type, UINT(MB_ICONEXCLAMATION));
    EXPECT_EQ(v, 0);
}

TEST(FieldText, SizeCodesAsIsAndLengths)
{
    CRecordingPrompt prompt;
    int code = -1;
    EXPECT_TRUE(ReadSizeCodeText("10 pt", code, 0, 100, 2, 0));
    EXPECT_EQ(code, 36);
    EXPECT_FALSE(ReadSizeCodeText("200", code, 0, 100, 2, 0));
    int pts = -1;
    EXPECT_TRUE(ReadIntOrAsIsText("<As Is>", pts, 1, 72, 0));
    EXPECT_EQ(pts, 0);
    EXPECT_TRUE(ReadIntOrAsIsText("12.9 pt", pts, 1, 72, 0));
    EXPECT_EQ(pts, 12);
    EXPECT_FALSE(ReadIntOrAsIsText("0", pts, 1, 72, 0));

    int units = 0;
    EXPECT_TRUE(ReadLengthText("2.01 cm", units, 8, 2560, 3, 0));
    EXPECT_EQ(units, 201);
    Metric = FALSE;
    EXPECT_TRUE(ReadLengthText("1/8", units, 8, 2560, 3, 0));
    EXPECT_EQ(units, 32);
    // A limit rounded up to the field's decimals does not let a value past it.
    EXPECT_TRUE(ReadLengthText("3.91", units, 8, 1000, 2, 0));
    EXPECT_EQ(units, 1000);
    EXPECT_FALSE(ReadLengthText("0/0", units, 8, 1000, 2, 0));
    EXPECT_EQ(units, 1000);
}

TEST(FieldText, FormatsWithUnits)
{
    EXPECT_EQ(FormatFloatField(0.25f, 2, true, true), "1/4 cm");
    EXPECT_EQ(FormatFloatField(2.5f, 2, true, true), "2.5 cm");
    EXPECT_EQ(FormatDoubleField(2.5, 2, false, false), "2.50 cm");
    EXPECT_EQ(FormatLengthField(10, 3, true, false), ".1 cm");
    Metric = FALSE;
    EXPECT_EQ(FormatLengthField(32, 3, true, true), "1/8 in");
    EXPECT_EQ(FormatLengthField(256, 3, true, true), "1 in");
    EXPECT_EQ(FormatSizeCodeField(36, 2, true, false), "10 pt");
    EXPECT_EQ(FormatSizeCodeField(5, 2, true, false), "1.5 pt");
    EXPECT_EQ(FormatPointsField(0), "<As Is>");
    EXPECT_EQ(FormatPointsField(12), "12 pt");
}

// What a field shows reads back as the same value.
TEST(FieldText, WrittenLengthsReadBack)
{
    for (BOOL metric : {TRUE, FALSE}) {
        Metric = metric;
        for (int u = 8; u <= 2560; u += 7) {
            int back = -1;
            ASSERT_TRUE(ReadLengthText(FormatLengthField(u, 3, true, true), back, 8, 2560, 3, 0));
            EXPECT_NEAR(back, u, metric ? 0 : 1) << u; // inches show 3 decimals
        }
    }
}
