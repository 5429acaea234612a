// Counts, filtered look-ups and the selection: the selection list keeps the
// selected figures and connectors in the order they were selected (newest at
// the tail), and every add and remove changes the list and the object's
// selected flag together.
#include "document/CKavoDoc.h"

#include "core/Settings.h"
#include "document/CStaple.h"
#include "document/MoveRoom.h"
#include "document/ObjIndex.h"

namespace {
// Filter kinds of the figure look-ups.
bool PassesFigFilter(const CFigure* f, int filter)
{
    const bool jct = f->IsInvisible();
    switch (filter) {
    case 2: return f->m_bLabel && !jct;
    case 4: return !f->m_bLabel && !jct && !f->HasPicture();
    case 5: return f->HasTextAreas();
    case 6: return f->m_bLabel && !f->IsStapled() && !jct && !f->HasPicture() && f->GetTextAreaCount() == 1;
    case 7:
    case 11: return !f->m_bLabel && !jct;
    case 8: return f->IsRedundantJct();
    case 9: return jct;
    case 10: return !jct;
    default: return true;
    }
}

int EffectiveGroupMode(int groupMode)
{
    return (groupMode == 2 && !PromptForApplyToGroups && ApplyToGroups) ? 1 : groupMode;
}

// The walk shared by the look-ups, newest selection first. `test` answers
// -1 to end the walk with null, 0 to pass the object over, 1 for a match.
template <class Test>
CDiagObj* SelLookup(const CObjList& sel, int groupMode, int* count, Test test)
{
    groupMode = EffectiveGroupMode(groupMode);
    if (count)
        *count = 0;
    CDiagObj *direct = nullptr, *grouped = nullptr;
    for (auto it = sel.end(); it != sel.begin();) {
        CDiagObj* o = *--it;
        const int t = test(o);
        if (t < 0)
            return nullptr;
        if (t == 0)
            continue;
        if (!o->m_pGroup || groupMode == 1) {
            if (!direct)
                direct = o;
            if (!count)
                break;
            ++*count;
        } else if (groupMode == 2) {
            if (!grouped)
                grouped = o;
            if (count)
                ++*count;
        }
    }
    return direct ? direct : grouped;
}

// The first two of the figure's connectors that pass; the number found.
template <class Test>
int ConsOnFig(const CObjList& objs, const CFigure* fig, CConnector*& first, CConnector*& second, Test test)
{
    first = second = nullptr;
    int n = 0;
    for (CDiagObj* o : objs) {
        if (o->GetType() != kObjConnector)
            continue;
        auto* c = static_cast<CConnector*>(o);
        if ((c->m_pFig1 != fig && c->m_pFig2 != fig) || !test(c))
            continue;
        if (n == 0)
            first = c;
        else if (n == 1)
            second = c;
        ++n;
    }
    return n;
}
} // namespace

// ---- counts and look-ups

int CKavoDoc::CountVisibleFigs() const
{
    int n = 0;
    ForEachFigure([&](CFigure* f) { n += f->IsInvisible() ? 0 : 1; });
    return n;
}

int CKavoDoc::CountAttachedLbls() const
{
    int n = 0;
    ForEachFigure([&](CFigure* f) { n += (f->m_bSelected && f->m_bLabel) ? 1 : 0; });
    return n;
}

CFigure* CKavoDoc::GetFirstSelFig(int filter, int groupMode, int* count) const
{
    return static_cast<CFigure*>(SelLookup(*m_pSelList, groupMode, count, [filter](CDiagObj* o) {
        if (o->GetType() != kObjFigure)
            return 0;
        // Kind 3 asks for connectors: a selected figure ends the look-up.
        if (filter == 3)
            return -1;
        return PassesFigFilter(static_cast<CFigure*>(o), filter) ? 1 : 0;
    }));
}

int CKavoDoc::CountSelFigs(int filter, int groupMode) const
{
    int n = 0;
    GetFirstSelFig(filter, groupMode, &n);
    return n;
}

CConnector* CKavoDoc::GetFirstSelCon(int filter, int groupMode, int* count) const
{
    return static_cast<CConnector*>(SelLookup(*m_pSelList, groupMode, count, [filter](CDiagObj* o) {
        if (o->GetType() != kObjConnector)
            return 0;
        return filter == 3 ? 1 : -1;
    }));
}

