// Divider limits of special shapes: the section minimums, the per-kind bounds,
// the crossing bounds, the corner diagonals and the text-box counts.
#include "DividedShapeTestSupport.h"

#include <gtest/gtest.h>

namespace {

// Symbol units for a coordinate of a figure 101 units wide and high (the
// mapping divides by 100).
float U(float v) { return v * 2048.0f / 100.0f; }
const CRect kFig(0, 0, 101, 101);

// "box r2" with its divider at y and text boxes of the given heights (in
// figure units), each starting 5 units into its row.
CFigSymbol BoxR2(float y, float h0, float h1)
{
    SymbolBuilder b;
    b.Outline([&](COutlineWriter& w) {
        w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048));
        w.Line({0, U(y)}, {2048, U(y)});
    }).TextBoxes({CFltRect(U(10), U(0), U(90), U(h0)), CFltRect(U(10), U(y), U(90), U(y + h1))});
    b.sym.Reshape = 1;
    return b.sym;
}

// Divider 0 of the kinds whose handle keeps to a corner's diagonal.
bool IsCornerHandle(int kind, int i)
{
    return i == 0 && (kind == 6 || kind == 19 || kind == 20 || (kind >= 22 && kind <= 25) || kind == 53 ||
                      kind == 58 || kind == 59 || kind == 74 || kind == 85 || kind == 131 || kind == 132 ||
                      kind == 133 || (kind >= 141 && kind <= 146));
}

CPoint Limit(const CFigSymbol& s, int n, CPoint p, const RECT& r, int nMins = 0, const SIZE* mins = nullptr,
             int skip = -1)
{
    EXPECT_EQ(s.LimitDividerPoint(n, r, p, nMins, mins, skip), 1);
    return p;
}

} // namespace

TEST(SpecialLimits, RowsKeepTheirMinimumAndFreeRoom)
{
    // Rows of 40 and 60 with text 20 and 30 high: 16 + 20 below the top,
    // 16 + 30 above the bottom.
    const CFigSymbol s = BoxR2(40, 20, 30);
    EXPECT_EQ(Limit(s, 0, {7, 0}, kFig), CPoint(50, 36));
    EXPECT_EQ(Limit(s, 0, {50, 100}, kFig), CPoint(50, 54));
    EXPECT_EQ(Limit(s, 0, {50, 45}, kFig), CPoint(50, 45));
    // Smaller minimums keep 32 × 16; larger ones raise it; the skipped
    // section keeps 32 × 16 whatever it is given.
    const SIZE small[2] = {{4, 4}, {4, 4}};
    EXPECT_EQ(Limit(s, 0, {50, 0}, kFig, 2, small).y, 36);
    const SIZE big[2] = {{40, 25}, {40, 30}};
    EXPECT_EQ(Limit(s, 0, {50, 0}, kFig, 2, big).y, 45);
    EXPECT_EQ(Limit(s, 0, {50, 100}, kFig, 2, big).y, 40);
    EXPECT_EQ(Limit(s, 0, {50, 0}, kFig, 2, big, 0).y, 36);
    // A table longer than the 32 sections is read up to its 32nd entry.
    std::vector<SIZE> many(40, SIZE{0, 0});
    EXPECT_EQ(Limit(s, 0, {50, 0}, kFig, 40, many.data()).y, 36);
}

TEST(SpecialLimits, CrossedBoundsDependOnTheSide)
{
    // Rows of 10 and 90 whose first text fills its row: lower bound 16,
    // upper bound 100 - (16 + 90 - 16) = 10: the bounds cross.
    const CFigSymbol crossed = BoxR2(10, 10, 16);
    const struct { LONG y, out; } cases[] = {{0, 16}, {12, 16}, {15, 16}, {17, 10}, {90, 10}};
    for (const auto& c : cases)
        EXPECT_EQ(Limit(crossed, 0, {50, c.y}, kFig).y, c.out) << c.y;
}

