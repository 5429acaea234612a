// Select-mode gestures on a real view offscreen: select-text mode, clicks
// on connectors, the refusals of the Ctrl press, the reach of a connector's
// end handles, the junction drag's snapping, and what a resize carries
// along. Qt's own events go to the view; undo takes the document back to
// its saved text.
#include "ModeGestureFixture.h"

#include "document/CGroup.h"
#include "document/CStaple.h"
#include "editing/ui/ViewCursors.h"
#include "undo/UndoCodes.h"

namespace {
struct SelectGestureTest : ModeGestureFixture {
    bool Selected(const CDiagObj* o) const { return o->m_bSelected != 0; }
    // A junction between two small boxes below the fixture's pair; the
    // state is saved from here on.
    CFigure* AddJunctionLine()
    {
        c = fx.AddBox(300, 1215, 300, 200, "C");
        d = fx.AddBox(1500, 1200, 300, 200, "D");
        jct = fx.doc.CreateFigAt(CPoint(1000, 1240), 0);
        jctCons[0] = fx.Connect(c, jct);
        jctCons[1] = fx.Connect(jct, d);
        jct->TerminalJct = 1;
        Save();
        return jct;
    }
    CFigure* c = nullptr;
    CFigure* d = nullptr;
    CFigure* jct = nullptr;
    CConnector* jctCons[2] = {};
};
} // namespace

// ---- select-text mode

TEST_F(SelectGestureTest, SelectTextModeEditsTheTextUnderThePress)
{
    for (int mode : {0, 1}) {
        SCOPED_TRACE(mode);
        g_nUIMode = mode;
        fx.doc.OnDeselectAll();
        Hover(Centre(a));
        EXPECT_EQ(view->IsTextAreaHoverShown(), mode == 1);
        if (mode == 1) {
            EXPECT_EQ(view->ViewCursor(), int(Qt::IBeamCursor));
            EXPECT_EQ(view->StatusText().rfind("Click to edit text", 0), 0u) << view->StatusText();
        } else {
            EXPECT_EQ(view->StatusText().rfind("Click to move", 0), 0u) << view->StatusText();
        }
        // The frame goes with the pointer.
        Hover(At(CPoint(1800, 300)));
        EXPECT_FALSE(view->IsTextAreaHoverShown());
        Hover(Centre(a));
        Click(Centre(a));
        EXPECT_EQ(view->IsTextEditorOpen(), mode == 1);
        EXPECT_FALSE(view->IsMoveDragging());
        if (mode == 0) {
            EXPECT_TRUE(Selected(a));
        }
        view->CloseTextEditor();
        EXPECT_FALSE(view->IsTextAreaHoverShown());
        EXPECT_EQ(DocText(fx.doc), saved);
    }
}

TEST_F(SelectGestureTest, SelectTextModeLeavesSelectedFiguresAndShiftToTheGestures)
{
    g_nUIMode = 1;
    // A selected figure's text is no edit target: the press moves it.
    fx.doc.SelectObj(a, 1, 0, 0);
    Hover(Centre(a) + QPoint(10, 5));
    EXPECT_FALSE(view->IsTextAreaHoverShown());
    Press(Centre(a) + QPoint(10, 5));
    EXPECT_TRUE(view->IsMoveDragging());
    Release(Centre(a) + QPoint(10, 5));
    EXPECT_FALSE(view->IsTextEditorOpen());
    // With the add key held the press selects.
    fx.doc.OnDeselectAll();
    Click(Centre(b), Qt::ShiftModifier);
    EXPECT_FALSE(view->IsTextEditorOpen());
    EXPECT_TRUE(Selected(b));
    EXPECT_EQ(Steps(), 0);
}

// ---- clicks on connectors

TEST_F(SelectGestureTest, AClickOnAConnectorSelectsItWithoutItsEnds)
{
    const QPoint mid = At(CPoint(1800, 825));
    Click(mid);
    EXPECT_TRUE(Selected(con));
    EXPECT_FALSE(Selected(a));
    EXPECT_FALSE(Selected(b));
    // A press on the selected connector starts the move drag at once;
    // released without movement it changes nothing.
    Press(mid);
    EXPECT_TRUE(view->IsMoveDragging());
    Release(mid);
    EXPECT_TRUE(Selected(con));
    // Shift-clicks remove and add it again.
    Click(mid, Qt::ShiftModifier);
    EXPECT_FALSE(Selected(con));
    Click(mid, Qt::ShiftModifier);
    EXPECT_TRUE(Selected(con));
    EXPECT_EQ(Steps(), 0);
    EXPECT_EQ(DocText(fx.doc), saved);
}

// ---- the Ctrl press

