#pragma once
// The frame's Find (33035) and Replace (33036) commands: one modeless dialog
// at a time, reporting to the frame, and the program-wide search state kept
// between uses of the dialog.
class CKavoFindDlg;
class CMainFrame;

void InstallFindCommands(CMainFrame& frame);
// Opens the dialog of the kind asked for, or brings the open one forward.
void OpenFindReplace(CMainFrame& frame, bool replace);
// The open dialog, or null.
CKavoFindDlg* ActiveFindDialog();
// Closes the open dialog (its state kept for the next one); nothing when
// none is open.
void CloseFindReplace();
