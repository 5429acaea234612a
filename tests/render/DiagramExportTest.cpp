#include "render/DiagramExport.h"
#include "render/ExportFormats.h"

#include "common/TestSupport.h"
#include "core/CGraphicExportData.h"
#include "core/Settings.h"
#include "document/CKavoDoc.h"
#include "graphics/ImageLibrary.h"
#include "platform/CDC.h"
#include "platform/CGraphics.h"
#include "platform/GdiObjects.h"
#include "platform/metafile/MetaFileHandles.h"
#include "platform/metafile/WmfParse.h"

#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// The "diagram": a red box filling the object rectangle (10,10)-(266,138).
const CRect kObjects(10, 10, 266, 138);

void DrawRedBox(CKavoDoc&, CGraphics* graphics, CDC* dc, const ExportDrawRequest&)
{
    if (!dc) {
        CGpBrush red;
        red.color = 0xFFFF0000;
        graphics->FillRectangle(red, QRectF(kObjects.left, kObjects.top, kObjects.Width(), kObjects.Height()));
        return;
    }
    CBrush red(RGB(255, 0, 0));
    dc->SelectObject(&red);
    dc->SelectStockObject(NULL_PEN);
    dc->Rectangle(kObjects.left, kObjects.top, kObjects.right, kObjects.bottom);
    dc->SelectStockObject(WHITE_BRUSH);
}

class DiagramExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(doc.OnNewDocument());
        SetExportDrawer(DrawRedBox);
    }
    void TearDown() override { SetExportDrawer(nullptr); }
    QString File(const char* name) const { return dir.filePath(name); }
    ExportResult Export(int type, const QString& path, int w = 64, int h = 32, int bits = 24)
    {
        return ExportGraphic(doc, kExportAll, kObjects, type, path, w, h, 90, bits, true, nullptr);
    }
    CKavoDoc doc;
    QTemporaryDir dir;
};

} // namespace

TEST(ExportRect, GrowsTwoMoreToTheRightAndBelow)
{
    SIZE himetric{};
    const CRect r = ExportRectFromObjSetRect(CRect(10, 20, 266, 148), &himetric, false);
    EXPECT_EQ(r, CRect(10, 20, 268, 150));
    EXPECT_EQ(himetric.cx, 258 * 2540 / 256);
    EXPECT_EQ(ExportRectFromObjSetRect(CRect(10, 20, 266, 148), nullptr, true), CRect(0, 0, 258, 130));
}

TEST_F(DiagramExport, ExportRectOfTheDocumentsObjects)
{
    CFigProps props;
    auto* fig = new CFigure(100, 50, 172, 256, props, -1, 0, "", "", CFigure::CreateArgs(), &doc);
    fig->m_nId = doc.m_nNextId++;
    ASSERT_TRUE(doc.AddFig(fig));
    const CRect objects = doc.GetObjSetRect(kExportAll, 1, 16, nullptr, false);
    EXPECT_EQ(GetExportRect(doc, kExportAll, nullptr, false), ExportRectFromObjSetRect(objects, nullptr, false));
    CRect both;
    both.UnionRect(objects, fig->m_rect);
    EXPECT_EQ(both, objects);  // the set's bounds hold the figure
    EXPECT_EQ(GetExportRect(doc, kExportAll, nullptr, true).TopLeft(), CPoint(0, 0));
}

