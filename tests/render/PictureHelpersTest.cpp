#include "render/ArgbBitmaps.h"
#include "render/ExportFormats.h"
#include "render/GdipShapes.h"
#include "render/PictureCache.h"
#include "render/PictureTint.h"
#include "render/SoftShadow.h"

#include "graphics/BitmapHelpers.h"
#include "platform/CGraphics.h"
#include "platform/CPainterDC.h"
#include "platform/GdiObjects.h"
#include "platform/PackedDib.h"

#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(ArgbBlocks, RoundTripAndBadBlocks)
{
    QImage img(3, 2, QImage::Format_ARGB32);
    img.fill(qRgba(10, 20, 30, 40));
    img.setPixel(2, 1, qRgba(1, 2, 3, 0));
    HGLOBAL block = ARGBBitmapToBlock(img);
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(GlobalSize(block), size_t(3 * 2 * 4 + 8));
    const auto back = ARGBBlockToBitmap(block);
    ASSERT_TRUE(back);
    EXPECT_EQ(*back, img);
    EXPECT_TRUE(IsTransparentAt(*back, 2, 1));
    EXPECT_FALSE(IsTransparentAt(*back, 0, 0));
    EXPECT_FALSE(IsTransparentAt(*back, 5, 5));  // outside: not transparent
    // A block shorter than the size it states is refused.
    HGLOBAL shortBlock = GlobalReAlloc(block, 8 + 4 * 5, GMEM_MOVEABLE);
    ASSERT_NE(shortBlock, nullptr);
    EXPECT_FALSE(ARGBBlockToBitmap(shortBlock));
    GlobalFree(shortBlock);
}

TEST(ArgbBlocks, ColourKeyingAndAlphaRecovery)
{
    QImage img(3, 1, QImage::Format_ARGB32);
    img.setPixel(0, 0, qRgba(255, 0, 255, 255));
    img.setPixel(1, 0, qRgba(255, 0, 254, 200));
    img.setPixel(2, 0, qRgba(255, 0, 255, 77));
    ASSERT_TRUE(MakeColorTransparent(img, 0, RGB(255, 0, 255)));
    EXPECT_EQ(img.pixel(0, 0), qRgba(255, 0, 255, 0));   // colour kept
    EXPECT_EQ(qAlpha(img.pixel(1, 0)), 200);              // not the key: untouched
    EXPECT_EQ(qAlpha(img.pixel(2, 0)), 0);
    QImage rgb(1, 1, QImage::Format_RGB32);
    EXPECT_FALSE(MakeColorTransparent(rgb, 0, 0));

    QImage white(3, 1, QImage::Format_ARGB32), black(3, 1, QImage::Format_ARGB32);
    white.setPixel(0, 0, 0xFFFFFFFF), black.setPixel(0, 0, 0xFF000000);   // background
    white.setPixel(1, 0, 0xFF808080), black.setPixel(1, 0, 0xFF000000);   // half-covered grey
    white.setPixel(2, 0, 0xFF102030), black.setPixel(2, 0, 0xFF102030);   // opaque: equal
    ASSERT_TRUE(AlphaFromWhiteAndBlack(white, black));
    EXPECT_EQ(white.pixel(0, 0), 0x00FFFFFFu);
    EXPECT_EQ(qAlpha(white.pixel(1, 0)), 255 + 0 - ((5 + 9 + 2) * 128 >> 4));
    EXPECT_EQ(white.pixel(2, 0), 0xFF102030u);
    EXPECT_FALSE(AlphaFromWhiteAndBlack(white, QImage(2, 2, QImage::Format_ARGB32)));

    // The luminance weighs red, green and blue 5, 9 and 2 sixteenths.
    QImage onWhite(1, 1, QImage::Format_ARGB32), onBlack(1, 1, QImage::Format_ARGB32);
    onWhite.setPixel(0, 0, 0xFF804020), onBlack.setPixel(0, 0, 0xFF000000);
    ASSERT_TRUE(AlphaFromWhiteAndBlack(onWhite, onBlack));
    EXPECT_EQ(qAlpha(onWhite.pixel(0, 0)), 255 - ((5 * 128 + 9 * 64 + 2 * 32) >> 4));
}

