// Midpoints, rectangle helpers and mapping between rectangles.
#include "geometry/IntGeometry.h"

#include <algorithm>
#include <climits>
#include <cmath>

int SaturateInt(int64_t v)
{
    return int(std::clamp<int64_t>(v, INT_MIN, INT_MAX));
}

int RoundAddHalf(double v)
{
    if (std::isnan(v))
        return 0;
    v += 0.5;
    if (v >= double(INT_MAX))
        return INT_MAX;
    if (v <= double(INT_MIN))
        return INT_MIN;
    return int(v); // truncates toward zero
}

int Midpoint(int a, int b)
{
    return SaturateInt(a + (int64_t(b) - a) / 2);
}

float MidpointF(float a, float b)
{
    return a + (b - a) * 0.5f;
}

void GetRectCenter(const RECT& rc, int& x, int& y)
{
    x = Midpoint(rc.left, rc.right);
    y = Midpoint(rc.top, rc.bottom);
}

CPoint RectCenterPt(const RECT& rc)
{
    CPoint pt;
    GetRectCenter(rc, pt.x, pt.y);
    return pt;
}

FloatPt GetRectCenterF(const FloatRect& rc)
{
    return {MidpointF(rc.left, rc.right), MidpointF(rc.top, rc.bottom)};
}

CRect RectFromCenter(int cx, int cy, int width, int height)
{
    int64_t left = cx - int64_t(width) / 2;
    int64_t top = cy - int64_t(height) / 2;
    return CRect(SaturateInt(left), SaturateInt(top), SaturateInt(left + width),
                 SaturateInt(top + height));
}

CPoint PtMidpoint(const POINT& a, const POINT& b)
{
    return {Midpoint(a.x, b.x), Midpoint(a.y, b.y)};
}

CPoint SegmentMidpoint(int x1, int y1, int x2, int y2)
{
    return {Midpoint(x1, x2), Midpoint(y1, y2)};
}

CPoint PtFraction(const POINT& p1, const POINT& p2, int n)
{
    if (n == 0)
        return p1;
    return {SaturateInt(p1.x + (int64_t(p2.x) - p1.x) / n),
            SaturateInt(p1.y + (int64_t(p2.y) - p1.y) / n)};
}

CRect BoundsOfPts(const POINT* pts, int count)
{
    CRect r(pts[0].x, pts[0].y, pts[0].x, pts[0].y);
    for (int i = 1; i < count; ++i) {
        r.left = std::min(r.left, pts[i].x);
        r.top = std::min(r.top, pts[i].y);
        r.right = std::max(r.right, pts[i].x);
        r.bottom = std::max(r.bottom, pts[i].y);
    }
    return r;
}

void SortRectCoords(RECT& rc)
{
    if (rc.left > rc.right)
        std::swap(rc.left, rc.right);
    if (rc.top > rc.bottom)
        std::swap(rc.top, rc.bottom);
}

void NormalizeRect(RECT& rc)
{
    SortRectCoords(rc);
}

void ClampPtToRect(POINT& pt, const RECT& rc)
{
    // Written as two tests rather than std::clamp, which requires lo <= hi.
    if (pt.x < rc.left)
        pt.x = rc.left;
    else if (pt.x > rc.right)
        pt.x = rc.right;
    if (pt.y < rc.top)
        pt.y = rc.top;
    else if (pt.y > rc.bottom)
        pt.y = rc.bottom;
}

void ClipRectToRect(RECT& rc, const RECT& bounds)
{
    rc.left = std::max(rc.left, bounds.left);
    rc.top = std::max(rc.top, bounds.top);
    rc.right = std::min(rc.right, bounds.right);
    rc.bottom = std::min(rc.bottom, bounds.bottom);
}

namespace {
// Shifts [lo, hi] so that it starts at or after minV, or else ends at or
// before maxV; keeps its length.
void KeepSpanIn(LONG& lo, LONG& hi, LONG minV, LONG maxV)
{
    int64_t shift = 0;
    if (lo < minV)
        shift = int64_t(minV) - lo;
    else if (hi > maxV)
        shift = int64_t(maxV) - hi;
    lo = SaturateInt(lo + shift);
    hi = SaturateInt(hi + shift);
}
} // namespace

void KeepRectInRect(RECT& rc, const RECT& bounds)
{
    KeepSpanIn(rc.left, rc.right, bounds.left, bounds.right);
    KeepSpanIn(rc.top, rc.bottom, bounds.top, bounds.bottom);
    ClipRectToRect(rc, bounds);
}

bool RectExceeds(const RECT& rc, const RECT& bounds)
{
    return rc.left < bounds.left || rc.top < bounds.top || rc.right > bounds.right ||
           rc.bottom > bounds.bottom;
}

