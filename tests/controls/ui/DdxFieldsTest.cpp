#include "core/Settings.h"
#include "controls/DdxFields.h"

#include "common/TestSupport.h"
#include "platform/ui/DlgItems.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <gtest/gtest.h>

namespace {
class DdxFields : public testing::Test {
protected:
    DdxFields()
    {
        edit = new QLineEdit(&dlg);
        SetDlgCtrlID(edit, 1001);
    }
    QDialog dlg;
    QLineEdit* edit;
    CRecordingPrompt prompt;
};
} // namespace

TEST_F(DdxFields, ReadersParseCheckAndReport)
{
    double d = 0;
    edit->setText("3/4");
    EXPECT_TRUE(DdxReadDouble(&dlg, 1001, d, 0, 1, 2, 484));
    EXPECT_EQ(d, 0.75);
    float f = 0;
    EXPECT_TRUE(DdxReadFloat(&dlg, 1001, f, 0, 1, 2, 484));
    EXPECT_EQ(f, 0.75f);
    edit->setText("1/0");
    EXPECT_FALSE(DdxReadDouble(&dlg, 1001, d, 0, 1, 2, 484));
    EXPECT_EQ(d, 0.75);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, "Enter a grid spacing between 0 and 1");

    int code = 0;
    edit->setText("10.1 pt");
    EXPECT_TRUE(DdxReadSizeCode(&dlg, 1001, code, 0, 72, 2, 0));
    EXPECT_EQ(code, 36);
    int pts = -1;
    edit->setText("<As Is>");
    EXPECT_TRUE(DdxReadIntOrAsIs(&dlg, 1001, pts, 1, 72, 0));
    EXPECT_EQ(pts, 0);
    int units = 0;
    edit->setText("2.01 cm");
    EXPECT_TRUE(DdxReadLength(&dlg, 1001, units, 0, 1000, 2, 0));
    EXPECT_EQ(units, 201);
    // Only the first 255 characters of a field are read.
    edit->setText(QString(255, ' ') + "5");
    EXPECT_FALSE(DdxReadDouble(&dlg, 1001, d, 0, 10, 2, 0));
}

TEST_F(DdxFields, WritersKeepTheCaretWhenTheTextIsTheSame)
{
    DdxWriteDouble(&dlg, 1001, 0.5, 2, true, true);
    EXPECT_EQ(edit->text(), "1/2 cm");
    edit->setCursorPosition(2);
    DdxWriteDouble(&dlg, 1001, 0.5, 2, true, true);
    EXPECT_EQ(edit->cursorPosition(), 2);
    DdxWriteSizeCode(&dlg, 1001, 36, 2, true, false);
    EXPECT_EQ(edit->text(), "10 pt");
    DdxWritePoints(&dlg, 1001, 0);
    EXPECT_EQ(edit->text(), "<As Is>");
    DdxWritePoints(&dlg, 1001, 9);
    EXPECT_EQ(edit->text(), "9 pt");
    Metric = FALSE;
    DdxWriteDouble(&dlg, 1001, 1.25, 3, true, true);
    EXPECT_EQ(edit->text(), "1.25 in");
    DdxWriteDouble(&dlg, 9999, 1.0, 3, true, true); // a missing control is no fault
}

TEST(MenuAndCombo, FindItemAndDropHeight)
{
    QMenu menu;
    EXPECT_EQ(FindMenuItemByText(&menu, "&Open"), -1);
    menu.addAction("&New");
    menu.addSeparator();
    menu.addAction("&Open");
    EXPECT_EQ(FindMenuItemByText(&menu, "&Open"), 2);
    EXPECT_EQ(FindMenuItemByText(&menu, "Open"), -1);
    EXPECT_EQ(FindMenuItemByText(nullptr, "&Open"), -1);

    QComboBox combo;
    combo.setMaxVisibleItems(10);
    SetComboDropHeight(&combo, 3); // empty: nothing happens
    EXPECT_EQ(combo.maxVisibleItems(), 10);
    combo.addItems({"a", "b", "c", "d", "e"});
    SetComboDropHeight(&combo, 3);
    EXPECT_EQ(combo.maxVisibleItems(), 3);
    SetComboDropHeight(&combo, 30);
    EXPECT_EQ(combo.maxVisibleItems(), 5);
}