TEST(SpecialLimits, EdgeCasesPerFamily)
{
    CPoint p;
    // A "class/object r2" with three text boxes has no limits: 0, unchanged.
    SymbolBuilder three;
    three.Outline([](COutlineWriter& w) {
        w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048));
        w.Line({0, 1024}, {2048, 1024});
    }).TextBoxes({CFltRect(), CFltRect(), CFltRect()});
    three.sym.Reshape = 1;
    p = CPoint(3, 4);
    EXPECT_EQ(three.sym.LimitDividerPoint(0, kFig, p, 0, nullptr, -1), 0);
    EXPECT_EQ(p, CPoint(3, 4));
    // Dividers past the count have no position.
    EXPECT_EQ(three.sym.LimitDividerPoint(1, kFig, p, 0, nullptr, -1), 0);

    // "[partition 3x1]": divider 0 moves freely between the top and divider 1.
    SymbolBuilder grid;
    grid.Outline([](COutlineWriter& w) {
        w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048));
        w.Line({0, U(30)}, {2048, U(30)});
        w.Line({0, U(60)}, {2048, U(60)});
    });
    grid.sym.Reshape = GetSpecialKindFromName("[partition 3x1]");
    EXPECT_EQ(Limit(grid.sym, 0, {5, -20}, kFig), CPoint(50, 0));
    EXPECT_EQ(Limit(grid.sym, 0, {5, 59}, kFig), CPoint(50, 59));
    EXPECT_EQ(Limit(grid.sym, 0, {5, 80}, kFig), CPoint(50, 60));
    EXPECT_EQ(Limit(grid.sym, 1, {5, 20}, kFig), CPoint(50, 30));

    // "note": text 10 from the right (101) and 20 below the top: the fold
    // handle stays within 20 of the top-right corner, on its diagonal.
    SymbolBuilder note;
    const CFltPoint frame[6] = {{0, 0}, {U(90), 0}, {2048, U(10)}, {2048, 2048}, {0, 2048}, {0, 0}};
    const CFltPoint fold[3] = {{U(90), 0}, {U(90), U(10)}, {2048, U(10)}};
    note.Outline([&](COutlineWriter& w) {
        w.Points(kOpPolyline, frame, 6);
        w.Points(kOpPolyline, fold, 3);
    }).TextBoxes({CFltRect(U(10), U(20), U(91), U(90))});
    note.sym.Reshape = 6;
    EXPECT_EQ(Limit(note.sym, 0, {0, 100}, kFig), CPoint(81, 20));
    EXPECT_EQ(Limit(note.sym, 0, {95, 2}, kFig), CPoint(99, 2));
    EXPECT_EQ(Limit(note.sym, 0, {88, 5}, kFig), CPoint(96, 5));

    // "[rounded box]" in a 200 × 80 figure: within 20 of the top-left
    // corner; (30, 10) ends at (10, 10).
    const CFigSymbol rounded = TemplateSymbol(25);
    EXPECT_EQ(Limit(rounded, 0, {150, 70}, CRect(0, 0, 200, 80)), CPoint(20, 20));
    EXPECT_EQ(Limit(rounded, 0, {30, 10}, CRect(0, 0, 200, 80)), CPoint(10, 10));
    EXPECT_EQ(Limit(rounded, 0, {-5, 10}, CRect(0, 0, 200, 80)), CPoint(0, 0));

    // "[arrow down]": the head handle may reach the bottom side; "[arrow
    // left]": the shaft handle stays in the upper half.
    EXPECT_EQ(Limit(TemplateSymbol(37), 0, {10, 500}, CRect(0, 0, 100, 100)), CPoint(10, 100));
    EXPECT_EQ(Limit(TemplateSymbol(29), 0, {10, 80}, CRect(0, 0, 100, 100)), CPoint(10, 50));
}

