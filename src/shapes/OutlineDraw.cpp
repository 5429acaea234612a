#include "shapes/OutlineDraw.h"

#include "graphics/DashPattern.h"

#include "platform/CDC.h"
#include "platform/CGraphics.h"
#include "shapes/OutlineDrawGeometry.h"

#include <QPainterPath>
#include <QPolygonF>

#include <cmath>

namespace {
QPolygonF ToPolygon(const std::vector<CFltPoint>& pts)
{
    QPolygonF poly;
    poly.reserve(qsizetype(pts.size()));
    for (const CFltPoint& p : pts)
        poly << QPointF(p.x, p.y);
    return poly;
}

QRectF ToRect(const CFltRect& r)
{
    return QRectF(QPointF(r.left, r.top), QPointF(r.right, r.bottom)).normalized();
}

// A device-context arc runs counter-clockwise on the screen from the radial
// through `start` to the one through `end`; as graphics angles (degrees,
// clockwise from the x axis) that is the clockwise sweep from `end` to `start`.
void ArcAngles(const QRectF& box, const CFltPoint& start, const CFltPoint& end, float& from,
               float& sweep)
{
    const QPointF c = box.center();
    const double a0 = std::atan2(start.y - c.y(), start.x - c.x()) * 180.0 / M_PI;
    const double a1 = std::atan2(end.y - c.y(), end.x - c.x()) * 180.0 / M_PI;
    double s = std::fmod(a0 - a1 + 720.0, 360.0);
    if (s == 0.0)
        s = 360.0;
    from = float(a1);
    sweep = float(s);
}

QPainterPath RoundRectPath(const CFltRect& r, const CFltPoint& corner)
{
    QPainterPath path;
    path.addRoundedRect(ToRect(r), std::fabs(corner.x) / 2.0, std::fabs(corner.y) / 2.0);
    return path;
}

QPainterPath ArcLikePath(OutlinePrim prim, const CFltRect& r, const std::vector<CFltPoint>& pts)
{
    const QRectF box = ToRect(r);
    float from = 0, sweep = 0;
    if (pts.size() >= 2)
        ArcAngles(box, pts[0], pts[1], from, sweep);
    QPainterPath path = CGraphics::ArcPath(box, from, sweep, prim == OutlinePrim::Pie);
    if (prim == OutlinePrim::Chord)
        path.closeSubpath();
    return path;
}

void DrawGdi(CDC& dc, const GdiOutlineOp& op, int penStyle)
{
    const CRect& r = op.rect;
    switch (op.prim) {
    case OutlinePrim::Rectangle: dc.Rectangle(r.left, r.top, r.right, r.bottom); break;
    case OutlinePrim::Polyline:
        dc.Polyline(op.pts.data(), int(op.pts.size()));
        break;
    case OutlinePrim::Polygon: dc.Polygon(op.pts.data(), int(op.pts.size())); break;
    case OutlinePrim::Ellipse: dc.Ellipse(r.left, r.top, r.right, r.bottom); break;
    case OutlinePrim::RoundRect:
        dc.RoundRect(r.left, r.top, r.right, r.bottom, op.corner.cx, op.corner.cy);
        break;
    case OutlinePrim::Arc:
    case OutlinePrim::Chord:
    case OutlinePrim::Pie: {
        if (op.pts.size() < 2)
            break;
        const CPoint a = op.pts[0], b = op.pts[1];
        if (op.prim == OutlinePrim::Arc)
            dc.Arc(r.left, r.top, r.right, r.bottom, a.x, a.y, b.x, b.y);
        else if (op.prim == OutlinePrim::Chord)
            dc.Chord(r.left, r.top, r.right, r.bottom, a.x, a.y, b.x, b.y);
        else
            dc.Pie(r.left, r.top, r.right, r.bottom, a.x, a.y, b.x, b.y);
        break;
    }
    case OutlinePrim::Line:
        if (op.pts.size() >= 2) {
            dc.MoveTo(op.pts[0].x, op.pts[0].y);
            dc.LineTo(op.pts[1].x, op.pts[1].y);
        }
        break;
    case OutlinePrim::StyledPolyline: StrokeStyledPolyline(dc, op.pts, penStyle); break;
    case OutlinePrim::None: break;
    }
}

} // namespace

