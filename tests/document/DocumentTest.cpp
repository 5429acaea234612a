// The document: a new document's state, id counters, appends with undo
// records, cuts and deletes with their unlinking, groups, copies, and undo
// compared field by field against the state before.
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

TEST(KavoDoc, NewDocumentState)
{
    GridX = 40;
    SnapY = 7;
    PaletteColors[3] = 0x123456;
    CKavoDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    EXPECT_EQ(doc.m_pObjList->GetCount(), 0);
    EXPECT_EQ(doc.m_nNextId, 1);
    EXPECT_EQ(doc.m_nNextStpId, 1);
    EXPECT_EQ(doc.m_nNextGrpId, 1);
    EXPECT_EQ(doc.m_nGridX, 40);
    EXPECT_EQ(doc.m_nSnapY, 7);
    EXPECT_EQ(doc.m_colors[3], 0x123456u);
    ASSERT_EQ(doc.m_figSymbols.GetCount(), 2);
    EXPECT_EQ(doc.m_figSymbols.GetAt(0)->m_strName, "null");
    EXPECT_EQ(doc.m_figSymbols.GetAt(1)->m_strName, "lbl");
    EXPECT_EQ(doc.m_endSymbols.GetCount(), 20);
    EXPECT_EQ(doc.m_figStyles.GetCount(), 1);
    EXPECT_EQ(doc.m_nCurFigStyle, -1);
    EXPECT_EQ(doc.m_nCurConStyle, -1);
    EXPECT_EQ(doc.m_nCurLblStyle, -1);
    EXPECT_FLOAT_EQ(doc.m_fViewScale, 100.0f);
    EXPECT_EQ(doc.m_rcWorkSpace, CRect(-16000, -16000, 16000, 16000));
    EXPECT_EQ(doc.m_crTranspColor, 0xFF00FFu);
    EXPECT_EQ(doc.m_nLabelToFigSpacing, -1);
    EXPECT_EQ(doc.m_nSBarWidthOrg, -1);
    EXPECT_EQ(doc.m_styleBarDefaults[5], 32);
    EXPECT_EQ(doc.m_nPaperWidth, 2159);
    EXPECT_EQ(doc.m_nPaperLength, 2794);
    EXPECT_EQ(doc.m_curLblStyle.Label, 1);
    EXPECT_EQ(doc.m_curLblStyle.m_props.Symbol, 1);
    EXPECT_EQ(doc.m_curLblStyle.m_props.m_fill.m_nKind, 0);
    EXPECT_EQ(doc.UndoLogRef().m_nUndoBufSize, 262144);
}

TEST_F(DocTest, SmallQueries)
{
    doc.m_nFigMarginLeft = 30;
    EXPECT_EQ(doc.GetConStubLen(), 12);
    doc.m_nFigMarginMode = 1;
    EXPECT_EQ(doc.GetConStubLen(), 30);

    EXPECT_TRUE(doc.SetCurFigStyle(0));
    doc.m_curFigStyle.m_props.BorderWidth = 99;
    EXPECT_FALSE(doc.SetCurFigStyle(0));
    EXPECT_NE(doc.m_curFigStyle.m_props.BorderWidth, 99);   // refreshed anyway

    doc.m_strCurConStyleName = "Flow";
    doc.ClearCurConStyleMark();
    EXPECT_EQ(doc.m_strCurConStyleName, "");

    doc.m_bReadOnly = 1;
    FullPathCaptions = 1;
    doc.SetPathName(std::string(300, 'a'));
    EXPECT_EQ(doc.GetTitle(), std::string(259, 'a') + " (read-only)");
    FullPathCaptions = 0;
    doc.SetPathName("/x/y/Plan.kvd");
    EXPECT_EQ(doc.GetTitle(), "Plan.kvd (read-only)");

    CRecordingPrompt prompt;
    doc.m_strPendingMessage = "Look";
    doc.ShowPendingMessage();
    doc.ShowPendingMessage();
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].type, MB_OK | MB_ICONEXCLAMATION);
}

