// Moving lists of objects with their connector ends, the drag feedback and
// the z-order commands. Moves take the document's drag list (the objects the
// move context found to follow the moving selection); every record is
// written before anything changes, so a refused record leaves the document
// as it was.
#include "document/CKavoDoc.h"

#include "core/Trace.h"
#include "document/CStaple.h"
#include "document/FigTextServices.h"
#include "geometry/IntGeometry.h"
#include "geometry/SymbolSpace.h"

#include <algorithm>
#include <new>

namespace {
constexpr int kUnlimited = CMoveSet::kUnlimited;

// The offsets one object of the drag list takes.
struct ConEndMove {
    int dx1, dy1, dx2, dy2;
};

// Move state of a connector: 1 / 2 an end moved with its sliding point,
// with the axes it slid on: end 1 x 4, y 8; end 2 x 16, y 32.
constexpr int kSlidX1 = 4, kSlidY1 = 8, kSlidX2 = 16, kSlidY2 = 32;

ConEndMove ConOffsets(const CConnector* c, int dx, int dy)
{
    const int fixed = c->m_nFixedAxes, state = c->m_nMoveState;
    ConEndMove m{(fixed & 8) ? 0 : dx, (fixed & 4) ? 0 : dy, (fixed & 0x20) ? 0 : dx, (fixed & 0x10) ? 0 : dy};
    // An end that slid with its point has moved on that axis already.
    if (state & kSlidX1)
        m.dx1 = 0;
    if (state & kSlidY1)
        m.dy1 = 0;
    if (state & kSlidX2)
        m.dx2 = 0;
    if (state & kSlidY2)
        m.dy2 = 0;
    return m;
}

void FigOffsets(const CFigure* f, int dx, int dy, int& fx, int& fy)
{
    fx = (f->m_nFixedAxes & 2) ? 0 : dx;
    fy = (f->m_nFixedAxes & 1) ? 0 : dy;
}

void ClampAxis(int lo, int hi, int min, int max, int& d)
{
    if ((long long)lo + d < min)
        d = min - lo;
    else if ((long long)hi + d > max)
        d = max - hi;
}

void KeepOffsetInside(const CRect& rc, const CRect& space, int& dx, int& dy)
{
    if (rc.IsRectNull())
        return;
    ClampAxis(rc.left, rc.right, space.left, space.right, dx);
    ClampAxis(rc.top, rc.bottom, space.top, space.bottom, dy);
}

void ShiftRoom(int32_t& v, int delta)
{
    if (v != kUnlimited)
        v += delta;
}

// One sliding connection point: the point of a held figure that moving
// connector ends take along.
struct SlidingPoint {
    CFigure* fig;
    int32_t id;
    int mx, my;
    std::vector<std::pair<CConnector*, int>> moving;   // connector and end
    bool shared;                                        // a connector that stays is attached too
};
} // namespace

int CKavoDoc::MoveSelection(int dx, int dy, int passOn, bool drop)
{
    if (dx == 0 && dy == 0)
        return 0;
    m_undo.UndoBeginStep(UDMAC_MOVEOBJS);
    const int moved = MoveObjList(m_pSelList.get(), dx, dy, passOn, drop);
    m_undo.UndoEndStep();
    return moved;
}

