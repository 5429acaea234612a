#pragma once
// The palette of a style picker as an item list with categories: one
// submenu per style category and the style indexes of all categories one
// after the other. Category i shows its entry k as command 33400 + 51 i + k;
// its "..." entry is 33201 + i and the picker's own "..." entry 33200.
//
// A layout may claim more than the menus can show (a description built in
// memory, not read from a file): at most 16 categories of at most 51 entries
// are kept, so every value in the list has a command of its own.
#include "controls/PaletteLayout.h"

#include <string>

struct DropMenuDesc;

// The list anew from the layout's description.
void FillStyleCategories(const DropMenuDesc& desc, CPaletteItemList& list);
// The style index a command stands for; -1 for the "..." entries and for
// commands outside the list.
int CategoryValueOfCommand(const CPaletteItemList& list, UINT command);
inline UINT CategoryCommand(int category, int k)
{
    return kPaletteFirstId + kPaletteCategoryStride * UINT(category) + UINT(k);
}
// Position of the category's first value in the list.
int FirstValueOfCategory(const CPaletteItemList& list, int category);
// The category's own columns, or when it has none the entry count when at
// most 4, else the given default.
int CategoryColumns(const PaletteCategory& category, int defaultColumns);
// Shown as one submenu per category: at least one, the first one named.
bool ShowsCategories(const CPaletteItemList& list);
bool HasCategoryNamed(const CPaletteItemList& list, const std::string& name);
