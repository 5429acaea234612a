// Special-shape kinds: the name table, divider counts and directions, the
// per-kind dividers rules, compartment layout, and the consistency between the
// divider count and the handles a template outline gives.
#include "DividedShapeTestSupport.h"
#include "app/ProgramState.h"

#include <gtest/gtest.h>

#include <cctype>
#include <iterator>
#include <string>

namespace {

// Kind, divider count, then per divider: direction, whether it changes the
// outline, whether it is clamped.
struct KindRow {
    int kind;
    int dividers;
    const char* directions;
    const char* changesOutline;
    const char* clamped;
};

const KindRow kKindRows[] = {
    {1, 1, "1", "0", "1"},
    {2, 2, "11", "00", "11"},
    {3, 3, "111", "000", "111"},
    {4, 4, "1111", "0000", "1111"},
    {5, 5, "11111", "00000", "11111"},
    {6, 1, "0", "1", "0"},
    {7, 1, "0", "1", "1"},
    {8, 2, "01", "10", "11"},
    {9, 2, "02", "10", "11"},
    {10, 3, "012", "100", "111"},
    {11, 1, "0", "1", "0"},
    {12, 1, "0", "1", "0"},
    {13, 1, "0", "1", "0"},
    {14, 1, "0", "1", "0"},
    {15, 1, "0", "1", "0"},
    {16, 1, "0", "1", "0"},
    {17, 1, "0", "1", "0"},
    {18, 1, "0", "1", "0"},
    {19, 1, "0", "0", "0"},
    {20, 1, "0", "0", "0"},
    {21, 1, "2", "0", "1"},
    {22, 1, "0", "1", "0"},
    {23, 2, "22", "10", "01"},
    {24, 3, "111", "100", "011"},
    {25, 1, "0", "1", "0"},
    {26, 0, "", "", ""},
    {27, 1, "0", "1", "0"},
    {28, 0, "", "", ""},
    {29, 1, "0", "1", "0"},
    {30, 0, "", "", ""},
    {31, 1, "0", "1", "0"},
    {32, 0, "", "", ""},
    {33, 1, "0", "1", "0"},
    {34, 0, "", "", ""},
    {35, 1, "0", "1", "0"},
    {36, 0, "", "", ""},
    {37, 1, "0", "1", "0"},
    {38, 0, "", "", ""},
    {39, 1, "0", "1", "0"},
    {40, 0, "", "", ""},
    {41, 1, "0", "1", "0"},
    {42, 0, "", "", ""},
    {43, 1, "2", "0", "1"},
    {44, 2, "22", "00", "11"},
    {45, 3, "222", "000", "111"},
    {46, 4, "2222", "0000", "1111"},
    {47, 5, "22222", "00000", "11111"},
    {48, 6, "222222", "000000", "111111"},
    {49, 7, "2222222", "0000000", "1111111"},
    {50, 1, "0", "1", "1"},
    {51, 1, "0", "1", "1"},
    {52, 2, "11", "00", "11"},
    {53, 1, "0", "1", "0"},
    {54, 2, "02", "11", "00"},
    {55, 2, "02", "11", "00"},
    {56, 2, "02", "11", "00"},
    {57, 2, "02", "11", "00"},
    {58, 2, "01", "10", "01"},
    {59, 1, "0", "1", "0"},
    {60, 1, "1", "0", "0"},
    {61, 1, "2", "1", "0"},
    {62, 1, "2", "1", "0"},
    {63, 1, "0", "1", "1"},
    {64, 1, "0", "1", "1"},
    {65, 1, "2", "0", "1"},
    {66, 2, "22", "00", "11"},
    {67, 3, "222", "000", "111"},
    {68, 4, "2222", "0000", "1111"},
    {69, 5, "22222", "00000", "11111"},
    {70, 6, "222222", "000000", "111111"},
    {71, 7, "2222222", "0000000", "1111111"},
    {72, 1, "0", "1", "1"},
    {73, 1, "1", "0", "1"},
    {74, 2, "01", "10", "01"},
    {75, 3, "022", "100", "110"},
    {76, 3, "012", "100", "110"},
    {77, 4, "0122", "1000", "1101"},
    {78, 2, "02", "11", "11"},
    {79, 2, "02", "11", "11"},
    {80, 0, "", "", ""},
    {81, 0, "", "", ""},
    {82, 0, "", "", ""},
    {83, 0, "", "", ""},
    {84, 1, "2", "1", "0"},
    {85, 2, "01", "10", "01"},
    {86, 2, "12", "00", "10"},
    {87, 2, "12", "00", "10"},
    {88, 2, "12", "00", "10"},
    {89, 2, "12", "00", "10"},
    {90, 3, "112", "000", "110"},
    {91, 3, "112", "000", "110"},
    {92, 3, "112", "000", "110"},
    {93, 3, "112", "000", "110"},
    {94, 2, "12", "00", "10"},
    {95, 2, "12", "00", "10"},
    {96, 2, "12", "00", "10"},
    {97, 2, "12", "00", "10"},
    {98, 2, "12", "00", "10"},
    {99, 3, "112", "000", "110"},
    {100, 2, "12", "00", "10"},
    {101, 1, "2", "1", "0"},
    {102, 1, "2", "1", "0"},
    {103, 1, "2", "1", "0"},
    {104, 1, "2", "1", "0"},
    {105, 1, "1", "0", "1"},
    {106, 0, "", "", ""},
    {107, 0, "", "", ""},
    {108, 0, "", "", ""},
    {109, 0, "", "", ""},
    {110, 0, "", "", ""},
    {111, 0, "", "", ""},
    {112, 0, "", "", ""},
    {113, 0, "", "", ""},
    {114, 0, "", "", ""},
    {115, 0, "", "", ""},
    {116, 0, "", "", ""},
    {117, 0, "", "", ""},
    {118, 0, "", "", ""},
    {119, 2, "12", "00", "10"},
    {120, 2, "12", "00", "10"},
    {121, 0, "", "", ""},
    {122, 2, "12", "00", "00"},
    {123, 2, "12", "00", "10"},
    {124, 1, "0", "0", "0"},
    {125, 1, "2", "1", "0"},
    {126, 2, "12", "00", "10"},
    {127, 2, "12", "00", "10"},
    {128, 2, "12", "00", "10"},
    {129, 2, "12", "00", "10"},
    {130, 2, "12", "00", "10"},
    {131, 1, "0", "1", "0"},
    {132, 1, "0", "1", "0"},
    {133, 1, "0", "1", "0"},
    {134, 2, "21", "00", "01"},
    {135, 3, "211", "000", "011"},
    {136, 1, "2", "0", "0"},
    {137, 1, "2", "0", "0"},
    {138, 2, "22", "00", "01"},
    {139, 3, "222", "000", "011"},
    {140, 4, "2222", "0000", "0111"},
    {141, 2, "22", "10", "01"},
    {142, 3, "222", "100", "011"},
    {143, 4, "2222", "1000", "0111"},
    {144, 1, "0", "1", "0"},
    {145, 1, "0", "1", "0"},
    {146, 1, "0", "1", "0"},
    {147, 1, "1", "0", "1"},
    {148, 2, "11", "00", "11"},
    {149, 3, "111", "000", "111"},
    {150, 4, "1111", "0000", "1111"},
    {151, 5, "11111", "00000", "11111"},
    {152, 6, "111111", "000000", "111111"},
    {153, 7, "1111111", "0000000", "1111111"},
    {154, 2, "12", "00", "11"},
    {155, 3, "122", "000", "111"},
    {156, 3, "112", "000", "111"},
    {157, 4, "1122", "0000", "1111"},
    {158, 4, "1112", "0000", "1111"},
    {159, 4, "1222", "0000", "1111"},
    {160, 5, "11122", "00000", "11111"},
    {161, 5, "11222", "00000", "11111"},
    {162, 6, "111222", "000000", "111111"},
    {163, 0, "", "", ""},
    {164, 0, "", "", ""},
    {165, 0, "", "", ""},
    {166, 0, "", "", ""},
    {167, 0, "", "", ""},
    {168, 0, "", "", ""},
    {169, 0, "", "", ""},
    {170, 0, "", "", ""},
    {171, 0, "", "", ""},
    {172, 0, "", "", ""},
    {173, 0, "", "", ""},
    {174, 0, "", "", ""},
};

} // namespace

