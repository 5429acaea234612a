#include "frame/ui/CStyleBarSlotButton.h"

#include "controls/CDlgCommandEvent.h"
#include "controls/ChildControl.h"
#include "core/UIMode.h"
#include "document/CKavoDoc.h"
#include "graphics/BitmapHelpers.h"
#include "platform/CDC.h"
#include "platform/SysColors.h"
#include "render/PreviewSample.h"
#include "render/StyleSample.h"

#include <QApplication>
#include <QMouseEvent>

namespace {

constexpr int kClickedNotify = 0;

const CStyle* StyleOf(StyleBarRowKind kind, CKavoDoc* doc, int index)
{
    if (!doc || index < 0)
        return nullptr;
    if (kind == kConnectorRow)
        return doc->GetConStyles()->GetAt(index);
    return doc->GetFigStyles()->GetAt(index);
}

} // namespace

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

CStyleBarSlotButton::CStyleBarSlotButton(StyleBarRowKind kind, QWidget* parent) : QWidget(parent), m_kind(kind)
{
    setMouseTracking(true);
}

void CStyleBarSlotButton::Setup(int styleIndex, CKavoDoc* doc)
{
    m_pDoc = doc;
    m_nStyle = styleIndex;
    m_bPressed = false;
}

void CStyleBarSlotButton::SetStyleIndex(int styleIndex)
{
    if (styleIndex == m_nStyle)
        return;
    m_nStyle = styleIndex;
    update();
}

void CStyleBarSlotButton::Press()
{
    if (m_bPressed)
        return;
    m_bPressed = true;
    update();
}

void CStyleBarSlotButton::Release()
{
    if (!m_bPressed)
        return;
    m_bPressed = false;
    update();
}

void CStyleBarSlotButton::paintEvent(QPaintEvent*)
{
    PaintThroughDC(this, size(), [this](CDC& dc) {
        const CRect client(0, 0, width(), height());
        dc.FillSolidRect(&client, GetSysColor(COLOR_BTNFACE));
        CRect inner = client;
        inner.DeflateRect(1, 1);
        if (m_bPressed) {
            FillRectWithPattern(&dc, inner);
            inner.OffsetRect(1, 1);
        }
        if (m_nStyle >= 0) {
            const int saved = dc.SaveDC();
            CRect clip = client;
            clip.DeflateRect(1, 1);
            clip.right -= 1;
            clip.bottom -= 1;
            dc.IntersectClipRect(&clip);
            DrawStyleBarSample(dc, m_kind, m_pDoc, m_nStyle, inner);
            dc.RestoreDC(saved);
        }
        // Flat until hovered; a pressed button stays sunken.
        const int frame = m_bPressed ? 2 : (m_bHot && m_nStyle >= 0 ? 1 : 0);
        Draw3dFrame(&dc, client, frame, GetSysColor(COLOR_BTNFACE));
    });
}

void CStyleBarSlotButton::mousePressEvent(QMouseEvent* event)
{
    // An empty slot takes no clicks; the right button opens the bar's menu.
    if (m_nStyle < 0 || event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    Press();
    NotifyParent(this, kClickedNotify);
}

void CStyleBarSlotButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    mousePressEvent(event);
}

void CStyleBarSlotButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !onButtonUp)
        return;
    QWidget* under = QApplication::widgetAt(event->globalPosition().toPoint());
    // Offscreen there is no window system to ask: fall back on the siblings.
    if (!under && parentWidget())
        under = parentWidget()->childAt(mapToParent(event->position().toPoint()));
    onButtonUp(this, under, event->modifiers());
}

void CStyleBarSlotButton::enterEvent(QEnterEvent*)
{
    if (m_nStyle < 0)
        return;
    m_bHot = true;
    if (const CStyle* style = StyleOf(m_kind, m_pDoc, m_nStyle))
        ShowItemInfoInStatusBar(&style->m_strName, &style->Description);
    update();
}

void CStyleBarSlotButton::leaveEvent(QEvent*)
{
    m_bHot = false;
    update();
}
