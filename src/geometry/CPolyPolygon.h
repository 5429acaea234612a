#pragma once
// One point buffer split into up to 100 parts (start index and point count per
// part), such as the visible pieces of a connector line broken under its
// labels. Parts are handed out as CPointArray views of the shared buffer.
#include "geometry/CPointArray.h"
#include "platform/CRect.h"

class CPolyPolygon {
public:
    static constexpr int kMaxParts = 100;

    CPolyPolygon() = default;

    // Part limit min(limit, 100) and a buffer of capacity points.
    bool Create(int limit, int capacity);
    void Free();

    int GetPartCount() const { return m_nParts; }
    int GetPartLimit() const { return m_nLimit; }
    const CPointArray& GetPoints() const { return m_points; }

    // Sets out to view part index of the shared buffer. The view holds at most
    // out's view limit points (its capacity as allocated or attached) and
    // never reaches past the buffer.
    bool GetPart(int index, CPointArray& out);
    // Replaces part index by the points of arr, moving the later parts.
    bool SetPart(int index, const CPointArray& arr);
    // Shifts the points from index from to the end by delta and grows the
    // count by delta. from may be the count (nothing to shift).
    bool MovePoints(int delta, int from);
    // Copies arr's points at index without changing the count; one slot of the
    // buffer always stays free.
    bool CopyPointsAt(int index, const CPointArray& arr);
    // Splits a polyline into the parts that lie outside the rectangles (a
    // connector line broken under its labels); returns the part count. Stops
    // when the part limit or the buffer is reached.
    int Build(const CPointArray& polyline, const RECT* rects, int nRects);

private:
    bool StartPart(const POINT& first);
    bool AddToPart(const POINT& pt);
    // Adds the visible stretches of the segment q -> p; open tells whether the
    // last part ends at q and may go on. False when full.
    bool WalkSegment(const CPoint& q, const CPoint& p, const RECT* rects, int nRects, bool& open);

    CPointArray m_points;
    int m_nParts = 0;
    int m_nStart[kMaxParts] = {};
    int m_nCount[kMaxParts] = {};
    int m_nLimit = kMaxParts;
};
