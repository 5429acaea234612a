// The image library's types clash with the platform's DIB records, so this file
// sees only FreeImage, colours and QImage.
#include <FreeImage.h>

#include "graphics/ImageLibrary.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>

namespace {

COLORREF QuadToColorRef(const RGBQUAD& q)
{
    return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
}

// PCX keeps its picture box in the first 12 bytes: xmin, ymin, xmax, ymax.
QSize PcxSize(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray h = f.read(12);
    if (h.size() < 12 || uchar(h[0]) != 0x0A)
        return {};
    auto word = [&](int at) { return int(uchar(h[at])) | (int(uchar(h[at + 1])) << 8); };
    return QSize(word(8) - word(4) + 1, word(10) - word(6) + 1);
}

// A GIF's first picture may be larger than its logical screen, and that is
// what the library decodes: the size to check is the screen grown to hold the
// first image descriptor's rectangle.
QSize GifSize(const QString& file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    const QByteArray b = f.readAll();
    if (b.size() < 13 || !b.startsWith("GIF"))
        return {};
    auto le16 = [&](qsizetype at) { return int(uchar(b[at])) | (int(uchar(b[at + 1])) << 8); };
    int width = le16(6), height = le16(8);
    qsizetype at = 13;
    if (uchar(b[10]) & 0x80)
        at += 3 * (2 << (uchar(b[10]) & 7));
    while (at < b.size()) {
        const uchar tag = uchar(b[at]);
        if (tag == 0x2C) { // image descriptor: left, top, width, height
            if (at + 9 > b.size())
                return {};
            width = std::max(width, le16(at + 1) + le16(at + 5));
            height = std::max(height, le16(at + 3) + le16(at + 7));
            break;
        }
        if (tag != 0x21 || at + 2 > b.size()) // anything but an extension ends the walk
            break;
        at += 2; // introducer and label, then sub-blocks up to an empty one
        while (at < b.size() && b[at] != 0)
            at += 1 + uchar(b[at]);
        ++at;
    }
    return QSize(width, height);
}

// An uncompressed BMP (BI_RGB, BI_BITFIELDS) must hold every pixel byte it
// claims; its header gives the size, bit depth and compression.
struct BmpHeader {
    qint64 width = 0, height = 0;
    int bitCount = 0;
    uint32_t compression = 0;
};

bool ReadBmpHeader(const QString& file, BmpHeader& h)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray b = f.read(34);
    if (b.size() < 34 || b[0] != 'B' || b[1] != 'M')
        return false;
    auto le32 = [&](int at) {
        return uint32_t(uchar(b[at])) | (uint32_t(uchar(b[at + 1])) << 8) | (uint32_t(uchar(b[at + 2])) << 16) |
               (uint32_t(uchar(b[at + 3])) << 24);
    };
    if (le32(14) < 40) // an old core header: 16-bit sizes, nothing to bound
        return false;
    h.width = qint32(le32(18));
    h.height = qint32(le32(22));
    h.bitCount = uchar(b[28]) | (uchar(b[29]) << 8);
    h.compression = le32(30);
    return true;
}

QSize HeaderSize(int format, const QString& file)
{
    QSize size;
    if (format == IMAGE_FORMAT_PCX) {
        size = PcxSize(file);
    } else if (format == IMAGE_FORMAT_GIF) {
        size = GifSize(file);
    } else {
        QImageReader reader(file);
        reader.setDecideFormatFromContent(true);
        size = reader.size();
    }
    // Formats Qt has no reader for here: the library's header-only load (its
    // GIF reader ignores that flag, but Qt always reads GIF headers).
    if (!size.isValid() && format != IMAGE_FORMAT_GIF
        && FreeImage_FIFSupportsNoPixels(FREE_IMAGE_FORMAT(format))) {
        const QByteArray path = QFile::encodeName(file);
        if (FIBITMAP* head = FreeImage_Load(FREE_IMAGE_FORMAT(format), path.constData(), FIF_LOAD_NOPIXELS)) {
            size = QSize(int(FreeImage_GetWidth(head)), int(FreeImage_GetHeight(head)));
            FreeImage_Unload(head);
        }
    }
    return size;
}

