// Flow edits: the cut of marked objects with the merge of connectors left at
// redundant junctions, and the edits that replace junctions and figures
// inside a chain of connectors (join at a junction, detach a figure, split a
// connector at a dropped figure, replace a junction by a figure, flip).
#include "document/CKavoDoc.h"

#include "core/Trace.h"
#include "document/CStaple.h"
#include "document/FlowDetach.h"
#include "document/Trunks.h"
#include "document/UndoStepMemo.h"
#include "document/UndoRecordsStaple.h"

#include <algorithm>
#include <cmath>
#include <new>

namespace {
struct FarEndInfo {
    CFigure* fig = nullptr;
    int32_t conPt = -1;
    CPoint pt;
    int32_t suppress = 0;
};

FarEndInfo FarEndOf(const CConnector* c, int nearEnd)
{
    FarEndInfo f;
    if (nearEnd == 1) {
        f = {c->m_pFig2, c->m_nConPtId2, c->EndPoint2, c->SuppressEnd2};
    } else {
        f = {c->m_pFig1, c->m_nConPtId1, c->EndPoint1, c->SuppressEnd1};
    }
    return f;
}

// The junction both connectors are attached to, or null.
CFigure* SharedEnd(const CConnector* a, const CConnector* b)
{
    for (CFigure* f : {a->m_pFig1, a->m_pFig2})
        if (f && (f == b->m_pFig1 || f == b->m_pFig2))
            return f;
    return nullptr;
}

// The label position re-expressed on the joined length: p (0..255) on a
// part of length `part` that starts `before` units from the new end 1.
int JoinedLabelPos(int p, double before, double part, double total)
{
    if (!(total > 0))
        return p;                  // two zero-length connectors: the place stays
    const double v = (before + part * p / 255.0) / total * 255.0 + 0.5;
    int pos = v >= 255.0 ? 255 : int(v);
    if (pos < 2)
        pos = 0;
    return pos;
}
} // namespace

// ---- cuts of marked objects

void CKavoDoc::CutCascadedObjs()
{
    DiagPrintf("CKavoDoc::CutCascadedObjs()\n");
    for (int i = int(m_groupList.size()) - 1; i >= 0; --i)
        if (i < int(m_groupList.size()) && m_groupList[size_t(i)]->m_bVisited)
            CutGroup(m_groupList[size_t(i)], i + 1);
    for (int i = m_pStapleList->GetCount() - 1; i >= 0; --i)
        if (CDiagObj* s = m_pStapleList->GetAt(i); s && s->m_bVisited)
            CutStaple(static_cast<CStaple*>(s), i + 1);
    for (CDiagObj* o : *m_pObjList)
        if (o->m_bVisited && o->GetType() == kObjFigure)
            InvalidateObj(o);
    std::vector<CFigure*> deferred;
    auto isDeferred = [&](const CDiagObj* o) { return std::find(deferred.begin(), deferred.end(), o) != deferred.end(); };
    for (bool restart = true; restart;) {
        restart = false;
        for (int i = m_pObjList->GetCount() - 1; i >= 0 && !restart; --i) {
            CDiagObj* o = m_pObjList->GetAt(i);
            if (!o || !o->m_bVisited || isDeferred(o))
                continue;
            if (o->GetType() == kObjFigure) {
                auto* f = static_cast<CFigure*>(o);
                if (f->IsRedundantJct() && CanMergeAtJct(f)) {
                    deferred.push_back(f);
                    continue;
                }
            }
            const int before = m_pObjList->GetCount();
            if (!CutObj(o, i + 1))
                return;
            restart = before - m_pObjList->GetCount() > 1;
        }
    }
    // The junctions kept back join their two connectors now.
    for (CFigure* jct : deferred) {
        if (m_pObjList->Find(jct) < 0)
            continue;
        CConnector *a = nullptr, *b = nullptr;
        if (jct->IsRedundantJct() && GetConsOnFig(jct, a, b)) {
            const bool marked = a->m_bVisited || b->m_bVisited;
            if (CConnector* joined = MergeConsAtJct(a, b, true)) {
                joined->m_bVisited = marked ? 1 : 0;
                continue;
            }
        }
        if (m_pObjList->Find(jct) >= 0)
            CutObj(jct, -1);
    }
    UpdateAllStaples(1);
}

