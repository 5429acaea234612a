#include "geometry/CPolyPolygon.h"

#include <gtest/gtest.h>

#include <ostream>
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
