#include "app/ui/PrinterHandlesQt.h"

#include "core/Settings.h"
#include "document/PaperSizes.h"
#include "platform/Ansi.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

#include <cmath>

const char* const kPdfPrinterName = "Print to File (PDF)";

namespace {
constexpr const char* kDriverName = "qtprint";

QPrinterInfo InfoOf(const std::string& device)
{
    return QPrinterInfo::printerInfo(AnsiToQString(device));
}

int Tenths(double millimetres)
{
    return int(std::lround(millimetres * 10));
}

// The page size of a paper code, else of the length and width given.
QPageSize PageSizeOf(const DevModeFields& f)
{
    int width = f.paperWidth, length = f.paperLength;
    int rowW = 0, rowL = 0;
    if (LookupPaperSize(f.paperSize, rowW, rowL)) {
        width = rowW;
        length = rowL;
    }
    if (width <= 0 || length <= 0)
        return QPageSize(QPageSize::Letter);
    const QSizeF mm(width / 10.0, length / 10.0);
    const QPageSize::PageSizeId id = QPageSize::id(mm, QPageSize::Millimeter, QPageSize::FuzzyMatch);
    return id != QPageSize::Custom ? QPageSize(id) : QPageSize(mm, QPageSize::Millimeter);
}

void SetPaperFields(DevModeFields& f, const QPageSize& size)
{
    const QSizeF mm = size.size(QPageSize::Millimeter);
    f.paperWidth = short(Tenths(std::min(mm.width(), mm.height())));
    f.paperLength = short(Tenths(std::max(mm.width(), mm.height())));
    f.paperSize = short(PaperCodeForSize(f.paperWidth, f.paperLength));
}
} // namespace

bool IsDesktopPrinter(const std::string& device)
{
    return device == kPdfPrinterName || !InfoOf(device).isNull();
}

DevModeFields DesktopPrinterDefaults(const std::string& device)
{
    DevModeFields f;
    f.deviceName = device;
    f.driverVersion = 0x0001;
    f.fields = DM_ORIENTATION | DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH | DM_SCALE | DM_COPIES;
    const QPrinterInfo info = InfoOf(device);
    QPageSize size(QPageSize::Letter);
    if (!info.isNull() && info.defaultPageSize().isValid())
        size = info.defaultPageSize();
    else if (Metric)
        size = QPageSize(QPageSize::A4);
    SetPaperFields(f, size);
    return f;
}

std::string DesktopDefaultPrinter()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    return info.isNull() ? kPdfPrinterName : QStringToAnsi(info.printerName());
}

void ConfigurePrinter(QPrinter& printer, HGLOBAL devMode, HGLOBAL devNames)
{
    DevNamesStrings names;
    std::string device = ReadDevNames(devNames, names) ? names.device : DesktopDefaultPrinter();
    if (names.flags & DN_DEFAULTPRN)
        device = DesktopDefaultPrinter();
    if (device == kPdfPrinterName || !IsDesktopPrinter(device)) {
        printer.setOutputFormat(QPrinter::PdfFormat);
    } else {
        printer.setOutputFormat(QPrinter::NativeFormat);
        printer.setPrinterName(AnsiToQString(device));
    }
    DevModeFields f;
    if (!ReadDevModeFields(devMode, f))
        return;
    printer.setPageSize(PageSizeOf(f));
    printer.setPageOrientation(f.orientation == DMORIENT_LANDSCAPE ? QPageLayout::Landscape
                                                                   : QPageLayout::Portrait);
    if (f.copies > 0)
        printer.setCopyCount(f.copies);
}

void StorePrinterChoice(const QPrinter& printer, HGLOBAL& devMode, HGLOBAL& devNames)
{
    const bool pdf = printer.outputFormat() == QPrinter::PdfFormat || printer.printerName().isEmpty();
    DevNamesStrings names;
    names.driver = kDriverName;
    names.device = pdf ? kPdfPrinterName : QStringToAnsi(printer.printerName());
    names.port = pdf ? "FILE:" : "CUPS:";
    DevModeFields f;
    const bool samePrinter = ReadDevModeFields(devMode, f) && f.deviceName == names.device;
    if (!samePrinter)
        f = DesktopPrinterDefaults(names.device);
    SetPaperFields(f, printer.pageLayout().pageSize());
    f.orientation = printer.pageLayout().orientation() == QPageLayout::Landscape ? DMORIENT_LANDSCAPE
                                                                                : DMORIENT_PORTRAIT;
    f.copies = short(std::max(1, printer.copyCount()));
    if (samePrinter) {
        SetDevModeShort(devMode, devmode::kOrientation, f.orientation, DM_ORIENTATION);
        SetDevModeShort(devMode, devmode::kPaperSize, f.paperSize, DM_PAPERSIZE);
        SetDevModeShort(devMode, devmode::kPaperLength, f.paperLength, DM_PAPERLENGTH);
        SetDevModeShort(devMode, devmode::kPaperWidth, f.paperWidth, DM_PAPERWIDTH);
        SetDevModeShort(devMode, devmode::kCopies, f.copies, DM_COPIES);
    } else if (HGLOBAL fresh = NewDevModeBlock(f)) {
        if (devMode)
            GlobalFree(devMode);
        devMode = fresh;
    }
    if (HGLOBAL freshNames = NewDevNamesBlock(names)) {
        if (devNames)
            GlobalFree(devNames);
        devNames = freshNames;
    }
}
