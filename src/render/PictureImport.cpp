#include "render/PictureImport.h"

#include "document/CKavoDoc.h"
#include "document/GraphicExtent.h"
#include "graphics/BitmapHelpers.h"
#include "graphics/ImageLibrary.h"
#include "graphics/MetafileHelpers.h"
#include "platform/PackedDib.h"
#include "render/ArgbBitmaps.h"
#include "render/PictureColours.h"
#include "render/PictureConversions.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>

#include <cstdlib>
#include <cstring>

namespace {
constexpr int kSnapTolerance = 30;
constexpr DWORD kBitfields = 3;

QByteArray ReadHead(const QString& path, qint64 bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.read(bytes);
}

HGLOBAL BlockFromImage(const QImage& image)
{
    const std::vector<BYTE> dib = ImageToDib(image, 24, true);
    return dib.empty() ? nullptr : GlobalFromBytes(reinterpret_cast<const char*>(dib.data()), dib.size());
}

QImage ImageOfBlock(HGLOBAL block)
{
    CGlobalLock lock(block);
    return lock.data() ? DibToImage(lock.data(), lock.size()) : QImage();
}

QRgb Rgb(COLORREF c)
{
    return qRgb(GetRValue(c), GetGValue(c), GetBValue(c));
}

// Replaces *block by `next` when there is one (freeing the old block).
void Replace(HGLOBAL& block, HGLOBAL next)
{
    if (!next)
        return;
    GlobalFree(block);
    block = next;
}

int ImageFormatOf(int type)
{
    switch (type) {
    case 4: return IMAGE_FORMAT_JPEG;
    case 5: return IMAGE_FORMAT_PNG;
    case 6: return IMAGE_FORMAT_TIFF;
    case 7: return IMAGE_FORMAT_GIF;
    case 8: return IMAGE_FORMAT_PCX;
    default: return -1;
    }
}
} // namespace

int GetPictureFileType(const QString& path)
{
    if (path.isEmpty())
        return 0;
    const QString ext = QFileInfo(path).suffix().toUpper();
    if (ext == "BMP" || ext == "DIB") {
        const QByteArray head = ReadHead(path, 2);
        return head == "BM" ? 1 : 0;
    }
    if (ext == "WMF") {
        const QByteArray head = ReadHead(path, 22);
        return head.size() == 22 && IsPlaceableMetaHeader(reinterpret_cast<const BYTE*>(head.constData()), 22) ? 2 : 0;
    }
    if (ext == "EMF") {
        const QByteArray head = ReadHead(path, 100);
        return head.size() == 100 && IsEnhMetaHeader(reinterpret_cast<const BYTE*>(head.constData()), 100) ? 3 : 0;
    }
    if (ext == "JPG" || ext == "JPE" || ext == "JPEG")
        return 4;
    if (ext == "PNG")
        return 5;
    if (ext == "TIF")
        return 6;
    if (ext == "GIF")
        return 7;
    if (ext == "PCX")
        return 8;
    return 0;
}

std::string BuildImportFilter()
{
    // "All Graphics" lists every type the import reads (TIFF and the other
    // JPEG extensions included, so that such files are not hidden).
    return "All Graphics|*.WMF;*.EMF;*.BMP;*.DIB;*.JPG;*.JPEG;*.JPE;*.PNG;*.TIF;*.GIF;*.PCX|"
           "WMF - Windows Metafiles|*.wmf|"
           "EMF - Windows Enhanced Metafiles|*.emf|"
           "BMP, DIB - Windows Bitmaps|*.BMP;*.DIB|"
           "JPG - JPEG Bitmaps|*.JPG|"
           "PNG - Portable Network Graphics|*.PNG|"
           "TIF - TIFF Bitmaps|*.TIF|"
           "GIF - Graphics Interchange Format Bitmaps|*.GIF|"
           "PCX - PaintBrush Bitmaps|*.PCX|"
           "All Files (*.*)|*.*|"
           "|";
}

