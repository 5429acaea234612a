// A divider step is kept only when the figure's parts accept the geometry:
// every divider handle within the figure and every text section the right
// way round.
#include "common/DiagramFixture.h"
#include "editing/DividerEdit.h"

#include <gtest/gtest.h>

TEST(DividerValidate, TheFiguresPartsJudgeTheGeometry)
{
    DiagramFixture fx;
    CFigure* fig = fx.AddBox(1500, 1100, 600, 600, "D");
    fig->m_props.Symbol = fx.AddRowsSymbol();
    EXPECT_TRUE(ValidateSubObjects(*fig));

    // A section turned upside down.
    SymbolBuilder b;
    b.Outline([](COutlineWriter& w) { w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048)); });
    b.TextBoxes({CFltRect(0, 1400, 2048, 700)});
    b.sym.m_strName = "inverted";
    fig->m_props.Symbol = fx.doc.m_figSymbols.AddOrReplace(&b.sym);
    EXPECT_FALSE(ValidateSubObjects(*fig));

    // No symbol: nothing to accept the geometry.
    fig->m_props.Symbol = fx.doc.m_figSymbols.GetCount() + 5;
    EXPECT_FALSE(ValidateSubObjects(*fig));
}
