// A style picker on its own, as a style sheet holds it: what its owner
// hears while the palette drops, while the pointer moves over the samples
// and when one is chosen; a document whose styles have no categories shows
// one palette at once; without a document the picker offers nothing. The
// category menu drops right-aligned under the button, a small category
// lies in one row, a category's "..." asks the dialog for that category,
// and connector samples are in colour only when the document asks for it.
#include "CommandRecorder.h"
#include "common/StyleDocFixture.h"
#include "controls/CStyleButtons.h"
#include "controls/StyleChoiceSeams.h"
#include "controls/StylePickCategories.h"
#include "controls/StylePickKinds.h"
#include "core/Settings.h"

#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>

#include <functional>

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
    Picker* Make(CKavoDoc* doc, QRect at = QRect(10, 10, 60, 26))
    {
        auto* picker = new Picker(CStylePickerButton::Variant::Plain, &owner);
        picker->setGeometry(at);
        EXPECT_TRUE(picker->Create(kId, &owner, 0, doc, false));
        return picker;
    }
    // Drops the picker and opens the category's palette from its menu.
    static CPalettePopup* OpenCategory(CStylePickerButton* picker, int category)
    {
        QTest::mousePress(picker, Qt::LeftButton, {}, QPoint(5, 5));
        QMenu* menu = picker->TopMenu();
        EXPECT_TRUE(menu && menu->isVisible());
        if (!menu)
            return nullptr;
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(menu->actions()[category]).center());
        CPalettePopup* palette = picker->CategoryPopup(category);
        EXPECT_TRUE(palette && palette->isVisible());
        return palette;
    }
};

// Runs `act` whenever the owner hears the given code from a control.
struct OwnerReaction : QObject {
    OwnerReaction(QObject* owner, int code, std::function<void()> act) : m_code(code), m_act(std::move(act))
    {
        owner->installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == CDlgCommandEvent::EventType() && static_cast<CDlgCommandEvent*>(e)->Code() == m_code)
            m_act();
        return false;
    }
    int m_code;
    std::function<void()> m_act;
};

int CountPixels(const QImage& image, const QRect& area, const std::function<bool(QColor)>& wanted)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += wanted(image.pixelColor(x, y)) ? 1 : 0;
    return n;
}
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

// The owner hears of the drop before the palette is brought up to date: a
// style it adds then is in the palette that drops.
TEST_F(StylePickerButtonTest, WhatTheOwnerChangesOnTheDropNoticeIsInThePalette)
{
    auto* picker = Make<CFigStyleButton>(&fx.doc);
    OwnerReaction addStyle(&owner, 1124, [this] {
        if (fx.Fig("Terminator") >= 0)
            return;
        fx.AddFig("Terminator", "Flow", "", 0);
        fx.doc.UpdateStyleMenusAndButtons(nullptr);
        KindStamp(fx.doc, StylePickKind::Figure).AssignNext();
    });
    const int flow = 1;
    CPalettePopup* palette = OpenCategory(picker, flow);
    ASSERT_TRUE(palette);
    ASSERT_GE(fx.Fig("Terminator"), 0);
    const UINT third = CategoryCommand(flow, 2);
    EXPECT_EQ(picker->ValueOfCommand(third), fx.Fig("Terminator"));
    const QPoint at = palette->ItemRect(third).center();
    ASSERT_FALSE(palette->ItemRect(third).isEmpty());
    QTest::mouseMove(palette, at);
    QTest::mouseClick(palette, Qt::LeftButton, {}, at);
    EXPECT_EQ(picker->GetCurSel(), fx.Fig("Terminator"));
}

