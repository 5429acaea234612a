#pragma once
// How a drop palette lays out its cells as menu items: the column count a
// number of entries gets, the items in the order a column-filling menu needs
// them (with the separator row and the extra column of the more entry), and
// the size of each item. No widgets here, so the rules test on their own.
#include "platform/CRect.h"

#include <string>
#include <vector>

// Command ids of palette items.
constexpr UINT kPaletteFirstId = 33400;     // cell k of a plain palette: 33400 + k
constexpr UINT kPaletteCategoryStride = 51; // category c cell k: 33400 + 51 c + k
constexpr UINT kSepFirstId = 33103;         // separator of the first column: records its left side
constexpr UINT kSepMiddleId = 33104;        // separator of a middle column: draws nothing
constexpr UINT kSepLastId = 33105;          // separator of the last column: draws the etched line
constexpr UINT kFillerId = 33106;           // empty cell of the extra column
constexpr UINT kSepExtraId = 33107;         // separator standing in the extra column
constexpr UINT kMoreId = 33200;             // more entry of a plain palette; 33201 + c of category c
constexpr UINT kMoreLastId = 33216;
constexpr WORD kNoMoreEntry = 0xFFFF;

constexpr int kPaletteSeparatorHeight = 7;
constexpr int kPaletteExtraWidth = 15;
// The room a menu adds to every owner-drawn item for its check mark.
constexpr int kMenuCheckWidth = 13;
// The height of a menu bar line (text-list cells take at least this, less 4).
constexpr int kMenuLineHeight = 19;

// Up to 16 categories of up to 51 entries each; the value list is sized so
// that all of them fit one after the other.
constexpr int kMaxPaletteCategories = 16;
constexpr int kMaxCategoryEntries = 51;
constexpr int kMaxPaletteValues = kMaxPaletteCategories * kMaxCategoryEntries;
// A plain palette's commands 33400 + index stop short of the category ids.
constexpr int kMaxPlainPaletteValues = 250;

inline bool IsMoreEntryId(UINT id) { return id >= kMoreId && id <= kMoreLastId; }

struct PaletteCategory {
    int cellWidth = 0, cellHeight = 0;
    int count = 0;
    std::string name;
    int columns = 0;   // 0 = automatic
};

// The entry values of a palette (16-bit each, -1 = none), and for the
// category pickers the categories whose entries follow one another in it.
class CPaletteItemList {
public:
    int Count() const { return int(m_values.size()); }
    // -1 (0xFFFF) outside the list.
    WORD At(int index) const;
    // False, with nothing stored, when the list is full.
    bool Append(WORD value);
    // `count` consecutive values from `first`, cut to the plain palette's 250.
    void FillRange(int count, int first);
    void Clear();
    int IndexOf(WORD value) const;

    int CategoryCount() const { return int(m_categories.size()); }
    const PaletteCategory& Category(int index) const { return m_categories[size_t(index)]; }
    // False when all 16 slots are used.
    bool AddCategory(const PaletteCategory& category);

private:
    std::vector<WORD> m_values;
    std::vector<PaletteCategory> m_categories;
};

struct PaletteGrid {
    int columns = 0;
    int rows = 0;
};

// The automatic layout of n cells: 0 gives no cells; 1..4 a single row (one
// column when the cell is more than three times as wide as tall); 5, 6 and 9
// three columns; up to 16 not divisible by 5 four; up to 20 not divisible
// by 6 five; else six. Rows are the count rounded up to whole lines.
PaletteGrid ChooseColsRows(int count, int cellWidth, int cellHeight);
// The grid of a palette: fixed columns when given (>= 1), else automatic;
// a more entry with no cells still needs its one row.
PaletteGrid PaletteGridFor(int count, int fixedColumns, int cellWidth, int cellHeight, bool hasMore);

struct PaletteItem {
    UINT id = 0;
    bool menuBreak = false;   // first item of a column after the first
    int column = 0;           // the extra column is `columns`
};

// The items in menu order: column after column, the cell of column i and
// row j showing entry j x columns + i (command firstId + that entry), a
// separator before row `separatorRow` (0 = none) in every column, and with
// a more entry an extra column of fillers ending in the more entry.
std::vector<PaletteItem> BuildPaletteItems(const std::vector<UINT>& cellIds, const PaletteGrid& grid,
                                           int separatorRow, WORD moreId);

// The size the item asks for: cells are cellWidth x cellHeight, separators
// 7 high, items of the extra column 15 wide; with more than one column the
// menu's check room is taken back (not below 1).
SIZE MeasurePaletteItem(UINT id, bool isCell, int cellWidth, int cellHeight, bool multiColumn);