int CKavoDoc::MoveObjList(const CObjList* list, int dx, int dy, int passOn, bool pinSwitch)
{
    (void)passOn;
    const CObjList* drag = m_moveSet.GetList();
    if (!list || list->IsEmpty() || (dx == 0 && dy == 0) || !drag || drag->IsEmpty())
        return 0;
    const std::vector<CDiagObj*> objs(drag->begin(), drag->end());
    // The moved objects stay inside the work space: the offset is cut so
    // that their bounds end on its sides (a figure keeps its size).
    CRect moved;
    for (CDiagObj* o : objs) {
        CRect rc;
        o->GetBoundRect(rc, 0, 0);
        UnionRectSkipEmpty(moved, rc);
    }
    KeepOffsetInside(moved, m_rcWorkSpace, dx, dy);
    if (dx == 0 && dy == 0)
        return 0;

    // Connector ends on held figures whose points can slide go with them.
    for (CDiagObj* o : *m_pObjList)
        o->m_nMoveState = 0;
    std::vector<SlidingPoint> slides;
    for (CDiagObj* o : objs) {
        if (o->GetType() != kObjConnector)
            continue;
        auto* c = static_cast<CConnector*>(o);
        for (int end = 1; end <= 2; ++end) {
            CFigure* f = c->GetEndFig(end);
            const int32_t id = end == 1 ? c->m_nConPtId1 : c->m_nConPtId2;
            if (!f || id == -1)
                continue;
            const bool heldX = c->m_nFixedAxes & (end == 1 ? 8 : 0x20), heldY = c->m_nFixedAxes & (end == 1 ? 4 : 0x10);
            const int mx = (dx && !heldX && (f->m_nFixedAxes & 2) && c->EndSlidesHorz(end)) ? dx : 0;
            const int my = (dy && !heldY && (f->m_nFixedAxes & 1) && c->EndSlidesVert(end)) ? dy : 0;
            if (!mx && !my)
                continue;
            f->m_nMoveState |= 1;
            c->m_nMoveState |= end | (mx ? (end == 1 ? kSlidX1 : kSlidX2) : 0) | (my ? (end == 1 ? kSlidY1 : kSlidY2) : 0);
            auto it = std::find_if(slides.begin(), slides.end(),
                                   [&](const SlidingPoint& s) { return s.fig == f && s.id == id; });
            if (it == slides.end())
                it = slides.insert(slides.end(), SlidingPoint{f, id, mx, my, {}, false});
            it->moving.emplace_back(c, end);
        }
    }
    for (SlidingPoint& s : slides)
        ForEachConnector([&](CConnector* c) {
            for (int end = 1; end <= 2; ++end)
                if (c->GetEndFig(end) == s.fig && (end == 1 ? c->m_nConPtId1 : c->m_nConPtId2) == s.id &&
                    !(c->m_nMoveState & end))
                    s.shared = true;
        });

    // With the pin switch (the nudge), a pinned figure whose host stays
    // slides only along the host's side; its link is renewed afterwards.
    struct PinNudge {
        CFigure* fig;
        int fx, fy;
        CFigure* host;
        int rowId;
    };
    std::vector<PinNudge> nudges;
    for (CDiagObj* o : objs) {
        auto* f = o->GetType() == kObjFigure ? static_cast<CFigure*>(o) : nullptr;
        PinNudge n{f, 0, 0, nullptr, -1};
        if (!pinSwitch || !f)
            continue;
        FigOffsets(f, dx, dy, n.fx, n.fy);
        if (LimitPinMove(f, n.fx, n.fy, &n.host, n.rowId))
            nudges.push_back(n);
    }
    auto figOffsets = [&nudges, dx, dy](const CFigure* f, int& fx, int& fy) {
        for (const PinNudge& n : nudges)
            if (n.fig == f) {
                fx = n.fx;
                fy = n.fy;
                return;
            }
        FigOffsets(f, dx, dy, fx, fy);
    };
    const bool anyMoves = std::any_of(objs.begin(), objs.end(), [&](const CDiagObj* o) {
        int fx = dx, fy = dy;
        if (o->GetType() == kObjFigure)
            figOffsets(static_cast<const CFigure*>(o), fx, fy);
        return fx || fy;
    });
    if (!anyMoves)
        return 0;

    // Every record first.
    std::vector<const CFigure*> loggedPts;
    for (const SlidingPoint& s : slides)
        if (std::find(loggedPts.begin(), loggedPts.end(), s.fig) == loggedPts.end()) {
            if (!LogFigConPts(s.fig))
                return 0;
            loggedPts.push_back(s.fig);
        }
    for (CDiagObj* o : objs) {
        if (o->GetType() == kObjFigure) {
            int fx, fy;
            figOffsets(static_cast<CFigure*>(o), fx, fy);
            if ((fx || fy) && !LogFigRect(static_cast<CFigure*>(o)))
                return 0;
        } else if (o->GetType() == kObjConnector) {
            if (!LogConnectorEnds(UDOC_CONMOVE, static_cast<CConnector*>(o)))
                return 0;
        }
    }

    // Groups with a moving member are redrawn at both places.
    for (CGroup* g : m_groupList)
        g->m_bMoved = 0;
    for (CDiagObj* o : objs)
        if (o->m_pGroup)
            o->m_pGroup->m_bMoved = 1;
    for (CGroup* g : m_groupList)
        if (g->m_bMoved)
            InvalidateGroup(g);

    for (const SlidingPoint& s : slides) {
        InvalidateObj(s.fig);
        int32_t id = s.id;
        CPoint at;
        if (!s.fig->m_pConPts || !s.fig->m_pConPts->GetConPtPoint(s.id, s.fig->m_rect, at))
            continue;
        at.Offset(s.mx, s.my);
        if (s.shared) {
            // The connectors that stay keep the point: the moving ones take
            // a point at the moved place.
            CFltPoint pos;
            PointToSymbolFraction(pos.x, pos.y, at, s.fig->m_rect);
            const int found = s.fig->m_pConPts->AddConPt(pos, "", 0, false, -1);
            if (found > 0)
                id = found;
        } else {
            s.fig->m_pConPts->MoveConPt(s.id, s.fig->m_rect, s.mx, s.my);
        }
        for (const auto& [c, end] : s.moving) {
            (end == 1 ? c->m_nConPtId1 : c->m_nConPtId2) = id;
            (end == 1 ? c->EndPoint1 : c->EndPoint2).Offset(s.mx, s.my);
        }
    }

    // Figures first: a connector's ends are worked out again against the
    // figures where they now are.
    for (CDiagObj* o : objs) {
        if (o->GetType() != kObjFigure)
            continue;
        auto* f = static_cast<CFigure*>(o);
        int fx, fy;
        figOffsets(f, fx, fy);
        if (!fx && !fy)
            continue;
        InvalidateObj(f);
        f->Offset(fx, fy, false, true);
        InvalidateObj(f);
        if (f->m_bLabel && f->m_pStaple && f->m_pStaple->m_pFig1 && f->m_pStaple->m_pFig1 != f)
            InvalidateObj(f->m_pStaple->m_pFig1);
    }
    for (CDiagObj* o : objs) {
        auto* c = o->GetType() == kObjConnector ? static_cast<CConnector*>(o) : nullptr;
        if (!c || (c->m_nMoveState & 3) == 3)
            continue;
        const ConEndMove m = ConOffsets(c, dx, dy);
        InvalidateObj(c);
        c->OffsetEnds(m.dx1, m.dy1, m.dx2, m.dy2);
        InvalidateObj(c);
    }
    for (CGroup* g : m_groupList)
        if (g->m_bMoved)
            InvalidateGroup(g);
    UpdateAllStaples(1);
    for (const PinNudge& n : nudges)
        PinFigToHost(n.fig, n.host, n.rowId);
    SetModifiedFlag(true);
    ShiftRoom(m_moveSet.m_nUp, dy);
    ShiftRoom(m_moveSet.m_nDown, -dy);
    ShiftRoom(m_moveSet.m_nRight, -dx);
    ShiftRoom(m_moveSet.m_nLeft, dx);
    return 1;
}

