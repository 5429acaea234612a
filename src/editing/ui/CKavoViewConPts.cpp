// Connection-point editing (UI mode 7): a click on a figure adds a point
// there, a press on a point drags it over its figure (its square drawn
// inverted), and the context menu deletes, adds or opens the properties of
// the point under the pointer. Each change is one undo step.
#include "editing/ui/CKavoView.h"
#include "editing/ui/ViewContextMenu.h"
#include "editing/ui/ViewCursors.h"

#include "core/GridSnap.h"
#include "core/MessageBeep.h"
#include "core/Settings.h"
#include "core/StringHelpers.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "editing/GestureRules.h"
#include "platform/CPainterDC.h"
#include "platform/Prompt.h"

#include <QMenu>

#include <algorithm>

namespace {
constexpr int kIdsDragConPt = 11901, kIdsAddConPt = 11902, kIdsConPtIdle = 11903, kIdsConPtProps = 11904,
              kIdsMenuAdd = 2041, kIdsMenuDelete = 2042;
constexpr int kCmdDeleteConPt = 32811, kCmdAddConPt = 32812, kCmdConPtProps = 32813;
// Half the side of the square that marks a dragged point, in pixels.
constexpr int kConPtSquareHalf = 3;

CKavoView::ConPtMenuRunner g_conPtMenu = nullptr;
CKavoView::ConPtSheetOpener g_conPtSheet = nullptr;

int ShowConPtMenu(CKavoView& view, const CPoint& client, const CKavoView::ConPtMenuItems& items)
{
    QMenu menu(&view);
    const auto add = [&menu](int text, int command, bool enabled) {
        QAction* a = menu.addAction(QString::fromLatin1(ResText(text).c_str()));
        a->setData(command);
        a->setEnabled(enabled);
    };
    if (items.hasPoint)
        add(kIdsMenuDelete, kCmdDeleteConPt, items.deleteEnabled);
    add(kIdsMenuAdd, kCmdAddConPt, items.addEnabled);
    add(kIdsConPtProps, kCmdConPtProps, true);
    QAction* chosen = menu.exec(view.viewport()->mapToGlobal(QPoint(client.x, client.y)));
    return chosen ? chosen->data().toInt() : 0;
}
} // namespace

void CKavoView::SetConPtMenuRunner(ConPtMenuRunner runner)
{
    g_conPtMenu = runner;
}

void CKavoView::SetConPtSheetOpener(ConPtSheetOpener opener)
{
    g_conPtSheet = opener;
}

CFigure* CKavoView::ConPtFigAt(const CPoint& pt)
{
    m_nHitTolerance = std::max(1, int(ClientLenToLogical(int(HandleSize)) + 0.5));
    return m_pDoc ? m_pDoc->FindTopFig(pt.x, pt.y, m_nHitTolerance, false, false, nullptr, -1, 0, 0) : nullptr;
}

// Kept in the work space; a figure with high bit 4 takes its points on the
// centre line along its longer side.
CPoint CKavoView::SnapConPtPoint(const CFigure* fig, const CPoint& pt) const
{
    CPoint p = ClampPtToWorkSpace(pt);
    if (fig && fig->HasFlags(0, 4)) {
        if (fig->m_rect.Height() > fig->m_rect.Width())
            p.x = fig->GetCenter().x;
        else
            p.y = fig->GetCenter().y;
    }
    return p;
}

// The dragged point's place: where it was, moved as far as the pointer has
// from the press, on the grid when the document snaps.
CPoint CKavoView::ConPtDragPlace(const CPoint& client) const
{
    CPoint at;
    if (!m_pConPtFig || !m_pConPtFig->m_pConPts ||
        !m_pConPtFig->m_pConPts->GetConPtPoint(m_nDragConPt, m_pConPtFig->m_rect, at))
        return ClientPtToLogical(client);
    const CPoint from = ClientPtToLogical(m_ptConPtStart), to = ClientPtToLogical(client);
    at.Offset(to.x - from.x, to.y - from.y);
    if (m_pDoc->m_bAlignToGrid) {
        // The grid runs from the figure's corner.
        const CPoint corner = m_pConPtFig->m_rect.TopLeft();
        at.Offset(-corner.x, -corner.y);
        SnapToGridStep(at.x, m_pDoc->m_nSnapX);
        SnapToGridStep(at.y, m_pDoc->m_nSnapY);
        at.Offset(corner.x, corner.y);
    }
    if (m_pConPtFig->HasFlags(0, 4)) {
        const CRect& r = m_pConPtFig->m_rect;
        if (r.Height() > r.Width())
            at.x = r.CenterPoint().x;
        else
            at.y = r.CenterPoint().y;
    }
    return at;
}

