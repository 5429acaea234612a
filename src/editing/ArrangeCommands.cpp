#include "editing/ArrangeCommands.h"

#include "core/GridSnap.h"
#include "document/ArrangeUnits.h"
#include "document/CKavoDoc.h"
#include "document/CStaple.h"
#include "document/LabelAttach.h"
#include "document/PageLayout.h"
#include "undo/UndoCodes.h"

#include <climits>
#include <set>
#include <vector>

namespace {
// One arrange unit: an object, a whole group, or a connector or lateral
// label that slides along its connector.
struct Unit {
    CDiagObj* obj = nullptr;
    CGroup* group = nullptr;
    CStaple* slide = nullptr;
    CRect rc;
};

CRect ConnectorRect(const CConnector* con)
{
    CRect rc(con->EndPoint1, con->EndPoint2);
    rc.NormalizeRect();
    return rc;
}

CRect GroupRect(const CGroup* group)
{
    CRect rc;
    group->GetBounds(rc, 0, 0);
    return rc;
}

std::vector<CDiagObj*> SelectionInOrder(const CKavoDoc& doc)
{
    return std::vector<CDiagObj*>(doc.m_pSelList->begin(), doc.m_pSelList->end());
}

// Moves one unit by (dx, dy): a sliding label along its connector, anything
// else as a list of its own with the move context of an arrange command.
void MoveUnit(CKavoDoc& doc, const Unit& u, int dx, int dy)
{
    if (dx == 0 && dy == 0)
        return;
    if (u.slide) {
        // Along its connector, staying on the side it is on.
        const CPoint c = u.rc.CenterPoint();
        SlideConLabel(doc, static_cast<CFigure*>(u.obj), c.x + dx, c.y + dy);
        return;
    }
    CObjList list;
    if (u.group) {
        for (const CGroup::Member& m : u.group->m_members)
            if (m.obj && !list.AddTail(m.obj))
                return;
    } else if (!list.AddTail(u.obj)) {
        return;
    }
    doc.BuildMoveContext(&list, doc.m_pObjList.get(), 0, 2);
    doc.MoveObjList(&list, dx, dy, 1, false);
}

// The unit of a selected object for Align; false when it is skipped.
bool AlignUnitOf(CDiagObj* o, std::set<CGroup*>& done, Unit& u)
{
    u = Unit();
    u.obj = o;
    if (o->GetType() == kObjConnector && !static_cast<CConnector*>(o)->IsFree())
        return false;
    if (o->m_pGroup) {
        if (!done.insert(o->m_pGroup).second)
            return false;
        u.group = o->m_pGroup;
        u.rc = GroupRect(u.group);
        return true;
    }
    if (o->GetType() == kObjConnector) {
        u.rc = ConnectorRect(static_cast<CConnector*>(o));
        return true;
    }
    if (o->GetType() != kObjFigure)
        return false;
    auto* fig = static_cast<CFigure*>(o);
    u.rc = fig->m_rect;
    if (!fig->m_bLabel)
        return true;
    if (fig->IsFigLabel() || fig->IsFlowLabel())
        return false;
    if ((fig->IsConLabel() || fig->IsLatLabel()) && fig->m_pStaple && fig->m_pStaple->m_pCon) {
        if (fig->m_pStaple->m_pCon->m_bSelected)
            return false;
        u.slide = fig->m_pStaple;
    }
    return true;
}

int AlignValue(const CRect& rc, int type)
{
    switch (type) {
    case 0: return rc.left;
    case 1: return rc.left + (rc.right - rc.left) / 2;
    case 2: return rc.right;
    case 3: return rc.top;
    case 4: return rc.top + (rc.bottom - rc.top) / 2;
    default: return rc.bottom;
    }
}

int AlignWorker(CKavoDoc& doc, int type)
{
    if (CountArrangeUnits(doc, true, true) < 2)
        return 0;
    const std::vector<CDiagObj*> sel = SelectionInOrder(doc);
    std::set<CGroup*> done;
    CDiagObj* ref = sel.back();
    CRect refRect = ref->GetType() == kObjConnector ? ConnectorRect(static_cast<CConnector*>(ref))
                                                     : static_cast<CFigure*>(ref)->m_rect;
    if (ref->m_pGroup) {
        refRect = GroupRect(ref->m_pGroup);
        done.insert(ref->m_pGroup);
    }
    const int target = AlignValue(refRect, type);
    int moved = 0;
    for (auto it = sel.rbegin() + 1; it != sel.rend(); ++it) {
        Unit u;
        if (!AlignUnitOf(*it, done, u))
            continue;
        const int offset = target - AlignValue(u.rc, type);
        if (offset == 0)
            continue;
        MoveUnit(doc, u, type <= 2 ? offset : 0, type <= 2 ? 0 : offset);
        ++moved;
    }
    doc.UpdateAllStaples(0);
    return moved;
}

// ---- Space Evenly

bool IsSpacingKind(int kind)
{
    return kind == 4 || kind == 8;
}

// The key a unit is ordered by in a pass of the kind.
int SpaceKey(const CRect& rc, int kind)
{
    switch (kind) {
    case 1: return rc.left + (rc.right - rc.left) / 2;
    case 2:
    case 4: return rc.left;
    case 3: return rc.right;
    case 5: return rc.top + (rc.bottom - rc.top) / 2;
    case 6:
    case 8: return rc.top;
    default: return rc.bottom;
    }
}

std::vector<Unit> SpaceUnits(const CKavoDoc& doc)
{
    std::vector<Unit> units;
    std::set<CGroup*> taken;
    for (CDiagObj* o : SelectionInOrder(doc)) {
        Unit u;
        u.obj = o;
        if (o->GetType() == kObjFigure) {
            auto* fig = static_cast<CFigure*>(o);
            if (fig->IsInvisible() || (fig->m_bLabel && fig->m_pStaple))
                continue;
            u.rc = fig->m_rect;
        } else if (o->GetType() == kObjConnector && static_cast<CConnector*>(o)->IsFree()) {
            u.rc = ConnectorRect(static_cast<CConnector*>(o));
        } else {
            continue;
        }
        if (o->m_pGroup) {
            if (!taken.insert(o->m_pGroup).second)
                continue;
            u.group = o->m_pGroup;
            u.rc = GroupRect(u.group);
        }
        units.push_back(u);
    }
    return units;
}

struct Extent {
    int minKey = INT_MAX, maxKey = INT_MIN;
    int minNear = INT_MAX, maxFar = INT_MIN;   // left and right (or top and bottom)
    long long total = 0;                        // summed widths (or heights)
};

Extent MeasureUnits(const std::vector<Unit>& units, int kind)
{
    const bool horz = kind <= 4;
    Extent e;
    for (const Unit& u : units) {
        const int key = SpaceKey(u.rc, kind);
        e.minKey = std::min(e.minKey, key);
        e.maxKey = std::max(e.maxKey, key);
        e.minNear = std::min(e.minNear, horz ? int(u.rc.left) : int(u.rc.top));
        e.maxFar = std::max(e.maxFar, horz ? int(u.rc.right) : int(u.rc.bottom));
        e.total += horz ? u.rc.Width() : u.rc.Height();
    }
    return e;
}

// Picks the unplaced unit with the smallest key; the first in selection
// order wins a tie. Every key is a candidate, however large.
int PickSmallest(const std::vector<Unit>& units, const std::vector<bool>& placed, int kind)
{
    int best = -1;
    for (size_t i = 0; i < units.size(); ++i)
        if (!placed[i] && (best < 0 || SpaceKey(units[i].rc, kind) < SpaceKey(units[size_t(best)].rc, kind)))
            best = int(i);
    return best;
}

void SpacePass(CKavoDoc& doc, int kind)
{
    if (CountArrangeUnits(doc, true, false) <= 2)
        return;
    const std::vector<Unit> units = SpaceUnits(doc);
    const int n = int(units.size());
    if (n < 3)
        return;
    const bool horz = kind <= 4, spacing = IsSpacingKind(kind);
    const int grid = horz ? doc.m_nSnapX : doc.m_nSnapY;
    const bool snap = doc.m_bAlignToGrid && !spacing;
    Extent e = MeasureUnits(units, kind);
    if (snap)
        for (int* v : {&e.minKey, &e.maxKey, &e.minNear, &e.maxFar})
            SnapToGridStep(*v, grid);
    int step = spacing ? int((e.maxFar - e.total - e.minNear) / (n - 1)) : (e.maxKey - e.minKey) / (n - 1);
    if (snap)
        SnapToGridStep(step, grid);
    int target = e.minKey;
    std::vector<bool> placed(size_t(n), false);
    for (int i = 0; i < n; ++i) {
        const int pick = PickSmallest(units, placed, kind);
        if (pick < 0)
            break;
        placed[size_t(pick)] = true;
        const Unit& u = units[size_t(pick)];
        const int offset = spacing && i == 0 ? 0 : target - SpaceKey(u.rc, kind);
        if (spacing)
            target = (horz ? int(u.rc.right) : int(u.rc.bottom)) + offset + step;
        else
            target += step;
        MoveUnit(doc, u, horz ? offset : 0, horz ? 0 : offset);
    }
}

void AfterArrange(CKavoDoc& doc)
{
    doc.BuildMoveContext(doc.m_pSelList.get(), doc.m_pObjList.get(), 0, 1);
}
} // namespace

