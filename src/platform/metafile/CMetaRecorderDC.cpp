#include "platform/metafile/CMetaRecorderDC.h"

#include "platform/metafile/MetaBytes.h"

#include <QImage>

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

// The areas of a path as logical points: flattened four times finer than a
// unit, so that curves keep their shape once the points are rounded, and
// without repeated points. Empty when a point leaves the 32-bit range.
std::vector<std::vector<POINT>> LogicalAreas(const QPainterPath& path, const QTransform& toLogical)
{
    constexpr double kFiner = 4;
    std::vector<std::vector<POINT>> areas;
    for (const QPolygonF& polygon : path.toFillPolygons(toLogical * QTransform::fromScale(kFiner, kFiner))) {
        std::vector<POINT> points;
        for (const QPointF& f : polygon) {
            const QPointF l = f / kFiner;
            if (!(std::abs(l.x()) < 1e9 && std::abs(l.y()) < 1e9))
                return {};
            const POINT p{LONG(std::lround(l.x())), LONG(std::lround(l.y()))};
            if (points.empty() || p.x != points.back().x || p.y != points.back().y)
                points.push_back(p);
        }
        areas.push_back(std::move(points));
    }
    return areas;
}

// One figure of a stroked path in logical units as cubic pieces (a line is a
// piece whose control points lie on it), and whether any piece is curved.
struct StrokeFigure {
    std::vector<QPointF> pieces;  // start, then three points a piece
    bool curved = false;
};

std::vector<StrokeFigure> StrokeFigures(const QPainterPath& path, const QTransform& toLogical)
{
    const QPainterPath p = toLogical.map(path);
    std::vector<StrokeFigure> figures;
    for (int i = 0; i < p.elementCount(); ++i) {
        const QPainterPath::Element e = p.elementAt(i);
        if (e.isMoveTo() || figures.empty()) {
            figures.push_back(StrokeFigure{{QPointF(e)}, false});
            if (e.isMoveTo())
                continue;
        }
        StrokeFigure& f = figures.back();
        const QPointF from = f.pieces.back();
        if (e.isCurveTo() && i + 2 < p.elementCount()) {
            f.pieces.insert(f.pieces.end(), {QPointF(e), QPointF(p.elementAt(i + 1)), QPointF(p.elementAt(i + 2))});
            f.curved = true;
            i += 2;
        } else {
            const QPointF to(e);
            f.pieces.insert(f.pieces.end(), {from + (to - from) / 3, from + (to - from) * 2 / 3, to});
        }
    }
    return figures;
}

// The corners of a polyline that matter at whole units: corners closer than
// `tolerance` to the line through their neighbours are dropped (Douglas and
// Peucker), so that an arc given as many short pieces does not wobble once
// its points are rounded.
void KeepCorners(const std::vector<QPointF>& in, size_t first, size_t last, double tolerance,
                 std::vector<bool>& keep)
{
    if (last <= first + 1)
        return;
    const QPointF a = in[first], b = in[last];
    const double length = std::hypot(b.x() - a.x(), b.y() - a.y());
    double farthest = -1;
    size_t at = first;
    for (size_t i = first + 1; i < last; ++i) {
        const QPointF p = in[i];
        const double cross = (b.x() - a.x()) * (a.y() - p.y()) - (a.x() - p.x()) * (b.y() - a.y());
        const double d = length > 0 ? std::abs(cross) / length : std::hypot(p.x() - a.x(), p.y() - a.y());
        if (d > farthest)
            farthest = d, at = i;
    }
    if (farthest <= tolerance)
        return;
    keep[at] = true;
    KeepCorners(in, first, at, tolerance, keep);
    KeepCorners(in, at, last, tolerance, keep);
}

std::vector<QPointF> Simplified(const std::vector<QPointF>& in)
{
    if (in.size() <= 2)
        return in;
    std::vector<bool> keep(in.size(), false);
    keep.front() = keep.back() = true;
    KeepCorners(in, 0, in.size() - 1, 0.35, keep);
    std::vector<QPointF> out;
    for (size_t i = 0; i < in.size(); ++i)
        if (keep[i])
            out.push_back(in[i]);
    return out;
}

