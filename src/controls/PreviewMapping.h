#pragma once
// How a preview window maps its extent (W x H logical units) onto its drawing
// rectangle (w x h pixels) and back, and how a dragged connection point snaps.
// A rectangle or an extent without width or height maps nothing: the
// conversions refuse, so there is nothing to draw or hit.
#include "platform/CRect.h"

struct PreviewMapping {
    CRect draw;       // the drawing rectangle, pixels
    CSize extent;     // logical units

    bool IsEmpty() const;
    // False for an empty mapping or a logical position outside 0..W, 0..H.
    bool DeviceToLogical(const CPoint& device, CPoint& logical) const;
    // False for an empty mapping.
    bool LogicalToDevice(const CPoint& logical, CPoint& device) const;
};

struct PreviewSnap {
    int gridX = 0, gridY = 0;     // grid steps, both set for the grid
    bool toSides = false;
    bool toCentreX = false, toCentreY = false;
};

// The snap distance for a pick width in pixels: pick × 3 / 2 × W / w (0 for an
// empty mapping).
int PreviewSnapDistance(const PreviewMapping& map, int pickWidth);
// Snaps a logical position: to the grid anchored at the centre, else to the
// sides and middle lines within the snap distance; then to the centre lines
// when they are forced.
CPoint SnapPreviewPoint(const PreviewMapping& map, const PreviewSnap& snap, int pickWidth, CPoint logical);

// A click's position in thousandths of the rectangle (0 on its left or top
// side, 1000 on its right or bottom side); 0 along a side without length.
CPoint ThousandthsInRect(const CRect& rect, const CPoint& pt);
