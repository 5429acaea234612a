// The Options sheet as the user works it: one value changed on each page and
// OK changes that setting and no other in the settings file, the bars follow
// their boxes once, Cancel changes nothing, the sheet reopens on its last
// page, and the branch-label page is there only with old-style labels on.
#include "common/DiagramFixture.h"
#include "common/TestSupport.h"
#include "dialogs/ui/ModalDriver.h"
#include "dialogs/ui/PickColor.h"
#include "controls/CCheckListCtrl.h"
#include "controls/ui/CommandRecorder.h"
#include "core/Settings.h"
#include "dialogs/options/COptionPages.h"
#include "dialogs/options/COptionsSheet.h"
#include "dialogs/page/CPageSampleButton.h"
#include "editing/ui/CKavoView.h"
#include "frame/ui/CCustomToolBar.h"
#include "frame/ui/CMainFrame.h"
#include "platform/ui/DlgItems.h"

#include <QAbstractButton>
#include <QAbstractEventDispatcher>
#include <QAction>
#include <QCheckBox>
#include <QRadioButton>
#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace {
enum Page { kGeneral, kView, kZoom, kColors, kSave, kLabels };

// The settings file's lines.
std::set<std::string> SettingsLines(const QString& folder)
{
    std::set<std::string> lines;
    QDirIterator it(folder, {"*.ini"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        EXPECT_TRUE(f.open(QIODevice::ReadOnly));
        for (const QByteArray& line : f.readAll().split('\n'))
            if (!line.trimmed().isEmpty())
                lines.insert(line.trimmed().toStdString());
    }
    return lines;
}

std::set<std::string> Minus(const std::set<std::string>& a, const std::set<std::string>& b)
{
    std::set<std::string> out;
    for (const std::string& s : a)
        if (!b.count(s))
            out.insert(s);
    return out;
}

void OpenPage(COptionsSheet& sheet, int page)
{
    QTabBar* bar = sheet.GetTabControl()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(page).center());
}

void ClickBox(COptionsSheet& sheet, int row)
{
    auto* list = static_cast<CCheckListCtrl*>(GetDlgItem(sheet.GetPage(sheet.GetTabControl()->currentIndex()),
                                                         COptGeneral::kListId));
    list->scrollToItem(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(row)).topLeft() + QPoint(6, 6));
}

void Type(COptionsSheet& sheet, int id, const char* text)
{
    auto* edit = static_cast<QLineEdit*>(GetDlgItem(&sheet, id));
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

// A click on the button; boxes and radios are hit on their indicator.
void Press(QWidget* parent, int id)
{
    auto* button = static_cast<QAbstractButton*>(GetDlgItem(parent, id));
    const bool box = qobject_cast<QCheckBox*>(button) || qobject_cast<QRadioButton*>(button);
    QTest::mouseClick(button, Qt::LeftButton, {}, box ? QPoint(8, button->height() / 2) : button->rect().center());
}

void PickColor(COptionsSheet& sheet, int id, COLORREF color)
{
    PickColor(static_cast<CColorDropButton*>(GetDlgItem(&sheet, id)), color);
}

// The intervals (ms) of the window's timers.
std::vector<qint64> TimerIntervals(QObject* window)
{
    std::vector<qint64> intervals;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    for (const auto& timer : QAbstractEventDispatcher::instance()->timersForObject(window))
        intervals.push_back(std::chrono::duration_cast<std::chrono::milliseconds>(timer.interval).count());
#else
    for (const auto& timer : QAbstractEventDispatcher::instance()->registeredTimers(window))
        intervals.push_back(timer.interval);
#endif
    return intervals;
}

void WhenSheetShows(std::function<void(COptionsSheet&)> work)
{
    WhenModalShows<COptionsSheet>(std::move(work));
}

class OptionsSheetTest : public ::testing::Test {
protected:
    OptionsSheetTest()
    {
        frame.AddViewFrame(new CKavoView(&fx.doc), "d");
        frame.show();
    }
    // Runs Options with `work`, then OK; the settings lines that changed.
    std::set<std::string> ChangedBy(std::function<void(COptionsSheet&)> work, int button = IDOK)
    {
        CfgSaveAll();
        const auto before = SettingsLines(profile.Folder());
        WhenSheetShows([work, button](COptionsSheet& sheet) {
            work(sheet);
            Press(&sheet, button);
        });
        frame.OnCommand(33082);
        return Minus(SettingsLines(profile.Folder()), before);
    }
    CTempProfile profile;
    CRecordingPrompt prompt;
    DiagramFixture fx;
    CMainFrame frame;
};
} // namespace

