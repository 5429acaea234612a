// Diagram Properties through the view's command: on each page one value is
// changed the way a user does it; OK writes that value and nothing else,
// Cancel nothing, an untouched sheet leaves the diagram as it was (a grid
// spacing that is no preset included), and undoable changes go back with
// one Undo. The page pictures go to KAVO_SHOTS.
#include "common/DiagramFixture.h"
#include "common/TestSupport.h"
#include "dialogs/ui/WhenModalShows.h"
#include "controls/CCheckListCtrl.h"
#include "controls/CDropPaletteButton.h"
#include "controls/CPaletteMenuBase.h"
#include "controls/PaletteLayout.h"
#include "controls/ui/CommandRecorder.h"
#include "core/FieldText.h"
#include "core/Settings.h"
#include "dialogs/diagram/CDPropSheet.h"
#include "dialogs/diagram/DPropConPages.h"
#include "dialogs/diagram/DPropGeneralPages.h"
#include "dialogs/diagram/DPropShadowPage.h"
#include "dialogs/diagram/ScaleDiagramDlg.h"
#include "document/ChoiceTables.h"
#include "editing/ui/CKavoView.h"
#include "editing/ui/ViewEvents.h"
#include "frame/ui/CMainFrame.h"
#include "frame/ui/CStyleBar.h"
#include "platform/Ansi.h"
#include "platform/Prompt.h"
#include "platform/ui/DlgItems.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {
enum Page { kGeneral, kGrid, kLabels, kConnectors, kFormat, kShadows };

// Clicks the page's tab and gives the page.
QWidget* OpenPage(CDPropSheet& sheet, int page)
{
    QTabBar* bar = sheet.GetTabControl()->tabBar();
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->tabRect(page).center());
    QWidget* shown = sheet.GetTabControl()->currentWidget();
    SaveShot(&sheet, (std::string(testing::UnitTest::GetInstance()->current_test_info()->name()) + "_page" +
                      std::to_string(page))
                         .c_str());
    return shown;
}

template <class T>
T* Item(QWidget* page, int id)
{
    return static_cast<T*>(GetDlgItem(page, id));
}

struct DiagramPropSheetTest : testing::Test {
    CTempProfile profile;
    CRecordingPrompt prompt;
    DiagramFixture fx;
    CMainFrame frame;
    CFigure* a = nullptr;
    std::string before;

    void SetUp() override
    {
        Metric = 0;
        FullColorIcons = 0;
        SetDiagramPropStartPage(0);
        BuildChoiceTables();
        a = fx.AddBox(1000, 1000, 800, 400, "A");
        fx.Connect(a, fx.AddBox(3000, 1000, 800, 400, "B"));
        frame.AddViewFrame(new CKavoView(&fx.doc), "d");
        fx.doc.m_bShowGrid = 1;
        fx.doc.ResetUndoLog();
        fx.doc.SetModifiedFlag(false);
        before = DocText(fx.doc);
    }

    // Opens the sheet with the command, runs `act` on it, presses `button`.
    void RunSheet(std::function<void(CDPropSheet&)> act, int button = IDOK)
    {
        QTimer::singleShot(0, [act, button] {
            auto* sheet = qobject_cast<CDPropSheet*>(QApplication::activeModalWidget());
            ASSERT_NE(sheet, nullptr);
            act(*sheet);
            static_cast<QAbstractButton*>(GetDlgItem(sheet, button))->click();
            if (QApplication::activeModalWidget() == sheet)
                sheet->reject();
        });
        frame.OnCommand(33070);
    }
};
} // namespace

TEST_F(DiagramPropSheetTest, UntouchedSheetAndCancelChangeNothing)
{
    // A spacing that is no preset shows as it is and stays.
    fx.doc.m_nGridX = fx.doc.m_nGridY = 40;
    fx.doc.m_shadowSpec.m_nOpacity = 154; // no whole transparency gives it back
    before = DocText(fx.doc);
    RunSheet([](CDPropSheet& sheet) {
        for (int page = 0; page < sheet.GetPageCount(); ++page)
            OpenPage(sheet, page);
        auto* grid = Item<QComboBox>(sheet.GetPage(kGrid), CDPropGrid::kGridSpacingId);
        EXPECT_EQ(QStringToAnsi(grid->currentText()), FormatLengthField(40, 3, true, true));
    });
    EXPECT_EQ(DocText(fx.doc), before);
    EXPECT_FALSE(fx.doc.IsModified());

    const uint32_t steps = fx.doc.UndoLogRef().m_nStepsRecorded;
    RunSheet(
        [](CDPropSheet& sheet) { TypeOver(Item<QLineEdit>(OpenPage(sheet, kConnectors), CDPropCon::kCornerId), "30"); },
        IDCANCEL);
    EXPECT_EQ(DocText(fx.doc), before);
    EXPECT_EQ(fx.doc.UndoLogRef().m_nStepsRecorded, steps);
}

