// The connector styles sheet through its widgets: Apply changes the style
// and the connectors that follow it, "<All>" changes only what was touched
// on every style, moving to another style with changes pending asks first,
// a refused value keeps the changes and the page, New proposes a unique
// name of at most 30 characters, and deleting the last style closes the
// sheet.
#include "ConStylesSheetRun.h"
#include "common/DiagramFixture.h"
#include "common/TestSupport.h"
#include "dialogs/ui/ModalDriver.h"
#include "controls/CCheckListCtrl.h"
#include "controls/CStyleButtons.h"
#include "controls/ui/CommandRecorder.h"
#include "core/HelpRequest.h"
#include "core/Settings.h"
#include "core/Units.h"
#include "dialogs/sheets/CConPage.h"
#include "dialogs/sheets/CConSheetCommands.h"
#include "dialogs/sheets/CConStylesSheet.h"
#include "dialogs/CStyleNameDlg.h"
#include "dialogs/sheets/CConTabBehaviors.h"
#include "dialogs/sheets/CConTabGeneral.h"
#include "dialogs/sheets/CConTabLine.h"
#include "document/ConStyleEdits.h"
#include "editing/ui/ViewEvents.h"
#include "platform/ui/DlgItems.h"
#include "render/ImageTestSupport.h"
#include "shapes/CConStylesLibrary.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>
#include <utility>
#include <vector>

namespace {

class ConStylesSheet : public testing::Test {
protected:
    void SetUp() override
    {
        lib().RemoveAll();
        for (const char* name : {"Alpha", "Beta"}) {
            ConStyleValues v;
            v.name = name;
            v.props.LineWidth = SizeValueToCode(1.0);
            ASSERT_TRUE(AddConStyle(fx.doc, v));
        }
        CFigure* a = fx.AddBox(256, 256, 512, 256, "A");
        CFigure* b = fx.AddBox(1536, 256, 512, 256, "B");
        con = fx.Connect(a, b);
        con->m_nStyle = 0;
        con->m_props = lib().GetAt(0)->m_props;
        con->m_props.BindToStyle = 1;
    }
    CConStylesLibrary& lib() { return fx.doc.m_conStyles; }
    void RunSheet(int style, const std::function<void(CCSTabSheet&)>& steps) { RunConStylesSheet(fx.doc, style, steps); }
    static void ClickStyle(CCSTabSheet& sheet, const char* name) { ClickConStyle(sheet, name); }
    static QString SelectedStyle(CCSTabSheet& sheet)
    {
        auto* list = qobject_cast<QListWidget*>(GetDlgItem(&sheet, CCSTabSheet::kList));
        return list->currentItem() ? list->currentItem()->text() : QString();
    }
    static void TypeWidth(CCSTabSheet& sheet, const char* text, bool commit)
    {
        sheet.GetTabControl()->setCurrentIndex(1);
        QWidget* field = GetDlgItem(sheet.GetActivePage(), CCTabLine::kWidth);
        field->setFocus();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field, text);
        if (commit)
            QTest::keyClick(field, Qt::Key_Return);
    }

    // The styles hint is asked for by its own test only.
    struct NoReminder {
        int saved = std::exchange(RemindStyles, 0);
        ~NoReminder() { RemindStyles = saved; }
    } noReminder;
    DiagramFixture fx;
    CConnector* con = nullptr;
    CRecordingPrompt prompt;
};

