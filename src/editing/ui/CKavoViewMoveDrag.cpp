// The move drag: the selection's outlines follow the mouse inverted on the
// view's surface (connectors on moved figures follow), the offset snaps to
// the grid and the guides and stays inside the work space, and the release
// moves the selection in one undo step.
#include "editing/ui/CKavoView.h"

#include "core/GridSnap.h"
#include "core/MsgBox.h"
#include "core/Settings.h"
#include "core/StringHelpers.h"
#include "core/Units.h"
#include "document/CConnector.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "editing/GestureRules.h"
#include "fileformat/DiagramClipboard.h"
#include "geometry/IntGeometry.h"
#include "platform/CPainterDC.h"
#include "undo/UndoCodes.h"

#include <cstdio>

namespace {
constexpr UINT kBoxWarning = 0x30;
constexpr int kIdsFlowLabelMove = 754, kIdsCentreMetric = 593, kIdsCentreInch = 594, kIdsRectMetric = 590,
              kIdsRectInch = 583, kIdsInsertIntoFlow = 789, kIdsFreeform = 742, kIdsCancel = 731;

// The status text of a dragged free label by the slot it would take.
constexpr int kLblSlotStatus[] = {779, 780, 782, 779, 781};

std::string FormatText(int id, std::initializer_list<double> values)
{
    const std::string format = ResText(id);
    double v[4] = {};
    int i = 0;
    for (double d : values)
        v[i++] = d;
    char buf[256];
    std::snprintf(buf, sizeof buf, format.c_str(), v[0], v[1], v[2], v[3]);
    return buf;
}
} // namespace

void CKavoView::DrawMoveTracking(int dx, int dy)
{
    std::unique_ptr<CPainterDC> dc = GetClientDC();
    dc->SetROP2(R2_NOTXORPEN);
    m_pDoc->TrackDragObjs(dc.get(), dx, dy);
    dc->Flush();
    viewport()->update();
}

// The offset that takes the centre to the nearest snap guide within a snap
// step, else to the grid.
CSize CKavoView::SnapCentreOffset(const CPoint& centre, int dx, int dy) const
{
    POINT c{centre.x + dx, centre.y + dy};
    m_pDoc->SnapPt(c);
    return CSize(c.x - centre.x, c.y - centre.y);
}

CSize CKavoView::SnappedDragOffset(const CPoint& pt) const
{
    int dx = pt.x - m_ptPress.x, dy = pt.y - m_ptPress.y;
    m_pDoc->SnapMoveOffset(dx, dy);
    if (m_bMoveGuides) {
        const CSize off = SnapCentreOffset(m_ptMoveCentre, dx, dy);
        dx = off.cx;
        dy = off.cy;
    } else if (m_bDragGridSnap) {
        // The dragged set's top-left corner lands on the snap grid.
        int left = m_rcDragStart.left + dx, top = m_rcDragStart.top + dy;
        SnapToGridStep(left, m_pDoc->m_nSnapX);
        SnapToGridStep(top, m_pDoc->m_nSnapY);
        dx = left - m_rcDragStart.left;
        dy = top - m_rcDragStart.top;
    }
    int cx = dx, cy = dy;
    if (ClampOffsetToRect(m_rcDragStart, cx, cy, m_rcWorkSpace)) {
        dx += cx;
        dy += cy;
    }
    return CSize(dx, dy);
}

void CKavoView::EraseMoveTracking()
{
    if (m_bTrackShown)
        DrawMoveTracking(m_szTrackShown.cx, m_szTrackShown.cy);
    m_bTrackShown = 0;
}

