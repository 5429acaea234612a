#pragma once
// The drawing objects a device context selects: pens, brushes, fonts, regions
// and device-dependent bitmaps. Each is a plain value with its creation record;
// a device context keeps a pointer to the selected object (the caller keeps the
// object alive while it is selected, as with the Windows objects) and a copy of
// its record, so that drawing never reads a destroyed object.
#include "platform/CRect.h"
#include "platform/GdiTypes.h"
#include "platform/LogFont.h"

#include <QImage>
#include <QPainterPath>
#include <QRegion>

#include <vector>

class CDC;

enum class GdiObjectKind { None, Pen, Brush, Font, Region, Bitmap };

class CGdiObject {
public:
    virtual ~CGdiObject() = default;
    virtual GdiObjectKind Kind() const = 0;
    // True once created (a Create call succeeded, or a stock object).
    bool IsCreated() const { return m_created; }
    // Forgets the object; a device context that still selects it keeps its copy.
    virtual void DeleteObject() { m_created = false; }
    // Stock objects are shared, never deleted and never changed.
    bool IsStock() const { return m_stock; }

protected:
    bool m_created = false;
    bool m_stock = false;
    friend CGdiObject* GetStockObject(int index);
};

// Pen: cosmetic pens are one pixel wide whatever the mapping; geometric pens
// (PS_GEOMETRIC, or CreatePen with a width above 1) are scaled by the mapping
// and carry end caps and joins.
class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int style, int width, COLORREF color) { CreatePen(style, width, color); }
    // ExtCreatePen's form: a geometric or cosmetic pen with a solid brush colour
    // and, for PS_USERSTYLE, dash and gap lengths in logical units.
    CPen(DWORD style, int width, const LOGBRUSH& brush, int styleCount = 0,
         const DWORD* styles = nullptr);
    GdiObjectKind Kind() const override { return GdiObjectKind::Pen; }
    bool CreatePen(int style, int width, COLORREF color);
    bool CreatePenIndirect(const LOGPEN& lp);
    bool ExtCreatePen(DWORD style, int width, const LOGBRUSH& brush, int styleCount,
                      const DWORD* styles);
    const LOGPEN& GetLogPen() const { return m_log; }
    // True for pens made by ExtCreatePen (their style word carries caps and joins).
    bool IsExtended() const { return m_extended; }
    const std::vector<DWORD>& UserStyle() const { return m_userStyle; }

private:
    LOGPEN m_log;
    bool m_extended = false;
    std::vector<DWORD> m_userStyle;
    friend CGdiObject* GetStockObject(int index);
};

class CBitmap;

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF color) { CreateSolidBrush(color); }
    CBrush(int hatch, COLORREF color) { CreateHatchBrush(hatch, color); }
    GdiObjectKind Kind() const override { return GdiObjectKind::Brush; }
    bool CreateSolidBrush(COLORREF color);
    bool CreateHatchBrush(int hatch, COLORREF color);
    // A pattern brush copies the bitmap: a monochrome pattern paints its 0 bits
    // in the text colour and its 1 bits in the background colour when used.
    bool CreatePatternBrush(const CBitmap* bitmap);
    bool CreateBrushIndirect(const LOGBRUSH& lb);
    const LOGBRUSH& GetLogBrush() const { return m_log; }
    const QImage& Pattern() const { return m_pattern; }
    bool PatternIsMono() const { return m_patternMono; }

private:
    LOGBRUSH m_log;
    QImage m_pattern;
    bool m_patternMono = false;
    friend CGdiObject* GetStockObject(int index);
};

class CFont : public CGdiObject {
public:
    CFont() = default;
    GdiObjectKind Kind() const override { return GdiObjectKind::Font; }
    bool CreateFontIndirect(const LOGFONT* lf);
    // The point-size form: height in tenths of a point for the reference context
    // (the screen when none is given).
    bool CreatePointFont(int pointSizeTenths, const char* face, CDC* dc = nullptr);
    const LOGFONT& GetLogFont() const { return m_log; }
    int GetLogFont(LOGFONT* out) const;

private:
    LOGFONT m_log;
    friend CGdiObject* GetStockObject(int index);
};

// A region in device coordinates (the coordinates the Create calls are given
// are taken as device units, as GDI does for region creation).
class CRgn : public CGdiObject {
public:
    CRgn() = default;
    GdiObjectKind Kind() const override { return GdiObjectKind::Region; }
    bool CreateRectRgn(int left, int top, int right, int bottom);
    bool CreateRectRgnIndirect(const RECT* rect);
    bool CreateEllipticRgn(int left, int top, int right, int bottom);
    bool CreateEllipticRgnIndirect(const RECT* rect);
    bool CreateRoundRectRgn(int left, int top, int right, int bottom, int w, int h);
    // fillMode: ALTERNATE or WINDING.
    bool CreatePolygonRgn(const POINT* points, int count, int fillMode);
    bool CreatePolyPolygonRgn(const POINT* points, const int* counts, int polygons,
                              int fillMode);
    // This = a op b; returns the kind of the result (NULLREGION, SIMPLEREGION,
    // COMPLEXREGION) or RGN_ERROR.
    int CombineRgn(const CRgn* a, const CRgn* b, int mode);
    int CopyRgn(const CRgn* src);
    int OffsetRgn(int dx, int dy);
    bool PtInRegion(int x, int y) const;
    bool RectInRegion(const RECT* rect) const;
    int GetRgnBox(RECT* rect) const;
    bool EqualRgn(const CRgn* other) const;
    bool SetRectRgn(int left, int top, int right, int bottom);

    const QRegion& Region() const { return m_region; }
    void SetRegion(const QRegion& r);
    // The kind of a region as the region calls report it.
    static int KindOf(const QRegion& r);

private:
    QRegion m_region;
};

// A device-dependent bitmap: a QImage in Format_RGB32 ("compatible with the
// display") or, for monochrome bitmaps, the same format holding only black and
// white with IsMonochrome set (block transfers to and from it convert colours
// as GDI converts them to and from one bit per pixel). ARGB bitmaps use
// Format_ARGB32_Premultiplied.
class CBitmap : public CGdiObject {
public:
    CBitmap() = default;
    GdiObjectKind Kind() const override { return GdiObjectKind::Bitmap; }
    void DeleteObject() override;
    // planes x bitsPerPixel 1 makes a monochrome bitmap; bits (rows padded to
    // 16 bits as device-dependent bitmaps are) may be null.
    bool CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel,
                      const void* bits);
    bool CreateCompatibleBitmap(CDC* dc, int width, int height);
    // Adopts an image (converted to RGB32, or kept premultiplied ARGB).
    bool Attach(const QImage& image);
    int GetBitmap(BITMAP* out) const;
    CSize GetSize() const;
    bool IsMonochrome() const { return m_mono; }
    void SetMonochrome(bool mono) { m_mono = mono; }
    // The pixels. A device context with the bitmap selected paints into this
    // image directly, so copies taken while it is selected must be deep (copy()).
    QImage& Image() { return m_image; }
    const QImage& Image() const { return m_image; }

private:
    QImage m_image;
    bool m_mono = false;
};

// The pixels a filled path covers (Qt's aliased fill, as the device context
// fills polygons) as a region; of a path larger than 32768 x 32768 pixels
// only the part within -512..8703 on both axes (any device surface). Large
// regions are built from Qt's polygon regions, which may differ at the edges.
QRegion RegionFromPath(const QPainterPath& path);

// The stock objects by index (WHITE_BRUSH ... DEFAULT_GUI_FONT); null for an
// unknown index. They live for the program's lifetime and never change.
CGdiObject* GetStockObject(int index);
