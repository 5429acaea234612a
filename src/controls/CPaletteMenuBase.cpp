#include "controls/CPaletteMenuBase.h"

#include "controls/ChildControl.h"
#include "core/Trace.h"
#include "graphics/BitmapHelpers.h"
#include "platform/CDC.h"
#include "platform/GdiObjects.h"
#include "platform/SysColors.h"

#include <QEventLoop>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>

#include <algorithm>
#include <climits>

namespace {

// Menus are drawn in the menu colour, which is the button face here.
COLORREF MenuColor()
{
    return GetSysColor(COLOR_BTNFACE);
}

CRect ToCRect(const QRect& r)
{
    return CRect(r.left(), r.top(), r.right() + 1, r.bottom() + 1);
}

} // namespace

CPaletteMenuBase::CPaletteMenuBase(QWidget* parent) : QWidget(parent, Qt::Popup)
{
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

CPaletteMenuBase::~CPaletteMenuBase() = default;

bool CPaletteMenuBase::Build(const std::vector<UINT>& ids, int cellHeight, int cellWidth, int borderY, int borderX,
                             int side, int columns, int separatorRow, WORD moreId)
{
    DestroyMenu();
    m_ids = ids;
    m_nBdrY = borderY;
    m_nBdrX = borderX;
    m_nCellHeight = cellHeight + 2 * borderY;
    m_nCellWidth = cellWidth + 2 * borderX;
    m_nSide = side;
    m_nSeparatorRow = separatorRow;
    m_nMoreId = moreId;
    m_grid = PaletteGridFor(int(ids.size()), columns, m_nCellWidth, m_nCellHeight, moreId != kNoMoreEntry);
    m_items = BuildPaletteItems(m_ids, m_grid, separatorRow, moreId);
    Layout();
    // A palette with no values and no more entry is an empty menu, not a
    // failure: the button still takes its place and simply drops nothing.
    m_bBuilt = true;
    return true;
}

void CPaletteMenuBase::DestroyMenu()
{
    hide();
    m_ids.clear();
    m_items.clear();
    m_rects.clear();
    m_grid = {};
    m_nHighlight = kNoHighlight;
    m_bBuilt = false;
}

bool CPaletteMenuBase::IsCellId(UINT id) const
{
    return std::find(m_ids.begin(), m_ids.end(), id) != m_ids.end();
}

// The menu manager's part: items stack down their column, a column is as wide
// as its widest item plus the check room every owner-drawn item gets.
void CPaletteMenuBase::Layout()
{
    const bool multiColumn = m_grid.columns > 1 || m_nMoreId != kNoMoreEntry;
    std::vector<SIZE> sizes;
    int lastColumn = -1;
    for (const PaletteItem& item : m_items) {
        SIZE size = MeasurePaletteItem(item.id, IsCellId(item.id), m_nCellWidth, m_nCellHeight, multiColumn);
        size.cx += kMenuCheckWidth;
        sizes.push_back(size);
        lastColumn = std::max(lastColumn, item.column);
    }
    std::vector<int> widths(size_t(lastColumn + 1), 0);
    for (size_t i = 0; i < m_items.size(); ++i)
        widths[size_t(m_items[i].column)] = std::max(widths[size_t(m_items[i].column)], int(sizes[i].cx));
    // The items lie inside the menu window's raised frame.
    m_rects.clear();
    int x = kMenuFrame, y = kMenuFrame, column = 0, height = 0;
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i].column != column) {
            x += widths[size_t(column)];
            column = m_items[i].column;
            y = kMenuFrame;
        }
        m_rects.emplace_back(x, y, widths[size_t(column)], sizes[i].cy);
        y += sizes[i].cy;
        height = std::max(height, y);
    }
    if (!m_items.empty())
        x += widths[size_t(column)];
    resize(std::max(1, x) + kMenuFrame, std::max(1, height) + kMenuFrame);
}

QRect CPaletteMenuBase::ItemRect(UINT id) const
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].id == id)
            return m_rects[i];
    return {};
}

UINT CPaletteMenuBase::HighlightedId() const
{
    return m_nHighlight >= 0 ? m_items[size_t(m_nHighlight)].id : 0;
}

