#pragma once
// One style button of a style-bar row: a flat face button showing a sample
// of the style it holds (-1 = an empty slot). A click presses it and tells
// the bar (through a command event with the button's id); every style
// button of the bar is one radio group. A release with Ctrl held over
// another button of the same row asks the bar to swap the two styles.
#include "controls/CHotFaceButton.h"
#include "frame/ui/CStyleBarLayout.h"

#include <functional>

class CDC;
class CKavoDoc;
class CStyle;
struct RECT;

// The radio group of the bar's style buttons.
constexpr int kStyleBarButtonGroup = 220;

class CStyleBarSlotButton : public CHotFaceButton {
public:
    explicit CStyleBarSlotButton(StyleBarRowKind kind, QWidget* parent = nullptr);

    void Setup(int styleIndex, CKavoDoc* doc);
    int StyleIndex() const { return m_nStyle; }
    void SetStyleIndex(int styleIndex);
    StyleBarRowKind Kind() const { return m_kind; }

    // Called on a button-up with the window under the cursor; the bar
    // decides whether that is a swap.
    std::function<void(CStyleBarSlotButton* self, QWidget* under, Qt::KeyboardModifiers mods)> onButtonUp;

protected:
    void DrawContent(CDC* dc, const CRect& rect, bool disabled, bool notPressed) override;
    void OnMouseEntered() override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    StyleBarRowKind m_kind;
    CKavoDoc* m_pDoc = nullptr;
    int m_nStyle = -1;
};

// Draws the sample of a style of the row's kind into the rectangle (device
// pixels): what a style button shows inside its frame. An index outside the
// library draws nothing.
void DrawStyleBarSample(CDC& dc, StyleBarRowKind kind, CKavoDoc* doc, int styleIndex, const RECT& face);
// The style a row's entry names (labels and figures share one library);
// null when there is none.
const CStyle* StyleOf(StyleBarRowKind kind, CKavoDoc* doc, int index);
