// The document's figure text margins through the special-shape set-up: the
// figures of special shapes are fitted, and the margins are one undoable step.
#include "DocTestSupport.h"
#include "shapes/DividedShapeTestSupport.h"

TEST_F(DocTest, FigureMarginsAreOneUndoableStep)
{
    CFigSymbol* sym = doc.m_figSymbols.NewEntry();
    *sym = BoxR3With({CFltRect(0, 0, 2048, 600), CFltRect(0, 600, 2048, 1400)});
    sym->SetName("box r3");
    CFigure* fig = NewFig(doc, 0, 0, "top\\sect middle");
    fig->m_rect = UnitRect();
    fig->m_props.Symbol = doc.m_figSymbols.GetCount() - 1;
    doc.AddFigWithId(fig);
    CFigure* plain = NewFig(doc, 3000, 0);
    doc.AddFigWithId(plain);
    doc.m_nSnapX = 7;
    doc.m_nFigMarginLeft = doc.m_nFigMarginRight = doc.m_nFigMarginTop = doc.m_nFigMarginBottom = 12;
    doc.ResetUndoLog();
    const CFltRect before = BoxOf(*sym, 0);

    ASSERT_EQ(SetFigMargins(doc, 40, 30, 20, 10, false), 1);
    EXPECT_EQ(doc.m_nFigMarginLeft, 40);
    EXPECT_EQ(doc.m_nFigMarginRight, 30);
    EXPECT_EQ(doc.m_nFigMarginTop, 20);
    EXPECT_EQ(doc.m_nFigMarginBottom, 10);
    EXPECT_EQ(doc.m_nSnapX, 7);
    EXPECT_FALSE(BoxOf(*sym, 0) == before);
    EXPECT_EQ(fig->m_strText, "top\\sect middle");   // the text comes back after the blank fit

    EXPECT_EQ(doc.UndoLastStep(), UDMAC_MARGINS);
    EXPECT_EQ(doc.m_nFigMarginLeft, 12);
    EXPECT_EQ(doc.m_nFigMarginBottom, 12);
    EXPECT_EQ(fig->m_strText, "top\\sect middle");
    EXPECT_EQ(fig->m_rect, UnitRect());
}
