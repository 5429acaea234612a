// The zoom settings: presets entered out of order are stored sorted, a value
// out of range is refused with its message, Cancel changes nothing, and the
// View menu's zoom command relabels the presets.
#include "common/DiagramFixture.h"
#include "common/TestSupport.h"
#include "core/Settings.h"
#include "dialogs/CZoomIntervalsDlg.h"
#include "editing/ui/CKavoView.h"
#include "frame/ui/CMainFrame.h"
#include "platform/Prompt.h"
#include "platform/ui/DlgItems.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {
// Runs `fill` on the zoom dialog once it is up, then presses `button`.
void WhenDialogShows(std::function<void(CZoomIntervalsDlg&)> fill, int button)
{
    QTimer::singleShot(0, [fill, button] {
        auto* dlg = qobject_cast<CZoomIntervalsDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        fill(*dlg);
        static_cast<QAbstractButton*>(GetDlgItem(dlg, button))->click();
        if (QApplication::activeModalWidget() == dlg)
            dlg->reject();   // a refused value left it open: do not hang the test
    });
}

void SetPresets(CZoomIntervalsDlg& dlg, std::initializer_list<const char*> values)
{
    int id = CZoomIntervalsDlg::kFirstPresetId;
    for (const char* v : values)
        static_cast<QLineEdit*>(GetDlgItem(&dlg, id++))->setText(v);
}
} // namespace

TEST(ZoomIntervalsDlgTest, PresetsAreStoredSortedAndOutOfRangeIsRefused)
{
    CTempProfile profile;
    CRecordingPrompt prompt;
    const double height = ScreenHeight;
    struct Case {
        std::initializer_list<const char*> typed;
        int button;
        bool changed;
        int expected[6];
        size_t messages;
    } cases[] = {
        {{"200", "25", "75", "100", "150", "50"}, IDOK, true, {25, 50, 75, 100, 150, 200}, 0},
        {{"5", "25", "50", "80", "100", "150"}, IDOK, false, {25, 50, 75, 100, 150, 200}, 1},
        {{"1001", "25", "50", "80", "100", "150"}, IDOK, false, {25, 50, 75, 100, 150, 200}, 2},
        {{"30", "40", "50", "60", "70", "80"}, IDCANCEL, false, {25, 50, 75, 100, 150, 200}, 2},
    };
    for (const Case& c : cases) {
        WhenDialogShows([&](CZoomIntervalsDlg& dlg) { SetPresets(dlg, c.typed); }, c.button);
        bool presets = false;
        EXPECT_EQ(RunZoomIntervalsDialog(nullptr, &presets), c.changed);
        EXPECT_EQ(presets, c.changed);
        EXPECT_TRUE(std::equal(Zoom, Zoom + 6, c.expected)) << *c.typed.begin();
        EXPECT_EQ(prompt.shown.size(), c.messages);
    }
    EXPECT_EQ(prompt.shown.back().text, "Zoom intervals must be a valid value between 10% and 1000%");
    EXPECT_EQ(ScreenHeight, height);
}

TEST(ZoomIntervalsDlgTest, ZoomSetCommandRelabelsTheZoomMenu)
{
    CTempProfile profile;
    DiagramFixture fx;
    CMainFrame frame;
    frame.AddViewFrame(new CKavoView(&fx.doc), "d");
    WhenDialogShows([](CZoomIntervalsDlg& dlg) { SetPresets(dlg, {"400", "300", "200", "100", "50", "10"}); },
                    IDOK);
    frame.OnCommand(36522);
    const char* labels[] = {"10%", "50%", "100%", "200%", "300%", "400%"};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(frame.Commands().Action(36525 + i)->text(), labels[i]);
}
