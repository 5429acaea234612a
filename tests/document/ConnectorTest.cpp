#include "DocTestSupport.h"

#include "document/CConnector.h"
#include "document/CFigure.h"
#include "document/CObjList.h"
#include "platform/CPainterDC.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {
class ConnectorTest : public testing::Test {
protected:
    ConnectorTest()
    {
        a.m_nId = 1;
        a.m_rect = CRect(0, 0, 100, 100);
        b.m_nId = 2;
        b.m_rect = CRect(300, 0, 400, 100);
        c.m_nId = 3;
    }
    CFigure a, b;
    CConnector c;
};
} // namespace

TEST_F(ConnectorTest, AttachingEndsClipsToTheFiguresAndCounts)
{
    c.AttachEnd(kConEnd1, &a, kConPtCentre, CPoint(0, 0), false, true);
    c.AttachEnd(kConEnd2, &b, kConPtCentre, CPoint(0, 0), false, false);
    EXPECT_EQ(c.EndPoint1, CPoint(100, 50));
    EXPECT_EQ(c.EndPoint2.x, 300) << "on the left side, not at the centre (350, 50)";
    EXPECT_EQ(c.m_nFigId1, 1);
    EXPECT_EQ(c.m_nFigId2, 2);
    EXPECT_EQ(a.m_nConnected, 1);
    EXPECT_EQ(a.m_pAttachedCon1, &c);

    // End 2 onto end 1's figure: free at the given point, b detached.
    c.AttachEnd(kConEnd2, &a, 5, CPoint(700, 20), false, true);
    EXPECT_EQ(c.m_pFig2, nullptr);
    EXPECT_EQ(c.m_nConPtId2, kConPtCentre);
    EXPECT_EQ(c.m_nFigId2, -1);
    EXPECT_EQ(c.EndPoint2, CPoint(700, 20));
    EXPECT_EQ(b.m_nConnected, 0);
    EXPECT_EQ(a.m_nConnected, 1);

    // noRegister leaves the counts to the caller.
    c.AttachEnd(kConEnd2, &b, kConPtCentre, CPoint(0, 0), true, true);
    EXPECT_EQ(b.m_nConnected, 0);
    c.AttachToFigs();
    EXPECT_EQ(b.m_nConnected, 1);
    EXPECT_EQ(a.m_nConnected, 2);
}

TEST_F(ConnectorTest, EndCodes)
{
    // -2: the stored point is the target; the end lies on the side toward it.
    c.AttachEnd(kConEnd1, &a, kConPtFixed, CPoint(50, 10), false, true);
    c.AttachEnd(kConEnd2, &b, kConPtCentre, CPoint(0, 0), false, false);
    EXPECT_EQ(c.EndPoint1.x, 100);
    EXPECT_GT(c.EndPoint1.y, 10);
    EXPECT_LT(c.EndPoint1.y, 50);
    EXPECT_EQ(c.GetEndAttachPt(1), CPoint(50, 50)) << "-2 answers the centre";

    // A connection point id aims at that point; 0x1000000 ends right on it.
    b.m_pConPts = std::make_unique<CConPtList>();
    const int top = b.m_pConPts->AddConPt(CFltPoint(1024, 0), "", 0, true, -1);
    c.AttachEnd(kConEnd2, &b, top, CPoint(0, 0), false, false);
    EXPECT_EQ(c.GetEndAttachPt(2), CPoint(350, 0));
    b.SetFlags(0x1000000, 0, true);
    c.RecalcRoute();
    EXPECT_EQ(c.EndPoint2, CPoint(350, 0));
    // Aimed at the centre, such a figure still stops the line at its side.
    c.AttachEnd(kConEnd2, &b, kConPtCentre, CPoint(0, 0), false, false);
    EXPECT_EQ(c.EndPoint2.x, 300) << "on the left side, not at the centre (350, 50)";

    // -3 is kept as given (no trunk diagram picks a point): aimed like -1.
    c.AttachEnd(kConEnd2, &b, kConPtAuto, CPoint(0, 0), false, false);
    EXPECT_EQ(c.m_nConPtId2, kConPtAuto);
    EXPECT_EQ(c.GetEndAttachPt(2), CPoint(350, 50));
}

