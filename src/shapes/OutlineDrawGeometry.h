#pragma once
// What the drawing routines draw for one operation of a prepared (mapped)
// outline program, without a device: the GDI primitive with its integer
// geometry, and the GDI+ stroke and fill with float geometry. The device
// contexts replay these. Every call moves the cursor past the operation's
// payload, whether it draws it or not.
#include "shapes/OutlineProgram.h"

#include <vector>

enum class OutlinePrim {
    None,
    Rectangle,
    Polyline,
    Polygon,
    Ellipse,
    RoundRect,
    Arc,
    Chord,
    Pie,
    Line,
    StyledPolyline,   // drawn through the styled-line stroker
};

struct GdiOutlineOp {
    OutlinePrim prim = OutlinePrim::None;
    CRect rect;                // rectangle, ellipse, rounded rectangle, arc box
    CSize corner;              // rounded rectangle corner ellipse
    std::vector<CPoint> pts;   // polylines, polygons, arc start/end, line ends
};

struct GdiPlusOutlineOp {
    OutlinePrim prim = OutlinePrim::None;
    CFltRect rect;
    CFltPoint corner;
    std::vector<CFltPoint> pts;
};

// The pen style that draws no outline.
constexpr int kPenStyleNone = 5;

// DrawOutlineOpGdi's geometry. Coordinates rounded to the nearest integer;
// rectangles, rounded rectangles and ellipses get one unit on their right and
// bottom (GDI leaves those edges out); a circle is the ellipse
// (x - r, y - r, x + r + 1, y + r + 1). With a non-zero pen style a rectangle
// (a closed five-point list) and a line go through the styled stroker. With
// skip or pen style 5 nothing is drawn. False when the payload does not fit.
bool GetGdiOutlineOp(BYTE op, const BYTE*& cursor, const BYTE* end, int penStyle, bool skip,
                     GdiOutlineOp& out);

// DrawSymbolOutline's geometry (stroke): a polyline of more than 3 points that
// ends where it starts is drawn as a polygon; chords are not stroked.
// FillSymbolOutline's geometry (fill): rectangles, polygons, ellipses and
// circles, rounded rectangles, arcs, chords and pies; polylines and lines are
// not filled. A non-zero pen style strokes rectangles and lines through the
// styled stroker. With skip nothing is drawn, and for the stroke pen style 5 too.
bool GetGdiPlusOutlineOp(BYTE op, const BYTE*& cursor, const BYTE* end, bool fillPass, int penStyle,
                         bool skip, GdiPlusOutlineOp& out);
