// Figure symbols: mapping their programs into rectangles, the glyph kinds,
// the questions the drawing asks, copies and comparisons, and the refusal of
// malformed programs.
#include "SymbolTestSupport.h"
#include "shapes/OutlineHitTest.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

CFltPoint At(BYTE* p) { return ReadOutlinePoint(p); }
CFltRect RectAt(BYTE* p) { return ReadOutlineRect(p); }

struct Prepared {
    BYTE *fill, *outline, *mini, *boxes, *work;
    Prepared(const CFigSymbol& s, const RECT& r, int oversize = 0, double angle = 0.0)
    {
        work = s.PrepareOutline(r, fill, outline, mini, boxes, oversize, angle);
    }
};

} // namespace

TEST(FigSymbolMapping, PointsMapWithWidthAndHeightMinusOne)
{
    // (point, rect, angle, modes) -> mapped point.
    struct Case { CFltPoint p; CRect r; double angle; float ex, ey; };
    const Case cases[] = {
        {{2048, 2048}, CRect(100, 100, 301, 201), 0.0, 300, 200},
        {{0, 0}, CRect(100, 100, 301, 201), 0.0, 100, 100},
        {{2048, 1024}, CRect(0, 0, 2049, 2049), 1.570795, 1024, 2048},
        {{2048, 1024}, CRect(0, 0, 2049, 2049), 3.14159, 0, 1024},
        {{2048, 1024}, CRect(0, 0, 2049, 2049), -1.570795, 1024, 0},
        {{2048, 0, 2, 1}, CRect(0, 0, 401, 101), 0.0, 400, 0},        // far-anchored x
        {{0, 2048, 2, 1}, CRect(0, 0, 401, 101), 0.0, 300, 100},      // x = width - height
    };
    for (const Case& c : cases) {
        SymbolBuilder b;
        b.Outline([&](COutlineWriter& w) { w.Points(kOpPolyline, &c.p, 1); });
        Prepared p(b.sym, c.r, 0, c.angle);
        ASSERT_NE(p.work, nullptr);
        const CFltPoint m = At(p.outline + 1 + 4);
        EXPECT_FLOAT_EQ(m.x, c.ex) << c.angle;
        EXPECT_FLOAT_EQ(m.y, c.ey) << c.angle;
        EXPECT_EQ(m.m_nXMode, 0);
    }
}

TEST(FigSymbolMapping, OnlyPolylinesAndPolygonsTurn)
{
    SymbolBuilder b;
    const CFltPoint pt{2048, 1024};
    b.Fill([&](COutlineWriter& w) { w.Points(kOpPolygon, &pt, 1); })
     .Outline([&](COutlineWriter& w) {
         w.Line(pt, pt);
         w.Rect(kOpRect, CFltRect(0, 0, 2048, 1024));
     });
    Prepared p(b.sym, CRect(0, 0, 2049, 2049), 0, 1.570795);
    EXPECT_FLOAT_EQ(At(p.fill + 5).x, 1024);    // polygon point turned
    EXPECT_FLOAT_EQ(At(p.outline + 1).x, 2048); // line point not
    EXPECT_EQ(RectAt(p.outline + 34), CFltRect(0, 0, 2048, 1024));
}

TEST(FigSymbolMapping, EveryOperationIsMappedInPlace)
{
    SymbolBuilder b;
    const CFltRect r(0, 0, 2048, 1024);
    const CFltPoint a{1024, 2048}, c{2048, 0};
    b.Outline([&](COutlineWriter& w) {
        w.RoundRect(r, {2048, 2048});
        w.ArcLike(kOpPie, r, a, c);
        w.Circle({1024, 1024}, 1024);
        w.Rect(kOpEllipse, r);
    });
    // 401 × 101: divisors 400 and 100.
    Prepared p(b.sym, CRect(10, 20, 411, 121));
    BYTE* op = p.outline;
    EXPECT_EQ(RectAt(op + 1), CFltRect(10, 20, 410, 70));
    EXPECT_EQ(At(op + 33), CFltPoint(400, 100));   // corner size scaled, not moved
    op += 49;
    EXPECT_EQ(At(op + 33), CFltPoint(210, 120));
    EXPECT_EQ(At(op + 49), CFltPoint(410, 20));
    op += 65;
    EXPECT_EQ(At(op + 1), CFltPoint(210, 70));
    EXPECT_FLOAT_EQ(ReadOutlineFloat(op + 17), 50);   // the smaller scaled radius
    op += 25;
    EXPECT_EQ(*op, kOpEllipse);
    EXPECT_EQ(*(op + 33), kOpEndOutline);
}

