// The Customize sheet as a user works it: buttons dragged with the mouse from
// the Commands page onto a bar, between bars and off the bars, separators
// made and taken by dropping beside a button, the warnings of a full bar and
// of a bar's last button, Reset to Default, closing halfway through a drag,
// and the lists kept in the settings.
#include "BarTestSupport.h"
#include "common/DiagramFixture.h"
#include "common/TestSupport.h"
#include "controls/CCheckListCtrl.h"
#include "core/CAppProfile.h"
#include "core/Settings.h"
#include "editing/ui/CKavoView.h"
#include "frame/ui/CCustomToolBar.h"
#include "frame/ui/CCustomizePages.h"
#include "frame/ui/CCustomizeSheet.h"
#include "frame/ui/CIconListBoxes.h"
#include "frame/ui/CMainFrame.h"
#include "platform/ui/DlgItems.h"

#include <QApplication>
#include <QCheckBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <vector>

namespace {
using List = std::vector<unsigned>;



struct CustomizeSheetTest : testing::Test {
    CTempProfile profile;
    SavedBarSettings saved;
    CRecordingPrompt prompt;
    DiagramFixture fx;
    std::unique_ptr<CMainFrame> frame;
    CKavoView* view = nullptr;

    void SetUp() override
    {
        ShowStdToolBar = ShowPropertyBar = 1;
        CollapsedStyleBar = 0;
        AutoStyleButtons = ShowStyleBarCombos = 1;
        g_nCustomizePage = 0;
        frame = std::make_unique<CMainFrame>();
        frame->move(0, 0);
        frame->resize(1280, 600);
        frame->show();
        view = new CKavoView(&fx.doc);
        frame->AddViewFrame(view, "test");
        QApplication::processEvents();
    }
    void TearDown() override
    {
        if (g_pCustomizeSheet)
            g_pCustomizeSheet->reject();
        QApplication::processEvents();
    }
    CCustomizeSheet* Open(int page = -1)
    {
        if (page >= 0)
            g_nCustomizePage = page;
        frame->Commands().Execute(ID_CUSTOMIZE);
        CCustomizeSheet* sheet = g_pCustomizeSheet;
        EXPECT_NE(sheet, nullptr);
        // Beside the main window, so that no bar lies under it.
        sheet->move(1400, 0);
        QApplication::processEvents();
        return sheet;
    }
    CCustomToolBar* Std() const { return frame->StdToolBar(); }
    CCustomToolBar* Prop() const { return frame->PropertyBar(); }
    static QWidget* Button(CCustomToolBar* bar, unsigned command)
    {
        return bar->ItemWidget(bar->Buttons().IndexOf(command));
    }
    // A point of the bar at the boundary before entry `index`; a rebuilt bar
    // lays out its new items first.
    static QPoint Boundary(CCustomToolBar* bar, int index)
    {
        QApplication::processEvents();
        return {bar->BoundaryX(index) + 1, bar->height() / 2};
    }
    static void Press(QWidget* w, QPoint at = {})
    {
        QApplication::processEvents();
        QTest::mousePress(w, Qt::LeftButton, {}, at.isNull() ? w->rect().center() : at);
    }
    static void MoveTo(QWidget* w, QPoint at) { QTest::mouseMove(w, at); }
    static void Release(QWidget* w, QPoint at) { QTest::mouseRelease(w, Qt::LeftButton, {}, at); }
    // Drags the button of `command` on `from` to the boundary `index` of `to`.
    void DragButton(CCustomToolBar* from, unsigned command, CCustomToolBar* to, int index)
    {
        QApplication::processEvents();
        QWidget* button = Button(from, command);
        ASSERT_NE(button, nullptr);
        Press(button);
        const QPoint at = Boundary(to, index);
        MoveTo(to, at);
        Release(to, at);
    }
    // Picks the command in the Commands page and drags it to `to` at `index`.
    void DragFromList(CCustomizeSheet* sheet, int category, unsigned command, CCustomToolBar* to, int index)
    {
        sheet->Tabs()->setCurrentIndex(CCustomizeSheet::kCommands);
        CCustomizeCmds* page = sheet->CommandsPage();
        page->Categories()->setCurrentRow(category);
        QApplication::processEvents();
        CCmdIconListBox* list = page->Commands();
        int row = -1;
        for (int i = 0; i < list->count(); ++i)
            if (unsigned(list->ItemData(i)) == command)
                row = i;
        ASSERT_GE(row, 0) << command;
        const QRect item = list->visualItemRect(list->item(row));
        Press(list->viewport(), item.center());
        const QPoint at = Boundary(to, index);
        MoveTo(to, at);
        Release(to, at);
    }
    const List& Buttons(CCustomToolBar* bar) const { return bar->Buttons().Buttons(); }
};
} // namespace

