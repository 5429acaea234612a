// The document's side of Undo: what it keeps beside each step, and how it
// puts its links in order after the records of a step were replayed, so that
// the document is the one the step found.
#include "document/CKavoDoc.h"
#include "document/FigSymbolCopy.h"

#include "core/UIMode.h"
#include "document/CStaple.h"
#include "document/UndoStepMemo.h"

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

std::vector<int32_t> CKavoDoc::TakeUndoStepMemo()
{
    std::vector<int32_t> memo{m_nNextId, m_nNextStpId, m_nNextGrpId, int32_t(m_pSelList->GetCount())};
    for (CDiagObj* o : *m_pSelList)
        memo.push_back(o->m_nId);
    for (CDiagObj* o : *m_pObjList)
        if (o->m_pStaple)
            memo.insert(memo.end(), {kMemoPinned, o->m_nId, o->m_pStaple->m_nId});
    for (const CGroup* g : m_groupList)
        if (g->m_bSelected)
            memo.insert(memo.end(), {kMemoGroupSelected, g->m_nId});
    // What Regroup would bring back goes back with the step too.
    memo.insert(memo.end(), {kMemoLastUngroup, m_lastUngroup.m_nId, m_lastUngroup.m_bSelected,
                             int32_t(m_lastUngroup.GetCount())});
    for (const CGroup::Member& m : m_lastUngroup.m_members)
        memo.insert(memo.end(), {kMemoLastUngroupMember, m.id});
    return memo;
}

namespace {
bool EndsAt(const CConnector* c, const CFigure* f)
{
    return c->m_pFig1 == f || c->m_pFig2 == f;
}

CConnector* ConById(const CObjList& objs, int32_t id)
{
    return id == -1 ? nullptr : static_cast<CConnector*>(objs.FindById(id, kObjConnector));
}

// The symbol copies the replayed step appended, last first: its records put
// every figure back on the symbol it stood on, so the copies are unused.
void DropStepSymbolCopies(CKavoDoc& doc, const std::vector<int32_t>& memo)
{
    std::vector<int32_t> copies;
    ForEachUndoMemoEntry(memo, kMemoSymbolCopy, [&](const int32_t* v) { copies.push_back(v[0]); });
    if (copies.empty())
        return;
    const int highestUsed = doc.HighestSymbolUsedByFigures();
    for (auto it = copies.rbegin(); it != copies.rend(); ++it)
        if (*it > highestUsed && !doc.m_figStyles.IsSymbolUsed(*it))
            DropEditSymbolCopy(doc, *it);
}
} // namespace

void CKavoDoc::RelinkAfterUndo(const std::vector<int32_t>* memo)
{
    // Attachment slots stay where they are while they still name a connector
    // that ends at the figure; slots the step changed come back from the
    // memo. Pointers to connectors gone are never followed.
    std::unordered_set<const CDiagObj*> live(m_pObjList->begin(), m_pObjList->end());
    for (CDiagObj* o : *m_pObjList)
        o->Relink(*m_pObjList);
    ForEachFigure([&](CFigure* f) {
        for (CConnector** slot : {&f->m_pAttachedCon1, &f->m_pAttachedCon2})
            if (*slot && (!live.count(*slot) || !EndsAt(*slot, f)))
                *slot = nullptr;
        if (f->m_pAttachedCon1 && f->m_pAttachedCon1 == f->m_pAttachedCon2)
            f->m_pAttachedCon2 = nullptr;
        f->m_nConnected = 0;
    });
    ForEachConnector([&](CConnector* c) {
        for (CFigure* f : {c->m_pFig1, c->m_pFig2}) {
            if (!f)
                continue;
            ++f->m_nConnected;
            // Without a memo a connector brought back takes a free slot.
            if (memo || f->m_pAttachedCon1 == c || f->m_pAttachedCon2 == c)
                continue;
            if (!f->m_pAttachedCon1)
                f->m_pAttachedCon1 = c;
            else if (!f->m_pAttachedCon2)
                f->m_pAttachedCon2 = c;
        }
    });
    if (!memo)
        return;
    // The earliest entry of a figure is its state before the step: apply
    // the entries last first.
    std::vector<const int32_t*> slots;
    ForEachUndoMemoEntry(*memo, kMemoFigSlots, [&](const int32_t* v) { slots.push_back(v); });
    for (auto it = slots.rbegin(); it != slots.rend(); ++it) {
        const int32_t* v = *it;
        auto* f = static_cast<CFigure*>(m_pObjList->FindById(v[0], kObjFigure));
        CConnector* c1 = ConById(*m_pObjList, v[1]);
        CConnector* c2 = ConById(*m_pObjList, v[2]);
        if (!f || (v[1] != -1 && (!c1 || !EndsAt(c1, f))) || (v[2] != -1 && (!c2 || !EndsAt(c2, f))))
            continue;
        f->m_pAttachedCon1 = c1;
        f->m_pAttachedCon2 = c2;
    }
}

