// Undo gives back exactly the document the step found: a fixture per case
// where it did not (refused records, connector chains, nested groups,
// records after a closed step, text areas, connection points, staples that
// lost an object, attachment slots, member places, orientation hints, flips,
// selection order, id counters).
#include "DocSnapshot.h"
#include "DocTestSupport.h"
#include "common/TestSupport.h"
#include "document/CStaple.h"
#include "platform/GlobalMem.h"
#include "shapes/DividedShapeSetup.h"

#include <cstring>

namespace {
class UndoExactTest : public DocTest {
protected:
    CFigure* Fig(int x, int y, const std::string& text = "t")
    {
        CFigure* f = NewFig(doc, x, y, text);
        EXPECT_TRUE(doc.AddFigWithId(f));
        return f;
    }
    CConnector* Con(CFigure* a, CFigure* b)
    {
        CConnector* c = NewCon(doc, a, b);
        EXPECT_TRUE(doc.AddConWithId(c));
        return c;
    }
    // Runs one step and checks that undoing it gives back the document.
    template <class Fn>
    void ExpectUndoExact(int code, Fn edit)
    {
        const std::string before = FullSnapshot(doc);
        doc.UndoBeginStep(code);
        edit();
        doc.UndoEndStep();
        ASSERT_NE(FullSnapshot(doc), before) << "the step changed nothing";
        EXPECT_EQ(doc.UndoLastStep(), code);
        const std::string after = FullSnapshot(doc);
        EXPECT_EQ(after, before) << SnapshotDiff(before, after);
    }
};
} // namespace

TEST_F(UndoExactTest, CancelOnARefusedMoveTakesBackTheFiguresMovedAndKeepsTheHistory)
{
    CRecordingPrompt prompt;
    CFigure* figs[3] = {Fig(0, 0), Fig(300, 0), Fig(600, 0)};
    doc.ResetUndoLog();
    doc.UndoBeginStep(UDMAC_MOVEOBJS);
    ASSERT_TRUE(doc.SetFigRect(figs[0], CRect(0, 50, 200, 150)));
    doc.UndoEndStep();
    const std::string before = FullSnapshot(doc);

    // A three-figure move whose second record finds no memory: the block
    // cannot grow.
    doc.UndoBeginStep(UDMAC_MOVEOBJS);
    ASSERT_TRUE(doc.SetFigRect(figs[0], CRect(0, 90, 200, 190)));
    CUndoLog& log = doc.UndoLogRef();
    const int32_t used = log.m_nUndoUsed;
    // A text record of a figure that is not there fills the block up to 10
    // bytes: room for no further rectangle record.
    const std::string filler(size_t(log.m_nUndoBufSize - used - 10 - 17), 'x');
    ASSERT_EQ(log.UndoLog(UDOC_FIGTEXT,
                          [&](UndoStream& s) {
                              s.Int32(-5);
                              s.Int32(0);
                              s.String(filler);
                              s.String("");
                          }),
              1);
    SetGlobalMemoryLimit(GlobalMemoryInUse());
    prompt.QueueAnswer(IDCANCEL);
    bool moved = true;
    for (CFigure* f : {figs[1], figs[2]})
        moved = doc.SetFigRect(f, CRect(f->m_rect.left, 90, f->m_rect.right, 190)) && moved;
    doc.UndoEndStep();
    SetGlobalMemoryLimit(0);
    EXPECT_FALSE(moved);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(FullSnapshot(doc), before) << "the first figure is back, the others never moved";
    ASSERT_TRUE(doc.CanUndo()) << "the earlier step stays";
    EXPECT_EQ(doc.UndoLastStep(), UDMAC_MOVEOBJS);
    EXPECT_EQ(figs[0]->m_rect, CRect(0, 0, 200, 100));
}

TEST_F(UndoExactTest, RemovingAConnectorLeavesTheChainsLineShapesAloneOrLogsThem)
{
    // a - c1 - j1 - c2 - j2 - c3 - b: one chain through two junctions, c3
    // with a line shape of its own.
    CFigure* a = Fig(0, 0);
    CFigure* b = Fig(900, 0);
    CFigure* j1 = doc.CreateFigAt(CPoint(300, 0), 1);
    CFigure* j2 = doc.CreateFigAt(CPoint(600, 0), 1);
    Con(a, j1);
    Con(j1, j2);
    CConnector* c3 = Con(j2, b);
    c3->m_props.Behavior.low |= 0x8;
    doc.ResetUndoLog();
    CFigure* other = Fig(0, 600);

    // Undo of a connector creation at a removes it only.
    ExpectUndoExact(UDMAC_CREATECON, [&] {
        doc.CreateCon(a, other, -1, -1, a->GetCenter(), other->GetCenter(), 0, CConProps());
    });
    EXPECT_TRUE(c3->m_props.Behavior.low & 0x8);

    // A cut that evens the chain's line shapes logs them, so undo puts them back.
    CConnector* extra = Con(a, other);
    doc.ResetUndoLog();
    ExpectUndoExact(UDMAC_CUTOBJS, [&] {
        ASSERT_TRUE(doc.CutObj(extra, -1));
        EXPECT_FALSE(c3->m_props.Behavior.low & 0x8) << "the chain takes one line shape";
    });
}

