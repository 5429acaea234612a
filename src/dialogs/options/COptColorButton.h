#pragma once
// A push button that shows a colour and lets the user pick another in the
// colour dialog; its owner reads the colour back.
#include "platform/Colorref.h"

#include <QPushButton>

class COptColorButton : public QPushButton {
    Q_OBJECT
public:
    explicit COptColorButton(QWidget* parent = nullptr);
    COLORREF GetColor() const { return m_color; }
    void SetColor(COLORREF color);

signals:
    void colorChanged();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Choose();
    COLORREF m_color = 0;
};
