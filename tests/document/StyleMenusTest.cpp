#include "DocTestSupport.h"

#include "core/Units.h"
#include "document/CStyleMenu.h"
#include "document/CStyleMenuLayout.h"

#include <gtest/gtest.h>

namespace {

class StyleMenusTest : public DocTest {
protected:
    void SetUp() override
    {
        DocTest::SetUp();
        doc.m_figStyles.RemoveAll();
        doc.m_conStyles.RemoveAll();
    }
    void TearDown() override { ResetStyleMenuMetrics(); }
    int AddFig(const std::string& name, int button, int menu, int label, const std::string& cat = "")
    {
        CFigProps props;
        EXPECT_EQ(doc.m_figStyles.AddFigStyle(&props, name, button, menu, label, "", cat, 100, 50, "", "", nullptr,
                                              0, ""),
                  1);
        return doc.m_figStyles.FindByName(name);
    }
    void AddCon(const std::string& name, int button, int menu, const std::string& cat = "")
    {
        CConProps props;
        ASSERT_EQ(doc.m_conStyles.AddConStyle(&props, name, button, menu, "", cat, 0, "", 0, 0, 0, 0), 1);
    }
    static std::vector<std::string> Names(const CStyleMenuLayout& l)
    {
        return {l.m_names, l.m_names + l.m_nCount};
    }
    static std::vector<std::string> Names(const CStyleSubmenu& s) { return {s.m_names, s.m_names + s.m_nCount}; }
};

using NameList = std::vector<std::string>;

} // namespace

TEST_F(StyleMenusTest, LayoutListOperations)
{
    CStyleMenuLayout a;
    a.PresetFigureButtons();
    EXPECT_TRUE(a.IsDefined());
    EXPECT_EQ(a.BtnHeight, 28);
    EXPECT_TRUE(a.InsertAt(0, 3, "c"));
    EXPECT_TRUE(a.InsertAt(0, 1, "a"));
    EXPECT_FALSE(a.InsertAt(3, 9, "x"));
    EXPECT_FALSE(a.InsertAt(-1, 9, "x"));
    EXPECT_TRUE(a.InsertAt(1, 2, "b"));
    EXPECT_EQ(Names(a), (NameList{"a", "b", "c"}));
    EXPECT_TRUE(a.SwapEntries(1, 3));
    EXPECT_EQ(Names(a), (NameList{"c", "b", "a"}));
    EXPECT_FALSE(a.SwapEntries(1, 7));
    // Equality ignores the names.
    CStyleMenuLayout b = a;
    b.m_names[0] = "other";
    EXPECT_TRUE(a == b);
    b.m_index[0] = 5;
    EXPECT_FALSE(a == b);
    a.AppendName("b");
    EXPECT_TRUE(a.RemoveName("b"));
    EXPECT_EQ(Names(a), (NameList{"c", "a"}));
    CStyleMenuLayout full;
    for (int i = 0; i < CStyleMenuLayout::kMaxEntries; ++i)
        ASSERT_TRUE(full.AppendName("s" + std::to_string(i)));
    EXPECT_FALSE(full.AppendName("one more"));
}

TEST_F(StyleMenusTest, ResolvingDropsMissingNamesOnlyWhenAsked)
{
    AddFig("Box", 1, 1, 0);
    AddFig("Oval", 1, 1, 0);
    CStyleMenuLayout l;
    for (const char* n : {"Oval", "Gone", "Box"})
        l.AppendName(n);
    EXPECT_FALSE(l.ResolveNames(StyleLibRef(doc.m_figStyles), 0));
    EXPECT_EQ(l.m_nCount, 3);
    EXPECT_EQ(l.m_index[1], -1);
    EXPECT_FALSE(l.ResolveNames(StyleLibRef(doc.m_figStyles), 1));
    EXPECT_EQ(Names(l), (NameList{"Oval", "Box"}));
    EXPECT_EQ(l.m_index[0], 1);
    EXPECT_TRUE(l.ResolveNames(StyleLibRef(doc.m_figStyles), 1));
    l.m_index[0] = 17;
    EXPECT_FALSE(l.NamesFromIndexes(StyleLibRef(doc.m_figStyles)));
    EXPECT_EQ(l.m_names[0], "");
}

