#pragma once
// The application's printer handles: the pair the print commands print
// with. A new document copies them, Print copies the document's pair into
// them, Print Setup changes them. Program-wide; reset by ResetAppPrinter.
#include "platform/GlobalMem.h"

class CKavoDoc;

struct CAppPrinterHandles {
    HGLOBAL devMode = nullptr;
    HGLOBAL devNames = nullptr;
};

// The handles (owned by this module; a copy goes to whoever keeps one).
CAppPrinterHandles& AppPrinterHandles();
// Frees both and switches the paper truncation warning off.
void ResetAppPrinter();
// With both given, the application's pair becomes copies of them; with
// either missing nothing changes.
void SetAppPrinterHandles(HGLOBAL devMode, HGLOBAL devNames);
// The application takes copies of the document's pair; false for no document.
bool TakeDocPrinter(const CKavoDoc* doc);
// The application's DEVNAMES, or null.
HGLOBAL LockAppDevNames();
// Without a DEVNAMES the application takes the system's default printer;
// true when it holds a DEVNAMES afterwards.
bool SelectDefaultPrinter();
// Letter, portrait, on the application's printer.
bool GetDefaultPaperDimensions(int& paperW, int& paperH, int& printW, int& printH);
// The largest tiling of letter paper on the application's printer.
void GetAppMaxRowsCols(int& rows, int& cols);

// The framework replaces a printer marked as the system's default by the
// current default printer. Around a print dialog or command the mark is taken
// off the application's DEVNAMES and put back afterwards, onto the same
// block only: a printer chosen in the dialog comes with its own mark.
class CDefaultPrinterFlagOff {
public:
    CDefaultPrinterFlagOff();
    ~CDefaultPrinterFlagOff();
    CDefaultPrinterFlagOff(const CDefaultPrinterFlagOff&) = delete;
    CDefaultPrinterFlagOff& operator=(const CDefaultPrinterFlagOff&) = delete;

private:
    HGLOBAL m_hDevNames = nullptr; // the block the mark was taken off
    WORD m_wDefault = 0;
};
// Clears the mark for good (Print All).
void ClearDefaultPrinterFlag(HGLOBAL devNames);
