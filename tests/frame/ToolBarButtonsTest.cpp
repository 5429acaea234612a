#include "core/CAppProfile.h"
#include "frame/ToolBarButtons.h"
#include "platform/Registry.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
using List = std::vector<unsigned>;

CToolBarButtons Bar(const List& list)
{
    CToolBarButtons bar;
    EXPECT_TRUE(bar.Setup(list.data(), int(list.size()), IDB_TOOLBAR_STRIP, ToolBarImageTable(), 27, 26, 20, 20));
    return bar;
}
} // namespace

TEST(ToolBarButtonsTest, TablesHoldTheirEntriesAndTwoImageCommands)
{
    const auto images = ToolBarImageTable();
    ASSERT_EQ(images.size(), 102u);
    EXPECT_EQ(images.front(), 57600);
    EXPECT_EQ(images.back(), 33195);
    EXPECT_EQ(DefaultStandardButtons().size(), 33u);
    EXPECT_EQ(DefaultPropertyButtons().size(), 27u);
    // Grid, snap and the style-bar toggle own two consecutive images.
    CToolBarButtons bar = Bar({33072, 33073, 36561, 12345, 0});
    const std::vector<int> assigned = bar.AssignImages();
    ASSERT_EQ(assigned.size(), 5u);
    for (int i = 0; i < 3; ++i) {
        const int at = assigned[size_t(i)];
        EXPECT_EQ(images[size_t(at)], images[size_t(at + 1)]) << i;
    }
    EXPECT_EQ(assigned[3], 0); // a command without an image shows image 0
    EXPECT_EQ(assigned[4], -1);
    EXPECT_EQ(EmbeddedControlWidth(32775), 175);
    EXPECT_EQ(EmbeddedControlWidth(36566), 81);
    EXPECT_EQ(EmbeddedControlWidth(57600), 0);
}

TEST(ToolBarButtonsTest, SetupRefusesBadArgumentsAndCutsLongLists)
{
    CToolBarButtons bar;
    const unsigned one[] = {57600};
    EXPECT_FALSE(bar.Setup(one, -1, 2, ToolBarImageTable(), 27, 26, 20, 20));
    EXPECT_FALSE(bar.Setup(one, 1, 0, ToolBarImageTable(), 27, 26, 20, 20));
    EXPECT_FALSE(bar.Setup(one, 1, 2, {}, 27, 26, 20, 20));
    EXPECT_FALSE(bar.Setup(one, 1, 2, ToolBarImageTable(), 0, 26, 20, 20));
    EXPECT_FALSE(bar.Setup(one, 1, 2, ToolBarImageTable(), 27, 26, 20, -1));
    EXPECT_EQ(bar.Count(), 0);
    List longList(130);
    for (size_t i = 0; i < longList.size(); ++i)
        longList[i] = unsigned(40000 + i);
    ASSERT_TRUE(bar.Setup(longList.data(), 130, 2, ToolBarImageTable(), 27, 26, 20, 20));
    EXPECT_EQ(bar.Count(), kToolBarMaxButtons);
    EXPECT_FALSE(bar.InsertButton(1, 100)); // full
    EXPECT_FALSE(bar.InsertSeparatorBefore(5));
    // Without a list the buttons stay.
    ASSERT_TRUE(bar.Setup(nullptr, 0, 2, ToolBarImageTable(), 27, 26, 20, 20));
    EXPECT_EQ(bar.Count(), kToolBarMaxButtons);
}

TEST(ToolBarButtonsTest, InsertAndRemoveKeepTheListSound)
{
    CToolBarButtons bar = Bar({57600, 0, 57601});
    EXPECT_TRUE(bar.InsertButton(57601, 2)); // already there at that index: no change
    EXPECT_EQ(bar.Buttons(), (List{57600, 0, 57601}));
    EXPECT_FALSE(bar.InsertButton(57600, 3)); // on the bar elsewhere
    EXPECT_FALSE(bar.InsertButton(57603, 4)); // past the end
    EXPECT_FALSE(bar.InsertButton(57603, -1));
    EXPECT_TRUE(bar.InsertButton(57603, 3)); // at the count
    EXPECT_TRUE(bar.InsertButton(0, 0));     // separators may repeat
    EXPECT_EQ(bar.Buttons(), (List{0, 57600, 0, 57601, 57603}));

    int tracked = 4;
    EXPECT_TRUE(bar.RemoveCommand(57600, &tracked));
    // 57600 went (tracked 4 -> 3), then the leading separators (-> 1).
    EXPECT_EQ(bar.Buttons(), (List{57601, 57603}));
    EXPECT_EQ(tracked, 1);
    EXPECT_FALSE(bar.RemoveCommand(57600));

    EXPECT_FALSE(bar.InsertSeparatorBefore(0));
    EXPECT_TRUE(bar.InsertSeparatorBefore(1));
    EXPECT_FALSE(bar.InsertSeparatorBefore(2)); // one precedes already
    EXPECT_TRUE(bar.HasSeparatorBefore(2));
    EXPECT_FALSE(bar.HasSeparatorBefore(0));
    EXPECT_TRUE(bar.RemoveSeparatorBefore(2));
    EXPECT_FALSE(bar.RemoveSeparatorBefore(1));
    EXPECT_EQ(bar.Buttons(), (List{57601, 57603}));
}

