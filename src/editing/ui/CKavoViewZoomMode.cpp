// The zoom mode of the diagram view: a rubber band drawn inverted on the
// view's surface, then a zoom to the band or, for a click, 1.5 times in.
#include "editing/ui/CKavoView.h"
#include "editing/ui/ViewCursors.h"

#include "editing/GestureRules.h"
#include "graphics/DrawGrid.h"
#include "platform/CPainterDC.h"

#include <cmath>

namespace {
constexpr COLORREF kInvertedDots = 2;
} // namespace

bool CKavoView::ZoomBandIsDrag() const
{
    const double dx = m_ptZoomEnd.x - m_ptZoomStart.x, dy = m_ptZoomEnd.y - m_ptZoomStart.y;
    return std::hypot(dx, dy) > std::abs(ClientLenToLogical(kDoubleClickWidth));
}

void CKavoView::DrawInvertedBand(const CPoint& a, const CPoint& b)
{
    CRect band(a, b);
    band.NormalizeRect();
    std::unique_ptr<CPainterDC> dc = GetClientDC();
    DrawDottedRect(dc.get(), band, kInvertedDots);
    dc->Flush();
    viewport()->update();
}

void CKavoView::DrawZoomBand()
{
    DrawInvertedBand(m_ptZoomStart, m_ptZoomEnd);
}

void CKavoView::OnZoomModeDown(const CPoint& client)
{
    // The band holds the mouse: it follows the pointer outside the window,
    // which scrolls the view.
    CaptureMouse();
    m_bZoomBand = true;
    m_ptZoomStart = m_ptZoomEnd = ClientPtToLogical(client);
    DrawZoomBand();
    UpdateStatusText();
}

void CKavoView::OnZoomModeMove(const CPoint& client)
{
    if (!m_bZoomBand) {
        SetViewCursor(kCursorZoom);
        return;
    }
    DrawZoomBand();
    m_ptZoomEnd = ClientPtToLogical(client);
    DrawZoomBand();
    SetViewCursor(ZoomBandIsDrag() ? int(Qt::ArrowCursor) : kCursorZoom);
}

void CKavoView::OnZoomModeUp(const CPoint& client)
{
    if (!m_bZoomBand)
        return;
    DrawZoomBand();
    m_bZoomBand = false;
    ReleaseCapture();
    m_ptZoomEnd = ClientPtToLogical(client);
    if (ZoomBandIsDrag()) {
        CRect band(m_ptZoomStart, m_ptZoomEnd);
        band.NormalizeRect();
        ZoomToRect(band);
        AfterZoomCommand();
    } else {
        ZoomToPercentPtd(GetZoom() * 1.5f, m_ptZoomEnd.x, m_ptZoomEnd.y, false);
    }
    UpdateStatusText();
}
