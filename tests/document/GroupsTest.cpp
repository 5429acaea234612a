// The group commands, group handles and the group record.
#include "EditScenarioSupport.h"

#include "core/QuestionPrompt.h"
#include "core/Settings.h"
#include "core/MessageBeep.h"
#include "geometry/IntGeometry.h"
#include "platform/CPainterDC.h"
#include "platform/Prompt.h"

#include <QImage>

#include <climits>

namespace {
int g_beeps = 0;
int g_questions = 0;

class GroupsTest : public DocTest {
protected:
    void SetUp() override
    {
        DocTest::SetUp();
        g_beeps = 0;
        m_oldBeep = SetMessageBeepHandler([](UINT) { ++g_beeps; });
    }
    void TearDown() override { SetMessageBeepHandler(m_oldBeep); }

    CGroup* MakeGroup(std::initializer_list<CDiagObj*> members)
    {
        auto* g = new CGroup;
        for (CDiagObj* o : members)
            g->AddMember(o);
        EXPECT_TRUE(doc.AddGroupWithId(g));
        return g;
    }

    MessageBeepHandler m_oldBeep = nullptr;
};
} // namespace

TEST_F(GroupsTest, GroupGathersScatteredMembersBehindTheFrontOne)
{
    CFigure* a = AddTextFig(doc, 0, 0);
    CFigure* x = AddTextFig(doc, 0, 1000);
    CFigure* b = AddTextFig(doc, 500, 0);
    CFigure* y = AddTextFig(doc, 500, 1000);
    CFigure* c = AddTextFig(doc, 1000, 0);
    for (CFigure* f : {a, b, c})
        doc.AddObjToSel(f, 2, false);
    doc.ResetUndoLog();
    const std::string before = SceneSnapshot(doc);
    doc.OnGroup();
    EXPECT_EQ(Ids(*doc.m_pObjList), (std::vector<int>{x->m_nId, y->m_nId, a->m_nId, b->m_nId, c->m_nId}));
    ASSERT_EQ(doc.m_groupList.size(), 1u);
    CGroup* g = doc.m_groupList[0];
    EXPECT_EQ(g->GetCount(), 3);
    EXPECT_TRUE(g->m_bSelected);
    for (CFigure* f : {a, b, c})
        EXPECT_EQ(f->m_pGroup, g);
    EXPECT_FALSE(doc.CanGroup());   // all in one group now
    doc.UndoLastStep();
    EXPECT_EQ(SceneSnapshot(doc), before);
}

TEST_F(GroupsTest, AConnectorToOutsideFiguresIsLeftOutAndOneObjectBeeps)
{
    CFigure* p = AddTextFig(doc, 0, 0);
    CFigure* q = AddTextFig(doc, 0, 1000);
    CFigure* r = AddTextFig(doc, 1000, 1000);
    CConnector* c = AddConBetween(doc, q, r);
    doc.AddObjToSel(p, 2, false);
    doc.AddObjToSel(c, 2, false);
    doc.ResetUndoLog();
    const std::string before = SceneSnapshot(doc);
    doc.OnGroup();
    EXPECT_EQ(g_beeps, 1);
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_EQ(SceneSnapshot(doc), before);
    // With both end figures the connector goes into the group.
    doc.AddObjToSel(q, 2, false);
    doc.AddObjToSel(r, 2, false);
    doc.OnGroup();
    ASSERT_EQ(doc.m_groupList.size(), 1u);
    EXPECT_EQ(doc.m_groupList[0]->GetCount(), 4);
    EXPECT_EQ(c->m_pGroup, doc.m_groupList[0]);
}

