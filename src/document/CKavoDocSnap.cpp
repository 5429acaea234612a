// Snapping of points to the grid and the document's guides, the guides
// collected from nearby connectors, the placement of new objects, and the
// document's side of the move context.
#include "document/CKavoDoc.h"

#include "document/Placement.h"

#include <algorithm>
#include <cstdlib>

namespace {
PlacementState g_placement;
CKavoDoc::MoveContextBuilder g_moveContextBuilder = nullptr;
constexpr int kPlacementStep = 16;

// The orientation test of guides: horizontal is not vertical, with equal
// end heights (or held so).
bool IsHorizontalCon(const CConnector* c)
{
    return c->IsEnd2Auto() && !c->IsEnd1Auto();
}

IActiveView* ActiveView()
{
    IAppContext* ctx = GetAppContext();
    return ctx ? ctx->GetActiveView() : nullptr;
}
} // namespace

PlacementState& GetPlacementState()
{
    return g_placement;
}

void ResetPasteOffset()
{
    g_placement = PlacementState();
}

bool IsPasteOriginUnset()
{
    return g_placement.origin[0] == 0 && g_placement.origin[1] == 0;
}

bool IsSnapOn()
{
    const CKavoDoc* doc = GetActiveKavoDoc();
    return doc && doc->m_bAlignToGrid;
}

void CKavoDoc::SnapPt(POINT& pt, int polyCount, const POINT* poly) const
{
    CRect work = m_rcWorkSpace;
    if (IActiveView* view = ActiveView())
        view->GetWorkSpaceRect(work);
    if (m_bAlignToGrid)
        SnapPtToGridOrRgn(pt, m_nSnapX, m_nSnapY, &work, &m_snapGuides, nullptr, 0, nullptr, false);
    else if (poly && polyCount > 0)
        SnapPtToGridOrRgn(pt, 1, 1, &work, nullptr, nullptr, polyCount, poly, true);
}

bool CKavoDoc::SnapPtMoved(const POINT& pt) const
{
    POINT p = pt;
    SnapPt(p);
    return p.x != pt.x || p.y != pt.y;
}

void CKavoDoc::CollectConGuides(const POINT& pt, bool keep)
{
    if (!m_bAlignToGrid)
        return;
    const int hw = 5 * m_nSnapX / 2, hh = 5 * m_nSnapY / 2;
    const CRect box(pt.x - hw, pt.y - hh, pt.x - hw + 5 * m_nSnapX, pt.y - hh + 5 * m_nSnapY);
    if (!keep)
        m_snapGuides.Clear();
    for (CDiagObj* o : *m_pObjList) {
        if (o->GetType() != kObjConnector)
            continue;
        auto* c = static_cast<CConnector*>(o);
        const CPoint a = c->EndPoint1, b = c->EndPoint2;
        if (IsHorizontalCon(c)) {
            if (a.y >= box.top && a.y <= box.bottom && std::max(a.x, b.x) >= box.left &&
                std::min(a.x, b.x) <= box.right && !m_snapGuides.AddY(a.y))
                return;
        } else if (c->IsEnd1Auto()) {
            if (a.x >= box.left && a.x <= box.right && std::max(a.y, b.y) >= box.top &&
                std::min(a.y, b.y) <= box.bottom && !m_snapGuides.AddX(a.x))
                return;
        }
    }
}

bool CKavoDoc::CollectMoveSetGuides()
{
    const CObjList* set = m_moveSet.GetList();
    if (!set)
        return false;
    bool found = false;
    for (CDiagObj* o : *set) {
        if (o->GetType() != kObjFigure || !o->IsStockKind(68))
            continue;
        auto* f = static_cast<CFigure*>(o);
        // The first horizontal connector whose far end stays where it is.
        CConnector* pick = nullptr;
        ForEachConnector([&](CConnector* c) {
            if (pick || (c->m_pFig1 != f && c->m_pFig2 != f) || !IsHorizontalCon(c))
                return;
            const int farEnd = c->m_pFig1 == f ? 2 : 1;
            const CFigure* far = c->GetEndFig(farEnd);
            const uint8_t farBits = farEnd == 1 ? (4 | 8) : (16 | 32);
            if (far ? !far->m_bFollow : (c->m_nFixedAxes & farBits) == farBits)
                pick = c;
        });
        if (pick && m_snapGuides.AddPoint(pick->m_pFig1 == f ? pick->EndPoint2 : pick->EndPoint1))
            found = true;
    }
    if (found)
        for (CDiagObj* o : *set)
            o->m_nFixedAxes |= o->GetType() == kObjFigure ? 1 : (16 | 4);
    return found;
}

