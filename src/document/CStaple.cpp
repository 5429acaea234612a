#include "document/CStaple.h"

#include "document/CKavoDoc.h"

// A copy is neither selected nor marked.
CStaple::CStaple(const CStaple& o) : CDiagObj(o), m_nType(o.m_nType)
{
    CopyFrom(o);
    m_bSelected = 0;
}

void CStaple::CopyFrom(const CStaple& o)
{
    *this = o;
    m_bVisited = 0;
    NoteStapleLinksChanged();
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
    m_nConId = m_pCon ? m_pCon->m_nId : -1;
    m_nFig1Id = m_pFig1 ? m_pFig1->m_nId : -1;
    m_nFig2Id = m_pFig2 ? m_pFig2->m_nId : -1;
}

void CStaple::Relink(const CObjList& objs)
{
    auto take = [&objs, this](int32_t& id, int kind) -> CDiagObj* {
        if (id == -1)
            return nullptr;
        CDiagObj* o = objs.FindById(id);
        // An object that is gone keeps its id, so that the staple holds it
        // again when undo brings it back; one of the wrong kind is dropped.
        if (!o)
            return nullptr;
        if (o->GetType() != kind) {
            id = -1;
            return nullptr;
        }
        o->m_pStaple = this;
        return o;
    };
    m_pCon = static_cast<CConnector*>(take(m_nConId, kObjConnector));
    m_pFig1 = static_cast<CFigure*>(take(m_nFig1Id, kObjFigure));
    m_pFig2 = static_cast<CFigure*>(take(m_nFig2Id, kObjFigure));
    NoteStapleLinksChanged();
    TakeSnapshots();
}

void CStaple::OffsetIds(int ownDelta, int objDelta)
{
    OffsetId(ownDelta);
    for (int32_t* id : {&m_nConId, &m_nFig1Id, &m_nFig2Id})
        if (*id != -1)
            *id += objDelta;
}
