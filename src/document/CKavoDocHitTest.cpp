// Hit tests by point, rectangles of object sets, redraw requests of single
// objects and groups, and the diagnostic dump of the object lists.
#include "document/CKavoDoc.h"

#include "core/Trace.h"
#include "document/CStaple.h"
#include "document/ObjIndex.h"
#include "geometry/IntGeometry.h"

#include <algorithm>
#include <cstdio>
#include <span>

#include <cstdlib>
#include <limits>

namespace {
bool IsCurved(const CConnector* c)
{
    return c->HasFlags(2 | 8 | 16, 0);
}

// The whole-connector test: curved connectors along their line with half
// the line width or half the tolerance, whichever is larger.
bool HitWholeCon(const CConnector* c, int x, int y, int tol, POINT* out)
{
    if (!IsCurved(c))
        return c->HitTestPoint(x, y, tol, out) != 0;
    const int halfWidth = (c->m_props.LineWidth + 1) / 2, halfTol = (tol + 1) / 2;
    const POINT pts[2] = {c->EndPoint1, c->EndPoint2};
    return PtNearPolyline(x, y, pts, 2, halfWidth > halfTol ? halfWidth : halfTol, out);
}

bool NearPoint(const POINT& a, int x, int y, int dist)
{
    return std::llabs((long long)a.x - x) <= dist && std::llabs((long long)a.y - y) <= dist;
}

// A hit test over the objects near the point: every hit with tolerance
// `tol` lies within twice the tolerance of the object's reach. With the
// index off, over the whole list; while the index is checked, the answer
// must be the whole list's.
template <class Test>
auto HitThroughIndex(const CKavoDoc& doc, int x, int y, int tol, const Test& test)
{
    const std::span<CDiagObj* const> whole(doc.m_pObjList->begin(), doc.m_pObjList->end());
    if (!CObjIndex::IsEnabled())
        return test(whole);
    std::vector<CDiagObj*> objects;
    const int grow = std::clamp(tol, 0, 1 << 20) * 2 + 2;
    doc.ObjIndex().Query(CRect(x - grow, y - grow, x + grow, y + grow), objects);
    const auto hit = test(objects);
    if (doc.ObjIndex().IsVerifying() && test(whole) != hit) {
        std::fprintf(stderr, "object index: the hit test at (%d,%d) differs from the whole list's\n", x, y);
        std::abort();
    }
    return hit;
}
} // namespace

// The hit test of ObjFromPoint over the given objects, in list order, the
// front-most first.
CDiagObj* CKavoDoc::ObjFromPointAmong(std::span<CDiagObj* const> objects, int x, int y, int tol,
                                      bool skipReplaced, int styleFilter, int passA, int passB, POINT* out,
                                      bool conEnds) const
{
    // Activation boxes and lifelines are looked for together.
    int paired = -1;
    if (const CFigStyle* style = styleFilter >= 0 ? m_figStyles.GetAt(styleFilter) : nullptr) {
        if (style->m_strName == "Activation")
            paired = m_figStyles.FindByName("Lifeline");
        else if (style->m_strName == "Lifeline")
            paired = m_figStyles.FindByName("Activation");
    }
    for (auto it = objects.end(); it != objects.begin();) {
        CDiagObj* o = *--it;
        if (skipReplaced && o->m_bTemp)
            continue;
        if (o->GetType() == kObjFigure) {
            auto* f = static_cast<CFigure*>(o);
            if (styleFilter >= 0 && f->m_nStyle != styleFilter && (paired < 0 || f->m_nStyle != paired))
                continue;
            if (passB && (f->HasFlags(0x80000, 0) || (f->m_bLabel && f->IsStapled())))
                continue;
            if (f->HitTest(x, y, tol, passA != 0, passB != 0))
                return f;
            continue;
        }
        if (o->GetType() != kObjConnector || styleFilter >= 0)
            continue;
        auto* c = static_cast<CConnector*>(o);
        bool endHit = false;
        if (conEnds || !CObjIndex::IsEnabled()) {
            int end = 0;
            if (NearPoint(c->GetEndAttachPt(1), x, y, 2 * tol))
                end = 1;
            else if (NearPoint(c->GetEndAttachPt(2), x, y, 2 * tol))
                end = 2;
            if (end) {
                const CFigure* f = c->GetEndFig(end);
                // A floating end on an ordinary figure leaves the hit to it.
                if (f && !f->IsInvisible() && (end == 1 ? c->m_nConPtId1 : c->m_nConPtId2) == -1)
                    continue;
                if (out)
                    *out = end == 1 ? c->EndPoint1 : c->EndPoint2;
                endHit = true;
            }
        }
        if (!endHit && !HitWholeCon(c, x, y, tol, out))
            continue;
        if (!IsCurved(c) && c->m_pStaple && c->m_pStaple->m_pFig1 &&
            c->m_pStaple->m_pFig1->HitTest(x, y, tol, passA != 0, passB != 0))
            return c->m_pStaple->m_pFig1;
        for (CFigure* j : {c->m_pFig1, c->m_pFig2})
            if (j && j->IsInvisible() && j->HitTest(x, y, tol, passA != 0, passB != 0))
                return j;
        return c;
    }
    return nullptr;
}

