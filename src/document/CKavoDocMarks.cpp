// Marking passes and the cascade rules that decide which objects go with
// which: a junction passes its mark on to its connectors, a connector to the
// connectors that continue it through redundant junctions, a grouped object
// to its whole group. With the clear flag every rule unmarks instead, and an
// object already in the target state ends the cascade (which also ends
// cycles).
#include "document/CKavoDoc.h"

#include "core/Trace.h"
#include "document/CStaple.h"
#include "platform/GdiObjects.h"
#include "platform/GdiTypes.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

namespace {
int32_t Target(bool clear)
{
    return clear ? 0 : 1;
}
} // namespace

void CKavoDoc::BeginMarkPass()
{
    m_bMarking = 1;
    for (CDiagObj* o : *m_pObjList)
        o->m_bVisited = 0;
    for (CDiagObj* s : *m_pStapleList)
        s->m_bVisited = 0;
    for (CGroup* g : m_groupList)
        g->m_bVisited = 0;
}

void CKavoDoc::EndMarkPass(int mode)
{
    m_bMarking = 0;
    if (mode == 0 || mode == 2)
        return;
    UpdateGroupMarks();
    for (CDiagObj* o : *m_pStapleList) {
        auto* s = static_cast<CStaple*>(o);
        s->m_bVisited = s->IsAnyPinnedMarked() ? 1 : 0;
    }
}

void CKavoDoc::UpdateGroupMarks()
{
    // Every group is completed, until no group gains a member: a member
    // marked for one group may complete another.
    for (bool changed = true; changed;) {
        changed = false;
        for (CGroup* g : m_groupList) {
            g->MarkIfAllMembersMarked();
            if (!g->m_bVisited)
                continue;
            for (const CGroup::Member& m : g->m_members)
                if (m.obj && !m.obj->m_bVisited) {
                    MarkObj(m.obj, 1);
                    changed = true;
                }
        }
    }
}

// The cascade runs from a work list, not by recursion: groups that overlap
// in a chain (each sharing a member with the next) or a long chain of
// connectors through junctions would otherwise nest one call per link, and
// a few thousand links exhaust the stack. A call made while a cascade runs
// (the steps below call the public entries) only queues its step; the
// outermost call works the list off before it returns, so callers see the
// whole cascade done.
namespace {
struct CascadeStep {
    enum Kind { Fig, Con, Group, JctCons } kind;
    void* target;
    int mode;
    bool withEnds;
    bool clear;
};

struct CascadeRun {
    std::vector<CascadeStep> pending;
    // Member id -> the groups that list it, built when a grouped object
    // first needs it (the groups do not change while marks spread).
    std::unordered_map<int32_t, std::vector<CGroup*>> groupsOf;
    bool indexed = false;
};

thread_local CascadeRun* t_cascade = nullptr;
} // namespace

