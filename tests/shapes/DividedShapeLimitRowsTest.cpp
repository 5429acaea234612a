// Divider limits against a model of the per-kind rows: for each kind below,
// the bounds are worked out here from the kind's row (single precision, as
// the shapes are) over the parts of a template symbol, and a handle proposed
// far beyond each corner must come back at exactly those bounds. On the unit
// rectangle the parts are in the thousands, so a changed constant, vertex or
// text box shows as a different bound.
#include "DividedShapeTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

struct Bounds {
    float lox, hix, loy, hiy;
};

// The parts of the symbol prepared for the rectangle, with the terms the
// rows are written in (minimum sections 32 x 16).
struct Terms {
    SpecialOutlineParts p;
    std::vector<CFltRect> T;
    float Fl, Ft, Fr, Fb, W, H, s;

    CFltPoint P(int i) const { return p.points[i]; }
    CFltPoint Q(int i) const { return p.second[i]; }
    CFltPoint L(int i) const { return p.lines[i].m_pt1; }
    CFltPoint L2(int i) const { return p.lines[i].m_pt2; }
    CFltPoint Mid(int i) const
    {
        return CFltPoint((p.lines[i].m_pt1.x + p.lines[i].m_pt2.x) / 2, (p.lines[i].m_pt1.y + p.lines[i].m_pt2.y) / 2);
    }
    float w(int k) const { return T[k].right - T[k].left; }
    float h(int k) const { return T[k].bottom - T[k].top; }
    static constexpr float mw = 32, mh = 16;
    float NH(int k, float a, float b) const { return mh + (b - a) - h(k); }
    float NW(int k, float a, float b) const { return mw + (b - a) - w(k); }
};

Terms TermsOf(const CFigSymbol& s, const RECT& r)
{
    Terms t;
    const BYTE* boxes = nullptr;
    EXPECT_EQ(s.ParseSpecialParts(r, t.p, boxes), 1);
    for (int k = 0; boxes && k < s.m_nTextBoxes; ++k)
        t.T.push_back(ReadOutlineRect(boxes + 32 * k));
    t.Fl = float(r.left), t.Ft = float(r.top), t.Fr = float(r.right), t.Fb = float(r.bottom);
    t.W = t.Fr - t.Fl, t.H = t.Fb - t.Ft, t.s = std::min(t.W, t.H) / 2;
    return t;
}

int Round(float v) { return static_cast<int>(static_cast<double>(v) + 0.5); }

enum class Diagonal { None, TopLeft, TopRight };

// Where the clamp and the corner rule put a point at the two far corners.
CPoint Expected(const Bounds& b, int sx, int sy, const RECT& r, Diagonal d)
{
    CPoint p(Round(sx < 0 ? b.lox : b.hix), Round(sy < 0 ? b.loy : b.hiy));
    if (d == Diagonal::None)
        return p;
    const LONG dx = d == Diagonal::TopLeft ? p.x - r.left : r.right - p.x, dy = p.y - r.top;
    if (dy < dx)
        p.x = d == Diagonal::TopLeft ? r.left + dy : r.right - dy;
    else if (dy > dx)
        p.y = r.top + dx;
    return p;
}

struct Row {
    int kind;
    int divider;
    Diagonal diagonal;
    std::function<Bounds(const Terms&)> bounds;
    std::vector<CFltRect> boxes = {};   // the template's own when empty
};

const float kThird = 0.33333334f, kNode = 0.32258067f, kInset = 0.29289323f;

// The tab corner of "package c2r2a": below the tab and above both the row
// line and the bottom less the last column's room.
Bounds Package4Tab(const Terms& t)
{
    return Bounds{t.Fl + t.NW(0, t.Fl, t.L2(0).x), t.Fr, t.Ft + t.NH(0, t.Ft, t.L(0).y),
                  std::min(t.L(1).y - t.NH(1, t.L(0).y, t.L(1).y), t.Fb - t.NH(3, t.L(2).y, t.Fb))};
}