bool CKavoDoc::ResizeFigWithUndo(CFigure* fig, const CRect& rc, int passOn)
{
    (void)passOn;
    if (!fig || !SetFigRect(fig, rc))
        return false;
    InvalidateAttachedCons(fig);
    return true;
}

bool CKavoDoc::SetTextRotationWithUndo(CFigure* fig, int rotation, int passOn)
{
    (void)passOn;
    if (!fig || !LogFigRect(fig) || !LogTextRotation(fig))
        return false;
    InvalidateObj(fig);
    fig->m_nTextRotate = int16_t(rotation);
    // A turned text asks for another size: the figure follows it (the
    // rectangle record above takes the size back on undo).
    if (const FigTextServices& svc = GetFigTextServices(); svc.resizeToText)
        svc.resizeToText(*fig);
    InvalidateObj(fig);
    InvalidateAttachedCons(fig);
    SetModifiedFlag(true);
    return true;
}

// ---- drag feedback

void CKavoDoc::TrackDragObjs(CDC* dc, int dx, int dy)
{
    const CObjList* drag = m_moveSet.GetList();
    if (!drag)
        return;
    const CFigure::FeedbackContext ctx;
    for (CDiagObj* o : *drag) {
        if (o->GetType() == kObjConnector) {
            auto* c = static_cast<CConnector*>(o);
            const ConEndMove m = ConOffsets(c, dx, dy);
            ConEndOffsets offs;
            offs.fig1 = offs.free1 = CSize(m.dx1, m.dy1);
            offs.fig2 = offs.free2 = CSize(m.dx2, m.dy2);
            CPoint p1, p2;
            c->DrawTracking(dc, offs, false, false, p1, p2);
        } else if (o->GetType() == kObjFigure) {
            auto* f = static_cast<CFigure*>(o);
            int fx, fy;
            FigOffsets(f, dx, dy, fx, fy);
            f->OffsetAndDraw(dc, ctx, fx, fy, false);
        }
    }
}