CDiagObj* CKavoDoc::ObjFromPoint(int x, int y, int tol, bool skipReplaced, int styleFilter, int passA, int passB,
                                 POINT* out, bool conEnds) const
{
    const auto among = [&](std::span<CDiagObj* const> objects) {
        return ObjFromPointAmong(objects, x, y, tol, skipReplaced, styleFilter, passA, passB, out, conEnds);
    };
    // An attached connector end is found at its figure's connection point,
    // which may lie outside the connector's own reach: that test sees all.
    if (conEnds)
        return among(std::span<CDiagObj* const>(m_pObjList->begin(), m_pObjList->end()));
    return HitThroughIndex(*this, x, y, tol, among);
}

CConnector* CKavoDoc::ConFromPoint(int x, int y, int tol, bool skipReplaced, POINT* out) const
{
    return HitThroughIndex(*this, x, y, tol, [&](std::span<CDiagObj* const> objects) -> CConnector* {
        for (auto it = objects.end(); it != objects.begin();) {
            CDiagObj* o = *--it;
            if (o->GetType() != kObjConnector || (skipReplaced && o->m_bTemp))
                continue;
            if (HitWholeCon(static_cast<CConnector*>(o), x, y, tol, out))
                return static_cast<CConnector*>(o);
        }
        return nullptr;
    });
}

CFigure* CKavoDoc::FindTopFig(int x, int y, int filterPass, bool skipReplaced, bool skipExcluded,
                              const CDiagObj* excluded, int styleFilter, int passA, int passB) const
{
    // The figure test's tolerance is the filter pass (0 or 1).
    return HitThroughIndex(*this, x, y, filterPass, [&](std::span<CDiagObj* const> objects) -> CFigure* {
        for (auto it = objects.end(); it != objects.begin();) {
            CDiagObj* o = *--it;
            if (o->GetType() != kObjFigure || o == excluded || (skipReplaced && o->m_bTemp))
                continue;
            auto* f = static_cast<CFigure*>(o);
            if (styleFilter >= 0 && (f->m_bLabel || f->IsInvisible()) && f->m_nStyle != styleFilter)
                continue;
            if (skipExcluded && f->m_nSpare1)
                continue;
            if (filterPass && (f->HasFlags(0x80000, 0) || (f->m_bLabel && f->IsStapled())))
                continue;
            if (f->HitTest(x, y, filterPass, passA != 0, passB != 0))
                return f;
        }
        return nullptr;
    });
}

CConnector* CKavoDoc::SelConEndFromPoint(const POINT& pt, int& end, int handleSize) const
{
    end = 0;
    for (auto it = m_pSelList->end(); it != m_pSelList->begin();) {
        CDiagObj* o = *--it;
        if (o->GetType() != kObjConnector)
            continue;
        auto* c = static_cast<CConnector*>(o);
        if (const int e = c->EndHandleFromPoint(pt, handleSize)) {
            end = e;
            return c;
        }
    }
    return nullptr;
}

CConnector* CKavoDoc::FreeConEndFromPoint(int x, int y, int handleSize, CFigure** fig) const
{
    for (auto it = m_pObjList->end(); it != m_pObjList->begin();) {
        CDiagObj* o = *--it;
        if (o->GetType() != kObjConnector)
            continue;
        auto* c = static_cast<CConnector*>(o);
        const int e = c->EndHandleFromPoint(CPoint(x, y), 2 * handleSize);
        CFigure* f = e ? c->GetEndFig(e) : nullptr;
        if (f && !f->IsInvisible()) {
            if (fig)
                *fig = f;
            return c;
        }
    }
    return nullptr;
}

