// Builds point arrays, rectangles and a poly-polygon from the bytes and runs
// the polygon algorithms on them: nothing may crash, read or write out of
// bounds, overflow or turn NaN into an integer, whatever the points, counts,
// indexes and capacities.
#include "geometry/CPointArray.h"
#include "geometry/CPolyPolygon.h"
#include "geometry/IntGeometry.h"
#include "geometry/PointRuns.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {
class ByteReader {
public:
    ByteReader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    uint8_t Byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    int8_t Signed() { return int8_t(Byte()); }
    int32_t Int32()
    {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v = (v << 8) | Byte();
        return int32_t(v);
    }
    double Double()
    {
        uint64_t bits = 0;
        for (int i = 0; i < 8; ++i)
            bits = (bits << 8) | Byte();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return d;
    }
    // Coordinates in one of three ranges: a small grid, 16-bit, or any int.
    int Coord(int mode)
    {
        switch (mode) {
        case 0: return Signed() * 64;
        case 1: return int16_t((Byte() << 8) | Byte());
        default: return Int32();
        }
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

std::vector<CPoint> ReadPoints(ByteReader& in, int count, int mode)
{
    std::vector<CPoint> pts;
    for (int i = 0; i < count; ++i) {
        const int x = in.Coord(mode);
        pts.emplace_back(x, in.Coord(mode));
    }
    return pts;
}

void RunArrayQueries(ByteReader& in, const CPointArray& arr, int mode)
{
    const int x = in.Coord(mode), y = in.Coord(mode);
    int segment = 0, next = 0;
    POINT foot{};
    arr.NearestPt(x, y, &segment);
    arr.NearestDistance(x, y);
    arr.HitTest(x, y, in.Signed(), &foot);
    arr.ContainsPt(CPoint(x, y));
    arr.PtAtLength(in.Double(), &segment, &next);
    arr.Length(in.Signed());
    NextPolyIndex(arr, in.Signed(), in.Byte() & 1);
    RECT rc{};
    arr.GetBoundingRect(rc);
    const CLineSeg seg(CPoint(x, y), CPoint(in.Coord(mode), in.Coord(mode)));
    int before = 0, after = 0;
    IntersectSegmentPolyline(seg, arr.GetData(), arr.GetCount(), in.Byte() & 1, foot, &before,
                             &after);
    POINT hits[8];
    int nHits = in.Byte() % 10;
    CollectSegPolygonHits(arr.GetData(), arr.GetCount(), seg, hits, nHits, 8);
    RectSideFacingPt(CPoint(x, y), rc, &segment);
    PtOnSegment(seg.Start(), CPoint(x, y), seg.End(), in.Signed());
}

void RunRunHelpers(ByteReader& in, const std::vector<CPoint>& a, const std::vector<CPoint>& b,
                   int mode, bool smooth)
{
    std::vector<CPoint> run(a);
    run.resize(a.size() + b.size() + 1);
    int count = int(a.size());
    InsertPtsIntoPolyline(run.data(), count, int(run.size()), b.data(), int(b.size()),
                          in.Signed());
    ClosePolygonPts(count, run.data(), int(run.size()));
    const CRect from(in.Coord(mode), in.Coord(mode), in.Coord(mode), in.Coord(mode));
    const CRect to(in.Coord(mode), in.Coord(mode), in.Coord(mode), in.Coord(mode));
    MapPtsBetweenRects(count, run.data(), int(run.size()), &from, &to);
    std::vector<CPoint> reduced(a);
    int reducedCount = int(reduced.size());
    ReducePolylinePts(reducedCount, reduced.data(), in.Byte(), smooth);
    if (reducedCount > int(a.size()) || (a.size() >= 4 && reducedCount < 2))
        std::abort();
}

void RunUnion(const CPointArray& a, const CPointArray& b)
{
    CPointArray u;
    u.CopyFrom(a);
    if (u.UnionWith(b) && !u.IsClosed())
        std::abort(); // a reported union is always a closed outline
}

void RunPolyPolygon(ByteReader& in, const CPointArray& line, const std::vector<CRect>& rects)
{
    CPolyPolygon pp;
    pp.Create(in.Signed(), in.Byte());
    pp.Build(line, rects.data(), int(rects.size()));
    CPointArray part(in.Signed());
    pp.GetPart(in.Signed(), part);
    CPointArray view;
    if (pp.GetPart(in.Signed(), view))
        pp.SetPart(in.Signed(), view);
    pp.SetPart(in.Signed(), line);
    pp.MovePoints(in.Signed(), in.Signed());
    pp.CopyPointsAt(in.Signed(), line);
    for (int i = 0; i < pp.GetPartCount(); ++i) {
        CPointArray each;
        if (pp.GetPart(i, each) && each.GetCount() > 0)
            each.NearestPt(0, 0, nullptr);
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    ByteReader in(data, size);
    const uint8_t flags = in.Byte();
    const int mode = flags % 3;
    const bool smooth = flags & 4, closeA = flags & 8, closeB = flags & 16;
    std::vector<CPoint> a = ReadPoints(in, in.Byte() % 48, mode);
    std::vector<CPoint> b = ReadPoints(in, in.Byte() % 48, mode);
    if (closeA && !a.empty())
        a.push_back(a.front());
    if (closeB && !b.empty())
        b.push_back(b.front());
    std::vector<CRect> rects;
    for (int n = in.Byte() % 6; n > 0; --n) {
        const int l = in.Coord(mode), t = in.Coord(mode);
        rects.emplace_back(l, t, in.Coord(mode), in.Coord(mode));
    }

    CPointArray pa(in.Byte()), pb;
    pa.SetPoints(a.data(), int(a.size()));
    pb.Alloc(int(b.size()));
    pb.SetPoints(b.data(), int(b.size()));
    RunArrayQueries(in, pa, mode);
    RunArrayQueries(in, pb, mode);
    RunRunHelpers(in, a, b, mode, smooth);
    RunUnion(pa, pb);
    RunUnion(pb, pa);
    RunPolyPolygon(in, pa, rects);
    return 0;
}
