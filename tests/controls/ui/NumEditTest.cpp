// The numeric field on a real dialog: typed texts committed with Enter, the
// range messages, spin clicks, focus loss, unset fields and the notices the
// dialog receives.
#include "common/TestSupport.h"
#include "controls/CDataExchange.h"
#include "controls/CDlgCommandEvent.h"
#include "controls/CNumEdit.h"
#include "platform/ui/DlgItems.h"

#include <QDialog>
#include <QDir>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
class CCommandRecorder : public QObject {
public:
    std::vector<int> codes;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == CDlgCommandEvent::EventType())
            codes.push_back(static_cast<CDlgCommandEvent*>(e)->Code());
        return false;
    }
};

struct NumEditTest : testing::Test {
    QDialog dlg;
    CNumEdit* field = new CNumEdit(&dlg);
    QLineEdit* other = new QLineEdit(&dlg);
    CCommandRecorder recorder;
    CRecordingPrompt prompt;

    NumEditTest()
    {
        SetDlgCtrlID(field, 1200);
        field->setGeometry(10, 10, 120, 24);
        other->setGeometry(10, 40, 120, 24);
        dlg.installEventFilter(&recorder);
        dlg.resize(200, 80);
        dlg.show();
        dlg.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dlg));
    }
    void TypeAndEnter(const char* text)
    {
        field->setFocus();
        field->selectAll();
        QTest::keyClicks(field, text);
        QTest::keyClick(field, Qt::Key_Return);
    }
};
} // namespace

TEST_F(NumEditTest, TypedTextsAreStoredOrRefusedWithTheFieldsMessage)
{
    struct Case {
        const char* typed;
        int kind;
        const char* shownAfter;   // the field's text after Enter
        const char* message;      // "" when accepted
    };
    const Case cases[] = {
        {"250", NUM_PERCENT, "250%", ""},
        {"250%", NUM_PERCENT, "250%", ""},
        {"5%", NUM_PERCENT, "5%", "Enter a valid percentage between 10% and 400%"},
        {"x", NUM_PERCENT, "x", "Enter a valid percentage between 10% and 400%"},
        {"99999999999", NUM_PERCENT, "99999999999", "Enter a valid percentage between 10% and 400%"},
        {"1/2", NUM_MEASURE, ".5 in", ""},
        {"1 1/2 in", NUM_MEASURE, "1.5 in", ""},
        {"1/0", NUM_MEASURE, "1/0", "Enter a grid spacing between .25 and 10"},
        {"11", NUM_MEASURE, "11", "Enter a grid spacing between .25 and 10"},
    };
    for (const Case& c : cases) {
        int percent = 100;
        double measure = 256;
        CNumEditSpec spec;
        if (c.kind == NUM_PERCENT)
            spec.SetPercent(&dlg, 10, 400, &percent);
        else
            spec.SetMeasure(&dlg, 64, 2560, &measure, false, true, 2, 484);
        field->Configure(&spec);
        field->Load();
        prompt.shown.clear();
        recorder.codes.clear();
        TypeAndEnter(c.typed);
        EXPECT_EQ(field->text().toStdString(), c.shownAfter) << c.typed;
        if (*c.message) {
            ASSERT_EQ(prompt.shown.size(), 1u) << c.typed;
            EXPECT_EQ(prompt.shown[0].text, c.message);
            EXPECT_EQ(field->selectedText(), field->text()) << "the whole text is selected";
            EXPECT_EQ(percent, 100);
            EXPECT_EQ(measure, 256);
        } else {
            EXPECT_TRUE(prompt.shown.empty()) << c.typed;
            EXPECT_EQ(recorder.codes.back(), kNumEditCommitted);
        }
        EXPECT_EQ(recorder.codes.front(), kNumEditChanged) << "each typed change is told";
    }
}

