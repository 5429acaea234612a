// The style-choice dialogs driven with real mouse events: which styles each
// lists for a category, the check column toggling a style's menu and
// style-bar flags (kept back until OK or a category change, dropped on
// Cancel), a double click choosing a style, and the Edit button handing its
// command to the active view.
#include "common/StyleDocFixture.h"
#include "controls/CStylePickList.h"
#include "dialogs/CChooseStyleDlg.h"
#include "editing/ui/CKavoView.h"
#include "editing/ui/TextEntrySeams.h"
#include "platform/Ansi.h"
#include "platform/Prompt.h"
#include "platform/ui/DlgItems.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

void Shot(QWidget* w, const char* name)
{
    const QString folder = qEnvironmentVariable("KAVO_SHOTS");
    if (!folder.isEmpty())
        w->grab().save(QDir(folder).filePath(QString::fromLatin1(name) + ".png"));
}

// Runs the dialog, doing `act` once it is up; a dialog that `act` left open
// is cancelled so that no test hangs.
int RunDialog(CChooseStyleDlg& dlg, std::function<void(CChooseStyleDlg&)> act)
{
    QTimer::singleShot(0, [&dlg, act] {
        act(dlg);
        if (dlg.isVisible())
            dlg.reject();
    });
    return dlg.DoModal();
}

std::vector<std::string> ListedNames(CStylePickList& list, CKavoDoc& doc)
{
    std::vector<std::string> names;
    for (int i = 0; i < list.GetCount(); ++i) {
        const int s = list.Item(i)->style;
        names.push_back(list.Kind() == StylePickKind::Connector ? doc.m_conStyles.GetAt(s)->m_strName
                                                                : doc.m_figStyles.GetAt(s)->m_strName);
    }
    return names;
}

std::vector<std::string> ComboTexts(QComboBox* combo)
{
    std::vector<std::string> texts;
    for (int i = 0; i < combo->count(); ++i)
        texts.push_back(QStringToAnsi(combo->itemText(i)));
    return texts;
}

QPoint CheckBox(CStylePickList& list, int row, bool lower)
{
    return QPoint(list.SampleWidth() + list.TextWidth() + 6, list.RowRect(row).top() + (lower ? 20 : 7));
}

// A double click as the window system delivers it: press, release, press,
// double click, release.
void DoubleClick(CStylePickList& list, const QPoint& pos)
{
    QWindow* window = list.window()->windowHandle();
    const QPoint at = list.viewport()->mapTo(list.window(), pos);
    QTest::mouseClick(window, Qt::LeftButton, {}, at);
    QTest::mouseDClick(window, Qt::LeftButton, {}, at);
}

QPoint TextOf(CStylePickList& list, int row)
{
    return QPoint(list.SampleWidth() + 10, list.RowRect(row).center().y());
}

struct ChooseStyleDlgTest : testing::Test {
    StyleDocFixture fx;
};

} // namespace