void ImportTypeToFilter(int type, std::string& defaultExt, int& filterIndex)
{
    static const char* const exts[] = {"BMP", "WMF", "EMF", "JPG", "PNG", "TIF", "GIF", "PCX"};
    static const int indexes[] = {4, 2, 3, 5, 6, 7, 8, 9};
    if (type >= 1 && type <= 8) {
        defaultExt = exts[type - 1];
        filterIndex = indexes[type - 1];
    } else {
        defaultExt.clear();
        filterIndex = 1;
    }
}

int ImportFilterToType(int filterIndex)
{
    static const int types[] = {0, 0, 2, 3, 1, 4, 5, 6, 7, 8};
    return filterIndex >= 2 && filterIndex <= 9 ? types[filterIndex] : 0;
}

HGLOBAL SnapNearColors(HGLOBAL block, COLORREF colour, int tolerance)
{
    QImage image = ImageOfBlock(block).convertToFormat(QImage::Format_RGB32);
    if (image.isNull() || image.width() == 0 || image.height() == 0)
        return nullptr;
    const QRgb target = Rgb(colour);
    for (int y = 0; y < image.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = row[x];
            if ((p & 0xFFFFFF) != (target & 0xFFFFFF) &&
                ColorsNear(RGB(qRed(p), qGreen(p), qBlue(p)), colour, tolerance))
                row[x] = target;
        }
    }
    return BlockFromImage(image);
}

HGLOBAL FlattenTransparency(HGLOBAL block, COLORREF transparent, COLORREF background)
{
    const QImage source = ImageOfBlock(block).convertToFormat(QImage::Format_RGB32);
    if (source.isNull())
        return nullptr;
    QImage out(source.size(), QImage::Format_RGB32);
    const QRgb key = Rgb(transparent) & 0xFFFFFF, fill = Rgb(background);
    for (int y = 0; y < source.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < source.width(); ++x)
            row[x] = (in[x] & 0xFFFFFF) == key ? fill : in[x];
    }
    return BlockFromImage(out);
}

HGLOBAL LoadGraphicFromFile(const QString& path, int& kind, int& width, int& height, COLORREF background,
                            bool cleanBackground, bool transparentBorder, int& hasTransparency)
{
    const int type = GetPictureFileType(path);
    kind = type;
    hasTransparency = 0;
    HGLOBAL block = nullptr;
    COLORREF fileTransparent = 0;
    if (type == 1) {
        // The file is kept whole, but becomes a pixel block below.
        if (CheckImageFileSize(IMAGE_FORMAT_BMP, path) == ImageSizeVerdict::TooLarge)
            return nullptr;
        QFile f(path);
        if (f.open(QIODevice::ReadOnly)) {
            const QByteArray b = f.readAll();
            block = GlobalFromBytes(b.constData(), size_t(b.size()));
        }
    } else if (type == 2) {
        HGLOBAL wmf = LoadValidatedWMF(path);
        if (!wmf)
            return nullptr;
        block = PlaceableToEnhBlock(wmf, true);
        kind = 3;
        cleanBackground = false;
    } else if (type == 3) {
        QFile f(path);
        if (f.open(QIODevice::ReadOnly)) {
            const QByteArray b = f.readAll();
            block = GlobalFromBytes(b.constData(), size_t(b.size()));
            if (block && !IsEnhMetafileBlock(block))
                block = GlobalFree(block);
        }
        cleanBackground = false;
    } else if (type >= 4) {
        bool transparent = false;
        // A PNG with an alpha channel or a transparency table keeps its own
        // alpha: it becomes the pixel block at once and no colour keying or
        // background clean-up touches it.
        const bool png = type == 5;
        const QImage image = ImageLibraryLoad(ImageFormatOf(type), path, &transparent, &fileTransparent, png);
        if (image.isNull())
            return nullptr;
        if (png && image.format() == QImage::Format_ARGB32) {
            block = ARGBBitmapToBlock(image);
            kind = 9;
            transparent = true;
        } else {
            block = BlockFromImage(image);
            kind = 1;
        }
        hasTransparency = transparent ? 1 : 0;
    } else {
        return nullptr;
    }
    if (!block)
        return nullptr;
    if (!GetGraphicExtent(block, kind, &width, &height)) {
        GlobalFree(block);
        return nullptr;
    }
    if (hasTransparency) {
        background = fileTransparent;
        cleanBackground = transparentBorder = false;
    }
    if (cleanBackground && transparentBorder && !hasTransparency && kind == 1)
        Replace(block, SnapNearColors(block, background, kSnapTolerance));
    if (hasTransparency && type != 5) {
        Replace(block, FlattenTransparency(block, fileTransparent, kTransparentKey));
        background = kTransparentKey;
        transparentBorder = false;
    }
    const CKavoDoc* doc = GetActiveKavoDoc();
    if (doc && doc->m_bTranspBMPs && doc->m_crTranspColor == kTransparentKey && transparentBorder && kind == 1)
        Replace(block, FloodFillBorderColor(block, background, kTransparentKey));
    if (kind == 1) {
        if (HGLOBAL argb = BitmapBlockToARGBBlock(block, true, kTransparentKey)) {
            GlobalFree(block);
            block = argb;
            kind = 9;
        }
    }
    return block;
}

