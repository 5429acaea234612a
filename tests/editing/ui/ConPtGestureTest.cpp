// Editing connection points in UI mode 7 on a real view offscreen: a click
// on a figure adds a point, a drag moves one, the context menu deletes one;
// each change is one undo step back to the saved text.
#include "ModeGestureFixture.h"

#include "document/ConPtPlace.h"
#include "undo/UndoCodes.h"

namespace {
constexpr int kCmdDelete = 32811, kCmdAdd = 32812;

CKavoView::ConPtMenuItems g_menuSeen;
int g_menuChoice = 0;
bool g_markedWhileMenu = false;
int FakeMenu(CKavoView& view, const CPoint&, const CKavoView::ConPtMenuItems& items)
{
    g_menuSeen = items;
    g_markedWhileMenu = view.IsConPtHoverShown();
    return g_menuChoice;
}

struct ConPtGestureTest : ModeGestureFixture {
    void SetUp() override
    {
        ModeGestureFixture::SetUp();
        CKavoView::SetConPtMenuRunner(FakeMenu);
        g_menuSeen = {};
        g_menuChoice = 0;
        EnterUIMode(7, 0);
        ASSERT_EQ(g_nUIMode, 7);
        Save();
    }
    void TearDown() override
    {
        CKavoView::SetConPtMenuRunner(nullptr);
        ModeGestureFixture::TearDown();
    }
    // A point on A at a quarter of its width and half its height; the state
    // is saved from here on.
    int AddPointToA()
    {
        if (!a->m_pConPts)
            a->m_pConPts = std::make_unique<CConPtList>();
        a->m_bHasConPts = 1;
        const int id = a->m_pConPts->AddConPt(CFltPoint(512, 1024), "", 0, true, -1);
        view->InvalidateAll();
        view->FlushPaint();
        Save();
        return id;
    }
    CPoint PointPos(const CFigure* f, int key) const
    {
        CPoint p;
        EXPECT_TRUE(f->m_pConPts && f->m_pConPts->GetConPtPoint(key, f->m_rect, p));
        return p;
    }
    int PointCount(const CFigure* f) const { return f->m_pConPts ? f->m_pConPts->GetCount() : 0; }
};
} // namespace

TEST_F(ConPtGestureTest, ClickOnAFigureAddsAPointThere)
{
    const QPoint spot = At(CPoint(750, 700));
    Hover(spot);
    EXPECT_EQ(view->StatusText(), "Click to add a connection point");
    Click(spot);
    ASSERT_EQ(PointCount(a), 1);
    const CPoint at = Logical(spot);
    const CConPt* p = a->m_pConPts->GetAt(0);
    EXPECT_EQ(p->m_pos.x, float((at.x - 600) * 2048 / 600));
    EXPECT_EQ(p->m_pos.y, float((at.y - 600) * 2048 / 450));
    EXPECT_EQ(p->m_nFlag, 0);
    EXPECT_EQ(Steps(), 1);
    Hover(spot);
    EXPECT_EQ(view->StatusText(), "Click to drag the connection point");
    ExpectUndoToSaved(UDMAC_ADDCONPT);
}

TEST_F(ConPtGestureTest, ClickOnEmptySpaceOrAJunctionBeeps)
{
    CFigure* jct = fx.doc.CreateFigAt(CPoint(1700, 1400), 1);
    fx.Connect(a, jct);   // a junction is a blank figure with connectors
    ASSERT_TRUE(jct->IsInvisible());
    Save();
    Hover(At(CPoint(1700, 2000)));
    EXPECT_EQ(view->StatusText(), "Click on a figure to add or move connection points");
    Click(At(CPoint(1700, 2000)));
    Click(At(jct->GetCenter()));
    EXPECT_EQ(g_modeBeeps, 2);
    EXPECT_EQ(Steps(), 0);
    EXPECT_EQ(DocText(fx.doc), saved);
}

TEST_F(ConPtGestureTest, DragMovesThePointByThePointersTravel)
{
    const int key = AddPointToA();
    const CPoint from = PointPos(a, key);
    const QPoint press = At(from);
    Drag(press, press + QPoint(30, 20));
    ASSERT_EQ(PointCount(a), 1);
    const CSize d = Logical(press + QPoint(30, 20)) - Logical(press);
    EXPECT_EQ(PointPos(a, key), from + d);
    EXPECT_FALSE(view->IsConPtDragging());
    EXPECT_EQ(Steps(), 1);
    ExpectUndoToSaved(UDMAC_MOVECONPT);
}

TEST_F(ConPtGestureTest, ShortDragOrEscapeLeavesThePoint)
{
    const int key = AddPointToA();
    const QPoint press = At(PointPos(a, key));
    Drag(press, press + QPoint(2, 1), Qt::NoModifier, 2);
    Press(press);
    Move(press + QPoint(40, 0));
    Key(Qt::Key_Escape);
    EXPECT_FALSE(view->IsConPtDragging());
    ExpectNoFeedbackLeft();
    Release(press + QPoint(40, 0));
    EXPECT_EQ(g_nUIMode, 7);
    EXPECT_EQ(Steps(), 0);
    EXPECT_EQ(DocText(fx.doc), saved);
}

