// The numeric combo box on a real dialog: its edit part is a numeric field
// that speaks for the box, Enter reaches the box's Enter operation before the
// field commits, and only a choice from the list is a selection.
#include "common/TestSupport.h"
#include "controls/CDlgCommandEvent.h"
#include "controls/CNumCombo.h"
#include "controls/CNumEdit.h"
#include "platform/ui/DlgItems.h"

#include <QAbstractItemView>
#include <QDialog>
#include <QTest>
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {
// Records each control notice the dialog receives as (control id, code).
class CCommandRecorder : public QObject {
public:
    std::vector<std::pair<int, int>> notices;
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == CDlgCommandEvent::EventType()) {
            const auto* command = static_cast<CDlgCommandEvent*>(e);
            notices.emplace_back(command->ControlId(), command->Code());
        }
        return false;
    }
};

// Writes down what reached each operation, with the bound value at the time.
class CRecordingCombo : public CNumCombo {
public:
    using CNumCombo::CNumCombo;
    int* bound = nullptr;
    std::vector<std::string> calls;
    void OnEnter() override { calls.push_back("enter " + std::to_string(bound ? *bound : 0)); }
    void OnSelect(int index) override { calls.push_back("select " + std::to_string(index)); }
};

struct NumComboTest : testing::Test {
    QDialog dlg;
    CRecordingCombo* combo = new CRecordingCombo(&dlg);
    CCommandRecorder recorder;
    int size = 10;

    NumComboTest()
    {
        combo->bound = &size;
        combo->addItems({"8", "10", "12", "24"});
        combo->setGeometry(10, 10, 80, 24);
        dlg.installEventFilter(&recorder);
        dlg.resize(200, 60);
        dlg.show();
        dlg.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&dlg));
    }
};
} // namespace

TEST_F(NumComboTest, EnterReachesTheBoxBeforeTheFieldCommits)
{
    ASSERT_EQ(combo->lineEdit(), combo->Edit());
    EXPECT_EQ(GetDlgCtrlID(combo->Edit()), IDC_COMBO_EDIT);
    CNumEditSpec spec;
    spec.SetInt(&dlg, 4, 128, &size);
    combo->Edit()->Configure(&spec);
    combo->Edit()->setFocus();
    combo->Edit()->selectAll();
    QTest::keyClicks(combo->Edit(), "36");
    ASSERT_FALSE(recorder.notices.empty());
    // The edit part's notices go to the box's parent, under the part's id.
    EXPECT_EQ(recorder.notices.front(), std::make_pair(IDC_COMBO_EDIT, kNumEditChanged));
    recorder.notices.clear();
    QTest::keyClick(combo->Edit(), Qt::Key_Return);
    EXPECT_EQ(combo->calls, std::vector<std::string>{"enter 10"}) << "the box acts before the value is stored";
    EXPECT_EQ(size, 36);
    ASSERT_EQ(recorder.notices.size(), 1u);
    EXPECT_EQ(recorder.notices[0], std::make_pair(IDC_COMBO_EDIT, kNumEditCommitted));
    EXPECT_EQ(combo->count(), 4) << "a typed value is not added to the list";
}

TEST_F(NumComboTest, OnlyAChoiceFromTheListIsASelection)
{
    combo->Edit()->setFocus();
    QTest::keyClick(combo->Edit(), Qt::Key_Return);
    ASSERT_EQ(combo->calls, std::vector<std::string>{"enter 10"});
    combo->calls.clear();
    combo->showPopup();
    QAbstractItemView* list = combo->view();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list->window()));
    list->setCurrentIndex(list->model()->index(3, 0));
    QTest::keyClick(list, Qt::Key_Return);
    EXPECT_EQ(combo->calls, std::vector<std::string>{"select 3"});
    EXPECT_EQ(combo->currentText(), "24");
}