const Row kRows[] = {
    {3, 1, Diagonal::None,
     [](const Terms& t) {
         return Bounds{t.Mid(1).x, t.Mid(1).x, t.L(0).y + t.NH(1, t.L(0).y, t.L(1).y),
                       t.L(2).y - t.NH(2, t.L(1).y, t.L(2).y)};
     }},
    {44, 1, Diagonal::None,
     [](const Terms& t) {
         return Bounds{t.L(0).x + t.NW(1, t.L(0).x, t.L(1).x), t.p.rect.right - t.NW(2, t.L(1).x, t.p.rect.right),
                       t.Mid(1).y, t.Mid(1).y};
     }},
    {6, 0, Diagonal::TopRight,
     [](const Terms& t) {
         const float d = std::min(t.Fr - t.T[0].right, t.T[0].top - t.Ft);
         return Bounds{t.Fr - 2 * d, t.Fr, t.Ft, t.Ft + 2 * d};
     }},
    {9, 0, Diagonal::None,
     [](const Terms& t) {
         return Bounds{t.Fl + t.NW(0, t.Fl, t.L2(0).x), t.Fr, t.Ft + t.NH(0, t.Ft, t.L(0).y),
                       t.Fb - std::max(t.NH(1, t.L(0).y, t.Fb), t.NH(2, t.L(0).y, t.Fb))};
     }},
    {9, 1, Diagonal::None,
     [](const Terms& t) {
         return Bounds{t.Fl + t.NW(1, t.Fl, t.L(1).x), t.Fr - t.NW(2, t.L(1).x, t.Fr), t.Mid(1).y, t.Mid(1).y};
     }},
    {10, 0, Diagonal::None, Package4Tab},
    // The same with a short last box, so that its room decides the bound.
    {10, 0, Diagonal::None, Package4Tab,
     {{64, 32, 576, 288}, {64, 352, 1984, 800}, {64, 960, 1280, 1984}, {1408, 960, 1984, 1200}}},
    // Column boxes of different widths, so that the narrower decides.
    {10, 2, Diagonal::None,
     [](const Terms& t) {
         return Bounds{t.Fl + std::max(t.NW(1, t.Fl, t.L(2).x), t.NW(2, t.Fl, t.L(2).x)),
                       t.Fr - t.NW(3, t.L(2).x, t.Fr), t.Mid(2).y, t.Mid(2).y};
     },
     {{64, 32, 576, 288}, {64, 352, 1984, 800}, {64, 960, 1280, 1984}, {1408, 960, 1984, 1200}}},
    {10, 1, Diagonal::None,
     [](const Terms& t) {
         return Bounds{t.Mid(1).x, t.Mid(1).x, t.L(0).y + t.NH(1, t.L(0).y, t.L(1).y), t.Fb - t.NH(2, t.L(1).y, t.Fb)};
     }},
    {10, 2, Diagonal::None,
     [](const Terms& t) {
         return Bounds{t.Fl + std::max(t.NW(1, t.Fl, t.L(2).x), t.NW(2, t.Fl, t.L(2).x)),
                       t.Fr - t.NW(3, t.L(2).x, t.Fr), t.Mid(2).y, t.Mid(2).y};
     }},
    {55, 1, Diagonal::None,
     [](const Terms& t) {
         const float free = (t.L2(1).x - t.Fl) - t.w(0);
         return Bounds{t.Fl + t.mw + free, t.L2(0).x - free / 2, t.Mid(1).y, t.Mid(1).y};
     }},
    {12, 0, Diagonal::None,
     [](const Terms& t) {
         return Bounds{t.Fl, t.Fr - t.NW(0, t.P(1).x, t.P(0).x), t.Ft, t.Ft + (t.H - t.NH(0, t.P(1).y, t.P(5).y)) / 2};
     }},
    {13, 0, Diagonal::None,
     [](const Terms& t) {
         return Bounds{t.Fl + t.NW(0, t.P(0).x, t.P(1).x), t.Fr, t.Ft, t.Ft + (t.H - t.NH(0, t.P(1).y, t.P(5).y)) / 2};
     }},
    {15, 0, Diagonal::None,
     [](const Terms& t) {
         return Bounds{t.Fl, t.Fl + (t.W - t.NW(0, t.P(2).x, t.P(3).x)) / 2, t.Ft,
                       t.Ft + (t.H - t.NH(0, t.P(2).y, t.P(8).y)) / 2};
     }},
    {16, 0, Diagonal::None,
     [](const Terms& t) {
         return Bounds{t.Fl, t.Fl + (t.W - t.NW(0, t.P(5).x, t.P(2).x)) / 2, t.Ft + t.NH(0, t.P(3).y, t.P(2).y), t.Fb};
     }},
    {17, 0, Diagonal::None,
     [](const Terms& t) {
         return Bounds{t.Fl, t.Fl + (t.W - t.NW(0, t.P(5).x, t.P(2).x)) / 2, t.Ft, t.Fb - t.NH(0, t.P(2).y, t.P(3).y)};
     }},
    {18, 0, Diagonal::None,
     [](const Terms& t) {
         return Bounds{t.Fl, t.Fl + (t.W - t.NW(0, t.P(8).x, t.P(2).x)) / 2, t.Ft,
                       t.Ft + (t.H - t.NH(0, t.P(2).y, t.P(3).y)) / 2};
     }},
    {21, 0, Diagonal::None,
     [](const Terms& t) {
         return Bounds{t.Fl + t.NW(0, t.Fl, t.L(0).x), t.Fr - t.NW(1, t.L(0).x, t.Fr), t.Mid(0).y, t.Mid(0).y};
     }},
    {22, 0, Diagonal::TopLeft,
     [](const Terms& t) {
         return Bounds{t.Fl, t.Fl + std::min(t.s, 1.5f * (t.W - t.w(0))), t.Ft,
                       t.Ft + std::min(t.s, 1.5f * (t.H - t.h(0)))};
     }},
    {25, 0, Diagonal::TopLeft,
     [](const Terms& t) {
         return Bounds{t.Fl, t.Fl + std::min(t.W, t.H) / 4, t.Ft, t.Ft + std::min(t.W, t.H) / 4};
     }},
    {24, 2, Diagonal::None,
     [](const Terms& t) {
         const float y0 = t.L(0).y, y1 = t.L(1).y;
         return Bounds{t.Mid(1).x, t.Mid(1).x, y0 + t.NH(1, y0, y1),
                       std::min(t.Fb - t.NH(2, y1, t.Fb), t.Fb - (t.P(0).y - t.Ft))};
     }},
    {58, 1, Diagonal::None,
     [](const Terms& t) {
         const float y0 = t.L(0).y;
         return Bounds{t.Mid(0).x, t.Mid(0).x, std::max(t.Ft + t.NH(0, t.Ft, y0), t.P(0).y),
                       std::min(t.Fb - t.NH(1, y0, t.Fb), t.Fb - (t.P(0).y - t.Ft))};
     }},
    {50, 0, Diagonal::None,
     [](const Terms& t) {
         return Bounds{t.P(7).x, ((t.P(6).x + t.P(3).x) - ((t.P(1).x - t.P(0).x) - t.w(0)) - t.mw) / 2,
                       t.P(0).y + t.NH(0, t.P(0).y, t.P(7).y), t.P(5).y - t.NH(1, t.P(6).y, t.P(5).y)};
     }},
    {51, 0, Diagonal::None,
     [](const Terms& t) {
         return Bounds{t.P(6).x, ((t.P(1).x + t.P(0).x) - ((t.P(3).x - t.P(6).x) - t.w(1)) - t.mw) / 2,
                       t.P(0).y + t.NH(0, t.P(0).y, t.P(7).y), t.P(5).y - t.NH(1, t.P(6).y, t.P(5).y)};
     }},
    {63, 0, Diagonal::None,
     [](const Terms& t) {
         return Bounds{t.P(0).x + t.NW(0, t.P(0).x, t.P(1).x), t.P(3).x - t.NW(1, t.P(2).x, t.P(3).x), t.P(0).y,
                       ((t.P(6).y + t.P(1).y) - ((t.P(4).y - t.P(3).y) - t.h(1)) - t.mh) / 2};
     }},
    {64, 0, Diagonal::None,
     [](const Terms& t) {
         return Bounds{t.P(0).x + t.NW(0, t.P(0).x, t.P(1).x), t.P(3).x - t.NW(1, t.P(2).x, t.P(3).x), t.P(2).y,
                       ((t.P(5).y + t.P(2).y) - ((t.P(7).y - t.P(0).y) - t.h(0)) - t.mh) / 2};
     }},
    {53, 0, Diagonal::TopLeft,
     [](const Terms& t) {
         return Bounds{t.P(0).x, std::min(t.P(0).x + (t.P(5).x - t.P(0).x) * kThird, t.P(1).x + t.w(0) - t.mw),
                       t.P(2).y, std::min(t.P(2).y + (t.P(7).y - t.P(2).y) * kThird, t.P(1).y + t.h(0) - t.mh)};
     }},
    {59, 0, Diagonal::TopRight,
     [](const Terms& t) {
         return Bounds{std::max(t.P(2).x - kNode * (t.P(2).x - t.P(0).x), t.Q(1).x - (t.w(0) - t.mw)), t.P(2).x,
                       t.P(1).y, std::min(t.P(1).y + kNode * (t.P(5).y - t.P(1).y), t.Q(1).y + t.h(0) - t.mh)};
     }},
    {60, 0, Diagonal::None,
     [](const Terms& t) {
         const CFltRect& E = t.p.rect;
         const float c = (E.bottom - E.top) / 2 * kInset;
         return Bounds{(E.left + E.right) / 2, (E.left + E.right) / 2, E.top + std::max(t.NH(0, t.Ft, t.L(0).y), c),
                       E.bottom - std::max(c, t.NH(1, t.L(0).y, t.Fb))};
     }},
    {61, 0, Diagonal::None, [](const Terms& t) { return Bounds{t.P(0).x + 1, t.P(2).x, t.P(1).y, t.P(1).y}; }},
    {86, 1, Diagonal::None,
     [](const Terms& t) {
         const float free = (t.L(1).x - t.p.rect.left) - t.w(0);
         return Bounds{t.p.rect.left + t.mw + free, t.p.rect.right - free / 2, t.Mid(1).y, t.Mid(1).y};
     }},
    {98, 0, Diagonal::None,
     [](const Terms& t) {
         const CFltRect& R = t.p.rect;
         return Bounds{t.Mid(0).x, t.Mid(0).x, R.top + std::max(t.NH(0, R.top, t.L(0).y), t.NH(1, R.top, t.L(0).y)),
                       R.bottom - t.NH(2, t.L(0).y, R.bottom)};
     }},
    {98, 1, Diagonal::None,
     [](const Terms& t) {
         const CFltRect& R = t.p.rect;
         return Bounds{R.left + t.NW(1, R.left, t.L(1).x), R.right - t.NW(0, t.L(1).x, R.right), t.Mid(1).y,
                       t.Mid(1).y};
     },
     {{1100, 64, 1984, 600}, {64, 64, 900, 500}, {64, 1100, 1984, 1984}}},
    {73, 0, Diagonal::None,
     [](const Terms& t) {
         const CFltRect& R = t.p.rect;
         return Bounds{t.Mid(0).x, t.Mid(0).x, R.top + t.NH(0, R.top, t.L(0).y), R.bottom};
     }},
    {99, 2, Diagonal::None,
     [](const Terms& t) {
         const CFltRect& R = t.p.rect;
         return Bounds{R.left + t.NW(1, R.left, t.L(2).x), R.right - t.NW(0, t.L(2).x, R.right), t.Mid(2).y,
                       t.Mid(2).y};
     }},
    {52, 1, Diagonal::None,
     [](const Terms& t) {
         return Bounds{t.Mid(1).x, t.Mid(1).x, t.L(0).y + 1, t.p.rect.bottom - t.NH(1, t.L(1).y, t.p.rect.bottom)};
     }},
    {124, 0, Diagonal::None,
     [](const Terms& t) {
         return Bounds{t.Fl + t.NW(0, t.Fl, t.Q(0).x), t.Fr, t.Ft + t.NH(0, t.Ft, t.Q(3).y), t.Fb};
     }},
    {134, 0, Diagonal::None,
     [](const Terms& t) {
         float need = 0;
         for (int k = 0; k < static_cast<int>(t.T.size()); ++k)
             need = std::max(need, t.mw + (t.L(1).x - t.L(0).x) - t.w(k));
         const CFltRect& R = t.p.rect;
         return Bounds{R.left, R.left + (R.right - R.left - need) / 2, t.Mid(0).y, t.Mid(0).y};
     }},
};

} // namespace

