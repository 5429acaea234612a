// Select-mode gestures: the down, move, up and hover chains, the click that
// selects (Shift adds or removes), the rubber band, the Ctrl press and the
// Ctrl-drag pan. The move drag and the resize have files of their own.
#include "editing/ui/CKavoView.h"
#include "editing/ui/ViewCursors.h"

#include "core/MessageBeep.h"
#include "platform/Prompt.h"
#include "core/Settings.h"
#include "core/UIMode.h"
#include "document/CConnector.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "editing/GestureRules.h"

#include <QCursor>

namespace {
constexpr int kIdsSelectPrompt = 504, kIdsAdjustPrompt = 506, kIdsMovePrompt = 507;
constexpr int kSelectReplace = 1, kSelectAdd = 2, kSelectToggle = 3;
constexpr int kSelectTextMode = 1;
} // namespace

// ---- chains

int CKavoView::OnSelectLButtonDown(const CPoint& client)
{
    if (!m_pDoc)
        return 0;
    const CPoint pt = ClientPtToLogical(client);
    m_bSelectedByGesture = 0;
    m_ptPressClient = client;
    m_nHitTolerance = std::max(1, int(ClientLenToLogical(int(HandleSize)) + 0.5));
    EraseTextAreaHover();
    bool claimed = false;
    if (IsAddToSelectionKey()) {
        claimed = OnFigHandleDown(pt) != 0;
    } else if (g_nUIMode == kSelectTextMode && OnSelTextClick(pt, client)) {
        // In select-text mode a press on text edits it.
        return 1;
    } else {
        claimed = (IsCtrlKeyDown() && OnCtrlLButtonDown(pt)) || OnAltSplitDown(pt) || OnLabelSlideDown(pt) ||
                  OnConEndDown(pt) || OnJctButtonDown(pt) || OnDividerButtonDown(pt) || OnFigHandleDown(pt) ||
                  OnGrpHandleDown(pt);
        if (!claimed) {
            // A press on a selected object starts the move drag at once.
            CDiagObj* obj = m_pDoc->ObjFromPoint(pt.x, pt.y, m_nHitTolerance, false, -1, 0, 0);
            if (obj && obj->m_bSelected) {
                if (obj->GetType() == kObjConnector) {
                    m_pDoc->SelectConAndEnds(static_cast<CConnector*>(obj), kSelectAdd, 0, true);
                    BeginMoveDrag(pt);
                    claimed = true;
                } else if (obj->GetType() == kObjFigure) {
                    auto* fig = static_cast<CFigure*>(obj);
                    if (fig->IsInGroup() || !fig->HitTestHandles(pt, m_nHitTolerance)) {
                        BeginMoveDrag(pt);
                        claimed = m_bMoveDrag || m_bJctDrag;
                    }
                }
            }
        }
    }
    if (claimed)
        return 1;
    // The click or the rubber band is armed.
    m_bClickPending = m_bStillClick = 1;
    CaptureMouse();
    m_ptPress = m_ptCurrent = pt;
    m_ptPressClient = client;
    UpdateStatusText();
    return 1;
}

int CKavoView::OnSelectMouseMove(const CPoint& client)
{
    if (!m_pDoc)
        return 0;
    // A divider drag takes the move first and never scrolls by itself.
    if (m_bDividerDrag)
        return TrackDividerDrag(client);
    if (m_bPanning)
        return PanMove(client);
    int taken = ClickMove(client);
    if (!taken)
        taken = TrackFigResize(client);
    if (!taken)
        taken = TrackGrpResize(client);
    if (!taken)
        taken = MoveDragMove(client);
    if (!taken)
        taken = JctDragMove(client);
    if (!taken)
        taken = LabelSlideMove(client);
    if (!taken)
        taken = ConEndMove(client);
    if (taken) {
        EraseTextAreaHover();
        StartAutoScroll(client, false);
        return 1;
    }
    OnSelectHover(ClientPtToLogical(client));
    return 0;
}

int CKavoView::OnSelectLButtonUp(const CPoint& client)
{
    if (m_bConReroute)
        return ConEndUp();
    if (m_bLabelSlide)
        return LabelSlideUp();
    if (m_bJctDrag)
        return JctDragUp();
    if (m_bMoveDrag || m_bCopyPending)
        return MoveDragUp();
    if (m_bDividerDrag)
        return EndDividerDrag();
    if (m_bFigResize)
        return EndFigResize();
    if (m_bGrpResize)
        return EndGrpResize();
    if (m_bPanning)
        return PanEnd();
    return ClickUp(client);
}

