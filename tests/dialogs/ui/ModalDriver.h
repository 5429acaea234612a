#pragma once
// Drives a modal dialog of type D once it is up: `work` runs on it as the
// user would, and a dialog it leaves open is cancelled so that no test hangs.
#include <QApplication>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

template <class D>
void WhenModalShows(std::function<void(D&)> work)
{
    QTimer::singleShot(0, [work] {
        auto* dlg = qobject_cast<D*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        work(*dlg);
        if (QApplication::activeModalWidget() == dlg)
            dlg->reject();
    });
}
