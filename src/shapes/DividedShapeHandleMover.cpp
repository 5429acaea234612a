#include "shapes/DividedShapeHandleMover.h"

#include "geometry/IntGeometry.h"
#include "shapes/DividedShapeKinds.h"
#include "shapes/DividedShapeRefit.h"
#include "geometry/SymbolSpace.h"
#include "shapes/KindRange.h"

#include <algorithm>

#include <vector>

namespace {

using PtMove = CSpecialHandleMover::PtMove;
using BoxMove = CSpecialHandleMover::BoxMove;

} // namespace

void MoveTextBoxSides(BYTE*& box, CFltRect*& twin, float dl, float dt, float dr, float db, const RECT& rect,
                      bool raw)
{
    CFltRect r = ReadOutlineRect(box);
    MoveFltRect(r, dl, dt, dr, db, rect, raw);
    WriteOutlineRect(box, r);
    box += kOutlineRectBytes;
    if (twin) {
        MoveFltRect(*twin, dl, dt, dr, db, rect, raw);
        ++twin;
    }
}

CSpecialHandleMover::CSpecialHandleMover(CFigSymbol& symbol, const RECT& rect, bool raw, int handle, float dx,
                                         float dy)
    : m_sym(symbol), m_rect(rect), m_raw(raw), m_handle(handle), m_dx(dx), m_dy(dy), m_kind(symbol.Reshape)
{
}

CSpecialHandleMover::Cursor CSpecialHandleMover::Program(int32_t pos) const
{
    Cursor c;
    if (pos < 0 || pos >= m_sym.m_nProgramLength)
        return c;
    c.pos = m_sym.m_program.data() + pos;
    c.end = m_sym.m_program.data() + m_sym.m_nProgramLength;
    return c;
}

// The payload of the next operation when it is op; the cursor moves past it.
BYTE* CSpecialHandleMover::Take(Cursor& c, BYTE op) const
{
    if (!c.pos || c.pos >= c.end || *c.pos != op)
        return nullptr;
    const BYTE* base = m_sym.m_program.data();
    const int size = OutlineOpSize(base, static_cast<int>(c.end - base), static_cast<int>(c.pos - base));
    if (size <= 1)
        return nullptr;
    BYTE* payload = c.pos + 1;
    c.pos += size;
    return payload;
}

bool CSpecialHandleMover::EditPolygon(Cursor& c, BYTE op, int n, const PointsFn& f) const
{
    Cursor probe = c;
    BYTE* payload = Take(probe, op);
    if (!payload || ReadOutlineInt(payload) != n)
        return false;
    c = probe;
    std::vector<CFltPoint> pts(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i)
        pts[i] = ReadOutlinePoint(payload + 4 + i * kOutlinePointBytes);
    f(pts.data(), n);
    for (int i = 0; i < n; ++i)
        WriteOutlinePoint(payload + 4 + i * kOutlinePointBytes, pts[i]);
    return true;
}

// The second program's first record: an opcode-5 polygon of n points.
bool CSpecialHandleMover::EditSecond(int n, const PointsFn& f)
{
    Cursor c = Program(m_sym.m_nFillPos);
    return EditPolygon(c, kOpPolygon, n, f);
}

bool CSpecialHandleMover::EditHotZone(int n, const PointsFn& f)
{
    if (m_sym.m_hotZone.GetCount() != n)
        return false;
    std::vector<CFltPoint> pts(m_sym.m_hotZone.GetPoints(), m_sym.m_hotZone.GetPoints() + n);
    f(pts.data(), n);
    return m_sym.m_hotZone.Set(n, pts.data());
}

void CSpecialHandleMover::Move(CFltPoint& p, float dx, float dy) const
{
    MoveFltPoint(p, dx, dy, m_rect, m_raw);
}

void CSpecialHandleMover::Moves(CFltPoint* pts, std::initializer_list<PtMove> moves) const
{
    for (const PtMove& m : moves)
        Move(pts[m.i], m.sx * m_dx, m.sy * m_dy);
}