TEST(SpecialKinds, NamesMatchWholeAndCaseSensitive)
{
    const struct { const char* name; int kind; } cases[] = {
        {"box r2", 1}, {"Box r2", 0}, {"box r2 ", 0}, {"box r", 0}, {"", 0},
        {"class/object r2", 1}, {"note", 6}, {"dog ear", 6}, {"state", 22}, {"[state]", 25},
        {"[swim lanes 3]", 66}, {"[partition 1x3]", 66}, {"[swim lanes 8]", 71},
        {"[partition 3x1]", 148}, {"[partition 8x1]", 153}, {"[partition 4x4]", 162},
        {"[partition 4x3]", 160}, {"[partition 1x1]", 0}, {"action", 144}, {"action dc", 132},
        {"activity", 101}, {"[activity]", 103}, {"arc sides", 102}, {"condition notxt", 164},
        {"condition", 163}, {"control", 174}, {"[artifact r2]", 122}, {"usecase r2", 60},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GetSpecialKindFromName(c.name), c.kind) << c.name;
}

TEST(SpecialKinds, EveryKindHasItsDividerRules)
{
    ASSERT_EQ(std::size(kKindRows), 174u);
    for (const KindRow& row : kKindRows) {
        SCOPED_TRACE(row.kind);
        ASSERT_EQ(SpecialDividerCount(row.kind), row.dividers);
        for (int i = 0; i < row.dividers; ++i) {
            EXPECT_EQ(SpecialDividerDirection(row.kind, i), row.directions[i] - '0') << i;
            EXPECT_EQ(SpecialDividerChangesOutline(row.kind, i), row.changesOutline[i] - '0') << i;
            EXPECT_EQ(SpecialDividerClamped(row.kind, i), row.clamped[i] - '0') << i;
        }
    }
    EXPECT_EQ(SpecialDividerCount(0), 0);
    EXPECT_EQ(SpecialDividerCount(175), 0);
}

