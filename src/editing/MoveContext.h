#pragma once
// The move context: before objects move (a drag, an arrange command, paste,
// duplicate) and whenever the selection changes, the document works out
// which objects follow the moving ones and how far the move may go. Straight
// horizontal and vertical connectors keep their shape, so a figure at the
// far end of one is pulled along unless the connector's end can slide along
// that figure's side; a sliding end may not leave its side.
#include "document/CKavoDoc.h"

// Rebuilds the document's move context (follow list, limits and guides) for
// the moving objects against the object list; mode 2 for one object moved
// by an arrange command, 1 after commands, 0 after paste, duplicate and
// selection changes. Whether a guide was set.
int BuildMoveContextFor(CKavoDoc& doc, const CObjList* moving, const CObjList* objects, int mode);

// Makes the document build its move context with the rules above.
void InstallMoveContext();
