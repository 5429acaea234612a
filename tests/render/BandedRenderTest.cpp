// Pictures drawn in bands equal the picture drawn whole, pixel for pixel,
// and a PNG streamed band by band reads back as that picture, at any size.
#include "common/DiagramFixture.h"
#include "core/Settings.h"
#include "graphics/BicubicShrink.h"
#include "platform/CDC.h"
#include "platform/GdiObjects.h"
#include "render/BandedRender.h"
#include "render/DiagramExport.h"
#include "render/DocDrawObjects.h"
#include "render/ExportFormats.h"

#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QThreadPool>

#include <gtest/gtest.h>

#include <zlib.h>

#include <chrono>
#include <cstdlib>
#include <future>

namespace {

class BandedRender : public ::testing::Test, public DiagramFixture {
protected:
    void SetUp() override
    {
        InstallExportDrawer();
        // Boxes with text in a grid, joined across and down; the middle one
        // casts a soft shadow, whose blur reaches over several bands.
        CFigure* grid[3][3] = {};
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                grid[r][c] = AddBox(40 + 300 * c, 30 + 200 * r, 200, 100, "Box " + std::to_string(3 * r + c),
                                    RGB(235, 243, 252));
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 2; ++c)
                Connect(grid[r][c], grid[r][c + 1]);
        for (int c = 0; c < 3; ++c)
            Connect(grid[0][c], grid[1][c]);
        doc.m_shadowSpec = CShadowSpec(1, RGB(40, 40, 40), 24, 24, 40, 160);
        grid[1][1]->m_props.Shadow = 1;
        rect = ExportRectFromObjSetRect(doc.GetObjSetRect(kExportAll, 1, 16, nullptr, false), nullptr, false);
    }

    BandedRequest Request(int percent, int factor, int bandRows, int threads) const
    {
        BandedRequest r;
        r.rect = rect;
        r.width = rect.Width() * 96 / 256 * percent / 100;
        r.height = rect.Height() * 96 / 256 * percent / 100;
        r.factor = factor;
        r.smoothing = factor > 1 ? 1 : 0;
        r.bandRows = bandRows;
        r.threads = threads;
        return r;
    }

    // The picture drawn whole (as RenderToDDB draws it, supersampled by the
    // factor) and shrunk whole.
    QImage Whole(const BandedRequest& r)
    {
        const std::unique_ptr<CBitmap> drawn = RenderToDDB(doc, kExportAll, r.rect, r.height * r.factor,
                                                           r.width * r.factor, r.background, r.smoothing, r.factor);
        if (!drawn)
            return {};
        if (r.factor == 1)
            return drawn->Image().convertToFormat(QImage::Format_RGB32);
        return ShrinkRows(drawn->Image().convertToFormat(QImage::Format_RGB32), 0, r.height * r.factor, 0, r.height,
                          MakeShrinkKernel(r.factor));
    }

    CRect rect;
};

// Compared row by row, so a failure names the first row that differs.
void ExpectSamePicture(const QImage& banded, const QImage& whole)
{
    ASSERT_FALSE(banded.isNull());
    ASSERT_EQ(banded.size(), whole.size());
    ASSERT_EQ(banded.format(), whole.format());
    for (int y = 0; y < whole.height(); ++y)
        ASSERT_EQ(std::memcmp(banded.constScanLine(y), whole.constScanLine(y), size_t(whole.width()) * 4), 0)
            << "row " << y;
}

} // namespace

TEST_F(BandedRender, BandsEqualThePictureDrawnWhole)
{
    struct Case {
        int percent, factor, bandRows, threads;
    };
    const Case cases[] = {
        {100, 4, 1000, 1}, {100, 4, 1, 1}, {100, 4, 7, 4}, {100, 4, 64, 3}, {100, 1, 1, 2}, {100, 1, 13, 4},
        {37, 4, 1, 4},  {37, 4, 5, 2},  {37, 1, 3, 4},   {37, 2, 4, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.percent << "% factor " << c.factor << ", " << c.bandRows << " rows a band, "
                                        << c.threads << " threads");
        const BandedRequest r = Request(c.percent, c.factor, c.bandRows, c.threads);
        ExpectSamePicture(RenderBandedImage(doc, r), Whole(r));
    }
}

// A thread drawing bands one after another keeps the rows they share; the
// picture stays the same, whatever the runs' and bands' lengths.
TEST_F(BandedRender, RunsOfBandsEqualThePictureDrawnWhole)
{
    struct Case {
        int percent, factor, bandRows, threads, run;
    };
    const Case cases[] = {
        {100, 4, 1, 2, 7}, {100, 4, 5, 3, 4}, {100, 4, 16, 2, 100}, {100, 1, 3, 2, 5}, {37, 4, 2, 3, 3}, {37, 2, 3, 1, 6},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.percent << "% factor " << c.factor << ", " << c.bandRows << " rows a band, "
                                        << c.threads << " threads, runs of " << c.run);
        BandedRequest r = Request(c.percent, c.factor, c.bandRows, c.threads);
        r.run = c.run;
        ExpectSamePicture(RenderBandedImage(doc, r), Whole(r));
    }
}

