// The compartment region each text box of a special shape belongs to, and
// fitting a text box into its region inside the text margins.
#include "shapes/CFigSymbol.h"

#include "geometry/IntGeometry.h"
#include "shapes/CProgramEditGuard.h"
#include "shapes/DividedShapeKinds.h"
#include "shapes/DividedShapeOutline.h"
#include "geometry/SymbolSpace.h"
#include "shapes/KindRange.h"

#include <algorithm>

namespace {

// A symbol-space rectangle laid into the figure rectangle as the drawing lays
// it (divisors width - 1 and height - 1).
CFltRect LayIntoRect(const CFltRect& r, const CRect& rect)
{
    CFltPoint a = r.GetCorner1(), b = r.GetCorner2();
    for (CFltPoint* p : {&a, &b}) {
        MapNormPtToSize(*p, rect.Width() - 1.0, rect.Height() - 1.0, 0.0);
        p->x += static_cast<float>(rect.left);
        p->y += static_cast<float>(rect.top);
    }
    CFltRect out;
    out.SetCorners(a, b);
    return out;
}

// The inverse of LayIntoRect (modes 0): figure units back into symbol units
// with the same divisors, so that a fitted box does not creep on each fit.
void TakeOutOfRect(CFltRect& r, const CRect& rect)
{
    const double w = rect.Width() - 1.0, h = rect.Height() - 1.0;
    if (w <= 0 || h <= 0)
        return;
    r.left = static_cast<float>((r.left - rect.left) * 2048.0 / w);
    r.right = static_cast<float>((r.right - rect.left) * 2048.0 / w);
    r.top = static_cast<float>((r.top - rect.top) * 2048.0 / h);
    r.bottom = static_cast<float>((r.bottom - rect.top) * 2048.0 / h);
    r.m_nLeftMode = r.m_nTopMode = r.m_nRightMode = r.m_nBottomMode = 0;
}

// The located parts with the notation of the region table.
struct RegionTerms {
    const SpecialOutlineParts& p;
    const BYTE* boxes;
    CFltRect Box(int k) const { return ReadOutlineRect(boxes + k * kOutlineRectBytes); }
    float Px(int i) const { return p.points[i].x; }
    float Py(int i) const { return p.points[i].y; }
    const CFltPoint& A(int j) const { return p.lines[j].m_pt1; }
    const CFltPoint& B(int j) const { return p.lines[j].m_pt2; }
    // Text-width x of box k: its right side plus its distance from the left.
    float W(int k, float frameLeft) const { return Box(k).right + Box(k).left - frameLeft; }
    float V() const { return (Box(0).left + Box(1).right) / 2; }
};

void Set(CFltRect& r, float l, float t, float rt, float b)
{
    r.left = l;
    r.top = t;
    r.right = rt;
    r.bottom = b;
}

// Stacked bands of the rectangle-framed kinds: box n from line n - 1 (or the
// top) to line n (or the bottom), over lines first.. .
void Band(CFltRect& r, const RegionTerms& t, int n, int first, int bands)
{
    if (n > 0)
        r.top = t.A(first + n - 1).y;
    if (n < bands - 1)
        r.bottom = t.A(first + n).y;
}

bool PolygonRegion(int k, int n, const RegionTerms& t, const CRect& fig, CFltRect& r)
{
    auto x = [&t](int i) { return t.Px(i); };
    auto y = [&t](int i) { return t.Py(i); };
    const float p0 = t.p.nPoints > 0 ? x(0) : 0;
    if (k == 6) {
        Set(r, x(0), y(0), x(2), y(3));
    } else if (k == 8 || k == 9 || k == 10 || k == 72) {
        if (n == 0)
            Set(r, x(0), y(0), x(1), y(2));
        else if (k == 72 && n == 1)
            Set(r, x(0), y(3), x(3), y(4));
        else if (k == 8 && n == 1)
            Set(r, x(0), y(3), x(3), t.A(1).y);
        else if (k == 8 && n == 2)
            Set(r, x(0), t.A(1).y, x(3), y(4));
        else if (k == 9 && n == 1)
            Set(r, x(0), y(2), t.A(1).x, y(5));
        else if (k == 9 && n == 2)
            Set(r, t.A(1).x, y(2), x(3), y(5));
        else if (k == 10 && n == 1)
            Set(r, t.A(1).x, y(2), t.B(1).x, t.A(1).y);
        else if (k == 10 && n == 2)
            Set(r, t.A(1).x, t.A(1).y, t.B(1).x, y(5));
        else if (k == 10 && n == 3)
            Set(r, t.A(2).x, t.A(2).y, x(3), t.B(2).y);
    } else if (KindIn(k, 11, 18) || (KindIn(k, 27, 41) && k % 2 == 1)) {
        if (n != 0)
            return true;
        if (k == 11 || k == 12 || k == 27 || k == 29)
            Set(r, x(1), y(0), x(0), y(6));
        else if (k == 13 || k == 14 || k == 31 || k == 33)
            Set(r, x(0), y(0), x(1), y(6));
        else if (k == 15 || k == 35)
            Set(r, x(2), y(3), x(3), y(7));
        else if (k == 16 || k == 37)
            Set(r, x(4), y(3), x(3), y(2));
        else if (k == 17 || k == 39)
            Set(r, x(5), y(2), x(2), y(3));
        else
            Set(r, x(8), y(2), x(2), y(3));
    } else if (k == 21) {
        if (n == 0)
            Set(r, x(1), t.A(0).y, t.A(0).x, t.B(0).y);
        else if (n == 1)
            Set(r, t.A(0).x, t.A(0).y, x(0), t.B(0).y);
    } else if (k == 22 || k == 25 || k == 132 || k == 133 || k == 145 || k == 146) {
        if (n == 0)
            Set(r, x(0), y(16), x(34), y(50));
    } else if (k == 23) {
        if (n == 0)
            Set(r, x(0), y(16), t.A(0).x, y(50));
        else if (n == 1)
            Set(r, t.A(0).x, y(16), x(34), y(50));
    } else if (k == 24 || k == 58 || k == 74 || k == 85) {
        const int lines = k == 24 ? 2 : 1;
        if (n > lines)
            return true;
        r.left = x(0);
        r.right = x(34);
        r.top = n == 0 ? y(16) : t.A(std::min(n, lines) - 1).y;
        r.bottom = n >= lines ? y(50) : t.A(n).y;
    } else if (k == 50 || k == 51 || k == 63 || k == 64) {
        const bool across = k == 50 || k == 51;
        if (n == 0)
            Set(r, x(0), y(0), x(1), y(7));
        else if (n == 1)
            Set(r, across ? x(6) : x(2), across ? y(6) : y(2), x(3), y(5));
    } else if (k == 53) {
        if (n == 0)
            Set(r, x(0), y(0), x(5), y(7));
    } else if (k == 54 || k == 56) {
        if (n == 0)
            Set(r, x(0), y(0), x(1), y(2));
        else if (n == 1)
            Set(r, x(0), y(3), t.W(1, p0), y(4));
    } else if (k == 55 || k == 57 || k == 78 || k == 79) {
        if (n == 0)
            Set(r, x(0), y(0), t.W(0, p0), y(2));
        else if (n == 1 && k <= 57)
            Set(r, x(0), y(3), x(3), y(4));
    } else if (k == 59 || k == 131) {
        if (n == 0)
            Set(r, x(0), y(0), x(4), y(5));
    } else if (KindIn(k, 75, 77)) {
        if (n == 0)
            Set(r, x(0), y(0), t.W(0, p0), y(2));
        else if (k == 75 && n == 1)
            Set(r, x(0), t.A(1).y, t.A(1).x, t.B(1).y);
        else if (k == 75 && n == 2)
            Set(r, t.A(1).x, t.A(1).y, x(3), t.B(1).y);
        else if (k == 76 && n == 1)
            Set(r, x(0), y(3), x(3), t.A(1).y);
        else if (k == 76 && n == 2)
            Set(r, x(0), t.A(1).y, x(3), y(4));
        else if (k == 77 && n == 1)
            Set(r, static_cast<float>(fig.left), y(2), t.B(1).x, t.A(1).y);
        else if (k == 77 && n == 2)
            Set(r, static_cast<float>(fig.left), t.A(1).y, t.B(1).x, y(5));
        else if (k == 77 && n == 3)
            Set(r, t.A(2).x, t.A(2).y, x(3), t.B(2).y);
    } else {
        return false;
    }
    return true;
}

bool RectRegion(int k, int n, const RegionTerms& t, CFltRect& r)
{
    const CFltRect& R = t.p.rect;
    if (KindIn(k, 2, 5) || KindIn(k, 43, 49) || k == 52 || KindIn(k, 86, 99) || k == 100 || k == 119 || k == 120 ||
        k == 122 || k == 123 || KindIn(k, 126, 130) || k == 135)
        r = R;
    if (KindIn(k, 2, 5)) {
        Band(r, t, n, 0, k + 1);
    } else if (KindIn(k, 43, 49)) {
        if (n > 0)
            r.left = t.A(n - 1).x;
        if (n < k - 42)
            r.right = t.A(n).x;
    } else if (k == 52) {
        if (n == 0)
            r.bottom = t.A(0).y;
        else if (n == 1)
            r.top = t.A(1).y;
    } else if (KindIn(k, 86, 89) || KindIn(k, 94, 97) || k == 119 || k == 120 || k == 122 || k == 123 ||
               KindIn(k, 126, 129)) {
        if (n == 0) {
            r.right = t.W(0, R.left);
            r.bottom = t.A(0).y;
        } else if (n == 1) {
            r.top = t.A(0).y;
        }
    } else if (KindIn(k, 90, 93)) {
        if (n == 0) {
            r.right = t.W(0, R.left);
            r.bottom = t.A(0).y;
        } else {
            Band(r, t, n, 0, 3);
        }
    } else if (k == 98 || k == 99 || k == 100 || k == 130) {
        if (n == 0 || n == 1) {
            (n == 0 ? r.left : r.right) = t.V();
            r.bottom = t.A(0).y;
        } else {
            Band(r, t, n - 1, 0, k == 99 ? 3 : 2);
        }
    } else if (k == 19 || k == 20) {
        if (n == 0)
            r = t.p.inner;
    } else if (k == 135) {
        r.left = t.A(0).x;
        r.right = t.A(1).x;
        Band(r, t, n, 2, 3);
    } else {
        return false;
    }
    return true;
}

} // namespace

