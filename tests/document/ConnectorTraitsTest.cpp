// A connector's margins at junctions, what it asks of the redraw, its
// orientation locks and the ends that slide along tall or wide figures.
#include "DocTestSupport.h"

#include "document/CConnector.h"

#include <functional>

TEST_F(DocTest, ConnectorMarginsAtJunctions)
{
    // A blank figure without text and two connectors is a redundant
    // junction; a terminal one or one with three connectors branches.
    CFigure* jct = NewFig(doc, 0, 0);
    jct->m_props.Symbol = 0;
    jct->m_nConnected = 2;
    ASSERT_TRUE(jct->IsRedundantJct());
    CConnector c(&doc);
    c.EndPoint1 = CPoint(0, 0);
    c.EndPoint2 = CPoint(90, 30);
    c.m_pFig1 = jct;
    c.SuppressEnd1 = c.SuppressEnd2 = 1;
    c.m_props.End1Length = 12;
    c.m_props.End2Length = 20;
    c.m_props.FIType = -1;

    struct Row {
        const char* what;
        std::function<void()> setup;
        int margin;
    };
    const Row rows[] = {
        {"suppressed ends on a redundant junction",
         [&] {
             c.m_props.Join = 0;
             c.m_props.LineWidth = 1;
             c.m_props.PenStyle = 0;
         },
         6},
        {"mitre join, wide solid line at a redundant junction",
         [&] {
             c.m_props.Join = 0x2000;
             c.m_props.LineWidth = 4;
         },
         40},
        {"a line of width 3 is not wide", [&] { c.m_props.LineWidth = 3; }, 6},
        {"a dashed line is not solid",
         [&] {
             c.m_props.LineWidth = 4;
             c.m_props.PenStyle = 1;
         },
         6},
        {"a round join", [&] {
             c.m_props.PenStyle = 0;
             c.m_props.Join = 0;
         },
         6},
        {"a branching junction counts the end shapes", [&] { jct->TerminalJct = 1; }, 20},
    };
    for (const Row& r : rows) {
        r.setup();
        CRect rc;
        c.GetBoundRect(rc, 2, 10);
        EXPECT_EQ(rc, CRect(-r.margin, -r.margin, 90 + r.margin, 30 + r.margin)) << r.what;
    }
    delete jct;
}

TEST(ConnectorTraits, RedrawTraitsAndLocks)
{
    struct Row {
        int penStyle, flowIndicator;
        DWORD low;
        int traits;
    } rows[] = {
        {0, -1, 0, 0}, {5, -1, 0, 0}, {2, -1, 0, 1}, {0, 0, 0, 1}, {0, -1, 2, 2}, {0, -1, 8, 2}, {0, -1, 16, 2},
        {1, 0, 16, 3}, {0, -1, 1 | 4, 0},
    };
    for (const Row& r : rows) {
        CConnector c;
        c.m_props.PenStyle = r.penStyle;
        c.m_props.FIType = r.flowIndicator;
        c.m_props.Behavior.low = r.low;
        EXPECT_EQ(c.GetDrawTraits(), r.traits) << r.penStyle << " " << r.flowIndicator << " " << r.low;
    }

    struct Lock {
        CPoint p1, p2;
        int hint;
        bool vertical, horizontal;
    } locks[] = {
        {CPoint(0, 0), CPoint(0, 50), 0, true, false},     // equal x
        {CPoint(0, 0), CPoint(50, 0), 0, false, true},     // equal y
        {CPoint(0, 0), CPoint(0, 0), 0, true, false},      // both: vertical wins
        {CPoint(0, 0), CPoint(40, 50), 0, false, false},
        {CPoint(0, 0), CPoint(40, 50), 1, true, false},    // the hint holds
        {CPoint(0, 0), CPoint(40, 50), 2, false, true},
        {CPoint(0, 0), CPoint(0, 50), 2, false, true},     // a horizontal hint beats equal x
    };
    for (const Lock& l : locks) {
        CConnector c;
        c.SetFlags(1, 0, true);
        c.EndPoint1 = l.p1;
        c.EndPoint2 = l.p2;
        c.m_nOrientHint = l.hint;
        EXPECT_EQ(c.IsVerticalLock(), l.vertical) << l.p2.x << "," << l.p2.y << " hint " << l.hint;
        EXPECT_EQ(c.IsHorizontalLock(), l.horizontal) << l.p2.x << "," << l.p2.y << " hint " << l.hint;
        c.SetFlags(1, 0, false);
        EXPECT_FALSE(c.IsVerticalLock() || c.IsHorizontalLock()) << "only with low flag 1";
    }
}

TEST(ConnectorTraits, EndsOnTallAndWideFigures)
{
    CFigure fig;
    fig.m_pConPts = std::make_unique<CConPtList>();
    const int id = fig.m_pConPts->AddConPt(CFltPoint(0, 1024), "", 0, true, -1);
    CConnector c;
    c.m_pFig1 = &fig;
    c.m_nConPtId1 = id;
    struct Row {
        CRect rect;
        DWORD high;
        int32_t conPt;
        bool tall, wide;
    } rows[] = {
        {CRect(0, 0, 50, 200), 4, id, true, false},  {CRect(0, 0, 200, 50), 4, id, false, true},
        {CRect(0, 0, 100, 100), 4, id, false, false}, {CRect(0, 0, 50, 200), 0, id, false, false},
        {CRect(0, 0, 50, 200), 4, -1, false, false},  {CRect(0, 0, 50, 200), 4, id + 1, false, false},
    };
    for (const Row& r : rows) {
        fig.m_rect = r.rect;
        fig.m_props.Behavior.high = r.high;
        c.m_nConPtId1 = r.conPt;
        EXPECT_EQ(c.EndOnTallFig(1), r.tall) << r.rect.Width() << "x" << r.rect.Height() << " " << r.conPt;
        EXPECT_EQ(c.EndOnWideFig(1), r.wide) << r.rect.Width() << "x" << r.rect.Height() << " " << r.conPt;
        EXPECT_FALSE(c.EndOnTallFig(2)) << "end 2 has no figure";
    }
}