void CKavoDoc::TrackFigDrag(CDC* dc, bool show, CFigure* fig, int dx, int dy)
{
    if (!fig)
        return;
    const CFigure::FeedbackContext ctx;
    fig->OffsetAndDraw(dc, ctx, dx, dy, false);
    if (!fig->IsConLabel())
        return;
    // The connector a dropped connector label would go to is shown too.
    if (m_pDragTargetCon && m_pObjList->Find(m_pDragTargetCon) >= 0) {
        const CConnector* c = m_pDragTargetCon;
        c->Draw(dc, c->EndPoint1.x, c->EndPoint1.y, c->EndPoint2.x, c->EndPoint2.y, false);
    }
    m_pDragTargetCon = nullptr;
    if (show) {
        const CPoint c = fig->GetCenter();
        m_pDragTargetCon = FindConNearPoint(c.x + dx, c.y + dy);
        if (const CConnector* t = m_pDragTargetCon)
            t->Draw(dc, t->EndPoint1.x, t->EndPoint1.y, t->EndPoint2.x, t->EndPoint2.y, false);
    }
}

// ---- z-order

namespace {
// Front: walking from the back, each selected object goes to the tail; back:
// walking from the front, each goes to the head. At most as many moves as
// objects are selected.
void MoveSelToEnd(CKavoDoc& doc, bool toFront)
{
    CObjList& list = *doc.m_pObjList;
    doc.UndoBeginStep(toFront ? UDMAC_FRONT : UDMAC_BACK);
    std::vector<CDiagObj*> order(list.begin(), list.end());
    if (!toFront)
        std::reverse(order.begin(), order.end());
    int left = doc.GetSelCount();
    bool moved = false;
    // A refused record stops the walk; closing the step takes back the
    // moves made before it.
    for (auto it = order.begin(); it != order.end() && left > 0; ++it) {
        CDiagObj* o = *it;
        if (!o->m_bSelected)
            continue;
        if (!doc.LogObjOrder(o))
            break;
        list.MoveTo(o, toFront ? list.GetCount() - 1 : 0);
        doc.InvalidateObj(o);
        moved = true;
        --left;
    }
    if (moved) {
        doc.UpdateAllStaples(1);
        doc.SetModifiedFlag(true);
    }
    doc.UndoEndStep();
    doc.RefreshSelection(0);
}
} // namespace

void CKavoDoc::BringToFront()
{
    MoveSelToEnd(*this, true);
}

void CKavoDoc::SendToBack()
{
    MoveSelToEnd(*this, false);
}

