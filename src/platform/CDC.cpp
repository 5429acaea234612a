#include "platform/CDC.h"

#include "platform/CDeviceFont.h"

#include <QGuiApplication>
#include <QImage>
#include <QScreen>

#include <cmath>
#include <cstring>

namespace {

// (v * num) / den rounded to the nearest integer, halves away from zero, with a
// 64-bit intermediate: the integer rounding of GDI's coordinate mapping.
int ScaleRound(qint64 v, qint64 num, qint64 den)
{
    if (den == 0)
        return 0;
    qint64 n = v * num;
    if (den < 0) {
        n = -n;
        den = -den;
    }
    const qint64 q = n >= 0 ? (2 * n + den) / (2 * den) : -((-2 * n + den) / (2 * den));
    return int(std::clamp<qint64>(q, INT32_MIN, INT32_MAX));
}

} // namespace

CDeviceCaps DisplayDeviceCaps()
{
    CDeviceCaps caps;
    caps.technology = DT_RASDISPLAY;
    caps.horzRes = 1920;
    caps.vertRes = 1080;
    if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        if (const QScreen* screen = QGuiApplication::primaryScreen()) {
            const QSize size = screen->size() * screen->devicePixelRatio();
            if (size.width() > 0 && size.height() > 0) {
                caps.horzRes = size.width();
                caps.vertRes = size.height();
            }
        }
    }
    caps.logPixelsX = caps.logPixelsY = 96;
    caps.horzSizeMm = MulDiv(caps.horzRes, 254, 960);
    caps.vertSizeMm = MulDiv(caps.vertRes, 254, 960);
    caps.bitsPixel = 32;
    return caps;
}

CDC::CDC() : m_caps(DisplayDeviceCaps())
{
    m_s.pen = static_cast<CPen*>(GetStockObject(BLACK_PEN));
    m_s.logPen = m_s.pen->GetLogPen();
    m_s.brush = static_cast<CBrush*>(GetStockObject(WHITE_BRUSH));
    m_s.logBrush = m_s.brush->GetLogBrush();
    m_s.font = static_cast<CFont*>(GetStockObject(SYSTEM_FONT));
    m_s.logFont = m_s.font->GetLogFont();
}

CDC::~CDC() = default;

int CDC::GetDeviceCaps(int index) const
{
    switch (index) {
    case DRIVERVERSION: return 0x4000;
    case TECHNOLOGY: return m_caps.technology;
    case HORZSIZE: return m_caps.horzSizeMm;
    case VERTSIZE: return m_caps.vertSizeMm;
    case HORZRES: return m_caps.horzRes;
    case VERTRES: return m_caps.vertRes;
    case BITSPIXEL: return m_caps.bitsPixel;
    case PLANES: return 1;
    case NUMCOLORS: return m_caps.bitsPixel > 8 ? -1 : (1 << m_caps.bitsPixel);
    case RASTERCAPS: return m_caps.rasterCaps;
    case LOGPIXELSX: return m_caps.logPixelsX;
    case LOGPIXELSY: return m_caps.logPixelsY;
    case SIZEPALETTE: return 0;
    case PHYSICALWIDTH: return m_caps.physicalWidth;
    case PHYSICALHEIGHT: return m_caps.physicalHeight;
    case PHYSICALOFFSETX: return m_caps.physicalOffsetX;
    case PHYSICALOFFSETY: return m_caps.physicalOffsetY;
    default: return 0;
    }
}

// ---- Mapping ----

int CDC::SetMapMode(int mode)
{
    if (mode < MM_TEXT || mode > MM_ANISOTROPIC)
        return 0;
    const int old = m_s.mapMode;
    m_s.mapMode = mode;
    // The fixed modes set both extents from the device size: window in the
    // mode's unit (0.1 mm, 0.01 mm, 0.01 in, 0.001 in, 1/1440 in), y upwards.
    const int hMm = std::max(1, m_caps.horzSizeMm), vMm = std::max(1, m_caps.vertSizeMm);
    const int hRes = std::max(1, m_caps.horzRes), vRes = std::max(1, m_caps.vertRes);
    auto fixed = [&](double unitsPerMm) {
        m_s.windowExt = CSize(int(std::lround(hMm * unitsPerMm)), int(std::lround(vMm * unitsPerMm)));
        m_s.viewportExt = CSize(hRes, -vRes);
    };
    switch (mode) {
    case MM_TEXT:
        m_s.windowExt = CSize(1, 1);
        m_s.viewportExt = CSize(1, 1);
        break;
    case MM_LOMETRIC: fixed(10.0); break;
    case MM_HIMETRIC: fixed(100.0); break;
    case MM_LOENGLISH: fixed(100.0 / 25.4); break;
    case MM_HIENGLISH: fixed(1000.0 / 25.4); break;
    case MM_TWIPS: fixed(1440.0 / 25.4); break;
    default: break;   // isotropic/anisotropic keep the extents they had
    }
    OnStateChanged();
    return old;
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    const CPoint old = m_s.windowOrg;
    m_s.windowOrg = CPoint(x, y);
    return old;
}

