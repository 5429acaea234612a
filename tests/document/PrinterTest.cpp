// The printer side of the page settings: the printer's page through the
// printer seam, its papers, the checks and copies of the handles, the dump,
// bringing a document's page and its printer together, and the validation of
// the handles.
#include "common/DiagTraceFile.h"
#include "common/FakePrinter.h"
#include "common/TestSupport.h"
#include "core/ProgramFolders.h"
#include "core/Settings.h"
#include "core/Trace.h"
#include "document/AppPrinter.h"
#include "document/CKavoDoc.h"
#include "document/CPrinterDevice.h"
#include "document/DocPrinter.h"
#include "document/PageLayout.h"
#include "document/PaperSizes.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
struct Dims {
    int paperW = 0, paperH = 0, printW = 0, printH = 0;
};

Dims PaperOn(CFakePrinterService& fake, const std::string& printer, int code, int orientation, bool* ok = nullptr)
{
    HGLOBAL dm = fake.MakeDevMode(printer, code, orientation);
    HGLOBAL dn = CFakePrinterService::MakeDevNames(printer);
    Dims d;
    const bool got = GetPaperDimensions(code, 0, 0, orientation, dm, dn, d.paperW, d.paperH, d.printW, d.printH);
    if (ok)
        *ok = got;
    GlobalFree(dm);
    GlobalFree(dn);
    return d;
}

using TraceFile = DiagTraceFile;

std::string DevModeText(HGLOBAL dm)
{
    DevModeFields f;
    if (!ReadDevModeFields(dm, f))
        return "none";
    return std::to_string(f.orientation) + " " + std::to_string(f.paperSize) + " " +
           std::to_string(f.paperLength) + "x" + std::to_string(f.paperWidth);
}
} // namespace

TEST(Printer, PaperDimensionsComeFromThePrintersPage)
{
    CFakePrinterService fake;
    fake.Add("Laser"); // 6.4 mm unprintable border
    fake.Add("Borderless").marginTenths = 0;
    Dims d = PaperOn(fake, "Laser", 1, DMORIENT_PORTRAIT);
    EXPECT_EQ(d.paperW, 2176);
    EXPECT_EQ(d.paperH, 2816);
    EXPECT_EQ(d.printW, 2046); // 203 mm
    EXPECT_EQ(d.printH, 2681); // 266 mm
    d = PaperOn(fake, "Laser", 1, DMORIENT_LANDSCAPE);
    EXPECT_EQ(d.paperW, 2816);
    EXPECT_EQ(d.printH, 2046);
    // Within a millimetre of the paper the whole paper is printable.
    d = PaperOn(fake, "Borderless", 9, DMORIENT_PORTRAIT);
    EXPECT_EQ(d.printW, d.paperW);
    EXPECT_EQ(d.printH, d.paperH);
    EXPECT_EQ(d.paperW, 2117);
    EXPECT_EQ(fake.deviceContexts, 3);
}

// The whole paper counts as printable only within less than a millimetre:
// a printable width a whole millimetre short is its own size.
TEST(Printer, OnlyLessThanAMillimetreShortIsTheWholePaper)
{
    CFakePrinterService fake;
    struct Case {
        const char* printer;
        int marginTenths, printW, printH;
    } cases[] = {{"None", 0, 2117, 2993}, {"Hair", 5, 2106, 2983}, {"Laser", 64, 1986, 2862}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.printer);
        fake.Add(c.printer).marginTenths = c.marginTenths;
        const Dims d = PaperOn(fake, c.printer, 9, DMORIENT_PORTRAIT);   // A4, 210 x 297 mm
        EXPECT_EQ(d.paperW, 2117);
        EXPECT_EQ(d.paperH, 2993);
        EXPECT_EQ(d.printW, c.printW);
        EXPECT_EQ(d.printH, c.printH);
    }
}

TEST(Printer, WithoutADeviceTheTableGivesTheWholePaper)
{
    Dims d;
    EXPECT_TRUE(GetPaperDimensions(9, 0, 0, DMORIENT_LANDSCAPE, nullptr, nullptr, d.paperW, d.paperH, d.printW,
                                   d.printH));
    EXPECT_EQ(d.paperW, 2993);
    EXPECT_EQ(d.paperH, 2117);
    EXPECT_EQ(d.printW, 2993);
    EXPECT_EQ(d.printH, 2117);
    // A code without a size and no size given: false, letter presets.
    EXPECT_FALSE(GetPaperDimensions(48, 0, 0, 1, nullptr, nullptr, d.paperW, d.paperH, d.printW, d.printH));
    EXPECT_EQ(d.paperW, 2176);
    EXPECT_EQ(d.paperH, 2816);
    EXPECT_EQ(d.printW, 2048);
    EXPECT_EQ(d.printH, 2688);
    // A custom paper by its size.
    EXPECT_TRUE(GetPaperDimensions(256, 1000, 500, 1, nullptr, nullptr, d.paperW, d.paperH, d.printW, d.printH));
    EXPECT_EQ(d.paperW, 504);
}

