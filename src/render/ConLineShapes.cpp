#include "render/ConLineShapes.h"

#include "geometry/IntGeometry.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// Corner cutting of the curve generators: 16 points per segment, 4 coarse.
constexpr int kCurveRatio = 4;
constexpr int kCurveLevel = 4;
constexpr int kCoarseLevel = 2;
// Rounded corners: each corner becomes 10 points cut from 4 control points.
constexpr int kCornerRatio = 3;
constexpr int kCornerLevel = 2;
constexpr int kCornerPts = 10;
constexpr int kMinCornerRadius = 5;

// The generators work in fractions of a unit and round once at the end: cut
// in whole units, every pass truncates again, and at 16 points a segment the
// steps become as small as the errors, so a zoomed curve wobbles.
struct FPoint {
    double x = 0;
    double y = 0;
};

FPoint ToF(const POINT& p)
{
    return {double(p.x), double(p.y)};
}

POINT Rounded(const FPoint& p)
{
    return POINT{int(std::lround(p.x)), int(std::lround(p.y))};
}

FPoint Toward(const FPoint& p, const FPoint& q, int ratio)
{
    return {p.x + (q.x - p.x) / ratio, p.y + (q.y - p.y) / ratio};
}

FPoint Midpoint(const FPoint& a, const FPoint& b)
{
    return {(a.x + b.x) / 2, (a.y + b.y) / 2};
}

// Pushes p away from m by a third: m + (p - m) x 4 / 3.
FPoint PushOut(const FPoint& m, const FPoint& p)
{
    return {m.x + (p.x - m.x) * 4 / 3, m.y + (p.y - m.y) * 4 / 3};
}

void TrackSubdivision(int n, int c, int* track1, int* track2)
{
    const int last = (n - 2) * c + 1;
    auto map = [&](int* t, bool second) {
        if (!t || *t == 0)
            return;
        if (*t == n - 1)
            *t = last;
        else
            *t = second ? (c / 2) * (2 * *t - 1) + 1 : (2 * *t - 1) * (c / 2);
    };
    map(track1, false);
    map(track2, true);
}

std::array<CPoint, kMaxShapePts>& ShapeBuffer()
{
    static thread_local std::array<CPoint, kMaxShapePts> buffer;  // one a drawing thread
    return buffer;
}

// Corner cutting of CutCorners on points in fractions of a unit.
int CutCornersF(int n, const FPoint* in, POINT* out, int ratio, int level)
{
    if (n <= 2) {
        for (int i = 0; out && i < n; ++i)
            out[i] = Rounded(in[i]);
        return std::max(n, 0);
    }
    int c = 1 << level;
    const int count = (n - 2) * c + 2;
    if (!out)
        return count;
    if (count > kMaxShapePts)
        return -1;
    static thread_local std::array<FPoint, kMaxShapePts> work;
    work[0] = in[0];
    for (int k = 1; k < n; ++k)
        work[size_t(1 + (k - 1) * c)] = in[k];
    const int last = count - 1;
    for (; c > 1; c /= 2) {
        const size_t h = size_t(c / 2);
        FPoint prev = work[0];  // the point before, as it was before this pass
        for (size_t i = 1; i < size_t(last); i += size_t(c)) {
            const FPoint p = work[i];
            work[i] = Toward(p, prev, ratio);
            work[i + h] = Toward(p, work[i + size_t(c)], ratio);
            prev = p;
        }
    }
    for (int i = 0; i < count; ++i)
        out[i] = Rounded(work[size_t(i)]);
    return count;
}

} // namespace

int CutCorners(int n, const POINT* in, POINT* out, int ratio, int level)
{
    if (n > kMaxShapePts)
        return out ? -1 : (n - 2) * (1 << level) + 2;
    std::array<FPoint, kMaxShapePts> f;
    for (int i = 0; i < n; ++i)
        f[size_t(i)] = ToF(in[i]);
    return CutCornersF(n, f.data(), out, ratio, level);
}

int CurveConPoints(int n, const POINT* in, POINT* out, bool coarse, int* track1, int* track2)
{
    const int level = coarse ? kCoarseLevel : kCurveLevel;
    const int count = CutCorners(n, in, out, kCurveRatio, level);
    if (out && n > 2)
        TrackSubdivision(n, 1 << level, track1, track2);
    return count;
}

