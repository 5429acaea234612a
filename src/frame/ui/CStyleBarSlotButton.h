#pragma once
// One style button of a style-bar row: a flat face showing a sample of the
// style it holds (-1 = an empty slot). A click presses it and tells the bar
// (through a command event with the button's id); the row keeps its buttons
// one radio group. A release with Ctrl held over another button of the same
// row asks the bar to swap the two styles.
#include "frame/ui/CStyleBarLayout.h"

#include <QWidget>

#include <functional>

class CDC;
class CKavoDoc;
struct RECT;

class CStyleBarSlotButton : public QWidget {
public:
    CStyleBarSlotButton(StyleBarRowKind kind, QWidget* parent = nullptr);

    void Setup(int styleIndex, CKavoDoc* doc);
    int StyleIndex() const { return m_nStyle; }
    void SetStyleIndex(int styleIndex);
    StyleBarRowKind Kind() const { return m_kind; }
    void Press();
    void Release();
    bool IsPressed() const { return m_bPressed; }

    // Called on a button-up with the window under the cursor; the bar
    // decides whether that is a swap.
    std::function<void(CStyleBarSlotButton* self, QWidget* under, Qt::KeyboardModifiers mods)> onButtonUp;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;

private:
    StyleBarRowKind m_kind;
    CKavoDoc* m_pDoc = nullptr;
    int m_nStyle = -1;
    bool m_bPressed = false;
    bool m_bHot = false;
};

// Draws the sample of a style of the row's kind into the rectangle (device
// pixels): what a style button shows inside its frame. An index outside the
// library draws nothing.
void DrawStyleBarSample(CDC& dc, StyleBarRowKind kind, CKavoDoc* doc, int styleIndex, const RECT& face);
