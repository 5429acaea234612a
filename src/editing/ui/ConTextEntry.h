#pragma once
// Text entry on what a connector gesture made.
class CKavoView;
class CDiagObj;

// The text of what a connector gesture made (the style's automatic label) is
// typed at once when AutoEditOnCreate asks for it; true when the editor
// opened, which then holds the view in text mode.
bool EditNewConText(CKavoView& view, CDiagObj* made);
