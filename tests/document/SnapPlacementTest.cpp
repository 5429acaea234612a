// Snapping through the document, guides from nearby connectors, figure
// rectangles snapped while moved or resized, and the placement of new
// objects.
#include "EditScenarioSupport.h"

#include "document/Placement.h"

TEST_F(DocTest, SnapPtFollowsTheSnappingSwitch)
{
    doc.m_nSnapX = doc.m_nSnapY = 32;
    doc.m_bAlignToGrid = 0;
    POINT p{47, 49};
    doc.SnapPt(p);
    EXPECT_EQ(CPoint(p), CPoint(47, 49));
    EXPECT_FALSE(doc.SnapPtMoved(p));
    doc.m_bAlignToGrid = 1;
    doc.SnapPt(p);
    EXPECT_EQ(CPoint(p), CPoint(32, 64));
    EXPECT_TRUE(doc.SnapPtMoved(CPoint(47, 49)));
}

TEST_F(DocTest, GuidesFromNearbyConnectorsAndConnectorEnds)
{
    doc.m_bAlignToGrid = 1;
    doc.m_nSnapX = doc.m_nSnapY = 32;
    AddFreeCon(doc, CPoint(0, 100), CPoint(500, 100));     // a horizontal guide
    AddFreeCon(doc, CPoint(2000, 0), CPoint(2000, 900));   // a vertical one
    doc.m_snapGuides.AddX(7);
    doc.CollectConGuides(CPoint(250, 110), false);
    EXPECT_EQ(doc.m_snapGuides.m_nX, 0);   // cleared first; the vertical one is far away
    ASSERT_EQ(doc.m_snapGuides.m_nY, 1);
    EXPECT_EQ(doc.m_snapGuides.m_y[0], 100);
    doc.CollectConGuides(CPoint(2010, 400), true);
    ASSERT_EQ(doc.m_snapGuides.m_nX, 1);
    EXPECT_EQ(doc.m_snapGuides.m_x[0], 2000);

    // A figure off the grid: its centre, then each connector's far end
    // shifted by centre - near end.
    CFigure* f = AddTextFig(doc, 10, 10);   // centre (110, 60)
    CConnector* c = AddConBetween(doc, f, nullptr);
    c->EndPoint1 = CPoint(210, 60);
    c->EndPoint2 = CPoint(600, 90);
    EXPECT_EQ(doc.CollectConEndGuides(f, false), 1);
    ASSERT_EQ(doc.m_snapGuides.m_nX, 2);
    EXPECT_EQ(CPoint(doc.m_snapGuides.m_x[0], doc.m_snapGuides.m_y[0]), CPoint(110, 60));
    EXPECT_EQ(CPoint(doc.m_snapGuides.m_x[1], doc.m_snapGuides.m_y[1]), CPoint(500, 90));
}

TEST_F(DocTest, FigureRectanglesSnapWhileMovedAndResized)
{
    doc.m_bAlignToGrid = 1;
    doc.m_nSnapX = doc.m_nSnapY = 32;
    CFigure* f = AddTextFig(doc, 0, 0, 100, 100);
    f->m_props.Behavior.high = kSnapHighX | kSnapHighY;
    CRect out;
    ASSERT_TRUE(f->Resize(out, 9, 110, 70, true));
    EXPECT_EQ(f->m_rect, CRect(0, 0, 96, 64));   // the dragged corner on the grid
    EXPECT_EQ(out, f->m_rect);
    f->SetRectNoUndo(CRect(0, 0, 100, 100));
    f->Offset(5, 5, true, true);
    EXPECT_EQ(f->m_rect, CRect(0, 0, 100, 100));   // back onto the nearer grid sides
    f->Offset(5, 5, false, true);
    EXPECT_EQ(f->m_rect, CRect(5, 5, 105, 105));   // snap requests dropped for the move
    doc.m_bAlignToGrid = 0;
    ASSERT_TRUE(f->Resize(out, 9, 110, 70, true));
    EXPECT_EQ(f->m_rect, CRect(5, 5, 110, 70));
}

