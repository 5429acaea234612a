// The document's connector creation and chains, logged single-object edits,
// the active-document look-up and the keep-links switch.
#include "common/FakeAppContext.h"
#include "common/TestSupport.h"
#include "core/Settings.h"
#include "document/CKavoDoc.h"
#include "document/CStaple.h"
#include "document/DocDefaults.h"
#include "document/IDocView.h"
#include "DocTestSupport.h"
#include "core/UIMode.h"

#include <gtest/gtest.h>

#include <cstring>

TEST_F(DocTest, CreateConAttachesAndJunctionsMerge)
{
    CFigure* a = NewFig(doc, 0, 0);
    CFigure* b = NewFig(doc, 1000, 0);
    doc.AddFigWithId(a);
    doc.AddFigWithId(b);
    CFigure* j = doc.CreateFigAt(POINT{493, 43}, 1);
    ASSERT_NE(j, nullptr);
    EXPECT_EQ(j->m_rect.Width(), 15);
    EXPECT_EQ(j->AutoDelJct, 1);
    CConProps props;
    CConnector* c1 = doc.CreateCon(a, j, -1, -1, a->GetCenter(), j->GetCenter(), -1, props);
    CConnector* c2 = doc.CreateCon(j, b, -1, -1, j->GetCenter(), b->GetCenter(), -1, props);
    ASSERT_TRUE(c1 && c2);
    EXPECT_EQ(c2->m_nId, c1->m_nId + 1);
    EXPECT_EQ(j->m_nConnected, 2);
    EXPECT_EQ(c1->m_nFigId2, j->m_nId);
    EXPECT_EQ(a->m_pAttachedCon1, c1);
    EXPECT_TRUE(doc.CanMergeAtJct(j));   // (100, 50) - (500, 50) - (1100, 50)
    c2->m_props.End1 = 3;                // an arrowhead at the junction
    EXPECT_FALSE(doc.CanMergeAtJct(j));
    c2->m_props.End1 = 0;
    j->m_rect.OffsetRect(0, 40);
    EXPECT_FALSE(doc.CanMergeAtJct(j));   // off the line
    j->m_rect.OffsetRect(0, -40);
    j->AutoDelJct = 0;
    EXPECT_FALSE(doc.CanMergeAtJct(j));
}

TEST_F(DocTest, ActiveDocumentThroughTheContext)
{
    EXPECT_EQ(GetActiveKavoDoc(), nullptr);
    FakeAppContext ctx;
    SetAppContext(&ctx);
    EXPECT_EQ(GetActiveKavoDoc(), nullptr);
    ctx.doc = &doc;
    EXPECT_EQ(GetActiveKavoDoc(), &doc);
    SetAppContext(nullptr);
}

TEST_F(DocTest, ChainsThroughRedundantJunctionsKeepOneShape)
{
    // a - j1 - j2 - b, plus a branch c at j1 that is then deleted.
    CFigure* a = NewFig(doc, 0, 0);
    CFigure* b = NewFig(doc, 3000, 0);
    CFigure* c = NewFig(doc, 1000, 1000);
    for (CFigure* f : {a, b, c})
        doc.AddFigWithId(f);
    CFigure* j1 = doc.CreateFigAt(POINT{1000, 0}, 0);
    CFigure* j2 = doc.CreateFigAt(POINT{2000, 0}, 0);
    CConProps props;
    CConnector* c1 = doc.CreateCon(a, j1, -1, -1, a->GetCenter(), j1->GetCenter(), -1, props);
    CConnector* c2 = doc.CreateCon(j1, j2, -1, -1, j1->GetCenter(), j2->GetCenter(), -1, props);
    CConnector* c3 = doc.CreateCon(j2, b, -1, -1, j2->GetCenter(), b->GetCenter(), -1, props);
    CConnector* branch = doc.CreateCon(j1, c, -1, -1, j1->GetCenter(), c->GetCenter(), -1, props);
    ASSERT_TRUE(c1 && c2 && c3 && branch);
    j1->m_props.Symbol = j2->m_props.Symbol = 0;   // blank junctions
    EXPECT_EQ(doc.GetConChain(c3), (std::vector<CConnector*>{c2, c3}));   // j1 is a branch
    c1->m_props.Behavior.low = 0x2 | 0x40;
    c3->m_props.Behavior.low = 0x10 | 0x80;

    doc.DeleteCon(branch, true, true, false);
    EXPECT_EQ(j1->m_nConnected, 2);
    EXPECT_EQ(doc.GetConChain(c2), (std::vector<CConnector*>{c1, c2, c3}));
    // The third connector of the chain takes the first one's shape bits.
    EXPECT_EQ(c3->m_props.Behavior.low, DWORD(0x2 | 0x80));
}