bool ClampOffsetToRect(const RECT& rc, int& dx, int& dy, const RECT& bounds)
{
    const int64_t left = int64_t(rc.left) + dx, right = int64_t(rc.right) + dx;
    const int64_t top = int64_t(rc.top) + dy, bottom = int64_t(rc.bottom) + dy;
    if (left >= bounds.left && right <= bounds.right && top >= bounds.top &&
        bottom <= bounds.bottom)
        return false;
    int64_t cx = 0, cy = 0;
    if (left < bounds.left)
        cx = bounds.left - left;
    else if (right > bounds.right)
        cx = bounds.right - right;
    if (top < bounds.top)
        cy = bounds.top - top;
    else if (bottom > bounds.bottom)
        cy = bounds.bottom - bottom;
    dx = SaturateInt(cx);
    dy = SaturateInt(cy);
    return true;
}

void UnionRectSkipEmpty(RECT& dst, const RECT& src)
{
    if (CRect(src).IsRectNull())
        return;
    if (CRect(dst).IsRectNull()) {
        dst = src;
        return;
    }
    dst.left = std::min(dst.left, src.left);
    dst.top = std::min(dst.top, src.top);
    dst.right = std::max(dst.right, src.right);
    dst.bottom = std::max(dst.bottom, src.bottom);
}

bool InsetRectByMargins(RECT& rc, double top, double left, double bottom, double right)
{
    if (rc.right < rc.left || rc.bottom < rc.top)
        return false;
    const int64_t l = int64_t(rc.left) + RoundAddHalf(left);
    const int64_t t = int64_t(rc.top) + RoundAddHalf(top);
    const int64_t r = int64_t(rc.right) - RoundAddHalf(right);
    const int64_t b = int64_t(rc.bottom) - RoundAddHalf(bottom);
    if (b < t || r < l)
        return false;
    rc = CRect(SaturateInt(l), SaturateInt(t), SaturateInt(r), SaturateInt(b));
    return true;
}

CRect LargestRectAround(const RECT& outer, const RECT& inner)
{
    const CRect bands[4] = {
        {outer.left, outer.top, outer.right, std::max(outer.top, inner.top)},
        {outer.left, std::min(inner.bottom, outer.bottom), outer.right, outer.bottom},
        {std::min(inner.right, outer.right), outer.top, outer.right, outer.bottom},
        {outer.left, outer.top, std::max(outer.left, inner.left), outer.bottom},
    };
    int64_t best = 0;
    CRect result(outer);
    for (const CRect& band : bands) {
        const int64_t w = int64_t(band.right) - band.left, h = int64_t(band.bottom) - band.top;
        const int64_t value = std::min(w, h);
        if (value > best) {
            best = value;
            result = band;
        }
    }
    return result;
}

int RectCornerIndex(const POINT& pt, const RECT& rc, int flag)
{
    const bool left = pt.x == rc.left, right = pt.x == rc.right;
    const bool top = pt.y == rc.top, bottom = pt.y == rc.bottom;
    if (top && left)
        return flag ? 1 : 4;
    if (top && right)
        return flag ? 2 : 1;
    if (bottom && right)
        return flag ? 3 : 2;
    if (bottom && left)
        return flag ? 4 : 3;
    // A side counts only between its corners: a point on the side's line
    // beyond the rectangle is not on the outline.
    const bool inX = pt.x > rc.left && pt.x < rc.right;
    const bool inY = pt.y > rc.top && pt.y < rc.bottom;
    if (top && inX)
        return 1;
    if (right && inY)
        return 2;
    if (bottom && inX)
        return 3;
    if (left && inY)
        return 4;
    return 0;
}

void SetRectNormalized(RECT& rc, int left, int top, int right, int bottom)
{
    rc = CRect(left, top, right, bottom);
    NormalizeRect(rc);
}

CPoint NearestRectCorner(const RECT& rc, const POINT& pt)
{
    const CPoint corners[4] = {
        {rc.left, rc.top}, {rc.left, rc.bottom}, {rc.right, rc.bottom}, {rc.right, rc.top}};
    CPoint best = corners[0];
    double bestDist = PtDistance(corners[0], pt);
    for (int i = 1; i < 4; ++i) {
        const double d = PtDistance(corners[i], pt);
        if (d < bestDist) {
            bestDist = d;
            best = corners[i];
        }
    }
    return best;
}

namespace {
// Side faced by a point outside the rectangle's interior (steps 4 to 6).
int SideFacingOutside(const POINT& p, const RECT& rc)
{
    if (p.y <= rc.top) {
        const int64_t v = int64_t(rc.top) - p.y;
        if (p.x >= rc.left && p.x <= rc.right)
            return 1;
        if (p.x < rc.left)
            return v < int64_t(rc.left) - p.x ? 4 : 1;
        return v < int64_t(p.x) - rc.right ? 2 : 1;
    }
    if (p.y >= rc.bottom) {
        const int64_t v = int64_t(p.y) - rc.bottom;
        if (p.x >= rc.left && p.x <= rc.right)
            return 3;
        if (p.x < rc.left)
            return int64_t(rc.left) - p.x >= v ? 4 : 3;
        return v >= int64_t(p.x) - rc.right ? 3 : 2;
    }
    return p.x < rc.left ? 4 : 2;
}

// Side faced by a point strictly inside: the nearest side, ties resolved
// towards top, then right, then left, then bottom.
int SideFacingInside(const POINT& p, const RECT& rc)
{
    const CPoint tl(rc.left, rc.top), tr(rc.right, rc.top);
    const CPoint bl(rc.left, rc.bottom), br(rc.right, rc.bottom);
    const int a = PtSegmentDistance(p, bl, tl);
    const int b = PtSegmentDistance(p, bl, br);
    const int r = PtSegmentDistance(p, tr, br);
    const int t = PtSegmentDistance(p, tl, tr);
    const int m = std::min(a, b);
    if (std::min(m, r) >= t)
        return 1;
    if (m >= r)
        return 2;
    return a < b ? 4 : 3;
}
} // namespace

