// Connector drawing on the document side: the attach target under a point,
// the checks of a finished pick list, and the connectors it becomes, joined
// by junctions, in one undo step.
#include "document/CKavoDoc.h"

#include "core/Settings.h"
#include "core/Trace.h"
#include "document/CStaple.h"
#include "geometry/CPointArray.h"
#include "geometry/PointRuns.h"
#include "undo/UndoCodes.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {
constexpr int kJunctionSize = 15;
// Two free ends closer than this (logical units) make no connector.
constexpr int kMinFreeConLength = 4;
// High flag 4: ends go onto the centre line along the longer side.
constexpr DWORD kHighCentreLine = 4;

int Dist(int a, int b)
{
    return std::abs(a - b);
}

// The point pulled, within the tolerance, onto the figure's centre lines
// and sides, else onto its outline.
CPoint PullOntoFigure(const CRect& rc, const CPoint& p, int tol)
{
    CPoint q = p;
    const CPoint c = rc.CenterPoint();
    for (int x : {c.x, int(rc.left), int(rc.right)})
        if (Dist(p.x, x) <= tol) {
            q.x = x;
            break;
        }
    for (int y : {c.y, int(rc.top), int(rc.bottom)})
        if (Dist(p.y, y) <= tol) {
            q.y = y;
            break;
        }
    if (q == p) {
        const CPoint o = NearestPtOnRectOutline(rc, p);
        if (Dist(o.x, p.x) <= tol && Dist(o.y, p.y) <= tol)
            q = o;
    }
    return q;
}

// The nearest point of the figure's hot-zone outline, else of its
// rectangle's outline.
CPoint NearestPtOnFigOutline(const CFigure& fig, const CPoint& p)
{
    std::vector<CPoint> outline;
    if (fig.GetOutlinePoints(outline) < 2)
        return NearestPtOnRectOutline(fig.m_rect, p);
    if (outline.front() != outline.back())
        outline.push_back(outline.front());
    const CPointArray run(outline.data(), int(outline.size()), int(outline.size()));
    return run.NearestPt(p.x, p.y, nullptr);
}

// The key of the figure's connection point whose square holds the point.
int32_t ConPtUnder(const CFigure* fig, const CPoint& p, int tol, CPoint& at)
{
    if (!fig->m_pConPts)
        return kPickFree;
    for (int i = 0; i < fig->m_pConPts->GetCount(); ++i) {
        const int32_t id = fig->m_pConPts->GetIdAt(i);
        CFltPoint pos;
        if (!fig->GetConPtPos(id, fig->m_rect, pos))
            continue;
        const CPoint q = pos.RoundToPoint();
        if (Dist(q.x, p.x) <= tol && Dist(q.y, p.y) <= tol) {
            at = q;
            return id;
        }
    }
    return kPickFree;
}

// The model's connection-point id of a pick entry's end: a point made where
// the end lies aims at the centre when it is there, else stays fixed there.
int32_t EndConPtId(const CFigPick& e)
{
    if (!e.fig)
        return kConPtCentre;
    if (e.conPt != kPickAuto)
        return e.conPt;
    return e.pt == e.fig->GetCenter() || e.fig->IsInvisible() ? kConPtCentre : kConPtFixed;
}

// An automatic connection point at a drawn end's point; -1 when the figure
// takes none there.
int32_t AddEndConPt(CKavoDoc& doc, const CFigPick& e)
{
    int32_t key = -1;
    if (!doc.AcceptsConPts(e.fig) || !doc.AddAutoConPt(e.fig, e.pt, key, true, false))
        return -1;
    return key;
}
} // namespace

