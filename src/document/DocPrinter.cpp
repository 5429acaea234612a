#include "document/DocPrinter.h"

#include "core/Trace.h"
#include "document/AppPrinter.h"
#include "document/CKavoDoc.h"
#include "document/PageLayout.h"
#include "document/PrinterHandles.h"

namespace {
struct PaperState {
    int orientation, paper, length, width;
};

PaperState CurrentPaper(const CKavoDoc& doc)
{
    return {doc.m_nOrientation, doc.m_nPaper, doc.m_nPaperLength, doc.m_nPaperWidth};
}

// A fresh DEVMODE from the driver; the old one stays when the driver's
// versions agree. kRealizeKept when nothing more is to be done, -1 to go on.
int RefreshDevMode(CKavoDoc& doc)
{
    HGLOBAL fresh = GetSafeDevModeFromHandles(doc.m_hDevNames, doc.m_hDevMode);
    DevModeFields oldFields, freshFields;
    if (!ReadDevModeFields(fresh, freshFields) || !IsValidDevModeHandle(doc.m_hDevMode)) {
        if (fresh)
            GlobalFree(fresh);
        return kRealizeFailed;
    }
    // A stored block too short for its fields is replaced like an old one.
    const bool readable = ReadDevModeFields(doc.m_hDevMode, oldFields);
    if (readable && oldFields.specVersion == freshFields.specVersion &&
        oldFields.driverVersion == freshFields.driverVersion) {
        GlobalFree(fresh);
        DiagPrintf("PAGE  CKavoDoc::SetPageRealizePrinter() Exit - ok as is\n");
        return kRealizeKept;
    }
    GlobalFree(doc.m_hDevMode);
    doc.m_hDevMode = fresh;
    DiagPrintf("PAGE  CKavoDoc::SetPageRealizePrinter() updated DEVMODE\n");
    return -1;
}

// The application's printer in place of the document's own.
bool TakeAppPrinter(CKavoDoc& doc)
{
    if (!SelectDefaultPrinter())
        return false;
    const CAppPrinterHandles& app = AppPrinterHandles();
    if (!app.devMode || !app.devNames)
        return false;
    SetDocPrinterHandles(doc, app.devMode, app.devNames);
    doc.SetModifiedFlag();
    return true;
}
} // namespace

void SetDocPrinterHandles(CKavoDoc& doc, HGLOBAL devMode, HGLOBAL devNames)
{
    CopyPrinterHandles(doc.m_hDevMode, doc.m_hDevNames, devMode, devNames);
}

void GiveNewDocAppPrinter(CKavoDoc& doc)
{
    if (!SelectDefaultPrinter())
        return;
    const CAppPrinterHandles& app = AppPrinterHandles();
    SetDocPrinterHandles(doc, app.devMode, app.devNames);
    SetPosterRowsCols(doc, 1, 1);
}

bool HasUsablePrinter(const CKavoDoc& doc)
{
    return IsPrinterUsable(doc.m_hDevMode, doc.m_hDevNames);
}

int SetPageRealizePrinter(CKavoDoc& doc)
{
    DiagPrintf("PAGE  CKavoDoc::SetPageRealizePrinter() Entry\n");
    DevModeFields stored;
    const bool hadDevMode = ReadDevModeFields(doc.m_hDevMode, stored);
    if (hadDevMode) {
        doc.m_nOrientation = stored.orientation;
        doc.m_nPaper = stored.paperSize;
    }
    const PaperState before = CurrentPaper(doc);
    if (HasUsablePrinter(doc)) {
        const int refreshed = RefreshDevMode(doc);
        if (refreshed >= 0)
            return refreshed;
    } else if (!TakeAppPrinter(doc)) {
        return kRealizeFailed;
    }
    const short orientation = doc.m_nOrientation == DMORIENT_LANDSCAPE &&
                                      !PrinterSupportsLandscape(doc.m_hDevNames, doc.m_hDevMode)
                                  ? DMORIENT_PORTRAIT
                                  : short(doc.m_nOrientation);
    SetDevModeShort(doc.m_hDevMode, devmode::kOrientation, orientation, DM_ORIENTATION);
    int paper = doc.m_nPaper, length = doc.m_nPaperLength, width = doc.m_nPaperWidth;
    FitPaperToPrinter(doc.m_hDevNames, doc.m_hDevMode, paper, length, width);
    doc.m_nPaper = paper;
    doc.m_nPaperLength = length;
    doc.m_nPaperWidth = width;
    SetDevModeShort(doc.m_hDevMode, devmode::kPaperSize, short(doc.m_nPaper), DM_PAPERSIZE);
    UpdatePageLayout(doc);
    if (hadDevMode) {
        const PaperState after = CurrentPaper(doc);
        const bool sizeChanged = after.length != before.length || after.width != before.width;
        if (after.orientation != before.orientation || (after.paper != before.paper && sizeChanged)) {
            DiagPrintf("PAGE  CKavoDoc::SetPageRealizePrinter() Exit - unpreserved\n");
            return kRealizeUnpreserved;
        }
    }
    DiagPrintf("PAGE  CKavoDoc::SetPageRealizePrinter() Exit\n");
    return kRealizeKept;
}
