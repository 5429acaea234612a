// Rewriting special shapes when a handle moves: one golden rewrite per family,
// the partial rewrites of symbols whose layout does not match, and the refits
// of rounded corners and round or arc sides.
#include "DividedShapeTestSupport.h"
#include "shapes/DividedShapeRefit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

// On a 2048 × 2048 figure a figure delta is the same symbol delta.
const CRect kFig(0, 0, 2048, 2048);

std::vector<BYTE> Bytes(const CFigSymbol& s)
{
    return std::vector<BYTE>(s.m_program.begin(), s.m_program.begin() + s.m_nProgramLength);
}

CFltRect Box(const CFigSymbol& s, int i) { return BoxOf(s, i); }
// The n-th operation of the outline: its payload.
const BYTE* OutlineOp(const CFigSymbol& s, int n) { return OutlineOpAt(s, n) + 1; }

CFltPoint PolyPt(const BYTE* payload, int i) { return ReadOutlinePoint(payload + 4 + 16 * i); }
CFltPoint LineEnd(const BYTE* payload, int end) { return ReadOutlinePoint(payload + 16 * end); }

int Drag(CFigSymbol& s, int handle, int dx, int dy, const RECT& r = kFig)
{
    CPoint at;
    EXPECT_TRUE(s.GetDividerHandle(handle, at, r));
    return s.MoveSpecialHandle(handle, r, CPoint(at.x + dx, at.y + dy), 0);
}

CFigSymbol BoxR3(int boxes)
{
    if (boxes == 3)
        return BoxR3With({CFltRect(0, 0, 2048, 600), CFltRect(0, 600, 2048, 1400), CFltRect(0, 1400, 2048, 2048)});
    return BoxR3With({CFltRect(0, 0, 2048, 600), CFltRect(0, 600, 2048, 1400)});
}

} // namespace

TEST(SpecialMove, RowsMoveTheirLineAndBothBoxes)
{
    CFigSymbol s = BoxR3(3);
    ASSERT_EQ(Drag(s, 1, 40, 100), 1);
    EXPECT_EQ(LineEnd(OutlineOp(s, 1), 0).y, 600);
    EXPECT_EQ(LineEnd(OutlineOp(s, 2), 0), CFltPoint(0, 1500));
    EXPECT_EQ(LineEnd(OutlineOp(s, 2), 1), CFltPoint(2048, 1500));
    EXPECT_EQ(Box(s, 0), CFltRect(0, 0, 2048, 600));
    EXPECT_EQ(Box(s, 1), CFltRect(0, 600, 2048, 1500));
    EXPECT_EQ(Box(s, 2), CFltRect(0, 1500, 2048, 2048));
    // The twin table moves along when it holds as many boxes.
    CFigSymbol twins = BoxR3(3);
    twins.m_nFrames = 3;
    twins.m_frames[1] = CFltRect(0, 600, 2048, 1400);
    ASSERT_EQ(Drag(twins, 0, 0, -100), 1);
    EXPECT_EQ(twins.m_frames[1], CFltRect(0, 500, 2048, 1400));
}

TEST(SpecialMove, MismatchedLayoutsAreRewrittenUpToTheMismatch)
{
    // "box r3" with two text boxes: the line moves, the boxes do not, 0.
    CFigSymbol s = BoxR3(2);
    ASSERT_EQ(Drag(s, 0, 0, 100), 0);
    EXPECT_EQ(LineEnd(OutlineOp(s, 1), 0).y, 700);
    EXPECT_EQ(Box(s, 0), CFltRect(0, 0, 2048, 600));
    // "arrow left open" whose hot zone holds 7 points: outline and second
    // program are rewritten, 0.
    CFigSymbol arrow = TemplateSymbol(11);
    const std::vector<CFltPoint> seven = PlainFrame(7);
    arrow.m_hotZone.Set(7, seven.data());
    const std::vector<BYTE> before = Bytes(arrow);
    const CFltPoint p1 = PolyPt(OutlineOp(arrow, 0), 1);
    EXPECT_EQ(Drag(arrow, 0, 30, 20), 0);
    EXPECT_EQ(PolyPt(OutlineOp(arrow, 0), 1), CFltPoint(p1.x + 30, p1.y + 20));
    const CFltPoint fill1 = ReadOutlinePoint(arrow.m_program.data() + arrow.m_nFillPos + 1 + 4 + 16);
    EXPECT_EQ(fill1, CFltPoint(p1.x + 30, p1.y + 20));
    EXPECT_EQ(arrow.m_hotZone.GetPoints()[1], seven[1]);
    EXPECT_NE(Bytes(arrow), before);
}

