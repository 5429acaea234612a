#include "graphics/BitmapHelpers.h"

#include "graphics/DcHelpers.h"
#include "core/Settings.h"
#include "platform/CPainterDC.h"
#include "platform/PackedDib.h"
#include "platform/SysColors.h"

#include <cmath>
#include <cstring>

namespace {

DWORD Rd32(const BYTE* p)
{
    return DWORD(p[0]) | (DWORD(p[1]) << 8) | (DWORD(p[2]) << 16) | (DWORD(p[3]) << 24);
}
WORD Rd16(const BYTE* p)
{
    return WORD(p[0] | (p[1] << 8));
}

bool IsCoreHeader(const BYTE* header)
{
    return Rd32(header) == sizeof(BITMAPCOREHEADER);
}

bool StartsWithBM(const BYTE* p, size_t size)
{
    return size >= 2 && Rd16(p) == BMP_SIGNATURE;
}

} // namespace

// ---- DIB structure ----

DWORD DIBNumColors(const BYTE* header)
{
    if (!header)
        return 0;
    WORD bits;
    if (IsCoreHeader(header)) {
        bits = Rd16(header + 10);
    } else {
        const DWORD used = Rd32(header + 32);
        if (used != 0)
            return used;
        bits = Rd16(header + 14);
    }
    switch (bits) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

DWORD DIBPaletteSize(const BYTE* header)
{
    if (!header)
        return 0;
    return DIBNumColors(header) * (IsCoreHeader(header) ? 3 : 4);
}

const BYTE* FindDIBBits(const BYTE* header)
{
    if (!header)
        return nullptr;
    const DWORD size = Rd32(header);
    DWORD masks = 0;
    // The three BI_BITFIELDS masks follow a plain 40-byte header.
    if (size == 40 && Rd32(header + 16) == BI_BITFIELDS)
        masks = 12;
    return header + size + masks + DIBPaletteSize(header);
}

const BYTE* DIBHeaderOfBlock(const BYTE* block, size_t size)
{
    DibLayout layout;
    if (!ParseDibLayout(block, size, &layout))
        return nullptr;
    return block + layout.fileHeader;
}

std::unique_ptr<CBitmap> DIBToBitmap(HGLOBAL block)
{
    if (!block)
        return nullptr;
    CGlobalLock lock(block);
    if (!lock.data())
        return nullptr;
    const QImage image = DibToImage(lock.data(), lock.size());
    if (image.isNull())
        return nullptr;
    auto bitmap = std::make_unique<CBitmap>();
    if (!bitmap->Attach(image.convertToFormat(QImage::Format_RGB32)))
        return nullptr;
    return bitmap;
}

HGLOBAL BitmapToDIB(const CBitmap* bitmap, int bitsPerPixel, bool withFileHeader)
{
    if (!bitmap || !bitmap->IsCreated())
        return nullptr;
    // Pixels per metre of the calibrated screen (ScreenHeight inches tall).
    LONG ppm = 0;
    if (ScreenHeight > 0) {
        const double pixelsPerInch = DisplayDeviceCaps().vertRes / ScreenHeight;
        ppm = LONG(pixelsPerInch * 39.37007874015747);
    }
    const std::vector<BYTE> dib = ImageToDib(bitmap->Image(), bitsPerPixel, withFileHeader, ppm, ppm);
    if (dib.empty())
        return nullptr;
    return GlobalFromBytes(dib.data(), dib.size());
}

namespace {
// The info header of a block that starts with "BM" and holds a whole picture.
bool BmHeader(HGLOBAL block, BITMAPINFOHEADER* out)
{
    if (!block)
        return false;
    CGlobalLock lock(block);
    if (!lock.data() || !StartsWithBM(lock.data(), lock.size()))
        return false;
    DibLayout layout;
    if (!ParseDibLayout(lock.data(), lock.size(), &layout) || layout.core)
        return false;
    std::memcpy(out, lock.data() + layout.fileHeader, sizeof(BITMAPINFOHEADER));
    out->biHeight = std::abs(out->biHeight);
    return true;
}
} // namespace

bool GetBmpPixelSize(HGLOBAL block, int* width, int* height)
{
    BITMAPINFOHEADER h;
    if (!width || !height || !BmHeader(block, &h))
        return false;
    *width = h.biWidth;
    *height = h.biHeight;
    return true;
}

bool GetBmpSizeLogical(HGLOBAL block, int* width, int* height)
{
    BITMAPINFOHEADER h;
    if (!width || !height || !BmHeader(block, &h))
        return false;
    if (h.biXPelsPerMeter > 0 && h.biYPelsPerMeter > 0) {
        // Metres to 1/256 inch: 256 / 0.0254 = 10078.74...; real division, as
        // whole-number division would make every normal picture 0 wide.
        *width = int(double(h.biWidth) / h.biXPelsPerMeter * 10078.740157480315);
        *height = int(double(h.biHeight) / h.biYPelsPerMeter * 10078.740157480315);
        return true;
    }
    // Screen calibration: ScreenHeight inches over the screen's pixel height.
    const int screenPixels = DisplayDeviceCaps().vertRes;
    const double unitsPerPixel = screenPixels > 0 ? ScreenHeight / screenPixels * 256.0 : 0.0;
    *width = int(unitsPerPixel * h.biWidth + 0.5);
    *height = int(unitsPerPixel * h.biHeight + 0.5);
    return true;
}

// ---- Global memory ----

HGLOBAL GlobalFromBytes(const void* bytes, size_t n)
{
    if (!bytes || n == 0)
        return nullptr;
    HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE, n);
    if (!h)
        return nullptr;
    void* p = GlobalLock(h);
    if (!p) {
        GlobalFree(h);
        return nullptr;
    }
    std::memcpy(p, bytes, n);
    GlobalUnlock(h);
    return h;
}

