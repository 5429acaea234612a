// Stretching one compartment: stretch regions, re-anchoring of every part of a
// symbol (every opcode, the rounded rectangle's corner size included), the
// load-time repair and the sub-symbol's place.
#include "DividedShapeTestSupport.h"
#include "shapes/DividedShapeReanchor.h"

#include <gtest/gtest.h>

namespace {

CFltRect Box(const CFigSymbol& s, int i) { return BoxOf(s, i); }
const BYTE* OutlineOp(const CFigSymbol& s, int n) { return OutlineOpAt(s, n); }

CFltPoint PointAt(const BYTE* op, int offset) { return ReadOutlinePoint(op + 1 + offset); }

} // namespace

TEST(SpecialStretch, ReanchorKeepsDistancesOutsideTheRegion)
{
    const SIZE o{100, 200}, n{200, 200};
    const CFltRect region(1000, 0, 1200, 2048);
    const struct { float x; float out; } cases[] = {
        {0, 0}, {500, 250}, {1000, 500}, {1100, 1100}, {1200, 1624}, {2048, 2048},
    };
    for (const auto& c : cases) {
        CFltPoint p(c.x, 700);
        ReanchorPoint(p, o, n, region);
        EXPECT_FLOAT_EQ(p.x, c.out) << c.x;
        EXPECT_FLOAT_EQ(p.y, 700);
    }
    // A zero-width region: left of it the left rule, at or right of it the
    // right rule; at 2048 every point takes the left rule.
    CFltPoint a(1500, 0), b(1500, 0), c(1500, 0);
    ReanchorPoint(a, o, n, CFltRect(1600, 0, 1600, 2048));
    ReanchorPoint(b, o, n, CFltRect(1400, 0, 1400, 2048));
    ReanchorPoint(c, o, n, CFltRect(2048, 0, 2048, 2048));
    EXPECT_FLOAT_EQ(a.x, 750);
    EXPECT_FLOAT_EQ(b.x, 1774);
    EXPECT_FLOAT_EQ(c.x, 750);
    CFltPoint on(1500, 0);   // on the zero-width region: the right rule
    ReanchorPoint(on, o, n, CFltRect(1500, 0, 1500, 2048));
    EXPECT_FLOAT_EQ(on.x, 1774);
}

TEST(SpecialStretch, GrowingTheMiddleRowKeepsTheOthers)
{
    SymbolBuilder b;
    b.Outline([](COutlineWriter& w) {
        w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048));
        w.Line({0, 600}, {2048, 600});
        w.Line({0, 1400}, {2048, 1400});
    }).TextBoxes({CFltRect(0, 0, 2048, 600), CFltRect(0, 600, 2048, 1400), CFltRect(0, 1400, 2048, 2048)});
    b.sym.Reshape = 2;
    b.sym.m_conPts.AddConPt(CFltPoint(0, 1024), "left", 0, true, 7);
    b.sym.m_conPts.AddConPt(CFltPoint(2048, 100), "right", 0, true, 3);
    ASSERT_EQ(b.sym.ResizeTextBoxRegion(1, SIZE{300, 300}, SIZE{300, 400}), 1);
    EXPECT_FLOAT_EQ(ReadOutlinePoint(OutlineOp(b.sym, 1) + 1).y, 450);            // 600 × 300 / 400
    EXPECT_FLOAT_EQ(ReadOutlinePoint(OutlineOp(b.sym, 2) + 1).y, 2048 - 648 * 0.75f);
    EXPECT_FLOAT_EQ(Box(b.sym, 0).bottom, 450);
    EXPECT_FLOAT_EQ(Box(b.sym, 2).top, 2048 - 648 * 0.75f);
    EXPECT_FLOAT_EQ(Box(b.sym, 1).top, 450);
    // Connection points keep their ids; one on the left side stays there.
    ASSERT_NE(b.sym.m_conPts.FindById(7), nullptr);
    EXPECT_EQ(b.sym.m_conPts.FindById(7)->m_pos.x, 0);
    EXPECT_EQ(b.sym.m_conPts.FindById(3)->m_pos.y, 75);
    EXPECT_EQ(b.sym.m_conPts.NextId(), 8);
    // Out-of-range boxes are refused.
    EXPECT_EQ(b.sym.ResizeTextBoxRegion(3, SIZE{300, 300}, SIZE{300, 400}), 0);
}

