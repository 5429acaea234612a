#include "render/DocDrawObjects.h"

#include "core/Settings.h"
#include "document/CKavoDoc.h"
#include "platform/CGraphics.h"
#include "render/CDiagObjDrawCtx.h"
#include "render/ConCrossings.h"
#include "render/ConnectorDraw.h"
#include "render/DiagramExport.h"
#include "render/HandleDraw.h"
#include "shapes/CFigSymbol.h"
#include "shapes/OutlineDraw.h"

#include <QPainterPath>
#include <QPolygonF>

#include <optional>

namespace {
constexpr DWORD kNotPrintedFlag = 0x40000000;

bool IsOutputMode(int mode)
{
    return mode >= 2 && mode <= 5;
}

bool InClip(const CDiagObjDrawCtx& ctx, const CDiagObj& obj)
{
    if (ctx.clipRect.IsRectNull())
        return true;
    CRect bounds;
    // Shadows, handles and connection-point marks reach past the rectangle.
    obj.GetBoundRect(bounds, obj.GetType() == kObjFigure ? 2 : 3, ctx.handleSize * 2);
    bounds.InflateRect(ctx.handleSize, ctx.handleSize);
    // Rectangles that only touch still count: a line on the clip edge shows.
    return bounds.left <= ctx.clipRect.right && ctx.clipRect.left <= bounds.right &&
           bounds.top <= ctx.clipRect.bottom && ctx.clipRect.top <= bounds.bottom;
}

// The figure's drawn area as one closed polygon: what its symbol's fill
// program covers, or else its rectangle. A shadow takes it when the figure has
// no outline points of its own (no hot zone, as for an ellipse).
QPolygonF DrawnOutline(const CFigure& fig)
{
    const CRect& r = fig.m_rect;
    if (const CFigSymbol* symbol = fig.HasPicture() ? nullptr : fig.GetSymbol()) {
        BYTE *fill = nullptr, *outline = nullptr, *mini = nullptr, *boxes = nullptr;
        const BYTE* start = symbol->PrepareOutline(r, fill, outline, mini, boxes, 0, 0.0);
        if (start && fill) {
            const BYTE* end = start + symbol->m_nProgramLength;
            QPainterPath area;
            for (const BYTE* at = fill; at < end && *at != kOpEndFill;) {
                const BYTE op = *at++;
                if (!AddFillOutlineOp(op, at, end, area))
                    break;
            }
            const QPolygonF polygon = area.simplified().toFillPolygon();
            if (polygon.size() >= 4)
                return polygon;
        }
    }
    return QPolygonF(QRectF(r.left, r.top, r.Width(), r.Height()));
}

bool PassesFilter(const CDiagObjDrawCtx& ctx, const CDiagObj& obj)
{
    if (ctx.filter == kDrawFilterSelected)
        return obj.m_bSelected != 0;
    if (ctx.filter == kDrawFilterMarked)
        return obj.m_bVisited != 0;
    return true;
}
} // namespace

void DrawFigInView(CGraphics* graphics, CDC* dc, CDiagObjDrawCtx& ctx, const CFigure& fig, int editArea)
{
    if (!graphics && !dc)
        return;
    if (IsOutputMode(ctx.mode) && (fig.m_props.Behavior.low & kNotPrintedFlag))
        return;
    std::string text = fig.m_strText;
    if (editArea >= 0)
        text = ReplaceTextSection(text, editArea, std::string());
    CShadowSpec shadow;
    const CShadowSpec* shadowPtr = nullptr;
    QPolygonF outline;
    if (fig.ShadowAllowed()) {
        fig.GetShadow(shadow);
        std::vector<CPoint> points;
        if (shadow.m_nType != 0) {
            if (fig.GetOutlinePoints(points) > 3) {
                for (const CPoint& p : points)
                    outline.append(QPointF(p.x, p.y));
            } else {
                outline = DrawnOutline(fig);
            }
            shadowPtr = &shadow;
        }
    }
    RenderFigure(graphics, dc, ctx.FigCtx(), &text, nullptr, fig.m_rect, fig.m_props, fig.GetSymbol(), nullptr,
                 shadowPtr, shadowPtr ? &outline : nullptr);
    CDC* marksDc = dc ? dc : graphics->GetDC();
    const bool showConPts = ShowConnectionPoints != 0 || (fig.m_pDoc && fig.m_pDoc->IsShowingConPts());
    DrawFigMarks(marksDc, fig, ctx, showConPts);
}

void DrawDocObjects(CKavoDoc& doc, CGraphics* graphics, CDC* dc, CDiagObjDrawCtx& ctx)
{
    if (!doc.m_pObjList)
        return;
    ctx.BeginPass();
    // With line hops on, each connector looks for crossings only among the
    // connectors near it.
    std::optional<ConCrossingPass> crossings;
    if (doc.m_bConnectorJogs)
        crossings.emplace(doc);
    for (CDiagObj* obj : *doc.m_pObjList) {
        if (!PassesFilter(ctx, *obj))
            continue;
        if (obj->GetType() == kObjConnector) {
            if (InClip(ctx, *obj))
                DrawConObj(graphics, dc, ctx, *static_cast<CConnector*>(obj));
        } else if (obj->GetType() == kObjFigure) {
            // Off the clip nothing of the figure shows, shadow and handles
            // included: skip before any outline or shadow is computed.
            if (!InClip(ctx, *obj))
                continue;
            const bool edited = ctx.filter == kDrawFilterOneSection && obj == ctx.filterObj;
            DrawFigInView(graphics, dc, ctx, *static_cast<CFigure*>(obj), edited ? ctx.filterSection : -1);
        }
    }
}

void InstallExportDrawer()
{
    SetExportDrawer([](CKavoDoc& doc, CGraphics* graphics, CDC* dc, const ExportDrawRequest& request) {
        CDiagObjDrawCtx ctx;
        ctx.mode = request.mode;
        ctx.flags = DisplayQuality ? 253 : 0;
        if (request.smoothing >= 0)
            ctx.flags = BYTE(request.smoothing ? (ctx.flags | kDrawFlagAntiAlias) : (ctx.flags & ~kDrawFlagAntiAlias));
        ctx.clipRect = request.exportRect;
        ctx.handleSize = request.handleSize;
        ctx.clientWidth = request.client.cx;
        ctx.clientHeight = request.client.cy;
        ctx.filter = request.which == kExportSelected ? kDrawFilterSelected
                     : request.which == kExportMarked ? kDrawFilterMarked
                                                      : kDrawFilterAll;
        DrawDocObjects(doc, graphics, dc, ctx);
    });
}