int CKavoDoc::CountSelCons(int filter, int groupMode) const
{
    int n = 0;
    GetFirstSelCon(filter, groupMode, &n);
    return n;
}

CDiagObj* CKavoDoc::GetFirstSelObj(int filter, int groupMode, int* count) const
{
    return SelLookup(*m_pSelList, groupMode, count, [filter](CDiagObj* o) {
        if (filter == 12 && o->GetType() == kObjConnector) {
            const auto* c = static_cast<CConnector*>(o);
            return (c->m_pFig1 || c->m_pFig2) ? 0 : 1;
        }
        return 1;
    });
}

CFigure* CKavoDoc::GetTopSelFig() const
{
    for (auto it = m_pSelList->end(); it != m_pSelList->begin();) {
        CDiagObj* o = *--it;
        if (o->GetType() == kObjFigure)
            return static_cast<CFigure*>(o);
    }
    return nullptr;
}

bool CKavoDoc::IsConSelectedOnFig(const CFigure* fig) const
{
    for (CDiagObj* o : *m_pSelList)
        if (o->GetType() == kObjConnector) {
            const auto* c = static_cast<CConnector*>(o);
            if (fig && (c->m_pFig1 == fig || c->m_pFig2 == fig))
                return true;
        }
    return false;
}

int CKavoDoc::GetConsOnFig(const CFigure* fig, CConnector*& first, CConnector*& second) const
{
    return ConsOnFig(*m_pObjList, fig, first, second, [](CConnector*) { return true; }) >= 2 ? 1 : 0;
}

int CKavoDoc::GetUnmarkedConsOnFig(const CFigure* fig, CConnector*& first, CConnector*& second) const
{
    return ConsOnFig(*m_pObjList, fig, first, second, [](CConnector* c) { return !c->m_bVisited; }) == 2 ? 1 : 0;
}

int CKavoDoc::GetUnselectedConsOnFig(const CFigure* fig, CConnector*& first, CConnector*& second) const
{
    return ConsOnFig(*m_pObjList, fig, first, second, [](CConnector* c) { return !c->m_bSelected; }) == 2 ? 1 : 0;
}

int CKavoDoc::CountMarkedObjs() const
{
    int n = 0;
    for (CDiagObj* o : *m_pObjList)
        n += o->m_bVisited ? 1 : 0;
    return n;
}

bool CKavoDoc::OverlapsLaterObj(const CDiagObj* obj, int passOn) const
{
    (void)passOn;
    const int at = m_pObjList->Find(obj);
    if (at < 0)
        return false;
    CRect rc;
    obj->GetBoundRect(rc, 1, 0);
    for (int i = at + 1; i < m_pObjList->GetCount(); ++i) {
        CDiagObj* o = m_pObjList->GetAt(i);
        if (o->GetType() == kObjConnector) {
            const auto* c = static_cast<CConnector*>(o);
            if (c->m_pFig1 != obj && c->m_pFig2 != obj && c->OverlapsRect(rc))
                return true;
        } else if (o->GetType() == kObjFigure) {
            CRect other, both;
            o->GetBoundRect(other, 1, 0);
            if (both.IntersectRect(rc, other))
                return true;
        }
    }
    return false;
}

void CKavoDoc::ClearTempFlags()
{
    m_pObjList->ClearTempFlags();
    m_pStapleList->ClearTempFlags();
}

// ---- adding and removing one object

namespace {
// The list and the flag change together: an object that cannot be listed
// is not flagged either.
bool ListSelected(CObjList& sel, CDiagObj* obj)
{
    obj->m_bSelected = 1;
    if (sel.AddTail(obj))
        return true;
    obj->m_bSelected = 0;
    return false;
}
} // namespace

bool CKavoDoc::AddFigToSel(CFigure* fig, int mode, bool redraw)
{
    return AddObjToSel(fig, mode, redraw);
}

bool CKavoDoc::AddConToSel(CConnector* con, int mode, bool redraw)
{
    return AddObjToSel(con, mode, redraw);
}

