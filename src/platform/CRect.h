#pragma once
// Integer point, size and rectangle with the Windows semantics the drawing and
// document code relies on: a rectangle's right and bottom edges are exclusive,
// an empty rectangle has no positive width or height, and union ignores empty
// operands.
#include "platform/WinTypes.h"

struct POINT {
    LONG x = 0;
    LONG y = 0;
};
struct SIZE {
    LONG cx = 0;
    LONG cy = 0;
};
struct RECT {
    LONG left = 0;
    LONG top = 0;
    LONG right = 0;
    LONG bottom = 0;
};

class CSize : public SIZE {
public:
    constexpr CSize() = default;
    constexpr CSize(int w, int h) : SIZE{w, h} {}
    constexpr bool operator==(const CSize& o) const { return cx == o.cx && cy == o.cy; }
    constexpr CSize operator+(const CSize& o) const { return {cx + o.cx, cy + o.cy}; }
    constexpr CSize operator-(const CSize& o) const { return {cx - o.cx, cy - o.cy}; }
    constexpr CSize operator-() const { return {-cx, -cy}; }
};

class CPoint : public POINT {
public:
    constexpr CPoint() = default;
    constexpr CPoint(int px, int py) : POINT{px, py} {}
    constexpr CPoint(const POINT& p) : POINT(p) {}
    constexpr void Offset(int dx, int dy) { x += dx; y += dy; }
    constexpr void Offset(const CSize& s) { Offset(s.cx, s.cy); }
    constexpr bool operator==(const CPoint& o) const { return x == o.x && y == o.y; }
    constexpr CPoint operator+(const CSize& s) const { return {x + s.cx, y + s.cy}; }
    constexpr CPoint operator-(const CSize& s) const { return {x - s.cx, y - s.cy}; }
    constexpr CSize operator-(const CPoint& p) const { return {x - p.x, y - p.y}; }
    constexpr CPoint operator-() const { return {-x, -y}; }
    constexpr CPoint& operator+=(const CSize& s) { Offset(s); return *this; }
    constexpr CPoint& operator-=(const CSize& s) { Offset(-s.cx, -s.cy); return *this; }
};

class CRect : public RECT {
public:
    constexpr CRect() = default;
    constexpr CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    constexpr CRect(const RECT& r) : RECT(r) {}
    constexpr CRect(const CPoint& tl, const CPoint& br) : RECT{tl.x, tl.y, br.x, br.y} {}
    constexpr CRect(const CPoint& tl, const CSize& sz)
        : RECT{tl.x, tl.y, tl.x + sz.cx, tl.y + sz.cy} {}

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    constexpr CSize Size() const { return {Width(), Height()}; }
    constexpr CPoint TopLeft() const { return {left, top}; }
    constexpr CPoint BottomRight() const { return {right, bottom}; }
    // Integer midpoint, truncated toward zero as the Windows class does.
    constexpr CPoint CenterPoint() const { return {(left + right) / 2, (top + bottom) / 2}; }

    constexpr bool IsRectEmpty() const { return right <= left || bottom <= top; }
    constexpr bool IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    // Left and top edges belong to the rectangle, right and bottom do not.
    constexpr bool PtInRect(const POINT& p) const
    {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    constexpr bool EqualRect(const RECT& r) const
    {
        return left == r.left && top == r.top && right == r.right && bottom == r.bottom;
    }
    constexpr bool operator==(const CRect& r) const { return EqualRect(r); }

    constexpr void SetRect(int l, int t, int r, int b) { left = l; top = t; right = r; bottom = b; }
    constexpr void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    void NormalizeRect();
    constexpr void OffsetRect(int dx, int dy) { left += dx; right += dx; top += dy; bottom += dy; }
    constexpr void OffsetRect(const CSize& s) { OffsetRect(s.cx, s.cy); }
    constexpr void OffsetRect(const POINT& p) { OffsetRect(p.x, p.y); }
    constexpr void InflateRect(int dx, int dy) { left -= dx; top -= dy; right += dx; bottom += dy; }
    constexpr void InflateRect(int l, int t, int r, int b) { left -= l; top -= t; right += r; bottom += b; }
    constexpr void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
    constexpr void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }
    // Sets this to the overlap of a and b; false and an empty (0,0,0,0) result
    // when they do not overlap.
    bool IntersectRect(const RECT& a, const RECT& b);
    // Sets this to the smallest rectangle holding a and b; an empty operand is
    // ignored. False when the result is empty.
    bool UnionRect(const RECT& a, const RECT& b);

    constexpr CRect& operator+=(const POINT& p) { OffsetRect(p); return *this; }
    constexpr CRect& operator-=(const POINT& p) { OffsetRect(-p.x, -p.y); return *this; }
    constexpr CRect operator+(const POINT& p) const { CRect r(*this); r.OffsetRect(p); return r; }
    CRect& operator&=(const RECT& r) { IntersectRect(*this, r); return *this; }
    CRect& operator|=(const RECT& r) { UnionRect(*this, r); return *this; }
};
