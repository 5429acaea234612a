#pragma once
// Interfaces of trunk diagrams: where an interface's connector meets its
// trunk node, the "To Interface" command that joins them, and the re-attach
// after an interface moved alone. Everything refuses while the trunk switch
// is off.
#include "platform/CRect.h"

class CFigure;
class CKavoDoc;

// The name the interface connector style must have, exactly.
constexpr const char* kInterfaceStyleName = "To Interface";

// The line a preview of the interface connector would draw.
struct InterfacePreview {
    CPoint start;
    CPoint end;
};

// Where on `node` a connector from `fig` meets it: on the node's side that
// faces the figure's centre (the first side for a point off a corner), at
// the centre's projection onto that side. Side codes 2 top, 5 right,
// 8 bottom, 11 left. False when the centre lies inside the node.
bool FindInterfacePoint(const CFigure* fig, const CFigure* node, POINT& meet, int& side);
// The same for a figure centre and a node rectangle (moved rectangles while
// dragging); works whatever the trunk switch says.
bool InterfacePointOnRect(const POINT& centre, const RECT& node, POINT& meet, int& side);

// The "To Interface" command on a trunk object: with `preview` only the
// line is worked out; otherwise the connector is created in the
// "To Interface" style and the figure linked to the node (or to the node's
// junction). 1 on success, 0 on refusal or failure.
int CreateInterface(CKavoDoc& doc, CFigure* fig, int* side, InterfacePreview* preview);

// After the interface moved alone: its connector to the node meets the node
// at the new place and the figure link follows. The connector's ends are
// logged first. False when there is nothing to re-attach.
bool ReattachInterface(CKavoDoc& doc, CFigure* iface, CFigure* node);
