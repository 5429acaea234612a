// Compartment dividers: the handle of a divider of a special shape under
// the pointer shows the reshape cursor; dragging it moves the divider of a
// private copy of the figure's symbol, kept where every compartment stays
// drawable; the release keeps the copy in one undo step, a cancel deletes
// it and the figure is as it was.
#include "editing/ui/CKavoView.h"

#include "core/StringHelpers.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "richtext/FigureTextFit.h"
#include "undo/UndoCodes.h"

#include <algorithm>

namespace {
constexpr int kIdsReshape = 530;

// The figure and divider whose handle square (side `tolerance`) holds the
// point, walking from the topmost object down; a filled figure under the
// point without a handle there hides what lies below it.
CFigure* FindDividerAt(const CKavoDoc& doc, const CPoint& pt, int tolerance, int& divider)
{
    divider = -1;
    for (auto it = doc.m_pObjList->end(); it != doc.m_pObjList->begin();) {
        CDiagObj* o = *--it;
        if (o->GetType() != kObjFigure)
            continue;
        auto* fig = static_cast<CFigure*>(o);
        CRect bounds;
        fig->GetBoundRect(bounds, 0, 0);
        bounds.InflateRect(tolerance, tolerance);
        if (!bounds.PtInRect(pt))
            continue;
        if (const CFigSymbol* sym = fig->GetSymbol()) {
            for (int i = 0; i < sym->GetDividerCount(); ++i) {
                CPoint h;
                if (!sym->GetDividerHandle(i, h, fig->m_rect))
                    continue;
                const CRect square(h.x - tolerance / 2, h.y - tolerance / 2, h.x - tolerance / 2 + tolerance,
                                   h.y - tolerance / 2 + tolerance);
                if (square.PtInRect(pt)) {
                    divider = i;
                    return fig;
                }
            }
        }
        if (fig->HitTest(pt.x, pt.y, tolerance, false, false) && fig->IsHollow() && fig->m_props.m_fill.m_nKind != 0)
            return nullptr;
    }
    return nullptr;
}

Qt::CursorShape DividerCursor(const CFigure& fig, int divider)
{
    const CFigSymbol* sym = fig.GetSymbol();
    const int direction = sym ? sym->GetDividerDirection(divider) : 0;
    return direction == 1 ? Qt::SplitVCursor : (direction == 2 ? Qt::SplitHCursor : Qt::SizeAllCursor);
}

// Figures in groups are never reshaped.
CFigure* UngroupedDividerAt(const CKavoDoc* doc, const CPoint& pt, int tolerance, int& divider)
{
    CFigure* fig = doc ? FindDividerAt(*doc, pt, tolerance, divider) : nullptr;
    return fig && !fig->IsInGroup() ? fig : nullptr;
}
} // namespace

int CKavoView::HitTestDivider(const CPoint& pt)
{
    int divider = -1;
    CFigure* fig = UngroupedDividerAt(m_pDoc, pt, m_nHitTolerance, divider);
    if (!fig)
        return 0;
    m_nDragDivider = divider;
    SetViewCursor(DividerCursor(*fig, divider));
    SetStatusPrompt(kIdsReshape);
    return 1;
}

int CKavoView::OnDividerButtonDown(const CPoint& pt)
{
    int divider = -1;
    CFigure* fig = UngroupedDividerAt(m_pDoc, pt, m_nHitTolerance, divider);
    if (!fig)
        return 0;
    m_nDragDivider = divider;
    return BeginDividerDrag(fig, pt);
}

