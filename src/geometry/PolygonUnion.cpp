// Polygon containment and the union of two closed polygons by tracing the
// outer outline.
#include "geometry/CPointArray.h"
#include "geometry/IntGeometry.h"
#include "geometry/PointRuns.h"
#include "geometry/PolygonUnionAlongLines.h"

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

// Where the segment v -> far crosses the side a -> b: the position along it (0
// at v, 1 at far), from the exact crossing. False when they do not cross;
// *pParallel tells parallel segments, whose meeting the exact form leaves open.
bool CrossingPosition(const CPoint& v, const CPoint& far, const CPoint& a, const CPoint& b,
                      long double& t, bool* pParallel)
{
    ExactCrossing c;
    if (!CrossSegmentsExactly(CLineSeg(v, far), CLineSeg(a, b), c, pParallel))
        return false;
    t = static_cast<long double>(c.t) / static_cast<long double>(c.den);
    return true;
}

// The crossing of f -> q with the other polygon's outline that lies nearest
// f, judged on the exact crossings (two may round to the same point), with
// the indexes of the vertices before (o) and after (u) it on the hit side, as
// IntersectSegmentPolyline gives them. Where a side runs along f -> q the
// rounded crossings of IntersectSegmentPolyline decide.
bool FirstCrossing(const CPoint& f, const CPoint& q, const CPointArray& other, POINT& hit, int& o,
                   int& u)
{
    int best = -1;
    long double bestT = 2.0L;
    for (int j = 0; j + 1 < other.GetCount(); ++j) {
        long double t;
        bool parallel = false;
        if (CrossingPosition(f, q, other[j], other[j + 1], t, &parallel)) {
            if (t < bestT) {
                bestT = t;
                best = j;
            }
        } else if (parallel) {
            POINT g;
            if (IntersectOrthoSegments(CLineSeg(f, q), CLineSeg(other[j], other[j + 1]), g))
                return IntersectSegmentPolyline(CLineSeg(f, q), other.GetData(), other.GetCount(),
                                                true, hit, &o, &u);
        }
    }
    if (best < 0 || !IntersectOrthoSegments(CLineSeg(f, q), CLineSeg(other[best], other[best + 1]), hit))
        return false;
    // A crossing on a vertex belongs to the sides on both sides of it.
    o = CPoint(hit) == other[best] ? NextPolyIndex(other, best, true) : best;
    u = CPoint(hit) == other[best + 1] ? NextPolyIndex(other, best + 1, false) : best + 1;
    return true;
}

// Whether the point lies inside the polygon as a geometric figure rather than
// as filled pixels (ContainsPt samples the pixel's centre, so a vertex just
// inside a slanted side can count as outside). A point on the outline is
// judged by ContainsPt.
bool InsideExactly(const CPointArray& poly, const CPoint& p)
{
    int winding = 0;
    for (int i = 0; i + 1 < poly.GetCount(); ++i) {
        const CPoint& a = poly[i];
        const CPoint& b = poly[i + 1];
        const __int128 cross = __int128(int64_t(b.x) - a.x) * (int64_t(p.y) - a.y) -
                               __int128(int64_t(p.x) - a.x) * (int64_t(b.y) - a.y);
        if (cross == 0 && p.x >= std::min(a.x, b.x) && p.x <= std::max(a.x, b.x) &&
            p.y >= std::min(a.y, b.y) && p.y <= std::max(a.y, b.y))
            return poly.ContainsPt(p);
        if (a.y <= p.y) {
            if (b.y > p.y && cross > 0)
                ++winding;
        } else if (b.y <= p.y && cross < 0) {
            --winding;
        }
    }
    return winding != 0;
}