TEST_F(NumEditTest, EnterAndEscReachTheDialogOnlyWhileTheFieldIsClean)
{
    int value = 5;
    CNumEditSpec spec;
    spec.SetInt(&dlg, 1, 9, &value);
    field->Configure(&spec);
    field->Load();
    auto* ok = new QPushButton("OK", &dlg);
    ok->setDefault(true);
    ok->show(); // made after the dialog was shown
    QObject::connect(ok, &QPushButton::clicked, &dlg, &QDialog::accept);
    struct Case {
        const char* typed;   // "" leaves the field clean
        Qt::Key key;
        int result;          // the dialog's result; -1 while it stays open
        int value;
    };
    for (const Case& c : {Case{"", Qt::Key_Return, QDialog::Accepted, 5}, Case{"", Qt::Key_Escape, QDialog::Rejected, 5},
                          Case{"7", Qt::Key_Escape, -1, 5}, Case{"7", Qt::Key_Return, -1, 7}}) {
        value = 5;
        field->Load();
        dlg.setResult(-1);
        dlg.show();
        field->setFocus();
        if (*c.typed) {
            field->selectAll();
            QTest::keyClicks(field, c.typed);
        }
        QTest::keyClick(field, c.key);
        EXPECT_EQ(dlg.result(), c.result) << c.typed << " " << c.key;
        EXPECT_EQ(dlg.isVisible(), c.result == -1) << c.typed << " " << c.key;
        EXPECT_EQ(value, c.value) << c.typed << " " << c.key;
    }
}

TEST_F(NumEditTest, SpinClicksStepToTheNextMultiple)
{
    int value = 7;
    CNumEditSpec spec;
    spec.SetInt(&dlg, 0, 12, &value, 0, true, 5);
    field->Configure(&spec);
    field->Load();
    auto* up = field->findChild<QToolButton*>("spinUp");
    ASSERT_NE(up, nullptr);
    EXPECT_TRUE(up->isVisible());
    QTest::mouseClick(up, Qt::LeftButton);
    EXPECT_EQ(value, 10);
    EXPECT_EQ(field->text(), "10");
    QTest::mouseClick(up, Qt::LeftButton);
    QTest::mouseClick(up, Qt::LeftButton); // at the limit: no change
    EXPECT_EQ(value, 12);
    EXPECT_EQ(recorder.codes, (std::vector<int>{kNumEditCommitted, kNumEditCommitted, kNumEditCommitted}));
    QTest::mouseClick(field->findChild<QToolButton*>("spinDown"), Qt::LeftButton);
    EXPECT_EQ(value, 10);
    const QString folder = qEnvironmentVariable("KAVO_SHOTS");
    if (!folder.isEmpty())
        dlg.grab().save(QDir(folder).filePath("numedit_spin.png"));
}

TEST_F(NumEditTest, FocusLossKeepsARefusedTextAndUnsetFieldsStayEmpty)
{
    int value = 5, set = 1;
    CNumEditSpec spec;
    spec.SetInt(&dlg, 1, 9, &value);
    spec.BindResult(&set, true);
    EXPECT_EQ(set, 0);
    field->Configure(&spec);
    field->Load();
    EXPECT_EQ(field->text(), ""); // a field of a multiple selection
    field->setFocus();
    QTest::keyClicks(field, "12");
    EXPECT_EQ(set, 1);
    recorder.codes.clear();
    other->setFocus();
    EXPECT_EQ(field->text(), "12"); // refused silently, kept as typed
    EXPECT_EQ(value, 5);
    EXPECT_TRUE(prompt.shown.empty());
    EXPECT_TRUE(recorder.codes.empty());
    field->setFocus();
    field->selectAll();
    QTest::keyClicks(field, "8");
    other->setFocus();
    EXPECT_EQ(value, 8);
    EXPECT_EQ(recorder.codes.back(), kNumEditCommitted);
    // Emptied again: unset, and the exchange succeeds.
    field->setFocus();
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    CDataExchange dx{true, &dlg};
    EXPECT_TRUE(DDX_NumEdit(dx, 1200));
    EXPECT_EQ(set, 0);
    EXPECT_EQ(value, 8);
}
