#include "controls/CScrollGridWnd.h"

#include "controls/CDlgCommandEvent.h"
#include "controls/ChildControl.h"
#include "platform/CDC.h"
#include "platform/SysColors.h"

#include <QMouseEvent>
#include <QScrollBar>

#include <algorithm>
#include <string>

namespace {
constexpr COLORREF kSelFrameColor = 0xFF0000;
constexpr int kSelFrameWidth = 2;
} // namespace

CScrollGridWnd::CScrollGridWnd(QWidget* parent) : QAbstractScrollArea(parent)
{
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setCursor(Qt::ArrowCursor);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this, &CScrollGridWnd::OnScrollPos);
    ApplyScrollRange();
}

bool CScrollGridWnd::Create(const QRect& rect, QWidget* parent, int id)
{
    ApplyScrollRange();
    return CreateChildControl(this, rect, parent, id);
}

int CScrollGridWnd::ScrollMaxFor(int columns, int rows, int count)
{
    if (count <= 0 || columns <= 0)
        return 0;
    return std::max(0, (count - 1) / columns - rows + 1);
}

void CScrollGridWnd::ApplyScrollRange()
{
    m_nScrollMin = 0;
    m_nScrollMax = ScrollMaxFor(m_nColumns, m_nRows, m_nCount);
    QScrollBar* bar = verticalScrollBar();
    const QSignalBlocker quiet(bar);
    bar->setRange(m_nScrollMin, m_nScrollMax);
    bar->setSingleStep(1);
    bar->setPageStep(std::max(1, m_nRows));
}

void CScrollGridWnd::SetGrid(int columns, int rows, int count)
{
    m_nColumns = columns;
    m_nRows = rows;
    m_nCount = count;
    ApplyScrollRange();
    m_nFirst = 0;
    int row = 0;
    if (m_nSel >= 0 && m_nColumns > 0) {
        row = m_nSel / m_nColumns;
        m_nFirst = m_nColumns * std::min(row, m_nScrollMax);
    }
    {
        const QSignalBlocker quiet(verticalScrollBar());
        verticalScrollBar()->setValue(row);
    }
    viewport()->update();
}

bool CScrollGridWnd::GetCellRect(int index, CRect& out) const
{
    if (m_nCount == 0 || index < 0 || index >= m_nCount || m_nColumns <= 0 || m_nRows <= 0)
        return false;
    const int rel = index - m_nFirst;
    if (rel < 0 || rel >= m_nColumns * m_nRows)
        return false;
    const QRect client = viewport()->rect();
    const int cellW = client.width() / m_nColumns;
    const int cellH = client.height() / m_nRows;
    const int col = rel % m_nColumns, row = rel / m_nColumns;
    out.left = col * cellW;
    out.top = row * cellH;
    // The last column and row take up what the divisions left over.
    out.right = col == m_nColumns - 1 ? client.width() : out.left + cellW;
    out.bottom = row == m_nRows - 1 ? client.height() : out.top + cellH;
    return true;
}

void CScrollGridWnd::SetSel(int index)
{
    if (index == m_nSel)
        return;
    m_nSel = index;
    viewport()->update();
    NotifyParent(this, kNotifySelChange);
}

void CScrollGridWnd::OnScrollPos(int row)
{
    if (m_nColumns <= 0)
        return;
    m_nFirst = row * m_nColumns;
    viewport()->update();
}

void CScrollGridWnd::DrawCell(CDC* dc, int index)
{
    CRect cell;
    if (!GetCellRect(index, cell))
        return;
    dc->SelectStockObject(SYSTEM_FONT);
    dc->SetTextAlign(TA_CENTER | TA_BASELINE);
    const CPoint mid = cell.CenterPoint();
    dc->TextOut(mid.x, mid.y, std::to_string(index));
}

void CScrollGridWnd::DrawSelFrame(CDC* dc) const
{
    CRect cell;
    if (m_nSel < 0 || !GetCellRect(m_nSel, cell))
        return;
    // Inverting, so that a second frame over it would take it away again.
    CPen pen(PS_SOLID, kSelFrameWidth, kSelFrameColor);
    CPen* oldPen = dc->SelectObject(&pen);
    CGdiObject* oldBrush = dc->SelectStockObject(HOLLOW_BRUSH);
    const int oldRop = dc->SetROP2(R2_NOT);
    dc->Rectangle(cell.left, cell.top, cell.right, cell.bottom);
    dc->SetROP2(oldRop);
    dc->SelectObject(oldPen);
    if (oldBrush)
        dc->SelectObject(static_cast<CBrush*>(oldBrush));
}

void CScrollGridWnd::paintEvent(QPaintEvent*)
{
    const QSize size = viewport()->size();
    PaintThroughDC(viewport(), size, [&](CDC& dc) {
        const CRect all(0, 0, size.width(), size.height());
        dc.FillSolidRect(&all, GetSysColor(COLOR_WINDOW));
        for (int i = m_nFirst; i < VisibleEnd(); ++i) {
            const int saved = dc.SaveDC();
            DrawCell(&dc, i);
            dc.RestoreDC(saved);
        }
        DrawSelFrame(&dc);
    });
}

int CScrollGridWnd::VisibleEnd() const
{
    return std::min(m_nCount, m_nFirst + std::max(0, m_nColumns) * std::max(0, m_nRows));
}

int CScrollGridWnd::HitTest(const QPoint& pt) const
{
    for (int i = m_nFirst; i < VisibleEnd(); ++i) {
        CRect cell;
        if (GetCellRect(i, cell) && cell.PtInRect(CPoint(pt.x(), pt.y())))
            return i;
    }
    return -1;
}

void CScrollGridWnd::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    const int hit = HitTest(event->position().toPoint());
    if (hit >= 0)
        SetSel(hit);
}

void CScrollGridWnd::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        NotifyParent(this, kNotifyDoubleClick);
}