int CKavoView::BeginMoveDrag(const CPoint& pt)
{
    if (!m_pDoc)
        return 0;
    // A flow label stays where its flow puts it.
    CDiagObj* hit = m_pDoc->ObjFromPoint(pt.x, pt.y, m_nHitTolerance, false, -1, 0, 0);
    if (hit && hit->GetType() == kObjFigure && hit->m_bSelected && static_cast<CFigure*>(hit)->IsFlowLabel() &&
        m_pDoc->GetSelCount() == 1 && m_bSelectedByGesture) {
        m_pDoc->OnDeselectAll();
        m_bSelectedByGesture = 0;
        MsgBoxResPrintf(kBoxWarning, kIdsFlowLabelMove);
        return 0;
    }
    // A junction dragged alone is the junction drag's.
    CFigure* single = m_pDoc->GetSelCount() == 1 ? m_pDoc->GetFirstSelFig(0, 1) : nullptr;
    if (single && !single->IsInGroup() && single->IsInvisible()) {
        BeginJctDrag(single, pt);
        return 0;
    }
    // The objects that move with the selection are taken afresh: an undo
    // gives the selection back without them.
    m_pDoc->RefreshSelection();
    m_pFlowCon = nullptr;
    m_pFlowJct = nullptr;
    m_pFlowFig = nullptr;
    m_bFlowInsert = SnapToFlows;
    m_bMoveDrag = 1;
    CaptureMouse();
    m_ptPress = m_ptCurrent = pt;
    m_bDragGridSnap = m_pDoc->m_bAlignToGrid != 0;
    m_bLabelDrag = single && single->m_bLabel;
    // A figure dragged alone lines up with its connectors' far ends.
    m_bMoveGuides = single && !single->IsInGroup() && SnapFigToNeighbours(single) ? 1 : 0;
    if (m_bMoveGuides) {
        m_bDragGridSnap = 0;
        m_ptMoveCentre = single->GetCenter();
    }
    // A label attached to nothing may be dropped into a label slot; hit
    // tests look through it meanwhile.
    ForgetFreeLabel();
    if (single && single->m_bLabel && !single->IsInGroup() && !single->IsStapled() && single->m_nConnected == 0) {
        m_pFreeLabel = single;
        m_pDoc->ClearTempFlags();
        single->m_bTemp = 1;
    }
    // Only a figure of its own that draws something may be dropped into a
    // flow; its centre then snaps to the grid instead of its corner.
    if (single && !single->m_bLabel && !single->IsInGroup() && single->m_nConnected == 0 && !single->IsInvisible())
        m_pFlowFig = single;
    else
        m_bFlowInsert = 0;
    if (m_bFlowInsert)
        m_bDragGridSnap = 0;
    BeginPinDrag(single);
    m_rcDragStart = m_pDoc->GetObjSetRect(1, 0, 0, nullptr, false);
    FlushPaint();
    DrawMoveTracking(0, 0);
    m_bTrackShown = 1;
    m_szTrackShown = CSize(0, 0);
    UpdateStatusText();
    return 0;
}

// A flow label grabbed at the press moves only together with its connector
// and both of that connector's figures.
bool CKavoView::LeavesFlowBehind() const
{
    CDiagObj* hit = m_pDoc->ObjFromPoint(m_ptPress.x, m_ptPress.y, m_nHitTolerance, false, -1, 0, 0);
    if (!hit || hit->GetType() != kObjFigure || !hit->m_bSelected)
        return false;
    auto* label = static_cast<CFigure*>(hit);
    return label->IsFlowLabel() && !m_pDoc->IsFlowLblInSet(label);
}

