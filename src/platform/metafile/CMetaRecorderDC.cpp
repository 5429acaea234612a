#include "platform/metafile/CMetaRecorderDC.h"

#include "platform/metafile/MetaBytes.h"

#include <QImage>
#include <QPainterPathStroker>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {
bool UsesSource(DWORD rop) { return ((rop >> 2) ^ rop) & 0x330000; }

COLORREF ArgbToColorref(ARGB c) { return RGB((c >> 16) & 0xFF, (c >> 8) & 0xFF, c & 0xFF); }

ARGB MeanColour(ARGB a, ARGB b)
{
    auto mid = [&](int shift) { return ((((a >> shift) & 0xFF) + ((b >> shift) & 0xFF)) / 2) << shift; };
    return ARGB(mid(24) | mid(16) | mid(8) | mid(0));
}

// The one colour a brush is written with.
ARGB BrushColour(const CGpBrush& brush)
{
    switch (brush.kind) {
    case GpBrushKind::Solid:
    case GpBrushKind::Hatch: return brush.color;
    case GpBrushKind::LinearGradient: return MeanColour(brush.color1, brush.color2);
    case GpBrushKind::PathGradient:
        return brush.surroundColors.empty() ? brush.centerColor
                                            : MeanColour(brush.centerColor, brush.surroundColors.front());
    default: return 0xFF808080;
    }
}

// A packed 32-bit bottom-up BI_RGB DIB (40-byte header) of an image: its
// colours opaque, or with `premultiplied`, its premultiplied colours and alpha.
std::vector<BYTE> PackDib(const QImage& image, bool premultiplied)
{
    const QImage src =
        image.convertToFormat(premultiplied ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    if (src.isNull())
        return {};
    const size_t row = size_t(src.width()) * 4;
    std::vector<BYTE> dib(40 + row * size_t(src.height()));
    StoreLE32(dib.data(), 40);
    StoreLE32(dib.data() + 4, DWORD(src.width()));
    StoreLE32(dib.data() + 8, DWORD(src.height()));
    StoreLE16(dib.data() + 12, 1);
    StoreLE16(dib.data() + 14, 32);
    for (int y = 0; y < src.height(); ++y)
        std::memcpy(dib.data() + 40 + size_t(src.height() - 1 - y) * row, src.constScanLine(y), row);
    return dib;
}

std::vector<BYTE> ImagePartDib(const QImage& image, const QRect& part)
{
    const QRect r = part.intersected(image.rect());
    return r.isEmpty() ? std::vector<BYTE>{} : PackDib(image.copy(r), false);
}

// The device pixels of a source rectangle given in the source's logical units.
QRect SourcePixels(const CDC& src, int x, int y, int width, int height)
{
    POINT p[2] = {{x, y}, {x + width, y + height}};
    src.LPtoDP(p, 2);
    return QRect(QPoint(std::min(p[0].x, p[1].x), std::min(p[0].y, p[1].y)),
                 QPoint(std::max(p[0].x, p[1].x) - 1, std::max(p[0].y, p[1].y) - 1));
}

enum class AlphaCoverage { Opaque, Translucent, Clear };

AlphaCoverage CoverageOf(const QImage& premultiplied)
{
    bool shown = false, translucent = false;
    for (int y = 0; y < premultiplied.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(premultiplied.constScanLine(y));
        for (int x = 0; x < premultiplied.width(); ++x) {
            const int a = qAlpha(line[x]);
            shown = shown || a != 0;
            translucent = translucent || a != 255;
        }
    }
    return !shown ? AlphaCoverage::Clear : translucent ? AlphaCoverage::Translucent : AlphaCoverage::Opaque;
}
}  // namespace

