// The drawing calls of the EMF recorder: each becomes one record (or a few),
// with the bounds of what it draws in reference pixels.
#include "platform/metafile/CEmfRecorderDC.h"

#include "platform/Ansi.h"

#include "platform/metafile/EmfWriterSupport.h"

#include <QImage>
#include <QPainterPath>

#include <algorithm>
#include <cstdlib>
#include <cstring>

namespace {
const U_XFORM kIdentity{1, 0, 0, 1, 0, 0};

std::vector<U_POINTL> ToPointls(const POINT* points, size_t count)
{
    std::vector<U_POINTL> out(count);
    for (size_t i = 0; i < count; ++i)
        out[i] = U_POINTL{points[i].x, points[i].y};
    return out;
}

bool UsesSource(DWORD rop) { return ((rop >> 2) ^ rop) & 0x330000; }

// Header and colour-table bytes and row bytes of an uncompressed DIB header;
// false for one the recorder does not take.
bool DibSizes(const BITMAPINFO* info, size_t& infoSize, size_t& bitsSize)
{
    const BITMAPINFOHEADER& h = info->bmiHeader;
    const int bpp = h.biBitCount;
    if (h.biSize < 40 || h.biSize > 124 || h.biWidth <= 0 || h.biHeight == 0 || h.biHeight == INT32_MIN)
        return false;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 16 && bpp != 24 && bpp != 32)
        return false;
    if (h.biCompression != BI_RGB && h.biCompression != BI_BITFIELDS)
        return false;
    const uint64_t colours = h.biClrUsed ? h.biClrUsed : (bpp <= 8 ? (1u << bpp) : 0);
    if (bpp <= 8 && colours > (1u << bpp))
        return false;
    if (bpp > 8 && colours > 256)
        return false;
    const uint64_t masks = (h.biCompression == BI_BITFIELDS && h.biSize == 40) ? 12 : 0;
    const uint64_t stride = (uint64_t(h.biWidth) * bpp + 31) / 32 * 4;
    const uint64_t rows = uint64_t(std::abs(int64_t(h.biHeight)));
    if (stride * rows > (uint64_t(1) << 30))
        return false;
    infoSize = size_t(h.biSize + masks + colours * 4);
    bitsSize = size_t(stride * rows);
    return true;
}

// A 32-bit bottom-up BI_RGB DIB of part of an image.
bool ImagePartToDib(const QImage& image, const QRect& part, std::vector<BYTE>& info, std::vector<BYTE>& bits)
{
    const QRect r = part.intersected(image.rect());
    if (r.isEmpty())
        return false;
    const QImage src = image.copy(r).convertToFormat(QImage::Format_RGB32);
    info.assign(40, 0);
    StoreLE32(info.data(), 40);
    StoreLE32(info.data() + 4, DWORD(src.width()));
    StoreLE32(info.data() + 8, DWORD(src.height()));
    StoreLE16(info.data() + 12, 1);
    StoreLE16(info.data() + 14, 32);
    const size_t row = size_t(src.width()) * 4;
    bits.resize(row * size_t(src.height()));
    for (int y = 0; y < src.height(); ++y)
        std::memcpy(bits.data() + size_t(src.height() - 1 - y) * row, src.constScanLine(y), row);
    return true;
}
}  // namespace

bool CEmfRecorderDC::EmitPoly(DWORD type, const POINT* points, int count)
{
    if (!points || count <= 0)
        return false;
    AddBounds(points, count);
    const std::vector<U_POINTL> pts = ToPointls(points, size_t(count));
    const U_RECTL b = ToRectl(LastBounds());
    switch (type) {
    case EMR_POLYLINE: Emit(U_EMRPOLYLINE_set(b, uint32_t(count), pts.data())); break;
    case EMR_POLYGON: Emit(U_EMRPOLYGON_set(b, uint32_t(count), pts.data())); break;
    case EMR_POLYLINETO: Emit(U_EMRPOLYLINETO_set(b, uint32_t(count), pts.data())); break;
    case EMR_POLYBEZIER: Emit(U_EMRPOLYBEZIER_set(b, uint32_t(count), pts.data())); break;
    case EMR_POLYBEZIERTO: Emit(U_EMRPOLYBEZIERTO_set(b, uint32_t(count), pts.data())); break;
    default: return false;
    }
    return true;
}