void CKavoDoc::CutReplacingObjs()
{
    DiagPrintf("CKavoDoc::CutReplacingObjs()\n");
    for (int i = m_pStapleList->GetCount() - 1; i >= 0; --i)
        if (CDiagObj* s = m_pStapleList->GetAt(i); s && s->m_bTemp)
            if (!CutStaple(static_cast<CStaple*>(s), i + 1))
                return;
    for (CDiagObj* o : *m_pObjList)
        if (o->m_bTemp && o->GetType() == kObjFigure)
            InvalidateObj(o);
    for (bool restart = true; restart;) {
        restart = false;
        for (int i = m_pObjList->GetCount() - 1; i >= 0 && !restart; --i) {
            CDiagObj* o = m_pObjList->GetAt(i);
            if (!o || !o->m_bTemp)
                continue;
            const int before = m_pObjList->GetCount();
            if (!CutObj(o, i + 1))
                return;
            restart = before - m_pObjList->GetCount() > 1;
        }
    }
}

// ---- joining two connectors at a junction

CConnector* CKavoDoc::MergeConsAtJct(CConnector* c1, CConnector* c2, bool relabel)
{
    return JoinCons(c1, c2, relabel, true, nullptr);
}

CConnector* CKavoDoc::JoinCons(CConnector* c1, CConnector* c2, bool relabel, bool cutShared, CFigure* at)
{
    if (!c1 || !c2 || c1 == c2)
        return nullptr;
    CFigure* jct = at ? at : SharedEnd(c1, c2);
    auto endsAt = [jct](const CConnector* c) { return c->m_pFig1 == jct || c->m_pFig2 == jct; };
    if (!jct || !endsAt(c1) || !endsAt(c2))
        return nullptr;
    int e1 = c1->m_pFig1 == jct ? 1 : 2, e2 = c2->m_pFig1 == jct ? 1 : 2;
    // c2 continues c1: c1 ends at the junction where it can.
    if (e1 == 1 && e2 != 1) {
        std::swap(c1, c2);
        std::swap(e1, e2);
    }
    const FarEndInfo far1 = FarEndOf(c1, e1), far2 = FarEndOf(c2, e2);
    // Both far ends on one figure: the join would be a loop on it.
    if (far1.fig && far1.fig == far2.fig)
        return nullptr;
    bool joined = false;
    ForEachConnector([&](CConnector* c) {
        joined = joined || (c != c1 && c != c2 && c->IsSameEnds(far1.fig, far1.conPt, far2.fig, far2.conPt));
    });
    if (joined)
        return nullptr;
    if (c1->HasFlags(1, 0) && c2->HasFlags(1, 0) && !(c1->IsEnd1Auto() && c2->IsEnd1Auto()) &&
        !(c1->IsEnd2Auto() && c2->IsEnd2Auto()))
        return nullptr;

    CConnector* nc = new (std::nothrow) CConnector(*c1);
    if (!nc)
        return nullptr;
    nc->m_nId = m_nNextId++;
    nc->m_bSelected = nc->m_bVisited = 0;
    nc->m_bSetFlag = 0;
    nc->m_pStaple = nullptr;
    nc->m_pGroup = nullptr;
    nc->m_pFig1 = far1.fig;
    nc->m_nConPtId1 = far1.conPt;
    nc->EndPoint1 = far1.pt;
    nc->SuppressEnd1 = far1.suppress;
    nc->m_pFig2 = far2.fig;
    nc->m_nConPtId2 = far2.conPt;
    nc->EndPoint2 = far2.pt;
    nc->SuppressEnd2 = far2.suppress;
    nc->StoreIds();
    if (!AddConUndo(nc)) {
        delete nc;
        return nullptr;
    }
    for (CFigure* f : {nc->m_pFig1, nc->m_pFig2})
        if (f) {
            MemoFigSlots(f);
            f->AttachCon(nc);
        }
    InvalidateObj(nc);

    // One label survives, that of c1 before that of c2.
    CStaple* s1 = FindConOrLatLblStaple(c1);
    CStaple* s2 = FindConOrLatLblStaple(c2);
    if (CStaple* s = s1 ? s1 : s2) {
        const bool ofC1 = s == s1;
        const int p = s->ConPos;
        const double l1 = c1->GetLength(), l2 = c2->GetLength();
        int pos = p;
        if (relabel) {
            const bool reversed = ofC1 ? e1 == 1 : e2 == 2;
            const int q = reversed ? kStaplePosMax - p : p;
            pos = ofC1 ? JoinedLabelPos(q, 0, l1, l1 + l2) : JoinedLabelPos(q, l1, l2, l1 + l2);
        }
        if (AttachToStapleWithUndo(s, nc, 0))
            s->ConPos = pos;
        else
            CutStaple(s, -1);
        if (s1 && s2 && m_pStapleList->Find(s2) >= 0) {
            CFigure* label = s2->m_pFig1;
            CutStaple(s2, -1);
            if (label && m_pObjList->Find(label) >= 0)
                CutObj(label, -1);
        }
    }
    // Staples still naming an old connector (flow labels at the far ends)
    // follow the new one.
    for (CDiagObj* o : std::vector<CDiagObj*>(m_pStapleList->begin(), m_pStapleList->end())) {
        auto* s = static_cast<CStaple*>(o);
        if (s->m_pCon == c1 || s->m_pCon == c2)
            AttachToStapleWithUndo(s, nc, 0);
    }
    // A refused record refuses every later one of the step: the join is
    // taken back while only the new connector exists besides the old ones.
    if (m_undo.IsUndoStepAbandoned()) {
        for (CDiagObj* o : *m_pStapleList) {
            auto* s = static_cast<CStaple*>(o);
            if (s->m_pCon == nc)
                s->m_pCon = s == s1 ? c1 : c2;
        }
        DeleteCon(nc, true, true, false);
        return nullptr;
    }
    // Cut as objects: a grouped connector leaves its groups with a record.
    CutObj(c1, -1);
    CutObj(c2, -1);
    if (cutShared && m_pObjList->Find(jct) >= 0)
        CutObj(jct, -1);
    return nc;
}

