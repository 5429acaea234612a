// The drawing calls of the WMF recorder. Inside a path the outlines are
// collected (page coordinates) and written as polygons when the path is used.
#include "platform/metafile/CWmfRecorderDC.h"

#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
bool UsesSource(DWORD rop) { return ((rop >> 2) ^ rop) & 0x330000; }

QPolygonF ToPolygon(const std::vector<WORD>& xy)
{
    QPolygonF poly;
    for (size_t i = 0; i + 1 < xy.size(); i += 2)
        poly << QPointF(SHORT(xy[i]), SHORT(xy[i + 1]));
    return poly;
}

// A packed 32-bit bottom-up DIB of part of an image.
std::vector<BYTE> ImagePartDib(const QImage& image, const QRect& part)
{
    const QRect r = part.intersected(image.rect());
    if (r.isEmpty())
        return {};
    const QImage src = image.copy(r).convertToFormat(QImage::Format_RGB32);
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
}  // namespace

bool CWmfRecorderDC::AddToPath(const QPainterPath& pagePath)
{
    if (!m_inPath)
        return false;
    m_path.addPath(pagePath);
    return true;
}

void CWmfRecorderDC::WritePolygons(const QList<QPolygonF>& polygons, bool filled)
{
    for (const QPolygonF& poly : polygons) {
        if (poly.size() < 2 || poly.size() > 8000)
            continue;
        std::vector<WORD> params = {WORD(poly.size())};
        for (const QPointF& p : poly) {
            params.push_back(WORD(PX(p.x())));
            params.push_back(WORD(PX(p.y())));
        }
        RecWords(filled ? META_POLYGON : META_POLYLINE, params);
    }
}

CPoint CWmfRecorderDC::MoveTo(int x, int y)
{
    if (m_inPath)
        m_path.moveTo(Page(x, y));
    else {
        const QPointF p = Page(x, y);
        Rec(META_MOVETO, {PX(p.y()), PX(p.x())});
    }
    return CDC::MoveTo(x, y);
}

bool CWmfRecorderDC::LineTo(int x, int y)
{
    if (m_inPath) {
        if (m_path.elementCount() == 0)
            m_path.moveTo(Page(GetCurrentPosition().x, GetCurrentPosition().y));
        m_path.lineTo(Page(x, y));
    } else {
        const QPointF p = Page(x, y);
        Rec(META_LINETO, {PX(p.y()), PX(p.x())});
    }
    CDC::MoveTo(x, y);
    return true;
}

bool CWmfRecorderDC::Polyline(const POINT* points, int count)
{
    if (!points || count < 2 || count > 8000)
        return false;
    std::vector<WORD> xy = PagePoints(points, count);
    if (m_inPath) {
        QPainterPath path;
        path.addPolygon(ToPolygon(xy));
        return AddToPath(path);
    }
    xy.insert(xy.begin(), WORD(count));
    RecWords(META_POLYLINE, xy);
    return true;
}

bool CWmfRecorderDC::Polygon(const POINT* points, int count)
{
    if (!points || count < 2 || count > 8000)
        return false;
    std::vector<WORD> xy = PagePoints(points, count);
    if (m_inPath) {
        QPainterPath path;
        path.addPolygon(ToPolygon(xy));
        path.closeSubpath();
        return AddToPath(path);
    }
    xy.insert(xy.begin(), WORD(count));
    RecWords(META_POLYGON, xy);
    return true;
}

bool CWmfRecorderDC::PolyPolygon(const POINT* points, const int* counts, int polygons)
{
    if (!points || !counts || polygons <= 0 || polygons > 8000)
        return false;
    std::vector<WORD> params = {WORD(polygons)};
    int total = 0;
    for (int i = 0; i < polygons; ++i) {
        if (counts[i] < 0 || total + counts[i] > 16000)
            return false;
        params.push_back(WORD(counts[i]));
        total += counts[i];
    }
    const std::vector<WORD> xy = PagePoints(points, total);
    if (m_inPath) {
        QPainterPath path;
        size_t at = 0;
        for (int i = 0; i < polygons; ++i) {
            const std::vector<WORD> part(xy.begin() + at, xy.begin() + at + size_t(counts[i]) * 2);
            path.addPolygon(ToPolygon(part));
            path.closeSubpath();
            at += size_t(counts[i]) * 2;
        }
        return AddToPath(path);
    }
    params.insert(params.end(), xy.begin(), xy.end());
    RecWords(META_POLYPOLYGON, params);
    return true;
}