TEST(SpecialKinds, GridSeparatorsMoveAcrossTheirLanes)
{
    // One-row grids (swim lanes) only have column separators, one-column
    // grids only row separators.
    const struct { const char* name; int rows, cols; const char* dirs; } cases[] = {
        {"[swim lanes 3]", 1, 3, "22"},
        {"[partition 3x1]", 3, 1, "11"},
        {"[partition 4x4]", 4, 4, "111222"},
        {"[partition 2x3]", 2, 3, "122"},
    };
    for (const auto& c : cases) {
        const int kind = GetSpecialKindFromName(c.name);
        int rows, cols;
        GetPartitionGrid(kind, rows, cols);
        EXPECT_EQ(rows, c.rows) << c.name;
        EXPECT_EQ(cols, c.cols) << c.name;
        EXPECT_TRUE(IsGridKind(kind));
        ASSERT_EQ(SpecialDividerCount(kind), static_cast<int>(strlen(c.dirs))) << c.name;
        for (int i = 0; c.dirs[i]; ++i)
            EXPECT_EQ(SpecialDividerDirection(kind, i), c.dirs[i] - '0') << c.name << i;
    }
    int rows, cols;
    GetPartitionGrid(60, rows, cols);
    EXPECT_EQ(rows + cols, 0);
}

