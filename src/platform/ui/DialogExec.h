#pragma once
// Running a modal dialog so that the window it came from is active again
// when it goes. The window system does not always hand the activation back
// (a window system without a window manager never does); a main window left
// inactive is raised over every menu popup its menu bar opens, and no menu
// can be seen any more.
class QDialog;

// QDialog::exec, then the dialog's parent window (or, for a dialog without
// a parent, the window that was active before it) is activated again.
int ExecDialogReturningActivation(QDialog& dlg);
