#include "render/PicturePlay.h"

#include "core/Trace.h"
#include "graphics/BitmapHelpers.h"
#include "graphics/MetaRecolour.h"
#include "graphics/MetafileHelpers.h"
#include "graphics/MetafilePlay.h"
#include "platform/CDC.h"
#include "platform/CGraphics.h"
#include "platform/CPainterDC.h"
#include "platform/GdiObjects.h"
#include "platform/metafile/CEmfPlayer.h"
#include "platform/metafile/CWmfRecorderDC.h"
#include "render/ArgbBitmaps.h"
#include "render/PictureTint.h"

#include <cmath>

namespace {

constexpr size_t kPlaceableHeader = 22;
constexpr double kHiMetricPerInch = 2540.0;

struct PlaceableBox {
    RECT box{};
    int unitsPerInch = 0;
};

int16_t ReadI16(const BYTE* p)
{
    return int16_t(p[0] | (p[1] << 8));
}

bool ReadPlaceableBox(HGLOBAL block, PlaceableBox& out)
{
    CGlobalLock lock(block);
    if (!lock.data() || !IsPlaceableMetaHeader(lock.data(), lock.size()))
        return false;
    const BYTE* p = lock.data();
    out.box = RECT{ReadI16(p + 6), ReadI16(p + 8), ReadI16(p + 10), ReadI16(p + 12)};
    out.unitsPerInch = uint16_t(p[14] | (p[15] << 8));
    return out.unitsPerInch > 0 && out.box.right != out.box.left && out.box.bottom != out.box.top;
}

// The rectangle in the device context's logical units: the graphics' world
// transform applied.
RECT LogicalRect(CGraphics* graphics, const QRectF& rect)
{
    const QRectF r = graphics->GetTransform().mapRect(rect);
    return RECT{int(std::lround(r.left())), int(std::lround(r.top())), int(std::lround(r.right())),
                int(std::lround(r.bottom()))};
}

// The WMF records played onto the context, which records them when it is a
// Windows-metafile recorder.
bool PlayAsWindowsMetafile(CGraphics* graphics, HMETAFILE wmf, const QRectF& rect, const RECT& box)
{
    if (!wmf)
        return false;
    const bool ok = PlayMetafileInRect(graphics->GetDC(), wmf, LogicalRect(graphics, rect), box);
    DeleteMetaFile(wmf);
    return ok;
}

int PlayWindowsMetafileTarget(CGraphics* graphics, HGLOBAL picture, int kind, const QRectF& rect)
{
    if (kind == 2) {
        PlaceableBox placeable;
        if (!ReadPlaceableBox(picture, placeable))
            return 0;
        return PlayAsWindowsMetafile(graphics, MetafileFromAPMGlobal(picture), rect, placeable.box);
    }
    CGlobalLock lock(picture);
    if (!lock.data())
        return 0;
    HENHMETAFILE emf = SetEnhMetaFileBits(UINT(lock.size()), lock.data());
    if (!emf)
        return 0;
    HMETAFILE wmf = EnhToWinMetafile(emf);
    DeleteEnhMetaFile(emf);
    RECT box{0, 0, 1, 1};
    if (wmf)
        GetMetafileBounds(wmf, box.left, box.top, box.right, box.bottom);
    return PlayAsWindowsMetafile(graphics, wmf, rect, box);
}

// Bitmaps take the set colour as a tint and key out the transparency
// argument when the figure asks for transparency.
int DrawBitmapPicture(CGraphics* graphics, const QImage& bitmap, const QRectF& rect,
                      bool transparency, COLORREF transparencyArg, COLORREF colour, int playFlags)
{
    return DrawARGBBitmap(graphics, &bitmap, rect, colour != NO_COLOR, colour, transparency,
                          transparencyArg, (playFlags & PLAY_HIGH_QUALITY) != 0);
}

int PlayEnhBits(CGraphics* graphics, HGLOBAL bits, const QRectF& rect, COLORREF key, int flags)
{
    return (flags & PLAY_SUPERSAMPLE) ? PlayEnhMetafileSupersampled(graphics, bits, rect, key)
                                      : PlayEnhMetafileGdip(graphics, bits, rect, key);
}

} // namespace

HENHMETAFILE EnhMetafileFromPlaceable(HGLOBAL block)
{
    PlaceableBox placeable;
    if (!ReadPlaceableBox(block, placeable))
        return nullptr;
    CGlobalLock lock(block);
    METAFILEPICT picture;
    picture.xExt = LONG(std::lround(std::abs(placeable.box.right - placeable.box.left) *
                                    kHiMetricPerInch / placeable.unitsPerInch));
    picture.yExt = LONG(std::lround(std::abs(placeable.box.bottom - placeable.box.top) *
                                    kHiMetricPerInch / placeable.unitsPerInch));
    return SetWinMetaFileBits(UINT(lock.size() - kPlaceableHeader), lock.data() + kPlaceableHeader,
                              &picture);
}