TEST_F(DiagramPropSheetTest, OneValuePerPageIsWrittenAndNothingElse)
{
    struct Case {
        const char* name;
        std::function<void(CDPropSheet&)> act;
        // Checks the new value, then puts the old one back.
        std::function<void(CKavoDoc&, const DiagramProps&)> check;
    } cases[] = {
        {"general",
         [](CDPropSheet& sheet) {
             auto* list = Item<CCheckListCtrl>(OpenPage(sheet, kGeneral), CDPropGeneral::kOptionsId);
             list->setCurrentRow(0);
             list->setFocus();
             QTest::keyClick(list, Qt::Key_Space);
         },
         [](CKavoDoc& d, const DiagramProps& old) {
             EXPECT_EQ(d.m_bOversizeTextRect, !old.noMarginLimit);
             EXPECT_EQ(OversizeTextRect, d.m_bOversizeTextRect);
             d.m_bOversizeTextRect = old.noMarginLimit;
         }},
        {"grid",
         [](CDPropSheet& sheet) {
             auto* box = Item<QComboBox>(OpenPage(sheet, kGrid), CDPropGrid::kGridSpacingId);
             TypeOver(box->lineEdit(), "1/2");
         },
         [](CKavoDoc& d, const DiagramProps& old) {
             EXPECT_EQ(d.m_nGridX, 128);
             EXPECT_EQ(d.m_nGridY, 128);
             EXPECT_EQ(GridX, 128);
             d.m_nGridX = d.m_nGridY = old.gridSpacing;
         }},
        {"labels",
         [](CDPropSheet& sheet) {
             auto* box = Item<QComboBox>(OpenPage(sheet, kLabels), CDPropLabels::kPositionId);
             box->setFocus();
             QTest::keyClick(box, Qt::Key_Home);
             QTest::keyClick(box, Qt::Key_Down); // "Above"
         },
         [](CKavoDoc& d, const DiagramProps& old) {
             EXPECT_EQ(d.m_nFigLblPrimarySector, 2);
             d.m_nFigLblPrimarySector = old.primaryPosition;
         }},
        {"connectors",
         [](CDPropSheet& sheet) {
             QWidget* page = OpenPage(sheet, kConnectors);
             auto* button = Item<CDropPaletteButton>(page, CDPropCon::kCornerButtonId);
             QTest::mousePress(button, Qt::LeftButton, {}, QPoint(5, 5));
             ASSERT_TRUE(button->Popup()->isVisible());
             const QPoint at = button->Popup()->ItemRect(kPaletteFirstId + 3).center(); // "Very Large 32 pt"
             QTest::mouseMove(button->Popup(), at);
             QTest::mouseClick(button->Popup(), Qt::LeftButton, {}, at);
             EXPECT_EQ(Item<QLineEdit>(page, CDPropCon::kCornerId)->text(), "114");
         },
         [](CKavoDoc& d, const DiagramProps& old) {
             EXPECT_EQ(d.m_nCornerRadius, 114);
             d.m_nCornerRadius = old.cornerRadius;
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const DiagramProps old = ReadDiagramProps(fx.doc);
        const uint32_t steps = fx.doc.UndoLogRef().m_nStepsRecorded;
        RunSheet(c.act);
        EXPECT_TRUE(fx.doc.IsModified());
        c.check(fx.doc, old);
        EXPECT_EQ(DocText(fx.doc), before);
        EXPECT_EQ(fx.doc.UndoLogRef().m_nStepsRecorded, steps);
        fx.doc.SetModifiedFlag(false);
    }
}

TEST_F(DiagramPropSheetTest, UndoableChangesGoBackWithOneUndo)
{
    // Text Format: "% of Line" starts at 100 percent.
    RunSheet([](CDPropSheet& sheet) {
        QWidget* page = OpenPage(sheet, kFormat);
        auto* kind = Item<QComboBox>(page, CDPropFormat::kSpacingKindId);
        kind->setFocus();
        for (int i = 0; i < 5; ++i)
            QTest::keyClick(kind, Qt::Key_Down);
        EXPECT_EQ(Item<QLineEdit>(page, CDPropFormat::kSpacingValueId)->text(), "100%");
        EXPECT_TRUE(Item<QLineEdit>(page, CDPropFormat::kSpacingValueId)->isVisible());
    });
    EXPECT_EQ(fx.doc.m_nLineSpacingMode, 5);
    EXPECT_EQ(fx.doc.m_fLineSpacingValue, 100.0f);
    fx.doc.UndoLastStep();
    EXPECT_EQ(DocText(fx.doc), before);

    // Shadows: 50 percent transparency is opacity 127; 36 points 128 units.
    RunSheet([](CDPropSheet& sheet) {
        QWidget* page = OpenPage(sheet, kShadows);
        TypeOver(Item<QLineEdit>(page, CDPropShadow::kTransparencyId), "50");
        QTest::keyClick(Item<QLineEdit>(page, CDPropShadow::kTransparencyId), Qt::Key_Return);
        EXPECT_EQ(Item<QSlider>(page, CDPropShadow::kTransparencySliderId)->value(), 50);
        auto* offset = Item<QSlider>(page, CDPropShadow::kOffsetSliderId);
        offset->setFocus();
        QTest::keyClick(offset, Qt::Key_End);
        EXPECT_EQ(Item<QLineEdit>(page, CDPropShadow::kOffsetId)->text(), "36 pts");
        SaveShot(&sheet, "DiagramPropSheet_shadows_changed");
    });
    EXPECT_EQ(fx.doc.m_shadowSpec.m_nOpacity, 127);
    EXPECT_EQ(fx.doc.m_shadowSpec.m_nOffsetX, 128);
    EXPECT_EQ(fx.doc.m_shadowSpec.m_nOffsetY, 128);
    EXPECT_EQ(fx.doc.m_shadowSpec.m_nType, 1);
    fx.doc.UndoLastStep();
    EXPECT_EQ(DocText(fx.doc), before);
}

TEST_F(DiagramPropSheetTest, OutOfRangeIntegerShowsItsLimits)
{
    RunSheet(
        [this](CDPropSheet& sheet) {
            QWidget* page = OpenPage(sheet, kConnectors);
            TypeOver(Item<QLineEdit>(page, CDPropCon::kCornerId), "500");
            static_cast<QAbstractButton*>(GetDlgItem(&sheet, IDOK))->click();
            EXPECT_TRUE(sheet.isVisible());
            ASSERT_EQ(prompt.shown.size(), 1u);
            EXPECT_EQ(prompt.shown[0].text, "Enter a valid corner radius between 1 and 432");
            // Jogs off: the loop radius cannot be edited.
            auto* jogs = Item<QAbstractButton>(page, CDPropCon::kJogsId);
            TypeOver(Item<QLineEdit>(page, CDPropCon::kCornerId), "20");
            if (jogs->isChecked())
                jogs->click();
            EXPECT_FALSE(Item<QLineEdit>(page, CDPropCon::kLoopId)->isEnabled());
            TypeOver(Item<QLineEdit>(OpenPage(sheet, kShadows), CDPropShadow::kOffsetId), "40");
            static_cast<QAbstractButton*>(GetDlgItem(&sheet, IDOK))->click();
            ASSERT_EQ(prompt.shown.size(), 2u);
            EXPECT_EQ(prompt.shown[1].text, "Enter a valid drop shadow offset between 0 and 36");
        },
        IDCANCEL);
    EXPECT_EQ(DocText(fx.doc), before);
}

TEST_F(DiagramPropSheetTest, HiddenFullColourItemKeepsTheFlag)
{
    FullColorIcons = 1;
    fx.doc.m_bFullColorIcons = 1;
    before = DocText(fx.doc);
    RunSheet([](CDPropSheet& sheet) {
        auto* list = Item<CCheckListCtrl>(OpenPage(sheet, kGeneral), CDPropGeneral::kOptionsId);
        EXPECT_EQ(list->count(), 1);
    });
    EXPECT_EQ(fx.doc.m_bFullColorIcons, 1);
    EXPECT_EQ(DocText(fx.doc), before);
}

TEST_F(DiagramPropSheetTest, NewLabelStyleIsAppliedToExistingLabelsOnYes)
{
    CFigStyle note;
    note.SetName("Note");
    note.Label = 1;
    note.m_props.TextColor = 0x0000FF;
    ASSERT_TRUE(fx.doc.AddNewFigStyle(note));
    CFigure* label = fx.doc.AddAutoFigLabel(a, "L");
    ASSERT_NE(label, nullptr);
    fx.doc.ResetUndoLog();
    before = DocText(fx.doc);
    prompt.QueueAnswer(IDYES);
    RunSheet([](CDPropSheet& sheet) {
        auto* box = Item<QComboBox>(OpenPage(sheet, kLabels), CDPropLabels::kFigLabelId);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Home);
        for (int i = box->findText("Note"); i > 0; --i)
            QTest::keyClick(box, Qt::Key_Down);
    });
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, "Apply the new figure label style to all "
                                    "existing figure labels in this diagram?");
    EXPECT_EQ(fx.doc.m_strAutoLabelStyle, "Note");
    EXPECT_EQ(label->m_nStyle, fx.doc.m_figStyles.FindByName("Note"));
    fx.doc.UndoLastStep();
    EXPECT_NE(label->m_nStyle, fx.doc.m_figStyles.FindByName("Note"));
}

