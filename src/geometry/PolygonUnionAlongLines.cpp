// Joining two outlines that run along one line (PolygonUnionAlongLines.h).
#include "geometry/PolygonUnionAlongLines.h"

#include "geometry/CPointArray.h"
#include "geometry/IntGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

namespace {
// A point of 64-bit coordinates: midpoints are judged doubled, which the
// 32-bit range cannot hold.
struct Pt64 {
    int64_t x, y;
    Pt64(int64_t px, int64_t py) : x(px), y(py) {}
    Pt64(const CPoint& p) : x(p.x), y(p.y) {}
    bool operator==(const Pt64& o) const { return x == o.x && y == o.y; }
};

__int128 Cross(const Pt64& a, const Pt64& b, const Pt64& c)
{
    return __int128(b.x - a.x) * (c.y - a.y) - __int128(b.y - a.y) * (c.x - a.x);
}

__int128 Dot(const Pt64& a, const Pt64& b, const Pt64& c, const Pt64& d)
{
    return __int128(b.x - a.x) * (d.x - c.x) + __int128(b.y - a.y) * (d.y - c.y);
}

// Whether p lies on the segment a -> b (ends included).
bool OnSegment(const Pt64& a, const Pt64& b, const Pt64& p)
{
    return Cross(a, b, p) == 0 && p.x >= std::min(a.x, b.x) && p.x <= std::max(a.x, b.x) &&
           p.y >= std::min(a.y, b.y) && p.y <= std::max(a.y, b.y);
}

// Whether the sides a -> b and c -> d lie on one line and share more than a
// point.
bool RunAlong(const CPoint& a, const CPoint& b, const CPoint& c, const CPoint& d)
{
    if (a == b || c == d || Cross(a, b, c) != 0 || Cross(a, b, d) != 0)
        return false;
    const __int128 len = Dot(a, b, a, b);
    const __int128 pc = Dot(a, b, a, c), pd = Dot(a, b, a, d);
    return std::max(pc, pd) > 0 && std::min(pc, pd) < len;
}

// Twice the signed area (positive when the inside lies left of each side).
__int128 DoubleArea(const CPointArray& p)
{
    __int128 sum = 0;
    for (int i = 0; i + 1 < p.GetCount(); ++i)
        sum += __int128(p[i].x) * p[i + 1].y - __int128(p[i + 1].x) * p[i].y;
    return sum;
}

struct Piece {
    CPoint from, to;
    bool used = false;
};

enum class Where { Inside, Outside, AlongSame, AlongAgainst };

// Where the piece a -> b lies against the polygon, judged at its midpoint
// (coordinates doubled so that it stays integer).
Where Locate(const CPoint& a, const CPoint& b, const CPointArray& poly)
{
    const Pt64 m(int64_t(a.x) + b.x, int64_t(a.y) + b.y);
    int winding = 0;
    for (int i = 0; i + 1 < poly.GetCount(); ++i) {
        const Pt64 pa(2 * int64_t(poly[i].x), 2 * int64_t(poly[i].y));
        const Pt64 pb(2 * int64_t(poly[i + 1].x), 2 * int64_t(poly[i + 1].y));
        if (!(pa == pb) && OnSegment(pa, pb, m))
            return Dot(a, b, poly[i], poly[i + 1]) > 0 ? Where::AlongSame : Where::AlongAgainst;
        const __int128 cross = Cross(pa, pb, m);
        if (pa.y <= m.y) {
            if (pb.y > m.y && cross > 0)
                ++winding;
        } else if (pb.y <= m.y && cross < 0) {
            --winding;
        }
    }
    return winding != 0 ? Where::Inside : Where::Outside;
}

// The pieces of p's sides, cut wherever q's outline meets them.
void CutSides(const CPointArray& p, const CPointArray& q, std::vector<std::pair<CPoint, CPoint>>& out)
{
    for (int i = 0; i + 1 < p.GetCount(); ++i) {
        const CPoint a = p[i], b = p[i + 1];
        if (a == b)
            continue;
        std::vector<CPoint> cuts = {a, b};
        for (int j = 0; j + 1 < q.GetCount(); ++j) {
            const CPoint c = q[j], d = q[j + 1];
            POINT hit;
            if (Cross(a, b, c) == 0 && Cross(a, b, d) == 0) {
                for (const CPoint& e : {c, d})
                    if (OnSegment(a, b, e))
                        cuts.push_back(e);
            } else if (IntersectOrthoSegments(CLineSeg(a, b), CLineSeg(c, d), hit)) {
                cuts.push_back(hit);
            }
        }
        std::sort(cuts.begin(), cuts.end(), [&](const CPoint& u, const CPoint& v) {
            return Dot(a, b, a, u) < Dot(a, b, a, v);
        });
        for (size_t k = 0; k + 1 < cuts.size(); ++k)
            if (cuts[k] != cuts[k + 1])
                out.emplace_back(cuts[k], cuts[k + 1]);
    }
}

} // namespace

bool ShareALine(const CPointArray& p, const CPointArray& q)
{
    for (int i = 0; i + 1 < p.GetCount(); ++i)
        for (int j = 0; j + 1 < q.GetCount(); ++j)
            if (RunAlong(p[i], p[i + 1], q[j], q[j + 1]))
                return true;
    return false;
}

bool JoinAlongSharedLines(const CPointArray& first, const CPointArray& second, int start, int maxSteps,
                          CPointArray& out)
{
    CPointArray other;
    if (!other.CopyFrom(second))
        return false;
    const __int128 area = DoubleArea(first);
    if ((area > 0) != (DoubleArea(other) > 0))
        std::reverse(other.GetData(), other.GetData() + other.GetCount());
    std::vector<std::pair<CPoint, CPoint>> cut;
    std::vector<Piece> kept;
    CutSides(first, other, cut);
    for (const auto& [a, b] : cut) {
        const Where w = Locate(a, b, other);
        if (w == Where::Outside || w == Where::AlongSame)
            kept.push_back({a, b});
    }
    cut.clear();
    CutSides(other, first, cut);
    for (const auto& [a, b] : cut)
        if (Locate(a, b, first) == Where::Outside)
            kept.push_back({a, b});

    const CPoint startPt = first[start];
    CPoint at = startPt;
    double headingX = 0, headingY = 0;
    if (!out.Add(startPt))
        return false;
    for (int step = 0; step < maxSteps; ++step) {
        // Where the outlines touch at a point, the turn furthest from the
        // inside keeps to the outer outline.
        Piece* next = nullptr;
        double bestTurn = 0;
        for (Piece& piece : kept) {
            if (piece.used || piece.from != at)
                continue;
            const double dx = double(piece.to.x) - at.x, dy = double(piece.to.y) - at.y;
            const double turn = std::atan2(headingX * dy - headingY * dx, headingX * dx + headingY * dy) *
                                (area > 0 ? 1 : -1);
            if (!next || turn < bestTurn) {
                next = &piece;
                bestTurn = turn;
            }
        }
        if (!next)
            return false;
        next->used = true;
        headingX = double(next->to.x) - at.x;
        headingY = double(next->to.y) - at.y;
        at = next->to;
        if (at == startPt)
            return out.Add(startPt);
        if (!out.Add(at)) // pieces have length: no point repeats the last
            return false;
    }
    return false;
}
