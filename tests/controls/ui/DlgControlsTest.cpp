#include "core/Settings.h"
#include "core/Units.h"
#include "controls/CDlgCommandEvent.h"
#include "controls/DlgControls.h"

#include "common/TestSupport.h"
#include "platform/ui/DlgItems.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <gtest/gtest.h>

namespace {
// Records the field commands a dialog receives.
class CCommandRecorder : public QObject {
public:
    std::vector<DWORD> commands;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == CDlgCommandEvent::EventType())
            commands.push_back(static_cast<CDlgCommandEvent*>(e)->WParam());
        return false;
    }
};

class DlgControls : public testing::Test {
protected:
    DlgControls()
    {
        edit = new QLineEdit(&dlg);
        SetDlgCtrlID(edit, 1001);
        dlg.installEventFilter(&recorder);
    }
    void PressEnter(QWidget* target, bool down)
    {
        QKeyEvent key(down ? QEvent::KeyPress : QEvent::KeyRelease, Qt::Key_Return,
                      Qt::NoModifier);
        QCoreApplication::sendEvent(target, &key);
    }
    QDialog dlg;
    QLineEdit* edit;
    CRecordingPrompt prompt;
    CCommandRecorder recorder;
    CDataExchange load{false, &dlg};
    CDataExchange save{true, &dlg};
};
} // namespace

TEST_F(DlgControls, ShowAndEnableOnlyWhileLoading)
{
    DlgItemShow(save, 1001, false);
    EXPECT_FALSE(edit->isHidden());
    DlgItemShow(load, 1001, false);
    EXPECT_TRUE(edit->isHidden());
    DlgItemEnable(save, 1001, false);
    EXPECT_TRUE(edit->isEnabled());
    DlgItemEnable(load, 1001, false);
    EXPECT_FALSE(edit->isEnabled());
    DlgItemEnable(load, 9999, false); // missing control
}

TEST_F(DlgControls, ExchangeIntLoadsSavesAndRefuses)
{
    int value = 42;
    bool valid = false;
    EXPECT_TRUE(DlgExchangeInt(load, 1001, value, 1, 432, 485, true, nullptr, &valid));
    EXPECT_EQ(edit->text(), ""); // blank while invalid
    valid = true;
    EXPECT_TRUE(DlgExchangeInt(load, 1001, value, 1, 432, 485, true, nullptr, &valid));
    EXPECT_EQ(edit->text(), "42");

    edit->setText("12abc"); // the leading number is taken
    EXPECT_TRUE(DlgExchangeInt(save, 1001, value, 1, 432, 485, false, nullptr, &valid));
    EXPECT_EQ(value, 12);
    EXPECT_EQ(edit->text(), "12");
    for (const char* bad : {"abc", "500", ""}) {
        edit->setText(bad);
        EXPECT_FALSE(DlgExchangeInt(save, 1001, value, 1, 432, 485, false, nullptr, &valid));
    }
    EXPECT_EQ(value, 12);
    ASSERT_EQ(prompt.shown.size(), 3u);
    EXPECT_EQ(prompt.shown[0].text, "Enter a valid corner radius between 1 and 432");
    EXPECT_EQ(prompt.shown[0].type, UINT(MB_ICONEXCLAMATION));

    edit->setEnabled(false); // a disabled field is not read, only invalidated
    EXPECT_TRUE(DlgExchangeInt(save, 1001, value, 1, 432, 485, false, nullptr, &valid));
    EXPECT_FALSE(valid);
    EXPECT_EQ(value, 12);

    bool dirty = false; // a clean field is not read
    edit->setEnabled(true);
    edit->setText("abc");
    EXPECT_TRUE(DlgExchangeInt(save, 1001, value, 1, 432, 485, false, &dirty, nullptr));
    EXPECT_EQ(prompt.shown.size(), 3u);
}

TEST_F(DlgControls, EnterInADirtyFieldCommitsItAndKeepsTheDialogOpen)
{
    auto* radius = new QLineEdit(&dlg);
    SetDlgCtrlID(radius, kNegateOnEnterId);
    int value = 0;
    bool dirty = false;
    DlgExchangeInt(load, kNegateOnEnterId, value, -432, 432, 0, false, &dirty, nullptr);
    dlg.show();
    dlg.activateWindow();
    radius->setFocus();
    QCoreApplication::processEvents();
    ASSERT_EQ(QApplication::focusWidget(), radius);

    radius->setText("20");
    dirty = true;
    PressEnter(radius, true);
    EXPECT_FALSE(DlgExchangeInt(save, kNegateOnEnterId, value, -432, 432, 0, false, &dirty,
                                nullptr));
    PressEnter(radius, false);
    EXPECT_EQ(value, -20);
    EXPECT_FALSE(dirty);
    QCoreApplication::processEvents();
    ASSERT_EQ(recorder.commands.size(), 1u);
    EXPECT_EQ(recorder.commands[0], MAKELONG(kNegateOnEnterId, kFieldEnterNotify));

    // Without Enter held, a dirty field is simply saved.
    radius->setText("30");
    dirty = true;
    EXPECT_TRUE(DlgExchangeInt(save, kNegateOnEnterId, value, -432, 432, 0, false, &dirty,
                               nullptr));
    EXPECT_EQ(value, 30);
    QCoreApplication::processEvents();
    EXPECT_EQ(recorder.commands.size(), 1u);
}

