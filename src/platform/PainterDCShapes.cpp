// CPainterDC: lines, shapes, rectangle fills and paths.
#include "platform/GdiRounding.h"
#include "platform/PainterDCImpl.h"

#include <QVarLengthArray>

#include <cmath>

namespace {

// Vertices of a device path in pixel-centre coordinates, rounded to pixels.
QPolygon RoundPolygon(const QPolygonF& poly)
{
    QPolygon out;
    out.reserve(poly.size());
    for (const QPointF& p : poly) {
        const QPoint q(int(std::floor(p.x() + 0.5)), int(std::floor(p.y() + 0.5)));
        if (out.isEmpty() || out.last() != q)
            out << q;
    }
    return out;
}

QRect ClampRect(const QRect& r, const QImage& img)
{
    return r.intersected(WritableRect(img));
}

} // namespace

void CPainterDC::Impl::PutPixels(const std::vector<QPoint>& pixels, COLORREF color)
{
    QImage* img = Image();
    const int rop = m_dc.GetROP2();
    if (!img) {
        if (QPainter* p = Painter()) {
            m_fastFillSet = false;
            m_textPenSet = false;
            p->setPen(QPen(QColorFromRef(color), 0));
            for (const QPoint& pt : pixels)
                p->drawPoint(pt);
        }
        return;
    }
    if (rop == R2_NOP || pixels.empty())
        return;
    CPixelWriter writer(*img, m_dc.State());
    const DWORD pen = RgbFromRef(color) & 0xFFFFFF;
    for (const QPoint& pt : pixels)
        writer.Put(pt, pen);
}

void CPainterDC::Impl::ApplyLayerRop2(const QImage& layer, QPoint origin, int rop2)
{
    QImage* img = Image();
    if (!img || rop2 == R2_NOP)
        return;
    const QRect area = ClampRect(QRect(origin, layer.size()), *img);
    if (area.isEmpty())
        return;
    const CDCState& s = m_dc.State();
    const QRegion visible = s.hasClip ? s.clip.intersected(area) : QRegion(area);
    for (const QRect& r : visible) {
        for (int y = r.top(); y <= r.bottom(); ++y) {
            const auto* src = reinterpret_cast<const QRgb*>(layer.constScanLine(y - origin.y()));
            auto* dst = reinterpret_cast<QRgb*>(img->scanLine(y));
            for (int x = r.left(); x <= r.right(); ++x) {
                const QRgb c = src[x - origin.x()];
                if (qAlpha(c) == 0)
                    continue;
                dst[x] = 0xFF000000u | ApplyRop2(rop2, c & 0xFFFFFF, dst[x] & 0xFFFFFF);
            }
        }
    }
}

void CPainterDC::Impl::FillPathRop(const QPainterPath& path, const QBrush& brush,
                                   bool hatchBackground, bool useRop2)
{
    const int rop = m_dc.GetROP2();
    QImage* img = Image();
    const QColor bk = QColorFromRef(m_dc.GetBkColor());
    if (img && useRop2 && rop != R2_COPYPEN) {
        const QRect area = PixelsOnSurface(path.boundingRect(), 1, img->rect());
        if (area.isEmpty())
            return;
        QImage layer(area.size(), QImage::Format_ARGB32_Premultiplied);
        layer.fill(0);
        QPainter lp(&layer);
        lp.translate(-area.topLeft());
        if (hatchBackground)
            lp.fillPath(path, bk);
        lp.fillPath(path, brush);
        lp.end();
        ApplyLayerRop2(layer, area.topLeft(), rop);
        return;
    }
    if (QPainter* p = Painter()) {
        if (hatchBackground)
            p->fillPath(path, bk);
        p->fillPath(path, brush);
    }
}