TEST_F(DiagramExport, EveryRasterFormatReadsBackInASecondReader)
{
    struct Case { int type; const char* name; int format; };
    const Case cases[] = {{EXPORT_BMP, "a.bmp", IMAGE_FORMAT_BMP}, {EXPORT_JPEG, "a.jpg", IMAGE_FORMAT_JPEG},
                          {EXPORT_PNG, "a.png", IMAGE_FORMAT_PNG}, {EXPORT_TIFF, "a.tif", IMAGE_FORMAT_TIFF},
                          {EXPORT_GIF, "a.gif", IMAGE_FORMAT_GIF}};
    for (const Case& c : cases) {
        ASSERT_TRUE(Export(c.type, File(c.name)).ok) << c.name;
        const QImage back = ImageLibraryLoad(c.format, File(c.name), nullptr, nullptr);
        ASSERT_FALSE(back.isNull()) << c.name;
        EXPECT_EQ(back.size(), QSize(64, 32)) << c.name;
        const QRgb mid = back.pixel(32, 16);
        EXPECT_GT(qRed(mid), 200) << c.name;
        EXPECT_LT(qGreen(mid), 60) << c.name;
    }
    // The format follows the type, whatever the name says.
    ASSERT_TRUE(Export(EXPORT_PNG, File("named.gif")).ok);
    EXPECT_EQ(QImageReader(File("named.gif")).format(), "png");
}

TEST_F(DiagramExport, MetafilesReadBackWithTheirFrames)
{
    ASSERT_TRUE(Export(EXPORT_WMF, File("a.wmf")).ok);
    QFile wmf(File("a.wmf"));
    ASSERT_TRUE(wmf.open(QIODevice::ReadOnly));
    const QByteArray bytes = wmf.readAll();
    PlaceableMetaHeader header;
    ASSERT_TRUE(ReadPlaceableHeader(MetaBytes(reinterpret_cast<const BYTE*>(bytes.constData()), size_t(bytes.size())), header));
    EXPECT_EQ(header.inch, 256);
    EXPECT_EQ(header.right - header.left, kObjects.Width() + 2);
    EXPECT_EQ(header.bottom - header.top, kObjects.Height() + 2);

    ASSERT_TRUE(Export(EXPORT_EMF, File("a.emf")).ok);
    QFile emf(File("a.emf"));
    ASSERT_TRUE(emf.open(QIODevice::ReadOnly));
    const QByteArray e = emf.readAll();
    HENHMETAFILE h = SetEnhMetaFileBits(UINT(e.size()), reinterpret_cast<const BYTE*>(e.constData()));
    ASSERT_NE(h, nullptr);
    ENHMETAHEADER eh{};
    ASSERT_GT(GetEnhMetaFileHeader(h, &eh), 0u);
    // The frame is the diagram's size at 256 units an inch, as the WMF's,
    // and the drawing fills it.
    const int width = kObjects.Width() + 2, height = kObjects.Height() + 2;
    EXPECT_EQ(eh.rclFrame.left, 0);
    EXPECT_EQ(eh.rclFrame.right, width * 2540 / 256);
    EXPECT_EQ(eh.rclFrame.bottom, height * 2540 / 256);
    const double pixelsPerUnit = double(eh.szlDevice.cx) / (eh.szlMillimeters.cx * 256 / 25.4);
    EXPECT_NEAR(eh.rclBounds.left, 0, 1);  // drawn at the origin
    EXPECT_NEAR(eh.rclBounds.right, kObjects.Width() * pixelsPerUnit, 2);
    DeleteEnhMetaFile(h);
    // Streamed to the file record by record, it is the metafile the
    // clipboard holds whole, byte for byte.
    const std::vector<BYTE> held = RenderToEmfBytes(doc, kExportAll, ExportRectFromObjSetRect(kObjects, nullptr, false));
    EXPECT_EQ(QByteArray(reinterpret_cast<const char*>(held.data()), qsizetype(held.size())), e);
}

