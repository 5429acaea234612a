#include "render/ConPolylineDraw.h"

#include "geometry/IntGeometry.h"
#include "graphics/CDCSave.h"
#include "graphics/DashPattern.h"
#include "platform/CDC.h"
#include "platform/CGraphics.h"
#include "platform/GdiObjects.h"
#include "platform/GdiTypes.h"
#include "render/ConDrawContext.h"
#include "shapes/CConProps.h"
#include "shapes/CShapeDef.h"
#include "shapes/EndShapeDraw.h"
#include "shapes/ShapeLibrary.h"

#include <QPolygonF>

namespace {

// Geometric pen with flat end caps (PS_GEOMETRIC | PS_ENDCAP_FLAT).
constexpr DWORD kFlatGeometric = 0x10200;
// Geometric pen with round end caps, for the dots that round a wide line's ends.
constexpr DWORD kRoundGeometric = 0x10000;
constexpr int kMinRoundEndWidth = 6;
// Behaviour bit: no flow stamps on this connector.
constexpr DWORD kNoFlowStamps = 64;

bool IsAxisParallel(const POINT& a, const POINT& b)
{
    return a.x == b.x || a.y == b.y;
}

bool IsClosed(const POINT* pts, int count)
{
    return count > 3 && pts[0].x == pts[count - 1].x && pts[0].y == pts[count - 1].y;
}

void StrokeGdip(CGraphics& g, const CConProps& props, int style, const POINT* pts, int count)
{
    CGpPen pen;
    pen.color = ColorRefToARGB(props.Color);
    pen.width = float(props.LineWidth);
    pen.lineJoin = GpLineJoin::Round;
    if (style != 0) {
        const DashRow& row = GetDashRow(style);
        pen.dashStyle = GpDashStyle::Custom;
        for (int i = 0; i < row.count; ++i)
            pen.dashPattern.push_back(float(row.lengths[i]));
        pen.dashCap = GpDashCap::Flat;
    }
    QPolygonF poly;
    poly.reserve(count);
    for (int i = 0; i < count; ++i)
        poly << QPointF(pts[i].x, pts[i].y);
    if (IsClosed(pts, count))
        g.DrawPolygon(pen, poly);
    else
        g.DrawLines(pen, poly);
}

// Returns whether the stroke ended inside a drawn piece of its pattern.
bool StrokeGdi(CDC& dc, const ConDrawCtx* ctx, const CConProps& props, int style, const POINT* pts, int count)
{
    const bool xorMode = ctx && ctx->xorMode;
    const COLORREF color = xorMode ? props.Color ^ ctx->xorColor : props.Color;
    const int width = props.LineWidth;
    const DWORD join = DWORD(props.Join) & PS_JOIN_MASK;
    const bool plainPen = style == 0 || width == 0 || (width < 2 && style < kDashStyleNoLine);
    const LOGBRUSH brush{BS_SOLID, color, 0};
    CPen pen((plainPen ? DWORD(style) : 0) | join | kFlatGeometric, width, brush);
    dc.SelectObject(&pen);
    if (xorMode) {
        dc.SetROP2(R2_XORPEN);
        dc.SetBkMode(TRANSPARENT);
    }
    const bool usePath = !ctx || ctx->CanHoldPaths();
    if (usePath)
        dc.BeginPath();
    bool endsDrawn = true;
    if (plainPen)
        dc.Polyline(pts, count);
    else
        endsDrawn = StrokeDashedPolyline(dc, pts, count, style, width);
    if (usePath) {
        dc.EndPath();
        dc.StrokePath();
    }
    return endsDrawn;
}

// A zero-length stroke with a round-capped pen of the line width.
void RoundEnd(CDC& dc, const ConDrawCtx* ctx, const CConProps& props, const POINT& pt)
{
    const COLORREF color = ctx && ctx->xorMode ? props.Color ^ ctx->xorColor : props.Color;
    const LOGBRUSH brush{BS_SOLID, color, 0};
    CPen pen(kRoundGeometric, props.LineWidth, brush);
    dc.SelectObject(&pen);
    dc.MoveTo(pt.x, pt.y);
    dc.LineTo(pt.x, pt.y);
}

void PlaceFlowStamps(CGraphics* g, CDC* dc, const ConDrawCtx* ctx, const CConProps& props, const POINT* pts,
                     int count)
{
    if (props.FIType < 0 || (props.Behavior.low & kNoFlowStamps) || props.FISpacing <= 0)
        return;
    DashPattern pattern;
    pattern.LoadSpacing(props.FISpacing);
    const DashCallback stamp = [&](const POINT& pt, int) {
        DrawFlowStamp(pt, g, dc, ctx, props, pattern, false);
    };
    for (int i = 0; i + 1 < count; ++i)
        WalkDashes(pts[i], pts[i + 1], pattern, true, false, stamp);
}

} // namespace

