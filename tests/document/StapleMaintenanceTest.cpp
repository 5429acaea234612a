#include "DocTestSupport.h"
#include "common/TestSupport.h"

#include "document/CStaple.h"
#include "document/StapleKinds.h"
#include "document/StapleMaintenanceSpacing.h"
#include "platform/GlobalMem.h"

namespace {
class StaplePassTest : public DocTest {
protected:
    CFigure* Fig(int x, int y)
    {
        CFigure* f = NewFig(doc, x, y);
        doc.AddFigWithId(f);
        return f;
    }
    CStaple* Add(CStaple* s)
    {
        EXPECT_TRUE(doc.AddStapleWithId(s));
        return s;
    }
    CConnector* Join(CFigure* a, CFigure* b)
    {
        CConProps props;
        return doc.CreateCon(a, b, -1, -1, a->GetCenter(), b->GetCenter(), -1, props);
    }
    // Two figures (with text: no junctions) joined by a routed connector,
    // and a flow label at the first.
    CStaple* FlowLabelOn(CFigure*& a, CConnector*& con, CFigure* label)
    {
        a = Fig(0, 0);
        CFigure* b = Fig(800, 0);
        a->m_strText = b->m_strText = "f";
        con = Join(a, b);
        if (!con)
            return nullptr;
        con->RecalcRoute();
        auto* flow = Add(new CStaple(&doc));
        flow->MakeFlowLbl(a, label, con, 1);
        return flow;
    }
    void Move(CFigure* f, int dx, int dy)
    {
        CRect rc = f->m_rect;
        rc.OffsetRect(dx, dy);
        f->SetRectNoUndo(rc);
    }
};
} // namespace

TEST_F(StaplePassTest, FigureLabelFollowsItsFigureAndKeepsANewPlace)
{
    CFigure* fig = Fig(0, 0);
    CFigure* label = Fig(0, 200);
    auto* s = Add(new CStaple(&doc));
    s->MakeFigLbl(fig, 0, 255, label, 0, 0, 0, 0);
    s->RecordOffset(nullptr);
    const CPoint offset(s->OffsetX, s->OffsetY);
    Move(fig, 30, 40);
    EXPECT_EQ(doc.UpdateAllStaples(1), 1);
    EXPECT_EQ(CStaple::AnchorPoint(label->m_rect, 0, 0) - CStaple::AnchorPoint(fig->m_rect, 0, 255),
              CSize(offset.x, offset.y));
    EXPECT_EQ(doc.UpdateAllStaples(1), 0) << "nothing left to follow";

    // Moving only the label takes a new offset and leaves the figure alone.
    const CRect figRect = fig->m_rect;
    Move(label, 5, 0);
    doc.UpdateAllStaples(1);
    EXPECT_EQ(fig->m_rect, figRect);
    EXPECT_EQ(s->OffsetX, offset.x + 5);
    EXPECT_EQ(doc.m_pObjList->Find(label), doc.m_pObjList->Find(fig) + 1) << "label in front of its figure";
}

TEST_F(StaplePassTest, FigureLinkFollowsAndKeepsItsFollowerBehind)
{
    CFigure* follower = Fig(300, 0);
    CFigure* leader = Fig(0, 0);
    CFigure* other = Fig(600, 0);
    // Follower in front of the leader: the pass puts it directly behind.
    doc.m_pObjList->MoveTo(follower, 2);
    auto* s = Add(new CStaple(&doc));
    s->MakeFigLink(leader, 255, 127, follower, 0, 127, 0, 0);
    s->RecordOffset(nullptr);
    doc.ResetUndoLog();
    const std::string before = Snapshot(doc);
    doc.UndoBeginStep(UDMAC_MOVEOBJS);
    Move(leader, 0, 50);
    doc.UpdateAllStaples(1);
    doc.UndoEndStep();
    EXPECT_EQ(follower->m_rect.top, 50);
    EXPECT_EQ(doc.m_pObjList->Find(follower) + 1, doc.m_pObjList->Find(leader));
    Move(leader, 0, -50);
    doc.UndoLastStep();
    EXPECT_EQ(Snapshot(doc), before) << "the order and the follow come back";
    (void)other;
}

