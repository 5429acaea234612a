// Where a dragged label would go: a rectangle of its size at the target and
// a dotted line to what it would be pinned to, drawn inverted (drawing it
// again erases it). One kind is shown at a time.
#include "editing/ui/CKavoView.h"

#include "core/Settings.h"
#include "document/CConnector.h"
#include "document/CFigure.h"
#include "document/CStaple.h"
#include "document/LabelPlacement.h"
#include "graphics/BitmapHelpers.h"
#include "geometry/IntGeometry.h"
#include "graphics/DrawGrid.h"
#include "platform/CPainterDC.h"

namespace {
constexpr COLORREF kWhite = 0xFFFFFF, kFeedbackGrey = 0x808080, kInvertedDots = 2;
constexpr int kDottedPen = 2;

// On a white page grey XOR; on any other page an inverting dotted outline.
void FeedbackRect(CDC& dc, const CRect& rc)
{
    if (PageColor == kWhite)
        DrawXorRect(&dc, rc, PageColor, kFeedbackGrey, kDottedPen);
    else
        DrawDottedRect(&dc, rc, kInvertedDots);
}

void FeedbackLine(CDC& dc, const CPoint& a, const CPoint& b)
{
    DrawXorLine(&dc, a, b, PageColor, kFeedbackGrey, kDottedPen);
}

bool IsCorner(int x, int y)
{
    return x != kStaplePosMid && y != kStaplePosMid;
}

// The corner of the rectangle nearest to the point.
CPoint NearestCorner(const CRect& rc, const CPoint& p)
{
    const int x = std::abs(p.x - rc.left) <= std::abs(p.x - rc.right) ? rc.left : rc.right;
    const int y = std::abs(p.y - rc.top) <= std::abs(p.y - rc.bottom) ? rc.top : rc.bottom;
    return CPoint(x, y);
}
} // namespace

template <class Fn>
void CKavoView::WithFeedbackDC(CDC* dc, Fn draw)
{
    if (dc) {
        draw(*dc);
        return;
    }
    std::unique_ptr<CPainterDC> own = GetClientDC();
    draw(*own);
    own->Flush();
    viewport()->update();
}

void CKavoView::DrawFlowFeedback(CDC& dc) const
{
    const auto& f = m_flowFeedback;
    FeedbackRect(dc, f.rect);
    const CPoint end = f.con->m_pFig1 == f.fig ? CPoint(f.con->EndPoint1) : CPoint(f.con->EndPoint2);
    FeedbackLine(dc, end, NearestCorner(f.rect, end));
}

void CKavoView::DrawFigLblFeedback(CDC& dc) const
{
    const auto& f = m_figLblFeedback;
    FeedbackRect(dc, f.rect);
    const FigLblPlace place = FigLblPlaceOf(f.code);
    const CRect& fr = f.fig->m_rect;
    const CPoint to = CStaple::AnchorPoint(f.rect, place.lblX, place.lblY);
    CPoint from = CStaple::AnchorPoint(fr, place.figX, place.figY);
    if (!IsCorner(place.figX, place.figY))
        from = f.fig->ClipConnectorEnd(-1, to, CSize(0, 0), nullptr, false);
    FeedbackLine(dc, from, to);
    // A corner off the figure's outline: a second line to where the line
    // from the centre meets it.
    const CPoint c = fr.CenterPoint();
    const CPoint in(from.x + (c.x > from.x) - (c.x < from.x), from.y + (c.y > from.y) - (c.y < from.y));
    if (!f.fig->HitTest(in.x, in.y, 0, false, true))
        FeedbackLine(dc, to, f.fig->ClipConnectorEnd(-1, to, CSize(0, 0), nullptr, false));
}

void CKavoView::DrawRectFeedback(CDC& dc) const
{
    FeedbackRect(dc, m_rectFeedback.rect);
}

void CKavoView::DrawLatFeedback(CDC& dc) const
{
    const auto& f = m_latFeedback;
    FeedbackRect(dc, f.rect);
    const CPoint on = ProjectPtOnLine(f.pt, f.con->EndPoint1, f.con->EndPoint2, true);
    FeedbackLine(dc, on, f.pt);
}

void CKavoView::EraseLabelFeedback()
{
    EraseRectFeedback(nullptr);
    EraseFigLblFeedback(nullptr);
    EraseAttachFeedback(nullptr);
    EraseLblDropFeedback(nullptr);
}

bool CKavoView::EraseLblDropFeedback(CDC* dc)
{
    auto& f = m_latFeedback;
    if (!f.con)
        return false;
    WithFeedbackDC(dc, [this](CDC& d) { DrawLatFeedback(d); });
    f = {};
    return true;
}

void CKavoView::ShowLblDropFeedback(CConnector* con, const CPoint& pt, const CRect& rect, int code, CDC* dc)
{
    EraseLabelFeedback();
    if (!ShowLabelFeedback || !con)
        return;
    m_latFeedback = {con, pt, rect, code};
    WithFeedbackDC(dc, [this](CDC& d) { DrawLatFeedback(d); });
}

bool CKavoView::EraseAttachFeedback(CDC* dc)
{
    auto& f = m_flowFeedback;
    if (!f.fig || !f.con || f.slot == -1)
        return false;
    WithFeedbackDC(dc, [this](CDC& d) { DrawFlowFeedback(d); });
    f = {};
    return true;
}

bool CKavoView::EraseFigLblFeedback(CDC* dc)
{
    auto& f = m_figLblFeedback;
    if (!f.fig || f.code == -1)
        return false;
    WithFeedbackDC(dc, [this](CDC& d) { DrawFigLblFeedback(d); });
    f = {};
    return true;
}

bool CKavoView::EraseRectFeedback(CDC* dc)
{
    auto& f = m_rectFeedback;
    if (!f.con)
        return false;
    if (m_pDoc)
        WithFeedbackDC(dc, [this](CDC& d) { DrawRectFeedback(d); });
    f = {};
    return true;
}

void CKavoView::ShowAttachFeedback(CFigure* fig, CConnector* con, int slot, const CRect& rect, int corner, CDC* dc)
{
    EraseLabelFeedback();
    if (!ShowLabelFeedback || !fig || !con || slot == -1)
        return;
    m_flowFeedback = {fig, con, slot, corner, rect};
    WithFeedbackDC(dc, [this](CDC& d) { DrawFlowFeedback(d); });
}

void CKavoView::ShowFigLblFeedback(CFigure* fig, const CRect& rect, int code, CDC* dc)
{
    EraseLabelFeedback();
    if (!ShowLabelFeedback || !fig || code == -1)
        return;
    m_figLblFeedback = {fig, code, rect};
    WithFeedbackDC(dc, [this](CDC& d) { DrawFigLblFeedback(d); });
}

void CKavoView::ShowRectFeedback(CDiagObj* obj, const CPoint& pt, const CSize& size, CDC* dc)
{
    EraseLabelFeedback();
    if (!ShowLabelFeedback || !obj || obj->GetType() != kObjConnector)
        return;
    const CPoint tl(pt.x - size.cx / 2, pt.y - size.cy / 2);
    m_rectFeedback = {static_cast<CConnector*>(obj), CRect(tl.x, tl.y, tl.x + size.cx, tl.y + size.cy)};
    if (m_pDoc)
        WithFeedbackDC(dc, [this](CDC& d) { DrawRectFeedback(d); });
}