TEST_F(OptionsSheetTest, OneValueOnEachPageIsTheOnlySettingThatChanges)
{
    EnableOldBranchLabels = 1;
    const struct Case {
        int page;
        std::function<void(COptionsSheet&)> work;
        std::set<std::string> changed;
    } cases[] = {
        {kGeneral, [](COptionsSheet& s) { Press(&s, COptGeneral::kMetricId); }, {"Metric=1"}},
        {kGeneral, [](COptionsSheet& s) { ClickBox(s, 0); }, {"SelectAfterFigureCreate=1"}},
        {kView, [](COptionsSheet& s) { ClickBox(s, 6); }, {"ShowConnectionPoints=1"}},
        {kZoom, [](COptionsSheet& s) { Type(s, COptZoom::kFirstPresetId, "300"); },
         {"Zoom1=50", "Zoom2=80", "Zoom3=100", "Zoom4=150", "Zoom5=200", "Zoom6=300"}},
        {kColors, [](COptionsSheet& s) { Press(&s, COptColors::kRestoreId); }, {"PageColor=255,255,255"}},
        {kSave, [](COptionsSheet& s) { Type(s, COptSave::kMinutesId, "15"); }, {"AutoSaveMinutes=15"}},
        {kLabels,
         [](COptionsSheet& s) {
             Press(&s, COptAutoLabel::kCheckId);
             Type(s, 2607, "x");
         },
         // Rebuilt from an empty text section by section, as the profile
         // writes it (backslashes doubled, the last blank escaped).
         {"AutoLabelDecision=1", "AutoLabelDecisionTxt=\\\\sect y\\\\sect x\\\\sect \\\\sect\\x20"}},
    };
    Metric = 0;   // the default follows the machine's locale
    PageColor = 0x00FF00;
    AutoSave = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(*c.changed.begin());
        const auto changed = ChangedBy([&c](COptionsSheet& sheet) {
            ASSERT_EQ(sheet.GetPageCount(), 6);
            OpenPage(sheet, c.page);
            c.work(sheet);
            SaveShot(&sheet, ("OptionsPage" + std::to_string(c.page)).c_str());
        });
        EXPECT_EQ(changed, c.changed);
        EXPECT_TRUE(prompt.shown.empty());
    }
    // The zoom menu follows the sorted presets.
    EXPECT_EQ(frame.Commands().Action(36530)->text(), "300%");
}

TEST_F(OptionsSheetTest, BarsFollowTheirBoxesOnceAndCancelChangesNothing)
{
    ASSERT_EQ(ShowStdToolBar, 1);
    ASSERT_EQ(CollapsedStyleBar, 0);
    const auto changed = ChangedBy([](COptionsSheet& sheet) {
        OpenPage(sheet, kView);
        ClickBox(sheet, 1);   // standard toolbar off
        ClickBox(sheet, 2);   // property bar off
        ClickBox(sheet, 3);   // style bar off: collapsed
    });
    EXPECT_EQ(changed, (std::set<std::string>{"ShowStdToolBar=0", "ShowPropertyBar=0", "CollapsedStyleBar=1"}));
    EXPECT_EQ(ShowStdToolBar, 0);
    EXPECT_TRUE(frame.StdToolBar()->isHidden());
    EXPECT_TRUE(frame.PropertyBar()->isHidden());

    // Cancel after changes on several pages: nothing moves.
    const int metric = Metric;
    const auto cancelled = ChangedBy(
        [](COptionsSheet& sheet) {
            OpenPage(sheet, kView);
            ClickBox(sheet, 1);
            OpenPage(sheet, kGeneral);
            Press(&sheet, COptGeneral::kMetricId);
        },
        IDCANCEL);
    EXPECT_TRUE(cancelled.empty());
    EXPECT_EQ(ShowStdToolBar, 0);
    EXPECT_TRUE(frame.StdToolBar()->isHidden());
    EXPECT_EQ(Metric, metric);
}

