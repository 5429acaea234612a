// Moving lists of objects and the z-order commands.
#include "EditScenarioSupport.h"

#include <climits>

TEST_F(DocTest, MoveWithoutOffsetOrObjectsChangesNothing)
{
    CFigure* a = AddTextFig(doc, 0, 0);
    EXPECT_EQ(doc.MoveSelection(10, 10, 0, false), 0);   // nothing selected
    doc.SelectObj(a, 1, 0, 0);
    EXPECT_EQ(doc.MoveSelection(0, 0, 0, false), 0);
    CObjList empty;
    EXPECT_EQ(doc.MoveObjList(&empty, 5, 5, 0, false), 0);
    EXPECT_EQ(a->m_rect, CRect(0, 0, 200, 100));
}

TEST_F(DocTest, HeldEndsStayAndTheRoomShifts)
{
    CConnector* c = AddFreeCon(doc, CPoint(100, 50), CPoint(600, 50));
    doc.SelectObj(c, 1, 0, 0);
    // End 2 keeps its x, end 1 its y.
    c->m_nFixedAxes = 0x20 | 4;
    doc.m_moveSet.m_nUp = 100;
    doc.m_moveSet.m_nDown = 100;
    doc.m_moveSet.m_nLeft = CMoveSet::kUnlimited;
    doc.m_moveSet.m_nRight = 40;
    const std::string before = SceneSnapshot(doc);
    ASSERT_EQ(doc.MoveSelection(10, 20, 0, false), 1);
    EXPECT_EQ(c->EndPoint1, CPoint(110, 50));
    EXPECT_EQ(c->EndPoint2, CPoint(600, 70));
    EXPECT_EQ(doc.m_moveSet.m_nUp, 120);
    EXPECT_EQ(doc.m_moveSet.m_nDown, 80);
    EXPECT_EQ(doc.m_moveSet.m_nRight, 30);
    EXPECT_EQ(doc.m_moveSet.m_nLeft, CMoveSet::kUnlimited);
    doc.UndoLastStep();
    EXPECT_EQ(SceneSnapshot(doc), before);
}

TEST_F(DocTest, ARefusedMoveRecordLeavesEverythingInPlace)
{
    CFigure* a = AddTextFig(doc, 0, 0);
    CFigure* b = AddTextFig(doc, 500, 0);
    AddConBetween(doc, a, b);
    doc.SelectAll();
    doc.ResetUndoLog();
    const std::string before = SceneSnapshot(doc);
    for (int refuseAfter : {0, 2}) {
        RefusingUndoLog refuse(doc, refuseAfter);
        EXPECT_EQ(doc.MoveSelection(30, 30, 0, false), 0);
        EXPECT_TRUE(refuse.Refused());
        EXPECT_EQ(SceneSnapshot(doc), before);
        EXPECT_FALSE(doc.InUndoStep());
        EXPECT_FALSE(doc.CanUndo());
    }
}

namespace {
class ZOrderTest : public DocTest {
protected:
    void SetUp() override
    {
        DocTest::SetUp();
        // Five figures in a row, each overlapping its neighbours.
        for (int i = 0; i < 5; ++i)
            f[i] = AddTextFig(doc, 150 * i, 0);
        doc.ResetUndoLog();
    }
    std::vector<int> Order(std::initializer_list<int> which) const
    {
        std::vector<int> ids;
        for (int i : which)
            ids.push_back(f[i]->m_nId);
        return ids;
    }
    CFigure* f[5] = {};
};
} // namespace

TEST_F(ZOrderTest, FrontAndBackKeepTheSelectionsOrder)
{
    doc.AddObjToSel(f[3], 2, false);
    doc.AddObjToSel(f[1], 2, false);
    const std::string before = SceneSnapshot(doc);
    doc.BringToFront();
    EXPECT_EQ(Ids(*doc.m_pObjList), Order({0, 2, 4, 1, 3}));
    doc.UndoLastStep();
    EXPECT_EQ(SceneSnapshot(doc), before);
    doc.SendToBack();
    EXPECT_EQ(Ids(*doc.m_pObjList), Order({1, 3, 0, 2, 4}));
    doc.UndoLastStep();
    EXPECT_EQ(SceneSnapshot(doc), before);
}

TEST_F(ZOrderTest, ARefusedMoveInTheMiddleTakesTheFirstBack)
{
    doc.AddObjToSel(f[3], 2, false);
    doc.AddObjToSel(f[1], 2, false);
    const std::string before = SceneSnapshot(doc);
    RefusingUndoLog refuse(doc, 1);
    doc.SendToBack();
    EXPECT_TRUE(refuse.Refused());
    EXPECT_EQ(SceneSnapshot(doc), before);
    EXPECT_FALSE(doc.CanUndo());
}

TEST_F(ZOrderTest, OneStepPassesTheFirstOverlappingNeighbour)
{
    // Far away in front of f0: f4 does not overlap it; f1 does.
    f[4]->SetRectNoUndo(CRect(5000, 5000, 5200, 5100));
    doc.m_pObjList->MoveTo(f[4], 1);   // 0 4 1 2 3
    doc.AddObjToSel(f[0], 2, false);
    doc.BringForwardOne();
    EXPECT_EQ(Ids(*doc.m_pObjList), Order({4, 1, 0, 2, 3}));
    doc.UndoLastStep();
    EXPECT_EQ(Ids(*doc.m_pObjList), Order({0, 4, 1, 2, 3}));

    // Nothing overlapping behind it: nothing happens, no step.
    doc.ResetUndoLog();
    doc.SendBackOne();
    EXPECT_EQ(Ids(*doc.m_pObjList), Order({0, 4, 1, 2, 3}));
    EXPECT_FALSE(doc.CanUndo());
    // Two selected objects: neither command does anything.
    doc.AddObjToSel(f[2], 2, false);
    doc.BringForwardOne();
    EXPECT_EQ(Ids(*doc.m_pObjList), Order({0, 4, 1, 2, 3}));
}

