#include "dialogs/options/COptColorButton.h"

#include <QColorDialog>
#include <QPainter>

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
