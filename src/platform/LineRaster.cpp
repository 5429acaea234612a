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

void RasterizeSegment(QPoint a, QPoint b, CLineStyle& style, std::vector<QPoint>& out,
                      std::vector<QPoint>* gaps, const QRect* bounds)
{
    ForEachSegmentPixel(a, b, style, bounds, [&](QPoint p, bool on) {
        if (on)
            out.push_back(p);
        else if (gaps)
            gaps->push_back(p);
    });
}

void RasterizePolyline(const QPolygon& points, bool closed, CLineStyle& style,
                       std::vector<QPoint>& out, std::vector<QPoint>* gaps, const QRect* bounds)
{
    for (int i = 0; i + 1 < points.size(); ++i)
        RasterizeSegment(points[i], points[i + 1], style, out, gaps, bounds);
    if (closed && points.size() > 1)
        RasterizeSegment(points.last(), points.first(), style, out, gaps, bounds);
}
