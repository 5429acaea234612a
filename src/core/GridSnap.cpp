#include "core/GridSnap.h"

#include "core/NumericHelpers.h"
#include "geometry/IntGeometry.h"
#include "platform/GdiObjects.h"
#include "platform/GdiTypes.h"

#include <cstdlib>

namespace {
constexpr int kWorkSpaceLimit = 16000;
constexpr int kMaxSideHits = 32;

bool AddTo(int32_t* list, int32_t& count, int value)
{
    if (count >= CAlignGuides::kMax)
        return false;
    list[count++] = value;
    return true;
}

int SnapToList(const int32_t* list, int count, int& value)
{
    if (count <= 0)
        return -1;
    long long best = -1;
    int bestValue = value;
    for (int i = 0; i < count; ++i) {
        const long long d = std::llabs((long long)value - list[i]);
        if (best < 0 || d < best) {
            best = d;
            bestValue = list[i];
            if (d == 0)
                break;
        }
    }
    value = bestValue;
    return int(best);
}

long long Dist(int a, int b)
{
    return std::llabs((long long)a - b);
}

// A winding-fill region of the polygon; false when it cannot be built.
bool MakePolyRegion(CRgn& rgn, int count, const POINT* poly)
{
    return rgn.CreatePolygonRgn(poly, count, WINDING);
}

// The guide step of the usual case: a guide strictly inside the window that
// lies nearer the entry position than the snapped one (ties to the smaller).
void SnapAxisToGuides(int& p, int o, int lo, int hi, const int32_t* guides, int count)
{
    if (o == p)
        return;
    for (int i = 0; i < count; ++i) {
        const int g = guides[i];
        if (g <= lo || g >= hi)
            continue;
        if (Dist(o, g) < Dist(o, p) || (Dist(o, g) == Dist(o, p) && g < p))
            p = g;
    }
}

// The window [lo, hi] of one axis: one step from the snapped position back
// toward the entry position.
void AxisWindow(int o, int p, int step, int& lo, int& hi)
{
    if (o < p) {
        lo = SaturateInt((long long)p - step);
        hi = p;
    } else {
        lo = p;
        hi = SaturateInt((long long)p + step);
    }
}

void NarrowWindow(int o, int& lo, int& hi, const int32_t* guides, int count)
{
    for (int i = 0; i < count; ++i) {
        const int g = guides[i];
        if (g < lo || g > hi)
            continue;
        if (g > o)
            hi = g;
        else
            lo = g;
    }
}

// The polygon case: the window's corners inside the region, then (on
// request) where its sides cross the polygon; the one nearest O wins.
bool SnapIntoPolygon(CPoint& result, const POINT& o, const RECT& win, int count, const POINT* poly, bool sides)
{
    CRgn rgn;
    if (!MakePolyRegion(rgn, count, poly))
        return false;
    const POINT corners[4] = {{win.left, win.top}, {win.right, win.top}, {win.left, win.bottom},
                              {win.right, win.bottom}};
    POINT cands[4 + kMaxSideHits];
    int n = 0;
    for (const POINT& c : corners)
        if (rgn.PtInRegion(c.x, c.y))
            cands[n++] = c;
    if (sides) {
        POINT hits[kMaxSideHits];
        int nHits = 0;
        const CLineSeg segs[4] = {CLineSeg(win.left, win.top, win.right, win.top),
                                  CLineSeg(win.left, win.bottom, win.right, win.bottom),
                                  CLineSeg(win.left, win.top, win.left, win.bottom),
                                  CLineSeg(win.right, win.top, win.right, win.bottom)};
        for (const CLineSeg& s : segs)
            CollectSegPolygonHits(poly, count, s, hits, nHits, kMaxSideHits);
        for (int i = 0; i < nHits; ++i)
            cands[n++] = hits[i];
    }
    result = o;
    double best = -1;
    for (int i = 0; i < n; ++i) {
        const double d = PtDistance(o, cands[i]);
        if (best < 0 || d < best) {
            best = d;
            result = cands[i];
        }
    }
    return true;
}
} // namespace

