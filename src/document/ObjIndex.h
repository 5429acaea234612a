#pragma once
// A grid over the drawing reach of a document's objects, so that drawing an
// area or hit-testing a point looks only at the objects near it instead of
// walking the whole list.
//
// The index follows the object list through the list's watch (every insert,
// removal and reorder as it happens) and the objects' geometry through what
// the document repaints: every change of an object repaints where it was
// and where it is now, so the entries that meet a repainted area, and the
// objects invalidated one by one, are measured again. All of that is lazy:
// the notes only mark entries, and the next query measures them.
//
// Queries may come from several threads at once (the bands of an export)
// as long as nothing changes the document meanwhile; notes come from the
// thread that changes it.
#include "document/CObjList.h"
#include "platform/CRect.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <unordered_map>
#include <vector>

class CKavoDoc;

class CObjIndex final : public CObjListWatch {
public:
    explicit CObjIndex(const CKavoDoc& doc);
    ~CObjIndex();
    CObjIndex(const CObjIndex&) = delete;
    CObjIndex& operator=(const CObjIndex&) = delete;

    // The objects whose stored reach (DrawReachOf with no handles) meets
    // `box`, in list order: a superset of those whose reach does now, as
    // long as every change was noted.
    // With `orders`, each object's OrderOf beside it.
    void Query(const CRect& box, std::vector<CDiagObj*>& out, std::vector<int64_t>* orders = nullptr);
    // A number that orders the objects of the last refresh as the list
    // does (not their index: gaps may lie between); -1 when not indexed.
    int64_t OrderOf(const CDiagObj* obj) const;
    // Brings the entries current; queries do it themselves.
    void Refresh();

    // The objects that meet the area may have changed.
    void NoteArea(const CRect& area);
    // The object may have changed.
    void NoteObj(const CDiagObj* obj);
    // Anything may have changed: measure everything again.
    void NoteAll();

    // For tests and benchmarks: with the index off, drawing an area and
    // hit tests walk the whole list (the answers must not change).
    static void SetEnabled(bool on);
    static bool IsEnabled();
    // Whether answers for this document are being checked.
    bool IsVerifying() const;

    void OnInserted(CDiagObj* obj, bool atTail) override;
    void OnRemoved(CDiagObj* obj) override;
    void OnReordered() override;
    void OnCleared() override;

private:
    struct Entry {
        CDiagObj* obj = nullptr;
        CRect reach;
        int64_t order = 0;
        bool live = false;
        bool dirty = false;   // to be measured at the next refresh
        bool big = false;     // kept in m_big, not in the cells
        bool placed = false;  // in the cells or m_big, under `reach`
    };
    using CellKey = uint64_t;

    bool IsCurrent() const;
    void Rebuild();
    void Renumber();
    void Measure(int slot);
    void Place(int slot);
    void Unplace(int slot);
    int AddEntry(CDiagObj* obj, int64_t order);
    void MarkDirty(int slot);
    void Gather(const CRect& box, std::vector<int>& slots) const;
    void Verify(const CRect& box, const std::vector<CDiagObj*>& answer) const;
    // The cells a rectangle covers; false when it covers too many to list.
    bool CellRange(const CRect& r, int& x0, int& y0, int& x1, int& y1) const;
    static CellKey Key(int cx, int cy)
    {
        return (uint64_t(uint32_t(cx)) << 32) | uint32_t(cy);
    }

    const CKavoDoc& m_doc;
    CObjList* m_pList = nullptr;   // the list the entries were built from
    std::mutex m_mutex;
    std::atomic<bool> m_current{false};
    bool m_built = false;
    bool m_allDirty = true;
    bool m_orderDirty = false;
    std::vector<Entry> m_entries;
    std::vector<int> m_free;
    std::vector<int> m_dirty;
    std::vector<int> m_big;
    std::unordered_map<const CDiagObj*, int> m_slots;
    std::unordered_map<CellKey, std::vector<int>> m_cells;
    int64_t m_nextOrder = 0;
    int m_cellShift = 10;
};