// Of two handles under the press the first that can move is dragged. The
// section minimums come from the text; a figure whose text is laid out for
// its areas measures them against the sections as they stand. The shape
// jumps at once to the limited press point.
int CKavoView::BeginDividerDrag(CFigure* fig, const CPoint& pt)
{
    m_nDragDivider = PreferMovableDivider(*fig, pt, m_nHitTolerance, m_nDragDivider);
    if (!CopySymbolForEdit(*fig, m_nSavedSymbol))
        return 0;
    const CFigSymbol* sym = fig->GetSymbol();
    m_pDividerFig = fig;
    m_bDividerDrag = 1;
    m_bDividerMovesCons = sym->DividerChangesOutline(m_nDragDivider);
    CaptureMouse();
    SetViewCursor(DividerCursor(*fig, m_nDragDivider));
    m_nSectionCount = GetSectionMinSizes(*fig, m_aSectionMin);
    if (fig->HasFlags(kFitCompartmentsFlag, 0))
        MeasureSectionMins(*fig, sym->GetDividerDirection(m_nDragDivider), m_aSectionMin, m_nSectionCount);
    m_ptDragAnchor = CPoint(std::clamp(pt.x, fig->m_rect.left, fig->m_rect.right),
                            std::clamp(pt.y, fig->m_rect.top, fig->m_rect.bottom));
    // A first step the figure refuses goes back to where the handle was.
    if (!sym->GetDividerHandle(m_nDragDivider, m_ptLastDrag, fig->m_rect))
        m_ptLastDrag = CPoint(-32000, -32000);
    m_bForceTrackStep = 1;
    MoveDividerStep(m_ptDragAnchor);
    m_bForceTrackStep = 0;
    UpdateStatusText();
    return 1;
}

// Moves the divider of the private copy to the point, limited; a point the
// shape refuses leaves the divider at the last accepted one.
void CKavoView::MoveDividerStep(const CPoint& pt)
{
    CFigure* fig = m_pDividerFig;
    CFigSymbol* sym = fig ? m_pDoc->m_figSymbols.GetAt(fig->m_props.Symbol) : nullptr;
    if (!sym)
        return;
    CPoint limited = pt;
    sym->LimitDividerPoint(m_nDragDivider, fig->m_rect, limited, m_nSectionCount, m_aSectionMin, -1);
    if (limited == m_ptLastDrag && !m_bReFeed && !m_bForceTrackStep)
        return;
    m_pDoc->InvalidateObj(fig);
    // Geometry the figure's parts refuse is rolled back to the last point.
    if (sym->MoveSpecialHandle(m_nDragDivider, fig->m_rect, limited, 0) && ValidateSubObjects(*fig))
        m_ptLastDrag = limited;
    else if (m_ptLastDrag.x > -32000)
        sym->MoveSpecialHandle(m_nDragDivider, fig->m_rect, m_ptLastDrag, 0);
    m_pDoc->InvalidateObj(fig);
    // The connectors of an outline that changes are re-laid, and the
    // staples re-fitted, once the drag is kept, so that both are logged.
    if (m_bDividerMovesCons)
        m_pDoc->InvalidateAttachedCons(fig);
}

int CKavoView::TrackDividerDrag(const CPoint& client)
{
    if (!m_bDividerDrag || !m_pDoc || !m_pDividerFig)
        return 0;
    CPoint pt = ClientPtToLogical(client);
    // Only a divider that may reach the figure's sides is kept in the work
    // space, on the grid as every clamped point is.
    const CFigSymbol* sym = m_pDividerFig->GetSymbol();
    if (sym && sym->IsDividerClamped(m_nDragDivider)) {
        pt = ClampPtToWorkSpace(pt);
        m_pDoc->SnapPt(pt);
    }
    MoveDividerStep(pt);
    UpdateStatusText();
    return 1;
}

// The drag is kept by logging the figure with its old symbol first, so an
// undo points it back; a refused record drops the drag as a cancel does.
int CKavoView::EndDividerDrag()
{
    if (!m_bDividerDrag)
        return 0;
    CFigure* fig = m_pDividerFig;
    m_bDividerDrag = 0;
    m_pDividerFig = nullptr;
    ReleaseCapture();
    CommitDividerDrag(*m_pDoc, fig, m_nSavedSymbol, fig->m_props.Symbol, m_bDividerMovesCons);
    m_pDoc->InvalidateObj(fig);
    UpdateStatusText();
    return 1;
}

int CKavoView::CancelDividerDrag(int queryOnly)
{
    if (!m_bDividerDrag)
        return 0;
    if (queryOnly)
        return 1;
    CFigure* fig = m_pDividerFig;
    RestoreSymbol(*fig, m_nSavedSymbol);
    m_bDividerDrag = 0;
    m_pDividerFig = nullptr;
    ReleaseCapture();
    UpdateStatusText();
    return 1;
}