TEST_F(ConStylesSheet, ApplyChangesTheStyleAndTheConnectorsThatFollowIt)
{
    RunSheet(0, [&](CCSTabSheet& sheet) {
        EXPECT_EQ(SelectedStyle(sheet), "Alpha");
        for (int page = 0; page < sheet.GetPageCount(); ++page) {
            sheet.GetTabControl()->setCurrentIndex(page);
            SaveShot(&sheet, ("con_styles_page" + std::to_string(page)).c_str());
        }
        TypeWidth(sheet, "5", true);
        sheet.Button(IDOK)->click();
        EXPECT_FALSE(sheet.Button(IDOK)->isEnabled());
        EXPECT_EQ(QApplication::activeModalWidget(), &sheet);
        sheet.Button(IDCANCEL)->click();
    });
    EXPECT_EQ(lib().GetAt(0)->m_props.LineWidth, SizeValueToCode(5.0));
    EXPECT_EQ(lib().GetAt(1)->m_props.LineWidth, SizeValueToCode(1.0));
    EXPECT_EQ(con->m_props.LineWidth, SizeValueToCode(5.0));
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(ConStylesSheet, AllChangesOnlyWhatWasTouchedOnEveryStyle)
{
    lib().GetAt(1)->m_props.LineWidth = SizeValueToCode(2.0);
    RunSheet(0, [&](CCSTabSheet& sheet) {
        ClickStyle(sheet, "<All>");
        for (int id : {CCSTabSheet::kCopy, CCSTabSheet::kRename, CCSTabSheet::kDelete})
            EXPECT_FALSE(qobject_cast<QPushButton*>(GetDlgItem(&sheet, id))->isEnabled());
        sheet.GetTabControl()->setCurrentIndex(3);
        auto* list = static_cast<CCTabBehaviors*>(sheet.GetActivePage())->List();
        list->setFocus();
        list->setCurrentRow(2);
        QTest::keyClick(list, Qt::Key_Space);
        SaveShot(&sheet, "con_styles_all");
        sheet.Button(IDOK)->click();
        sheet.Button(IDCANCEL)->click();
    });
    for (int i = 0; i < 2; ++i) {
        EXPECT_TRUE(lib().GetAt(i)->m_props.Behavior.low & kConNoPrint);
        EXPECT_EQ(lib().GetAt(i)->m_props.LineWidth, SizeValueToCode(i == 0 ? 1.0 : 2.0));
    }
}

TEST_F(ConStylesSheet, MovingWithPendingChangesAsksFirst)
{
    const struct {
        int answer;
        const char* shownAfter;
        int alphaWidth;
    } cases[] = {
        {IDCANCEL, "Alpha", 1},
        {IDNO, "Beta", 1},
        {IDYES, "Beta", 6},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.answer);
        lib().GetAt(0)->m_props.LineWidth = SizeValueToCode(1.0);
        CRecordingPrompt answers;
        answers.QueueAnswer(c.answer);
        // Closing with the changes still pending asks again: drop them.
        answers.QueueAnswer(IDNO);
        RunSheet(0, [&](CCSTabSheet& sheet) {
            TypeWidth(sheet, "6", true);
            ClickStyle(sheet, "Beta");
            EXPECT_EQ(SelectedStyle(sheet), c.shownAfter);
            sheet.Button(IDCANCEL)->click();
        });
        ASSERT_FALSE(answers.shown.empty());
        EXPECT_EQ(answers.shown[0].text, "Would you like to apply your changes to\nstyle \"Alpha\" first?");
        EXPECT_EQ(lib().GetAt(0)->m_props.LineWidth, SizeValueToCode(c.alphaWidth));
    }
}

TEST_F(ConStylesSheet, ARefusedValueKeepsTheChangesAndThePage)
{
    prompt.QueueAnswer(IDYES);
    RunSheet(0, [&](CCSTabSheet& sheet) {
        sheet.GetTabControl()->setCurrentIndex(3);
        auto* list = static_cast<CCTabBehaviors*>(sheet.GetActivePage())->List();
        list->setCurrentRow(0);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Space);
        TypeWidth(sheet, "99", false);
        ClickStyle(sheet, "Beta");
        EXPECT_EQ(SelectedStyle(sheet), "Alpha");
        EXPECT_EQ(sheet.GetActiveIndex(), 1);
        EXPECT_TRUE(sheet.Button(IDOK)->isEnabled());
        EXPECT_EQ(qobject_cast<QLineEdit*>(GetDlgItem(sheet.GetActivePage(), CCTabLine::kWidth))->text(), "99");
        sheet.EndDialog(IDCANCEL);
    });
    ASSERT_EQ(prompt.shown.size(), 2u);
    EXPECT_EQ(prompt.shown[1].text, "Enter a valid line width between 0 and 72");
    EXPECT_FALSE(lib().GetAt(0)->m_props.Behavior.low & kConNoFlow);
}

