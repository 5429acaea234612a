// The main frame's own window: the empty client area shows the cursor of
// the UI mode, and the text editor closes when the program loses the
// activation but not when the pointer crosses the empty area.
#include "common/DiagramFixture.h"
#include "core/UIMode.h"
#include "editing/ui/CKavoView.h"
#include "editing/ui/CTextDialog.h"
#include "editing/ui/ViewCursors.h"
#include "frame/ui/CMainFrame.h"
#include "frame/ui/FrameWindowWatch.h"

#include <QApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

namespace {
QImage CursorImage(const QCursor& cursor)
{
    return cursor.pixmap().toImage();
}
} // namespace

TEST(FrameWindow, TheEmptyAreaShowsTheCursorOfTheMode)
{
    CMainFrame frame;
    frame.resize(800, 600);
    frame.show();
    QWidget* area = frame.MdiArea()->viewport();
    const struct {
        int mode, role;
    } cases[] = {{2, kCursorCreate}, {0, int(Qt::ArrowCursor)}, {4, kCursorConnect},
                 {1, int(Qt::ArrowCursor)}, {5, kCursorZoom},
                 {3, kCursorZoom}}; // text entry leaves the cursor as it was
    int x = 50;
    for (const auto& c : cases) {
        g_nUIMode = c.mode;
        QTest::mouseMove(area, QPoint(x += 7, 60));
        QApplication::processEvents();
        const QCursor expected = ViewCursorFor(c.role);
        EXPECT_EQ(area->cursor().shape(), expected.shape()) << "mode " << c.mode;
        if (expected.shape() == Qt::BitmapCursor) {
            EXPECT_EQ(CursorImage(area->cursor()), CursorImage(expected)) << "mode " << c.mode;
        }
    }
    EXPECT_EQ(FrameAreaCursorRole(3), -1);
    EXPECT_EQ(FrameAreaCursorRole(7), -1);
    g_nUIMode = 0;
}

TEST(FrameWindow, LosingTheActivationClosesTheTextEditor)
{
    DiagramFixture fx;
    CMainFrame frame;
    frame.resize(900, 700);
    auto* view = new CKavoView(&fx.doc);
    frame.AddViewFrame(view, "d");
    frame.show();
    frame.windowHandle()->requestActivate();
    ASSERT_TRUE(QTest::qWaitFor([&frame] { return QGuiApplication::focusWindow() == frame.windowHandle(); }));
    CFigure* box = fx.AddBox(100, 100, 900, 300, "text");
    ASSERT_TRUE(view->OpenTextEditor(box, 0, false, CPoint(0, 0), 0, 0));
    ASSERT_NE(view->TextEditor(), nullptr);
    view->TextEditor()->setFocus();
    emit qApp->applicationStateChanged(Qt::ApplicationActive);
    EXPECT_NE(view->TextEditor(), nullptr);
    // The pointer crossing the empty client area leaves the editor open.
    frame.MdiArea()->activeSubWindow()->resize(300, 200);
    QTest::mouseMove(frame.MdiArea()->viewport(), QPoint(700, 500));
    QApplication::processEvents();
    EXPECT_NE(view->TextEditor(), nullptr);
    emit qApp->applicationStateChanged(Qt::ApplicationInactive);
    EXPECT_EQ(view->TextEditor(), nullptr);
}
