#include "shapes/DividedShapeReanchor.h"

#include "shapes/CConPtList.h"
#include "shapes/OutlineProgram.h"

#include <algorithm>

namespace {

float Clamp2048(float v)
{
    if (!(v == v))
        return 0.0f;
    return std::clamp(v, 0.0f, 2048.0f);
}

// One axis: the left (top) rule x · w0 / w1, the right (bottom) rule
// 2048 - w0 · (2048 - x) / w1, unchanged inside the region.
float ReanchorAxis(float v, LONG s0, LONG s1, float r0, float r1)
{
    if (s0 == s1 || s1 == 0)
        return v;
    const float k = static_cast<float>(s0) / static_cast<float>(s1);
    const float left = v * k;
    const float right = 2048.0f - (2048.0f - v) * k;
    if (r0 != r1) {
        if (v <= r0)
            v = left;
        else if (v >= r1)
            v = right;
    } else {
        v = (v < r0 || r0 == 2048.0f) ? left : right;
    }
    return Clamp2048(v);
}

// A size held in symbol units keeps its drawn size: scaled by old / new.
float ScaleSize(float v, LONG s0, LONG s1)
{
    if (s1 == 0)
        return v;
    return Clamp2048(v * static_cast<float>(s0) / static_cast<float>(s1));
}

void ReanchorPointAt(BYTE* p, const SIZE& o, const SIZE& n, const CFltRect& r)
{
    CFltPoint pt = ReadOutlinePoint(p);
    ReanchorPoint(pt, o, n, r);
    WriteOutlinePoint(p, pt);
}

void ReanchorRectAt(BYTE* p, const SIZE& o, const SIZE& n, const CFltRect& r)
{
    CFltRect rect = ReadOutlineRect(p);
    ReanchorRect(rect, o, n, r);
    WriteOutlineRect(p, rect);
}

} // namespace

void ReanchorPoint(CFltPoint& p, const SIZE& oldSize, const SIZE& newSize, const CFltRect& region)
{
    p.FitAspect(oldSize.cx, oldSize.cy, true);
    p.x = ReanchorAxis(p.x, oldSize.cx, newSize.cx, region.left, region.right);
    p.y = ReanchorAxis(p.y, oldSize.cy, newSize.cy, region.top, region.bottom);
    p.ScaleAnchored(newSize.cx, newSize.cy, -1, -1);
}

void ReanchorRect(CFltRect& rect, const SIZE& oldSize, const SIZE& newSize, const CFltRect& region)
{
    CFltPoint c1 = rect.GetCorner1(), c2 = rect.GetCorner2();
    ReanchorPoint(c1, oldSize, newSize, region);
    ReanchorPoint(c2, oldSize, newSize, region);
    rect.SetCorners(c1, c2);
}

bool ReanchorSubProgram(BYTE* program, int length, int32_t pos, BYTE endByte, const SIZE& o, const SIZE& n,
                        const CFltRect& r)
{
    return WalkSubProgram(program, length, pos, endByte, [&](BYTE op, BYTE* payload) {
        switch (op) {
        case kOpRect:
        case kOpEllipse:
            ReanchorRectAt(payload, o, n, r);
            break;
        case kOpRoundRect: {
            // 48 bytes: the rectangle, then the corner ellipse's size.
            ReanchorRectAt(payload, o, n, r);
            CFltPoint size = ReadOutlinePoint(payload + kOutlineRectBytes);
            size.x = ScaleSize(size.x, o.cx, n.cx);
            size.y = ScaleSize(size.y, o.cy, n.cy);
            WriteOutlinePoint(payload + kOutlineRectBytes, size);
            break;
        }
        case kOpPolyline:
        case kOpPolygon: {
            const int count = ReadOutlineInt(payload);
            for (int i = 0; i < count; ++i)
                ReanchorPointAt(payload + 4 + i * kOutlinePointBytes, o, n, r);
            break;
        }
        case kOpArc:
        case kOpChord:
        case kOpPie:
            ReanchorRectAt(payload, o, n, r);
            ReanchorPointAt(payload + kOutlineRectBytes, o, n, r);
            ReanchorPointAt(payload + kOutlineRectBytes + kOutlinePointBytes, o, n, r);
            break;
        case kOpLine:
            ReanchorPointAt(payload, o, n, r);
            ReanchorPointAt(payload + kOutlinePointBytes, o, n, r);
            break;
        case kOpCircle: {
            // The centre moves; the radius keeps its drawn size, which the
            // drawing takes from the smaller side.
            ReanchorPointAt(payload, o, n, r);
            const LONG s0 = std::min(o.cx, o.cy), s1 = std::min(n.cx, n.cy);
            WriteOutlineFloat(payload + kOutlinePointBytes,
                              ScaleSize(ReadOutlineFloat(payload + kOutlinePointBytes), s0, s1));
            break;
        }
        default:
            break;
        }
    });
}

void ReanchorConPts(CConPtList& list, const SIZE& oldSize, const SIZE& newSize, const CFltRect& region)
{
    // The list hands out its points read-only: it is rebuilt with the same
    // ids, names and flags, and keeps its next id.
    CConPtList probe;
    probe.CopyFrom(list);
    const int nextId = probe.NextId();
    CConPtList rebuilt;
    for (int i = 0; i < list.GetCount(); ++i) {
        const CConPt* pt = list.GetAt(i);
        CFltPoint pos = pt->m_pos;
        ReanchorPoint(pos, oldSize, newSize, region);
        rebuilt.AddConPt(pos, pt->m_strName, pt->m_nFlag, true, pt->m_nId);
    }
    while (true) {
        CConPtList peek;
        peek.CopyFrom(rebuilt);
        if (peek.NextId() >= nextId)
            break;
        rebuilt.NextId();
    }
    list.CopyFrom(rebuilt);
}