namespace {
class StyleBarContext : public FakeAppContext {
public:
    bool SelectStyleBarCommand(int id) override
    {
        ids.push_back(id);
        return true;
    }
    std::vector<int> ids;
};
} // namespace

// Creating with the current style enters the create mode with the command of
// that style's kind: figure, label or connector.
TEST_F(DocTest, StyleCreateModeTakesTheCurrentStylesCommand)
{
    StyleBarContext ctx;
    ctx.doc = &doc;
    SetAppContext(&ctx);
    doc.m_nCurFigStyle = 0;
    doc.m_nCurConStyle = 1;
    doc.m_nCurLblStyle = 0;
    struct {
        int kind;
        int mode;
        int command;
    } cases[] = {{2, 2, 36600}, {3, 3, 37600}, {4, 4, 37101}, {5, 5, 0}};
    for (const auto& c : cases) {
        g_nUIMode = 0;
        ctx.ids.clear();
        doc.EnterStyleCreateMode(c.kind);
        EXPECT_EQ(g_nUIMode, c.mode) << c.kind;
        EXPECT_EQ(ctx.ids, std::vector<int>{c.command}) << c.kind;
    }
    g_nUIMode = 0;
    SetAppContext(nullptr);
}

TEST_F(DocTest, OneCounterForFiguresAndConnectorsAndSpentIds)
{
    CFigure* a = NewFig(doc, 0, 0);
    ASSERT_TRUE(doc.AddFigWithId(a));
    auto* st = new CStaple(&doc, kStapleFigLink);
    ASSERT_TRUE(doc.AddStapleWithId(st));
    CFigure* b = NewFig(doc, 500, 0);
    ASSERT_TRUE(doc.AddFigWithId(b));
    CConnector* c = NewCon(doc, a, b);
    ASSERT_TRUE(doc.AddConWithId(c));
    EXPECT_EQ(a->m_nId, 1);
    EXPECT_EQ(st->m_nId, 1);
    EXPECT_EQ(b->m_nId, 2);
    EXPECT_EQ(c->m_nId, 3);
    EXPECT_EQ(doc.m_pObjList->m_nFigCount, 2);
    EXPECT_EQ(doc.m_pObjList->m_nConCount, 1);
    EXPECT_TRUE(doc.IsModified());

    doc.m_pObjList->FailAppendsForTest(true);
    CFigure* lost = NewFig(doc, 0, 0);
    EXPECT_FALSE(doc.AddFigWithId(lost));
    EXPECT_EQ(doc.m_nNextId, 5);   // the id is spent all the same
    EXPECT_EQ(doc.m_pObjList->GetCount(), 3);
    delete lost;
    doc.m_pObjList->FailAppendsForTest(false);
    EXPECT_FALSE(doc.AddFigWithId(nullptr));
    EXPECT_EQ(doc.m_nNextId, 5);
}

TEST_F(DocTest, RefusedUndoRecordMeansNoAppend)
{
    CRecordingPrompt prompt;
    doc.UndoBeginStep(UDMAC_CREATEFIG);
    // The log cannot grow: the user cancels the operation.
    SetGlobalMemoryLimit(GlobalMemoryInUse());
    doc.UndoLogRef().m_nUndoUsed = doc.UndoLogRef().m_nUndoBufSize;
    prompt.QueueAnswer(IDCANCEL);
    CFigure* f = NewFig(doc, 0, 0);
    EXPECT_FALSE(doc.AddFigWithId(f));
    EXPECT_EQ(doc.m_pObjList->GetCount(), 0);
    EXPECT_EQ(doc.m_nNextId, 2);
    delete f;
    SetGlobalMemoryLimit(0);
}

