#pragma once
// Seams of the keyword text machinery that the application wires at start-up.
#include <string>

// The diagnostic trace (printf-style, one line): DiagPrintf unless a test
// records it. Null: nothing is traced.
extern int (*g_pfnKwTrace)(const char* format, ...);

// The load warning: a "Warning" box with OK and Cancel and the check box
// "&Don't show this warning again". Returns IDOK or IDCANCEL and sets
// *pbDontShow from the check box. Null: the warning is shown through the
// prompt seam as an OK/Cancel exclamation box, without the check box.
extern int (*g_pfnKwWarningDlg)(const std::string& text, bool* pbDontShow);

// Shows the load warning through the installed dialog or the prompt seam.
int ShowLoadWarning(const std::string& text, bool* pbDontShow);