void CPaletteMenuBase::Track(const QPoint& screenPos, std::function<void(UINT)> done)
{
    m_done = std::move(done);
    m_nChosen = 0;
    m_nHighlight = kNoHighlight;
    m_bButtonDown = true;
    move(screenPos);
    // Taken as a popup's focus: an in-place text editor beneath stays open.
    show();
    setFocus(Qt::PopupFocusReason);
}

UINT CPaletteMenuBase::Exec(const QPoint& screenPos)
{
    QEventLoop loop;
    UINT result = 0;
    bool finished = false;
    Track(screenPos, [&](UINT id) {
        result = id;
        finished = true;
        loop.quit();
    });
    if (!finished)
        loop.exec();
    return result;
}

void CPaletteMenuBase::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    if (auto done = std::move(m_done)) {
        m_done = nullptr;
        done(m_nChosen);
    }
}

int CPaletteMenuBase::ItemAt(const QPoint& pos) const
{
    for (size_t i = 0; i < m_rects.size(); ++i)
        if (m_rects[i].contains(pos))
            return int(i);
    return kNoHighlight;
}

bool CPaletteMenuBase::Selectable(int index) const
{
    if (index < 0 || size_t(index) >= m_items.size())
        return false;
    const UINT id = m_items[size_t(index)].id;
    return IsCellId(id) || id == m_nMoreId;
}

void CPaletteMenuBase::SetHighlight(int index)
{
    if (!Selectable(index))
        index = kNoHighlight;
    if (index == m_nHighlight)
        return;
    const int old = m_nHighlight;
    m_nHighlight = index;
    update();
    if (old >= 0)
        OnHighlightChanged(m_items[size_t(old)].id, false);
    if (index >= 0)
        OnHighlightChanged(m_items[size_t(index)].id, true);
}

void CPaletteMenuBase::Choose(int index)
{
    if (!Selectable(index))
        return;
    m_nChosen = m_items[size_t(index)].id;
    hide();
}

void CPaletteMenuBase::mouseMoveEvent(QMouseEvent* event)
{
    SetHighlight(ItemAt(event->position().toPoint()));
}

void CPaletteMenuBase::mousePressEvent(QMouseEvent* event)
{
    if (!rect().contains(event->position().toPoint())) {
        hide();   // a press elsewhere dismisses the menu
        return;
    }
    m_bButtonDown = true;
    SetHighlight(ItemAt(event->position().toPoint()));
    update();
}

void CPaletteMenuBase::mouseReleaseEvent(QMouseEvent* event)
{
    m_bButtonDown = false;
    update();
    // The release of the press that opened the menu lands outside it and
    // leaves the menu open.
    const int index = ItemAt(event->position().toPoint());
    if (Selectable(index))
        Choose(index);
}

void CPaletteMenuBase::MoveHighlight(int dColumn, int dRow)
{
    if (m_nHighlight < 0) {
        for (size_t i = 0; i < m_items.size(); ++i)
            if (Selectable(int(i))) {
                SetHighlight(int(i));
                return;
            }
        return;
    }
    const PaletteItem& from = m_items[size_t(m_nHighlight)];
    const QPoint mid = m_rects[size_t(m_nHighlight)].center();
    int best = kNoHighlight, bestDistance = INT_MAX;
    for (size_t i = 0; i < m_items.size(); ++i) {
        if (!Selectable(int(i)) || int(i) == m_nHighlight)
            continue;
        const QPoint c = m_rects[i].center();
        int distance = INT_MAX;
        if (dColumn != 0 && m_items[i].column == from.column + dColumn)
            distance = std::abs(c.y() - mid.y());
        else if (dRow != 0 && m_items[i].column == from.column && (c.y() - mid.y()) * dRow > 0)
            distance = std::abs(c.y() - mid.y());
        if (distance < bestDistance) {
            best = int(i);
            bestDistance = distance;
        }
    }
    if (best >= 0)
        SetHighlight(best);
}

void CPaletteMenuBase::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Escape: hide(); break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space: Choose(m_nHighlight); break;
    case Qt::Key_Left: MoveHighlight(-1, 0); break;
    case Qt::Key_Right: MoveHighlight(1, 0); break;
    case Qt::Key_Up: MoveHighlight(0, -1); break;
    case Qt::Key_Down: MoveHighlight(0, 1); break;
    default: QWidget::keyPressEvent(event); break;
    }
}