void CKavoDoc::RestorePinnedStaples(const std::vector<int32_t>& memo)
{
    // Each object points at the staple it named when the step opened.
    std::unordered_map<int32_t, CDiagObj*> objects, staples;
    for (CDiagObj* o : *m_pObjList) {
        objects.emplace(o->m_nId, o);
        o->m_pStaple = nullptr;
    }
    for (CDiagObj* s : *m_pStapleList)
        staples.emplace(s->m_nId, s);
    ForEachUndoMemoEntry(memo, kMemoPinned, [&](const int32_t* v) {
        const auto o = objects.find(v[0]);
        const auto s = staples.find(v[1]);
        if (o != objects.end() && s != staples.end())
            o->second->m_pStaple = static_cast<CStaple*>(s->second);
    });
}

void CKavoDoc::RestoreSelectionAfterUndo(const std::vector<int32_t>* memo)
{
    std::vector<CDiagObj*> order;
    if (memo && memo->size() >= size_t(kMemoHeader)) {
        // The selection the step found, in its order.
        for (CDiagObj* o : *m_pObjList)
            o->m_bSelected = 0;
        const int32_t count = (*memo)[3];
        for (int32_t i = 0; i < count && size_t(kMemoHeader + i) < memo->size(); ++i)
            if (CDiagObj* o = m_pObjList->FindById((*memo)[size_t(kMemoHeader + i)]); o && !o->m_bSelected) {
                o->m_bSelected = 1;
                order.push_back(o);
            }
    } else {
        // The objects' selected flags decide: those still selected keep their
        // order, objects brought back follow in drawing order.
        for (CDiagObj* o : *m_pSelList)
            if (m_pObjList->Find(o) >= 0 && o->m_bSelected)
                order.push_back(o);
        for (CDiagObj* o : *m_pObjList)
            if (o->m_bSelected && std::find(order.begin(), order.end(), o) == order.end())
                order.push_back(o);
    }
    m_pSelList->RemoveAll();
    for (CDiagObj* o : order)
        m_pSelList->AddTail(o);
    for (CGroup* g : m_groupList) {
        g->m_bSelected = 0;
        if (memo) {
            ForEachUndoMemoEntry(*memo, kMemoGroupSelected, [&](const int32_t* v) {
                if (v[0] == g->m_nId)
                    g->m_bSelected = 1;
            });
            continue;
        }
        // A group is selected when one of its members is.
        for (const CGroup::Member& m : g->m_members)
            if (m.obj && m.obj->m_bSelected)
                g->m_bSelected = 1;
    }
}

void CKavoDoc::FinishUndoReplay(const std::vector<int32_t>* memo, bool relink)
{
    if (m_bConRemovedByUndo)
        UpdateAllViews(nullptr, 0, nullptr);
    m_bConRemovedByUndo = 0;
    if (relink)
        RelinkLinks(memo);
    if (memo && memo->size() >= 3) {
        m_nNextId = (*memo)[0];
        m_nNextStpId = (*memo)[1];
        m_nNextGrpId = (*memo)[2];
    }
    RestoreSelectionAfterUndo(memo);
    if (memo) {
        RestoreLastUngroup(*memo);
        DropStepSymbolCopies(*this, *memo);
    }
}

