#pragma once
// The device context: GDI drawing state and calls, over one of two back-ends.
//
// CDC itself keeps the state every back-end shares (mapping mode, window and
// viewport origins and extents, selected pen/brush/font/bitmap, ROP2, text and
// background settings, current position, clip region, SaveDC stack) and maps
// logical to device coordinates with GDI's integer rounding. The drawing calls
// are virtual: CPainterDC paints them (QImage or paged device), the metafile
// recorder writes them as records. A back-end that records overrides the state
// setters too, calling the CDC version to keep the shared state.
//
// Coordinates given to drawing calls are logical; CDC's helpers LPtoDP/DPtoLP
// convert. Regions (CRgn) and clip boxes follow GDI: regions are device units,
// GetClipBox answers in logical units.
#include "platform/CRect.h"
#include "platform/GdiObjects.h"
#include "platform/GdiTypes.h"
#include "platform/GdipTypes.h"

#include <QPainterPath>
#include <QTransform>
#include <QRegion>
#include <QSize>

#include <memory>
#include <string>
#include <string_view>
#include <vector>

class QImage;
class CDeviceFont;

// What GetDeviceCaps answers; filled by the back-end.
struct CDeviceCaps {
    int technology = DT_RASDISPLAY;
    int horzRes = 0;               // pixels
    int vertRes = 0;
    int horzSizeMm = 0;
    int vertSizeMm = 0;
    int logPixelsX = 96;
    int logPixelsY = 96;
    int bitsPixel = 32;
    int physicalWidth = 0;         // printers: the whole page, pixels
    int physicalHeight = 0;
    int physicalOffsetX = 0;
    int physicalOffsetY = 0;
    int rasterCaps = RC_BITBLT | RC_STRETCHBLT | RC_STRETCHDIB | RC_DI_BITMAP;
};

// The capabilities of the screen reference ("DISPLAY"): 96 pixels per inch and
// the primary screen's size (1920 x 1080 when no GUI application runs).
CDeviceCaps DisplayDeviceCaps();

// All the state SaveDC saves.
struct CDCState {
    int mapMode = MM_TEXT;
    CPoint windowOrg{0, 0};
    CSize windowExt{1, 1};
    CPoint viewportOrg{0, 0};
    CSize viewportExt{1, 1};
    CPen* pen = nullptr;           // selected objects (the copies below are what draws)
    CBrush* brush = nullptr;
    CFont* font = nullptr;
    LOGPEN logPen;
    DWORD penStyleEx = 0;          // the pen's full style word (caps, joins, type)
    bool penExtended = false;
    std::vector<DWORD> penUserStyle;
    LOGBRUSH logBrush;
    QImage brushPattern;
    bool brushPatternMono = false;
    LOGFONT logFont;
    int rop2 = R2_COPYPEN;
    int bkMode = OPAQUE;
    COLORREF bkColor = RGB(255, 255, 255);
    COLORREF textColor = RGB(0, 0, 0);
    UINT textAlign = TA_LEFT | TA_TOP;
    int polyFillMode = ALTERNATE;
    int stretchMode = BLACKONWHITE;
    int arcDirection = AD_COUNTERCLOCKWISE;
    int graphicsMode = GM_COMPATIBLE;
    XFORM world;                   // applied before the window/viewport mapping
    bool worldIdentity = true;     // world is the identity (kept with world)
    float miterLimit = 10.0f;
    CPoint brushOrg{0, 0};         // device units
    CPoint currentPos{0, 0};       // logical units
    bool hasClip = false;
    QRegion clip;                  // device units, when hasClip
};

class CDC {
public:
    CDC();
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    // ---- Device ----
    virtual int GetDeviceCaps(int index) const;
    const CDeviceCaps& DeviceCaps() const { return m_caps; }
    // True for a printer or paged target.
    virtual bool IsPrinting() const { return false; }
    // The image painted by an image target (the selected bitmap of a memory DC,
    // or the image given at construction); null for other back-ends.
    virtual QImage* GetImageSurface() { return nullptr; }
    // Makes sure everything drawn so far is in the target's pixels.
    virtual void Flush() {}
    // The pixels drawing can reach (clip boxes and visibility): the image or
    // page; the capabilities' resolution for targets without a surface. A
    // memory or image context reports its reference device's capabilities
    // (the screen's, as GDI does), not its bitmap's size.
    virtual QSize SurfaceSize() const { return QSize(m_caps.horzRes, m_caps.vertRes); }

