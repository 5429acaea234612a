// Scale Diagram through the frame's Scale command: a typed percentage scales
// the diagram and one Undo takes it back; spin clicks move by one percent
// and beep beyond the limits; out-of-range and "To page" with grid alignment
// are refused with their messages; limits that cross leave one choice.
#include "dialogs/diagram/ScaleDiagramDlg.h"
#include "common/DiagramFixture.h"
#include "common/TestSupport.h"
#include "dialogs/ui/WhenModalShows.h"
#include "controls/ui/CommandRecorder.h"
#include "core/MessageBeep.h"
#include "editing/ui/CKavoView.h"
#include "editing/ui/ViewEvents.h"
#include "frame/ui/CMainFrame.h"
#include "platform/ui/DlgItems.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {
int g_beeps = 0;
void CountBeep(UINT)
{
    ++g_beeps;
}

QLineEdit* ScaleField(ScaleDiagramDlg& dlg)
{
    return static_cast<QLineEdit*>(GetDlgItem(&dlg, ScaleDiagramDlg::kScaleId));
}

struct ScaleDlgTest : testing::Test {
    CTempProfile profile;
    CRecordingPrompt prompt;
    DiagramFixture fx;
    CMainFrame frame;
    CFigure* a = nullptr;
    CFigure* b = nullptr;
    MessageBeepHandler oldBeep = nullptr;

    void SetUp() override
    {
        a = fx.AddBox(1000, 1000, 800, 400, "A");
        b = fx.AddBox(3000, 1000, 800, 400, "B");
        fx.Connect(a, b);
        frame.AddViewFrame(new CKavoView(&fx.doc), "d");
        fx.doc.ResetUndoLog();
        g_beeps = 0;
        oldBeep = SetMessageBeepHandler(&CountBeep);
    }
    void TearDown() override { SetMessageBeepHandler(oldBeep); }
};
} // namespace

