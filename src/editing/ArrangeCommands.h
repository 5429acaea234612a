#pragma once
// Align, Space Evenly and Center on Page: each rearranges the selection's
// arrange units (editing/../document/ArrangeUnits.h) as one undo step, the
// units moved through the document's list mover so that connectors, pins,
// labels and groups follow as they do for a drag.
class CKavoDoc;

// Align type 0 left, 1 horizontal centres, 2 right, 3 top, 4 vertical
// centres, 5 bottom, to the most recently selected object (its group's box
// when grouped). UDMAC_ALIGN; how many units moved.
int ArrangeAlign(CKavoDoc& doc, int type);
// Space Evenly: horizontal kind 1 centres, 2 left edges, 3 right edges,
// 4 equal gaps; vertical 5 centres, 6 top edges, 7 bottom edges, 8 equal
// gaps; 0 for none. A kind out of its range is 0; nothing happens when both
// are 0. UDMAC_SPACEEVEN.
void ArrangeSpaceEvenly(CKavoDoc& doc, int horzKind, int vertKind);
// Center on Page: mode 0 across, 1 down, 2 both; UDMAC_CENTERPG (logged
// also when nothing moves).
void ArrangeCenterOnPage(CKavoDoc& doc, int mode);

// The commands 33190..33195, 40010..40020; false for another id.
bool OnArrangeCommand(CKavoDoc& doc, int id);
