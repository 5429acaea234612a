#pragma once
// A miniature of the sheet of pages a diagram prints on: the paper tiled in
// rows and columns, the margins, and (for the colour options) the grid, in
// the chosen colours. Setters repaint only when a value changed.
#include "platform/Colorref.h"

#include <QPushButton>

class CDC;

class CPageSampleButton : public QPushButton {
    Q_OBJECT
public:
    explicit CPageSampleButton(bool showGrid, QWidget* parent = nullptr);

    void SetColors(COLORREF page, COLORREF offPage, COLORREF margin, COLORREF grid);
    void SetRowsCols(int rows, int cols);
    // Paper and printable sizes and the four margins, logical units.
    void SetPaper(int paperW, int paperH, int printW, int printH, double top, double left, double bottom, double right);
    void SetGridSpacing(int x, int y);
    int Rows() const { return m_nRows; }
    int Cols() const { return m_nCols; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Draw(CDC& dc) const;
    COLORREF m_crPage = 0xFFFFFF, m_crOffPage = 0xFCFCCC, m_crMargin = 0x808080, m_crGrid = 0xC0C0C0;
    int m_nPaperW = 110, m_nPaperH = 110, m_nPrintW = 100, m_nPrintH = 100;
    double m_fTop = 0, m_fLeft = 0, m_fBottom = 0, m_fRight = 0;
    int m_nCols = 1, m_nRows = 1;
    int m_nGridX = 12, m_nGridY = 12;
    bool m_bShowGrid;
};