bool CEmfRecorderDC::EmitPolyPoly(DWORD type, const POINT* points, const DWORD* counts, int polys)
{
    if (!points || !counts || polys <= 0)
        return false;
    uint64_t total = 0;
    for (int i = 0; i < polys; ++i)
        total += counts[i];
    if (total == 0 || total > (1u << 26))
        return false;
    AddBounds(points, int(total));
    const std::vector<U_POINTL> pts = ToPointls(points, size_t(total));
    const U_RECTL b = ToRectl(LastBounds());
    if (type == EMR_POLYPOLYGON)
        Emit(U_EMRPOLYPOLYGON_set(b, uint32_t(polys), counts, uint32_t(total), pts.data()));
    else
        Emit(U_EMRPOLYPOLYLINE_set(b, uint32_t(polys), counts, uint32_t(total), pts.data()));
    return true;
}

CPoint CEmfRecorderDC::MoveTo(int x, int y)
{
    Emit(U_EMRMOVETOEX_set(ToPointl(x, y)));
    return CDC::MoveTo(x, y);
}

bool CEmfRecorderDC::LineTo(int x, int y)
{
    const POINT pts[2] = {GetCurrentPosition(), {x, y}};
    AddBounds(pts, 2);
    Emit(U_EMRLINETO_set(ToPointl(x, y)));
    CDC::MoveTo(x, y);
    return true;
}

bool CEmfRecorderDC::Polyline(const POINT* points, int count) { return EmitPoly(EMR_POLYLINE, points, count); }
bool CEmfRecorderDC::Polygon(const POINT* points, int count) { return EmitPoly(EMR_POLYGON, points, count); }
bool CEmfRecorderDC::PolyBezier(const POINT* points, int count) { return EmitPoly(EMR_POLYBEZIER, points, count); }

bool CEmfRecorderDC::PolylineTo(const POINT* points, int count)
{
    if (!EmitPoly(EMR_POLYLINETO, points, count))
        return false;
    CDC::MoveTo(points[count - 1].x, points[count - 1].y);
    return true;
}

bool CEmfRecorderDC::PolyBezierTo(const POINT* points, int count)
{
    if (!EmitPoly(EMR_POLYBEZIERTO, points, count))
        return false;
    CDC::MoveTo(points[count - 1].x, points[count - 1].y);
    return true;
}

bool CEmfRecorderDC::PolyPolygon(const POINT* points, const int* counts, int polygons)
{
    if (!counts || polygons <= 0)
        return false;
    std::vector<DWORD> c(counts, counts + polygons);
    return EmitPolyPoly(EMR_POLYPOLYGON, points, c.data(), polygons);
}

bool CEmfRecorderDC::PolyPolyline(const POINT* points, const DWORD* counts, int polylines)
{
    return EmitPolyPoly(EMR_POLYPOLYLINE, points, counts, polylines);
}

bool CEmfRecorderDC::Rectangle(int left, int top, int right, int bottom)
{
    AddBoundsRect(left, top, right, bottom);
    Emit(U_EMRRECTANGLE_set(U_RECTL{left, top, right, bottom}));
    return true;
}

bool CEmfRecorderDC::Ellipse(int left, int top, int right, int bottom)
{
    AddBoundsRect(left, top, right, bottom);
    Emit(U_EMRELLIPSE_set(U_RECTL{left, top, right, bottom}));
    return true;
}

bool CEmfRecorderDC::RoundRect(int left, int top, int right, int bottom, int width, int height)
{
    AddBoundsRect(left, top, right, bottom);
    Emit(U_EMRROUNDRECT_set(U_RECTL{left, top, right, bottom}, U_SIZEL{width, height}));
    return true;
}