TEST(Printer, OversizedPaperIsCutOnceWithTheWarningKeepingTheBorder)
{
    CFakePrinterService fake;
    CFakePrinterService::Printer& plotter = fake.Add("Plotter");
    plotter.codes = {500};
    plotter.sizes = {20000, 2794}; // 2 m wide
    const struct {
        int metric, limit, printW;
        const char* text;
    } cases[] = {{0, 15872, 15741, "Paper sizes beyond 62 in. are not supported.  Size will be truncated."},
                 {1, 16000, 15869, "Paper sizes beyond 160 cm. are not supported.  Size will be truncated."}};
    for (const auto& c : cases) {
        CRecordingPrompt prompt;
        Metric = c.metric;
        SetPaperTruncationWarning(true);
        Dims d = PaperOn(fake, "Plotter", 500, DMORIENT_PORTRAIT);
        EXPECT_EQ(d.paperW, c.limit);
        EXPECT_EQ(d.printW, c.printW); // 131 units of border, as before the cut
        ASSERT_EQ(prompt.shown.size(), 1u);
        EXPECT_EQ(prompt.shown[0].text, c.text);
        EXPECT_EQ(prompt.shown[0].type, MB_ICONEXCLAMATION);
        EXPECT_FALSE(IsPaperTruncationWarningOn());
        PaperOn(fake, "Plotter", 500, DMORIENT_PORTRAIT);
        EXPECT_EQ(prompt.shown.size(), 1u); // once only
    }
}

TEST(Printer, DevNamesOffsetsAndTheOpenCheck)
{
    CFakePrinterService fake;
    fake.Add("Laser");
    HGLOBAL good = CFakePrinterService::MakeDevNames("Laser");
    HGLOBAL gone = CFakePrinterService::MakeDevNames("Unplugged");
    EXPECT_TRUE(IsValidDevNamesHandle(good, true));
    EXPECT_TRUE(IsValidDevNamesHandle(gone, false));
    EXPECT_FALSE(IsValidDevNamesHandle(gone, true));
    EXPECT_FALSE(IsValidDevNamesHandle(nullptr, false));
    const struct {
        int offset;
        bool valid;
    } cases[] = {{7, false}, {8, true}, {776, true}, {777, false}};
    for (const auto& c : cases) {
        BYTE block[8] = {8, 0, 8, 0, 8, 0, 0, 0};
        block[2] = BYTE(c.offset & 0xFF);
        block[3] = BYTE(c.offset >> 8);
        EXPECT_EQ(IsValidDevNames(block, sizeof block), c.valid) << c.offset;
    }
    GlobalFree(good);
    GlobalFree(gone);
}

TEST(Printer, PrinterPapersAndFittingAPaperToThem)
{
    CFakePrinterService fake;
    CFakePrinterService::Printer& laser = fake.Add("Laser");
    laser.codes = {9, 1, 5};
    laser.sizes = {2100, 2970, 2159, 2794, 2159, 3556};
    HGLOBAL dn = CFakePrinterService::MakeDevNames("Laser");
    std::vector<short> codes;
    std::vector<PrinterPaperSize> sizes;
    EXPECT_EQ(GetPrinterPapers(dn, codes, sizes), 3);
    EXPECT_EQ(sizes[2].length, 3556);
    const struct {
        int paper, length, width;
        bool fits;
        int wantPaper, wantLength, wantWidth;
    } cases[] = {
        {1, 0, 0, true, 1, 2794, 2159},          // the same code takes the printer's size
        {77, 2970, 2100, true, 9, 2970, 2100},   // the same size gives its code
        {8, 4200, 2970, false, 9, 2970, 2100},   // neither: the first paper
    };
    for (const auto& c : cases) {
        int paper = c.paper, length = c.length, width = c.width;
        EXPECT_EQ(FitPaperToPrinter(dn, nullptr, paper, length, width), c.fits) << c.paper;
        EXPECT_EQ(paper, c.wantPaper);
        EXPECT_EQ(length, c.wantLength);
        EXPECT_EQ(width, c.wantWidth);
    }
    // Counts outside 1..1000 are refused, and then nothing changes.
    for (int bad : {1001, -1}) {
        laser.paperCountOverride = bad;
        EXPECT_EQ(GetPrinterPapers(dn, codes, sizes), 0);
        EXPECT_TRUE(codes.empty());
        int paper = 8, length = 4200, width = 2970;
        EXPECT_FALSE(FitPaperToPrinter(dn, nullptr, paper, length, width));
        EXPECT_EQ(paper, 8);
    }
    GlobalFree(dn);
}

