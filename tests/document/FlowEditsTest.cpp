// Marking passes, cuts with merges at junctions, and the flow edits.
#include "EditScenarioSupport.h"

namespace {
// A -c1- J -c2- B along y = 50, J an automatic junction.
class FlowTest : public DocTest {
protected:
    void SetUp() override
    {
        DocTest::SetUp();
        a = AddTextFig(doc, 0, 0);             // centre (100, 50)
        j = doc.CreateFigAt(CPoint(600, 43), 1);   // centre (607, 50)
        b = AddTextFig(doc, 1000, 0);          // centre (1100, 50)
        c1 = AddConBetween(doc, a, j);
        c2 = AddConBetween(doc, j, b);
        ASSERT_TRUE(j->IsRedundantJct());
        doc.ResetUndoLog();
    }

    CStaple* AddLabel(CConnector* con, int pos)
    {
        CFigure* label = AddTextFig(doc, 300, 200, 80, 40, "L");
        label->m_bLabel = 1;
        auto* s = new CStaple(&doc, kStapleConLabel);
        s->MakeConLbl(con, con->EndPoint1, label, 127, 127);
        EXPECT_TRUE(doc.AddStapleWithId(s));
        s->ConPos = pos;
        return s;
    }

    // A new scene A -k1- F -k2- B with F an ordinary figure; returns F.
    CFigure* FlowThroughFigure(CConnector*& k1, CConnector*& k2)
    {
        EXPECT_TRUE(doc.OnNewDocument());
        a = AddTextFig(doc, 0, 0);
        CFigure* f = AddTextFig(doc, 500, 0);
        b = AddTextFig(doc, 1000, 0);
        k1 = AddConBetween(doc, a, f);
        k2 = AddConBetween(doc, f, b);
        return f;
    }

    CConnector* OnlyConnector() const
    {
        CConnector* found = nullptr;
        int n = 0;
        doc.ForEachConnector([&](CConnector* c) {
            found = c;
            ++n;
        });
        return n == 1 ? found : nullptr;
    }

    CFigure *a = nullptr, *j = nullptr, *b = nullptr;
    CConnector *c1 = nullptr, *c2 = nullptr;
};
} // namespace

TEST_F(FlowTest, MergeReExpressesTheLabelOnTheJoinedLength)
{
    CStaple* s = AddLabel(c2, 100);
    const std::string before = SceneSnapshot(doc);
    doc.UndoBeginStep(UDMAC_DELJUNCTS);
    CConnector* joined = doc.MergeConsAtJct(c1, c2, true);
    doc.UndoEndStep();
    ASSERT_NE(joined, nullptr);
    EXPECT_EQ(OnlyConnector(), joined);
    EXPECT_EQ(joined->m_pFig1, a);
    EXPECT_EQ(joined->m_pFig2, b);
    EXPECT_LT(doc.m_pObjList->Find(j), 0);
    EXPECT_EQ(s->m_pCon, joined);
    // (507 + 493 * 100 / 255) / 1000 * 255 + 0.5, truncated.
    EXPECT_EQ(s->ConPos, 179);
    doc.UndoLastStep();
    EXPECT_EQ(SceneSnapshot(doc), before);
}

TEST_F(FlowTest, MergedLabelPositionsNearTheStartBecomeZeroAndZeroLengthsKeepTheirPlace)
{
    CStaple* s = AddLabel(c1, 1);
    ASSERT_NE(doc.MergeConsAtJct(c1, c2, true), nullptr);
    EXPECT_EQ(s->ConPos, 0);

    // Two connectors of no length: the label keeps its place.
    ASSERT_TRUE(doc.OnNewDocument());
    SetUp();
    for (CConnector* c : {c1, c2})
        c->EndPoint1 = c->EndPoint2 = CPoint(607, 50);
    CStaple* t = AddLabel(c2, 90);
    ASSERT_NE(doc.MergeConsAtJct(c1, c2, true), nullptr);
    EXPECT_EQ(t->ConPos, 90);
}

