#include "controls/CPlacedColorDialog.h"

#include "controls/CDropPaletteButton.h"
#include "editing/ui/CTextDialog.h"
#include "graphics/DrawHelpers.h"
#include "platform/Ansi.h"
#include "platform/CDeviceFont.h"
#include "platform/ui/DlgItems.h"

#include <QFontDatabase>
#include <QFontInfo>

#include <climits>
#include <cstdlib>
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
    if (CTextDialog* editor = ActiveTextEditor()) {
        editor->MarkChanged();
        editor->KeepOpenOnFocusLoss();   // the dialog takes the focus for a while
    }
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
    : QFontDialog(parent), m_flags(flags), m_given(font)
{
    setOption(QFontDialog::DontUseNativeDialog);
    setCurrentFont(ShownFont(font));
    m_shown = currentFont();
}

QFont CNoColorFontDialog::ShownFont(const LOGFONT& font)
{
    const int em = font.lfHeight < 0 ? -font.lfHeight : font.lfHeight;
    QFont qfont = CDeviceFont::QFontFromLogFont(font, em > 0 ? em : 13);
    // The dialog lists real families only: a face name fontconfig maps to
    // another family (or a face this machine lacks) would otherwise show
    // as the application's font.
    const QString family = QFontInfo(qfont).family();
    // Named styles, so that the dialog does not guess one: without a name
    // it falls back to the first style of its list (an oblique one for some
    // families).
    const bool italic = font.lfItalic != 0;
    const int weight = int(qfont.weight());
    QString best;
    int bestScore = INT_MAX;
    for (const QString& style : QFontDatabase::styles(family)) {
        // Oblique counts as slanted (the database's italic query says no to
        // it); narrowed or widened cuts only when nothing else is near.
        const QFont cut = QFontDatabase::font(family, style, 12);
        const bool slanted = cut.style() != QFont::StyleNormal;
        const bool stretched = style.contains(QLatin1String("Condensed"), Qt::CaseInsensitive) ||
                               style.contains(QLatin1String("Narrow"), Qt::CaseInsensitive) ||
                               style.contains(QLatin1String("Expanded"), Qt::CaseInsensitive);
        const int score = (slanted != italic ? 10000 : 0) + (stretched ? 1000 : 0) + std::abs(int(cut.weight()) - weight);
        if (score < bestScore) {
            bestScore = score;
            best = style;
        }
    }
    QFont shown(family);
    shown.setWeight(qfont.weight());
    shown.setItalic(italic);
    if (!best.isEmpty())
        shown.setStyleName(best);
    shown.setPointSizeF(em > 0 ? em * 72.0 / 96.0 : 10.0);
    shown.setUnderline(font.lfUnderline != 0);
    shown.setStrikeOut(font.lfStrikeOut != 0);
    return shown;
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
    // What the user did not touch keeps the given values: the dialog shows
    // a stand-in face, the style nearest to the weight, and whole points,
    // none of which may leak back into the record.
    const QFont f = selectedFont();
    if (f.family() != m_shown.family()) {
        const std::string face = QStringToAnsi(f.family());
        std::memset(font.lfFaceName, 0, sizeof(font.lfFaceName));
        std::strncpy(font.lfFaceName, face.c_str(), sizeof(font.lfFaceName) - 1);
    } else {
        std::memcpy(font.lfFaceName, m_given.lfFaceName, sizeof(font.lfFaceName));
    }
    if (f.family() != m_shown.family() || f.styleName() != m_shown.styleName() || f.bold() != m_shown.bold() ||
        f.italic() != m_shown.italic()) {
        font.lfWeight = f.bold() ? 700 : 400;
        font.lfItalic = f.italic() ? 1 : 0;
    } else {
        font.lfWeight = m_given.lfWeight;
        font.lfItalic = m_given.lfItalic;
    }
    if (f.pointSize() != m_shown.pointSize())
        font.lfHeight = -int(f.pointSizeF() * 96.0 / 72.0 + 0.5);
    else
        font.lfHeight = m_given.lfHeight;
    font.lfUnderline = f.underline() ? 1 : 0;
    font.lfStrikeOut = f.strikeOut() ? 1 : 0;
}
