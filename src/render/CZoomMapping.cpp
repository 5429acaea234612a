#include "render/CZoomMapping.h"

#include "core/Settings.h"
#include "core/Units.h"
#include "platform/CPainterDC.h"
#include "platform/GdiTypes.h"
#include "platform/WinTypes.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>

namespace {
constexpr int kMaxWorkPixels = 32767;

// Integer division by 16 that never gives 0: the magnitude stays at least 1
// and the sign is kept.
int ExtentOver16(int v)
{
    const int e = v / 16;
    if (e != 0)
        return e;
    return v < 0 ? -1 : 1;
}

int ZoomTimes100(float zoom)
{
    return int(zoom * 100.0f);
}
} // namespace

float ClampZoom(float percent)
{
    if (std::isnan(percent))
        return 100.0f;
    return std::clamp(percent, kZoomMin, kZoomMax);
}

double CalibratedScreenHeight()
{
    return ScreenHeight > 0 ? ScreenHeight : 9.0;
}

double PixelsPerUnitAt100()
{
    return GetScreenPixelHeight() / (CalibratedScreenHeight() * 256.0);
}

float PercentForFit(int pixels, int units)
{
    if (units == 0)
        return 0.0f;
    return float(double(pixels) * CalibratedScreenHeight() * 25600.0 / GetScreenPixelHeight() / units);
}

CSize ClientSizeAtZoom(CSize clientPx, float percent)
{
    if (!(percent > 0))
        return CSize(0, 0);
    const double k = CalibratedScreenHeight() / GetScreenPixelHeight() * 25600.0 / percent;
    return CSize(int(std::lround(clientPx.cx * k)), int(std::lround(clientPx.cy * k)));
}

float MaxZoomForWorkWidth(int workWidth)
{
    if (workWidth <= 0)
        return kZoomMax;
    const double z = double(kMaxWorkPixels) / workWidth * CalibratedScreenHeight() / GetScreenPixelHeight() *
                         25600.0 - 0.5;
    return float(std::min(z, double(kZoomMax)));
}

float MinZoomForWork(CSize work, CSize clientPx)
{
    const float zx = PercentForFit(clientPx.cx, std::abs(work.cx));
    const float zy = PercentForFit(clientPx.cy, std::abs(work.cy));
    return std::max({zx, zy, kZoomMin});
}

bool ClampZoomToLimits(float& percent, float minZoom, float maxZoom)
{
    if (percent > maxZoom) {
        percent = maxZoom;
        return true;
    }
    if (percent < minZoom) {
        percent = minZoom;
        return true;
    }
    return false;
}

int ZoomInButtonTarget(float zoom, const int table[6])
{
    const int c = int(std::lround(zoom));
    for (int i = 0; i < 6; ++i)
        if (table[i] > c && table[i] - c > 1)
            return table[i];
    return 0;
}

int ZoomOutButtonTarget(float zoom, const int table[6])
{
    const int c = int(std::lround(zoom));
    for (int i = 5; i >= 0; --i)
        if (table[i] < c && c - table[i] > 1)
            return table[i];
    return 0;
}

void SortZoomTable(int table[6])
{
    for (int i = 0; i < 5; ++i)
        for (int j = i + 1; j < 6; ++j)
            if (table[j] < table[i])
                std::swap(table[i], table[j]);
}

CSize PageSizeForScrolling(CSize pageLog)
{
    const double dpi = GetScreenPixelHeight() / CalibratedScreenHeight();
    return CSize(int(pageLog.cx * dpi / 256.0), int(pageLog.cy * dpi / 256.0));
}

void CZoomMapping::SetZoomMapping(CDC& dc) const
{
    dc.SetMapMode(m_nMapMode);
    if (m_nMapMode == MM_ANISOTROPIC) {
        dc.SetWindowExt(ExtentOver16(m_totalLog.cx), ExtentOver16(m_totalLog.cy));
        dc.SetViewportExt(ExtentOver16(m_sizeBaseDev.cx), ExtentOver16(m_sizeBaseDev.cy));
        return;
    }
    const CSize win = dc.GetWindowExt(), vp = dc.GetViewportExt();
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(win);
    dc.SetViewportExt(vp);
    if (m_nMapMode == MM_TEXT) {
        dc.ScaleWindowExt(1000, 1, 1000, 1);
        dc.ScaleViewportExt(1000, 1, 1000, 1);
    }
}

