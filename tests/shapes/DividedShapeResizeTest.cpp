// The compartment lists special shapes give the resize code: per family, the
// rows and columns in order with slack, divider, weight and handle position,
// in both modes and both anchors; the least size for the text.
#include "DividedShapeTestSupport.h"
#include "shapes/DividedShapeResize.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const CRect kFig = UnitRect();

// "divider:slack:weight@pos" per entry, space-separated.
std::string List(const SpecialResizeEntry* list, int n)
{
    std::string s;
    for (int i = 0; i < n; ++i) {
        if (i)
            s += ' ';
        s += std::to_string(list[i].m_nDivider) + ':' + std::to_string(list[i].m_nSlack) + ':' +
             std::to_string(list[i].m_nWeight);
        if (list[i].m_nHandlePos)
            s += '@' + std::to_string(list[i].m_nHandlePos);
    }
    return s;
}

struct Lists {
    std::string rows, cols;
};

Lists Plan(const CFigSymbol& s, int mode, int anchor, int minCount = 0, const SIZE* mins = nullptr)
{
    SpecialResizeArgs a;
    a.m_nMode = mode;
    a.m_nAnchor = anchor;
    ResizeSpecialShape(s, a, kFig, minCount, mins);
    return {List(a.m_rows, a.m_nRows), List(a.m_cols, a.m_nCols)};
}

// Texts 100, 200, 300 high and 1000, 500, 800 wide.
CFigSymbol Rows3()
{
    return BoxR3With({CFltRect(0, 0, 1000, 100), CFltRect(0, 700, 500, 900), CFltRect(0, 1500, 800, 1800)});
}

} // namespace

TEST(SpecialResize, RowsGiveInTheirOrder)
{
    const CFigSymbol s = Rows3();
    // Slack: height - 16, width - 32; the top row gives last.
    const Lists grow = Plan(s, 1, 3);
    EXPECT_EQ(grow.rows, "-1:184:1 1:284:1@1400 0:84:2@600");
    EXPECT_EQ(grow.cols, "-1:468:1");
    const Lists drag = Plan(s, 0, 3);
    EXPECT_EQ(drag.rows, "-1:284:1 1:184:1@1400 0:84:2@600");
    // Larger least sizes lower the slack; smaller ones do not raise it.
    const SIZE mins[3] = {{40, 50}, {10, 10}, {32, 100}};
    EXPECT_EQ(Plan(s, 1, 3, 3, mins).rows, "-1:184:1 1:200:1@1400 0:50:2@600");
}

TEST(SpecialResize, ColumnsFollowTheAnchor)
{
    SymbolBuilder b;
    b.Outline([](COutlineWriter& w) {
        w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048));
        w.Line({700, 0}, {700, 2048});
        w.Line({1400, 0}, {1400, 2048});
    }).TextBoxes({CFltRect(0, 0, 132, 100), CFltRect(700, 0, 932, 200), CFltRect(1400, 0, 1732, 300)});
    b.sym.Reshape = 44;   // "box c3"
    EXPECT_EQ(Plan(b.sym, 1, 3).cols, "-1:100:1 0:200:1@700 1:300:1@1400");
    EXPECT_EQ(Plan(b.sym, 1, 0).cols, "-1:300:1 1:200:1@1400 0:100:1@700");
    EXPECT_EQ(Plan(b.sym, 1, 3).rows, "-1:84:1");
}

