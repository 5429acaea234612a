// Compartment regions of special shapes and fitting text boxes into them
// inside the text margins.
#include "DividedShapeTestSupport.h"
#include "shapes/CFigStyle.h"
#include "shapes/FigStyleShapeFit.h"
#include "shapes/SymbolLibrary.h"

#include <gtest/gtest.h>

namespace {

// On a 2049 × 2049 figure the drawing lays symbol units one to one.
const CRect kFig = UnitRect();

CFltRect Region(const CFigSymbol& s, int box)
{
    CFltRect r;
    EXPECT_EQ(s.GetCompartmentRegion(box, kFig, r), 1) << box;
    return r;
}

CFigSymbol Rows3()
{
    return BoxR3With({CFltRect(10, 10, 100, 100), CFltRect(10, 700, 100, 800), CFltRect(10, 1500, 100, 1600)});
}

} // namespace

TEST(SpecialRegions, RowsAreBandsBetweenTheirLines)
{
    const CFigSymbol s = Rows3();
    EXPECT_EQ(Region(s, 0), CFltRect(0, 0, 2048, 600));
    EXPECT_EQ(Region(s, 1), CFltRect(0, 600, 2048, 1400));
    EXPECT_EQ(Region(s, 2), CFltRect(0, 1400, 2048, 2048));
    CFltRect r;
    EXPECT_EQ(s.GetCompartmentRegion(3, kFig, r), 0);
    EXPECT_EQ(s.GetCompartmentRegion(-1, kFig, r), 0);
}

TEST(SpecialRegions, TemplateKindsByTheirParts)
{
    // Evenly spaced template lines: line k of n at 2048 (k + 1) / (n + 1)
    // (over the body below the tab for packages).
    auto at = [](int k, int n) { return 2048 * static_cast<float>(k + 1) / static_cast<float>(n + 1); };
    const float body = kTabBottom + (2048 - kTabBottom) / 2;   // a package's one body line
    const CFltRect whole(kFig);
    struct Case {
        int kind, box;
        CFltRect want;
    };
    const Case cases[] = {
        // Columns: the frame between the vertical lines.
        {44, 0, CFltRect(0, 0, at(0, 2), 2048)},
        {44, 1, CFltRect(at(0, 2), 0, at(1, 2), 2048)},
        {44, 2, CFltRect(at(1, 2), 0, 2048, 2048)},
        // Rows of a class with an icon: bands, the top one beside the icon.
        {90, 1, CFltRect(0, at(0, 2), 2048, at(1, 2))},
        {90, 2, CFltRect(0, at(1, 2), 2048, 2048)},
        // Active class: between the side bars (lines 0 and 1), bands of lines 2 and 3.
        {135, 0, CFltRect(at(0, 4), 0, at(1, 4), at(2, 4))},
        {135, 1, CFltRect(at(0, 4), at(2, 4), at(1, 4), at(3, 4))},
        {135, 2, CFltRect(at(0, 4), at(3, 4), at(1, 4), 2048)},
        // Packages: the tab, then the body's rows or columns.
        {8, 0, CFltRect(0, 0, kTabRight, kTabBottom)},
        {8, 1, CFltRect(0, kTabBottom, 2048, body)},
        {8, 2, CFltRect(0, body, 2048, 2048)},
        {9, 1, CFltRect(0, kTabBottom, 1024, 2048)},
        {9, 2, CFltRect(1024, kTabBottom, 2048, 2048)},
        {72, 0, CFltRect(0, 0, kTabRight, kTabBottom)},
        {72, 1, CFltRect(0, kTabBottom, 2048, 2048)},
        {76, 1, CFltRect(0, kTabBottom, 2048, body)},
        {76, 2, CFltRect(0, body, 2048, 2048)},
        // Whole-figure kinds.
        {61, 0, whole}, {84, 1, whole}, {101, 0, whole}, {125, 0, whole}, {66, 2, whole}, {154, 3, whole},
    };
    for (const Case& c : cases) {
        const CFigSymbol s = TemplateSymbol(c.kind, 4);
        CFltRect r;
        ASSERT_EQ(s.GetCompartmentRegion(c.box, kFig, r), 1) << c.kind << " box " << c.box;
        EXPECT_EQ(r, c.want) << c.kind << " box " << c.box;
    }
    for (int kind : {7, 26, 60, 73, 80, 105, 121, 124, 134, 136, 138, 141, 144, 163}) {
        CFltRect r;
        EXPECT_EQ(TemplateSymbol(kind, 2).GetCompartmentRegion(0, kFig, r), 0) << kind;
    }
}