bool CMetaRecorderDC::DibSizes(const BITMAPINFOHEADER& h, size_t& infoSize, size_t& bitsSize)
{
    const int bpp = h.biBitCount;
    if (h.biSize < 40 || h.biSize > 124 || h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT32_MIN)
        return false;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return false;
    if (h.biCompression != BI_RGB && h.biCompression != BI_BITFIELDS)
        return false;
    const uint64_t colours = h.biClrUsed ? h.biClrUsed : (bpp <= 8 ? (1u << bpp) : 0);
    if (colours > 256 || (bpp <= 8 && colours > (1u << bpp)))
        return false;
    const uint64_t masks = (h.biCompression == BI_BITFIELDS && h.biSize == 40) ? 12 : 0;
    const uint64_t stride = (uint64_t(h.biWidth) * bpp + 31) / 32 * 4;
    const uint64_t rows = uint64_t(std::abs(int64_t(h.biHeight)));
    // One picture of a diagram stays far below this.
    if (stride * rows > (uint64_t(1) << 28))
        return false;
    infoSize = size_t(h.biSize + masks + colours * 4);
    bitsSize = size_t(stride * rows);
    return true;
}

bool CMetaRecorderDC::DeviceToLogical(const QRect& device, RECT& logical) const
{
    bool invertible = false;
    const QTransform toLogical = LogToDevTransform().inverted(&invertible);
    const QRectF r = toLogical.mapRect(QRectF(device));
    constexpr double kLimit = double(1 << 30);
    if (!invertible || !(std::abs(r.left()) < kLimit && std::abs(r.right()) < kLimit && std::abs(r.top()) < kLimit &&
                         std::abs(r.bottom()) < kLimit))
        return false;
    logical = RECT{LONG(std::lround(r.left())), LONG(std::lround(r.top())), LONG(std::lround(r.right())),
                   LONG(std::lround(r.bottom()))};
    return true;
}

// A fill with another brush than the selected one selects it for the fill and
// the current brush back after it.
void CMetaRecorderDC::FillRect(const RECT* rect, CBrush* brush)
{
    if (!rect || !brush || !brush->IsCreated())
        return;
    CBrush* old = GetCurrentBrush();
    SelectObject(brush);
    PatBlt(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, PATCOPY);
    if (old && old != brush)
        SelectObject(old);
}

void CMetaRecorderDC::FrameRect(const RECT* rect, CBrush* brush)
{
    if (!rect || !brush || !brush->IsCreated() || rect->right <= rect->left || rect->bottom <= rect->top)
        return;
    const RECT& r = *rect;
    const RECT sides[4] = {{r.left, r.top, r.right, r.top + 1},
                           {r.left, r.bottom - 1, r.right, r.bottom},
                           {r.left, r.top, r.left + 1, r.bottom},
                           {r.right - 1, r.top, r.right, r.bottom}};
    for (const RECT& side : sides)
        FillRect(&side, brush);
}

// Regions are device units; each of their rectangles is filled as its logical
// rectangle.
bool CMetaRecorderDC::FillRgn(CRgn* region, CBrush* brush)
{
    if (!region || !brush)
        return false;
    for (const QRect& r : region->Region()) {
        RECT rc;
        if (DeviceToLogical(r, rc))
            FillRect(&rc, brush);
    }
    return true;
}

// The frame of a region is written as the frame of its bounding box.
bool CMetaRecorderDC::FrameRgn(CRgn* region, CBrush* brush, int width, int height)
{
    if (!region || !brush)
        return false;
    RECT box;
    if (DeviceToLogical(region->Region().boundingRect(), box))
        FrameRect(&box, brush);
    return true;
}

bool CMetaRecorderDC::BitBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, DWORD rop)
{
    return StretchBlt(x, y, width, height, src, xSrc, ySrc, width, height, rop);
}

bool CMetaRecorderDC::StretchBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, int srcWidth,
                                 int srcHeight, DWORD rop)
{
    if (!UsesSource(rop))
        return PatBlt(x, y, width, height, rop);
    QImage* image = src ? src->GetImageSurface() : nullptr;
    if (!image)
        return false;
    const std::vector<BYTE> dib = ImagePartDib(*image, SourcePixels(*src, xSrc, ySrc, srcWidth, srcHeight));
    if (dib.empty())
        return false;
    return WriteDib(x, y, width, height, 0, 0, int(LoadLE32(dib.data() + 4)), int(LoadLE32(dib.data() + 8)), dib,
                    40, DIB_RGB_COLORS, rop);
}

