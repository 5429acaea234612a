// The pick list of connector drawing, the checks of a finished list, the
// connectors made from it, and splitting, snipping and deleting junctions;
// each edit undone back to the scene it started from.
#include "EditScenarioSupport.h"
#include "common/TestSupport.h"
#include "core/Settings.h"
#include "document/CStaple.h"
#include "document/ConPtPlace.h"
#include "document/DocCommands.h"
#include "document/ReroutePicks.h"
#include "undo/UndoCodes.h"

#include <cmath>
#include <cstdlib>

namespace {
CFigure* Fig(int n)
{
    // Only compared, never used.
    return reinterpret_cast<CFigure*>(std::uintptr_t(0x1000 * n));
}

struct RedundantCase {
    const char* name;
    std::vector<CPoint> in;
    bool keep;
    std::vector<CPoint> out;
};

class ConPickDocTest : public DocTest {
protected:
    void SetUp() override
    {
        DocTest::SetUp();
        a = AddTextFig(doc, 0, 0);        // centre (100, 50)
        b = AddTextFig(doc, 1000, 0);     // centre (1100, 50)
        c = AddTextFig(doc, 1000, 600);   // centre (1100, 650)
        doc.ResetUndoLog();
    }
    std::vector<CConnector*> Cons() const
    {
        std::vector<CConnector*> out;
        doc.ForEachConnector([&](CConnector* k) { out.push_back(k); });
        return out;
    }
    CFigure *a = nullptr, *b = nullptr, *c = nullptr;
};
} // namespace

TEST(CFigPickListTest, RedundantPointsAreRemoved)
{
    const RedundantCase cases[] = {
        {"duplicate", {{0, 0}, {0, 0}, {50, 80}}, false, {{0, 0}, {50, 80}}},
        {"horizontal run", {{0, 0}, {40, 0}, {90, 0}}, false, {{0, 0}, {90, 0}}},
        {"vertical run", {{5, 0}, {5, 40}, {5, 90}, {60, 90}}, false, {{5, 0}, {5, 90}, {60, 90}}},
        {"kept on a line", {{0, 0}, {40, 0}, {90, 0}}, true, {{0, 0}, {40, 0}, {90, 0}}},
        {"duplicate even when kept", {{0, 0}, {40, 0}, {40, 0}}, true, {{0, 0}, {40, 0}}},
        {"bend stays", {{0, 0}, {40, 0}, {40, 30}}, false, {{0, 0}, {40, 0}, {40, 30}}},
    };
    for (const RedundantCase& t : cases) {
        CFigPickList list;
        for (const CPoint& p : t.in)
            list.Add(p, nullptr, kPickAuto, nullptr);
        list.RemoveRedundant(t.keep);
        std::vector<CPoint> got;
        list.AddPointsTo(got);
        EXPECT_EQ(got, t.out) << t.name;
    }
}

TEST(CFigPickListTest, AnEndOnAFigureSurvivesADuplicateBeforeIt)
{
    CFigPickList list;
    list.Add(CPoint(0, 0), nullptr, kPickFree, nullptr);
    list.Add(CPoint(70, 0), nullptr, kPickAuto, nullptr);
    list.Add(CPoint(70, 0), Fig(1), kPickAuto, nullptr);
    list.RemoveRedundant(false);
    ASSERT_EQ(list.GetCount(), 2);
    EXPECT_EQ(list.GetLastFig(), Fig(1));
}

TEST(CFigPickListTest, HoldsFiftyOneEntries)
{
    CFigPickList list;
    for (int i = 0; i < CFigPickList::kMaxEntries; ++i)
        EXPECT_TRUE(list.Add(CPoint(i, i * i), nullptr, kPickFree, nullptr));
    EXPECT_EQ(list.GetFreeSlots(), 0);
    EXPECT_FALSE(list.Add(CPoint(1, 1), nullptr, kPickFree, nullptr));
    EXPECT_EQ(list.GetSegmentCount(), 50);
}

