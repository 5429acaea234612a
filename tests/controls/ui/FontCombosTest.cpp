#include "core/FontHelpers.h"
#include "controls/FontCombos.h"
#include "controls/WindowHelpers.h"
#include "platform/ui/DlgItems.h"

#include <QComboBox>
#include <QDialog>
#include <QMainWindow>
#include <gtest/gtest.h>

namespace {
QStringList Items(const QComboBox& combo)
{
    QStringList items;
    for (int i = 0; i < combo.count(); ++i)
        items << combo.itemText(i);
    return items;
}
} // namespace

TEST(FontCombos, DisplayFamiliesAreAddedOnce)
{
    QComboBox combo;
    combo.addItem("Liberation Sans");
    CopyFontComboItems(&combo, false);
    CopyFontComboItems(&combo, true); // no main window: the display's families
    EXPECT_EQ(combo.count(), int(GetDisplayFontFamilies().size()));
    EXPECT_EQ(Items(combo).count("Liberation Sans"), 1);
}

TEST(FontCombos, TheMainListIsCopiedAfterItsFirstEntry)
{
    QMainWindow frame;
    auto* mainCombo = new QComboBox(&frame);
    SetDlgCtrlID(mainCombo, ID_FONT_NAME_COMBO);
    mainCombo->addItems({"", "Face A", "Face B"});
    ASSERT_EQ(FindMainFontCombo(), mainCombo);

    QComboBox combo;
    CopyFontComboItems(&combo, true);
    EXPECT_EQ(Items(combo), QStringList({"Face A", "Face B"}));

    // The main combo itself, or a main list with only its empty entry, falls
    // back to the display's families.
    CopyFontComboItems(mainCombo, true);
    EXPECT_GT(mainCombo->count(), 3);
    QComboBox other;
    mainCombo->clear();
    mainCombo->addItem("");
    CopyFontComboItems(&other, true);
    EXPECT_EQ(other.count(), int(GetDisplayFontFamilies().size()));
    CopyFontComboItems(nullptr, true);
}

TEST(FontCombos, SizeListAndDialogWindows)
{
    QComboBox combo;
    FillFontSizeCombo(&combo);
    EXPECT_EQ(Items(combo), QStringList({"6", "8", "10", "12", "14", "18", "24", "36"}));

    QDialog dialog;
    QMainWindow frame;
    QWidget plain;
    EXPECT_TRUE(IsDialogWindow(&dialog));
    EXPECT_FALSE(IsDialogWindow(&frame));
    EXPECT_FALSE(IsDialogWindow(&plain));
    EXPECT_FALSE(IsDialogWindow(nullptr));
}