bool CAlignGuides::AddX(int x)
{
    return AddTo(m_x, m_nX, x);
}

bool CAlignGuides::AddY(int y)
{
    return AddTo(m_y, m_nY, y);
}

bool CAlignGuides::AddPoint(const POINT& pt)
{
    if (m_nX >= kMax || m_nY >= kMax)
        return false;
    AddX(pt.x);
    AddY(pt.y);
    return true;
}

bool CAlignGuides::AddPoints(int count, const POINT* pts)
{
    for (int i = 0; pts && i < count; ++i)
        if (!AddPoint(pts[i]))
            return false;
    return true;
}

int CAlignGuides::SnapX(int& value) const
{
    return SnapToList(m_x, m_nX, value);
}

int CAlignGuides::SnapY(int& value) const
{
    return SnapToList(m_y, m_nY, value);
}

CPoint RectHandlePoint(int code, const RECT& rc)
{
    const int cx = Midpoint(rc.left, rc.right), cy = Midpoint(rc.top, rc.bottom);
    switch (code) {
    case 1: return {rc.left, rc.top};
    case 2: return {cx, rc.top};
    case 3: return {rc.right, rc.top};
    case 4: return {rc.left, cy};
    case 5: return {cx, cy};
    case 6: return {rc.right, cy};
    case 7: return {rc.left, rc.bottom};
    case 8: return {cx, rc.bottom};
    case 9: return {rc.right, rc.bottom};
    default: return {0, 0};
    }
}

void SnapToGridStep(int& value, int step)
{
    if (step < 2)
        return;
    long long r = (long long)value % step;
    if (r < 0)
        r += step;
    if (r == 0)
        return;
    long long v = (long long)value - r;
    if (r > step / 2)
        v += step;
    value = SaturateInt(v);
}

void SnapPtToGridOrRgn(POINT& pt, int stepX, int stepY, const RECT* bounds, const CAlignGuides* guides,
                       const POINT* anchor, int polyCount, const POINT* poly, bool testPolySides)
{
    const CPoint o = pt;
    bool lockX = false, lockY = false;
    const bool usePoly = poly && polyCount >= 3;
    if (anchor) {
        POINT cand;
        if (SnapLineToAxis(anchor->x, anchor->y, pt.x, pt.y, cand, 0)) {
            lockY = cand.y == anchor->y;
            lockX = cand.x == anchor->x;
            if (usePoly) {
                CRgn rgn;
                if (!MakePolyRegion(rgn, polyCount, poly) || !rgn.PtInRegion(cand.x, cand.y)) {
                    cand = o;
                    lockX = lockY = false;
                }
            }
            pt = cand;
            if (lockX && lockY)
                return;
        }
    }
    if (!lockX)
        SnapToGridStep(pt.x, stepX);
    if (!lockY)
        SnapToGridStep(pt.y, stepY);
    if (CPoint(pt) == o)
        return;
    if (bounds) {
        if (!lockX) {
            if (pt.x < bounds->left)
                pt.x = SaturateInt((long long)pt.x + stepX);
            else if (pt.x > bounds->right)
                pt.x = SaturateInt((long long)pt.x - stepX);
        }
        if (!lockY) {
            if (pt.y < bounds->top)
                pt.y = SaturateInt((long long)pt.y + stepY);
            else if (pt.y > bounds->bottom)
                pt.y = SaturateInt((long long)pt.y - stepY);
        }
    }
    const bool noGuides = !guides || guides->IsEmpty();
    if ((noGuides && !usePoly) || CPoint(pt) == o)
        return;
    RECT win{pt.x, pt.y, pt.x, pt.y};
    if (o.x != pt.x || usePoly)
        AxisWindow(o.x, pt.x, stepX, win.left, win.right);
    if (o.y != pt.y || usePoly)
        AxisWindow(o.y, pt.y, stepY, win.top, win.bottom);
    if (!usePoly) {
        if (!lockX)
            SnapAxisToGuides(pt.x, o.x, win.left, win.right, guides->m_x, guides->m_nX);
        if (!lockY)
            SnapAxisToGuides(pt.y, o.y, win.top, win.bottom, guides->m_y, guides->m_nY);
        return;
    }
    if (guides) {
        NarrowWindow(o.x, win.left, win.right, guides->m_x, guides->m_nX);
        NarrowWindow(o.y, win.top, win.bottom, guides->m_y, guides->m_nY);
    }
    CPoint result;
    if (!SnapIntoPolygon(result, o, win, polyCount, poly, testPolySides)) {
        pt = o;
        return;
    }
    if (!lockY)
        pt.y = result.y;
    if (!lockX)
        pt.x = result.x;
}

