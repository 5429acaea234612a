#pragma once
// Dialog controls by numeric id, as the dialog code addresses them: a control
// carries its id in the "kavoCtrlId" property.
#include <QWidget>

#include <string>

void SetDlgCtrlID(QWidget* control, int id);
int GetDlgCtrlID(const QWidget* control);
// The child of the dialog with that id, or null.
QWidget* GetDlgItem(const QWidget* dialog, int id);
// Text of an edit, combo box, label or button, in Windows-1252; empty when the
// control is missing.
std::string GetDlgItemText(const QWidget* dialog, int id);
std::string GetWindowText(const QWidget* control);
// False when the control is missing or holds no text.
bool SetDlgItemText(QWidget* dialog, int id, const std::string& text);
bool SetWindowText(QWidget* control, const std::string& text);
