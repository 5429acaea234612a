#include "graphics/BicubicShrink.h"
#include "graphics/PngBandWriter.h"
#include "graphics/VectorUnits.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QtEndian>

#include <gtest/gtest.h>
#include <zlib.h>

#include <algorithm>
#include <vector>

namespace {

// Flat areas, lines and a gradient: what filters and bands must keep.
QImage Picture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.fillRect(QRect(5, 5, width / 2, height / 2), QColor(235, 243, 252));
    p.setPen(QPen(QColor(46, 84, 150), 3));
    p.drawLine(0, height - 1, width - 1, 0);
    for (int x = 0; x < width; ++x)
        image.setPixel(x, height - 1, qRgb(x % 256, (3 * x) % 256, 255 - x % 256));
    return image;
}

QByteArray WritePng(const QImage& image, int bandRows, PngRowFilter filter)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    CPngBandWriter writer(&out, image.width(), image.height());
    EXPECT_TRUE(writer.Begin());
    for (int y = 0; y < image.height(); y += bandRows) {
        const int rows = std::min(bandRows, image.height() - y);
        EXPECT_TRUE(writer.Append(DeflatePngBand(image.copy(0, y, image.width(), rows), filter,
                                                 y + rows == image.height())));
    }
    EXPECT_TRUE(writer.Finish());
    return out.data();
}

// The IDAT chunks joined and inflated by the library's own reader, which
// checks the stream's Adler-32 (the image reader does not): the filtered
// rows, empty when the stream or its checksum is wrong.
QByteArray InflateImageData(const QByteArray& png, qint64 expected)
{
    QByteArray stream;
    for (qsizetype at = 8; at + 12 <= png.size();) {
        const auto length = qsizetype(qFromBigEndian<quint32>(png.constData() + at));
        if (png.mid(at + 4, 4) == "IDAT")
            stream += png.mid(at + 8, length);
        at += length + 12;
    }
    QByteArray rows(qsizetype(expected), '\0');
    uLongf size = uLongf(rows.size());
    if (uncompress(reinterpret_cast<Bytef*>(rows.data()), &size, reinterpret_cast<const Bytef*>(stream.constData()),
                   uLong(stream.size())) != Z_OK ||
        size != uLongf(expected))
        return {};
    return rows;
}

} // namespace

// Every filter, bands of one row up to the whole picture, widths that leave
// every remainder of pixels past the filters' steps: the library's own
// reader gets the picture back.
TEST(PngBandWriter, AnyBandsAndFilterReadBackAsThePicture)
{
    for (int width : {1, 2, 5, 6, 7, 8, 9, 301}) {
        const QImage image = Picture(width, 67);
        for (PngRowFilter filter : {PngRowFilter::None, PngRowFilter::Sub, PngRowFilter::Up, PngRowFilter::Paeth}) {
            for (int bandRows : {1, 10, 67}) {
                SCOPED_TRACE(testing::Message() << width << " wide, filter " << int(filter) << ", " << bandRows
                                                << " rows a band");
                QByteArray png = WritePng(image, bandRows, filter);
                QBuffer in(&png);
                QImageReader reader(&in, "png");
                const QImage read = reader.read();
                ASSERT_FALSE(read.isNull()) << reader.errorString().toStdString();
                EXPECT_EQ(read.convertToFormat(QImage::Format_RGB32), image);
                EXPECT_FALSE(InflateImageData(png, qint64(width * 3 + 1) * image.height()).isEmpty());
                // The plain filtering and checksum write the same file.
                AllowVectorUnits(false);
                EXPECT_EQ(WritePng(image, bandRows, filter), png);
                AllowVectorUnits(true);
            }
        }
    }
}

TEST(PngBandWriter, MissingRowsOrAFailedBandFail)
{
    const QImage image = Picture(40, 20);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    CPngBandWriter writer(&out, 40, 20);
    ASSERT_TRUE(writer.Begin());
    ASSERT_TRUE(writer.Append(DeflatePngBand(image.copy(0, 0, 40, 10), PngRowFilter::Up, true)));
    EXPECT_FALSE(writer.Finish());  // 10 of 20 rows
    EXPECT_FALSE(writer.Append(PngDeflatedBand{}));
    EXPECT_FALSE(CPngBandWriter(&out, 0, 20).Begin());
}

TEST(BicubicShrink, FlatColourStaysAndBandsEqualTheWhole)
{
    for (int factor : {2, 4}) {
        SCOPED_TRACE(factor);
        const ShrinkKernel k = MakeShrinkKernel(factor);
        int sum = 0;
        for (int16_t w : k.weights)
            sum += w;
        EXPECT_EQ(sum, 1 << 14);
        QImage flat(8 * factor, 5 * factor, QImage::Format_RGB32);
        flat.fill(qRgb(46, 84, 150));
        const QImage small = ShrinkRows(flat, 0, flat.height(), 0, 5, k);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 8; ++x)
                ASSERT_EQ(small.pixel(x, y), qRgb(46, 84, 150));
        // A band shrinks from the source rows it reads to the rows the whole gives.
        const QImage big = Picture(30 * factor, 21 * factor);
        const QImage whole = ShrinkRows(big, 0, big.height(), 0, 21, k);
        for (int y0 = 0; y0 < 21; y0 += 4) {
            const int y1 = std::min(21, y0 + 4);
            const int from = k.SourceFrom(y0), to = k.SourceTo(y1, big.height());
            const QImage band = ShrinkRows(big.copy(0, from, big.width(), to - from), from, big.height(), y0, y1, k);
            EXPECT_EQ(band, whole.copy(0, y0, whole.width(), y1 - y0)) << "rows " << y0;
        }
    }
}

