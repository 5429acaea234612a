#include "CommandRecorder.h"
#include "core/FontHelpers.h"
#include "controls/FontCombos.h"
#include "controls/WindowHelpers.h"
#include "platform/ui/DlgItems.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QFontDatabase>
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

namespace {
// A copy of an installed font file that another maker seems to have made: its
// OS/2 table names the vendor `vendor`, which the font configuration reports
// as the family's foundry. Added to the application's fonts while it lives.
class CSecondFoundryFont {
public:
    CSecondFoundryFont(const QString& path, const char vendor[4])
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            return;
        QByteArray font = file.readAll();
        const auto u16 = [&font](int at) { return (uchar(font[at]) << 8) | uchar(font[at + 1]); };
        const auto u32 = [&font, &u16](int at) { return (u16(at) << 16) | u16(at + 2); };
        for (int i = 0, tables = u16(4); i < tables; ++i) {
            const int record = 12 + 16 * i;
            if (font.mid(record, 4) == "OS/2")
                font.replace(int(u32(record + 8)) + 58, 4, QByteArray(vendor, 4));
        }
        m_id = QFontDatabase::addApplicationFontFromData(font);
    }
    ~CSecondFoundryFont()
    {
        if (m_id >= 0)
            QFontDatabase::removeApplicationFont(m_id);
    }
    bool Added() const { return m_id >= 0; }

private:
    int m_id = -1;
};
} // namespace

// A family that two makers supply is listed once, under its own name: the
// font lists show no "[maker]" entries, and the name finds the font.
TEST(FontCombos, AFamilyFromTwoFoundriesIsListedOnceByItsName)
{
    CSecondFoundryFont second("/usr/share/fonts/truetype/liberation2/LiberationMono-Regular.ttf", "KAVO");
    ASSERT_TRUE(second.Added());
    ASSERT_FALSE(QFontDatabase::families().filter("Liberation Mono [").isEmpty())
        << QFontDatabase::families().join(", ").toStdString();
    QComboBox combo;
    CopyFontComboItems(&combo, false);
    EXPECT_EQ(Items(combo).count("Liberation Mono"), 1);
    EXPECT_TRUE(Items(combo).filter("[").isEmpty()) << Items(combo).join(", ").toStdString();
    LOGFONT lf;
    ASSERT_TRUE(GetFontLogFont("Liberation Mono", lf));
    EXPECT_STREQ(lf.lfFaceName, "Liberation Mono");
}

// A narrow font combo drops a list wide enough for every name, also when
// the list scrolls (as it does on a system with many fonts): the long family
// names show whole, not with their middle cut out.
TEST(FontCombos, TheDroppedListShowsLongNamesWhole)
{
    QWidget window;
    auto* combo = new QComboBox(&window);
    combo->setGeometry(10, 10, 80, 26);
    combo->setEditable(true);
    combo->setMaxVisibleItems(4);
    CopyFontComboItems(combo, false);
    // The longest family name of the fonts setup-deps installs.
    ASSERT_GE(combo->findText("DejaVu Sans Mono"), 0);
    window.show();
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    ASSERT_TRUE(list->isVisible());
    for (int row = 0; row < combo->count(); ++row) {
        const QModelIndex index = list->model()->index(row, 0);
        EXPECT_GE(list->viewport()->width(), list->sizeHintForIndex(index).width()) << combo->itemText(row).toStdString();
    }
    SaveShot(list->window(), "fontlist_dropped");
    combo->hidePopup();
}
