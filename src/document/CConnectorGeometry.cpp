// A connector's geometry: where its ends meet their figures, the orientation
// lock, its bounding rectangle and hit tests.
#include "document/CConnector.h"

#include "geometry/CLineSeg.h"
#include "geometry/IntGeometry.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "document/CStaple.h"
#include "document/TrunkInterfaces.h"
#include "document/Trunks.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

CPoint CFigure::ClipConnectorEnd(int32_t id, const POINT& from, const CSize& offset, const POINT* fixedTarget,
                                 bool toCentre) const
{
    CRect rc = m_rect;
    rc.OffsetRect(offset.cx, offset.cy);
    if (toCentre || IsInvisible())
        return rc.CenterPoint();
    CPoint target;
    if (fixedTarget) {
        target = CPoint(fixedTarget->x + offset.cx, fixedTarget->y + offset.cy);
    } else {
        CFltPoint pos;
        target = GetConPtPos(id, rc, pos) ? pos.RoundToPoint() : rc.CenterPoint();
    }
    if (HasFlags(0x1000000, 0) && id != kConPtCentre)
        return target;
    const CLineSeg seg(from, target);
    POINT hit;
    if (m_pDoc && m_pDoc->m_pStapleList) {
        for (const CStaple* st : m_pDoc->FigLabelStaplesOf(this)) {
            CRect label = st->m_pFig2->m_rect;
            label.OffsetRect(offset.cx, offset.cy);
            if (IntersectSegmentRect(seg, label, hit) && !rc.PtInRect(hit))
                return hit;
        }
    }
    std::vector<CPoint> outline;
    if (GetOutlinePoints(outline, &rc) > 0) {
        if (IntersectSegmentPolyline(seg, outline.data(), int(outline.size()), false, hit, nullptr, nullptr))
            return hit;
    } else if (IntersectSegmentRect(seg, rc, hit)) {
        return hit;
    }
    return target;
}

void CConnector::ComputeEndPoints(const ConEndOffsets* offsets, CPoint& p1, CPoint& p2) const
{
    const ConEndOffsets none;
    const ConEndOffsets& off = offsets ? *offsets : none;
    p1 = m_pFig1 ? EndPoint1 : EndPoint1 + off.free1;
    p2 = m_pFig2 ? EndPoint2 : EndPoint2 + off.free2;
    // The point each attached end aims at (the centre for -1).
    auto target = [](const CFigure* fig, int32_t id, const CSize& shift, const CPoint& stored) {
        if (id == kConPtFixed)
            return stored + shift;
        CRect rc = fig->m_rect;
        rc.OffsetRect(shift.cx, shift.cy);
        CFltPoint pos;
        return fig->GetConPtPos(id, rc, pos) ? pos.RoundToPoint() : rc.CenterPoint();
    };
    // A trunk-automatic end takes the point where the other end's figure
    // meets its figure and is then treated as a fixed point.
    int32_t id1 = m_nConPtId1, id2 = m_nConPtId2;
    POINT fixed1 = EndPoint1, fixed2 = EndPoint2;
    auto chooseAuto = [](int32_t& id, POINT& fixed, const CFigure* fig, const CSize& shift, const CFigure* other,
                         const CSize& otherShift) {
        if (id != kConPtAuto || !fig || !other || !IsTrunkDiagrams())
            return;
        CRect rc = fig->m_rect, otherRc = other->m_rect;
        rc.OffsetRect(shift.cx, shift.cy);
        otherRc.OffsetRect(otherShift.cx, otherShift.cy);
        int side = 0;
        if (InterfacePointOnRect(otherRc.CenterPoint(), rc, fixed, side)) {
            fixed.x -= shift.cx;
            fixed.y -= shift.cy;
            id = kConPtFixed;
        }
    };
    chooseAuto(id1, fixed1, m_pFig1, off.fig1, m_pFig2, off.fig2);
    chooseAuto(id2, fixed2, m_pFig2, off.fig2, m_pFig1, off.fig1);
    const CPoint aim2 = m_pFig2 ? target(m_pFig2, id2, off.fig2, CPoint(fixed2)) : p2;
    if (m_pFig1)
        p1 = m_pFig1->ClipConnectorEnd(id1, aim2, off.fig1, id1 == kConPtFixed ? &fixed1 : nullptr, false);
    if (m_pFig2)
        p2 = m_pFig2->ClipConnectorEnd(id2, p1, off.fig2, id2 == kConPtFixed ? &fixed2 : nullptr, false);
}

