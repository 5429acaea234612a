#include "core/GridSnap.h"

#include <gtest/gtest.h>

#include <climits>

TEST(GridSnap, SnapToGridStepRoundsHalfDownAndKeepsNegativesOnTheGrid)
{
    struct Case {
        int value, step, expected;
    };
    const Case cases[] = {{47, 32, 32}, {48, 32, 32},  {49, 32, 64}, {-5, 32, 0}, {-20, 32, -32},
                          {-16, 32, -32}, {-17, 32, -32}, {0, 32, 0}, {7, 1, 7},  {7, 0, 7},
                          {-7, -4, -7}};
    for (const Case& c : cases) {
        int v = c.value;
        SnapToGridStep(v, c.step);
        EXPECT_EQ(v, c.expected) << c.value << " step " << c.step;
    }
}

TEST(GridSnap, GuidesHoldSixteenPerAxisAndSnapToTheFirstNearest)
{
    CAlignGuides g;
    int v = 5;
    EXPECT_EQ(g.SnapX(v), -1);
    for (int i = 0; i < CAlignGuides::kMax; ++i)
        EXPECT_TRUE(g.AddX(100 * i));
    EXPECT_FALSE(g.AddX(5000));
    EXPECT_FALSE(g.AddPoint(CPoint(1, 1)));   // x full: y is not added either
    EXPECT_EQ(g.m_nY, 0);
    v = 150;   // 100 and 200 equally near: the first
    EXPECT_EQ(g.SnapX(v), 50);
    EXPECT_EQ(v, 100);
    v = -30;
    EXPECT_EQ(g.SnapX(v), 30);
    EXPECT_EQ(v, 0);
}

TEST(GridSnap, PointSnapTable)
{
    const RECT bounds{100, 100, 200, 200};
    CAlignGuides guides;
    guides.AddX(16);
    guides.AddX(48);
    guides.AddY(999);
    struct Case {
        const char* what;
        POINT in;
        const RECT* bounds;
        const CAlignGuides* guides;
        POINT expected;
    };
    const Case cases[] = {
        {"on the grid already: bounds and guides not applied", {64, 64}, &bounds, &guides, {64, 64}},
        {"outside the bounds: one step back, not a clamp", {110, 50}, &bounds, nullptr, {128, 96}},
        {"a guide as near as the grid wins only when smaller", {24, 0}, nullptr, &guides, {16, 0}},
        {"a larger guide at the same distance loses", {40, 0}, nullptr, &guides, {32, 0}},
        {"a nearer guide inside the window wins", {44, 0}, nullptr, &guides, {48, 0}},
        {"near the ends of the int range", {INT_MAX - 40, INT_MIN + 40}, &bounds, &guides, {INT_MAX - 63, INT_MIN + 64}},
    };
    for (const Case& c : cases) {
        POINT p = c.in;
        SnapPtToGridOrRgn(p, 32, 32, c.bounds, c.guides, nullptr, 0, nullptr, false);
        EXPECT_EQ(CPoint(p), CPoint(c.expected)) << c.what;
    }
}

TEST(GridSnap, AnchorLocksAnAxisAndPolygonKeepsThePointInside)
{
    const POINT anchor{0, 0};
    POINT p{100, 3};
    SnapPtToGridOrRgn(p, 32, 32, nullptr, nullptr, &anchor, 0, nullptr, false);
    EXPECT_EQ(CPoint(p), CPoint(96, 0));   // y locked to the anchor, x on the grid

    const POINT square[5] = {{0, 0}, {1000, 0}, {1000, 1000}, {0, 1000}, {0, 0}};
    p = {40, 40};
    SnapPtToGridOrRgn(p, 32, 32, nullptr, nullptr, nullptr, 5, square, true);
    EXPECT_EQ(CPoint(p), CPoint(32, 32));   // the nearest window corner inside
    p = {48, 40};   // as near the top-right corner: the top-left comes first
    SnapPtToGridOrRgn(p, 32, 32, nullptr, nullptr, nullptr, 5, square, false);
    EXPECT_EQ(CPoint(p), CPoint(32, 32));

    // No corner of the window and no side crossing inside: back to the entry.
    const POINT far[4] = {{500, 500}, {600, 500}, {550, 600}, {500, 500}};
    p = {40, 40};
    SnapPtToGridOrRgn(p, 32, 32, nullptr, nullptr, nullptr, 4, far, true);
    EXPECT_EQ(CPoint(p), CPoint(40, 40));
    // The anchor's candidate outside the region: the locks clear and the
    // grid snap runs on the entry position.
    p = {100, 3};
    SnapPtToGridOrRgn(p, 32, 32, nullptr, nullptr, &anchor, 4, far, false);
    EXPECT_EQ(CPoint(p), CPoint(100, 3));
}

