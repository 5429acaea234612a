// A connector's ends: attaching them to figures, resolving stored ids after
// loading, and the end queries.
#include "document/CConnector.h"

#include "document/CFigure.h"
#include "document/CObjList.h"

#include <utility>

void CConnector::GetEnd(int end, CFigure*& fig, int32_t& conPtId, CPoint& pt) const
{
    fig = end == 1 ? m_pFig1 : m_pFig2;
    conPtId = end == 1 ? m_nConPtId1 : m_nConPtId2;
    pt = end == 1 ? EndPoint1 : EndPoint2;
}

void CConnector::GetEnds(CFigure*& fig1, CFigure*& fig2, int32_t& id1, int32_t& id2, int& x1, int& y1, int& x2,
                         int& y2) const
{
    fig1 = m_pFig1;
    fig2 = m_pFig2;
    id1 = m_nConPtId1;
    id2 = m_nConPtId2;
    x1 = EndPoint1.x;
    y1 = EndPoint1.y;
    x2 = EndPoint2.x;
    y2 = EndPoint2.y;
}

int CConnector::AttachEnd(int ends, CFigure* fig, int32_t conPtId, const POINT& pt, bool noRegister, bool noRecalc)
{
    for (int end = 1; end <= 2; ++end) {
        if (!(ends & (end == 1 ? kConEnd1 : kConEnd2)))
            continue;
        CFigure*& own = end == 1 ? m_pFig1 : m_pFig2;
        const CFigure* other = end == 1 ? m_pFig2 : m_pFig1;
        int32_t& id = end == 1 ? m_nConPtId1 : m_nConPtId2;
        CPoint& point = end == 1 ? EndPoint1 : EndPoint2;
        if (own && !noRegister)
            own->DetachCon(this);
        if (fig && fig != other) {
            own = fig;
            id = conPtId;
            if (conPtId == kConPtFixed)
                point = pt;
        } else {
            // Both ends of a connector are never on one figure.
            own = nullptr;
            id = kConPtCentre;
            point = pt;
        }
        if (own && !noRegister)
            own->AttachCon(this);
    }
    StoreIds();
    return noRecalc ? 0 : RecalcRoute();
}

void CConnector::AttachToFigs()
{
    if (m_pFig1)
        m_pFig1->AttachCon(this);
    if (m_pFig2)
        m_pFig2->AttachCon(this);
}

void CConnector::ClearEnds()
{
    m_pFig1 = m_pFig2 = nullptr;
    m_nConPtId1 = m_nConPtId2 = kConPtCentre;
}

void CConnector::ResolveEndIds(const CObjList& objs, bool keepUnresolved)
{
    auto unresolved = [keepUnresolved](int32_t& storedId, int32_t& conPtId) {
        if (!keepUnresolved) {
            storedId = -1;
            conPtId = kConPtCentre;
        }
    };
    auto resolve = [&](int32_t& storedId, int32_t& conPtId, CFigure*& fig) {
        fig = nullptr;
        if (storedId == -1) {
            conPtId = kConPtCentre;
            return;
        }
        // Only a figure can hold an end: the figure of that id is meant.
        if (CDiagObj* o = objs.FindById(storedId, kObjFigure))
            fig = static_cast<CFigure*>(o);
        else
            unresolved(storedId, conPtId);
    };
    resolve(m_nFigId1, m_nConPtId1, m_pFig1);
    resolve(m_nFigId2, m_nConPtId2, m_pFig2);
    // Both ends of a connector are never on one figure: end 2 is left free
    // at its stored point, as AttachEnd would leave it.
    if (m_pFig2 && m_pFig2 == m_pFig1) {
        m_pFig2 = nullptr;
        unresolved(m_nFigId2, m_nConPtId2);
    }
}

bool CConnector::IsSameEnds(const CFigure* a, int32_t idA, const CFigure* b, int32_t idB) const
{
    return (m_pFig1 == a && m_nConPtId1 == idA && m_pFig2 == b && m_nConPtId2 == idB) ||
           (m_pFig1 == b && m_nConPtId1 == idB && m_pFig2 == a && m_nConPtId2 == idA);
}

int CConnector::FindEnd(const CFigure* fig, int32_t id, int& end) const
{
    if (m_pFig1 == fig && m_nConPtId1 == id) {
        end = 1;
        return 1;
    }
    if (m_pFig2 == fig && m_nConPtId2 == id) {
        end = 2;
        return 1;
    }
    return 0;
}

CPoint CConnector::GetEndAttachPt(int end) const
{
    const CFigure* fig = end == 1 ? m_pFig1 : m_pFig2;
    const CPoint point = end == 1 ? EndPoint1 : EndPoint2;
    if (!fig)
        return point;
    CFltPoint pos;
    if (!fig->GetConPtPos(end == 1 ? m_nConPtId1 : m_nConPtId2, fig->m_rect, pos))
        return fig->m_rect.CenterPoint();
    return pos.RoundToPoint();
}

void CConnector::Reverse()
{
    std::swap(SuppressEnd1, SuppressEnd2);
    std::swap(EndPoint1, EndPoint2);
    std::swap(m_pFig1, m_pFig2);
    std::swap(m_nConPtId1, m_nConPtId2);
    StoreIds();
    RecalcRoute();
}

void CConnector::Offset(int dx, int dy)
{
    OffsetEnds(dx, dy, dx, dy);
}

void CConnector::OffsetEnds(int dx1, int dy1, int dx2, int dy2)
{
    EndPoint1.Offset(dx1, dy1);
    EndPoint2.Offset(dx2, dy2);
    RecalcRoute();
}