// A picture counts as coloured when a visible pixel is more than 25 away from
// black or from white in some channel.
TEST(PictureTint, ColouredMeansOutsideTwentyFiveOfBlackAndWhite)
{
    struct Case { QRgb pixel; bool coloured; };
    for (const Case& c : {Case{qRgb(25, 25, 25), false}, Case{qRgb(26, 25, 25), true},
                          Case{qRgb(230, 230, 230), false}, Case{qRgb(230, 229, 230), true},
                          Case{qRgba(100, 0, 0, 0), false}, Case{qRgb(100, 0, 0), true}}) {
        QImage img(1, 1, QImage::Format_ARGB32);
        img.setPixel(0, 0, c.pixel);
        EXPECT_EQ(IsColoredBitmap(img), c.coloured) << std::hex << c.pixel;
    }
}

TEST(ArgbBlocks, BorderFloodFillKeepsEnclosedAreas)
{
    // White ring inside a black square on white: only the outer white changes.
    QImage img(9, 9, QImage::Format_ARGB32);
    img.fill(Qt::white);
    for (int y = 2; y <= 6; ++y)
        for (int x = 2; x <= 6; ++x)
            img.setPixel(x, y, (x == 2 || x == 6 || y == 2 || y == 6) ? 0xFF000000 : 0xFFFFFFFF);
    auto bitmap = std::make_unique<QImage>(img);
    ASSERT_TRUE(FloodFillBorderColorARGB(bitmap, RGB(255, 255, 255), RGB(255, 0, 255)));
    EXPECT_EQ(bitmap->pixel(0, 0), qRgb(255, 0, 255));
    EXPECT_EQ(bitmap->pixel(8, 4), qRgb(255, 0, 255));
    EXPECT_EQ(bitmap->pixel(4, 4), qRgb(255, 255, 255));
    EXPECT_EQ(bitmap->pixel(2, 4), qRgb(0, 0, 0));
}

TEST(PictureTint, MonoAndColouredRules)
{
    // A black line on white, tinted red: red line, white background.
    QImage mono(2, 1, QImage::Format_ARGB32);
    mono.setPixel(0, 0, 0xFF000000);
    mono.setPixel(1, 0, 0xFFFFFFFF);
    EXPECT_FALSE(IsColoredBitmap(mono));
    ASSERT_TRUE(RecolorBitmap(mono, RGB(255, 0, 0)));
    EXPECT_GT(qRed(mono.pixel(0, 0)), 240);
    EXPECT_LT(qGreen(mono.pixel(0, 0)), 15);
    EXPECT_GT(qBlue(mono.pixel(1, 0)), 250);  // white stays (nearly) white

    // A coloured picture becomes a duotone: light to white, middle to the tint,
    // dark to black (the cosine ramp is used past its ends on purpose).
    QImage photo(3, 1, QImage::Format_ARGB32);
    photo.setPixel(0, 0, qRgb(250, 250, 250));
    photo.setPixel(1, 0, qRgb(160, 60, 160));   // darkness about 0.5
    photo.setPixel(2, 0, qRgb(5, 5, 5));
    EXPECT_TRUE(IsColoredBitmap(photo));
    ASSERT_TRUE(RecolorBitmap(photo, RGB(0, 0, 255)));
    EXPECT_GT(qRed(photo.pixel(0, 0)), 200);
    EXPECT_LT(qRed(photo.pixel(1, 0)), 40);
    EXPECT_GT(qBlue(photo.pixel(1, 0)), 200);
    EXPECT_LT(qBlue(photo.pixel(2, 0)), 40);

    EXPECT_FALSE(CreateTintImageAttributes(RGB(255, 255, 255)).has_value());
    const auto attrs = CreateTintImageAttributes(RGB(128, 0, 64));
    ASSERT_TRUE(attrs && attrs->colorMatrix);
    EXPECT_FLOAT_EQ((*attrs->colorMatrix)[3][0], 0.5f);
    EXPECT_FLOAT_EQ((*attrs->colorMatrix)[0][2], 0.33f);
    EXPECT_FLOAT_EQ((*attrs->colorMatrix)[4][4], 1.0f);
}

