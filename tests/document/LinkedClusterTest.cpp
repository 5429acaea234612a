// Clusters of figures joined by figure links: the redraw rectangle of a
// linked figure and the outlines its shadow is cast over.
#include "common/DiagramFixture.h"
#include "document/CStaple.h"

#include <gtest/gtest.h>

#include <unordered_set>

namespace {

struct LinkedClusterTest : testing::Test {
    DiagramFixture fx;
    CKavoDoc& doc = fx.doc;

    CStaple* Link(CFigure* first, CFigure* second, int row)
    {
        auto* s = new CStaple(&doc);
        s->MakeFigLink(first, 255, 127, second, 0, 127, 0, 0);
        s->PinType = row;
        EXPECT_TRUE(doc.AddStapleWithId(s));
        return s;
    }
    static CRect Bounds(const CFigure* fig)
    {
        CRect r;
        fig->GetBoundRect(r, 2, 0);
        return r;
    }
};

} // namespace

TEST_F(LinkedClusterTest, TheRedrawCoversEveryFigureReachedInEitherDirection)
{
    CFigure* a = fx.AddBox(0, 0, 100, 100, "");
    CFigure* b = fx.AddBox(200, 0, 100, 100, "");
    CFigure* c = fx.AddBox(400, 300, 100, 100, "");
    CFigure* alone = fx.AddBox(0, 600, 100, 100, "");
    Link(a, b, 1);
    Link(c, b, 1);   // b is the second figure of both links
    Link(c, a, 1);   // a ring: the walk still ends

    CRect expected = Bounds(a);
    expected.UnionRect(expected, Bounds(b));
    expected.UnionRect(expected, Bounds(c));
    for (CFigure* start : {a, b, c}) {
        CRect rect = start->m_rect;
        doc.GetLinkedClusterRect(rect, start);
        EXPECT_EQ(rect, expected);
    }
    CRect rect = alone->m_rect;
    doc.GetLinkedClusterRect(rect, alone);
    EXPECT_EQ(rect, alone->m_rect);
}

TEST_F(LinkedClusterTest, OnlyLinksWithARowMakeACluster)
{
    CFigure* a = fx.AddBox(0, 0, 100, 100, "");
    CFigure* b = fx.AddBox(200, 0, 100, 100, "");
    CStaple* link = Link(a, b, 0);
    CRect rect = a->m_rect;
    doc.GetLinkedClusterRect(rect, a);
    EXPECT_EQ(rect, a->m_rect);
    // A row found later (the link was made before its kind was known).
    link->PinType = 3;
    doc.GetLinkedClusterRect(rect, a);
    EXPECT_TRUE(rect.PtInRect(b->m_rect.CenterPoint()));
}

TEST_F(LinkedClusterTest, EachShadowedOutlineIsCastOncePerPass)
{
    CFigure* a = fx.AddBox(0, 0, 100, 100, "");
    CFigure* b = fx.AddBox(200, 0, 100, 100, "");
    CFigure* plain = fx.AddBox(400, 0, 100, 100, "");
    CFigure* beyond = fx.AddBox(600, 0, 100, 100, "");
    for (CFigure* f : {a, b, beyond})
        f->m_props.Shadow = 1;
    Link(a, b, 1);
    Link(b, plain, 1);
    Link(plain, beyond, 1);   // reached only through a figure without a shadow

    std::unordered_set<const CFigure*> outlined;
    std::vector<std::vector<CPoint>> outlines;
    doc.CollectLinkedShadowOutlines(outlines, a, outlined);
    ASSERT_EQ(outlines.size(), 1u);
    EXPECT_EQ(outlined, (std::unordered_set<const CFigure*>{b}));
    // The box's symbol gives no outline points: its frame stands in.
    const CRect& r = b->m_rect;
    EXPECT_EQ(outlines[0], (std::vector<CPoint>{CPoint(r.left, r.top), CPoint(r.right, r.top),
                                                CPoint(r.right, r.bottom), CPoint(r.left, r.bottom)}));

    outlines.clear();
    doc.CollectLinkedShadowOutlines(outlines, a, outlined);
    EXPECT_TRUE(outlines.empty());
}
