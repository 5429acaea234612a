#include "core/NumericHelpers.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

TEST(FormatFraction, OnlyTheListedFractionsInBothPrecisions)
{
    struct Case {
        double value;
        const char* text;
    };
    const Case cases[] = {{0.5, "1/2"},    {1.0 / 3, "1/3"}, {2.0 / 3, "2/3"},   {0.25, "1/4"},
                          {0.75, "3/4"},   {0.2, "1/5"},     {0.125, "1/8"},     {0.1, "1/10"},
                          {0.0625, "1/16"}, {0.03125, "1/32"}};
    for (const Case& c : cases) {
        std::string d, f;
        EXPECT_TRUE(FormatFraction(c.value, d)) << c.text;
        EXPECT_EQ(d, c.text);
        EXPECT_TRUE(FormatFraction(float(c.value), f)) << c.text;
        EXPECT_EQ(f, c.text);
    }
    std::string t = "stale";
    EXPECT_FALSE(FormatFraction(0.3, t));
    EXPECT_EQ(t, "");
    EXPECT_FALSE(FormatFraction(0.3f, t));
    EXPECT_FALSE(FormatFraction(1.5, t));
    // The double form does not take the float value of 1/3, nor the reverse.
    EXPECT_FALSE(FormatFraction(double(0.33333334f), t));
}

TEST(FormatDecimal, CompactsTrailingZerosAndLeadingZero)
{
    EXPECT_EQ(FormatDecimal(2.50, 2), "2.5");
    EXPECT_EQ(FormatDecimal(3.0, 2), "3");
    EXPECT_EQ(FormatDecimal(0.25, 2), ".25");
    EXPECT_EQ(FormatDecimal(100.0, 0), "100");
    EXPECT_EQ(FormatDecimal(100.0, 2), "100");
    EXPECT_EQ(FormatDecimal(-0.5, 2), "-0.5");
    EXPECT_EQ(FormatDecimal(0.001, 2), "0");
    EXPECT_EQ(FormatDecimal(1.5f, 3), "1.5");
}

TEST(FormatDecimal, NegativeZeroPrintsAsZero)
{
    EXPECT_EQ(FormatDecimal(-0.001, 2), "0");
    EXPECT_EQ(FormatDecimal(-0.4, 0), "0");
    EXPECT_EQ(FormatDecimal(-0.0, 1), "0");
}

TEST(RoundingAndClamping, RoundsClampsAndGuards)
{
    double d = 2.345;
    RoundToDecimals(d, 1);
    EXPECT_DOUBLE_EQ(d, 2.3);
    d = 2.25;
    RoundToDecimals(d, -1);
    EXPECT_DOUBLE_EQ(d, 2.25);
    d = 1e300;
    RoundToDecimals(d, 15);
    EXPECT_EQ(d, 1e300);
    float f = 0.125f;
    RoundToDecimals(f, 2);
    EXPECT_FLOAT_EQ(f, 0.13f);

    int i = 5;
    ClampInt(i, 6, 9);
    EXPECT_EQ(i, 6);
    ClampInt(i = 12, 6, 9);
    EXPECT_EQ(i, 9);
    double n = std::nan("");
    ClampDouble(n, 1.0, 2.0);
    EXPECT_EQ(n, 1.0);
    float g = 3.5f;
    ClampFloat(g, 0.f, 3.f);
    EXPECT_EQ(g, 3.f);
}

TEST(ScaleRounded, SpecialCasesRoundingAndZeroDivisor)
{
    EXPECT_EQ(ScaleRounded(1, 3, 2), 1);
    EXPECT_EQ(ScaleRounded(0, 0, 7), 0);
    EXPECT_EQ(ScaleRounded(5, 5, 7), 7);
    EXPECT_EQ(ScaleRounded(2, 4, 5), 3);
    // No division by zero, no infinite value turned into an int.
    EXPECT_EQ(ScaleRounded(3, 0, 7), 0);
    EXPECT_EQ(ScaleRounded(INT_MAX, 1, INT_MAX), INT_MAX);
}

TEST(IsMultipleOf, ThreeDecimalsAndZeroDivisor)
{
    EXPECT_TRUE(IsMultipleOf(1.5, 0.25));
    EXPECT_TRUE(IsMultipleOf(0.3, 0.1));
    EXPECT_FALSE(IsMultipleOf(1.0, 0.3));
    EXPECT_FALSE(IsMultipleOf(1.0, 0.0));
    EXPECT_FALSE(IsMultipleOf(1.0, 0.0004)); // rounds to 0 thousandths
    EXPECT_FALSE(IsMultipleOf(1e300, 1.0));
    EXPECT_FALSE(IsMultipleOf(std::nan(""), 1.0));
}

TEST(IndexOfMax, FirstLargest)
{
    const int v[] = {3, 7, 7};
    EXPECT_EQ(IndexOfMax(v, 3), 1);
    EXPECT_EQ(IndexOfMax(v, 1), 0);
    EXPECT_EQ(IndexOfMax(v, 0), -1);
    EXPECT_EQ(IndexOfMax(nullptr, 3), -1);
}

