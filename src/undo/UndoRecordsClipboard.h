#pragma once
// UDOC_TOCLIPBD, the record a Copy leaves in the log: undoing the copy
// empties the clipboard, but only while it still holds this program's
// diagram objects (anything copied since by another program stays).
void ReplayCopyToClipboard();
