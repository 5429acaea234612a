#include "common/TestEnvironment.h"
#include "graphics/BitmapHelpers.h"
#include "graphics/DcHelpers.h"
#include "graphics/ImageLibrary.h"
#include "core/Settings.h"
#include "platform/CPainterDC.h"
#include "platform/PackedDib.h"
#include "platform/SysColors.h"

#include <QFile>
#include <QFontDatabase>
#include <QRawFont>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstring>

namespace {

constexpr QRgb kWhite = 0xFFFFFFFFu;

std::vector<BYTE> InfoHeader(WORD bits, DWORD clrUsed, DWORD compression = BI_RGB)
{
    std::vector<BYTE> h(40, 0);
    const DWORD size = 40;
    std::memcpy(h.data(), &size, 4);
    std::memcpy(h.data() + 14, &bits, 2);
    std::memcpy(h.data() + 16, &compression, 4);
    std::memcpy(h.data() + 32, &clrUsed, 4);
    return h;
}

TEST(DibStructure, ColourCountsTableSizesAndBitsOffset)
{
    EXPECT_EQ(DIBNumColors(InfoHeader(24, 0).data()), 0u);
    EXPECT_EQ(DIBNumColors(InfoHeader(24, 5).data()), 5u);
    EXPECT_EQ(DIBNumColors(InfoHeader(1, 0).data()), 2u);
    EXPECT_EQ(DIBNumColors(InfoHeader(8, 0).data()), 256u);
    EXPECT_EQ(DIBPaletteSize(InfoHeader(4, 0).data()), 64u);
    BITMAPCOREHEADER core;
    core.bcBitCount = 4;
    EXPECT_EQ(DIBPaletteSize(reinterpret_cast<const BYTE*>(&core)), 48u);

    const std::vector<BYTE> plain = InfoHeader(8, 3);
    EXPECT_EQ(FindDIBBits(plain.data()) - plain.data(), 40 + 12);
    // The three masks of a BI_BITFIELDS picture lie before the pixels.
    const std::vector<BYTE> fields = InfoHeader(16, 0, BI_BITFIELDS);
    EXPECT_EQ(FindDIBBits(fields.data()) - fields.data(), 52);
}

std::unique_ptr<CBitmap> ThreeByTwo()
{
    auto bmp = std::make_unique<CBitmap>();
    QImage img(3, 2, QImage::Format_RGB32);
    img.fill(qRgb(10, 20, 30));
    img.setPixel(2, 1, qRgb(200, 100, 0));
    bmp->Attach(img);
    return bmp;
}

TEST(DibConversion, BitmapToDibPadsRowsAndReadsBackWithOrWithoutFileHeader)
{
    ScreenHeight = 9.0;
    const auto bmp = ThreeByTwo();
    HGLOBAL plain = BitmapToDIB(bmp.get(), 24, false);
    HGLOBAL withHeader = BitmapToDIB(bmp.get(), 24, true);
    ASSERT_TRUE(plain && withHeader);
    EXPECT_EQ(GlobalSize(plain), 40u + 12 * 2);
    EXPECT_EQ(GlobalSize(withHeader), 14u + 40 + 12 * 2);
    {
        CGlobalLock lock(withHeader);
        DWORD off, size;
        std::memcpy(&size, lock.data() + 2, 4);
        std::memcpy(&off, lock.data() + 10, 4);
        EXPECT_EQ(off, 54u);
        EXPECT_EQ(size, GlobalSize(withHeader));
        LONG ppm;
        std::memcpy(&ppm, lock.data() + 14 + 24, 4);
        EXPECT_EQ(ppm, LONG(DisplayDeviceCaps().vertRes / 9.0 * 39.37007874015747));
    }
    for (HGLOBAL h : {plain, withHeader}) {
        const auto back = DIBToBitmap(h);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->Image(), bmp->Image());
    }
    int w = 0, ht = 0;
    EXPECT_FALSE(GetBmpPixelSize(plain, &w, &ht));   // only "BM" blocks
    EXPECT_TRUE(GetBmpPixelSize(withHeader, &w, &ht));
    EXPECT_EQ(CSize(w, ht), CSize(3, 2));
    GlobalFree(plain);
    GlobalFree(withHeader);
}

