// The check list as the option pages use it: boxes toggled by a click on the
// box and by Space, the commands the page receives, and disabled items.
#include "CommandRecorder.h"
#include "controls/CCheckListCtrl.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {
constexpr int kListId = 1400;
using Commands = std::vector<std::pair<int, int>>;

struct CheckListTest : testing::Test {
    QWidget page;
    CCheckListCtrl* list = new CCheckListCtrl;
    CCommandRecorder recorder{&page};

    CheckListTest()
    {
        page.resize(260, 200);
        list->setGeometry(10, 10, 220, 160);
        list->Init(kListId, &page);
        list->AddItem(0, "Snap to grid", true, true);
        list->AddItem(1, "Show guides", false, true);
        list->AddItem(2, "Locked option", true, false);
        list->AddItem(3, "Another option", false, true);
        page.show();
        page.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&page));
    }
    QWidget* Client() const { return list->viewport(); }
    QPoint BoxOf(int row) const { return list->visualItemRect(list->item(row)).topLeft() + QPoint(6, 6); }
    QPoint TextOf(int row) const { return list->visualItemRect(list->item(row)).center(); }
};
} // namespace

TEST_F(CheckListTest, AClickOnTheBoxTogglesAndTellsThePage)
{
    QTest::mouseClick(Client(), Qt::LeftButton, {}, BoxOf(1));
    EXPECT_EQ(list->GetCheck(1), 1);
    EXPECT_EQ(list->GetLastToggled(), 1);
    EXPECT_EQ(recorder.commands, (Commands{{kListId, 4001}}));
    EXPECT_TRUE(list->item(1)->isSelected());   // selected as by any click
    SaveShot(&page, "checklist_toggled");
}

TEST_F(CheckListTest, AClickOnTheTextOnlySelects)
{
    QTest::mouseClick(Client(), Qt::LeftButton, {}, TextOf(0));
    EXPECT_EQ(list->GetCheck(0), 1);
    EXPECT_TRUE(list->item(0)->isSelected());
    EXPECT_TRUE(recorder.commands.empty());
}

TEST_F(CheckListTest, ADisabledBoxStaysAsItIs)
{
    QTest::mouseClick(Client(), Qt::LeftButton, {}, BoxOf(2));
    EXPECT_EQ(list->GetStateImage(2), 4);
    EXPECT_TRUE(recorder.commands.empty());
    list->SetCheck(2, false);
    EXPECT_EQ(list->GetStateImage(2), 3);   // still disabled
    list->EnableItem(2, true);
    EXPECT_EQ(list->GetStateImage(2), 1);
    list->EnableItem(2, true);              // already enabled
    EXPECT_EQ(list->GetStateImage(2), 1);
}

TEST_F(CheckListTest, ADoubleClickOnTheBoxLeavesItAsItWas)
{
    QTest::mouseClick(Client(), Qt::LeftButton, {}, BoxOf(3));
    QTest::mouseDClick(Client(), Qt::LeftButton, {}, BoxOf(3));
    EXPECT_EQ(list->GetCheck(3), 0);
    EXPECT_EQ(recorder.commands, (Commands{{kListId, 4001}, {kListId, 4001}}));
}

TEST_F(CheckListTest, SpaceTogglesOnlyTheFirstSelectedItem)
{
    QTest::mouseClick(Client(), Qt::LeftButton, {}, TextOf(1));
    QTest::mouseClick(Client(), Qt::LeftButton, Qt::ControlModifier, TextOf(3));
    ASSERT_TRUE(list->item(1)->isSelected() && list->item(3)->isSelected());
    QTest::keyClick(list, Qt::Key_Space);
    EXPECT_EQ(list->GetCheck(1), 1);
    EXPECT_EQ(list->GetCheck(3), 0);
    EXPECT_EQ(list->GetLastToggled(), 1);
    EXPECT_EQ(recorder.commands, (Commands{{kListId, 4001}}));
    // Not on a disabled first item.
    QTest::mouseClick(Client(), Qt::LeftButton, {}, TextOf(2));
    QTest::keyClick(list, Qt::Key_Space);
    EXPECT_EQ(list->GetStateImage(2), 4);
    EXPECT_EQ(recorder.commands.size(), 1u);
}

TEST_F(CheckListTest, ChecksAndStateImagesOutOfRange)
{
    EXPECT_EQ(list->GetCheck(-1), 0);
    EXPECT_EQ(list->GetCheck(4), 0);
    list->SetCheck(-1, true);
    list->SetCheck(4, true);
    EXPECT_EQ(list->count(), 4);
    list->SetStateImage(0, 16);
    EXPECT_EQ(list->GetStateImage(0), 2);
    list->SetStateImage(0, 0);   // no box: unchecked and enabled
    EXPECT_EQ(list->GetCheck(0), 0);
    EXPECT_TRUE(list->IsItemEnabled(0));
}

TEST_F(CheckListTest, ScrolledRowsAreHitBelowTheTopRow)
{
    for (int i = 4; i < 30; ++i)
        list->AddItem(i, QString("Option %1").arg(i), false, true);
    list->scrollToItem(list->item(20), QAbstractItemView::PositionAtTop);
    const int top = list->RowAt(QPoint(3, 1));
    ASSERT_GT(top, 0);
    QTest::mouseClick(Client(), Qt::LeftButton, {}, BoxOf(top + 1));
    EXPECT_EQ(list->GetLastToggled(), top + 1);
    EXPECT_EQ(list->GetCheck(top + 1), 1);
}

// An empty list has no row height to hit-test by: clicks and Space do
// nothing, instead of dividing by a missing item's height.
TEST(CheckListEmptyTest, ClicksOnAnEmptyListToggleNothing)
{
    QWidget page;
    CCommandRecorder recorder{&page};
    auto* list = new CCheckListCtrl;
    list->Init(kListId, &page);
    list->setGeometry(0, 0, 200, 100);
    page.show();
    EXPECT_EQ(list->RowAt(QPoint(3, 3)), -1);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(3, 3));
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, QPoint(3, 3));
    QTest::keyClick(list, Qt::Key_Space);
    EXPECT_EQ(list->GetLastToggled(), -1);
    EXPECT_TRUE(recorder.commands.empty());
}
