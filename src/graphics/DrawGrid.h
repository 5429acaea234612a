#pragma once
// Dotted outlines and the view's grid, drawn on a device context.
#include "platform/CRect.h"
#include "platform/Colorref.h"

class CDC;

// A dotted outline with the hollow brush: kind 0 light grey, 1 black, 2 black
// inverted (R2_NOT), any other value is the pen colour.
void DrawDottedRect(CDC* dc, const RECT& rc, COLORREF kind);
// Grid lines (or black dots at the crossings with `dots`) every x and y step
// over the rectangle, in logical units.
void DrawGrid(CDC* dc, const RECT& rc, COLORREF color, bool dots, int xStep, int yStep);
// The first grid position at or after `start`, or one step earlier when
// that position still maps to a device coordinate of 0 or more.
int FirstGridLine(int start, int step, bool earlierVisible);
