// The overwrite question as the user answers it: its two lines, each button's
// effect on this clash and on the rest of the load, and Escape keeping the
// entry without answering for the others.
#include "controls/ui/CommandRecorder.h"
#include "dialogs/UpdateQueryDlg.h"
#include "keyword/COverwriteQuestion.h"
#include "platform/Prompt.h"
#include "platform/ui/DlgItems.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLabel>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
struct Shown {
    std::string line1, line2;
};

// Answers the next question with a click on `id` (0: Escape), noting its lines.
void AnswerNext(int id, std::vector<Shown>& shown)
{
    QTimer::singleShot(0, [id, &shown] {
        auto* dlg = qobject_cast<UpdateQueryDlg*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        shown.push_back({GetDlgItemText(dlg, UpdateQueryDlg::kFirstLineId),
                         GetDlgItemText(dlg, UpdateQueryDlg::kSecondLineId)});
        if (shown.size() == 1)
            SaveShot(dlg, "UpdateQueryDlg");
        if (id == 0)
            QTest::keyClick(dlg, Qt::Key_Escape);
        else
            QTest::mouseClick(static_cast<QAbstractButton*>(GetDlgItem(dlg, id)), Qt::LeftButton);
        if (QApplication::activeModalWidget() == dlg)
            dlg->reject();   // never hang the test
    });
}

class UpdateQueryDlgTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_old = g_pfnKwUpdateDlg;
        InstallUpdateQueryDialog();
    }
    void TearDown() override { g_pfnKwUpdateDlg = m_old; }

private:
    int (*m_old)(const std::string&, const std::string&) = nullptr;
};
} // namespace

TEST_F(UpdateQueryDlgTest, EachButtonAnswersThisClashAndAllAndNoneTheRest)
{
    const struct Case {
        int button;
        bool overwritten;
        int standing;
        bool nextAsked;   // the next clash of the same load shows the question
        bool nextOverwritten;
    } cases[] = {
        {IDYES, true, COverwriteQuestion::STANDING_ASK, true, true},
        {IDNO, false, COverwriteQuestion::STANDING_ASK, true, true},
        {UpdateQueryDlg::kAllId, true, COverwriteQuestion::STANDING_OVERWRITE_ALL, false, true},
        {UpdateQueryDlg::kNoneId, false, COverwriteQuestion::STANDING_KEEP_ALL, false, false},
        {0, false, COverwriteQuestion::STANDING_ASK, true, true},   // Escape: kept, still asking
    };
    for (const Case& c : cases) {
        std::vector<Shown> shown;
        COverwriteQuestion load;
        AnswerNext(c.button, shown);
        EXPECT_EQ(load.ShouldOverwrite("figure style", "Process"), c.overwritten) << c.button;
        EXPECT_EQ(load.GetStanding(), c.standing) << c.button;
        if (c.nextAsked)
            AnswerNext(IDYES, shown);
        EXPECT_EQ(load.ShouldOverwrite("end symbol", "Dart"), c.nextOverwritten) << c.button;
        ASSERT_EQ(shown.size(), c.nextAsked ? 2u : 1u) << c.button;
        EXPECT_EQ(shown[0].line1, "Overwrite figure style");
        EXPECT_EQ(shown[0].line2, "'Process' ?");
        if (c.nextAsked) {
            EXPECT_EQ(shown[1].line1, "Overwrite end symbol");
        }
    }
}
