#pragma once
// End symbols and stamp shapes drawn at the tip of a line, on the device
// context and through the anti-aliased graphics. A copy of the shape is
// turned along the line into the square of half-side `size` about the tip
// (the symbol's 2048-unit space pivots at (1024, 1024)); the library entry
// itself is never changed.
#include "platform/Colorref.h"
#include "platform/CRect.h"

class CDC;
class CGraphics;
class CShapeDef;

// Drawing modes of DrawEndShape (and styles of DrawEndSymbolGdip).
constexpr int kEndShapeOutline = 0;
constexpr int kEndShapeFill = 1;
constexpr int kEndShapeTracking = 2;   // outline inverted (R2_NOT)
constexpr int kEndShapeFillOutline = 3;

// Fill (modes 1 and 3): winding fill in the fill colour without a pen, the
// fill sub-program up to its end byte 1. Outline (modes 0, 2 and 3): a solid
// pen of the border width and colour (the null pen for a width of 0 or
// less), hollow brush, the outline sub-program up to its end byte 2; mode 2
// inverts. Nothing without a DC, a shape program, or for a size of 0 or less.
void DrawEndShape(CDC* dc, const CShapeDef* shape, const POINT& tip, const POINT& toward, int size,
                  int borderWidth, COLORREF borderColor, COLORREF fillColor, int mode);

// The graphics twin: smoothing is high quality with antiAlias, else high
// speed (restored afterwards). Styles 1 and 3 fill, 0, 2 and 3 stroke.
void DrawEndSymbolGdip(CGraphics* graphics, const CShapeDef* shape, const POINT& tip,
                       const POINT& toward, int size, int lineWidth, COLORREF lineColor,
                       COLORREF fillColor, int style, bool antiAlias);

// How far the line stops short of the tip inside an end shape of this size:
// MulDiv(size, LineTo, 100) for a size above 1, else 0.
int EndShapeInset(const CShapeDef* shape, int size);