bool CKavoDoc::AddObjToSel(CDiagObj* obj, int mode, bool redraw)
{
    if (!obj || (obj->GetType() != kObjFigure && obj->GetType() != kObjConnector))
        return false;
    if (mode == 1)
        ClearSel(redraw);
    if (mode == 3 && obj->m_bSelected) {
        if (obj->GetType() == kObjFigure)
            RemoveFigFromSel(static_cast<CFigure*>(obj), redraw);
        else
            RemoveConFromSel(static_cast<CConnector*>(obj), redraw);
        return true;
    }
    if (obj->m_bSelected)
        return true;
    if (!ListSelected(*m_pSelList, obj))
        return false;
    if (redraw)
        InvalidateObj(obj);
    return true;
}

void CKavoDoc::AddGroupToSel(CGroup* group, int mode, bool redraw)
{
    if (!group)
        return;
    if (mode == 1)
        ClearSel(redraw);
    if (mode == 3 && group->m_bSelected) {
        if (redraw)
            InvalidateGroup(group);
        group->m_bSelected = 0;
        return;
    }
    group->m_bSelected = 1;
    if (redraw)
        InvalidateGroup(group);
}

namespace {
void Unselect(CKavoDoc& doc, CDiagObj* obj, bool redraw)
{
    if (!obj || !obj->m_bSelected)
        return;
    if (redraw)
        doc.InvalidateObj(obj);
    obj->m_bSelected = 0;
    doc.m_pSelList->Remove(obj);
}
} // namespace

void CKavoDoc::RemoveFigFromSel(CFigure* fig, bool redraw)
{
    Unselect(*this, fig, redraw);
}

void CKavoDoc::RemoveConFromSel(CConnector* con, bool redraw)
{
    Unselect(*this, con, redraw);
}

void CKavoDoc::ClearSel(bool redraw)
{
    if (GetSelCount() == 0 && m_pSelList->IsEmpty())
        return;
    // Front to back, each object as its own remove would; the list is
    // emptied at once.
    for (auto it = m_pSelList->end(); it != m_pSelList->begin();) {
        CDiagObj* o = *--it;
        if (redraw)
            InvalidateObj(o);
        o->m_bSelected = 0;
    }
    m_pSelList->RemoveAll();
    for (CGroup* g : m_groupList)
        if (g->m_bSelected) {
            if (redraw)
                InvalidateGroup(g);
            g->m_bSelected = 0;
        }
    m_rcSelBounds.SetRectEmpty();
}

bool CKavoDoc::Select(CDiagObj* obj)
{
    return AddObjToSel(obj, 2, true);
}

void CKavoDoc::RemoveFromSelection(CDiagObj* obj)
{
    if (obj && obj->GetType() == kObjFigure)
        RemoveFigFromSel(static_cast<CFigure*>(obj), false);
    else if (obj && obj->GetType() == kObjConnector)
        RemoveConFromSel(static_cast<CConnector*>(obj), false);
}

void CKavoDoc::ClearSelection()
{
    ClearSel(true);
}

// ---- selection with cascades

namespace {
// Holds the update lock at a value for one selection change and gives the
// caller's value back afterwards.
class UpdateLockScope {
public:
    UpdateLockScope(int32_t& lock, int value) : m_lock(lock), m_saved(lock) { m_lock = value; }
    ~UpdateLockScope() { m_lock = m_saved; }
    UpdateLockScope(const UpdateLockScope&) = delete;
    UpdateLockScope& operator=(const UpdateLockScope&) = delete;

private:
    int32_t& m_lock;
    int32_t m_saved;
};
} // namespace

namespace {
// The shared course of SelectObj and SelectConAndEnds: mode 1 clears first;
// a selected object in mode 2 only becomes the newest; otherwise `mark`
// marks what goes with it and everything marked is selected. The update
// lock holds the caller's value meanwhile.
template <class Mark>
void SelectWithCascade(CKavoDoc& doc, CDiagObj* obj, int& mode, int lock, Mark mark)
{
    if (mode == 1) {
        doc.ClearSel(true);
        mode = 2;
    }
    UpdateLockScope scope(doc.m_nUpdateLock, lock);
    if (mode == 2 && obj->m_bSelected) {
        doc.m_pSelList->MoveTo(obj, doc.m_pSelList->GetCount() - 1);
        return;
    }
    doc.BeginMarkPass();
    mark();
    doc.SelectMarked(mode);
    doc.EndMarkPass(0);
}
} // namespace

int CKavoDoc::SelectObj(CDiagObj* obj, int mode, int lock, int hint)
{
    if (!obj)
        return 0;
    SelectWithCascade(*this, obj, mode, lock, [&] { MarkObj(obj, mode); });
    RefreshSelection(hint);
    return 1;
}

