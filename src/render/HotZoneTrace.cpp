#include "render/HotZoneTrace.h"

#include "core/Trace.h"
#include "geometry/IntGeometry.h"
#include "geometry/PointRuns.h"

#include <cstdlib>
#include <vector>

namespace {

constexpr POINT kSteps[8] = {{-1, -1}, {0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}};
// Strap pairs this close are left as they are.
constexpr double kMinRefineDistance = 10.0;
// Angle tolerances of the reductions, in degrees.
constexpr double kRefineReduceDeg = 172.0;
// The contour tracer stops before its scratch array is full.
constexpr int kContourStop = 2046;

bool InRect(POINT p, const RECT& rc)
{
    return p.x >= rc.left && p.x < rc.right && p.y >= rc.top && p.y < rc.bottom;
}

// b lies strictly between a and c on one straight line.
bool StrictlyBetween(POINT a, POINT b, POINT c)
{
    const long long cross = (long long)(b.x - a.x) * (c.y - a.y) - (long long)(b.y - a.y) * (c.x - a.x);
    if (cross != 0 || CPoint(a) == CPoint(b) || CPoint(b) == CPoint(c))
        return false;
    const long long dot = (long long)(b.x - a.x) * (c.x - b.x) + (long long)(b.y - a.y) * (c.y - b.y);
    return dot > 0;
}

int TraceContour(POINT from, POINT to, POINT* pts, int& count, const TraceSurface& surface,
                 const RECT& rect)
{
    if (!pts || count < 0 || count > kMaxTracePts - 1)
        return 0;
    count = 0;
    const POINT mid = PtMidpoint(from, to);
    if (surface.IsOpaque(mid))
        return 0;
    POINT hit;
    if (FindOpaqueOnSegment(mid, to, &hit, surface, true))
        to = hit;
    if (FindOpaqueOnSegment(mid, from, &hit, surface, true))
        from = hit;
    if (!surface.IsOpaque(from) || !surface.IsOpaque(to))
        return 0;
    POINT cur = from, first{};
    int d = InitialDirection(from, to);
    while (d >= 0) {
        cur = StepInDirection(cur, d);
        if (CPoint(cur) == CPoint(to))
            return 1;
        if (!InRect(cur, rect))
            return 0;
        if (count > 1 && CPoint(cur) == CPoint(first))
            return 0;  // a closed loop that never reached `to`
        const bool wasEmpty = count == 0;
        AppendTracePt(cur, pts, count);
        if (wasEmpty && count == 1)
            first = cur;
        if (count >= kContourStop)
            return 0;
        if (std::abs(cur.x - to.x) <= 1 && std::abs(cur.y - to.y) <= 1)
            return 1;
        d = NextContourDirection(d, cur, surface, rect);
    }
    return 0;
}

int RefineStrap(const TraceSurface& surface, const RECT& rect, int maxPts, POINT* pts, int& count,
                bool restoreOnFailure)
{
    if (!pts || maxPts > kMaxTracePts)
        return 0;
    count = std::clamp(count, 0, kMaxTracePts);
    if (count < 2)
        return 0;
    std::vector<POINT> saved;
    if (restoreOnFailure)
        saved.assign(pts, pts + count);
    std::vector<POINT> scratch(kMaxTracePts);
    for (int k = 0; k < count - 1; ++k) {
        const POINT p = pts[k], q = pts[k + 1];
        if (PtDistance(p, q) <= kMinRefineDistance || surface.IsOpaque(PtMidpoint(p, q)))
            continue;
        int n = 0;
        if (!TraceContour(p, q, scratch.data(), n, surface, rect)) {
            if (restoreOnFailure) {
                std::copy(saved.begin(), saved.end(), pts);
                count = int(saved.size());
            }
            return 0;
        }
        if (n <= 3)
            continue;
        ReducePolylinePts(n, scratch.data(), kRefineReduceDeg, false);
        const int before = count;
        if (!InsertPtsIntoPolyline(pts, count, maxPts, scratch.data(), n, k + 1))
            return 1;  // no room for more detail: keep what there is
        k += count - before;
    }
    return 1;
}

} // namespace

TraceSurface::TraceSurface(const QImage& image, COLORREF background)
    : m_image(image.convertToFormat(QImage::Format_RGB32)), m_byAlpha(false),
      m_background(qRgb(GetRValue(background), GetGValue(background), GetBValue(background)))
{
}

TraceSurface::TraceSurface(const QImage& argb)
    : m_image(argb.convertToFormat(QImage::Format_ARGB32)), m_byAlpha(true)
{
}