// The bytes the pixels of an uncompressed BMP take, or -1 when the file is
// not one. Only called for a size within kMaxImagePixels, so the product
// cannot overflow.
qint64 UncompressedBmpPixelBytes(const QString& file, QSize size)
{
    BmpHeader bmp;
    if (!ReadBmpHeader(file, bmp) || (bmp.compression != 0 && bmp.compression != 3))
        return -1;
    const qint64 rowBytes = (qint64(size.width()) * bmp.bitCount + 31) / 32 * 4;
    return rowBytes * size.height();
}

// More bytes than any file holds: the picture is refused.
constexpr qint64 kCannotHold = std::numeric_limits<qint64>::max();

// The fewest bytes a PCX file of this size can have. The decoder reads each
// row as one line of every plane's bytes (bytes a plane row x planes) and
// starts every line afresh, so each line takes bytes of its own: all of them
// when the file is not run-length coded; otherwise at least one byte for each
// 128 decoded ones (a two-byte run gives at most 256, one whose count is 0).
// Without this bound a few bytes claiming thousands of long rows keep the
// decoder busy for seconds. A header whose plane rows cannot hold the width's
// pixels, or whose single plane row is longer than the decoded row it is
// written into, is refused: the decoder would read or write past its rows.
qint64 PcxLeastFileBytes(const QString& file, QSize size)
{
    constexpr int kHeaderBytes = 128;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return kCannotHold;
    const QByteArray h = f.read(kHeaderBytes);
    if (h.size() < kHeaderBytes)
        return kCannotHold;
    const bool runLength = h[2] == 1;
    const qint64 bitsPerPlane = uchar(h[3]);
    const qint64 planes = uchar(h[65]);
    const qint64 planeRowBytes = qint64(uchar(h[66])) | (qint64(uchar(h[67])) << 8);
    if (planeRowBytes * 8 < size.width() * bitsPerPlane)
        return kCannotHold;
    const qint64 decodedRowBytes = (size.width() * bitsPerPlane * planes + 31) / 32 * 4;
    if (planes == 1 && planeRowBytes > decodedRowBytes)
        return kCannotHold;
    const qint64 lineBytes = planeRowBytes * planes;
    const qint64 leastLineBytes = runLength ? (lineBytes + 127) / 128 : lineBytes;
    return kHeaderBytes + leastLineBytes * size.height();
}

// The fewest bytes the file must have for the pixels its header claims, or
// -1 for a picture whose coding does not bound them (its pixels are bounded
// by kMaxPixelsPerFileByte instead). Only called for a size within
// kMaxImagePixels, so no product can overflow.
qint64 LeastFileBytes(int format, const QString& file, QSize size)
{
    if (format == IMAGE_FORMAT_BMP)
        return UncompressedBmpPixelBytes(file, size);
    if (format == IMAGE_FORMAT_PCX)
        return PcxLeastFileBytes(file, size);
    return -1;
}

