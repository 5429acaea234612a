#pragma once
// Builders for the graphics brushes the fill code makes: linear gradients over
// a rectangle, path gradients over a path, and the bell-shaped and triangular
// blends.
#include "platform/GdipTypes.h"

#include <QPainterPath>

CGpBrush MakeSolidBrush(ARGB color);
// From color1 at the start to color2 at the end of the rectangle along angle
// degrees (clockwise on the screen); a scalable angle is stretched with the
// rectangle.
CGpBrush MakeLinearGradient(const QRectF& rect, ARGB color1, ARGB color2, float angle,
                            bool angleIsScalable);
// A path gradient over the path's outline with the centre at the bounds' centre,
// centre colour white and surround colour white until set.
CGpBrush MakePathGradient(const QPainterPath& path);

// The blend peaks (factor = scale) at focus (0..1) and falls to 0 at both ends
// along a bell (sigma) curve; for a linear gradient the factor weights color2,
// for a path gradient the centre colour.
void SetBlendBellShape(CGpBrush& brush, float focus, float scale = 1.0f);
// The same with straight ramps.
void SetBlendTriangularShape(CGpBrush& brush, float focus, float scale = 1.0f);
