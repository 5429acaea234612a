#include "document/LabelPlacement.h"

#include "document/CConnector.h"
#include "document/CFigure.h"
#include "geometry/CLineSeg.h"
#include "geometry/IntGeometry.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {
// Alignment words along one axis: the label starts at the segment's start,
// ends at its end, or is centred.
constexpr int kAtStart = 4, kCentred = 2, kAtEnd = 1;

// Places a label of extent `len` along the segment lo..hi at `c`: a shorter
// label is centred on c and kept within the segment; a longer one covers the
// segment centred when c lies between the middles of its halves, else
// reaches out on c's side. Returns the start and the alignment word.
int AlongSegment(int c, int lo, int hi, int len, int& start)
{
    if (len < hi - lo) {
        start = c - len / 2;
        if (start < lo) {
            start = lo;
            return kAtStart;
        }
        if (start + len > hi) {
            start = hi - len;
            return kAtEnd;
        }
        return kCentred;
    }
    const int mid = (lo + hi) / 2, q1 = (lo + mid) / 2, q3 = (mid + hi) / 2;
    if (c >= q1 && c <= q3) {
        start = mid - len / 2;
        return kCentred;
    }
    if (c > q3) {
        start = lo;
        return kAtStart;
    }
    start = hi - len;
    return kAtEnd;
}

// The vertical word for the same position along a vertical segment.
WORD VerticalWord(int along)
{
    return along == kAtStart ? 64 : along == kAtEnd ? 16 : 32;
}

CPoint LateralAnchor(const CPoint& a, const CPoint& b, const CPoint& p, int offset, int consistency)
{
    const int dx = b.x - a.x, dy = b.y - a.y;
    if (dy == 0) {
        const int o = consistency == 1 && dx < 0 ? -offset : offset;
        return CPoint(p.x, p.y - o);
    }
    if (dx == 0) {
        const int o = consistency == 1 && dy < 0 ? -offset : offset;
        return CPoint(p.x + o, p.y);
    }
    // The side is taken from the line read left to right, or from its own
    // direction under consistency 1; a quarter turn anticlockwise from it.
    const bool leftToRight = consistency != 1 && dx < 0;
    double angle = (leftToRight ? LineAngle(b, a) : LineAngle(a, b)) - kGeomHalfPi;
    // A negative offset goes the opposite way (distances stay positive, so
    // that they round the same on both sides).
    if (offset < 0)
        angle += kGeomPi;
    while (angle < 0)
        angle += kGeomTwoPi;
    while (angle >= kGeomTwoPi)
        angle -= kGeomTwoPi;
    return PtAtAngle(p.x, p.y, angle, std::abs(offset));
}
} // namespace

void PlaceLatLbl(const POINT& e1, const POINT& e2, const POINT& pt, const CSize& size, int offset, int consistency,
                 CPoint& anchor, CRect& rect, WORD& align)
{
    const CPoint a(e1), b(e2);
    const CPoint p = ProjectPtOnLine(pt, a, b, true);
    anchor = LateralAnchor(a, b, p, offset, consistency);
    const int w = size.cx, h = size.cy;
    const int dx = b.x - a.x, dy = b.y - a.y;
    const double adx = std::abs(double(dx)), ady = std::abs(double(dy));
    int left = 0, top = 0;
    if (dy == 0 || adx > kLatLblNearAxisRatio * ady) {
        const bool below = anchor.y > p.y;
        top = below ? anchor.y : anchor.y - h;
        align = WORD(AlongSegment(anchor.x, std::min(a.x, b.x), std::max(a.x, b.x), w, left) | (below ? 64 : 16));
    } else if (dx == 0 || ady > kLatLblNearAxisRatio * adx) {
        const bool leftOf = anchor.x < p.x;
        left = leftOf ? anchor.x - w : anchor.x;
        align = WORD((leftOf ? 1 : 4) | VerticalWord(AlongSegment(anchor.y, std::min(a.y, b.y), std::max(a.y, b.y), h, top)));
    } else {
        // The label takes the quadrant away from the line at the anchor.
        const int o = consistency == 1 && dx < 0 ? -offset : offset;
        const bool rising = (dx > 0) == (dy > 0);   // slope dy/dx > 0, y growing downwards
        const bool leftOfAnchor = rising == (o < 0);
        const bool belowAnchor = o < 0;
        left = leftOfAnchor ? anchor.x - w : anchor.x;
        top = belowAnchor ? anchor.y : anchor.y - h;
        align = WORD((leftOfAnchor ? 1 : 4) | (belowAnchor ? 64 : 16));
    }
    rect.SetRect(left, top, left + w, top + h);
}

