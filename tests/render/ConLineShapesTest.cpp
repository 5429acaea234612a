#include "render/ConLineHops.h"
#include "render/ConLineShapes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

std::vector<POINT> Pts(std::initializer_list<POINT> l)
{
    return std::vector<POINT>(l);
}

std::vector<POINT> Line(int n)
{
    std::vector<POINT> pts;
    for (int i = 0; i < n; ++i)
        pts.push_back(POINT{i * 10, (i % 2) * 10});
    return pts;
}

} // namespace

TEST(ConLineShapes, CornerCuttingUsesThePreviousPassValues)
{
    const auto in = Pts({{0, 0}, {64, 0}, {64, 64}});
    std::vector<POINT> out(6);
    ASSERT_EQ(CutCorners(3, in.data(), out.data(), 4, 2), 6);
    const POINT expected[6] = {{0, 0}, {36, 0}, {52, 4}, {60, 12}, {64, 28}, {64, 64}};
    for (int i = 0; i < 6; ++i) {
        EXPECT_EQ(out[size_t(i)].x, expected[i].x) << i;
        EXPECT_EQ(out[size_t(i)].y, expected[i].y) << i;
    }
    // Two points stay a straight line.
    EXPECT_EQ(CurveConPoints(2, in.data(), out.data(), false, nullptr, nullptr), 2);
}

// A curve cut from small coordinates keeps its shape: every point lies within
// a unit of the same curve cut from points 256 times larger, for each line
// shape. Truncating at every pass would let the errors pile up into bumps.
TEST(ConLineShapes, SmallCurvesKeepTheirShape)
{
    const auto small = Pts({{0, 40}, {25, 0}, {55, 40}, {85, 0}, {125, 13}});
    std::vector<POINT> large;
    for (const POINT& p : small)
        large.push_back(POINT{p.x * 256, p.y * 256});
    for (const DWORD flags : {CONSHAPE_CURVE, CONSHAPE_SMOOTH, CONSHAPE_ROUND}) {
        SCOPED_TRACE(flags);
        CPointArray out;
        const int n = MakeConShapePoints(flags, int(small.size()), small.data(), out, 20, false, nullptr, nullptr,
                                         nullptr, 0);
        ASSERT_GT(n, 0);
        const std::vector<POINT> cut(out.GetData(), out.GetData() + n);
        ASSERT_EQ(MakeConShapePoints(flags, int(large.size()), large.data(), out, 20 * 256, false, nullptr,
                                     nullptr, nullptr, 0),
                  n);
        for (int i = 0; i < n; ++i) {
            EXPECT_NEAR(cut[size_t(i)].x, out[i].x / 256.0, 1.0) << i;
            EXPECT_NEAR(cut[size_t(i)].y, out[i].y / 256.0, 1.0) << i;
        }
    }
}

TEST(ConLineShapes, LimitsAndTrackedIndexes)
{
    CPointArray out;
    auto fifty = Line(50);
    EXPECT_EQ(MakeConShapePoints(CONSHAPE_CURVE, 50, fifty.data(), out, 0, false, nullptr,
                                 nullptr, nullptr, 0),
              770);
    EXPECT_EQ(out.GetCount(), 770);
    EXPECT_EQ(out[769].x, fifty.back().x);
    auto fiftyOne = Line(51);
    EXPECT_EQ(MakeConShapePoints(CONSHAPE_CURVE, 51, fiftyOne.data(), out, 0, false, nullptr,
                                 nullptr, nullptr, 0),
              -1);
    // Coarse curves take 4 points a segment; smoothing refuses past its buffer.
    EXPECT_EQ(MakeConShapePoints(CONSHAPE_CURVE, 51, fiftyOne.data(), out, 0, true, nullptr,
                                 nullptr, nullptr, 0),
              49 * 4 + 2);
    EXPECT_EQ(MakeConShapePoints(CONSHAPE_SMOOTH, 51, fiftyOne.data(), out, 0, true, nullptr,
                                 nullptr, nullptr, 0),
              -1);

    int t1 = 1, t2 = 1;
    auto three = Line(3);
    std::vector<POINT> buf(kMaxShapePts);
    CurveConPoints(3, three.data(), buf.data(), false, &t1, &t2);
    EXPECT_EQ(t1, 8);
    EXPECT_EQ(t2, 9);
    t1 = 2;
    CurveConPoints(3, three.data(), buf.data(), false, &t1, nullptr);
    EXPECT_EQ(t1, 17);
}

TEST(ConLineShapes, SmoothingPassesThroughThePoints)
{
    const auto in = Pts({{0, 0}, {100, 0}, {100, 100}, {200, 100}});
    std::vector<POINT> out(kMaxShapePts);
    const int n = SmoothConPoints(4, in.data(), out.data(), false, nullptr, nullptr);
    ASSERT_EQ(n, 2 * 16 + 2);
    EXPECT_EQ(out[0].x, 0);
    EXPECT_EQ(out[size_t(n - 1)].x, 200);
    // Pushed outward, the curve comes closer to the corner than plain cutting.
    std::vector<POINT> plain(kMaxShapePts);
    CurveConPoints(4, in.data(), plain.data(), false, nullptr, nullptr);
    auto nearest = [](const std::vector<POINT>& pts, int count, POINT p) {
        double best = 1e9;
        for (int i = 0; i < count; ++i)
            best = std::min(best, std::hypot(double(pts[size_t(i)].x - p.x), double(pts[size_t(i)].y - p.y)));
        return best;
    };
    EXPECT_LT(nearest(out, n, {100, 100}), nearest(plain, n, {100, 100}));
}