    // ---- Mapping ----
    virtual int SetMapMode(int mode);
    int GetMapMode() const { return m_s.mapMode; }
    virtual CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(POINT p) { return SetWindowOrg(p.x, p.y); }
    virtual CSize SetWindowExt(int cx, int cy);
    CSize SetWindowExt(SIZE s) { return SetWindowExt(s.cx, s.cy); }
    virtual CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(POINT p) { return SetViewportOrg(p.x, p.y); }
    virtual CSize SetViewportExt(int cx, int cy);
    CSize SetViewportExt(SIZE s) { return SetViewportExt(s.cx, s.cy); }
    CPoint OffsetWindowOrg(int dx, int dy);
    CPoint OffsetViewportOrg(int dx, int dy);
    CPoint GetWindowOrg() const { return m_s.windowOrg; }
    CSize GetWindowExt() const { return m_s.windowExt; }
    CPoint GetViewportOrg() const { return m_s.viewportOrg; }
    CSize GetViewportExt() const { return m_s.viewportExt; }
    CSize ScaleViewportExt(int xNum, int xDenom, int yNum, int yDenom);
    CSize ScaleWindowExt(int xNum, int xDenom, int yNum, int yDenom);
    // World transform (only in GM_ADVANCED, as GDI requires).
    virtual int SetGraphicsMode(int mode);
    int GetGraphicsMode() const { return m_s.graphicsMode; }
    virtual bool SetWorldTransform(const XFORM* xf);
    virtual bool ModifyWorldTransform(const XFORM* xf, DWORD mode);
    bool GetWorldTransform(XFORM* xf) const;
    // The whole logical-to-device mapping as a transform (for outlines that are
    // not integer points, such as text baselines and beziers).
    QTransform LogToDevTransform() const;
    // One point mapped with GDI's integer rounding.
    POINT LogToDev(POINT p) const
    {
        // The common case (no world transform, equal extents) inline.
        // (Device coordinates are kept within 27 bits, as GDI keeps them.)
        constexpr qint64 kMax = qint64(1) << 27;
        if (m_s.worldIdentity && m_s.viewportExt == m_s.windowExt) {
            const qint64 x = qint64(p.x) - m_s.windowOrg.x + m_s.viewportOrg.x;
            const qint64 y = qint64(p.y) - m_s.windowOrg.y + m_s.viewportOrg.y;
            return POINT{LONG(x < -kMax ? -kMax : x > kMax ? kMax : x),
                         LONG(y < -kMax ? -kMax : y > kMax ? kMax : y)};
        }
        return LogToDevMapped(p);
    }
    void LPtoDP(POINT* points, int count = 1) const;
    void LPtoDP(RECT* rect) const;
    void LPtoDP(SIZE* size) const;
    void DPtoLP(POINT* points, int count = 1) const;
    void DPtoLP(RECT* rect) const;
    void DPtoLP(SIZE* size) const;
    // One coordinate or length mapped to device units (lengths keep their sign).
    int LogToDevX(int x) const;
    int LogToDevY(int y) const;
    double LogToDevScaleX() const;   // viewport extent / window extent
    double LogToDevScaleY() const;

