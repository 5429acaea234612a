// Connector properties set by command: on the selection, the end symbols of
// one connector, which end a point refers to, and loop connectors.
#include "document/CKavoDoc.h"

#include "core/Units.h"
#include "document/ConPropsApply.h"
#include "document/DocCommandSeams.h"
#include "undo/UndoCodes.h"

#include <algorithm>

void CKavoDoc::ApplyConProps(const CConProps& props, const CConPropMask& mask)
{
    ApplyConPropsToSelection(*this, props, mask, ConApplyOptions());
}

bool CKavoDoc::ChangeConEndSymbol(CConnector* con, int end, int symbol)
{
    if (!con || (end != 1 && end != 2))
        return false;
    int32_t& index = end == 1 ? con->m_props.End1 : con->m_props.End2;
    const CShapeDef* next = m_endSymbols.GetAt(symbol);
    if (!m_endSymbols.GetAt(index) || !next)
        return false;
    if (!LogConColors(con) || !LogConEndSymbol(con, end))
        return false;
    InvalidateObj(con);
    index = symbol;
    (end == 1 ? con->m_props.End1FillColor : con->m_props.End2FillColor) =
        next->Silhouette ? con->m_props.Color : COLORREF(0xFFFFFF);
    InvalidateObj(con);
    SetModifiedFlag(true);
    return true;
}

void CKavoDoc::SetConEndSymbol(CConnector* con, int end, int symbol)
{
    if (!con || (end == 1 ? con->m_props.End1 : con->m_props.End2) == symbol)
        return;
    m_undo.UndoBeginStep(UDMAC_SETCONENDSYMBOL);
    ChangeConEndSymbol(con, end, symbol);
    m_undo.UndoEndStep();
}

bool CKavoDoc::PickConEnd(const CConnector* con, const POINT& pt, int& end) const
{
    if (!con)
        return false;
    const bool r1 = con->m_pFig1 && con->m_pFig1->IsRedundantJct();
    const bool r2 = con->m_pFig2 && con->m_pFig2->IsRedundantJct();
    if (r1 && r2)
        return false;
    if (r1 != r2) {
        end = r1 ? 2 : 1;
        return true;
    }
    const auto dist2 = [&](const POINT& p) {
        const long long dx = p.x - pt.x, dy = p.y - pt.y;
        return dx * dx + dy * dy;
    };
    // Ties go to end 2.
    end = dist2(con->EndPoint1) < dist2(con->EndPoint2) ? 1 : 2;
    return true;
}

namespace {
struct Offset {
    int dx, dy;
};
constexpr Offset kCornerOffsets[] = {{-24, -104}, {24, -168}, {96, -184}, {152, -152},
                                     {176, -96},  {168, -24}, {104, 24}};
constexpr Offset kTopBottomOffsets[] = {{-80, 72}, {-96, 136}, {-48, 192}, {48, 192}, {96, 136}, {80, 72}};
constexpr Offset kSideOffsets[] = {{72, -80}, {136, -96}, {192, -48}, {192, 48}, {136, 96}, {72, 80}};
} // namespace