void CKavoDoc::RunMarkCascadeStep(int kind, void* target, int mode, bool withEnds, bool clear)
{
    if (t_cascade) {
        t_cascade->pending.push_back({CascadeStep::Kind(kind), target, mode, withEnds, clear});
        return;
    }
    CascadeRun run;
    t_cascade = &run;
    struct Detach {
        ~Detach() { t_cascade = nullptr; }
    } detach;
    run.pending.push_back({CascadeStep::Kind(kind), target, mode, withEnds, clear});
    auto groupsListing = [&](int32_t id, auto&& each) {
        if (!run.indexed) {
            for (CGroup* g : m_groupList)
                for (const CGroup::Member& m : g->m_members)
                    run.groupsOf[m.id].push_back(g);
            run.indexed = true;
        }
        // A group that lists the id twice is met twice; its own mark stops
        // the second visit.
        if (const auto it = run.groupsOf.find(id); it != run.groupsOf.end())
            for (CGroup* g : it->second)
                each(g);
    };
    while (!run.pending.empty()) {
        const CascadeStep st = run.pending.back();
        run.pending.pop_back();
        const int32_t target = Target(st.clear);
        // An object is marked once per walk; the first visit returns true.
        const auto visit = [target](CIdObj* o) {
            if (!o || o->m_bVisited == target)
                return false;
            o->m_bVisited = target;
            return true;
        };
        // Marking spreads to every group that lists the object.
        const auto spreadToGroups = [&](const CDiagObj* o) {
            if (!st.clear && o->m_pGroup)
                groupsListing(o->m_nId, [&](CGroup* g) { MarkGroupMembers(g, st.mode, st.clear); });
        };
        switch (st.kind) {
        case CascadeStep::Fig: {
            auto* fig = static_cast<CFigure*>(st.target);
            if (!visit(fig))
                break;
            const bool jct = fig->IsInvisible();
            if ((jct && fig->m_nConnected < 2 && st.mode != 3) || fig->IsRedundantJct())
                MarkJctCons(fig, st.mode, st.clear);
            spreadToGroups(fig);
            break;
        }
        case CascadeStep::Con: {
            auto* con = static_cast<CConnector*>(st.target);
            if (!visit(con))
                break;
            for (int end = 1; end <= 2; ++end)
                MarkObjCascade(GetConEndFig(end, con, false), st.mode, st.withEnds, st.clear);
            if (st.withEnds)
                for (int end = 1; end <= 2; ++end) {
                    CFigure* f = con->GetEndFig(end);
                    if (f && f->IsInvisible() && (f->IsRedundantJct() || f->m_nConnected < 2))
                        f->m_bVisited = target;
                }
            spreadToGroups(con);
            break;
        }
        case CascadeStep::Group: {
            auto* group = static_cast<CGroup*>(st.target);
            if (!visit(group))
                break;
            for (const CGroup::Member& m : group->m_members)
                MarkObj(m.obj, st.mode, st.clear);
            break;
        }
        case CascadeStep::JctCons: {
            auto* jct = static_cast<CFigure*>(st.target);
            std::vector<CConnector*> cons;
            if (jct->m_nConnected <= 2) {
                for (CConnector* c : {jct->m_pAttachedCon1, jct->m_pAttachedCon2})
                    if (c)
                        cons.push_back(c);
            } else {
                ForEachConnector([&](CConnector* c) {
                    if ((c->m_pFig1 == jct || c->m_pFig2 == jct) && int(cons.size()) < jct->m_nConnected)
                        cons.push_back(c);
                });
            }
            for (CConnector* c : cons)
                MarkObjCascade(c, st.mode, false, st.clear);
            break;
        }
        }
    }
}

void CKavoDoc::MarkObj(CDiagObj* obj, int mode, bool clear)
{
    if (!obj)
        return;
    if (obj->GetType() == kObjFigure)
        MarkFigCascade(static_cast<CFigure*>(obj), mode, clear);
    else if (obj->GetType() == kObjConnector)
        MarkObjCascade(static_cast<CConnector*>(obj), mode, false, clear);
}

void CKavoDoc::MarkFigCascade(CFigure* fig, int mode, bool clear)
{
    if (fig)
        RunMarkCascadeStep(CascadeStep::Fig, fig, mode, false, clear);
}

void CKavoDoc::MarkJctCons(CFigure* jct, int mode, bool clear)
{
    if (jct)
        RunMarkCascadeStep(CascadeStep::JctCons, jct, mode, false, clear);
}

void CKavoDoc::MarkObjCascade(CConnector* con, int mode, bool withEnds, bool clear)
{
    if (con)
        RunMarkCascadeStep(CascadeStep::Con, con, mode, withEnds, clear);
}

void CKavoDoc::MarkGroupMembers(CGroup* group, int mode, bool clear)
{
    if (group)
        RunMarkCascadeStep(CascadeStep::Group, group, mode, false, clear);
}

void CKavoDoc::MarkSelection(int mode)
{
    for (CDiagObj* o : std::vector<CDiagObj*>(m_pSelList->begin(), m_pSelList->end()))
        if (!o->m_bVisited)
            MarkObj(o, mode);
}

CConnector* CKavoDoc::GetConEndFig(int end, CConnector* con, bool sameDirection)
{
    CFigure* jct = con ? con->GetEndFig(end) : nullptr;
    if (!jct || !jct->IsRedundantJct())
        return nullptr;
    // From the junction's slots, else by a walk (the slots stay as they are:
    // a lookup changes nothing that undo would have to give back).
    CConnector* other = jct->OtherAttachedCon(con);
    if (!other)
        ForEachConnector([&](CConnector* c) {
            if (!other && c != con && (c->m_pFig1 == jct || c->m_pFig2 == jct))
                other = c;
        });
    if (other && sameDirection && other->GetEndFig(end) == jct)
        return nullptr;
    return other;
}

// ---- chain marking for cuts and carried objects

