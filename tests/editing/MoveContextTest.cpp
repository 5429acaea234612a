// Which objects follow a move, how far it may go and the guides it snaps to.
#include "document/EditScenarioSupport.h"

#include "editing/MoveContext.h"

#include <algorithm>

namespace {
class MoveContextTest : public DocTest {
protected:
    void SetUp() override
    {
        DocTest::SetUp();
        InstallMoveContext();
        a = AddTextFig(doc, 0, 0);          // centre (100, 50)
        b = AddTextFig(doc, 1000, 0);       // centre (1100, 50)
    }

    // B becomes a tall figure whose left side carries connection point 1 at
    // the given height fraction (0 top .. 2048 bottom); the connector's end 2
    // is attached there.
    void MakeSlidingEnd(CConnector* c, float fraction)
    {
        b->SetRectNoUndo(CRect(1000, -200, 1100, 300));
        b->m_props.Behavior.high |= 4;
        b->m_pConPts = std::make_unique<CConPtList>();
        b->m_bHasConPts = 1;
        const int id = b->m_pConPts->AddConPt(CFltPoint(0.0f, fraction), "", 0, true, -1);
        c->m_nConPtId2 = id;
        CPoint at;
        ASSERT_TRUE(b->m_pConPts->GetConPtPoint(id, b->m_rect, at));
        c->EndPoint2 = at;
        c->EndPoint1.y = at.y;
    }

    bool Follows(const CDiagObj* o) const
    {
        const CObjList& f = *doc.m_moveSet.GetList();
        return std::find(f.begin(), f.end(), o) != f.end() && o->m_bFollow;
    }

    CFigure* a = nullptr;
    CFigure* b = nullptr;
};
} // namespace

TEST_F(MoveContextTest, StraightConnectorPullsTheFarFigureAlongItsAxis)
{
    CConnector* c = AddConBetween(doc, a, b, true);
    doc.SelectObj(a, 1, 0, 0);
    EXPECT_TRUE(Follows(a) && Follows(c) && Follows(b));
    EXPECT_EQ(b->m_nFixedAxes, 2);     // x held, y follows
    EXPECT_EQ(c->m_nFixedAxes, 0x20);  // end 2 keeps its x
    EXPECT_EQ(doc.m_moveSet.m_nUp, CMoveSet::kUnlimited);
    ASSERT_EQ(doc.m_moveSet.m_nYGuides, 1);
    EXPECT_EQ(doc.m_moveSet.m_yGuides[0], 50);
    EXPECT_EQ(doc.m_moveSet.m_nXGuides, 0);

    const std::string before = SceneSnapshot(doc);
    ASSERT_EQ(doc.MoveSelection(10, 20, 0, false), 1);
    EXPECT_EQ(a->m_rect, CRect(10, 20, 210, 120));
    EXPECT_EQ(b->m_rect, CRect(1000, 20, 1200, 120));
    // Both ends went down with the figures: the connector stays straight.
    EXPECT_EQ(c->EndPoint1.y, 70);
    EXPECT_EQ(c->EndPoint2.y, 70);
    EXPECT_TRUE(c->IsHorizontalLock());
    doc.UndoLastStep();
    EXPECT_EQ(SceneSnapshot(doc), before);
}

TEST_F(MoveContextTest, SlidingEndLeavesTheFigureAndLimitsTheMove)
{
    CConnector* c = AddConBetween(doc, a, b, true);
    MakeSlidingEnd(c, 1024.0f);   // middle of the left side: y = 50
    doc.SelectConAndEnds(c, 1, 0, true);   // the sliding end's figure stays out
    EXPECT_FALSE(b->m_bSelected);
    EXPECT_TRUE(Follows(a) && Follows(c));
    EXPECT_FALSE(Follows(b));
    EXPECT_EQ(doc.m_moveSet.m_nUp, 50 - (-200) - 1);
    EXPECT_EQ(doc.m_moveSet.m_nDown, 300 - 50 - 1);
    // Limited on the vertical axis only: no horizontal move at all.
    EXPECT_EQ(doc.m_moveSet.m_nLeft, 0);
    EXPECT_EQ(doc.m_moveSet.m_nRight, 0);

    int dx = 40, dy = 400;
    doc.m_moveSet.ClampOffset(dx, dy);
    EXPECT_EQ(dx, 0);
    EXPECT_EQ(dy, 249);
    dy = -400;
    doc.m_moveSet.ClampOffset(dx, dy);
    EXPECT_EQ(dy, -249);

    const std::string before = SceneSnapshot(doc);
    ASSERT_EQ(doc.MoveSelection(0, 100, 0, false), 1);
    EXPECT_EQ(b->m_rect, CRect(1000, -200, 1100, 300));   // stays
    EXPECT_EQ(c->EndPoint2, CPoint(1000, 150));            // the point slid along
    CPoint at;
    ASSERT_TRUE(b->m_pConPts->GetConPtPoint(c->m_nConPtId2, b->m_rect, at));
    EXPECT_EQ(at.y, 150);
    EXPECT_EQ(doc.m_moveSet.m_nUp, 249 + 100);   // the room shifts with the move
    EXPECT_EQ(doc.m_moveSet.m_nDown, 249 - 100);
    doc.UndoLastStep();
    EXPECT_EQ(SceneSnapshot(doc), before);
    ASSERT_TRUE(b->m_pConPts->GetConPtPoint(c->m_nConPtId2, b->m_rect, at));
    EXPECT_EQ(at.y, 50);
}

