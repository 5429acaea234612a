#include "controls/PaletteLayout.h"

#include <algorithm>

WORD CPaletteItemList::At(int index) const
{
    return index >= 0 && index < Count() ? m_values[size_t(index)] : WORD(0xFFFF);
}

bool CPaletteItemList::Append(WORD value)
{
    // Style layouts read from files may list more styles than the commands
    // can address; the rest is left out rather than written past the list.
    if (Count() >= kMaxPaletteValues)
        return false;
    m_values.push_back(value);
    return true;
}

void CPaletteItemList::FillRange(int count, int first)
{
    m_values.clear();
    count = std::clamp(count, 0, kMaxPlainPaletteValues);
    for (int i = 0; i < count; ++i)
        m_values.push_back(WORD(first + i));
}

void CPaletteItemList::Clear()
{
    m_values.clear();
    m_categories.clear();
}

int CPaletteItemList::IndexOf(WORD value) const
{
    const auto it = std::find(m_values.begin(), m_values.end(), value);
    return it == m_values.end() ? -1 : int(it - m_values.begin());
}

bool CPaletteItemList::AddCategory(const PaletteCategory& category)
{
    if (CategoryCount() >= kMaxPaletteCategories)
        return false;
    m_categories.push_back(category);
    m_categories.back().count = std::clamp(category.count, 0, kMaxCategoryEntries);
    return true;
}

PaletteGrid ChooseColsRows(int count, int cellWidth, int cellHeight)
{
    if (count <= 0)
        return {};
    int columns;
    if (count <= 4)
        columns = cellWidth > 3 * cellHeight ? 1 : count;
    else if (count == 5 || count == 6 || count == 9)
        columns = 3;
    else if (count <= 16 && count % 5 != 0)
        columns = 4;
    else if (count <= 20 && count % 6 != 0)
        columns = 5;
    else
        columns = 6;
    return {columns, (count + columns - 1) / columns};
}

PaletteGrid PaletteGridFor(int count, int fixedColumns, int cellWidth, int cellHeight, bool hasMore)
{
    PaletteGrid grid;
    if (count > 0 && fixedColumns > 0)
        grid = {fixedColumns, (count + fixedColumns - 1) / fixedColumns};
    else
        grid = ChooseColsRows(count, cellWidth, cellHeight);
    if (grid.rows == 0 && hasMore)
        grid.rows = 1;
    return grid;
}

namespace {

UINT SeparatorIdFor(int column, int columns)
{
    // A single column is its own last column: it draws the line.
    if (column == columns)
        return kSepExtraId;
    if (column == columns - 1)
        return kSepLastId;
    return column == 0 ? kSepFirstId : kSepMiddleId;
}

} // namespace

std::vector<PaletteItem> BuildPaletteItems(const std::vector<UINT>& cellIds, const PaletteGrid& grid,
                                           int separatorRow, WORD moreId)
{
    std::vector<PaletteItem> items;
    const bool hasMore = moreId != kNoMoreEntry;
    const int count = int(cellIds.size());
    const int lastColumn = grid.columns + (hasMore ? 1 : 0);
    for (int i = 0; i < lastColumn; ++i) {
        bool first = true;
        auto add = [&](UINT id) {
            items.push_back({id, first && i > 0, i});
            first = false;
        };
        for (int j = 0; j < grid.rows; ++j) {
            if (separatorRow > 0 && j == separatorRow)
                add(SeparatorIdFor(i, grid.columns));
            if (i == grid.columns) {
                add(j < grid.rows - 1 ? kFillerId : UINT(moreId));
                continue;
            }
            const int entry = j * grid.columns + i;
            if (entry < count)
                add(cellIds[size_t(entry)]);
        }
    }
    return items;
}

SIZE MeasurePaletteItem(UINT id, bool isCell, int cellWidth, int cellHeight, bool multiColumn)
{
    SIZE size{cellWidth, cellHeight};
    if (!isCell) {
        if (id == kFillerId || IsMoreEntryId(id))
            size.cx = kPaletteExtraWidth;
        else if (id == kSepExtraId)
            size = {kPaletteExtraWidth, kPaletteSeparatorHeight};
        else if (id >= kSepFirstId && id <= kSepLastId)
            size.cy = kPaletteSeparatorHeight;
    }
    if (multiColumn)
        size.cx = std::max(1, int(size.cx) - kMenuCheckWidth);
    return size;
}
