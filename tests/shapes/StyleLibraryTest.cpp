// The style libraries: categories, adding and removing entries, the index
// rules around removal and the reconciling of a merged file.
#include "shapes/CConStylesLibrary.h"
#include "shapes/CFigStylesLibrary.h"

#include <gtest/gtest.h>

namespace {

int AddFig(CFigStylesLibrary& lib, const std::string& name, const std::string& category = "",
           int label = 0, int width = 256, int height = 172)
{
    CFigProps p;
    return lib.AddFigStyle(&p, name, 0, 1, label, "", category, width, height, "", "", nullptr, 0, "");
}

int AddCon(CConStylesLibrary& lib, const std::string& name, const std::string& category = "")
{
    CConProps p;
    return lib.AddConStyle(&p, name, 1, 1, "", category, 0, "", 1, 0, 0, 90);
}

struct CategoryRow {
    std::string name;
    std::vector<int> indexes;
    bool operator==(const CategoryRow&) const = default;
};

std::vector<CategoryRow> Rows(const StyleCategoryList& list)
{
    std::vector<CategoryRow> rows;
    for (int i = 0; i < list.m_nCount; ++i)
        rows.push_back({list.m_cat[i].m_strName,
                        {list.m_cat[i].m_index, list.m_cat[i].m_index + list.m_cat[i].m_nCount}});
    return rows;
}

} // namespace

TEST(StyleCategories, OrderAndOverflowTable)
{
    struct Case {
        const char* what;
        std::vector<std::string> categories;
        int result;
        std::vector<CategoryRow> rows;
    };
    std::vector<std::string> seventeen;
    std::vector<CategoryRow> sixteen;
    for (int i = 0; i < 17; ++i) {
        seventeen.push_back(std::string("c") + char('a' + i));
        if (i < 16)
            sixteen.push_back({seventeen.back(), {i}});
    }
    std::vector<std::string> fiftyOne(51, "same");
    std::vector<int> firstFifty;
    for (int i = 0; i < 50; ++i)
        firstFifty.push_back(i);
    const Case cases[] = {
        {"byte order, no category last", {"b", "", "A", "a"}, 1,
         {{"A", {2}}, {"a", {3}}, {"b", {0}}, {"(no category)", {1}}}},
        {"indexes in library order", {"x", "y", "x"}, 1, {{"x", {0, 2}}, {"y", {1}}}},
        {"a 17th category ends the build", seventeen, 0, sixteen},
        {"a 51st index ends the build", fiftyOne, 0, {{"same", firstFifty}}},
    };
    for (const Case& c : cases) {
        CConStylesLibrary lib(nullptr);
        for (size_t i = 0; i < c.categories.size(); ++i)
            ASSERT_EQ(AddCon(lib, "s" + std::to_string(i), c.categories[i]), 1);
        StyleCategoryList list;
        EXPECT_EQ(lib.BuildCategories(list, 0), c.result) << c.what;
        EXPECT_EQ(Rows(list), c.rows) << c.what;
        // GetCategories shows what was built even after an early stop.
        EXPECT_EQ(Rows(lib.GetCategories(0)), c.rows) << c.what;
        EXPECT_FALSE(lib.IsChanged());
    }
}

TEST(StyleCategories, FigureLibraryFiltersByKindAndKeepsItsLastBuild)
{
    CFigStylesLibrary lib(nullptr);
    AddFig(lib, "fig", "F");
    AddFig(lib, "label", "L", 1);
    AddFig(lib, "fig2", "");
    EXPECT_EQ(Rows(lib.GetCategories(0)), (std::vector<CategoryRow>{{"F", {0}}, {"(no category)", {2}}}));
    // Not changed since: the other kind is not built until SetChanged.
    EXPECT_EQ(Rows(lib.GetCategories(1)).size(), 2u);
    lib.SetChanged();
    EXPECT_EQ(Rows(lib.GetCategories(1)), (std::vector<CategoryRow>{{"L", {1}}}));
}

TEST(FigStyles, AddRefusesLongNamesAndCutsTheRest)
{
    CFigStylesLibrary lib(nullptr);
    CFigProps p;
    p.BorderWidth = 7;
    auto add = [&](const std::string& name) {
        return lib.AddFigStyle(&p, name, 1, 0, 0, std::string(100, 'd'), std::string(40, 'c'), 30, 20,
                               std::string(600, 't'), std::string(2000, 'i'),
                               std::make_shared<TextBoxInitTexts>(TextBoxInitTexts{"x"}), 1,
                               std::string(700, 'a'));
    };
    EXPECT_EQ(add(std::string(31, 'n')), 0);
    EXPECT_EQ(lib.GetCount(), 0);
    EXPECT_EQ(lib.AddFigStyle(nullptr, "x", 0, 0, 0, "", "", 0, 0, "", "", nullptr, 0, ""), 0);
    ASSERT_EQ(add(std::string(30, 'n')), 1);
    const CFigStyle* s = lib.GetAt(0);
    EXPECT_EQ(s->Description.size(), 80u);
    EXPECT_EQ(s->Category.size(), 30u);
    EXPECT_EQ(s->DefaultText.size(), 512u);
    EXPECT_EQ(s->TextInits.size(), 1024u);
    EXPECT_EQ(s->AutoLabelText.size(), 512u);
    EXPECT_EQ(s->m_props.BorderWidth, 7);
    EXPECT_EQ(s->Width, 30);
    EXPECT_EQ(s->HasButton, 1);
    ASSERT_TRUE(s->m_pTextBoxInits);
    EXPECT_EQ(lib.GetProps(1), nullptr);
    lib.FailAppendsForTest(true);
    EXPECT_EQ(add("ok"), 0);
    EXPECT_EQ(lib.GetCount(), 1);
}