TEST_F(DocTest, DeleteFigUnlinksEverything)
{
    CFigure* a = NewFig(doc, 0, 0);
    CFigure* b = NewFig(doc, 500, 0);
    doc.AddFigWithId(a);
    doc.AddFigWithId(b);
    CConnector* c = NewCon(doc, a, b);
    doc.AddConWithId(c);
    auto* link = new CStaple(&doc, kStapleFigLink);
    link->m_pFig1 = a;
    link->m_pFig2 = b;
    doc.AddStapleWithId(link);
    auto* g = new CGroup;
    g->AddMember(a, a->m_nId);
    g->AddMember(b, b->m_nId);
    doc.AddGroupWithId(g);
    a->m_pGroup = b->m_pGroup = g;
    doc.Select(a);

    CFigure stray(&doc);
    doc.DeleteFig(&stray, true);   // not in the list: nothing happens
    EXPECT_EQ(doc.m_pObjList->GetCount(), 3);

    doc.DeleteFig(a, true);
    EXPECT_EQ(doc.m_pObjList->m_nFigCount, 1);
    EXPECT_EQ(c->m_pFig1, nullptr);
    EXPECT_EQ(c->m_nFigId1, -1);
    EXPECT_EQ(c->m_nConPtId1, -1);
    EXPECT_EQ(c->m_pFig2, b);
    EXPECT_EQ(link->m_pFig1, nullptr);
    EXPECT_FALSE(g->HasMember(1));   // no group entry points at freed memory
    EXPECT_FALSE(doc.HasSelection());

    doc.DeleteCon(c, true, true, false);
    EXPECT_EQ(b->m_nConnected, 0);
    EXPECT_EQ(b->m_pAttachedCon1, nullptr);
    EXPECT_EQ(doc.m_pObjList->m_nConCount, 0);
}

TEST_F(DocTest, CutAndUndoRestoreTheLists)
{
    CFigure* a = NewFig(doc, 0, 0, "first");
    CFigure* b = NewFig(doc, 500, 0, "second");
    doc.AddFigWithId(a);
    doc.AddFigWithId(b);
    CConnector* c = NewCon(doc, a, b);
    c->m_props.LineWidth = 3;
    doc.AddConWithId(c);
    CFigure* d = NewFig(doc, 900, 900);
    doc.AddFigWithId(d);
    a->m_props.BorderColor = 0xFF;
    doc.SetModifiedFlag(false);
    doc.ResetUndoLog();
    const std::string before = Snapshot(doc);

    doc.UndoBeginStep(UDMAC_DELOBJS);
    EXPECT_TRUE(doc.CutObj(c, -1));
    EXPECT_TRUE(doc.CutObj(a, -1));
    doc.UndoEndStep();
    EXPECT_EQ(doc.m_pObjList->GetCount(), 2);
    EXPECT_TRUE(doc.IsModified());

    EXPECT_EQ(doc.UndoLastStep(), UDMAC_DELOBJS);
    EXPECT_EQ(Snapshot(doc), before);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(doc.m_pObjList->m_nFigCount, 3);
    EXPECT_EQ(doc.m_pObjList->m_nConCount, 1);
    EXPECT_FALSE(doc.CanUndo());
}

TEST_F(DocTest, UndoOfCreationRemovesTheObjects)
{
    const std::string before = Snapshot(doc);
    doc.UndoBeginStep(UDMAC_CREATEFIG);
    CFigure* a = NewFig(doc, 0, 0);
    CFigure* b = NewFig(doc, 500, 0);
    doc.AddFigWithId(a);
    doc.AddFigWithId(b);
    doc.AddConWithId(NewCon(doc, a, b));
    doc.AddStapleWithId(new CStaple(&doc, kStapleFigLink));
    auto* g = new CGroup;
    g->AddMember(a, a->m_nId);
    doc.AddGroupWithId(g);
    doc.UndoEndStep();
    EXPECT_EQ(doc.UndoLastStep(), UDMAC_CREATEFIG);
    EXPECT_EQ(Snapshot(doc), before);
    EXPECT_EQ(doc.m_pStapleList->GetCount(), 0);
}

