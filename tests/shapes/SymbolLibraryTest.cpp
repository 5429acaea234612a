// The figure-symbol library: insertion, numbered copies, merging identical
// copies and purging unused symbols with the renumbering of every index.
#include "FakeLibraryDoc.h"
#include "SymbolTestSupport.h"
#include "shapes/ShapeLibrary.h"
#include "shapes/SymbolLibrary.h"

#include <gtest/gtest.h>

namespace {

CFigSymbol Symbol(const std::string& name, float size = 2048)
{
    SymbolBuilder b;
    b.Outline([size](COutlineWriter& w) { w.Rect(kOpRect, CFltRect(0, 0, size, size)); });
    b.sym.SetName(name);
    return b.sym;
}

std::vector<std::string> Names(const SymbolLibrary& lib)
{
    std::vector<std::string> names;
    for (int i = 0; i < lib.GetCount(); ++i)
        names.push_back(lib.GetAt(i)->m_strName);
    return names;
}

// A library with the built-ins and then the given symbols.
void Fill(SymbolLibrary& lib, const std::vector<CFigSymbol>& symbols)
{
    BuildBuiltInFigSymbols(lib);
    for (const CFigSymbol& s : symbols)
        lib.AddOrReplace(&s);
}

} // namespace

TEST(SymbolLibrary, BuiltInEntries)
{
    SymbolLibrary lib;
    BuildBuiltInFigSymbols(lib);
    ASSERT_EQ(lib.GetCount(), 2);
    EXPECT_EQ(lib.GetAt(0)->m_strName, "null");
    EXPECT_EQ(lib.GetAt(0)->m_nOutlinePos, -1);
    const CFigSymbol* lbl = lib.GetAt(1);
    EXPECT_EQ(lbl->m_strName, "lbl");
    ASSERT_TRUE(lbl->IsProgramValid());
    EXPECT_EQ(lbl->m_program[0], kOpRect);
    EXPECT_EQ(ReadOutlineRect(lbl->m_program.data() + 1), CFltRect(0, 0, 2048, 2048));
    EXPECT_EQ(lbl->m_program[33], kOpEndOutline);
    EXPECT_EQ(lib.Delete(0), 0);
    EXPECT_EQ(lib.Delete(1), 0);
    EXPECT_EQ(lib.Delete(2), 0);
}

TEST(SymbolLibrary, InsertReplacesInPlaceButNeverTheBuiltIns)
{
    SymbolLibrary lib;
    Fill(lib, {Symbol("Box")});
    CFigSymbol bigger = Symbol("Box", 1000);
    EXPECT_EQ(lib.AddOrReplace(&bigger), 2);
    EXPECT_EQ(lib.GetCount(), 3);
    EXPECT_EQ(lib.GetAt(2)->IsSameShape(bigger), 1);
    // A gallery symbol named like a built-in comes in as a copy.
    CFigSymbol lbl = Symbol("lbl", 500);
    EXPECT_EQ(lib.AddOrReplace(&lbl), 3);
    EXPECT_EQ(lib.GetAt(3)->m_strName, "lbl:1");
    EXPECT_EQ(ReadOutlineRect(lib.GetAt(1)->m_program.data() + 1), CFltRect(0, 0, 2048, 2048));
    EXPECT_EQ(lib.AddOrReplace(nullptr), -1);
    lib.FailAppendsForTest(true);
    CFigSymbol other = Symbol("Other");
    EXPECT_EQ(lib.AddOrReplace(&other), -1);
    EXPECT_EQ(lib.GetCount(), 4);
}

TEST(SymbolLibrary, CopiesTakeTheNextFreeNumber)
{
    SymbolLibrary lib;
    Fill(lib, {Symbol("Process"), Symbol("Process:1")});
    CFigSymbol p = Symbol("Process");
    EXPECT_EQ(lib.AddCopyWithNewName(&p), 4);
    EXPECT_EQ(lib.GetAt(4)->m_strName, "Process:2");
    CFigSymbol p1 = Symbol("Process:1");
    EXPECT_EQ(lib.AddCopyWithNewName(&p1), 5);
    EXPECT_EQ(lib.GetAt(5)->m_strName, "Process:3");
    EXPECT_EQ(lib.HighestNumberSuffix(), 3);
    struct Case { const char* in; const char* out; };
    for (const Case& c : {Case{"", "1"}, Case{"12", "13"}, Case{"Fig7", "Fig7:1"}, Case{"a:9", "a:10"},
                          Case{"a:2147483647", "a:2147483647:1"}, Case{"99999999999999999999", "99999999999999999999:1"}})
        EXPECT_EQ(NextColonSeriesName(c.in), c.out) << c.in;
}

