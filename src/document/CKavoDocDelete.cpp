// Taking objects out of the document: cuts write the undo records that bring
// them back, deletes unlink every reference to the object and free it.
#include "document/CKavoDoc.h"

#include "core/Trace.h"
#include "document/CStaple.h"
#include "document/DocDefaults.h"
#include "document/UndoRecordsStaple.h"
#include "document/UndoStepMemo.h"

#include <algorithm>

namespace {
// The connector leaves the figure's attachment slots; the count never goes
// below zero.
void DetachConFromFig(CFigure* fig, const CConnector* con)
{
    if (!fig)
        return;
    if (fig->m_pAttachedCon1 == con)
        fig->m_pAttachedCon1 = nullptr;
    if (fig->m_pAttachedCon2 == con)
        fig->m_pAttachedCon2 = nullptr;
    if (fig->m_nConnected > 0)
        --fig->m_nConnected;
}
} // namespace

CStaple* CKavoDoc::FindFigLinkStaple(const CFigure* a, const CFigure* b) const
{
    for (CDiagObj* o : *m_pStapleList) {
        auto* s = static_cast<CStaple*>(o);
        if (s->m_nType == kStapleFigLink &&
            ((s->m_pFig1 == a && s->m_pFig2 == b) || (s->m_pFig1 == b && s->m_pFig2 == a)))
            return s;
    }
    return nullptr;
}

CGroup* CKavoDoc::FindGroupById(int32_t id) const
{
    return ::FindGroupById(m_groupList, id);
}

CStaple* CKavoDoc::FindStapleById(int32_t id) const
{
    return static_cast<CStaple*>(m_pStapleList->FindById(id));
}

int CKavoDoc::GetGroupPosition(const CGroup* group) const
{
    const auto it = std::find(m_groupList.begin(), m_groupList.end(), group);
    return it == m_groupList.end() ? -1 : int(it - m_groupList.begin()) + 1;
}

// ---- cut

bool CKavoDoc::CutFig(CFigure* fig, int position)
{
    if (!fig)
        return false;
    bool ok = true;
    ForEachConnector([&](CConnector* con) {
        if (ok && (con->m_pFig1 == fig || con->m_pFig2 == fig))
            ok = LogConnectorEnds(UDOC_CONMOVE, con) != 0;
    });
    if (!ok)
        return false;
    if (position == -1)
        position = m_pObjList->GetPosition(fig);
    if (!LogFigureCut(fig, position))
        return false;
    DiagPrintf("STAT  CutFig()\n");
    DeleteFig(fig, true);
    return true;
}

bool CKavoDoc::CutCon(CConnector* con, bool keepJunctions, bool merge, int position)
{
    if (!con)
        return false;
    if (con->m_pFig1 && con->m_pFig2 && !g_bKeepLinks) {
        if (CStaple* link = FindFigLinkStaple(con->m_pFig1, con->m_pFig2))
            if (!CutStaple(link, -1))
                return false;
    }
    if (position == -1)
        position = m_pObjList->GetPosition(con);
    if (!LogConnectorState(UDOC_DELCON, con, position))
        return false;
    DiagPrintf("STAT  CutCon()\n");
    DeleteCon(con, true, keepJunctions, merge);
    return true;
}

bool CKavoDoc::CutStaple(CStaple* staple, int position)
{
    if (!staple)
        return false;
    if (position == -1)
        position = m_pStapleList->GetPosition(staple);
    const CStaple state = *staple;
    const int pos = position;
    if (!m_undo.UndoLog(UDOC_DELSTP, [&state, pos](UndoStream& s) {
            s.Int32(pos);
            WriteStapleState(s, state);
        }))
        return false;
    DiagPrintf("STAT  CutStaple()\n");
    DeleteStaple(staple);
    return true;
}

bool CKavoDoc::CutGroup(CGroup* group, int position)
{
    if (!group)
        return false;
    if (position == -1)
        position = GetGroupPosition(group);
    if (!LogGroupCut(group, position))
        return false;
    DiagPrintf("STAT  CutGroup()\n");
    DeleteGroup(group);
    return true;
}

bool CKavoDoc::CutObj(CDiagObj* obj, int position)
{
    if (!obj)
        return false;
    if (obj->m_pGroup && !RemoveFromGroups(obj))
        return false;
    if (obj->GetType() == kObjConnector)
        return CutCon(static_cast<CConnector*>(obj), false, false, position);
    if (obj->GetType() == kObjFigure)
        return CutFig(static_cast<CFigure*>(obj), position);
    return false;
}

