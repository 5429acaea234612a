// The style pickers on the property bar, used as a user does: a press drops
// the categories, a category drops its palette of samples, a click on a
// cell makes that style the one to create with (UI mode 2) and leaves the
// diagram as it was; the "..." entry goes through the style-choice dialog.
#include "common/StyleDocFixture.h"
#include "common/TestSupport.h"
#include "controls/CStyleButtons.h"
#include "controls/CStylePickList.h"
#include "controls/StylePickCategories.h"
#include "core/Settings.h"
#include "core/UIMode.h"
#include "dialogs/CChooseStyleDlg.h"
#include "editing/ui/CKavoView.h"
#include "editing/ui/ViewEvents.h"
#include "frame/ui/CCustomToolBar.h"
#include "frame/ui/CMainFrame.h"
#include "platform/Prompt.h"
#include "platform/ui/DlgItems.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

void Shot(QWidget* w, const char* name)
{
    const QString folder = qEnvironmentVariable("KAVO_SHOTS");
    if (!folder.isEmpty())
        w->grab().save(QDir(folder).filePath(QString::fromLatin1(name) + ".png"));
}

QAction* MenuAction(QMenu* menu, const QString& text)
{
    for (QAction* a : menu->actions())
        if (a->text() == text)
            return a;
    return nullptr;
}

void ClickMenu(QMenu* menu, const QString& text)
{
    QAction* a = MenuAction(menu, text);
    ASSERT_NE(a, nullptr) << text.toStdString();
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(a).center());
}

struct StylePickerToolBarTest : testing::Test {
    CTempProfile profile;
    StyleDocFixture fx;
    std::unique_ptr<CMainFrame> frame;
    CKavoView* view = nullptr;
    int savedCollapsed = CollapsedStyleBar, savedAuto = AutoStyleButtons, savedProp = ShowPropertyBar;

    void SetUp() override
    {
        g_nUIMode = 0;
        ShowPropertyBar = 1;
        CollapsedStyleBar = 0;
        AutoStyleButtons = 1;
        frame = std::make_unique<CMainFrame>();
        frame->resize(1280, 600);
        frame->show();
        view = new CKavoView(&fx.doc);
        frame->AddViewFrame(view, "styles");
        // A collapsed style bar lends its pickers to the property bar.
        frame->Commands().Action(36561)->trigger();
        frame->OnIdleUpdateCmdUI();
    }
    void TearDown() override
    {
        frame.reset();
        CollapsedStyleBar = savedCollapsed;
        AutoStyleButtons = savedAuto;
        ShowPropertyBar = savedProp;
        g_nUIMode = 0;
    }
    CStylePickerButton* Picker(unsigned command)
    {
        return qobject_cast<CStylePickerButton*>(frame->PropertyBar()->ControlForCmd(command));
    }
    // Drops the picker's categories and the palette of one of them.
    CPalettePopup* DropCategory(CStylePickerButton* picker, const char* category, int& index)
    {
        QTest::mousePress(picker, Qt::LeftButton, {}, QPoint(5, 5));
        QMenu* menu = picker->TopMenu();
        EXPECT_TRUE(menu && menu->isVisible());
        if (!menu)
            return nullptr;
        index = int(menu->actions().indexOf(MenuAction(menu, category)));
        ClickMenu(menu, category);
        return picker->CategoryPopup(index);
    }
};

} // namespace

TEST_F(StylePickerToolBarTest, PickersFollowTheActiveDocumentAndShowItsDefaults)
{
    CStylePickerButton* figures = Picker(36565);
    CStylePickerButton* connectors = Picker(36566);
    CStylePickerButton* labels = Picker(36567);
    ASSERT_TRUE(figures && connectors && labels);
    EXPECT_EQ(figures->GetDocument(), &fx.doc);
    EXPECT_TRUE(figures->isEnabled());
    EXPECT_EQ(figures->GetCurSel(), fx.Fig("Router"));
    EXPECT_EQ(connectors->GetCurSel(), fx.Con("Ethernet"));
    EXPECT_EQ(labels->GetCurSel(), fx.Fig("Label"));
    EXPECT_EQ(figures->width(), 47);
    Shot(frame->PropertyBar(), "style_pickers_on_property_bar");
}

TEST_F(StylePickerToolBarTest, ACellSetsTheCreationStyleAndLeavesTheDiagram)
{
    CFigure* box = fx.AddBox(300, 300, 256, 172, "A");
    fx.doc.Select(box);
    fx.doc.ResetUndoLog();
    const std::string before = DocText(fx.doc);
    const auto steps = fx.doc.UndoLogRef().m_nStepsRecorded;
    CStylePickerButton* figures = Picker(36565);
    ASSERT_NE(figures, nullptr);
    int category = -1;
    CPalettePopup* palette = DropCategory(figures, "Network", category);
    ASSERT_TRUE(palette && palette->isVisible());
    Shot(palette, "figure_picker_network_palette");
    const QPoint at = palette->ItemRect(CategoryCommand(category, 1)).center();   // Switch
    QTest::mouseMove(palette, at);
    QTest::mouseClick(palette, Qt::LeftButton, {}, at);
    EXPECT_FALSE(palette->isVisible());
    EXPECT_EQ(figures->GetCurSel(), fx.Fig("Switch"));
    EXPECT_EQ(g_nUIMode, 2);
    EXPECT_EQ(fx.doc.m_nCurFigStyle, fx.Fig("Switch"));
    // Choosing what to create with changes nothing in the diagram and
    // records no step: the selection is let go instead.
    EXPECT_FALSE(fx.doc.HasSelection());
    EXPECT_EQ(DocText(fx.doc), before);
    EXPECT_EQ(fx.doc.UndoLogRef().m_nStepsRecorded, steps);
    Shot(frame->PropertyBar(), "style_pickers_after_choice");
}

TEST_F(StylePickerToolBarTest, TheDotsEntryChoosesThroughTheDialog)
{
    CStylePickerButton* connectors = Picker(36566);
    ASSERT_NE(connectors, nullptr);
    QTest::mousePress(connectors, Qt::LeftButton, {}, QPoint(5, 5));
    QMenu* menu = connectors->TopMenu();
    ASSERT_TRUE(menu && menu->isVisible());
    bool sawDialog = false;
    QTimer::singleShot(0, [&] {
        auto* dlg = qobject_cast<CChooseStyleDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        sawDialog = true;
        EXPECT_EQ(dlg->windowTitle(), "Choose a Connector Style");
        EXPECT_EQ(dlg->CategoryCombo()->currentText(), "<All>");
        CStylePickList& list = *dlg->List();
        const QRect row = list.RowRect(list.FindStyle(fx.Con("Solid Arrow")));
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(list.SampleWidth() + 10, row.center().y()));
        Shot(dlg, "connector_picker_dialog");
        static_cast<QAbstractButton*>(GetDlgItem(dlg, IDOK))->click();
    });
    ClickMenu(menu, "...");
    EXPECT_TRUE(sawDialog);
    EXPECT_EQ(connectors->GetCurSel(), fx.Con("Solid Arrow"));
    EXPECT_EQ(g_nUIMode, 4);
    EXPECT_EQ(fx.doc.m_nCurConStyle, fx.Con("Solid Arrow"));
}