void CPaletteMenuBase::paintEvent(QPaintEvent*)
{
    PaintThroughDC(this, size(), [this](CDC& dc) {
        const CRect all(0, 0, width(), height());
        dc.FillSolidRect(&all, MenuColor());
        m_nSepLeft = -1;
        for (size_t i = 0; i < m_items.size(); ++i)
            DrawItem(&dc, int(i));
        DrawMenuFrame(dc, all);
    });
}

void CPaletteMenuBase::DrawMenuFrame(CDC& dc, const CRect& all)
{
    // A menu window's raised edge: light outside at the top and left, dark
    // outside at the bottom and right, a second lighter pair inside, then a
    // line of the menu colour.
    const int w = all.Width(), h = all.Height();
    const auto edge = [&dc, w, h](int inset, COLORREF topLeft, COLORREF bottomRight) {
        dc.FillSolidRect(inset, inset, w - 2 * inset, 1, topLeft);
        dc.FillSolidRect(inset, inset, 1, h - 2 * inset, topLeft);
        dc.FillSolidRect(inset, h - 1 - inset, w - 2 * inset, 1, bottomRight);
        dc.FillSolidRect(w - 1 - inset, inset, 1, h - 2 * inset, bottomRight);
    };
    edge(0, GetSysColor(COLOR_3DLIGHT), GetSysColor(COLOR_3DDKSHADOW));
    edge(1, GetSysColor(COLOR_3DHIGHLIGHT), GetSysColor(COLOR_BTNSHADOW));
    edge(2, MenuColor(), MenuColor());
}

void CPaletteMenuBase::DrawItem(CDC* dc, int index)
{
    const PaletteItem& item = m_items[size_t(index)];
    CRect cell = ToCRect(m_rects[size_t(index)]);
    CRect inside = cell;
    inside.DeflateRect(m_nBdrX, m_nBdrY);
    if (g_bDiagnostics) {
        DiagPrintf("m_nBdrX=%d m_nBdrY=%d\n", m_nBdrX, m_nBdrY);
        DiagPrintf("rcInside= %d,%d,%d,%d\n", int(inside.left), int(inside.top), int(inside.right),
                   int(inside.bottom));
    }
    if (item.id == kSepFirstId) {
        m_nSepLeft = cell.left;
    } else if (item.id == kSepLastId) {
        const int y = cell.top + cell.Height() / 2;
        const int left = m_nSepLeft >= 0 ? m_nSepLeft : int(cell.left);
        dc->FillSolidRect(left, y, cell.right - left, 1, GetSysColor(COLOR_BTNSHADOW));
        dc->FillSolidRect(left, y + 1, cell.right - left, 1, RGB(255, 255, 255));
    } else if (item.id == m_nMoreId) {
        for (int k = 0; k < 3; ++k)
            dc->FillSolidRect(inside.left + 4 * k, inside.bottom - 2, 2, 2, RGB(0, 0, 0));
        DrawFrame(dc, cell, index);
    } else if (IsCellId(item.id)) {
        const auto entry = size_t(std::find(m_ids.begin(), m_ids.end(), item.id) - m_ids.begin());
        // A cell not last in its row reaches over the gap to its neighbour.
        const bool lastInRow = item.column == m_grid.columns - 1 || entry + 1 == m_ids.size();
        if (!lastInRow || m_nMoreId != kNoMoreEntry)
            cell.right += 1;
        const bool current = IsCurrentCell(item.id);
        const bool highlighted = index == m_nHighlight;
        CRect back = cell;
        back.DeflateRect(1, 1);
        if (current && !highlighted)
            FillRectWithPattern(dc, back);
        else if (current)
            dc->FillSolidRect(&back, MenuColor());
        if (g_bDiagnostics)
            DiagPrintf("zzrcInside= %d,%d,%d,%d\n", int(inside.left), int(inside.top), int(inside.right),
                       int(inside.bottom));
        DrawCell(dc, inside, item.id, current && !highlighted, highlighted);
        DrawFrame(dc, cell, index);
    }
}

void CPaletteMenuBase::DrawFrame(CDC* dc, const CRect& cell, int index)
{
    int kind = 0;   // flat
    if (index == m_nHighlight)
        kind = m_bButtonDown ? 2 : 1;
    else if (IsCurrentCell(m_items[size_t(index)].id))
        kind = 2;
    Draw3dFrame(dc, cell, kind, MenuColor());
}
