#pragma once
// Symbol space: positions inside a figure symbol are floats in a square of
// 0..2048 on both axes, origin top-left, centre (1024, 1024). The symbol is
// scaled onto the figure's rectangle when it is used.
#include "geometry/IntGeometry.h"
#include "platform/CRect.h"

#include <cstdint>

constexpr float kSymbolSpaceMin = 0.0f;
constexpr float kSymbolSpaceMax = 2048.0f;
constexpr float kSymbolSpaceCentre = 1024.0f;

// Anchoring modes of one coordinate when the target rectangle is not square:
// 0 stretches with it, 1 keeps its distance from the low side (0) and 2 from
// the high side (2048), each in proportion to the shorter side.
constexpr int32_t kAnchorProportional = 0;
constexpr int32_t kAnchorNear = 1;
constexpr int32_t kAnchorFar = 2;

class CFltPoint;

// Where an integer point lies inside a rectangle, in symbol space. Both
// outputs start at 1024. Returns 0 when the point is outside the rectangle;
// the right and bottom borders count as inside (so that a point on them maps
// to 2048 and comes back there), an inverted rectangle holds nothing.
// Otherwise the left/top border gives 0, the right/bottom border 2048, other
// positions (p - left) × 2048 / width clamped to 0..2048; returns 1.
int PointToSymbolFraction(float& fx, float& fy, const POINT& pt, const RECT& rect);

// Maps a symbol-space point into a box of the given width and height: turns it
// about (1024, 1024) by the angle (radians; the values 3.14159, 1.570795 and
// -1.570795 exactly give the half and quarter turns without trigonometry),
// then scales each axis by its anchoring mode with s = min(width, height):
// mode 0 width × x / 2048, mode 1 s × x / 2048, mode 2 width − s × (2048 − x) / 2048.
// The point's modes are 0 afterwards.
void MapNormPtToSize(CFltPoint& pt, double width, double height, double angle);
// MapNormPtToSize with the rectangle's size, then moved by its top-left.
void MapNormPtToRect(CFltPoint& pt, const RECT& rect, double angle);
