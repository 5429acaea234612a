// Special-shape outline templates: reading the frame, the second part and the
// divider lines out of a prepared outline, the derived lines, and the divider
// handle positions.
#include "shapes/DividedShapeOutline.h"

#include "shapes/DividedShapeKinds.h"

#include "geometry/IntGeometry.h"
#include "shapes/KindRange.h"

namespace {

// The template of the kinds framed by a rectangle; false for other kinds.
bool RectTemplate(int kind, SpecialTemplate& t)
{
    int rows, cols;
    GetPartitionGrid(kind, rows, cols);
    t.frameOp = kOpRect;
    if (rows > 0 && cols > 0)
        t.lines = rows + cols - 2;
    else if (KindIn(kind, 1, 5))
        t.lines = kind;
    else if (KindIn(kind, 43, 49))
        t.lines = kind - 42;
    else if (kind == 19 || kind == 20) {
        t.secondOp = kOpRect;
        t.lines = kind == 20 ? 4 : 0;
    } else if (kind == 73 || KindIn(kind, 86, 89) || KindIn(kind, 94, 98) || kind == 100 || kind == 119 ||
               kind == 122)
        t.lines = 1;
    else if (kind == 52 || KindIn(kind, 90, 93) || kind == 99 || kind == 136 || kind == 137)
        t.lines = 2;
    else if (kind == 105 || kind == 120 || kind == 123 || KindIn(kind, 126, 130))
        t.lines = 0;
    else if (kind == 124) {
        t.secondOp = kOpPolyline;
        t.secondPoints = 4;
    } else if (kind == 134)
        t.lines = 3;
    else if (kind == 135)
        t.lines = 4;
    else if (KindIn(kind, 138, 140)) {
        t.secondOp = kOpPolyline;
        t.secondPoints = 4;
        t.lines = kind - 137;
    } else
        return false;
    return true;
}

// The template of the kinds framed by a polygon (or kind 60's ellipse).
bool PolygonTemplate(int kind, SpecialTemplate& t)
{
    t.frameOp = kOpPolyline;
    auto poly = [&t](int n, int lines) {
        t.framePoints = n;
        t.lines = lines;
        return true;
    };
    if (kind == 6) {
        t.secondOp = kOpPolyline;
        t.secondPoints = 3;
        return poly(6, 0);
    }
    if (kind == 7 || kind == 72 || KindIn(kind, 54, 57) || kind == 78 || kind == 79)
        return poly(7, 1);
    if (kind == 8 || kind == 9 || kind == 75 || kind == 76)
        return poly(7, 2);
    if (kind == 10 || kind == 77)
        return poly(7, 3);
    if (kind == 11 || kind == 13 || kind == 27 || kind == 31)
        return poly(7, 0);
    if (kind == 12 || kind == 14 || kind == 16 || kind == 17 || kind == 29 || kind == 33 ||
        kind == 37 || kind == 39)
        return poly(8, 0);
    if (kind == 15 || kind == 18 || kind == 35 || kind == 41)
        return poly(11, 0);
    if (kind == 21)
        return poly(4, 1);
    if (kind == 22 || kind == 25 || kind == 62 || kind == 84 || KindIn(kind, 101, 104) || kind == 125 ||
        kind == 132 || kind == 133 || KindIn(kind, 144, 146))
        return poly(69, 0);
    if (kind == 23 || kind == 58 || kind == 74 || kind == 85)
        return poly(69, 1);
    if (kind == 24)
        return poly(69, 2);
    if (KindIn(kind, 141, 143))
        return poly(69, kind - 140);
    if (kind == 50 || kind == 51 || kind == 63 || kind == 64)
        return poly(9, 1);
    if (kind == 53) {
        t.secondOp = kOpPolyline;
        t.secondPoints = 3;
        return poly(9, 0);
    }
    if (kind == 59 || kind == 131) {
        t.secondOp = kOpPolyline;
        t.secondPoints = 3;
        return poly(7, 1);
    }
    if (kind == 61)
        return poly(13, 0);
    if (kind == 60) {
        t.frameOp = kOpEllipse;
        t.lines = 1;
        return true;
    }
    return false;
}

// Reads one template part; false when the next operation is not it.
bool ReadPart(const BYTE*& cur, const BYTE* end, BYTE op, int points, CFltRect* rect,
              CFltPoint* pts)
{
    if (cur >= end || *cur != op)
        return false;
    const BYTE* payload = cur + 1;
    if (op == kOpPolyline) {
        if (end - payload < 4 || ReadOutlineInt(payload) != points ||
            end - payload < 4 + static_cast<long>(points) * kOutlinePointBytes)
            return false;
        for (int i = 0; i < points; ++i)
            pts[i] = ReadOutlinePoint(payload + 4 + i * kOutlinePointBytes);
        cur = payload + 4 + points * kOutlinePointBytes;
        return true;
    }
    if (end - payload < kOutlineRectBytes)
        return false;
    if (op == kOpLine) {
        pts[0] = ReadOutlinePoint(payload);
        pts[1] = ReadOutlinePoint(payload + kOutlinePointBytes);
    } else {
        *rect = ReadOutlineRect(payload);
    }
    cur = payload + kOutlineRectBytes;
    return true;
}

CFltPointPair Vertical(float x, float y1, float y2)
{
    CFltPointPair l;
    l.m_pt1 = CFltPoint(x, y1);
    l.m_pt2 = CFltPoint(x, y2);
    return l;
}

CFltPointPair Horizontal(float y, float x1, float x2)
{
    CFltPointPair l;
    l.m_pt1 = CFltPoint(x1, y);
    l.m_pt2 = CFltPoint(x2, y);
    return l;
}

// The derived lines, after the outline's own lines.
bool AddDerivedLines(int kind, const BYTE* boxes, int boxCount, SpecialOutlineParts& p)
{
    const bool aLine = KindIn(kind, 86, 89) || KindIn(kind, 94, 97) || kind == 119 || kind == 122;
    const bool topLine = kind == 120 || kind == 123 || KindIn(kind, 126, 130);
    const bool tabLine = KindIn(kind, 54, 57) || KindIn(kind, 75, 79);
    const bool halfway = kind == 98 || kind == 99 || kind == 100 || kind == 130;
    if (!aLine && !topLine && !tabLine && !halfway && !KindIn(kind, 90, 93) && kind != 105)
        return true;
    const int need = (halfway || kind == 105 || kind == 54 || kind == 56) ? 2 : 1;
    if (!boxes || boxCount < need || p.nLines + 2 > kMaxDividerLines)
        return false;
    const CFltRect t0 = ReadOutlineRect(boxes);
    const CFltRect t1 = need > 1 ? ReadOutlineRect(boxes + kOutlineRectBytes) : t0;
    const CFltRect& r = p.rect;
    auto add = [&p](const CFltPointPair& l) { p.lines[p.nLines++] = l; };
    if (kind == 105) {
        add(Horizontal((t0.bottom + t1.top) / 2, r.left, r.right));
        return true;
    }
    if (tabLine) {
        const CFltPoint* q = p.points;
        if (kind == 54 || kind == 56)
            add(Vertical(t1.left + t1.right - q[0].x, q[3].y, q[4].y));
        else
            add(Vertical(t0.left + t0.right - q[0].x, q[0].y, q[2].y));
        return true;
    }
    if (topLine)
        add(Horizontal(t0.top + t0.bottom - r.top, r.left, r.right));
    if (p.nLines < 1)
        return false;
    const float x = halfway ? (t1.right + t0.left) / 2 : t0.left + t0.right - r.left;
    add(Vertical(x, r.top, p.lines[0].m_pt1.y));
    return true;
}

// The case of the handle computation each kind 1..162 takes.
enum class HandleCase {
    LineN, Fold, Tab, Vertex1, Vertex2, Vertex5, Vertex8, Inner, Round, Round23, Round24,
    FirstLinePoint, Second0, Second1, Frame13, MiddleY, Tab75, Active, Fragment, RoundCb,
    TabCorner, Corner
};

HandleCase CaseOf(int kind)
{
    if (KindIn(kind, 1, 5) || kind == 73 || kind == 21 || KindIn(kind, 43, 49) || IsGridKind(kind) ||
        kind == 52 || kind == 60 || KindIn(kind, 86, 100) || kind == 105 || kind == 119 ||
        kind == 120 || KindIn(kind, 122, 123) || KindIn(kind, 126, 130))
        return HandleCase::LineN;   // kind 122 included: it has two line dividers
    if (kind == 6)
        return HandleCase::Fold;
    if (KindIn(kind, 7, 10) || kind == 72 || KindIn(kind, 54, 57) || kind == 78 || kind == 79)
        return HandleCase::Tab;
    if (KindIn(kind, 75, 77))
        return HandleCase::Tab75;
    if (KindIn(kind, 11, 14) || kind == 27 || kind == 29 || kind == 31 || kind == 33)
        return HandleCase::Vertex1;
    if (kind == 15 || kind == 35)
        return HandleCase::Vertex2;
    if (kind == 16 || kind == 17 || kind == 37 || kind == 39)
        return HandleCase::Vertex5;
    if (kind == 18 || kind == 41)
        return HandleCase::Vertex8;
    if (kind == 19 || kind == 20)
        return HandleCase::Inner;
    if (kind == 22 || kind == 25 || kind == 132 || kind == 133 || KindIn(kind, 144, 146))
        return HandleCase::Round;
    if (kind == 23 || kind == 58 || kind == 74 || kind == 85)
        return HandleCase::Round23;
    if (kind == 24)
        return HandleCase::Round24;
    if (KindIn(kind, 50, 51) || KindIn(kind, 63, 64))
        return HandleCase::FirstLinePoint;
    if (kind == 53)
        return HandleCase::Second0;
    if (kind == 59 || kind == 131)
        return HandleCase::Second1;
    if (kind == 61)
        return HandleCase::Frame13;
    if (kind == 62 || kind == 84 || KindIn(kind, 101, 104) || kind == 125)
        return HandleCase::MiddleY;
    if (kind == 124)
        return HandleCase::TabCorner;
    if (KindIn(kind, 134, 137))
        return HandleCase::Active;
    if (KindIn(kind, 138, 140))
        return HandleCase::Fragment;
    if (KindIn(kind, 141, 143))
        return HandleCase::RoundCb;
    return HandleCase::Corner;
}

bool LineMid(const SpecialOutlineParts& p, int n, CFltPoint& out)
{
    if (n < 0 || n >= p.nLines)
        return false;
    out = p.lines[n].GetMidPoint();
    return true;
}

bool Vertex(const SpecialOutlineParts& p, int n, CFltPoint& out)
{
    if (n < 0 || n >= p.nPoints)
        return false;
    out = p.points[n];
    return true;
}

bool RoundingHandle(const SpecialOutlineParts& p, CFltPoint& out)
{
    if (p.nPoints < 17)
        return false;
    out = CFltPoint(p.points[16].x, p.points[0].y);
    return true;
}

} // namespace

