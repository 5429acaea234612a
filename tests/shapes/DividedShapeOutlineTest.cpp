// Special-shape outline templates: what an outline must hold, the derived
// lines, and the divider handles read from it.
#include "DividedShapeTestSupport.h"

#include <gtest/gtest.h>

namespace {

CFigSymbol RectWithLines(int kind, std::initializer_list<float> ys, BYTE frameOp = kOpRect)
{
    SymbolBuilder b;
    b.Outline([&](COutlineWriter& w) {
        w.Rect(frameOp, CFltRect(0, 0, 2048, 2048));
        for (float y : ys)
            w.Line({0, y}, {2048, y});
    });
    b.sym.Reshape = kind;
    return b.sym;
}

CPoint Handle(const CFigSymbol& s, int n, const RECT& r = UnitRect())
{
    CPoint p(-9999, -9999);
    EXPECT_TRUE(s.GetDividerHandle(n, p, r)) << n;
    return p;
}

} // namespace

TEST(SpecialOutline, OutlinesMustFollowTheirTemplate)
{
    CPoint p;
    // "box r3" needs a rectangle and two lines.
    EXPECT_FALSE(RectWithLines(2, {700}).GetDividerHandle(0, p, UnitRect()));
    EXPECT_TRUE(RectWithLines(2, {700, 1400}).GetDividerHandle(1, p, UnitRect()));
    EXPECT_FALSE(RectWithLines(2, {700, 1400}, kOpEllipse).GetDividerHandle(0, p, UnitRect()));
    // "[partition 2x2]" likewise with one row and one column separator.
    EXPECT_FALSE(RectWithLines(154, {1024}).GetDividerHandle(0, p, UnitRect()));
    EXPECT_TRUE(RectWithLines(154, {1024, 512}).GetDividerHandle(1, p, UnitRect()));
    // "box r6" has dividers 0..4 only.
    EXPECT_TRUE(RectWithLines(5, {300, 600, 900, 1200, 1500}).GetDividerHandle(4, p, UnitRect()));
    EXPECT_FALSE(RectWithLines(5, {300, 600, 900, 1200, 1500}).GetDividerHandle(5, p, UnitRect()));
    // A rounded frame must be a polyline (opcode 4) of exactly 69 points.
    const std::vector<CFltPoint> pts = RoundedFrame69();
    for (const auto& [op, n, ok] : {std::tuple{kOpPolyline, 69, true}, std::tuple{kOpPolygon, 69, false},
                                    std::tuple{kOpPolyline, 68, false}}) {
        SymbolBuilder b;
        b.Outline([&, op = op, n = n](COutlineWriter& w) { w.Points(op, pts.data(), n); });
        b.sym.Reshape = 22;
        EXPECT_EQ(b.sym.GetDividerHandle(0, p, UnitRect()) != 0, ok) << int(op) << " " << n;
    }
    // Without an outline nothing has a position.
    CFigSymbol none;
    none.Reshape = 1;
    EXPECT_FALSE(none.GetDividerHandle(0, p, UnitRect()));
}

TEST(SpecialOutline, HandlesOfEachFamily)
{
    const CRect r(100, 200, 305, 405);   // 205 wide: 2048 maps to 204
    const float k = 204.0f / 2048.0f;
    auto at = [&](float x, float y) {
        return CPoint(static_cast<int>(100 + x * k + 0.5f), static_cast<int>(200 + y * k + 0.5f));
    };
    EXPECT_EQ(Handle(RectWithLines(1, {1024}), 0, r), at(1024, 1024));
    // The rounding handle: x of vertex 16, y of vertex 0.
    EXPECT_EQ(Handle(TemplateSymbol(22), 0, r), at(191 * 2.048f, 191 * 2.048f));
    // Kinds 62, 84, 101..104, 125: x of vertex 0, the rectangle's middle height.
    EXPECT_EQ(Handle(TemplateSymbol(101), 0, r).y, (200 + 405) / 2);
    // Kind 122 has two line dividers: the line and the derived line.
    const CFigSymbol artifact = TemplateSymbol(122);
    EXPECT_EQ(Handle(artifact, 0, r), at(1024, 1024));
    EXPECT_NE(Handle(artifact, 1, r), r.TopLeft());
}

TEST(SpecialOutline, DerivedLinesComeAfterTheOutlinesOwn)
{
    // "class actor r2": line 1 stands at T0.left + T0.right - R.left, from
    // R.top to line 0.
    SymbolBuilder b;
    b.Outline([](COutlineWriter& w) {
        w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048));
        w.Line({0, 800}, {2048, 800});
    }).TextBoxes({CFltRect(100, 50, 500, 700), CFltRect(100, 900, 1900, 2000)});
    b.sym.Reshape = 86;
    EXPECT_EQ(Handle(b.sym, 1), CPoint(600, 400));
    // "class # r2": x = (T1.right + T0.left) / 2.
    b.sym.Reshape = 98;
    EXPECT_EQ(Handle(b.sym, 1), CPoint(1000, 400));
    // "class nodiv r2": the only line lies halfway between box 0 and box 1.
    SymbolBuilder n;
    n.Outline([](COutlineWriter& w) { w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048)); })
        .TextBoxes({CFltRect(0, 0, 2048, 700), CFltRect(0, 900, 2048, 2048)});
    n.sym.Reshape = 105;
    EXPECT_EQ(Handle(n.sym, 0), CPoint(1024, 800));
    // Without the boxes a derived line cannot be built.
    n.sym.m_nTextBoxes = 1;
    CPoint p;
    EXPECT_FALSE(n.sym.GetDividerHandle(0, p, UnitRect()));
}

TEST(SpecialOutline, TabKindsDeriveTheirColumnLineFromTheirOwnBox)
{
    // Package-like frames: the tab's bottom is the outline's line; the derived
    // column line of "subsystem2" and "model2" stands at T1.left + T1.right -
    // P0.x from P3 to P4 (the body), that of "subsystem" and "model" at
    // T0.left + T0.right - P0.x from P0 to P2 (the tab). The boxes differ in
    // both sides so that taking the other box shows.
    const std::vector<CFltPoint> frame = TabFrame();
    const struct { int kind; CPoint handle; } cases[] = {
        {54, {1000, 1184}}, {56, {1000, 1184}}, {55, {600, 160}}, {57, {600, 160}},
    };
    for (const auto& c : cases) {
        SymbolBuilder b;
        b.Outline([&](COutlineWriter& w) {
             w.Points(kOpPolyline, frame.data(), 7);
             w.Line({0, kTabBottom}, {kTabRight, kTabBottom});
         }).TextBoxes({CFltRect(100, 50, 500, 300), CFltRect(100, 400, 900, 2000)});
        b.sym.Reshape = c.kind;
        EXPECT_EQ(Handle(b.sym, 1), c.handle) << c.kind;
    }
}

TEST(SpecialOutline, HandlesRoundHalfUpAlsoBelowZero)
{
    // Not floor and not lround: -2.5 gives -2, -2.7 gives -2, 2.5 gives 3.
    const struct { float v; int r; } cases[] = {
        {2.5f, 3}, {2.4f, 2}, {-2.5f, -2}, {-2.7f, -2}, {-0.4f, 0}, {-16000.2f, -15999},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RoundHandle(c.v), c.r) << c.v;
    // A handle in a figure in the negative work space.
    const CRect r(-16000, -16000, -15795, -15795);
    const CPoint p = Handle(RectWithLines(1, {1024}), 0, r);
    EXPECT_EQ(p.y, RoundHandle(-16000.0f + 1024 * 204.0f / 2048.0f));
}
