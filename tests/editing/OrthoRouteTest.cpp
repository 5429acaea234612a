// The orthogonal route of an Alt-drawn leg: the scores of hand-made routes,
// and the route the fixed candidate order picks around obstacles.
#include "editing/OrthoRoute.h"

#include <gtest/gtest.h>

namespace {
OrthoRouteInput Route(CPoint s, CPoint e)
{
    OrthoRouteInput in;
    in.s = s;
    in.e = e;
    return in;
}
} // namespace

TEST(OrthoRouteTest, Scores)
{
    const CRect start(-50, -50, 50, 50), page(0, 0, 400, 400);
    struct Case {
        const char* name;
        std::vector<CRect> figures;
        std::vector<std::pair<CPoint, CPoint>> legs;
        bool withStart, withPage;
        std::vector<CPoint> inner;
        int score;
    };
    const Case cases[] = {
        {"clean", {}, {}, false, false, {{0, 300}}, 100},
        {"one crossing", {}, {{{-100, 150}, {100, 150}}}, false, false, {{0, 300}}, 90},
        {"eleven crossings", {}, {}, false, false, {{0, 300}}, 80},
        {"overlap", {}, {{{0, 100}, {0, 250}}}, false, false, {{0, 300}}, 20},
        {"horizontal overlap", {}, {{{100, 300}, {200, 300}}}, false, false, {{0, 300}}, 20},
        {"figure hit", {{-20, 100, 20, 200}}, {}, false, false, {{0, 300}}, 30},
        {"figure on the last leg", {{240, 280, 260, 320}}, {}, false, false, {{0, 300}}, 30},
        {"a leg ending on the route", {}, {{{100, 150}, {0, 150}}}, false, false, {{0, 300}}, 100},
        {"crossing on the last leg", {}, {{{250, 200}, {250, 400}}}, false, false, {{0, 300}}, 90},
        {"hit and overlap", {{-20, 100, 20, 200}}, {{{0, 100}, {0, 250}}}, false, false, {{0, 300}}, 10},
        {"inner point in the start figure", {}, {}, true, false, {{0, 30}, {500, 30}}, 5},
        {"outside the page", {}, {}, false, true, {{500, 0}}, 50},
        {"inside the page", {}, {}, false, true, {{20, 300}}, 100},
    };
    for (const Case& t : cases) {
        OrthoRouteInput in = Route(CPoint(0, 0), CPoint(500, 300));
        if (std::string(t.name) == "inside the page")
            in = Route(CPoint(20, 20), CPoint(300, 300));
        in.figures = t.figures;
        in.legs = t.legs;
        if (std::string(t.name) == "eleven crossings")
            for (int i = 0; i < 11; ++i)
                in.legs.push_back({CPoint(-100, 10 + 20 * i), CPoint(100, 10 + 20 * i)});
        in.startFig = t.withStart ? &start : nullptr;
        in.page = t.withPage ? &page : nullptr;
        EXPECT_EQ(ScoreOrthoRoute(in, t.inner), t.score) << t.name;
    }
}

TEST(OrthoRouteTest, CandidateOrder)
{
    int score = 0;
    // On one line: straight.
    EXPECT_TRUE(FindOrthoRoute(Route(CPoint(0, 0), CPoint(500, 0)), &score).empty());
    EXPECT_EQ(score, 100);
    // The corner (S.x, E.y) first.
    EXPECT_EQ(FindOrthoRoute(Route(CPoint(0, 0), CPoint(500, 300))), std::vector<CPoint>{CPoint(0, 300)});
    // That corner blocked: the other one.
    OrthoRouteInput in = Route(CPoint(0, 0), CPoint(500, 300));
    in.figures = {CRect(-50, 100, 50, 200)};
    EXPECT_EQ(FindOrthoRoute(in), std::vector<CPoint>{CPoint(500, 0)});
    // Both blocked: the middle leg moves out from the midpoint in grid
    // steps, the horizontal one first for a wide span.
    in = Route(CPoint(0, 0), CPoint(600, 300));
    in.figures = {CRect(-50, 100, 50, 200), CRect(250, -50, 350, 50)};
    EXPECT_EQ(FindOrthoRoute(in, &score), (std::vector<CPoint>{CPoint(0, 86), CPoint(600, 86)}));
    EXPECT_EQ(score, 100);
    // Both corners blocked at the ends: the middle leg at the midpoint
    // itself comes first.
    in = Route(CPoint(0, 0), CPoint(600, 100));
    in.figures = {CRect(-20, 40, 20, 60), CRect(580, 40, 620, 60)};
    in.stepX = in.stepY = 40;
    EXPECT_EQ(FindOrthoRoute(in), (std::vector<CPoint>{CPoint(300, 0), CPoint(300, 100)}));
    // A figure across the middle: the vertical middle leg goes on stepping
    // out after the horizontal one has left the short vertical span.
    in.figures.push_back(CRect(100, 10, 500, 90));
    EXPECT_EQ(FindOrthoRoute(in, &score), (std::vector<CPoint>{CPoint(540, 0), CPoint(540, 100)}));
    EXPECT_EQ(score, 100);
}
