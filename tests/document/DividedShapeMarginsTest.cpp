// The document's figure text margins through the special-shape set-up: the
// figures of special shapes are fitted, and the margins are one undoable step.
#include "DocTestSupport.h"
#include "common/DocText.h"
#include "shapes/DividedShapeTestSupport.h"

namespace {

// A box of three rows, "box r3"; its index.
int AddRowsSymbol(CKavoDoc& doc)
{
    CFigSymbol* sym = doc.m_figSymbols.NewEntry();
    *sym = Framed(BoxR3With({CFltRect(0, 0, 2048, 600), CFltRect(0, 600, 2048, 1400)}));
    sym->SetName("box r3");
    return doc.m_figSymbols.GetCount() - 1;
}

CFigure* AddRowsFig(CKavoDoc& doc, int symbol)
{
    CFigure* fig = NewFig(doc, 0, 0, "top\\sect middle");
    fig->m_rect = UnitRect();
    fig->m_props.Symbol = symbol;
    doc.AddFigWithId(fig);
    return fig;
}

} // namespace

TEST_F(DocTest, FigureMarginsAreOneUndoableStep)
{
    const int shared = AddRowsSymbol(doc);
    CFigure* fig = AddRowsFig(doc, shared);
    const CFigSymbol* sym = doc.m_figSymbols.GetAt(shared);
    // A second figure of the same symbol, elsewhere and twice the size: its
    // boxes fit differently, so the two cannot share one fitted entry.
    CFigure* twin = NewFig(doc, 5000, 0, "a\\sect b");
    twin->m_rect = CRect(5000, 0, 5000 + 2 * UnitRect().Width(), 2 * UnitRect().Height());
    twin->m_props.Symbol = shared;
    doc.AddFigWithId(twin);
    CFigure* plain = NewFig(doc, 3000, 0);
    doc.AddFigWithId(plain);
    doc.m_nSnapX = 7;
    doc.m_nFigMarginLeft = doc.m_nFigMarginRight = doc.m_nFigMarginTop = doc.m_nFigMarginBottom = 12;
    doc.ResetUndoLog();
    const CFltRect before = BoxOf(*sym, 0);
    const int symbols = doc.m_figSymbols.GetCount();
    const std::string saved = DocText(doc);

    ASSERT_EQ(SetFigMargins(doc, 40, 30, 20, 10, false), 1);
    EXPECT_EQ(doc.m_nFigMarginLeft, 40);
    EXPECT_EQ(doc.m_nFigMarginRight, 30);
    EXPECT_EQ(doc.m_nFigMarginTop, 20);
    EXPECT_EQ(doc.m_nFigMarginBottom, 10);
    EXPECT_EQ(doc.m_nSnapX, 7);
    EXPECT_EQ(fig->m_strText, "top\\sect middle");   // the text comes back after the blank fit
    // Each figure is fitted on a copy of its own; the shared entry, which
    // other figures and the styles may use, is left as it was.
    EXPECT_EQ(BoxOf(*doc.m_figSymbols.GetAt(shared), 0), before);
    ASSERT_NE(fig->m_props.Symbol, shared);
    ASSERT_NE(twin->m_props.Symbol, shared);
    EXPECT_NE(fig->m_props.Symbol, twin->m_props.Symbol);
    EXPECT_FALSE(BoxOf(*fig->GetSymbol(), 0) == before);
    EXPECT_FALSE(BoxOf(*twin->GetSymbol(), 0) == BoxOf(*fig->GetSymbol(), 0));
    EXPECT_EQ(plain->m_props.Symbol, 0);

    EXPECT_EQ(doc.UndoLastStep(), UDMAC_MARGINS);
    EXPECT_EQ(doc.m_nFigMarginLeft, 12);
    EXPECT_EQ(doc.m_nFigMarginBottom, 12);
    EXPECT_EQ(fig->m_props.Symbol, shared);
    EXPECT_EQ(twin->m_props.Symbol, shared);
    EXPECT_EQ(doc.m_figSymbols.GetCount(), symbols);   // the copies went with the step
    EXPECT_EQ(DocText(doc), saved);
}

TEST_F(DocTest, ASetUpThatChangesNoBoxLeavesTheFigureOnItsSymbol)
{
    const int shared = AddRowsSymbol(doc);
    CFigure* fig = AddRowsFig(doc, shared);
    ASSERT_EQ(SetFigMargins(doc, 40, 30, 20, 10, false), 1);
    const int fitted = fig->m_props.Symbol;
    const int symbols = doc.m_figSymbols.GetCount();
    // The same margins again: the figure's own copy already fits them, so no
    // further copy is left behind.
    ASSERT_EQ(SetFigMargins(doc, 40, 30, 20, 10, false), 1);
    EXPECT_EQ(fig->m_props.Symbol, fitted);
    EXPECT_EQ(doc.m_figSymbols.GetCount(), symbols);
}