TEST_F(FlowTest, CuttingTheJunctionMergesItsConnectors)
{
    CStaple* s = AddLabel(c2, 100);
    doc.SelectObj(j, 1, 0, 0);
    doc.ClearSel(false);
    doc.AddObjToSel(j, 2, false);
    const std::string before = SceneSnapshot(doc);
    doc.UndoBeginStep(UDMAC_CUTOBJS);
    doc.BeginMarkPass();
    doc.MarkForCut();
    doc.EndMarkPass(1);
    doc.CutCascadedObjs();
    doc.UndoEndStep();
    CConnector* joined = OnlyConnector();
    ASSERT_NE(joined, nullptr);
    EXPECT_EQ(joined->m_pFig1, a);
    EXPECT_EQ(joined->m_pFig2, b);
    EXPECT_EQ(s->ConPos, 179);
    doc.UndoLastStep();
    EXPECT_EQ(SceneSnapshot(doc), before);
}

TEST_F(FlowTest, DeletingABranchWithTheMergeFlagJoinsTheRest)
{
    CFigure* c = AddTextFig(doc, 500, 1000);
    CConnector* c3 = AddConBetween(doc, j, c);
    ASSERT_FALSE(j->IsRedundantJct());
    const std::string before = SceneSnapshot(doc);
    doc.UndoBeginStep(UDMAC_DELOBJS);
    ASSERT_TRUE(doc.CutCon(c3, false, true, -1));
    doc.UndoEndStep();
    CConnector* joined = OnlyConnector();
    ASSERT_NE(joined, nullptr);
    EXPECT_EQ(joined->m_pFig1, a);
    EXPECT_EQ(joined->m_pFig2, b);
    doc.UndoLastStep();
    EXPECT_EQ(SceneSnapshot(doc), before);
}

// Two figures already joined directly keep the junction between them: the
// merge would lay a second connector over the first.
TEST_F(FlowTest, NoMergeWhereTheFarEndsAreJoinedAlready)
{
    AddConBetween(doc, a, b);
    doc.ResetUndoLog();
    const std::string before = SceneSnapshot(doc);
    doc.UndoBeginStep(UDMAC_DELJUNCTS);
    EXPECT_EQ(doc.MergeConsAtJct(c1, c2, true), nullptr);
    doc.UndoEndStep();
    EXPECT_EQ(SceneSnapshot(doc), before);
}

TEST_F(FlowTest, DeleteJunctionsSelectsTheJoinedConnector)
{
    doc.AddObjToSel(j, 2, false);
    EXPECT_EQ(doc.DeleteJunctions(), 1);
    CConnector* joined = OnlyConnector();
    ASSERT_NE(joined, nullptr);
    EXPECT_TRUE(joined->m_bSelected);
    EXPECT_EQ(joined->m_bSetFlag, 0);
}

TEST_F(FlowTest, FlipMirrorsTheLabel)
{
    doc.ValidateCons();
    CStaple* s = AddLabel(c1, 60);
    doc.AddObjToSel(c1, 2, false);
    const std::string before = SceneSnapshot(doc);
    doc.FlipSelCons();
    EXPECT_EQ(c1->m_pFig1, j);
    EXPECT_EQ(c1->m_pFig2, a);
    EXPECT_EQ(s->ConPos, 195);
    doc.UndoLastStep();
    EXPECT_EQ(SceneSnapshot(doc), before);
}

TEST_F(FlowTest, DetachTakesTheFigureOutOfItsFlow)
{
    CConnector *k1 = nullptr, *k2 = nullptr;
    CFigure* f = FlowThroughFigure(k1, k2);
    doc.ResetUndoLog();
    doc.AddObjToSel(f, 2, false);

    k2->m_props.LineWidth = 5;   // neither the same style nor the same props
    k1->m_nStyle = 0;
    k2->m_nStyle = 1;
    EXPECT_EQ(doc.DetachSelFromFlow(), 0);
    EXPECT_EQ(f->m_nConnected, 2);

    k2->m_props = k1->m_props;
    const std::string before = SceneSnapshot(doc);
    EXPECT_EQ(doc.DetachSelFromFlow(), 1);
    CConnector* joined = OnlyConnector();
    ASSERT_NE(joined, nullptr);
    EXPECT_EQ(joined->m_pFig1, a);
    EXPECT_EQ(joined->m_pFig2, b);
    EXPECT_EQ(doc.m_pObjList->GetAt(doc.m_pObjList->GetCount() - 1), f);   // moved to the front
    doc.UndoLastStep();
    EXPECT_EQ(SceneSnapshot(doc), before);
}