int CFigSymbol::GetTextBoxSideFlags(int box) const
{
    return box >= 0 && box < m_nFrames && box < kMaxFrames ? m_frameValues[box] : 0;
}

int CFigSymbol::GetCompartmentRegion(int box, const RECT& rect, CFltRect& region) const
{
    if (box < 0 || box >= m_nTextBoxes || m_nTextBoxPos < 0)
        return 0;
    const CRect fig(rect);
    if (m_nFrames == m_nTextBoxes && box < kMaxFrames) {
        region = LayIntoRect(m_frames[box], fig);
        return 1;
    }
    const int k = Reshape;
    const bool whole = k == 61 || k == 62 || k == 84 || KindIn(k, 101, 104) || k == 125 || IsGridKind(k);
    if (k == 0 || k == 1 || k == 7 || k == 60 || k == 73 || k == 105 || k == 124 || k == 134 ||
        KindIn(k, 136, 144) || k > 162)
        return 0;
    SpecialOutlineParts parts;
    const BYTE* boxes;
    if (!ParseSpecialParts(rect, parts, boxes) || !boxes)
        return 0;
    region = CFltRect(fig);
    if (whole)
        return 1;
    const RegionTerms terms{parts, boxes};
    if (parts.nPoints > 0 ? PolygonRegion(k, box, terms, fig, region) : RectRegion(k, box, terms, region))
        return 1;
    return 0;
}