TEST_F(ConPickDocTest, PointOfAnEntry)
{
    CFigPickList list;
    EXPECT_EQ(list.GetPointOf(1), CPoint(0, 0));
    list.Add(CPoint(7, 9), nullptr, kPickFree, nullptr);
    list.Add(CPoint(500, 500), a, kPickFree, nullptr);   // the centre
    list.Add(CPoint(1010, 20), b, kPickAuto, nullptr);   // the stored point
    EXPECT_EQ(list.GetPointOf(1), CPoint(7, 9));
    EXPECT_EQ(list.GetPointOf(2), CPoint(100, 50));
    EXPECT_EQ(list.GetPointOf(3), CPoint(1010, 20));
    EXPECT_EQ(list.GetPointOf(0), CPoint(7, 9));
    EXPECT_EQ(list.GetPointOf(4), CPoint(7, 9));
}

TEST_F(ConPickDocTest, ChecksOfATwoEntryList)
{
    CConnector* ab = AddConBetween(doc, a, b);
    CFigure* jct = doc.CreateFigAt(CPoint(600, 300), 1);
    CConnector* toJct = AddConBetween(doc, c, jct);
    jct->AttachCon(toJct);
    struct Case {
        const char* name;
        CFigPick p1, p2;
        int expected;
    };
    const Case cases[] = {
        {"figure to figure", {a, nullptr, {100, 50}, kPickFree}, {c, nullptr, {1100, 650}, kPickFree}, 0},
        {"figure to itself", {a, nullptr, {100, 50}, kPickFree}, {a, nullptr, {100, 50}, kPickFree}, 1},
        {"duplicate", {b, nullptr, {1100, 50}, kPickFree}, {a, nullptr, {100, 50}, kPickFree}, 2},
        {"duplicate of centres", {a, nullptr, {100, 50}, kPickAuto}, {b, nullptr, {1100, 50}, kPickAuto}, 2},
        {"another point is no duplicate", {a, nullptr, {200, 60}, kPickAuto}, {b, nullptr, {1100, 50}, kPickFree}, 0},
        {"too short", {nullptr, nullptr, {10, 10}, kPickFree}, {nullptr, nullptr, {13, 7}, kPickFree}, 3},
        {"free and long enough", {nullptr, nullptr, {10, 10}, kPickFree}, {nullptr, nullptr, {14, 10}, kPickFree}, 0},
        {"connector to itself", {nullptr, ab, {300, 50}, kPickFree}, {nullptr, ab, {700, 50}, kPickFree}, 4},
        {"connector to its junction", {nullptr, toJct, {900, 500}, kPickFree}, {jct, nullptr, {607, 307}, kPickFree}, 4},
    };
    for (const Case& t : cases) {
        CFigPickList list;
        list.Add(t.p1.pt, t.p1.fig, t.p1.conPt, t.p1.con);
        list.Add(t.p2.pt, t.p2.fig, t.p2.conPt, t.p2.con);
        EXPECT_EQ(doc.CheckConPicks(list, false), t.expected) << t.name;
    }
    // A loop back to the figure through a junction point is allowed.
    CFigPickList loop;
    loop.Add(CPoint(100, 50), a, kPickFree, nullptr);
    loop.Add(CPoint(100, 400), nullptr, kPickFree, nullptr);
    loop.Add(CPoint(100, 50), a, kPickFree, nullptr);
    EXPECT_EQ(doc.CheckConPicks(loop, false), 0);
}

TEST_F(ConPickDocTest, SplitPutsAJunctionBetweenTwoHalves)
{
    CConnector* ab = AddConBetween(doc, a, b);
    ab->SuppressEnd1 = 1;
    doc.ResetUndoLog();
    const std::string before = SceneSnapshot(doc);
    CFigure* jct = doc.SplitConWithUndo(ab, CPoint(600, 50), UDMAC_ADDJUNCT);
    ASSERT_NE(jct, nullptr);
    EXPECT_EQ(jct->GetCenter(), CPoint(600, 50));
    const std::vector<CConnector*> cons = Cons();
    ASSERT_EQ(cons.size(), 2u);
    EXPECT_EQ(cons[0]->m_pFig1, a);
    EXPECT_EQ(cons[0]->m_pFig2, jct);
    EXPECT_EQ(cons[1]->m_pFig1, jct);
    EXPECT_EQ(cons[1]->m_pFig2, b);
    // The first half keeps end 1's suppression; the ends at the junction
    // show no symbol.
    EXPECT_EQ(cons[0]->SuppressEnd1, 1);
    EXPECT_EQ(cons[0]->SuppressEnd2, 1);
    EXPECT_EQ(cons[1]->SuppressEnd1, 1);
    EXPECT_EQ(cons[1]->SuppressEnd2, 0);
    EXPECT_EQ(doc.UndoLastStep(), UDMAC_ADDJUNCT);
    EXPECT_EQ(SceneSnapshot(doc), before);
}