void CKavoDoc::MarkChainFromFig(CFigure* fig, int conMode)
{
    if (!fig || fig->m_bVisited)
        return;
    fig->m_bVisited = 1;
    // Labels pinned to the figure go with it.
    for (CDiagObj* o : std::vector<CDiagObj*>(m_pStapleList->begin(), m_pStapleList->end())) {
        auto* s = static_cast<CStaple*>(o);
        if (s->m_nType == kStapleFigLabel && s->m_pFig1 == fig && s->m_pFig2)
            MarkChainFromFig(s->m_pFig2, conMode);
    }
    if (m_bCutting || conMode) {
        MarkAttachedCons(fig);
    } else {
        // Only chains that lead back to the figure (or a figure linked with
        // it) are carried along.
        std::vector<CConnector*> cons;
        ForEachConnector([&](CConnector* c) {
            if (c->m_pFig1 == fig || c->m_pFig2 == fig)
                cons.push_back(c);
        });
        for (CConnector* c : cons) {
            const std::vector<CConnector*> chain = GetConChain(c);
            const CConnector* head = chain.front();
            const CConnector* tail = chain.back();
            const CFigure* a = head->GetEndFig(head->m_pFig1 && head->m_pFig1->IsRedundantJct() ? 2 : 1);
            const CFigure* b = tail->GetEndFig(tail->m_pFig2 && tail->m_pFig2->IsRedundantJct() ? 1 : 2);
            auto own = [&](const CFigure* f) { return f == fig || (f && FindFigLinkBetween(fig, f)); };
            if (own(a) && own(b))
                for (CConnector* k : chain)
                    MarkObjCascade(k, 1, true);
        }
        MarkFigLinkCons(fig);
    }
    if (fig->HasFlags(0x20000000, 0))
        FindObjsInsideFig(fig, 1);
}

void CKavoDoc::MarkAttachedCons(CFigure* fig)
{
    std::vector<CConnector*> cons;
    ForEachConnector([&](CConnector* c) {
        if (c->m_pFig1 == fig || c->m_pFig2 == fig)
            cons.push_back(c);
    });
    // During a cut the two unselected connectors of an automatic junction
    // stay, to be merged once it is gone.
    const bool keepForMerge = m_bCutting && fig->AutoDelJct && fig->IsRedundantJct();
    for (CConnector* c : cons)
        if (!(keepForMerge && !c->m_bSelected))
            MarkConChain(c);
}

void CKavoDoc::MarkConChain(CConnector* con)
{
    MarkObjCascade(con, 1, true);
}

void CKavoDoc::MarkFigLinkCons(CFigure* fig)
{
    for (CDiagObj* o : *m_pStapleList) {
        auto* s = static_cast<CStaple*>(o);
        if (s->m_nType != kStapleFigLink || (s->m_pFig1 != fig && s->m_pFig2 != fig))
            continue;
        const CFigure* other = s->m_pFig1 == fig ? s->m_pFig2 : s->m_pFig1;
        ForEachConnector([&](CConnector* c) {
            if ((c->m_pFig1 == fig && c->m_pFig2 == other) || (c->m_pFig2 == fig && c->m_pFig1 == other))
                MarkObjCascade(c, 1, true);
        });
    }
}

void CKavoDoc::SaveAndClearMarks()
{
    m_pObjList->SaveAndClearMarks();
    m_pStapleList->SaveAndClearMarks();
    for (CGroup* g : m_groupList) {
        g->m_bSavedMark = g->m_bVisited;
        g->m_bVisited = 0;
    }
}

void CKavoDoc::MergeSavedMarks()
{
    m_pObjList->RestoreMarks();
    m_pStapleList->RestoreMarks();
    for (CGroup* g : m_groupList)
        g->m_bVisited = (g->m_bVisited || g->m_bSavedMark) ? 1 : 0;
}