int SmoothConPoints(int n, const POINT* in, POINT* out, bool coarse, int* track1, int* track2)
{
    if (n > kMaxSmoothInputPts)
        return -1;
    if (!out || n <= 2)
        return CurveConPoints(n, in, out, coarse, track1, track2);
    std::array<FPoint, kMaxSmoothInputPts> pushed;
    pushed[0] = ToF(in[0]);
    pushed[size_t(n - 1)] = ToF(in[n - 1]);
    for (int i = 1; i <= n - 2; ++i) {
        FPoint next = ToF(in[i + 1]);
        if (i + 2 <= n - 1)
            next = PushOut(Midpoint(ToF(in[i + 1]), ToF(in[i + 2])), ToF(in[i + 1]));
        const FPoint m2 = Midpoint(pushed[size_t(i - 1)], next);
        pushed[size_t(i)] = PushOut(m2, ToF(in[i]));
    }
    const int level = coarse ? kCoarseLevel : kCurveLevel;
    const int count = CutCornersF(n, pushed.data(), out, kCurveRatio, level);
    TrackSubdivision(n, 1 << level, track1, track2);
    return count;
}

int RoundConCorners(int n, const POINT* in, POINT* out, int radius, bool coarse, int* track1,
                    int* track2, int* extraIndexes, int extraCount)
{
    (void)coarse;  // corners always take 10 points
    if (n <= 2)
        return CutCorners(n, in, out, kCornerRatio, kCornerLevel);
    if (!out)
        return kCornerPts * (n - 2) + 2;
    if (n > kMaxShapePts)
        return -1;
    // Output index of each input point's first output point, and whether its
    // corner was rounded.
    std::array<int, kMaxShapePts> first{};
    std::array<bool, kMaxShapePts> rounded{};
    int count = 0;
    out[count++] = in[0];
    for (int j = 1; j < n - 1 && j < kMaxShapePts; ++j) {
        const POINT a = in[j - 1], p = in[j], b = in[j + 1];
        const int r = std::min({radius, PtDistanceRounded(p, a) / 2, PtDistanceRounded(p, b) / 2});
        first[size_t(j)] = count;
        if (r < kMinCornerRadius) {
            out[count++] = p;
            continue;
        }
        const FPoint a1 = ToF(PtAlongLine(p, a, r)), b1 = ToF(PtAlongLine(p, b, r));
        const FPoint control[4] = {a1, Midpoint(ToF(p), a1), Midpoint(ToF(p), b1), b1};
        count += CutCornersF(4, control, out + count, kCornerRatio, kCornerLevel);
        rounded[size_t(j)] = true;
    }
    first[size_t(std::min(n - 1, kMaxShapePts - 1))] = count;
    out[count++] = in[n - 1];
    auto track = [&](int* t) {
        if (!t || *t <= 0 || *t >= n)
            return;
        if (*t == n - 1)
            *t = count - 1;
        else
            *t = first[size_t(*t)] + (rounded[size_t(*t)] ? kCornerPts / 2 - 1 : 0);
    };
    track(track1);
    track(track2);
    for (int e = 0; extraIndexes && e < extraCount; ++e) {
        int shift = 0;
        for (int j = 1; j < std::min(extraIndexes[e], n - 1); ++j)
            shift += rounded[size_t(j)] ? kCornerPts - 1 : 0;
        extraIndexes[e] += shift;
    }
    return count;
}

int MakeConShapePoints(DWORD flags, int n, const POINT* in, CPointArray& out, int roundRadius,
                       bool coarse, int* track1, int* track2, int* extraIndexes, int extraCount)
{
    if (n < 0 || (n > 0 && !in))
        return -1;
    auto generate = [&](POINT* buffer) -> int {
        if (flags & CONSHAPE_CURVE)
            return CurveConPoints(n, in, buffer, coarse, track1, track2);
        if (flags & CONSHAPE_SMOOTH)
            return SmoothConPoints(n, in, buffer, coarse, track1, track2);
        if (flags & CONSHAPE_ROUND)
            return RoundConCorners(n, in, buffer, roundRadius, coarse, track1, track2,
                                   extraIndexes, extraCount);
        if (buffer)
            std::copy(in, in + n, buffer);
        return n;
    };
    const int needed = generate(nullptr);
    if (needed < 0 || needed > kMaxShapePts)
        return -1;
    CPoint* buffer = ShapeBuffer().data();
    const int count = generate(buffer);
    if (count < 0)
        return -1;
    out.Attach(buffer, count, kMaxShapePts);
    return count;
}

int GetConShapePoints(DWORD flags, CPointArray points, CPointArray& out, int roundRadius,
                      bool coarse, int* track1, int* track2, int* extraIndexes, int extraCount)
{
    const int count = MakeConShapePoints(flags, points.GetCount(), points.GetData(), out,
                                         roundRadius, coarse, track1, track2, extraIndexes,
                                         extraCount);
    if (count < 0)
        out.Attach(nullptr, 0, 0);
    return count;
}