TEST_F(ConPickDocTest, SplitOnAFreeEndPutsTheJunctionThereInstead)
{
    CConnector* free = AddFreeCon(doc, CPoint(100, 400), CPoint(700, 400));
    doc.ResetUndoLog();
    const std::string before = SceneSnapshot(doc);
    doc.UndoBeginStep(UDMAC_CREATECON);
    CFigure* jct = doc.SplitCon(free, CPoint(700, 400), false, 0, true);
    doc.UndoEndStep();
    ASSERT_NE(jct, nullptr);
    ASSERT_EQ(Cons().size(), 1u);
    EXPECT_EQ(free->m_pFig2, jct);
    EXPECT_EQ(free->SuppressEnd2, 1);
    EXPECT_EQ(doc.UndoLastStep(), UDMAC_CREATECON);
    EXPECT_EQ(SceneSnapshot(doc), before);
}

TEST_F(ConPickDocTest, SnipLeavesTwoFreeEndsPulledBackWithoutSymbols)
{
    CConnector* ab = AddConBetween(doc, a, b);
    ab->m_props.End1 = 2;
    ab->m_props.End2 = 3;
    ab->SuppressEnd2 = 1;
    doc.ResetUndoLog();
    const std::string before = SceneSnapshot(doc);
    EXPECT_TRUE(doc.SnipConWithUndo(ab, CPoint(600, 50), 14));
    const std::vector<CConnector*> cons = Cons();
    ASSERT_EQ(cons.size(), 2u);
    EXPECT_EQ(cons[0]->m_pFig1, a);
    EXPECT_EQ(cons[0]->m_pFig2, nullptr);
    EXPECT_EQ(cons[0]->EndPoint2, CPoint(586, 50));
    EXPECT_EQ(cons[0]->m_props.End2, 0);
    EXPECT_EQ(cons[0]->SuppressEnd2, 0);
    EXPECT_EQ(cons[0]->m_props.End1, 2);
    EXPECT_EQ(cons[1]->m_pFig1, nullptr);
    EXPECT_EQ(cons[1]->EndPoint1, CPoint(614, 50));
    EXPECT_EQ(cons[1]->m_props.End1, 0);
    EXPECT_EQ(cons[1]->SuppressEnd1, 0);
    EXPECT_EQ(cons[1]->SuppressEnd2, 1);
    int jcts = 0;
    doc.ForEachFigure([&](CFigure* f) { jcts += f->m_rect.Width() == 15 ? 1 : 0; });
    EXPECT_EQ(jcts, 0);
    EXPECT_EQ(doc.UndoLastStep(), UDMAC_SNIPCON);
    EXPECT_EQ(SceneSnapshot(doc), before);
}

// Only connector flag 1 (in the low flag word) keeps a connector whole; the
// same bit in the high word does not.
TEST_F(ConPickDocTest, OnlyConnectorFlagOneStopsSplitAndSnip)
{
    struct Case {
        const char* name;
        DWORD low, high;
        bool done;
    };
    const Case cases[] = {
        {"no flags", 0, 0, true},
        {"flag 1", 1, 0, false},
        {"high-word bit 1", 0, 1, true},
    };
    for (const Case& t : cases) {
        for (bool snip : {false, true}) {
            CConnector* ab = AddConBetween(doc, a, b);
            ab->m_props.Behavior.low = t.low;
            ab->m_props.Behavior.high = t.high;
            doc.ResetUndoLog();
            const std::string before = SceneSnapshot(doc);
            const bool done = snip ? doc.SnipConWithUndo(ab, CPoint(600, 50), 14)
                                   : doc.SplitConWithUndo(ab, CPoint(600, 50), UDMAC_ADDJUNCT) != nullptr;
            EXPECT_EQ(done, t.done) << t.name << (snip ? " snip" : " split");
            EXPECT_EQ(Cons().size(), t.done ? 2u : 1u) << t.name << (snip ? " snip" : " split");
            if (t.done)
                doc.UndoLastStep();
            EXPECT_EQ(SceneSnapshot(doc), before) << t.name;
            for (CConnector* k : Cons())
                doc.DeleteCon(k, false, false, false);
        }
    }
}

