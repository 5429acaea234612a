#pragma once
// Tracing the outline of a picture's opaque pixels: a strap polygon is wrapped
// round them by sweeping an observer along the bitmap's border, then refined
// into the concave parts by following the contour between strap points. The
// result is at most kMaxTracePts integer points in bitmap pixels.
//
// Two families differ only in what counts as background: a bitmap's pixels of
// exactly magenta 0xFF00FF, or an ARGB bitmap's pixels of alpha 0.
#include "platform/CRect.h"
#include "platform/Colorref.h"
#include "platform/GlobalMem.h"

#include <QImage>

class CBitmap;

constexpr int kMaxTracePts = 2048;

// The traced bitmap and its background test. Pixels outside the image count
// as background.
class TraceSurface {
public:
    // A bitmap whose pixels of exactly `background` are background.
    TraceSurface(const QImage& image, COLORREF background);
    // An ARGB bitmap whose pixels of alpha 0 are background.
    explicit TraceSurface(const QImage& argb);
    bool IsOpaque(int x, int y) const;
    bool IsOpaque(POINT pt) const { return IsOpaque(pt.x, pt.y); }
    int Width() const { return m_image.width(); }
    int Height() const { return m_image.height(); }

private:
    QImage m_image;
    bool m_byAlpha;
    QRgb m_background = 0;
};

// Directions 0..7 clockwise on the screen from up-left: 0 (-1,-1), 1 (0,-1),
// 2 (1,-1), 3 (1,0), 4 (1,1), 5 (0,1), 6 (-1,1), 7 (-1,0).
POINT StepInDirection(POINT pt, int direction);

// The first opaque pixel from start to end (end included) along the major
// axis; false when there is none.
bool FindOpaqueOnSegment(POINT start, POINT end, POINT* result, const TraceSurface& surface,
                         bool skipStart);
// The ARGB family's names for the same steps: the surface's own background
// test (alpha 0 for an ARGB surface) is all that differs.
inline bool GPFindOpaqueOnSegment(POINT start, POINT end, POINT* result, const TraceSurface& surface,
                                  bool skipStart)
{
    return FindOpaqueOnSegment(start, end, result, surface, skipStart);
}
int InitialDirection(POINT from, POINT to);
// The direction of the next step along the contour, -1 when a neighbour
// needed lies outside rect (right and bottom exclusive) or none fits.
int NextContourDirection(int direction, POINT cur, const TraceSurface& surface, const RECT& rect);
inline int GPNextContourDirection(int direction, POINT cur, const TraceSurface& surface, const RECT& rect)
{
    return NextContourDirection(direction, cur, surface, rect);
}

// Results of AppendTracePt.
enum ETraceAppend { TRACE_REFUSED = 0, TRACE_STORED = 1, TRACE_FULL = -1 };
// Appends pt, or replaces the last point when that lies strictly between the
// one before it and pt on one line. A duplicate of the last point is refused;
// a count already at kMaxTracePts - 1 is full.
int AppendTracePt(POINT pt, POINT* pts, int& count);

// The contour from `from` clockwise to `to` through a concavity; 1 when it
// reached `to`.
int TraceClockwisePtToPt(POINT from, POINT to, POINT* pts, int& count,
                         const TraceSurface& surface, const RECT& rect);
int GPTraceClockwisePtToPt(POINT from, POINT to, POINT* pts, int& count,
                           const TraceSurface& surface, const RECT& rect);

// The strap polygon (closed) round the opaque pixels of rect (inclusive
// corners); 1 on success with more than 4 points, else 0 and count 0.
int TraceStrapBoundagon(const TraceSurface& surface, const RECT& rect, int maxPts, POINT* pts,
                        int& count);
inline int GPTraceStrapBoundagon(const TraceSurface& surface, const RECT& rect, int maxPts, POINT* pts,
                                 int& count)
{
    return TraceStrapBoundagon(surface, rect, maxPts, pts, count);
}
// Refines the strap into its concavities; 1 when every pair was done, 0 when a
// trace failed (the polygon put back with restoreOnFailure).
int TraceContoursOfStrapBoundagonFromMemoryBitmap(const TraceSurface& surface, const RECT& rect,
                                                  int maxPts, POINT* pts, int& count,
                                                  bool restoreOnFailure);
int GPTraceContoursOfStrapBoundagon(const TraceSurface& surface, const RECT& rect, int maxPts,
                                    POINT* pts, int& count, bool restoreOnFailure);

// Sweep, refinement (with refine) and reduction of one bitmap's outline.
int TraceBitmapOutline(const CBitmap* bitmap, COLORREF background, int maxPts, POINT* pts,
                       int& count, bool refine);
// The same on a 32-bit ARGB bitmap; 0 for any other format.
int GPTraceBitmapOutline(const QImage* bitmap, int maxPts, POINT* pts, int& count, bool refine);
// The family-free core of both.
int TraceSurfaceOutline(const TraceSurface& surface, int maxPts, POINT* pts, int& count,
                        bool refine);

// The size a metafile is rendered at for tracing: at most 500 pixels a side,
// the larger side made 500 and the other kept in proportion (truncated).
void ScaleToTraceSize(int& w, int& h);

// The closed outline of a picture block (kinds 1, 2, 3 and 9) in the
// 0..2048 square; count 0 when no outline can be made.
void GetHotZoneFromGraphic(HGLOBAL picture, int kind, int* count, POINT* pts);
