#include "dialogs/sheets/CConColorButton.h"

#include <QColorDialog>
#include <QPainter>

namespace {
QColor ToQColor(COLORREF c)
{
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}
} // namespace

CConColorButton::CConColorButton(QWidget* parent) : QPushButton(parent)
{
    setMinimumWidth(48);
    connect(this, &QPushButton::clicked, this, &CConColorButton::Choose);
}

void CConColorButton::SetColor(COLORREF color)
{
    if (color == m_color)
        return;
    m_color = color;
    update();
}

void CConColorButton::Choose()
{
    const QColor c = QColorDialog::getColor(ToQColor(m_color), this, QString(), QColorDialog::DontUseNativeDialog);
    if (!c.isValid())
        return;
    SetColor(COLORREF(c.red() | (c.green() << 8) | (c.blue() << 16)));
    emit chosen(m_color);
}

void CConColorButton::paintEvent(QPaintEvent* event)
{
    QPushButton::paintEvent(event);
    QPainter p(this);
    const QRect swatch = rect().adjusted(6, 5, -6, -5);
    p.fillRect(swatch, isEnabled() ? ToQColor(m_color) : palette().color(QPalette::Window));
    p.setPen(palette().color(isEnabled() ? QPalette::WindowText : QPalette::Mid));
    p.drawRect(swatch.adjusted(0, 0, -1, -1));
}
