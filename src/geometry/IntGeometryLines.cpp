// Distances, slopes, angles, perpendicular feet, hit tests against segments
// and axis snapping.
#include "geometry/IntGeometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>

namespace {
int64_t Abs64(int64_t v)
{
    return v < 0 ? -v : v;
}

bool Between(int64_t v, int64_t a, int64_t b)
{
    return v >= std::min(a, b) && v <= std::max(a, b);
}
} // namespace

double PtDistance(const POINT& a, const POINT& b)
{
    const double dx = double(b.x) - a.x, dy = double(b.y) - a.y;
    return std::sqrt(dx * dx + dy * dy);
}

int PtDistanceRounded(const POINT& a, const POINT& b)
{
    return RoundAddHalf(PtDistance(a, b));
}

int PtDistanceFast(const POINT& a, const POINT& b)
{
    // factor[i] = 256 / cos(atan(i / 16)), i.e. 256 * sqrt(1 + (i/16)^2), rounded.
    static const std::array<int, 17> factors = [] {
        std::array<int, 17> t{};
        t[0] = 256;
        for (int i = 1; i <= 16; ++i)
            t[i] = RoundAddHalf(256.0 / std::cos(std::atan(i * 0.0625)));
        return t;
    }();
    const int64_t dx = Abs64(int64_t(a.x) - b.x), dy = Abs64(int64_t(a.y) - b.y);
    const int64_t larger = std::max(dx, dy), smaller = std::min(dx, dy);
    if (smaller == 0)
        return SaturateInt(larger);
    // The ratio smaller/larger in sixteenths, rounded: always 0..16.
    const int64_t index = (larger / 2 + smaller * 16) / larger;
    const int factor = factors[size_t(index)];
    if (factor == 256)
        return SaturateInt(larger);
    return SaturateInt(larger * factor / 256);
}

double LineSlope(const POINT& a, const POINT& b)
{
    if (a.x == b.x)
        return 0.0;
    return (double(b.y) - a.y) / (double(b.x) - a.x);
}

double SlopeRatio(const POINT& a, const POINT& b, bool* pMostlyHorizontal)
{
    const int64_t dx = Abs64(int64_t(b.x) - a.x), dy = Abs64(int64_t(b.y) - a.y);
    if (pMostlyHorizontal)
        *pMostlyHorizontal = dy < dx;
    if (dx == 0 || dy == 0)
        return 0.0;
    return double(std::max(dx, dy)) / double(std::min(dx, dy));
}

bool IsNearlyHorizontal(const POINT& a, const POINT& b, double ratio)
{
    if (a.y == b.y)
        return true;
    bool mostlyHorizontal = false;
    const double r = SlopeRatio(a, b, &mostlyHorizontal);
    return mostlyHorizontal && r > ratio;
}

bool IsSteepWithinRatio(const POINT& a, const POINT& b, double ratio)
{
    if (a.x == b.x)
        return true;
    bool mostlyHorizontal = false;
    const double r = SlopeRatio(a, b, &mostlyHorizontal);
    return !mostlyHorizontal && r < ratio;
}

double LineAngle(const POINT& p1, const POINT& p2)
{
    if (p1.x == p2.x)
        return p2.y < p1.y ? 0.0 : kGeomPi;
    if (p1.y == p2.y)
        return p1.x < p2.x ? kGeomHalfPi : kGeomThreeHalfPi;
    const double m = std::atan(std::fabs(double(p2.y) - p1.y) / std::fabs(double(p2.x) - p1.x));
    if (p1.x < p2.x)
        return p2.y >= p1.y ? kGeomHalfPi + m : kGeomHalfPi - m;
    return p2.y < p1.y ? kGeomThreeHalfPi + m : kGeomThreeHalfPi - m;
}

