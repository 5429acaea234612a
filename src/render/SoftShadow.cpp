#include "render/SoftShadow.h"

#include "platform/CGraphics.h"
#include "platform/GdipTypes.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

namespace {

constexpr int kMaxOutlinePoints = 5000;

std::array<unsigned char, 256> BuildAlphaTable()
{
    static constexpr unsigned char kRamp[51] = {
        0,  0,  1,  1,  1,  1,  2,  2,  2,  2,  3,  3,  3,  4,  4,  5,  5,
        5,  6,  6,  6,  7,  7,  8,  8,  9,  9,  10, 10, 11, 11, 12, 12, 13,
        13, 14, 14, 15, 16, 16, 17, 18, 18, 19, 19, 20, 21, 21, 22, 23, 24};
    std::array<unsigned char, 256> table{};
    for (int i = 0; i < 256; ++i) {
        const int v = i < 51 ? kRamp[i] : 24 + (255 - 24) * (i - 51) / 204;
        table[size_t(i)] = static_cast<unsigned char>(std::clamp(v, 0, 255));
    }
    return table;
}

QRectF OutlineBounds(const QPolygonF& outline)
{
    return outline.boundingRect();
}

// Maps every point from one rectangle onto another.
QPolygonF MapPolygon(const QPolygonF& pts, const QRectF& from, const QRectF& to)
{
    QPolygonF out;
    out.reserve(pts.size());
    const double sx = from.width() != 0 ? to.width() / from.width() : 0;
    const double sy = from.height() != 0 ? to.height() / from.height() : 0;
    for (const QPointF& p : pts)
        out << QPointF(to.left() + (p.x() - from.left()) * sx, to.top() + (p.y() - from.top()) * sy);
    return out;
}

// Per-fill alpha that adds up to `opacity` over `passes` translucent fills.
int PassAlpha(int opacity, int passes)
{
    if (passes <= 1)
        return opacity;
    const double total = std::clamp(opacity, 0, 255) / 255.0;
    return int(std::lround((1.0 - std::pow(1.0 - total, 1.0 / passes)) * 255.0));
}

// Offsets of the fills of the spread kinds, over a square of side g.
std::vector<QPointF> SpreadOffsets(int kind, double g)
{
    std::vector<QPointF> offsets;
    const double h = g / 2;
    if (kind == 2) {
        for (double dy : {-h, h})
            for (double dx : {-h, h})
                offsets.emplace_back(dx, dy);
    } else if (kind == 3) {
        for (double dy : {-h, 0.0, h})
            for (double dx : {-h, 0.0, h})
                if (dx != 0 || dy != 0)
                    offsets.emplace_back(dx, dy);
    } else {
        for (int j = 0; j < 4; ++j)
            for (int i = 0; i < 4; ++i)
                offsets.emplace_back(-h + g * i / 3.0, -h + g * j / 3.0);
    }
    return offsets;
}

} // namespace

const unsigned char* ShadowAlphaTable()
{
    static const std::array<unsigned char, 256> table = BuildAlphaTable();
    return table.data();
}

unsigned LerpColor(unsigned a, unsigned b, double share)
{
    auto mix = [&](int shift) {
        const double ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
        return unsigned(std::lround(ca + (cb - ca) * share)) << shift;
    };
    return mix(24) | mix(16) | mix(8) | mix(0);
}

QRectF GetShadowRect(const QRectF& bounds, int softness, int scale, int xOffset, int yOffset)
{
    const double grow = scale == -1 ? softness * 3.0 / 2.0 : softness;
    return bounds.adjusted(-grow, -grow, grow, grow).translated(xOffset, yOffset);
}

