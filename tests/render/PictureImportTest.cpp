// Picture import: file types, the chooser's tables, the clipboard bitmap's
// header and the load pipeline's clean-up.
#include "graphics/ImageLibrary.h"
#include "platform/PackedDib.h"
#include "render/ArgbBitmaps.h"
#include "render/PictureImport.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>

namespace {
void WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}
} // namespace

TEST(PictureImport, FileTypesByExtensionAndContent)
{
    QTemporaryDir dir;
    const QDir d(dir.path());
    WriteBytes(d.filePath("good.BMP"), "BMxxxx");
    WriteBytes(d.filePath("bad.bmp"), "XXxxxx");
    WriteBytes(d.filePath("short.wmf"), "\xD7\xCD");
    WriteBytes(d.filePath("fake.emf"), QByteArray(100, 'x'));
    const struct {
        const char* name;
        int type;
    } cases[] = {{"good.BMP", 1}, {"bad.bmp", 0},  {"short.wmf", 0}, {"fake.emf", 0}, {"a.jpe", 4},
                 {"a.JPEG", 4},   {"a.png", 5},    {"a.tif", 6},     {"a.tiff", 0},   {"a.gif", 7},
                 {"a.pcx", 8},    {"a.txt", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(GetPictureFileType(d.filePath(c.name)), c.type) << c.name;
    EXPECT_EQ(GetPictureFileType(QString()), 0);
}

TEST(PictureImport, ChooserTablesGoBothWays)
{
    const std::string filter = BuildImportFilter();
    EXPECT_EQ(filter.rfind("All Graphics|", 0), 0u);
    EXPECT_NE(filter.find("*.TIF;"), std::string::npos) << "TIFF files are not hidden";
    EXPECT_EQ(filter.substr(filter.size() - 2), "||");
    for (int type = 1; type <= 8; ++type) {
        std::string ext;
        int index = 0;
        ImportTypeToFilter(type, ext, index);
        EXPECT_EQ(ImportFilterToType(index), type) << type;
        EXPECT_FALSE(ext.empty());
    }
    std::string ext = "x";
    int index = 0;
    ImportTypeToFilter(0, ext, index);
    EXPECT_EQ(index, 1);
    EXPECT_TRUE(ext.empty());
    EXPECT_EQ(ImportFilterToType(1), 0);
    EXPECT_EQ(ImportFilterToType(10), 0);
}

TEST(PictureImport, ChooserFilterAndIndexesAreExact)
{
    EXPECT_EQ(BuildImportFilter(),
              "All Graphics|*.WMF;*.EMF;*.BMP;*.DIB;*.JPG;*.JPEG;*.JPE;*.PNG;*.TIF;*.GIF;*.PCX|"
              "WMF - Windows Metafiles|*.wmf|EMF - Windows Enhanced Metafiles|*.emf|"
              "BMP, DIB - Windows Bitmaps|*.BMP;*.DIB|JPG - JPEG Bitmaps|*.JPG|"
              "PNG - Portable Network Graphics|*.PNG|TIF - TIFF Bitmaps|*.TIF|"
              "GIF - Graphics Interchange Format Bitmaps|*.GIF|PCX - PaintBrush Bitmaps|*.PCX|"
              "All Files (*.*)|*.*||");
    const struct {
        int type;
        const char* ext;
        int index;
    } toFilter[] = {{1, "BMP", 4}, {2, "WMF", 2}, {3, "EMF", 3}, {4, "JPG", 5}, {5, "PNG", 6},
                    {6, "TIF", 7}, {7, "GIF", 8}, {8, "PCX", 9}, {9, "", 1},    {-1, "", 1}};
    for (const auto& c : toFilter) {
        std::string ext = "x";
        int index = 0;
        ImportTypeToFilter(c.type, ext, index);
        EXPECT_EQ(ext, c.ext) << c.type;
        EXPECT_EQ(index, c.index) << c.type;
    }
    // Filter index -> type, for indexes 0 to 11.
    const int toType[] = {0, 0, 2, 3, 1, 4, 5, 6, 7, 8, 0, 0};
    for (int index = 0; index < int(std::size(toType)); ++index)
        EXPECT_EQ(ImportFilterToType(index), toType[index]) << index;
}

TEST(PictureImport, ClipboardDibHeaderCountsColourTableAndMasks)
{
    const struct {
        int bitCount;
        DWORD compression;
        DWORD coloursUsed;
        size_t extra;
        DWORD offset;
    } cases[] = {{8, 0, 0, 256 * 4, 14 + 40 + 1024},
                 {8, 0, 2, 2 * 4, 14 + 40 + 8},
                 {32, 3, 0, 12, 14 + 40 + 12},
                 {24, 0, 0, 0, 14 + 40},
                 // A true-colour bitmap may carry a palette too; its pixels follow it.
                 {24, 0, 16, 16 * 4, 14 + 40 + 64}};
    for (const auto& c : cases) {
        std::vector<BYTE> dib(40 + c.extra + 16, 0);
        const DWORD header = 40;
        const WORD bits = WORD(c.bitCount);
        std::memcpy(dib.data(), &header, 4);
        std::memcpy(dib.data() + 14, &bits, 2);
        std::memcpy(dib.data() + 16, &c.compression, 4);
        std::memcpy(dib.data() + 32, &c.coloursUsed, 4);
        HGLOBAL h = ClipboardDibToBitmapBlock(dib.data(), dib.size());
        ASSERT_NE(h, nullptr);
        {
            CGlobalLock lock(h);
            DWORD offset = 0, size = 0;
            std::memcpy(&offset, lock.data() + 10, 4);
            std::memcpy(&size, lock.data() + 2, 4);
            EXPECT_EQ(lock.data()[0], 'B');
            EXPECT_EQ(offset, c.offset) << c.bitCount << " " << c.coloursUsed;
            EXPECT_EQ(size, dib.size() + 14);
        }
        GlobalFree(h);
    }
    const BYTE tiny[10] = {};
    EXPECT_EQ(ClipboardDibToBitmapBlock(tiny, sizeof tiny), nullptr);
}

TEST(PictureImport, BitmapNearWhiteIsSnappedAndBecomesAPixelBlock)
{
    QTemporaryDir dir;
    QImage image(20, 10, QImage::Format_RGB32);
    image.fill(qRgb(250, 250, 250));
    image.setPixel(5, 5, qRgb(0, 0, 0));
    image.setPixel(1, 0, qRgb(225, 225, 225));  // 30 off white in each channel: snapped
    image.setPixel(2, 0, qRgb(224, 240, 240));  // 31 off in red: kept
    const std::vector<BYTE> bmp = ImageToDib(image, 24, true);
    const QString path = QDir(dir.path()).filePath("p.bmp");
    WriteBytes(path, QByteArray(reinterpret_cast<const char*>(bmp.data()), int(bmp.size())));
    int kind = 0, w = 0, h = 0, transparent = 0;
    HGLOBAL block = LoadGraphicFromFile(path, kind, w, h, 0xFFFFFF, true, true, transparent);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(kind, 9);
    EXPECT_EQ(transparent, 0);
    std::unique_ptr<QImage> out = ARGBBlockToBitmap(block);
    ASSERT_TRUE(out);
    EXPECT_EQ(out->pixel(0, 0) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(out->pixel(5, 5) & 0xFFFFFF, 0u);
    EXPECT_EQ(out->pixel(1, 0) & 0xFFFFFF, 0xFFFFFFu);
    EXPECT_EQ(out->pixel(2, 0) & 0xFFFFFF, QRgb(0xE0F0F0));
    GlobalFree(block);
}

namespace {
// A palette picture whose transparency table has several alpha values; the
// fully transparent entry (1) is not the table's last.
QImage PalettePicture()
{
    QImage image(4, 1, QImage::Format_Indexed8);
    image.setColorTable({qRgba(255, 0, 0, 255), qRgba(0, 255, 0, 0), qRgba(0, 0, 255, 128), qRgba(0, 0, 0, 255)});
    for (int x = 0; x < 4; ++x)
        image.setPixel(x, 0, uint(x));
    return image;
}
} // namespace

TEST(PictureImport, PngKeepsItsOwnAlphaAndIsNotCleanedUp)
{
    QTemporaryDir dir;
    QImage argb(3, 1, QImage::Format_ARGB32);
    argb.setPixel(0, 0, qRgba(250, 250, 250, 255));  // near white: snapping would whiten it
    argb.setPixel(1, 0, qRgba(10, 20, 30, 128));
    argb.setPixel(2, 0, qRgba(0, 0, 0, 0));
    const struct {
        const char* name;
        QImage image;
        std::vector<int> alpha;
        QRgb first;
    } cases[] = {{"alpha channel", argb, {255, 128, 0}, qRgb(250, 250, 250)},
                 {"palette", PalettePicture(), {255, 0, 128, 255}, qRgb(255, 0, 0)}};
    for (const auto& c : cases) {
        const QString path = QDir(dir.path()).filePath(QString(c.name) + ".png");
        ASSERT_TRUE(c.image.save(path, "PNG"));
        int kind = 0, w = 0, h = 0, transparent = 0;
        HGLOBAL block = LoadGraphicFromFile(path, kind, w, h, 0xFFFFFF, true, true, transparent);
        ASSERT_NE(block, nullptr) << c.name;
        EXPECT_EQ(kind, 9) << c.name;
        EXPECT_EQ(transparent, 1) << c.name;
        const std::unique_ptr<QImage> out = ARGBBlockToBitmap(block);
        ASSERT_TRUE(out);
        ASSERT_EQ(out->width(), int(c.alpha.size()));
        for (int x = 0; x < out->width(); ++x)
            EXPECT_EQ(qAlpha(out->pixel(x, 0)), c.alpha[size_t(x)]) << c.name << " " << x;
        EXPECT_EQ(out->pixel(0, 0) & 0xFFFFFF, c.first & 0xFFFFFF) << c.name;
        GlobalFree(block);
    }
}

TEST(PictureImport, GifTransparentEntryBecomesTransparentWithoutCleanUp)
{
    // Green is the GIF's transparent entry; the near-white pixel would be
    // snapped to white by the clean-up, which does not run for such a file.
    QTemporaryDir dir;
    QImage image(8, 8, QImage::Format_RGB32);
    image.fill(qRgb(0, 255, 0));
    image.setPixel(3, 3, qRgb(0, 0, 0));
    image.setPixel(4, 4, qRgb(250, 250, 250));
    const QString path = QDir(dir.path()).filePath("t.gif");
    const COLORREF key = RGB(0, 255, 0);
    ASSERT_TRUE(ImageLibrarySave(IMAGE_FORMAT_GIF, image, path, 0, &key));
    int kind = 0, w = 0, h = 0, transparent = 0;
    HGLOBAL block = LoadGraphicFromFile(path, kind, w, h, 0xFFFFFF, true, true, transparent);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(kind, 9);
    EXPECT_EQ(transparent, 1);
    const std::unique_ptr<QImage> out = ARGBBlockToBitmap(block);
    ASSERT_TRUE(out);
    EXPECT_EQ(qAlpha(out->pixel(0, 0)), 0);
    EXPECT_EQ(out->pixel(3, 3), qRgba(0, 0, 0, 255));
    EXPECT_EQ(out->pixel(4, 4), qRgba(250, 250, 250, 255));
    GlobalFree(block);
}