namespace {

// The shrinking as its arithmetic is defined: each source byte summed down
// the kernel's taps and rounded to 6 bits below the byte, those sums summed
// across and rounded to the byte; rows and columns past the edges repeat
// the edge ones.
QImage ShrinkByDefinition(const QImage& src, const ShrinkKernel& k)
{
    const int width = src.width() / k.factor, height = src.height() / k.factor;
    QImage out(width, height, QImage::Format_RGB32);
    std::vector<int> mid(size_t(src.width()) * 4);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < src.width() * 4; ++x) {
            int sum = 0;
            for (int t = 0; t < k.Taps(); ++t) {
                const int row = std::clamp(k.factor * y + k.first + t, 0, src.height() - 1);
                sum += src.constScanLine(row)[x] * k.weights[size_t(t)];
            }
            mid[size_t(x)] = (sum + (1 << 7)) >> 8;
        }
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < 3; ++c) {
                int sum = 0;
                for (int t = 0; t < k.Taps(); ++t) {
                    const int column = std::clamp(k.factor * x + k.first + t, 0, src.width() - 1);
                    sum += mid[size_t(column) * 4 + size_t(c)] * k.weights[size_t(t)];
                }
                out.scanLine(y)[x * 4 + c] = uchar(std::clamp((sum + (1 << 19)) >> 20, 0, 255));
            }
            out.scanLine(y)[x * 4 + 3] = 0xFF;
        }
    }
    return out;
}

} // namespace

// Noise holds every byte value next to every other, so each sum's range and
// rounding is met; the widths leave partial blocks and vectors at the right.
TEST(BicubicShrink, ShrinksAsTheFilterIsDefined)
{
    struct Case {
        bool vector;
        int factor, width;
    };
    std::vector<Case> cases;
    for (bool vector : {true, false})
        for (int factor : {2, 4})
            for (int width : {1, 5, 33, 301})
                cases.push_back({vector, factor, width});
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << (c.vector ? "vector units" : "plain") << ", factor " << c.factor << ", "
                                        << c.width << " wide");
        AllowVectorUnits(c.vector);
        const ShrinkKernel k = MakeShrinkKernel(c.factor);
        QImage noise(c.width * c.factor, 6 * c.factor, QImage::Format_RGB32);
        uint32_t seed = 12345u + uint32_t(c.width);
        for (int y = 0; y < noise.height(); ++y)
            for (int x = 0; x < noise.width(); ++x) {
                seed = seed * 1664525u + 1013904223u;
                // Runs of black and white beside noise reach the sums' extremes.
                const uint32_t v = (x / 7) % 3 == 0 ? 0xFFFFFFu * ((y / 5) & 1) : seed >> 8;
                noise.setPixel(x, y, 0xFF000000u | v);
            }
        EXPECT_EQ(ShrinkRows(noise, 0, noise.height(), 0, 6, k), ShrinkByDefinition(noise, k));
    }
    AllowVectorUnits(true);
}

// Where every source row an output row reads holds the same bytes, or the
// sums a run of output pixels reads are all the same, the sums are taken as
// flat. A change of one row, one column or one pixel, each place in turn,
// comes at either end of some output pixel's reach, where the kernel's
// weights are smallest, and in either half of any stretch of bytes: it must
// still count as the filter counts it. Stripes across the change make sums
// that are not whole bytes, so a small weight left out shows in the rounding.
TEST(BicubicShrink, FlatAreasShrinkAsTheFilterIsDefined)
{
    const QRgb other = qRgb(255, 0, 7);
    const auto stripe = [](int i) { return qRgb((i * 37) % 256, (i * 91) % 256, (i * 53) % 256); };
    for (bool vector : {true, false}) {
        AllowVectorUnits(vector);
        for (int factor : {2, 4}) {
            SCOPED_TRACE(testing::Message() << (vector ? "vector units" : "plain") << ", factor " << factor);
            const ShrinkKernel k = MakeShrinkKernel(factor);
            // 20 rows: a full run of rows summed together and part of one.
            const int width = 13, height = 20;
            QImage flat(width * factor, height * factor, QImage::Format_RGB32);
            flat.fill(qRgb(46, 84, 150));
            const auto shrinksAsDefined = [&](const QImage& image) {
                return ShrinkRows(image, 0, image.height(), 0, height, k) == ShrinkByDefinition(image, k);
            };
            EXPECT_TRUE(shrinksAsDefined(flat));
            QImage columns = flat, rows = flat;
            for (int y = 0; y < flat.height(); ++y)
                for (int x = 0; x < flat.width(); ++x) {
                    columns.setPixel(x, y, stripe(x));
                    rows.setPixel(x, y, stripe(y));
                }
            for (int row = 0; row < flat.height(); ++row) {
                QImage changed = columns;
                for (int x = 0; x < changed.width(); ++x)
                    changed.setPixel(x, row, other);
                ASSERT_TRUE(shrinksAsDefined(changed)) << "row " << row << " changed";
                changed = flat;
                changed.setPixel((row * 7) % changed.width(), row, other);
                ASSERT_TRUE(shrinksAsDefined(changed)) << "a pixel on row " << row << " changed";
            }
            for (int column = 0; column < flat.width(); ++column) {
                QImage changed = rows;
                for (int y = 0; y < changed.height(); ++y)
                    changed.setPixel(column, y, other);
                ASSERT_TRUE(shrinksAsDefined(changed)) << "column " << column << " changed";
            }
            const QImage picture = Picture(30 * factor, 21 * factor);
            EXPECT_EQ(ShrinkRows(picture, 0, picture.height(), 0, 21, k), ShrinkByDefinition(picture, k));
        }
    }
    AllowVectorUnits(true);
}
