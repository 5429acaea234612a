#include "controls/StylePickCategories.h"

#include "document/CStyleMenu.h"

#include <algorithm>

void FillStyleCategories(const DropMenuDesc& desc, CPaletteItemList& list)
{
    list = CPaletteItemList();
    size_t next = 0;   // the description's value of the current category's first entry
    for (const DropMenuDesc::Sub& sub : desc.subs) {
        const int claimed = std::max(sub.count, 0);
        PaletteCategory cat;
        cat.name = sub.name;
        cat.cellWidth = sub.itemWidth;
        cat.cellHeight = sub.itemHeight;
        cat.columns = std::max(sub.columns, 0);
        // Only the entries the description really lists, at most 51.
        const size_t listed = desc.indexes.size() > next ? desc.indexes.size() - next : 0;
        cat.count = std::min({claimed, kMaxCategoryEntries, int(listed)});
        if (!list.AddCategory(cat))
            break;
        for (int k = 0; k < cat.count; ++k)
            list.Append(desc.indexes[next + size_t(k)]);
        next += size_t(claimed);
    }
}

int FirstValueOfCategory(const CPaletteItemList& list, int category)
{
    int first = 0;
    for (int c = 0; c < category && c < list.CategoryCount(); ++c)
        first += list.Category(c).count;
    return first;
}

int CategoryValueOfCommand(const CPaletteItemList& list, UINT command)
{
    if (IsMoreEntryId(command) || command < kPaletteFirstId)
        return -1;
    const int k = int(command - kPaletteFirstId);
    const int c = k / int(kPaletteCategoryStride), p = k % int(kPaletteCategoryStride);
    if (c >= list.CategoryCount() || p >= list.Category(c).count)
        return -1;
    const WORD value = list.At(FirstValueOfCategory(list, c) + p);
    return value == 0xFFFF ? -1 : value;
}

int CategoryColumns(const PaletteCategory& category, int defaultColumns)
{
    if (category.columns > 0)
        return category.columns;
    return category.count <= 4 ? category.count : defaultColumns;
}

bool ShowsCategories(const CPaletteItemList& list)
{
    return list.CategoryCount() > 0 && !list.Category(0).name.empty();
}

bool HasCategoryNamed(const CPaletteItemList& list, const std::string& name)
{
    for (int c = 0; c < list.CategoryCount(); ++c)
        if (list.Category(c).name == name)
            return true;
    return false;
}
