#include "geometry/CPointArray.h"

#include "geometry/IntGeometry.h"
#include "geometry/PointRuns.h"

#include <QtGlobal>

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

static_assert(sizeof(CPoint) == sizeof(POINT), "point runs are indexed as POINT arrays");

CPointArray::CPointArray(CPoint* pts, int count, int capacity)
{
    Attach(pts, count, capacity);
}

CPointArray::CPointArray(int capacity)
{
    Alloc(capacity);
}

CPointArray::~CPointArray()
{
    Free();
}

bool CPointArray::Alloc(int n)
{
    Free();
    m_nCount = 0;
    m_nCapacity = std::max(n, 0);
    m_nViewLimit = m_nCapacity;
    if (n < 0 || n > kMaxCapacity)
        return false;
    m_pPts = new (std::nothrow) CPoint[size_t(n)];
    m_bOwns = m_pPts != nullptr;
    return m_pPts != nullptr;
}

bool CPointArray::Free()
{
    const bool deleted = m_bOwns && m_pPts;
    if (deleted)
        delete[] m_pPts;
    m_pPts = nullptr;
    m_nCount = 0;
    m_bOwns = FALSE;
    return deleted;
}

void CPointArray::Attach(CPoint* pts, int count, int capacity)
{
    AttachView(pts, count, capacity);
    m_nViewLimit = m_nCapacity;
}

void CPointArray::AttachView(CPoint* pts, int count, int capacity)
{
    Free();
    m_pPts = pts;
    m_nCapacity = std::max(capacity, 0);
    m_nCount = pts ? std::clamp(count, 0, m_nCapacity) : 0;
}

void CPointArray::Swap(CPointArray& other)
{
    std::swap(m_pPts, other.m_pPts);
    std::swap(m_nCount, other.m_nCount);
    std::swap(m_nCapacity, other.m_nCapacity);
    std::swap(m_bOwns, other.m_bOwns);
    std::swap(m_nViewLimit, other.m_nViewLimit);
}

bool CPointArray::SetPoints(const POINT* pts, int n)
{
    // Without a buffer there is nothing to copy into, whatever the capacity says.
    if (!pts || !m_pPts || n < 0 || n > m_nCapacity)
        return false;
    if (n > 0)
        std::memmove(static_cast<void*>(m_pPts), pts, size_t(n) * sizeof(POINT));
    m_nCount = n;
    return true;
}

bool CPointArray::CopyFrom(const CPointArray& other)
{
    if (&other == this)
        return m_pPts != nullptr;
    // Built aside first: other may view this array's own buffer.
    CPointArray copy;
    copy.Alloc(other.m_nCount);
    const bool ok = copy.SetPoints(other.m_pPts, other.m_nCount);
    Swap(copy);
    return ok;
}

bool CPointArray::Add(const POINT& pt)
{
    if (!m_pPts || m_nCount >= m_nCapacity)
        return false;
    m_pPts[m_nCount++] = pt;
    return true;
}

bool CPointArray::SetCount(int n)
{
    if (!m_pPts || n < 0 || n > m_nCapacity)
        return false;
    m_nCount = n;
    return true;
}

const CPoint& CPointArray::operator[](int i) const
{
    Q_ASSERT(m_pPts && i >= 0 && i < m_nCount);
    return m_pPts[i];
}

CPoint& CPointArray::operator[](int i)
{
    Q_ASSERT(m_pPts && i >= 0 && i < m_nCount);
    return m_pPts[i];
}

bool CPointArray::IsClosed() const
{
    return m_pPts && m_nCount >= 1 && m_pPts[0] == m_pPts[m_nCount - 1];
}

bool CPointArray::ContainsVertex(const POINT& pt) const
{
    if (!m_pPts)
        return false;
    return std::find(m_pPts, m_pPts + m_nCount, CPoint(pt)) != m_pPts + m_nCount;
}

bool CPointArray::GetBoundingRect(RECT& rc) const
{
    return PtsBoundingRect(m_nCount, m_pPts, rc);
}

void CPointArray::MapBetweenRects(const RECT& from, const RECT& to)
{
    for (int i = 0; m_pPts && i < m_nCount; ++i)
        MapPtBetweenRects(m_pPts[i], from, to);
}

bool CPointArray::SetRectOutline(const RECT& rc)
{
    RemoveAll();
    return Add(CPoint(rc.left, rc.top)) && Add(CPoint(rc.right, rc.top)) &&
           Add(CPoint(rc.right, rc.bottom)) && Add(CPoint(rc.left, rc.bottom)) &&
           Add(CPoint(rc.left, rc.top));
}

