#include "shapes/COutlineWriter.h"

#include <cstring>

void COutlineWriter::Put(const void* bytes, int n)
{
    if (!m_bOk || n > m_nCapacity - m_nPos) {
        m_bOk = false;
        return;
    }
    std::memcpy(m_pArea + m_nPos, bytes, static_cast<size_t>(n));
    m_nPos += n;
}

bool COutlineWriter::Room(int n)
{
    if (m_bOk && n <= m_nCapacity - m_nPos)
        return true;
    m_bOk = false;
    return false;
}

void COutlineWriter::Rect(BYTE op, const CFltRect& r)
{
    if (!Room(1 + kOutlineRectBytes))
        return;
    Put(&op, 1);
    Put(&r, kOutlineRectBytes);
}

void COutlineWriter::Points(BYTE op, const CFltPoint* pts, int count)
{
    const int32_t n = count;
    if (count < 0 || count > (m_nCapacity - m_nPos) / kOutlinePointBytes) {
        m_bOk = false;
        return;
    }
    if (!Room(1 + 4 + count * kOutlinePointBytes))
        return;
    Put(&op, 1);
    Put(&n, 4);
    for (int i = 0; i < count; ++i)
        Put(&pts[i], kOutlinePointBytes);
}

void COutlineWriter::Line(const CFltPoint& a, const CFltPoint& b)
{
    const BYTE op = kOpLine;
    if (!Room(1 + 2 * kOutlinePointBytes))
        return;
    Put(&op, 1);
    Put(&a, kOutlinePointBytes);
    Put(&b, kOutlinePointBytes);
}

void COutlineWriter::RoundRect(const CFltRect& r, const CFltPoint& corner)
{
    const BYTE op = kOpRoundRect;
    if (!Room(1 + kOutlineRectBytes + kOutlinePointBytes))
        return;
    Put(&op, 1);
    Put(&r, kOutlineRectBytes);
    Put(&corner, kOutlinePointBytes);
}

void COutlineWriter::ArcLike(BYTE op, const CFltRect& r, const CFltPoint& start, const CFltPoint& end)
{
    if (!Room(1 + kOutlineRectBytes + 2 * kOutlinePointBytes))
        return;
    Put(&op, 1);
    Put(&r, kOutlineRectBytes);
    Put(&start, kOutlinePointBytes);
    Put(&end, kOutlinePointBytes);
}

void COutlineWriter::Circle(const CFltPoint& centre, float radius)
{
    const BYTE op = kOpCircle;
    const int32_t reserved = 0;
    if (!Room(1 + kOutlinePointBytes + 8))
        return;
    Put(&op, 1);
    Put(&centre, kOutlinePointBytes);
    Put(&radius, 4);
    Put(&reserved, 4);
}
