#include "controls/CDropPaletteButton.h"

#include "controls/CDlgCommandEvent.h"
#include "editing/ui/CKavoView.h"
#include "editing/ui/CTextDialog.h"
#include "graphics/BitmapHelpers.h"
#include "platform/CDC.h"
#include "platform/CPainterDC.h"
#include "platform/GdiObjects.h"
#include "platform/SysColors.h"
#include "platform/ui/DlgItems.h"

#include <QApplication>
#include <QIcon>
#include <QMouseEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

CTextDialog* ActiveTextEditor()
{
    CKavoView* view = GetActiveKavoView();
    return view ? view->TextEditor() : nullptr;
}

// ---- CPalettePopup ----

CPalettePopup::CPalettePopup(CDropPaletteButton* owner) : CPaletteMenuBase(owner), m_pOwner(owner) {}

bool CPalettePopup::Create(UINT firstId, int count, int cellHeight, int cellWidth, int borderY, int borderX, int side,
                           int columns, int separatorRow, WORD moreId)
{
    m_nFirstId = firstId;
    std::vector<UINT> ids;
    for (int k = 0; k < count; ++k)
        ids.push_back(firstId + UINT(k));
    return Build(ids, cellHeight, cellWidth, borderY, borderX, side, columns, separatorRow, moreId);
}

void CPalettePopup::DrawCell(CDC* dc, const CRect& rect, UINT id, bool isCurrent, bool)
{
    const int value = m_pOwner->ValueOfCommand(id);
    m_pOwner->DrawCell(dc, rect, WORD(value), isCurrent);
}

bool CPalettePopup::IsCurrentCell(UINT id) const
{
    const WORD current = m_pOwner->CurrentValue();
    return current != CDropPaletteButton::kNone && m_pOwner->ValueOfCommand(id) == int(current);
}

void CPalettePopup::OnHighlightChanged(UINT id, bool highlighted)
{
    m_pOwner->OnPaletteHighlight(id, highlighted);
}

// ---- CDropPaletteButton ----

CDropPaletteButton::CDropPaletteButton(QWidget* parent) : CFaceButton(parent)
{
    m_openTimer.setSingleShot(true);
    m_openTimer.setInterval(kOpenDelayMs);
    connect(&m_openTimer, &QTimer::timeout, this, [this] { Drop(); });
}

CDropPaletteButton::~CDropPaletteButton() = default;

void CDropPaletteButton::AttachToDialogItem(int ctrlId, QWidget* parent)
{
    if (parent && parentWidget() != parent)
        setParent(parent);
    // A placeholder of the dialog's layout gives its place to the button.
    if (QWidget* item = parent ? GetDlgItem(parent, ctrlId) : nullptr; item && item != this) {
        setGeometry(item->geometry());
        SetDlgCtrlID(item, 0);
        item->hide();
    }
    SetDlgCtrlID(this, ctrlId);
    show();
}

bool CDropPaletteButton::CreatePalette(int ctrlId, QWidget* parent, int cellHeight, int cellWidth, int borderY,
                                       int borderX, int side, int columns, int separatorRow, bool hasMore,
                                       bool notifyOnHighlight, bool showArrow, bool whiteBackground, int textAlign,
                                       bool delayedOpen)
{
    m_layout = {cellHeight, cellWidth, borderY, borderX, side, columns, separatorRow, hasMore};
    m_bNotifyOnHighlight = notifyOnHighlight;
    m_bArrow = showArrow;
    m_bWhiteBackground = whiteBackground;
    m_nFaceAlign = textAlign == kAlignLeft || textAlign == kAlignRight ? textAlign : kAlignCenter;
    m_bDelayedOpen = delayedOpen;
    DestroyPopup();
    m_list.Clear();
    if (!FillValues(m_list) || !BuildPopup())
        return false;
    AttachToDialogItem(ctrlId, parent);
    return true;
}

bool CDropPaletteButton::CreateWidePalette(int ctrlId, QWidget* parent, bool showArrow)
{
    return CreatePalette(ctrlId, parent, 7, 120, 3, 8, 0, 2, 0, false, false, showArrow, false, kAlignCenter, false);
}