TEST(ToolBarButtonsTest, TidySeparatorsTrailingLeadingThenDoubled)
{
    struct Case {
        List before, after;
        int tracked, trackedAfter, removed;
    };
    const Case cases[] = {
        {{0, 0, 1, 0, 0, 2, 0}, {1, 0, 2}, 5, 2, 4},
        {{1, 2}, {1, 2}, 1, 1, 0},
        {{0, 0, 0}, {}, 0, 0, 3},
        {{1, 0, 0, 0, 2}, {1, 0, 2}, 4, 2, 2},
    };
    for (const Case& c : cases) {
        CToolBarButtons bar = Bar(c.before);
        int tracked = c.tracked;
        EXPECT_EQ(bar.TidySeparators(&tracked), c.removed);
        EXPECT_EQ(bar.Buttons(), c.after);
        EXPECT_EQ(tracked, c.trackedAfter);
    }
}

TEST(ToolBarButtonsTest, StyleListsGoInAfterTheToggleAndComeOutAgain)
{
    const auto defaults = DefaultPropertyButtons();
    CToolBarButtons bar = Bar(List(defaults.begin(), defaults.end()));
    ASSERT_TRUE(bar.AddStyleLists());
    const List& b = bar.Buttons();
    EXPECT_EQ(List(b.begin(), b.begin() + 10), (List{36561, 0, 36567, 0, 36565, 0, 36566, 0, 32775, 0}));
    EXPECT_FALSE(bar.AddStyleLists()); // 36567 is already there
    ASSERT_TRUE(bar.RemoveStyleLists());
    EXPECT_EQ(bar.Buttons(), List(defaults.begin(), defaults.end()));

    // A picker that is already elsewhere is not added twice.
    CToolBarButtons withFig = Bar({36561, 0, 57600, 0, 36565});
    ASSERT_TRUE(withFig.AddStyleLists());
    EXPECT_EQ(withFig.Buttons(), (List{36561, 0, 36567, 0, 36566, 0, 57600, 0, 36565}));

    // No separator after the toggle: removing changes nothing.
    CToolBarButtons tight = Bar({36561, 36567, 0, 36565});
    EXPECT_FALSE(tight.RemoveStyleLists());
    EXPECT_EQ(tight.Buttons(), (List{36561, 36567, 0, 36565}));
    // The list ends where a separator belongs.
    CToolBarButtons last = Bar({57600, 36561});
    EXPECT_FALSE(last.AddStyleLists());
    CToolBarButtons none = Bar({57600});
    EXPECT_FALSE(none.AddStyleLists());
}

TEST(ToolBarButtonsTest, NearestBoundaryTiesGoLow)
{
    const int bounds[] = {0, 27, 54, 81};
    EXPECT_EQ(NearestBoundaryIndex(bounds, -50), 0);
    EXPECT_EQ(NearestBoundaryIndex(bounds, 13), 0);
    EXPECT_EQ(NearestBoundaryIndex(bounds, 14), 1);
    EXPECT_EQ(NearestBoundaryIndex(bounds, 40), 1); // 13 from 27, 14 from 54
    EXPECT_EQ(NearestBoundaryIndex(bounds, 500), 3);
    EXPECT_EQ(NearestBoundaryIndex({}, 5), -1);
    const int even[] = {0, 10};
    EXPECT_EQ(NearestBoundaryIndex(even, 5), 0);
}

class ToolBarSettingsTest : public testing::Test {
protected:
    void SetUp() override
    {
        ResetAppProfile();
        AfxGetAppProfile().SetRegistryKey("Morlaven Software");
    }
    void TearDown() override { ResetAppProfile(); }
    void Store(const char* value)
    {
        ASSERT_TRUE(RegistrySetValue(HKEY_CURRENT_USER, "Software\\Morlaven Software\\KAVO Diagrammer\\Options",
                                     "Toolbar_112", value));
    }
};

TEST_F(ToolBarSettingsTest, ListsRoundTripAndDamagedListsAreRepaired)
{
    List full;
    for (unsigned i = 0; i < 100; ++i)
        full.push_back(i % 5 == 4 ? 0 : 40000 + i);
    CToolBarButtons bar = Bar(full);
    ASSERT_TRUE(bar.SaveButtons(ID_PROPERTY_BAR));
    CToolBarButtons loaded;
    ASSERT_TRUE(loaded.LoadButtons(ID_PROPERTY_BAR));
    EXPECT_EQ(loaded.Buttons(), full); // every one of the 100 entries

    struct Case {
        const char* stored;
        bool found;
        List list;
    };
    const Case cases[] = {
        {"0", false, {}},                               // count 0: the default list
        {"3 57600 57600 0", true, {57600, 0}},         // a repeated command
        {"5 57600 0 57601", true, {57600, 0, 57601}},  // cut in the middle
        {"2 -5 99999999", false, {}},                  // nothing a command can be
        {"junk", false, {}},
    };
    for (const Case& c : cases) {
        Store(c.stored);
        CToolBarButtons damaged;
        EXPECT_EQ(damaged.LoadButtons(ID_PROPERTY_BAR), c.found) << c.stored;
        EXPECT_EQ(damaged.Buttons(), c.list) << c.stored;
    }
    ResetAppProfile();
    AfxGetAppProfile().SetRegistryKey("Morlaven Software");
    CToolBarButtons missing;
    EXPECT_FALSE(missing.LoadButtons(ID_STANDARD_TOOLBAR));
}