    // ---- Objects ----
    virtual CPen* SelectObject(CPen* pen);
    virtual CBrush* SelectObject(CBrush* brush);
    virtual CFont* SelectObject(CFont* font);
    // Selecting a bitmap retargets a memory device context to it; null when the
    // bitmap cannot be selected (not created, or this is no image target).
    virtual CBitmap* SelectObject(CBitmap* bitmap);
    // Selecting a region sets a copy of it as the clip region; returns its kind.
    int SelectObject(CRgn* region) { return SelectClipRgn(region); }
    // Selects a stock pen, brush or font; the previous object of its kind.
    CGdiObject* SelectStockObject(int index);
    CPen* GetCurrentPen() const { return m_s.pen; }
    CBrush* GetCurrentBrush() const { return m_s.brush; }
    CFont* GetCurrentFont() const { return m_s.font; }
    CBitmap* GetCurrentBitmap() const { return m_bitmap; }
    const CDCState& State() const { return m_s; }

    // ---- Saved states ----
    // Returns the new depth (1 for the first save).
    virtual int SaveDC();
    // A positive level restores that save; a negative one counts back from the
    // last (-1 the last). False for a level that does not exist.
    virtual bool RestoreDC(int level);

    // ---- Modes ----
    virtual int SetROP2(int mode);
    int GetROP2() const { return m_s.rop2; }
    virtual int SetBkMode(int mode);
    int GetBkMode() const { return m_s.bkMode; }
    virtual COLORREF SetBkColor(COLORREF color);
    COLORREF GetBkColor() const { return m_s.bkColor; }
    virtual COLORREF SetTextColor(COLORREF color);
    COLORREF GetTextColor() const { return m_s.textColor; }
    virtual UINT SetTextAlign(UINT align);
    UINT GetTextAlign() const { return m_s.textAlign; }
    virtual int SetPolyFillMode(int mode);
    int GetPolyFillMode() const { return m_s.polyFillMode; }
    virtual int SetStretchBltMode(int mode);
    int GetStretchBltMode() const { return m_s.stretchMode; }
    virtual int SetArcDirection(int direction);
    int GetArcDirection() const { return m_s.arcDirection; }
    virtual CPoint SetBrushOrg(int x, int y);
    virtual float SetMiterLimit(float limit);
    // A comment record for recorders; painting targets ignore it.
    virtual bool GdiComment(UINT size, const BYTE* data) { (void)size; (void)data; return true; }

