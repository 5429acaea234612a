#pragma once
// The small markers drawn over a diagram: connection-point markers, junction
// dots, selection and reshape handles and the crossed rectangle. Colours come
// from the settings as COLORREF (red in the low byte); the device context
// takes them as they are, so there is no other conversion on the way.
#include "platform/Colorref.h"
#include "platform/CRect.h"

class CDC;
class CConProps;

// Kind of DrawConPtMarker: the inverted cross that highlights a point.
constexpr int kConPtMarkerCross = 2;

// Kind 2: a small cross of five inverted (R2_NOT) lines whose end pixels are
// left out, so the pieces abut and overlap exactly as they are listed.
// Every other kind: the diamond (x-4, y) (x, y-4) (x+4, y) (x, y+4) filled
// with the setting ConPtColor and outlined with a 1-pixel black pen.
void DrawConPtMarker(CDC* dc, int x, int y, int kind);

// 3 x the line width, within 13 .. 33.
int JunctionDotDiameter(int lineWidth);
// A filled circle of JunctionDotDiameter centred on the point, in the line
// colour, without a pen.
void DrawJunctionDot(CDC* dc, int x, int y, const CConProps& props);

// A handle 60 % of the way to white: each channel c becomes c + (255 - c) x 3 / 5.
COLORREF LightenHandleColor(COLORREF color);
// A size x size square centred on the point, painted with PATCOPY in the
// selected brush, or, when disabled, in the lightened HandleColor.
void DrawHandleSquare(CDC* dc, int size, int x, int y, bool disabled);
// A diamond in device units (MM_TEXT, origins 0, the mapping restored):
// nothing when the size maps below 3 pixels; otherwise half-diagonal
// (pixels + extra) / 2 about the mapped point, filled, 1-pixel black rim.
// Connection-point markers take extra 0 and ConPtColor.
void DrawDeviceDiamond(CDC* dc, int size, int x, int y, int extra, COLORREF fill);
// The diamond of a reshape (divider) handle, drawn in device units: nothing
// when the size maps below 3 pixels; otherwise half-diagonal (size + 2) / 2,
// filled with ReshapeHandleColor, outlined with a 1-pixel black pen.
void DrawReshapeHandle(CDC* dc, int size, int x, int y);
// The rectangle's outline and both diagonals, 1-pixel solid black pen, hollow brush.
void DrawCrossInRect(CDC* dc, const RECT& rect);
