// Moving one figure with its undo record, and re-laying the connectors that
// end on a figure after it (or one of its stapled labels) changed.
#include "document/CKavoDoc.h"

#include "document/AttachedConIndex.h"

int CKavoDoc::RelayCons(const std::vector<CConnector*>& cons)
{
    int relaid = 0;
    for (CConnector* con : cons) {
        CPoint p1, p2;
        con->ComputeEndPoints(nullptr, p1, p2);
        if (p1 == con->EndPoint1 && p2 == con->EndPoint2) {
            InvalidateObj(con);
            continue;
        }
        // The ends are logged so that undo puts the line back exactly; a
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

int CKavoDoc::RelayAttachedCons(const CFigure* fig)
{
    if (!fig)
        return 0;
    // One figure: a plain walk, without building the index of every figure.
    std::vector<CConnector*> cons;
    ForEachConnector([&](CConnector* c) {
        if (c->m_pFig1 == fig || c->m_pFig2 == fig)
            cons.push_back(c);
    });
    return RelayCons(cons);
}

int CKavoDoc::RelayAttachedCons(const std::vector<CFigure*>& figs)
{
    // Re-laying moves no connector end onto another figure, so one index
    // serves every figure.
    AttachedConIndex index(*this);
    int relaid = 0;
    for (const CFigure* fig : figs) {
        const int n = fig ? RelayCons(index.Of(fig)) : 0;
        if (n < 0)
            return n;
        relaid += n;
    }
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
