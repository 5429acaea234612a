// Duplicate copies the copy set in place: groups and linked figures come
// along, the copies take the ids after the document's own, and Undo takes
// back exactly the copies, also behind an earlier deletion.
#include "common/DiagramFixture.h"

#include "document/CStaple.h"
#include "editing/ClipboardCommands.h"
#include "undo/UndoCodes.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
std::vector<int> Ids(const CObjList& list)
{
    std::vector<int> ids;
    for (CDiagObj* o : list)
        ids.push_back(o->m_nId);
    return ids;
}

class DuplicateTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        doc.m_bAlignToGrid = 0;
        for (int i = 0; i < 3; ++i)
            figs.push_back(fx.AddBox(1000 * i, 0, 200, 100, std::string(1, char('A' + i))));
        doc.ResetUndoLog();
    }
    void SelectOnly(std::initializer_list<CDiagObj*> objs)
    {
        doc.ClearSelection();
        for (CDiagObj* o : objs)
            doc.Select(o);
    }
    DiagramFixture fx;
    CKavoDoc& doc = fx.doc;
    std::vector<CFigure*> figs;
};
} // namespace

// The copies take consecutive ids from the document's counter; the ids of
// the objects already there stay, so that the steps before still name
// them: Undo of the duplicate and then of the deletion gives back A, B, C.
TEST_F(DuplicateTest, CopiesTakeTheNextIdsAndUndoGoesBackThroughEarlierSteps)
{
    doc.UndoBeginStep(UDMAC_DELOBJS);
    ASSERT_TRUE(doc.CutFig(figs[1], -1));
    doc.UndoEndStep();
    ASSERT_EQ(Ids(*doc.m_pObjList), (std::vector<int>{1, 3}));
    SelectOnly({figs[0], figs[2]});
    ASSERT_TRUE(OnDuplicate(doc));
    EXPECT_EQ(Ids(*doc.m_pObjList), (std::vector<int>{1, 3, 4, 5}));
    EXPECT_EQ(doc.m_nNextId, 6);
    EXPECT_EQ(doc.UndoLogRef().GetLastUndoStepCode(), UDMAC_DUPLICATE);
    doc.UndoLastStep();
    EXPECT_EQ(Ids(*doc.m_pObjList), (std::vector<int>{1, 3}));
    doc.UndoLastStep();
    ASSERT_EQ(doc.m_pObjList->GetCount(), 3);
    EXPECT_EQ(Ids(*doc.m_pObjList), (std::vector<int>{1, 2, 3}));
    EXPECT_TRUE(doc.Validate());
}

// A duplicated group is a new group of the copies; the original keeps its
// members. A figure link comes along with its linked figure.
TEST_F(DuplicateTest, GroupsAndLinkedFiguresAreDuplicatedWithTheirMembers)
{
    for (CFigure* f : {figs[0], figs[1]})
        doc.AddObjToSel(f, 2, false);
    doc.OnGroup();
    ASSERT_EQ(doc.m_groupList.size(), 1u);
    auto* link = new CStaple(&doc);
    link->MakeFigLink(figs[1], 127, 255, figs[2], 127, 0, 0, 200);
    link->PinType = 3;
    ASSERT_TRUE(doc.AddStapleWithId(link));
    doc.ResetUndoLog();
    SelectOnly({figs[0], figs[1]});
    ASSERT_TRUE(OnDuplicate(doc));
    ASSERT_EQ(doc.m_pObjList->GetCount(), 6) << "A, B and the linked C";
    ASSERT_EQ(doc.m_groupList.size(), 2u);
    const CGroup* copy = doc.m_groupList[1];
    ASSERT_EQ(copy->GetCount(), 2);
    for (const CGroup::Member& m : copy->m_members) {
        ASSERT_NE(m.obj, nullptr);
        EXPECT_GT(m.obj->m_nId, 3) << "a member of the copy is a copy";
        EXPECT_TRUE(m.obj->m_bSelected);
    }
    EXPECT_EQ(doc.m_groupList[0]->GetCount(), 2);
    EXPECT_EQ(doc.m_groupList[0]->m_members[0].obj->m_nId, figs[0]->m_nId);
    ASSERT_EQ(doc.m_pStapleList->GetCount(), 2);
    const auto* linkCopy = static_cast<CStaple*>(doc.m_pStapleList->GetAt(1));
    ASSERT_TRUE(linkCopy->m_pFig1 && linkCopy->m_pFig2);
    EXPECT_GT(linkCopy->m_pFig1->m_nId, 3);
    EXPECT_GT(linkCopy->m_pFig2->m_nId, 3);
    EXPECT_TRUE(doc.Validate());
    doc.UndoLastStep();
    EXPECT_EQ(doc.m_pObjList->GetCount(), 3);
    EXPECT_EQ(doc.m_groupList.size(), 1u);
    EXPECT_EQ(doc.m_pStapleList->GetCount(), 1);
    EXPECT_TRUE(doc.Validate());
}
