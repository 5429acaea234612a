// The compartment lists of special shapes for the resize code: per kind, the
// rows and columns in the order they take up a change, their slack, weights
// and dividers.
#include "shapes/DividedShapeResize.h"

#include "geometry/IntGeometry.h"
#include "shapes/DividedShapeKinds.h"
#include "shapes/DividedShapeOutline.h"
#include "shapes/KindRange.h"

#include <algorithm>
#include <initializer_list>

namespace {

// Values from damaged outlines or size tables are kept well inside the int
// range, so that the sums and differences of the lists cannot overflow.
constexpr int kSizeLimit = 1 << 28;
int Limit(int64_t v) { return static_cast<int>(std::clamp<int64_t>(v, -kSizeLimit, kSizeLimit)); }
int Round(float v) { return Limit(RoundHandle(v)); }

class ResizePlanner {
public:
    ResizePlanner(const CFigSymbol& s, SpecialResizeArgs& a, const RECT& rect, int minCount, const SIZE* mins)
        : m_s(s), m_a(a), m_rect(rect), m_kind(s.Reshape)
    {
        int mw[kMaxSpecialSections], mh[kMaxSpecialSections];
        const int given = mins ? std::clamp(minCount, 0, kMaxSpecialSections) : 0;
        for (int i = 0; i < kMaxSpecialSections; ++i) {
            mw[i] = i < given ? Limit(std::max<int64_t>(32, mins[i].cx)) : 32;
            mh[i] = i < given ? Limit(std::max<int64_t>(16, mins[i].cy)) : 16;
        }
        m_located = s.ParseSpecialParts(rect, m_parts, m_boxes) != 0;
        m_nBoxes = m_boxes ? std::clamp(s.m_nTextBoxes, 0, kMaxSpecialSections) : 0;
        for (int i = 0; i < m_nBoxes; ++i) {
            const CFltRect b = ReadOutlineRect(m_boxes + i * kOutlineRectBytes);
            m_sx[i] = Round(b.right - b.left) - mw[i];
            m_sy[i] = Round(b.bottom - b.top) - mh[i];
        }
    }

    void Run();

private:
    int sx(int i) const { return i < m_nBoxes ? m_sx[i] : 0; }
    int sy(int i) const { return i < m_nBoxes ? m_sy[i] : 0; }
    int MinX(std::initializer_list<int> boxes) const
    {
        int m = sx(*boxes.begin());
        for (int b : boxes)
            m = std::min(m, sx(b));
        return m;
    }
    int MinY(std::initializer_list<int> boxes) const
    {
        int m = sy(*boxes.begin());
        for (int b : boxes)
            m = std::min(m, sy(b));
        return m;
    }
    void Row(int d, int slack, int w = 1) { m_a.AddRow(d, slack, w); }
    void Col(int d, int slack, int w = 1) { m_a.AddCol(d, slack, w); }
    float Px(int i) const { return m_parts.points[i].x; }
    float Py(int i) const { return m_parts.points[i].y; }
    float LineY(int j) const { return m_parts.lines[j].m_pt1.y; }
    float LineX(int j) const { return m_parts.lines[j].m_pt1.x; }
    bool Mode1() const { return m_a.m_nMode == 1; }
    bool Anchor3() const { return m_a.m_nAnchor == 3; }

    void Default() { Col(-1, sx(0)); Row(-1, sy(0)); }
    void Rows();
    void Columns();
    void Grid();
    bool Tabbed();
    bool Rectangles();
    bool Others();
    void TabColumnRule(int left, int right, int line, int textDivider);
    void Bands(const int* heights, int n, bool fragment);

