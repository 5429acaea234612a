// Where a staple's objects sit against each other: anchor positions, side
// codes, positions along a connector and the snapshots that tell the
// maintenance pass what moved.
#include "document/CStaple.h"

#include "geometry/IntGeometry.h"
#include "document/CConnector.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "document/LabelPlacement.h"
#include "document/UndoRecordsStaple.h"

#include <algorithm>
#include <cmath>

namespace {
bool InRange(int p)
{
    return p >= 0 && p <= kStaplePosMax;
}

// Side codes 1..12: Figure1's and Figure2's anchors; -1 stands for "mid".
struct SideRow {
    int x1, y1, x2, y2;
};
constexpr int M = -1;
constexpr SideRow kSideRows[12] = {
    {0, 0, 0, 255},     {M, 0, M, 255},     {255, 0, 255, 255}, {255, 0, 0, 0},
    {255, M, 0, M},     {255, 255, 0, 255}, {255, 255, 255, 0}, {M, 255, M, 0},
    {0, 255, 0, 0},     {0, 255, 255, 255}, {0, M, 255, M},     {0, 0, 255, 0},
};

int SideCode(const CStaple& s, bool exact)
{
    auto fits = [exact](int want, int have) {
        if (want != M)
            return want == have;
        return exact ? have == kStaplePosMid : have >= 1 && have <= 253;
    };
    for (int i = 0; i < 12; ++i) {
        const SideRow& r = kSideRows[i];
        if (fits(r.x1, s.Fig1PosX) && fits(r.y1, s.Fig1PosY) && fits(r.x2, s.Fig2PosX) && fits(r.y2, s.Fig2PosY))
            return i + 1;
    }
    return 0;
}

CSize SizeOf(const CRect& rc)
{
    return CSize(rc.Width(), rc.Height());
}
} // namespace

int CStaple::ScalePos(int p, int length)
{
    if (!InRange(p) || length < 0 || p <= 1)
        return 0;
    if (p == kStaplePosMax)
        return length;
    return static_cast<int>(int64_t(p) * length / kStaplePosMax);
}

CPoint CStaple::AnchorPoint(const RECT& rc, int x, int y)
{
    if (!InRange(x) || !InRange(y))
        return CPoint(0, 0);
    return CPoint(rc.left + ScalePos(x, rc.right - rc.left), rc.top + ScalePos(y, rc.bottom - rc.top));
}

CRect CStaple::RectAtAnchor(const POINT& pt, int width, int height, int x, int y)
{
    if (!InRange(x) || !InRange(y))
        return CRect(0, 0, 0, 0);
    const int left = pt.x - ScalePos(x, width);
    const int top = pt.y - ScalePos(y, height);
    return CRect(left, top, left + width, top + height);
}

int CStaple::GetSideCode() const
{
    return SideCode(*this, false);
}

int CStaple::GetSideCodeExact() const
{
    return SideCode(*this, true);
}

// ---- snapshots

void CStaple::SnapFig1()
{
    m_snapFig1 = m_pFig1 ? m_pFig1->m_rect : CRect(0, 0, 0, 0);
    m_snapFig1Size = SizeOf(m_snapFig1);
}

void CStaple::SnapFig2()
{
    m_snapFig2 = m_pFig2 ? m_pFig2->m_rect : CRect(0, 0, 0, 0);
}

void CStaple::SnapCon()
{
    m_snapConEnd1 = m_pCon ? m_pCon->EndPoint1 : CPoint(0, 0);
    m_snapConEnd2 = m_pCon ? m_pCon->EndPoint2 : CPoint(0, 0);
}

void CStaple::TakeSnapshots()
{
    SnapFig1();
    SnapFig2();
    SnapCon();
}

void CStaple::ClearSnapshots()
{
    m_snapConEnd1 = m_snapConEnd2 = CPoint(0, 0);
    m_snapFig1 = m_snapFig2 = CRect(0, 0, 0, 0);
    m_snapFig1Size = CSize(0, 0);
}

bool CStaple::ConMoved() const
{
    return m_pCon && (m_pCon->EndPoint1 != m_snapConEnd1 || m_pCon->EndPoint2 != m_snapConEnd2);
}

bool CStaple::FigsChanged() const
{
    if ((m_nType != kStapleFigLabel && m_nType != kStapleFigLink) || !m_pFig1 || !m_pFig2)
        return false;
    return m_pFig1->m_rect != m_snapFig1 || m_pFig2->m_rect != m_snapFig2;
}

bool CStaple::OnlyFig1Moved() const
{
    return m_pFig1 && m_pFig2 && m_pFig1->m_rect != m_snapFig1 && m_pFig2->m_rect == m_snapFig2;
}

bool CStaple::OnlyFig2Moved() const
{
    return m_pFig1 && m_pFig2 && m_pFig1->m_rect == m_snapFig1 && m_pFig2->m_rect != m_snapFig2;
}

bool CStaple::Fig1Resized() const
{
    return m_pFig1 && SizeOf(m_pFig1->m_rect) != m_snapFig1Size;
}