// WMF has no curves: the bezier is written as the polyline it flattens to.
bool CWmfRecorderDC::PolyBezier(const POINT* points, int count)
{
    if (!points || count < 4 || (count - 1) % 3 != 0)
        return false;
    QPainterPath path(Page(points[0].x, points[0].y));
    for (int i = 1; i + 2 < count; i += 3)
        path.cubicTo(Page(points[i].x, points[i].y), Page(points[i + 1].x, points[i + 1].y),
                     Page(points[i + 2].x, points[i + 2].y));
    if (AddToPath(path))
        return true;
    WritePolygons(path.toSubpathPolygons(), false);
    return true;
}

bool CWmfRecorderDC::Rectangle(int left, int top, int right, int bottom)
{
    const QPointF a = Page(left, top), b = Page(right, bottom);
    if (m_inPath) {
        QPainterPath path;
        path.addRect(QRectF(a, b));
        return AddToPath(path);
    }
    Rec(META_RECTANGLE, {PX(b.y()), PX(b.x()), PX(a.y()), PX(a.x())});
    return true;
}

bool CWmfRecorderDC::Ellipse(int left, int top, int right, int bottom)
{
    const QPointF a = Page(left, top), b = Page(right, bottom);
    if (m_inPath) {
        QPainterPath path;
        path.addEllipse(QRectF(a, b));
        return AddToPath(path);
    }
    Rec(META_ELLIPSE, {PX(b.y()), PX(b.x()), PX(a.y()), PX(a.x())});
    return true;
}

bool CWmfRecorderDC::RoundRect(int left, int top, int right, int bottom, int width, int height)
{
    const QPointF a = Page(left, top), b = Page(right, bottom);
    Rec(META_ROUNDRECT, {LenY(height), LenX(width), PX(b.y()), PX(b.x()), PX(a.y()), PX(a.x())});
    return true;
}

bool CWmfRecorderDC::Arc(int l, int t, int r, int b, int xs, int ys, int xe, int ye)
{
    const QPointF a = Page(l, t), c = Page(r, b), s = Page(xs, ys), e = Page(xe, ye);
    Rec(META_ARC, {PX(e.y()), PX(e.x()), PX(s.y()), PX(s.x()), PX(c.y()), PX(c.x()), PX(a.y()), PX(a.x())});
    return true;
}

bool CWmfRecorderDC::Pie(int l, int t, int r, int b, int xs, int ys, int xe, int ye)
{
    const QPointF a = Page(l, t), c = Page(r, b), s = Page(xs, ys), e = Page(xe, ye);
    Rec(META_PIE, {PX(e.y()), PX(e.x()), PX(s.y()), PX(s.x()), PX(c.y()), PX(c.x()), PX(a.y()), PX(a.x())});
    return true;
}

bool CWmfRecorderDC::Chord(int l, int t, int r, int b, int xs, int ys, int xe, int ye)
{
    const QPointF a = Page(l, t), c = Page(r, b), s = Page(xs, ys), e = Page(xe, ye);
    Rec(META_CHORD, {PX(e.y()), PX(e.x()), PX(s.y()), PX(s.x()), PX(c.y()), PX(c.x()), PX(a.y()), PX(a.x())});
    return true;
}

bool CWmfRecorderDC::PatBlt(int x, int y, int width, int height, DWORD rop)
{
    const QPointF a = Page(x, y);
    Rec(META_PATBLT, {int(rop & 0xFFFF), int(rop >> 16), LenY(height), LenX(width), PX(a.y()), PX(a.x())});
    return true;
}

void CWmfRecorderDC::FillRect(const RECT* rect, CBrush* brush)
{
    if (!rect || !brush || !brush->IsCreated())
        return;
    CBrush* old = GetCurrentBrush();
    SelectObject(brush);
    PatBlt(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, PATCOPY);
    if (old && old != brush)
        SelectObject(old);
}

void CWmfRecorderDC::FrameRect(const RECT* rect, CBrush* brush)
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

bool CWmfRecorderDC::FillRgn(CRgn* region, CBrush* brush)
{
    if (!region || !brush)
        return false;
    for (const QRect& r : region->Region()) {
        RECT rc{r.left(), r.top(), r.right() + 1, r.bottom() + 1};
        DPtoLP(&rc);
        FillRect(&rc, brush);
    }
    return true;
}