void CKavoDoc::MemoFigSlots(const CFigure* fig)
{
    if (fig)
        m_undo.AppendStepMemo({kMemoFigSlots, fig->m_nId, fig->m_pAttachedCon1 ? fig->m_pAttachedCon1->m_nId : -1,
                               fig->m_pAttachedCon2 ? fig->m_pAttachedCon2->m_nId : -1});
}

bool CKavoDoc::AttachToStapleWithUndo(CStaple* staple, CDiagObj* obj, int role)
{
    if (!staple || !obj || !LogStapleState(*this, staple))
        return false;
    CDiagObj* old = nullptr;
    if (role == 0 && obj->GetType() == kObjConnector) {
        old = staple->m_pCon;
        staple->m_pCon = static_cast<CConnector*>(obj);
    } else if ((role == 1 || role == 2) && obj->GetType() == kObjFigure) {
        CFigure*& slot = role == 1 ? staple->m_pFig1 : staple->m_pFig2;
        old = slot;
        slot = static_cast<CFigure*>(obj);
    } else {
        return false;
    }
    obj->m_pStaple = staple;
    if (old && old != obj && old->m_pStaple == staple)
        old->RefindStaple(staple);
    staple->StoreIds();
    staple->ClearSnapshots();
    SetModifiedFlag(true);
    return true;
}

int CKavoDoc::DeleteJunctions()
{
    m_undo.UndoBeginStep(UDMAC_DELJUNCTS);
    for (CDiagObj* o : *m_pObjList)
        o->m_bSetFlag = 0;
    int merged = 0;
    for (bool again = true; again;) {
        again = false;
        for (CDiagObj* o : *m_pSelList) {
            if (o->GetType() != kObjFigure || o->m_pGroup)
                continue;
            auto* jct = static_cast<CFigure*>(o);
            CConnector *a = nullptr, *b = nullptr;
            if (!jct->IsRedundantJct() || !GetConsOnFig(jct, a, b))
                continue;
            if (CConnector* nc = MergeConsAtJct(a, b, false)) {
                nc->m_bSetFlag = 1;
                ++merged;
                again = true;
                break;
            }
        }
    }
    SelectFlagged(2);
    ClearSetFlags();
    UpdateAllStaples(1);
    m_undo.UndoEndStep();
    return merged;
}

