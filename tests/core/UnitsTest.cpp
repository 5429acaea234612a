#include "core/Settings.h"
#include "core/Units.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>

TEST(Units, UserUnitsFollowMetric)
{
    EXPECT_TRUE(Metric); // the default of a first start without a measurement setting
    EXPECT_DOUBLE_EQ(LogicalToUserUnits(250), 2.5);
    EXPECT_EQ(UserUnitsToLogical(2.5), 250);
    std::string t = "2.5";
    AppendUserUnitName(t);
    EXPECT_EQ(t, "2.5 cm");
    Metric = FALSE;
    EXPECT_DOUBLE_EQ(LogicalToUserUnits(128), 0.5);
    EXPECT_EQ(UserUnitsToLogical(0.5), 128);
    t = "1";
    AppendUserUnitName(t);
    EXPECT_EQ(t, "1 in");
    t = "12";
    AppendPointUnitName(t);
    EXPECT_EQ(t, "12 pt");
}

// Typed lengths come back as the unit they name: truncating the binary value
// lost one unit for 2.01 cm, 0.29 cm, 0.01 cm and many more.
TEST(Units, TypedLengthsRoundToTheNearestUnit)
{
    EXPECT_EQ(CentimetresToLogical(2.01), 201);
    EXPECT_EQ(CentimetresToLogical(0.29), 29);
    EXPECT_EQ(CentimetresToLogical(0.01), 1);
    EXPECT_EQ(CentimetresToLogical(double(2.01f)), 201);
    EXPECT_EQ(CentimetresToLogical(-1.5), -150);
    for (int u = -2000; u <= 2000; ++u) {
        ASSERT_EQ(CentimetresToLogical(LogicalToCentimetres(u)), u);
        ASSERT_EQ(InchesToLogical(LogicalToInches(u)), u);
    }
    EXPECT_EQ(InchesToLogical(1e300), INT_MAX);
    EXPECT_EQ(InchesToLogical(-1e300), INT_MIN);
    EXPECT_EQ(InchesToLogical(std::nan("")), 0);
}

TEST(Units, SizeCodesBothWays)
{
    struct Case {
        double points;
        int code;
    };
    const Case toCode[] = {{-1, 0},   {0, 0},     {0.3, 1},   {0.5, 2},  {0.8, 3},
                           {1.0, 4},  {10.1, 36}, {9.9, 36},  {19, 68},  {64.125, 228},
                           {12, 43},  {2, 7},     {1e300, INT_MAX}};
    for (const Case& c : toCode)
        EXPECT_EQ(SizeValueToCode(c.points), c.code) << c.points;
    EXPECT_EQ(SizeValueToCode(std::nan("")), 0);

    const Case toValue[] = {{0, 0},     {0.25, 1}, {0.5, 2},   {0.75, 3}, {1, 4},
                            {10, 36},   {19, 68},  {64, 228},  {1.5, 5},  {12, 43}};
    for (const Case& c : toValue)
        EXPECT_EQ(SizeCodeToValue(c.code), c.points) << c.code;
    // Every code survives a round trip through its value.
    for (int code = 0; code < 1000; ++code)
        ASSERT_EQ(SizeValueToCode(SizeCodeToValue(code)), code) << code;
    EXPECT_GT(SizeCodeToValue(INT_MAX), 0);
}
