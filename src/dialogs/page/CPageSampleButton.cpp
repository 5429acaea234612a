#include "dialogs/page/CPageSampleButton.h"

#include "controls/ChildControl.h"
#include "document/PageLayout.h"
#include "graphics/BitmapHelpers.h"
#include "graphics/DrawGrid.h"
#include "platform/CDC.h"
#include "render/ViewPaint.h"

#include <algorithm>

namespace {
// The sheet keeps this many pixels from the button's border.
constexpr int kInset = 16;
} // namespace

CPageSampleButton::CPageSampleButton(bool showGrid, QWidget* parent) : QPushButton(parent), m_bShowGrid(showGrid) {}

void CPageSampleButton::SetColors(COLORREF page, COLORREF offPage, COLORREF margin, COLORREF grid)
{
    if (page == m_crPage && offPage == m_crOffPage && margin == m_crMargin && grid == m_crGrid)
        return;
    m_crPage = page;
    m_crOffPage = offPage;
    m_crMargin = margin;
    m_crGrid = grid;
    update();
}

void CPageSampleButton::SetRowsCols(int rows, int cols)
{
    if (rows == m_nRows && cols == m_nCols)
        return;
    m_nRows = rows;
    m_nCols = cols;
    update();
}

void CPageSampleButton::SetPaper(int paperW, int paperH, int printW, int printH, double top, double left, double bottom,
                                 double right)
{
    if (paperW == m_nPaperW && paperH == m_nPaperH && printW == m_nPrintW && printH == m_nPrintH && top == m_fTop &&
        left == m_fLeft && bottom == m_fBottom && right == m_fRight)
        return;
    m_nPaperW = paperW;
    m_nPaperH = paperH;
    m_nPrintW = printW;
    m_nPrintH = printH;
    m_fTop = top;
    m_fLeft = left;
    m_fBottom = bottom;
    m_fRight = right;
    update();
}

void CPageSampleButton::SetGridSpacing(int x, int y)
{
    if (x == m_nGridX && y == m_nGridY)
        return;
    m_nGridX = x;
    m_nGridY = y;
    update();
}

void CPageSampleButton::paintEvent(QPaintEvent*)
{
    PaintThroughDC(this, size(), [this](CDC& dc) { Draw(dc); });
}

void CPageSampleButton::Draw(CDC& dc) const
{
    CRect client(0, 0, width(), height());
    Draw3dFrame(&dc, client, 2, 0);
    client.DeflateRect(1, 1);
    Draw3dFrame(&dc, client, 2, 0);
    client.DeflateRect(1, 1);
    dc.FillSolidRect(&client, m_crOffPage);
    if (m_nPaperW <= 0 || m_nPaperH <= 0 || m_nPrintW <= 0 || m_nPrintH <= 0)
        return;
    CRect paper, printable, area;
    GetPaperAndPrintableRects(m_nPaperW, m_nPaperH, m_nPrintW, m_nPrintH, paper, printable);
    double top = m_fTop, left = m_fLeft, bottom = m_fBottom, right = m_fRight;
    FitMarginsToPrintableArea(paper, printable, top, left, bottom, right, area, m_nRows, m_nCols);
    const CRect sheet = TiledSheets(paper, printable, m_nRows, m_nCols);
    CRect room(0, 0, width(), height());
    room.DeflateRect(kInset, kInset);
    if (room.Width() <= 0 || room.Height() <= 0 || sheet.Width() <= 0 || sheet.Height() <= 0)
        return;
    // One scale for both directions, the sheet centred along its shorter side.
    const double scale = std::min(double(room.Width()) / sheet.Width(), double(room.Height()) / sheet.Height());
    const double dx = room.left + (room.Width() - sheet.Width() * scale) / 2 - sheet.left * scale;
    const double dy = room.top + (room.Height() - sheet.Height() * scale) / 2 - sheet.top * scale;
    const PointTransform map = [=](POINT p) { return POINT{int(p.x * scale + dx + 0.5), int(p.y * scale + dy + 0.5)}; };
    DrawPagePreview(dc, m_crPage, m_crMargin, m_crMargin, 0, sheet, area, printable, m_nRows, m_nCols, &map);
    if (m_bShowGrid && m_nGridX > 1 && m_nGridY > 1) {
        const POINT tl = map({area.left, area.top}), br = map({area.right, area.bottom});
        // Half a step in, so that no line sits on the margin's edge.
        const CRect grid(tl.x + m_nGridX / 2, tl.y + m_nGridY / 2, br.x, br.y);
        DrawGrid(&dc, grid, m_crGrid, false, m_nGridX, m_nGridY);
    }
}