TEST(SpecialKinds, SectionRulesAndTheirOthersColumn)
{
    const struct { int kind, section, rule; } cases[] = {
        {13, 7, 3}, {16, 0, 7}, {1, 0, 2}, {1, 1, 0}, {24, 1, 2}, {54, 1, 6}, {75, 2, 1},
        {77, 3, 1}, {77, 4, 0}, {90, 2, 3}, {138, 0, 1}, {146, 0, 1}, {147, 0, 0}, {0, 0, 0},
        {21, 31, 4}, {50, 0, 8}, {64, 0, 4}, {136, 1, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SpecialSectionResizeRule(c.kind, c.section), c.rule) << c.kind << "/" << c.section;
}

TEST(SpecialKinds, EveryDividerOfATemplateOutlineHasAHandle)
{
    for (int kind = 1; kind <= 174; ++kind) {
        SCOPED_TRACE(kind);
        const CFigSymbol s = TemplateSymbol(kind);
        const int n = s.GetDividerCount();
        CPoint pt;
        for (int i = 0; i < n; ++i)
            EXPECT_TRUE(s.GetDividerHandle(i, pt, UnitRect())) << i;
        EXPECT_FALSE(s.GetDividerHandle(n, pt, UnitRect()));
        EXPECT_FALSE(s.GetDividerHandle(-1, pt, UnitRect()));
    }
}

TEST(SpecialKinds, HooksGiveKindsToSymbolsAndCheckKind101)
{
    CFigSymbol round = TemplateSymbol(101);
    round.SetName("round sides");
    round.ComputeReshapeKind();
    EXPECT_EQ(round.Reshape, 101);
    // The same name over an outline that is not a 69-point frame is ordinary.
    SymbolBuilder b;
    b.Outline([](COutlineWriter& w) { w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048)); });
    b.sym.SetName("activity");
    b.sym.ComputeReshapeKind();
    EXPECT_EQ(b.sym.Reshape, 0);
    b.sym.SetName("box r2");
    b.sym.ComputeReshapeKind();
    EXPECT_EQ(b.sym.Reshape, 1);
}

TEST(SpecialKinds, CompartmentLayoutFollowsKindSwitchAndAltKey)
{
    bool alt = false;
    SetAltKeyQuery([&alt] { return alt; });
    const struct { int kind; int frames; int uses; } cases[] = {
        {1, 0, 1}, {0, 0, 0}, {0, 1, 1}, {61, 0, 0}, {66, 0, 0}, {150, 0, 0}, {60, 0, 0},
        {62, 0, 0}, {84, 0, 0}, {125, 0, 0}, {132, 0, 0}, {133, 0, 0}, {145, 0, 0}, {144, 0, 1},
        {22, 0, 1},
    };
    for (const auto& c : cases) {
        CFigSymbol s;
        s.Reshape = c.kind;
        s.m_nFrames = c.frames;
        EXPECT_EQ(s.UsesSpecialLayout(), c.uses) << c.kind;
        alt = true;
        EXPECT_EQ(s.UsesSpecialLayout(), 0) << c.kind;
        alt = false;
    }
    CFigSymbol box;
    box.Reshape = 1;
    SetSpecialLayoutDisabled(true);
    EXPECT_EQ(box.UsesSpecialLayout(), 0);
    EXPECT_EQ(box.KeepsAnchoring(), 1);
    ResetProgramState();
    EXPECT_FALSE(IsSpecialLayoutDisabled());
    SetAltKeyQuery([] { return false; });
    EXPECT_EQ(box.UsesSpecialLayout(), 1);
    EXPECT_EQ(box.KeepsAnchoring(), 0);
    box.Reshape = 59;
    EXPECT_EQ(box.KeepsAnchoring(), 1);
}

TEST(SpecialKinds, OnlyTheListedKindsKeepTheirAnchoring)
{
    // With the compartment layout on, a symbol keeps its anchoring only for
    // the frames that do not lay out their text: "dog ear", "double
    // rectangle", "bevel", "subsystem2", "model2", "node" and "[node]".
    SetAltKeyQuery([] { return false; });
    for (int kind = 1; kind <= 162; ++kind) {
        CFigSymbol s;
        s.Reshape = kind;
        if (!s.UsesSpecialLayout())
            continue;
        const bool keeps = kind == 6 || kind == 19 || kind == 20 || kind == 54 || kind == 56 || kind == 59 ||
                           kind == 131;
        EXPECT_EQ(s.KeepsAnchoring(), keeps ? 1 : 0) << kind;
    }
}

