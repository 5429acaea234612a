#pragma once
// The style bar at the left of the main window: three rows of style buttons
// (label, figure and connector styles) of the active diagram. A button, a
// row's combo box or its picker sends the style's command (36600 + figure
// style, 37100 + connector style, 37600 + label style) to the main frame,
// which makes it the style to create with. Which styles show, in which
// order, in how many columns and at which height is the document's
// (its button layouts).
#include "frame/ui/CStyleBarRows.h"
#include "platform/Colorref.h"

#include <QFont>
#include <QWidget>

#include <array>
#include <functional>
#include <memory>

class CKavoDoc;
class CStyleBarSlotButton;
class QLabel;

// Control ids of the bar.
constexpr int IDD_STYLE_BAR = 220;
constexpr int IDC_STYLE_BAR_PICTURE = 2114;
// The bar's usual width, and the least width its picture needs.
constexpr int kStyleBarDefaultWidth = 128;
constexpr int kStyleBarPictureMinWidth = 116;

class CKavoStyleBar : public QWidget {
    Q_OBJECT
public:
    explicit CKavoStyleBar(QWidget* parent = nullptr);
    ~CKavoStyleBar() override;

    // What the bar asks of the main frame: the active document, a command
    // to route, a new width for the bar (the frame re-lays its bars).
    std::function<CKavoDoc*()> activeDoc;
    std::function<void(int)> sendCommand;
    std::function<void(int)> setBarWidth;

    int Build();
    int Rebuild(bool changed, bool keepScroll);
    int RebuildIfNewDoc();
    void ShowControls(bool show);
    // Every row's controls go (a collapsed bar keeps none).
    void DestroyControls();
    void ConfigCBoxes();
    // Shows the style of a style command as the chosen one (0: none).
    void SelectStyleCommand(int id);
    // A drag inside the bar moved styles of a row: the row follows the
    // document and both styles' buttons are redrawn.
    void OnLayoutChanged(StyleBarRowKind kind, int styleA, int styleB);
    // Wheel over a row that scrolls: the row scrolls; true when one took it.
    bool OnMouseWheel(const QPoint& screen, int delta);
    // The command a control of the bar sends, as the bar's handler rewrites
    // it before it goes to the frame (WM_COMMAND's wParam).
    DWORD RewriteCommand(DWORD wParam) const;
    // The row and style under a screen point; false off every button.
    bool StyleAtPoint(const QPoint& screen, StyleBarRowKind& kind, int& style) const;

    CKavoDoc* Document() const { return m_pDoc; }
    CStyleButtonRow& Row(StyleBarRowKind kind) const { return *m_rows[size_t(kind)]; }
    int BarWidth() const { return m_nBarWidth; }
    void SetBarWidth(int width);
    int FreeAreaTop() const { return m_nFreeTop; }
    QLabel* Picture() const { return m_picture; }
    // Renders the picture again in the current button-face colour.
    void RenderPicture();
    QSize sizeHint() const override { return {m_nBarWidth, 400}; }

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void LayoutRows();
    void PlacePicture();
    void MarkStyle(StyleBarRowKind kind, int style);
    void OnButtonUp(CStyleBarSlotButton* button, QWidget* under, Qt::KeyboardModifiers mods);
    void SendFromControl(DWORD wParam);
    void ApplyToSelection(int command);
    void OnPickerHighlight(CStyleButtonRow& row);
    void WireButtons();

    CKavoDoc* m_pDoc = nullptr;
    std::array<std::unique_ptr<CStyleButtonRow>, kStyleBarRows> m_rows;
    int m_nBarWidth = kStyleBarDefaultWidth;
    QLabel* m_picture = nullptr;
    int m_nPictureWidth = -1;         // what the picture was drawn for
    COLORREF m_crPictureFace = 0;
    QFont m_pickerFont;
    QFont m_comboFont;
    int m_nFreeTop = 0;
    int m_nBuiltHeight = -1;   // the height the rows were laid out for
};