void CKavoDoc::ClearSetFlags()
{
    for (CDiagObj* o : *m_pObjList)
        o->m_bSetFlag = 0;
    for (CDiagObj* s : *m_pStapleList)
        s->m_bSetFlag = 0;
}

void CKavoDoc::FlipSelCons()
{
    m_undo.UndoBeginStep(UDMAC_FLIP);
    for (CDiagObj* o : std::vector<CDiagObj*>(m_pSelList->begin(), m_pSelList->end())) {
        if (o->GetType() != kObjConnector || o->m_pGroup)
            continue;
        if (!FlipCon(static_cast<CConnector*>(o)))
            break;
    }
    UpdateAllStaples(1);
    m_undo.UndoEndStep();
}

bool CKavoDoc::ReattachConEnd(CConnector* con, int end, CFigure* fig, int32_t conPtId, const POINT& pt)
{
    if (!con || (end != 1 && end != 2) || !LogConnectorEnds(UDOC_CONROTATE, con))
        return false;
    InvalidateObj(con);
    CFigure* old = con->GetEndFig(end);
    if (old)
        old->DetachCon(con);
    (end == 1 ? con->m_pFig1 : con->m_pFig2) = fig;
    (end == 1 ? con->m_nConPtId1 : con->m_nConPtId2) = fig ? conPtId : -1;
    (end == 1 ? con->EndPoint1 : con->EndPoint2) = pt;
    con->StoreIds();
    if (fig) {
        MemoFigSlots(fig);
        fig->AttachCon(con);
    }
    if (old && old != fig)
        for (CDiagObj* o : *m_pStapleList) {
            auto* s = static_cast<CStaple*>(o);
            if (s->m_pCon == con && (s->m_pFig1 == old || s->m_pFig2 == old))
                s->ClearSnapshots();
        }
    InvalidateObj(con);
    UpdateAllStaples(1);
    SetModifiedFlag(true);
    return true;
}

// ---- detach, split, replace

bool CanDetachFigFromFlow(const CKavoDoc& doc, CFigure* fig, CConnector*& a, CConnector*& b)
{
    a = b = nullptr;
    if (!fig || !fig->m_bSelected || fig->IsInvisible() || fig->m_bLabel)
        return false;
    if (IsTrunkDiagrams() && (fig->IsTrunkObj() || fig->IsTrunkNode()))
        return false;
    CConnector *x = nullptr, *y = nullptr;
    if (!doc.GetConsOnFig(fig, x, y))
        return false;
    int total = 0;
    doc.ForEachConnector([&](CConnector* c) { total += (c->m_pFig1 == fig || c->m_pFig2 == fig) ? 1 : 0; });
    if (total != 2 || x->m_bSelected || y->m_bSelected)
        return false;
    for (CConnector* c : {x, y}) {
        const int end = c->m_pFig1 == fig ? 1 : 2;
        if ((end == 1 ? c->m_nConPtId1 : c->m_nConPtId2) != -1 || c->m_pFig1 == c->m_pFig2)
            return false;
        // A chain that leads back to the figure is a loop, not a flow.
        const std::vector<CConnector*> chain = doc.GetConChain(c);
        for (const CConnector* k : chain)
            if (k != x && k != y && (k->m_pFig1 == fig || k->m_pFig2 == fig))
                return false;
    }
    if (!((x->m_nStyle != -1 && x->m_nStyle == y->m_nStyle) || (x->m_props == y->m_props)))
        return false;
    // Two connectors to the same figure would close into a loop on it.
    const CFigure* farX = x->m_pFig1 == fig ? x->m_pFig2 : x->m_pFig1;
    const CFigure* farY = y->m_pFig1 == fig ? y->m_pFig2 : y->m_pFig1;
    if (farX && farX == farY)
        return false;
    a = x;
    b = y;
    return true;
}