TEST_F(DocTest, RectangleAndOrderChangesUndo)
{
    CFigure* a = NewFig(doc, 0, 0);
    CFigure* b = NewFig(doc, 500, 0);
    doc.AddFigWithId(a);
    doc.AddFigWithId(b);
    doc.ResetUndoLog();
    const std::string before = Snapshot(doc);
    doc.UndoBeginStep(UDMAC_MOVEOBJS);
    EXPECT_TRUE(doc.SetFigRect(a, CRect(10, 20, 30, 40)));
    EXPECT_TRUE(doc.MoveObjInList(a, 2));
    EXPECT_FALSE(doc.MoveObjInList(a, 3));
    doc.UndoEndStep();
    EXPECT_EQ(doc.m_pObjList->GetAt(1), a);
    EXPECT_EQ(doc.UndoLastStep(), UDMAC_MOVEOBJS);
    EXPECT_EQ(Snapshot(doc), before);
}

TEST_F(DocTest, KeepLinksSwitchSparesTheLinkStaple)
{
    CFigure* a = NewFig(doc, 0, 0);
    CFigure* b = NewFig(doc, 500, 0);
    doc.AddFigWithId(a);
    doc.AddFigWithId(b);
    auto* link = new CStaple(&doc, kStapleFigLink);
    link->m_pFig1 = a;
    link->m_pFig2 = b;
    doc.AddStapleWithId(link);
    CConProps props;
    g_bKeepLinks = 1;
    doc.CutCon(doc.CreateCon(a, b, -1, -1, a->GetCenter(), b->GetCenter(), -1, props), false, false, -1);
    EXPECT_EQ(doc.m_pStapleList->GetCount(), 1);
    g_bKeepLinks = 0;
    doc.CutCon(doc.CreateCon(a, b, -1, -1, a->GetCenter(), b->GetCenter(), -1, props), false, false, -1);
    EXPECT_EQ(doc.m_pStapleList->GetCount(), 0);
}

TEST_F(DocTest, UndoingAScaleReturnsToTheSelectMode)
{
    RecordingView view;
    doc.AddView(&view);
    SelectMode = 1;
    EnterUIMode(5, 0);
    doc.UndoBeginStep(UDMAC_SCALE);
    doc.UndoEndStep();
    EXPECT_EQ(doc.UndoLastStep(), UDMAC_SCALE);
    EXPECT_EQ(g_nUIMode, 1);

    // A connector removed by the replay redraws every view.
    CFigure* a = NewFig(doc, 0, 0);
    doc.AddFigWithId(a);
    doc.UndoBeginStep(UDMAC_CREATECON);
    doc.AddConWithId(NewCon(doc, a, nullptr));
    doc.UndoEndStep();
    view.hints.clear();
    doc.UndoLastStep();
    EXPECT_EQ(a->m_nConnected, 0);
    ASSERT_FALSE(view.hints.empty());
    EXPECT_EQ(view.hints.back(), 0);

    // So does an undone move: the figure's old place is cleared too.
    doc.UndoBeginStep(UDMAC_MOVEOBJS);
    doc.LogFigRect(a);
    a->m_rect.OffsetRect(500, 0);
    doc.UndoEndStep();
    view.hints.clear();
    doc.UndoLastStep();
    EXPECT_EQ(a->m_rect.left, 0);
    ASSERT_FALSE(view.hints.empty());
    EXPECT_EQ(view.hints.back(), 0);
    doc.RemoveView(&view);
}

// Undoing a resize drops only a symbol copy that such a step made, never a
// numbered symbol the diagram brought with it.
TEST_F(DocTest, UndoingAResizeKeepsSymbolsItDidNotCopy)
{
    CFigure* a = NewFig(doc, 0, 0);
    doc.AddFigWithId(a);
    ASSERT_NE(a->GetSymbol(), nullptr);
    const int copied = doc.m_figSymbols.AddCopyWithNewName(a->GetSymbol());
    ASSERT_EQ(copied, doc.m_figSymbols.GetCount() - 1);
    const int count = doc.m_figSymbols.GetCount();
    for (bool madeByTheStep : {false, true}) {
        if (madeByTheStep)
            doc.m_editSymbolCopies.push_back(doc.m_figSymbols.GetAt(copied)->m_strName);
        doc.UndoBeginStep(UDMAC_RESIZEFIG);
        doc.LogFigRect(a);
        a->m_rect.right += 100;
        doc.UndoEndStep();
        EXPECT_EQ(doc.UndoLastStep(), UDMAC_RESIZEFIG);
        EXPECT_EQ(doc.m_figSymbols.GetCount(), madeByTheStep ? count - 1 : count);
    }
    EXPECT_TRUE(doc.m_editSymbolCopies.empty());
}

