#include "document/CConnector.h"

#include "geometry/IntGeometry.h"
#include "document/CKavoDoc.h"
#include "shapes/CShapeDef.h"

// The copy names its end figures by id only (taken from the source's live
// pointers when it has them): it is not registered with those figures, so a
// pointer would let a later detach miscount them. Relink reconnects it.
CConnector::CConnector(const CConnector& o)
    : CDiagObj(o), m_nFigId1(o.m_pFig1 ? o.m_pFig1->m_nId : o.m_nFigId1),
      m_nFigId2(o.m_pFig2 ? o.m_pFig2->m_nId : o.m_nFigId2), m_pFig1(nullptr), m_pFig2(nullptr), m_nConPtId1(o.m_nConPtId1), m_nConPtId2(o.m_nConPtId2), SuppressEnd1(o.SuppressEnd1),
      SuppressEnd2(o.SuppressEnd2), EndPoint1(o.EndPoint1), EndPoint2(o.EndPoint2), m_nStyle(o.m_nStyle),
      m_props(o.m_props), m_nOrientHint(o.m_nOrientHint)
{
    m_bSelected = 0;
    m_bVisited = 0;
}

CConnector::CConnector(const CConProps& props, int style, CKavoDoc* doc)
    : CDiagObj(doc), m_nStyle(style), m_props(props)
{
}

void CConnector::Reset()
{
    ResetStockKind();
    m_props.SetDefaults();
    m_nStyle = -1;
    m_nFigId1 = m_nFigId2 = -1;
    m_nConPtId1 = m_nConPtId2 = -1;
    m_nId = 0;
    m_bSelected = m_bVisited = 0;
    m_nOrientHint = 0;
    m_pFig1 = m_pFig2 = nullptr;
    SuppressEnd1 = SuppressEnd2 = 0;
    EndPoint1 = EndPoint2 = CPoint(0, 0);
}

void CConnector::CopyFrom(const CConnector& o)
{
    *this = o;
}

void CConnector::StoreIds()
{
    m_nFigId1 = m_pFig1 ? m_pFig1->m_nId : -1;
    m_nFigId2 = m_pFig2 ? m_pFig2->m_nId : -1;
}

void CConnector::Relink(const CObjList& objs)
{
    ResolveEndIds(objs);
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

int CConnector::EndShapeIsKind(int end, int query) const
{
    if ((end != 1 && end != 2) || !m_pDoc)
        return 0;
    const int32_t index = end == 1 ? m_props.End1 : m_props.End2;
    const CShapeDef* shape = index >= 0 ? m_pDoc->m_endSymbols.GetAt(index) : nullptr;
    return shape ? shape->IsKind(query) : 0;
}

int CConnector::ClassifyStockKind() const
{
    const CConStyle* style = m_pDoc ? m_pDoc->m_conStyles.GetAt(m_nStyle) : nullptr;
    return style ? style->GetKind() : -1;
}
