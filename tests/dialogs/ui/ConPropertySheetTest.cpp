// The connector properties sheet driven through its widgets: a value changed
// on each page reaches the selected connectors, all Applies of one sheet are
// one undo step back to the saved text, Cancel writes nothing, values that
// differ among the selected connectors stay as they are unless changed, and
// a refused value keeps the sheet open on its page.
#include "common/DiagramFixture.h"
#include "common/FakeAppContext.h"
#include "common/TestSupport.h"
#include "controls/CCheckListCtrl.h"
#include "controls/CDropPaletteButton.h"
#include "controls/CEndSymbolButton.h"
#include "controls/CLinePatternButton.h"
#include "controls/CStyleButtons.h"
#include "core/HelpRequest.h"
#include "core/Settings.h"
#include "controls/ui/CommandRecorder.h"
#include "core/UIMode.h"
#include "core/Units.h"
#include "dialogs/sheets/CConPage.h"
#include "dialogs/sheets/CConSheetCommands.h"
#include "dialogs/sheets/CConTabBehaviors.h"
#include "dialogs/sheets/CConTabEnds.h"
#include "dialogs/sheets/CConTabGeneral.h"
#include "dialogs/sheets/CConTabLine.h"
#include "dialogs/sheets/CConTabSheet.h"
#include "document/CStaple.h"
#include "document/ConStyleEdits.h"
#include "shapes/CConStylesLibrary.h"
#include "shapes/ShapeLibrary.h"
#include "editing/ui/ViewContextMenu.h"
#include "editing/ui/ViewEvents.h"
#include "platform/StringTable.h"
#include "undo/UndoCodes.h"
#include "platform/ui/DlgItems.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>
#include <functional>
#include <vector>

namespace {

class ConPropertySheet : public testing::Test {
protected:
    void SetUp() override
    {
        CFigure* a = fx.AddBox(256, 256, 512, 256, "A");
        CFigure* b = fx.AddBox(1536, 256, 512, 256, "B");
        CFigure* c = fx.AddBox(256, 1280, 512, 256, "C");
        c1 = fx.Connect(a, b);
        c2 = fx.Connect(a, c);
        fx.doc.ClearSelection();
        fx.doc.Select(c1);
        fx.doc.Select(c2);
        fx.doc.ResetUndoLog();
        saved = DocText(fx.doc);
    }
    // Opens the sheet on the selection and runs `steps` once it shows.
    void RunSheet(const std::function<void(CCPTabSheet&)>& steps)
    {
        QTimer::singleShot(0, [steps] {
            auto* sheet = qobject_cast<CCPTabSheet*>(QApplication::activeModalWidget());
            ASSERT_NE(sheet, nullptr);
            steps(*sheet);
            if (QApplication::activeModalWidget() == sheet)
                sheet->EndDialog(IDCANCEL);
        });
        OnConProperties(fx.doc, nullptr);
    }
    static void Click(QWidget* w)
    {
        ASSERT_NE(w, nullptr);
        QTest::mouseClick(w, Qt::LeftButton, {}, QPoint(6, w->height() / 2));
    }
    static void Show(CCPTabSheet& sheet, int page)
    {
        sheet.GetTabControl()->setCurrentIndex(page);
        ASSERT_EQ(sheet.GetActiveIndex(), page);
    }
    static void Type(QWidget* field, const char* text)
    {
        ASSERT_NE(field, nullptr);
        field->setFocus();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    }
    static void Shot(CCPTabSheet& sheet, const char* name) { SaveShot(&sheet, name); }
    // Drops the page's picker and clicks its entry (0 the first).
    static void Pick(QWidget* page, int id, int entry)
    {
        auto* button = qobject_cast<CDropPaletteButton*>(GetDlgItem(page, id));
        ASSERT_NE(button, nullptr);
        ASSERT_TRUE(button->isEnabled());
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
        CPalettePopup* popup = button->Popup();
        ASSERT_TRUE(popup && popup->isVisible());
        QTest::mouseClick(popup, Qt::LeftButton, {}, popup->ItemRect(kPaletteFirstId + UINT(entry)).center());
    }

