#pragma once
// Up and down arrows attached to a number edit (the buddy): each click hands a
// step of +1 or -1 to the buddy field, which changes its own value; then the
// caret goes to the start of the edit, with no selection.
#include <QWidget>

#include <functional>

class QLineEdit;
class QToolButton;

class CBuddySpinCtrl : public QWidget {
    Q_OBJECT
public:
    explicit CBuddySpinCtrl(QWidget* parent = nullptr);
    // `step` receives the delta; without one a click changes nothing.
    void SetBuddy(QLineEdit* buddy, std::function<void(int delta)> step);
    QLineEdit* Buddy() const { return m_buddy; }
    void Step(int delta);

private:
    QToolButton* m_up;
    QToolButton* m_down;
    QLineEdit* m_buddy = nullptr;
    std::function<void(int)> m_step;
};
