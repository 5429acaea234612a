#include "render/ArgbBitmaps.h"

#include "graphics/BitmapHelpers.h"
#include "platform/GdiObjects.h"
#include "platform/PackedDib.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

DWORD Rd32(const BYTE* p)
{
    return DWORD(p[0]) | (DWORD(p[1]) << 8) | (DWORD(p[2]) << 16) | (DWORD(p[3]) << 24);
}

void Wr32(BYTE* p, DWORD v)
{
    p[0] = BYTE(v);
    p[1] = BYTE(v >> 8);
    p[2] = BYTE(v >> 16);
    p[3] = BYTE(v >> 24);
}

bool SameRgb(QRgb pixel, COLORREF colour)
{
    return qRed(pixel) == GetRValue(colour) && qGreen(pixel) == GetGValue(colour) &&
           qBlue(pixel) == GetBValue(colour);
}

int Luminance(QRgb c)
{
    return (5 * qRed(c) + 9 * qGreen(c) + 2 * qBlue(c)) >> 4;
}

QImage::Format QtFormatOf(int pixelFormat)
{
    switch (pixelFormat) {
    case PixelFormat24bppRGB: return QImage::Format_RGB888;
    case PixelFormat32bppRGB: return QImage::Format_RGB32;
    case PixelFormat32bppARGB: return QImage::Format_ARGB32;
    case PixelFormat32bppPARGB: return QImage::Format_ARGB32_Premultiplied;
    default: return QImage::Format_Invalid;
    }
}

// Fills the 4-connected area of exactly `target` around (x, y) with `fill`.
void SurfaceFill(QImage& image, int x, int y, QRgb target, QRgb fill)
{
    if (target == fill)
        return;
    std::vector<QPoint> stack{QPoint(x, y)};
    const int w = image.width(), h = image.height();
    while (!stack.empty()) {
        const QPoint p = stack.back();
        stack.pop_back();
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(p.y()));
        if (row[p.x()] != target)
            continue;
        // Fill the run on this row, then queue the rows above and below.
        int left = p.x(), right = p.x();
        while (left > 0 && row[left - 1] == target)
            --left;
        while (right < w - 1 && row[right + 1] == target)
            ++right;
        for (int i = left; i <= right; ++i)
            row[i] = fill;
        for (int dy : {-1, 1}) {
            const int ny = p.y() + dy;
            if (ny < 0 || ny >= h)
                continue;
            const auto* next = reinterpret_cast<const QRgb*>(image.constScanLine(ny));
            for (int i = left; i <= right; ++i)
                if (next[i] == target && (i == left || next[i - 1] != target))
                    stack.emplace_back(i, ny);
        }
    }
}

} // namespace

int PixelFormatOf(const QImage& image)
{
    switch (image.format()) {
    case QImage::Format_RGB888: return PixelFormat24bppRGB;
    case QImage::Format_RGB32: return PixelFormat32bppRGB;
    case QImage::Format_ARGB32: return PixelFormat32bppARGB;
    case QImage::Format_ARGB32_Premultiplied: return PixelFormat32bppPARGB;
    default: return 0;
    }
}

HGLOBAL BitmapBlockToARGBBlock(HGLOBAL bitmapBlock, bool makeTransparent, COLORREF key)
{
    const std::unique_ptr<CBitmap> bitmap = DIBToBitmap(bitmapBlock);
    if (!bitmap)
        return nullptr;
    QImage argb = bitmap->Image().convertToFormat(QImage::Format_ARGB32);
    if (argb.isNull())
        return nullptr;
    if (makeTransparent)
        MakeColorTransparent(argb, 0, key);
    return ARGBBitmapToBlock(argb);
}

HGLOBAL ARGBBitmapToBlock(const QImage& bitmap)
{
    if (bitmap.isNull())
        return nullptr;
    const QImage argb = bitmap.format() == QImage::Format_ARGB32
                            ? bitmap
                            : bitmap.convertToFormat(QImage::Format_ARGB32);
    if (argb.isNull())
        return nullptr;
    const size_t rowBytes = size_t(argb.width()) * 4;
    HGLOBAL block = GlobalAlloc(GHND, rowBytes * size_t(argb.height()) + kArgbBlockHeader);
    if (!block)
        return nullptr;
    CGlobalLock lock(block);
    if (!lock.data()) {
        GlobalFree(block);
        return nullptr;
    }
    Wr32(lock.data(), DWORD(argb.width()));
    Wr32(lock.data() + 4, DWORD(argb.height()));
    // ARGB32 rows in memory are 0xAARRGGBB words in little-endian order: the
    // block's own layout.
    for (int y = 0; y < argb.height(); ++y)
        std::memcpy(lock.data() + kArgbBlockHeader + rowBytes * size_t(y), argb.constScanLine(y),
                    rowBytes);
    return block;
}

bool GetARGBBlockSize(HGLOBAL block, int* width, int* height)
{
    CGlobalLock lock(block);
    if (!lock.data() || lock.size() < kArgbBlockHeader)
        return false;
    const DWORD w = Rd32(lock.data()), h = Rd32(lock.data() + 4);
    if (w == 0 || h == 0 || w > 0x7FFF || h > 0x7FFF)
        return false;
    if ((lock.size() - kArgbBlockHeader) / 4 / w < h)
        return false;
    if (width)
        *width = int(w);
    if (height)
        *height = int(h);
    return true;
}