    DiagramFixture fx;
    CConnector* c1 = nullptr;
    CConnector* c2 = nullptr;
    std::string saved;
    CRecordingPrompt prompt;
};

TEST_F(ConPropertySheet, OneValueOnEachPageAndEveryApplyIsOneUndoStep)
{
    const int width = SizeValueToCode(4.0);
    const std::string lastEnd = fx.doc.m_strLastEnd;
    RunSheet([&](CCPTabSheet& sheet) {
        QAbstractButton* apply = sheet.Button(ID_APPLY_NOW);
        EXPECT_FALSE(apply->isEnabled());
        Show(sheet, 0);
        Click(GetDlgItem(sheet.GetActivePage(), CCTabGeneral::kManual));
        EXPECT_TRUE(apply->isEnabled());
        Shot(sheet, "con_props_general");
        // The route picture stands beside the assistance choices; the dots
        // check and its picture are never shown.
        EXPECT_TRUE(GetDlgItem(sheet.GetActivePage(), 2643)->isVisible());
        EXPECT_FALSE(GetDlgItem(sheet.GetActivePage(), CCTabGeneral::kDotsPicture)->isVisible());
        apply->click();
        EXPECT_FALSE(apply->isEnabled());

        Show(sheet, 1);
        Type(GetDlgItem(sheet.GetActivePage(), CCTabLine::kWidth), "4");
        Shot(sheet, "con_props_line");
        apply->click();

        Show(sheet, 2);
        Pick(sheet.GetActivePage(), CCTabEnds::kEnd2, 1);
        Shot(sheet, "con_props_ends");
        apply->click();

        Show(sheet, 3);
        auto* list = static_cast<CCTabBehaviors*>(sheet.GetActivePage())->List();
        list->setFocus();
        list->setCurrentRow(1);
        QTest::keyClick(list, Qt::Key_Space);
        Shot(sheet, "con_props_behaviors");
        Click(sheet.Button(IDOK));
    });
    for (const CConnector* c : {c1, c2}) {
        EXPECT_EQ(c->m_props.Behavior.low & (kConOrthoManual | kConOrthoOff), kConOrthoOff);
        EXPECT_EQ(c->m_props.LineWidth, width);
        EXPECT_EQ(c->m_props.End2, 1);
        EXPECT_TRUE(c->m_props.Behavior.low & kConNoJogs);
        EXPECT_FALSE(c->m_props.Behavior.low & kConNoFlow);
    }
    EXPECT_NE(DocText(fx.doc), saved);
    // The end chosen is remembered for the next connectors; undo leaves that.
    EXPECT_EQ(fx.doc.m_strLastEnd, fx.doc.m_endSymbols.GetAt(1)->m_strName);
    fx.doc.m_strLastEnd = lastEnd;
    ASSERT_TRUE(fx.doc.CanUndo());
    fx.doc.UndoLastStep();
    EXPECT_EQ(DocText(fx.doc), saved);
    EXPECT_FALSE(fx.doc.CanUndo());
}

TEST_F(ConPropertySheet, CancelWritesNothing)
{
    RunSheet([&](CCPTabSheet& sheet) {
        Show(sheet, 1);
        Type(GetDlgItem(sheet.GetActivePage(), CCTabLine::kWidth), "9");
        Click(GetDlgItem(sheet.GetActivePage(), CCTabLine::kCurved));
        Click(sheet.Button(IDCANCEL));
    });
    EXPECT_EQ(DocText(fx.doc), saved);
    EXPECT_FALSE(fx.doc.CanUndo());
}

TEST_F(ConPropertySheet, DifferingValuesStayUnlessChanged)
{
    c1->m_props.LineWidth = SizeValueToCode(1.0);
    c2->m_props.LineWidth = SizeValueToCode(3.0);
    c2->m_props.End1Length = 64;
    saved = DocText(fx.doc);
    RunSheet([&](CCPTabSheet& sheet) {
        Show(sheet, 1);
        QWidget* page = sheet.GetActivePage();
        EXPECT_EQ(qobject_cast<QLineEdit*>(GetDlgItem(page, CCTabLine::kWidth))->text(), "");
        Click(GetDlgItem(page, CCTabLine::kRounded));
        Shot(sheet, "con_props_mixed_line");
        Show(sheet, 2);
        EXPECT_EQ(qobject_cast<QLineEdit*>(GetDlgItem(sheet.GetActivePage(), CCTabEnds::kSize1))->text(), "");
        // The assistance radios add their bits: the curvature stays changed.
        Show(sheet, 0);
        Click(GetDlgItem(sheet.GetActivePage(), CCTabGeneral::kManual));
        Click(sheet.Button(IDOK));
    });
    EXPECT_EQ(c1->m_props.LineWidth, SizeValueToCode(1.0));
    EXPECT_EQ(c2->m_props.LineWidth, SizeValueToCode(3.0));
    EXPECT_EQ(c2->m_props.End1Length, 64);
    EXPECT_NE(c1->m_props.End1Length, 64);
    for (const CConnector* c : {c1, c2}) {
        EXPECT_EQ(c->m_props.Behavior.low & (kConRounded | kConCurved | kConSmoothed), kConRounded);
        EXPECT_EQ(c->m_props.Behavior.low & (kConOrthoManual | kConOrthoOff), kConOrthoOff);
    }
    fx.doc.UndoLastStep();
    EXPECT_EQ(DocText(fx.doc), saved);
}

TEST_F(ConPropertySheet, ARefusedValueKeepsTheSheetOnItsPage)
{
    bool stillOpen = false;
    RunSheet([&](CCPTabSheet& sheet) {
        Show(sheet, 1);
        QWidget* width = GetDlgItem(sheet.GetActivePage(), CCTabLine::kWidth);
        width->setFocus();
        QTest::keyClick(width, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(width, "99");
        Click(sheet.Button(IDOK));
        stillOpen = QApplication::activeModalWidget() == &sheet;
        EXPECT_EQ(sheet.GetActiveIndex(), 1);
        // Another page cannot be shown either.
        sheet.GetTabControl()->setCurrentIndex(3);
        EXPECT_EQ(sheet.GetActiveIndex(), 1);
    });
    EXPECT_TRUE(stillOpen);
    ASSERT_FALSE(prompt.shown.empty());
    EXPECT_EQ(prompt.shown[0].text, "Enter a valid line width between 0 and 72");
    EXPECT_EQ(DocText(fx.doc), saved);
}

// The size pickers beside the fields set exactly their property; the
// width picker starts at "Fine" (no "None" for a line).
TEST_F(ConPropertySheet, SizePickersSetTheirProperty)
{
    const CConProps before = c1->m_props;
    RunSheet([&](CCPTabSheet& sheet) {
        Show(sheet, 1);
        QWidget* line = sheet.GetActivePage();
        Pick(line, CCTabLine::kWidthPicker, 3);   // "Very Heavy\t3 pt"
        EXPECT_EQ(qobject_cast<QLineEdit*>(GetDlgItem(line, CCTabLine::kWidth))->text(), "3 pt");
        // The flow pickers wait for the flow check.
        EXPECT_FALSE(GetDlgItem(line, CCTabLine::kFlowSpacingPicker)->isEnabled());
        Shot(sheet, "con_props_line_pickers");
        Show(sheet, 2);
        QWidget* ends = sheet.GetActivePage();
        Pick(ends, CCTabEnds::kBorderPicker, 4);   // "Very Heavy\t3 pt"
        Shot(sheet, "con_props_ends_pickers");
        Click(sheet.Button(IDOK));
    });
    for (const CConnector* c : {c1, c2}) {
        EXPECT_EQ(c->m_props.LineWidth, 11);
        EXPECT_EQ(c->m_props.EndBorderWidth, 11);
        CConProps rest = c->m_props;
        rest.LineWidth = before.LineWidth;
        rest.EndBorderWidth = before.EndBorderWidth;
        EXPECT_EQ(std::memcmp(&rest, &before, sizeof rest), 0);
    }
    fx.doc.UndoLastStep();
    EXPECT_EQ(DocText(fx.doc), saved);
}

// A connector inside a group changes only when the user answers Yes to the
// question; either way the apply is one undo step.
TEST_F(ConPropertySheet, GroupedConnectorsChangeOnlyWhenTheUserSaysSo)
{
    const int promptSetting = PromptForApplyToGroups, apply = ApplyToGroups;
    PromptForApplyToGroups = 1;
    fx.doc.ClearSelection();
    fx.doc.Select(c2->m_pFig1);
    fx.doc.Select(c2->m_pFig2);
    fx.doc.OnGroup();
    ASSERT_NE(c2->m_pGroup, nullptr);
    fx.doc.Select(c1);
    fx.doc.ResetUndoLog();
    saved = DocText(fx.doc);
    const int width = c2->m_props.LineWidth;
    for (const int answer : {IDNO, IDYES}) {
        prompt.QueueAnswer(answer);
        RunSheet([&](CCPTabSheet& sheet) {
            Show(sheet, 1);
            Type(GetDlgItem(sheet.GetActivePage(), CCTabLine::kWidth), "6");
            Click(sheet.Button(IDOK));
        });
        ASSERT_FALSE(prompt.shown.empty());
        EXPECT_EQ(prompt.shown.back().text, FindResString(820));
        EXPECT_EQ(c1->m_props.LineWidth, SizeValueToCode(6.0));
        EXPECT_EQ(c2->m_props.LineWidth, answer == IDYES ? SizeValueToCode(6.0) : width) << answer;
        EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_CONPROPS);
        EXPECT_EQ(DocText(fx.doc), saved);
        EXPECT_FALSE(fx.doc.CanUndo());
    }
    PromptForApplyToGroups = promptSetting;
    ApplyToGroups = apply;
}

// A label stapled to a changed connector is put back on it in the apply's
// own undo step.
TEST_F(ConPropertySheet, StaplesFollowInTheSameUndoStep)
{
    CFigure* label = fx.AddBox(900, 900, 200, 100, "L");
    auto* staple = new CStaple(&fx.doc);
    staple->MakeConLbl(c1, c1->GetMidPoint(), label, 127, 127);
    ASSERT_TRUE(fx.doc.AddStapleWithId(staple));
    // The label is away from its place: the next staple pass moves it.
    staple->ClearSnapshots();
    fx.doc.ResetUndoLog();
    saved = DocText(fx.doc);
    const CRect away = label->m_rect;
    RunSheet([&](CCPTabSheet& sheet) {
        Show(sheet, 1);
        Click(GetDlgItem(sheet.GetActivePage(), CCTabLine::kCurved));
        Click(sheet.Button(IDOK));
    });
    EXPECT_NE(label->m_rect, away);
    EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_CONPROPS);
    EXPECT_EQ(label->m_rect, away);
    EXPECT_EQ(DocText(fx.doc), saved);
}