TEST(SpecialLimits, SinglePrecisionFractions)
{
    // "[node]": the fold keeps within 10/31 of the box (0.32258067 in single
    // precision): 31 × 10/31 rounds to 10 from 9.9999998 + 0.5.
    SymbolBuilder node;
    const CFltPoint box[7] = {{0, U(31)}, {U(69), U(31)}, {U(100), 0}, {U(100), U(69)},
                              {U(69), U(100)}, {0, U(100)}, {0, U(31)}};
    const CFltPoint fold[3] = {{U(69), U(31)}, {U(100), 0}, {U(100), U(69)}};
    node.Outline([&](COutlineWriter& w) {
        w.Points(kOpPolyline, box, 7);
        w.Points(kOpPolyline, fold, 3);
        w.Line({U(69), U(31)}, {U(69), U(100)});
    });
    node.sym.Reshape = 131;
    // x from 100 - 10/31 × 100 = 67.74 (68) to 100; y from 31 to 31 + 10/31 × 69
    // = 53.26 (53); then onto the top-right diagonal: 101 - 68 = 33.
    EXPECT_EQ(Limit(node.sym, 0, {0, 100}, kFig), CPoint(68, 33));

    // "usecase r2": the line keeps (E.bottom - E.top) / 2 × 0.29289323 = 14.64
    // from the ellipse's top and bottom even where the text would allow less.
    SymbolBuilder uc;
    uc.Outline([](COutlineWriter& w) {
        w.Rect(kOpEllipse, CFltRect(0, 0, 2048, 2048));
        w.Line({0, U(50)}, {2048, U(50)});
    }).TextBoxes({CFltRect(U(20), 0, U(80), U(55)), CFltRect(U(20), U(45), U(80), U(100))});
    uc.sym.Reshape = 60;
    EXPECT_EQ(Limit(uc.sym, 0, {0, 0}, kFig), CPoint(50, 15));
    EXPECT_EQ(Limit(uc.sym, 0, {0, 100}, kFig), CPoint(50, 85));
}

// The fraction of kinds 59 and 131 is the float 0.32258067, one step above
// the float nearest to 10/31. Over a box from x -54 to 147.5 (201.5 = 6.5 x
// 31 deep) the lower x bound 147.5 - 201.5 k is 82.4999924 (82) with it,
// where the nearer float would give exactly 82.5 (83).
TEST(SpecialLimits, NodeFractionIsTheFloatAboveTenThirtyFirsts)
{
    // On this rectangle symbol x maps to x - 1024, y to itself.
    const CRect rect(-1024, 0, 1025, 2049);
    const float x0 = 1024 - 54, x2 = 1024 + 147.5f;
    SymbolBuilder node;
    const CFltPoint box[7] = {{x0, 1960}, {x0 + 100, 1960}, {x2, 1900}, {x2, 2000}, {x0 + 100, 2048}, {x0, 2048},
                              {x0, 1960}};
    const CFltPoint fold[3] = {{x0 + 100, 1960}, {x2, 1900}, {x2, 2000}};
    node.Outline([&](COutlineWriter& w) {
        w.Points(kOpPolyline, box, 7);
        w.Points(kOpPolyline, fold, 3);
        w.Line({x0 + 100, 1960}, {x0 + 100, 2048});
    });
    node.sym.Reshape = 131;
    // y may reach 1960 + 88 k = 1988, past the diagonal's 1025 - 82 = 943, so
    // the diagonal keeps x and brings y to the top plus 943.
    EXPECT_EQ(Limit(node.sym, 0, {-500, 3000}, rect), CPoint(82, 943));
}

TEST(SpecialLimits, OperandLinesStayOnTheirLine)
{
    // Fragments: operand lines move between their neighbours; x stays at the
    // line's middle.
    const CFigSymbol frag = TemplateSymbol(140);   // lines at 1/4, 2/4, 3/4
    const CRect r = UnitRect();
    EXPECT_EQ(Limit(frag, 1, {7, 0}, r), CPoint(1024, 256));     // the name tab's bottom
    EXPECT_EQ(Limit(frag, 2, {7, 2000}, r), CPoint(1024, 1536));
    EXPECT_EQ(Limit(frag, 3, {7, 3000}, r), CPoint(1024, 2049));
    const CFigSymbol state = TemplateSymbol(143);
    const CPoint p = Limit(state, 3, {7, 2048}, r);
    EXPECT_EQ(p.x, 1024);
    EXPECT_LT(p.y, 2049);   // above the bottom rounding
}

