// Intersections of segments with axis lines, rectangles, other segments and
// polylines.
#include "geometry/IntGeometry.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

namespace {
bool InRange(int64_t v, int64_t a, int64_t b)
{
    return v >= std::min(a, b) && v <= std::max(a, b);
}

// The rational num / den rounded to the nearest integer (halves upwards),
// saturated into the int range. den != 0.
int RoundRatio(__int128 num, __int128 den)
{
    if (den < 0) {
        num = -num;
        den = -den;
    }
    __int128 twice = 2 * num + den, q = twice / (2 * den);
    if (twice % (2 * den) != 0 && twice < 0)
        --q; // floor, not truncation
    if (q > INT_MAX)
        return INT_MAX;
    if (q < INT_MIN)
        return INT_MIN;
    return int(q);
}

// The value at v of the line through (va, a) and (vb, b), as the exact
// fraction num / den (den > 0). Which end comes first does not change it, so
// a crossing is the same point whichever way a segment runs. vb != va.
void InterpolateExact(int64_t v, int64_t va, int64_t vb, int64_t a, int64_t b, __int128& num,
                      __int128& den)
{
    num = __int128(a) * (vb - va) + __int128(v - va) * (b - a);
    den = vb - va;
    if (den < 0) {
        num = -num;
        den = -den;
    }
}

bool RangesOverlap(int64_t a1, int64_t a2, int64_t b1, int64_t b2)
{
    return std::max(a1, a2) >= std::min(b1, b2) && std::min(a1, a2) <= std::max(b1, b2);
}

// The value nearest v among b1, b2 (b1 only when strictly nearer).
int64_t NearerEnd(int64_t v, int64_t b1, int64_t b2)
{
    return std::llabs(b1 - v) < std::llabs(b2 - v) ? b1 : b2;
}

// The horizontal cases are the vertical ones with x and y exchanged.
CLineSeg Transposed(const CLineSeg& s)
{
    return CLineSeg(s.y1, s.x1, s.y2, s.x2);
}

CPoint Transposed(const POINT& p)
{
    return CPoint(p.y, p.x);
}

// Crossing of a vertical seg1 with seg2 (any direction). Collinear vertical
// segments meet at seg1's start when it lies on seg2, else at seg2's nearer end.
bool IntersectVerticalWith(const CLineSeg& s1, const CLineSeg& s2, POINT& out)
{
    if (!s2.IsVerticalSeg()) {
        POINT pt{s1.x1, 0};
        if (!IntersectSegWithVertLine(s2, std::min(s1.y1, s1.y2), std::max(s1.y1, s1.y2), pt))
            return false;
        out = pt;
        return true;
    }
    if (s1.x1 != s2.x1 || !RangesOverlap(s1.y1, s1.y2, s2.y1, s2.y2))
        return false;
    const int64_t y = InRange(s1.y1, s2.y1, s2.y2) ? s1.y1 : NearerEnd(s1.y1, s2.y1, s2.y2);
    out = CPoint(s1.x1, int(y));
    return true;
}

bool IntersectHorizontalWith(const CLineSeg& s1, const CLineSeg& s2, POINT& out)
{
    POINT t;
    if (!IntersectVerticalWith(Transposed(s1), Transposed(s2), t))
        return false;
    out = Transposed(t);
    return true;
}

// IntersectAxisSegWithSeg for a vertical s1.
int VerticalSegWithSeg(const CLineSeg& s1, const CLineSeg& s2, POINT out[2])
{
    if (s2.IsVerticalSeg()) {
        // Collinear overlap: seg2's ends, kept on seg1.
        if (s1.x1 != s2.x1 || !RangesOverlap(s1.y1, s1.y2, s2.y1, s2.y2))
            return 0;
        const int lo = std::min(s1.y1, s1.y2), hi = std::max(s1.y1, s1.y2);
        out[0] = CPoint(s1.x1, std::clamp(s2.y1, lo, hi));
        out[1] = CPoint(s1.x1, std::clamp(s2.y2, lo, hi));
        return 2;
    }
    if (s2.IsHorizontalSeg()) {
        // Both ranges count: a crossing must lie on both segments.
        if (!InRange(s1.x1, s2.x1, s2.x2) || !InRange(s2.y1, s1.y1, s1.y2))
            return 0;
        out[0] = CPoint(s1.x1, s2.y1);
        return 1;
    }
    return IntersectVerticalWith(s1, s2, out[0]) ? 1 : 0;
}

// Crossing of two slanted segments: the exact crossing of the two lines,
// which must lie on both segments, rounded once. The same point whichever
// segment comes first and whichever way each runs; parallel segments fail.
bool IntersectSlanted(const CLineSeg& s1, const CLineSeg& s2, POINT& out)
{
    ExactCrossing c;
    if (!CrossSegmentsExactly(s1, s2, c))
        return false;
    const __int128 rx = int64_t(s1.x2) - s1.x1, ry = int64_t(s1.y2) - s1.y1;
    out = CPoint(RoundRatio(__int128(s1.x1) * c.den + c.t * rx, c.den),
                 RoundRatio(__int128(s1.y1) * c.den + c.t * ry, c.den));
    return true;
}

// One step along a run of count points, wrapping around a closed outline
// (whose last point repeats the first) and stopping at the ends of an open one.
int StepIndex(int index, bool backwards, int count, bool closed)
{
    if (backwards) {
        if (index > 0)
            return index - 1;
        return closed ? std::max(count - 2, 0) : 0;
    }
    if (index < count - 1)
        return index + 1;
    return closed ? std::min(1, count - 1) : count - 1;
}

struct PolylineHit {
    CPoint pt;
    int index;
};
} // namespace