bool GetSpecialTemplate(int kind, SpecialTemplate& out)
{
    out = SpecialTemplate();
    if (RectTemplate(kind, out))
        return true;
    out = SpecialTemplate();
    if (PolygonTemplate(kind, out))
        return true;
    out = SpecialTemplate();
    return false;
}

int ParseSpecialOutline(int kind, const BYTE* outline, const BYTE* end, const BYTE* boxes,
                        int boxCount, SpecialOutlineParts& parts)
{
    parts = SpecialOutlineParts();
    SpecialTemplate t;
    if (!GetSpecialTemplate(kind, t))
        return 1;
    if (!outline || t.lines > kMaxDividerLines || t.framePoints > kMaxTemplatePoints ||
        t.secondPoints > kMaxSecondPoints)
        return 0;
    const BYTE* cur = outline;
    if (!ReadPart(cur, end, t.frameOp, t.framePoints, &parts.rect, parts.points))
        return 0;
    parts.nPoints = t.framePoints;
    if (t.secondOp) {
        if (!ReadPart(cur, end, t.secondOp, t.secondPoints, &parts.inner, parts.second))
            return 0;
        parts.nSecond = t.secondPoints;
    }
    for (int i = 0; i < t.lines; ++i) {
        CFltPoint ends[2];
        if (!ReadPart(cur, end, kOpLine, 2, nullptr, ends))
            return 0;
        parts.lines[i].m_pt1 = ends[0];
        parts.lines[i].m_pt2 = ends[1];
    }
    parts.nLines = parts.nOwnLines = t.lines;
    return AddDerivedLines(kind, boxes, boxCount, parts) ? 1 : 0;
}