TEST(GridSnap, RectPositionSnapsTheNearerSideLeftOnATie)
{
    struct Case {
        RECT in;
        DWORD flags;
        LONG left, top;
    };
    const Case cases[] = {
        {{10, 0, 110, 50}, kSnapHighX, 0, 0},     // left moves 10, right 14
        {{20, 0, 120, 50}, kSnapHighX, 28, 0},    // right moves 8 onto 128
        {{8, 0, 120, 50}, kSnapHighX, 0, 0},      // 8 either way: the left side
        {{10, 10, 110, 60}, kSnapHighX | kSnapHighY, 0, 14},
    };
    for (const Case& c : cases) {
        RECT r = c.in;
        SnapRectPosToGrid(r, c.flags, 32, 32, nullptr);
        EXPECT_EQ(r.left, c.left);
        EXPECT_EQ(r.top, c.top);
        EXPECT_EQ(r.right - r.left, c.in.right - c.in.left);
        EXPECT_EQ(r.bottom - r.top, c.in.bottom - c.in.top);
    }
    // A guide one unit off the centre beats a grid side ten units away.
    CAlignGuides g;
    g.AddX(61);
    RECT r{10, 0, 110, 50};
    SnapRectPosToGrid(r, kSnapHighX | kSnapHighGuideX, 32, 32, &g);
    EXPECT_EQ(r.left, 11);
}

TEST(GridSnap, SizeClampAndSnapToTwiceTheStep)
{
    struct Case {
        int width, minW, maxW, handle, expected;
    };
    const Case cases[] = {
        {70, 10, 1000, 9, 64},   // snapped to 32
        {70, 10, 1000, 2, 70},   // a top or bottom handle keeps the width
        {40, 40, 1000, 9, 64},   // snapped below the minimum: one double step up
        {90, 10, 90, 9, 64},     // above the maximum: one double step down
        {5000, 10, 1000, 9, 992},
    };
    for (const Case& c : cases) {
        SnapFigRequest q;
        q.width = c.width;
        q.height = 50;
        q.minWidth = c.minW;
        q.maxWidth = c.maxW;
        q.stepX = q.stepY = 16;
        q.high = kSnapHighWidth2;
        q.handle = c.handle;
        ClampSnapFigSize(q);
        EXPECT_EQ(q.width, c.expected) << c.width << " handle " << c.handle;
        EXPECT_EQ(q.height, 50);
    }
    // The height snaps likewise, except on the left and right handles.
    for (const int handle : {4, 6, 9}) {
        SnapFigRequest q;
        q.width = 50;
        q.height = 70;
        q.stepX = q.stepY = 16;
        q.high = kSnapHighHeight2;
        q.handle = handle;
        ClampSnapFigSize(q);
        EXPECT_EQ(q.height, handle == 9 ? 64 : 70) << "handle " << handle;
    }
}

TEST(GridSnap, ApplyFigSizeAnchorsAndKeepsTheOtherAxisForSideHandles)
{
    RECT r{100, 100, 200, 200};
    ApplyFigSize(r, 40, 51, 1, 1, nullptr, kSnapLowKeepRight | kSnapLowKeepBottom, 0, 9);
    EXPECT_EQ(CRect(r), CRect(149, 160, 200, 200));
    r = {100, 100, 200, 200};   // an odd height also keeps the bottom
    ApplyFigSize(r, 41, 51, 1, 1, nullptr, kSnapLowKeepRight | kSnapLowKeepBottom, 0, 9);
    EXPECT_EQ(CRect(r), CRect(149, 159, 200, 200));
    r = {100, 100, 200, 200};
    ApplyFigSize(r, 40, 50, 1, 1, nullptr, kSnapLowKeepCentreX | kSnapLowKeepBottom, 0, 2);
    EXPECT_EQ(CRect(r), CRect(100, 160, 200, 200));   // left and right kept
    r = {100, 100, 200, 200};
    ApplyFigSize(r, 40, 50, 1, 1, nullptr, kSnapLowKeepCentreX | kSnapLowKeepBottom | kSnapLowAspectAll, 0, 2);
    EXPECT_EQ(CRect(r), CRect(125, 160, 175, 200));
    r = {15990, 0, 16100, 100};   // limited to the work space first
    ApplyFigSize(r, 100, 10, 1, 1, nullptr, kSnapLowKeepLeft | kSnapLowKeepTop, 0, 0);
    EXPECT_EQ(CRect(r), CRect(15990, 0, 16000, 100));
}