TEST(SpecialRegions, SplitAndIconColumns)
{
    // "[class # r2]": box 0 is the right part of the top compartment, box 1
    // the left part, split at V = (box 0's left + box 1's right) / 2.
    SymbolBuilder b;
    b.Outline([](COutlineWriter& w) {
        w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048));
        w.Line({0, 800}, {2048, 800});
    }).TextBoxes({CFltRect(1200, 10, 2000, 700), CFltRect(10, 10, 800, 700)});
    b.sym.Reshape = 100;
    EXPECT_EQ(Region(b.sym, 0), CFltRect(1000, 0, 2048, 800));
    EXPECT_EQ(Region(b.sym, 1), CFltRect(0, 0, 1000, 800));
    // "class actor r2": box 0 reaches to W(0) = its right + its left - the frame's left.
    b.sym.Reshape = 86;
    EXPECT_EQ(Region(b.sym, 0), CFltRect(0, 0, 3200, 800));
    EXPECT_EQ(Region(b.sym, 1), CFltRect(0, 800, 2048, 2048));
}

TEST(SpecialRegions, ShapesWithoutRegionsNeedTheSecondTable)
{
    SymbolBuilder b;
    b.Outline([](COutlineWriter& w) {
        w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048));
        w.Line({0, 1000}, {2048, 1000});
    }).TextBoxes({CFltRect(10, 10, 100, 100), CFltRect(10, 1100, 100, 1200)});
    b.sym.Reshape = 1;   // "box r2"
    EXPECT_EQ(b.sym.FitTextBoxToMargins(0, kFig, 5, 5, 5, 5), 0);
    b.sym.m_nFrames = 2;
    b.sym.m_frames[0] = CFltRect(0, 0, 2048, 1000);
    b.sym.m_frames[1] = CFltRect(0, 1000, 2048, 2048);
    ASSERT_EQ(b.sym.FitTextBoxToMargins(0, kFig, 5, 6, 7, 8), 1);
    EXPECT_EQ(BoxOf(b.sym, 0), CFltRect(5, 7, 2042, 992));
    int l, r, t, bo;
    ASSERT_EQ(b.sym.GetTextBoxMargins(0, kFig, l, r, t, bo), 1);
    EXPECT_EQ(l * 1000000 + r * 10000 + t * 100 + bo, 5060708);
}

TEST(SpecialRegions, NarrowCompartmentsKeepTheirFixedSide)
{
    // A row 30 units high with margins 10 and 10 leaves less than 16:
    // without fixed sides both margins shrink to (30 - 16) / 2 = 7; with a
    // fixed top (no margin there) the bottom gives up margin: 30 - 10 - 16 = 4.
    auto fit = [](int flags) {
        SymbolBuilder b;
        b.Outline([](COutlineWriter& w) {
            w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048));
            w.Line({0, 30}, {2048, 30});
            w.Line({0, 1000}, {2048, 1000});
        }).TextBoxes({CFltRect(10, 5, 100, 25), CFltRect(10, 1040, 100, 1100)});
        b.sym.Reshape = 52;   // "utility": box 0 ends at line 0
        b.sym.m_nFrames = 1;  // side flags without a second table of as many boxes
        b.sym.m_frameValues[0] = flags;
        EXPECT_EQ(b.sym.FitTextBoxToMargins(0, kFig, 10, 10, 10, 10), 1);
        return BoxOf(b.sym, 0);
    };
    EXPECT_EQ(fit(0), CFltRect(10, 7, 2038, 23));
    EXPECT_EQ(fit(2), CFltRect(10, 0, 2038, 26));      // top fixed
    EXPECT_EQ(fit(8), CFltRect(10, 4, 2038, 30));      // bottom fixed
}