TEST(SpecialKinds, CompartmentTextExcludesTheShapesWithoutIt)
{
    const struct { int kind; int compartments, text; } cases[] = {
        {1, 1, 1}, {60, 1, 0}, {62, 1, 0}, {101, 1, 0}, {103, 1, 1}, {104, 1, 0}, {145, 1, 0},
        {0, 0, 0}, {80, 0, 0}, {163, 0, 0},
    };
    for (const auto& c : cases) {
        CFigSymbol s;
        s.Reshape = c.kind;
        EXPECT_EQ(s.HasCompartments(), c.compartments) << c.kind;
        EXPECT_EQ(s.HasCompartmentText(), c.text) << c.kind;
    }
}

TEST(SpecialKinds, ArrowsMaskTheMarginsTheirHeadsTake)
{
    const struct { int kind, box; int l, r, t, b; } cases[] = {
        {11, 0, 0, 0, 1, 1}, {12, 0, 0, 1, 1, 1}, {14, 0, 1, 0, 1, 1}, {16, 0, 1, 1, 1, 0},
        {17, 0, 1, 1, 0, 1}, {21, 0, 1, 1, 1, 1}, {21, 1, 1, 0, 1, 1}, {1, 0, 1, 1, 1, 1},
    };
    for (const auto& c : cases) {
        CFigSymbol s;
        s.Reshape = c.kind;
        int l = 1, r = 1, t = 1, b = 1;
        s.MaskTextMargins(c.box, l, r, t, b);
        EXPECT_EQ(l * 1000 + r * 100 + t * 10 + b, c.l * 1000 + c.r * 100 + c.t * 10 + c.b) << c.kind;
    }
    // A second table with as many boxes as the first keeps every margin.
    CFigSymbol s;
    s.Reshape = 11;
    s.m_nTextBoxes = s.m_nFrames = 1;
    int l = 1, r = 1, t = 1, b = 1;
    s.MaskTextMargins(0, l, r, t, b);
    EXPECT_EQ(l + r + t + b, 4);
}

TEST(SpecialKinds, DividerForSectionTurnsOrRescalesTheShift)
{
    // "qfr below": divider 0 is the first point of its line.
    SymbolBuilder b;
    const CFltPoint frame[9] = {{0, 0}, {2048, 0}, {2048, 1024}, {1536, 1024}, {1536, 2048},
                                {512, 2048}, {512, 1024}, {0, 1024}, {0, 0}};
    b.Outline([&](COutlineWriter& w) {
        w.Points(kOpPolyline, frame, 9);
        w.Line({512, 1024}, {1536, 1024});
    });
    b.sym.Reshape = 50;
    const CRect rect(0, 0, 200, 100);   // divider 0 at x 50, centre 100
    const struct { int section; LONG dx; int divider; LONG outDx; int rescaled; } cases[] = {
        {1, 30, 0, -30, 0},
        {0, 50, 0, 10, 1},    // (1 - 200 / 250) × (100 - 50) + 0.5 = 10.5
        {0, -100, 0, -49, 1}, // (1 - 200 / 100) × 50 + 0.5 = -49.5, toward zero
        {0, -200, 0, -200, 0},// W + dx = 0: left as it is
        {2, 30, -1, 0, 0},
    };
    for (const auto& c : cases) {
        POINT shift{c.dx, 7};
        int rescaled = -1;
        EXPECT_EQ(b.sym.GetDividerForSection(c.section, shift, rect, rescaled), c.divider) << c.section;
        EXPECT_EQ(shift.x, c.outDx) << c.section << " " << c.dx;
        EXPECT_EQ(shift.y, 7);
        EXPECT_EQ(rescaled, c.rescaled);
    }
    CFigSymbol rows;
    rows.Reshape = 4;
    POINT shift{5, 6};
    int rescaled;
    EXPECT_EQ(rows.GetDividerForSection(3, shift, rect, rescaled), 3);
    EXPECT_EQ(shift.x, 0);
    EXPECT_EQ(rows.GetDividerForSection(4, shift, rect, rescaled), -1);
    rows.Reshape = 8;
    shift = {5, 6};
    EXPECT_EQ(rows.GetDividerForSection(0, shift, rect, rescaled), 0);
    EXPECT_EQ(shift.x, 5);
    EXPECT_EQ(rows.GetDividerForSection(1, shift, rect, rescaled), 1);
    EXPECT_EQ(shift.x, 0);
}