bool CSpecialHandleMover::LineMove(Cursor& c, float ax, float ay, float bx, float by) const
{
    BYTE* payload = Take(c, kOpLine);
    if (!payload)
        return false;
    CFltPoint a = ReadOutlinePoint(payload), b = ReadOutlinePoint(payload + kOutlinePointBytes);
    Move(a, ax, ay);
    Move(b, bx, by);
    WriteOutlinePoint(payload, a);
    WriteOutlinePoint(payload + kOutlinePointBytes, b);
    return true;
}

// Exactly count boxes; each is visited from box 0, the twin table along when
// it holds as many boxes.
bool CSpecialHandleMover::Boxes(int count, std::initializer_list<BoxMove> moves)
{
    if (m_sym.m_nTextBoxes != count || count > kMaxTextBoxes ||
        (count > 0 && (m_sym.m_nTextBoxPos < 0 ||
                       m_sym.m_nTextBoxPos + count * kOutlineRectBytes > m_sym.m_nProgramLength)))
        return false;
    BYTE* box = count > 0 ? m_sym.m_program.data() + m_sym.m_nTextBoxPos : nullptr;
    CFltRect* twin = m_sym.m_nFrames == count && count <= CFigSymbol::kMaxFrames ? m_sym.m_frames : nullptr;
    for (int i = 0; i < count; ++i) {
        float l = 0, t = 0, r = 0, b = 0;
        for (const BoxMove& m : moves) {
            if (m.box == i) {
                l += m.l;
                t += m.t;
                r += m.r;
                b += m.b;
            }
        }
        MoveTextBoxSides(box, twin, l, t, r, b, m_rect, m_raw);
    }
    return true;
}

bool CSpecialHandleMover::Rows(int rows, int boxes)
{
    Cursor c = Program(m_sym.m_nOutlinePos);
    if (!Take(c, kOpRect))
        return false;
    for (int i = 0; i < rows - 1; ++i) {
        if (!LineMove(c, 0, H(i, m_dy), 0, H(i, m_dy)))
            return false;
    }
    return Boxes(boxes, {{m_handle, 0, 0, 0, m_dy}, {m_handle + 1, 0, m_dy, 0, 0}});
}

bool CSpecialHandleMover::Columns(int cols)
{
    Cursor c = Program(m_sym.m_nOutlinePos);
    if (!Take(c, kOpRect))
        return false;
    for (int i = 0; i < cols - 1; ++i) {
        if (!LineMove(c, H(i, m_dx), 0, H(i, m_dx), 0))
            return false;
    }
    return Boxes(cols, {{m_handle, 0, 0, m_dx, 0}, {m_handle + 1, m_dx, 0, 0, 0}});
}

bool CSpecialHandleMover::Grid()
{
    int rows, cols;
    GetPartitionGrid(m_kind, rows, cols);
    if (rows == 0 || cols == 0 || rows + cols < 3)
        return true;
    Cursor c = Program(m_sym.m_nOutlinePos);
    if (!Take(c, kOpRect))
        return false;
    for (int i = 0; i < rows - 1; ++i) {
        if (!LineMove(c, 0, H(i, m_dy), 0, H(i, m_dy)))
            return false;
    }
    for (int i = rows - 1; i < rows + cols - 2; ++i) {
        if (!LineMove(c, H(i, m_dx), 0, H(i, m_dx), 0))
            return false;
    }
    return true;
}

// A polygon frame of n points with its further parts (between), text boxes,
// second program and hot zone, in the order of the kind.
bool CSpecialHandleMover::FrameThenSecondAndHot(int n, std::initializer_list<PtMove> moves,
                                                const std::function<bool()>& between, bool secondFirst,
                                                int hotCount, std::initializer_list<PtMove> hotExtra)
{
    const std::vector<PtMove> list(moves);
    const std::vector<PtMove> extra(hotExtra);
    auto frameMoves = [&](CFltPoint* pts, int) {
        for (const PtMove& m : list)
            Move(pts[m.i], m.sx * m_dx, m.sy * m_dy);
    };
    Cursor c = Program(m_sym.m_nOutlinePos);
    if (!EditPolygon(c, kOpPolyline, n, frameMoves))
        return false;
    m_cursor = c;
    if (secondFirst && !EditSecond(n, frameMoves))
        return false;
    if (!between())
        return false;
    if (!secondFirst && !EditSecond(n, frameMoves))
        return false;
    return EditHotZone(hotCount, [&](CFltPoint* pts, int count) {
        frameMoves(pts, count);
        for (const PtMove& m : extra)
            Move(pts[m.i], m.sx * m_dx, m.sy * m_dy);
    });
}