    // ---- Lines and shapes (logical coordinates) ----
    virtual CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT p) { return MoveTo(p.x, p.y); }
    CPoint GetCurrentPosition() const { return m_s.currentPos; }
    // Draws from the current position to (x, y), leaving out the end pixel.
    virtual bool LineTo(int x, int y) = 0;
    bool LineTo(POINT p) { return LineTo(p.x, p.y); }
    virtual bool Polyline(const POINT* points, int count) = 0;
    virtual bool PolylineTo(const POINT* points, int count);
    virtual bool Polygon(const POINT* points, int count) = 0;
    virtual bool PolyPolygon(const POINT* points, const int* counts, int polygons) = 0;
    virtual bool PolyPolyline(const POINT* points, const DWORD* counts, int polylines);
    // count = 1 + 3n: start point, then two control points and an end point each.
    virtual bool PolyBezier(const POINT* points, int count) = 0;
    virtual bool PolyBezierTo(const POINT* points, int count);
    // Right and bottom are exclusive: a 1-pixel pen covers left..right-1.
    virtual bool Rectangle(int left, int top, int right, int bottom) = 0;
    bool Rectangle(const RECT* r) { return Rectangle(r->left, r->top, r->right, r->bottom); }
    virtual bool Ellipse(int left, int top, int right, int bottom) = 0;
    bool Ellipse(const RECT* r) { return Ellipse(r->left, r->top, r->right, r->bottom); }
    virtual bool RoundRect(int left, int top, int right, int bottom, int width, int height) = 0;
    // Arcs run from the ray to (xStart, yStart) to the ray to (xEnd, yEnd) in the
    // arc direction (counter-clockwise by default, as seen on the screen).
    virtual bool Arc(int left, int top, int right, int bottom, int xStart, int yStart,
                     int xEnd, int yEnd) = 0;
    virtual bool ArcTo(int left, int top, int right, int bottom, int xStart, int yStart,
                       int xEnd, int yEnd);
    virtual bool Pie(int left, int top, int right, int bottom, int xStart, int yStart,
                     int xEnd, int yEnd) = 0;
    virtual bool Chord(int left, int top, int right, int bottom, int xStart, int yStart,
                       int xEnd, int yEnd) = 0;

    // ---- Rectangles and regions (the pen is not used) ----
    virtual void FillRect(const RECT* rect, CBrush* brush) = 0;
    virtual void FillSolidRect(const RECT* rect, COLORREF color);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF color);
    virtual void FrameRect(const RECT* rect, CBrush* brush) = 0;
    virtual void InvertRect(const RECT* rect);
    virtual bool FillRgn(CRgn* region, CBrush* brush) = 0;
    virtual bool FrameRgn(CRgn* region, CBrush* brush, int width, int height) = 0;
    virtual bool InvertRgn(CRgn* region);
    virtual bool PaintRgn(CRgn* region);

    // ---- Block transfers ----
    virtual bool PatBlt(int x, int y, int width, int height, DWORD rop) = 0;
    virtual bool BitBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc,
                        DWORD rop) = 0;
    virtual bool StretchBlt(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc,
                            int srcWidth, int srcHeight, DWORD rop) = 0;
    // Blends src over this with constant and (AC_SRC_ALPHA) per-pixel alpha.
    virtual bool AlphaBlend(int x, int y, int width, int height, CDC* src, int xSrc, int ySrc,
                            int srcWidth, int srcHeight, BLENDFUNCTION blend);
    // Rows bottom-up for a positive height. Returns the number of rows drawn, 0
    // on failure (a header or bits that do not hold together).
    virtual int StretchDIBits(int x, int y, int width, int height, int xSrc, int ySrc,
                              int srcWidth, int srcHeight, const void* bits,
                              const BITMAPINFO* info, UINT usage, DWORD rop) = 0;
    int SetDIBitsToDevice(int x, int y, DWORD width, DWORD height, int xSrc, int ySrc,
                          UINT startScan, UINT scanLines, const void* bits,
                          const BITMAPINFO* info, UINT usage);
    // CLR_INVALID outside the surface or for a target without pixels.
    virtual COLORREF SetPixel(int x, int y, COLORREF color) = 0;
    bool SetPixelV(int x, int y, COLORREF color) { return SetPixel(x, y, color) != CLR_INVALID; }
    virtual COLORREF GetPixel(int x, int y) const;
    virtual bool ExtFloodFill(int x, int y, COLORREF color, UINT fillType);
    bool FloodFill(int x, int y, COLORREF border) { return ExtFloodFill(x, y, border, FLOODFILLBORDER); }

    // ---- Clipping ----
    // A null region removes the clip. The region is device units. The
    // rectangle and path forms change the clip through CombineClip, never
    // through this call, so a recorder writes each call once.
    virtual int SelectClipRgn(CRgn* region, int mode = RGN_COPY);
    virtual int IntersectClipRect(int left, int top, int right, int bottom);
    int IntersectClipRect(const RECT* r) { return IntersectClipRect(r->left, r->top, r->right, r->bottom); }
    virtual int ExcludeClipRect(int left, int top, int right, int bottom);
    int ExcludeClipRect(const RECT* r) { return ExcludeClipRect(r->left, r->top, r->right, r->bottom); }
    virtual int OffsetClipRgn(int dx, int dy);
    // The tightest rectangle around the visible area, logical units.
    virtual int GetClipBox(RECT* rect) const;
    bool PtVisible(int x, int y) const;
    bool RectVisible(const RECT* rect) const;
    // Copies the clip region (device units) into region; 0 when there is none.
    int GetClipRgn(CRgn* region) const;

    // ---- Paths ----
    // Between BeginPath and EndPath the line and shape calls add figures to the
    // path instead of drawing.
    virtual bool BeginPath();
    virtual bool EndPath();
    virtual bool AbortPath();
    virtual bool CloseFigure();
    virtual bool StrokePath() = 0;
    virtual bool FillPath() = 0;
    virtual bool StrokeAndFillPath() = 0;
    virtual bool SelectClipPath(int mode);
    virtual bool FlattenPath();
    // The path as a region (device units); the path is consumed.
    virtual bool PathToRegion(CRgn* out);
    bool InPath() const { return m_pathOpen; }
    // The path built so far, device units.
    const QPainterPath& CurrentPath() const { return m_path; }

    // ---- Text (Windows-1252 bytes) ----
    bool TextOut(int x, int y, const char* text, int count);
    bool TextOut(int x, int y, std::string_view text) { return TextOut(x, y, text.data(), int(text.size())); }
    // dx: the advance of each character in logical units (null: the font's).
    virtual bool ExtTextOut(int x, int y, UINT options, const RECT* rect, const char* text,
                            UINT count, const int* dx) = 0;
    // Logical units; GetTextExtent is the MFC-style form.
    virtual bool GetTextExtentPoint32(const char* text, int count, SIZE* size) const;
    CSize GetTextExtent(const char* text, int count) const;
    CSize GetTextExtent(std::string_view text) const { return GetTextExtent(text.data(), int(text.size())); }
    virtual bool GetTextMetrics(TEXTMETRIC* tm) const;
    // ABC widths of character codes first..last (Windows-1252), logical units;
    // false for a font without outlines (the caller then uses GetCharWidth).
    virtual bool GetCharABCWidths(UINT first, UINT last, ABC* abc) const;
    virtual bool GetCharWidth(UINT first, UINT last, int* widths) const;
    // Fills what the record of size cb holds; returns 0 when the font has no outlines.
    virtual UINT GetOutlineTextMetrics(UINT cb, OUTLINETEXTMETRIC* otm) const;
    int GetTextFace(int count, char* face) const;

    // ---- The anti-aliased side, used by CGraphics (device pixels after state.world) ----
    virtual void GpFillPath(const QPainterPath& path, const CGpBrush& brush, const CGpState& state) = 0;
    virtual void GpDrawPath(const QPainterPath& path, const CGpPen& pen, const CGpState& state) = 0;
    // Draws src of image into dst (world units) with optional attributes.
    virtual void GpDrawImage(const QImage& image, const QRectF& dst, const QRectF& src,
                             const CGpImageAttributes* attrs, const CGpState& state) = 0;

