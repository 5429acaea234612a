// The main frame as a window: the autosave timer, routing of style commands
// and the menus' texts.
#include "common/DiagramFixture.h"
#include "core/Settings.h"
#include "core/UIMode.h"
#include "editing/ui/CKavoView.h"
#include "frame/ui/CMainFrame.h"
#include "platform/CPainterDC.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QTimer>
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

TEST(MainFrameTest, FileMenuListsTheRecentFilesAfterTheFirstItem)
{
    CMainFrame frame;
    std::vector<std::string> files = {"/a/b&c.kvd", "/home/someone/with/a/long/folder/name/diagram.kvd"};
    frame.SetRecentFileSource([&] { return files; });
    QMenu* file = frame.FindTopMenu("&File");
    ASSERT_NE(file, nullptr);
    const auto texts = [&] {
        QStringList out;
        for (QAction* a : file->actions())
            out << a->text();
        return out;
    };
    const auto around = [&](const QStringList& t) { return t.mid(t.indexOf("Print A&ll...") + 2, 3); };
    emit file->aboutToShow();
    EXPECT_EQ(around(texts()), (QStringList{"&1 /a/b&&c.kvd", "&2 /home/.../diagram.kvd", ""}));
    EXPECT_TRUE(frame.Commands().Action(ID_FILE_MRU_FIRST)->isEnabled());
    // The list shrinks with the application's; without files the item is greyed.
    files.clear();
    emit file->aboutToShow();
    EXPECT_EQ(around(texts()), (QStringList{"Recent File", "", "E&xit"}));
    EXPECT_FALSE(frame.Commands().Action(ID_FILE_MRU_FIRST)->isEnabled());
}

// Whatever was left on a view while a dialog covered it is gone once the
// dialog closes: the view renders its area again.
TEST(MainFrameTest, ClosingADialogRendersTheViewsAgain)
{
    DiagramFixture fx;
    CMainFrame frame;
    auto* view = new CKavoView(&fx.doc);
    frame.AddViewFrame(view, "d");
    frame.show();
    view->FlushPaint();
    const QPoint probe(201, 200);
    const QRgb clean = view->Surface().pixel(probe);
    {
        // A stray line drawn straight onto the surface, never invalidated.
        std::unique_ptr<CPainterDC> dc = view->GetClientDC();
        const CPoint a = view->ClientPtToLogical(CPoint(200, 100));
        const CPoint b = view->ClientPtToLogical(CPoint(204, 300));
        const CRect line(a.x, a.y, b.x, b.y);
        dc->FillSolidRect(&line, RGB(255, 0, 0));
        dc->Flush();
    }
    ASSERT_EQ(view->Surface().pixel(probe), qRgb(255, 0, 0));
    QDialog dialog(&frame);
    QTimer::singleShot(0, &dialog, &QDialog::reject);
    dialog.exec();
    QApplication::processEvents();
    view->FlushPaint();
    EXPECT_EQ(view->Surface().pixel(probe), clean);
}