TEST_F(ChooseStyleDlgTest, ListsTheStylesOfTheCategory)
{
    using Names = std::vector<std::string>;
    const struct Case {
        StylePickKind kind;
        const char* category;
        Names listed;
    } cases[] = {
        {StylePickKind::Figure, "Network", {"Router", "Switch"}},
        {StylePickKind::Figure, "<All>", {"Router", "Switch", "Process", "Decision", "Plain box"}},
        {StylePickKind::Figure, "", {"Plain box"}},               // no category: the styles without one
        {StylePickKind::Figure, "(no category)", {"Plain box"}},
        {StylePickKind::Figure, "Gone", {"Router", "Switch", "Process", "Decision", "Plain box"}},
        {StylePickKind::Label, "Network", {"null", "Label", "Note"}},   // labels ignore categories
        {StylePickKind::Connector, "<Styles without a category>", {"Solid Arrow"}},
        {StylePickKind::Connector, "<All>", {"Ethernet", "Solid Arrow"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.category);
        CChooseStyleDlg dlg(c.kind, -1, 40, 40, c.category);
        dlg.SetDocument(&fx.doc);
        RunDialog(dlg, [&](CChooseStyleDlg& d) {
            EXPECT_EQ(ListedNames(*d.List(), fx.doc), c.listed);
            EXPECT_EQ(d.CategoryCombo()->isVisible(), c.kind != StylePickKind::Label);
            EXPECT_EQ(GetDlgItem(&d, CChooseStyleDlg::kCategoryLabelId)->isVisible(), c.kind != StylePickKind::Label);
        });
    }
}

TEST_F(ChooseStyleDlgTest, TheComboHoldsTheCategoriesThenAllAndNone)
{
    CChooseStyleDlg dlg(StylePickKind::Figure, fx.Fig("Switch"), 40, 40, "Network");
    dlg.SetDocument(&fx.doc);
    RunDialog(dlg, [&](CChooseStyleDlg& d) {
        EXPECT_EQ(ComboTexts(d.CategoryCombo()),
                  (std::vector<std::string>{"Flow", "Network", "<All>", "<Styles without a category>"}));
        EXPECT_EQ(d.CategoryCombo()->currentText(), "Network");
        EXPECT_EQ(d.CategoryCombo()->maxVisibleItems(), 16);
        EXPECT_EQ(d.windowTitle(), "Choose a Figure Style");
        EXPECT_EQ(d.List()->Item(d.List()->GetCurSel())->style, fx.Fig("Switch"));
        Shot(&d, "choose_figure_style");
    });
}

TEST_F(ChooseStyleDlgTest, ChecksWaitForOkAndCancelDropsThem)
{
    const int router = fx.Fig("Router");
    for (int button : {IDCANCEL, IDOK}) {
        CChooseStyleDlg dlg(StylePickKind::Figure, router, 40, 40, "Network");
        dlg.SetDocument(&fx.doc);
        const int result = RunDialog(dlg, [&](CChooseStyleDlg& d) {
            CStylePickList& list = *d.List();
            // Router is on row 0 and selected; a press on Switch's boxes does not select it.
            QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, CheckBox(list, 0, false));   // menu off
            QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, CheckBox(list, 1, true));    // bar off
            EXPECT_EQ(list.GetCurSel(), 0);
            EXPECT_EQ(StyleCheckBitmapId(list.Item(0)->inMenu, list.Item(0)->onBar), 362);
            EXPECT_EQ(StyleCheckBitmapId(list.Item(1)->inMenu, list.Item(1)->onBar), 361);
            // Nothing reaches the library before OK.
            EXPECT_EQ(fx.doc.m_figStyles.GetAt(router)->InMenu, 1);
            Shot(&d, button == IDOK ? "choose_style_checks" : "choose_style_checks_cancel");
            static_cast<QAbstractButton*>(GetDlgItem(&d, button))->click();
        });
        EXPECT_EQ(result, button);
        const bool applied = button == IDOK;
        EXPECT_EQ(fx.doc.m_figStyles.GetAt(router)->InMenu, applied ? 0 : 1);
        EXPECT_EQ(fx.doc.m_figStyles.GetAt(fx.Fig("Switch"))->HasButton, applied ? 0 : 1);
        EXPECT_EQ(fx.doc.m_figMenu.HasStyle("Router"), !applied);
        EXPECT_EQ(fx.doc.m_figButtons.FindName("Switch") >= 0, !applied);
        EXPECT_EQ(dlg.m_bChanged, applied ? 1 : 0);
        EXPECT_EQ(dlg.m_bBarChanged, applied ? 1 : 0);
        EXPECT_EQ(fx.doc.IsModified(), applied);
    }
}

TEST_F(ChooseStyleDlgTest, ACategoryChangeAppliesTheChecks)
{
    const int plain = fx.Fig("Plain box");
    ASSERT_EQ(fx.doc.m_figButtons.FindName("Plain box"), -1);
    CChooseStyleDlg dlg(StylePickKind::Figure, plain, 40, 40, "");
    dlg.SetDocument(&fx.doc);
    RunDialog(dlg, [&](CChooseStyleDlg& d) {
        CStylePickList& list = *d.List();
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, CheckBox(list, 0, true));   // bar on
        d.CategoryCombo()->setCurrentText("<All>");
        EXPECT_EQ(fx.doc.m_figStyles.GetAt(plain)->HasButton, 1);
        EXPECT_GE(fx.doc.m_figButtons.FindName("Plain box"), 0);
        EXPECT_EQ(list.GetCount(), 5);
        EXPECT_EQ(list.Item(list.GetCurSel())->style, plain);   // still chosen
    });   // then cancelled: what was applied stays
    EXPECT_EQ(dlg.m_bBarChanged, 1);
    EXPECT_EQ(fx.doc.m_figStyles.GetAt(plain)->HasButton, 1);
}

