#include "app/ui/CQtPrinterService.h"

#include "app/ui/PrinterHandlesQt.h"
#include "document/PaperSizes.h"
#include "platform/Ansi.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {
struct Paper {
    QPageSize size;
    std::string name;   // Windows-1252, at most 63 characters
};

// The papers a printer offers, under the print system's names; the PDF
// printer offers the papers of the Page Setup list under its names.
std::vector<Paper> PapersOf(const std::string& device)
{
    std::vector<Paper> papers;
    const QPrinterInfo info = QPrinterInfo::printerInfo(AnsiToQString(device));
    if (!info.isNull()) {
        for (const QPageSize& size : info.supportedPageSizes())
            papers.push_back({size, QStringToAnsi(size.name()).substr(0, 63)});
        return papers;
    }
    for (int code = 1; code <= 118; ++code) {
        int width = 0, length = 0;
        if (!IsPaperSizeHidden(code) && LookupPaperSize(code, width, length))
            papers.push_back({QPageSize(QSizeF(width / 10.0, length / 10.0), QPageSize::Millimeter),
                              GetPaperSizeName(code).substr(0, 63)});
    }
    return papers;
}

int Tenths(double millimetres)
{
    return int(std::lround(millimetres * 10));
}
} // namespace

bool CQtPrinterService::OpenPrinter(const std::string& device)
{
    return IsDesktopPrinter(device);
}

int CQtPrinterService::DevModeSize(const std::string& device)
{
    return IsDesktopPrinter(device) ? int(devmode::kPublicBytes) : -1;
}

bool CQtPrinterService::FillDevMode(const std::string& device, BYTE* out, size_t size)
{
    if (!out || !IsDesktopPrinter(device))
        return false;
    HGLOBAL block = NewDevModeBlock(DesktopPrinterDefaults(device));
    if (!block)
        return false;
    {
        CGlobalLock lock(block);
        std::memcpy(out, lock.data(), std::min(size, lock.size()));
    }
    GlobalFree(block);
    return true;
}

int CQtPrinterService::DeviceCapabilities(const std::string& device, const std::string& /*port*/, int index,
                                          std::vector<int>* output)
{
    if (!IsDesktopPrinter(device))
        return -1;
    if (index == DC_ORIENTATION)
        return 90;
    if (index != DC_PAPERS && index != DC_PAPERSIZE)
        return -1;
    const std::vector<Paper> papers = PapersOf(device);
    if (output) {
        output->clear();
        for (const Paper& paper : papers) {
            const QSizeF mm = paper.size.size(QPageSize::Millimeter);
            const int width = Tenths(std::min(mm.width(), mm.height()));
            const int length = Tenths(std::max(mm.width(), mm.height()));
            if (index == DC_PAPERS) {
                output->push_back(PaperCodeForSize(width, length));
            } else {
                output->push_back(width);
                output->push_back(length);
            }
        }
    }
    return int(papers.size());
}

int CQtPrinterService::DevicePaperNames(const std::string& device, const std::string& /*port*/,
                                        std::vector<std::string>* names)
{
    if (!IsDesktopPrinter(device))
        return -1;
    const std::vector<Paper> papers = PapersOf(device);
    if (names) {
        names->clear();
        for (const Paper& paper : papers)
            names->push_back(paper.name);
    }
    return int(papers.size());
}

bool CQtPrinterService::GetDeviceCaps(const DevNamesStrings& names, HGLOBAL devMode, PrinterDeviceCaps& caps)
{
    if (!IsDesktopPrinter(names.device))
        return false;
    DevModeFields f;
    ReadDevModeFields(devMode, f);
    const std::string key = names.device + '|' + std::to_string(names.flags & DN_DEFAULTPRN) + '|' +
                            std::to_string(f.paperSize) + '|' + std::to_string(f.paperLength) + '|' +
                            std::to_string(f.paperWidth) + '|' + std::to_string(f.orientation);
    if (const auto known = m_caps.find(key); known != m_caps.end()) {
        caps = known->second;
        return true;
    }
    QPrinter printer(QPrinter::HighResolution);
    HGLOBAL devNames = NewDevNamesBlock(names);
    ConfigurePrinter(printer, devMode, devNames);
    GlobalFree(devNames);
    QPageLayout layout = printer.pageLayout();
    layout.setUnits(QPageLayout::Millimeter);
    const QRectF paper = layout.fullRect();
    const QMarginsF border = layout.minimumMargins();
    caps.logPixelsX = caps.logPixelsY = printer.resolution();
    caps.physicalWidth = int(std::lround(paper.width() / 25.4 * caps.logPixelsX));
    caps.physicalHeight = int(std::lround(paper.height() / 25.4 * caps.logPixelsY));
    caps.horzSize = int(paper.width() - border.left() - border.right());
    caps.vertSize = int(paper.height() - border.top() - border.bottom());
    if (caps.logPixelsX <= 0)
        return false;
    m_caps[key] = caps;
    return true;
}

bool CQtPrinterService::GetDefaultPrinter(HGLOBAL& devMode, HGLOBAL& devNames)
{
    const std::string device = DesktopDefaultPrinter();
    DevNamesStrings names;
    names.driver = "qtprint";
    names.device = device;
    names.port = device == kPdfPrinterName ? "FILE:" : "CUPS:";
    names.flags = DN_DEFAULTPRN;
    devMode = NewDevModeBlock(DesktopPrinterDefaults(device));
    devNames = NewDevNamesBlock(names);
    return devMode && devNames;
}
