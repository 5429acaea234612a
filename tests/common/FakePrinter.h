#pragma once
// A printer service for tests: printers with their papers, margins, versions
// and landscape support, installed for the lifetime of the object.
#include "document/PaperSizes.h"
#include "platform/DevModeBlock.h"
#include "platform/PrinterSeam.h"

#include <cstring>
#include <string>
#include <vector>

class CFakePrinterService : public IPrinterService {
public:
    struct Printer {
        std::string name;
        std::vector<int> codes{1, 9};              // DC_PAPERS
        std::vector<int> sizes{2159, 2794, 2100, 2970}; // DC_PAPERSIZE pairs
        std::vector<std::string> names{"US Letter", "ISO A4"}; // DC_PAPERNAMES
        int marginTenths = 64;                     // unprintable border on each side
        WORD driverVersion = 0x0100;
        bool landscape = true;
        int dpi = 600;
        int paperCountOverride = 0;               // a driver announcing a bad count
    };

    CFakePrinterService() : m_previous(GetPrinterService()) { SetPrinterService(this); }
    ~CFakePrinterService() override { SetPrinterService(m_previous); }

    Printer& Add(const std::string& name)
    {
        printers.push_back(Printer{});
        printers.back().name = name;
        return printers.back();
    }

    bool OpenPrinter(const std::string& device) override { return Find(device) != nullptr; }
    int DevModeSize(const std::string& device) override { return Find(device) ? int(devmode::kPublicBytes) : -1; }
    bool FillDevMode(const std::string& device, BYTE* out, size_t size) override
    {
        const Printer* p = Find(device);
        if (!p)
            return false;
        HGLOBAL h = NewDevModeBlock(DriverFields(*p));
        {
            CGlobalLock lock(h);
            std::memcpy(out, lock.data(), std::min(size, lock.size()));
        }
        GlobalFree(h);
        return true;
    }
    int DeviceCapabilities(const std::string& device, const std::string&, int index,
                           std::vector<int>* output) override
    {
        const Printer* p = Find(device);
        if (!p)
            return -1;
        if (index == DC_ORIENTATION)
            return p->landscape ? 90 : 0;
        const int n = p->paperCountOverride ? p->paperCountOverride : int(p->codes.size());
        if (output)
            *output = index == DC_PAPERS ? p->codes : p->sizes;
        return n;
    }
    int DevicePaperNames(const std::string& device, const std::string&, std::vector<std::string>* names) override
    {
        const Printer* p = Find(device);
        if (!p)
            return -1;
        if (names)
            *names = p->names;
        return int(p->names.size());
    }
    bool GetDeviceCaps(const DevNamesStrings& names, HGLOBAL devMode, PrinterDeviceCaps& caps) override
    {
        ++deviceContexts;
        const Printer* p = Find(names.device);
        DevModeFields f;
        if (!p || !ReadDevModeFields(devMode, f))
            return false;
        int w = f.paperWidth, l = f.paperLength;
        for (size_t i = 0; i < p->codes.size(); ++i)
            if (p->codes[i] == f.paperSize) {
                w = p->sizes[2 * i];
                l = p->sizes[2 * i + 1];
            }
        if (f.orientation == DMORIENT_LANDSCAPE)
            std::swap(w, l);
        caps.logPixelsX = caps.logPixelsY = p->dpi;
        caps.physicalWidth = int(w * p->dpi / 254.0 + 0.5);
        caps.physicalHeight = int(l * p->dpi / 254.0 + 0.5);
        caps.horzSize = (w - 2 * p->marginTenths) / 10;
        caps.vertSize = (l - 2 * p->marginTenths) / 10;
        return true;
    }
    bool GetDefaultPrinter(HGLOBAL& devMode, HGLOBAL& devNames) override
    {
        const Printer* p = Find(defaultPrinter);
        if (!p)
            return false;
        devMode = NewDevModeBlock(DriverFields(*p));
        devNames = MakeDevNames(p->name, DN_DEFAULTPRN);
        return true;
    }

    static HGLOBAL MakeDevNames(const std::string& device, WORD flags = 0)
    {
        DevNamesStrings n;
        n.driver = "fake";
        n.device = device;
        n.port = "LPT1:";
        n.flags = flags;
        return NewDevNamesBlock(n);
    }
    // A DEVMODE of the printer's driver with the given page.
    HGLOBAL MakeDevMode(const std::string& device, int paper, int orientation, int length = 0, int width = 0)
    {
        DevModeFields f = DriverFields(*Find(device));
        f.paperSize = short(paper);
        f.orientation = short(orientation);
        f.paperLength = short(length);
        f.paperWidth = short(width);
        return NewDevModeBlock(f);
    }

    std::vector<Printer> printers;
    std::string defaultPrinter;
    int deviceContexts = 0;

private:
    const Printer* Find(const std::string& name) const
    {
        for (const Printer& p : printers)
            if (p.name == name)
                return &p;
        return nullptr;
    }
    static DevModeFields DriverFields(const Printer& p)
    {
        DevModeFields f;
        f.deviceName = p.name;
        f.driverVersion = p.driverVersion;
        f.fields = DM_ORIENTATION | DM_PAPERSIZE;
        f.paperSize = short(p.codes.empty() ? 1 : p.codes[0]);
        return f;
    }

    IPrinterService* m_previous;
};