// Fills (when fill is given and the brush is not hollow) and outlines (the
// strokes, pixel-centre coordinates) in one pass, so that a ROP2 mode touches
// each pixel once: fill first, pen pixels over it. A wide pen strokes curves
// (the strokes' source path) when given, so that round joins come only at
// real corners, not at every step of a flattened curve.
static void RenderShape(CPainterDC::Impl& impl, const CDC& dc, const QPainterPath* fill,
                        const QList<QPolygonF>& strokes, const std::vector<bool>& closed,
                        const QPainterPath* curves = nullptr)
{
    const CResolvedPen pen = impl.Pen();
    const bool doFill = fill && !impl.BrushIsNull();
    const bool doStroke = !pen.null && (!strokes.isEmpty() || (curves && !curves->isEmpty()));
    if (!doFill && !doStroke)
        return;
    QImage* img = impl.Image();
    const int rop = dc.GetROP2();
    std::vector<QPoint> pixels, gaps;
    const QRect imageRect = img ? img->rect() : QRect();
    CLineStyle style;
    if (doStroke && pen.onePixel && img)
        style = CLineStyle::ForPenStyle(pen.style, pen.user);
    // The gaps of a styled line take the background colour in opaque mode.
    const bool paintGaps = !style.runs.empty() && dc.GetBkMode() == OPAQUE;
    // Copied one-pixel lines are written as they are rasterised: the same
    // pixels; where a line crosses itself, the later part is on top, dash or gap.
    const bool direct = doStroke && pen.onePixel && img && rop == R2_COPYPEN;
    if (doStroke && pen.onePixel && img && !direct) {
        std::vector<QPoint>* gapOut = paintGaps ? &gaps : nullptr;
        for (int i = 0; i < strokes.size(); ++i)
            RasterizePolyline(RoundPolygon(strokes[i]), closed[size_t(i)], style, pixels, gapOut,
                              &imageRect);
    }
    QPainterPath strokePath;
    if (doStroke && !(pen.onePixel && img) && curves) {
        strokePath = curves->translated(0.5, 0.5);
    } else if (doStroke && !(pen.onePixel && img)) {
        for (int i = 0; i < strokes.size(); ++i) {
            QPolygonF poly = strokes[i].translated(0.5, 0.5);
            if (closed[size_t(i)] && !poly.isEmpty() && poly.first() != poly.last())
                poly << poly.first();
            strokePath.addPolygon(poly);
        }
    }
    QPen qpen;
    if (!strokePath.isEmpty()) {
        qpen = pen.QtPen();
        if (pen.onePixel)
            qpen.setWidth(0);
    }
    if (img && rop != R2_COPYPEN) {
        QRectF bounds;
        if (doFill)
            bounds = fill->boundingRect();
        if (curves && strokes.isEmpty())
            bounds |= curves->boundingRect();
        for (const QPolygonF& s : strokes)
            bounds |= s.boundingRect();
        const int grow = pen.width + 2;
        const QRect area = PixelsOnSurface(bounds, grow, img->rect());
        if (area.isEmpty())
            return;
        QImage layer(area.size(), QImage::Format_ARGB32_Premultiplied);
        layer.fill(0);
        QPainter lp(&layer);
        lp.translate(-area.topLeft());
        if (doFill) {
            if (impl.HatchNeedsBackground())
                lp.fillPath(*fill, QColorFromRef(dc.GetBkColor()));
            lp.fillPath(*fill, impl.Brush());
        }
        if (!strokePath.isEmpty()) {
            lp.setCompositionMode(QPainter::CompositionMode_Source);
            lp.strokePath(strokePath, qpen);
        }
        lp.end();
        const QRgb penRgb = RgbFromRef(pen.color);
        const QRgb bkRgb = RgbFromRef(dc.GetBkColor());
        for (const QPoint& pt : gaps)
            if (area.contains(pt))
                layer.setPixel(pt - area.topLeft(), bkRgb);
        for (const QPoint& pt : pixels)
            if (area.contains(pt))
                layer.setPixel(pt - area.topLeft(), penRgb);
        impl.ApplyLayerRop2(layer, area.topLeft(), rop);
        return;
    }
    if (img && rop == R2_NOP)
        return;
    QPainter* p = impl.Painter();
    if (!p)
        return;
    if (doFill) {
        if (impl.HatchNeedsBackground())
            p->fillPath(*fill, QColorFromRef(dc.GetBkColor()));
        p->fillPath(*fill, impl.Brush());
    }
    if (!strokePath.isEmpty())
        p->strokePath(strokePath, qpen);
    if (direct) {
        const COLORREF bk = dc.GetBkColor();
        for (int i = 0; i < strokes.size(); ++i)
            impl.PutPolyline(RoundPolygon(strokes[i]), closed[size_t(i)], style, pen.color,
                             paintGaps ? &bk : nullptr);
    }
    if (!gaps.empty())
        impl.PutPixels(gaps, dc.GetBkColor());
    if (!pixels.empty())
        impl.PutPixels(pixels, pen.color);
}

