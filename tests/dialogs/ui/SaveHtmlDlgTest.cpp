#include "dialogs/CSaveHtmlDlg.h"

#include "common/TestSupport.h"
#include "controls/CColorDropButton.h"

#include <QCheckBox>
#include <QTimer>
#include "platform/Prompt.h"
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPushButton>
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
    QPushButton* view = nullptr;
    for (QPushButton* b : result.findChildren<QPushButton*>())
        if (b->text() == "&View Web Page")
            view = b;
    ASSERT_TRUE(view);
    EXPECT_TRUE(view->isEnabled());
    result.SetResult({"/o/a.jpg"}, QString());  // no page: nothing to view
    EXPECT_FALSE(view->isEnabled());
}

// The background picker offers no colour first, starts on the options'
// colour and hands the chosen one back on OK.
TEST(SaveHtmlDlg, BackgroundColourRoundTrip)
{
    CRecordingPrompt prompt;
    QTemporaryDir dir;
    CSaveHtmlDlg dlg;
    dlg.m_options.folder = dir.path();
    dlg.m_options.background = RGB(10, 20, 30);
    bool checked = false;
    QTimer::singleShot(0, &dlg, [&] {
        auto* picker = dlg.findChild<CColorDropButton*>();
        ASSERT_TRUE(picker);
        EXPECT_EQ(picker->GetColor(), RGB(10, 20, 30));
        EXPECT_EQ(picker->ColorAt(0), kPaletteNoColor);
        picker->SetColor(RGB(0, 128, 0));
        checked = true;
        dlg.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok)->click();
    });
    dlg.DoModal();
    EXPECT_TRUE(checked);
    EXPECT_EQ(dlg.m_options.background, RGB(0, 128, 0));
}
