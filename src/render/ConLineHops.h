#pragma once
// Line hops: small half-circle jumps where a connector crosses an earlier one.
#include "geometry/CPointArray.h"
#include "platform/CRect.h"

// Size of each of the program-wide hop buffers.
constexpr int kMaxHopPts = 1826;
constexpr int kMinHopRadius = 2;
constexpr int kMaxHopRadius = 128;
// Points on the circle table: a 1000 x 1000 grid, radius 500 about (500, 500);
// index 0 at (0, 500), 16 at (500, 0), 32 at (1000, 500), 48 at (500, 1000).
constexpr int kCirclePts = 64;

const POINT* HopCircleTable();

// The arc from `from` to `to` about `centre` over the side the hop bulges to,
// written to out (at least 33 points); returns the number of points.
int MakeHopArc(POINT* out, const POINT& from, const POINT& to, const POINT& centre, int radius);

// The line with a hop at every crossing (given in order along the line, each
// with the index of its segment). out views the first program-wide hop buffer.
// -1 when refused: fewer than 2 points, no crossing, a radius outside 2..128,
// or no room.
int AddLineHops(const CPointArray& line, CPointArray& out, const POINT* crossings,
                int crossingCount, const int* segmentOfCrossing, int radius);