bool PtInSweptRect(const CRect& a, const CRect& b, const POINT& pt)
{
    // The label at a + t (b - a), 0 <= t <= 1, covers pt when every axis
    // allows a common t; the rectangles' last pixels are right - 1 and
    // bottom - 1.
    double lo = 0, hi = 1;
    const auto axis = [&](int p, int first, int last, int move) {
        if (move == 0)
            return p >= first && p <= last;
        // first + t * move <= p <= last + t * move
        double t1 = double(p - last) / move, t2 = double(p - first) / move;
        if (t1 > t2)
            std::swap(t1, t2);
        lo = std::max(lo, t1);
        hi = std::min(hi, t2);
        return lo <= hi;
    };
    return axis(pt.x, a.left, a.right - 1, b.left - a.left) && axis(pt.y, a.top, a.bottom - 1, b.top - a.top);
}

int LatLblSideCode(const POINT& e1, const POINT& e2, WORD align)
{
    const double adx = std::abs(double(e2.x - e1.x)), ady = std::abs(double(e2.y - e1.y));
    const bool above = (align & 16) != 0, leftOf = (align & 1) != 0;
    if (ady == 0 || adx > kLatLblNearAxisRatio * ady)
        return above ? 6 : 2;
    if (adx == 0 || ady > kLatLblNearAxisRatio * adx)
        return leftOf ? 4 : 8;
    if (above)
        return leftOf ? 5 : 7;
    return leftOf ? 3 : 1;
}

CPoint RectPointAtSideCode(const CRect& rc, int code)
{
    const int cx = (rc.left + rc.right) / 2, cy = (rc.top + rc.bottom) / 2;
    switch (code) {
    case 1: return CPoint(rc.left, rc.top);
    case 2: return CPoint(cx, rc.top);
    case 3: return CPoint(rc.right, rc.top);
    case 4: return CPoint(rc.right, cy);
    case 5: return CPoint(rc.right, rc.bottom);
    case 6: return CPoint(cx, rc.bottom);
    case 7: return CPoint(rc.left, rc.bottom);
    case 8: return CPoint(rc.left, cy);
    default: return CPoint(cx, cy);
    }
}

WORD AlignFacingSideCode(int code)
{
    // Horizontal 4 left, 2 centre, 1 right; vertical 64 top, 32 middle,
    // 16 bottom: by code 1..8 clockwise from the top left.
    static constexpr WORD kAlign[8] = {4 | 64, 2 | 64, 1 | 64, 1 | 32, 1 | 16, 2 | 16, 4 | 16, 4 | 32};
    return code >= 1 && code <= 8 ? kAlign[code - 1] : WORD(2 | 32);
}

