// Clusters of figures joined by figure links. The walk follows every link
// with both figures and a row, in both directions, from the figure it starts
// at; each end of each link is crossed once, so that rings of links end.
#include "document/CKavoDoc.h"

#include "document/CStaple.h"

#include <unordered_set>

namespace {

struct ClusterWalk {
    const CKavoDoc& doc;
    const CFigure* start;
    std::unordered_set<const CStaple*> crossedToSecond;
    std::unordered_set<const CStaple*> crossedToFirst;
};

// Whether some figure link with a row holds the figure: only then has it a
// cluster at all.
bool StartsCluster(const CKavoDoc& doc, const CFigure* fig)
{
    for (const CStaple* st : doc.FigLinkStaplesOf(fig))
        if (st->LinksFig(fig))
            return true;
    return false;
}

// Calls `reach` for every figure reached from `fig` other than the start,
// and goes on from those for which it returns true.
template <typename Reach>
void WalkLinks(ClusterWalk& walk, const CFigure* fig, Reach& reach)
{
    for (const CStaple* st : walk.doc.FigLinkStaplesOf(fig)) {
        if (st->PinType == 0 || !st->m_pFig1 || !st->m_pFig2)
            continue;
        const CFigure* next = nullptr;
        if (st->m_pFig1 == fig && walk.crossedToSecond.insert(st).second)
            next = st->m_pFig2;
        else if (st->m_pFig2 == fig && walk.crossedToFirst.insert(st).second)
            next = st->m_pFig1;
        if (next && next != walk.start && reach(next))
            WalkLinks(walk, next, reach);
    }
}

void UnionLinkedRects(ClusterWalk& walk, CRect& rect)
{
    auto reach = [&rect](const CFigure* fig) {
        CRect bounds;
        fig->GetBoundRect(bounds, 2, 0);
        rect.UnionRect(rect, bounds);
        return true;
    };
    WalkLinks(walk, walk.start, reach);
}

std::vector<CPoint> OutlineOrFrame(const CFigure& fig)
{
    std::vector<CPoint> points;
    if (fig.GetOutlinePoints(points) >= 3)
        return points;
    const CRect& r = fig.m_rect;
    return {CPoint(r.left, r.top), CPoint(r.right, r.top), CPoint(r.right, r.bottom), CPoint(r.left, r.bottom)};
}

void AddLinkedShadowOutlines(ClusterWalk& walk, std::vector<std::vector<CPoint>>& outlines,
                             std::unordered_set<const CFigure*>& outlined, CKavoDoc::FigOutlineFn outlineOf)
{
    auto reach = [&](const CFigure* fig) {
        // Figures without a drop shadow are not part of the shadow.
        if (!fig->m_props.Shadow)
            return false;
        if (outlined.insert(fig).second) {
            std::vector<CPoint> points = outlineOf(*fig);
            if (points.size() >= 3)
                outlines.push_back(std::move(points));
        }
        return true;
    };
    WalkLinks(walk, walk.start, reach);
}

} // namespace

void CKavoDoc::GetLinkedClusterRect(CRect& rect, const CFigure* fig) const
{
    if (!fig || !m_pStapleList || !StartsCluster(*this, fig))
        return;
    ClusterWalk walk{*this, fig, {}, {}};
    UnionLinkedRects(walk, rect);
}

void CKavoDoc::CollectLinkedShadowOutlines(std::vector<std::vector<CPoint>>& outlines, const CFigure* fig,
                                           std::unordered_set<const CFigure*>& outlined, FigOutlineFn outlineOf) const
{
    if (!fig || !m_pStapleList || !StartsCluster(*this, fig))
        return;
    ClusterWalk walk{*this, fig, {}, {}};
    AddLinkedShadowOutlines(walk, outlines, outlined, outlineOf ? outlineOf : &OutlineOrFrame);
}
