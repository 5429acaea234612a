#include "document/CStaple.h"

#include "document/CKavoDoc.h"

CStaple::CStaple(const CStaple& o)
    : CDiagObj(o), m_nType(o.m_nType), m_pCon(o.m_pCon), m_pFig1(o.m_pFig1), m_pFig2(o.m_pFig2),
      m_nConId(o.m_nConId), m_nFig1Id(o.m_nFig1Id), m_nFig2Id(o.m_nFig2Id)
{
    m_bSelected = 0;
    m_bVisited = 0;
}

void CStaple::GetBoundRect(CRect& out, int, int) const
{
    out.SetRectEmpty();
    if (m_pFig1)
        out = m_pFig1->m_rect;
    if (m_pFig2)
        out.UnionRect(CRect(out), m_pFig2->m_rect);
}

void CStaple::StoreIds()
{
    if (m_pCon)
        m_nConId = m_pCon->m_nId;
    if (m_pFig1)
        m_nFig1Id = m_pFig1->m_nId;
    if (m_pFig2)
        m_nFig2Id = m_pFig2->m_nId;
}

void CStaple::Relink(const CObjList& objs)
{
    m_pCon = static_cast<CConnector*>(m_nConId == -1 ? nullptr : objs.FindById(m_nConId, kObjConnector));
    m_pFig1 = static_cast<CFigure*>(m_nFig1Id == -1 ? nullptr : objs.FindById(m_nFig1Id, kObjFigure));
    m_pFig2 = static_cast<CFigure*>(m_nFig2Id == -1 ? nullptr : objs.FindById(m_nFig2Id, kObjFigure));
}

void CStaple::OffsetIds(int ownDelta, int objDelta)
{
    OffsetId(ownDelta);
    for (int32_t* id : {&m_nConId, &m_nFig1Id, &m_nFig2Id})
        if (*id != -1)
            *id += objDelta;
}
