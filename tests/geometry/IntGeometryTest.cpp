#include "geometry/CLineSeg.h"
#include "geometry/IntGeometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <ostream>

static void PrintTo(const CPoint& p, std::ostream* os)
{
    *os << "(" << p.x << "," << p.y << ")";
}
static void PrintTo(const CRect& r, std::ostream* os)
{
    *os << "(" << r.left << "," << r.top << "," << r.right << "," << r.bottom << ")";
}

TEST(IntGeometryRounding, AddsHalfAndTruncatesTowardZero)
{
    EXPECT_EQ(RoundAddHalf(2.5), 3);
    EXPECT_EQ(RoundAddHalf(-2.7), -2);
    EXPECT_EQ(RoundAddHalf(-2.5), -2);
    EXPECT_EQ(RoundAddHalf(-0.7), 0);
    EXPECT_EQ(RoundAddHalf(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(RoundAddHalf(1e300), INT_MAX);
    EXPECT_EQ(RoundAddHalf(-1e300), INT_MIN);
    EXPECT_EQ(Midpoint(-3, 0), -2);
    EXPECT_EQ(Midpoint(0, -3), -1);
    EXPECT_EQ(Midpoint(INT_MIN, INT_MAX), -1);
    EXPECT_EQ(RectFromCenter(10, 10, 5, 7), CRect(8, 7, 13, 14));
    EXPECT_EQ(PtFraction(CPoint(0, 0), CPoint(10, -10), 3), CPoint(3, -3));
    EXPECT_EQ(PtFraction(CPoint(4, 5), CPoint(10, -10), 0), CPoint(4, 5)); // no division by 0
}

TEST(IntGeometryDistance, FastDistanceUsesSixteenthTable)
{
    EXPECT_EQ(PtDistanceFast(CPoint(0, 0), CPoint(100, 0)), 100);
    EXPECT_EQ(PtDistanceFast(CPoint(0, 0), CPoint(100, 100)), 141); // 100 * 362 / 256
    EXPECT_EQ(PtDistanceFast(CPoint(0, 0), CPoint(-1000, 31)), 1000); // below 1/32
    EXPECT_EQ(PtDistanceFast(CPoint(0, 0), CPoint(160, 80)), 178);     // 160 * 286 / 256
    EXPECT_EQ(PtDistanceFast(CPoint(0, 0), CPoint(100, 60)), 117);     // 9.6 sixteenths round to 10: 302
    EXPECT_EQ(PtDistanceFast(CPoint(INT_MIN, INT_MIN), CPoint(INT_MAX, INT_MAX)), INT_MAX);
    EXPECT_EQ(PtDistanceRounded(CPoint(0, 0), CPoint(3, 4)), 5);
}

TEST(IntGeometryAngles, UseThePiConstantsOfTheProgram)
{
    EXPECT_EQ(kGeomPi, 3.14159);
    EXPECT_EQ(LineAngle(CPoint(0, 0), CPoint(0, -5)), 0.0);
    EXPECT_EQ(LineAngle(CPoint(3, 3), CPoint(3, 3)), 3.14159);
    EXPECT_EQ(LineAngle(CPoint(0, 0), CPoint(0, 5)), 3.14159);
    EXPECT_EQ(LineAngle(CPoint(0, 0), CPoint(5, 0)), 1.570795);
    EXPECT_EQ(LineAngle(CPoint(0, 0), CPoint(-5, 0)), 4.712385);
    EXPECT_DOUBLE_EQ(LineAngle(CPoint(0, 0), CPoint(5, 5)), 1.570795 + std::atan(1.0));
    EXPECT_DOUBLE_EQ(LineAngle(CPoint(0, 0), CPoint(-5, -5)), 4.712385 + std::atan(1.0));
    EXPECT_DOUBLE_EQ(CLineSeg(0, 0, 5, -5).GetAngle(), 1.570795 - std::atan(1.0));

    EXPECT_EQ(PtAtAngle(0, 0, 0.0, 10), CPoint(0, -10));
    EXPECT_EQ(PtAtAngle(0, 0, 6.28318, 10), CPoint(0, -10));
    EXPECT_EQ(PtAtAngle(0, 0, 3.14159, 9.5), CPoint(0, 10));
    EXPECT_EQ(PtAtAngle(0, 0, 1.570795, 10), CPoint(10, 0));
    EXPECT_EQ(PtAtAngle(0, 0, 4.712385, 10), CPoint(-10, 0));
    EXPECT_EQ(PtAtAngle(0, 0, 0.7853975, 10), CPoint(7, -7));
    EXPECT_EQ(PtAtAngle(0, 0, 3.9269875, 10), CPoint(-7, 7));
    EXPECT_EQ(PtAtAngle(5, 5, std::numeric_limits<double>::quiet_NaN(), 10), CPoint(5, 5));
}

TEST(IntGeometryAngles, AngleAtVertexStaysDefinedOnStraightLines)
{
    // The cosine of this straight angle rounds to just below -1.
    const double a = AngleAtVertex(CPoint(0, 0), CPoint(59, 57), CPoint(177, 171));
    EXPECT_FALSE(std::isnan(a));
    EXPECT_NEAR(a, std::acos(-1.0), 1e-9);
    EXPECT_EQ(AngleAtVertex(CPoint(1, 1), CPoint(5, 5), CPoint(1, 1)), 0.0);
    EXPECT_EQ(AngleAtVertex(CPoint(1, 1), CPoint(1, 1), CPoint(9, 1)), 3.14159);
    EXPECT_NEAR(AngleAtVertex(CPoint(10, 0), CPoint(0, 0), CPoint(0, 10)), std::acos(0.0), 1e-12);
    EXPECT_TRUE(IsCollinear(CPoint(0, 0), CPoint(59, 57), CPoint(177, 171)));
    EXPECT_FALSE(IsCollinear(CPoint(0, 0), CPoint(50, 10), CPoint(100, 0)));
}

TEST(IntGeometryAngles, SlopesAndRatios)
{
    bool horizontal = false;
    EXPECT_EQ(SlopeRatio(CPoint(0, 0), CPoint(10, 2), &horizontal), 5.0);
    EXPECT_TRUE(horizontal);
    EXPECT_EQ(SlopeRatio(CPoint(0, 0), CPoint(0, 2), &horizontal), 0.0);
    EXPECT_FALSE(horizontal);
    EXPECT_TRUE(IsNearlyHorizontal(CPoint(0, 0), CPoint(10, 2), 4.0));
    EXPECT_FALSE(IsNearlyHorizontal(CPoint(0, 0), CPoint(10, 2), 5.0));
    EXPECT_TRUE(IsSteepWithinRatio(CPoint(0, 0), CPoint(2, 10), 6.0));
    EXPECT_FALSE(IsSteepWithinRatio(CPoint(0, 0), CPoint(10, 2), 6.0));
    EXPECT_EQ(LineSlope(CPoint(1, 0), CPoint(1, 9)), 0.0);
    EXPECT_EQ(CLineSeg(0, 0, 10, 5).GetSlope(), 0.5);
    EXPECT_EQ(CLineSeg(2, 0, 10, 4).GetIntercept(), -1.0);
    EXPECT_EQ(PtAlongLine(CPoint(0, 0), CPoint(0, -9), 4), CPoint(0, -4));
    EXPECT_EQ(PtAlongLine(CPoint(0, 0), CPoint(-9, 0), 4), CPoint(-4, 0));
    EXPECT_EQ(PtAlongLine(CPoint(0, 0), CPoint(30, 40), 10), CPoint(6, 8));
    EXPECT_DOUBLE_EQ(EllipseHalfWidthAtY(CRect(0, 0, 20, 10), 5.0), 10.0);
    EXPECT_DOUBLE_EQ(EllipseHalfWidthAtY(CRect(0, 0, 20, 10), 0.0), 0.0);
    EXPECT_DOUBLE_EQ(EllipseHalfWidthAtY(CRect(0, 0, 20, 10), 2.5), std::sqrt(75.0));
}

TEST(IntGeometryProjection, FootIsRoundedClampedAndSnapped)
{
    const CPoint a(0, 0), b(100, 50);
    EXPECT_EQ(ProjectPtOnLine(CPoint(50, 100), a, b, true), CPoint(80, 40));
    EXPECT_EQ(ProjectPtOnLine(CPoint(300, 0), a, b, false), CPoint(240, 120));
    EXPECT_EQ(ProjectPtOnLine(CPoint(300, 0), a, b, true), b);
    // The foot (1, 0) is within 1 of a on both axes.
    EXPECT_EQ(ProjectPtOnLine(CPoint(0, 2), a, b, false), a);
    // y comes from the unrounded x (14.77 gives 4; the rounded 15 would give 5).
    EXPECT_EQ(ProjectPtOnLine(CPoint(20, -13), a, CPoint(100, 30), true), CPoint(15, 4));
    EXPECT_EQ(ProjectPtOnLine(CPoint(7, 60), CPoint(0, 0), CPoint(0, 50), true), CPoint(0, 50));
    EXPECT_EQ(PtSegmentDistance(CPoint(50, 7), CPoint(0, 0), CPoint(100, 0)), 7);
    EXPECT_EQ(PtRectOutlineDistance(CPoint(5, 5), CRect(0, 0, 10, 10)), 0);
    EXPECT_EQ(PtRectOutlineDistance(CPoint(5, -4), CRect(0, 0, 10, 10)), 4);
    EXPECT_EQ(PtRectOutlineDistance(CPoint(13, 14), CRect(0, 0, 10, 10)), 5);
}

TEST(IntGeometryHitTest, NearSegmentIsStrictlyWithinTolerance)
{
    POINT foot{};
    EXPECT_FALSE(PtNearSegment(50, 0, 0, 0, 100, 0, 0, &foot)); // tolerance 0 is never near
    EXPECT_FALSE(PtNearSegment(50, 5, 0, 0, 100, 0, 5, &foot));
    ASSERT_TRUE(PtNearSegment(50, 5, 0, 0, 100, 0, 6, &foot));
    EXPECT_EQ(CPoint(foot), CPoint(50, 0));
    // The foot snaps onto an end less than 2 units away.
    ASSERT_TRUE(PtNearSegment(1, 3, 0, 0, 100, 0, 5, &foot));
    EXPECT_EQ(CPoint(foot), CPoint(0, 0));
    ASSERT_TRUE(PtNearSegment(99, 3, 0, 0, 100, 0, 5, &foot));
    EXPECT_EQ(CPoint(foot), CPoint(100, 0));
    ASSERT_TRUE(PtNearSegment(98, 3, 0, 0, 100, 0, 5, &foot));
    EXPECT_EQ(CPoint(foot), CPoint(98, 0));
    ASSERT_TRUE(PtNearSegment(2, 3, 0, 0, 100, 0, 5, &foot));
    EXPECT_EQ(CPoint(foot), CPoint(2, 0));
    EXPECT_FALSE(PtNearSegment(101, 0, 0, 0, 100, 0, 5, &foot)); // beyond both ends
    // A steep slanted segment measures horizontally: |20 - 50*10/100| = 15.
    EXPECT_FALSE(PtNearSegment(20, 50, 0, 0, 10, 100, 15, &foot));
    ASSERT_TRUE(PtNearSegment(20, 50, 0, 0, 10, 100, 16, &foot));
    EXPECT_EQ(CPoint(foot), ProjectPtOnLine(CPoint(20, 50), CPoint(0, 0), CPoint(10, 100), true));
    // Nearly vertical (|dx| * 512 < |dy|): distance to the first end's x.
    ASSERT_TRUE(PtNearSegment(3, 500, 0, 0, 1, 1000, 4, &foot));
    EXPECT_EQ(CPoint(foot), CPoint(0, 500));
    const CPoint line[3] = {{0, 0}, {100, 0}, {100, 100}};
    EXPECT_TRUE(PtNearPolyline(103, 50, line, 3, 4, nullptr));
    EXPECT_FALSE(PtNearPolyline(103, 50, line, 1, 4, nullptr));
    EXPECT_FALSE(PtNearPolyline(103, 50, nullptr, 3, 4, nullptr));
}

TEST(IntGeometryHitTest, OnSegmentIsInclusive)
{
    const CPoint a(0, 0), b(10, 10);
    EXPECT_TRUE(PtOnSegment(a, CPoint(5, 6), b, 1));  // foot (6, 6): per axis within 1
    EXPECT_FALSE(PtOnSegment(a, CPoint(5, 8), b, 1)); // foot (7, 7)
    EXPECT_FALSE(PtOnSegment(a, CPoint(5, 8), b, 2)); // 2.24 away
    EXPECT_TRUE(PtOnSegment(a, CPoint(5, 8), b, 3));
    EXPECT_FALSE(PtOnSegment(a, CPoint(5, 5), b, -1));
    EXPECT_TRUE(PtOnSegment(CPoint(0, 0), CPoint(2, 5), CPoint(0, 10), 2)); // <=, not <
    EXPECT_FALSE(PtOnSegment(CPoint(0, 0), CPoint(0, 11), CPoint(0, 10), 2));
    // Tolerance 0 asks for the exact line, in either direction along it.
    EXPECT_TRUE(PtOnSegment(a, CPoint(5, 5), b, 0));
    EXPECT_TRUE(PtOnSegment(CPoint(0, 10), CPoint(5, 5), CPoint(10, 0), 0));
    EXPECT_TRUE(PtOnSegment(b, CPoint(5, 5), a, 0));
    EXPECT_FALSE(PtOnSegment(a, CPoint(10, 10), b, 0)); // an end is not strictly between
    EXPECT_FALSE(PtOnSegment(a, CPoint(5, 6), b, 0));
}

TEST(IntGeometryHitTest, SnapLineToAxis)
{
    struct Case {
        int bx, by, limit;
        bool snaps;
        CPoint out;
    } cases[] = {
        {4, 100, 0, true, {0, 100}},   // 4 * 20 < 100
        {5, 100, 0, false, {0, 100}},  // candidate written anyway
        {100, 4, 0, true, {100, 0}},
        {30, 100, 40, true, {0, 100}}, // within the limit
        {40, 3000, 40, false, {0, 3000}}, // at the limit: 40 * 80 is not below 3000
        {50, 5000, 40, true, {0, 5000}},
        {50, 3000, 40, false, {0, 3000}},
        {0, 7, 0, true, {0, 7}},
    };
    for (const Case& c : cases) {
        POINT out{};
        EXPECT_EQ(SnapLineToAxis(0, 0, c.bx, c.by, out, c.limit), c.snaps) << c.bx << "," << c.by;
        EXPECT_EQ(CPoint(out), c.out) << c.bx << "," << c.by;
    }
}

TEST(IntGeometryRects, InsetClampAndUnion)
{
    CRect r(0, 0, 100, 100);
    EXPECT_TRUE(InsetRectByMargins(r, 10, 20, 30.4, 39.5)); // top, left, bottom, right
    EXPECT_EQ(r, CRect(20, 10, 60, 70));
    EXPECT_FALSE(InsetRectByMargins(r, 0, 30, 0, 20)); // would invert: unchanged
    EXPECT_EQ(r, CRect(20, 10, 60, 70));
    CRect inverted(10, 0, 0, 10);
    EXPECT_FALSE(InsetRectByMargins(inverted, 0, 0, 0, 0));

    int dx = 95, dy = 5;
    EXPECT_TRUE(ClampOffsetToRect(CRect(0, 0, 10, 10), dx, dy, CRect(0, 0, 100, 100)));
    EXPECT_EQ(dx, -5);
    EXPECT_EQ(dy, 0);
    dx = 5;
    dy = -20;
    EXPECT_TRUE(ClampOffsetToRect(CRect(0, 10, 10, 20), dx, dy, CRect(0, 0, 100, 100)));
    EXPECT_EQ(dx, 0);
    EXPECT_EQ(dy, 10);
    dx = 5;
    dy = 5;
    EXPECT_FALSE(ClampOffsetToRect(CRect(0, 0, 10, 10), dx, dy, CRect(0, 0, 100, 100)));
    EXPECT_EQ(dx, 5);

    CRect k(-10, 95, 10, 115);
    KeepRectInRect(k, CRect(0, 0, 100, 100));
    EXPECT_EQ(k, CRect(0, 80, 20, 100));
    CRect big(-10, 0, 200, 10);
    KeepRectInRect(big, CRect(0, 0, 100, 100));
    EXPECT_EQ(big, CRect(0, 0, 100, 10));

    CRect u;
    UnionRectSkipEmpty(u, CRect(5, 5, 6, 6));
    EXPECT_EQ(u, CRect(5, 5, 6, 6));
    UnionRectSkipEmpty(u, CRect(0, 0, 0, 0));
    EXPECT_EQ(u, CRect(5, 5, 6, 6));
    UnionRectSkipEmpty(u, CRect(-1, 5, 5, 7)); // not empty-aware beyond all-zero
    EXPECT_EQ(u, CRect(-1, 5, 6, 7));
}

TEST(IntGeometryRects, LargestBandAndNearestCorner)
{
    EXPECT_EQ(LargestRectAround(CRect(0, 0, 100, 100), CRect(10, 20, 30, 40)),
              CRect(30, 0, 100, 100));
    EXPECT_EQ(LargestRectAround(CRect(0, 0, 100, 100), CRect(0, 0, 100, 100)),
              CRect(0, 0, 100, 100));
    // Equal bands: the earlier (above before below) stays.
    EXPECT_EQ(LargestRectAround(CRect(0, 0, 100, 100), CRect(-10, 40, 110, 60)),
              CRect(0, 0, 100, 40));
    // Ties go to the corner tried first: top-left, bottom-left, bottom-right, top-right.
    EXPECT_EQ(NearestRectCorner(CRect(0, 0, 10, 10), CPoint(-1, 5)), CPoint(0, 0));
    EXPECT_EQ(NearestRectCorner(CRect(0, 0, 10, 10), CPoint(11, 5)), CPoint(10, 10));
    EXPECT_EQ(NearestRectCorner(CRect(0, 0, 10, 10), CPoint(9, 1)), CPoint(10, 0));
}

TEST(IntGeometryRects, CornerAndSideNumbers)
{
    const CRect r(0, 0, 10, 10);
    struct Case {
        CPoint p;
        int flag1, flag0;
    } cases[] = {
        {{0, 0}, 1, 4},   {{10, 0}, 2, 1}, {{10, 10}, 3, 2}, {{0, 10}, 4, 3},
        {{5, 0}, 1, 1},   {{10, 5}, 2, 2}, {{5, 10}, 3, 3},  {{0, 5}, 4, 4},
        {{5, 5}, 0, 0},
        // On a side's line but beyond the rectangle: not on the outline.
        {{-5, 0}, 0, 0},  {{10, -5}, 0, 0}, {{15, 10}, 0, 0}, {{0, 15}, 0, 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RectCornerIndex(c.p, r, 1), c.flag1) << c.p.x << "," << c.p.y;
        EXPECT_EQ(RectCornerIndex(c.p, r, 0), c.flag0) << c.p.x << "," << c.p.y;
    }
}

TEST(IntGeometryRects, SideFacingPoint)
{
    const CRect r(0, 0, 10, 10);
    struct Case {
        CPoint p;
        int side;
    } cases[] = {
        {{5, -3}, 1},  {{5, 13}, 3},  {{-3, 5}, 4},  {{13, 5}, 2},
        {{-5, -5}, 1}, {{15, -5}, 1}, {{-5, 15}, 4}, {{15, 15}, 3}, // diagonal ties
        {{-5, -2}, 4}, {{15, -2}, 2}, {{-2, 15}, 3}, {{15, 12}, 2},
        {{-5, 0}, 4}, // on the top line's extension, beside the rectangle
        {{2, 5}, 4},   {{5, 2}, 1},   {{5, 5}, 1},   {{8, 5}, 2},  {{5, 8}, 3},
        {{5, 0}, 1},   {{0, 5}, 4},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RectSideFacingPt(c.p, r, nullptr), c.side) << c.p.x << "," << c.p.y;

    int other = 0;
    EXPECT_EQ(RectSideFacingPt(CPoint(0, 0), r, &other), 1);
    EXPECT_EQ(other, 4);
    EXPECT_EQ(RectSideFacingPt(CPoint(10, 0), r, &other), 2);
    EXPECT_EQ(other, 1);
    EXPECT_EQ(RectSideFacingPt(CPoint(5, 0), r, &other), 1);
    EXPECT_EQ(other, 1);
    EXPECT_EQ(RectSideFacingPt(CPoint(0, 3), CRect(5, 0, 5, 10), nullptr), 4);
    EXPECT_EQ(RectSideFacingPt(CPoint(9, 3), CRect(5, 0, 5, 10), nullptr), 2);
    EXPECT_EQ(RectSideFacingPt(CPoint(0, 3), CRect(0, 5, 10, 5), nullptr), 1);
    EXPECT_EQ(RectSideFacingPt(CPoint(0, 6), CRect(0, 5, 10, 5), nullptr), 3);
}

TEST(IntGeometryMapping, TruncatedRoundedAndZeroWidth)
{
    const CRect from(0, 0, 10, 10), to(0, 0, 3, 3);
    POINT p{5, -5};
    MapPtBetweenRects(p, from, to);
    EXPECT_EQ(CPoint(p), CPoint(1, -1)); // 1.5 and -1.5 truncate
    p = POINT{5, -5};
    MapPtBetweenRectsRounded(p, from, to);
    EXPECT_EQ(CPoint(p), CPoint(2, -1)); // add 0.5, truncate
    p = POINT{10, 0};
    MapPtBetweenRects(p, from, CRect(100, 200, 107, 300));
    EXPECT_EQ(CPoint(p), CPoint(107, 200));
    p = POINT{7, 5};
    MapPtBetweenRects(p, CRect(5, 0, 5, 10), CRect(0, 0, 100, 100)); // zero width: x kept
    EXPECT_EQ(CPoint(p), CPoint(7, 50));
    CRect rc(0, 0, 5, 10);
    MapRectBetweenRects(rc, from, CRect(0, 0, 100, 1000));
    EXPECT_EQ(rc, CRect(0, 0, 50, 1000));
    FloatPt fp{2.5f, 10.0f};
    MapFloatPtBetweenRects(fp, FloatRect{0, 0, 10, 10}, FloatRect{0, 0, 2048, 1024});
    EXPECT_FLOAT_EQ(fp.x, 512.0f);
    EXPECT_FLOAT_EQ(fp.y, 1024.0f);
    const FloatPt c = GetRectCenterF(FloatRect{0, 0, 3, 5});
    EXPECT_FLOAT_EQ(c.x, 1.5f);
    EXPECT_FLOAT_EQ(c.y, 2.5f);
}

TEST(IntGeometryIntersect, AxisLinesAndRectangles)
{
    POINT pt{0, 5};
    EXPECT_TRUE(IntersectSegWithHorzLine(CLineSeg(0, 0, 10, 10), 0, 100, pt));
    EXPECT_EQ(pt.x, 5);
    pt = POINT{0, 3};
    EXPECT_TRUE(IntersectSegWithHorzLine(CLineSeg(-10, 3, 50, 3), 0, 100, pt));
    EXPECT_EQ(pt.x, 0);
    pt = POINT{0, 5};
    EXPECT_FALSE(IntersectSegWithHorzLine(CLineSeg(0, 0, 10, 10), 6, 100, pt));
    pt = POINT{7, 0};
    EXPECT_TRUE(IntersectSegWithVertLine(CLineSeg(0, 0, 10, -10), -100, 100, pt));
    EXPECT_EQ(pt.y, -7);

    const CRect r(0, 0, 10, 10);
    POINT hit{};
    ASSERT_TRUE(IntersectSegmentRect(CLineSeg(-10, 5, 20, 5), r, hit));
    EXPECT_EQ(CPoint(hit), CPoint(0, 5));
    ASSERT_TRUE(IntersectSegmentRect(CLineSeg(20, 5, -10, 5), r, hit));
    EXPECT_EQ(CPoint(hit), CPoint(10, 5)); // the first hit is farther from the start
    ASSERT_TRUE(IntersectSegmentRect(CLineSeg(0, 5, 20, 5), r, hit));
    EXPECT_EQ(CPoint(hit), CPoint(10, 5)); // the start itself is the first hit
    EXPECT_FALSE(IntersectSegmentRect(CLineSeg(20, 20, 30, 30), r, hit));
    EXPECT_FALSE(SegBoxOverlapsRect(CLineSeg(20, 20, 30, 30), r));
    EXPECT_TRUE(SegBoxOverlapsRect(CLineSeg(-5, 20, 20, -5), r));

    const CRect rects[2] = {{50, 0, 60, 10}, {20, 0, 30, 10}};
    EXPECT_EQ(NearestRectHitBySegment(CPoint(0, 5), CPoint(100, 5), rects, 2, hit), 1);
    EXPECT_EQ(CPoint(hit), CPoint(20, 5));
    EXPECT_EQ(NearestRectHitBySegment(CPoint(0, 5), CPoint(100, 5), rects, 0, hit), -1);
    EXPECT_EQ(NearestRectHitBySegment(CPoint(0, 5), CPoint(100, 5), nullptr, 2, hit), -1);
    EXPECT_EQ(FindRectContainingPt(CPoint(25, 5), rects, 2), 1);
    EXPECT_EQ(FindRectContainingPt(CPoint(30, 5), rects, 2), -1); // right edge excluded
}

TEST(IntGeometryIntersect, SegmentThroughACornerLeavesByAnotherSide)
{
    // A corner is met by two sides and counts as one hit, so a segment that
    // starts (or ends) on a corner gets the other crossing.
    const CRect r(0, 0, 10, 10);
    struct Case {
        CLineSeg seg;
        CPoint hit;
    } cases[] = {
        {{0, 0, 20, 10}, {10, 5}},    // from the top-left corner out by the right side
        {{20, 10, 0, 0}, {10, 5}},    // the same, ending on the corner
        {{10, 0, -10, 10}, {0, 5}},   // from the top-right corner out by the left side
        {{0, 10, 20, 0}, {10, 5}},    // from the bottom-left corner
        {{0, 0, 5, 20}, {3, 10}},     // out by the bottom side (2.5 rounds up)
        {{-10, -10, 5, 5}, {0, 0}},   // entering at a corner and ending inside
    };
    for (const Case& c : cases) {
        POINT hit{};
        ASSERT_TRUE(IntersectSegmentRect(c.seg, r, hit)) << c.seg.x1 << "," << c.seg.y1;
        EXPECT_EQ(CPoint(hit), c.hit) << c.seg.x1 << "," << c.seg.y1 << " " << c.seg.x2 << ","
                                      << c.seg.y2;
    }
}

TEST(IntGeometryIntersect, CrossingsDoNotDependOnTheDirection)
{
    // Each crossing is the exact one rounded once, whichever end comes first.
    POINT a{2, 0}, b{2, 0};
    ASSERT_TRUE(IntersectSegWithVertLine(CLineSeg(0, 0, 7, 3), -100, 100, a));
    ASSERT_TRUE(IntersectSegWithVertLine(CLineSeg(7, 3, 0, 0), -100, 100, b));
    EXPECT_EQ(a.y, 1); // 6/7
    EXPECT_EQ(b.y, 1);
    a = POINT{0, -2};
    ASSERT_TRUE(IntersectSegWithHorzLine(CLineSeg(0, 0, -3, -7), -100, 100, a));
    EXPECT_EQ(a.x, -1); // -6/7
    // Out of range by less than a unit is out of range.
    a = POINT{2, 0};
    EXPECT_FALSE(IntersectSegWithVertLine(CLineSeg(0, 0, 7, 3), 0, 0, a));

    const CLineSeg s1(0, 0, 100, 37), s2(0, 90, 100, -3);
    const CLineSeg forms[][2] = {
        {s1, s2},
        {s2, s1},
        {CLineSeg(s1.End(), s1.Start()), s2},
        {s2, CLineSeg(s1.End(), s1.Start())},
        {CLineSeg(s2.End(), s2.Start()), CLineSeg(s1.End(), s1.Start())},
    };
    for (const auto& f : forms) {
        POINT out{};
        ASSERT_TRUE(IntersectOrthoSegments(f[0], f[1], out));
        EXPECT_EQ(CPoint(out), CPoint(69, 26)); // (69.23, 25.62)
    }
}

TEST(IntGeometryIntersect, SegmentsWithSegments)
{
    POINT out{};
    ASSERT_TRUE(IntersectOrthoSegments(CLineSeg(5, -5, 5, 5), CLineSeg(0, 0, 10, 0), out));
    EXPECT_EQ(CPoint(out), CPoint(5, 0));
    ASSERT_TRUE(IntersectOrthoSegments(CLineSeg(0, 0, 10, 10), CLineSeg(0, 10, 10, 0), out));
    EXPECT_EQ(CPoint(out), CPoint(5, 5));
    EXPECT_FALSE(IntersectOrthoSegments(CLineSeg(0, 0, 10, 10), CLineSeg(0, 1, 10, 11), out));
    EXPECT_FALSE(IntersectOrthoSegments(CLineSeg(0, 0, 4, 4), CLineSeg(0, 10, 10, 0), out));
    // Collinear verticals: seg1's start when on seg2, else seg2's nearer end.
    ASSERT_TRUE(IntersectOrthoSegments(CLineSeg(0, -5, 0, 5), CLineSeg(0, 0, 0, 10), out));
    EXPECT_EQ(CPoint(out), CPoint(0, 0));
    ASSERT_TRUE(IntersectOrthoSegments(CLineSeg(0, 2, 0, 5), CLineSeg(0, 0, 0, 10), out));
    EXPECT_EQ(CPoint(out), CPoint(0, 2));
    // A slanted first segment exchanges roles with an axis-parallel second one.
    ASSERT_TRUE(IntersectOrthoSegments(CLineSeg(0, 0, 10, 10), CLineSeg(0, 4, 10, 4), out));
    EXPECT_EQ(CPoint(out), CPoint(4, 4));

    POINT two[2];
    ASSERT_EQ(IntersectAxisSegWithSeg(CLineSeg(0, 0, 0, 10), CLineSeg(-5, 5, 5, 5), two), 1);
    EXPECT_EQ(CPoint(two[0]), CPoint(0, 5));
    // A horizontal segment beyond the vertical one's ends does not meet it.
    EXPECT_EQ(IntersectAxisSegWithSeg(CLineSeg(0, 0, 0, 10), CLineSeg(-5, 20, 5, 20), two), 0);
    ASSERT_EQ(IntersectAxisSegWithSeg(CLineSeg(0, 0, 0, 10), CLineSeg(0, 5, 0, 30), two), 2);
    EXPECT_EQ(CPoint(two[0]), CPoint(0, 5));
    EXPECT_EQ(CPoint(two[1]), CPoint(0, 10));
    ASSERT_EQ(IntersectAxisSegWithSeg(CLineSeg(0, 3, 10, 3), CLineSeg(0, 0, 6, 6), two), 1);
    EXPECT_EQ(CPoint(two[0]), CPoint(3, 3));
    EXPECT_EQ(IntersectAxisSegWithSeg(CLineSeg(0, 0, 10, 5), CLineSeg(0, 3, 10, 3), two), 0);

    const CPoint square[5] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}};
    POINT hits[3];
    int n = 0;
    CollectSegPolygonHits(square, 5, CLineSeg(5, -5, 5, 15), hits, n, 3);
    ASSERT_EQ(n, 2);
    EXPECT_EQ(CPoint(hits[0]), CPoint(5, 0));
    EXPECT_EQ(CPoint(hits[1]), CPoint(5, 10));
    n = 3;
    CollectSegPolygonHits(square, 5, CLineSeg(5, -5, 5, 15), hits, n, 3); // full: no write
    EXPECT_EQ(n, 3);
    n = 0;
    CollectSegPolygonHits(square, 3, CLineSeg(5, -5, 5, 15), hits, n, 3);
    EXPECT_EQ(n, 0);
}