TEST(SpecialMove, EveryHandleOfEveryKindMovesOnItsTemplate)
{
    for (int kind = 1; kind <= 162; ++kind) {
        SCOPED_TRACE(kind);
        const CFigSymbol original = TemplateSymbol(kind, kind == 131 ? 1 : -2);
        for (int i = 0; i < original.GetDividerCount(); ++i) {
            CFigSymbol s = original;
            CPoint at;
            ASSERT_TRUE(s.GetDividerHandle(i, at, kFig)) << i;
            EXPECT_EQ(s.MoveSpecialHandle(i, kFig, at, 0), 1);
            EXPECT_EQ(Bytes(s), Bytes(original)) << i;
            EXPECT_EQ(s.MoveSpecialHandle(i, kFig, CPoint(at.x + 5, at.y + 5), 0), 1) << i;
            EXPECT_TRUE(s.IsProgramValid());
        }
    }
}

TEST(SpecialMove, FamiliesRewriteTheirRecords)
{
    // Columns: "box c2".
    SymbolBuilder c;
    c.Outline([](COutlineWriter& w) {
        w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048));
        w.Line({1000, 0}, {1000, 2048});
    }).TextBoxes({CFltRect(0, 0, 1000, 2048), CFltRect(1000, 0, 2048, 2048)});
    c.sym.Reshape = 43;
    ASSERT_EQ(Drag(c.sym, 0, -200, 77), 1);
    EXPECT_EQ(LineEnd(OutlineOp(c.sym, 1), 1), CFltPoint(800, 2048));
    EXPECT_EQ(Box(c.sym, 0).right, 800);
    EXPECT_EQ(Box(c.sym, 1).left, 800);

    // Grid: "[partition 2x2]": the column separator moves sideways only.
    SymbolBuilder g;
    g.Outline([](COutlineWriter& w) {
        w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048));
        w.Line({0, 1000}, {2048, 1000});
        w.Line({1000, 0}, {1000, 2048});
    });
    g.sym.Reshape = 154;
    ASSERT_EQ(Drag(g.sym, 1, 100, 100), 1);
    EXPECT_EQ(LineEnd(OutlineOp(g.sym, 2), 0), CFltPoint(1100, 0));
    EXPECT_EQ(LineEnd(OutlineOp(g.sym, 1), 0), CFltPoint(0, 1000));

    // "subsystem": handle 1 sets the tab text's width; the outline stays.
    CFigSymbol sub = TemplateSymbol(55);
    const std::vector<BYTE> before = Bytes(sub);
    const float right = Box(sub, 0).right;
    ASSERT_EQ(Drag(sub, 1, 50, 0), 1);
    EXPECT_EQ(Box(sub, 0).right, right + 50);
    std::vector<BYTE> outlineAfter = Bytes(sub);
    EXPECT_TRUE(std::equal(before.begin(), before.begin() + sub.m_nTextBoxPos, outlineAfter.begin()));

    // "package": handle 0 moves the tab corner, the tab line and box 0.
    CFigSymbol pkg = TemplateSymbol(7);
    const CFltPoint p2 = PolyPt(OutlineOp(pkg, 0), 2);
    const CFltRect b0 = Box(pkg, 0), b1 = Box(pkg, 1);
    ASSERT_EQ(Drag(pkg, 0, 60, 40), 1);
    EXPECT_EQ(PolyPt(OutlineOp(pkg, 0), 2), CFltPoint(p2.x + 60, p2.y + 40));
    EXPECT_EQ(Box(pkg, 0).right, b0.right + 60);
    EXPECT_EQ(Box(pkg, 0).bottom, b0.bottom + 40);
    EXPECT_EQ(Box(pkg, 1).top, b1.top + 40);
    EXPECT_EQ(pkg.m_hotZone.GetPoints()[2], CFltPoint(p2.x + 60, p2.y + 40));

    // "destruct": only the horizontal delta counts.
    CFigSymbol destruct = TemplateSymbol(61);
    const std::vector<BYTE> d0 = Bytes(destruct);
    ASSERT_EQ(Drag(destruct, 0, 0, 100), 1);
    EXPECT_EQ(Bytes(destruct), d0);
}