// Each band's rows start as the background, grey (four equal bytes) or a
// colour, as the whole picture's do.
TEST_F(BandedRender, BandsOnAnyBackgroundEqualThePictureDrawnWhole)
{
    for (COLORREF background : {RGB(192, 192, 192), RGB(250, 240, 200)}) {
        for (int factor : {4, 1}) {
            SCOPED_TRACE(testing::Message() << "background " << std::hex << background << ", factor " << factor);
            BandedRequest r = Request(37, factor, 5, 3);
            r.run = 4;
            r.background = background;
            ExpectSamePicture(RenderBandedImage(doc, r), Whole(r));
        }
    }
}

// The blur is drawn over the box grown by one and a half times its softness
// (40), moved by the offset (24): above the box (top 230) it reaches up to
// 194, past the 214 the figure's bounds count, and a band that holds only
// that part still draws it.
TEST_F(BandedRender, BandsHoldingOnlyTheBlursOuterPartDrawIt)
{
    const BandedRequest r = Request(100, 1, 1, 4);
    const QImage image = RenderBandedImage(doc, r);
    ASSERT_FALSE(image.isNull());
    const double scale = double(r.width) / rect.Width();
    auto at = [&](int x, int y) { return image.pixel(int((x - rect.left) * scale), int((y - rect.top) * scale)); };
    EXPECT_LT(qRed(at(560, 300)), 200);            // right of the box
    EXPECT_LT(qRed(at(470, 197)), 255);            // past the counted bounds
    EXPECT_EQ(at(470, 186), qRgb(255, 255, 255));  // past the blur
}

TEST_F(BandedRender, StreamedPngReadsBackAsTheBandedPicture)
{
    for (bool antialias : {true, false}) {
        SCOPED_TRACE(antialias ? "anti-aliased" : "plain");
        const BandedRequest r = Request(100, antialias ? 4 : 1, 0, 0);
        QTemporaryDir dir;
        const QString path = dir.filePath("out.png");
        const ExportResult result = ExportGraphic(doc, kExportAll, doc.GetObjSetRect(kExportAll, 1, 16, nullptr, false),
                                                  EXPORT_PNG, path, r.width, r.height, 90, 24, antialias, nullptr);
        ASSERT_TRUE(result.ok);
        QImageReader reader(path, "png");
        const QImage read = reader.read();
        ASSERT_FALSE(read.isNull()) << reader.errorString().toStdString();
        ExpectSamePicture(read.convertToFormat(QImage::Format_RGB32), RenderBandedImage(doc, r));
        EXPECT_EQ(read.dotsPerMeterX(), 3780);
    }
}

namespace {

// The PNG's size and its rows inflated one at a time (the picture is never
// held): each row is handed over with its filter byte taken off.
bool ReadPngRows(const QString& path, int& width, int& height, const std::function<void(int, const uchar*)>& row)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.read(8) != QByteArray("\x89PNG\r\n\x1A\n", 8))
        return false;
    z_stream z{};
    inflateInit(&z);
    std::vector<uchar> cur, prev;
    size_t filled = 0;
    int y = 0;
    bool ended = false;
    for (;;) {
        const QByteArray head = file.read(8);
        if (head.size() != 8)
            break;
        const uint32_t length = (uchar(head[0]) << 24) | (uchar(head[1]) << 16) | (uchar(head[2]) << 8) | uchar(head[3]);
        const QByteArray data = file.read(length);
        file.read(4);
        if (head.mid(4) == "IHDR") {
            width = (uchar(data[0]) << 24) | (uchar(data[1]) << 16) | (uchar(data[2]) << 8) | uchar(data[3]);
            height = (uchar(data[4]) << 24) | (uchar(data[5]) << 16) | (uchar(data[6]) << 8) | uchar(data[7]);
            cur.assign(size_t(width) * 3 + 1, 0);
            prev.assign(size_t(width) * 3 + 1, 0);
        } else if (head.mid(4) == "IDAT") {
            z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
            z.avail_in = uInt(data.size());
            while (z.avail_in > 0 && !ended) {
                z.next_out = cur.data() + filled;
                z.avail_out = uInt(cur.size() - filled);
                const int result = inflate(&z, Z_NO_FLUSH);
                if (result != Z_OK && result != Z_STREAM_END)
                    return false;
                ended = result == Z_STREAM_END;
                filled = cur.size() - z.avail_out;
                if (filled < cur.size())
                    continue;
                // Undo the Sub and Up filters the writer uses.
                for (size_t i = 1; i < cur.size(); ++i)
                    cur[i] = uchar(cur[i] + (cur[0] == 1 ? (i > 3 ? cur[i - 3] : 0) : cur[0] == 2 ? prev[i] : 0));
                row(y++, cur.data() + 1);
                std::swap(cur, prev);
                filled = 0;
            }
        }
    }
    inflateEnd(&z);
    return ended && y == height;
}

} // namespace

