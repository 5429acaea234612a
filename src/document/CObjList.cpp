#include "document/CObjList.h"

#include <algorithm>
#include <new>

void CObjList::Count(const CDiagObj* obj, int delta)
{
    if (!obj)
        return;
    if (obj->GetType() == kObjFigure)
        m_nFigCount += delta;
    else if (obj->GetType() == kObjConnector)
        m_nConCount += delta;
}

bool CObjList::AddTail(CDiagObj* obj)
{
    return InsertAt(GetCount(), obj);
}

bool CObjList::InsertAt(int index, CDiagObj* obj)
{
    if (m_bFailAppends)
        return false;
    index = std::clamp(index, 0, GetCount());
    try {
        m_items.insert(m_items.begin() + index, obj);
    } catch (const std::bad_alloc&) {
        return false;
    }
    Count(obj, +1);
    return true;
}

bool CObjList::Remove(CDiagObj* obj)
{
    const int i = Find(obj);
    if (i < 0)
        return false;
    m_items.erase(m_items.begin() + i);
    Count(obj, -1);
    return true;
}

void CObjList::RemoveAll()
{
    m_items.clear();
    m_nFigCount = m_nConCount = 0;
}

int CObjList::Find(const CDiagObj* obj) const
{
    const auto it = std::find(m_items.begin(), m_items.end(), obj);
    return it == m_items.end() ? -1 : int(it - m_items.begin());
}

int CObjList::GetPosition(const CDiagObj* obj) const
{
    const int i = Find(obj);
    return i < 0 ? -1 : i + 1;
}

CDiagObj* CObjList::GetAt(int index) const
{
    return index >= 0 && index < GetCount() ? m_items[size_t(index)] : nullptr;
}

CDiagObj* CObjList::FindById(int32_t id, int type) const
{
    for (CDiagObj* o : m_items)
        if (o && o->m_nId == id && (type < 0 || o->GetType() == type))
            return o;
    return nullptr;
}

bool CObjList::MoveTo(CDiagObj* obj, int index)
{
    const int from = Find(obj);
    if (from < 0)
        return false;
    m_items.erase(m_items.begin() + from);
    index = std::clamp(index, 0, GetCount());
    m_items.insert(m_items.begin() + index, obj);
    return true;
}