bool CKavoDoc::FindConTarget(const POINT& in, int tol, const POINT* ref, const ConTargetRules& rules,
                             ConTarget& out) const
{
    out = ConTarget();
    const CRect& ws = m_rcWorkSpace;
    if (in.x < ws.left || in.x > ws.right || in.y < ws.top || in.y > ws.bottom)
        return false;
    CPoint p(in);
    // A point near the line of the point before is put on it.
    if (ref) {
        if (Dist(p.x, ref->x) <= tol)
            p.x = ref->x;
        if (Dist(p.y, ref->y) <= tol)
            p.y = ref->y;
    }
    out.pt = p;
    if (rules.noAttach)
        return true;
    CDiagObj* obj = nullptr;
    POINT foot = p;
    for (int pass = 1; pass <= 2 && !obj; ++pass)
        obj = ObjFromPoint(p.x, p.y, tol * pass, true, -1, 0, 0, &foot, true);
    if (obj && obj->GetType() == kObjConnector) {
        auto* c = static_cast<CConnector*>(obj);
        for (int end = 1; end <= 2; ++end) {
            // A new end on an attached end joins the same figure and point.
            if (c->GetEndFig(end) && c->GetEndAttachPt(end) == p) {
                out.fig = c->GetEndFig(end);
                out.conPt = end == 1 ? c->m_nConPtId1 : c->m_nConPtId2;
                return true;
            }
        }
        if (!rules.branch || c->m_pGroup)
            return true;
        out.con = c;
        out.pt = foot;
        // On a free end the branch starts exactly there.
        for (int end = 1; end <= 2; ++end) {
            const CPoint e = end == 1 ? c->EndPoint1 : c->EndPoint2;
            if (!c->GetEndFig(end) && Dist(e.x, p.x) <= tol && Dist(e.y, p.y) <= tol)
                out.pt = e;
        }
        return true;
    }
    if (!obj) {
        // Nothing hit: the topmost figure under the point, when the hit
        // test left one (a connector end there leaves the hit to it).
        CFigure* top = FindTopFig(p.x, p.y, tol, true, false, nullptr, -1, 0, 0);
        if (!top)
            return true;
        out.fig = top;
        if (!top->IsInvisible() && rules.enableConPts && (out.conPt = ConPtUnder(top, p, tol, out.pt)) != kPickFree)
            return true;
        out.pt = top->GetCenter();
        out.conPt = top->IsInvisible() ? kPickFree : kPickAuto;
        return true;
    }
    if (obj->GetType() != kObjFigure)
        return true;
    auto* fig = static_cast<CFigure*>(obj);
    out.fig = fig;
    CPoint at;
    if (!fig->IsInvisible() && rules.enableConPts && (out.conPt = ConPtUnder(fig, p, tol, at)) != kPickFree) {
        out.pt = at;
        return true;
    }
    out.conPt = kPickAuto;
    if (fig->IsInvisible() || !rules.clickPoint) {
        out.pt = fig->GetCenter();
        out.conPt = fig->IsInvisible() ? kPickFree : kPickAuto;
        return true;
    }
    const CRect& rc = fig->m_rect;
    if (rules.snap) {
        // Onto the figure's own outline, where a connection point may wait.
        out.pt = NearestPtOnFigOutline(*fig, p);
        if (rules.enableConPts && (out.conPt = ConPtUnder(fig, out.pt, tol, at)) != kPickFree)
            out.pt = at;
        else
            out.conPt = kPickAuto;
    } else {
        out.pt = PullOntoFigure(rc, p, tol);
    }
    if (fig->m_props.Behavior.high & kHighCentreLine) {
        if (rc.Width() >= rc.Height())
            out.pt.y = rc.CenterPoint().y;
        else
            out.pt.x = rc.CenterPoint().x;
    }
    return true;
}

int CKavoDoc::CheckConPicks(const CFigPickList& list, bool rerouting) const
{
    (void)rerouting;
    if (list.GetCount() != 2)
        return 0;
    const CFigPick& a = *list.GetAt(1);
    const CFigPick& b = *list.GetAt(2);
    auto onJct = [](const CConnector* c, const CFigure* f) {
        return c && f && f->IsInvisible() && (c->m_pFig1 == f || c->m_pFig2 == f);
    };
    if ((a.con && a.con == b.con) || onJct(a.con, b.fig) || onJct(b.con, a.fig))
        return 4;
    if (a.fig && a.fig == b.fig)
        return 1;
    if (a.fig && b.fig) {
        const int32_t ida = EndConPtId(a), idb = EndConPtId(b);
        bool dup = false;
        ForEachConnector([&](const CConnector* c) {
            if (ida == kConPtFixed || idb == kConPtFixed)
                return;
            dup = dup || (c->m_pFig1 == a.fig && c->m_pFig2 == b.fig && c->m_nConPtId1 == ida &&
                          c->m_nConPtId2 == idb) ||
                  (c->m_pFig1 == b.fig && c->m_pFig2 == a.fig && c->m_nConPtId1 == idb && c->m_nConPtId2 == ida);
        });
        if (dup)
            return 2;
    }
    if (!a.fig && !b.fig && !a.con && !b.con && Dist(a.pt.x, b.pt.x) < kMinFreeConLength &&
        Dist(a.pt.y, b.pt.y) < kMinFreeConLength)
        return 3;
    return 0;
}