int CMetaRecorderDC::StretchDIBits(int x, int y, int width, int height, int xSrc, int ySrc, int srcWidth,
                                   int srcHeight, const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop)
{
    size_t infoSize = 0, bitsSize = 0;
    if (!bits || !info || !DibSizes(info->bmiHeader, infoSize, bitsSize))
        return 0;
    std::vector<BYTE> dib(infoSize + bitsSize);
    std::memcpy(dib.data(), info, infoSize);
    std::memcpy(dib.data() + infoSize, bits, bitsSize);
    if (!WriteDib(x, y, width, height, xSrc, ySrc, srcWidth, srcHeight, dib, infoSize, usage, rop))
        return 0;
    return std::abs(info->bmiHeader.biHeight);
}

void CMetaRecorderDC::FillDevicePath(const QPainterPath& devicePath, COLORREF colour)
{
    bool invertible = false;
    const QTransform toLogical = LogToDevTransform().inverted(&invertible);
    if (!invertible)
        return;
    std::vector<POINT> points;
    std::vector<int> counts;
    for (const QPolygonF& poly : devicePath.toFillPolygons()) {
        if (poly.size() < 3)
            continue;
        for (const QPointF& d : poly) {
            const QPointF l = toLogical.map(d);
            if (!(std::abs(l.x()) < 1e9 && std::abs(l.y()) < 1e9))
                return;
            points.push_back(POINT{LONG(std::lround(l.x())), LONG(std::lround(l.y()))});
        }
        counts.push_back(int(poly.size()));
    }
    if (counts.empty())
        return;
    const int saved = SaveDC();
    CBrush brush(colour);
    SelectObject(&brush);
    SelectStockObject(NULL_PEN);
    SetPolyFillMode(devicePath.fillRule() == Qt::WindingFill ? WINDING : ALTERNATE);
    PolyPolygon(points.data(), counts.data(), int(counts.size()));
    RestoreDC(saved);
}

void CMetaRecorderDC::GpFillPath(const QPainterPath& path, const CGpBrush& brush, const CGpState& state)
{
    const ARGB colour = BrushColour(brush);
    if ((colour >> 24) == 0)
        return;
    FillDevicePath(state.world.map(path), ArgbToColorref(colour));
}

void CMetaRecorderDC::GpDrawPath(const QPainterPath& path, const CGpPen& pen, const CGpState& state)
{
    if ((pen.color >> 24) == 0)
        return;
    // The stroke in device pixels, at least one pixel wide, filled.
    const QPainterPath device = state.world.map(path);
    const double scale = std::sqrt(std::abs(state.world.determinant()));
    QPainterPathStroker stroker;
    stroker.setWidth(std::max(1.0, pen.width * scale));
    stroker.setCapStyle(pen.startCap == GpLineCap::Round ? Qt::RoundCap
                        : pen.startCap == GpLineCap::Square ? Qt::SquareCap : Qt::FlatCap);
    stroker.setJoinStyle(pen.lineJoin == GpLineJoin::Round ? Qt::RoundJoin
                         : pen.lineJoin == GpLineJoin::Bevel ? Qt::BevelJoin : Qt::MiterJoin);
    stroker.setMiterLimit(pen.miterLimit);
    if (pen.dashStyle != GpDashStyle::Solid) {
        static const QVector<qreal> kDash{3, 1}, kDot{1, 1}, kDashDot{3, 1, 1, 1}, kDashDotDot{3, 1, 1, 1, 1, 1};
        QVector<qreal> pattern;
        switch (pen.dashStyle) {
        case GpDashStyle::Dash: pattern = kDash; break;
        case GpDashStyle::Dot: pattern = kDot; break;
        case GpDashStyle::DashDot: pattern = kDashDot; break;
        case GpDashStyle::DashDotDot: pattern = kDashDotDot; break;
        default: pattern = QVector<qreal>(pen.dashPattern.begin(), pen.dashPattern.end()); break;
        }
        if (!pattern.isEmpty() && pattern.size() % 2 == 0)
            stroker.setDashPattern(pattern);
    }
    QPainterPath outline = stroker.createStroke(device);
    outline.setFillRule(Qt::WindingFill);
    FillDevicePath(outline, ArgbToColorref(pen.color));
}