TEST(SpecialResize, LanesGiveTheirWholeSize)
{
    SymbolBuilder lanes;
    lanes.Outline([](COutlineWriter& w) {
        w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048));
        w.Line({500, 0}, {500, 2048});
        w.Line({1200, 0}, {1200, 2048});
    });
    lanes.sym.Reshape = GetSpecialKindFromName("[swim lanes 3]");
    EXPECT_EQ(Plan(lanes.sym, 1, 3).cols, "-1:500:1 0:700:1@500 1:848:1@1200");
    EXPECT_EQ(Plan(lanes.sym, 1, 0).cols, "-1:848:1 1:700:1@1200 0:500:1@500");
    EXPECT_EQ(Plan(lanes.sym, 1, 3).rows, "-1:2048:1");
    // In a 2 × 2 partition the column separator is divider 1, after the row
    // separator.
    SymbolBuilder grid;
    grid.Outline([](COutlineWriter& w) {
        w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048));
        w.Line({0, 800}, {2048, 800});
        w.Line({900, 0}, {900, 2048});
    });
    grid.sym.Reshape = 154;
    EXPECT_EQ(Plan(grid.sym, 1, 3).cols, "-1:900:1 1:1148:1@900");
    EXPECT_EQ(Plan(grid.sym, 1, 3).rows, "-1:800:1 0:1248:1@800");
    EXPECT_EQ(Plan(grid.sym, 0, 3).rows, "-1:1248:1 0:800:1@800");
}

TEST(SpecialResize, TabsGiveTheBodyFirst)
{
    // "package": the body right of the tab (1148 wide) gives first, then the
    // rest of the body's slack, up to the tab text's, through the tab corner.
    SymbolBuilder b;
    const CFltPoint frame[7] = {{0, 0}, {900, 0}, {900, 300}, {2048, 300}, {2048, 2048}, {0, 2048}, {0, 0}};
    b.Outline([&](COutlineWriter& w) {
        w.Points(kOpPolyline, frame, 7);
        w.Line({0, 300}, {900, 300});
    }).TextBoxes({CFltRect(0, 0, 532, 116), CFltRect(0, 300, 1832, 1000)});
    b.sym.Reshape = 7;
    const Lists p = Plan(b.sym, 1, 3);
    EXPECT_EQ(p.cols, "-1:1148:1 0:500:2@900");
    EXPECT_EQ(p.rows, "-1:684:1 0:100:2@300");
    // "subsystem": with the anchor at 3 the text-width divider carries only
    // its handle position before the weight-2 tab corner.
    b.sym.Reshape = 55;
    EXPECT_EQ(Plan(b.sym, 1, 3).cols, "-1:1148:1 1:0:0@532 0:500:2@900");
    EXPECT_EQ(Plan(b.sym, 1, 0).cols, "-1:1148:1 0:0:0@900 1:500:2@532");
}

TEST(SpecialResize, ListsHoldAtMost32Entries)
{
    SpecialResizeArgs a;
    EXPECT_EQ(a.m_nRows + a.m_nCols, 0);
    EXPECT_EQ(a.m_nMode, 1);
    EXPECT_EQ(a.m_nAnchor, 3);
    for (int i = 0; i < 40; ++i)
        a.AddRow(i, i, 1);
    EXPECT_EQ(a.m_nRows, 32);
    EXPECT_EQ(a.m_rows[31].m_nDivider, 31);
    CompartmentSet bad;
    bad.m_nRows = 99;
    bad.m_nCols = -4;
    a.CopyFrom(bad);
    EXPECT_EQ(a.m_nRows, 32);
    EXPECT_EQ(a.m_nCols, 0);
}

TEST(SpecialResize, LeastSizeForTheText)
{
    // A 40 × 40 rounded box whose corner handle is 10 units in: 22 × 22.
    CFigSymbol s = TemplateSymbol(22, 1);
    const CRect r(0, 0, 40, 40);
    ASSERT_EQ(s.MoveSpecialHandle(0, r, CPoint(10, 10), 0), 1);
    SIZE corner;
    s.GetLeastCornerSize(r, corner);
    EXPECT_EQ(corner.cx, 22);
    EXPECT_EQ(corner.cy, 22);
    // The text box (37 × 38 here) can give 5 across and 22 down: 35 × 18,
    // raised to the corner's 22 down.
    SIZE least;
    GrowSpecialShapeForText(s, least, r, 0, nullptr);
    EXPECT_EQ(least.cx, 35);
    EXPECT_EQ(least.cy, 22);
    s.Reshape = 1;
    s.GetLeastCornerSize(r, corner);
    EXPECT_EQ(corner.cx + corner.cy, 0);
}

