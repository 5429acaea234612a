#include "render/ConRoutePrepare.h"

#include "core/Trace.h"
#include "document/CConnector.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "document/Trunks.h"
#include "geometry/IntGeometry.h"
#include "render/ConCrossings.h"
#include "render/ConLineHops.h"
#include "render/ConLineShapes.h"
#include "render/ConnectorDraw.h"
#include "shapes/CConProps.h"
#include "shapes/CShapeDef.h"
#include "shapes/EndShapeDraw.h"
#include "shapes/MarkerDraw.h"

namespace {

// Behaviour bits read here.
constexpr DWORD kShowJunctionDots = 4;
constexpr DWORD kFigConPtDots = 0x1000000;

// The route's points without repeats, at most kMaxRoutePts: a longer route
// keeps its first points and its last one (traced).
std::vector<CPoint> CollectPoints(const ConRoute& route)
{
    std::vector<CPoint> pts;
    for (const CPoint& p : route.points)
        if (pts.empty() || pts.back() != p)
            pts.push_back(p);
    if (int(pts.size()) > kMaxRoutePts) {
        DiagPrintf("ERR!  DrawConnector: route of %d points cut to %d\n", int(pts.size()), kMaxRoutePts);
        const CPoint last = pts.back();
        pts.resize(kMaxRoutePts - 1);
        pts.push_back(last);
    }
    return pts;
}

// Moves the end point `distance` along its segment toward the neighbour; a
// distance past the neighbour stops at it.
void PullBack(CPoint& end, const CPoint& next, int distance)
{
    if (distance <= 0 || end == next)
        return;
    end = distance >= PtDistance(end, next) ? next : PtAlongLine(end, next, distance);
}

const CShapeDef* EndShape(const CKavoDoc* doc, int index)
{
    // Index 0 is the empty shape "null": neither drawn nor inset.
    return doc && index >= 1 ? doc->m_endSymbols.GetAt(index) : nullptr;
}

void DescribeEnds(const ConRoute& route, const CConProps& props, const CKavoDoc* doc, const ConDrawArgs& args,
                  const std::vector<CPoint>& pts, PreparedConEnd ends[2])
{
    const size_t n = pts.size();
    const bool dots = (doc && doc->m_bJunctionDots) || (props.Behavior.low & kShowJunctionDots);
    const CFigure* figs[2] = {route.fig1, route.fig2};
    const int32_t conPts[2] = {route.conPt1, route.conPt2};
    for (int e = 0; e < 2; ++e) {
        PreparedConEnd& end = ends[e];
        end.suppressed = e == 0 ? args.suppressEnd1 : args.suppressEnd2;
        end.outlineOnly = e == 0 ? args.outlineOnly1 : args.outlineOnly2;
        end.size = e == 0 ? props.End1Length : props.End2Length;
        end.fill = e == 0 ? props.End1FillColor : props.End2FillColor;
        end.shape = end.suppressed ? nullptr : EndShape(doc, e == 0 ? props.End1 : props.End2);
        end.tip = e == 0 ? pts[0] : pts[n - 1];
        end.toward = e == 0 ? pts[1] : pts[n - 2];
        const CFigure* fig = figs[e];
        end.junctionDot = fig && fig->IsBranchJct() && dots && !end.shape;
        end.conPtDot = !end.suppressed && args.conPtMode == 1 && fig && (fig->m_props.Behavior.low & kFigConPtDots) &&
                       conPts[e] >= 0 && !(IsTrunkDiagrams() && fig->IsTrunkNode());
    }
}

std::vector<CPoint> ShapeLine(const std::vector<CPoint>& pts, const CConProps& props, const CKavoDoc* doc)
{
    const DWORD flags = props.Behavior.low;
    if (!(flags & CONSHAPE_MASK) || pts.size() < 3)
        return pts;
    CPointArray in(int(pts.size()));
    in.SetPoints(pts.data(), int(pts.size()));
    CPointArray out;
    const int n = GetConShapePoints(flags, std::move(in), out, doc ? doc->m_nCornerRadius : 0, false, nullptr,
                                    nullptr, nullptr, 0);
    // A generator that refuses leaves the line as it was drawn straight.
    if (n < 2)
        return pts;
    return std::vector<CPoint>(out.GetData(), out.GetData() + n);
}

void AddHops(const ConRoute& route, const CConProps& props, const CKavoDoc& doc, std::vector<CPoint>& part,
             const CPoint& tip1, const CPoint& tip2)
{
    const int jump = doc.m_nConnectorJogRadius;
    if (!doc.m_bConnectorJogs || (props.Behavior.low & CONSHAPE_NOHOPS) || jump <= 1 || jump > kMaxHopRadius ||
        part.size() < 2)
        return;
    const int hopSize = (jump + 1) / 3;
    // Crossings are found against the unshortened ends.
    const CPoint kept1 = part.front(), kept2 = part.back();
    part.front() = tip1;
    part.back() = tip2;
    const std::vector<ConCrossing> crossings = FindConCrossings(doc, route.cons, part, hopSize, jump);
    part.front() = kept1;
    part.back() = kept2;
    if (crossings.empty())
        return;
    std::vector<POINT> xs;
    std::vector<int> segs;
    for (const ConCrossing& c : crossings) {
        xs.push_back(c.pt);
        segs.push_back(c.segment);
    }
    CPointArray line(int(part.size()));
    line.SetPoints(part.data(), int(part.size()));
    CPointArray hopped;
    const int n = AddLineHops(line, hopped, xs.data(), int(xs.size()), segs.data(), jump);
    if (n > int(part.size()))
        part.assign(hopped.GetData(), hopped.GetData() + n);
}

} // namespace

bool PrepareConRoute(const ConRoute& route, const CConProps& props, const CKavoDoc* doc, const ConDrawArgs& args,
                     bool pullBackJunctions, PreparedConRoute& out)
{
    out = PreparedConRoute{};
    std::vector<CPoint> pts = CollectPoints(route);
    if (pts.size() < 2)
        return false;
    const size_t n = pts.size();
    // Label gaps move the ends themselves: the end shapes follow.
    const CFigure* figs[2] = {route.fig1, route.fig2};
    for (int e = 0; e < 2; ++e) {
        CPoint& end = e == 0 ? pts[0] : pts[n - 1];
        const CPoint& next = e == 0 ? pts[1] : pts[n - 2];
        if (figs[e] && figs[e]->m_bLabel && args.labelGap > 0 && PtDistance(end, next) > args.labelGap)
            end = PtAlongLine(end, next, args.labelGap);
    }
    DescribeEnds(route, props, doc, args, pts, out.ends);
    for (int e = 0; e < 2; ++e) {
        const PreparedConEnd& end = out.ends[e];
        CPoint& p = e == 0 ? pts[0] : pts[n - 1];
        const CPoint& next = e == 0 ? pts[1] : pts[n - 2];
        if (end.shape)
            PullBack(p, next, EndShapeInset(end.shape, end.size));
        else if (pullBackJunctions && end.junctionDot)
            PullBack(p, next, JunctionDotDiameter(props.LineWidth) / 2);
    }
    out.parts.push_back(ShapeLine(pts, props, doc));
    if (doc)
        AddHops(route, props, *doc, out.parts.back(), out.ends[0].tip, out.ends[1].tip);
    return true;
}
