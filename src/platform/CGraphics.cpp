#include "platform/CGraphics.h"

#include "platform/CDC.h"

#include <cmath>

CGraphics::CGraphics(CDC* dc) : m_dc(dc)
{
    Q_ASSERT(dc);
}

void CGraphics::TranslateTransform(float dx, float dy)
{
    // Prepended, as the graphics object's default matrix order does.
    m_state.world = QTransform::fromTranslate(dx, dy) * m_state.world;
}

void CGraphics::ScaleTransform(float sx, float sy)
{
    m_state.world = QTransform::fromScale(sx, sy) * m_state.world;
}

void CGraphics::RotateTransform(float degrees)
{
    QTransform r;
    r.rotate(degrees);
    m_state.world = r * m_state.world;
}

void CGraphics::SetClip(const QRectF& rect)
{
    QPainterPath p;
    p.addRect(rect);
    SetClip(p);
}

void CGraphics::SetClip(const QPainterPath& path)
{
    m_state.clip = m_state.world.map(path);
    m_state.hasClip = true;
}

void CGraphics::ResetClip()
{
    m_state.clip = QPainterPath();
    m_state.hasClip = false;
}

void CGraphics::DrawLine(const CGpPen& pen, QPointF a, QPointF b)
{
    QPainterPath p(a);
    p.lineTo(b);
    m_dc->GpDrawPath(p, pen, m_state);
}

void CGraphics::DrawLines(const CGpPen& pen, const QPolygonF& points)
{
    if (points.size() < 2)
        return;
    QPainterPath p;
    p.addPolygon(points);
    m_dc->GpDrawPath(p, pen, m_state);
}

void CGraphics::DrawPolygon(const CGpPen& pen, const QPolygonF& points)
{
    if (points.size() < 2)
        return;
    QPainterPath p;
    p.addPolygon(points);
    p.closeSubpath();
    m_dc->GpDrawPath(p, pen, m_state);
}

void CGraphics::FillPolygon(const CGpBrush& brush, const QPolygonF& points, GpFillMode mode)
{
    if (points.size() < 3)
        return;
    QPainterPath p;
    p.setFillRule(mode == GpFillMode::Winding ? Qt::WindingFill : Qt::OddEvenFill);
    p.addPolygon(points);
    p.closeSubpath();
    m_dc->GpFillPath(p, brush, m_state);
}

void CGraphics::DrawRectangle(const CGpPen& pen, const QRectF& rect)
{
    QPainterPath p;
    p.addRect(rect);
    m_dc->GpDrawPath(p, pen, m_state);
}

void CGraphics::FillRectangle(const CGpBrush& brush, const QRectF& rect)
{
    QPainterPath p;
    p.addRect(rect);
    m_dc->GpFillPath(p, brush, m_state);
}

void CGraphics::DrawEllipse(const CGpPen& pen, const QRectF& rect)
{
    QPainterPath p;
    p.addEllipse(rect);
    m_dc->GpDrawPath(p, pen, m_state);
}

void CGraphics::FillEllipse(const CGpBrush& brush, const QRectF& rect)
{
    QPainterPath p;
    p.addEllipse(rect);
    m_dc->GpFillPath(p, brush, m_state);
}

QPainterPath CGraphics::ArcPath(const QRectF& rect, float startAngle, float sweepAngle, bool pie)
{
    // Qt's angles run counter-clockwise on the screen, the graphics object's
    // clockwise: negate both.
    QPainterPath p;
    if (pie) {
        p.moveTo(rect.center());
        p.arcTo(rect, -startAngle, -sweepAngle);
        p.closeSubpath();
    } else {
        p.arcMoveTo(rect, -startAngle);
        p.arcTo(rect, -startAngle, -sweepAngle);
    }
    return p;
}

void CGraphics::DrawArc(const CGpPen& pen, const QRectF& rect, float startAngle, float sweepAngle)
{
    m_dc->GpDrawPath(ArcPath(rect, startAngle, sweepAngle, false), pen, m_state);
}

void CGraphics::DrawPie(const CGpPen& pen, const QRectF& rect, float startAngle, float sweepAngle)
{
    m_dc->GpDrawPath(ArcPath(rect, startAngle, sweepAngle, true), pen, m_state);
}

void CGraphics::FillPie(const CGpBrush& brush, const QRectF& rect, float startAngle, float sweepAngle)
{
    m_dc->GpFillPath(ArcPath(rect, startAngle, sweepAngle, true), brush, m_state);
}

void CGraphics::DrawBezier(const CGpPen& pen, QPointF p1, QPointF p2, QPointF p3, QPointF p4)
{
    QPainterPath p(p1);
    p.cubicTo(p2, p3, p4);
    m_dc->GpDrawPath(p, pen, m_state);
}

void CGraphics::DrawBeziers(const CGpPen& pen, const QPolygonF& points)
{
    if (points.size() < 4)
        return;
    QPainterPath p(points[0]);
    for (int i = 1; i + 2 < points.size(); i += 3)
        p.cubicTo(points[i], points[i + 1], points[i + 2]);
    m_dc->GpDrawPath(p, pen, m_state);
}

void CGraphics::DrawPath(const CGpPen& pen, const QPainterPath& path)
{
    m_dc->GpDrawPath(path, pen, m_state);
}

void CGraphics::FillPath(const CGpBrush& brush, const QPainterPath& path)
{
    m_dc->GpFillPath(path, brush, m_state);
}

void CGraphics::DrawImage(const QImage& image, const QRectF& dst)
{
    DrawImage(image, dst, QRectF(image.rect()), nullptr);
}

void CGraphics::DrawImage(const QImage& image, const QRectF& dst, const QRectF& src,
                          const CGpImageAttributes* attrs)
{
    if (image.isNull() || dst.isEmpty())
        return;
    m_dc->GpDrawImage(image, dst, src, attrs, m_state);
}

void CGraphics::Clear(ARGB color)
{
    // Clear ignores the world transform but keeps the clip.
    CGpState s = m_state;
    s.world = QTransform();
    CGpBrush brush;
    brush.color = color;
    QPainterPath p;
    p.addRect(QRectF(-1e6, -1e6, 2e6, 2e6));
    m_dc->GpFillPath(p, brush, s);
}
