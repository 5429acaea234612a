// What a copy takes besides the selection: the junctions of copied
// connectors (while two copied connectors still end on them), connectors
// whose two ends are copied, and the selection flags stay as they were.
#include "document/DocTestSupport.h"

#include "document/CStaple.h"
#include "fileformat/DiagramClipboard.h"

#include <set>
#include <sstream>

namespace {
// The ids of the objects in copy text ("Figure 3", "Connector 5").
std::set<std::string> CopiedObjects(const std::string& text)
{
    std::set<std::string> out;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        for (const char* kind : {"Figure ", "Connector ", "Staple ", "Group "})
            if (line.rfind(kind, 0) == 0)
                out.insert(line);
    }
    return out;
}

class CopySetTest : public DocTest {
protected:
    void SetUp() override
    {
        DocTest::SetUp();
        a = NewFig(doc, 0, 0, "A");
        b = NewFig(doc, 1000, 0, "B");
        ASSERT_TRUE(doc.AddFigWithId(a) && doc.AddFigWithId(b));   // 1, 2
        jct = doc.CreateFigAt(CPoint(500, 500), 1);                // 3
        c1 = NewCon(doc, a, jct);
        c2 = NewCon(doc, jct, b);
        direct = NewCon(doc, a, b);
        ASSERT_TRUE(doc.AddConWithId(c1) && doc.AddConWithId(c2) && doc.AddConWithId(direct));   // 4, 5, 6
        ASSERT_TRUE(jct->IsInvisible());
    }
    std::set<std::string> Copy(const std::vector<CDiagObj*>& sel)
    {
        doc.ClearSelection();
        for (CDiagObj* o : sel)
            doc.Select(o);
        std::vector<int> before;
        for (CDiagObj* o : *doc.m_pObjList)
            before.push_back(o->m_bSelected);
        const std::set<std::string> copied = CopiedObjects(CopyDiagramObjects(doc));
        std::vector<int> after;
        for (CDiagObj* o : *doc.m_pObjList)
            after.push_back(o->m_bSelected);
        EXPECT_EQ(after, before) << "the selection flags come back";
        return copied;
    }
    CFigure *a = nullptr, *b = nullptr, *jct = nullptr;
    CConnector *c1 = nullptr, *c2 = nullptr, *direct = nullptr;
};
} // namespace

TEST_F(CopySetTest, JunctionsAndConnectorsTravelWithTheSelection)
{
    using Set = std::set<std::string>;
    // The copy numbers what it holds from 1, in drawing order.
    EXPECT_EQ(Copy({c1}), (Set{"Connector 1"})) << "a junction with one copied connector stays behind";
    EXPECT_EQ(Copy({c1, c2}), (Set{"Figure 1", "Connector 2", "Connector 3"})) << "the junction and its two";
    EXPECT_EQ(Copy({a, b}), (Set{"Figure 1", "Figure 2", "Connector 3"})) << "the connector between them";
    EXPECT_EQ(Copy({a, b, c1}),
              (Set{"Figure 1", "Figure 2", "Figure 3", "Connector 4", "Connector 5", "Connector 6"}));
    EXPECT_EQ(Copy({b}), (Set{"Figure 1"}));
    EXPECT_EQ(a->m_nId, 1);
    EXPECT_EQ(c2->m_nId, 5);
    EXPECT_EQ(c2->m_nFigId1, jct->m_nId) << "the ids come back";
}

TEST_F(CopySetTest, ObjectsWithIdsPastTheReadersRangeCopyAndPaste)
{
    int32_t counter = 40000;
    doc.m_pObjList->RenumberIds(counter, 0);
    for (CDiagObj* o : *doc.m_pObjList)
        o->StoreIds();
    const std::string text = CopyDiagramObjects(doc);
    ASSERT_TRUE(text.empty()) << "nothing selected";
    const std::set<std::string> copied = Copy({a, b, c1});
    EXPECT_EQ(copied.size(), 6u);
    EXPECT_EQ(a->m_nId, 40000);
    doc.ClearSelection();
    for (CDiagObj* o : {static_cast<CDiagObj*>(a), static_cast<CDiagObj*>(b), static_cast<CDiagObj*>(c1)})
        doc.Select(o);
    const std::string copy = CopyDiagramObjects(doc);
    CKavoDoc target;
    ASSERT_TRUE(target.OnNewDocument());
    ASSERT_TRUE(PasteDiagramObjects(target, copy));
    EXPECT_EQ(target.m_pObjList->GetCount(), 6);
    auto* pasted = static_cast<CConnector*>(target.m_pObjList->GetAt(3));
    ASSERT_EQ(pasted->GetType(), kObjConnector);
    EXPECT_NE(pasted->m_pFig1, nullptr);
    EXPECT_NE(pasted->m_pFig2, nullptr);
}