TEST_F(ConPickDocTest, DeletingAJunctionOfThreeFreesThreeEnds)
{
    CFigure* jct = doc.CreateFigAt(CPoint(593, 293), 1);   // centre (600, 300)
    CConnector* k[3] = {AddConBetween(doc, a, jct), AddConBetween(doc, jct, b), AddConBetween(doc, jct, c)};
    for (CConnector* x : k) {
        x->m_props.End1 = x->m_props.End2 = 2;
        x->SuppressEnd1 = x->SuppressEnd2 = 1;
    }
    doc.SelectObj(jct, 1, 0, 0);
    doc.ResetUndoLog();
    const std::string before = SceneSnapshot(doc);
    EXPECT_EQ(doc.DeleteJunctsSnip(20), 1);
    EXPECT_LT(doc.m_pObjList->Find(jct), 0);
    ASSERT_EQ(Cons().size(), 3u);
    for (CConnector* x : k) {
        const int end = x->m_pFig1 ? 2 : 1;
        EXPECT_EQ(x->GetEndFig(end), nullptr);
        EXPECT_EQ(end == 1 ? x->m_props.End1 : x->m_props.End2, 0);
        EXPECT_EQ(end == 1 ? x->SuppressEnd1 : x->SuppressEnd2, 0);
        const CPoint at = end == 1 ? x->EndPoint1 : x->EndPoint2;
        EXPECT_NEAR(std::hypot(at.x - 600.0, at.y - 300.0), 20.0, 1.0);
    }
    EXPECT_EQ(doc.UndoLastStep(), UDMAC_DELJUNCTSNIP);
    EXPECT_EQ(SceneSnapshot(doc), before);
}

TEST_F(ConPickDocTest, ChainOfThreePointsMakesTwoConnectorsAndAJunction)
{
    const std::string before = SceneSnapshot(doc);
    CFigPickList list;
    list.Add(CPoint(100, 50), a, kPickAuto, nullptr);
    list.Add(CPoint(600, 400), nullptr, kPickFree, nullptr);
    list.Add(CPoint(1100, 650), c, kPickAuto, nullptr);
    CDiagObj* made = nullptr;
    ASSERT_TRUE(doc.CreateConWithUndo(list, nullptr, 2, &made));
    const std::vector<CConnector*> cons = Cons();
    ASSERT_EQ(cons.size(), 2u);
    EXPECT_EQ(made, cons[1]);
    EXPECT_EQ(cons[0]->m_pFig2, cons[1]->m_pFig1);
    EXPECT_TRUE(cons[0]->m_pFig2->IsRedundantJct());
    EXPECT_EQ(cons[0]->m_nConPtId1, kConPtCentre);
    EXPECT_EQ(doc.UndoLastStep(), UDMAC_CREATECON);
    EXPECT_EQ(SceneSnapshot(doc), before);
}

