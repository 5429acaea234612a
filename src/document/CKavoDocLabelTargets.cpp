// Where a dragged label may be dropped: a position round a figure, or a
// slot where a connector meets a figure.
#include "document/CKavoDoc.h"

#include "core/Settings.h"
#include "document/CConnector.h"
#include "document/CFigure.h"
#include "document/CStaple.h"
#include "document/LabelPlacement.h"
#include "document/LatLblTarget.h"
#include "geometry/IntGeometry.h"

#include <algorithm>
#include <cmath>

namespace {
CStaple* AsStaple(CDiagObj* o)
{
    return static_cast<CStaple*>(o);
}

bool IsLabelHost(const CFigure* f)
{
    return f && !f->m_bLabel && !f->IsInvisible() && !f->IsInGroup();
}
} // namespace

CFigure* CKavoDoc::FindFigLblPosAt(const POINT& pt, int tol, const CSize& size, int& code) const
{
    code = 0;
    for (auto it = m_pObjList->end(); it != m_pObjList->begin();) {
        CDiagObj* o = *--it;
        if (o->GetType() != kObjFigure || o->m_bTemp)
            continue;
        auto* f = static_cast<CFigure*>(o);
        if (!IsLabelHost(f))
            continue;
        const int c = FigLblPosFromPt(f->m_rect, pt, size, tol);
        if (c == 0 || (SnapToFigLblPrimarySlotOnly && c != m_nFigLblPrimarySector))
            continue;
        // Nothing else may lie between the point and the figure.
        const CPoint edge = f->ClipConnectorEnd(-1, pt, CSize(0, 0), nullptr, false);
        const CDiagObj* there = ObjFromPoint(edge.x, edge.y, tol, true, -1, 0, 0);
        if (there && there != f)
            continue;
        code = c;
        return f;
    }
    return nullptr;
}

CFigure* CKavoDoc::FindFreeFigLblPosAt(const POINT& pt, int tol, const CSize& size, int& code, CRect& rect) const
{
    CFigure* fig = FindFigLblPosAt(pt, tol, size, code);
    if (!fig || code == 0 || fig->IsInGroup() || FindFigLblStapleAtPos(fig, code))
        return nullptr;
    int gap = 0, unused = 0;
    GetLabelSpacing(gap, unused);
    CalcFigLblRect(fig, size, code, rect, gap);
    return fig;
}

bool CKavoDoc::TryStapleToFigAt(const POINT& pt, int tol, const CSize& size, CFigure*& fig, CFigure* label,
                                int& code)
{
    CRect rect;
    fig = FindFreeFigLblPosAt(pt, tol, size, code, rect);
    return fig && StapleLblAsFigLbl(label, fig, code);
}

CStaple* CKavoDoc::FindFigLblStapleAtPos(const CFigure* fig, int code) const
{
    if (!fig || code == 0)
        return nullptr;
    for (CDiagObj* o : *m_pStapleList) {
        CStaple* s = AsStaple(o);
        if (s->m_nType == kStapleFigLabel && s->m_pFig1 == fig && s->GetSideCodeExact() == code)
            return s;
    }
    return nullptr;
}

CStaple* CKavoDoc::FindFigLblStaple(const CFigure* fig, int n) const
{
    if (!fig || n < 0)
        return nullptr;
    for (CDiagObj* o : *m_pStapleList) {
        CStaple* s = AsStaple(o);
        if (s->m_nType == kStapleFigLabel && s->m_pFig1 == fig && n-- == 0)
            return s;
    }
    return nullptr;
}

int CKavoDoc::CountFigLabels(const CFigure* fig) const
{
    int n = 0;
    while (FindFigLblStaple(fig, n))
        ++n;
    return n;
}

CStaple* CKavoDoc::FindFlowLblStaple(const CConnector* con, const CFigure* fig, int slot) const
{
    if (!con || !fig)
        return nullptr;
    for (CDiagObj* o : *m_pStapleList) {
        CStaple* s = AsStaple(o);
        if (s->m_nType == kStapleFlowLabel && s->m_pFig1 == fig && s->m_pCon == con && s->FlowSide == slot)
            return s;
    }
    return nullptr;
}