TEST_F(DiagramPropSheetTest, PagesShowTheirPictures)
{
    RunSheet(
        [](CDPropSheet& sheet) {
            const std::pair<int, std::vector<int>> pictures[] = {
                {kConnectors,
                 {CDPropCon::kRoundedPictureId, CDPropCon::kJogsPictureId, CDPropCon::kJunctionPictureId,
                  CDPropCon::kConPtPictureId}},
                {kLabels, {CDPropLabels::kFigPictureId, CDPropLabels::kConPictureId, CDPropLabels::kFlowPictureId}},
            };
            for (const auto& [page, ids] : pictures) {
                QWidget* shown = OpenPage(sheet, page);
                for (int id : ids) {
                    SCOPED_TRACE(id);
                    auto* picture = Item<QLabel>(shown, id);
                    ASSERT_NE(picture, nullptr);
                    EXPECT_TRUE(picture->isVisible());
                    EXPECT_FALSE(picture->pixmap().isNull());
                }
            }
        },
        IDCANCEL);
}

TEST_F(DiagramPropSheetTest, FullColourChangeRepaintsTheStyleBar)
{
    CollapsedStyleBar = 0;
    frame.resize(1000, 700);
    frame.show();
    QApplication::processEvents();
    ASSERT_NE(frame.StyleBar(), nullptr);
    // Paints of the bar and its buttons after the sheet closed.
    struct PaintCounter : QObject {
        int paints = 0;
        bool eventFilter(QObject*, QEvent* e) override
        {
            paints += e->type() == QEvent::Paint;
            return false;
        }
    } counter;
    const auto paintsAfter = [&](std::function<void(CDPropSheet&)> act) {
        QApplication::processEvents();
        counter.paints = 0;
        for (QWidget* w : frame.StyleBar()->findChildren<QWidget*>())
            w->installEventFilter(&counter);
        frame.StyleBar()->installEventFilter(&counter);
        RunSheet(act);
        QApplication::processEvents();
        for (QWidget* w : frame.StyleBar()->findChildren<QWidget*>())
            w->removeEventFilter(&counter);
        frame.StyleBar()->removeEventFilter(&counter);
        return counter.paints;
    };
    EXPECT_EQ(paintsAfter([](CDPropSheet& sheet) {
                  auto* box = Item<QComboBox>(OpenPage(sheet, kLabels), CDPropLabels::kPositionId);
                  box->setFocus();
                  QTest::keyClick(box, Qt::Key_Home);
              }),
              0);
    const int fullColor = fx.doc.m_bFullColorIcons;
    EXPECT_GT(paintsAfter([](CDPropSheet& sheet) {
                  auto* list = Item<CCheckListCtrl>(OpenPage(sheet, kGeneral), CDPropGeneral::kOptionsId);
                  list->setCurrentRow(1);
                  list->setFocus();
                  QTest::keyClick(list, Qt::Key_Space);
              }),
              0);
    EXPECT_NE(fx.doc.m_bFullColorIcons, fullColor);
}

