#pragma once
// Printing through the print seam: the model draws the pages of a document's
// tiling on any paged paint device (a printer in the editor, a PDF writer in
// tests). The printer, its list and the print dialog are the UI's.
#include "platform/CRect.h"

class CDC;
class CKavoDoc;
class QPagedPaintDevice;

// The device's page takes the document's paper size and orientation, with
// the printer's unprintable border (outside the printable tile) as margins.
void ApplyDocPageLayout(const CKavoDoc& doc, QPagedPaintDevice* device);
// Prints pages fromPage..toPage (1-based, clamped to the tiling's rows x
// columns), one device page each; the number printed. A paper without
// dimensions is refused with the message and prints nothing.
int PrintDocumentPages(CKavoDoc& doc, QPagedPaintDevice* device, int fromPage, int toPage);
// Draws printed page `page` (1-based) on a device whose page is
// `printSize` pixels: the tile of that page fills it, then its crop marks.
void PrintOnePage(CKavoDoc& doc, CDC& dc, int page, CSize printSize);
