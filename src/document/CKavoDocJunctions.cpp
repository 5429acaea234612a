// Junction edits of connectors: splitting a connector with a junction,
// snipping it apart, deleting junctions so that their connectors come
// apart, and the attach mode.
#include "document/CKavoDoc.h"

#include "core/Settings.h"
#include "document/CStaple.h"
#include "undo/UndoCodes.h"

#include <cmath>

namespace {
constexpr int kJunctionSize = 15;

CPoint JunctionCorner(const POINT& pt)
{
    return CPoint(pt.x - kJunctionSize / 2, pt.y - kJunctionSize / 2);
}

// The cut end at `at` pulled back towards `other` by the gap, when the
// connector is longer than the gap.
CPoint PullBack(const CPoint& at, const CPoint& other, int gap)
{
    const double dx = other.x - at.x, dy = other.y - at.y;
    const double len = std::sqrt(dx * dx + dy * dy);
    if (gap <= 0 || len <= gap)
        return at;
    return CPoint(at.x + int(std::lround(dx * gap / len)), at.y + int(std::lround(dy * gap / len)));
}

// The end is made free where it is, pulled back by the gap, without its
// end symbol.
void FreeCutEnd(CConnector* c, int end, int gap)
{
    CPoint& at = end == 1 ? c->EndPoint1 : c->EndPoint2;
    const CPoint other = end == 1 ? c->EndPoint2 : c->EndPoint1;
    at = PullBack(at, other, gap);
    c->ClearEnd(end);
    (end == 1 ? c->m_props.End1 : c->m_props.End2) = 0;
    (end == 1 ? c->SuppressEnd1 : c->SuppressEnd2) = 0;
}
} // namespace

CFigure* CKavoDoc::SplitCon(CConnector* con, const POINT& pt, bool snip, int gap, bool joinEnds)
{
    if (!con || m_pObjList->Find(con) < 0)
        return nullptr;
    if (con->m_pFig1 && con->m_pFig2)
        if (CStaple* link = FindFigLinkStaple(con->m_pFig1, con->m_pFig2); link && !CutStaple(link, -1))
            return nullptr;
    if (joinEnds && !snip) {
        for (int end = 1; end <= 2; ++end) {
            if ((end == 1 ? con->EndPoint1 : con->EndPoint2) != CPoint(pt))
                continue;
            CFigure* jct = CreateFigAt(JunctionCorner(pt), 1);
            if (!jct || !LogConnectorState(UDOC_CONPROPS, con) || !ReattachConEnd(con, end, jct, kConPtCentre, pt))
                return nullptr;
            (end == 1 ? con->SuppressEnd1 : con->SuppressEnd2) = 1;
            return jct;
        }
    }
    CFigure* jct = CreateFigAt(JunctionCorner(pt), 1);
    if (!jct)
        return nullptr;
    const int32_t keep1 = con->SuppressEnd1, keep2 = con->SuppressEnd2;
    CConnector* halves[2] = {};
    if (!SplitConHalves(jct, con, pt, halves))
        return nullptr;
    halves[0]->SuppressEnd1 = keep1;
    halves[0]->SuppressEnd2 = 1;
    halves[1]->SuppressEnd1 = 1;
    halves[1]->SuppressEnd2 = keep2;
    if (snip) {
        MemoFigSlots(jct);
        for (int i = 0; i < 2; ++i) {
            jct->DetachCon(halves[i]);
            FreeCutEnd(halves[i], i == 0 ? 2 : 1, gap);
            InvalidateObj(halves[i]);
        }
        CutFig(jct, -1);
        jct = nullptr;
    }
    UpdateAllStaples(1);
    return jct;
}

CFigure* CKavoDoc::SplitConWithUndo(CConnector* con, const POINT& pt, int code)
{
    if (!con || con->m_pGroup || con->HasFlags(1, 0))
        return nullptr;
    m_undo.UndoBeginStep(code);
    CFigure* jct = SplitCon(con, pt, false, 0, false);
    m_undo.UndoEndStep();
    UpdateAllStaples(1);
    return jct;
}

bool CKavoDoc::SnipConWithUndo(CConnector* con, const POINT& pt, int gap)
{
    if (!con || con->m_pGroup || con->HasFlags(1, 0))
        return false;
    m_undo.UndoBeginStep(UDMAC_SNIPCON);
    const int before = GetConCount();
    SplitCon(con, pt, true, gap, false);
    m_undo.UndoEndStep();
    UpdateAllStaples(1);
    return GetConCount() == before + 1;
}

int CKavoDoc::DeleteJunctsSnip(int gap)
{
    std::vector<CFigure*> jcts;
    for (CDiagObj* o : *m_pSelList)
        if (o->GetType() == kObjFigure && !o->m_pGroup && static_cast<CFigure*>(o)->IsInvisible())
            jcts.push_back(static_cast<CFigure*>(o));
    if (jcts.empty())
        return 0;
    m_undo.UndoBeginStep(UDMAC_DELJUNCTSNIP);
    int cut = 0;
    bool ok = true;
    for (CFigure* jct : jcts) {
        MemoFigSlots(jct);
        ForEachConnector([&](CConnector* c) {
            for (int end = 1; ok && end <= 2; ++end) {
                if (c->GetEndFig(end) != jct || c->m_pGroup)
                    continue;
                if (!LogConnectorState(UDOC_CONPROPS, c)) {
                    ok = false;
                    return;
                }
                InvalidateObj(c);
                jct->DetachCon(c);
                FreeCutEnd(c, end, gap);
                InvalidateObj(c);
            }
        });
        if (!ok || !CutFig(jct, -1))
            break;
        ++cut;
    }
    RefreshSelection(0);
    UpdateAllStaples(1);
    m_undo.UndoEndStep();
    return cut;
}

void CKavoDoc::SetAttachMode(int mode)
{
    m_nAttachMode = mode == 2 ? 1 : mode;
    AttachMode = m_nAttachMode;
    CfgSaveAll();
}