std::unique_ptr<QImage> ARGBBlockToBitmap(HGLOBAL block)
{
    int w = 0, h = 0;
    if (!GetARGBBlockSize(block, &w, &h))
        return nullptr;
    auto bitmap = std::make_unique<QImage>(w, h, QImage::Format_ARGB32);
    if (bitmap->isNull())
        return nullptr;
    CGlobalLock lock(block);
    const size_t rowBytes = size_t(w) * 4;
    for (int y = 0; y < h; ++y)
        std::memcpy(bitmap->scanLine(y), lock.data() + kArgbBlockHeader + rowBytes * size_t(y),
                    rowBytes);
    return bitmap;
}

bool MakeColorTransparent(QImage& bitmap, int alpha, COLORREF colour)
{
    if (bitmap.format() != QImage::Format_ARGB32)
        return false;
    for (int y = 0; y < bitmap.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(bitmap.scanLine(y));
        for (int x = 0; x < bitmap.width(); ++x)
            if (SameRgb(row[x], colour))
                row[x] = qRgba(qRed(row[x]), qGreen(row[x]), qBlue(row[x]), alpha);
    }
    return true;
}

bool IsTransparentAt(const QImage& bitmap, int x, int y)
{
    if (!bitmap.valid(x, y))
        return false;
    return qAlpha(bitmap.pixel(x, y)) == 0;
}

bool IsTransparentAt(const QImage& bitmap, POINT pt)
{
    return IsTransparentAt(bitmap, pt.x, pt.y);
}

int ConvertBitmapFormat(std::unique_ptr<QImage>& bitmap, int pixelFormat)
{
    if (!bitmap || bitmap->isNull())
        return 1;
    if (PixelFormatOf(*bitmap) == pixelFormat)
        return 0;
    const QImage::Format format = QtFormatOf(pixelFormat);
    if (format == QImage::Format_Invalid)
        return 1;
    auto copy = std::make_unique<QImage>(bitmap->convertToFormat(format));
    if (copy->isNull())
        return 1;
    bitmap = std::move(copy);
    return 0;
}

void FloodFillBorderColorImage(QImage& image, COLORREF colour, COLORREF fill)
{
    if (image.isNull())
        return;
    if (image.format() != QImage::Format_RGB32 && image.format() != QImage::Format_ARGB32)
        image = image.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width(), h = image.height();
    const QRgb with = qRgb(GetRValue(fill), GetGValue(fill), GetBValue(fill));
    // Compare colours only: an RGB32 image keeps 0xFF in the alpha byte.
    auto seed = [&](int x, int y) {
        if (SameRgb(image.pixel(x, y), colour))
            SurfaceFill(image, x, y, image.pixel(x, y), with);
    };
    for (int x = 0; x < w; ++x) {
        seed(x, 0);
        seed(x, h - 1);
    }
    for (int y = 1; y < h - 1; ++y) {
        seed(0, y);
        seed(w - 1, y);
    }
}

bool FloodFillBorderColorARGB(std::unique_ptr<QImage>& bitmap, COLORREF colour, COLORREF fill)
{
    if (!bitmap || bitmap->isNull())
        return false;
    QImage copy = bitmap->convertToFormat(QImage::Format_ARGB32);
    if (copy.isNull())
        return false;
    FloodFillBorderColorImage(copy, colour, fill);
    bitmap = std::make_unique<QImage>(std::move(copy));
    return true;
}

HGLOBAL FloodFillBorderColor(HGLOBAL block, COLORREF colour, COLORREF fill)
{
    const std::unique_ptr<CBitmap> bitmap = DIBToBitmap(block);
    if (!bitmap)
        return nullptr;
    QImage image = bitmap->Image().convertToFormat(QImage::Format_RGB32);
    FloodFillBorderColorImage(image, colour, fill);
    const std::vector<BYTE> dib = ImageToDib(image, 24, true, 0, 0);
    return dib.empty() ? nullptr : GlobalFromBytes(dib.data(), dib.size());
}

bool AlphaFromWhiteAndBlack(QImage& onWhite, const QImage& onBlack)
{
    if (onWhite.size() != onBlack.size() || onWhite.isNull())
        return false;
    if (onWhite.format() != QImage::Format_ARGB32)
        onWhite = onWhite.convertToFormat(QImage::Format_ARGB32);
    const QImage black = onBlack.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < onWhite.height(); ++y) {
        auto* w = reinterpret_cast<QRgb*>(onWhite.scanLine(y));
        const auto* b = reinterpret_cast<const QRgb*>(black.constScanLine(y));
        for (int x = 0; x < onWhite.width(); ++x) {
            if (w[x] == b[x])
                continue;
            if (w[x] == 0xFFFFFFFFu && b[x] == 0xFF000000u) {
                w[x] = 0x00FFFFFFu;
                continue;
            }
            const int alpha = std::clamp(255 + Luminance(b[x]) - Luminance(w[x]), 0, 255);
            w[x] = qRgba(qRed(w[x]), qGreen(w[x]), qBlue(w[x]), alpha);
        }
    }
    return true;
}
