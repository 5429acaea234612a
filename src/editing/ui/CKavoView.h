#pragma once
// The window in which a diagram is shown: draws the page and the objects
// through the zooming scroll view, keeps its work space and scroll sizes,
// converts between client and logical coordinates and runs the zoom
// commands. Mouse and keyboard input are dispatched elsewhere.
#include "core/AppContext.h"
#include "document/IDocView.h"
#include "render/CDiagObjDrawCtx.h"
#include "render/ui/CZoomView.h"

class CKavoDoc;

// Ruler-update flags: vertical ruler, horizontal ruler, corner box.
constexpr int kRulerVertical = 1;
constexpr int kRulerHorizontal = 2;
constexpr int kRulerCorner = 4;
// Room the rulers take on the left and at the top.
constexpr int kRulerBand = 21;
// Logical units per ruler division: a centimetre (as the rulers count it)
// or an inch.
constexpr int kRulerMetricUnits = 100;
constexpr int kRulerInchUnits = 256;

class CKavoView : public CZoomView, public IDocView, public IActiveView {
    Q_OBJECT
public:
    explicit CKavoView(CKavoDoc* doc, QWidget* parent = nullptr);
    ~CKavoView() override;

    CKavoDoc* GetDocument() const { return m_pDoc; }
    void OnInitialUpdate();
    void OnActivateView(bool activate);
    // IDocView: hint 0 everything, hint 1 a logical rectangle, others nothing.
    void OnDocUpdate(IDocView* sender, int hint, const CRect* rect) override;
    void OnUpdate(IDocView* sender, int hint, const CRect* rect) { OnDocUpdate(sender, hint, rect); }

    // Drawing (screen, printing and captures).
    void OnDraw(CDC& dc);
    CDiagObjDrawCtx& DrawCtx() { return m_ctx; }

    // ---- coordinates
    CPoint ClientPtToLogical(const CPoint& p) const;
    CPoint LogicalPtToClient(const CPoint& p) const;
    CRect ClientRectToLogical(const CRect& rc) const;
    CRect LogicalRectToClient(const CRect& rc) const;
    int LogicalLenToClient(int len) const;
    int ClientLenToLogical(int len) const;
    CRect GetLogicalClientRect();
    CSize GetLogicalClientSize() const;
    double GetZoomFactor() const { return GetZoom(); }
    CPoint ClampPtToWorkSpace(const CPoint& p) const;
    // Lays the ruler bands out again (the rulers setting changed) and redraws.
    void RedrawFrameNow();

    // ---- work space and scroll sizes
    void SetScrollSizesForView(const CPoint& anchor, float zoom);
    void SetWorkSpace(const CPoint& anchor, float zoom);
    const CRect& WorkSpace() const { return m_rcWorkSpace; }

    // ---- zoom (CKavoViewZoom.cpp)
    float GetMaxZoom() const;
    float GetMinZoom() const;
    bool ClampZoomToLimits(float& percent) const;
    CSize ClientSizeAtZoom(float percent) const;
    float GetPageWidthPercent() const;
    // Page width shows the page's corner a few pixels in from the client's:
    // the top-left point it scrolls to at that percent.
    CPoint PageWidthAnchor(float percent) const;
    bool IsPageWidthZoom(const CPoint* point = nullptr, const float* percent = nullptr) const;
    bool ZoomToPercent(float percent);
    bool ZoomToPercentPtd(float percent, int x, int y, bool keepRatio);
    bool ZoomToRect(const CRect& rect);
    bool ZoomToPage(int index);
    int CurrentPageIndex() const;
    void OnZoomInKey();
    void OnZoomOutKey();
    void OnZoomInButton();
    void OnZoomOutButton();
    void OnZoomPageWidth();
    void OnZoomWholePage();
    void OnZoomAllObjects();
    void OnZoomSelectedObjects();
    void OnZoomPreset(int entry);
    void OnZoomPrevPage();
    void OnZoomNextPage();
    // The zoom settings, asked for through `run` (the dialog, which returns
    // whether anything changed and whether the presets did); true when the
    // zoom presets changed (the zoom menu is then relabelled by its owner).
    bool OnZoomSetIntervals(bool (*run)(QWidget* parent, bool* presetsChanged));
    // Zoom mode (UI mode 5), client coordinates: a band longer than the
    // double-click width zooms to it, a click zooms in 1.5 times around the
    // point.
    void OnZoomModeDown(const CPoint& client);
    void OnZoomModeMove(const CPoint& client);
    void OnZoomModeUp(const CPoint& client);
    bool IsZoomBandActive() const { return m_bZoomBand; }

    int m_nRulerUpdate = 0;
    bool m_bZoomPageWidthPending = false;
    bool m_bInitialised = false;

    // ---- IActiveView
    void OnClearFeedback() override {}
    void EndRubberFigure(bool, bool) override {}
    bool InTextEditMode() const override { return false; }
    bool IsCursorOverView() const override;
    void SetPendingPlacement() override {}
    bool IsTextEditorOpen() const override { return false; }
    bool HasTextEditorSelection() const override { return false; }
    void CloseTextEditor() override {}
    void SetFocus() override { setFocus(); }
    void SetZoomAndScroll(float zoom, int x, int y) override;

protected:
    void RenderArea(CDC& dc, const QRect& rc) override;
    void OnSize() override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void ApplyRulerMargins();
    // Gives each ruler the zoom and the page origin's place.
    void FeedRulers();
    void AfterZoomCommand();
    void DrawZoomBand();
    bool ZoomBandIsDrag() const;

    CKavoDoc* m_pDoc;
    CDiagObjDrawCtx m_ctx;
    CRect m_rcWorkSpace;
    CRect m_rcLogicalClient;
    bool m_bZoomBand = false;
    int m_nPageShown = -1;   // the page the page commands last showed
    CPoint m_ptZoomStart, m_ptZoomEnd;   // logical
};

// The view of the main window's active child, or null.
CKavoView* GetActiveKavoView();
// Installed by the frame: finds the active view.
void SetActiveKavoViewFinder(CKavoView* (*finder)());
