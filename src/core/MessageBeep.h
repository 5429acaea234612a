#pragma once
// The warning sound of a refused action (MB_ICONEXCLAMATION and the other box
// icons name the sound). The application installs the function that sounds
// it; without one nothing sounds, so headless runs stay quiet.
#include "platform/WinTypes.h"

using MessageBeepHandler = void (*)(UINT type);

// Installs the handler; null silences the beep. Returns the one it replaces.
MessageBeepHandler SetMessageBeepHandler(MessageBeepHandler handler);
void MessageBeep(UINT type);