TEST(Printer, DumpWritesEveryFieldAndChangesNothing)
{
    TraceFile trace;
    CFakePrinterService fake;
    fake.Add("Laser");
    CPrinterDevice device;
    device.Dump();
    HGLOBAL dm = fake.MakeDevMode("Laser", 9, DMORIENT_LANDSCAPE, 2970, 2100);
    HGLOBAL dn = CFakePrinterService::MakeDevNames("Laser");
    device.SetDevMode(dm);
    device.SetDevNames(dn);
    device.Dump();
    EXPECT_EQ(DevModeText(dm), "2 9 2970x2100");
    const std::string expected = "DUMP   PRINTER DEVICE {\n"
                                 "DUMP   DevNames is NULL\n"
                                 "DUMP   DevMode is NULL\n"
                                 "DUMP   CPrinterDevice::IsRealized() = FALSE\n"
                                 "DUMP   CPrinterDevice::ExistsWindowsDefaultPrinter() = FALSE\n"
                                 "DUMP   } PRINTER DEVICE\n"
                                 "DUMP   PRINTER DEVICE {\n"
                                 "DUMP   DevNames::strDeviceName  ='Laser'\n"
                                 "DUMP   DevNames::strDriverName  ='fake'\n"
                                 "DUMP   DevNames::strPortName    ='LPT1:'\n"
                                 "DUMP   DevMode::dmDeviceName    ='Laser'\n"
                                 "DUMP   DevMode::dmSpecVersion   =0x0401\n"
                                 "DUMP   DevMode::dmDriverVersion =0x0100\n"
                                 "DUMP   DevMode::dmSize          =156\n"
                                 "DUMP   DevMode::dmDriverExtra   =0\n"
                                 "DUMP   DevMode::dmFields        =0x00000003\n"
                                 "DUMP   DevMode::dmOrientation   =2 (landscape)\n"
                                 "DUMP   DevMode::dmPaperSize     =9 (A4 210 x 297 mm)\n"
                                 "DUMP   DevMode::dmPaperLength   =2970 mm/10\n"
                                 "DUMP   DevMode::dmPaperWidth    =2100 mm/10\n"
                                 "DUMP   CPrinterDevice::IsRealized() = TRUE\n"
                                 "DUMP   CPrinterDevice::ExistsWindowsDefaultPrinter() = FALSE\n"
                                 "DUMP   } PRINTER DEVICE\n";
    EXPECT_NE(trace.Text().find(expected), std::string::npos) << trace.Text();
    GlobalFree(dm);
    GlobalFree(dn);
}

TEST(Printer, DefaultPrinterFlagIsTakenOffAroundACommandAndPutBack)
{
    CFakePrinterService fake;
    fake.Add("Laser");
    fake.defaultPrinter = "Laser";
    ASSERT_TRUE(SelectDefaultPrinter());
    WORD flags = 0;
    ASSERT_TRUE(GetDevNamesFlags(AppPrinterHandles().devNames, flags));
    EXPECT_EQ(flags, DN_DEFAULTPRN);
    {
        CDefaultPrinterFlagOff off;
        GetDevNamesFlags(AppPrinterHandles().devNames, flags);
        EXPECT_EQ(flags, 0);
    }
    GetDevNamesFlags(AppPrinterHandles().devNames, flags);
    EXPECT_EQ(flags, DN_DEFAULTPRN);
}

// ---- a document and its printer

namespace {
void GiveDocPrinter(CKavoDoc& doc, CFakePrinterService& fake, const std::string& name, int paper, int orientation,
                    int length, int width)
{
    doc.m_hDevMode = fake.MakeDevMode(name, paper, orientation, length, width);
    doc.m_hDevNames = CFakePrinterService::MakeDevNames(name);
    doc.m_nPaper = paper;
    doc.m_nOrientation = orientation;
    doc.m_nPaperLength = length;
    doc.m_nPaperWidth = width;
}
} // namespace

