#pragma once
// Appends operations to an outline program area. Every write checks the room
// left; once one does not fit, the writer stays failed and writes nothing more.
#include "shapes/OutlineProgram.h"

class COutlineWriter {
public:
    COutlineWriter(BYTE* area, int capacity, int start = 0)
        : m_pArea(area), m_nCapacity(capacity), m_nPos(start) {}

    int Pos() const { return m_nPos; }
    bool Ok() const { return m_bOk; }

    void End(BYTE endByte) { Put(&endByte, 1); }
    // 3 rectangle, 6 ellipse.
    void Rect(BYTE op, const CFltRect& r);
    // 4 polyline, 5 polygon, 12 hot zone: the count, then the points.
    void Points(BYTE op, const CFltPoint* pts, int count);
    void Line(const CFltPoint& a, const CFltPoint& b);
    void RoundRect(const CFltRect& r, const CFltPoint& corner);
    // 8 arc, 9 chord, 10 pie.
    void ArcLike(BYTE op, const CFltRect& r, const CFltPoint& start, const CFltPoint& end);
    void Circle(const CFltPoint& centre, float radius);

private:
    // Whether n more bytes fit; an operation that does not fit writes nothing.
    bool Room(int n);
    void Put(const void* bytes, int n);

    BYTE* m_pArea;
    int m_nCapacity;
    int m_nPos;
    bool m_bOk = true;
};
