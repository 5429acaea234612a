#include "render/ConCrossings.h"

#include "document/CConnector.h"
#include "document/CKavoDoc.h"
#include "document/ObjIndex.h"
#include "geometry/IntGeometry.h"
#include "render/ConLineShapes.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

constexpr DWORD kNoHops = CONSHAPE_NOHOPS;
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

// A connector lines hop over whose bounds, grown by one, meet the box.
bool HopsOverNear(const CConnector& con, const CRect& box)
{
    if (con.m_props.Behavior.low & kNoHops)
        return false;
    CRect b;
    con.GetBoundRect(b, 0, 0);
    b.InflateRect(1, 1);
    return b.left <= box.right && box.left <= b.right && b.top <= box.bottom && box.top <= b.bottom;
}

// The earlier connectors whose bounds meet the box, with their lines.
std::vector<std::pair<const CConnector*, std::vector<CPoint>>> NearbyLines(const CKavoDoc& doc,
                                                                           const std::vector<CConnector*>& route,
                                                                           const CRect& box)
{
    std::vector<std::pair<const CConnector*, std::vector<CPoint>>> nearby;
    if (CObjIndex::IsEnabled()) {
        // Reused: drawing makes one query a piece.
        thread_local std::vector<CDiagObj*> near;
        thread_local std::vector<int64_t> orders;
        CObjIndex& index = doc.ObjIndex();
        index.Query(box, near, &orders);
        int64_t firstDrawn = INT64_MAX;
        for (const CConnector* c : route)
            if (const int64_t order = index.OrderOf(c); order >= 0)
                firstDrawn = std::min(firstDrawn, order);
        // The index answers in list order, which decides what a merge keeps.
        for (size_t i = 0; i < near.size() && orders[i] < firstDrawn; ++i) {
            if (near[i]->GetType() != kObjConnector)
                continue;
            const auto* con = static_cast<const CConnector*>(near[i]);
            if (HopsOverNear(*con, box))
                nearby.emplace_back(con, OtherLine(doc, *con));
        }
        return nearby;
    }
    const CObjList& objects = *doc.m_pObjList;
    int firstDrawn = objects.GetCount();
    for (const CConnector* c : route) {
        const int index = objects.Find(c);
        if (index >= 0)
            firstDrawn = std::min(firstDrawn, index);
    }
    for (int i = 0; i < firstDrawn; ++i) {
        const CDiagObj* o = objects.GetAt(i);
        if (!o || o->GetType() != kObjConnector)
            continue;
        const auto* con = static_cast<const CConnector*>(o);
        if (HopsOverNear(*con, box))
            nearby.emplace_back(con, OtherLine(doc, *con));
    }
    return nearby;
}

} // namespace

std::vector<ConCrossing> FindConCrossings(const CKavoDoc& doc, const std::vector<CConnector*>& route,
                                          const std::vector<CPoint>& piece, int hopSize, int radius)
{
    std::vector<ConCrossing> found;
    if (piece.size() < 2 || !doc.HasLists())
        return found;
    // Only connectors whose bounds meet the piece's can cross it; their lines
    // are made once, not once per segment.
    CRect pieceBox(piece.front(), piece.front());
    for (const CPoint& p : piece)
        pieceBox |= CRect(p.x, p.y, p.x + 1, p.y + 1);
    pieceBox.InflateRect(radius + 1, radius + 1);
    const std::vector<std::pair<const CConnector*, std::vector<CPoint>>> nearby = NearbyLines(doc, route, pieceBox);
    const int lastSeg = int(piece.size()) - 2;
    const double mergeDistance = double(hopSize) + 2.0 * radius;
    for (int s = 0; s <= lastSeg && int(found.size()) < kMaxConCrossings; ++s) {
        const CPoint& a = piece[size_t(s)];
        const CPoint& b = piece[size_t(s) + 1];
        std::vector<ConCrossing> onSeg;
        for (const auto& [con, other] : nearby) {
            const bool straight = !(con->m_props.Behavior.low & CONSHAPE_MASK);
            if (straight && (con->EndPoint1 == a || con->EndPoint1 == b || con->EndPoint2 == a || con->EndPoint2 == b))
                continue;
            for (size_t k = 0; k + 1 < other.size(); ++k) {
                CPoint x;
                if (!CrossSegments(a, b, other[k], other[k + 1], x) || x == a || x == b)
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
