#include "document/PrinterHandles.h"

#include "core/Trace.h"
#include "platform/PrinterSeam.h"

#include <algorithm>
#include <cstring>

namespace {
constexpr int kMinNameOffset = 8;
constexpr int kMaxNameOffset = 776;
constexpr int kMaxPapers = 1000;

bool OpensAsPrinter(const std::string& device)
{
    IPrinterService* printers = GetPrinterService();
    return printers && printers->OpenPrinter(device);
}
} // namespace

bool IsValidDevNames(const BYTE* devNames, size_t size, bool openPrinter)
{
    if (!devNames || size < 6)
        return false;
    for (int i = 0; i < 3; ++i) {
        const int offset = devNames[2 * i] | (devNames[2 * i + 1] << 8);
        if (offset < kMinNameOffset || offset > kMaxNameOffset)
            return false;
    }
    if (!openPrinter)
        return true;
    const size_t device = devNames[2] | (devNames[3] << 8);
    std::string name;
    for (size_t i = device; i < size && devNames[i] != 0; ++i)
        name.push_back(char(devNames[i]));
    return OpensAsPrinter(name);
}

bool IsValidDevNamesHandle(HGLOBAL devNames, bool openPrinter)
{
    if (!devNames)
        return false;
    CGlobalLock lock(devNames);
    return lock.data() && IsValidDevNames(lock.data(), lock.size(), openPrinter);
}

bool IsValidDevModeHandle(HGLOBAL devMode)
{
    if (!devMode)
        return false;
    CGlobalLock lock(devMode);
    return lock.data() != nullptr;
}

bool IsPrinterUsable(HGLOBAL devMode, HGLOBAL devNames)
{
    return devMode && devNames && IsValidDevNamesHandle(devNames, true);
}

void CopyGlobalBlock(HGLOBAL& target, HGLOBAL source)
{
    if (target)
        GlobalFree(target);
    target = nullptr;
    if (source && GlobalSize(source) > 0)
        target = GlobalDuplicate(source);
}

void CopyDevModeBlock(HGLOBAL& target, HGLOBAL source)
{
    if (target)
        GlobalFree(target);
    target = nullptr;
    if (!source)
        return;
    CGlobalLock in(source);
    if (!in.data() || in.size() < devmode::kDriverExtra + 2)
        return;
    const size_t dmSize = in.data()[devmode::kSize] | (in.data()[devmode::kSize + 1] << 8);
    const size_t extra = in.data()[devmode::kDriverExtra] | (in.data()[devmode::kDriverExtra + 1] << 8);
    // A stored block may claim more than it holds: only what it holds.
    const size_t bytes = std::min(in.size(), dmSize + extra);
    target = GlobalAlloc(GHND, bytes);
    if (!target)
        return;
    CGlobalLock out(target);
    std::memcpy(out.data(), in.data(), bytes);
}

void CopyPrinterHandles(HGLOBAL& devMode, HGLOBAL& devNames, HGLOBAL sourceMode, HGLOBAL sourceNames)
{
    if (!sourceMode || !sourceNames)
        return;
    // Copying a handle onto itself would free the source first.
    if (sourceMode != devMode)
        CopyDevModeBlock(devMode, sourceMode);
    if (sourceNames != devNames)
        CopyGlobalBlock(devNames, sourceNames);
}

void CopyDevModePaperFields(HGLOBAL target, HGLOBAL source)
{
    DevModeFields f;
    if (!target || !ReadDevModeFields(source, f))
        return;
    SetDevModeShort(target, devmode::kOrientation, f.orientation, DM_ORIENTATION);
    SetDevModeShort(target, devmode::kPaperSize, f.paperSize, DM_PAPERSIZE);
    SetDevModeShort(target, devmode::kPaperLength, f.paperLength, DM_PAPERLENGTH);
    SetDevModeShort(target, devmode::kPaperWidth, f.paperWidth, DM_PAPERWIDTH);
}

