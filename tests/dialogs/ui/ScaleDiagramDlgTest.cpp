// Scale Diagram through the frame's Scale command: a typed percentage scales
// the diagram and one Undo takes it back; spin clicks move by one percent
// and beep beyond the limits; out-of-range and "To page" with grid alignment
// are refused with their messages; limits that cross leave one choice.
// Objects that may not stay at 100% open on an empty field with a beep;
// "Selected objects only" is offered only with a selection and asks for the
// limits again; "To page" is offered by a program switch and gives the
// percentage back when cleared.
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
#include <QGroupBox>
#include <QLabel>
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

QCheckBox* Box(ScaleDiagramDlg& dlg, int id)
{
    return static_cast<QCheckBox*>(GetDlgItem(&dlg, id));
}

void SpinUp(ScaleDiagramDlg& dlg)
{
    QTest::keyClick(static_cast<QSpinBox*>(GetDlgItem(&dlg, ScaleDiagramDlg::kSpinId)), Qt::Key_Up);
}

void ClickOk(ScaleDiagramDlg& dlg)
{
    static_cast<QAbstractButton*>(GetDlgItem(&dlg, IDOK))->click();
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
    void TearDown() override
    {
        SetMessageBeepHandler(oldBeep);
        ResetScaleOptions();
    }
    // B's right side placed `beyond` units past the work space's right side.
    void PutBAtTheRightSide(int beyond)
    {
        const int width = b->m_rect.Width();
        b->m_rect.right = fx.doc.m_rcWorkSpace.right + beyond;
        b->m_rect.left = b->m_rect.right - width;
        fx.doc.ResetUndoLog();
    }
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

// Objects reaching past the work space cannot stay at 100%: the dialog
// beeps and leaves the field empty; OK wants a percentage in the range.
TEST_F(ScaleDlgTest, ObjectsThatCannotStayAtTheirSizeOpenOnAnEmptyField)
{
    PutBAtTheRightSide(1000);   // all span 1000 .. 17000: at most 93%
    const std::string before = DocText(fx.doc);
    WhenModalShows<ScaleDiagramDlg>(
        [this](ScaleDiagramDlg& dlg) {
            EXPECT_EQ(g_beeps, 1);
            EXPECT_EQ(ScaleField(dlg)->text(), "");
            ClickOk(dlg);
            EXPECT_TRUE(dlg.isVisible());
            ASSERT_EQ(prompt.shown.size(), 1u);
            EXPECT_EQ(prompt.shown[0].text, "Enter a valid percentage between 10% and 93%");
            TypeOver(ScaleField(dlg), "93");
        },
        IDOK);
    frame.OnCommand(33026);
    EXPECT_EQ(a->m_rect.Width(), 800 * 93 / 100);
    fx.doc.UndoLastStep();
    EXPECT_EQ(DocText(fx.doc), before);
}

// "Selected objects only" is ticked and offered only while something is
// selected; changing it asks for the limits of what is then scaled.
TEST_F(ScaleDlgTest, SelectedObjectsOnlyIsOfferedWithASelectionAndChangesTheLimits)
{
    PutBAtTheRightSide(0);   // all: at most 100%; A alone: far more
    WhenModalShows<ScaleDiagramDlg>(
        [](ScaleDiagramDlg& dlg) {
            EXPECT_FALSE(Box(dlg, ScaleDiagramDlg::kSelectedId)->isEnabled());
            EXPECT_FALSE(Box(dlg, ScaleDiagramDlg::kSelectedId)->isChecked());
        },
        IDCANCEL);
    frame.OnCommand(33026);

    fx.doc.SelectObj(a, 1, 0, 0);
    const std::string before = DocText(fx.doc);
    const CRect bRect = b->m_rect;
    WhenModalShows<ScaleDiagramDlg>(
        [this](ScaleDiagramDlg& dlg) {
            QCheckBox* selected = Box(dlg, ScaleDiagramDlg::kSelectedId);
            EXPECT_TRUE(selected->isEnabled());
            EXPECT_TRUE(selected->isChecked());
            SpinUp(dlg);
            EXPECT_EQ(ScaleField(dlg)->text(), "101%");
            selected->click();   // everything: 101% no longer fits
            ClickOk(dlg);
            EXPECT_TRUE(dlg.isVisible());
            ASSERT_EQ(prompt.shown.size(), 1u);
            EXPECT_EQ(prompt.shown[0].text, "Enter a valid percentage between 10% and 100%");
            selected->click();   // A alone again: it fits
        },
        IDOK);
    frame.OnCommand(33026);
    EXPECT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(a->m_rect.Width(), 808);
    EXPECT_EQ(b->m_rect, bRect);
    fx.doc.UndoLastStep();
    EXPECT_EQ(DocText(fx.doc), before);
}

// Clearing "To page" shows the percentage it hid and enables its field and
// spin again.
TEST_F(ScaleDlgTest, ClearingToPageShowsThePercentAgain)
{
    WhenModalShows<ScaleDiagramDlg>(
        [](ScaleDiagramDlg& dlg) {
            auto* spin = GetDlgItem(&dlg, ScaleDiagramDlg::kSpinId);
            SpinUp(dlg);
            SpinUp(dlg);
            QCheckBox* toPage = Box(dlg, ScaleDiagramDlg::kToPageId);
            toPage->click();
            EXPECT_EQ(ScaleField(dlg)->text(), "");
            EXPECT_FALSE(spin->isEnabled());
            toPage->click();
            EXPECT_EQ(ScaleField(dlg)->text(), "102%");
            EXPECT_TRUE(ScaleField(dlg)->isEnabled());
            EXPECT_TRUE(spin->isEnabled());
        },
        IDCANCEL);
    frame.OnCommand(33026);
}

// "To page" is offered while the program's switch allows it; while it does
// not, the box opens cleared (whatever the last use chose) and disabled.
TEST_F(ScaleDlgTest, ToPageIsOfferedByTheProgramSwitch)
{
    WhenModalShows<ScaleDiagramDlg>([](ScaleDiagramDlg& dlg) { Box(dlg, ScaleDiagramDlg::kToPageId)->click(); },
                                    IDOK);
    frame.OnCommand(33026);
    ASSERT_TRUE(prompt.shown.empty());
    for (const bool offered : {false, true}) {
        SCOPED_TRACE(offered);
        OfferScaleToPage(offered);
        WhenModalShows<ScaleDiagramDlg>(
            [offered](ScaleDiagramDlg& dlg) {
                QCheckBox* toPage = Box(dlg, ScaleDiagramDlg::kToPageId);
                EXPECT_EQ(toPage->isEnabled(), offered);
                EXPECT_EQ(toPage->isChecked(), offered);   // the last use chose it
                EXPECT_EQ(ScaleField(dlg)->text(), offered ? "" : "100%");
                EXPECT_EQ(ScaleField(dlg)->isEnabled(), !offered);
            },
            IDCANCEL);
        frame.OnCommand(33026);
    }
}

// The options other than the selection and the percentage come back as the
// last use left them: each box of "Include" cleared alone reopens cleared,
// the others ticked.
TEST_F(ScaleDlgTest, TheIncludeBoxesReopenAsTheLastUseLeftThem)
{
    const int ids[] = {ScaleDiagramDlg::kFigBordersId, ScaleDiagramDlg::kConnectorsId, ScaleDiagramDlg::kTextId,
                       ScaleDiagramDlg::kShadowsId};
    for (const int cleared : ids) {
        SCOPED_TRACE(cleared);
        ResetScaleOptions();
        WhenModalShows<ScaleDiagramDlg>(
            [cleared](ScaleDiagramDlg& dlg) {
                Box(dlg, cleared)->click();
                SpinUp(dlg);
            },
            IDOK);
        frame.OnCommand(33026);
        WhenModalShows<ScaleDiagramDlg>(
            [&ids, cleared](ScaleDiagramDlg& dlg) {
                for (const int id : ids)
                    EXPECT_EQ(Box(dlg, id)->isChecked(), id != cleared) << id;
            },
            IDCANCEL);
        frame.OnCommand(33026);
    }
}

// The scale field, its label and its spin sit in their own places: none
// overlaps another control.
TEST_F(ScaleDlgTest, TheScaleRowOverlapsNoOtherControl)
{
    WhenModalShows<ScaleDiagramDlg>(
        [](ScaleDiagramDlg& dlg) {
            QWidget* field = ScaleField(dlg);
            QWidget* spin = GetDlgItem(&dlg, ScaleDiagramDlg::kSpinId);
            QList<QWidget*> others;
            for (QWidget* w : dlg.findChildren<QWidget*>())
                if (w->isVisible() && (qobject_cast<QAbstractButton*>(w) || qobject_cast<QLabel*>(w) ||
                                       qobject_cast<QLineEdit*>(w) || qobject_cast<QSpinBox*>(w) ||
                                       qobject_cast<QGroupBox*>(w)))
                    others.append(w);
            for (QWidget* a : others) {
                const bool inRow = a == field || a == spin ||
                                   (qobject_cast<QLabel*>(a) && static_cast<QLabel*>(a)->buddy() == field);
                if (!inRow)
                    continue;
                const QRect ra(a->mapTo(&dlg, QPoint(0, 0)), a->size());
                EXPECT_TRUE(dlg.rect().contains(ra));
                for (QWidget* b : others) {
                    if (b == a || a->isAncestorOf(b) || b->isAncestorOf(a))
                        continue;
                    const QRect rb(b->mapTo(&dlg, QPoint(0, 0)), b->size());
                    EXPECT_FALSE(ra.intersects(rb)) << a->metaObject()->className() << " over "
                                                    << b->metaObject()->className();
                }
            }
        },
        IDCANCEL);
    frame.OnCommand(33026);
}