void DrawPicturePlaceholder(CGraphics* graphics, const QRectF& rect)
{
    if (!graphics)
        return;
    CGpPen pen;
    pen.color = 0xFF000000;
    pen.width = 1.0f;
    graphics->DrawRectangle(pen, rect);
    graphics->DrawLine(pen, rect.topLeft(), rect.bottomRight());
    graphics->DrawLine(pen, rect.bottomLeft(), rect.topRight());
}

int DrawEmfScaled(CGraphics* graphics, HENHMETAFILE metafile, const QRectF& rect,
                  COLORREF transparentColour)
{
    if (!graphics || !metafile)
        return 0;
    if (transparentColour == NO_COLOR) {
        const RECT target = LogicalRect(graphics, rect);
        return PlayEnhMetaFile(graphics->GetDC(), metafile, &target) ? 1 : 0;
    }
    // A keyed colour needs the pixels: render, key out, draw the image.
    const int w = std::max(1, int(std::lround(rect.width())));
    const int h = std::max(1, int(std::lround(rect.height())));
    QImage canvas(w, h, QImage::Format_ARGB32_Premultiplied);
    if (canvas.isNull())
        return 0;
    canvas.fill(Qt::transparent);
    bool ok = false;
    {
        CPainterDC dc(&canvas);
        const RECT target{0, 0, w, h};
        ok = PlayEnhMetaFile(&dc, metafile, &target);
    }
    QImage argb = canvas.convertToFormat(QImage::Format_ARGB32);
    MakeColorTransparent(argb, 0, transparentColour);
    graphics->DrawImage(argb, rect);
    return ok ? 1 : 0;
}

int PlayEnhMetafileGdip(CGraphics* graphics, HGLOBAL emfBits, const QRectF& rect,
                        COLORREF transparentColour)
{
    CGlobalLock lock(emfBits);
    if (!graphics || !lock.data())
        return 0;
    HENHMETAFILE emf = SetEnhMetaFileBits(UINT(lock.size()), lock.data());
    if (!emf)
        return 0;
    CDC* dc = graphics->GetDC();
    const int saved = dc ? dc->SaveDC() : 0;
    // A failed play is reported as a failure, so that the caller draws the
    // placeholder rather than leaving the picture's place empty.
    const int played = DrawEmfScaled(graphics, emf, rect, transparentColour);
    if (!played)
        DiagPrintf("ERR: PlayEnhMetaFile() returned ext error %d\n", 0);
    if (dc)
        dc->RestoreDC(saved);
    DeleteEnhMetaFile(emf);
    return played ? 1 : 0;
}

int PlayEnhMetafileSupersampled(CGraphics* graphics, HGLOBAL emfBits, const QRectF& rect,
                                COLORREF transparentColour)
{
    if (!graphics)
        return 0;
    const int w = int(std::lround(rect.width())), h = int(std::lround(rect.height()));
    if (w <= 0 || h <= 0 || qint64(w) * h > qint64(8192) * 8192)
        return 0;
    QImage big(2 * w, 2 * h, QImage::Format_ARGB32_Premultiplied);
    if (big.isNull())
        return 0;
    big.fill(Qt::transparent);
    int ok = 0;
    {
        CPainterDC dc(&big);
        CGraphics bigGraphics(&dc);
        ok = PlayEnhMetafileGdip(&bigGraphics, emfBits, QRectF(0, 0, 2 * w, 2 * h),
                                 transparentColour);
    }
    if (!ok)
        return 0;
    graphics->SetInterpolationMode(GpInterpolationMode::HighQualityBilinear);
    graphics->DrawImage(big.convertToFormat(QImage::Format_ARGB32), QRectF(rect.x(), rect.y(), w, h));
    return 1;
}

int PlayPicture(CGraphics* graphics, HGLOBAL picture, int kind, const QRectF& rect,
                bool transparency, COLORREF transparencyArg, COLORREF transparentColour,
                bool wmfTarget, int playFlags)
{
    if (!graphics)
        return 0;
    int drawn = 0;
    if (picture && kind == 1) {
        if (const std::unique_ptr<CBitmap> bitmap = DIBToBitmap(picture))
            drawn = DrawBitmapPicture(graphics, bitmap->Image(), rect, transparency,
                                      transparencyArg, transparentColour, playFlags);
    } else if (picture && kind == 9) {
        if (const std::unique_ptr<QImage> argb = ARGBBlockToBitmap(picture))
            drawn = DrawBitmapPicture(graphics, *argb, rect, false, transparencyArg,
                                      transparentColour, playFlags);
    } else if (picture && (kind == 2 || kind == 3) && wmfTarget) {
        drawn = PlayWindowsMetafileTarget(graphics, picture, kind, rect);
    } else if (picture && kind == 2) {
        if (HENHMETAFILE emf = EnhMetafileFromPlaceable(picture)) {
            if (HGLOBAL bits = GlobalFromEnhMetafile(emf, FALSE)) {
                drawn = PlayEnhBits(graphics, bits, rect, transparentColour, playFlags);
                GlobalFree(bits);
            } else {
                DeleteEnhMetaFile(emf);
            }
        }
    } else if (picture && kind == 3) {
        drawn = PlayEnhBits(graphics, picture, rect, transparentColour, playFlags);
    }
    if (!drawn)
        DrawPicturePlaceholder(graphics, rect);
    return drawn;
}
