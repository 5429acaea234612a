#pragma once
// The document's record of shared picture memory: each picture block that
// figures show, with its kind and the number of figures using it. The last
// use frees the block.
#include "platform/GlobalMem.h"

#include <vector>

class CDocGraphics {
public:
    struct Record {
        int type;
        HGLOBAL handle;
        int uses;
    };

    // One more use of the block (a new record at the first use).
    bool AddUse(int type, HGLOBAL handle);
    // One use less; the block is freed with its last use. False when the
    // block is not recorded.
    bool ReleaseUse(HGLOBAL handle);
    int GetUses(HGLOBAL handle) const;
    int GetCount() const { return int(m_records.size()); }
    // Frees every recorded block and forgets the records.
    void ReleaseAll();

private:
    std::vector<Record> m_records;
};
