#pragma once
// The connector sheets' commands in the program's command table.
class CCommandRegistry;
class QWidget;

void RegisterConSheetCommands(CCommandRegistry& commands, QWidget* parent);