// Whether the trace, which met the other polygon at h on its way along the
// current polygon's side f -> q, may go on along the other polygon's side
// towards its vertex v: v must lie outside the current polygon, and the side,
// followed from v, must meet the current polygon's outline first on f -> q.
// The side is taken whole (from v to its far end, or to h when h is a vertex)
// and its crossings are compared exactly, since two crossings may round to
// the same point. A side that meets the outline nowhere has no earlier
// crossing. Where the two sides run along each other, the rounded crossing
// nearest v must be h itself.
bool QualifiesAsExit(const CPointArray& current, const CPoint& v, const CPoint& h,
                     const CPoint& far, const CPoint& f, const CPoint& q)
{
    if (InsideExactly(current, v))
        return false;
    long double first = 2.0L, onTrace = 3.0L;
    bool traceParallel = false;
    for (int j = 0; j + 1 < current.GetCount(); ++j) {
        const CPoint& a = current[j];
        const CPoint& b = current[j + 1];
        const bool traceSide = (a == f && b == q) || (a == q && b == f);
        long double t;
        bool parallel = false;
        if (CrossingPosition(v, far, a, b, t, &parallel)) {
            first = std::min(first, t);
            if (traceSide)
                onTrace = std::min(onTrace, t);
        }
        traceParallel = traceParallel || (traceSide && parallel);
    }
    if (traceParallel) {
        POINT g;
        if (!IntersectSegmentPolyline(CLineSeg(v, far), current.GetData(), current.GetCount(),
                                      true, g, nullptr, nullptr))
            return true;
        return CPoint(g) == h;
    }
    if (first > 1.0L)
        return true;
    return onTrace <= first + 1e-15L;
}

CRect BoundsUnion(const RECT& a, const RECT& b)
{
    return CRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
                 std::max(a.bottom, b.bottom));
}

// Which way a closed run turns: the sign of its area (1, -1, or 0 for none).
int Turn(const CPointArray& poly)
{
    __int128 sum = 0;
    for (int i = 0; i + 1 < poly.GetCount(); ++i)
        sum += __int128(poly[i].x) * poly[i + 1].y - __int128(poly[i + 1].x) * poly[i].y;
    return sum > 0 ? 1 : (sum < 0 ? -1 : 0);
}

// Which way the trace goes on along the other polygon when both of the hit
// side's vertices lead outwards, as where the polygons touch at a corner:
// the outline turns one way all round, so every piece of either polygon on
// it runs the way that polygon turns as the trace does (forwards along the
// polygon the trace started on). Only a polygon without area leaves it to
// the angles at the hit. True: towards u (forwards).
bool BothWaysOut(const CPointArray& first, const CPointArray& other, const CPoint& f, const POINT& hit, int o,
                 int u)
{
    const int turnFirst = Turn(first), turnOther = Turn(other);
    if (turnFirst != 0 && turnOther != 0)
        return turnFirst == turnOther;
    return std::fabs(AngleAtVertex(f, hit, other[o])) > std::fabs(AngleAtVertex(f, hit, other[u]));
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
        const bool crossed = FirstCrossing(f, q, *oth, hit, o, u);
        bool uOk = false, oOk = false;
        if (crossed) {
            // h on a vertex of the other polygon ends both sides there.
            const bool atVertex = oth->ContainsVertex(hit);
            const CPoint h(hit), pu = (*oth)[u], po = (*oth)[o];
            uOk = QualifiesAsExit(*cur, pu, h, atVertex ? h : po, f, q);
            oOk = QualifiesAsExit(*cur, po, h, atVertex ? h : pu, f, q);
        }
        if (!uOk && !oOk) {
            f = q;
            fi = qi;
        } else {
            if (!AddTracePt(out, hit))
                return false;
            bool towardsU = uOk;
            if (uOk && oOk)
                towardsU = BothWaysOut(first, *oth, f, hit, o, u);
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
    // Outlines running along one line are joined piece by piece: the trace
    // cannot tell which of the two to follow there.
    const bool alongLines = ShareALine(r, other);
    auto join = [&](const CPointArray& first, const CPointArray& second, int start) {
        return alongLines ? JoinAlongSharedLines(first, second, start, kMaxUnionSteps, result)
                          : TraceUnion(first, second, start, result);
    };
    if (const int start = FirstVertexOutside(r, other); start >= 0)
        ok = join(r, other, start);
    else if (const int start2 = FirstVertexOutside(other, r); start2 >= 0)
        ok = join(other, r, start2);
    else
        return true; // each lies on the other: the union is this polygon
    if (!ok)
        return false; // keep this polygon rather than an unclosed outline
    Swap(result);
    return true;
}