bool CSpecialHandleMover::Tabbed()
{
    const int k = m_kind;
    const float dx = m_dx, dy = m_dy;
    const bool h0 = m_handle == 0;
    const int lines = (k == 10 || k == 77) ? 3 : (k == 8 || k == 9 || k == 75 || k == 76) ? 2 : 1;
    const int boxes = (k == 72 || k == 78 || k == 79) ? 1 : (k == 10 || k == 77) ? 4
                    : (k == 8 || k == 9 || k == 75 || k == 76) ? 3 : 2;
    auto tab = [&](CFltPoint* pts, int) {
        if (!h0)
            return;
        Move(pts[1], dx, 0);
        Move(pts[2], dx, dy);
        Move(pts[3], 0, dy);
    };
    Cursor c = Program(m_sym.m_nOutlinePos);
    if (!EditPolygon(c, kOpPolyline, 7, tab))
        return false;
    // Line moves per line: A (ax, ay), B (bx, by).
    float la[3][4] = {};
    if (h0) {
        la[0][1] = dy;
        la[0][2] = dx;
        la[0][3] = dy;
    }
    std::vector<BoxMove> moves;
    if (h0)
        moves.push_back({0, 0, 0, dx, dy});
    auto box = [&moves](int i, float l, float t, float r, float b) { moves.push_back({i, l, t, r, b}); };
    if (h0 && k != 72 && k != 78 && k != 79)
        box(1, 0, dy, 0, 0);
    if (k == 8 || k == 76) {
        if (m_handle == 1) {
            la[1][1] = la[1][3] = dy;
            box(1, 0, 0, 0, dy);
            box(2, 0, dy, 0, 0);
        }
        if (k == 76 && m_handle == 2)
            box(0, 0, 0, dx, 0);
    } else if (k == 9 || k == 75) {
        if (h0) {
            la[1][1] = dy;
            box(2, 0, dy, 0, 0);
        }
        if (m_handle == 1) {
            la[1][0] = la[1][2] = dx;
            box(1, 0, 0, dx, 0);
            box(2, dx, 0, 0, 0);
        }
        if (k == 75 && m_handle == 2)
            box(0, 0, 0, dx, 0);
    } else if (k == 10 || k == 77) {
        if (h0) {
            la[2][1] = dy;
            box(3, 0, dy, 0, 0);
        }
        if (m_handle == 1) {
            la[1][1] = la[1][3] = dy;
            box(1, 0, 0, 0, dy);
            box(2, 0, dy, 0, 0);
        }
        if (m_handle == 2) {
            la[1][2] = dx;
            la[2][0] = la[2][2] = dx;
            box(1, 0, 0, dx, 0);
            box(2, 0, 0, dx, 0);
            box(3, dx, 0, 0, 0);
        }
        if (k == 77 && m_handle == 3)
            box(0, 0, 0, dx, 0);
    } else if (m_handle == 1) {
        if (k == 54 || k == 56)
            box(1, 0, 0, dx, 0);
        else if (KindIn(k, 55, 57) || k == 78 || k == 79)
            box(0, 0, 0, dx, 0);
    }
    for (int i = 0; i < lines; ++i) {
        if (!LineMove(c, la[i][0], la[i][1], la[i][2], la[i][3]))
            return false;
    }
    if (m_sym.m_nTextBoxes != boxes)
        return false;
    for (const BoxMove& m : moves) {
        if (!Boxes(boxes, {m}))
            return false;
    }
    return EditSecond(7, tab) && EditHotZone(7, tab);
}

