// The print commands over a fake printer and a fake print dialog: the checks
// before printing, the margin warning, the default-printer flag around the
// dialogs, Print Setup's choice reaching the document, and Print All lending
// each document copies of the chosen printer.
#include "common/FakePrinter.h"
#include "common/TestSupport.h"
#include "core/Settings.h"
#include "document/AppPrinter.h"
#include "document/CKavoDoc.h"
#include "document/DocPrinter.h"
#include "document/PageLayout.h"
#include "document/PaperSizes.h"
#include "keyword/KeywordHooks.h"
#include "render/DocDrawObjects.h"
#include "render/PrintCommands.h"
#include "render/PrintDocument.h"
#include "render/PrintUi.h"

#include <QBuffer>
#include <QPdfWriter>

#include <gtest/gtest.h>

namespace {
std::string PaperText(HGLOBAL dm)
{
    DevModeFields f;
    if (!ReadDevModeFields(dm, f))
        return "none";
    return std::to_string(f.orientation) + " " + std::to_string(f.paperSize);
}

class FakePrintUi : public IPrintUi {
public:
    struct Job {
        CKavoDoc* doc;
        bool direct;
        std::string paper; // orientation and code of the DEVMODE printed with
        WORD flags;        // the DEVNAMES flags seen
        int pages;
        bool truncationWarning = false;  // the paper-size warning's switch while printing
    };
    explicit FakePrintUi(CFakePrinterService& printers) : m_printers(printers) { SetPrintUi(this); }
    ~FakePrintUi() override { SetPrintUi(nullptr); }

    bool PrintSetupDialog(HGLOBAL& devMode, HGLOBAL& devNames) override
    {
        GetDevNamesFlags(devNames, setupFlags);
        return Choose(setupChoice, devMode, devNames, 0);
    }
    bool PrintDialog(HGLOBAL& devMode, HGLOBAL& devNames) override
    {
        return Choose(printChoice, devMode, devNames, DN_DEFAULTPRN);
    }
    void PrintDocument(CKavoDoc& doc, bool direct, HGLOBAL& devMode, HGLOBAL& devNames) override
    {
        Job job{&doc, direct, PaperText(devMode), 0, 0, IsPaperTruncationWarningOn()};
        GetDevNamesFlags(devNames, job.flags);
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        QPdfWriter pdf(&out);
        pdf.setResolution(72);
        ApplyDocPageLayout(doc, &pdf);
        job.pages = PrintDocumentPages(doc, &pdf, 1, 99);
        jobs.push_back(job);
    }
    void PrintPreview(CKavoDoc& doc, HGLOBAL&, HGLOBAL&) override { previews.push_back(&doc); }

    std::string setupChoice, printChoice; // the printer chosen; empty: Cancel
    WORD setupFlags = 0xFFFF;
    std::vector<Job> jobs;
    std::vector<CKavoDoc*> previews;

private:
    bool Choose(const std::string& printer, HGLOBAL& devMode, HGLOBAL& devNames, WORD flags)
    {
        if (printer.empty())
            return false;
        if (devMode)
            GlobalFree(devMode);
        if (devNames)
            GlobalFree(devNames);
        devMode = m_printers.MakeDevMode(printer, 1, DMORIENT_PORTRAIT, 2794, 2159);
        devNames = CFakePrinterService::MakeDevNames(printer, flags);
        return true;
    }
    CFakePrinterService& m_printers;
};

// The margin warning's answer and what it was asked.
int g_warningAnswer = IDOK;
bool g_warningDontShow = false;
std::vector<std::string> g_warnings;
int RecordWarning(const std::string& text, bool* dontShow)
{
    g_warnings.push_back(text);
    *dontShow = g_warningDontShow;
    return g_warningAnswer;
}

class PrintCommands : public testing::Test {
protected:
    void SetUp() override
    {
        InstallExportDrawer();
        laser = &printers.Add("Laser");
        laser->codes = {1, 9};
        printers.defaultPrinter = "Laser";
        g_warnings.clear();
        g_warningAnswer = IDOK;
        g_warningDontShow = false;
        g_pfnKwWarningDlg = RecordWarning;
    }
    void TearDown() override { g_pfnKwWarningDlg = nullptr; }

