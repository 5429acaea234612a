// The zoom commands of the diagram view: limits, zoom to a percentage
// around a point, zoom to a rectangle, and the menu, button and key commands.
#include "editing/ui/CKavoView.h"

#include "core/MessageBeep.h"
#include "core/NumericHelpers.h"
#include "core/Settings.h"
#include "core/Trace.h"
#include "core/UIMode.h"
#include "document/CKavoDoc.h"
#include "geometry/IntGeometry.h"
#include "platform/Prompt.h"
#include "platform/WinTypes.h"
#include "render/ViewPaint.h"
#include "undo/UndoCodes.h"

#include <cmath>

namespace {
constexpr int kLastSelectMode = 6;
constexpr int kWholePageMargin = 64;
// Pixels of off-page area shown on each side of the page at page width, so
// that the page's edges stand clear of the rulers and the window's sides.
constexpr int kPageWidthGutter = 8;
} // namespace

CSize CKavoView::ClientSizeAtZoom(float percent) const
{
    return ::ClientSizeAtZoom(CSize(viewport()->width(), viewport()->height()), percent);
}

float CKavoView::GetMaxZoom() const
{
    if (!m_pDoc)
        return 0.0f;
    // The document's work space: its device extent must stay within 32767
    // pixels at any zoom the commands reach.
    return MaxZoomForWorkWidth(m_pDoc->m_rcWorkSpace.Width());
}

float CKavoView::GetMinZoom() const
{
    if (!m_pDoc)
        return kZoomMin;
    // Against the document's work space: the view's own one follows the zoom
    // (it always covers the visible area), so it cannot bound it.
    const CRect& ws = m_pDoc->m_rcWorkSpace;
    return MinZoomForWork(CSize(ws.Width(), ws.Height()), CSize(viewport()->width(), viewport()->height()));
}

bool CKavoView::ClampZoomToLimits(float& percent) const
{
    return ::ClampZoomToLimits(percent, GetMinZoom(), GetMaxZoom());
}

float CKavoView::GetPageWidthPercent() const
{
    if (!m_pDoc)
        return 0.0f;
    const CRect page = GetPageAreaRect(*m_pDoc);
    if (page.Width() <= 0)
        return 0.0f;
    const float p = PercentForFit(std::max(1, viewport()->width() - 2 * kPageWidthGutter), page.Width());
    DiagPrintf("CKavoView::GetPageWidthPercent()=%f\n", double(p));
    return p;
}

CPoint CKavoView::PageWidthAnchor(float percent) const
{
    if (!m_pDoc)
        return CPoint(0, 0);
    const CRect page = GetPageAreaRect(*m_pDoc);
    const int gutter = ::ClientSizeAtZoom(CSize(kPageWidthGutter, kPageWidthGutter), percent).cx;
    return CPoint(page.left - gutter, page.top - gutter);
}

bool CKavoView::IsPageWidthZoom(const CPoint* point, const float* percent) const
{
    const CPoint pt = point ? *point : GetViewAnchorPoint(kAnchorTopLeft);
    const float p = GetPageWidthPercent();
    if (p == 0.0f)
        return pt == CPoint(0, 0);
    if (p != (percent ? *percent : GetZoom()))
        return false;
    // The work space may round the corner by a unit or two.
    const CPoint anchor = PageWidthAnchor(p);
    const int slack = std::max(2, (anchor.y - GetPageAreaRect(*m_pDoc).top) / -2);
    return std::abs(pt.x - anchor.x) <= slack && std::abs(pt.y - anchor.y) <= slack;
}

void CKavoView::AfterZoomCommand()
{
    EnterUIMode(kLastSelectMode, 0);
}

bool CKavoView::ZoomToPercent(float percent)
{
    ClampZoomToLimits(percent);
    DiagPrintf("STAT  ZoomToPercent(%f)\n", double(percent));
    if (!m_pDoc)
        return false;
    CPoint pt;
    bool keepRatio;
    if (m_pDoc->HasSelection()) {
        pt = DocObjectsBounds(*m_pDoc, true).CenterPoint();
        keepRatio = false;
    } else {
        pt = ClientPtToLogical(CPoint(viewport()->width() / 2, viewport()->height() / 2));
        keepRatio = true;
    }
    CloseTextEditor();
    const bool done = ZoomToPercentPtd(percent, pt.x, pt.y, keepRatio);
    AfterZoomCommand();
    return done;
}