TEST_F(MoveContextTest, ContextTable)
{
    struct Case {
        const char* what;
        std::function<void()> build;
        int up;
        int yGuides;
    };
    CConnector* second = nullptr;
    CFigure* c3 = nullptr;
    const std::vector<Case> cases = {
        {"no straight connectors: nothing limits, no guides", [&] { AddConBetween(doc, a, b, false); },
         CMoveSet::kUnlimited, 0},
        {"an end on the very top of its side gives no room, never a forced move",
         [&] {
             CConnector* c = AddConBetween(doc, a, b, true);
             MakeSlidingEnd(c, 0.0f);
             doc.AddObjToSel(c, 2, false);
         },
         0, 1},
        {"two horizontal connectors at different heights give no y guide",
         [&] {
             AddConBetween(doc, a, b, true);
             c3 = AddTextFig(doc, 0, 500);
             CFigure* d = AddTextFig(doc, 1000, 500);
             second = AddConBetween(doc, c3, d, true);
             doc.AddObjToSel(c3, 2, false);
         },
         CMoveSet::kUnlimited, 0},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(doc.OnNewDocument());
        a = AddTextFig(doc, 0, 0);
        b = AddTextFig(doc, 1000, 0);
        c.build();
        doc.AddObjToSel(a, 2, false);
        doc.RefreshSelection(0);
        EXPECT_EQ(doc.m_moveSet.m_nUp, c.up) << c.what;
        EXPECT_EQ(doc.m_moveSet.m_nYGuides, c.yGuides) << c.what;
        EXPECT_TRUE(Follows(a)) << c.what;
        doc.ClearSel(false);
    }
    EXPECT_TRUE(Follows(second));
}

TEST_F(MoveContextTest, SingleGuideSnapsTheOffset)
{
    AddConBetween(doc, a, b, true);
    doc.m_bAlignToGrid = 1;
    doc.m_nSnapX = doc.m_nSnapY = 32;
    doc.SelectObj(a, 1, 0, 0);
    ASSERT_EQ(doc.m_moveSet.m_nYGuides, 1);
    int dx = 5, dy = 20;   // the guide at 50 would land on 70: the grid takes it to 64
    doc.SnapMoveOffset(dx, dy);
    EXPECT_EQ(dx, 5);
    EXPECT_EQ(dy, 14);
    doc.m_moveSet.m_bSnap = 0;
    dy = 20;
    doc.SnapMoveOffset(dx, dy);
    EXPECT_EQ(dy, 20);
}

TEST_F(MoveContextTest, ASlidingEndStillFollowsItsFigureOnTheOtherAxis)
{
    CConnector* c = AddConBetween(doc, a, b, true);
    MakeSlidingEnd(c, 1024.0f);
    doc.SelectConAndEnds(c, 1, 0, true);
    // B goes along horizontally (held only in y); end 2 slides vertically.
    doc.m_moveSet.GetList()->AddTail(b);
    b->m_bFollow = 1;
    b->m_nFixedAxes = 1;
    c->m_nFixedAxes &= uint8_t(~0x20);
    const std::string before = SceneSnapshot(doc);
    ASSERT_EQ(doc.MoveSelection(10, 30, 0, false), 1);
    EXPECT_EQ(b->m_rect, CRect(1010, -200, 1110, 300));
    EXPECT_EQ(c->EndPoint2, CPoint(1010, 80));
    doc.UndoLastStep();
    EXPECT_EQ(SceneSnapshot(doc), before);
}

