#pragma once
// One row of the style bar: a "More Styles" picker with the row's caption,
// an optional combo box of the row's styles by name, a grid of style
// buttons from the document's button layout and, when not every style
// fits, a scroll bar at the right of the grid. Three kinds: label, figure
// and connector styles.
#include "document/CStyleMenuLayout.h"
#include "frame/ui/CStyleBarLayout.h"

#include <QPoint>
#include <QRect>

#include <string>
#include <vector>

class CKavoDoc;
class CStyleBarSlotButton;
class CStylePickerButton;
class QComboBox;
class QFont;
class QScrollBar;
class QWidget;

// What tells the three kinds apart: their controls' ids, their command
// base, their UI mode and the size of their button array.
struct StyleRowSpec {
    StyleBarRowKind kind;
    int pickerId;
    int captionString;
    int comboId;
    int firstButtonId;
    int scrollId;
    int commandBase;
    int uiMode;
    int capacity;
};

class CStyleButtonRow {
public:
    explicit CStyleButtonRow(const StyleRowSpec& spec);
    virtual ~CStyleButtonRow();
    CStyleButtonRow(const CStyleButtonRow&) = delete;
    CStyleButtonRow& operator=(const CStyleButtonRow&) = delete;

    // The document's layout for this row, built from the library first when
    // it is not defined.
    virtual void LoadLayout(CKavoDoc& doc);
    virtual void DestroyControls();
    virtual void ShowControls(bool show);
    virtual void FillComboBox(CKavoDoc* doc);

    // The document's layout of this row's kind.
    virtual CStyleMenuLayout& DocLayout(CKavoDoc& doc) const = 0;
    // Whether the library holds style `index` of this kind, its name.
    virtual bool IsStyleOfKind(CKavoDoc& doc, int index) const = 0;
    virtual const std::string* StyleName(CKavoDoc& doc, int index) const = 0;
    virtual int CurrentStyle(const CKavoDoc& doc) const = 0;
    // Every style index of this kind, in library order.
    virtual std::vector<int> StylesOfKind(CKavoDoc& doc) const = 0;

    const StyleRowSpec& Spec() const { return m_spec; }
    // Sets the picker and combo flags from the library before laying out.
    void PrepareFlags(CKavoDoc& doc, bool showCombos);
    StyleRowFit FitInput() const;
    void TakeFit(const StyleRowFit& fit);

    // Creates the controls below `top` and advances it.
    bool CreateControls(CKavoDoc* doc, QWidget* bar, int& top, const QFont& comboFont, const QFont& pickerFont);
    int FindButton(int style) const;
    void InvalidateStyle(int style);
    // Shows entries offset + i; presses the button showing `press` (none
    // for -1; -2 keeps the style that is pressed now).
    void RefreshButtons(int press);
    int PressedStyle() const;
    // The document's current style of this row's kind while its UI mode is
    // on, else -1: the style a scrolled row keeps marked.
    int MarkedStyle() const;
    void Scroll(int code, int thumbPos, int press);
    // Scrolls so that the style's button shows.
    void ScrollToShow(int style);
    // The created button under a screen point (-1 none) and its style.
    int ButtonHitTest(const QPoint& screen, int& style) const;
    bool IsMyButton(const QWidget* w) const;
    bool ScrollBarHitTest(const QPoint& screen) const;
    QRect ButtonRect(int button) const;
    int PositionInLayout(int style) const { return m_layout.FindIndex(style); }
    // The combo box selects the style's name (none for -1).
    void SelectInCombo(CKavoDoc* doc, int style);
    void ReleaseButtons();
    void UpdateScrollBar();

    CStyleMenuLayout& Layout() { return m_layout; }
    const CStyleMenuLayout& Layout() const { return m_layout; }
    int Offset() const { return m_nOffset; }
    void SetOffset(int offset) { m_nOffset = offset; }
    int MaxOffset() const { return m_nMaxOffset; }
    int GridLines() const { return m_nGridLines; }
    int Visible() const { return m_nVisible; }
    bool Scrolls() const { return m_bScroll != 0; }
    int ButtonsCreated() const { return m_nButtons; }
    CStyleBarSlotButton* Button(int i) const;
    QComboBox* Combo() const { return m_combo; }
    QScrollBar* ScrollBar() const { return m_scroll; }
    CStylePickerButton* Picker() const { return m_picker; }
    // The style the picker has selected, -1 none.
    int PickerSelection() const;
    void SelectInPicker(int style);
    // The combo box's selection as the row was built or last chosen.
    int RememberedComboSel() const { return m_nComboSel; }
    int ComboDropHeight() const { return m_nComboDropHeight; }
    bool HasPicker() const { return m_bPicker != 0; }
    bool HasCombo() const { return m_bCombo != 0; }

private:
    bool CreatePicker(CKavoDoc* doc, QWidget* bar, int& top, const QFont& font);
    bool CreateCombo(QWidget* bar, int& top, const QFont& font);
    void CreateButtons(CKavoDoc* doc, QWidget* bar, int top);
    void CreateScrollBar(QWidget* bar, int top);

    StyleRowSpec m_spec;
    CKavoDoc* m_pDoc = nullptr;   // the document the controls show
    int m_bPicker = 0;
    int m_bCombo = 0;
    CStyleMenuLayout m_layout;
    int m_nGridLines = 0;
    int m_nVisible = 0;
    int m_bScroll = 0;
    int m_nComboHeight = kStyleBarComboHeight;
    int m_nPickerHeight = kStyleBarPickerHeight;
    int m_nButtons = 0;
    int m_bScrollCreated = 0;
    QScrollBar* m_scroll = nullptr;
    int m_nOffset = 0;
    int m_nMaxOffset = 0;
    CStylePickerButton* m_picker = nullptr;
    QComboBox* m_combo = nullptr;
    int m_nComboSel = -1;
    int m_nComboDropHeight = 0;
    std::vector<CStyleBarSlotButton*> m_buttons;   // children of the bar
};

class CLblButtonRow : public CStyleButtonRow {
public:
    CLblButtonRow();
    CStyleMenuLayout& DocLayout(CKavoDoc& doc) const override;
    bool IsStyleOfKind(CKavoDoc& doc, int index) const override;
    const std::string* StyleName(CKavoDoc& doc, int index) const override;
    int CurrentStyle(const CKavoDoc& doc) const override;
    std::vector<int> StylesOfKind(CKavoDoc& doc) const override;
};

class CFigButtonRow : public CStyleButtonRow {
public:
    CFigButtonRow();
    CStyleMenuLayout& DocLayout(CKavoDoc& doc) const override;
    bool IsStyleOfKind(CKavoDoc& doc, int index) const override;
    const std::string* StyleName(CKavoDoc& doc, int index) const override;
    int CurrentStyle(const CKavoDoc& doc) const override;
    std::vector<int> StylesOfKind(CKavoDoc& doc) const override;
};

class CConButtonRow : public CStyleButtonRow {
public:
    CConButtonRow();
    CStyleMenuLayout& DocLayout(CKavoDoc& doc) const override;
    bool IsStyleOfKind(CKavoDoc& doc, int index) const override;
    const std::string* StyleName(CKavoDoc& doc, int index) const override;
    int CurrentStyle(const CKavoDoc& doc) const override;
    std::vector<int> StylesOfKind(CKavoDoc& doc) const override;
};
