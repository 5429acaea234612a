#include "platform/ui/DlgItems.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <gtest/gtest.h>

TEST(DlgItems, ControlsAreFoundByIdAndCarryAnsiText)
{
    QDialog dlg;
    auto* edit = new QLineEdit(&dlg);
    auto* combo = new QComboBox(&dlg);
    combo->setEditable(true);
    SetDlgCtrlID(edit, 1001);
    SetDlgCtrlID(combo, 1002);
    EXPECT_EQ(GetDlgItem(&dlg, 1001), edit);
    EXPECT_EQ(GetDlgItem(&dlg, 9), nullptr);
    EXPECT_TRUE(SetDlgItemText(&dlg, 1001, "caf\xe9"));
    EXPECT_EQ(edit->text(), QString::fromUtf8("caf\u00e9"));
    EXPECT_EQ(GetDlgItemText(&dlg, 1001), "caf\xe9");
    SetDlgItemText(&dlg, 1002, "12");
    EXPECT_EQ(GetDlgItemText(&dlg, 1002), "12");
    EXPECT_FALSE(SetDlgItemText(&dlg, 9, "x"));
    EXPECT_EQ(GetDlgItemText(&dlg, 9), "");
}
