// Document validation: each check failing once, with and without repair, and
// the trace lines it writes.
#include "document/CStaple.h"
#include "document/DocTestSupport.h"
#include "fileformat/FileFormatTestSupport.h"
#include "platform/NumText.h"

#include <functional>

namespace {
class ValidationTest : public DocTest {
protected:
    void SetUp() override
    {
        DocTest::SetUp();
        f1 = NewFig(doc, 0, 0);
        f1->m_nId = 1;
        f2 = NewFig(doc, 400, 0);
        f2->m_nId = 2;
        ASSERT_TRUE(doc.AddFig(f1));
        ASSERT_TRUE(doc.AddFig(f2));
        con = NewCon(doc, f1, f2);
        con->m_nId = 3;
        ASSERT_TRUE(doc.AddCon(con));
        doc.m_nNextId = 4;
        doc.m_nNextStpId = 1;
    }

    // Runs the check without repair (nothing changes), then with repair.
    int CheckTwice(const std::function<std::string()>& state)
    {
        const std::string before = state();
        EXPECT_FALSE(doc.Validate());
        EXPECT_EQ(state(), before) << "changed without repair";
        int result = 0;
        EXPECT_FALSE(doc.Validate(&result));
        return result;
    }

    CFigure* f1 = nullptr;
    CFigure* f2 = nullptr;
    CConnector* con = nullptr;
    TraceRecorder m_trace;
    std::vector<std::string>& g_trace = TraceRecorder::Lines();
};

std::string Ids(const CConnector* c)
{
    return std::to_string(c->m_nFigId1) + "/" + std::to_string(c->m_nFigId2) + "/" +
           std::to_string(c->m_nConPtId1) + "/" + std::to_string(c->m_nConPtId2) + "/" +
           std::to_string(reinterpret_cast<uintptr_t>(c->m_pFig1)) + "/" +
           std::to_string(reinterpret_cast<uintptr_t>(c->m_pFig2));
}
} // namespace

TEST_F(ValidationTest, ConsistentDocumentPasses)
{
    EXPECT_TRUE(doc.Validate());
    ASSERT_FALSE(g_trace.empty());
    EXPECT_EQ(g_trace.back(), "VALIDATION SUCCEEDED!\n");
}

TEST_F(ValidationTest, ConnectorEndChecksRepairTheIds)
{
    // Stored id 5 while the pointer names figure 1.
    con->m_nFigId1 = 5;
    EXPECT_EQ(CheckTwice([&] { return Ids(con); }), 140);
    EXPECT_EQ(con->m_nFigId1, 1);
    EXPECT_EQ(g_trace[0], "VALIDATION FAILED 00140: con 3 has FId1=5 and non-matching m_pFig1 id=1\n");

    con->m_nFigId2 = -1; // free end id, pointer set
    EXPECT_EQ(CheckTwice([&] { return Ids(con); }), 205);
    EXPECT_EQ(con->m_nFigId2, 2);

    con->m_pFig1 = nullptr;
    f1->m_nConnected = 0;
    f1->m_pAttachedCon1 = nullptr;
    EXPECT_EQ(CheckTwice([&] { return Ids(con); }), 120);
    EXPECT_EQ(con->m_nFigId1, -1);
}

TEST_F(ValidationTest, EndPointingAtANonFigureIsCleared)
{
    auto* other = NewCon(doc, nullptr, nullptr);
    other->m_nId = 9;
    ASSERT_TRUE(doc.AddCon(other));
    doc.m_nNextId = 10;
    other->m_pFig1 = reinterpret_cast<CFigure*>(static_cast<CDiagObj*>(con));
    other->m_nFigId1 = -1;
    CheckTwice([&] { return Ids(other); });
    EXPECT_EQ(other->m_pFig1, nullptr);
    other->m_pFig1 = reinterpret_cast<CFigure*>(static_cast<CDiagObj*>(con));
    other->m_nFigId1 = 3;
    g_trace.clear();
    CheckTwice([&] { return Ids(other); });
    EXPECT_EQ(other->m_pFig1, nullptr);
    EXPECT_EQ(other->m_nFigId1, -1);
    EXPECT_NE(std::find(g_trace.begin(), g_trace.end(),
                        "VALIDATION FAILED 00130: con 9 has FId1=3 and m_pFig1 that doesn't point to fig\n"),
              g_trace.end());
}

