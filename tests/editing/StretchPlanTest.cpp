// The stretch of a compartmented shape without Shift: runs of flexible
// entries share a shrink in proportion to what they can give; growing lets
// the dividers follow the layout, or for shapes with middle rows hands the
// gain to the first row.
#include "common/DiagramFixture.h"
#include "editing/GestureRules.h"
#include "editing/ShapeStretch.h"
#include "shapes/CFigSymbol.h"
#include "shapes/DividedShapeTestSupport.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
struct Entry {
    int extent, divider, weight;
};

struct DistributeCase {
    const char* name;
    std::vector<Entry> cols;
    std::vector<int> anchors;   // anchor code per divider
    int horzMode;
    CRect r1;                   // against (0, 0, 300, 100)
    int opposite;
    std::vector<int> dx;        // expected x shift per divider
    int followH;
};
} // namespace

TEST(StretchPlan, DistributeStretchSharesRunsInProportion)
{
    const DistributeCase cases[] = {
        // 20 out of a run of 30 + 10: 15 and 5; the first divider also moves
        // with what the second column gave.
        {"proportional", {{30, 0, 1}, {10, 1, 1}}, {4, 4}, 4, CRect(0, 0, 280, 100), 4, {-20, -5}, 0},
        // 50 out of 30 + 40: 21.4 rounds to 21, the last takes the rest, 29.
        {"the last takes the rest", {{30, 0, 1}, {40, 1, 1}}, {4, 4}, 4, CRect(0, 0, 250, 100), 4, {-50, -29}, 0},
        // A half rounds up: 1 out of 1 + 1 is all the first entry's.
        {"half up", {{1, 0, 1}, {1, 1, 1}}, {4, 4}, 4, CRect(0, 0, 299, 100), 4, {-1, 0}, 0},
        // A weight-2 entry ends the run and gives alone, after it.
        {"weight 2 gives last", {{30, 0, 1}, {40, 1, 2}}, {4, 4}, 4, CRect(0, 0, 250, 100), 4, {-50, -20}, 0},
        // More than the run can give: the extents only.
        {"beyond the extents", {{10, 0, 1}, {10, 1, 1}}, {4, 4}, 4, CRect(0, 0, 100, 100), 4, {-20, -10}, 0},
        // The left side dragged: mode 3 shifts the other way.
        {"left side", {{30, 0, 1}, {10, 1, 1}}, {6, 6}, 3, CRect(20, 0, 300, 100), 6, {20, 5}, 0},
        // A divider anchored to the dragged side moves against the shift.
        {"opposite anchor", {{30, 0, 1}, {10, 1, 1}}, {4, 6}, 4, CRect(0, 0, 280, 100), 4, {-15, 5}, 0},
        // Wider: nothing shifts, the dividers follow the layout.
        {"wider", {{30, 0, 1}, {10, 1, 1}}, {4, 4}, 4, CRect(0, 0, 400, 100), 4, {0, 0}, 1},
        // An entry beyond the table is skipped.
        {"index beyond the table", {{30, 7, 1}, {10, 0, 1}}, {4}, 4, CRect(0, 0, 280, 100), 4, {-5}, 0},
    };
    for (const DistributeCase& c : cases) {
        CompartmentSet plan;
        for (const Entry& e : c.cols)
            plan.AddCol(e.divider, e.extent, e.weight);
        std::vector<DividerShift> table(c.anchors.size());
        for (size_t i = 0; i < c.anchors.size(); ++i)
            table[i].anchor = int16_t(c.anchors[i]);
        int followH = -1, followV = -1;
        DistributeStretch(plan, 1, c.horzMode, false, CRect(0, 0, 300, 100), c.r1, c.opposite, table.data(),
                          int(table.size()), followH, followV);
        for (size_t i = 0; i < c.dx.size(); ++i) {
            EXPECT_EQ(table[i].dx, c.dx[i]) << c.name << " divider " << i;
            EXPECT_EQ(table[i].dy, 0) << c.name;
        }
        EXPECT_EQ(followH, c.followH) << c.name;
        EXPECT_EQ(followV, 0) << c.name;
    }
}

TEST(StretchPlan, GrowingInHeightFollowsUnlessTheShapeHasMiddleRows)
{
    CompartmentSet plan;
    plan.AddRow(0, 10, 1);
    plan.AddRow(1, 10, 1);
    const CRect r0(0, 0, 100, 100), r1(0, 0, 100, 130);
    DividerShift table[2];
    table[0].anchor = table[1].anchor = 2;
    int followH = -1, followV = -1;
    DistributeStretch(plan, 2, 4, false, r0, r1, 2, table, 2, followH, followV);
    EXPECT_EQ(followV, 1);
    EXPECT_EQ(followH, 0);
    EXPECT_EQ(table[0].dy, 0);
    // Middle rows: the first row entry of the plan takes the whole gain.
    DistributeStretch(plan, 2, 4, true, r0, r1, 2, table, 2, followH, followV);
    EXPECT_EQ(followV, 0);
    EXPECT_EQ(table[0].dy, 30);
    EXPECT_EQ(table[1].dy, 0);
}

// The rounding handle of a rounded shape keeps its distance from the
// top-left corner; the dividers of other kinds have no anchor of their own.
TEST(StretchPlan, DividerAnchors)
{
    CFigSymbol sym;
    sym.Reshape = 22;
    EXPECT_EQ(sym.GetDividerAnchor(0), 1);
    EXPECT_EQ(sym.GetDividerAnchor(1), 0);
    sym.Reshape = 2;
    EXPECT_EQ(sym.GetDividerAnchor(0), 0);
    sym.Reshape = 0;
    EXPECT_EQ(sym.GetDividerAnchor(0), 0);
}