// A figure leaves its flow only when its two connectors share a style
// (a real one, not "none") or have equal properties.
TEST_F(FlowTest, DetachNeedsTheSameStyleOrTheSameProperties)
{
    const struct {
        int style1, style2;
        bool sameProps;
        int detached;
    } rows[] = {
        {-1, -1, false, 0}, {0, 1, false, 0}, {2, 2, false, 1}, {-1, -1, true, 1}, {0, 1, true, 1},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.style1 << "/" << row.style2 << " " << row.sameProps);
        CConnector *k1 = nullptr, *k2 = nullptr;
        CFigure* f = FlowThroughFigure(k1, k2);
        k1->m_nStyle = row.style1;
        k2->m_nStyle = row.style2;
        if (!row.sameProps)
            k2->m_props.LineWidth = k1->m_props.LineWidth + 4;
        doc.AddObjToSel(f, 2, false);
        EXPECT_EQ(doc.DetachSelFromFlow(), row.detached);
        EXPECT_EQ(f->m_nConnected, row.detached ? 0 : 2);
    }
}

TEST_F(FlowTest, SplitAndReplaceJoinTheStepBefore)
{
    CConnector* joined = doc.MergeConsAtJct(c1, c2, false);
    ASSERT_NE(joined, nullptr);
    CStaple* early = AddLabel(joined, 50);
    CStaple* late = AddLabel(joined, 200);
    CFigure* f = AddTextFig(doc, 500, 500);
    doc.ResetUndoLog();
    const std::string before = SceneSnapshot(doc);

    doc.UndoBeginStep(UDMAC_MOVEOBJS);
    ASSERT_TRUE(doc.SetFigRect(f, CRect(500, 0, 700, 100)));
    doc.UndoEndStep();
    ASSERT_TRUE(doc.SplitConAtFig(f, joined, CPoint(600, 50)));
    EXPECT_EQ(f->m_nConnected, 2);
    ASSERT_NE(early->m_pCon, nullptr);
    EXPECT_EQ(early->m_pCon->m_pFig1, a);   // before the drop point: first half
    EXPECT_EQ(early->m_pCon->m_pFig2, f);
    EXPECT_EQ(early->m_pCon->m_nConPtId2, -1);   // a floating end
    ASSERT_NE(late->m_pCon, nullptr);
    EXPECT_EQ(late->m_pCon->m_pFig2, b);
    EXPECT_EQ(doc.UndoLastStep(), UDMAC_MOVEOBJS);   // one step for both
    EXPECT_EQ(SceneSnapshot(doc), before);
}

TEST_F(FlowTest, ReplaceJunctionByFigure)
{
    CFigure* f = AddTextFig(doc, 500, 500);
    doc.ResetUndoLog();
    const std::string before = SceneSnapshot(doc);
    doc.UndoBeginStep(UDMAC_DROPIN);
    ASSERT_TRUE(doc.SetFigRect(f, CRect(550, 0, 650, 100)));
    doc.UndoEndStep();
    ASSERT_TRUE(doc.ReplaceJctByFig(f, j));
    EXPECT_LT(doc.m_pObjList->Find(j), 0);
    EXPECT_EQ(c1->m_pFig2, f);
    EXPECT_EQ(c2->m_pFig1, f);
    EXPECT_FALSE(doc.ReplaceJctByFig(f, a));   // not a junction
    doc.UndoLastStep();
    EXPECT_EQ(SceneSnapshot(doc), before);
}

TEST_F(DocTest, EndOfPassCompletesEveryGroupThenMarksStaples)
{
    CFigure* a = AddTextFig(doc, 0, 0);
    CFigure* b = AddTextFig(doc, 500, 0);
    CFigure* d = AddTextFig(doc, 0, 500);
    CFigure* e = AddTextFig(doc, 500, 500);
    CFigure* label = AddTextFig(doc, 500, 700, 80, 40, "L");
    label->m_bLabel = 1;
    CGroup* g1 = new CGroup;
    g1->AddMember(a);
    g1->AddMember(b);
    ASSERT_TRUE(doc.AddGroupWithId(g1));
    CGroup* g2 = new CGroup;
    g2->AddMember(d);
    g2->AddMember(e);
    ASSERT_TRUE(doc.AddGroupWithId(g2));
    auto* s = new CStaple(&doc, kStapleFigLabel);
    s->MakeFigLbl(e, 127, 255, label, 127, 0, 0, 0);
    ASSERT_TRUE(doc.AddStapleWithId(s));

    doc.BeginMarkPass();
    a->m_bVisited = d->m_bVisited = 1;
    g1->m_bVisited = g2->m_bVisited = 1;
    doc.EndMarkPass(1);
    EXPECT_TRUE(b->m_bVisited);
    EXPECT_TRUE(e->m_bVisited);   // the second group is completed too
    EXPECT_TRUE(s->m_bVisited);   // and the staples take their marks
    EXPECT_FALSE(doc.m_bMarking);
    // Modes 0 and 2 only close the pass.
    doc.BeginMarkPass();
    g1->m_bVisited = 1;
    doc.EndMarkPass(2);
    EXPECT_FALSE(a->m_bVisited);
}