HGLOBAL CopyGlobalBlock(HGLOBAL block)
{
    if (!block || GlobalSize(block) == 0)
        return nullptr;
    CGlobalLock lock(block);
    if (!lock.data())
        return nullptr;
    return GlobalFromBytes(lock.data(), lock.size());
}

bool GlobalBlocksEqual(HGLOBAL a, HGLOBAL b)
{
    if (!a || !b)
        return false;
    if (a == b)
        return true;
    const size_t size = GlobalSize(a);
    if (size != GlobalSize(b))
        return false;
    CGlobalLock la(a), lb(b);
    if (size > 0 && (!la.data() || !lb.data()))
        return false;
    return size == 0 || std::memcmp(la.data(), lb.data(), size) == 0;
}

// ---- Derived bitmaps ----

namespace {

std::unique_ptr<CBitmap> FilledBitmap(const CBitmap* like, COLORREF color)
{
    if (!like || !like->IsCreated())
        return nullptr;
    auto out = std::make_unique<CBitmap>();
    const CSize size = like->GetSize();
    if (!out->CreateBitmap(size.cx, size.cy, 1, 32, nullptr))
        return nullptr;
    out->Image().fill(0xFF000000u | qRgb(GetRValue(color), GetGValue(color), GetBValue(color)));
    return out;
}

std::unique_ptr<CBitmap> DrawOver(CBitmap* source, COLORREF transparent, COLORREF fill,
                                  bool invert, bool deleteSource)
{
    auto out = FilledBitmap(source, fill);
    if (!out)
        return nullptr;
    {
        CPainterDC dc;
        dc.SelectObject(out.get());
        DrawTransparentBitmap(&dc, source, 0, 0, transparent, invert);
    }
    if (deleteSource)
        source->DeleteObject();
    return out;
}

} // namespace

