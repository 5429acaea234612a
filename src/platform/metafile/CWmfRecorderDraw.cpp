// The drawing calls of the WMF recorder. Inside a path the outlines are
// collected (page coordinates) and written as polygons when the path is used.
#include "platform/metafile/CWmfRecorderDC.h"

#include <QImage>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
QPolygonF ToPolygon(const std::vector<WORD>& xy)
{
    QPolygonF poly;
    for (size_t i = 0; i + 1 < xy.size(); i += 2)
        poly << QPointF(SHORT(xy[i]), SHORT(xy[i + 1]));
    return poly;
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

bool CWmfRecorderDC::ArcLike(WORD function, int l, int t, int r, int b, int xs, int ys, int xe, int ye)
{
    const QPointF a = Page(l, t), c = Page(r, b), s = Page(xs, ys), e = Page(xe, ye);
    Rec(function, {PX(e.y()), PX(e.x()), PX(s.y()), PX(s.x()), PX(c.y()), PX(c.x()), PX(a.y()), PX(a.x())});
    return true;
}

bool CWmfRecorderDC::Arc(int l, int t, int r, int b, int xs, int ys, int xe, int ye)
{
    return ArcLike(META_ARC, l, t, r, b, xs, ys, xe, ye);
}

bool CWmfRecorderDC::Pie(int l, int t, int r, int b, int xs, int ys, int xe, int ye)
{
    return ArcLike(META_PIE, l, t, r, b, xs, ys, xe, ye);
}

bool CWmfRecorderDC::Chord(int l, int t, int r, int b, int xs, int ys, int xe, int ye)
{
    return ArcLike(META_CHORD, l, t, r, b, xs, ys, xe, ye);
}

bool CWmfRecorderDC::PatBlt(int x, int y, int width, int height, DWORD rop)
{
    const QPointF a = Page(x, y);
    Rec(META_PATBLT, {int(rop & 0xFFFF), int(rop >> 16), LenY(height), LenX(width), PX(a.y()), PX(a.x())});
    return true;
}

bool CWmfRecorderDC::WriteDib(int x, int y, int w, int h, int xs, int ys, int ws, int hs,
                              const std::vector<BYTE>& dib, size_t infoSize, UINT usage, DWORD rop)
{
    (void)infoSize;
    const QPointF a = Page(x, y);
    std::vector<WORD> params = {WORD(rop & 0xFFFF), WORD(rop >> 16), WORD(usage), WORD(hs), WORD(ws), WORD(ys),
                                WORD(xs), WORD(LenY(h)), WORD(LenX(w)), WORD(PX(a.y())), WORD(PX(a.x()))};
    const size_t at = params.size();
    params.resize(at + (dib.size() + 1) / 2);
    std::memcpy(params.data() + at, dib.data(), dib.size());
    RecWords(META_STRETCHDIB, params);
    return true;
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

// ---- Clipping ----
// WMF readers know intersect, exclude and offset records, and the clip
// selection of object 0, which they take as "no clip"; regions themselves are
// not written. Each call is written as WMF can say it:
//  - no region: the clip removed (SELECTCLIPREGION of object 0);
//  - RGN_DIFF: one exclusion per rectangle of the region, exact;
//  - RGN_AND: an intersection with the region's bounding box;
//  - RGN_COPY, RGN_OR, RGN_XOR: the clip removed, then an intersection with
//    the bounding box of the clip the call leaves.
// So a clip that is not one rectangle becomes its bounding box (exclusions
// excepted): the picture may show a little more than the clip allowed.

QRectF CWmfRecorderDC::DeviceToPage(const QRect& device, bool& ok) const
{
    const XFORM& w = State().world;
    const QTransform world(w.eM11, w.eM12, w.eM21, w.eM22, w.eDx, w.eDy);
    bool invertible = false;
    const QTransform toPage = (world.inverted() * LogToDevTransform()).inverted(&invertible);
    ok = invertible;
    return invertible ? toPage.mapRect(QRectF(device)) : QRectF();
}

void CWmfRecorderDC::WriteClipRect(WORD function, const QRectF& page)
{
    Rec(function, {PX(page.bottom()), PX(page.right()), PX(page.top()), PX(page.left())});
}

int CWmfRecorderDC::SelectClipRgn(CRgn* region, int mode)
{
    const int result = CDC::SelectClipRgn(region, mode);
    if (result == RGN_ERROR)
        return result;
    bool ok = true;
    if (!region) {
        Rec(META_SELECTCLIPREGION, {0});
    } else if (mode == RGN_DIFF) {
        for (const QRect& r : region->Region()) {
            const QRectF page = DeviceToPage(r, ok);
            if (ok)
                WriteClipRect(META_EXCLUDECLIPRECT, page);
        }
    } else if (mode == RGN_AND) {
        const QRectF page = DeviceToPage(region->Region().boundingRect(), ok);
        if (ok)
            WriteClipRect(META_INTERSECTCLIPRECT, page);
    } else {
        Rec(META_SELECTCLIPREGION, {0});
        CRgn now;
        GetClipRgn(&now);
        const QRectF page = DeviceToPage(now.Region().boundingRect(), ok);
        if (ok)
            WriteClipRect(META_INTERSECTCLIPRECT, page);
    }
    if (!ok)
        m_failed = true;   // a clip the page cannot express
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

int CWmfRecorderDC::OffsetClipRgn(int dx, int dy)
{
    Rec(META_OFFSETCLIPRGN, {LenY(dy), LenX(dx)});
    return CDC::OffsetClipRgn(dx, dy);
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

// The path (page coordinates) becomes a device region combined as any region.
bool CWmfRecorderDC::SelectClipPath(int mode)
{
    m_inPath = false;
    const QPainterPath page = m_path;
    m_path = QPainterPath();
    const XFORM& w = State().world;
    const QTransform world(w.eM11, w.eM12, w.eM21, w.eM22, w.eDx, w.eDy);
    const QRegion device = RegionFromPath((world.inverted() * LogToDevTransform()).map(page));
    if (device.isEmpty())
        return false;
    CRgn rgn;
    rgn.SetRegion(device);
    return SelectClipRgn(&rgn, mode) != RGN_ERROR;
}

bool CWmfRecorderDC::ExtTextOut(int x, int y, UINT options, const RECT* rect, const char* text, UINT count,
                                const int* dx)
{
    if (!text && count)
        return false;
    if (count > 8000) {
        m_failed = true;   // longer than a text record is written
        return false;
    }
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
