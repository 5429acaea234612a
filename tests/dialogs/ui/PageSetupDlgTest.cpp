// Page Setup through the frame's command: the paper list is the page
// layout's (or the printer's), a chosen paper sets the page size and what
// follows from it, margins may go down to what the paper allows, rows
// beyond what fits are lowered, Cancel changes nothing.
#include "common/DiagramFixture.h"
#include "common/FakePrinter.h"
#include "common/TestSupport.h"
#include "dialogs/ui/WhenModalShows.h"
#include "controls/ui/CommandRecorder.h"
#include "core/Settings.h"
#include "dialogs/page/CPageDlg.h"
#include "dialogs/page/PageSetupCommand.h"
#include "document/PageLayout.h"
#include "document/PaperSizes.h"
#include "editing/ui/CKavoView.h"
#include "editing/ui/ViewEvents.h"
#include "frame/ui/CMainFrame.h"
#include "platform/Ansi.h"
#include "platform/ui/DlgItems.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {
class CListedPapers : public IPaperSizeCombo {
public:
    std::vector<std::pair<std::string, int>> papers;
    void ResetContent() override { papers.clear(); }
    bool AddPaper(const std::string& name, int code) override
    {
        papers.emplace_back(name, code);
        return true;
    }
};

QComboBox* Papers(CPageDlg& dlg)
{
    return static_cast<QComboBox*>(GetDlgItem(&dlg, CPageDlg::kPaperId));
}

// Picks the paper the way a user does: the list's entry by keyboard.
void ChoosePaper(CPageDlg& dlg, int code)
{
    QComboBox* box = Papers(dlg);
    const int target = box->findData(code);
    ASSERT_GE(target, 0);
    box->setFocus();
    QTest::keyClick(box, Qt::Key_Home);
    for (int i = 0; i < target; ++i)
        QTest::keyClick(box, Qt::Key_Down);
}

void TypeAndEnter(CPageDlg& dlg, int id, const char* text)
{
    auto* field = static_cast<QLineEdit*>(GetDlgItem(&dlg, id));
    TypeOver(field, text);
    QTest::keyClick(field, Qt::Key_Return);
}

std::string Text(CPageDlg& dlg, int id)
{
    return GetDlgItemText(&dlg, id);
}

struct PageSetupTest : testing::Test {
    CTempProfile profile;
    CRecordingPrompt prompt;
    DiagramFixture fx;
    CMainFrame frame;
    std::string before;

    void SetUp() override
    {
        Metric = 0;
        fx.AddBox(1000, 1000, 800, 400, "A");
        frame.AddViewFrame(new CKavoView(&fx.doc), "d");
        fx.doc.SetModifiedFlag(false);
        before = DocText(fx.doc);
    }
};
} // namespace

