#include "controls/CDlgCommandEvent.h"

#include "platform/ui/DlgItems.h"

#include <QApplication>
#include <QWidget>

QEvent::Type CDlgCommandEvent::EventType()
{
    static const QEvent::Type type = QEvent::Type(QEvent::registerEventType());
    return type;
}

namespace {
void SendToParent(QWidget* control, DWORD wParam)
{
    if (QWidget* parent = control ? control->parentWidget() : nullptr) {
        CDlgCommandEvent event(wParam);
        QApplication::sendEvent(parent, &event);
    }
}
} // namespace

void NotifyParent(QWidget* control, int code)
{
    SendToParent(control, MAKELONG(WORD(GetDlgCtrlID(control)), WORD(code)));
}

void SendParentCommand(QWidget* control, int command)
{
    SendToParent(control, MAKELONG(WORD(command), 0));
}