TEST_F(StyleMenusTest, InitBuildsFromTheLibrariesAndSyncsFlags)
{
    AddFig("Box", 1, 1, 0, "Basic");
    AddFig("Note", 0, 1, 1);
    AddFig("Oval", 1, 0, 0, "Basic");
    AddFig("Star", 0, 1, 0, "Fancy");
    AddCon("Line", 1, 1);
    doc.InitStyleMenus();
    EXPECT_EQ(Names(doc.m_figButtons), (NameList{"Box", "Oval"}));
    EXPECT_EQ(doc.m_figButtons.BtnHeight, 28);
    EXPECT_EQ(doc.m_figButtons.Columns, 2);
    EXPECT_EQ(doc.m_lblButtons.m_nCount, 0);
    EXPECT_EQ(doc.m_lblButtons.BtnHeight, 32);
    EXPECT_EQ(Names(doc.m_conButtons), (NameList{"Line"}));
    ASSERT_EQ(doc.m_figMenu.m_nCount, 2);
    EXPECT_EQ(doc.m_figMenu.m_sub[0].m_strName, "Basic");
    EXPECT_EQ(Names(doc.m_figMenu.m_sub[0]), (NameList{"Box"}));
    EXPECT_EQ(doc.m_figMenu.m_sub[0].Columns, 1);
    EXPECT_EQ(doc.m_figMenu.m_sub[0].ItemWidth, 36);
    EXPECT_EQ(doc.m_figMenu.m_sub[1].m_strName, "Fancy");
    // All uncategorised: one nameless submenu.
    ASSERT_EQ(doc.m_lblMenu.m_nCount, 1);
    EXPECT_EQ(doc.m_lblMenu.m_sub[0].m_strName, "");
    EXPECT_EQ(Names(doc.m_lblMenu.m_sub[0]), (NameList{"Note"}));
    EXPECT_EQ(doc.m_conMenu.m_sub[0].ItemWidth, 49);

    // A loaded layout wins over the flags.
    doc.m_figButtons.Clear();
    doc.m_figButtons.PresetFigureButtons();
    doc.m_figButtons.Columns = 3;
    doc.m_figButtons.AppendName("Star");
    doc.InitStyleMenus();
    EXPECT_EQ(doc.m_figStyles.GetAt(0)->HasButton, 0);
    EXPECT_EQ(doc.m_figStyles.GetAt(3)->HasButton, 1);
    EXPECT_EQ(doc.m_figButtonsRestore.Columns, 3);
}

TEST_F(StyleMenusTest, UpdateFollowsTheFlags)
{
    AddFig("Box", 1, 1, 0, "Basic");
    AddFig("Oval", 1, 1, 0, "Basic");
    doc.InitStyleMenus();
    int changed = -1;
    doc.UpdateStyleMenusAndButtons(&changed);
    EXPECT_EQ(changed, 0);

    doc.m_figStyles.GetAt(0)->HasButton = 0;
    doc.UpdateStyleMenusAndButtons(&changed);
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(Names(doc.m_figButtons), (NameList{"Oval"}));
    doc.m_figStyles.GetAt(0)->HasButton = 1;
    doc.UpdateStyleMenusAndButtons(&changed);
    EXPECT_EQ(Names(doc.m_figButtons), (NameList{"Oval", "Box"}));
    EXPECT_EQ(doc.m_figButtons.m_index[1], 0);

    // Menu changes do not count as changes; a new category makes a submenu.
    doc.m_figStyles.GetAt(1)->Category = "Round";
    doc.m_figStyles.SetChanged();
    doc.UpdateStyleMenusAndButtons(&changed);
    EXPECT_EQ(changed, 0);
    ASSERT_EQ(doc.m_figMenu.m_nCount, 2);
    EXPECT_EQ(doc.m_figMenu.FindStyle("Oval"), doc.m_figMenu.FindSubmenu("Round"));
    EXPECT_EQ(doc.m_figMenu.m_sub[doc.m_figMenu.FindSubmenu("Basic")].m_nCount, 1);

    // A deleted style leaves every layout.
    doc.m_figStyles.Delete(0);
    doc.UpdateStyleMenusAndButtons(&changed);
    EXPECT_EQ(Names(doc.m_figButtons), (NameList{"Oval"}));
    EXPECT_EQ(doc.m_figButtons.m_index[0], 0);
    EXPECT_FALSE(doc.m_figMenu.HasStyle("Box"));
}

TEST_F(StyleMenusTest, SubmenuLimitsAndTheUnnamedSubmenu)
{
    CFigureStyleMenu menu;
    EXPECT_TRUE(menu.AddStyle("a", "", 1));
    ASSERT_EQ(menu.m_nCount, 1);
    EXPECT_EQ(menu.m_sub[0].m_strName, "(no category)");
    menu.m_sub[0].m_strName.clear();   // as a lone "(no category)" shows
    // A named submenu replaces the lone unnamed one, whose styles move on.
    EXPECT_EQ(menu.AddSubmenu("Basic"), 0);
    ASSERT_EQ(menu.m_nCount, 2);
    EXPECT_EQ(menu.m_sub[1].m_strName, "(no category)");
    EXPECT_EQ(menu.FindStyle("a"), 1);
    for (int i = 2; i < CStyleMenu::kMaxSubmenus; ++i)
        ASSERT_TRUE(menu.AddStyle("s" + std::to_string(i), "cat" + std::to_string(i), 1));
    EXPECT_FALSE(menu.AddStyle("late", "seventeenth", 1));
    EXPECT_FALSE(menu.HasStyle("late"));
    // Moving a style out of its submenu.
    menu.m_sub[1].m_index[0] = -1;
    EXPECT_TRUE(menu.AddStyle("a", "Basic", 1));
    EXPECT_EQ(menu.FindStyle("a"), 0);
    EXPECT_EQ(menu.FindSubmenu("(no category)"), -1);

    CFigureStyleMenu large;
    int32_t on = 1;
    large.m_pLargeDropMenus = &on;
    large.AddStyle("x", "c", 0);
    EXPECT_EQ(large.m_sub[0].ItemWidth, 45);
    EXPECT_EQ(large.m_sub[0].ItemHeight, 30);

    DropMenuDesc desc;
    FillDropMenuFromLayout(large, desc);
    ASSERT_EQ(desc.subs.size(), 1u);
    EXPECT_EQ(desc.subs[0].columns, 1);
    EXPECT_EQ(desc.indexes.size(), 1u);
    EXPECT_TRUE(large.MatchesDropMenu(desc));
    desc.margin = 2;
    EXPECT_FALSE(large.MatchesDropMenu(desc));
}

