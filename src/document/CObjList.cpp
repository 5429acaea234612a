#include "document/CObjList.h"

#include "core/Trace.h"
#include "document/CConnector.h"
#include "document/CFigure.h"

#include <algorithm>
#include <atomic>
#include <initializer_list>
#include <new>

uint64_t CObjList::NextStamp()
{
    static std::atomic<uint64_t> counter{0};
    return counter.fetch_add(1, std::memory_order_relaxed) + 1;
}

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
    if (m_bFailAppends || m_nAppendsBeforeFail == 0)
        return false;
    if (m_nAppendsBeforeFail > 0)
        --m_nAppendsBeforeFail;
    index = std::clamp(index, 0, GetCount());
    try {
        m_items.insert(m_items.begin() + index, obj);
    } catch (const std::bad_alloc&) {
        return false;
    }
    Count(obj, +1);
    Touch();
    if (m_watch.p)
        m_watch.p->OnInserted(obj, index == GetCount() - 1);
    return true;
}

bool CObjList::Remove(CDiagObj* obj)
{
    const int i = Find(obj);
    if (i < 0)
        return false;
    m_items.erase(m_items.begin() + i);
    Count(obj, -1);
    Touch();
    if (m_watch.p)
        m_watch.p->OnRemoved(obj);
    return true;
}

void CObjList::RemoveAll()
{
    m_items.clear();
    m_nFigCount = m_nConCount = 0;
    Touch();
    if (m_watch.p)
        m_watch.p->OnCleared();
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
    if (id == -1)
        return nullptr;
    if (m_bIdIndexed) {
        const auto it = m_idIndex.find(id);
        if (it == m_idIndex.end())
            return nullptr;
        if (type < 0 || it->second->GetType() == type)
            return it->second;
        // A duplicate id of another type: the plain search decides.
    }
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
    Touch();
    if (m_watch.p)
        m_watch.p->OnReordered();
    return true;
}

CDiagObj* CObjList::MoveItem(int from, int to)
{
    const int n = GetCount();
    if (from == to || from < 0 || to < 0 || from >= n || to >= n)
        return nullptr;
    CDiagObj* obj = m_items[size_t(from)];
    m_items.erase(m_items.begin() + from);
    m_items.insert(m_items.begin() + to, obj);
    Touch();
    if (m_watch.p)
        m_watch.p->OnReordered();
    return obj;
}

bool CObjList::HasGroupedMember() const
{
    return std::any_of(m_items.begin(), m_items.end(), [](const CDiagObj* o) { return o->m_pGroup != nullptr; });
}

int CObjList::GetIdRange(int32_t& lowest, int32_t& highest) const
{
    lowest = highest = -1;
    bool first = true;
    for (const CDiagObj* o : m_items) {
        if (first || o->m_nId < lowest)
            lowest = o->m_nId;
        if (first || o->m_nId > highest)
            highest = o->m_nId;
        first = false;
    }
    return GetCount();
}

void CObjList::RenumberIds(int32_t& counter, int32_t keepBelow)
{
    for (CDiagObj* o : m_items) {
        if (keepBelow != 0 && o->m_nId >= 0 && o->m_nId < keepBelow)
            continue;
        o->m_nId = counter++;
    }
}

void CObjList::BuildIdIndex() const
{
    m_idIndex.clear();
    m_idIndex.reserve(m_items.size());
    for (CDiagObj* o : m_items)
        if (o)
            m_idIndex.emplace(o->m_nId, o); // the first of an id, as the search finds it
    m_bIdIndexed = true;
}

void CObjList::DropIdIndex() const
{
    m_bIdIndexed = false;
    m_idIndex.clear();
}

void CObjList::RelinkAll(const CObjList& objects, bool keepUnresolvedEnds)
{
    objects.BuildIdIndex();
    for (CDiagObj* o : m_items)
        if (o->GetType() == kObjFigure) {
            auto* f = static_cast<CFigure*>(o);
            f->m_nSavedConnected = f->m_nConnected;
            DiagPrintf("ACDC: Fig %d, clear attached\n", f->m_nId);
            f->m_pAttachedCon1 = f->m_pAttachedCon2 = nullptr;
            f->m_nConnected = 0;
        }
    for (CDiagObj* o : m_items) {
        if (keepUnresolvedEnds && o->GetType() == kObjConnector)
            static_cast<CConnector*>(o)->ResolveEndIds(objects, true);
        else
            o->Relink(objects);
    }
    for (CDiagObj* o : m_items)
        if (o->GetType() == kObjConnector) {
            auto* c = static_cast<CConnector*>(o);
            for (CFigure* f : {c->m_pFig1, c->m_pFig2})
                if (f)
                    f->AttachCon(c);
        }
    objects.DropIdIndex();
}

void CObjList::StoreAllIds()
{
    for (CDiagObj* o : m_items)
        o->StoreIds();
}

void CObjList::ClearTempFlags()
{
    for (CDiagObj* o : m_items)
        o->m_bTemp = 0;
}

void CObjList::SaveAndClearMarks()
{
    for (CDiagObj* o : m_items) {
        o->m_bSavedMark = o->m_bVisited;
        o->m_bVisited = 0;
    }
}

void CObjList::RestoreMarks()
{
    for (CDiagObj* o : m_items)
        o->m_bVisited = (o->m_bVisited || o->m_bSavedMark) ? 1 : 0;
}

int ObListIndexOf(const CObjList& list, const CDiagObj* obj)
{
    return list.Find(obj);
}
