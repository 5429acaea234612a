#pragma once
// The document's graphics list (CGraphicList) with the short forms the
// document's own operations use: a use of a block a figure already holds,
// without merging, and its release.
#include "document/CGraphicList.h"

class CDocGraphics : public CGraphicList {
public:
    // One more use of the block (a new record at the first use).
    bool AddUse(int type, HGLOBAL handle) { return handle && RegisterAlloc(type ? type : 1, &handle, true) != 0; }
    // One use less; the block is freed with its last use. False when the
    // block is not recorded.
    bool ReleaseUse(HGLOBAL handle);
    int GetUses(HGLOBAL handle) const;
};