namespace {

// "divider:slack:weight" per entry, without the handle positions.
std::string Entries(const SpecialResizeEntry* list, int n)
{
    std::string s;
    for (int i = 0; i < n; ++i)
        s += (i ? " " : "") + std::to_string(list[i].m_nDivider) + ':' + std::to_string(list[i].m_nSlack) + ':' +
             std::to_string(list[i].m_nWeight);
    return s;
}

// Text boxes of the given sizes, stacked down the symbol; the slack of box i
// is (width - 32, height - 16).
std::vector<CFltRect> BoxesOfSize(std::initializer_list<SIZE> sizes)
{
    std::vector<CFltRect> boxes;
    float top = 0;
    for (const SIZE& s : sizes) {
        boxes.emplace_back(0.0f, top, static_cast<float>(s.cx), top + static_cast<float>(s.cy));
        top += static_cast<float>(s.cy) + 8;
    }
    return boxes;
}

} // namespace

TEST(SpecialResize, KindTableListsItsEntriesInOrder)
{
    // Slack (400, 100), (700, 200), (300, 300), (500, 400).
    const std::vector<CFltRect> a = BoxesOfSize({{432, 116}, {732, 216}, {332, 316}, {532, 416}});
    // Slack (400, 100), (200, 200), (600, 300), (500, 400): the narrow first
    // column lets the side-by-side kinds give more through their split.
    const std::vector<CFltRect> b = BoxesOfSize({{432, 116}, {232, 216}, {632, 316}, {532, 416}});
    // Slack (400, 100), (1500, 200), (400, 300), (1600, 400): bodies wider
    // than the 1408 units right of a package's tab.
    const std::vector<CFltRect> wide = BoxesOfSize({{432, 116}, {1532, 216}, {432, 316}, {1632, 416}});
    // Slack (400, 100), (200, 200), (600, 300), (200, 400): the first column
    // is no narrower than the last, so the split gives nothing.
    const std::vector<CFltRect> tie = BoxesOfSize({{432, 116}, {232, 216}, {632, 316}, {232, 416}});
    // Slack (400, 100), (1500, 200), (1600, 300).
    const std::vector<CFltRect> wideRows = BoxesOfSize({{432, 116}, {1532, 216}, {1632, 316}});
    struct Case {
        int kind, mode, anchor;
        const std::vector<CFltRect>* boxes;
        const char* rows;
        const char* cols;
    };
    const Case cases[] = {
        {21, 0, 3, &a, "-1:100:1", "-1:700:1 0:400:2"},
        {23, 0, 3, &a, "-1:100:1", "-1:400:1 1:700:1"},
        {23, 0, 0, &a, "-1:100:1", "-1:700:1 1:400:1"},
        {24, 1, 3, &a, "-1:200:1 2:300:1 1:100:2", "-1:300:1"},
        {24, 0, 3, &a, "-1:300:1 2:200:1 1:100:2", "-1:300:1"},
        {58, 0, 3, &a, "-1:200:1 1:100:2", "-1:400:1"},
        {52, 1, 3, &a, "-1:100:1 0:0:1 1:200:1", "-1:400:1"},
        {52, 0, 3, &a, "-1:200:1 0:0:1 1:100:1", "-1:400:1"},
        {86, 0, 3, &a, "-1:200:1 0:100:2", "-1:400:1"},
        {90, 1, 3, &a, "-1:200:1 1:300:1 0:100:2", "-1:300:1"},
        {90, 0, 3, &a, "-1:300:1 1:200:1 0:100:2", "-1:300:1"},
        {98, 0, 3, &a, "-1:300:1 0:100:2", "-1:300:1"},
        {98, 0, 3, &b, "-1:300:1 0:100:2", "-1:200:1 1:400:1"},
        {99, 1, 3, &a, "-1:300:1 1:400:1 0:100:2", "-1:300:1"},
        {99, 0, 3, &b, "-1:400:1 1:300:1 0:100:2", "-1:200:1 2:300:1"},
        {99, 0, 3, &tie, "-1:400:1 1:300:1 0:100:2", "-1:200:1"},
        // A fragment: its name tab is 512 wide and ends 256 down, its line
        // is at 1024; the tab text gives last.
        {138, 1, 3, &a, "-1:768:1 1:1024:1 -1:100:2", "-1:1536:1 0:400:2"},
        {138, 0, 3, &a, "-1:1024:1 1:768:1 0:100:2", "-1:1536:1 0:400:2"},
        {134, 1, 3, &a, "-1:200:1 1:100:2", "-1:400:1"},
        {135, 1, 3, &a, "-1:200:1 2:300:1 1:100:2", "-1:300:1"},
        {135, 0, 3, &a, "-1:300:1 2:200:1 1:100:2", "-1:300:1"},
        // Packages: the body right of the tab is 1408 wide, the tab 640.
        {8, 1, 3, &a, "-1:200:1 1:300:1 0:100:2", "-1:300:1"},
        {8, 0, 3, &wideRows, "-1:300:1 1:200:1 0:100:2", "-1:1408:1 0:92:2"},
        {76, 0, 3, &a, "-1:300:1 1:200:1 0:100:2", "-1:300:1 2:0:0"},
        {76, 0, 3, &wideRows, "-1:300:1 1:200:1 0:100:2", "-1:1408:1 2:0:0 0:92:2"},
        {9, 0, 3, &wide, "-1:200:1 0:100:2", "-1:1408:1 0:92:2 0:0:2 1:308:1"},
        {9, 0, 0, &wide, "-1:200:1 0:100:2", "-1:400:1 1:1008:1 0:0:2 1:400:1"},
        {75, 0, 3, &wide, "-1:200:1 0:100:2", "-1:1408:1 0:0:0 2:92:2 0:0:0 2:0:2 1:308:1"},
        {10, 1, 3, &a, "-1:200:1 1:200:1 0:100:2", "-1:300:1 2:500:1"},
        {10, 0, 3, &a, "-1:300:1 1:100:1 0:100:2", "-1:300:1 2:500:1"},
        {72, 0, 3, &a, "-1:1728:1 0:100:2", "-1:1408:1 0:400:2"},
        {78, 0, 3, &a, "-1:1728:1 0:100:2", "-1:1408:1 1:0:0 0:400:2"},
        {78, 0, 0, &a, "-1:1728:1 0:100:2", "-1:1408:1 0:0:0 1:400:2"},
    };
    for (const Case& c : cases) {
        const CFigSymbol s = TemplateSymbol(c.kind, -2, *c.boxes);
        SpecialResizeArgs args;
        args.m_nMode = c.mode;
        args.m_nAnchor = c.anchor;
        ResizeSpecialShape(s, args, kFig, 0, nullptr);
        EXPECT_EQ(Entries(args.m_rows, args.m_nRows), c.rows) << "kind " << c.kind << " mode " << c.mode;
        EXPECT_EQ(Entries(args.m_cols, args.m_nCols), c.cols) << "kind " << c.kind << " anchor " << c.anchor;
    }
}

TEST(SpecialResize, ShapesWithOptionalCompartmentsNeedExactlyOneSecondTableEntry)
{
    for (int kind : {26, 80, 121, 144, 170}) {
        CFigSymbol s = TemplateSymbol(kind, -2, BoxesOfSize({{432, 116}}));
        s.m_nFrames = 0;
        EXPECT_EQ(Plan(s, 1, 3).rows, "") << kind;
        s.m_nFrames = 1;
        s.m_frames[0] = CFltRect(0, 0, 2048, 2048);
        EXPECT_EQ(Plan(s, 1, 3).rows, "-1:100:1") << kind;
        EXPECT_EQ(Plan(s, 1, 3).cols, "-1:400:1") << kind;
        s.m_nFrames = 2;
        s.m_frames[1] = CFltRect(0, 0, 2048, 2048);
        EXPECT_EQ(Plan(s, 1, 3).rows + Plan(s, 1, 3).cols, "") << kind;
    }
}