HGLOBAL GetSafeDevMode(const DevNamesStrings& names, const void* devMode)
{
    DiagPrintf("PAGE  GetSafeDevMode() ENTER pDevNames=%p pDevMode=%p\n", static_cast<const void*>(&names),
               devMode);
    IPrinterService* printers = GetPrinterService();
    if (!printers || !printers->OpenPrinter(names.device)) {
        DiagPrintf("DocumentProperties() failed opening\n");
        return nullptr;
    }
    const int size = printers->DevModeSize(names.device);
    if (size < 0) {
        DiagPrintf("DocumentProperties() failed while getting size. Error=%d\n", size);
        return nullptr;
    }
    HGLOBAL block = GlobalAlloc(GHND, size_t(size));
    if (!block)
        return nullptr;
    bool filled = false;
    {
        CGlobalLock lock(block);
        filled = lock.data() && printers->FillDevMode(names.device, lock.data(), lock.size());
    }
    if (!filled) {
        DiagPrintf("DocumentProperties() failed while initializing DEVMODE. Error=%d\n", -1);
        GlobalFree(block);
        return nullptr;
    }
    DiagPrintf("PAGE  GetSafeDevMode() EXIT\n");
    return block;
}

HGLOBAL GetSafeDevModeFromHandles(HGLOBAL devNames, HGLOBAL devMode)
{
    DevNamesStrings names;
    if (!ReadDevNames(devNames, names))
        return nullptr;
    return GetSafeDevMode(names, devMode);
}

bool PrinterSupportsLandscape(HGLOBAL devNames, HGLOBAL devMode)
{
    DevNamesStrings names;
    if (!devMode || !IsValidDevModeHandle(devMode) || !ReadDevNames(devNames, names))
        return false;
    HGLOBAL fresh = GetSafeDevMode(names, devMode);
    IPrinterService* printers = GetPrinterService();
    const int degrees = printers ? printers->DeviceCapabilities(names.device, names.port, DC_ORIENTATION, nullptr)
                                 : -1;
    if (fresh)
        GlobalFree(fresh);
    return degrees != -1 && degrees != 0;
}

int GetPrinterPapers(HGLOBAL devNames, std::vector<short>& codes, std::vector<PrinterPaperSize>& sizes)
{
    codes.clear();
    sizes.clear();
    DevNamesStrings names;
    IPrinterService* printers = GetPrinterService();
    if (!printers || !ReadDevNames(devNames, names))
        return 0;
    HGLOBAL fresh = GetSafeDevMode(names, nullptr);
    if (!fresh)
        return 0;
    GlobalFree(fresh);
    const int n = printers->DeviceCapabilities(names.device, names.port, DC_PAPERS, nullptr);
    if (n < 1 || n > kMaxPapers)
        return 0;
    std::vector<int> rawCodes, rawSizes;
    const int gotCodes = printers->DeviceCapabilities(names.device, names.port, DC_PAPERS, &rawCodes);
    const int gotSizes = printers->DeviceCapabilities(names.device, names.port, DC_PAPERSIZE, &rawSizes);
    // A driver that answers fewer entries than it announced has failed.
    if (gotCodes < n || gotSizes < n || rawCodes.size() < size_t(n) || rawSizes.size() < size_t(2 * n))
        return 0;
    for (int i = 0; i < n; ++i) {
        codes.push_back(short(rawCodes[i]));
        sizes.push_back({rawSizes[2 * i], rawSizes[2 * i + 1]});
    }
    return n;
}

bool FitPaperToPrinter(HGLOBAL devNames, HGLOBAL /*devMode*/, int& paper, int& length, int& width)
{
    std::vector<short> codes;
    std::vector<PrinterPaperSize> sizes;
    const int n = GetPrinterPapers(devNames, codes, sizes);
    if (n == 0)
        return false;
    for (int i = 0; i < n; ++i)
        if (codes[i] == paper) {
            width = sizes[i].width;
            length = sizes[i].length;
            return true;
        }
    for (int i = 0; i < n; ++i)
        if (sizes[i].width == width && sizes[i].length == length) {
            paper = codes[i];
            return true;
        }
    paper = codes[0];
    width = sizes[0].width;
    length = sizes[0].length;
    return false;
}