TEST(IntGeometryIntersect, PolylineCrossingIndexesStayInRange)
{
    const CPoint square[5] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}};
    POINT hit{};
    int before = -9, after = -9;
    ASSERT_TRUE(IntersectSegmentPolyline(CLineSeg(5, -5, 5, 5), square, 5, true, hit, &before,
                                         &after));
    EXPECT_EQ(CPoint(hit), CPoint(5, 0));
    EXPECT_EQ(before, 0);
    EXPECT_EQ(after, 1);
    // A crossing on vertex 0 of a closed outline: the vertex before it is 3.
    ASSERT_TRUE(IntersectSegmentPolyline(CLineSeg(0, -5, 0, 5), square, 5, true, hit, &before,
                                         &after));
    EXPECT_EQ(CPoint(hit), CPoint(0, 0));
    EXPECT_EQ(before, 3);
    EXPECT_EQ(after, 1);
    // On the last vertex of an open polyline the index stays on it.
    const CPoint open[3] = {{0, 0}, {10, 0}, {10, 10}};
    ASSERT_TRUE(IntersectSegmentPolyline(CLineSeg(5, 10, 15, 10), open, 3, true, hit, &before,
                                         &after));
    EXPECT_EQ(CPoint(hit), CPoint(10, 10));
    EXPECT_EQ(before, 1);
    EXPECT_EQ(after, 2);
    // Several crossings: nearest the start, or with the flag 0 nearest the end
    // when the start is nearer the outline's centre.
    struct Case {
        CLineSeg seg;
        bool preferStart;
        CPoint hit;
    } cases[] = {
        {{5, -20, 5, 20}, true, {5, 0}},
        {{5, 20, 5, -20}, true, {5, 10}},
        {{5, 20, 5, -20}, false, {5, 0}},  // start nearer the centre: nearest the end
        {{5, -30, 5, 20}, false, {5, 0}},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(IntersectSegmentPolyline(c.seg, square, 5, c.preferStart, hit, nullptr,
                                             nullptr));
        EXPECT_EQ(CPoint(hit), c.hit) << c.seg.y1 << " " << c.preferStart;
    }
    EXPECT_FALSE(IntersectSegmentPolyline(CLineSeg(5, 4, 5, 6), square, 5, true, hit, nullptr,
                                          nullptr));
}

