#pragma once
// A popup grid of owner-drawn cells that behaves like a popup menu: it opens
// at a screen point, follows the pointer and the arrow keys with its
// highlight, and ends with the chosen command (0 when dismissed). The items
// are laid out as a column-filling menu lays out owner-drawn items (see
// PaletteLayout.h); subclasses draw the cells' content.
#include "controls/PaletteLayout.h"

#include <QWidget>

#include <functional>

class CDC;

class CPaletteMenuBase : public QWidget {
    Q_OBJECT
public:
    // Side 1 opens to the right of the point's rectangle, others below it.
    static constexpr int kSideRight = 1;
    static constexpr int kNoHighlight = -1;
    // Pixels of the menu window's frame around the items on every side.
    static constexpr int kMenuFrame = 3;

    explicit CPaletteMenuBase(QWidget* parent = nullptr);
    ~CPaletteMenuBase() override;

    // Lays out the cells (command ids in entry order, at most 100 for a
    // stand-alone menu, the caller cuts) with cells of the content size
    // plus twice the borders. An empty list without a more entry builds an
    // empty menu.
    bool Build(const std::vector<UINT>& ids, int cellHeight, int cellWidth, int borderY, int borderX, int side,
               int columns, int separatorRow, WORD moreId);
    void DestroyMenu();
    bool IsBuilt() const { return m_bBuilt; }
    bool IsEmpty() const { return m_items.empty(); }

    // Opens at the screen point; `done` receives the chosen command or 0.
    void Track(const QPoint& screenPos, std::function<void(UINT)> done);
    // Opens and waits for the choice (a menu's modal loop); 0 when dismissed.
    UINT Exec(const QPoint& screenPos);

    const std::vector<PaletteItem>& Items() const { return m_items; }
    const PaletteGrid& Grid() const { return m_grid; }
    int CellWidth() const { return m_nCellWidth; }
    int CellHeight() const { return m_nCellHeight; }
    int Side() const { return m_nSide; }
    // The item's rectangle in the popup (empty for an unknown id).
    QRect ItemRect(UINT id) const;
    // The highlighted command, or 0.
    UINT HighlightedId() const;
    void SetCurrentId(UINT id) { m_nCurrentId = id; }
    bool IsCellId(UINT id) const;

protected:
    // The cell's content in its inner rectangle (cell less the borders).
    virtual void DrawCell(CDC* dc, const CRect& rect, UINT id, bool isCurrent, bool highlighted) = 0;
    // Whether the cell holds the current choice.
    virtual bool IsCurrentCell(UINT id) const { return id == m_nCurrentId && m_nCurrentId != 0; }
    // Called when an item's highlight changes (after its drawing).
    virtual void OnHighlightChanged(UINT id, bool highlighted) { (void)id, (void)highlighted; }

    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void Layout();
    void DrawItem(CDC* dc, int index);
    void DrawFrame(CDC* dc, const CRect& cell, int index);
    void DrawMenuFrame(CDC& dc, const CRect& all);
    int ItemAt(const QPoint& pos) const;
    bool Selectable(int index) const;
    void SetHighlight(int index);
    void MoveHighlight(int dColumn, int dRow);
    void Choose(int index);

    std::vector<UINT> m_ids;
    std::vector<PaletteItem> m_items;
    std::vector<QRect> m_rects;
    PaletteGrid m_grid;
    int m_nCellHeight = 0, m_nCellWidth = 0;
    int m_nBdrY = 0, m_nBdrX = 0;
    int m_nSide = 0;
    int m_nSeparatorRow = 0;
    WORD m_nMoreId = kNoMoreEntry;
    UINT m_nCurrentId = 0;
    int m_nHighlight = kNoHighlight;
    // The menu opens on a button-down, so the button counts as down until
    // a button-up is seen; the highlighted cell then looks sunken.
    bool m_bButtonDown = true;
    UINT m_nChosen = 0;
    int m_nSepLeft = -1;   // left side recorded by the first column's separator
    std::function<void(UINT)> m_done;
    bool m_bBuilt = false;
};
