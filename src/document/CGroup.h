#pragma once
// A group: an id and its members, each an object pointer with the object's
// id (the id survives when the pointer must be found again).
#include "document/CDiagObj.h"
#include "document/CIdObj.h"

#include <vector>

class CGroup : public CIdObj {
public:
    struct Member {
        CDiagObj* obj = nullptr;
        int32_t id = -1;

        // The pointer from the id; a missing object makes the id -1 too.
        template <class Range>
        void Relink(const Range& objects);
        // The id from the pointer (-1 without one); returns the object.
        CDiagObj* StoreId()
        {
            id = obj ? obj->m_nId : -1;
            return obj;
        }
    };

    std::vector<Member> m_members;

    int GetCount() const { return int(m_members.size()); }
    bool HasMember(int32_t id) const;
    // False when memory runs out.
    bool AddMember(CDiagObj* obj, int32_t id, bool atHead = false);
    // Removes every entry with the id; whether one was there.
    bool RemoveMember(int32_t id);
    // Shifts every member id by delta (-1 stays).
    void OffsetMemberIds(int delta);
    // Pointers found again from the ids in the given objects.
    template <class Range>
    void ResolveMembers(const Range& objects);
};

template <class Range>
void CGroup::Member::Relink(const Range& objects)
{
    obj = nullptr;
    if (id == -1)
        return;
    for (CDiagObj* o : objects)
        if (o && o->m_nId == id) {
            obj = o;
            return;
        }
    id = -1;
}

template <class Range>
void CGroup::ResolveMembers(const Range& objects)
{
    for (Member& m : m_members) {
        m.obj = nullptr;
        for (CDiagObj* o : objects)
            if (o && o->m_nId == m.id) {
                m.obj = o;
                break;
            }
    }
}