namespace {
enum class Side { Top, Bottom, Left, Right };

// The side of `rc` the segment from `far` crosses at `hit`.
Side CrossedSide(const CRect& rc, const CPoint& far, const CPoint& hit)
{
    if (hit.y == rc.top && far.y < rc.top)
        return Side::Top;
    if (hit.y == rc.bottom && far.y > rc.bottom)
        return Side::Bottom;
    if (hit.x == rc.left && far.x < rc.left)
        return Side::Left;
    if (hit.x == rc.right && far.x > rc.right)
        return Side::Right;
    if (hit.y == rc.top)
        return Side::Top;
    if (hit.y == rc.bottom)
        return Side::Bottom;
    return hit.x == rc.left ? Side::Left : Side::Right;
}

int RoundDiv(double num, double den)
{
    return int(std::lround(num / den));
}

// One slot: the point of the label that touches, on which side of the
// rectangle, and whether it lies before (slot 1) or after (slot 2) the
// crossing along that side.
struct Slot {
    Side side;
    int along;   // x on a top or bottom side, y on a left or right side
    bool first;
};

// A slot past the end of its side goes round the corner onto the adjacent
// side, as far along it as the slope of the connector carries it.
void RoundTheCorner(Slot& s, const CRect& f, int adx, int ady)
{
    if (adx == 0 || ady == 0)
        return;
    const bool horizontalSide = s.side == Side::Top || s.side == Side::Bottom;
    const int lo = horizontalSide ? f.left : f.top, hi = horizontalSide ? f.right : f.bottom;
    const int over = s.first ? lo - s.along : s.along - hi;
    if (over <= 0)
        return;
    const int t = horizontalSide ? RoundDiv(double(over) * ady, adx) : RoundDiv(double(over) * adx, ady);
    // Round a corner of the top (or left) side the label stays before the
    // point it touches, round one of the bottom (or right) side after it:
    // its touching corner stays the same.
    const bool fromStart = s.side == Side::Top || s.side == Side::Left;
    const int start = horizontalSide ? f.top : f.left, end = horizontalSide ? f.bottom : f.right;
    s.along = fromStart ? start + t : end - t;
    s.side = horizontalSide ? (s.first ? Side::Left : Side::Right) : (s.first ? Side::Top : Side::Bottom);
    s.first = fromStart;
}

// The rectangle of a label touching side `s` of `f` at `along` from outside,
// and the code of its touching corner (3 x column + row; column 2 its right
// side, row 2 its bottom).
CRect SlotRect(const Slot& s, const CRect& f, const CSize& size, int& corner)
{
    // By side (top, bottom, left, right): the corner of the slot before the
    // crossing and of the one after it.
    static constexpr int kCorners[4][2] = {{8, 2}, {6, 0}, {8, 6}, {2, 0}};
    corner = kCorners[int(s.side)][s.first ? 0 : 1];
    const bool horizontalSide = s.side == Side::Top || s.side == Side::Bottom;
    const CPoint touch = horizontalSide ? CPoint(s.along, s.side == Side::Top ? f.top : f.bottom)
                                        : CPoint(s.side == Side::Left ? f.left : f.right, s.along);
    const int left = corner / 3 == 2 ? touch.x - size.cx : touch.x;
    const int top = corner % 3 == 2 ? touch.y - size.cy : touch.y;
    return CRect(left, top, left + size.cx, top + size.cy);
}
} // namespace

bool CalcFlowLblRects(const CConnector& con, const CFigure& fig, const CSize& size, int gap, int inflate, CRect& r1,
                      CRect& r2, int& corner1, int& corner2)
{
    if (fig.IsInvisible())
        return false;
    const bool atEnd1 = con.m_pFig1 == &fig;
    const CPoint near = atEnd1 ? con.EndPoint1 : con.EndPoint2;
    const CPoint far = atEnd1 ? con.EndPoint2 : con.EndPoint1;
    CRect f = fig.m_rect;
    if (!fig.HasFlags(0x4000000, 0))
        f.InflateRect(inflate, inflate);
    const CLineSeg seg(far, near);
    POINT hit{};
    if (!IntersectSegmentRect(seg, f, hit)) {
        const int k = std::max(inflate, 2);
        f.SetRect(near.x - k, near.y - k, near.x + k + 1, near.y + k + 1);
        if (!IntersectSegmentRect(seg, f, hit))
            return false;
    }
    const Side side = CrossedSide(f, far, hit);
    const int adx = std::abs(far.x - near.x), ady = std::abs(far.y - near.y);
    const double len = std::hypot(double(adx), double(ady));
    const bool horizontalSide = side == Side::Top || side == Side::Bottom;
    // The gap from the connector, measured along the crossed side.
    const int across = horizontalSide ? ady : adx;
    const int g = across == 0 || across == len ? gap : RoundDiv(gap * len, across);
    const int at = horizontalSide ? hit.x : hit.y;
    // A slanted connector leans over one slot as it leaves the side: that
    // slot moves away along the side by the lean over the label's depth, so
    // that the label keeps the gap from the line all along, not only where
    // it touches the side.
    const int depth = horizontalSide ? size.cy : size.cx;
    const int away = horizontalSide ? std::abs(far.y - hit.y) : std::abs(far.x - hit.x);
    const int leanOut = horizontalSide ? far.x - hit.x : far.y - hit.y;
    const int lean = away == 0 ? 0 : RoundDiv(double(leanOut) * depth, away);
    Slot s1{side, at - g + std::min(lean, 0), true}, s2{side, at + g + std::max(lean, 0), false};
    RoundTheCorner(s1, f, adx, ady);
    RoundTheCorner(s2, f, adx, ady);
    r1 = SlotRect(s1, f, size, corner1);
    r2 = SlotRect(s2, f, size, corner2);
    return true;
}