bool CEmfRecorderDC::EmitArcLike(DWORD type, int l, int t, int r, int b, int xs, int ys, int xe, int ye)
{
    AddBoundsRect(l, t, r, b);
    const U_RECTL box{l, t, r, b};
    switch (type) {
    case EMR_ARC: Emit(U_EMRARC_set(box, ToPointl(xs, ys), ToPointl(xe, ye))); break;
    case EMR_ARCTO: Emit(U_EMRARCTO_set(box, ToPointl(xs, ys), ToPointl(xe, ye))); break;
    case EMR_PIE: Emit(U_EMRPIE_set(box, ToPointl(xs, ys), ToPointl(xe, ye))); break;
    default: Emit(U_EMRCHORD_set(box, ToPointl(xs, ys), ToPointl(xe, ye))); break;
    }
    return true;
}

bool CEmfRecorderDC::Arc(int l, int t, int r, int b, int xs, int ys, int xe, int ye)
{
    return EmitArcLike(EMR_ARC, l, t, r, b, xs, ys, xe, ye);
}

bool CEmfRecorderDC::ArcTo(int l, int t, int r, int b, int xs, int ys, int xe, int ye)
{
    return EmitArcLike(EMR_ARCTO, l, t, r, b, xs, ys, xe, ye);
}

bool CEmfRecorderDC::Pie(int l, int t, int r, int b, int xs, int ys, int xe, int ye)
{
    return EmitArcLike(EMR_PIE, l, t, r, b, xs, ys, xe, ye);
}

bool CEmfRecorderDC::Chord(int l, int t, int r, int b, int xs, int ys, int xe, int ye)
{
    return EmitArcLike(EMR_CHORD, l, t, r, b, xs, ys, xe, ye);
}

// ---- Rectangles, regions and block transfers ----

bool CEmfRecorderDC::PatBlt(int x, int y, int width, int height, DWORD rop)
{
    AddBoundsRect(x, y, x + width, y + height, false);
    Emit(U_EMRBITBLT_set(ToRectl(LastBounds()), ToPointl(x, y), ToPointl(width, height), ToPointl(0, 0), kIdentity,
                         ToColorref(0), 0, rop, nullptr, 0, nullptr));
    return true;
}

// A fill with another brush than the selected one selects it for the fill and
// selects the current brush back after it.
void CEmfRecorderDC::FillRect(const RECT* rect, CBrush* brush)
{
    if (!rect || !brush || !brush->IsCreated())
        return;
    CBrush* old = GetCurrentBrush();
    SelectObject(brush);
    PatBlt(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, PATCOPY);
    if (old && old != brush)
        SelectObject(old);
}

void CEmfRecorderDC::FrameRect(const RECT* rect, CBrush* brush)
{
    if (!rect || !brush || !brush->IsCreated() || rect->right <= rect->left || rect->bottom <= rect->top)
        return;
    CBrush* old = GetCurrentBrush();
    SelectObject(brush);
    const RECT& r = *rect;
    PatBlt(r.left, r.top, r.right - r.left, 1, PATCOPY);
    PatBlt(r.left, r.bottom - 1, r.right - r.left, 1, PATCOPY);
    PatBlt(r.left, r.top, 1, r.bottom - r.top, PATCOPY);
    PatBlt(r.right - 1, r.top, 1, r.bottom - r.top, PATCOPY);
    if (old && old != brush)
        SelectObject(old);
}

// Regions are device units; each rectangle is written as a pattern fill of its
// logical rectangle.
bool CEmfRecorderDC::FillRgn(CRgn* region, CBrush* brush)
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

bool CEmfRecorderDC::FrameRgn(CRgn* region, CBrush* brush, int width, int height)
{
    if (!region || !brush)
        return false;
    RECT box;
    region->GetRgnBox(&box);
    DPtoLP(&box);
    FrameRect(&box, brush);
    return true;
}

bool CEmfRecorderDC::EmitDib(int x, int y, int w, int h, int xSrc, int ySrc, int srcW, int srcH,
                             const std::vector<BYTE>& info, const BYTE* bits, size_t bitsSize, UINT usage,
                             DWORD rop)
{
    AddBoundsRect(x, y, x + w, y + h, false);
    std::vector<BYTE> bmi = info;
    Emit(U_EMRSTRETCHDIBITS_set(ToRectl(LastBounds()), ToPointl(x, y), ToPointl(w, h), ToPointl(xSrc, ySrc),
                                ToPointl(srcW, srcH), usage, rop, reinterpret_cast<PU_BITMAPINFO>(bmi.data()),
                                uint32_t(bitsSize), reinterpret_cast<char*>(const_cast<BYTE*>(bits))));
    return true;
}

