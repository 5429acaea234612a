#pragma once
// The toolbar's style pickers (commands 36565 figures, 36566 connectors,
// 36567 labels): the control each command shows on a bar, the command a
// choice runs (UI mode 2 with the chosen style), and the update rule that
// keeps each picker on the active document.
class CCommandRegistry;
class CMainFrame;
class QWidget;

void RegisterStylePickerCommands(CCommandRegistry& commands, CMainFrame& frame);
// The bar control of a picker command, null for another command. A choice
// in it runs the command.
QWidget* MakeStylePickerControl(unsigned command, CCommandRegistry& commands, QWidget* parent);
