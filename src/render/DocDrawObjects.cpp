#include "render/DocDrawObjects.h"

#include "core/Settings.h"
#include "document/CKavoDoc.h"
#include "document/ObjIndex.h"
#include "platform/CGraphics.h"
#include "render/CDiagObjDrawCtx.h"
#include "render/ConnectorDraw.h"
#include "render/DiagramExport.h"
#include "render/HandleDraw.h"
#include "shapes/CFigSymbol.h"
#include "shapes/OutlineDraw.h"

#include <QPainterPath>
#include <QPolygonF>

#include <algorithm>

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
    const CRect bounds = DrawReachOf(obj, ctx.handleSize);
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

// The graphics' quality modes as the pass found them, smoothing as the
// pass's anti-aliasing says. Figures set their smoothing and shadows their
// interpolation and leave them set: every object starts from these again, so
// that an object looks the same whatever was drawn before it (a repainted
// area or an export band drawn alone shows what the whole drawing shows
// there, and a connector is smoothed as its drawing asks, not as the figure
// before it was).
class QualityModes {
public:
    QualityModes(const CGraphics* g, bool antiAlias)
    {
        if (!g)
            return;
        m_smoothing = antiAlias ? GpSmoothingMode::HighQuality : GpSmoothingMode::HighSpeed;
        m_pixelOffset = g->GetPixelOffsetMode();
        m_interpolation = g->GetInterpolationMode();
        m_compositing = g->GetCompositingQuality();
    }
    void Restore(CGraphics* g) const
    {
        if (!g)
            return;
        g->SetSmoothingMode(m_smoothing);
        g->SetPixelOffsetMode(m_pixelOffset);
        g->SetInterpolationMode(m_interpolation);
        g->SetCompositingQuality(m_compositing);
    }

private:
    GpSmoothingMode m_smoothing{};
    GpPixelOffsetMode m_pixelOffset{};
    GpInterpolationMode m_interpolation{};
    GpCompositingQuality m_compositing{};
};

bool PassesFilter(const CDiagObjDrawCtx& ctx, const CDiagObj& obj)
{
    if (ctx.filter == kDrawFilterSelected)
        return obj.m_bSelected != 0;
    if (ctx.filter == kDrawFilterMarked)
        return obj.m_bVisited != 0;
    return true;
}
// The per-section format markup the figure's text was measured with.
const std::string* FigFormatText(const CFigure& fig)
{
    return fig.m_strSecondText.empty() ? nullptr : &fig.m_strSecondText;
}

// The figure's text rotation, its document's line spacing and oversize-text
// option, as the text was measured, fitted and edited with them.
FigTextLayout FigTextLayoutOf(const CFigure& fig)
{
    FigTextLayout t;
    t.rotation = fig.m_nTextRotate;
    if (fig.m_pDoc) {
        t.spacingKind = fig.m_pDoc->m_nLineSpacingMode;
        t.spacingValue = fig.m_pDoc->m_fLineSpacingValue;
        t.oversizeText = fig.m_pDoc->IsOversizeTextRect();
    }
    return t;
}
// The outline a figure's shadow takes: its outline points, else the shape
// as drawn.
std::vector<CPoint> ShadowOutlinePoints(const CFigure& fig)
{
    std::vector<CPoint> points;
    if (fig.GetOutlinePoints(points) > 3)
        return points;
    points.clear();
    for (const QPointF& p : DrawnOutline(fig))
        points.emplace_back(qRound(p.x()), qRound(p.y()));
    return points;
}