TEST_F(DocTest, LastButOneMemberLeavingDissolvesTheGroup)
{
    CFigure* a = NewFig(doc, 0, 0);
    CFigure* b = NewFig(doc, 500, 0);
    CFigure* e = NewFig(doc, 900, 0);
    doc.AddFigWithId(a);
    doc.AddFigWithId(b);
    doc.AddFigWithId(e);
    auto* g = new CGroup;
    g->AddMember(a, a->m_nId);
    g->AddMember(b, b->m_nId);
    doc.AddGroupWithId(g);
    auto* g2 = new CGroup;
    g2->AddMember(a, a->m_nId);
    g2->AddMember(b, b->m_nId);
    g2->AddMember(e, e->m_nId);
    doc.AddGroupWithId(g2);
    a->m_pGroup = b->m_pGroup = g;
    e->m_pGroup = g2;
    doc.ResetUndoLog();
    const std::string before = Snapshot(doc);

    doc.UndoBeginStep(UDMAC_DELOBJS);
    EXPECT_TRUE(doc.CutObj(a, -1));
    doc.UndoEndStep();
    ASSERT_EQ(doc.m_groupList.size(), 1u);   // g went, g2 kept b and e
    EXPECT_EQ(doc.m_groupList[0], g2);
    EXPECT_EQ(g2->GetCount(), 2);
    EXPECT_EQ(b->m_pGroup, g2);              // the next group that lists it

    EXPECT_EQ(doc.UndoLastStep(), UDMAC_DELOBJS);
    EXPECT_EQ(Snapshot(doc), before);
}

TEST_F(DocTest, DuplicateConGoesDirectlyInFrontOfItsSource)
{
    CFigure* a = NewFig(doc, 0, 0);
    CFigure* b = NewFig(doc, 500, 0);
    doc.AddFigWithId(a);
    CConnector* c = NewCon(doc, a, nullptr);
    doc.AddConWithId(c);
    doc.AddFigWithId(b);
    CConnector* copy = doc.DuplicateCon(c);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(doc.m_pObjList->Find(copy), doc.m_pObjList->Find(c) + 1);
    EXPECT_EQ(copy->m_nId, 4);
    EXPECT_EQ(doc.m_pObjList->GetAt(3), b);
    // The copy is attached to the same figure and counted there.
    EXPECT_EQ(copy->m_pFig1, a);
    EXPECT_EQ(copy->m_pFig2, nullptr);
    EXPECT_EQ(a->m_nConnected, 2);
    EXPECT_EQ(a->m_pAttachedCon2, copy);
    // A plain copy names its ends by id only.
    const CConnector loose(*copy);
    EXPECT_EQ(loose.m_pFig1, nullptr);
    EXPECT_EQ(loose.m_nFigId1, a->m_nId);
    // Deleting the copy gives the figure its count back.
    doc.DeleteCon(copy, false, true, false);
    EXPECT_EQ(a->m_nConnected, 1);
    EXPECT_EQ(a->m_pAttachedCon1, c);
}

TEST_F(DocTest, CopiesLogOneCreationRecordWithTheFinalId)
{
    auto* st = new CStaple(&doc, kStapleFigLink);
    doc.AddStapleWithId(st);
    auto* g = new CGroup;
    g->AddMember(nullptr, 7);
    g->AddMember(nullptr, 8);
    doc.AddGroupWithId(g);
    doc.ResetUndoLog();

    doc.UndoBeginStep(UDMAC_DUPLICATE);
    CStaple* sc = doc.AddCopyOfStaple(st, -1, 10);
    CGroup* gc = doc.AddCopyOfGroup(g, 5, 10);
    doc.UndoEndStep();
    ASSERT_TRUE(sc && gc);
    EXPECT_EQ(sc->m_nId, 2);
    EXPECT_EQ(gc->m_nId, 6);
    // A group copy lists the members in reverse order.
    ASSERT_EQ(gc->GetCount(), 2);
    EXPECT_EQ(gc->m_members[0].id, 18);
    EXPECT_EQ(gc->m_members[1].id, 17);
    int len = 0;
    doc.UndoLogRef().GetLastUndoStepCode(&len);
    EXPECT_EQ(len, 5 + 5 + 5 + 6);

    doc.UndoLastStep();
    // The sources survive the undo; only the copies went.
    ASSERT_EQ(doc.m_pStapleList->GetCount(), 1);
    EXPECT_EQ(doc.m_pStapleList->GetAt(0), st);
    ASSERT_EQ(doc.m_groupList.size(), 1u);
    EXPECT_EQ(doc.m_groupList[0], g);
}