TEST_F(DlgControls, SizeCodeAndAsIsFields)
{
    int code = 36;
    EXPECT_TRUE(DlgExchangeSizeCode(load, 1001, code, 1, 228, 2, false, nullptr, nullptr));
    EXPECT_EQ(edit->text(), "10 pt");
    edit->setText("12");
    EXPECT_TRUE(DlgExchangeSizeCode(save, 1001, code, 1, 228, 2, false, nullptr, nullptr));
    EXPECT_EQ(code, 43);
    EXPECT_EQ(edit->text(), "12 pt");
    edit->setText("99");
    EXPECT_FALSE(DlgExchangeSizeCode(save, 1001, code, 1, 228, 2, false, nullptr, nullptr, 484));
    EXPECT_EQ(prompt.shown.back().text, "Enter a grid spacing between .25 and 64");

    int pts = 0;
    EXPECT_TRUE(DlgExchangeAsIsPoints(load, 1001, pts, 1, 72, 0, false, nullptr, nullptr));
    EXPECT_EQ(edit->text(), "<As Is>");
    edit->setText("14");
    EXPECT_TRUE(DlgExchangeAsIsPoints(save, 1001, pts, 1, 72, 0, false, nullptr, nullptr));
    EXPECT_EQ(pts, 14);
    EXPECT_EQ(edit->text(), "14 pt");
}

TEST_F(DlgControls, GridComboPresetsAndReading)
{
    auto* combo = new QComboBox(&dlg);
    combo->setEditable(true);
    SetDlgCtrlID(combo, 2143);
    int value = 20;
    bool changed = true;
    EXPECT_TRUE(DlgGridComboExchange(load, 2143, value, 8, 2560, nullptr, &changed));
    ASSERT_EQ(combo->count(), 5);
    EXPECT_EQ(combo->itemText(0), ".1 cm");
    EXPECT_EQ(combo->currentText(), ".2 cm");
    value = 33; // not a preset: the default step is selected
    DlgGridComboExchange(load, 2143, value, 8, 2560, nullptr, &changed);
    EXPECT_EQ(combo->currentText(), ".5 cm");
    combo->setEditText("1.5 cm");
    EXPECT_TRUE(DlgGridComboExchange(save, 2143, value, 8, 2560, nullptr, &changed));
    EXPECT_EQ(value, 150);
    EXPECT_TRUE(changed);
    combo->setEditText("50 cm");
    EXPECT_FALSE(DlgGridComboExchange(save, 2143, value, 8, 2560, nullptr, &changed, 484));
    EXPECT_EQ(value, 150);
    EXPECT_EQ(prompt.shown.back().text, "Enter a grid spacing between .08 and 25.6");

    Metric = FALSE;
    combo->clear();
    value = 32;
    DlgGridComboExchange(load, 2143, value, 8, 2560, nullptr, &changed);
    ASSERT_EQ(combo->count(), 6);
    EXPECT_EQ(combo->itemText(0), "1/32 in");
    EXPECT_EQ(combo->itemText(5), "1 in");
    EXPECT_EQ(combo->currentText(), "1/8 in");
    DlgGridComboExchange(save, 2143, value, 8, 2560, nullptr, &changed);
    EXPECT_EQ(value, 32);
    EXPECT_FALSE(changed);
}

TEST_F(DlgControls, SpinStepsSizeCodes)
{
    struct Case {
        const char* text;
        int spin;
        int result;
    };
    const Case cases[] = {
        {"10", 1, SizeValueToCode(11)}, {"10", -1, SizeValueToCode(9)}, {"1.5", -1, 4},
        {"0.5", 1, 3},                  {"0.75", 1, 4},                 {"1", -1, 3},
        {"0.25", -1, 1},                {"64", 1, 228},                 {"63.5", 1, 228},
        {"", 1, 2},                     {"abc", -1, 1},
    };
    for (const Case& c : cases) {
        edit->setText(c.text);
        bool empty = true;
        EXPECT_EQ(DlgStepSizeCode(&dlg, c.spin, 1001, &empty, 1, 228), c.result) << c.text;
        EXPECT_EQ(empty, *c.text == '\0') << c.text;
    }
}

