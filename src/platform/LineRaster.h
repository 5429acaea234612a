#pragma once
// The one-pixel line rasteriser of cosmetic pens on image targets. GDI draws a
// line from its start pixel up to, but not including, its end pixel; a closed
// figure therefore touches every vertex once, which keeps XOR outlines exact
// (drawn twice they vanish). Lines are stepped along their major axis with the
// minor coordinate rounded from the exact line (Bresenham); GDI's own tie rule
// for lines exactly between two pixels may pick the other pixel of such a pair.
#include "platform/WinTypes.h"

#include <QPoint>
#include <QPolygon>

#include <vector>

// Dash pattern of a cosmetic pen: on/off run lengths in pixels that continue
// from one segment to the next; empty for solid.
struct CLineStyle {
    std::vector<int> runs;
    int index = 0;      // the run being drawn
    int left = 0;       // pixels left in it
    bool On() const { return runs.empty() || (index % 2) == 0; }
    void Step();
    // The cosmetic patterns of pen styles PS_DASH .. PS_ALTERNATE (and a user
    // style's runs); empty for solid and unknown styles.
    static CLineStyle ForPenStyle(DWORD style, const std::vector<DWORD>& user = {});
};

// Appends the pixels of the segment a -> b without b (nothing for a == b); the
// pixels of the style's gaps go to gaps when given (an opaque background mode
// paints them in the background colour).
void RasterizeSegment(QPoint a, QPoint b, CLineStyle& style, std::vector<QPoint>& out,
                      std::vector<QPoint>* gaps = nullptr);
// A polyline of vertices; with closed set, also the segment back to the start.
void RasterizePolyline(const QPolygon& points, bool closed, CLineStyle& style,
                       std::vector<QPoint>& out, std::vector<QPoint>* gaps = nullptr);