void BlurShadowAlpha(QImage& bitmap, int inset, int opacity, COLORREF colour)
{
    const int w = bitmap.width(), h = bitmap.height();
    const QRgb rgb = qRgb(GetRValue(colour), GetGValue(colour), GetBValue(colour)) & 0xFFFFFF;
    if (opacity <= 0) {
        bitmap.fill(Qt::transparent);
        return;
    }
    const int hr = std::max(0, std::min(inset, (w - 2) / 4));
    const int vr = std::max(0, std::min(inset, (h - 2) / 4));
    const int hw = 2 * hr + 1, vw = 2 * vr + 1;
    std::vector<unsigned char> rows(size_t(w) * size_t(h));
    for (int y = 0; y < h; ++y) {
        const auto* src = reinterpret_cast<const QRgb*>(bitmap.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            int sum = 0;
            for (int i = std::max(0, x - hr); i <= std::min(w - 1, x + hr); ++i)
                sum += qAlpha(src[i]);
            rows[size_t(y) * size_t(w) + size_t(x)] = static_cast<unsigned char>(sum / hw);
        }
    }
    const int divisor = std::max(1, vw * 255 / std::min(opacity, 255));
    const unsigned char* table = ShadowAlphaTable();
    for (int y = 0; y < h; ++y) {
        auto* dst = reinterpret_cast<QRgb*>(bitmap.scanLine(y));
        for (int x = 0; x < w; ++x) {
            int sum = 0;
            for (int j = std::max(0, y - vr); j <= std::min(h - 1, y + vr); ++j)
                sum += rows[size_t(j) * size_t(w) + size_t(x)];
            const int index = std::min(255, sum / divisor);
            dst[x] = (QRgb(table[index]) << 24) | rgb;
        }
    }
}

int RenderMultiPassShadow(CGraphics* graphics, const QPolygonF& outline, int softness,
                          COLORREF colour, int opacity, int xOffset, int yOffset, int passKind,
                          bool cachedBitmap)
{
    if (!graphics || outline.size() < 3)
        return 2;
    int kind = std::clamp(passKind, 1, 4);
    const QRectF bounds = OutlineBounds(outline);
    const double g = std::min<double>(softness, std::min(bounds.width(), bounds.height()) / 2);
    if (g <= 0)
        kind = 1;
    CGpBrush brush;
    const QTransform saved = graphics->GetTransform();
    if (cachedBitmap) {
        const double share = (72.0 - softness) / 72.0 * opacity / 255.0;
        brush.color = LerpColor(0xFFFFFFFF, ColorRefToARGB(colour), std::clamp(share, 0.0, 1.0));
        const double half = softness / 2.0;
        const QPolygonF grown =
            MapPolygon(outline, bounds, bounds.adjusted(-half, -half, half, half));
        graphics->TranslateTransform(float(xOffset), float(yOffset));
        graphics->FillPolygon(brush, grown, GpFillMode::Winding);
        graphics->SetTransform(saved);
        return 0;
    }
    if (kind == 1) {
        brush.color = ColorRefToARGB(colour, opacity);
        graphics->TranslateTransform(float(xOffset), float(yOffset));
        graphics->FillPolygon(brush, outline, GpFillMode::Winding);
        graphics->SetTransform(saved);
        return 0;
    }
    const std::vector<QPointF> offsets = SpreadOffsets(kind, g);
    brush.color = ColorRefToARGB(colour, PassAlpha(opacity, int(offsets.size())));
    for (const QPointF& d : offsets) {
        graphics->SetTransform(saved);
        graphics->TranslateTransform(float(xOffset + d.x()), float(yOffset + d.y()));
        graphics->FillPolygon(brush, outline, GpFillMode::Winding);
    }
    graphics->SetTransform(saved);
    return 0;
}