bool CKavoDoc::RemoveFromGroups(CDiagObj* obj)
{
    if (!obj)
        return false;
    // Cutting a group that drops below two members changes the list: walk a
    // snapshot and skip groups that are gone.
    const std::vector<CGroup*> groups = m_groupList;
    for (CGroup* g : groups) {
        if (std::find(m_groupList.begin(), m_groupList.end(), g) == m_groupList.end() || !g->HasMember(obj->m_nId))
            continue;
        // A refused record stops the operation: nothing more changes.
        if (!LogGroupMemberRemoved(g, obj))
            return false;
        g->RemoveMember(obj->m_nId);
        if (g->GetCount() < 2 && !CutGroup(g, -1))
            return false;
    }
    obj->m_pGroup = nullptr;
    return true;
}

// ---- delete

void CKavoDoc::UnlinkFromGroups(CDiagObj* obj)
{
    // A grouped object deleted directly must not stay listed in its groups.
    for (CGroup* g : m_groupList)
        g->RemoveMember(obj->m_nId);
    if (m_lastUngroup.HasMember(obj->m_nId)) {
        m_lastUngroup.m_members.clear();
        m_lastUngroup.m_nId = -1;
    }
    obj->m_pGroup = nullptr;
}

void CKavoDoc::DeleteFig(CFigure* fig, bool redraw)
{
    if (!fig || m_pObjList->Find(fig) < 0)
        return;
    if (redraw)
        InvalidateObj(fig);
    RemoveFromSelection(fig);
    RemoveFromMoveSet(fig);
    UnlinkFromGroups(fig);
    for (CDiagObj* o : *m_pStapleList) {
        auto* s = static_cast<CStaple*>(o);
        if (s->m_pFig1 == fig)
            s->m_pFig1 = nullptr;
        if (s->m_pFig2 == fig)
            s->m_pFig2 = nullptr;
    }
    NoteStapleLinksChanged();
    ForEachConnector([fig](CConnector* con) {
        if (con->m_pFig1 == fig)
            con->ClearEnd(1);
        if (con->m_pFig2 == fig)
            con->ClearEnd(2);
    });
    m_pObjList->Remove(fig);
    if (fig == m_pFigBeingAdded) {
        // Taken back while AddNewFig closes its step: its caller keeps it.
        if (fig->HasPicture())
            m_graphics.ReleaseUse(fig->m_props.Graphic);
        SetModifiedFlag(true);
        return;
    }
    if (fig->HasPicture()) {
        DiagPrintf("SMEM            From CKavoDoc::DeleteFig()\n");
        m_graphics.ReleaseUse(fig->m_props.Graphic);
        fig->ReleasePicture();
    }
    delete fig;
    SetModifiedFlag(true);
}

void CKavoDoc::RemoveConOnly(CConnector* con, bool redraw)
{
    if (!con)
        return;
    if (redraw)
        InvalidateObj(con);
    if (m_lastUngroup.HasMember(con->m_nId)) {
        m_lastUngroup.m_members.clear();
        m_lastUngroup.m_nId = -1;
    }
    for (CDiagObj* o : *m_pStapleList) {
        auto* s = static_cast<CStaple*>(o);
        if (s->m_pCon == con)
            s->m_pCon = nullptr;
    }
    ForEachFigure([con](CFigure* f) {
        if (f->m_pIndicatorCon == con)
            f->m_pIndicatorCon = nullptr;
    });
    // The slots the connector leaves are the step's to put back.
    for (const CFigure* f : {con->m_pFig1, con->m_pFig2})
        if (f)
            m_undo.AppendStepMemo({kMemoFigSlots, f->m_nId, f->m_pAttachedCon1 ? f->m_pAttachedCon1->m_nId : -1,
                                   f->m_pAttachedCon2 ? f->m_pAttachedCon2->m_nId : -1});
    DetachConFromFig(con->m_pFig1, con);
    DetachConFromFig(con->m_pFig2, con);
    con->ClearEnd(1);
    con->ClearEnd(2);
    if (m_pObjList->Find(con) < 0)
        return;
    if (redraw)
        InvalidateObj(con);
    RemoveFromSelection(con);
    RemoveFromMoveSet(con);
    UnlinkFromGroups(con);
    m_pObjList->Remove(con);
    delete con;
    SetModifiedFlag(true);
}

