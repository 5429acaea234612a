#include "controls/CRightClickListBox.h"

#include "core/StringHelpers.h"
#include "platform/Ansi.h"

#include <QMenu>
#include <QMouseEvent>

CMenuListBox::CMenuListBox(std::vector<Item> items, QWidget* parent)
    : QListWidget(parent), m_items(std::move(items))
{
}

void CMenuListBox::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::RightButton) {
        QListWidget::mousePressEvent(event);
        return;
    }
    // Select the item under the cursor as a left click would.
    if (QListWidgetItem* item = itemAt(event->position().toPoint()))
        setCurrentItem(item);
    QMenu menu(this);
    for (const Item& it : m_items) {
        std::string text;
        LoadCStringRes(text, it.stringId);
        QAction* a = menu.addAction(AnsiToQString(text));
        const int command = it.command;
        connect(a, &QAction::triggered, this, [this, command] { emit commandSent(command); });
    }
    menu.exec(event->globalPosition().toPoint() + QPoint(2, 2));
}

CRightClickListBox::CRightClickListBox(QWidget* parent)
    : CMenuListBox({{636, 2128}, {638, 2130}, {637, 2129}}, parent)
{
}

CGalleryListBox::CGalleryListBox(QWidget* parent) : CMenuListBox({{660, 101}}, parent) {}