TEST_F(MoveContextTest, AnOffsetIsCutToTheLimitOfItsOwnDirection)
{
    CMoveSet m;
    m.m_nUp = 10;
    m.m_nDown = 20;
    m.m_nLeft = 30;
    m.m_nRight = 40;
    const struct {
        int dx, dy, x, y;
    } rows[] = {{100, 100, 40, 20}, {-100, -100, -30, -10}, {5, -5, 5, -5}, {-35, 15, -30, 15}, {35, -15, 35, -10}};
    for (const auto& row : rows) {
        int dx = row.dx, dy = row.dy;
        m.ClampOffset(dx, dy);
        EXPECT_EQ(CPoint(dx, dy), CPoint(row.x, row.y)) << row.dx << "," << row.dy;
    }
}

// A straight connector with one free end: it goes with its figure when that
// moves, stays when only the connector is picked, and a free end goes with a
// sliding end so that the line stays straight.
TEST_F(MoveContextTest, AConnectorWithAFreeEnd)
{
    const struct {
        const char* what;
        bool slidingEnd;   // end 1 free, end 2 sliding on B; else end 1 on A, end 2 free
        bool withFigure;   // A is selected too
        int bits;          // the connector's fixed-axis bits
        bool follows;
    } rows[] = {
        {"with its figure: free", false, true, 0, true},
        {"alone, its figure held: held", false, false, 60, false},
        {"a sliding end frees the free end on that axis", true, false, 8 | 32, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        ASSERT_TRUE(doc.OnNewDocument());
        a = AddTextFig(doc, 0, 0);
        b = AddTextFig(doc, 1000, 0);
        CConnector* c = nullptr;
        if (row.slidingEnd) {
            c = AddConBetween(doc, nullptr, b, true);
            MakeSlidingEnd(c, 1024.0f);
            c->EndPoint1.x = 400;
        } else {
            c = AddConBetween(doc, a, nullptr, true);
            c->EndPoint2 = CPoint(600, c->EndPoint1.y);
        }
        doc.ClearSel(false);
        doc.AddObjToSel(c, 2, false);
        if (row.withFigure)
            doc.AddObjToSel(a, 2, false);
        doc.RefreshSelection(0);
        EXPECT_EQ(int(c->m_nFixedAxes), row.bits);
        EXPECT_EQ(Follows(c), row.follows);
        if (!row.follows)
            continue;
        const CPoint end1 = c->EndPoint1, end2 = c->EndPoint2;
        ASSERT_EQ(doc.MoveSelection(0, 40, 0, false), 1);
        // An attached end stays on its figure's outline; the line stays level.
        EXPECT_EQ(c->EndPoint1.y, end1.y + 40);
        EXPECT_EQ(c->EndPoint2, end2 + CSize(0, 40));
    }
}

// The pull of straight connectors runs on along a chain and on either axis;
// a connector that is not straight pulls nothing. The single guide is the
// shared end coordinate of the straight connectors that follow.
TEST_F(MoveContextTest, PullRunsAlongChainsOnEitherAxis)
{
    const struct {
        const char* what;
        bool ab, bc, ad;          // connectors present: A-B, B-C (straight), A-D (straight)
        bool abStraight;
        bool abFromB;             // A-B drawn from B to A
        int bBits, cBits, dBits;  // fixed-axis bits after A is selected
        int xGuides, yGuides;
    } rows[] = {
        {"a chain of horizontal connectors pulls both in y", true, true, false, true, false, 2, 2, 3, 0, 1},
        {"drawn toward the moving figure, it pulls all the same", true, false, false, true, true, 2, 3, 3, 0, 1},
        {"a vertical connector pulls in x", false, false, true, true, false, 3, 3, 1, 1, 0},
        {"both axes at once", true, false, true, true, false, 2, 3, 1, 1, 1},
        {"a bent connector pulls nothing", true, true, false, false, false, 3, 3, 3, 0, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        ASSERT_TRUE(doc.OnNewDocument());
        a = AddTextFig(doc, 0, 0);            // B right of A, C right of B, D below A
        b = AddTextFig(doc, 1000, 0);
        CFigure* c = AddTextFig(doc, 2000, 0);
        CFigure* d = AddTextFig(doc, 0, 1000);
        CConnector* fromA = nullptr;
        if (row.ab)
            fromA = row.abFromB ? AddConBetween(doc, b, a, row.abStraight) : AddConBetween(doc, a, b, row.abStraight);
        if (row.bc)
            AddConBetween(doc, b, c, true);
        if (row.ad)
            fromA = AddConBetween(doc, a, d, true);
        doc.SelectObj(a, 1, 0, 0);
        EXPECT_EQ(int(b->m_nFixedAxes), row.bBits);
        EXPECT_EQ(int(c->m_nFixedAxes), row.cBits);
        EXPECT_EQ(int(d->m_nFixedAxes), row.dBits);
        EXPECT_EQ(Follows(b), row.bBits != 3);
        EXPECT_EQ(Follows(c), row.cBits != 3);
        EXPECT_EQ(Follows(d), row.dBits != 3);
        EXPECT_TRUE(Follows(fromA));
        EXPECT_EQ(doc.m_moveSet.m_nXGuides, row.xGuides);
        EXPECT_EQ(doc.m_moveSet.m_nYGuides, row.yGuides);
        if (row.xGuides) {
            EXPECT_EQ(doc.m_moveSet.m_xGuides[0], 100);
        }
        if (row.yGuides) {
            EXPECT_EQ(doc.m_moveSet.m_yGuides[0], 50);
        }
        for (int limit : {doc.m_moveSet.m_nUp, doc.m_moveSet.m_nDown, doc.m_moveSet.m_nLeft, doc.m_moveSet.m_nRight})
            EXPECT_EQ(limit, CMoveSet::kUnlimited);
        // Moving A: each figure goes on its free axes.
        std::vector<std::pair<CFigure*, CRect>> rects;
        for (CFigure* f : {a, b, c, d}) {
            CRect want = f->m_rect;
            want.OffsetRect((f->m_nFixedAxes & 2) ? 0 : 10, (f->m_nFixedAxes & 1) ? 0 : 40);
            rects.push_back({f, want});
        }
        ASSERT_EQ(doc.MoveSelection(10, 40, 0, false), 1);
        for (const auto& [f, want] : rects)
            EXPECT_EQ(f->m_rect, want);
    }
}

// A straight connector from a moving figure to a free end: the free end
// goes with the figure across the line so that it stays straight, but
// keeps its place along it.
TEST_F(MoveContextTest, AFreeEndKeepsTheLineStraight)
{
    for (bool level : {true, false}) {
        SCOPED_TRACE(level);
        ASSERT_TRUE(doc.OnNewDocument());
        a = AddTextFig(doc, 0, 0);
        CConnector* c = AddConBetween(doc, a, nullptr, true);
        c->EndPoint2 = level ? CPoint(600, c->EndPoint1.y) : CPoint(c->EndPoint1.x, 600);
        doc.SelectObj(a, 1, 0, 0);
        EXPECT_EQ(int(c->m_nFixedAxes), level ? 32 : 16);
        EXPECT_TRUE(Follows(c));
        const CPoint end2 = c->EndPoint2;
        ASSERT_EQ(doc.MoveSelection(10, 40, 0, false), 1);
        EXPECT_EQ(c->EndPoint2, end2 + (level ? CSize(0, 40) : CSize(10, 0)));
    }
}

// Moved by a command, a container takes the objects inside it along; after
// a selection change (mode 0) it does not. A group with a moving member
// moves whole.
TEST_F(MoveContextTest, ContainersAndGroupsTakeTheirMembersAlong)
{
    CFigure* box = AddTextFig(doc, 3000, 3000, 1000, 1000);
    box->m_props.Behavior.low |= 0x20000000;
    CFigure* inside = AddTextFig(doc, 3200, 3200, 100, 50);
    for (int mode : {0, 1, 2}) {
        CObjList moving;
        ASSERT_TRUE(moving.AddTail(box));
        BuildMoveContextFor(doc, &moving, doc.m_pObjList.get(), mode);
        EXPECT_TRUE(Follows(box)) << mode;
        EXPECT_EQ(Follows(inside), mode != 0) << mode;
        EXPECT_EQ(int(inside->m_nFixedAxes), mode != 0 ? 0 : 3) << "carried on both axes";
        EXPECT_FALSE(Follows(a)) << mode;
        moving.RemoveAll();
    }
    doc.ClearSel(false);
    doc.AddObjToSel(a, 2, false);
    doc.AddObjToSel(b, 2, false);
    doc.OnGroup();
    ASSERT_NE(a->m_pGroup, nullptr);
    CObjList moving;
    ASSERT_TRUE(moving.AddTail(a));
    BuildMoveContextFor(doc, &moving, doc.m_pObjList.get(), 0);
    EXPECT_TRUE(Follows(b));
    EXPECT_EQ(int(b->m_nFixedAxes), 0);
    EXPECT_FALSE(Follows(inside));
    moving.RemoveAll();
}