TEST_F(DiagramPropSheetTest, ToolsMenuOpensDiagramPropertiesAndScale)
{
    QMenu* tools = nullptr;
    for (QAction* top : frame.menuBar()->actions())
        if (top->text() == "&Tools")
            tools = top->menu();
    ASSERT_NE(tools, nullptr);
    const auto item = [&](int id) {
        QAction* action = frame.Commands().Action(id);
        EXPECT_TRUE(tools->actions().contains(action)) << id;
        return action;
    };
    bool sheetShown = false;
    WhenModalShows<CDPropSheet>([&](CDPropSheet&) { sheetShown = true; }, IDCANCEL);
    item(33070)->trigger();
    EXPECT_TRUE(sheetShown);
    bool scaleShown = false;
    WhenModalShows<ScaleDiagramDlg>([&](ScaleDiagramDlg&) { scaleShown = true; }, IDCANCEL);
    item(33026)->trigger();
    EXPECT_TRUE(scaleShown);
    EXPECT_EQ(DocText(fx.doc), before);
}

TEST_F(DiagramPropSheetTest, FixedMarginsAreSetOnEveryFigureInOneUndoStep)
{
    ASSERT_EQ(fx.doc.m_nFigMarginMode, 0);
    const int oldMargin = fx.doc.m_nFigMarginLeft;
    const uint32_t steps = fx.doc.UndoLogRef().m_nStepsRecorded;
    RunSheet([](CDPropSheet& sheet) {
        QWidget* page = OpenPage(sheet, kFormat);
        auto* margin = Item<QLineEdit>(page, CDPropFormat::kMarginId);
        EXPECT_FALSE(margin->isVisible());   // shown for Fixed only
        auto* fixed = Item<QAbstractButton>(page, CDPropFormat::kFixedId);
        QTest::mouseClick(fixed, Qt::LeftButton, {}, QPoint(6, fixed->height() / 2));
        ASSERT_TRUE(margin->isVisible());
        TypeOver(margin, "9");
        SaveShot(&sheet, "DiagramPropSheet_fixed_margins");
    });
    // 9 points in logical units (256 an inch), the same on all four sides.
    EXPECT_EQ(fx.doc.m_nFigMarginMode, 1);
    for (int m : {fx.doc.m_nFigMarginLeft, fx.doc.m_nFigMarginRight, fx.doc.m_nFigMarginTop, fx.doc.m_nFigMarginBottom})
        EXPECT_EQ(m, 32);
    EXPECT_EQ(fx.doc.UndoLogRef().m_nStepsRecorded, steps + 1);
    fx.doc.UndoLastStep();
    EXPECT_EQ(fx.doc.m_nFigMarginLeft, oldMargin);
    EXPECT_EQ(fx.doc.m_nFigMarginBottom, oldMargin);
}