    // A document on the laser printer with one figure at `rect`.
    void MakeDoc(CKavoDoc& doc, const CRect& rect, int paper = 1, int orientation = 1)
    {
        ASSERT_TRUE(doc.OnNewDocument());
        ResetPageSettings(doc);
        HGLOBAL devMode = printers.MakeDevMode("Laser", paper, orientation, 0, 0);
        HGLOBAL devNames = CFakePrinterService::MakeDevNames("Laser");
        SetDocPrinterHandles(doc, devMode, devNames);
        GlobalFree(devMode);
        GlobalFree(devNames);
        doc.m_nPaper = paper;
        doc.m_nOrientation = orientation;
        UpdatePageLayout(doc);
        auto* fig = new CFigure(&doc);
        fig->m_rect = rect;
        fig->m_props = doc.m_figStyles.GetAt(0)->m_props;
        fig->m_nId = doc.m_nNextId++;
        ASSERT_TRUE(doc.AddFig(fig));
    }

    CFakePrinterService printers;
    CFakePrinterService::Printer* laser = nullptr;
    FakePrintUi ui{printers};
    CRecordingPrompt prompt;
};
} // namespace

TEST_F(PrintCommands, PrintTakesTheDocumentsPrinter)
{
    CKavoDoc doc;
    MakeDoc(doc, CRect(300, 300, 800, 600));
    ASSERT_TRUE(SelectDefaultPrinter()); // the system default, flagged
    PrintCommand(&doc, true);
    ASSERT_EQ(ui.jobs.size(), 1u);
    EXPECT_TRUE(ui.jobs[0].direct);
    EXPECT_EQ(ui.jobs[0].flags, 0);
    EXPECT_EQ(ui.jobs[0].pages, 1);
    EXPECT_EQ(ui.jobs[0].paper, "1 1");
    EXPECT_TRUE(g_warnings.empty()); // all inside the margins
    // The document's printer (unflagged) replaced the application's.
    WORD flags = 0xFFFF;
    GetDevNamesFlags(AppPrinterHandles().devNames, flags);
    EXPECT_EQ(flags, 0);
}

TEST_F(PrintCommands, CancelOnTheMarginWarningPrintsNothingButUpdatesTheLayout)
{
    CKavoDoc doc;
    MakeDoc(doc, CRect(-500, 0, 200, 100)); // off the page
    const struct {
        int answer;
        bool dontShow;
        size_t jobs;
        int warnAfter;
    } cases[] = {{IDCANCEL, false, 0, 1}, {IDOK, true, 1, 0}};
    for (const auto& c : cases) {
        WarnOutsideMargins = 1;
        g_warnings.clear();
        g_warningAnswer = c.answer;
        g_warningDontShow = c.dontShow;
        ui.jobs.clear();
        doc.m_nPosterCols = 9; // repaired only by the layout update after printing
        PrintCommand(&doc, false);
        ASSERT_EQ(g_warnings.size(), 1u);
        EXPECT_EQ(g_warnings[0], "Objects are not entirely within page margins.  Continue?");
        EXPECT_EQ(ui.jobs.size(), c.jobs);
        EXPECT_EQ(doc.m_nPosterCols, 1);
        EXPECT_EQ(WarnOutsideMargins, c.warnAfter);
        EXPECT_FALSE(IsPaperTruncationWarningOn());
    }
}

TEST_F(PrintCommands, PaperWithoutDimensionsIsRefusedBeforeTheDialog)
{
    CFakePrinterService::Printer& zero = printers.Add("Zero"); // a custom paper of no size
    zero.codes = {256};
    zero.sizes = {0, 0};
    CKavoDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    HGLOBAL devMode = printers.MakeDevMode("Zero", 256, DMORIENT_PORTRAIT);
    HGLOBAL devNames = CFakePrinterService::MakeDevNames("Zero");
    SetDocPrinterHandles(doc, devMode, devNames);
    GlobalFree(devMode);
    GlobalFree(devNames);
    UpdatePageLayout(doc);
    ASSERT_EQ(doc.m_rcPage.Width(), 0);
    PrintCommand(&doc, false);
    EXPECT_TRUE(ui.jobs.empty());
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text,
              "Cannot print, custom paper size has no dimensions.  Fix in Print Set-up or Page Set-up.");
}

