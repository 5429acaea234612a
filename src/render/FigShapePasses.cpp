#include "render/FigShapePasses.h"

#include "graphics/DashPattern.h"
#include "platform/CDC.h"
#include "platform/CGraphics.h"
#include "platform/GdiObjects.h"
#include "render/FigGlyphs.h"
#include "render/FigShapeDraw.h"
#include "render/FillBrush.h"
#include "shapes/CFigSymbol.h"
#include "shapes/OutlineDraw.h"
#include "shapes/OutlineProgram.h"

#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kPenStyleNone = 5;
constexpr int kPenStyleDivider = 13;
constexpr int kMinFlatPoints = 4;

struct Prepared {
    BYTE* start = nullptr;
    BYTE* fill = nullptr;
    BYTE* outline = nullptr;
    BYTE* mini = nullptr;
    BYTE* boxes = nullptr;
    const BYTE* end = nullptr;
};

Prepared Prepare(const CFigSymbol& symbol, const RECT& rect, double angle)
{
    Prepared p;
    p.start = symbol.PrepareOutline(rect, p.fill, p.outline, p.mini, p.boxes, 0, angle);
    if (p.start)
        p.end = p.start + symbol.m_nProgramLength;
    return p;
}

// Walks a sub-program from `at` to its end byte, handing each operation to draw
// (which moves the cursor past it); stops on a malformed operation.
template <class Draw>
void Walk(const BYTE* at, const BYTE* end, BYTE endByte, Draw draw)
{
    bool first = true;
    while (at && at < end && *at != endByte) {
        const BYTE op = *at++;
        if (!draw(op, at, first))
            return;
        first = false;
    }
}

CGpPen StyledPen(COLORREF colour, int width, int style)
{
    CGpPen pen;
    pen.color = ColorRefToARGB(colour);
    pen.width = float(std::max(width, 1));
    pen.lineJoin = GpLineJoin::Round;
    const DashRow& row = GetDashRow(style);
    if (style != 0 && row.count > 0) {
        pen.dashStyle = GpDashStyle::Custom;
        pen.dashCap = GpDashCap::Flat;
        for (int i = 0; i < row.count; ++i)
            pen.dashPattern.push_back(float(row.lengths[i]));
    }
    return pen;
}

} // namespace

CRect FigShapePasses::InsetForPen(const CRect& rect, int w)
{
    if (w < 2)
        return rect;
    return CRect(rect.left + w / 2, rect.top + w / 2, rect.right - (w - 1) / 2, rect.bottom - (w - 1) / 2);
}

FigShapePasses::FigShapePasses(CGraphics* graphics, CDC* dc, const CRect& rect,
                               const ShapeDrawAttrs& attrs, bool small, int lineWidth)
    : m_g(graphics), m_dc(dc), m_rect(rect), m_outline(InsetForPen(rect, lineWidth)), m_a(attrs),
      m_small(small), m_lineWidth(lineWidth)
{
}

void FigShapePasses::Run()
{
    if (m_dc)
        m_saved = m_dc->SaveDC();
    if (CombinedPassApplies())
        CombinedPass();
    FillPass();
    BorderPass();
}

void FigShapePasses::Finish()
{
    if (m_dc && m_saved)
        m_dc->RestoreDC(m_saved);
    m_saved = 0;
}

bool FigShapePasses::CombinedPassApplies() const
{
    const int mode = m_a.m_drawMode;
    return m_dc && !m_g && mode != 0 && mode != 1 && mode != 2 && mode != 4 && m_a.m_fill.m_nKind != 0 &&
           m_a.m_borderColor != kNoBorderColor && m_lineWidth >= 1 && !m_a.m_forceOutline &&
           m_a.m_symbol->m_nOutlinePos >= 0 && m_a.m_lineStyle == 0 && m_a.m_symbol->OutlineSameAsFill();
}

void FigShapePasses::CombinedPass()
{
    const Prepared p = Prepare(*m_a.m_symbol, m_outline, m_a.m_angle);
    if (!p.fill || *p.fill == kOpEndFill)
        return;
    CBrush brush(m_a.m_fill.m_crColor1);
    CPen pen(PS_SOLID, m_lineWidth, m_a.m_borderColor);
    m_dc->SelectObject(&brush);
    m_dc->SelectObject(&pen);
    m_dc->SetPolyFillMode(WINDING);
    const BYTE* at = p.fill;
    const BYTE op = *at++;
    DrawOutlineOpGdi(op, at, p.end, *m_dc, 0);
    m_dc->SelectStockObject(NULL_BRUSH);
    m_dc->SelectStockObject(BLACK_PEN);
    m_firstDrawn = true;
}