namespace {
struct ScreenContext : FakeAppContext {
    bool GetMainWindowRect(CRect& rc) override
    {
        rc = CRect(0, 0, 1600, 1000);
        return true;
    }
};
} // namespace

// One connector: the sheet stands beside its ends, never over them, and
// inside the main window; it goes to the other side when there is no room.
TEST_F(ConPropertySheet, TheSheetStandsBesideTheConnector)
{
    ScreenContext context;
    IAppContext* previous = GetAppContext();
    SetAppContext(&context);
    const CRect cases[] = {CRect(100, 300, 180, 340), CRect(1450, 300, 1560, 340), CRect(600, 20, 700, 30)};
    for (const CRect& ends : cases) {
        int differs[kDiffCount] = {};
        CCPTabSheet sheet(nullptr, &fx.doc, -1, c1->m_props, false, differs, &ends);
        QRect placed;
        QTimer::singleShot(0, [&] {
            placed = sheet.geometry();
            sheet.EndDialog(IDCANCEL);
        });
        sheet.DoModal();
        const CRect rc(placed.left(), placed.top(), placed.right() + 1, placed.bottom() + 1);
        CRect overlap;
        EXPECT_FALSE(overlap.IntersectRect(rc, ends)) << ends.left;
        EXPECT_GE(rc.left, 0);
        EXPECT_GE(rc.top, 0);
        EXPECT_LE(rc.right, 1600 - 5) << ends.left;
        EXPECT_LE(rc.bottom, 1000 - 5) << ends.left;
    }
    SetAppContext(previous);
}