TEST_F(ConStylesSheet, NewProposesAFreeNameAndDeletingTheLastStyleCloses)
{
    RunSheet(1, [&](CCSTabSheet& sheet) {
        QTimer::singleShot(0, [] {
            QWidget* dlg = QApplication::activeModalWidget();
            auto* name = qobject_cast<QLineEdit*>(GetDlgItem(dlg, 1050));
            ASSERT_NE(name, nullptr);
            EXPECT_EQ(name->text(), "Connector Style 3");
            qobject_cast<QAbstractButton*>(GetDlgItem(dlg, IDOK))->click();
        });
        qobject_cast<QPushButton*>(GetDlgItem(&sheet, CCSTabSheet::kNew))->click();
        EXPECT_EQ(SelectedStyle(sheet), "Connector Style 3");
        EXPECT_EQ(sheet.GetActiveIndex(), 0);
        for (int i = 0; i < 3 && QApplication::activeModalWidget() == &sheet; ++i) {
            prompt.QueueAnswer(IDYES);
            qobject_cast<QPushButton*>(GetDlgItem(&sheet, CCSTabSheet::kDelete))->click();
        }
    });
    EXPECT_EQ(lib().GetCount(), 0);
    ASSERT_FALSE(prompt.shown.empty());
    EXPECT_EQ(prompt.shown.back().text, "All connector styles have been deleted");
    EXPECT_EQ(con->m_nStyle, -1);
}

// The hint about styles living in each diagram comes before the sheet while
// RemindStyles is on; its box starts ticked, and the setting follows the box.
TEST_F(ConStylesSheet, TheStylesHintShowsWhileTheSettingAsks)
{
    for (const bool untick : {true, false}) {
        RemindStyles = 1;
        bool hinted = false, sheetShown = false;
        QTimer::singleShot(0, [&] {
            QWidget* hint = QApplication::activeModalWidget();
            ASSERT_NE(hint, nullptr);
            auto* text = qobject_cast<QLabel*>(GetDlgItem(hint, 2553));
            auto* box = qobject_cast<QCheckBox*>(GetDlgItem(hint, 2554));
            ASSERT_TRUE(text && box);
            hinted = true;
            EXPECT_TRUE(text->text().startsWith("Styles are saved in each diagram.  You can make changes"));
            EXPECT_TRUE(box->isChecked());
            SaveShot(hint, "con_styles_hint");
            if (untick)
                QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
            QTimer::singleShot(0, [&] {
                auto* sheet = qobject_cast<CCSTabSheet*>(QApplication::activeModalWidget());
                sheetShown = sheet != nullptr;
                if (sheet)
                    sheet->EndDialog(IDCANCEL);
            });
            qobject_cast<QAbstractButton*>(GetDlgItem(hint, IDOK))->click();
        });
        OnEditConStyles(fx.doc, nullptr, 0);
        EXPECT_TRUE(hinted);
        EXPECT_TRUE(sheetShown);
        EXPECT_EQ(RemindStyles, untick ? 1 : 0);
    }
    // Off: straight to the sheet.
    RunSheet(0, [](CCSTabSheet&) {});
    EXPECT_EQ(RemindStyles, 0);
}

// A style chosen in the "Styles" picker is shown as one clicked in the list.
TEST_F(ConStylesSheet, ThePickerChoosesAsTheListDoes)
{
    // The picker's palette offers the styles of the drop menu.
    ConStyleValues v;
    v.name = "Gamma";
    v.inMenu = 1;
    ASSERT_TRUE(AddConStyle(fx.doc, v));
    RunSheet(0, [&](CCSTabSheet& sheet) {
        auto* picker = qobject_cast<CStylePickerButton*>(GetDlgItem(&sheet, CCSTabSheet::kStylesLabel));
        ASSERT_NE(picker, nullptr);
        EXPECT_TRUE(picker->isEnabled());
        EXPECT_EQ(picker->GetCurSel(), 0);
        QTest::mousePress(picker, Qt::LeftButton, {}, QPoint(8, picker->height() / 2));
        CPalettePopup* popup = picker->CategoryPopup(0);
        ASSERT_TRUE(popup && popup->isVisible());
        SaveShot(popup, "con_styles_picker");
        QTest::mouseClick(popup, Qt::LeftButton, {}, popup->ItemRect(kPaletteFirstId).center());
        const int chosen = picker->GetCurSel();
        ASSERT_EQ(chosen, 2);
        EXPECT_EQ(SelectedStyle(sheet).toStdString(), lib().GetAt(chosen)->m_strName);
        // "<All>" shows as no style.
        ClickStyle(sheet, "<All>");
        EXPECT_EQ(picker->GetCurSel(), -1);
    });
}