bool PictureFileTooLarge(const QString& path, QSize& size)
{
    const int type = GetPictureFileType(path);
    const int format = type == 1 ? IMAGE_FORMAT_BMP : ImageFormatOf(type);
    size = QSize();
    return format >= 0 && CheckImageFileSize(format, path, &size) == ImageSizeVerdict::TooLarge;
}

namespace {
// Whether the rows of an uncompressed clipboard DIB lie within its size (a
// header that claims more than came, or a picture too large to draw, is
// refused); compressed rows are checked where they are drawn.
bool RowsFit(const BYTE* dib, size_t size, size_t bitsOffset)
{
    LONG width = 0, height = 0;
    WORD bitCount = 0;
    DWORD compression = 0;
    std::memcpy(&width, dib + 4, 4);
    std::memcpy(&height, dib + 8, 4);
    std::memcpy(&bitCount, dib + 14, 2);
    std::memcpy(&compression, dib + 16, 4);
    if (compression != BI_RGB && compression != kBitfields)
        return true;
    const qint64 w = std::abs(qint64(width)), h = std::abs(qint64(height));
    if (w * h > kMaxDibPixels)
        return false;
    const qint64 stride = (w * bitCount + 31) / 32 * 4;
    return qint64(bitsOffset) + stride * h <= qint64(size);
}
} // namespace

HGLOBAL ClipboardDibToBitmapBlock(const BYTE* dib, size_t size)
{
    if (!dib || size < 40)
        return nullptr;
    DWORD headerSize = 0, compression = 0, coloursUsed = 0;
    WORD bitCount = 0;
    std::memcpy(&headerSize, dib, 4);
    std::memcpy(&bitCount, dib + 14, 2);
    std::memcpy(&compression, dib + 16, 4);
    std::memcpy(&coloursUsed, dib + 32, 4);
    if (headerSize < 40 || headerSize > size)
        return nullptr;
    // The colour table: the colours used, else a full palette for up to 8
    // bits; a true-colour bitmap has one only when it names its colours used.
    size_t colourTable = size_t(coloursUsed) * 4;
    if (!coloursUsed && bitCount <= 8)
        colourTable = size_t(1u << bitCount) * 4;
    // The three masks that follow a 40-byte header with bitfields count too.
    const size_t masks = compression == kBitfields && headerSize == 40 ? 12 : 0;
    const size_t offset = 14 + headerSize + colourTable + masks;
    if (offset - 14 > size || !RowsFit(dib, size, offset - 14))
        return nullptr;
    HGLOBAL h = GlobalAlloc(GHND, size + 14);
    if (!h)
        return nullptr;
    CGlobalLock lock(h);
    BYTE* p = lock.data();
    const DWORD fileSize = DWORD(size + 14), pixels = DWORD(offset);
    p[0] = 'B';
    p[1] = 'M';
    std::memcpy(p + 2, &fileSize, 4);
    std::memcpy(p + 10, &pixels, 4);
    std::memcpy(p + 14, dib, size);
    return h;
}
