#include "frame/ui/CStyleBarSlotButton.h"

#include "controls/CDlgCommandEvent.h"
#include "controls/ChildControl.h"
#include "core/SystemInfo.h"
#include "core/UIMode.h"
#include "document/CKavoDoc.h"
#include "platform/CDC.h"
#include "platform/SysColors.h"
#include "render/PreviewSample.h"
#include "render/StyleSample.h"

#include <QApplication>
#include <QMouseEvent>

namespace {

constexpr int kClickedNotify = 0;

} // namespace

const CStyle* StyleOf(StyleBarRowKind kind, CKavoDoc* doc, int index)
{
    if (!doc || index < 0)
        return nullptr;
    if (kind == kConnectorRow)
        return doc->GetConStyles()->GetAt(index);
    return doc->GetFigStyles()->GetAt(index);
}

void DrawStyleBarSample(CDC& dc, StyleBarRowKind kind, CKavoDoc* doc, int styleIndex, const RECT& face)
{
    const CStyle* style = StyleOf(kind, doc, styleIndex);
    if (!style)
        return;
    const bool fullColour = doc->UseFullColorIcons();
    if (kind == kFigureRow) {
        // Inset so that the sample's border clears the button's frame.
        CRect r(face);
        r.DeflateRect(5, 3);
        r.right -= 1;
        r.bottom -= 1;
        if (r.IsRectEmpty())
            return;
        StyleSampleArgs args;
        args.limitAspect = true;
        DrawStyleSample(&dc, static_cast<const CFigStyle*>(style)->m_props, doc, r, args);
    } else if (kind == kLabelRow) {
        DrawTextSample(&dc, face, styleIndex, doc, fullColour);
    } else {
        CRect r(face);
        r.DeflateRect(4, 4);
        DrawConStyleSample(&dc, styleIndex, doc, r, !fullColour, true, false);
    }
}

CStyleBarSlotButton::CStyleBarSlotButton(StyleBarRowKind kind, QWidget* parent) : CHotFaceButton(parent), m_kind(kind)
{
    setMouseTracking(true);
    // Default processing sends the click: the bar turns it into the style's
    // command.
    connect(this, &QPushButton::clicked, this, [this] {
        if (m_nStyle >= 0)
            NotifyParent(this, kClickedNotify);
    });
}

void CStyleBarSlotButton::Setup(int styleIndex, CKavoDoc* doc)
{
    m_pDoc = doc;
    m_nStyle = styleIndex;
    SetOptions(kStyleBarButtonGroup, false, OSIsNewShell() ? 1 : 2, kAlignCenter, kAlignCenter, 50, 50, COLORREF(-1),
               GetSysColor(COLOR_BTNSHADOW), 0xC0C0C0);
}

void CStyleBarSlotButton::SetStyleIndex(int styleIndex)
{
    if (styleIndex == m_nStyle)
        return;
    m_nStyle = styleIndex;
    update();
}

void CStyleBarSlotButton::DrawContent(CDC* dc, const CRect& rect, bool, bool)
{
    DrawStyleBarSample(*dc, m_kind, m_pDoc, m_nStyle, rect);
}

void CStyleBarSlotButton::OnMouseEntered()
{
    // An empty slot stays flat and quiet.
    if (m_nStyle < 0)
        return;
    CHotFaceButton::OnMouseEntered();
    if (const CStyle* style = StyleOf(m_kind, m_pDoc, m_nStyle))
        ShowItemInfoInStatusBar(&style->m_strName, &style->Description);
}

void CStyleBarSlotButton::mousePressEvent(QMouseEvent* event)
{
    // An empty slot takes no clicks; the right button opens the bar's menu.
    if (m_nStyle < 0 || event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    CHotFaceButton::mousePressEvent(event);
}

void CStyleBarSlotButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (m_nStyle < 0 || event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    CHotFaceButton::mouseDoubleClickEvent(event);
}

void CStyleBarSlotButton::mouseMoveEvent(QMouseEvent* event)
{
    if (m_nStyle >= 0)
        CHotFaceButton::mouseMoveEvent(event);
}

void CStyleBarSlotButton::mouseReleaseEvent(QMouseEvent* event)
{
    CHotFaceButton::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !onButtonUp)
        return;
    QWidget* under = QApplication::widgetAt(event->globalPosition().toPoint());
    // Offscreen there is no window system to ask: fall back on the siblings.
    if (!under && parentWidget())
        under = parentWidget()->childAt(mapToParent(event->position().toPoint()));
    onButtonUp(this, under, event->modifiers());
}
