#pragma once
// The printer seam over the desktop's printers (QPrinterInfo, QPrinter),
// with printing to a PDF file as one more printer.
#include "platform/PrinterSeam.h"

#include <map>
#include <string>

class CQtPrinterService : public IPrinterService {
public:
    bool OpenPrinter(const std::string& device) override;
    int DevModeSize(const std::string& device) override;
    bool FillDevMode(const std::string& device, BYTE* out, size_t size) override;
    int DeviceCapabilities(const std::string& device, const std::string& port, int index,
                           std::vector<int>* output) override;
    int DevicePaperNames(const std::string& device, const std::string& port,
                         std::vector<std::string>* names) override;
    bool GetDeviceCaps(const DevNamesStrings& names, HGLOBAL devMode, PrinterDeviceCaps& caps) override;
    bool GetDefaultPrinter(HGLOBAL& devMode, HGLOBAL& devNames) override;

private:
    // Making a printer device asks the print system; each printer's page is
    // asked for once per paper and orientation.
    std::map<std::string, PrinterDeviceCaps> m_caps;
};