void StrokeStyledPolyline(CDC& dc, const std::vector<CPoint>& pts, int penStyle)
{
    if (pts.size() < 2)
        return;
    const CPen* pen = dc.GetCurrentPen();
    const int width = pen ? pen->GetLogPen().lopnWidth.x : 1;
    // Solid lines and thin lines of the simple styles keep the pen as it is.
    if (penStyle == 0 || width == 0 || (width < 2 && penStyle < kDashStyleNoLine))
        dc.Polyline(pts.data(), int(pts.size()));
    else
        StrokeDashedPolyline(dc, pts.data(), int(pts.size()), penStyle, width);
}

bool DrawOutlineOpGdi(BYTE op, const BYTE*& cursor, const BYTE* end, CDC& dc, int penStyle,
                      bool skip)
{
    GdiOutlineOp geometry;
    if (!GetGdiOutlineOp(op, cursor, end, penStyle, skip, geometry))
        return false;
    DrawGdi(dc, geometry, penStyle);
    return true;
}

bool DrawSymbolOutline(BYTE op, const BYTE*& cursor, const BYTE* end, CGraphics& g,
                       const CGpPen& pen, int penStyle, bool skip)
{
    GdiPlusOutlineOp o;
    if (!GetGdiPlusOutlineOp(op, cursor, end, false, penStyle, skip, o))
        return false;
    switch (o.prim) {
    case OutlinePrim::Rectangle: g.DrawRectangle(pen, ToRect(o.rect)); break;
    case OutlinePrim::Polyline: g.DrawLines(pen, ToPolygon(o.pts)); break;
    case OutlinePrim::Polygon: g.DrawPolygon(pen, ToPolygon(o.pts)); break;
    case OutlinePrim::Ellipse: g.DrawEllipse(pen, ToRect(o.rect)); break;
    case OutlinePrim::RoundRect: g.DrawPath(pen, RoundRectPath(o.rect, o.corner)); break;
    case OutlinePrim::Arc:
    case OutlinePrim::Pie:
    case OutlinePrim::Chord: g.DrawPath(pen, ArcLikePath(o.prim, o.rect, o.pts)); break;
    case OutlinePrim::Line:
        if (o.pts.size() >= 2)
            g.DrawLine(pen, QPointF(o.pts[0].x, o.pts[0].y), QPointF(o.pts[1].x, o.pts[1].y));
        break;
    case OutlinePrim::StyledPolyline:
        // The pen carries the style's dashes: the graphics' own device
        // context has no pen of the figure's colour and width.
        g.DrawLines(pen, ToPolygon(o.pts));
        break;
    case OutlinePrim::None: break;
    }
    return true;
}

bool FillSymbolOutline(BYTE op, const BYTE*& cursor, const BYTE* end, CGraphics& g,
                       const CGpBrush& brush, bool skip)
{
    GdiPlusOutlineOp o;
    if (!GetGdiPlusOutlineOp(op, cursor, end, true, 0, skip, o))
        return false;
    switch (o.prim) {
    case OutlinePrim::Rectangle: g.FillRectangle(brush, ToRect(o.rect)); break;
    case OutlinePrim::Polygon: g.FillPolygon(brush, ToPolygon(o.pts)); break;
    case OutlinePrim::Ellipse: g.FillEllipse(brush, ToRect(o.rect)); break;
    case OutlinePrim::RoundRect: g.FillPath(brush, RoundRectPath(o.rect, o.corner)); break;
    case OutlinePrim::Arc:
    case OutlinePrim::Pie:
    case OutlinePrim::Chord: g.FillPath(brush, ArcLikePath(o.prim, o.rect, o.pts)); break;
    default: break;
    }
    return true;
}

bool AddFillOutlineOp(BYTE op, const BYTE*& cursor, const BYTE* end, QPainterPath& area)
{
    GdiPlusOutlineOp o;
    if (!GetGdiPlusOutlineOp(op, cursor, end, true, 0, false, o))
        return false;
    switch (o.prim) {
    case OutlinePrim::Rectangle: area.addRect(ToRect(o.rect)); break;
    case OutlinePrim::Polygon: area.addPolygon(ToPolygon(o.pts)); area.closeSubpath(); break;
    case OutlinePrim::Ellipse: area.addEllipse(ToRect(o.rect)); break;
    case OutlinePrim::RoundRect: area.addPath(RoundRectPath(o.rect, o.corner)); break;
    case OutlinePrim::Arc:
    case OutlinePrim::Pie:
    case OutlinePrim::Chord: area.addPath(ArcLikePath(o.prim, o.rect, o.pts)); break;
    default: break;
    }
    return true;
}
