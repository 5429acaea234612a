// Cutting a connector cuts the junctions it leaves without connectors.
#include "DocTestSupport.h"

class JunctionCleanupTest : public DocTest {
protected:
    void SetUp() override
    {
        DocTest::SetUp();
        fig = NewFig(doc, 0, 0, "A");   // shows a text: never a junction
        ASSERT_TRUE(doc.AddFigWithId(fig));
        jct = doc.CreateFigAt(CPoint(500, 500), 1);
        ASSERT_NE(jct, nullptr);
        con = NewCon(doc, fig, jct);
        ASSERT_TRUE(doc.AddConWithId(con));
        doc.ResetUndoLog();
    }
    CFigure* fig = nullptr;
    CFigure* jct = nullptr;
    CConnector* con = nullptr;
};

TEST_F(JunctionCleanupTest, OrphanedJunctionIsCutInTheSameStepAndComesBackOnUndo)
{
    ASSERT_TRUE(jct->IsInvisible());
    const std::string before = Snapshot(doc);
    doc.UndoBeginStep(UDMAC_DELOBJS);
    ASSERT_TRUE(doc.CutCon(con, false, false, -1));
    doc.UndoEndStep();
    ASSERT_EQ(doc.m_pObjList->GetCount(), 1);   // only the figure is left
    EXPECT_EQ(doc.m_pObjList->GetAt(0), fig);
    doc.UndoLastStep();
    EXPECT_EQ(Snapshot(doc), before);
}

TEST_F(JunctionCleanupTest, KeptWhenAskedOrStillJoiningConnectors)
{
    CConnector* second = NewCon(doc, jct, nullptr);
    ASSERT_TRUE(doc.AddConWithId(second));
    ASSERT_TRUE(doc.CutCon(con, false, false, -1));
    EXPECT_GE(doc.m_pObjList->Find(jct), 0);   // the second connector still ends there
    ASSERT_TRUE(doc.CutCon(second, true, false, -1));
    EXPECT_GE(doc.m_pObjList->Find(jct), 0);   // keep junctions
    // Only automatic junctions go: not a figure placed by the user.
    CFigure* placed = NewFig(doc, 900, 900);
    ASSERT_TRUE(doc.AddFigWithId(placed));
    CConnector* fourth = NewCon(doc, placed, fig);
    ASSERT_TRUE(doc.AddConWithId(fourth));
    ASSERT_TRUE(doc.CutCon(fourth, false, false, -1));
    EXPECT_GE(doc.m_pObjList->Find(placed), 0);
    CConnector* third = NewCon(doc, fig, nullptr);
    ASSERT_TRUE(doc.AddConWithId(third));
    ASSERT_TRUE(doc.CutCon(third, false, false, -1));
    EXPECT_GE(doc.m_pObjList->Find(fig), 0);
}
