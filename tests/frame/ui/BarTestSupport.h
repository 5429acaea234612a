#pragma once
// What the bar and Customize tests share: the bar settings put back after
// each test, and pictures of the widgets for KAVO_SHOTS.
#include "core/Settings.h"

#include <QApplication>
#include <QDir>
#include <QWidget>

inline void SaveShot(const QString& name, QWidget* widget)
{
    const QString folder = qEnvironmentVariable("KAVO_SHOTS");
    if (folder.isEmpty())
        return;
    QApplication::processEvents(); // a rebuilt bar lays out its new items
    widget->grab().save(QDir(folder).filePath(name + ".png"));
}

struct SavedBarSettings {
    int std = ShowStdToolBar, prop = ShowPropertyBar, collapsed = CollapsedStyleBar, autoButtons = AutoStyleButtons,
        combos = ShowStyleBarCombos;
    ~SavedBarSettings()
    {
        ShowStdToolBar = std;
        ShowPropertyBar = prop;
        CollapsedStyleBar = collapsed;
        AutoStyleButtons = autoButtons;
        ShowStyleBarCombos = combos;
    }
};
