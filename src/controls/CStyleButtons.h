#pragma once
// The style pickers: drop palette buttons whose palette offers the styles of
// one kind of a document, each cell a sample of its style, one submenu per
// style category with a "..." entry each, and a "..." entry that opens the
// style-choice dialog. The plain pickers serve the style sheets; the
// style-bar variant (each row's "More Styles" button) and the toolbar
// variant follow the active document, and the toolbar variant shows its
// current style on its face.
#include "controls/CDropPaletteButton.h"
#include "controls/StylePickerCore.h"

#include <QPointer>

#include <memory>
#include <vector>

class QMenu;

// A drop palette button whose values come in categories, each shown as a
// submenu of its own palette (category i: commands 33400 + 51 i + k).
class CCategoryDropButton : public CDropPaletteButton {
    Q_OBJECT
public:
    explicit CCategoryDropButton(QWidget* parent = nullptr);
    ~CCategoryDropButton() override;

    // As CreatePalette; a cell width or height of -1 takes each category's
    // sample size.
    bool Create(int ctrlId, QWidget* parent, int cellWidth, int cellHeight, int borderY, int borderX, int side,
                int columns, int separatorRow, bool hasMore, bool notifyOnHighlight, bool showArrow, int textAlign,
                bool delayedOpen);
    virtual bool FillCategories(CPaletteItemList& list) = 0;
    bool FillValues(CPaletteItemList& list) override { return FillCategories(list); }
    int ValueOfCommand(UINT id) const override;
    void DestroyPopup() override;
    void Drop() override;

    // The top menu (null for a single palette) and the palettes.
    QMenu* TopMenu() const { return m_topMenu.get(); }
    int CategoryPopupCount() const { return int(m_popups.size()); }
    CPalettePopup* CategoryPopup(int i) const;

protected:
    // The menus anew from the item list; false when nothing could be built.
    bool BuildCategoryMenus();
    void OpenPalette(CPalettePopup* popup, const QPoint& screen);

private:
    int m_nCellWidth = -1, m_nCellHeight = -1;
    std::unique_ptr<QMenu> m_topMenu;
    std::vector<std::unique_ptr<CPalettePopup>> m_popups;
};

class CStylePickerButton : public CCategoryDropButton {
    Q_OBJECT
public:
    enum class Variant { Plain, StyleBar, ToolBar };

    CStylePickerButton(StylePickKind kind, Variant variant, QWidget* parent = nullptr);

    // Stores the document and side and builds the palette with the kind's
    // borders (label 2 x 3, figure 5 x 7, connector 6 x 4).
    bool Create(int ctrlId, QWidget* parent, int side, CKavoDoc* doc, bool delayedOpen);
    void Refresh();
    void SetDocument(CKavoDoc* doc);
    CKavoDoc* GetDocument() const { return m_core.GetDocument(); }
    // Stores the style shown and repaints when it changed.
    void SetSample(int index);
    int GetCurSel() const { return m_core.GetCurrent(); }
    int SelectDefault();
    StylePickKind Kind() const { return m_core.Kind(); }
    Variant GetVariant() const { return m_variant; }
    const CStylePickerCore& Core() const { return m_core; }

    bool FillCategories(CPaletteItemList& list) override;
    void BeforeDrop() override;
    void Select(WORD value) override;
    void DrawCell(CDC* dc, const CRect& rect, WORD value, bool isCurrent) override;
    void DrawFace(CDC* dc, const CRect& rect, bool notPressed, bool disabled) override;

signals:
    // A style was chosen (after the owner's notification).
    void styleChosen(int index);

private:
    void DrawFallbackFace(CDC* dc, const CRect& rect, bool disabled);
    void DrawSample(CDC* dc, const CRect& rect, int index, int cacheKey);

    CStylePickerCore m_core;
    Variant m_variant;
    int m_nSide = 0;
    bool m_bDelayed = false;
};

class CLblStyleButton : public CStylePickerButton {
    Q_OBJECT
public:
    explicit CLblStyleButton(Variant variant = Variant::Plain, QWidget* parent = nullptr)
        : CStylePickerButton(StylePickKind::Label, variant, parent) {}
};

class CFigStyleButton : public CStylePickerButton {
    Q_OBJECT
public:
    explicit CFigStyleButton(Variant variant = Variant::Plain, QWidget* parent = nullptr)
        : CStylePickerButton(StylePickKind::Figure, variant, parent) {}
};

class CConStyleButton : public CStylePickerButton {
    Q_OBJECT
public:
    explicit CConStyleButton(Variant variant = Variant::Plain, QWidget* parent = nullptr)
        : CStylePickerButton(StylePickKind::Connector, variant, parent) {}
};

// The toolbar's picker for command 36565 (figures), 36566 (connectors) or
// 36567 (labels); null for another command.
CStylePickerButton* MakeToolBarStylePicker(unsigned command, QWidget* parent);