TEST(DibConversion, LogicalSizeDividesInRealNumbers)
{
    QImage img(96, 48, QImage::Format_RGB32);
    img.fill(Qt::white);
    const std::vector<BYTE> dib = ImageToDib(img, 24, true, 3780, 3780);
    HGLOBAL h = GlobalFromBytes(dib.data(), dib.size());
    int w = 0, ht = 0;
    ASSERT_TRUE(GetBmpSizeLogical(h, &w, &ht));
    // 96 pixels at 3780 per metre are one inch: 255.97 units, truncated.
    EXPECT_EQ(w, 255);
    EXPECT_EQ(ht, 127);
    GlobalFree(h);
}

TEST(DibConversion, BrokenBlocksGiveNoBitmap)
{
    EXPECT_FALSE(DIBToBitmap(nullptr));
    const BYTE junk[] = {'B', 'M', 1, 2, 3};
    HGLOBAL h = GlobalFromBytes(junk, sizeof junk);
    EXPECT_FALSE(DIBToBitmap(h));
    int w, ht;
    EXPECT_FALSE(GetBmpSizeLogical(h, &w, &ht));
    GlobalFree(h);
}

TEST(GlobalBlocks, CopyAndCompare)
{
    EXPECT_EQ(GlobalFromBytes("x", 0), nullptr);
    HGLOBAL a = GlobalFromBytes("abcd", 4);
    HGLOBAL b = CopyGlobalBlock(a);
    HGLOBAL c = GlobalFromBytes("abce", 4);
    HGLOBAL d = GlobalFromBytes("abc", 3);
    EXPECT_TRUE(GlobalBlocksEqual(a, a));
    EXPECT_TRUE(GlobalBlocksEqual(a, b));
    EXPECT_FALSE(GlobalBlocksEqual(a, c));
    EXPECT_FALSE(GlobalBlocksEqual(a, d));
    EXPECT_FALSE(GlobalBlocksEqual(a, nullptr));
    for (HGLOBAL h : {a, b, c, d})
        GlobalFree(h);
}

TEST(DerivedBitmaps, CropNeedsARectangleInside)
{
    auto bmp = ThreeByTwo();
    EXPECT_FALSE(CropBitmap(bmp.get(), RECT{1, 0, 4, 2}, false));
    EXPECT_FALSE(CropBitmap(bmp.get(), RECT{2, 0, 2, 2}, false));
    EXPECT_FALSE(CropBitmap(bmp.get(), RECT{-1, 0, 2, 2}, false));
    const auto crop = CropBitmap(bmp.get(), RECT{2, 1, 3, 2}, true);
    ASSERT_TRUE(crop);
    EXPECT_EQ(crop->GetSize(), CSize(1, 1));
    EXPECT_EQ(crop->Image().pixel(0, 0), qRgb(200, 100, 0));
    EXPECT_FALSE(bmp->IsCreated());   // deleted as asked
}

// A 3 x 1 bitmap: magenta (the transparent colour), red, magenta.
CBitmap KeyedBitmap()
{
    QImage img(3, 1, QImage::Format_RGB32);
    img.setPixel(0, 0, qRgb(255, 0, 255));
    img.setPixel(1, 0, qRgb(255, 0, 0));
    img.setPixel(2, 0, qRgb(255, 0, 255));
    CBitmap bmp;
    bmp.Attach(img);
    return bmp;
}

