// The arithmetic of the view's gestures: wheel codes, arrow keys, the
// autoscroll tick, the Shift axis lock, handles and their cursors, and the
// Shift shrink of a stretched shape.
#include "editing/GestureRules.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

TEST(GestureRules, WheelDeltasGiveScrollCodes)
{
    const struct {
        int delta, code;
    } cases[] = {{-240, 3}, {-120, 1}, {-119, -1}, {0, -1}, {119, -1}, {120, 0}, {239, 0}, {240, 2}, {-239, 1}, {360, 2}};
    for (const auto& c : cases)
        EXPECT_EQ(WheelScrollCode(c.delta), c.code) << c.delta;
}

TEST(GestureRules, ArrowKeysSlideOrScroll)
{
    // (key, Shift, ShiftToSlide) -> slide or scroll, dx, dy; client 801 x 603.
    const struct {
        int vk;
        bool shift;
        int shiftToSlide;
        bool slide;
        int dx, dy;
    } cases[] = {
        {37, false, 0, true, -1, 0}, {38, false, 0, true, 0, -1}, {39, false, 0, true, 1, 0},
        {40, false, 0, true, 0, 1},  {37, true, 0, false, -200, 0}, {38, true, 0, false, 0, -150},
        {39, true, 0, false, 200, 0}, {40, true, 0, false, 0, 150}, {37, false, 1, false, -200, 0},
        {40, true, 1, true, 0, 1},   {39, true, 7, true, 1, 0},     {36, false, 0, false, 0, 0},
    };
    for (const auto& c : cases) {
        const ArrowKeyAction a = ArrowKeyActionFor(c.vk, c.shift, c.shiftToSlide, 801, 603);
        EXPECT_EQ(a.slide, c.slide) << c.vk << " " << c.shift << " " << c.shiftToSlide;
        EXPECT_EQ(a.dx, c.dx) << c.vk;
        EXPECT_EQ(a.dy, c.dy) << c.vk;
    }
    // A client of less than four pixels gives a zero scroll.
    EXPECT_EQ(ArrowKeyActionFor(39, true, 0, 3, 3).dx, 0);
}