TEST_F(DlgControls, FormattedTextAndRangeReads)
{
    SetDlgItemTextIfChanged(&dlg, 1001, "%d%%", 50);
    EXPECT_EQ(edit->text(), "50%");
    SetDlgItemTextIfChanged(&dlg, 1001, "%.2f", 1.5);
    EXPECT_EQ(edit->text(), "1.50");
    // A format that does not match the value's kind is refused, not run.
    SetDlgItemTextIfChanged(&dlg, 1001, "%s", 7);
    SetDlgItemTextIfChanged(&dlg, 1001, "%d %d", 7);
    EXPECT_EQ(edit->text(), "1.50");

    int v = -1;
    edit->setText(" 25 ");
    EXPECT_TRUE(GetDlgItemIntInRange(&dlg, 1001, v, 10, 100, 485, "%d"));
    EXPECT_EQ(v, 25);
    edit->setText("5");
    EXPECT_FALSE(GetDlgItemIntInRange(&dlg, 1001, v, 10, 100, 485, "%d"));
    EXPECT_EQ(v, 25);
    EXPECT_EQ(prompt.shown.back().text, "Enter a valid corner radius between 10 and 100");
    EXPECT_FALSE(GetDlgItemIntInRange(&dlg, 1001, v, 10, 100, 0, "%s"));
    EXPECT_EQ(prompt.shown.size(), 1u);
}

TEST_F(DlgControls, DialogUnitsFollowTheFont)
{
    QFont small = dlg.font();
    small.setPixelSize(10);
    dlg.setFont(small);
    int x4 = DlgUnitsToPixelsX(&dlg, 4);
    int y8 = DlgUnitsToPixelsY(&dlg, 8);
    EXPECT_GT(x4, 0);
    EXPECT_EQ(y8, QFontMetrics(small).height());
    small.setPixelSize(20);
    dlg.setFont(small);
    EXPECT_GT(DlgUnitsToPixelsX(&dlg, 4), x4);
    EXPECT_EQ(DlgUnitsToPixelsX(&dlg, 400), 100 * DlgUnitsToPixelsX(&dlg, 4));
}

TEST_F(DlgControls, TextsFittedWithTheControlsFont)
{
    QLabel label;
    QFontMetrics fm(label.font());
    const QString three = "alpha beta gamma...";
    int width = fm.horizontalAdvance(three);
    std::string text = "alpha beta gamma delta";
    FitTextToControl(text, &label, width);
    EXPECT_EQ(text, "alpha beta gamma...");
    label.resize(width, 20);
    text = "alpha beta gamma delta";
    FitTextToControl(text, &label, -1);
    EXPECT_EQ(text, "alpha beta gamma...");
    text = "alpha";
    FitTextToControl(text, nullptr, 1);
    EXPECT_EQ(text, "alpha");

    std::string first, second;
    SplitTextOverTwoControls("alpha beta gamma delta epsilon", first, second, &label, width);
    EXPECT_EQ(first, "alpha beta gamma");
    EXPECT_EQ(second, "delta epsilon");
}

TEST_F(DlgControls, PropSheetTabsShiftedAndSheetEnlarged)
{
    QWidget sheet;
    sheet.resize(300, 200);
    auto* ok = new QWidget(&sheet);
    SetDlgCtrlID(ok, 1);
    ok->move(10, 150);
    LayoutPropSheetTabs(&sheet, 5, 7);
    EXPECT_EQ(ok->pos(), QPoint(15, 157));
    EXPECT_EQ(sheet.size(), QSize(305, 207));
    LayoutPropSheetTabs(nullptr, 5, 7);
}

TEST_F(DlgControls, LongConversionsOfIntsAreRefused)
{
    edit->setText("x");
    SetDlgItemTextIfChanged(&dlg, 1001, "%ld", 7);
    EXPECT_EQ(edit->text(), "x");
    SetDlgItemTextIfChanged(&dlg, 1001, "%lf", 7.0);
    EXPECT_EQ(edit->text(), "7.000000");
    int v = 0;
    edit->setText("12");
    EXPECT_FALSE(GetDlgItemIntInRange(&dlg, 1001, v, 0, 100, 0, "%ld"));
    EXPECT_TRUE(GetDlgItemIntInRange(&dlg, 1001, v, 0, 100, 0, "%x"));
    EXPECT_EQ(v, 0x12);
}
