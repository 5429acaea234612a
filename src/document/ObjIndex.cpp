#include "document/ObjIndex.h"

#include "document/CKavoDoc.h"
#include "document/ObjReach.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <unordered_set>

namespace {
// An object spanning more cells than this is kept apart and tested by every
// query: one long connector must not fill thousands of cells.
constexpr int64_t kMaxCellsPerObject = 64;
// Cell sides lie between these powers of two (logical units); the rebuild
// picks one from the objects' sizes, so that a diagram drawn in large units
// is cut as finely as one in small.
constexpr int kMinCellShift = 6;
constexpr int kMaxCellShift = 16;

std::atomic<bool> g_enabled{true};
// Test runs set KAVO_VERIFY_OBJ_INDEX: every answer is checked against the
// whole list (in lists small enough for that).
const bool g_verifying{std::getenv("KAVO_VERIFY_OBJ_INDEX") != nullptr};
constexpr int kMaxVerifiedObjects = 4000;

CRect Normalized(CRect r)
{
    r.NormalizeRect();
    return r;
}

bool Meet(const CRect& a, const CRect& b)
{
    // Rectangles that only touch still meet, as in the drawing's clip test.
    return a.left <= b.right && b.left <= a.right && a.top <= b.bottom && b.top <= a.bottom;
}

int CellShiftFor(const std::vector<int>& sides)
{
    if (sides.empty())
        return 10;
    std::vector<int> sorted = sides;
    const auto mid = sorted.begin() + std::ptrdiff_t(sorted.size() / 2);
    std::nth_element(sorted.begin(), mid, sorted.end());
    // Cells about twice the typical object: most objects sit in one to four.
    int shift = kMinCellShift;
    while (shift < kMaxCellShift && (1 << shift) < 2 * *mid)
        ++shift;
    return shift;
}
} // namespace

CObjIndex::CObjIndex(const CKavoDoc& doc) : m_doc(doc) {}

CObjIndex::~CObjIndex()
{
    if (m_pList && m_doc.m_pObjList.get() == m_pList && m_pList->GetWatch() == this)
        m_pList->SetWatch(nullptr);
}

void CObjIndex::SetEnabled(bool on)
{
    g_enabled = on;
}

bool CObjIndex::IsEnabled()
{
    return g_enabled;
}

bool CObjIndex::IsVerifying() const
{
    return g_verifying && m_doc.m_pObjList && m_doc.m_pObjList->GetCount() <= kMaxVerifiedObjects;
}

bool CObjIndex::IsCurrent() const
{
    const CObjList* list = m_doc.m_pObjList.get();
    return m_current.load(std::memory_order_acquire) && list == m_pList && list->GetWatch() == this;
}

void CObjIndex::Query(const CRect& box, std::vector<CDiagObj*>& out, std::vector<int64_t>* orders)
{
    out.clear();
    if (orders)
        orders->clear();
    const CObjList* list = m_doc.m_pObjList.get();
    if (!list)
        return;
    if (!IsCurrent())
        Refresh();
    const CRect area = Normalized(box);
    // Reused by the thread's next query: drawing makes one a connector.
    thread_local std::vector<int> slots;
    slots.clear();
    Gather(area, slots);
    std::sort(slots.begin(), slots.end(),
              [this](int l, int r) { return m_entries[size_t(l)].order < m_entries[size_t(r)].order; });
    slots.erase(std::unique(slots.begin(), slots.end()), slots.end());
    out.reserve(slots.size());
    for (int s : slots) {
        const Entry& e = m_entries[size_t(s)];
        if (!Meet(e.reach, area))
            continue;
        out.push_back(e.obj);
        if (orders)
            orders->push_back(e.order);
    }
    if (IsVerifying())
        Verify(area, out);
}

int64_t CObjIndex::OrderOf(const CDiagObj* obj) const
{
    const auto it = m_slots.find(obj);
    return it == m_slots.end() ? -1 : m_entries[size_t(it->second)].order;
}

