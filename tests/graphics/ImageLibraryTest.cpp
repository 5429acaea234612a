// What the image library may decode from a file: no more pixels than the cap,
// and no more than the file can hold; and what comes back of each pixel depth.
#include "common/PcxFixture.h"
#include "graphics/ImageLibrary.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
// A BMP file header and BITMAPINFOHEADER claiming width x height at `bits`
// per pixel, followed by `pixelBytes` bytes of pixels (and a palette of 2^bits
// grey entries for bits <= 8).
QByteArray Bmp(qint32 width, qint32 height, int bits, int pixelBytes, uint32_t compression = 0)
{
    QByteArray palette;
    if (bits <= 8)
        for (int i = 0; i < (1 << bits); ++i) {
            const char g = char(i * 255 / ((1 << bits) - 1));
            palette.append(g).append(g).append(g).append('\0');
        }
    QByteArray b;
    auto le32 = [&](uint32_t v) {
        for (int i = 0; i < 4; ++i)
            b.append(char(v >> (8 * i)));
    };
    auto le16 = [&](int v) { b.append(char(v)).append(char(v >> 8)); };
    const uint32_t offBits = 14 + 40 + uint32_t(palette.size());
    b.append("BM");
    le32(offBits + uint32_t(pixelBytes));
    le32(0);
    le32(offBits);
    le32(40);
    le32(uint32_t(width));
    le32(uint32_t(height));
    le16(1);
    le16(bits);
    le32(compression);
    le32(uint32_t(pixelBytes));
    le32(2835), le32(2835), le32(0), le32(0);
    b.append(palette);
    for (int i = 0; i < pixelBytes; ++i)
        b.append(char(i * 37));
    return b;
}

QString Write(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}
} // namespace