TEST(FigSymbolMapping, TextBoxesAndOversizeDiamonds)
{
    SymbolBuilder b;
    b.Outline([](COutlineWriter& w) { w.Line({0, 0}, {2048, 2048}); })
     .TextBoxes({CFltRect(512, 512, 1536, 1536), CFltRect(0, 0, 2048, 2048)});
    b.sym.SetName("diamond");
    b.sym.SetOversizeForDiamonds();
    EXPECT_EQ(b.sym.OversizeText, 1);
    const CRect r(0, 0, 201, 101);
    CRect out;
    // Text boxes divide by the width and height themselves.
    ASSERT_EQ(b.sym.GetTextBoxRect(1, r, out, 1), 1);
    EXPECT_EQ(out, CRect(0, 0, 201, 101));
    ASSERT_EQ(b.sym.GetTextBoxRect(0, r, out, 0), 1);
    EXPECT_EQ(out, CRect(50, 25, 151, 76));
    ASSERT_EQ(b.sym.GetTextBoxRect(0, r, out, 1), 1);
    EXPECT_EQ(out, r);
    EXPECT_EQ(b.sym.GetTextBoxRect(2, r, out, 0), 0);
    Prepared p(b.sym, r, 1);
    EXPECT_EQ(RectAt(p.boxes), CFltRect(r));
    EXPECT_EQ(RectAt(p.boxes + 32), CFltRect(0, 0, 200, 100));
    CFigSymbol other;
    other.SetName("Diamond");
    other.SetOversizeForDiamonds();
    EXPECT_EQ(other.OversizeText, 0);
}

TEST(FigSymbolMapping, FramesDivideByWidthMinusOne)
{
    CFigSymbol s;
    s.m_frames[0] = CFltRect(0, 0, 2048, 2048);
    s.m_nFrames = 1;
    CRect out;
    ASSERT_EQ(s.GetFrameRect(0, CRect(0, 0, 201, 101), out), 1);
    EXPECT_EQ(out, CRect(0, 0, 200, 100));
    EXPECT_EQ(s.GetFrameRect(1, CRect(0, 0, 201, 101), out), 0);
}

TEST(FigSymbolGlyphs, RegularShapesInSquares)
{
    // Kind 163: a five-point diamond rebuilt around the centre.
    SymbolBuilder d;
    const CFltPoint dia[5] = {{1024, 200}, {2048, 1024}, {1024, 2048}, {0, 1024}, {1024, 200}};
    d.Outline([&](COutlineWriter& w) { w.Points(kOpPolygon, dia, 5); });
    d.sym.Reshape = 163;
    Prepared p(d.sym, CRect(0, 0, 101, 101));
    // t = round(200 × 100 / 2048) = 10, centre 50, d = 40.
    const CFltPoint expect[5] = {{50, 10}, {90, 50}, {50, 90}, {10, 50}, {50, 10}};
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(At(p.outline + 5 + 16 * i), expect[i]) << i;
    // Not square: the general rule.
    Prepared q(d.sym, CRect(0, 0, 201, 101));
    EXPECT_EQ(At(q.outline + 5 + 16), CFltPoint(200, 50));

    // Kind 165: the ellipse becomes a square and the line the diagonal.
    SymbolBuilder e;
    e.Outline([](COutlineWriter& w) {
        w.Rect(kOpEllipse, CFltRect(0, 0, 2048, 1024));
        w.Line({0, 2048}, {2048, 0});
    });
    e.sym.Reshape = 165;
    Prepared r(e.sym, CRect(0, 0, 101, 101));
    EXPECT_EQ(RectAt(r.outline + 1), CFltRect(0, 0, 100, 100));
    EXPECT_EQ(At(r.outline + 34), CFltPoint(0, 100));
    EXPECT_EQ(At(r.outline + 50), CFltPoint(101, -1));

    // Kind 170 applies in any rectangle: vertical lines one unit longer.
    SymbolBuilder v;
    v.Outline([](COutlineWriter& w) {
        w.Line({1024, 0}, {1024, 2048});
        w.Line({0, 1024}, {2048, 1024});
    });
    v.sym.Reshape = 170;
    Prepared s(v.sym, CRect(0, 0, 201, 101));
    EXPECT_EQ(At(s.outline + 17), CFltPoint(100, 101));
    EXPECT_EQ(At(s.outline + 33 + 17), CFltPoint(201, 50));
}

