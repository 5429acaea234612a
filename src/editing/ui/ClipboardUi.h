#pragma once
// Copy and the paste worker on the system clipboard. Copy offers the copy
// set's diagram text, a single figure's plain text, and a PNG and an EMF
// picture of the selection, all made at the time of the copy (a later paste
// into another program gets what was copied, not what is selected then).
// Paste takes the diagram text, the program's rich text, RTF, plain text,
// bitmaps and enhanced metafiles.
#include <vector>

class CKavoDoc;
class QMimeData;

// Makes the copy, logs UDOC_TOCLIPBD and fills the clipboard; 0 when nothing
// is selected, the copy text cannot be made, or the log refused the record.
int CopySelectedToClipboard(CKavoDoc& doc);
// The Copy command: one UDMAC_COPYOBJS step; a failure is reported.
void OnEditCopy(CKavoDoc& doc);

// The paste formats (editing/ClipboardCommands.h) the data offers, in its
// own order, each once.
std::vector<int> PasteFormatsOf(const QMimeData* data);
// Whether the clipboard offers the format (0: any paste format).
bool ClipboardCanPaste(int format);
// The paste worker: the format given, or with 0 the clipboard's formats in
// its own order until one pastes. False (the document as it was) when
// nothing could be pasted.
bool PasteFromClipboard(CKavoDoc& doc, int format);
// A paste command: its trace line, the worker, and the message when it fails.
bool OnEditPaste(CKavoDoc& doc, int format, const char* trace);
