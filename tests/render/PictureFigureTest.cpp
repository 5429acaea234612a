// Pictures becoming figures: the picture figure itself, the Insert Graphic
// command, and the paste of clipboard pictures.
#include "common/FakeAppContext.h"
#include "common/PcxFixture.h"
#include "common/TestSupport.h"
#include "core/AppContext.h"
#include "core/Settings.h"
#include "document/CKavoDoc.h"
#include "document/DocCommands.h"
#include "document/GraphicExtent.h"
#include "graphics/BitmapHelpers.h"
#include "platform/MetaFixtures.h"
#include "platform/PackedDib.h"
#include "platform/metafile/MetaRecords.h"
#include "platform/metafile/CEmfRecorderDC.h"
#include "platform/metafile/MetaFileHandles.h"
#include "render/ArgbBitmaps.h"
#include "render/InsertGraphic.h"
#include "render/PictureClipboard.h"
#include "render/PictureImport.h"
#include "undo/UndoCodes.h"

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include <memory>
#include <string>

#include <gtest/gtest.h>

namespace {

// The document is the active one while the object lives.
class ActiveDoc : public FakeAppContext {
public:
    explicit ActiveDoc(CKavoDoc* d)
    {
        doc = d;
        SetAppContext(this);
    }
    ~ActiveDoc() override { SetAppContext(nullptr); }
};

CFigure* LastFigure(const CKavoDoc& doc)
{
    CFigure* last = nullptr;
    doc.ForEachFigure([&](CFigure* f) { last = f; });
    return last;
}

// A white picture with a black disc in the middle.
QImage Disc(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setBrush(Qt::black);
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRect(w / 4, h / 4, w / 2, h / 2));
    return image;
}

QByteArray Bytes(const std::vector<BYTE>& v)
{
    return QByteArray(reinterpret_cast<const char*>(v.data()), qsizetype(v.size()));
}

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = QDir(dir.path()).filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return path;
}

std::vector<BYTE> RecordedEmf()
{
    CEmfRecorderDC rec;
    CBrush black(RGB(0, 0, 0));
    rec.SelectObject(&black);
    rec.Rectangle(0, 0, 200, 100);
    HENHMETAFILE emf = rec.Close();
    const UINT size = GetEnhMetaFileBits(emf, 0, nullptr);
    std::vector<BYTE> bytes(size);
    GetEnhMetaFileBits(emf, size, bytes.data());
    DeleteEnhMetaFile(emf);
    return bytes;
}

class PictureFigure : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(doc.OnNewDocument()); }
    CKavoDoc doc;
    CRecordingPrompt prompt;
};

} // namespace

TEST_F(PictureFigure, FigureTakesThePictureWithoutFillStyleOrBinding)
{
    HGLOBAL block = ARGBBitmapToBlock(Disc(64, 64).convertToFormat(QImage::Format_ARGB32));
    ASSERT_TRUE(doc.AddGraphicAsFig(UDMAC_IMPORT, block, 9, POINT{100, 200}, 300, 150));
    CFigure* fig = LastFigure(doc);
    ASSERT_NE(fig, nullptr);
    EXPECT_EQ(fig->m_rect, CRect(100, 200, 400, 350));
    EXPECT_EQ(fig->m_nStyle, -1);
    EXPECT_EQ(fig->m_props.BindToStyle, 0);
    EXPECT_EQ(fig->m_props.m_fill.m_nKind, 0);
    EXPECT_EQ(fig->m_props.m_nGraphicType, 9);
    EXPECT_EQ(fig->m_props.Graphic, block);
    FigFlagSet picture = CFigProps().Behavior;
    SetPictureFigFlags(picture);
    EXPECT_EQ(fig->m_props.Behavior.low, picture.low);
    EXPECT_EQ(fig->m_props.Behavior.high, picture.high);
    EXPECT_TRUE(fig->m_bSelected);
    EXPECT_TRUE(doc.m_graphics.FindByHandle(9, block));
    // A fully opaque picture still gets its (rectangular) outline traced.
    EXPECT_TRUE(fig->m_outline.HasPoints());
    EXPECT_EQ(doc.UndoLastStep(), UDMAC_IMPORT);
    EXPECT_EQ(doc.FigureCount(), 0);
}

