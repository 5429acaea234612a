#include "controls/CPlacedColorDialog.h"

#include "controls/CDropPaletteButton.h"
#include "editing/ui/CTextDialog.h"
#include "graphics/DrawHelpers.h"
#include "platform/Ansi.h"
#include "platform/CDeviceFont.h"
#include "platform/ui/DlgItems.h"

#include <cstring>

namespace {

QColor ToQColor(COLORREF c)
{
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

COLORREF FromQColor(const QColor& c)
{
    return RGB(c.red(), c.green(), c.blue());
}

} // namespace

CPlacedColorDialog::CPlacedColorDialog(COLORREF initial, int x, int y, QWidget* parent)
    : QColorDialog(ToQColor(initial), parent), m_x(x), m_y(y)
{
    // Our own dialog, always fully open, so that it can be placed and tested.
    setOption(QColorDialog::DontUseNativeDialog);
}

CPlacedColorDialog::~CPlacedColorDialog()
{
    if (CTextDialog* editor = ActiveTextEditor())
        editor->TakeFocus();
}

void CPlacedColorDialog::SetCustomColors(const COLORREF* colors16)
{
    for (int i = 0; i < 16; ++i)
        QColorDialog::setCustomColor(i, ToQColor(colors16[i]));
}

void CPlacedColorDialog::GetCustomColors(COLORREF* colors16) const
{
    for (int i = 0; i < 16; ++i)
        colors16[i] = FromQColor(QColorDialog::customColor(i));
}

COLORREF CPlacedColorDialog::GetColor() const
{
    return FromQColor(selectedColor().isValid() ? selectedColor() : currentColor());
}

void CPlacedColorDialog::OnInitDialog()
{
    // The edit in progress is kept: the colour will be applied to it.
    if (CTextDialog* editor = ActiveTextEditor())
        editor->MarkChanged();
    adjustSize();
    const QSize size = frameGeometry().size();
    CRect rc(m_x, m_y, m_x + size.width(), m_y + size.height());
    KeepRectInMainWnd(rc);
    move(rc.left, rc.top);
}

bool CPlacedColorDialog::RunModal()
{
    OnInitDialog();
    return exec() == QDialog::Accepted;
}

CNoColorFontDialog::CNoColorFontDialog(const LOGFONT& font, DWORD flags, QWidget* parent)
    : QFontDialog(parent), m_flags(flags)
{
    setOption(QFontDialog::DontUseNativeDialog);
    const int em = font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
    QFont qfont = CDeviceFont::QFontFromLogFont(font, em > 0 ? em : 13);
    qfont.setPointSizeF(em > 0 ? em * 72.0 / 96.0 : 10.0);
    setCurrentFont(qfont);
}

void CNoColorFontDialog::OnInitDialog()
{
    for (int id : {kColorLabelId, kColorComboId})
        if (QWidget* item = GetDlgItem(this, id))
            item->hide();
}

void CNoColorFontDialog::GetLogFont(LOGFONT& font) const
{
    // Until OK the record stays as given (its face may not be on this system).
    if (result() != QDialog::Accepted)
        return;
    const QFont f = selectedFont();
    const std::string face = QStringToAnsi(f.family());
    std::memset(font.lfFaceName, 0, sizeof(font.lfFaceName));
    std::strncpy(font.lfFaceName, face.c_str(), sizeof(font.lfFaceName) - 1);
    font.lfHeight = -int(f.pointSizeF() * 96.0 / 72.0 + 0.5);
    font.lfWeight = f.bold() ? 700 : 400;
    font.lfItalic = f.italic() ? 1 : 0;
    font.lfUnderline = f.underline() ? 1 : 0;
    font.lfStrikeOut = f.strikeOut() ? 1 : 0;
}
