#include "editing/ui/CKavoView.h"

#include "core/Settings.h"
#include "core/Trace.h"
#include "core/UIMode.h"
#include "document/CKavoDoc.h"
#include "editing/ui/CRulerBar.h"
#include "editing/ui/CTextDialog.h"
#include "platform/CGraphics.h"
#include "platform/CPainterDC.h"
#include "render/DocDrawObjects.h"
#include "render/ViewPaint.h"

#include <QEvent>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace {
constexpr int kPagePercent = 25;
constexpr int kLinePercent = 5;
CKavoView* (*g_activeViewFinder)() = nullptr;
} // namespace

CKavoView* GetActiveKavoView()
{
    return g_activeViewFinder ? g_activeViewFinder() : nullptr;
}

void SetActiveKavoViewFinder(CKavoView* (*finder)())
{
    g_activeViewFinder = finder;
}

CKavoView::CKavoView(CKavoDoc* doc, QWidget* parent) : CZoomView(parent), m_pDoc(doc)
{
    // A new view always starts in select mode.
    g_nUIMode = 0;
    setFrameShape(QFrame::NoFrame);
    setFocusPolicy(Qt::StrongFocus);
    // Moves without a button pressed set the cursor and the prompt.
    viewport()->setMouseTracking(true);
    ConnectScrollBarNavigation();
    if (m_pDoc)
        m_pDoc->AddView(this);
    new CRulerBar(this, true);
    new CRulerBar(this, false);
    ApplyRulerMargins();
    setAttribute(Qt::WA_InputMethodEnabled);
    // Pictures dragged in from other programs (CKavoViewDrop.cpp).
    setAcceptDrops(true);
    InstallViewTextEditing();
    DiagPrintf("STAT  Create diagram\n");
}

CKavoView::~CKavoView()
{
    // What was typed is kept.
    CloseEditor();
    ForgetDropPicture(true);
    if (m_pDoc)
        m_pDoc->RemoveView(this);
}

void CKavoView::ApplyRulerMargins()
{
    const bool rulers = ShowRulers != 0 && !isMinimized();
    setViewportMargins(rulers ? kRulerBand : 0, rulers ? kRulerBand : 0, 0, 0);
    for (CRulerBar* band : findChildren<CRulerBar*>(QString(), Qt::FindDirectChildrenOnly))
        band->Place(rulers);
}

void CKavoView::RedrawFrameNow()
{
    if (isMinimized())
        return;
    ApplyRulerMargins();
    m_nRulerUpdate = kRulerVertical | kRulerHorizontal | kRulerCorner;
    InvalidateAll();
}

void CKavoView::changeEvent(QEvent* event)
{
    CZoomView::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        ApplyRulerMargins();
}

void CKavoView::OnInitialUpdate()
{
    if (!m_pDoc)
        return;
    if (viewport()->width() <= 0 || viewport()->height() <= 0)
        resize(400, 300);
    ApplyRulerMargins();
    const float zoom = m_pDoc->m_fViewScale;
    const CPoint pos = m_pDoc->m_ptViewOrigin;
    m_bInitialised = true;
    SetScrollSizesForView(pos, zoom);
    if (zoom == 100.0f && pos == CPoint(0, 0))
        m_bZoomPageWidthPending = true;
}

void CKavoView::OnActivateView(bool activate)
{
    DiagPrintf("STAT  CKavoView::OnActivateView()\n");
    if (activate && m_bZoomPageWidthPending && m_pDoc) {
        m_bZoomPageWidthPending = false;
        ++m_pDoc->m_nUpdateLock;
        OnZoomPageWidth();
        --m_pDoc->m_nUpdateLock;
        InvalidateAll();
    }
    DiagPrintf("STAT  CKavoView::OnActivateView() exit\n");
}

void CKavoView::OnDocUpdate(IDocView*, int hint, const CRect* rect)
{
    bool all = false;
    CRect client;
    if (!HintRepaintRect(hint, rect, m_ctx.handleSize, m_map, all, client))
        return;
    if (all) {
        m_nRulerUpdate = kRulerVertical | kRulerHorizontal | kRulerCorner;
        InvalidateAll();
        return;
    }
    InvalidateClient(QRect(client.left, client.top, client.Width(), client.Height()));
}