void CZoomMapping::ApplyZoom(CDC& dc) const
{
    const int z = ZoomTimes100(m_fZoom);
    dc.ScaleViewportExt(z, 10000, z, 10000);
}

void CZoomMapping::PrepareDC(CDC& dc) const
{
    SetZoomMapping(dc);
    ApplyZoom(dc);
    const CPoint pos = GetDeviceScrollPosition();
    dc.SetViewportOrg(-pos.x, -pos.y);
    dc.SetWindowOrg(m_rectWorkLog.left, m_rectWorkLog.top);
}

void CZoomMapping::PreparePrintDC(CDC& dc) const
{
    SetZoomMapping(dc);
    dc.SetViewportOrg(0, 0);
}

void CZoomMapping::SetZoomScrollSizes(CSize sizeBaseDev, const CRect& rectLogical, int pagePercent,
                                      int linePercent)
{
    m_sizeBaseDev = sizeBaseDev;
    const int h = rectLogical.Height();
    m_sizeBaseDev.cy = h < 0 ? -std::abs(sizeBaseDev.cy) : std::abs(sizeBaseDev.cy);
    m_nPagePercent = pagePercent;
    m_nLinePercent = linePercent;
    m_bPercentSteps = 1;
    m_rectTotalLog = rectLogical;
    m_totalLog = CSize(rectLogical.Width(), std::abs(h));
    m_nMapMode = MM_ANISOTROPIC;
    UpdateTotalDev();
}

void CZoomMapping::UpdateTotalDev()
{
    CPainterDC dc;
    SetZoomMapping(dc);
    ApplyZoom(dc);
    SIZE s = m_totalLog;
    dc.LPtoDP(&s);
    m_totalDev = CSize(std::abs(s.cx), std::abs(s.cy));
}

float CZoomMapping::SetZoomValue(float percent)
{
    const float previous = m_fZoom;
    m_fZoom = ClampZoom(percent);
    if (m_fZoom != previous)
        UpdateTotalDev();
    return previous;
}

CPoint CZoomMapping::GetDeviceScrollPosition() const
{
    CPoint pos = m_scroll;
    if (m_bCenter) {
        const CSize work = WorkDevSize();
        if (work.cx < m_client.cx)
            pos.x = -(m_client.cx - work.cx) / 2;
        if (work.cy < m_client.cy)
            pos.y = -(m_client.cy - work.cy) / 2;
    }
    return pos;
}

// Converts one point through a DC with the zoom mapping and the work-space
// origin but no scroll offset: device points here are scroll coordinates.
CPoint CZoomMapping::ConvertPoint(const CPoint& p, bool toDevice) const
{
    CPainterDC dc;
    SetZoomMapping(dc);
    ApplyZoom(dc);
    dc.SetWindowOrg(m_rectWorkLog.left, m_rectWorkLog.top);
    POINT q = p;
    if (toDevice)
        dc.LPtoDP(&q);
    else
        dc.DPtoLP(&q);
    return q;
}

CPoint CZoomMapping::LogicalToDevice(const CPoint& p) const
{
    return ConvertPoint(p, true);
}

CPoint CZoomMapping::DeviceToLogical(const CPoint& p) const
{
    return ConvertPoint(p, false);
}

CPoint CZoomMapping::GetViewAnchorPoint(int anchor) const
{
    if (anchor == kAnchorDefault)
        anchor = m_nDefaultAnchor;
    CPoint dev = GetDeviceScrollPosition();
    if (anchor == kAnchorBottom) {
        if (m_vBar)
            dev.y += m_client.cy;
        else
            dev.y = m_totalDev.cy - 1;
    } else if (anchor == kAnchorCentre) {
        dev.y = m_vBar ? dev.y + m_client.cy / 2 : m_totalDev.cy / 2;
        dev.x = m_hBar ? dev.x + m_client.cx / 2 : m_totalDev.cx / 2;
    }
    return DeviceToLogical(dev);
}

