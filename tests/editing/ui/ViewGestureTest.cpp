// Editing with the mouse and keys on a real view offscreen: Qt's own mouse,
// key and wheel events go to the view, the document's state is checked, and
// undo takes the document back to its saved text byte for byte.
#include "ViewEventDriver.h"

#include "common/DiagramFixture.h"
#include "common/FakeAppContext.h"
#include "common/TestSupport.h"
#include "core/MessageBeep.h"
#include "core/Settings.h"
#include "core/UIMode.h"
#include "core/Units.h"
#include "document/CStaple.h"
#include "editing/GestureRules.h"
#include "editing/ui/CKavoView.h"
#include "editing/ui/TextEntrySeams.h"
#include "editing/ui/ViewCursors.h"
#include "fileformat/DiagramRecordWriter.h"
#include "keyword/KeywordStreams.h"
#include "richtext/FigureTextFit.h"
#include "shapes/FigFlags.h"
#include "undo/UndoCodes.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>
#include <gtest/gtest.h>

#include <functional>
#include <vector>
#include <string>

namespace {
struct ViewGestureTest : ViewEventDriver {
    void AddObjects() override
    {
        ShiftToSlide = 0;
        UndoableNavigation = 1;
        a = fx.AddBox(600, 600, 600, 450, "A");
        b = fx.AddBox(2400, 600, 600, 450, "B");
        con = fx.Connect(a, b);
    }
    void SetUp() override
    {
        ViewEventDriver::SetUp();
        Save();
    }

    int Px(int pixels) const { return view->ClientLenToLogical(pixels); }
    static int ChangedPixels(const QImage& a, const QImage& b)
    {
        int changed = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                changed += a.pixel(x, y) != b.pixel(x, y);
        return changed;
    }
    bool Selected(const CDiagObj* o) const { return o->m_bSelected != 0; }
    void ResetSteps() { stepBase = int(fx.doc.UndoLogRef().m_nStepsRecorded); }
    // Undo of the last step gives the saved text back.
    void ExpectUndoToSaved(int code)
    {
        EXPECT_EQ(fx.doc.UndoLastStep(), code);
        EXPECT_EQ(DocText(fx.doc), saved);
    }

    // A box with the three-row symbol, the state saved from here on.
    CFigure* AddThreeRowBox(int& rows);
    // Two boxes joined through a junction below the fixture's pair, one
    // line further down each time; the state is saved from here on.
    CFigure* AddJunctionLine(bool terminal, bool shapesDiffer)
    {
        const int y = 1200 + 300 * junctionLines++;
        CFigure* c = fx.AddBox(300, y, 300, 200, "C");
        CFigure* d = fx.AddBox(1500, y, 300, 200, "D");
        CFigure* jct = fx.doc.CreateFigAt(CPoint(1000, y + 92), 0);
        jctCons[0] = fx.Connect(c, jct);
        jctCons[1] = fx.Connect(jct, d);
        jct->TerminalJct = terminal ? 1 : 0;
        if (shapesDiffer)
            jctCons[1]->m_props.Behavior.low ^= 0x2;
        fx.doc.ResetUndoLog();
        saved = DocText(fx.doc);
        ResetSteps();
        return jct;
    }
    CConnector* jctCons[2] = {};
    int junctionLines = 0;

    CFigure* a = nullptr;
    CFigure* b = nullptr;
    CConnector* con = nullptr;
};
} // namespace

// ---- selecting

TEST_F(ViewGestureTest, ClicksSelectShiftAddsAndRemoves)
{
    Click(Centre(a));
    EXPECT_TRUE(Selected(a));
    EXPECT_FALSE(Selected(b));
    Click(Centre(b), Qt::ShiftModifier);
    EXPECT_TRUE(Selected(a));
    EXPECT_TRUE(Selected(b));
    Click(Centre(a), Qt::ShiftModifier);   // Shift on a selected one removes it
    EXPECT_FALSE(Selected(a));
    EXPECT_TRUE(Selected(b));
    Click(At(CPoint(1800, 2000)), Qt::ShiftModifier);   // empty space with Shift keeps it
    EXPECT_TRUE(Selected(b));
    Click(At(CPoint(1800, 2000)));   // without Shift clears it
    EXPECT_EQ(fx.doc.GetSelCount(), 0);
    // A press that moves less than the double-click width is a click.
    Press(Centre(a));
    Move(Centre(a) + QPoint(kDoubleClickWidth - 1, 0));
    Release(Centre(a) + QPoint(kDoubleClickWidth - 1, 0));
    EXPECT_TRUE(Selected(a));
    EXPECT_EQ(a->m_rect, CRect(600, 600, 1200, 1050));
    EXPECT_EQ(Steps(), 0);
    EXPECT_EQ(DocText(fx.doc), saved);
}

TEST_F(ViewGestureTest, BandSelectsWhatLiesInside)
{
    Drag(At(CPoint(300, 300)), At(CPoint(1500, 1300)));
    EXPECT_TRUE(Selected(a));
    EXPECT_FALSE(Selected(b));
    EXPECT_FALSE(view->IsBandShown());
    Drag(At(CPoint(300, 300)), At(CPoint(3300, 1300)));
    EXPECT_TRUE(Selected(a));
    EXPECT_TRUE(Selected(b));
    EXPECT_TRUE(Selected(con));
    // With Shift the band adds.
    Click(At(CPoint(1800, 2000)));
    Click(Centre(b));
    Drag(At(CPoint(300, 300)), At(CPoint(1500, 1300)), Qt::ShiftModifier);
    EXPECT_TRUE(Selected(a));
    EXPECT_TRUE(Selected(b));
    EXPECT_EQ(Steps(), 0);
    ExpectNoFeedbackLeft();
}

// ---- moving