bool CSpecialHandleMover::RectFrame()
{
    const int k = m_kind;
    const float dx = m_dx, dy = m_dy;
    Cursor c = Program(m_sym.m_nOutlinePos);
    if (!Take(c, kOpRect))
        return false;
    auto rowLine = [&](int handle) { return LineMove(c, 0, H(handle, dy), 0, H(handle, dy)); };
    if (k == 19 || k == 20) {
        BYTE* inner = Take(c, kOpRect);
        if (!inner)
            return false;
        CFltRect r = ReadOutlineRect(inner);
        MoveFltRect(r, dx, dy, -dx, -dy, m_rect, m_raw);
        WriteOutlineRect(inner, r);
        if (k == 20 && !(LineMove(c, 0, 0, dx, dy) && LineMove(c, 0, 0, dx, -dy) &&
                         LineMove(c, -dx, -dy, 0, 0) && LineMove(c, -dx, dy, 0, 0)))
            return false;
        return Boxes(1, {{0, dx, dy, -dx, -dy}});
    }
    if (k == 52)
        return rowLine(0) && rowLine(1) && Boxes(2, {{0, 0, 0, 0, H(0, dy)}, {1, 0, H(1, dy), 0, 0}});
    if (KindIn(k, 86, 89))
        return rowLine(0) && Boxes(2, {{0, 0, 0, H(1, dx), H(0, dy)}, {1, 0, H(0, dy), 0, 0}});
    if (KindIn(k, 90, 93)) {
        return rowLine(0) && rowLine(1) &&
               Boxes(3, {{0, 0, 0, H(2, dx), H(0, dy)}, {1, 0, H(0, dy), 0, H(1, dy)}, {2, 0, H(1, dy), 0, 0}});
    }
    if (KindIn(k, 94, 97) || k == 119 || k == 122)
        return rowLine(0) && Boxes(1, {{0, 0, 0, H(1, dx), H(0, dy)}});
    if (k == 120 || k == 123 || KindIn(k, 126, 129))
        return Boxes(1, {{0, 0, 0, H(1, dx), H(0, dy)}});
    if (k == 98) {
        return rowLine(0) &&
               Boxes(3, {{0, H(1, dx), 0, 0, H(0, dy)}, {1, 0, 0, H(1, dx), H(0, dy)}, {2, 0, H(0, dy), 0, 0}});
    }
    if (k == 99) {
        return rowLine(0) && rowLine(1) &&
               Boxes(4, {{0, H(2, dx), 0, 0, H(0, dy)}, {1, 0, 0, H(2, dx), H(0, dy)},
                         {2, 0, H(0, dy), 0, H(1, dy)}, {3, 0, H(1, dy), 0, 0}});
    }
    if (k == 100 || k == 130) {
        if (k == 100 && !rowLine(0))
            return false;
        return Boxes(2, {{0, H(1, dx), 0, 0, H(0, dy)}, {1, 0, 0, H(1, dx), H(0, dy)}});
    }
    if (k == 105)
        return Boxes(2, {{0, 0, 0, 0, H(0, dy)}, {1, 0, H(0, dy), 0, 0}});
    if (k == 124 || KindIn(k, 138, 140)) {
        const float tx = H(0, dx), ty = H(0, dy);
        auto nameTab = [&](CFltPoint* pts, int) {
            Move(pts[0], tx, 0);
            Move(pts[1], tx, ty);
            Move(pts[2], tx, ty);
            Move(pts[3], 0, ty);
        };
        if (!EditPolygon(c, kOpPolyline, 4, nameTab))
            return false;
        for (int j = 0; k != 124 && j < k - 137; ++j) {
            if (!rowLine(j + 1))
                return false;
        }
        return Boxes(1, {{0, 0, 0, tx, ty}});
    }
    if (KindIn(k, 134, 137)) {
        const float bar = H(0, dx);
        if (!LineMove(c, bar, 0, bar, 0) || !LineMove(c, -bar, 0, -bar, 0))
            return false;
        const int rowLines = k == 134 ? 1 : k == 135 ? 2 : 0;
        for (int j = 1; j <= rowLines; ++j) {
            if (!LineMove(c, bar, H(j, dy), -bar, H(j, dy)))
                return false;
        }
        // "[active class/object]" holds its name box like "active class/object".
        const int boxes = k == 134 ? 2 : k == 135 ? 3 : 1;
        if (m_sym.m_nTextBoxes != boxes)
            return false;
        for (int i = 0; i < boxes; ++i) {
            const float t = i >= 1 ? H(i, dy) : 0.0f;
            if (!Boxes(boxes, {{i, bar, t, -bar, H(i + 1, dy)}}))
                return false;
        }
        return true;
    }
    return false;
}

