#include "undo/UndoStream.h"

#include <cstring>

void UndoStream::Put(const void* data, size_t n)
{
    if (m_ppPos && *m_ppPos) {
        std::memcpy(*m_ppPos, data, n);
        *m_ppPos += n;
    }
    m_nBytes += int(n);
}

void UndoStream::String(const std::string& s)
{
    if (!s.empty())
        Put(s.data(), s.size());
    Int32(int32_t(s.size()));
}

void UndoStream::Blob(const void* data, int32_t n)
{
    if (!data || n < 0)
        n = 0;
    if (n > 0)
        Put(data, size_t(n));
    Int32(n);
}

bool UndoReader::Get(void* data, size_t n)
{
    if (m_bFailed || Remaining() < n) {
        m_bFailed = true;
        return false;
    }
    m_pPos -= n;
    std::memcpy(data, m_pPos, n);
    return true;
}

bool UndoReader::Rect(RECT& rc)
{
    return Int32(rc.bottom) && Int32(rc.right) && Int32(rc.top) && Int32(rc.left);
}

bool UndoReader::String(std::string& s)
{
    const BYTE* data = nullptr;
    int32_t n = 0;
    if (!Blob(data, n))
        return false;
    s.assign(reinterpret_cast<const char*>(data ? data : reinterpret_cast<const BYTE*>("")), size_t(n));
    return true;
}

bool UndoReader::Blob(const BYTE*& data, int32_t& n)
{
    int32_t count = 0;
    if (!Int32(count))
        return false;
    if (count < 0 || size_t(count) > Remaining()) {
        m_bFailed = true;
        return false;
    }
    m_pPos -= count;
    data = count ? m_pPos : nullptr;
    n = count;
    return true;
}
