#include "render/GdipShapes.h"

#include "platform/CGraphics.h"

#include <cmath>
#include <numbers>

namespace {

double Normalize360(double deg)
{
    deg = std::fmod(deg, 360.0);
    return deg < 0 ? deg + 360.0 : deg;
}

// Degrees clockwise on the screen from the x axis, in 0..360.
float ScreenAngle(const QRectF& rect, QPointF pt)
{
    const QPointF c = rect.center();
    double deg = std::atan2(pt.y() - c.y(), pt.x() - c.x()) * 180.0 / std::numbers::pi;
    return float(Normalize360(deg));
}

} // namespace

QPainterPath RoundRectPath(float x, float y, float width, float height, float ew, float eh)
{
    QPainterPath path;
    path.moveTo(x + ew / 2, y);
    path.lineTo(x + width - ew, y);
    path.arcTo(QRectF(x + width - ew, y, ew, eh), 90, -90);  // graphics 270, sweep 90
    path.lineTo(x + width, y + height - eh);
    path.arcTo(QRectF(x + width - ew, y + height - eh, ew, eh), 0, -90);
    path.lineTo(x + ew / 2, y + height);
    path.arcTo(QRectF(x, y + height - eh, ew, eh), 270, -90);
    path.lineTo(x, y + eh / 2);
    path.arcTo(QRectF(x, y, ew, eh), 180, -90);
    path.closeSubpath();
    return path;
}

int DrawRoundRectPath(CGraphics* graphics, const CGpPen* pen, float x, float y, float width,
                      float height, float ew, float eh)
{
    if (!graphics || !pen)
        return GpInvalidParameter;
    graphics->DrawPath(*pen, RoundRectPath(x, y, width, height, ew, eh));
    return GpOk;
}

int FillRoundRectPath(CGraphics* graphics, const CGpBrush* brush, float x, float y, float width,
                      float height, float ew, float eh)
{
    if (!graphics || !brush)
        return GpInvalidParameter;
    graphics->FillPath(*brush, RoundRectPath(x, y, width, height, ew, eh));
    return GpOk;
}

void ArcAnglesByPoints(const QRectF& rect, QPointF first, QPointF second, float* start, float* sweep)
{
    // The line drawing calls run counter-clockwise (as seen on the screen) from
    // the first point's direction to the second's; the graphics sweep
    // clockwise, so the arc starts at the second point and ends at the first.
    const float a1 = ScreenAngle(rect, first);
    const float a2 = ScreenAngle(rect, second);
    *start = a2;
    *sweep = float(Normalize360(a1 - a2));
}

namespace {

// Draws one of the graphics' angle-based curves through the two points.
template <class Tool>
int ByPoints(CGraphics* graphics, const Tool* tool, const QRectF* rect, QPointF first,
             QPointF second,
             void (CGraphics::*draw)(const Tool&, const QRectF&, float, float))
{
    if (!graphics || !tool || !rect)
        return GpInvalidParameter;
    float start = 0, sweep = 0;
    ArcAnglesByPoints(*rect, first, second, &start, &sweep);
    (graphics->*draw)(*tool, *rect, start, sweep);
    return GpOk;
}

} // namespace

int DrawArcByPoints(CGraphics* graphics, const CGpPen* pen, const QRectF* rect, QPointF first,
                    QPointF second)
{
    return ByPoints(graphics, pen, rect, first, second, &CGraphics::DrawArc);
}

int DrawPieByPoints(CGraphics* graphics, const CGpPen* pen, const QRectF* rect, QPointF first,
                    QPointF second)
{
    return ByPoints(graphics, pen, rect, first, second, &CGraphics::DrawPie);
}

int FillPieByPoints(CGraphics* graphics, const CGpBrush* brush, const QRectF* rect, QPointF first,
                    QPointF second)
{
    return ByPoints(graphics, brush, rect, first, second, &CGraphics::FillPie);
}

int SetRectToRectTransform(CGraphics* graphics, const QRectF& source, const QRectF& target)
{
    if (!graphics)
        return GpInvalidParameter;
    graphics->ResetTransform();
    const double sx = source.width() != 0 ? target.width() / source.width() : 1.0;
    const double sy = source.height() != 0 ? target.height() / source.height() : 1.0;
    graphics->ScaleTransform(float(sx), float(sy));
    graphics->TranslateTransform(float(target.left() - source.left() * sx),
                                 float(target.top() - source.top() * sy), GpMatrixOrder::Append);
    return GpOk;
}
