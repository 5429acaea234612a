#pragma once
// Little-endian access to metafile bytes. Every read is checked against the
// span it reads from: a value that would lie past the end is not read and the
// call answers false (or 0 with the failure flag set), so that parsers of
// untrusted pictures can never read outside the block they were given.
#include "platform/WinTypes.h"

#include <cstddef>
#include <cstring>
#include <span>

using MetaBytes = std::span<const BYTE>;

// How a walk over the records of a metafile ended.
enum class MetaWalk { Done, Stopped, Invalid };

// Unchecked little-endian loads and stores: callers check the range first.
inline WORD LoadLE16(const BYTE* p) { return WORD(p[0] | (p[1] << 8)); }
inline DWORD LoadLE32(const BYTE* p)
{
    return DWORD(p[0]) | (DWORD(p[1]) << 8) | (DWORD(p[2]) << 16) | (DWORD(p[3]) << 24);
}
inline void StoreLE16(BYTE* p, WORD v)
{
    p[0] = BYTE(v);
    p[1] = BYTE(v >> 8);
}
inline void StoreLE32(BYTE* p, DWORD v)
{
    StoreLE16(p, WORD(v));
    StoreLE16(p + 2, WORD(v >> 16));
}

// True when [offset, offset + count) lies inside a block of `size` bytes; written
// so that no sum can overflow.
inline bool RangeInside(size_t size, size_t offset, size_t count)
{
    return offset <= size && count <= size - offset;
}

// A checked reader over one span. Reads past the end fail, set the failure flag
// and give 0; a parser reads what it needs and tests Ok() once.
class CMetaByteReader {
public:
    explicit CMetaByteReader(MetaBytes bytes) : m_bytes(bytes) {}

    size_t Size() const { return m_bytes.size(); }
    bool Ok() const { return m_ok; }
    bool Has(size_t offset, size_t count) const { return RangeInside(m_bytes.size(), offset, count); }

    WORD U16(size_t offset)
    {
        if (!Check(offset, 2))
            return 0;
        return LoadLE16(m_bytes.data() + offset);
    }
    SHORT S16(size_t offset) { return static_cast<SHORT>(U16(offset)); }
    DWORD U32(size_t offset)
    {
        if (!Check(offset, 4))
            return 0;
        return LoadLE32(m_bytes.data() + offset);
    }
    LONG S32(size_t offset) { return static_cast<LONG>(U32(offset)); }
    float F32(size_t offset)
    {
        DWORD bits = U32(offset);
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return f;
    }
    // The sub-span [offset, offset + count), or an empty span (and failure) when
    // it does not lie inside.
    MetaBytes Sub(size_t offset, size_t count)
    {
        if (!Check(offset, count))
            return {};
        return m_bytes.subspan(offset, count);
    }

private:
    bool Check(size_t offset, size_t count)
    {
        if (Has(offset, count))
            return true;
        m_ok = false;
        return false;
    }

    MetaBytes m_bytes;
    bool m_ok = true;
};