TEST(SpecialLimitRows, FarHandlesComeBackAtTheBoundsOfTheirRow)
{
    // Square, wide and tall: on one of them each corner handle's x bound and
    // on another its y bound is the nearer to the corner.
    const CRect rects[] = {UnitRect(), CRect(-300, 40, 3001, 2213), CRect(10, 0, 411, 2049)};
    for (const Row& row : kRows) {
        const CFigSymbol s = TemplateSymbol(row.kind, -2, row.boxes);
        for (const CRect& r : rects) {
            const Terms t = TermsOf(s, r);
            const Bounds b = row.bounds(t);
            for (const int sx : {-1, 1})
                for (const int sy : {-1, 1}) {
                    CPoint p(sx * 1000000, sy * 1000000);
                    ASSERT_EQ(s.LimitDividerPoint(row.divider, r, p, 0, nullptr, -1), 1) << row.kind;
                    EXPECT_EQ(p, Expected(b, sx, sy, r, row.diagonal))
                        << "kind " << row.kind << " divider " << row.divider << " toward (" << sx << ", " << sy
                        << ") in " << r.Width() << " x " << r.Height() << ": got (" << p.x << ", " << p.y << ")";
                }
        }
    }
}

TEST(SpecialLimitRows, TabTextColumnKeepsTheTabSectionsOwnMinimumWidth)
{
    // Divider 1 of "subsystem" and "model": the lower x bound is F.left plus
    // the minimum width of section 0 (the tab text) plus its free room; the
    // other section's minimum does not count.
    for (const int kind : {55, 57}) {
        const CFigSymbol s = TemplateSymbol(kind);
        const CRect r = UnitRect();
        const Terms t = TermsOf(s, r);
        const float free = (t.L2(1).x - t.Fl) - t.w(0);
        const SIZE mins[2] = {{300, 16}, {40, 16}};
        CPoint p(-1000000, 0);
        ASSERT_EQ(s.LimitDividerPoint(1, r, p, 2, mins, -1), 1) << kind;
        EXPECT_EQ(p.x, int(t.Fl + 300 + free + 0.5f)) << kind;
    }
}

TEST(SpecialLimitRows, ColumnDividersKeepTheMinimumOfTheColumnOnEachSide)
{
    // "box c3", divider 1 between columns 1 and 2: pushed right it stops where
    // column 2 keeps its own minimum width (200) plus its free room; pushed
    // left, where column 1 keeps its own (120).
    const CFigSymbol s = TemplateSymbol(44);
    const CRect r = UnitRect();
    const Terms t = TermsOf(s, r);
    const CFltRect& R = t.p.rect;
    const SIZE mins[3] = {{32, 16}, {120, 16}, {200, 16}};
    CPoint right(1000000, 0), left(-1000000, 0);
    ASSERT_EQ(s.LimitDividerPoint(1, r, right, 3, mins, -1), 1);
    ASSERT_EQ(s.LimitDividerPoint(1, r, left, 3, mins, -1), 1);
    const float room2 = (R.right - t.L(1).x) - t.w(2);
    const float room1 = (t.L(1).x - t.L(0).x) - t.w(1);
    EXPECT_EQ(right.x, int(R.right - (200 + room2) + 0.5f));
    EXPECT_EQ(left.x, int(t.L(0).x + 120 + room1 + 0.5f));
}