// "<none - use toolbar settings>" stores an empty name and asks nothing; a
// new style answered No becomes the default without touching any label.
// Each kind asks its own question.
TEST_F(DiagramPropSheetTest, LabelStyleNoneAndNoLeaveTheLabels)
{
    CFigStyle note;
    note.SetName("Note");
    note.Label = 1;
    ASSERT_TRUE(fx.doc.AddNewFigStyle(note));
    CFigure* label = fx.doc.AddAutoFigLabel(a, "L");
    ASSERT_NE(label, nullptr);
    const int labelStyle = label->m_nStyle;
    const struct {
        int combo;
        std::string CKavoDoc::*name;
        const char* question;
    } kinds[] = {
        {CDPropLabels::kFigLabelId, &CKavoDoc::m_strAutoLabelStyle,
         "Apply the new figure label style to all existing figure labels in this diagram?"},
        {CDPropLabels::kFlowLabelId, &CKavoDoc::m_strFlowLabelStyle,
         "Apply the new flow label style to all existing flow labels in this diagram?"},
        {CDPropLabels::kConLabelId, &CKavoDoc::m_strConLabelStyle,
         "Apply the new connector label style to all existing connector labels in this diagram?"},
    };
    for (const auto& k : kinds) {
        SCOPED_TRACE(k.combo);
        fx.doc.*k.name = "Note";
        const uint32_t steps = fx.doc.UndoLogRef().m_nStepsRecorded;
        RunSheet([&](CDPropSheet& sheet) {
            auto* box = Item<QComboBox>(OpenPage(sheet, kLabels), k.combo);
            box->setFocus();
            QTest::keyClick(box, Qt::Key_End);
            EXPECT_EQ(QStringToAnsi(box->currentText()), "<none - use toolbar settings>");
        });
        EXPECT_TRUE(prompt.shown.empty());
        EXPECT_EQ(fx.doc.*k.name, "");

        prompt.QueueAnswer(IDNO);
        RunSheet([&](CDPropSheet& sheet) {
            auto* box = Item<QComboBox>(OpenPage(sheet, kLabels), k.combo);
            box->setFocus();
            QTest::keyClick(box, Qt::Key_Home);
            for (int i = box->findText("Note"); i > 0; --i)
                QTest::keyClick(box, Qt::Key_Down);
        });
        ASSERT_EQ(prompt.shown.size(), 1u);
        EXPECT_EQ(prompt.shown[0].text, k.question);
        EXPECT_EQ(fx.doc.*k.name, "Note");
        EXPECT_EQ(label->m_nStyle, labelStyle);
        EXPECT_EQ(fx.doc.UndoLogRef().m_nStepsRecorded, steps);
        prompt.shown.clear();
    }
}