TEST_F(StaplePassTest, KeepOnOwnResizeStopsTheFollow)
{
    CFigure* leader = Fig(0, 0);
    CFigure* follower = Fig(300, 0);
    auto* s = Add(new CStaple(&doc));
    s->MakeFigLink(leader, 255, 0, follower, 0, 0, 0, 0);
    s->RecordOffset(nullptr);
    // Resizing the follower from its right side keeps its anchor.
    CRect rc = follower->m_rect;
    rc.left -= 20;
    follower->SetRectNoUndo(rc);
    doc.UpdateAllStaples(0);
    EXPECT_EQ(follower->m_rect.left, leader->m_rect.right + s->OffsetX);
    EXPECT_EQ(s->OffsetX, 100) << "followed back to the anchor";

    s->PinType = 7;
    SetStapleKindTable({{7, 0, 0, 0, 1}});
    rc = follower->m_rect;
    rc.left -= 20;
    follower->SetRectNoUndo(rc);
    doc.UpdateAllStaples(0);
    EXPECT_EQ(follower->m_rect, rc);
    EXPECT_EQ(s->OffsetX, 80) << "offset taken anew";
}

TEST_F(StaplePassTest, ConnectorLabelSitsInFrontOfItsConnector)
{
    CFigure* a = Fig(0, 0);
    CFigure* b = Fig(500, 0);
    CFigure* label = Fig(200, 300);
    CConProps props;
    CConnector* con = doc.CreateCon(a, b, -1, -1, a->GetCenter(), b->GetCenter(), -1, props);
    ASSERT_TRUE(con);
    doc.m_pObjList->MoveTo(label, 0);
    auto* s = Add(new CStaple(&doc));
    s->MakeConLbl(con, con->GetMidPoint(), label, 127, 127);
    doc.UpdateAllStaples(0);
    EXPECT_EQ(doc.m_pObjList->Find(label), doc.m_pObjList->Find(con) + 1);
    EXPECT_EQ(doc.FindConLblStaple(con), s);
    EXPECT_EQ(doc.FindConOrLatLblStaple(con), s);
    EXPECT_EQ(doc.FindLatLblStaple(con), nullptr);

    // The connector moves: the label keeps its anchor at ConPos.
    Move(b, 0, 100);
    con->RecalcRoute();
    EXPECT_EQ(doc.UpdateAllStaples(0), 1);
    EXPECT_EQ(CStaple::AnchorPoint(label->m_rect, 127, 127), s->GetPointAtConPos());
}

TEST_F(StaplePassTest, AFailingMoveEndsThePassAndIsRetriedLater)
{
    CRecordingPrompt prompt;
    CFigure* fig = Fig(0, 0);
    CFigure* label = Fig(0, 200);
    auto* s = Add(new CStaple(&doc));
    s->MakeFigLbl(fig, 0, 255, label, 0, 0, 0, 0);
    s->RecordOffset(nullptr);
    const CRect labelRect = label->m_rect;
    Move(fig, 30, 0);
    doc.UndoBeginStep(UDMAC_MOVEOBJS);
    SetGlobalMemoryLimit(GlobalMemoryInUse());
    doc.UndoLogRef().m_nUndoUsed = doc.UndoLogRef().m_nUndoBufSize;
    prompt.QueueAnswer(IDCANCEL);
    EXPECT_EQ(doc.UpdateAllStaples(1), 0);
    EXPECT_EQ(label->m_rect, labelRect);
    doc.UndoEndStep();
    SetGlobalMemoryLimit(0);
    doc.UndoBeginStep(UDMAC_MOVEOBJS);
    EXPECT_EQ(doc.UpdateAllStaples(1), 1) << "the snapshots stayed: the next pass follows";
    EXPECT_EQ(label->m_rect.left, labelRect.left + 30);
}

TEST_F(StaplePassTest, LookupsAndRefind)
{
    CFigure* a = Fig(0, 0);
    CFigure* b = Fig(300, 0);
    auto* link = Add(new CStaple(&doc));
    link->MakeFigLink(a, 0, 0, b, 0, 0, 0, 0);
    auto* label = Add(new CStaple(&doc));
    label->MakeFigLbl(b, 0, 0, a, 0, 0, 0, 0);
    EXPECT_EQ(doc.FindFigLink(b, a), link);
    EXPECT_EQ(doc.FindFigLink(a, b), nullptr);
    EXPECT_EQ(doc.FindFigLinkFrom(a), link);
    EXPECT_EQ(doc.FindFigLinkTo(b), link);
    EXPECT_TRUE(doc.AreFigsLinked(b, a));
    EXPECT_EQ(doc.FindFigLinkBetween(a, nullptr), nullptr);
    // a points at the last staple made; leaving it finds the link.
    ASSERT_EQ(a->m_pStaple, label);
    EXPECT_EQ(a->RefindStaple(link), nullptr) << "not a's present staple: nothing changes";
    EXPECT_EQ(a->m_pStaple, label);
    EXPECT_EQ(a->RefindStaple(label), link);
}

