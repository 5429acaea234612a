#include "geometry/CPolyPolygon.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <ostream>
#include <random>
#include <vector>

static void PrintTo(const CPoint& p, std::ostream* os)
{
    *os << "(" << p.x << "," << p.y << ")";
}

namespace {
using Part = std::vector<CPoint>;

std::vector<Part> PartsOf(CPolyPolygon& pp)
{
    std::vector<Part> parts;
    for (int i = 0; i < pp.GetPartCount(); ++i) {
        CPointArray view;
        EXPECT_TRUE(pp.GetPart(i, view));
        parts.emplace_back(view.GetData(), view.GetData() + view.GetCount());
    }
    return parts;
}

int BuildFrom(CPolyPolygon& pp, const std::vector<CPoint>& line, const std::vector<CRect>& rects)
{
    std::vector<CPoint> copy(line);
    CPointArray arr(copy.data(), int(copy.size()), int(copy.size()));
    return pp.Build(arr, rects.data(), int(rects.size()));
}

// A poly-polygon of three parts broken by two rectangles on a diagonal line:
// (0,0)..(2,2), (8,8)..(13,13) and (18,18)-(20,20); 10 of 12 points used.
void MakeThreeParts(CPolyPolygon& pp)
{
    ASSERT_TRUE(pp.Create(10, 12));
    const std::vector<CPoint> line = {{0, 0},   {1, 1},   {5, 5},   {10, 10},
                                      {11, 11}, {12, 12}, {15, 15}, {20, 20}};
    ASSERT_EQ(BuildFrom(pp, line, {CRect(2, 2, 8, 8), CRect(13, 13, 18, 18)}), 3);
}
} // namespace

TEST(PolyPolygon, CreateLimitsParts)
{
    CPolyPolygon pp;
    EXPECT_EQ(pp.GetPartLimit(), 100);
    EXPECT_TRUE(pp.Create(150, 10));
    EXPECT_EQ(pp.GetPartLimit(), 100);
    EXPECT_TRUE(pp.Create(3, 10));
    EXPECT_EQ(pp.GetPartLimit(), 3);
    EXPECT_FALSE(pp.Create(3, -1));
    EXPECT_EQ(BuildFrom(pp, {{0, 0}, {5, 5}}, {}), 0); // no buffer
}

TEST(PolyPolygon, BuildSplitsAroundRectangles)
{
    CPolyPolygon pp;
    ASSERT_TRUE(pp.Create(50, 64));
    // Never entering a rectangle: one part with every point.
    EXPECT_EQ(BuildFrom(pp, {{0, 0}, {10, 0}, {10, 10}}, {CRect(40, 40, 60, 60)}), 1);
    EXPECT_EQ(PartsOf(pp), (std::vector<Part>{{{0, 0}, {10, 0}, {10, 10}}}));

    // A two-point connector under a label in its middle: the piece after the
    // label is kept.
    EXPECT_EQ(BuildFrom(pp, {{0, 50}, {100, 50}}, {CRect(40, 40, 60, 60)}), 2);
    EXPECT_EQ(PartsOf(pp), (std::vector<Part>{{{0, 50}, {40, 50}}, {{60, 50}, {100, 50}}}));

    // The same with more points: a crossing segment followed by further points.
    EXPECT_EQ(BuildFrom(pp, {{0, 50}, {100, 50}, {100, 100}}, {CRect(40, 40, 60, 60)}), 2);
    EXPECT_EQ(PartsOf(pp),
              (std::vector<Part>{{{0, 50}, {40, 50}}, {{60, 50}, {100, 50}, {100, 100}}}));

    // A point inside the rectangle.
    EXPECT_EQ(BuildFrom(pp, {{0, 50}, {50, 50}, {100, 50}}, {CRect(40, 40, 60, 60)}), 2);
    EXPECT_EQ(PartsOf(pp), (std::vector<Part>{{{0, 50}, {40, 50}}, {{60, 50}, {100, 50}}}));

    // Two labels on one segment: every piece between them is kept.
    EXPECT_EQ(BuildFrom(pp, {{0, 50}, {100, 50}}, {CRect(60, 40, 70, 60), CRect(20, 40, 30, 60)}),
              3);
    EXPECT_EQ(PartsOf(pp), (std::vector<Part>{{{0, 50}, {20, 50}},
                                              {{30, 50}, {60, 50}},
                                              {{70, 50}, {100, 50}}}));
    // Overlapping labels: the piece starts where the line leaves both.
    EXPECT_EQ(BuildFrom(pp, {{0, 50}, {100, 50}}, {CRect(20, 40, 50, 60), CRect(40, 40, 70, 60)}),
              2);
    EXPECT_EQ(PartsOf(pp), (std::vector<Part>{{{0, 50}, {20, 50}}, {{70, 50}, {100, 50}}}));
    // Leftwards through a label.
    EXPECT_EQ(BuildFrom(pp, {{100, 50}, {0, 50}}, {CRect(40, 40, 60, 60)}), 2);
    EXPECT_EQ(PartsOf(pp), (std::vector<Part>{{{100, 50}, {60, 50}}, {{40, 50}, {0, 50}}}));

    // Starting inside a rectangle.
    EXPECT_EQ(BuildFrom(pp, {{50, 50}, {55, 50}, {100, 50}}, {CRect(40, 40, 60, 60)}), 1);
    EXPECT_EQ(PartsOf(pp), (std::vector<Part>{{{60, 50}, {100, 50}}}));

    // Ending inside: the last part stops at the entry.
    EXPECT_EQ(BuildFrom(pp, {{0, 50}, {50, 50}}, {CRect(40, 40, 60, 60)}), 1);
    EXPECT_EQ(PartsOf(pp), (std::vector<Part>{{{0, 50}, {40, 50}}}));
}

