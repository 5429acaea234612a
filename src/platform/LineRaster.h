#pragma once
// The one-pixel line rasteriser of cosmetic pens on image targets. GDI draws a
// line from its start pixel up to, but not including, its end pixel; a closed
// figure therefore touches every vertex once, which keeps XOR outlines exact
// (drawn twice they vanish). Lines are stepped along their major axis with the
// minor coordinate rounded from the exact line (Bresenham); GDI's own tie rule
// for lines exactly between two pixels may pick the other pixel of such a pair.
#include "platform/WinTypes.h"

#include <QPoint>
#include <QPolygon>
#include <QRect>

#include <algorithm>
#include <cstdlib>

#include <vector>

// Dash pattern of a cosmetic pen: on/off run lengths in pixels that continue
// from one segment to the next; empty for solid.
struct CLineStyle {
    std::vector<int> runs;
    int index = 0;      // the run being drawn
    int left = 0;       // pixels left in it
    bool On() const { return runs.empty() || (index % 2) == 0; }
    void Step();
    // Steps over n pixels at once (of a part of a line that is not drawn).
    void Advance(qint64 n);
    // The cosmetic patterns of pen styles PS_DASH .. PS_ALTERNATE (and a user
    // style's runs); empty for solid and unknown styles.
    static CLineStyle ForPenStyle(DWORD style, const std::vector<DWORD>& user = {});
};

// Appends the pixels of the segment a -> b without b (nothing for a == b); the
// pixels of the style's gaps go to gaps when given (an opaque background mode
// paints them in the background colour).
// With bounds given, only the pixels whose major coordinate lies within them
// are produced (the same pixels as without bounds), so a line millions of
// pixels long costs no more than the bounds.
void RasterizeSegment(QPoint a, QPoint b, CLineStyle& style, std::vector<QPoint>& out,
                      std::vector<QPoint>* gaps = nullptr, const QRect* bounds = nullptr);
// A polyline of vertices; with closed set, also the segment back to the start.
void RasterizePolyline(const QPolygon& points, bool closed, CLineStyle& style,
                       std::vector<QPoint>& out, std::vector<QPoint>* gaps = nullptr,
                       const QRect* bounds = nullptr);

// The pixels of RasterizeSegment, handed to put(point, on) one by one in
// drawing order (on: the style draws it; otherwise it is a gap).
template <class Put>
void ForEachSegmentPixel(QPoint a, QPoint b, CLineStyle& style, const QRect* bounds, Put&& put)
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
        const qint64 i0 = s > 0 ? lo - from : from - hi;
        const qint64 i1 = (s > 0 ? hi - from : from - lo) + 1;
        first = std::clamp<qint64>(i0, 0, steps);
        last = std::clamp<qint64>(i1, 0, steps);
        if (first >= last) {
            style.Advance(steps);
            return;
        }
    }
    style.Advance(first);
    // Step i along the major axis has the minor offset i * minor / major
    // rounded to the nearest pixel, halves away from the start when the minor
    // direction is positive: k = (2 minor i + major - bias) / (2 major), kept
    // as a quotient and remainder from one division at the first step.
    const qint64 adMajor = xMajor ? adx : ady, adMinor = xMajor ? ady : adx;
    const int sMajor = xMajor ? sx : sy, sMinor = xMajor ? sy : sx;
    const qint64 twoMajor = 2 * adMajor, twoMinor = 2 * adMinor;
    const __int128 bias = sMinor > 0 ? 0 : 1;
    const __int128 num = __int128(twoMinor) * first + adMajor - bias;
    qint64 k = qint64(num / twoMajor), rem = qint64(num % twoMajor);
    for (qint64 i = first; i < last; ++i) {
        const qint64 major = i * sMajor, minor = k * sMinor;
        const QPoint p = xMajor ? QPoint(int(a.x() + major), int(a.y() + minor))
                                : QPoint(int(a.x() + minor), int(a.y() + major));
        put(p, style.On());
        style.Step();
        rem += twoMinor;
        if (rem >= twoMajor) {
            rem -= twoMajor;
            ++k;
        }
    }
    style.Advance(steps - last);
}
