#pragma once
// The program-wide UI mode and the one function that changes it. Modes: 0
// select, 1 select text, 2 create with the current figure style, 3 text
// entry, 4 connector drawing, 5 zoom, 7 connection points; 6 is never stored
// and asks for the remembered select mode (the setting SelectMode).
#include <string>

extern int g_nUIMode;

// Style command ids: 500 per kind.
constexpr int kFigStyleCmdFirst = 36600;
constexpr int kConStyleCmdFirst = 37100;
constexpr int kLblStyleCmdFirst = 37600;
constexpr int kStyleCmdCount = 500;

void EnterUIMode(int mode, int styleCommandId);
// Back to the remembered select mode, or else deselect all.
void RestoreSelectMode();
void CloseActiveTextEditor();
bool IsActiveViewEditingText();
bool HasActiveViewTextSelection();
// The style's name, ": " and its description when there is one.
void ShowItemInfoInStatusBar(const std::string* name, const std::string* description);
void ShowItemInfoInStatusBarAlt(const std::string* name, const std::string* description);

void ResetUIMode();