TEST(SpecialStretch, EveryOpcodeIsReanchoredInStep)
{
    // A rounded rectangle's 48 bytes are walked whole: the line after it is
    // re-anchored as a line, and the corner size is scaled, not moved.
    SymbolBuilder b;
    b.Fill([](COutlineWriter& w) {
        const CFltPoint tri[3] = {{0, 0}, {1800, 0}, {0, 1800}};
        w.Points(kOpPolygon, tri, 3);
    }).Outline([](COutlineWriter& w) {
        w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048));
        w.RoundRect(CFltRect(200, 200, 1800, 1800), CFltPoint(400, 300));
        w.Line({1800, 1000}, {2048, 1000});
        w.ArcLike(kOpArc, CFltRect(1800, 0, 2048, 400), {1800, 0}, {2048, 400});
        w.Rect(kOpEllipse, CFltRect(0, 0, 400, 400));
        w.Circle({1900, 1900}, 100);
        const CFltPoint pl[2] = {{1900, 0}, {100, 0}};
        w.Points(kOpPolyline, pl, 2);
    }).Mini([](COutlineWriter& w) { w.Line({1900, 5}, {1950, 5}); })
      .TextBoxes({CFltRect(1000, 100, 1500, 1500)});
    b.sym.Reshape = 0;
    const SIZE o{100, 100}, n{200, 100};
    ASSERT_EQ(b.sym.ResizeTextBoxRegion(0, o, n), 1);
    ASSERT_TRUE(b.sym.IsProgramValid());
    // Right of the box (x >= 1500): 2048 - (2048 - x) / 2; left of it (<= 1000): x / 2.
    auto right = [](float x) { return 2048 - (2048 - x) * 0.5f; };
    const BYTE* rr = OutlineOp(b.sym, 1);
    ASSERT_EQ(*rr, kOpRoundRect);
    const CFltRect rrect = ReadOutlineRect(rr + 1);
    EXPECT_FLOAT_EQ(rrect.left, 100);
    EXPECT_FLOAT_EQ(rrect.right, right(1800));
    EXPECT_FLOAT_EQ(rrect.bottom, 1800);
    const CFltPoint corner = ReadOutlinePoint(rr + 1 + 32);
    EXPECT_FLOAT_EQ(corner.x, 200);   // half as many units across a twice as wide figure
    EXPECT_FLOAT_EQ(corner.y, 300);
    const BYTE* line = OutlineOp(b.sym, 2);
    ASSERT_EQ(*line, kOpLine);
    EXPECT_EQ(PointAt(line, 0), CFltPoint(right(1800), 1000));
    const BYTE* arc = OutlineOp(b.sym, 3);
    ASSERT_EQ(*arc, kOpArc);
    EXPECT_EQ(PointAt(arc, 32), CFltPoint(right(1800), 0));
    const BYTE* circle = OutlineOp(b.sym, 5);
    ASSERT_EQ(*circle, kOpCircle);
    EXPECT_FLOAT_EQ(PointAt(circle, 0).x, right(1900));
    EXPECT_FLOAT_EQ(ReadOutlineFloat(circle + 1 + 16), 100);   // the smaller side stays 100
    const BYTE* poly = OutlineOp(b.sym, 6);
    EXPECT_EQ(ReadOutlinePoint(poly + 5), CFltPoint(right(1900), 0));
    EXPECT_EQ(ReadOutlinePoint(poly + 21), CFltPoint(50, 0));
    EXPECT_FLOAT_EQ(ReadOutlinePoint(b.sym.m_program.data() + b.sym.m_nFillPos + 5 + 16).x, right(1800));
    EXPECT_FLOAT_EQ(ReadOutlinePoint(b.sym.m_program.data() + b.sym.m_nMiniOutlinePos + 1).x, right(1900));
}

