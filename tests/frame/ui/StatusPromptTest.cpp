// The status bar shows a command's prompt while the user points at its menu
// item or its toolbar button, as the mouse reaches it; every command of the
// menus and bars has one.
#include "BarTestSupport.h"
#include "common/DiagramFixture.h"
#include "editing/ui/CKavoView.h"
#include "frame/CommandPrompts.h"
#include "frame/ui/CCustomToolBar.h"
#include "frame/ui/CMainFrame.h"
#include "platform/Ansi.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {
QString StatusText(unsigned command)
{
    return AnsiToQString(CommandStatusText(command));
}

void CollectMenuActions(const QList<QAction*>& actions, std::vector<QAction*>& out)
{
    for (QAction* a : actions) {
        if (a->menu())
            CollectMenuActions(a->menu()->actions(), out);
        else if (!a->isSeparator())
            out.push_back(a);
    }
}

struct StatusPromptTest : testing::Test {
    SavedBarSettings saved;
    DiagramFixture fx;
    CMainFrame frame;
    CKavoView* view = nullptr;

    void SetUp() override
    {
        ShowStdToolBar = ShowPropertyBar = 1;
        CollapsedStyleBar = 0;
        ShowStatusBar = 1;
        frame.resize(1280, 700);
        frame.statusBar()->show();
        frame.show();
        view = new CKavoView(&fx.doc);
        frame.AddViewFrame(view, "d");
        fx.doc.Select(fx.AddBox(100, 100, 300, 200, "A"));
        frame.OnIdleUpdateCmdUI();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));
    }
    QString Shown() const { return frame.statusBar()->currentMessage(); }
};
} // namespace

TEST_F(StatusPromptTest, EveryMenuItemAndBarItemHasAPrompt)
{
    std::vector<QAction*> items;
    CollectMenuActions(frame.menuBar()->actions(), items);
    ASSERT_GE(items.size(), 150u);
    for (QAction* a : items)
        EXPECT_FALSE(a->statusTip().isEmpty()) << "menu item " << a->data().toInt() << " " << a->text().toStdString();
    for (CCustomToolBar* bar : {frame.StdToolBar(), frame.PropertyBar()})
        for (int i = 0; i < bar->Buttons().Count(); ++i) {
            const unsigned command = bar->Buttons().Buttons()[size_t(i)];
            if (command != 0) {
                EXPECT_EQ(bar->ItemWidget(i)->statusTip(), StatusText(command)) << "bar item " << command;
            }
        }
}

// Pointing at a menu item, then at a toolbar button and at a box of the
// property bar, puts each one's prompt in the status bar.
TEST_F(StatusPromptTest, PointingAtACommandShowsItsPrompt)
{
    QMenu* file = frame.FindTopMenu("&File");
    ASSERT_NE(file, nullptr);
    QAction* fileTitle = file->menuAction();
    QTest::mouseClick(frame.menuBar(), Qt::LeftButton, {}, frame.menuBar()->actionGeometry(fileTitle).center());
    ASSERT_TRUE(QTest::qWaitForWindowExposed(file));
    QAction* save = frame.Commands().Action(57603);
    QTest::mouseMove(file, file->actionGeometry(save).center());
    EXPECT_EQ(Shown(), "Saves the active diagram");
    SaveShot("status_prompt_menu", &frame);
    QAction* exportItem = frame.Commands().Action(40003);
    QTest::mouseMove(file, file->actionGeometry(exportItem).center());
    EXPECT_EQ(Shown(), StatusText(40003));
    file->close();

    CCustomToolBar* bar = frame.StdToolBar();
    QWidget* button = bar->ItemWidget(bar->Buttons().IndexOf(36517));
    QTest::mouseMove(button, button->rect().center());
    EXPECT_EQ(Shown(), "Zooms in to next higher percentage");
    SaveShot("status_prompt_button", &frame);
    QWidget* fill = frame.PropertyBar()->ControlForCmd(36497);
    ASSERT_NE(fill, nullptr);
    QTest::mouseMove(fill, fill->rect().center());
    EXPECT_EQ(Shown(), "Changes the fill color");
}