bool SegBoxOverlapsRect(const CLineSeg& seg, const RECT& rc)
{
    if (seg.x1 < rc.left && seg.x2 < rc.left)
        return false;
    if (seg.x1 > rc.right && seg.x2 > rc.right)
        return false;
    if (seg.y1 < rc.top && seg.y2 < rc.top)
        return false;
    if (seg.y1 > rc.bottom && seg.y2 > rc.bottom)
        return false;
    return true;
}

bool IntersectSegWithHorzLine(const CLineSeg& seg, int xmin, int xmax, POINT& pt)
{
    POINT t = Transposed(pt);
    if (!IntersectSegWithVertLine(Transposed(seg), xmin, xmax, t))
        return false;
    pt = Transposed(t);
    return true;
}

bool IntersectSegWithVertLine(const CLineSeg& seg, int ymin, int ymax, POINT& pt)
{
    if (!RangesOverlap(seg.y1, seg.y2, ymin, ymax) || !InRange(pt.x, seg.x1, seg.x2))
        return false;
    if (seg.IsVerticalSeg()) {
        pt.y = std::max(ymin, std::min(seg.y1, seg.y2));
        return true;
    }
    // The exact crossing must lie in the range; it is rounded once, so that
    // both directions of a segment give the same point.
    __int128 num, den;
    InterpolateExact(pt.x, seg.x1, seg.x2, seg.y1, seg.y2, num, den);
    if (num < __int128(ymin) * den || num > __int128(ymax) * den)
        return false;
    pt.y = RoundRatio(num, den);
    return true;
}

bool IntersectSegmentRect(const CLineSeg& seg, const RECT& rc, POINT& hit)
{
    CPoint hits[4];
    int n = 0;
    // A corner is met by two sides; it counts once, or the rule below would
    // take the same corner as the second hit.
    const auto collect = [&](const POINT& pt) {
        if (std::find(hits, hits + n, CPoint(pt)) == hits + n)
            hits[n++] = pt;
    };
    POINT pt{0, rc.top};
    if (IntersectSegWithHorzLine(seg, rc.left, rc.right, pt))
        collect(pt);
    pt = POINT{0, rc.bottom};
    if (IntersectSegWithHorzLine(seg, rc.left, rc.right, pt))
        collect(pt);
    pt = POINT{rc.left, 0};
    if (IntersectSegWithVertLine(seg, rc.top, rc.bottom, pt))
        collect(pt);
    pt = POINT{rc.right, 0};
    if (IntersectSegWithVertLine(seg, rc.top, rc.bottom, pt))
        collect(pt);
    if (n == 0)
        return false;
    if (n == 1) {
        hit = hits[0];
        return true;
    }
    const CPoint p1 = seg.Start(), p2 = seg.End();
    if (hits[0] == p1 || hits[0] == p2)
        hit = hits[1];
    else
        hit = PtDistance(p1, hits[0]) > PtDistance(p1, hits[1]) ? hits[1] : hits[0];
    return true;
}

int NearestRectHitBySegment(const POINT& p1, const POINT& p2, const RECT* rects, int count,
                            POINT& hit)
{
    return NearestRectHitBySegmentSkipping(p1, p2, rects, count, nullptr, hit);
}

int NearestRectHitBySegmentSkipping(const POINT& p1, const POINT& p2, const RECT* rects,
                                    int count, const char* skip, POINT& hit)
{
    if (!rects || count <= 0)
        return -1;
    int best = -1;
    double bestDist = 99999999.0;
    const CLineSeg seg(p1, p2);
    for (int i = 0; i < count; ++i) {
        POINT pt;
        if ((skip && skip[i]) || !IntersectSegmentRect(seg, rects[i], pt))
            continue;
        const double d = PtDistance(p1, pt);
        if (d < bestDist) {
            bestDist = d;
            best = i;
            hit = pt;
        }
    }
    return best;
}