bool CMetaRecorderDC::WriteImagePart(const QImage& image, const QRect& part, const QRect& dest, BLENDFUNCTION blend)
{
    const QRect r = part.intersected(image.rect());
    if (r.isEmpty())
        return false;
    if (blend.SourceConstantAlpha == 0)
        return true;
    const QImage piece = image.copy(r);
    bool perPixel = false;
    QImage premultiplied;
    if ((blend.AlphaFormat & AC_SRC_ALPHA) && piece.hasAlphaChannel()) {
        premultiplied = piece.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const AlphaCoverage coverage = CoverageOf(premultiplied);
        if (coverage == AlphaCoverage::Clear)
            return true;  // nothing of it shows
        perPixel = coverage == AlphaCoverage::Translucent;
    }
    if (perPixel || blend.SourceConstantAlpha < 255) {
        BLENDFUNCTION written;
        written.BlendOp = AC_SRC_OVER;
        written.SourceConstantAlpha = blend.SourceConstantAlpha;
        written.AlphaFormat = perPixel ? AC_SRC_ALPHA : 0;
        const std::vector<BYTE> dib = PackDib(perPixel ? premultiplied : piece, perPixel);
        if (!dib.empty() && WriteAlphaDib(dest.left(), dest.top(), dest.width(), dest.height(), dib, written))
            return true;
    }
    // Opaque: the image's own colours, whatever their alpha.
    const std::vector<BYTE> dib = PackDib(piece, false);
    if (dib.empty())
        return false;
    return WriteDib(dest.left(), dest.top(), dest.width(), dest.height(), 0, 0, r.width(), r.height(), dib, 40,
                    DIB_RGB_COLORS, SRCCOPY);
}

bool CMetaRecorderDC::AlphaBlend(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, int srcWidth,
                                 int srcHeight, BLENDFUNCTION blend)
{
    if (!src || width < 0 || height < 0 || srcWidth < 0 || srcHeight < 0)
        return false;
    src->Flush();
    const QImage* image = src->GetImageSurface();
    if (!image)
        return false;
    if (width == 0 || height == 0 || srcWidth == 0 || srcHeight == 0)
        return true;
    return WriteImagePart(*image, SourcePixels(*src, xSrc, ySrc, srcWidth, srcHeight), QRect(x, y, width, height),
                          blend);
}

void CMetaRecorderDC::GpDrawImage(const QImage& image, const QRectF& dst, const QRectF& src,
                                  const CGpImageAttributes* attrs, const CGpState& state)
{
    (void)attrs;
    const QRect part = src.toAlignedRect().intersected(image.rect());
    if (part.isEmpty())
        return;
    bool invertible = false;
    const QTransform toLogical = LogToDevTransform().inverted(&invertible);
    if (!invertible)
        return;
    const QRectF logical = toLogical.mapRect(state.world.mapRect(dst));
    if (!(std::abs(logical.left()) < 1e9 && std::abs(logical.right()) < 1e9 && std::abs(logical.top()) < 1e9 &&
          std::abs(logical.bottom()) < 1e9))
        return;
    // The image's own alpha, at full strength.
    BLENDFUNCTION blend;
    blend.SourceConstantAlpha = 255;
    blend.AlphaFormat = AC_SRC_ALPHA;
    WriteImagePart(image, part, logical.toAlignedRect(), blend);
}