TEST(PolyPolygon, BuildKeepsEveryStretchBetweenRectangles)
{
    const CRect left(20, 40, 30, 60), right(80, 40, 120, 60);
    struct Case {
        const char* name;
        std::vector<CPoint> line;
        std::vector<CRect> rects;
        std::vector<Part> parts;
    } cases[] = {
        {"through one label into another",
         {{0, 50}, {100, 50}},
         {left, right},
         {{{0, 50}, {20, 50}}, {{30, 50}, {80, 50}}}},
        {"from under one label to under another",
         {{0, 50}, {25, 50}, {100, 50}},
         {left, right},
         {{{0, 50}, {20, 50}}, {{30, 50}, {80, 50}}}},
        {"from under one label through another and out",
         {{25, 50}, {130, 50}, {130, 90}},
         {right, left},
         {{{30, 50}, {80, 50}}, {{120, 50}, {130, 50}, {130, 90}}}},
        {"entering at a corner and leaving by a side",
         {{-10, -5}, {20, 10}},
         {CRect(0, 0, 10, 10)},
         {{{-10, -5}, {0, 0}}, {{10, 5}, {20, 10}}}},
        {"slanted through two labels",
         {{0, 0}, {100, 100}},
         {CRect(10, 10, 20, 20), CRect(50, 40, 70, 60)},
         {{{0, 0}, {10, 10}}, {{20, 20}, {50, 50}}, {{60, 60}, {100, 100}}}},
    };
    for (const Case& c : cases) {
        CPolyPolygon pp;
        ASSERT_TRUE(pp.Create(50, 64));
        EXPECT_EQ(BuildFrom(pp, c.line, c.rects), int(c.parts.size())) << c.name;
        EXPECT_EQ(PartsOf(pp), c.parts) << c.name;
    }
}

namespace {
struct DPt {
    double x, y;
};

DPt Along(const CPoint& a, const CPoint& b, double t)
{
    return {a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
}

// How far the point lies inside the rectangle (negative: outside).
double Depth(const DPt& p, const CRect& r)
{
    return std::min(std::min(p.x - r.left, r.right - p.x), std::min(p.y - r.top, r.bottom - p.y));
}

double DistanceToSegment(const DPt& p, const CPoint& a, const CPoint& b)
{
    const double dx = b.x - a.x, dy = b.y - a.y, len2 = dx * dx + dy * dy;
    const double t = len2 > 0 ? std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / len2, 0.0, 1.0) : 0;
    return std::hypot(p.x - (a.x + t * dx), p.y - (a.y + t * dy));
}
} // namespace

