#pragma once
// Where a placed figure (a port, pin, name tab, stacked figure) goes against
// its host: sixteen placement types over plain rectangles in logical units.
// Each rule moves the placed rectangle R and gives the anchor P on it and
// the anchor Q on the host H that the link between them keeps.
#include "platform/CRect.h"

// Placement types 1..16. `snap` is the inner snap distance (-1: none); only
// the border rule (types 1, 2, 3, 15) uses it. False, with R unchanged, for a
// rule that fails or a type out of range.
bool PlacePinRect(int type, CRect& r, const CRect& h, CPoint& p, CPoint& q, int snap);

// How far the placement would move R: the rounded distance between its
// top-left corners before and after (no snap). False when the rule fails.
bool PlacePinDistance(int type, int& distance, const CRect& r, const CRect& h, CPoint& q);
