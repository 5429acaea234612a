#include "dialogs/options/COptColorButton.h"

#include <QColorDialog>
#include <QPainter>

#include <algorithm>

namespace {
QColor ToQColor(COLORREF c)
{
    return QColor(GetRValue(c), GetGValue(c), GetBValue(c));
}

COLORREF FromQColor(const QColor& c)
{
    return RGB(c.red(), c.green(), c.blue());
}

constexpr int kSwatchInset = 5;
// The preview's sheet: margins a tenth of the page in, a grid step of a
// sixth of the page.
constexpr int kSheetInset = 12, kMarginDivisor = 10, kGridDivisor = 6;
} // namespace

COptColorButton::COptColorButton(QWidget* parent) : QPushButton(parent)
{
    setMinimumSize(64, 24);
    connect(this, &QPushButton::clicked, this, &COptColorButton::Choose);
}

void COptColorButton::SetColor(COLORREF color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
    emit colorChanged();
}

void COptColorButton::Choose()
{
    const QColor chosen = QColorDialog::getColor(ToQColor(m_color), this);
    if (chosen.isValid())
        SetColor(FromQColor(chosen));
}

void COptColorButton::paintEvent(QPaintEvent* event)
{
    QPushButton::paintEvent(event);
    QPainter p(this);
    const QRect swatch = rect().adjusted(kSwatchInset, kSwatchInset, -kSwatchInset, -kSwatchInset);
    p.fillRect(swatch, ToQColor(m_color));
    p.setPen(Qt::black);
    p.drawRect(swatch.adjusted(0, 0, -1, -1));
}

COptColorsPreview::COptColorsPreview(QWidget* parent) : QWidget(parent)
{
    setMinimumSize(120, 150);
}

void COptColorsPreview::SetColors(COLORREF page, COLORREF offPage, COLORREF margins, COLORREF grid)
{
    m_page = page;
    m_offPage = offPage;
    m_margins = margins;
    m_grid = grid;
    update();
}

void COptColorsPreview::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.fillRect(rect(), ToQColor(m_offPage));
    const QRect sheet = rect().adjusted(kSheetInset, kSheetInset, -kSheetInset, -kSheetInset);
    p.fillRect(sheet, ToQColor(m_page));
    p.setPen(ToQColor(m_grid));
    const int stepX = std::max(2, sheet.width() / kGridDivisor), stepY = std::max(2, sheet.height() / kGridDivisor);
    for (int x = sheet.left() + stepX; x < sheet.right(); x += stepX)
        p.drawLine(x, sheet.top(), x, sheet.bottom());
    for (int y = sheet.top() + stepY; y < sheet.bottom(); y += stepY)
        p.drawLine(sheet.left(), y, sheet.right(), y);
    p.setPen(QPen(ToQColor(m_margins), 1, Qt::DashLine));
    const int mx = sheet.width() / kMarginDivisor, my = sheet.height() / kMarginDivisor;
    p.drawRect(sheet.adjusted(mx, my, -mx, -my));
    p.setPen(Qt::black);
    p.drawRect(sheet.adjusted(0, 0, -1, -1));
}