TEST(FitSizeKeepAspect, FitAndCoverModes)
{
    int w = -1, h = -1;
    EXPECT_TRUE(FitSizeKeepAspect(100, 100, 2, 1, w, h, 1));
    EXPECT_EQ(w, 100);
    EXPECT_EQ(h, 50);
    EXPECT_TRUE(FitSizeKeepAspect(100, 100, 2, 1, w, h, 0));
    EXPECT_EQ(w, 200);
    EXPECT_EQ(h, 100);
    // Already in proportion: set but reported unchanged.
    EXPECT_FALSE(FitSizeKeepAspect(200, 100, 2, 1, w, h, 1));
    EXPECT_EQ(w, 200);
    // 101 high at 3:2 is 151 wide (151.5 truncated): a box that wide fits as it is.
    EXPECT_FALSE(FitSizeKeepAspect(151, 101, 3, 2, w, h, 1));
    EXPECT_EQ(h, 101);
    w = h = -1;
    EXPECT_FALSE(FitSizeKeepAspect(100, 100, 0, 1, w, h, 1));
    EXPECT_FALSE(FitSizeKeepAspect(100, 20000, 2, 1, w, h, 1)); // 40000 wide
    EXPECT_FALSE(FitSizeKeepAspect(INT_MAX, INT_MAX, INT_MAX, 1, w, h, 1));
    EXPECT_EQ(w, -1);
    EXPECT_EQ(h, -1);
}

TEST(FitSizeKeepAspect, RectanglesCentredAndCovered)
{
    CRect fit(0, 0, 100, 100);
    EXPECT_TRUE(FitSizeCenteredInRect(fit, 2, 1));
    EXPECT_EQ(fit, CRect(0, 25, 100, 75));
    CRect cover(0, 0, 100, 100);
    EXPECT_TRUE(CoverRectKeepAspect(cover, 2, 1));
    EXPECT_EQ(cover, CRect(-50, 0, 150, 100));
    CRect same(0, 0, 100, 100);
    EXPECT_FALSE(FitSizeCenteredInRect(same, 0, 1));
    EXPECT_EQ(same, CRect(0, 0, 100, 100));
}

TEST(Factors, GivenConstants)
{
    EXPECT_NEAR(double(RadiansToDeg(3.14159f)), 180.0, 1e-4);
    EXPECT_NEAR(double(PointsToLogicalF(72.f)), 256.0, 1e-4);
    EXPECT_EQ(double(LogicalToPointsF(256.f)), 72.0);
    EXPECT_EQ(double(MulOnePointFive(2.f)), 3.0);
    EXPECT_NEAR(double(MulTwoThirds(3.f)), 2.0, 1e-6);
}

TEST(IterateToTarget, FindsNearestWidensAndGivesUp)
{
    int value = -7;
    // f(e) = e / 10: targets are hit by a band of ten arguments.
    auto tenth = [](int e) { return e / 10; };
    EXPECT_EQ(IterateToTarget(value, 5, kIterWidenNone, 0, 1000, 0, tenth), kIterFound);
    EXPECT_EQ(value / 10, 5);
    EXPECT_EQ(IterateToTarget(value, 5, kIterWidenUp, 0, 1000, 0, tenth), kIterFound);
    EXPECT_EQ(value, 59);
    EXPECT_EQ(IterateToTarget(value, 5, 1, 0, 1000, 0, tenth), kIterFound);
    EXPECT_EQ(value, 50);

    // 2e never equals 7: 3 and 4 are equally near; the tie goes to the
    // argument evaluated last (4, after overshooting from 3).
    auto twice = [](int e) { return 2 * e; };
    EXPECT_EQ(IterateToTarget(value, 7, kIterWidenNone, -100, 100, 0, twice), kIterNearest);
    EXPECT_EQ(value, 4);
    auto thrice = [](int e) { return 3 * e; };
    EXPECT_EQ(IterateToTarget(value, 22, kIterWidenNone, -100, 100, 0, thrice), kIterNearest);
    EXPECT_EQ(value, 7);

    value = -7;
    EXPECT_EQ(IterateToTarget(value, 500, kIterWidenNone, 0, 100, 50, twice), kIterFailed);
    EXPECT_EQ(value, -7);
    int calls = 0;
    auto flat = [&](int) { ++calls; return 0; };
    EXPECT_EQ(IterateToTarget(value, 1, kIterWidenNone, INT_MIN, INT_MAX, 0, flat), kIterFailed);
    EXPECT_LE(calls, 50);
    // A step the search keeps bisecting across without ever meeting the
    // target: the 50th evaluation is the last.
    calls = 0;
    auto step = [&](int e) { ++calls; return e < 1000000 ? 0 : 2; };
    EXPECT_EQ(IterateToTarget(value, 1, kIterWidenNone, INT_MIN, INT_MAX, 0, step), kIterFailed);
    EXPECT_EQ(calls, 50);
}
