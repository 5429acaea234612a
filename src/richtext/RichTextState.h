#pragma once
// The rich-text layer's program-wide state: the character width table, the
// shared advance array and the display measuring context; and the hooks it
// installs in the layers below.
void InstallRichTextHooks();
// Clears the state and installs the hooks again.
void ResetRichTextState();
