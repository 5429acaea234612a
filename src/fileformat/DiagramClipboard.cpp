#include "fileformat/DiagramClipboard.h"

#include "document/CKavoDoc.h"
#include "document/CStaple.h"
#include "document/Placement.h"
#include "fileformat/CPasteLoadObj.h"
#include "fileformat/DocFileHooks.h"
#include "undo/UndoCodes.h"

#include <algorithm>
#include <map>
#include <utility>
#include <vector>

namespace {
// The document of the last copy and the centre of what it copied. Only
// compared, never followed: the document may be gone.
const CKavoDoc* g_pCopySource = nullptr;
CPoint g_copyCentre;

bool IsCopied(const CDiagObj* obj)
{
    return !obj || obj->m_bSelected;
}

// The copy set: the selection completed with what its objects need. The
// writer writes the objects that carry the selected flag, so the set is
// flagged that way for the copy and given back when this goes.
class CopySetFlags {
public:
    explicit CopySetFlags(CKavoDoc& doc) : m_doc(doc)
    {
        AddContainerContents();
        AddLinkedFigures();
        AddJunctionsAndLinks();
        DropLooseJunctions();
        AddLabelsAndStaples();
        AddGroups();
    }
    ~CopySetFlags()
    {
        for (auto& [g, members] : m_groupMembers)
            g->m_members = std::move(members);
        for (CIdObj* o : m_flagged)
            o->ClearSelectedFlag();
        for (CIdObj* o : m_unflagged)
            o->SetSelectedFlag();
    }
    CopySetFlags(const CopySetFlags&) = delete;
    CopySetFlags& operator=(const CopySetFlags&) = delete;

private:
    bool Flag(CIdObj* o)
    {
        if (!o || o->m_bSelected)
            return false;
        o->SetSelectedFlag();
        m_flagged.push_back(o);
        return true;
    }
    void Unflag(CIdObj* o)
    {
        o->ClearSelectedFlag();
        const auto it = std::find(m_flagged.begin(), m_flagged.end(), o);
        if (it != m_flagged.end())
            m_flagged.erase(it);
        else
            m_unflagged.push_back(o);
    }
    static bool IsJunction(const CFigure* f) { return f && f->IsInvisible(); }

    // What lies inside a copied active container goes with it.
    void AddContainerContents()
    {
        std::vector<CFigure*> containers;
        m_doc.ForEachFigure([&](CFigure* f) {
            if (f->m_bSelected && f->HasFlags(0x20000000, 0))
                containers.push_back(f);
        });
        if (containers.empty())
            return;
        m_doc.BeginMarkPass();
        for (CFigure* c : containers)
            m_doc.FindObjsInsideFig(c, 1);
        m_doc.EndMarkPass(0);
        for (CDiagObj* o : *m_doc.m_pObjList)
            if (o->m_bVisited)
                Flag(o);
    }

    // A copied figure takes the figures linked to it, and a figure linked
    // to another by a link that binds both ways takes its leader; so on
    // along chains of links. The links themselves follow as staples whose
    // objects are all copied.
    void AddLinkedFigures()
    {
        for (bool grew = true; grew;) {
            grew = false;
            for (CDiagObj* o : *m_doc.m_pStapleList) {
                auto* s = static_cast<CStaple*>(o);
                if (s->m_nType != kStapleFigLink || !s->m_pFig1 || !s->m_pFig2 || s->m_pFig1 == s->m_pFig2)
                    continue;
                if (s->m_pFig1->m_bSelected)
                    grew |= Flag(s->m_pFig2);
                else if (s->m_pFig2->m_bSelected && s->IsTwoWayFor(s->m_pFig2))
                    grew |= Flag(s->m_pFig1);
            }
        }
    }

