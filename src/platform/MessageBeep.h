#pragma once
// The warning sound of a refused input. The UI installs the sound; tests
// install a recorder. Without a handler nothing is heard.
#include "platform/WinTypes.h"

using BeepHandler = void (*)(UINT type);
// Installs the handler (null: silent); returns the one it replaces.
BeepHandler SetBeepHandler(BeepHandler handler);
void MessageBeep(UINT type);
