#include "dialogs/CSaveHtmlDlg.h"

#include "common/TestSupport.h"

#include <QCheckBox>
#include <QTimer>
#include "platform/Prompt.h"
#include <QListWidget>
#include <QSpinBox>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(SaveHtmlDlg, FormatListOrderAndControlsFollowTheFormat)
{
    EXPECT_EQ(CSaveHtmlDlg::FormatOfIndex(0), 4);
    EXPECT_EQ(CSaveHtmlDlg::FormatOfIndex(1), 7);
    EXPECT_EQ(CSaveHtmlDlg::FormatOfIndex(2), 5);
    EXPECT_EQ(CSaveHtmlDlg::IndexOfFormat(5), 2);

    CRecordingPrompt prompt;
    QTemporaryDir dir;
    CSaveHtmlDlg dlg;
    dlg.m_options.folder = dir.path();
    dlg.m_options.format = 7;
    bool checked = false;
    QTimer::singleShot(0, &dlg, [&] {
        auto spins = dlg.findChildren<QSpinBox*>();
        auto boxes = dlg.findChildren<QCheckBox*>();
        QSpinBox* quality = spins.value(1);
        QCheckBox* antialias = boxes.value(0);
        ASSERT_TRUE(quality && antialias);
        EXPECT_FALSE(quality->isEnabled());  // GIF: no quality, no smoothing
        EXPECT_FALSE(antialias->isEnabled());
        dlg.findChild<QListWidget*>()->setCurrentRow(0);  // JPEG
        EXPECT_TRUE(quality->isEnabled());
        EXPECT_TRUE(antialias->isEnabled());
        dlg.findChild<QListWidget*>()->setCurrentRow(2);  // PNG
        checked = true;
        dlg.EndDialog(IDOK);
    });
    dlg.DoModal();
    EXPECT_TRUE(checked);
}

TEST(SaveHtmlDlg, ResultListAndViewButton)
{
    CSaveHtmlResultDlg result;
    result.SetResult({"/o/a.jpg", "/o/a.htm"}, "/o/a.htm");
    EXPECT_EQ(result.Text(), "/o/a.jpg\n/o/a.htm");
}
