#include "controls/CDlgCommandEvent.h"

QEvent::Type CDlgCommandEvent::EventType()
{
    static const QEvent::Type type = QEvent::Type(QEvent::registerEventType());
    return type;
}