// A style chosen in the General page's picker is the based-on style: the
// combo shows it, and OK gives the connectors its index and properties.
TEST_F(ConPropertySheet, ThePickerBasesTheConnectorsOnAStyle)
{
    CConStylesLibrary& lib = fx.doc.m_conStyles;
    lib.RemoveAll();
    ConStyleValues v;
    v.name = "Thick";
    v.inMenu = 1;   // the picker offers the styles of the drop menu
    v.props.LineWidth = SizeValueToCode(6.0);
    ASSERT_TRUE(AddConStyle(fx.doc, v));
    fx.doc.ResetUndoLog();
    saved = DocText(fx.doc);
    RunSheet([&](CCPTabSheet& sheet) {
        Show(sheet, 0);
        QWidget* page = sheet.GetActivePage();
        auto* picker = qobject_cast<CStylePickerButton*>(GetDlgItem(page, CCTabGeneral::kStylesPicker));
        ASSERT_NE(picker, nullptr);
        EXPECT_TRUE(picker->isVisible());
        EXPECT_EQ(picker->GetCurSel(), -1);   // several connectors: no style shown
        QTest::mousePress(picker, Qt::LeftButton, {}, QPoint(8, picker->height() / 2));
        CPalettePopup* popup = picker->CategoryPopup(0);
        ASSERT_TRUE(popup && popup->isVisible());
        QTest::mouseClick(popup, Qt::LeftButton, {}, popup->ItemRect(kPaletteFirstId).center());
        EXPECT_EQ(qobject_cast<QComboBox*>(GetDlgItem(page, CCTabGeneral::kBasedOn))->currentText(), "Thick");
        Shot(sheet, "con_props_general_picker");
        Click(sheet.Button(IDOK));
    });
    for (const CConnector* c : {c1, c2}) {
        EXPECT_EQ(c->m_nStyle, 0);
        EXPECT_EQ(c->m_props.LineWidth, SizeValueToCode(6.0));
    }
    fx.doc.UndoLastStep();
    EXPECT_EQ(DocText(fx.doc), saved);
}

// Help opens topic 310 from the button and from F1.
TEST_F(ConPropertySheet, HelpOpensItsTopic)
{
    std::vector<uint32_t> topics;
    SetHelpHandler([&](uint32_t topic) { topics.push_back(topic); });
    RunSheet([&](CCPTabSheet& sheet) {
        QPushButton* help = sheet.Button(IDHELP);
        ASSERT_NE(help, nullptr);
        EXPECT_TRUE(help->isVisible());
        Click(help);
        QTest::keyClick(&sheet, Qt::Key_F1);
    });
    SetHelpHandler(nullptr);
    EXPECT_EQ(topics, (std::vector<uint32_t>{310, 310}));
    EXPECT_EQ(DocText(fx.doc), saved);
}

// Each behaviour row stands for its own flag-word bit: loading shows the
// bits, and ticking a row changes that bit only.
TEST_F(ConPropertySheet, EachBehaviorRowIsItsOwnBit)
{
    const DWORD bits[] = {0x40, 0x80, 0x40000000};
    for (int row = 0; row < 3; ++row) {
        SCOPED_TRACE(row);
        c1->m_props.Behavior.low = c2->m_props.Behavior.low = bits[(row + 1) % 3];
        const DWORD before = c1->m_props.Behavior.low;
        RunSheet([&](CCPTabSheet& sheet) {
            Show(sheet, 3);
            auto* list = static_cast<CCTabBehaviors*>(sheet.GetActivePage())->List();
            for (int i = 0; i < 3; ++i) {
                EXPECT_EQ(list->GetCheck(i) != 0, i == (row + 1) % 3) << i;
                EXPECT_EQ(list->item(i)->text().toStdString(), FindResString(i == 2 ? 802 : 797 + i)) << i;
            }
            list->setFocus();
            list->setCurrentRow(row);
            QTest::keyClick(list, Qt::Key_Space);
            Click(sheet.Button(IDOK));
        });
        for (const CConnector* c : {c1, c2}) {
            EXPECT_EQ(c->m_props.Behavior.low, before | bits[row]);
            EXPECT_EQ(c->m_props.Behavior.high, 0u);
        }
        fx.doc.UndoLastStep();
    }
}

