#pragma once
// The commands' prompts in the string table, under the command's id: the
// status-bar text, a newline, then the command's short name.
#include <string>

// The prompt of the command, or null when it has none.
const char* CommandPrompt(unsigned command);
// The part before the newline: what the status bar shows while the command's
// menu item or button is pointed at. Empty without a prompt.
std::string CommandStatusText(unsigned command);
// The part after the newline ("Select Mode (F3)"): the button's tip. Empty
// without a prompt.
std::string CommandShortName(unsigned command);
