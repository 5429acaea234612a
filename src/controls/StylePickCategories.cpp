#include "controls/StylePickCategories.h"

#include "document/CStyleMenu.h"

#include <algorithm>

void CStylePickCategories::Clear()
{
    m_cats.clear();
    m_values.clear();
}

void CStylePickCategories::FillFrom(const DropMenuDesc& desc)
{
    Clear();
    size_t next = 0;   // the description's value of the current category's first entry
    for (const DropMenuDesc::Sub& sub : desc.subs) {
        const int claimed = std::max(sub.count, 0);
        if (Count() == kMaxCategories)
            break;
        StylePickCategory cat;
        cat.name = sub.name;
        cat.width = sub.itemWidth;
        cat.height = sub.itemHeight;
        cat.columns = std::max(sub.columns, 0);
        for (int k = 0; k < claimed && next + size_t(k) < desc.indexes.size(); ++k) {
            if (cat.count == kMaxEntries)
                break;
            m_values.push_back(desc.indexes[next + size_t(k)]);
            ++cat.count;
        }
        next += size_t(claimed);
        m_cats.push_back(cat);
    }
}

int CStylePickCategories::FirstValueOf(int category) const
{
    int first = 0;
    for (int c = 0; c < category && c < Count(); ++c)
        first += m_cats[size_t(c)].count;
    return first;
}

int CStylePickCategories::ValueOfCommand(int command) const
{
    if (command >= kPaletteMoreCmd && command <= kPaletteLastMoreCmd)
        return -1;
    const int k = command - kPaletteFirstCmd;
    if (k < 0)
        return -1;
    const int c = k / kMaxEntries, p = k % kMaxEntries;
    if (c >= Count() || p >= m_cats[size_t(c)].count)
        return -1;
    const size_t at = size_t(FirstValueOf(c) + p);
    return at < m_values.size() ? m_values[at] : -1;
}

int CStylePickCategories::ColumnsOf(int category, int defaultColumns) const
{
    if (category < 0 || category >= Count())
        return defaultColumns;
    const StylePickCategory& cat = m_cats[size_t(category)];
    if (cat.columns > 0)
        return cat.columns;
    return cat.count <= 4 ? cat.count : defaultColumns;
}

bool CStylePickCategories::HasCategory(const std::string& name) const
{
    return std::any_of(m_cats.begin(), m_cats.end(), [&](const StylePickCategory& c) { return c.name == name; });
}

bool operator==(const StylePickCategory& a, const StylePickCategory& b)
{
    return a.name == b.name && a.width == b.width && a.height == b.height && a.count == b.count &&
           a.columns == b.columns;
}

bool CStylePickCategories::operator==(const CStylePickCategories& o) const
{
    return m_cats == o.m_cats && m_values == o.m_values;
}