void ClampSnapFigSize(SnapFigRequest& q)
{
    auto clamp = [](int v, int lo, int hi) { return v < lo ? lo : (v > hi ? hi : v); };
    int w = clamp(q.width, q.minWidth, q.maxWidth);
    int h = clamp(q.height, q.minHeight, q.maxHeight);
    const int w0 = w, h0 = h;
    // A snapped value outside the limits steps back inside by one double step.
    auto snapSide = [](int& v, int step, int lo, int hi) {
        SnapToGridStep(v, step);
        if (v < lo)
            v += step;
        else if (v > hi)
            v -= step;
    };
    if ((q.high & kSnapHighWidth2) && q.handle != 2 && q.handle != 8)
        snapSide(w, 2 * q.stepX, q.minWidth, q.maxWidth);
    if ((q.high & kSnapHighHeight2) && q.handle != 4 && q.handle != 6)
        snapSide(h, 2 * q.stepY, q.minHeight, q.maxHeight);
    if ((q.low & kSnapLowAspectCorners) && (w != w0 || h != h0)) {
        int fw = w, fh = h;
        if (FitSizeKeepAspect(w, h, w0, h0, fw, fh, 0) || (fw == w && fh == h)) {
            w = fw;
            h = fh;
        }
    }
    q.width = w;
    q.height = h;
}

void ApplyFigSize(RECT& rc, int height, int width, int stepX, int stepY, const CAlignGuides* guides, DWORD low,
                  DWORD high, int handle)
{
    CRect r(rc);
    r.NormalizeRect();
    auto limit = [](LONG& v) { v = v < -kWorkSpaceLimit ? -kWorkSpaceLimit : (v > kWorkSpaceLimit ? kWorkSpaceLimit : v); };
    limit(r.left);
    limit(r.top);
    limit(r.right);
    limit(r.bottom);
    const CRect saved = r;
    int cx = Midpoint(r.left, r.right), cy = Midpoint(r.top, r.bottom);
    if (!(low & kSnapLowKeepCentreX)) {
        if (low & kSnapLowKeepLeft)
            cx = r.left + width / 2;
        else if (low & kSnapLowKeepRight)
            cx = r.right - (width + 1) / 2;
    }
    if (!(low & kSnapLowKeepCentreY)) {
        if (low & kSnapLowKeepTop)
            cy = r.top + height / 2;
        else if (low & kSnapLowKeepBottom)
            cy = r.bottom - (height + 1) / 2;
    }
    r = RectFromCenter(cx, cy, width, height);
    if (handle == 0)
        SnapRectPosToGrid(r, high, stepX, stepY, guides);
    if (!(low & kSnapLowAspectAll)) {
        if (handle == 2 || handle == 8) {
            r.left = saved.left;
            r.right = saved.right;
        } else if (handle == 4 || handle == 6) {
            r.top = saved.top;
            r.bottom = saved.bottom;
        }
    }
    rc = r;
}

namespace {
// Where the dragged handle lies when the opposite sides stay put.
CPoint DraggedHandlePoint(int handle, const RECT& r, int w, int h)
{
    CPoint p = RectHandlePoint(handle, r);
    switch (handle) {
    case 1: return {r.right - w, r.bottom - h};
    case 2: p.y = r.bottom - h; return p;
    case 3: return {r.left + w, r.bottom - h};
    case 4: p.x = r.right - w; return p;
    case 6: p.x = r.left + w; return p;
    case 7: return {r.right - w, r.top + h};
    case 8: p.y = r.top + h; return p;
    case 9: return {r.left + w, r.top + h};
    default: return p;
    }
}
} // namespace

