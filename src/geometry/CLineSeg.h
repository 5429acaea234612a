#pragma once
// A segment between two integer points in logical units. Used wherever a
// routine takes "a segment" rather than two loose points.
#include "platform/CRect.h"

class CLineSeg {
public:
    int x1 = 0;
    int y1 = 0;
    int x2 = 0;
    int y2 = 0;

    constexpr CLineSeg() = default;
    constexpr CLineSeg(int ax, int ay, int bx, int by) : x1(ax), y1(ay), x2(bx), y2(by) {}
    constexpr CLineSeg(const POINT& a, const POINT& b) : x1(a.x), y1(a.y), x2(b.x), y2(b.y) {}

    constexpr CPoint Start() const { return {x1, y1}; }
    constexpr CPoint End() const { return {x2, y2}; }
    constexpr bool IsVerticalSeg() const { return x1 == x2; }
    constexpr bool IsHorizontalSeg() const { return y1 == y2; }

    // Direction from start to end in radians clockwise from up (see LineAngle).
    double GetAngle() const;
    // dy/dx; 0 for a vertical or a horizontal segment.
    double GetSlope() const;
    // y1 - x1 * slope: where the segment's line meets x = 0.
    double GetIntercept() const;
    // Whether (x, y) lies in the segment's normalised box, sides included.
    bool BoxContainsPt(int x, int y) const;
    // Perpendicular foot of pt on the segment's line (ProjectPtOnLine).
    CPoint ProjectPt(const POINT& pt, bool clamp) const;
};
