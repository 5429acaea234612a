// Limiting a dragged divider handle of a special shape: per kind and divider,
// the text boxes the symbol must hold and the lower and upper bounds of the
// handle's x and y, so that the shape stays drawable and every compartment
// keeps room for its text. All terms are single-precision, as the outline is.
#include "shapes/CFigSymbol.h"

#include "geometry/IntGeometry.h"
#include "shapes/DividedShapeKinds.h"
#include "shapes/DividedShapeOutline.h"
#include "shapes/KindRange.h"

#include <algorithm>

namespace {

// The bracketed class, component and artifact kinds: one text box, a row
// divider and the icon column.
bool IsBracketedClass(int k)
{
    return KindIn(k, 94, 97) || k == 119 || k == 120 || k == 122 || k == 123 || KindIn(k, 126, 129);
}

// 10/31 as the single-precision 0.32258067: one step above the float nearest
// to 10/31 (0.32258064). The bounds of kinds 59 and 131 are rounded to whole
// units from it, so the step decides where a bound falls on a half.
constexpr float kNodeFraction = 0.32258067f;
constexpr float kThird = 1.0f / 3.0f;              // 0.33333334
constexpr float kEllipseInset = 0.29289323f;       // 1 - 1/sqrt 2

struct Bounds {
    float lox = 0, hix = 0, loy = 0, hiy = 0;
    void FixX(float v) { lox = hix = v; }
    void FixY(float v) { loy = hiy = v; }
    void X(float lo, float hi) { lox = lo; hix = hi; }
    void Y(float lo, float hi) { loy = lo; hiy = hi; }
};

// The terms the bounds are written with (figure units).
class LimitTerms {
public:
    LimitTerms(const RECT& rect, const SpecialOutlineParts& parts, const BYTE* boxes, int nBoxes,
               const float* mw, const float* mh)
        : p(parts), rect(rect), m_mw(mw), m_mh(mh)
    {
        Fl = static_cast<float>(rect.left);
        Ft = static_cast<float>(rect.top);
        Fr = static_cast<float>(rect.right);
        Fb = static_cast<float>(rect.bottom);
        W = Fr - Fl;
        H = Fb - Ft;
        s = std::min(W, H) / 2;
        nT = std::clamp(nBoxes, 0, kMaxSpecialSections);
        for (int k = 0; k < nT && boxes; ++k)
            T[k] = ReadOutlineRect(boxes + k * kOutlineRectBytes);
    }

    const SpecialOutlineParts& p;
    const RECT rect;   // the figure rectangle, whole units
    float Fl, Ft, Fr, Fb, W, H, s;
    CFltRect T[kMaxSpecialSections];
    int nT = 0;