int ConLinePenStyle(int penStyle)
{
    return penStyle >= 0 && penStyle < kDashStyles ? penStyle : 0;
}

void DrawConPolyline(CGraphics* graphics, CDC* dc, const ConDrawCtx* ctx, const CConProps& props,
                     const POINT* pts, int count, bool roundStart, bool roundEnd, bool noFlowStamps)
{
    if ((!graphics && !dc) || !pts || count < 2)
        return;
    const int style = ConLinePenStyle(props.PenStyle);
    const bool xorMode = ctx && ctx->xorMode;
    CDC* target = dc ? dc : graphics->GetDC();
    if (style != kDashStyleNoLine) {
        if (graphics && !xorMode) {
            StrokeGdip(*graphics, props, style, pts, count);
        } else if (target) {
            CDCSave save(*target);
            const bool endsDrawn = StrokeGdi(*target, ctx, props, style, pts, count);
            if (props.LineWidth >= kMinRoundEndWidth && (!ctx || ctx->CanHoldPaths())) {
                if (roundStart && !IsAxisParallel(pts[0], pts[1]))
                    RoundEnd(*target, ctx, props, pts[0]);
                if (roundEnd && endsDrawn && !IsAxisParallel(pts[count - 2], pts[count - 1]))
                    RoundEnd(*target, ctx, props, pts[count - 1]);
            }
        }
    }
    if (!noFlowStamps)
        PlaceFlowStamps(xorMode ? nullptr : graphics, target, ctx, props, pts, count);
}

void DrawFlowStamp(const POINT& pt, CGraphics* graphics, CDC* dc, const ConDrawCtx* ctx,
                   const CConProps& props, const DashPattern& pattern, bool noAntialias)
{
    const CShapeDef* shape = StampShapes().GetAt(props.FIType);
    if (!shape || (!graphics && !dc))
        return;
    // The direction: from the segment's start through the point (from the
    // point away from the segment's end when the point is the start itself).
    POINT toward = pattern.segStart;
    if (toward.x == pt.x && toward.y == pt.y)
        toward = POINT{2 * pt.x - pattern.segEnd.x, 2 * pt.y - pattern.segEnd.y};
    // The stamp is centred on the point: a centred shape spans its square
    // about the pivot (half the stamp size each way); a shape drawn from its
    // tip runs one half-side back from the tip, so the tip goes half the
    // stamp size ahead of the point.
    int size = props.FISize / 2;
    POINT tip = pt;
    if (!shape->Centered) {
        size = props.FISize;
        if (toward.x != pt.x || toward.y != pt.y) {
            const POINT ahead{2 * pt.x - toward.x, 2 * pt.y - toward.y};
            tip = PtAlongLine(pt, ahead, size / 2);
        }
    }
    const bool antiAlias = !noAntialias && (!ctx || ctx->AntiAlias());
    if (graphics)
        DrawEndSymbolGdip(graphics, shape, tip, toward, size, props.FIBdrWidth, props.FIBdrClr, props.FIFillClr,
                          kEndShapeFillOutline, antiAlias);
    else
        DrawEndShape(dc, shape, tip, toward, size, props.FIBdrWidth, props.FIBdrClr, props.FIFillClr,
                     ctx && ctx->xorMode ? kEndShapeTracking : kEndShapeFillOutline);
}