void CKavoView::DrawConPtSquare(const CPoint& logical)
{
    const int half = ClientLenToLogical(kConPtSquareHalf);
    std::unique_ptr<CPainterDC> dc = GetClientDC();
    CPen pen(PS_SOLID, 1, 0);
    CPen* oldPen = dc->SelectObject(&pen);
    CGdiObject* oldBrush = dc->SelectStockObject(HOLLOW_BRUSH);
    const int oldRop = dc->SetROP2(R2_NOT);
    dc->Rectangle(logical.x - half, logical.y - half, logical.x + half + 1, logical.y + half + 1);
    dc->SetROP2(oldRop);
    if (oldBrush)
        dc->SelectObject(static_cast<CBrush*>(oldBrush));
    dc->SelectObject(oldPen);
    dc->Flush();
    viewport()->update();
}

void CKavoView::ShowConPtHover(bool show, const CPoint& logical)
{
    if (m_bConPtHoverShown && (!show || logical != m_ptConPtHover)) {
        DrawConPtSquare(m_ptConPtHover);
        m_bConPtHoverShown = 0;
    }
    if (!show || m_bConPtHoverShown)
        return;
    FlushPaint();
    m_ptConPtHover = logical;
    DrawConPtSquare(logical);
    m_bConPtHoverShown = 1;
}

int CKavoView::OnConPtMouseMove(const CPoint& client)
{
    if (!m_pDoc)
        return 0;
    const CPoint pt = ClientPtToLogical(client);
    if (m_bConPtDragging) {
        // The point stays on its figure; a short move is still a click.
        if (ConPtFigAt(pt) != m_pConPtFig)
            return 1;
        if (!m_bConPtMoved && !IsPastClickDistance(m_ptConPtStart, client))
            return 1;
        m_bConPtMoved = 1;
        m_ptConPtLast = client;
        const CPoint place = ConPtDragPlace(client);
        if (m_bConPtShown)
            DrawConPtSquare(m_ptConPtShown);
        else
            FlushPaint();
        DrawConPtSquare(place);
        m_ptConPtShown = place;
        m_bConPtShown = 1;
        return 1;
    }
    CFigure* fig = ConPtFigAt(pt);
    SetViewCursor(fig ? kCursorConPt : int(Qt::ArrowCursor));
    if (!fig) {
        ShowConPtHover(false);
        ShowStatus(ResText(kIdsConPtIdle));
        return 1;
    }
    const int key = fig->ConPtFromPoint(pt, m_nHitTolerance, false);
    const CConPt* p = key > 0 && fig->m_pConPts ? fig->m_pConPts->FindById(key) : nullptr;
    CPoint at;
    if (p && fig->m_pConPts->GetConPtPoint(key, fig->m_rect, at)) {
        ShowConPtHover(true, at);
        ShowStatus(p->m_strName.empty() ? ResText(kIdsDragConPt) : p->m_strName);
    } else {
        ShowConPtHover(m_pDoc->AcceptsConPts(fig), SnapConPtPoint(fig, pt));
        ShowStatus(ResText(kIdsAddConPt));
    }
    return 1;
}

int CKavoView::OnConPtButtonDown(const CPoint& client)
{
    if (!m_pDoc)
        return 0;
    ShowConPtHover(false);
    const CPoint pt = ClientPtToLogical(client);
    CFigure* fig = ConPtFigAt(pt);
    if (!fig) {
        MessageBeep(MB_ICONEXCLAMATION);
        return 1;
    }
    const CPoint snapped = SnapConPtPoint(fig, pt);
    if (m_pDoc->AcceptsConPts(fig)) {
        int key = fig->ConPtFromPoint(pt, m_nHitTolerance, false);
        if (key <= 0)
            key = fig->ConPtFromPoint(snapped, m_nHitTolerance, false);
        if (key > 0) {
            m_nDragConPt = key;
            m_pConPtFig = fig;
            m_ptConPtStart = m_ptConPtLast = client;
            m_bConPtMoved = 0;
            m_bConPtShown = 0;
            m_bConPtDragging = 1;
            CaptureMouse();
            return 1;
        }
        if (m_pDoc->AddConPtWithUndo(fig, snapped, nullptr, false))
            return 1;
    }
    MessageBeep(MB_ICONEXCLAMATION);
    return 1;
}

