#include "render/FigGlyphs.h"

#include "core/Settings.h"
#include "platform/CDC.h"
#include "platform/CGraphics.h"
#include "platform/GdiObjects.h"
#include "shapes/CFigSymbol.h"
#include "shapes/MarkerDraw.h"

#include <algorithm>

namespace {

// Lines, rectangles and ellipses on whichever surface is given.
class GlyphPainter {
public:
    GlyphPainter(CGraphics* g, const CGpPen* pen, CDC* dc) : m_g(g), m_pen(pen), m_dc(dc) {}
    bool Usable() const { return (m_g && m_pen) || m_dc; }
    void Line(int x1, int y1, int x2, int y2)
    {
        if (m_g && m_pen) {
            m_g->DrawLine(*m_pen, QPointF(x1, y1), QPointF(x2, y2));
        } else if (m_dc) {
            m_dc->MoveTo(x1, y1);
            m_dc->LineTo(x2, y2);
        }
    }
    void Chain(std::initializer_list<POINT> pts)
    {
        const POINT* prev = nullptr;
        for (const POINT& p : pts) {
            if (prev)
                Line(prev->x, prev->y, p.x, p.y);
            prev = &p;
        }
    }
    void Ellipse(int l, int t, int r, int b)
    {
        if (m_g && m_pen)
            m_g->DrawEllipse(*m_pen, QRectF(l, t, r - l, b - t));
        else if (m_dc)
            m_dc->Ellipse(l, t, r, b);
    }
    void Rect(int l, int t, int r, int b)
    {
        if (m_g && m_pen)
            m_g->DrawRectangle(*m_pen, QRectF(l, t, r - l, b - t));
        else if (m_dc)
            m_dc->Rectangle(l, t, r, b);
    }
    void Arc(const QRectF& box, float start, float sweep, int l, int t, int r, int b, POINT from,
             POINT to)
    {
        if (m_g && m_pen)
            m_g->DrawArc(*m_pen, box, start, sweep);
        else if (m_dc)
            m_dc->Arc(l, t, r, b, from.x, from.y, to.x, to.y);
    }

private:
    CGraphics* m_g;
    const CGpPen* m_pen;
    CDC* m_dc;
};

// Glyphs 0 and 12: a fork; 12's stem runs on to the bottom.
void Fork(GlyphPainter& p, int l, int t, int r, int b, bool fullStem)
{
    const int w = r - l, mx = (l + r) / 2, my = (t + b) / 2, d = w / 2 - w / 5;
    p.Line(mx, t + 1, mx, fullStem ? b + 1 : my);
    p.Line(mx - d, my, mx + d, my);
    p.Line(mx - d, my, mx - d, b + 1);
    p.Line(mx + d, my, mx + d, b + 1);
}

void Component(GlyphPainter& p, int l, int t, int r, int b)
{
    const int h = b - t, w = r - l;
    int t1 = t, b1 = b;
    if (h / 4 < h - h / 4)
        t1 = t + h / 8, b1 = b - h / 8;
    const int H = b1 - t1, V = H / 5, U = H - 2 * V;
    const int S = U / 3 + (U % 3 == 2 ? 1 : 0), P = U / 3 + (U % 3 == 1 ? 1 : 0);
    int c = w * 4 / 10;
    if (c % 2 == 0)
        ++c;
    const int x1 = l + c / 2 + 1;
    p.Rect(l, t1 + S, l + c + 1, t1 + S + V + 1);
    p.Rect(l, t1 + S + P + V, l + c + 1, t1 + S + P + 2 * V + 1);
    p.Chain({{x1, t1 + S}, {x1, t1}, {r, t1}, {r, b1}, {x1, b1}, {x1, b1 - S}});
    p.Line(x1, t1 + V + S, x1, t1 + S + P + V);
}

void Pills(GlyphPainter& p, CGraphics* g, const CGpPen* pen, CDC* dc, int l, int t, int r, int b)
{
    const int w = r - l, h = b - t, f = w / 7;
    const int e = std::min(w, h) * 7 / 24, len = e * 129 / 100, radius = e * 29 / 100;
    const RECT first{l, b - f - e, l + len, b - f};
    const RECT second{r - len, t + f, r, t + f + e};
    DrawPillShape(g, pen, dc, first, radius);
    DrawPillShape(g, pen, dc, second, radius);
    const int x1 = first.right - e * 29 / 400, y1 = first.top + (first.bottom - first.top) / 4;
    const int x2 = second.left + e * 29 / 400, y2 = second.bottom - (second.bottom - second.top) / 4;
    p.Line(x1, y1, x2, y2);
    p.Line(x2, y2, (x1 - x2) * 2 / 3 + x2, y2 - (y2 - y1) / 6);
    p.Line(x2, y2, x2 - (x2 - x1) / 6, (y1 - y2) * 2 / 3 + y2);
}

} // namespace

