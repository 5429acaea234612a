#include "document/CGraphicList.h"

#include "graphics/BitmapHelpers.h"
#include "keyword/KeywordHooks.h"

#include <cstring>
#include <new>

namespace {
template <class... Args>
void Trace(const char* format, Args... args)
{
    if (g_pfnKwTrace)
        g_pfnKwTrace(format, args...);
}

// Handles are traced as 32-bit numbers.
unsigned HandleText(HGLOBAL h)
{
    return unsigned(reinterpret_cast<uintptr_t>(h));
}
} // namespace

CGraphic* CGraphicList::FindByHandle(int kind, HGLOBAL handle) const
{
    if (kind == 0 || !handle)
        return nullptr;
    for (const auto& r : m_records)
        if (r->Handle == handle)
            return r.get();
    return nullptr;
}

CGraphic* CGraphicList::FindSameContent(int kind, HGLOBAL handle) const
{
    if (kind == 0 || !handle)
        return nullptr;
    for (const auto& r : m_records)
        if (r->Type == kind && GlobalBlocksEqual(r->Handle, handle))
            return r.get();
    return nullptr;
}

CGraphic* CGraphicList::FindEarlierSameContent(int kind, HGLOBAL handle) const
{
    if (kind == 0 || !handle)
        return nullptr;
    for (const auto& r : m_records) {
        if (r->Handle == handle)
            return nullptr;
        if (r->Type == kind && GlobalBlocksEqual(r->Handle, handle))
            return r.get();
    }
    return nullptr;
}

CGraphic* CGraphicList::FindById(uint32_t id) const
{
    if (id == 0)
        return nullptr;
    for (const auto& r : m_records)
        if (r->Id == id)
            return r.get();
    return nullptr;
}

int CGraphicList::RegisterAlloc(int kind, HGLOBAL* handle, bool noMerge)
{
    if (kind == 0 || !handle || !*handle)
        return 0;
    Trace("SMEM  Register shared memory allocation handle=%08X\n", HandleText(*handle));
    if (CGraphic* r = FindByHandle(kind, *handle)) {
        ++r->UseCount;
        Trace("SMEM  .. added use count to existing handle %08X (now %d uses)\n", HandleText(*handle), r->UseCount);
        return 1;
    }
    if (!noMerge) {
        if (CGraphic* r = FindSameContent(kind, *handle)) {
            ++r->UseCount;
            Trace("SMEM  .. handle %08X freed using %08X instead (now %d uses)\n", HandleText(*handle),
                  HandleText(r->Handle), r->UseCount);
            GlobalFree(*handle);
            *handle = r->Handle;
            return 1;
        }
    }
    try {
        m_records.push_back(std::make_unique<CGraphic>(kind, *handle));
    } catch (const std::bad_alloc&) {
        return 0;
    }
    Trace("SMEM  ..new CGraphic record added (now 1 use)\n");
    return 1;
}

int CGraphicList::Release(CGraphic* record)
{
    if (record->UseCount <= 0) {
        Trace("SMEM  ..Warning - no uses, deallocation ignored \n");
        return 1;
    }
    if (--record->UseCount > 0) {
        Trace("SMEM  ..handle %08X still in use (now %d uses)\n", HandleText(record->Handle), record->UseCount);
        return 1;
    }
    Trace("SMEM  ..no uses remaining, freeing handle\n");
    GlobalFree(record->Handle);
    for (size_t i = 0; i < m_records.size(); ++i)
        if (m_records[i].get() == record) {
            m_records.erase(m_records.begin() + long(i));
            break;
        }
    return 1;
}

int CGraphicList::RegisterDealloc(int kind, HGLOBAL handle)
{
    if (kind == 0 || !handle)
        return 0;
    Trace("SMEM  Register shared memory deallocation handle=%08X\n", HandleText(handle));
    CGraphic* r = FindByHandle(kind, handle);
    if (!r) {
        Trace("SMEM  No record of allocation for handle %08X\n", HandleText(handle));
        return 0;
    }
    return Release(r);
}

int CGraphicList::Reshare(int kind, HGLOBAL* handle)
{
    if (kind == 0 || !handle || !*handle)
        return 0;
    CGraphic* current = FindByHandle(kind, *handle);
    CGraphic* earlier = current ? FindEarlierSameContent(kind, *handle) : nullptr;
    if (!earlier)
        return 0;
    Release(current);
    *handle = earlier->Handle;
    ++earlier->UseCount;
    Trace("SMEM  .. handle %08X added reshare (now %d uses)\n", HandleText(earlier->Handle), earlier->UseCount);
    return 1;
}

bool CGraphicList::AddLoaded(const CGraphic* record)
{
    if (!record)
        return false;
    try {
        auto copy = std::make_unique<CGraphic>(*record);
        copy->UseCount = 0;
        copy->InSelection = 0;
        m_records.push_back(std::move(copy));
    } catch (const std::bad_alloc&) {
        return false;
    }
    Trace("SMEM  Loaded CGraphic Id=%08X\n", unsigned(record->Id));
    return true;
}

void CGraphicList::DeleteAll()
{
    m_records.clear();
}

void CGraphicList::FreeUnused()
{
    for (size_t i = 0; i < m_records.size();) {
        if (m_records[i]->UseCount == 0) {
            GlobalFree(m_records[i]->Handle);
            m_records.erase(m_records.begin() + long(i));
        } else {
            ++i;
        }
    }
}

void CGraphicList::ClearSelectionFlags()
{
    for (auto& r : m_records)
        r->InSelection = 0;
}

void CGraphicList::ClearIds()
{
    for (auto& r : m_records)
        r->Id = 0;
}

void CGraphicList::Dump() const
{
    int n = 0;
    for (const auto& r : m_records)
        Trace("SMEM: Graphic %d:  Type=%d Handle=%08Xd UseCount=%d\n", ++n, r->Type, HandleText(r->Handle),
              r->UseCount);
}

void CGraphicList::ReleaseAll()
{
    for (const auto& r : m_records)
        GlobalFree(r->Handle);
    m_records.clear();
}