// A creation that fails half way takes back only what it made: the steps
// before it stay undoable.
TEST_F(ConPickDocTest, FailedCreationKeepsTheEarlierSteps)
{
    CFigPickList first;
    first.Add(CPoint(100, 50), a, kPickFree, nullptr);
    first.Add(CPoint(1100, 50), b, kPickFree, nullptr);
    ASSERT_TRUE(doc.CreateConWithUndo(first, nullptr, 2, nullptr));
    const std::string afterFirst = SceneSnapshot(doc);
    CConnector* ab = Cons().at(0);
    CConnector stray(&doc);   // never added: its split fails
    stray.EndPoint1 = CPoint(0, 900);
    stray.EndPoint2 = CPoint(900, 900);
    CFigPickList list;
    list.Add(CPoint(600, 50), nullptr, kPickFree, ab);   // split: made
    list.Add(CPoint(450, 900), nullptr, kPickFree, &stray);
    EXPECT_FALSE(doc.CreateConWithUndo(list, nullptr, 2, nullptr));
    EXPECT_EQ(SceneSnapshot(doc), afterFirst);
    EXPECT_EQ(doc.UndoLastStep(), UDMAC_CREATECON);
    EXPECT_TRUE(Cons().empty());
}

TEST_F(ConPickDocTest, FixedLengthEndsByDirection)
{
    struct Case {
        int angle;
        CPoint e1, e2;
    };
    // Length 100 (half 50) around (500, 300); any other angle reads as 90.
    const Case cases[] = {
        {0, {500, 350}, {500, 250}},   {90, {450, 300}, {550, 300}},  {180, {500, 250}, {500, 350}},
        {270, {550, 300}, {450, 300}}, {45, {450, 300}, {550, 300}},
    };
    doc.m_curConStyle.FragmentCreation = 1;
    doc.m_curConStyle.FragmentLength = 100;
    doc.SetModifiedFlag(false);
    for (const Case& t : cases) {
        doc.m_curConStyle.FragmentAngle = t.angle;
        CPoint e1, e2;
        ASSERT_TRUE(doc.CalcFixedConEnds(CPoint(500, 300), e1, e2)) << t.angle;
        EXPECT_EQ(e1, t.e1) << t.angle;
        EXPECT_EQ(e2, t.e2) << t.angle;
        // Working the ends out changes nothing in the document.
        EXPECT_EQ(doc.m_curConStyle.FragmentAngle, t.angle);
    }
    EXPECT_FALSE(doc.IsModified());
    doc.m_curConStyle.FragmentLength = 0;
    CPoint e1, e2;
    EXPECT_FALSE(doc.CalcFixedConEnds(CPoint(500, 300), e1, e2));
}

TEST_F(ConPickDocTest, AttachModeCommandsSetTheModeAndCheckIt)
{
    CTempProfile profile;   // the settings are saved
    const int setting = AttachMode;
    for (int id : {32807, 32808, 32810}) {
        doc.SetAttachMode(AttachModeOfCommand(id));
        EXPECT_EQ(doc.m_nAttachMode, AttachModeOfCommand(id));
        EXPECT_EQ(AttachMode, doc.m_nAttachMode);
        for (int other : {32807, 32808, 32810})
            EXPECT_EQ(GetDocCommandState(doc, other).checked, other == id) << id << " " << other;
    }
    // A stored 2 is the centres mode.
    doc.SetAttachMode(2);
    EXPECT_EQ(doc.m_nAttachMode, 1);
    AttachMode = setting;
}

// The automatic label of a new connector beside a fresh fragment (both ends
// free, exactly the style's fragment length) sits twice as far from the
// line; a longer connector keeps the plain spacing.
TEST_F(ConPickDocTest, AnAutomaticLabelBesideAFreshFragmentSitsTwiceAsFar)
{
    CConProps props;
    ASSERT_TRUE(doc.m_conStyles.AddConStyle(&props, "Stub", 0, 0, "", "", 1, "no", 1, 1, 400, 90));
    doc.m_nCurConStyle = doc.m_conStyles.GetCount() - 1;
    doc.m_curConStyle = *doc.m_conStyles.GetAt(doc.m_nCurConStyle);
    const std::string before = SceneSnapshot(doc);
    const struct {
        int length, factor;
    } rows[] = {{400, 2}, {500, 1}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.length);
        CFigPickList list;
        list.Add(CPoint(0, 900), nullptr, kPickFree, nullptr);
        list.Add(CPoint(row.length, 900), nullptr, kPickFree, nullptr);
        CDiagObj* made = nullptr;
        ASSERT_TRUE(doc.CreateConWithUndo(list, nullptr, 2, &made));
        ASSERT_NE(made, nullptr);
        ASSERT_EQ(made->GetType(), kObjFigure);
        auto* label = static_cast<CFigure*>(made);
        ASSERT_TRUE(label->IsLatLabel());
        EXPECT_EQ(label->m_pStaple->LateralOffset, row.factor * doc.GetConLblGap());
        EXPECT_EQ(label->m_strText, "no");
        EXPECT_EQ(doc.UndoLastStep(), UDMAC_CREATECON);
        EXPECT_EQ(SceneSnapshot(doc), before);
    }
}