// The preview above the list shows the style clicked in the list: its line
// across the preview, solid or dashed, with its arrow, never a speck.
TEST_F(ConStylesSheet, ThePreviewShowsTheChosenStylesLinePatternAndArrow)
{
    for (int i = 0; i < 2; ++i) {
        CConProps& p = lib().GetAt(i)->m_props;
        p.End2 = fx.doc.m_endSymbols.FindByName("block");
        p.End2Length = 36;
        p.LineWidth = 2;
        p.PenStyle = i == 1 ? 2 : 0;
        p.Color = p.End2FillColor = RGB(46, 84, 150);
    }
    RunSheet(0, [&](CCSTabSheet& sheet) {
        QWidget* preview = GetDlgItem(&sheet, CCSTabSheet::kPreview);
        ASSERT_NE(preview, nullptr);
        for (const char* name : {"Beta", "Alpha"}) {
            ClickStyle(sheet, name);
            QApplication::processEvents();
            ASSERT_EQ(SelectedStyle(sheet), name);
            const QImage img = preview->grab().toImage().convertToFormat(QImage::Format_RGB32);
            // The line runs within the preview less 20 pixels on either side.
            const QRect line = img.rect().adjusted(20, 0, -20, 0);
            const ConSampleInk m = MeasureConSample(img, line, img.pixel(line.topLeft()));
            EXPECT_GE(m.span, line.width() * 2 / 3) << name;
            EXPECT_GE(m.tallest, 8) << name;
            if (std::string(name) == "Beta")
                EXPECT_GE(m.gaps, 2) << name;
            else
                EXPECT_EQ(m.gaps, 0) << name;
            SaveShot(preview, (std::string("con_styles_preview_") + name).c_str());
        }
    });
}

// Without a current connector style the sheet opens at the style it
// showed last; deleting a style before it keeps it on the same style.
TEST_F(ConStylesSheet, TheSheetReopensAtTheStyleItShowedLast)
{
    fx.doc.m_nCurConStyle = -1;
    RunSheet(-1, [&](CCSTabSheet& sheet) {
        EXPECT_EQ(SelectedStyle(sheet), "Alpha");
        ClickStyle(sheet, "Beta");
    });
    ConStyleValues v;
    v.name = "Gamma";
    ASSERT_TRUE(AddConStyle(fx.doc, v));
    RunSheet(-1, [&](CCSTabSheet& sheet) { EXPECT_EQ(SelectedStyle(sheet), "Beta"); });
    ASSERT_TRUE(DeleteConStyle(fx.doc, 0));
    RunSheet(-1, [&](CCSTabSheet& sheet) { EXPECT_EQ(SelectedStyle(sheet), "Beta"); });
    // "<All>" is not remembered.
    RunSheet(-1, [&](CCSTabSheet& sheet) { ClickStyle(sheet, "<All>"); });
    RunSheet(-1, [&](CCSTabSheet& sheet) { EXPECT_EQ(SelectedStyle(sheet), "Beta"); });
}

// Without a style asked for, the sheet opens at the style all selected
// connectors share, else at the current one; a style beyond the library
// opens the first.
TEST_F(ConStylesSheet, TheSheetOpensAtTheSelectionsSharedStyleElseTheCurrentOne)
{
    CConnector* other = fx.Connect(fx.AddBox(256, 1024, 512, 256, "C"), fx.AddBox(1536, 1024, 512, 256, "D"));
    other->m_nStyle = 1;
    const struct {
        int current;
        std::vector<CConnector*> selected;
        int style;
        const char* opens;
    } rows[] = {
        {1, {}, -1, "Beta"},          {1, {con}, -1, "Alpha"}, {0, {other}, -1, "Beta"},
        {1, {con, other}, -1, "Beta"}, {-1, {}, 2, "Alpha"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << row.current << " " << row.selected.size() << " " << row.style);
        fx.doc.m_nCurConStyle = row.current;
        fx.doc.ClearSelection();
        for (CConnector* c : row.selected)
            fx.doc.Select(c);
        RunSheet(row.style, [&](CCSTabSheet& sheet) { EXPECT_EQ(SelectedStyle(sheet), row.opens); });
    }
}