void SnapFigRectOnDrag(SnapFigRequest& q)
{
    const bool snap = (q.high & (kSnapHighX | kSnapHighY)) && !(q.low & kSnapLowAspectCorners) && q.handle != 0;
    if (snap) {
        const int w = q.width, h = q.height;
        const CPoint c(Midpoint(q.rect.left, q.rect.right), Midpoint(q.rect.top, q.rect.bottom));
        CPoint qs = RectHandlePoint(q.handle, RectFromCenter(c.x, c.y, w, h));
        const CPoint hp = DraggedHandlePoint(q.handle, q.rect, w, h);
        CPoint hs = hp;
        SnapPtToGridOrRgn(qs, q.stepX, q.stepY, q.bounds, q.guides, nullptr, 0, nullptr, false);
        SnapPtToGridOrRgn(hs, q.stepX, q.stepY, q.bounds, q.guides, nullptr, 0, nullptr, false);
        const int symH = 2 * std::abs(qs.y - c.y), symW = 2 * std::abs(qs.x - c.x);
        if (q.high & kSnapHighY) {
            if (q.handle >= 1 && q.handle <= 3)
                q.height = (q.high & kSnapHighSymHeight) ? symH : h - (hs.y - hp.y);
            else if (q.handle >= 7)
                q.height = (q.high & kSnapHighSymHeight) ? symH : h + (hs.y - hp.y);
        }
        if (q.high & kSnapHighX) {
            if (q.handle == 1 || q.handle == 4 || q.handle == 7)
                q.width = (q.high & kSnapHighSymWidth) ? symW : w + (hp.x - hs.x);
            else if (q.handle == 3 || q.handle == 6 || q.handle == 9)
                q.width = (q.high & kSnapHighSymWidth) ? symW : w + (hs.x - hp.x);
        }
    }
    ClampSnapFigSize(q);
    ApplyFigSize(q.rect, q.height, q.width, q.stepX, q.stepY, q.guides, q.low, q.high, q.handle);
}

void SnapRectPosToGrid(RECT& rc, DWORD flags, int stepX, int stepY, const CAlignGuides* guides)
{
    const int width = rc.right - rc.left, height = rc.bottom - rc.top;
    const int ocx = Midpoint(rc.left, rc.right), ocy = Midpoint(rc.top, rc.bottom);
    int cx = ocx, cy = ocy;
    long long dx = -1, dy = -1;
    if (guides) {
        if (flags & kSnapHighGuideX)
            dx = guides->SnapX(cx);
        if (flags & kSnapHighGuideY)
            dy = guides->SnapY(cy);
    }
    // The nearer of the two sides lands on the grid (the near side on a tie).
    auto snapSides = [](int nearSide, int farSide, int size, int step, long long& best, int& centre) {
        int a = nearSide, b = farSide;
        SnapToGridStep(a, step);
        SnapToGridStep(b, step);
        const long long ma = Dist(a, nearSide), mb = Dist(b, farSide);
        const long long move = ma <= mb ? ma : mb;
        const int c = ma <= mb ? a + size / 2 : b + size / 2 - size;
        if (best == -1 || move < best) {
            best = move;
            centre = c;
        }
    };
    if (flags & kSnapHighX)
        snapSides(rc.left, rc.right, width, stepX, dx, cx);
    if (flags & kSnapHighY)
        snapSides(rc.top, rc.bottom, height, stepY, dy, cy);
    if (flags & (kSnapHighGuideX | kSnapHighGuideY)) {
        POINT p{ocx, ocy};
        SnapPtToGridOrRgn(p, stepX, stepY, nullptr, guides, nullptr, 0, nullptr, false);
        if ((flags & kSnapHighGuideX) && (dx == -1 || Dist(p.x, ocx) < dx))
            cx = p.x;
        if ((flags & kSnapHighGuideY) && (dy == -1 || Dist(p.y, ocy) < dy))
            cy = p.y;
    }
    rc = RectFromCenter(cx, cy, width, height);
}