TEST(ConLineShapes, RoundedCorners)
{
    std::vector<POINT> out(kMaxShapePts);
    // Segments shorter than 10 keep the corner sharp.
    const auto small = Pts({{0, 0}, {8, 0}, {8, 8}});
    EXPECT_EQ(RoundConCorners(3, small.data(), out.data(), 20, false, nullptr, nullptr, nullptr, 0), 3);
    EXPECT_EQ(RoundConCorners(3, small.data(), nullptr, 20, false, nullptr, nullptr, nullptr, 0), 12);

    const auto big = Pts({{0, 0}, {100, 0}, {100, 100}, {200, 100}});
    int t1 = 1, t2 = 2;
    int extra[2] = {2, 3};
    const int n = RoundConCorners(4, big.data(), out.data(), 20, false, &t1, &t2, extra, 2);
    ASSERT_EQ(n, 22);
    EXPECT_EQ(out[1].x, 80);  // the corner starts at the radius from the point
    EXPECT_EQ(out[1].y, 0);
    EXPECT_EQ(out[10].x, 100);
    EXPECT_EQ(out[10].y, 20);
    EXPECT_EQ(t1, 1 + 4);
    EXPECT_EQ(t2, 11 + 4);
    EXPECT_EQ(extra[0], 2 + 9);
    EXPECT_EQ(extra[1], 3 + 18);
}

TEST(ConLineHops, CircleTableAndArcs)
{
    const POINT* t = HopCircleTable();
    EXPECT_EQ(t[0].x, 0);
    EXPECT_EQ(t[0].y, 500);
    EXPECT_EQ(t[16].x, 500);
    EXPECT_EQ(t[16].y, 0);
    EXPECT_EQ(t[32].x, 1000);
    EXPECT_EQ(t[48].y, 1000);

    std::vector<POINT> arc(65);
    ASSERT_EQ(MakeHopArc(arc.data(), {44, 0}, {56, 0}, {50, 0}, 6), 33);
    EXPECT_EQ(arc[0].x, 44);
    EXPECT_EQ(arc[16].y, -6);  // over the top
    EXPECT_EQ(arc[32].x, 56);
    ASSERT_EQ(MakeHopArc(arc.data(), {50, 44}, {50, 56}, {50, 50}, 6), 33);
    EXPECT_EQ(arc[16].x, 56);  // over the right side
}

TEST(ConLineHops, HopsOnSegmentsAndOverCorners)
{
    CPointArray line(8), out;
    const POINT straight[2] = {{0, 0}, {100, 0}};
    line.SetPoints(straight, 2);
    const POINT x[1] = {{50, 0}};
    const int seg[1] = {0};
    const int n = AddLineHops(line, out, x, 1, seg, 6);
    ASSERT_GT(n, 10);
    EXPECT_EQ(out[1].x, 44);
    int top = 0;
    for (int i = 0; i < n; ++i)
        top = std::min<int>(top, out[i].y);
    EXPECT_EQ(top, -6);
    EXPECT_EQ(out[n - 2].x, 56);
    EXPECT_EQ(out[n - 1].x, 100);
    for (int r : {1, 129})
        EXPECT_EQ(AddLineHops(line, out, x, 1, seg, r), -1) << r;
    EXPECT_EQ(AddLineHops(line, out, x, 0, seg, 6), -1);

    // Near a gentle bend the hop goes over the corner; near a right angle not.
    const POINT gentle[3] = {{0, 0}, {100, 0}, {200, 3}};
    line.SetPoints(gentle, 3);
    const POINT nearCorner[1] = {{98, 0}};
    EXPECT_GT(AddLineHops(line, out, nearCorner, 1, seg, 6), 10);
    const POINT square[3] = {{0, 0}, {100, 0}, {100, 100}};
    line.SetPoints(square, 3);
    EXPECT_EQ(AddLineHops(line, out, nearCorner, 1, seg, 6), 3);

    // The hop over a corner is made only when the cut points seen from the
    // crossing lie more than 150 degrees apart: a 30 degree turn gives about
    // 160 degrees there, a 60 degree turn about 139.
    struct Bend { POINT end; bool hop; };
    for (const Bend& b : {Bend{{187, 50}, true}, Bend{{150, 87}, false}}) {
        const POINT bent[3] = {{0, 0}, {100, 0}, b.end};
        line.SetPoints(bent, 3);
        EXPECT_EQ(AddLineHops(line, out, nearCorner, 1, seg, 6) > 3, b.hop) << b.end.x << "," << b.end.y;
    }
}