// The Line page shows the curvature and the corner join the connectors
// have: Rounded before Curved before Smoothed, Round for join 0.
TEST_F(ConPropertySheet, TheLinePageShowsCurvatureAndCorners)
{
    const struct {
        DWORD bits;
        int join;
        int curve, corner;
    } cases[] = {
        {0, 0, CCTabLine::kStraight, CCTabLine::kRound},
        {0x10 | 0x2 | 0x8, 4096, CCTabLine::kRounded, CCTabLine::kBevel},
        {0x2 | 0x8, 8192, CCTabLine::kCurved, CCTabLine::kMiter},
        {0x8, 0, CCTabLine::kSmoothed, CCTabLine::kRound},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bits);
        for (CConnector* con : {c1, c2}) {
            con->m_props.Behavior.low = c.bits;
            con->m_props.Join = c.join;
        }
        RunSheet([&](CCPTabSheet& sheet) {
            Show(sheet, 1);
            QWidget* page = sheet.GetActivePage();
            for (int id : {CCTabLine::kStraight, CCTabLine::kRounded, CCTabLine::kCurved, CCTabLine::kSmoothed,
                           CCTabLine::kMiter, CCTabLine::kRound, CCTabLine::kBevel})
                EXPECT_EQ(qobject_cast<QAbstractButton*>(GetDlgItem(page, id))->isChecked(),
                          id == c.curve || id == c.corner)
                    << id;
            EXPECT_FALSE(sheet.Button(ID_APPLY_NOW)->isEnabled());
        });
    }
}

// The Line page shows the connectors' pattern, and its radios store the
// curvature bits (16, 2, 8, none) and the corner join (8192, 0, 4096).
TEST_F(ConPropertySheet, TheLineRadiosStoreCurvatureAndCorners)
{
    const struct {
        int curve;
        DWORD bits;
        int corner, join;
    } cases[] = {
        {CCTabLine::kStraight, 0, CCTabLine::kMiter, 8192},
        {CCTabLine::kCurved, 0x2, CCTabLine::kBevel, 4096},
        {CCTabLine::kSmoothed, 0x8, CCTabLine::kRound, 0},
        {CCTabLine::kRounded, 0x10, CCTabLine::kMiter, 8192},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.curve);
        for (CConnector* con : {c1, c2}) {
            con->m_props.PenStyle = 2;
            con->m_props.Behavior.low = c.curve == CCTabLine::kRounded ? 0x8 : 0x10;
            con->m_props.Join = c.join == 0 ? 4096 : 0;
        }
        RunSheet([&](CCPTabSheet& sheet) {
            Show(sheet, 1);
            QWidget* page = sheet.GetActivePage();
            EXPECT_EQ(qobject_cast<CLinePatternButton*>(GetDlgItem(page, CCTabLine::kPattern))->GetPattern(), 2);
            Click(GetDlgItem(page, c.curve));
            Click(GetDlgItem(page, c.corner));
            Click(sheet.Button(IDOK));
        });
        for (const CConnector* con : {c1, c2}) {
            EXPECT_EQ(con->m_props.Behavior.low & 0x1A, c.bits);
            EXPECT_EQ(con->m_props.Join, c.join);
            EXPECT_EQ(con->m_props.PenStyle, 2);
        }
    }
}