// Help opens topic 309; its button keeps clear of the style buttons.
TEST_F(ConStylesSheet, HelpOpensItsTopic)
{
    std::vector<uint32_t> topics;
    SetHelpHandler([&](uint32_t topic) { topics.push_back(topic); });
    RunSheet(0, [&](CCSTabSheet& sheet) {
        QPushButton* help = sheet.Button(IDHELP);
        ASSERT_NE(help, nullptr);
        auto* del = qobject_cast<QPushButton*>(GetDlgItem(&sheet, CCSTabSheet::kDelete));
        ASSERT_NE(del, nullptr);
        EXPECT_GT(help->mapTo(&sheet, QPoint(0, 0)).x(), del->mapTo(&sheet, QPoint(del->width(), 0)).x());
        SaveShot(&sheet, "con_styles_buttons");
        help->click();
        QTest::keyClick(&sheet, Qt::Key_F1);
    });
    SetHelpHandler(nullptr);
    EXPECT_EQ(topics, (std::vector<uint32_t>{309, 309}));
}

// Copy takes the working values, the bar and menu flags and the category,
// but no description, label or stamp; the page stays.
TEST_F(ConStylesSheet, CopyTakesTheWorkingValues)
{
    CConStyle* alpha = lib().GetAt(0);
    alpha->Description = "first";
    alpha->Category = "Main";
    alpha->HasButton = alpha->InMenu = 1;
    alpha->AutoLabel = 1;
    alpha->AutoLabelText = "\\b A\\b0 ";
    alpha->FragmentCreation = 1;
    alpha->FragmentAngle = 270;
    RunSheet(1, [&](CCSTabSheet& sheet) {
        sheet.GetTabControl()->setCurrentIndex(0);
        auto* category = qobject_cast<QComboBox*>(GetDlgItem(sheet.GetActivePage(), CCTabGeneral::kCategory));
        EXPECT_EQ(category->currentText(), "(no category)");   // Beta has none
        ClickStyle(sheet, "Alpha");
        EXPECT_EQ(category->currentText(), "Main");
        TypeWidth(sheet, "4", true);
        QTimer::singleShot(0, [] {
            QWidget* dlg = QApplication::activeModalWidget();
            qobject_cast<QAbstractButton*>(GetDlgItem(dlg, IDOK))->click();
        });
        prompt.QueueAnswer(IDNO);
        qobject_cast<QPushButton*>(GetDlgItem(&sheet, CCSTabSheet::kCopy))->click();
        EXPECT_EQ(sheet.GetActiveIndex(), 1);
        ASSERT_EQ(lib().GetCount(), 3);
        EXPECT_EQ(SelectedStyle(sheet).toStdString(), lib().GetAt(2)->m_strName);
    });
    ASSERT_EQ(lib().GetCount(), 3);
    const CConStyle* copy = lib().GetAt(2);
    EXPECT_NE(copy->m_strName, "Alpha");
    EXPECT_EQ(copy->m_props.LineWidth, SizeValueToCode(1.0));   // No dropped the 4
    EXPECT_EQ(copy->Category, "Main");
    EXPECT_EQ(copy->Description, "");
    EXPECT_EQ(copy->HasButton, 1);
    EXPECT_EQ(copy->InMenu, 1);
    EXPECT_EQ(copy->AutoLabel, 0);
    EXPECT_EQ(copy->AutoLabelText, "");
    EXPECT_EQ(copy->FragmentCreation, 0);
    EXPECT_EQ(copy->FragmentAngle, 0);
}