TEST(SpecialStretch, RegionsPerKind)
{
    CFltRect r;
    // Tabs: boxes after the first stretch in a one-unit strip at their right side.
    CFigSymbol pkg = TemplateSymbol(7);
    ASSERT_EQ(pkg.GetStretchRegion(1, SIZE{100, 100}, r), 1);
    EXPECT_FLOAT_EQ(r.right - r.left, 1);
    ASSERT_EQ(pkg.GetStretchRegion(0, SIZE{100, 100}, r), 1);
    EXPECT_EQ(r, Box(pkg, 0));
    // Notes and rounded boxes: a thin band about the middle.
    CFigSymbol note = TemplateSymbol(22, 1);
    ASSERT_EQ(note.GetStretchRegion(0, SIZE{100, 100}, r), 1);
    const CFltRect b0 = Box(note, 0);
    const float y0 = (b0.top + b0.bottom) * 0.5f - 2;
    EXPECT_FLOAT_EQ(r.top, y0);
    EXPECT_FLOAT_EQ(r.bottom, (y0 + b0.bottom) * 0.5f + 2);
    // "rounded r2": the strip must lie on the side of its dividing line.
    SymbolBuilder rr;
    const std::vector<CFltPoint> frame = RoundedFrame69();
    rr.Outline([&](COutlineWriter& w) {
        w.Points(kOpPolyline, frame.data(), 69);
        w.Line({0, 600}, {2048, 600});
    }).TextBoxes({CFltRect(400, 100, 1600, 580), CFltRect(400, 620, 1600, 1900)});
    rr.sym.Reshape = 58;
    EXPECT_EQ(rr.sym.GetStretchRegion(0, SIZE{100, 100}, r), 1);
    EXPECT_FLOAT_EQ(r.top, 579);
    EXPECT_EQ(rr.sym.GetStretchRegion(1, SIZE{100, 100}, r), 0);   // 620 + 1 is not clear of 600
    EXPECT_EQ(rr.sym.ResizeTextBoxRegion(1, SIZE{100, 100}, SIZE{100, 150}), 0);
}

TEST(SpecialStretch, StripsAndBandsOfEachKind)
{
    enum Shape { Whole, RightStrip, LeftStrip, BottomStrip, TopStrip, Quarter };
    const struct {
        int kind, box;
        Shape shape;
    } cases[] = {
        {7, 1, RightStrip},  {8, 2, RightStrip},  {54, 1, RightStrip}, {57, 1, RightStrip},
        {76, 2, RightStrip}, {9, 0, Whole},       {9, 1, RightStrip},  {9, 2, RightStrip},
        {75, 2, RightStrip}, {10, 0, Whole},      {10, 3, RightStrip}, {77, 1, RightStrip},
        {23, 0, RightStrip}, {23, 1, LeftStrip},  {24, 0, BottomStrip}, {24, 1, Whole},
        {24, 2, TopStrip},   {58, 0, BottomStrip}, {58, 1, TopStrip},  {53, 0, Quarter},
        {59, 0, Quarter},    {131, 0, Quarter},   {2, 1, Whole},       {44, 1, Whole},
    };
    for (const auto& c : cases) {
        const CFigSymbol s = TemplateSymbol(c.kind);
        CFltRect want = Box(s, c.box);
        switch (c.shape) {
        case Whole: break;
        case RightStrip: want.left = want.right - 1; break;
        case LeftStrip: want.right = want.left + 1; break;
        case BottomStrip: want.top = want.bottom - 1; break;
        case TopStrip: want.bottom = want.top + 1; break;
        case Quarter:
            want.bottom = (want.top + want.bottom) * 0.5f;
            want.left = (want.left + want.right) * 0.5f;
            break;
        }
        CFltRect r;
        ASSERT_EQ(s.GetStretchRegion(c.box, SIZE{300, 300}, r), 1) << c.kind << " box " << c.box;
        EXPECT_EQ(r, want) << c.kind << " box " << c.box;
    }
}

