// What the style pickers decide without drawing: the palette's categories
// and the style each command stands for, the default style each kind shows,
// and when a palette must be rebuilt.
#include "common/StyleDocFixture.h"
#include "controls/StylePickCategories.h"
#include "controls/StylePickKinds.h"
#include "document/CStyleMenu.h"

#include <gtest/gtest.h>

namespace {

DropMenuDesc Desc(std::initializer_list<std::pair<const char*, int>> subs, int firstValue = 100)
{
    DropMenuDesc d;
    int value = firstValue;
    for (const auto& [name, count] : subs) {
        DropMenuDesc::Sub s;
        s.name = name;
        s.count = count;
        s.itemWidth = 40;
        s.itemHeight = 30;
        d.subs.push_back(s);
        for (int k = 0; k < count; ++k)
            d.indexes.push_back(uint16_t(value++));
    }
    return d;
}

} // namespace

TEST(StylePickCategories, CommandsMapToTheStylesOfTheirCategory)
{
    CPaletteItemList cats;
    FillStyleCategories(Desc({{"Flow", 3}, {"Network", 2}, {"Empty", 0}}), cats);
    const struct {
        int command, value;
    } cases[] = {
        {33400, 100}, {33402, 102}, {33403, -1},   // first category and past its end
        {33451, 103}, {33452, 104}, {33453, -1},   // the second one starts at 33400 + 51
        {33502, -1},                               // an empty category
        {33553, -1},                               // a category that is not there
        {33200, -1}, {33201, -1}, {33216, -1},     // the "..." entries
        {33399, -1}, {0, -1},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CategoryValueOfCommand(cats, UINT(c.command)), c.value) << c.command;
    EXPECT_EQ(CategoryCommand(1, 1), 33452u);
    EXPECT_TRUE(ShowsCategories(cats));
    FillStyleCategories(Desc({{"", 2}}), cats);
    EXPECT_FALSE(ShowsCategories(cats));
}

// More than the menus can hold (a layout made in memory): 16 categories of
// at most 51 styles each, every kept style reachable by its own command.
TEST(StylePickCategories, AnOversizedLayoutIsCutToWhatTheCommandsReach)
{
    DropMenuDesc big;
    for (int c = 0; c < 20; ++c) {
        DropMenuDesc::Sub s;
        s.name = "Cat " + std::to_string(c);
        s.count = 60;
        big.subs.push_back(s);
        for (int k = 0; k < 60; ++k)
            big.indexes.push_back(uint16_t(c * 60 + k));
    }
    CPaletteItemList cats;
    FillStyleCategories(big, cats);
    ASSERT_EQ(cats.CategoryCount(), 16);
    EXPECT_EQ(cats.Count(), 16 * 51);
    EXPECT_EQ(CategoryValueOfCommand(cats, CategoryCommand(15, 50)), 15 * 60 + 50);
    EXPECT_EQ(CategoryValueOfCommand(cats, CategoryCommand(3, 0)), 3 * 60);
    // A description claiming more styles than it lists keeps those it lists.
    DropMenuDesc short_ = Desc({{"A", 2}});
    short_.subs[0].count = 9;
    FillStyleCategories(short_, cats);
    EXPECT_EQ(cats.Category(0).count, 2);
    EXPECT_EQ(CategoryValueOfCommand(cats, 33402), -1);
}

TEST(StylePickCategories, ColumnsOfACategory)
{
    const auto cat = [](int count, int columns) {
        PaletteCategory c;
        c.count = count;
        c.columns = columns;
        return c;
    };
    EXPECT_EQ(CategoryColumns(cat(3, 0), 5), 3);   // at most 4: one row
    EXPECT_EQ(CategoryColumns(cat(4, 0), 5), 4);
    EXPECT_EQ(CategoryColumns(cat(5, 0), 3), 3);   // more than 4: the default
    EXPECT_EQ(CategoryColumns(cat(9, 0), 5), 5);   // the default
    EXPECT_EQ(CategoryColumns(cat(9, 0), 0), 0);   // automatic
    EXPECT_EQ(CategoryColumns(cat(9, 2), 5), 2);   // its own
}