TEST_F(StaplePassTest, ConnectorLabelsAreMadeAndUnaddedStaplesDiscarded)
{
    CFigure* a = Fig(0, 0);
    CFigure* b = Fig(500, 0);
    CFigure* label = Fig(200, 300);
    CConProps props;
    CConnector* con = doc.CreateCon(a, b, -1, -1, a->GetCenter(), b->GetCenter(), -1, props);
    CStaple* s = doc.CreateConLblStaple(con, label->GetCenter(), label);
    ASSERT_TRUE(s);
    EXPECT_EQ(s->m_nType, kStapleConLabel);
    EXPECT_EQ(CSize(s->Fig1PosX, s->Fig1PosY), CSize(127, 127));
    EXPECT_EQ(doc.m_pStapleList->GetCount(), 1);

    auto* loose = new CStaple(&doc);
    loose->MakeFigLbl(a, 0, 0, b, 0, 0, 0, 0);
    ASSERT_EQ(loose->m_nId, -1);
    std::vector<CStaple*> list{loose, s};
    doc.DiscardUnaddedStaples(list);
    EXPECT_EQ(list, std::vector<CStaple*>{s}) << "stops at the first staple with an id";
    EXPECT_NE(a->m_pStaple, loose);
    EXPECT_NE(b->m_pStaple, loose);
}

TEST_F(DocTest, NewLabelSpacingMovesLabelsAndUndoes)
{
    CFigure* a = NewFig(doc, 0, 0);
    CFigure* b = NewFig(doc, 1000, 0);
    doc.AddFigWithId(a);
    doc.AddFigWithId(b);
    CConProps props;
    CConnector* con = doc.CreateCon(a, b, -1, -1, a->GetCenter(), b->GetCenter(), -1, props);
    ASSERT_TRUE(con);
    const int offsets[] = {20, -20, 0};
    std::vector<CStaple*> staples;
    for (int offset : offsets) {
        CFigure* label = NewFig(doc, 400, 200, "label");
        doc.AddFigWithId(label);
        auto* st = new CStaple(&doc);
        st->MakeLatLbl(con, con->GetMidPoint(), label, offset, 0);
        ASSERT_TRUE(doc.AddStapleWithId(st));
        staples.push_back(st);
    }
    // Figure labels below a (code 8): one where the default gap put it, one
    // moved away by the user.
    std::vector<CFigure*> figLabels;
    for (int shift : {0, 7}) {
        CRect rc;
        doc.CalcFigLblRect(a, CSize(60, 20), 8, rc, 16);
        rc.OffsetRect(shift, shift);
        CFigure* label = NewFig(doc, 0, 0, "below");
        label->SetRectNoUndo(rc);
        doc.AddFigWithId(label);
        auto* st = new CStaple(&doc);
        st->MakeFigLbl(a, 127, 255, label, 127, 0, 0, 16 + shift);
        ASSERT_TRUE(doc.AddStapleWithId(st));
        figLabels.push_back(label);
    }
    doc.UpdateAllStaples(0);
    doc.ResetUndoLog();
    const std::string before = Snapshot(doc);
    const CRect labelBefore = staples[0]->m_pFig1->m_rect;
    const CRect keptPlace = figLabels[1]->m_rect;

    doc.m_nLabelToConSpacing = 60;
    doc.m_nLabelToFigSpacing = 40;
    doc.UndoBeginStep(UDMAC_SETLBLSPACING);
    EXPECT_EQ(ReapplyLabelSpacing(doc, -1, -1), 4);
    doc.UndoEndStep();
    EXPECT_EQ(staples[0]->LateralOffset, 60);
    EXPECT_EQ(staples[1]->LateralOffset, -60);
    EXPECT_EQ(staples[2]->LateralOffset, -60) << "a label on the line goes to the negative side";
    EXPECT_NE(staples[0]->m_pFig1->m_rect, labelBefore) << "placed again at the new distance";
    EXPECT_EQ(figLabels[0]->m_rect.top, a->m_rect.bottom + 40);
    EXPECT_EQ(figLabels[1]->m_rect, keptPlace) << "a label placed by hand stays";
    // Its offset was taken anew, so the pass keeps it at the new place.
    EXPECT_EQ(doc.FindStapleById(4)->OffsetY, 40);

    EXPECT_EQ(doc.UndoLastStep(), UDMAC_SETLBLSPACING);
    EXPECT_EQ(Snapshot(doc), before);
    EXPECT_EQ(staples[0]->LateralOffset, 20);
    EXPECT_EQ(staples[2]->LateralOffset, 0);
}