TEST_F(DocTest, CopyOfFigureCountsItsPictureUse)
{
    CFigure* a = NewFig(doc, 0, 0);
    a->m_props.m_nGraphicType = 9;
    a->m_props.Graphic = GlobalAlloc(GMEM_MOVEABLE, 64);
    ASSERT_TRUE(doc.AddNewFig(UDMAC_IMPORT, a, true));
    CFigure* copy = doc.AddCopyOfFig(a, -1);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(doc.m_graphics.GetUses(a->m_props.Graphic), 2);
    EXPECT_EQ(copy->m_nId, 2);
    doc.DeleteFig(copy, false);
    EXPECT_EQ(doc.m_graphics.GetUses(a->m_props.Graphic), 1);

    // Emptying the document gives the picture memory back.
    const size_t inUse = GlobalMemoryInUse();
    doc.DeleteContents();
    EXPECT_EQ(doc.m_graphics.GetCount(), 0);
    EXPECT_LT(GlobalMemoryInUse(), inUse);
    EXPECT_EQ(doc.m_nNextId, 3);   // the counters keep their values
    EXPECT_EQ(doc.m_figSymbols.GetCount(), 2);
}

TEST_F(DocTest, FailedLabelAppendLeavesTheCallersStepAlone)
{
    CFigure* a = NewFig(doc, 0, 0);
    ASSERT_TRUE(doc.AddNewFig(UDMAC_CREATEFIG, a, true));
    ASSERT_EQ(doc.UndoLogRef().m_nUndoSteps, 1);

    doc.UndoBeginStep(UDMAC_CREATEFIGLBL);
    doc.m_pObjList->FailAppendsForTest(true);
    CFigure* label = NewFig(doc, 0, 0);
    EXPECT_EQ(doc.AddNewFig(-1, label, true), nullptr);
    delete label;
    doc.m_pObjList->FailAppendsForTest(false);
    doc.UndoEndStep();
    EXPECT_EQ(doc.m_pObjList->GetCount(), 1);   // the earlier figure is still there

    // A failed append of a step of its own undoes that step only.
    doc.m_pObjList->FailAppendsForTest(true);
    CFigure* other = NewFig(doc, 0, 0);
    EXPECT_EQ(doc.AddNewFig(UDMAC_CREATEFIG, other, true), nullptr);
    delete other;
    doc.m_pObjList->FailAppendsForTest(false);
    EXPECT_EQ(doc.m_pObjList->GetCount(), 1);
    EXPECT_EQ(doc.UndoLogRef().m_nUndoSteps, 2);
}

TEST_F(DocTest, ShadowSettingsAreLoggedOnlyWhenTheyChange)
{
    RecordingView view;
    doc.AddView(&view);
    doc.ResetUndoLog();
    const CShadowSpec old = doc.m_shadowSpec;
    doc.SetShadowSettings(old);
    int len = 0;
    doc.UndoLogRef().GetLastUndoStepCode(&len);
    EXPECT_EQ(len, 11);
    const CShadowSpec spec(1, 0x00FF00, 3, 4, 5, 200);
    doc.SetShadowSettings(spec);
    EXPECT_EQ(doc.m_shadowSpec, spec);
    EXPECT_EQ(GetAppShadowDefault(), spec);
    EXPECT_FALSE(view.hints.empty());
    EXPECT_EQ(doc.UndoLastStep(), UDMAC_SETSHADOWS);
    EXPECT_EQ(doc.m_shadowSpec, old);
    doc.RemoveView(&view);
}

