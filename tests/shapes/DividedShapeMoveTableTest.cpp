// Each kind's rewrite, point by point and side by side: which frame points a
// handle moves and in which direction, which text-box sides follow, the
// kinds whose corner handle takes one delta for both axes, the arc of arc
// sides, and the one-row partitions.
#include "DividedShapeTestSupport.h"
#include "shapes/DividedShapeRefit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// On a 2048 x 2048 figure a figure delta is the same symbol delta.
const CRect kFig(0, 0, 2048, 2048);
constexpr float kDx = 24, kDy = 16;

const BYTE* OpPayload(const CFigSymbol& s, int n) { return OutlineOpAt(s, n) + 1; }
CFltPoint PolyPt(const BYTE* payload, int i) { return ReadOutlinePoint(payload + 4 + 16 * i); }

int Drag(CFigSymbol& s, int handle, float dx, float dy, const CRect& r = kFig)
{
    CPoint at;
    EXPECT_TRUE(s.GetDividerHandle(handle, at, r));
    return s.MoveSpecialHandle(handle, r, CPoint(at.x + int(dx), at.y + int(dy)), 0);
}

float Clamp(float v) { return std::clamp(v, 0.0f, 2048.0f); }

// A point move or a box's side moves, in units of the drag's dx and dy.
struct PtMove {
    int i;
    float sx, sy;
};
struct SideMoves {
    int box;
    float l, t, r, b;   // l and r in dx, t and b in dy
};

struct PolygonCase {
    int kind, points;
    std::vector<PtMove> moves;
    std::vector<SideMoves> boxes;   // every box not named stays
};

// The polygon frames: the frame, its copy in the second program and the
// hot zone move alike; the text boxes move their named sides.
const std::vector<PolygonCase>& PolygonCases()
{
    static const std::vector<PolygonCase> cases = {
        {6, 6, {{1, 1, 0}, {2, 0, 1}}, {}},
        {11, 7, {{0, 0, 1}, {1, 1, 1}, {2, 1, 0}, {4, 1, 0}, {5, 1, -1}, {6, 0, -1}}, {{0, 1, 1, 0, -1}}},
        {13, 7, {{0, 0, 1}, {1, 1, 1}, {2, 1, 0}, {4, 1, 0}, {5, 1, -1}, {6, 0, -1}}, {{0, 0, 1, 1, -1}}},
        {12, 8, {{0, 0, 1}, {1, 1, 1}, {2, 1, 0}, {4, 1, 0}, {5, 1, -1}, {6, 0, -1}, {7, 0, 1}}, {{0, 1, 1, 0, -1}}},
        {14, 8, {{0, 0, 1}, {1, 1, 1}, {2, 1, 0}, {4, 1, 0}, {5, 1, -1}, {6, 0, -1}, {7, 0, 1}}, {{0, 0, 1, 1, -1}}},
        {15, 11,
         {{1, 1, 0}, {2, 1, 1}, {3, -1, 1}, {4, -1, 0}, {6, -1, 0}, {7, -1, -1}, {8, 1, -1}, {9, 1, 0}},
         {{0, 1, 1, -1, -1}}},
        {16, 8, {{1, 0, 1}, {2, -1, 1}, {3, -1, 0}, {4, 1, 0}, {5, 1, 1}, {6, 0, 1}}, {{0, 1, 0, -1, 1}}},
        {17, 8, {{1, 0, 1}, {2, -1, 1}, {3, -1, 0}, {4, 1, 0}, {5, 1, 1}, {6, 0, 1}}, {{0, 1, 1, -1, 0}}},
        {18, 11,
         {{1, 0, 1}, {2, -1, 1}, {3, -1, -1}, {4, 0, -1}, {6, 0, -1}, {7, 1, -1}, {8, 1, 1}, {9, 0, 1}},
         {{0, 1, 1, -1, -1}}},
        {50, 9, {{2, 0, 1}, {3, -1, 1}, {4, -1, 0}, {5, 1, 0}, {6, 1, 1}, {7, 0, 1}}, {{0, 0, 0, 0, 1}, {1, 1, 1, -1, 0}}},
        {51, 9,
         {{0, 1, 0}, {1, -1, 0}, {2, -1, 1}, {3, 0, 1}, {6, 0, 1}, {7, 1, 1}, {8, 1, 0}},
         {{0, 1, 0, -1, 1}, {1, 0, 1, 0, 0}}},
        {63, 9, {{1, 1, 0}, {2, 1, 1}, {3, 0, 1}, {4, 0, -1}, {5, 1, -1}, {6, 1, 0}}, {{0, 0, 0, 1, 0}, {1, 1, 1, 0, -1}}},
        {64, 9,
         {{0, 0, 1}, {1, 1, 1}, {2, 1, 0}, {5, 1, 0}, {6, 1, -1}, {7, 0, -1}, {8, 0, 1}},
         {{0, 0, 1, 1, -1}, {1, 1, 0, 0, 0}}},
        {53, 9, {{0, 0, 1}, {1, 1, 1}, {2, 1, 0}, {4, 0, -1}, {5, -1, -1}, {6, -1, 0}, {8, 0, 1}}, {{0, 0, 1, -1, 0}}},
        {59, 7, {{0, 0, 1}, {1, -1, 0}, {3, 0, -1}, {4, 1, 0}, {6, 0, 1}}, {{0, 0, 1, 1, 0}}},
    };
    return cases;
}