TEST_F(DiagramExport, FailuresLeaveNothingBehindAndTellOnce)
{
    CRecordingPrompt prompt;
    // An unwritable folder: false, no file.
    EXPECT_FALSE(Export(EXPORT_PNG, File("missing/a.png")).ok);
    EXPECT_FALSE(Export(EXPORT_BMP, File("missing/a.bmp")).ok);
    // Too large to render: told, reported, not written.
    const ExportResult big = Export(EXPORT_BMP, File("big.bmp"), 1 << 20, 1 << 20);
    EXPECT_FALSE(big.ok);
    EXPECT_TRUE(big.reported);
    EXPECT_FALSE(QFile::exists(File("big.bmp")));
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_NE(prompt.shown[0].text.find("too large to export"), std::string::npos);
    // PCX cannot be written: refused before anything is drawn.
    EXPECT_FALSE(Export(EXPORT_PCX, File("a.pcx")).ok);
    EXPECT_FALSE(QFile::exists(File("a.pcx")));
    // A failed export keeps the old file.
    QFile old(File("keep.bmp"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write("old");
    old.close();
    EXPECT_FALSE(Export(EXPORT_BMP, File("keep.bmp"), 1 << 20, 1 << 20).ok);
    QFile again(File("keep.bmp"));
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), QByteArray("old"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Hidden | QDir::Files).filter(".part").size(), 0);
}

// An empty diagram has nothing to draw: every format says so, once, instead
// of a bare "failed", and writes nothing.
TEST_F(DiagramExport, EmptyDiagramSaysThereIsNothingToExport)
{
    for (int type : {EXPORT_WMF, EXPORT_EMF, EXPORT_PNG, EXPORT_BMP}) {
        SCOPED_TRACE(type);
        CRecordingPrompt prompt;
        const ExportResult r = ExportGraphic(doc, kExportAll, CRect(), type, File("empty"), 0, 0, 0, 0, true, nullptr);
        EXPECT_FALSE(r.ok);
        EXPECT_TRUE(r.reported);
        ASSERT_EQ(prompt.shown.size(), 1u);
        EXPECT_EQ(prompt.shown[0].text, "There is nothing to export: the diagram is empty.");
        EXPECT_FALSE(QFile::exists(File("empty")));
    }
}

TEST_F(DiagramExport, OptionsDialogDecidesSizeAndTransparentGifsMarkTheKey)
{
    ExpPct = 100;
    int asked = 0;
    auto cancel = [&](CGraphicExportData&) { ++asked; return false; };
    const ExportResult cancelled = ExportGraphic(doc, kExportAll, kObjects, EXPORT_GIF, File("c.gif"), 0, 0, 0, 0,
                                                 true, cancel);
    EXPECT_TRUE(cancelled.ok);
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(QFile::exists(File("c.gif")));

    auto transparent = [](CGraphicExportData& d) {
        EXPECT_TRUE(d.m_bTransparentAllowed);
        d.m_nWidth = 50;
        d.m_nHeight = 30;
        d.m_bTransparent = TRUE;
        return true;
    };
    ASSERT_TRUE(ExportGraphic(doc, kExportAll, kObjects, EXPORT_GIF, File("t.gif"), 0, 0, 0, 0, true, transparent).ok);
    EXPECT_EQ(ExpTransp, 1);
    bool hasTransparent = false;
    COLORREF key = 0;
    const QImage back = ImageLibraryLoad(IMAGE_FORMAT_GIF, File("t.gif"), &hasTransparent, &key);
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.size(), QSize(50, 30));
    EXPECT_TRUE(hasTransparent);
    EXPECT_EQ(key, RGB(255, 0, 255));
}

// 512 blocks of 8 x 8 units over the objects' rectangle, each of its own
// colour: more than a palette of 256 can hold.
namespace {
COLORREF BlockColour(int i, int j)
{
    return RGB(i * 8, j * 16, ((i * 7 + j * 13) % 32) * 8);
}

void DrawColourBlocks(CKavoDoc&, CGraphics* graphics, CDC* dc, const ExportDrawRequest&)
{
    for (int j = 0; j < 16; ++j)
        for (int i = 0; i < 32; ++i) {
            const int x = kObjects.left + i * 8, y = kObjects.top + j * 8;
            const COLORREF c = BlockColour(i, j);
            if (dc) {
                dc->FillSolidRect(x, y, 8, 8, c);
            } else {
                CGpBrush brush;
                brush.color = 0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
                graphics->FillRectangle(brush, QRectF(x, y, 8, 8));
            }
        }
}
} // namespace

