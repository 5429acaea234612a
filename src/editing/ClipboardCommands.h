#pragma once
// The document's side of Copy, Paste and Duplicate: the undo step around a
// copy, the new label that pasted text becomes, and Duplicate with its
// offset. The clipboard itself is the windows' (editing/ui/ClipboardUi.h).
#include "platform/CRect.h"

#include <functional>
#include <string>

class CKavoDoc;
class CFigure;

// The clipboard formats the paste worker knows (the standard ones keep
// their numbers, the program's own are registered ones).
constexpr int kCfText = 1;
constexpr int kCfDib = 8;
constexpr int kCfEnhMetafile = 14;
constexpr int kCfKavoDiagram = 0xC000;
constexpr int kCfKavoKrtf = 0xC001;

// At most this many characters of pasted text are kept.
constexpr int kPastedTextLimit = 4095;

// The Copy command around `copy` (which logs UDOC_TOCLIPBD and fills the
// clipboard): one UDMAC_COPYOBJS step, undone at once when the step was
// abandoned for lack of undo memory; then the selection's move context.
// What `copy` answered (0 failed).
int RunCopyCommand(CKavoDoc& doc, const std::function<int(CKavoDoc&)>& copy);

// Pasted text as a new free label of the current label style (the first
// label style when none is current, default label properties when the
// library has none) at pos, sized to its text, in one UDMAC_PASTE step and
// selected. Plain text is cut to kPastedTextLimit characters before it
// becomes markup; the program's rich text is taken through the markup
// reader, which refuses what it cannot read. Null when nothing was added.
CFigure* PastePlainTextAsLabel(CKavoDoc& doc, const std::string& plain, const POINT& pos);
CFigure* PasteMarkupAsLabel(CKavoDoc& doc, const std::string& markup, const POINT& pos);

// Duplicate (Ctrl+D): the copy set duplicated two grid steps (snapping on)
// or 16 units down and to the right, one UDMAC_DUPLICATE step; the copies
// become the selection and the paste placement starts again. False when
// nothing was duplicated.
bool OnDuplicate(CKavoDoc& doc);
// The Duplicate offset of the document.
CSize DuplicateOffset(const CKavoDoc& doc);
