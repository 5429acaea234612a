#pragma once
// The painting back-end of CDC: draws on a QImage (screen back buffers,
// bitmaps, memory device contexts) or on a paged device (printing, PDF).
//
// On image targets (RGB32 or ARGB32 premultiplied) the GDI pixel rules are
// kept exactly: 1-pixel cosmetic lines come from our own rasteriser (end pixel
// excluded, every pixel of a figure hit once, so XOR figures drawn twice vanish),
// ROP2 modes and block-transfer raster operations are applied per pixel, and
// right/bottom edges are exclusive. On paged devices the same calls go through
// QPainter with copy semantics only (printers have no raster operations).
//
// Where the pixels may differ from GDI's by about a pixel (everything else is
// exact): diagonal 1-pixel lines exactly between two pixels take the pixel
// Bresenham picks; ellipses and round corners with a solid one-pixel pen or
// none are our own row-by-row curves through the pixel centres (the outline
// eight-connected, the fill what lies between it), other pens and arcs Qt's
// flattened curves; a styled one-pixel line crossing itself shows its later
// part on top; hatch patterns are Qt's 8 x 8 patterns; polygon
// regions follow Qt's fill rules; geometric dashes are in pen widths (3:1, 1:1);
// text is Qt's glyph rendering at whole-pixel advances (no hinting match).
#include "platform/CDC.h"

#include <QPainter>

#include <algorithm>
#include <memory>

class QPagedPaintDevice;

class CPainterDC : public CDC {
public:
    // A memory device context with no surface yet: select a bitmap, or call
    // CreateCompatibleDC to take a reference's capabilities.
    CPainterDC();
    // Paints into image (converted to RGB32 when in another format the pixel
    // rules cannot serve: callers pass RGB32 or ARGB32 premultiplied images).
    // The image must outlive this device context and must not be replaced
    // while painting is under way: Flush() ends painting (the next drawing call
    // starts it again on the image as it then is).
    explicit CPainterDC(QImage* image);
    // Paints on a paged device (printer, PDF) at its resolution.
    explicit CPainterDC(QPagedPaintDevice* device);
    ~CPainterDC() override;

    // Takes the reference's device capabilities (or the screen's for null) and
    // selects a 1 x 1 monochrome bitmap, as a new memory device context has.
    bool CreateCompatibleDC(CDC* reference);

    // Paged devices: ends the current page and starts the next one (false for
    // image targets or when the device refuses).
    bool NewPage();

    // The picture drawn here is `factor` times as wide and high as the one
    // it will be shrunk to (anti-aliasing by supersampling). Lines thinner
    // than a pixel of that final picture are drawn `factor` device pixels
    // wide, their dashes stretched alike, so that a hairline or one-pixel
    // border keeps its weight when the picture is shrunk instead of fading
    // to a quarter of it. 1 (the default) draws as the pens say.
    void SetSupersampling(int factor) { m_supersampling = std::max(1, factor); }
    int Supersampling() const { return m_supersampling; }

    int GetDeviceCaps(int index) const override;
    bool IsPrinting() const override { return m_paged != nullptr; }
    QImage* GetImageSurface() override { return m_image; }
    QSize SurfaceSize() const override;
    void Flush() override;

    using CDC::SelectObject;
    CBitmap* SelectObject(CBitmap* bitmap) override;

    using CDC::LineTo;
    bool LineTo(int x, int y) override;
    bool Polyline(const POINT* points, int count) override;
    bool Polygon(const POINT* points, int count) override;
    bool PolyPolygon(const POINT* points, const int* counts, int polygons) override;
    bool PolyBezier(const POINT* points, int count) override;
    using CDC::Rectangle;
    bool Rectangle(int left, int top, int right, int bottom) override;
    using CDC::Ellipse;
    bool Ellipse(int left, int top, int right, int bottom) override;
    bool RoundRect(int left, int top, int right, int bottom, int width, int height) override;
    bool Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
             int yEnd) override;
    bool Pie(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
             int yEnd) override;
    bool Chord(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
               int yEnd) override;
    void FillRect(const RECT* rect, CBrush* brush) override;
    void FrameRect(const RECT* rect, CBrush* brush) override;
    bool FillRgn(CRgn* region, CBrush* brush) override;
    bool FrameRgn(CRgn* region, CBrush* brush, int width, int height) override;
    bool PatBlt(int x, int y, int width, int height, DWORD rop) override;
    bool BitBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc,
                DWORD rop) override;
    bool StretchBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc,
                    int srcWidth, int srcHeight, DWORD rop) override;
    bool AlphaBlend(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc,
                    int srcWidth, int srcHeight, BLENDFUNCTION blend) override;
    int StretchDIBits(int x, int y, int width, int height, int xSrc, int ySrc, int srcWidth,
                      int srcHeight, const void* bits, const BITMAPINFO* info, UINT usage,
                      DWORD rop) override;
    COLORREF SetPixel(int x, int y, COLORREF color) override;
    COLORREF GetPixel(int x, int y) const override;
    bool ExtFloodFill(int x, int y, COLORREF color, UINT fillType) override;
    bool StrokePath() override;
    bool FillPath() override;
    bool StrokeAndFillPath() override;
    bool ExtTextOut(int x, int y, UINT options, const RECT* rect, const char* text, UINT count,
                    const int* dx) override;

    void GpFillPath(const QPainterPath& path, const CGpBrush& brush, const CGpState& state) override;
    void GpDrawPath(const QPainterPath& path, const CGpPen& pen, const CGpState& state) override;
    void GpDrawImage(const QImage& image, const QRectF& dst, const QRectF& src,
                     const CGpImageAttributes* attrs, const CGpState& state) override;

    // The drawing internals (PainterDCImpl.h); opaque to other users.
    class Impl;

protected:
    void OnStateChanged() override;

private:
    QPainter* GraphicsPainter(const CGpState& state, const QTransform* toDev);

    std::unique_ptr<Impl> m_impl;
    QImage* m_image = nullptr;           // the surface of an image target
    QPagedPaintDevice* m_paged = nullptr;
    CBitmap m_defaultBitmap;             // the 1 x 1 bitmap of a new memory DC
    bool m_memory = false;               // a memory DC: bitmaps may be selected
    int m_supersampling = 1;             // device pixels a final pixel spans
    friend class Impl;
};
