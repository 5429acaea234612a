#include "render/ConnectorDraw.h"

#include "document/CConnector.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "platform/CGraphics.h"
#include "render/ConDrawContext.h"
#include "render/ConPolylineDraw.h"
#include "render/ConRoutePrepare.h"
#include "render/HandleDraw.h"
#include "shapes/CConProps.h"
#include "shapes/EndShapeDraw.h"
#include "shapes/MarkerDraw.h"

namespace {

void FlagDrawn(ConDrawCtx* ctx, const ConRoute& route)
{
    if (ctx)
        for (const CConnector* c : route.cons)
            ctx->drawnCons.insert(c);
}

void DrawSelectedEndHandles(CDC* dc, ConDrawCtx* ctx, const ConRoute& route)
{
    if (!dc || !ctx || ctx->mode != kDrawModeScreen)
        return;
    for (const CConnector* c : route.cons)
        if (c->m_bSelected)
            DrawConEndHandles(dc, *c, ctx->handleSize, ctx);
}

void StrokeParts(CGraphics* graphics, CDC* dc, const ConDrawCtx* ctx, const CConProps& props,
                 const PreparedConRoute& prep)
{
    // Wide lines get round ends only where no end shape covers them.
    for (const std::vector<CPoint>& part : prep.parts)
        DrawConPolyline(graphics, dc, ctx, props, part.data(), int(part.size()), !prep.ends[0].shape,
                        !prep.ends[1].shape, false);
}

// The connector's own end: the end of the chain it leads to.
void AddFarEnd(const CConnector& con, CFigure*& at, ConRoute& out)
{
    const bool forward = con.m_pFig1 == at || out.points.empty();
    const CPoint far = forward ? con.EndPoint2 : con.EndPoint1;
    at = forward ? con.m_pFig2 : con.m_pFig1;
    out.points.push_back(far);
    out.fig2 = at;
    out.conPt2 = forward ? con.m_nConPtId2 : con.m_nConPtId1;
}

} // namespace

void BuildConRoute(CConnector& con, ConRoute& out)
{
    out = ConRoute{};
    std::vector<CConnector*> chain{&con};
    if (con.m_pDoc)
        chain = con.m_pDoc->GetConChain(&con);
    if (chain.empty())
        chain.push_back(&con);
    // The first connector runs from its end away from the second one.
    CConnector* first = chain.front();
    bool firstForward = true;
    if (chain.size() > 1) {
        const CConnector* second = chain[1];
        firstForward = first->m_pFig2 && (first->m_pFig2 == second->m_pFig1 || first->m_pFig2 == second->m_pFig2);
    }
    out.points.push_back(firstForward ? first->EndPoint1 : first->EndPoint2);
    out.fig1 = firstForward ? first->m_pFig1 : first->m_pFig2;
    out.conPt1 = firstForward ? first->m_nConPtId1 : first->m_nConPtId2;
    CFigure* at = out.fig1;
    for (CConnector* c : chain) {
        out.cons.push_back(c);
        if (c == first && !firstForward) {
            out.points.push_back(c->EndPoint1);
            at = c->m_pFig1;
            out.fig2 = at;
            out.conPt2 = c->m_nConPtId1;
            continue;
        }
        AddFarEnd(*c, at, out);
    }
}

void DrawJunctionDotGdip(CGraphics* graphics, int x, int y, const CConProps& props)
{
    if (!graphics)
        return;
    const int d = JunctionDotDiameter(props.LineWidth);
    CGpBrush brush;
    brush.color = ColorRefToARGB(props.Color);
    graphics->FillEllipse(brush, QRectF(x - d / 2, y - d / 2, d, d));
}

void DrawConnector(CGraphics* graphics, CDC* dc, ConDrawCtx* ctx, const ConRoute& route,
                   const CConProps& props, CKavoDoc* doc, const ConDrawArgs& args)
{
    if (graphics) {
        DrawConnectorGdip(graphics, ctx, route, props, doc, args);
        return;
    }
    PreparedConRoute prep;
    if (!dc || !PrepareConRoute(route, props, doc, args, false, prep))
        return;
    FlagDrawn(ctx, route);
    for (const PreparedConEnd& end : prep.ends)
        if (end.junctionDot)
            DrawJunctionDot(dc, end.tip.x, end.tip.y, props);
    StrokeParts(nullptr, dc, ctx, props, prep);
    const bool xorMode = ctx && ctx->xorMode;
    for (const PreparedConEnd& end : prep.ends) {
        if (end.suppressed)
            continue;
        if (end.conPtDot)
            DrawJunctionDot(dc, end.tip.x, end.tip.y, props);
        if (end.shape)
            DrawEndShape(dc, end.shape, end.tip, end.toward, end.size, props.EndBorderWidth, props.Color, end.fill,
                         xorMode            ? kEndShapeTracking
                         : end.outlineOnly ? kEndShapeOutline
                                           : kEndShapeFillOutline);
    }
    DrawSelectedEndHandles(dc, ctx, route);
}

void DrawConnectorGdip(CGraphics* graphics, ConDrawCtx* ctx, const ConRoute& route,
                       const CConProps& props, CKavoDoc* doc, const ConDrawArgs& args)
{
    // 1-4: points, pulled-back ends, line shape, pieces with hops.
    PreparedConRoute prep;
    if (!graphics || !PrepareConRoute(route, props, doc, args, true, prep))
        return;
    FlagDrawn(ctx, route);
    // 5-6: the start's junction dot, the stroke, the other end's dot.
    const PreparedConEnd& start = prep.ends[0];
    const PreparedConEnd& finish = prep.ends[1];
    if (start.junctionDot || start.conPtDot)
        DrawJunctionDotGdip(graphics, start.tip.x, start.tip.y, props);
    StrokeParts(graphics, nullptr, ctx, props, prep);
    if (finish.junctionDot || finish.conPtDot)
        DrawJunctionDotGdip(graphics, finish.tip.x, finish.tip.y, props);
    // 7: end symbols at the unshortened ends.
    const bool antiAlias = !ctx || ctx->AntiAlias();
    for (const PreparedConEnd& end : prep.ends)
        if (end.shape)
            DrawEndSymbolGdip(graphics, end.shape, end.tip, end.toward, end.size, props.EndBorderWidth,
                              props.Color, end.fill, end.outlineOnly ? kEndShapeOutline : kEndShapeFillOutline,
                              antiAlias);
    // 8: selection handles on the screen.
    DrawSelectedEndHandles(graphics->GetDC(), ctx, route);
}

void DrawConObj(CGraphics* graphics, CDC* dc, ConDrawCtx& ctx, CConnector& con)
{
    if (ctx.drawnCons.count(&con))
        return;
    ConRoute route;
    BuildConRoute(con, route);
    if (route.cons.empty())
        return;
    const CConnector& first = *route.cons.front();
    const CConnector& last = *route.cons.back();
    ConDrawArgs args;
    args.suppressEnd1 = first.SuppressEnd1 != 0;
    args.suppressEnd2 = last.SuppressEnd2 != 0;
    // An anchor line shows no end shapes where it ends on a junction or free.
    if (first.GetStockKind() == 39) {
        args.suppressEnd1 = args.suppressEnd1 || !route.fig1 || route.fig1->IsInvisible();
        args.suppressEnd2 = args.suppressEnd2 || !route.fig2 || route.fig2->IsInvisible();
    }
    DrawConnector(graphics, dc, &ctx, route, first.m_props, con.m_pDoc, args);
}
