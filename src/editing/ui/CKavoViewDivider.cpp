// Compartment dividers: the handle of a divider of a special shape under
// the pointer shows the reshape cursor; dragging it moves the divider of a
// private copy of the figure's symbol, kept where every compartment stays
// drawable; the release keeps the copy in one undo step, a cancel deletes
// it and the figure is as it was.
#include "editing/ui/CKavoView.h"

#include "core/StringHelpers.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
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
    const CFigSymbol* sym = fig->GetSymbol();
    const int copy = sym ? m_pDoc->m_figSymbols.AddCopyWithNewName(sym) : -1;
    if (copy < 0)
        return 0;
    m_nDragDivider = divider;
    m_nSavedSymbol = fig->m_props.Symbol;
    fig->m_props.Symbol = copy;
    m_pDividerFig = fig;
    m_bDividerDrag = 1;
    CaptureMouse();
    SetViewCursor(DividerCursor(*fig, divider));
    CPoint anchor(std::clamp(pt.x, fig->m_rect.left, fig->m_rect.right),
                  std::clamp(pt.y, fig->m_rect.top, fig->m_rect.bottom));
    m_ptLastDrag = CPoint(-32000, -32000);
    MoveDividerStep(anchor);
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
    sym->LimitDividerPoint(m_nDragDivider, fig->m_rect, limited, 0, nullptr, -1);
    if (limited == m_ptLastDrag && !m_bReFeed)
        return;
    m_pDoc->InvalidateObj(fig);
    if (sym->MoveSpecialHandle(m_nDragDivider, fig->m_rect, limited, 0))
        m_ptLastDrag = limited;
    else if (m_ptLastDrag.x > -32000)
        sym->MoveSpecialHandle(m_nDragDivider, fig->m_rect, m_ptLastDrag, 0);
    m_pDoc->InvalidateObj(fig);
}

int CKavoView::TrackDividerDrag(const CPoint& client)
{
    if (!m_bDividerDrag || !m_pDoc || !m_pDividerFig)
        return 0;
    const CPoint pt = ClientPtToLogical(client);
    MoveDividerStep(ClampPtToWorkSpace(pt));
    return 1;
}

// The drag is kept by logging the figure with its old symbol first, so an
// undo points it back; a refused record drops the drag as a cancel does.
int CKavoView::EndDividerDrag()
{
    if (!m_bDividerDrag)
        return 0;
    CFigure* fig = m_pDividerFig;
    const int copy = fig->m_props.Symbol;
    CUndoLog& log = m_pDoc->UndoLogRef();
    log.UndoBeginStep(UDMAC_RESHAPE);
    fig->m_props.Symbol = m_nSavedSymbol;
    const bool logged = m_pDoc->LogFigureState(fig) != 0;
    fig->m_props.Symbol = copy;
    log.UndoEndStep();
    if (!logged)
        return CancelDividerDrag(0);
    m_pDoc->InvalidateObj(fig);
    m_pDoc->SetModifiedFlag(true);
    m_bDividerDrag = 0;
    m_pDividerFig = nullptr;
    ReleaseCapture();
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
    const int copy = fig->m_props.Symbol;
    m_pDoc->InvalidateObj(fig);
    fig->m_props.Symbol = m_nSavedSymbol;
    m_pDoc->m_figSymbols.Delete(copy);
    m_pDoc->InvalidateObj(fig);
    m_bDividerDrag = 0;
    m_pDividerFig = nullptr;
    ReleaseCapture();
    UpdateStatusText();
    return 1;
}