void DrawCornerMarks(CGraphics* graphics, const CGpPen* pen, CDC* dc, const RECT& rect, int divisor)
{
    GlyphPainter p(graphics, pen, dc);
    if (!p.Usable() || divisor <= 0)
        return;
    const int w = rect.right - rect.left, h = rect.bottom - rect.top;
    const int s = (w + 1) / divisor < (h + 1) / divisor ? w : h;
    const int arm = (s + 1) / divisor;
    const int l = rect.left, t = rect.top, r = rect.right - 1, b = rect.bottom - 1;
    p.Line(l, t, l + arm, t), p.Line(l, t, l, t + arm);
    p.Line(r, t, r - arm, t), p.Line(r, t, r, t + arm);
    p.Line(r, b, r - arm, b), p.Line(r, b, r, b - arm);
    p.Line(l, b, l + arm, b), p.Line(l, b, l, b - arm);
}

void DrawPillShape(CGraphics* graphics, const CGpPen* pen, CDC* dc, const RECT& rect, int radius)
{
    GlyphPainter p(graphics, pen, dc);
    const int l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
    radius = std::max(0, std::min({radius, (r - l) / 2, (b - t) / 2}));
    if (radius == 0) {
        p.Rect(l, t, r, b);
        return;
    }
    const int d = 2 * radius;
    // The ends: left half circle from the top round to the bottom, right half
    // from the bottom round to the top; then the straight sides.
    p.Arc(QRectF(l, t, d, b - t), 90, 180, l, t, l + d, b, POINT{l + radius, t}, POINT{l + radius, b});
    p.Arc(QRectF(r - d, t, d, b - t), 270, 180, r - d, t, r, b, POINT{r - radius, b}, POINT{r - radius, t});
    p.Line(l + radius, t, r - radius, t);
    p.Line(l + radius, b, r - radius, b);
}

void DrawIconGlyph(CGraphics* graphics, const CGpPen* pen, CDC* dc, const RECT& rect, int glyph)
{
    GlyphPainter p(graphics, pen, dc);
    if (!p.Usable())
        return;
    const int l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
    const int w = r - l, h = b - t, mx = (l + r) / 2, my = (t + b) / 2;
    switch (glyph) {
    case 0: Fork(p, l, t, r, b, false); break;
    case 1: {
        const int q = w / 5, c = w / 4, e = h / 4;
        p.Line(mx, t + q, mx, b - q + 1);
        for (const POINT& from : {POINT{l + c, t + e}, POINT{r - c, t + e}, POINT{r - c, b - e},
                                  POINT{l + c, b - e}})
            p.Line(from.x, from.y, mx, my);
        break;
    }
    case 2: {
        const int f = w / 8;
        p.Ellipse(l + f, t + f, r - f, b - f);
        p.Line(mx - w / 24, t + f, mx + f, t + w / 32);
        p.Line(mx - w / 24, t + f, mx + f, t + 2 * f - w / 32);
        break;
    }
    case 3: {
        const int k = w / 3, y0 = my - w / 6;
        p.Ellipse(l, y0, l + k, y0 + k);
        p.Ellipse(l + 2 * k, y0, l + 3 * k, y0 + k);
        p.Line(l + k, my, l + 2 * k, my);
        break;
    }
    case 4: {
        const int d = w / 7;
        p.Chain({{mx, t + d}, {l + d, b - d}, {r - d, b - d}, {mx, t + d}});
        break;
    }
    case 5: {
        const int d = w / 7, o = 3 * w / 8, f = d + (h - 2 * d) / 3;
        p.Chain({{l, t + d}, {l + o, t + d}, {l + o, t + f}, {r, t + f}, {r, b - d}, {l, b - d}, {l, t + d}});
        p.Line(l, t + f, r, t + f);
        break;
    }
    case 6: {
        const int v = w * 39 / 128, k = h * 4 / 10, y1 = b - h / 3;
        p.Ellipse(l + v, t, r - v + 1, t + k + 1);
        p.Line(mx, t + k + 1, mx, y1);
        p.Line(l + v, my, r - v + 1, my);
        p.Line(mx, y1, l + v, b);
        p.Line(mx, y1, r - v + 1, b);
        break;
    }
    case 7: Pills(p, graphics, pen, dc, l, t, r, b); break;
    case 8: {
        const int k = w * 65 / 100, f = w * 8 / 48;
        p.Ellipse(r - k, t + f, r, b - f);
        p.Line(l, my, r - k, my);
        p.Line(l, t + f, l, b - f);
        break;
    }
    case 9: {
        const int f = w / 8;
        p.Ellipse(l + f, t + f, r - f, b - f);
        break;
    }
    case 10: Component(p, l, t, r, b); break;
    case 11: {
        const int l1 = l + w / 7, r1 = r - w / 7, x = (r1 - l1) * 4 / 9;
        p.Chain({{l1, t}, {r1 - x, t}, {r1, t + x}, {r1, b}, {l1, b}, {l1, t}});
        p.Chain({{r1 - x, t}, {r1 - x, t + x}, {r1, t + x}});
        break;
    }
    case 12: Fork(p, l, t, r, b, true); break;
    default: break;
    }
}

