#include "platform/GlobalMem.h"

#include <cstdlib>
#include <cstring>
#include <new>

struct GlobalBlock {
    BYTE* bytes = nullptr;
    size_t size = 0;
    int locks = 0;
};

namespace {
size_t g_limit = 0;
size_t g_inUse = 0;

bool WithinLimit(size_t oldBytes, size_t newBytes)
{
    return g_limit == 0 || g_inUse - oldBytes + newBytes <= g_limit;
}
} // namespace

HGLOBAL GlobalAlloc(UINT flags, size_t bytes)
{
    if (!WithinLimit(0, bytes))
        return nullptr;
    auto* h = new (std::nothrow) GlobalBlock;
    if (!h)
        return nullptr;
    if (bytes) {
        h->bytes = static_cast<BYTE*>((flags & GMEM_ZEROINIT) ? std::calloc(1, bytes) : std::malloc(bytes));
        if (!h->bytes) {
            delete h;
            return nullptr;
        }
    }
    h->size = bytes;
    g_inUse += bytes;
    return h;
}

void* GlobalLock(HGLOBAL h)
{
    if (!h || !h->bytes)
        return nullptr;
    ++h->locks;
    return h->bytes;
}

BOOL GlobalUnlock(HGLOBAL h)
{
    if (!h || h->locks == 0)
        return FALSE;
    return --h->locks > 0;
}

HGLOBAL GlobalReAlloc(HGLOBAL h, size_t bytes, UINT flags)
{
    if (!h || !WithinLimit(h->size, bytes))
        return nullptr;
    if (bytes == 0) {
        std::free(h->bytes);
        h->bytes = nullptr;
    } else {
        auto* p = static_cast<BYTE*>(std::realloc(h->bytes, bytes));
        if (!p)
            return nullptr;
        if ((flags & GMEM_ZEROINIT) && bytes > h->size)
            std::memset(p + h->size, 0, bytes - h->size);
        h->bytes = p;
    }
    g_inUse = g_inUse - h->size + bytes;
    h->size = bytes;
    return h;
}

size_t GlobalSize(HGLOBAL h)
{
    return h ? h->size : 0;
}

HGLOBAL GlobalFree(HGLOBAL h)
{
    if (!h)
        return nullptr;
    g_inUse -= h->size;
    std::free(h->bytes);
    delete h;
    return nullptr;
}

HGLOBAL GlobalDuplicate(HGLOBAL h)
{
    if (!h)
        return nullptr;
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, h->size);
    if (copy && h->size)
        std::memcpy(copy->bytes, h->bytes, h->size);
    return copy;
}

void SetGlobalMemoryLimit(size_t bytes)
{
    g_limit = bytes;
}

size_t GlobalMemoryInUse()
{
    return g_inUse;
}
