#pragma once
// A printer's handles held as copies, to dump its settings to the trace.
#include "platform/GlobalMem.h"

#include <string>

class CPrinterDevice {
public:
    CPrinterDevice() = default;
    ~CPrinterDevice();
    CPrinterDevice(const CPrinterDevice&) = delete;
    CPrinterDevice& operator=(const CPrinterDevice&) = delete;

    // Holds a copy of the block (an empty handle only frees the held one).
    void SetDevNames(HGLOBAL devNames);
    void SetDevMode(HGLOBAL devMode);
    void Clear();
    // False when no DEVNAMES is held or it does not read.
    bool GetDevNamesStrings(std::string& device, std::string& driver, std::string& port) const;
    // The names read and the device opens as a printer.
    bool IsRealized() const;
    // Whether the system has a default printer.
    static bool ExistsWindowsDefaultPrinter();
    // The settings, one trace line each; the blocks stay as they are.
    void Dump() const;

private:
    void DumpDevMode() const;

    HGLOBAL m_hDevMode = nullptr;
    HGLOBAL m_hDevNames = nullptr;
};