TEST_F(DocTest, LibraryIndexUsers)
{
    CFigure* a = NewFig(doc, 0, 0);
    a->m_props.Symbol = 5;
    a->m_props.Icon = 3;
    a->m_nStyle = 2;
    doc.AddFigWithId(a);
    CConnector* c = NewCon(doc, a, nullptr);
    c->m_props.End1 = 4;
    c->m_nStyle = 1;
    doc.AddConWithId(c);
    EXPECT_TRUE(doc.IsSymbolUsedByFigures(3));
    EXPECT_FALSE(doc.IsSymbolUsedByFigures(4));
    doc.ShiftFigureSymbolIndexes(4);
    EXPECT_EQ(a->m_props.Symbol, 4);
    EXPECT_EQ(a->m_props.Icon, 3);
    doc.RemapFigureSymbolIndex(4, 1);
    EXPECT_EQ(a->m_props.Symbol, 1);
    EXPECT_TRUE(doc.IsEndShapeUsedByConnectors(4));
    doc.ShiftConnectorEndShapeIndexes(2);
    EXPECT_EQ(c->m_props.End1, 3);
    doc.AfterFigStyleRemoved(1);
    EXPECT_EQ(a->m_nStyle, 1);
    doc.AfterFigStyleRemoved(1);
    EXPECT_EQ(a->m_nStyle, -1);
    doc.AfterConStyleRemoved(1);
    EXPECT_EQ(c->m_nStyle, -1);
    EXPECT_FALSE(doc.IsConStyleUsed(1));
}

// Cutting a figure whose connector stays leaves that connector's end free;
// undo attaches it again from the record written before the figure went.
TEST_F(DocTest, CuttingAFigureAloneFreesItsConnectorsAndUndoReattachesThem)
{
    CFigure* a = NewFig(doc, 0, 0, "first");
    CFigure* b = NewFig(doc, 500, 0, "second");
    doc.AddFigWithId(a);
    doc.AddFigWithId(b);
    CConnector* c = NewCon(doc, a, b);
    doc.AddConWithId(c);
    doc.ResetUndoLog();
    const std::string before = Snapshot(doc);
    doc.UndoBeginStep(UDMAC_DELOBJS);
    EXPECT_TRUE(doc.CutObj(a, -1));
    doc.UndoEndStep();
    EXPECT_EQ(c->m_pFig1, nullptr);
    EXPECT_EQ(c->m_nFigId1, -1);
    EXPECT_EQ(c->m_pFig2, b);
    EXPECT_EQ(doc.UndoLastStep(), UDMAC_DELOBJS);
    EXPECT_EQ(Snapshot(doc), before);
    ASSERT_NE(c->m_pFig1, nullptr);
    EXPECT_EQ(c->m_pFig1->m_strText, "first");
}

