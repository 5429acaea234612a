#include "platform/PackedDib.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cstring>

namespace {

// An image using at most `colors` distinct colours, so that indexed depths keep it.
QImage Sample(int colors, int width = 7)
{
    QImage img(width, 5, QImage::Format_RGB32);   // odd width: rows need padding
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const int i = (x + y * width) % colors;
            img.setPixel(x, y, qRgb((i * 37) & 0xFF, (i * 91) & 0xFF, (i * 53 + 10) & 0xFF));
        }
    return img;
}

class DibRoundTrip : public ::testing::TestWithParam<int> {};

TEST_P(DibRoundTrip, ImageSurvivesEachDepthWithAndWithoutFileHeader)
{
    const int bits = GetParam();
    for (bool fileHeader : {false, true}) {
        // Wider rows take the decoder's several-pixels-at-a-time way.
        const QImage src = Sample(bits == 1 ? 2 : bits == 4 ? 16 : 200, fileHeader ? 7 : 19);
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

// The BI_BITFIELDS writer: the masks follow the header, each channel fills
// its mask, and the reader gives the picture back (within the mask's
// precision); the file header's data offset counts the masks.
TEST(PackedDib, BitfieldsWriterRoundTripsThroughTheReader)
{
    const QImage src = Sample(200);
    const struct {
        int bits;
        DWORD masks[3];
        int precision[3];   // bits per channel
    } cases[] = {
        {16, {0xF800, 0x07E0, 0x001F}, {5, 6, 5}},
        {16, {0x7C00, 0x03E0, 0x001F}, {5, 5, 5}},
        {32, {0x00FF0000, 0x0000FF00, 0x000000FF}, {8, 8, 8}},
        {32, {0x000000FF, 0x0000FF00, 0x00FF0000}, {8, 8, 8}},   // red in the low byte
        {32, {0x3FF00000, 0x000FFC00, 0x000003FF}, {10, 10, 10}},   // 10 bits each
    };
    for (const auto& c : cases) {
        for (bool fileHeader : {false, true}) {
            SCOPED_TRACE(testing::Message() << c.bits << " bits, red mask " << c.masks[0] << ", file header "
                                            << fileHeader);
            const std::vector<BYTE> dib = ImageToBitfieldsDib(src, c.bits, c.masks, fileHeader);
            ASSERT_FALSE(dib.empty());
            DibLayout layout;
            ASSERT_TRUE(ParseDibLayout(dib.data(), dib.size(), &layout));
            EXPECT_EQ(layout.compression, DWORD(BI_BITFIELDS));
            EXPECT_EQ(layout.bitsOffset, 52u);
            for (int i = 0; i < 3; ++i)
                EXPECT_EQ(layout.masks[i], c.masks[i]);
            EXPECT_EQ(dib.size(), layout.fileHeader + layout.bitsOffset + layout.imageBytes);
            if (fileHeader) {
                EXPECT_EQ(dib[10], 14 + 52);
            }
            const QImage back = DibToImage(dib.data(), dib.size());
            ASSERT_EQ(back.size(), src.size());
            for (int y = 0; y < src.height(); ++y)
                for (int x = 0; x < src.width(); ++x) {
                    const QRgb a = src.pixel(x, y), b = back.pixel(x, y);
                    const int got[3] = {qRed(b), qGreen(b), qBlue(b)}, want[3] = {qRed(a), qGreen(a), qBlue(a)};
                    // Within half a step of the channel's precision (exact at 8 bits and more).
                    for (int k = 0; k < 3; ++k)
                        ASSERT_LE(std::abs(got[k] - want[k]), c.precision[k] >= 8 ? 0 : (256 >> c.precision[k]) / 2 + 1)
                            << x << "," << y << " channel " << k;
                }
        }
    }
    // Masks that are empty, split, overlapping or wider than the pixel are refused.
    const DWORD bad[][3] = {{0, 0x07E0, 0x001F}, {0xF00F, 0x07E0, 0x0010}, {0xFC00, 0x07E0, 0x001F},
                            {0x1F0000, 0x07E0, 0x001F}};
    for (const auto& m : bad)
        EXPECT_TRUE(ImageToBitfieldsDib(src, 16, m, false).empty()) << m[0];
    const DWORD ok[3] = {0xF800, 0x07E0, 0x001F};
    EXPECT_TRUE(ImageToBitfieldsDib(src, 24, ok, false).empty());
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