int RectSideFacingPt(const POINT& p, const RECT& rc, int* pSide)
{
    int side = 0;
    if (rc.right == rc.left) {
        side = p.x < rc.left ? 4 : 2;
    } else if (rc.bottom == rc.top) {
        side = p.y > rc.top ? 3 : 1;
    } else if (const int onOutline = RectCornerIndex(p, rc, 1)) {
        const bool corner = (p.x == rc.left || p.x == rc.right) &&
                            (p.y == rc.top || p.y == rc.bottom);
        if (pSide)
            // Corner k starts side k and ends side k - 1 going clockwise.
            *pSide = corner ? (onOutline == 1 ? 4 : onOutline - 1) : onOutline;
        return onOutline;
    } else if (p.x > rc.left && p.x < rc.right && p.y > rc.top && p.y < rc.bottom) {
        side = SideFacingInside(p, rc);
    } else {
        side = SideFacingOutside(p, rc);
    }
    if (pSide)
        *pSide = side;
    return side;
}

bool IsPtOnRectLeftX(const POINT& corner, const POINT& pt)
{
    return corner.x == pt.x;
}

bool IsPtOnRectTopY(const POINT& corner, const POINT& pt)
{
    return corner.y == pt.y;
}

bool IsMostlyVertical(const POINT& corner, const POINT& pt)
{
    return std::abs(int64_t(pt.x) - corner.x) < std::abs(int64_t(pt.y) - corner.y);
}

bool IsMostlyHorizontal(const POINT& corner, const POINT& pt)
{
    return !IsMostlyVertical(corner, pt);
}

namespace {
// One axis of the rectangle mapping: v in [fromLo, fromHi] to [toLo, toHi].
LONG MapCoord(LONG v, LONG fromLo, LONG fromHi, LONG toLo, LONG toHi, bool rounded)
{
    const int64_t fromW = int64_t(fromHi) - fromLo;
    if (fromW == 0)
        return v;
    if (v == fromLo)
        return toLo;
    if (v == fromHi)
        return toHi;
    const int64_t toW = int64_t(toHi) - toLo;
    if (rounded)
        return RoundAddHalf(double(toW) * double(int64_t(v) - fromLo) / double(fromW) + toLo);
    const __int128 scaled = __int128(toW) * (int64_t(v) - fromLo) / fromW;
    return SaturateInt(int64_t(std::clamp<__int128>(scaled, INT64_MIN / 2, INT64_MAX / 2)) + toLo);
}
} // namespace

namespace {
void MapPt(POINT& pt, const RECT& from, const RECT& to, bool rounded)
{
    pt.x = MapCoord(pt.x, from.left, from.right, to.left, to.right, rounded);
    pt.y = MapCoord(pt.y, from.top, from.bottom, to.top, to.bottom, rounded);
}

void MapRect(RECT& rc, const RECT& from, const RECT& to, bool rounded)
{
    POINT tl{rc.left, rc.top}, br{rc.right, rc.bottom};
    MapPt(tl, from, to, rounded);
    MapPt(br, from, to, rounded);
    rc = CRect(tl.x, tl.y, br.x, br.y);
}
} // namespace

void MapPtBetweenRects(POINT& pt, const RECT& from, const RECT& to)
{
    MapPt(pt, from, to, false);
}

void MapPtBetweenRectsRounded(POINT& pt, const RECT& from, const RECT& to)
{
    MapPt(pt, from, to, true);
}

void MapRectBetweenRects(RECT& rc, const RECT& from, const RECT& to)
{
    MapRect(rc, from, to, false);
}

void MapRectBetweenRectsRounded(RECT& rc, const RECT& from, const RECT& to)
{
    MapRect(rc, from, to, true);
}

namespace {
float MapCoordF(float v, float fromLo, float fromHi, float toLo, float toHi)
{
    const float fromW = fromHi - fromLo;
    if (fromW == 0.0f)
        return v;
    if (v == fromLo)
        return toLo;
    if (v == fromHi)
        return toHi;
    return (toHi - toLo) * (v - fromLo) / fromW + toLo;
}
} // namespace

void MapFloatPtBetweenRects(FloatPt& pt, const FloatRect& from, const FloatRect& to)
{
    pt.x = MapCoordF(pt.x, from.left, from.right, to.left, to.right);
    pt.y = MapCoordF(pt.y, from.top, from.bottom, to.top, to.bottom);
}