// Undoing the delete of a picture figure brings its picture back as a block
// the document's graphics list knows, with its one use.
TEST_F(PictureFigure, UndoneDeleteRegistersThePictureAgain)
{
    HGLOBAL block = ARGBBitmapToBlock(Disc(32, 32).convertToFormat(QImage::Format_ARGB32));
    ASSERT_TRUE(doc.AddGraphicAsFig(UDMAC_IMPORT, block, 9, POINT{100, 200}, 300, 150));
    ASSERT_TRUE(LastFigure(doc)->m_bSelected);
    OnEditClear(doc);
    ASSERT_EQ(doc.FigureCount(), 0);
    EXPECT_EQ(doc.m_graphics.GetCount(), 0);
    doc.UndoLastStep();
    CFigure* fig = LastFigure(doc);
    ASSERT_NE(fig, nullptr);
    ASSERT_TRUE(fig->HasPicture());
    CGraphic* record = doc.m_graphics.FindByHandle(9, fig->m_props.Graphic);
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->UseCount, 1);
}

TEST_F(PictureFigure, HotZoneFollowsThePictureOnlyWhenAskedAndWhenItHasOne)
{
    QImage disc(64, 64, QImage::Format_ARGB32);
    disc.fill(Qt::transparent);
    {
        QPainter p(&disc);
        p.setBrush(Qt::black);
        p.drawEllipse(QRect(8, 8, 48, 48));
    }
    QImage empty(64, 64, QImage::Format_ARGB32);
    empty.fill(Qt::transparent);
    const struct {
        const char* name;
        QImage image;
        int nonRect;
        bool hotZone;
    } cases[] = {{"disc", disc, 1, true}, {"setting off", disc, 0, false}, {"nothing opaque", empty, 1, false}};
    for (const auto& c : cases) {
        NonRectBounds = c.nonRect;
        ASSERT_TRUE(doc.AddGraphicAsFig(UDMAC_IMPORT, ARGBBitmapToBlock(c.image), 9, POINT{0, 0}, 64, 64));
        const CFigure* fig = LastFigure(doc);
        EXPECT_EQ(fig->m_outline.HasPoints(), c.hotZone) << c.name;
        if (c.hotZone) {
            EXPECT_GT(fig->m_outline.GetCount(), 8) << c.name;
        }
    }
    EXPECT_FALSE(doc.AddGraphicAsFig(UDMAC_IMPORT, nullptr, 9, POINT{0, 0}, 64, 64));
}