// Without a line (pattern 5) width, colour and corners are off and keep
// their values; the flow check gives flow symbols of kind 5 or none; a
// spacing of 0 is refused.
TEST_F(ConPropertySheet, NoLineAndTheFlowCheck)
{
    for (CConnector* c : {c1, c2}) {
        c->m_props.PenStyle = 5;
        c->m_props.FIType = -1;
    }
    const int width = c1->m_props.LineWidth;
    saved = DocText(fx.doc);
    RunSheet([&](CCPTabSheet& sheet) {
        Show(sheet, 1);
        QWidget* page = sheet.GetActivePage();
        for (int id : {CCTabLine::kWidth, CCTabLine::kWidthPicker, CCTabLine::kColor, CCTabLine::kMiter,
                       CCTabLine::kRound, CCTabLine::kBevel})
            EXPECT_FALSE(GetDlgItem(page, id)->isEnabled()) << id;
        EXPECT_TRUE(GetDlgItem(page, CCTabLine::kPattern)->isEnabled());
        EXPECT_FALSE(GetDlgItem(page, CCTabLine::kFlowSpacing)->isEnabled());
        Click(GetDlgItem(page, CCTabLine::kFlow));
        EXPECT_TRUE(GetDlgItem(page, CCTabLine::kFlowSpacing)->isEnabled());
        Shot(sheet, "con_props_line_noline_flow");
        Type(GetDlgItem(page, CCTabLine::kFlowSpacing), "0");
        Click(sheet.Button(IDOK));
        ASSERT_EQ(QApplication::activeModalWidget(), &sheet);
        Type(GetDlgItem(page, CCTabLine::kFlowSpacing), "1");
        Click(sheet.Button(IDOK));
    });
    ASSERT_FALSE(prompt.shown.empty());
    EXPECT_EQ(prompt.shown[0].text, "Enter a valid flow symbol spacing between 1 and 432");
    for (const CConnector* c : {c1, c2}) {
        EXPECT_EQ(c->m_props.FIType, 5);
        EXPECT_EQ(c->m_props.PenStyle, 5);
        EXPECT_EQ(c->m_props.LineWidth, width);
    }
    // And off again: no flow symbols.
    RunSheet([&](CCPTabSheet& sheet) {
        Show(sheet, 1);
        Click(GetDlgItem(sheet.GetActivePage(), CCTabLine::kFlow));
        Click(sheet.Button(IDOK));
    });
    for (const CConnector* c : {c1, c2})
        EXPECT_EQ(c->m_props.FIType, -1);
    fx.doc.UndoLastStep();
    fx.doc.UndoLastStep();
    EXPECT_EQ(DocText(fx.doc), saved);
}

// An end without a symbol has no fill or size to set; a filled symbol is
// filled black, and leaving one for an open symbol fills the end white.
TEST_F(ConPropertySheet, EndSymbolsSetTheirFillAndControls)
{
    const ShapeLibrary& ends = fx.doc.m_endSymbols;
    int filled = -1, open = -1;
    for (int i = 1; i < ends.GetCount(); ++i) {
        if (filled < 0 && ends.GetAt(i)->Silhouette)
            filled = i;
        if (open < 0 && !ends.GetAt(i)->Silhouette)
            open = i;
    }
    ASSERT_GT(filled, 0);
    ASSERT_GT(open, 0);
    for (CConnector* c : {c1, c2}) {
        c->m_props.End1 = 0;
        c->m_props.End1FillColor = RGB(10, 20, 30);
    }
    // Each picker shows its own end's symbol.
    for (CConnector* c : {c1, c2}) {
        c->m_props.End1 = open;
        c->m_props.End2 = filled;
    }
    RunSheet([&](CCPTabSheet& sheet) {
        Show(sheet, 2);
        QWidget* page = sheet.GetActivePage();
        EXPECT_EQ(qobject_cast<CEndSymbolButton*>(GetDlgItem(page, CCTabEnds::kEnd1))->GetSymbol(), open);
        EXPECT_EQ(qobject_cast<CEndSymbolButton*>(GetDlgItem(page, CCTabEnds::kEnd2))->GetSymbol(), filled);
    });
    for (CConnector* c : {c1, c2})
        c->m_props.End1 = c->m_props.End2 = 0;
    const struct {
        int symbol;
        COLORREF fill;
    } steps[] = {{open, RGB(10, 20, 30)}, {filled, 0}, {open, 0xFFFFFF}, {0, 0xFFFFFF}};
    RunSheet([&](CCPTabSheet& sheet) {
        Show(sheet, 2);
        QWidget* page = sheet.GetActivePage();
        for (const auto& s : steps) {
            SCOPED_TRACE(s.symbol);
            Pick(page, CCTabEnds::kEnd1, s.symbol);
            const bool on = s.symbol != 0;
            for (int id : {CCTabEnds::kFill1, CCTabEnds::kSize1, CCTabEnds::kSizePicker1, 2530, 3050})
                EXPECT_EQ(GetDlgItem(page, id)->isEnabled(), on) << id;
            Click(sheet.Button(ID_APPLY_NOW));
            for (const CConnector* c : {c1, c2}) {
                EXPECT_EQ(c->m_props.End1, s.symbol);
                EXPECT_EQ(c->m_props.End1FillColor, s.fill);
            }
        }
    });
}

