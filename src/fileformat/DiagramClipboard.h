#pragma once
// The Edit commands' diagram objects on the clipboard: Copy writes the
// selection (with the labels and staples that go with it) as diagram text;
// Paste reads such text back into a document, each paste a step further down
// and to the right. The clipboard itself is the UI's: these functions make
// and take the text that travels under the diagram MIME type.
#include <string>

class CKavoDoc;

// The copy text of the selection; empty when nothing is selected or the text
// cannot be made. Remembers the document as the copy source and resets the
// placement of new objects, so the next paste starts again.
std::string CopyDiagramObjects(CKavoDoc& doc);

// Pastes copied text into the document as one undo step (UDMAC_PASTE) and
// selects the pasted objects. The first paste into the copy source after a
// copy is centred on the position for new objects; into another diagram the
// copy keeps its own place; every later paste lands one placement step
// further on. False, with the document and its undo log
// as they were, for text that is not this program's or fails to load.
bool PasteDiagramObjects(CKavoDoc& doc, const std::string& text);

// The selection, with the labels, staples and groups that go with it,
// duplicated (moved by dx, dy) as one undo step (UDMAC_DUPLICATE); the
// duplicates become the selection. The copy source and the paste placement
// stay as they were. False, with the document and its undo log as they
// were, when nothing is selected or the copy fails.
bool DuplicateSelectionInPlace(CKavoDoc& doc, int dx = 0, int dy = 0);

// Forgets the copy source (program-wide state; ResetProgramState calls it).
void ResetDiagramClipboardState();
