#include "document/CStyleMenuLayout.h"

#include <algorithm>
#include <utility>

void CStyleMenuLayout::Clear()
{
    BtnHeight = Columns = m_nCount = 0;
    for (int i = 0; i < kMaxEntries; ++i) {
        m_index[i] = 0;
        m_names[i].clear();
    }
}

CStyleMenuLayout& CStyleMenuLayout::operator=(const CStyleMenuLayout& o)
{
    if (this == &o)
        return *this;
    BtnHeight = o.BtnHeight;
    Columns = o.Columns;
    m_nCount = std::clamp(o.m_nCount, 0, kMaxEntries);
    for (int i = 0; i < m_nCount; ++i) {
        m_index[i] = o.m_index[i];
        m_names[i] = o.m_names[i];
    }
    return *this;
}

bool CStyleMenuLayout::operator==(const CStyleMenuLayout& o) const
{
    return BtnHeight == o.BtnHeight && Columns == o.Columns && m_nCount == o.m_nCount &&
           std::equal(m_index, m_index + m_nCount, o.m_index);
}

bool CStyleMenuLayout::InsertAt(int pos, int index, const std::string& name)
{
    if (pos < 0 || pos > m_nCount || m_nCount >= kMaxEntries)
        return false;
    for (int i = m_nCount; i > pos; --i) {
        m_index[i] = m_index[i - 1];
        m_names[i] = std::move(m_names[i - 1]);
    }
    m_index[pos] = index;
    m_names[pos] = name;
    ++m_nCount;
    return true;
}

void CStyleMenuLayout::RemoveAt(int pos)
{
    List().RemoveAt(pos);
}

bool CStyleMenuLayout::RemoveName(const std::string& name)
{
    return List().RemoveName(name);
}

bool CStyleMenuLayout::SwapEntries(int indexA, int indexB)
{
    const int a = FindIndex(indexA), b = FindIndex(indexB);
    if (a < 0 || b < 0)
        return false;
    std::swap(m_index[a], m_index[b]);
    std::swap(m_names[a], m_names[b]);
    return true;
}

int CStyleMenuLayout::FindIndex(int index) const
{
    for (int i = 0; i < m_nCount; ++i)
        if (m_index[i] == index)
            return i;
    return -1;
}

int CStyleMenuLayout::FindName(const std::string& name) const
{
    return StyleNameList::Find(m_names, m_nCount, name);
}

bool CStyleMenuLayout::AppendName(const std::string& name)
{
    return InsertAt(m_nCount, -1, name);
}

bool CStyleMenuLayout::ResolveNames(const StyleLibRef& lib, int removeMissing)
{
    return List().ResolveNames(lib, removeMissing);
}

bool CStyleMenuLayout::NamesFromIndexes(const StyleLibRef& lib)
{
    return List().NamesFromIndexes(lib);
}

void CStyleMenuLayout::BuildFromLibrary(const StyleLibRef& lib, int labelFilter)
{
    Clear();
    for (int i = 0; i < lib.Count() && m_nCount < kMaxEntries; ++i) {
        if (lib.At(i)->HasButton && (labelFilter == -1 || lib.LabelOf(i) == labelFilter))
            m_index[m_nCount++] = i;
    }
    NamesFromIndexes(lib);
}