TEST_F(DocTest, NewObjectsStepDownAndRightUntilTheyLeaveTheView)
{
    doc.m_bAlignToGrid = 0;
    ResetPasteOffset();
    const CPoint centre = doc.m_rcPage.CenterPoint();
    EXPECT_EQ(doc.GetNewObjPos(), centre);
    EXPECT_EQ(doc.GetNewObjPos(), CPoint(centre.x + 16, centre.y + 16));
    EXPECT_EQ(doc.GetNewObjPos(), CPoint(centre.x + 32, centre.y + 32));
    EXPECT_EQ(doc.GetNewObjPos(), CPoint(centre.x + 48, centre.y + 48));
    CPoint p;
    int n = 4;
    do {
        p = doc.GetNewObjPos();
        ++n;
    } while (p != centre && n < 1000);
    EXPECT_EQ(p, centre);   // once it would leave the view: back in the middle
    EXPECT_GT(n, 50);

    // Snapping on: twice the snap steps, from the snapped centre.
    doc.m_bAlignToGrid = 1;
    doc.m_nSnapX = doc.m_nSnapY = 32;
    ResetPasteOffset();
    CPoint snapped = centre;
    SnapToGridStep(snapped.x, 32);
    SnapToGridStep(snapped.y, 32);
    EXPECT_EQ(doc.GetNewObjPos(), snapped);
    EXPECT_EQ(doc.GetNewObjPos(), CPoint(snapped.x + 64, snapped.y + 64));

    // A paste lands exactly at the paste point.
    doc.StartPasteOffset(CPoint(700, 900));
    EXPECT_EQ(doc.GetNewObjPos(), CPoint(700, 900));
    EXPECT_EQ(doc.GetNewObjPos(), CPoint(764, 964));
    EXPECT_TRUE(IsPasteOriginUnset());
}

TEST_F(DocTest, LifelinesTakeGuidesFromConnectorsThatStay)
{
    CFigProps fp;
    ASSERT_TRUE(doc.m_figStyles.AddFigStyle(&fp, "Lifeline", 0, 0, 0, "", "", 100, 50, "", "", nullptr, 0, ""));
    CFigure* life = AddTextFig(doc, 0, 0, 100, 600);
    life->m_nStyle = doc.m_figStyles.FindByName("Lifeline");
    life->ResetStockKind();
    CFigure* other = AddTextFig(doc, 1000, 250, 100, 100);
    CConnector* c = AddConBetween(doc, life, other);
    c->EndPoint1 = CPoint(50, 300);
    c->EndPoint2 = CPoint(1050, 300);
    doc.SelectObj(life, 1, 0, 0);
    ASSERT_TRUE(life->m_bFollow);
    doc.m_snapGuides.Clear();
    ASSERT_TRUE(doc.CollectMoveSetGuides());
    ASSERT_EQ(doc.m_snapGuides.m_nY, 1);
    EXPECT_EQ(doc.m_snapGuides.m_y[0], 300);
    EXPECT_EQ(doc.m_snapGuides.m_x[0], 1050);
    EXPECT_TRUE(life->m_nFixedAxes & 1);
    // Moving both ends: no guide.
    doc.SelectObj(other, 2, 0, 0);
    doc.m_snapGuides.Clear();
    EXPECT_FALSE(doc.CollectMoveSetGuides());
}

// The search box around the point is five snap steps wide and high: a
// connector two and a half steps away still gives its guide, one unit more
// does not. A figure centred on the grid gives no guide of its own.
TEST_F(DocTest, GuideSearchBoxIsFiveSnapStepsAndGridCentresAddNoGuide)
{
    doc.m_bAlignToGrid = 1;
    doc.m_nSnapX = doc.m_nSnapY = 32;
    AddFreeCon(doc, CPoint(0, 100), CPoint(500, 100));
    AddFreeCon(doc, CPoint(2000, 0), CPoint(2000, 900));
    struct {
        CPoint pt;
        int ys, xs;
    } cases[] = {
        {CPoint(250, 180), 1, 0}, {CPoint(250, 181), 0, 0}, {CPoint(250, 20), 1, 0}, {CPoint(250, 19), 0, 0},
        {CPoint(1920, 400), 0, 1}, {CPoint(1919, 400), 0, 0}, {CPoint(2080, 400), 0, 1}, {CPoint(2081, 400), 0, 0},
    };
    for (const auto& c : cases) {
        doc.CollectConGuides(c.pt, false);
        EXPECT_EQ(doc.m_snapGuides.m_nY, c.ys) << c.pt.x << "," << c.pt.y;
        EXPECT_EQ(doc.m_snapGuides.m_nX, c.xs) << c.pt.x << "," << c.pt.y;
    }
    doc.m_bAlignToGrid = 0;
    doc.m_snapGuides.AddX(7);
    doc.CollectConGuides(CPoint(250, 110), false);   // snapping off: left alone
    EXPECT_EQ(doc.m_snapGuides.m_nX, 1);

    doc.m_bAlignToGrid = 1;
    CFigure* f = AddTextFig(doc, 32, 32, 64, 64);   // centre (64, 64) on the grid
    CConnector* c = AddConBetween(doc, f, nullptr);
    c->EndPoint1 = CPoint(96, 64);
    c->EndPoint2 = CPoint(400, 80);
    EXPECT_EQ(doc.CollectConEndGuides(f, false), 1);
    ASSERT_EQ(doc.m_snapGuides.m_nX, 1);
    EXPECT_EQ(CPoint(doc.m_snapGuides.m_x[0], doc.m_snapGuides.m_y[0]), CPoint(368, 80));
}
