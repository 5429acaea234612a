#pragma once
// Snapping of dragged points and figure rectangles: to the grid, back inside
// a bounds rectangle, to alignment guides and into a polygon region. Every
// interactive placement goes through these rules; callers pass the grid steps
// (1 when snapping is off), the work space and the document's guides.
#include "platform/CRect.h"
#include "platform/WinTypes.h"

// Up to 16 vertical guides (x values) and 16 horizontal guides (y values),
// each with its count; only the counted leading entries are used.
class CAlignGuides {
public:
    static constexpr int kMax = 16;

    int32_t m_x[kMax] = {};
    int32_t m_y[kMax] = {};
    int32_t m_nX = 0;
    int32_t m_nY = 0;

    void Clear() { m_nX = m_nY = 0; }
    bool IsEmpty() const { return m_nX == 0 && m_nY == 0; }
    // False when the list is full.
    bool AddX(int x);
    bool AddY(int y);
    // False (nothing added) when either list is full.
    bool AddPoint(const POINT& pt);
    // Stops at the first point that cannot be added.
    bool AddPoints(int count, const POINT* pts);
    // The nearest guide (the first of equally near ones; an exact match ends
    // the search) replaces the value; its distance, or -1 without guides.
    int SnapX(int& value) const;
    int SnapY(int& value) const;
};

// The document keeps its guides in the same record.
using CSnapGuides = CAlignGuides;

// The point of a rectangle for a handle code read row by row from the top
// (1 top-left .. 9 bottom-right, centres by Midpoint); (0, 0) for others.
CPoint RectHandlePoint(int code, const RECT& rc);

// Rounds to the nearest multiple of step (a remainder of exactly half a step
// goes down, negative values too); a step below 2 leaves the value.
void SnapToGridStep(int& value, int step);

// Snaps a dragged point in place: axis lock through the anchor, grid, one
// step back inside the bounds, then guides or the polygon region (winding
// fill, at least 3 points). Any of the pointers may be null.
void SnapPtToGridOrRgn(POINT& pt, int stepX, int stepY, const RECT* bounds, const CAlignGuides* guides,
                       const POINT* anchor, int polyCount, const POINT* poly, bool testPolySides);

// Flag bits of a figure's behaviour word used by the rectangle snapping.
constexpr DWORD kSnapLowKeepLeft = 1, kSnapLowKeepCentreX = 2, kSnapLowKeepRight = 4;
constexpr DWORD kSnapLowKeepBottom = 8, kSnapLowKeepCentreY = 0x10, kSnapLowKeepTop = 0x20;
constexpr DWORD kSnapLowAspectCorners = 0x400000, kSnapLowAspectAll = 0x800000;
constexpr DWORD kSnapHighX = 1, kSnapHighY = 2, kSnapHighGuideX = 0x10, kSnapHighGuideY = 0x20;
constexpr DWORD kSnapHighHeight2 = 0x40, kSnapHighWidth2 = 0x80;
constexpr DWORD kSnapHighSymWidth = 0x100, kSnapHighSymHeight = 0x200;

// A figure rectangle being moved (handle 0) or resized by a handle.
struct SnapFigRequest {
    CRect rect;              // in: the old rectangle; out: the new one
    int height = 0;          // in/out: the new size
    int width = 0;
    int minHeight = 0, minWidth = 0;
    int maxHeight = 32000, maxWidth = 32000;
    int stepX = 1, stepY = 1;
    const RECT* bounds = nullptr;
    const CAlignGuides* guides = nullptr;
    DWORD low = 0;           // the halves of the figure's flag word
    DWORD high = 0;
    int handle = 0;
};

// Clamps the new size into the limits and snaps it to twice the steps.
void ClampSnapFigSize(SnapFigRequest& req);
// Places the new size by the anchor bits and snaps a moved rectangle.
void ApplyFigSize(RECT& rc, int height, int width, int stepX, int stepY, const CAlignGuides* guides, DWORD low,
                  DWORD high, int handle);
// The whole rule used while a figure is moved or resized.
void SnapFigRectOnDrag(SnapFigRequest& req);

// Snaps a rectangle's position: flags 1 x and 2 y to the steps by its nearer
// side, 0x10 and 0x20 its centre to the guides; the size stays.
void SnapRectPosToGrid(RECT& rc, DWORD flags, int stepX, int stepY, const CAlignGuides* guides);
