// CDC: mapping modes, window and viewport, world transform.
#include "platform/CDC.h"

#include "platform/GdiRounding.h"

#include <cmath>

// ---- Mapping ----

namespace {
// Extents are refused when zero or beyond 27 bits (a damaged picture's).
bool ExtentUsable(int e)
{
    return e != 0 && std::abs(qint64(e)) <= kMaxDeviceCoord;
}
} // namespace

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
    if (!ExtentUsable(cx) || !ExtentUsable(cy))
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
    if (!ExtentUsable(cx) || !ExtentUsable(cy))
        return old;
    if (m_s.mapMode == MM_ISOTROPIC) {
        // One unit is as long on both axes: the smaller scale wins, signs kept.
        const double sx = double(std::abs(cx)) / std::abs(qint64(m_s.windowExt.cx));
        const double sy = double(std::abs(cy)) / std::abs(qint64(m_s.windowExt.cy));
        if (sx < sy)
            cy = (cy < 0 ? -1 : 1) * int(std::lround(std::abs(qint64(m_s.windowExt.cy)) * sx));
        else
            cx = (cx < 0 ? -1 : 1) * int(std::lround(std::abs(qint64(m_s.windowExt.cx)) * sy));
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
        return ClampDeviceCoord(qint64(x) - m_s.windowOrg.x + m_s.viewportOrg.x);
    return ClampDeviceCoord(qint64(ScaleRound(qint64(x) - m_s.windowOrg.x, m_s.viewportExt.cx, m_s.windowExt.cx))
                            + m_s.viewportOrg.x);
}

int CDC::LogToDevY(int y) const
{
    if (m_s.viewportExt.cy == m_s.windowExt.cy)
        return ClampDeviceCoord(qint64(y) - m_s.windowOrg.y + m_s.viewportOrg.y);
    return ClampDeviceCoord(qint64(ScaleRound(qint64(y) - m_s.windowOrg.y, m_s.viewportExt.cy, m_s.windowExt.cy))
                            + m_s.viewportOrg.y);
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
    m_s.worldIdentity = IsIdentity(m_s.world);
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
    m_s.worldIdentity = IsIdentity(m_s.world);
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

POINT CDC::LogToDevMapped(POINT p) const
{
    if (IsIdentity(m_s.world))
        return POINT{LogToDevX(p.x), LogToDevY(p.y)};
    const QPointF d = LogToDevTransform().map(QPointF(p.x, p.y));
    return POINT{ClampDeviceCoord(std::floor(d.x() + 0.5)), ClampDeviceCoord(std::floor(d.y() + 0.5))};
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
    size->cx = ScaleRound(size->cx, std::abs(qint64(m_s.viewportExt.cx)), std::abs(qint64(m_s.windowExt.cx)));
    size->cy = ScaleRound(size->cy, std::abs(qint64(m_s.viewportExt.cy)), std::abs(qint64(m_s.windowExt.cy)));
}

void CDC::DPtoLP(POINT* points, int count) const
{
    if (!IsIdentity(m_s.world)) {
        const QTransform inv = LogToDevTransform().inverted();
        for (int i = 0; points && i < count; ++i) {
            const QPointF l = inv.map(QPointF(points[i].x, points[i].y));
            points[i] = POINT{ClampToInt(qint64(std::clamp(std::floor(l.x() + 0.5), -4e18, 4e18))),
                              ClampToInt(qint64(std::clamp(std::floor(l.y() + 0.5), -4e18, 4e18)))};
        }
        return;
    }
    for (int i = 0; points && i < count; ++i) {
        points[i] = POINT{
            ClampToInt(qint64(ScaleRound(qint64(points[i].x) - m_s.viewportOrg.x, m_s.windowExt.cx, m_s.viewportExt.cx))
                       + m_s.windowOrg.x),
            ClampToInt(qint64(ScaleRound(qint64(points[i].y) - m_s.viewportOrg.y, m_s.windowExt.cy, m_s.viewportExt.cy))
                       + m_s.windowOrg.y)};
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
    size->cx = ScaleRound(size->cx, std::abs(qint64(m_s.windowExt.cx)), std::abs(qint64(m_s.viewportExt.cx)));
    size->cy = ScaleRound(size->cy, std::abs(qint64(m_s.windowExt.cy)), std::abs(qint64(m_s.viewportExt.cy)));
}