bool CEmfRecorderDC::BitBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, DWORD rop)
{
    return StretchBlt(x, y, width, height, src, xSrc, ySrc, width, height, rop);
}

bool CEmfRecorderDC::StretchBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc, int srcWidth,
                                int srcHeight, DWORD rop)
{
    if (!UsesSource(rop))
        return PatBlt(x, y, width, height, rop);
    QImage* image = src ? src->GetImageSurface() : nullptr;
    if (!image)
        return false;
    POINT p[2] = {{xSrc, ySrc}, {xSrc + srcWidth, ySrc + srcHeight}};
    src->LPtoDP(p, 2);
    const QRect part = QRect(QPoint(std::min(p[0].x, p[1].x), std::min(p[0].y, p[1].y)),
                             QPoint(std::max(p[0].x, p[1].x) - 1, std::max(p[0].y, p[1].y) - 1));
    std::vector<BYTE> info, bits;
    if (!ImagePartToDib(*image, part, info, bits))
        return false;
    return EmitDib(x, y, width, height, 0, 0, int(LoadLE32(info.data() + 4)), int(LoadLE32(info.data() + 8)), info,
                   bits.data(), bits.size(), DIB_RGB_COLORS, rop);
}

int CEmfRecorderDC::StretchDIBits(int x, int y, int width, int height, int xSrc, int ySrc, int srcWidth,
                                  int srcHeight, const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop)
{
    size_t infoSize = 0, bitsSize = 0;
    if (!info || !bits || !DibSizes(info, infoSize, bitsSize))
        return 0;
    const BYTE* p = reinterpret_cast<const BYTE*>(info);
    EmitDib(x, y, width, height, xSrc, ySrc, srcWidth, srcHeight, std::vector<BYTE>(p, p + infoSize),
            static_cast<const BYTE*>(bits), bitsSize, usage, rop);
    return std::abs(info->bmiHeader.biHeight);
}

COLORREF CEmfRecorderDC::SetPixel(int x, int y, COLORREF color)
{
    AddBoundsRect(x, y, x, y, false);
    Emit(U_EMRSETPIXELV_set(ToPointl(x, y), ToColorref(color)));
    return color;
}

bool CEmfRecorderDC::ExtFloodFill(int x, int y, COLORREF color, UINT fillType)
{
    Emit(U_EMREXTFLOODFILL_set(ToPointl(x, y), ToColorref(color), fillType));
    return true;
}

// ---- Clipping and paths ----

int CEmfRecorderDC::SelectClipRgn(CRgn* region, int mode)
{
    const int result = CDC::SelectClipRgn(region, mode);
    if (!region) {
        Emit(U_EMREXTSELECTCLIPRGN_set(uint32_t(RGN_COPY), nullptr));
        return result;
    }
    std::vector<U_RECTL> rects;
    for (const QRect& r : region->Region())
        rects.push_back(U_RECTL{r.left(), r.top(), r.right() + 1, r.bottom() + 1});
    const QRect box = region->Region().boundingRect();
    const U_RGNDATAHEADER rdh = rgndataheader_set(U_NUM_RECTL(rects.size()),
                                                  U_RECTL{box.left(), box.top(), box.right() + 1, box.bottom() + 1});
    PU_RGNDATA data = rgndata_set(rdh, rects.empty() ? nullptr : rects.data());
    Emit(U_EMREXTSELECTCLIPRGN_set(uint32_t(mode), data));
    std::free(data);
    return result;
}

int CEmfRecorderDC::IntersectClipRect(int left, int top, int right, int bottom)
{
    Emit(U_EMRINTERSECTCLIPRECT_set(U_RECTL{left, top, right, bottom}));
    return CDC::IntersectClipRect(left, top, right, bottom);
}

int CEmfRecorderDC::ExcludeClipRect(int left, int top, int right, int bottom)
{
    Emit(U_EMREXCLUDECLIPRECT_set(U_RECTL{left, top, right, bottom}));
    return CDC::ExcludeClipRect(left, top, right, bottom);
}