TEST(StylePickKinds, TheDefaultStyleOfEachKind)
{
    StyleDocFixture fx;
    CKavoDoc& doc = fx.doc;
    EXPECT_EQ(SelectDefaultStyle(nullptr, StylePickKind::Figure), -1);
    EXPECT_EQ(SelectDefaultStyle(&doc, StylePickKind::Label), fx.Fig("Label"));
    EXPECT_EQ(SelectDefaultStyle(&doc, StylePickKind::Figure), fx.Fig("Router"));
    EXPECT_EQ(SelectDefaultStyle(&doc, StylePickKind::Connector), fx.Con("Ethernet"));
    // The current style comes first.
    doc.SetCurFigStyle(fx.Fig("Decision"));
    EXPECT_EQ(SelectDefaultStyle(&doc, StylePickKind::Figure), fx.Fig("Decision"));
    doc.SetCurFigStyle(-1);
    // Without the first name the next one, then the first style of the kind.
    doc.m_figStyles.GetAt(fx.Fig("Router"))->SetName("Gateway");
    EXPECT_EQ(SelectDefaultStyle(&doc, StylePickKind::Figure), fx.Fig("Process"));
    doc.m_figStyles.GetAt(fx.Fig("Process"))->SetName("Step");
    EXPECT_EQ(SelectDefaultStyle(&doc, StylePickKind::Figure), fx.Fig("Gateway"));
    doc.m_figStyles.GetAt(fx.Fig("Label"))->SetName("Caption");
    EXPECT_EQ(SelectDefaultStyle(&doc, StylePickKind::Label), fx.Fig("null"));
    doc.m_conStyles.GetAt(fx.Con("Ethernet"))->SetName("Cable");
    EXPECT_EQ(SelectDefaultStyle(&doc, StylePickKind::Connector), fx.Con("Solid Arrow"));
    // A label style of a figure's name does not count for figures, and the
    // other way round.
    fx.AddLabel("Router", "");
    EXPECT_EQ(SelectDefaultStyle(&doc, StylePickKind::Figure), fx.Fig("Gateway"));
    fx.AddFig("Label", "", "", 0);
    EXPECT_EQ(SelectDefaultStyle(&doc, StylePickKind::Label), fx.Fig("null"));
}

TEST(StylePickKinds, NoStylesOfTheKindGiveNone)
{
    CKavoDoc doc;
    doc.OnNewDocument();
    EXPECT_EQ(SelectDefaultStyle(&doc, StylePickKind::Figure), -1);
    EXPECT_EQ(SelectDefaultStyle(&doc, StylePickKind::Connector), doc.m_conStyles.GetCount() ? 0 : -1);
    doc.m_figStyles.RemoveAll();
    EXPECT_EQ(SelectDefaultStyle(&doc, StylePickKind::Label), -1);
}

