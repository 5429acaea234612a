#include "keyword/COverwriteQuestion.h"
#include "keyword/KeywordTable.h"

#include "common/TestSupport.h"

#include <gtest/gtest.h>

#include <deque>
#include <set>
#include <string>

namespace {
std::deque<int> g_answers;
std::vector<std::string> g_asked;
int FakeUpdateDlg(const std::string& line1, const std::string& line2)
{
    g_asked.push_back(line1 + "|" + line2);
    int a = g_answers.front();
    g_answers.pop_front();
    return a;
}
} // namespace

TEST(OverwriteQuestion, AllAndNoneStandForTheRestOfTheLoad)
{
    auto* old = g_pfnKwUpdateDlg;
    g_pfnKwUpdateDlg = FakeUpdateDlg;
    g_asked.clear();
    using Q = COverwriteQuestion;
    {
        g_answers = {Q::ANSWER_YES, Q::ANSWER_NO, Q::ANSWER_CLOSED, Q::ANSWER_ALL};
        Q q;
        EXPECT_TRUE(q.ShouldOverwrite("figure style", "Box"));
        EXPECT_FALSE(q.ShouldOverwrite("end symbol", "Arrow"));
        EXPECT_FALSE(q.ShouldOverwrite("figure symbol", "Disk"));
        EXPECT_TRUE(q.ShouldOverwrite("connector style", "Flow"));
        EXPECT_TRUE(q.ShouldOverwrite("connector style", "Other")); // not asked
        EXPECT_EQ(q.GetStanding(), Q::STANDING_OVERWRITE_ALL);
    }
    EXPECT_EQ(g_asked.size(), 4u);
    EXPECT_EQ(g_asked[0], "Overwrite figure style|'Box' ?");
    {
        g_answers = {Q::ANSWER_NONE};
        Q q;
        EXPECT_FALSE(q.ShouldOverwrite("figure style", "A"));
        EXPECT_FALSE(q.ShouldOverwrite("figure style", "B"));
        EXPECT_EQ(g_asked.size(), 5u);
    }
    g_pfnKwUpdateDlg = old;
}

TEST(OverwriteQuestion, WithoutTheBoxThePromptSeamAsksWithTheSameFourButtons)
{
    CRecordingPrompt prompt;
    prompt.QueueAnswer(0);    // Yes
    prompt.QueueAnswer(1);    // No
    prompt.QueueAnswer(-1);   // closed: kept, still asking
    prompt.QueueAnswer(3);    // None
    COverwriteQuestion q;
    EXPECT_TRUE(q.ShouldOverwrite("end symbol", "Dot"));
    EXPECT_FALSE(q.ShouldOverwrite("end symbol", "Dot"));
    EXPECT_FALSE(q.ShouldOverwrite("end symbol", "Dot"));
    EXPECT_EQ(q.GetStanding(), COverwriteQuestion::STANDING_ASK);
    EXPECT_FALSE(q.ShouldOverwrite("end symbol", "Dot"));
    EXPECT_FALSE(q.ShouldOverwrite("end symbol", "Bar")); // not asked
    ASSERT_EQ(prompt.asked.size(), 4u);
    EXPECT_EQ(prompt.asked[0].caption, "Update?");
    EXPECT_EQ(prompt.asked[0].text, "Overwrite end symbol\n'Dot' ?");
    EXPECT_EQ(prompt.asked[0].buttons, (std::vector<std::string>{"&Yes", "&No", "&All", "N&one"}));
}

TEST(KeywordTable, EveryKeyHasOneNameThatLooksItselfUp)
{
    std::set<std::string> seen;
    for (int k = 0; k < KW_Count; ++k) {
        const std::string name = KeywordName(EKeyword(k));
        EXPECT_TRUE(seen.insert(name).second) << name;
        EXPECT_EQ(LookupKeyword(name), EKeyword(k)) << name;
    }
    EXPECT_STREQ(KeywordName(KW_FigureStyle), "FigureStyle");
    EXPECT_EQ(LookupKeyword("figurestyle"), KW_Count);
    EXPECT_EQ(LookupKeyword(""), KW_Count);
    EXPECT_EQ(LookupKeyword("FigureStyl"), KW_Count);
    EXPECT_EQ(LookupKeyword("FigureStyles"), KW_Count);
    EXPECT_EQ(LookupKeyword(std::string_view("FigureStyle\0", 12)), KW_Count);
}
