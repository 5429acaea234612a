// The zoom mode of the diagram view: a rubber band drawn inverted on the
// view's surface, then a zoom to the band or, for a click, 1.5 times in.
#include "editing/ui/CKavoView.h"

#include "core/UIMode.h"
#include "graphics/DrawGrid.h"
#include "platform/CPainterDC.h"

#include <QMouseEvent>

#include <cmath>

namespace {
// The system's double-click width in pixels: a shorter band is a click.
constexpr int kDoubleClickWidth = 4;
constexpr int kZoomMode = 5;
constexpr COLORREF kInvertedDots = 2;
} // namespace

bool CKavoView::ZoomBandIsDrag() const
{
    const double dx = m_ptZoomEnd.x - m_ptZoomStart.x, dy = m_ptZoomEnd.y - m_ptZoomStart.y;
    return std::hypot(dx, dy) > std::abs(ClientLenToLogical(kDoubleClickWidth));
}

void CKavoView::DrawZoomBand()
{
    CRect band(m_ptZoomStart, m_ptZoomEnd);
    band.NormalizeRect();
    std::unique_ptr<CPainterDC> dc = GetClientDC();
    DrawDottedRect(dc.get(), band, kInvertedDots);
    dc->Flush();
    viewport()->update();
}

void CKavoView::OnZoomModeDown(const CPoint& client)
{
    m_bZoomBand = true;
    m_ptZoomStart = m_ptZoomEnd = ClientPtToLogical(client);
    DrawZoomBand();
}

void CKavoView::OnZoomModeMove(const CPoint& client)
{
    if (!m_bZoomBand) {
        viewport()->setCursor(Qt::CrossCursor);
        return;
    }
    DrawZoomBand();
    m_ptZoomEnd = ClientPtToLogical(client);
    DrawZoomBand();
    viewport()->setCursor(ZoomBandIsDrag() ? Qt::ArrowCursor : Qt::CrossCursor);
}

void CKavoView::OnZoomModeUp(const CPoint& client)
{
    if (!m_bZoomBand)
        return;
    DrawZoomBand();
    m_bZoomBand = false;
    m_ptZoomEnd = ClientPtToLogical(client);
    if (ZoomBandIsDrag()) {
        CRect band(m_ptZoomStart, m_ptZoomEnd);
        band.NormalizeRect();
        ZoomToRect(band);
        AfterZoomCommand();
    } else {
        ZoomToPercentPtd(GetZoom() * 1.5f, m_ptZoomEnd.x, m_ptZoomEnd.y, false);
    }
}

// Only the zoom mode is handled here; the other modes' input comes with the
// view's input dispatch.
void CKavoView::mousePressEvent(QMouseEvent* event)
{
    if (g_nUIMode == kZoomMode && event->button() == Qt::LeftButton)
        OnZoomModeDown(CPoint(event->position().toPoint().x(), event->position().toPoint().y()));
    CZoomView::mousePressEvent(event);
}

void CKavoView::mouseMoveEvent(QMouseEvent* event)
{
    if (g_nUIMode == kZoomMode)
        OnZoomModeMove(CPoint(event->position().toPoint().x(), event->position().toPoint().y()));
    CZoomView::mouseMoveEvent(event);
}

void CKavoView::mouseReleaseEvent(QMouseEvent* event)
{
    if (g_nUIMode == kZoomMode && event->button() == Qt::LeftButton)
        OnZoomModeUp(CPoint(event->position().toPoint().x(), event->position().toPoint().y()));
    CZoomView::mouseReleaseEvent(event);
}