TEST(StylePickKinds, WhenAPaletteIsRebuilt)
{
    const struct {
        PickerRefreshCheck check;
        bool refresh;
    } cases[] = {
        {{}, false},
        {{true, false, false, false}, true},
        {{false, true, false, false}, true},
        {{false, false, false, true}, false},   // a picker of its own document
        {{false, false, true, true}, true},     // the bar and toolbar follow the active one
        {{false, false, true, false}, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PickerNeedsRefresh(c.check), c.refresh);
}

TEST(StylePickKinds, TheKindsCategoriesComeFromItsLayoutBuiltOnDemand)
{
    StyleDocFixture fx;
    fx.doc.m_conMenu.Clear();
    ASSERT_FALSE(fx.doc.m_conMenu.HasItems());
    DropMenuDesc desc;
    FillKindCategories(fx.doc, StylePickKind::Connector, desc);
    EXPECT_TRUE(fx.doc.m_conMenu.HasItems());
    CPaletteItemList cats;
    FillStyleCategories(desc, cats);
    EXPECT_EQ(cats.Count(), 2);
    EXPECT_EQ(StyleCommandBase(StylePickKind::Connector), 37100);
    EXPECT_EQ(StyleCommandBase(StylePickKind::Label), 37600);
    EXPECT_EQ(StyleCommandBase(StylePickKind::Figure), 36600);
}

#include "controls/StyleChoiceSeams.h"
#include "controls/StylePickerCore.h"
#include "core/CSerialStamp.h"

TEST(StylePickerCore, RefreshesOnANewerStampAChangedLayoutOrAnotherActiveDocument)
{
    StyleDocFixture one, two;
    CStylePickerCore bar(StylePickKind::Figure, true), own(StylePickKind::Figure, false);
    EXPECT_TRUE(bar.PrepareDrop(&one.doc));   // takes up the active document
    EXPECT_EQ(bar.GetDocument(), &one.doc);
    EXPECT_FALSE(bar.PrepareDrop(&one.doc));
    own.SetDocument(&one.doc);
    EXPECT_FALSE(own.PrepareDrop(&two.doc));  // keeps its own
    EXPECT_EQ(own.GetDocument(), &one.doc);
    const int before = bar.Categories().Count();
    // A style added to the menu changes the layout: both rebuild.
    one.AddFig("Server", "Network", "", 0);
    one.doc.UpdateStyleMenusAndButtons(nullptr);
    EXPECT_TRUE(bar.PrepareDrop(&one.doc));
    EXPECT_TRUE(own.PrepareDrop(&two.doc));
    EXPECT_EQ(bar.Categories().Count(), before + 1);
    // A newer stamp alone does too.
    KindStamp(one.doc, StylePickKind::Figure).AssignNext();
    EXPECT_TRUE(own.PrepareDrop(nullptr));
    EXPECT_FALSE(own.PrepareDrop(nullptr));
    // Switching the active document lists the other one's styles.
    two.AddFig("Only in two", "Other", "", 0);
    two.doc.UpdateStyleMenusAndButtons(nullptr);
    EXPECT_TRUE(bar.PrepareDrop(&two.doc));
    EXPECT_TRUE(HasCategoryNamed(bar.Categories(), "Other"));
    // Without any document a figure picker shows nothing.
    bar.SetCurrent(3);
    bar.SetDocument(nullptr);
    EXPECT_EQ(bar.GetCurrent(), -1);
    EXPECT_EQ(bar.Categories().CategoryCount(), 0);
}

TEST(StylePickerCore, ChoosingACellOrTheDialog)
{
    StyleDocFixture fx;
    CStylePickerCore picker(StylePickKind::Connector, true);
    picker.PrepareDrop(&fx.doc);
    ASSERT_GT(picker.Categories().Count(), 0);
    const int first = picker.Categories().At(0);
    EXPECT_TRUE(picker.Choose(int(CategoryCommand(0, 0)), QPoint()));
    EXPECT_EQ(picker.GetCurrent(), first);
    EXPECT_FALSE(picker.Choose(int(CategoryCommand(0, 50)), QPoint()));
    EXPECT_EQ(picker.GetCurrent(), first);

    std::vector<StyleChoiceRequest> asked;
    int rebuilt = 0;
    bool ok = false;
    GetStyleChoiceSeams().runDialog = [&](StyleChoiceRequest& r) {
        asked.push_back(r);
        r.selected = fx.Con("Solid Arrow");
        r.rebuildBar = true;
        return ok;
    };
    GetStyleChoiceSeams().rebuildStyleBar = [&] { ++rebuilt; };
    g_bStyleChoiceSettingsChanged = 0;
    const unsigned stamp = KindStamp(fx.doc, StylePickKind::Connector).Get();
    // Cancel changes nothing.
    EXPECT_FALSE(picker.Choose(int(kMoreId), QPoint(300, 40)));
    EXPECT_EQ(picker.GetCurrent(), first);
    EXPECT_EQ(rebuilt, 0);
    EXPECT_EQ(KindStamp(fx.doc, StylePickKind::Connector).Get(), stamp);
    ok = true;
    EXPECT_TRUE(picker.Choose(int(kMoreId + 1) + 0, QPoint(300, 40)));
    EXPECT_EQ(picker.GetCurrent(), fx.Con("Solid Arrow"));
    EXPECT_EQ(rebuilt, 1);
    EXPECT_EQ(g_bStyleChoiceSettingsChanged, 1);
    EXPECT_NE(KindStamp(fx.doc, StylePickKind::Connector).Get(), stamp);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0].category, "<All>");   // the picker's own "..."
    const std::string firstName = picker.Categories().Category(0).name;
    EXPECT_EQ(asked[1].category, firstName.empty() ? "<All>" : firstName);
    EXPECT_EQ(asked[1].selected, first);
    EXPECT_EQ(asked[1].at, QPoint(300, 40));
    // A category the library lost opens on all styles.
    EXPECT_EQ(StyleChoiceCategory(&fx.doc, StylePickKind::Figure, int(kMoreId + 1) + 1, "Gone"), "<All>");
    EXPECT_EQ(StyleChoiceCategory(&fx.doc, StylePickKind::Figure, int(kMoreId + 1) + 1, "Flow"), "Flow");
    GetStyleChoiceSeams() = StyleChoiceSeams();
}
