#include "controls/PreviewMapping.h"

#include <cstdlib>
#include <initializer_list>

bool PreviewMapping::IsEmpty() const
{
    return draw.Width() <= 0 || draw.Height() <= 0 || extent.cx <= 0 || extent.cy <= 0;
}

bool PreviewMapping::DeviceToLogical(const CPoint& device, CPoint& logical) const
{
    if (IsEmpty())
        return false;
    const int w = draw.Width(), h = draw.Height();
    const CPoint out(((device.x - draw.left) * extent.cx + (w - 1) / 2) / w,
                     ((device.y - draw.top) * extent.cy + (h - 1) / 2) / h);
    if (out.x < 0 || out.x > extent.cx || out.y < 0 || out.y > extent.cy)
        return false;
    logical = out;
    return true;
}

bool PreviewMapping::LogicalToDevice(const CPoint& logical, CPoint& device) const
{
    if (IsEmpty())
        return false;
    device.x = (logical.x * draw.Width() + (extent.cx - 1) / 2) / extent.cx + draw.left;
    device.y = (logical.y * draw.Height() + (extent.cy - 1) / 2) / extent.cy + draw.top;
    return true;
}

int PreviewSnapDistance(const PreviewMapping& map, int pickWidth)
{
    return map.IsEmpty() ? 0 : pickWidth * 3 / 2 * map.extent.cx / map.draw.Width();
}

namespace {

// The nearest multiple of the step counted from the anchor.
int ToGrid(int v, int anchor, int step)
{
    const int d = v - anchor;
    const int n = (std::abs(d) + step / 2) / step;
    return anchor + (d < 0 ? -n : n) * step;
}

int ToSides(int v, int length, int distance)
{
    for (int target : {0, length, length / 2})
        if (std::abs(v - target) <= distance)
            return target;
    return v;
}

} // namespace

CPoint SnapPreviewPoint(const PreviewMapping& map, const PreviewSnap& snap, int pickWidth, CPoint p)
{
    const int W = map.extent.cx, H = map.extent.cy;
    if (snap.gridX > 0 && snap.gridY > 0) {
        p.x = ToGrid(p.x, W / 2, snap.gridX);
        p.y = ToGrid(p.y, H / 2, snap.gridY);
    } else if (snap.toSides) {
        const int s = PreviewSnapDistance(map, pickWidth);
        p.x = ToSides(p.x, W, s);
        p.y = ToSides(p.y, H, s);
    }
    if (snap.toCentreX)
        p.x = W / 2;
    if (snap.toCentreY)
        p.y = H / 2;
    return p;
}

CPoint ThousandthsInRect(const CRect& rect, const CPoint& pt)
{
    auto along = [](int v, int lo, int hi) {
        if (v == lo || hi <= lo)
            return 0;
        if (v == hi)
            return 1000;
        return (v - lo) * 1000 / (hi - lo);
    };
    return CPoint(along(pt.x, rect.left, rect.right), along(pt.y, rect.top, rect.bottom));
}