CSize CDC::SetWindowExt(int cx, int cy)
{
    const CSize old = m_s.windowExt;
    if (m_s.mapMode != MM_ISOTROPIC && m_s.mapMode != MM_ANISOTROPIC)
        return old;
    if (cx == 0 || cy == 0)
        return old;
    m_s.windowExt = CSize(cx, cy);
    if (m_s.mapMode == MM_ISOTROPIC)
        SetViewportExt(m_s.viewportExt.cx, m_s.viewportExt.cy);
    return old;
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    const CPoint old = m_s.viewportOrg;
    m_s.viewportOrg = CPoint(x, y);
    return old;
}

CSize CDC::SetViewportExt(int cx, int cy)
{
    const CSize old = m_s.viewportExt;
    if (m_s.mapMode != MM_ISOTROPIC && m_s.mapMode != MM_ANISOTROPIC)
        return old;
    if (cx == 0 || cy == 0)
        return old;
    if (m_s.mapMode == MM_ISOTROPIC) {
        // One unit is as long on both axes: the smaller scale wins, signs kept.
        const double sx = double(std::abs(cx)) / std::abs(m_s.windowExt.cx);
        const double sy = double(std::abs(cy)) / std::abs(m_s.windowExt.cy);
        if (sx < sy)
            cy = (cy < 0 ? -1 : 1) * int(std::lround(std::abs(m_s.windowExt.cy) * sx));
        else
            cx = (cx < 0 ? -1 : 1) * int(std::lround(std::abs(m_s.windowExt.cx) * sy));
    }
    m_s.viewportExt = CSize(cx, cy);
    return old;
}

CPoint CDC::OffsetWindowOrg(int dx, int dy)
{
    return SetWindowOrg(m_s.windowOrg.x + dx, m_s.windowOrg.y + dy);
}

CPoint CDC::OffsetViewportOrg(int dx, int dy)
{
    return SetViewportOrg(m_s.viewportOrg.x + dx, m_s.viewportOrg.y + dy);
}

int CDC::LogToDevX(int x) const
{
    if (m_s.viewportExt.cx == m_s.windowExt.cx)
        return x - m_s.windowOrg.x + m_s.viewportOrg.x;
    return ScaleRound(qint64(x) - m_s.windowOrg.x, m_s.viewportExt.cx, m_s.windowExt.cx) + m_s.viewportOrg.x;
}

int CDC::LogToDevY(int y) const
{
    if (m_s.viewportExt.cy == m_s.windowExt.cy)
        return y - m_s.windowOrg.y + m_s.viewportOrg.y;
    return ScaleRound(qint64(y) - m_s.windowOrg.y, m_s.viewportExt.cy, m_s.windowExt.cy) + m_s.viewportOrg.y;
}

double CDC::LogToDevScaleX() const
{
    return double(m_s.viewportExt.cx) / m_s.windowExt.cx;
}

double CDC::LogToDevScaleY() const
{
    return double(m_s.viewportExt.cy) / m_s.windowExt.cy;
}

namespace {
bool IsIdentity(const XFORM& x)
{
    return x.eM11 == 1 && x.eM12 == 0 && x.eM21 == 0 && x.eM22 == 1 && x.eDx == 0 && x.eDy == 0;
}
QTransform ToQTransform(const XFORM& x)
{
    return QTransform(x.eM11, x.eM12, x.eM21, x.eM22, x.eDx, x.eDy);
}
XFORM FromQTransform(const QTransform& t)
{
    return XFORM{float(t.m11()), float(t.m12()), float(t.m21()), float(t.m22()), float(t.dx()), float(t.dy())};
}
} // namespace

