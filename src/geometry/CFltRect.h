#pragma once
// A symbol-space rectangle: left, top, right, bottom, then the modes of each
// coordinate. The layout is the 32-byte outline rectangle of symbol programs.
#include "geometry/CFltPoint.h"

class CFltRect {
public:
    float left = 0.0f;
    float top = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;
    int32_t m_nLeftMode = 0;
    int32_t m_nTopMode = 0;
    int32_t m_nRightMode = 0;
    int32_t m_nBottomMode = 0;

    CFltRect() = default;
    CFltRect(float l, float t, float r, float b) : left(l), top(t), right(r), bottom(b) {}
    explicit CFltRect(const RECT& r) { SetFromRect(r); }

    void SetFromRect(const RECT& r);
    CFltPoint GetCorner1() const { return {left, top, m_nLeftMode, m_nTopMode}; }
    CFltPoint GetCorner2() const { return {right, bottom, m_nRightMode, m_nBottomMode}; }
    void SetCorner1(const CFltPoint& p);
    void SetCorner2(const CFltPoint& p);
    void SetCorners(const CFltPoint& p1, const CFltPoint& p2) { SetCorner1(p1); SetCorner2(p2); }
    bool operator==(const CFltRect& o) const;

    CRect RoundToRect() const;
    float Width() const { return right - left; }
    float Height() const { return bottom - top; }
    void ClampToSymbolSpace();
    // Both corners through CFltPoint::FitAspectToRect.
    void FitCornersAspect(const RECT& rect, bool keepModes);
    // Corner 1 with the first two modes, corner 2 with the last two, through
    // CFltPoint::ScaleAnchoredToRect.
    void FitAspect(const RECT& rect, int32_t m1, int32_t m2, int32_t m3, int32_t m4);
};
static_assert(sizeof(CFltRect) == 32, "an outline rectangle is 32 bytes");