// A stored primary position outside 1 to 12 shows as "Below" and stays as
// it is; a typed snap spacing reaches both of the document's values and the
// defaults new diagrams start from.
TEST_F(DiagramPropSheetTest, PositionFallsBackToBelowAndSnapSpacingBecomesTheDefault)
{
    const int oldX = SnapX, oldY = SnapY;
    SnapX = SnapY = 16;
    fx.doc.m_nFigLblPrimarySector = 0;
    fx.doc.m_bAlignToGrid = 1;
    RunSheet([](CDPropSheet& sheet) {
        EXPECT_EQ(Item<QComboBox>(OpenPage(sheet, kLabels), CDPropLabels::kPositionId)->currentText(), "Below");
        auto* box = Item<QComboBox>(OpenPage(sheet, kGrid), CDPropGrid::kSnapSpacingId);
        ASSERT_TRUE(box->isEnabled());
        TypeOver(box->lineEdit(), "1/2");
    });
    EXPECT_EQ(fx.doc.m_nSnapX, 128);
    EXPECT_EQ(fx.doc.m_nSnapY, 128);
    EXPECT_EQ(SnapX, 128);
    EXPECT_EQ(SnapY, 128);
    EXPECT_EQ(fx.doc.m_nFigLblPrimarySector, 0);
    SnapX = oldX;
    SnapY = oldY;
}

// The loop radius takes 2 to 128 and waits for jogs (field and size
// button); "Fixed Separation" has its value field, 0 to 300, from 14.
TEST_F(DiagramPropSheetTest, LoopRadiusAndSeparationTakeTheirRanges)
{
    fx.doc.m_bConnectorJogs = 0;
    RunSheet([this](CDPropSheet& sheet) {
        QWidget* page = OpenPage(sheet, kConnectors);
        auto* loop = Item<QLineEdit>(page, CDPropCon::kLoopId);
        QWidget* loopButton = Item<QWidget>(page, CDPropCon::kLoopButtonId);
        EXPECT_FALSE(loop->isEnabled());
        EXPECT_FALSE(loopButton->isEnabled());
        Item<QAbstractButton>(page, CDPropCon::kJogsId)->click();
        EXPECT_TRUE(loop->isEnabled());
        EXPECT_TRUE(loopButton->isEnabled());
        TypeOver(loop, "129");
        static_cast<QAbstractButton*>(GetDlgItem(&sheet, IDOK))->click();
        EXPECT_TRUE(sheet.isVisible());
        ASSERT_EQ(prompt.shown.size(), 1u);
        EXPECT_EQ(prompt.shown[0].text, "Enter a valid jog loop radius between 2 and 128");
        TypeOver(loop, "128");

        page = OpenPage(sheet, kFormat);
        auto* kind = Item<QComboBox>(page, CDPropFormat::kSpacingKindId);
        kind->setFocus();
        QTest::keyClick(kind, Qt::Key_End);   // "Fixed Separation"
        auto* value = Item<QLineEdit>(page, CDPropFormat::kSpacingValueId);
        EXPECT_TRUE(value->isVisible());
        EXPECT_TRUE(value->isEnabled());
        EXPECT_EQ(value->text(), "14");
        TypeOver(value, "301");
        static_cast<QAbstractButton*>(GetDlgItem(&sheet, IDOK))->click();
        EXPECT_TRUE(sheet.isVisible());
        ASSERT_EQ(prompt.shown.size(), 2u);
        EXPECT_EQ(prompt.shown[1].text, "Enter a valid separation between 0 and 300");
        TypeOver(value, "20");
    });
    EXPECT_EQ(prompt.shown.size(), 2u);
    EXPECT_EQ(fx.doc.m_bConnectorJogs, 1);
    EXPECT_EQ(fx.doc.m_nConnectorJogRadius, 128);
    EXPECT_EQ(fx.doc.m_nLineSpacingMode, 7);
    EXPECT_EQ(fx.doc.m_fLineSpacingValue, 20.0f);
}
