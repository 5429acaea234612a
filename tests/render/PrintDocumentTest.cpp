// Printing through the print seam into a PDF writer: one page per tile of
// the document's tiling, the paper from the document, and the refusal of a
// paper without dimensions.
#include "common/TestSupport.h"
#include "core/Settings.h"
#include "document/CKavoDoc.h"
#include "document/PageLayout.h"
#include "render/DocDrawObjects.h"
#include "render/PrintDocument.h"
#include "platform/CPainterDC.h"
#include "render/ImageTestSupport.h"

#include <QFile>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
// Whether any pixel inside `box` of the printed page is not white.
bool Inked(const QImage& img, const QRect& box)
{
    for (int y = box.top(); y <= box.bottom(); ++y)
        for (int x = box.left(); x <= box.right(); ++x)
            if ((img.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                return true;
    return false;
}
} // namespace

TEST(PrintDocument, EveryTileIsOnePageOfTheDocumentsPaper)
{
    InstallExportDrawer();
    QTemporaryDir dir;
    CKavoDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    ResetPageSettings(doc);
    auto* fig = new CFigure(&doc);
    fig->m_rect = CRect(100, 100, 2600, 400); // runs over into the second column
    fig->m_props = doc.m_figStyles.GetAt(0)->m_props;
    fig->m_nId = doc.m_nNextId++;
    ASSERT_TRUE(doc.AddFig(fig));
    SetPosterRowsCols(doc, 1, 2);
    ASSERT_EQ(doc.m_nPosterCols, 2);

    const QString path = dir.filePath("out.pdf");
    {
        QPdfWriter pdf(path);
        pdf.setResolution(72);
        ApplyDocPageLayout(doc, &pdf);
        EXPECT_EQ(pdf.pageLayout().pageSize().id(), QPageSize::Letter);
        EXPECT_EQ(PrintDocumentPages(doc, &pdf, 1, 99), 2);
    }
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_EQ(bytes.count("/Type /Page\n"), 2);
}

TEST(PrintDocument, PaperWithoutDimensionsIsRefused)
{
    CRecordingPrompt prompt;
    QTemporaryDir dir;
    CKavoDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    doc.m_nPaperWidth = 0;
    QPdfWriter pdf(dir.filePath("none.pdf"));
    EXPECT_EQ(PrintDocumentPages(doc, &pdf, 1, 1), 0);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text,
              "Cannot print, custom paper size has no dimensions.  Fix in Print Set-up or Page Set-up.");
}

// A page of a tiled diagram carries an L at each corner of its own tile,
// one pixel inside the paper's edge; one page alone, or the setting off,
// prints none. The diagram holds no objects: only marks can ink the page.
TEST(PrintDocument, CropMarksFrameEachTileOfATiledDiagram)
{
    CKavoDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    ResetPageSettings(doc);
    const CSize tile(doc.m_rcPage.Width() / 4, doc.m_rcPage.Height() / 4);
    struct Case {
        int cols, rows, marks, page;
        bool inked;
    } cases[] = {
        {1, 1, 1, 1, false}, {2, 1, 0, 2, false}, {2, 1, 1, 1, true},
        {2, 1, 1, 2, true},  {2, 2, 1, 4, true},  {1, 2, 1, 2, true},
    };
    const int savedMarks = CropMarks;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.cols << "x" << c.rows << " marks " << c.marks << " page " << c.page);
        doc.m_nPosterCols = c.cols;
        doc.m_nPosterRows = c.rows;
        CropMarks = c.marks;
        QImage img = WhiteImage(tile.cx, tile.cy);
        {
            CPainterDC dc(&img);
            PrintOnePage(doc, dc, c.page, tile);
            dc.Flush();
        }
        // Arms of 64 units are 16 pixels at this scale; the corners' 8 x 8
        // boxes hold them, the page's middle stays blank.
        const int w = tile.cx, h = tile.cy;
        for (const QRect& corner : {QRect(0, 0, 8, 8), QRect(w - 8, 0, 8, 8), QRect(0, h - 8, 8, 8),
                                    QRect(w - 8, h - 8, 8, 8)})
            EXPECT_EQ(Inked(img, corner), c.inked) << corner.x() << "," << corner.y();
        EXPECT_FALSE(Inked(img, QRect(16, 16, w - 32, h - 32)));
    }
    CropMarks = savedMarks;
}

// The printer's unprintable border becomes the device page's margins, so
// that the printable tile fills the page the painter draws on.
TEST(PrintDocument, ThePrintersBorderIsTheDevicesMargin)
{
    QTemporaryDir dir;
    CKavoDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    ResetPageSettings(doc);
    for (int orientation : {1, 2}) {
        SCOPED_TRACE(orientation);
        doc.m_nOrientation = orientation;
        doc.m_rcPrintable = doc.m_rcPage;
        doc.m_rcPrintable.DeflateRect(64, 128, 64, 128);  // a quarter inch across, half an inch down
        QPdfWriter pdf(dir.filePath("border.pdf"));
        ApplyDocPageLayout(doc, &pdf);
        const QMarginsF m = pdf.pageLayout().margins(QPageLayout::Millimeter);
        EXPECT_NEAR(m.left(), 6.35, 0.01);
        EXPECT_NEAR(m.right(), 6.35, 0.01);
        EXPECT_NEAR(m.top(), 12.7, 0.01);
        EXPECT_NEAR(m.bottom(), 12.7, 0.01);
    }
}
