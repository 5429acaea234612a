#include "platform/GdiObjects.h"

#include "platform/CDC.h"
#include "platform/GdiRounding.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygon>

#include <array>
#include <cstring>

CPen::CPen(DWORD style, int width, const LOGBRUSH& brush, int styleCount, const DWORD* styles)
{
    ExtCreatePen(style, width, brush, styleCount, styles);
}

bool CPen::CreatePen(int style, int width, COLORREF color)
{
    m_log.lopnStyle = UINT(style);
    m_log.lopnWidth = POINT{width < 0 ? 0 : width, 0};
    m_log.lopnColor = color;
    m_extended = false;
    m_userStyle.clear();
    m_created = true;
    return true;
}

bool CPen::CreatePenIndirect(const LOGPEN& lp)
{
    return CreatePen(int(lp.lopnStyle), lp.lopnWidth.x, lp.lopnColor);
}

bool CPen::ExtCreatePen(DWORD style, int width, const LOGBRUSH& brush, int styleCount,
                        const DWORD* styles)
{
    const bool geometric = (style & PS_TYPE_MASK) == PS_GEOMETRIC;
    // A cosmetic extended pen is always one pixel wide.
    if ((!geometric && width != 1) || width < 0)
        return false;
    if ((style & PS_STYLE_MASK) == PS_USERSTYLE && (styleCount <= 0 || !styles || styleCount > 16))
        return false;
    m_log.lopnStyle = style;
    m_log.lopnWidth = POINT{width, 0};
    m_log.lopnColor = brush.lbStyle == BS_NULL ? 0 : brush.lbColor;
    if (brush.lbStyle == BS_NULL)
        m_log.lopnStyle = (style & ~PS_STYLE_MASK) | PS_NULL;
    m_extended = true;
    m_userStyle.assign(styles, styles + ((style & PS_STYLE_MASK) == PS_USERSTYLE ? styleCount : 0));
    m_created = true;
    return true;
}

bool CBrush::CreateSolidBrush(COLORREF color)
{
    m_log = LOGBRUSH{BS_SOLID, color, 0};
    m_pattern = QImage();
    m_created = true;
    return true;
}

bool CBrush::CreateHatchBrush(int hatch, COLORREF color)
{
    if (hatch < HS_HORIZONTAL || hatch > HS_DIAGCROSS)
        return false;
    m_log = LOGBRUSH{BS_HATCHED, color, hatch};
    m_pattern = QImage();
    m_created = true;
    return true;
}

bool CBrush::CreatePatternBrush(const CBitmap* bitmap)
{
    if (!bitmap || !bitmap->IsCreated() || bitmap->Image().isNull())
        return false;
    m_log = LOGBRUSH{BS_PATTERN, 0, 0};
    m_pattern = bitmap->Image().copy();
    m_patternMono = bitmap->IsMonochrome();
    m_created = true;
    return true;
}

bool CBrush::CreateBrushIndirect(const LOGBRUSH& lb)
{
    switch (lb.lbStyle) {
    case BS_SOLID:
        return CreateSolidBrush(lb.lbColor);
    case BS_NULL:
        m_log = LOGBRUSH{BS_NULL, 0, 0};
        m_created = true;
        return true;
    case BS_HATCHED:
        return CreateHatchBrush(int(lb.lbHatch), lb.lbColor);
    default:
        return false;
    }
}

bool CFont::CreateFontIndirect(const LOGFONT* lf)
{
    if (!lf)
        return false;
    m_log = *lf;
    m_log.lfFaceName[LF_FACESIZE - 1] = 0;
    m_created = true;
    return true;
}

bool CFont::CreatePointFont(int pointSizeTenths, const char* face, CDC* dc)
{
    LOGFONT lf;
    const int dpi = dc ? dc->GetDeviceCaps(LOGPIXELSY) : DisplayDeviceCaps().logPixelsY;
    // Tenths of a point to a (negative: character) height in pixels, then to
    // logical units of the reference context.
    POINT pt{0, MulDiv(pointSizeTenths, dpi, 720)};
    if (dc) {
        POINT origin{0, 0};
        dc->DPtoLP(&pt);
        dc->DPtoLP(&origin);
        pt.y = pt.y - origin.y;
    }
    lf.lfHeight = -std::abs(pt.y);
    lf.lfWeight = FW_NORMAL;
    SetLogFontFace(lf, face ? face : "");
    return CreateFontIndirect(&lf);
}