TEST(SpecialMove, RoundedCornersFollowTheWidthDelta)
{
    // A "rounded box" on a figure 100 wide and 200 high: both radii move by
    // the delta measured along the width (10 of 100 = 204.8 units).
    CFigSymbol s = TemplateSymbol(22);
    ASSERT_EQ(Drag(s, 0, 10, 30, CRect(0, 0, 100, 200)), 1);
    const BYTE* frame = OutlineOp(s, 0);
    const float r = 191 * 2.048f + 204.8f;
    EXPECT_NEAR(PolyPt(frame, 16).x, r, 0.01);
    EXPECT_NEAR(PolyPt(frame, 0).y, r, 0.01);
    EXPECT_NEAR(PolyPt(frame, 8).x, r * 60 / 191, 0.01);          // a corner point
    EXPECT_NEAR(PolyPt(frame, 17).x, 809 * 2.048f - 204.8f, 0.01); // top side, right half
    EXPECT_NEAR(PolyPt(frame, 34).y, 809 * 2.048f - 204.8f, 0.01); // right side, lower half
    EXPECT_EQ(s.m_hotZone.GetPoints()[16], PolyPt(frame, 16));
}

TEST(SpecialMove, RoundAndArcSidesNeverGoNegative)
{
    for (int kind : {101, 102}) {
        SCOPED_TRACE(kind);
        CFigSymbol s = TemplateSymbol(kind);
        ASSERT_EQ(Drag(s, 0, 200, 0), 1);   // sides 200 deep
        const BYTE* frame = OutlineOp(s, 0);
        EXPECT_EQ(PolyPt(frame, 0).x, 200);
        EXPECT_EQ(PolyPt(frame, 1).x, 1848);
        ASSERT_EQ(Drag(s, 0, -5000, 0), 1);  // past the left side
        for (int i = 0; i < 69; ++i) {
            const CFltPoint p = PolyPt(frame, i);
            EXPECT_TRUE(p.x == 0 || p.x == 2048) << i << " " << p.x;
        }
    }
    // The refits themselves: depth 0 divides by nothing.
    std::vector<CFltPoint> pts = RoundedFrame69();
    pts[0].x = 10;
    RefitArcSides(69, pts.data(), -10);
    for (const CFltPoint& p : pts)
        EXPECT_FALSE(std::isnan(p.x));
    // Round sides follow the circle template: where it touches its side
    // (point 16) the right side stays at 2048, near the ends it bulges in.
    pts = RoundedFrame69();
    RefitRoundSides(69, pts.data(), 400);
    EXPECT_EQ(pts[16].x, 2048);
    EXPECT_FLOAT_EQ(pts[2].x, 2048 - 428 * 400 * 0.002f);
    EXPECT_FLOAT_EQ(pts[67].x, 428 * 400 * 0.002f);
    EXPECT_EQ(pts[67].y, pts[2].y);
}

