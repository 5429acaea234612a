// CPainterDC: rectangles, round rectangles and ellipses with a one-pixel pen
// (or none) on image targets, written as spans straight into the image rows.
//
// The shape is a box with elliptic corners (an ellipse when the corners take
// the whole box, a rectangle when they are empty). With a pen, the outline
// runs through the pixel centres of the box and the fill is what lies between
// the outline's pixels on each row, so every pixel of the figure is written
// once and any ROP2 mode is exact. Without a pen the fill is the shape taken
// as an area (the pixels whose centres lie inside it), which leaves out the
// last column and row, as GDI does.
#include "platform/GdiTypes.h"
#include "platform/PainterDCImpl.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstring>

namespace {

// A run of one colour in eight-pixel stores: the first and last eight
// unaligned (overlapping the middle), the middle aligned to whole stores.
// Wide stores where the processor has them: spans are most of the cost of
// large solid shapes.
#if defined(__GNUC__) && !defined(__clang__) && defined(__x86_64__)
__attribute__((target_clones("avx2", "default")))
#endif
void FillRun(QRgb* p, int n, QRgb value)
{
    if (n < 8) {
        for (int i = 0; i < n; ++i)
            p[i] = value;
        return;
    }
    typedef QRgb Eight __attribute__((vector_size(32)));
    const Eight v = Eight{} + value;
    std::memcpy(p, &v, sizeof v);
    QRgb* const last = p + n - 8;
    std::memcpy(last, &v, sizeof v);
    auto* q = reinterpret_cast<QRgb*>((reinterpret_cast<quintptr>(p) + 32) & ~quintptr(31));
    for (; q < last; q += 8)
        std::memcpy(q, &v, sizeof v);
}

// Writes runs of pixels through the clip and the ROP2 mode; the fill colour
// comes from a solid colour or from a rendered brush (alpha 0 = untouched).
class CSpanWriter {
public:
    CSpanWriter(QImage& img, const CDCState& s) : m_rop(s.rop2)
    {
        m_bits = img.bits();
        m_stride = img.bytesPerLine();
        m_bounds = WritableRect(img);
        if (s.hasClip) {
            m_bounds &= s.clip.boundingRect();
            if (s.clip.rectCount() > 1)
                m_clip = &s.clip;
        }
    }
    const QRect& Bounds() const { return m_bounds; }
    void SetFill(QRgb color) { m_fill = color & 0xFFFFFF; }
    void SetPattern(const QImage* pattern, QPoint origin)
    {
        m_pattern = pattern;
        m_patternOrigin = origin;
    }
    void SetPen(QRgb color) { m_pen = color & 0xFFFFFF; }

    // Pixels x0..x1 (inclusive) of rows y0..y1, with the pen or the fill.
    void Span(int y0, int y1, int x0, int x1, bool pen)
    {
        y0 = std::max(y0, m_bounds.top());
        y1 = std::min(y1, m_bounds.bottom());
        x0 = std::max(x0, m_bounds.left());
        x1 = std::min(x1, m_bounds.right());
        if (x0 > x1)
            return;
        if (!m_clip && m_rop == R2_COPYPEN && (pen || !m_pattern)) {
            // The common case: one colour copied, rows one stride apart.
            uchar* row = m_bits + m_stride * y0 + qsizetype(x0) * 4;
            const QRgb c = 0xFF000000u | (pen ? m_pen : m_fill);
            for (int y = y0; y <= y1; ++y, row += m_stride)
                FillRun(reinterpret_cast<QRgb*>(row), x1 - x0 + 1, c);
            return;
        }
        for (int y = y0; y <= y1; ++y) {
            if (!m_clip) {
                Write(y, x0, x1, pen);
                continue;
            }
            // A region's rectangles come in bands from the top: only the band of y.
            const QRect* it = std::partition_point(m_clip->begin(), m_clip->end(),
                                                   [y](const QRect& r) { return r.bottom() < y; });
            for (; it != m_clip->end() && it->top() <= y; ++it) {
                const int a = std::max(x0, it->left()), b = std::min(x1, it->right());
                if (a <= b)
                    Write(y, a, b, pen);
            }
        }
    }

private:
    void Write(int y, int x0, int x1, bool pen)
    {
        auto* row = reinterpret_cast<QRgb*>(m_bits + m_stride * y);
        if (!pen && m_pattern) {
            const auto* src = reinterpret_cast<const QRgb*>(
                                  m_pattern->constScanLine(y - m_patternOrigin.y()))
                - m_patternOrigin.x();
            for (int x = x0; x <= x1; ++x)
                if (qAlpha(src[x]))
                    row[x] = 0xFF000000u | ApplyRop2(m_rop, src[x] & 0xFFFFFF, row[x] & 0xFFFFFF);
            return;
        }
        const DWORD c = pen ? m_pen : m_fill;
        if (m_rop == R2_COPYPEN) {
            FillRun(row + x0, x1 - x0 + 1, 0xFF000000u | c);
            return;
        }
        for (int x = x0; x <= x1; ++x)
            row[x] = 0xFF000000u | ApplyRop2(m_rop, c, row[x] & 0xFFFFFF);
    }