std::vector<CFltPoint> Moved(std::vector<CFltPoint> pts, const std::vector<PtMove>& moves)
{
    for (const PtMove& m : moves)
        pts[size_t(m.i)] = CFltPoint(Clamp(pts[size_t(m.i)].x + m.sx * kDx), Clamp(pts[size_t(m.i)].y + m.sy * kDy));
    return pts;
}

std::vector<CFltPoint> Points(const BYTE* payload, int n)
{
    std::vector<CFltPoint> pts;
    for (int i = 0; i < n; ++i)
        pts.push_back(PolyPt(payload, i));
    return pts;
}

std::vector<CFltRect> Boxes(const CFigSymbol& s)
{
    std::vector<CFltRect> boxes;
    for (int i = 0; i < s.m_nTextBoxes; ++i)
        boxes.push_back(BoxOf(s, i));
    return boxes;
}

void ExpectBoxesMoved(const std::vector<CFltRect>& before, const CFigSymbol& after, const std::vector<SideMoves>& moves,
                      float dx, float dy)
{
    std::vector<CFltRect> want = before;
    for (const SideMoves& m : moves) {
        CFltRect& r = want[size_t(m.box)];
        r = CFltRect(Clamp(r.left + m.l * dx), Clamp(r.top + m.t * dy), Clamp(r.right + m.r * dx),
                     Clamp(r.bottom + m.b * dy));
    }
    EXPECT_EQ(Boxes(after), want);
}

} // namespace

TEST(SpecialMoveTable, PolygonFramesMoveTheirRowsPoints)
{
    for (const PolygonCase& c : PolygonCases()) {
        SCOPED_TRACE(c.kind);
        CFigSymbol s = TemplateSymbol(c.kind);
        const std::vector<CFltPoint> frame = Points(OpPayload(s, 0), c.points);
        const std::vector<CFltPoint> hot(s.m_hotZone.GetPoints(), s.m_hotZone.GetPoints() + s.m_hotZone.GetCount());
        const std::vector<CFltRect> boxes = Boxes(s);
        ASSERT_EQ(Drag(s, 0, kDx, kDy), 1);
        const std::vector<CFltPoint> want = Moved(frame, c.moves);
        EXPECT_EQ(Points(OpPayload(s, 0), c.points), want);
        EXPECT_EQ(Points(s.m_program.data() + s.m_nFillPos + 1, c.points), want) << "the second program";
        std::vector<CFltPoint> wantHot = Moved(std::vector<CFltPoint>(hot.begin(), hot.begin() + c.points), c.moves);
        wantHot.insert(wantHot.end(), hot.begin() + c.points, hot.end());
        if (c.kind == 11 || c.kind == 13)   // the open arrow's closing point moves like point 0
            wantHot.back() = CFltPoint(Clamp(wantHot.back().x), Clamp(wantHot.back().y + kDy));
        EXPECT_EQ(std::vector<CFltPoint>(s.m_hotZone.GetPoints(), s.m_hotZone.GetPoints() + s.m_hotZone.GetCount()),
                  wantHot);
        ExpectBoxesMoved(boxes, s, c.boxes, kDx, kDy);
    }
}