int CKavoView::MoveDragMove(const CPoint& client)
{
    if (m_bCopyPending && m_pDoc) {
        // Nothing happens until the mouse has moved the double-click width;
        // then the drag goes on with the duplicates.
        if (!IsPastClickDistance(m_ptPressClient, client))
            return 1;
        m_bCopyPending = 0;
        const int pressSelected = m_bSelectedByGesture;
        if (!DuplicateSelectionInPlace(*m_pDoc)) {
            ReleaseCapture();
            return 1;
        }
        FlushPaint();
        BeginMoveDrag(m_ptPress);
        m_bSelectedByGesture = pressSelected;
    }
    if (!m_bMoveDrag || !m_pDoc)
        return 0;
    if (LeavesFlowBehind()) {
        MoveDragUp();
        MsgBoxResPrintf(kBoxWarning, kIdsFlowLabelMove);
        return 1;
    }
    if (HandOverMoveDrag())
        return 1;
    CPoint pt = ClientPtToLogical(client);
    if (IsShiftKeyDown())
        pt = LockDragAxis(m_ptPress, pt);
    CSize off = SnappedDragOffset(pt);
    if (m_bFlowInsert)
        off = FlowInsertOffset(off);
    off = SnapPinDragOffset(off);
    off = FindLabelSlot(off);
    const int dx = off.cx, dy = off.cy;
    const CPoint target(m_ptPress.x + dx, m_ptPress.y + dy);
    if (target == m_ptCurrent && m_bTrackShown && !m_bReFeed)
        return 1;
    if (m_bTrackShown)
        DrawMoveTracking(m_szTrackShown.cx, m_szTrackShown.cy);
    ShowLabelSlotFeedback();
    m_ptCurrent = target;
    DrawMoveTracking(dx, dy);
    m_bTrackShown = 1;
    m_szTrackShown = CSize(dx, dy);
    UpdateStatusText();
    return 1;
}

CSize CKavoView::FlowInsertOffset(const CSize& off)
{
    m_pFlowCon = nullptr;
    m_pFlowJct = nullptr;
    if (!m_pFlowFig || IsCtrlKeyDown())
        return off;
    const CPoint c0 = m_pFlowFig->GetCenter();
    CPoint c(c0.x + off.cx, c0.y + off.cy);
    if (m_pDoc->m_bAlignToGrid && !m_bMoveGuides) {
        SnapToGridStep(c.x, m_pDoc->m_nSnapX);
        SnapToGridStep(c.y, m_pDoc->m_nSnapY);
    }
    POINT at{c.x, c.y};
    CConnector* con = m_pDoc->ConFromPoint(c.x, c.y, m_nHitTolerance, false, &at);
    // A drop on a bend of the line replaces the bend.
    CDiagObj* hit = m_pDoc->ObjFromPoint(c.x, c.y, m_nHitTolerance, false, -1, 0, 0);
    auto* bend = hit && hit != m_pFlowFig && hit->GetType() == kObjFigure ? static_cast<CFigure*>(hit) : nullptr;
    CConnector* other = nullptr;
    if (bend && bend->IsRedundantJct() && m_pDoc->GetConsOnFig(bend, con, other)) {
        m_pFlowJct = bend;
        at = bend->GetCenter();
    }
    if (con) {
        m_pFlowCon = con;
        m_ptFlowInsert = CPoint(at.x, at.y);
        c = m_ptFlowInsert;
    }
    int dx = c.x - c0.x, dy = c.y - c0.y, cx = dx, cy = dy;
    if (ClampOffsetToRect(m_rcDragStart, cx, cy, m_rcWorkSpace)) {
        // Kept inside the work space, the centre is no longer on the line.
        m_pFlowCon = nullptr;
        m_pFlowJct = nullptr;
        dx += cx;
        dy += cy;
    }
    return CSize(dx, dy);
}

// The dropped figure goes into the line: a bend is replaced by it, else the
// connector is split at it. The change joins the move's step, or takes a
// step of its own when the move recorded none.
void CKavoView::InsertDroppedFigIntoFlow(bool moveMadeStep)
{
    if (m_pDoc && m_pFlowFig && m_pFlowCon && !IsCtrlKeyDown()) {
        if (m_pFlowJct)
            m_pDoc->ReplaceJctByFig(m_pFlowFig, m_pFlowJct, !moveMadeStep);
        else
            m_pDoc->SplitConAtFig(m_pFlowFig, m_pFlowCon, m_ptFlowInsert, !moveMadeStep);
    }
    m_pFlowFig = nullptr;
    m_pFlowCon = nullptr;
    m_pFlowJct = nullptr;
}

