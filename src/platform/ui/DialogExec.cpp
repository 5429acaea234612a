#include "platform/ui/DialogExec.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>

int ExecDialogReturningActivation(QDialog& dlg)
{
    QPointer<QWidget> back = dlg.parentWidget() ? dlg.parentWidget()->window() : QApplication::activeWindow();
    const int result = dlg.exec();
    if (back && back->isVisible())
        back->activateWindow();
    return result;
}