TEST(SymbolLibrary, MergeAndPurgeScenarios)
{
    struct Case {
        const char* what;
        std::vector<CFigSymbol> symbols;   // from index 2
        std::vector<FakeFigure> figures;
        std::vector<std::string> namesAfter;
        std::vector<std::pair<int, int>> figureIndexesAfter;   // symbol, icon
    };
    CFigSymbol internal = Symbol("Kept");
    internal.InternalIcon = 1;
    const Case cases[] = {
        {"Box:2 merged into Box:1", {Symbol("Box:1"), Symbol("Box:2"), Symbol("Other")},
         {{3, -1}, {4, -1}}, {"null", "lbl", "Box:1", "Other"}, {{2, -1}, {3, -1}}},
        {"different shapes stay apart", {Symbol("Box:1"), Symbol("Box:2", 10)},
         {{3, -1}}, {"null", "lbl", "Box:2"}, {{2, -1}}},
        {"icon-only use survives and is not remapped", {Symbol("Box:1"), Symbol("Box:2")},
         {{2, 3}}, {"null", "lbl", "Box:1", "Box:2"}, {{2, 3}}},
        {"InternalIcon survives unused", {Symbol("Junk"), internal}, {},
         {"null", "lbl", "Kept"}, {}},
        {"picture figures keep their symbol alive", {Symbol("Junk"), Symbol("Pic")},
         {{3, -1, 1}}, {"null", "lbl", "Pic"}, {{2, -1}}},
        {"odd names do not stop the pass", {Symbol(":5"), Symbol(":6"), Symbol("Box:0"), Symbol("A:1"), Symbol("A:2")},
         {{2, -1}, {3, -1}, {4, -1}, {6, -1}}, {"null", "lbl", ":5", ":6", "Box:0", "A:1"},
         {{2, -1}, {3, -1}, {4, -1}, {5, -1}}},
        {"built-ins always stay", {}, {}, {"null", "lbl"}, {}},
    };
    for (const Case& c : cases) {
        FakeLibraryDoc doc;
        SymbolLibrary symbols;
        ShapeLibrary shapes;
        Fill(symbols, c.symbols);
        doc.figures = c.figures;
        PurgeUnusedLibraryEntries(doc, symbols, shapes);
        EXPECT_EQ(Names(symbols), c.namesAfter) << c.what;
        ASSERT_EQ(doc.figures.size(), c.figureIndexesAfter.size()) << c.what;
        for (size_t i = 0; i < doc.figures.size(); ++i) {
            EXPECT_EQ(doc.figures[i].symbol, c.figureIndexesAfter[i].first) << c.what << " figure " << i;
            EXPECT_EQ(doc.figures[i].icon, c.figureIndexesAfter[i].second) << c.what << " figure " << i;
        }
    }
}

TEST(SymbolLibrary, PurgeShiftsStyleIndexesAndKeepsStyleUses)
{
    FakeLibraryDoc doc;
    SymbolLibrary symbols;
    Fill(symbols, {Symbol("Unused"), Symbol("ByStyle"), Symbol("ByLabelStyle"), Symbol("ByPicture")});
    CFigProps p;
    p.Symbol = 3;
    doc.figStyles.AddFigStyle(&p, "fig", 0, 1, 0, "", "", 10, 10, "", "", nullptr, 0, "");
    p.Symbol = 4;
    doc.figStyles.AddFigStyle(&p, "label", 0, 1, 1, "", "", 10, 10, "", "", nullptr, 0, "");
    p.Symbol = 5;
    p.m_nGraphicType = 1;
    doc.figStyles.AddFigStyle(&p, "picture", 0, 1, 0, "", "", 10, 10, "", "", nullptr, 0, "");
    symbols.PurgeUnused(doc);
    EXPECT_EQ(Names(symbols), (std::vector<std::string>{"null", "lbl", "ByStyle", "ByLabelStyle", "ByPicture"}));
    EXPECT_EQ(doc.figStyles.GetProps(0)->Symbol, 2);
    EXPECT_EQ(doc.figStyles.GetProps(1)->Symbol, 3);
    EXPECT_EQ(doc.figStyles.GetProps(2)->Symbol, 4);
    // Without a figure-style library nothing is purged.
    Fill(symbols, {Symbol("Loose")});
    doc.hasStyleLibraries = false;
    const int count = symbols.GetCount();
    symbols.PurgeUnused(doc);
    EXPECT_EQ(symbols.GetCount(), count);
}