TEST_F(ZOrderTest, AGroupedNeighbourStandsForItsFrontMember)
{
    auto* g = new CGroup;
    g->AddMember(f[1]);
    g->AddMember(f[3]);
    ASSERT_TRUE(doc.AddGroupWithId(g));
    doc.AddObjToSel(f[0], 2, false);
    doc.BringForwardOne();   // past the whole group, behind f4
    EXPECT_EQ(Ids(*doc.m_pObjList), Order({1, 2, 3, 0, 4}));
    doc.ClearSel(false);
    doc.AddObjToSel(f[4], 2, false);
    doc.SendBackOne();   // f0 does not overlap it: behind the group's back member
    EXPECT_EQ(Ids(*doc.m_pObjList), Order({4, 1, 2, 3, 0}));
}

TEST_F(ZOrderTest, MoveObjInListPositionsAreOneBased)
{
    struct Case {
        int from, to;
        int moved;   // index into f of the object returned, -1 for null
        std::vector<int> order;
    };
    const Case cases[] = {
        {1, 3, 0, {1, 2, 0, 3, 4}}, {5, 1, 4, {4, 0, 1, 2, 3}}, {2, 2, 1, {0, 1, 2, 3, 4}},
        {0, 2, -1, {0, 1, 2, 3, 4}}, {2, 6, -1, {0, 1, 2, 3, 4}},
    };
    for (const Case& c : cases) {
        const std::vector<CDiagObj*> saved(doc.m_pObjList->begin(), doc.m_pObjList->end());
        CDiagObj* got = doc.MoveObjInList(c.from, c.to, true);
        EXPECT_EQ(got, c.moved < 0 ? nullptr : f[c.moved]) << c.from << "->" << c.to;
        std::vector<int> expected;
        for (int i : c.order)
            expected.push_back(f[i]->m_nId);
        EXPECT_EQ(Ids(*doc.m_pObjList), expected) << c.from << "->" << c.to;
        for (size_t i = 0; i < saved.size(); ++i)
            doc.m_pObjList->MoveTo(saved[i], int(i));
    }
}

TEST_F(DocTest, MovesStopAtTheWorkSpaceEdge)
{
    CFigure* a = AddTextFig(doc, 15000, 0);
    CConnector* c = AddFreeCon(doc, CPoint(15500, 50), CPoint(15900, 50));
    doc.SelectAll();
    const std::string before = SceneSnapshot(doc);
    ASSERT_EQ(doc.MoveSelection(40000, -40000, 0, false), 1);
    EXPECT_EQ(a->m_rect, CRect(15100, -16000, 15300, -15900));   // size kept: the connector reached the edge
    EXPECT_EQ(c->EndPoint2, CPoint(16000, -15950));
    doc.UndoLastStep();
    EXPECT_EQ(SceneSnapshot(doc), before);
    // Already on the edge: nothing moves.
    doc.MoveSelection(40000, 0, 0, false);
    EXPECT_EQ(doc.MoveSelection(10, 0, 0, false), 0);
    // Offsets at the ends of the int range stop there too.
    ASSERT_EQ(doc.MoveSelection(INT_MIN, INT_MAX, 0, false), 1);
    EXPECT_EQ(a->m_rect.left, -16000);
    EXPECT_EQ(a->m_rect.bottom, 16000);
    EXPECT_EQ(c->EndPoint2.y, 15950);
}

TEST_F(DocTest, DraggedConnectorLabelShowsTheNearestConnector)
{
    CConnector* near = AddFreeCon(doc, CPoint(0, 1000), CPoint(1000, 1000));
    CConnector* home = AddFreeCon(doc, CPoint(0, 0), CPoint(1000, 0));
    CFigure* label = AddTextFig(doc, 400, 20, 80, 40, "L");
    label->m_bLabel = 1;
    auto* s = new CStaple(&doc, kStapleConLabel);
    s->MakeConLbl(home, CPoint(440, 0), label, 127, 0);
    ASSERT_TRUE(doc.AddStapleWithId(s));
    ASSERT_TRUE(label->IsConLabel());
    doc.TrackFigDrag(nullptr, true, label, 0, 900);
    EXPECT_EQ(doc.m_pDragTargetCon, near);
    doc.TrackFigDrag(nullptr, true, label, 0, 0);
    EXPECT_EQ(doc.m_pDragTargetCon, home);
    doc.TrackFigDrag(nullptr, false, label, 0, 0);   // erased: the slot is empty
    EXPECT_EQ(doc.m_pDragTargetCon, nullptr);
    doc.SelectAll();
    doc.TrackDragObjs(nullptr, 10, 10);   // nothing to draw on: nothing happens
    EXPECT_EQ(label->m_rect, CRect(400, 20, 480, 60));
}

TEST_F(DocTest, ADeletedObjectLeavesTheMove)
{
    CFigure* a = AddTextFig(doc, 0, 0);
    CFigure* b = AddTextFig(doc, 1000, 0);
    CConnector* c = AddConBetween(doc, a, b);
    doc.SelectObj(a, 1, 0, 0);
    ASSERT_TRUE(c->m_bFollow);   // its end on a goes along
    ASSERT_TRUE(doc.CutObj(c, -1));
    EXPECT_EQ(doc.m_moveSet.GetList()->GetCount(), 1);
    EXPECT_EQ(doc.MoveSelection(10, 10, 0, false), 1);
    EXPECT_EQ(a->m_rect, CRect(10, 10, 210, 110));
    EXPECT_EQ(b->m_rect, CRect(1000, 0, 1200, 100));
}
