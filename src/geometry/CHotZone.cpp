#include "geometry/CHotZone.h"

#include "geometry/IntGeometry.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {
constexpr size_t kHeader = sizeof(int32_t);

bool PointCountAllowed(long long count)
{
    return count >= CHotZone::kMinPoints && count <= CHotZone::kMaxPoints;
}
} // namespace

void CHotZone::Free()
{
    delete[] m_pBuf;
    m_pBuf = nullptr;
}

int CHotZone::SetPoints(int count, const CFltPoint* points)
{
    Free();
    if (!points || !PointCountAllowed(count))
        return 0;
    const size_t bytes = kHeader + size_t(count) * sizeof(CFltPoint);
    unsigned char* buf = new (std::nothrow) unsigned char[bytes];
    if (!buf)
        return 0;
    const int32_t n = count;
    std::memcpy(buf, &n, kHeader);
    std::memcpy(buf + kHeader, points, bytes - kHeader);
    m_pBuf = buf;
    return 1;
}

int CHotZone::Copy(const void* buffer, size_t size)
{
    Free();
    if (!buffer)
        return 1;
    if (size < kHeader)
        return 0;
    int32_t n = 0;
    std::memcpy(&n, buffer, kHeader);
    if (!PointCountAllowed(n) || size < kHeader + size_t(n) * sizeof(CFltPoint))
        return 0;
    return SetPoints(n, reinterpret_cast<const CFltPoint*>(static_cast<const unsigned char*>(buffer) + kHeader));
}

CHotZone& CHotZone::operator=(const CHotZone& o)
{
    if (this == &o)
        return *this;
    Free();
    if (o.m_pBuf)
        SetPoints(o.GetCount(), o.GetPointArray());
    return *this;
}

bool CHotZone::Set(int count, const CFltPoint* points)
{
    if (!points || !PointCountAllowed(count))
        return false;
    return SetPoints(count, points) != 0;
}

int CHotZone::GetPoints(int& count, CFltPoint* out) const
{
    if (!m_pBuf || !out)
        return 0;
    count = GetCount();
    std::memcpy(out, m_pBuf + kHeader, size_t(count) * sizeof(CFltPoint));
    return 1;
}

int CHotZone::GetCount() const
{
    if (!m_pBuf)
        return 0;
    int32_t n;
    std::memcpy(&n, m_pBuf, kHeader);
    return n;
}

const CFltPoint* CHotZone::GetPointArray() const
{
    return m_pBuf && GetCount() > 0 ? reinterpret_cast<const CFltPoint*>(m_pBuf + kHeader) : nullptr;
}

int CHotZone::GetSize() const
{
    return m_pBuf ? GetCount() * int(sizeof(CFltPoint)) + int(kHeader) : 0;
}

bool CHotZone::Equals(const CHotZone& o) const
{
    if (!m_pBuf && !o.m_pBuf)
        return true;
    if (GetCount() != o.GetCount())
        return false;
    const CFltPoint* a = GetPointArray();
    const CFltPoint* b = o.GetPointArray();
    if (!a || !b)
        return true;
    for (int i = 0; i < GetCount(); ++i)
        if (!(a[i] == b[i]))
            return false;
    return true;
}

void HotZonePointsToRect(int& count, POINT* points, const RECT* from, const RECT* to)
{
    if (!points || count <= 0)
        return;
    if (from && to && from->right > from->left && from->bottom > from->top)
        for (int i = 0; i < count; ++i)
            MapPtBetweenRects(points[i], *from, *to);
    int out = 1;
    for (int i = 1; i < count; ++i) {
        const POINT& prev = points[out - 1];
        const POINT& cur = points[i];
        if (i < count - 1) {
            const POINT& next = points[i + 1];
            const bool repeat = cur.x == prev.x && cur.y == prev.y;
            const long long cross =
                (long long)(cur.x - prev.x) * (next.y - prev.y) - (long long)(cur.y - prev.y) * (next.x - prev.x);
            const bool between = cur.x >= std::min(prev.x, next.x) && cur.x <= std::max(prev.x, next.x) &&
                                 cur.y >= std::min(prev.y, next.y) && cur.y <= std::max(prev.y, next.y);
            if (repeat || (cross == 0 && between))
                continue;
        }
        points[out++] = cur;
    }
    count = out;
}
