// A pin (a port, pin, name tab or stacked figure) dragged by the move drag
// snaps to the host it may sit on, and the drop links it to that host or
// cuts the link to the one it left, in the move's undo step.
#include "editing/ui/CKavoView.h"

#include "document/AttachKinds.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "document/CStaple.h"
#include "geometry/IntGeometry.h"

CFigure* CKavoView::SnapPinToHost(CPoint& centre, const CSize& size, int moveFlag, int& rowId, CPoint& guide,
                                  int& guideFlag, const CFigure* fig)
{
    guideFlag = 0;
    if (!m_pDoc || !fig)
        return nullptr;
    CRect drag = RectFromCenter(centre.x, centre.y, size.cx, size.cy);
    const AttachKind* row = nullptr;
    int distance = 0;
    const int snap = m_pDoc->GetPinSnapDistance();
    CFigure* host = m_pDoc->FindPinHost(drag, fig, &row, moveFlag, distance, snap, snap);
    CPoint p, q;
    if (!host || !row || !row->Place(drag, host->m_rect, p, q, m_pDoc->GetPinInnerSnap()))
        return nullptr;
    if (row->placementType == 1) {
        // A guide through the host's middle, across the side the figure
        // touches.
        const CRect& h = host->m_rect;
        guide = RectCenterPt(h);
        const bool onSide = q.x == h.left || q.x == h.right, onTopOrBottom = q.y == h.top || q.y == h.bottom;
        if (onSide && !onTopOrBottom) {
            guideFlag = 1;
            guide.x = q.x;
        } else if (onTopOrBottom) {
            guideFlag = 1;
            guide.y = q.y;
        }
    }
    centre = RectCenterPt(drag);
    rowId = row->id;
    return host;
}

void CKavoView::BeginPinDrag(CFigure* single)
{
    m_pDragPin = nullptr;
    if (!m_pDoc)
        return;
    if (single && GetPinKind(single) != -1) {
        // A pin goes against its host, not into a flow or onto the grid.
        m_pDragPin = single;
        m_bFlowInsert = 0;
        m_pFlowFig = nullptr;
        m_bDragGridSnap = 0;
    } else if (!single) {
        m_pDragPin = m_pDoc->FindDraggedPin();
    }
}

CSize CKavoView::SnapPinDragOffset(const CSize& off)
{
    if (!m_pDragPin)
        return off;
    if (IsCtrlKeyDown()) {
        ClearPinGuides();
        return off;
    }
    const CRect& rc = m_pDragPin->m_rect;
    const CPoint c0 = RectCenterPt(rc);
    CPoint c(c0.x + off.cx, c0.y + off.cy);
    int rowId = -1, guideFlag = 0;
    CPoint guide;
    CFigure* host = SnapPinToHost(c, rc.Size(), 1, rowId, guide, guideFlag, m_pDragPin);
    SetPinGuides(host, c, guide, guideFlag);
    if (!host)
        return off;
    // Held axes (bit 2 x, bit 1 y) keep the mouse's offset.
    CSize snapped = off;
    if (!(m_pDragPin->m_nFixedAxes & 2))
        snapped.cx = c.x - c0.x;
    if (!(m_pDragPin->m_nFixedAxes & 1))
        snapped.cy = c.y - c0.y;
    return snapped;
}

void CKavoView::SetPinGuides(CFigure* host, const CPoint& centre, const CPoint& guide, int guideFlag)
{
    if (!m_pDoc)
        return;
    if (!host) {
        ClearPinGuides();
        return;
    }
    CSnapGuides& guides = m_pDoc->m_snapGuides;
    guides.Clear();
    guides.AddPoint(POINT{centre.x, centre.y});
    if (guideFlag)
        guides.AddPoint(POINT{guide.x, guide.y});
    m_bPinGuides = 1;
}

void CKavoView::ClearPinGuides()
{
    if (!m_bPinGuides || !m_pDoc)
        return;
    m_bPinGuides = 0;
    m_pDoc->m_snapGuides.Clear();
    // A figure dragged alone lines up with its connectors' far ends again.
    if (m_bMoveGuides && m_pDragPin)
        SnapFigToNeighbours(m_pDragPin);
}

void CKavoView::DropDraggedPin(bool moved)
{
    CFigure* pin = m_pDragPin;
    m_pDragPin = nullptr;
    if (!pin || !moved || !m_pDoc || m_pDoc->m_pObjList->Find(pin) < 0)
        return;
    m_pDoc->UndoLogRef().UndoReopenLastStep(-3);
    if (!IsCtrlKeyDown()) {
        const AttachKind* row = nullptr;
        int distance = 0;
        CFigure* host = m_pDoc->FindPinHost(pin->m_rect, pin, &row, 1, distance, m_pDoc->GetPinSnapDistance(), 1);
        if (CStaple* link = m_pDoc->FindFigLinkTo(pin); link && link->m_pFig1 != host)
            m_pDoc->CutStaple(link, -1);
        if (host && row) {
            m_pDoc->PinFigToHost(pin, host, row->id);
            m_pDoc->RefreshSelection();
        }
    }
    m_pDoc->UndoEndStep();
}
