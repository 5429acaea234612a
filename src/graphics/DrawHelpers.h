#pragma once
// Small geometry, grid and placement helpers shared by the views, the
// frames and the dialogs.
#include "platform/CRect.h"
#include "platform/LogFont.h"

// a + (b - a) x t / 255 in each coordinate.
POINT InterpolatePoint255(int t, const POINT& a, const POINT& b);
// The point's position between the two corners along the axis on which they
// differ, 0..255.
int GradientPosition255(const POINT& pt, const POINT& start, const POINT& end);
// |x - left| x 255 / width and |y - top| x 255 / height (0 for an empty side).
void RectPosition255(int x, int y, const RECT& rc, int* px, int* py);
bool IsPrintableChar(unsigned code);
// Every field zero, height -8, face "Arial".
void InitDefaultLogFont(LOGFONT& lf);

// The distance from the value to the next grid line up or down: a full step
// on a grid line, else to the line above (up) or below; both versions take
// the grid line at or below the value (floor), negative values included.
double GridRoundReal(bool up, double value, double step);
int GridRoundInt(bool up, int value, int step);

// Moves the rectangle (keeping its size) inside the main window less 5
// pixels and the desktop less 50 pixels, then to non-negative left and top.
// Returns whether it moved.
bool KeepRectInArea(CRect& rc, const CRect& mainWnd, const CRect& desktop);
// The same against the main window and the desktop of the application
// context; false (unmoved) without a main window.
bool KeepRectInMainWnd(CRect& rc);
// Places the window rectangle beside the rectangle to keep free (10 pixels
// away), taking the first of eight candidates that needs no moving; else the
// first candidate as moved. Returns whether the window rectangle changed.
bool PositionRectNear(CRect& wnd, const CRect& keepFree, const CRect& mainWnd, const CRect& desktop);
bool PositionDlgNearRect(CRect& wnd, const CRect& keepFree);
// Fills the program's default font (every field zero, height -8, "Arial").
void InitDefaultLogFont();

// The metrics of a font whose height is in points, measured on a screen
// context: line height = ascent + descent + 1; the first result is twelve
// line heights. False when the font cannot be made.
bool GetLogFontMetrics(const LOGFONT& lf, int* twelveLines, int* lineHeight, int* ascent);
