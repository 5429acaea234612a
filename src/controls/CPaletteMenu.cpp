#include "controls/CPaletteMenu.h"

#include "render/PreviewSample.h"
#include "shapes/CShapeDef.h"
#include "shapes/ShapeLibrary.h"

CPaletteMenu::CPaletteMenu(const ShapeLibrary* endSymbols, QWidget* parent)
    : CPaletteMenuBase(parent), m_pSymbols(endSymbols)
{
}

bool CPaletteMenu::BuildMenu(std::vector<UINT> ids, int cellHeight, int cellWidth, int borderY, int borderX,
                             int side, int columns, int separatorRow, WORD moreId)
{
    if (ids.size() > size_t(kMaxPaletteMenuIds))
        ids.resize(size_t(kMaxPaletteMenuIds));
    m_ids = ids;
    return Build(ids, cellHeight, cellWidth, borderY, borderX, side, columns, separatorRow, moreId);
}

bool CPaletteMenu::CreateGrid(const std::vector<UINT>& ids)
{
    return BuildMenu(ids, 14, 20, 4, 4, 2, 0, 0, kNoMoreEntry);
}

int CPaletteMenu::IndexOf(UINT id) const
{
    for (size_t i = 0; i < m_ids.size(); ++i)
        if (m_ids[i] == id)
            return int(i);
    return -1;
}

UINT CPaletteMenu::IdAt(int index) const
{
    return index >= 0 && size_t(index) < m_ids.size() ? m_ids[size_t(index)] : 0xFFFF;
}

void CPaletteMenu::DrawCell(CDC* dc, const CRect& rect, UINT id, bool, bool)
{
    if (!m_pSymbols || id < kEndSymbolFirstCmd)
        return;
    const CShapeDef* shape = m_pSymbols->GetAt(int(id - kEndSymbolFirstCmd));
    if (!shape)
        return;
    CRect line = rect;
    line.InflateRect(1, 1);
    DrawEndSymbolOnLine(nullptr, dc, line, true, shape, true, true);
}
