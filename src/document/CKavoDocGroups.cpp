// The group commands (Group, Ungroup, Ungroup All, Regroup), group selection
// and handles, and the marking rules that keep a group's parts together.
#include "document/CKavoDoc.h"

#include "core/MessageBeep.h"
#include "core/QuestionPrompt.h"
#include "core/Settings.h"
#include "document/CStaple.h"
#include "platform/Prompt.h"
#include "platform/StringTable.h"

#include <algorithm>
#include <new>

namespace {
constexpr unsigned kApplyToGroupsQuestionId = 820;

// Regroup has nothing left to bring back.
void ForgetLastUngroup(CGroup& last)
{
    last.ClearMembers();
    last.m_nId = -1;
    last.m_bSelected = 0;
}

// What a group command changed before it failed: the group pointers of the
// members taken in so far (the z-order moves are logged, and a refused
// record takes them back when the step closes).
struct GroupUndoState {
    std::vector<std::pair<CDiagObj*, CGroup*>> owners; // object, group before
};

// A failed group command leaves no object pointing to the discarded group;
// the step is closed.
void AbandonGroupCommand(CKavoDoc& doc, CGroup* group, const GroupUndoState& st)
{
    for (const auto& [obj, owner] : st.owners)
        obj->m_pGroup = owner;
    group->ClearMembers();
    delete group;
    doc.UndoEndStep();
}

// The connectors of a chain with the labels stapled to them and the
// redundant junctions between them.
std::vector<CDiagObj*> ChainParts(const CKavoDoc& doc, const std::vector<CConnector*>& chain)
{
    std::vector<CDiagObj*> parts(chain.begin(), chain.end());
    for (const CConnector* c : chain) {
        if (const CStaple* s = doc.FindConOrLatLblStaple(c); s && s->m_pFig1)
            parts.push_back(s->m_pFig1);
        for (CFigure* f : {c->m_pFig1, c->m_pFig2})
            if (f && f->IsRedundantJct() && std::find(parts.begin(), parts.end(), f) == parts.end())
                parts.push_back(f);
    }
    return parts;
}

// The objects at the two outer ends of a chain (null for a free end).
void ChainEnds(const std::vector<CConnector*>& chain, CFigure*& first, CFigure*& last)
{
    auto outer = [](const CConnector* c) {
        for (CFigure* f : {c->m_pFig1, c->m_pFig2})
            if (!f || !f->IsRedundantJct())
                return f;
        return static_cast<CFigure*>(nullptr);
    };
    first = outer(chain.front());
    last = chain.size() == 1 ? (chain.front()->m_pFig1 == first ? chain.front()->m_pFig2 : chain.front()->m_pFig1)
                             : outer(chain.back());
}
} // namespace

bool CKavoDoc::CanGroup() const
{
    if (GetSelCount() < 2)
        return false;
    const CGroup* first = nullptr;
    bool seen = false;
    for (CDiagObj* o : *m_pSelList) {
        if (!o->m_pGroup)
            return true;
        if (!seen) {
            first = o->m_pGroup;
            seen = true;
        } else if (o->m_pGroup != first) {
            return true;
        }
    }
    return false;
}

bool CKavoDoc::SelHasGroupedObj() const
{
    if (GetSelCount() < 2)
        return false;
    return std::any_of(m_pSelList->begin(), m_pSelList->end(), [](const CDiagObj* o) { return o->m_pGroup; });
}