CSize CDC::ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom)
{
    const CSize old = m_s.viewportExt;
    if (xDenom == 0 || yDenom == 0)
        return old;
    SetViewportExt(MulDiv(old.cx, xNum, xDenom), MulDiv(old.cy, yNum, yDenom));
    return old;
}

CSize CDC::ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom)
{
    const CSize old = m_s.windowExt;
    if (xDenom == 0 || yDenom == 0)
        return old;
    SetWindowExt(MulDiv(old.cx, xNum, xDenom), MulDiv(old.cy, yNum, yDenom));
    return old;
}

int CDC::SetGraphicsMode(int mode)
{
    if (mode != GM_COMPATIBLE && mode != GM_ADVANCED)
        return 0;
    // Leaving the advanced mode needs an identity world transform.
    if (mode == GM_COMPATIBLE && !IsIdentity(m_s.world))
        return 0;
    const int old = m_s.graphicsMode;
    m_s.graphicsMode = mode;
    return old;
}

bool CDC::SetWorldTransform(const XFORM* xf)
{
    if (!xf || m_s.graphicsMode != GM_ADVANCED)
        return false;
    if (xf->eM11 * xf->eM22 - xf->eM12 * xf->eM21 == 0)
        return false;
    m_s.world = *xf;
    OnStateChanged();
    return true;
}

bool CDC::ModifyWorldTransform(const XFORM* xf, DWORD mode)
{
    if (m_s.graphicsMode != GM_ADVANCED)
        return false;
    QTransform cur = ToQTransform(m_s.world);
    switch (mode) {
    case MWT_IDENTITY: cur = QTransform(); break;
    case MWT_LEFTMULTIPLY: if (!xf) return false; cur = ToQTransform(*xf) * cur; break;
    case MWT_RIGHTMULTIPLY: if (!xf) return false; cur = cur * ToQTransform(*xf); break;
    default: return false;
    }
    if (!cur.isInvertible())
        return false;
    m_s.world = FromQTransform(cur);
    OnStateChanged();
    return true;
}

bool CDC::GetWorldTransform(XFORM* xf) const
{
    if (!xf)
        return false;
    *xf = m_s.world;
    return true;
}

QTransform CDC::LogToDevTransform() const
{
    QTransform t = ToQTransform(m_s.world);
    t *= QTransform::fromTranslate(-m_s.windowOrg.x, -m_s.windowOrg.y);
    t *= QTransform::fromScale(LogToDevScaleX(), LogToDevScaleY());
    t *= QTransform::fromTranslate(m_s.viewportOrg.x, m_s.viewportOrg.y);
    return t;
}

POINT CDC::LogToDev(POINT p) const
{
    if (IsIdentity(m_s.world))
        return POINT{LogToDevX(p.x), LogToDevY(p.y)};
    const QPointF d = LogToDevTransform().map(QPointF(p.x, p.y));
    return POINT{int(std::floor(d.x() + 0.5)), int(std::floor(d.y() + 0.5))};
}

void CDC::LPtoDP(POINT* points, int count) const
{
    for (int i = 0; points && i < count; ++i)
        points[i] = LogToDev(points[i]);
}

void CDC::LPtoDP(RECT* rect) const
{
    if (rect)
        LPtoDP(reinterpret_cast<POINT*>(rect), 2);
}

void CDC::LPtoDP(SIZE* size) const
{
    // Sizes scale by the magnitude of the extents (no origin, no flip).
    if (!size)
        return;
    size->cx = ScaleRound(size->cx, std::abs(m_s.viewportExt.cx), std::abs(m_s.windowExt.cx));
    size->cy = ScaleRound(size->cy, std::abs(m_s.viewportExt.cy), std::abs(m_s.windowExt.cy));
}

void CDC::DPtoLP(POINT* points, int count) const
{
    if (!IsIdentity(m_s.world)) {
        const QTransform inv = LogToDevTransform().inverted();
        for (int i = 0; points && i < count; ++i) {
            const QPointF l = inv.map(QPointF(points[i].x, points[i].y));
            points[i] = POINT{int(std::floor(l.x() + 0.5)), int(std::floor(l.y() + 0.5))};
        }
        return;
    }
    for (int i = 0; points && i < count; ++i) {
        points[i] = POINT{
            ScaleRound(qint64(points[i].x) - m_s.viewportOrg.x, m_s.windowExt.cx, m_s.viewportExt.cx) + m_s.windowOrg.x,
            ScaleRound(qint64(points[i].y) - m_s.viewportOrg.y, m_s.windowExt.cy, m_s.viewportExt.cy) + m_s.windowOrg.y};
    }
}

