#include "geometry/CFltRect.h"

#include "geometry/SymbolSpace.h"

void CFltRect::SetFromRect(const RECT& r)
{
    left = static_cast<float>(r.left);
    top = static_cast<float>(r.top);
    right = static_cast<float>(r.right);
    bottom = static_cast<float>(r.bottom);
    m_nLeftMode = m_nTopMode = m_nRightMode = m_nBottomMode = 0;
}

void CFltRect::SetCorner1(const CFltPoint& p)
{
    left = p.x;
    top = p.y;
    m_nLeftMode = p.m_nXMode;
    m_nTopMode = p.m_nYMode;
}

void CFltRect::SetCorner2(const CFltPoint& p)
{
    right = p.x;
    bottom = p.y;
    m_nRightMode = p.m_nXMode;
    m_nBottomMode = p.m_nYMode;
}

bool CFltRect::operator==(const CFltRect& o) const
{
    return left == o.left && top == o.top && right == o.right && bottom == o.bottom &&
           m_nLeftMode == o.m_nLeftMode && m_nTopMode == o.m_nTopMode &&
           m_nRightMode == o.m_nRightMode && m_nBottomMode == o.m_nBottomMode;
}

CRect CFltRect::RoundToRect() const
{
    return {RoundAddHalf(left), RoundAddHalf(top), RoundAddHalf(right), RoundAddHalf(bottom)};
}

void CFltRect::ClampToSymbolSpace()
{
    CFltPoint c1 = GetCorner1();
    CFltPoint c2 = GetCorner2();
    c1.ClampToSymbolSpace();
    c2.ClampToSymbolSpace();
    SetCorners(c1, c2);
}

void CFltRect::FitCornersAspect(const RECT& rect, bool keepModes)
{
    CFltPoint c1 = GetCorner1();
    CFltPoint c2 = GetCorner2();
    c1.FitAspectToRect(rect, keepModes);
    c2.FitAspectToRect(rect, keepModes);
    SetCorners(c1, c2);
}

void CFltRect::FitAspect(const RECT& rect, int32_t m1, int32_t m2, int32_t m3, int32_t m4)
{
    CFltPoint c1 = GetCorner1();
    CFltPoint c2 = GetCorner2();
    c1.ScaleAnchoredToRect(rect, m1, m2);
    c2.ScaleAnchoredToRect(rect, m3, m4);
    SetCorners(c1, c2);
}