TEST(SpecialKinds, TextBoxesGrowWhileTheirDividerLeavesRoom)
{
    // A package whose tab corner (frame vertex 2) sits at a chosen x.
    auto package = [](float cornerX) {
        SymbolBuilder b;
        const CFltPoint frame[7] = {{0, 0}, {cornerX, 0}, {cornerX, 256}, {2048, 256},
                                    {2048, 2048}, {0, 2048}, {0, 0}};
        b.Outline([&](COutlineWriter& w) {
            w.Points(kOpPolyline, frame, 7);
            w.Line({0, 256}, {cornerX, 256});
        });
        b.sym.Reshape = 7;
        return b.sym;
    };
    const CRect r = UnitRect();
    EXPECT_EQ(package(1000).CanGrowTextBox(0, r, 1), 1);
    EXPECT_EQ(package(1000).CanGrowTextBox(1, r, 1), 0);
    EXPECT_EQ(package(2048).CanGrowTextBox(0, r, 1), 0);   // not left of right - 1
    EXPECT_EQ(package(2047).CanGrowTextBox(0, r, 1), 1);
    EXPECT_EQ(package(1000).CanGrowTextBox(0, r, 0), 0);
    // Fragments: the name tab grows down while it is above the first operand line.
    CFigSymbol frag = TemplateSymbol(139);
    EXPECT_EQ(frag.CanGrowTextBox(0, r, 0), 1);
    EXPECT_EQ(frag.CanGrowTextBox(1, r, 0), 0);
}


// Each of the 168 names gives its kind, by itself and to a symbol named so;
// the same name in another case, or with a space after it, is ordinary.
TEST(SpecialKinds, EveryNameGivesItsKind)
{
    ASSERT_EQ(std::size(kSpecialNames), 168u);
    for (const SpecialName& n : kSpecialNames) {
        EXPECT_EQ(GetSpecialKindFromName(n.name), n.kind) << n.name;
        std::string upper = n.name;
        for (char& c : upper)
            c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        EXPECT_EQ(GetSpecialKindFromName(upper), 0) << upper;
        EXPECT_EQ(GetSpecialKindFromName(std::string(n.name) + " "), 0) << n.name;
        if (n.kind == 101)
            continue;   // kept only for an outline with a divider handle
        CFigSymbol s;
        s.SetName(n.name);
        s.ComputeReshapeKind();
        EXPECT_EQ(s.Reshape, n.kind) << n.name;
    }
}

// The four "qfr" kinds: which section turns the shift round and which has it
// rescaled, across (50, 51) or up and down (63, 64).
TEST(SpecialKinds, QfrKindsTurnOneSectionAndRescaleTheOther)
{
    const struct {
        int kind;
        int turned, rescaledSection;
        bool horizontal;
    } cases[] = {{50, 1, 0, true}, {51, 0, 1, true}, {63, 1, 0, false}, {64, 0, 1, false}};
    const CRect rect(0, 0, 200, 100);
    for (const auto& c : cases) {
        const CFigSymbol s = TemplateSymbol(c.kind);
        POINT shift{30, 20};
        int rescaled = -1;
        EXPECT_EQ(s.GetDividerForSection(c.turned, shift, rect, rescaled), 0) << c.kind;
        EXPECT_EQ(rescaled, 0) << c.kind;
        EXPECT_EQ(shift.x, c.horizontal ? -30 : 30) << c.kind;
        EXPECT_EQ(shift.y, c.horizontal ? 20 : -20) << c.kind;
        shift = {30, 20};
        EXPECT_EQ(s.GetDividerForSection(c.rescaledSection, shift, rect, rescaled), 0) << c.kind;
        EXPECT_EQ(rescaled, 1) << c.kind;
        EXPECT_EQ(c.horizontal ? shift.y : shift.x, c.horizontal ? 20 : 30) << c.kind;
    }
}