int ArrangeAlign(CKavoDoc& doc, int type)
{
    doc.UndoBeginStep(UDMAC_ALIGN);
    const int moved = AlignWorker(doc, type);
    doc.UndoEndStep();
    AfterArrange(doc);
    return moved;
}

void ArrangeSpaceEvenly(CKavoDoc& doc, int horzKind, int vertKind)
{
    if (horzKind < 0 || horzKind > 4)
        horzKind = 0;
    if (vertKind != 0 && (vertKind < 5 || vertKind > 8))
        vertKind = 0;
    if (horzKind == 0 && vertKind == 0)
        return;
    doc.UndoBeginStep(UDMAC_SPACEEVEN);
    if (horzKind)
        SpacePass(doc, horzKind);
    if (vertKind)
        SpacePass(doc, vertKind);
    doc.UndoEndStep();
    AfterArrange(doc);
}

void ArrangeCenterOnPage(CKavoDoc& doc, int mode)
{
    doc.UndoBeginStep(UDMAC_CENTERPG);
    CRect page;
    GetPageAreaRect(doc, page);
    const CRect sel = doc.GetObjSetRect(1, 0, 0, nullptr, false);
    const CPoint pc = page.CenterPoint(), sc = sel.CenterPoint();
    int dx = mode == 0 || mode == 2 ? pc.x - sc.x : 0;
    int dy = mode == 1 || mode == 2 ? pc.y - sc.y : 0;
    if (doc.m_bAlignToGrid) {
        SnapToGridStep(dx, doc.m_nSnapX);
        SnapToGridStep(dy, doc.m_nSnapY);
    }
    if ((dx || dy) && doc.HasSelection()) {
        doc.BuildMoveContext(doc.m_pSelList.get(), doc.m_pObjList.get(), 0, 1);
        doc.MoveObjList(doc.m_pSelList.get(), dx, dy, 1, false);
    }
    doc.UndoEndStep();
    AfterArrange(doc);
}

bool OnArrangeCommand(CKavoDoc& doc, int id)
{
    if (id >= 33190 && id <= 33195)
        ArrangeAlign(doc, id - 33190);
    else if (id >= 40013 && id <= 40016)
        ArrangeSpaceEvenly(doc, id - 40012, 0);
    else if (id >= 40017 && id <= 40020)
        ArrangeSpaceEvenly(doc, 0, id - 40012);
    else if (id >= 40010 && id <= 40012)
        ArrangeCenterOnPage(doc, id - 40010);
    else
        return false;
    return true;
}