TEST_F(PageSetupTest, PaperListIsThePageLayoutsAndAChosenPaperSetsThePage)
{
    CListedPapers listed;
    FillPaperSizeCombo(listed);
    WhenModalShows<CPageDlg>(
        [&](CPageDlg& dlg) {
            QComboBox* box = Papers(dlg);
            ASSERT_EQ(size_t(box->count()), listed.papers.size());
            for (int i = 0; i < box->count(); ++i) {
                EXPECT_EQ(QStringToAnsi(box->itemText(i)), listed.papers[size_t(i)].first);
                EXPECT_EQ(box->itemData(i).toInt(), listed.papers[size_t(i)].second);
            }
            EXPECT_EQ(box->currentData().toInt(), 1);
            EXPECT_EQ(Text(dlg, CPageDlg::kWidthId), "8.5 in");
            ChoosePaper(dlg, 9); // A4
        },
        IDCANCEL);
    frame.OnCommand(36560);
    EXPECT_EQ(DocText(fx.doc), before);
    EXPECT_FALSE(fx.doc.IsModified());

    WhenModalShows<CPageDlg>(
        [](CPageDlg& dlg) {
            ChoosePaper(dlg, 9);
            EXPECT_EQ(Text(dlg, CPageDlg::kWidthId), "8.27 in");
            EXPECT_EQ(Text(dlg, CPageDlg::kHeightId), "11.69 in");
        },
        IDOK);
    frame.OnCommand(36560);
    EXPECT_EQ(fx.doc.m_nPaper, 9);
    EXPECT_EQ(fx.doc.m_nPaperWidth, 2100);
    EXPECT_EQ(fx.doc.m_nPaperLength, 2970);
    EXPECT_EQ(fx.doc.m_rcPage.Width(), 2117);
    EXPECT_TRUE(fx.doc.IsModified());
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(PageSetupTest, MarginsGoDownToWhatThePaperAllows)
{
    // Without a printer the whole paper is printable: half an inch, the
    // default, and less are fine.
    WhenModalShows<CPageDlg>(
        [this](CPageDlg& dlg) {
            EXPECT_EQ(Text(dlg, CPageDlg::kTopId), ".5 in");
            TypeAndEnter(dlg, CPageDlg::kTopId, ".25");
            EXPECT_TRUE(prompt.shown.empty());
            TypeAndEnter(dlg, CPageDlg::kLeftId, "5");
            ASSERT_EQ(prompt.shown.size(), 1u);
            EXPECT_EQ(prompt.shown[0].text, "Enter a valid margin between 0 and 4.25");
            TypeAndEnter(dlg, CPageDlg::kLeftId, ".5");
        },
        IDOK);
    frame.OnCommand(36560);
    EXPECT_EQ(fx.doc.m_fMarginTop, 64.0);
    EXPECT_EQ(fx.doc.m_fMarginLeft, 128.0);
}

TEST_F(PageSetupTest, MarginsKeepThePrintersUnprintableBorder)
{
    CFakePrinterService printers;
    printers.Add("Office"); // letter and A4, 6.4 mm it cannot print
    fx.doc.m_hDevNames = CFakePrinterService::MakeDevNames("Office");
    fx.doc.m_hDevMode = printers.MakeDevMode("Office", 1, 1);
    UpdatePageLayout(fx.doc);
    WhenModalShows<CPageDlg>(
        [this](CPageDlg& dlg) {
            // The printer's own papers are listed under its own names.
            ASSERT_EQ(Papers(dlg)->count(), 2);
            EXPECT_EQ(Papers(dlg)->itemText(0), "US Letter");
            EXPECT_EQ(Papers(dlg)->itemText(1), "ISO A4");
            EXPECT_EQ(Papers(dlg)->itemData(1).toInt(), 9);
            TypeAndEnter(dlg, CPageDlg::kTopId, ".1");
            ASSERT_EQ(prompt.shown.size(), 1u);
            EXPECT_EQ(prompt.shown[0].text.rfind("Enter a valid margin between .26 and ", 0), 0u)
                << prompt.shown[0].text;
            TypeAndEnter(dlg, CPageDlg::kTopId, ".5");
            EXPECT_EQ(prompt.shown.size(), 1u);
        },
        IDCANCEL);
    frame.OnCommand(36560);

    // Ctrl held: the dialog works without the printer's settings.
    WhenModalShows<CPageDlg>(
        [&](CPageDlg& dlg) {
            CListedPapers listed;
            FillPaperSizeCombo(listed);
            EXPECT_EQ(size_t(Papers(dlg)->count()), listed.papers.size());
        },
        IDCANCEL);
    RunPageSetup(nullptr, &fx.doc, true);
}

TEST_F(PageSetupTest, RowsBeyondWhatFitsAreLowered)
{
    WhenModalShows<CPageDlg>(
        [](CPageDlg& dlg) {
            // Letter: five rows fit down the work space.
            TypeAndEnter(dlg, CPageDlg::kRowsId, "5");
            TypeAndEnter(dlg, CPageDlg::kColsId, "2");
            EXPECT_EQ(Text(dlg, CPageDlg::kRowsId), "5");
            ChoosePaper(dlg, 3); // tabloid: three fit down the work space
            EXPECT_EQ(Text(dlg, CPageDlg::kRowsId), "3");
            EXPECT_EQ(Text(dlg, CPageDlg::kColsId), "2");
        },
        IDOK);
    frame.OnCommand(36560);
    EXPECT_EQ(fx.doc.m_nPaper, 3);
    EXPECT_EQ(fx.doc.m_nPosterRows, 3);
    EXPECT_EQ(fx.doc.m_nPosterCols, 2);
}

TEST_F(PageSetupTest, SilentPrinterLeavesAnEmptyListThatStillRepaints)
{
    CFakePrinterService printers;
    printers.Add("Silent").paperCountOverride = 5000; // a count the list refuses
    printers.Add("Nameless").names = {"US Letter"};   // names one of its two papers
    for (const char* name : {"Silent", "Nameless"}) {
        SCOPED_TRACE(name);
        fx.doc.m_hDevNames = GlobalFree(fx.doc.m_hDevNames);
        fx.doc.m_hDevMode = GlobalFree(fx.doc.m_hDevMode);
        fx.doc.m_hDevNames = CFakePrinterService::MakeDevNames(name);
        fx.doc.m_hDevMode = printers.MakeDevMode(name, 1, 1);
        WhenModalShows<CPageDlg>(
            [](CPageDlg& dlg) {
                EXPECT_EQ(Papers(dlg)->count(), 0);
                EXPECT_TRUE(Papers(dlg)->updatesEnabled());
            },
            IDCANCEL);
        frame.OnCommand(36560);
    }
}

// Crop marks are a program setting: OK keeps them even without a diagram.
TEST_F(PageSetupTest, CropMarksAreKeptWithoutADocument)
{
    for (const int start : {0, 1}) {
        SCOPED_TRACE(start);
        CropMarks = start;
        ASSERT_TRUE(CfgSaveAll());
        WhenModalShows<CPageDlg>(
            [start](CPageDlg& dlg) {
                auto* crop = static_cast<QAbstractButton*>(GetDlgItem(&dlg, CPageDlg::kCropMarksId));
                EXPECT_EQ(crop->isChecked(), start != 0);
                crop->click();
            },
            IDOK);
        EXPECT_TRUE(RunPageSetup(nullptr, nullptr, false));
        EXPECT_EQ(CropMarks, 1 - start);
        CropMarks = start;
        CfgLoadAll();
        EXPECT_EQ(CropMarks, 1 - start);
    }
}

// After OK the settings are saved when crop marks, rows or columns changed,
// and only then; the diagram takes back rows, columns, margins and the
// orientation.
TEST_F(PageSetupTest, SettingsAreSavedWhenCropMarksRowsOrColumnsChange)
{
    const struct {
        int id;             // the control changed
        const char* typed;  // typed into a field; nullptr clicks it
        bool saved;
    } cases[] = {
        {CPageDlg::kTopId, ".25", false},
        {CPageDlg::kLandscapeId, nullptr, false},
        {CPageDlg::kRowsId, "2", true},
        {CPageDlg::kColsId, "2", true},
        {CPageDlg::kCropMarksId, nullptr, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        fx.doc.m_nPosterRows = fx.doc.m_nPosterCols = 1;
        fx.doc.m_nOrientation = 1;
        fx.doc.m_fMarginTop = 128;
        UpdatePageLayout(fx.doc);
        NoSplash = 0;
        ASSERT_TRUE(CfgSaveAll());
        // Changed in memory only: a save writes it.
        NoSplash = 1;
        WhenModalShows<CPageDlg>(
            [&c](CPageDlg& dlg) {
                if (c.typed)
                    TypeAndEnter(dlg, c.id, c.typed);
                else
                    static_cast<QAbstractButton*>(GetDlgItem(&dlg, c.id))->click();
            },
            IDOK);
        frame.OnCommand(36560);
        CfgLoadAll();
        EXPECT_EQ(NoSplash, c.saved ? 1 : 0);
        EXPECT_EQ(fx.doc.m_fMarginTop, c.id == CPageDlg::kTopId ? 64.0 : 128.0);
        EXPECT_EQ(fx.doc.m_nOrientation, c.id == CPageDlg::kLandscapeId ? 2 : 1);
        EXPECT_EQ(fx.doc.m_nPosterRows, c.id == CPageDlg::kRowsId ? 2 : 1);
        EXPECT_EQ(fx.doc.m_nPosterCols, c.id == CPageDlg::kColsId ? 2 : 1);
        if (c.id == CPageDlg::kLandscapeId) {
            EXPECT_GT(fx.doc.m_rcPage.Width(), fx.doc.m_rcPage.Height());
        }
    }
    NoSplash = 0;
}

// Rows and columns are refused beyond what fits the paper with message 891.
TEST_F(PageSetupTest, RowsAndColumnsBeyondThePaperAreRefused)
{
    WhenModalShows<CPageDlg>(
        [this](CPageDlg& dlg) {
            TypeAndEnter(dlg, CPageDlg::kRowsId, "6");
            TypeAndEnter(dlg, CPageDlg::kRowsId, "1");
            TypeAndEnter(dlg, CPageDlg::kColsId, "0");
            ASSERT_EQ(prompt.shown.size(), 2u);
            EXPECT_EQ(prompt.shown[0].text, "Enter a valid number between 1 and 5");
            EXPECT_EQ(prompt.shown[1].text.rfind("Enter a valid number between 1 and ", 0), 0u);
            TypeAndEnter(dlg, CPageDlg::kColsId, "1");
        },
        IDOK);
    frame.OnCommand(36560);
    EXPECT_EQ(fx.doc.m_nPosterRows, 1);
}

TEST_F(PageSetupTest, PaperWithoutSizeWarnsAndDisablesMargins)
{
    CFakePrinterService printers;
    CFakePrinterService::Printer& p = printers.Add("Odd");
    p.codes = {1, 48};
    p.sizes = {2159, 2794, 0, 0};
    fx.doc.m_hDevNames = CFakePrinterService::MakeDevNames("Odd");
    fx.doc.m_hDevMode = printers.MakeDevMode("Odd", 1, 1);
    UpdatePageLayout(fx.doc);
    WhenModalShows<CPageDlg>(
        [this](CPageDlg& dlg) {
            ChoosePaper(dlg, 48);
            ASSERT_EQ(prompt.shown.size(), 1u);
            EXPECT_EQ(prompt.shown[0].text, "Warning.  Printing is disabled when paper dimensions are zero.  Try "
                                            "selecting a different paper or create a custom paper.");
            EXPECT_FALSE(GetDlgItem(&dlg, CPageDlg::kTopId)->isEnabled());
            EXPECT_FALSE(GetDlgItem(&dlg, CPageDlg::kLandscapeId)->isEnabled());
        },
        IDCANCEL);
    frame.OnCommand(36560);
}

// The list selects the document's paper, or its first entry when the printer
// has no such paper; the user-defined paper keeps the page's size.
TEST_F(PageSetupTest, UnlistedPaperSelectsTheFirstAndTheUserPaperKeepsThePage)
{
    CFakePrinterService printers;
    CFakePrinterService::Printer& p = printers.Add("Office");
    p.codes = {1, 256};
    p.sizes = {2159, 2794, 1000, 1000};
    p.names = {"US Letter", "Custom"};
    fx.doc.m_hDevNames = CFakePrinterService::MakeDevNames("Office");
    fx.doc.m_hDevMode = printers.MakeDevMode("Office", 5, 1); // legal: not this printer's
    WhenModalShows<CPageDlg>(
        [](CPageDlg& dlg) {
            EXPECT_EQ(Papers(dlg)->currentIndex(), 0);
            const std::string width = Text(dlg, CPageDlg::kWidthId);
            ChoosePaper(dlg, 256);
            EXPECT_EQ(Text(dlg, CPageDlg::kWidthId), width);
        },
        IDCANCEL);
    frame.OnCommand(36560);
}

// With no diagram open the dialog, titled "Page Setup", shows each margin at
// its default of half an inch, and every margin field has its own place.
TEST_F(PageSetupTest, WithoutADocumentEachMarginShowsItsDefault)
{
    WhenModalShows<CPageDlg>(
        [](CPageDlg& dlg) {
            EXPECT_EQ(dlg.windowTitle().toStdString(), "Page Setup");
            const int margins[] = {CPageDlg::kTopId, CPageDlg::kBottomId, CPageDlg::kLeftId, CPageDlg::kRightId};
            for (size_t i = 0; i < std::size(margins); ++i) {
                SCOPED_TRACE(margins[i]);
                QWidget* field = GetDlgItem(&dlg, margins[i]);
                ASSERT_NE(field, nullptr);
                EXPECT_EQ(Text(dlg, margins[i]), ".5 in");
                for (size_t j = 0; j < i; ++j)
                    EXPECT_FALSE(field->geometry().intersects(GetDlgItem(&dlg, margins[j])->geometry()));
            }
        },
        IDCANCEL);
    RunPageSetup(nullptr, nullptr, false);
}
