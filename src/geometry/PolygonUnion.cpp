// Polygon containment and the union of two closed polygons by tracing the
// outer outline.
#include "geometry/CPointArray.h"
#include "geometry/IntGeometry.h"
#include "geometry/PointRuns.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace {
// The trace gives up after this many steps; each step adds at most two points.
constexpr int kMaxUnionSteps = 500;

// Winding number of the pixel (x, y) against a closed run. The pixel is
// sampled at its centre, (x + 0.5, y + 0.5), as a polygon region fills it:
// points on the left and top edges are inside, on the right and bottom edges
// outside. Coordinates are doubled so that everything stays integer; the
// sample never shares a y with a vertex.
int WindingNumber(const POINT* pts, int count, const POINT& p)
{
    const int64_t px = 2 * int64_t(p.x) + 1, py = 2 * int64_t(p.y) + 1;
    int winding = 0;
    for (int i = 0; i + 1 < count; ++i) {
        const int64_t ax = 2 * int64_t(pts[i].x), ay = 2 * int64_t(pts[i].y);
        const int64_t bx = 2 * int64_t(pts[i + 1].x), by = 2 * int64_t(pts[i + 1].y);
        const __int128 cross = __int128(bx - ax) * (py - ay) - __int128(px - ax) * (by - ay);
        if (ay < py) {
            if (by > py && cross > 0)
                ++winding;
        } else if (by < py && cross < 0) {
            --winding;
        }
    }
    return winding;
}

// A vertex lies outside a polygon when it is neither inside it, nor one of its
// vertices, nor on its outline.
int FirstVertexOutside(const CPointArray& arr, const CPointArray& poly)
{
    for (int i = 0; i < arr.GetCount(); ++i) {
        const CPoint& v = arr[i];
        if (!poly.ContainsPt(v) && !poly.ContainsVertex(v) && !poly.HitTest(v.x, v.y, 1, nullptr))
            return i;
    }
    return -1;
}

// Whether the trace may leave the current polygon at the crossing h and go on
// along the other polygon towards its vertex v: v must lie outside the current
// polygon and the way from v back to h must not cross the current polygon's
// outline before h (one unit of slack for the rounding of crossings).
bool QualifiesAsExit(const CPointArray& current, const CPoint& v, const CPoint& h)
{
    if (current.ContainsPt(v))
        return false;
    POINT g;
    if (!IntersectSegmentPolyline(CLineSeg(v, h), current.GetData(), current.GetCount(), true, g,
                                  nullptr, nullptr))
        return false;
    return std::abs(int64_t(g.x) - h.x) <= 1 && std::abs(int64_t(g.y) - h.y) <= 1;
}

CRect BoundsUnion(const RECT& a, const RECT& b)
{
    return CRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                 std::max(a.bottom, b.bottom));
}

// Appends pt unless it repeats the last point added.
bool AddTracePt(CPointArray& out, const CPoint& pt)
{
    const int n = out.GetCount();
    if (n > 0 && out[n - 1] == pt)
        return true;
    return out.Add(pt);
}

// Walks the outer outline of the union from a vertex of first that lies
// outside second. False when it does not come back to the start in time.
bool TraceUnion(const CPointArray& first, const CPointArray& second, int start, CPointArray& out)
{
    const CPointArray* cur = &first;
    const CPointArray* oth = &second;
    const CPoint startPt = first[start];
    CPoint f = startPt;
    int fi = start;
    bool backwards = false;
    for (int step = 0; step < kMaxUnionSteps; ++step) {
        if (!AddTracePt(out, f))
            return false;
        const int qi = NextPolyIndex(*cur, fi, backwards);
        if (qi < 0)
            return false;
        const CPoint q = (*cur)[qi];
        POINT hit;
        int o = -1, u = -1;
        const bool crossed = IntersectSegmentPolyline(CLineSeg(f, q), oth->GetData(),
                                                      oth->GetCount(), true, hit, &o, &u);
        const bool uOk = crossed && QualifiesAsExit(*cur, (*oth)[u], hit);
        const bool oOk = crossed && QualifiesAsExit(*cur, (*oth)[o], hit);
        if (!uOk && !oOk) {
            f = q;
            fi = qi;
        } else {
            if (!AddTracePt(out, hit))
                return false;
            bool towardsU = uOk;
            if (uOk && oOk)
                towardsU = std::fabs(AngleAtVertex(f, hit, (*oth)[o])) >
                           std::fabs(AngleAtVertex(f, hit, (*oth)[u]));
            std::swap(cur, oth);
            backwards = !towardsU;
            fi = towardsU ? u : o;
            f = (*cur)[fi];
        }
        if (f == startPt)
            return out.Add(startPt);
    }
    return false;
}
} // namespace

bool CPointArray::ContainsPt(const POINT& pt) const
{
    if (!IsPolyClosed(m_nCount, m_pPts) || m_nCount <= 2)
        return false;
    if (ContainsVertex(pt))
        return true;
    return WindingNumber(m_pPts, m_nCount, pt) != 0;
}

bool CPointArray::AllVerticesInside(const CPointArray& other) const
{
    for (int i = 0; m_pPts && i < m_nCount; ++i) {
        if (!other.ContainsPt(m_pPts[i]))
            return false;
    }
    return true;
}

bool CPointArray::UnionWith(const CPointArray& other)
{
    if (!IsPolyClosed(m_nCount, m_pPts) || !IsPolyClosed(other.m_nCount, other.m_pPts))
        return false;
    CPointArray r;
    if (!r.CopyFrom(*this))
        return false;
    // Room for the longest trace the step bound allows, and at least twice
    // both outlines.
    const int64_t wanted = std::max<int64_t>(2 * (int64_t(other.m_nCount) + r.m_nCount),
                                             2 * kMaxUnionSteps + 2);
    CPointArray result;
    if (wanted > kMaxCapacity || !result.Alloc(int(wanted)))
        return false;

    RECT rBounds, oBounds;
    r.GetBoundingRect(rBounds);
    other.GetBoundingRect(oBounds);
    const CRect both = BoundsUnion(rBounds, oBounds);
    if (both == CRect(oBounds) && r.AllVerticesInside(other)) {
        result.SetPoints(other.m_pPts, other.m_nCount);
        Swap(result);
        return true;
    }
    if (both == CRect(rBounds) && other.AllVerticesInside(r)) {
        result.SetPoints(r.m_pPts, r.m_nCount);
        Swap(result);
        return true;
    }

    bool ok = false;
    if (const int start = FirstVertexOutside(r, other); start >= 0)
        ok = TraceUnion(r, other, start, result);
    else if (const int start2 = FirstVertexOutside(other, r); start2 >= 0)
        ok = TraceUnion(other, r, start2, result);
    else
        return true; // each lies on the other: the union is this polygon
    if (!ok)
        return false; // keep this polygon rather than an unclosed outline
    Swap(result);
    return true;
}
