#pragma once
// Drawing one operation of a prepared (mapped) outline program onto a device
// context or a graphics object. Every routine moves the cursor past the
// operation's payload, drawn or not; false when the payload does not fit
// before `end` (the cursor then stays).
#include "shapes/OutlineProgram.h"

#include <vector>

class CDC;
class QPainterPath;
class CGraphics;
struct CGpBrush;
struct CGpPen;

// The styled-line stroker of the figure drawing: draws the point list with the
// pen style's own dash pattern (a line-style index of the dash table) at the
// selected pen's width; solid and thin simple styles use the pen as it is.
void StrokeStyledPolyline(CDC& dc, const std::vector<CPoint>& pts, int penStyle);

bool DrawOutlineOpGdi(BYTE op, const BYTE*& cursor, const BYTE* end, CDC& dc, int penStyle,
                      bool skip = false);
// The stroke pass (chords are not stroked); rectangles and lines of a dashed
// style take their dashes from the pen.
bool DrawSymbolOutline(BYTE op, const BYTE*& cursor, const BYTE* end, CGraphics& graphics,
                       const CGpPen& pen, int penStyle, bool skip = false);
// The fill pass (polylines and lines are not filled).
bool FillSymbolOutline(BYTE op, const BYTE*& cursor, const BYTE* end, CGraphics& graphics,
                       const CGpBrush& brush, bool skip = false);
// The area the fill pass covers for one operation, added to `area` (lines and
// polylines add none).
bool AddFillOutlineOp(BYTE op, const BYTE*& cursor, const BYTE* end, QPainterPath& area);