void CDC::DPtoLP(RECT* rect) const
{
    if (rect)
        DPtoLP(reinterpret_cast<POINT*>(rect), 2);
}

void CDC::DPtoLP(SIZE* size) const
{
    if (!size)
        return;
    size->cx = ScaleRound(size->cx, std::abs(m_s.windowExt.cx), std::abs(m_s.viewportExt.cx));
    size->cy = ScaleRound(size->cy, std::abs(m_s.windowExt.cy), std::abs(m_s.viewportExt.cy));
}

// ---- Objects ----

CPen* CDC::SelectObject(CPen* pen)
{
    if (!pen || !pen->IsCreated())
        return nullptr;
    CPen* old = m_s.pen;
    m_s.pen = pen;
    m_s.logPen = pen->GetLogPen();
    m_s.penExtended = pen->IsExtended();
    m_s.penStyleEx = pen->GetLogPen().lopnStyle;
    m_s.penUserStyle = pen->UserStyle();
    OnStateChanged();
    return old;
}

CBrush* CDC::SelectObject(CBrush* brush)
{
    if (!brush || !brush->IsCreated())
        return nullptr;
    CBrush* old = m_s.brush;
    m_s.brush = brush;
    m_s.logBrush = brush->GetLogBrush();
    m_s.brushPattern = brush->Pattern();
    m_s.brushPatternMono = brush->PatternIsMono();
    OnStateChanged();
    return old;
}

CFont* CDC::SelectObject(CFont* font)
{
    if (!font || !font->IsCreated())
        return nullptr;
    CFont* old = m_s.font;
    m_s.font = font;
    m_s.logFont = font->GetLogFont();
    OnStateChanged();
    return old;
}

CBitmap* CDC::SelectObject(CBitmap* /*bitmap*/)
{
    return nullptr;
}

CGdiObject* CDC::SelectStockObject(int index)
{
    CGdiObject* obj = GetStockObject(index);
    if (!obj)
        return nullptr;
    switch (obj->Kind()) {
    case GdiObjectKind::Pen: return SelectObject(static_cast<CPen*>(obj));
    case GdiObjectKind::Brush: return SelectObject(static_cast<CBrush*>(obj));
    case GdiObjectKind::Font: return SelectObject(static_cast<CFont*>(obj));
    default: return nullptr;
    }
}

// ---- Saved states ----

int CDC::SaveDC()
{
    m_saved.push_back(m_s);
    return int(m_saved.size());
}

bool CDC::RestoreDC(int level)
{
    const int depth = int(m_saved.size());
    const int target = level < 0 ? depth + level + 1 : level;
    if (target < 1 || target > depth)
        return false;
    m_s = m_saved[size_t(target - 1)];
    m_saved.resize(size_t(target - 1));
    OnStateChanged();
    return true;
}

// ---- Modes ----

int CDC::SetROP2(int mode)
{
    if (mode < R2_BLACK || mode > R2_WHITE)
        return 0;
    const int old = m_s.rop2;
    m_s.rop2 = mode;
    return old;
}

int CDC::SetBkMode(int mode)
{
    if (mode != TRANSPARENT && mode != OPAQUE)
        return 0;
    const int old = m_s.bkMode;
    m_s.bkMode = mode;
    return old;
}

COLORREF CDC::SetBkColor(COLORREF color)
{
    const COLORREF old = m_s.bkColor;
    m_s.bkColor = color & 0x00FFFFFF;
    return old;
}

COLORREF CDC::SetTextColor(COLORREF color)
{
    const COLORREF old = m_s.textColor;
    m_s.textColor = color & 0x00FFFFFF;
    return old;
}

UINT CDC::SetTextAlign(UINT align)
{
    const UINT old = m_s.textAlign;
    m_s.textAlign = align;
    return old;
}

int CDC::SetPolyFillMode(int mode)
{
    if (mode != ALTERNATE && mode != WINDING)
        return 0;
    const int old = m_s.polyFillMode;
    m_s.polyFillMode = mode;
    return old;
}

