// Selection handles: the figure's eight squares in their order, disabled
// squares, the junction's square with brackets, connector end squares, and
// the group that draws once its last member asks.
#include "document/CConnector.h"
#include "document/CFigure.h"
#include "document/CGroup.h"
#include "document/CKavoDoc.h"
#include "render/ConDrawContext.h"
#include "render/HandleDraw.h"

#include "platform/LoggingDC.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<POINT> SquareCentres(const CLoggingDC& dc, int size)
{
    std::vector<POINT> out;
    for (const auto& c : dc.calls)
        if (c.name == "PatBlt")
            out.push_back(POINT{c.device[0].x + size / 2, c.device[0].y + size / 2});
    return out;
}

class HandleDrawTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(doc.OnNewDocument()); }
    CFigure* Fig(int x, int y, int w, int h)
    {
        CFigProps fp;
        figs.emplace_back(new CFigure(x, y, h, w, fp, -1, 0, "", "", CFigure::CreateArgs(), &doc));
        return figs.back().get();
    }
    CKavoDoc doc;
    std::vector<std::unique_ptr<CFigure>> figs;
};

} // namespace

TEST_F(HandleDrawTest, FigureSquaresInHandleOrderWithRightAndBottomInside)
{
    CFigure* f = Fig(0, 0, 101, 51);
    ASSERT_EQ(f->m_rect, CRect(0, 0, 101, 51));
    CLoggingDC dc;
    DrawFigHandles(&dc, *f, 7, nullptr);
    const std::vector<POINT> c = SquareCentres(dc, 7);
    // 1, 7, 3, 9, 4, 6, 2, 8 on (0, 0) .. (100, 50).
    const std::vector<POINT> expected{{0, 0}, {0, 50}, {100, 0}, {100, 50}, {0, 25}, {100, 25}, {50, 0}, {50, 50}};
    ASSERT_EQ(c.size(), expected.size());
    for (size_t i = 0; i < c.size(); ++i) {
        EXPECT_EQ(c[i].x, expected[i].x) << i;
        EXPECT_EQ(c[i].y, expected[i].y) << i;
        EXPECT_EQ(dc.calls[i].brush, COLORREF(0x0000FF)) << i;
    }
}

TEST_F(HandleDrawTest, ConnectorEndSquaresAndGroupDrawsAtItsLastMember)
{
    CConnector con(&doc);
    con.EndPoint1 = CPoint(10, 10);
    con.EndPoint2 = CPoint(90, 40);
    CLoggingDC dc;
    DrawConEndHandles(&dc, con, 5, nullptr);
    const std::vector<POINT> ends = SquareCentres(dc, 5);
    ASSERT_EQ(ends.size(), 2u);
    EXPECT_EQ(ends[1].x, 90);

    CFigure* a = Fig(0, 0, 101, 51);
    CFigure* b = Fig(200, 100, 101, 51);
    CGroup group;
    group.AddMember(a, 1);
    group.AddMember(b, 2);
    a->m_pGroup = b->m_pGroup = &group;
    ConDrawCtx ctx;
    CLoggingDC grouped;
    DrawFigHandles(&grouped, *a, 7, &ctx);
    EXPECT_TRUE(grouped.calls.empty());
    DrawFigHandles(&grouped, *b, 7, &ctx);
    const std::vector<POINT> g = SquareCentres(grouped, 7);
    ASSERT_EQ(g.size(), 8u);
    EXPECT_EQ(g[3].x, 300);   // handle 9 at the union's right - 1, bottom - 1
    EXPECT_EQ(g[3].y, 150);
    // A further call in the same pass draws nothing more; a new pass counts anew.
    DrawFigHandles(&grouped, *b, 7, &ctx);
    EXPECT_EQ(grouped.calls.size(), 8u);
    ctx.BeginPass();
    DrawFigHandles(&grouped, *a, 7, &ctx);
    DrawFigHandles(&grouped, *b, 7, &ctx);
    EXPECT_EQ(grouped.calls.size(), 16u);
    a->m_pGroup = b->m_pGroup = nullptr;
}

TEST_F(HandleDrawTest, FigureMarksHandlesWhenSelectedAndPointsWhenShown)
{
    CFigure* f = Fig(0, 0, 101, 51);
    f->m_pConPts = std::make_unique<CConPtList>();
    f->m_pConPts->AddConPt(CFltPoint(0, 1024), "", 0, true, -1);      // left middle
    f->m_pConPts->AddConPt(CFltPoint(2048, 1024), "", 0, true, -1);   // right middle
    ConDrawCtx ctx;
    ctx.handleSize = 8;
    doc.m_bEnableConPts = 1;
    struct Case {
        bool selected, show;
        int mode;
        size_t squares, diamonds;
    };
    const Case cases[] = {
        {false, true, kDrawModeScreen, 0, 2},
        {true, true, kDrawModeScreen, 8, 2},
        {true, false, kDrawModeScreen, 8, 0},
        {true, true, kDrawModeScreenNoHandles, 0, 2},
        {true, true, kDrawModePrint, 0, 0},
    };
    for (const Case& c : cases) {
        f->m_bSelected = c.selected;
        ctx.mode = c.mode;
        CLoggingDC dc;
        DrawFigMarks(&dc, *f, ctx, c.show);
        size_t squares = 0, diamonds = 0;
        for (const auto& call : dc.calls) {
            squares += call.name == "PatBlt";
            diamonds += call.name == "Polygon";
        }
        EXPECT_EQ(squares, c.squares) << c.mode;
        EXPECT_EQ(diamonds, c.diamonds) << c.mode;
        if (diamonds) {
            EXPECT_EQ(dc.calls.back().brush, COLORREF(0x0494FC));
            EXPECT_EQ(dc.calls.back().device[0].x, 101 - 4);   // the right side, half-diagonal 8 / 2
        }
    }
    // Labels and documents without connection points show none.
    doc.m_bEnableConPts = 0;
    CLoggingDC none;
    DrawFigMarks(&none, *f, ctx, true);
    EXPECT_TRUE(none.calls.empty());
}
