// The undo log's storage and framing: steps, trailers, the 50-step cap, the
// growth in 256 KiB chunks, re-opening, discarding, holding and the
// out-of-memory question.
#include "common/TestSupport.h"
#include "core/Settings.h"
#include "undo/CUndoLog.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {
// Records figure-creation replays (body: the id) and the modified flag.
class FakeHost : public IUndoHost {
public:
    bool IsUndoHostModified() const override { return modified; }
    void SetUndoHostModified(bool m) override { modified = m; }
    bool ReplayUndoRecord(int type, UndoReader& r) override
    {
        if (type == UDOC_FIGCREATE) {
            int32_t id = 0;
            if (!r.Int32(id))
                return false;
            replayed.push_back(id);
            return true;
        }
        if (type == UDOC_FIGTEXT) {
            std::string text;
            if (!r.String(text))
                return false;
            texts.push_back(text);
            return true;
        }
        return false;
    }

    bool modified = false;
    std::vector<int> replayed;
    std::vector<std::string> texts;
};

UndoBodyWriter Id(int32_t id)
{
    return [id](UndoStream& s) { s.Int32(id); };
}

class UndoLogTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(log.AllocUndoBuffer(), 1); }

    void Step(int code, std::initializer_list<int> ids)
    {
        log.UndoBeginStep(code);
        for (int id : ids)
            EXPECT_EQ(log.UndoLog(UDOC_FIGCREATE, Id(id)), 1);
        log.UndoEndStep();
    }

    FakeHost host;
    CUndoLog log{&host};
};
} // namespace

TEST_F(UndoLogTest, EmptyStepIsElevenBytesAndRestoresTheModifiedFlag)
{
    EXPECT_EQ(log.m_nUndoBufSize, 262144);
    EXPECT_FALSE(log.CanUndo());
    host.modified = true;
    Step(UDMAC_MOVEOBJS, {});
    EXPECT_EQ(log.m_nUndoUsed, 11);
    EXPECT_EQ(log.m_nUndoSteps, 1);
    int len = 0;
    EXPECT_EQ(log.GetLastUndoStepCode(&len), UDMAC_MOVEOBJS);
    EXPECT_EQ(len, 11);
    const BYTE* p = log.m_pUndoWrite;
    EXPECT_EQ(p[-1], UDOC_BEGINSTEP);
    EXPECT_EQ(p[-2], UDMAC_MOVEOBJS);
    EXPECT_EQ(log.m_pUndoBase[4], UDOC_ENDSTEP);
    EXPECT_TRUE(log.CanUndo());

    host.modified = false;
    EXPECT_EQ(log.Undo(), UDMAC_MOVEOBJS);
    EXPECT_TRUE(host.modified);
    EXPECT_EQ(log.m_nUndoSteps, 0);
    EXPECT_EQ(log.m_nUndoUsed, 0);
    EXPECT_FALSE(log.CanUndo());
    EXPECT_EQ(log.Undo(), 0);
}

TEST_F(UndoLogTest, UndoReplaysTheLastStepBackwards)
{
    Step(UDMAC_CREATEFIG, {1});
    log.UndoBeginStep(UDMAC_PASTE);
    log.UndoLog(UDOC_FIGCREATE, Id(2));
    log.UndoLog(UDOC_FIGTEXT, [](UndoStream& s) { s.String("hello"); });
    log.UndoLog(UDOC_FIGCREATE, Id(3));
    log.UndoEndStep();
    int len = 0;
    log.GetLastUndoStepCode(&len);
    EXPECT_EQ(len, 5 + 5 + (5 + 4 + 1) + 5 + 6);

    EXPECT_EQ(log.Undo(), UDMAC_PASTE);
    EXPECT_EQ(host.replayed, (std::vector<int>{3, 2}));
    EXPECT_EQ(host.texts, (std::vector<std::string>{"hello"}));
    EXPECT_EQ(log.m_nUndoSteps, 1);
    EXPECT_EQ(log.Undo(), UDMAC_CREATEFIG);
    EXPECT_EQ(host.replayed, (std::vector<int>{3, 2, 1}));
}

