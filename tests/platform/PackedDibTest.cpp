#include "platform/PackedDib.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cstring>

namespace {

// An image using at most `colors` distinct colours, so that indexed depths keep it.
QImage Sample(int colors)
{
    QImage img(7, 5, QImage::Format_RGB32);   // odd width: rows need padding
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const int i = (x + y * 7) % colors;
            img.setPixel(x, y, qRgb((i * 37) & 0xFF, (i * 91) & 0xFF, (i * 53 + 10) & 0xFF));
        }
    return img;
}

class DibRoundTrip : public ::testing::TestWithParam<int> {};

TEST_P(DibRoundTrip, ImageSurvivesEachDepthWithAndWithoutFileHeader)
{
    const int bits = GetParam();
    const QImage src = Sample(bits == 1 ? 2 : bits == 4 ? 16 : 200);
    for (bool fileHeader : {false, true}) {
        const std::vector<BYTE> dib = ImageToDib(src, bits, fileHeader);
        ASSERT_FALSE(dib.empty());
        DibLayout layout;
        ASSERT_TRUE(ParseDibLayout(dib.data(), dib.size(), &layout));
        EXPECT_EQ(layout.fileHeader, fileHeader ? 14u : 0u);
        EXPECT_EQ(layout.bitCount, bits);
        EXPECT_EQ(layout.stride % 4, 0u);
        EXPECT_EQ(dib.size(), layout.fileHeader + layout.bitsOffset + layout.imageBytes);
        const QImage back = DibToImage(dib.data(), dib.size());
        ASSERT_EQ(back.size(), src.size());
        for (int y = 0; y < src.height(); ++y)
            for (int x = 0; x < src.width(); ++x) {
                const QRgb a = src.pixel(x, y), b = back.pixel(x, y);
                if (bits == 16) {   // five bits per channel
                    EXPECT_EQ(qRed(a) >> 3, qRed(b) >> 3);
                    EXPECT_EQ(qBlue(a) >> 3, qBlue(b) >> 3);
                } else {
                    ASSERT_EQ(a, b) << bits << " bits at " << x << "," << y;
                }
            }
    }
}

INSTANTIATE_TEST_SUITE_P(Depths, DibRoundTrip, ::testing::Values(1, 4, 8, 16, 24, 32));

void Put32(std::vector<BYTE>& v, size_t at, DWORD x)
{
    std::memcpy(v.data() + at, &x, 4);
}
void Put16(std::vector<BYTE>& v, size_t at, WORD x)
{
    std::memcpy(v.data() + at, &x, 2);
}

// A 2 x 1 16-bit 5-6-5 BI_BITFIELDS DIB: header, three masks, one padded row.
std::vector<BYTE> Bitfields565()
{
    std::vector<BYTE> v(40 + 12 + 4, 0);
    Put32(v, 0, 40);
    Put32(v, 4, 2);
    Put32(v, 8, 1);
    Put16(v, 12, 1);
    Put16(v, 14, 16);
    Put32(v, 16, BI_BITFIELDS);
    Put32(v, 40, 0xF800);
    Put32(v, 44, 0x07E0);
    Put32(v, 48, 0x001F);
    Put16(v, 52, 0xF800);   // pure red
    Put16(v, 54, 0x07E0);   // pure green
    return v;
}

TEST(PackedDib, BitfieldMasksAreCountedBeforeThePixels)
{
    const std::vector<BYTE> v = Bitfields565();
    DibLayout layout;
    ASSERT_TRUE(ParseDibLayout(v.data(), v.size(), &layout));
    EXPECT_EQ(layout.bitsOffset, 52u);
    const QImage img = DibToImage(v.data(), v.size());
    ASSERT_FALSE(img.isNull());
    EXPECT_EQ(img.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(1, 0), qRgb(0, 255, 0));
}

TEST(PackedDib, TopDownRowsAndHeaderSizes)
{
    std::vector<BYTE> dib = ImageToDib(Sample(3), 24, false);
    // Turn it top-down: negate the height and reverse the rows.
    DibLayout layout;
    ASSERT_TRUE(ParseDibLayout(dib.data(), dib.size(), &layout));
    LONG h;
    std::memcpy(&h, dib.data() + 8, 4);
    Put32(dib, 8, DWORD(-h));
    std::vector<BYTE> rows(dib.begin() + long(layout.bitsOffset), dib.end());
    for (LONG y = 0; y < h; ++y)
        std::memcpy(dib.data() + layout.bitsOffset + size_t(y) * layout.stride,
                    rows.data() + size_t(h - 1 - y) * layout.stride, layout.stride);
    EXPECT_EQ(DibToImage(dib.data(), dib.size()), Sample(3));

    BITMAPINFOHEADER bh;
    bh.biWidth = 3;
    bh.biHeight = 2;
    bh.biBitCount = 8;
    EXPECT_EQ(DibInfoSize(bh), 40u + 256 * 4);
    EXPECT_EQ(DibBitsSize(bh), 8u);
}

struct BadCase {
    const char* what;
    void (*spoil)(std::vector<BYTE>&);
};

class BadDib : public ::testing::TestWithParam<BadCase> {};

TEST_P(BadDib, IsRefused)
{
    std::vector<BYTE> v = ImageToDib(Sample(200), 8, true);
    GetParam().spoil(v);
    DibLayout layout;
    EXPECT_FALSE(ParseDibLayout(v.data(), v.size(), &layout)) << GetParam().what;
    EXPECT_TRUE(DibToImage(v.data(), v.size()).isNull()) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(Cases, BadDib, ::testing::Values(
    BadCase{"truncated rows", [](std::vector<BYTE>& v) { v.resize(v.size() - 1); }},
    BadCase{"only a file header", [](std::vector<BYTE>& v) { v.resize(16); }},
    BadCase{"colour count past the end", [](std::vector<BYTE>& v) { Put32(v, 14 + 32, 0x00FFFFFF); }},
    BadCase{"width x height overflow", [](std::vector<BYTE>& v) { Put32(v, 14 + 4, 0x7FFFFFFF); Put32(v, 14 + 8, 0x7FFFFFFF); }},
    BadCase{"negative width", [](std::vector<BYTE>& v) { Put32(v, 14 + 4, DWORD(-7)); }},
    BadCase{"zero height", [](std::vector<BYTE>& v) { Put32(v, 14 + 8, 0); }},
    BadCase{"smallest height", [](std::vector<BYTE>& v) { Put32(v, 14 + 8, 0x80000000u); }},
    BadCase{"odd depth", [](std::vector<BYTE>& v) { Put16(v, 14 + 14, 7); }},
    BadCase{"run-length bits", [](std::vector<BYTE>& v) { Put32(v, 14 + 16, BI_RLE8); }},
    BadCase{"bitfields at 8 bits", [](std::vector<BYTE>& v) { Put32(v, 14 + 16, BI_BITFIELDS); }},
    BadCase{"unknown header size", [](std::vector<BYTE>& v) { Put32(v, 14, 20); }},
    BadCase{"header larger than block", [](std::vector<BYTE>& v) { Put32(v, 14, 1000); }}));

TEST(PackedDib, MasklessBitfieldsHeaderIsRefused)
{
    std::vector<BYTE> v = Bitfields565();
    v.resize(44);
    DibLayout layout;
    EXPECT_FALSE(ParseDibLayout(v.data(), v.size(), &layout));
}

} // namespace
