// The document's spatial index: it answers the objects near a box in list
// order, follows the list's inserts, removals and reorders, and measures
// again the objects the document repaints or invalidates. (Test runs also
// check each answer against the whole list.)
#include "EditScenarioSupport.h"
#include "document/ObjIndex.h"

namespace {
using Objs = std::vector<CDiagObj*>;

Objs Near(CKavoDoc& doc, const CRect& box)
{
    Objs out;
    doc.ObjIndex().Query(box, out);
    return out;
}

CFigure* LooseFig(CKavoDoc& doc, int x, int y)
{
    CFigProps props;
    return new CFigure(x, y, 100, 200, props, -1, 0, "L", "", CFigure::CreateArgs(), &doc);
}

TEST_F(DocTest, IndexAnswersTheObjectsNearABoxInListOrder)
{
    CFigure* a = AddTextFig(doc, 0, 0);   // 200 x 100
    CFigure* b = AddTextFig(doc, 5000, 0);
    CFigure* c = AddTextFig(doc, 100, 50);
    EXPECT_EQ(Near(doc, CRect(150, 60, 160, 70)), (Objs{a, c}));
    EXPECT_EQ(Near(doc, CRect(5100, 10, 5110, 20)), (Objs{b}));
    EXPECT_EQ(Near(doc, CRect(2000, 2000, 2010, 2010)), Objs{});
    // A box that only touches an object's edge meets it, as a clip does.
    EXPECT_EQ(Near(doc, CRect(5200, 100, 5300, 200)), (Objs{b}));

    // Put in at the head, moved to the front, taken out: the answers follow
    // the list as it changes, without a rebuild.
    CFigure* d = LooseFig(doc, 120, 40);
    ASSERT_TRUE(doc.m_pObjList->InsertAt(0, d));
    EXPECT_EQ(Near(doc, CRect(150, 60, 160, 70)), (Objs{d, a, c}));
    ASSERT_NE(doc.m_pObjList->MoveItem(1, doc.m_pObjList->GetCount() - 1), nullptr);
    EXPECT_EQ(Near(doc, CRect(150, 60, 160, 70)), (Objs{d, c, a}));
    ASSERT_TRUE(doc.m_pObjList->Remove(c));
    delete c;
    // A new object (perhaps where the old one's memory was) is measured.
    CFigure* e = LooseFig(doc, 9000, 9000);
    ASSERT_TRUE(doc.m_pObjList->AddTail(e));
    EXPECT_EQ(Near(doc, CRect(150, 60, 160, 70)), (Objs{d, a}));
    EXPECT_EQ(Near(doc, CRect(9050, 9050, 9060, 9060)), (Objs{e}));
    doc.m_pObjList->RemoveAll();
    EXPECT_EQ(Near(doc, CRect(150, 60, 160, 70)), Objs{});
    for (CDiagObj* o : {static_cast<CDiagObj*>(a), static_cast<CDiagObj*>(b), static_cast<CDiagObj*>(d),
                        static_cast<CDiagObj*>(e)})
        delete o;
}

TEST_F(DocTest, IndexMeasuresAgainWhatTheDocumentRepaintsOrInvalidates)
{
    CFigure* a = AddTextFig(doc, 0, 0);
    CFigure* b = AddTextFig(doc, 1000, 0);
    ASSERT_EQ(Near(doc, CRect(50, 50, 60, 60)), (Objs{a}));
    // Moved, and only where it was repainted: found where it is now.
    const CRect old = a->m_rect;
    a->m_rect.OffsetRect(20000, 0);
    doc.UpdateAllViews(nullptr, 1, &old);
    EXPECT_EQ(Near(doc, CRect(50, 50, 60, 60)), Objs{});
    EXPECT_EQ(Near(doc, CRect(20050, 50, 20060, 60)), (Objs{a}));
    // Invalidated while the views are held back: the index is not.
    ++doc.m_nUpdateLock;
    b->m_rect.OffsetRect(0, 30000);
    doc.InvalidateObj(b);
    --doc.m_nUpdateLock;
    EXPECT_EQ(Near(doc, CRect(1050, 30050, 1060, 30060)), (Objs{b}));
    // A repaint of everything measures everything.
    a->m_rect.OffsetRect(-20000, 0);
    b->m_rect.OffsetRect(0, -30000);
    doc.UpdateAllViews(nullptr, 0, nullptr);
    EXPECT_EQ(Near(doc, CRect(0, 0, 1100, 60)), (Objs{a, b}));
}

TEST_F(DocTest, IndexFindsAnObjectOverManyCellsAnywhereAlongIt)
{
    for (int i = 0; i < 50; ++i)
        AddTextFig(doc, i * 400, 0);
    CConnector* c = AddFreeCon(doc, CPoint(-100000, -100000), CPoint(100000, 100000));
    doc.UpdateAllViews(nullptr, 0, nullptr);
    for (const int at : {-90000, 0, 90000}) {
        const Objs near = Near(doc, CRect(at, at, at + 10, at + 10));
        EXPECT_EQ(std::count(near.begin(), near.end(), c), 1) << at;
    }
    // An invisible junction is a point: it is found there, with no handles.
    CFigure* a = AddTextFig(doc, 40000, 0);
    CFigure* j = doc.CreateFigAt(CPoint(41000, 50), 0);
    ASSERT_NE(j, nullptr);
    AddConBetween(doc, a, j);
    ASSERT_TRUE(j->IsInvisible());
    doc.UpdateAllViews(nullptr, 0, nullptr);
    const CPoint p = j->GetCenter();
    const Objs near = Near(doc, CRect(p, p));
    EXPECT_EQ(std::count(near.begin(), near.end(), j), 1);
}

TEST_F(DocTest, IndexedHitTestsReachAsFarAsTheTolerance)
{
    CFigure* a = AddTextFig(doc, 0, 0);
    CConnector* c = AddFreeCon(doc, CPoint(1000, 0), CPoint(2000, 0));
    c->m_props.LineWidth = 1;
    doc.UpdateAllViews(nullptr, 0, nullptr);
    // Past the figure's right edge by less than half the tolerance (the
    // strict test, which grows the figure's box), and beside the line by
    // less than half of it.
    EXPECT_EQ(doc.ObjFromPoint(205, 50, 10, false, -1, 1, 0), a);
    EXPECT_EQ(doc.ObjFromPoint(1500, 9, 20, false, -1, 0, 0), c);
    EXPECT_EQ(doc.ObjFromPoint(1500, 30, 20, false, -1, 0, 0), nullptr);
}
} // namespace
