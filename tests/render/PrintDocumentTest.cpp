// Printing through the print seam into a PDF writer: one page per tile of
// the document's tiling, the paper from the document, and the refusal of a
// paper without dimensions.
#include "common/TestSupport.h"
#include "document/CKavoDoc.h"
#include "document/PageLayout.h"
#include "render/DocDrawObjects.h"
#include "render/PrintDocument.h"

#include <QFile>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <gtest/gtest.h>

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