protected:
    POINT LogToDevMapped(POINT p) const;
    // Back-ends call these when they add to a path instead of drawing.
    void PathMoveTo(const QPointF& p);
    void PathLineTo(const QPointF& p);   // from the device current position
    void PathAddPolygon(const QPolygonF& devicePolygon, bool closed);
    void PathAddPath(const QPainterPath& devicePath);
    // Cubic pieces continuing the open figure from the device current
    // position (as a bezier "to" call does inside a path).
    void PathCubicsTo(const QPolygonF& deviceControlPoints);
    QPainterPath TakePath();
    // The clip change of SelectClipRgn without any back-end's recording:
    // null region (mode RGN_COPY only) removes the clip.
    int CombineClip(const QRegion* region, int mode);
    // Called after a state change a back-end reacts to (clip, objects, restore).
    virtual void OnStateChanged() {}
    // The selected LOGFONT at this mapping's pixel size (cached).
    const CDeviceFont& DeviceFont() const;
    // The LOGFONT height in device pixels (sign kept).
    int DeviceFontHeight() const;
    void SetDeviceCaps(const CDeviceCaps& caps) { m_caps = caps; }
    void SetCurrentBitmap(CBitmap* bitmap) { m_bitmap = bitmap; }
    CDCState& MutableState() { return m_s; }

private:
    CDCState m_s;
    std::vector<CDCState> m_saved;
    CDeviceCaps m_caps;
    CBitmap* m_bitmap = nullptr;
    bool m_pathOpen = false;
    QPainterPath m_path;           // device units
    QPointF m_pathStart;           // start of the open figure
    mutable std::unique_ptr<CDeviceFont> m_font;
    mutable LOGFONT m_fontLog;
    mutable int m_fontHeight = 0;
    mutable int m_fontWidth = 0;
};