TEST(SpecialLimits, EveryDividerOfEveryKindIsLimited)
{
    for (int kind = 1; kind <= 162; ++kind) {
        SCOPED_TRACE(kind);
        const CFigSymbol s = TemplateSymbol(kind);
        for (int i = 0; i < s.GetDividerCount(); ++i) {
            CPoint p(1000, 1000);
            EXPECT_EQ(s.LimitDividerPoint(i, UnitRect(), p, 0, nullptr, -1), 1) << i;
        }
    }
}

// A divider that moves along one axis keeps its handle's other coordinate:
// limiting the handle where it stands never shifts it sideways, for every
// kind, divider and figure rectangle (odd sizes and offsets put the middles
// on halves).
TEST(SpecialLimits, HandlesKeepTheCoordinateTheirDividerDoesNotMoveAlong)
{
    const CRect rects[] = {UnitRect(), CRect(0, 0, 301, 207), CRect(-37, 11, 240, 144), CRect(5, -8, 1000, 51)};
    for (int kind = 1; kind <= 162; ++kind) {
        const CFigSymbol s = TemplateSymbol(kind);
        for (int i = 0; i < s.GetDividerCount(); ++i) {
            const int direction = s.GetDividerDirection(i);
            if (direction == 0 || IsCornerHandle(kind, i))
                continue;
            for (const CRect& r : rects) {
                CPoint handle;
                ASSERT_EQ(s.GetDividerHandle(i, handle, r), 1) << kind << " divider " << i;
                CPoint limited = handle;
                ASSERT_EQ(s.LimitDividerPoint(i, r, limited, 0, nullptr, -1), 1) << kind << " divider " << i;
                if (direction == 1)
                    EXPECT_EQ(limited.x, handle.x) << "kind " << kind << " divider " << i << " in " << r.Width();
                else
                    EXPECT_EQ(limited.y, handle.y) << "kind " << kind << " divider " << i << " in " << r.Width();
            }
        }
    }
}

// Limiting a handle where it stands leaves it there: for every divider of
// every kind, once the shape is laid out as the program's own drag leaves it
// (each handle dragged to its limited place until none moves).
TEST(SpecialLimits, AHandleWhereItStandsIsLeftThere)
{
    const CRect rects[] = {UnitRect(), CRect(3, 7, 1004, 1501)};
    for (int kind = 1; kind <= 162; ++kind) {
        for (const CRect& r : rects) {
            CFigSymbol s = TemplateSymbol(kind);
            const int count = s.GetDividerCount();
            for (int round = 0; round < 4; ++round) {
                bool moved = false;
                for (int i = 0; i < count; ++i) {
                    CPoint handle, limited;
                    ASSERT_EQ(s.GetDividerHandle(i, handle, r), 1) << kind << " divider " << i;
                    limited = handle;
                    ASSERT_EQ(s.LimitDividerPoint(i, r, limited, 0, nullptr, -1), 1) << kind << " divider " << i;
                    if (limited != handle) {
                        s.MoveSpecialHandle(i, r, limited, 0);
                        moved = true;
                    }
                }
                if (!moved)
                    break;
            }
            for (int i = 0; i < count; ++i) {
                // A corner handle's drag keeps the rounding's shape in symbol
                // units, so off a square it cannot sit on the figure's diagonal.
                if (IsCornerHandle(kind, i) && r.Width() != r.Height())
                    continue;
                CPoint handle;
                ASSERT_EQ(s.GetDividerHandle(i, handle, r), 1);
                CPoint limited = handle;
                s.LimitDividerPoint(i, r, limited, 0, nullptr, -1);
                EXPECT_EQ(limited, handle) << "kind " << kind << " divider " << i << " in " << r.Width() << " x "
                                           << r.Height() << ": (" << handle.x << ", " << handle.y << ") -> ("
                                           << limited.x << ", " << limited.y << ")";
            }
        }
    }
}
