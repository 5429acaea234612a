#include "document/CDocGraphics.h"

#include <new>

bool CDocGraphics::AddUse(int type, HGLOBAL handle)
{
    if (!handle)
        return false;
    for (Record& r : m_records)
        if (r.handle == handle) {
            ++r.uses;
            return true;
        }
    try {
        m_records.push_back(Record{type, handle, 1});
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool CDocGraphics::ReleaseUse(HGLOBAL handle)
{
    for (size_t i = 0; i < m_records.size(); ++i)
        if (m_records[i].handle == handle) {
            if (--m_records[i].uses <= 0) {
                GlobalFree(handle);
                m_records.erase(m_records.begin() + long(i));
            }
            return true;
        }
    return false;
}

int CDocGraphics::GetUses(HGLOBAL handle) const
{
    for (const Record& r : m_records)
        if (r.handle == handle)
            return r.uses;
    return 0;
}

void CDocGraphics::ReleaseAll()
{
    for (const Record& r : m_records)
        GlobalFree(r.handle);
    m_records.clear();
}