// An end drawn onto a figure away from its centre becomes an automatic
// connection point there, in the step that made the connector; the point
// follows the figure's size and goes again with its last connector.
TEST_F(ConPickDocTest, AClickPointEndBecomesAnAutomaticConnectionPoint)
{
    const std::string before = SceneSnapshot(doc);
    CFigPickList list;
    list.Add(CPoint(200, 30), a, kPickAuto, nullptr);     // on A's right side
    list.Add(CPoint(1100, 650), c, kPickAuto, nullptr);   // C's centre
    ASSERT_TRUE(doc.CreateConWithUndo(list, nullptr, 2, nullptr));
    CConnector* k = Cons().at(0);
    ASSERT_GE(k->m_nConPtId1, 0);
    const CConPt* point = a->m_pConPts ? a->m_pConPts->FindById(k->m_nConPtId1) : nullptr;
    ASSERT_NE(point, nullptr);
    EXPECT_TRUE(point->m_nFlag & kConPtAutomaticFlag);
    EXPECT_EQ(k->m_nConPtId2, kConPtCentre);   // a centre stays the centre
    EXPECT_EQ(c->m_pConPts ? c->m_pConPts->GetCount() : 0, 0);
    // The end is where it was drawn.
    EXPECT_NEAR(k->EndPoint1.x, 200, 1);
    EXPECT_NEAR(k->EndPoint1.y, 30, 1);
    // Deleting the connector takes its point; undo brings both back.
    doc.SelectObj(k, 1, 0, 0);
    const std::string made = SceneSnapshot(doc);
    OnEditClear(doc);
    EXPECT_EQ(a->m_pConPts->GetCount(), 0);
    doc.UndoLastStep();
    EXPECT_EQ(SceneSnapshot(doc), made);
    EXPECT_EQ(doc.UndoLastStep(), UDMAC_CREATECON);
    EXPECT_EQ(SceneSnapshot(doc), before);
}

// A figure that takes no connection points keeps the end's point as it is.
TEST_F(ConPickDocTest, AFigureWithoutConnectionPointsKeepsTheFixedEnd)
{
    a->m_props.Behavior.low |= 0x80000;
    CFigPickList list;
    list.Add(CPoint(200, 30), a, kPickAuto, nullptr);
    list.Add(CPoint(1100, 650), c, kPickAuto, nullptr);
    ASSERT_TRUE(doc.CreateConWithUndo(list, nullptr, 2, nullptr));
    EXPECT_EQ(Cons().at(0)->m_nConPtId1, kConPtFixed);
    EXPECT_EQ(a->m_pConPts ? a->m_pConPts->GetCount() : 0, 0);
}

// A re-routed end takes an automatic point on its new figure and leaves
// the one it had, which nothing else uses, behind.
TEST_F(ConPickDocTest, AReroutedEndMovesItsAutomaticPoint)
{
    CFigPickList list;
    list.Add(CPoint(1100, 650), c, kPickAuto, nullptr);
    list.Add(CPoint(200, 30), a, kPickAuto, nullptr);
    ASSERT_TRUE(doc.CreateConWithUndo(list, nullptr, 2, nullptr));
    CConnector* k = Cons().at(0);
    ASSERT_GE(k->m_nConPtId2, 0);
    const std::string before = SceneSnapshot(doc);
    CFigPickList to;
    to.Add(CPoint(1100, 650), c, kPickAuto, nullptr);
    to.Add(CPoint(1000, 20), b, kPickAuto, nullptr);
    ASSERT_TRUE(doc.CreateConWithUndo(to, k, 2, nullptr));
    EXPECT_EQ(k->m_pFig2, b);
    ASSERT_GE(k->m_nConPtId2, 0);
    EXPECT_NE(b->m_pConPts->FindById(k->m_nConPtId2), nullptr);
    EXPECT_EQ(a->m_pConPts->GetCount(), 0);
    EXPECT_EQ(doc.UndoLastStep(), UDMAC_ROTATECON);
    EXPECT_EQ(SceneSnapshot(doc), before);
}

