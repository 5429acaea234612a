#pragma once
// Re-anchoring symbol coordinates when a figure changes size so that only a
// stretch region of the symbol takes up the change: coordinates left of (or
// above) the region keep their distance from the left (top) side, those right
// of (below) it their distance from the right (bottom) side.
#include "platform/CRect.h"
#include "geometry/CFltRect.h"

#include <cstdint>

class CConPtList;

void ReanchorPoint(CFltPoint& p, const SIZE& oldSize, const SIZE& newSize, const CFltRect& region);
// Both corners.
void ReanchorRect(CFltRect& r, const SIZE& oldSize, const SIZE& newSize, const CFltRect& region);
// Every coordinate of the operations of one sub-program (to its end byte).
// A rounded rectangle's corner size and a circle's radius are sizes, not
// positions: they are scaled to keep their drawn size. False when the walk
// meets a malformed operation.
bool ReanchorSubProgram(BYTE* program, int length, int32_t pos, BYTE endByte, const SIZE& oldSize,
                        const SIZE& newSize, const CFltRect& region);
void ReanchorConPts(CConPtList& list, const SIZE& oldSize, const SIZE& newSize, const CFltRect& region);
