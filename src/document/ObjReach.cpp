#include "document/ObjReach.h"

#include "document/CFigure.h"
#include "document/ShadowDescription.h"

#include <algorithm>

namespace {
// A blurred shadow is drawn over the outline's bounds grown by one and a half
// times its softness, past the softness the figure's bounds count: without
// this, an area drawn alone would cut the blur's outer part off.
CRect SoftShadowReach(const CFigure& fig)
{
    if (!fig.ShadowAllowed())
        return CRect();
    CShadowSpec shadow;
    fig.GetShadow(shadow);
    if (shadow.m_nType == 0 || shadow.m_nBlur <= 0)
        return CRect();
    CRect reach = fig.m_rect;
    reach.NormalizeRect();
    const int grow = shadow.m_nBlur * 3 / 2 + 2;
    reach.InflateRect(grow, grow);
    reach.OffsetRect(shadow.m_nOffsetX, shadow.m_nOffsetY);
    return reach;
}
} // namespace

CRect DrawReachOf(const CDiagObj& obj, int handleSize)
{
    CRect bounds;
    // Shadows, handles and connection-point marks reach past the rectangle.
    obj.GetBoundRect(bounds, obj.GetType() == kObjFigure ? 2 : 3, handleSize * 2);
    bounds.InflateRect(handleSize, handleSize);
    if (obj.GetType() != kObjFigure)
        return bounds;
    const CRect soft = SoftShadowReach(static_cast<const CFigure&>(obj));
    if (soft.IsRectEmpty())
        return bounds;
    // Not UnionRect: it drops an empty side, and the bounds of a junction
    // are a single point, which must stay.
    bounds.NormalizeRect();
    return CRect(std::min(bounds.left, soft.left), std::min(bounds.top, soft.top), std::max(bounds.right, soft.right),
                 std::max(bounds.bottom, soft.bottom));
}
