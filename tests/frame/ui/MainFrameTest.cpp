// The main frame as a window: the autosave timer, routing of style commands
// and the menus' texts.
#include "common/DiagramFixture.h"
#include "core/Settings.h"
#include "core/UIMode.h"
#include "editing/ui/CKavoView.h"
#include "frame/ui/CMainFrame.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

TEST(MainFrameTest, AutoSaveTimerRunsOnlyWithMinutes)
{
    struct Case {
        int autoSave, minutes;
        bool running;
    } cases[] = {{1, 10, true}, {1, 0, false}, {0, 10, false}};
    CMainFrame frame;
    for (const Case& c : cases) {
        AutoSave = c.autoSave;
        AutoSaveMinutes = c.minutes;
        frame.ResetAutoSaveTimer();
        EXPECT_EQ(frame.AutoSaveTimerId() != 0, c.running) << c.autoSave << " " << c.minutes;
    }
}

TEST(MainFrameTest, StyleCommandsEnterTheirModeBeforeRouting)
{
    DiagramFixture fx;
    CMainFrame frame;
    frame.AddViewFrame(new CKavoView(&fx.doc), "d");
    g_nUIMode = 0;
    frame.OnCommand(37100);   // the first connector style
    EXPECT_EQ(g_nUIMode, 4);
    frame.OnCommand(36500);   // select mode
    EXPECT_EQ(g_nUIMode, 0);
    frame.OnCommand(36502);
    EXPECT_EQ(g_nUIMode, 5);
}

TEST(MainFrameTest, MenusCarryTheCommandTextsAndZoomPresets)
{
    CMainFrame frame;
    const char* tops[] = {"&File", "&Edit", "&View", "F&igures", "&Connectors", "&Labels", "&Window", "&Help"};
    for (const char* t : tops)
        EXPECT_NE(frame.FindTopMenu(t), nullptr) << t;
    EXPECT_EQ(frame.Commands().Action(57634)->text(), "&Copy\tCtrl+C");
    EXPECT_EQ(frame.Commands().Action(36520)->text(), "&Page Width");
    EXPECT_EQ(frame.Commands().Action(36530)->text(), "200%");
}