int CKavoView::MoveDragUp()
{
    if (!m_bMoveDrag && !m_bCopyPending)
        return 0;
    EraseMoveTracking();
    EraseLabelFeedback();
    bool moveMadeStep = false;
    if (!m_bCopyPending && m_pDoc) {
        const int dx = m_ptCurrent.x - m_ptPress.x, dy = m_ptCurrent.y - m_ptPress.y;
        const auto steps = m_pDoc->UndoLogRef().m_nStepsRecorded;
        // A label dropped into a slot lands on the slot exactly.
        m_pDoc->MoveSelection(dx, dy, m_bDragGridSnap && !m_nLblSlotKind, false);
        moveMadeStep = m_pDoc->UndoLogRef().m_nStepsRecorded != steps;
    }
    m_bCopyPending = 0;
    if (m_bSelectedByGesture && m_pDoc)
        m_pDoc->OnDeselectAll();
    m_bSelectedByGesture = 0;
    AttachDroppedLabel();
    InsertDroppedFigIntoFlow(moveMadeStep);
    DropDraggedPin(moveMadeStep);
    ReleaseCapture();
    m_bMoveDrag = 0;
    m_bLabelDrag = 0;
    EndMoveGuides();
    UpdateStatusText();
    return 1;
}

void CKavoView::EndMoveGuides()
{
    if ((m_bMoveGuides || m_bPinGuides) && m_pDoc)
        m_pDoc->m_snapGuides.Clear();
    m_bMoveGuides = 0;
    m_bPinGuides = 0;
}

int CKavoView::MoveDragCancel(int eraseOnly)
{
    if (!m_bMoveDrag && !m_bCopyPending)
        return 0;
    EraseMoveTracking();
    EraseLabelFeedback();
    if (eraseOnly)
        return 1;
    if (m_bSelectedByGesture && m_pDoc)
        m_pDoc->OnDeselectAll();
    m_bSelectedByGesture = 0;
    m_bMoveDrag = m_bCopyPending = m_bLabelDrag = 0;
    ForgetFreeLabel();
    m_pFlowFig = nullptr;
    m_pFlowCon = nullptr;
    m_pFlowJct = nullptr;
    m_pDragPin = nullptr;
    EndMoveGuides();
    UpdateStatusText();
    ReleaseCapture();
    return 1;
}

std::string CKavoView::MoveDragStatus() const
{
    if (!m_bMoveDrag || !m_pDoc)
        return {};
    const int dx = m_ptCurrent.x - m_ptPress.x, dy = m_ptCurrent.y - m_ptPress.y;
    const bool metric = Metric != 0;
    const std::string tail = "   " + ResText(kIdsCancel);
    if (m_bLabelDrag)
        return ResText(kLblSlotStatus[m_nLblSlotKind]) + "   " + ResText(kIdsFreeform) + tail;
    if (m_pDoc->GetSelCount() == 1) {
        if (const CFigure* fig = m_pDoc->GetFirstSelFig(0, 1)) {
            const CPoint c = fig->GetCenter();
            std::string text = FormatText(metric ? kIdsCentreMetric : kIdsCentreInch,
                                          {LogicalToUserUnits(c.x + dx), LogicalToUserUnits(c.y + dy)});
            if (m_pFlowCon)
                text += "   " + ResText(kIdsInsertIntoFlow);
            return text;
        }
    }
    const CRect& r = m_rcDragStart;
    return FormatText(metric ? kIdsRectMetric : kIdsRectInch,
                      {LogicalToUserUnits(r.left + dx), LogicalToUserUnits(r.top + dy),
                       LogicalToUserUnits(r.right + dx), LogicalToUserUnits(r.bottom + dy)}) +
           tail;
}