TEST(FigSymbolGlyphs, SaltireAndDoubleTriangle)
{
    SymbolBuilder x;
    CFltPoint pts[13];
    for (int i = 0; i < 13; ++i)
        pts[i] = {0, 400};
    x.Outline([&](COutlineWriter& w) { w.Points(kOpPolyline, pts, 13); });
    x.sym.Reshape = 61;
    Prepared p(x.sym, CRect(0, 0, 101, 101));
    // v = 50 - round(400 × 100 / 2048) = 50 - 20 = 30.
    EXPECT_EQ(At(p.outline + 5), CFltPoint(0, 30));
    EXPECT_EQ(At(p.outline + 5 + 16 * 2), CFltPoint(50, 20));
    EXPECT_EQ(At(p.outline + 5 + 16 * 6), CFltPoint(100, 70));
    EXPECT_EQ(At(p.outline + 5 + 16 * 12), CFltPoint(0, 30));

    SymbolBuilder t;
    t.Outline([&](COutlineWriter& w) { w.Points(kOpPolygon, pts, 7); });
    t.sym.Reshape = 167;
    Prepared q(t.sym, CRect(0, 0, 101, 101));
    EXPECT_EQ(At(q.outline + 5 + 16), CFltPoint(20, 20));
    EXPECT_EQ(At(q.outline + 5 + 16 * 4), CFltPoint(80, 80));
    // Another count: the general rule.
    SymbolBuilder u;
    u.Outline([&](COutlineWriter& w) { w.Points(kOpPolygon, pts, 6); });
    u.sym.Reshape = 167;
    Prepared r(u.sym, CRect(0, 0, 101, 101));
    EXPECT_FLOAT_EQ(At(r.outline + 5 + 16).y, 400 * 100 / 2048.0f);
}

TEST(FigSymbolQueries, OutlineKindsTable)
{
    // Byte programs -> polygonal / same as fill / hot zone is the outline.
    const CFltRect box(0, 0, 2048, 2048);
    const CFltPoint tri[4] = {{0, 0}, {2048, 0}, {1024, 2048}, {0, 0}};
    struct Case {
        const char* what;
        std::function<void(SymbolBuilder&)> build;
        int polygonal, sameAsFill, hotIsOutline;
    };
    const Case cases[] = {
        {"rect, polyline, line",
         [&](SymbolBuilder& b) {
             b.Fill([&](COutlineWriter& w) { w.Rect(kOpRect, box); })
              .Outline([&](COutlineWriter& w) {
                  w.Rect(kOpRect, box);
                  w.Points(kOpPolyline, tri, 4);
                  w.Line(tri[0], tri[1]);
              });
         }, 1, 1, 0},
        {"one arc",
         [&](SymbolBuilder& b) {
             b.Outline([&](COutlineWriter& w) {
                 w.Rect(kOpRect, box);
                 w.ArcLike(kOpArc, box, tri[0], tri[1]);
             });
         }, 0, 0, 0},
        {"polygon fill, polyline outline, hot zone",
         [&](SymbolBuilder& b) {
             b.Fill([&](COutlineWriter& w) { w.Points(kOpPolygon, tri, 4); })
              .Outline([&](COutlineWriter& w) { w.Points(kOpPolyline, tri, 4); });
             b.sym.m_hotZone.Set(4, tri);
         }, 1, 1, 1},
        {"two fill operations",
         [&](SymbolBuilder& b) {
             b.Fill([&](COutlineWriter& w) {
                 w.Rect(kOpEllipse, box);
                 w.Rect(kOpEllipse, box);
             }).Outline([&](COutlineWriter& w) { w.Rect(kOpEllipse, box); });
         }, 0, 0, 0},
        {"circles",
         [&](SymbolBuilder& b) {
             b.Fill([&](COutlineWriter& w) { w.Circle({1024, 1024}, 99); })
              .Outline([&](COutlineWriter& w) { w.Circle({1024, 1024}, 99); });
         }, 0, 1, 0},
        {"no outline", [](SymbolBuilder& b) { b.Fill([](COutlineWriter&) {}); }, 0, 0, 0},
        {"polygon outline, hot zone on its points",
         [&](SymbolBuilder& b) {
             b.Fill([&](COutlineWriter& w) { w.Points(kOpPolygon, tri, 4); })
              .Outline([&](COutlineWriter& w) { w.Points(kOpPolygon, tri, 4); });
             b.sym.m_hotZone.Set(4, tri);
         }, 0, 1, 0},
    };
    for (const Case& c : cases) {
        SymbolBuilder b;
        c.build(b);
        EXPECT_EQ(b.sym.OutlineIsPolygonal(), c.polygonal) << c.what;
        EXPECT_EQ(b.sym.OutlineSameAsFill(), c.sameAsFill) << c.what;
        EXPECT_EQ(b.sym.HotZoneIsOutline(0), c.hotIsOutline) << c.what;
        EXPECT_EQ(b.sym.HotZoneIsOutline(1), 0) << c.what;
    }
}