int CDC::SetStretchBltMode(int mode)
{
    if (mode < BLACKONWHITE || mode > HALFTONE)
        return 0;
    const int old = m_s.stretchMode;
    m_s.stretchMode = mode;
    return old;
}

int CDC::SetArcDirection(int direction)
{
    if (direction != AD_CLOCKWISE && direction != AD_COUNTERCLOCKWISE)
        return 0;
    const int old = m_s.arcDirection;
    m_s.arcDirection = direction;
    return old;
}

float CDC::SetMiterLimit(float limit)
{
    const float old = m_s.miterLimit;
    if (limit >= 1.0f)
        m_s.miterLimit = limit;
    return old;
}

bool CDC::AlphaBlend(int, int, int, int, CDC*, int, int, int, int, BLENDFUNCTION)
{
    return false;
}

CPoint CDC::SetBrushOrg(int x, int y)
{
    const CPoint old = m_s.brushOrg;
    m_s.brushOrg = CPoint(x, y);
    return old;
}

// ---- Lines ----

CPoint CDC::MoveTo(int x, int y)
{
    const CPoint old = m_s.currentPos;
    m_s.currentPos = CPoint(x, y);
    if (m_pathOpen)
        PathMoveTo(QPointF(LogToDevX(x), LogToDevY(y)));
    return old;
}

bool CDC::PolylineTo(const POINT* points, int count)
{
    if (!points || count <= 0)
        return false;
    for (int i = 0; i < count; ++i)
        if (!LineTo(points[i].x, points[i].y))
            return false;
    return true;
}

bool CDC::PolyPolyline(const POINT* points, const DWORD* counts, int polylines)
{
    if (!points || !counts || polylines <= 0)
        return false;
    const POINT* p = points;
    for (int i = 0; i < polylines; ++i) {
        if (counts[i] < 2 || !Polyline(p, int(counts[i])))
            return false;
        p += counts[i];
    }
    return true;
}

bool CDC::PolyBezierTo(const POINT* points, int count)
{
    if (!points || count <= 0 || count % 3 != 0)
        return false;
    std::vector<POINT> all;
    all.reserve(size_t(count) + 1);
    all.push_back(m_s.currentPos);
    all.insert(all.end(), points, points + count);
    if (!PolyBezier(all.data(), int(all.size())))
        return false;
    m_s.currentPos = points[count - 1];
    return true;
}

bool CDC::ArcTo(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
                int yEnd)
{
    // Approximation: the line to the arc's start point is not drawn; the arc is,
    // and the current position moves to the arc's end ray on the ellipse.
    if (!Arc(left, top, right, bottom, xStart, yStart, xEnd, yEnd))
        return false;
    const double cx = (left + right) / 2.0, cy = (top + bottom) / 2.0;
    const double rx = (right - left) / 2.0, ry = (bottom - top) / 2.0;
    const double a = std::atan2((yEnd - cy) * rx, (xEnd - cx) * (ry == 0 ? 1 : ry));
    m_s.currentPos = CPoint(int(std::lround(cx + rx * std::cos(a))), int(std::lround(cy + ry * std::sin(a))));
    return true;
}

// ---- Rectangles and regions ----

void CDC::FillSolidRect(const RECT* rect, COLORREF color)
{
    CBrush brush(color);
    FillRect(rect, &brush);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF color)
{
    const RECT r{x, y, x + cx, y + cy};
    FillSolidRect(&r, color);
}

void CDC::InvertRect(const RECT* rect)
{
    if (rect)
        PatBlt(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, DSTINVERT);
}