TEST(Printer, RealizeResultsAndTheirTraces)
{
    TraceFile trace;
    CKavoDoc doc;
    ResetPageSettings(doc);
    // No printer anywhere: 0 and the page as it was.
    EXPECT_EQ(SetPageRealizePrinter(doc), kRealizeFailed);
    EXPECT_EQ(doc.m_hDevMode, nullptr);

    CFakePrinterService fake;
    fake.Add("Laser").landscape = false;
    fake.defaultPrinter = "Laser";
    // No handles: the application's printer is taken in and the document is modified.
    EXPECT_EQ(SetPageRealizePrinter(doc), kRealizeKept);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_EQ(DevModeText(doc.m_hDevMode), "1 1 2794x2159");
    EXPECT_EQ(doc.m_rcPrintable.Width(), 2046); // the printer's printable area
    // The same driver: as it is.
    EXPECT_EQ(SetPageRealizePrinter(doc), kRealizeKept);

    struct Case {
        int paper, orientation, length, width;
        WORD driverVersion;
        int result;
        const char* devMode;
        const char* trace;
    } cases[] = {
        // another driver version: a fresh DEVMODE takes the page
        {9, 1, 2970, 2100, 0x0099, kRealizeKept, "1 9 2970x2100", "updated DEVMODE\n"},
        // legal is not on this printer: its first paper
        {5, 1, 3556, 2159, 0x0099, kRealizeUnpreserved, "1 1 2794x2159", "Exit - unpreserved\n"},
        // no landscape on this printer
        {1, 2, 2794, 2159, 0x0099, kRealizeUnpreserved, "1 1 2794x2159", "Exit - unpreserved\n"},
    };
    for (const Case& c : cases) {
        CKavoDoc other;
        ResetPageSettings(other);
        GiveDocPrinter(other, fake, "Laser", c.paper, c.orientation, c.length, c.width);
        SetDevModeShort(other.m_hDevMode, devmode::kDriverVersion, short(c.driverVersion), 0);
        EXPECT_EQ(SetPageRealizePrinter(other), c.result) << c.paper;
        EXPECT_EQ(DevModeText(other.m_hDevMode), c.devMode);
        EXPECT_NE(trace.Text().find(std::string("PAGE  CKavoDoc::SetPageRealizePrinter() ") + c.trace),
                  std::string::npos);
    }
    // A stored block too short to hold the page gives way to the driver's.
    CKavoDoc old;
    ResetPageSettings(old);
    old.m_hDevMode = GlobalAlloc(GHND, 44);
    old.m_hDevNames = CFakePrinterService::MakeDevNames("Laser");
    EXPECT_EQ(SetPageRealizePrinter(old), kRealizeKept);
    EXPECT_EQ(DevModeText(old.m_hDevMode), "1 1 2794x2159");

    const std::string text = trace.Text();
    EXPECT_NE(text.find("PAGE  CKavoDoc::SetPageRealizePrinter() Entry\n"), std::string::npos);
    EXPECT_NE(text.find("PAGE  CKavoDoc::SetPageRealizePrinter() Exit - ok as is\n"), std::string::npos);
    EXPECT_NE(text.find("PAGE  CKavoDoc::SetPageRealizePrinter() Exit\n"), std::string::npos);
}

TEST(Printer, ValidationTakesThePrintersPageOnlyWithRepair)
{
    CFakePrinterService fake;
    fake.Add("Laser");
    CKavoDoc doc;
    ResetPageSettings(doc);
    GiveDocPrinter(doc, fake, "Laser", 1, 1, 2794, 2159);
    // The printer was set to A4 landscape (the size fields not yet).
    SetDevModeShort(doc.m_hDevMode, devmode::kOrientation, 2, DM_ORIENTATION);
    SetDevModeShort(doc.m_hDevMode, devmode::kPaperSize, 9, DM_PAPERSIZE);
    EXPECT_FALSE(SetPageValidate(doc, false));
    EXPECT_EQ(doc.m_nOrientation, 1);
    EXPECT_EQ(doc.m_nPaper, 1);
    EXPECT_EQ(DevModeText(doc.m_hDevMode), "2 9 2794x2159");
    EXPECT_FALSE(SetPageValidate(doc, true));
    EXPECT_EQ(doc.m_nOrientation, 2);
    EXPECT_EQ(doc.m_nPaper, 9);
    EXPECT_EQ(doc.m_nPaperWidth, 2100); // the printer's A4
    EXPECT_EQ(doc.m_nPaperLength, 2970);
    EXPECT_EQ(doc.m_rcPage, CRect(0, 0, 2993, 2117));
    EXPECT_EQ(DevModeText(doc.m_hDevMode), "2 9 2970x2100");
    EXPECT_TRUE(SetPageValidate(doc, false));

    // A DEVNAMES that fails its check: repair frees both handles.
    TraceFile trace;
    BYTE* names = static_cast<BYTE*>(GlobalLock(doc.m_hDevNames));
    names[0] = 2; // driver offset inside the header
    GlobalUnlock(doc.m_hDevNames);
    EXPECT_FALSE(SetPageValidate(doc, true));
    EXPECT_EQ(doc.m_hDevMode, nullptr);
    EXPECT_EQ(doc.m_hDevNames, nullptr);
    EXPECT_NE(trace.Text().find("PAGE  CKavoDoc::SetPageValidate() chkpt 1\n"
                                "PAGE  CKavoDoc::SetPageValidate() chkpt 2\n"
                                "PAGE  CKavoDoc::SetPageValidate() chkpt 3\n"
                                "PAGE  CKavoDoc::SetPageValidate() chkpt 6\n"),
              std::string::npos);
}

