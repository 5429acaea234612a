#pragma once
// A document's printer: its handles, whether they name a usable printer, and
// bringing the page settings and the printer's settings together before
// printing.
#include "platform/GlobalMem.h"

class CKavoDoc;

// With both given, the document's pair becomes copies of them; with either
// missing nothing changes.
void SetDocPrinterHandles(CKavoDoc& doc, HGLOBAL devMode, HGLOBAL devNames);
bool HasUsablePrinter(const CKavoDoc& doc);
// A new document prints on the application's printer (the system's default
// when the application has none yet), on one sheet.
void GiveNewDocAppPrinter(CKavoDoc& doc);

// Results of SetPageRealizePrinter.
constexpr int kRealizeFailed = 0;     // no printer, or a DEVMODE that does not lock
constexpr int kRealizeKept = 1;       // the page settings hold on the printer
constexpr int kRealizeUnpreserved = 2; // the orientation or the paper had to change
// Writes the document's orientation and paper into its DEVMODE (taking the
// application's printer when its own is not usable) and updates the page
// layout.
int SetPageRealizePrinter(CKavoDoc& doc);
