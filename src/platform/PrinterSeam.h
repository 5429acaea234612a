#pragma once
// The printer seam: what the model asks of the live printers (does a printer
// of that name exist, its driver's settings, its papers and orientations,
// the size of its page, the system's default printer). The UI installs a
// service over the desktop's printer support; tests install a fake. Without
// a service there is no printer: every query fails.
#include "platform/DevModeBlock.h"
#include "platform/GlobalMem.h"

#include <string>
#include <vector>

// Device capability indexes.
constexpr int DC_PAPERS = 2;
constexpr int DC_PAPERSIZE = 3;
constexpr int DC_PAPERNAMES = 16;
constexpr int DC_ORIENTATION = 17;

// What a printer device context reports of its page.
struct PrinterDeviceCaps {
    int horzSize = 0, vertSize = 0;             // printable area, millimetres
    int physicalWidth = 0, physicalHeight = 0;  // the whole paper, device pixels
    int logPixelsX = 0, logPixelsY = 0;         // device pixels per inch
};

class IPrinterService {
public:
    virtual ~IPrinterService() = default;
    // Whether the device name opens as a printer.
    virtual bool OpenPrinter(const std::string& device) = 0;
    // The size of the driver's DEVMODE for the printer; negative on failure.
    virtual int DevModeSize(const std::string& device) = 0;
    // Fills `size` bytes with the driver's current settings; false on failure.
    virtual bool FillDevMode(const std::string& device, BYTE* out, size_t size) = 0;
    // DC_PAPERS: the paper codes; DC_PAPERSIZE: width, length pairs in tenths
    // of a millimetre; DC_ORIENTATION: 90 or 270 when landscape is supported,
    // else 0. Gives the count (the output may be null to ask only that), -1 on
    // failure.
    virtual int DeviceCapabilities(const std::string& device, const std::string& port, int index,
                                   std::vector<int>* output) = 0;
    // DC_PAPERNAMES: the printer's own names of the papers of DC_PAPERS, in
    // that order (Windows-1252, at most 63 characters each). The count, -1 on
    // failure; a service that knows no names fails.
    virtual int DevicePaperNames(const std::string& /*device*/, const std::string& /*port*/,
                                 std::vector<std::string>* /*names*/)
    {
        return -1;
    }
    // A printer device context made from the names and the settings; false
    // when it cannot be made.
    virtual bool GetDeviceCaps(const DevNamesStrings& names, HGLOBAL devMode, PrinterDeviceCaps& caps) = 0;
    // New handles of the system's default printer (the caller frees them);
    // false when there is none.
    virtual bool GetDefaultPrinter(HGLOBAL& devMode, HGLOBAL& devNames) = 0;
};

// Installs the service (not owned); null: no printer.
void SetPrinterService(IPrinterService* service);
IPrinterService* GetPrinterService();
