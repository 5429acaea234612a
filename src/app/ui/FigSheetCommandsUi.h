#pragma once
// The figure and label Properties and Styles commands open the figure sheets
// over the active document.
class CCommandRegistry;
class QWidget;

void RegisterFigureSheetCommands(CCommandRegistry& commands, QWidget* parent);