TEST_F(GroupsTest, UngroupRegroupAndTheMemoryOfTheLastGroup)
{
    CFigure* a = AddTextFig(doc, 0, 0);
    CFigure* b = AddTextFig(doc, 500, 0);
    CFigure* c = AddTextFig(doc, 0, 500);
    CFigure* d = AddTextFig(doc, 500, 500);
    MakeGroup({a, b});
    MakeGroup({c, d});
    doc.ResetUndoLog();
    doc.SelectObj(a, 1, 0, 0);
    const std::string grouped = SceneSnapshot(doc);
    doc.OnUngroup();
    EXPECT_EQ(doc.m_groupList.size(), 1u);
    EXPECT_EQ(a->m_pGroup, nullptr);
    EXPECT_EQ(doc.m_lastUngroup.GetCount(), 2);
    doc.OnRegroup();
    ASSERT_EQ(doc.m_groupList.size(), 2u);
    EXPECT_EQ(a->m_pGroup, doc.m_groupList[1]);
    EXPECT_TRUE(doc.m_groupList[1]->m_bSelected);
    EXPECT_EQ(doc.m_lastUngroup.GetCount(), 0);
    doc.UndoLastStep();   // the regroup
    doc.UndoLastStep();   // the ungroup
    EXPECT_EQ(SceneSnapshot(doc), grouped);

    // Two groups dissolved at once: nothing to regroup.
    doc.SelectObj(a, 1, 0, 0);
    doc.SelectObj(c, 2, 0, 0);
    doc.OnUngroup();
    EXPECT_TRUE(doc.m_groupList.empty());
    EXPECT_EQ(doc.m_lastUngroup.GetCount(), 0);
    doc.OnRegroup();
    EXPECT_TRUE(doc.m_groupList.empty());
    doc.UndoLastStep();
    EXPECT_EQ(doc.m_groupList.size(), 2u);

    // A member deleted after the ungroup: the memory is dropped silently.
    doc.SelectObj(a, 1, 0, 0);
    doc.OnUngroup();
    ASSERT_EQ(doc.m_lastUngroup.GetCount(), 2);
    doc.CutObj(b, -1);
    EXPECT_EQ(doc.m_lastUngroup.GetCount(), 0);
    const size_t groups = doc.m_groupList.size();
    doc.OnRegroup();
    EXPECT_EQ(doc.m_groupList.size(), groups);
}

TEST_F(GroupsTest, RegroupGivesUpWhenAMemberCannotBeFound)
{
    CFigure* a = AddTextFig(doc, 0, 0);
    CFigure* b = AddTextFig(doc, 500, 0);
    MakeGroup({a, b});
    doc.SelectObj(a, 1, 0, 0);
    doc.OnUngroup();
    doc.m_lastUngroup.m_members[0].id = 999;   // names nothing in the diagram
    doc.OnRegroup();
    EXPECT_TRUE(doc.m_groupList.empty());
    EXPECT_EQ(doc.m_lastUngroup.GetCount(), 0);
    EXPECT_EQ(a->m_pGroup, nullptr);
}

TEST_F(GroupsTest, UngroupAllDissolvesNestedGroups)
{
    CFigure* a = AddTextFig(doc, 0, 0);
    CFigure* b = AddTextFig(doc, 500, 0);
    CFigure* c = AddTextFig(doc, 1000, 0);
    CGroup* inner = MakeGroup({a, b});
    MakeGroup({a, b, c});
    doc.SelectObj(a, 1, 0, 0);
    EXPECT_TRUE(c->m_bSelected);
    doc.ResetUndoLog();
    const std::string before = SceneSnapshot(doc);
    doc.OnUngroupAll();
    EXPECT_TRUE(doc.m_groupList.empty());
    for (CFigure* f : {a, b, c})
        EXPECT_EQ(f->m_pGroup, nullptr);
    EXPECT_EQ(doc.m_lastUngroup.GetCount(), 0);
    doc.UndoLastStep();
    EXPECT_EQ(SceneSnapshot(doc), before);
    (void)inner;
}

