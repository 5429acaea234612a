#include "controls/CBuddySpinCtrl.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

CBuddySpinCtrl::CBuddySpinCtrl(QWidget* parent)
    : QWidget(parent), m_up(new QToolButton(this)), m_down(new QToolButton(this))
{
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    m_up->setAutoRepeat(true);
    m_down->setAutoRepeat(true);
    auto* col = new QVBoxLayout(this);
    col->setContentsMargins(0, 0, 0, 0);
    col->setSpacing(0);
    col->addWidget(m_up);
    col->addWidget(m_down);
    connect(m_up, &QToolButton::clicked, this, [this] { Step(+1); });
    connect(m_down, &QToolButton::clicked, this, [this] { Step(-1); });
}

void CBuddySpinCtrl::SetBuddy(QLineEdit* buddy, std::function<void(int)> step)
{
    m_buddy = buddy;
    m_step = std::move(step);
}

void CBuddySpinCtrl::Step(int delta)
{
    if (!m_buddy || !m_step)
        return;
    m_step(delta);
    m_buddy->deselect();
    m_buddy->setCursorPosition(0);
}