TEST(GridSnap, DraggedHandleLandsOnTheGrid)
{
    SnapFigRequest q;
    q.rect = CRect(0, 0, 100, 100);
    q.width = 110;
    q.height = 70;
    q.stepX = q.stepY = 32;
    q.low = kSnapLowKeepLeft | kSnapLowKeepTop;
    q.high = kSnapHighX | kSnapHighY;
    q.handle = 9;
    SnapFigRectOnDrag(q);
    EXPECT_EQ(q.rect, CRect(0, 0, 96, 64));

    // Symmetric sizing: twice the snapped handle's distance from the centre.
    q.rect = CRect(0, 0, 100, 100);
    q.width = 110;
    q.height = 70;
    q.low = kSnapLowKeepCentreX | kSnapLowKeepCentreY;
    q.high = kSnapHighX | kSnapHighY | kSnapHighSymWidth | kSnapHighSymHeight;
    SnapFigRectOnDrag(q);
    EXPECT_EQ(q.rect, CRect(4, 4, 96, 96));

    // A move (handle 0) snaps only the position, by the nearer sides.
    q.rect = CRect(10, 10, 110, 60);
    q.width = 100;
    q.height = 50;
    q.high = kSnapHighX | kSnapHighY;
    q.handle = 0;
    SnapFigRectOnDrag(q);
    EXPECT_EQ(q.rect, CRect(0, 14, 100, 64));

    // Keeping the aspect on corners: no point snapping of the handle.
    q.rect = CRect(0, 0, 100, 100);
    q.width = 110;
    q.height = 70;
    q.low = kSnapLowKeepLeft | kSnapLowKeepTop | kSnapLowAspectCorners;
    q.handle = 9;
    SnapFigRectOnDrag(q);
    EXPECT_EQ(q.rect, CRect(0, 0, 110, 70));
}

TEST(GridSnap, EveryResizeHandleLandsOnTheGridAndTheOppositeSidesStay)
{
    // Each handle of (64, 64, 164, 164) is dragged to a 110 x 70 size: the
    // dragged sides land on the 32 grid, the opposite sides stay, and the
    // middle handles keep the other axis as it was.
    struct Case {
        int handle;
        DWORD low;
        CRect expected;
    };
    const Case cases[] = {
        {1, kSnapLowKeepRight | kSnapLowKeepBottom, {64, 96, 164, 164}},
        {2, kSnapLowKeepCentreX | kSnapLowKeepBottom, {64, 96, 164, 164}},
        {3, kSnapLowKeepLeft | kSnapLowKeepBottom, {64, 96, 160, 164}},
        {4, kSnapLowKeepRight | kSnapLowKeepCentreY, {64, 64, 164, 164}},
        {6, kSnapLowKeepLeft | kSnapLowKeepCentreY, {64, 64, 160, 164}},
        {7, kSnapLowKeepRight | kSnapLowKeepTop, {64, 64, 164, 128}},
        {8, kSnapLowKeepCentreX | kSnapLowKeepTop, {64, 64, 164, 128}},
        {9, kSnapLowKeepLeft | kSnapLowKeepTop, {64, 64, 160, 128}},
    };
    for (const Case& c : cases) {
        SnapFigRequest q;
        q.rect = CRect(64, 64, 164, 164);
        q.width = 110;
        q.height = 70;
        q.stepX = q.stepY = 32;
        q.low = c.low;
        q.high = kSnapHighX | kSnapHighY;
        q.handle = c.handle;
        SnapFigRectOnDrag(q);
        EXPECT_EQ(q.rect, c.expected) << "handle " << c.handle;
    }
}

TEST(GridSnap, GuidesNarrowThePolygonWindow)
{
    // (40, 50) snaps to (32, 64); the window is x 32..64, y 32..64.
    CAlignGuides above;   // a guide right of the entry closes the window there
    above.AddX(48);
    const POINT square[5] = {{0, 0}, {1000, 0}, {1000, 1000}, {0, 1000}, {0, 0}};
    POINT p{40, 50};
    SnapPtToGridOrRgn(p, 32, 32, nullptr, &above, nullptr, 5, square, false);
    EXPECT_EQ(CPoint(p), CPoint(32, 64));
    // A guide on the entry's own x opens the window there: only the corners
    // at 64 lie in this region.
    CAlignGuides at;
    at.AddX(40);
    const POINT right[5] = {{50, 0}, {1000, 0}, {1000, 1000}, {50, 1000}, {50, 0}};
    p = {40, 50};
    SnapPtToGridOrRgn(p, 32, 32, nullptr, &at, nullptr, 5, right, false);
    EXPECT_EQ(CPoint(p), CPoint(64, 64));
}