TEST(PictureCache, SlotsAndOrder)
{
    PictureCache cache;
    EXPECT_EQ(cache.Add(nullptr, false), nullptr);
    QImage* a = cache.Add(std::make_unique<QImage>(10, 10, QImage::Format_ARGB32), true);
    QImage* b = cache.Add(std::make_unique<QImage>(20, 20, QImage::Format_ARGB32), true);
    // Most recent first: b took slot 0, a moved to slot 1.
    EXPECT_EQ(cache.Find(20, 20), b);
    EXPECT_EQ(cache.Find(10, 10), a);
    EXPECT_EQ(cache.FindFree(), -1);
    // Both full: slot 0 (b) is dropped for the new one.
    QImage* c = cache.Add(std::make_unique<QImage>(30, 30, QImage::Format_ARGB32), true);
    EXPECT_EQ(cache.Find(30, 30), c);
    EXPECT_EQ(cache.Find(20, 20), nullptr);
    EXPECT_EQ(cache.Find(10, 10), a);
    cache.ClearAll();
    EXPECT_EQ(cache.FindFree(), 0);
}

TEST(ExportFormats, Tables)
{
    EXPECT_EQ(BuildExportFilter(),
              "WMF - Windows Metafile|*.wmf|EMF - Windows Enhanced Metafile|*.emf|"
              "BMP - Windows Bitmap|*.BMP|JPG - JPEG Bitmap|*.JPG|"
              "PNG - Portable Network Graphic|*.PNG|TIF - TIFF Bitmap|*.TIF|"
              "GIF - Graphics Interchange Format Bitmap|*.GIF||");
    const int filterToType[] = {3, 2, 3, 1, 4, 5, 6, 7, 3};
    for (int f = 0; f <= 8; ++f)
        EXPECT_EQ(ExportFilterToType(f), filterToType[f]) << f;
    EXPECT_EQ(ExportFilterToExt(1), "WMF");
    EXPECT_EQ(ExportFilterToExt(2), "EMF");
    EXPECT_EQ(ExportFilterToExt(9), "EMF");
    std::string ext;
    EXPECT_EQ(ExportTypeToFilter(EXPORT_JPEG, &ext), 4);
    EXPECT_EQ(ext, "JPG");
    EXPECT_EQ(ExportTypeToFilter(42, &ext), 2);
    EXPECT_EQ(ext, "EMF");
    EXPECT_EQ(ExportTypeToFilter(EXPORT_PCX, &ext), 0);
    const int typeToFormat[] = {18, 0, 18, 18, 2, 13, 18, 25, 10};
    for (int t = 0; t <= 8; ++t)
        EXPECT_EQ(ExportTypeToImageFormat(t), typeToFormat[t]) << t;
    EXPECT_EQ(GetMimeTypeOfExportType(EXPORT_PNG), "image/png");
    EXPECT_EQ(GetMimeTypeOfExportType(EXPORT_TIFF), "");
    EXPECT_EQ(GetEncoderClsid("image/x-none", nullptr), -1);
}

TEST(ExportFormats, EncoderWritesWholeFilesOnly)
{
    QImage img(8, 6, QImage::Format_RGB32);
    img.fill(qRgb(10, 200, 30));
    const std::vector<BYTE> dib = ImageToDib(img, 24, true, 0, 0);
    HGLOBAL block = GlobalFromBytes(dib.data(), dib.size());
    QTemporaryDir dir;
    const QString png = dir.filePath("out.png");
    ASSERT_EQ(SaveBitmapBlockWithEncoder(EXPORT_PNG, block, png), 1);
    QImageReader reader(png);
    EXPECT_EQ(reader.format(), "png");
    const QImage back = reader.read();
    EXPECT_EQ(back.size(), QSize(8, 6));
    EXPECT_EQ(back.pixel(3, 3) & 0xFFFFFF, 0x0AC81Eu);
    // Types without an encoder and unwritable targets fail, leaving no file.
    EXPECT_EQ(SaveBitmapBlockWithEncoder(EXPORT_TIFF, block, dir.filePath("x.tif")), 0);
    EXPECT_EQ(SaveBitmapBlockWithEncoder(EXPORT_PNG, block, dir.filePath("missing/x.png")), 0);
    EXPECT_FALSE(QFile::exists(dir.filePath("x.tif")));
    GlobalFree(block);
}

