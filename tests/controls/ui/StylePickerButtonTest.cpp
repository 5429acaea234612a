// A style picker on its own, as a style sheet holds it: what its owner
// hears while the palette drops, while the pointer moves over the samples
// and when one is chosen; a document whose styles have no categories shows
// one palette at once; without a document the picker offers nothing.
#include "CommandRecorder.h"
#include "common/StyleDocFixture.h"
#include "controls/CStyleButtons.h"
#include "controls/StylePickCategories.h"

#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

namespace {
constexpr int kId = 1700;
using Commands = std::vector<std::pair<int, int>>;

struct StylePickerButtonTest : testing::Test {
    StyleDocFixture fx;
    QWidget owner;
    CCommandRecorder recorder{&owner};
    StylePickerButtonTest()
    {
        owner.resize(300, 200);
        owner.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&owner));
    }
    template <class Picker>
    Picker* Make(CKavoDoc* doc)
    {
        auto* picker = new Picker(CStylePickerButton::Variant::Plain, &owner);
        picker->setGeometry(10, 10, 60, 26);
        EXPECT_TRUE(picker->Create(kId, &owner, 0, doc, false));
        return picker;
    }
};
} // namespace

TEST_F(StylePickerButtonTest, TheOwnerHearsTheDropTheHoverAndTheChoice)
{
    auto* picker = Make<CFigStyleButton>(&fx.doc);
    QTest::mousePress(picker, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(recorder.commands, (Commands{{kId, 1124}}));
    QMenu* menu = picker->TopMenu();
    ASSERT_TRUE(menu && menu->isVisible());
    QStringList names;
    for (QAction* a : menu->actions())
        names << a->text();
    // The layout's submenus in their order, then the dialog's entry.
    EXPECT_EQ(names, (QStringList{"Network", "Flow", "(no category)", "..."}));
    const int flow = 1;
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(menu->actions()[flow]).center());
    CPalettePopup* palette = picker->CategoryPopup(flow);
    ASSERT_TRUE(palette && palette->isVisible());
    recorder.commands.clear();
    const QPoint decision = palette->ItemRect(CategoryCommand(flow, 1)).center();
    QTest::mouseMove(palette, decision);
    ASSERT_FALSE(recorder.commands.empty());
    EXPECT_EQ(recorder.commands.back(), std::make_pair(kId, 2));
    EXPECT_EQ(picker->GetSelectedId(), fx.Fig("Decision"));
    QTest::mouseClick(palette, Qt::LeftButton, {}, decision);
    EXPECT_EQ(recorder.commands.back(), std::make_pair(kId, 0));
    EXPECT_EQ(picker->GetCurSel(), fx.Fig("Decision"));
    SaveShot(&owner, "style_picker_plain");
}

TEST_F(StylePickerButtonTest, StylesWithoutCategoriesDropOnePalette)
{
    StyleDocFixture plain;
    for (int i = 0; i < plain.doc.m_figStyles.GetCount(); ++i)
        plain.doc.m_figStyles.GetAt(i)->Category.clear();
    plain.doc.m_figMenu.Clear();   // rebuilt from the library on first use
    auto* picker = Make<CFigStyleButton>(&plain.doc);
    EXPECT_EQ(picker->TopMenu(), nullptr);
    QTest::mousePress(picker, Qt::LeftButton, {}, QPoint(5, 5));
    CPalettePopup* palette = picker->CategoryPopup(0);
    ASSERT_TRUE(palette && palette->isVisible());
    const QPoint first = palette->ItemRect(CategoryCommand(0, 0)).center();
    QTest::mouseMove(palette, first);
    QTest::mouseClick(palette, Qt::LeftButton, {}, first);
    EXPECT_EQ(picker->GetCurSel(), plain.Fig("Router"));
}

TEST_F(StylePickerButtonTest, WithoutADocumentThereIsNothingToChoose)
{
    auto* picker = Make<CConStyleButton>(nullptr);
    QTest::mousePress(picker, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(recorder.commands.empty());   // no notice without a document
    EXPECT_EQ(picker->GetCurSel(), -1);
    EXPECT_EQ(picker->SelectDefault(), -1);
    // Given one, it offers its styles.
    picker->SetDocument(&fx.doc);
    EXPECT_GT(picker->ItemList().Count(), 0);
    EXPECT_EQ(picker->SelectDefault(), fx.Con("Ethernet"));
}
