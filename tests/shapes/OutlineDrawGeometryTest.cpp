// What the drawing routines draw per operation, and that each moves past
// every payload whether it draws it or not.
#include "SymbolTestSupport.h"
#include "shapes/OutlineDrawGeometry.h"

#include <gtest/gtest.h>

namespace {

// A prepared-looking program with every drawing opcode (coordinates already
// in figure units).
SymbolBuilder EveryOp()
{
    SymbolBuilder b;
    const CFltPoint closed[4] = {{0, 0}, {10, 0}, {10, 10}, {0, 0}};
    b.Outline([&](COutlineWriter& w) {
        w.Rect(kOpRect, CFltRect(1.4f, 2.6f, 10, 20));
        w.Points(kOpPolyline, closed, 4);
        w.Points(kOpPolygon, closed, 3);
        w.Rect(kOpEllipse, CFltRect(0, 0, 8, 4));
        w.RoundRect(CFltRect(0, 0, 8, 4), {2, 3});
        w.ArcLike(kOpArc, CFltRect(0, 0, 8, 4), {0, 0}, {8, 4});
        w.ArcLike(kOpChord, CFltRect(0, 0, 8, 4), {0, 0}, {8, 4});
        w.ArcLike(kOpPie, CFltRect(0, 0, 8, 4), {0, 0}, {8, 4});
        w.Line({1, 2}, {3, 4});
        w.Circle({50, 60}, 5);
    });
    return b;
}

template <class Op, class Get>
std::vector<Op> Walk(const SymbolBuilder& b, Get get)
{
    const BYTE* start = b.sym.m_program.data();
    const BYTE* end = start + b.sym.m_nProgramLength;
    const BYTE* cur = start + b.sym.m_nOutlinePos;
    std::vector<Op> ops;
    while (*cur != kOpEndOutline) {
        const BYTE op = *cur++;
        const BYTE* before = cur;
        Op out;
        EXPECT_TRUE(get(op, cur, end, out));
        EXPECT_EQ(cur - before, OutlineOpSize(start, b.sym.m_nProgramLength, static_cast<int>(before - 1 - start)) - 1);
        ops.push_back(out);
    }
    return ops;
}

} // namespace

TEST(OutlineDrawGeometry, GdiPrimitivesOfEveryOpcode)
{
    const SymbolBuilder b = EveryOp();
    auto ops = Walk<GdiOutlineOp>(b, [](BYTE op, const BYTE*& c, const BYTE* e, GdiOutlineOp& o) {
        return GetGdiOutlineOp(op, c, e, 0, false, o);
    });
    ASSERT_EQ(ops.size(), 10u);
    EXPECT_EQ(ops[0].prim, OutlinePrim::Rectangle);
    EXPECT_EQ(ops[0].rect, CRect(1, 3, 11, 21));   // right and bottom + 1
    EXPECT_EQ(ops[1].prim, OutlinePrim::Polyline);
    EXPECT_EQ(ops[2].prim, OutlinePrim::Polygon);
    EXPECT_EQ(ops[3].rect, CRect(0, 0, 9, 5));
    EXPECT_EQ(ops[4].corner, CSize(2, 3));
    EXPECT_EQ(ops[5].prim, OutlinePrim::Arc);
    EXPECT_EQ(ops[6].prim, OutlinePrim::Chord);
    EXPECT_EQ(ops[7].prim, OutlinePrim::Pie);
    EXPECT_EQ(ops[8].prim, OutlinePrim::Line);
    EXPECT_EQ(ops[9].prim, OutlinePrim::Ellipse);
    EXPECT_EQ(ops[9].rect, CRect(45, 55, 56, 66));

    auto styled = Walk<GdiOutlineOp>(b, [](BYTE op, const BYTE*& c, const BYTE* e, GdiOutlineOp& o) {
        return GetGdiOutlineOp(op, c, e, 2, false, o);
    });
    EXPECT_EQ(styled[0].prim, OutlinePrim::StyledPolyline);
    EXPECT_EQ(styled[0].pts, (std::vector<CPoint>{{1, 3}, {10, 3}, {10, 20}, {1, 20}, {1, 3}}));
    EXPECT_EQ(styled[8].prim, OutlinePrim::StyledPolyline);
    for (int pen : {5, 0}) {
        auto none = Walk<GdiOutlineOp>(b, [pen](BYTE op, const BYTE*& c, const BYTE* e, GdiOutlineOp& o) {
            return GetGdiOutlineOp(op, c, e, pen, pen == 0, o);
        });
        for (const GdiOutlineOp& o : none)
            EXPECT_EQ(o.prim, OutlinePrim::None);
    }
}

TEST(OutlineDrawGeometry, GdiPlusStrokeAndFill)
{
    const SymbolBuilder b = EveryOp();
    auto stroke = Walk<GdiPlusOutlineOp>(b, [](BYTE op, const BYTE*& c, const BYTE* e, GdiPlusOutlineOp& o) {
        return GetGdiPlusOutlineOp(op, c, e, false, 0, false, o);
    });
    EXPECT_EQ(stroke[1].prim, OutlinePrim::Polygon);   // closed polyline of 4 points
    EXPECT_EQ(stroke[6].prim, OutlinePrim::None);      // chords are not stroked
    EXPECT_EQ(stroke[9].rect, CFltRect(45, 55, 55, 65));
    auto fill = Walk<GdiPlusOutlineOp>(b, [](BYTE op, const BYTE*& c, const BYTE* e, GdiPlusOutlineOp& o) {
        return GetGdiPlusOutlineOp(op, c, e, true, 5, false, o);
    });
    EXPECT_EQ(fill[0].prim, OutlinePrim::Rectangle);
    EXPECT_EQ(fill[1].prim, OutlinePrim::None);        // polylines are not filled
    EXPECT_EQ(fill[6].prim, OutlinePrim::Chord);
    EXPECT_EQ(fill[8].prim, OutlinePrim::None);        // nor lines
    EXPECT_EQ(fill[9].prim, OutlinePrim::Ellipse);
}

TEST(OutlineDrawGeometry, ATruncatedPayloadIsNotRead)
{
    const SymbolBuilder b = EveryOp();
    const BYTE* start = b.sym.m_program.data();
    const BYTE* cur = start + 1;
    GdiOutlineOp o;
    EXPECT_FALSE(GetGdiOutlineOp(kOpRect, cur, start + 20, 0, false, o));
    EXPECT_EQ(cur, start + 20);
    const BYTE* wrong = start + 1;
    GdiPlusOutlineOp p;
    EXPECT_FALSE(GetGdiPlusOutlineOp(kOpLine, wrong, start + 100, false, 0, false, p));   // not the opcode there
}
