#include "document/AppPrinter.h"

#include "document/CKavoDoc.h"
#include "document/PageLayout.h"
#include "document/PaperSizes.h"
#include "document/PrinterHandles.h"
#include "platform/PrinterSeam.h"

namespace {
CAppPrinterHandles g_appPrinter;
} // namespace

CAppPrinterHandles& AppPrinterHandles()
{
    return g_appPrinter;
}

void ResetAppPrinter()
{
    if (g_appPrinter.devMode)
        GlobalFree(g_appPrinter.devMode);
    if (g_appPrinter.devNames)
        GlobalFree(g_appPrinter.devNames);
    g_appPrinter = CAppPrinterHandles();
    SetPaperTruncationWarning(false);
}

void SetAppPrinterHandles(HGLOBAL devMode, HGLOBAL devNames)
{
    CopyPrinterHandles(g_appPrinter.devMode, g_appPrinter.devNames, devMode, devNames);
}

bool TakeDocPrinter(const CKavoDoc* doc)
{
    if (!doc)
        return false;
    SetAppPrinterHandles(doc->m_hDevMode, doc->m_hDevNames);
    return true;
}

HGLOBAL LockAppDevNames()
{
    return g_appPrinter.devNames;
}

bool SelectDefaultPrinter()
{
    if (g_appPrinter.devNames)
        return true;
    IPrinterService* printers = GetPrinterService();
    HGLOBAL devMode = nullptr, devNames = nullptr;
    if (!printers || !printers->GetDefaultPrinter(devMode, devNames)) {
        if (devMode)
            GlobalFree(devMode);
        if (devNames)
            GlobalFree(devNames);
        return false;
    }
    if (g_appPrinter.devMode)
        GlobalFree(g_appPrinter.devMode);
    g_appPrinter.devMode = devMode;
    g_appPrinter.devNames = devNames;
    return devNames != nullptr;
}

bool GetDefaultPaperDimensions(int& paperW, int& paperH, int& printW, int& printH)
{
    return GetPaperDimensions(1, 0, 0, DMORIENT_PORTRAIT, g_appPrinter.devMode, g_appPrinter.devNames, paperW,
                              paperH, printW, printH);
}

void GetAppMaxRowsCols(int& rows, int& cols)
{
    GetMaxRowsCols(1, 0, 0, DMORIENT_PORTRAIT, g_appPrinter.devMode, g_appPrinter.devNames, rows, cols);
}

CDefaultPrinterFlagOff::CDefaultPrinterFlagOff()
{
    if (!GetDevNamesFlags(g_appPrinter.devNames, m_wDefault))
        return;
    m_hDevNames = g_appPrinter.devNames;
    SetDevNamesFlags(m_hDevNames, WORD(m_wDefault & ~DN_DEFAULTPRN));
}

CDefaultPrinterFlagOff::~CDefaultPrinterFlagOff()
{
    if (m_hDevNames && g_appPrinter.devNames == m_hDevNames)
        SetDevNamesFlags(m_hDevNames, m_wDefault);
}

void ClearDefaultPrinterFlag(HGLOBAL devNames)
{
    WORD flags = 0;
    if (GetDevNamesFlags(devNames, flags))
        SetDevNamesFlags(devNames, WORD(flags & ~DN_DEFAULTPRN));
}
