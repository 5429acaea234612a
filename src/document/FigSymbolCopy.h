#pragma once
// A figure's symbol is an entry of the document's symbol library that other
// figures and styles may share, so a figure whose outline or text boxes are
// about to change in place is first put on a copy of its own. The copies are
// remembered by name: undoing the step that made one drops it again.
class CFigSymbol;
class CKavoDoc;

// Appends a copy of `shape` under a new name of its series, remembered as an
// edit copy; its index, or -1 when the library refuses it.
int AddEditSymbolCopy(CKavoDoc& doc, const CFigSymbol& shape);
// Removes the edit copy `copy`, which nothing may stand on any more, when it
// is the library's last entry (removing it then shifts no index); whether it
// went.
bool DropEditSymbolCopy(CKavoDoc& doc, int copy);
// Whether two symbols draw the same outline and text boxes.
bool SameSymbolProgram(const CFigSymbol& a, const CFigSymbol& b);