// Each end's title, symbol picker, fill row and size row stand top to
// bottom in a column of their own, the picker as wide as the rows under it,
// nothing lying over anything else; on a tall sheet the rows keep together
// at the top rather than spreading over the page.
TEST_F(ConPropertySheet, TheEndsPageLaysEachEndOutInItsColumn)
{
    RunSheet([&](CCPTabSheet& sheet) {
        Show(sheet, 2);
        sheet.resize(sheet.width(), sheet.height() + 300);
        QApplication::processEvents();
        QWidget* page = sheet.GetActivePage();
        const auto at = [page](int id) {
            const QWidget* w = GetDlgItem(page, id);
            return w ? QRect(w->mapTo(page, QPoint(0, 0)), w->size()) : QRect();
        };
        const int ends[2][6] = {
            {3050, CCTabEnds::kEnd1, 2530, CCTabEnds::kFill1, CCTabEnds::kSizePicker1, CCTabEnds::kSize1},
            {3047, CCTabEnds::kEnd2, 2531, CCTabEnds::kFill2, CCTabEnds::kSizePicker2, CCTabEnds::kSize2}};
        std::vector<int> all{CCTabEnds::kBorderPicker, CCTabEnds::kBorder};
        for (const auto& e : ends) {
            SCOPED_TRACE(e[0]);
            const QRect title = at(e[0]), symbol = at(e[1]), label = at(e[2]), fill = at(e[3]);
            const QRect picker = at(e[4]), size = at(e[5]);
            EXPECT_LT(title.bottom(), symbol.top());
            EXPECT_LT(symbol.bottom(), std::min(label.top(), fill.top()));
            EXPECT_LT(std::max(label.bottom(), fill.bottom()), std::min(picker.top(), size.top()));
            EXPECT_LT(label.right(), fill.left());
            EXPECT_LT(picker.right(), size.left());
            EXPECT_LE(symbol.left(), label.left());
            EXPECT_GE(symbol.right(), fill.left());
            all.insert(all.end(), std::begin(e), std::end(e));
        }
        EXPECT_LT(at(ends[0][0]).right(), at(ends[1][0]).left());
        for (size_t i = 0; i < all.size(); ++i)
            for (size_t j = i + 1; j < all.size(); ++j)
                EXPECT_FALSE(at(all[i]).intersects(at(all[j]))) << all[i] << " lies over " << all[j];
        EXPECT_LT(at(CCTabEnds::kBorder).bottom(), page->height() / 2);
    });
}

// The assistance radios show bits 1 and 32 of the flag word (the third only
// while automated routing is enabled) and store them back.
TEST_F(ConPropertySheet, AssistanceRadiosFollowTheirBits)
{
    const int enabled = EnableAutoOrthogonal;
    const struct {
        int autoOrtho;
        DWORD bits;
        int shown;
        int click;
        DWORD stored;
    } cases[] = {
        {1, 0x0, CCTabGeneral::kGuided, CCTabGeneral::kAutomated, 0x21},
        {1, 0x1, CCTabGeneral::kGuided, CCTabGeneral::kManual, 0x20},
        {1, 0x21, CCTabGeneral::kAutomated, CCTabGeneral::kGuided, 0x0},
        {1, 0x20, CCTabGeneral::kManual, CCTabGeneral::kAutomated, 0x21},
        {0, 0x21, CCTabGeneral::kAutomated, CCTabGeneral::kGuided, 0x0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bits);
        EnableAutoOrthogonal = c.autoOrtho;
        for (CConnector* con : {c1, c2})
            con->m_props.Behavior.low = c.bits;
        RunSheet([&](CCPTabSheet& sheet) {
            Show(sheet, 0);
            QWidget* page = sheet.GetActivePage();
            EXPECT_EQ(GetDlgItem(page, CCTabGeneral::kAutomated)->isVisible(), c.autoOrtho != 0);
            for (int id : {CCTabGeneral::kManual, CCTabGeneral::kGuided, CCTabGeneral::kAutomated})
                EXPECT_EQ(qobject_cast<QAbstractButton*>(GetDlgItem(page, id))->isChecked(), id == c.shown) << id;
            Click(GetDlgItem(page, c.click));
            Click(sheet.Button(IDOK));
        });
        for (const CConnector* con : {c1, c2})
            EXPECT_EQ(con->m_props.Behavior.low & 0x21, c.stored);
    }
    EnableAutoOrthogonal = enabled;
}

