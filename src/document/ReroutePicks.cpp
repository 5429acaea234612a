// The re-route pick list of a connector end and its chain.
#include "document/ReroutePicks.h"

#include "document/CKavoDoc.h"

#include <algorithm>
#include <vector>

namespace {
// The pick key of a connector end: its own connection point, the stored
// point for a fixed end, else free.
int32_t PickKeyOfEnd(int32_t conPtId)
{
    if (conPtId >= 0)
        return conPtId;
    return conPtId == kConPtFixed ? kPickAuto : kPickFree;
}

void AddEnd(CFigPickList& out, const CConnector* c, int end)
{
    CFigure* f = nullptr;
    int32_t id = kConPtCentre;
    CPoint at;
    c->GetEnd(end, f, id, at);
    out.Add(at, f, f ? PickKeyOfEnd(id) : kPickFree, nullptr);
}
} // namespace

bool MakeReroutePicks(CKavoDoc& doc, CConnector* con, int end, bool replace, CFigPickList& out, int* orderPos)
{
    out.RemoveAll();
    if (orderPos)
        *orderPos = -1;
    if (!con || (end != 1 && end != 2))
        return false;
    // Gathered from the moving end away along the chain, then reversed.
    std::vector<CDiagObj*> chain{con};
    AddEnd(out, con, end);
    CConnector* c = con;
    int far = 3 - end;
    for (int steps = 0;;) {
        AddEnd(out, c, far);
        CFigure* jct = c->GetEndFig(far);
        if (!jct || !jct->IsRedundantJct())
            break;
        CConnector *first = nullptr, *second = nullptr;
        doc.GetConsOnFig(jct, first, second);
        CConnector* next = first == c ? second : first;
        // A closed ring ends where it began: at the moving end's junction.
        if (!next || next == c || next == con)
            break;
        if (++steps > kMaxRerouteSteps) {
            out.RemoveAll();
            return false;
        }
        chain.push_back(jct);
        chain.push_back(next);
        far = next->m_pFig1 == jct ? 2 : 1;
        c = next;
    }
    out.Reverse();
    if (!replace)
        return true;
    for (CDiagObj* o : chain)
        o->m_bTemp = 1;
    if (orderPos) {
        int i = 0;
        for (const CDiagObj* o : *doc.m_pObjList) {
            if (o->m_bTemp && std::find(chain.begin(), chain.end(), o) != chain.end()) {
                *orderPos = i;
                break;
            }
            ++i;
        }
    }
    return true;
}

bool MakeConEndPicks(const CConnector& con, int end, CFigPickList& out)
{
    out.RemoveAll();
    if (end != 1 && end != 2)
        return false;
    AddEnd(out, &con, 3 - end);
    AddEnd(out, &con, end);
    return true;
}