TEST_F(OptionsSheetTest, RefusedValuesKeepTheirPageAndOutOfRangeScaleShowsAsHundred)
{
    ScaleImport = 900;
    WhenSheetShows([](COptionsSheet& sheet) {
        ASSERT_EQ(sheet.GetPageCount(), 5);   // no branch-label page
        OpenPage(sheet, kGeneral);
        EXPECT_EQ(GetDlgItemText(&sheet, COptGeneral::kScaleId), "100%");
        OpenPage(sheet, kZoom);
        Type(sheet, COptZoom::kFirstPresetId, "5");
        OpenPage(sheet, kSave);   // refused: the zoom page stays
        EXPECT_EQ(sheet.GetTabControl()->currentIndex(), int(kZoom));
        Press(&sheet, IDCANCEL);
    });
    frame.OnCommand(33082);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, "Zoom intervals must be a valid value between 10% and 1000%");
    EXPECT_EQ(ScaleImport, 900);
    // The sheet reopens on the page it closed on.
    EXPECT_EQ(COptionsSheet::RememberedPage(), int(kZoom));
}

// The scale shows as stored from 10 to 400 percent, as 100 outside.
TEST_F(OptionsSheetTest, ScaleShowsAsStoredOnlyWithinItsRange)
{
    const struct {
        int stored;
        const char* shown;
    } cases[] = {{9, "100%"}, {10, "10%"}, {400, "400%"}, {401, "100%"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        ScaleImport = c.stored;
        WhenSheetShows([&c](COptionsSheet& sheet) {
            OpenPage(sheet, kGeneral);
            EXPECT_EQ(GetDlgItemText(&sheet, COptGeneral::kScaleId), c.shown);
            Press(&sheet, IDCANCEL);
        });
        frame.OnCommand(33082);
        EXPECT_EQ(ScaleImport, c.stored);
    }
}

TEST_F(OptionsSheetTest, ColourAndAutosaveChangesHaveTheirFollowUps)
{
    ASSERT_FALSE(fx.doc.IsShowingConPts());
    AutoSave = 0;
    const auto changed = ChangedBy([](COptionsSheet& sheet) {
        OpenPage(sheet, kColors);
        PickColor(sheet, 1312, RGB(4, 4, 252));
        OpenPage(sheet, kSave);
        Press(&sheet, COptSave::kAutoSaveId);
        Type(sheet, COptSave::kMinutesId, "5");
    });
    EXPECT_EQ(changed, (std::set<std::string>{"ConPtColor=4,4,252", "AutoSave=1", "AutoSaveMinutes=5"}));
    // The colour shows only where connection points are shown: the note.
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, "Note: The connection point color is not used unless enabled by the attach "
                                    "method (see Connectors menu).");
    EXPECT_NE(frame.AutoSaveTimerId(), 0);
    AutoSave = 0;
    frame.ResetAutoSaveTimer();
}

TEST_F(OptionsSheetTest, ColoursPageShowsTheActiveDiagramsSheetOfPagesInTheChosenColours)
{
    fx.doc.m_nPosterRows = 2;
    fx.doc.m_nPosterCols = 3;
    const auto changed = ChangedBy(
        [](COptionsSheet& sheet) {
            OpenPage(sheet, kColors);
            auto* sample = qobject_cast<CPageSampleButton*>(GetDlgItem(&sheet, COptColors::kPreviewId));
            ASSERT_NE(sample, nullptr);
            EXPECT_EQ(sample->Rows(), 2);
            EXPECT_EQ(sample->Cols(), 3);
            // A page colour chosen shows on the sheet at once.
            const auto pagePixels = [sample] {
                const QImage image = sample->grab().toImage();
                int n = 0;
                for (int y = 0; y < image.height(); ++y)
                    for (int x = 0; x < image.width(); ++x)
                        n += image.pixelColor(x, y) == QColor(4, 252, 4);
                return n;
            };
            EXPECT_EQ(pagePixels(), 0);
            PickColor(sheet, 1290, RGB(4, 252, 4));
            EXPECT_GT(pagePixels(), 500);
            SaveShot(&sheet, "OptionsColorsSample");
        },
        IDCANCEL);
    EXPECT_TRUE(changed.empty());
}

