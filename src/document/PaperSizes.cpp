#include "document/PaperSizes.h"

#include "core/MsgBox.h"
#include "core/Settings.h"
#include "core/Trace.h"
#include "document/PageLayout.h"
#include "platform/PrinterSeam.h"
#include "platform/Prompt.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>

namespace {
struct PaperRow {
    int code, width, length;
    const char* name;
};

const PaperRow kPapers[] = {
#define PAPER_ROW(code, width, length, name) {code, width, length, name},
#include "document/PaperSizeTable.inc"
#undef PAPER_ROW
};
static_assert(std::size(kPapers) == 118);

constexpr int kListed[] = {1,  3,  5,  6,  7,  8,  9,  11, 12, 13, 14, 15, 16, 17, 18, 24, 25, 26, 40, 41,
                           42, 44, 45, 46, 50, 51, 52, 53, 57, 58, 59, 60, 63, 64, 65, 66, 70, 88, 93, 94};

const PaperRow* Row(int code)
{
    return code >= 1 && code <= int(std::size(kPapers)) ? &kPapers[code - 1] : nullptr;
}

bool g_bTruncationWarning = false;

// Letter, and 8 x 10.5 in printable, when nothing better is known.
constexpr int kPresetPaperW = 2176, kPresetPaperH = 2816;
constexpr int kPresetPrintW = 2048, kPresetPrintH = 2688;
// Millimetres to logical units.
constexpr double kMmToUnits = 10.078740157480315;

// Cuts a paper dimension to the limit, keeping the unprintable border; true
// when it was cut.
bool CutToLimit(int limit, int& paper, int& printable)
{
    if (paper <= limit)
        return false;
    printable = limit - (paper - printable);
    paper = limit;
    return true;
}

void ApplyPaperLimit(int& paperW, int& paperH, int& printW, int& printH)
{
    int limit = 0, shown = 0;
    GetMaxPaperExtent(limit, shown);
    const bool cutW = CutToLimit(limit, paperW, printW);
    const bool cutH = CutToLimit(limit, paperH, printH);
    if ((cutW || cutH) && g_bTruncationWarning) {
        MsgBoxPrintf(MB_ICONEXCLAMATION, "Paper sizes beyond %d %s. are not supported.  Size will be truncated.",
                     shown, Metric ? "cm" : "in");
        g_bTruncationWarning = false;
    }
}

// The printer's page through a device context; false when none can be made.
bool DevicePaperDimensions(HGLOBAL devMode, HGLOBAL devNames, int& paperW, int& paperH, int& printW,
                           int& printH)
{
    IPrinterService* printers = GetPrinterService();
    DevNamesStrings names;
    PrinterDeviceCaps caps;
    if (!devMode || !devNames || !printers || !ReadDevNames(devNames, names) ||
        !printers->GetDeviceCaps(names, devMode, caps))
        return false;
    // A device without a resolution has no page to measure.
    if (caps.logPixelsX <= 0 || caps.logPixelsY <= 0)
        return false;
    const int tenthsW = int(double(caps.physicalWidth) / caps.logPixelsX * 254 + 0.5);
    const int tenthsH = int(double(caps.physicalHeight) / caps.logPixelsY * 254 + 0.5);
    // Within a millimetre of the paper the whole paper counts as printable.
    const bool wholeW = std::abs(caps.horzSize * 10 - tenthsW) < 10;
    const bool wholeH = std::abs(caps.vertSize * 10 - tenthsH) < 10;
    PaperToUnits(tenthsW, tenthsH, DMORIENT_PORTRAIT, paperW, paperH);
    printW = wholeW ? paperW : int(caps.horzSize * kMmToUnits + 0.5);
    printH = wholeH ? paperH : int(caps.vertSize * kMmToUnits + 0.5);
    printW = std::clamp(printW, 0, std::max(paperW, 0));
    printH = std::clamp(printH, 0, std::max(paperH, 0));
    return true;
}
} // namespace

bool LookupPaperSize(int code, int& width, int& length)
{
    const PaperRow* r = Row(code);
    if (!r)
        return false;
    width = r->width;
    length = r->length;
    return width != 0 && length != 0;
}

std::string GetPaperSizeName(int code)
{
    const PaperRow* r = Row(code);
    return r ? r->name : "Unknown";
}

int PaperCodeForSize(int width, int length)
{
    const auto near = [](int a, int b) { return std::abs(a - b) <= 1; };
    for (const PaperRow& r : kPapers)
        if (r.width && near(r.width, width) && near(r.length, length))
            return r.code;
    return DMPAPER_USER;
}

bool IsPaperSizeHidden(int code)
{
    return std::find(std::begin(kListed), std::end(kListed), code) == std::end(kListed);
}

void FillPaperSizeCombo(IPaperSizeCombo& combo)
{
    combo.ResetContent();
    for (const PaperRow& r : kPapers)
        if (!IsPaperSizeHidden(r.code) && !combo.AddPaper(r.name, r.code))
            return;
}

void GetMaxPaperExtent(int& limit, int& limitInUserUnits)
{
    const int d = Metric ? 100 : 256;
    limit = 16000 - 16000 % d;
    limitInUserUnits = limit / d;
}

bool GetPaperDimensions(int code, int length, int width, int orientation, HGLOBAL devMode, HGLOBAL devNames,
                        int& paperW, int& paperH, int& printW, int& printH)
{
    DiagPrintf("DIAG  GetPaperDimensions() ENTER\n");
    paperW = kPresetPaperW;
    paperH = kPresetPaperH;
    printW = kPresetPrintW;
    printH = kPresetPrintH;
    if (DevicePaperDimensions(devMode, devNames, paperW, paperH, printW, printH)) {
        ApplyPaperLimit(paperW, paperH, printW, printH);
        DiagPrintf("DIAG  GetPaperDimensions() EXIT\n");
        return true;
    }
    int w = width, l = length;
    int rowW = 0, rowL = 0;
    if (LookupPaperSize(code, rowW, rowL)) {
        w = rowW;
        l = rowL;
    }
    if (w <= 0 || l <= 0)
        return false;
    int pw = 0, ph = 0;
    PaperToUnits(w, l, orientation, pw, ph);
    int qw = pw, qh = ph;
    // The work space holds no larger page, whichever road the size came by.
    ApplyPaperLimit(pw, ph, qw, qh);
    paperW = pw;
    paperH = ph;
    printW = qw;
    printH = qh;
    return true;
}

void SetPaperTruncationWarning(bool on)
{
    g_bTruncationWarning = on;
}

bool IsPaperTruncationWarningOn()
{
    return g_bTruncationWarning;
}
