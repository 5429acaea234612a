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

// Cut: the copy text as Copy makes it, then the selection removed by the
// installed remover inside one undo step (UDMAC_CUTOBJS). Empty, with the
// diagram unchanged, when nothing could be copied; without a remover the
// selection is only copied.
std::string CutDiagramObjects(CKavoDoc& doc);
// The removing half of Cut (the document's cut of the selection with its
// dependants), installed by the document's delete commands.
using SelectionRemover = void (*)(CKavoDoc& doc);
void SetCutRemover(SelectionRemover remover);

// Forgets the copy source (program-wide state; ResetProgramState calls it).
// The installed remover stays.
void ResetDiagramClipboardState();