void CKavoView::RenderArea(CDC& dc, const QRect& rc)
{
    const CRect clipDev(rc.left(), rc.top(), rc.right() + 1, rc.bottom() + 1);
    const CPoint pos = GetDeviceScrollPosition();
    const CPoint tl = m_map.DeviceToLogical(CPoint(clipDev.left + pos.x, clipDev.top + pos.y));
    const CPoint br = m_map.DeviceToLogical(CPoint(clipDev.right + pos.x, clipDev.bottom + pos.y));
    CRect clipLog(tl.x, tl.y, br.x, br.y);
    clipLog.NormalizeRect();
    FillScreenDrawCtx(m_ctx, m_map, clipLog);
    OnDraw(dc);
}

bool CKavoView::RenderAreaToBitmap(const QRect& area, QImage& bitmap)
{
    if (area.isEmpty())
        return false;
    QImage image(area.size(), QImage::Format_RGB32);
    if (image.isNull())
        return false;
    image.fill(Qt::white);
    {
        CPainterDC dc(&image);
        OnPrepareDC(dc);
        dc.OffsetViewportOrg(-area.left(), -area.top());
        // The clip is the area itself even while a text is edited: the
        // editor may reach beyond the figure it edits, and every pixel of
        // its background must be drawn.
        RenderArea(dc, area);
        dc.Flush();
    }
    bitmap = std::move(image);
    return true;
}

void CKavoView::OnDraw(CDC& dc)
{
    if (!m_pDoc)
        return;
    if (m_ctx.mode == 0 || m_ctx.mode == 1)
        DrawPageBackground(dc, *m_pDoc, m_ctx.clipRect, m_ctx.handleSize, UnitsPerPixel(m_map));
    CGraphics graphics(&dc);
    DrawDocObjects(*m_pDoc, &graphics, &dc, m_ctx);
    if (m_ctx.mode == 2)
        DrawPrintCropMarks(dc, *m_pDoc, m_ctx.pageIndex);
}

void CKavoView::paintEvent(QPaintEvent* event)
{
    CZoomView::paintEvent(event);
    if (!ShowRulers)
        return;
    // Every repaint follows a scroll or zoom: the rulers repaint when what
    // they show has moved.
    FeedRulers();
    if (m_nRulerUpdate) {
        m_nRulerUpdate = 0;
        for (CRulerBar* band : findChildren<CRulerBar*>(QString(), Qt::FindDirectChildrenOnly))
            band->update();
    }
}

void CKavoView::FeedRulers()
{
    if (!m_pDoc)
        return;
    // Centimetres in tenths, or inches in halves down to sixteenths; the
    // unit origin is the page's top-left corner.
    RulerMetrics m;
    m.levels = Metric ? 2 : 4;
    const int metric[5] = {0, 10, 0, 0, 0}, inch[5] = {0, 2, 2, 2, 0};
    std::copy_n(Metric ? metric : inch, 5, m.divisors);
    const int units = Metric ? kRulerMetricUnits : kRulerInchUnits;
    // Many units measured at once keep the scale's fraction.
    constexpr int kSpan = 64;
    const CRect page = GetPageAreaRect(*m_pDoc);
    const CPoint origin = LogicalPtToClient(page.TopLeft());
    const CPoint far = LogicalPtToClient(CPoint(page.left + units * kSpan, page.top + units * kSpan));
    for (CRulerBar* band : findChildren<CRulerBar*>(QString(), Qt::FindDirectChildrenOnly)) {
        const bool h = band->IsHorizontal();
        m.scale = double(h ? far.x - origin.x : far.y - origin.y) / kSpan;
        m.offset = -double(h ? origin.x : origin.y);
        band->SetMetrics(m);
    }
}

void CKavoView::OnSize()
{
    CZoomView::OnSize();
    for (CRulerBar* band : findChildren<CRulerBar*>(QString(), Qt::FindDirectChildrenOnly))
        band->Place(ShowRulers != 0 && !isMinimized());
    if (!isMinimized() && m_bInitialised)
        SetScrollSizesForView(GetViewAnchorPoint(kAnchorTopLeft), GetZoom());
    if (m_pTextDlg)
        m_pTextDlg->PlaceOverText(true);
    InvalidateAll();
}

// ---- coordinates

CPoint CKavoView::ClientPtToLogical(const CPoint& p) const
{
    const CPoint pos = GetDeviceScrollPosition();
    return m_map.DeviceToLogical(CPoint(p.x + pos.x, p.y + pos.y));
}

CPoint CKavoView::LogicalPtToClient(const CPoint& p) const
{
    const CPoint pos = GetDeviceScrollPosition();
    const CPoint d = m_map.LogicalToDevice(p);
    return CPoint(d.x - pos.x, d.y - pos.y);
}

CRect CKavoView::ClientRectToLogical(const CRect& rc) const
{
    const CPoint a = ClientPtToLogical(rc.TopLeft()), b = ClientPtToLogical(rc.BottomRight());
    return CRect(a.x, a.y, b.x, b.y);
}

