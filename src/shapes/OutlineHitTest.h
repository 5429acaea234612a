#pragma once
// Hit tests and distances against the drawn lines of a prepared (mapped)
// outline program: the four sides of a rectangle, the segments of a polyline
// and a line segment. Other operations are stepped over and never hit.
#include "shapes/OutlineProgram.h"

// The cursor points at the operation's payload and is moved past it; end is
// the end of the program. A payload that does not fit before end moves the
// cursor to end and never hits.
int OutlineOpHitTest(const POINT& pt, BYTE op, const BYTE*& cursor, const BYTE* end, int tolerance);
// The rounded distance to the nearest point of the operation's lines and that
// point; 2147483647 for operations without lines.
int OutlineOpDistance(const POINT& pt, BYTE op, const BYTE*& cursor, const BYTE* end, CPoint& nearest);

// Distance from a point to the segment a-b and the nearest point on it.
double DistanceToSegment(double px, double py, double ax, double ay, double bx, double by,
                         double& nx, double& ny);
