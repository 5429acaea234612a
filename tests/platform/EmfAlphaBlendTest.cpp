// Images with alpha in metafiles: the EMF recorder writes them as alpha blends
// of premultiplied pixels, the player blends them over what lies below, and
// the conversions that cannot hold alpha keep the image opaque.
#include "platform/CPainterDC.h"
#include "platform/MetaFixtures.h"
#include "platform/MetaPictures.h"
#include "platform/metafile/CEmfRecorderDC.h"
#include "platform/metafile/CWmfRecorderDC.h"
#include "platform/metafile/EmfParse.h"
#include "platform/metafile/WmfParse.h"

#include <QImage>

#include <uemf.h>
#include <uemf_safe.h>

#include <gtest/gtest.h>

namespace {
constexpr int kW = 60, kH = 20;
const QSize kSize(kW, kH);
const QColor kGround(0, 160, 0);

// Three columns of 20 pixels: opaque blue, red at half alpha, and fully
// transparent pixels whose colour (white) must not show.
QImage ThreeColumns()
{
    QImage image(kW, kH, QImage::Format_ARGB32);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            image.setPixel(x, y, x < 20 ? 0xFF0000FF : x < 40 ? 0x80FF0000 : 0x00FFFFFF);
    return image;
}

void DrawImage(CDC& dc, const QImage& image)
{
    dc.GpDrawImage(image, QRectF(0, 0, kW, kH), QRectF(image.rect()), nullptr, CGpState{});
}

// Played into a picture of the ground colour.
QImage PlayOverGround(HENHMETAFILE emf)
{
    QImage img(kSize, QImage::Format_RGB32);
    img.fill(kGround);
    CPainterDC dc(&img);
    const RECT dest{0, 0, kW, kH};
    EXPECT_TRUE(PlayEnhMetaFile(&dc, emf, &dest));
    dc.Flush();
    return img;
}

void ExpectColour(const QImage& img, int x, QColor want, const char* what)
{
    const QRgb p = img.pixel(x, kH / 2);
    EXPECT_NEAR(qRed(p), want.red(), 6) << what;
    EXPECT_NEAR(qGreen(p), want.green(), 6) << what;
    EXPECT_NEAR(qBlue(p), want.blue(), 6) << what;
}

// Blue, half red over the ground, the ground.
void ExpectThreeColumnsOverGround(const QImage& img)
{
    ExpectColour(img, 10, QColor(0, 0, 255), "opaque column");
    ExpectColour(img, 30, QColor(128, 80, 0), "half-alpha column");
    ExpectColour(img, 50, kGround, "transparent column");
}

std::vector<std::vector<BYTE>> RecordsOfType(HENHMETAFILE emf, DWORD type)
{
    std::vector<std::vector<BYTE>> out;
    const MetaBytes bits(emf->Bits().data(), emf->Bits().size());
    EXPECT_TRUE(ParseEmf(bits));
    WalkEmfRecords(bits, [&](MetaBytes r) {
        if (EmfRecordType(r) == type)
            out.emplace_back(r.begin(), r.end());
        return true;
    });
    return out;
}
}  // namespace

TEST(EmfAlphaBlend, TranslucentImageKeepsWhatLiesBelow)
{
    HENHMETAFILE emf = RecordEmfPicture(kSize, [](CDC& dc) { DrawImage(dc, ThreeColumns()); });
    ASSERT_NE(emf, nullptr);
    ExpectThreeColumnsOverGround(PlayOverGround(emf));

    // Played into another recorder (a picture inside an exported diagram), the
    // blend is written again and still blends.
    HENHMETAFILE nested = RecordEmfPicture(kSize, [&](CDC& dc) {
        const RECT dest{0, 0, kW, kH};
        EXPECT_TRUE(PlayEnhMetaFile(&dc, emf, &dest));
    });
    ASSERT_NE(nested, nullptr);
    EXPECT_EQ(RecordsOfType(nested, EMR_ALPHABLEND).size(), 1u);
    ExpectThreeColumnsOverGround(PlayOverGround(nested));

    // A Windows metafile holds no alpha: the image is kept, opaque.
    const QImage wmf = PlayWmfPicture(kSize, GetWinMetaFileBits(emf, MM_ANISOTROPIC));
    ExpectColour(wmf, 10, QColor(0, 0, 255), "opaque column in the WMF");
    DeleteEnhMetaFile(nested);
    DeleteEnhMetaFile(emf);
}