TEST_F(ConnectorTest, StoredIdsResolveAfterLoading)
{
    CObjList objs;
    CFigure figure;
    CFigure* fig = &figure;
    fig->m_nId = 4;
    CConnector other;
    other.m_nId = 5;
    objs.AddTail(fig);
    objs.AddTail(&other);
    c.m_nFigId1 = 4;
    c.m_nConPtId1 = 2;
    c.m_nFigId2 = 5;
    c.m_nConPtId2 = 3;
    c.Relink(objs);
    EXPECT_EQ(c.m_pFig1, fig);
    EXPECT_EQ(c.m_nConPtId1, 2) << "the connection point id stays";
    EXPECT_EQ(c.m_pFig2, nullptr) << "a connector is no end figure";
    EXPECT_EQ(c.m_nFigId2, -1);
    EXPECT_EQ(c.m_nConPtId2, kConPtCentre);
    c.m_nFigId1 = 99;
    c.Relink(objs);
    EXPECT_EQ(c.m_pFig1, nullptr);
    EXPECT_EQ(c.m_nFigId1, -1);
    // Two stored ids naming one figure: end 2 is left free at its point.
    c.m_nFigId1 = 4;
    c.m_nFigId2 = 4;
    c.m_nConPtId2 = 3;
    c.EndPoint2 = CPoint(70, 80);
    c.Relink(objs);
    EXPECT_EQ(c.m_pFig1, fig);
    EXPECT_EQ(c.m_pFig2, nullptr);
    EXPECT_EQ(c.m_nFigId2, -1);
    EXPECT_EQ(c.m_nConPtId2, kConPtCentre);
    EXPECT_EQ(c.EndPoint2, CPoint(70, 80));
    objs.RemoveAll();
}

TEST_F(ConnectorTest, OrientationHintIsFixedOnceAndKept)
{
    c.SetFlags(1, 0, true);
    c.EndPoint1 = CPoint(10, 0);
    c.EndPoint2 = CPoint(10, 90);
    EXPECT_EQ(c.RecalcRoute(), 1);
    EXPECT_EQ(c.m_nOrientHint, 1);
    c.EndPoint2 = CPoint(60, 40);
    EXPECT_EQ(c.RecalcRoute(), 1);
    EXPECT_TRUE(c.IsVerticalLock());
    EXPECT_FALSE(c.IsHorizontalLock());

    CConnector free;
    free.EndPoint2 = CPoint(5, 7);
    EXPECT_EQ(free.RecalcRoute(), 0) << "without low flag 1";
    EXPECT_EQ(free.m_nOrientHint, 0);
}

TEST_F(ConnectorTest, ReverseKeepsEndShapesAtTheirNumbers)
{
    c.m_props.End1 = 3;
    c.m_props.End2 = -1;
    c.SuppressEnd1 = 1;
    c.AttachEnd(kConEnd1, &a, kConPtCentre, CPoint(0, 0), false, true);
    c.AttachEnd(kConEnd2, &b, kConPtCentre, CPoint(0, 0), false, false);
    c.Reverse();
    EXPECT_EQ(c.m_pFig1, &b);
    EXPECT_EQ(c.m_nFigId1, 2);
    EXPECT_EQ(c.EndPoint1, CPoint(300, 50));
    EXPECT_EQ(c.SuppressEnd2, 1);
    EXPECT_EQ(c.m_props.End1, 3);
    EXPECT_EQ(c.m_props.End2, -1);
}