bool CKavoView::ZoomToPercentPtd(float percent, int x, int y, bool keepRatio)
{
    DiagPrintf("STAT  ZoomToPercentPtd(%F,%d,%d,%d)\n", double(percent), x, y, keepRatio ? 1 : 0);
    if (!m_pDoc)
        return false;
    ClampZoomToLimits(percent);
    if (percent == GetZoom())
        return false;
    double rx = 0.5, ry = 0.5;
    const CPoint anchor = GetViewAnchorPoint(kAnchorTopLeft);
    const CSize vis = GetLogicalClientSize();
    const CRect visible(anchor.x, anchor.y, anchor.x + vis.cx, anchor.y + vis.cy);
    if (keepRatio && visible.PtInRect(CPoint(x, y)) && vis.cx > 0 && vis.cy > 0) {
        rx = double(x - visible.left) / vis.cx;
        ry = double(y - visible.top) / vis.cy;
    }
    const CSize size = ClientSizeAtZoom(percent);
    CRect rc(int(x - size.cx * rx), int(y - size.cy * ry), 0, 0);
    rc.right = rc.left + size.cx;
    rc.bottom = rc.top + size.cy;
    KeepRectInRect(rc, m_pDoc->m_rcWorkSpace);
    if (m_rcWorkSpace.Width() < rc.Width() && m_rcWorkSpace.Height() < rc.Height()) {
        const CPoint c = m_rcWorkSpace.CenterPoint();
        rc.OffsetRect(c.x - rc.CenterPoint().x, c.y - rc.CenterPoint().y);
    }
    return ZoomToRect(rc);
}

bool CKavoView::ZoomToRect(const CRect& rectIn)
{
    if (!m_pDoc)
        return false;
    const CPoint anchor = GetViewAnchorPoint(kAnchorTopLeft);
    m_pDoc->UndoBeginStep(UDMAC_ZOOM);
    m_pDoc->LogView(anchor.x, anchor.y, GetZoom());
    m_pDoc->UndoEndStep();
    // Fit the rectangle: the client's aspect, at least the client at the
    // largest zoom, inside the work space.
    CRect rc = rectIn;
    rc.NormalizeRect();
    const CSize client(viewport()->width(), viewport()->height());
    if (client.cx > 0 && client.cy > 0)
        CoverRectKeepAspect(rc, client.cx, client.cy);
    const CSize atMax = ClientSizeAtZoom(GetMaxZoom());
    if (rc.Width() < atMax.cx || rc.Height() < atMax.cy) {
        const CPoint c = rc.CenterPoint();
        rc = CRect(c.x - atMax.cx / 2, c.y - atMax.cy / 2, c.x - atMax.cx / 2 + atMax.cx,
                   c.y - atMax.cy / 2 + atMax.cy);
        if (client.cx > 0 && client.cy > 0)
            CoverRectKeepAspect(rc, client.cx, client.cy);
    }
    KeepRectInRect(rc, m_pDoc->m_rcWorkSpace);
    float zoom = PercentForFit(client.cx, rc.Width());
    if (!(zoom > 0))
        zoom = GetZoom();
    ClampZoomToLimits(zoom);
    SetScrollSizesForView(rc.TopLeft(), zoom);
    m_nRulerUpdate |= kRulerVertical | kRulerHorizontal;
    return true;
}

void CKavoView::OnZoomInKey()
{
    DiagPrintf("USER  Zoom in\n");
    ZoomToPercent(GetZoom() * 1.5f);
}

void CKavoView::OnZoomOutKey()
{
    DiagPrintf("USER  Zoom out\n");
    ZoomToPercent(GetZoom() * 0.6666667f);
}

void CKavoView::OnZoomInButton()
{
    DiagPrintf("USER  Zoom in Btn\n");
    m_nRulerUpdate |= kRulerVertical | kRulerHorizontal;
    if (const int target = ZoomInButtonTarget(GetZoom(), Zoom))
        ZoomToPercent(float(target));
}

void CKavoView::OnZoomOutButton()
{
    DiagPrintf("USER  Zoom out Btn\n");
    m_nRulerUpdate |= kRulerVertical | kRulerHorizontal;
    if (const int target = ZoomOutButtonTarget(GetZoom(), Zoom))
        ZoomToPercent(float(target));
}

void CKavoView::OnZoomPreset(int entry)
{
    if (entry >= 0 && entry < 6)
        ZoomToPercent(float(Zoom[entry]));
}

void CKavoView::OnZoomPageWidth()
{
    DiagPrintf("USER  Zoom page width\n");
    CloseTextEditor();
    if (!m_pDoc || !HasPageSize(*m_pDoc))
        return;
    const CPoint anchor = GetViewAnchorPoint(kAnchorTopLeft);
    m_pDoc->UndoBeginStep(UDMAC_ZOOM);
    m_pDoc->LogView(anchor.x, anchor.y, GetZoom());
    m_pDoc->UndoEndStep();
    const float p = GetPageWidthPercent();
    if (p == 0.0f)
        return;
    // Page width is not held to the zoom limits; the view's own clamp to
    // [10, 1000] still applies.
    SetScrollSizesForView(PageWidthAnchor(p), p);
    m_nRulerUpdate |= kRulerVertical | kRulerHorizontal;
}

