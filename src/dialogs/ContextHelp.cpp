#include "dialogs/ContextHelp.h"

#include "core/HelpRequest.h"
#include "platform/ui/CPropertySheet.h"
#include "platform/ui/DlgItems.h"

#include <QDialog>
#include <QEvent>
#include <QKeyEvent>
#include <QPushButton>
#include <QWhatsThis>

namespace {
// The caption's "?" enters what's-this mode; the program has one help page
// per dialog instead, so the mode is left at once and the page opens. F1
// reaches the dialog when the control with the focus leaves it alone.
class CContextHelpFilter : public QObject {
public:
    CContextHelpFilter(QDialog* dialog, uint32_t topic) : QObject(dialog), m_topic(topic) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::EnterWhatsThisMode)
            QWhatsThis::leaveWhatsThisMode();
        else if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1)
            return QObject::eventFilter(watched, event);
        ShowContextHelp(m_topic);
        return true;
    }

private:
    uint32_t m_topic;
};
} // namespace

void InstallContextHelp(QDialog* dialog, uint32_t topic)
{
    dialog->setWindowFlag(Qt::WindowContextHelpButtonHint, true);
    dialog->installEventFilter(new CContextHelpFilter(dialog, topic));
}

QPushButton* MakeHelpButton(QWidget* parent, uint32_t topic)
{
    auto* button = new QPushButton(QObject::tr("&Help"), parent);
    SetDlgCtrlID(button, IDHELP);
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, parent, [topic] { ShowContextHelp(topic); });
    return button;
}