bool CDropPaletteButton::BuildPopup()
{
    m_popup = std::make_unique<CPalettePopup>(this);
    return m_popup->Create(kPaletteFirstId, std::min(m_list.Count(), kMaxPlainPaletteValues), m_layout.cellHeight,
                           m_layout.cellWidth, m_layout.borderY, m_layout.borderX, m_layout.side, m_layout.columns,
                           m_layout.separatorRow, m_layout.hasMore ? WORD(kMoreId) : kNoMoreEntry);
}

void CDropPaletteButton::DestroyPopup()
{
    m_popup.reset();
}

void CDropPaletteButton::FillRange(CPaletteItemList& list, int count, int first)
{
    list.FillRange(count, first);
}

int CDropPaletteButton::ValueOfCommand(UINT id) const
{
    if (id < kPaletteFirstId || id >= kPaletteFirstId + UINT(std::min(m_list.Count(), kMaxPlainPaletteValues)))
        return -1;
    return m_list.At(int(id - kPaletteFirstId));
}

bool CDropPaletteButton::HasValue(WORD value) const
{
    return m_list.IndexOf(value) >= 0;
}

void CDropPaletteButton::SetBoundValue(int value)
{
    if (!m_pBound || *m_pBound == value)
        return;
    *m_pBound = value;
    update();
}

WORD CDropPaletteButton::GetSelectedId() const
{
    if (m_nHighlightCmd == kNone)
        return kNone;
    const int value = ValueOfCommand(m_nHighlightCmd);
    return value < 0 ? kNone : WORD(value);
}

void CDropPaletteButton::BeforeDrop()
{
    NotifyParent(this, kBeforeDropNotify);
}

void CDropPaletteButton::Drop()
{
    m_openTimer.stop();
    BeforeDrop();
    if (!m_popup || !m_popup->IsBuilt() || m_popup->IsEmpty())
        return;
    Press();
    m_nHighlightCmd = kNone;
    const QPoint corner = m_popup->Side() == CPaletteMenuBase::kSideRight ? QPoint(width(), 0) : QPoint(0, height());
    m_popup->Track(mapToGlobal(corner), [this](UINT id) { AfterTrack(id); });
}

void CDropPaletteButton::AfterTrack(UINT id)
{
    Release();
    setDown(false);
    m_nHighlightCmd = kNone;
    // Choosing from the palette must not end the in-place text edit.
    if (CTextDialog* editor = ActiveTextEditor())
        editor->TakeFocus();
    if (id != 0)
        OnMenuCommand(id);
}

void CDropPaletteButton::OnMenuCommand(UINT id)
{
    if (IsMoreEntryId(id)) {
        Select(WORD(id));   // the member decides what its more entry does
        return;
    }
    const int value = ValueOfCommand(id);
    if (value != -1)
        Select(WORD(value));
}

void CDropPaletteButton::Select(WORD value)
{
    m_nLastChosen = value;
    update();
    NotifyParent(this, 0);
    emit chosen(value);
}

void CDropPaletteButton::OnPaletteHighlight(UINT id, bool highlighted)
{
    if (!m_bNotifyOnHighlight)
        return;
    m_nHighlightCmd = kNone;
    if (highlighted)
        m_nHighlightCmd = WORD(id);
    NotifyParent(this, kHighlightNotify);
}

void CDropPaletteButton::OnLButtonDown(QMouseEvent*)
{
    if (m_bDelayedOpen) {
        m_openTimer.start();   // a release before it fires is a plain click
        setDown(true);
        return;
    }
    Drop();
}

void CDropPaletteButton::mouseReleaseEvent(QMouseEvent* event)
{
    if (m_openTimer.isActive()) {
        m_openTimer.stop();
        setDown(false);
        NotifyParent(this, 0);
        return;
    }
    CFaceButton::mouseReleaseEvent(event);
}

void CDropPaletteButton::DrawFace(CDC* dc, const CRect& rect, bool, bool disabled)
{
    const std::string label = GetWindowText(this);
    if (label.empty())
        return;
    CRect r = rect;
    r.DeflateRect(5, 2);
    dc->SelectStockObject(DEFAULT_GUI_FONT);
    dc->SetBkMode(TRANSPARENT);
    dc->SetTextColor(disabled ? GetSysColor(COLOR_BTNSHADOW) : RGB(0, 0, 0));
    TEXTMETRIC tm;
    dc->GetTextMetrics(&tm);
    int x = r.left + r.Width() / 2;
    UINT align = TA_CENTER;
    if (m_nFaceAlign == kAlignLeft) {
        x = r.left;
        align = TA_LEFT;
    } else if (m_nFaceAlign == kAlignRight) {
        x = r.right;
        align = TA_RIGHT;
    }
    dc->SetTextAlign(align | TA_BASELINE);
    dc->TextOut(x, r.top + r.Height() / 2 + (tm.tmAscent - tm.tmInternalLeading) / 2, label);
}