int CConnector::RecalcRoute()
{
    CPoint p1, p2;
    ComputeEndPoints(nullptr, p1, p2);
    // A trunk-automatic end whose point was chosen keeps it from now on.
    for (int end = 1; end <= 2; ++end) {
        int32_t& id = end == 1 ? m_nConPtId1 : m_nConPtId2;
        const CFigure* fig = GetEndFig(end);
        const CFigure* other = GetEndFig(3 - end);
        POINT meet{};
        int side = 0;
        if (id == kConPtAuto && IsTrunkDiagrams() && fig && other &&
            InterfacePointOnRect(other->GetCenter(), fig->m_rect, meet, side))
            id = kConPtFixed;
    }
    EndPoint1 = p1;
    EndPoint2 = p2;
    // A trunk figure whose indicator follows this connector points along it.
    if (IsTrunkDiagrams()) {
        for (int end = 1; end <= 2; ++end) {
            CFigure* fig = GetEndFig(end);
            if (!fig || fig->m_pIndicatorCon != this)
                continue;
            const CPoint own = end == 1 ? EndPoint1 : EndPoint2, other = end == 1 ? EndPoint2 : EndPoint1;
            // The integer geometry's angles are written with pi as 3.14159, so
            // its own constants keep a rightward line at exactly 0.
            double angle = LineAngle(other, own) - kGeomHalfPi;
            while (angle < 0)
                angle += kGeomTwoPi;
            while (angle >= kGeomTwoPi)
                angle -= kGeomTwoPi;
            fig->m_dIndicatorAngle = angle;
        }
    }
    if (!HasFlags(1, 0))
        return 0;
    if (m_nOrientHint != 0)
        return 1;
    if (EndPoint1.x == EndPoint2.x)
        m_nOrientHint = 1;
    else if (EndPoint1.y == EndPoint2.y)
        m_nOrientHint = 2;
    return m_nOrientHint != 0 ? 1 : 0;
}

bool CConnector::IsEnd1Auto() const
{
    return m_nOrientHint == 1 || (m_nOrientHint != 2 && EndPoint1.x == EndPoint2.x);
}

bool CConnector::IsEnd2Auto() const
{
    return m_nOrientHint == 2 || (m_nOrientHint != 1 && EndPoint1.y == EndPoint2.y);
}

bool CConnector::IsVerticalLock() const
{
    return HasFlags(1, 0) && IsEnd1Auto();
}

bool CConnector::IsHorizontalLock() const
{
    return HasFlags(1, 0) && IsEnd2Auto() && !IsEnd1Auto();
}

bool CConnector::IsMostlyHorizontal() const
{
    return std::abs(EndPoint2.x - EndPoint1.x) >= std::abs(EndPoint2.y - EndPoint1.y);
}

CRect CConnector::GetEndsRect() const
{
    CRect rc(EndPoint1.x, EndPoint1.y, EndPoint2.x, EndPoint2.y);
    rc.NormalizeRect();
    return rc;
}

CPoint CConnector::GetMidPoint() const
{
    return CPoint((EndPoint1.x + EndPoint2.x) / 2, (EndPoint1.y + EndPoint2.y) / 2);
}

double CConnector::GetLength() const
{
    return std::hypot(double(EndPoint2.x - EndPoint1.x), double(EndPoint2.y - EndPoint1.y));
}

bool CConnector::OverlapsRect(const RECT& rc) const
{
    if (EndPoint1.x < rc.left && EndPoint2.x < rc.left)
        return false;
    if (EndPoint1.x > rc.right && EndPoint2.x > rc.right)
        return false;
    const bool oneBelowTop = EndPoint1.y >= rc.top || EndPoint2.y >= rc.top;
    const bool oneAboveBottom = EndPoint1.y <= rc.bottom || EndPoint2.y <= rc.bottom;
    return oneBelowTop && oneAboveBottom;
}

bool CConnector::IsInRectEnds(const RECT& rc) const
{
    const CRect r(rc);
    return r.PtInRect(EndPoint1) && r.PtInRect(EndPoint2);
}

