#pragma once
// Context help asked for by code below the application object (a dialog's
// help button). The application installs the handler that opens the help
// page; without one the request is dropped.
#include <cstdint>
#include <functional>

using HelpHandler = std::function<void(uint32_t context)>;

void SetHelpHandler(HelpHandler handler);
// Opens the help page of `context` through the installed handler.
void ShowContextHelp(uint32_t context);