TEST_F(GroupsTest, AFailedGroupLeavesNoPointerNoMoveAndNoOpenStep)
{
    CFigure* a = AddTextFig(doc, 0, 0);
    CFigure* z = AddTextFig(doc, 500, 0);
    CFigure* m = AddTextFig(doc, 0, 1000);
    CFigure* b = AddTextFig(doc, 1000, 0);
    CFigure* n = AddTextFig(doc, 0, 2000);
    CGroup* old = MakeGroup({a, z});
    doc.SelectObj(a, 1, 0, 0);
    doc.SelectObj(b, 2, 0, 0);
    doc.m_pObjList->MoveTo(n, doc.m_pObjList->GetCount() - 1);   // the members lie scattered
    doc.ResetUndoLog();
    const std::string before = SceneSnapshot(doc);
    for (int refuseAfter : {0, 1}) {   // the first move refused; the second, after one was made
        RefusingUndoLog refuse(doc, refuseAfter);
        doc.OnGroup();
        EXPECT_TRUE(refuse.Refused());
        EXPECT_EQ(SceneSnapshot(doc), before) << refuseAfter;
        EXPECT_EQ(a->m_pGroup, old);
        EXPECT_EQ(z->m_pGroup, old);
        EXPECT_EQ(b->m_pGroup, nullptr);
        EXPECT_EQ(doc.m_groupList.size(), 1u);
        EXPECT_FALSE(doc.InUndoStep());
        EXPECT_FALSE(doc.CanUndo());
    }
    (void)m;
}

TEST_F(GroupsTest, HandlesAnswerCornersFirstOnSelectedGroups)
{
    CFigure* a = AddTextFig(doc, 0, 0, 10, 10);
    CFigure* b = AddTextFig(doc, 10, 10, 10, 10);
    CGroup* g = MakeGroup({a, b});
    CRect bounds;
    g->GetBounds(bounds, 0, 0);
    ASSERT_EQ(bounds, CRect(0, 0, 20, 20));
    EXPECT_EQ(g->GetHandlePoint(9), CPoint(19, 19));
    EXPECT_EQ(g->GetHandlePoint(8), CPoint(10, 19));
    EXPECT_EQ(g->HandleHitTest(CPoint(5, 0), 16), 1);   // inside squares 1 and 2
    EXPECT_EQ(g->HandleHitTest(CPoint(10, 19), 4), 8);
    EXPECT_EQ(g->HandleHitTest(CPoint(10, 10), 4), 0);
    int handle = -1;
    EXPECT_EQ(doc.GroupHandleHitTest(CPoint(19, 19), 4, handle), nullptr);   // not selected
    EXPECT_EQ(handle, 0);
    doc.SelectGroup(g, false);
    EXPECT_EQ(doc.GroupHandleHitTest(CPoint(19, 19), 4, handle), g);
    EXPECT_EQ(handle, 9);
    EXPECT_EQ(doc.GetFrontMember(g), b);
    EXPECT_EQ(doc.GetBackMember(g), a);
}

TEST_F(GroupsTest, ApplyToGroupsAsksOnceWhenTheBoxIsTicked)
{
    CFigure* a = AddTextFig(doc, 0, 0);
    CFigure* b = AddTextFig(doc, 500, 0);
    CGroup* g = MakeGroup({a, b});
    bool answer = false;
    EXPECT_EQ(doc.AskApplyToGroups(answer), 0);   // no group selected
    doc.SelectGroup(g, false);
    g_questions = 0;
    const QuestionHandler old = SetQuestionHandler([](const std::string& text) {
        ++g_questions;
        EXPECT_NE(text.find("Apply changes to grouped objects?"), std::string::npos);
        return QuestionAnswer{IDYES, true};
    });
    EXPECT_EQ(doc.AskApplyToGroups(answer), 1);
    EXPECT_TRUE(answer);
    EXPECT_EQ(PromptForApplyToGroups, 0);
    answer = false;
    EXPECT_EQ(doc.AskApplyToGroups(answer), 1);
    EXPECT_TRUE(answer);   // remembered, not asked again
    EXPECT_EQ(g_questions, 1);
    SetQuestionHandler(old);
}