void CKavoDoc::MarkRelatedForGroup()
{
    std::vector<CConnector*> cons;
    ForEachConnector([&](CConnector* c) { cons.push_back(c); });
    // A chain goes whole when any part of it is marked ...
    for (CConnector* c : cons) {
        const std::vector<CDiagObj*> parts = ChainParts(*this, GetConChain(c));
        if (std::any_of(parts.begin(), parts.end(), [](const CDiagObj* o) { return o->m_bVisited; }))
            for (CDiagObj* o : parts)
                o->m_bVisited = 1;
    }
    // ... and only when the objects at both of its ends go too.
    for (CConnector* c : cons) {
        const std::vector<CConnector*> chain = GetConChain(c);
        CFigure *first = nullptr, *last = nullptr;
        ChainEnds(chain, first, last);
        const bool keep = (!first || first->m_bVisited) && (!last || last->m_bVisited);
        for (CDiagObj* o : ChainParts(*this, chain))
            o->m_bVisited = keep ? 1 : 0;
    }
    auto present = [](const CDiagObj* o) { return o != nullptr; };
    for (CDiagObj* o : *m_pStapleList) {
        auto* s = static_cast<CStaple*>(o);
        if (s->m_nType == kStapleFigLink && present(s->m_pFig1) && present(s->m_pFig2))
            s->m_pFig2->m_bVisited = s->m_pFig1->m_bVisited;
    }
    for (CDiagObj* o : *m_pStapleList) {
        auto* s = static_cast<CStaple*>(o);
        switch (s->m_nType) {
        case kStapleConLabel:
        case kStapleLatLabel:
            if (present(s->m_pFig1) && present(s->m_pCon))
                s->m_pFig1->m_bVisited = s->m_pCon->m_bVisited;
            break;
        case kStapleFigLabel:
            if (present(s->m_pFig1) && present(s->m_pFig2))
                s->m_pFig2->m_bVisited = s->m_pFig1->m_bVisited;
            break;
        case kStapleFlowLabel:
            if (!present(s->m_pCon) || !present(s->m_pFig1) || !present(s->m_pFig2))
                break;
            if (!s->m_pCon->m_bVisited)
                s->m_pFig2->m_bVisited = 0;
            else if (s->m_pFig1->m_bVisited)
                s->m_pFig2->m_bVisited = 1;
            else
                s->m_pCon->m_bVisited = s->m_pFig2->m_bVisited = 0;
            break;
        default:
            break;
        }
    }
}