CConnector* CKavoDoc::FindConNearPoint(int x, int y) const
{
    // Distances in the work space exceed 32767: the search starts at
    // infinity, so a far connector is still found.
    double best = std::numeric_limits<double>::infinity();
    CConnector* found = nullptr;
    const CPoint p(x, y);
    for (auto it = m_pObjList->end(); it != m_pObjList->begin();) {
        CDiagObj* o = *--it;
        if (o->GetType() != kObjConnector)
            continue;
        auto* c = static_cast<CConnector*>(o);
        const double d = PtSegmentDistance(p, c->EndPoint1, c->EndPoint2);
        if (d < best) {
            best = d;
            found = c;
        }
    }
    return found;
}

CRect CKavoDoc::GetObjSetRect(int setType, int kind, int extra, const CObjList* list, bool skipHidden) const
{
    if (setType == 1)
        list = m_pSelList.get();
    else if (!list)
        list = m_pObjList.get();
    CRect result;
    for (CDiagObj* o : *list) {
        const int type = o->GetType();
        if (type != kObjFigure && type != kObjConnector) {
            DiagPrintf("STAT  GetObjSetRect unk type=%d\n", type);
            continue;
        }
        if (skipHidden && o->HasFlags(0x40000000, 0))
            continue;
        if ((setType == 1 && !o->m_bSelected) || (setType == 2 && !o->m_bSetFlag))
            continue;
        CRect rc;
        o->GetBoundRect(rc, kind, extra);
        UnionRectSkipEmpty(result, rc);
    }
    if ((kind == 1 || kind == 2) && result.Width() != 0 && result.Height() != 0)
        result.InflateRect(1, 1);
    return result;
}

void CKavoDoc::InvalidateGroup(const CGroup* group)
{
    if (!group || m_nUpdateLock)
        return;
    CRect rc;
    group->GetBounds(rc, 2, 0);
    UpdateAllViews(nullptr, 1, &rc);
}

void CKavoDoc::RefreshObj(CDiagObj* obj, int hint)
{
    (void)hint;
    if (!obj)
        return;
    if (obj->GetType() == kObjConnector)
        static_cast<CConnector*>(obj)->RecalcRoute();
    IsFigAttached(obj);
    InvalidateObj(obj);
}

bool CKavoDoc::InvalidateAttachedCons(const CDiagObj* obj)
{
    bool any = false;
    ForEachConnector([&](CConnector* c) {
        if (obj && (c->m_pFig1 == obj || c->m_pFig2 == obj)) {
            InvalidateObj(c);
            any = true;
        }
    });
    if (obj && obj->GetType() == kObjFigure && obj->m_pStaple && obj->m_pStaple->m_nType == kStapleConLabel)
        if (CConnector* c = obj->m_pStaple->m_pCon; c && c->HasFlags(2 | 8 | 16, 0))
            InvalidateObj(c);
    return any;
}

void CKavoDoc::IsFigAttached(const CDiagObj* obj)
{
    ForEachConnector([&](CConnector* c) {
        if (obj && (c->m_pFig1 == obj || c->m_pFig2 == obj))
            c->RecalcRoute();
    });
}

void CKavoDoc::ValidateCons()
{
    for (auto it = m_pObjList->end(); it != m_pObjList->begin();) {
        CDiagObj* o = *--it;
        if (o->GetType() == kObjConnector)
            static_cast<CConnector*>(o)->RecalcRoute();
    }
}

void CKavoDoc::DumpObjs() const
{
    if (!g_bDiagnostics)
        return;
    DiagPrintf("DUMP  All Objects, 1-based index(head to tail)(back to front)\n");
    int i = 0;
    for (CDiagObj* o : *m_pObjList) {
        ++i;
        if (o->GetType() == kObjConnector) {
            auto* c = static_cast<CConnector*>(o);
            DiagPrintf("DUMP    [%d] C id=%d from:%d to:%d\n", i, c->m_nId, c->m_nFigId1, c->m_nFigId2);
        } else if (o->GetType() == kObjFigure) {
            std::string text;
            static_cast<CFigure*>(o)->GetPlainText(text, -1);
            DiagPrintf("DUMP    [%d] F id=%d <%s>\n", i, o->m_nId, text.substr(0, 20).c_str());
        }
    }
    i = 0;
    for (CDiagObj* o : *m_pStapleList) {
        auto* s = static_cast<CStaple*>(o);
        DiagPrintf("DUMP    [%d] S id=%d conid=%d figid=%d\n", ++i, s->m_nId, s->m_pCon ? s->m_pCon->m_nId : s->m_nConId,
                   s->m_pFig1 ? s->m_pFig1->m_nId : s->m_nFig1Id);
    }
}