TEST_F(ConnectorTest, HitTestAndHandles)
{
    c.EndPoint1 = CPoint(0, 0);
    c.EndPoint2 = CPoint(100, 0);
    c.m_props.LineWidth = 1;
    POINT out{};
    EXPECT_EQ(c.HitTestPoint(50, 2, 6, &out), 1);
    EXPECT_EQ(CPoint(out), CPoint(50, 0));
    EXPECT_EQ(c.HitTestPoint(50, 9, 6, &out), 0);
    c.m_bSelected = 1;
    ASSERT_EQ(c.HitTestPoint(98, 1, 8, &out), 1);
    EXPECT_EQ(CPoint(out), CPoint(100, 0)) << "end handle before the segment";
    // Handle squares keep at least one unit each way.
    EXPECT_EQ(c.EndHandleFromPoint(CPoint(1, 1), 1), 1);
    EXPECT_EQ(c.EndHandleFromPoint(CPoint(99, 0), 2), 2);
    EXPECT_EQ(c.EndHandleFromPoint(CPoint(3, 0), 8), 1);
    EXPECT_EQ(c.EndHandleFromPoint(CPoint(4, 0), 8), 0);
}

TEST_F(ConnectorTest, BoundingMargins)
{
    c.EndPoint1 = CPoint(0, 0);
    c.EndPoint2 = CPoint(90, 30);
    c.m_props.End1Length = 12;
    c.m_props.End2Length = 20;
    c.m_props.LineWidth = 4;
    c.m_props.FIType = -1;
    CRect rc;
    c.GetBoundRect(rc, 0, 10);
    EXPECT_EQ(rc, CRect(0, 0, 90, 30));
    c.GetBoundRect(rc, 2, 10);
    EXPECT_EQ(rc, CRect(-20, -20, 110, 50)) << "the larger end size";
    c.SuppressEnd1 = c.SuppressEnd2 = 1;
    c.GetBoundRect(rc, 2, 10);
    EXPECT_EQ(rc, CRect(-6, -6, 96, 36)) << "tolerance / 2 + 1";
    c.m_props.FIType = 0;
    c.m_props.FISize = 18;
    c.m_props.FIBdrWidth = 3;
    c.GetBoundRect(rc, 2, 10);
    EXPECT_EQ(rc, CRect(-20, -20, 110, 50)) << "flow indicator";
    c.SetFlags(8, 0, true);
    c.m_props.FIType = -1;
    c.GetBoundRect(rc, 2, 10);
    EXPECT_EQ(rc, CRect(-60, -60, 150, 90)) << "two thirds of the larger side";
}

TEST_F(DocTest, ReattachingAnEndUndoesExactly)
{
    CFigure* a = NewFig(doc, 0, 0);
    CFigure* b = NewFig(doc, 500, 0);
    CFigure* c = NewFig(doc, 0, 400);
    for (CFigure* f : {a, b, c})
        doc.AddFigWithId(f);
    CConProps props;
    CConnector* con = doc.CreateCon(a, b, -1, -1, a->GetCenter(), b->GetCenter(), -1, props);
    ASSERT_TRUE(con);
    con->RecalcRoute();
    doc.ResetUndoLog();
    const std::string before = Snapshot(doc);
    const CPoint e1 = con->EndPoint1, e2 = con->EndPoint2;

    doc.UndoBeginStep(UDMAC_MOVEOBJS);
    ASSERT_TRUE(doc.LogConnectorEnds(UDOC_CONMOVE, con));
    con->AttachEnd(kConEnd2, c, kConPtFixed, CPoint(20, 420), false, false);
    ASSERT_TRUE(doc.LogConnectorEnds(UDOC_CONMOVE, con));
    con->AttachEnd(kConEnd1, nullptr, kConPtCentre, CPoint(-50, -50), false, false);
    doc.UndoEndStep();
    EXPECT_EQ(c->m_nConnected, 1);
    EXPECT_EQ(a->m_nConnected, 0);

    EXPECT_EQ(doc.UndoLastStep(), UDMAC_MOVEOBJS);
    EXPECT_EQ(Snapshot(doc), before) << "ends, ids and attachment counts";
    EXPECT_EQ(con->EndPoint1, e1);
    EXPECT_EQ(con->EndPoint2, e2);
    EXPECT_EQ(con->m_nConPtId2, kConPtCentre);
    EXPECT_EQ(a->m_pAttachedCon1, con);
    EXPECT_EQ(c->m_pAttachedCon1, nullptr);
}