TEST_F(UndoLogTest, FiftyFirstStepDropsTheOldest)
{
    for (int i = 1; i <= 50; ++i)
        Step(UDMAC_CREATEFIG, {i});
    EXPECT_EQ(log.m_nUndoSteps, 50);
    Step(UDMAC_MOVEOBJS, {51});
    EXPECT_EQ(log.m_nUndoSteps, 50);
    EXPECT_EQ(log.m_nUndoUsed, 50 * 16);
    // The oldest remaining step (id 2) now starts at the base.
    int32_t id = 0;
    std::memcpy(&id, log.m_pUndoBase + 5, 4);
    EXPECT_EQ(id, 2);
    EXPECT_EQ(log.m_pUndoBase[4], UDOC_ENDSTEP);
    int undone = 0;
    while (log.Undo())
        ++undone;
    EXPECT_EQ(undone, 50);
    EXPECT_EQ(host.replayed.back(), 2);
}

TEST_F(UndoLogTest, NavigationStepsAndViewRecordsWithoutUndoableNavigation)
{
    UndoableNavigation = 0;
    log.UndoBeginStep(UDMAC_PAN);
    EXPECT_EQ(log.UndoLog(UDOC_VIEW, Id(1)), 1);
    log.UndoEndStep();
    EXPECT_EQ(log.m_nUndoUsed, 0);
    EXPECT_EQ(log.m_nUndoSteps, 0);
    log.UndoBeginStep(UDMAC_MOVEOBJS);
    log.UndoLog(UDOC_VIEW, Id(1));
    log.UndoEndStep();
    EXPECT_EQ(log.m_nUndoUsed, 11);

    UndoableNavigation = 1;
    Step(UDMAC_ZOOM, {});
    EXPECT_EQ(log.m_nUndoSteps, 2);
}

TEST_F(UndoLogTest, GrowsByWholeChunksAndShrinksOnReset)
{
    std::vector<BYTE> big(300000, 0xAB);
    log.UndoBeginStep(UDMAC_IMPORT);
    int size = 0;
    EXPECT_EQ(log.ExpandUndoBuffer(UDOC_FIGTEXT,
                                   [&](UndoStream& s) { s.Blob(big.data(), int32_t(big.size())); }, &size),
              1);
    EXPECT_EQ(size, 300000 + 4 + 1);
    EXPECT_EQ(log.m_nUndoBufSize, 2 * 262144);
    EXPECT_EQ(log.UndoLog(UDOC_FIGTEXT, [&](UndoStream& s) { s.Blob(big.data(), int32_t(big.size())); }), 1);
    log.UndoEndStep();
    EXPECT_EQ(log.m_nUndoUsed, 5 + 300005 + 6);
    EXPECT_EQ(log.GetLastUndoStepCode(), UDMAC_IMPORT);
    log.ResetUndoLog();
    EXPECT_EQ(log.m_nUndoBufSize, 262144);
    EXPECT_EQ(GlobalSize(log.m_hUndoBuf), 262144u);
    EXPECT_EQ(log.m_nUndoStepCode, -1);
}

TEST_F(UndoLogTest, OutOfMemoryAsksAndCancelAbandonsTheOperation)
{
    CRecordingPrompt prompt;
    Step(UDMAC_CREATEFIG, {1});
    SetGlobalMemoryLimit(GlobalMemoryInUse() + 1000);
    std::vector<BYTE> big(300000);
    auto writer = [&](UndoStream& s) { s.Blob(big.data(), int32_t(big.size())); };

    log.UndoBeginStep(UDMAC_IMPORT);
    prompt.QueueAnswer(IDCANCEL);
    EXPECT_EQ(log.UndoLog(UDOC_FIGTEXT, writer), 0);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, "The Undo feature will not work for this operation.\nContinue?");
    EXPECT_EQ(prompt.shown[0].type, MB_OKCANCEL | MB_ICONQUESTION);
    EXPECT_EQ(log.IsUndoStepAbandoned(), 1);
    // The block stays as it was; the rest of the operation is refused too.
    EXPECT_NE(log.m_hUndoBuf, nullptr);
    EXPECT_EQ(log.UndoLog(UDOC_FIGCREATE, Id(2)), 0);
    EXPECT_EQ(log.UndoEndStep(), 1);
    SetGlobalMemoryLimit(0);
    // The earlier step is still there.
    ASSERT_TRUE(log.CanUndo());
    EXPECT_EQ(log.Undo(), UDMAC_CREATEFIG);
    EXPECT_EQ(host.replayed, std::vector<int>{1});
}

