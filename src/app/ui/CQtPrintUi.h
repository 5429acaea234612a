#pragma once
// The print seam's dialogs and jobs over Qt's print support: QPrintDialog
// for Print Setup, Print and Print All, QPrintPreviewDialog for the preview;
// every page is drawn by the model's print path (PrintDocumentPages).
#include "render/PrintUi.h"

class QPrinter;
class QWidget;

class CQtPrintUi : public IPrintUi {
public:
    explicit CQtPrintUi(QWidget* parent) : m_parent(parent) {}

    bool PrintSetupDialog(HGLOBAL& devMode, HGLOBAL& devNames) override;
    bool PrintDialog(HGLOBAL& devMode, HGLOBAL& devNames) override;
    void PrintDocument(CKavoDoc& doc, bool direct, HGLOBAL& devMode, HGLOBAL& devNames) override;
    void PrintPreview(CKavoDoc& doc, HGLOBAL& devMode, HGLOBAL& devNames) override;

private:
    // A PDF-file printer without a file asks for one; false on Cancel.
    bool EnsureOutputFile(QPrinter& printer);

    QWidget* m_parent;
};

// Installs the printer service and the print dialogs of the desktop
// (parent: the main window), and takes them out again.
void InstallQtPrinting(QWidget* parent);
void RemoveQtPrinting();