void CObjIndex::Refresh()
{
    std::lock_guard lock(m_mutex);
    CObjList* list = m_doc.m_pObjList.get();
    if (!list)
        return;
    if (!m_built || m_allDirty || list != m_pList || list->GetWatch() != this) {
        Rebuild();
    } else {
        if (m_orderDirty)
            Renumber();
        for (int s : m_dirty) {
            Entry& e = m_entries[size_t(s)];
            if (!e.live || !e.dirty)
                continue;
            Unplace(s);
            Measure(s);
            Place(s);
            e.dirty = false;
        }
        m_dirty.clear();
    }
    m_current.store(true, std::memory_order_release);
}

void CObjIndex::Rebuild()
{
    CObjList* list = m_doc.m_pObjList.get();
    m_entries.clear();
    m_free.clear();
    m_dirty.clear();
    m_big.clear();
    m_slots.clear();
    m_cells.clear();
    m_pList = list;
    list->SetWatch(this);
    m_entries.reserve(size_t(list->GetCount()));
    m_slots.reserve(size_t(list->GetCount()));
    std::vector<int> sides;
    sides.reserve(size_t(list->GetCount()));
    int64_t order = 0;
    for (CDiagObj* obj : *list) {
        const int s = AddEntry(obj, order++);
        Measure(s);
        const CRect& r = m_entries[size_t(s)].reach;
        sides.push_back(std::max(r.Width(), r.Height()));
    }
    m_cellShift = CellShiftFor(sides);
    for (int s = 0; s < int(m_entries.size()); ++s) {
        Place(s);
        m_entries[size_t(s)].dirty = false;
    }
    m_dirty.clear();
    m_nextOrder = order;
    m_built = true;
    m_allDirty = false;
    m_orderDirty = false;
}

void CObjIndex::Renumber()
{
    int64_t order = 0;
    for (CDiagObj* obj : *m_pList) {
        const auto it = m_slots.find(obj);
        if (it == m_slots.end()) {
            // Only a list change the watch missed leads here: start over.
            Rebuild();
            return;
        }
        m_entries[size_t(it->second)].order = order++;
    }
    m_nextOrder = order;
    m_orderDirty = false;
}

int CObjIndex::AddEntry(CDiagObj* obj, int64_t order)
{
    int s = 0;
    if (!m_free.empty()) {
        s = m_free.back();
        m_free.pop_back();
    } else {
        s = int(m_entries.size());
        m_entries.emplace_back();
    }
    Entry& e = m_entries[size_t(s)];
    e = Entry();
    e.obj = obj;
    e.order = order;
    e.live = true;
    m_slots[obj] = s;
    MarkDirty(s);
    return s;
}

void CObjIndex::Measure(int slot)
{
    Entry& e = m_entries[size_t(slot)];
    e.reach = Normalized(DrawReachOf(*e.obj, 0));
}

bool CObjIndex::CellRange(const CRect& r, int& x0, int& y0, int& x1, int& y1) const
{
    x0 = r.left >> m_cellShift;
    y0 = r.top >> m_cellShift;
    x1 = r.right >> m_cellShift;
    y1 = r.bottom >> m_cellShift;
    return (int64_t(x1) - x0 + 1) * (int64_t(y1) - y0 + 1) <= kMaxCellsPerObject;
}

void CObjIndex::Place(int slot)
{
    Entry& e = m_entries[size_t(slot)];
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    e.big = !CellRange(e.reach, x0, y0, x1, y1);
    if (e.big) {
        m_big.push_back(slot);
    } else {
        for (int cy = y0; cy <= y1; ++cy)
            for (int cx = x0; cx <= x1; ++cx)
                m_cells[Key(cx, cy)].push_back(slot);
    }
    e.placed = true;
}

void CObjIndex::Unplace(int slot)
{
    Entry& e = m_entries[size_t(slot)];
    if (!e.placed)
        return;
    e.placed = false;
    const auto drop = [slot](std::vector<int>& v) {
        const auto it = std::find(v.begin(), v.end(), slot);
        if (it != v.end()) {
            *it = v.back();
            v.pop_back();
        }
    };
    if (e.big) {
        drop(m_big);
        return;
    }
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    CellRange(e.reach, x0, y0, x1, y1);
    for (int cy = y0; cy <= y1; ++cy)
        for (int cx = x0; cx <= x1; ++cx) {
            const auto it = m_cells.find(Key(cx, cy));
            if (it == m_cells.end())
                continue;
            drop(it->second);
            if (it->second.empty())
                m_cells.erase(it);
        }
}