void CPainterDC::Impl::DrawShape(const QPainterPath& outline, bool fill)
{
    if (m_dc.InPath()) {
        m_dc.PathAddPath(outline);
        return;
    }
    // Flattened outlines only for the one-pixel rasteriser: wide pens stroke
    // the curves themselves.
    QList<QPolygonF> polys;
    const CResolvedPen pen = Pen();
    if (!pen.null && pen.onePixel && Image())
        polys = outline.toSubpathPolygons();
    std::vector<bool> closed(size_t(polys.size()), true);
    QPainterPath fillPath = outline;
    fillPath.setFillRule(m_dc.GetPolyFillMode() == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    RenderShape(*this, m_dc, fill ? &fillPath : nullptr, polys, closed, &outline);
}

void CPainterDC::Impl::DrawLines(const QList<QPolygonF>& polylines, const std::vector<bool>& closed)
{
    RenderShape(*this, m_dc, nullptr, polylines, closed);
}

// ---- Lines ----

bool CPainterDC::LineTo(int x, int y)
{
    const CPoint from = GetCurrentPosition();
    const QPoint a = m_impl->ToDev(from.x, from.y), b = m_impl->ToDev(x, y);
    if (InPath()) {
        PathLineTo(QPointF(b));
    } else {
        QPolygonF line;
        line << QPointF(a) << QPointF(b);
        m_impl->DrawLines({line}, {false});
    }
    MutableState().currentPos = CPoint(x, y);
    return true;
}

namespace {
QPolygonF DevPolygon(const CPainterDC::Impl& impl, const POINT* points, int count)
{
    QPolygonF poly;
    poly.reserve(count);
    for (int i = 0; i < count; ++i)
        poly << QPointF(impl.ToDev(points[i].x, points[i].y));
    return poly;
}
} // namespace

bool CPainterDC::Polyline(const POINT* points, int count)
{
    if (!points || count < 2)
        return false;
    const QPolygonF poly = DevPolygon(*m_impl, points, count);
    if (InPath()) {
        PathAddPolygon(poly, false);
        return true;
    }
    m_impl->DrawLines({poly}, {false});
    return true;
}

// The painter when a shape may take the short way: an image target, plain
// copying, a solid or hollow brush and a solid one-pixel pen or none.
QPainter* CPainterDC::Impl::FastShapePainter(CResolvedPen& pen)
{
    const CDCState& s = m_dc.State();
    if (m_dc.InPath() || !Image() || s.rop2 != R2_COPYPEN
        || (s.logBrush.lbStyle != BS_SOLID && s.logBrush.lbStyle != BS_NULL))
        return nullptr;
    pen = Pen();
    if (!pen.null && (!pen.onePixel || (pen.style & PS_STYLE_MASK) != PS_SOLID))
        return nullptr;
    return Painter();
}

bool CPainterDC::Impl::FastPolygon(const QPoint* points, int count)
{
    CResolvedPen pen;
    QPainter* p = FastShapePainter(pen);
    if (!p)
        return false;
    const CDCState& s = m_dc.State();
    if (s.logBrush.lbStyle == BS_SOLID) {
        const QRgb fill = RgbFromRef(s.logBrush.lbColor);
        if (!m_fastFillSet || m_fastFill != fill) {
            p->setPen(Qt::NoPen);
            p->setBrush(QColor::fromRgb(fill));
            m_fastFill = fill;
            m_fastFillSet = true;
            m_textPenSet = false;
        }
        p->drawPolygon(points, count, s.polyFillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    }
    if (!pen.null) {
        CLineStyle solid;
        QPolygon poly(count);
        std::copy(points, points + count, poly.begin());
        PutPolyline(poly, true, solid, pen.color);
    }
    return true;
}

bool CPainterDC::Polygon(const POINT* points, int count)
{
    if (!points || count < 2)
        return false;
    QVarLengthArray<QPoint, 32> devPoly(count);
    for (int i = 0; i < count; ++i)
        devPoly[i] = m_impl->ToDev(points[i].x, points[i].y);
    if (m_impl->FastPolygon(devPoly.data(), count))
        return true;
    QPainterPath path;
    path.addPolygon(DevPolygon(*m_impl, points, count));
    path.closeSubpath();
    m_impl->DrawShape(path, true);
    return true;
}

bool CPainterDC::PolyPolygon(const POINT* points, const int* counts, int polygons)
{
    if (!points || !counts || polygons <= 0)
        return false;
    QPainterPath path;
    const POINT* p = points;
    for (int i = 0; i < polygons; ++i) {
        if (counts[i] < 2)
            return false;
        path.addPolygon(DevPolygon(*m_impl, p, counts[i]));
        path.closeSubpath();
        p += counts[i];
    }
    m_impl->DrawShape(path, true);
    return true;
}

bool CPainterDC::PolyBezier(const POINT* points, int count)
{
    if (!points || count < 4 || (count - 1) % 3 != 0)
        return false;
    const QPolygonF dev = DevPolygon(*m_impl, points, count);
    QPainterPath path(dev[0]);
    for (int i = 1; i + 2 < count; i += 3)
        path.cubicTo(dev[i], dev[i + 1], dev[i + 2]);
    if (InPath()) {
        PathAddPath(path);
        return true;
    }
    m_impl->DrawLines(path.toSubpathPolygons(), {false});
    return true;
}

// ---- Shapes ----

namespace {

// The outline rectangle of a shape in pixel-centre coordinates: right and
// bottom exclusive, so the outline runs through left..right-1.
QRectF OutlineRect(const CPainterDC::Impl& impl, int l, int t, int r, int b)
{
    const QRect d = impl.DevRect(l, t, r, b);
    QRectF outline(d.left(), d.top(), d.width() - 1, d.height() - 1);
    // An inside-frame pen keeps its whole width within the bounding rectangle.
    const CResolvedPen pen = impl.Pen();
    if (pen.insideFrame && pen.width > 1) {
        const double in = std::min({(pen.width - 1) / 2.0, outline.width() / 2, outline.height() / 2});
        outline.adjust(in, in, -in, -in);
    }
    return outline;
}

// GDI gives arc end points as rays from the centre (geometric angles); Qt's
// arcs take the ellipse's parametric angle. Degrees, counter-clockwise on screen.
double ParametricAngle(const QRectF& r, QPointF toward)
{
    const QPointF c = r.center();
    const double rx = std::max(r.width() / 2, 1e-9), ry = std::max(r.height() / 2, 1e-9);
    const double gx = toward.x() - c.x(), gy = -(toward.y() - c.y());
    return std::atan2(gy / ry, gx / rx) * 180.0 / M_PI;
}

QPainterPath ArcOutline(const QRectF& r, QPointF start, QPointF end, int direction, int kind)
{
    const double a0 = ParametricAngle(r, start), a1 = ParametricAngle(r, end);
    double sweep;
    if (direction == AD_CLOCKWISE) {
        sweep = -std::fmod(a0 - a1 + 720.0, 360.0);
        if (sweep == 0)
            sweep = -360;
    } else {
        sweep = std::fmod(a1 - a0 + 720.0, 360.0);
        if (sweep == 0)
            sweep = 360;
    }
    QPainterPath path;
    if (kind == 1) {           // pie
        path.moveTo(r.center());
        path.arcTo(r, a0, sweep);
        path.closeSubpath();
    } else {
        path.arcMoveTo(r, a0);
        path.arcTo(r, a0, sweep);
        if (kind == 2)         // chord
            path.closeSubpath();
    }
    return path;
}

} // namespace

bool CPainterDC::Rectangle(int left, int top, int right, int bottom)
{
    const QRectF r = OutlineRect(*m_impl, left, top, right, bottom);
    if (r.width() < 0 || r.height() < 0)
        return true;
    if (m_impl->SpanShape(r, 0, 0))
        return true;
    QPainterPath path;
    path.addPolygon(QPolygonF({r.topLeft(), r.topRight(), r.bottomRight(), r.bottomLeft()}));
    path.closeSubpath();
    if (m_impl->SpanShape(r, 0, 0, &path))
        return true;
    m_impl->DrawShape(path, true);
    return true;
}

bool CPainterDC::Ellipse(int left, int top, int right, int bottom)
{
    const QRectF r = OutlineRect(*m_impl, left, top, right, bottom);
    if (r.width() < 0 || r.height() < 0)
        return true;
    if (m_impl->SpanShape(r, r.width(), r.height()))
        return true;
    QPainterPath path;
    path.addEllipse(r);
    if (m_impl->SpanShape(r, r.width(), r.height(), &path))
        return true;
    m_impl->DrawShape(path, true);
    return true;
}

bool CPainterDC::RoundRect(int left, int top, int right, int bottom, int width, int height)
{
    const QRectF r = OutlineRect(*m_impl, left, top, right, bottom);
    if (r.width() < 0 || r.height() < 0)
        return true;
    SIZE corner{width, height};
    LPtoDP(&corner);
    if (m_impl->SpanShape(r, corner.cx, corner.cy))
        return true;
    QPainterPath path;
    path.addRoundedRect(r, std::min<double>(corner.cx / 2.0, r.width() / 2),
                        std::min<double>(corner.cy / 2.0, r.height() / 2));
    if (m_impl->SpanShape(r, corner.cx, corner.cy, &path))
        return true;
    m_impl->DrawShape(path, true);
    return true;
}

bool CPainterDC::Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
                     int yEnd)
{
    const QRectF r = OutlineRect(*m_impl, left, top, right, bottom);
    const QPainterPath path = ArcOutline(r, QPointF(m_impl->ToDev(xStart, yStart)),
                                         QPointF(m_impl->ToDev(xEnd, yEnd)), GetArcDirection(), 0);
    if (InPath()) {
        PathAddPath(path);
        return true;
    }
    m_impl->DrawLines(path.toSubpathPolygons(), {false});
    return true;
}

bool CPainterDC::Pie(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
                     int yEnd)
{
    const QRectF r = OutlineRect(*m_impl, left, top, right, bottom);
    m_impl->DrawShape(ArcOutline(r, QPointF(m_impl->ToDev(xStart, yStart)),
                                 QPointF(m_impl->ToDev(xEnd, yEnd)), GetArcDirection(), 1),
                      true);
    return true;
}

bool CPainterDC::Chord(int left, int top, int right, int bottom, int xStart, int yStart,
                       int xEnd, int yEnd)
{
    const QRectF r = OutlineRect(*m_impl, left, top, right, bottom);
    m_impl->DrawShape(ArcOutline(r, QPointF(m_impl->ToDev(xStart, yStart)),
                                 QPointF(m_impl->ToDev(xEnd, yEnd)), GetArcDirection(), 2),
                      true);
    return true;
}

// ---- Rectangle and region fills (brush only, copy) ----

void CPainterDC::FillRect(const RECT* rect, CBrush* brush)
{
    if (!rect || !brush || !brush->IsCreated() || m_impl->BrushIsNull(brush))
        return;
    const QRect r = m_impl->DevRect(rect->left, rect->top, rect->right, rect->bottom);
    if (r.isEmpty())
        return;
    QPainterPath path;
    path.addRect(r);
    m_impl->FillPathRop(path, m_impl->Brush(brush), m_impl->HatchNeedsBackground(brush), false);
}

void CPainterDC::FrameRect(const RECT* rect, CBrush* brush)
{
    if (!rect || !brush || !brush->IsCreated() || m_impl->BrushIsNull(brush))
        return;
    const QRect r = m_impl->DevRect(rect->left, rect->top, rect->right, rect->bottom);
    if (r.isEmpty())
        return;
    // A border one logical unit wide (at least a pixel) inside the rectangle.
    const int bx = std::max(1, int(std::lround(std::abs(LogToDevScaleX()))));
    const int by = std::max(1, int(std::lround(std::abs(LogToDevScaleY()))));
    QRegion border(r);
    border -= QRegion(r.adjusted(bx, by, -bx, -by));
    QPainterPath path;
    path.addRegion(border);
    m_impl->FillPathRop(path, m_impl->Brush(brush), m_impl->HatchNeedsBackground(brush), false);
}

bool CPainterDC::FillRgn(CRgn* region, CBrush* brush)
{
    if (!region || !brush || !brush->IsCreated())
        return false;
    if (m_impl->BrushIsNull(brush))
        return true;
    QPainterPath path;
    path.addRegion(region->Region());
    m_impl->FillPathRop(path, m_impl->Brush(brush), m_impl->HatchNeedsBackground(brush), false);
    return true;
}

bool CPainterDC::FrameRgn(CRgn* region, CBrush* brush, int width, int height)
{
    if (!region || !brush || !brush->IsCreated())
        return false;
    SIZE sz{width, height};
    LPtoDP(&sz);
    const int w = std::max(1, int(sz.cx)), h = std::max(1, int(sz.cy));
    const QRegion& rg = region->Region();
    const QRegion inner = rg.intersected(rg.translated(w, 0)).intersected(rg.translated(-w, 0))
                              .intersected(rg.translated(0, h)).intersected(rg.translated(0, -h));
    QPainterPath path;
    path.addRegion(rg.subtracted(inner));
    m_impl->FillPathRop(path, m_impl->Brush(brush), m_impl->HatchNeedsBackground(brush), false);
    return true;
}

// ---- Paths ----

bool CPainterDC::StrokePath()
{
    if (InPath())
        return false;
    const QPainterPath path = TakePath();
    QList<QPolygonF> polys = path.toSubpathPolygons();
    std::vector<bool> closed;
    for (const QPolygonF& p : polys)
        closed.push_back(p.size() > 2 && p.first() == p.last());
    m_impl->DrawLines(polys, closed);
    return true;
}

bool CPainterDC::FillPath()
{
    if (InPath())
        return false;
    QPainterPath path = TakePath();
    path.setFillRule(GetPolyFillMode() == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    if (!m_impl->BrushIsNull())
        m_impl->FillPathRop(path, m_impl->Brush(), m_impl->HatchNeedsBackground(), true);
    return true;
}

bool CPainterDC::StrokeAndFillPath()
{
    if (InPath())
        return false;
    QPainterPath path = TakePath();
    QList<QPolygonF> polys = path.toSubpathPolygons();
    std::vector<bool> closed(size_t(polys.size()), true);
    path.setFillRule(GetPolyFillMode() == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    RenderShape(*m_impl, *this, &path, polys, closed);
    return true;
}