int MarkerGlyphOfKind(int kind)
{
    struct Row { int glyph; std::initializer_list<int> kinds; };
    static const Row kRows[] = {
        {0, {54, 55, 75, 76, 77, 78}}, {1, {62, 132}},          {2, {81, 89, 93, 97, 129}},
        {3, {85}},                     {4, {56, 57, 79}},       {6, {80, 86, 90, 94, 126}},
        {7, {84}},                     {8, {82, 87, 91, 95, 127}}, {9, {83, 88, 92, 96, 128}},
        {10, {118, 119, 120}},         {11, {121, 122, 123}},   {12, {125, 133, 145}},
    };
    for (const Row& row : kRows)
        for (int k : row.kinds)
            if (k == kind)
                return row.glyph;
    return -1;
}

int GetFigMarkerRect(const CFigSymbol* symbol, const RECT& figRect, int* glyph, CRect* out,
                     int arg1, int arg2)
{
    (void)arg1;
    (void)arg2;
    if (!symbol || !out)
        return 0;
    const int g = MarkerGlyphOfKind(symbol->Reshape);
    const int w = figRect.right - figRect.left, h = figRect.bottom - figRect.top;
    if (g < 0 || w <= 0 || h <= 0)
        return 0;
    // A square in the top-right corner: a fifth of the smaller side, at least
    // a quarter inch (64 units) where the figure allows, inset by a quarter
    // of its side.
    const int side = std::min(std::max(std::min(w, h) / 5, 64), std::min(w, h) / 2);
    const int inset = side / 4;
    CRect r(figRect.right - inset - side, figRect.top + inset, figRect.right - inset,
            figRect.top + inset + side);
    r &= CRect(figRect);
    if (r.IsRectEmpty())
        return 0;
    if (glyph)
        *glyph = g;
    *out = r;
    return 1;
}

void GetMarkerSquareBeside(const RECT& rect, int size, int side, CRect& out)
{
    const int gap = size * 2 / 3;
    const int top = rect.top + (rect.bottom - rect.top) / 2 - size / 2;
    const bool leftSide = side == 2 || side == 4 || side == 6;
    const int left = leftSide ? rect.left - gap - size : rect.right + gap;
    out = CRect(left, top, left + size, top + size);
}

void DrawFigMarker(CGraphics* graphics, const CGpPen* pen, CDC* dc, const RECT& figRect,
                        const CFigSymbol* symbol, int flag1, int flag2)
{
    int glyph = -1;
    CRect r;
    if (!GetFigMarkerRect(symbol, figRect, &glyph, &r, flag1, flag2))
        return;
    if (symbol->IsBracketedName() && !flag2) {
        r.left -= r.Width();
        r.bottom += r.Height();
    }
    if (glyph >= 0 && !r.IsRectEmpty())
        DrawIconGlyph(graphics, pen, dc, r, glyph);
}

void DrawJunctionMark(CDC* dc, const RECT& rect, int size, COLORREF colour, int kind)
{
    if (!dc || size <= 0 || kind == 0)
        return;
    const int cx = (rect.left + rect.right) / 2, cy = (rect.top + rect.bottom) / 2;
    const int s = size;
    POINT pts[4];
    switch (kind) {
    case 1: pts[0] = {cx, cy - s}, pts[1] = {cx + s, cy}, pts[2] = {cx, cy + s}, pts[3] = {cx - s, cy}; break;
    case 2: pts[0] = {cx - s, cy - s}, pts[1] = {cx + s, cy - s}, pts[2] = {cx + s, cy + s}, pts[3] = {cx - s, cy + s}; break;
    case 3:
    case 4: pts[0] = {cx - s, cy}, pts[1] = {cx, cy - s / 2}, pts[2] = {cx + s, cy}, pts[3] = {cx, cy + s / 2}; break;
    default: pts[0] = {cx, cy - s}, pts[1] = {cx + s / 2, cy}, pts[2] = {cx, cy + s}, pts[3] = {cx - s / 2, cy}; break;
    }
    CBrush brush(colour);
    CBrush* oldBrush = dc->SelectObject(&brush);
    CGdiObject* oldPen = dc->SelectStockObject(NULL_PEN);
    dc->Polygon(pts, 4);
    dc->SelectObject(oldBrush);
    if (oldPen)
        dc->SelectObject(static_cast<CPen*>(oldPen));
}

void DrawDeviceMarker(CDC* dc, int size, int x, int y)
{
    DrawDeviceDiamond(dc, size, x, y, 0, ConPtColor);
}
