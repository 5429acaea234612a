#include "dialogs/sheets/CSheetColorButton.h"

#include "platform/ui/DlgItems.h"
#include "shapes/FillDescription.h"

#include <QMenu>
#include <QPainter>

namespace {
struct NamedColor {
    const char* name;
    COLORREF color;
};
constexpr NamedColor kColors[] = {
    {"Black", 0x000000},  {"White", 0xFFFFFF},  {"Red", 0x0000FF},    {"Green", 0x008000},
    {"Blue", 0xFF0000},   {"Yellow", 0x00FFFF}, {"Cyan", 0xFFFF00},   {"Magenta", 0xFF00FF},
    {"Gray", 0x808080},   {"Silver", 0xC0C0C0}, {"Maroon", 0x000080}, {"Olive", 0x008080},
    {"Navy", 0x800000},   {"Purple", 0x800080}, {"Teal", 0x808000},   {"Lime", 0x00FF00},
};

QColor ToQColor(COLORREF c)
{
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}
} // namespace

CSheetColorButton::CSheetColorButton(int id, bool offerNone, QWidget* parent) : QPushButton(parent)
{
    SetDlgCtrlID(this, id);
    setAutoDefault(false);
    auto* menu = new QMenu(this);
    auto add = [this, menu](const QString& text, COLORREF color) {
        QAction* a = menu->addAction(text);
        a->setData(QVariant::fromValue(uint(color)));
        connect(a, &QAction::triggered, this, [this, color] {
            SetColor(color);
            emit colorChosen(color);
        });
    };
    if (offerNone)
        add("No Fill", kNoFillColor);
    for (const NamedColor& c : kColors)
        add(c.name, c.color);
    setMenu(menu);
}

void CSheetColorButton::SetColor(COLORREF color)
{
    if (color != m_color) {
        m_color = color;
        update();
    }
}

QAction* CSheetColorButton::ActionFor(COLORREF color) const
{
    for (QAction* a : menu()->actions())
        if (a->data().toUInt() == uint(color))
            return a;
    return nullptr;
}

void CSheetColorButton::paintEvent(QPaintEvent* event)
{
    QPushButton::paintEvent(event);
    QPainter p(this);
    const QRect swatch = rect().adjusted(6, 5, -22, -5);
    if (m_color == kNoFillColor) {
        p.drawText(swatch, Qt::AlignCenter, "None");
        return;
    }
    p.fillRect(swatch, isEnabled() ? ToQColor(m_color) : palette().color(QPalette::Button));
    p.setPen(palette().color(isEnabled() ? QPalette::WindowText : QPalette::Mid));
    p.drawRect(swatch);
}
