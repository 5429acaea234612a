// Symbol-space float coordinates, their rounding, aspect fitting, the point
// fraction of a rectangle and the mapping of symbol points into boxes.
#include "geometry/CFltPointPair.h"
#include "geometry/CFltRect.h"
#include "geometry/SymbolSpace.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

TEST(FltTypes, EqualityComparesModesToo)
{
    EXPECT_EQ(CFltCoord(3.0f, 1), CFltCoord(3.0f, 1));
    EXPECT_FALSE(CFltCoord(3.0f, 1) == CFltCoord(3.0f, 2));
    EXPECT_FALSE(CFltPoint(1, 2, 0, 0) == CFltPoint(1, 2, 0, 1));
    CFltRect a(1, 2, 3, 4);
    CFltRect b = a;
    EXPECT_EQ(a, b);
    b.m_nBottomMode = 2;
    EXPECT_FALSE(a == b);
    CFltPointPair pair{{10, 20, 1, 2}, {30, 41, 1, 1}};
    EXPECT_EQ(pair.GetMidPoint(), CFltPoint(20, 30.5f, 0, 0));
}

TEST(FltTypes, RoundingAddsHalfAndTruncatesTowardZero)
{
    struct Case { float in; int out; };
    for (const Case& c : {Case{1023.5f, 1024}, Case{0.49f, 0}, Case{-2.7f, -2}, Case{-0.4f, 0},
                          Case{2.5f, 3}}) {
        EXPECT_EQ(CFltPoint(c.in, c.in).RoundToPoint(), CPoint(c.out, c.out)) << c.in;
    }
    EXPECT_EQ(CFltRect(0.49f, 1.5f, -2.7f, 1e20f).RoundToRect(), CRect(0, 2, -2, INT_MAX));
    EXPECT_EQ(RoundAddHalf(std::numeric_limits<double>::quiet_NaN()), 0);
}

TEST(FltTypes, ClampLimitsToSymbolSpaceAndDropsNaN)
{
    CFltPoint p(-5.0f, 3000.0f);
    p.ClampToSymbolSpace();
    EXPECT_EQ(p, CFltPoint(0.0f, 2048.0f));
    CFltPoint n(std::numeric_limits<float>::quiet_NaN(), 5.0f);
    n.ClampToSymbolSpace();
    EXPECT_EQ(n.x, 0.0f);
}

TEST(FltTypes, CornersCarryTheirModes)
{
    CFltRect r;
    r.SetCorners({1, 2, 1, 2}, {3, 4, 2, 1});
    EXPECT_EQ(r.m_nLeftMode, 1);
    EXPECT_EQ(r.m_nBottomMode, 1);
    EXPECT_EQ(r.GetCorner2(), CFltPoint(3, 4, 2, 1));
    EXPECT_FLOAT_EQ(r.Width(), 2.0f);
    CFltRect i(CRect(1, 2, 3, 4));
    EXPECT_EQ(i, CFltRect(1, 2, 3, 4));
}

TEST(FitAspect, SquareBoxKeepsCoordinatesAndClearsModesUnlessKept)
{
    CFltPoint p(300, 400, 1, 2);
    p.FitAspect(100, 100, false);
    EXPECT_EQ(p, CFltPoint(300, 400, 0, 0));
    CFltPoint k(300, 400, 1, 2);
    k.FitAspect(100, 100, true);
    EXPECT_EQ(k, CFltPoint(300, 400, 1, 2));
}

TEST(FitAspect, AnchoredCoordinatesInAWideBox)
{
    struct Case { float x; int mode; float expect; };
    for (const Case& c : {Case{2048, 1, 1024}, Case{2048, 2, 2048}, Case{0, 2, 1024},
                          Case{1000, 0, 1000}}) {
        CFltPoint p(c.x, 500, c.mode, 1);
        p.FitAspect(200, 100, false);
        EXPECT_FLOAT_EQ(p.x, c.expect) << c.x << " mode " << c.mode;
        EXPECT_FLOAT_EQ(p.y, 500);   // y is anchored only in tall boxes
        EXPECT_EQ(p.m_nXMode, 0);
    }
    CFltPoint tall(100, 2048, 0, 1);
    tall.FitAspect(100, 400, true);
    EXPECT_FLOAT_EQ(tall.y, 512);
    EXPECT_EQ(tall.m_nYMode, 1);
}

