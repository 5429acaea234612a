// The object-list operations: z-order moves, look-ups, renumbering,
// relinking with attachment counts, and mark passes.
#include "document/CKavoDoc.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {
struct Lists {
    CObjList list;
    std::vector<std::unique_ptr<CFigure>> figs;
    std::vector<std::unique_ptr<CConnector>> cons;

    CFigure* Fig(int id)
    {
        figs.push_back(std::make_unique<CFigure>());
        figs.back()->m_nId = id;
        list.AddTail(figs.back().get());
        return figs.back().get();
    }
    CConnector* Con(int id, int end1, int end2)
    {
        cons.push_back(std::make_unique<CConnector>());
        cons.back()->m_nId = id;
        cons.back()->m_nFigId1 = end1;
        cons.back()->m_nFigId2 = end2;
        list.AddTail(cons.back().get());
        return cons.back().get();
    }
    std::vector<int> Ids() const
    {
        std::vector<int> ids;
        for (CDiagObj* o : list)
            ids.push_back(o->m_nId);
        return ids;
    }
};
} // namespace

TEST(ObjList, MoveItemAndLookups)
{
    Lists l;
    for (int id = 1; id <= 4; ++id)
        l.Fig(id);
    EXPECT_EQ(l.list.MoveItem(2, 0)->m_nId, 3);
    EXPECT_EQ(l.Ids(), (std::vector<int>{3, 1, 2, 4}));
    EXPECT_EQ(l.list.MoveItem(0, 3)->m_nId, 3);
    EXPECT_EQ(l.Ids(), (std::vector<int>{1, 2, 4, 3}));
    EXPECT_EQ(l.list.MoveItem(1, 1), nullptr);
    EXPECT_EQ(l.list.MoveItem(1, 4), nullptr);
    EXPECT_EQ(l.list.MoveItem(-1, 0), nullptr);

    l.figs[0]->m_nId = -1;
    EXPECT_EQ(l.list.FindById(-1), nullptr);   // -1 is no id, even when an object has it
    EXPECT_EQ(l.list.FindById(4)->m_nId, 4);
    EXPECT_EQ(ObListIndexOf(l.list, l.figs[1].get()), 1);
    const CFigure outsider;
    EXPECT_EQ(ObListIndexOf(l.list, &outsider), -1);
    // Positions outside the list hold nothing.
    EXPECT_EQ(l.list.GetAt(4), nullptr);
    EXPECT_EQ(l.list.GetAt(-1), nullptr);
    EXPECT_EQ(l.list.GetAt(3)->m_nId, 3);
    int32_t lo = 0, hi = 0;
    EXPECT_EQ(l.list.GetIdRange(lo, hi), 4);
    EXPECT_EQ(lo, -1);
    EXPECT_EQ(hi, 4);
    CObjList empty;
    EXPECT_EQ(empty.GetIdRange(lo, hi), 0);
    EXPECT_EQ(lo, -1);
    EXPECT_EQ(hi, -1);

    EXPECT_FALSE(l.list.HasGroupedMember());
    CGroup g;
    l.figs[2]->m_pGroup = &g;
    EXPECT_TRUE(l.list.HasGroupedMember());
    l.list.RemoveAllObjs();
    EXPECT_EQ(l.list.m_nFigCount, 0);
}

TEST(ObjList, RenumberKeepsLowIds)
{
    Lists l;
    l.Fig(2);
    l.Fig(50);
    l.Fig(7);
    int32_t counter = 10;
    l.list.RenumberIds(counter, 8);
    EXPECT_EQ(l.Ids(), (std::vector<int>{2, 10, 7}));
    EXPECT_EQ(counter, 11);
    l.list.RenumberIds(counter, 0);
    EXPECT_EQ(l.Ids(), (std::vector<int>{11, 12, 13}));
}

TEST(ObjList, RelinkAllCountsTheEndsThatNameAFigure)
{
    Lists l;
    CFigure* a = l.Fig(1);
    CFigure* b = l.Fig(2);
    l.Con(3, 1, 2);
    l.Con(4, 1, 1);
    CConnector* dangling = l.Con(5, 99, -1);
    a->m_nConnected = 17;   // stale count from a load
    l.list.RelinkAll(l.list);
    // Connector 4 names a at both ends: only end 1 is attached.
    EXPECT_EQ(a->m_nConnected, 2);
    EXPECT_EQ(l.cons[1]->m_pFig2, nullptr);
    EXPECT_EQ(a->m_nSavedConnected, 17);
    EXPECT_EQ(b->m_nConnected, 1);
    EXPECT_EQ(a->m_pAttachedCon1, l.cons[0].get());
    EXPECT_EQ(a->m_pAttachedCon2, l.cons[1].get());
    EXPECT_EQ(dangling->m_pFig1, nullptr);

    l.cons[0]->m_pFig2 = a;
    l.list.StoreAllIds();
    EXPECT_EQ(l.cons[0]->m_nFigId2, 1);

    CGroup::Member m{nullptr, 2};
    m.Relink(l.list);
    EXPECT_EQ(m.obj, b);
    CGroup::Member gone{nullptr, 42};
    gone.Relink(l.list);
    EXPECT_EQ(gone.id, -1);
    EXPECT_EQ(m.StoreId(), b);
}

TEST(ObjList, MarksAndTempFlags)
{
    Lists l;
    CFigure* a = l.Fig(1);
    CFigure* b = l.Fig(2);
    a->m_bVisited = 1;
    b->m_bTemp = 1;
    l.list.SaveAndClearMarks();
    EXPECT_EQ(a->m_bVisited, 0);
    b->m_bVisited = 1;
    l.list.RestoreMarks();
    EXPECT_EQ(a->m_bVisited, 1);
    EXPECT_EQ(b->m_bVisited, 1);
    l.list.ClearTempFlags();
    EXPECT_EQ(b->m_bTemp, 0);
    a->SetSelectedFlag();
    EXPECT_EQ(a->m_bSelected, 1);
    a->ClearSelectedFlag();
    EXPECT_EQ(a->m_bSelected, 0);
}

TEST(ObjList, RenumberKeepsOnlyIdsBelowTheLimit)
{
    Lists l;
    l.Fig(8);    // the limit itself is renumbered
    l.Fig(-1);   // no id
    l.Fig(0);
    int32_t counter = 20;
    l.list.RenumberIds(counter, 8);
    EXPECT_EQ(l.Ids(), (std::vector<int>{20, 21, 0}));
    EXPECT_EQ(counter, 22);
}