bool CPointArray::SetTwoRectOutline(const CLineSeg& s1, const CLineSeg& s2)
{
    RemoveAll();
    if (s1.x1 == s2.x1 && s1.x2 == s2.x2) {
        // One above the other: the band between the two tops.
        const int top = std::min(s1.y1, s2.y1), bottom = std::max(s1.y1, s2.y1);
        return Add(CPoint(s1.x1, top)) && Add(CPoint(s1.x2, top)) &&
               Add(CPoint(s1.x2, bottom)) && Add(CPoint(s1.x1, bottom)) &&
               Add(CPoint(s1.x1, top));
    }
    if (s1.y1 == s2.y1 && s1.y2 == s2.y2) {
        // Side by side: from the leftmost start to the rightmost end.
        const int left = std::min(s1.x1, s2.x1), right = std::max(s1.x2, s2.x2);
        return Add(CPoint(left, s1.y1)) && Add(CPoint(left, s1.y2)) &&
               Add(CPoint(right, s1.y2)) && Add(CPoint(right, s1.y1)) &&
               Add(CPoint(left, s1.y1));
    }
    // Offset on both axes the same way: a six-sided band from the upper-left
    // span's start over its end and the lower-right span's ends back to it.
    const bool firstUpLeft = s1.x1 < s2.x1 && s1.y1 < s2.y1;
    const bool secondUpLeft = s2.x1 < s1.x1 && s2.y1 < s1.y1;
    if (!firstUpLeft && !secondUpLeft)
        return false;
    const CLineSeg& a = firstUpLeft ? s1 : s2;
    const CLineSeg& b = firstUpLeft ? s2 : s1;
    return Add(CPoint(a.x1, a.y1)) && Add(CPoint(a.x2, a.y1)) && Add(CPoint(b.x2, b.y1)) &&
           Add(CPoint(b.x2, b.y2)) && Add(CPoint(b.x1, b.y2)) && Add(CPoint(a.x1, a.y2)) &&
           Add(CPoint(a.x1, a.y1));
}

double CPointArray::Length(int n) const
{
    if (n == -1 || n > m_nCount)
        n = m_nCount;
    if (!m_pPts || n < 2)
        return 0.0;
    double sum = 0.0;
    for (int i = 0; i + 1 < n; ++i)
        sum += PtDistance(m_pPts[i], m_pPts[i + 1]);
    return sum;
}

CPoint CPointArray::PtAtLength(double d, int* pSegment, int* pNext) const
{
    int segment = -1, next = -1;
    CPoint result;
    if (!m_pPts || m_nCount <= 0) {
        // nothing: (0, 0)
    } else if (m_nCount == 1 || d <= 0.0) {
        result = m_pPts[0];
        if (m_nCount >= 2)
            next = 1;
    } else {
        result = m_pPts[m_nCount - 1];
        segment = m_nCount - 1;
        double sum = 0.0;
        for (int i = 0; i + 1 < m_nCount; ++i) {
            const CPoint& a = m_pPts[i];
            const CPoint& b = m_pPts[i + 1];
            const double len = PtDistance(a, b);
            const double before = sum;
            sum += len;
            if (sum == d) {
                result = b;
                segment = i;
                next = i + 2 < m_nCount ? i + 2 : -1;
                break;
            }
            if (sum > d && len > 0.0) {
                const double m = d - before;
                result = CPoint(SaturateInt(a.x + int64_t(RoundAddHalf(m * (double(b.x) - a.x) / len))),
                                SaturateInt(a.y + int64_t(RoundAddHalf(m * (double(b.y) - a.y) / len))));
                segment = i;
                next = i + 1;
                break;
            }
        }
    }
    if (pSegment)
        *pSegment = segment;
    if (pNext)
        *pNext = next;
    return result;
}

CPoint CPointArray::NearestPt(int x, int y, int* pSegment) const
{
    int segment = -1;
    CPoint best;
    if (m_pPts && m_nCount == 1) {
        best = m_pPts[0];
        segment = 0;
    } else if (m_pPts && m_nCount > 1) {
        const CPoint p(x, y);
        double bestDist = 999999999.0;
        for (int i = 0; i + 1 < m_nCount; ++i) {
            const CPoint foot = ProjectPtOnLine(p, m_pPts[i], m_pPts[i + 1], true);
            const double d = PtDistance(p, foot);
            if (d < bestDist) {
                bestDist = d;
                best = foot;
                segment = foot == m_pPts[i + 1] ? i + 1 : i;
            }
            if (d == 0.0)
                break;
        }
    }
    if (pSegment)
        *pSegment = segment;
    return best;
}

int CPointArray::NearestDistance(int x, int y) const
{
    return PtDistanceRounded(CPoint(x, y), NearestPt(x, y, nullptr));
}

bool CPointArray::HitTest(int x, int y, int tol, POINT* pFoot) const
{
    return PtNearPolyline(x, y, m_pPts, m_nCount, tol, pFoot);
}