TEST_F(StyleMenusTest, LabelItemsFitTheirText)
{
    SetScreenPixelHeightForTest(768);
    const int big = AddFig("Big", 0, 1, 1);
    const int small = AddFig("Small", 0, 1, 1);
    doc.m_figStyles.GetAt(big)->m_props.m_font.m_lf.lfHeight = -PointsToLogical(72);
    doc.m_figStyles.GetAt(small)->m_props.m_font.m_lf.lfUnderline = 1;
    std::vector<LONG> heights;
    GetStyleMenuMetrics().measureText = [&](const LOGFONT& lf, const std::string& text) {
        heights.push_back(lf.lfHeight);
        return SIZE{LONG(text.size() * 10), 20};
    };
    GetStyleMenuMetrics().mainWindowWidth = 0;
    doc.InitStyleMenus();
    EXPECT_EQ(heights.front(), -PointsToLogical(30));
    const CStyleSubmenu& s = doc.m_lblMenu.m_sub[0];
    const int w = ScreenPixelsToLogical(50) + 6;
    EXPECT_EQ(s.ItemWidth, w + w / 20);
    EXPECT_EQ(s.ItemHeight, ScreenPixelsToLogical(21) + 1);
    GetStyleMenuMetrics().mainWindowWidth = 40;
    doc.m_lblMenu.FitAllToText(StyleLibRef(doc.m_figStyles));
    EXPECT_EQ(s.ItemWidth, 30);
    GetStyleMenuMetrics().measureText = nullptr;
    doc.m_lblMenu.FitAllToText(StyleLibRef(doc.m_figStyles));
    EXPECT_EQ(s.ItemHeight, 2);
    SetScreenPixelHeightForTest(0);
}

// A lone unnamed submenu holding styles is the "(no category)" submenu shown
// without its name: uncategorised styles join it in place, and only a named
// category makes it give way; no two submenus share a name.
TEST_F(StyleMenusTest, TheLoneUnnamedSubmenuIsNoCategory)
{
    struct Case {
        const char* style;
        const char* category;
        int move;
        std::vector<NameList> expected;   // per submenu: name, then styles
    };
    const Case cases[] = {
        {"a", "", 1, {{"", "a", "b"}}},
        {"a", "", 0, {{"", "a", "b"}}},
        {"c", "", 0, {{"", "a", "b", "c"}}},
        {"c", "", 1, {{"", "a", "b", "c"}}},
        {"c", "Flow", 1, {{"Flow", "c"}, {"(no category)", "a", "b"}}},
    };
    for (const Case& c : cases) {
        CFigureStyleMenu menu;
        menu.m_nCount = 1;
        menu.PresetSubmenu(menu.m_sub[0]);
        menu.m_sub[0].AppendName("a");
        menu.m_sub[0].AppendName("b");
        menu.m_sub[0].m_index[0] = 0;
        menu.m_sub[0].m_index[1] = 1;
        EXPECT_TRUE(menu.AddStyle(c.style, c.category, c.move)) << c.style << " " << c.category;
        std::vector<NameList> got;
        for (int i = 0; i < menu.m_nCount; ++i) {
            NameList names{menu.m_sub[i].m_strName};
            for (int k = 0; k < menu.m_sub[i].m_nCount; ++k)
                names.push_back(menu.m_sub[i].m_names[k]);
            got.push_back(names);
        }
        EXPECT_EQ(got, c.expected) << c.style << " " << c.category << " " << c.move;
    }
    CFigureStyleMenu menu;
    menu.m_nCount = 1;
    menu.PresetSubmenu(menu.m_sub[0]);
    menu.m_sub[0].AppendName("a");
    EXPECT_EQ(menu.AddSubmenu("(no category)"), 0);
    ASSERT_EQ(menu.m_nCount, 1);
    EXPECT_EQ(menu.m_sub[0].m_strName, "(no category)");
    EXPECT_EQ(menu.m_sub[0].m_nCount, 1);
}
