#pragma once
// Geometry on integer points, rectangles and segments in logical units
// (1/256 inch, y growing downwards). Pure computations: nothing here keeps
// state except the lazily built factor table of PtDistanceFast.
//
// Conventions shared by every routine:
// - Rounding a double to an int adds 0.5 and truncates toward zero, so -2.7
//   becomes -2 (RoundAddHalf). Integer divisions truncate toward zero.
// - Angles are radians clockwise from up: up 0, right pi/2, down pi, left
//   3pi/2, written with pi as 3.14159. The four constants below are compared
//   for equality by LineAngle and PtAtAngle, so they must stay these literals.
// - Intermediate sums and products are widened, and results that do not fit
//   an int saturate, so that no input overflows or converts NaN to an int.
#include "geometry/CLineSeg.h"
#include "platform/CRect.h"

#include <cstdint>

inline constexpr double kGeomHalfPi = 1.570795;
inline constexpr double kGeomPi = 3.14159;
inline constexpr double kGeomThreeHalfPi = 4.712385;
inline constexpr double kGeomTwoPi = 6.28318;

// Float point and rectangle (32-bit floats), as symbol space coordinates use.
struct FloatPt {
    float x = 0.0f;
    float y = 0.0f;
};
struct FloatRect {
    float left = 0.0f;
    float top = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;
};

// The value clamped into the int range.
int SaturateInt(int64_t v);
// Add 0.5 and truncate toward zero; NaN gives 0 and values beyond the int
// range saturate.
int RoundAddHalf(double v);

// ---- Midpoints and rectangles (IntGeometryRects.cpp) ----
int Midpoint(int a, int b);                       // a + (b - a) / 2
float MidpointF(float a, float b);                // a + (b - a) * 0.5
void GetRectCenter(const RECT& rc, int& x, int& y);
CPoint RectCenterPt(const RECT& rc);
FloatPt GetRectCenterF(const FloatRect& rc);
// left = cx - width/2, top = cy - height/2, right = left + width, ...
CRect RectFromCenter(int cx, int cy, int width, int height);
CPoint PtMidpoint(const POINT& a, const POINT& b);
CPoint SegmentMidpoint(int x1, int y1, int x2, int y2);
// p1 + (p2 - p1) / n per axis; n 0 gives p1.
CPoint PtFraction(const POINT& p1, const POINT& p2, int n);
// The smallest rectangle whose sides pass through the outermost of count
// (at least 1) points.
CRect BoundsOfPts(const POINT* pts, int count);
void SortRectCoords(RECT& rc);
void NormalizeRect(RECT& rc);
void ClampPtToRect(POINT& pt, const RECT& rc);
void ClipRectToRect(RECT& rc, const RECT& bounds);
void KeepRectInRect(RECT& rc, const RECT& bounds);
bool RectExceeds(const RECT& rc, const RECT& bounds);
// False when rc moved by (dx, dy) stays inside bounds. Else dx and dy become
// the correction that brings the moved rectangle's offending sides back onto
// bounds (left before right, top before bottom), 0 on an axis that fits.
bool ClampOffsetToRect(const RECT& rc, int& dx, int& dy, const RECT& bounds);
// All-zero rectangles count as absent: an all-zero src changes nothing, an
// all-zero dst becomes src.
void UnionRectSkipEmpty(RECT& dst, const RECT& src);
// Note the argument order: top, left, bottom, right. Each margin is rounded;
// false (rc unchanged) when rc is inverted or the result would be.
bool InsetRectByMargins(RECT& rc, double top, double left, double bottom, double right);
// The largest of the four bands of outer around inner (above, below, right,
// left), judged by the smaller of its two dimensions; outer when none has room.
CRect LargestRectAround(const RECT& outer, const RECT& inner);
// Corner or side number of a point on the rectangle's outline: corners first
// (flag non-zero: top-left 1, top-right 2, bottom-right 3, bottom-left 4; flag
// 0: 4, 1, 2, 3), then the open sides top 1, right 2, bottom 3, left 4; 0 when
// the point is on neither.
int RectCornerIndex(const POINT& pt, const RECT& rc, int flag);
void SetRectNormalized(RECT& rc, int left, int top, int right, int bottom);
// Corners tried top-left, bottom-left, bottom-right, top-right; only a
// strictly nearer corner replaces an earlier one.
CPoint NearestRectCorner(const RECT& rc, const POINT& pt);
// The side of rc that pt faces: 1 top, 2 right, 3 bottom, 4 left. When pt is
// a corner, *pSide (optional) receives the other side that meets there; else
// the result itself.
int RectSideFacingPt(const POINT& pt, const RECT& rc, int* pSide);
bool IsPtOnRectLeftX(const POINT& corner, const POINT& pt);
bool IsPtOnRectTopY(const POINT& corner, const POINT& pt);
bool IsMostlyVertical(const POINT& corner, const POINT& pt);
bool IsMostlyHorizontal(const POINT& corner, const POINT& pt);
// Point mapping between rectangles: a coordinate on from's near or far side
// goes to to's; others scale (truncated or rounded). An axis of zero extent in
// from is left unchanged.
void MapPtBetweenRects(POINT& pt, const RECT& from, const RECT& to);
void MapPtBetweenRectsRounded(POINT& pt, const RECT& from, const RECT& to);
void MapFloatPtBetweenRects(FloatPt& pt, const FloatRect& from, const FloatRect& to);
void MapRectBetweenRects(RECT& rc, const RECT& from, const RECT& to);
void MapRectBetweenRectsRounded(RECT& rc, const RECT& from, const RECT& to);