double AngleAtVertex(const POINT& a, const POINT& b, const POINT& c)
{
    const CPoint pa(a), pb(b), pc(c);
    if (pa == pc)
        return 0.0;
    if (pa == pb || pb == pc)
        return kGeomPi;
    const double ab = PtDistance(a, b), bc = PtDistance(b, c), ac = PtDistance(a, c);
    const double denom = 2.0 * bc * ab;
    if (denom == 0.0)
        return 0.0;
    // Rounding can carry the cosine of a straight angle just past -1 (and of
    // a null angle past 1); acos would then give NaN.
    const double cosine = std::clamp((bc * bc + ab * ab - ac * ac) / denom, -1.0, 1.0);
    return std::acos(cosine);
}

double TriangleBendRatio(const POINT& a, const POINT& b, const POINT& c)
{
    double sides[3] = {PtDistance(a, b), PtDistance(b, c), PtDistance(c, a)};
    std::sort(sides, sides + 3);
    const double longest = sides[2];
    if (longest == 0.0)
        return 0.0;
    return std::fabs(longest - (sides[0] + sides[1])) / longest;
}

bool IsCollinear(const POINT& a, const POINT& b, const POINT& c)
{
    return TriangleBendRatio(a, b, c) < 0.005;
}

CPoint PtAlongLine(const POINT& p1, const POINT& p2, int distance)
{
    if (p1.x == p2.x) {
        if (p1.y == p2.y)
            return p1;
        return {p1.x, SaturateInt(p2.y > p1.y ? int64_t(p1.y) + distance
                                              : int64_t(p1.y) - distance)};
    }
    if (p1.y == p2.y)
        return {SaturateInt(p2.x > p1.x ? int64_t(p1.x) + distance : int64_t(p1.x) - distance),
                p1.y};
    const double dx = double(p2.x) - p1.x, dy = double(p2.y) - p1.y;
    const double len = std::sqrt(dx * dx + dy * dy);
    return {SaturateInt(p1.x + int64_t(RoundAddHalf(distance / len * dx))),
            SaturateInt(p1.y + int64_t(RoundAddHalf(distance / len * dy)))};
}

CPoint PtAtAngle(int x, int y, double angle, double distance)
{
    int64_t px = x, py = y;
    if (angle == 0.0 || angle == kGeomTwoPi) {
        py -= RoundAddHalf(distance);
    } else if (angle == kGeomPi) {
        py += RoundAddHalf(distance);
    } else if (angle == kGeomHalfPi) {
        px += RoundAddHalf(distance);
    } else if (angle == kGeomThreeHalfPi) {
        px -= RoundAddHalf(distance);
    } else if (angle < kGeomHalfPi) {
        const double h = kGeomHalfPi - angle;
        px += RoundAddHalf(distance * std::cos(h));
        py -= RoundAddHalf(distance * std::sin(h));
    } else if (angle < kGeomPi) {
        const double h = angle - kGeomHalfPi;
        px += RoundAddHalf(distance * std::cos(h));
        py += RoundAddHalf(distance * std::sin(h));
    } else if (angle >= kGeomThreeHalfPi) {
        const double h = angle - kGeomThreeHalfPi;
        px -= RoundAddHalf(distance * std::cos(h));
        py -= RoundAddHalf(distance * std::sin(h));
    } else {
        const double h = kGeomThreeHalfPi - angle;
        px -= RoundAddHalf(distance * std::cos(h));
        py += RoundAddHalf(distance * std::sin(h));
    }
    return {SaturateInt(px), SaturateInt(py)};
}

double EllipseHalfWidthAtY(const RECT& rc, double y)
{
    const double w = double(rc.right) - rc.left, h = double(rc.bottom) - rc.top;
    const double cy = (double(rc.top) + rc.bottom) / 2.0;
    if (y == cy || h == 0.0)
        return w / 2.0;
    if (!(y > rc.top && y < rc.bottom) || w == 0.0)
        return 0.0;
    const double t = y - cy, hh = h / 2.0, hw = w / 2.0;
    return std::sqrt((1.0 - t * t / (hh * hh)) * (hw * hw));
}

