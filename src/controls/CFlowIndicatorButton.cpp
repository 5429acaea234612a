#include "controls/CFlowIndicatorButton.h"

#include "platform/CDC.h"
#include "platform/GdiObjects.h"
#include "shapes/CShapeDef.h"
#include "shapes/EndShapeDraw.h"
#include "shapes/ShapeLibrary.h"

#include <algorithm>

bool CFlowIndicatorButton::Create(int ctrlId, QWidget* parent, const ShapeLibrary* stamps)
{
    m_pStamps = stamps ? stamps : &StampShapes();
    return CreatePalette(ctrlId, parent, 12, 16, 4, 4, 0, 5, 0, false, false, true, false, kAlignCenter, false);
}

void CFlowIndicatorButton::SetStamp(int index)
{
    if (index == m_nStamp)
        return;
    m_nStamp = index;
    update();
}

bool CFlowIndicatorButton::FillValues(CPaletteItemList& list)
{
    FillRange(list, kStampChoices, 0);
    return true;
}

// A cross and a diamond are drawn as outlines of their own; the other
// stamps as the library draws them, pointing right.
void CFlowIndicatorButton::DrawStamp(CDC* dc, const CRect& rect, int index) const
{
    const CShapeDef* shape = m_pStamps ? m_pStamps->GetAt(index) : nullptr;
    if (!shape)
        return;
    const CPoint mid = rect.CenterPoint();
    const int half = std::max(1, std::min(int(rect.Width()), int(rect.Height())) / 2 - 1);
    CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
    CPen* old = dc->SelectObject(&pen);
    if (shape->m_strName == "FI_CROSS") {
        dc->MoveTo(mid.x - half, mid.y - half);
        dc->LineTo(mid.x + half + 1, mid.y + half + 1);
        dc->MoveTo(mid.x - half, mid.y + half);
        dc->LineTo(mid.x + half + 1, mid.y - half - 1);
    } else if (shape->m_strName == "FI_DIAMOND") {
        const POINT pts[5] = {{mid.x, mid.y - half}, {mid.x + half, mid.y}, {mid.x, mid.y + half},
                              {mid.x - half, mid.y}, {mid.x, mid.y - half}};
        dc->Polyline(pts, 5);
    } else {
        DrawEndShape(dc, shape, POINT{mid.x + half, mid.y}, POINT{mid.x - half, mid.y}, 2 * half, 1,
                     RGB(0, 0, 0), RGB(255, 255, 255), kEndShapeFillOutline);
    }
    dc->SelectObject(old);
}

void CFlowIndicatorButton::DrawCell(CDC* dc, const CRect& rect, WORD value, bool)
{
    DrawStamp(dc, rect, value);
}

void CFlowIndicatorButton::DrawFace(CDC* dc, const CRect& rect, bool, bool)
{
    CRect r = rect;
    r.DeflateRect(6, 2);
    r.right -= 8;   // the drop arrow's room
    const int y = r.top + r.Height() / 2;
    dc->FillSolidRect(r.left, y, r.Width(), 1, RGB(0, 0, 0));
    CRect stamp(r.CenterPoint().x - 6, y - 6, r.CenterPoint().x + 6, y + 6);
    DrawStamp(dc, stamp, m_nStamp);
}

void CFlowIndicatorButton::BeforeDrop()
{
    SetCurrentValue(m_nStamp >= 0 && m_nStamp < kStampChoices ? WORD(m_nStamp) : kNone);
    CDropPaletteButton::BeforeDrop();
}

void CFlowIndicatorButton::Select(WORD value)
{
    // An index the library does not hold means no stamp.
    m_nStamp = m_pStamps && m_pStamps->GetAt(value) ? int(value) : -1;
    CDropPaletteButton::Select(value);
}