    uchar* m_bits = nullptr;
    qsizetype m_stride = 0;
    QRect m_bounds;
    const QRegion* m_clip = nullptr;   // a clip of more than one rectangle
    int m_rop = R2_COPYPEN;
    DWORD m_fill = 0, m_pen = 0;
    const QImage* m_pattern = nullptr;
    QPoint m_patternOrigin;
};

// The half width of a box with elliptic corners of radii rx, ry (the corner
// centres ry below the top) at height y measured from the top edge.
double HalfExtra(double rx, double ry, double fromTop)
{
    const double dy = ry - fromTop;
    if (dy <= 0 || ry <= 0)
        return rx;
    const double q = dy / ry;
    return rx * std::sqrt(std::max(0.0, 1 - q * q));
}

// The outline through the pixel centres of box (inclusive) with corners of
// radii rx, ry: right side pixel of each row; the left side is its mirror.
struct COutlineRows {
    QRect box;
    double rx, ry;
    int RightX(int y) const
    {
        const int i = std::min(y - box.top(), box.bottom() - y);   // rows mirror top to bottom
        if (i >= ry)
            return box.right();   // between the corners
        return int(std::floor(box.right() - rx + HalfExtra(rx, ry, i) + 0.5));
    }
};

// Emits the spans of the rows first..last: with a pen the outline (pen = true)
// and the fill between; without one only the fill of the shape as an area.
template <class Emit>
void RoundBoxSpans(const QRect& box, double rx, double ry, bool withPen, int first, int last,
                   Emit&& out)
{
    const int l = box.left(), r = box.right(), t = box.top(), b = box.bottom();
    if (!withPen) {
        // Pixel (x, y) is in when its centre (x + 0.5, y + 0.5) lies inside the
        // shape whose box is l..r, t..b in area coordinates.
        first = std::max(first, t);
        last = std::min(last, b - 1);
        // The rows between the corners are one block.
        const int inset = std::max(0, int(std::ceil(ry - 0.5)));
        for (int y = first; y <= last; ++y) {
            const int i = std::min(y - t, b - 1 - y);
            if (i >= inset) {
                const int end = std::min(last, b - 1 - inset);
                out(y, end, l, r - 1, false);
                y = end;
                continue;
            }
            const int xr = int(std::ceil(r - rx + HalfExtra(rx, ry, i + 0.5) - 0.5)) - 1;
            const int xl = l + r - 1 - xr;
            if (xl <= xr)
                out(y, y, xl, xr, false);
        }
        return;
    }
    const COutlineRows rows{box, rx, ry};
    first = std::max(first, t);
    last = std::min(last, b);
    // Rows at least this far from the top and bottom, and their neighbours,
    // lie between the corners: two sides and the fill between, as blocks.
    const int inset = int(std::ceil(ry)) + 1;
    // The right side pixels of the row above, this row and the row below.
    int above = first > t ? rows.RightX(first - 1) : INT_MIN;
    int x = rows.RightX(first);
    for (int y = first; y <= last; ++y) {
        if (std::min(y - t, b - y) >= inset) {
            const int end = std::min(last, b - inset);
            if (l + 1 >= r) {
                out(y, end, l, r, true);
            } else {
                out(y, end, l, l, true);
                out(y, end, l + 1, r - 1, false);
                out(y, end, r, r, true);
            }
            y = end;
            above = rows.RightX(y);
            x = y < b ? rows.RightX(y + 1) : INT_MIN;
            continue;
        }
        const int below = y < b ? rows.RightX(y + 1) : INT_MIN;
        // The run reaches toward the wider neighbouring row, so the outline stays connected.
        const int reach = std::max({x, above == INT_MIN ? x : above - 1, below == INT_MIN ? x : below - 1});
        const int innerLeft = l + r - x;       // the left run is the mirror image
        const int outerLeft = l + r - reach;
        if (y == t || y == b || innerLeft + 1 >= x) {
            out(y, y, std::min(outerLeft, x), std::max(reach, innerLeft), true);
        } else {
            out(y, y, outerLeft, innerLeft, true);
            if (innerLeft + 1 <= x - 1)
                out(y, y, innerLeft + 1, x - 1, false);
            out(y, y, x, reach, true);
        }
        above = x;
        x = below;
    }
}

} // namespace

