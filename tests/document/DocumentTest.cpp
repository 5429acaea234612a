// The document: a new document's state, id counters, appends with undo
// records, cuts and deletes with their unlinking, groups, copies, and undo
// compared field by field against the state before.
#include "common/TestSupport.h"
#include "core/Settings.h"
#include "document/CKavoDoc.h"
#include "document/CStaple.h"
#include "document/DocDefaults.h"
#include "document/IDocView.h"
#include "core/UIMode.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {
class RecordingView : public IDocView {
public:
    void OnDocUpdate(IDocView*, int hint, const CRect*) override { hints.push_back(hint); }
    std::vector<int> hints;
};

CFigure* NewFig(CKavoDoc& doc, int x, int y, const std::string& text = "")
{
    CFigProps props;
    return new CFigure(x, y, 100, 200, props, -1, 0, text, "", CFigure::CreateArgs(), &doc);
}

CConnector* NewCon(CKavoDoc& doc, CFigure* a, CFigure* b)
{
    auto* c = new CConnector(&doc);
    c->m_pFig1 = a;
    c->m_pFig2 = b;
    c->StoreIds();
    c->EndPoint1 = a ? a->GetCenter() : CPoint(0, 0);
    c->EndPoint2 = b ? b->GetCenter() : CPoint(10, 10);
    for (CFigure* f : {a, b})
        if (f) {
            (f->m_pAttachedCon1 ? f->m_pAttachedCon2 : f->m_pAttachedCon1) = c;
            ++f->m_nConnected;
        }
    return c;
}

// What undo must bring back: every object's id, kind, place and fields.
std::string Snapshot(const CKavoDoc& doc)
{
    std::string out;
    for (CDiagObj* o : *doc.m_pObjList) {
        out += std::to_string(o->GetType()) + ":" + std::to_string(o->m_nId);
        if (o->GetType() == kObjFigure) {
            auto* f = static_cast<CFigure*>(o);
            out += " r" + std::to_string(f->m_rect.left) + "," + std::to_string(f->m_rect.top) + "," +
                   std::to_string(f->m_rect.right) + "," + std::to_string(f->m_rect.bottom) + " t=" + f->m_strText +
                   " c" + std::to_string(f->m_nConnected) + " b" + std::to_string(f->m_props.BorderColor) + " s" +
                   std::to_string(f->m_bSelected);
        } else {
            auto* c = static_cast<CConnector*>(o);
            out += " e" + std::to_string(c->m_pFig1 ? c->m_pFig1->m_nId : -1) + "," +
                   std::to_string(c->m_pFig2 ? c->m_pFig2->m_nId : -1) + " w" +
                   std::to_string(c->m_props.LineWidth);
        }
        out += "\n";
    }
    for (CDiagObj* s : *doc.m_pStapleList)
        out += "staple " + std::to_string(s->m_nId) + "\n";
    for (CGroup* g : doc.m_groupList) {
        out += "group " + std::to_string(g->m_nId) + ":";
        for (const CGroup::Member& m : g->m_members)
            out += " " + std::to_string(m.id) + (m.obj ? "" : "?");
        out += "\n";
    }
    return out;
}

class DocTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(doc.OnNewDocument()); }
    CKavoDoc doc;
};
} // namespace

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
    EXPECT_EQ(gc->m_members[0].id, 17);
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

namespace {
class DocContext : public IAppContext {
public:
    IActiveDocument* GetActiveDocument() override { return doc; }
    IActiveView* GetActiveView() override { return nullptr; }
    void UpdateAllDocuments() override {}
    bool SelectStyleBarCommand(int) override { return false; }
    void SetStatusBarText(const std::string&) override {}
    IActiveDocument* doc = nullptr;
};
} // namespace

TEST_F(DocTest, ActiveDocumentThroughTheContext)
{
    EXPECT_EQ(GetActiveKavoDoc(), nullptr);
    DocContext ctx;
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
    doc.RemoveView(&view);
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