TEST_F(UndoExactTest, AnObjectInNestedGroupsBelongsToTheOuterGroupAfterUndo)
{
    CFigure* a = Fig(0, 0);
    CFigure* b = Fig(300, 0);
    CFigure* c = Fig(600, 0);
    auto* inner = new CGroup();
    auto* outer = new CGroup();
    for (CFigure* f : {a, b})
        inner->AddMember(f, f->m_nId, true);
    for (CFigure* f : {a, b, c})
        outer->AddMember(f, f->m_nId, true);
    ASSERT_TRUE(doc.AddGroupWithId(inner));
    ASSERT_TRUE(doc.AddGroupWithId(outer));
    for (CFigure* f : {a, b, c})
        f->m_pGroup = outer;
    doc.ResetUndoLog();
    ExpectUndoExact(UDMAC_CUTOBJS, [&] { ASSERT_TRUE(doc.CutObj(a, -1)); });
    auto* back = doc.m_pObjList->FindById(1);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->m_pGroup, doc.m_groupList.back());
    EXPECT_EQ(doc.m_groupList.back()->m_nId, outer->m_nId);
}

TEST_F(UndoExactTest, ALabelMovedAfterItsStepClosedIsUndoneWithIt)
{
    CFigure* fig = Fig(0, 0);
    CFigure* label = Fig(0, 300);
    doc.ResetUndoLog();
    doc.SetModifiedFlag(false);
    const std::string before = FullSnapshot(doc);
    doc.UndoBeginStep(UDMAC_MOVEOBJS);
    ASSERT_TRUE(doc.SetFigRect(fig, CRect(0, 40, 200, 140)));
    doc.UndoEndStep();
    // A follow-up of the same command, logged after the step closed.
    ASSERT_TRUE(doc.SetFigRect(label, CRect(0, 340, 200, 440)));
    std::string text;
    EXPECT_TRUE(doc.GetUndoMenuState(text));
    EXPECT_EQ(text, "&Undo Move\tCtrl+Z");
    EXPECT_EQ(doc.UndoLogRef().m_nUndoSteps, 1);
    EXPECT_EQ(doc.UndoLastStep(), UDMAC_MOVEOBJS);
    EXPECT_EQ(FullSnapshot(doc), before) << "one command, one undo";
    EXPECT_FALSE(doc.IsModified());
}

TEST_F(UndoExactTest, TheMarginsRecordSaysWhetherTheStylesWereSetUp)
{
    for (const bool styles : {false, true}) {
        SetFigMargins(doc, 20, 20, 20, 20, styles);
        const BYTE* end = doc.UndoLogRef().m_pUndoWrite - CUndoLog::kTrailerSize;
        ASSERT_EQ(end[-1], UDOC_FIGMARGINS);
        int32_t flag = -1;
        std::memcpy(&flag, end - 5, 4);
        EXPECT_EQ(flag, styles ? 1 : 0);
    }
}

TEST_F(UndoExactTest, TheSelectionAndTheCountersComeBackAsTheStepFoundThem)
{
    CFigure* a = Fig(0, 0);
    CFigure* b = Fig(300, 0);
    doc.ResetUndoLog();
    // Selected back to front.
    doc.Select(b);
    doc.Select(a);
    ExpectUndoExact(UDMAC_CUTOBJS, [&] { ASSERT_TRUE(doc.CutObj(a, -1)); });
    ASSERT_EQ(doc.m_pSelList->GetCount(), 2);
    EXPECT_EQ(doc.m_pSelList->GetAt(0), b);
    // A creation undone gives its id back.
    ExpectUndoExact(UDMAC_CREATEFIG, [&] { Fig(600, 0); });
}

TEST_F(UndoExactTest, WritingANewTextAreaIsUndoneWithoutAnEmptySection)
{
    CFigure* f = Fig(0, 0, "one");
    doc.ResetUndoLog();
    ExpectUndoExact(UDMAC_TEXTEDIT, [&] { ASSERT_TRUE(doc.SetFigTextArea(f, 1, "two", "")); });
    EXPECT_EQ(f->m_strText, "one");
}

TEST_F(UndoExactTest, AFigureUsingItsStylesConnectionPointsKeepsNoListOfItsOwn)
{
    CFigStyle* style = doc.m_figStyles.GetAt(0);
    ASSERT_TRUE(style);
    style->m_conPts.AddConPt(CFltPoint(0, 2048), "left", 0, true, -1);
    CFigure* f = Fig(0, 0);
    f->m_nStyle = 0;
    f->m_pConPts.reset();
    f->m_bHasConPts = 0;
    CFigure* other = Fig(300, 0);
    doc.ResetUndoLog();
    ExpectUndoExact(UDMAC_MOVEOBJS, [&] { doc.SetFigRect(other, CRect(300, 50, 500, 150)); });
    EXPECT_EQ(f->m_pConPts, nullptr);
}

