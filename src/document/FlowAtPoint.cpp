#include "document/FlowAtPoint.h"

#include "document/CKavoDoc.h"

bool FindFlowAt(const CKavoDoc& doc, const POINT& pt, int tolerance, FlowAtPoint& flow)
{
    flow = FlowAtPoint();
    if (!doc.HasLists() || doc.ObjFromPoint(pt.x, pt.y, tolerance, false, -1, 0, 0))
        return false;
    int gap = 0, inflate = 0;
    doc.GetLabelSpacing(gap, inflate);
    const CSize size = doc.GetNewFlowLblSize();
    const CPoint p(pt);
    for (auto it = doc.m_pObjList->end(); it != doc.m_pObjList->begin();) {
        CDiagObj* o = *--it;
        if (o->GetType() != kObjConnector || o->m_pGroup)
            continue;
        auto* c = static_cast<CConnector*>(o);
        if (!c->m_pFig1 || !c->m_pFig2 || c->m_pFig1->m_pGroup || c->m_pFig2->m_pGroup)
            continue;
        for (CFigure* end : {c->m_pFig1, c->m_pFig2}) {
            if (end->m_bLabel || end->IsInvisible())
                continue;
            CRect r1, r2;
            int c1 = -1, c2 = -1;
            if (!doc.CalcFlowLblRects(c, end, size, gap, inflate, r1, r2, c1, c2))
                continue;
            const int slot = r1.PtInRect(p) ? 1 : r2.PtInRect(p) ? 2 : 0;
            if (slot != 0) {
                flow = FlowAtPoint{c, end, slot};
                return true;
            }
        }
    }
    return false;
}