// With grid snapping the click point goes onto the figure's own outline
// (here a diamond), not onto its rectangle.
TEST_F(ConPickDocTest, SnappedClickPointLiesOnTheHotZoneOutline)
{
    const CFltPoint diamond[] = {{1024, 0}, {2048, 1024}, {1024, 2048}, {0, 1024}, {1024, 0}};
    ASSERT_TRUE(a->m_outline.Set(5, diamond));   // A is (0, 0, 200, 100)
    ConTargetRules rules;
    rules.clickPoint = true;
    rules.snap = true;
    ConTarget t;
    ASSERT_TRUE(doc.FindConTarget(CPoint(140, 30), 4, nullptr, rules, t));
    ASSERT_EQ(t.fig, a);
    EXPECT_EQ(t.conPt, kPickAuto);
    EXPECT_NEAR(std::abs(t.pt.x - 100) + 2 * std::abs(t.pt.y - 50), 100, 2) << t.pt.x << "," << t.pt.y;
    // Without an outline of its own the rectangle holds.
    a->m_outline.Clear();
    ASSERT_TRUE(doc.FindConTarget(CPoint(140, 30), 4, nullptr, rules, t));
    EXPECT_EQ(t.pt, CPoint(140, 0));
}

// A point within the tolerance of the previous point's vertical or
// horizontal line is put on it; one just outside stays.
TEST_F(ConPickDocTest, APointNearThePreviousPointsLineIsPutOnIt)
{
    ConTargetRules rules;
    rules.noAttach = true;
    const POINT ref{600, 400};
    const struct {
        CPoint in, out;
    } rows[] = {
        {{604, 700}, {600, 700}}, {{596, 700}, {600, 700}}, {{605, 700}, {605, 700}},
        {{900, 397}, {900, 400}}, {{900, 395}, {900, 395}}, {{603, 402}, {600, 400}},
    };
    for (const auto& row : rows) {
        ConTarget t;
        ASSERT_TRUE(doc.FindConTarget(row.in, 4, &ref, rules, t));
        EXPECT_EQ(t.pt, row.out) << row.in.x << "," << row.in.y;
    }
}

// ---- the pick list of a dragged connector end and its chain

namespace {
struct RerouteChainTest : ConPickDocTest {
    // A chain from A through `inner` junctions on a row to C; the
    // connectors in order from A.
    std::vector<CConnector*> MakeChain(int inner)
    {
        std::vector<CFigure*> ends{a};
        for (int i = 0; i < inner; ++i)
            ends.push_back(doc.CreateFigAt(CPoint(300 + 2 * i, 400 + (i % 2) * 60), 1));
        ends.push_back(c);
        std::vector<CConnector*> cons;
        for (size_t i = 0; i + 1 < ends.size(); ++i)
            cons.push_back(doc.CreateCon(ends[i], ends[i + 1], kConPtCentre, kConPtCentre, ends[i]->GetCenter(),
                                         ends[i + 1]->GetCenter(), 0, doc.m_curConStyle.m_props));
        return cons;
    }
    std::vector<CFigure*> Figs(const CFigPickList& list) const
    {
        std::vector<CFigure*> out;
        for (int i = 1; i <= list.GetCount(); ++i)
            out.push_back(list.GetAt(i)->fig);
        return out;
    }
};
} // namespace

