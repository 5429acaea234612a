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

// Points that all fit 16 bits are written in the compact record forms.
bool FitsShort(const POINT* points, size_t count)
{
    for (size_t i = 0; i < count; ++i)
        if (points[i].x < -32768 || points[i].x > 32767 || points[i].y < -32768 || points[i].y > 32767)
            return false;
    return true;
}

std::vector<U_POINT16> ToPoint16s(const POINT* points, size_t count)
{
    std::vector<U_POINT16> out(count);
    for (size_t i = 0; i < count; ++i)
        out[i] = U_POINT16{int16_t(points[i].x), int16_t(points[i].y)};
    return out;
}

std::vector<U_POINTL> ToPointls(const POINT* points, size_t count)
{
    std::vector<U_POINTL> out(count);
    for (size_t i = 0; i < count; ++i)
        out[i] = U_POINTL{points[i].x, points[i].y};
    return out;
}

}  // namespace

bool CEmfRecorderDC::EmitPoly(DWORD type, const POINT* points, int count)
{
    if (!points || count <= 0)
        return false;
    AddBoundsPoints(points, count, type != EMR_POLYGON);
    const U_RECTL b = ToRectl(LastBounds());
    if (FitsShort(points, size_t(count))) {
        const std::vector<U_POINT16> p16 = ToPoint16s(points, size_t(count));
        const uint32_t n = uint32_t(count);
        switch (type) {
        case EMR_POLYLINE: Emit(U_EMRPOLYLINE16_set(b, n, p16.data())); return true;
        case EMR_POLYGON: Emit(U_EMRPOLYGON16_set(b, n, p16.data())); return true;
        case EMR_POLYLINETO: Emit(U_EMRPOLYLINETO16_set(b, n, p16.data())); return true;
        case EMR_POLYBEZIER: Emit(U_EMRPOLYBEZIER16_set(b, n, p16.data())); return true;
        case EMR_POLYBEZIERTO: Emit(U_EMRPOLYBEZIERTO16_set(b, n, p16.data())); return true;
        default: return false;
        }
    }
    const std::vector<U_POINTL> pts = ToPointls(points, size_t(count));
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
    if (type == EMR_POLYPOLYGON) {
        AddBoundsPoints(points, int(total), false);
    } else {
        // Each polyline leaves out its own last point.
        RECT all{0, 0, -1, -1};
        const POINT* p = points;
        for (int i = 0; i < polys; ++i) {
            AddBoundsPoints(p, int(counts[i]), true);
            const RECT& b = LastBounds();
            if (b.right >= b.left && b.bottom >= b.top)
                all = all.right < all.left ? b
                                           : RECT{std::min(all.left, b.left), std::min(all.top, b.top),
                                                  std::max(all.right, b.right), std::max(all.bottom, b.bottom)};
            p += counts[i];
        }
        AddDeviceBounds(all.left, all.top, all.right, all.bottom);
    }
    const U_RECTL b = ToRectl(LastBounds());
    if (FitsShort(points, size_t(total))) {
        const std::vector<U_POINT16> p16 = ToPoint16s(points, size_t(total));
        if (type == EMR_POLYPOLYGON)
            Emit(U_EMRPOLYPOLYGON16_set(b, uint32_t(polys), counts, uint32_t(total), p16.data()));
        else
            Emit(U_EMRPOLYPOLYLINE16_set(b, uint32_t(polys), counts, uint32_t(total), p16.data()));
        return true;
    }
    const std::vector<U_POINTL> pts = ToPointls(points, size_t(total));
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
    AddBoundsPoints(pts, 2, true);
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
    AddBoundsBox(left, top, right, bottom);
    Emit(U_EMRRECTANGLE_set(U_RECTL{left, top, right, bottom}));
    return true;
}

bool CEmfRecorderDC::Ellipse(int left, int top, int right, int bottom)
{
    AddBoundsBox(left, top, right, bottom);
    Emit(U_EMRELLIPSE_set(U_RECTL{left, top, right, bottom}));
    return true;
}

bool CEmfRecorderDC::RoundRect(int left, int top, int right, int bottom, int width, int height)
{
    AddBoundsBox(left, top, right, bottom);
    Emit(U_EMRROUNDRECT_set(U_RECTL{left, top, right, bottom}, U_SIZEL{width, height}));
    return true;
}

bool CEmfRecorderDC::EmitArcLike(DWORD type, int l, int t, int r, int b, int xs, int ys, int xe, int ye)
{
    AddBoundsBox(l, t, r, b);
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
    AddBoundsArea(x, y, x + width, y + height);
    Emit(U_EMRBITBLT_set(ToRectl(LastBounds()), ToPointl(x, y), ToPointl(width, height), ToPointl(0, 0), kIdentity,
                         ToColorref(0), 0, rop, nullptr, 0, nullptr));
    return true;
}

bool CEmfRecorderDC::WriteDib(int x, int y, int w, int h, int xs, int ys, int ws, int hs,
                              const std::vector<BYTE>& dib, size_t infoSize, UINT usage, DWORD rop)
{
    AddBoundsArea(x, y, x + w, y + h);
    std::vector<BYTE> bmi(dib.begin(), dib.begin() + long(infoSize));
    Emit(U_EMRSTRETCHDIBITS_set(ToRectl(LastBounds()), ToPointl(x, y), ToPointl(w, h), ToPointl(xs, ys),
                                ToPointl(ws, hs), usage, rop, reinterpret_cast<PU_BITMAPINFO>(bmi.data()),
                                uint32_t(dib.size() - infoSize),
                                reinterpret_cast<char*>(const_cast<BYTE*>(dib.data() + infoSize))));
    return true;
}