namespace {
// The marks of a nested walk are kept on a stack of their own: containers
// inside containers save again before the outer walk merges.
struct SavedMarks {
    std::vector<int32_t> objs, staples, groups;
};

SavedMarks SaveMarks(CKavoDoc& doc)
{
    SavedMarks s;
    for (CDiagObj* o : *doc.m_pObjList) {
        s.objs.push_back(o->m_bVisited);
        o->m_bVisited = 0;
    }
    for (CDiagObj* o : *doc.m_pStapleList) {
        s.staples.push_back(o->m_bVisited);
        o->m_bVisited = 0;
    }
    for (CGroup* g : doc.m_groupList) {
        s.groups.push_back(g->m_bVisited);
        g->m_bVisited = 0;
    }
    return s;
}

// OR-merges the saved marks back; lists that changed length meanwhile keep
// their current marks.
void MergeMarks(CKavoDoc& doc, const SavedMarks& s)
{
    if (size_t(doc.m_pObjList->GetCount()) == s.objs.size()) {
        size_t i = 0;
        for (CDiagObj* o : *doc.m_pObjList)
            o->m_bVisited = (o->m_bVisited || s.objs[i++]) ? 1 : 0;
    }
    if (size_t(doc.m_pStapleList->GetCount()) == s.staples.size()) {
        size_t i = 0;
        for (CDiagObj* o : *doc.m_pStapleList)
            o->m_bVisited = (o->m_bVisited || s.staples[i++]) ? 1 : 0;
    }
    if (doc.m_groupList.size() == s.groups.size())
        for (size_t i = 0; i < s.groups.size(); ++i)
            doc.m_groupList[i]->m_bVisited = (doc.m_groupList[i]->m_bVisited || s.groups[i]) ? 1 : 0;
}
} // namespace

void CKavoDoc::FindObjsInsideFig(CFigure* container, int mode)
{
    if (!container || container->m_pGroup)
        return;
    // A container inside itself (two of the same rectangle) is not walked
    // again.
    static thread_local std::vector<const CFigure*> s_walking;
    if (std::find(s_walking.begin(), s_walking.end(), container) != s_walking.end())
        return;
    s_walking.push_back(container);
    const SavedMarks saved = SaveMarks(*this);
    std::vector<CPoint> outline;
    CRgn region;
    const bool useRegion = container->GetOutlinePoints(outline) > 3 &&
                           region.CreatePolygonRgn(outline.data(), int(outline.size()), WINDING);
    const CRect box = container->m_rect;
    auto inside = [&](const POINT& p) { return useRegion ? region.PtInRegion(p.x, p.y) : box.PtInRect(p); };
    // A grouped object counts by its whole group, tested against the same
    // outline as ungrouped ones.
    auto groupInside = [&](const CDiagObj* o) {
        return o->m_pGroup && (useRegion ? o->m_pGroup->IsInsideRegion(region) : o->m_pGroup->IsInsideRect(box));
    };
    const bool labelLike = container->m_bLabel != 0;
    bool any = false;
    std::vector<CDiagObj*> walk(m_pObjList->begin(), m_pObjList->end());
    for (auto it = walk.rbegin(); it != walk.rend(); ++it) {
        CDiagObj* o = *it;
        if (o == container) {
            if (labelLike)
                break;
            continue;
        }
        if (m_pObjList->Find(o) < 0)
            continue;
        if (o->GetType() == kObjConnector) {
            auto* c = static_cast<CConnector*>(o);
            if (o->m_pGroup ? groupInside(o) : (inside(c->EndPoint1) && inside(c->EndPoint2))) {
                MarkObjCascade(c, 2, true);
                any = true;
            }
        } else if (o->GetType() == kObjFigure) {
            auto* f = static_cast<CFigure*>(o);
            if (f->IsRedundantJct() || (mode == 2 && f->m_bSelected))
                continue;
            const bool in = o->m_pGroup ? groupInside(o)
                                        : (useRegion ? f->IsAllInRgn(region) : f->IsAllInRect(box));
            if (in) {
                MarkChainFromFig(f, 0);
                any = true;
            }
        }
    }
    MergeMarks(*this, saved);
    s_walking.pop_back();
    if (any)
        UpdateGroupMarks();
}

void CKavoDoc::MarkForCut()
{
    m_bCutting = 1;
    for (CDiagObj* o : std::vector<CDiagObj*>(m_pSelList->begin(), m_pSelList->end())) {
        if (o->m_bVisited)
            continue;
        if (o->GetType() == kObjConnector)
            MarkConChain(static_cast<CConnector*>(o));
        else if (o->GetType() == kObjFigure)
            MarkChainFromFig(static_cast<CFigure*>(o), 0);
    }
    UpdateGroupMarks();
    m_bCutting = 0;
}

void CKavoDoc::CutObjAndCascade(CDiagObj* obj)
{
    if (!obj)
        return;
    BeginMarkPass();
    if (obj->GetType() == kObjFigure)
        MarkChainFromFig(static_cast<CFigure*>(obj), 0);
    else
        MarkObj(obj, 1);
    EndMarkPass(1);
    CutCascadedObjs();
    SetModifiedFlag(true);
}