int CEmfRecorderDC::OffsetClipRgn(int dx, int dy)
{
    Emit(U_EMROFFSETCLIPRGN_set(ToPointl(dx, dy)));
    return CDC::OffsetClipRgn(dx, dy);
}

bool CEmfRecorderDC::BeginPath()
{
    Emit(U_EMRBEGINPATH_set());
    return CDC::BeginPath();
}

bool CEmfRecorderDC::EndPath()
{
    Emit(U_EMRENDPATH_set());
    return CDC::EndPath();
}

bool CEmfRecorderDC::AbortPath()
{
    Emit(U_EMRABORTPATH_set());
    return CDC::AbortPath();
}

bool CEmfRecorderDC::CloseFigure()
{
    Emit(U_EMRCLOSEFIGURE_set());
    return CDC::CloseFigure();
}

bool CEmfRecorderDC::FlattenPath()
{
    Emit(U_EMRFLATTENPATH_set());
    return CDC::FlattenPath();
}

bool CEmfRecorderDC::SelectClipPath(int mode)
{
    Emit(U_EMRSELECTCLIPPATH_set(uint32_t(mode)));
    return CDC::SelectClipPath(mode);
}

bool CEmfRecorderDC::StrokePath()
{
    Emit(U_EMRSTROKEPATH_set(ToRectl(LastBounds())));
    TakePath();
    return true;
}

bool CEmfRecorderDC::FillPath()
{
    Emit(U_EMRFILLPATH_set(ToRectl(LastBounds())));
    TakePath();
    return true;
}

bool CEmfRecorderDC::StrokeAndFillPath()
{
    Emit(U_EMRSTROKEANDFILLPATH_set(ToRectl(LastBounds())));
    TakePath();
    return true;
}

// ---- Text ----

bool CEmfRecorderDC::ExtTextOut(int x, int y, UINT options, const RECT* rect, const char* text, UINT count,
                                const int* dx)
{
    if (!text && count)
        return false;
    std::vector<uint16_t> wide(count);
    for (UINT i = 0; i < count; ++i)
        wide[i] = AnsiByteToUnicode(static_cast<unsigned char>(text[i]));
    std::vector<uint32_t> advances(count);
    SIZE extent{0, 0};
    GetTextExtentPoint32(text, int(count), &extent);
    for (UINT i = 0; i < count; ++i)
        advances[i] = uint32_t(dx ? dx[i] : (count ? extent.cx / int(count) : 0));
    AddBoundsRect(x, y, x + extent.cx, y + extent.cy, false);
    if (rect && (options & (ETO_OPAQUE | ETO_CLIPPED)))
        AddBoundsRect(rect->left, rect->top, rect->right, rect->bottom, false);
    const U_RECTL rcl = rect ? U_RECTL{rect->left, rect->top, rect->right, rect->bottom} : U_RECTL{0, 0, -1, -1};
    char* emrtext = emrtext_set(ToPointl(x, y), count, 2, wide.data(), options, rcl, advances.data());
    if (!emrtext)
        return false;
    Emit(U_EMREXTTEXTOUTW_set(ToRectl(LastBounds()), uint32_t(GetGraphicsMode()), 1.0f, 1.0f,
                              reinterpret_cast<PU_EMRTEXT>(emrtext)));
    std::free(emrtext);
    if (State().textAlign & TA_UPDATECP)
        CDC::MoveTo(GetCurrentPosition().x + extent.cx, GetCurrentPosition().y);
    return true;
}

// ---- The anti-aliased side: written as GDI paths and pictures ----

void CEmfRecorderDC::GpFillPath(const QPainterPath& path, const CGpBrush& brush, const CGpState& state)
{
    (void)path, (void)brush, (void)state;
}

void CEmfRecorderDC::GpDrawPath(const QPainterPath& path, const CGpPen& pen, const CGpState& state)
{
    (void)path, (void)pen, (void)state;
}

void CEmfRecorderDC::GpDrawImage(const QImage& image, const QRectF& dst, const QRectF& src,
                                 const CGpImageAttributes* attrs, const CGpState& state)
{
    (void)image, (void)dst, (void)src, (void)attrs, (void)state;
}