void CKavoDoc::RestoreLastUngroup(const std::vector<int32_t>& memo)
{
    bool found = false;
    ForEachUndoMemoEntry(memo, kMemoLastUngroup, [&](const int32_t* v) {
        if (found)
            return;
        found = true;
        m_lastUngroup.ClearMembers();
        m_lastUngroup.m_nId = v[0];
        m_lastUngroup.m_bSelected = v[1];
    });
    if (!found)
        return;
    ForEachUndoMemoEntry(memo, kMemoLastUngroupMember, [&](const int32_t* v) {
        m_lastUngroup.AddMember(m_pObjList->FindById(v[0]), v[0]);
    });
}

void CKavoDoc::RelinkLinks(const std::vector<int32_t>* memo)
{
    RelinkAfterUndo(memo);
    // Staples re-link against the objects and take their snapshots again:
    // every position a staple keeps came back with its records, so that is
    // its whole refit. A staple pass here would only restack, and take back
    // the z-order the records just restored.
    for (CDiagObj* s : *m_pStapleList)
        s->Relink(*m_pObjList);
    if (memo)
        RestorePinnedStaples(*memo);
    // An object listed in nested groups belongs to the last of them (the
    // outermost), as when the groups were made.
    for (CGroup* g : m_groupList) {
        g->ResolveMembers(*m_pObjList);
        for (const CGroup::Member& m : g->m_members)
            if (m.obj)
                m.obj->m_pGroup = g;
    }
    // The connectors at the last figure label restored are redrawn.
    CStaple* last = m_pLastRestoredStaple;
    m_pLastRestoredStaple = nullptr;
    if (last && m_pStapleList->Find(last) >= 0 && last->m_nType == kStapleFigLabel && last->m_pFig1)
        for (CConnector* c : {last->m_pFig1->m_pAttachedCon1, last->m_pFig1->m_pAttachedCon2})
            if (c)
                InvalidateObj(c);
}

namespace {
// A reshape, a stretched resize or a special-shape set-up points its figure
// at a fresh copy of the symbol, appended to the library. Once the step is
// undone nothing refers to those copies (no record left in the log predates
// them), so they go while they are last and unused; the last entry goes
// without shifting any index. Symbols the copies did not make are never
// dropped. A set-up over many figures leaves many copies behind.
void DropUndoneSymbolCopies(CKavoDoc& doc)
{
    const int highestUsed = doc.HighestSymbolUsedByFigures();
    for (int last = doc.m_figSymbols.GetCount() - 1; last >= 2 && last > highestUsed; --last)
        if (doc.m_figStyles.IsSymbolUsed(last) || !DropEditSymbolCopy(doc, last))
            return;
}
} // namespace

int CKavoDoc::UndoLastStep()
{
    if (!m_undo.m_hUndoBuf || !m_undo.m_pUndoBase || !m_undo.m_nUndoUsed ||
        m_undo.m_pUndoWrite == m_undo.m_pUndoBase)
        return 0;
    const int code = m_undo.Undo();
    UpdateTrunks(1);
    // The replay redraws objects where they now stand; where they stood
    // before (a moved figure's old connector legs, old handles) is cleared
    // only by redrawing the views whole.
    if (code != 0)
        UpdateAllViews(nullptr, 0, nullptr);
    // Undoing a scale returns to the select mode the user had.
    if (code == UDMAC_SCALE)
        EnterUIMode(6, 0);
    // Copies made before their step opened (a divider drag's, a stretched
    // new figure's) are not in its memo.
    if (code == UDMAC_RESHAPE || code == UDMAC_RESIZEFIG || code == UDMAC_CREATEFIG)
        DropUndoneSymbolCopies(*this);
    return code;
}