bool CKavoDoc::CreateConFromPicks(CFigPickList& list, CConnector* existing, int end, CDiagObj** newObj)
{
    if (newObj)
        *newObj = nullptr;
    const int n = list.GetCount();
    if (n == 0)
        return true;
    if (n < 2)
        return false;
    // A branch from a connector starts or ends at a junction on it.
    for (int i : {1, n}) {
        if (existing && i != n)
            continue;
        const CFigPick e = *list.GetAt(i);
        if (!e.con || e.fig)
            continue;
        CFigure* jct = SplitCon(e.con, e.pt, false, 0, true);
        if (!jct)
            return false;
        list.SetAt(i, jct->GetCenter(), jct, kPickFree, nullptr);
    }
    if (existing)
        return RerouteConEnd(existing, end, *list.GetAt(n), newObj);
    const CConProps props = m_curConStyle.m_props;
    CConnector* made = nullptr;
    int count = 0;
    // The chain's two ends: an end placed on a figure away from its centre
    // gets an automatic connection point there, which keeps its place on
    // the figure when the figure is resized.
    for (int i : {1, n}) {
        const CFigPick e = *list.GetAt(i);
        if (e.fig && e.conPt == kPickAuto && EndConPtId(e) == kConPtFixed)
            if (const int32_t key = AddEndConPt(*this, e); key >= 0)
                list.SetAt(i, e.pt, e.fig, key, e.con);
    }
    for (int j = 1; j < n; ++j) {
        CFigPick a = *list.GetAt(j), b = *list.GetAt(j + 1);
        if (j + 1 < n && !b.fig) {
            b.fig = CreateFigAt(CPoint(b.pt.x - kJunctionSize / 2, b.pt.y - kJunctionSize / 2), 1);
            if (!b.fig)
                return false;
            b.conPt = kPickFree;
            list.SetAt(j + 1, b.pt, b.fig, b.conPt, nullptr);
        }
        MemoFigSlots(a.fig);
        MemoFigSlots(b.fig);
        CConnector* c = CreateCon(a.fig, b.fig, EndConPtId(a), EndConPtId(b), a.pt, b.pt, m_nCurConStyle, props);
        if (!c)
            return false;
        c->RecalcRoute();
        c->SuppressEnd1 = !(j == 1 && !(a.fig && a.fig->IsRedundantJct()));
        c->SuppressEnd2 = !(j + 1 == n && !(b.fig && b.fig->IsRedundantJct()));
        InvalidateObj(c);
        if (SelectAfterConnectorCreate) {
            AddConToSel(c, 2, true);
            if (j > 1)
                AddFigToSel(a.fig, 2, true);
        }
        made = c;
        ++count;
    }
    CDiagObj* reported = made;
    // A single new connector of a style with an automatic label gets it; the
    // label is what the caller goes on with (its text may be edited next).
    const CConStyle& style = m_curConStyle;
    if (count == 1 && style.AutoLabel && !style.AutoLabelText.empty())
        if (CFigure* label = CreateAutoConLbl(made, style.AutoLabelText, style.AutoLabelPosition))
            reported = label;
    if (newObj)
        *newObj = reported;
    UpdateAllViews(nullptr, 0, nullptr);
    UpdateAllStaples(1);
    return true;
}

bool CKavoDoc::RerouteConEnd(CConnector* con, int end, const CFigPick& to, CDiagObj** newObj)
{
    if (!con || (end != 1 && end != 2) || m_pObjList->Find(con) < 0)
        return false;
    CFigure* oldFig = con->GetEndFig(end);
    const int32_t oldKey = end == 1 ? con->m_nConPtId1 : con->m_nConPtId2;
    MemoFigSlots(oldFig);
    CFigPick target = to;
    if (target.fig && target.conPt == kPickAuto && EndConPtId(target) == kConPtFixed)
        if (const int32_t key = AddEndConPt(*this, target); key >= 0)
            target.conPt = key;
    if (!ReattachConEnd(con, end, target.fig, EndConPtId(target), target.pt))
        return false;
    // The automatic point the end left is dropped when nothing else uses it.
    if (oldFig && oldKey >= 0 && m_pObjList->Find(oldFig) >= 0)
        DropAutoConPt(oldFig, oldKey);
    con->RecalcRoute();
    InvalidateObj(con);
    if (newObj)
        *newObj = con;
    UpdateAllViews(nullptr, 0, nullptr);
    UpdateAllStaples(1);
    return true;
}

bool CKavoDoc::CreateConWithUndo(CFigPickList& list, CConnector* existing, int end, CDiagObj** newObj)
{
    m_undo.UndoBeginStep(existing ? UDMAC_ROTATECON : UDMAC_CREATECON);
    const bool ok = CreateConFromPicks(list, existing, end, newObj);
    if (ok)
        BuildMoveContext(m_pSelList.get(), m_pObjList.get(), 0, 1);
    m_undo.UndoEndStep();
    // What a failure left half made goes back with its own step alone; the
    // earlier steps stay.
    if (!ok && m_undo.GetLastUndoStepCode() == (existing ? UDMAC_ROTATECON : UDMAC_CREATECON))
        UndoLastStep();
    return ok;
}

bool CKavoDoc::CalcFixedConEnds(const POINT& pt, CPoint& end1, CPoint& end2) const
{
    if (!m_curConStyle.FragmentCreation || m_curConStyle.FragmentLength == 0)
        return false;
    const int len = m_curConStyle.FragmentLength, half = len / 2;
    const int x = pt.x, y = pt.y;
    // A direction other than the four is taken as 90; the style itself is
    // left as it is (a mouse move changes no document).
    switch (m_curConStyle.FragmentAngle) {
    case 0:
        end1 = CPoint(x, y + half);
        end2 = CPoint(x, y + half - len);
        break;
    case 180:
        end1 = CPoint(x, y - half);
        end2 = CPoint(x, y - half + len);
        break;
    case 270:
        end1 = CPoint(x + half, y);
        end2 = CPoint(x + half - len, y);
        break;
    default:
        end1 = CPoint(x - half, y);
        end2 = CPoint(x - half + len, y);
        break;
    }
    return true;
}