TEST_F(SelectGestureTest, ACtrlPressOnAJunctionIsRefused)
{
    AddJunctionLine();
    for (bool preselect : {false, true}) {
        SCOPED_TRACE(preselect);
        fx.doc.OnDeselectAll();
        if (preselect)
            fx.doc.SelectObj(jct, 1, 0, 0);
        g_modeBeeps = 0;
        Press(Centre(jct), Qt::ControlModifier);
        EXPECT_EQ(g_modeBeeps, 1);
        EXPECT_FALSE(view->IsGestureInProgress());
        Move(Centre(jct) + QPoint(40, 30), Qt::ControlModifier);
        Release(Centre(jct) + QPoint(40, 30), Qt::ControlModifier);
        EXPECT_EQ(Selected(jct), preselect);
        EXPECT_EQ(FigCount(), 5);
    }
    EXPECT_EQ(Steps(), 0);
    EXPECT_EQ(DocText(fx.doc), saved);
}

// ---- connector ends

// The end handle of a selected connector is taken within twice the hit
// tolerance: a press a little beside it starts the end drag, one further
// off does not.
TEST_F(SelectGestureTest, AnEndHandleIsTakenWithinTwiceTheHitTolerance)
{
    const struct {
        int offset;   // pixels above the end
        bool taken;
    } cases[] = {{0, true}, {5, true}, {-5, true}, {9, false}};
    for (const auto& k : cases) {
        SCOPED_TRACE(k.offset);
        fx.doc.OnDeselectAll();
        fx.doc.SelectConAndEnds(con, 1, 0, false);
        const QPoint end = At(con->EndPoint2);
        const QPoint p = end - QPoint(0, k.offset);
        Hover(p);
        EXPECT_EQ(view->StatusText().rfind("Click to adjust connector", 0) == 0, k.taken) << view->StatusText();
        Press(p);
        EXPECT_EQ(view->IsConEndDragging(), k.taken);
        Key(Qt::Key_Escape);
        Release(p);
        EXPECT_FALSE(view->IsGestureInProgress());
    }
    EXPECT_EQ(Steps(), 0);
    EXPECT_EQ(DocText(fx.doc), saved);
}

// ---- junction drag

// With snapping on, a junction dragged alone lands where its connectors
// run straight to their far ends, and its corner is not pulled back onto
// the grid by the release.
TEST_F(SelectGestureTest, ADraggedJunctionSnapsToItsNeighbours)
{
    fx.doc.m_bAlignToGrid = 1;
    fx.doc.m_nSnapX = fx.doc.m_nSnapY = 50;
    AddJunctionLine();
    fx.doc.SelectObj(jct, 1, 0, 0);
    const CPoint farEnd = jctCons[0]->EndPoint1;   // on C, facing the junction
    const QPoint from = Centre(jct);
    // Down and right, to a little off the line through the far end.
    const QPoint to = At(CPoint(jct->GetCenter().x + 212, farEnd.y + 14));
    Press(from);
    ASSERT_TRUE(view->IsJctDragging());
    for (int i = 1; i <= 4; ++i)
        Move(from + (to - from) * i / 4);
    Release(to);
    EXPECT_FALSE(view->IsGestureInProgress());
    EXPECT_TRUE(fx.doc.m_snapGuides.IsEmpty());
    const CPoint centre = jct->GetCenter();
    EXPECT_EQ(centre.y, farEnd.y);
    EXPECT_EQ(centre.x % 50, 0);
    EXPECT_EQ(Steps(), 1);
    ExpectUndoToSaved(UDMAC_MOVEOBJS);
}

// A figure dragged alone lines its centre up with the far end of its
// connector, and snaps its centre to the grid on the other axis.
TEST_F(SelectGestureTest, AFigureDraggedAloneSnapsToItsNeighbours)
{
    fx.doc.m_bAlignToGrid = 1;
    fx.doc.m_nSnapX = fx.doc.m_nSnapY = 50;
    AddJunctionLine();
    fx.doc.SelectObj(d, 1, 0, 0);
    view->FlushPaint();
    const CPoint farEnd = jctCons[1]->EndPoint1;   // on the junction, facing D
    const QPoint from = Centre(d);
    const QPoint to = At(CPoint(d->GetCenter().x + 212, farEnd.y - 14));
    Press(from);
    ASSERT_TRUE(view->IsMoveDragging());
    for (int i = 1; i <= 4; ++i)
        Move(from + (to - from) * i / 4);
    Release(to);
    EXPECT_FALSE(view->IsGestureInProgress());
    EXPECT_TRUE(fx.doc.m_snapGuides.IsEmpty());
    const CPoint centre = d->GetCenter();
    EXPECT_EQ(centre.y, farEnd.y);
    EXPECT_EQ(centre.x % 50, 0);
    EXPECT_EQ(Steps(), 1);
    ExpectUndoToSaved(UDMAC_MOVEOBJS);
}

