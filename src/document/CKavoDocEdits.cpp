// Logged edits of single objects (rectangle, z-order, texts) and the
// connector chains through redundant junctions.
#include "document/CKavoDoc.h"

#include "undo/UndoRecordTraces.h"

#include <algorithm>

namespace {
// The connector attached to the junction other than `from`.
CConnector* OtherCon(const CFigure* jct, const CConnector* from)
{
    if (jct->m_pAttachedCon1 && jct->m_pAttachedCon1 != from)
        return jct->m_pAttachedCon1;
    if (jct->m_pAttachedCon2 && jct->m_pAttachedCon2 != from)
        return jct->m_pAttachedCon2;
    return nullptr;
}

// Walks from `con` out of its end `end` through redundant junctions.
void WalkChain(CConnector* con, int end, std::vector<CConnector*>& out, size_t limit)
{
    for (;;) {
        CFigure* jct = con->GetEndFig(end);
        if (!jct || !jct->IsRedundantJct() || out.size() >= limit)
            return;
        CConnector* next = OtherCon(jct, con);
        if (!next || std::find(out.begin(), out.end(), next) != out.end())
            return;
        out.push_back(next);
        end = next->m_pFig1 == jct ? 2 : 1;
        con = next;
    }
}
} // namespace

std::vector<CConnector*> CKavoDoc::GetConChain(CConnector* start) const
{
    std::vector<CConnector*> chain;
    if (!start)
        return chain;
    const size_t limit = size_t(m_pObjList->m_nConCount) + 1;
    std::vector<CConnector*> back{start};
    WalkChain(start, 1, back, limit);
    chain.assign(back.rbegin(), back.rend());
    std::vector<CConnector*> forward{start};
    WalkChain(start, 2, forward, limit);
    // `forward` may have met connectors already in `back` on a closed loop.
    for (size_t i = 1; i < forward.size(); ++i)
        if (std::find(chain.begin(), chain.end(), forward[i]) == chain.end())
            chain.push_back(forward[i]);
    return chain;
}

bool CKavoDoc::SetFigRect(CFigure* fig, const CRect& rc)
{
    if (!fig)
        return false;
    if (!LogFigRect(fig))
        return false;
    InvalidateObj(fig);
    fig->SetRectNoUndo(rc);
    InvalidateObj(fig);
    SetModifiedFlag(true);
    return true;
}

bool CKavoDoc::MoveObjInList(CDiagObj* obj, int position)
{
    if (!obj || m_pObjList->Find(obj) < 0 || position < 1 || position > m_pObjList->GetCount())
        return false;
    if (!LogObjOrder(obj))
        return false;
    m_pObjList->MoveTo(obj, position - 1);
    InvalidateObj(obj);
    SetModifiedFlag(true);
    return true;
}

bool CKavoDoc::SetFigTextArea(CFigure* fig, int area, const std::string& text, const std::string& secondText)
{
    if (!fig)
        return false;
    // One area's texts are logged when writing them back gives the texts
    // back; an edit that adds sections (a new area, or a text holding a
    // section break) logs the whole texts instead.
    int logArea = area;
    if (area >= 0) {
        CFigure probe(*fig);
        probe.SetText(text, secondText, area);
        std::string oldText, oldSecond;
        fig->GetText(oldText, oldSecond, area);
        probe.SetText(oldText, oldSecond, area);
        if (probe.m_strText != fig->m_strText || probe.m_strSecondText != fig->m_strSecondText)
            logArea = -1;
    }
    if (!LogFigText(fig, logArea))
        return false;
    fig->SetText(text, secondText, area);
    InvalidateObj(fig);
    SetModifiedFlag(true);
    return true;
}

int CKavoDoc::LogFigRect(const CFigure* fig)
{
    const int32_t id = fig->m_nId;
    const CRect old = fig->m_rect;
    return m_undo.UndoLog(UDOC_FIGDIM, [id, old](UndoStream& s) {
        TraceUndoField(s, "ID", id);
        s.Int32(id);
        s.Rect(old);
    });
}

int CKavoDoc::LogFigText(const CFigure* fig, int area)
{
    std::string text, second;
    fig->GetText(text, second, area);
    const int32_t id = fig->m_nId;
    return m_undo.UndoLog(UDOC_FIGTEXT, [&](UndoStream& s) {
        s.Int32(id);
        s.Int32(area);
        s.String(text);
        s.String(second);
    });
}
