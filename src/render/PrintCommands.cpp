#include "render/PrintCommands.h"

#include "core/MsgBox.h"
#include "core/Settings.h"
#include "document/AppPrinter.h"
#include "document/CKavoDoc.h"
#include "document/DocPrinter.h"
#include "document/PageLayout.h"
#include "document/PaperSizes.h"
#include "document/PrinterHandles.h"
#include "keyword/KeywordHooks.h"
#include "platform/Prompt.h"
#include "render/PrintUi.h"

namespace {
// Before the dialog: the page's margins, the document's printer and the
// application's copy of it. False when the application could not take it.
bool PrepareDocPrinter(CKavoDoc& doc)
{
    UpdateMarginArea(doc);
    SetPageRealizePrinter(doc);
    return TakeDocPrinter(&doc);
}

bool HasPaperDimensions(const CKavoDoc& doc)
{
    return doc.m_rcPage.Width() >= 1 && doc.m_rcPage.Height() >= 1;
}

// Whether to go on when objects lie outside the page margins.
bool AcceptObjectsOutsideMargins(const CKavoDoc& doc)
{
    if (!WarnOutsideMargins || !ShowPage || AllObjectsInPageArea(doc))
        return true;
    bool dontShow = false;
    const int answer = ShowLoadWarning("Objects are not entirely within page margins.  Continue?", &dontShow);
    if (dontShow)
        WarnOutsideMargins = 0;
    return answer == IDOK;
}

void AfterPrinting(CKavoDoc& doc)
{
    UpdatePageLayout(doc);
    SetPaperTruncationWarning(false);
    doc.UpdateAllViews(nullptr, 0, nullptr);
}

void FreeHandles(HGLOBAL& devMode, HGLOBAL& devNames)
{
    if (devMode)
        GlobalFree(devMode);
    if (devNames)
        GlobalFree(devNames);
    devMode = devNames = nullptr;
}

// Prints one document of Print All on the chosen printer. The document
// holds its own copies of the chosen handles while it prints, and whatever
// it holds then is freed here: the chosen handles stay the caller's.
void PrintOneOfAll(CKavoDoc& doc, HGLOBAL devMode, HGLOBAL devNames)
{
    HGLOBAL ownMode = doc.m_hDevMode, ownNames = doc.m_hDevNames;
    doc.m_hDevMode = doc.m_hDevNames = nullptr;
    CopyDevModeBlock(doc.m_hDevMode, devMode);
    CopyGlobalBlock(doc.m_hDevNames, devNames);
    if (ownMode)
        CopyDevModePaperFields(doc.m_hDevMode, ownMode);
    // Only a document whose orientation and paper hold on this printer.
    if (SetPageRealizePrinter(doc) == kRealizeKept)
        PrintCommand(&doc, true);
    FreeHandles(doc.m_hDevMode, doc.m_hDevNames);
    doc.m_hDevMode = ownMode;
    doc.m_hDevNames = ownNames;
    SetPageRealizePrinter(doc);
}
} // namespace

void PrintSetupCommand(CKavoDoc* active)
{
    if (active) {
        SetPageRealizePrinter(*active);
        TakeDocPrinter(active);
    }
    CAppPrinterHandles& app = AppPrinterHandles();
    IPrintUi* ui = GetPrintUi();
    if (!app.devNames || !ui)
        return;
    bool chosen = false;
    {
        CDefaultPrinterFlagOff flagOff;
        chosen = ui->PrintSetupDialog(app.devMode, app.devNames);
    }
    if (!chosen || !active)
        return;
    SetDocPrinterHandles(*active, app.devMode, app.devNames);
    int paperW = 0, paperH = 0, printW = 0, printH = 0;
    GetDefaultPaperDimensions(paperW, paperH, printW, printH);
    if (!paperW || !paperH || !printW || !printH)
        MsgBoxPrintf(MB_ICONEXCLAMATION, "Warning.  Printing is disabled when paper dimensions are zero.  Try "
                                         "selecting a different paper or create a custom paper.");
    SetPaperTruncationWarning(true);
    UpdatePageLayout(*active);
    SetPaperTruncationWarning(false);
    active->UpdateAllViews(nullptr, 0, nullptr);
    active->SetModifiedFlag();
}

void PrintCommand(CKavoDoc* doc, bool direct)
{
    if (!doc)
        return;
    PrepareDocPrinter(*doc);
    if (!HasPaperDimensions(*doc)) {
        MsgBoxPrintf(MB_ICONEXCLAMATION,
                     "Cannot print, custom paper size has no dimensions.  Fix in Print Set-up or Page Set-up.");
        return;
    }
    int limit = 0, shown = 0;
    GetMaxPaperExtent(limit, shown);
    SetPaperTruncationWarning(doc->m_rcPage.Width() != limit && doc->m_rcPage.Height() != limit);
    if (AcceptObjectsOutsideMargins(*doc)) {
        CAppPrinterHandles& app = AppPrinterHandles();
        if (!app.devNames)
            return;
        if (IPrintUi* ui = GetPrintUi()) {
            CDefaultPrinterFlagOff flagOff;
            ui->PrintDocument(*doc, direct, app.devMode, app.devNames);
        }
    }
    AfterPrinting(*doc);
}

void PrintPreviewCommand(CKavoDoc* doc)
{
    if (!doc || !PrepareDocPrinter(*doc))
        return;
    CAppPrinterHandles& app = AppPrinterHandles();
    IPrintUi* ui = GetPrintUi();
    if (!app.devNames || !ui)
        return;
    CDefaultPrinterFlagOff flagOff;
    ui->PrintPreview(*doc, app.devMode, app.devNames);
}

void PrintAllCommand(const std::vector<CKavoDoc*>& docs)
{
    IPrintUi* ui = GetPrintUi();
    if (!SelectDefaultPrinter() || !ui)
        return;
    ClearDefaultPrinterFlag(AppPrinterHandles().devNames);
    HGLOBAL devMode = nullptr, devNames = nullptr;
    if (!ui->PrintDialog(devMode, devNames)) {
        FreeHandles(devMode, devNames);
        return;
    }
    ClearDefaultPrinterFlag(devNames);
    for (CKavoDoc* doc : docs)
        if (doc)
            PrintOneOfAll(*doc, devMode, devNames);
    FreeHandles(devMode, devNames);
}
