#pragma once
// The print seam's dialogs and jobs: the print dialog (in set-up mode or
// not), the printing of a document on a printer and the print preview. The
// UI installs them over the desktop's printer support; tests install a fake.
// Without them nothing is shown and nothing printed.
#include "platform/GlobalMem.h"

class CKavoDoc;

class IPrintUi {
public:
    virtual ~IPrintUi() = default;
    // The print dialog in set-up mode on the handles (no print to file, no
    // page numbers, no selection); OK puts the choice into the handles.
    virtual bool PrintSetupDialog(HGLOBAL& devMode, HGLOBAL& devNames) = 0;
    // The print dialog on the system's default printer: new handles of the
    // choice (the caller frees them); false on Cancel.
    virtual bool PrintDialog(HGLOBAL& devMode, HGLOBAL& devNames) = 0;
    // Prints the document's pages (PrintDocumentPages) on the printer of the
    // handles, after the print dialog unless `direct`; the printer chosen
    // there goes into the handles.
    virtual void PrintDocument(CKavoDoc& doc, bool direct, HGLOBAL& devMode, HGLOBAL& devNames) = 0;
    // The print preview of the document's pages on that printer.
    virtual void PrintPreview(CKavoDoc& doc, HGLOBAL& devMode, HGLOBAL& devNames) = 0;
};

// Installs the seam (not owned); null: nothing is shown.
void SetPrintUi(IPrintUi* ui);
IPrintUi* GetPrintUi();
