#include "controls/CColorDropButton.h"

#include "core/Settings.h"
#include "controls/CPlacedColorDialog.h"
#include "document/CKavoDoc.h"
#include "editing/ui/CTextDialog.h"
#include "platform/CPainterDC.h"
#include "platform/CDC.h"
#include "platform/GdiObjects.h"

const std::array<COLORREF, kStandardColors> kStandardPaletteColors = {
    0x040404, 0x043494, 0x04342C, 0x043404, 0x643404, 0x7C0404, 0x94342C, 0x2C342C,
    0x04047C, 0x0464FC, 0x047C7C, 0x047C04, 0x7C7C04, 0xFC0404, 0x946464, 0x7C7C7C,
    0x0404FC, 0x0494FC, 0x04CC94, 0x64942C, 0xCCCC2C, 0xFC642C, 0x7C047C, 0x949494,
    0xFC04FC, 0x04CCFC, 0x04FCFC, 0x04FC04, 0xFCFC04, 0xFCCC04, 0x643494, 0xBCBCBC,
    0xCC94FC, 0x94CCFC, 0x94FCFC, 0xCCFCCC, 0xFCFCCC, 0xFCCC94, 0xFC94CC, 0xFCFCFC};

namespace {

constexpr COLORREF kSwatchFrame = RGB(128, 128, 128);

bool DialogChooser(QWidget* button, COLORREF initial, COLORREF customs[kCustomColors], COLORREF* chosen)
{
    const QPoint corner = button->mapToGlobal(QPoint(button->width(), 0));
    CPlacedColorDialog dialog(initial, corner.x(), corner.y(), button->window());
    dialog.SetCustomColors(customs);
    if (!dialog.RunModal())
        return false;
    dialog.GetCustomColors(customs);
    *chosen = dialog.GetColor();
    return true;
}

CColorDropButton::ColorChooser g_chooser = DialogChooser;

// The custom colours the more entry edits: the active document's, else the
// program's.
COLORREF* ActiveCustomColors()
{
    CKavoDoc* doc = GetActiveKavoDoc();
    return doc ? doc->m_colors : PaletteColors;
}

} // namespace

void CColorDropButton::SetColorChooser(ColorChooser chooser)
{
    g_chooser = chooser ? chooser : DialogChooser;
}

CColorDropButton::CColorDropButton(QWidget* parent) : CDropPaletteButton(parent) {}

bool CColorDropButton::CreatePalette(int ctrlId, QWidget* parent, const COLORREF* customColors, bool showArrow,
                                     bool withNoColor, bool below)
{
    m_bNoColor = withNoColor;
    int n = 0;
    if (withNoColor)
        m_colors[size_t(n++)] = kPaletteNoColor;
    for (int i = 0; i < kStandardColors; ++i)
        if (!(withNoColor && i == 2))   // the count stays 40
            m_colors[size_t(n++)] = kStandardPaletteColors[size_t(i)];
    SetCustomColors(customColors);
    return CDropPaletteButton::CreatePalette(ctrlId, parent, 11, 11, 3, 3, below ? 0 : CPaletteMenuBase::kSideRight,
                                             8, 5, true, false, showArrow, false, kAlignCenter, false);
}

void CColorDropButton::SetCustomColors(const COLORREF* customColors)
{
    for (int i = 0; i < kCustomColors; ++i)
        m_colors[size_t(kStandardColors + i)] = customColors ? customColors[i] : RGB(255, 255, 255);
}

bool CColorDropButton::FillValues(CPaletteItemList& list)
{
    FillRange(list, m_nColors, 0);
    return true;
}

COLORREF CColorDropButton::ColorAt(int index) const
{
    return index >= 0 && index < m_nColors ? m_colors[size_t(index)] : kPaletteNoColor;
}

WORD CColorDropButton::FindColor(COLORREF color) const
{
    for (int i = 0; i < m_nColors; ++i)
        if (m_colors[size_t(i)] == color)
            return WORD(i);
    return kNone;
}

void CColorDropButton::SetColor(COLORREF color)
{
    if (color == m_crCurrent)
        return;
    m_crCurrent = color;
    update();
}

void CColorDropButton::BeforeDrop()
{
    SetCurrentValue(FindColor(m_crCurrent));
    CDropPaletteButton::BeforeDrop();
}

void CColorDropButton::Select(WORD value)
{
    if (!IsMoreEntryId(value)) {
        m_crCurrent = ColorAt(value);
        CDropPaletteButton::Select(value);
        return;
    }
    COLORREF* customs = ActiveCustomColors();
    COLORREF edited[kCustomColors];
    std::copy(customs, customs + kCustomColors, edited);
    COLORREF chosen = m_crCurrent;
    if (!g_chooser(this, m_crCurrent, edited, &chosen))
        return;   // Cancel: colour and custom colours stay, nobody is told
    std::copy(edited, edited + kCustomColors, customs);
    SetCustomColors(edited);
    m_crCurrent = chosen;
    CDropPaletteButton::Select(value);
}

void CColorDropButton::DrawSwatch(CDC* dc, const CRect& rect, COLORREF color)
{
    CBrush frame(kSwatchFrame);
    if (color == kPaletteNoColor) {
        CPen pen(PS_SOLID, 1, RGB(0, 0, 0));
        CPen* old = dc->SelectObject(&pen);
        dc->MoveTo(rect.left, rect.top);
        dc->LineTo(rect.right, rect.bottom);
        dc->MoveTo(rect.left + 1, rect.bottom - 2);
        dc->LineTo(rect.right, rect.top - 1);
        dc->SelectObject(old);
    } else {
        dc->FillSolidRect(&rect, color);
    }
    dc->FrameRect(&rect, &frame);
}

void CColorDropButton::DrawCell(CDC* dc, const CRect& rect, WORD value, bool)
{
    if (int(value) < m_nColors)
        DrawSwatch(dc, rect, m_colors[value]);
}

void CColorDropButton::DrawFace(CDC* dc, const CRect& rect, bool, bool disabled)
{
    if (disabled)
        return;
    CRect bar = rect;
    bar.right -= 7;
    DrawSwatch(dc, bar, m_crCurrent);
}

void CToolColorButton::DrawFace(CDC* dc, const CRect& rect, bool notPressed, bool disabled)
{
    if (m_image.isNull()) {
        CColorDropButton::DrawFace(dc, rect, notPressed, disabled);
        return;
    }
    QImage image = m_image.convertToFormat(QImage::Format_RGB32);
    if (disabled)
        image = image.convertToFormat(QImage::Format_Grayscale8).convertToFormat(QImage::Format_RGB32);
    const int x = rect.left + (rect.Width() - 7 - image.width()) / 2;
    const int y = rect.top + (rect.Height() - image.height()) / 2;
    CBitmap bitmap;
    if (bitmap.Attach(image)) {
        CPainterDC source(&bitmap.Image());
        dc->BitBlt(x, y, image.width(), image.height(), &source, 0, 0, SRCCOPY);
    }
    if (disabled)
        return;
    const CRect bar(x + 1, y + 15, x + 19, y + 19);
    if (GetColor() == kPaletteNoColor) {
        CBrush black(RGB(0, 0, 0));
        dc->FrameRect(&bar, &black);
    } else {
        dc->FillSolidRect(&bar, GetColor());
    }
}

void CToolColorButton::BeforeDrop()
{
    // The colour goes to the text being edited: keep the edit.
    if (CTextDialog* editor = ActiveTextEditor())
        editor->MarkChanged();
    SetCustomColors(ActiveCustomColors());
    CColorDropButton::BeforeDrop();
}
