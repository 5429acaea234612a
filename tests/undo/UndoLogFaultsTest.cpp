// The undo log under the faults it must survive: a refused record answered
// Cancel, records logged between steps, a second close, and a reset asked
// for by a record while Undo still reads the block.
#include "common/TestSupport.h"
#include "undo/CUndoLog.h"
#include "platform/GlobalMem.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {
// Replays figure-creation records (body: the id) and runs a hook per record.
class HookHost : public IUndoHost {
public:
    bool IsUndoHostModified() const override { return false; }
    void SetUndoHostModified(bool) override {}
    bool ReplayUndoRecord(int type, UndoReader& r) override
    {
        int32_t id = 0;
        if (type == UDOC_PASTE)
            return true;
        if (type != UDOC_FIGCREATE || !r.Int32(id))
            return false;
        replayed.push_back(id);
        if (hook)
            hook();
        return true;
    }
    void FinishUndoReplay(const std::vector<int32_t>*, bool) override { ++finished; }
    std::vector<int> replayed;
    int finished = 0;
    std::function<void()> hook;
};

class UndoFaultsTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(log.AllocUndoBuffer(), 1); }
    static UndoBodyWriter Id(int32_t id)
    {
        return [id](UndoStream& s) { s.Int32(id); };
    }
    void Step(int code, std::initializer_list<int> ids)
    {
        log.UndoBeginStep(code);
        for (int id : ids)
            EXPECT_EQ(log.UndoLog(UDOC_FIGCREATE, Id(id)), 1);
        log.UndoEndStep();
    }
    HookHost host;
    CUndoLog log{&host};
};
} // namespace

TEST_F(UndoFaultsTest, CancelTakesBackWhatTheStepChangedAndKeepsTheEarlierSteps)
{
    CRecordingPrompt prompt;
    Step(UDMAC_CREATEFIG, {1, 2});
    const int32_t used = log.m_nUndoUsed;
    // A three-object move whose second record finds no room.
    log.UndoBeginStep(UDMAC_MOVEOBJS);
    EXPECT_EQ(log.UndoLog(UDOC_FIGCREATE, Id(3)), 1);
    log.m_nRefuseRecordAfter = 0;
    prompt.QueueAnswer(IDCANCEL);
    EXPECT_EQ(log.UndoLog(UDOC_FIGCREATE, Id(4)), 0);
    EXPECT_EQ(log.UndoLog(UDOC_FIGCREATE, Id(5)), 0) << "the rest of the operation is refused too";
    EXPECT_TRUE(host.replayed.empty());
    log.UndoEndStep();
    EXPECT_EQ(host.replayed, std::vector<int>{3}) << "the first object's change is taken back";
    EXPECT_EQ(host.finished, 1);
    EXPECT_TRUE(log.IsUndoStepAbandoned());
    EXPECT_EQ(log.m_nUndoUsed, used);
    EXPECT_EQ(log.m_nUndoSteps, 1);
    host.replayed.clear();
    EXPECT_EQ(log.Undo(), UDMAC_CREATEFIG);
    EXPECT_EQ(host.replayed, (std::vector<int>{2, 1}));
}

TEST_F(UndoFaultsTest, CancelOnTheOpeningRecordRefusesTheWholeOperation)
{
    CRecordingPrompt prompt;
    Step(UDMAC_CREATEFIG, {1});
    log.m_nRefuseRecordAfter = 0;
    prompt.QueueAnswer(IDCANCEL);
    log.UndoBeginStep(UDMAC_MOVEOBJS);
    EXPECT_EQ(log.UndoLog(UDOC_FIGCREATE, Id(2)), 0);
    log.UndoEndStep();
    EXPECT_TRUE(host.replayed.empty());
    EXPECT_EQ(log.m_nUndoSteps, 1);
    // After the refused step closed, the log records the next one.
    Step(UDMAC_FRONT, {3});
    EXPECT_EQ(log.Undo(), UDMAC_FRONT);
    EXPECT_EQ(log.Undo(), UDMAC_CREATEFIG);
}

TEST_F(UndoFaultsTest, CancelInAReopenedStepTakesBackOnlyTheNewRecords)
{
    CRecordingPrompt prompt;
    Step(UDMAC_CREATEFIG, {1});
    ASSERT_EQ(log.UndoReopenLastStep(-3), 1);
    EXPECT_EQ(log.UndoLog(UDOC_FIGCREATE, Id(2)), 1);
    log.m_nRefuseRecordAfter = 0;
    prompt.QueueAnswer(IDCANCEL);
    EXPECT_EQ(log.UndoLog(UDOC_FIGCREATE, Id(3)), 0);
    log.UndoEndStep();
    EXPECT_EQ(host.replayed, std::vector<int>{2});
    ASSERT_EQ(log.m_nUndoSteps, 1);
    EXPECT_EQ(log.Undo(), UDMAC_CREATEFIG);
    EXPECT_EQ(host.replayed, (std::vector<int>{2, 1}));
}

