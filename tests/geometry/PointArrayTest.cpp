#include "core/Trace.h"
#include "geometry/CPointArray.h"
#include "core/CSerialStamp.h"
#include "geometry/IntGeometry.h"
#include "geometry/PointRuns.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

static void PrintTo(const CPoint& p, std::ostream* os)
{
    *os << "(" << p.x << "," << p.y << ")";
}
static void PrintTo(const CRect& r, std::ostream* os)
{
    *os << "(" << r.left << "," << r.top << "," << r.right << "," << r.bottom << ")";
}

namespace {
std::vector<CPoint> PointsOf(const CPointArray& arr)
{
    return std::vector<CPoint>(arr.GetData(), arr.GetData() + arr.GetCount());
}

void SetFrom(CPointArray& arr, const std::vector<CPoint>& pts, int capacity = 0)
{
    arr.Alloc(capacity ? capacity : int(pts.size()));
    arr.SetPoints(pts.data(), int(pts.size()));
}

const std::vector<CPoint> kSquare = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {0, 0}};

std::string g_traced;
int RecordTrace(const char* format, ...)
{
    char line[256];
    va_list args;
    va_start(args, format);
    const int n = std::vsnprintf(line, sizeof line, format, args);
    va_end(args);
    g_traced += line;
    return n;
}
} // namespace

TEST(PointArray, DefaultArrayRefusesPointsUntilAllocated)
{
    CPointArray arr;
    EXPECT_EQ(arr.GetCapacity(), INT_MAX);
    EXPECT_FALSE(arr.OwnsBuffer());
    EXPECT_FALSE(arr.Add(CPoint(1, 1)));
    // No buffer: nothing may be copied, whatever the capacity says.
    EXPECT_FALSE(arr.SetPoints(kSquare.data(), 5));
    EXPECT_FALSE(arr.SetCount(3));
    EXPECT_FALSE(arr.Alloc(-1));
    EXPECT_FALSE(arr.Alloc(CPointArray::kMaxCapacity + 1));
    ASSERT_TRUE(arr.Alloc(2));
    EXPECT_TRUE(arr.OwnsBuffer());
    EXPECT_TRUE(arr.Add(CPoint(1, 1)));
    EXPECT_TRUE(arr.Add(CPoint(2, 2)));
    EXPECT_TRUE(arr.IsFull());
    EXPECT_FALSE(arr.Add(CPoint(3, 3)));
    EXPECT_FALSE(arr.SetPoints(kSquare.data(), 3));
    EXPECT_TRUE(arr.Free());
    EXPECT_EQ(arr.GetCapacity(), 2); // Free keeps the capacity
    EXPECT_EQ(arr.GetCount(), 0);
    EXPECT_FALSE(arr.Free());
}

TEST(PointArray, ViewsNeverFreeTheirBuffer)
{
    CPoint buffer[4] = {{1, 2}, {3, 4}};
    {
        CPointArray view(buffer, 2, 4);
        EXPECT_FALSE(view.OwnsBuffer());
        EXPECT_TRUE(view.Add(CPoint(5, 6)));
        EXPECT_FALSE(view.Free()); // drops the view, deletes nothing
        EXPECT_EQ(view.GetData(), nullptr);
        view.Attach(buffer, 9, 4); // a count beyond the capacity is cut
        EXPECT_EQ(view.GetCount(), 4);
    }
    EXPECT_EQ(buffer[2], CPoint(5, 6));

    CPointArray owner;
    SetFrom(owner, kSquare);
    CPointArray alias(owner.GetData() + 1, 3, 3);
    EXPECT_TRUE(owner.CopyFrom(alias)); // copies out of its own buffer safely
    EXPECT_EQ(PointsOf(owner), std::vector<CPoint>(kSquare.begin() + 1, kSquare.begin() + 4));
    EXPECT_TRUE(owner.CopyFrom(owner));
    EXPECT_EQ(owner.GetCount(), 3);
    CPointArray moved(std::move(owner));
    EXPECT_EQ(moved.GetCount(), 3);
    EXPECT_TRUE(moved.OwnsBuffer());
    EXPECT_EQ(owner.GetData(), nullptr);
    owner = std::move(moved);
    EXPECT_EQ(owner.GetCount(), 3);
}

