#pragma once
// A colour choice of the figure pages: a button showing the colour that
// opens a menu of the standard colours (and, for a fill, "No Fill"). The
// page hears the choice through `colorChosen`.
#include "platform/Colorref.h"

#include <QPushButton>

class CSheetColorButton : public QPushButton {
    Q_OBJECT
public:
    CSheetColorButton(int id, bool offerNone, QWidget* parent);
    void SetColor(COLORREF color);
    COLORREF GetColor() const { return m_color; }
    // The menu's entry for the colour; tests choose through it.
    QAction* ActionFor(COLORREF color) const;

signals:
    void colorChosen(COLORREF color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    COLORREF m_color = 0;
};