TEST(SpecialMove, UseCaseLineStaysOnTheEllipse)
{
    SymbolBuilder b;
    b.Outline([](COutlineWriter& w) {
        w.Rect(kOpEllipse, CFltRect(0, 0, 2048, 2048));
        w.Line({0, 1024}, {2048, 1024});
    }).TextBoxes({CFltRect(400, 300, 1648, 924), CFltRect(400, 1124, 1648, 1748)});
    b.sym.Reshape = 60;
    b.sym.m_nFrames = 2;
    b.sym.m_frames[0] = CFltRect(1, 2, 3, 4);
    const CRect r(0, 0, 2049, 2049);
    ASSERT_EQ(Drag(b.sym, 0, 0, 200, r), 1);
    const BYTE* line = OutlineOp(b.sym, 1);
    const CFltPoint a = LineEnd(line, 0), e = LineEnd(line, 1);
    EXPECT_NEAR(a.y, 1024 + 200 * 2048.0 / 2049, 0.01);
    EXPECT_NEAR(e.y, a.y, 0.01);
    EXPECT_NEAR(a.x + e.x, 2048, 0.1);   // symmetric about the centre
    EXPECT_NEAR(a.x, 19.2, 0.2);
    // Lower box: 0.7 of the way from the gap to the ellipse; upper box up to
    // the 45-degree height.
    const double y = 1024 + 200 * 2048.0 / 2049;
    const double m = 2049 - y, v = (m - 100) * 0.7 + 100;
    const double k = 2049 * 0.5 * 0.70710677;
    const double toSym = 2048.0 / 2049;
    EXPECT_NEAR(Box(b.sym, 1).bottom, (y + v) * toSym, 0.05);
    EXPECT_NEAR(Box(b.sym, 1).top, (y + 100) * toSym, 0.05);
    EXPECT_NEAR(Box(b.sym, 0).top, (1024 - k) * toSym, 0.05);
    EXPECT_NEAR(Box(b.sym, 0).bottom, (y - 100) * toSym, 0.05);
    EXPECT_EQ(b.sym.m_frames[0], CFltRect(1, 2, 3, 4));   // twins untouched
}

TEST(SpecialMove, EditsThatWouldBreakAnOverlappingProgramAreUndone)
{
    // A fill program stored inside text box 2's bytes passes the validator
    // while the box's top reads as the fill's end byte (1400.0001 starts with
    // byte 1). Moving that side to the bottom (2048 starts with byte 0) would
    // leave the fill without its end byte, so nothing is kept.
    CFigSymbol s = BoxR3(3);
    BYTE* top2 = s.m_program.data() + s.m_nTextBoxPos + 64 + 4;
    const uint32_t bits = 0x44AF0001;
    std::memcpy(top2, &bits, 4);
    s.m_nFillPos = s.m_nTextBoxPos + 64 + 4;
    ASSERT_TRUE(s.IsProgramValid());
    const std::vector<BYTE> before = Bytes(s);
    EXPECT_EQ(Drag(s, 1, 0, 700), 0);
    EXPECT_TRUE(s.IsProgramValid());
    EXPECT_EQ(Bytes(s), before);
}

