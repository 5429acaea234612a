#pragma once
// The context-menu commands of a view that act at the point where the menu
// was opened: a junction added to the connector there, the connector
// snipped there, and a self-transition looped out of the figure there.
#include "platform/CRect.h"

class CKavoView;
class CFigure;

constexpr int kCmdAddSelfRefHere = 33037, kCmdSnipConHere = 33038, kCmdAddJunctionHere = 33040;

// The connector under the point (ungrouped, its shape not fixed) is split
// by a new junction there in one step; false when there is none.
bool AddJunctionHere(CKavoView& view, const CPoint& logical);
// The same connector is cut in two there, its new ends pulled back by twice
// the hit tolerance, in one step.
bool SnipConnectorHere(CKavoView& view, const CPoint& logical);
// The figure under the point (ungrouped, no connector) gets a loop
// connector leaving and re-entering it at the part of its outline nearest
// the point, drawn with the current connector look made straight; a
// refusal says so in a message box.
bool AddSelfRefHere(CKavoView& view, const CPoint& logical);
// The part of the figure's outline a point names: the corners 1 (top left),
// 3, 6, 8 (bottom right) and the sides 2 (top), 4 (left), 5 (right),
// 7 (bottom), by the thirds of the figure's rectangle; the middle third
// names the nearest side.
int SelfRefKindAt(const CRect& figure, const CPoint& pt);
