// Adding new figures: automatic figure labels and special-shape rows.
#include "DocTestSupport.h"

#include "document/CStaple.h"
#include "document/DividedShapeCreateTable.h"
#include "document/Trunks.h"

namespace {

int g_setUps = 0;

void CountSetUp(CKavoDoc&, CFigure& fig)
{
    ++g_setUps;
    fig.TerminalJct = 7;
}

const SpecialShapeCreateRow* TestLookup(int)
{
    static const SpecialShapeCreateRow row{UDMAC_CREATEFIGLBL, &CountSetUp};
    return &row;
}

// A figure whose style names the interface kind (9) of trunk diagrams.
class InterfaceFig : public CFigure {
public:
    explicit InterfaceFig(CKavoDoc& doc) : CFigure(0, 0, 50, 50, CFigProps(), -1, 0, "i", "", CreateArgs(), &doc) {}
    int ClassifyStockKind() const override { return 9; }
};

} // namespace

TEST_F(DocTest, TrunkObjectIsAddedAsAnInterfaceStepOnlyInTrunkDiagrams)
{
    doc.ResetUndoLog();
    ASSERT_TRUE(doc.AddNewFig(UDMAC_CREATEFIG, new InterfaceFig(doc), true));
    EXPECT_EQ(doc.UndoLogRef().GetLastUndoStepCode(), UDMAC_CREATEFIG);
    SetTrunkDiagramsForTest(true);
    ASSERT_TRUE(doc.AddNewFig(UDMAC_CREATEFIG, new InterfaceFig(doc), true));
    EXPECT_EQ(doc.UndoLogRef().GetLastUndoStepCode(), UDMAC_CREATEINTERFACE);
    SetTrunkDiagramsForTest(false);
}

TEST_F(DocTest, NewFigureWithLabelTextGetsAStapledLabelInTheSameStep)
{
    doc.m_nFigLblPrimarySector = 8;   // below
    doc.ResetUndoLog();
    CFigure* fig = NewFig(doc, 1000, 1000);
    ASSERT_EQ(doc.AddNewFig(UDMAC_CREATEFIG, fig, true, true, "Name"), fig);
    ASSERT_EQ(doc.m_pObjList->GetCount(), 2);
    ASSERT_EQ(doc.m_pStapleList->GetCount(), 1);
    auto* label = static_cast<CFigure*>(doc.m_pObjList->GetAt(doc.m_pObjList->GetCount() - 1));
    EXPECT_EQ(label->m_bLabel, 1);
    EXPECT_EQ(label->m_nId, fig->m_nId + 1);
    EXPECT_TRUE(label->m_props.Behavior.low & kFigFlagLabel);
    EXPECT_EQ(label->m_props.Behavior.high & (256 | 512), 256u | 512u);
    EXPECT_EQ(label->m_rect.top, fig->m_rect.bottom + 16);
    EXPECT_EQ(label->m_rect.CenterPoint().x, fig->m_rect.CenterPoint().x);
    auto* staple = static_cast<CStaple*>(doc.m_pStapleList->GetAt(0));
    EXPECT_EQ(staple->m_nType, kStapleFigLabel);
    EXPECT_EQ(staple->m_pFig1, fig);
    EXPECT_EQ(staple->m_pFig2, label);
    EXPECT_EQ(doc.UndoLogRef().m_nUndoSteps, 1);

    doc.UndoLastStep();
    EXPECT_EQ(doc.m_pObjList->GetCount(), 0);
    EXPECT_EQ(doc.m_pStapleList->GetCount(), 0);
}

TEST_F(DocTest, LabelIsMadeOnlyWithTheFlagAndAText)
{
    ASSERT_TRUE(doc.AddNewFig(UDMAC_CREATEFIG, NewFig(doc, 0, 0), true, true, ""));
    ASSERT_TRUE(doc.AddNewFig(UDMAC_CREATEFIG, NewFig(doc, 0, 0), true, false, "Name"));
    EXPECT_EQ(doc.m_pObjList->GetCount(), 2);
    EXPECT_EQ(doc.m_pStapleList->GetCount(), 0);
}

TEST_F(DocTest, AutoLabelStyleNamedByTheDocumentIsUsed)
{
    CFigStyle* style = doc.m_figStyles.NewEntry();
    ASSERT_NE(style, nullptr);
    style->SetName("Caption");
    style->Label = 1;
    style->Width = 300;
    style->Height = 40;
    doc.m_strAutoLabelStyle = "Caption";
    doc.m_nFigLblPrimarySector = 5;   // right
    CFigure* fig = NewFig(doc, 0, 0);
    ASSERT_TRUE(doc.AddNewFig(UDMAC_CREATEFIG, fig, true, true, "x"));
    auto* label = static_cast<CFigure*>(doc.m_pObjList->GetAt(doc.m_pObjList->GetCount() - 1));
    EXPECT_EQ(label->m_nStyle, doc.m_figStyles.FindByName("Caption"));
    // Sized to its one-character text (the rich-text layer's hook), not the
    // style's width, and placed with that size.
    EXPECT_GT(label->m_rect.Width(), 0);
    EXPECT_LT(label->m_rect.Width(), 300);
    EXPECT_EQ(label->m_rect.left, fig->m_rect.right + 16);
}

TEST_F(DocTest, SpecialShapeRowReplacesTheKindAndSetsTheFigureUp)
{
    g_setUps = 0;
    SetSpecialShapeCreateLookup(&TestLookup);
    doc.ResetUndoLog();
    CFigure* fig = NewFig(doc, 0, 0);
    ASSERT_TRUE(doc.AddNewFig(UDMAC_CREATEFIG, fig, true));
    EXPECT_EQ(g_setUps, 1);
    EXPECT_EQ(fig->TerminalJct, 7);
    EXPECT_EQ(doc.UndoLogRef().GetLastUndoStepCode(), UDMAC_CREATEFIGLBL);

    // A figure made from a given style is not looked up.
    CFigStyle source;
    ASSERT_TRUE(doc.AddNewFig(UDMAC_CREATEFIG, NewFig(doc, 0, 0), true, false, "", &source));
    EXPECT_EQ(g_setUps, 1);
    EXPECT_EQ(doc.UndoLogRef().GetLastUndoStepCode(), UDMAC_CREATEFIG);
}