// A document emptied for reuse keeps its lists and id counters but loses its
// objects, styles and current styles; its libraries hold the built-in
// symbols and line ends again.
TEST_F(DocTest, DeleteContentsEmptiesTheDiagramButKeepsTheCounters)
{
    CFigure* a = NewFig(doc, 0, 0, "first");
    CFigure* b = NewFig(doc, 500, 0, "second");
    doc.AddFigWithId(a);
    doc.AddFigWithId(b);
    doc.AddConWithId(NewCon(doc, a, b));
    auto* st = new CStaple(&doc, kStapleFigLink);
    ASSERT_TRUE(doc.AddStapleWithId(st));
    CFigProps props;
    ASSERT_TRUE(doc.m_figStyles.AddFigStyle(&props, "Box", 1, 1, 0, "", "", 256, 172, "", "", nullptr, 0, ""));
    CConProps conProps;
    ASSERT_TRUE(doc.m_conStyles.AddConStyle(&conProps, "Line", 0, 0, "", "", 0, "", 0, 0, 0, 0));
    doc.SetCurFigStyle(1);
    doc.SetCurConStyle(0);
    doc.SetCurLblStyle(0);
    doc.m_strTemplate = "Flow.kvt";
    doc.m_strAutoLabelStyle = "Note";
    doc.m_fViewScale = 250.0f;
    doc.m_ptViewOrigin = CPoint(40, 50);
    doc.m_figSymbols.GetAt(1)->SetName("changed");
    const int nextId = doc.m_nNextId, nextStp = doc.m_nNextStpId;

    doc.DeleteContents();
    EXPECT_EQ(doc.m_pObjList->GetCount(), 0);
    EXPECT_EQ(doc.m_pStapleList->GetCount(), 0);
    EXPECT_EQ(doc.m_figStyles.GetCount(), 0);
    EXPECT_EQ(doc.m_conStyles.GetCount(), 0);
    EXPECT_EQ(doc.m_nCurFigStyle, -1);
    EXPECT_EQ(doc.m_nCurConStyle, -1);
    EXPECT_EQ(doc.m_nCurLblStyle, -1);
    EXPECT_EQ(doc.m_curLblStyle.Label, 1);
    EXPECT_EQ(doc.m_curLblStyle.m_props.Symbol, 1);
    EXPECT_EQ(doc.m_strTemplate, "");
    EXPECT_EQ(doc.m_strAutoLabelStyle, "");
    EXPECT_FLOAT_EQ(doc.m_fViewScale, 100.0f);
    EXPECT_EQ(doc.m_ptViewOrigin, CPoint(0, 0));
    ASSERT_EQ(doc.m_figSymbols.GetCount(), 2);
    EXPECT_EQ(doc.m_figSymbols.GetAt(0)->m_strName, "null");
    EXPECT_EQ(doc.m_figSymbols.GetAt(1)->m_strName, "lbl");
    EXPECT_EQ(doc.m_endSymbols.GetCount(), 20);
    EXPECT_EQ(doc.m_nNextId, nextId);
    EXPECT_EQ(doc.m_nNextStpId, nextStp);
    EXPECT_FALSE(doc.CanUndo());
}

// Removing a staple that pins a label along a connector redraws the
// connector too; a link between two figures redraws only the figures.
TEST_F(DocTest, DeletingALabelStapleRedrawsItsConnector)
{
    struct {
        int type;
        bool conRedrawn;
    } cases[] = {{kStapleConLabel, true}, {kStapleFlowLabel, true}, {kStapleLatLabel, true},
                 {kStapleFigLink, false}};
    for (const auto& c : cases) {
        CFigure* a = NewFig(doc, 0, 0);
        CFigure* b = NewFig(doc, 5000, 0);
        CFigure* label = NewFig(doc, 2500, 3000);
        doc.AddFigWithId(a);
        doc.AddFigWithId(b);
        doc.AddFigWithId(label);
        CConnector* con = NewCon(doc, a, b);
        doc.AddConWithId(con);
        auto* st = new CStaple(&doc, c.type);
        st->m_pCon = con;
        st->m_pFig1 = label;
        ASSERT_TRUE(doc.AddStapleWithId(st));
        CRect conRect;
        con->GetBoundRect(conRect, 3, 8);
        RecordingView view;
        doc.AddView(&view);
        doc.DeleteStaple(st);
        doc.RemoveView(&view);
        bool redrawn = false;
        for (const CRect& r : view.rects) {
            CRect common;
            redrawn = redrawn || (common.IntersectRect(r, conRect) && common == conRect);
        }
        EXPECT_EQ(redrawn, c.conRedrawn) << c.type;
    }
}