TEST_F(UndoLogTest, OutOfMemoryOkLetsTheOperationGoOnUnrecorded)
{
    CRecordingPrompt prompt;
    SetGlobalMemoryLimit(GlobalMemoryInUse() + 1000);
    std::vector<BYTE> big(300000);
    log.UndoBeginStep(UDMAC_IMPORT);
    prompt.QueueAnswer(IDOK);
    EXPECT_EQ(log.UndoLog(UDOC_FIGTEXT, [&](UndoStream& s) { s.Blob(big.data(), int32_t(big.size())); }), 1);
    EXPECT_EQ(log.IsUndoStepAbandoned(), 0);
}

TEST_F(UndoLogTest, ReopenJoinsRecordsIntoTheLastStep)
{
    Step(UDMAC_CREATEFIG, {1});
    EXPECT_EQ(log.UndoReopenLastStep(-3), 1);
    EXPECT_EQ(log.m_nUndoSteps, 0);
    log.UndoLog(UDOC_FIGCREATE, Id(2));
    log.UndoEndStep();
    int len = 0;
    EXPECT_EQ(log.GetLastUndoStepCode(&len), UDMAC_CREATEFIG);
    EXPECT_EQ(len, 5 + 5 + 5 + 6);
    EXPECT_EQ(log.UndoReopenLastStep(UDMAC_CREATEFIGLBL), 1);
    log.UndoEndStep();
    EXPECT_EQ(log.GetLastUndoStepCode(), UDMAC_CREATEFIGLBL);
    EXPECT_EQ(log.Undo(), UDMAC_CREATEFIGLBL);
    EXPECT_EQ(host.replayed, (std::vector<int>{2, 1}));

    // Nothing to re-open, or a step still being recorded.
    EXPECT_EQ(log.UndoReopenLastStep(-3), 0);
    Step(UDMAC_CREATEFIG, {1});
    log.UndoBeginStep(UDMAC_MOVEOBJS);
    EXPECT_EQ(log.UndoReopenLastStep(-3), 0);
}

TEST_F(UndoLogTest, BrokenTrailerResetsTheLog)
{
    Step(UDMAC_CREATEFIG, {1});
    Step(UDMAC_CREATEFIG, {2});
    log.m_pUndoWrite[-1] = 0x55;
    EXPECT_EQ(log.GetLastUndoStepCode(), -1);
    EXPECT_EQ(log.m_nUndoSteps, 0);
    EXPECT_EQ(log.m_nUndoUsed, 0);
    EXPECT_EQ(log.Undo(), 0);

    // A length that reaches before the base is as broken as a wrong type byte.
    Step(UDMAC_CREATEFIG, {1});
    int32_t huge = 1000;
    std::memcpy(log.m_pUndoWrite - 6, &huge, 4);
    EXPECT_EQ(log.Undo(), 0);
    EXPECT_TRUE(host.replayed.empty());
}

TEST_F(UndoLogTest, HoldFreezesTheLog)
{
    Step(UDMAC_CREATEFIG, {1});
    const int used = log.m_nUndoUsed;
    log.HoldUndoLog();
    Step(UDMAC_MOVEOBJS, {2});
    log.ResetUndoLog();
    EXPECT_EQ(log.m_nUndoUsed, used);
    EXPECT_EQ(log.Undo(), 0);
    log.ReleaseUndoLog();
    EXPECT_EQ(log.Undo(), UDMAC_CREATEFIG);
}

TEST_F(UndoLogTest, DiscardAndMenuText)
{
    std::string text;
    EXPECT_EQ(log.GetUndoMenuText(text), 0);
    EXPECT_EQ(text, "&Undo");
    Step(UDMAC_SETSHADOWS, {});
    EXPECT_EQ(log.GetUndoMenuText(text), 1);
    EXPECT_EQ(text, "&Undo Change Shadow Properties\tCtrl+Z");
    log.DiscardLastUndoStep();
    EXPECT_EQ(log.m_nUndoSteps, 0);
    EXPECT_FALSE(log.CanUndo());
}