std::unique_ptr<CBitmap> FlattenTransparentBitmap(CBitmap* bitmap, COLORREF transparent,
                                                  COLORREF background, bool deleteSource)
{
    return DrawOver(bitmap, transparent, background, false, deleteSource);
}

std::unique_ptr<CBitmap> SilhouetteBitmap(CBitmap* bitmap, COLORREF transparent, COLORREF fill,
                                          bool deleteSource)
{
    return DrawOver(bitmap, transparent, fill, true, deleteSource);
}

std::unique_ptr<CBitmap> EmbossBitmap(CBitmap* bitmap, COLORREF transparent, COLORREF background,
                                      bool deleteSource)
{
    auto flat = FlattenTransparentBitmap(bitmap, transparent, background, false);
    if (!flat)
        return nullptr;
    // The silhouettes keep the background colour where the picture was clear.
    auto light = SilhouetteBitmap(flat.get(), background, GetSysColor(COLOR_BTNHIGHLIGHT), false);
    auto shadow = SilhouetteBitmap(flat.get(), background, GetSysColor(COLOR_BTNSHADOW), false);
    auto out = FilledBitmap(bitmap, GetSysColor(COLOR_BTNFACE));
    if (!light || !shadow || !out)
        return nullptr;
    {
        CPainterDC dc;
        dc.SelectObject(out.get());
        DrawTransparentBitmap(&dc, light.get(), 1, 1, background, false);
        DrawTransparentBitmap(&dc, shadow.get(), 0, 0, background, false);
    }
    if (deleteSource)
        bitmap->DeleteObject();
    return out;
}

std::unique_ptr<CBitmap> CropBitmap(CBitmap* bitmap, const RECT& rect, bool deleteSource)
{
    if (!bitmap || !bitmap->IsCreated())
        return nullptr;
    const CSize size = bitmap->GetSize();
    if (rect.left < 0 || rect.left >= rect.right || rect.top < 0 || rect.top >= rect.bottom
        || rect.right > size.cx || rect.bottom > size.cy)
        return nullptr;
    auto out = std::make_unique<CBitmap>();
    if (!out->CreateBitmap(rect.right - rect.left, rect.bottom - rect.top, 1, 32, nullptr))
        return nullptr;
    {
        CPainterDC src, dst;
        src.SelectObject(bitmap);
        dst.SelectObject(out.get());
        dst.BitBlt(0, 0, rect.right - rect.left, rect.bottom - rect.top, &src, rect.left, rect.top,
                   SRCCOPY);
    }
    if (deleteSource)
        bitmap->DeleteObject();
    return out;
}

std::unique_ptr<CBitmap> LoadSysColorBitmap(int resourceId)
{
    QImage image(QStringLiteral(":/bitmaps/%1.png").arg(resourceId));
    if (image.isNull())
        image = QImage(QStringLiteral(":/bitmaps/%1.bmp").arg(resourceId));
    if (image.isNull())
        return nullptr;
    image = image.convertToFormat(QImage::Format_RGB32);
    struct Map { QRgb from; int sysColor; };
    const Map map[] = {{qRgb(0, 0, 0), COLOR_BTNTEXT}, {qRgb(128, 128, 128), COLOR_BTNSHADOW},
                       {qRgb(192, 192, 192), COLOR_BTNFACE}, {qRgb(255, 255, 255), COLOR_BTNHIGHLIGHT}};
    QRgb to[4];
    for (int i = 0; i < 4; ++i) {
        const COLORREF c = GetSysColor(map[i].sysColor);
        to[i] = qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
    }
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            for (int i = 0; i < 4; ++i)
                if ((line[x] | 0xFF000000u) == map[i].from) {
                    line[x] = to[i];
                    break;
                }
    }
    auto bitmap = std::make_unique<CBitmap>();
    if (!bitmap->Attach(image))
        return nullptr;
    return bitmap;
}

