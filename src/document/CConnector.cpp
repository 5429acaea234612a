#include "document/CConnector.h"

#include "core/IntGeometry.h"
#include "document/CKavoDoc.h"

CConnector::CConnector(const CConnector& o)
    : CDiagObj(o), m_nFigId1(o.m_nFigId1), m_nFigId2(o.m_nFigId2), m_pFig1(o.m_pFig1), m_pFig2(o.m_pFig2),
      m_nConPtId1(o.m_nConPtId1), m_nConPtId2(o.m_nConPtId2), SuppressEnd1(o.SuppressEnd1),
      SuppressEnd2(o.SuppressEnd2), EndPoint1(o.EndPoint1), EndPoint2(o.EndPoint2), m_nStyle(o.m_nStyle),
      m_props(o.m_props)
{
    m_bSelected = 0;
    m_bVisited = 0;
}

void CConnector::GetBoundRect(CRect& out, int mode, int tolerance) const
{
    out.SetRect(EndPoint1.x, EndPoint1.y, EndPoint2.x, EndPoint2.y);
    out.NormalizeRect();
    if (mode != 0) {
        const int t = mode == 1 ? 0 : tolerance;
        out.InflateRect(t / 2 + 1, t / 2 + 1);
    }
}

int CConnector::HitTest(int x, int y, int tolerance, bool, bool) const
{
    const POINT pts[2] = {EndPoint1, EndPoint2};
    return PtNearPolyline(x, y, pts, 2, tolerance, nullptr) ? 1 : 0;
}

void CConnector::StoreIds()
{
    m_nFigId1 = m_pFig1 ? m_pFig1->m_nId : -1;
    m_nFigId2 = m_pFig2 ? m_pFig2->m_nId : -1;
}

void CConnector::Relink(const CObjList& objs)
{
    m_pFig1 = static_cast<CFigure*>(m_nFigId1 == -1 ? nullptr : objs.FindById(m_nFigId1, kObjFigure));
    m_pFig2 = static_cast<CFigure*>(m_nFigId2 == -1 ? nullptr : objs.FindById(m_nFigId2, kObjFigure));
}

void CConnector::OffsetIds(int delta)
{
    OffsetId(delta);
    if (m_nFigId1 != -1)
        m_nFigId1 += delta;
    if (m_nFigId2 != -1)
        m_nFigId2 += delta;
}

void CConnector::ClearEnd(int end)
{
    if (end == 1) {
        m_pFig1 = nullptr;
        m_nConPtId1 = -1;
        m_nFigId1 = -1;
    } else {
        m_pFig2 = nullptr;
        m_nConPtId2 = -1;
        m_nFigId2 = -1;
    }
}
