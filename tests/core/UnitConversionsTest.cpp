// Point, screen, HIMETRIC and symbol-grid conversions.
#include "core/Settings.h"
#include "core/Units.h"

#include <gtest/gtest.h>

TEST(UnitConversions, PointsAndScreen)
{
    EXPECT_EQ(PointsToLogical(72), 256);
    EXPECT_EQ(LogicalToPoints(256), 72);
    EXPECT_EQ(PointsToLogical(0x1000048), 256);   // only the low 24 bits count
    EXPECT_EQ(PointsToLogical(10), 35);

    SetScreenPixelHeightForTest(768);
    ScreenHeight = 9.0;
    EXPECT_EQ(LogicalToScreenPixels(256), 85);      // 85.33 ppi truncated
    EXPECT_EQ(ScreenPixelsToLogical(85), 255);      // 9/768*256*85 + 0.5 = 255.5
    EXPECT_EQ(ScreenPixelsToLogical(96), 288);
    EXPECT_EQ(LogicalToHimetric(256), 2540);
    SIZE s{512, 128};
    SizeToHimetric(s);
    EXPECT_EQ(s.cx, 5080);
    EXPECT_EQ(s.cy, 1270);
}

TEST(UnitConversions, SymbolGridScaling)
{
    EXPECT_EQ(ScaleInt2048(1000), 2048);
    EXPECT_EQ(ScaleInt2048(-1), -2);   // -2.048 truncated
    EXPECT_EQ(ScaleInt2048(0), 0);
    int a = 500, b = 250;
    ScaleIntPair2048(a, b);
    EXPECT_EQ(a, 1024);
    EXPECT_EQ(b, 512);
    EXPECT_DOUBLE_EQ(ScaleFloat2048(1000.0), 2048.0);
    EXPECT_DOUBLE_EQ(ScaleFloatInv2048(2048.0), 1000.0);
    double l = 1, t = 2, r = 3, bt = 4;
    ScaleFloatRect2048(l, t, r, bt);
    ScaleFloatRectInv2048(l, t, r, bt);
    EXPECT_DOUBLE_EQ(bt, 4.0);
}

TEST(UnitConversions, SizeCodes)
{
    struct Case {
        double value;
        int code;
    } cases[] = {{0, 0}, {-1, 0}, {0.36, 1}, {0.5, 2}, {0.66, 2}, {0.86, 3}, {1.0, 4}, {10.1, 36}, {9.9, 36},
                 {9.875, 36}, // an eighth off still takes the fixed code (35 by the formula)
                 {64.125, 228}, {12, 43}};
    for (const Case& c : cases)
        EXPECT_EQ(SizeValueToCode(c.value), c.code) << c.value;
    EXPECT_DOUBLE_EQ(SizeCodeToValue(36), 10.0);
    EXPECT_DOUBLE_EQ(SizeCodeToValue(4), 1.0);
    EXPECT_DOUBLE_EQ(SizeCodeToValue(43), 12.0);   // 43 x 9/32 = 12.09 -> 12
}
