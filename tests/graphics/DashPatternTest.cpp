#include "graphics/DashPattern.h"

#include "platform/CPainterDC.h"
#include "platform/GdiObjects.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

struct Boundary {
    POINT pt;
    int index;
};

std::vector<Boundary> Walk(POINT from, POINT to, int style, int width)
{
    DashPattern p;
    p.Load(style, width);
    std::vector<Boundary> out;
    WalkDashes(from, to, p, false, false, [&](const POINT& pt, int i) { out.push_back({pt, i}); });
    return out;
}

} // namespace

TEST(DashPattern, BoundariesAlongAxisAndDiagonals)
{
    // Style 1 at width 3: 36 on, 12 off (the piece ending at an even index is drawn).
    const auto b = Walk({0, 0}, {100, 0}, 1, 3);
    ASSERT_EQ(b.size(), 5u);
    const int xs[] = {0, 12, 48, 60, 96};
    for (size_t i = 0; i < b.size(); ++i) {
        EXPECT_EQ(b[i].pt.x, xs[i]);
        EXPECT_EQ(b[i].index, int(i % 2));
    }
    // An exact diagonal is measured along its length...
    const auto d = Walk({0, 0}, {100, 100}, 1, 3);
    ASSERT_GE(d.size(), 2u);
    EXPECT_EQ(d[1].pt.x, 12 * 2896 / 4096);
    // ...but any other slant only along its major axis (dashes come out longer).
    const auto s = Walk({0, 0}, {100, 57}, 1, 3);
    ASSERT_GE(s.size(), 2u);
    EXPECT_EQ(s[1].pt.x, 12);
    EXPECT_EQ(s[1].pt.y, 12 * 57 / 100);
}

TEST(DashPattern, PhaseCarriesOverCornersAndEmptyPatternsStop)
{
    DashPattern p;
    p.Load(2, 5);  // 10 on, 10 off
    std::vector<POINT> pts;
    auto record = [&](const POINT& pt, int) { pts.push_back(pt); };
    WalkDashes({0, 0}, {15, 0}, p, false, false, record);
    EXPECT_EQ(p.phase, 20 - 15);
    WalkDashes({15, 0}, {15, 30}, p, false, false, record);
    ASSERT_GE(pts.size(), 4u);
    EXPECT_EQ(pts[2].x, 15);
    EXPECT_EQ(pts[2].y, 5);

    // No line and no length: nothing is called and nothing hangs.
    for (int style : {5, -1, 12}) {
        DashPattern q;
        q.Load(style, 3);
        int calls = 0;
        WalkDashes({0, 0}, {100, 0}, q, false, false, [&](const POINT&, int) { ++calls; });
        EXPECT_EQ(calls, 0) << style;
    }
    DashPattern spacing;
    spacing.LoadSpacing(0);
    int calls = 0;
    WalkDashes({0, 0}, {100, 0}, spacing, true, true, [&](const POINT&, int) { ++calls; });
    EXPECT_EQ(calls, 0);
}

TEST(DashPattern, StrokedPixels)
{
    QImage img(60, 3, QImage::Format_RGB32);
    img.fill(Qt::white);
    CPainterDC dc(&img);
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    dc.SelectObject(&pen);
    const POINT line[2] = {{0, 1}, {59, 1}};
    StrokeDashedPolyline(dc, line, 2, 1, 1);  // 12 on, 4 off, starting with the gap
    dc.Flush();
    auto black = [&](int x) { return qRed(img.pixel(x, 1)) == 0; };
    EXPECT_FALSE(black(2));
    EXPECT_TRUE(black(10));
    EXPECT_FALSE(black(18));
    EXPECT_TRUE(black(25));
}

// Every row of the pattern table walked along a straight line at width 2:
// after the start, each boundary lies the next segment's length further on.
// Style 5 has no length and places nothing.
TEST(DashPattern, EveryRowOfTheTable)
{
    struct Row { int style; std::vector<int> lengths; };
    const Row rows[] = {{0, {1}},       {1, {12, 4}},           {2, {2, 2}},   {3, {2, 4, 6, 4}},
                        {4, {2, 2, 2, 2, 6, 2}}, {6, {1, 2}},   {7, {1, 4}},   {8, {2, 6}},
                        {9, {2, 12}},   {10, {2, 2, 2, 10}},   {11, {2, 2, 2, 5}}};
    for (const Row& r : rows) {
        std::vector<int> expected{0};
        for (size_t k = 1;; ++k) {
            const int next = expected.back() + 2 * r.lengths[k % r.lengths.size()];
            if (next > 400)
                break;
            expected.push_back(next);
        }
        std::vector<int> xs;
        for (const Boundary& b : Walk({0, 0}, {400, 0}, r.style, 2))
            xs.push_back(b.pt.x);
        EXPECT_EQ(xs, expected) << "style " << r.style;
    }
    EXPECT_TRUE(Walk({0, 0}, {400, 0}, kDashStyleNoLine, 2).empty());
}