void CObjIndex::MarkDirty(int slot)
{
    Entry& e = m_entries[size_t(slot)];
    if (!e.dirty) {
        e.dirty = true;
        m_dirty.push_back(slot);
    }
}

void CObjIndex::Gather(const CRect& box, std::vector<int>& slots) const
{
    int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
    CellRange(box, x0, y0, x1, y1);
    const int64_t cells = (int64_t(x1) - x0 + 1) * (int64_t(y1) - y0 + 1);
    if (cells > int64_t(m_cells.size())) {
        // A box over more cells than hold objects: every entry is as quick.
        for (int s = 0; s < int(m_entries.size()); ++s)
            if (m_entries[size_t(s)].live)
                slots.push_back(s);
        return;
    }
    for (int cy = y0; cy <= y1; ++cy)
        for (int cx = x0; cx <= x1; ++cx) {
            const auto it = m_cells.find(Key(cx, cy));
            if (it != m_cells.end())
                slots.insert(slots.end(), it->second.begin(), it->second.end());
        }
    slots.insert(slots.end(), m_big.begin(), m_big.end());
}

void CObjIndex::NoteArea(const CRect& area)
{
    std::lock_guard lock(m_mutex);
    m_current.store(false, std::memory_order_relaxed);
    if (!m_built || m_allDirty)
        return;
    const CRect box = Normalized(area);
    std::vector<int> slots;
    Gather(box, slots);
    for (int s : slots)
        if (Meet(m_entries[size_t(s)].reach, box))
            MarkDirty(s);
}

void CObjIndex::NoteObj(const CDiagObj* obj)
{
    std::lock_guard lock(m_mutex);
    m_current.store(false, std::memory_order_relaxed);
    if (!m_built || m_allDirty)
        return;
    const auto it = m_slots.find(obj);
    if (it != m_slots.end())
        MarkDirty(it->second);
}

void CObjIndex::NoteAll()
{
    std::lock_guard lock(m_mutex);
    m_current.store(false, std::memory_order_relaxed);
    m_allDirty = true;
}

void CObjIndex::OnInserted(CDiagObj* obj, bool atTail)
{
    std::lock_guard lock(m_mutex);
    m_current.store(false, std::memory_order_relaxed);
    if (!m_built || m_allDirty)
        return;
    if (const auto it = m_slots.find(obj); it != m_slots.end()) {
        // The same object twice in the list: only a rebuild keeps both.
        m_allDirty = true;
        return;
    }
    if (!atTail)
        m_orderDirty = true;
    AddEntry(obj, m_nextOrder++);
}

void CObjIndex::OnRemoved(CDiagObj* obj)
{
    std::lock_guard lock(m_mutex);
    m_current.store(false, std::memory_order_relaxed);
    if (!m_built || m_allDirty)
        return;
    const auto it = m_slots.find(obj);
    if (it == m_slots.end())
        return;
    const int s = it->second;
    Unplace(s);
    m_entries[size_t(s)].live = false;
    m_entries[size_t(s)].obj = nullptr;
    m_slots.erase(it);
    m_free.push_back(s);
}

void CObjIndex::OnReordered()
{
    std::lock_guard lock(m_mutex);
    m_current.store(false, std::memory_order_relaxed);
    m_orderDirty = true;
}

void CObjIndex::OnCleared()
{
    std::lock_guard lock(m_mutex);
    m_current.store(false, std::memory_order_relaxed);
    m_allDirty = true;
}

void CObjIndex::Verify(const CRect& box, const std::vector<CDiagObj*>& answer) const
{
    const std::unordered_set<const CDiagObj*> found(answer.begin(), answer.end());
    size_t next = 0;
    for (const CDiagObj* obj : *m_doc.m_pObjList) {
        if (found.count(obj)) {
            if (next >= answer.size() || answer[next] != obj) {
                std::fprintf(stderr, "object index: object %d out of list order\n", int(obj->m_nId));
                std::abort();
            }
            ++next;
            continue;
        }
        if (Meet(Normalized(DrawReachOf(*obj, 0)), box)) {
            std::fprintf(stderr, "object index: object %d (type %d) missed in (%d,%d)-(%d,%d)\n", int(obj->m_nId),
                         obj->GetType(), box.left, box.top, box.right, box.bottom);
            std::abort();
        }
    }
}
