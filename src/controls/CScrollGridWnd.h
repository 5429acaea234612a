#pragma once
// A grid of equal cells: a fixed number of columns and visible rows, scrolled
// vertically by whole rows. Subclasses draw the cells (the symbol galleries);
// a click selects a cell and a double click confirms it, both reported to the
// parent as commands (control id, code 1 or 2).
#include "platform/CRect.h"

#include <QAbstractScrollArea>

class CDC;

class CScrollGridWnd : public QAbstractScrollArea {
    Q_OBJECT
public:
    static constexpr int kNotifySelChange = 1;
    static constexpr int kNotifyDoubleClick = 2;

    explicit CScrollGridWnd(QWidget* parent = nullptr);

    // Places the grid on the parent with the control id; the layout stays.
    bool Create(const QRect& rect, QWidget* parent, int id);
    // Keeps the selection and scrolls it to the first visible row when it is
    // set. Zero columns or rows make a grid without cells.
    void SetGrid(int columns, int rows, int count);
    // False for an index that is not a visible cell (or a grid without cells).
    bool GetCellRect(int index, CRect& out) const;
    // A different index is stored, framed and reported to the parent (code 1).
    void SetSel(int index);
    int GetSel() const { return m_nSel; }
    int GetColumns() const { return m_nColumns; }
    int GetRows() const { return m_nRows; }
    int GetCount() const { return m_nCount; }
    int GetFirstVisible() const { return m_nFirst; }
    int GetScrollMax() const { return m_nScrollMax; }

    // The rows that do not fit: 0 for no items or no columns.
    static int ScrollMaxFor(int columns, int rows, int count);

protected:
    // The cell's index in decimal at its midpoint, in the system font.
    virtual void DrawCell(CDC* dc, int index);

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    void ApplyScrollRange();
    void OnScrollPos(int row);
    void DrawSelFrame(CDC* dc) const;
    // One past the last visible index.
    int VisibleEnd() const;
    int HitTest(const QPoint& pt) const;

    int m_nSel = -1;
    int m_nColumns = 1;
    int m_nRows = 1;
    int m_nCount = 0;
    int m_nFirst = 0;
    int m_nScrollMin = 0;
    int m_nScrollMax = 0;
};