void CKavoDoc::DeleteCon(CConnector* con, bool redraw, bool keepJunctions, bool merge)
{
    if (!con)
        return;
    DiagPrintf("CKavoDoc::DeleteCon()\n");
    CFigure* ends[2] = {con->m_pFig1, con->m_pFig2};
    const int32_t keys[2] = {con->m_nConPtId1, con->m_nConPtId2};
    const bool listed = m_pObjList->Find(con) >= 0;
    RemoveConOnly(con, redraw);
    if (!listed)
        return;
    // A point that connector drawing made for this end goes with its last
    // connector.
    for (int i = 0; i < 2; ++i)
        if (ends[i] && keys[i] >= 0)
            DropAutoConPt(ends[i], keys[i]);
    if (!keepJunctions)
        for (CFigure*& end : ends) {
            if (end && CutOrphanJunction(end)) {
                end = nullptr;
                continue;
            }
            // With the merge flag, the two connectors left at an automatic
            // junction become one.
            CConnector *a = nullptr, *b = nullptr;
            if (merge && end && m_pObjList->Find(end) >= 0 && end->IsRedundantJct() && CanMergeAtJct(end) &&
                GetConsOnFig(end, a, b) && MergeConsAtJct(a, b, true))
                end = nullptr;
        }
    // The remaining chain through each former end keeps one line shape;
    // each connector whose shape changes is logged first.
    for (CFigure* end : {ends[0], ends[1]}) {
        if (!end || m_pObjList->Find(end) < 0)
            continue;
        CConnector* attached = end->m_pAttachedCon1 ? end->m_pAttachedCon1 : end->m_pAttachedCon2;
        if (!attached)
            continue;
        const std::vector<CConnector*> chain = GetConChain(attached);
        if (chain.size() <= 2)
            continue;
        const DWORD shape = chain[0]->m_props.Behavior.low & 0x1a;
        for (size_t i = 2; i < chain.size(); ++i) {
            const DWORD low = (chain[i]->m_props.Behavior.low & ~DWORD(0x1a)) | shape;
            if (low == chain[i]->m_props.Behavior.low || !LogConnectorState(UDOC_CONPROPS, chain[i]))
                continue;
            InvalidateObj(chain[i]);
            chain[i]->m_props.Behavior.low = low;
            InvalidateObj(chain[i]);
        }
    }
    DiagPrintf("CKavoDoc::DeleteCon() Exiting\n");
}

bool CKavoDoc::CutOrphanJunction(CFigure* jct)
{
    // A junction made automatically for connectors (AutoDelJct; a blank
    // figure without text or picture) only joins them: once the last one is
    // gone it is cut (logged, so the step that removed the connector brings
    // it back). Figures placed by the user stay.
    if (m_pObjList->Find(jct) < 0 || !jct->AutoDelJct || jct->HasPicture() || !jct->IsStyleBlank() || jct->HasText() ||
        jct->m_nConnected > 0 || jct->m_pAttachedCon1 ||
        jct->m_pAttachedCon2 || jct->IsStapled() || jct->IsInGroup())
        return false;
    bool attached = false;
    ForEachConnector([&](CConnector* c) { attached = attached || c->m_pFig1 == jct || c->m_pFig2 == jct; });
    return !attached && CutFig(jct, -1);
}

void CKavoDoc::DeleteStaple(CStaple* staple)
{
    if (!staple)
        return;
    // A label pinned along a connector leaves the connector to be drawn
    // again where the label lay.
    const int type = staple->m_nType;
    if (staple->m_pCon && (type == kStapleConLabel || type == kStapleFlowLabel || type == kStapleLatLabel))
        InvalidateObj(staple->m_pCon);
    if (staple->m_pFig1)
        InvalidateObj(staple->m_pFig1);
    if (staple->m_pFig2)
        InvalidateObj(staple->m_pFig2);
    if (m_pStapleList->Find(staple) < 0)
        return;
    for (CDiagObj* o : {static_cast<CDiagObj*>(staple->m_pCon), static_cast<CDiagObj*>(staple->m_pFig1),
                        static_cast<CDiagObj*>(staple->m_pFig2)})
        if (o && o->m_pStaple == staple)
            o->m_pStaple = nullptr;
    m_pStapleList->Remove(staple);
    delete staple;
    SetModifiedFlag(true);
}

void CKavoDoc::DeleteGroup(CGroup* group)
{
    const auto it = std::find(m_groupList.begin(), m_groupList.end(), group);
    if (!group || it == m_groupList.end())
        return;
    UpdateAllViews(nullptr, 0, nullptr);
    // Every object that names the group, also one whose member entry is not
    // resolved yet (a group brought back by undo), moves to the last other
    // group that lists it: the outermost of the groups it is nested in.
    for (CDiagObj* o : *m_pObjList) {
        if (o->m_pGroup != group)
            continue;
        CGroup* next = nullptr;
        for (CGroup* g : m_groupList)
            if (g != group && g->HasMember(o->m_nId))
                next = g;
        o->m_pGroup = next;
    }
    m_groupList.erase(it);
    group->m_members.clear();
    delete group;
    SetModifiedFlag(true);
}
