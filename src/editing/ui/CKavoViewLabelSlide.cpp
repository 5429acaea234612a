// The label slide: a connector label or a lateral label is dragged along its
// connector; its outline follows inverted, and the release re-anchors it at
// the place the label's centre was dropped, in one undo step.
#include "editing/ui/CKavoView.h"

#include "core/MessageBeep.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "document/CStaple.h"
#include "platform/CPainterDC.h"
#include "undo/UndoCodes.h"

namespace {
constexpr UINT kBeepWarning = 0x30;

bool IsSlidingLabel(const CFigure* fig)
{
    return fig && !fig->IsInGroup() && (fig->IsConLabel() || fig->IsLatLabel());
}
} // namespace

// A press on the only selected object, an ungrouped connector or lateral
// label, away from its handles or on its centre.
int CKavoView::OnLabelSlideDown(const CPoint& pt)
{
    if (m_pDoc->GetSelCount() != 1)
        return 0;
    CFigure* label = m_pDoc->GetFirstSelFig(0, 1);
    if (!IsSlidingLabel(label) || m_pDoc->ObjFromPoint(pt.x, pt.y, m_nHitTolerance, false, -1, 0, 0) != label)
        return 0;
    const int handle = label->HitTestHandles(pt, m_nHitTolerance);
    if (handle != 0 && handle != 5)
        return 0;
    return BeginLabelSlide(label, pt);
}

// Drawing the outline again erases it; the connector the label would go to
// is shown with the outline and erased with it.
void CKavoView::DrawLabelSlideTracking(int dx, int dy, bool show)
{
    std::unique_ptr<CPainterDC> dc = GetClientDC();
    dc->SetROP2(R2_NOTXORPEN);
    m_pDoc->TrackFigDrag(dc.get(), show, m_pSlideLabel, dx, dy);
    dc->Flush();
    viewport()->update();
}

int CKavoView::BeginLabelSlide(CFigure* label, const CPoint& pt)
{
    if (!m_pDoc || !IsSlidingLabel(label))
        return 0;
    m_bLabelSlide = 1;
    m_pSlideLabel = label;
    m_pDoc->InvalidateObj(label);
    CaptureMouse();
    m_ptPress = m_ptCurrent = pt;
    m_rcDragStart = m_pDoc->GetObjSetRect(1, 0, 0, nullptr, false);
    FlushPaint();
    DrawLabelSlideTracking(0, 0, true);
    m_bTrackShown = 1;
    m_szTrackShown = CSize(0, 0);
    return 1;
}

int CKavoView::LabelSlideMove(const CPoint& client)
{
    if (!m_bLabelSlide || !m_pDoc)
        return 0;
    const CPoint pt = ClientPtToLogical(client);
    int dx = pt.x - m_ptPress.x, dy = pt.y - m_ptPress.y;
    m_pDoc->SnapMoveOffset(dx, dy);
    const CPoint target(m_ptPress.x + dx, m_ptPress.y + dy);
    if (target != m_ptCurrent || m_bReFeed) {
        if (m_bTrackShown && !m_bReFeed)
            DrawLabelSlideTracking(m_szTrackShown.cx, m_szTrackShown.cy, false);
        m_ptCurrent = target;
        DrawLabelSlideTracking(dx, dy, true);
        m_bTrackShown = 1;
        m_szTrackShown = CSize(dx, dy);
    }
    ShowStatus(std::string());
    return 1;
}

int CKavoView::LabelSlideUp()
{
    if (!m_bLabelSlide)
        return 0;
    if (m_bTrackShown)
        DrawLabelSlideTracking(m_szTrackShown.cx, m_szTrackShown.cy, false);
    m_bTrackShown = 0;
    const CSize off(m_ptCurrent.x - m_ptPress.x, m_ptCurrent.y - m_ptPress.y);
    CStaple* staple = m_pSlideLabel ? m_pSlideLabel->m_pStaple : nullptr;
    // A release where the press was moves nothing and records nothing.
    if (m_pDoc && staple && (off.cx || off.cy)) {
        const CPoint c = m_pSlideLabel->GetCenter();
        m_pDoc->UndoBeginStep(UDMAC_SLIDELBL);
        const int slid = m_pDoc->MoveConLabel(staple, staple->m_pCon, CPoint(c.x + off.cx, c.y + off.cy));
        m_pDoc->UndoEndStep();
        if (!slid)
            MessageBeep(kBeepWarning);
    }
    FinishLabelSlide();
    if (m_pDoc)
        m_pDoc->RefreshSelection();
    return 1;
}

int CKavoView::LabelSlideCancel(int eraseOnly)
{
    if (!m_bLabelSlide)
        return 0;
    if (m_bTrackShown)
        DrawLabelSlideTracking(m_szTrackShown.cx, m_szTrackShown.cy, false);
    m_bTrackShown = 0;
    if (!eraseOnly)
        FinishLabelSlide();
    return 1;
}

void CKavoView::FinishLabelSlide()
{
    if (m_bSelectedByGesture && m_pDoc)
        m_pDoc->OnDeselectAll();
    m_bSelectedByGesture = 0;
    ReleaseCapture();
    m_bLabelSlide = 0;
    m_pSlideLabel = nullptr;
    UpdateStatusText();
}