int CKavoDoc::SelectConAndEnds(CConnector* con, int mode, int lock, bool withEnds)
{
    if (!con)
        return 0;
    SelectWithCascade(*this, con, mode, lock, [&] {
        MarkObjCascade(con, mode, false);
        for (int end = 1; withEnds && end <= 2; ++end)
            if (CFigure* f = con->GetEndFig(end); f && !con->EndSlidesVert(end) && !con->EndSlidesHorz(end))
                MarkFigCascade(f, mode);
    });
    RefreshSelection(0);
    KeepMoveRoomOnOneAxis(m_moveSet);
    return CMoveSet::kUnlimited;
}

void CKavoDoc::SelectInRect(const CRect& rect, int mode)
{
    if (mode == 1) {
        ClearSel(true);
        mode = 2;
    }
    CRect rc = rect;
    rc.NormalizeRect();
    // Only objects whose reach meets the band can lie wholly inside it.
    std::vector<CDiagObj*> near;
    if (CObjIndex::IsEnabled())
        ObjIndex().Query(rc, near);
    else
        near.assign(m_pObjList->begin(), m_pObjList->end());
    BeginMarkPass();
    for (CDiagObj* o : near) {
        if (o->m_pGroup)
            continue;
        if (o->GetType() == kObjConnector) {
            auto* c = static_cast<CConnector*>(o);
            if (c->IsInRectEnds(rc))
                MarkObjCascade(c, mode, false);
        } else if (o->GetType() == kObjFigure) {
            auto* f = static_cast<CFigure*>(o);
            if (f->IsAllInRect(rc))
                MarkFigCascade(f, mode);
        }
    }
    for (CGroup* g : m_groupList)
        if (g->IsInsideRect(rc))
            MarkGroupMembers(g, mode);
    SelectMarked(mode);
    EndMarkPass(0);
    RefreshSelection(0);
}

namespace {
// Every object that passes, front to back, then every group that passes.
template <class ObjTest, class GroupTest>
void SelectWhere(CKavoDoc& doc, int mode, ObjTest objTest, GroupTest groupTest)
{
    std::vector<CDiagObj*> found;
    for (auto it = doc.m_pObjList->end(); it != doc.m_pObjList->begin();) {
        CDiagObj* o = *--it;
        if (objTest(o))
            found.push_back(o);
    }
    for (CDiagObj* o : found)
        doc.AddObjToSel(o, mode, true);
    for (CGroup* g : doc.m_groupList)
        if (groupTest(g))
            doc.AddGroupToSel(g, mode, true);
}
} // namespace

void CKavoDoc::SelectMarked(int mode)
{
    SelectWhere(*this, mode, [](const CDiagObj* o) { return o->m_bVisited != 0; },
                [](const CGroup* g) { return g->m_bVisited != 0; });
}

void CKavoDoc::SelectFlagged(int mode)
{
    if (mode == 1) {
        ClearSel(true);
        mode = 2;
    }
    SelectWhere(*this, mode, [](const CDiagObj* o) { return o->m_bSetFlag != 0; },
                [](const CGroup* g) { return g->m_nSpare1 != 0; });
    RefreshSelection(0);
}

int CKavoDoc::DeselectAllObjs()
{
    const bool any = GetSelCount() > 0;
    ClearSel(true);
    RefreshSelection(0);
    return any ? 1 : 0;
}

void CKavoDoc::SelectAll()
{
    std::vector<CDiagObj*> all(m_pObjList->begin(), m_pObjList->end());
    for (auto it = all.rbegin(); it != all.rend(); ++it)
        AddObjToSel(*it, 2, true);
    for (CGroup* g : m_groupList)
        AddGroupToSel(g, 2, true);
    RefreshSelection(0);
}

void CKavoDoc::RefreshSelection(int hint)
{
    (void)hint;
    BuildMoveContext(m_pSelList.get(), m_pObjList.get(), 0, 0);
}

void CKavoDoc::ReselectAfterUndo()
{
    m_pSelList->RemoveAll();
    BeginMarkPass();
    for (CDiagObj* o : *m_pObjList)
        if (o->m_bSelected) {
            o->m_bSelected = 0;
            MarkObj(o, 2);
        }
    SelectMarked(2);
    EndMarkPass(0);
    RefreshSelection(0);
}
