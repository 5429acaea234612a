#pragma once
// A symbol-space point: x and y as floats, then the anchoring mode of each
// axis. The layout is the 16-byte outline point of symbol programs and hot
// zones, so it is read from and written to program bytes as it stands.
#include "platform/CRect.h"
#include "geometry/CFltCoord.h"

#include <cstdint>

class CFltPoint {
public:
    float x = 0.0f;
    float y = 0.0f;
    int32_t m_nXMode = 0;
    int32_t m_nYMode = 0;

    CFltPoint() = default;
    CFltPoint(float px, float py, int32_t xMode = 0, int32_t yMode = 0)
        : x(px), y(py), m_nXMode(xMode), m_nYMode(yMode) {}

    void SetX(const CFltCoord& c) { x = c.m_fValue; m_nXMode = c.m_nMode; }
    void SetY(const CFltCoord& c) { y = c.m_fValue; m_nYMode = c.m_nMode; }
    // Both modes become 0.
    void SetFromPoint(const POINT& p);
    // Coordinates and modes equal.
    bool operator==(const CFltPoint& o) const;

    CPoint RoundToPoint() const;
    // Limits both coordinates to 0..2048; a value that is not a number becomes 0.
    void ClampToSymbolSpace();

    // Moves anchored coordinates so that they keep their distance from their
    // side when the symbol is stretched into a W × H box; the modes are cleared
    // unless keepModes. Then clamped.
    void FitAspect(int width, int height, bool keepModes);
    void FitAspectToRect(const RECT& rect, bool keepModes);
    // The inverse of FitAspect: sets the modes (-1 keeps one) and scales the
    // anchored coordinates outward, capped to the symbol space.
    void ScaleAnchored(int width, int height, int32_t xMode, int32_t yMode);
    void ScaleAnchoredToRect(const RECT& rect, int32_t xMode, int32_t yMode);
};
static_assert(sizeof(CFltPoint) == 16, "an outline point is 16 bytes");
