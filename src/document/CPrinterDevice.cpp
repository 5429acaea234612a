#include "document/CPrinterDevice.h"

#include "core/Trace.h"
#include "document/PaperSizes.h"
#include "document/PrinterHandles.h"
#include "platform/PrinterSeam.h"

namespace {
const char* TrueFalse(bool value)
{
    return value ? "TRUE" : "FALSE";
}
} // namespace

CPrinterDevice::~CPrinterDevice()
{
    Clear();
}

void CPrinterDevice::SetDevNames(HGLOBAL devNames)
{
    CopyGlobalBlock(m_hDevNames, devNames);
}

void CPrinterDevice::SetDevMode(HGLOBAL devMode)
{
    CopyGlobalBlock(m_hDevMode, devMode);
}

void CPrinterDevice::Clear()
{
    CopyGlobalBlock(m_hDevMode, nullptr);
    CopyGlobalBlock(m_hDevNames, nullptr);
}

bool CPrinterDevice::GetDevNamesStrings(std::string& device, std::string& driver, std::string& port) const
{
    DevNamesStrings names;
    if (!ReadDevNames(m_hDevNames, names))
        return false;
    device = names.device;
    driver = names.driver;
    port = names.port;
    return true;
}

bool CPrinterDevice::IsRealized() const
{
    std::string device, driver, port;
    IPrinterService* printers = GetPrinterService();
    return GetDevNamesStrings(device, driver, port) && printers && printers->OpenPrinter(device);
}

bool CPrinterDevice::ExistsWindowsDefaultPrinter()
{
    IPrinterService* printers = GetPrinterService();
    HGLOBAL devMode = nullptr, devNames = nullptr;
    if (printers)
        printers->GetDefaultPrinter(devMode, devNames);
    const bool exists = devNames != nullptr;
    if (devMode)
        GlobalFree(devMode);
    if (devNames)
        GlobalFree(devNames);
    return exists;
}

void CPrinterDevice::Dump() const
{
    DiagPrintf("DUMP   PRINTER DEVICE {\n");
    if (!m_hDevNames) {
        DiagPrintf("DUMP   DevNames is NULL\n");
    } else {
        std::string device, driver, port;
        GetDevNamesStrings(device, driver, port);
        DiagPrintf("DUMP   DevNames::strDeviceName  ='%s'\n", device.c_str());
        DiagPrintf("DUMP   DevNames::strDriverName  ='%s'\n", driver.c_str());
        DiagPrintf("DUMP   DevNames::strPortName    ='%s'\n", port.c_str());
    }
    DumpDevMode();
    DiagPrintf("DUMP   CPrinterDevice::IsRealized() = %s\n", TrueFalse(IsRealized()));
    DiagPrintf("DUMP   CPrinterDevice::ExistsWindowsDefaultPrinter() = %s\n",
               TrueFalse(ExistsWindowsDefaultPrinter()));
    DiagPrintf("DUMP   } PRINTER DEVICE\n");
}

void CPrinterDevice::DumpDevMode() const
{
    DevModeFields f;
    if (!ReadDevModeFields(m_hDevMode, f)) {
        DiagPrintf("DUMP   DevMode is NULL\n");
        return;
    }
    DiagPrintf("DUMP   DevMode::dmDeviceName    ='%s'\n", f.deviceName.c_str());
    DiagPrintf("DUMP   DevMode::dmSpecVersion   =0x%04X\n", unsigned(f.specVersion));
    DiagPrintf("DUMP   DevMode::dmDriverVersion =0x%04X\n", unsigned(f.driverVersion));
    DiagPrintf("DUMP   DevMode::dmSize          =%d\n", int(f.size));
    DiagPrintf("DUMP   DevMode::dmDriverExtra   =%d\n", int(f.driverExtra));
    DiagPrintf("DUMP   DevMode::dmFields        =0x%08X\n", unsigned(f.fields));
    DiagPrintf("DUMP   DevMode::dmOrientation   =%d (%s)\n", int(f.orientation),
               f.orientation == 1 ? "portrait" : "landscape");
    DiagPrintf("DUMP   DevMode::dmPaperSize     =%d (%s)\n", int(f.paperSize),
               GetPaperSizeName(f.paperSize).c_str());
    DiagPrintf("DUMP   DevMode::dmPaperLength   =%d mm/10\n", int(f.paperLength));
    DiagPrintf("DUMP   DevMode::dmPaperWidth    =%d mm/10\n", int(f.paperWidth));
}
