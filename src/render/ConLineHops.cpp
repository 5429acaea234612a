#include "render/ConLineHops.h"

#include "geometry/IntGeometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

namespace {

// 32 / 3.14159: the slope angle in table steps, with the program's pi.
constexpr double kAngleToIndex = 10.18592496156405;
// A hop over a corner needs the line to bend less than this (150 degrees in
// the program's angle units).
constexpr double kMinCornerHopAngle = 2.6179916666666667;
constexpr int kTableRadius = 500;

std::array<POINT, kCirclePts> BuildCircle()
{
    std::array<POINT, kCirclePts> table{};
    for (int k = 0; k < kCirclePts; ++k) {
        const double phi = std::numbers::pi + 2.0 * std::numbers::pi * k / kCirclePts;
        table[size_t(k)] = POINT{int(std::lround(kTableRadius + kTableRadius * std::cos(phi))),
                                 int(std::lround(kTableRadius + kTableRadius * std::sin(phi)))};
    }
    return table;
}

POINT TablePoint(int k, const POINT& centre, int radius)
{
    const POINT p = HopCircleTable()[size_t(((k % kCirclePts) + kCirclePts) % kCirclePts)];
    return POINT{centre.x + radius * (p.x - kTableRadius) / kTableRadius,
                 centre.y + radius * (p.y - kTableRadius) / kTableRadius};
}

bool Same(const POINT& a, const POINT& b)
{
    return a.x == b.x && a.y == b.y;
}

double Dist(const POINT& a, const POINT& b)
{
    return std::hypot(double(a.x) - b.x, double(a.y) - b.y);
}

// The point where segment a-b (a inside the circle about c of radius r, b on
// or outside it) meets the circle.
POINT CircleCut(const POINT& a, const POINT& b, const POINT& c, int r)
{
    const double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
    const double fx = double(a.x) - c.x, fy = double(a.y) - c.y;
    const double qa = dx * dx + dy * dy, qb = 2 * (fx * dx + fy * dy), qc = fx * fx + fy * fy - double(r) * r;
    const double disc = std::max(0.0, qb * qb - 4 * qa * qc);
    const double t = qa > 0 ? std::clamp((-qb + std::sqrt(disc)) / (2 * qa), 0.0, 1.0) : 0.0;
    return POINT{int(std::lround(a.x + t * dx)), int(std::lround(a.y + t * dy))};
}

// Angle at x between the directions to a and b, in radians.
double AngleAt(const POINT& x, const POINT& a, const POINT& b)
{
    const double ax = double(a.x) - x.x, ay = double(a.y) - x.y;
    const double bx = double(b.x) - x.x, by = double(b.y) - x.y;
    const double la = std::hypot(ax, ay), lb = std::hypot(bx, by);
    if (la == 0 || lb == 0)
        return 0;
    return std::acos(std::clamp((ax * bx + ay * by) / (la * lb), -1.0, 1.0));
}

class HopWriter {
public:
    HopWriter(POINT* buffer) : m_buf(buffer) {}
    bool Add(const POINT& p)
    {
        if (m_count > 0 && Same(m_buf[m_count - 1], p))
            return true;
        if (m_count >= kMaxHopPts)
            return false;
        m_buf[m_count++] = p;
        return true;
    }
    // The arc from f to t about x, leaving out points equal to t or to the
    // last point added, then t.
    bool Hop(const POINT& f, const POINT& t, const POINT& x, int r)
    {
        std::array<POINT, 2 * kCirclePts + 1> arc{};
        const int n = MakeHopArc(arc.data(), f, t, x, r);
        bool ok = Add(f);
        for (int i = 0; i < n && ok; ++i)
            if (!Same(arc[size_t(i)], t))
                ok = Add(arc[size_t(i)]);
        return ok && Add(t);
    }
    int Count() const { return m_count; }
    const POINT& Last() const { return m_buf[m_count - 1]; }
    void Pop() { --m_count; }

private:
    POINT* m_buf;
    int m_count = 0;
};

} // namespace