TEST_F(UndoFaultsTest, CancelOnTheFirstRecordOfAReopenedStepKeepsThatStep)
{
    CRecordingPrompt prompt;
    Step(UDMAC_CREATEFIG, {1});
    Step(UDMAC_CREATEFIGLBL, {2});
    ASSERT_EQ(log.UndoReopenLastStep(-3), 1);
    log.m_nRefuseRecordAfter = 0;
    prompt.QueueAnswer(IDCANCEL);
    EXPECT_EQ(log.UndoLog(UDOC_FIGCREATE, Id(3)), 0);
    log.UndoEndStep();
    EXPECT_TRUE(host.replayed.empty()) << "nothing new to take back";
    ASSERT_EQ(log.m_nUndoSteps, 2) << "the re-opened step and the one before it stay";
    EXPECT_EQ(log.Undo(), UDMAC_CREATEFIGLBL);
    EXPECT_EQ(log.Undo(), UDMAC_CREATEFIG);
    EXPECT_EQ(host.replayed, (std::vector<int>{2, 1}));
}

TEST_F(UndoFaultsTest, UndoWhileAStepIsOpenClosesAndUndoesIt)
{
    Step(UDMAC_CREATEFIG, {1});
    log.UndoBeginStep(UDMAC_MOVEOBJS);
    log.UndoLog(UDOC_FIGCREATE, Id(2));
    EXPECT_EQ(log.Undo(), UDMAC_MOVEOBJS);
    EXPECT_EQ(host.replayed, std::vector<int>{2});
    EXPECT_EQ(log.m_nUndoSteps, 1) << "the earlier step stays";
    EXPECT_EQ(log.Undo(), UDMAC_CREATEFIG);
}

TEST_F(UndoFaultsTest, ARecordBetweenStepsJoinsTheStepBeforeIt)
{
    Step(UDMAC_CREATEFIG, {1});
    EXPECT_EQ(log.UndoLog(UDOC_FIGCREATE, Id(99)), 1);
    // Every reader sees one closed step.
    std::string text;
    EXPECT_EQ(log.GetUndoMenuText(text), 1);
    EXPECT_EQ(text, "&Undo Create Figure\tCtrl+Z");
    EXPECT_EQ(log.m_nUndoSteps, 1);
    Step(UDMAC_MOVEOBJS, {2});
    EXPECT_EQ(log.Undo(), UDMAC_MOVEOBJS);
    EXPECT_EQ(log.Undo(), UDMAC_CREATEFIG);
    EXPECT_EQ(host.replayed, (std::vector<int>{2, 99, 1})) << "one command, one step";
    EXPECT_FALSE(log.CanUndo());
    // A step opened while another is still open closes the first.
    log.UndoBeginStep(UDMAC_FRONT);
    log.UndoLog(UDOC_FIGCREATE, Id(5));
    Step(UDMAC_BACK, {6});
    EXPECT_EQ(log.Undo(), UDMAC_BACK);
    EXPECT_EQ(log.Undo(), UDMAC_FRONT);
}

TEST_F(UndoFaultsTest, ATinyStrayRecordOrASecondCloseKeepsTheHistory)
{
    Step(UDMAC_CREATEFIG, {1});
    const int32_t used = log.m_nUndoUsed;
    log.UndoEndStep();
    EXPECT_EQ(log.m_nUndoUsed, used) << "a second close writes no trailer";
    // A record of one byte joins the step instead of making a broken one.
    EXPECT_EQ(log.UndoLog(UDOC_PASTE), 1);
    EXPECT_EQ(log.GetLastUndoStepCode(), UDMAC_CREATEFIG);
    EXPECT_EQ(log.UndoLog(UDOC_FIGCREATE, Id(98)), 1);
    EXPECT_EQ(log.m_nUndoSteps, 1);
    EXPECT_EQ(log.Undo(), UDMAC_CREATEFIG);
    EXPECT_EQ(host.replayed, (std::vector<int>{98, 1}));
    EXPECT_FALSE(log.CanUndo());
}

TEST_F(UndoFaultsTest, AResetDuringReplayWaitsUntilTheStepIsRead)
{
    // Grow the block past one chunk so that a reset would shrink and move it.
    std::vector<BYTE> big(200000);
    log.UndoBeginStep(UDMAC_IMPORT);
    log.UndoLog(UDOC_FIGTEXT, [&](UndoStream& s) { s.Blob(big.data(), int32_t(big.size())); });
    log.UndoLog(UDOC_FIGTEXT, [&](UndoStream& s) { s.Blob(big.data(), int32_t(big.size())); });
    log.UndoEndStep();
    Step(UDMAC_FIGPROPS, {1, 2, 3});
    ASSERT_GT(log.m_nUndoBufSize, CUndoLog::kChunk);
    host.hook = [this] { log.ResetUndoLog(); };
    EXPECT_EQ(log.Undo(), UDMAC_FIGPROPS);
    EXPECT_EQ(host.replayed, (std::vector<int>{3, 2, 1})) << "every record read from the intact block";
    EXPECT_FALSE(log.CanUndo()) << "the reset happens afterwards";
    EXPECT_EQ(log.m_nUndoBufSize, CUndoLog::kChunk);
}
