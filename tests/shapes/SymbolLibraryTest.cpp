// The figure-symbol library: insertion, numbered copies, merging identical
// copies and purging unused symbols with the renumbering of every index.
#include "NoLibrariesDoc.h"
#include "SymbolTestSupport.h"
#include "shapes/ShapeLibrary.h"
#include "shapes/SymbolLibrary.h"

#include <gtest/gtest.h>

namespace {

CFigSymbol Symbol(const std::string& name, float size = 2048)
{
    return SquareSymbol(name, size);
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

// Merging and purging against a document's figures and styles is tested with
// a real document (tests/document/LibraryUsersTest.cpp).
TEST(SymbolLibrary, WithoutStyleLibrariesNothingIsPurged)
{
    NoLibrariesDoc doc;
    SymbolLibrary symbols;
    Fill(symbols, {Symbol("Loose")});
    const int count = symbols.GetCount();
    symbols.PurgeUnused(doc);
    EXPECT_EQ(symbols.GetCount(), count);
}