TEST_F(PictureFigure, InsertGraphicLoadsScalesAndReportsFailures)
{
    QTemporaryDir dir;
    const std::vector<BYTE> bmpBytes = ImageToDib(Disc(40, 20), 24, true);
    const QString bmp = WriteFile(dir, "disc.bmp", Bytes(bmpBytes));
    // Placeable metafiles the import refuses: no units per inch (nothing may
    // divide by it), and a viewport mapping.
    const std::vector<BYTE> windowOnly = CWmfBuilder().Record(META_SETWINDOWEXT, {100, 100}).Finish();
    const std::vector<BYTE> viewport =
        CWmfBuilder().Record(META_SETWINDOWEXT, {100, 100}).Record(META_SETVIEWPORTEXT, {50, 50}).Finish();
    const QString noInch = WriteFile(dir, "noinch.wmf", Bytes(WithPlaceableHeader(windowOnly, 0, 0, 100, 100, 0)));
    const QString mapped = WriteFile(dir, "mapped.wmf", Bytes(WithPlaceableHeader(viewport, 0, 0, 100, 100, 1440)));
    const QString badBmp = WriteFile(dir, "bad.bmp", "BMnot a bitmap");
    // Past the pixel cap: a 1-bit PNG page of 16384 x 16384 (32 KB of file),
    // and a run-length BMP of 9000 x 9000 whose only run ends the picture.
    QImage page(16384, 16384, QImage::Format_Mono);
    page.fill(0);
    const QString bigPng = dir.filePath("page.png");
    ASSERT_TRUE(page.save(bigPng, "PNG"));
    page = QImage();
    QByteArray rle("BM\0\0\0\0\0\0\0\0\x36\x04\0\0" "\x28\0\0\0\x28\x23\0\0\x28\x23\0\0\x01\0\x08\0"
                   "\x01\0\0\0\x02\0\0\0" "\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0\0", 54);
    rle += QByteArray(1024, '\0') + QByteArray("\0\x01", 2);
    const QString bigBmp = WriteFile(dir, "big.bmp", rle);
    // 149 bytes whose header claims 57,311 rows of 24,000 coded bytes each.
    const QString longPcx = WriteFile(dir, "long.pcx", Pcx(2, 57311, 8, 3, 8000, true, QByteArray(21, '\x01')));
    ImpType = 5;
    ScaleImport = 50;
    ImportDialogRequest asked;
    QString answer;
    int leftOn = 4;
    const ImportDialogFn dialog = [&](ImportDialogRequest& r) {
        asked = r;
        r.path = answer;
        r.filterIndex = leftOn;
        return !answer.isEmpty();
    };

    // Cancel: nothing at all.
    EXPECT_FALSE(OnInsertGraphic(doc, dialog));
    EXPECT_EQ(asked.title, "Import Graphic");
    EXPECT_EQ(asked.filterIndex, 6);  // the remembered PNG type
    EXPECT_EQ(asked.defaultExt, "PNG");
    EXPECT_TRUE(prompt.shown.empty());

    answer = bmp;
    ASSERT_TRUE(OnInsertGraphic(doc, dialog));
    const CFigure* fig = LastFigure(doc);
    // The bitmap's own size in logical units, halved.
    int w = 0, h = 0;
    HGLOBAL original = GlobalFromBytes(bmpBytes.data(), bmpBytes.size());
    ASSERT_TRUE(GetGraphicExtent(original, 1, &w, &h));
    GlobalFree(original);
    EXPECT_EQ(fig->m_props.m_nGraphicType, 9);
    EXPECT_EQ(fig->m_rect.Width(), w * 50 / 100);
    EXPECT_EQ(fig->m_rect.Height(), h * 50 / 100);
    EXPECT_EQ(ImpType, 1);  // filter 4 is the bitmap type
    EXPECT_EQ(QString::fromStdString(ImpDir), QFileInfo(bmp).absolutePath());
    EXPECT_EQ(doc.UndoLastStep(), UDMAC_IMPORT);
    // A placeable metafile becomes an enhanced one.
    answer = WriteFile(dir, "good.wmf", Bytes(WithPlaceableHeader(windowOnly, 0, 0, 1440, 720, 1440)));
    ASSERT_TRUE(OnInsertGraphic(doc, dialog));
    EXPECT_EQ(LastFigure(doc)->m_props.m_nGraphicType, 3);
    EXPECT_EQ(doc.UndoLastStep(), UDMAC_IMPORT);

    const char* const kMetafileError = "Error loading metafile.  Make sure the file exists and that it is a valid "
                                       "enhanced metafile or placeable Windows-standard metafile.";
    const struct {
        QString path;
        const char* text;
    } failures[] = {
        {noInch, kMetafileError},
        {mapped, kMetafileError},
        {badBmp, "Unable to open the file or to recognize it as a supported graphics format."},
        {longPcx, "Unable to open the file or to recognize it as a supported graphics format."},
        {bigPng, "This picture is too large to insert (16384 x 16384 pixels). Pictures of up to 64 megapixels can "
                 "be inserted."},
        {bigBmp, "This picture is too large to insert (9000 x 9000 pixels). Pictures of up to 64 megapixels can be "
                 "inserted."},
    };
    for (const auto& f : failures) {
        prompt.shown.clear();
        answer = f.path;
        EXPECT_FALSE(OnInsertGraphic(doc, dialog));
        ASSERT_EQ(prompt.shown.size(), 1u);
        EXPECT_EQ(prompt.shown[0].text, f.text);
    }
    EXPECT_EQ(doc.FigureCount(), 0);
}

TEST_F(PictureFigure, ClipboardBitmapKeepsItsKindAndLosesItsBorderBackground)
{
    ActiveDoc active(&doc);
    const std::vector<BYTE> dib = ImageToDib(Disc(40, 40), 24, false);
    for (COLORREF key : {COLORREF(0xFF00FF), COLORREF(0x00FF00)}) {
        doc.m_crTranspColor = key;
        int kind = 0, w = 0, h = 0;
        HGLOBAL block = GetGraphicFromClipboard(CF_DIB, dib.data(), dib.size(), kind, w, h);
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(kind, 1);
        EXPECT_GT(w, 0);
        EXPECT_GT(h, 0);
        QImage image;
        {
            CGlobalLock lock(block);
            image = DibToImage(lock.data(), lock.size());
        }
        const QRgb corner = key == 0xFF00FF ? qRgb(255, 0, 255) : qRgb(255, 255, 255);
        EXPECT_EQ(image.pixel(0, 0), corner);
        EXPECT_EQ(image.pixel(20, 20), qRgb(0, 0, 0));
        GlobalFree(block);
    }
}