int RenderOpaqueShadow(CGraphics* graphics, const QRectF* clip, const QPolygonF& outline, int softness,
                       COLORREF colour, int opacity, int xOffset, int yOffset)
{
    if (!graphics || outline.size() <= 2 || outline.size() > kMaxOutlinePoints)
        return 2;
    opacity = std::clamp(opacity, 0, 255);
    softness = std::max(softness, 0);
    const QRectF bounds = OutlineBounds(outline);
    if (opacity == 0 || (clip && !clip->intersects(GetShadowRect(bounds, softness, -1, xOffset, yOffset))))
        return 0;
    CGpBrush brush;
    brush.color = LerpColor(0xFFFFFFFF, ColorRefToARGB(colour), opacity / 255.0);
    const double half = softness / 2.0;
    const QPolygonF grown = MapPolygon(outline, bounds, bounds.adjusted(-half, -half, half, half));
    const QTransform saved = graphics->GetTransform();
    graphics->TranslateTransform(float(xOffset), float(yOffset));
    graphics->FillPolygon(brush, grown, GpFillMode::Winding);
    graphics->SetTransform(saved);
    return 0;
}

int RenderSoftShadow(CGraphics* graphics, const QRectF* clip, const QPolygonF& outline,
                     int softness, COLORREF colour, int opacity, int passKind, int xOffset,
                     int yOffset, bool cachedBitmap, int scale, bool flatten,
                     COLORREF background)
{
    if (!graphics || outline.size() <= 2 || outline.size() > kMaxOutlinePoints)
        return 2;
    opacity = std::clamp(opacity, 0, 255);
    softness = std::max(softness, 0);
    if (softness == 0 || cachedBitmap)
        passKind = 1;
    if (passKind > 0)
        return RenderMultiPassShadow(graphics, outline, softness, colour, opacity, xOffset,
                                     yOffset, passKind, cachedBitmap);
    if (opacity == 0)
        return 0;  // an invisible shadow: nothing to blur or draw
    const QRectF bounds = OutlineBounds(outline);
    const QRectF shadowRect = GetShadowRect(bounds, softness, scale, xOffset, yOffset);
    if (clip && !clip->intersects(shadowRect))
        return 0;

    int radius = std::clamp(softness / 2, 3, 20);
    double bw = 0, bh = 0;
    if (scale == -1) {
        // The blur needs `radius` pixels across the softness; a target that
        // shows the figure smaller gets no more pixels than it has, so a huge
        // figure drawn small neither allocates a huge bitmap nor loses its
        // shadow to the size limit.
        const double targetPerUnit = std::sqrt(std::abs(graphics->WorldToDevice().determinant()));
        const double perUnit = std::min(double(radius) / softness, targetPerUnit);
        radius = int(std::lround(softness * perUnit));
        bw = std::max(1.0, perUnit * (bounds.width() + 2 * softness));
        bh = std::max(1.0, perUnit * (bounds.height() + 2 * softness));
    } else {
        radius = scale * softness / 256;
        bw = double(scale) * (bounds.width() + 2 * softness) / 256;
        bh = double(scale) * (bounds.height() + 2 * softness) / 256;
    }
    const int width = int(bw), height = int(bh);
    if (width <= 0 || height <= 0 || qint64(width) * height > qint64(16384) * 16384)
        return 3;
    QImage bitmap(width, height, QImage::Format_ARGB32);
    if (bitmap.isNull())
        return 3;
    bitmap.fill(Qt::transparent);
    const int inset = std::max(0, std::min({radius, (width - 2) / 4, (height - 2) / 4}));
    {
        QPainter p(&bitmap);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(GetRValue(colour), GetGValue(colour), GetBValue(colour)));
        const QRectF target(inset, inset, width - 2.0 * inset, height - 2.0 * inset);
        p.drawPolygon(MapPolygon(outline, bounds, target), Qt::WindingFill);
    }
    BlurShadowAlpha(bitmap, inset, opacity, colour);
    if (flatten) {
        QImage flat(bitmap.size(), QImage::Format_ARGB32);
        flat.fill(QColor(GetRValue(background), GetGValue(background), GetBValue(background)));
        QPainter p(&flat);
        p.drawImage(0, 0, bitmap);
        p.end();
        bitmap = std::move(flat);
    }
    graphics->SetCompositingQuality(GpCompositingQuality::HighQuality);
    graphics->SetInterpolationMode(GpInterpolationMode::HighQualityBicubic);
    graphics->DrawImage(bitmap, shadowRect);
    return 0;
}
