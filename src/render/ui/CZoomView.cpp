#include "render/ui/CZoomView.h"

#include "platform/CPainterDC.h"

#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

CZoomView::CZoomView(QWidget* parent) : QAbstractScrollArea(parent)
{
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_NoSystemBackground);
}

CZoomView::~CZoomView() = default;

void CZoomView::SetZoomScrollSizes(CSize sizeBaseDev, const CRect& rectLogical, int pagePercent,
                                   int linePercent)
{
    m_map.SetZoomScrollSizes(sizeBaseDev, rectLogical, pagePercent, linePercent);
    UpdateBars();
}

float CZoomView::SetZoom(float percent, int anchor)
{
    const CPoint point = m_map.GetViewAnchorPoint(anchor);
    const float previous = m_map.m_fZoom;
    m_map.SetZoomValue(percent);
    if (m_map.m_fZoom == previous)
        return previous;
    UpdateBars();
    ScrollToViewAnchorPoint(point, anchor, true);
    return previous;
}

void CZoomView::ScrollToViewAnchorPoint(const CPoint& logical, int anchor, bool invalidate)
{
    const CPoint dev = m_map.DevicePosForAnchor(logical, anchor);
    ScrollToDevicePosition(dev.x, dev.y, invalidate);
}

void CZoomView::ScrollToDevicePosition(int x, int y, bool invalidate)
{
    m_map.m_scroll = CPoint(x, y);
    SyncBarsFromMapping();
    // Scrolling re-renders the whole surface: the old pixels are not reused.
    (void)invalidate;
    InvalidateAll();
}

bool CZoomView::OnScroll(unsigned code, int pos, bool doScroll)
{
    const int hCode = int(code & 0xFF), vCode = int((code >> 8) & 0xFF);
    CSize delta(0, 0);
    if (hCode != 0xFF)
        delta.cx = int((long long)m_map.ScrollCodeTarget(hCode, m_map.m_scroll.x, pos, false) - m_map.m_scroll.x);
    if (vCode != 0xFF)
        delta.cy = int((long long)m_map.ScrollCodeTarget(vCode, m_map.m_scroll.y, pos, true) - m_map.m_scroll.y);
    const bool scrolled = OnScrollBy(delta, doScroll);
    if (scrolled && doScroll)
        FlushPaint();
    return scrolled;
}

bool CZoomView::OnScrollBy(CSize delta, bool doScroll)
{
    if (!m_map.ScrollBy(delta))
        return false;
    if (doScroll) {
        SyncBarsFromMapping();
        InvalidateAll();
    }
    return true;
}

void CZoomView::UpdateBars()
{
    if (m_bInsideUpdate)
        return;
    m_bInsideUpdate = 1;
    const QSize vs = viewport()->size();
    m_map.m_client = CSize(vs.width(), vs.height());
    const ZoomBarLayout layout = m_map.ComputeBars(m_map.m_client, CSize(0, 0), true);
    m_map.ApplyBars(layout);
    SyncBarsFromMapping();
    m_bInsideUpdate = 0;
}

void CZoomView::SyncBarsFromMapping()
{
    m_bSettingBars = true;
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    h->setRange(0, m_map.m_hLimit);
    v->setRange(0, m_map.m_vLimit);
    h->setPageStep(std::max(1, int(m_map.m_pageDev.cx)));
    v->setPageStep(std::max(1, int(m_map.m_pageDev.cy)));
    h->setSingleStep(std::max(1, int(m_map.m_lineDev.cx)));
    v->setSingleStep(std::max(1, int(m_map.m_lineDev.cy)));
    h->setEnabled(m_map.m_hBar);
    v->setEnabled(m_map.m_vBar);
    h->setValue(m_map.m_scroll.x);
    v->setValue(m_map.m_scroll.y);
    m_bSettingBars = false;
}

void CZoomView::scrollContentsBy(int, int)
{
    if (m_bSettingBars)
        return;
    const CSize delta(horizontalScrollBar()->value() - m_map.m_scroll.x,
                      verticalScrollBar()->value() - m_map.m_scroll.y);
    OnScrollBy(delta, true);
}

std::unique_ptr<CPainterDC> CZoomView::GetClientDC()
{
    RenderDirty();
    auto dc = std::make_unique<CPainterDC>(&m_surface);
    OnPrepareDC(*dc);
    return dc;
}

void CZoomView::InvalidateClient(const QRect& rc)
{
    m_dirty += rc.intersected(QRect(QPoint(0, 0), viewport()->size()));
    viewport()->update(rc);
}

void CZoomView::InvalidateAll()
{
    InvalidateClient(QRect(QPoint(0, 0), viewport()->size()));
}

void CZoomView::PostponeUpdateRegion()
{
    if (m_dirty.isEmpty())
        return;
    // A second postpone before the repaint keeps the first area too.
    const QRect area = m_dirty.boundingRect();
    m_rcPostponed = m_bPostponed ? m_rcPostponed.united(area) : area;
    m_bPostponed = true;
    m_dirty = QRegion();
}

void CZoomView::ResumePostponedUpdate()
{
    if (!m_bPostponed)
        return;
    m_bPostponed = false;
    InvalidateClient(m_rcPostponed);
}

void CZoomView::RenderDirty(bool flush)
{
    const QSize size = viewport()->size();
    if (m_bPostponed && (flush || !m_dirty.isEmpty())) {
        m_dirty += m_rcPostponed.intersected(QRect(QPoint(0, 0), size));
        m_bPostponed = false;
    }
    if (m_surface.size() != size) {
        m_surface = QImage(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
        m_surface.fill(Qt::white);
        m_dirty = QRegion(QRect(QPoint(0, 0), size));
    }
    if (m_dirty.isEmpty())
        return;
    const QRect area = m_dirty.boundingRect();
    m_dirty = QRegion();
    if (area.width() <= 0 || area.height() <= 0)
        return;
    if (area == QRect(QPoint(0, 0), size)) {
        CPainterDC dc(&m_surface);
        OnPrepareDC(dc);
        RenderArea(dc, area);
        dc.Flush();
        return;
    }
    // A partial repaint is drawn at the surface's own coordinates, into a
    // scratch image the surface's size, and only the area is copied: smoothed
    // lines drawn shifted into a smaller image come out a shade different
    // from a full repaint, and inverted feedback erased over them would leave
    // a trace.
    if (m_scratch.size() != m_surface.size())
        m_scratch = QImage(m_surface.size(), QImage::Format_RGB32);
    {
        QPainter fill(&m_scratch);
        fill.fillRect(area, Qt::white);
    }
    {
        CPainterDC dc(&m_scratch);
        // Drawing stops at the area, as it did at a buffer's edge: nothing
        // outside it is copied, and the clip box tells the drawing what to skip.
        CRgn clip;
        clip.CreateRectRgn(area.left(), area.top(), area.right() + 1, area.bottom() + 1);
        dc.SelectClipRgn(&clip);
        OnPrepareDC(dc);
        RenderArea(dc, area);
        dc.Flush();
    }
    QPainter p(&m_surface);
    p.drawImage(area.topLeft(), m_scratch, area);
}

void CZoomView::FlushPaint()
{
    RenderDirty(true);
    viewport()->update();
}

void CZoomView::paintEvent(QPaintEvent* event)
{
    RenderDirty();
    QPainter p(viewport());
    p.drawImage(event->rect(), m_surface, event->rect());
}

void CZoomView::OnSize()
{
    UpdateBars();
}

void CZoomView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    OnSize();
    InvalidateAll();
}