TEST(PointArray, BoundsOutlinesAndVertices)
{
    CPointArray arr(8);
    ASSERT_TRUE(arr.SetRectOutline(CRect(-20, -30, -5, -10)));
    EXPECT_EQ(PointsOf(arr), (std::vector<CPoint>{{-20, -30}, {-5, -30}, {-5, -10}, {-20, -10},
                                                  {-20, -30}}));
    EXPECT_TRUE(arr.IsClosed());
    EXPECT_TRUE(arr.ContainsVertex(CPoint(-5, -10)));
    EXPECT_FALSE(arr.ContainsVertex(CPoint(-5, -11)));
    // Right and bottom come from the points, also at negative coordinates.
    RECT rc{};
    ASSERT_TRUE(arr.GetBoundingRect(rc));
    EXPECT_EQ(CRect(rc), CRect(-20, -30, -5, -10));
    const CPoint tri[4] = {{-10, -10}, {-5, -20}, {-1, -3}, {-10, -10}};
    ASSERT_TRUE(PtsBoundingRect(4, tri, rc));
    EXPECT_EQ(CRect(rc), CRect(-10, -20, -1, -3));
    EXPECT_FALSE(PtsBoundingRect(3, tri, rc));
    EXPECT_FALSE(PtsBoundingRect(4, nullptr, rc));

    CPointArray small(4);
    EXPECT_FALSE(small.SetRectOutline(CRect(0, 0, 1, 1))); // five points do not fit

    arr.MapBetweenRects(CRect(-20, -30, -5, -10), CRect(0, 0, 150, 200));
    EXPECT_EQ(arr[2], CPoint(150, 200));
}

TEST(PointArray, TwoSpanOutlines)
{
    CPointArray arr(8);
    ASSERT_TRUE(arr.SetTwoRectOutline(CLineSeg(0, 50, 100, 60), CLineSeg(0, 10, 100, 20)));
    EXPECT_EQ(PointsOf(arr),
              (std::vector<CPoint>{{0, 10}, {100, 10}, {100, 50}, {0, 50}, {0, 10}}));
    ASSERT_TRUE(arr.SetTwoRectOutline(CLineSeg(30, 0, 40, 10), CLineSeg(10, 0, 20, 10)));
    EXPECT_EQ(PointsOf(arr), (std::vector<CPoint>{{10, 0}, {10, 10}, {40, 10}, {40, 0}, {10, 0}}));
    ASSERT_TRUE(arr.SetTwoRectOutline(CLineSeg(50, 50, 90, 60), CLineSeg(0, 0, 40, 10)));
    EXPECT_EQ(arr.GetCount(), 7);
    EXPECT_TRUE(arr.IsClosed());
    EXPECT_EQ(arr[0], CPoint(0, 0));
    EXPECT_EQ(arr[3], CPoint(90, 60));
    EXPECT_FALSE(arr.SetTwoRectOutline(CLineSeg(0, 50, 40, 60), CLineSeg(50, 0, 90, 10)));
    EXPECT_EQ(arr.GetCount(), 0);
}