bool CDC::InvertRgn(CRgn* region)
{
    if (!region)
        return false;
    for (const QRect& r : region->Region()) {
        RECT lr{r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
        DPtoLP(&lr);
        InvertRect(&lr);
    }
    return true;
}

bool CDC::PaintRgn(CRgn* region)
{
    return FillRgn(region, m_s.brush);
}

int CDC::SetDIBitsToDevice(int x, int y, DWORD width, DWORD height, int xSrc, int ySrc,
                           UINT startScan, UINT scanLines, const void* bits,
                           const BITMAPINFO* info, UINT usage)
{
    // Only whole-image transfers (startScan 0, all lines) are used by the program.
    if (startScan != 0 || !info || scanLines < UINT(std::abs(info->bmiHeader.biHeight)))
        return 0;
    const CSize one(1, 1);
    (void)one;
    // The destination size is in device pixels: convert it to logical units.
    SIZE sz{LONG(width), LONG(height)};
    DPtoLP(&sz);
    return StretchDIBits(x, y, sz.cx, sz.cy, xSrc, ySrc, int(width), int(height), bits, info,
                         usage, SRCCOPY);
}

COLORREF CDC::GetPixel(int /*x*/, int /*y*/) const
{
    return CLR_INVALID;
}

bool CDC::ExtFloodFill(int /*x*/, int /*y*/, COLORREF /*color*/, UINT /*fillType*/)
{
    return false;
}

// ---- Clipping ----

int CDC::SelectClipRgn(CRgn* region, int mode)
{
    if (!region) {
        if (mode != RGN_COPY)
            return RGN_ERROR;
        m_s.hasClip = false;
        m_s.clip = QRegion();
        OnStateChanged();
        return SIMPLEREGION;
    }
    const QRegion& r = region->Region();
    if (!m_s.hasClip || mode == RGN_COPY) {
        // Combining with "no clip" means combining with the whole surface.
        const QRegion all(0, 0, std::max(1, m_caps.horzRes), std::max(1, m_caps.vertRes));
        const QRegion base = m_s.hasClip ? m_s.clip : all;
        switch (mode) {
        case RGN_COPY: m_s.clip = r; break;
        case RGN_AND: m_s.clip = base.intersected(r); break;
        case RGN_OR: m_s.clip = base.united(r); break;
        case RGN_XOR: m_s.clip = base.xored(r); break;
        case RGN_DIFF: m_s.clip = base.subtracted(r); break;
        default: return RGN_ERROR;
        }
    } else {
        switch (mode) {
        case RGN_AND: m_s.clip = m_s.clip.intersected(r); break;
        case RGN_OR: m_s.clip = m_s.clip.united(r); break;
        case RGN_XOR: m_s.clip = m_s.clip.xored(r); break;
        case RGN_DIFF: m_s.clip = m_s.clip.subtracted(r); break;
        default: return RGN_ERROR;
        }
    }
    m_s.hasClip = true;
    OnStateChanged();
    return CRgn::KindOf(m_s.clip);
}

namespace {
QRect DeviceRectOf(const CDC& dc, int left, int top, int right, int bottom)
{
    RECT r{left, top, right, bottom};
    dc.LPtoDP(&r);
    CRect cr(r);
    cr.NormalizeRect();
    return QRect(cr.left, cr.top, cr.Width(), cr.Height());
}
} // namespace

int CDC::IntersectClipRect(int left, int top, int right, int bottom)
{
    CRgn rgn;
    rgn.SetRegion(QRegion(DeviceRectOf(*this, left, top, right, bottom)));
    return SelectClipRgn(&rgn, RGN_AND);
}

int CDC::ExcludeClipRect(int left, int top, int right, int bottom)
{
    CRgn rgn;
    rgn.SetRegion(QRegion(DeviceRectOf(*this, left, top, right, bottom)));
    return SelectClipRgn(&rgn, RGN_DIFF);
}

int CDC::OffsetClipRgn(int dx, int dy)
{
    if (!m_s.hasClip)
        return SIMPLEREGION;
    SIZE d{dx, dy};
    // The offset is logical: scale it with sign by the mapping.
    const int ddx = LogToDevX(dx) - LogToDevX(0);
    const int ddy = LogToDevY(dy) - LogToDevY(0);
    (void)d;
    m_s.clip.translate(ddx, ddy);
    OnStateChanged();
    return CRgn::KindOf(m_s.clip);
}

int CDC::GetClipBox(RECT* rect) const
{
    if (!rect)
        return RGN_ERROR;
    const QRect surface(0, 0, std::max(0, m_caps.horzRes), std::max(0, m_caps.vertRes));
    const QRegion visible = m_s.hasClip ? m_s.clip.intersected(surface) : QRegion(surface);
    const QRect b = visible.boundingRect();
    RECT r = b.isEmpty() ? RECT{} : RECT{b.left(), b.top(), b.left() + b.width(), b.top() + b.height()};
    DPtoLP(&r);
    CRect cr(r);
    cr.NormalizeRect();
    *rect = cr;
    return CRgn::KindOf(visible);
}

bool CDC::PtVisible(int x, int y) const
{
    const QPoint p(LogToDevX(x), LogToDevY(y));
    if (p.x() < 0 || p.y() < 0 || p.x() >= m_caps.horzRes || p.y() >= m_caps.vertRes)
        return false;
    return !m_s.hasClip || m_s.clip.contains(p);
}

bool CDC::RectVisible(const RECT* rect) const
{
    if (!rect)
        return false;
    const QRect r = DeviceRectOf(*this, rect->left, rect->top, rect->right, rect->bottom);
    const QRect surface(0, 0, m_caps.horzRes, m_caps.vertRes);
    if (!r.intersects(surface))
        return false;
    return !m_s.hasClip || m_s.clip.intersects(r);
}

int CDC::GetClipRgn(CRgn* region) const
{
    if (!region)
        return -1;
    if (!m_s.hasClip)
        return 0;
    region->SetRegion(m_s.clip);
    return 1;
}

// ---- Paths ----

bool CDC::BeginPath()
{
    m_pathOpen = true;
    m_path = QPainterPath();
    m_path.setFillRule(m_s.polyFillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    return true;
}

bool CDC::EndPath()
{
    if (!m_pathOpen)
        return false;
    m_pathOpen = false;
    return true;
}

bool CDC::AbortPath()
{
    m_pathOpen = false;
    m_path = QPainterPath();
    return true;
}

bool CDC::CloseFigure()
{
    if (!m_pathOpen || m_path.elementCount() == 0)
        return false;
    m_path.closeSubpath();
    return true;
}

bool CDC::SelectClipPath(int mode)
{
    CRgn rgn;
    if (!PathToRegion(&rgn))
        return false;
    return SelectClipRgn(&rgn, mode) != RGN_ERROR;
}

bool CDC::FlattenPath()
{
    if (m_pathOpen || m_path.isEmpty())
        return false;
    QPainterPath flat;
    flat.setFillRule(m_path.fillRule());
    for (const QPolygonF& poly : m_path.toSubpathPolygons())
        flat.addPolygon(poly);
    m_path = flat;
    return true;
}

bool CDC::PathToRegion(CRgn* out)
{
    if (!out || m_pathOpen || m_path.isEmpty())
        return false;
    QPainterPath path = TakePath();
    path.setFillRule(m_s.polyFillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    out->SetRegion(QRegion(path.toFillPolygon().toPolygon(), path.fillRule()));
    return true;
}

void CDC::PathMoveTo(const QPointF& p)
{
    m_path.moveTo(p);
    m_pathStart = p;
}

void CDC::PathLineTo(const QPointF& p)
{
    const QPointF cur(LogToDevX(m_s.currentPos.x), LogToDevY(m_s.currentPos.y));
    if (m_path.elementCount() == 0 || m_path.currentPosition() != cur)
        PathMoveTo(cur);
    m_path.lineTo(p);
}

void CDC::PathAddPolygon(const QPolygonF& poly, bool closed)
{
    if (poly.isEmpty())
        return;
    PathMoveTo(poly.first());
    for (int i = 1; i < poly.size(); ++i)
        m_path.lineTo(poly[i]);
    if (closed)
        m_path.closeSubpath();
}

void CDC::PathAddPath(const QPainterPath& path)
{
    m_path.addPath(path);
}

QPainterPath CDC::TakePath()
{
    QPainterPath p = m_path;
    m_path = QPainterPath();
    return p;
}

// ---- Text ----

int CDC::DeviceFontHeight() const
{
    const int h = m_s.logFont.lfHeight;
    if (h == 0)
        return 0;
    const int dev = ScaleRound(std::abs(h), std::abs(m_s.viewportExt.cy), std::abs(m_s.windowExt.cy));
    return h < 0 ? -std::max(1, dev) : std::max(1, dev);
}

const CDeviceFont& CDC::DeviceFont() const
{
    const int height = DeviceFontHeight();
    const int width = ScaleRound(std::abs(m_s.logFont.lfWidth), std::abs(m_s.viewportExt.cx),
                                 std::abs(m_s.windowExt.cx));
    if (!m_font || !(m_fontLog == m_s.logFont) || m_fontHeight != height || m_fontWidth != width) {
        m_font = std::make_unique<CDeviceFont>(m_s.logFont, height, width);
        m_fontLog = m_s.logFont;
        m_fontHeight = height;
        m_fontWidth = width;
    }
    return *m_font;
}

bool CDC::TextOut(int x, int y, const char* text, int count)
{
    if (!text || count < 0)
        return false;
    return ExtTextOut(x, y, 0, nullptr, text, UINT(count), nullptr);
}

bool CDC::GetTextExtentPoint32(const char* text, int count, SIZE* size) const
{
    if (!size || count < 0 || (count > 0 && !text))
        return false;
    const CDeviceFont& font = DeviceFont();
    int width = 0;
    for (int i = 0; i < count; ++i)
        width += font.Advance(static_cast<unsigned char>(text[i]));
    SIZE dev{width, font.Height()};
    DPtoLP(&dev);
    *size = dev;
    return true;
}

CSize CDC::GetTextExtent(const char* text, int count) const
{
    SIZE s{};
    GetTextExtentPoint32(text, count, &s);
    return CSize(s.cx, s.cy);
}

bool CDC::GetTextMetrics(TEXTMETRIC* tm) const
{
    if (!tm)
        return false;
    DeviceFont().FillTextMetrics(tm, m_s.logFont);
    // Metrics are reported in logical units.
    auto toLogY = [&](LONG& v) {
        SIZE s{0, v};
        DPtoLP(&s);
        v = s.cy;
    };
    auto toLogX = [&](LONG& v) {
        SIZE s{v, 0};
        DPtoLP(&s);
        v = s.cx;
    };
    toLogY(tm->tmHeight);
    toLogY(tm->tmAscent);
    toLogY(tm->tmDescent);
    toLogY(tm->tmInternalLeading);
    toLogY(tm->tmExternalLeading);
    toLogX(tm->tmAveCharWidth);
    toLogX(tm->tmMaxCharWidth);
    return true;
}

bool CDC::GetCharABCWidths(UINT first, UINT last, ABC* abc) const
{
    if (!abc || first > last || last > 255)
        return false;
    const CDeviceFont& font = DeviceFont();
    if (!font.IsValid())
        return false;
    for (UINT c = first; c <= last; ++c) {
        ABC v = font.AbcOf(static_cast<unsigned char>(c));
        SIZE a{v.abcA, 0}, b{LONG(v.abcB), 0}, cc{v.abcC, 0};
        DPtoLP(&a);
        DPtoLP(&b);
        DPtoLP(&cc);
        abc[c - first] = ABC{a.cx, UINT(b.cx), cc.cx};
    }
    return true;
}

bool CDC::GetCharWidth(UINT first, UINT last, int* widths) const
{
    if (!widths || first > last || last > 255)
        return false;
    const CDeviceFont& font = DeviceFont();
    for (UINT c = first; c <= last; ++c) {
        SIZE s{font.Advance(static_cast<unsigned char>(c)), 0};
        DPtoLP(&s);
        widths[c - first] = s.cx;
    }
    return true;
}

UINT CDC::GetOutlineTextMetrics(UINT cb, OUTLINETEXTMETRIC* otm) const
{
    const CDeviceFont& font = DeviceFont();
    if (!font.IsValid())
        return 0;
    if (!otm)
        return OUTLINETEXTMETRIC_SIZE;
    if (cb < sizeof(UINT))
        return 0;
    OUTLINETEXTMETRIC out;
    out.otmSize = OUTLINETEXTMETRIC_SIZE;
    GetTextMetrics(&out.otmTextMetrics);
    // Bit 0x20: the matched face is itself bold; otherwise a heavy weight is
    // synthesised by emboldening the regular face.
    if (font.Raw().weight() >= QFont::DemiBold)
        out.otmfsSelection |= 0x20;
    if (font.Raw().style() != QFont::StyleNormal)
        out.otmfsSelection |= 0x01;
    out.otmEMSquare = UINT(font.Raw().unitsPerEm());
    out.otmAscent = out.otmTextMetrics.tmAscent;
    out.otmDescent = -out.otmTextMetrics.tmDescent;
    *otm = out;
    return OUTLINETEXTMETRIC_SIZE;
}

int CDC::GetTextFace(int count, char* face) const
{
    const int len = int(strnlen(m_s.logFont.lfFaceName, LF_FACESIZE));
    if (!face || count <= 0)
        return len + 1;
    const int n = std::min(len, count - 1);
    std::memcpy(face, m_s.logFont.lfFaceName, size_t(n));
    face[n] = 0;
    return n;
}