TEST_F(ScaleDlgTest, TypedPercentScalesAndUndoRestores)
{
    const std::string before = DocText(fx.doc);
    WhenModalShows<ScaleDiagramDlg>([](ScaleDiagramDlg& dlg) { TypeOver(ScaleField(dlg), "250% more"); }, IDCANCEL);
    frame.OnCommand(33026);
    EXPECT_EQ(DocText(fx.doc), before);

    WhenModalShows<ScaleDiagramDlg>(
        [](ScaleDiagramDlg& dlg) {
            EXPECT_EQ(ScaleField(dlg)->text(), "100%");
            TypeOver(ScaleField(dlg), "50%");
        },
        IDOK);
    frame.OnCommand(33026);
    // The top-left corner stays; the width halves.
    EXPECT_EQ(a->m_rect.left, 1000);
    EXPECT_EQ(a->m_rect.Width(), 400);
    EXPECT_NE(DocText(fx.doc), before);
    fx.doc.UndoLastStep();
    EXPECT_EQ(DocText(fx.doc), before);
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(ScaleDlgTest, SpinStepsByOnePercentAndBeepsAtTheLimit)
{
    WhenModalShows<ScaleDiagramDlg>(
        [](ScaleDiagramDlg& dlg) {
            auto* spin = static_cast<QSpinBox*>(GetDlgItem(&dlg, ScaleDiagramDlg::kSpinId));
            QTest::keyClick(spin, Qt::Key_Up);
            QTest::keyClick(spin, Qt::Key_Up);
            EXPECT_EQ(ScaleField(dlg)->text(), "102%");
            EXPECT_EQ(spin->value(), 2);
            TypeOver(ScaleField(dlg), "250%");
            QTest::keyClick(spin, Qt::Key_Down);
            EXPECT_EQ(ScaleField(dlg)->text(), "249%");
            // At the lowest percentage a further step down only beeps.
            TypeOver(ScaleField(dlg), "10");
            QTest::keyClick(spin, Qt::Key_Down);
            EXPECT_EQ(ScaleField(dlg)->text(), "10%");
            EXPECT_EQ(g_beeps, 1);
        },
        IDCANCEL);
    frame.OnCommand(33026);
}

TEST_F(ScaleDlgTest, RefusalsKeepTheDialogOpen)
{
    const std::string before = DocText(fx.doc);
    WhenModalShows<ScaleDiagramDlg>(
        [this](ScaleDiagramDlg& dlg) {
            TypeOver(ScaleField(dlg), "5");
            static_cast<QAbstractButton*>(GetDlgItem(&dlg, IDOK))->click();
            EXPECT_TRUE(dlg.isVisible());
            ASSERT_EQ(prompt.shown.size(), 1u);
            EXPECT_EQ(prompt.shown[0].text,
                      "Enter a valid percentage between 10% and " + std::to_string(dlg.m_nHighest) + "%");
            static_cast<QCheckBox*>(GetDlgItem(&dlg, ScaleDiagramDlg::kToPageId))->click();
            EXPECT_EQ(ScaleField(dlg)->text(), "");
            EXPECT_FALSE(ScaleField(dlg)->isEnabled());
            static_cast<QCheckBox*>(GetDlgItem(&dlg, ScaleDiagramDlg::kKeepAlignedId))->click();
            static_cast<QAbstractButton*>(GetDlgItem(&dlg, IDOK))->click();
            EXPECT_TRUE(dlg.isVisible());
            ASSERT_EQ(prompt.shown.size(), 2u);
            EXPECT_EQ(prompt.shown[1].text, "In order to scale to page, you must disable the 'Keep "
                                            "aligned to grid' option.");
        },
        IDCANCEL);
    frame.OnCommand(33026);
    EXPECT_EQ(DocText(fx.doc), before);
}

TEST_F(ScaleDlgTest, CrossedLimitsLeaveTheHighestAsTheOnlyChoice)
{
    ScaleDiagramDlg dlg;
    dlg.m_nCallerLowest = 500;
    dlg.m_limits = [](bool, int& lowest, int& highest) {
        lowest = 10;
        highest = 300;
    };
    QTimer::singleShot(0, [&dlg] {
        EXPECT_EQ(dlg.m_nLowest, 300);
        EXPECT_EQ(dlg.m_nHighest, 300);
        TypeOver(ScaleField(dlg), "300");
        static_cast<QAbstractButton*>(GetDlgItem(&dlg, IDOK))->click();
        if (dlg.isVisible())
            dlg.reject();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.Percent(), 300);
}

// "Selected objects only" clears "Scale Styles" and hides it while set;
// with "To page" (and no grid alignment) OK takes the empty scale text.
TEST_F(ScaleDlgTest, SelectionHidesStylesAndToPageNeedsNoPercent)
{
    ScaleDiagramDlg dlg;
    dlg.m_bSelectedOnly = 1;
    dlg.m_bScaleStyles = 1;
    QTimer::singleShot(0, [&dlg] {
        auto* styles = static_cast<QCheckBox*>(GetDlgItem(&dlg, ScaleDiagramDlg::kStylesId));
        auto* selected = static_cast<QCheckBox*>(GetDlgItem(&dlg, ScaleDiagramDlg::kSelectedId));
        EXPECT_FALSE(styles->isVisible());
        EXPECT_FALSE(styles->isChecked());
        selected->click();
        EXPECT_TRUE(styles->isVisible());
        selected->click();
        EXPECT_FALSE(styles->isVisible());
        static_cast<QCheckBox*>(GetDlgItem(&dlg, ScaleDiagramDlg::kToPageId))->click();
        EXPECT_EQ(ScaleField(dlg)->text(), "");
        static_cast<QAbstractButton*>(GetDlgItem(&dlg, IDOK))->click();
        if (dlg.isVisible())
            dlg.reject();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(dlg.m_bToPage, 1);
    EXPECT_EQ(dlg.m_bScaleStyles, 0);
    EXPECT_TRUE(prompt.shown.empty());
}

// Objects that already reach the work space's right side cannot grow: the
// highest percentage is 100 and a step up only beeps.
TEST_F(ScaleDlgTest, ObjectsAtTheRightSideCannotGrow)
{
    const int width = b->m_rect.Width();
    b->m_rect.right = fx.doc.m_rcWorkSpace.right;
    b->m_rect.left = b->m_rect.right - width;
    WhenModalShows<ScaleDiagramDlg>(
        [](ScaleDiagramDlg& dlg) {
            EXPECT_EQ(dlg.m_nHighest, 100);
            EXPECT_EQ(ScaleField(dlg)->text(), "100%");
            QTest::keyClick(static_cast<QSpinBox*>(GetDlgItem(&dlg, ScaleDiagramDlg::kSpinId)), Qt::Key_Up);
            EXPECT_EQ(ScaleField(dlg)->text(), "100%");
            EXPECT_EQ(g_beeps, 1);
        },
        IDCANCEL);
    frame.OnCommand(33026);
}