TEST(DerivedBitmaps, TransparentDrawingFlattenSilhouetteAndEmboss)
{
    const COLORREF magenta = RGB(255, 0, 255);
    CBitmap bmp = KeyedBitmap();
    const QImage original = bmp.Image().copy();
    QImage target(4, 1, QImage::Format_RGB32);
    target.fill(qRgb(0, 0, 255));
    {
        CPainterDC dc(&target);
        DrawTransparentBitmap(&dc, &bmp, 1, 0, magenta, false);
    }
    EXPECT_EQ(target.pixel(1, 0), qRgb(0, 0, 255));
    EXPECT_EQ(target.pixel(2, 0), qRgb(255, 0, 0));
    EXPECT_EQ(target.pixel(3, 0), qRgb(0, 0, 255));
    EXPECT_EQ(bmp.Image(), original);

    const auto flat = FlattenTransparentBitmap(&bmp, magenta, RGB(0, 255, 0), false);
    ASSERT_TRUE(flat);
    EXPECT_EQ(flat->Image().pixel(0, 0), qRgb(0, 255, 0));
    EXPECT_EQ(flat->Image().pixel(1, 0), qRgb(255, 0, 0));

    const auto sil = SilhouetteBitmap(&bmp, magenta, RGB(1, 2, 3), false);
    ASSERT_TRUE(sil);
    EXPECT_EQ(sil->Image().pixel(1, 0), qRgb(1, 2, 3));
    EXPECT_EQ(sil->Image().pixel(0, 0), qRgb(255, 0, 255));

    // Emboss: the shadow silhouette at (0, 0), the highlight one at (1, 1).
    QImage two(3, 2, QImage::Format_RGB32);
    two.fill(qRgb(255, 0, 255));
    two.setPixel(1, 0, qRgb(255, 0, 0));
    CBitmap twoRows;
    twoRows.Attach(two);
    const auto emb = EmbossBitmap(&twoRows, magenta, RGB(0, 255, 0), false);
    ASSERT_TRUE(emb);
    const COLORREF face = GetSysColor(COLOR_BTNFACE), shadow = GetSysColor(COLOR_BTNSHADOW),
                   light = GetSysColor(COLOR_BTNHIGHLIGHT);
    auto rgb = [](COLORREF c) { return qRgb(GetRValue(c), GetGValue(c), GetBValue(c)); };
    EXPECT_EQ(emb->Image().pixel(0, 0), rgb(face));
    EXPECT_EQ(emb->Image().pixel(1, 0), rgb(shadow));
    EXPECT_EQ(emb->Image().pixel(2, 1), rgb(light));
    EXPECT_EQ(emb->Image().pixel(1, 1), rgb(face));
}

TEST(XorDrawing, LinesRectanglesAndDottedRectanglesUndoThemselves)
{
    QImage img(12, 10, QImage::Format_RGB32);
    img.fill(kWhite);
    img.setPixel(3, 3, qRgb(9, 9, 9));
    const QImage before = img.copy();
    CPainterDC dc(&img);
    DrawXorLine(&dc, POINT{0, 0}, POINT{11, 9}, RGB(255, 255, 255), RGB(255, 0, 0), int(PS_SOLID));
    dc.Flush();
    EXPECT_EQ(img.pixel(0, 0), qRgb(255, 0, 0));   // red over white
    DrawXorLine(&dc, POINT{0, 0}, POINT{11, 9}, RGB(255, 255, 255), RGB(255, 0, 0), int(PS_SOLID));
    DrawXorRect(&dc, RECT{1, 1, 9, 8}, RGB(255, 255, 255), RGB(0, 0, 255), int(PS_DOT));
    DrawXorRect(&dc, RECT{1, 1, 9, 8}, RGB(255, 255, 255), RGB(0, 0, 255), int(PS_DOT));
    dc.Flush();
    EXPECT_EQ(img, before);
    EXPECT_EQ(dc.GetROP2(), R2_COPYPEN);

    DrawXorDotRect(0, 0, 12, 10, &dc);
    dc.Flush();
    EXPECT_NE(img, before);
    DrawXorDotRect(0, 0, 12, 10, &dc);
    dc.Flush();
    EXPECT_EQ(img, before);
}