TEST_F(DocTest, EndShapeKindsAndTheConnectorsStockKind)
{
    for (const char* name : {"ball for socket", "socket for ball", "plain"})
        doc.m_endSymbols.NewEntry()->m_strName = name;
    const int base = doc.m_endSymbols.GetCount() - 3;
    CConnector con(&doc);
    con.m_props.End1 = base;
    con.m_props.End2 = base + 1;
    EXPECT_EQ(con.EndShapeIsKind(1, 14), 1);
    EXPECT_EQ(con.EndShapeIsKind(2, 15), 1);
    EXPECT_EQ(con.EndShapeIsKind(2, 14), 0);
    EXPECT_EQ(con.EndShapeIsKind(3, 14), 0) << "no third end";
    con.m_props.End1 = -1;
    EXPECT_EQ(con.EndShapeIsKind(1, 14), 0) << "no shape";
    con.m_props.End1 = base + 99;
    EXPECT_EQ(con.EndShapeIsKind(1, 14), 0) << "not in the library";

    CConProps props;
    doc.m_conStyles.AddConStyle(&props, "To Interface", 0, 0, "", "", 0, "", 0, 0, 0, 0);
    doc.m_conStyles.AddConStyle(&props, "Plain line", 0, 0, "", "", 0, "", 0, 0, 0, 0);
    const int32_t styles[] = {doc.m_conStyles.FindByName("To Interface"), doc.m_conStyles.FindByName("Plain line"),
                              -1};
    const int kinds[] = {16, -1, -1};
    for (int i = 0; i < 3; ++i) {
        con.m_nStyle = styles[i];
        con.ResetStockKind();
        EXPECT_EQ(con.GetStockKind(), kinds[i]);
    }
}

TEST_F(DocTest, FeedbackLineIsInvertedAndDrawnTwiceGoesAway)
{
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    CConnector con(&doc);
    {
        CPainterDC dc(&image);
        con.Draw(&dc, 5, 20, 35, 20, false);
        con.Draw(nullptr, 5, 20, 35, 20, false);   // no DC: nothing
    }
    EXPECT_EQ(image.pixel(20, 20) & 0xFFFFFF, 0x000000u);
    EXPECT_EQ(image.pixel(20, 10) & 0xFFFFFF, 0xFFFFFFu);
    {
        CPainterDC dc(&image);
        con.Draw(&dc, 5, 20, 35, 20, false);
    }
    EXPECT_EQ(image.pixel(20, 20) & 0xFFFFFF, 0xFFFFFFu);
}

// A connector made with one figure at both ends keeps the figure at end 1
// only: end 2 is free at its point, as attaching and loading leave it.
TEST_F(DocTest, ANewConnectorIsNeverOnOneFigureTwice)
{
    CFigure* fig = NewFig(doc, 0, 0, "f");
    doc.AddFigWithId(fig);
    CConProps props;
    CConnector* con = doc.CreateCon(fig, fig, -1, 3, fig->GetCenter(), CPoint(500, 40), -1, props);
    ASSERT_TRUE(con);
    EXPECT_EQ(con->m_pFig1, fig);
    EXPECT_EQ(con->m_pFig2, nullptr);
    EXPECT_EQ(con->m_nFigId2, -1);
    EXPECT_EQ(con->m_nConPtId2, kConPtCentre);
    EXPECT_EQ(con->EndPoint2, CPoint(500, 40));
    EXPECT_EQ(fig->m_nConnected, 1);
}
