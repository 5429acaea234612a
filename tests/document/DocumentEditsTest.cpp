// The document's connector creation and chains, logged single-object edits,
// the active-document look-up and the keep-links switch.
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

class DocEditTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(doc.OnNewDocument()); }
    CKavoDoc doc;
};
} // namespace
TEST_F(DocEditTest, CreateConAttachesAndJunctionsMerge)
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

TEST_F(DocEditTest, ActiveDocumentThroughTheContext)
{
    EXPECT_EQ(GetActiveKavoDoc(), nullptr);
    DocContext ctx;
    SetAppContext(&ctx);
    EXPECT_EQ(GetActiveKavoDoc(), nullptr);
    ctx.doc = &doc;
    EXPECT_EQ(GetActiveKavoDoc(), &doc);
    SetAppContext(nullptr);
}

TEST_F(DocEditTest, ChainsThroughRedundantJunctionsKeepOneShape)
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

TEST_F(DocEditTest, RectangleAndOrderChangesUndo)
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

TEST_F(DocEditTest, KeepLinksSwitchSparesTheLinkStaple)
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

TEST_F(DocEditTest, UndoingAScaleReturnsToTheSelectMode)
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

TEST_F(DocEditTest, TextChangesUndoPerArea)
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
