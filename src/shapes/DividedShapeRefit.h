#pragma once
// Moving symbol-space points of special shapes: anchored moves against the
// figure rectangle, and the refits of rounded corners, round sides and arc
// sides from their point templates.
#include "platform/CRect.h"
#include "geometry/CFltRect.h"

// Adds and clamps to the symbol space.
void OffsetFltPoint(CFltPoint& p, float dx, float dy);
// Nothing when every delta is 0. Otherwise the point is un-anchored against
// the rectangle (unless raw), moved, clamped (a NaN becomes 0) and anchored
// again (unless raw).
void MoveFltPoint(CFltPoint& p, float dx, float dy, const RECT& rect, bool raw);
void MoveFltRect(CFltRect& r, float dx0, float dy0, float dx1, float dy1, const RECT& rect, bool raw);

// 69 points (RoundedRectTemplate69) or 21 points (RoundedRectTemplate21):
// the corner arcs are rescaled to the moved rounding reference, the straight
// sides shifted. Nothing for other counts or zero deltas.
void RefitRoundedCorners(int count, CFltPoint* pts, float dx, float dy);
// 69 points: both sides bulge by b = points[0].x + dx (0..2048) along a
// half circle (CircleTemplate69) or a circular arc.
void RefitRoundSides(int count, CFltPoint* pts, float dx);
void RefitArcSides(int count, CFltPoint* pts, float dx);
