// The figure's outline source, region containment and drag feedback at an
// offset.
#include "document/CFigure.h"

#include "shapes/CFigStyle.h"
#include "platform/GdiObjects.h"
#include "shapes/CFigSymbol.h"

int CFigure::GetOutlineSource() const
{
    if (m_outline.HasPoints())
        return 1;
    const CFigSymbol* s = GetSymbol();
    if (!HasPicture() && s && s->HasHotZone())
        return 2;
    const CFigStyle* style = GetStyle();
    return style && style->m_hotZone.HasPoints() ? 3 : 0;
}

bool CFigure::IsAllInRgn(const CRgn& region) const
{
    CRect r;
    GetBoundRect(r, 0, 0);
    return region.PtInRegion(r.left, r.top) && region.PtInRegion(r.right, r.top) &&
           region.PtInRegion(r.left, r.bottom) && region.PtInRegion(r.right, r.bottom);
}

void CFigure::OffsetAndDraw(CDC* dc, const FeedbackContext& ctx, int dx, int dy, bool centreCross)
{
    CRect moved;
    OffsetRect(moved, dx, dy, dx, dy, false);
    DrawFeedback(dc, ctx, &moved, centreCross);
}
