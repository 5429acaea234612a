#pragma once
// Helpers on counted runs of points (count, points). A run is a valid polygon
// when it has at least 4 points (a closed triangle is the smallest) and closed
// when its first and last points are equal.
#include "geometry/CPointArray.h"
#include "platform/CRect.h"

// Writer of the diagnostic lines of these helpers (printf-style). The trace
// service installs itself here (geometry sits below it); a test may record the
// lines instead; null writes nothing.
using GeomTraceFn = int (*)(const char* format, ...);
extern GeomTraceFn g_pfnGeomTrace;

bool IsValidPolyPts(int count, const POINT* pts);
bool IsPolyClosed(int count, const POINT* pts);
// Appends a copy of the first point when the run is valid and not closed;
// false when that does not fit in capacity points.
bool ClosePolygonPts(int& count, POINT* pts, int capacity);
bool PtsBoundingRect(int count, const POINT* pts, RECT& rc);
// Closes the run (within capacity), then maps every point from one rectangle
// into the other; false for an invalid run, a missing rectangle or a from
// rectangle without width or height.
bool MapPtsBetweenRects(int& count, POINT* pts, int capacity, const RECT* pFrom,
                        const RECT* pTo);
// Inserts n points at index, leaving out a first point equal to its new
// predecessor and a last point equal to its new successor.
bool InsertPtsIntoPolyline(POINT* pts, int& count, int capacity, const POINT* newPts, int n,
                           int index);
// The index after (or before) index, wrapping around a closed array past its
// repeated point; -1 for an index outside the array.
int NextPolyIndex(const CPointArray& arr, int index, bool backwards);
// Drops nearly straight vertices (angle at the vertex above deg degrees),
// after an optional smoothing pass; true when vertices were dropped.
bool ReducePolylinePts(int& count, POINT* pts, double deg, bool smooth);
CPoint NearestPtOnRectOutline(const RECT& rc, const POINT& pt);
