// Helpers on counted point runs: validity, bounds, mapping, insertion, index
// stepping and the reduction of traced outlines.
#include "geometry/PointRuns.h"


#include "geometry/IntGeometry.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <cstring>

GeomTraceFn g_pfnGeomTrace = nullptr;

bool IsValidPolyPts(int count, const POINT* pts)
{
    return count >= 4 && pts != nullptr;
}

bool IsPolyClosed(int count, const POINT* pts)
{
    return IsValidPolyPts(count, pts) && CPoint(pts[0]) == CPoint(pts[count - 1]);
}

bool ClosePolygonPts(int& count, POINT* pts, int capacity)
{
    if (!IsValidPolyPts(count, pts))
        return false;
    if (IsPolyClosed(count, pts))
        return true;
    if (count >= capacity)
        return false;
    pts[count++] = pts[0];
    return true;
}

bool PtsBoundingRect(int count, const POINT* pts, RECT& rc)
{
    if (!IsValidPolyPts(count, pts))
        return false;
    // Starts at the first point, so that outlines at negative coordinates get
    // their true right and bottom.
    rc = BoundsOfPts(pts, count);
    return true;
}

bool MapPtsBetweenRects(int& count, POINT* pts, int capacity, const RECT* pFrom, const RECT* pTo)
{
    if (!ClosePolygonPts(count, pts, capacity))
        return false;
    if (!pFrom || !pTo || pFrom->right == pFrom->left || pFrom->bottom == pFrom->top)
        return false;
    for (int i = 0; i < count; ++i)
        MapPtBetweenRects(pts[i], *pFrom, *pTo);
    return true;
}

bool InsertPtsIntoPolyline(POINT* pts, int& count, int capacity, const POINT* newPts, int n,
                           int index)
{
    if (!pts || !newPts || n <= 0 || index < 0 || index >= count || count > capacity)
        return false;
    int first = 0, last = n; // the new points kept: [first, last)
    if (index > 0 && CPoint(newPts[0]) == CPoint(pts[index - 1]))
        first = 1;
    if (n > 1 && CPoint(newPts[n - 1]) == CPoint(pts[index]))
        last = n - 1;
    const int remaining = last - first;
    if (remaining <= 0 || int64_t(count) + remaining > capacity)
        return false;
    std::memmove(static_cast<void*>(pts + index + remaining), pts + index,
                 size_t(count - index) * sizeof(POINT));
    std::memmove(static_cast<void*>(pts + index), newPts + first, size_t(remaining) * sizeof(POINT));
    count += remaining;
    return true;
}

int NextPolyIndex(const CPointArray& arr, int index, bool backwards)
{
    const int count = arr.GetCount();
    if (index < 0 || index >= count)
        return -1;
    const bool closed = arr.IsClosed();
    if (backwards) {
        if (index > 0)
            return index - 1;
        // Around a closed outline, skipping the repeated first point.
        return closed ? count - 2 : count - 1;
    }
    if (index < count - 1)
        return index + 1;
    return closed ? std::min(1, count - 1) : 0;
}

namespace {
void RemovePt(int& count, POINT* pts, int index)
{
    std::memmove(static_cast<void*>(pts + index), pts + index + 1,
                 size_t(count - index - 1) * sizeof(POINT));
    --count;
}

bool FitsScaled(int count, const POINT* pts, int factor)
{
    const int limit = INT_MAX / factor;
    return std::all_of(pts, pts + count, [limit](const POINT& p) {
        return p.x >= -limit && p.x <= limit && p.y >= -limit && p.y <= limit;
    });
}

// Merges close pairs of points whose neighbours' line does not separate them.
void MergeClosePairs(int& count, POINT* pts)
{
    for (int i = 1; i <= count - 3; ++i) {
        if (!(PtDistance(pts[i], pts[i + 1]) < 500.0))
            continue;
        const CLineSeg line(pts[i - 1], pts[i + 2]);
        const int s1 = SideOfLine(pts[i], line), s2 = SideOfLine(pts[i + 1], line);
        if (s1 == 0 || s2 == 0 || s1 != s2) {
            pts[i] = PtMidpoint(pts[i], pts[i + 1]);
            RemovePt(count, pts, i + 1);
        }
    }
}

// Pulls points halfway towards the midpoint of their neighbours, leaving sharp
// corners and straight axis-parallel runs in place.
void AveragePoints(int count, POINT* pts)
{
    CPoint previous = pts[0]; // point i - 1 as it was before its own move
    for (int i = 1; i <= count - 3; ++i) {
        const CPoint here = pts[i], next = pts[i + 1];
        const bool close = PtDistance(here, previous) <= 1000.0 && PtDistance(here, next) <= 1000.0;
        const bool axisRun = (previous.x == here.x && here.x == next.x) ||
                             (previous.y == here.y && here.y == next.y);
        bool move = close && !axisRun;
        if (move && i >= 2) {
            const CPoint before = PtMidpoint(pts[i - 2], previous);
            const CPoint after = PtMidpoint(next, pts[i + 2]);
            move = AngleAtVertex(before, here, after) >= 2.3561925;
        }
        if (move)
            pts[i] = PtMidpoint(here, PtMidpoint(previous, next));
        previous = here;
    }
}

void Smooth(int& count, POINT* pts)
{
    for (int i = 0; i < count; ++i) {
        pts[i].x *= 100;
        pts[i].y *= 100;
    }
    for (int pass = 0; pass < 3; ++pass)
        MergeClosePairs(count, pts);
    for (int pass = 0; pass < 3; ++pass)
        AveragePoints(count, pts);
}

// One pass that drops points whose angle exceeds the threshold.
bool DropStraightPoints(int& count, POINT* pts, double threshold)
{
    bool removed = false;
    for (int i = 1; i <= count - 2; ++i) {
        if (AngleAtVertex(pts[i - 1], pts[i], pts[i + 1]) > threshold) {
            RemovePt(count, pts, i);
            removed = true;
        }
    }
    return removed;
}
} // namespace

bool ReducePolylinePts(int& count, POINT* pts, double deg, bool smooth)
{
    if (!pts || count < 4)
        return false;
    if (g_pfnGeomTrace) { // trace
        for (int i = 0; i < count; ++i)
            g_pfnGeomTrace("    pPts[%d] = CPoint(%d,%d)\n", i, pts[i].x, pts[i].y);
    }
    // Smoothing works in hundredths; outlines too large for that are not smoothed.
    const bool smoothing = smooth && FitsScaled(count, pts, 100);
    if (smoothing)
        Smooth(count, pts);
    const double threshold = deg * 0.01745327777777778;
    bool removedAny = false;
    bool removed = true;
    while (count > 2 && removed) {
        removed = DropStraightPoints(count, pts, threshold);
        removedAny = removedAny || removed;
    }
    if (smoothing) {
        for (int i = 0; i < count; ++i) {
            pts[i].x /= 100;
            pts[i].y /= 100;
        }
    }
    return removedAny;
}

CPoint NearestPtOnRectOutline(const RECT& rc, const POINT& pt)
{
    CPoint outline[5];
    CPointArray arr(outline, 0, 5);
    arr.SetRectOutline(rc);
    return arr.NearestPt(pt.x, pt.y, nullptr);
}