bool CKavoDoc::MakeSelfRefPoints(const CFigure* fig, int kind, int radius, std::vector<POINT>& points)
{
    points.clear();
    if (!fig || radius <= 0 || kind < 1 || kind > 8)
        return false;
    const CRect& rc = fig->m_rect;
    const int w = rc.Width(), h = rc.Height();
    // The start is kept as a fraction of the size: a figure without width or
    // height has none.
    if (w <= 0 || h <= 0)
        return false;
    const int inset = std::min(radius * 6 / 13, std::min(w, h) * 8 / 20);
    const CPoint c = rc.CenterPoint();
    CPoint s;
    switch (kind) {
    case 1: s = CPoint(rc.left + inset, rc.top + inset); break;
    case 3: s = CPoint(rc.right - inset, rc.top + inset); break;
    case 6: s = CPoint(rc.left + inset, rc.bottom - inset); break;
    case 8: s = CPoint(rc.right - inset, rc.bottom - inset); break;
    case 2: s = CPoint(c.x, rc.top + inset); break;
    case 4: s = CPoint(rc.left + inset, c.y); break;
    case 5: s = CPoint(rc.right - inset, c.y); break;
    default: s = CPoint(c.x, rc.bottom - inset); break;
    }
    // A connection point already at the start refuses the loop.
    int fx = int((long long)(s.x - rc.left) * 1000 / w), fy = int((long long)(s.y - rc.top) * 1000 / h);
    ScaleIntPair2048(fx, fy);
    if (const CConPtList* pts = fig->m_pConPts.get())
        for (int i = 0; i < pts->GetCount(); ++i) {
            const CConPt* p = pts->GetAt(i);
            if (p && p->m_pos.x == float(fx) && p->m_pos.y == float(fy))
                return false;
        }
    const auto unit = [radius](int sign, int v) { return sign * radius * v / 104; };
    points.push_back(c);
    if (kind == 1 || kind == 3 || kind == 6 || kind == 8) {
        const int X = (kind == 1 || kind == 6) ? -1 : 1, Y = (kind == 1 || kind == 3) ? 1 : -1;
        for (const Offset& o : kCornerOffsets)
            points.push_back(CPoint(s.x + unit(X, o.dx), s.y + unit(Y, o.dy)));
    } else if (kind == 2 || kind == 7) {
        const int T = kind == 2 ? -1 : 1;
        for (const Offset& o : kTopBottomOffsets)
            points.push_back(CPoint(s.x + unit(1, o.dx), s.y + unit(T, o.dy)));
    } else {
        const int X = kind == 4 ? -1 : 1;
        for (const Offset& o : kSideOffsets)
            points.push_back(CPoint(s.x + unit(X, o.dx), s.y + unit(1, o.dy)));
    }
    points.push_back(c);
    if (kind == 6 || kind == 8)
        std::reverse(points.begin(), points.end());
    return true;
}

CConnector* CKavoDoc::MakeSelfLoopCon(CFigure& fig, const std::vector<POINT>& points)
{
    // A connector holds two ends only: the loop's bends are junctions, and
    // its two ends are attached to the figure at its centre, so each end
    // meets the outline where the loop leaves and comes back.
    if (points.size() < 3 || int(points.size()) > CFigPickList::kMaxEntries)
        return nullptr;
    CFigPickList list;
    list.Add(points.front(), &fig, kPickFree, nullptr);
    for (size_t i = 1; i + 1 < points.size(); ++i)
        list.Add(points[i], nullptr, kPickFree, nullptr);
    list.Add(points.back(), &fig, kPickFree, nullptr);
    // A small radius puts bends on one point: those are one bend.
    list.RemoveRedundant(true);
    if (list.GetCount() < 3 || list.GetFirstFig() != &fig || list.GetLastFig() != &fig)
        return nullptr;
    CDiagObj* made = nullptr;
    if (!CreateConFromPicks(list, nullptr, 0, &made) || !made || made->GetType() != kObjConnector)
        return nullptr;
    return static_cast<CConnector*>(made);
}

namespace {
// The loop through the points made by the windows' seam.
bool MakeLoopThrough(CKavoDoc& doc, CFigure* fig, const std::vector<POINT>& points)
{
    const auto& make = GetDocCommandSeams().makeSelfLoopCon;
    if (!make || !make(doc, *fig, points))
        return false;
    doc.RelayAttachedCons(fig);
    doc.UpdateAllViews(nullptr, 0, nullptr);
    return true;
}
} // namespace

bool CKavoDoc::MakeSelfRef(CFigure* fig, int kind, int radius)
{
    std::vector<POINT> points;
    return MakeSelfRefPoints(fig, kind, radius, points) && MakeLoopThrough(*this, fig, points);
}

bool CKavoDoc::AddSelfRef(CFigure* fig, int kind, int radius)
{
    // Arguments that give no loop open no step.
    std::vector<POINT> points;
    if (!MakeSelfRefPoints(fig, kind, radius, points) || !GetDocCommandSeams().makeSelfLoopCon)
        return false;
    const uint32_t recorded = m_undo.m_nStepsRecorded;
    m_undo.UndoBeginStep(UDMAC_ADDSELFREF);
    const bool made = MakeLoopThrough(*this, fig, points);
    m_undo.UndoEndStep();
    // What a failed attempt recorded is taken back with its step (only this
    // step: an earlier one of the same kind stays).
    if (!made && m_undo.m_nStepsRecorded != recorded && m_undo.CanUndo())
        UndoLastStep();
    return made;
}
