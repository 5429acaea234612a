#pragma once
// The anti-aliased brush of a figure's fill over a rectangle.
#include "platform/CRect.h"
#include "platform/GdipTypes.h"
#include "shapes/FillDescription.h"

// A solid, linear-gradient or path-gradient brush; false for a transparent
// fill (or a gradient over an empty rectangle, which has no direction).
bool GpBrushFromFill(const CFillSpec& fill, const CRect& rect, CGpBrush& brush);