// Copies the library's bitmap into a QImage one row at a time: the only
// full-size copies are the library's decoded picture and the result.
QImage ToQImage(FIBITMAP* dib)
{
    const unsigned bpp = FreeImage_GetBPP(dib);
    RGBQUAD* palette = FreeImage_GetPalette(dib);
    const bool rowWise = FreeImage_GetImageType(dib) == FIT_BITMAP &&
                         (bpp == 24 || bpp == 32 || bpp == 16 || (bpp <= 8 && palette));
    if (!rowWise) {
        // High-bit-depth pictures: the library converts them whole.
        FIBITMAP* rgba = FreeImage_ConvertTo32Bits(dib);
        if (!rgba)
            return {};
        QImage img = ToQImage(rgba);
        FreeImage_Unload(rgba);
        return img;
    }
    const int w = int(FreeImage_GetWidth(dib)), h = int(FreeImage_GetHeight(dib));
    QImage img(w, h, QImage::Format_RGB32);
    if (img.isNull())
        return {};
    const bool is565 = bpp == 16 && FreeImage_GetGreenMask(dib) == FI16_565_GREEN_MASK;
    // The library's rows run bottom-up; its 32-bit pixels are B, G, R, A bytes,
    // as a QRgb is in memory. The alpha of 32-bit pictures is dropped.
    for (int y = 0; y < h; ++y) {
        BYTE* src = FreeImage_GetScanLine(dib, h - 1 - y);
        BYTE* dst = img.scanLine(y);
        switch (bpp) {
        case 1: FreeImage_ConvertLine1To32(dst, src, w, palette); break;
        case 4: FreeImage_ConvertLine4To32(dst, src, w, palette); break;
        case 8: FreeImage_ConvertLine8To32(dst, src, w, palette); break;
        case 16:
            is565 ? FreeImage_ConvertLine16To32_565(dst, src, w) : FreeImage_ConvertLine16To32_555(dst, src, w);
            break;
        case 24: FreeImage_ConvertLine24To32(dst, src, w); break;
        default: {
            auto* out = reinterpret_cast<QRgb*>(dst);
            for (int x = 0; x < w; ++x)
                out[x] = qRgb(src[x * 4 + 2], src[x * 4 + 1], src[x * 4]);
            break;
        }
        }
    }
    return img;
}

// The library's picture as 32-bit ARGB with its alpha: a palette picture's
// transparency table and an alpha channel both become the pixels' alpha.
QImage ToArgbImage(FIBITMAP* dib)
{
    FIBITMAP* rgba = FreeImage_ConvertTo32Bits(dib);
    if (!rgba)
        return {};
    const int w = int(FreeImage_GetWidth(rgba)), h = int(FreeImage_GetHeight(rgba));
    QImage img(w, h, QImage::Format_ARGB32);
    if (!img.isNull()) {
        for (int y = 0; y < h; ++y) {
            const BYTE* src = FreeImage_GetScanLine(rgba, h - 1 - y);
            auto* out = reinterpret_cast<QRgb*>(img.scanLine(y));
            for (int x = 0; x < w; ++x)
                out[x] = qRgba(src[x * 4 + FI_RGBA_RED], src[x * 4 + FI_RGBA_GREEN], src[x * 4 + FI_RGBA_BLUE],
                               src[x * 4 + FI_RGBA_ALPHA]);
        }
    }
    FreeImage_Unload(rgba);
    return img;
}

} // namespace

ImageSizeVerdict CheckImageFileSize(int format, const QString& file, QSize* sizeOut)
{
    const QSize size = HeaderSize(format, file);
    const bool valid = size.isValid() && size.width() > 0 && size.height() > 0;
    if (sizeOut)
        *sizeOut = valid ? size : QSize();
    if (!valid)
        return ImageSizeVerdict::Refused;
    if (qint64(size.width()) * size.height() > kMaxImagePixels)
        return ImageSizeVerdict::TooLarge;
    const qint64 leastBytes = LeastFileBytes(format, file, size);
    return ImageDecodeAcceptable(size.width(), size.height(), QFileInfo(file).size(), leastBytes)
               ? ImageSizeVerdict::Accepted
               : ImageSizeVerdict::Refused;
}

bool ImageDecodeAcceptable(qint64 width, qint64 height, qint64 fileBytes, qint64 pixelBytes)
{
    if (width <= 0 || height <= 0 || fileBytes <= 0 || width * height > kMaxImagePixels)
        return false;
    if (pixelBytes >= 0)
        return pixelBytes <= fileBytes;
    return width * height / kMaxPixelsPerFileByte < fileBytes;
}

void ImageLibraryInitialise()
{
    FreeImage_Initialise(FALSE);
}

void ImageLibraryDeInitialise()
{
    FreeImage_DeInitialise();
}

