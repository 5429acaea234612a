// The printer handles against Qt's printer: the page and printer a QPrinter
// takes from the handles, the handles taken back from it, and the page the
// PDF-file printer reports through the printer seam.
#include "app/ui/CQtPrinterService.h"
#include "app/ui/PrinterHandlesQt.h"

#include <QPrinter>

#include <gtest/gtest.h>

namespace {
HGLOBAL PdfNames()
{
    DevNamesStrings names;
    names.driver = "qtprint";
    names.device = kPdfPrinterName;
    names.port = "FILE:";
    return NewDevNamesBlock(names);
}
} // namespace

TEST(PrinterHandlesQt, PageGoesIntoThePrinterAndComesBack)
{
    DevModeFields f = DesktopPrinterDefaults(kPdfPrinterName);
    f.paperSize = 9;
    f.orientation = DMORIENT_LANDSCAPE;
    f.driverExtra = 4;
    HGLOBAL devMode = NewDevModeBlock(f);
    {
        CGlobalLock lock(devMode);
        lock.data()[lock.size() - 1] = 0xAB; // the driver's private bytes
    }
    HGLOBAL devNames = PdfNames();
    QPrinter printer(QPrinter::HighResolution);
    ConfigurePrinter(printer, devMode, devNames);
    EXPECT_EQ(printer.outputFormat(), QPrinter::PdfFormat);
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);

    printer.setPageSize(QPageSize(QPageSize::Legal));
    printer.setPageOrientation(QPageLayout::Portrait);
    const HGLOBAL sameBlock = devMode;
    StorePrinterChoice(printer, devMode, devNames);
    DevModeFields back;
    ASSERT_TRUE(ReadDevModeFields(devMode, back));
    EXPECT_EQ(back.paperSize, 5);
    EXPECT_EQ(back.orientation, DMORIENT_PORTRAIT);
    EXPECT_EQ(back.paperWidth, 2159);
    EXPECT_EQ(back.paperLength, 3556);
    EXPECT_EQ(devMode, sameBlock); // the same printer keeps its block
    {
        CGlobalLock lock(devMode);
        EXPECT_EQ(lock.data()[lock.size() - 1], 0xAB);
    }
    DevNamesStrings names;
    ASSERT_TRUE(ReadDevNames(devNames, names));
    EXPECT_EQ(names.device, kPdfPrinterName);
    GlobalFree(devMode);
    GlobalFree(devNames);
}

TEST(PrinterHandlesQt, PdfPrinterPrintsTheWholePaper)
{
    CQtPrinterService service;
    EXPECT_TRUE(service.OpenPrinter(kPdfPrinterName));
    std::vector<int> codes;
    EXPECT_EQ(service.DeviceCapabilities(kPdfPrinterName, "FILE:", DC_PAPERS, &codes), 40);
    EXPECT_EQ(codes[0], 1);
    DevModeFields f = DesktopPrinterDefaults(kPdfPrinterName);
    f.paperSize = 1;
    HGLOBAL devMode = NewDevModeBlock(f);
    DevNamesStrings names;
    names.device = kPdfPrinterName;
    PrinterDeviceCaps caps;
    ASSERT_TRUE(service.GetDeviceCaps(names, devMode, caps));
    EXPECT_EQ(caps.horzSize, 215);
    EXPECT_EQ(caps.vertSize, 279);
    EXPECT_EQ(caps.physicalWidth, 1200 * 85 / 10);
    GlobalFree(devMode);
}

#include "app/ui/CQtPrintUi.h"
#include "document/CKavoDoc.h"
#include "document/PageLayout.h"
#include "render/DocDrawObjects.h"

#include <QApplication>
#include <QPrintPreviewWidget>
#include <QTimer>

TEST(PrinterHandlesQt, PreviewDrawsEveryTileThroughThePrintPath)
{
    InstallExportDrawer();
    CKavoDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    ResetPageSettings(doc);
    auto* fig = new CFigure(&doc);
    fig->m_rect = CRect(100, 100, 2600, 400);
    fig->m_props = doc.m_figStyles.GetAt(0)->m_props;
    fig->m_nId = doc.m_nNextId++;
    ASSERT_TRUE(doc.AddFig(fig));
    SetPosterRowsCols(doc, 1, 2);
    ASSERT_EQ(doc.m_nPosterCols, 2);
    DevModeFields f = DesktopPrinterDefaults(kPdfPrinterName);
    HGLOBAL devMode = NewDevModeBlock(f);
    HGLOBAL devNames = PdfNames();
    int pages = -1;
    QTimer::singleShot(0, [&pages] {
        QWidget* dialog = QApplication::activeModalWidget();
        ASSERT_NE(dialog, nullptr);
        if (auto* preview = dialog->findChild<QPrintPreviewWidget*>()) {
            preview->updatePreview();
            pages = preview->pageCount();
        }
        dialog->close();
    });
    CQtPrintUi ui(nullptr);
    ui.PrintPreview(doc, devMode, devNames);
    EXPECT_EQ(pages, 2);
    GlobalFree(devMode);
    GlobalFree(devNames);
}
