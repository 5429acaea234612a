#include "dialogs/page/PageSetupCommand.h"

#include "core/Settings.h"
#include "core/Trace.h"
#include "dialogs/page/CPageDlg.h"
#include "document/AppPrinter.h"
#include "document/CKavoDoc.h"
#include "document/CPrinterDevice.h"
#include "document/PageLayout.h"
#include "document/PaperSizes.h"
#include "document/PrinterHandles.h"
#include "platform/DevModeBlock.h"
#include "platform/Prompt.h"

namespace {
// The DEVMODE names the device the DEVNAMES names.
bool DevModeMatchesNames(HGLOBAL devMode, HGLOBAL devNames)
{
    DevModeFields mode;
    DevNamesStrings names;
    return ReadDevModeFields(devMode, mode) && ReadDevNames(devNames, names) &&
           names.device.substr(0, devmode::kDeviceNameLen - 1) == mode.deviceName;
}

void FillFromDocument(CPageDlg& dlg, const CKavoDoc& doc)
{
    dlg.m_nRows = doc.m_nPosterRows;
    dlg.m_nCols = doc.m_nPosterCols;
    dlg.m_nPaperId = doc.m_nPaper;
    dlg.m_nOrientation = doc.m_nOrientation;
    CopyDevModeBlock(dlg.m_hDevMode, doc.m_hDevMode);
    CopyGlobalBlock(dlg.m_hDevNames, doc.m_hDevNames);
    CPrinterDevice device;
    device.SetDevMode(doc.m_hDevMode);
    device.SetDevNames(doc.m_hDevNames);
    device.Dump();
    int paperW = 0, paperH = 0;
    GetDocPaperDimensions(doc, paperW, paperH, dlg.m_nPrintW, dlg.m_nPrintH);
    dlg.m_fPageW = paperW;
    dlg.m_fPageH = paperH;
    GetDocMaxRowsCols(doc, dlg.m_nMaxRows, dlg.m_nMaxCols);
    dlg.m_fMargin[CPageDlg::kTop] = doc.m_fMarginTop;
    dlg.m_fMargin[CPageDlg::kBottom] = doc.m_fMarginBottom;
    dlg.m_fMargin[CPageDlg::kLeft] = doc.m_fMarginLeft;
    dlg.m_fMargin[CPageDlg::kRight] = doc.m_fMarginRight;
}

void FillDefaults(CPageDlg& dlg)
{
    int paperW = 0, paperH = 0;
    GetDefaultPaperDimensions(paperW, paperH, dlg.m_nPrintW, dlg.m_nPrintH);
    dlg.m_fPageW = paperW;
    dlg.m_fPageH = paperH;
    GetMaxRowsColsFromPaper(paperW, paperH, dlg.m_nPrintW, dlg.m_nPrintH, dlg.m_nMaxRows, dlg.m_nMaxCols);
    for (double& m : dlg.m_fMargin)
        m = 128;
}

void TakeBack(CKavoDoc& doc, const CPageDlg& dlg)
{
    if (dlg.m_hDevMode)
        CopyDevModeBlock(doc.m_hDevMode, dlg.m_hDevMode);
    doc.m_nPosterRows = dlg.m_nRows;
    doc.m_nPosterCols = dlg.m_nCols;
    doc.m_fMarginTop = dlg.m_fMargin[CPageDlg::kTop];
    doc.m_fMarginBottom = dlg.m_fMargin[CPageDlg::kBottom];
    doc.m_fMarginLeft = dlg.m_fMargin[CPageDlg::kLeft];
    doc.m_fMarginRight = dlg.m_fMargin[CPageDlg::kRight];
    doc.m_nPaper = dlg.m_nPaperId;
    doc.m_nOrientation = dlg.m_nOrientation;
    // A paper of the printer's own or of the user's size keeps the page's size.
    if (dlg.m_fPageW > 0 && dlg.m_fPageH > 0)
        PaperFromUnits(int(dlg.m_fPageW), int(dlg.m_fPageH), doc.m_nPaperWidth, doc.m_nPaperLength);
    SetPaperTruncationWarning(true);
    UpdatePageLayout(doc);
    SetPaperTruncationWarning(false);
}
} // namespace

bool RunPageSetup(QWidget* parent, CKavoDoc* doc, bool dropPrinter)
{
    DiagPrintf("DIAG  CMainFrame::CmdPageSetup() ENTRY\n");
    CPageDlg dlg(parent);
    if (doc)
        FillFromDocument(dlg, *doc);
    else
        FillDefaults(dlg);
    if ((dlg.m_hDevMode || dlg.m_hDevNames) && (dropPrinter || !DevModeMatchesNames(dlg.m_hDevMode, dlg.m_hDevNames))) {
        dlg.m_hDevMode = GlobalFree(dlg.m_hDevMode);
        dlg.m_hDevNames = GlobalFree(dlg.m_hDevNames);
    }
    dlg.m_bCropMarks = CropMarks;
    const int rows = dlg.m_nRows, cols = dlg.m_nCols;
    if (dlg.DoModal() != IDOK)
        return false;
    // Crop marks are a program setting: they are kept with or without a
    // document.
    const bool saveSettings = dlg.m_bCropMarks != CropMarks || dlg.m_nRows != rows || dlg.m_nCols != cols;
    CropMarks = dlg.m_bCropMarks;
    if (doc)
        TakeBack(*doc, dlg);
    if (saveSettings)
        CfgSaveAll();
    if (!doc)
        return true;
    doc->UpdateAllViews(nullptr, 0, nullptr);
    doc->SetModifiedFlag(true);
    return true;
}