TEST(SpecialMove, RectangleFramesMoveLinesAndBoxesByHandle)
{
    // "active class/object r2": handle 0 moves both side bars inward and the
    // row line's ends with them; handle 1 moves the row line.
    SymbolBuilder b;
    b.Outline([](COutlineWriter& w) {
        w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048));
        w.Line({200, 0}, {200, 2048});
        w.Line({1848, 0}, {1848, 2048});
        w.Line({200, 1000}, {1848, 1000});
    }).TextBoxes({CFltRect(250, 50, 1800, 950), CFltRect(250, 1050, 1800, 2000)});
    b.sym.Reshape = 134;
    ASSERT_EQ(Drag(b.sym, 0, 50, 0), 1);
    EXPECT_EQ(LineEnd(OutlineOp(b.sym, 1), 0).x, 250);
    EXPECT_EQ(LineEnd(OutlineOp(b.sym, 2), 0).x, 1798);
    EXPECT_EQ(LineEnd(OutlineOp(b.sym, 3), 0), CFltPoint(250, 1000));
    EXPECT_EQ(LineEnd(OutlineOp(b.sym, 3), 1), CFltPoint(1798, 1000));
    EXPECT_EQ(Box(b.sym, 0), CFltRect(300, 50, 1750, 950));
    EXPECT_EQ(Box(b.sym, 1), CFltRect(300, 1050, 1750, 2000));
    ASSERT_EQ(Drag(b.sym, 1, 0, -100), 1);
    EXPECT_EQ(LineEnd(OutlineOp(b.sym, 3), 0), CFltPoint(250, 900));
    EXPECT_EQ(Box(b.sym, 0).bottom, 850);
    EXPECT_EQ(Box(b.sym, 1).top, 950);

    // "bevel": the inner rectangle shrinks on all sides, the corner lines follow.
    SymbolBuilder bevel;
    bevel.Outline([](COutlineWriter& w) {
        w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048));
        w.Rect(kOpRect, CFltRect(200, 200, 1848, 1848));
        w.Line({0, 0}, {200, 200});
        w.Line({0, 2048}, {200, 1848});
        w.Line({1848, 1848}, {2048, 2048});
        w.Line({1848, 200}, {2048, 0});
    }).TextBoxes({CFltRect(250, 250, 1798, 1798)});
    bevel.sym.Reshape = 20;
    ASSERT_EQ(Drag(bevel.sym, 0, 100, 100), 1);
    EXPECT_EQ(ReadOutlineRect(OutlineOp(bevel.sym, 1)), CFltRect(300, 300, 1748, 1748));
    EXPECT_EQ(LineEnd(OutlineOp(bevel.sym, 3), 1), CFltPoint(300, 1748));
    EXPECT_EQ(LineEnd(OutlineOp(bevel.sym, 5), 0), CFltPoint(1748, 300));
    EXPECT_EQ(Box(bevel.sym, 0), CFltRect(350, 350, 1698, 1698));

    // "[frame]": the name tab grows with its text box.
    SymbolBuilder frame;
    const CFltPoint tab[4] = {{512, 0}, {512, 192}, {448, 256}, {0, 256}};
    frame.Outline([&](COutlineWriter& w) {
        w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048));
        w.Points(kOpPolyline, tab, 4);
    }).TextBoxes({CFltRect(10, 10, 400, 200)});
    frame.sym.Reshape = 124;
    ASSERT_EQ(Drag(frame.sym, 0, 100, 50), 1);
    EXPECT_EQ(PolyPt(OutlineOp(frame.sym, 1), 2), CFltPoint(548, 306));
    EXPECT_EQ(PolyPt(OutlineOp(frame.sym, 1), 3), CFltPoint(0, 306));
    EXPECT_EQ(Box(frame.sym, 0), CFltRect(10, 10, 500, 250));
}

TEST(SpecialMove, ArrowHeadsMoveFrameSecondAndHotZone)
{
    // "arrow right" (8 points): the head handle (vertex 1) sets the head's
    // length and the shaft's thickness on both sides.
    const CFltPoint pts[8] = {{0, 600}, {1500, 600}, {1500, 0}, {2048, 1024},
                              {1500, 2048}, {1500, 1448}, {0, 1448}, {0, 600}};
    SymbolBuilder b;
    b.Fill([&](COutlineWriter& w) { w.Points(kOpPolygon, pts, 8); })
        .Outline([&](COutlineWriter& w) { w.Points(kOpPolyline, pts, 8); })
        .TextBoxes({CFltRect(100, 700, 1400, 1348)});
    b.sym.m_hotZone.Set(8, pts);
    b.sym.Reshape = 14;
    ASSERT_EQ(Drag(b.sym, 0, -100, 50), 1);
    const BYTE* frame = OutlineOp(b.sym, 0);
    EXPECT_EQ(PolyPt(frame, 0), CFltPoint(0, 650));
    EXPECT_EQ(PolyPt(frame, 1), CFltPoint(1400, 650));
    EXPECT_EQ(PolyPt(frame, 2), CFltPoint(1400, 0));
    EXPECT_EQ(PolyPt(frame, 3), CFltPoint(2048, 1024));
    EXPECT_EQ(PolyPt(frame, 5), CFltPoint(1400, 1398));
    EXPECT_EQ(PolyPt(frame, 6), CFltPoint(0, 1398));
    EXPECT_EQ(PolyPt(frame, 7), CFltPoint(0, 650));
    EXPECT_EQ(b.sym.m_hotZone.GetPoints()[5], CFltPoint(1400, 1398));
    EXPECT_EQ(ReadOutlinePoint(b.sym.m_program.data() + b.sym.m_nFillPos + 5 + 16), CFltPoint(1400, 650));
    EXPECT_EQ(Box(b.sym, 0), CFltRect(100, 750, 1300, 1298));
}
