#pragma once
// A run of integer points in a buffer that the array either owns (allocated by
// Alloc, freed by Free and the destructor) or only views (a foreign buffer, or
// a part of a CPolyPolygon's shared buffer). The capacity is fixed per buffer:
// an array grows only by a new Alloc.
//
// A default array has no buffer, capacity INT_MAX and does not own; it refuses
// Add and SetPoints until a buffer is allocated or attached. Free keeps the
// capacity. The capacity that Alloc or Attach set is also kept as the view
// limit: CPolyPolygon::GetPart holds a view of a part to it, and cuts the
// capacity at the end of its buffer without lowering the limit.
#include "geometry/CLineSeg.h"
#include "platform/CRect.h"
#include "platform/WinTypes.h"

#include <climits>

class CPointArray {
public:
    // Largest buffer Alloc accepts (a guard against absurd sizes from files).
    static constexpr int kMaxCapacity = 1 << 24;

    CPointArray() = default;
    // Views a foreign buffer of capacity points, count of them in use.
    CPointArray(CPoint* pts, int count, int capacity);
    explicit CPointArray(int capacity);
    ~CPointArray();
    CPointArray(const CPointArray&) = delete;
    CPointArray& operator=(const CPointArray&) = delete;
    // Moving hands the buffer over; the source is left without one.
    CPointArray(CPointArray&& other) noexcept { Swap(other); }
    CPointArray& operator=(CPointArray&& other) noexcept
    {
        CPointArray taken(static_cast<CPointArray&&>(other));
        Swap(taken);
        return *this;
    }

    // Frees, then allocates an owned buffer of n points (count 0, capacity n).
    bool Alloc(int n);
    // Deletes an owned buffer; drops a viewed one. Returns whether a buffer was
    // deleted. The capacity is kept.
    bool Free();
    // Frees, then views a foreign buffer.
    void Attach(CPoint* pts, int count, int capacity);
    // The same, keeping the view limit (for views of a poly-polygon's parts).
    void AttachView(CPoint* pts, int count, int capacity);
    void Swap(CPointArray& other);

    // Copies n points into the buffer; false when there is no buffer, no points
    // or n does not fit.
    bool SetPoints(const POINT* pts, int n);
    bool CopyFrom(const CPointArray& other);
    bool Add(const POINT& pt);
    void RemoveAll() { m_nCount = 0; }
    // Sets the number of points in use, for callers that fill the buffer
    // directly; false when n is out of [0, capacity] or there is no buffer.
    bool SetCount(int n);

    CPoint* GetData() { return m_pPts; }
    const CPoint* GetData() const { return m_pPts; }
    int GetCount() const { return m_nCount; }
    int GetCapacity() const { return m_nCapacity; }
    int GetViewLimit() const { return m_nViewLimit; }
    bool OwnsBuffer() const { return m_bOwns != FALSE; }
    const CPoint& operator[](int i) const;
    CPoint& operator[](int i);

    bool IsFull() const { return m_nCount == m_nCapacity; }
    bool IsClosed() const;
    bool ContainsVertex(const POINT& pt) const;
    // Bounding rectangle of a valid polygon (at least 4 points).
    bool GetBoundingRect(RECT& rc) const;
    void MapBetweenRects(const RECT& from, const RECT& to);
    // The closed five-point outline of rc, clockwise from the top-left corner.
    bool SetRectOutline(const RECT& rc);
    // The closed outline of the band between two spans given as (x1, y1, x2, y2).
    bool SetTwoRectOutline(const CLineSeg& s1, const CLineSeg& s2);

    // Length through the first n points (-1: all).
    double Length(int n = -1) const;
    // The point at distance d along the run; the index of its segment and of
    // the next vertex after it (-1 when none).
    CPoint PtAtLength(double d, int* pSegment, int* pNext) const;
    // The nearest point of the run to (x, y), with the index of its segment
    // (the following one when the point is a segment's end).
    CPoint NearestPt(int x, int y, int* pSegment) const;
    int NearestDistance(int x, int y) const;
    bool HitTest(int x, int y, int tol, POINT* pFoot) const;

    // Polygon tests and union (PolygonUnion.cpp). Winding-fill containment,
    // vertices included.
    bool ContainsPt(const POINT& pt) const;
    bool AllVerticesInside(const CPointArray& other) const;
    // Replaces this closed polygon by the outline of its union with other.
    // False (this unchanged) when either is not a closed polygon or the outline
    // cannot be traced.
    bool UnionWith(const CPointArray& other);

private:
    CPoint* m_pPts = nullptr;
    int m_nCount = 0;
    int m_nCapacity = INT_MAX;
    BOOL m_bOwns = FALSE;
    int m_nViewLimit = INT_MAX;
};