// Both sweeps restack (the figure link's follower behind its leader, the
// connector label in front of its connector); one Undo puts the order back.
TEST_F(StaplePassTest, RestackingInBothSweepsUndoes)
{
    CFigure* a = Fig(0, 0);
    CFigure* b = Fig(500, 0);
    CFigure* follower = Fig(0, 400);
    CFigure* label = Fig(200, 300);
    CConnector* con = Join(a, b);
    ASSERT_TRUE(con);
    doc.m_pObjList->MoveTo(label, 0);
    doc.m_pObjList->MoveTo(a, doc.m_pObjList->GetCount() - 1);   // the leader in front of its follower
    auto* link = Add(new CStaple(&doc));
    link->MakeFigLink(b, 0, 0, follower, 0, 0, 0, 400);
    auto* lbl = Add(new CStaple(&doc));
    lbl->MakeConLbl(con, con->GetMidPoint(), label, 127, 127);
    doc.ResetUndoLog();
    const std::string before = Snapshot(doc);

    doc.UndoBeginStep(UDMAC_MOVEOBJS);
    doc.UpdateAllStaples(1);
    doc.UndoEndStep();
    EXPECT_LT(doc.m_pObjList->Find(follower), doc.m_pObjList->Find(b));
    EXPECT_EQ(doc.m_pObjList->Find(label), doc.m_pObjList->Find(con) + 1);
    ASSERT_NE(Snapshot(doc), before);

    EXPECT_EQ(doc.UndoLastStep(), UDMAC_MOVEOBJS);
    EXPECT_EQ(Snapshot(doc), before);
}

// Flow labels (3) follow their figure, lateral labels (5) their connector.
TEST_F(StaplePassTest, FlowAndLateralLabelsFollow)
{
    CFigure* flowLabel = Fig(250, 150);
    CFigure* latLabel = Fig(400, 200);
    CFigure* a = nullptr;
    CConnector* con = nullptr;
    CStaple* flow = FlowLabelOn(a, con, flowLabel);
    ASSERT_TRUE(flow);
    CFigure* b = con->m_pFig2;
    auto* lat = Add(new CStaple(&doc));
    lat->MakeLatLbl(con, con->GetMidPoint(), latLabel, 30, 0);
    // Placed once where their staples say.
    flow->ClearSnapshots();
    lat->ClearSnapshots();
    EXPECT_EQ(doc.UpdateAllStaples(0), 1);
    const CSize flowGap = flowLabel->GetCenter() - CPoint(con->EndPoint1);
    const CSize latGap = latLabel->GetCenter() - con->GetMidPoint();

    // Everything moves down together: each label keeps its place relative to
    // what it is stapled to.
    for (CFigure* f : {a, b})
        Move(f, 0, 300);
    con->RecalcRoute();
    EXPECT_GE(doc.UpdateAllStaples(0), 1);
    EXPECT_EQ(flowLabel->GetCenter() - CPoint(con->EndPoint1), flowGap);
    EXPECT_EQ(latLabel->GetCenter() - con->GetMidPoint(), latGap);
}

// A flow label's text faces the connector: the slot's touching corner gives
// the alignment. The change is logged with the move and undone with it.
TEST_F(StaplePassTest, FlowLabelTextFacesTheConnectorAndUndoes)
{
    CFigure* label = Fig(250, 150);
    CFigure* a = nullptr;
    CConnector* con = nullptr;
    CStaple* flow = FlowLabelOn(a, con, label);
    ASSERT_TRUE(flow);
    doc.ResetUndoLog();
    const std::string before = Snapshot(doc);
    const WORD formatBefore = label->m_props.TextFormat;

    flow->ClearSnapshots();
    doc.UndoBeginStep(UDMAC_MOVEOBJS);
    EXPECT_EQ(doc.UpdateAllStaples(1), 1);
    doc.UndoEndStep();
    // Slot 1 above the connector leaving a's right side: the label's bottom
    // left corner touches it.
    EXPECT_EQ(label->m_props.TextFormat & 0x77, 4 | 16);
    EXPECT_EQ(label->m_rect.bottom, con->EndPoint1.y - 16);
    EXPECT_EQ(label->m_rect.left, a->m_rect.right + 16);

    EXPECT_EQ(doc.UndoLastStep(), UDMAC_MOVEOBJS);
    EXPECT_EQ(Snapshot(doc), before);
    EXPECT_EQ(label->m_props.TextFormat, formatBefore);
}