bool CWmfRecorderDC::FrameRgn(CRgn* region, CBrush* brush, int width, int height)
{
    if (!region || !brush)
        return false;
    RECT box;
    region->GetRgnBox(&box);
    DPtoLP(&box);
    FrameRect(&box, brush);
    return true;
}

bool CWmfRecorderDC::WriteDib(int x, int y, int w, int h, int xs, int ys, int ws, int hs,
                              const std::vector<BYTE>& dib, UINT usage, DWORD rop)
{
    const QPointF a = Page(x, y);
    std::vector<WORD> params = {WORD(rop & 0xFFFF), WORD(rop >> 16), WORD(usage), WORD(hs), WORD(ws), WORD(ys),
                                WORD(xs), WORD(LenY(h)), WORD(LenX(w)), WORD(PX(a.y())), WORD(PX(a.x()))};
    const size_t at = params.size();
    params.resize(at + (dib.size() + 1) / 2);
    std::memcpy(params.data() + at, dib.data(), dib.size());
    RecWords(META_STRETCHDIB, params);
    return true;
}

bool CWmfRecorderDC::BitBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, DWORD rop)
{
    return StretchBlt(x, y, width, height, src, xSrc, ySrc, width, height, rop);
}

bool CWmfRecorderDC::StretchBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, int srcWidth,
                                int srcHeight, DWORD rop)
{
    if (!UsesSource(rop))
        return PatBlt(x, y, width, height, rop);
    QImage* image = src ? src->GetImageSurface() : nullptr;
    if (!image)
        return false;
    POINT p[2] = {{xSrc, ySrc}, {xSrc + srcWidth, ySrc + srcHeight}};
    src->LPtoDP(p, 2);
    const std::vector<BYTE> dib = ImagePartDib(
        *image, QRect(QPoint(std::min(p[0].x, p[1].x), std::min(p[0].y, p[1].y)),
                      QPoint(std::max(p[0].x, p[1].x) - 1, std::max(p[0].y, p[1].y) - 1)));
    if (dib.empty())
        return false;
    return WriteDib(x, y, width, height, 0, 0, int(LoadLE32(dib.data() + 4)), int(LoadLE32(dib.data() + 8)), dib,
                    DIB_RGB_COLORS, rop);
}

int CWmfRecorderDC::StretchDIBits(int x, int y, int width, int height, int xSrc, int ySrc, int srcWidth,
                                  int srcHeight, const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop)
{
    if (!bits || !info)
        return 0;
    const BITMAPINFOHEADER& h = info->bmiHeader;
    const int bpp = h.biBitCount;
    if (h.biSize < 40 || h.biSize > 124 || h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT32_MIN ||
        (h.biCompression != BI_RGB && h.biCompression != BI_BITFIELDS) ||
        (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32))
        return 0;
    const uint64_t colours = h.biClrUsed ? std::min<uint64_t>(h.biClrUsed, 256) : (bpp <= 8 ? (1u << bpp) : 0);
    const uint64_t infoSize = h.biSize + ((h.biCompression == BI_BITFIELDS && h.biSize == 40) ? 12 : 0) + colours * 4;
    const uint64_t bitsSize = (uint64_t(h.biWidth) * bpp + 31) / 32 * 4 * uint64_t(std::abs(int64_t(h.biHeight)));
    // A WMF record is at most 2^32 words, but one picture in a diagram stays far smaller.
    if (infoSize + bitsSize > (uint64_t(1) << 28))
        return 0;
    std::vector<BYTE> dib(size_t(infoSize + bitsSize));
    std::memcpy(dib.data(), info, size_t(infoSize));
    std::memcpy(dib.data() + infoSize, bits, size_t(bitsSize));
    WriteDib(x, y, width, height, xSrc, ySrc, srcWidth, srcHeight, dib, usage, rop);
    return std::abs(h.biHeight);
}

COLORREF CWmfRecorderDC::SetPixel(int x, int y, COLORREF color)
{
    const QPointF p = Page(x, y);
    Rec(META_SETPIXEL, {int(color & 0xFFFF), int(color >> 16), PX(p.y()), PX(p.x())});
    return color;
}

bool CWmfRecorderDC::ExtFloodFill(int x, int y, COLORREF color, UINT fillType)
{
    const QPointF p = Page(x, y);
    Rec(META_EXTFLOODFILL, {int(fillType), int(color & 0xFFFF), int(color >> 16), PX(p.y()), PX(p.x())});
    return true;
}