TEST(FigStyles, OrdinalsCountsAndMostCommonSize)
{
    CFigStylesLibrary lib(nullptr);
    int w = -1, h = -1;
    lib.MostCommonSize(w, h);
    EXPECT_EQ(w, 0);
    EXPECT_EQ(h, 0);
    AddFig(lib, "a", "", 0, 100, 50);
    AddFig(lib, "l", "", 1, 5, 5);
    AddFig(lib, "b", "", 0, 80, 40);
    AddFig(lib, "c", "", 0, 80, 40);
    AddFig(lib, "d", "", 0, 100, 50);
    lib.MostCommonSize(w, h);
    EXPECT_EQ(w, 100);   // a tie: the pair met first
    EXPECT_EQ(h, 50);
    EXPECT_EQ(lib.CountLabelStyles(), 1);
    EXPECT_EQ(lib.CountFigStyles(), 4);
    EXPECT_EQ(lib.FindNthFigStyle(1), 2);
    EXPECT_EQ(lib.FindNthLabelStyle(0), 1);
    EXPECT_EQ(lib.FindNthLabelStyle(1), -1);
    EXPECT_EQ(lib.FigOrdinalOf(4), 3);
    EXPECT_EQ(lib.LabelOrdinalOf(0), -1);
    EXPECT_EQ(lib.LabelOrdinalOf(1), 0);
    EXPECT_EQ(lib.FigOrdinalOf(9), -1);

    // Pairs first met when the table holds 20 are not counted.
    CFigStylesLibrary many(nullptr);
    for (int i = 0; i < 20; ++i)
        AddFig(many, "s" + std::to_string(i), "", 0, 10 + i, 10);
    for (int i = 0; i < 3; ++i)
        AddFig(many, "late" + std::to_string(i), "", 0, 99, 99);
    many.MostCommonSize(w, h);
    EXPECT_EQ(w, 10);
}

// Removing entries against the document's objects and pictures is tested
// with a real document (tests/document/LibraryUsersTest.cpp).
TEST(FigStyles, DeleteTable)
{
    struct Case { int index; int result; int countAfter; };
    for (const Case& c : {Case{-1, 0, 3}, Case{3, 0, 3}, Case{1, 1, 2}, Case{0, 1, 2}}) {
        CFigStylesLibrary lib(nullptr);
        AddFig(lib, "a");
        AddFig(lib, "b");
        AddFig(lib, "c");
        lib.GetCategories(0);
        EXPECT_EQ(lib.Delete(c.index), c.result) << c.index;
        EXPECT_EQ(lib.GetCount(), c.countAfter) << c.index;
        EXPECT_EQ(lib.IsChanged(), c.result == 1) << c.index;
    }
}

TEST(StyleLibraries, EndShapeAndSymbolReferences)
{
    CConStylesLibrary cons(nullptr);
    AddCon(cons, "a");
    cons.GetProps(0)->End1 = 21;
    cons.GetProps(0)->End2 = 25;
    EXPECT_TRUE(cons.IsEndShapeUsed(25));
    EXPECT_FALSE(cons.IsEndShapeUsed(22));
    cons.ShiftEndShapeIndexes(22);
    EXPECT_EQ(cons.GetProps(0)->End1, 21);
    EXPECT_EQ(cons.GetProps(0)->End2, 24);

    CFigStylesLibrary figs(nullptr);
    AddFig(figs, "fig");
    AddFig(figs, "label", "", 1);
    AddFig(figs, "picture");
    for (int i = 0; i < 3; ++i)
        figs.GetProps(i)->Symbol = 5;
    figs.GetProps(0)->Icon = 6;
    figs.GetProps(2)->m_nGraphicType = 1;
    figs.RemapSymbolIndex(5, 2);
    EXPECT_EQ(figs.GetProps(0)->Symbol, 2);
    EXPECT_EQ(figs.GetProps(1)->Symbol, 5);   // labels and pictures do not follow a merge
    EXPECT_EQ(figs.GetProps(2)->Symbol, 5);
    EXPECT_TRUE(figs.IsSymbolUsed(6));
    figs.ShiftSymbolIndexes(3);
    EXPECT_EQ(figs.GetProps(0)->Icon, 5);
    EXPECT_EQ(figs.GetProps(1)->Symbol, 4);
}

TEST(StyleLibraries, NewDocumentDefaultLabelStyle)
{
    CFigStylesLibrary lib(nullptr);
    AddNewDocDefaultStyle(lib);
    const CFigStyle* s = lib.GetAt(0);
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->m_props.Behavior, (FigFlagSet{0x251E1, 0}));
    EXPECT_EQ(s->Label, 1);
    EXPECT_EQ(s->m_props.Symbol, 1);
    EXPECT_EQ(s->m_props.TextFormat, 0x44);
    EXPECT_EQ(s->m_strName, "null");
}