bool CPainterDC::Impl::SpanShape(const QRectF& outline, double cornerW, double cornerH,
                                 const QPainterPath* wideOutline)
{
    QImage* img = Image();
    const CDCState& s = m_dc.State();
    if (!img || m_dc.InPath())
        return false;
    const CResolvedPen pen = Pen();
    const DWORD dash = pen.style & PS_STYLE_MASK;
    // A wide pen (copying only) strokes over the fill as the general way does;
    // curved fills differ from the general way's flattened ones by less than a
    // pixel at the outline, which a pen of three pixels or more covers.
    const bool wide = !pen.null && !pen.onePixel;
    if (wide && (!wideOutline || s.rop2 != R2_COPYPEN || (cornerW > 0 && cornerH > 0 && pen.width < 3)))
        return false;
    if (!pen.null && !wide && dash != PS_SOLID && dash != PS_INSIDEFRAME)
        return false;
    // Only whole-pixel boxes (wide inside-frame pens give others; they never come here).
    const QRect box(int(outline.left()), int(outline.top()), int(outline.width()) + 1,
                    int(outline.height()) + 1);
    if (QRectF(box.left(), box.top(), box.width() - 1, box.height() - 1) != outline)
        return false;
    double rx = std::clamp(cornerW, 0.0, outline.width()) / 2;
    double ry = std::clamp(cornerH, 0.0, outline.height()) / 2;
    if (rx <= 0 || ry <= 0)
        rx = ry = 0;
    const bool fill = s.logBrush.lbStyle != BS_NULL;
    // A one-pixel outline is a closed figure of no length: nothing, as for lines.
    if (!wide && ((pen.null && !fill) || s.rop2 == R2_NOP || (box.width() == 1 && box.height() == 1)))
        return true;
    CSpanWriter writer(*img, s);
    const QRect area = writer.Bounds().intersected(box);
    if (area.isEmpty() && !wide)
        return true;
    QImage pattern;
    if (fill && s.logBrush.lbStyle == BS_SOLID) {
        writer.SetFill(RgbFromRef(s.logBrush.lbColor));
    } else if (fill) {
        pattern = PatternLayer(area);
        writer.SetPattern(&pattern, area.topLeft());
    }
    writer.SetPen(RgbFromRef(pen.color));
    if (!area.isEmpty() && (fill || !wide))
        RoundBoxSpans(box, rx, ry, !pen.null && !wide, area.top(), area.bottom(),
                      [&](int y0, int y1, int x0, int x1, bool isPen) {
                          if (isPen || fill)
                              writer.Span(y0, y1, x0, x1, isPen);
                      });
    if (wide) {
        QPainter* p = Painter();
        if (!p)
            return false;
        p->strokePath(wideOutline->translated(0.5, 0.5), pen.QtPen());
    }
    return true;
}

void CPainterDC::Impl::PutPolyline(const QPolygon& points, bool closed, CLineStyle& style,
                                   COLORREF color, const COLORREF* gapColor)
{
    QImage* img = Image();
    const int rop = m_dc.GetROP2();
    if (!img || rop == R2_NOP || points.size() < 2)
        return;
    CPixelWriter writer(*img, m_dc.State());
    const QRect bounds = writer.Bounds();
    if (bounds.isEmpty())
        return;
    const DWORD pen = RgbFromRef(color) & 0xFFFFFF;
    const DWORD gap = gapColor ? RgbFromRef(*gapColor) & 0xFFFFFF : 0;
    auto put = [&](QPoint pt, bool on) {
        if (on || gapColor)
            writer.Put(pt, on ? pen : gap);
    };
    const int n = int(points.size());
    for (int i = 0; i + 1 < n; ++i)
        ForEachSegmentPixel(points[i], points[i + 1], style, &bounds, put);
    if (closed)
        ForEachSegmentPixel(points[n - 1], points[0], style, &bounds, put);
}