TEST_F(CustomizeSheetTest, SheetHasFivePagesAndOneCloseButtonAndRemembersItsPage)
{
    CCustomizeSheet* sheet = Open();
    EXPECT_EQ(sheet->windowTitle(), "Customize");
    const char* titles[] = {"Toolbars", "Commands", "Style Bar", "Styles", "Options"};
    ASSERT_EQ(sheet->Tabs()->count(), 5);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(sheet->Tabs()->tabText(i), titles[i]);
    EXPECT_EQ(sheet->CloseButton()->text(), "Close");
    EXPECT_EQ(sheet->findChildren<QPushButton*>().size(), 2); // Close and Reset to Default
    // The Commands page lists the eight categories and a category's commands.
    sheet->Tabs()->setCurrentIndex(CCustomizeSheet::kCommands);
    EXPECT_EQ(sheet->CommandsPage()->Categories()->count(), 8);
    EXPECT_EQ(sheet->CommandsPage()->Commands()->count(), 10);
    EXPECT_EQ(sheet->CommandsPage()->Commands()->item(0)->text(), "New Diagram");
    sheet->CommandsPage()->Categories()->setCurrentRow(7);
    EXPECT_EQ(sheet->CommandsPage()->Commands()->item(0)->text(), "Select Mode");
    SaveShot("CustomizeCommandsPage", sheet);
    sheet->Tabs()->setCurrentIndex(CCustomizeSheet::kStyles);
    QTest::mouseClick(sheet->CloseButton(), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_EQ(g_pCustomizeSheet, nullptr);
    EXPECT_EQ(g_nCustomizePage, int(CCustomizeSheet::kStyles));
    EXPECT_EQ(Open()->GetActiveIndex(), int(CCustomizeSheet::kStyles));
}

TEST_F(CustomizeSheetTest, CommandsAreDraggedFromTheListOntoABarOrMovedWhenABarHasThem)
{
    CCustomizeSheet* sheet = Open();
    // 32768 Duplicate (Edit) is on no bar: added before entry 2 of the standard toolbar.
    DragFromList(sheet, 1, 32768, Std(), 2);
    EXPECT_EQ(Buttons(Std())[2], 32768u);
    EXPECT_EQ(Std()->Buttons().Count(), 34);
    SaveShot("CustomizeAddedDuplicate", frame.get());
    // 57635 Cut is on the standard toolbar: dragging it from the list moves it to the property bar.
    DragFromList(sheet, 1, 57635, Prop(), 1);
    EXPECT_FALSE(Std()->Buttons().Holds(57635));
    EXPECT_EQ(Buttons(Prop())[1], 57635u);
    // Dropped off the bars, a command from the list changes nothing.
    const List before = Buttons(Std());
    sheet->Tabs()->setCurrentIndex(CCustomizeSheet::kCommands);
    CCmdIconListBox* list = sheet->CommandsPage()->Commands();
    Press(list->viewport(), list->visualItemRect(list->item(0)).center());
    MoveTo(view, view->rect().center());
    Release(view, view->rect().center());
    EXPECT_EQ(Buttons(Std()), before);
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(CustomizeSheetTest, ButtonsMoveBetweenBarsAndLeaveWhenDroppedOffThem)
{
    Open();
    DragButton(Std(), 57634, Prop(), 0); // Copy to the front of the property bar
    EXPECT_FALSE(Std()->Buttons().Holds(57634));
    EXPECT_EQ(Buttons(Prop())[0], 57634u);
    // Within a bar: Print to the end of the standard toolbar.
    const int count = Std()->Buttons().Count();
    DragButton(Std(), 57607, Std(), count);
    EXPECT_EQ(Buttons(Std()).back(), 57607u);
    // Off the bars, onto the diagram: the button goes.
    Press(Button(Std(), 57601));
    MoveTo(view, view->rect().center());
    Release(view, view->rect().center());
    EXPECT_FALSE(Std()->Buttons().Holds(57601));
    EXPECT_TRUE(prompt.shown.empty());
    SaveShot("CustomizeMovedButtons", frame.get());
}

TEST_F(CustomizeSheetTest, DroppingBesideItselfMakesOrTakesTheSeparatorBefore)
{
    Open();
    // Save (index 2) has no separator before it: its right-hand boundary makes one.
    DragButton(Std(), 57603, Std(), 3);
    EXPECT_EQ((List(Buttons(Std()).begin(), Buttons(Std()).begin() + 4)), (List{57600, 57601, 0, 57603}));
    // Its left-hand boundary takes it away again.
    DragButton(Std(), 57603, Std(), 3);
    EXPECT_EQ((List(Buttons(Std()).begin(), Buttons(Std()).begin() + 3)), (List{57600, 57601, 57603}));
    // A click on a button only selects it: nothing runs and nothing moves.
    const List before = Buttons(Std());
    QTest::mouseClick(Button(Std(), 57632), Qt::LeftButton);
    EXPECT_EQ(Buttons(Std()), before);
}

TEST_F(CustomizeSheetTest, TheLastButtonStaysAndAFullBarTakesNoMore)
{
    CCustomizeSheet* sheet = Open();
    const unsigned one = 57600;
    Std()->EditButtons().Setup(&one, 1, IDB_TOOLBAR_STRIP, ToolBarImageTable(), 27, 26, 20, 20);
    Std()->Rebuild();
    QApplication::processEvents();
    Press(Button(Std(), 57600));
    MoveTo(view, view->rect().center());
    Release(view, view->rect().center());
    EXPECT_EQ(Buttons(Std()), List{57600});
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text,
              "Cannot remove toolbar control.  Toolbars must always have at least one control.");

    // A property bar of 100 entries: neither an added command nor a moved button gets in.
    List full = Buttons(Prop());
    while (full.size() < 100)
        full.push_back(0);
    Prop()->EditButtons().Setup(full.data(), 100, IDB_TOOLBAR_STRIP, ToolBarImageTable(), 27, 26, 20, 20);
    Prop()->Rebuild();
    QApplication::processEvents();
    prompt.shown.clear();
    DragFromList(sheet, 1, 32768, Prop(), 0);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, "Cannot add another control to this toolbar.");
    EXPECT_EQ(Buttons(Prop()), full);
    EXPECT_EQ(Buttons(Std()), List{57600});
}