TEST(SpecialMoveTable, RectangleFramesMoveTheSidesOfTheDraggedHandle)
{
    struct Case {
        int kind, handle;
        std::vector<SideMoves> boxes;
    };
    const Case cases[] = {
        {19, 0, {{0, 1, 1, -1, -1}}},
        {52, 1, {{1, 0, 1, 0, 0}}},
        {86, 1, {{0, 0, 0, 1, 0}}},
        {90, 2, {{0, 0, 0, 1, 0}}},
        {94, 1, {{0, 0, 0, 1, 0}}},
        {120, 0, {{0, 0, 0, 0, 1}}},
        {98, 0, {{0, 0, 0, 0, 1}, {1, 0, 0, 0, 1}, {2, 0, 1, 0, 0}}},
        {98, 1, {{0, 1, 0, 0, 0}, {1, 0, 0, 1, 0}}},
        {99, 2, {{0, 1, 0, 0, 0}, {1, 0, 0, 1, 0}}},
        {100, 1, {{0, 1, 0, 0, 0}, {1, 0, 0, 1, 0}}},
        {130, 1, {{0, 1, 0, 0, 0}, {1, 0, 0, 1, 0}}},
        {105, 0, {{0, 0, 0, 0, 1}, {1, 0, 1, 0, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " handle " << c.handle);
        CFigSymbol s = TemplateSymbol(c.kind);
        const std::vector<CFltRect> boxes = Boxes(s);
        ASSERT_EQ(Drag(s, c.handle, kDx, kDy), 1);
        ExpectBoxesMoved(boxes, s, c.boxes, kDx, kDy);
    }
}

// On a figure 100 wide and 200 high a corner handle dragged 10 across moves
// the corners by 10 of 100 on both axes (204.8 units) for the kinds that
// take one delta; any other kind keeps its vertical radius.
TEST(SpecialMoveTable, CornerHandlesOfTheRoundedKindsTakeOneDelta)
{
    const CRect tall(0, 0, 100, 200);
    for (int kind : {22, 23, 24, 25, 58, 74, 85, 132, 133, 145, 146, 141}) {
        SCOPED_TRACE(kind);
        CFigSymbol s = TemplateSymbol(kind);
        const float y0 = PolyPt(OpPayload(s, 0), 0).y;   // on the left side, upper half
        ASSERT_EQ(Drag(s, 0, 10, 0, tall), 1);
        EXPECT_NEAR(PolyPt(OpPayload(s, 0), 0).y, kind == 141 ? y0 : y0 + 204.8f, 0.01);
    }
}

// Arc sides bulge along the circle through the side's two ends: every point
// of the left side lies on the circle of radius r centred r to the right of
// the side's middle.
TEST(SpecialMoveTable, ArcSidesLieOnTheirCircle)
{
    std::vector<CFltPoint> pts = RoundedFrame69();
    pts[0].x = 0;
    RefitArcSides(69, pts.data(), 300);
    const double b = 300, r = (b * b + 1024.0 * 1024.0) / (2 * b);
    for (int k = 0; k < 32; ++k) {
        const float x = pts[size_t(67 - k)].x, y = pts[size_t(2 + k)].y;
        EXPECT_NEAR(std::hypot(r - x, 1024.0 - y), r, 0.05) << k;
        EXPECT_FLOAT_EQ(pts[size_t(2 + k)].x, 2048 - x);
    }
}

// A one-row partition of two columns has a divider: it moves sideways.
TEST(SpecialMoveTable, OneRowPartitionsMoveTheirColumnDivider)
{
    CFigSymbol s = TemplateSymbol(65);
    const BYTE* line = OpPayload(s, 1);
    const CFltPoint a = ReadOutlinePoint(line);
    ASSERT_EQ(Drag(s, 0, 100, 50), 1);
    EXPECT_EQ(ReadOutlinePoint(OpPayload(s, 1)), CFltPoint(a.x + 100, a.y));
}

namespace {
struct LineMoves {
    int line;
    float ax, ay, bx, by;   // in dx and dy
};

// The line records of the outline, in order.
std::vector<std::pair<CFltPoint, CFltPoint>> Lines(const CFigSymbol& s)
{
    std::vector<std::pair<CFltPoint, CFltPoint>> lines;
    for (int pos = s.m_nOutlinePos; pos < s.m_nTextBoxPos;) {
        const BYTE* op = s.m_program.data() + pos;
        if (*op == kOpLine)
            lines.emplace_back(ReadOutlinePoint(op + 1), ReadOutlinePoint(op + 17));
        const int size = OutlineOpSize(s.m_program.data(), s.m_nProgramLength, pos);
        if (size <= 0)
            break;
        pos += size;
    }
    return lines;
}
} // namespace

// The tabbed shapes: which lines and text-box sides each handle moves.
TEST(SpecialMoveTable, TabbedShapesMoveTheirLinesAndBoxesByHandle)
{
    struct Case {
        int kind, handle;
        std::vector<LineMoves> lines;
        std::vector<SideMoves> boxes;
    };
    const Case cases[] = {
        {8, 1, {{1, 0, 1, 0, 1}}, {{1, 0, 0, 0, 1}, {2, 0, 1, 0, 0}}},
        {9, 0, {{0, 0, 1, 1, 1}, {1, 0, 1, 0, 0}}, {{0, 0, 0, 1, 1}, {1, 0, 1, 0, 0}, {2, 0, 1, 0, 0}}},
        {9, 1, {{1, 1, 0, 1, 0}}, {{1, 0, 0, 1, 0}, {2, 1, 0, 0, 0}}},
        {10, 0, {{0, 0, 1, 1, 1}, {2, 0, 1, 0, 0}}, {{0, 0, 0, 1, 1}, {1, 0, 1, 0, 0}, {3, 0, 1, 0, 0}}},
        {10, 1, {{1, 0, 1, 0, 1}}, {{1, 0, 0, 0, 1}, {2, 0, 1, 0, 0}}},
        {10, 2, {{1, 0, 0, 1, 0}, {2, 1, 0, 1, 0}}, {{1, 0, 0, 1, 0}, {2, 0, 0, 1, 0}, {3, 1, 0, 0, 0}}},
        {75, 2, {}, {{0, 0, 0, 1, 0}}},
        {76, 2, {}, {{0, 0, 0, 1, 0}}},
        {77, 3, {}, {{0, 0, 0, 1, 0}}},
        {54, 1, {}, {{1, 0, 0, 1, 0}}},
        {57, 1, {}, {{0, 0, 0, 1, 0}}},
        {79, 1, {}, {{0, 0, 0, 1, 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "kind " << c.kind << " handle " << c.handle);
        CFigSymbol s = TemplateSymbol(c.kind);
        auto want = Lines(s);
        const std::vector<CFltRect> boxes = Boxes(s);
        ASSERT_EQ(Drag(s, c.handle, kDx, kDy), 1);
        for (const LineMoves& m : c.lines) {
            auto& [a, b] = want[size_t(m.line)];
            a = CFltPoint(Clamp(a.x + m.ax * kDx), Clamp(a.y + m.ay * kDy));
            b = CFltPoint(Clamp(b.x + m.bx * kDx), Clamp(b.y + m.by * kDy));
        }
        EXPECT_EQ(Lines(s), want);
        ExpectBoxesMoved(boxes, s, c.boxes, kDx, kDy);
    }
}

// A text-box count the kind does not have ends the rewrite: kinds whose
// second program comes before their text boxes have it rewritten by then,
// the others not.
TEST(SpecialMoveTable, SecondProgramOrderShowsWhenTheBoxesDoNotMatch)
{
    for (int kind : {59, 11}) {
        SCOPED_TRACE(kind);
        CFigSymbol s = TemplateSymbol(kind, 2);
        const int n = 7;   // both frames hold 7 points
        const std::vector<CFltPoint> second = Points(s.m_program.data() + s.m_nFillPos + 1, n);
        EXPECT_EQ(Drag(s, 0, kDx, kDy), 0);
        const bool secondFirst = kind == 59;
        EXPECT_EQ(Points(s.m_program.data() + s.m_nFillPos + 1, n) != second, secondFirst);
    }
}
