#pragma once
// The point generators that turn a connector's polyline into a curve (corner
// cutting), a smoothed curve through its points, or a polyline with rounded
// corners. Every generator counts first (out null) and refuses instead of
// allocating: generated curves live in one program-wide buffer.
#include "geometry/CPointArray.h"
#include "platform/CRect.h"
#include "platform/WinTypes.h"

// Line-shape bits of the connector's flag word.
constexpr DWORD CONSHAPE_CURVE = 2;
constexpr DWORD CONSHAPE_SMOOTH = 8;
constexpr DWORD CONSHAPE_ROUND = 16;
constexpr DWORD CONSHAPE_NOHOPS = 128;
constexpr DWORD CONSHAPE_MASK = CONSHAPE_CURVE | CONSHAPE_SMOOTH | CONSHAPE_ROUND;

// Size of the program-wide buffer that receives every generated curve.
constexpr int kMaxShapePts = 770;
// Size of the smoothing pre-pass buffer: longer lines are refused.
constexpr int kMaxSmoothInputPts = 50;

// Corner cutting with division ratio r at level L (2^L points per segment):
// (n - 2) x 2^L + 2 points; n <= 2 is copied. out null: only the count;
// -1 when more than kMaxShapePts points would be written. The first and last
// points never move; the points are cut in fractions of a unit and rounded
// once.
int CutCorners(int n, const POINT* in, POINT* out, int ratio, int level);
// Curve through corner cutting (ratio 4, level 4, or 2 when coarse). The
// tracked indexes (either may be null) follow the subdivision.
int CurveConPoints(int n, const POINT* in, POINT* out, bool coarse, int* track1, int* track2);
// The same after a pre-pass that pushes the points outward so that the curve
// runs through them; -1 for more than kMaxSmoothInputPts points.
int SmoothConPoints(int n, const POINT* in, POINT* out, bool coarse, int* track1, int* track2);
// Each interior corner rounded into 10 points (corners whose radius, limited to
// half of each neighbouring segment, is below 5 stay sharp). Tracked indexes
// move to the middle of their corner; the further indexes shift by 9 for every
// rounded corner before them. Counting returns 10 x (n - 2) + 2.
int RoundConCorners(int n, const POINT* in, POINT* out, int radius, bool coarse, int* track1,
                    int* track2, int* extraIndexes, int extraCount);

// Picks the generator by the first line-shape bit set (2, 8, 16), counts, and
// refuses with -1 above kMaxShapePts; otherwise generates into the shared
// buffer, points out at it (not owned) and returns the count. The result is
// valid until the next generation.
int MakeConShapePoints(DWORD flags, int n, const POINT* in, CPointArray& out, int roundRadius,
                       bool coarse, int* track1, int* track2, int* extraIndexes, int extraCount);
// The same taking the input array, which is freed on return; out's count is
// set to the result (out left empty on refusal).
int GetConShapePoints(DWORD flags, CPointArray points, CPointArray& out, int roundRadius,
                      bool coarse, int* track1, int* track2, int* extraIndexes, int extraCount);