TEST_F(CustomizeSheetTest, ClosingHalfwayThroughADragLeavesTheBarsAsTheyWere)
{
    CCustomizeSheet* sheet = Open();
    const List std = Buttons(Std()), prop = Buttons(Prop());
    Press(Button(Std(), 57632));
    MoveTo(Prop(), Boundary(Prop(), 2));
    SaveShot("CustomizeDragHalfway", frame.get());
    EXPECT_TRUE(sheet->IsDragging());
    QTest::keyClick(sheet, Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(g_pCustomizeSheet, nullptr);
    Release(Prop(), Boundary(Prop(), 2));
    EXPECT_EQ(Buttons(Std()), std);
    EXPECT_EQ(Buttons(Prop()), prop);
    QWidget* beams = Prop()->findChild<QWidget*>("dropBeams");
    ASSERT_NE(beams, nullptr);
    EXPECT_FALSE(beams->isVisible());
}

TEST_F(CustomizeSheetTest, RightClicksOutsideOpenNoMenu)
{
    Open();
    QTimer guard; // a menu that opened anyway is closed, and the test fails below
    bool menuOpened = false;
    QObject::connect(&guard, &QTimer::timeout, [&] {
        if (QWidget* popup = QApplication::activePopupWidget()) {
            menuOpened = true;
            popup->close();
        }
    });
    guard.start(50);
    QWidget* button = Button(Std(), 57600);
    QTest::mouseClick(button, Qt::RightButton);
    QContextMenuEvent menu(QContextMenuEvent::Mouse, button->rect().center(), button->mapToGlobal(button->rect().center()));
    QApplication::sendEvent(button, &menu);
    QApplication::processEvents();
    EXPECT_FALSE(menuOpened);
}

TEST_F(CustomizeSheetTest, ResetToDefaultGivesABarItsDefaultListAndShowsIt)
{
    CCustomizeSheet* sheet = Open();
    DragButton(Std(), 57634, Prop(), 0);
    frame->Commands().Execute(32826); // hide the standard toolbar
    ASSERT_FALSE(ShowStdToolBar);
    CCustomizeTbars* page = sheet->ToolbarsPage();
    CCheckListCtrl* list = page->List();
    EXPECT_FALSE(GetDlgItem(page, IDC_CUST_RESET)->isEnabled());
    list->setCurrentRow(0);
    EXPECT_TRUE(GetDlgItem(page, IDC_CUST_RESET)->isEnabled());
    SaveShot("CustomizeToolbarsPage", sheet);
    QTest::mouseClick(static_cast<QPushButton*>(GetDlgItem(page, IDC_CUST_RESET)), Qt::LeftButton);
    EXPECT_TRUE(ShowStdToolBar);
    EXPECT_EQ(list->GetCheck(0), 1);
    const auto defaults = DefaultStandardButtons();
    EXPECT_EQ(Buttons(Std()), List(defaults.begin(), defaults.end()));
    // Ticking a box hides or shows its bar at once.
    const QRect row = list->visualItemRect(list->item(1));
    const QPoint box(row.left() + CCheckListCtrl::kStateImageWidth / 2, row.center().y());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, box);
    EXPECT_FALSE(ShowPropertyBar);
    EXPECT_FALSE(Prop()->isVisible());
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, box);
    EXPECT_TRUE(ShowPropertyBar);
}