TEST_F(DocTest, TextChangesUndoPerArea)
{
    CFigure* a = NewFig(doc, 0, 0, "one\\sect two");
    doc.AddFigWithId(a);
    doc.ResetUndoLog();
    doc.UndoBeginStep(UDMAC_TEXTEDIT);
    EXPECT_TRUE(doc.SetFigTextArea(a, 1, "zwei", ""));
    EXPECT_TRUE(doc.SetFigTextArea(a, -1, "all new", "inits"));
    doc.UndoEndStep();
    EXPECT_EQ(a->m_strText, "all new");
    EXPECT_EQ(doc.UndoLastStep(), UDMAC_TEXTEDIT);
    EXPECT_EQ(a->m_strText, "one\\sect two");
    EXPECT_EQ(a->m_strSecondText, "");
}

TEST_F(DocTest, PropertyChangesUndoFromTheWholeState)
{
    CFigure* a = NewFig(doc, 0, 0);
    CFigure* b = NewFig(doc, 500, 0);
    doc.AddFigWithId(a);
    doc.AddFigWithId(b);
    CConnector* c = NewCon(doc, a, b);
    doc.AddConWithId(c);
    a->m_pConPts = std::make_unique<CConPtList>();
    a->m_pConPts->AddConPt(CFltPoint(0, 1024), "west", 0, true, -1);
    a->m_bHasConPts = 1;
    doc.Select(c);
    doc.ResetUndoLog();
    const std::string before = Snapshot(doc);

    doc.UndoBeginStep(UDMAC_FIGPROPS);
    ASSERT_TRUE(doc.LogFigureState(a));
    a->m_props.BorderColor = 0x0000FF;
    a->m_nStyle = 0;
    a->m_pConPts.reset();
    ASSERT_TRUE(doc.LogConnectorState(UDOC_CONPROPS, c));
    c->m_props.LineWidth = 9;
    c->m_bSelected = 1;   // the live selection is kept by the replay
    doc.UndoEndStep();

    EXPECT_EQ(doc.UndoLastStep(), UDMAC_FIGPROPS);
    EXPECT_EQ(Snapshot(doc), before);
    EXPECT_EQ(a->m_nStyle, -1);
    ASSERT_TRUE(a->m_pConPts);
    EXPECT_EQ(a->m_pConPts->GetAt(0)->m_strName, "west");
    EXPECT_EQ(c->m_props.LineWidth, 1);
    EXPECT_EQ(c->m_pFig2, b);
    EXPECT_TRUE(doc.HasSelection());
}

namespace {
class ZoomView : public FakeEditorView {
public:
    void SetZoomAndScroll(float z, int px, int py) override
    {
        zoom = z;
        x = px;
        y = py;
    }
    float zoom = 0;
    int x = 0, y = 0;
};
} // namespace

TEST_F(DocTest, ViewAndLineSpacingUndo)
{
    ZoomView view;
    FakeAppContext ctx;
    ctx.doc = &doc;
    ctx.view = &view;
    SetAppContext(&ctx);
    doc.UndoBeginStep(UDMAC_ZOOM);
    EXPECT_TRUE(doc.LogView(-120, 340, 150.0));
    doc.UndoEndStep();
    EXPECT_EQ(doc.UndoLastStep(), UDMAC_ZOOM);
    EXPECT_FLOAT_EQ(view.zoom, 150.0f);
    EXPECT_EQ(view.x, -120);
    EXPECT_EQ(view.y, 340);
    SetAppContext(nullptr);

    doc.m_nLineSpacingMode = 1;
    doc.m_fLineSpacingValue = 1.5f;
    doc.UndoBeginStep(UDMAC_SETLINESPACING);
    EXPECT_TRUE(doc.SetLineSpacing(2, 3.25f));
    doc.UndoEndStep();
    EXPECT_EQ(doc.m_nLineSpacingMode, 2);
    doc.UndoLastStep();
    EXPECT_EQ(doc.m_nLineSpacingMode, 1);
    EXPECT_FLOAT_EQ(doc.m_fLineSpacingValue, 1.5f);
}

TEST_F(DocTest, UndoMenuNamesTheLastStep)
{
    std::string text;
    doc.ResetUndoLog();
    EXPECT_FALSE(doc.GetUndoMenuState(text));
    EXPECT_EQ(text, "&Undo");
    doc.AddNewFig(UDMAC_CREATEFIG, NewFig(doc, 0, 0), true);
    EXPECT_TRUE(doc.GetUndoMenuState(text));
    EXPECT_EQ(text, "&Undo Create Figure\tCtrl+Z");
}
