// CPainterDC: the anti-aliased graphics side (real coordinates, ARGB, gradients).
#include "platform/GdiRounding.h"
#include "platform/PainterDCImpl.h"

#include <QLinearGradient>

#include <cmath>

namespace {

QColor ColorOf(ARGB c)
{
    return QColor((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF, (c >> 24) & 0xFF);
}

ARGB Lerp(ARGB a, ARGB b, double t)
{
    auto ch = [&](int shift) {
        const double va = (a >> shift) & 0xFF, vb = (b >> shift) & 0xFF;
        return ARGB(std::clamp(int(std::lround(va + (vb - va) * t)), 0, 255)) << shift;
    };
    return ch(24) | ch(16) | ch(8) | ch(0);
}

// A blend curve: factor at position (0..1), piecewise linear; identity when empty.
double BlendAt(const std::vector<float>& factors, const std::vector<float>& positions, double pos)
{
    if (factors.empty() || factors.size() != positions.size())
        return pos;
    if (pos <= positions.front())
        return factors.front();
    for (size_t i = 1; i < positions.size(); ++i) {
        if (pos <= positions[i]) {
            const double span = positions[i] - positions[i - 1];
            const double t = span > 0 ? (pos - positions[i - 1]) / span : 1.0;
            return factors[i - 1] + (factors[i] - factors[i - 1]) * t;
        }
    }
    return factors.back();
}

// The world-to-device transform with the graphics pixel-offset rule: unless
// the offset mode is Half/HighQuality, pixel centres sit on integer coordinates,
// half a pixel before Qt's. Anti-aliased drawing shows that shift; Qt's aliased
// rasteriser already rounds edges the way the unshifted mode does (a rectangle
// from 0 to 2 covers pixels 0 and 1 in both), so aliased drawing is not moved.
QTransform DeviceTransform(const CGpState& state)
{
    QTransform t = state.world;
    if (state.AntiAliased() && state.pixelOffset != GpPixelOffsetMode::Half
        && state.pixelOffset != GpPixelOffsetMode::HighQuality)
        t *= QTransform::fromTranslate(0.5, 0.5);
    return t;
}

QBrush LinearBrush(const CGpBrush& b)
{
    // The gradient runs across the rectangle in the brush's direction, its ends
    // on the rectangle's extreme corners along that direction; outside it tiles
    // (GDI+'s default wrap mode), where Qt would pad. A scalable angle is the
    // angle in the unit square, stretched with the square onto the rectangle.
    const double a = b.angle * M_PI / 180.0;
    const QPointF dir(std::cos(a), std::sin(a));
    const QRectF area = b.angleIsScalable ? QRectF(0, 0, 1, 1) : b.rect;
    const QPointF c = area.center();
    const double half = (std::abs(area.width() * dir.x()) + std::abs(area.height() * dir.y())) / 2;
    QLinearGradient g(c - dir * half, c + dir * half);
    switch (b.wrapMode) {
    case GpWrapMode::Clamp: g.setSpread(QGradient::PadSpread); break;
    case GpWrapMode::TileFlipX:
    case GpWrapMode::TileFlipY:
    case GpWrapMode::TileFlipXY: g.setSpread(QGradient::ReflectSpread); break;
    default: g.setSpread(QGradient::RepeatSpread); break;
    }
    if (!b.presetColors.empty() && b.presetColors.size() == b.presetPositions.size()) {
        for (size_t i = 0; i < b.presetColors.size(); ++i)
            g.setColorAt(std::clamp<double>(b.presetPositions[i], 0, 1), ColorOf(b.presetColors[i]));
    } else if (!b.blendFactors.empty()) {
        for (size_t i = 0; i < b.blendFactors.size() && i < b.blendPositions.size(); ++i)
            g.setColorAt(std::clamp<double>(b.blendPositions[i], 0, 1),
                         ColorOf(Lerp(b.color1, b.color2, b.blendFactors[i])));
    } else {
        g.setColorAt(0, ColorOf(b.color1));
        g.setColorAt(1, ColorOf(b.color2));
    }
    // Gamma correction is not modelled: gradients are interpolated in sRGB.
    QBrush brush(g);
    QTransform t = b.brushTransform;
    if (b.angleIsScalable)
        t = QTransform::fromScale(b.rect.width(), b.rect.height())
            * QTransform::fromTranslate(b.rect.left(), b.rect.top()) * t;
    brush.setTransform(t);
    return brush;
}

QBrush QtBrush(const CGpBrush& b)
{
    switch (b.kind) {
    case GpBrushKind::Solid: return QBrush(ColorOf(b.color));
    case GpBrushKind::Hatch: {
        static const Qt::BrushStyle styles[] = {Qt::HorPattern, Qt::VerPattern, Qt::FDiagPattern,
                                                Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
        return QBrush(ColorOf(b.color), b.hatchStyle >= 0 && b.hatchStyle < 6 ? styles[b.hatchStyle]
                                                                               : Qt::SolidPattern);
    }
    case GpBrushKind::LinearGradient: return LinearBrush(b);
    case GpBrushKind::Texture: {
        if (!b.textureImage)
            return QBrush();
        QBrush brush(*b.textureImage);
        brush.setTransform(b.brushTransform);
        return brush;
    }
    default: return QBrush();
    }
}

// The path-gradient shade of one device point: 0 at the boundary, 1 at the
// centre, measured along the ray from the centre through the point.
double PathGradientPosition(const QPolygonF& boundary, QPointF centre, QPointF p)
{
    const QPointF d = p - centre;
    if (std::abs(d.x()) < 1e-9 && std::abs(d.y()) < 1e-9)
        return 1.0;
    double best = -1;
    for (int i = 0; i < boundary.size(); ++i) {
        const QPointF a = boundary[i], b = boundary[(i + 1) % boundary.size()];
        const QPointF e = b - a;
        const double den = d.x() * e.y() - d.y() * e.x();
        if (std::abs(den) < 1e-12)
            continue;
        const QPointF ac = a - centre;
        const double s = (ac.x() * e.y() - ac.y() * e.x()) / den;   // along the ray
        const double u = (ac.x() * d.y() - ac.y() * d.x()) / den;   // along the edge
        if (s > 0 && u >= -1e-9 && u <= 1 + 1e-9 && (best < 0 || s < best))
            best = s;
    }
    if (best <= 0)
        return 0.0;
    return std::clamp(1.0 - 1.0 / best, 0.0, 1.0);
}

// How far a stroke's pixels may lie from its path's control points, in
// device pixels: the pen's width (more than the half a round or flat end
// reaches, and a square cap's corner), the miter limit's multiple of it at
// a miter join, a pixel of anti-aliasing and one more for rounding.
double StrokeReach(const CGpPen& pen, const QTransform& toDev)
{
    // The largest stretch the transform gives a length is at most the root
    // of its linear part's squares.
    const double stretch = std::sqrt(toDev.m11() * toDev.m11() + toDev.m12() * toDev.m12()
                                     + toDev.m21() * toDev.m21() + toDev.m22() * toDev.m22());
    const double width = std::max(1.0, pen.width * stretch);
    const double joins = pen.lineJoin == GpLineJoin::Round || pen.lineJoin == GpLineJoin::Bevel
                             ? 1.0
                             : std::max(1.0, double(pen.miterLimit));
    return width * joins + 2.0;
}

} // namespace

// The painter for one graphics call, with the state's anti-aliasing and
// (a device transform given) transform; a clip of the state's own is set
// within a painter save that the caller ends with restore().
QPainter* CPainterDC::GraphicsPainter(const CGpState& state, const QTransform* toDev)
{
    if (!state.hasClip)
        return m_impl->GraphicsPainter(state.AntiAliased(), toDev);
    QPainter* p = m_impl->Painter();
    if (!p)
        return nullptr;
    p->save();
    p->setRenderHint(QPainter::Antialiasing, state.AntiAliased());
    p->setClipPath(state.clip, State().hasClip ? Qt::IntersectClip : Qt::ReplaceClip);
    if (toDev)
        p->setTransform(*toDev);
    return p;
}

void CPainterDC::GpFillPath(const QPainterPath& path, const CGpBrush& brush, const CGpState& state)
{
    const QTransform toDev = DeviceTransform(state);
    const QPainterPath dev = toDev.map(path);
    if (!m_impl->Reaches(dev.controlPointRect().adjusted(-2, -2, 2, 2)))
        return;
    QPainter* p = GraphicsPainter(state, nullptr);
    if (!p)
        return;
    if (brush.kind == GpBrushKind::PathGradient) {
        // Qt has no path-gradient brush: the gradient is shaded here pixel by
        // pixel. Approximations: one surround colour (the first), the focus
        // scales widen the centre colour uniformly, gamma is ignored.
        // Shaded only where it can show: within the device's surface.
        const QRect area = PixelsOnSurface(dev.boundingRect(), 1, QRect(QPoint(0, 0), SurfaceSize()));
        if (!area.isEmpty() && qint64(area.width()) * area.height() <= qint64(64) * 1024 * 1024) {
            QPolygonF boundary;
            for (const QPointF& q : brush.pathPoints)
                boundary << toDev.map(q);
            if (boundary.size() < 3)
                boundary = dev.toFillPolygon();
            const QPointF centre = toDev.map(brush.centerPoint);
            const ARGB surround = brush.surroundColors.empty() ? brush.centerColor : brush.surroundColors[0];
            const double focus = std::clamp<double>(std::max(brush.focusScales.x(), brush.focusScales.y()), 0, 0.999);
            QImage shade(area.size(), QImage::Format_ARGB32);
            for (int y = 0; y < area.height(); ++y) {
                auto* line = reinterpret_cast<QRgb*>(shade.scanLine(y));
                for (int x = 0; x < area.width(); ++x) {
                    const QPointF pt(area.left() + x + 0.5, area.top() + y + 0.5);
                    double pos = PathGradientPosition(boundary, centre, pt);
                    pos = std::min(1.0, pos / (1.0 - focus));
                    const double f = BlendAt(brush.blendFactors, brush.blendPositions, pos);
                    line[x] = Lerp(surround, brush.centerColor, f);
                }
            }
            QBrush img(shade);
            img.setTransform(QTransform::fromTranslate(area.left(), area.top()));
            p->fillPath(dev, img);
        }
    } else {
        if (brush.kind == GpBrushKind::Hatch && (brush.backColor >> 24) != 0)
            p->fillPath(dev, ColorOf(brush.backColor));
        QBrush qb = QtBrush(brush);
        // Brush geometry is in world units: carry it to the device.
        qb.setTransform(qb.transform() * toDev);
        if (brush.kind == GpBrushKind::Solid || brush.kind == GpBrushKind::Hatch)
            qb.setTransform(QTransform());
        p->fillPath(dev, qb);
    }
    if (state.hasClip)
        p->restore();
}

void CPainterDC::GpDrawPath(const QPainterPath& path, const CGpPen& pen, const CGpState& state)
{
    // A pen narrower than a pixel of the final picture still draws one such
    // pixel wide (one device pixel unless supersampled).
    const double scale = std::sqrt(std::abs(state.world.determinant()));
    const double least = m_supersampling;
    const bool thin = pen.width * scale <= least;
    const QTransform toDev = DeviceTransform(state);
    const double reach = std::max(StrokeReach(pen, toDev), least + 2);
    if (!m_impl->Reaches(toDev.mapRect(path.controlPointRect()).adjusted(-reach, -reach, reach, reach)))
        return;
    QPainter* p = GraphicsPainter(state, &toDev);
    if (!p)
        return;
    QPen qp(ColorOf(pen.color));
    qp.setWidthF(pen.width);
    if (thin) {
        qp.setWidthF(least);
        qp.setCosmetic(true);
    }
    switch (pen.lineJoin) {
    case GpLineJoin::Bevel: qp.setJoinStyle(Qt::BevelJoin); break;
    case GpLineJoin::Round: qp.setJoinStyle(Qt::RoundJoin); break;
    default: qp.setJoinStyle(Qt::MiterJoin); qp.setMiterLimit(pen.miterLimit); break;
    }
    switch (pen.startCap) {
    case GpLineCap::Square: qp.setCapStyle(Qt::SquareCap); break;
    case GpLineCap::Round: qp.setCapStyle(Qt::RoundCap); break;
    default: qp.setCapStyle(Qt::FlatCap); break;
    }
    // Dash lengths are in pen widths, as in Qt.
    switch (pen.dashStyle) {
    case GpDashStyle::Dash: qp.setDashPattern({3, 1}); break;
    case GpDashStyle::Dot: qp.setDashPattern({1, 1}); break;
    case GpDashStyle::DashDot: qp.setDashPattern({3, 1, 1, 1}); break;
    case GpDashStyle::DashDotDot: qp.setDashPattern({3, 1, 1, 1, 1, 1}); break;
    case GpDashStyle::Custom: {
        QList<qreal> pattern;
        for (float v : pen.dashPattern)
            pattern << std::max(0.001, double(v));
        if (pattern.size() % 2)
            pattern << pattern.last();
        if (!pattern.isEmpty())
            qp.setDashPattern(pattern);
        break;
    }
    default: break;
    }
    p->strokePath(path, qp);
    if (state.hasClip)
        p->restore();
}

namespace {

QImage ApplyAttributes(const QImage& source, const CGpImageAttributes& attrs)
{
    QImage img = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) {
            QRgb c = line[x];
            for (const auto& [from, to] : attrs.remap) {
                if ((c & 0xFFFFFFFFu) == from) {
                    c = to;
                    break;
                }
            }
            if (attrs.colorMatrix) {
                const auto& m = *attrs.colorMatrix;
                const double in[5] = {qRed(c) / 255.0, qGreen(c) / 255.0, qBlue(c) / 255.0,
                                      qAlpha(c) / 255.0, 1.0};
                double out[4];
                for (int k = 0; k < 4; ++k) {
                    double v = 0;
                    for (int j = 0; j < 5; ++j)
                        v += in[j] * m[size_t(j)][size_t(k)];
                    out[k] = std::clamp(v, 0.0, 1.0);
                }
                c = qRgba(int(std::lround(out[0] * 255)), int(std::lround(out[1] * 255)),
                          int(std::lround(out[2] * 255)), int(std::lround(out[3] * 255)));
            }
            if (attrs.colorKey) {
                const ARGB lo = attrs.colorKey->first, hi = attrs.colorKey->second;
                auto within = [&](int shift) {
                    const int v = (c >> shift) & 0xFF;
                    return v >= int((lo >> shift) & 0xFF) && v <= int((hi >> shift) & 0xFF);
                };
                if (within(16) && within(8) && within(0))
                    c = 0;
            }
            line[x] = c;
        }
    }
    return img;
}

} // namespace

void CPainterDC::GpDrawImage(const QImage& image, const QRectF& dst, const QRectF& src,
                             const CGpImageAttributes* attrs, const CGpState& state)
{
    QPainter* p = m_impl->Painter();
    if (!p || image.isNull())
        return;
    const QImage drawn = attrs ? ApplyAttributes(image, *attrs) : image;
    p->save();
    if (state.hasClip)
        p->setClipPath(state.clip, State().hasClip ? Qt::IntersectClip : Qt::ReplaceClip);
    // Images are placed by pixel edges in both conventions: only the world applies.
    p->setTransform(state.world);
    const bool nearest = state.interpolation == GpInterpolationMode::NearestNeighbor;
    p->setRenderHint(QPainter::SmoothPixmapTransform, !nearest);
    p->setRenderHint(QPainter::Antialiasing, state.AntiAliased());
    p->drawImage(dst, drawn, src);
    p->restore();
}