TEST(GdipShapes, RoundRectAndArcAngles)
{
    const QPainterPath path = RoundRectPath(10, 20, 100, 50, 20, 10);
    EXPECT_EQ(path.elementAt(0).x, 20.0);
    EXPECT_EQ(path.elementAt(0).y, 20.0);
    EXPECT_EQ(path.boundingRect(), QRectF(10, 20, 100, 50));

    // Counter-clockwise from 3 o'clock to 12 o'clock is the clockwise sweep
    // from 12 o'clock (270) through 90 degrees.
    float start = 0, sweep = 0;
    const QRectF rect(0, 0, 100, 100);
    ArcAnglesByPoints(rect, QPointF(100, 50), QPointF(50, 0), &start, &sweep);
    EXPECT_FLOAT_EQ(start, 270);
    EXPECT_FLOAT_EQ(sweep, 90);
    ArcAnglesByPoints(rect, QPointF(50, 0), QPointF(100, 50), &start, &sweep);
    EXPECT_FLOAT_EQ(start, 0);
    EXPECT_FLOAT_EQ(sweep, 270);
    EXPECT_EQ(DrawArcByPoints(nullptr, nullptr, &rect, {}, {}), GpInvalidParameter);
}

TEST(SoftShadow, BlurAndDegenerateInputs)
{
    const unsigned char* table = ShadowAlphaTable();
    EXPECT_EQ(table[0], 0);
    EXPECT_EQ(table[50], 24);
    EXPECT_EQ(table[51], 24);
    EXPECT_EQ(table[255], 255);

    // Opacity 0 and bitmaps under 2 pixels neither divide by zero nor read
    // outside the bitmap.
    QImage tiny(1, 1, QImage::Format_ARGB32);
    tiny.fill(0xFF000000);
    BlurShadowAlpha(tiny, 5, 0, RGB(0, 0, 0));
    EXPECT_EQ(qAlpha(tiny.pixel(0, 0)), 0);
    tiny.fill(0xFF000000);
    BlurShadowAlpha(tiny, 5, 255, RGB(0, 0, 0));
    EXPECT_EQ(qAlpha(tiny.pixel(0, 0)), 255);

    // A blurred shadow is dark under the shape and fades outside it.
    QImage canvas(200, 200, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    CPainterDC dc(&canvas);
    CGraphics g(&dc);
    const QPolygonF square({QPointF(50, 50), QPointF(120, 50), QPointF(120, 120), QPointF(50, 120)});
    EXPECT_EQ(RenderSoftShadow(&g, nullptr, square, 16, RGB(0, 0, 0), 255, 0, 10, 10, false, -1,
                               false, 0),
              0);
    dc.Flush();
    EXPECT_LT(qRed(canvas.pixel(95, 95)), 60);
    EXPECT_GT(qRed(canvas.pixel(145, 95)), qRed(canvas.pixel(95, 95)));
    EXPECT_EQ(qRed(canvas.pixel(5, 5)), 255);
    // Wholly outside the clip: nothing drawn.
    const QRectF clip(0, 0, 10, 10);
    EXPECT_EQ(RenderSoftShadow(&g, &clip, square, 16, RGB(0, 0, 0), 255, 0, 10, 10, false, -1,
                               false, 0),
              0);
    EXPECT_EQ(RenderSoftShadow(&g, nullptr, QPolygonF(), 16, 0, 255, 0, 0, 0, false, -1, false, 0), 2);
}
