#include "controls/CStyleBarButton.h"

#include "core/SystemInfo.h"
#include "core/UIMode.h"
#include "document/CKavoDoc.h"
#include "platform/CDC.h"
#include "platform/CGraphics.h"
#include "platform/SysColors.h"
#include "render/PreviewSample.h"
#include "render/StyleSample.h"

#include <QMouseEvent>

void CStyleBarButton::Setup(int styleIndex, int groupId, CKavoDoc* doc)
{
    m_pDoc = doc;
    m_nStyle = styleIndex;
    SetOptions(groupId, false, OSIsNewShell() ? 1 : 2, kAlignCenter, kAlignCenter, 50, 50, CLR_INVALID,
               GetSysColor(COLOR_BTNSHADOW), RGB(192, 192, 192));
}

void CStyleBarButton::OnLButtonDown(QMouseEvent* event)
{
    if (!IsEmptySlot())
        CHotFaceButton::OnLButtonDown(event);
}

void CStyleBarButton::mouseMoveEvent(QMouseEvent* event)
{
    if (IsEmptySlot())
        return;
    CHotFaceButton::mouseMoveEvent(event);
    if (const CStyle* style = Style())
        ShowItemInfoInStatusBar(&style->m_strName, &style->Description);
}

void CStyleBarButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (!IsEmptySlot())
        CHotFaceButton::mouseReleaseEvent(event);
    AfterButtonUp(event);
}

void CStyleBarButton::OnMouseEntered()
{
    if (!IsEmptySlot())
        CHotFaceButton::OnMouseEntered();
}

void CStyleBarButton::OnMouseLeft()
{
    if (!IsEmptySlot())
        CHotFaceButton::OnMouseLeft();
}

void CStyleBarButton::DrawContent(CDC* dc, const CRect& rect, bool, bool)
{
    if (m_pDoc && Style())
        DrawSample(dc, rect);
}

const CStyle* CFigStyleBarButton::Style() const
{
    return Document() ? Document()->m_figStyles.GetAt(StyleIndex()) : nullptr;
}

void CFigStyleBarButton::DrawSample(CDC* dc, const CRect& rect)
{
    CRect r = rect;
    r.DeflateRect(5, 3);
    r.right -= 1;
    r.bottom -= 1;
    CGraphics graphics(dc);
    DrawFigStyleSampleGdip(&graphics, StyleIndex(), Document(), r, StyleSampleArgs());
}

const CStyle* CLblStyleBarButton::Style() const
{
    return Document() ? Document()->m_figStyles.GetAt(StyleIndex()) : nullptr;
}

void CLblStyleBarButton::DrawSample(CDC* dc, const CRect& rect)
{
    DrawTextSample(dc, rect, StyleIndex(), Document(), Document()->UseFullColorIcons());
}

const CStyle* CConStyleBarButton::Style() const
{
    return Document() ? Document()->m_conStyles.GetAt(StyleIndex()) : nullptr;
}

void CConStyleBarButton::DrawSample(CDC* dc, const CRect& rect)
{
    const auto* style = static_cast<const CConStyle*>(Style());
    CRect r = rect;
    r.DeflateRect(4, 4);
    CGraphics graphics(dc);
    DrawConStyleSampleGdip(r, *style, Document(), &graphics, GetSysColor(COLOR_BTNFACE),
                           Document()->UseFullColorIcons() ? 2 : 1);
}