TEST(FigSymbolQueries, HitTestAndDistanceOnPreparedLines)
{
    SymbolBuilder b;
    b.Outline([](COutlineWriter& w) {
        w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048));
        w.Rect(kOpEllipse, CFltRect(0, 0, 2048, 2048));
        w.Line({0, 2048}, {2048, 0});
    });
    Prepared p(b.sym, CRect(0, 0, 101, 101));
    const BYTE* end = p.work + b.sym.m_nProgramLength;
    const BYTE* cur = p.outline + 1;
    EXPECT_EQ(OutlineOpHitTest({100, 40}, kOpRect, cur, end, 0), 1);
    EXPECT_EQ(cur, p.outline + 33);
    EXPECT_EQ(OutlineOpHitTest({50, 50}, kOpEllipse, ++cur, end, 100), 0);   // never hit
    CPoint nearest;
    ++cur;
    EXPECT_EQ(OutlineOpDistance({0, 0}, kOpLine, cur, end, nearest), 71);
    EXPECT_EQ(nearest, CPoint(50, 50));
    EXPECT_EQ(*cur, kOpEndOutline);
    // A payload that passes the end is never read.
    const BYTE* bad = p.outline + 1;
    EXPECT_EQ(OutlineOpHitTest({0, 0}, kOpRect, bad, p.outline + 10, 5), 0);
    EXPECT_EQ(bad, p.outline + 10);
}

TEST(FigSymbolRecord, MalformedProgramsAreRefusedWhole)
{
    SymbolBuilder b;
    b.Outline([](COutlineWriter& w) { w.Line({0, 0}, {1, 1}); });
    CFigSymbol good = b.sym;
    // A program without its end byte cannot be stored...
    CFigSymbol s;
    EXPECT_FALSE(s.SetProgram(b.sym.m_program.data(), b.sym.m_nProgramLength - 1, -1, 0, -1, -1, 0));
    EXPECT_EQ(s.m_nProgramLength, 0);
    EXPECT_TRUE(s.SetProgram(b.sym.m_program.data(), b.sym.m_nProgramLength, -1, 0, -1, -1, 0));
    // ...and one damaged in place is not walked.
    b.sym.m_program[0] = 0x42;
    BYTE *f, *o, *m, *t;
    EXPECT_EQ(b.sym.PrepareOutline(CRect(0, 0, 10, 10), f, o, m, t, 0, 0.0), nullptr);
    EXPECT_EQ(b.sym.OutlineIsPolygonal(), 0);
    b.sym.m_nProgramLength = 99999;
    EXPECT_FALSE(b.sym.IsProgramValid());
    CFigSymbol copy = b.sym;   // a bad length copies no bytes
    EXPECT_EQ(copy.m_program[0], 0);
    EXPECT_TRUE(good.IsProgramValid());
}

TEST(FigSymbolRecord, SameShapeIgnoresTheNameOnly)
{
    SymbolBuilder b;
    b.Outline([](COutlineWriter& w) { w.Line({0, 0}, {2048, 2048}); });
    b.sym.m_conPts.AddConPt({0, 1024}, "left", 0, false, -1);
    CFigSymbol a = b.sym;
    CFigSymbol c = b.sym;
    c.SetName("other");
    EXPECT_EQ(a.IsSameShape(c), 1);
    c.m_program[5] ^= 1;
    EXPECT_EQ(a.IsSameShape(c), 0);
    CFigSymbol d = a;
    d.m_nFrames = 1;
    d.m_frames[0].m_nLeftMode = 1;   // frames compare as four floats
    CFigSymbol e = d;
    e.m_frames[0].m_nLeftMode = 2;
    EXPECT_EQ(d.IsSameShape(e), 1);
    e.m_frameValues[0] = 3;
    EXPECT_EQ(d.IsSameShape(e), 0);
    CFigSymbol f = a;
    f.m_conPts.AddConPt({2048, 1024}, "right", 0, false, -1);
    EXPECT_EQ(a.IsSameShape(f), 0);
    CFigSymbol g = a;
    g.DisplayScale = 50;
    EXPECT_EQ(a.IsSameShape(g), 0);
}

