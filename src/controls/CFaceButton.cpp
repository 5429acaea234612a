#include "controls/CFaceButton.h"

#include "controls/ChildControl.h"
#include "graphics/DcHelpers.h"
#include "platform/CDC.h"
#include "platform/GdiObjects.h"
#include "platform/SysColors.h"
#include "platform/ui/DlgItems.h"

#include <QMouseEvent>

namespace {

// The group pressed last, program-wide: its id and the control id of the
// member that was pressed (0 when the whole group was released).
int g_nCurrentGroup = 0;
int g_nCurrentGroupCtrl = 0;

constexpr int kColorWindowFrame = 6;   // black in the classic scheme

int ValidAlign(int align)
{
    return align == 0 || align == 2 || align == 6 ? align : 6;
}

std::unique_ptr<CBitmap> LoadBitmapResource(int id)
{
    QImage image(QStringLiteral(":/bitmaps/%1.png").arg(id));
    if (image.isNull())
        image = QImage(QStringLiteral(":/bitmaps/%1.bmp").arg(id));
    if (image.isNull())
        return nullptr;
    auto bitmap = std::make_unique<CBitmap>();
    if (!bitmap->Attach(image))
        return nullptr;
    return bitmap;
}

COLORREF OrSysFace(COLORREF color)
{
    return color == CLR_INVALID ? GetSysColor(COLOR_BTNFACE) : color;
}

} // namespace

CFaceButton::CFaceButton(QWidget* parent) : QPushButton(parent)
{
    setFocusPolicy(Qt::NoFocus);
}

CFaceButton::~CFaceButton() = default;

bool CFaceButton::SetBitmaps(int normalId, int disabledId)
{
    m_normal.reset();
    m_disabled.reset();
    if (normalId != 0 && !(m_normal = LoadBitmapResource(normalId)))
        return false;
    if (disabledId != 0 && !(m_disabled = LoadBitmapResource(disabledId)))
        return false;
    update();
    return true;
}

void CFaceButton::SetOptions(int groupId, bool releaseByClick, int bevel, int textAlign, int bitmapAlign,
                             int textXPercent, int textYPercent, COLORREF faceColor, COLORREF pressedColor,
                             COLORREF transparentColor)
{
    m_nGroup = groupId;
    m_bReleaseByClick = releaseByClick;
    m_nBevel = bevel >= 0 && bevel <= 2 ? bevel : 2;
    m_nTextAlign = ValidAlign(textAlign);
    m_nBitmapAlign = ValidAlign(bitmapAlign);
    m_nTextX = textXPercent >= 0 && textXPercent <= 100 ? textXPercent : 50;
    m_nTextY = textYPercent >= 0 && textYPercent <= 100 ? textYPercent : 50;
    m_crFace = faceColor;
    m_crPressed = pressedColor;
    m_crTransparent = transparentColor == CLR_INVALID ? RGB(1, 254, 0) : transparentColor;
    m_bPressed = false;
    update();
}

void CFaceButton::Press()
{
    if (m_bPressed)
        return;
    m_bPressed = true;
    update();
    if (m_nGroup != 0 && parentWidget()) {
        g_nCurrentGroup = m_nGroup;
        g_nCurrentGroupCtrl = GetDlgCtrlID(this);
        SendGroupCommand(parentWidget());
    }
}

void CFaceButton::Release()
{
    if (!m_bPressed)
        return;
    m_bPressed = false;
    update();
}

void CFaceButton::ReleaseAllInGroup(int groupId, QWidget* parent)
{
    g_nCurrentGroup = groupId;
    g_nCurrentGroupCtrl = 0;
    if (parent)
        SendGroupCommand(parent);
}

void CFaceButton::SendGroupCommand(QWidget* parent)
{
    for (CFaceButton* button : parent->findChildren<CFaceButton*>())
        button->OnGroupCommand();
}

bool CFaceButton::OnGroupCommand()
{
    if (m_nGroup == 0 || g_nCurrentGroup != m_nGroup || g_nCurrentGroupCtrl == GetDlgCtrlID(this))
        return false;
    Release();
    return true;
}

bool CFaceButton::ShowsPressed() const
{
    return m_bPlainClick ? isDown() : m_bPressed;
}

void CFaceButton::OnLButtonDown(QMouseEvent* event)
{
    if (m_bPlainClick) {
        QPushButton::mousePressEvent(event);
        return;
    }
    // A pressed member of a radio group stays down when clicked again.
    if (m_bPressed && !m_bReleaseByClick && m_nGroup != 0)
        return;
    const bool wasPressed = m_bPressed;
    QPushButton::mousePressEvent(event);
    if (!wasPressed)
        Press();
    else
        Release();
}

void CFaceButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QPushButton::mousePressEvent(event);
        return;
    }
    OnLButtonDown(event);
}

void CFaceButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (m_bPlainClick || event->button() != Qt::LeftButton) {
        QPushButton::mouseDoubleClickEvent(event);
        return;
    }
    // A double click counts as a second click.
    OnLButtonDown(event);
}

void CFaceButton::paintEvent(QPaintEvent*)
{
    PaintThroughDC(this, size(), [this](CDC& dc) { DrawItem(&dc, CRect(0, 0, width(), height())); });
}

void CFaceButton::DrawBevel(CDC* dc, const CRect& rect, bool pressed)
{
    const int d = m_nBevel;
    if (!pressed)
        for (int i = 1; i <= d; ++i) {
            CBrush shadow(GetSysColor(COLOR_BTNSHADOW));
            CRect frame = rect;
            frame.DeflateRect(i, i);
            dc->FrameRect(&frame, &shadow);
        }
    CPen pen(PS_SOLID, 1, pressed ? RGB(0, 0, 0) : RGB(255, 255, 255));
    CPen* old = dc->SelectObject(&pen);
    for (int i = 1; i <= d; ++i) {
        dc->MoveTo(rect.left + i, rect.top + i);
        dc->LineTo(rect.left + i, rect.bottom - i);
        dc->MoveTo(rect.left + i, rect.top + i);
        dc->LineTo(rect.right - i, rect.top + i);
    }
    dc->SelectObject(old);
}

void CFaceButton::DrawItem(CDC* dc, const CRect& rect)
{
    const bool disabled = !isEnabled();
    const bool outline = HasBitmap() || !text().isEmpty();
    // A button with nothing to show is a pressed-in empty slot.
    const bool pressed = ShowsPressed() || !outline;
    dc->FillSolidRect(&rect, OrSysFace(pressed ? m_crPressed : m_crFace));
    const int d = m_nBevel;
    if (d > 0 && outline) {
        DrawBevel(dc, rect, pressed);
        CBrush frame(GetSysColor(kColorWindowFrame));
        dc->FrameRect(&rect, &frame);
    }
    CRect content = rect;
    const int saved = dc->SaveDC();
    if (d > 0) {
        CRect clip = rect;
        clip.DeflateRect(d + 1, d + 1);
        dc->IntersectClipRect(&clip);
        if (pressed)
            content.OffsetRect(d, d);
    }
    DrawContent(dc, content, disabled, !pressed);
    dc->RestoreDC(saved);
}

void CFaceButton::DrawContent(CDC* dc, const CRect& rect, bool disabled, bool)
{
    DrawBitmap(dc, rect, disabled);
    DrawText(dc, rect, disabled);
}

void CFaceButton::DrawBitmap(CDC* dc, const CRect& rect, bool disabled)
{
    CBitmap* bitmap = disabled && m_disabled ? m_disabled.get() : m_normal.get();
    if (!bitmap)
        return;
    const CSize size = bitmap->GetSize();
    int x = rect.left + (rect.Width() - size.cx) / 2;
    if (m_nBitmapAlign == kAlignLeft)
        x = rect.left;
    else if (m_nBitmapAlign == kAlignRight)
        x = std::max(int(rect.left), int(rect.right - size.cx));
    const int y = rect.top + (rect.Height() - size.cy) / 2;
    DrawTransparentBitmap(dc, bitmap, x, y, m_crTransparent, false);
}

void CFaceButton::DrawText(CDC* dc, const CRect& rect, bool disabled)
{
    const std::string label = GetWindowText(this);
    if (label.empty())
        return;
    dc->SelectStockObject(DEFAULT_GUI_FONT);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(GetSysColor(disabled ? COLOR_BTNSHADOW : COLOR_BTNTEXT));
    UINT align = TA_CENTER;
    if (m_nTextAlign == kAlignLeft)
        align = TA_LEFT;
    else if (m_nTextAlign == kAlignRight)
        align = TA_RIGHT;
    dc->SetTextAlign(align | TA_BASELINE);
    TEXTMETRIC tm;
    dc->GetTextMetrics(&tm);
    const int x = rect.left + rect.Width() * m_nTextX / 100;
    const int y = rect.top + rect.Height() * m_nTextY / 100 + (tm.tmAscent - tm.tmInternalLeading + 1) / 2;
    dc->TextOut(x, y, label);
}
