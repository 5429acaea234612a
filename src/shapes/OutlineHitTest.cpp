#include "shapes/OutlineHitTest.h"

#include "geometry/SymbolSpace.h"

#include <climits>
#include <cmath>

double DistanceToSegment(double px, double py, double ax, double ay, double bx, double by,
                         double& nx, double& ny)
{
    const double dx = bx - ax;
    const double dy = by - ay;
    const double len2 = dx * dx + dy * dy;
    double t = 0.0;
    if (len2 > 0.0) {
        t = ((px - ax) * dx + (py - ay) * dy) / len2;
        t = t < 0.0 ? 0.0 : (t > 1.0 ? 1.0 : t);
    }
    nx = ax + t * dx;
    ny = ay + t * dy;
    return std::hypot(px - nx, py - ny);
}

namespace {

struct NearestHit {
    double dist = INFINITY;
    double x = 0;
    double y = 0;

    void Segment(const POINT& p, const CFltPoint& a, const CFltPoint& b)
    {
        double nx, ny;
        const double d = DistanceToSegment(p.x, p.y, a.x, a.y, b.x, b.y, nx, ny);
        if (d < dist) {
            dist = d;
            x = nx;
            y = ny;
        }
    }
};

// Collects the segments of one operation; false for operations without lines.
bool MeasureOp(const POINT& pt, BYTE op, const BYTE* payload, NearestHit& n)
{
    switch (op) {
    case kOpRect: {
        const CFltRect r = ReadOutlineRect(payload);
        const CFltPoint c[4] = {{r.left, r.top}, {r.right, r.top}, {r.right, r.bottom}, {r.left, r.bottom}};
        for (int i = 0; i < 4; ++i)
            n.Segment(pt, c[i], c[(i + 1) % 4]);
        return true;
    }
    case kOpPolyline: {
        const int count = ReadOutlineInt(payload);
        for (int i = 0; i + 1 < count; ++i)
            n.Segment(pt, ReadOutlinePoint(payload + 4 + 16 * i), ReadOutlinePoint(payload + 4 + 16 * (i + 1)));
        if (count == 1)
            n.Segment(pt, ReadOutlinePoint(payload + 4), ReadOutlinePoint(payload + 4));
        return count > 0;
    }
    case kOpLine:
        n.Segment(pt, ReadOutlinePoint(payload), ReadOutlinePoint(payload + 16));
        return true;
    default:
        return false;
    }
}

} // namespace

int OutlineOpHitTest(const POINT& pt, BYTE op, const BYTE*& cursor, const BYTE* end, int tolerance)
{
    const BYTE* payload = StepOverOutlineOp(op, cursor, end);
    NearestHit n;
    if (!payload || !MeasureOp(pt, op, payload, n))
        return 0;
    return n.dist <= tolerance ? 1 : 0;
}

int OutlineOpDistance(const POINT& pt, BYTE op, const BYTE*& cursor, const BYTE* end, CPoint& nearest)
{
    const BYTE* payload = StepOverOutlineOp(op, cursor, end);
    NearestHit n;
    if (!payload || !MeasureOp(pt, op, payload, n))
        return INT_MAX;
    nearest = CPoint(RoundAddHalf(n.x), RoundAddHalf(n.y));
    return RoundAddHalf(n.dist);
}