// WMF regions are not written: a clip region is written as its bounding box.
int CWmfRecorderDC::SelectClipRgn(CRgn* region, int mode)
{
    const int result = CDC::SelectClipRgn(region, mode);
    if (region) {
        RECT box;
        region->GetRgnBox(&box);
        DPtoLP(&box);
        const QPointF a = Page(box.left, box.top), b = Page(box.right, box.bottom);
        Rec(META_INTERSECTCLIPRECT, {PX(b.y()), PX(b.x()), PX(a.y()), PX(a.x())});
    }
    return result;
}

int CWmfRecorderDC::IntersectClipRect(int left, int top, int right, int bottom)
{
    const QPointF a = Page(left, top), b = Page(right, bottom);
    Rec(META_INTERSECTCLIPRECT, {PX(b.y()), PX(b.x()), PX(a.y()), PX(a.x())});
    return CDC::IntersectClipRect(left, top, right, bottom);
}

int CWmfRecorderDC::ExcludeClipRect(int left, int top, int right, int bottom)
{
    const QPointF a = Page(left, top), b = Page(right, bottom);
    Rec(META_EXCLUDECLIPRECT, {PX(b.y()), PX(b.x()), PX(a.y()), PX(a.x())});
    return CDC::ExcludeClipRect(left, top, right, bottom);
}

bool CWmfRecorderDC::BeginPath()
{
    m_inPath = true;
    m_path = QPainterPath();
    m_path.setFillRule(State().polyFillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    return CDC::BeginPath();
}

bool CWmfRecorderDC::CloseFigure()
{
    m_path.closeSubpath();
    return CDC::CloseFigure();
}

bool CWmfRecorderDC::StrokePath()
{
    m_inPath = false;
    WritePolygons(m_path.toSubpathPolygons(), false);
    m_path = QPainterPath();
    return true;
}

// A filled path is its polygons drawn with an invisible pen.
bool CWmfRecorderDC::FillPath()
{
    m_inPath = false;
    SelectCreated(META_CREATEPENINDIRECT, {WORD(PS_NULL), 0, 0, 0, 0});
    WritePolygons(m_path.toFillPolygons(), true);
    WriteCurrentPen();
    m_path = QPainterPath();
    return true;
}

bool CWmfRecorderDC::StrokeAndFillPath()
{
    m_inPath = false;
    WritePolygons(m_path.toFillPolygons(), true);
    m_path = QPainterPath();
    return true;
}

bool CWmfRecorderDC::SelectClipPath(int mode)
{
    m_inPath = false;
    const QRectF box = m_path.boundingRect();
    m_path = QPainterPath();
    if (box.isEmpty())
        return false;
    Rec(META_INTERSECTCLIPRECT, {PX(box.bottom()), PX(box.right()), PX(box.top()), PX(box.left())});
    (void)mode;
    return true;
}

bool CWmfRecorderDC::ExtTextOut(int x, int y, UINT options, const RECT* rect, const char* text, UINT count,
                                const int* dx)
{
    if ((!text && count) || count > 8000)
        return false;
    const QPointF p = Page(x, y);
    const bool hasRect = rect && (options & (ETO_OPAQUE | ETO_CLIPPED));
    std::vector<WORD> params = {WORD(PX(p.y())), WORD(PX(p.x())), WORD(count),
                                WORD(hasRect ? options : options & ~(ETO_OPAQUE | ETO_CLIPPED))};
    if (hasRect) {
        const QPointF a = Page(rect->left, rect->top), b = Page(rect->right, rect->bottom);
        for (double v : {a.x(), a.y(), b.x(), b.y()})
            params.push_back(WORD(PX(v)));
    }
    const size_t at = params.size();
    params.resize(at + (count + 1) / 2, 0);
    if (count)
        std::memcpy(params.data() + at, text, count);
    if (dx)
        for (UINT i = 0; i < count; ++i)
            params.push_back(WORD(LenX(dx[i])));
    RecWords(META_EXTTEXTOUT, params);
    return true;
}

void CWmfRecorderDC::GpFillPath(const QPainterPath&, const CGpBrush&, const CGpState&) {}
void CWmfRecorderDC::GpDrawPath(const QPainterPath&, const CGpPen&, const CGpState&) {}
void CWmfRecorderDC::GpDrawImage(const QImage&, const QRectF&, const QRectF&, const CGpImageAttributes*,
                                 const CGpState&)
{
}
