#pragma once
// The small figures of the shape drawing: corner marks, the marker glyphs of
// special shapes, the pill shape, junction marks and device-size markers.
// Each draws through the anti-aliased graphics when one is given (with its
// pen), else through the device context.
#include "platform/CRect.h"
#include "platform/Colorref.h"

class CDC;
class CFigSymbol;
class CGraphics;
struct CGpPen;

constexpr int kGlyphCount = 13;

// Four corner brackets, each arm (shorter side + 1) / divisor long; the right
// and bottom corners sit on right - 1 and bottom - 1.
void DrawCornerMarks(CGraphics* graphics, const CGpPen* pen, CDC* dc, const RECT& rect, int divisor);
// Glyph 0..12 in rect (integer arithmetic, fractions dropped); others draw nothing.
void DrawIconGlyph(CGraphics* graphics, const CGpPen* pen, CDC* dc, const RECT& rect, int glyph);
// A bar with round ends of the radius (limited to half the smaller side); 0
// draws a plain rectangle.
void DrawPillShape(CGraphics* graphics, const CGpPen* pen, CDC* dc, const RECT& rect, int radius);

// The glyph of a special-shape kind (-1 for kinds without one).
int MarkerGlyphOfKind(int kind);
// The glyph and its rectangle for the symbol's kind in the figure rectangle;
// 0 when the kind has no marker or the rectangle leaves no room.
int GetFigMarkerRect(const CFigSymbol* symbol, const RECT& figRect, int* glyph, CRect* out,
                     int arg1, int arg2);
// A size x size square vertically centred on the rectangle, two thirds of
// the size away from it: right of the right side for side kinds 1, 3 and 5
// (0 counts as 1), left of the left side for 2, 4 and 6.
void GetMarkerSquareBeside(const RECT& rect, int size, int side, CRect& out);
// The marker of a special shape; bracketed symbol names without flag2 get a
// rectangle twice the size (grown left and down).
void DrawFigMarker(CGraphics* graphics, const CGpPen* pen, CDC* dc, const RECT& figRect,
                        const CFigSymbol* symbol, int flag1, int flag2);

// A filled four-point mark of the colour under the null pen, round the
// rectangle's centre; nothing for size 0 or less or kind 0.
void DrawJunctionMark(CDC* dc, const RECT& rect, int size, COLORREF colour, int kind);
// A diamond of half-diagonal size / 2 in device pixels round the point, in the
// connection-point colour with a black one-pixel outline; nothing under 3 pixels.
void DrawDeviceMarker(CDC* dc, int size, int x, int y);