TEST(SpecialRegions, ArrowsMaskTheirMarginsAndTabsFollowTheirBox)
{
    // "arrow right": the shaft region, without a margin at the head side.
    SymbolBuilder a;
    const CFltPoint arrowPts[8] = {{0, 500}, {1500, 500}, {1500, 0}, {2048, 1024},
                                   {1500, 2048}, {1500, 1548}, {0, 1548}, {0, 500}};
    a.Outline([&](COutlineWriter& w) { w.Points(kOpPolyline, arrowPts, 8); })
        .TextBoxes({CFltRect(100, 600, 1400, 1400)});
    a.sym.Reshape = 14;
    EXPECT_EQ(Region(a.sym, 0), CFltRect(0, 500, 1500, 1548));
    ASSERT_EQ(a.sym.FitTextBoxToMargins(0, kFig, 20, 20, 20, 20), 1);
    EXPECT_EQ(BoxOf(a.sym, 0), CFltRect(20, 520, 1500, 1528));
    // "[frame]": the name tab follows text box 0.
    SymbolBuilder f;
    const CFltPoint tab[4] = {{512, 0}, {512, 192}, {448, 256}, {0, 256}};
    f.Outline([&](COutlineWriter& w) {
        w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048));
        w.Points(kOpPolyline, tab, 4);
    }).TextBoxes({CFltRect(10, 10, 400, 200)});
    f.sym.Reshape = 124;
    f.sym.m_nFrames = 1;
    f.sym.m_frames[0] = CFltRect(0, 0, 600, 300);
    ASSERT_EQ(f.sym.FitTextBoxToMargins(0, kFig, 4, 4, 4, 4), 1);
    const BYTE* pts = OutlineOpAt(f.sym, 1) + 5;
    EXPECT_FLOAT_EQ(ReadOutlinePoint(pts + 16).y, 2 * 296.0f - 256);
    EXPECT_FLOAT_EQ(ReadOutlinePoint(pts + 32).x, 2 * 596.0f - 512);
    EXPECT_EQ(ReadOutlinePoint(pts), CFltPoint(512, 0));
}

// A style's special shape is laid out for the style's own size: its text
// boxes fit their compartments inside the margins. A style showing a picture,
// an ordinary symbol or a missing one is left as it is.
TEST(SpecialRegions, AStylesShapeFitsTheStylesSize)
{
    const struct {
        const char* name;
        bool picture;
        int reshape, symbol;
        bool fitted;
    } rows[] = {
        {"special", false, 2, 0, true}, {"picture", true, 2, 0, false},
        {"ordinary", false, 0, 0, false}, {"missing", false, 2, 5, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        SymbolLibrary symbols;
        CFigSymbol* sym = symbols.NewEntry();
        *sym = Rows3();
        sym->Reshape = row.reshape;
        CFigSymbol expected = *sym;
        for (int box = 0; row.fitted && box < 3; ++box)
            ASSERT_EQ(expected.FitTextBoxToMargins(box, kFig, 5, 6, 7, 8), 1);
        CFigStyle style;
        style.Reset();
        style.Width = kFig.Width();
        style.Height = kFig.Height();
        style.m_props.Symbol = row.symbol;
        int picture = 0;
        if (row.picture) {
            style.m_props.m_nGraphicType = 1;
            style.m_props.Graphic = reinterpret_cast<HGLOBAL>(&picture);   // looked at, never used
        }
        EXPECT_EQ(FitSpecialShape(style, symbols, 5, 6, 7, 8), row.fitted);
        for (int box = 0; box < 3; ++box)
            EXPECT_EQ(BoxOf(*sym, box), BoxOf(expected, box)) << box;
    }
}