bool CKavoDoc::FindFlowLblSlotAt(const CSize& size, int inflate, int gap, const POINT& pt, const CRect* within,
                                 CFigure*& fig, CConnector*& con, CRect& rect, int& slot, int& corner) const
{
    const CPoint p(pt);
    for (auto it = m_pObjList->end(); it != m_pObjList->begin();) {
        CDiagObj* o = *--it;
        if (o->GetType() != kObjConnector || o->m_pGroup)
            continue;
        auto* c = static_cast<CConnector*>(o);
        CRect bounds;
        c->GetBoundRect(bounds, 0, 0);
        if (within && !CRect().IntersectRect(*within, bounds))
            continue;
        for (CFigure* end : {c->m_pFig1, c->m_pFig2}) {
            if (!end || end->m_bLabel || end->IsInvisible())
                continue;
            if (within && !CRect().IntersectRect(*within, end->m_rect))
                continue;
            CRect r1, r2;
            int c1 = -1, c2 = -1;
            if (!CalcFlowLblRects(c, end, size, gap, inflate, r1, r2, c1, c2))
                continue;
            const int s = r1.PtInRect(p) ? 1 : r2.PtInRect(p) ? 2 : 0;
            if (s == 0 || FindFlowLblStaple(c, end, s))
                continue;
            fig = end;
            con = c;
            rect = s == 1 ? r1 : r2;
            slot = s;
            corner = s == 1 ? c1 : c2;
            return true;
        }
    }
    return false;
}

bool CKavoDoc::FindLatLblSlotAt(const CSize& size, int gap, int consistency, const POINT& pt, int maxDist,
                                CConnector*& con, int& offset, CRect& rect, WORD& align) const
{
    LatLblTarget t;
    if (!FindLatLblTarget(*this, size, gap, consistency, pt, maxDist, false, t))
        return false;
    con = t.con;
    offset = t.offset;
    rect = t.rect;
    align = t.align;
    return true;
}

bool FindLatLblTarget(const CKavoDoc& doc, const CSize& size, int gap, int consistency, const POINT& pt,
                      int maxDist, bool cornerMode, LatLblTarget& out)
{
    const CPoint p(pt);
    const bool limited = maxDist >= 0 && !cornerMode;
    for (auto it = doc.m_pObjList->end(); it != doc.m_pObjList->begin();) {
        CDiagObj* o = *--it;
        if (o->GetType() != kObjConnector || o->m_pGroup)
            continue;
        auto* c = static_cast<CConnector*>(o);
        if (doc.FindConOrLatLblStaple(c))
            continue;
        const int reachX = gap + (limited ? std::min<int>(size.cx, maxDist) : size.cx);
        const int reachY = gap + (limited ? std::min<int>(size.cy, maxDist) : size.cy);
        CRect bounds;
        c->GetBoundRect(bounds, 0, 0);
        bounds.InflateRect(reachX, reachY);
        if (!bounds.PtInRect(p))
            continue;
        const CPoint onLine = ProjectPtOnLine(p, CPoint(c->EndPoint1), CPoint(c->EndPoint2), true);
        if (limited && std::hypot(double(p.x - onLine.x), double(p.y - onLine.y)) > maxDist)
            continue;
        // The side whose band (the label moved from one end of the line to
        // the other) holds the point.
        for (int side : {gap, -gap}) {
            CPoint anchor;
            CRect atStart, atEnd;
            WORD a = 0;
            PlaceLatLbl(c->EndPoint1, c->EndPoint2, c->EndPoint1, size, side, consistency, anchor, atStart, a);
            PlaceLatLbl(c->EndPoint1, c->EndPoint2, c->EndPoint2, size, side, consistency, anchor, atEnd, a);
            if (!PtInSweptRect(atStart, atEnd, p))
                continue;
            out.con = c;
            out.offset = side;
            PlaceLatLbl(c->EndPoint1, c->EndPoint2, p, size, side, consistency, anchor, out.rect, out.align);
            out.side = 0;
            out.ref = anchor;
            if (cornerMode) {
                out.side = LatLblSideCode(c->EndPoint1, c->EndPoint2, out.align);
                out.rect = CRect(CPoint(p.x - size.cx / 2, p.y - size.cy / 2), size);
                out.ref = RectPointAtSideCode(out.rect, out.side);
                out.align = AlignFacingSideCode(out.side);
            }
            return true;
        }
    }
    return false;
}