    // A copied connector takes the junctions it ends on; a connector whose
    // two end figures are both copied goes too, so that chains through
    // junctions and connectors between copied figures stay whole.
    void AddJunctionsAndLinks()
    {
        for (bool grew = true; grew;) {
            grew = false;
            m_doc.ForEachConnector([&](CConnector* c) {
                if (c->m_bSelected) {
                    for (int end = 1; end <= 2; ++end)
                        if (IsJunction(c->GetEndFig(end)))
                            grew |= Flag(c->GetEndFig(end));
                } else if (c->m_pFig1 && c->m_pFig2 && c->m_pFig1->m_bSelected && c->m_pFig2->m_bSelected) {
                    grew |= Flag(c);
                }
            });
        }
    }

    // A junction that fewer than two copied connectors end on is left out.
    void DropLooseJunctions()
    {
        std::vector<CFigure*> loose;
        m_doc.ForEachFigure([&](CFigure* f) {
            if (!f->m_bSelected || !IsJunction(f))
                return;
            int ends = 0;
            m_doc.ForEachConnector([&](const CConnector* c) {
                ends += c->m_bSelected && (c->m_pFig1 == f || c->m_pFig2 == f) ? 1 : 0;
            });
            if (ends < 2)
                loose.push_back(f);
        });
        for (CFigure* f : loose)
            Unflag(f);
    }

    // A label whose staple's other objects are all copied, then every staple
    // whose objects are all copied.
    void AddLabelsAndStaples()
    {
        for (CDiagObj* o : *m_doc.m_pStapleList) {
            auto* s = static_cast<CStaple*>(o);
            CFigure* label = s->m_pFig2 && s->m_pFig2->m_bLabel ? s->m_pFig2
                             : s->m_pFig1 && s->m_pFig1->m_bLabel ? s->m_pFig1
                                                                  : nullptr;
            if (!label)
                continue;
            const bool ownersCopied = IsCopied(s->m_pCon) && (s->m_pFig1 == label || IsCopied(s->m_pFig1)) &&
                                      (s->m_pFig2 == label || IsCopied(s->m_pFig2));
            const bool hasOwner =
                s->m_pCon || (s->m_pFig1 && s->m_pFig1 != label) || (s->m_pFig2 && s->m_pFig2 != label);
            if (hasOwner && ownersCopied)
                Flag(label);
        }
        for (CDiagObj* o : *m_doc.m_pStapleList) {
            auto* s = static_cast<CStaple*>(o);
            if (IsCopied(s->m_pCon) && IsCopied(s->m_pFig1) && IsCopied(s->m_pFig2))
                Flag(s);
        }
    }

    // A group goes with its copied members and holds only those while the
    // copy is written: the ids of members left behind would name other
    // objects in the copy. A group needs two members, so one copied member
    // leaves its group behind.
    void AddGroups()
    {
        for (CGroup* g : m_doc.m_groupList) {
            std::vector<CGroup::Member> copied;
            for (const CGroup::Member& m : g->m_members)
                if (m.obj && m.obj->m_bSelected)
                    copied.push_back(m);
            if (copied.size() < 2)
                continue;
            if (copied.size() != g->m_members.size()) {
                m_groupMembers.emplace_back(g, g->m_members);
                g->m_members = std::move(copied);
            }
            Flag(g);
        }
    }