TEST(ImageLibrary, DecodedSizeIsBoundByTheCapAndByTheFile)
{
    struct Case {
        qint64 width, height, fileBytes, pixelBytes;
        bool accepted;
    } cases[] = {
        {100, 100, 30054, 30000, true},          // uncompressed: every byte there
        {100, 100, 29999, 30000, false},         // one byte short of its pixels
        {5, 33554435, 114, 537000000, false},     // 2 GB claimed by 114 bytes
        {8192, 8192, 40000, -1, true},           // a 1-bit deflated page at the cap
        {8192, 8192, 4000, -1, false},           // more than a byte may stand for
        {16384, 16384, 32768, -1, false},        // a 32 KB 1-bit PNG: 1 GB once decoded
        {8192, 8193, 1 << 30, -1, false},        // over the cap whatever the file
        {0, 10, 100, -1, false},
        {10, 10, 0, -1, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ImageDecodeAcceptable(c.width, c.height, c.fileBytes, c.pixelBytes), c.accepted)
            << c.width << " x " << c.height << " in " << c.fileBytes;
}

TEST(ImageLibrary, BmpThatCannotHoldItsPixelsIsNotDecoded)
{
    QTemporaryDir dir;
    ImageLibraryInitialise();
    // 1000 x 1000 at 24 bits needs 3 MB of pixels; the file has 60 bytes of them.
    const QString shortFile = Write(dir, "short.bmp", Bmp(1000, 1000, 24, 60));
    EXPECT_TRUE(ImageLibraryLoad(IMAGE_FORMAT_BMP, shortFile, nullptr, nullptr).isNull());
    // The 114-byte file of 5 x 33,554,435 pixels.
    const QString tall = Write(dir, "tall.bmp", Bmp(5, 33554435, 24, 60));
    EXPECT_TRUE(ImageLibraryLoad(IMAGE_FORMAT_BMP, tall, nullptr, nullptr).isNull());
}

// The size is judged from the header before anything is decoded or
// multiplied: a picture past the cap is too large (the caller says so), one
// whose file cannot hold its pixels is refused.
TEST(ImageLibrary, HeaderSizeIsJudgedBeforeDecoding)
{
    QTemporaryDir dir;
    ImageLibraryInitialise();
    // 16384 x 16384 at 1 bit: some 32 KB of deflated rows.
    QImage page(16384, 16384, QImage::Format_Mono);
    page.fill(0);
    const QString pagePath = dir.filePath("page.png");
    ASSERT_TRUE(page.save(pagePath, "PNG"));
    page = QImage();
    struct Case {
        const char* name;
        int format;
        QByteArray bytes; // empty: the file is there already
        ImageSizeVerdict verdict;
        QSize size;
    } cases[] = {
        {"page.png", IMAGE_FORMAT_PNG, {}, ImageSizeVerdict::TooLarge, {16384, 16384}},
        // 54 bytes whose row bytes times height pass the 64-bit range.
        {"vast.bmp", IMAGE_FORMAT_BMP, Bmp(1308622848, 2046828802, 32, 0), ImageSizeVerdict::TooLarge,
         {1308622848, 2046828802}},
        {"short.bmp", IMAGE_FORMAT_BMP, Bmp(1000, 1000, 24, 60), ImageSizeVerdict::Refused, {1000, 1000}},
        {"small.bmp", IMAGE_FORMAT_BMP, Bmp(4, 2, 24, 24), ImageSizeVerdict::Accepted, {4, 2}},
        {"none.png", IMAGE_FORMAT_PNG, "not a picture", ImageSizeVerdict::Refused, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = c.bytes.isEmpty() ? dir.filePath(c.name) : Write(dir, c.name, c.bytes);
        QSize size;
        EXPECT_EQ(CheckImageFileSize(c.format, path, &size), c.verdict);
        EXPECT_EQ(size, c.size);
        EXPECT_EQ(ImageLibraryLoad(c.format, path, nullptr, nullptr).isNull(), c.verdict != ImageSizeVerdict::Accepted);
    }
}

// A PCX header is judged by what its rows need: every coded line takes bytes
// of its own, so 21 bytes cannot hold 57,311 lines (the decoder would walk
// them all, for seconds when they are long); a plane row too short for the
// width, or a single plane row longer than the decoded row, is refused too.
TEST(ImageLibrary, PcxWhoseFileCannotHoldItsRowsIsRefused)
{
    QTemporaryDir dir;
    ImageLibraryInitialise();
    // Two lines of two literal bytes, then the 256-colour palette.
    QByteArray palette(769, '\0');
    palette[0] = 0x0C;
    for (int i = 0; i < 256; ++i)
        palette[1 + 3 * i] = palette[2 + 3 * i] = palette[3 + 3 * i] = char(i);
    const QByteArray twoRows = QByteArray("\x10\x20\x30\x40", 4) + palette;
    const QByteArray tail(21, '\x01');
    struct Case {
        const char* name;
        QByteArray bytes;
        ImageSizeVerdict verdict;
        QSize size;
    } cases[] = {
        {"small.pcx", Pcx(2, 2, 8, 1, 2, true, twoRows), ImageSizeVerdict::Accepted, {2, 2}},
        // 149 bytes: three planes of 8,000-byte rows, 57,311 of them.
        {"long.pcx", Pcx(2, 57311, 8, 3, 8000, true, tail), ImageSizeVerdict::Refused, {2, 57311}},
        {"short-rows.pcx", Pcx(2, 57311, 8, 1, 2, true, tail), ImageSizeVerdict::Refused, {2, 57311}},
        {"plain.pcx", Pcx(2, 11, 8, 1, 2, false, tail), ImageSizeVerdict::Refused, {2, 11}},
        {"plain-whole.pcx", Pcx(2, 10, 8, 1, 2, false, tail), ImageSizeVerdict::Accepted, {2, 10}},
        {"narrow.pcx", Pcx(4, 2, 8, 3, 3, true, twoRows), ImageSizeVerdict::Refused, {4, 2}},
        {"wide.pcx", Pcx(2, 2, 8, 1, 8, true, twoRows), ImageSizeVerdict::Refused, {2, 2}},
    };
    ASSERT_EQ(cases[1].bytes.size(), 149);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = Write(dir, c.name, c.bytes);
        QSize size;
        EXPECT_EQ(CheckImageFileSize(IMAGE_FORMAT_PCX, path, &size), c.verdict);
        EXPECT_EQ(size, c.size);
        const QImage image = ImageLibraryLoad(IMAGE_FORMAT_PCX, path, nullptr, nullptr);
        EXPECT_EQ(image.isNull(), c.verdict != ImageSizeVerdict::Accepted);
    }
    const QImage small = ImageLibraryLoad(IMAGE_FORMAT_PCX, dir.filePath("small.pcx"), nullptr, nullptr);
    ASSERT_EQ(small.size(), QSize(2, 2));
    EXPECT_EQ(small.pixel(0, 0), qRgb(0x10, 0x10, 0x10));
    EXPECT_EQ(small.pixel(1, 1), qRgb(0x40, 0x40, 0x40));
}

namespace {
// Bits a pixel as the written file declares them: a BMP's header field; a
// little-endian TIFF's samples a pixel (tag 277) at 8 bits each.
int DeclaredBitsPerPixel(int format, const QByteArray& b)
{
    auto le16 = [&](qsizetype at) { return at + 2 <= b.size() ? int(uchar(b[at])) | int(uchar(b[at + 1])) << 8 : -1; };
    if (format == IMAGE_FORMAT_BMP)
        return le16(28);
    if (!b.startsWith("II*"))
        return -1;
    const qsizetype dir = le16(4) | qsizetype(le16(6)) << 16;
    for (int i = 0, n = le16(dir); i < n; ++i)
        if (le16(dir + 2 + 12 * i) == 277)
            return 8 * le16(dir + 2 + 12 * i + 8);
    return -1;
}
} // namespace

TEST(ImageLibrary, ExportFormatsAreWrittenAt24Bits)
{
    QTemporaryDir dir;
    ImageLibraryInitialise();
    QImage img(5, 4, QImage::Format_RGB32);
    img.fill(qRgb(200, 10, 60));
    for (int format : {IMAGE_FORMAT_BMP, IMAGE_FORMAT_TIFF}) {
        const QString path = dir.filePath(QString("out%1").arg(format));
        ASSERT_TRUE(ImageLibrarySave(format, img, path, 100)) << format;
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        EXPECT_EQ(DeclaredBitsPerPixel(format, f.readAll()), 24) << format;
        const QImage back = ImageLibraryLoad(format, path, nullptr, nullptr);
        ASSERT_FALSE(back.isNull()) << format;
        EXPECT_EQ(back.pixel(4, 3), qRgb(200, 10, 60)) << format;
    }
}

// A GIF of a 2 x 1 screen whose first picture claims 65278 x 65278: the
// picture's size is what counts (4 GB otherwise).
TEST(ImageLibrary, GifFrameLargerThanItsScreenIsNotDecoded)
{
    QTemporaryDir dir;
    ImageLibraryInitialise();
    const QByteArray screenOnly = QByteArray::fromHex("47494638396102000100810000" "FF000000FF000000FFFFFFFF"
                                                      "21F90401000001" "00");
    const QString small = Write(dir, "small.gif", screenOnly + QByteArray::fromHex("2C000000000200010000" "0202440A00" "3B"));
    EXPECT_FALSE(ImageLibraryLoad(IMAGE_FORMAT_GIF, small, nullptr, nullptr).isNull());
    const QString huge = Write(dir, "huge.gif", screenOnly + QByteArray::fromHex("2C00000000FEFFFEFE00" "0202440A00" "3B"));
    EXPECT_TRUE(ImageLibraryLoad(IMAGE_FORMAT_GIF, huge, nullptr, nullptr).isNull());
}

TEST(ImageLibrary, EveryPixelDepthConvertsRowByRow)
{
    QTemporaryDir dir;
    ImageLibraryInitialise();
    struct Case {
        int bits, rowBytes;
        QRgb first; // the bottom-left pixel, row 1 of the image from the top
    } cases[] = {
        {1, 4, qRgb(0, 0, 0)},      // byte 0: bits 0 -> black
        {4, 4, qRgb(0, 0, 0)},      // first nibble 0
        {8, 4, qRgb(0, 0, 0)},      // index 0
        {24, 12, qRgb(74, 37, 0)},  // bytes 0, 37, 74 are B, G, R
        {32, 12, qRgb(74, 37, 0)},  // alpha byte ignored
    };
    for (const Case& c : cases) {
        const int width = c.bits == 32 ? 3 : (c.bits == 24 ? 4 : 2);
        const QString file = Write(dir, QString("d%1.bmp").arg(c.bits), Bmp(width, 2, c.bits, 2 * c.rowBytes));
        const QImage img = ImageLibraryLoad(IMAGE_FORMAT_BMP, file, nullptr, nullptr);
        ASSERT_FALSE(img.isNull()) << c.bits;
        EXPECT_EQ(img.size(), QSize(width, 2)) << c.bits;
        EXPECT_EQ(img.format(), QImage::Format_RGB32);
        EXPECT_EQ(img.pixel(0, 1), c.first) << c.bits;
    }
}

TEST(ImageLibrary, TransparentColourIsThePaletteEntryWithoutAlpha)
{
    // Entry 1 is fully transparent; the transparency table runs on to entry 2
    // (half transparent), so its last entry is not the transparent colour.
    QTemporaryDir dir;
    ImageLibraryInitialise();
    QImage image(4, 1, QImage::Format_Indexed8);
    image.setColorTable({qRgba(255, 0, 0, 255), qRgba(0, 255, 0, 0), qRgba(0, 0, 255, 128), qRgba(0, 0, 0, 255)});
    for (int x = 0; x < 4; ++x)
        image.setPixel(x, 0, uint(x));
    const QString path = dir.filePath("p.png");
    ASSERT_TRUE(image.save(path, "PNG"));
    bool has = false;
    COLORREF colour = 0;
    const QImage img = ImageLibraryLoad(IMAGE_FORMAT_PNG, path, &has, &colour);
    ASSERT_FALSE(img.isNull());
    EXPECT_TRUE(has);
    EXPECT_EQ(colour, RGB(0, 255, 0));
    EXPECT_EQ(img.format(), QImage::Format_RGB32) << "alpha is kept only when asked for";
}
