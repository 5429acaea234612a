#include "controls/CHotFaceButton.h"

#include "graphics/BitmapHelpers.h"
#include "platform/CDC.h"
#include "platform/SysColors.h"

bool CHotFaceButton::event(QEvent* event)
{
    // Qt's own enter and leave stand for the private messages when the
    // application does not route them.
    const int type = event->type();
    if (type == QEvent::Enter || type == kMouseEntered)
        OnMouseEntered();
    else if (type == QEvent::Leave || type == kMouseLeft)
        OnMouseLeft();
    return CFaceButton::event(event);
}

void CHotFaceButton::OnMouseEntered()
{
    m_bHot = true;
    update();
}

void CHotFaceButton::OnMouseLeft()
{
    m_bHot = false;
    update();
}

void CHotFaceButton::DrawItem(CDC* dc, const CRect& rect)
{
    const bool pressed = ShowsPressed();
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    int kind = pressed ? 2 : 0;
    if (!pressed && m_bHot)
        kind = 1;
    Draw3dFrame(dc, rect, kind, face);
    CRect inner = rect;
    inner.DeflateRect(1, 1);
    CRect content = inner;
    if (pressed || isDown()) {
        FillRectWithPattern(dc, inner);
        content.OffsetRect(1, 1);
    } else {
        dc->FillSolidRect(&inner, face);
    }
    const int saved = dc->SaveDC();
    dc->IntersectClipRect(inner.left, inner.top, inner.right - 1, inner.bottom - 1);
    DrawContent(dc, content, !isEnabled(), !pressed);
    dc->RestoreDC(saved);
}