CPoint CZoomMapping::DevicePosForAnchor(const CPoint& logical, int anchor) const
{
    if (anchor == kAnchorDefault)
        anchor = m_nDefaultAnchor;
    CPoint dev = LogicalToDevice(logical);
    if (anchor == kAnchorBottom) {
        dev.y -= m_client.cy;
    } else if (anchor == kAnchorCentre) {
        dev.y -= m_client.cy / 2;
        dev.x -= m_client.cx / 2;
    }
    dev.x = std::clamp(dev.x, 0, std::max(0, m_hLimit));
    dev.y = std::clamp(dev.y, 0, std::max(0, m_vLimit));
    return dev;
}

CSize CZoomMapping::WorkDevSize() const
{
    CPainterDC dc;
    SetZoomMapping(dc);
    ApplyZoom(dc);
    SIZE s{m_rectWorkLog.Width(), m_rectWorkLog.Height()};
    dc.LPtoDP(&s);
    return CSize(std::abs(s.cx), std::abs(s.cy));
}

ZoomBarLayout CZoomMapping::ComputeBars(CSize client, CSize barSizes, bool parentGave) const
{
    ZoomBarLayout out;
    if (!parentGave && (client.cx <= barSizes.cx || client.cy <= barSizes.cy)) {
        out.tooSmall = true;
        return out;
    }
    if (m_bPercentSteps) {
        out.pageStep = CSize(MulDiv(m_nPagePercent, client.cx, 100), MulDiv(m_nPagePercent, client.cy, 100));
        out.lineStep = CSize(MulDiv(m_nLinePercent, client.cx, 100), MulDiv(m_nLinePercent, client.cy, 100));
    } else {
        out.pageStep = m_pageDev;
        out.lineStep = m_lineDev;
    }
    const CSize work = WorkDevSize();
    CSize range(work.cx - client.cx, work.cy - client.cy);
    out.h.needed = range.cx > 0;
    if (!parentGave)
        range.cy += barSizes.cy;
    out.v.needed = range.cy > 1;
    if (!parentGave)
        range.cx += barSizes.cx;
    const CPoint pos = GetDeviceScrollPosition();
    auto axis = [](ZoomBarAxis& a, int extent, int rng, int current) {
        a.range = rng;
        a.pos = a.needed ? current : 0;
        if (rng > 0)
            a.pos = std::min(a.pos, rng);
        a.pos = std::max(a.pos, 0);
        if (a.needed && extent > 0) {
            a.page = extent - rng;
            a.max = extent + 1;
        }
    };
    axis(out.h, work.cx, range.cx, pos.x);
    axis(out.v, work.cy, range.cy, pos.y);
    return out;
}

void CZoomMapping::ApplyBars(const ZoomBarLayout& layout)
{
    if (layout.tooSmall) {
        m_hBar = m_vBar = false;
        m_hLimit = m_vLimit = 0;
        return;
    }
    m_pageDev = layout.pageStep;
    m_lineDev = layout.lineStep;
    m_hBar = layout.h.needed;
    m_vBar = layout.v.needed;
    m_hLimit = layout.h.Limit();
    m_vLimit = layout.v.Limit();
    m_scroll = CPoint(layout.h.pos, layout.v.pos);
}

int CZoomMapping::ScrollCodeTarget(int code, int current, int trackPos, bool vertical) const
{
    const int line = vertical ? m_lineDev.cy : m_lineDev.cx;
    const int page = vertical ? m_pageDev.cy : m_pageDev.cx;
    switch (code) {
    case 0: return current - line;
    case 1: return current + line;
    case 2: return current - page;
    case 3: return current + page;
    case 5: return trackPos;
    case 6: return 0;
    case 7: return INT_MAX;
    default: return current;   // thumb position: tracking already moved it
    }
}

bool CZoomMapping::ScrollBy(CSize delta)
{
    if (!m_hBar)
        delta.cx = 0;
    if (!m_vBar)
        delta.cy = 0;
    const auto clampAdd = [](int pos, int d, int limit) {
        const long long v = (long long)pos + d;
        return int(std::clamp<long long>(v, 0, std::max(0, limit)));
    };
    const CPoint next(clampAdd(m_scroll.x, delta.cx, m_hLimit), clampAdd(m_scroll.y, delta.cy, m_vLimit));
    if (next == m_scroll)
        return false;
    m_scroll = next;
    return true;
}
