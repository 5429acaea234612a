#pragma once
// What a control's owner window hears: every command (control id, code) sent
// to it, and the control's picture saved to KAVO_SHOTS when that is set.
#include "controls/CDlgCommandEvent.h"

#include <QDir>
#include <QObject>
#include <QWidget>

#include <utility>
#include <vector>

class CCommandRecorder : public QObject {
public:
    explicit CCommandRecorder(QObject* owner) { owner->installEventFilter(this); }
    std::vector<std::pair<int, int>> commands;   // (control id, code)
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == CDlgCommandEvent::EventType()) {
            const auto* command = static_cast<CDlgCommandEvent*>(e);
            commands.emplace_back(command->ControlId(), command->Code());
        }
        return false;
    }
};

inline void SaveShot(QWidget* widget, const char* name)
{
    const QString folder = qEnvironmentVariable("KAVO_SHOTS");
    if (!folder.isEmpty())
        widget->grab().save(QDir(folder).filePath(QString::fromLatin1(name) + ".png"));
}
