// Text areas, handles and the feedback drawing of figures.
#include "document/CFigure.h"

#include "shapes/CFigStyle.h"
#include "document/CKavoDoc.h"
#include "document/CStaple.h"
#include "platform/CDC.h"
#include "platform/GdiObjects.h"
#include "platform/GdiTypes.h"
#include "shapes/CFigSymbol.h"

#include <vector>

int CFigure::GetTextAreaRect(int area, CRect& out) const
{
    const CFigSymbol* s = GetSymbol();
    if (!s || HasPicture() || area < 0 || area >= s->m_nTextBoxes)
        return 0;
    return s->GetTextBoxRect(area, m_rect, out, m_pDoc && m_pDoc->IsOversizeTextRect());
}

int CFigure::TextAreaFromPoint(const POINT& pt, bool skipHidden) const
{
    const int n = GetTextAreaCount();
    for (int area = 0; area < n && area < kMaxTextAreas; ++area) {
        if (skipHidden && (m_props.HideText & (1 << area)))
            continue;
        CRect box;
        if (GetTextAreaRect(area, box) && box.PtInRect(pt))
            return area;
    }
    return -1;
}

bool CFigure::HandleAllowed(int handle) const
{
    if (!IsLatLabel())
        return true;
    const WORD pos = m_props.TextFormat;
    const bool right = handle == 3 || handle == 6 || handle == 9;
    const bool left = handle == 1 || handle == 4 || handle == 7;
    const bool top = handle >= 1 && handle <= 3;
    const bool bottom = handle >= 7 && handle <= 9;
    return !((pos & 0x01) && right) && !((pos & 0x04) && left) && !((pos & 0x10) && top) &&
           !((pos & 0x40) && bottom);
}

int CFigure::HitTestHandles(const POINT& pt, int size) const
{
    if (IsInvisible())
        return HitTestCenter(pt, size) ? 5 : 0;
    CRect inner = m_rect;
    inner.right -= 1;
    inner.bottom -= 1;
    for (int handle : {1, 7, 3, 9, 4, 6, 2, 8}) {
        const CPoint h = RectHandlePoint(handle, inner);
        const CRect square(h.x - size / 2, h.y - size / 2, h.x - size / 2 + size, h.y - size / 2 + size);
        if (square.PtInRect(pt) && HandleAllowed(handle))
            return handle;
    }
    return 0;
}

bool CFigure::IsStyleStale() const
{
    if (!HasPicture())
        return false;
    const CFigStyle* style = GetStyle();
    return !style || style->m_props.Graphic != m_props.Graphic;
}

bool CFigure::SymbolHasFill() const
{
    const CFigSymbol* s = GetSymbol();
    return !HasPicture() && s && s->m_nFillPos >= 0;
}

void CFigure::DrawFeedback(CDC* dc, const FeedbackContext& ctx, const RECT* rectOverride, bool centreCross) const
{
    if (!dc || IsInvisible())
        return;
    const CRect rc = rectOverride ? CRect(*rectOverride) : m_rect;
    // The outline inverted: of the picture, the symbol's hot zone, or else
    // the rectangle.
    std::vector<CPoint> outline;
    if (GetOutlinePoints(outline, &rc) < 3)
        outline = {rc.TopLeft(), CPoint(rc.right, rc.top), rc.BottomRight(), CPoint(rc.left, rc.bottom)};
    CPen outlinePen(PS_SOLID, 1, 0);
    CPen* oldOutlinePen = dc->SelectObject(&outlinePen);
    CGdiObject* oldBrush = dc->SelectStockObject(HOLLOW_BRUSH);
    const int oldOutlineRop = dc->SetROP2(R2_NOT);
    dc->Polygon(outline.data(), int(outline.size()));
    dc->SetROP2(oldOutlineRop);
    if (oldBrush)
        dc->SelectObject(static_cast<CBrush*>(oldBrush));
    dc->SelectObject(oldOutlinePen);
    if (centreCross && !(m_props.Behavior.high & 4) && GetStockKind() != 24) {
        const CPoint c = rc.CenterPoint();
        const int h = ctx.crossHalfSize;
        CPen pen(PS_SOLID, 1, ctx.background ^ 0x808080);
        CPen* oldPen = dc->SelectObject(&pen);
        const int oldRop = dc->SetROP2(R2_XORPEN);
        dc->MoveTo(c.x - h, c.y);
        dc->LineTo(c.x + h + 1, c.y);
        dc->MoveTo(c.x, c.y - h);
        dc->LineTo(c.x, c.y + h + 1);
        dc->SetROP2(oldRop);
        dc->SelectObject(oldPen);
    }
}