int CKavoView::OnConPtButtonUp(const CPoint& client)
{
    if (!m_bConPtDragging)
        return 0;
    ConPtDragCancel(1);
    if (m_bConPtMoved && client != m_ptConPtStart && m_pDoc && m_pConPtFig)
        m_pDoc->MoveConPtWithUndo(m_pConPtFig, m_nDragConPt, ConPtDragPlace(client));
    return ConPtDragCancel(0);
}

int CKavoView::ConPtDragCancel(int eraseOnly)
{
    if (!m_bConPtDragging)
        return 0;
    if (m_bConPtShown)
        DrawConPtSquare(m_ptConPtShown);
    m_bConPtShown = 0;
    if (eraseOnly)
        return 1;
    m_bConPtDragging = 0;
    m_bConPtMoved = 0;
    m_pConPtFig = nullptr;
    m_nDragConPt = -1;
    ReleaseCapture();
    return 1;
}

void CKavoView::OnConPtContextMenu(const CPoint& client)
{
    if (!m_pDoc || m_bConPtDragging)
        return;
    const CPoint pt = ClientPtToLogical(client);
    CFigure* fig = ConPtFigAt(pt);
    if (!fig)
        return;
    m_pMenuConPtFig = fig;
    m_nMenuConPt = fig->ConPtFromPoint(pt, m_nHitTolerance, false);
    m_ptMenuConPt = SnapConPtPoint(fig, pt);
    ConPtMenuItems items;
    items.hasPoint = m_nMenuConPt > 0;
    items.deleteEnabled = items.hasPoint && m_pDoc->CountConsAtConPt(fig, m_nMenuConPt) == 0;
    items.addEnabled = m_pDoc->AcceptsConPts(fig);
    CPoint marked = m_ptMenuConPt;
    if (items.hasPoint)
        fig->m_pConPts->GetConPtPoint(m_nMenuConPt, fig->m_rect, marked);
    ShowConPtHover(true, marked);
    m_conPtMenuItems = items;
    // The hook's menus open by the press point themselves; the main window's
    // hook shows this one through RunConPtMenu.
    if (!g_conPtMenu && m_contextMenuHook) {
        OpenContextMenu(kConPtMenu, client);
        ShowConPtHover(false);
        return;
    }
    RunConPtMenu(*this, client);
}

void RunConPtMenu(CKavoView& view, const CPoint& client)
{
    const CPoint at(client.x + 2, client.y + 2);
    const CKavoView::ConPtMenuItems items = view.ConPtMenuState();
    const int command = g_conPtMenu ? g_conPtMenu(view, at, items) : ShowConPtMenu(view, at, items);
    view.ShowConPtHover(false);
    if (command)
        view.OnConPtCommand(command);
}

void CKavoView::OnConPtCommand(int id)
{
    CFigure* fig = m_pMenuConPtFig;
    if (!m_pDoc || !fig)
        return;
    switch (id) {
    case kCmdDeleteConPt:
        // Points that connectors use are not offered for deletion.
        if (m_nMenuConPt > 0 && m_pDoc->CountConsAtConPt(fig, m_nMenuConPt) == 0)
            m_pDoc->DelConPtWithUndo(fig, m_nMenuConPt);
        break;
    case kCmdAddConPt:
        if (!m_pDoc->AddConPtWithUndo(fig, m_ptMenuConPt, nullptr, false))
            MessageBeep(MB_ICONEXCLAMATION);
        break;
    case kCmdConPtProps:
        m_pDoc->SelectObj(fig, 1, 0, 0);
        if (g_conPtSheet)
            g_conPtSheet(*this, fig, m_nMenuConPt);
        break;
    default:
        break;
    }
}