void FigShapePasses::FillPass()
{
    const int mode = m_a.m_drawMode;
    if (mode == 0 || mode == 2 || mode == 4 || m_a.m_fill.m_nKind == 0)
        return;
    const Prepared p = Prepare(*m_a.m_symbol, m_outline, m_a.m_angle);
    if (!p.fill) {
        if (m_dc && !m_g) {
            CBrush brush(m_a.m_fill.m_crColor1);
            m_dc->SelectObject(&brush);
            m_dc->SelectStockObject(NULL_PEN);
            m_dc->Rectangle(&m_rect);
            m_dc->SelectStockObject(NULL_BRUSH);
        }
        return;
    }
    if (m_g) {
        CGpBrush brush;
        if (!GpBrushFromFill(m_a.m_fill, m_rect, brush))
            return;
        Walk(p.fill, p.end, kOpEndFill, [&](BYTE op, const BYTE*& at, bool first) {
            return FillSymbolOutline(op, at, p.end, *m_g, brush, first && m_firstDrawn);
        });
        return;
    }
    CBrush brush(m_a.m_fill.m_crColor1);
    m_dc->SetPolyFillMode(WINDING);
    m_dc->SelectObject(&brush);
    m_dc->SelectStockObject(NULL_PEN);
    Walk(p.fill, p.end, kOpEndFill, [&](BYTE op, const BYTE*& at, bool first) {
        return DrawOutlineOpGdi(op, at, p.end, *m_dc, 0, first && m_firstDrawn);
    });
    m_dc->SelectStockObject(NULL_BRUSH);
}

int FigShapePasses::PenStyleOf(unsigned char op, const unsigned char* payload) const
{
    const int kind = m_a.m_symbol->Reshape;
    if (op == kOpLine && kind >= 138 && kind <= 143)
        return kPenStyleDivider;
    if (m_a.m_borderColor == kNoBorderColor && op == kOpRect) {
        // A part covering the whole cell is the frame the no-border colour hides.
        const CFltRect r = ReadOutlineRect(payload);
        if (std::abs(r.left - m_outline.left) <= 1 && std::abs(r.top - m_outline.top) <= 1 &&
            std::abs(r.right - (m_outline.right - 1)) <= 1 && std::abs(r.bottom - (m_outline.bottom - 1)) <= 1)
            return kPenStyleNone;
    }
    return m_a.m_lineStyle;
}

void FigShapePasses::BorderPass()
{
    const CFigSymbol& symbol = *m_a.m_symbol;
    const bool hasOutline = symbol.m_nOutlinePos >= 0;
    if (!m_a.m_forceOutline && (m_a.m_drawMode == 1 || !hasOutline))
        return;
    CGpPen cornerPen;
    cornerPen.color = ColorRefToARGB(m_a.m_borderColor);
    if (!hasOutline) {
        DrawCornerMarks(m_g, &cornerPen, m_g ? nullptr : m_dc, m_rect, 5);
        return;
    }
    const Prepared p = Prepare(symbol, m_outline, m_a.m_angle);
    const BYTE* outline = (m_small && p.mini) ? p.mini : p.outline;
    if (!outline)
        return;
    const bool dashed = m_a.m_lineStyle != 0 && m_a.m_lineStyle != kPenStyleNone;
    const bool flatStroke = dashed && !symbol.OutlineIsPolygonal() && m_a.m_flatCount >= kMinFlatPoints &&
                            m_a.m_flatPoints;
    if (m_g) {
        if (flatStroke) {
            QPolygonF poly;
            for (int i = 0; i < m_a.m_flatCount; ++i)
                poly << QPointF(m_a.m_flatPoints[i].x, m_a.m_flatPoints[i].y);
            m_g->DrawLines(StyledPen(m_a.m_borderColor, m_lineWidth, m_a.m_lineStyle), poly);
            return;
        }
        Walk(outline, p.end, kOpEndOutline, [&](BYTE op, const BYTE*& at, bool first) {
            const int style = PenStyleOf(op, at);
            const CGpPen pen = StyledPen(m_a.m_borderColor, m_lineWidth, style);
            return DrawSymbolOutline(op, at, p.end, *m_g, pen, style, first && m_firstDrawn);
        });
        return;
    }
    CPen pen(m_lineWidth > 0 ? PS_SOLID : PS_NULL, std::max(m_lineWidth, 0), m_a.m_borderColor);
    m_dc->SelectObject(&pen);
    m_dc->SelectStockObject(NULL_BRUSH);
    const int oldRop = m_a.m_drawMode == 2 ? m_dc->SetROP2(R2_NOT) : 0;
    if (flatStroke) {
        std::vector<CPoint> pts(m_a.m_flatPoints, m_a.m_flatPoints + m_a.m_flatCount);
        StrokeStyledPolyline(*m_dc, pts, m_a.m_lineStyle);
    } else {
        Walk(outline, p.end, kOpEndOutline, [&](BYTE op, const BYTE*& at, bool first) {
            return DrawOutlineOpGdi(op, at, p.end, *m_dc, PenStyleOf(op, at), first && m_firstDrawn);
        });
    }
    if (m_a.m_drawMode == 2)
        m_dc->SetROP2(oldRop);
    m_dc->SelectStockObject(BLACK_PEN);
}