TEST_F(ViewGestureTest, MoveDragIsOneUndoStep)
{
    const struct {
        const char* name;
        bool preselect;
        QPoint delta;
        Qt::KeyboardModifiers moveMods;
        bool selectedAfter;
    } cases[] = {
        {"selected figure", true, QPoint(40, 20), Qt::NoModifier, true},
        // A drag that starts on an unselected figure selects it for the drag
        // and deselects after.
        {"unselected figure", false, QPoint(-30, 25), Qt::NoModifier, false},
        // Shift during the drag keeps the larger displacement.
        {"axis lock", true, QPoint(40, 15), Qt::ShiftModifier, true},
        {"axis lock, tie", true, QPoint(30, 30), Qt::ShiftModifier, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fx.doc.OnDeselectAll();
        if (c.preselect)
            fx.doc.SelectObj(a, 1, 0, 0);
        const CRect r0 = a->m_rect;
        const QPoint from = Centre(a);
        Press(from);
        for (int i = 1; i <= 4; ++i)
            Move(from + c.delta * i / 4, c.moveMods);
        Release(from + c.delta, c.moveMods);
        QPoint d = c.delta;
        if (c.moveMods & Qt::ShiftModifier) {
            if (std::abs(d.x()) >= std::abs(d.y()))
                d.setY(0);
            else
                d.setX(0);
        }
        const CPoint expected = view->ClientPtToLogical(CPoint(from.x() + d.x(), from.y() + d.y()));
        const CPoint start = view->ClientPtToLogical(CPoint(from.x(), from.y()));
        EXPECT_EQ(a->m_rect.left - r0.left, expected.x - start.x);
        EXPECT_EQ(a->m_rect.top - r0.top, expected.y - start.y);
        EXPECT_EQ(Selected(a), c.selectedAfter);
        EXPECT_FALSE(view->IsMoveDragging());
        // The connector followed.
        EXPECT_EQ(con->EndPoint1.x, a->m_rect.right);
        ExpectUndoToSaved(UDMAC_MOVEOBJS);
        EXPECT_EQ(a->m_rect, r0);
    }
}

TEST_F(ViewGestureTest, MoveDragStaysInsideTheWorkSpace)
{
    fx.doc.SelectObj(a, 1, 0, 0);
    const CRect ws = view->WorkSpace();
    Drag(Centre(a), Centre(a) + QPoint(-5000, -5000));
    EXPECT_GE(a->m_rect.left, ws.left);
    EXPECT_GE(a->m_rect.top, ws.top);
    EXPECT_TRUE(a->m_rect.left == ws.left || a->m_rect.top == ws.top);
    ExpectUndoToSaved(UDMAC_MOVEOBJS);
}

// A figure with no neighbour to line up with and no flow to go into keeps
// to the grid (a connected one snaps to its neighbours first).
TEST_F(ViewGestureTest, MoveDragSnapsToTheGrid)
{
    CFigure* loose = fx.AddBox(1700, 1400, 600, 450, "Loose");
    SnapToFlows = 0;
    fx.doc.m_bAlignToGrid = 1;
    fx.doc.m_nSnapX = fx.doc.m_nSnapY = 64;
    fx.doc.SelectObj(loose, 1, 0, 0);
    Drag(Centre(loose), Centre(loose) + QPoint(37, 11));
    SnapToFlows = 1;
    EXPECT_EQ(loose->m_rect.left % 64, 0) << loose->m_rect.left;
    EXPECT_EQ(loose->m_rect.top % 64, 0) << loose->m_rect.top;
    EXPECT_NE(loose->m_rect.left, 1700);
}

// ---- resizing

TEST_F(ViewGestureTest, EachHandleResizesItsSides)
{
    // Sides, not about the centre.
    a->m_props.Behavior.high &= ~DWORD(256 | 512);
    saved = DocText(fx.doc);
    for (int handle : {1, 2, 3, 4, 6, 7, 8, 9}) {
        SCOPED_TRACE(handle);
        fx.doc.SelectObj(a, 1, 0, 0);
        view->FlushPaint();
        const CRect r0 = a->m_rect;
        const QPoint from = At(a->GetHandlePoint(handle));
        const QPoint delta(24, 18);
        Drag(from, from + delta);
        const int dx = Px(24), dy = view->ClientPtToLogical(CPoint(0, 18)).y - view->ClientPtToLogical(CPoint(0, 0)).y;
        const bool left = handle == 1 || handle == 4 || handle == 7, right = handle == 3 || handle == 6 || handle == 9;
        const bool top = handle <= 3, bottom = handle >= 7;
        EXPECT_NEAR(a->m_rect.left, r0.left + (left ? dx : 0), 1);
        EXPECT_NEAR(a->m_rect.right, r0.right + (right ? dx : 0), 1);
        EXPECT_NEAR(a->m_rect.top, r0.top + (top ? dy : 0), 1);
        EXPECT_NEAR(a->m_rect.bottom, r0.bottom + (bottom ? dy : 0), 1);
        EXPECT_FALSE(view->IsFigResizing());
        ExpectUndoToSaved(UDMAC_RESIZEFIG);
    }
}

TEST_F(ViewGestureTest, AFigureThatKeepsItsCentreResizesBothSides)
{
    ASSERT_TRUE(a->m_props.Behavior.high & 256);
    fx.doc.SelectObj(a, 1, 0, 0);
    const CRect r0 = a->m_rect;
    const QPoint from = At(a->GetHandlePoint(6));
    Drag(from, from + QPoint(30, 0));
    EXPECT_EQ(a->m_rect.CenterPoint().x, r0.CenterPoint().x);
    EXPECT_NEAR(a->m_rect.Width(), r0.Width() + 2 * Px(30), 2);
    EXPECT_EQ(a->m_rect.top, r0.top);
    ExpectUndoToSaved(UDMAC_RESIZEFIG);
}

TEST_F(ViewGestureTest, HandleHoverShowsTheSizeCursorAndPrompt)
{
    fx.doc.SelectObj(a, 1, 0, 0);
    const struct {
        int handle;
        Qt::CursorShape cursor;
    } cases[] = {{1, Qt::SizeFDiagCursor}, {9, Qt::SizeFDiagCursor}, {2, Qt::SizeVerCursor}, {8, Qt::SizeVerCursor},
                 {3, Qt::SizeBDiagCursor}, {7, Qt::SizeBDiagCursor}, {4, Qt::SizeHorCursor}, {6, Qt::SizeHorCursor}};
    for (const auto& c : cases) {
        Move(At(a->GetHandlePoint(c.handle)), Qt::NoModifier, Qt::NoButton);
        EXPECT_EQ(view->ViewCursor(), int(c.cursor)) << c.handle;
        EXPECT_EQ(view->StatusText().rfind("Click to resize", 0), 0u) << view->StatusText();
    }
    Move(Centre(a), Qt::NoModifier, Qt::NoButton);
    EXPECT_EQ(view->ViewCursor(), int(Qt::SizeAllCursor));
    EXPECT_EQ(view->StatusText().rfind("Click to move   CTRL: duplicate", 0), 0u) << view->StatusText();
    Move(At(CPoint(1800, 2000)), Qt::NoModifier, Qt::NoButton);
    EXPECT_EQ(view->StatusText().rfind("Click to select    CTRL: drag view", 0), 0u);
}

TEST_F(ViewGestureTest, ResizeRefusesRectanglesWithoutArea)
{
    // Without text nothing but the area limits the size.
    CFigure* e = fx.AddBox(600, 1500, 600, 450, "");
    e->m_props.Behavior.high &= ~DWORD(256 | 512);
    saved = DocText(fx.doc);
    ResetSteps();
    fx.doc.SelectObj(e, 1, 0, 0);
    const QPoint from = At(e->GetHandlePoint(6));
    const QPoint leftSide = At(CPoint(e->m_rect.left, e->m_rect.CenterPoint().y));
    Press(from);
    Move(from - QPoint(20, 0));
    const CRect accepted = view->ResizeTrackRect();
    Move(leftSide);   // no width left: refused, the outline stays
    EXPECT_EQ(view->ResizeTrackRect(), accepted);
    Release(leftSide);
    EXPECT_GT(e->m_rect.Width(), 0);
    EXPECT_EQ(e->m_rect, accepted);
    ExpectUndoToSaved(UDMAC_RESIZEFIG);
}

// A handle dragged past the work space leaves the outline at the last
// rectangle that fits, and the status keeps telling its size; back inside,
// the tracking goes on from there. A press and release without a move
// records nothing.
TEST_F(ViewGestureTest, ResizeStopsAtTheWorkSpaceAndGoesOnInside)
{
    a->m_props.Behavior.high &= ~DWORD(256 | 512);
    saved = DocText(fx.doc);
    ResetSteps();
    fx.doc.SelectObj(a, 1, 0, 0);
    // Zoomed out so that the work space's border lies inside the window.
    const int savedLimited = LimitedWorkspace;
    LimitedWorkspace = 1;
    view->ZoomToPercent(25);
    view->FlushPaint();
    LimitedWorkspace = savedLimited;
    ResetSteps();
    const CRect ws = view->WorkSpace();
    const CRect r0 = a->m_rect;
    const int y = r0.CenterPoint().y;
    const QPoint from = At(a->GetHandlePoint(6));
    Press(from);
    Release(from);
    EXPECT_EQ(Steps(), 0);
    EXPECT_EQ(a->m_rect, r0);
    const QPoint beyond = At(CPoint(ws.right + Px(20), y));
    ASSERT_TRUE(view->viewport()->rect().contains(beyond));
    Press(from);
    Move(At(CPoint(r0.right + 400, y)));
    const CRect fits = view->ResizeTrackRect();
    const std::string fitsStatus = view->StatusText();
    EXPECT_EQ(fitsStatus.rfind("Height: ", 0), 0u) << fitsStatus;
    Move(beyond);
    EXPECT_EQ(view->ResizeTrackRect(), fits);
    EXPECT_EQ(view->StatusText(), fitsStatus);
    const QPoint back = At(CPoint(ws.right - Px(20), y));
    Move(back);
    EXPECT_NE(view->StatusText(), fitsStatus);
    Release(back);
    EXPECT_NEAR(a->m_rect.right, ws.right - Px(20), Px(1) + 1);
    EXPECT_EQ(a->m_rect.left, r0.left);
    EXPECT_EQ(Steps(), 1);
    ExpectUndoToSaved(UDMAC_RESIZEFIG);
}

// A figure with text keeps at least the text's extent: dragged to nothing
// its side stops there.
TEST_F(ViewGestureTest, ResizeStopsAtTheTextExtent)
{
    a->m_props.Behavior.high &= ~DWORD(256 | 512);
    saved = DocText(fx.doc);
    fx.doc.SelectObj(a, 1, 0, 0);
    const CRect r0 = a->m_rect;
    const QPoint from = At(a->GetHandlePoint(9));
    const QPoint to = At(CPoint(r0.left + 5, r0.top + 5));
    Press(from);
    Move(to);
    Release(to);
    EXPECT_EQ(a->m_rect.TopLeft(), r0.TopLeft());
    EXPECT_GT(a->m_rect.Width(), 0);
    EXPECT_GT(a->m_rect.Height(), 0);
    EXPECT_LT(a->m_rect.Width(), r0.Width());
    int w = 0, h = 0;
    CalcTextExtent(*a, w, h, 0, false, nullptr);
    EXPECT_GE(a->m_rect.Width(), w);
    EXPECT_GE(a->m_rect.Height(), h);
    ExpectUndoToSaved(UDMAC_RESIZEFIG);
}

// Text that reflows into its area keeps its room by the side the drag
// follows: a side handle needs the width (height) the text takes at the
// other side's current length; a corner is limited as the side handle its
// drag follows more by the figure's proportions, measured from the
// opposite corner or, for a figure that keeps its centre, from the centre;
// a corner dragged outside such a figure keeps at least its size.
TEST_F(ViewGestureTest, ReflowingTextLimitsTheResizeByTheSideDragged)
{
    CFigure* e = fx.AddBox(600, 1500, 900, 160, "extraordinary circumstances notwithstanding");
    e->m_props.Behavior.low = (e->m_props.Behavior.low | kFigFlagReflowText) & ~kFitFromFontSizeFlag;
    const CRect r0 = e->m_rect;
    CSize atHeight(0, r0.Height()), atWidth(r0.Width(), 0);
    CalcSizeForOneSide(*e, atHeight);
    CalcSizeForOneSide(*e, atWidth);
    ASSERT_GT(atHeight.cx, 50) << atHeight.cx;
    ASSERT_LT(atHeight.cx, r0.Width() / 2);
    ASSERT_GT(atWidth.cy, 30) << atWidth.cy;
    ASSERT_LT(atWidth.cy, r0.Height() / 2);
    const CPoint c = r0.CenterPoint();
    const struct {
        int handle;
        bool aboutCentre;
        CPoint to;
        CSize size;   // the size the figure ends with
    } cases[] = {
        {6, false, CPoint(r0.left + 5, c.y), CSize(atHeight.cx, r0.Height())},
        {8, false, CPoint(c.x, r0.top + 5), CSize(r0.Width(), atWidth.cy)},
        // Mostly down the height: the width gives way to its minimum.
        {9, false, CPoint(r0.left + 5, r0.bottom - 40), CSize(atHeight.cx, r0.Height())},
        // Mostly along the width: the height gives way.
        {9, false, CPoint(r0.right - 40, r0.top + 5), CSize(r0.Width(), atWidth.cy)},
        {1, false, CPoint(r0.right - 5, r0.top + 40), CSize(atHeight.cx, r0.Height())},
        // From the centre the same corner drag reaches along the width.
        {9, true, CPoint(c.x + 300, c.y + 20), CSize(r0.Width(), atWidth.cy)},
        // Outside the figure the whole size stays at least.
        {9, true, CPoint(r0.right + 60, c.y + 20), CSize(r0.Width() + 120, r0.Height())},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(testing::Message() << k.handle << (k.aboutCentre ? " centre " : " corner ") << k.to.x << ","
                                        << k.to.y);
        if (k.aboutCentre)
            e->m_props.Behavior.high |= 256 | 512;
        else
            e->m_props.Behavior.high &= ~DWORD(256 | 512);
        saved = DocText(fx.doc);
        ResetSteps();
        fx.doc.SelectObj(e, 1, 0, 0);
        view->FlushPaint();
        const QPoint from = At(e->GetHandlePoint(k.handle));
        Press(from);
        Move(At(k.to));
        Release(At(k.to));
        EXPECT_NEAR(e->m_rect.Width(), k.size.cx, Px(3));
        EXPECT_NEAR(e->m_rect.Height(), k.size.cy, Px(3));
        ExpectUndoToSaved(UDMAC_RESIZEFIG);
        ASSERT_EQ(e->m_rect, r0);
    }
}

TEST_F(ViewGestureTest, AClickOnAHandleRecordsNothing)
{
    fx.doc.SelectObj(a, 1, 0, 0);
    Click(At(a->GetHandlePoint(9)));
    EXPECT_EQ(Steps(), 0);
    EXPECT_EQ(DocText(fx.doc), saved);
}

// ---- keys and wheel

TEST_F(ViewGestureTest, ArrowKeysSlideOrScroll)
{
    fx.doc.SelectObj(a, 1, 0, 0);
    Key(Qt::Key_Right);
    EXPECT_EQ(a->m_rect.left, 600 + std::max(1, Px(1)));
    ExpectUndoToSaved(UDMAC_MOVEOBJS);

    fx.doc.m_bAlignToGrid = 1;
    fx.doc.m_nSnapX = fx.doc.m_nSnapY = 32;
    Key(Qt::Key_Up);
    EXPECT_EQ(a->m_rect.top, 600 - 32);
    fx.doc.UndoLastStep();

    // Shift scrolls a quarter of the client; ShiftToSlide swaps the two.
    const CPoint anchor = view->GetViewAnchorPoint(kAnchorTopLeft);
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_NEAR(view->GetViewAnchorPoint(kAnchorTopLeft).y - anchor.y,
                view->ClientPtToLogical(CPoint(0, kClientH / 4)).y - view->ClientPtToLogical(CPoint(0, 0)).y, 1);
    EXPECT_EQ(a->m_rect.top, 600);
    ShiftToSlide = 1;
    Key(Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(a->m_rect.top, 632);
    ShiftToSlide = 0;
}

TEST_F(ViewGestureTest, SlideBeyondTheWorkSpaceIsRefused)
{
    fx.doc.SelectObj(a, 1, 0, 0);
    const CRect ws = view->WorkSpace();
    fx.doc.m_bAlignToGrid = 1;
    fx.doc.m_nSnapX = fx.doc.m_nSnapY = 600;
    fx.doc.UndoLogRef().ResetUndoLog();
    // Slide left until the work space stops it.
    for (int i = 0; i < 200 && a->m_rect.left - 600 >= ws.left; ++i)
        Key(Qt::Key_Left);
    const CRect stopped = a->m_rect;
    Key(Qt::Key_Left);
    EXPECT_EQ(a->m_rect, stopped);
    EXPECT_GE(a->m_rect.left, ws.left);
}

TEST_F(ViewGestureTest, WheelScrollsZoomsAndRunsOfScrollsAreOneStep)
{
    const CPoint anchor = view->GetViewAnchorPoint(kAnchorTopLeft);
    Wheel(119);
    Wheel(-119);
    EXPECT_EQ(view->GetViewAnchorPoint(kAnchorTopLeft), anchor);
    EXPECT_EQ(Steps(), 0);
    Wheel(-120);
    const CPoint line = view->GetViewAnchorPoint(kAnchorTopLeft);
    EXPECT_GT(line.y, anchor.y);
    EXPECT_EQ(line.x, anchor.x);
    Wheel(-240);
    EXPECT_GT(view->GetViewAnchorPoint(kAnchorTopLeft).y - line.y, line.y - anchor.y);   // a page
    Wheel(-120, Qt::ShiftModifier);
    EXPECT_GT(view->GetViewAnchorPoint(kAnchorTopLeft).x, anchor.x);
    EXPECT_EQ(Steps(), 1);   // one navigation step for the run
    EXPECT_EQ(fx.doc.UndoLogRef().GetLastUndoStepCode(), UDMAC_PAN);
    const float zoom = view->GetZoom();
    Wheel(-120, Qt::ControlModifier);
    EXPECT_LT(view->GetZoom(), zoom);
    Wheel(120, Qt::ControlModifier);
    EXPECT_FLOAT_EQ(view->GetZoom(), zoom);
    EXPECT_EQ(DocText(fx.doc), saved);
}

TEST_F(ViewGestureTest, CtrlDragOnEmptySpacePans)
{
    // At 200 % the page is larger than the window both ways.
    view->ZoomToPercent(200);
    view->ScrollToViewAnchorPoint(CPoint(600, 600), kAnchorTopLeft, true);
    saved = DocText(fx.doc);
    const CPoint anchor = view->GetViewAnchorPoint(kAnchorTopLeft);
    const QPoint from(500, 500);
    Press(from, Qt::ControlModifier);
    Move(from + QPoint(-40, -30), Qt::ControlModifier);
    EXPECT_EQ(view->ViewCursor(), int(Qt::ClosedHandCursor));
    Release(from + QPoint(-40, -30), Qt::ControlModifier);
    const CPoint now = view->GetViewAnchorPoint(kAnchorTopLeft);
    EXPECT_NEAR(now.x - anchor.x, Px(40), 2);
    EXPECT_NEAR(now.y - anchor.y, view->ClientPtToLogical(CPoint(0, 30)).y - view->ClientPtToLogical(CPoint(0, 0)).y, 2);
    EXPECT_EQ(fx.doc.GetSelCount(), 0);
    EXPECT_EQ(DocText(fx.doc), saved);
}

// ---- Escape and bad input

TEST_F(ViewGestureTest, EscapeCancelsTheGestureInProgress)
{
    const struct {
        const char* name;
        std::function<void()> start;
        bool navigation = false;   // the gesture scrolled: one navigation step
    } cases[] = {
        {"move drag",
         [&] {
             fx.doc.SelectObj(a, 1, 0, 0);
             Press(Centre(a));
             Move(Centre(a) + QPoint(30, 30));
         }},
        {"resize",
         [&] {
             fx.doc.SelectObj(a, 1, 0, 0);
             Press(At(a->GetHandlePoint(9)));
             Move(At(a->GetHandlePoint(9)) + QPoint(30, 30));
         }},
        {"band",
         [&] {
             Press(At(CPoint(300, 300)));
             Move(At(CPoint(1500, 1500)));
         }},
        {"pan",
         [&] {
             Press(QPoint(500, 500), Qt::ControlModifier);
             Move(QPoint(480, 480), Qt::ControlModifier);
         },
         true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fx.doc.OnDeselectAll();
        view->FlushPaint();
        c.start();
        EXPECT_TRUE(view->IsGestureInProgress());
        Key(Qt::Key_Escape);
        EXPECT_FALSE(view->IsGestureInProgress());
        Release(Centre(b));   // the release that follows does nothing
        if (c.navigation && Steps() == 1)
            EXPECT_EQ(fx.doc.UndoLogRef().GetLastUndoStepCode(), UDMAC_PAN);
        else
            EXPECT_EQ(Steps(), 0);
        ResetSteps();
        EXPECT_EQ(DocText(fx.doc), saved);
        EXPECT_EQ(a->m_rect, CRect(600, 600, 1200, 1050));
        ExpectNoFeedbackLeft();
    }
    // Escape with nothing in progress deselects.
    fx.doc.SelectObj(a, 1, 0, 0);
    Key(Qt::Key_Escape);
    EXPECT_EQ(fx.doc.GetSelCount(), 0);
}

TEST_F(ViewGestureTest, OddEventOrdersLeaveNothingHalfDone)
{
    const struct {
        const char* name;
        std::function<void()> events;
        int steps;   // complete undo steps afterwards: 0 or 1
    } cases[] = {
        {"release without a press", [&] { Release(Centre(a)); }, 0},
        {"second button during a drag",
         [&] {
             Press(Centre(a));
             Move(Centre(a) + QPoint(20, 0));
             Send(QEvent::MouseButtonPress, Centre(a) + QPoint(20, 0), Qt::RightButton,
                  Qt::LeftButton | Qt::RightButton);
             Move(Centre(a) + QPoint(30, 0));
             Release(Centre(a) + QPoint(30, 0));
         },
         1},
        {"a press while a drag runs",
         [&] {
             Press(Centre(a));
             Move(Centre(a) + QPoint(20, 0));
             Press(Centre(a) + QPoint(20, 0));
             Release(Centre(a) + QPoint(20, 0));
         },
         0},
        {"button released outside the window",
         [&] {
             Press(Centre(a));
             Move(Centre(a) + QPoint(20, 0));
             Move(Centre(a) + QPoint(25, 0), Qt::NoModifier, Qt::NoButton);
         },
         1},
        {"focus lost mid-drag",
         [&] {
             Press(Centre(a));
             Move(Centre(a) + QPoint(20, 0));
             QFocusEvent out(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
             QApplication::sendEvent(view.get(), &out);
             Release(Centre(a) + QPoint(20, 0));
         },
         0},
        {"view hidden mid-resize",
         [&] {
             Press(At(a->GetHandlePoint(9)));
             Move(At(a->GetHandlePoint(9)) + QPoint(20, 20));
             view->hide();
             Release(At(a->GetHandlePoint(9)) + QPoint(20, 20));
             view->show();
         },
         0},
        {"another document active",
         [&] {
             app.doc = nullptr;
             Press(Centre(a));
             Move(Centre(a) + QPoint(20, 0));
             Release(Centre(a) + QPoint(20, 0));
             app.doc = &fx.doc;
         },
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fx.doc.SelectObj(a, 1, 0, 0);
        fx.doc.UndoLogRef().ResetUndoLog();
        ResetSteps();
        view->FlushPaint();
        c.events();
        EXPECT_FALSE(view->IsGestureInProgress());
        EXPECT_FALSE(view->IsAutoScrolling());
        EXPECT_EQ(Steps(), c.steps);
        if (c.steps)
            ExpectUndoToSaved(UDMAC_MOVEOBJS);
        EXPECT_EQ(DocText(fx.doc), saved);
        ExpectNoFeedbackLeft();
    }
}

TEST_F(ViewGestureTest, TheDraggedOutlineIsShownAndLeavesNoTrace)
{
    // A box without connectors: what shows is its own outline.
    CFigure* lone = fx.AddBox(1600, 1200, 600, 450, "C");
    fx.doc.SelectObj(lone, 1, 0, 0);
    view->FlushPaint();
    const QImage before = view->Surface().copy();
    Press(Centre(lone));
    Move(Centre(lone) + QPoint(40, 30));
    const QImage during = view->Surface().copy();
    int changed = 0;
    for (int y = 0; y < before.height(); ++y)
        for (int x = 0; x < before.width(); ++x)
            changed += before.pixel(x, y) != during.pixel(x, y);
    // The outline at the moved place: at least its four sides' pixels.
    const int w = view->LogicalLenToClient(600), h = view->LogicalLenToClient(450);
    EXPECT_GE(changed, w + h);
    Release(Centre(lone) + QPoint(40, 30));
    ExpectNoFeedbackLeft();
}

// The resize outline is drawn at the tracked rectangle, with no centre
// cross (that marks a moved figure), and goes with the release.
TEST_F(ViewGestureTest, TheResizeOutlineIsShownAndLeavesNoTrace)
{
    CFigure* lone = fx.AddBox(1600, 1200, 600, 450, "");
    lone->m_props.Behavior.high &= ~DWORD(256 | 512);
    Save();
    fx.doc.SelectObj(lone, 1, 0, 0);
    view->FlushPaint();
    const QImage before = view->Surface().copy();
    const QPoint from = At(lone->GetHandlePoint(9));
    Press(from);
    Move(from + QPoint(40, 30));
    const QImage during = view->Surface().copy();
    const CRect track = view->ResizeTrackRect();
    EXPECT_GE(ChangedPixels(before, during),
              view->LogicalLenToClient(track.Width()) + view->LogicalLenToClient(track.Height()));
    const QPoint c = At(track.CenterPoint());
    int nearCentre = 0;
    for (int dy = -3; dy <= 3; ++dy)
        for (int dx = -3; dx <= 3; ++dx)
            nearCentre += during.pixel(c + QPoint(dx, dy)) != before.pixel(c + QPoint(dx, dy));
    EXPECT_EQ(nearCentre, 0) << "a cross at the centre";
    Release(from + QPoint(40, 30));
    EXPECT_EQ(lone->m_rect, track);
    ExpectNoFeedbackLeft();
    ExpectUndoToSaved(UDMAC_RESIZEFIG);
}

// ---- junctions

TEST_F(ViewGestureTest, ABendOfOneLineIsNeitherSelectedNorAdjusted)
{
    const struct {
        const char* name;
        bool terminal, shapesDiffer;
        bool bend;
    } cases[] = {
        {"two connectors of one shape", false, false, true},
        {"a terminal junction", true, false, false},
        {"connectors of different shapes", false, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CFigure* jct = AddJunctionLine(c.terminal, c.shapesDiffer);
        ASSERT_TRUE(jct->IsInvisible());
        fx.doc.OnDeselectAll();
        Move(Centre(jct), Qt::NoModifier, Qt::NoButton);
        EXPECT_EQ(view->StatusText().rfind("Click to adjust connector", 0) == 0, !c.bend);
        Click(Centre(jct));
        EXPECT_EQ(Selected(jct), !c.bend);
        EXPECT_EQ(Steps(), 0);
        EXPECT_EQ(DocText(fx.doc), saved);
    }
}

TEST_F(ViewGestureTest, AJunctionIsDraggedAloneByItsCentre)
{
    const struct {
        const char* name;
        bool preselect;
        bool escape;   // Escape before the release
        bool selectedAfter;
    } cases[] = {
        {"selected junction", true, false, true},
        // Dragged straight from its centre: selected for the drag only.
        {"unselected junction", false, false, false},
        {"escape mid-drag", true, true, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CFigure* jct = AddJunctionLine(true, false);
        fx.doc.OnDeselectAll();
        if (c.preselect)
            fx.doc.SelectObj(jct, 1, 0, 0);
        const CRect r0 = jct->m_rect;
        const QPoint from = Centre(jct), delta(30, 40);
        Press(from);
        for (int i = 1; i <= 4; ++i)
            Move(from + delta * i / 4);
        EXPECT_TRUE(view->IsJctDragging());
        EXPECT_FALSE(view->IsMoveDragging());
        if (c.escape)
            Key(Qt::Key_Escape);
        Release(from + delta);
        EXPECT_FALSE(view->IsGestureInProgress());
        EXPECT_EQ(Selected(jct), c.selectedAfter);
        ExpectNoFeedbackLeft();
        if (c.escape) {
            EXPECT_EQ(Steps(), 0);
            EXPECT_EQ(DocText(fx.doc), saved);
            continue;
        }
        const CPoint moved = view->ClientPtToLogical(CPoint(from.x() + delta.x(), from.y() + delta.y()));
        const CPoint start = view->ClientPtToLogical(CPoint(from.x(), from.y()));
        EXPECT_EQ(jct->m_rect, r0 + CPoint(moved.x - start.x, moved.y - start.y));
        // Only the junction moved; its connectors' ends followed it.
        const CRect c0 = jctCons[0]->m_pFig1->m_rect;
        EXPECT_EQ(c0.left, 300);
        EXPECT_EQ(jctCons[1]->m_pFig2->m_rect.left, 1500);
        const CPoint end = jctCons[0]->EndPoint2, mid = jct->m_rect.CenterPoint();
        EXPECT_LE(std::abs(end.x - mid.x) + std::abs(end.y - mid.y), 16);
        EXPECT_EQ(Steps(), 1);
        ExpectUndoToSaved(UDMAC_MOVEOBJS);
    }
}

// Escape on a junction that was pressed but never moved takes the outline
// drawn at the press away again: the junction's area repainted at the press
// must match a full repaint, or erasing the inverted outline over its
// smoothed line leaves a trace.
TEST_F(ViewGestureTest, EscapeOnAPressedJunctionLeavesNoTrace)
{
    CFigure* jct = AddJunctionLine(true, false);
    fx.doc.SelectObj(jct, 1, 0, 0);
    view->FlushPaint();
    const QPoint at = Centre(jct);
    Press(at);
    ASSERT_TRUE(view->IsJctDragging());
    Key(Qt::Key_Escape);
    EXPECT_FALSE(view->IsJctDragging());
    ExpectNoFeedbackLeft();
    Release(at);
    EXPECT_FALSE(view->IsGestureInProgress());
    EXPECT_TRUE(Selected(jct));
    EXPECT_EQ(Steps(), 0);
    EXPECT_EQ(DocText(fx.doc), saved);
    ExpectNoFeedbackLeft();
}

TEST_F(ViewGestureTest, AltPressSplitsALineWithAJunctionAndDragsIt)
{
    const QPoint from = At(CPoint(1800, 825)), to = from + QPoint(0, 40);
    Press(from, Qt::AltModifier);
    ASSERT_TRUE(view->IsJctDragging());
    EXPECT_EQ(view->ViewCursor(), int(kCursorAdjust));
    for (int i = 1; i <= 4; ++i)
        Move(from + (to - from) * i / 4, Qt::AltModifier);
    Release(to, Qt::AltModifier);
    EXPECT_FALSE(view->IsGestureInProgress());
    ASSERT_EQ(fx.doc.GetConCount(), 2);
    EXPECT_EQ(Steps(), 2);   // the split, then the drag
    CFigure* jct = fx.doc.GetFirstSelFig(0, 1);
    ASSERT_TRUE(jct && jct->IsInvisible());
    EXPECT_EQ(jct->m_nConnected, 2);
    EXPECT_NEAR(jct->GetCenter().x, 1800, Px(1) + 1);   // split where pressed
    EXPECT_GT(jct->GetCenter().y, 825);
    ExpectNoFeedbackLeft();
    EXPECT_EQ(a->m_rect, CRect(600, 600, 1200, 1050));
    EXPECT_EQ(b->m_rect, CRect(2400, 600, 3000, 1050));
    EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_MOVEOBJS);
    ExpectUndoToSaved(UDMAC_SPLITCON);
}

// ---- label slide

TEST_F(ViewGestureTest, AConnectorLabelSlidesAlongItsConnector)
{
    CFigure* label = fx.AddBox(1700, 700, 200, 100, "L");
    label->m_bLabel = 1;
    CStaple* staple = fx.doc.CreateConLblStaple(con, label->GetCenter(), label);
    ASSERT_TRUE(staple);
    fx.doc.UpdateAllStaples(0);
    ASSERT_TRUE(label->IsConLabel());
    view->InvalidateAll();   // placed behind the view's back
    fx.doc.ResetUndoLog();
    saved = DocText(fx.doc);
    ResetSteps();
    const struct {
        const char* name;
        bool preselect, escape, selectedAfter;
    } cases[] = {
        {"escape mid-slide", true, true, true},
        {"selected label", true, false, true},
        {"unselected label: selected for the slide only", false, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fx.doc.OnDeselectAll();
        if (c.preselect)
            fx.doc.SelectObj(label, 1, 0, 0);
        const int pos0 = staple->ConPos;
        const CPoint centre0 = label->GetCenter();
        const QPoint from = Centre(label), to = from + QPoint(80, 10);
        Press(from);
        for (int i = 1; i <= 4; ++i)
            Move(from + (to - from) * i / 4);
        EXPECT_TRUE(view->IsLabelSliding());
        EXPECT_FALSE(view->IsMoveDragging());
        if (c.escape)
            Key(Qt::Key_Escape);
        Release(to);
        EXPECT_FALSE(view->IsGestureInProgress());
        EXPECT_EQ(Selected(label), c.selectedAfter);
        ExpectNoFeedbackLeft();
        if (c.escape) {
            EXPECT_EQ(Steps(), 0);
            EXPECT_EQ(DocText(fx.doc), saved);
            continue;
        }
        // Further along the line, still on it.
        EXPECT_GT(staple->ConPos, pos0);
        EXPECT_GT(label->GetCenter().x, centre0.x);
        EXPECT_EQ(Steps(), 1);
        ExpectUndoToSaved(UDMAC_SLIDELBL);
        ResetSteps();
    }
}

TEST_F(ViewGestureTest, AFreeLabelDroppedOnALineBecomesItsLabel)
{
    const struct {
        const char* name;
        Qt::KeyboardModifiers moveMods;
        bool attached;
    } cases[] = {
        {"onto the line", Qt::NoModifier, true},
        {"Ctrl held: freeform", Qt::ControlModifier, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CFigure* label = fx.AddBox(1700, 1500, 200, 100, "L");
        label->m_bLabel = 1;
        fx.doc.ResetUndoLog();
        saved = DocText(fx.doc);
        ResetSteps();
        fx.doc.SelectObj(label, 1, 0, 0);
        const QPoint from = Centre(label), to = At(CPoint(1800, 825)) + QPoint(0, 1);
        Press(from);
        for (int i = 1; i <= 4; ++i)
            Move(from + (to - from) * i / 4, c.moveMods);
        EXPECT_EQ(view->StatusText().rfind("Drop to attach as connector label", 0) == 0, c.attached);
        Release(to, c.moveMods);
        EXPECT_EQ(label->IsConLabel(), c.attached);
        EXPECT_EQ(label->m_bTemp, 0);
        EXPECT_EQ(Steps(), c.attached ? 2 : 1);   // the move, then the attachment
        if (c.attached) {
            EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_ATTACHLBLASCONLBL);
        }
        ExpectUndoToSaved(UDMAC_MOVEOBJS);
        fx.doc.OnDeselectAll();
        label->m_rect = CRect(3000, 3000, 3200, 3100);   // out of the next row's way
    }
}

// ---- flow insertion

TEST_F(ViewGestureTest, AFigureDroppedOntoALineIsInsertedIntoIt)
{
    const CPoint onLine(1800, 825);   // on the connector from A to B
    const struct {
        const char* name;
        CPoint start;   // the lone box's top-left
        bool attached;  // the box already has a connector
        Qt::KeyboardModifiers moveMods;
        bool inserted;
    } cases[] = {
        {"onto the line", CPoint(1500, 1500), false, Qt::NoModifier, true},
        {"Ctrl held: freeform", CPoint(1500, 1500), false, Qt::ControlModifier, false},
        {"a box with a connector", CPoint(1500, 1500), true, Qt::NoModifier, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        CFigure* box = fx.AddBox(c.start.x, c.start.y, 300, 200, "C");
        if (c.attached)
            fx.Connect(a, box);
        fx.doc.ResetUndoLog();
        saved = DocText(fx.doc);
        ResetSteps();
        fx.doc.SelectObj(box, 1, 0, 0);
        const int cons = fx.doc.GetConCount();
        const QPoint from = Centre(box), to = At(onLine) + QPoint(1, 2);
        Press(from);
        for (int i = 1; i <= 4; ++i)
            Move(from + (to - from) * i / 4, c.moveMods);
        EXPECT_EQ(view->StatusText().find("DROP: insert into flow") != std::string::npos, c.inserted);
        Release(to, c.moveMods);
        EXPECT_EQ(Steps(), 1);
        EXPECT_EQ(box->m_nConnected, (c.inserted ? 2 : 0) + (c.attached ? 1 : 0));
        // Split in two halves.
        EXPECT_EQ(fx.doc.GetConCount(), cons + (c.inserted ? 1 : 0));
        if (c.inserted) {   // the centre landed on the line
            EXPECT_EQ(box->GetCenter().y, onLine.y);
        }
        ExpectUndoToSaved(UDMAC_MOVEOBJS);
        fx.doc.OnDeselectAll();
        box->m_rect = CRect(3000, 3000, 3300, 3200);   // out of the next row's way
    }
}

TEST_F(ViewGestureTest, ADropOntoABendReplacesIt)
{
    CFigure* jct = AddJunctionLine(false, false);
    CFigure* box = fx.AddBox(900, 1800, 300, 200, "E");
    fx.doc.ResetUndoLog();
    saved = DocText(fx.doc);
    ResetSteps();
    Drag(Centre(box), Centre(jct));
    EXPECT_LT(fx.doc.m_pObjList->Find(jct), 0);
    EXPECT_EQ(box->m_nConnected, 2);
    EXPECT_EQ(Steps(), 1);
    ExpectUndoToSaved(UDMAC_MOVEOBJS);
}

// A figure already on the line and dropped where it was: the move records
// nothing, and the insertion takes a step of its own rather than joining the
// step before.
TEST_F(ViewGestureTest, AnInsertionWithoutAMoveIsAStepOfItsOwn)
{
    CFigure* box = fx.AddBox(1650, 725, 300, 200, "C");
    CFigure* other = fx.AddBox(300, 1500, 300, 200, "F");
    fx.doc.ResetUndoLog();
    fx.doc.SelectObj(other, 1, 0, 0);
    fx.doc.MoveSelection(0, 300, 0, true);   // an earlier, unrelated step
    const std::string before = DocText(fx.doc);
    fx.doc.SelectObj(box, 1, 0, 0);
    ResetSteps();
    const QPoint from = Centre(box);
    Press(from);
    Move(from + QPoint(0, 60));
    Move(from);
    Release(from);
    EXPECT_EQ(box->m_nConnected, 2);
    EXPECT_EQ(Steps(), 1);
    EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_SPLITCON);
    EXPECT_EQ(DocText(fx.doc), before);
    EXPECT_EQ(other->m_rect.top, 1800);
}

TEST_F(ViewGestureTest, OneGestureModesReturnToSelectAfterTheRelease)
{
    const struct {
        int mode;
        int selectAfterFigure, autoEdit, selectAfterConnector;
        int modeAfter;
    } cases[] = {
        {2, 1, 0, 0, 0},   // figure creation that asks for select mode afterwards
        {2, 1, 1, 0, 2},   // text editing after creation keeps the mode
        {2, 0, 0, 0, 2},
        {4, 0, 0, 1, 4},   // connector drawing reads the flag itself
        {5, 1, 0, 1, 5},
    };
    for (const auto& c : cases) {
        SelectAfterFigureCreate = c.selectAfterFigure;
        AutoEditOnCreate = c.autoEdit;
        SelectAfterConnectorCreate = c.selectAfterConnector;
        g_nUIMode = c.mode;
        Click(At(CPoint(1800, 2000)));
        EXPECT_EQ(g_nUIMode, c.modeAfter) << c.mode << " " << c.selectAfterFigure << c.autoEdit;
        g_nUIMode = 0;
    }
    SelectAfterFigureCreate = AutoEditOnCreate = SelectAfterConnectorCreate = 0;
}

// A typed control character is ignored in every mode; a printable one is
// refused with a beep while drawing connectors or zooming.
static int g_typedBeeps = 0;
TEST_F(ViewGestureTest, ControlCharactersAreIgnoredAndSomeModesRefuseTyping)
{
    const MessageBeepHandler before = SetMessageBeepHandler([](UINT) { ++g_typedBeeps; });
    const struct {
        int mode;
        const char* text;
        int beeps;
    } cases[] = {
        {0, "\x01", 0}, {1, "\x1f", 0}, {4, "\x01", 0}, {5, "\x1f", 0}, {4, "x", 1}, {5, "x", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mode << " " << int(c.text[0]));
        g_nUIMode = c.mode;
        g_typedBeeps = 0;
        Move(At(CPoint(1800, 2000)), Qt::NoModifier, Qt::NoButton);
        QKeyEvent e(QEvent::KeyPress, 0, Qt::NoModifier, QString::fromLatin1(c.text));
        QApplication::sendEvent(view.get(), &e);
        EXPECT_EQ(g_typedBeeps, c.beeps);
        EXPECT_EQ(g_nUIMode, c.mode);
        EXPECT_EQ(Steps(), 0);
        EXPECT_EQ(DocText(fx.doc), saved);
    }
    g_nUIMode = 0;
    SetMessageBeepHandler(before);
}

TEST_F(ViewGestureTest, StatusTextFollowsTheGesture)
{
    Metric = 1;
    fx.doc.SelectObj(a, 1, 0, 0);
    Press(Centre(a));
    Move(Centre(a) + QPoint(10, 0));
    EXPECT_EQ(view->StatusText().rfind("X: ", 0), 0u) << view->StatusText();
    EXPECT_NE(view->StatusText().find(" cm  Y: "), std::string::npos);
    Release(Centre(a) + QPoint(10, 0));
    EXPECT_EQ(view->StatusText(), "Press ALT to choose commands");
    fx.doc.SelectObj(a, 1, 0, 0);
    Press(At(a->GetHandlePoint(9)));
    Move(At(a->GetHandlePoint(9)) + QPoint(10, 10));
    EXPECT_EQ(view->StatusText().rfind("Height: ", 0), 0u) << view->StatusText();
    Key(Qt::Key_Escape);
    Metric = 0;
    Press(At(CPoint(1800, 2000)));
    EXPECT_EQ(view->StatusText(), "Drag rectangle around objects to select");
    Release(At(CPoint(1800, 2000)));
}

TEST_F(ViewGestureTest, AutoScrollRunsOnlyWhileADragIsOutside)
{
    fx.doc.SelectObj(a, 1, 0, 0);
    Press(Centre(a));
    Move(Centre(a) + QPoint(10, 0));
    EXPECT_FALSE(view->IsAutoScrolling());
    Move(QPoint(kClientW + 20, 300));
    EXPECT_TRUE(view->IsAutoScrolling());
    Move(QPoint(400, 300));   // back inside
    EXPECT_FALSE(view->IsAutoScrolling());
    Move(QPoint(-20, 300));
    EXPECT_TRUE(view->IsAutoScrolling());
    Release(QPoint(-20, 300));
    EXPECT_FALSE(view->IsAutoScrolling());
    // Hovering outside without a drag never starts it.
    Move(QPoint(kClientW + 20, 300), Qt::NoModifier, Qt::NoButton);
    EXPECT_FALSE(view->IsAutoScrolling());
}

TEST_F(ViewGestureTest, CtrlDragDuplicatesOnceTheMouseHasTravelled)
{
    const int figures = fx.doc.m_pObjList->m_nFigCount;
    // Shorter than the double-click width: no duplicate, no step.
    fx.doc.SelectObj(a, 1, 0, 0);
    Press(Centre(a), Qt::ControlModifier);
    Move(Centre(a) + QPoint(2, 1), Qt::ControlModifier);
    Release(Centre(a) + QPoint(2, 1), Qt::ControlModifier);
    EXPECT_EQ(fx.doc.m_pObjList->m_nFigCount, figures);
    EXPECT_EQ(Steps(), 0);
    EXPECT_FALSE(view->IsGestureInProgress());

    const struct {
        const char* name;
        bool preselect;
    } cases[] = {{"selected figure", true}, {"unselected figure, nothing selected", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fx.doc.OnDeselectAll();
        if (c.preselect)
            fx.doc.SelectObj(a, 1, 0, 0);
        ResetSteps();
        const QPoint from = Centre(a);
        Drag(from, from + QPoint(0, 80), Qt::ControlModifier);
        EXPECT_EQ(fx.doc.m_pObjList->m_nFigCount, figures + 1);
        EXPECT_EQ(a->m_rect, CRect(600, 600, 1200, 1050));   // the original stays
        auto* copy = static_cast<CFigure*>(fx.doc.m_pObjList->GetAt(fx.doc.m_pObjList->GetCount() - 1));
        ASSERT_EQ(copy->GetType(), kObjFigure);
        EXPECT_EQ(copy->m_rect.left, 600);
        EXPECT_GT(copy->m_rect.top, 600);
        EXPECT_EQ(copy->m_rect.Size(), a->m_rect.Size());
        EXPECT_EQ(Steps(), 2);   // the duplicate, then its move
        EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_MOVEOBJS);
        ExpectUndoToSaved(UDMAC_DUPLICATE);
        EXPECT_EQ(fx.doc.m_pObjList->m_nFigCount, figures);
    }
}

TEST_F(ViewGestureTest, ScrollBarActionsAreOneNavigationStep)
{
    const CPoint anchor = view->GetViewAnchorPoint(kAnchorTopLeft);
    view->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    view->verticalScrollBar()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_GT(view->GetViewAnchorPoint(kAnchorTopLeft).y, anchor.y);
    EXPECT_EQ(Steps(), 1);
    EXPECT_EQ(fx.doc.UndoLogRef().GetLastUndoStepCode(), UDMAC_PAN);
    // A scroll the program makes itself is no step.
    view->ScrollToViewAnchorPoint(anchor, kAnchorTopLeft, true);
    EXPECT_EQ(Steps(), 1);
    EXPECT_EQ(DocText(fx.doc), saved);
}

TEST_F(ViewGestureTest, GroupHandlesResizeTheWholeGroup)
{
    fx.doc.SelectObj(a, 1, 0, 0);
    fx.doc.SelectObj(b, 2, 0, 0);
    fx.doc.OnGroup();
    ASSERT_TRUE(a->m_pGroup);
    CGroup* group = a->m_pGroup;
    fx.doc.ResetUndoLog();
    saved = DocText(fx.doc);
    ResetSteps();
    fx.doc.SelectObj(a, 1, 0, 0);
    view->FlushPaint();
    CRect before;
    group->GetBounds(before, 0, 0);
    // Hovering the group's corner: the size cursor and the group prompt.
    const QPoint corner = At(group->GetHandlePoint(9));
    Move(corner, Qt::NoModifier, Qt::NoButton);
    EXPECT_EQ(view->ViewCursor(), int(Qt::SizeFDiagCursor));
    EXPECT_EQ(view->StatusText().rfind("Click to resize group", 0), 0u) << view->StatusText();
    // The figure's own handle inside the group is no figure resize.
    view->FlushPaint();
    const QImage shown = view->Surface().copy();
    Press(corner);
    EXPECT_TRUE(view->IsGrpResizing());
    EXPECT_FALSE(view->IsFigResizing());
    Move(corner + QPoint(-60, -20));
    // The group's outline follows the drag.
    view->FlushPaint();
    const CRect track = view->ResizeTrackRect();
    EXPECT_GE(ChangedPixels(shown, view->Surface()), view->LogicalLenToClient(track.Width()))
        << "no outline while dragging";
    EXPECT_NE(view->StatusText().find('%'), std::string::npos) << view->StatusText();
    // The per cent is the tracked width against the width at the start.
    const std::string status = view->StatusText();
    const size_t pc = status.find('%'), sp = status.rfind(' ', pc);
    ASSERT_NE(sp, std::string::npos) << status;
    EXPECT_NEAR(std::stoi(status.substr(sp + 1, pc - sp - 1)),
                100.0 * view->ResizeTrackRect().Width() / before.Width(), 0.5)
        << status;
    Release(corner + QPoint(-60, -20));
    EXPECT_FALSE(view->IsGrpResizing());
    CRect after;
    group->GetBounds(after, 0, 0);
    EXPECT_LT(after.Width(), before.Width());
    EXPECT_EQ(after.TopLeft(), before.TopLeft());
    // The aspect is kept.
    EXPECT_NEAR(double(after.Height()) / after.Width(), double(before.Height()) / before.Width(), 0.02);
    EXPECT_LT(a->m_rect.Width(), 600);
    EXPECT_EQ(Steps(), 1);
    ExpectUndoToSaved(UDMAC_RESIZEGRP);
    ExpectNoFeedbackLeft();
}

CFigure* ViewGestureTest::AddThreeRowBox(int& rows)
{
    rows = fx.AddRowsSymbol();
    CFigure* d = fx.AddBox(1500, 1100, 600, 600, "D");
    d->m_props.Symbol = rows;
    fx.doc.ResetUndoLog();
    saved = DocText(fx.doc);
    ResetSteps();
    return d;
}

TEST_F(ViewGestureTest, DividerDragReshapesAPrivateCopyOfTheSymbol)
{
    int rows = -1;
    CFigure* d = AddThreeRowBox(rows);
    view->FlushPaint();
    const int symbols = fx.doc.m_figSymbols.GetCount();
    CPoint handle;
    ASSERT_TRUE(d->GetSymbol()->GetDividerHandle(0, handle, d->m_rect));
    Move(At(handle), Qt::NoModifier, Qt::NoButton);
    EXPECT_EQ(view->ViewCursor(), int(Qt::SplitVCursor));
    EXPECT_EQ(view->StatusText().rfind("Click to reshape", 0), 0u) << view->StatusText();

    // Escape mid-drag: the copy is gone and the figure as it was.
    Press(At(handle));
    Move(At(handle) + QPoint(0, 25));
    EXPECT_TRUE(view->IsDividerDragging());
    EXPECT_EQ(fx.doc.m_figSymbols.GetCount(), symbols + 1);
    Key(Qt::Key_Escape);
    EXPECT_FALSE(view->IsDividerDragging());
    EXPECT_FALSE(view->HoldsMouse()) << "the mouse is free again";
    EXPECT_EQ(fx.doc.m_figSymbols.GetCount(), symbols);
    EXPECT_EQ(d->m_props.Symbol, rows);
    EXPECT_EQ(Steps(), 0);
    EXPECT_EQ(DocText(fx.doc), saved);

    // A drag: one step, the figure on its own copy with the divider moved.
    Drag(At(handle), At(handle) + QPoint(0, 25));
    EXPECT_FALSE(view->HoldsMouse());
    EXPECT_EQ(Steps(), 1);
    EXPECT_NE(d->m_props.Symbol, rows);
    EXPECT_EQ(fx.doc.m_figSymbols.GetCount(), symbols + 1);
    CPoint moved;
    ASSERT_TRUE(d->GetSymbol()->GetDividerHandle(0, moved, d->m_rect));
    EXPECT_GT(moved.y, handle.y + 40);
    // The other divider stays.
    CPoint second, secondBefore;
    ASSERT_TRUE(d->GetSymbol()->GetDividerHandle(1, second, d->m_rect));
    ASSERT_TRUE(fx.doc.m_figSymbols.GetAt(rows)->GetDividerHandle(1, secondBefore, d->m_rect));
    EXPECT_EQ(second, secondBefore);
    const int copy = d->m_props.Symbol;
    EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_RESHAPE);
    EXPECT_EQ(d->m_props.Symbol, rows);
    // Undo drops the private copy, now unused: the text is the saved one.
    EXPECT_FALSE(fx.doc.m_figSymbols.GetAt(copy));
    EXPECT_EQ(fx.doc.m_figSymbols.GetCount(), symbols);
    EXPECT_EQ(DocText(fx.doc), saved);
}

// The drag is kept only with its undo record: when the log refuses it, the
// drag is dropped as a cancel drops it, never reported as done.
TEST_F(ViewGestureTest, ARefusedRecordDropsTheDividerDrag)
{
    CRecordingPrompt prompt;
    int rows = -1;
    CFigure* d = AddThreeRowBox(rows);
    const int symbols = fx.doc.m_figSymbols.GetCount();
    CPoint handle;
    ASSERT_TRUE(d->GetSymbol()->GetDividerHandle(0, handle, d->m_rect));
    Press(At(handle));
    Move(At(handle) + QPoint(0, 25));
    fx.doc.UndoLogRef().m_nRefuseRecordAfter = 0;
    prompt.QueueAnswer(IDCANCEL);
    Release(At(handle) + QPoint(0, 25));
    fx.doc.UndoLogRef().m_nRefuseRecordAfter = -1;
    EXPECT_FALSE(view->IsDividerDragging());
    EXPECT_EQ(d->m_props.Symbol, rows);
    EXPECT_EQ(fx.doc.m_figSymbols.GetCount(), symbols);
    EXPECT_EQ(DocText(fx.doc), saved);
}

// A divider dragged past its neighbour stops where the section between them
// keeps its least height; undo takes the figure back to its old symbol.
TEST_F(ViewGestureTest, ADividerDragStopsAtTheSectionMinimum)
{
    int rows = -1;
    CFigure* d = AddThreeRowBox(rows);
    CPoint first, second;
    ASSERT_TRUE(d->GetSymbol()->GetDividerHandle(0, first, d->m_rect));
    ASSERT_TRUE(d->GetSymbol()->GetDividerHandle(1, second, d->m_rect));
    Drag(At(first), At(CPoint(first.x, d->m_rect.bottom + 300)));
    EXPECT_EQ(Steps(), 1);
    CPoint moved;
    ASSERT_TRUE(d->GetSymbol()->GetDividerHandle(0, moved, d->m_rect));
    EXPECT_GT(moved.y, first.y);
    EXPECT_LE(moved.y, second.y - 16);
    const int copy = d->m_props.Symbol;
    EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_RESHAPE);
    EXPECT_EQ(d->m_props.Symbol, rows);
    EXPECT_FALSE(fx.doc.m_figSymbols.GetAt(copy));
    EXPECT_EQ(DocText(fx.doc), saved);
}

// With ResizeByStretching on, dragging the bottom handle of a compartmented
// box stretches it: its dividers stay where they were instead of scaling,
// on a copy of the symbol that an undo leaves unused; off, they scale.
TEST_F(ViewGestureTest, ResizeStretchesACompartmentedShape)
{
    int rows = -1;
    CFigure* d = AddThreeRowBox(rows);
    d->m_props.Behavior.high &= ~DWORD(256 | 512);
    saved = DocText(fx.doc);
    const int before = ResizeByStretching;
    for (const int stretch : {1, 0}) {
        SCOPED_TRACE(stretch);
        ResizeByStretching = stretch;
        const int symbols = fx.doc.m_figSymbols.GetCount();
        fx.doc.SelectObj(d, 1, 0, 0);
        view->FlushPaint();
        CPoint d0, d1;
        ASSERT_TRUE(d->GetSymbol()->GetDividerHandle(0, d0, d->m_rect));
        ASSERT_TRUE(d->GetSymbol()->GetDividerHandle(1, d1, d->m_rect));
        const CRect r0 = d->m_rect;
        const QPoint from = At(d->GetHandlePoint(8));
        Drag(from, from + QPoint(0, 60));
        EXPECT_GT(d->m_rect.bottom, r0.bottom + 100);
        EXPECT_EQ(d->m_rect.top, r0.top);
        EXPECT_EQ(Steps(), 1);
        CPoint p0, p1;
        ASSERT_TRUE(d->GetSymbol()->GetDividerHandle(0, p0, d->m_rect));
        ASSERT_TRUE(d->GetSymbol()->GetDividerHandle(1, p1, d->m_rect));
        if (stretch) {
            EXPECT_NEAR(p0.y, d0.y, 1);
            EXPECT_NEAR(p1.y, d1.y, 1);
            EXPECT_EQ(fx.doc.m_figSymbols.GetCount(), symbols + 1);
        } else {
            EXPECT_GT(p0.y, d0.y + 10);
            EXPECT_EQ(d->m_props.Symbol, rows);
        }
        const int copy = d->m_props.Symbol;
        EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_RESIZEFIG);
        EXPECT_EQ(d->m_props.Symbol, rows);
        EXPECT_EQ(fx.doc.m_figSymbols.GetCount(), symbols);
        if (copy != rows) {
            EXPECT_FALSE(fx.doc.m_figSymbols.GetAt(copy));
        }
        fx.doc.SelectObj(d, 0, 0, 0);
        EXPECT_EQ(DocText(fx.doc), saved);
        ResetSteps();
    }
    ResizeByStretching = before;
}

// A divider handle is offered (prompt and drag) only when no filled figure
// in front covers it and its figure is in no group.
TEST_F(ViewGestureTest, ADividerHandleUnderAFilledFigureOrInAGroupIsNotOffered)
{
    int rows = -1;
    CFigure* d = AddThreeRowBox(rows);
    CPoint handle;
    ASSERT_TRUE(d->GetSymbol()->GetDividerHandle(0, handle, d->m_rect));
    CFigure* cover = fx.AddBox(handle.x - 100, handle.y - 60, 200, 120, "");
    const struct {
        const char* name;
        int fill;
        bool grouped, offered;
    } cases[] = {
        {"a filled figure over it", 1, false, false},
        {"a transparent figure over it", 0, false, true},
        {"its figure grouped", 0, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        cover->m_props.m_fill.m_nKind = c.fill;
        if (c.grouped) {
            fx.doc.SelectObj(d, 1, 0, 0);
            fx.doc.SelectObj(cover, 2, 0, 0);
            fx.doc.OnGroup();
            ASSERT_TRUE(d->m_pGroup);
        }
        fx.doc.OnDeselectAll();
        view->FlushPaint();
        Move(At(handle), Qt::NoModifier, Qt::NoButton);
        EXPECT_EQ(view->StatusText().rfind("Click to reshape", 0) == 0, c.offered) << view->StatusText();
        Press(At(handle));
        EXPECT_EQ(view->IsDividerDragging(), c.offered);
        Key(Qt::Key_Escape);
        Release(At(handle));
        EXPECT_EQ(d->m_props.Symbol, rows);
    }
}

// A label scales its text with its height and is fitted to the scaled text
// again; the sides the handle did not drag stay (about the centre for a
// label that resizes about it). Undo gives back the text and its size.
TEST_F(ViewGestureTest, AResizedLabelScalesItsTextAndKeepsItsFixedSides)
{
    // A run of its own size scales too.
    fx.doc.m_curLblStyle.DefaultText = "Ta\\fs16 g";
    CFigure* label = view->CreateLbl(CPoint(600, 1500));
    ASSERT_NE(label, nullptr);
    ASSERT_TRUE(label->m_props.Behavior.low & 0x800000);
    const std::string text0 = label->m_strText;
    ASSERT_NE(text0.find("\\fs16"), std::string::npos) << text0;
    const FigFlagSet flags = label->m_props.Behavior;
    const int size0 = std::abs(int(label->GetFont().lfHeight));
    const struct {
        int handle;
        bool aboutCentre;
        int dx, dy;   // pixels
        bool grows;
    } cases[] = {
        {6, true, 60, 0, true},
        {6, true, -5, 0, false},
        {9, false, 40, 30, true},
        {1, false, 20, 15, false},
    };
    for (const auto& k : cases) {
        SCOPED_TRACE(testing::Message() << k.handle << (k.aboutCentre ? " centre " : " corner ") << k.dx);
        label->m_props.Behavior = flags;
        if (!k.aboutCentre)
            label->m_props.Behavior.high &= ~DWORD(256 | 512);
        saved = DocText(fx.doc);
        ResetSteps();
        const CRect r0 = label->m_rect;
        fx.doc.SelectObj(label, 1, 0, 0);
        view->FlushPaint();
        const QPoint from = At(label->GetHandlePoint(k.handle));
        Drag(from, from + QPoint(k.dx, k.dy));
        const int size = std::abs(int(label->GetFont().lfHeight));
        EXPECT_EQ(size > size0, k.grows) << size;
        EXPECT_EQ(size < size0, !k.grows) << size;
        EXPECT_EQ(label->m_rect.Width() > r0.Width(), k.grows) << label->m_rect.Width();
        EXPECT_EQ(label->m_strText.find("\\fs16"), std::string::npos) << label->m_strText;
        // Fitted to the scaled text.
        int w = 0, h = 0;
        CalcTextExtent(*label, w, h, 1, false, nullptr);
        EXPECT_NEAR(label->m_rect.Width(), w, 1);
        EXPECT_NEAR(label->m_rect.Height(), h, 1);
        if (k.aboutCentre) {
            EXPECT_NEAR(label->m_rect.CenterPoint().x, r0.CenterPoint().x, 1) << label->m_rect.left;
            EXPECT_NEAR(label->m_rect.CenterPoint().y, r0.CenterPoint().y, 1) << label->m_rect.top;
        } else if (k.handle == 9) {
            EXPECT_EQ(label->m_rect.TopLeft(), r0.TopLeft());
        } else {
            EXPECT_EQ(label->m_rect.BottomRight(), r0.BottomRight());
        }
        ExpectUndoToSaved(UDMAC_RESIZEFIG);
        ASSERT_EQ(label->m_rect, r0);
    }
}

// ---- autoscroll

// A drag held beyond the right side scrolls the window, each tick by a
// twelfth of the smaller client side; the gesture goes on at the new scroll
// position and leaves no outline behind, whichever gesture it is.
TEST_F(ViewGestureTest, AnAutoScrollTickScrollsAndTheDragGoesOn)
{
    fx.doc.SelectObj(a, 1, 0, 0);
    fx.doc.SelectObj(b, 2, 0, 0);
    fx.doc.OnGroup();
    CFigure* lone = fx.AddBox(1500, 1300, 300, 200, "C");
    const struct {
        const char* name;
        std::function<QPoint()> press;   // selects what the gesture needs; the point to press
        std::function<bool()> running;
        int code;   // the gesture's undo step; the scroll made one before it
    } cases[] = {
        {"move drag", [&] { fx.doc.SelectObj(lone, 1, 0, 0); return Centre(lone); },
         [&] { return view->IsMoveDragging(); }, UDMAC_MOVEOBJS},
        {"band", [&] { return At(CPoint(1400, 1250)); }, [&] { return view->IsBandShown(); }, UDMAC_PAN},
        {"resize", [&] { fx.doc.SelectObj(lone, 1, 0, 0); return At(lone->GetHandlePoint(6)); },
         [&] { return view->IsFigResizing(); }, UDMAC_RESIZEFIG},
        {"group resize", [&] { fx.doc.SelectObj(a, 1, 0, 0); return At(a->m_pGroup->GetHandlePoint(9)); },
         [&] { return view->IsGrpResizing(); }, UDMAC_RESIZEGRP},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        fx.doc.OnDeselectAll();
        view->ZoomToPercent(200);
        view->ScrollToViewAnchorPoint(CPoint(600, 600), kAnchorTopLeft, true);
        fx.doc.ResetUndoLog();
        saved = DocText(fx.doc);
        ResetSteps();
        view->FlushPaint();
        const QPoint from = c.press();
        const CPoint pressed = Logical(from);
        const QPoint outside(kClientW + 30, from.y() + 10);
        Press(from);
        Move(from + QPoint(20, 10));
        Move(outside);
        ASSERT_TRUE(c.running());
        ASSERT_TRUE(view->IsAutoScrolling());
        const CPoint anchor = view->GetViewAnchorPoint(kAnchorTopLeft);
        QCursor::setPos(view->viewport()->mapToGlobal(outside));
        view->OnAutoScrollTick();
        EXPECT_NEAR(view->GetViewAnchorPoint(kAnchorTopLeft).x - anchor.x, Px(std::min(kClientW, kClientH) / 12), 2);
        EXPECT_EQ(view->GetViewAnchorPoint(kAnchorTopLeft).y, anchor.y);
        EXPECT_TRUE(c.running());
        // Only the new outline is shown: taking it off leaves the picture
        // clean.
        view->EraseGestureFeedback();
        ExpectNoFeedbackLeft();
        Move(outside);
        const CPoint dropped = Logical(outside);
        Release(outside);
        EXPECT_FALSE(view->IsGestureInProgress());
        EXPECT_FALSE(view->IsAutoScrolling());
        ExpectNoFeedbackLeft();
        // Dropped where the pointer is over the scrolled diagram.
        if (c.code == UDMAC_MOVEOBJS) {
            EXPECT_EQ(lone->m_rect.left - 1500, dropped.x - pressed.x);
        }
        EXPECT_EQ(Steps(), c.code == UDMAC_PAN ? 1 : 2);
        EXPECT_EQ(fx.doc.UndoLastStep(), c.code);
        EXPECT_EQ(DocText(fx.doc), saved);
    }
}

// The client area's edge pixels are inside: the autoscroll starts only
// beyond them.
TEST_F(ViewGestureTest, AutoScrollStartsOnlyBeyondTheClientEdges)
{
    ASSERT_EQ(view->viewport()->size(), QSize(kClientW, kClientH));
    const struct {
        QPoint at;
        bool scrolls;
    } cases[] = {
        {{0, 300}, false},  {{kClientW - 1, 300}, false}, {{400, 0}, false},  {{400, kClientH - 1}, false},
        {{-1, 300}, true},  {{kClientW, 300}, true},      {{400, -1}, true},  {{400, kClientH}, true},
    };
    fx.doc.SelectObj(a, 1, 0, 0);
    Press(Centre(a));
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.at.x() << "," << c.at.y());
        Move(c.at);
        EXPECT_EQ(view->IsAutoScrolling(), c.scrolls);
        Move(QPoint(400, 300));
        EXPECT_FALSE(view->IsAutoScrolling());
    }
    Key(Qt::Key_Escape);
    Release(QPoint(400, 300));
    EXPECT_EQ(DocText(fx.doc), saved);
}

// A double click reaches only a view of the active diagram.
TEST_F(ViewGestureTest, ADoubleClickInAViewOfAnotherDiagramDoesNothing)
{
    DoubleClickEditsText = 0;
    std::vector<int> sent;
    TextEntrySeams& seams = GetTextEntrySeams();
    const auto before = seams.sendCommand;
    seams.sendCommand = [&](int id) { sent.push_back(id); };
    fx.doc.SelectObj(a, 1, 0, 0);
    app.doc = nullptr;
    Send(QEvent::MouseButtonDblClick, Centre(a), Qt::LeftButton, Qt::LeftButton);
    EXPECT_TRUE(sent.empty());
    app.doc = &fx.doc;
    Send(QEvent::MouseButtonDblClick, Centre(a), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(sent, std::vector<int>{33054});   // figure "&Properties..."
    seams.sendCommand = before;
    EXPECT_EQ(DocText(fx.doc), saved);
}

// The whole prompt of the select-mode hover: what a press would do, then
// the key hints, which depend on the selection and on ShiftToSlide; Ctrl
// turns the move into a copy and empty space into a pan.
TEST_F(ViewGestureTest, SelectHoverShowsTheWholePromptAndCursor)
{
    const std::string select = "Click to select    CTRL: drag view";
    const std::string move = "Click to move   CTRL: duplicate";
    const std::string nudge = "   ESC: deselect all   ARW: nudge object(s)   SHIFT-ARW: scroll 1/4 page";
    const std::string scroll = "   ESC: deselect all   ARW: scroll 1/4 page   SHIFT-ARW: nudge object(s)";
    const QPoint empty = At(CPoint(1800, 2000));
    const struct {
        int mode;
        bool selection;
        int shiftToSlide;
        QPoint at;
        Qt::KeyboardModifiers mods;
        std::string status;   // "" when the hover leaves the text as it was
        int cursor;
    } cases[] = {
        {0, false, 0, empty, Qt::NoModifier, select, Qt::ArrowCursor},
        {0, true, 0, empty, Qt::NoModifier, select + nudge, Qt::ArrowCursor},
        {1, true, 1, empty, Qt::NoModifier, select + scroll, Qt::ArrowCursor},
        {0, false, 0, Centre(b), Qt::NoModifier, move, Qt::SizeAllCursor},
        {0, true, 0, Centre(b), Qt::NoModifier, move + nudge, Qt::SizeAllCursor},
        {0, true, 0, Centre(a), Qt::ControlModifier, move + nudge, Qt::DragCopyCursor},
        {0, false, 0, empty, Qt::ControlModifier, "", Qt::OpenHandCursor},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.mode << c.selection << c.shiftToSlide << " " << c.status);
        g_nUIMode = c.mode;
        ShiftToSlide = c.shiftToSlide;
        fx.doc.OnDeselectAll();
        if (c.selection)
            fx.doc.SelectObj(a, 1, 0, 0);
        const std::string before = view->StatusText();
        Move(c.at, c.mods, Qt::NoButton);
        if (c.status.empty()) {
            EXPECT_EQ(view->StatusText(), before);
        } else {
            EXPECT_EQ(view->StatusText(), c.status);
        }
        EXPECT_EQ(view->ViewCursor(), c.cursor);
    }
    g_nUIMode = 0;
    ShiftToSlide = 0;
}

// With a connector label the only selection, a press elsewhere is no label
// slide: the figure pressed is selected and moved.
TEST_F(ViewGestureTest, APressAwayFromTheSelectedConnectorLabelIsNoSlide)
{
    CFigure* label = fx.AddBox(1700, 700, 200, 100, "L");
    label->m_bLabel = 1;
    ASSERT_TRUE(fx.doc.CreateConLblStaple(con, label->GetCenter(), label));
    fx.doc.UpdateAllStaples(0);
    ASSERT_TRUE(label->IsConLabel());
    view->InvalidateAll();
    fx.doc.ResetUndoLog();
    saved = DocText(fx.doc);
    ResetSteps();
    fx.doc.SelectObj(label, 1, 0, 0);
    const CRect b0 = b->m_rect;
    Press(Centre(b));
    EXPECT_FALSE(view->IsLabelSliding());
    Move(Centre(b) + QPoint(20, 10));
    Move(Centre(b) + QPoint(40, 20));
    EXPECT_FALSE(view->IsLabelSliding());
    Release(Centre(b) + QPoint(40, 20));
    EXPECT_NE(b->m_rect, b0);
    EXPECT_EQ(Steps(), 1);
    ExpectUndoToSaved(UDMAC_MOVEOBJS);
}

// The status text of a move drag, in the user's unit with two decimals:
// the moved centre of a single figure, else the moved bounds of the set;
// a free label names what a drop would make.
TEST_F(ViewGestureTest, MoveDragStatusNamesWhereTheDropGoes)
{
    CFigure* lone = fx.AddBox(1700, 1400, 600, 450, "C");
    CFigure* label = fx.AddBox(300, 1700, 200, 100, "L");
    label->m_bLabel = 1;
    auto text = [](const char* format, std::initializer_list<int> logical) {
        double v[4] = {};
        int i = 0;
        for (int n : logical)
            v[i++] = LogicalToUserUnits(n);
        char buf[160];
        std::snprintf(buf, sizeof buf, format, v[0], v[1], v[2], v[3]);
        return std::string(buf);
    };
    const struct {
        const char* name;
        int metric;
        std::vector<CDiagObj*> selection;
    } cases[] = {
        {"two figures, cm", 1, {a, b}},
        {"two figures, inches", 0, {a, b}},
        {"one figure, cm", 1, {lone}},
        {"one figure, inches", 0, {lone}},
        {"free label", 0, {label}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Metric = c.metric;
        fx.doc.OnDeselectAll();
        for (CDiagObj* o : c.selection)
            fx.doc.SelectObj(o, 2, 0, 0);
        const CRect set = fx.doc.GetObjSetRect(1, 0, 0, nullptr, false);
        const CPoint centre = static_cast<CFigure*>(c.selection[0])->GetCenter();
        const QPoint from = Centre(static_cast<CFigure*>(c.selection[0]));
        const QPoint to = from + QPoint(-40, 30);
        Press(from);
        Move(from + QPoint(-20, 15));
        Move(to);
        const CPoint d(Logical(to).x - Logical(from).x, Logical(to).y - Logical(from).y);
        std::string expected;
        if (c.selection[0] == label)
            expected = "Drag label   CTRL: freeform   ESC: cancel";
        else if (c.selection.size() == 1)
            expected = text(c.metric ? "X: %.2f cm  Y: %.2f cm" : "X: %.2f\"  Y: %.2f\"",
                            {centre.x + d.x, centre.y + d.y});
        else
            expected = text(c.metric ? "Left: %.2f cm  Top: %.2f cm  Right: %.2f cm  Bottom: %.2f cm"
                                     : "Left: %.2f\"  Top: %.2f\"  Right: %.2f\"  Bottom: %.2f\"",
                            {set.left + d.x, set.top + d.y, set.right + d.x, set.bottom + d.y}) +
                       "   ESC: cancel";
        EXPECT_EQ(view->StatusText(), expected);
        Key(Qt::Key_Escape);
        Release(to);
        EXPECT_EQ(view->StatusText(), "Press ALT to choose commands");
    }
    Metric = 0;
    EXPECT_EQ(Steps(), 0);
}

// A figure that could be dropped into a flow snaps its centre to the grid,
// not its corner, while no line lies under it.
TEST_F(ViewGestureTest, AFigureThatMayGoIntoAFlowSnapsItsCentreToTheGrid)
{
    CFigure* loose = fx.AddBox(1700, 1400, 600, 450, "Loose");
    SnapToFlows = 1;
    fx.doc.m_bAlignToGrid = 1;
    fx.doc.m_nSnapX = fx.doc.m_nSnapY = 64;
    fx.doc.SelectObj(loose, 1, 0, 0);
    Drag(Centre(loose), Centre(loose) + QPoint(50, 11));
    EXPECT_EQ(loose->GetCenter().x % 64, 0) << loose->GetCenter().x;
    EXPECT_EQ(loose->GetCenter().y % 64, 0) << loose->GetCenter().y;
    EXPECT_NE(loose->m_rect.left, 1700);
    EXPECT_EQ(loose->m_rect.Size(), CSize(600, 450));
}