TEST(FigSymbolRecord, SameShapeComparesEveryShapeField)
{
    SymbolBuilder b;
    b.Outline([](COutlineWriter& w) { w.Line({0, 0}, {2048, 2048}); })
     .TextBoxes({CFltRect(0, 0, 2048, 2048)});
    const CFigSymbol base = b.sym;
    const CFltPoint hot[4] = {{0, 0}, {2048, 0}, {0, 2048}, {0, 0}};
    struct Case { const char* field; std::function<void(CFigSymbol&)> change; };
    const Case cases[] = {
        {"Height", [](CFigSymbol& s) { s.Height += 1; }},
        {"Width", [](CFigSymbol& s) { s.Width += 1; }},
        {"FixedAspect", [](CFigSymbol& s) { s.FixedAspect = 1; }},
        {"DisplayThick", [](CFigSymbol& s) { s.DisplayThick = 2; }},
        {"InternalIcon", [](CFigSymbol& s) { s.InternalIcon = 1; }},
        {"Silhouette", [](CFigSymbol& s) { s.Silhouette = 1; }},
        {"XRenderHot", [](CFigSymbol& s) { s.XRenderHot = 1; }},
        {"OversizeText", [](CFigSymbol& s) { s.OversizeText = 1; }},
        {"Reshape", [](CFigSymbol& s) { s.Reshape = 101; }},
        {"text-box count", [](CFigSymbol& s) { s.m_nTextBoxes = 0; }},
        {"frame count", [](CFigSymbol& s) { s.m_nFrames = 1; }},
        {"frame rectangle", [](CFigSymbol& s) { s.m_frames[0].right = 5; s.m_nFrames = 1; }},
        {"hot zone", [&](CFigSymbol& s) { ASSERT_TRUE(s.m_hotZone.Set(4, hot)); }},
    };
    for (const Case& c : cases) {
        CFigSymbol other = base;
        c.change(other);
        EXPECT_EQ(base.IsSameShape(other), 0) << c.field;
        EXPECT_EQ(other.IsSameShape(base), 0) << c.field;
    }
}

TEST(FigSymbolRecord, OversizeTextForTheDiamondNamesOnly)
{
    const struct { const char* name; int oversize; } cases[] = {
        {"decision", 1}, {"decision2", 1}, {"diamond", 1}, {"SDL decision", 1},
        {"ER relation", 1}, {"ER relation2", 1}, {"diamond double", 1}, {"condition", 1},
        {"decision3", 0}, {"SDL Decision", 0}, {"ER relation ", 0}, {"diamonds", 0},
    };
    for (const auto& c : cases) {
        CFigSymbol s;
        s.SetName(c.name);
        s.SetOversizeForDiamonds();
        EXPECT_EQ(s.OversizeText, c.oversize) << c.name;
    }
}

TEST(FigSymbolRecord, DropMiniOutlineMovesTextBoxesDown)
{
    SymbolBuilder b;
    b.Outline([](COutlineWriter& w) { w.Line({0, 0}, {1, 1}); })
     .Mini([](COutlineWriter& w) { w.Line({0, 0}, {2, 2}); })
     .TextBoxes({CFltRect(1, 2, 3, 4)});
    const int mini = b.sym.m_nMiniOutlinePos;
    b.sym.DropMiniOutline();
    EXPECT_EQ(b.sym.m_nMiniOutlinePos, -1);
    EXPECT_EQ(b.sym.m_nTextBoxPos, mini);
    EXPECT_EQ(b.sym.m_nProgramLength, mini + 32);
    EXPECT_TRUE(b.sym.IsProgramValid());
    EXPECT_EQ(ReadOutlineRect(b.sym.m_program.data() + mini), CFltRect(1, 2, 3, 4));

    SymbolBuilder c;
    c.Outline([](COutlineWriter& w) { w.Line({0, 0}, {1, 1}); })
     .Mini([](COutlineWriter& w) { w.Line({0, 0}, {2, 2}); });
    const int cm = c.sym.m_nMiniOutlinePos;
    c.sym.DropMiniOutline();
    EXPECT_EQ(c.sym.m_nProgramLength, cm);
}