    const CFltRect& R() const { return p.rect; }
    const CFltPoint& P(int i) const { return p.points[i]; }
    const CFltPoint& Q(int i) const { return p.second[i]; }
    const CFltPoint& L(int i) const { return p.lines[i].m_pt1; }
    const CFltPoint& L2(int i) const { return p.lines[i].m_pt2; }
    CFltPoint Mid(int i) const { return p.lines[i].GetMidPoint(); }
    float w(int k) const { return T[k].right - T[k].left; }
    float h(int k) const { return T[k].bottom - T[k].top; }
    float mw(int k) const { return m_mw[k]; }
    float mh(int k) const { return m_mh[k]; }
    float NH(int k, float a, float b) const { return mh(k) + (b - a) - h(k); }
    float NW(int k, float a, float b) const { return mw(k) + (b - a) - w(k); }

private:
    const float* m_mw;
    const float* m_mh;
};

// Row i of a stack in a rectangle frame whose separators are lines first..
float RowTop(const LimitTerms& t, int first, int i) { return i == 0 ? t.R().top : t.L(first + i - 1).y; }
float RowBottom(const LimitTerms& t, int first, int i, int rows)
{
    return i == rows - 1 ? t.R().bottom : t.L(first + i).y;
}

// Divider n between rows n and n + 1 of a stack separated by lines first..
void RowsRule(const LimitTerms& t, int first, int n, int rows, Bounds& b)
{
    b.FixX(t.Mid(first + n).x);
    const float top0 = RowTop(t, first, n), bottom0 = RowBottom(t, first, n, rows);
    const float top1 = RowTop(t, first, n + 1), bottom1 = RowBottom(t, first, n + 1, rows);
    b.Y(top0 + t.NH(n, top0, bottom0), bottom1 - t.NH(n + 1, top1, bottom1));
}

void ColumnsRule(const LimitTerms& t, int n, int cols, Bounds& b)
{
    auto left = [&](int i) { return i == 0 ? t.R().left : t.L(i - 1).x; };
    auto right = [&](int i) { return i == cols - 1 ? t.R().right : t.L(i).x; };
    b.FixY(t.Mid(n).y);
    b.X(left(n) + t.NW(n, left(n), right(n)), right(n + 1) - t.NW(n + 1, left(n + 1), right(n + 1)));
}

// The icon column of the class kinds: divider 1 of kinds 86..89 with line i.
void IconColumn(const LimitTerms& t, int i, Bounds& b)
{
    const float free = (t.L(i).x - t.R().left) - t.w(0);
    b.X(t.R().left + t.mw(0) + free, t.R().right - free / 2);
    b.FixY(t.Mid(i).y);
}

// Divider 1 of kind 98: the split of the top row into two columns.
void SplitColumn(const LimitTerms& t, int i, Bounds& b)
{
    b.X(t.R().left + t.NW(1, t.R().left, t.L(i).x), t.R().right - t.NW(0, t.L(i).x, t.R().right));
    b.FixY(t.Mid(i).y);
}

// Divider 1 of kinds 55 and 57 with line i: the tab text's width.
void TabTextColumn(const LimitTerms& t, int i, Bounds& b)
{
    const float free = (t.L2(i).x - t.Fl) - t.w(0);
    b.X(t.Fl + t.mw(0) + free, t.L2(0).x - free / 2);
    b.FixY(t.Mid(i).y);
}

bool RectFrameBounds(int k, int n, const LimitTerms& t, Bounds& b)
{
    const CFltRect& R = t.R();
    if (KindIn(k, 1, 5)) {
        RowsRule(t, 0, n, k + 1, b);
    } else if (KindIn(k, 43, 49)) {
        ColumnsRule(t, n, k - 41, b);
    } else if (k == 105 || (KindIn(k, 86, 89) && n == 0)) {
        b.FixX(t.Mid(0).x);
        b.Y(R.top + t.NH(0, R.top, t.L(0).y), R.bottom - t.NH(1, t.L(0).y, R.bottom));
    } else if (KindIn(k, 86, 89) || (IsBracketedClass(k) && n == 1)) {
        IconColumn(t, 1, b);
    } else if (k == 73 || IsBracketedClass(k)) {
        b.FixX(t.Mid(0).x);
        b.Y(R.top + t.NH(0, R.top, t.L(0).y), R.bottom);
    } else if (KindIn(k, 90, 93)) {
        if (n == 2)
            IconColumn(t, 2, b);
        else
            RowsRule(t, 0, n, 3, b);
    } else if (k == 98 || k == 100 || k == 130) {
        if (n == 1) {
            SplitColumn(t, 1, b);
            return true;
        }
        b.FixX(t.Mid(0).x);
        const float top = R.top + std::max(t.NH(0, R.top, t.L(0).y), t.NH(1, R.top, t.L(0).y));
        b.Y(top, k == 98 ? R.bottom - t.NH(2, t.L(0).y, R.bottom) : R.bottom);
    } else if (k == 99) {
        if (n == 2) {
            SplitColumn(t, 2, b);
        } else if (n == 0) {
            b.FixX(t.Mid(0).x);
            b.Y(R.top + std::max(t.NH(0, R.top, t.L(0).y), t.NH(1, R.top, t.L(0).y)),
                t.L(1).y - t.NH(2, t.L(0).y, t.L(1).y));
        } else {
            b.FixX(t.Mid(1).x);
            b.Y(t.L(0).y + t.NH(2, t.L(0).y, t.L(1).y), R.bottom - t.NH(3, t.L(1).y, R.bottom));
        }
    } else if (k == 52) {
        b.FixX(t.Mid(n).x);
        if (n == 0)
            b.Y(R.top + t.NH(0, R.top, t.L(0).y), t.L(1).y - 1);
        else
            b.Y(t.L(0).y + 1, R.bottom - t.NH(1, t.L(1).y, R.bottom));
    } else {
        return false;
    }
    return true;
}

bool ActiveClassBounds(int n, const LimitTerms& t, Bounds& b)
{
    const CFltRect& R = t.R();
    if (n == 0) {
        float need = 0;
        for (int k = 0; k < t.nT; ++k)
            need = std::max(need, t.mw(k) + (t.L(1).x - t.L(0).x) - t.w(k));
        b.FixY(t.Mid(0).y);
        b.X(R.left, R.left + (R.right - R.left - need) / 2);
        return true;
    }
    // Rows are separated by lines 2.. (row i from line i + 1 to line i + 2).
    const int rows = t.p.nOwnLines - 1;
    RowsRule(t, 2, n - 1, rows, b);
    return true;
}

bool GridBounds(int k, int n, const LimitTerms& t, Bounds& b)
{
    int rows, cols;
    GetPartitionGrid(k, rows, cols);
    const CFltRect& R = t.R();
    if (n < rows - 1) {
        b.FixX(t.Mid(n).x);
        b.Y(n == 0 ? R.top : t.L(n - 1).y, n == rows - 2 ? R.bottom : t.L(n + 1).y);
    } else {
        const int first = rows - 1, last = rows + cols - 3;
        b.FixY(t.Mid(n).y);
        b.X(n == first ? R.left : t.L(n - 1).x, n == last ? R.right : t.L(n + 1).x);
    }
    return true;
}

bool TabbedBounds(int k, int n, const LimitTerms& t, Bounds& b)
{
    const float Ft = t.Ft, Fb = t.Fb, Fl = t.Fl, Fr = t.Fr;
    auto L = [&t](int i) { return t.L(i); };
    if (n == 0) {
        b.X(Fl + t.NW(0, Fl, t.L2(0).x), Fr);
        const float lo = Ft + t.NH(0, Ft, L(0).y);
        float hi = Fb;
        if (k == 7 || KindIn(k, 54, 57))
            hi = Fb - t.NH(1, L(0).y, Fb);
        else if (k == 8 || k == 76)
            hi = L(1).y - t.NH(1, L(0).y, L(1).y);
        else if (k == 9)
            hi = Fb - std::max(t.NH(1, L(0).y, Fb), t.NH(2, L(0).y, Fb));
        else if (k == 10)
            hi = std::min(L(1).y - t.NH(1, L(0).y, L(1).y), Fb - t.NH(3, L(2).y, Fb));
        else if (k == 75)
            hi = Fb - std::max(t.NH(1, L(1).y, t.L2(1).y), t.NH(2, L(1).y, t.L2(1).y));
        else if (k == 77)
            hi = std::min(L(1).y - t.NH(1, L(0).y, L(1).y), Fb - t.NH(3, L(0).y, Fb));
        b.Y(lo, hi);
        return true;
    }
    if (k == 7 || k == 72)
        return false;
    if ((KindIn(k, 54, 57) || k == 78 || k == 79) && n == 1) {
        if (k == 54 || k == 56) {
            const float free = (t.L2(0).x - Fl) - t.w(0);
            b.X(Fl + t.mw(1) + free, Fr - free / 2);
            b.FixY(t.Mid(1).y);
        } else {
            TabTextColumn(t, 1, b);
        }
        return true;
    }
    if ((k == 75 || k == 76) && n == 2) {
        TabTextColumn(t, 2, b);
        return true;
    }
    if (k == 77 && n == 3) {
        TabTextColumn(t, 3, b);
        return true;
    }
    if ((k == 8 || k == 10 || k == 76 || k == 77) && n == 1) {
        b.FixX(t.Mid(1).x);
        const float from = k == 77 ? t.P(2).y : L(0).y;
        b.Y(from + t.NH(1, L(0).y, L(1).y), Fb - t.NH(2, L(1).y, Fb));
        return true;
    }
    if ((k == 9 || k == 75) && n == 1) {
        b.X(Fl + t.NW(1, Fl, L(1).x), Fr - t.NW(2, L(1).x, Fr));
        b.FixY(t.Mid(1).y);
        return true;
    }
    if ((k == 10 || k == 77) && n == 2) {
        b.X(Fl + std::max(t.NW(1, Fl, L(2).x), t.NW(2, Fl, L(2).x)), Fr - t.NW(3, L(2).x, Fr));
        b.FixY(t.Mid(2).y);
        return true;
    }
    return false;
}

bool ArrowBounds(int k, const LimitTerms& t, Bounds& b)
{
    const float Ft = t.Ft, Fb = t.Fb, Fl = t.Fl, Fr = t.Fr, W = t.W, H = t.H;
    auto P = [&t](int i) { return t.P(i); };
    if (k == 11 || k == 12 || k == 13 || k == 14) {
        if (k <= 12)
            b.X(Fl, Fr - t.NW(0, P(1).x, P(0).x));
        else
            b.X(Fl + t.NW(0, P(0).x, P(1).x), Fr);
        b.Y(Ft, Ft + (H - t.NH(0, P(1).y, P(5).y)) / 2);
    } else if (k == 15) {
        b.X(Fl, Fl + (W - t.NW(0, P(2).x, P(3).x)) / 2);
        b.Y(Ft, Ft + (H - t.NH(0, P(2).y, P(8).y)) / 2);
    } else if (k == 16 || k == 17) {
        b.X(Fl, Fl + (W - t.NW(0, P(5).x, P(2).x)) / 2);
        if (k == 16)
            b.Y(Ft + t.NH(0, P(3).y, P(2).y), Fb);
        else
            b.Y(Ft, Fb - t.NH(0, P(2).y, P(3).y));
    } else if (k == 18) {
        b.X(Fl, Fl + (W - t.NW(0, P(8).x, P(2).x)) / 2);
        b.Y(Ft, Ft + (H - t.NH(0, P(2).y, P(3).y)) / 2);
    } else if (k == 27 || k == 29 || k == 31 || k == 33) {
        b.X(Fl, Fr);
        b.Y(Ft, (Ft + Fb) / 2);
    } else if (k == 35 || k == 41) {
        b.X(Fl, (Fl + Fr) / 2);
        b.Y(Ft, (Ft + Fb) / 2);
    } else if (k == 37 || k == 39) {
        b.X(Fl, (Fl + Fr) / 2);
        b.Y(Ft, Fb);
    } else {
        return false;
    }
    return true;
}

// The distance from v to the nearer of lo and hi, judged against the middle.
float NearerGap(float v, float lo, float hi)
{
    return v <= (lo + hi) / 2 ? v - lo : hi - v;
}

bool CornerBounds(int k, int n, const LimitTerms& t, Bounds& b)
{
    const float Ft = t.Ft, Fb = t.Fb, Fl = t.Fl, Fr = t.Fr, W = t.W, H = t.H, s = t.s;
    if (k == 6) {
        const float d = std::min(Fr - t.T[0].right, t.T[0].top - Ft);
        b.X(Fr - 2 * d, Fr);
        b.Y(Ft, Ft + 2 * d);
    } else if (k == 19 || k == 20) {
        const CFltRect& I = t.p.inner;
        b.X(Fl, Fl + (W - t.NW(0, I.left, I.right)) / 2);
        b.Y(Ft, Ft + (H - t.NH(0, I.top, I.bottom)) / 2);
    } else if (k == 22 || k == 132 || k == 133 || k == 144 || k == 145) {
        b.X(Fl, Fl + std::min(s, 1.5f * (W - t.w(0))));
        b.Y(Ft, Ft + std::min(s, 1.5f * (H - t.h(0))));
    } else if (k == 25 || k == 146) {
        b.X(Fl, Fl + std::min(W, H) / 4);
        b.Y(Ft, Ft + std::min(W, H) / 4);
    } else if (k == 23) {
        const float x0 = t.L(0).x;
        if (n == 0) {
            const float g = NearerGap(x0, Fl, Fr);
            b.X(Fl, Fl + std::min({s, 3 * (t.T[0].left - Fl), g}));
            b.Y(Ft, Ft + std::min(s, 1.5f * (H - t.h(0))));
        } else {
            const float p16 = t.P(16).x;
            b.X(std::max(Fl + t.NW(0, Fl, x0), p16), std::min(Fr - t.NW(1, x0, Fr), Fr - (p16 - Fl)));
            // Pinned where its handle is: the line's midpoint.
            b.FixY(t.Mid(0).y);
        }
    } else if (k == 24) {
        const float y0 = t.L(0).y, y1 = t.L(1).y, p0 = t.P(0).y;
        if (n == 0) {
            const float e = std::min(y0 - Ft, Fb - y1);
            b.X(Fl, Fl + std::min({s, 3 * (t.T[0].left - Fl), e}));
            b.Y(Ft, Ft + std::min({s, 3 * (t.T[0].top - Ft), e}));
        } else if (n == 1) {
            b.FixX(t.Mid(0).x);
            b.Y(std::max(Ft + t.NH(0, Ft, y0), p0), y1 - t.NH(1, y0, y1));
        } else {
            b.FixX(t.Mid(1).x);
            b.Y(y0 + t.NH(1, y0, y1), std::min(Fb - t.NH(2, y1, Fb), Fb - (p0 - Ft)));
        }
    } else if (k == 58 || k == 85 || k == 74) {
        const float y0 = t.L(0).y, p0 = t.P(0).y;
        if (n == 0) {
            const float g = NearerGap(y0, Ft, Fb);
            const float x = 3 * (t.T[0].left - Fl);
            b.X(Fl, Fl + (k == 74 ? x : std::min(s, x)));
            b.Y(Ft, Ft + std::min({s, 1.5f * (H - t.h(0)), g}));
        } else {
            b.FixX(t.Mid(0).x);
            const float hi = Fb - (p0 - Ft);
            b.Y(std::max(Ft + t.NH(0, Ft, y0), p0), k == 74 ? hi : std::min(Fb - t.NH(1, y0, Fb), hi));
        }
    } else if (KindIn(k, 141, 143)) {
        const int last = t.p.nOwnLines - 1;
        if (n == 0) {
            const float r = std::min({std::min(W, H) / 4, RoundHandle(t.L(0).y) - Ft,
                                      Fb - RoundHandle(t.L(last).y)});
            b.X(Fl, Fl + r);
            b.Y(Ft, Ft + r);
        } else {
            // Operand lines move vertically; x stays on the line's middle.
            b.FixX(t.Mid(n - 1).x);
            b.Y(n == 1 ? t.P(0).y : t.L(n - 2).y, n - 1 == last ? Fb - (t.P(0).y - Ft) : t.L(n).y);
        }
    } else if (KindIn(k, 138, 140)) {
        const int last = t.p.nOwnLines - 1;
        if (n == 0) {
            b.X(Fl + t.NW(0, Fl, t.Q(0).x), Fr);
            b.Y(Ft + t.NH(0, Ft, t.Q(3).y), t.L(0).y);
        } else {
            b.FixX(t.Mid(n - 1).x);
            b.Y(n == 1 ? t.Q(3).y : t.L(n - 2).y, n - 1 == last ? Fb : t.L(n).y);
        }
    } else if (k == 53) {
        auto P = [&t](int i) { return t.P(i); };
        b.X(P(0).x, std::min(P(0).x + (P(5).x - P(0).x) * kThird, P(1).x + t.w(0) - t.mw(0)));
        b.Y(P(2).y, std::min(P(2).y + (P(7).y - P(2).y) * kThird, P(1).y + t.h(0) - t.mh(0)));
    } else if (k == 59 || k == 131) {
        auto P = [&t](int i) { return t.P(i); };
        const float lox = P(2).x - kNodeFraction * (P(2).x - P(0).x);
        const float hiy = P(1).y + kNodeFraction * (P(5).y - P(1).y);
        if (k == 59) {
            b.X(std::max(lox, t.Q(1).x - (t.w(0) - t.mw(0))), P(2).x);
            b.Y(P(1).y, std::min(hiy, t.Q(1).y + t.h(0) - t.mh(0)));
        } else {
            b.X(lox, P(2).x);
            b.Y(P(1).y, hiy);
        }
    } else {
        return false;
    }
    return true;
}

bool OtherBounds(int k, const LimitTerms& t, Bounds& b)
{
    auto P = [&t](int i) { return t.P(i); };
    const float Ft = t.Ft, Fb = t.Fb, Fl = t.Fl, Fr = t.Fr;
    if (k == 21) {
        const float x0 = t.L(0).x;
        b.X(Fl + t.NW(0, Fl, x0), Fr - t.NW(1, x0, Fr));
        b.FixY(t.Mid(0).y);
    } else if (k == 50 || k == 51) {
        if (k == 50)
            b.lox = P(7).x, b.hix = ((P(6).x + P(3).x) - ((P(1).x - P(0).x) - t.w(0)) - t.mw(1)) / 2;
        else
            b.lox = P(6).x, b.hix = ((P(1).x + P(0).x) - ((P(3).x - P(6).x) - t.w(1)) - t.mw(0)) / 2;
        b.Y(P(0).y + t.NH(0, P(0).y, P(7).y), P(5).y - t.NH(1, P(6).y, P(5).y));
    } else if (k == 63 || k == 64) {
        b.X(P(0).x + t.NW(0, P(0).x, P(1).x), P(3).x - t.NW(1, P(2).x, P(3).x));
        if (k == 63)
            b.Y(P(0).y, ((P(6).y + P(1).y) - ((P(4).y - P(3).y) - t.h(1)) - t.mh(1)) / 2);
        else
            b.Y(P(2).y, ((P(5).y + P(2).y) - ((P(7).y - P(0).y) - t.h(0)) - t.mh(0)) / 2);
    } else if (k == 60) {
        const CFltRect& E = t.R();
        const float c = (E.bottom - E.top) / 2 * kEllipseInset;
        b.FixX((E.left + E.right) / 2);
        b.Y(E.top + std::max(t.NH(0, Ft, t.L(0).y), c), E.bottom - std::max(c, t.NH(1, t.L(0).y, Fb)));
    } else if (k == 61) {
        b.X(P(0).x + 1, P(2).x);
        b.FixY(P(1).y);
    } else if (k == 62 || k == 84 || KindIn(k, 101, 104) || k == 125) {
        b.X(Fl, Fl + t.s);
        // The handle's own middle: whole units, as the handle is placed.
        b.FixY(static_cast<float>(SpecialMiddleY(t.rect)));
    } else {
        return false;
    }
    return true;
}

bool KindBounds(int k, int n, const LimitTerms& t, Bounds& b)
{
    if (IsGridKind(k))
        return GridBounds(k, n, t, b);
    if (KindIn(k, 134, 137))
        return ActiveClassBounds(n, t, b);
    if (KindIn(k, 7, 10) || KindIn(k, 54, 57) || k == 72 || KindIn(k, 75, 79))
        return TabbedBounds(k, n, t, b);
    if (k == 124) {
        b.X(t.Fl + t.NW(0, t.Fl, t.Q(0).x), t.Fr);
        b.Y(t.Ft + t.NH(0, t.Ft, t.Q(3).y), t.Fb);
        return true;
    }
    return RectFrameBounds(k, n, t, b) || ArrowBounds(k, t, b) || CornerBounds(k, n, t, b) ||
           OtherBounds(k, t, b);
}

// Lower bound first: where the bounds cross, a coordinate below the lower one
// takes it.
LONG ClampToBounds(LONG v, float lo, float hi)
{
    const int l = RoundHandle(lo), h = RoundHandle(hi);
    if (v < l)
        return l;
    if (v > h)
        return h;
    return v;
}

// Corner handles keep equal offsets from both sides of their corner.
void KeepOnDiagonal(int k, const RECT& rect, CPoint& pt)
{
    const bool tl = k == 19 || k == 20 || KindIn(k, 22, 25) || k == 53 || k == 58 || k == 74 || k == 85 ||
                    k == 132 || k == 133 || KindIn(k, 141, 146);
    const bool tr = k == 6 || k == 59 || k == 131;
    if (!tl && !tr)
        return;
    // Widened: a bound from a damaged outline may sit at the int limits.
    const int64_t dx = tl ? int64_t{pt.x} - rect.left : int64_t{rect.right} - pt.x;
    const int64_t dy = int64_t{pt.y} - rect.top;
    if (dy < dx)
        pt.x = SaturateInt(tl ? rect.left + dy : rect.right - dy);
    else if (dy > dx)
        pt.y = SaturateInt(rect.top + dx);
}

} // namespace