bool CKavoDoc::CanDetachFromFlow(CFigure* fig, CConnector*& a, CConnector*& b) const
{
    return CanDetachFigFromFlow(*this, fig, a, b);
}

int CKavoDoc::DetachSelFromFlow()
{
    m_undo.UndoBeginStep(UDMAC_DETACHFROMFLOW);
    int detached = 0;
    const std::vector<CDiagObj*> sel(m_pSelList->begin(), m_pSelList->end());
    for (auto it = sel.rbegin(); it != sel.rend(); ++it) {
        if ((*it)->GetType() != kObjFigure || m_pObjList->Find(*it) < 0)
            continue;
        auto* fig = static_cast<CFigure*>(*it);
        CConnector *a = nullptr, *b = nullptr;
        if (!CanDetachFromFlow(fig, a, b))
            continue;
        InvalidateObj(fig);
        InvalidateObj(a);
        InvalidateObj(b);
        if (!LogConnectorState(UDOC_CONPROPS, a) || !LogConnectorState(UDOC_CONPROPS, b))
            break;
        if (!JoinCons(a, b, false, false, fig)) {
            // The flow closes through a junction of its own at the centre.
            const CPoint c = fig->GetCenter();
            CFigure* jct = CreateFigAt(CPoint(c.x - 7, c.y - 7), 1);
            if (!jct)
                break;
            for (CConnector* k : {a, b}) {
                const int end = k->m_pFig1 == fig ? 1 : 2;
                ReattachConEnd(k, end, jct, -1, c);
                k->RecalcRoute();
            }
            if (CanMergeAtJct(jct))
                MergeConsAtJct(a, b, false);
            else
                jct->AutoDelJct = 0;
        }
        MoveObjToFrontWithUndo(fig, true);
        ++detached;
    }
    RefreshSelection(0);
    UpdateAllStaples(1);
    m_undo.UndoEndStep();
    return detached;
}

namespace {
// Where the point lies between the two end points along the dominant axis,
// on the scale 0..255.
int DropPosOnCon(const CConnector* con, const POINT& pt)
{
    const CPoint a = con->EndPoint1, b = con->EndPoint2;
    const bool horz = std::abs(b.x - a.x) >= std::abs(b.y - a.y);
    const long long span = horz ? (long long)b.x - a.x : (long long)b.y - a.y;
    if (span == 0)
        return 0;
    const long long at = horz ? (long long)pt.x - a.x : (long long)pt.y - a.y;
    const long long pos = at * kStaplePosMax / span;
    return int(std::clamp<long long>(pos, 0, kStaplePosMax));
}
} // namespace

bool CKavoDoc::SplitConAtFig(CFigure* fig, CConnector* con, const POINT& pt, bool ownStep)
{
    if (!fig || !con || m_pObjList->Find(con) < 0 || m_pObjList->Find(fig) < 0)
        return false;
    if (ownStep)
        m_undo.UndoBeginStep(UDMAC_SPLITCON);
    else
        m_undo.UndoReopenLastStep(-3);
    CConnector* halves[2] = {};
    const bool ok = SplitConHalves(fig, con, pt, halves);
    if (ok)
        UpdateAllStaples(1);
    m_undo.UndoEndStep();
    return ok;
}

