#include "platform/CRect.h"

#include <algorithm>

void CRect::NormalizeRect()
{
    if (left > right)
        std::swap(left, right);
    if (top > bottom)
        std::swap(top, bottom);
}

bool CRect::IntersectRect(const RECT& a, const RECT& b)
{
    CRect r(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom));
    if (r.IsRectEmpty()) {
        SetRectEmpty();
        return false;
    }
    *this = r;
    return true;
}

bool CRect::UnionRect(const RECT& a, const RECT& b)
{
    const CRect ra(a), rb(b);
    if (ra.IsRectEmpty() && rb.IsRectEmpty()) {
        SetRectEmpty();
        return false;
    }
    if (ra.IsRectEmpty()) {
        *this = rb;
        return true;
    }
    if (rb.IsRectEmpty()) {
        *this = ra;
        return true;
    }
    SetRect(std::min(ra.left, rb.left), std::min(ra.top, rb.top), std::max(ra.right, rb.right),
            std::max(ra.bottom, rb.bottom));
    return true;
}
