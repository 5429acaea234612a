#pragma once
// The zoom and scroll state of a zooming view and its arithmetic, apart from
// any window: the anisotropic mapping a prepared device context gets, the
// scroll-bar layout, the anchors that keep a point in place across a zoom,
// and the zoom limits and steps of the zoom commands. The view widget owns
// one and feeds it the client size.
#include "platform/CRect.h"

class CDC;

constexpr float kZoomMin = 10.0f;
constexpr float kZoomMax = 1000.0f;

// Anchors: 1 top-left (also any value other than 2 and 3), 2 the bottom side,
// 3 the centre; 0 asks for the view's default anchor.
constexpr int kAnchorDefault = 0;
constexpr int kAnchorTopLeft = 1;
constexpr int kAnchorBottom = 2;
constexpr int kAnchorCentre = 3;

// Within [10, 1000]; a NaN becomes 100.
float ClampZoom(float percent);
// The calibrated screen height in inches; 0 counts as 9.
double CalibratedScreenHeight();
// Pixels per logical unit at 100 %.
double PixelsPerUnitAt100();
// The zoom at which `units` span `pixels`; 0 for no units.
float PercentForFit(int pixels, int units);
// The client size in logical units at the zoom (0 for a zero zoom).
CSize ClientSizeAtZoom(CSize clientPx, float percent);
// The largest zoom that keeps the work space within 32767 pixels (at most
// 1000); the smallest at which it still covers the client area (at least 10).
float MaxZoomForWorkWidth(int workWidth);
float MinZoomForWork(CSize work, CSize clientPx);
// Above max becomes max, else below min becomes min; true when changed.
bool ClampZoomToLimits(float& percent, float minZoom, float maxZoom);
// The zoom buttons: the next table entry more than 1 % away from the rounded
// zoom, upwards or downwards; 0 when there is none.
int ZoomInButtonTarget(float zoom, const int table[6]);
int ZoomOutButtonTarget(float zoom, const int table[6]);
// Exchange sort of the six entries, ascending.
void SortZoomTable(int table[6]);
// The page size in pixels at 100 %: the base device extent of the mapping.
CSize PageSizeForScrolling(CSize pageLog);

// One axis of the scroll-bar layout.
struct ZoomBarAxis {
    bool needed = false;
    int range = 0;      // extent - client
    int page = 0;       // extent - range
    int max = 0;        // extent + 1
    int pos = 0;        // the move target
    int Limit() const { return needed ? (max - page > 0 ? max - page : 0) : 0; }
};
struct ZoomBarLayout {
    bool tooSmall = false;  // both bars shown and disabled, nothing scrolled
    ZoomBarAxis h, v;
    CSize pageStep, lineStep;
};

class CZoomMapping {
public:
    int m_nMapMode = 8;             // MM_ANISOTROPIC
    CSize m_totalLog;
    CRect m_rectTotalLog;
    CRect m_rectWorkLog;
    CSize m_totalDev;
    CSize m_pageDev, m_lineDev;
    CSize m_sizeBaseDev;
    int m_bCenter = 0;
    float m_fZoom = 100.0f;
    int m_nPagePercent = 25, m_nLinePercent = 5;
    int m_bPercentSteps = 0;
    int m_nDefaultAnchor = kAnchorTopLeft;

    CPoint m_scroll;                // the two scroll positions
    CSize m_client;                 // client size in pixels
    bool m_hBar = false, m_vBar = false;   // bars enabled (needed)
    int m_hLimit = 0, m_vLimit = 0;        // maximum - page of each bar

    // Window extent = total/16, viewport extent = base/16 (each at least 1:
    // a tiny logical size must not give GDI a zero extent).
    void SetZoomMapping(CDC& dc) const;
    void ApplyZoom(CDC& dc) const;
    // Screen preparation: mapping, zoom, scroll origin and work-space origin.
    void PrepareDC(CDC& dc) const;
    // Printing keeps viewport origin (0, 0) and no zoom.
    void PreparePrintDC(CDC& dc) const;

    void SetZoomScrollSizes(CSize sizeBaseDev, const CRect& rectLogical, int pagePercent, int linePercent);
    // Recomputes m_totalDev from the mapping.
    void UpdateTotalDev();
    // Stores the clamped zoom; returns the previous one. Equal: nothing else.
    float SetZoomValue(float percent);

    CPoint GetDeviceScrollPosition() const;
    CPoint GetViewAnchorPoint(int anchor) const;
    // The device position that shows the logical point at the anchor, each
    // axis clamped to [0, limit].
    CPoint DevicePosForAnchor(const CPoint& logical, int anchor) const;
    // The work space in device units (positive).
    CSize WorkDevSize() const;
    // The layout of both bars for the client size. `parentGave` takes the
    // client size as final (bars already outside it); otherwise it is the
    // true client size and the bars' own sizes count against it.
    ZoomBarLayout ComputeBars(CSize client, CSize barSizes, bool parentGave) const;
    // Takes a layout over: steps, limits and the move target.
    void ApplyBars(const ZoomBarLayout& layout);
    // The scroll-bar step of one scroll code (0 line up, 1 line down, 2 page
    // up, 3 page down, 4 thumb position, 5 thumb track, 6 top, 7 bottom),
    // as the new position of that axis; `current` when the code changes
    // nothing.
    int ScrollCodeTarget(int code, int current, int trackPos, bool vertical) const;
    // Clamps a scroll delta; false when nothing would change.
    bool ScrollBy(CSize delta);

    CPoint LogicalToDevice(const CPoint& p) const;
    CPoint DeviceToLogical(const CPoint& p) const;

private:
    CPoint ConvertPoint(const CPoint& p, bool toDevice) const;
};
