#pragma once
// The direction indicator of an association label in trunk diagrams: a
// small filled triangle in the label that points the way the association
// name reads along its connector.
#include "platform/CRect.h"

class CConnector;
class CDC;
class CFigure;
class CStaple;

// Direction codes, one per sixth of a turn (y grows downwards on screen):
// 1 right, 3 up-right, 4 up-left, 2 left, 5 down-left, 6 down-right, so
// that a backward indicator swaps 1<->2, 3<->5 and 4<->6. The sixths are
// turned 15 degrees off the axes: a vertical connector reads up-left (4) or
// down-right (6) however little it leans.
//
// The label's code: forward reads from the connector's end 1 to end 2; a
// label on the negative side of its connector (LateralOffset < 0) whose
// consistency flag is clear reads the other way; a backward indicator (2)
// swaps the code. 0 without an indicator or with a zero-length connector.
int GetDirectionCode(const CFigure& label, const CConnector& con, const CStaple& staple);
// The triangle for a code, centred in `rc`, `size` units across; false for
// a code outside 1..6 or a size below 2.
bool DirectionIndicatorPoints(const RECT& rc, int code, int size, POINT out[3]);
// Draws the label's indicator, two thirds of its text height, filled with
// the current brush; false when there is nothing to draw.
bool DrawDirectionIndicator(CDC& dc, const CFigure& label, const CConnector& con, const CStaple& staple);