// A copied figure takes the figures linked to it; a linked figure takes its
// leader only when the link's attach kind binds both ways. The link goes
// with its two figures.
TEST_F(CopySetTest, FigureLinksCarryTheirLinkedFigures)
{
    using Set = std::set<std::string>;
    CFigure* linked = NewFig(doc, 0, 400, "L");
    CFigure* next = NewFig(doc, 0, 800, "N");
    ASSERT_TRUE(doc.AddFigWithId(linked) && doc.AddFigWithId(next));   // 7, 8
    auto link = [&](CFigure* leader, CFigure* follower, int kind) {
        auto* s = new CStaple(&doc);
        s->MakeFigLink(leader, 127, 255, follower, 127, 0, 0, 200);
        s->PinType = kind;
        EXPECT_TRUE(doc.AddStapleWithId(s));
        return s;
    };
    CStaple* first = link(a, linked, 3);   // one way
    link(linked, next, 3);
    EXPECT_EQ(Copy({a}), (Set{"Figure 1", "Figure 2", "Figure 3", "Staple 1", "Staple 2"})) << "along the chain";
    EXPECT_EQ(Copy({linked}), (Set{"Figure 1", "Figure 2", "Staple 1"})) << "not back to the leader";
    EXPECT_EQ(Copy({next}), (Set{"Figure 1"}));
    first->PinType = 28;   // binds both ways
    EXPECT_EQ(Copy({linked}), (Set{"Figure 1", "Figure 2", "Figure 3", "Staple 1", "Staple 2"}));
    EXPECT_EQ(first->m_nFig1Id, a->m_nId) << "the ids come back";
}

// A group goes with two or more of its members and holds only those in the
// copy; the group itself is given back whole.
TEST_F(CopySetTest, GroupsGoWithTheirCopiedMembers)
{
    using Set = std::set<std::string>;
    CFigure* x = NewFig(doc, 2000, 0, "X");
    ASSERT_TRUE(doc.AddFigWithId(x));   // 7
    auto* g = new CGroup;
    for (CFigure* f : {a, b, x})
        g->AddMember(f);
    ASSERT_TRUE(doc.AddGroupWithId(g));
    EXPECT_EQ(Copy({a}), (Set{"Figure 1"})) << "a group of one is no group";
    const std::set<std::string> two = Copy({a, x});
    EXPECT_TRUE(two.count("Group 1")) << "the group with two of its members";
    EXPECT_EQ(g->GetCount(), 3) << "the group is given back whole";
    doc.ClearSelection();
    doc.Select(a);
    doc.Select(x);
    const std::string copy = CopyDiagramObjects(doc);
    CKavoDoc target;
    ASSERT_TRUE(target.OnNewDocument());
    ASSERT_TRUE(PasteDiagramObjects(target, copy));
    ASSERT_EQ(target.m_pObjList->GetCount(), 2);
    ASSERT_EQ(target.m_groupList.size(), 1u);
    const CGroup* pasted = target.m_groupList[0];
    ASSERT_EQ(pasted->GetCount(), 2);
    for (CDiagObj* o : *target.m_pObjList)
        EXPECT_TRUE(pasted->HasMember(o->m_nId)) << o->m_nId;
    EXPECT_TRUE(target.Validate());
}

// A copied container takes the figures that lie inside it; a figure beside
// it stays behind.
TEST_F(CopySetTest, AContainerTakesWhatLiesInsideIt)
{
    using Set = std::set<std::string>;
    CFigProps props;
    auto* pool = new CFigure(3000, 0, 2000, 3000, props, -1, 0, "P", "", CFigure::CreateArgs(), &doc);
    pool->m_props.Behavior.low |= 0x20000000;
    CFigure* inside = NewFig(doc, 3500, 500, "I");
    CFigure* beside = NewFig(doc, 6500, 500, "O");
    ASSERT_TRUE(doc.AddFigWithId(pool) && doc.AddFigWithId(inside) && doc.AddFigWithId(beside));   // 7, 8, 9
    EXPECT_EQ(Copy({pool}), (Set{"Figure 1", "Figure 2"}));
    pool->m_props.Behavior.low &= ~0x20000000u;
    EXPECT_EQ(Copy({pool}), (Set{"Figure 1"})) << "not a container";
}