    const CFigSymbol& m_s;
    SpecialResizeArgs& m_a;
    CRect m_rect;
    int m_kind;
    SpecialOutlineParts m_parts;
    const BYTE* m_boxes = nullptr;
    bool m_located = false;
    int m_nBoxes = 0;
    int m_sx[kMaxSpecialSections] = {};
    int m_sy[kMaxSpecialSections] = {};
};

void ResizePlanner::Rows()
{
    const int rows = m_kind + 1;
    int least = sx(0);
    for (int i = 1; i < rows; ++i)
        least = std::min(least, sx(i));
    Col(-1, least);
    if (Mode1()) {
        Row(-1, sy(1));
        for (int j = 2; j < rows; ++j)
            Row(j - 1, sy(j));
        Row(0, sy(0), 2);
    } else {
        Row(-1, sy(rows - 1));
        for (int i = rows - 2; i >= 0; --i)
            Row(i, sy(i), i == 0 ? 2 : 1);
    }
}

void ResizePlanner::Columns()
{
    const int cols = m_kind - 41;
    if (!Anchor3()) {
        Col(-1, sx(cols - 1));
        for (int i = cols - 2; i >= 0; --i)
            Col(i, sx(i));
    } else {
        Col(-1, sx(0));
        for (int i = 1; i < cols; ++i)
            Col(i - 1, sx(i));
    }
    int least = sy(0);
    for (int i = 1; i < cols; ++i)
        least = std::min(least, sy(i));
    Row(-1, least);
}

void ResizePlanner::Grid()
{
    int rows, cols;
    GetPartitionGrid(m_kind, rows, cols);
    if (rows == 0 || cols == 0 || rows + cols < 3 || !m_located)
        return;
    const CFltRect& R = m_parts.rect;
    // Lanes have no text: each gives its whole size.
    auto height = [&](int i) {
        const float top = i == 0 ? R.top : LineY(i - 1);
        const float bottom = i == rows - 1 ? R.bottom : LineY(i);
        return Round(bottom - top);
    };
    auto width = [&](int i) {
        const float left = i == 0 ? R.left : LineX(rows - 1 + i - 1);
        const float right = i == cols - 1 ? R.right : LineX(rows - 1 + i);
        return Round(right - left);
    };
    if (rows == 1) {
        Row(-1, height(0));
    } else if (Mode1()) {
        Row(-1, height(0));
        for (int i = 1; i < rows; ++i)
            Row(i - 1, height(i));
    } else {
        Row(-1, height(rows - 1));
        for (int i = rows - 2; i >= 0; --i)
            Row(i, height(i));
    }
    // Column separators are the dividers after the rows - 1 row separators.
    const int first = rows - 1;
    if (cols == 1) {
        Col(-1, width(0));
    } else if (Anchor3()) {
        Col(-1, width(0));
        for (int i = 1; i < cols; ++i)
            Col(first + i - 1, width(i));
    } else {
        Col(-1, width(cols - 1));
        for (int i = cols - 2; i >= 0; --i)
            Col(first + i, width(i));
    }
}

// Two body columns beside a tab (kinds 9, 10, 75, 77): the body right of the
// tab gives first, then the tab text's own slack.
void ResizePlanner::TabColumnRule(int left, int right, int line, int textDivider)
{
    int a = sx(0);
    int X = Round(Px(3) - Px(2));
    int first = Anchor3() ? left : right;
    int second = Anchor3() ? right : left;
    if (X > 0) {
        const int taken = std::max(0, std::min(X, first));
        Col(-1, taken);
        X -= taken;
        first -= taken;
    }
    if (X > 0) {
        const int taken = std::max(0, std::min(X, second));
        Col(line, taken);
        X -= taken;
        second -= taken;
    }
    if (X > 0 || a <= 0)
        return;
    auto text = [&](int v) {
        if (textDivider < 0) {
            Col(0, v, 2);
        } else {
            Col(0, 0, 0);
            Col(textDivider, v, 2);
        }
    };
    if (first > 0) {
        const int v = std::min(a, first);
        text(v);
        a = v == first ? a - first : 0;
    }
    if (a > 0 && second > 0) {
        const int v = std::min(a, second);
        text(0);
        Col(line, v);
    }
}

bool ResizePlanner::Tabbed()
{
    const int k = m_kind;
    if (!(k == 7 || KindIn(k, 54, 57) || k == 72 || KindIn(k, 75, 79) || KindIn(k, 8, 10)))
        return false;
    if (!m_located || m_parts.nPoints < 7)
        return true;
    const float R = Px(3) - Px(2);
    const int rR = Round(R);
    if (k == 7 || k == 54 || k == 56) {
        const int c = std::min(rR, sx(1));
        Col(-1, c);
        if (c < sx(1))
            Col(0, std::min(sx(1) - c, sx(0)), 2);
    } else if (k == 55 || k == 57) {
        if (sx(1) <= R) {
            Col(-1, sx(1));
        } else {
            Col(-1, rR);
            const int rest = std::min(sx(1) - rR, sx(0));
            Col(Anchor3() ? 1 : 0, 0, 0);
            Col(Anchor3() ? 0 : 1, rest, 2);
        }
    } else if (k == 72 || k == 78 || k == 79) {
        if (R > 0)
            Col(-1, rR);
        const int tab = std::min(Round(Px(2) - Px(0)), sx(0));
        if (k == 72) {
            Col(0, tab, 2);
        } else {
            Col(Anchor3() ? 1 : 0, 0, 0);
            Col(Anchor3() ? 0 : 1, tab, 2);
        }
        if (Py(4) - Py(3) > 0)
            Row(-1, Round(Py(4) - Py(3)));
        Row(0, sy(0), 2);
        return true;
    } else if (k == 8 || k == 76) {
        const int M = std::min(sx(1), sx(2));
        if (M <= R) {
            Col(-1, M);
            if (k == 76)
                Col(2, 0, 0);
        } else {
            Col(-1, rR);
            if (k == 76)
                Col(2, 0, 0);
            Col(0, std::min(M - rR, sx(0)), 2);
        }
    } else if (k == 9 || k == 75) {
        TabColumnRule(sx(1), sx(2), 1, k == 75 ? 2 : -1);
        Row(-1, MinY({1, 2}));
        Row(0, sy(0), 2);
        return true;
    } else {   // 10, 77
        TabColumnRule(MinX({1, 2}), sx(3), 2, k == 77 ? 3 : -1);
        const int other = Mode1() ? sy(2) : sy(1);
        const int left = Mode1() ? sy(1) : sy(2);
        const int r = std::min(sy(3), left);
        const int rest = r == left ? sy(3) - left : 0;
        Row(-1, r);
        if (rest > 0)
            Row(1, std::min(rest, other));
        Row(0, sy(0), 2);
        return true;
    }
    if (k == 8 || k == 76) {
        Row(-1, Mode1() ? sy(1) : sy(2));
        Row(1, Mode1() ? sy(2) : sy(1));
        Row(0, sy(0), 2);
    } else {
        Row(-1, sy(1));
        Row(0, sy(0), 2);
    }
    return true;
}

// Bands of the fragments (138..140) and rounded state shapes (141..143).
void ResizePlanner::Bands(const int* h, int n, bool fragment)
{
    if (Mode1()) {
        Row(-1, h[1]);
        for (int k = 2; k <= n + 1; ++k)
            Row(k - 1, h[k]);
        if (fragment)
            Row(-1, sy(0), 2);
    } else {
        Row(-1, h[n + 1]);
        for (int k = n; k >= 1; --k)
            Row(k, h[k]);
        if (fragment)
            Row(0, sy(0), 2);
    }
}

bool ResizePlanner::Rectangles()
{
    const int k = m_kind;
    const CFltRect& R = m_parts.rect;
    const bool line = m_located && m_parts.nLines > 0;
    auto belowLine = [&] { return line ? Round(R.bottom - LineY(0)) : 0; };
    if (k == 73 || KindIn(k, 94, 97) || k == 119 || k == 120 || k == 122 || k == 123 || KindIn(k, 126, 129)) {
        Col(-1, sx(0));
        Row(-1, belowLine());
        Row(0, sy(0), 2);
    } else if (KindIn(k, 86, 89) || k == 105) {
        Col(-1, MinX({0, 1}));
        Row(-1, sy(1));
        Row(0, sy(0), 2);
    } else if (KindIn(k, 90, 93)) {
        Col(-1, MinX({0, 1, 2}));
        Row(-1, Mode1() ? sy(1) : sy(2));
        Row(1, Mode1() ? sy(2) : sy(1));
        Row(0, sy(0), 2);
    } else if (k == 98) {
        Col(-1, MinX({1, 2}));
        if (sx(1) <= sx(2))
            Col(1, std::min(sx(2) - sx(1), sx(0)));
        Row(-1, sy(2));
        Row(0, MinY({0, 1}), 2);
    } else if (k == 99) {
        const int m = MinX({1, 2, 3});
        Col(-1, m);
        if (m == sx(1) && m < sx(2) && m < sx(3))
            Col(2, std::min({sx(2) - m, sx(0), sx(3) - m}));
        Row(-1, Mode1() ? sy(2) : sy(3));
        Row(1, Mode1() ? sy(3) : sy(2));
        Row(0, MinY({0, 1}), 2);
    } else if (k == 100 || k == 130) {
        Col(-1, sx(1));
        Col(1, sx(0), 2);
        Row(-1, belowLine());
        Row(0, MinY({0, 1}), 2);
    } else if (k == 52) {
        Col(-1, MinX({0, 1}));
        Row(-1, Mode1() ? sy(0) : sy(1));
        Row(0, 0);
        Row(1, Mode1() ? sy(1) : sy(0));
    } else if (k == 124 || KindIn(k, 138, 140)) {
        if (!m_located || m_parts.nSecond < 4)
            return true;
        Col(-1, Round(R.right - m_parts.second[0].x));
        Col(0, sx(0), 2);
        if (k == 124) {
            Row(-1, Round(R.bottom - m_parts.second[3].y));
            Row(0, sy(0), 2);
            return true;
        }
        const int n = k - 137;
        int h[5] = {};
        h[1] = Round(LineY(0) - m_parts.second[3].y);
        for (int j = 2; j <= n; ++j)
            h[j] = Round(LineY(j - 1) - LineY(j - 2));
        h[n + 1] = Round(R.bottom - LineY(n - 1));
        Bands(h, n, true);
    } else if (KindIn(k, 134, 136)) {
        const int n = k == 134 ? 2 : k == 135 ? 3 : 1;
        int least = sx(0);
        for (int i = 1; i < n; ++i)
            least = std::min(least, sx(i));
        Col(-1, least);
        if (n == 1) {
            Row(-1, sy(0));   // one row: only the outer side moves
        } else if (Mode1()) {
            Row(-1, sy(1));
            for (int i = 2; i < n; ++i)
                Row(i, sy(i));
            Row(1, sy(0), 2);
        } else {
            Row(-1, sy(n - 1));
            for (int i = n - 2; i >= 1; --i)
                Row(i + 1, sy(i));
            Row(1, sy(0), 2);
        }
    } else {
        return false;
    }
    return true;
}

bool ResizePlanner::Others()
{
    const int k = m_kind;
    const bool poly = m_located && m_parts.nPoints >= 9;
    if (k == 21) {
        Col(-1, sx(1));
        Col(0, sx(0), 2);
        Row(-1, MinY({0, 1}));
    } else if (k == 23) {
        Col(-1, Anchor3() ? sx(0) : sx(1));
        Col(1, Anchor3() ? sx(1) : sx(0));
        Row(-1, MinY({0, 1}));
    } else if (k == 24) {
        Col(-1, MinX({0, 1, 2}));
        Row(-1, Mode1() ? sy(1) : sy(2));
        Row(2, Mode1() ? sy(2) : sy(1));
        Row(1, sy(0), 2);
    } else if (k == 58 || k == 85) {
        Col(-1, MinX({0, 1}));
        Row(-1, sy(1));
        Row(1, sy(0), 2);
    } else if (k == 74) {
        Col(-1, sx(0));
        if (m_located && m_parts.nLines > 0)
            Row(-1, m_rect.bottom - Round(LineY(0)));
        Row(1, sy(0));
    } else if (k == 50 || k == 51) {
        if (poly)
            Col(-1, k == 50 ? std::min(2 * Round(Px(6) - Px(7)), sx(0)) : std::min(2 * Round(Px(3) - Px(2)), sx(1)));
        Row(-1, k == 50 ? sy(0) : sy(1));
        Row(0, k == 50 ? sy(1) : sy(0), 2);
    } else if (k == 63 || k == 64) {
        Col(-1, k == 63 ? sx(0) : sx(1));
        Col(0, k == 63 ? sx(1) : sx(0), 2);
        if (poly)
            Row(-1, k == 63 ? std::min(2 * Round(Py(2) - Py(1)), sy(0)) : std::min(2 * Round(Py(1) - Py(2)), sy(1)));
    } else if (KindIn(k, 141, 143)) {
        Col(-1, sx(0));
        if (!m_located || m_parts.nPoints < 1)
            return true;
        const int n = k - 140;
        const int e = Round(Py(0)) - m_rect.top;
        int h[5] = {};
        h[1] = Round(LineY(0)) - e - m_rect.top;
        for (int j = 2; j <= n; ++j)
            h[j] = Round(LineY(j - 1) - LineY(j - 2));
        h[n + 1] = m_rect.bottom - Round(LineY(n - 1)) - e;
        Bands(h, n, false);
    } else {
        return false;
    }
    return true;
}

void ResizePlanner::Run()
{
    const int k = m_kind;
    const bool byDefault = k == 0 || k == 6 || KindIn(k, 11, 20) || k == 22 || k == 25 ||
                           (KindIn(k, 27, 41) && k % 2 == 1) || k == 53 || KindIn(k, 59, 62) || k == 84 ||
                           KindIn(k, 101, 104) || k == 125 || KindIn(k, 131, 133) || k == 145 || k == 146;
    const bool ifOneFrame = (KindIn(k, 26, 42) && k % 2 == 0) || KindIn(k, 80, 83) || KindIn(k, 106, 118) || k == 121 ||
                            k == 137 || k == 144 || k > 162;
    if (ifOneFrame) {
        if (m_s.m_nFrames == 1)
            Default();
    } else if (byDefault)
        Default();
    else if (KindIn(k, 1, 5))
        Rows();
    else if (KindIn(k, 43, 49))
        Columns();
    else if (IsGridKind(k))
        Grid();
    else if (!Tabbed() && !Rectangles())
        Others();
    // Last, the handle positions of the entries that move a divider.
    auto place = [&](SpecialResizeEntry* list, int count, bool rows) {
        for (int i = 0; i < count; ++i) {
            CPoint at;
            if (list[i].m_nDivider != -1 && m_s.GetDividerHandle(list[i].m_nDivider, at, m_rect))
                list[i].m_nHandlePos = rows ? at.y : at.x;
        }
    };
    place(m_a.m_rows, m_a.m_nRows, true);
    place(m_a.m_cols, m_a.m_nCols, false);
}

} // namespace