// The category menu hangs from the button's bottom-right corner; the "..."
// ending a category's palette opens the dialog on that category, the menu's
// own "..." on all styles.
TEST_F(StylePickerButtonTest, CategoryMenuAndItsMoreEntries)
{
    std::vector<std::string> asked;
    GetStyleChoiceSeams().runDialog = [&asked](StyleChoiceRequest& request) {
        asked.push_back(request.category);
        return false;
    };
    auto* picker = Make<CFigStyleButton>(&fx.doc, QRect(200, 10, 60, 26));
    for (const int category : {0, 1}) {
        SCOPED_TRACE(category);
        CPalettePopup* palette = OpenCategory(picker, category);
        ASSERT_TRUE(palette);
        const QPoint more = palette->ItemRect(kMoreId + 1 + UINT(category)).center();
        QTest::mouseMove(palette, more);
        QTest::mouseClick(palette, Qt::LeftButton, {}, more);
    }
    QTest::mousePress(picker, Qt::LeftButton, {}, QPoint(5, 5));
    QMenu* menu = picker->TopMenu();
    ASSERT_TRUE(menu && menu->isVisible());
    const QPoint corner = picker->mapToGlobal(QPoint(picker->width(), picker->height()));
    EXPECT_EQ(menu->geometry().topRight() + QPoint(1, 0), corner);
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(menu->actions().back()).center());
    GetStyleChoiceSeams() = StyleChoiceSeams();
    EXPECT_EQ(asked, (std::vector<std::string>{"Network", "Flow", "<All>"}));
}

// A category of at most four entries with no column count of its own lies
// in one row, however wide its cells.
TEST_F(StylePickerButtonTest, ASmallCategoryLiesInOneRow)
{
    fx.AddCon("Token Ring", "Network");
    fx.doc.m_conMenu.Clear();   // rebuilt from the library on first use
    auto* picker = Make<CConStyleButton>(&fx.doc);
    CStyleMenu& menu = fx.doc.m_conMenu;
    ASSERT_GT(menu.m_nCount, 0);
    ASSERT_EQ(menu.m_sub[0].m_strName, "Network");
    ASSERT_EQ(menu.m_sub[0].m_nCount, 2);
    menu.m_sub[0].Columns = 0;
    menu.m_sub[0].ItemWidth = 120;   // cells more than three times as wide as tall
    CPalettePopup* palette = OpenCategory(picker, 0);
    ASSERT_TRUE(palette);
    const QRect first = palette->ItemRect(CategoryCommand(0, 0)), second = palette->ItemRect(CategoryCommand(0, 1));
    ASSERT_FALSE(first.isEmpty());
    EXPECT_EQ(second.top(), first.top());
    EXPECT_GT(second.left(), first.left());
}

// Connector samples: a red line shows red only in full colour.
TEST_F(StylePickerButtonTest, ConnectorCellsAreInColourOnlyWhenTheDocumentAsksForIt)
{
    CConProps red;
    red.LineWidth = 3;
    red.Color = RGB(255, 0, 0);
    fx.doc.m_conStyles.AddConStyle(&red, "Red", 1, 1, "", "Network", 0, "", 0, 0, 0, 0);
    fx.doc.m_conMenu.Clear();
    const int oldGlobal = FullColorIcons;
    FullColorIcons = 0;
    const auto isRed = [](QColor c) { return c.red() > 160 && c.green() < 90 && c.blue() < 90; };
    for (const int full : {0, 1}) {
        SCOPED_TRACE(full);
        fx.doc.m_bFullColorIcons = full;
        auto* picker = Make<CConStyleButton>(&fx.doc);
        CPalettePopup* palette = OpenCategory(picker, 0);
        ASSERT_TRUE(palette);
        const int cell = fx.doc.m_conStyles.FindByName("Red");
        int k = 0;
        while (k < 51 && picker->ValueOfCommand(CategoryCommand(0, k)) != cell)
            ++k;
        ASSERT_LT(k, 51);
        const QImage image = palette->grab().toImage();
        const int reds = CountPixels(image, palette->ItemRect(CategoryCommand(0, k)), isRed);
        if (full)
            EXPECT_GT(reds, 10);
        else
            EXPECT_EQ(reds, 0);
        QTest::keyClick(palette, Qt::Key_Escape);
        delete picker;
    }
    FullColorIcons = oldGlobal;
}