// A caller asking for a JPEG of 8 bits gets one of 24: the colours stay.
TEST_F(DiagramExport, JpegIsWrittenAtTwentyFourBitsWhateverTheCallerAsks)
{
    SetExportDrawer(DrawColourBlocks);
    for (int bits : {8, 24}) {
        SCOPED_TRACE(bits);
        ASSERT_TRUE(Export(EXPORT_JPEG, File("blocks.jpg"), 516, 260, bits).ok);
        const QImage back = ImageLibraryLoad(IMAGE_FORMAT_JPEG, File("blocks.jpg"), nullptr, nullptr);
        ASSERT_EQ(back.size(), QSize(516, 260));
        // The middle of every block, within the JPEG's own loss.
        double error = 0;
        for (int j = 0; j < 16; ++j)
            for (int i = 0; i < 32; ++i) {
                const QRgb p = back.pixel(i * 16 + 8, j * 16 + 8);
                const COLORREF c = BlockColour(i, j);
                error += std::abs(qRed(p) - GetRValue(c)) + std::abs(qGreen(p) - GetGValue(c)) +
                         std::abs(qBlue(p) - GetBValue(c));
            }
        EXPECT_LT(error / (16 * 32 * 3), 3.0);
    }
    SetExportDrawer(DrawRedBox);

    for (int bits : {8, 24}) {
        SCOPED_TRACE(bits);
        ASSERT_TRUE(Export(EXPORT_JPEG, File("bits.jpg"), 64, 32, bits).ok);
        const QImage back = ImageLibraryLoad(IMAGE_FORMAT_JPEG, File("bits.jpg"), nullptr, nullptr);
        ASSERT_FALSE(back.isNull());
        EXPECT_FALSE(back.isGrayscale());
        const QRgb mid = back.pixel(32, 16);
        EXPECT_GT(qRed(mid), 200);
        EXPECT_LT(qGreen(mid), 60);
    }
}

// What the options dialog offers by type: smoothing for JPEG, PNG and TIF,
// a quality for JPEG, a transparent background for GIF.
TEST_F(DiagramExport, OptionsOfferedFollowTheType)
{
    struct Case {
        int type;
        const char* name;
        bool antialias, quality, transparent;
    } cases[] = {
        {EXPORT_BMP, "o.bmp", false, false, false}, {EXPORT_JPEG, "o.jpg", true, true, false},
        {EXPORT_PNG, "o.png", true, false, false},  {EXPORT_TIFF, "o.tif", true, false, false},
        {EXPORT_GIF, "o.gif", false, false, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CGraphicExportData seen;
        auto cancel = [&](CGraphicExportData& d) {
            seen = d;
            return false;
        };
        EXPECT_TRUE(ExportGraphic(doc, kExportAll, kObjects, c.type, File(c.name), 0, 0, 0, 0, true, cancel).ok);
        EXPECT_EQ(seen.m_bAntialiasAllowed != FALSE, c.antialias);
        EXPECT_EQ(seen.m_bQualityEnabled != FALSE, c.quality);
        EXPECT_EQ(seen.m_bTransparentAllowed != FALSE, c.transparent);
        EXPECT_FALSE(QFile::exists(File(c.name)));
    }
}

// Smoothing needs at least 24 bits: below that the box's edges, which fall
// between pixels, stay pure red or white.
TEST_F(DiagramExport, SmoothingNeedsTwentyFourBits)
{
    for (int bits : {8, 24}) {
        SCOPED_TRACE(bits);
        const std::unique_ptr<CBitmap> bmp =
            RenderToBitmap(doc, kExportAll, CRect(0, 0, 277, 149), bits, 37, 67, RGB(255, 255, 255), true, 1);
        ASSERT_TRUE(bmp);
        const QImage& img = bmp->Image();
        int mixed = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QRgb p = img.pixel(x, y) & 0xFFFFFF;
                mixed += p != 0xFFFFFF && p != 0xFF0000;
            }
        EXPECT_EQ(mixed > 0, bits >= 24);
    }
}
