#include "document/ConPtPlace.h"

namespace {
CFltPoint Place(const CRect& rc, int x, int y)
{
    return CFltPoint(float((x - rc.left) * kConPtScale / rc.Width()),
                     float((y - rc.top) * kConPtScale / rc.Height()));
}
} // namespace

bool ConPtPlaceForAdd(const CRect& rc, const CPoint& p, CFltPoint& out)
{
    if (rc.Width() <= 0 || rc.Height() <= 0)
        return false;
    const int x = p.x == rc.right ? p.x - 1 : p.x;
    const int y = p.y == rc.bottom ? p.y - 1 : p.y;
    if (x < rc.left || x >= rc.right || y < rc.top || y >= rc.bottom)
        return false;
    out = Place(rc, x, y);
    return true;
}

bool ConPtPlaceForMove(const CRect& rc, const CPoint& p, CFltPoint& out)
{
    if (rc.Width() <= 0 || rc.Height() <= 0)
        return false;
    if (p.x < rc.left || p.x > rc.right || p.y < rc.top || p.y > rc.bottom)
        return false;
    out = Place(rc, p.x, p.y);
    return true;
}