void CKavoView::OnSelectHover(const CPoint& pt)
{
    m_nHitTolerance = std::max(1, int(ClientLenToLogical(int(HandleSize)) + 0.5));
    if (g_nUIMode == kSelectTextMode && !IsAddToSelectionKey() && OnSelTextHover(pt))
        return;
    EraseTextAreaHover();
    if (OnAltSplitHover(pt) || OnConEndHover(pt) || HitTestDivider(pt) || OnFigHandleHover(pt) ||
        OnGrpHandleHover(pt))
        return;
    CDiagObj* obj = m_pDoc->ObjFromPoint(pt.x, pt.y, m_nHitTolerance, false, -1, 0, 0);
    if (obj) {
        auto* fig = obj->GetType() == kObjFigure ? static_cast<CFigure*>(obj) : nullptr;
        if (fig && !fig->IsInGroup() && fig->IsInvisible()) {
            if (fig->HitTestHandles(pt, m_nHitTolerance) == 5 && !IsRedundantBend(fig)) {
                SetViewCursor(kCursorAdjust);
                SetStatusPrompt(kIdsAdjustPrompt);
            }
            return;
        }
        if (fig && OnLinkHover(*fig, pt))
            return;
        if (fig && !fig->IsInGroup() && fig->IsFlowLabel() && !fig->m_bSelected)
            return;
        SetViewCursor(IsCtrlKeyDown() ? Qt::DragCopyCursor : Qt::SizeAllCursor);
        SetStatusPrompt(kIdsMovePrompt);
        return;
    }
    if (IsCtrlKeyDown()) {
        SetViewCursor(Qt::OpenHandCursor);
        return;
    }
    SetViewCursor(Qt::ArrowCursor);
    SetStatusPrompt(kIdsSelectPrompt);
}

// A Ctrl press: on empty space the view pans; a junction is refused; on an
// object the copy drag is armed: the selection (or the object pressed when
// nothing is selected) is duplicated once the mouse has moved the
// double-click distance, and the drag goes on with the duplicates.
int CKavoView::OnCtrlLButtonDown(const CPoint& pt)
{
    CDiagObj* obj = m_pDoc->ObjFromPoint(pt.x, pt.y, m_nHitTolerance, false, -1, 0, 0);
    if (!obj) {
        BeginPan(CPoint(LogicalPtToClient(pt)));
        return 1;
    }
    if (obj->GetType() == kObjFigure && static_cast<CFigure*>(obj)->IsInvisible()) {
        MessageBeep(MB_ICONEXCLAMATION);
        return 1;
    }
    if (!obj->m_bSelected) {
        if (obj->GetType() == kObjFigure && m_pDoc->GetSelCount() > 0)
            return 0;
        if (obj->GetType() == kObjFigure)
            m_pDoc->SelectObj(obj, kSelectReplace, 0, 0);
        else
            m_pDoc->SelectConAndEnds(static_cast<CConnector*>(obj), kSelectReplace, 0, false);
        m_bSelectedByGesture = 1;
    }
    m_ptPress = m_ptCurrent = pt;
    m_bCopyPending = 1;
    CaptureMouse();
    SetViewCursor(Qt::DragCopyCursor);
    return 1;
}

// ---- click and rubber band

void CKavoView::DrawBand()
{
    DrawInvertedBand(m_ptPress, m_ptCurrent);
}

int CKavoView::ClickMove(const CPoint& client)
{
    if (!m_bClickPending)
        return 0;
    const CPoint pt = ClientPtToLogical(client);
    if (m_bStillClick) {
        if (!IsPastClickDistance(m_ptPressClient, client))
            return 1;
        m_bStillClick = 0;
        CDiagObj* obj = m_pDoc->ObjFromPoint(m_ptPress.x, m_ptPress.y, m_nHitTolerance, false, -1, 0, 0);
        auto* fig = obj && obj->GetType() == kObjFigure ? static_cast<CFigure*>(obj) : nullptr;
        auto* con = obj && obj->GetType() == kObjConnector ? static_cast<CConnector*>(obj) : nullptr;
        // A junction is taken only at its centre handle, and a bend of one
        // line not at all.
        if (fig && fig->IsInvisible() &&
            (fig->HitTestHandles(m_ptPress, m_nHitTolerance) != 5 || IsRedundantBend(fig)))
            fig = nullptr;
        if ((con && !con->m_bSelected) || (fig && !fig->m_bSelected)) {
            m_bClickPending = 0;
            ReleaseCapture();
            m_bSelectedByGesture = 1;
            if (con)
                m_pDoc->SelectConAndEnds(con, kSelectReplace, 0, true);
            else
                m_pDoc->SelectObj(fig, kSelectReplace, 0, 0);
            // A connector or lateral label slides along its connector.
            if (fig && !fig->IsInGroup() && (fig->IsConLabel() || fig->IsLatLabel())) {
                BeginLabelSlide(fig, m_ptPress);
                LabelSlideMove(client);
                return 1;
            }
            BeginMoveDrag(m_ptPress);
            MoveDragMove(client);
            return 1;
        }
        m_ptCurrent = pt;
        DrawBand();
        m_bBandShown = 1;
        SetViewCursor(kCursorBand);
        return 1;
    }
    if (m_bBandShown)
        DrawBand();
    m_ptCurrent = pt;
    DrawBand();
    m_bBandShown = 1;
    SetViewCursor(kCursorBand);
    return 1;
}