CPoint ProjectPtOnLine(const POINT& p, const POINT& a, const POINT& b, bool clamp)
{
    CPoint foot;
    if (a.x == b.x) {
        foot = CPoint(a.x, p.y);
    } else if (a.y == b.y) {
        foot = CPoint(p.x, a.y);
    } else {
        const double m = LineSlope(a, b);
        const double x = (p.y + p.x / m - (a.y - m * a.x)) / (m + 1.0 / m);
        foot = CPoint(RoundAddHalf(x), RoundAddHalf(a.y + m * (x - a.x)));
    }
    if (clamp) {
        foot.x = std::clamp(foot.x, std::min(a.x, b.x), std::max(a.x, b.x));
        foot.y = std::clamp(foot.y, std::min(a.y, b.y), std::max(a.y, b.y));
    }
    const auto within1 = [&foot](const POINT& end) {
        return Abs64(int64_t(foot.x) - end.x) <= 1 && Abs64(int64_t(foot.y) - end.y) <= 1;
    };
    if (within1(a))
        return a;
    if (within1(b))
        return b;
    return foot;
}

int PtSegmentDistance(const POINT& p, const POINT& a, const POINT& b)
{
    return RoundAddHalf(PtDistance(p, ProjectPtOnLine(p, a, b, true)));
}

int PtRectOutlineDistance(const POINT& p, const RECT& rc)
{
    if (CRect(rc).PtInRect(p))
        return 0;
    const CPoint tl(rc.left, rc.top), tr(rc.right, rc.top);
    const CPoint bl(rc.left, rc.bottom), br(rc.right, rc.bottom);
    return std::min({PtSegmentDistance(p, tl, tr), PtSegmentDistance(p, bl, br),
                     PtSegmentDistance(p, tl, bl), PtSegmentDistance(p, tr, br)});
}

int SideOfLine(const POINT& p, const CLineSeg& seg)
{
    const auto compare = [](double v, double line) { return v < line ? 1 : v > line ? 2 : 0; };
    if (seg.IsHorizontalSeg())
        return compare(p.y, seg.y1);
    if (seg.IsVerticalSeg())
        return compare(p.x, seg.x1);
    const double dx = double(seg.x2) - seg.x1, dy = double(seg.y2) - seg.y1;
    if (std::fabs(dx) >= std::fabs(dy))
        return compare(p.y, seg.y1 + (double(p.x) - seg.x1) * dy / dx);
    return compare(p.x, seg.x1 + (double(p.y) - seg.y1) * dx / dy);
}

bool IsPtBetweenOnLine(const POINT& a, const POINT& b, const POINT& c)
{
    const auto strictlyBetween = [](int64_t v, int64_t lo, int64_t hi) {
        return (lo < v && v < hi) || (hi < v && v < lo);
    };
    if (a.x == c.x)
        return b.x == a.x && strictlyBetween(b.y, a.y, c.y);
    if (a.y == c.y)
        return b.y == a.y && strictlyBetween(b.x, a.x, c.x);
    // A slanted line: b must move monotonically from a towards c on both axes
    // and continue a's slope towards c.
    if (!strictlyBetween(b.x, a.x, c.x) || !strictlyBetween(b.y, a.y, c.y))
        return false;
    return LineSlope(a, b) == LineSlope(a, c);
}

bool PtOnSegment(const POINT& a, const POINT& p, const POINT& b, int tol)
{
    if (tol < 0)
        return false;
    if (tol == 0)
        return IsPtBetweenOnLine(a, p, b);
    bool near;
    if (a.x == b.x && Between(p.y, a.y, b.y)) {
        near = Abs64(int64_t(p.x) - b.x) <= tol;
    } else if (a.y == b.y && Between(p.x, a.x, b.x)) {
        near = Abs64(int64_t(p.y) - b.y) <= tol;
    } else {
        const CPoint f = ProjectPtOnLine(p, a, b, true);
        if (tol == 1)
            near = Abs64(int64_t(f.x) - p.x) <= 1 && Abs64(int64_t(f.y) - p.y) <= 1;
        else
            near = PtDistance(f, p) <= tol;
    }
    if (!near)
        return false;
    const double len = PtDistance(a, b);
    return PtDistance(p, b) <= len && PtDistance(p, a) <= len;
}