TEST(PointArray, PtAtLength)
{
    CPointArray arr;
    SetFrom(arr, {{0, 0}, {10, 0}, {10, 10}});
    struct Case {
        double d;
        CPoint pt;
        int segment, next;
    } cases[] = {
        {0.0, {0, 0}, -1, 1},    {-3.0, {0, 0}, -1, 1},  {5.0, {5, 0}, 0, 1},
        {10.0, {10, 0}, 0, 2},   {12.5, {10, 3}, 1, 2},  {20.0, {10, 10}, 1, -1},
        {25.0, {10, 10}, 2, -1}, {NAN, {10, 10}, 2, -1},
    };
    for (const Case& c : cases) {
        int segment = 99, next = 99;
        EXPECT_EQ(arr.PtAtLength(c.d, &segment, &next), c.pt) << c.d;
        EXPECT_EQ(segment, c.segment) << c.d;
        EXPECT_EQ(next, c.next) << c.d;
    }
    EXPECT_DOUBLE_EQ(arr.Length(), 20.0);
    EXPECT_DOUBLE_EQ(arr.Length(2), 10.0);
    EXPECT_DOUBLE_EQ(arr.Length(99), 20.0);
    EXPECT_DOUBLE_EQ(arr.Length(1), 0.0);
    CPointArray none;
    int segment = 99, next = 99;
    EXPECT_EQ(none.PtAtLength(3.0, &segment, &next), CPoint(0, 0));
    EXPECT_EQ(segment, -1);
    EXPECT_EQ(next, -1);
}

TEST(PointArray, NearestPoint)
{
    CPointArray arr;
    SetFrom(arr, {{0, 0}, {10, 0}, {10, 10}});
    int segment = -9;
    // The foot on the end of segment 0 reports the following segment.
    EXPECT_EQ(arr.NearestPt(12, -3, &segment), CPoint(10, 0));
    EXPECT_EQ(segment, 1);
    EXPECT_EQ(arr.NearestPt(5, 0, &segment), CPoint(5, 0));
    EXPECT_EQ(segment, 0);
    EXPECT_EQ(arr.NearestPt(14, 6, &segment), CPoint(10, 6));
    EXPECT_EQ(segment, 1);
    EXPECT_EQ(arr.NearestDistance(14, 6), 4);
    POINT foot{};
    EXPECT_TRUE(arr.HitTest(12, 6, 3, &foot));
    EXPECT_EQ(CPoint(foot), CPoint(10, 6));
    EXPECT_FALSE(arr.HitTest(13, 6, 3, &foot));
    CPoint one[1] = {{7, 7}};
    EXPECT_EQ(CPointArray(one, 1, 1).NearestPt(0, 0, &segment), CPoint(7, 7));
    EXPECT_EQ(segment, 0);
    EXPECT_EQ(NearestPtOnRectOutline(CRect(0, 0, 10, 10), CPoint(5, 5)), CPoint(5, 0));
    EXPECT_EQ(NearestPtOnRectOutline(CRect(0, 0, 10, 10), CPoint(-3, 4)), CPoint(0, 4));
}

TEST(PointRuns, CloseMapAndInsert)
{
    CPoint pts[6] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    int count = 4;
    EXPECT_FALSE(ClosePolygonPts(count, pts, 4)); // no room for the closing point
    EXPECT_TRUE(ClosePolygonPts(count, pts, 6));
    EXPECT_EQ(count, 5);
    EXPECT_TRUE(IsPolyClosed(count, pts));
    EXPECT_TRUE(ClosePolygonPts(count, pts, 6)); // already closed: unchanged
    EXPECT_EQ(count, 5);
    const CRect from(0, 0, 10, 10), to(0, 0, 2048, 2048), flat(0, 0, 10, 0);
    EXPECT_FALSE(MapPtsBetweenRects(count, pts, 6, &flat, &to));
    EXPECT_FALSE(MapPtsBetweenRects(count, pts, 6, &from, nullptr));
    ASSERT_TRUE(MapPtsBetweenRects(count, pts, 6, &from, &to));
    EXPECT_EQ(pts[2], CPoint(2048, 2048));

    CPoint line[8] = {{0, 0}, {10, 0}, {20, 0}};
    int n = 3;
    const CPoint run[3] = {{0, 0}, {5, 5}, {10, 0}};
    // The run's first point equals the new predecessor and its last the new
    // successor: only (5, 5) goes in.
    ASSERT_TRUE(InsertPtsIntoPolyline(line, n, 8, run, 3, 1));
    EXPECT_EQ(n, 4);
    EXPECT_EQ(line[1], CPoint(5, 5));
    EXPECT_EQ(line[2], CPoint(10, 0));
    EXPECT_EQ(line[3], CPoint(20, 0));
    EXPECT_FALSE(InsertPtsIntoPolyline(line, n, 8, run, 3, 4));  // index == count
    EXPECT_FALSE(InsertPtsIntoPolyline(line, n, 8, run, 3, -1));
    EXPECT_FALSE(InsertPtsIntoPolyline(line, n, 8, run, 0, 1));
    EXPECT_FALSE(InsertPtsIntoPolyline(line, n, 5, run, 3, 3)); // does not fit
    const CPoint same[1] = {{5, 5}};
    EXPECT_FALSE(InsertPtsIntoPolyline(line, n, 8, same, 1, 2)); // nothing remains
    EXPECT_EQ(n, 4);
}