// Wider than any side the picture held whole could have, and more pixels
// than its cap: the export streams it.
TEST_F(BandedRender, ExportPastTheWholePicturesCapSucceeds)
{
    const int width = 270000, height = 1000;  // 2.7e8 pixels, past 16384 x 16384
    QTemporaryDir dir;
    const QString path = dir.filePath("wide.png");
    BitmapBackgroundColor = 0xFFFFFF;
    const CRect objects(rect.left, rect.top, rect.left + rect.Height() * 270, rect.bottom - 2);
    const ExportResult result =
        ExportGraphic(doc, kExportAll, objects, EXPORT_PNG, path, width, height, 90, 24, false, nullptr);
    ASSERT_TRUE(result.ok);
    EXPECT_FALSE(result.reported);
    int w = 0, h = 0;
    int filledPixels = 0;
    ASSERT_TRUE(ReadPngRows(path, w, h, [&](int y, const uchar* rgb) {
        if (y == height / 2)
            for (int x = 0; x < 3000; ++x)
                filledPixels += rgb[3 * x] == 235 && rgb[3 * x + 1] == 243 && rgb[3 * x + 2] == 252;
    }));
    EXPECT_EQ(w, width);
    EXPECT_EQ(h, height);
    EXPECT_GT(filledPixels, 100);  // the middle row of boxes, at the left end
}

// Bands are as tall as the room under the memory ceiling lets them be,
// within their smallest and largest size.
TEST(BandMemory, BandsTakeTheRoomTheProcessLeaves)
{
    constexpr qint64 kMiB = qint64(1) << 20;
    struct Case {
        qint64 resident, objects;
        int threads;
        qint64 least, most;
    };
    const Case cases[] = {
        {0, 1000, 8, 7 * kMiB, 7 * kMiB},                // not known: the small size
        {30 * kMiB, 2000, 8, 12 * kMiB, 12 * kMiB},      // room enough: the large size
        {93 * kMiB, 160000, 8, 7 * kMiB, 8 * kMiB},      // a large diagram: between
        {93 * kMiB, 160000, 2, 12 * kMiB, 12 * kMiB},    // fewer threads share the room
        {500 * kMiB, 1000, 8, 7 * kMiB, 7 * kMiB},       // past the ceiling: never below the small size
    };
    for (const Case& c : cases) {
        const qint64 bytes = BandBytesFor(c.resident, c.objects, c.threads);
        EXPECT_GE(bytes, c.least) << c.resident / kMiB << " MiB, " << c.objects << " objects, " << c.threads;
        EXPECT_LE(bytes, c.most) << c.resident / kMiB << " MiB, " << c.objects << " objects, " << c.threads;
    }
}

// A drawing that ignores the band it is asked for (boxes and single pixels
// over the whole picture, through the DC's own pixel writers) still
// writes only the band's rows: the bands equal the picture drawn whole.
TEST_F(BandedRender, DrawingPastTheBandWritesOnlyItsRows)
{
    SetExportDrawer([](CKavoDoc&, CGraphics*, CDC* dc, const ExportDrawRequest& request) {
        if (!dc)
            return;
        const CRect& r = request.exportRect;
        CBrush brush(RGB(200, 30, 30));
        CBrush* oldBrush = dc->SelectObject(&brush);
        dc->SelectStockObject(NULL_PEN);
        dc->Rectangle(r.left + 10, r.top + 10, r.right - 10, r.bottom - 10);
        for (int y = r.top; y < r.bottom; y += 7)
            dc->SetPixel(r.left + 3, y, RGB(0, 0, 255));
        dc->FillSolidRect(r.left + 40, r.top, 30, r.Height(), RGB(20, 160, 20));
        dc->SelectObject(oldBrush);
    });
    struct Case {
        int factor, bandRows, threads;
    } cases[] = {{1, 1, 2}, {1, 5, 1}, {4, 3, 2}, {2, 8, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "factor " << c.factor << ", " << c.bandRows << " rows a band");
        const BandedRequest r = Request(50, c.factor, c.bandRows, c.threads);
        ExpectSamePicture(RenderBandedImage(doc, r), Whole(r));
    }
    InstallExportDrawer();
}

// With the shared thread pool smaller than the workers asked for (a process
// held to fewer cores than the machine has), an export still finishes: a
// worker splitting a large fill across the pool must not wait on pool
// threads that wait on the export.
TEST_F(BandedRender, AnExportFinishesWhenThePoolIsSmallerThanTheWorkers)
{
    QThreadPool* pool = QThreadPool::globalInstance();
    const int before = pool->maxThreadCount();
    pool->setMaxThreadCount(1);
    AddBox(rect.left, rect.top, rect.Width(), rect.Height(), "", RGB(200, 220, 240));
    const BandedRequest r = Request(300, 4, 8, 4);
    auto done = std::async(std::launch::async, [&] { return RenderBandedImage(doc, r); });
    if (done.wait_for(std::chrono::seconds(120)) != std::future_status::ready) {
        ADD_FAILURE() << "the export did not finish";
        std::_Exit(1);
    }
    EXPECT_FALSE(done.get().isNull());
    pool->setMaxThreadCount(before);
}