TEST(GroupRecord, CopiesReverseAndResolveDropsUnknownIds)
{
    CKavoDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    CFigure* a = AddTextFig(doc, 0, 0);
    CFigure* b = AddTextFig(doc, 500, 0);
    CGroup g;
    g.m_nId = 4;
    g.m_bSelected = 1;
    g.m_nSpare1 = 1;
    g.AddMember(a);
    g.AddMember(b);   // head: b, a
    EXPECT_EQ(g.m_members[0].obj, b);
    CGroup copy(g);
    EXPECT_EQ(copy.m_members[0].obj, a);   // reversed
    EXPECT_EQ(copy.m_nId, 4);
    EXPECT_EQ(copy.m_bSelected, 1);
    EXPECT_EQ(copy.m_nSpare1, 0);
    CGroup assigned;
    assigned = g;
    EXPECT_EQ(assigned.m_nSpare1, 1);
    EXPECT_EQ(assigned.m_members[0].obj, a);

    EXPECT_TRUE(g.CanResolveIn(*doc.m_pObjList));
    g.AddMemberEntry(nullptr, 999);
    EXPECT_FALSE(g.AddMemberEntry(a, -1));
    EXPECT_FALSE(g.CanResolveIn(*doc.m_pObjList));
    g.ResolveMembers(*doc.m_pObjList);
    EXPECT_EQ(g.m_members[0].id, -1);
    EXPECT_EQ(g.m_members[0].obj, nullptr);
    EXPECT_EQ(a->m_pGroup, &g);
    a->m_pGroup = b->m_pGroup = nullptr;
}

TEST_F(GroupsTest, AFailedRegroupGivesTheMembersTheirPointersBack)
{
    CFigure* a = AddTextFig(doc, 0, 0);
    CFigure* b = AddTextFig(doc, 500, 0);
    MakeGroup({a, b});
    doc.SelectObj(a, 1, 0, 0);
    doc.OnUngroup();
    doc.ResetUndoLog();
    const std::string before = SceneSnapshot(doc);
    {
        RefusingUndoLog refuse(doc);
        doc.OnRegroup();
    }
    EXPECT_EQ(SceneSnapshot(doc), before);
    EXPECT_EQ(a->m_pGroup, nullptr);
    EXPECT_EQ(b->m_pGroup, nullptr);
    EXPECT_FALSE(doc.InUndoStep());
    EXPECT_EQ(doc.m_lastUngroup.GetCount(), 2);   // can be tried again
}

TEST_F(GroupsTest, ResizeByHandleKeepsTheGroupsAspect)
{
    CFigure* a = AddTextFig(doc, 0, 0, 100, 100);
    CFigure* b = AddTextFig(doc, 100, 0, 100, 100);
    CGroup* g = MakeGroup({a, b});   // bounds (0, 0, 200, 100)
    struct Case {
        int handle, dx, dy;
        CRect expected;
    };
    const Case cases[] = {
        {9, 100, 10, CRect(0, 0, 300, 150)},      // by the width
        {8, 0, 50, CRect(-50, 0, 250, 150)},      // by the height, centre kept
        {1, 300, 0, CRect(180, 90, 200, 100)},    // not below the minimum width
        {5, 10, 10, CRect(0, 0, 200, 100)},       // no such handle
        {9, INT_MAX, 0, CRect(0, 0, 32000, 16000)},   // not past the work space's size
    };
    for (const Case& c : cases) {
        CRect out;
        g->ResizeByHandle(out, c.handle, c.dx, c.dy, 20, 10);
        EXPECT_EQ(out, c.expected) << c.handle;
    }
    EXPECT_EQ(g->GetTextScaleSize(), CSize(64, 64));   // no member has text areas
}

TEST_F(GroupsTest, GroupsNamingMissingMembersAreHandledSafely)
{
    CFigure* a = AddTextFig(doc, 0, 0);
    CFigure* b = AddTextFig(doc, 500, 0);
    CGroup* g = MakeGroup({a, b});
    g->AddMember(nullptr, 99, true);   // from a damaged file: names nothing
    doc.SelectObj(a, 1, 0, 0);
    EXPECT_TRUE(b->m_bSelected);
    EXPECT_TRUE(g->m_bSelected);
    EXPECT_EQ(doc.GetFrontMember(g), b);
    CRect bounds;
    g->GetBounds(bounds, 0, 0);
    EXPECT_EQ(bounds, CRect(0, 0, 700, 100));
    EXPECT_FALSE(g->CanResolveIn(*doc.m_pObjList));
    doc.OnUngroup();
    EXPECT_TRUE(doc.m_groupList.empty());
    doc.OnRegroup();   // the memory cannot be resolved: dropped
    EXPECT_TRUE(doc.m_groupList.empty());
    EXPECT_EQ(a->m_pGroup, nullptr);
}

