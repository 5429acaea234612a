#pragma once
// Internals of CPainterDC shared by its source files (not for other users).
#include "platform/CPainterDC.h"
#include "platform/GdiTypes.h"
#include "platform/LineRaster.h"

#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>

#include <vector>

QColor QColorFromRef(COLORREF c);
COLORREF RefFromRgb(QRgb c);
inline QRgb RgbFromRef(COLORREF c)
{
    return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

// The pixels of an image that have memory to write: its rectangle within
// its paint engine's system clip. A band of a larger picture is an image of
// the whole picture's size whose memory holds only the band's rows, marked
// by that clip: nothing may be written outside it.
inline QRect WritableRect(const QImage& img)
{
    QRect r = img.rect();
    if (const QPaintEngine* e = img.paintEngine(); e && !e->systemClip().isEmpty())
        r &= e->systemClip().boundingRect();
    return r;
}

// Single pixels written through a clip and a ROP2 mode on a 32-bit image. The
// clip is resolved once: a single rectangle is a bounds test; only a complex
// region is asked per pixel.
class CPixelWriter {
public:
    CPixelWriter(QImage& img, const CDCState& s)
        : m_bounds(WritableRect(img)), m_clip(s.hasClip && s.clip.rectCount() > 1 ? &s.clip : nullptr),
          m_rop(s.rop2), m_bits(img.bits()), m_stride(img.bytesPerLine())
    {
        if (s.hasClip && !m_clip)
            m_bounds &= s.clip.boundingRect();
    }
    const QRect& Bounds() const { return m_bounds; }
    // rgb: 0x00RRGGBB.
    void Put(QPoint pt, DWORD rgb)
    {
        if (!m_bounds.contains(pt) || (m_clip && !m_clip->contains(pt)))
            return;
        auto* px = reinterpret_cast<QRgb*>(m_bits + m_stride * pt.y()) + pt.x();
        *px = 0xFF000000u | (m_rop == R2_COPYPEN ? rgb : ApplyRop2(m_rop, rgb, *px & 0xFFFFFF));
    }

private:
    QRect m_bounds;
    const QRegion* m_clip;   // a clip of more than one rectangle
    int m_rop;
    uchar* m_bits;
    qsizetype m_stride;
};

// How the selected pen draws, resolved against the mapping.
struct CResolvedPen {
    bool null = true;
    bool onePixel = true;         // drawn by the line rasteriser on image targets
    int width = 1;                // device pixels
    COLORREF color = 0;
    DWORD style = PS_SOLID;       // the full style word
    std::vector<DWORD> user;
    bool insideFrame = false;
    // Supersampled by `stretch`: a pen thinner than a final pixel drawn one
    // final pixel (stretch device pixels) wide, with the one-pixel dash runs
    // (pixels) of a cosmetic style.
    int stretch = 1;
    std::vector<int> stretchedRuns;
    QPen QtPen() const;           // for wide pens (pixel-centre coordinates + 0.5)
};

class CPainterDC::Impl {
public:
    explicit Impl(CPainterDC& dc) : m_dc(dc) {}
    ~Impl() { End(); }

    QPaintDevice* Device() const;
    // The image when its pixels are 32-bit words (the formats the pixel rules
    // work on); null otherwise, and drawing then takes the painter's way.
    QImage* Image() const
    {
        QImage* img = m_dc.m_image;
        if (!img || img->isNull())
            return nullptr;
        const QImage::Format f = img->format();
        return f == QImage::Format_RGB32 || f == QImage::Format_ARGB32_Premultiplied
                    || f == QImage::Format_ARGB32
                ? img
                : nullptr;
    }
    // The painter on the current target, begun, reset and clipped to the DC's
    // clip region. Null when there is no target.
    // On an image without a clip of the DC's own, the painter is clipped to
    // the image: Qt's raster engine then writes one-pixel (cosmetic) lines
    // straight into the pixels instead of handing them span by span to its
    // general blending, which for a horizontal anti-aliased line is one call
    // a pixel. The pixels are the same either way.
    // inkWithin: device pixels all that the caller draws lies within; when
    // they lie within the DC's clip (a single rectangle), the clip cannot cut
    // anything off and the painter may keep the image's clip instead, so
    // that text in a clip of its own (a figure's text, one a figure) does
    // not make the painter change its clip twice a figure, each time
    // building the clip's table of lines anew.
    QPainter* Painter(const QRectF* inkWithin = nullptr);
    // The painter for drawing in the graphics object's way: anti-aliased or
    // not, through a world transform (null: none). Set on the painter and
    // left there rather than saved and restored around each call: a painter
    // save() copies the whole state, whose pens, brushes and fonts share data
    // that every thread's painter counts references on, which in banded
    // drawing on all cores costs more than most small shapes. Painter()
    // takes the painter back to its plain state when it is next asked for.
    QPainter* GraphicsPainter(bool antiAliased, const QTransform* transform);
    // The painter with a transform of the caller's for text, left there as
    // GraphicsPainter leaves its own. keepSmoothing: the anti-aliasing hint
    // cannot change the text's pixels, so it is left as the graphics object
    // set it: switching it makes the painter rebuild its clip.
    QPainter* TextPainter(const QTransform& transform, const QRectF* inkWithin, bool keepSmoothing);
    // Whether anything within the device rectangle can show: on an image,
    // whether it meets the part of the image drawing reaches (the device's
    // own clip, as banded drawing sets one a band, and the DC's clip).
    // Drawing that lies wholly outside is left out before Qt builds its
    // outline, strokes it and only then finds it lies off the band.
    bool Reaches(const QRectF& deviceRect);
    void End();
    void MarkStateDirty() { m_stateDirty = true; }
    // Gives the painter's pen the text colour, unless it has it already.
    void SetTextPen(QPainter& p, COLORREF color);

    CResolvedPen Pen() const;
    // The selected brush (or the given one) as a Qt brush; hollow gives NoBrush.
    QBrush Brush(const CBrush* brush = nullptr) const;
    bool BrushIsNull(const CBrush* brush = nullptr) const;
    // The background fill a hatched brush needs under it (opaque mode only).
    bool HatchNeedsBackground(const CBrush* brush = nullptr) const;

    // Device-space helpers. Outline polygons use pixel-centre coordinates: the
    // pixel (x, y) is the point (x, y).
    QPoint ToDev(int x, int y) const;
    QRect DevRect(int left, int top, int right, int bottom) const;   // normalised, exclusive
    bool Visible(int x, int y) const;

    // Draws a closed shape: fill = outline as-is in Qt's pixel-area coordinates
    // (so a null pen leaves out the right and bottom pixel, as GDI does), then the
    // outline with the pen. In a path bracket, adds the outline to the path.
    void DrawShape(const QPainterPath& outline, bool fill);
    // The common case of a polygon in copy mode on an image with a solid or
    // hollow brush and a null or one-pixel pen, without building paths; false
    // when the case does not apply (the caller then takes the general way).
    bool FastPolygon(const QPoint* points, int count);
    // A rectangle, round rectangle or ellipse (outline in pixel-centre
    // coordinates, corner ellipse diameters in pixels) written as spans on an
    // image with a solid one-pixel pen or none, any brush and ROP2 mode; with
    // wideOutline (the shape's path) also a copied fill under a wide pen that
    // strokes that path. False when the case does not apply (the caller then
    // takes the general way).
    bool SpanShape(const QRectF& outline, double cornerW, double cornerH,
                   const QPainterPath* wideOutline = nullptr);
    QPainter* FastShapePainter(CResolvedPen& pen);
    // Open lines in pixel-centre coordinates.
    void DrawLines(const QList<QPolygonF>& polylines, const std::vector<bool>& closed);
    // Fills a device path with a brush through ROP2 (copy on paged devices).
    void FillPathRop(const QPainterPath& path, const QBrush& brush, bool hatchBackground,
                     bool useRop2);
    // Writes pixels with the pen colour through the current ROP2 (clip kept).
    void PutPixels(const std::vector<QPoint>& pixels, COLORREF color);
    // Writes a one-pixel polyline's pixels through the current ROP2 as it is
    // rasterised: the drawn ones with the pen colour, the gaps of its style
    // with gapColor when given (else they are left alone).
    void PutPolyline(const QPolygon& points, bool closed, CLineStyle& style, COLORREF color,
                     const COLORREF* gapColor = nullptr);
    // Paints a layer (ARGB, alpha 0 = untouched) at origin onto the image through
    // ROP2 (rop2 > 0) or the ternary raster operation rop3 with pattern layer.
    void ApplyLayerRop2(const QImage& layer, QPoint origin, int rop2);

    // Transfers srcRect of src onto dst (device rectangles; a negative size of
    // one against the other mirrors) through the ternary operation rop.
    // srcMono: src is a monochrome bitmap (white -> background colour, black ->
    // text colour); srcBk: the source context's background colour, which
    // becomes white when the destination is monochrome.
    bool Blit(const QRect& dst, bool mirrorX, bool mirrorY, const QImage& src, const QRect& srcRect,
              DWORD rop, bool srcMono, COLORREF srcBk);
    // Blit's short way for SRCCOPY of an opaque colour source within its bitmap.
    bool CopyScaled(const QRect& dst, bool mirrorX, bool mirrorY, const QImage& src,
                    const QRect& srcRect);
    // The brush rendered over a device rectangle (alpha 0 where a transparent
    // hatch leaves the destination alone).
    QImage PatternLayer(const QRect& area, const CBrush* brush = nullptr) const;

private:
    // The painter begun on the target, with the DC's clip.
    QPainter* Begun(const QRectF* inkWithin = nullptr);
    void ApplyClip(bool dcClip);
    void UpdateReach();
    void SetTransform(const QTransform* transform);

    CPainterDC& m_dc;
    QPainter m_painter;
    bool m_stateDirty = true;
    // The clip last given to the painter, so that a change of the DC's state
    // that leaves its clip alone (a pen or brush selected, a SaveDC/RestoreDC
    // pair) does not rebuild the painter's clip.
    bool m_clipKnown = false;
    bool m_clipIsDc = false;
    QRegion m_clip;
    // Where drawing can show, in device pixels (see Reaches); paged devices
    // are not culled.
    bool m_cull = false;
    QRectF m_reach;
    // GraphicsPainter or TextPainter changed the render hints or transform.
    bool m_loose = false;
    // The text colour ExtTextOut last gave the painter's pen.
    COLORREF m_textPen = 0;
    bool m_textPenSet = false;
    // The fill colour FastPolygon last gave the painter (with no pen), so that
    // runs of polygons in one colour do not reset the painter's brush.
    QRgb m_fastFill = 0;
    bool m_fastFillSet = false;
};
