#pragma once
// A list of diagram objects in drawing order (head = back-most) with the
// number of figures (type 0) and connectors (type 1) it holds. The object
// list and the selection are of this type; the staple list too. The list
// does not own its objects: the document deletes them.
#include "document/CDiagObj.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

// Told of every change of a list's membership and order as it happens, so
// that a table built from the list (the document's spatial index) can follow
// it object by object instead of starting over.
class CObjListWatch {
public:
    virtual void OnInserted(CDiagObj* obj, bool atTail) = 0;
    virtual void OnRemoved(CDiagObj* obj) = 0;
    virtual void OnReordered() = 0;
    virtual void OnCleared() = 0;

protected:
    ~CObjListWatch() = default;
};

class CObjList {
public:
    // False (the list unchanged) when memory runs out.
    bool AddTail(CDiagObj* obj);
    bool InsertAt(int index, CDiagObj* obj);
    // Whether the object was in the list.
    bool Remove(CDiagObj* obj);
    void RemoveAll();
    // 0-based index, -1 when absent.
    int Find(const CDiagObj* obj) const;
    // 1-based position from the head, -1 when absent.
    int GetPosition(const CDiagObj* obj) const;
    CDiagObj* GetAt(int index) const;
    // The first object with the id (and of the type, unless type is -1);
    // null for id -1.
    CDiagObj* FindById(int32_t id, int type = -1) const;
    // Moves the object at index `from` to index `to`; null (nothing moved)
    // when they are equal or either is out of range.
    CDiagObj* MoveItem(int from, int to);
    void RemoveAllObjs() { RemoveAll(); }
    bool HasGroupedMember() const;
    // Lowest and highest id (-1, -1 when empty); the number of objects.
    int GetIdRange(int32_t& lowest, int32_t& highest) const;
    // Each object takes the counter's next value in list order; ids in
    // 0 .. keepBelow - 1 stay when keepBelow is not 0.
    void RenumberIds(int32_t& counter, int32_t keepBelow);
    // Stored ids back to pointers against `objects`, the figures' attachment
    // slots and counts rebuilt from the connectors' ends. With
    // keepUnresolvedEnds a connector end that finds no figure keeps its
    // stored ids for validation to report (CConnector::ResolveEndIds).
    void RelinkAll(const CObjList& objects, bool keepUnresolvedEnds = false);
    void StoreAllIds();
    // A table of ids for a batch of FindById calls on an unchanging list
    // (relinking a whole diagram would otherwise search the list once per
    // reference). The list must not change while it is in use.
    void BuildIdIndex() const;
    void DropIdIndex() const;
    void ClearTempFlags();
    void SaveAndClearMarks();
    void RestoreMarks();
    // Moves the object to the 0-based index (clamped); false when absent.
    bool MoveTo(CDiagObj* obj, int index);

    // Renewed (unique across lists) by every change of membership or order,
    // so a table built from the list can tell it is stale.
    uint64_t GetStamp() const { return m_nStamp; }
    // At most one watch; a copy of the list has none.
    void SetWatch(CObjListWatch* watch) { m_watch.p = watch; }
    CObjListWatch* GetWatch() const { return m_watch.p; }

    int GetCount() const { return int(m_items.size()); }
    bool IsEmpty() const { return m_items.empty(); }
    int m_nFigCount = 0;
    int m_nConCount = 0;

    std::vector<CDiagObj*>::const_iterator begin() const { return m_items.begin(); }
    std::vector<CDiagObj*>::const_iterator end() const { return m_items.end(); }

    // Test support: the next appends fail as if memory ran out.
    void FailAppendsForTest(bool fail) { m_bFailAppends = fail; }
    // Test support: appends after the next `count` ones fail (-1: never).
    void FailAppendsAfterForTest(int count) { m_nAppendsBeforeFail = count; }

private:
    void Count(const CDiagObj* obj, int delta);
    static uint64_t NextStamp();
    void Touch() { m_nStamp = NextStamp(); }
    std::vector<CDiagObj*> m_items;
    uint64_t m_nStamp = NextStamp();
    struct Watch {
        CObjListWatch* p = nullptr;
        Watch() = default;
        Watch(const Watch&) {}
        Watch& operator=(const Watch&) { return *this; }
    } m_watch;
    bool m_bFailAppends = false;
    int m_nAppendsBeforeFail = -1;
    mutable std::unordered_map<int32_t, CDiagObj*> m_idIndex;
    mutable bool m_bIdIndexed = false;
};

// Zero-based position of the object, -1 when absent.
int ObListIndexOf(const CObjList& list, const CDiagObj* obj);
