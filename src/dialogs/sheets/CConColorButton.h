#pragma once
// A colour choice of the connector pages: a button showing its colour that
// opens the colour dialog and tells its page the colour chosen.
#include "platform/Colorref.h"

#include <QPushButton>

class CConColorButton : public QPushButton {
    Q_OBJECT
public:
    explicit CConColorButton(QWidget* parent = nullptr);
    void SetColor(COLORREF color);
    COLORREF Color() const { return m_color; }

signals:
    void chosen(COLORREF color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Choose();
    COLORREF m_color = 0;
};