bool CKavoDoc::SplitConHalves(CFigure* fig, CConnector* con, const POINT& pt, CConnector* halves[2])
{
    halves[0] = new (std::nothrow) CConnector(*con);
    halves[1] = new (std::nothrow) CConnector(*con);
    bool ok = halves[0] && halves[1];
    for (int i = 0; ok && i < 2; ++i) {
        CConnector* h = halves[i];
        h->m_nId = m_nNextId++;
        h->m_bSelected = h->m_bVisited = h->m_bSetFlag = 0;
        h->m_pStaple = nullptr;
        h->m_pGroup = nullptr;
        // The old end on its side, a floating end at the drop point on the
        // figure's.
        h->m_pFig1 = con->m_pFig1;
        h->m_pFig2 = con->m_pFig2;
        if (i == 0) {
            h->m_pFig2 = fig;
            h->m_nConPtId2 = -1;
            h->EndPoint2 = pt;
        } else {
            h->m_pFig1 = fig;
            h->m_nConPtId1 = -1;
            h->EndPoint1 = pt;
        }
        h->StoreIds();
        if (!AddConUndo(h)) {
            ok = false;
            delete h;
            halves[i] = nullptr;
        }
    }
    if (!ok) {
        for (CConnector* h : {halves[0], halves[1]}) {
            if (h && m_pObjList->Find(h) >= 0)
                DeleteCon(h, true, true, false);
            else
                delete h;
        }
        halves[0] = halves[1] = nullptr;
        return false;
    }
    for (CConnector* h : {halves[0], halves[1]})
        for (CFigure* f : {h->m_pFig1, h->m_pFig2})
            if (f) {
                MemoFigSlots(f);
                f->AttachCon(h);
            }
    const int dropPos = DropPosOnCon(con, pt);
    for (CDiagObj* o : std::vector<CDiagObj*>(m_pStapleList->begin(), m_pStapleList->end())) {
        auto* s = static_cast<CStaple*>(o);
        if (s->m_pCon != con)
            continue;
        CConnector* target = halves[0];
        if (s->m_nType == kStapleConLabel || s->m_nType == kStapleLatLabel)
            target = s->ConPos < dropPos ? halves[0] : halves[1];
        else if (con->m_pFig2 && (s->m_pFig1 == con->m_pFig2 || s->m_pFig2 == con->m_pFig2))
            target = halves[1];
        if (!AttachToStapleWithUndo(s, target, 0))
            CutStaple(s, -1);
    }
    const bool wasSelected = con->m_bSelected != 0;
    CutObj(con, -1);
    for (int i = 0; i < 2; ++i) {
        if (wasSelected)
            AddConToSel(halves[i], 2, true);
        else
            InvalidateObj(halves[i]);
    }
    return true;
}

bool CKavoDoc::ReplaceJctByFig(CFigure* fig, CFigure* jct, bool ownStep)
{
    CConnector *a = nullptr, *b = nullptr;
    if (!fig || !jct || fig == jct || !jct->IsRedundantJct() || !GetConsOnFig(jct, a, b))
        return false;
    if (ownStep)
        m_undo.UndoBeginStep(UDMAC_SPLITCON);
    else
        m_undo.UndoReopenLastStep(-3);
    for (CConnector* c : {a, b}) {
        const int end = c->m_pFig1 == jct ? 1 : 2;
        if (!ReattachConEnd(c, end, fig, -1, end == 1 ? c->EndPoint1 : c->EndPoint2))
            break;
    }
    if (m_pObjList->Find(jct) >= 0 && jct->m_nConnected == 0)
        CutObj(jct, -1);
    InvalidateObj(a);
    InvalidateObj(b);
    UpdateAllStaples(1);
    m_undo.UndoEndStep();
    return true;
}

int CKavoDoc::SnapObjToGrid(CDiagObj* obj)
{
    if (!m_bAlignToGrid)
        return 0;
    if (!obj) {
        int count = 0;
        for (CDiagObj* o : *m_moveSet.GetList()) {
            const int fixed = o->m_nFixedAxes;
            if (o->GetType() == kObjConnector && ((fixed & 0xC) == 0xC || (fixed & 0x30) == 0x30))
                continue;
            obj = o;
            ++count;
        }
        if (count != 1 || obj->GetType() != kObjFigure)
            return 1;
    }
    if (obj->GetType() != kObjFigure)
        return 1;
    auto* fig = static_cast<CFigure*>(obj);
    // Snap requests: high 16 / 32 ask for it, high 1 / 2 snap the sides.
    const DWORD high = fig->m_props.Behavior.high;
    if (!(high & (16 | 32)) || (high & (1 | 2)))
        return 0;
    CPoint c = fig->GetCenter();
    const CPoint old = c;
    SnapToGridStep(c.x, m_nSnapX);
    SnapToGridStep(c.y, m_nSnapY);
    if (c != old) {
        CRect rc = fig->m_rect;
        rc.OffsetRect(c.x - old.x, c.y - old.y);
        SetFigRect(fig, rc);
    }
    return 1;
}