namespace {
// The first object in front of (step +1) or behind (-1) the object that
// overlaps it; a grouped neighbour stands for its group's front-most
// (back-most) member.
CDiagObj* OverlappingNeighbour(const CKavoDoc& doc, const CDiagObj* obj, int step)
{
    const CObjList& list = *doc.m_pObjList;
    CRect rc;
    obj->GetBoundRect(rc, 1, 0);
    for (int i = list.Find(obj) + step; i >= 0 && i < list.GetCount(); i += step) {
        CDiagObj* o = list.GetAt(i);
        CRect other, both;
        if (o->m_pGroup && o->m_pGroup != obj->m_pGroup) {
            o->m_pGroup->GetBounds(other, 1, 0);
            if (both.IntersectRect(rc, other))
                return step > 0 ? doc.GetFrontMember(o->m_pGroup) : doc.GetBackMember(o->m_pGroup);
            continue;
        }
        o->GetBoundRect(other, 1, 0);
        if (both.IntersectRect(rc, other))
            return o;
    }
    return nullptr;
}
} // namespace

namespace {
// One step forward (+1) or back (-1) past the first overlapping neighbour;
// only with exactly one object selected.
void MoveOneStep(CKavoDoc& doc, int step, int code)
{
    if (doc.GetSelCount() != 1)
        return;
    CDiagObj* obj = *doc.m_pSelList->begin();
    CDiagObj* next = OverlappingNeighbour(doc, obj, step);
    if (!next || next == obj)
        return;
    doc.UndoBeginStep(code);
    if (doc.LogObjOrder(obj)) {
        doc.m_pObjList->Remove(obj);
        doc.m_pObjList->InsertAt(doc.m_pObjList->Find(next) + (step > 0 ? 1 : 0), obj);
        doc.InvalidateObj(obj);
        doc.UpdateAllStaples(1);
        doc.SetModifiedFlag(true);
    }
    doc.UndoEndStep();
    doc.RefreshSelection(0);
}
} // namespace

void CKavoDoc::BringForwardOne()
{
    MoveOneStep(*this, +1, UDMAC_FRONTNXT);
}

void CKavoDoc::SendBackOne()
{
    MoveOneStep(*this, -1, UDMAC_BACKNXT);
}

CDiagObj* CKavoDoc::MoveObjInList(int from, int to, bool redraw)
{
    const int n = m_pObjList->GetCount();
    if (from < 1 || to < 1 || from > n || to > n)
        return nullptr;
    CDiagObj* obj = from == to ? m_pObjList->GetAt(from - 1) : m_pObjList->MoveItem(from - 1, to - 1);
    if (obj && redraw) {
        InvalidateObj(obj);
        if (obj->GetType() == kObjFigure)
            InvalidateAttachedCons(obj);
    }
    return obj;
}

CStaple* CKavoDoc::MoveStapleInList(int from, int to)
{
    const int n = m_pStapleList->GetCount();
    if (from < 1 || to < 1 || from > n || to > n)
        return nullptr;
    return static_cast<CStaple*>(from == to ? m_pStapleList->GetAt(from - 1)
                                            : m_pStapleList->MoveItem(from - 1, to - 1));
}

CGroup* CKavoDoc::MoveGroupInList(int from, int to)
{
    const int n = int(m_groupList.size());
    if (from < 1 || to < 1 || from > n || to > n)
        return nullptr;
    CGroup* g = m_groupList[size_t(from - 1)];
    m_groupList.erase(m_groupList.begin() + (from - 1));
    m_groupList.insert(m_groupList.begin() + (to - 1), g);
    return g;
}

bool CKavoDoc::MoveObjToFrontWithUndo(CDiagObj* obj, bool redraw)
{
    if (!obj || m_pObjList->Find(obj) < 0 || !LogObjOrder(obj))
        return false;
    m_pObjList->MoveTo(obj, m_pObjList->GetCount() - 1);
    if (redraw)
        InvalidateObj(obj);
    SetModifiedFlag(true);
    return true;
}