TEST_F(PictureFigure, PasteMakesAFigureOfAPictureAndRefusesOtherData)
{
    const std::vector<BYTE> emf = RecordedEmf();
    ASSERT_TRUE(PasteGraphic(doc, CF_ENHMETAFILE, emf.data(), emf.size()));
    const CFigure* fig = LastFigure(doc);
    EXPECT_EQ(fig->m_props.m_nGraphicType, 3);
    EXPECT_GT(fig->m_rect.Width(), 0);
    EXPECT_EQ(doc.UndoLastStep(), UDMAC_PASTE);

    const std::vector<BYTE> dib = ImageToDib(Disc(10, 10), 24, false);
    const BYTE junk[64] = {1, 2, 3};
    EXPECT_FALSE(PasteGraphic(doc, CF_ENHMETAFILE, junk, sizeof junk));
    EXPECT_FALSE(PasteGraphic(doc, CF_DIB, junk, sizeof junk));
    EXPECT_FALSE(PasteGraphic(doc, 2, dib.data(), dib.size()));
    EXPECT_EQ(doc.FigureCount(), 0);
    ASSERT_TRUE(PasteGraphic(doc, CF_DIB, dib.data(), dib.size()));
    EXPECT_EQ(LastFigure(doc)->m_props.m_nGraphicType, 1);
}

TEST_F(PictureFigure, FileBitmapBorderBecomesTransparentOnlyWithMagentaKeyAndBothOptions)
{
    ActiveDoc active(&doc);
    QTemporaryDir dir;
    // White with a near-white corner and a black frame around a white middle.
    QImage image(30, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixel(0, 0, qRgb(250, 250, 250));
    {
        QPainter p(&image);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawRect(8, 8, 14, 14);
        p.setBrush(Qt::white);
        p.drawRect(11, 11, 8, 8);
    }
    const QString path = WriteFile(dir, "frame.bmp", Bytes(ImageToDib(image, 24, true)));
    const struct {
        COLORREF key;
        bool transpBMPs, clean, edges;
        QRgb corner, nearWhite;
    } cases[] = {
        {0xFF00FF, true, true, true, 0, 0},
        {0x00FF00, true, true, true, qRgba(255, 255, 255, 255), qRgba(255, 255, 255, 255)},
        {0xFF00FF, false, true, true, qRgba(255, 255, 255, 255), qRgba(255, 255, 255, 255)},
        {0xFF00FF, true, true, false, qRgba(255, 255, 255, 255), qRgba(250, 250, 250, 255)},
        {0xFF00FF, true, false, true, 0, qRgba(250, 250, 250, 255)},
    };
    for (const auto& c : cases) {
        doc.m_crTranspColor = c.key;
        doc.m_bTranspBMPs = c.transpBMPs;
        int kind = 0, w = 0, h = 0, transparent = 0;
        HGLOBAL block = LoadGraphicFromFile(path, kind, w, h, 0xFFFFFF, c.clean, c.edges, transparent);
        ASSERT_NE(block, nullptr);
        EXPECT_EQ(kind, 9);
        std::unique_ptr<QImage> out = ARGBBlockToBitmap(block);
        ASSERT_TRUE(out);
        const auto at = [&](int x, int y) { return qAlpha(out->pixel(x, y)) ? out->pixel(x, y) : 0u; };
        const std::string label = std::to_string(c.key) + " " + std::to_string(c.transpBMPs) +
                                  std::to_string(c.clean) + std::to_string(c.edges);
        EXPECT_EQ(at(29, 29), c.corner) << label;
        EXPECT_EQ(at(0, 0), c.nearWhite) << label;
        EXPECT_EQ(at(15, 15), qRgba(255, 255, 255, 255)) << label; // enclosed white stays
        EXPECT_EQ(at(9, 9), qRgba(0, 0, 0, 255)) << label;
        GlobalFree(block);
    }
}
