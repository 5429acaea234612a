#include "graphics/DrawHelpers.h"

#include "core/AppContext.h"
#include "core/AppGlobals.h"
#include "platform/WinTypes.h"

#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <utility>

POINT InterpolatePoint255(int t, const POINT& a, const POINT& b)
{
    POINT p;
    p.x = LONG(a.x + (long long)(b.x - a.x) * t / 255);
    p.y = LONG(a.y + (long long)(b.y - a.y) * t / 255);
    return p;
}

int GradientPosition255(const POINT& pt, const POINT& start, const POINT& end)
{
    int from, to;
    if (start.x != end.x) {
        from = pt.x - start.x;
        to = end.x - start.x;
    } else {
        from = pt.y - start.y;
        to = end.y - start.y;
    }
    const int pos = MulDiv(255, from, to);
    return pos < 0 ? 0 : (pos > 255 ? 255 : pos);
}

void RectPosition255(int x, int y, const RECT& rc, int* px, int* py)
{
    const long long w = (long long)rc.right - rc.left, h = (long long)rc.bottom - rc.top;
    if (px)
        *px = w ? int(std::llabs((long long)x - rc.left) * 255 / w) : 0;
    if (py)
        *py = h ? int(std::llabs((long long)y - rc.top) * 255 / h) : 0;
}

bool IsPrintableChar(unsigned code)
{
    return (code & 0xFF) >= 32;
}

void InitDefaultLogFont(LOGFONT& lf)
{
    lf = LOGFONT();
    lf.lfHeight = -8;
    SetLogFontFace(lf, "Arial");
}

double GridRoundReal(bool up, double value, double step)
{
    if (step == 0 || !std::isfinite(value) || !std::isfinite(step))
        return 0;
    const double m = step * std::floor(value / step);
    if (m == value)
        return up ? step : -step;
    return up ? m + step - value : m - value;
}

int GridRoundInt(bool up, int value, int step)
{
    if (step == 0)
        return 0;
    // Floor division: truncating toward zero would put the line "below" a
    // negative value above it, and rounding down would move it up.
    long long q = (long long)value / step;
    if ((long long)value % step != 0 && ((value < 0) != (step < 0)))
        --q;
    const long long m = (long long)step * q;
    if (m == value)
        return up ? step : -step;
    return int(up ? m + step - value : m - value);
}

bool KeepRectInArea(CRect& rc, const CRect& mainWnd, const CRect& desktop)
{
    const CRect before = rc;
    for (const auto& [limitRight, limitBottom] :
         {std::pair{mainWnd.right - 5, mainWnd.bottom - 5}, std::pair{desktop.right - 50, desktop.bottom - 50}}) {
        if (rc.right > limitRight)
            rc.OffsetRect(limitRight - rc.right, 0);
        if (rc.bottom > limitBottom)
            rc.OffsetRect(0, limitBottom - rc.bottom);
    }
    if (rc.left < 0)
        rc.OffsetRect(-rc.left, 0);
    if (rc.top < 0)
        rc.OffsetRect(0, -rc.top);
    return rc != before;
}

bool PositionRectNear(CRect& wnd, const CRect& free, const CRect& mainWnd, const CRect& desktop)
{
    const int w = wnd.Width(), h = wnd.Height();
    constexpr int gap = 10;
    const POINT candidates[8] = {
        {free.right + gap, free.top},       {free.right + gap, free.bottom - h},
        {free.left - gap - w, free.top},    {free.left - gap - w, free.bottom - h},
        {free.left, free.bottom + gap},     {free.right - w, free.bottom + gap},
        // Above it, left and right sides aligned.
        {free.left, free.top - gap - h},    {free.right - w, free.top - gap - h},
    };
    const CRect before = wnd;
    CRect first;
    for (int i = 0; i < 8; ++i) {
        CRect rc(candidates[i].x, candidates[i].y, candidates[i].x + w, candidates[i].y + h);
        const bool moved = KeepRectInArea(rc, mainWnd, desktop);
        if (i == 0)
            first = rc;
        if (!moved) {
            wnd = rc;
            return wnd != before;
        }
    }
    wnd = first;
    return wnd != before;
}

namespace {
bool ScreenAreas(CRect& mainWnd, CRect& desktop)
{
    IAppContext* ctx = GetAppContext();
    if (!ctx || !ctx->GetMainWindowRect(mainWnd))
        return false;
    if (!ctx->GetDesktopRect(desktop))
        desktop = mainWnd;
    return true;
}
} // namespace

bool KeepRectInMainWnd(CRect& rc)
{
    CRect mainWnd, desktop;
    return ScreenAreas(mainWnd, desktop) && KeepRectInArea(rc, mainWnd, desktop);
}

bool PositionDlgNearRect(CRect& wnd, const CRect& keepFree)
{
    CRect mainWnd, desktop;
    return ScreenAreas(mainWnd, desktop) && PositionRectNear(wnd, keepFree, mainWnd, desktop);
}

void InitDefaultLogFont()
{
    InitDefaultLogFont(g_logfontDefault);
}
