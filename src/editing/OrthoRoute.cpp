#include "editing/OrthoRoute.h"

#include "core/GridSnap.h"
#include "geometry/CLineSeg.h"
#include "geometry/IntGeometry.h"

#include <algorithm>
#include <cstdlib>

namespace {
constexpr int kDefaultStep = 16, kMissingFigSize = 128, kPageInset = 16, kMaxScore = 100;

bool IsHorz(const CPoint& a, const CPoint& b)
{
    return a.y == b.y;
}

// Crossing inside both legs (not at their ends).
bool Crosses(const CPoint& a, const CPoint& b, const CPoint& c, const CPoint& d)
{
    auto side = [](const CPoint& p, const CPoint& q, const CPoint& r) {
        const long long v = (long long)(q.x - p.x) * (r.y - p.y) - (long long)(q.y - p.y) * (r.x - p.x);
        return v > 0 ? 1 : v < 0 ? -1 : 0;
    };
    const int d1 = side(a, b, c), d2 = side(a, b, d), d3 = side(c, d, a), d4 = side(c, d, b);
    return d1 * d2 < 0 && d3 * d4 < 0;
}

// Both horizontal (or both vertical) on one line with a common stretch.
bool Overlaps(const CPoint& a, const CPoint& b, const CPoint& c, const CPoint& d)
{
    if (IsHorz(a, b) && IsHorz(c, d) && a.y == c.y && a.x != b.x && c.x != d.x)
        return std::min(std::max(a.x, b.x), std::max(c.x, d.x)) > std::max(std::min(a.x, b.x), std::min(c.x, d.x));
    if (a.x == b.x && c.x == d.x && a.x == c.x && a.y != b.y && c.y != d.y)
        return std::min(std::max(a.y, b.y), std::max(c.y, d.y)) > std::max(std::min(a.y, b.y), std::min(c.y, d.y));
    return false;
}

int Step(int step)
{
    return step > 0 ? step : kDefaultStep;
}

int SnapIf(const OrthoRouteInput& in, int v, int step)
{
    if (in.snap)
        SnapToGridStep(v, step);
    return v;
}

// Half the figure's size along the axis, at least the step.
int HalfSize(const CRect* fig, bool xAxis, int step)
{
    const int size = fig ? (xAxis ? fig->Width() : fig->Height()) : kMissingFigSize;
    return std::max(size / 2, step);
}
} // namespace

int ScoreOrthoRoute(const OrthoRouteInput& in, const std::vector<CPoint>& inner)
{
    for (const CPoint& p : inner)
        if ((in.startFig && in.startFig->PtInRect(p)) || (in.endFig && in.endFig->PtInRect(p)))
            return 5;
    std::vector<CPoint> pts{in.s};
    pts.insert(pts.end(), inner.begin(), inner.end());
    pts.push_back(in.e);
    int crossings = 0, overlaps = 0, hits = 0;
    bool outside = false;
    CRect page;
    if (in.page) {
        page = *in.page;
        page.DeflateRect(kPageInset, kPageInset);
    }
    for (size_t i = 1; i < pts.size(); ++i) {
        const CPoint a = pts[i - 1], b = pts[i];
        for (const auto& leg : in.legs) {
            // The route's own end meeting that connector's end is no overlap.
            const bool endMeet = (leg.first == in.s || leg.second == in.s || leg.first == in.e || leg.second == in.e);
            if (Crosses(a, b, leg.first, leg.second))
                ++crossings;
            else if (Overlaps(a, b, leg.first, leg.second) && !endMeet)
                ++overlaps;
        }
        for (CRect rc : in.figures) {
            rc.InflateRect(1, 1);
            POINT hit;
            if (rc.PtInRect(a) || rc.PtInRect(b) || IntersectSegmentRect(CLineSeg(a, b), rc, hit))
                ++hits;
        }
        if (in.page && (!page.PtInRect(a) || !page.PtInRect(b)))
            outside = true;
    }
    if (hits)
        return overlaps ? 10 : 30;
    if (overlaps)
        return 20;
    const int score = crossings == 0 ? kMaxScore : crossings <= 10 ? 91 - crossings : 80;
    return outside ? 50 : score;
}

std::vector<CPoint> FindOrthoRoute(const OrthoRouteInput& in, int* score)
{
    std::vector<CPoint> best;
    int bestScore = -1;
    // A candidate replaces the kept route only when it scores higher.
    auto tryRoute = [&](std::vector<CPoint> inner) {
        if (bestScore >= kMaxScore)
            return;
        const int sc = ScoreOrthoRoute(in, inner);
        if (sc > bestScore) {
            bestScore = sc;
            best = std::move(inner);
        }
    };
    const CPoint s = in.s, e = in.e;
    const int sx = Step(in.stepX), sy = Step(in.stepY);
    if (s.x == e.x || s.y == e.y) {
        tryRoute({});
    } else {
        tryRoute({CPoint(s.x, e.y)});
        tryRoute({CPoint(e.x, s.y)});
    }
    // Middle legs inside the span, from the midpoint outwards.
    const int midX = SnapIf(in, (s.x + e.x) / 2, sx), midY = SnapIf(in, (s.y + e.y) / 2, sy);
    const bool verticalFirst = std::abs(e.x - s.x) < std::abs(e.y - s.y);
    for (int k = 0; k < 2000 && bestScore < kMaxScore; ++k) {
        const int off = (k + 1) / 2 * (k % 2 ? 1 : -1);
        const int mx = midX + off * sx, my = midY + off * sy;
        const bool inX = mx > std::min(s.x, e.x) && mx < std::max(s.x, e.x);
        const bool inY = my > std::min(s.y, e.y) && my < std::max(s.y, e.y);
        if (!inX && !inY)
            break;
        for (int pass = 0; pass < 2; ++pass) {
            const bool vertical = (pass == 0) == verticalFirst;
            if (vertical && inX)
                tryRoute({CPoint(mx, s.y), CPoint(mx, e.y)});
            else if (!vertical && inY)
                tryRoute({CPoint(s.x, my), CPoint(e.x, my)});
        }
    }
    // Middle legs outside both figures: beyond the far side or before the
    // near one, by growing half-sizes.
    for (int axis = 0; axis < 2 && bestScore < kMaxScore; ++axis) {
        const bool xAxis = axis == 0;
        const int step = xAxis ? sx : sy;
        const int cs = xAxis ? s.x : s.y, ce = xAxis ? e.x : e.y;
        const bool startFar = cs >= ce;
        const CRect* farFig = startFar ? in.startFig : in.endFig;
        const CRect* nearFig = startFar ? in.endFig : in.startFig;
        const int farC = std::max(cs, ce), nearC = std::min(cs, ce);
        for (int k = 0; k <= 8; ++k) {
            const int m = k % 2 ? SnapIf(in, farC + HalfSize(farFig, xAxis, step) * (k / 2 + 2), step)
                                : SnapIf(in, nearC - HalfSize(nearFig, xAxis, step) * (k / 2 + 2), step);
            if (xAxis)
                tryRoute({CPoint(m, s.y), CPoint(m, e.y)});
            else
                tryRoute({CPoint(s.x, m), CPoint(e.x, m)});
        }
    }
    if (score)
        *score = bestScore;
    return best;
}
