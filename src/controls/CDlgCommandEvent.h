#pragma once
// A command a control sends to its dialog, as the dialog's command handler sees
// it: the control id in the low word and a notification code in the high word.
#include "platform/WinTypes.h"

#include <QEvent>

class QWidget;

// Notification of a number field committed with Enter: the dialog stays open
// on the field instead of closing.
constexpr WORD kFieldEnterNotify = 200;

class CDlgCommandEvent : public QEvent {
public:
    explicit CDlgCommandEvent(DWORD wParam) : QEvent(EventType()), m_wParam(wParam) {}
    static QEvent::Type EventType();
    DWORD WParam() const { return m_wParam; }
    int ControlId() const { return LOWORD(m_wParam); }
    int Code() const { return HIWORD(m_wParam); }

private:
    DWORD m_wParam;
};

// Sends the control's parent the command (the control's id, code); nothing
// for a control without a parent.
void NotifyParent(QWidget* control, int code);
// Sends the parent a command of its own (a menu command), code 0.
void SendParentCommand(QWidget* control, int command);