// The record other readers take: premultiplied 32-bit rows bottom-up, source
// over with constant alpha 255 and per-pixel alpha, the whole DIB as source.
TEST(EmfAlphaBlend, RecordHoldsPremultipliedPixelsAndTheBlendFunction)
{
    HENHMETAFILE emf = RecordEmfPicture(kSize, [](CDC& dc) { DrawImage(dc, ThreeColumns()); });
    ASSERT_NE(emf, nullptr);
    EXPECT_TRUE(RecordsOfType(emf, EMR_STRETCHDIBITS).empty());
    const auto blends = RecordsOfType(emf, EMR_ALPHABLEND);
    ASSERT_EQ(blends.size(), 1u);
    std::vector<BYTE> r = blends.front();
    EXPECT_NE(U_emf_record_safe(reinterpret_cast<const char*>(r.data())), 0);
    const BYTE* p = r.data();
    EXPECT_EQ(LoadLE32(p + 24), 0u);          // destination x, y
    EXPECT_EQ(LoadLE32(p + 32), DWORD(kW));   // destination width, height
    EXPECT_EQ(LoadLE32(p + 36), DWORD(kH));
    EXPECT_EQ(p[40], AC_SRC_OVER);
    EXPECT_EQ(p[42], 255);                    // constant alpha
    EXPECT_EQ(p[43], AC_SRC_ALPHA);
    EXPECT_EQ(LoadLE32(p + 100), DWORD(kW));  // source width, height
    EXPECT_EQ(LoadLE32(p + 104), DWORD(kH));
    const DWORD offBmi = LoadLE32(p + 84), cbBmi = LoadLE32(p + 88);
    const DWORD offBits = LoadLE32(p + 92), cbBits = LoadLE32(p + 96);
    ASSERT_EQ(cbBmi, 40u);
    ASSERT_EQ(cbBits, DWORD(kW * kH * 4));
    ASSERT_LE(offBits + cbBits, r.size());
    EXPECT_EQ(LoadLE16(p + offBmi + 14), 32);  // bits per pixel
    EXPECT_EQ(LoadLE32(p + offBmi + 16), DWORD(BI_RGB));
    auto pixel = [&](int x) { return LoadLE32(p + offBits + 4 * size_t(x)); };  // bottom row
    EXPECT_EQ(pixel(10), 0xFF0000FFu);
    EXPECT_EQ(pixel(30), 0x80800000u);  // red 255 at alpha 128, premultiplied
    EXPECT_EQ(pixel(50), 0u);
    DeleteEnhMetaFile(emf);
}

// Opaque images stay plain DIB transfers; an image with nothing to show is
// not written at all.
TEST(EmfAlphaBlend, OpaqueAndClearImages)
{
    QImage opaque = ThreeColumns();
    opaque.fill(0xFF102030);
    QImage clear = ThreeColumns();
    clear.fill(Qt::transparent);
    HENHMETAFILE emf = RecordEmfPicture(kSize, [&](CDC& dc) {
        DrawImage(dc, opaque);
        DrawImage(dc, clear);
    });
    ASSERT_NE(emf, nullptr);
    EXPECT_EQ(RecordsOfType(emf, EMR_STRETCHDIBITS).size(), 1u);
    EXPECT_TRUE(RecordsOfType(emf, EMR_ALPHABLEND).empty());
    DeleteEnhMetaFile(emf);

    CWmfRecorderDC wmf;
    DrawImage(wmf, clear);
    DrawImage(wmf, ThreeColumns());
    const std::vector<BYTE> bits = wmf.Close();
    int dibs = 0;
    WalkWmfRecords(MetaBytes(bits.data(), bits.size()), [&](MetaBytes rec) {
        dibs += WmfRecordFunction(rec) == META_STRETCHDIB;
        return true;
    });
    EXPECT_EQ(dibs, 1);  // the translucent image, opaque; the clear one not at all
}

// Blend records from other writers: per-pixel alpha is premultiplied and is
// not multiplied again; a DIB whose alpha bytes are all 0 counts as opaque.
TEST(EmfAlphaBlend, PlayerBlendsPremultipliedSources)
{
    struct Case { uint32_t pixel; QColor want; };
    for (const Case& c : {Case{0x80800000, QColor(128, 80, 0)}, Case{0x00FF0000, QColor(255, 0, 0)}}) {
        const U_BITMAPINFOHEADER bih = bitmapinfoheader_set(1, 1, 1, 32, U_BI_RGB, 4, 0, 0, 0, 0);
        U_BITMAPINFO bmi{};
        bmi.bmiHeader = bih;
        uint32_t pixel = c.pixel;
        const U_BLEND blend{0, 0, 255, AC_SRC_ALPHA};
        char* rec = U_EMRALPHABLEND_set(U_RECTL{0, 0, kW, kH}, U_POINTL{0, 0}, U_POINTL{kW, kH}, U_POINTL{0, 0},
                                        U_POINTL{1, 1}, U_XFORM{1, 0, 0, 1, 0, 0}, colorref3_set(0, 0, 0),
                                        U_DIB_RGB_COLORS, blend, &bmi, 4, reinterpret_cast<char*>(&pixel));
        ASSERT_NE(rec, nullptr);
        const std::vector<BYTE> bytes =
            CEmfBuilder(RECT{0, 0, kW - 1, kH - 1}, PictureFrame(kSize)).Raw(reinterpret_cast<BYTE*>(rec)).Finish();
        std::free(rec);
        HENHMETAFILE emf = SetEnhMetaFileBits(UINT(bytes.size()), bytes.data());
        ASSERT_NE(emf, nullptr);
        ExpectColour(PlayOverGround(emf), kW / 2, c.want, "blended pixel");
        DeleteEnhMetaFile(emf);
    }
}
