#include "app/ui/CQtPrintUi.h"

#include "app/ui/CQtPrinterService.h"
#include "app/ui/PrinterHandlesQt.h"
#include "document/CKavoDoc.h"
#include "platform/ui/DialogExec.h"
#include "render/PrintDocument.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>

#include <algorithm>
#include <memory>

namespace {
std::unique_ptr<CQtPrinterService> g_printerService;
std::unique_ptr<CQtPrintUi> g_printUi;

int PageCount(const CKavoDoc& doc)
{
    return std::max(1, int(doc.m_nPosterRows)) * std::max(1, int(doc.m_nPosterCols));
}

// The options the commands allow: no selection, no current page; page
// numbers only when printing a document.
void LimitOptions(QPrintDialog& dialog, bool pageRange)
{
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, pageRange);
}
} // namespace

bool CQtPrintUi::PrintSetupDialog(HGLOBAL& devMode, HGLOBAL& devNames)
{
    QPrinter printer(QPrinter::HighResolution);
    ConfigurePrinter(printer, devMode, devNames);
    QPrintDialog dialog(&printer, m_parent);
    dialog.setWindowTitle(QObject::tr("Print Setup"));
    LimitOptions(dialog, false);
    dialog.setOption(QAbstractPrintDialog::PrintToFile, false);
    // The dialog chooses the printer and its paper; it prints nothing.
    if (auto* buttons = dialog.findChild<QDialogButtonBox*>())
        if (QPushButton* ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QObject::tr("OK"));
    if (ExecDialogReturningActivation(dialog) != QDialog::Accepted)
        return false;
    StorePrinterChoice(printer, devMode, devNames);
    return true;
}

bool CQtPrintUi::PrintDialog(HGLOBAL& devMode, HGLOBAL& devNames)
{
    QPrinter printer(QPrinter::HighResolution);
    ConfigurePrinter(printer, nullptr, nullptr); // the system's default printer
    QPrintDialog dialog(&printer, m_parent);
    LimitOptions(dialog, false);
    if (ExecDialogReturningActivation(dialog) != QDialog::Accepted)
        return false;
    StorePrinterChoice(printer, devMode, devNames);
    return true;
}

void CQtPrintUi::PrintDocument(CKavoDoc& doc, bool direct, HGLOBAL& devMode, HGLOBAL& devNames)
{
    QPrinter printer(QPrinter::HighResolution);
    ConfigurePrinter(printer, devMode, devNames);
    ApplyDocPageLayout(doc, &printer);
    const int pages = PageCount(doc);
    printer.setFromTo(1, pages);
    if (!direct) {
        QPrintDialog dialog(&printer, m_parent);
        LimitOptions(dialog, true);
        dialog.setMinMax(1, pages);
        if (ExecDialogReturningActivation(dialog) != QDialog::Accepted)
            return;
        // The printer chosen there stays the application's.
        StorePrinterChoice(printer, devMode, devNames);
    }
    if (!EnsureOutputFile(printer))
        return;
    const bool range = printer.printRange() == QPrinter::PageRange;
    PrintDocumentPages(doc, &printer, range ? printer.fromPage() : 1, range ? printer.toPage() : pages);
}

void CQtPrintUi::PrintPreview(CKavoDoc& doc, HGLOBAL& devMode, HGLOBAL& devNames)
{
    QPrinter printer(QPrinter::HighResolution);
    ConfigurePrinter(printer, devMode, devNames);
    ApplyDocPageLayout(doc, &printer);
    QPrintPreviewDialog preview(&printer, m_parent);
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, [&doc](QPrinter* target) {
        ApplyDocPageLayout(doc, target);
        PrintDocumentPages(doc, target, 1, PageCount(doc));
    });
    preview.exec();
}

bool CQtPrintUi::EnsureOutputFile(QPrinter& printer)
{
    if (printer.outputFormat() != QPrinter::PdfFormat || !printer.outputFileName().isEmpty())
        return true;
    const QString path = QFileDialog::getSaveFileName(m_parent, QObject::tr("Print to File"), QString(),
                                                      QObject::tr("PDF Files (*.pdf)"));
    if (path.isEmpty())
        return false;
    printer.setOutputFileName(path);
    return true;
}

void InstallQtPrinting(QWidget* parent)
{
    g_printerService = std::make_unique<CQtPrinterService>();
    g_printUi = std::make_unique<CQtPrintUi>(parent);
    SetPrinterService(g_printerService.get());
    SetPrintUi(g_printUi.get());
}

void RemoveQtPrinting()
{
    SetPrintUi(nullptr);
    SetPrinterService(nullptr);
    g_printUi.reset();
    g_printerService.reset();
}