bool CEmfRecorderDC::WriteAlphaDib(int x, int y, int w, int h, const std::vector<BYTE>& dib, BLENDFUNCTION blend)
{
    constexpr size_t kInfo = 40;
    if (dib.size() <= kInfo)
        return false;
    AddBoundsArea(x, y, x + w, y + h);
    std::vector<BYTE> bmi(dib.begin(), dib.begin() + long(kInfo));
    const U_BLEND written{blend.BlendOp, blend.BlendFlags, blend.SourceConstantAlpha, blend.AlphaFormat};
    const int ws = int(LoadLE32(dib.data() + 4)), hs = int(LoadLE32(dib.data() + 8));
    Emit(U_EMRALPHABLEND_set(ToRectl(LastBounds()), ToPointl(x, y), ToPointl(w, h), ToPointl(0, 0),
                             ToPointl(ws, hs), kIdentity, ToColorref(0), U_DIB_RGB_COLORS, written,
                             reinterpret_cast<PU_BITMAPINFO>(bmi.data()), uint32_t(dib.size() - kInfo),
                             reinterpret_cast<char*>(const_cast<BYTE*>(dib.data() + kInfo))));
    return true;
}

COLORREF CEmfRecorderDC::SetPixel(int x, int y, COLORREF color)
{
    AddBoundsArea(x, y, x + 1, y + 1);
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
        if (result == RGN_ERROR)
            return result;
        // "Clip removed": RGN_COPY with no region data. The record writers
        // refuse a null region, so the 16 bytes are written here.
        std::vector<BYTE> record(16);
        StoreLE32(record.data(), EMR_EXTSELECTCLIPRGN);
        StoreLE32(record.data() + 4, 16);
        StoreLE32(record.data() + 8, 0);
        StoreLE32(record.data() + 12, RGN_COPY);
        EmitBytes(record);
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
    // The advances: the caller's, or the font's as the text lays out (each
    // character's the growth of the text's width up to it).
    std::vector<uint32_t> advances(count);
    SIZE extent{0, 0};
    GetTextExtentPoint32(text, int(count), &extent);
    int previous = 0;
    for (UINT i = 0; i < count; ++i) {
        if (dx) {
            advances[i] = uint32_t(dx[i]);
            continue;
        }
        SIZE prefix{0, 0};
        GetTextExtentPoint32(text, int(i + 1), &prefix);
        advances[i] = uint32_t(std::max(0, int(prefix.cx) - previous));
        previous = prefix.cx;
    }
    if (dx) {
        extent.cx = 0;
        for (UINT i = 0; i < count; ++i)
            extent.cx += dx[i];
    }
    // The text's box from the reference point and the alignment.
    const UINT align = State().textAlign;
    TEXTMETRIC tm;
    const int ascent = GetTextMetrics(&tm) ? tm.tmAscent : extent.cy;
    const int left = (align & TA_CENTER) == TA_CENTER ? x - extent.cx / 2 : (align & TA_RIGHT) ? x - extent.cx : x;
    const int top = (align & TA_BASELINE) == TA_BASELINE ? y - ascent : (align & TA_BOTTOM) ? y - extent.cy : y;
    if (rect && (options & ETO_OPAQUE)) {
        // The opaque box is painted whole; the text may reach past it unless clipped.
        AddBoundsArea(rect->left, rect->top, rect->right, rect->bottom);
        const RECT box = LastBounds();
        if (!(options & ETO_CLIPPED)) {
            AddBoundsArea(left, top, left + extent.cx, top + extent.cy);
            const RECT& t = LastBounds();
            AddDeviceBounds(std::min(box.left, t.left), std::min(box.top, t.top), std::max(box.right, t.right),
                            std::max(box.bottom, t.bottom));
        }
    } else if (rect && (options & ETO_CLIPPED)) {
        AddBoundsArea(std::max<LONG>(left, rect->left), std::max<LONG>(top, rect->top),
                      std::min<LONG>(left + extent.cx, rect->right), std::min<LONG>(top + extent.cy, rect->bottom));
    } else {
        AddBoundsArea(left, top, left + extent.cx, top + extent.cy);
    }
    const U_RECTL rcl = rect ? U_RECTL{rect->left, rect->top, rect->right, rect->bottom} : U_RECTL{0, 0, -1, -1};
    char* emrtext = emrtext_set(ToPointl(x, y), count, 2, wide.data(), options, rcl, advances.data());
    if (!emrtext) {
        m_failed = true;
        return false;
    }
    Emit(U_EMREXTTEXTOUTW_set(ToRectl(LastBounds()), uint32_t(GetGraphicsMode()), 1.0f, 1.0f,
                              reinterpret_cast<PU_EMRTEXT>(emrtext)));
    std::free(emrtext);
    if (State().textAlign & TA_UPDATECP)
        CDC::MoveTo(GetCurrentPosition().x + extent.cx, GetCurrentPosition().y);
    return true;
}