int RoundHandle(float v)
{
    return RoundAddHalf(static_cast<double>(v));
}

LONG SpecialMiddleY(const RECT& rect)
{
    return static_cast<LONG>((static_cast<int64_t>(rect.top) + rect.bottom) / 2);
}

int CalcDividerPointFromParts(int kind, int n, const SpecialOutlineParts& p, const RECT& rect,
                              POINT& pt)
{
    CFltPoint f;
    bool ok = false;
    switch (CaseOf(kind)) {
    case HandleCase::LineN: ok = LineMid(p, n, f); break;
    case HandleCase::Fold:
    case HandleCase::Second1:
        ok = p.nSecond > 1;
        if (ok)
            f = p.second[1];
        break;
    case HandleCase::Second0:
        ok = p.nSecond > 0;
        if (ok)
            f = p.second[0];
        break;
    case HandleCase::Tab:
    case HandleCase::Tab75: ok = n == 0 ? Vertex(p, 2, f) : LineMid(p, n, f); break;
    case HandleCase::Vertex1: ok = Vertex(p, 1, f); break;
    case HandleCase::Vertex2: ok = Vertex(p, 2, f); break;
    case HandleCase::Vertex5: ok = Vertex(p, 5, f); break;
    case HandleCase::Vertex8: ok = Vertex(p, 8, f); break;
    case HandleCase::Inner:
        f = p.inner.GetCorner1();
        ok = true;
        break;
    case HandleCase::Round: ok = RoundingHandle(p, f); break;
    case HandleCase::Round23:
    case HandleCase::Round24:
    case HandleCase::RoundCb:
        ok = n == 0 ? RoundingHandle(p, f) : LineMid(p, n - 1, f);
        break;
    case HandleCase::FirstLinePoint:
        ok = p.nLines > 0;
        if (ok)
            f = p.lines[0].m_pt1;
        break;
    case HandleCase::Frame13: ok = Vertex(p, 1, f); break;
    case HandleCase::MiddleY:
        if (p.nPoints < 1)
            return 0;
        pt.x = RoundHandle(p.points[0].x);
        pt.y = SpecialMiddleY(rect);
        return 1;
    case HandleCase::TabCorner:
    case HandleCase::Fragment:
        if (n > 0) {
            ok = LineMid(p, n - 1, f);
            break;
        }
        ok = p.nSecond == 4;
        if (ok)
            f = CFltPoint(p.second[0].x, p.second[3].y);
        break;
    case HandleCase::Active: ok = LineMid(p, n == 0 ? 0 : n + 1, f); break;
    case HandleCase::Corner:
        pt.x = rect.left;
        pt.y = rect.top;
        return 1;
    }
    if (!ok)
        return 0;
    pt.x = RoundHandle(f.x);
    pt.y = RoundHandle(f.y);
    return 1;
}