// A bar of 100 entries is saved whole when the sheet closes and comes back
// whole in a new main window.
TEST_F(CustomizeSheetTest, AHundredEntriesSurviveTheSettingsRoundTrip)
{
    CCustomizeSheet* sheet = Open();
    List list = Buttons(Std());
    for (unsigned id = 40100; list.size() < 99; ++id)
        list.push_back(id);
    Std()->EditButtons().Setup(list.data(), 99, IDB_TOOLBAR_STRIP, ToolBarImageTable(), 27, 26, 20, 20);
    Std()->Rebuild();
    QApplication::processEvents();
    DragFromList(sheet, 1, 32768, Std(), 5);
    ASSERT_EQ(Std()->Buttons().Count(), 100);
    list.insert(list.begin() + 5, 32768);
    EXPECT_EQ(Buttons(Std()), list);
    QTest::mouseClick(sheet->CloseButton(), Qt::LeftButton);
    QApplication::processEvents();
    frame.reset();
    CMainFrame again;
    EXPECT_EQ(again.StdToolBar() ? again.StdToolBar()->Buttons().Buttons() : List(), list);
}

TEST_F(CustomizeSheetTest, StyleBarPageRefusesOutOfRangeSizesAndAppliesGoodOnes)
{
    fx.doc.m_figButtons.PresetFigureButtons();
    fx.doc.SetModifiedFlag(false);
    CCustomizeSheet* sheet = Open(CCustomizeSheet::kStyleBar);
    CCustomizeSbar* page = sheet->StyleBarPage();
    auto* columns = static_cast<QLineEdit*>(GetDlgItem(page, IDC_SBAR_FIG_COLS));
    ASSERT_NE(columns, nullptr);
    EXPECT_TRUE(columns->isEnabled());
    EXPECT_EQ(columns->text(), "2");
    SaveShot("CustomizeStyleBarPage", sheet);
    struct Case {
        int id;
        const char* typed;
        const char* message;   // null: applied
    } cases[] = {
        {IDC_SBAR_FIG_COLS, "0", "Enter a valid number of button columns between 1 and 10"},
        {IDC_SBAR_CON_COLS, "11", "Enter a valid number of button columns between 1 and 10"},
        {IDC_SBAR_LBL_HEIGHT, "11", "Enter a valid button height between 12 and 100"},
        {IDC_SBAR_FIG_HEIGHT, "101", "Enter a valid button height between 12 and 100"},
        {IDC_SBAR_FIG_COLS, "3", nullptr},
    };
    for (const Case& c : cases) {
        prompt.shown.clear();
        auto* field = static_cast<QLineEdit*>(GetDlgItem(page, c.id));
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, c.typed);
        QTest::keyClick(field, Qt::Key_Return);
        if (c.message) {
            ASSERT_EQ(prompt.shown.size(), 1u) << c.typed;
            EXPECT_EQ(prompt.shown[0].text, c.message);
            EXPECT_FALSE(fx.doc.IsModified());
        } else {
            EXPECT_TRUE(prompt.shown.empty());
            EXPECT_TRUE(fx.doc.IsModified());
            EXPECT_EQ(fx.doc.m_figButtons.Columns, 3);
            EXPECT_EQ(fx.doc.m_figButtonsRestore.Columns, 2); // the copy Reset goes back to
        }
    }
}