TEST(UndoCodes, Names)
{
    EXPECT_STREQ(UndoStepCodeName(1), "UDMAC_CREATEFIG");
    EXPECT_STREQ(UndoStepCodeName(92), "UDMAC_CONSTYLES");
    EXPECT_STREQ(UndoStepCodeName(93), "");
    EXPECT_STREQ(UndoStepCodeName(0), "");
    EXPECT_STREQ(UndoRecordTypeName(46), "UDOC_CONSTYLEDEL");
    EXPECT_STREQ(UndoRecordTypeName(47), "");
    EXPECT_STREQ(UndoStepMenuName(47), "Change Flow Label Styles");
    EXPECT_STREQ(UndoStepMenuName(70), "Create Connector Label");
}

TEST_F(UndoLogTest, RecordsAfterAClosedStepJoinItAndKeepTheCap)
{
    for (int i = 1; i <= 50; ++i)
        Step(UDMAC_CREATEFIG, {i});
    // Logged without opening a step: it joins the 50th step.
    EXPECT_EQ(log.UndoLog(UDOC_FIGCREATE, Id(99)), 1);
    log.UndoEndStep();
    EXPECT_EQ(log.m_nUndoSteps, 50);
    EXPECT_EQ(log.Undo(), UDMAC_CREATEFIG);
    EXPECT_EQ(host.replayed, (std::vector<int>{99, 50}));
}

TEST_F(UndoLogTest, AnUnrecordedNavigationStepKeepsTheFiftyRealSteps)
{
    UndoableNavigation = 0;
    for (int i = 1; i <= 50; ++i)
        Step(UDMAC_CREATEFIG, {i});
    Step(UDMAC_PAN, {});
    Step(UDMAC_ZOOM, {});
    EXPECT_EQ(log.m_nUndoSteps, 50);
    for (int i = 0; i < 50; ++i)
        EXPECT_EQ(log.Undo(), UDMAC_CREATEFIG);
    EXPECT_EQ(host.replayed.back(), 1) << "the oldest step was kept";
    UndoableNavigation = 1;
}

TEST_F(UndoLogTest, GrowthIsTheSmallestNumberOfChunks)
{
    // Shortfalls of exactly one chunk and of one byte more.
    for (const auto& [extra, expected] : {std::pair{0, 2 * 262144}, std::pair{1, 3 * 262144}}) {
        log.ResetUndoLog();
        log.UndoBeginStep(UDMAC_IMPORT);   // 5 bytes used
        const int32_t record = 2 * 262144 - 5 + extra;
        std::vector<BYTE> big(size_t(record - 5));
        EXPECT_EQ(log.UndoLog(UDOC_FIGTEXT, [&](UndoStream& s) { s.Blob(big.data(), int32_t(big.size())); }), 1);
        EXPECT_EQ(log.m_nUndoBufSize, expected) << extra;
        log.UndoEndStep();
    }
}

TEST_F(UndoLogTest, HoldsNest)
{
    log.HoldUndoLog();
    log.HoldUndoLog();
    log.ReleaseUndoLog();
    Step(UDMAC_CREATEFIG, {1});
    EXPECT_FALSE(log.CanUndo()) << "one hold is still on";
    log.ReleaseUndoLog();
    log.ReleaseUndoLog();   // an extra release does not go below zero
    log.HoldUndoLog();
    Step(UDMAC_CREATEFIG, {2});
    EXPECT_FALSE(log.CanUndo());
    log.ReleaseUndoLog();
    Step(UDMAC_CREATEFIG, {3});
    EXPECT_TRUE(log.CanUndo());
}

TEST(UndoReaderBounds, ABlobLengthBeyondTheRecordOrBelowZeroFails)
{
    // A damaged length never moves the reader before the start of the step.
    for (const int32_t count : {9, -1}) {
        BYTE bytes[8] = {1, 2, 3, 4};
        std::memcpy(bytes + 4, &count, 4);
        UndoReader r(bytes, bytes + 8);
        const BYTE* data = nullptr;
        int32_t n = 0;
        EXPECT_FALSE(r.Blob(data, n)) << count;
        EXPECT_TRUE(r.Failed()) << count;
    }
}
