// Keeping flow labels with their flow when a connector or a figure is
// replaced or cut.
#include "document/CKavoDoc.h"

#include "document/CConnector.h"
#include "document/CFigure.h"
#include "document/CStaple.h"

#include <algorithm>
#include <vector>

namespace {
std::vector<CStaple*> FlowStaplesAt(const CObjList& staples, const CFigure* fig, const CConnector* con)
{
    std::vector<CStaple*> out;
    for (CDiagObj* o : staples) {
        auto* s = static_cast<CStaple*>(o);
        if (s->m_nType == kStapleFlowLabel && s->m_pFig1 == fig && s->m_pCon == con)
            out.push_back(s);
    }
    return out;
}
} // namespace

int CKavoDoc::CutFlowLbls(CFigure* fig, CConnector* con, bool deleteLabels)
{
    if (!fig || !con)
        return 0;
    for (CStaple* s : FlowStaplesAt(*m_pStapleList, fig, con)) {
        CFigure* label = s->m_pFig2;
        if (!CutStaple(s, -1))
            break;
        if (deleteLabels && label && !CutFig(label, -1))
            break;
    }
    return 1;
}

bool CKavoDoc::ReplaceFlowLblConFig(CFigure* fig, CConnector* oldCon, CConnector* newCon, CFigure* newFig)
{
    if (!fig || !oldCon || !newCon || !newFig)
        return false;
    for (CStaple* s : FlowStaplesAt(*m_pStapleList, fig, oldCon))
        if (!AttachToStapleWithUndo(s, newCon, 0) || !AttachToStapleWithUndo(s, newFig, 1))
            return false;
    return true;
}

bool CKavoDoc::ReplaceFlowLblCon(CFigure* fig, CConnector* oldCon, CConnector* newCon)
{
    return ReplaceFlowLblConFig(fig, oldCon, newCon, fig);
}

bool CKavoDoc::ReplaceFlowLblFig(CFigure* fig, CConnector* con, CFigure* newFig)
{
    return ReplaceFlowLblConFig(fig, con, con, newFig);
}

bool CKavoDoc::IsFlowLblInSet(const CFigure* label) const
{
    const CObjList* set = m_moveSet.GetList();
    const CStaple* s = label ? label->m_pStaple : nullptr;
    if (!set || !s || s->m_nType != kStapleFlowLabel || s->m_pFig2 != label || !s->m_pCon)
        return false;
    const auto in = [set](const CDiagObj* o) { return !o || set->Find(o) >= 0; };
    return in(s->m_pCon) && in(s->m_pCon->m_pFig1) && in(s->m_pCon->m_pFig2);
}