// The View list shows the bars as they are (the style bar's box is ticked
// while the bar is not collapsed), and the autosave minutes wait for the
// autosave box.
TEST_F(OptionsSheetTest, BoxesShowTheSettingsAsTheyAre)
{
    const int collapsed = CollapsedStyleBar, autoSave = AutoSave;
    for (const int on : {0, 1}) {
        SCOPED_TRACE(on);
        CollapsedStyleBar = 1 - on;
        AutoSave = on;
        WhenSheetShows([on](COptionsSheet& sheet) {
            OpenPage(sheet, kView);
            auto* list = static_cast<CCheckListCtrl*>(GetDlgItem(sheet.GetPage(kView), COptView::kListId));
            EXPECT_EQ(list->GetCheck(3) != 0, on != 0);
            OpenPage(sheet, kSave);
            QWidget* minutes = GetDlgItem(&sheet, COptSave::kMinutesId);
            EXPECT_EQ(minutes->isEnabled(), on != 0);
            Press(&sheet, COptSave::kAutoSaveId);
            EXPECT_EQ(minutes->isEnabled(), on == 0);
            Press(&sheet, IDCANCEL);
        });
        frame.OnCommand(33082);
    }
    CollapsedStyleBar = collapsed;
    AutoSave = autoSave;
}

// What a changed box or field does to the window at once after OK, each
// way round: the status bar hides and shows, the views take the work space
// of the whole diagram and then of the page again, captions show the full
// path and then the file name, and the autosave timer runs at the new
// interval.
TEST_F(OptionsSheetTest, ChangesReachTheWindowAtOnce)
{
    fx.doc.SetPathName("/plans/2026/flow.kvd", false);
    frame.RefreshFrameTitles();
    QMdiSubWindow* child = frame.MdiArea()->subWindowList().front();
    auto* view = qobject_cast<CKavoView*>(child->widget());
    ASSERT_NE(view, nullptr);
    AutoSave = 1;
    AutoSaveMinutes = 10;
    frame.ResetAutoSaveTimer();
    const CRect limited = view->WorkSpace();
    ASSERT_EQ(ShowStatusBar, 1);
    ASSERT_EQ(LimitedWorkspace, 1);
    ASSERT_EQ(FullPathCaptions, 0);
    ASSERT_NE(limited, fx.doc.m_rcWorkSpace);
    ASSERT_EQ(child->windowTitle(), "flow.kvd");
    const struct Case {
        const char* name;
        std::function<void(COptionsSheet&, bool changed)> work;
        std::function<void(bool changed)> check;
    } cases[] = {
        {"status bar", [](COptionsSheet& s, bool) { OpenPage(s, kView), ClickBox(s, 0); },
         [this](bool changed) { EXPECT_EQ(frame.statusBar()->isVisible(), !changed); }},
        {"work space", [](COptionsSheet& s, bool) { OpenPage(s, kGeneral), ClickBox(s, 18); },
         [&](bool changed) { EXPECT_EQ(view->WorkSpace(), changed ? fx.doc.m_rcWorkSpace : limited); }},
        {"full path", [](COptionsSheet& s, bool) { OpenPage(s, kGeneral), ClickBox(s, 19); },
         [child](bool changed) { EXPECT_EQ(child->windowTitle(), changed ? "/plans/2026/flow.kvd" : "flow.kvd"); }},
        {"autosave minutes",
         [](COptionsSheet& s, bool changed) {
             OpenPage(s, kSave), Type(s, COptSave::kMinutesId, changed ? "15" : "10");
         },
         [this](bool changed) {
             EXPECT_EQ(TimerIntervals(&frame), std::vector<qint64>{(changed ? 15 : 10) * 60000});
         }},
    };
    for (const Case& c : cases)
        for (const bool changed : {true, false}) {
            SCOPED_TRACE(std::string(c.name) + (changed ? " changed" : " back"));
            ChangedBy([&c, changed](COptionsSheet& sheet) { c.work(sheet, changed); });
            c.check(changed);
        }
    EXPECT_TRUE(prompt.shown.empty());
    AutoSave = 0;
    frame.ResetAutoSaveTimer();
}
