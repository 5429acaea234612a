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

void RasterizeSegment(QPoint a, QPoint b, CLineStyle& style, std::vector<QPoint>& out,
                      std::vector<QPoint>* gaps)
{
    const int dx = b.x() - a.x(), dy = b.y() - a.y();
    const int adx = std::abs(dx), ady = std::abs(dy);
    const int steps = std::max(adx, ady);
    if (steps == 0)
        return;
    const int sx = dx < 0 ? -1 : 1, sy = dy < 0 ? -1 : 1;
    // Error term of the minor axis, centred so the minor coordinate rounds to
    // the nearest pixel of the exact line.
    int x = a.x(), y = a.y();
    if (adx >= ady) {
        int err = 2 * ady - adx;
        for (int i = 0; i < steps; ++i) {
            if (style.On())
                out.emplace_back(x, y);
            else if (gaps)
                gaps->emplace_back(x, y);
            style.Step();
            if (err > 0 || (err == 0 && sy > 0)) {
                y += sy;
                err -= 2 * adx;
            }
            err += 2 * ady;
            x += sx;
        }
    } else {
        int err = 2 * adx - ady;
        for (int i = 0; i < steps; ++i) {
            if (style.On())
                out.emplace_back(x, y);
            else if (gaps)
                gaps->emplace_back(x, y);
            style.Step();
            if (err > 0 || (err == 0 && sx > 0)) {
                x += sx;
                err -= 2 * ady;
            }
            err += 2 * adx;
            y += sy;
        }
    }
}

void RasterizePolyline(const QPolygon& points, bool closed, CLineStyle& style,
                       std::vector<QPoint>& out, std::vector<QPoint>* gaps)
{
    for (int i = 0; i + 1 < points.size(); ++i)
        RasterizeSegment(points[i], points[i + 1], style, out, gaps);
    if (closed && points.size() > 1)
        RasterizeSegment(points.last(), points.first(), style, out, gaps);
}