int CKavoDoc::CollectConEndGuides(const CFigure* fig, bool keep)
{
    if (!keep)
        m_snapGuides.Clear();
    if (!fig)
        return 0;
    const CPoint centre = fig->GetCenter();
    CPoint snapped = centre;
    SnapToGridStep(snapped.x, m_nSnapX);
    SnapToGridStep(snapped.y, m_nSnapY);
    if (snapped != centre && !m_snapGuides.AddPoint(centre))
        return 0;
    int handled = 0;
    for (CDiagObj* o : *m_pObjList) {
        if (handled >= fig->m_nConnected)
            break;
        if (o->GetType() != kObjConnector)
            continue;
        auto* c = static_cast<CConnector*>(o);
        if (c->m_pFig1 != fig && c->m_pFig2 != fig)
            continue;
        const CPoint nearPt = c->m_pFig1 == fig ? c->EndPoint1 : c->EndPoint2;
        CPoint farPt = c->m_pFig1 == fig ? c->EndPoint2 : c->EndPoint1;
        farPt.Offset(centre.x - nearPt.x, centre.y - nearPt.y);
        if (!m_snapGuides.AddPoint(farPt))
            break;
        ++handled;
    }
    return handled;
}

namespace {
CPoint VisibleCentre(const CKavoDoc& doc, CRect& visible)
{
    visible = doc.m_rcPage;
    if (IActiveView* view = ActiveView())
        view->GetVisibleLogicalRect(visible);
    CPoint c = visible.CenterPoint();
    if (doc.m_bAlignToGrid) {
        SnapToGridStep(c.x, doc.m_nSnapX);
        SnapToGridStep(c.y, doc.m_nSnapY);
    }
    return c;
}

CSize PlacementStep(const CKavoDoc& doc)
{
    return doc.m_bAlignToGrid ? CSize(2 * doc.m_nSnapX, 2 * doc.m_nSnapY) : CSize(kPlacementStep, kPlacementStep);
}
} // namespace

void CKavoDoc::StartPasteOffset(const POINT& pt)
{
    ResetPasteOffset();
    g_placement.counter = 1;
    CRect visible;
    const CPoint c = VisibleCentre(*this, visible);
    const CSize step = PlacementStep(*this);
    // The next position asked for lands exactly on the paste point.
    g_placement.offsetX = pt.x - c.x - step.cx;
    g_placement.offsetY = pt.y - c.y - step.cy;
}

CPoint CKavoDoc::GetNewObjPos()
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        const CSize step = PlacementStep(*this);
        CRect visible;
        const CPoint c = VisibleCentre(*this, visible);
        if (g_placement.counter != 0) {
            g_placement.offsetX += step.cx;
            g_placement.offsetY += step.cy;
        } else {
            g_placement.offsetY = 0;
        }
        const CPoint pos(c.x + g_placement.offsetX, c.y + g_placement.offsetY);
        ++g_placement.counter;
        if (visible.PtInRect(pos) || g_placement.counter == 1 || attempt == 1)
            return pos;
        ResetPasteOffset();
    }
    return CPoint();
}

// ---- the move context

void CKavoDoc::SetMoveContextBuilder(MoveContextBuilder builder)
{
    g_moveContextBuilder = builder;
}

int CKavoDoc::BuildMoveContext(const CObjList* moving, const CObjList* objects, int unused, int mode)
{
    (void)unused;
    if (g_moveContextBuilder && moving && objects)
        return g_moveContextBuilder(*this, moving, objects, mode);
    // Without the editing layer the moving objects move alone.
    CObjList* follow = m_moveSet.GetList();
    if (!follow)
        return 0;
    follow->RemoveAll();
    m_moveSet.ResetLimits();
    m_moveSet.ClearGuides();
    for (CDiagObj* o : *m_pObjList) {
        o->m_nFixedAxes = o->GetType() == kObjConnector ? 60 : 3;
        o->m_bFollow = 0;
    }
    for (CDiagObj* o : moving ? *moving : *follow) {
        o->m_nFixedAxes = 0;
        if (follow->AddTail(o))
            o->m_bFollow = 1;
    }
    return 0;
}

void CKavoDoc::RemoveFromMoveSet(CDiagObj* obj)
{
    if (CObjList* follow = m_moveSet.GetList(); follow && obj && obj->m_bFollow) {
        follow->Remove(obj);
        obj->m_bFollow = 0;
    }
    if (m_pDragTargetCon == obj)
        m_pDragTargetCon = nullptr;
}

void CKavoDoc::ClampPtToWorkSpace(POINT& pt) const
{
    pt.x = std::clamp<LONG>(pt.x, m_rcWorkSpace.left, m_rcWorkSpace.right);
    pt.y = std::clamp<LONG>(pt.y, m_rcWorkSpace.top, m_rcWorkSpace.bottom);
    if (m_bAlignToGrid) {
        SnapToGridStep(pt.x, m_nSnapX);
        SnapToGridStep(pt.y, m_nSnapY);
    }
}

void CKavoDoc::SnapMoveOffset(int& dx, int& dy) const
{
    const CMoveSet& m = m_moveSet;
    if (!m.m_bSnap)
        return;
    if (m.m_nYGuides == 1) {
        POINT p{0, m.m_yGuides[0] + dy};
        ClampPtToWorkSpace(p);
        dy += p.y - (m.m_yGuides[0] + dy);
    }
    if (m.m_nXGuides == 1) {
        POINT p{m.m_xGuides[0] + dx, 0};
        ClampPtToWorkSpace(p);
        dx += p.x - (m.m_xGuides[0] + dx);
    }
}
