#pragma once
// The palette of a style picker: the style categories, one submenu each, and
// the style indexes of all categories one after the other. Category i shows
// its entry k as command 33400 + 51 x i + k; its "..." entry is 33201 + i and
// the picker's own "..." entry 33200.
//
// A layout may claim more than the menus can show (a description built in
// memory, not read from a file): the list keeps at most 16 categories of at
// most 51 entries, so that every value it holds has a command of its own and
// the value list (sized for all 16 x 51) can never be overrun.
#include <cstdint>
#include <string>
#include <vector>

struct DropMenuDesc;

constexpr int kPaletteFirstCmd = 33400;
constexpr int kPaletteMoreCmd = 33200;           // "..." of the whole picker
constexpr int kPaletteCategoryMoreCmd = 33201;   // + category
constexpr int kPaletteLastMoreCmd = 33216;

struct StylePickCategory {
    std::string name;
    int width = 0, height = 0;   // the sample cell
    int count = 0;
    int columns = 0;             // 0: automatic
};

class CStylePickCategories {
public:
    static constexpr int kMaxCategories = 16;
    static constexpr int kMaxEntries = 51;
    static constexpr int kMaxValues = kMaxCategories * kMaxEntries;

    std::vector<StylePickCategory> m_cats;
    std::vector<uint16_t> m_values;   // style indexes, category after category

    void Clear();
    void FillFrom(const DropMenuDesc& desc);
    int Count() const { return int(m_cats.size()); }
    // Whether the palette is shown as one submenu per category: at least one
    // category and the first one named.
    bool ByCategories() const { return !m_cats.empty() && !m_cats[0].name.empty(); }
    // The style index a command stands for; -1 for the "..." entries and for
    // commands outside the list.
    int ValueOfCommand(int command) const;
    // The command of entry k of category c (no check).
    static int CommandOf(int category, int k) { return kPaletteFirstCmd + kMaxEntries * category + k; }
    // Position of the category's first value in m_values.
    int FirstValueOf(int category) const;
    // The category's columns, or when it has none the entry count when at
    // most 4, else the given default.
    int ColumnsOf(int category, int defaultColumns) const;
    bool HasCategory(const std::string& name) const;
    bool operator==(const CStylePickCategories& o) const;
};

bool operator==(const StylePickCategory& a, const StylePickCategory& b);