WORD FlowLblAlign(int corner)
{
    if (corner < 0 || corner > 8)
        return 0;
    static constexpr WORD kColumn[3] = {4, 2, 1};
    static constexpr WORD kRow[3] = {64, 32, 16};
    return WORD(kColumn[corner / 3] | kRow[corner % 3]);
}

namespace {
constexpr FigLblPlace kFigLblPlaces[12] = {
    {0, 0, 0, 255, 4, 16},     {127, 0, 127, 255, 2, 16}, {255, 0, 255, 255, 1, 16},
    {255, 0, 0, 0, 4, 64},     {255, 127, 0, 127, 4, 32}, {255, 255, 0, 255, 4, 16},
    {255, 255, 255, 0, 1, 64}, {127, 255, 127, 0, 2, 64}, {0, 255, 0, 0, 4, 64},
    {0, 255, 255, 255, 1, 16}, {0, 127, 255, 127, 1, 32}, {0, 0, 255, 0, 1, 64},
};

// Which of the three bands along a side of lo..hi (a band of b at each end
// and one centred) holds v: 1, 2, 3 or 0.
int BandAlongSide(int v, int lo, int hi, int b)
{
    const int mid = (lo + hi) / 2 - b / 2;
    if (v >= lo && v < lo + b)
        return 1;
    if (v >= mid && v <= mid + b)
        return 2;
    if (v > hi - b && v <= hi)
        return 3;
    return 0;
}
} // namespace

FigLblPlace FigLblPlaceOf(int code)
{
    if (code < 1 || code > 12)
        return {127, 127, 127, 127, 2, 32};
    return kFigLblPlaces[code - 1];
}

int FigLblPosFromPt(const CRect& rc, const POINT& pt, const CSize& size, int tol)
{
    const CRect in(rc.left - tol, rc.top - tol, rc.right + tol, rc.bottom + tol);
    const CRect out(in.left - size.cx, in.top - size.cy, in.right + size.cx, in.bottom + size.cy);
    const int x = pt.x, y = pt.y;
    if (x < out.left || x > out.right || y < out.top || y > out.bottom)
        return 0;
    if (x > in.left && x < in.right && y > in.top && y < in.bottom)
        return 0;
    if (y < rc.top || y > rc.bottom) {
        if (x < rc.left || x > rc.right)
            return 0;
        const int band = BandAlongSide(x, rc.left, rc.right, std::min<int>(size.cx, rc.Width() / 3));
        if (!band)
            return 0;
        if (y <= in.top)
            return band;
        return y >= in.bottom ? 10 - band : 0;
    }
    const int band = BandAlongSide(y, rc.top, rc.bottom, std::min<int>(size.cy, rc.Height() / 3));
    if (!band)
        return 0;
    if (x <= in.left)
        return 13 - band;
    return x >= in.right ? 3 + band : 0;
}