void CKavoView::OnZoomWholePage()
{
    DiagPrintf("USER  Zoom whole page\n");
    CloseTextEditor();
    if (!m_pDoc || !HasPageSize(*m_pDoc))
        return;
    CRect page = GetPageAreaRect(*m_pDoc);
    page.InflateRect(kWholePageMargin, kWholePageMargin);
    const int cw = std::max(1, viewport()->width()), ch = std::max(1, viewport()->height());
    const int a = MulDiv(page.Width(), ch, cw);
    if (page.top + a < page.bottom) {
        const int grow = (MulDiv(page.Height(), cw, ch) - page.Width()) / 2;
        page.InflateRect(grow, 0);
    } else {
        page.InflateRect(0, (a - page.Height()) / 2);
    }
    ZoomToRect(page);
    AfterZoomCommand();
}

void CKavoView::OnZoomAllObjects()
{
    DiagPrintf("USER  Zoom all objects\n");
    if (!m_pDoc)
        return;
    CRect rc = DocObjectsBounds(*m_pDoc, false);
    if (rc.Width() <= 0 || rc.Height() <= 0) {
        MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    rc.InflateRect(rc.Width() / 20, rc.Height() / 20);
    ZoomToRect(rc);
    AfterZoomCommand();
}

void CKavoView::OnZoomSelectedObjects()
{
    DiagPrintf("USER  Zoom ected objects\n");
    if (!m_pDoc)
        return;
    CRect rc = DocObjectsBounds(*m_pDoc, true);
    if (rc.Width() <= 0 || rc.Height() <= 0) {
        MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    rc.InflateRect(rc.Width() / 10, rc.Height() / 10);
    ZoomToRect(rc);
    AfterZoomCommand();
}

int CKavoView::CurrentPageIndex() const
{
    // The page the page commands last showed. Finding it again from the view's
    // anchor cannot work: showing a page widens and moves its rectangle to the
    // window's shape and the work space first.
    if (!m_pDoc)
        return -1;
    const int pages = std::max(1, int(m_pDoc->m_nPosterCols)) * std::max(1, int(m_pDoc->m_nPosterRows));
    return m_nPageShown < pages ? m_nPageShown : -1;
}

bool CKavoView::ZoomToPage(int index)
{
    if (!m_pDoc)
        return false;
    const int cols = std::max(1, int(m_pDoc->m_nPosterCols)), rows = std::max(1, int(m_pDoc->m_nPosterRows));
    if (index < 0 || index >= rows * cols)
        return false;
    const CRect tile = PrintTileRect(*m_pDoc);
    const CRect area = GetPageAreaRect(*m_pDoc);
    CRect rc(tile.left + (index % cols) * tile.Width(), tile.top + (index / cols) * tile.Height(), 0, 0);
    rc.right = rc.left + tile.Width();
    rc.bottom = rc.top + tile.Height();
    rc.InflateRect((area.Width() - tile.Width()) / 2 * 2, (area.Height() - tile.Height()) / 2 * 2);
    if (!ZoomToRect(rc))
        return false;
    m_nPageShown = index;
    return true;
}

void CKavoView::OnZoomPrevPage()
{
    if (!m_pDoc || !ShowPage)
        return;
    const int pages = std::max(1, int(m_pDoc->m_nPosterCols)) * std::max(1, int(m_pDoc->m_nPosterRows));
    const int index = CurrentPageIndex();
    ZoomToPage(index <= 0 ? pages - 1 : index - 1);
    AfterZoomCommand();
}

void CKavoView::OnZoomNextPage()
{
    if (!m_pDoc || !ShowPage)
        return;
    const int pages = std::max(1, int(m_pDoc->m_nPosterCols)) * std::max(1, int(m_pDoc->m_nPosterRows));
    const int index = CurrentPageIndex();
    ZoomToPage(index + 1 >= pages ? 0 : index + 1);
    AfterZoomCommand();
}

bool CKavoView::OnZoomSetIntervals(bool (*run)(QWidget* parent, bool* presetsChanged))
{
    DiagPrintf("USER  Set zoom intervals\n");
    CloseTextEditor();
    const double height = ScreenHeight;
    bool presets = false;
    if (run)
        run(this, &presets);
    if (ScreenHeight != height) {
        // A new calibration changes every view's scale: each keeps its zoom
        // and the point at its top-left corner (read through the old mapping).
        QWidget* top = window();
        for (CKavoView* v : top->findChildren<CKavoView*>())
            v->SetScrollSizesForView(v->GetViewAnchorPoint(kAnchorTopLeft), v->GetZoom());
        if (auto* self = qobject_cast<CKavoView*>(top))
            self->SetScrollSizesForView(GetViewAnchorPoint(kAnchorTopLeft), GetZoom());
    }
    AfterZoomCommand();
    return presets;
}