    CKavoDoc& m_doc;
    std::vector<CIdObj*> m_flagged;     // flagged here
    std::vector<CIdObj*> m_unflagged;   // selected, but left out
    std::vector<std::pair<CGroup*, std::vector<CGroup::Member>>> m_groupMembers;   // given back
};

// The copy numbers its objects, staples and groups from 1 while it is
// written, whatever ids they have in their diagram, so that a copy of a
// diagram with more than 32767 objects stays within the id range of the
// pasted-object reader. Every id is given back when this goes.
class CopyIdScope {
public:
    explicit CopyIdScope(CKavoDoc& doc)
    {
        std::map<const CDiagObj*, int32_t> ids;
        int32_t next = 1;
        for (CDiagObj* o : *doc.m_pObjList)
            if (o->m_bSelected)
                ids[o] = next++;
        auto idOf = [&](const CDiagObj* o, int32_t stored) {
            const auto it = ids.find(o);
            return it != ids.end() ? it->second : o ? -1 : stored;
        };
        for (const auto& [o, id] : ids) {
            Set(const_cast<CDiagObj*>(o)->m_nId, id);
            if (o->GetType() == kObjConnector) {
                auto* c = static_cast<CConnector*>(const_cast<CDiagObj*>(o));
                Set(c->m_nFigId1, idOf(c->m_pFig1, c->m_nFigId1));
                Set(c->m_nFigId2, idOf(c->m_pFig2, c->m_nFigId2));
            }
        }
        int32_t nextStaple = 1;
        for (CDiagObj* o : *doc.m_pStapleList) {
            auto* st = static_cast<CStaple*>(o);
            if (!st->m_bSelected)
                continue;
            Set(st->m_nId, nextStaple++);
            Set(st->m_nConId, idOf(st->m_pCon, st->m_nConId));
            Set(st->m_nFig1Id, idOf(st->m_pFig1, st->m_nFig1Id));
            Set(st->m_nFig2Id, idOf(st->m_pFig2, st->m_nFig2Id));
        }
        int32_t nextGroup = 1;
        for (CGroup* g : doc.m_groupList)
            if (g->m_bSelected)
                Set(g->m_nId, nextGroup++);
    }
    ~CopyIdScope()
    {
        for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it)
            *it->first = it->second;
    }
    CopyIdScope(const CopyIdScope&) = delete;
    CopyIdScope& operator=(const CopyIdScope&) = delete;

private:
    void Set(int32_t& field, int32_t value)
    {
        m_saved.emplace_back(&field, field);
        field = value;
    }
    std::vector<std::pair<int32_t*, int32_t>> m_saved;
};

CPoint CentreOfSelected(const CKavoDoc& doc)
{
    CRect all;
    bool any = false;
    for (CDiagObj* o : *doc.m_pObjList) {
        if (!o->m_bSelected)
            continue;
        CRect rc;
        o->GetBoundRect(rc, 0, 0);
        if (any)
            all.UnionRect(all, rc);
        else
            all = rc;
        any = true;
    }
    return all.CenterPoint();
}

// The pasted objects (flagged by the reader) become the selection; the
// staples' flags only marked them as copied.
void SelectPasted(CKavoDoc& doc)
{
    std::vector<CDiagObj*> pasted;
    for (CDiagObj* o : *doc.m_pObjList)
        if (o->m_bSelected) {
            o->ClearSelectedFlag();
            pasted.push_back(o);
        }
    for (CDiagObj* o : pasted)
        doc.Select(o);
    for (CDiagObj* s : *doc.m_pStapleList)
        s->ClearSelectedFlag();
}

// One creation record per pasted object, staple and group, walking each
// list from its end; false when the log refuses one.
bool LogPastedCreations(CKavoDoc& doc, int firstObjId, int firstStpId, int firstGrpId)
{
    for (auto it = doc.m_pObjList->end(); it != doc.m_pObjList->begin();) {
        CDiagObj* o = *--it;
        if (o->m_nId >= firstObjId &&
            !doc.LogIdRecord(o->GetType() == kObjFigure ? UDOC_FIGCREATE : UDOC_CONCREATE, o->m_nId))
            return false;
    }
    for (auto it = doc.m_pStapleList->end(); it != doc.m_pStapleList->begin();) {
        CDiagObj* s = *--it;
        if (s->m_nId >= firstStpId && !doc.LogIdRecord(UDOC_STPCREATE, s->m_nId))
            return false;
    }
    for (auto it = doc.m_groupList.rbegin(); it != doc.m_groupList.rend(); ++it)
        if ((*it)->m_nId >= firstGrpId && !doc.LogIdRecord(UDOC_GRPCREATE, (*it)->m_nId))
            return false;
    return true;
}
// The style menus as a paste found them.
struct StyleMenus {
    explicit StyleMenus(const CKavoDoc& doc) : lbl(doc.m_lblMenu), fig(doc.m_figMenu), con(doc.m_conMenu) {}
    void Restore(CKavoDoc& doc) const
    {
        doc.m_lblMenu = lbl;
        doc.m_figMenu = fig;
        doc.m_conMenu = con;
    }
    CLabelStyleMenu lbl;
    CFigureStyleMenu fig;
    CConnectorStyleMenu con;
};