TEST_F(ConPtGestureTest, MenuDeletesAnUnusedPoint)
{
    const int key = AddPointToA();
    g_menuChoice = kCmdDelete;
    RightClick(At(PointPos(a, key)));
    EXPECT_TRUE(g_menuSeen.hasPoint);
    EXPECT_TRUE(g_markedWhileMenu) << "the point is marked while the menu is open";
    EXPECT_TRUE(g_menuSeen.deleteEnabled);
    EXPECT_TRUE(g_menuSeen.addEnabled);
    EXPECT_EQ(PointCount(a), 0);
    EXPECT_EQ(g_nUIMode, 7);
    EXPECT_EQ(Steps(), 1);
    ExpectUndoToSaved(UDMAC_DELCONPT);
}

// A point a connector ends on is offered greyed, and the command leaves it.
TEST_F(ConPtGestureTest, MenuKeepsAPointInUse)
{
    const int key = AddPointToA();
    con->m_nConPtId1 = key;
    Save();
    g_menuChoice = kCmdDelete;
    RightClick(At(PointPos(a, key)));
    EXPECT_TRUE(g_menuSeen.hasPoint);
    EXPECT_FALSE(g_menuSeen.deleteEnabled);
    EXPECT_EQ(PointCount(a), 1);
    EXPECT_EQ(Steps(), 0);
}

TEST_F(ConPtGestureTest, MenuAddsAPointWhereItOpened)
{
    g_menuChoice = kCmdAdd;
    const QPoint spot = At(CPoint(1000, 900));
    RightClick(spot);
    EXPECT_FALSE(g_menuSeen.hasPoint);
    ASSERT_EQ(PointCount(b) + PointCount(a), 1);
    EXPECT_EQ(PointPos(a, a->m_pConPts->GetIdAt(0)), Logical(spot));
    ExpectUndoToSaved(UDMAC_ADDCONPT);
}

// The point under the pointer is marked; the mark goes when the pointer
// leaves the figures, the view or the mode.
TEST_F(ConPtGestureTest, HoverMarksThePointUnderThePointer)
{
    const int key = AddPointToA();
    Hover(At(PointPos(a, key)));
    EXPECT_TRUE(view->IsConPtHoverShown());
    Hover(At(CPoint(1700, 2000)));
    EXPECT_FALSE(view->IsConPtHoverShown());
    ExpectNoFeedbackLeft();
    Hover(At(PointPos(a, key)));
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(view.get(), &leave);
    EXPECT_FALSE(view->IsConPtHoverShown());
    ExpectNoFeedbackLeft();
    Hover(At(CPoint(700, 700)));   // where a click adds a point
    EXPECT_TRUE(view->IsConPtHoverShown());
    EnterUIMode(0, 0);
    Hover(At(CPoint(1700, 2000)));
    EXPECT_FALSE(view->IsConPtHoverShown());
    ExpectNoFeedbackLeft();
}

// Moving from one point straight to another moves the mark with the
// pointer: the view looks as if the pointer had come from empty space.
TEST_F(ConPtGestureTest, HoverMarkMovesFromPointToPoint)
{
    const int first = AddPointToA();
    const int second = a->m_pConPts->AddConPt(CFltPoint(1536, 1024), "", 0, true, -1);
    view->InvalidateAll();
    view->FlushPaint();
    Hover(At(CPoint(1700, 2000)));
    Hover(At(PointPos(a, second)));
    view->FlushPaint();
    const QImage direct = view->Surface().copy();
    Hover(At(CPoint(1700, 2000)));
    Hover(At(PointPos(a, first)));
    Hover(At(PointPos(a, second)));
    view->FlushPaint();
    EXPECT_TRUE(view->Surface() == direct);
}

// Each drag starts with nothing drawn: a second drag leaves no square of
// the first behind, and each moves the point by its own travel.
TEST_F(ConPtGestureTest, TwoDragsInARowLeaveNoMark)
{
    const int key = AddPointToA();
    const CPoint from = PointPos(a, key);
    const QPoint press = At(from);
    Drag(press, press + QPoint(30, 0));
    const QPoint again = At(PointPos(a, key));
    Drag(again, again + QPoint(0, 25));
    EXPECT_FALSE(view->IsConPtDragging());
    ExpectNoFeedbackLeft();
    EXPECT_EQ(PointPos(a, key), from + (Logical(press + QPoint(30, 0)) - Logical(press)) +
                                    (Logical(again + QPoint(0, 25)) - Logical(again)));
    EXPECT_EQ(Steps(), 2);
}

// Switching the use of connection points redraws the views: the points'
// marks go and come back at once, also where the mode stays the same.
TEST_F(ConPtGestureTest, UseConnectionPointsRedrawsTheMarks)
{
    const int show = ShowConnectionPoints, setting = EnableConPts;
    ShowConnectionPoints = 1;
    fx.doc.m_bEnableConPts = 1;
    AddPointToA();
    fx.doc.OnUseConPts();
    EXPECT_NE(g_nUIMode, 7);
    ExpectNoFeedbackLeft();
    fx.doc.OnUseConPts();
    EXPECT_EQ(fx.doc.m_bEnableConPts, 1);
    ExpectNoFeedbackLeft();
    ShowConnectionPoints = show;
    EnableConPts = setting;
}

// A click on a figure away from its points adds another point; only a
// press on a point picks it up.
TEST_F(ConPtGestureTest, AClickAwayFromAPointAddsAnother)
{
    const int key = AddPointToA();
    const CPoint first = PointPos(a, key);
    Click(At(CPoint(1050, 900)));
    ASSERT_EQ(PointCount(a), 2);
    EXPECT_EQ(PointPos(a, key), first);
    EXPECT_EQ(Steps(), 1);
    ExpectUndoToSaved(UDMAC_ADDCONPT);
}