QImage ImageLibraryLoad(int format, const QString& file, bool* hasTransparent,
                        COLORREF* transparent, bool keepAlpha)
{
    if (hasTransparent)
        *hasTransparent = false;
    if (CheckImageFileSize(format, file) != ImageSizeVerdict::Accepted)
        return {};
    const QByteArray path = QFile::encodeName(file);
    FIBITMAP* dib = FreeImage_Load(FREE_IMAGE_FORMAT(format), path.constData(), 0);
    if (!dib)
        return {};
    if (FreeImage_IsTransparent(dib) && FreeImage_GetTransparencyCount(dib) > 0) {
        const unsigned count = FreeImage_GetTransparencyCount(dib);
        const RGBQUAD* palette = FreeImage_GetPalette(dib);
        // The transparent entry is the one whose alpha is 0. The last entry of
        // the transparency table (count - 1) is only right for tables that end
        // at it; the GIF reader gives a table for the whole palette. Without a
        // fully transparent entry, the last entry of the table is taken.
        const int zeroAlpha = FreeImage_GetTransparentIndex(dib);
        const unsigned entry = zeroAlpha >= 0 ? unsigned(zeroAlpha) : count - 1;
        // The entry must exist: a picture may claim more transparent entries
        // than its palette has.
        if (palette && entry < FreeImage_GetColorsUsed(dib)) {
            if (hasTransparent)
                *hasTransparent = true;
            if (transparent)
                *transparent = QuadToColorRef(palette[entry]);
        }
    }
    QImage img = keepAlpha && FreeImage_IsTransparent(dib) ? ToArgbImage(dib) : ToQImage(dib);
    FreeImage_Unload(dib);
    return img;
}

namespace {

// The palette entry nearest to the key becomes the transparent one.
void MarkTransparentEntry(FIBITMAP* paletted, COLORREF key)
{
    const RGBQUAD* palette = FreeImage_GetPalette(paletted);
    const unsigned colours = FreeImage_GetColorsUsed(paletted);
    if (!palette || colours == 0)
        return;
    unsigned best = 0;
    long bestDistance = -1;
    for (unsigned i = 0; i < colours; ++i) {
        const long dr = long(palette[i].rgbRed) - GetRValue(key);
        const long dg = long(palette[i].rgbGreen) - GetGValue(key);
        const long db = long(palette[i].rgbBlue) - GetBValue(key);
        const long d = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || d < bestDistance)
            best = i, bestDistance = d;
    }
    FreeImage_SetTransparentIndex(paletted, int(best));
}

} // namespace

bool ImageLibrarySave(int format, const QImage& image, const QString& file, int flags,
                      const COLORREF* transparentKey)
{
    if (image.isNull())
        return false;
    const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
    const int w = rgb.width(), h = rgb.height();
    // Every format is written from 24 bits a pixel: a diagram has no alpha to keep.
    FIBITMAP* toSave = FreeImage_Allocate(w, h, 24, FI_RGBA_RED_MASK, FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK);
    if (!toSave)
        return false;
    for (int y = 0; y < h; ++y) {
        BYTE* dst = FreeImage_GetScanLine(toSave, h - 1 - y);
        const auto* src = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            dst[x * 3 + FI_RGBA_BLUE] = BYTE(qBlue(src[x]));
            dst[x * 3 + FI_RGBA_GREEN] = BYTE(qGreen(src[x]));
            dst[x * 3 + FI_RGBA_RED] = BYTE(qRed(src[x]));
        }
    }
    if (format == IMAGE_FORMAT_GIF) {
        // The GIF writer takes 8-bit pictures only.
        FIBITMAP* quantised = FreeImage_ColorQuantize(toSave, FIQ_WUQUANT);
        FreeImage_Unload(toSave);
        if (!quantised)
            return false;
        toSave = quantised;
        if (transparentKey)
            MarkTransparentEntry(quantised, *transparentKey);
    }
    const QByteArray path = QFile::encodeName(file);
    const bool ok = FreeImage_Save(FREE_IMAGE_FORMAT(format), toSave, path.constData(), flags) != FALSE;
    FreeImage_Unload(toSave);
    return ok;
}
