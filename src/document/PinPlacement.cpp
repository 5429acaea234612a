#include "document/PinPlacement.h"

#include "geometry/IntGeometry.h"
#include "geometry/PointRuns.h"

#include <cstdlib>

namespace {

// The state every rule starts from: P and Q the two centres.
struct Placing {
    CRect& r;
    const CRect& h;
    CPoint& p;
    CPoint& q;
    int cx, cy, hx, hy;

    Placing(CRect& rr, const CRect& hh, CPoint& pp, CPoint& qq) : r(rr), h(hh), p(pp), q(qq)
    {
        p = RectCenterPt(r);
        q = RectCenterPt(h);
        cx = p.x;
        cy = p.y;
        hx = q.x;
        hy = q.y;
    }
    // R goes by Q - P, which puts P onto Q.
    void MoveOntoQ()
    {
        if (q == p)
            return;
        r.OffsetRect(q.x - p.x, q.y - p.y);
        p = q;
    }
    // Only across: P.x goes to Q.x, the vertical difference stays.
    void MoveAcrossToQ()
    {
        r.OffsetRect(q.x - p.x, 0);
        p.x = q.x;
    }
};

int64_t DistSq(const POINT& a, const POINT& b)
{
    const int64_t dx = int64_t(a.x) - b.x, dy = int64_t(a.y) - b.y;
    return dx * dx + dy * dy;
}

bool SpanFits(int lo, int hi, int hostLo, int hostHi)
{
    return (lo > hostLo && hi < hostHi) || (lo == hostLo && hi == hostHi);
}

// ---- border rule (types 1, 2, 3, 15 as variants 0..3)

bool BorderSide(Placing& s, int variant)
{
    const CRect& r = s.r;
    const CRect& h = s.h;
    if ((variant == 0 || variant == 1) && h.Height() >= r.Height() && SpanFits(r.top, r.bottom, h.top, h.bottom)) {
        // A tie goes to the left side.
        if (std::abs(h.right - r.left) < std::abs(h.left - r.right)) {
            s.p = CPoint(r.left, s.cy);
            s.q = CPoint(h.right, s.cy);
        } else {
            s.p = CPoint(r.right, s.cy);
            s.q = CPoint(h.left, s.cy);
        }
        return true;
    }
    if (variant != 1 && h.Width() >= r.Width() && SpanFits(r.left, r.right, h.left, h.right)) {
        // A tie goes above. Type 15 keeps its horizontal place on either side.
        if (std::abs(h.bottom - r.top) < std::abs(h.top - r.bottom)) {
            s.p.y = r.top;
            s.q.y = h.bottom;
        } else {
            s.p.y = r.bottom;
            s.q.y = h.top;
        }
        s.p.x = s.q.x = variant == 3 ? r.left : s.cx;
        return true;
    }
    return false;
}

void BorderNearestPair(Placing& s, int variant)
{
    const CRect& r = s.r;
    const CRect& h = s.h;
    struct Pair {
        CPoint p, q;
        unsigned variants;   // bit n: variant n may use it
    };
    const Pair pairs[] = {
        {{r.left, s.cy}, {h.right, s.hy}, 0x3},   {{r.right, s.cy}, {h.left, s.hy}, 0x3},
        {{s.cx, r.bottom}, {s.hx, h.top}, 0xD},   {{s.cx, r.top}, {s.hx, h.bottom}, 0xD},
        {{r.left, r.top}, {h.right, h.top}, 0x3}, {{r.right, r.top}, {h.left, h.top}, 0x3},
        {{r.left, r.bottom}, {h.right, h.bottom}, 0x3}, {{r.right, r.bottom}, {h.left, h.bottom}, 0x3},
        {{r.left, r.bottom}, {h.left, h.top}, 0x5}, {{r.right, r.bottom}, {h.right, h.top}, 0x5},
        {{r.left, r.top}, {h.left, h.bottom}, 0x5}, {{r.right, r.top}, {h.right, h.bottom}, 0x5},
    };
    int best = -1;
    for (const Pair& pair : pairs) {
        if (!(pair.variants & (1u << variant)))
            continue;
        const int d = PtDistanceRounded(pair.p, pair.q);
        if (best < 0 || d < best) {
            best = d;
            s.p = pair.p;
            s.q = pair.q;
        }
    }
}

// A figure beside the host comes to its middle height, one above or below
// to its middle, when it is within the snap distance of it.
void BorderCentre(Placing& s, int variant, int snap)
{
    const CRect& r = s.r;
    const bool sideMiddle = s.p == CPoint(r.left, s.cy) || s.p == CPoint(r.right, s.cy);
    if (variant <= 1 && sideMiddle && std::abs(s.q.y - s.hy) < snap)
        s.q.y = s.hy;
    const bool topCentre = s.p == CPoint(s.cx, r.top);
    const bool bottomCentre = variant != 3 && s.p == CPoint(s.cx, r.bottom);
    if (variant != 1 && (topCentre || bottomCentre) && std::abs(s.q.x - s.hx) < snap)
        s.q.x = s.hx;
}

bool PlaceBorder(Placing& s, int variant, int snap)
{
    if (!BorderSide(s, variant))
        BorderNearestPair(s, variant);
    if (snap != -1)
        BorderCentre(s, variant, snap);
    s.MoveOntoQ();
    return true;
}

// ---- outline rule (types 4, 5, 6 as variants 0..2)

bool PlaceOutline(Placing& s, int variant)
{
    const CRect& r = s.r;
    const CRect& h = s.h;
    if (variant == 0) {
        s.q = NearestPtOnRectOutline(h, s.p);
    } else if (variant == 1) {
        if (r.Height() > h.Height())
            return false;
        const int half = r.Height() / 2;
        const int top = h.top + half, bottom = h.bottom - (r.Height() - half);
        const CPoint left = ProjectPtOnLine(s.p, CPoint(h.left, top), CPoint(h.left, bottom), true);
        const CPoint right = ProjectPtOnLine(s.p, CPoint(h.right, top), CPoint(h.right, bottom), true);
        s.q = DistSq(s.p, left) < DistSq(s.p, right) ? left : right;
    } else {
        if (r.Width() > h.Width())
            return false;
        const int half = r.Width() / 2;
        const int left = h.left + half, right = h.right - (r.Width() - half);
        const CPoint top = ProjectPtOnLine(s.p, CPoint(left, h.top), CPoint(right, h.top), true);
        const CPoint bottom = ProjectPtOnLine(s.p, CPoint(left, h.bottom), CPoint(right, h.bottom), true);
        s.q = DistSq(s.p, top) < DistSq(s.p, bottom) ? top : bottom;
    }
    s.MoveOntoQ();
    return true;
}

// ---- inside rule (types 7, 8, 9 as variants 0..2)

bool PlaceInside(Placing& s, int variant)
{
    CRect& r = s.r;
    const CRect& h = s.h;
    if (r.Width() > h.Width() || r.Height() > h.Height())
        return false;
    const int dl = h.left - r.left, dr = h.right - r.right, dt = h.top - r.top, db = h.bottom - r.bottom;
    const bool fromLeft = std::abs(dl) < std::abs(dr), fromTop = std::abs(dt) < std::abs(db);
    const int sx = fromLeft ? dl : dr, sy = fromTop ? dt : db;
    const bool inside = r.left >= h.left && r.top >= h.top && r.right <= h.right && r.bottom <= h.bottom;
    const bool betweenTopAndBottom = r.top > h.top && r.bottom < h.bottom;
    const bool betweenSides = r.left > h.left && r.right < h.right;
    auto horizontal = [&] {
        r.OffsetRect(sx, 0);
        s.p = CPoint(fromLeft ? r.left : r.right, s.cy);
        return true;
    };
    auto vertical = [&] {
        r.OffsetRect(0, sy);
        s.p = CPoint(s.cx, fromTop ? r.top : r.bottom);
        return true;
    };
    auto corner = [&] {
        const bool left = r.left <= h.left, right = r.right >= h.right;
        const bool top = r.top <= h.top, bottom = r.bottom >= h.bottom;
        if (left && top)
            r.OffsetRect(dl, dt), s.p = r.TopLeft();
        else if (right && top)
            r.OffsetRect(dr, dt), s.p = CPoint(r.right, r.top);
        else if (left && bottom)
            r.OffsetRect(dl, db), s.p = CPoint(r.left, r.bottom);
        else if (right && bottom)
            r.OffsetRect(dr, db), s.p = CPoint(r.right, r.bottom);
        else
            return false;
        return true;
    };
    bool ok;
    if (variant == 0) {
        if (inside)
            ok = std::abs(sx) < std::abs(sy) ? horizontal() : vertical();
        else
            ok = betweenTopAndBottom ? horizontal() : betweenSides ? vertical() : corner();
    } else if (variant == 1) {
        ok = inside || betweenTopAndBottom ? horizontal() : corner();
    } else {
        ok = inside || betweenSides ? vertical() : corner();
    }
    if (ok)
        s.q = s.p;
    return ok;
}

// ---- the single-type rules (10..14, 16)

bool PlaceSingle(Placing& s, int type)
{
    const CRect& h = s.h;
    switch (type) {
    case 10: {
        POINT q{s.hx, s.cy};
        ClampPtToRect(q, h);
        s.q = q;
        s.MoveAcrossToQ();
        return true;
    }
    case 11: {
        CPoint n = NearestPtOnRectOutline(h, s.p);
        if (n.x > h.left && n.x < h.right)
            n.x = std::abs(n.x - h.left) < std::abs(h.right - n.x) ? h.left : h.right;
        s.q = n;
        s.MoveAcrossToQ();
        return true;
    }
    case 12:
        s.q = CPoint(s.hx, h.bottom);
        break;
    case 13:
        s.p = CPoint(s.cx, s.r.top);
        s.q = CPoint(s.hx, h.bottom);
        break;
    case 14:
        s.p = CPoint(s.cx, s.r.bottom);
        s.q = CPoint(s.hx, h.top);
        break;
    case 16:
        s.q = CPoint(h.right, h.top);
        break;
    default:
        return false;
    }
    s.MoveOntoQ();
    return true;
}

} // namespace

bool PlacePinRect(int type, CRect& r, const CRect& h, CPoint& p, CPoint& q, int snap)
{
    CRect work = r;
    Placing s(work, h, p, q);
    bool ok;
    switch (type) {
    case 1: case 2: case 3:
        ok = PlaceBorder(s, type - 1, snap);
        break;
    case 15:
        ok = PlaceBorder(s, 3, snap);
        break;
    case 4: case 5: case 6:
        ok = PlaceOutline(s, type - 4);
        break;
    case 7: case 8: case 9:
        ok = PlaceInside(s, type - 7);
        break;
    default:
        ok = PlaceSingle(s, type);
        break;
    }
    if (ok)
        r = work;
    return ok;
}

bool PlacePinDistance(int type, int& distance, const CRect& r, const CRect& h, CPoint& q)
{
    CRect moved = r;
    CPoint p;
    distance = 0;
    if (!PlacePinRect(type, moved, h, p, q, -1))
        return false;
    distance = PtDistanceRounded(r.TopLeft(), moved.TopLeft());
    return true;
}