int CFont::GetLogFont(LOGFONT* out) const
{
    if (!out || !m_created)
        return 0;
    *out = m_log;
    return int(sizeof(LOGFONT));
}

// ---- Regions ----

int CRgn::KindOf(const QRegion& r)
{
    if (r.isEmpty())
        return NULLREGION;
    return r.rectCount() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

void CRgn::SetRegion(const QRegion& r)
{
    m_region = r;
    m_created = true;
}

bool CRgn::CreateRectRgn(int left, int top, int right, int bottom)
{
    // Region coordinates are device units, kept within 27 bits.
    CRect r(ClampDeviceCoord(qint64(left)), ClampDeviceCoord(qint64(top)), ClampDeviceCoord(qint64(right)),
            ClampDeviceCoord(qint64(bottom)));
    r.NormalizeRect();
    SetRegion(r.IsRectEmpty() ? QRegion() : QRegion(r.left, r.top, r.Width(), r.Height()));
    return true;
}

bool CRgn::CreateRectRgnIndirect(const RECT* rect)
{
    return rect && CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

bool CRgn::SetRectRgn(int left, int top, int right, int bottom)
{
    return CreateRectRgn(left, top, right, bottom);
}

bool CRgn::CreateEllipticRgn(int left, int top, int right, int bottom)
{
    // Region coordinates are device units, kept within 27 bits.
    CRect r(ClampDeviceCoord(qint64(left)), ClampDeviceCoord(qint64(top)), ClampDeviceCoord(qint64(right)),
            ClampDeviceCoord(qint64(bottom)));
    r.NormalizeRect();
    // The ellipse inscribed in the rectangle; like a filled ellipse it covers
    // the pixels left..right-1, so its box is the rectangle. (Drawn rather than
    // Qt's elliptic region, which grows without bound for huge ellipses.)
    if (r.IsRectEmpty()) {
        SetRegion(QRegion());
        return true;
    }
    QPainterPath path;
    path.addEllipse(QRectF(r.left, r.top, r.Width(), r.Height()));
    SetRegion(RegionFromPath(path));
    return true;
}

bool CRgn::CreateEllipticRgnIndirect(const RECT* rect)
{
    return rect && CreateEllipticRgn(rect->left, rect->top, rect->right, rect->bottom);
}

bool CRgn::CreateRoundRectRgn(int left, int top, int right, int bottom, int w, int h)
{
    // Region coordinates are device units, kept within 27 bits.
    CRect r(ClampDeviceCoord(qint64(left)), ClampDeviceCoord(qint64(top)), ClampDeviceCoord(qint64(right)),
            ClampDeviceCoord(qint64(bottom)));
    r.NormalizeRect();
    if (r.IsRectEmpty()) {
        SetRegion(QRegion());
        return true;
    }
    QPainterPath path;
    path.addRoundedRect(QRectF(r.left, r.top, r.Width(), r.Height()), w / 2.0, h / 2.0);
    SetRegion(RegionFromPath(path));
    return true;
}

bool CRgn::CreatePolygonRgn(const POINT* points, int count, int fillMode)
{
    const int one = count;
    return CreatePolyPolygonRgn(points, &one, 1, fillMode);
}

bool CRgn::CreatePolyPolygonRgn(const POINT* points, const int* counts, int polygons,
                                int fillMode)
{
    if (!points || !counts || polygons <= 0)
        return false;
    // All polygons under one fill rule, as in GDI: a point is inside by the
    // crossings (or windings) of every edge.
    QPainterPath path;
    path.setFillRule(fillMode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    const POINT* p = points;
    for (int i = 0; i < polygons; ++i) {
        if (counts[i] < 0)
            return false;
        QPolygonF poly;
        for (int k = 0; k < counts[i]; ++k)
            poly << QPointF(p[k].x, p[k].y);
        p += counts[i];
        if (poly.size() >= 3) {
            path.addPolygon(poly);
            path.closeSubpath();
        }
    }
    SetRegion(RegionFromPath(path));
    return true;
}

namespace {

// The filled pixels of path within box, drawn in bands so that a tall path
// needs little memory.
QRegion RenderRegion(const QPainterPath& path, const QRect& box)
{
    constexpr int kBand = 256;
    std::vector<QRect> rects;
    QImage band(box.width(), kBand, QImage::Format_Grayscale8);
    for (int top = box.top(); top <= box.bottom(); top += kBand) {
        band.fill(0);
        QPainter painter(&band);
        painter.translate(-box.left(), -top);
        painter.fillPath(path, Qt::white);
        painter.end();
        for (int y = 0; y < kBand && top + y <= box.bottom(); ++y) {
            const uchar* line = band.constScanLine(y);
            for (int x = 0; x < box.width();) {
                if (!line[x]) {
                    ++x;
                    continue;
                }
                const int start = x;
                while (x < box.width() && line[x])
                    ++x;
                rects.emplace_back(box.left() + start, top + y, x - start, 1);
            }
        }
    }
    QRegion region;
    if (!rects.empty())
        region.setRects(rects.data(), int(rects.size()));
    return region;
}

} // namespace

QRegion RegionFromPath(const QPainterPath& path)
{
    QPainterPath part = path;
    QRectF bounds = path.boundingRect();
    if (bounds.isEmpty())
        return {};
    if (bounds.width() > 32766 || bounds.height() > 32766 || std::abs(bounds.left()) > 1e9
        || std::abs(bounds.top()) > 1e9) {
        // Only the part that can lie on a device surface is kept.
        QPainterPath keep;
        keep.addRect(QRectF(-512, -512, 9216, 9216));
        part = path.intersected(keep);
        part.setFillRule(path.fillRule());
        bounds = part.boundingRect();
        if (bounds.isEmpty())
            return {};
    }
    const QRect box = bounds.toAlignedRect().adjusted(-1, -1, 1, 1);
    // Small regions are drawn (exactly the pixels the fill covers); large ones
    // come from Qt's polygon regions: the outlines combine by exclusive-or for
    // the alternate rule, by union for winding (the same unless an outline
    // runs inside another the other way round).
    if (qint64(box.width()) * box.height() <= qint64(1024) * 1024)
        return RenderRegion(part, box);
    QRegion region;
    for (const QPolygonF& poly : part.toSubpathPolygons()) {
        const QRegion one(poly.toPolygon(), part.fillRule());
        region = part.fillRule() == Qt::OddEvenFill ? region.xored(one) : region.united(one);
    }
    return region;
}

int CRgn::CombineRgn(const CRgn* a, const CRgn* b, int mode)
{
    if (!a || (mode != RGN_COPY && !b))
        return RGN_ERROR;
    QRegion r;
    switch (mode) {
    case RGN_AND: r = a->m_region.intersected(b->m_region); break;
    case RGN_OR: r = a->m_region.united(b->m_region); break;
    case RGN_XOR: r = a->m_region.xored(b->m_region); break;
    case RGN_DIFF: r = a->m_region.subtracted(b->m_region); break;
    case RGN_COPY: r = a->m_region; break;
    default: return RGN_ERROR;
    }
    SetRegion(r);
    return KindOf(m_region);
}

int CRgn::CopyRgn(const CRgn* src)
{
    return CombineRgn(src, nullptr, RGN_COPY);
}

int CRgn::OffsetRgn(int dx, int dy)
{
    if (!m_created)
        return RGN_ERROR;
    m_region.translate(dx, dy);
    return KindOf(m_region);
}

bool CRgn::PtInRegion(int x, int y) const
{
    return m_region.contains(QPoint(x, y));
}

bool CRgn::RectInRegion(const RECT* rect) const
{
    if (!rect)
        return false;
    CRect r(*rect);
    r.NormalizeRect();
    return !r.IsRectEmpty() && m_region.intersects(QRect(r.left, r.top, r.Width(), r.Height()));
}

int CRgn::GetRgnBox(RECT* rect) const
{
    if (!rect || !m_created)
        return RGN_ERROR;
    const QRect b = m_region.boundingRect();
    *rect = b.isEmpty() ? RECT{} : RECT{b.left(), b.top(), b.left() + b.width(), b.top() + b.height()};
    return KindOf(m_region);
}

bool CRgn::EqualRgn(const CRgn* other) const
{
    return other && m_region == other->m_region;
}

// ---- Bitmaps ----

void CBitmap::DeleteObject()
{
    m_image = QImage();
    m_mono = false;
    CGdiObject::DeleteObject();
}

bool CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel,
                           const void* bits)
{
    if (width <= 0 || height <= 0 || width > 65535 || height > 65535 || planes != 1)
        return false;
    if (qint64(width) * height > qint64(256) * 1024 * 1024)
        return false;
    QImage img(width, height, QImage::Format_RGB32);
    if (img.isNull())
        return false;
    img.fill(0xFF000000u);
    m_mono = bitsPerPixel == 1;
    if (bits && m_mono) {
        // Device-dependent rows are padded to 16 bits; a set bit is white.
        const int stride = ((width + 15) / 16) * 2;
        const auto* src = static_cast<const BYTE*>(bits);
        for (int y = 0; y < height; ++y) {
            auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < width; ++x)
                line[x] = (src[y * stride + x / 8] & (0x80 >> (x % 8))) ? 0xFFFFFFFFu : 0xFF000000u;
        }
    } else if (bits && bitsPerPixel == 32) {
        const auto* src = static_cast<const BYTE*>(bits);
        for (int y = 0; y < height; ++y)
            std::memcpy(img.scanLine(y), src + size_t(y) * width * 4, size_t(width) * 4);
    } else if (bits || (bitsPerPixel != 1 && bitsPerPixel != 24 && bitsPerPixel != 32)) {
        if (bits)
            return false;
    }
    m_image = img;
    m_created = true;
    return true;
}

bool CBitmap::CreateCompatibleBitmap(CDC* dc, int width, int height)
{
    // Compatible with a memory context that holds a monochrome bitmap means
    // monochrome, as GDI answers.
    const bool mono = dc && dc->GetCurrentBitmap() && dc->GetCurrentBitmap()->IsMonochrome();
    return CreateBitmap(width, height, 1, mono ? 1 : 32, nullptr);
}

bool CBitmap::Attach(const QImage& image)
{
    if (image.isNull())
        return false;
    if (image.hasAlphaChannel())
        m_image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    else
        m_image = image.convertToFormat(QImage::Format_RGB32);
    m_mono = false;
    m_created = !m_image.isNull();
    return m_created;
}

int CBitmap::GetBitmap(BITMAP* out) const
{
    if (!out || !m_created)
        return 0;
    out->bmType = 0;
    out->bmWidth = m_image.width();
    out->bmHeight = m_image.height();
    out->bmPlanes = 1;
    out->bmBitsPixel = m_mono ? 1 : 32;
    out->bmWidthBytes = m_mono ? ((m_image.width() + 15) / 16) * 2 : m_image.width() * 4;
    return int(sizeof(BITMAP));
}

CSize CBitmap::GetSize() const
{
    return m_created ? CSize(m_image.width(), m_image.height()) : CSize();
}

// ---- Stock objects ----

namespace {

struct StockTable {
    std::array<CBrush, 6> brushes;
    std::array<CPen, 3> pens;
    CFont guiFont;
    CFont systemFont;
};

StockTable& Stock()
{
    static StockTable table = [] {
        StockTable t;
        const COLORREF greys[] = {RGB(255, 255, 255), RGB(192, 192, 192), RGB(128, 128, 128),
                                  RGB(64, 64, 64), RGB(0, 0, 0)};
        for (int i = 0; i < 5; ++i)
            t.brushes[size_t(i)].CreateSolidBrush(greys[i]);
        t.brushes[5].CreateBrushIndirect(LOGBRUSH{BS_NULL, 0, 0});
        t.pens[0].CreatePen(int(PS_SOLID), 0, RGB(255, 255, 255));
        t.pens[1].CreatePen(int(PS_SOLID), 0, RGB(0, 0, 0));
        t.pens[2].CreatePen(int(PS_NULL), 0, RGB(0, 0, 0));
        LOGFONT lf;
        lf.lfHeight = -11;
        lf.lfWeight = FW_NORMAL;
        SetLogFontFace(lf, "MS Shell Dlg");
        t.guiFont.CreateFontIndirect(&lf);
        lf.lfHeight = 16;
        lf.lfWeight = FW_BOLD;
        SetLogFontFace(lf, "System");
        t.systemFont.CreateFontIndirect(&lf);
        return t;
    }();
    return table;
}

} // namespace

CGdiObject* GetStockObject(int index)
{
    StockTable& t = Stock();
    CGdiObject* obj = nullptr;
    if (index >= WHITE_BRUSH && index <= NULL_BRUSH)
        obj = &t.brushes[size_t(index)];
    else if (index >= WHITE_PEN && index <= NULL_PEN)
        obj = &t.pens[size_t(index - WHITE_PEN)];
    else if (index == DEFAULT_GUI_FONT || index == ANSI_VAR_FONT)
        obj = &t.guiFont;
    else if (index == SYSTEM_FONT)
        obj = &t.systemFont;
    if (obj)
        obj->m_stock = true;
    return obj;
}