TEST(Frames, ThreeDFrameEndPointsAndColourSwap)
{
    QImage img(6, 5, QImage::Format_RGB32);
    img.fill(kWhite);
    {
        CPainterDC dc(&img);
        Draw3dFrame(&dc, RECT{0, 0, 6, 5}, 1, RGB(255, 0, 0));
    }
    const COLORREF hl = GetSysColor(COLOR_BTNHIGHLIGHT), sh = GetSysColor(COLOR_BTNSHADOW);
    auto rgb = [](COLORREF c) { return qRgb(GetRValue(c), GetGValue(c), GetBValue(c)); };
    EXPECT_EQ(img.pixel(0, 0), rgb(hl));
    EXPECT_EQ(img.pixel(4, 0), rgb(hl));
    EXPECT_EQ(img.pixel(0, 3), rgb(hl));
    EXPECT_EQ(img.pixel(0, 4), rgb(sh));   // the bottom line starts at the left
    EXPECT_EQ(img.pixel(5, 4), rgb(sh));
    EXPECT_EQ(img.pixel(5, 0), rgb(sh));   // the right line starts at the top

    // A frame in the highlight colour itself uses 0xC0C0C0 and black.
    QImage img2(4, 4, QImage::Format_RGB32);
    img2.fill(qRgb(1, 1, 1));
    {
        CPainterDC dc(&img2);
        Draw3dFrame(&dc, RECT{0, 0, 4, 4}, 2, hl);
    }
    EXPECT_EQ(img2.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(img2.pixel(3, 3), qRgb(192, 192, 192));
}

TEST(Colours, SwapAndNearness)
{
    EXPECT_EQ(SwapRB(0xFF112233u), 0x00332211u);
    struct Case { COLORREF a, b; int tol; bool near; };
    const Case cases[] = {
        {RGB(10, 10, 10), RGB(11, 12, 13), 3, true},
        {RGB(10, 10, 10), RGB(11, 12, 13), 2, false},
        {RGB(5, 5, 5), RGB(5, 5, 5), 0, true},
        {RGB(0, 0, 0), RGB(0, 0, 26), 25, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ColorsNear(c.a, c.b, c.tol), c.near) << c.a << " " << c.b;
}

TEST(DcHelpers, CharWidthsBoldTestAndMappingCopy)
{
    QImage img(10, 10, QImage::Format_RGB32);
    CPainterDC dc(&img);
    LOGFONT lf;
    lf.lfHeight = -16;
    lf.lfWeight = FW_NORMAL;
    ASSERT_TRUE(RequireFontFamily(kTestSansFamily));
    SetLogFontFace(lf, kTestSansFamily);
    CFont font;
    font.CreateFontIndirect(&lf);
    dc.SelectObject(&font);
    ABC table[3];
    FillCharWidths(&dc, 'a', 'c', table);
    int widths[3];
    dc.GetCharWidth('a', 'c', widths);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(table[i].abcA + int(table[i].abcB) + table[i].abcC, widths[i]);
    EXPECT_FALSE(IsSimulatedBold(&dc));   // not heavy
    lf.lfWeight = FW_BOLD;
    CFont bold;
    bold.CreateFontIndirect(&lf);
    dc.SelectObject(&bold);
    EXPECT_FALSE(IsSimulatedBold(&dc));   // the face has a bold member
    // A family with no bold member is emboldened.
    const QString regularOnly = RegularOnlyTestFamily();
    ASSERT_FALSE(regularOnly.isEmpty());
    ASSERT_FALSE(QFontDatabase::styles(regularOnly).join(' ').contains("Bold"));
    SetLogFontFace(lf, regularOnly.toLatin1().constData());
    CFont emboldened;
    emboldened.CreateFontIndirect(&lf);
    dc.SelectObject(&emboldened);
    EXPECT_TRUE(IsSimulatedBold(&dc)) << regularOnly.toStdString();
    dc.SelectObject(&font);

    CPainterDC other(&img);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(256, 256);
    dc.SetViewportExt(96, -96);
    dc.SetViewportOrg(5, 7);
    dc.SetWindowOrg(-3, 4);
    CopyDCMapping(&other, &dc);
    EXPECT_EQ(other.GetMapMode(), MM_ANISOTROPIC);
    EXPECT_EQ(other.GetViewportExt(), CSize(96, -96));
    EXPECT_EQ(other.GetWindowOrg(), CPoint(-3, 4));
    POINT p{100, 100}, q{100, 100};
    dc.LPtoDP(&p);
    other.LPtoDP(&q);
    EXPECT_EQ(p.x, q.x);
    EXPECT_EQ(p.y, q.y);
}

TEST(ImageLibrary, SavesAndLoadsThroughTheLibrary)
{
    QTemporaryDir dir;
    ImageLibraryInitialise();
    QImage img(5, 4, QImage::Format_RGB32);
    img.fill(qRgb(200, 10, 60));
    img.setPixel(1, 1, qRgb(0, 0, 0));
    CBitmap bmp;
    bmp.Attach(img);
    HGLOBAL dib = BitmapToDIB(&bmp, 24, true);
    for (int format : {IMAGE_FORMAT_BMP, IMAGE_FORMAT_PNG, IMAGE_FORMAT_GIF, IMAGE_FORMAT_TIFF}) {
        const QString file = dir.filePath(QStringLiteral("pic%1").arg(format));
        EXPECT_TRUE(SaveImageFile(format, dib, file, 100)) << format;
        int has = -1;
        COLORREF key = 0;
        HGLOBAL loaded = LoadImageFile(format, file, &has, &key);
        EXPECT_TRUE(loaded) << format;
        const auto back = DIBToBitmap(loaded);
        if (!back)
            continue;
        EXPECT_EQ(back->Image().pixel(1, 1), qRgb(0, 0, 0)) << format;
        EXPECT_EQ(back->Image().pixel(0, 0), qRgb(200, 10, 60)) << format;
        GlobalFree(loaded);
    }
    // JPEG goes through 24 bits with the quality in the flags; lossy, so near.
    {
        QImage flat(16, 16, QImage::Format_RGB32);
        flat.fill(qRgb(200, 10, 60));
        CBitmap flatBmp;
        flatBmp.Attach(flat);
        HGLOBAL flatDib = BitmapToDIB(&flatBmp, 24, true);
        const QString file = dir.filePath("pic.jpg");
        EXPECT_TRUE(SaveImageFile(IMAGE_FORMAT_JPEG, flatDib, file, 95));
        HGLOBAL loaded = LoadImageFile(IMAGE_FORMAT_JPEG, file, nullptr, nullptr);
        const auto back = DIBToBitmap(loaded);
        ASSERT_TRUE(back);
        const QRgb c = back->Image().pixel(8, 8);
        EXPECT_NEAR(qRed(c), 200, 8);
        EXPECT_NEAR(qBlue(c), 60, 8);
        GlobalFree(loaded);
        GlobalFree(flatDib);
    }
    // A GIF whose transparent index is 1 (green) in a four-colour palette: the
    // transparent colour is that entry, not the last entry of the table.
    {
        const QString file = dir.filePath("keyed.gif");
        QFile gif(file);
        ASSERT_TRUE(gif.open(QIODevice::WriteOnly));
        gif.write(QByteArray::fromHex("47494638396102000100810000" "FF000000FF000000FFFFFFFF"
                                      "21F90401000001" "00" "2C000000000200010000" "0202440A00" "3B"));
        gif.close();
        int has = 0;
        COLORREF key = 0;
        HGLOBAL loaded = LoadImageFile(IMAGE_FORMAT_GIF, file, &has, &key);
        EXPECT_TRUE(loaded);
        EXPECT_EQ(has, 1);
        EXPECT_EQ(key, RGB(0, 255, 0));
        GlobalFree(loaded);
    }
    // The library has no PCX writer.
    EXPECT_FALSE(SaveImageFile(IMAGE_FORMAT_PCX, dib, dir.filePath("pic.pcx"), 100));
    // A GIF header claiming 65535 x 65535 pixels is refused before decoding.
    const QString huge = dir.filePath("huge.gif");
    QFile f(huge);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray("GIF89a\xFF\xFF\xFF\xFF\x00\x00\x00;", 14));
    f.close();
    int has = 0;
    EXPECT_EQ(LoadImageFile(IMAGE_FORMAT_GIF, huge, &has, nullptr), nullptr);
    GlobalFree(dib);
}

} // namespace
