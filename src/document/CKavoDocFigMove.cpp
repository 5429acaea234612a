// Moving one figure with its undo record, and re-laying the connectors that
// end on a figure after it (or one of its stapled labels) changed.
#include "document/CKavoDoc.h"

namespace {
bool EndsOn(const CConnector* con, const CFigure* fig)
{
    return con->m_pFig1 == fig || con->m_pFig2 == fig;
}
} // namespace

int CKavoDoc::RelayAttachedCons(const CFigure* fig)
{
    if (!fig)
        return 0;
    int relaid = 0;
    for (CDiagObj* o : *m_pObjList) {
        if (o->GetType() != kObjConnector)
            continue;
        auto* con = static_cast<CConnector*>(o);
        if (!EndsOn(con, fig))
            continue;
        CPoint p1, p2;
        con->ComputeEndPoints(nullptr, p1, p2);
        if (p1 == con->EndPoint1 && p2 == con->EndPoint2) {
            InvalidateObj(con);
            continue;
        }
        // The ends are logged so that undo puts the line back exactly; the
        // figure's own record does not re-route anything.
        if (!LogConnectorEnds(UDOC_CONMOVE, con))
            return -1;
        InvalidateObj(con);
        con->RecalcRoute();
        InvalidateObj(con);
        ++relaid;
    }
    if (relaid)
        SetModifiedFlag(true);
    return relaid;
}

bool CKavoDoc::MoveFigToRect(CFigure* fig, const CRect& rc)
{
    if (!fig)
        return false;
    if (fig->m_rect == rc)
        return true;
    if (!SetFigRect(fig, rc))
        return false;
    return RelayAttachedCons(fig) >= 0;
}
