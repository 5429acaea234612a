#pragma once
// Where a connection point sits on its figure: two fractions of the
// rectangle in units of 1/2048 of the width and height, from the left and
// the top.
#include "geometry/CFltPoint.h"
#include "platform/CRect.h"

#include <cstdint>

// The flag of a point that connector drawing added on its own; it goes
// again once no connector uses it.
constexpr int32_t kConPtAutomaticFlag = 1;
constexpr int kConPtScale = 2048;

// The place of a new point at p: a p on the right or bottom side counts one
// unit inside, p outside the rectangle gives false. Integer arithmetic, so
// the right side of a figure w wide is (w - 1) * 2048 / w. A rectangle
// without width or height takes no point.
bool ConPtPlaceForAdd(const CRect& rc, const CPoint& p, CFltPoint& out);
// The place of a moved point: p may lie on the rectangle grown by one unit
// to the right and bottom.
bool ConPtPlaceForMove(const CRect& rc, const CPoint& p, CFltPoint& out);
