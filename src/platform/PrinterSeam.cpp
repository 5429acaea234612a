#include "platform/PrinterSeam.h"

namespace {
IPrinterService* g_printerService = nullptr;
} // namespace

void SetPrinterService(IPrinterService* service)
{
    g_printerService = service;
}

IPrinterService* GetPrinterService()
{
    return g_printerService;
}