// The text pasted as one undo step with the given code, the pasted objects
// selected; false, with no step left behind, when the paste fails.
bool PasteAsStep(CKavoDoc& doc, const std::string& text, int code)
{
    const int firstObj = doc.m_nNextId, firstStp = doc.m_nNextStpId, firstGrp = doc.m_nNextGrpId;
    doc.ClearSelection();
    doc.UndoBeginStep(code);
    if (!PasteDiagramText(doc, text)) {
        // The reader took back what it had added: no step is left behind.
        doc.UndoEndStep();
        doc.UndoLogRef().DiscardLastUndoStep();
        return false;
    }
    const bool logged = LogPastedCreations(doc, firstObj, firstStp, firstGrp);
    doc.UndoEndStep();
    if (!logged)
        doc.ResetUndoLog();
    SelectPasted(doc);
    doc.RefreshSelection();
    return true;
}
} // namespace

std::string CopyDiagramObjects(CKavoDoc& doc)
{
    if (doc.m_pSelList->IsEmpty())
        return std::string();
    CPoint centre;
    std::string text;
    {
        const CopySetFlags set(doc);
        centre = CentreOfSelected(doc);
        const CopyIdScope ids(doc);
        text = CopySelectionText(doc);
    }
    if (text.empty())
        return text;
    g_pCopySource = &doc;
    g_copyCentre = centre;
    ResetPasteOffset();
    return text;
}

bool PasteDiagramObjects(CKavoDoc& doc, const std::string& text)
{
    if (text.rfind("KAVO", 0) != 0)
        return false;
    const bool source = g_pCopySource == &doc;
    const CPoint target = doc.GetNewObjPos();
    PlacementState& place = GetPlacementState();
    if (source && IsPasteOriginUnset()) {
        // The first paste into the copied diagram: the copy's centre goes to
        // the new-object position; later pastes step on from there.
        place.origin[0] = target.x - g_copyCentre.x;
        place.origin[1] = target.y - g_copyCentre.y;
    }
    // Another diagram takes the copy at its own place, then step by step.
    doc.m_nPasteOffsetX = (source ? place.origin[0] : 0) + place.offsetX;
    doc.m_nPasteOffsetY = (source ? place.origin[1] : 0) + place.offsetY;

    const int figStyles = doc.m_figStyles.GetCount(), conStyles = doc.m_conStyles.GetCount();
    const StyleMenus menus(doc);
    if (!PasteAsStep(doc, text, UDMAC_PASTE)) {
        menus.Restore(doc);
        return false;
    }
    const bool newStyles = doc.m_figStyles.GetCount() != figStyles || doc.m_conStyles.GetCount() != conStyles;
    if (!newStyles) {
        // Nothing new for the style menus: they stay as they were, so that
        // undoing the paste gives the document back unchanged.
        menus.Restore(doc);
    } else if (GetDocFileHooks().rebuildStyleBar) {
        GetDocFileHooks().rebuildStyleBar();
    }
    return true;
}

bool DuplicateSelectionInPlace(CKavoDoc& doc, int dx, int dy)
{
    if (doc.m_pSelList->IsEmpty())
        return false;
    std::string text;
    {
        const CopySetFlags set(doc);
        const CopyIdScope ids(doc);
        text = CopySelectionText(doc);
    }
    if (text.empty())
        return false;
    const int offsetX = doc.m_nPasteOffsetX, offsetY = doc.m_nPasteOffsetY;
    doc.m_nPasteOffsetX = dx;
    doc.m_nPasteOffsetY = dy;
    // Duplicates bring no styles of their own, so the style menus stay as
    // they are (the paste reader would rebuild them from the pasted text).
    const StyleMenus menus(doc);
    const bool pasted = PasteAsStep(doc, text, UDMAC_DUPLICATE);
    doc.m_nPasteOffsetX = offsetX;
    doc.m_nPasteOffsetY = offsetY;
    menus.Restore(doc);
    return pasted;
}

void ResetDiagramClipboardState()
{
    g_pCopySource = nullptr;
    g_copyCentre = CPoint();
}