CRect CKavoView::LogicalRectToClient(const CRect& rc) const
{
    const CPoint a = LogicalPtToClient(rc.TopLeft()), b = LogicalPtToClient(rc.BottomRight());
    return CRect(a.x, a.y, b.x, b.y);
}

int CKavoView::LogicalLenToClient(int len) const
{
    return LogicalPtToClient(CPoint(len, 0)).x - LogicalPtToClient(CPoint(0, 0)).x;
}

int CKavoView::ClientLenToLogical(int len) const
{
    return ClientPtToLogical(CPoint(len, 0)).x - ClientPtToLogical(CPoint(0, 0)).x;
}

CRect CKavoView::GetLogicalClientRect()
{
    m_rcLogicalClient = ClientRectToLogical(CRect(0, 0, viewport()->width(), viewport()->height()));
    return m_rcLogicalClient;
}

CSize CKavoView::GetLogicalClientSize() const
{
    const CRect rc = ClientRectToLogical(CRect(0, 0, viewport()->width(), viewport()->height()));
    return CSize(rc.Width(), rc.Height());
}

CPoint CKavoView::ClampPtToWorkSpace(const CPoint& p) const
{
    if (!m_pDoc)
        return CPoint(0, 0);
    return CPoint(std::clamp(p.x, m_rcWorkSpace.left, std::max(m_rcWorkSpace.left, m_rcWorkSpace.right)),
                  std::clamp(p.y, m_rcWorkSpace.top, std::max(m_rcWorkSpace.top, m_rcWorkSpace.bottom)));
}

bool CKavoView::IsCursorOverView() const
{
    return underMouse();
}

void CKavoView::SetZoomAndScroll(float zoom, int x, int y)
{
    SetScrollSizesForView(CPoint(x, y), zoom);
}

bool CKavoView::GetVisibleLogicalRect(CRect& rc) const
{
    if (!m_pDoc)
        return false;
    rc = ClientRectToLogical(CRect(0, 0, viewport()->width(), viewport()->height()));
    rc.NormalizeRect();
    return true;
}

// ---- work space and scroll sizes

void CKavoView::SetWorkSpace(const CPoint& anchor, float zoom)
{
    if (!m_pDoc)
        return;
    if (!LimitedWorkspace) {
        m_rcWorkSpace = ClampWorkSpace(m_pDoc->m_rcWorkSpace);
    } else {
        const CRect page = GetPageAreaRect(*m_pDoc);
        const CRect objs = DocObjectsBounds(*m_pDoc, false);
        const bool offPage = !objs.IsRectEmpty() && (objs.left < page.left - 1 || objs.top < page.top - 1 ||
                                                     objs.right > page.right + 3 || objs.bottom > page.bottom + 3);
        DiagPrintf("bObjectsOffPage = %d\n", offPage ? 1 : 0);
        const bool pageWidth = IsPageWidthZoom(&anchor, &zoom);
        if (pageWidth)
            DiagPrintf("CKavoView::SetWorkSpace() detected page width zoom\n");
        const CSize client(viewport()->width(), viewport()->height());
        m_rcWorkSpace = ComputeLimitedWorkSpace(*m_pDoc, anchor, ::ClientSizeAtZoom(client, ClampZoom(zoom)),
                                                pageWidth);
    }
    DiagPrintf("Workspace set to %d,%d,%d,%d\n", m_rcWorkSpace.top, m_rcWorkSpace.left, m_rcWorkSpace.bottom,
               m_rcWorkSpace.right);
}

void CKavoView::SetScrollSizesForView(const CPoint& anchor, float zoom)
{
    DiagPrintf("SetScrollSizesForView() called SetWorkSpace()\n");
    if (ScreenHeight == 0)
        ScreenHeight = 9;
    if (!m_pDoc)
        return;
    SetWorkSpace(anchor, zoom);
    m_map.m_rectWorkLog = m_rcWorkSpace;
    setUpdatesEnabled(false);
    CRect page = GetPageAreaRect(*m_pDoc);
    if (page.IsRectEmpty())
        page = CRect(0, 0, 2201, 2845);
    SetZoomScrollSizes(PageSizeForScrolling(CSize(page.Width(), page.Height())), page, kPagePercent,
                       kLinePercent);
    m_map.SetZoomValue(zoom);
    UpdateBars();
    ScrollToViewAnchorPoint(anchor, kAnchorTopLeft, false);
    setUpdatesEnabled(true);
    InvalidateAll();
}