int CFigSymbol::LimitDividerPoint(int index, const RECT& rect, CPoint& pt, int minCount, const SIZE* mins,
                                  int skipSection) const
{
    if (index < 0 || index >= GetDividerCount())
        return 0;
    float mw[kMaxSpecialSections], mh[kMaxSpecialSections];
    const int given = mins ? std::clamp(minCount, 0, kMaxSpecialSections) : 0;
    for (int i = 0; i < kMaxSpecialSections; ++i) {
        mw[i] = 32;
        mh[i] = 16;
        if (i < given && i != skipSection) {
            mw[i] = static_cast<float>(std::max<LONG>(32, mins[i].cx));
            mh[i] = static_cast<float>(std::max<LONG>(16, mins[i].cy));
        }
    }
    SpecialOutlineParts parts;
    const BYTE* boxes;
    if (!ParseSpecialParts(rect, parts, boxes))
        return 0;
    const int need = SpecialLimitBoxCount(Reshape);
    if (need >= 0 && m_nTextBoxes != need)
        return 0;
    const LimitTerms terms(rect, parts, boxes, m_nTextBoxes, mw, mh);
    Bounds b;
    if (!KindBounds(Reshape, index, terms, b))
        return 0;
    pt.x = ClampToBounds(pt.x, b.lox, b.hix);
    pt.y = ClampToBounds(pt.y, b.loy, b.hiy);
    if (index == 0)
        KeepOnDiagonal(Reshape, rect, pt);
    return 1;
}