TEST_F(CustomizeSheetTest, WithoutADocumentTheStylePagesAreEmptyAndDisabled)
{
    frame->MdiArea()->closeAllSubWindows();
    QApplication::processEvents();
    ASSERT_EQ(frame->GetActiveDocument(), nullptr);
    CCustomizeSheet* sheet = Open(CCustomizeSheet::kStyles);
    EXPECT_EQ(sheet->StylesPage()->Tree()->topLevelItemCount(), 0);
    EXPECT_FALSE(sheet->StylesPage()->Styles()->isEnabled());
    sheet->Tabs()->setCurrentIndex(CCustomizeSheet::kStyleBar);
    EXPECT_FALSE(GetDlgItem(sheet->StyleBarPage(), IDC_SBAR_FIG_COLS)->isEnabled());
    EXPECT_FALSE(GetDlgItem(sheet->StyleBarPage(), IDC_CUST_COMBOS)->isEnabled());
}

TEST_F(CustomizeSheetTest, StylesPageListsTheStylesByKindAndCategory)
{
    fx.doc.m_figStyles.RemoveAll();
    fx.doc.m_conStyles.RemoveAll();
    struct Fig {
        const char* name;
        const char* category;
        int label;
    } figs[] = {{"Box", "Basic", 0}, {"Round", "Basic", 0}, {"Star", "Shapes", 0}, {"Note", "Notes", 1}};
    for (const Fig& f : figs) {
        CFigProps props;
        ASSERT_EQ(fx.doc.m_figStyles.AddFigStyle(&props, f.name, 1, 1, f.label, "", f.category, 100, 50, "", "",
                                                 nullptr, 0, ""),
                  1);
    }
    CConProps con;
    ASSERT_EQ(fx.doc.m_conStyles.AddConStyle(&con, "Line", 1, 1, "", "", 0, "", 0, 0, 0, 0), 1);
    CCustomizeSheet* sheet = Open(CCustomizeSheet::kStyles);
    QTreeWidget* tree = sheet->StylesPage()->Tree();
    CStyleIconListBox* list = sheet->StylesPage()->Styles();
    auto names = [list] {
        QStringList out;
        for (int i = 0; i < list->count(); ++i)
            out << list->item(i)->text();
        return out.join(",");
    };
    ASSERT_EQ(tree->topLevelItemCount(), 3);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), "Labels");
    EXPECT_EQ(tree->topLevelItem(0)->childCount(), 0); // one label category adds nothing
    EXPECT_EQ(tree->topLevelItem(1)->childCount(), 2);
    EXPECT_EQ(tree->topLevelItem(2)->childCount(), 0);
    EXPECT_EQ(tree->currentItem(), tree->topLevelItem(1));
    EXPECT_EQ(names(), "Box,Round,Star");
    QApplication::processEvents();
    auto click = [tree](QTreeWidgetItem* item) {
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(item).center());
    };
    click(tree->topLevelItem(1)->child(1));
    EXPECT_EQ(names(), "Star");
    click(tree->topLevelItem(0));
    EXPECT_EQ(names(), "Note");
    click(tree->topLevelItem(2));
    EXPECT_EQ(names(), "Line");
    SaveShot("CustomizeStylesPage", sheet);
}
