// Stretching a compartmented shape: its dividers keep their distance from
// the side opposite the dragged handle, stay inside the shape when it
// shrinks, and the text boxes follow the document's margins.
#include "common/DiagramFixture.h"
#include "editing/ShapeStretch.h"

#include <gtest/gtest.h>


TEST(ShapeStretch, DividersKeepTheirDistanceFromTheFixedSide)
{
    DiagramFixture fx;
    CFigure* fig = fx.AddBox(1000, 1000, 2048, 2048, "");
    fig->m_props.Symbol = fx.AddRowsSymbol();
    const CRect r0 = fig->m_rect;
    CPoint d0, d1;
    ASSERT_TRUE(fig->GetSymbol()->GetDividerHandle(0, d0, r0));
    ASSERT_TRUE(fig->GetSymbol()->GetDividerHandle(1, d1, r0));
    // (handle, new rectangle) -> the dividers' y in it.
    const struct {
        int handle;
        CRect r1;
        int y0, y1;
    } cases[] = {
        // The bottom side drags: both keep their distance from the top.
        {8, CRect(1000, 1000, 3048, 3548), d0.y, d1.y},
        // The top side drags: both keep their distance from the bottom.
        {2, CRect(1000, 500, 3048, 3048), d0.y, d1.y},
        {2, CRect(1000, 1200, 3048, 3048), d0.y, d1.y},
        // A corner: the same by its row.
        {9, CRect(1000, 1000, 3548, 3548), d0.y, d1.y},
        {1, CRect(600, 600, 3048, 3048), d0.y, d1.y},
        // A side handle changes no row.
        {6, CRect(1000, 1000, 3548, 3048), d0.y, d1.y},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.handle);
        CFigSymbol sym(*fig->GetSymbol());
        EXPECT_EQ(StretchSpecialShape(*fig, r0, c.r1, sym, nullptr, c.handle, false), 1);
        CPoint p0, p1;
        ASSERT_TRUE(sym.GetDividerHandle(0, p0, c.r1));
        ASSERT_TRUE(sym.GetDividerHandle(1, p1, c.r1));
        // Symbol units round to a unit.
        EXPECT_NEAR(p0.y, c.y0, 1);
        EXPECT_NEAR(p1.y, c.y1, 1);
    }
}

// Shrunk past a divider, the divider stays inside with its row's least
// height rather than leaving the shape.
TEST(ShapeStretch, AShrinkKeepsTheDividersInside)
{
    DiagramFixture fx;
    CFigure* fig = fx.AddBox(1000, 1000, 2048, 2048, "");
    fig->m_props.Symbol = fx.AddRowsSymbol();
    CFigSymbol sym(*fig->GetSymbol());
    const CRect r1(1000, 1000, 3048, 1600);
    StretchSpecialShape(*fig, fig->m_rect, r1, sym, nullptr, 8, false);
    CPoint p0, p1;
    ASSERT_TRUE(sym.GetDividerHandle(0, p0, r1));
    ASSERT_TRUE(sym.GetDividerHandle(1, p1, r1));
    EXPECT_GT(p0.y, r1.top);
    EXPECT_GT(p1.y, p0.y);
    EXPECT_LT(p1.y, r1.bottom);
}

// Scalable margins leave the text boxes alone; fixed ones come from the
// document.
TEST(ShapeStretch, FitCompartmentsFollowsTheTextFormat)
{
    DiagramFixture fx;
    CFigure* fig = fx.AddBox(1000, 1000, 2048, 2048, "");
    fig->m_props.Symbol = fx.AddRowsSymbol();
    CFigSymbol sym(*fig->GetSymbol());
    fx.doc.m_nFigMarginMode = 0;
    EXPECT_EQ(FitCompartmentsToRect(*fig, sym, fig->m_rect), 0);
    fx.doc.m_nFigMarginMode = 1;
    EXPECT_EQ(FitCompartmentsToRect(*fig, sym, fig->m_rect), 1);
    CRect box;
    ASSERT_TRUE(sym.GetTextBoxRect(0, fig->m_rect, box, 0));
    EXPECT_EQ(box.left, fig->m_rect.left + fx.doc.m_nFigMarginLeft);
    EXPECT_EQ(box.top, fig->m_rect.top + fx.doc.m_nFigMarginTop);
}