TEST(FigSymbolRecord, SymbolUnitsAndHotZoneMapping)
{
    CFltPoint p(150, 60, 1, 2);
    ToSymbolUnits(p, CRect(100, 50, 300, 90));
    EXPECT_EQ(p, CFltPoint(512, 512, 0, 0));
    CFltPoint q(5, 5);
    ToSymbolUnits(q, CRect(0, 0, 0, 10));
    EXPECT_EQ(q, CFltPoint(5, 5));
    CFigSymbol s;
    std::vector<CFltPoint> pts;
    EXPECT_EQ(s.GetHotZoneInRect(CRect(0, 0, 100, 100), pts), 0);
    const CFltPoint hz[4] = {{0, 0}, {2048, 0}, {2048, 2048}, {0, 2048}};
    ASSERT_TRUE(s.m_hotZone.Set(4, hz));
    EXPECT_FALSE(s.m_hotZone.Set(3, hz));
    EXPECT_EQ(s.GetHotZoneInRect(CRect(10, 10, 110, 60), pts), 1);
    EXPECT_EQ(pts[2], CFltPoint(110, 60));
}

TEST(ConPtList, CentreCoordinateIsTheIntegerMidpoint)
{
    CConPtList list;
    const int id = list.AddConPt({1024, 2048}, "bottom", 0, false, -1);
    const int id2 = list.AddConPt({2048, 1024, 2, 0}, "right", 0, false, -1);
    CFltPoint out;
    // 101 wide: scaling would give 50.5; the midpoint rule gives (0 + 101) / 2.
    ASSERT_EQ(list.GetConPtPos(id, CRect(0, 0, 101, 51), out), 1);
    EXPECT_FLOAT_EQ(out.x, 50);
    EXPECT_FLOAT_EQ(out.y, 51);
    ASSERT_EQ(list.GetConPtPos(id2, CRect(0, 0, 101, 51), out), 1);
    EXPECT_FLOAT_EQ(out.x, 101);
    EXPECT_FLOAT_EQ(out.y, 25);
    EXPECT_EQ(list.GetConPtPos(99, CRect(0, 0, 10, 10), out), 0);
    EXPECT_EQ(list.AddConPt({1024, 2048}, "again", 0, false, -1), id);   // equal position
    // An explicit id already taken gets a fresh one instead of a duplicate.
    const int dup = list.AddConPt({5, 5}, "dup", 0, true, id);
    EXPECT_NE(dup, id);
    EXPECT_EQ(list.FindById(id)->m_strName, "bottom");
    EXPECT_EQ(list.AddConPt({6, 6}, "ten", 0, true, 10), 10);
    EXPECT_EQ(list.NextId(), 11);
    // Ids start at 1: an explicit 0 (or another negative id) takes the next
    // id, and the point can be found by it.
    for (int bad : {0, -5}) {
        const int got = list.AddConPt({7, float(bad)}, "zero", 0, true, bad);
        EXPECT_GT(got, 0) << bad;
        ASSERT_NE(list.FindById(got), nullptr) << bad;
        EXPECT_EQ(list.FindById(got)->m_strName, "zero");
    }
}

TEST(FigSymbolRecord, ReshapeKindComesFromTheSpecialShapeHooks)
{
    CFigSymbol s;
    s.SetName("[compartments]");
    s.ComputeReshapeKind();
    EXPECT_EQ(s.Reshape, 0);   // not a name of the special-shape table
    CFigSymbol::SetReshapeKindHooks([](const std::string& name) { return name[0] == '[' ? 101 : 7; },
                                    [](const CFigSymbol& sym) { return sym.m_nTextBoxes > 0; });
    s.ComputeReshapeKind();
    EXPECT_EQ(s.Reshape, 0);   // 101 without divider handle 0 is ordinary
    s.m_nTextBoxes = 1;
    s.ComputeReshapeKind();
    EXPECT_EQ(s.Reshape, 101);
    s.SetName("plain");
    s.ComputeReshapeKind();
    EXPECT_EQ(s.Reshape, 7);
}
