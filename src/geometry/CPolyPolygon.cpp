#include "geometry/CPolyPolygon.h"

#include "geometry/IntGeometry.h"

#include <algorithm>
#include <cstring>
#include <vector>

bool CPolyPolygon::Create(int limit, int capacity)
{
    m_nLimit = std::clamp(limit, 0, kMaxParts);
    m_nParts = 0;
    return m_points.Alloc(capacity);
}

void CPolyPolygon::Free()
{
    m_nParts = 0;
    m_points.Free();
}

bool CPolyPolygon::GetPart(int index, CPointArray& out)
{
    if (index < 0 || index >= m_nLimit || index >= m_nParts)
        return false;
    const int start = m_nStart[index];
    // The caller's capacity limits the view, and so does the end of the buffer.
    const int room = std::max(m_points.GetCapacity() - start, 0);
    const int capacity = std::min(out.GetCapacity(), room);
    out.Free();
    CPoint* base = m_points.GetData();
    out.Attach(base ? base + start : nullptr, std::min(m_nCount[index], capacity), capacity);
    return true;
}

bool CPolyPolygon::MovePoints(int delta, int from)
{
    CPoint* pts = m_points.GetData();
    const int count = m_points.GetCount();
    if (from < 0 || from > count || !pts)
        return false;
    if (delta == 0)
        return true;
    const int64_t newCount = int64_t(count) + delta;
    if (newCount > m_points.GetCapacity() || newCount < 0 || int64_t(from) + delta < 0)
        return false;
    // memmove copies in the direction that keeps overlapping points intact.
    std::memmove(static_cast<void*>(pts + from + delta), pts + from,
                 size_t(count - from) * sizeof(CPoint));
    return m_points.SetCount(int(newCount));
}

bool CPolyPolygon::CopyPointsAt(int index, const CPointArray& arr)
{
    CPoint* pts = m_points.GetData();
    if (index < 0 || index > m_points.GetCount() || !pts)
        return false;
    const int n = arr.GetData() ? arr.GetCount() : 0;
    if (n <= 0)
        return true;
    if (int64_t(index) + n >= m_points.GetCapacity())
        return false;
    std::memmove(static_cast<void*>(pts + index), arr.GetData(), size_t(n) * sizeof(CPoint));
    return true;
}

bool CPolyPolygon::SetPart(int index, const CPointArray& arr)
{
    if (index < 0 || index >= m_nParts || !arr.GetData() || arr.GetCount() <= 0)
        return false;
    // arr may view this buffer, which is about to move: work from a copy.
    std::vector<CPoint> copy(arr.GetData(), arr.GetData() + arr.GetCount());
    const int n = int(copy.size());
    const int start = m_nStart[index];
    const int delta = n - m_nCount[index];
    // Checked before anything moves, so that a refusal leaves the parts intact.
    if (int64_t(start) + n >= m_points.GetCapacity() ||
        int64_t(m_points.GetCount()) + delta > m_points.GetCapacity())
        return false;
    if (!MovePoints(delta, start + m_nCount[index]))
        return false;
    if (!CopyPointsAt(start, CPointArray(copy.data(), n, n)))
        return false;
    m_nCount[index] = n;
    for (int j = index + 1; j < m_nParts; ++j)
        m_nStart[j] += delta;
    return true;
}

bool CPolyPolygon::StartPart(const POINT& first)
{
    if (m_nParts >= m_nLimit)
        return false; // the part table is full: the rest of the line is dropped
    const int start = m_points.GetCount();
    if (!m_points.Add(first))
        return false;
    m_nStart[m_nParts] = start;
    m_nCount[m_nParts] = 1;
    ++m_nParts;
    return true;
}

bool CPolyPolygon::AddToPart(const POINT& pt)
{
    if (m_nParts <= 0 || !m_points.Add(pt))
        return false;
    ++m_nCount[m_nParts - 1];
    return true;
}

namespace {
int FindUncrossedRectContaining(const POINT& pt, const RECT* rects, int nRects,
                                const std::vector<char>& crossed)
{
    for (int i = 0; i < nRects; ++i) {
        if (!crossed[size_t(i)] && CRect(rects[i]).PtInRect(pt))
            return i;
    }
    return -1;
}

// Follows the segment from x (inside or on the border of rectangle k) towards
// p until it has left k and every further rectangle its exit falls into;
// returns the last exit. Without an exit the point stays where it is.
CPoint LeaveRects(CPoint x, int k, const POINT& p, const RECT* rects, int nRects,
                  std::vector<char>& crossed)
{
    while (k >= 0) {
        crossed[size_t(k)] = 1;
        POINT exit;
        if (IntersectSegmentRect(CLineSeg(p, x), rects[k], exit)) // the hit nearest p
            x = exit;
        k = FindUncrossedRectContaining(x, rects, nRects, crossed);
    }
    return x;
}
} // namespace

bool CPolyPolygon::WalkSegment(const CPoint& q, const CPoint& p, const RECT* rects, int nRects,
                               bool& outside)
{
    std::vector<char> crossed(size_t(std::max(nRects, 0)), 0);
    const bool pInside = FindRectContainingPt(p, rects, nRects) >= 0;
    CPoint x = q;
    if (!outside) {
        if (pInside)
            return true; // still under the rectangles: nothing to draw
        x = LeaveRects(q, FindUncrossedRectContaining(q, rects, nRects, crossed), p, rects,
                       nRects, crossed);
        if (!StartPart(x))
            return false;
        outside = true;
        if (x == p)
            return true;
    }
    // Outside at x: every rectangle the segment passes through ends the current
    // part at its entry and starts a new part at its exit.
    for (;;) {
        POINT entry;
        const int k = NearestRectHitBySegmentSkipping(x, p, rects, nRects, crossed.data(), entry);
        if (k < 0) {
            if (!AddToPart(p))
                return false;
            outside = !pInside; // no crossing found though p is covered: enter at p
            return true;
        }
        if (!AddToPart(entry))
            return false;
        if (pInside) {
            outside = false;
            return true;
        }
        x = LeaveRects(entry, k, p, rects, nRects, crossed);
        if (x == p && CPoint(entry) == p)
            return true; // only touched at p: the part goes on from there
        if (!StartPart(x))
            return false;
        if (x == p)
            return true;
    }
}

int CPolyPolygon::Build(const CPointArray& polyline, const RECT* rects, int nRects)
{
    m_nParts = 0;
    m_points.RemoveAll();
    const int n = polyline.GetData() ? polyline.GetCount() : 0;
    if (n <= 0 || !m_points.GetData())
        return 0;
    if (!rects)
        nRects = 0;
    bool outside = FindRectContainingPt(polyline[0], rects, nRects) < 0;
    if (outside && !StartPart(polyline[0]))
        return m_nParts;
    for (int k = 1; k < n; ++k) {
        if (!WalkSegment(polyline[k - 1], polyline[k], rects, nRects, outside))
            break; // the part table or the buffer is full
    }
    return m_nParts;
}
