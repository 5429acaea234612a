#pragma once
// A group: an id and its members, each an object pointer with the object's
// id (the id survives when the pointer must be found again). New members go
// to the head of the list.
#include "document/CDiagObj.h"
#include "document/CIdObj.h"

#include <vector>

class CDC;
class CRgn;

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
    int32_t m_nUngroupMark = 0;   // set on groups Ungroup dissolves
    int32_t m_bMoved = 0;         // a member takes part in the current move

    CGroup() = default;
    // Id and selected flag copied, the other words 0; every entry is put at
    // the head, so the copy lists the members in reverse order.
    CGroup(const CGroup& o);
    // The members as the copy constructor; id, selected flag and the third
    // word copied; mark and trailing words cleared.
    CGroup& operator=(const CGroup& o);

    int GetCount() const { return int(m_members.size()); }
    int GetMemberCount() const { return GetCount(); }
    // A walk over the members from the head of the list: the first position
    // (0 for an empty group), then GetNextMember hands out the member there
    // and moves on; the position is 0 after the last member.
    int GetFirstMemberPos() const { return m_members.empty() ? 0 : 1; }
    CDiagObj* GetNextMember(int& pos) const;
    bool HasMember(int32_t id) const;
    // False when memory runs out.
    bool AddMember(CDiagObj* obj, int32_t id, bool atHead = false);
    // An entry at the head; object id -1 is refused.
    bool AddMemberEntry(CDiagObj* obj, int32_t id);
    // The object joins at the head: its group pointer becomes this group and
    // a selected object selects the group. False for null or no memory.
    bool AddMember(CDiagObj* obj);
    // Removes every entry with the id; whether one was there.
    bool RemoveMember(int32_t id);
    void ClearMembers() { m_members.clear(); }
    // Shifts every member id by delta (-1 stays).
    void OffsetMemberIds(int delta);
    void OffsetIds(int groupDelta, int memberDelta);
    // Pointers found again from the ids in the given objects (unknown ids
    // become -1 and null); every member then points to this group.
    template <class Range>
    void ResolveMembers(const Range& objects);
    // Each entry takes its object's id (-1 without one).
    void StoreMemberIds();
    // Every entry names, by id, its own object in the list, a figure or a
    // connector. An empty group answers true.
    template <class Range>
    bool CanResolveIn(const Range& objects) const;
    // The third word becomes 1 when a member object has its own set.
    void TakeMemberPasteFlag();
    // Selected when any member object is selected.
    void UpdateSelectedFlag();
    void MarkIfAnyMemberMarked();
    void MarkIfAllMembersMarked();
    // Union of the members' bounding rectangles (empty start).
    void GetBounds(CRect& out, int kind, int size) const;
    bool IsInsideRect(const RECT& rc) const;
    // The same test against a region (a container's outline).
    bool IsInsideRegion(const CRgn& region) const;
    // Every member object runs its update hook.
    void UpdateMembers();
    // Handles numbered like a keypad: 1 top-left, 2 top-centre, 3 top-right,
    // 4 / 6 the middles of left and right, 7, 8, 9 along the bottom; right
    // and bottom ones on the last pixel inside.
    CPoint GetHandlePoint(int handle) const;
    // The first handle (order 1, 7, 3, 9, 4, 6, 2, 8) whose size x size
    // square holds the point; 0 for none.
    int HandleHitTest(const POINT& pt, int size) const;
    // The bounds after dragging a handle by (dx, dy): the handle's corner or
    // side takes the size (a side handle keeps the other dimension), never
    // below 0 or the minimum, fitted to the group's aspect and anchored at
    // the opposite corner or side; middle handles keep the other centre.
    void ResizeByHandle(CRect& out, int handle, int dx, int dy, int minWidth, int minHeight) const;
    // The size text is scaled by: 64 x 64 unless members have text areas;
    // then the bounds times 4 over the smallest font height (from 128),
    // fitted to the bounds' aspect.
    CSize GetTextScaleSize() const;
    // Drag feedback of a group resize: every member drawn mapped from the
    // group's bounds onto the target (connectors by their end points,
    // figures by their rectangles); nothing without a DC.
    void DrawResized(CDC* dc, const RECT& target) const;
};

// Operations over a whole group list.
// The first group with the id, or null.
CGroup* FindGroupById(const std::vector<CGroup*>& groups, int32_t id);
// Every group's ungroup mark back to 0.
void ClearGroupMarks(const std::vector<CGroup*>& groups);
// Every group whose members are all marked is marked.
void MarkGroupsOfMarkedMembers(const std::vector<CGroup*>& groups);
// Every group's pointers found again from its member ids.
template <class Range>
void ResolveGroupMembers(const std::vector<CGroup*>& groups, const Range& objects);
// Every group's member ids taken from its pointers.
void StoreGroupMemberIds(const std::vector<CGroup*>& groups);

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
    for (Member& m : m_members)
        if (m.id != -1)
            m.Relink(objects);
    for (Member& m : m_members)
        if (m.obj)
            m.obj->m_pGroup = this;
}

template <class Range>
bool CGroup::CanResolveIn(const Range& objects) const
{
    for (const Member& m : m_members) {
        const CDiagObj* found = nullptr;
        for (CDiagObj* o : objects)
            if (o && o->m_nId == m.id) {
                found = o;
                break;
            }
        if (!found || found != m.obj || (found->GetType() != kObjFigure && found->GetType() != kObjConnector))
            return false;
    }
    return true;
}

template <class Range>
void ResolveGroupMembers(const std::vector<CGroup*>& groups, const Range& objects)
{
    for (CGroup* g : groups)
        g->ResolveMembers(objects);
}
