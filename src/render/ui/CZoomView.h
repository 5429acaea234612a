#pragma once
// The zooming scroll view: a scroll area whose two bars are always shown
// (disabled when the work space fits), whose device contexts get the
// anisotropic zoom mapping of CZoomMapping, and whose picture lives in a
// persistent RGB32 surface at device resolution: painting renders into the
// surface, a client DC draws on it, and the paint event only copies it.
#include "render/CZoomMapping.h"

#include <QAbstractScrollArea>
#include <QImage>
#include <QRegion>

#include <memory>

class CDC;
class CPainterDC;

class CZoomView : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit CZoomView(QWidget* parent = nullptr);
    ~CZoomView() override;

    CZoomMapping m_map;
    int m_bInsideUpdate = 0;

    // Screen mapping: zoom, scroll origin and work-space origin.
    virtual void OnPrepareDC(CDC& dc) const { m_map.PrepareDC(dc); }
    void SetZoomScrollSizes(CSize sizeBaseDev, const CRect& rectLogical, int pagePercent, int linePercent);
    // Clamps to [10, 1000]; keeps the anchor's point in place. Returns the
    // previous zoom; an equal zoom changes nothing at all.
    float SetZoom(float percent, int anchor);
    float GetZoom() const { return m_map.m_fZoom; }
    CPoint GetViewAnchorPoint(int anchor) const { return m_map.GetViewAnchorPoint(anchor); }
    void ScrollToViewAnchorPoint(const CPoint& logical, int anchor, bool invalidate);
    void ScrollToDevicePosition(int x, int y, bool invalidate);
    CPoint GetDeviceScrollPosition() const { return m_map.GetDeviceScrollPosition(); }
    // Scroll codes: low byte horizontal, high byte vertical, 0xFF none.
    bool OnScroll(unsigned code, int pos, bool doScroll);
    bool OnScrollBy(CSize delta, bool doScroll);
    void UpdateBars();

    // A device context on the surface, prepared like a paint DC. Drawing on
    // it shows after InvalidateClient or update of the changed area.
    std::unique_ptr<CPainterDC> GetClientDC();
    // Marks client pixels for repainting (rendering into the surface).
    void InvalidateClient(const QRect& rc);
    void InvalidateAll();
    // Renders what is pending into the surface now (tests, captures); a
    // postponed area is rendered with it.
    void FlushPaint();
    // Takes the pending repaint area off while a drag's XOR feedback is on
    // the surface: its bounding rectangle is kept and repainted by the next
    // paint that has an area of its own to render (or FlushPaint), so that
    // nothing is painted under the feedback while the mouse moves.
    void PostponeUpdateRegion();
    bool HasPostponedUpdate() const { return m_bPostponed; }
    // Marks the postponed area for repainting again (once the feedback is off).
    void ResumePostponedUpdate();
    const QImage& Surface() const { return m_surface; }

protected:
    // Draws the client rectangle `rc` (pixels) into `dc`, whose viewport is
    // already offset so that rc's top-left lands on the DC's origin.
    virtual void RenderArea(CDC& dc, const QRect& rc) = 0;
    virtual void OnSize();

    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    void RenderDirty(bool flush = false);
    void SyncBarsFromMapping();

    QImage m_surface;
    QImage m_scratch;   // a partial repaint's drawing, the surface's size
    QRegion m_dirty;
    QRect m_rcPostponed;
    bool m_bPostponed = false;
    bool m_bSettingBars = false;
};
