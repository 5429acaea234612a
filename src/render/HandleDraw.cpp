#include "render/HandleDraw.h"

#include "core/Settings.h"
#include "document/CConnector.h"
#include "document/CFigure.h"
#include "document/CGroup.h"
#include "document/CKavoDoc.h"
#include "graphics/CDCSave.h"
#include "platform/CDC.h"
#include "platform/GdiObjects.h"
#include "platform/GdiTypes.h"
#include "render/ConDrawContext.h"
#include "shapes/CFigSymbol.h"
#include "shapes/MarkerDraw.h"

namespace {

constexpr int kHandleOrder[8] = {1, 7, 3, 9, 4, 6, 2, 8};

// The handle brush selected for a scope; the context comes back as it was.
class HandleBrushScope {
public:
    explicit HandleBrushScope(CDC& dc) : m_save(dc), m_brush(HandleColor) { dc.SelectObject(&m_brush); }

private:
    CDCSave m_save;
    CBrush m_brush;
};

// The eight squares round a rectangle; right and bottom one unit inside.
template <class Disabled>
void DrawRectHandles(CDC& dc, const CRect& rect, int size, Disabled&& disabled)
{
    CRect inner = rect;
    inner.right -= 1;
    inner.bottom -= 1;
    for (int code : kHandleOrder) {
        const CPoint p = RectHandlePoint(code, inner);
        DrawHandleSquare(&dc, size, p.x, p.y, disabled(code));
    }
}

// Corner brackets round the square of side 2 x size about the centre.
void DrawJunctionBrackets(CDC& dc, const CPoint& c, int size)
{
    CPen pen(PS_SOLID, 1, HandleColor);
    dc.SelectObject(&pen);
    const int arm = size / 2;
    const int left = c.x - size, top = c.y - size, right = c.x + size, bottom = c.y + size;
    const POINT corners[4][3] = {{{left, top + arm}, {left, top}, {left + arm, top}},
                                 {{right - arm, top}, {right, top}, {right, top + arm}},
                                 {{right, bottom - arm}, {right, bottom}, {right - arm, bottom}},
                                 {{left + arm, bottom}, {left, bottom}, {left, bottom - arm}}};
    for (const auto& corner : corners)
        dc.Polyline(corner, 3);
}

} // namespace

void DrawFigHandles(CDC* dc, const CFigure& fig, int size, ConDrawCtx* ctx)
{
    if (!dc)
        return;
    if (fig.m_pGroup) {
        DrawGroupHandles(dc, *fig.m_pGroup, size, ctx);
        return;
    }
    HandleBrushScope brush(*dc);
    if (fig.IsInvisible()) {
        const CPoint c = fig.GetCenter();
        DrawHandleSquare(dc, size, c.x, c.y, false);
        DrawJunctionBrackets(*dc, c, size);
        return;
    }
    DrawRectHandles(*dc, fig.m_rect, size, [&](int code) { return !fig.HandleAllowed(code); });
    const CFigSymbol* symbol = fig.GetSymbol();
    if (!symbol || fig.HasPicture())
        return;
    for (int i = 0, n = symbol->GetDividerCount(); i < n; ++i) {
        CPoint pt;
        if (symbol->GetDividerHandle(i, pt, fig.m_rect))
            DrawReshapeHandle(dc, size, pt.x, pt.y);
    }
}

void DrawConEndHandles(CDC* dc, const CConnector& con, int size, ConDrawCtx* ctx)
{
    if (!dc)
        return;
    if (con.m_pGroup) {
        DrawGroupHandles(dc, *con.m_pGroup, size, ctx);
        return;
    }
    HandleBrushScope brush(*dc);
    DrawHandleSquare(dc, size, con.EndPoint1.x, con.EndPoint1.y, false);
    DrawHandleSquare(dc, size, con.EndPoint2.x, con.EndPoint2.y, false);
}

void DrawGroupHandles(CDC* dc, const CGroup& group, int size, ConDrawCtx* ctx)
{
    if (!dc)
        return;
    if (ctx && ++ctx->groupHandleCalls[&group] != group.GetCount())
        return;
    CRect bounds;
    bool any = false;
    for (const CGroup::Member& m : group.m_members) {
        if (!m.obj)
            continue;
        CRect r;
        m.obj->GetBoundRect(r, 0, 0);
        if (any)
            bounds.UnionRect(bounds, r);
        else
            bounds = r;
        any = true;
    }
    if (!any)
        return;
    HandleBrushScope brush(*dc);
    DrawRectHandles(*dc, bounds, size, [](int) { return false; });
}

void DrawFigMarks(CDC* dc, const CFigure& fig, ConDrawCtx& ctx, bool showConPts)
{
    if (!dc)
        return;
    if (fig.m_bSelected && ctx.mode == kDrawModeScreen)
        DrawFigHandles(dc, fig, ctx.handleSize, &ctx);
    constexpr DWORD kNoConPtMarks = 0x80000;
    if (!ctx.IsDisplayMode() || !showConPts || (fig.m_props.Behavior.low & kNoConPtMarks) || fig.IsInvisible() ||
        fig.m_bLabel || !fig.m_pDoc || !fig.m_pDoc->m_bEnableConPts || !fig.m_pConPts)
        return;
    const CConPtList& points = *fig.m_pConPts;
    for (int i = 0; i < points.GetCount(); ++i) {
        CPoint pt;
        if (points.GetConPtPoint(points.GetIdAt(i), fig.m_rect, pt))
            DrawDeviceDiamond(dc, ctx.handleSize, pt.x, pt.y, 0, ConPtColor);
    }
}
