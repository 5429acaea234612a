// A modal dialog hands the activation back to the window it came from, even
// when another window took it while the dialog was up.
#include "platform/ui/DialogExec.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

TEST(DialogExec, TheWindowTheDialogCameFromIsActiveAgain)
{
    for (const bool parented : {true, false}) {
        SCOPED_TRACE(parented);
        QWidget main;
        main.resize(400, 300);
        main.show();
        main.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
        QDialog dialog(parented ? &main : nullptr);
        QWidget other;
        QTimer::singleShot(0, [&] {
            other.show();
            other.activateWindow();
            other.hide();
            dialog.reject();
        });
        EXPECT_EQ(ExecDialogReturningActivation(dialog), int(QDialog::Rejected));
        EXPECT_TRUE(QTest::qWaitForWindowActive(&main, 1000));
        EXPECT_EQ(QApplication::activeWindow(), &main);
    }
}
