#include "DocTestSupport.h"

#include "document/CStaple.h"
#include "document/DirectionIndicator.h"
#include "document/Trunks.h"

TEST_F(DocTest, DirectionCodesFollowTheConnectorAndTheLabelsSide)
{
    CFigure label(&doc);
    CConnector con(&doc);
    CStaple staple(&doc);
    struct Row {
        CPoint end2;
        int offset, consistency, indicator, code;
    } rows[] = {
        {CPoint(100, 0), 10, 0, 1, 1},     // right
        {CPoint(-100, 0), 10, 0, 1, 2},    // left
        {CPoint(50, -87), 10, 0, 1, 3},    // up-right (screen y down)
        {CPoint(-50, -87), 10, 0, 1, 4},   // up-left
        {CPoint(-50, 87), 10, 0, 1, 5},    // down-left
        {CPoint(50, 87), 10, 0, 1, 6},     // down-right
        {CPoint(100, 0), -10, 0, 1, 2},    // the other side reads backwards
        {CPoint(100, 0), -10, 1, 1, 1},    // unless kept consistent
        {CPoint(50, -87), 10, 0, 2, 5},    // backward indicator swaps 3 <-> 5
        {CPoint(50, 87), 10, 0, 2, 4},     // and 6 <-> 4
        {CPoint(0, -100), 10, 0, 1, 4},    // straight up and a unit either side
        {CPoint(1, -100), 10, 0, 1, 4},
        {CPoint(-1, -100), 10, 0, 1, 4},
        {CPoint(0, 100), 10, 0, 1, 6},     // straight down and a unit either side
        {CPoint(1, 100), 10, 0, 1, 6},
        {CPoint(-1, 100), 10, 0, 1, 6},
        {CPoint(100, 1), 10, 0, 1, 1},     // a unit off horizontal
        {CPoint(100, -1), 10, 0, 1, 1},
        {CPoint(-100, 1), 10, 0, 1, 2},
        {CPoint(-100, -1), 10, 0, 1, 2},
        {CPoint(100, 0), 10, 0, 0, 0},     // no indicator
        {CPoint(0, 0), 10, 0, 1, 0},       // no direction
    };
    for (const Row& r : rows) {
        con.EndPoint1 = CPoint(0, 0);
        con.EndPoint2 = r.end2;
        staple.LateralOffset = r.offset;
        staple.LateralConsistency = r.consistency;
        label.AssociationIndicator = r.indicator;
        EXPECT_EQ(GetDirectionCode(label, con, staple), r.code) << r.end2.x << "," << r.end2.y << " " << r.offset;
    }
    for (int code = 1; code <= 6; ++code)
        EXPECT_EQ(SwapDirectionCode(SwapDirectionCode(code)), code);
}

TEST(DirectionIndicator, TrianglePointsTheWayOfItsCode)
{
    POINT pts[3];
    ASSERT_TRUE(DirectionIndicatorPoints(CRect(0, 0, 100, 100), 1, 20, pts));
    EXPECT_EQ(CPoint(pts[0]), CPoint(60, 50));   // the tip, to the right of the centre
    ASSERT_TRUE(DirectionIndicatorPoints(CRect(0, 0, 100, 100), 2, 20, pts));
    EXPECT_EQ(CPoint(pts[0]), CPoint(40, 50));
    EXPECT_FALSE(DirectionIndicatorPoints(CRect(0, 0, 100, 100), 7, 20, pts));
    EXPECT_FALSE(DirectionIndicatorPoints(CRect(0, 0, 100, 100), 1, 1, pts));
}