TEST(PointRuns, NextPolyIndexWrapsClosedArrays)
{
    CPointArray closed, open;
    SetFrom(closed, kSquare);
    SetFrom(open, {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    struct Case {
        const CPointArray* arr;
        int index;
        bool backwards;
        int next;
    } cases[] = {
        {&closed, 0, true, 3},  {&closed, 4, false, 1}, {&closed, 2, false, 3},
        {&closed, 2, true, 1},  {&open, 0, true, 3},    {&open, 3, false, 0},
        {&closed, 5, false, -1}, {&closed, -1, true, -1}, {&open, 4, true, -1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NextPolyIndex(*c.arr, c.index, c.backwards), c.next) << c.index;
}

TEST(PointRuns, ReduceDropsStraightVertices)
{
    // The angle at (59, 57) is straight, though its cosine rounds below -1.
    CPoint pts[4] = {{0, 0}, {59, 57}, {177, 171}, {177, 400}};
    int count = 4;
    EXPECT_TRUE(ReducePolylinePts(count, pts, 170.0, false));
    ASSERT_EQ(count, 3);
    EXPECT_EQ(pts[1], CPoint(177, 171));

    CPoint corner[5] = {{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}};
    count = 5;
    EXPECT_FALSE(ReducePolylinePts(count, corner, 170.0, false));
    EXPECT_EQ(count, 5);
    count = 3;
    EXPECT_FALSE(ReducePolylinePts(count, corner, 170.0, false));
    EXPECT_FALSE(ReducePolylinePts(count, nullptr, 170.0, false));
}

TEST(PointRuns, ReduceTracesEveryPoint)
{
    g_traced.clear();
    g_pfnGeomTrace = RecordTrace;
    CPoint pts[4] = {{0, 0}, {5, -5}, {9, 0}, {20, 30}};
    int count = 4;
    ReducePolylinePts(count, pts, 170.0, false);
    g_pfnGeomTrace = &DiagPrintf;
    EXPECT_EQ(g_traced, "    pPts[0] = CPoint(0,0)\n    pPts[1] = CPoint(5,-5)\n"
                        "    pPts[2] = CPoint(9,0)\n    pPts[3] = CPoint(20,30)\n");
}

TEST(PointRuns, SmoothingKeepsEndsAndStraightRuns)
{
    // A jagged, nearly straight line: smoothing and reduction leave few points.
    std::vector<CPoint> jagged;
    for (int i = 0; i < 20; ++i)
        jagged.emplace_back(5 * i, i % 2);
    int count = int(jagged.size());
    EXPECT_TRUE(ReducePolylinePts(count, jagged.data(), 170.0, true));
    EXPECT_LT(count, 6);
    EXPECT_EQ(jagged[0], CPoint(0, 0));
    EXPECT_EQ(jagged[size_t(count) - 1], CPoint(95, 1));

    // Axis-parallel runs stay where they are: averaging would pull each point
    // of these unevenly spaced runs towards its neighbours' midpoint (6 to 7
    // on the first). Above 180 degrees the angle pass removes nothing, so what
    // is left shows the smoothing alone.
    const int xs[] = {0, 6, 16, 22, 32, 38, 48, 54};
    for (bool horizontal : {true, false}) {
        std::vector<CPoint> run, before;
        for (int x : xs)
            run.push_back(horizontal ? CPoint(x, 40) : CPoint(40, x));
        before = run;
        count = int(run.size());
        EXPECT_FALSE(ReducePolylinePts(count, run.data(), 200.0, true));
        ASSERT_EQ(count, int(before.size()));
        EXPECT_EQ(run, before) << (horizontal ? "horizontal" : "vertical");
    }
    // A slanted run of the same kind is averaged.
    std::vector<CPoint> slanted;
    for (int x : {0, 5, 12, 17, 24, 29, 36, 41})
        slanted.emplace_back(x, x / 2);
    const std::vector<CPoint> unsmoothed = slanted;
    count = int(slanted.size());
    EXPECT_FALSE(ReducePolylinePts(count, slanted.data(), 200.0, true));
    EXPECT_NE(slanted, unsmoothed);

    // A pair closer than 5 units on both sides of its neighbours' line merges
    // into its midpoint.
    CPoint pair[4] = {{0, 0}, {10, 2}, {13, -1}, {30, 0}};
    count = 4;
    EXPECT_FALSE(ReducePolylinePts(count, pair, 200.0, true));
    ASSERT_EQ(count, 3);
    EXPECT_EQ(pair[1], CPoint(11, 0));
    // A point is averaged only where the bend through its neighbours' midpoints
    // is at least three quarters of a half turn: (19, 0) keeps its x.
    CPoint bend[6] = {{0, 0}, {8, -2}, {14, 1}, {19, 0}, {24, -6}, {29, -2}};
    count = 6;
    EXPECT_FALSE(ReducePolylinePts(count, bend, 200.0, true));
    ASSERT_EQ(count, 6);
    EXPECT_EQ(std::vector<CPoint>(bend, bend + 6),
              (std::vector<CPoint>{{0, 0}, {6, 0}, {13, 0}, {18, -2}, {24, -6}, {29, -2}}));
    // Each point is pulled towards its neighbours as they were before this
    // pass moved them: (15, 4) is pulled towards (9, 4), not towards where
    // (9, 4) has just gone, and ends up a unit higher than that would leave it.
    CPoint chain[5] = {{0, 0}, {9, 4}, {15, 4}, {22, 3}, {29, 1}};
    count = 5;
    EXPECT_FALSE(ReducePolylinePts(count, chain, 200.0, true));
    EXPECT_EQ(std::vector<CPoint>(chain, chain + 5),
              (std::vector<CPoint>{{0, 0}, {7, 2}, {15, 3}, {22, 3}, {29, 1}}));

    // Coordinates too large for hundredths are reduced without smoothing.
    CPoint huge[4] = {{INT_MIN, 0}, {0, 0}, {INT_MAX, 0}, {INT_MAX, INT_MAX}};
    count = 4;
    EXPECT_TRUE(ReducePolylinePts(count, huge, 170.0, true));
    EXPECT_EQ(count, 3);
    EXPECT_EQ(huge[1], CPoint(INT_MAX, 0));
}

TEST(PointArrayPolygon, ContainsPtFillsLikeARegion)
{
    CPointArray sq;
    SetFrom(sq, kSquare);
    struct Case {
        CPoint p;
        bool inside;
    } cases[] = {
        {{5, 5}, true},   {{0, 5}, true},  {{9, 9}, true},   {{10, 10}, true}, // a vertex
        {{10, 5}, false}, {{5, 10}, false}, {{-1, 5}, false}, {{11, 5}, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sq.ContainsPt(c.p), c.inside) << c.p.x << "," << c.p.y;
    CPointArray open;
    SetFrom(open, {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    EXPECT_FALSE(open.ContainsPt(CPoint(5, 5)));
    CPointArray inner;
    SetFrom(inner, {{2, 2}, {8, 2}, {8, 8}, {2, 2}});
    EXPECT_TRUE(inner.AllVerticesInside(sq));
    EXPECT_FALSE(sq.AllVerticesInside(inner));
}

TEST(PointArrayPolygon, UnionTracesTheOuterOutline)
{
    const std::vector<CPoint> expected = {{0, 0},   {10, 0},  {10, 5}, {15, 5}, {15, 15},
                                          {5, 15},  {5, 10},  {0, 10}, {0, 0}};
    const std::vector<std::vector<CPoint>> others = {
        {{5, 5}, {15, 5}, {15, 15}, {5, 15}, {5, 5}}, // same orientation
        {{5, 5}, {5, 15}, {15, 15}, {15, 5}, {5, 5}}, // reversed
    };
    for (const auto& o : others) {
        CPointArray a, b;
        SetFrom(a, kSquare);
        SetFrom(b, o);
        ASSERT_TRUE(a.UnionWith(b));
        EXPECT_EQ(PointsOf(a), expected);
        EXPECT_TRUE(a.ContainsPt(CPoint(14, 14)));
        EXPECT_TRUE(a.ContainsPt(CPoint(1, 1)));
        EXPECT_FALSE(a.ContainsPt(CPoint(12, 2)));
    }
}

TEST(PointArrayPolygon, UnionOfCrossingAndFittingShapes)
{
    struct Case {
        std::vector<CPoint> a, b, result;
    } cases[] = {
        // A cross: four crossings.
        {{{0, 4}, {20, 4}, {20, 6}, {0, 6}, {0, 4}},
         {{8, -5}, {12, -5}, {12, 15}, {8, 15}, {8, -5}},
         {{0, 4}, {8, 4}, {8, -5}, {12, -5}, {12, 4}, {20, 4}, {20, 6}, {12, 6}, {12, 15},
          {8, 15}, {8, 6}, {0, 6}, {0, 4}}},
        // A square filling the notch of an L along two shared edges.
        {{{0, 0}, {20, 0}, {20, 10}, {10, 10}, {10, 20}, {0, 20}, {0, 0}},
         {{10, 10}, {20, 10}, {20, 20}, {10, 20}, {10, 10}},
         {{0, 0}, {20, 0}, {20, 10}, {20, 20}, {10, 20}, {0, 20}, {0, 0}}},
        // Squares side by side.
        {kSquare,
         {{10, 0}, {20, 0}, {20, 10}, {10, 10}, {10, 0}},
         {{0, 0}, {10, 0}, {20, 0}, {20, 10}, {10, 10}, {0, 10}, {0, 0}}},
        // Overlapping rectangles whose sides run along one line: the outline
        // follows that line once, without turning back.
        {kSquare,
         {{5, 5}, {10, 5}, {10, 20}, {5, 20}, {5, 5}},
         {{0, 0}, {10, 0}, {10, 5}, {10, 10}, {10, 20}, {5, 20}, {5, 10}, {0, 10}, {0, 0}}},
        {{{48, 42}, {63, 42}, {63, 93}, {48, 93}, {48, 42}},
         {{23, 12}, {63, 12}, {63, 50}, {23, 50}, {23, 12}},
         {{63, 93}, {48, 93}, {48, 50}, {23, 50}, {23, 12}, {63, 12}, {63, 42}, {63, 50}, {63, 93}}},
        // Sharing a side near the ends of the coordinate range.
        {{{-2000000000, -2000000000}, {0, -2000000000}, {0, 2000000000}, {-2000000000, 2000000000},
          {-2000000000, -2000000000}},
         {{-1000000000, -1000000000}, {2000000000, -1000000000}, {2000000000, 2000000000},
          {-1000000000, 2000000000}, {-1000000000, -1000000000}},
         {{-2000000000, -2000000000}, {0, -2000000000}, {0, -1000000000}, {2000000000, -1000000000},
          {2000000000, 2000000000}, {0, 2000000000}, {-1000000000, 2000000000}, {-2000000000, 2000000000},
          {-2000000000, -2000000000}}},
        // One inside the other, sharing two sides.
        {{{25, 25}, {65, 25}, {65, 35}, {25, 35}, {25, 25}},
         {{45, 30}, {65, 30}, {65, 35}, {45, 35}, {45, 30}},
         {{25, 25}, {65, 25}, {65, 30}, {65, 35}, {45, 35}, {25, 35}, {25, 25}}},
    };
    for (const Case& c : cases) {
        CPointArray a, b;
        SetFrom(a, c.a);
        SetFrom(b, c.b);
        ASSERT_TRUE(a.UnionWith(b));
        EXPECT_EQ(PointsOf(a), c.result);
    }
}

TEST(PointArrayPolygon, UnionContainmentShortcuts)
{
    const std::vector<CPoint> inner = {{2, 2}, {8, 2}, {8, 8}, {2, 8}, {2, 2}};
    CPointArray small, big;
    SetFrom(small, inner);
    SetFrom(big, kSquare);
    ASSERT_TRUE(small.UnionWith(big));
    EXPECT_EQ(PointsOf(small), kSquare);
    SetFrom(small, inner);
    ASSERT_TRUE(big.UnionWith(small));
    EXPECT_EQ(PointsOf(big), kSquare);
    CPointArray same;
    SetFrom(same, kSquare);
    ASSERT_TRUE(big.UnionWith(same));
    EXPECT_EQ(PointsOf(big), kSquare);
    CPointArray open;
    SetFrom(open, {{0, 0}, {10, 0}, {10, 10}, {0, 10}});
    EXPECT_FALSE(big.UnionWith(open));
    EXPECT_FALSE(open.UnionWith(big));
}

TEST(PointArrayPolygon, UnionBeyondTheStepBoundKeepsThePolygon)
{
    // A 600-gon: tracing round it takes more steps than the union allows.
    std::vector<CPoint> circle;
    for (int i = 0; i < 600; ++i) {
        const double a = 2.0 * 3.14159 * i / 600.0;
        circle.emplace_back(RoundAddHalf(10000.0 * std::cos(a)), RoundAddHalf(10000.0 * std::sin(a)));
    }
    circle.push_back(circle.front());
    CPointArray poly, square;
    SetFrom(poly, circle);
    SetFrom(square, {{9000, -500}, {11000, -500}, {11000, 500}, {9000, 500}, {9000, -500}});
    EXPECT_FALSE(poly.UnionWith(square));
    EXPECT_EQ(PointsOf(poly), circle);
    EXPECT_TRUE(poly.ContainsPt(CPoint(0, 0)));

    // Fewer vertices: the same union closes.
    std::vector<CPoint> coarse;
    for (int i = 0; i < 60; ++i) {
        const double a = 2.0 * 3.14159 * i / 60.0;
        coarse.emplace_back(RoundAddHalf(10000.0 * std::cos(a)), RoundAddHalf(10000.0 * std::sin(a)));
    }
    coarse.push_back(coarse.front());
    SetFrom(poly, coarse);
    ASSERT_TRUE(poly.UnionWith(square));
    EXPECT_TRUE(poly.IsClosed());
    EXPECT_TRUE(poly.ContainsPt(CPoint(10900, 0)));
    EXPECT_TRUE(poly.ContainsPt(CPoint(0, 0)));
    EXPECT_TRUE(poly.ContainsVertex(CPoint(11000, 500)));
}

TEST(SerialStamp, CountsFromOneAfterReset)
{
    CSerialStamp a, b;
    EXPECT_EQ(a.Get(), 1u);
    EXPECT_EQ(b.Get(), 2u);
    EXPECT_TRUE(a.IsOlderThan(b));
    EXPECT_FALSE(b.IsOlderThan(a));
    EXPECT_EQ(a.AssignNext(), 3u);
    EXPECT_TRUE(b.IsOlderThan(a));
    b.Set(a);
    EXPECT_FALSE(b.IsOlderThan(a));
    b.Reset();
    EXPECT_EQ(b.Get(), 0u);
    EXPECT_TRUE(b.IsOlderThan(a));
}