TEST_F(DocTest, CutContainerTakesItsContents)
{
    CFigure* k = AddTextFig(doc, 0, 0, 1000, 1000, "K");
    k->m_props.Behavior.low |= 0x20000000;
    CFigure* inner = AddTextFig(doc, 100, 100);
    CFigure* outside = AddTextFig(doc, 2000, 0);
    doc.ResetUndoLog();
    const std::string before = SceneSnapshot(doc);
    doc.UndoBeginStep(UDMAC_TEXTEDIT);
    doc.CutObjAndCascade(k);
    doc.UndoEndStep();
    EXPECT_LT(doc.m_pObjList->Find(k), 0);
    EXPECT_LT(doc.m_pObjList->Find(inner), 0);
    EXPECT_GE(doc.m_pObjList->Find(outside), 0);
    doc.UndoLastStep();
    EXPECT_EQ(SceneSnapshot(doc), before);
}

TEST_F(DocTest, SnapObjectToGridByItsCentre)
{
    CFigure* f = AddTextFig(doc, 0, 0);   // centre (100, 50)
    doc.m_nSnapX = doc.m_nSnapY = 32;
    f->m_props.Behavior.high = 16;
    doc.m_bAlignToGrid = 0;
    EXPECT_EQ(doc.SnapObjToGrid(f), 0);
    doc.m_bAlignToGrid = 1;
    f->m_props.Behavior.high = 16 | 1;   // its sides snap instead
    EXPECT_EQ(doc.SnapObjToGrid(f), 0);
    f->m_props.Behavior.high = 16;
    EXPECT_EQ(doc.SnapObjToGrid(f), 1);
    EXPECT_EQ(f->GetCenter(), CPoint(96, 64));
}

TEST_F(FlowTest, ARefusedRecordTakesTheJoinBack)
{
    AddLabel(c2, 100);
    doc.ResetUndoLog();
    const std::string before = SceneSnapshot(doc);
    // The new connector's record goes in, the label's is refused.
    RefusingUndoLog refuse(doc, 1);
    doc.UndoBeginStep(UDMAC_DELJUNCTS);
    EXPECT_EQ(doc.MergeConsAtJct(c1, c2, true), nullptr);
    EXPECT_EQ(SceneSnapshot(doc), before);   // at once, not only when the step closes
    doc.UndoEndStep();
    EXPECT_TRUE(refuse.Refused());
    EXPECT_EQ(SceneSnapshot(doc), before);
    EXPECT_FALSE(doc.CanUndo());
}

TEST_F(FlowTest, ContinuingConnectorsAndReselection)
{
    EXPECT_EQ(doc.GetConEndFig(2, c1, false), c2);
    EXPECT_EQ(doc.GetConEndFig(2, c1, true), c2);   // c2 meets the junction with its end 1
    EXPECT_EQ(doc.GetConEndFig(1, c1, false), nullptr);   // a is no junction
    c2->Reverse();   // now both meet it with their end 2
    EXPECT_EQ(doc.GetConEndFig(2, c1, true), nullptr);
    EXPECT_EQ(doc.GetConEndFig(2, c1, false), c2);

    // Selected flags without the list (after an undo): the selection is
    // rebuilt with the cascades.
    j->m_bSelected = 1;
    doc.ReselectAfterUndo();
    EXPECT_EQ(doc.GetSelCount(), 3);
    EXPECT_TRUE(c1->m_bSelected && c2->m_bSelected && j->m_bSelected);
    doc.SelectAll();
    EXPECT_EQ(doc.GetSelCount(), 5);
    EXPECT_EQ(doc.m_pSelList->GetAt(0), c2);   // the marked set went in front to back
}