TEST_F(GroupsTest, ResizedGroupIsDrawnMappedOntoTheTarget)
{
    CConnector* top = AddFreeCon(doc, CPoint(0, 0), CPoint(50, 0));
    CConnector* low = AddFreeCon(doc, CPoint(0, 50), CPoint(50, 50));
    CGroup* g = MakeGroup({top, low});
    CRect bounds;
    g->GetBounds(bounds, 0, 0);
    // The target twice the bounds, moved right and down by 100.
    const CRect target(bounds.left * 2 + 100, bounds.top * 2 + 100, bounds.right * 2 + 100, bounds.bottom * 2 + 100);
    QImage image(400, 400, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
        CPainterDC dc(&image);
        g->DrawResized(&dc, target);
    }
    CRect inked;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                UnionRectSkipEmpty(inked, CRect(x, y, x + 1, y + 1));
    EXPECT_FALSE(inked.IsRectNull());
    CRect allowed = target;
    allowed.InflateRect(2, 2);
    EXPECT_TRUE(allowed.PtInRect(inked.TopLeft()) && allowed.PtInRect(inked.BottomRight()));
    EXPECT_GE(inked.Width(), target.Width() - 2);   // drawn at the new size
    {
        CPainterDC dc(&image);
        g->DrawResized(&dc, target);   // drawn twice: gone
        g->DrawResized(nullptr, target);
    }
    EXPECT_EQ(image.pixel(target.CenterPoint().x, target.top) & 0xFFFFFF, 0xFFFFFFu);
}

// Groups that overlap in a long chain, each sharing one member with the
// next (as a file may hold them): every object is in two groups and names
// the later one. Selecting one end selects the whole chain without running
// out of stack, and Ungroup All leaves no object in any group; undo brings
// the chain back.
TEST_F(GroupsTest, AChainOfOverlappingGroupsSelectsAndUngroupsWhole)
{
    constexpr int kLinks = 10000;
    std::vector<CFigure*> figs;
    for (int i = 0; i <= kLinks; ++i)
        figs.push_back(AddTextFig(doc, (i % 100) * 250, (i / 100) * 150));
    for (int i = 0; i < kLinks; ++i)
        MakeGroup({figs[size_t(i)], figs[size_t(i) + 1]});
    ASSERT_EQ(doc.m_groupList.size(), size_t(kLinks));
    EXPECT_EQ(figs[1]->m_pGroup, doc.m_groupList[1]);
    doc.ResetUndoLog();
    const std::string before = SceneSnapshot(doc);

    doc.SelectObj(figs.back(), 1, 0, 0);
    EXPECT_EQ(doc.GetSelCount(), kLinks + 1);
    EXPECT_TRUE(std::all_of(doc.m_groupList.begin(), doc.m_groupList.end(),
                            [](const CGroup* g) { return g->m_bSelected; }));

    doc.OnUngroupAll();
    EXPECT_TRUE(doc.m_groupList.empty());
    EXPECT_TRUE(std::none_of(figs.begin(), figs.end(), [](const CFigure* f) { return f->m_pGroup; }));
    doc.UndoLastStep();
    doc.ClearSel(false);
    EXPECT_EQ(SceneSnapshot(doc), before);
}

// A container with an outline carries a group only when the group's bounds
// lie inside the outline, as for ungrouped figures; its rectangle's corners
// are not enough.
TEST_F(GroupsTest, AContainerOutlineDecidesWhichGroupsItHolds)
{
    CFigure* k = AddTextFig(doc, 0, 0, 1000, 1000, "K");
    const POINT diamond[4] = {{1024, 0}, {2048, 1024}, {1024, 2048}, {0, 1024}};
    ASSERT_TRUE(k->SetPolyPoints(4, diamond));
    CFigure* c1 = AddTextFig(doc, 20, 20, 100, 50);     // in the box's corner, outside the diamond
    CFigure* c2 = AddTextFig(doc, 150, 20, 100, 50);
    CFigure* m1 = AddTextFig(doc, 400, 400, 100, 50);   // round the middle
    CFigure* m2 = AddTextFig(doc, 500, 500, 100, 50);
    MakeGroup({c1, c2});
    MakeGroup({m1, m2});
    doc.BeginMarkPass();
    doc.FindObjsInsideFig(k, 1);
    doc.EndMarkPass(0);
    EXPECT_TRUE(m1->m_bVisited && m2->m_bVisited);
    EXPECT_FALSE(c1->m_bVisited || c2->m_bVisited);
}

