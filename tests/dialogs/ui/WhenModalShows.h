#pragma once
// Drives a modal dialog the test is about to open: once it is up, `act`
// runs on it, its picture goes to KAVO_SHOTS (named after the test), and
// `button` is pressed; a dialog a refusal left open is closed so that the
// test goes on.
#include "controls/ui/CommandRecorder.h"
#include "platform/ui/DlgItems.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

template <class Dialog>
void WhenModalShows(std::function<void(Dialog&)> act, int button)
{
    QTimer::singleShot(0, [act, button] {
        auto* dlg = qobject_cast<Dialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        act(*dlg);
        SaveShot(dlg, testing::UnitTest::GetInstance()->current_test_info()->name());
        static_cast<QAbstractButton*>(GetDlgItem(dlg, button))->click();
        if (QApplication::activeModalWidget() == dlg)
            dlg->reject();
    });
}

// Types over the field's whole text, as a user selecting it first does.
inline void TypeOver(QLineEdit* field, const char* text)
{
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, text);
}
