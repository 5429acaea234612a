// The junction drag: a junction (a figure that draws nothing) is moved alone
// by its centre handle while its connectors follow in outline; the release
// moves it in one undo step. A bend of one line is not a junction to adjust.
#include "editing/ui/CKavoView.h"
#include "editing/ui/ViewCursors.h"

#include "core/MessageBeep.h"
#include "document/CConnector.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "geometry/IntGeometry.h"
#include "undo/UndoCodes.h"

#include <QCursor>

#include <algorithm>

namespace {
// The line-shape bits of a connector's property word: two connectors that
// agree in them draw as one line through their junction.
constexpr DWORD kLineShapeBits = 0x1A;
constexpr int kJunctionHandle = 5;
constexpr int kJunctionSize = 15;   // the side of a new junction
constexpr int kSelectAdd = 2;
constexpr UINT kBeepWarning = 0x30;
} // namespace

// With snapping on, the document's snap guides for a figure dragged alone:
// where its connectors would run straight to their far ends. True when
// guides were found; the drag then snaps the figure's centre to them and
// the grid, and the release does not pull its corner back onto the grid.
bool CKavoView::SnapFigToNeighbours(const CFigure* fig)
{
    m_pDoc->m_snapGuides.Clear();
    if (!m_pDoc->m_bAlignToGrid || !fig || fig->m_nConnected <= 0)
        return false;
    m_pDoc->CollectConEndGuides(fig, false);
    return !m_pDoc->m_snapGuides.IsEmpty();
}

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
    // Guides where the connectors would run straight take over from the
    // grid: the release must not pull the corner back onto the grid.
    m_bJctGuides = SnapFigToNeighbours(jct) ? 1 : 0;
    if (m_bJctGuides)
        m_bDragGridSnap = 0;
    FlushPaint();
    DrawMoveTracking(0, 0);
    m_bTrackShown = 1;
    m_szTrackShown = CSize(0, 0);
    return 1;
}

CSize CKavoView::JctDragOffset(const CPoint& pt) const
{
    if (!m_bJctGuides && m_bDragGridSnap)
        return SnappedDragOffset(pt);
    int dx = pt.x - m_ptPress.x, dy = pt.y - m_ptPress.y;
    const CPoint centre = m_rcDragStart.CenterPoint();
    if (m_bJctGuides) {
        const CSize off = SnapCentreOffset(centre, dx, dy);
        dx = off.cx;
        dy = off.cy;
    } else if (m_pJctFig) {
        // A connector that keeps its shape travels with the junction: its
        // far end stays inside the work space.
        m_pDoc->ForEachConnector([&](const CConnector* c) {
            if ((c->m_pFig1 != m_pJctFig && c->m_pFig2 != m_pJctFig) || !c->HasFlags(1, 0))
                return;
            const CPoint far = c->m_pFig1 == m_pJctFig ? c->EndPoint2 : c->EndPoint1;
            dx = std::clamp<int>(dx, m_rcWorkSpace.left - far.x, std::max<int>(m_rcWorkSpace.left - far.x,
                                                                              m_rcWorkSpace.right - far.x));
            dy = std::clamp<int>(dy, m_rcWorkSpace.top - far.y, std::max<int>(m_rcWorkSpace.top - far.y,
                                                                             m_rcWorkSpace.bottom - far.y));
        });
    }
    int cx = dx, cy = dy;
    if (ClampOffsetToRect(m_rcDragStart, cx, cy, m_rcWorkSpace)) {
        dx += cx;
        dy += cy;
    }
    return CSize(dx, dy);
}

int CKavoView::JctDragMove(const CPoint& client)
{
    if (!m_bJctDrag || !m_pDoc)
        return 0;
    const CSize off = JctDragOffset(ClientPtToLogical(client));
    const CPoint target(m_ptPress.x + off.cx, m_ptPress.y + off.cy);
    if (target == m_ptCurrent && m_bTrackShown && !m_bReFeed)
        return 1;
    if (m_bTrackShown && !m_bReFeed)
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
    m_bJctGuides = 0;
    m_pJctFig = nullptr;
    if (m_pDoc)
        m_pDoc->m_snapGuides.Clear();
    UpdateStatusText();
}