TEST(IntGeometrySides, SideOfLineAndBetween)
{
    EXPECT_EQ(SideOfLine(CPoint(5, -1), CLineSeg(0, 0, 10, 0)), 1);
    EXPECT_EQ(SideOfLine(CPoint(5, 1), CLineSeg(0, 0, 10, 0)), 2);
    EXPECT_EQ(SideOfLine(CPoint(-1, 5), CLineSeg(0, 0, 0, 10)), 1);
    EXPECT_EQ(SideOfLine(CPoint(5, 5), CLineSeg(0, 0, 10, 10)), 0);
    EXPECT_EQ(SideOfLine(CPoint(5, 4), CLineSeg(0, 0, 10, 10)), 1);
    EXPECT_EQ(SideOfLine(CPoint(1, 5), CLineSeg(0, 0, 2, 10)), 0);
    EXPECT_EQ(SideOfLine(CPoint(2, 5), CLineSeg(0, 0, 2, 10)), 2);
    EXPECT_TRUE(IsPtBetweenOnLine(CPoint(0, 0), CPoint(0, 5), CPoint(0, 10)));
    EXPECT_FALSE(IsPtBetweenOnLine(CPoint(0, 0), CPoint(0, 10), CPoint(0, 10)));
    EXPECT_TRUE(IsPtBetweenOnLine(CPoint(10, 0), CPoint(2, 0), CPoint(0, 0)));
    EXPECT_TRUE(CLineSeg(10, 0, 0, 10).BoxContainsPt(0, 0));
    EXPECT_FALSE(CLineSeg(10, 0, 0, 10).BoxContainsPt(11, 0));
}

