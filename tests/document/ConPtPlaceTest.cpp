// Where connection points go on their figure, and the automatic points
// that go again when no connector uses them.
#include "common/DiagramFixture.h"
#include "core/Settings.h"
#include "core/UIMode.h"
#include "document/ConPtPlace.h"

#include <gtest/gtest.h>

// The place is (p - left) * 2048 / size in integers, a point on the right
// or bottom side counted one unit inside: the right side of a figure w wide
// is (w - 1) * 2048 / w, which is 2047 only for w = 2048.
TEST(ConPtPlaceTest, AddPlacesByTheFormula)
{
    struct Case {
        CRect rc;
        CPoint p;
        bool ok;
        float x, y;
    } cases[] = {
        {CRect(0, 0, 100, 50), CPoint(0, 0), true, 0, 0},
        {CRect(0, 0, 100, 50), CPoint(50, 25), true, 1024, 1024},
        {CRect(0, 0, 100, 50), CPoint(100, 50), true, 99 * 2048 / 100, 49 * 2048 / 50},
        {CRect(0, 0, 100, 50), CPoint(100, 25), true, 2027, 1024},
        {CRect(0, 0, 2048, 2048), CPoint(2048, 2048), true, 2047, 2047},
        {CRect(10, 20, 310, 120), CPoint(160, 70), true, 1024, 1024},
        {CRect(0, 0, 100, 50), CPoint(101, 25), false, 0, 0},
        {CRect(0, 0, 100, 50), CPoint(-1, 25), false, 0, 0},
        {CRect(0, 0, 100, 50), CPoint(50, 51), false, 0, 0},
        {CRect(5, 5, 5, 50), CPoint(5, 20), false, 0, 0},   // no width: no point
        {CRect(5, 5, 50, 5), CPoint(20, 5), false, 0, 0},
    };
    for (const Case& c : cases) {
        CFltPoint out;
        ASSERT_EQ(ConPtPlaceForAdd(c.rc, c.p, out), c.ok) << c.p.x << "," << c.p.y;
        if (c.ok) {
            EXPECT_EQ(out.x, c.x) << c.p.x << "," << c.p.y;
            EXPECT_EQ(out.y, c.y) << c.p.x << "," << c.p.y;
        }
    }
}

// A moved point may sit on the right and bottom sides themselves.
TEST(ConPtPlaceTest, MoveAcceptsTheFarSides)
{
    CFltPoint out;
    ASSERT_TRUE(ConPtPlaceForMove(CRect(0, 0, 100, 50), CPoint(100, 50), out));
    EXPECT_EQ(out.x, 2048.0f);
    EXPECT_EQ(out.y, 2048.0f);
    EXPECT_FALSE(ConPtPlaceForMove(CRect(0, 0, 100, 50), CPoint(101, 50), out));
    EXPECT_FALSE(ConPtPlaceForMove(CRect(0, 0, 100, 50), CPoint(100, 51), out));
    EXPECT_FALSE(ConPtPlaceForMove(CRect(0, 0, 0, 50), CPoint(0, 10), out));
    // The left and top sides are inside too.
    ASSERT_TRUE(ConPtPlaceForMove(CRect(10, 20, 110, 70), CPoint(10, 20), out));
    EXPECT_EQ(out.x, 0.0f);
    EXPECT_EQ(out.y, 0.0f);
    EXPECT_FALSE(ConPtPlaceForMove(CRect(10, 20, 110, 70), CPoint(9, 20), out));
    EXPECT_FALSE(ConPtPlaceForMove(CRect(10, 20, 110, 70), CPoint(10, 19), out));
}

namespace {
struct AutoConPtTest : testing::Test {
    void SetUp() override
    {
        a = fx.AddBox(0, 0, 200, 100, "A");
        b = fx.AddBox(600, 0, 200, 100, "B");
        con = fx.Connect(a, b);
    }
    int AddAuto(CFigure* f, const POINT& pt)
    {
        int32_t key = -1;
        fx.doc.UndoLogRef().UndoBeginStep(40);
        EXPECT_TRUE(fx.doc.AddAutoConPt(f, pt, key, true, false));
        fx.doc.UndoLogRef().UndoEndStep();
        return key;
    }
    DiagramFixture fx;
    CFigure* a = nullptr;
    CFigure* b = nullptr;
    CConnector* con = nullptr;
};
} // namespace

TEST_F(AutoConPtTest, AnAutomaticPointGoesWithItsLastConnector)
{
    const int key = AddAuto(a, POINT{200, 50});
    ASSERT_GT(key, 0);
    con->m_nConPtId1 = key;
    EXPECT_EQ(fx.doc.CountConsAtConPt(a, key), 1);
    EXPECT_FALSE(fx.doc.DropAutoConPt(a, key));   // still used
    con->m_nConPtId1 = -1;
    EXPECT_TRUE(fx.doc.DropAutoConPt(a, key));
    EXPECT_EQ(a->m_pConPts->GetCount(), 0);
}

