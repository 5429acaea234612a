// The strap sweep: an observer walks clockwise along the bitmap's border and
// casts a ray to the last strap point; the first opaque pixel it meets there
// becomes the next strap point. Coarser steps are tried until the strap fits.
#include "render/HotZoneTrace.h"

#include "geometry/IntGeometry.h"
#include "geometry/PointRuns.h"
#include "platform/GdiObjects.h"

#include <cmath>
#include <cstdlib>

namespace {

constexpr int kStepSizes[] = {1, 2, 4, 8, 16, 32};
// A ray's hit closer than this to the last strap point adds nothing.
constexpr int kMinStrapGap = 4;
// Stands for the slope of a vertical line.
constexpr double kVerticalSlope = 999999.0;
// Angle tolerance of the final reduction, in degrees.
constexpr double kOutlineReduceDeg = 175.0;

double SlopeOf(POINT a, POINT b)
{
    if (a.x == b.x)
        return kVerticalSlope;
    return double(b.y - a.y) / double(b.x - a.x);
}

// Moves the observer by step along the border, clockwise; true when the sweep
// has come round (on the right edge, from above the origin's row to it or
// below, or onto the origin itself).
bool AdvanceOnBorder(POINT& c, const RECT& r, int step, POINT origin)
{
    const POINT before = c;
    switch (RectCornerIndex(c, r, 1)) {
    case 1: c.x = std::min<int>(c.x + step, r.right); break;
    case 2: c.y = std::min<int>(c.y + step, r.bottom); break;
    case 3: c.x = std::max<int>(c.x - step, r.left); break;
    case 4: c.y = std::max<int>(c.y - step, r.top); break;
    default: return true;  // off the border: nothing more to sweep
    }
    if (c.x == origin.x && c.y == origin.y)
        return true;
    return before.x == r.right && c.x == r.right && before.y < origin.y && c.y >= origin.y;
}

enum class SweepEnd { Done, OutOfPoints };

SweepEnd SweepOnce(const TraceSurface& surface, const RECT& r, int step, int maxPts, POINT s,
                   POINT origin, POINT* pts, int& count)
{
    count = 1;
    POINT c = origin;
    for (;;) {
        const POINT last = pts[count - 1];
        if (RectCornerIndex(c, r, 1) == 1 && last.x < c.x &&
            std::fabs(SlopeOf(last, c)) <= std::fabs(SlopeOf(last, s)))
            return SweepEnd::Done;
        POINT hit;
        if (FindOpaqueOnSegment(c, last, &hit, surface, true) &&
            std::max(std::abs(hit.x - last.x), std::abs(hit.y - last.y)) > kMinStrapGap) {
            // A strap that no longer fits is tried again with a coarser step.
            if (count >= maxPts - 1 || AppendTracePt(hit, pts, count) == TRACE_FULL)
                return SweepEnd::OutOfPoints;
        }
        if (AdvanceOnBorder(c, r, step, origin))
            return SweepEnd::Done;
    }
}

} // namespace

int TraceStrapBoundagon(const TraceSurface& surface, const RECT& rect, int maxPts, POINT* pts,
                        int& count)
{
    count = 0;
    if (!pts || maxPts <= 4 || rect.right <= rect.left || rect.bottom <= rect.top)
        return 0;
    maxPts = std::min(maxPts, kMaxTracePts);
    POINT s{};
    bool found = false;
    // The start scan includes each row's first pixel: an opaque left column is
    // part of the picture.
    for (int y = rect.top; y <= rect.bottom && !found; ++y)
        found = FindOpaqueOnSegment(POINT{rect.left, y}, POINT{rect.right, y}, &s, surface, false);
    if (!found)
        return 0;
    pts[0] = s;
    const POINT origin{rect.right, s.y};
    for (int step : kStepSizes) {
        if (SweepOnce(surface, rect, step, maxPts, s, origin, pts, count) == SweepEnd::OutOfPoints)
            continue;
        if (count > 4 && ClosePolygonPts(count, pts, maxPts))
            return 1;
        count = 0;
        return 0;
    }
    count = 0;
    return 0;
}

int TraceSurfaceOutline(const TraceSurface& surface, int maxPts, POINT* pts, int& count,
                        bool refine)
{
    count = 0;
    const RECT inclusive{0, 0, surface.Width() - 1, surface.Height() - 1};
    if (!TraceStrapBoundagon(surface, inclusive, maxPts, pts, count))
        return 0;
    if (refine) {
        const RECT whole{0, 0, surface.Width(), surface.Height()};
        TraceContoursOfStrapBoundagonFromMemoryBitmap(surface, whole, maxPts, pts, count, true);
    }
    ReducePolylinePts(count, pts, kOutlineReduceDeg, false);
    return 1;
}

int TraceBitmapOutline(const CBitmap* bitmap, COLORREF background, int maxPts, POINT* pts,
                       int& count, bool refine)
{
    count = 0;
    if (!bitmap || bitmap->Image().isNull())
        return 0;
    return TraceSurfaceOutline(TraceSurface(bitmap->Image(), background), maxPts, pts, count,
                               refine);
}

int GPTraceBitmapOutline(const QImage* bitmap, int maxPts, POINT* pts, int& count, bool refine)
{
    count = 0;
    if (!bitmap || bitmap->format() != QImage::Format_ARGB32)
        return 0;
    return TraceSurfaceOutline(TraceSurface(*bitmap), maxPts, pts, count, refine);
}