void FillRectWithPattern(CDC* dc, const RECT& rect)
{
    if (!dc)
        return;
    QImage image(QStringLiteral(":/bitmaps/364.png"));
    if (image.isNull())
        return;
    CBitmap bitmap;
    if (!bitmap.Attach(image))
        return;
    CBrush brush;
    if (!brush.CreatePatternBrush(&bitmap))
        return;
    const int oldMode = dc->SetBkMode(TRANSPARENT);
    dc->FillRect(&rect, &brush);
    dc->SetBkMode(oldMode);
}

// ---- Drawing and colours ----

namespace {

// Draws with a one-pixel pen of colour XOR background in R2_XORPEN, so that
// drawing the same figure again restores the picture.
template <typename Draw>
void WithXorPen(CDC* dc, COLORREF background, COLORREF color, int penStyle, Draw draw)
{
    if (!dc)
        return;
    CPen pen(penStyle, 1, (color ^ background) & 0xFFFFFF);
    CPen* oldPen = dc->SelectObject(&pen);
    CGdiObject* oldBrush = dc->SelectStockObject(HOLLOW_BRUSH);
    const int oldRop = dc->SetROP2(R2_XORPEN);
    const int oldBk = dc->SetBkMode(TRANSPARENT);
    draw();
    dc->SetBkMode(oldBk);
    dc->SetROP2(oldRop);
    if (oldBrush)
        dc->SelectObject(static_cast<CBrush*>(oldBrush));
    if (oldPen)
        dc->SelectObject(oldPen);
}

} // namespace

void DrawXorLine(CDC* dc, POINT from, POINT to, COLORREF background, COLORREF color, int penStyle)
{
    WithXorPen(dc, background, color, penStyle, [&] {
        dc->MoveTo(from);
        dc->LineTo(to);
    });
}

void DrawXorRect(CDC* dc, const RECT& rect, COLORREF background, COLORREF color, int penStyle)
{
    WithXorPen(dc, background, color, penStyle, [&] { dc->Rectangle(&rect); });
}

void Draw3dFrame(CDC* dc, const RECT& rect, int kind, COLORREF color)
{
    if (!dc)
        return;
    COLORREF hl = GetSysColor(COLOR_BTNHIGHLIGHT);
    COLORREF sh = GetSysColor(COLOR_BTNSHADOW);
    if (color == hl) {
        hl = RGB(192, 192, 192);
        sh = RGB(0, 0, 0);
    } else if (color == sh) {
        sh = RGB(0, 0, 0);
    }
    COLORREF first = color, second = color;
    if (kind == 1) {
        first = hl;
        second = sh;
    } else if (kind == 2) {
        first = sh;
        second = hl;
    }
    const RECT& r = rect;
    CPen firstPen(int(PS_SOLID), 1, first), secondPen(int(PS_SOLID), 1, second);
    CPen* old = dc->SelectObject(&firstPen);
    dc->MoveTo(r.left, r.top);
    dc->LineTo(r.right - 1, r.top);
    dc->MoveTo(r.left, r.top + 1);
    dc->LineTo(r.left, r.bottom - 1);
    dc->SelectObject(&secondPen);
    dc->MoveTo(r.left, r.bottom - 1);
    dc->LineTo(r.right, r.bottom - 1);
    dc->MoveTo(r.right - 1, r.top);
    dc->LineTo(r.right - 1, r.bottom - 1);
    if (old)
        dc->SelectObject(old);
}

COLORREF SwapRB(COLORREF color)
{
    return ((color & 0xFF) << 16) | (color & 0xFF00) | ((color >> 16) & 0xFF);
}

bool ColorsNear(COLORREF a, COLORREF b, int tolerance)
{
    if (a == b)
        return true;
    return std::abs(GetRValue(a) - GetRValue(b)) <= tolerance
        && std::abs(GetGValue(a) - GetGValue(b)) <= tolerance
        && std::abs(GetBValue(a) - GetBValue(b)) <= tolerance;
}