TEST_F(ValidationTest, ConnectionPointIdsAreCheckedOnRepairedValues)
{
    con->m_nConPtId1 = 7; // figure 1 has no point 7
    EXPECT_EQ(CheckTwice([&] { return Ids(con); }), 142);
    EXPECT_EQ(con->m_nConPtId1, -1);
    // The automatic attach modes name no point and pass.
    con->m_nConPtId1 = -2;
    con->m_nConPtId2 = -3;
    EXPECT_TRUE(doc.Validate());
    // A point id on an end that repair has just freed.
    con->m_nConPtId2 = 4;
    con->m_pFig2 = nullptr;
    f2->m_nConnected = 0;
    f2->m_pAttachedCon1 = nullptr;
    EXPECT_EQ(CheckTwice([&] { return Ids(con); }), 241);
    EXPECT_EQ(con->m_nConPtId2, -1);
    EXPECT_EQ(con->m_nFigId2, -1);
}

TEST_F(ValidationTest, AttachmentCountsAndFields)
{
    // A connector with both ends on one figure counts twice.
    con->m_pFig2 = f1;
    con->m_nFigId2 = 1;
    f2->m_nConnected = 0;
    f2->m_pAttachedCon1 = nullptr;
    EXPECT_EQ(CheckTwice([&] { return std::to_string(f1->m_nConnected); }), 600);
    EXPECT_EQ(f1->m_nConnected, 2);

    f2->m_pAttachedCon1 = con; // f2 has no connector now
    EXPECT_EQ(CheckTwice([&] { return std::to_string(f2->m_pAttachedCon1 != nullptr); }), 601);
    EXPECT_EQ(f2->m_pAttachedCon1, nullptr);

    f1->m_pAttachedCon2 = con; // both fields the same connector
    f1->m_pAttachedCon1 = con;
    int result = 0;
    EXPECT_FALSE(doc.Validate(&result));
    EXPECT_EQ(result, 607); // reported, never repaired
    EXPECT_EQ(f1->m_pAttachedCon2, con);
}

TEST_F(ValidationTest, NonConnectorAttachmentIsCleared)
{
    f1->m_pAttachedCon1 = reinterpret_cast<CConnector*>(static_cast<CDiagObj*>(f2));
    CheckTwice([&] { return std::to_string(f1->m_pAttachedCon1 != nullptr); });
    EXPECT_NE(std::find(g_trace.begin(), g_trace.end(), "VALIDATION FAILED 00300: fig 1 has non-con as m_pAttachedCon1\n"),
              g_trace.end());
}

TEST_F(ValidationTest, LabelStaplesAreReconnected)
{
    auto* st = new CStaple(&doc, kStapleFigLabel);
    st->m_nId = 1;
    st->m_pFig1 = f2; // should be f1, the figure the label pins to
    st->m_nFig1Id = 2;
    st->m_pFig2 = f2;
    st->m_nFig2Id = 2;
    ASSERT_TRUE(doc.AddStaple(st));
    doc.m_nNextStpId = 2;
    f1->m_pStaple = st;
    EXPECT_EQ(CheckTwice([&] { return std::to_string(st->m_nFig1Id); }), 420);
    EXPECT_EQ(st->m_pFig1, f1);
    EXPECT_EQ(st->m_nFig1Id, 1);
}

TEST_F(ValidationTest, CountersMustLieAboveEveryId)
{
    struct Case {
        int next;
        bool ok;
    };
    // A counter equal to the largest id would hand that id out again.
    for (const Case& c : {Case{4, true}, Case{3, false}, Case{0, false}, Case{100, true}}) {
        doc.m_nNextId = c.next;
        g_trace.clear();
        EXPECT_EQ(doc.Validate(), c.ok) << c.next;
        if (!c.ok) {
            EXPECT_EQ(g_trace.back(), StrPrintf("VALIDATION FAILED 00800: bad m_nNextId (%d) max is 3\n", c.next));
            EXPECT_EQ(doc.m_nNextId, c.next); // counters are never changed
        }
    }
    doc.m_nNextId = 4;
    auto* st = new CStaple(&doc, kStapleFigLink);
    st->m_nId = 5;
    ASSERT_TRUE(doc.AddStaple(st));
    doc.m_nNextStpId = 5;
    int result = 0, v1 = 0, v2 = 0;
    EXPECT_FALSE(doc.Validate(&result, &v1, &v2));
    EXPECT_EQ(result, 810);
    EXPECT_EQ(v1, 5);
    EXPECT_EQ(v2, 5);
}

TEST_F(ValidationTest, ListCountsAreReportedNotChanged)
{
    doc.m_pObjList->m_nFigCount = 5;
    int result = 0, v1 = 0, v2 = 0;
    EXPECT_FALSE(doc.Validate(&result, &v1, &v2));
    EXPECT_EQ(result, 520);
    EXPECT_EQ(v1, 5);
    EXPECT_EQ(v2, 2);
    EXPECT_EQ(doc.m_pObjList->m_nFigCount, 5);
    EXPECT_EQ(g_trace[0], "VALIDATION FAILED 00520: object list figure count 5 disagress with actual 2\n");
    doc.m_pObjList->m_nFigCount = 2;
}