bool TraceSurface::IsOpaque(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_image.width() || y >= m_image.height())
        return false;
    const QRgb pixel = reinterpret_cast<const QRgb*>(m_image.constScanLine(y))[x];
    if (m_byAlpha)
        return qAlpha(pixel) != 0;
    return (pixel & 0xFFFFFF) != (m_background & 0xFFFFFF);
}

POINT StepInDirection(POINT pt, int direction)
{
    const POINT s = kSteps[direction & 7];
    return POINT{pt.x + s.x, pt.y + s.y};
}

bool FindOpaqueOnSegment(POINT start, POINT end, POINT* result, const TraceSurface& surface,
                         bool skipStart)
{
    const long long dx = (long long)end.x - start.x, dy = (long long)end.y - start.y;
    const bool alongX = dy == 0 || (dx != 0 && std::llabs(dx) >= std::llabs(dy));
    const long long n = alongX ? std::llabs(dx) : std::llabs(dy);
    const int step = alongX ? (dx < 0 ? -1 : 1) : (dy < 0 ? -1 : 1);
    for (long long i = skipStart ? 1 : 0; i <= n; ++i) {
        POINT p{};
        if (alongX) {
            p.x = int(start.x + step * i);
            p.y = dx == 0 ? start.y : int(start.y + (p.x - start.x) * dy / dx);
        } else {
            p.y = int(start.y + step * i);
            p.x = dy == 0 ? start.x : int(start.x + (p.y - start.y) * dx / dy);
        }
        if (surface.IsOpaque(p)) {
            if (result)
                *result = p;
            return true;
        }
    }
    return false;
}

int InitialDirection(POINT from, POINT to)
{
    const long long dx = (long long)from.x - to.x, dy = (long long)from.y - to.y;
    const bool flatter = std::llabs(dy) < std::llabs(dx);
    const bool right = from.x < to.x, below = from.y < to.y;
    if (right)
        return below ? (flatter ? 4 : 5) : (flatter ? 3 : 2);
    return below ? (flatter ? 7 : 6) : (flatter ? 0 : 1);
}

int NextContourDirection(int direction, POINT cur, const TraceSurface& surface, const RECT& rect)
{
    if (direction < 0 || direction > 7)
        return 0;
    int i = direction - 3;
    if (i < 0)
        i = direction + 5;
    for (int tries = 0; tries < 8; ++tries) {
        const int j = (i + 1) % 8;
        const POINT pi = StepInDirection(cur, i), pj = StepInDirection(cur, j);
        if (!InRect(pi, rect) || !InRect(pj, rect))
            return -1;
        if (!surface.IsOpaque(pi) && surface.IsOpaque(pj))
            return j;
        i = j;
    }
    return -1;
}

int AppendTracePt(POINT pt, POINT* pts, int& count)
{
    if (!pts || count < 0 || count > kMaxTracePts - 1)
        return TRACE_FULL;
    if (count > 0 && CPoint(pts[count - 1]) == CPoint(pt))
        return TRACE_REFUSED;
    if (count >= 2 && StrictlyBetween(pts[count - 2], pts[count - 1], pt)) {
        pts[count - 1] = pt;
        return TRACE_STORED;
    }
    if (count == kMaxTracePts - 1)
        return TRACE_FULL;
    pts[count++] = pt;
    return TRACE_STORED;
}

int TraceClockwisePtToPt(POINT from, POINT to, POINT* pts, int& count,
                         const TraceSurface& surface, const RECT& rect)
{
    DiagPrintf("HZ:    TraceClockwisePtToPt(%d,%d %d,%d)\n", from.x, from.y, to.x, to.y);
    return TraceContour(from, to, pts, count, surface, rect);
}

int GPTraceClockwisePtToPt(POINT from, POINT to, POINT* pts, int& count,
                           const TraceSurface& surface, const RECT& rect)
{
    DiagPrintf("HZ:    GPTraceClockwisePtToPt(%d,%d %d,%d)\n", from.x, from.y, to.x, to.y);
    return TraceContour(from, to, pts, count, surface, rect);
}

int TraceContoursOfStrapBoundagonFromMemoryBitmap(const TraceSurface& surface, const RECT& rect,
                                                  int maxPts, POINT* pts, int& count,
                                                  bool restoreOnFailure)
{
    DiagPrintf("HZ:    TraceContoursOfStrapBoundagonFromMemoryBitmap()\n");
    return RefineStrap(surface, rect, maxPts, pts, count, restoreOnFailure);
}

int GPTraceContoursOfStrapBoundagon(const TraceSurface& surface, const RECT& rect, int maxPts,
                                    POINT* pts, int& count, bool restoreOnFailure)
{
    DiagPrintf("HZ:    TraceContoursOfStrapBoundagonFromMemoryBitmap()\n");
    return RefineStrap(surface, rect, maxPts, pts, count, restoreOnFailure);
}