TEST(Printer, NewDocumentPrintsOnTheApplicationsPrinter)
{
    CFakePrinterService fake;
    CFakePrinterService::Printer& laser = fake.Add("Laser");
    laser.codes = {9, 1};
    laser.sizes = {2100, 2970, 2159, 2794};
    fake.Add("Other");
    fake.defaultPrinter = "Laser";
    CKavoDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    DevNamesStrings names;
    ASSERT_TRUE(ReadDevNames(doc.m_hDevNames, names));
    EXPECT_EQ(names.device, "Laser");
    EXPECT_NE(doc.m_hDevNames, AppPrinterHandles().devNames); // its own copy
    EXPECT_EQ(doc.m_nPaper, 9); // the printer's paper
    EXPECT_EQ(doc.m_nPaperWidth, 2100);
    EXPECT_FALSE(doc.IsModified());
}

namespace {
// The validation's own trace lines (page checkpoints and margins), in order.
std::string ValidationLines(const std::string& trace)
{
    std::string out;
    size_t at = 0;
    while (at < trace.size()) {
        size_t end = trace.find('\n', at);
        end = end == std::string::npos ? trace.size() : end + 1;
        const std::string line = trace.substr(at, end - at);
        if (line.rfind("PAGE  CKavoDoc::SetPageValidate", 0) == 0 || line.rfind("MARG  ", 0) == 0)
            out += line;
        at = end;
    }
    return out;
}
} // namespace

TEST(Printer, ValidationTracesEachStepInOrder)
{
    const std::string page = "PAGE  CKavoDoc::SetPageValidate";
    CFakePrinterService fake;
    fake.Add("Laser");
    CKavoDoc doc;
    ResetPageSettings(doc);
    GiveDocPrinter(doc, fake, "Laser", 1, 1, 2794, 2159);
    SetPageValidate(doc, true);
    doc.m_fMarginRight = -5;
    {
        TraceFile trace;
        EXPECT_FALSE(SetPageValidate(doc, false));
        EXPECT_EQ(ValidationLines(trace.Text()),
                  page + "(bRepair=0) ENTER\n" + page + "() chkpt 1\n" + page + "() chkpt 5\n" + page +
                      "() chkpt 6\n" + page + "() chkpt 7\n" + page + "() chkpt 6b\n" + page + "() chkpt 8\n" +
                      page + "() chkpt 9\n" + "MARG  Margin(s) invalid- not corrected\n" +
                      "MARG  Margins adjusted to fit page.\n" + page + "(bIsValid=0) exit\n");
    }
    // A paper without a size and no printer: the query fails and repair
    // falls back to letter.
    CKavoDoc bare;
    ResetPageSettings(bare);
    bare.m_nPaper = 48;
    bare.m_nPaperWidth = bare.m_nPaperLength = 0;
    TraceFile trace;
    EXPECT_FALSE(SetPageValidate(bare, true));
    EXPECT_EQ(ValidationLines(trace.Text()),
              page + "(bRepair=1) ENTER\n" + page + "() chkpt 6\n" + page + "() chkpt 6a\n" + page +
                  "() chkpt 6b\n" + page + "() chkpt 8\n" + page + "() chkpt 9\n" + page + "(bIsValid=0) exit\n");
    EXPECT_EQ(bare.m_nPaper, 1);
    EXPECT_EQ(bare.m_nPaperWidth, 2159);
    EXPECT_EQ(bare.m_nPaperLength, 2794);
}