int CKavoView::ClickUp(const CPoint& client)
{
    (void)client;
    if (!m_bClickPending)
        return 0;
    int mode = IsAddToSelectionKey() ? kSelectAdd : kSelectReplace;
    m_bClickPending = 0;
    ReleaseCapture();
    if (m_bStillClick) {
        CDiagObj* obj = m_pDoc->ObjFromPoint(m_ptPress.x, m_ptPress.y, m_nHitTolerance, false, -1, 0, 0);
        if (obj && obj->GetType() == kObjFigure) {
            if (obj->m_bSelected)
                mode = kSelectToggle;
            if (!IsRedundantBend(static_cast<CFigure*>(obj)))
                m_pDoc->SelectObj(obj, mode, 0, 0);
        } else if (obj && obj->GetType() == kObjConnector) {
            if (obj->m_bSelected)
                mode = kSelectToggle;
            m_pDoc->SelectConAndEnds(static_cast<CConnector*>(obj), mode, 0, false);
        } else if (mode != kSelectAdd) {
            m_pDoc->OnDeselectAll();
        }
    } else {
        if (m_bBandShown)
            DrawBand();
        m_bBandShown = 0;
        CRect band(m_ptPress, m_ptCurrent);
        band.NormalizeRect();
        m_pDoc->SelectInRect(band, mode);
    }
    m_bStillClick = 0;
    SetViewCursor(Qt::ArrowCursor);
    UpdateStatusText();
    return 1;
}

int CKavoView::ClickCancel(int eraseOnly)
{
    if (m_bBandShown)
        DrawBand();
    m_bBandShown = 0;
    if (!eraseOnly) {
        m_bClickPending = m_bStillClick = 0;
        ReleaseCapture();
        SetViewCursor(Qt::ArrowCursor);
        UpdateStatusText();
    }
    return 1;
}

// ---- panning

void CKavoView::BeginPan(const CPoint& client)
{
    CaptureMouse();
    const QPoint screen = viewport()->mapToGlobal(QPoint(client.x, client.y));
    m_ptPanScreen = CPoint(screen.x(), screen.y());
    m_bPanChangedSizes = 0;
    if (LimitedWorkspace) {
        const CRect visible = GetLogicalClientRect();
        const CRect& ws = m_rcWorkSpace;
        if (visible.left < ws.left || visible.top < ws.top || visible.right > ws.right || visible.bottom > ws.bottom) {
            // The whole work space of the document is panned over.
            m_nSavedLimitedWorkspace = LimitedWorkspace;
            LimitedWorkspace = 0;
            m_bPanChangedSizes = 1;
            SetScrollSizesForView(GetViewAnchorPoint(kAnchorTopLeft), GetZoom());
        }
    }
    m_bPanning = 1;
    SetViewCursor(Qt::ClosedHandCursor);
}

int CKavoView::PanMove(const CPoint& client)
{
    if (!m_bPanning)
        return 0;
    const QPoint screen = viewport()->mapToGlobal(QPoint(client.x, client.y));
    const CPoint now(screen.x(), screen.y());
    if (now != m_ptPanScreen && ScrollByPixels(m_ptPanScreen.x - now.x, m_ptPanScreen.y - now.y)) {
        FlushPaint();
        m_ptPanScreen = now;
    }
    SetViewCursor(Qt::ClosedHandCursor);
    return 1;
}

int CKavoView::PanEnd()
{
    if (!m_bPanning)
        return 0;
    ReleaseCapture();
    m_bPanning = 0;
    if (m_bPanChangedSizes) {
        LimitedWorkspace = m_nSavedLimitedWorkspace;
        m_bPanChangedSizes = 0;
        SetScrollSizesForView(GetViewAnchorPoint(kAnchorTopLeft), GetZoom());
    }
    SetViewCursor(Qt::ArrowCursor);
    return 1;
}
