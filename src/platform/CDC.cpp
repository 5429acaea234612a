#include "platform/CDC.h"

#include "platform/CDeviceFont.h"  // complete for the font cache's deletion
#include "platform/GdiRounding.h"

#include <QGuiApplication>
#include <QImage>
#include <QScreen>

#include <cmath>
#include <cstring>

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
    if (InPath()) {
        // Inside a path the curves continue the open figure; they do not
        // start one of their own.
        QPolygonF dev;
        dev.reserve(count);
        for (int i = 0; i < count; ++i) {
            const POINT d = LogToDev(points[i]);
            dev.append(QPointF(d.x, d.y));
        }
        PathCubicsTo(dev);
        m_s.currentPos = points[count - 1];
        return true;
    }
    std::vector<POINT> all;
    all.reserve(size_t(count) + 1);
    all.push_back(m_s.currentPos);
    all.insert(all.end(), points, points + count);
    if (!PolyBezier(all.data(), int(all.size())))
        return false;
    m_s.currentPos = points[count - 1];
    return true;
}

namespace {
// Where the ray from the ellipse's centre toward (x, y) meets the ellipse.
CPoint EllipsePointToward(int left, int top, int right, int bottom, int x, int y)
{
    const double cx = (double(left) + right) / 2.0, cy = (double(top) + bottom) / 2.0;
    const double rx = std::abs(double(right) - left) / 2.0, ry = std::abs(double(bottom) - top) / 2.0;
    const double dx = x - cx, dy = y - cy;
    if (rx <= 0 || ry <= 0 || (dx == 0 && dy == 0))
        return CPoint(int(std::lround(cx + rx)), int(std::lround(cy)));
    const double t = 1.0 / std::sqrt((dx / rx) * (dx / rx) + (dy / ry) * (dy / ry));
    return CPoint(int(std::lround(cx + dx * t)), int(std::lround(cy + dy * t)));
}
} // namespace

bool CDC::ArcTo(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
                int yEnd)
{
    // A line from the current position to the arc's start, the arc, and the
    // current position at the arc's end.
    const CPoint from = EllipsePointToward(left, top, right, bottom, xStart, yStart);
    if (!LineTo(from.x, from.y))
        return false;
    if (!Arc(left, top, right, bottom, xStart, yStart, xEnd, yEnd))
        return false;
    m_s.currentPos = EllipsePointToward(left, top, right, bottom, xEnd, yEnd);
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
    const RECT r{x, y, ClampToInt(qint64(x) + cx), ClampToInt(qint64(y) + cy)};
    FillSolidRect(&r, color);
}

void CDC::InvertRect(const RECT* rect)
{
    if (rect)
        PatBlt(rect->left, rect->top, ClampToInt(qint64(rect->right) - rect->left),
               ClampToInt(qint64(rect->bottom) - rect->top), DSTINVERT);
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
    if (startScan != 0 || !info || qint64(scanLines) < std::abs(qint64(info->bmiHeader.biHeight)))
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