void CDropPaletteButton::DrawItem(CDC* dc, const CRect& rect)
{
    const bool pressed = IsPressed() || isDown();
    const bool disabled = !isEnabled();
    CRect item = rect;
    item.InflateRect(1, 1, 0, 0);
    dc->FillSolidRect(&item, GetSysColor(COLOR_BTNFACE));
    Draw3dFrame(dc, rect, pressed ? 2 : 1, GetSysColor(COLOR_BTNFACE));
    if (disabled && HasBoundValue())
        return;
    CRect inner = rect;
    inner.DeflateRect(3, 3);
    if (m_bWhiteBackground && !disabled)
        dc->FillSolidRect(&inner, RGB(255, 255, 255));
    if (pressed)
        inner.OffsetRect(1, 1);
    DrawFace(dc, inner, !pressed, disabled);
    if (m_bArrow)
        DrawArrow(dc, inner, pressed, disabled);
}

void CDropPaletteButton::DrawArrow(CDC* dc, const CRect& rect, bool pressed, bool disabled)
{
    const int b = rect.bottom - 4 + (pressed ? 1 : 0);
    const COLORREF color = disabled ? GetSysColor(COLOR_BTNSHADOW) : RGB(0, 0, 0);
    const POINT corners[3] = {{rect.right - 4, b - 6}, {rect.right - 10, b}, {rect.right - 4, b}};
    CPen pen(PS_SOLID, 1, color);
    CBrush brush(color);
    CPen* oldPen = dc->SelectObject(&pen);
    CBrush* oldBrush = dc->SelectObject(&brush);
    dc->Polygon(corners, 3);
    dc->SelectObject(oldPen);
    dc->SelectObject(oldBrush);
}

void CDropPaletteButton::SetFaceImage(const QImage& image)
{
    m_faceImage = image;
    update();
}

namespace {
QImage DisabledImage(const QImage& image)
{
    QStyleOption option;
    option.palette = QApplication::palette();
    return QApplication::style()
        ->generatedIconPixmap(QIcon::Disabled, QPixmap::fromImage(image), &option)
        .toImage();
}
} // namespace

void CDropPaletteButton::BlitImage(CDC* dc, const QImage& image, int x, int y, bool disabled)
{
    if (image.isNull())
        return;
    // The bar images have transparent backgrounds: they are laid on the
    // button face first (a plain conversion would turn them black).
    QImage pixels(image.size(), QImage::Format_RGB32);
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    pixels.fill(QColor(GetRValue(face), GetGValue(face), GetBValue(face)));
    {
        QPainter painter(&pixels);
        // Disabled, the image is greyed as the bar's other disabled buttons
        // are (a grey copy would keep a black glyph black).
        painter.drawImage(0, 0, disabled ? DisabledImage(image) : image);
    }
    CPainterDC source(&pixels);
    dc->BitBlt(x, y, pixels.width(), pixels.height(), &source, 0, 0, SRCCOPY);
}

int CDropPaletteButton::GuiTextWidth(const std::string& text)
{
    QImage probe(1, 1, QImage::Format_RGB32);
    CPainterDC dc(&probe);
    dc.SelectStockObject(DEFAULT_GUI_FONT);
    return int(dc.GetTextExtent(text).cx);
}

bool CDropPaletteButton::DrawFaceImage(CDC* dc, const CRect& rect, bool disabled, int reserveRight, CRect* imageRect)
{
    if (m_faceImage.isNull())
        return false;
    const int x = rect.left + (rect.Width() - reserveRight - m_faceImage.width()) / 2;
    const int y = rect.top + (rect.Height() - m_faceImage.height()) / 2;
    BlitImage(dc, m_faceImage, x, y, disabled);
    if (imageRect)
        *imageRect = CRect(x, y, x + m_faceImage.width(), y + m_faceImage.height());
    return true;
}