TEST_F(AutoConPtTest, PurgeKeepsUsedAndHandMadePoints)
{
    const int used = AddAuto(a, POINT{200, 50});
    AddAuto(a, POINT{0, 50});
    AddAuto(a, POINT{100, 0});
    int32_t hand = -1;
    fx.doc.UndoLogRef().UndoBeginStep(40);
    ASSERT_TRUE(fx.doc.AddAutoConPt(a, POINT{100, 100}, hand, false, false));
    fx.doc.UndoLogRef().UndoEndStep();
    AddAuto(b, POINT{600, 50});
    con->m_nConPtId1 = used;
    fx.doc.PurgeAutoConPts();
    ASSERT_EQ(a->m_pConPts->GetCount(), 2);
    EXPECT_NE(a->m_pConPts->FindById(used), nullptr);
    EXPECT_NE(a->m_pConPts->FindById(hand), nullptr);
    EXPECT_EQ(b->m_pConPts->GetCount(), 0);
}

TEST_F(AutoConPtTest, JunctionsAndSwitchedOffFiguresTakeNoPoints)
{
    CFigure* jct = fx.doc.CreateFigAt(CPoint(300, 300), 1);
    fx.Connect(a, jct);
    EXPECT_FALSE(fx.doc.AcceptsConPts(jct));
    EXPECT_TRUE(fx.doc.AcceptsConPts(b));
    b->m_props.Behavior.low |= 0x80000;
    EXPECT_FALSE(fx.doc.AcceptsConPts(b));
    EXPECT_FALSE(fx.doc.AddConPtWithUndo(b, POINT{700, 50}, nullptr, false));
    EXPECT_FALSE(fx.doc.AddConPtWithUndo(a, POINT{700, 50}, nullptr, false));   // outside A
    EXPECT_EQ(fx.doc.UndoLogRef().m_nStepsRecorded, 0u);
}

TEST_F(AutoConPtTest, UseConnectionPointsSwitchesAndLeavesTheMode)
{
    const int setting = EnableConPts;
    fx.doc.m_bEnableConPts = 1;
    g_nUIMode = 7;
    fx.doc.OnUseConPts();
    EXPECT_EQ(fx.doc.m_bEnableConPts, 0);
    EXPECT_EQ(EnableConPts, 0);
    EXPECT_EQ(g_nUIMode, SelectMode == 1 ? 1 : 0);
    fx.doc.OnUseConPts();
    EXPECT_EQ(fx.doc.m_bEnableConPts, 1);
    EXPECT_EQ(EnableConPts, 1);
    EnableConPts = setting;
    g_nUIMode = 0;
}

// Renumbering the ids drops the automatic points no connector uses.
TEST_F(AutoConPtTest, RenumberingDropsUnusedAutomaticPoints)
{
    const int used = AddAuto(a, POINT{200, 50});
    AddAuto(a, POINT{0, 50});
    con->m_nConPtId1 = used;
    ASSERT_EQ(a->m_pConPts->GetCount(), 2);
    EXPECT_TRUE(fx.doc.RenumberIDs(1));
    ASSERT_EQ(a->m_pConPts->GetCount(), 1);
    EXPECT_NE(a->m_pConPts->FindById(used), nullptr);
}

// The point under the pointer is the one whose square of the tolerance holds
// it, sides included; the nearest flag (or a figure that always answers the
// nearest) takes the nearest point anywhere.
TEST_F(AutoConPtTest, ThePointUnderThePointerIsFoundInItsSquare)
{
    a->m_pConPts = std::make_unique<CConPtList>();
    const int left = a->m_pConPts->AddConPt(CFltPoint(512, 1024), "", 0, true, -1);   // (50, 50)
    const int right = a->m_pConPts->AddConPt(CFltPoint(1536, 1024), "", 0, true, -1); // (150, 50)
    const struct {
        CPoint at;
        bool nearest;
        int key;
    } rows[] = {
        {CPoint(50, 50), false, left},   {CPoint(54, 54), false, left},  {CPoint(46, 46), false, left},
        {CPoint(55, 50), false, -1},     {CPoint(50, 45), false, -1},    {CPoint(146, 54), false, right},
        {CPoint(90, 80), false, -1},     {CPoint(90, 80), true, left},   {CPoint(110, 20), true, right},
    };
    for (const auto& r : rows)
        EXPECT_EQ(a->ConPtFromPoint(r.at, 4, r.nearest), r.key) << r.at.x << "," << r.at.y << " " << r.nearest;
    a->m_props.Behavior.low |= 0x2000000;
    EXPECT_EQ(a->ConPtFromPoint(CPoint(110, 20), 4, false), right);
    a->m_props.Behavior.low |= 0x8000000;
    EXPECT_EQ(a->ConPtFromPoint(CPoint(110, 20), 4, false), -1);
    a->m_props.Behavior.low |= 0x80000;
    EXPECT_EQ(a->ConPtFromPoint(CPoint(50, 50), 4, true), -1) << "a figure without connection points";
}
