#include "shapes/StyleCategoryList.h"

#include "core/StringHelpers.h"

constexpr UINT IDS_NO_CATEGORY = 412;

std::string NoCategoryName()
{
    std::string name;
    LoadCStringRes(name, IDS_NO_CATEGORY);
    return name;
}

int StyleCategoryList::FindOrAddCategory(const std::string& name)
{
    for (int i = 0; i < m_nCount; ++i) {
        if (m_cat[i].m_strName == name)
            return i;
    }
    if (m_nCount >= kMaxCategories)
        return -1;
    // Byte order, case counting (the stored bytes, never the user's locale),
    // with the no-category entry always last.
    const std::string none = NoCategoryName();
    int p = m_nCount;
    if (name != none) {
        for (int i = 0; i < m_nCount; ++i) {
            if (m_cat[i].m_strName == none || m_cat[i].m_strName.compare(name) > 0) {
                p = i;
                break;
            }
        }
    }
    for (int i = m_nCount; i > p; --i)
        m_cat[i] = m_cat[i - 1];
    m_cat[p] = StyleCategory();
    m_cat[p].m_strName = name;
    ++m_nCount;
    return p;
}

bool StyleCategoryList::AddIndex(int cat, int index)
{
    StyleCategory& c = m_cat[cat];
    for (int i = 0; i < c.m_nCount; ++i) {
        if (c.m_index[i] == index)
            return true;
    }
    if (c.m_nCount >= StyleCategory::kMaxIndexes)
        return false;
    c.m_index[c.m_nCount++] = index;
    return true;
}