// ---- Distances, slopes and angles (IntGeometryLines.cpp) ----
double PtDistance(const POINT& a, const POINT& b);
int PtDistanceRounded(const POINT& a, const POINT& b);
// Integer approximation through a table of 17 factors (sixteenths of slope).
int PtDistanceFast(const POINT& a, const POINT& b);
double LineSlope(const POINT& a, const POINT& b);
// max/min of |dx| and |dy| (0 when either is 0); *pMostlyHorizontal (optional)
// is |dy| < |dx|.
double SlopeRatio(const POINT& a, const POINT& b, bool* pMostlyHorizontal);
bool IsNearlyHorizontal(const POINT& a, const POINT& b, double ratio);
bool IsSteepWithinRatio(const POINT& a, const POINT& b, double ratio);
double LineAngle(const POINT& p1, const POINT& p2);
// Angle at b between a and c, in [0, pi].
double AngleAtVertex(const POINT& a, const POINT& b, const POINT& c);
double TriangleBendRatio(const POINT& a, const POINT& b, const POINT& c);
bool IsCollinear(const POINT& a, const POINT& b, const POINT& c);
CPoint PtAlongLine(const POINT& p1, const POINT& p2, int distance);
CPoint PtAtAngle(int x, int y, double angle, double distance);
double EllipseHalfWidthAtY(const RECT& rc, double y);

// ---- Feet, hit tests and axis snapping (IntGeometryLines.cpp) ----
// Perpendicular foot of p on the line a-b, optionally clamped into the
// segment's box; a foot within 1 of an end on both axes becomes that end.
CPoint ProjectPtOnLine(const POINT& p, const POINT& a, const POINT& b, bool clamp);
int PtSegmentDistance(const POINT& p, const POINT& a, const POINT& b);
int PtRectOutlineDistance(const POINT& p, const RECT& rc);
// 0 on the line, 1 above (or left of) it, 2 below (or right of) it.
int SideOfLine(const POINT& p, const CLineSeg& seg);
bool IsPtBetweenOnLine(const POINT& a, const POINT& b, const POINT& c);
// Whether p lies on the segment a-b within tol (inclusive).
bool PtOnSegment(const POINT& a, const POINT& p, const POINT& b, int tol);
// Whether (px, py) is strictly nearer than tol to the segment; the foot
// (optional) is where it touches.
bool PtNearSegment(int px, int py, int x1, int y1, int x2, int y2, int tol, POINT* pFoot);
bool PtNearPolyline(int px, int py, const POINT* pts, int count, int tol, POINT* pFoot);
// Snaps the end b onto the vertical or horizontal through the anchor a when
// the segment is nearly axis-parallel. The candidate is written to out even
// when the result is false.
bool SnapLineToAxis(int ax, int ay, int bx, int by, POINT& out, int limit);

// ---- Intersections (IntGeometryIntersect.cpp) ----
bool SegBoxOverlapsRect(const CLineSeg& seg, const RECT& rc);
// pt.y is given; computes pt.x on the segment, true when it lies in [xmin, xmax].
bool IntersectSegWithHorzLine(const CLineSeg& seg, int xmin, int xmax, POINT& pt);
// pt.x is given; computes pt.y on the segment, true when it lies in [ymin, ymax].
bool IntersectSegWithVertLine(const CLineSeg& seg, int ymin, int ymax, POINT& pt);
bool IntersectSegmentRect(const CLineSeg& seg, const RECT& rc, POINT& hit);
// Index of the rectangle whose IntersectSegmentRect point is nearest p1, with
// that point; -1 when none is hit.
int NearestRectHitBySegment(const POINT& p1, const POINT& p2, const RECT* rects, int count,
                            POINT& hit);
// The same, ignoring the rectangles whose skip flag (optional) is set.
int NearestRectHitBySegmentSkipping(const POINT& p1, const POINT& p2, const RECT* rects,
                                    int count, const char* skip, POINT& hit);
int FindRectContainingPt(const POINT& pt, const RECT* rects, int count);
bool IntersectOrthoSegments(const CLineSeg& seg1, const CLineSeg& seg2, POINT& out);
// The exact crossing of two segments, as fractions over one denominator
// (den > 0): it lies t/den of the way along seg1 and u/den along seg2. False
// when the segments do not meet, or are parallel (*pParallel, optional, set).
struct ExactCrossing {
    __int128 t = 0;
    __int128 u = 0;
    __int128 den = 1;
};
bool CrossSegmentsExactly(const CLineSeg& seg1, const CLineSeg& seg2, ExactCrossing& out,
                          bool* pParallel = nullptr);
// seg1 vertical or horizontal; writes 0, 1 or 2 points into out[2].
int IntersectAxisSegWithSeg(const CLineSeg& seg1, const CLineSeg& seg2, POINT out[2]);
// The crossing of seg with a polyline; optional indexes of the hit side's
// vertices before and after the crossing (stepping past a vertex the crossing
// falls on, wrapping around a closed outline).
bool IntersectSegmentPolyline(const CLineSeg& seg, const POINT* pts, int count, bool preferStart,
                              POINT& hit, int* pBefore, int* pAfter);
void CollectSegPolygonHits(const POINT* pts, int count, const CLineSeg& seg, POINT* hits,
                           int& nHits, int limit);