const POINT* HopCircleTable()
{
    static const std::array<POINT, kCirclePts> table = BuildCircle();
    return table.data();
}

int MakeHopArc(POINT* out, const POINT& from, const POINT& to, const POINT& centre, int radius)
{
    int first = 0, step = 1;
    if (from.y == to.y) {
        first = to.x >= from.x ? 0 : 32;
        step = to.x >= from.x ? 1 : -1;
    } else if (from.x == to.x) {
        first = to.y >= from.y ? 16 : 48;
        step = to.y >= from.y ? 1 : -1;
    } else {
        const double slope = (double(to.y) - from.y) / (double(to.x) - from.x);
        const int h = int(std::atan(std::fabs(slope)) * kAngleToIndex + 0.5);
        int o = 32 + h;
        if (to.x >= from.x && to.y >= from.y)
            o = h;
        else if (to.x > from.x && to.y < from.y)
            o = 64 - h;
        else if (to.x < from.x && to.y > from.y)
            o = 32 - h;
        const bool alongX = std::abs(to.x - from.x) >= std::abs(to.y - from.y);
        const bool forward = alongX ? to.x >= from.x : to.y >= from.y;
        step = forward ? 1 : -1;
        first = o + step;
        for (int i = 0; i < 32; ++i)
            out[i] = TablePoint(first + step * i, centre, radius);
        return 32;
    }
    for (int i = 0; i <= 32; ++i)
        out[i] = TablePoint(first + step * i, centre, radius);
    return 33;
}

int AddLineHops(const CPointArray& line, CPointArray& out, const POINT* crossings,
                int crossingCount, const int* segmentOfCrossing, int radius)
{
    const int n = line.GetCount();
    if (n < 2 || crossingCount < 1 || !crossings || !segmentOfCrossing ||
        radius < kMinHopRadius || radius > kMaxHopRadius ||
        n + 2 * (long long)crossingCount > kMaxHopPts)
        return -1;
    // One a thread: export bands are drawn on several.
    static thread_local std::array<CPoint, kMaxHopPts> buffer;
    HopWriter w(buffer.data());
    int c = 0;
    bool ok = true;
    for (int i = 0; i + 1 < n && ok; ++i) {
        const POINT s = line[i], e = line[i + 1];
        ok = w.Add(s);
        while (c < crossingCount && segmentOfCrossing[c] < i)
            ++c;
        for (; ok && c < crossingCount && segmentOfCrossing[c] == i; ++c) {
            const POINT x = crossings[c];
            if (Dist(x, s) > radius && Dist(x, e) > radius) {
                ok = w.Hop(PtAlongLine(x, s, radius), PtAlongLine(x, e, radius), x, radius);
                continue;
            }
            // A hop over a corner: cut the polyline where it leaves the circle
            // on both sides, and hop only where the line bends little.
            int back = w.Count() - 1;
            while (back > 0 && Dist(buffer[size_t(back)], x) < radius)
                --back;
            int fwd = i + 1;
            while (fwd < n && Dist(line[fwd], x) < radius)
                ++fwd;
            if (back < 0 || Dist(buffer[size_t(back)], x) < radius || fwd >= n)
                continue;
            const POINT inner = back + 1 < w.Count() ? POINT(buffer[size_t(back + 1)]) : x;
            const POINT cutBack = CircleCut(inner, buffer[size_t(back)], x, radius);
            const POINT cutFwd = CircleCut(fwd > 0 ? line[fwd - 1] : x, line[fwd], x, radius);
            if (AngleAt(x, cutBack, cutFwd) <= kMinCornerHopAngle)
                continue;
            while (w.Count() > back + 1)
                w.Pop();
            ok = w.Hop(cutBack, cutFwd, x, radius);
            // The walk goes on from the first line point beyond the hop.
            // (crossings on the skipped segments are passed over there).
            i = fwd - 1;
            break;
        }
    }
    if (!ok || !w.Add(line[n - 1]))
        return -1;
    out.Attach(buffer.data(), w.Count(), kMaxHopPts);
    return w.Count();
}