bool CStaple::Fig2Resized() const
{
    return m_pFig2 && SizeOf(m_pFig2->m_rect) != SizeOf(m_snapFig2);
}

bool CStaple::FlowLblChanged() const
{
    return IsFlowLbl(true) && (m_pFig1->m_rect != m_snapFig1 || m_pFig2->m_rect != m_snapFig2 || ConMoved());
}

bool CStaple::LatLblChanged() const
{
    return m_nType == kStapleLatLabel && m_pCon && m_pFig1 && (m_pFig1->m_rect != m_snapFig1 || ConMoved());
}

bool CStaple::LatLblSizeKept() const
{
    return m_pFig1 && SizeOf(m_pFig1->m_rect) == m_snapFig1Size;
}

// ---- positions along the connector (connectors are straight here; routed
// connectors measure along their drawn route once routing exists)

CPoint CStaple::GetPointAtConPos() const
{
    if (!m_pCon)
        return CPoint(0, 0);
    const CPoint a = m_pCon->EndPoint1, b = m_pCon->EndPoint2;
    const int p = std::clamp(ConPos, 0, kStaplePosMax);
    return CPoint(a.x + static_cast<int>(int64_t(b.x - a.x) * p / kStaplePosMax),
                  a.y + static_cast<int>(int64_t(b.y - a.y) * p / kStaplePosMax));
}

int CStaple::ConPosOfPoint(const POINT& pt) const
{
    if (!m_pCon)
        return 0;
    const CPoint a = m_pCon->EndPoint1, b = m_pCon->EndPoint2;
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double len2 = dx * dx + dy * dy;
    if (len2 == 0)
        return 0;
    const double t = ((pt.x - a.x) * dx + (pt.y - a.y) * dy) / len2;
    const double pos = std::clamp(t, 0.0, 1.0) * kStaplePosMax + 0.5;
    return std::clamp(static_cast<int>(pos), 0, kStaplePosMax);
}

CRect CStaple::GetLatLblRectForSize(int width, int height) const
{
    WORD align = 0;
    return GetLatLblPlace(width, height, LateralOffset, align);
}

CRect CStaple::GetLatLblPlace(int width, int height, int offset, WORD& align) const
{
    if (!m_pCon)
        return CRect(0, 0, 0, 0);
    CPoint anchor;
    CRect rc;
    PlaceLatLbl(m_pCon->EndPoint1, m_pCon->EndPoint2, GetPointAtConPos(), CSize(width, height), offset,
                LateralConsistency, anchor, rc, align);
    return rc;
}

void CStaple::ReanchorAt(const POINT& pt, bool keepSide)
{
    if (!m_pCon)
        return;
    ConPos = ConPosOfPoint(pt);
    if (m_nType != kStapleConLabel && m_pFig1) {
        // The label's two places at this position, one on each side; the
        // one nearer to the point gives the side.
        const int w = m_pFig1->m_rect.Width(), h = m_pFig1->m_rect.Height();
        WORD align = 0;
        const CPoint c1 = GetLatLblPlace(w, h, LateralOffset, align).CenterPoint();
        const CPoint c2 = GetLatLblPlace(w, h, -LateralOffset, align).CenterPoint();
        auto dist2 = [&pt](const CPoint& c) { return double(c.x - pt.x) * (c.x - pt.x) + double(c.y - pt.y) * (c.y - pt.y); };
        if (!keepSide && dist2(c2) < dist2(c1))
            LateralOffset = -LateralOffset;
    }
    ClearSnapshots();
}

CRect CStaple::GetFig2RectForSize(int width, int height) const
{
    if (!IsFigLink(true))
        return CRect(0, 0, 0, 0);
    CPoint at = AnchorPoint(m_pFig1->m_rect, Fig1PosX, Fig1PosY);
    at.Offset(OffsetX, OffsetY);
    return RectAtAnchor(at, width, height, Fig2PosX, Fig2PosY);
}

void CStaple::ScaleOffset(const RECT& oldRect, const RECT& newRect)
{
    if (m_nType != kStapleFigLink)
        return;
    const int ow = oldRect.right - oldRect.left, oh = oldRect.bottom - oldRect.top;
    const int nw = newRect.right - newRect.left, nh = newRect.bottom - newRect.top;
    // A zero extent cannot be scaled from: the offset stays. Rounded half
    // away from zero, so that an offset to the left or above scales like
    // one to the right or below.
    if (ow != 0)
        OffsetX = MulDiv(OffsetX, nw, ow);
    if (oh != 0)
        OffsetY = MulDiv(OffsetY, nh, oh);
}

bool CStaple::RecordOffset(CKavoDoc* doc)
{
    if ((m_nType != kStapleFigLabel && m_nType != kStapleFigLink) || !m_pFig1 || !m_pFig2)
        return false;
    if (doc && !LogStapleState(*doc, this))
        return false;
    const CPoint a = AnchorPoint(m_pFig1->m_rect, Fig1PosX, Fig1PosY);
    const CPoint b = AnchorPoint(m_pFig2->m_rect, Fig2PosX, Fig2PosY);
    OffsetX = b.x - a.x;
    OffsetY = b.y - a.y;
    return true;
}
