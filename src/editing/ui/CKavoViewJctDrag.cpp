// The junction drag: a junction (a figure that draws nothing) is moved alone
// by its centre handle while its connectors follow in outline; the release
// moves it in one undo step. A bend of one line is not a junction to adjust.
#include "editing/ui/CKavoView.h"
#include "editing/ui/ViewCursors.h"

#include "core/MessageBeep.h"
#include "document/CConnector.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "undo/UndoCodes.h"

#include <QCursor>

namespace {
// The line-shape bits of a connector's property word: two connectors that
// agree in them draw as one line through their junction.
constexpr DWORD kLineShapeBits = 0x1A;
constexpr int kJunctionHandle = 5;
constexpr int kJunctionSize = 15;   // the side of a new junction
constexpr int kSelectAdd = 2;
constexpr UINT kBeepWarning = 0x30;
} // namespace

bool CKavoView::IsRedundantBend(const CFigure* fig) const
{
    if (!m_pDoc || !fig || !fig->IsTwoWayJct() || fig->TerminalJct)
        return false;
    CConnector *first = nullptr, *second = nullptr;
    if (!m_pDoc->GetConsOnFig(fig, first, second) || !first || !second)
        return false;
    return (first->m_props.Behavior.low & kLineShapeBits) == (second->m_props.Behavior.low & kLineShapeBits);
}

int CKavoView::OnAltSplitDown(const CPoint& pt)
{
    if (!IsAltKeyDown())
        return 0;
    POINT at{pt.x, pt.y};
    CConnector* con = m_pDoc->ConFromPoint(pt.x, pt.y, m_nHitTolerance, false, &at);
    // Object flag 1 keeps a connector whole.
    if (!con || con->m_pGroup || con->HasFlags(1, 0))
        return 0;
    if (!con->m_bSelected)
        m_pDoc->SelectConAndEnds(con, kSelectAdd, 0, false);
    // The junction's creation opens the step the split then joins.
    m_pDoc->UndoBeginStep(UDMAC_SPLITCON);
    CFigure* jct = m_pDoc->CreateFigAt(CPoint(at.x - kJunctionSize / 2, at.y - kJunctionSize / 2), 1);
    if (!jct || !m_pDoc->SplitConAtFig(jct, con, at)) {
        m_pDoc->UndoEndStep();
        MessageBeep(kBeepWarning);
        return 1;
    }
    m_pDoc->SelectObj(jct, kSelectAdd, 0, 0);
    SetViewCursor(kCursorAdjust);
    FlushPaint();
    return BeginJctDrag(jct, pt);
}

// A press on the centre handle of a selected, ungrouped junction.
int CKavoView::OnJctButtonDown(const CPoint& pt)
{
    CDiagObj* obj = m_pDoc->ObjFromPoint(pt.x, pt.y, m_nHitTolerance, false, -1, 0, 0);
    if (!obj || obj->GetType() != kObjFigure || !obj->m_bSelected)
        return 0;
    auto* fig = static_cast<CFigure*>(obj);
    if (fig->IsInGroup() || !fig->IsInvisible() || fig->HitTestHandles(pt, m_nHitTolerance) != kJunctionHandle)
        return 0;
    return BeginJctDrag(fig, pt);
}

int CKavoView::BeginJctDrag(CFigure* jct, const CPoint& pt)
{
    if (!m_pDoc || !jct)
        return 0;
    m_pDoc->InvalidateObj(jct);
    m_rcDragStart = jct->m_rect;
    m_pJctFig = jct;
    m_bJctDrag = 1;
    CaptureMouse();
    ShowStatus(std::string());
    m_ptPress = m_ptCurrent = pt;
    m_bDragGridSnap = m_pDoc->m_bAlignToGrid != 0;
    FlushPaint();
    DrawMoveTracking(0, 0);
    m_bTrackShown = 1;
    m_szTrackShown = CSize(0, 0);
    return 1;
}

int CKavoView::JctDragMove(const CPoint& client)
{
    if (!m_bJctDrag || !m_pDoc)
        return 0;
    const CSize off = SnappedDragOffset(ClientPtToLogical(client));
    const CPoint target(m_ptPress.x + off.cx, m_ptPress.y + off.cy);
    if (target == m_ptCurrent && m_bTrackShown && !m_bReFeed)
        return 1;
    if (m_bTrackShown)
        DrawMoveTracking(m_szTrackShown.cx, m_szTrackShown.cy);
    m_ptCurrent = target;
    DrawMoveTracking(off.cx, off.cy);
    m_bTrackShown = 1;
    m_szTrackShown = off;
    return 1;
}

int CKavoView::JctDragUp()
{
    if (!m_bJctDrag)
        return 0;
    EraseMoveTracking();
    if (m_pDoc)
        m_pDoc->MoveSelection(m_ptCurrent.x - m_ptPress.x, m_ptCurrent.y - m_ptPress.y, m_bDragGridSnap, true);
    FinishJctDrag();
    if (m_pDoc)
        m_pDoc->RefreshSelection();
    return 1;
}

int CKavoView::JctDragCancel(int eraseOnly)
{
    if (!m_bJctDrag)
        return 0;
    EraseMoveTracking();
    if (!eraseOnly)
        FinishJctDrag();
    return 1;
}

void CKavoView::FinishJctDrag()
{
    if (m_bSelectedByGesture && m_pDoc)
        m_pDoc->OnDeselectAll();
    m_bSelectedByGesture = 0;
    ReleaseCapture();
    m_bJctDrag = 0;
    m_pJctFig = nullptr;
    UpdateStatusText();
}