// Figures joined by figure links cast one shadow: the outlines of the
// linked figures with a drop shadow join this figure's, overlaps shaded once.
void AddClusterOutlines(const CKavoDoc& doc, const CFigure& fig, CDiagObjDrawCtx& ctx, QPolygonF& outline)
{
    std::vector<std::vector<CPoint>> linked;
    doc.CollectLinkedShadowOutlines(linked, &fig, ctx.shadowOutlined, &ShadowOutlinePoints);
    if (linked.empty())
        return;
    QPainterPath united;
    united.setFillRule(Qt::WindingFill);
    united.addPolygon(outline);
    for (const std::vector<CPoint>& points : linked) {
        QPolygonF polygon;
        for (const CPoint& p : points)
            polygon.append(QPointF(p.x, p.y));
        QPainterPath path;
        path.addPolygon(polygon);
        united = united.united(path);
    }
    outline = united.toFillPolygon();
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
    // A figure whose outline a linked figure's shadow already cast in this
    // pass casts none of its own.
    if (fig.ShadowAllowed() && !ctx.shadowOutlined.contains(&fig)) {
        fig.GetShadow(shadow);
        std::vector<CPoint> points;
        if (shadow.m_nType != 0) {
            if (fig.GetOutlinePoints(points) > 3) {
                for (const CPoint& p : points)
                    outline.append(QPointF(p.x, p.y));
            } else {
                outline = DrawnOutline(fig);
            }
            if (fig.m_pDoc)
                AddClusterOutlines(*fig.m_pDoc, fig, ctx, outline);
            shadowPtr = &shadow;
        }
    }
    RenderFigure(graphics, dc, ctx.FigCtx(), &text, FigFormatText(fig), fig.m_rect, fig.m_props, fig.GetSymbol(),
                 nullptr, shadowPtr, shadowPtr ? &outline : nullptr, FigTextLayoutOf(fig));
    CDC* marksDc = dc ? dc : graphics->GetDC();
    const bool showConPts = ShowConnectionPoints != 0 || (fig.m_pDoc && fig.m_pDoc->IsShowingConPts());
    DrawFigMarks(marksDc, fig, ctx, showConPts);
}

void DrawDocObjects(CKavoDoc& doc, CGraphics* graphics, CDC* dc, CDiagObjDrawCtx& ctx,
                    const std::vector<CDiagObj*>* objects)
{
    if (!doc.m_pObjList)
        return;
    ctx.BeginPass();
    ctx.shadowOutlined.clear();
    const QualityModes modes(graphics, ctx.AntiAlias());
    auto draw = [&](CDiagObj* obj) {
        if (!PassesFilter(ctx, *obj))
            return;
        modes.Restore(graphics);
        if (obj->GetType() == kObjConnector) {
            if (InClip(ctx, *obj))
                DrawConObj(graphics, dc, ctx, *static_cast<CConnector*>(obj));
        } else if (obj->GetType() == kObjFigure) {
            // Off the clip nothing of the figure shows, shadow and handles
            // included: skip before any outline or shadow is computed.
            if (!InClip(ctx, *obj))
                return;
            const bool edited = ctx.filter == kDrawFilterOneSection && obj == ctx.filterObj;
            DrawFigInView(graphics, dc, ctx, *static_cast<CFigure*>(obj), edited ? ctx.filterSection : -1);
        }
    };
    if (objects) {
        std::for_each(objects->begin(), objects->end(), draw);
    } else if (ctx.clipRect.IsRectNull() || !CObjIndex::IsEnabled()) {
        std::for_each(doc.m_pObjList->begin(), doc.m_pObjList->end(), draw);
    } else {
        // Only the objects the index places near the clip can reach it.
        CRect near = ctx.clipRect;
        near.NormalizeRect();
        const int grow = DrawReachGrowth(std::max(ctx.handleSize, 0));
        near.InflateRect(grow, grow);
        std::vector<CDiagObj*> nearby;
        doc.ObjIndex().Query(near, nearby);
        std::for_each(nearby.begin(), nearby.end(), draw);
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
        ctx.clipRect = request.clip.IsRectEmpty() ? request.exportRect : request.clip;
        ctx.handleSize = request.handleSize;
        ctx.clientWidth = request.client.cx;
        ctx.clientHeight = request.client.cy;
        ctx.filter = request.which == kExportSelected ? kDrawFilterSelected
                     : request.which == kExportMarked ? kDrawFilterMarked
                                                      : kDrawFilterAll;
        DrawDocObjects(doc, graphics, dc, ctx, request.objects);
    });
}