int CFigSymbol::GetTextBoxMargins(int box, const RECT& rect, int& left, int& right, int& top, int& bottom) const
{
    left = right = top = bottom = 0;
    CFltRect region;
    if (m_nTextBoxes <= 0 || !GetCompartmentRegion(box, rect, region))
        return 0;
    const CFltRect b = LayIntoRect(ReadOutlineRect(m_program.data() + m_nTextBoxPos + box * kOutlineRectBytes),
                                   CRect(rect));
    left = RoundHandle(b.left - region.left);
    right = RoundHandle(region.right - b.right);
    top = RoundHandle(b.top - region.top);
    bottom = RoundHandle(region.bottom - b.bottom);
    return 1;
}

int CFigSymbol::FitTextBoxToMargins(int box, const RECT& rect, int left, int right, int top, int bottom)
{
    CFltRect r;
    if (!GetCompartmentRegion(box, rect, r))
        return 0;
    MaskTextMargins(box, left, right, top, bottom);
    const int flags = GetTextBoxSideFlags(box);
    float l = static_cast<float>(left), rt = static_cast<float>(right);
    float t = static_cast<float>(top), b = static_cast<float>(bottom);
    // Too narrow for the least size and the margins: a fixed side keeps its
    // place and the other side gives up margin, or both share what is left.
    auto share = [](float size, float least, float& lo, float& hi, bool fixLo, bool fixHi) {
        if (size - lo - hi >= least)
            return;
        if (fixLo)
            hi = std::max(0.0f, size - lo - least);
        else if (fixHi)
            lo = std::max(0.0f, size - hi - least);
        else
            lo = hi = std::max(0.0f, (size - least) / 2);
    };
    share(r.right - r.left, 32, l, rt, flags & 1, flags & 4);
    share(r.bottom - r.top, 16, t, b, flags & 2, flags & 8);
    if (!(flags & 1))
        r.left += l;
    if (!(flags & 4))
        r.right -= rt;
    if (!(flags & 2))
        r.top += t;
    if (!(flags & 8))
        r.bottom -= b;
    // Back into symbol units, keeping the box's anchoring.
    BYTE* at = m_program.data() + m_nTextBoxPos + box * kOutlineRectBytes;
    const CFltRect old = ReadOutlineRect(at);
    TakeOutOfRect(r, CRect(rect));
    r.ClampToSymbolSpace();
    r.FitAspect(rect, old.m_nLeftMode, old.m_nTopMode, old.m_nRightMode, old.m_nBottomMode);
    CProgramEditGuard guard(*this);
    WriteOutlineRect(at, r);
    if (!guard.Keep())
        return 0;
    ReshapeNameTab();
    return 1;
}
