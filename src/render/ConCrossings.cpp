#include "render/ConCrossings.h"

#include "document/CConnector.h"
#include "document/CKavoDoc.h"
#include "geometry/IntGeometry.h"
#include "render/ConLineShapes.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr DWORD kNoHops = CONSHAPE_NOHOPS;

bool SamePt(const POINT& a, const POINT& b)
{
    return a.x == b.x && a.y == b.y;
}

// The proper crossing of segments a-b and c-d, rounded; false when they are
// parallel or miss each other.
bool CrossSegments(const POINT& a, const POINT& b, const POINT& c, const POINT& d, CPoint& out)
{
    const double rx = b.x - a.x, ry = b.y - a.y, sx = d.x - c.x, sy = d.y - c.y;
    const double denom = rx * sy - ry * sx;
    if (denom == 0.0)
        return false;
    const double qx = c.x - a.x, qy = c.y - a.y;
    const double t = (qx * sy - qy * sx) / denom;
    const double u = (qx * ry - qy * rx) / denom;
    if (t < 0.0 || t > 1.0 || u < 0.0 || u > 1.0)
        return false;
    out = CPoint(int(std::floor(a.x + t * rx + 0.5)), int(std::floor(a.y + t * ry + 0.5)));
    return true;
}

// The polyline the other connector is drawn along.
std::vector<CPoint> OtherLine(const CKavoDoc& doc, const CConnector& con)
{
    std::vector<CPoint> line{con.EndPoint1, con.EndPoint2};
    if (!(con.m_props.Behavior.low & CONSHAPE_MASK))
        return line;
    CPointArray in(int(line.size()));
    in.SetPoints(line.data(), int(line.size()));
    CPointArray out;
    const int n = GetConShapePoints(con.m_props.Behavior.low, std::move(in), out, doc.m_nCornerRadius, false,
                                    nullptr, nullptr, nullptr, 0);
    if (n < 2)
        return line;
    return std::vector<CPoint>(out.GetData(), out.GetData() + n);
}

// Near an attached end of the other connector that shows an end shape.
bool NearShownEnd(const CConnector& con, const POINT& x)
{
    if (con.m_pFig1 && con.m_props.End1 >= 1 && !con.SuppressEnd1 &&
        PtDistance(x, con.EndPoint1) < con.m_props.End1Length)
        return true;
    return con.m_pFig2 && con.m_props.End2 >= 1 && !con.SuppressEnd2 &&
           PtDistance(x, con.EndPoint2) < con.m_props.End2Length;
}

} // namespace

std::vector<ConCrossing> FindConCrossings(const CKavoDoc& doc, const std::vector<CConnector*>& route,
                                          const std::vector<CPoint>& piece, int hopSize, int radius)
{
    std::vector<ConCrossing> found;
    if (piece.size() < 2 || !doc.HasLists())
        return found;
    const CObjList& objects = *doc.m_pObjList;
    int firstDrawn = objects.GetCount();
    for (const CConnector* c : route) {
        const int index = objects.Find(c);
        if (index >= 0)
            firstDrawn = std::min(firstDrawn, index);
    }
    std::vector<const CConnector*> earlier;
    for (int i = 0; i < firstDrawn; ++i) {
        const CDiagObj* o = objects.GetAt(i);
        if (o && o->GetType() == kObjConnector && !(static_cast<const CConnector*>(o)->m_props.Behavior.low & kNoHops))
            earlier.push_back(static_cast<const CConnector*>(o));
    }
    const int lastSeg = int(piece.size()) - 2;
    const double mergeDistance = double(hopSize) + 2.0 * radius;
    for (int s = 0; s <= lastSeg && int(found.size()) < kMaxConCrossings; ++s) {
        const CPoint& a = piece[size_t(s)];
        const CPoint& b = piece[size_t(s) + 1];
        std::vector<ConCrossing> onSeg;
        for (const CConnector* con : earlier) {
            const bool straight = !(con->m_props.Behavior.low & CONSHAPE_MASK);
            if (straight && (SamePt(con->EndPoint1, a) || SamePt(con->EndPoint1, b) ||
                             SamePt(con->EndPoint2, a) || SamePt(con->EndPoint2, b)))
                continue;
            const std::vector<CPoint> other = OtherLine(doc, *con);
            for (size_t k = 0; k + 1 < other.size(); ++k) {
                CPoint x;
                if (!CrossSegments(a, b, other[k], other[k + 1], x) || SamePt(x, a) || SamePt(x, b))
                    continue;
                if ((s == 0 && PtDistance(x, piece.front()) < radius) ||
                    (s == lastSeg && PtDistance(x, piece.back()) < radius) || NearShownEnd(*con, x))
                    continue;
                onSeg.push_back(ConCrossing{x, s});
            }
        }
        std::stable_sort(onSeg.begin(), onSeg.end(), [&](const ConCrossing& l, const ConCrossing& r) {
            return PtDistance(a, l.pt) < PtDistance(a, r.pt);
        });
        const size_t segStart = found.size();
        for (const ConCrossing& c : onSeg) {
            bool tooClose = false;
            for (size_t i = segStart; i < found.size(); ++i)
                tooClose = tooClose || PtDistance(found[i].pt, c.pt) < mergeDistance;
            if (!tooClose && int(found.size()) < kMaxConCrossings)
                found.push_back(c);
        }
    }
    return found;
}
