#pragma once
// The document's graphics list: one record per distinct picture block that
// figures and figure styles show, with the number of uses. Blocks with
// identical bytes are merged when a use is registered, the last release frees
// a block, and the list is rebuilt from the objects after a file load.
// Picture kinds: 1 BMP file image, 2 placeable WMF, 3 EMF bits, 9 ARGB block.
#include "platform/GlobalMem.h"

#include <cstdint>
#include <memory>
#include <vector>

class CGraphic {
public:
    CGraphic(int type, HGLOBAL handle) : Type(type), Handle(handle), UseCount(1) {}
    // A record read from a file: no uses yet.
    static CGraphic Loaded(int type, HGLOBAL handle, uint32_t id)
    {
        CGraphic g(type, handle);
        g.UseCount = 0;
        g.Id = id;
        return g;
    }

    int Type;
    HGLOBAL Handle;
    int UseCount;
    int InSelection = 0;
    uint32_t Id = 0;   // the number written to and read from a file; 0 none
};

class CGraphicList {
public:
    CGraphicList() = default;
    CGraphicList(const CGraphicList&) = delete;
    CGraphicList& operator=(const CGraphicList&) = delete;
    virtual ~CGraphicList() = default;

    // One more use of *handle: the record of that very handle, else (unless
    // noMerge) a record of the same kind with identical bytes, whose handle
    // then replaces *handle (the caller's block is freed), else a new record.
    // 0 for kind 0, a null handle or no memory.
    int RegisterAlloc(int kind, HGLOBAL* handle, bool noMerge);
    // One use less; the block is freed with its last use. 0 for kind 0, a
    // null handle or a handle the list does not know (its block is kept).
    int RegisterDealloc(int kind, HGLOBAL handle);
    int Release(CGraphic* record);
    // Moves one use of *handle to the earliest record with identical bytes.
    int Reshare(int kind, HGLOBAL* handle);
    CGraphic* FindByHandle(int kind, HGLOBAL handle) const;
    CGraphic* FindSameContent(int kind, HGLOBAL handle) const;
    CGraphic* FindEarlierSameContent(int kind, HGLOBAL handle) const;
    // Null for id 0.
    CGraphic* FindById(uint32_t id) const;
    // A record read from a file (no uses); false for null or no memory.
    bool AddLoaded(const CGraphic* record);
    // Deletes every record, keeping the blocks.
    void DeleteAll();
    // Frees the blocks of records that no object took (a loaded record still
    // at 0 uses), then deletes them; used before the rebuild after a load.
    void FreeUnused();
    void ClearSelectionFlags();
    void ClearIds();
    void Dump() const;

    int GetCount() const { return int(m_records.size()); }
    CGraphic* GetAt(int n) const { return n >= 0 && n < GetCount() ? m_records[size_t(n)].get() : nullptr; }

    // Frees every recorded block and forgets the records (document close).
    void ReleaseAll();

protected:
    std::vector<std::unique_ptr<CGraphic>> m_records;
};