// A shrink from the bottom: without Shift the bottom and middle rows (one
// run of flexible entries) share it by their extents, with Shift the
// bottom row gives all it can first; the top row gives last either way.
TEST(StretchPlan, AShrinkFromTheBottomFollowsThePlan)
{
    DiagramFixture fx;
    CFigure* fig = fx.AddBox(1000, 1000, 2048, 2048, "");
    fig->m_props.Symbol = fx.AddRowsSymbol();
    const CRect r0 = fig->m_rect;
    const CFigSymbol& own = *fig->GetSymbol();
    CPoint d0, d1;
    ASSERT_TRUE(own.GetDividerHandle(0, d0, r0));
    ASSERT_TRUE(own.GetDividerHandle(1, d1, r0));
    const int bottom = r0.bottom - d1.y - 20, middle = d1.y - d0.y - 20;
    CompartmentSet plan;
    plan.AddRow(-1, bottom, 1);
    plan.AddRow(1, middle, 1);
    plan.AddRow(0, d0.y - r0.top - 20, 2);
    auto shared = [&](int shrink) { return shrink - (2 * shrink * bottom + bottom + middle) / (2 * (bottom + middle)); };
    // (shrink, Shift) -> how far the lower divider moves up.
    const struct {
        int shrink;
        bool shift;
        int up;
    } cases[] = {
        {100, false, shared(100)},
        {bottom + 50, false, shared(bottom + 50)},
        {100, true, 0},
        {bottom + 50, true, 50},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.shrink << (c.shift ? " Shift" : ""));
        const CRect r1(r0.left, r0.top, r0.right, r0.bottom - c.shrink);
        CFigSymbol sym(own);
        StretchSpecialShape(*fig, r0, r1, sym, &plan, 8, c.shift);
        CPoint p0, p1;
        ASSERT_TRUE(sym.GetDividerHandle(0, p0, r1));
        ASSERT_TRUE(sym.GetDividerHandle(1, p1, r1));
        EXPECT_NEAR(p0.y, d0.y, 1);
        EXPECT_NEAR(p1.y, d1.y - c.up, 1);
    }
}

// Per-shape margins: each compartment keeps the margins it has in the
// figure's own symbol and rectangle, in logical units, whatever the new
// size; scalable margins leave the boxes to scale with the shape.
TEST(StretchPlan, PerShapeMarginsAreKeptInLogicalUnits)
{
    DiagramFixture fx;
    CFigure* fig = fx.AddBox(1000, 1000, 2048, 2048, "");
    fig->m_props.Symbol = fx.AddRowsSymbol();
    CFigSymbol* own = fx.doc.m_figSymbols.GetAt(fig->m_props.Symbol);
    ASSERT_TRUE(own->FitTextBoxToMargins(1, fig->m_rect, 40, 30, 20, 10));
    const CRect bigger(1000, 1000, 5096, 5096);
    for (const int mode : {2, 0}) {
        SCOPED_TRACE(mode);
        fx.doc.m_nFigMarginMode = mode;
        CFigSymbol sym(*own);
        FitCompartmentsToRect(*fig, sym, bigger);
        int left = 0, right = 0, top = 0, bottom = 0;
        ASSERT_TRUE(sym.GetTextBoxMargins(1, bigger, left, right, top, bottom));
        if (mode == 2) {
            EXPECT_NEAR(left, 40, 1);
            EXPECT_NEAR(right, 30, 1);
            EXPECT_NEAR(top, 20, 1);
            EXPECT_NEAR(bottom, 10, 1);
        } else {
            // Twice the size, twice the margins.
            EXPECT_NEAR(left, 80, 2);
            EXPECT_NEAR(bottom, 20, 2);
        }
    }
}

// The rounding handle of a rounded shape keeps its offset from the
// top-left corner, also when the top-left handle is dragged, so the
// rounding does not grow with the shape.
TEST(StretchPlan, AnAnchoredDividerKeepsItsOffsetFromItsAnchor)
{
    DiagramFixture fx;
    CFigure* fig = fx.AddBox(1000, 1000, 2048, 2048, "");
    // Its text inside the rounding, so that no limit moves the handle.
    CFigSymbol rounded = TemplateSymbol(22, -2, {CFltRect(700, 700, 1348, 1348)});
    rounded.m_strName = "rounded";
    fig->m_props.Symbol = fx.doc.m_figSymbols.AddOrReplace(&rounded);
    const CFigSymbol& own = *fig->GetSymbol();
    ASSERT_EQ(own.GetDividerAnchor(0), 1);
    const CRect r0 = fig->m_rect;
    CPoint h0;
    ASSERT_TRUE(own.GetDividerHandle(0, h0, r0));
    for (const int handle : {1, 9}) {
        SCOPED_TRACE(handle);
        const CRect r1 = handle == 1 ? CRect(600, 600, r0.right, r0.bottom) : CRect(r0.left, r0.top, 3448, 3448);
        CFigSymbol sym(own);
        CompartmentSet plan;
        StretchSpecialShape(*fig, r0, r1, sym, &plan, handle, false);
        CPoint h1;
        ASSERT_TRUE(sym.GetDividerHandle(0, h1, r1));
        EXPECT_NEAR(h1.x - r1.left, h0.x - r0.left, 2);
        EXPECT_NEAR(h1.y - r1.top, h0.y - r0.top, 2);
    }
}