namespace {
// PtNearSegment with the axes named for a segment that runs mostly along
// "u" (the other axis is "v"). All values are in that frame; the foot comes
// back in it too.
struct AxisFrame {
    int64_t pu, pv, au, av, bu, bv;
};

bool NearAlongMajor(const AxisFrame& f, int tol, bool* pProject, int64_t* pFootU,
                    int64_t* pFootV)
{
    const int64_t du = f.bu - f.au, dv = f.bv - f.av;
    if ((f.pu < f.au && f.pu < f.bu) || (f.pu > f.au && f.pu > f.bu))
        return false; // beyond both ends along the segment
    if (dv != 0 && Abs64(dv) * 512 >= Abs64(du)) {
        // Distance across the segment, measured along the minor axis.
        const double across =
            std::fabs(double(f.pv) - double(f.pu - f.au) * double(dv) / double(du) - double(f.av));
        *pProject = true;
        return std::trunc(across) < tol;
    }
    *pProject = false;
    if (Abs64(f.pv - f.av) >= tol)
        return false;
    int64_t u = f.pu;
    if (Abs64(f.pu - f.au) < 2)
        u = f.au;
    if (Abs64(f.pu - f.bu) < 2)
        u = f.bu;
    *pFootU = u;
    *pFootV = f.av;
    return true;
}
} // namespace

bool PtNearSegment(int px, int py, int x1, int y1, int x2, int y2, int tol, POINT* pFoot)
{
    const int64_t dx = int64_t(x2) - x1, dy = int64_t(y2) - y1;
    const bool steep = Abs64(dx) < Abs64(dy);
    // Work in a frame whose first axis runs along the segment.
    const AxisFrame f = steep ? AxisFrame{py, px, y1, x1, y2, x2} : AxisFrame{px, py, x1, y1, x2, y2};
    bool project = false;
    int64_t footU = 0, footV = 0;
    if (!NearAlongMajor(f, tol, &project, &footU, &footV))
        return false;
    if (pFoot) {
        if (project) {
            *pFoot = ProjectPtOnLine(CPoint(px, py), CPoint(x1, y1), CPoint(x2, y2), true);
        } else {
            const int u = SaturateInt(footU), v = SaturateInt(footV);
            *pFoot = steep ? CPoint(v, u) : CPoint(u, v);
        }
    }
    return true;
}

bool PtNearPolyline(int px, int py, const POINT* pts, int count, int tol, POINT* pFoot)
{
    if (!pts || count <= 1)
        return false;
    for (int i = 0; i + 1 < count; ++i) {
        if (PtNearSegment(px, py, pts[i].x, pts[i].y, pts[i + 1].x, pts[i + 1].y, tol, pFoot))
            return true;
    }
    return false;
}

bool SnapLineToAxis(int ax, int ay, int bx, int by, POINT& out, int limit)
{
    out = CPoint(bx, by);
    const int64_t dx = Abs64(int64_t(ax) - bx), dy = Abs64(int64_t(ay) - by);
    if (dx == 0 || dy == 0)
        return true;
    // The minor difference must be small against the major one.
    const auto snaps = [limit](int64_t minor, int64_t major) {
        if (limit == 0)
            return minor * 20 < major;
        return minor < limit || minor * 80 < major;
    };
    if (dx < dy) {
        out.x = ax;
        return snaps(dx, dy);
    }
    out.y = ay;
    return snaps(dy, dx);
}