// The list runs from the chain's far end through each junction to the end
// being dragged; a junction of three stops the chain.
TEST_F(RerouteChainTest, TheListFollowsTheChainToTheDraggedEnd)
{
    const std::vector<CConnector*> k = MakeChain(2);
    CFigure* j1 = k[0]->m_pFig2;
    CFigure* j2 = k[1]->m_pFig2;
    CFigPickList list;
    ASSERT_TRUE(MakeReroutePicks(doc, k[2], 2, false, list));
    EXPECT_EQ(Figs(list), (std::vector<CFigure*>{a, j1, j2, c}));
    EXPECT_EQ(list.GetAt(4)->pt, k[2]->EndPoint2);
    ASSERT_TRUE(MakeReroutePicks(doc, k[0], 1, false, list));
    EXPECT_EQ(Figs(list), (std::vector<CFigure*>{c, j2, j1, a}));
    // From the middle connector only away from the dragged end.
    ASSERT_TRUE(MakeReroutePicks(doc, k[1], 2, false, list));
    EXPECT_EQ(Figs(list), (std::vector<CFigure*>{a, j1, j2}));
    // A branch off J1 makes it a junction of three: the chain stops there.
    ASSERT_NE(doc.CreateCon(j1, b, kConPtCentre, kConPtCentre, j1->GetCenter(), b->GetCenter(), 0,
                            doc.m_curConStyle.m_props),
              nullptr);
    ASSERT_TRUE(MakeReroutePicks(doc, k[2], 2, false, list));
    EXPECT_EQ(Figs(list), (std::vector<CFigure*>{j1, j2, c}));
}

// With the replace flag the chain's connectors and junctions are flagged
// (hit tests pass over them) and the first of them in the object list is
// the order position; the end figures are not flagged.
TEST_F(RerouteChainTest, ReplaceFlagsTheChainAndNotesItsFirstPosition)
{
    const std::vector<CConnector*> k = MakeChain(1);
    CFigure* j = k[0]->m_pFig2;
    CFigPickList list;
    int order = -2;
    ASSERT_TRUE(MakeReroutePicks(doc, k[1], 2, true, list, &order));
    for (const CDiagObj* o : std::vector<CDiagObj*>{k[0], k[1], j})
        EXPECT_EQ(o->m_bTemp, 1);
    for (const CDiagObj* o : std::vector<CDiagObj*>{a, b, c})
        EXPECT_EQ(o->m_bTemp, 0);
    EXPECT_EQ(order, doc.m_pObjList->Find(j));
    EXPECT_EQ(doc.ConFromPoint(k[1]->EndPoint1.x, k[1]->EndPoint1.y, 4, true), nullptr);
}

// A closed ring of connectors ends at the dragged end's own junction.
TEST_F(RerouteChainTest, ARingEndsWhereItBegan)
{
    CFigure* j[3];
    for (int i = 0; i < 3; ++i)
        j[i] = doc.CreateFigAt(CPoint(300 + 400 * i, 300 + 200 * (i % 2)), 1);
    CConnector* k[3];
    for (int i = 0; i < 3; ++i)
        k[i] = doc.CreateCon(j[i], j[(i + 1) % 3], kConPtCentre, kConPtCentre, j[i]->GetCenter(),
                             j[(i + 1) % 3]->GetCenter(), 0, doc.m_curConStyle.m_props);
    CFigPickList list;
    ASSERT_TRUE(MakeReroutePicks(doc, k[0], 2, false, list));
    EXPECT_EQ(Figs(list), (std::vector<CFigure*>{j[1], j[2], j[0], j[1]}));
}

// At most 999 connectors beyond the dragged one are followed; a longer
// chain is refused and nothing is flagged.
TEST_F(RerouteChainTest, AChainLongerThanTheStepLimitIsRefused)
{
    const std::vector<CConnector*> k = MakeChain(kMaxRerouteSteps + 1);
    CFigPickList list;
    // From the second connector's start: 999 connectors beyond it.
    EXPECT_TRUE(MakeReroutePicks(doc, k[1], 1, true, list));
    EXPECT_EQ(list.GetCount(), CFigPickList::kMaxEntries);
    EXPECT_EQ(list.GetLastFig(), k[1]->m_pFig1);
    doc.m_pObjList->ClearTempFlags();
    // From the last connector's end: 1000 beyond it.
    EXPECT_FALSE(MakeReroutePicks(doc, k.back(), 2, true, list));
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(k[0]->m_bTemp, 0);
}