TEST(SpecialStretch, RepairCopiesOutlinePointsOrRefuses)
{
    CFigSymbol s = TemplateSymbol(22, 1);
    std::vector<CFltPoint> hot(s.m_hotZone.GetPoints(), s.m_hotZone.GetPoints() + 69);
    hot[5] = CFltPoint(7, 7);
    s.m_hotZone.Set(69, hot.data());
    WriteOutlinePoint(s.m_program.data() + s.m_nFillPos + 5 + 16 * 9, CFltPoint(3, 3));
    EXPECT_EQ(s.SyncSpecialOutlines(), 1);
    const BYTE* outline = s.m_program.data() + s.m_nOutlinePos + 5;
    EXPECT_EQ(s.m_hotZone.GetPoints()[5], ReadOutlinePoint(outline + 16 * 5));
    EXPECT_EQ(ReadOutlinePoint(s.m_program.data() + s.m_nFillPos + 5 + 16 * 9), ReadOutlinePoint(outline + 16 * 9));
    // Disagreeing counts: unchanged, 0.
    hot.resize(60);
    hot[5] = CFltPoint(7, 7);
    s.m_hotZone.Set(60, hot.data());
    EXPECT_EQ(s.SyncSpecialOutlines(), 0);
    EXPECT_EQ(s.m_hotZone.GetPoints()[5], CFltPoint(7, 7));
    // "utility" has a rectangle frame: always 0. Kinds outside the list: 1.
    EXPECT_EQ(TemplateSymbol(52).SyncSpecialOutlines(), 0);
    EXPECT_EQ(TemplateSymbol(1).SyncSpecialOutlines(), 1);
    // Open arrows close their hot zone with one point more than the outline.
    for (int kind : {11, 13}) {
        CFigSymbol open = TemplateSymbol(kind);
        ASSERT_NE(open.m_hotZone.GetCount(), ReadOutlineInt(open.m_program.data() + open.m_nOutlinePos + 1));
        EXPECT_EQ(open.SyncSpecialOutlines(), 1) << kind;
    }
}

TEST(SpecialStretch, SubSymbolPlaces)
{
    const CRect fig(0, 0, 200, 100);
    CRect r;
    // Default: top right, inset by the margin.
    ASSERT_EQ(TemplateSymbol(1).GetSubSymbolRect(fig, SIZE{20, 10}, 5, r, 0, 0), 1);
    EXPECT_EQ(r, CRect(175, 5, 195, 15));
    // Margin and size raised to the least ones.
    ASSERT_EQ(TemplateSymbol(1).GetSubSymbolRect(fig, SIZE{20, 10}, 5, r, 8, 16), 1);
    EXPECT_EQ(r, CRect(172, 8, 192, 24));
    // A rounded box: bottom right, inset by the rounding (about 19 across,
    // 9 down on this figure) or the margin, whichever is larger.
    ASSERT_EQ(TemplateSymbol(22, 1).GetSubSymbolRect(fig, SIZE{20, 10}, 5, r, 0, 0), 1);
    EXPECT_EQ(r.right, 200 - 19);
    EXPECT_EQ(r.bottom, 100 - 9);
    ASSERT_EQ(TemplateSymbol(22, 1).GetSubSymbolRect(fig, SIZE{20, 10}, 30, r, 0, 0), 1);
    EXPECT_EQ(r.right, 170);
    EXPECT_EQ(r.bottom, 70);
    // A package: below its tab, at the body's right side (the tab's bottom
    // is 320 / 2048 of the height down).
    ASSERT_EQ(TemplateSymbol(7).GetSubSymbolRect(fig, SIZE{20, 10}, 5, r, 0, 0), 1);
    EXPECT_EQ(r, CRect(174, 20, 194, 30));
    // Larger than the figure: clipped to it.
    ASSERT_EQ(TemplateSymbol(1).GetSubSymbolRect(fig, SIZE{500, 500}, 5, r, 0, 0), 1);
    EXPECT_EQ(r, CRect(0, 5, 195, 100));
    // A kind that shows an icon glyph keeps the corner for it.
    SetSpecialKindIconQuery([](const CFigSymbol&, const RECT&, RECT&, int, int) { return 3; });
    EXPECT_EQ(TemplateSymbol(1).GetSubSymbolRect(fig, SIZE{20, 10}, 5, r, 0, 0), 0);
}
