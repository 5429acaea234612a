#pragma once
class QWidget;

// True for a dialog window (a QDialog); false for no window.
bool IsDialogWindow(const QWidget* window);