void ResizeSpecialShape(const CFigSymbol& symbol, SpecialResizeArgs& args, const RECT& rect, int minCount,
                        const SIZE* minSizes)
{
    args.ResetEntries();
    ResizePlanner planner(symbol, args, rect, minCount, minSizes);
    planner.Run();
}

void GrowSpecialShapeForText(const CFigSymbol& symbol, SIZE& size, const RECT& rect, int minCount,
                             const SIZE* minSizes)
{
    SpecialResizeArgs args;
    args.m_nMode = 1;
    args.m_nAnchor = 3;
    ResizeSpecialShape(symbol, args, rect, minCount, minSizes);
    const CRect r(rect);
    int64_t w = r.Width(), h = r.Height();
    for (int i = 0; i < args.m_nCols; ++i)
        w -= args.m_cols[i].m_nSlack;
    for (int i = 0; i < args.m_nRows; ++i)
        h -= args.m_rows[i].m_nSlack;
    SIZE corner{0, 0};
    symbol.GetLeastCornerSize(rect, corner);
    size.cx = SaturateInt(std::max<int64_t>(w, corner.cx));
    size.cy = SaturateInt(std::max<int64_t>(h, corner.cy));
}

namespace {
// Kinds whose divider handle 0 sets the corner rounding from the top-left.
bool HasRoundingHandle(int k)
{
    return KindIn(k, 22, 25) || k == 58 || k == 74 || k == 85 || k == 132 || k == 133 || KindIn(k, 141, 143) ||
           k == 145 || k == 146;
}
} // namespace

void CFigSymbol::GetLeastCornerSize(const RECT& rect, SIZE& size) const
{
    size = SIZE{0, 0};
    if (!HasRoundingHandle(Reshape))
        return;
    CPoint h;
    if (!GetDividerHandle(0, h, rect))
        return;
    size.cx = SaturateInt((static_cast<int64_t>(h.x) - rect.left) * 9 / 4);
    size.cy = SaturateInt((static_cast<int64_t>(h.y) - rect.top) * 9 / 4);
}

int CFigSymbol::GetDividerAnchor(int index) const
{
    return HasRoundingHandle(Reshape) && index == 0 && index < GetDividerCount() ? 1 : 0;
}

int CFigSymbol::HasMiddleRows() const
{
    const int k = Reshape;
    return KindIn(k, 2, 5) || k == 8 || k == 10 || k == 24 || k == 76 || k == 77 || KindIn(k, 90, 93) || k == 99 ||
                   k == 135
               ? 1 : 0;
}
