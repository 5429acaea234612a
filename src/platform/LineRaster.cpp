#include "platform/LineRaster.h"

#include "platform/GdiTypes.h"

#include <cstdlib>

void CLineStyle::Step()
{
    if (runs.empty())
        return;
    if (--left <= 0) {
        index = (index + 1) % int(runs.size());
        left = runs[size_t(index)];
    }
}

CLineStyle CLineStyle::ForPenStyle(DWORD style, const std::vector<DWORD>& user)
{
    CLineStyle s;
    switch (style & PS_STYLE_MASK) {
    case PS_DASH: s.runs = {18, 6}; break;
    case PS_DOT: s.runs = {3, 3}; break;
    case PS_DASHDOT: s.runs = {9, 6, 3, 6}; break;
    case PS_DASHDOTDOT: s.runs = {9, 3, 3, 3, 3, 3}; break;
    case PS_ALTERNATE: s.runs = {1, 1}; break;
    case PS_USERSTYLE:
        for (DWORD r : user)
            s.runs.push_back(int(std::max<DWORD>(1, std::min<DWORD>(r, 1u << 16))));
        if (s.runs.size() % 2)
            s.runs.push_back(s.runs.back());
        break;
    default: break;
    }
    if (!s.runs.empty())
        s.left = s.runs[0];
    return s;
}

void CLineStyle::Advance(qint64 n)
{
    if (runs.empty() || n <= 0)
        return;
    qint64 period = 0;
    for (int r : runs)
        period += r;
    for (qint64 i = n % period; i > 0; --i)
        Step();
}

namespace {

// Steps [first, last) of a line along its major axis: the minor offset of step
// i is i * minor / major rounded to the nearest pixel, halves away from the
// start when the minor direction is positive (the rule of the stepping loop).
void StepRange(QPoint a, qint64 adMajor, qint64 adMinor, int sMajor, int sMinor, bool xMajor,
               qint64 first, qint64 last, CLineStyle& style, std::vector<QPoint>& out,
               std::vector<QPoint>* gaps)
{
    const __int128 twoMajor = 2 * __int128(adMajor);
    const __int128 bias = sMinor > 0 ? 0 : 1;
    for (qint64 i = first; i < last; ++i) {
        const qint64 k = qint64((2 * __int128(adMinor) * i + adMajor - bias) / twoMajor);
        const qint64 major = i * sMajor, minor = k * sMinor;
        const QPoint p = xMajor ? QPoint(int(a.x() + major), int(a.y() + minor))
                                : QPoint(int(a.x() + minor), int(a.y() + major));
        if (style.On())
            out.push_back(p);
        else if (gaps)
            gaps->push_back(p);
        style.Step();
    }
}

} // namespace

void RasterizeSegment(QPoint a, QPoint b, CLineStyle& style, std::vector<QPoint>& out,
                      std::vector<QPoint>* gaps, const QRect* bounds)
{
    const qint64 dx = qint64(b.x()) - a.x(), dy = qint64(b.y()) - a.y();
    const qint64 adx = std::abs(dx), ady = std::abs(dy);
    const qint64 steps = std::max(adx, ady);
    if (steps == 0)
        return;
    const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
    const bool xMajor = adx >= ady;
    qint64 first = 0, last = steps;
    if (bounds) {
        // The steps whose major coordinate falls within the bounds.
        const qint64 from = xMajor ? a.x() : a.y();
        const int s = xMajor ? sx : sy;
        const qint64 lo = xMajor ? bounds->left() : bounds->top();
        const qint64 hi = xMajor ? bounds->right() : bounds->bottom();
        qint64 i0 = s > 0 ? lo - from : from - hi;
        qint64 i1 = (s > 0 ? hi - from : from - lo) + 1;
        first = std::clamp<qint64>(i0, 0, steps);
        last = std::clamp<qint64>(i1, 0, steps);
        if (first >= last) {
            style.Advance(steps);
            return;
        }
    }
    style.Advance(first);
    if (xMajor)
        StepRange(a, adx, ady, sx, sy, true, first, last, style, out, gaps);
    else
        StepRange(a, ady, adx, sy, sx, false, first, last, style, out, gaps);
    style.Advance(steps - last);
}

void RasterizePolyline(const QPolygon& points, bool closed, CLineStyle& style,
                       std::vector<QPoint>& out, std::vector<QPoint>* gaps, const QRect* bounds)
{
    for (int i = 0; i + 1 < points.size(); ++i)
        RasterizeSegment(points[i], points[i + 1], style, out, gaps, bounds);
    if (closed && points.size() > 1)
        RasterizeSegment(points.last(), points.first(), style, out, gaps, bounds);
}