// The General page of the styles sheet edits the style's own fields (the
// based-on choice belongs to the properties sheet); an empty category is
// "(no category)" and is stored back empty; the hidden junction-dots box
// keeps the style's dots bit as it was.
TEST_F(ConStylesSheet, TheGeneralPageEditsTheStylesOwnFields)
{
    CConStyle* alpha = lib().GetAt(0);
    alpha->m_props.Behavior.low |= kConDots;
    const FigFlagSet flags = alpha->m_props.Behavior;
    RunSheet(0, [&](CCSTabSheet& sheet) {
        sheet.GetTabControl()->setCurrentIndex(0);
        QWidget* page = sheet.GetActivePage();
        for (int id : {1304, CCTabGeneral::kDescription, 1285, CCTabGeneral::kCategory, CCTabGeneral::kStyleBar,
                       CCTabGeneral::kInDropMenu})
            EXPECT_TRUE(GetDlgItem(page, id)->isVisible()) << id;
        for (int id : {1319, CCTabGeneral::kBasedOn, CCTabGeneral::kStylesPicker})
            EXPECT_FALSE(GetDlgItem(page, id)->isVisible()) << id;
        auto* category = qobject_cast<QComboBox*>(GetDlgItem(page, CCTabGeneral::kCategory));
        EXPECT_EQ(category->currentText(), "(no category)");
        QWidget* description = GetDlgItem(page, CCTabGeneral::kDescription);
        ASSERT_NE(description, nullptr);
        description->setFocus();
        QTest::keyClicks(description, "thin line");
        for (int id : {CCTabGeneral::kStyleBar, CCTabGeneral::kInDropMenu})
            qobject_cast<QAbstractButton*>(GetDlgItem(page, id))->click();
        EXPECT_TRUE(sheet.Button(IDOK)->isEnabled());
        sheet.Button(IDOK)->click();
        sheet.Button(IDCANCEL)->click();
    });
    EXPECT_EQ(alpha->Description, "thin line");
    EXPECT_EQ(alpha->Category, "");
    EXPECT_EQ(alpha->HasButton, 1);
    EXPECT_EQ(alpha->InMenu, 1);
    EXPECT_EQ(alpha->m_props.Behavior.low, flags.low);
    EXPECT_EQ(alpha->m_props.Behavior.high, flags.high);
}

// A category typed in and applied joins the drop list (16 lines high) and
// stays shown in the box.
TEST_F(ConStylesSheet, AnAppliedCategoryStaysShownAndJoinsTheList)
{
    lib().GetAt(1)->Category = "Main";
    RunSheet(0, [&](CCSTabSheet& sheet) {
        sheet.GetTabControl()->setCurrentIndex(0);
        auto* category = qobject_cast<QComboBox*>(GetDlgItem(sheet.GetActivePage(), CCTabGeneral::kCategory));
        ASSERT_NE(category, nullptr);
        EXPECT_EQ(category->maxVisibleItems(), 16);
        category->setFocus();
        category->lineEdit()->selectAll();
        QTest::keyClicks(category->lineEdit(), "Flows");
        sheet.Button(IDOK)->click();
        EXPECT_EQ(category->currentText(), "Flows");
        EXPECT_GE(category->findText("Flows"), 0);
        EXPECT_EQ(category->itemText(category->count() - 1), "(no category)");
        sheet.Button(IDCANCEL)->click();
    });
    EXPECT_EQ(lib().GetAt(0)->Category, "Flows");
}

// A diagram without connector styles starts with New; cancelling its name
// closes the sheet.
TEST_F(ConStylesSheet, NoStylesStartsWithNew)
{
    lib().RemoveAll();
    con->m_nStyle = -1;
    bool asked = false, sheetShown = false;
    WhenModalShows<CConStyleNameDlg>([&](CConStyleNameDlg& dlg) {
        asked = true;
        EXPECT_EQ(qobject_cast<QLineEdit*>(GetDlgItem(&dlg, 1050))->text(), "Connector Style 1");
        dlg.reject();
        // Whatever shows next is the sheet, which should not.
        QTimer::singleShot(0, [&] {
            if (auto* sheet = qobject_cast<CCSTabSheet*>(QApplication::activeModalWidget())) {
                sheetShown = true;
                sheet->EndDialog(IDCANCEL);
            }
        });
    });
    OnEditConStyles(fx.doc, nullptr, -1);
    QApplication::processEvents();   // the check above has run
    EXPECT_TRUE(asked);
    EXPECT_FALSE(sheetShown);
    EXPECT_EQ(lib().GetCount(), 0);
}