// Connectors of different styles show the empty based-on entry and keep
// their styles; binding one connector that differs from its style asks
// whether to take the style's values now.
TEST_F(ConPropertySheet, BasedOnAndBind)
{
    CConStylesLibrary& lib = fx.doc.m_conStyles;
    lib.RemoveAll();
    for (const char* name : {"Thin", "Thick"}) {
        ConStyleValues v;
        v.name = name;
        v.inMenu = 1;   // the drop menu exists before the sheet opens
        v.props.LineWidth = SizeValueToCode(std::string(name) == "Thin" ? 1.0 : 6.0);
        ASSERT_TRUE(AddConStyle(fx.doc, v));
    }
    c1->m_nStyle = 0;
    c2->m_nStyle = 1;
    fx.doc.ResetUndoLog();
    saved = DocText(fx.doc);
    RunSheet([&](CCPTabSheet& sheet) {
        Show(sheet, 0);
        auto* combo = qobject_cast<QComboBox*>(GetDlgItem(sheet.GetActivePage(), CCTabGeneral::kBasedOn));
        EXPECT_EQ(combo->currentIndex(), 0);
        EXPECT_EQ(combo->currentText(), "");
        EXPECT_EQ(combo->itemText(1), "<none>");
        auto* picker = qobject_cast<CConStyleButton*>(GetDlgItem(sheet.GetActivePage(), CCTabGeneral::kStylesPicker));
        EXPECT_EQ(picker->GetCurSel(), -1);
        Show(sheet, 1);
        Type(GetDlgItem(sheet.GetActivePage(), CCTabLine::kWidth), "2");
        Click(sheet.Button(IDOK));
    });
    EXPECT_EQ(c1->m_nStyle, 0);
    EXPECT_EQ(c2->m_nStyle, 1);
    EXPECT_EQ(c2->m_props.LineWidth, SizeValueToCode(2.0));
    fx.doc.UndoLastStep();
    EXPECT_EQ(DocText(fx.doc), saved);

    // One connector of "Thick" drawn thinner than its style.
    fx.doc.ClearSelection();
    fx.doc.Select(c2);
    c2->m_props.BindToStyle = 0;
    const COLORREF styleColor = lib.GetAt(1)->m_props.Color;
    // Differing in the width only, or in the colour as well.
    const struct {
        int answer;
        COLORREF color;
    } binds[] = {{IDNO, styleColor}, {IDYES, styleColor ^ 0x0F0F0F}};
    for (const auto& [answer, color] : binds) {
        SCOPED_TRACE(answer);
        c2->m_props.LineWidth = SizeValueToCode(2.0);
        c2->m_props.Color = color;
        prompt.shown.clear();
        prompt.QueueAnswer(answer);
        RunSheet([&](CCPTabSheet& sheet) {
            Show(sheet, 0);
            auto* combo = qobject_cast<QComboBox*>(GetDlgItem(sheet.GetActivePage(), CCTabGeneral::kBasedOn));
            EXPECT_EQ(combo->currentText(), "Thick");
            EXPECT_EQ(qobject_cast<CConStyleButton*>(GetDlgItem(sheet.GetActivePage(), CCTabGeneral::kStylesPicker))
                          ->GetCurSel(),
                      1);
            Click(GetDlgItem(sheet.GetActivePage(), CCTabGeneral::kBind));
            Click(sheet.Button(IDOK));
        });
        ASSERT_EQ(prompt.shown.size(), 1u);
        EXPECT_EQ(prompt.shown[0].text, FindResString(645));
        EXPECT_EQ(c2->m_props.BindToStyle, 1);
        EXPECT_EQ(c2->m_props.LineWidth, SizeValueToCode(answer == IDYES ? 6.0 : 2.0));
        EXPECT_EQ(c2->m_props.Color, styleColor);
        fx.doc.UndoLastStep();
    }
}

} // namespace

namespace {
CKavoView* g_placedView = nullptr;
} // namespace

// A right click on one connector, then Properties: the sheet stands clear of
// the connector on the screen instead of at the click, which lies on it.
TEST_F(ConPropertySheet, OneConnectorsSheetStandsClearOfIt)
{
    ScreenContext context;
    IAppContext* previous = GetAppContext();
    SetAppContext(&context);
    CKavoView view(&fx.doc);
    view.show();
    FitView(view);
    view.ZoomToPercent(50);
    view.ScrollToViewAnchorPoint(CPoint(0, 0), kAnchorTopLeft, true);
    context.doc = &fx.doc;
    context.view = &view;
    g_nUIMode = 0;
    g_placedView = &view;
    SetActiveKavoViewFinder([] { return g_placedView; });
    InstallContextMenus(view);
    GetContextMenuSeams().showMenu = [](const ContextMenu&, const CPoint&) {};
    fx.doc.ClearSelection();
    const CPoint mid((c1->EndPoint1.x + c1->EndPoint2.x) / 2, c1->EndPoint1.y);
    const CPoint client = view.LogicalPtToClient(mid);
    QWidget* vp = view.viewport();
    const QPoint pos(client.x, client.y);
    QMouseEvent move(QEvent::MouseMove, QPointF(pos), QPointF(vp->mapToGlobal(pos)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(vp, &move);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(pos), QPointF(vp->mapToGlobal(pos)), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(vp, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(pos), QPointF(vp->mapToGlobal(pos)), Qt::RightButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(vp, &release);
    ASSERT_EQ(fx.doc.GetSelCount(), 1);
    ASSERT_TRUE(c1->m_bSelected);
    CRect ends = view.LogicalRectToClient(c1->GetEndsRect());
    ends.NormalizeRect();
    const QPoint at = vp->mapToGlobal(QPoint(ends.left, ends.top));
    ends = CRect(at.x(), at.y(), at.x() + ends.Width(), at.y() + ends.Height());
    QRect placed;
    RunSheet([&placed](CCPTabSheet& sheet) { placed = sheet.frameGeometry(); });
    const CRect rc(placed.left(), placed.top(), placed.right() + 1, placed.bottom() + 1);
    // A level connector's ends span no height: its line is a pixel thick.
    ends.InflateRect(1, 1);
    CRect overlap;
    EXPECT_FALSE(overlap.IntersectRect(rc, ends));
    EXPECT_FALSE(rc.PtInRect(GetRightClickPoint()));
    GetContextMenuSeams().showMenu = nullptr;
    SetActiveKavoViewFinder(nullptr);
    g_placedView = nullptr;
    SetAppContext(previous);
}
