#pragma once
// Context help of a dialog: the caption's help button, F1 and (when the
// dialog has one) its Help push button all open the dialog's help topic
// through the program's help seam.
#include <cstdint>

class QDialog;
class QPushButton;
class QWidget;

void InstallContextHelp(QDialog* dialog, uint32_t topic);
// A "&Help" push button (control id IDHELP) that opens the topic.
QPushButton* MakeHelpButton(QWidget* parent, uint32_t topic);