TEST_F(UndoExactTest, AStapleKeepsTheIdOfAnObjectCutUntilUndoBringsItBack)
{
    CFigure* fig = Fig(0, 0);
    CFigure* label = Fig(0, 300);
    auto* s = new CStaple(&doc);
    s->MakeFigLbl(fig, 0, 255, label, 0, 0, 0, 10);
    ASSERT_TRUE(doc.AddStapleWithId(s));
    doc.ResetUndoLog();
    const std::string before = FullSnapshot(doc);
    // The label goes without its staple (as a junction cut does), then an
    // unrelated step is undone: the staple must still name the label.
    doc.UndoBeginStep(UDMAC_CUTOBJS);
    ASSERT_TRUE(doc.CutFig(label, -1));
    doc.UndoEndStep();
    ExpectUndoExact(UDMAC_MOVEOBJS, [&] { doc.SetFigRect(fig, CRect(0, 50, 200, 150)); });
    EXPECT_EQ(doc.UndoLastStep(), UDMAC_CUTOBJS);
    EXPECT_EQ(FullSnapshot(doc), before);
    ASSERT_TRUE(s->m_pFig2);
    EXPECT_EQ(s->m_pFig2->m_pStaple, s);
}

TEST_F(UndoExactTest, SlotsPlacesHintsAndFlipsComeBackAsTheyWere)
{
    CFigure* f = Fig(0, 0);
    CFigure* g = Fig(600, 0);
    CConnector* c1 = Con(f, g);
    CConnector* c2 = Con(f, nullptr);
    CConnector* c3 = Con(f, nullptr);   // a third connector has no slot
    // Drawing order c2, c1: slots in another order than the list.
    ASSERT_TRUE(doc.MoveObjInList(c1, doc.m_pObjList->Find(c2) + 1));
    ASSERT_EQ(f->m_pAttachedCon1, c1);
    c1->m_nOrientHint = 2;
    auto* group = new CGroup();
    for (CDiagObj* o : {static_cast<CDiagObj*>(c3), static_cast<CDiagObj*>(g), static_cast<CDiagObj*>(c2)})
        group->AddMember(o, o->m_nId);
    ASSERT_TRUE(doc.AddGroupWithId(group));
    for (const CGroup::Member& m : group->m_members)
        m.obj->m_pGroup = group;
    doc.ResetUndoLog();

    const int32_t id = c1->m_nId;
    ExpectUndoExact(UDMAC_CUTOBJS, [&] { ASSERT_TRUE(doc.CutObj(c1, -1)); });
    c1 = static_cast<CConnector*>(doc.m_pObjList->FindById(id, kObjConnector));
    ASSERT_TRUE(c1);
    EXPECT_EQ(f->m_pAttachedCon1, c1);
    EXPECT_EQ(c1->m_nOrientHint, 2);
    ExpectUndoExact(UDMAC_UNGROUP, [&] { ASSERT_TRUE(doc.RemoveFromGroups(g)); });
    EXPECT_EQ(group->m_members[1].obj, g) << "back at its place, not at the head";
    // End points the route would not choose: a flip and its undo keep them.
    c1->EndPoint1 = CPoint(7, 9);
    c1->EndPoint2 = CPoint(611, 13);
    ExpectUndoExact(UDMAC_FLIP, [&] { ASSERT_TRUE(doc.FlipCon(c1)); });
    EXPECT_EQ(c1->EndPoint1, CPoint(7, 9));
}

TEST_F(UndoExactTest, MovingAnEndStraightAboveTheOtherKeepsTheHintAfterUndo)
{
    CFigure* f = Fig(0, 0);
    CFigure* g = Fig(600, 400);
    CConnector* c = Con(f, g);
    c->m_props.Behavior.low |= 1;   // straight: the route fixes a hint
    c->RecalcRoute();
    ASSERT_EQ(c->m_nOrientHint, 0) << "a diagonal connector has no hint";
    doc.ResetUndoLog();
    // The first figure straight above the second: the route makes it vertical.
    const CRect above(g->m_rect.left, g->m_rect.top - 300, g->m_rect.right, g->m_rect.bottom - 300);
    ExpectUndoExact(UDMAC_MOVEOBJS, [&] {
        ASSERT_TRUE(doc.MoveFigToRect(f, above));
        ASSERT_EQ(c->m_nOrientHint, 1);
    });
    EXPECT_EQ(c->m_nOrientHint, 0);
    EXPECT_FALSE(c->IsVerticalLock());
}
