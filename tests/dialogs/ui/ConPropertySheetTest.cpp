// The connector properties sheet driven through its widgets: a value changed
// on each page reaches the selected connectors, all Applies of one sheet are
// one undo step back to the saved text, Cancel writes nothing, values that
// differ among the selected connectors stay as they are unless changed, and
// a refused value keeps the sheet open on its page.
#include "common/DiagramFixture.h"
#include "common/TestSupport.h"
#include "controls/CCheckListCtrl.h"
#include "controls/ui/CommandRecorder.h"
#include "core/Units.h"
#include "dialogs/sheets/CConPage.h"
#include "dialogs/sheets/CConSheetCommands.h"
#include "dialogs/sheets/CConTabBehaviors.h"
#include "dialogs/sheets/CConTabEnds.h"
#include "dialogs/sheets/CConTabGeneral.h"
#include "dialogs/sheets/CConTabLine.h"
#include "dialogs/sheets/CConTabSheet.h"
#include "editing/ui/ViewEvents.h"
#include "platform/ui/DlgItems.h"

#include <QAbstractButton>
#include <QPushButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

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
        apply->click();
        EXPECT_FALSE(apply->isEnabled());

        Show(sheet, 1);
        Type(GetDlgItem(sheet.GetActivePage(), CCTabLine::kWidth), "4");
        Shot(sheet, "con_props_line");
        apply->click();

        Show(sheet, 2);
        auto* end2 = qobject_cast<QComboBox*>(GetDlgItem(sheet.GetActivePage(), CCTabEnds::kEnd2));
        end2->setFocus();
        QTest::keyClick(end2, Qt::Key_Down);
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

} // namespace
