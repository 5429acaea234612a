#pragma once
// The commands the document handles itself: their ids and menu texts, and
// the operations behind the connector, line and arrow commands.
#include <vector>

class CKavoDoc;

struct DocCommand {
    int id;
    const char* menuText;   // empty: no menu item
};
// In the order the document lists them.
const std::vector<DocCommand>& DocCommandTable();
const DocCommand* FindDocCommand(int id);

// Connector shape (33030..33033), width (36540..36543), line style
// (36544..36549) and arrow length (33059..33061); figure line width
// (36550..36554); arrows 33056..33058. In the connector-creation mode (4)
// the connector commands change the current connector style, in the
// figure-creation mode (2) the figure commands the current figure style;
// otherwise the selection, in one undo step. False for an id not of these.
bool OnConnectorCommand(CKavoDoc& doc, int id);
bool OnFigureLineCommand(CKavoDoc& doc, int id);
bool OnArrowsCommand(CKavoDoc& doc, int id);
// The figure line style (Windows pen-style numbers), also used by the frame's
// line-style button.
void SetFigLineStyle(CKavoDoc& doc, int penStyle);
// The drop shadow on (the menu item unchecked) or off.
void SetDropShadow(CKavoDoc& doc, bool on);

// Grid and snap toggles (33072, 33073): the document's switch and the
// application's default become the negation of the document's; the settings
// are saved and the views redrawn.
void OnToggleGrid(CKavoDoc& doc);
void OnToggleSnap(CKavoDoc& doc);

// The enabling and check state of a document command on the document's
// present state (what the frame's update handlers show).
struct DocCommandState {
    bool enabled = false;
    bool checked = false;
};
DocCommandState GetDocCommandState(const CKavoDoc& doc, int id);

// The values of the command tables.
int ConShapeOfCommand(int id);       // 33030..33033 -> 0, 2, 8, 16
int AttachModeOfCommand(int id);     // 32807, 32808, 32810 -> 0, 1, 3
int PenStyleOfCommand(int id);       // 36544..36549 -> 0, 2, 1, 3, 4, 5

// Insert Symbol (32791): a figure of the symbol chosen in the gallery with
// the diagram's dominant look, one UDMAC_INSFROMGALLERY step; afterwards the
// select mode is back. False when cancelled or nothing was added.
bool OnInsertSymbol(CKavoDoc& doc);
// Edit Text (32787): the in-place editor on the text area under the cursor
// (area 0 when none), or the property sheet's text page for a figure of
// fixed size. False when the command does not apply.
bool OnEditText(CKavoDoc& doc);
// Delete (57632): the selection and what hangs on it, one UDMAC_DELOBJS step.
void OnEditClear(CKavoDoc& doc);
// Cut (57635): the selection to the clipboard, then deleted, one
// UDMAC_CUTOBJS step; a failed copy shows a message and resets the undo log.
// Available only while a clipboard copy is installed.
bool OnEditCut(CKavoDoc& doc);
bool CanCutToClipboard();
// The selection with its cascade cut (logged inside the caller's step).
void CutSelectedObjects(CKavoDoc& doc);
