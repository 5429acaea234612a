#include "controls/WindowHelpers.h"

#include <QDialog>

bool IsDialogWindow(const QWidget* window)
{
    return qobject_cast<const QDialog*>(window) != nullptr;
}
