#include "geometry/CPolyPolygon.h"

#include "geometry/IntGeometry.h"

#include <algorithm>
#include <cmath>
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
    // The caller's limit bounds the view, and so does the end of the buffer;
    // the view keeps the caller's limit, so that reusing it for a part nearer
    // the front does not cut that part short.
    const int room = std::max(m_points.GetCapacity() - start, 0);
    const int capacity = std::min(out.GetViewLimit(), room);
    out.Free();
    CPoint* base = m_points.GetData();
    out.AttachView(base ? base + start : nullptr, std::min(m_nCount[index], capacity), capacity);
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
// A stretch of a segment, as positions along it (0 at its start, 1 at its end).
struct Stretch {
    double from;
    double to;
};

// The stretch of the segment a -> b that lies under the rectangle (whose
// right and bottom edges are outside it, as for PtInRect); empty (from >= to)
// when the segment only touches it or misses it.
Stretch StretchUnderRect(const CPoint& a, const CPoint& b, const RECT& rc)
{
    Stretch s{0.0, 1.0};
    const double start[2] = {double(a.x), double(a.y)};
    const double delta[2] = {double(b.x) - a.x, double(b.y) - a.y};
    const double lo[2] = {double(rc.left), double(rc.top)};
    const double hi[2] = {double(rc.right), double(rc.bottom)};
    for (int axis = 0; axis < 2; ++axis) {
        if (delta[axis] == 0) {
            // Running along the axis: under the rectangle on its near edge,
            // not on its far edge.
            if (start[axis] < lo[axis] || start[axis] >= hi[axis])
                return Stretch{1.0, 0.0};
            continue;
        }
        double t0 = (lo[axis] - start[axis]) / delta[axis];
        double t1 = (hi[axis] - start[axis]) / delta[axis];
        if (t0 > t1)
            std::swap(t0, t1);
        s.from = std::max(s.from, t0);
        s.to = std::min(s.to, t1);
    }
    return s;
}

// The stretches of a -> b that no rectangle covers, in order along it.
std::vector<Stretch> VisibleStretches(const CPoint& a, const CPoint& b, const RECT* rects,
                                      int nRects)
{
    std::vector<Stretch> covered;
    for (int i = 0; i < nRects; ++i) {
        const Stretch s = StretchUnderRect(a, b, rects[i]);
        if (s.from < s.to)
            covered.push_back(s);
    }
    std::sort(covered.begin(), covered.end(),
              [](const Stretch& l, const Stretch& r) { return l.from < r.from; });
    std::vector<Stretch> visible;
    double at = 0.0;
    for (const Stretch& c : covered) {
        if (c.from > at)
            visible.push_back({at, c.from});
        at = std::max(at, c.to);
    }
    if (at < 1.0)
        visible.push_back({at, 1.0});
    return visible;
}

// The point at position t along a -> b, rounded to the nearest unit; the ends
// exactly.
CPoint PointAlong(const CPoint& a, const CPoint& b, double t)
{
    if (t <= 0.0)
        return a;
    if (t >= 1.0)
        return b;
    const double x = a.x + t * (double(b.x) - a.x), y = a.y + t * (double(b.y) - a.y);
    return CPoint(SaturateInt(int64_t(std::floor(x + 0.5))), SaturateInt(int64_t(std::floor(y + 0.5))));
}
} // namespace

// Every stretch of the segment q -> p that lies outside the rectangles becomes
// part of the drawing: one that starts at q continues the open part, the
// others start parts of their own; a stretch that ends before p closes its
// part. So the parts are exactly the segment less the rectangles, however many
// rectangles it enters and leaves.
bool CPolyPolygon::WalkSegment(const CPoint& q, const CPoint& p, const RECT* rects, int nRects,
                               bool& open)
{
    bool continuing = open; // the open part ends at q
    open = false;
    for (const Stretch& s : VisibleStretches(q, p, rects, nRects)) {
        const CPoint from = PointAlong(q, p, s.from), to = PointAlong(q, p, s.to);
        const bool reachesP = s.to >= 1.0;
        if (!(continuing && s.from <= 0.0)) {
            if (from == to && !reachesP)
                continue; // a stretch too short to draw
            if (!StartPart(from))
                return false;
        } else if (from == to && !reachesP) {
            continue; // covered right after q: the open part ends there
        }
        continuing = false;
        if (!AddToPart(to))
            return false;
        open = reachesP;
    }
    return true;
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
    if (n == 1) {
        if (FindRectContainingPt(polyline[0], rects, nRects) < 0)
            StartPart(polyline[0]);
        return m_nParts;
    }
    bool open = false; // the last part ends at the current point and goes on
    for (int k = 1; k < n; ++k) {
        if (!WalkSegment(polyline[k - 1], polyline[k], rects, nRects, open))
            break; // the part table or the buffer is full
    }
    return m_nParts;
}