TEST(FitAspect, ScaleAnchoredUndoesFitAspect)
{
    for (int mode : {1, 2}) {
        for (float v : {100.0f, 700.0f, 1500.0f}) {
            CFltPoint p(v, v, mode, mode);
            p.FitAspect(300, 120, true);
            p.ScaleAnchored(300, 120, -1, -1);
            EXPECT_NEAR(p.x, v, 0.01) << mode;
            EXPECT_FLOAT_EQ(p.y, v);
            CFltPoint q(v, v, mode, mode);
            q.FitAspect(120, 300, true);
            q.ScaleAnchored(120, 300, -1, -1);
            EXPECT_NEAR(q.y, v, 0.01) << mode;
        }
    }
    CFltPoint capped(1800, 0);
    capped.ScaleAnchored(400, 100, 1, 2);
    EXPECT_EQ(capped, CFltPoint(2048, 0, 1, 2));
    CFltPoint zero(100, 100, 1, 1);
    zero.ScaleAnchored(100, 0, -1, -1);   // degenerate box: no division by zero
    EXPECT_EQ(zero.x, 100.0f);
}

TEST(PointToSymbolFraction, BordersAndOutside)
{
    const CRect r(100, 200, 300, 600);
    struct Case { POINT p; int ok; float fx, fy; };
    for (const Case& c : {Case{{100, 200}, 1, 0, 0}, Case{{300, 600}, 1, 2048, 2048},
                          Case{{200, 400}, 1, 1024, 1024}, Case{{150, 300}, 1, 512, 512},
                          Case{{301, 400}, 0, 1024, 1024}, Case{{99, 400}, 0, 1024, 1024},
                          Case{{200, 601}, 0, 1024, 1024}}) {
        float fx = -1, fy = -1;
        EXPECT_EQ(PointToSymbolFraction(fx, fy, c.p, r), c.ok) << c.p.x << "," << c.p.y;
        EXPECT_FLOAT_EQ(fx, c.fx);
        EXPECT_FLOAT_EQ(fy, c.fy);
    }
}

TEST(PointToSymbolFraction, RightBorderRoundTripsThroughTheMapping)
{
    // A point on the right border must come back on it after conversion and
    // mapping, or connection points there creep inwards with every move.
    const CRect r(0, 0, 37, 91);
    float fx, fy;
    ASSERT_EQ(PointToSymbolFraction(fx, fy, {37, 45}, r), 1);
    CFltPoint p(fx, fy);
    MapNormPtToRect(p, r, 0.0);
    EXPECT_FLOAT_EQ(p.x, 37.0f);
}

TEST(MapNormPt, SpecialAnglesAreComparedAsWritten)
{
    struct Case { double angle; float x, y; float ex, ey; };
    for (const Case& c : {Case{1.570795, 2048, 1024, 1024, 2048}, Case{3.14159, 2048, 1024, 0, 1024},
                          Case{-1.570795, 2048, 1024, 1024, 0}, Case{0.0, 2048, 1024, 2048, 1024},
                          // Off both axes (dx 100, dy 300): each turn uses both offsets.
                          Case{3.14159, 1124, 1324, 924, 724}, Case{1.570795, 1124, 1324, 724, 1124},
                          Case{-1.570795, 1124, 1324, 1324, 924}}) {
        CFltPoint p(c.x, c.y);
        MapNormPtToSize(p, 2048, 2048, c.angle);
        EXPECT_FLOAT_EQ(p.x, c.ex) << c.angle;
        EXPECT_FLOAT_EQ(p.y, c.ey) << c.angle;
    }
    // True pi is not the written constant: it goes through the trigonometry.
    CFltPoint t(2048, 1024);
    MapNormPtToSize(t, 2048, 2048, M_PI);
    EXPECT_NEAR(t.x, 0.0, 1e-3);
    EXPECT_NEAR(t.y, 1024.0, 1e-3);
}

TEST(MapNormPt, AnchoringModesUseTheShorterSide)
{
    const CRect wide(10, 20, 410, 120);   // 400 × 100
    struct Case { float x; int mode; float ex; };
    for (const Case& c : {Case{2048, 2, 410}, Case{0, 2, 310}, Case{2048, 1, 110}, Case{1024, 0, 210}}) {
        CFltPoint p(c.x, 2048, c.mode, 0);
        MapNormPtToRect(p, wide, 0.0);
        EXPECT_FLOAT_EQ(p.x, c.ex) << c.x << " mode " << c.mode;
        EXPECT_FLOAT_EQ(p.y, 120);
        EXPECT_EQ(p.m_nXMode, 0);
    }
}