TEST(PolyPolygon, BuildLeavesExactlyTheLineOutsideTheRectangles)
{
    // Random connector lines (axis-parallel and slanted) over random labels:
    // every point of the line well outside the labels lies on a part, and no
    // part runs well inside a label.
    std::mt19937 rng(7);
    const auto uniform = [&rng](int lo, int hi) { return lo + int(rng() % uint32_t(hi - lo + 1)); };
    for (int round = 0; round < 1500; ++round) {
        std::vector<CPoint> line{{uniform(0, 200), uniform(0, 200)}};
        const int nPts = uniform(2, 4);
        const bool orthogonal = round % 2 == 0;
        while (int(line.size()) < nPts) {
            CPoint next(uniform(0, 200), uniform(0, 200));
            if (orthogonal)
                (line.size() % 2 ? next.y : next.x) = (line.size() % 2 ? line.back().y : line.back().x);
            line.push_back(next);
        }
        std::vector<CRect> rects;
        for (int i = uniform(1, 3); i > 0; --i) {
            const int x = uniform(0, 180), y = uniform(0, 180);
            rects.emplace_back(x, y, x + uniform(5, 60), y + uniform(5, 60));
        }
        CPolyPolygon pp;
        ASSERT_TRUE(pp.Create(100, 64));
        BuildFrom(pp, line, rects);
        const std::vector<Part> parts = PartsOf(pp);
        const auto onAPart = [&parts](const DPt& p) {
            for (const Part& part : parts)
                for (size_t i = 0; i + 1 < part.size(); ++i)
                    if (DistanceToSegment(p, part[i], part[i + 1]) <= 1.0)
                        return true;
            return false;
        };
        for (size_t k = 0; k + 1 < line.size(); ++k) {
            for (int step = 0; step <= 64; ++step) {
                const DPt p = Along(line[k], line[k + 1], step / 64.0);
                double depth = -1e9;
                for (const CRect& r : rects)
                    depth = std::max(depth, Depth(p, r));
                if (depth < -1.5) {
                    ASSERT_TRUE(onAPart(p)) << "round " << round << ": (" << p.x << "," << p.y
                                            << ") is visible but not drawn";
                }
            }
        }
        for (const Part& part : parts) {
            for (size_t i = 0; i + 1 < part.size(); ++i) {
                for (int step = 0; step <= 16; ++step) {
                    const DPt p = Along(part[i], part[i + 1], step / 16.0);
                    for (const CRect& r : rects)
                        ASSERT_LT(Depth(p, r), 1.5) << "round " << round << ": drawn under a label";
                }
            }
        }
    }
}

TEST(PolyPolygon, BuildStopsAtThePartLimitAndCapacity)
{
    std::vector<CRect> labels;
    for (int i = 0; i < 5; ++i)
        labels.emplace_back(20 * i + 5, -5, 20 * i + 10, 5);
    CPolyPolygon pp;
    ASSERT_TRUE(pp.Create(3, 64));
    EXPECT_EQ(BuildFrom(pp, {{0, 0}, {200, 0}}, labels), 3);
    EXPECT_EQ(PartsOf(pp).back(), (Part{{30, 0}, {45, 0}}));
    ASSERT_TRUE(pp.Create(100, 3));
    EXPECT_EQ(BuildFrom(pp, {{0, 0}, {200, 0}}, labels), 2);
    EXPECT_EQ(pp.GetPoints().GetCount(), 3);
}

TEST(PolyPolygon, GetPartViewsTheSharedBuffer)
{
    CPolyPolygon pp;
    MakeThreeParts(pp);
    EXPECT_EQ(PartsOf(pp), (std::vector<Part>{{{0, 0}, {1, 1}, {2, 2}},
                                              {{8, 8}, {10, 10}, {11, 11}, {12, 12}, {13, 13}},
                                              {{18, 18}, {20, 20}}}));
    CPointArray view;
    EXPECT_FALSE(pp.GetPart(3, view));
    EXPECT_FALSE(pp.GetPart(-1, view));
    // The part's own count, limited by the view's capacity.
    CPointArray limited(2);
    ASSERT_TRUE(pp.GetPart(1, limited));
    EXPECT_EQ(limited.GetCount(), 2);
    EXPECT_EQ(limited[0], CPoint(8, 8));
    EXPECT_FALSE(limited.OwnsBuffer());
    // A default view may not reach past the end of the shared buffer.
    CPointArray last;
    ASSERT_TRUE(pp.GetPart(2, last));
    EXPECT_EQ(last.GetCount(), 2);
    EXPECT_EQ(last.GetCapacity(), 12 - 8);
    EXPECT_TRUE(last.Add(CPoint(1, 2)));
    EXPECT_TRUE(last.Add(CPoint(1, 2)));
    EXPECT_FALSE(last.Add(CPoint(1, 2)));
}