namespace {
constexpr int kMaxPenOrShapeSize = 1 << 16;
} // namespace

void CConnector::GetBoundRect(CRect& out, int mode, int tolerance) const
{
    out = GetEndsRect();
    if (mode == 0)
        return;
    // Sizes are limited so that a damaged record cannot overflow the sums.
    auto lim = [](int v) { return std::clamp(v, 0, kMaxPenOrShapeSize); };
    CConProps p = m_props;
    for (int32_t* v : {&p.LineWidth, &p.End1Length, &p.End2Length, &p.FISize, &p.FIBdrWidth})
        *v = lim(*v);
    int m = 0;
    if (HasFlags(8, 0)) {
        m = std::max(out.Width(), out.Height()) * 2 / 3;
    } else {
        m = std::max(tolerance / 2 + 1, p.LineWidth / 2 + 1);
        const bool branch = (m_pFig1 && m_pFig1->IsBranchJct()) || (m_pFig2 && m_pFig2->IsBranchJct());
        if (!SuppressEnd1 || !SuppressEnd2 || branch)
            m = std::max(m, std::max(p.End1Length, p.End2Length));
        const bool redundant = (m_pFig1 && m_pFig1->IsRedundantJct()) || (m_pFig2 && m_pFig2->IsRedundantJct());
        if (p.Join == 0x2000 && p.LineWidth > 3 && p.PenStyle == 0 && redundant)
            m = std::max(m, 10 * p.LineWidth);
    }
    if (p.FIType >= 0)
        m = std::max(m, (p.FIBdrWidth + 1) / 2 + p.FISize);
    out.InflateRect(m, m);
}

int CConnector::GetLineTolerance(int tolerance) const
{
    return std::max((m_props.LineWidth + 1) / 2, tolerance / 2);
}

int CConnector::EndHandleFromPoint(const POINT& pt, int size) const
{
    // At least one unit each way: sizes 1 and 2 would give an empty square
    // or a single point that a small view tolerance could never hit.
    const int half = std::max(size / 2 - 1, 1);
    auto inSquare = [&](const CPoint& c) {
        return pt.x >= c.x - half && pt.x <= c.x + half && pt.y >= c.y - half && pt.y <= c.y + half;
    };
    if (inSquare(EndPoint1))
        return 1;
    if (inSquare(EndPoint2))
        return 2;
    return 0;
}

int CConnector::HitTestPoint(int x, int y, int tolerance, POINT* out) const
{
    if (m_bSelected) {
        if (const int end = EndHandleFromPoint(CPoint(x, y), tolerance)) {
            if (out)
                *out = end == 1 ? EndPoint1 : EndPoint2;
            return 1;
        }
    }
    return PtNearSegment(x, y, EndPoint1.x, EndPoint1.y, EndPoint2.x, EndPoint2.y, GetLineTolerance(tolerance),
                         out)
               ? 1
               : 0;
}

int CConnector::HitTest(int x, int y, int tolerance, bool, bool) const
{
    return HitTestPoint(x, y, tolerance, nullptr);
}

int CConnector::GetDrawTraits() const
{
    int traits = 0;
    if (m_props.FIType >= 0 || (m_props.PenStyle != 0 && m_props.PenStyle != 5))
        traits |= 1;
    if (HasFlags(2, 0) || HasFlags(8, 0) || HasFlags(16, 0))
        traits |= 2;
    return traits;
}

namespace {
bool EndOnShapedFig(const CConnector& c, int end, bool tall)
{
    const CFigure* fig = c.GetEndFig(end);
    if (!fig || !fig->HasFlags(0, 4) || !fig->m_pConPts)
        return false;
    const int w = fig->m_rect.Width(), h = fig->m_rect.Height();
    if (tall ? h <= w : w <= h)
        return false;
    return fig->m_pConPts->FindById(end == 1 ? c.m_nConPtId1 : c.m_nConPtId2) != nullptr;
}
} // namespace

bool CConnector::EndOnTallFig(int end) const
{
    return EndOnShapedFig(*this, end, true);
}

bool CConnector::EndOnWideFig(int end) const
{
    return EndOnShapedFig(*this, end, false);
}