TEST(IntGeometryExtremes, HugeCoordinatesDoNotOverflow)
{
    // Every result is the one that exact arithmetic gives (a product of two
    // coordinates overflowing 32 or 64 bits would give another).
    const CPoint lo(INT_MIN, INT_MIN), hi(INT_MAX, INT_MAX), mixed(INT_MIN, INT_MAX);
    POINT foot{-7, -7};
    // (0, 0) lies on the full diagonal, and the end of a flat segment within
    // one unit of it.
    EXPECT_TRUE(PtNearSegment(0, 0, INT_MIN, INT_MIN, INT_MAX, INT_MAX, INT_MAX, &foot));
    EXPECT_EQ(CPoint(foot), CPoint(0, 0));
    EXPECT_TRUE(PtNearSegment(INT_MAX, 0, INT_MIN, 0, INT_MAX, 1, 5, &foot));
    EXPECT_EQ(CPoint(foot), CPoint(INT_MAX, 0));
    // The foot of the far corner on y = x is (-0.5, -0.5), rounded below.
    EXPECT_EQ(ProjectPtOnLine(mixed, lo, hi, false), CPoint(0, 0));
    EXPECT_FALSE(PtOnSegment(lo, mixed, hi, 3));
    EXPECT_TRUE(PtOnSegment(lo, CPoint(5, 5), hi, 3));
    // 2^32 - 2 against 2^32 - 1 is no axis; the horizontal candidate is given.
    EXPECT_FALSE(SnapLineToAxis(INT_MIN, INT_MIN, INT_MAX, INT_MAX - 1, foot, 7));
    EXPECT_EQ(CPoint(foot), CPoint(INT_MAX, INT_MIN));
    // The anti-diagonal from (INT_MIN, INT_MAX) is y = -x - 1.
    POINT two[2] = {};
    ASSERT_EQ(IntersectAxisSegWithSeg(CLineSeg(0, INT_MIN, 0, INT_MAX),
                                      CLineSeg(INT_MIN, INT_MAX, INT_MAX, INT_MIN), two),
              1);
    EXPECT_EQ(CPoint(two[0]), CPoint(0, -1));
    ASSERT_TRUE(IntersectOrthoSegments(CLineSeg(lo, hi), CLineSeg(mixed, CPoint(INT_MAX, INT_MIN)), foot));
    EXPECT_EQ(CPoint(foot), CPoint(0, 0)); // (-0.5, -0.5)
    EXPECT_EQ(PtAlongLine(CPoint(0, INT_MAX), CPoint(0, INT_MAX - 1), INT_MIN).y, INT_MAX);
    EXPECT_EQ(PtAtAngle(INT_MAX, 0, 1.570795, 1e30).x, INT_MAX);
    POINT p{INT_MAX, INT_MIN};
    MapPtBetweenRects(p, CRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX), CRect(0, 0, 1, 1));
    EXPECT_EQ(CPoint(p), CPoint(1, 0));
    MapPtBetweenRects(p, CRect(0, 0, 1, 1), CRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX));
    EXPECT_EQ(CPoint(p), CPoint(INT_MAX, INT_MIN));
    p = POINT{0, 0};
    MapPtBetweenRects(p, CRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX), CRect(0, 0, 100, 100));
    EXPECT_EQ(CPoint(p), CPoint(50, 50));
    CRect r(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    EXPECT_TRUE(InsetRectByMargins(r, -1e300, 1e300, 0, 0));
    EXPECT_EQ(r, CRect(-1, INT_MIN, INT_MAX, INT_MAX));
    r = CRect(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    EXPECT_EQ(RectSideFacingPt(CPoint(0, 0), r, nullptr), 1);
}