// "<All>" asks with its own question before another style shows.
TEST_F(ConStylesSheet, AllAsksItsOwnQuestion)
{
    prompt.QueueAnswer(IDNO);
    RunSheet(0, [&](CCSTabSheet& sheet) {
        ClickStyle(sheet, "<All>");
        TypeWidth(sheet, "7", true);
        ClickStyle(sheet, "Beta");
        EXPECT_EQ(SelectedStyle(sheet), "Beta");
    });
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, "Would you like to apply your changes to <All> first?");
    EXPECT_EQ(lib().GetAt(0)->m_props.LineWidth, SizeValueToCode(1.0));
}

// A new category is refused once the list is full: the General page shows
// and the style keeps its category.
TEST_F(ConStylesSheet, ANewCategoryIsRefusedWhenTheListIsFull)
{
    for (int i = 1; i < 16; ++i) {
        ConStyleValues v;
        v.name = "S" + std::to_string(i);
        v.category = "C" + std::to_string(i);
        ASSERT_TRUE(AddConStyle(fx.doc, v));
    }
    for (const auto& [typed, kept] : {std::pair{"Fresh", ""}, {"C3", "C3"}}) {
        SCOPED_TRACE(typed);
        prompt.shown.clear();
        RunSheet(0, [&](CCSTabSheet& sheet) {
            sheet.GetTabControl()->setCurrentIndex(0);
            auto* category = qobject_cast<QComboBox*>(GetDlgItem(sheet.GetActivePage(), CCTabGeneral::kCategory));
            category->setFocus();
            category->lineEdit()->selectAll();
            QTest::keyClicks(category->lineEdit(), typed);
            TypeWidth(sheet, "3", true);
            sheet.Button(IDOK)->click();
            EXPECT_EQ(sheet.GetActiveIndex(), std::string(kept).empty() ? 0 : 1);
        });
        EXPECT_EQ(lib().GetAt(0)->Category, kept);
        if (std::string(kept).empty()) {
            ASSERT_FALSE(prompt.shown.empty());
            EXPECT_EQ(prompt.shown[0].text, "Cannot add new category.  Maximum number reached.");
        }
    }
}

// The style-bar box shows whether the bar's connector row has the style.
TEST_F(ConStylesSheet, TheStyleBarBoxFollowsTheBarsRow)
{
    CStyleMenuLayout& row = fx.doc.m_conButtons;
    row.Clear();
    row.PresetConnectorButtons();
    ASSERT_TRUE(row.AppendName("Beta"));
    lib().GetAt(0)->HasButton = 1;
    lib().GetAt(1)->HasButton = 0;
    RunSheet(0, [&](CCSTabSheet& sheet) {
        sheet.GetTabControl()->setCurrentIndex(0);
        for (const auto& [name, on] : {std::pair{"Alpha", false}, {"Beta", true}}) {
            ClickStyle(sheet, name);
            auto* box = qobject_cast<QCheckBox*>(GetDlgItem(sheet.GetActivePage(), CCTabGeneral::kStyleBar));
            EXPECT_EQ(box->isChecked(), on) << name;
        }
    });
}

TEST(ConStyleNames, ProposalsFitThirtyCharactersKeepTheNumberAndAreFree)
{
    DiagramFixture fx;
    CConStylesLibrary& lib = fx.doc.m_conStyles;
    lib.RemoveAll();
    for (const char* name : {"Flow 1", "Flow 2", "A connector style, long name 9", "A connector style, long nam 10"}) {
        ConStyleValues v;
        v.name = name;
        ASSERT_TRUE(AddConStyle(fx.doc, v));
    }
    const struct {
        const char* start;
        const char* proposed;
    } cases[] = {
        {"Flow 1", "Flow 3"},
        {"Other", "Other"},
        {"A connector style, long name 9", "A connector style, long nam 11"},
        {"A connector style for flows and more 7", "A connector style for flows 7"},
        {"123456789012345678901234567890123", "456789012345678901234567890123"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.start);
        const std::string name = ProposeConStyleName(c.start, lib);
        EXPECT_EQ(name, c.proposed);
        EXPECT_LE(name.size(), 30u);
    }
}

} // namespace
