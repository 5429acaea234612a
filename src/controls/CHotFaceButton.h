#pragma once
// A flat face button: its frame rises while the pointer is over it (sunken
// while pressed) and a pressed or selected button shows the dotted fill.
#include "controls/CFaceButton.h"

#include <QEvent>

class CHotFaceButton : public CFaceButton {
    Q_OBJECT
public:
    // The program's private pointer-entered and pointer-left messages.
    static constexpr QEvent::Type kMouseEntered = QEvent::Type(QEvent::User + 0x4C8);
    static constexpr QEvent::Type kMouseLeft = QEvent::Type(QEvent::User + 0x4C9);

    explicit CHotFaceButton(QWidget* parent = nullptr) : CFaceButton(parent) {}
    void DrawItem(CDC* dc, const CRect& rect) override;
    bool IsHot() const { return m_bHot; }

protected:
    bool event(QEvent* event) override;
    virtual void OnMouseEntered();
    virtual void OnMouseLeft();

private:
    bool m_bHot = false;
};
