// The undo log under the faults it must survive: a block given up after a
// failed growth, a cancelled out-of-memory question, records logged between
// steps, and a reset asked for by a record while Undo still reads the block.
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
        if (type != UDOC_FIGCREATE || !r.Int32(id))
            return false;
        replayed.push_back(id);
        if (hook)
            hook();
        return true;
    }
    std::vector<int> replayed;
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

TEST_F(UndoFaultsTest, AGivenUpBlockIsAskedForAgainAtTheNextStep)
{
    CRecordingPrompt prompt;
    SetGlobalMemoryLimit(GlobalMemoryInUse() + 1000);
    std::vector<BYTE> big(300000);
    log.UndoBeginStep(UDMAC_IMPORT);
    prompt.QueueAnswer(IDCANCEL);
    EXPECT_EQ(log.UndoLog(UDOC_FIGTEXT, [&](UndoStream& s) { s.Blob(big.data(), int32_t(big.size())); }), 0);
    log.UndoEndStep();
    ASSERT_EQ(log.m_hUndoBuf, nullptr);
    // Still no memory: the next edit goes on unrecorded instead of refused.
    SetGlobalMemoryLimit(GlobalMemoryInUse() + 1);
    log.UndoBeginStep(UDMAC_CREATEFIG);
    EXPECT_EQ(log.UndoLog(UDOC_FIGCREATE, Id(1)), 1);
    log.UndoEndStep();
    EXPECT_FALSE(log.CanUndo());
    // Memory again: the log records as before.
    SetGlobalMemoryLimit(0);
    Step(UDMAC_CREATEFIG, {2});
    ASSERT_TRUE(log.CanUndo());
    EXPECT_EQ(log.Undo(), UDMAC_CREATEFIG);
    EXPECT_EQ(host.replayed, std::vector<int>{2});
}

TEST_F(UndoFaultsTest, ACancelledGrowthKeepsTheEarlierStepsWhole)
{
    CRecordingPrompt prompt;
    Step(UDMAC_CREATEFIG, {1, 2});
    // The block can still be moved but not grown past its chunk.
    log.UndoBeginStep(UDMAC_MOVEOBJS);
    EXPECT_EQ(log.UndoLog(UDOC_FIGCREATE, Id(3)), 1);
    SetGlobalMemoryLimit(GlobalMemoryInUse());
    log.m_nUndoUsed = log.m_nUndoBufSize;
    prompt.QueueAnswer(IDCANCEL);
    EXPECT_EQ(log.UndoLog(UDOC_FIGCREATE, Id(4)), 0);
    EXPECT_TRUE(log.IsUndoStepAbandoned());
    log.UndoEndStep();
    SetGlobalMemoryLimit(0);
    if (log.m_hUndoBuf) {
        // The half-written step is gone; the earlier one is whole.
        EXPECT_EQ(log.Undo(), UDMAC_CREATEFIG);
        EXPECT_EQ(host.replayed, (std::vector<int>{2, 1}));
    } else {
        EXPECT_FALSE(log.CanUndo());
    }
}

TEST_F(UndoFaultsTest, ARecordBetweenStepsLeavesTheFramingAlone)
{
    Step(UDMAC_CREATEFIG, {1});
    EXPECT_EQ(log.UndoLog(UDOC_FIGCREATE, Id(99)), 1);
    Step(UDMAC_MOVEOBJS, {2});
    // The stray record was closed into a step of the code it was logged under.
    EXPECT_EQ(log.Undo(), UDMAC_MOVEOBJS);
    EXPECT_EQ(log.Undo(), UDMAC_CREATEFIG);
    EXPECT_EQ(log.Undo(), UDMAC_CREATEFIG);
    EXPECT_EQ(host.replayed, (std::vector<int>{2, 99, 1}));
    // A step opened while another is still open closes the first.
    log.UndoBeginStep(UDMAC_FRONT);
    log.UndoLog(UDOC_FIGCREATE, Id(5));
    Step(UDMAC_BACK, {6});
    EXPECT_EQ(log.Undo(), UDMAC_BACK);
    EXPECT_EQ(log.Undo(), UDMAC_FRONT);
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

TEST_F(UndoFaultsTest, UndoRightAfterAStrayRecordKeepsTheHistory)
{
    Step(UDMAC_CREATEFIG, {1});
    EXPECT_EQ(log.UndoLog(UDOC_FIGCREATE, Id(99)), 1);
    EXPECT_EQ(log.GetLastUndoStepCode(), UDMAC_CREATEFIG) << "asking closes the stray record into a step";
    EXPECT_EQ(log.UndoLog(UDOC_FIGCREATE, Id(98)), 1);
    EXPECT_EQ(log.Undo(), UDMAC_CREATEFIG);
    EXPECT_EQ(log.Undo(), UDMAC_CREATEFIG);
    EXPECT_EQ(log.Undo(), UDMAC_CREATEFIG);
    EXPECT_EQ(host.replayed, (std::vector<int>{98, 99, 1}));
    EXPECT_FALSE(log.CanUndo());
}