// The member walk goes from the head (the last member added) to the tail and
// ends at position 0; the list operations work on every group of a list.
TEST_F(GroupsTest, MemberWalkAndListOperations)
{
    CFigure* a = AddTextFig(doc, 0, 0);
    CFigure* b = AddTextFig(doc, 500, 0);
    CFigure* c = AddTextFig(doc, 1000, 0);
    CGroup* g1 = MakeGroup({a, b});
    CGroup* g2 = MakeGroup({b, c});
    std::vector<CDiagObj*> walked;
    for (int pos = g1->GetFirstMemberPos(); pos != 0;)
        walked.push_back(g1->GetNextMember(pos));
    EXPECT_EQ(walked, (std::vector<CDiagObj*>{b, a}));
    CGroup empty;
    EXPECT_EQ(empty.GetFirstMemberPos(), 0);
    int pos = 5;
    EXPECT_EQ(g1->GetNextMember(pos), nullptr);
    EXPECT_EQ(pos, 0);

    EXPECT_EQ(FindGroupById(doc.m_groupList, g2->m_nId), g2);
    EXPECT_EQ(FindGroupById(doc.m_groupList, 999), nullptr);

    // Only a group whose members are all marked takes the mark.
    a->m_bVisited = b->m_bVisited = 1;
    MarkGroupsOfMarkedMembers(doc.m_groupList);
    EXPECT_TRUE(g1->m_bVisited);
    EXPECT_FALSE(g2->m_bVisited);

    g1->m_nUngroupMark = g2->m_nUngroupMark = 1;
    ClearGroupMarks(doc.m_groupList);
    EXPECT_FALSE(g1->m_nUngroupMark || g2->m_nUngroupMark);

    // Ids stored from the pointers, pointers found again from the ids.
    c->m_nId = 77;
    StoreGroupMemberIds(doc.m_groupList);
    EXPECT_TRUE(g2->HasMember(77));
    for (CGroup* g : doc.m_groupList)
        for (CGroup::Member& m : g->m_members)
            m.obj = nullptr;
    ResolveGroupMembers(doc.m_groupList, *doc.m_pObjList);
    EXPECT_EQ(g2->m_members[0].obj, c);
    EXPECT_EQ(c->m_pGroup, g2);
    EXPECT_EQ(a->m_pGroup, g1);
}

// Group is offered for two or more selected objects unless they all belong
// to one and the same group.
TEST_F(GroupsTest, CanGroupUnlessTheSelectionIsOneGroup)
{
    CFigure* a = AddTextFig(doc, 0, 0);
    CFigure* b = AddTextFig(doc, 500, 0);
    CFigure* c = AddTextFig(doc, 1000, 0);
    CFigure* d = AddTextFig(doc, 1500, 0);
    CFigure* free = AddTextFig(doc, 2000, 0);
    MakeGroup({a, b});
    MakeGroup({c, d});
    struct Case {
        std::vector<CDiagObj*> sel;
        bool can;
        const char* what;
    };
    const Case cases[] = {
        {{a}, false, "one object"},
        {{a, b}, false, "one whole group"},
        {{a, c}, true, "members of two groups"},
        {{a, b, c, d}, true, "two whole groups"},
        {{a, free}, true, "a member and a free object"},
        {{free, a, b}, true, "a free object first"},
    };
    for (const Case& k : cases) {
        doc.ClearSelection();
        for (CDiagObj* o : k.sel)
            doc.AddObjToSel(o, 2, false);
        EXPECT_EQ(doc.CanGroup(), k.can) << k.what;
    }
}
