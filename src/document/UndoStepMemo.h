#pragma once
// What the document keeps beside the records of an undo step, so that undo
// gives back exactly the document the step found: the id counters and the
// selection in its order (taken when the step opens), then entries added while
// the step runs for state the records do not carry (where a connector's
// orientation hint, a group member's place and a figure's attachment slots
// stood). Which staple each pinned object points at is taken when the step
// opens too (an object several staples pin names one of them), and which
// groups are selected.
//
// Layout: next object id, next staple id, next group id, selection count,
// the selected ids in selection order; then entries, each a tag and the
// tag's fixed number of values.
#include <cstdint>
#include <initializer_list>
#include <vector>

enum UndoMemoTag : int32_t {
    kMemoConHint = 1,       // connector id, orientation hint
    kMemoGroupPlace = 2,    // group id, object id, 0-based place in the members
    kMemoFigSlots = 3,      // figure id, attached connector 1 id, 2 id (-1 none)
    kMemoPinned = 4,        // object id, id of the staple it points at
    kMemoGroupSelected = 5, // id of a group whose selected flag is set
    kMemoLastUngroup = 6,   // the last dissolved group: id, selected flag, member count
    kMemoLastUngroupMember = 7, // one of its member ids, in member order
    kMemoSymbolCopy = 8,    // index of a symbol copy the step appended
};

constexpr int kMemoHeader = 4;

inline int UndoMemoTagSize(int32_t tag)
{
    switch (tag) {
    case kMemoConHint: return 2;
    case kMemoGroupPlace: return 3;
    case kMemoFigSlots: return 3;
    case kMemoPinned: return 2;
    case kMemoGroupSelected: return 1;
    case kMemoLastUngroup: return 3;
    case kMemoLastUngroupMember: return 1;
    case kMemoSymbolCopy: return 1;
    default: return -1;
    }
}

// Calls fn(values) for every entry of the tag, in the order added; values
// points at the entry's values. Stops at a malformed memo.
template <class Fn>
void ForEachUndoMemoEntry(const std::vector<int32_t>& memo, int32_t tag, Fn fn)
{
    if (memo.size() < size_t(kMemoHeader))
        return;
    size_t i = size_t(kMemoHeader) + size_t(memo[3] < 0 ? 0 : memo[3]);
    while (i < memo.size()) {
        const int size = UndoMemoTagSize(memo[i]);
        if (size < 0 || i + 1 + size_t(size) > memo.size())
            return;
        if (memo[i] == tag)
            fn(&memo[i + 1]);
        i += 1 + size_t(size);
    }
}

// The first entry of the tag whose first value is `key` (the earliest, so
// the state before the step), or null.
inline const int32_t* FindUndoMemoEntry(const std::vector<int32_t>* memo, int32_t tag, int32_t key,
                                        int32_t key2 = INT32_MIN)
{
    const int32_t* found = nullptr;
    if (!memo)
        return nullptr;
    ForEachUndoMemoEntry(*memo, tag, [&](const int32_t* v) {
        if (!found && v[0] == key && (key2 == INT32_MIN || v[1] == key2))
            found = v;
    });
    return found;
}