TEST(GestureRules, AutoScrollTickIsLimitedByTheWorkSpace)
{
    EXPECT_EQ(AutoScrollStep(800, 600), 50);
    EXPECT_EQ(AutoScrollStep(11, 600), 0);
    const CRect room(1000, 1000, 1000, 1000);
    const struct {
        CPoint cursor;
        CRect room;
        CSize delta;
    } cases[] = {
        {CPoint(400, 300), room, CSize(0, 0)},            // inside: nothing
        {CPoint(-5, 300), room, CSize(-50, 0)},           // left: the step
        {CPoint(805, 300), room, CSize(50, 0)},           // right
        {CPoint(400, -1), room, CSize(0, -50)},           // top
        {CPoint(400, 600), room, CSize(0, 50)},           // bottom (600 is outside)
        {CPoint(-5, 700), room, CSize(-50, 50)},          // a corner: both axes
        {CPoint(-5, 300), CRect(20, 0, 0, 0), CSize(-20, 0)},   // the whole room on the low side
        {CPoint(900, 300), CRect(0, 0, 20, 0), CSize(19, 0)},   // one less on the high side
        {CPoint(900, 300), CRect(0, 0, 0, 0), CSize(0, 0)},     // at the edge: nothing
        {CPoint(-5, -5), CRect(0, 0, 0, 0), CSize(0, 0)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(AutoScrollDelta(c.cursor, 800, 600, c.room), c.delta) << c.cursor.x << "," << c.cursor.y;
}

TEST(GestureRules, ShiftKeepsTheLargerDisplacement)
{
    const CPoint press(100, 100);
    EXPECT_EQ(LockDragAxis(press, CPoint(130, 110)), CPoint(130, 100));
    EXPECT_EQ(LockDragAxis(press, CPoint(110, 130)), CPoint(100, 130));
    EXPECT_EQ(LockDragAxis(press, CPoint(70, 160)), CPoint(100, 160));   // absolute values compared
    EXPECT_EQ(LockDragAxis(press, CPoint(130, 130)), CPoint(130, 100));  // a tie moves horizontally
    EXPECT_EQ(LockDragAxis(press, CPoint(70, 130)), CPoint(70, 100));
}

TEST(GestureRules, ClickDistance)
{
    EXPECT_FALSE(IsPastClickDistance(CPoint(10, 10), CPoint(13, 10)));
    EXPECT_TRUE(IsPastClickDistance(CPoint(10, 10), CPoint(14, 10)));
    EXPECT_TRUE(IsPastClickDistance(CPoint(10, 10), CPoint(13, 13)));
    EXPECT_FALSE(IsPastClickDistance(CPoint(10, 10), CPoint(12, 12)));
}

TEST(GestureRules, HandlesOppositesAndCursors)
{
    const int opposite[10] = {0, 9, 8, 7, 6, 5, 4, 3, 2, 1};
    const int cursor[10] = {0, kSizeNWSE, kSizeNS, kSizeNESW, kSizeWE, kNoResizeCursor, kSizeWE, kSizeNESW, kSizeNS,
                            kSizeNWSE};
    for (int h = 0; h <= 9; ++h) {
        EXPECT_EQ(OppositeHandle(h), opposite[h]) << h;
        EXPECT_EQ(ResizeCursorForHandle(h), cursor[h]) << h;
    }
    EXPECT_EQ(OppositeHandle(11), 11);
    EXPECT_TRUE(IsOppositeColumn(1, 9));
    EXPECT_TRUE(IsOppositeColumn(6, 4));
    EXPECT_FALSE(IsOppositeColumn(2, 8));
    EXPECT_FALSE(IsOppositeColumn(1, 7));
    EXPECT_TRUE(IsOppositeRow(2, 8));
    EXPECT_TRUE(IsOppositeRow(9, 3));
    EXPECT_FALSE(IsOppositeRow(4, 6));
    EXPECT_FALSE(IsOppositeRow(1, 3));
}

namespace {
struct ShrinkCase {
    const char* name;
    std::vector<std::pair<int, int>> cols;   // (extent, divider)
    std::vector<int> anchors;                // anchor code per divider
    int horzMode;
    CRect r0, r1;
    int opposite;
    std::vector<int> dx;                     // expected x shift per divider
};
} // namespace

TEST(GestureRules, ShrinkByPlanTakesTheColumnsInOrder)
{
    const CRect r0(0, 0, 300, 100);
    const ShrinkCase cases[] = {
        // Dragging the right side (opposite 4) 50 in: the first column gives
        // 30, the second 20; each divider moves with what its column gave
        // and the earlier ones with it.
        {"two columns", {{30, 0}, {40, 1}, {50, -1}}, {4, 4}, 4, r0, CRect(0, 0, 250, 100), 4, {-50, -20}},
        // Growing shifts nothing.
        {"growing", {{30, 0}, {40, 1}}, {4, 4}, 4, r0, CRect(0, 0, 350, 100), 4, {0, 0}},
        // More shrink than the extents hold: only the extents.
        {"beyond the extents", {{10, 0}, {10, 1}}, {4, 4}, 4, r0, CRect(0, 0, 100, 100), 4, {-20, -10}},
        // Dragging the left side: horizontal mode 3 shifts the other way.
        {"left side", {{30, 0}, {40, 1}}, {6, 6}, 3, r0, CRect(50, 0, 300, 100), 6, {50, 20}},
        // A divider anchored to the opposite side moves against the shift,
        // and stops the walk back to a divider that is not.
        {"opposite anchor", {{30, 0}, {40, 1}}, {4, 6}, 4, r0, CRect(0, 0, 250, 100), 4, {-30, 20}},
        // An opposite anchor earlier in the walk is shifted against it.
        {"opposite earlier", {{30, 0}, {40, 1}}, {6, 4}, 4, r0, CRect(0, 0, 250, 100), 4, {50, -20}},
        // A divider index beyond the table is skipped.
        {"index beyond the table", {{30, 40}, {40, 0}}, {4}, 4, r0, CRect(0, 0, 250, 100), 4, {-20}},
    };
    for (const ShrinkCase& c : cases) {
        CompartmentSet plan;
        for (const auto& [extent, divider] : c.cols)
            plan.AddCol(divider, extent, 1);
        DividerShift table[kMaxDividerShifts];
        for (size_t i = 0; i < c.anchors.size(); ++i)
            table[i].anchor = int16_t(c.anchors[i]);
        ShrinkByPlan(plan, 1, c.horzMode, c.r0, c.r1, c.opposite, table, int(c.anchors.size()));
        for (size_t i = 0; i < c.dx.size(); ++i) {
            EXPECT_EQ(table[i].dx, c.dx[i]) << c.name << " divider " << i;
            EXPECT_EQ(table[i].dy, 0) << c.name;
        }
    }
}

TEST(GestureRules, ShrinkByPlanRowsUseTheVerticalMode)
{
    CompartmentSet plan;
    plan.AddRow(0, 25, 1);
    plan.AddRow(1, 25, 1);
    DividerShift table[2];
    table[0].anchor = table[1].anchor = 2;
    ShrinkByPlan(plan, 2, 4, CRect(0, 0, 100, 100), CRect(0, 0, 100, 70), 2, table, 2);
    EXPECT_EQ(table[0].dy, -30);
    EXPECT_EQ(table[1].dy, -5);
    EXPECT_EQ(table[0].dx, 0);
}

TEST(GestureRules, AResizeKeepsTheTextExtent)
{
    const CSize min(100, 60);
    // (handle, tracked rectangle) -> the rectangle kept.
    const struct {
        int handle;
        CRect rc, kept;
    } cases[] = {
        {9, CRect(0, 0, 40, 20), CRect(0, 0, 100, 60)},        // right and bottom give way
        {1, CRect(50, 50, 90, 80), CRect(-10, 20, 90, 80)},    // left and top give way
        {6, CRect(0, 0, 30, 200), CRect(0, 0, 100, 200)},      // only the width is short
        {8, CRect(0, 0, 500, 10), CRect(0, 0, 500, 60)},
        {2, CRect(0, 100, 40, 120), CRect(-30, 60, 70, 120)},   // the width about its centre
        {3, CRect(0, 0, 200, 100), CRect(0, 0, 200, 100)},     // big enough: unchanged
    };
    for (const auto& c : cases)
        EXPECT_EQ(KeepResizeMinimum(c.rc, c.handle, min), c.kept) << c.handle;
}

TEST(GestureRules, ReflowedTextLimitsBySideAndProportion)
{
    // A 400 x 200 figure whose text needs 150 wide at its height and 80
    // high at its width.
    const CRect fig(0, 0, 400, 200);
    const CSize measured(150, 80), alongWidth(400, 80), alongHeight(150, 200);
    const struct {
        int handle;
        bool aboutCentre;
        CPoint pt;
        CSize limits;
    } cases[] = {
        {2, false, CPoint(0, 190), alongWidth},
        {8, true, CPoint(900, 10), alongWidth},
        {4, false, CPoint(390, 0), alongHeight},
        {6, true, CPoint(10, 900), alongHeight},
        // From the opposite corner: 200 x 200 against 100 x 400 is a tie.
        {9, false, CPoint(200, 100), alongWidth},
        {9, false, CPoint(199, 100), alongHeight},
        {1, false, CPoint(200, 100), alongWidth},
        {3, false, CPoint(199, 100), alongHeight},
        {7, false, CPoint(199, 100), alongWidth},
        // From the centre (200, 100).
        {9, true, CPoint(300, 149), alongWidth},
        {9, true, CPoint(300, 151), alongHeight},
        {1, true, CPoint(100, 51), alongWidth},
        // One point, two origins: 50 x 200 < 40 x 400 from the centre,
        // 150 x 200 >= 60 x 400 from the top-left corner.
        {9, true, CPoint(150, 60), alongHeight},
        {9, false, CPoint(150, 60), alongWidth},
        // Outside a figure that keeps its centre: its size.
        {9, true, CPoint(400, 100), CSize(400, 200)},
        {1, true, CPoint(-1, 100), CSize(400, 200)},
        // Outside a figure that keeps a corner: the proportion rule.
        {9, false, CPoint(800, 100), alongWidth},
        {5, false, CPoint(800, 100), CSize(0, 0)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReflowResizeLimits(c.handle, fig, c.pt, c.aboutCentre, measured), c.limits)
            << c.handle << " " << c.pt.x << "," << c.pt.y << (c.aboutCentre ? " centre" : "");
}