TEST_F(PrintCommands, PrintSetupChoiceReachesTheDocumentAndZeroSizesAreReported)
{
    CFakePrinterService::Printer& zero = printers.Add("Zero");
    zero.codes = {1};
    zero.sizes = {0, 0};
    CKavoDoc doc;
    MakeDoc(doc, CRect(0, 0, 100, 100));
    doc.SetModifiedFlag(false);
    ASSERT_TRUE(SelectDefaultPrinter()); // the system default: flagged
    ui.setupChoice = "";
    PrintSetupCommand(nullptr);
    EXPECT_EQ(ui.setupFlags, 0); // the dialog never sees the default flag
    WORD flags = 0;
    GetDevNamesFlags(AppPrinterHandles().devNames, flags);
    EXPECT_EQ(flags, DN_DEFAULTPRN); // and it is put back
    PrintSetupCommand(&doc);
    EXPECT_FALSE(doc.IsModified()); // Cancel
    // A printer chosen without a document keeps its own (unset) mark.
    ui.setupChoice = "Laser";
    SelectDefaultPrinter();
    SetDevNamesFlags(AppPrinterHandles().devNames, DN_DEFAULTPRN);
    PrintSetupCommand(nullptr);
    GetDevNamesFlags(AppPrinterHandles().devNames, flags);
    EXPECT_EQ(flags, 0);
    ui.setupChoice = "Zero";
    PrintSetupCommand(&doc);
    DevNamesStrings names;
    ASSERT_TRUE(ReadDevNames(doc.m_hDevNames, names));
    EXPECT_EQ(names.device, "Zero");
    EXPECT_TRUE(doc.IsModified());
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, "Warning.  Printing is disabled when paper dimensions are zero.  Try "
                                    "selecting a different paper or create a custom paper.");
    EXPECT_NE(doc.m_hDevNames, AppPrinterHandles().devNames); // the document's own copy
}

TEST_F(PrintCommands, PreviewTakesTheDocumentsPrinterWithoutChecks)
{
    CKavoDoc doc;
    MakeDoc(doc, CRect(-500, 0, 200, 100));
    WarnOutsideMargins = 1;
    PrintPreviewCommand(&doc);
    ASSERT_EQ(ui.previews.size(), 1u);
    EXPECT_TRUE(g_warnings.empty());
    EXPECT_NE(AppPrinterHandles().devNames, nullptr);
}

TEST_F(PrintCommands, PrintAllLendsCopiesAndSkipsPagesThatDoNotHold)
{
    CKavoDoc a4, legal;
    MakeDoc(a4, CRect(0, 0, 100, 100), 9, DMORIENT_LANDSCAPE);
    MakeDoc(legal, CRect(0, 0, 100, 100), 5); // not on the laser printer
    const HGLOBAL a4Mode = a4.m_hDevMode, a4Names = a4.m_hDevNames;
    const HGLOBAL legalMode = legal.m_hDevMode;
    ui.printChoice = "";
    PrintAllCommand({&a4, &legal});
    EXPECT_TRUE(ui.jobs.empty()); // Cancel
    ui.printChoice = "Laser";
    PrintAllCommand({&a4, &legal});
    ASSERT_EQ(ui.jobs.size(), 1u);
    EXPECT_EQ(ui.jobs[0].doc, &a4);
    EXPECT_EQ(ui.jobs[0].paper, "2 9"); // the document's page on the chosen printer
    EXPECT_EQ(ui.jobs[0].flags, 0);
    // Each document has its own handles back, whole.
    EXPECT_EQ(a4.m_hDevMode, a4Mode);
    EXPECT_EQ(a4.m_hDevNames, a4Names);
    EXPECT_EQ(PaperText(a4.m_hDevMode), "2 9");
    EXPECT_EQ(legal.m_hDevMode, legalMode);
    // The flag is taken off the application's printer for good.
    WORD flags = 0xFFFF;
    GetDevNamesFlags(AppPrinterHandles().devNames, flags);
    EXPECT_EQ(flags & DN_DEFAULTPRN, 0);
}

// The paper-size warning is on while printing unless the paper already has
// the largest size across or down (then it was cut and said so before).
TEST_F(PrintCommands, TheSizeWarningIsOffForAPaperAlreadyAtTheLimit)
{
    Metric = 0;
    CFakePrinterService::Printer& plotter = printers.Add("Plotter");
    plotter.codes = {500, 501, 502};
    plotter.sizes = {20000, 2794, 2159, 20000, 1000, 1500};   // 2 m across, 2 m down, small
    struct Case {
        int paper;
        bool warning;
    } cases[] = {{500, false}, {501, false}, {502, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.paper);
        CKavoDoc doc;
        ASSERT_TRUE(doc.OnNewDocument());
        ResetPageSettings(doc);
        HGLOBAL devMode = printers.MakeDevMode("Plotter", c.paper, DMORIENT_PORTRAIT, 0, 0);
        HGLOBAL devNames = CFakePrinterService::MakeDevNames("Plotter");
        SetDocPrinterHandles(doc, devMode, devNames);
        GlobalFree(devMode);
        GlobalFree(devNames);
        doc.m_nPaper = c.paper;
        UpdatePageLayout(doc);
        ui.jobs.clear();
        PrintCommand(&doc, true);
        ASSERT_EQ(ui.jobs.size(), 1u);
        EXPECT_EQ(ui.jobs[0].truncationWarning, c.warning);
        EXPECT_FALSE(IsPaperTruncationWarningOn());
    }
}