void CKavoDoc::OnGroup()
{
    if (!HasSelection() || !CanGroup())
        return;
    BeginMarkPass();
    MarkSelection(2);
    MarkRelatedForGroup();
    EndMarkPass(0);
    if (CountMarkedObjs() <= 1) {
        MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    CGroup* group = new (std::nothrow) CGroup;
    if (!group)
        return;
    const std::vector<CDiagObj*> oldSel(m_pSelList->begin(), m_pSelList->end());
    m_undo.UndoBeginStep(UDMAC_GROUP);
    ClearSel(true);
    // From the front: every further member moves directly behind the ones
    // gathered so far, keeping the old relative order.
    GroupUndoState st;
    bool ok = true;
    int n = -1;
    for (int i = m_pObjList->GetCount() - 1; ok && i >= 0; --i) {
        CDiagObj* o = m_pObjList->GetAt(i);
        if (!o->m_bVisited)
            continue;
        st.owners.emplace_back(o, o->m_pGroup);
        if (!group->AddMember(o)) {
            ok = false;
            break;
        }
        if (n < 0) {
            n = i;
            continue;
        }
        if (!LogObjOrder(o)) {
            ok = false;
            break;
        }
        MoveObjInList(i + 1, n, false);
        --n;
    }
    ok = ok && AddGroupWithId(group);
    if (!ok) {
        AbandonGroupCommand(*this, group, st);
        for (CDiagObj* o : oldSel)
            AddObjToSel(o, 2, true);
        return;
    }
    FinishGroupCommand(group);
}

bool CKavoDoc::UngroupMarked()
{
    ClearGroupMarks(m_groupList);
    for (CDiagObj* o : *m_pSelList)
        if (o->m_pGroup)
            o->m_pGroup->m_nUngroupMark = 1;
    int dissolved = 0;
    for (CGroup* g : std::vector<CGroup*>(m_groupList)) {
        if (!g->m_nUngroupMark)
            continue;
        // Only a single dissolved group can be made again.
        const CGroup copy = *g;
        // A refused record leaves the group: it does not count (Ungroup All
        // would ask for it again and again).
        if (!CutGroup(g, -1))
            break;
        if (++dissolved == 1)
            m_lastUngroup = copy;
        else
            ForgetLastUngroup(m_lastUngroup);
    }
    for (CGroup* g : m_groupList)
        g->UpdateSelectedFlag();
    return dissolved > 0;
}

void CKavoDoc::OnUngroup()
{
    if (!HasSelection() || !SelHasGroupedObj())
        return;
    m_undo.UndoBeginStep(UDMAC_UNGROUP);
    UngroupMarked();
    m_undo.UndoEndStep();
}

void CKavoDoc::OnUngroupAll()
{
    if (!HasSelection() || !SelHasGroupedObj())
        return;
    m_undo.UndoBeginStep(UDMAC_UNGROUPALL);
    while (UngroupMarked()) {
    }
    ForgetLastUngroup(m_lastUngroup);
    m_undo.UndoEndStep();
}

void CKavoDoc::OnRegroup()
{
    if (m_lastUngroup.GetCount() == 0)
        return;
    if (!m_lastUngroup.CanResolveIn(*m_pObjList)) {
        ForgetLastUngroup(m_lastUngroup);
        return;
    }
    CGroup* group = new (std::nothrow) CGroup(m_lastUngroup);
    if (!group)
        return;
    m_undo.UndoBeginStep(UDMAC_REGROUP);
    GroupUndoState st;
    for (const CGroup::Member& m : group->m_members)
        if (m.obj)
            st.owners.emplace_back(m.obj, m.obj->m_pGroup);
    group->ResolveMembers(*m_pObjList);
    group->m_bSelected = group->m_bVisited = group->m_nSpare1 = 0;
    group->m_nUngroupMark = group->m_bMoved = 0;
    if (!AddGroupWithId(group)) {
        AbandonGroupCommand(*this, group, st);
        return;
    }
    FinishGroupCommand(group);
}

void CKavoDoc::FinishGroupCommand(CGroup* group)
{
    // The memory of the last ungroup goes inside the step, so that undo
    // brings it back (a refused or beeped command keeps it).
    ForgetLastUngroup(m_lastUngroup);
    SetModifiedFlag(true);
    m_undo.UndoEndStep();
    // A refused closing record takes the whole step back, the group too.
    if (GetGroupPosition(group) > 0)
        SelectGroup(group, true);
}

void CKavoDoc::SelectGroup(CGroup* group, bool redraw)
{
    if (!group || group->m_bSelected)
        return;
    if (redraw)
        InvalidateGroup(group);
    for (const CGroup::Member& m : group->m_members)
        if (m.obj && !m.obj->m_bSelected)
            AddObjToSel(m.obj, 2, false);
    group->m_bSelected = 1;
    UpdateAllViews(nullptr, 0, nullptr);
}

void CKavoDoc::DeselectGroupObj(CDiagObj* obj, bool redraw)
{
    if (!obj || !obj->m_pGroup)
        return;
    if (redraw)
        InvalidateGroup(obj->m_pGroup);
    obj->m_pGroup->m_bSelected = 0;
}

CGroup* CKavoDoc::GroupHandleHitTest(const POINT& pt, int size, int& handle) const
{
    handle = 0;
    for (auto it = m_groupList.rbegin(); it != m_groupList.rend(); ++it) {
        CGroup* g = *it;
        if (!g->m_bSelected)
            continue;
        CRect b;
        g->GetBounds(b, 0, 0);
        b.InflateRect(size, size);
        if (!b.PtInRect(pt))
            continue;
        if (const int h = g->HandleHitTest(pt, size)) {
            handle = h;
            return g;
        }
    }
    return nullptr;
}

CDiagObj* CKavoDoc::GetFrontMember(const CGroup* group) const
{
    CDiagObj* best = nullptr;
    int at = -1;
    for (const CGroup::Member& m : group ? group->m_members : std::vector<CGroup::Member>())
        if (const int i = m_pObjList->Find(m.obj); i > at) {
            at = i;
            best = m.obj;
        }
    return best;
}

CDiagObj* CKavoDoc::GetBackMember(const CGroup* group) const
{
    CDiagObj* best = nullptr;
    int at = -1;
    for (const CGroup::Member& m : group ? group->m_members : std::vector<CGroup::Member>())
        if (const int i = m_pObjList->Find(m.obj); i >= 0 && (at < 0 || i < at)) {
            at = i;
            best = m.obj;
        }
    return best;
}

int CKavoDoc::AskApplyToGroups(bool& answer)
{
    const int groups = int(std::count_if(m_groupList.begin(), m_groupList.end(),
                                         [](const CGroup* g) { return g->m_bSelected; }));
    answer = ApplyToGroups != 0;
    if (groups == 0 || !PromptForApplyToGroups)
        return groups;
    const char* text = FindResString(kApplyToGroupsQuestionId);
    const QuestionAnswer a = AskQuestion(text ? text : "");
    answer = a.button == IDYES;
    ApplyToGroups = answer ? 1 : 0;
    if (a.dontAskAgain)
        PromptForApplyToGroups = 0;
    return groups;
}