// Rounded logical points; false when one leaves the 32-bit range. Lines drop
// repeated corners; curves keep every control point.
bool RoundPoints(const std::vector<QPointF>& in, bool curve, std::vector<POINT>& out)
{
    out.clear();
    for (const QPointF& f : in) {
        if (!(std::abs(f.x()) < 1e9 && std::abs(f.y()) < 1e9))
            return false;
        const POINT p{LONG(std::lround(f.x())), LONG(std::lround(f.y()))};
        if (curve || out.empty() || p.x != out.back().x || p.y != out.back().y)
            out.push_back(p);
    }
    return true;
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

void CMetaRecorderDC::FillLogicalPath(const QPainterPath& path, const QTransform& toLogical, COLORREF colour)
{
    std::vector<POINT> points;
    std::vector<int> counts;
    for (const std::vector<POINT>& area : LogicalAreas(path, toLogical)) {
        if (area.size() < 3)
            continue;
        points.insert(points.end(), area.begin(), area.end());
        counts.push_back(int(area.size()));
    }
    if (counts.empty())
        return;
    const int saved = SaveDC();
    CBrush brush(colour);
    SelectObject(&brush);
    SelectStockObject(NULL_PEN);
    SetPolyFillMode(path.fillRule() == Qt::WindingFill ? WINDING : ALTERNATE);
    PolyPolygon(points.data(), counts.data(), int(counts.size()));
    RestoreDC(saved);
}

void CMetaRecorderDC::GpFillPath(const QPainterPath& path, const CGpBrush& brush, const CGpState& state)
{
    const ARGB colour = BrushColour(brush);
    if ((colour >> 24) == 0)
        return;
    bool invertible = false;
    const QTransform toLogical = state.world * LogToDevTransform().inverted(&invertible);
    if (invertible)
        FillLogicalPath(path, toLogical, ArgbToColorref(colour));
}

namespace {
// The on/off lengths of a GDI+ dash style, in pen widths (empty: solid).
std::vector<float> DashLengths(const CGpPen& pen)
{
    switch (pen.dashStyle) {
    case GpDashStyle::Solid: return {};
    case GpDashStyle::Dash: return {3, 1};
    case GpDashStyle::Dot: return {1, 1};
    case GpDashStyle::DashDot: return {3, 1, 1, 1};
    case GpDashStyle::DashDotDot: return {3, 1, 1, 1, 1, 1};
    default: break;
    }
    if (pen.dashPattern.empty() || pen.dashPattern.size() % 2 != 0 || pen.dashPattern.size() > 16)
        return {};
    return pen.dashPattern;
}

DWORD CapStyle(GpLineCap cap)
{
    return cap == GpLineCap::Round ? PS_ENDCAP_ROUND : cap == GpLineCap::Square ? PS_ENDCAP_SQUARE : PS_ENDCAP_FLAT;
}

DWORD JoinStyle(GpLineJoin join)
{
    return join == GpLineJoin::Round ? PS_JOIN_ROUND : join == GpLineJoin::Bevel ? PS_JOIN_BEVEL : PS_JOIN_MITER;
}
} // namespace

// A stroke is written as what a metafile reader expects of one: a geometric
// pen of the stroke's width, colour, caps and joins, and the path's figures
// as polylines (closed ones as polygons without fill) or, with curves, as
// Bezier curves, so that a thin or slanted line stays a line in every reader
// instead of a sliver of rounded outline corners. Dashes take the stock
// style of their shape: readers draw those, while many ignore user styles.
void CMetaRecorderDC::GpDrawPath(const QPainterPath& path, const CGpPen& pen, const CGpState& state)
{
    if ((pen.color >> 24) == 0 || path.isEmpty())
        return;
    bool invertible = false;
    const QTransform toLogical = state.world * LogToDevTransform().inverted(&invertible);
    if (!invertible)
        return;
    const double width = std::max(1.0, double(pen.width) * std::sqrt(std::abs(toLogical.determinant())));
    if (!(width < 1e6))
        return;
    const DWORD style =
        PS_GEOMETRIC | CapStyle(pen.startCap) | JoinStyle(pen.lineJoin) | StockDashOf(DashLengths(pen));
    CPen gdiPen;
    const LOGBRUSH colour{BS_SOLID, ArgbToColorref(pen.color), 0};
    if (!gdiPen.ExtCreatePen(style, int(std::lround(width)), colour, 0, nullptr))
        return;
    const int saved = SaveDC();
    SelectObject(&gdiPen);
    SelectStockObject(NULL_BRUSH);
    if (pen.miterLimit > 0)
        SetMiterLimit(pen.miterLimit);
    std::vector<POINT> points;
    for (const StrokeFigure& figure : StrokeFigures(path, toLogical)) {
        if (figure.curved) {
            // Curves stay curves: readers draw them smooth, where rounded
            // points of a flattened arc would wobble.
            if (RoundPoints(figure.pieces, true, points) && points.size() >= 4)
                PolyBezier(points.data(), int(points.size()));
            continue;
        }
        std::vector<QPointF> corners;
        for (size_t i = 0; i < figure.pieces.size(); i += 3)
            corners.push_back(figure.pieces[i]);
        if (!RoundPoints(Simplified(corners), false, points))
            continue;
        if (points.size() == 1)
            points.push_back(points.front());  // a dot still shows the pen
        // A figure that comes back to its start is closed by a polygon, so
        // that its first corner is joined as the others.
        const bool closed = points.size() > 3 && points.back().x == points.front().x &&
                            points.back().y == points.front().y;
        if (closed)
            Polygon(points.data(), int(points.size()) - 1);
        else if (points.size() >= 2)
            Polyline(points.data(), int(points.size()));
    }
    RestoreDC(saved);
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