bool CSpecialHandleMover::RoundedWithLines()
{
    const int k = m_kind;
    const float dx = m_dx, dy = m_dy;
    const float cx = H(0, dx), cy = H(0, dy);
    auto refit = [cx, cy](CFltPoint* pts, int n) { RefitRoundedCorners(n, pts, cx, cy); };
    Cursor c = Program(m_sym.m_nOutlinePos);
    if (!EditPolygon(c, kOpPolyline, 69, refit))
        return false;
    bool ok;
    if (k == 23) {
        ok = LineMove(c, H(1, dx), 0, H(1, dx), 0) && Boxes(2, {{0, 0, 0, H(1, dx), 0}, {1, H(1, dx), 0, 0, 0}});
    } else if (k == 24) {
        ok = LineMove(c, 0, H(1, dy), 0, H(1, dy)) && LineMove(c, 0, H(2, dy), 0, H(2, dy)) &&
             Boxes(3, {{0, 0, 0, 0, H(1, dy)}, {1, 0, H(1, dy), 0, H(2, dy)}, {2, 0, H(2, dy), 0, 0}});
    } else if (k == 58 || k == 85) {
        ok = LineMove(c, 0, H(1, dy), 0, H(1, dy)) && Boxes(2, {{0, 0, 0, 0, H(1, dy)}, {1, 0, H(1, dy), 0, 0}});
    } else if (k == 74) {
        ok = LineMove(c, 0, H(1, dy), 0, H(1, dy)) && Boxes(1, {{0, 0, 0, 0, H(1, dy)}});
    } else {
        ok = true;
        for (int j = 0; ok && j < k - 140; ++j)
            ok = LineMove(c, 0, H(j + 1, dy), 0, H(j + 1, dy));
    }
    return ok && EditSecond(69, refit) && EditHotZone(69, refit);
}

bool CSpecialHandleMover::Rounded()
{
    const float cx = H(0, m_dx), cy = H(0, m_dy);
    auto refit = [cx, cy](CFltPoint* pts, int n) { RefitRoundedCorners(n, pts, cx, cy); };
    Cursor c = Program(m_sym.m_nOutlinePos);
    return EditPolygon(c, kOpPolyline, 69, refit) && EditSecond(69, refit) && EditHotZone(69, refit);
}

bool CSpecialHandleMover::Sides(bool arc)
{
    const float d = m_dx;
    auto refit = [arc, d](CFltPoint* pts, int n) {
        if (arc)
            RefitArcSides(n, pts, d);
        else
            RefitRoundSides(n, pts, d);
    };
    Cursor c = Program(m_sym.m_nOutlinePos);
    return EditPolygon(c, kOpPolyline, 69, refit) && EditSecond(69, refit) && EditHotZone(69, refit);
}

bool CSpecialHandleMover::CommentColumns()
{
    Cursor c = Program(m_sym.m_nOutlinePos);
    return EditPolygon(c, kOpPolyline, 4, [](CFltPoint*, int) {}) && LineMove(c, m_dx, 0, m_dx, 0) &&
           Boxes(2, {{0, 0, 0, m_dx, 0}, {1, m_dx, 0, 0, 0}});
}

bool CSpecialHandleMover::Run()
{
    const int k = m_kind;
    if (KindIn(k, 1, 5))
        return Rows(k + 1, k + 1);
    if (k == 73)
        return Rows(2, 1);
    if (KindIn(k, 43, 49))
        return Columns(k - 41);
    if (IsGridKind(k))
        return Grid();
    if (k == 6 || KindIn(k, 11, 18) || (KindIn(k, 27, 41) && (k % 2) == 1) || KindIn(k, 50, 51) || k == 53 ||
        k == 59 || k == 131 || k == 61 || KindIn(k, 63, 64))
        return PolygonFrame();
    if (KindIn(k, 7, 10) || KindIn(k, 54, 57) || k == 72 || KindIn(k, 75, 79))
        return Tabbed();
    if (k == 19 || k == 20 || k == 52 || KindIn(k, 86, 100) || k == 105 || k == 119 || k == 120 ||
        KindIn(k, 122, 124) || KindIn(k, 126, 130) || KindIn(k, 134, 140))
        return RectFrame();
    if (k == 23 || k == 24 || k == 58 || k == 74 || k == 85 || KindIn(k, 141, 143))
        return RoundedWithLines();
    if (k == 22 || k == 25 || k == 132 || k == 133 || KindIn(k, 144, 146))
        return Rounded();
    if (k == 84 || k == 101 || k == 103 || k == 125)
        return Sides(false);
    if (k == 102 || k == 104)
        return Sides(true);
    if (k == 60)
        return UseCase();
    if (k == 21)
        return CommentColumns();
    return true;    // kinds without a rewrite: nothing moves
}

