#include "document/CGroup.h"

#include "document/CDiagObj.h"

#include <algorithm>
#include <new>

bool CGroup::HasMember(int32_t id) const
{
    return std::any_of(m_members.begin(), m_members.end(), [id](const Member& m) { return m.id == id; });
}

bool CGroup::AddMember(CDiagObj* obj, int32_t id, bool atHead)
{
    try {
        if (atHead)
            m_members.insert(m_members.begin(), Member{obj, id});
        else
            m_members.push_back(Member{obj, id});
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

bool CGroup::RemoveMember(int32_t id)
{
    const auto before = m_members.size();
    m_members.erase(std::remove_if(m_members.begin(), m_members.end(), [id](const Member& m) { return m.id == id; }),
                    m_members.end());
    return m_members.size() != before;
}

void CGroup::OffsetMemberIds(int delta)
{
    for (Member& m : m_members)
        if (m.id != -1)
            m.id += delta;
}