// ---- resizing carries what hangs on the figure

TEST_F(SelectGestureTest, AResizedFigureTakesItsPinnedLabelAlong)
{
    CFigure* label = fx.AddBox(1500, 1500, 200, 100, "L");
    label->m_bLabel = 1;
    const int code = 5;   // beside the right side
    CRect start;
    fx.doc.CalcFigLblRect(a, label->m_rect.Size(), code, start, fx.doc.GetFigLblGap());
    label->m_rect = start;
    ASSERT_TRUE(fx.doc.AttachLblAsFigLbl(label, a, code, false));
    Save();
    fx.doc.SelectObj(a, 1, 0, 0);
    view->FlushPaint();
    const QPoint handle = At(a->GetHandlePoint(6));
    Press(handle);
    ASSERT_TRUE(view->IsFigResizing());
    for (int i = 1; i <= 4; ++i)
        Move(handle + QPoint(20 * i, 0));
    Release(handle + QPoint(80, 0));
    EXPECT_GT(a->m_rect.right, 1200);
    CRect slot;
    fx.doc.CalcFigLblRect(a, label->m_rect.Size(), code, slot, fx.doc.GetFigLblGap());
    EXPECT_EQ(label->m_rect, slot);
    CRect overlap;
    EXPECT_FALSE(overlap.IntersectRect(label->m_rect, a->m_rect));
    EXPECT_EQ(Steps(), 1);
    ExpectUndoToSaved(UDMAC_RESIZEFIG);
}

// A group resize scales its connectors too: a free end is mapped into the
// new bounds with the figures.
TEST_F(SelectGestureTest, AGroupResizeScalesItsConnectors)
{
    CConProps props;
    CConnector* tail = fx.doc.CreateCon(a, nullptr, -1, -1, CPoint(900, 1050), CPoint(900, 1650), -1, props);
    ASSERT_TRUE(tail);
    fx.doc.SelectObj(a, 1, 0, 0);
    fx.doc.SelectObj(b, 2, 0, 0);
    fx.doc.SelectConAndEnds(tail, 2, 0, false);
    fx.doc.OnGroup();
    ASSERT_TRUE(a->m_pGroup);
    ASSERT_EQ(tail->m_pGroup, a->m_pGroup);
    CGroup* group = a->m_pGroup;
    Save();
    fx.doc.SelectObj(a, 1, 0, 0);
    view->FlushPaint();
    CRect before;
    group->GetBounds(before, 0, 0);
    const QPoint corner = At(group->GetHandlePoint(9));
    Press(corner);
    ASSERT_TRUE(view->IsGrpResizing());
    for (int i = 1; i <= 4; ++i)
        Move(corner - QPoint(20 * i, 10 * i));
    Release(corner - QPoint(80, 40));
    CRect after;
    group->GetBounds(after, 0, 0);
    ASSERT_LT(after.Width(), before.Width());
    // The free end is scaled with the figures from the group's top left.
    ASSERT_EQ(a->m_rect.TopLeft(), CPoint(600, 600));
    const double scale = a->m_rect.Height() / 450.0;
    ASSERT_LT(scale, 0.99);
    EXPECT_NEAR(tail->EndPoint2.y, 600 + (1650 - 600) * scale, 3);
    EXPECT_NEAR(tail->EndPoint2.x, 600 + (900 - 600) * a->m_rect.Width() / 600.0, 3);
    EXPECT_EQ(Steps(), 1);
    ExpectUndoToSaved(UDMAC_RESIZEGRP);
}

// The handle under the pointer belongs to the front-most selected figure,
// whatever order the figures were selected in.
TEST_F(SelectGestureTest, TheFrontFigureOwnsAHandleItShares)
{
    CFigure* front = fx.AddBox(600, 600, 600, 450, "F");
    Save();
    for (bool frontFirst : {true, false}) {
        SCOPED_TRACE(frontFirst);
        fx.doc.OnDeselectAll();
        fx.doc.SelectObj(frontFirst ? front : a, 1, 0, 0);
        fx.doc.SelectObj(frontFirst ? a : front, 2, 0, 0);
        view->FlushPaint();
        const QPoint handle = At(a->GetHandlePoint(6));
        Press(handle);
        ASSERT_TRUE(view->IsFigResizing());
        Move(handle + QPoint(40, 0));
        Release(handle + QPoint(40, 0));
        EXPECT_EQ(a->m_rect, CRect(600, 600, 1200, 1050));
        EXPECT_GT(front->m_rect.right, 1200);
        ExpectUndoToSaved(UDMAC_RESIZEFIG);
    }
}