int FindRectContainingPt(const POINT& pt, const RECT* rects, int count)
{
    if (!rects)
        return -1;
    for (int i = 0; i < count; ++i) {
        if (CRect(rects[i]).PtInRect(pt))
            return i;
    }
    return -1;
}

bool CrossSegmentsExactly(const CLineSeg& s1, const CLineSeg& s2, ExactCrossing& out,
                          bool* pParallel)
{
    const __int128 rx = int64_t(s1.x2) - s1.x1, ry = int64_t(s1.y2) - s1.y1;
    const __int128 sx = int64_t(s2.x2) - s2.x1, sy = int64_t(s2.y2) - s2.y1;
    const __int128 qx = int64_t(s2.x1) - s1.x1, qy = int64_t(s2.y1) - s1.y1;
    __int128 den = rx * sy - ry * sx;
    if (pParallel)
        *pParallel = den == 0;
    if (den == 0)
        return false;
    __int128 t = qx * sy - qy * sx, u = qx * ry - qy * rx;
    if (den < 0) {
        den = -den;
        t = -t;
        u = -u;
    }
    if (t < 0 || t > den || u < 0 || u > den)
        return false;
    out = ExactCrossing{t, u, den};
    return true;
}

bool IntersectOrthoSegments(const CLineSeg& seg1, const CLineSeg& seg2, POINT& out)
{
    if (seg1.IsVerticalSeg())
        return IntersectVerticalWith(seg1, seg2, out);
    if (seg1.IsHorizontalSeg())
        return IntersectHorizontalWith(seg1, seg2, out);
    if (seg2.IsVerticalSeg())
        return IntersectVerticalWith(seg2, seg1, out);
    if (seg2.IsHorizontalSeg())
        return IntersectHorizontalWith(seg2, seg1, out);
    return IntersectSlanted(seg1, seg2, out);
}

int IntersectAxisSegWithSeg(const CLineSeg& s1, const CLineSeg& s2, POINT out[2])
{
    if (s1.IsVerticalSeg())
        return VerticalSegWithSeg(s1, s2, out);
    if (!s1.IsHorizontalSeg())
        return 0;
    const int n = VerticalSegWithSeg(Transposed(s1), Transposed(s2), out);
    for (int i = 0; i < n; ++i)
        out[i] = Transposed(out[i]);
    return n;
}

bool IntersectSegmentPolyline(const CLineSeg& seg, const POINT* pts, int count, bool preferStart,
                              POINT& hit, int* pBefore, int* pAfter)
{
    if (!pts || count < 2)
        return false;
    std::vector<PolylineHit> hits;
    for (int i = 0; i + 1 < count && hits.size() < 4; ++i) {
        POINT pt;
        if (IntersectOrthoSegments(seg, CLineSeg(pts[i], pts[i + 1]), pt))
            hits.push_back({pt, i});
    }
    if (hits.empty())
        return false;
    size_t chosen = 0;
    if (hits.size() > 1) {
        const CPoint centre = RectCenterPt(BoundsOfPts(pts, count));
        CPoint ref = seg.Start();
        if (!preferStart && PtDistance(seg.Start(), centre) < PtDistance(seg.End(), centre))
            ref = seg.End();
        double best = 2147483647.0;
        for (size_t i = 0; i < hits.size(); ++i) {
            const double d = PtDistance(ref, hits[i].pt);
            if (d < best) {
                best = d;
                chosen = i;
            }
        }
    }
    const PolylineHit& h = hits[chosen];
    hit = h.pt;
    const bool closed = CPoint(pts[0]) == CPoint(pts[count - 1]);
    if (pBefore) {
        // A crossing on the side's first vertex belongs to the side before it.
        *pBefore = h.pt == CPoint(pts[h.index]) ? StepIndex(h.index, true, count, closed)
                                                : h.index;
    }
    if (pAfter) {
        const int after = h.index + 1;
        *pAfter = h.pt == CPoint(pts[after]) ? StepIndex(after, false, count, closed) : after;
    }
    return true;
}

void CollectSegPolygonHits(const POINT* pts, int count, const CLineSeg& seg, POINT* hits,
                           int& nHits, int limit)
{
    if (!pts || !hits || count <= 3 || nHits < 0 || nHits >= limit)
        return;
    for (int i = 0; i + 1 < count && nHits < limit; ++i) {
        POINT two[2];
        const int n = IntersectAxisSegWithSeg(seg, CLineSeg(pts[i], pts[i + 1]), two);
        for (int k = 0; k < n && nHits < limit; ++k)
            hits[nHits++] = two[k];
    }
}