TEST(PolyPolygon, AReusedViewReadsEveryPartWhole)
{
    // Parts of 7, 3 and 2 points filling a buffer of 12: the view of part 1 is
    // cut at the buffer's end (5 points of room), which must not limit the
    // next part read into it.
    CPolyPolygon pp;
    ASSERT_TRUE(pp.Create(10, 12));
    const std::vector<CPoint> line = {{0, 0},  {1, 0},  {2, 0},  {3, 0},  {4, 0},  {5, 0},
                                      {6, 0},  {20, 0}, {21, 0}, {22, 0}, {40, 0}, {41, 0}};
    ASSERT_EQ(BuildFrom(pp, line, {CRect(6, -1, 20, 1), CRect(22, -1, 40, 1)}), 3);
    ASSERT_EQ(pp.GetPoints().GetCount(), 12);
    struct Step {
        int index;
        int count;
    } steps[] = {{1, 3}, {0, 7}, {2, 2}, {0, 7}, {1, 3}};
    CPointArray view;
    for (const Step& s : steps) {
        ASSERT_TRUE(pp.GetPart(s.index, view));
        EXPECT_EQ(view.GetCount(), s.count) << "part " << s.index;
    }
    // A limit the caller set holds for every part read into the view.
    CPointArray limited(4);
    for (const Step& s : steps) {
        ASSERT_TRUE(pp.GetPart(s.index, limited));
        EXPECT_EQ(limited.GetCount(), std::min(s.count, 4)) << "part " << s.index;
    }
}

TEST(PolyPolygon, SetPartMovesTheFollowingParts)
{
    CPolyPolygon pp;
    MakeThreeParts(pp);
    CPoint two[2] = {{7, 7}, {9, 9}};
    ASSERT_TRUE(pp.SetPart(1, CPointArray(two, 2, 2)));
    EXPECT_EQ(PartsOf(pp), (std::vector<Part>{{{0, 0}, {1, 1}, {2, 2}},
                                              {{7, 7}, {9, 9}},
                                              {{18, 18}, {20, 20}}}));
    // Growing the last part: nothing follows it to move.
    CPoint three[3] = {{30, 30}, {31, 31}, {32, 32}};
    ASSERT_TRUE(pp.SetPart(2, CPointArray(three, 3, 3)));
    EXPECT_EQ(PartsOf(pp).back(), (Part{{30, 30}, {31, 31}, {32, 32}}));
    EXPECT_EQ(pp.GetPoints().GetCount(), 8);
    // A part set from a view of the shared buffer itself.
    CPointArray first;
    ASSERT_TRUE(pp.GetPart(0, first));
    ASSERT_TRUE(pp.SetPart(2, first));
    EXPECT_EQ(PartsOf(pp).back(), (Part{{0, 0}, {1, 1}, {2, 2}}));
    // Too large for the buffer (one slot stays free): refused, parts unchanged.
    CPoint many[9] = {};
    EXPECT_FALSE(pp.SetPart(1, CPointArray(many, 9, 9)));
    EXPECT_EQ(PartsOf(pp)[1], (Part{{7, 7}, {9, 9}}));
    EXPECT_FALSE(pp.SetPart(3, first));
    EXPECT_FALSE(pp.SetPart(0, CPointArray()));
}

TEST(PolyPolygon, MoveAndCopyPointsStayInTheBuffer)
{
    CPolyPolygon pp;
    ASSERT_TRUE(pp.Create(5, 6));
    ASSERT_EQ(BuildFrom(pp, {{1, 1}, {2, 2}, {3, 3}, {4, 4}}, {}), 1);
    EXPECT_TRUE(pp.MovePoints(0, 4));
    EXPECT_TRUE(pp.MovePoints(2, 4)); // from == count: nothing to shift
    EXPECT_EQ(pp.GetPoints().GetCount(), 6);
    EXPECT_FALSE(pp.MovePoints(1, 0)); // beyond the capacity
    EXPECT_FALSE(pp.MovePoints(1, 7));
    EXPECT_FALSE(pp.MovePoints(-3, 2)); // would shift below index 0
    EXPECT_TRUE(pp.MovePoints(-2, 3));
    EXPECT_EQ(pp.GetPoints()[1], CPoint(4, 4));
    EXPECT_EQ(pp.GetPoints().GetCount(), 4);
    EXPECT_TRUE(pp.MovePoints(1, 1));
    EXPECT_EQ(pp.GetPoints()[2], CPoint(4, 4));

    CPoint pts[2] = {{8, 8}, {9, 9}};
    EXPECT_TRUE(pp.CopyPointsAt(3, CPointArray(pts, 2, 2)));
    EXPECT_EQ(pp.GetPoints()[4], CPoint(9, 9));
    EXPECT_FALSE(pp.CopyPointsAt(4, CPointArray(pts, 2, 2))); // would fill the last slot
    EXPECT_FALSE(pp.CopyPointsAt(-1, CPointArray(pts, 2, 2)));
    EXPECT_TRUE(pp.CopyPointsAt(0, CPointArray()));
    CPolyPolygon empty;
    EXPECT_FALSE(empty.MovePoints(1, 0));
    EXPECT_FALSE(empty.CopyPointsAt(0, CPointArray(pts, 2, 2)));
}
