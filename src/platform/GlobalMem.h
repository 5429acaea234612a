#pragma once
// Movable memory blocks with the handle semantics of Windows global memory:
// pictures, packed binary data and the undo log live in such blocks and are
// passed around by handle. A block's size is exactly what was asked for.
#include "platform/WinTypes.h"

#include <cstddef>

struct GlobalBlock;
using HGLOBAL = GlobalBlock*;

constexpr UINT GMEM_FIXED = 0x0000;
constexpr UINT GMEM_MOVEABLE = 0x0002;
constexpr UINT GMEM_ZEROINIT = 0x0040;
constexpr UINT GMEM_SHARE = 0x2000;
constexpr UINT GMEM_DDESHARE = 0x2000;
constexpr UINT GHND = GMEM_MOVEABLE | GMEM_ZEROINIT;

// Null when the memory cannot be had (or the test limit would be passed).
HGLOBAL GlobalAlloc(UINT flags, size_t bytes);
// Returns the block's bytes and counts a lock; null for a null handle. A
// zero-sized block has no bytes and locks to null.
void* GlobalLock(HGLOBAL h);
// False once the lock count is back at 0.
BOOL GlobalUnlock(HGLOBAL h);
// Resizes the block, keeping its bytes (new bytes zeroed with GMEM_ZEROINIT).
// Null on failure, the block then unchanged. The bytes may move: pointers from an
// earlier GlobalLock are stale afterwards.
HGLOBAL GlobalReAlloc(HGLOBAL h, size_t bytes, UINT flags);
size_t GlobalSize(HGLOBAL h);
// Frees the block; returns null on success, as the Windows call does.
HGLOBAL GlobalFree(HGLOBAL h);
// A copy of the whole block; null on failure.
HGLOBAL GlobalDuplicate(HGLOBAL h);

// Test support: caps the bytes all live blocks may hold together (0: no cap), so
// that out-of-memory paths can be driven.
void SetGlobalMemoryLimit(size_t bytes);
size_t GlobalMemoryInUse();

// Locks a block for the lifetime of the object.
class CGlobalLock {
public:
    explicit CGlobalLock(HGLOBAL h) : m_h(h), m_p(static_cast<BYTE*>(GlobalLock(h))) {}
    ~CGlobalLock()
    {
        if (m_p)
            GlobalUnlock(m_h);
    }
    CGlobalLock(const CGlobalLock&) = delete;
    CGlobalLock& operator=(const CGlobalLock&) = delete;
    BYTE* data() const { return m_p; }
    size_t size() const { return GlobalSize(m_h); }

private:
    HGLOBAL m_h;
    BYTE* m_p;
};