// A symbol point in the figure, with the drawing's divisors (width - 1).
static CFltPoint ToFigure(CFltPoint p, const CRect& r)
{
    MapNormPtToSize(p, r.Width() - 1.0, r.Height() - 1.0, 0.0);
    p.x += static_cast<float>(r.left);
    p.y += static_cast<float>(r.top);
    return p;
}

bool CSpecialHandleMover::UseCase()
{
    Cursor c = Program(m_sym.m_nOutlinePos);
    if (!Take(c, kOpEllipse))
        return false;
    BYTE* line = Take(c, kOpLine);
    if (!line || m_sym.m_nTextBoxes != 2 || m_sym.m_nTextBoxPos < 0)
        return false;
    const CRect& r = m_rect;
    const float width = static_cast<float>(r.Width());
    CFltPoint a = ReadOutlinePoint(line), b = ReadOutlinePoint(line + kOutlinePointBytes);
    const CFltPoint a0 = ToFigure(a, r), b0 = ToFigure(b, r);
    Move(a, 0, m_dy);
    const float y = ToFigure(a, r).y;
    const CPoint centre = r.CenterPoint();
    const float cx = static_cast<float>(centre.x), cy = static_cast<float>(centre.y);
    const float h = static_cast<float>(EllipseHalfWidthAtY(r, y));
    Move(a, ((cx - h) - a0.x) * 2048.0f / width, 0);
    Move(b, ((cx + h) - b0.x) * 2048.0f / width, m_dy);
    WriteOutlinePoint(line, a);
    WriteOutlinePoint(line + kOutlinePointBytes, b);

    BYTE* boxes = m_sym.m_program.data() + m_sym.m_nTextBoxPos;
    CFltRect box0 = ReadOutlineRect(boxes), box1 = ReadOutlineRect(boxes + kOutlineRectBytes);
    const float g = a0.y - ToFigure(box0.GetCorner2(), r).y;
    box0.SetCorners(ToFigure(box0.GetCorner1(), r), ToFigure(box0.GetCorner2(), r));
    box1.SetCorners(ToFigure(box1.GetCorner1(), r), ToFigure(box1.GetCorner2(), r));
    const float top = static_cast<float>(r.top), bottom = static_cast<float>(r.bottom);
    const float m = std::min(y - top, bottom - y);
    const float v = (m - g) * 0.7f + g;
    box0.bottom = y - g;
    box1.top = y + g;
    const float outer = static_cast<float>(EllipseHalfWidthAtY(r, top + m - v));
    const float k = static_cast<float>(r.Height()) * 0.5f * 0.70710677f;
    const float inner = static_cast<float>(EllipseHalfWidthAtY(r, cy - k));
    CFltRect& away = cy <= y ? box1 : box0;
    CFltRect& home = cy <= y ? box0 : box1;
    if (cy <= y) {
        box1.bottom = y + v;
        box0.top = cy - k;
    } else {
        box0.top = y - v;
        box1.bottom = cy + k;
    }
    away.left = cx - outer;
    away.right = cx + outer;
    home.left = cx - inner;
    home.right = cx + inner;
    RectToSymbolUnits(box0, r);
    RectToSymbolUnits(box1, r);
    box0.ClampToSymbolSpace();
    box1.ClampToSymbolSpace();
    WriteOutlineRect(boxes, box0);
    WriteOutlineRect(boxes + kOutlineRectBytes, box1);
    return true;
}
