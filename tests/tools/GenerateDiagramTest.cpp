// kvdtool gen draws what a user draws: styled, filled boxes with centred
// text, arrowed connectors, and right-angle routes as chains of connectors
// through junctions whose middle leg keeps clear of the boxes. (That every
// size reads back as written is checked end to end in KvdtoolCheck.cmake.)
#include "document/CKavoDoc.h"
#include "kvdtool/KvdTool.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace {
TEST(GenerateDiagram, DrawsStyledBoxesArrowsAndRightAngleRoutes)
{
    CKavoDoc doc;
    ASSERT_TRUE(doc.OnNewDocument());
    ASSERT_TRUE(GenerateDiagram(doc, 9));   // 3 x 3: columns 0 and 2 even, 1 odd
    std::vector<CFigure*> boxes, junctions;
    for (CDiagObj* o : *doc.m_pObjList)
        if (o->GetType() == kObjFigure) {
            auto* f = static_cast<CFigure*>(o);
            (f->IsInvisible() ? junctions : boxes).push_back(f);
        }
    ASSERT_EQ(boxes.size(), 9u);
    for (const CFigure* b : boxes) {
        const CFigStyle* style = doc.m_figStyles.GetAt(b->m_nStyle);
        ASSERT_NE(style, nullptr);
        EXPECT_EQ(style->m_strName, "Process");
        EXPECT_NE(b->m_props.m_fill.m_nKind, 0) << "boxes are filled";
        EXPECT_EQ(b->m_props.TextFormat & 0x77, 0x22) << "text centred both ways";
        EXPECT_EQ(b->m_strText.rfind('B', 0), 0u);
    }
    // Even columns: B0 -> B1, B3 -> B4, B6 -> B7, straight. Column 1: B1 ->
    // B5 and B4 -> B8, each three legs through two junctions.
    EXPECT_EQ(junctions.size(), 4u);
    int arrows = 0, legs = 0;
    std::map<const CFigure*, int> legsAt;
    for (CDiagObj* o : *doc.m_pObjList) {
        if (o->GetType() != kObjConnector)
            continue;
        auto* c = static_cast<CConnector*>(o);
        ++legs;
        EXPECT_GT(c->m_props.End2, 0) << "the connector style has an arrowhead";
        arrows += c->SuppressEnd2 ? 0 : 1;
        const bool horizontal = c->EndPoint1.y == c->EndPoint2.y, vertical = c->EndPoint1.x == c->EndPoint2.x;
        EXPECT_TRUE(horizontal || vertical) << "every leg runs square";
        if (c->m_pFig1->IsInvisible() && c->m_pFig2->IsInvisible()) {
            // The middle leg runs in the gap between two columns.
            for (const CFigure* b : boxes)
                EXPECT_FALSE(b->m_rect.left <= c->EndPoint1.x && c->EndPoint1.x <= b->m_rect.right);
        }
        for (const CFigure* f : {c->m_pFig1, c->m_pFig2})
            if (f->IsInvisible())
                ++legsAt[f];
    }
    EXPECT_EQ(legs, 3 + 2 * 3);
    EXPECT_EQ(arrows, 3 + 2) << "one arrowhead a link, on the route's last leg";
    for (const auto& [jct, n] : legsAt)
        EXPECT_EQ(n, 2) << "a route's junctions each join two legs";
}
} // namespace

namespace {
struct GridSizes {
    int boxHeight = 0, textHeight = 0, headLength = 0, lineWidth = 0;
};

// The sizes of the first box and arrow of a 3 x 3 grid in the work space
// given; each box agrees with its style.
GridSizes GenerateIn(const CRect& work)
{
    CKavoDoc doc;
    EXPECT_TRUE(doc.OnNewDocument());
    doc.m_rcWorkSpace = work;
    EXPECT_TRUE(GenerateDiagram(doc, 9));
    GridSizes g;
    for (CDiagObj* o : *doc.m_pObjList) {
        if (o->GetType() == kObjFigure && !static_cast<CFigure*>(o)->IsInvisible()) {
            const auto* f = static_cast<CFigure*>(o);
            EXPECT_EQ(doc.m_figStyles.GetAt(f->m_nStyle)->m_props.m_font.m_lf.lfHeight, f->m_props.m_font.m_lf.lfHeight);
            g.boxHeight = f->m_rect.Height();
            g.textHeight = f->m_props.m_font.m_lf.lfHeight;
        } else if (o->GetType() == kObjConnector) {
            const auto* c = static_cast<CConnector*>(o);
            g.headLength = c->m_props.End2Length;
            g.lineWidth = c->m_props.LineWidth;
        }
    }
    return g;
}

// A grid too big for the work space shrinks, and its text, arrowheads and
// lines shrink with it, so a huge grid draws like a small one.
TEST(GenerateDiagram, TextAndArrowheadsShrinkWithTheGrid)
{
    const GridSizes full = GenerateIn(CRect(-16000, -16000, 16000, 16000));
    // A 3 x 3 grid needs 9 cm by 6 cm (907 x 605 units): half of that.
    const GridSizes half = GenerateIn(CRect(0, 0, 453, 302));
    EXPECT_NEAR(half.boxHeight, full.boxHeight / 2.0, 1);
    EXPECT_EQ(half.textHeight, std::lround(full.textHeight / 2.0));
    EXPECT_EQ(half.headLength, std::lround(full.headLength / 2.0));
    EXPECT_EQ(half.lineWidth, std::lround(full.lineWidth / 2.0));
    EXPECT_LT(half.textHeight, 0) << "text never shrinks to nothing";
}
} // namespace