TEST_F(ChooseStyleDlgTest, DoubleClicks)
{
    const int note = fx.Fig("Note");
    CChooseLblStyleDlg dlg(-1, 40, 40, "");
    dlg.SetDocument(&fx.doc);
    const int result = RunDialog(dlg, [&](CChooseStyleDlg& d) {
        CStylePickList& list = *d.List();
        const int row = list.FindStyle(note);
        // On a box: two toggles, back to where it was, and no choice.
        DoubleClick(list, CheckBox(list, row, false));
        EXPECT_EQ(list.Item(row)->inMenu, 1);
        EXPECT_TRUE(d.isVisible());
        Shot(&d, "choose_label_style");
        // On the sample: chosen when the button comes up.
        DoubleClick(list, TextOf(list, row));
        EXPECT_FALSE(d.isVisible());
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.m_nSelected, note);
    EXPECT_EQ(dlg.windowTitle(), "Choose a Label Style");
}

TEST_F(ChooseStyleDlgTest, RowsAreHitWhereTheyAreDrawnWhenScrolled)
{
    for (int i = 0; i < 30; ++i)
        fx.AddFig("Extra " + std::to_string(i), "Network", "", 0);
    CChooseFigStyleDlg dlg(-1, 40, 40, "Network");
    dlg.SetDocument(&fx.doc);
    ChooseStyleMemory memory;
    RunDialog(dlg, [&](CChooseStyleDlg& d) {
        CStylePickList& list = *d.List();
        ASSERT_GT(list.VisibleRows(), 0);
        EXPECT_EQ(list.viewport()->height() % list.ItemHeight(), 0);
        list.SetTopIndex(10);
        for (int visible = 0; visible < list.VisibleRows(); ++visible) {
            const QRect rc = list.RowRect(10 + visible);
            EXPECT_EQ(list.RowAt(rc.top()), 10 + visible);
            EXPECT_EQ(list.RowAt(rc.bottom()), 10 + visible);
        }
        QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, TextOf(list, 12));
        static_cast<QAbstractButton*>(GetDlgItem(&d, IDOK))->click();
    });
    EXPECT_EQ(dlg.m_nSelected, fx.Fig("Extra 10"));
    // The top row comes back for the same list only.
    for (const char* category : {"Network", "Flow"}) {
        CChooseFigStyleDlg again(-1, 40, 40, category);
        again.SetDocument(&fx.doc);
        again.m_memory = dlg.m_memory;
        RunDialog(again, [&](CChooseStyleDlg& d) {
            EXPECT_EQ(d.List()->GetTopIndex(), std::string(category) == "Network" ? 10 : 0);
        });
    }
}

TEST_F(ChooseStyleDlgTest, EditHandsItsCommandToTheActiveViewAndEndsAsOk)
{
    std::vector<int> sent;
    GetTextEntrySeams().sendCommand = [&](int id) { sent.push_back(id); };
    CKavoView view(&fx.doc);
    static CKavoView* active = nullptr;
    active = &view;
    SetActiveKavoViewFinder([] { return active; });
    const int ethernet = fx.Con("Ethernet");
    CChooseConStyleDlg dlg(ethernet, 40, 40, "Network");
    dlg.SetDocument(&fx.doc);
    const int result = RunDialog(dlg, [&](CChooseStyleDlg& d) {
        EXPECT_EQ(d.windowTitle(), "Choose a Connector Style");
        static_cast<QAbstractButton*>(GetDlgItem(&d, CChooseStyleDlg::kEditButtonId))->click();
    });
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(dlg.m_nSelected, ethernet);
    EXPECT_TRUE(sent.empty());   // posted, not sent while the dialog ends
    QApplication::processEvents();
    EXPECT_EQ(sent, (std::vector<int>{33065}));
    SetActiveKavoViewFinder(nullptr);
    GetTextEntrySeams().sendCommand = nullptr;
}
