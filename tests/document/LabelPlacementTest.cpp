// Lateral and flow labels beside their connectors: where they go, the text
// alignment that faces the connector, and the staple pass keeping them there
// with the document's label spacing.
#include "DocTestSupport.h"

#include "document/CStaple.h"
#include "document/LabelPlacement.h"
#include "document/LatLblTarget.h"
#include "document/StapleMaintenanceSpacing.h"
#include "geometry/CLineSeg.h"
#include "geometry/IntGeometry.h"

#include <random>

TEST(LateralLabels, PlacementTable)
{
    struct Row {
        const char* what;
        CPoint e1, e2, pt;
        int w, h, offset, consistency;
        CRect rect;
        WORD align;
    } rows[] = {
        {"horizontal, above", {0, 0}, {400, 0}, {200, 30}, 40, 20, 16, 0, {180, -36, 220, -16}, 2 | 16},
        {"horizontal, below", {0, 0}, {400, 0}, {200, 30}, 40, 20, -16, 0, {180, 16, 220, 36}, 2 | 64},
        {"read right to left: the same side", {400, 0}, {0, 0}, {200, 0}, 40, 20, 16, 0, {180, -36, 220, -16}, 2 | 16},
        {"consistent: the other side", {400, 0}, {0, 0}, {200, 0}, 40, 20, 16, 1, {180, 16, 220, 36}, 2 | 64},
        {"kept within the segment at its start", {0, 0}, {400, 0}, {5, 0}, 40, 20, 16, 0, {0, -36, 40, -16}, 4 | 16},
        {"and at its end", {0, 0}, {400, 0}, {390, 0}, 40, 20, 16, 0, {360, -36, 400, -16}, 1 | 16},
        {"wider than the segment, near its middle", {0, 0}, {100, 0}, {60, 0}, 160, 20, 16, 0, {-30, -36, 130, -16}, 2 | 16},
        {"wider, reaching out to the right", {0, 0}, {100, 0}, {90, 0}, 160, 20, 16, 0, {0, -36, 160, -16}, 4 | 16},
        {"wider, reaching out to the left", {0, 0}, {100, 0}, {10, 0}, 160, 20, 16, 0, {-60, -36, 100, -16}, 1 | 16},
        {"vertical, right of it", {0, 0}, {0, 400}, {-30, 200}, 40, 20, 16, 0, {16, 190, 56, 210}, 4 | 32},
        {"vertical, left of it", {0, 0}, {0, 400}, {0, 200}, 40, 20, -16, 0, {-56, 190, -16, 210}, 1 | 32},
        {"vertical read upwards, consistent", {0, 400}, {0, 0}, {0, 200}, 40, 20, 16, 1, {-56, 190, -16, 210}, 1 | 32},
        {"vertical, at its top", {0, 0}, {0, 400}, {0, 3}, 40, 20, 16, 0, {16, 0, 56, 20}, 4 | 64},
        {"falling line, above and right", {0, 0}, {300, 300}, {150, 150}, 40, 20, 16, 0, {161, 119, 201, 139}, 4 | 16},
        {"falling line, below and left", {0, 0}, {300, 300}, {150, 150}, 40, 20, -16, 0, {99, 161, 139, 181}, 1 | 64},
        {"rising line, above and left", {0, 300}, {300, 0}, {150, 150}, 40, 20, 16, 0, {99, 119, 139, 139}, 1 | 16},
        {"falling line read right to left, consistent", {300, 300}, {0, 0}, {150, 150}, 40, 20, 16, 1,
         {99, 161, 139, 181}, 1 | 64},
    };
    for (const Row& r : rows) {
        CPoint anchor;
        CRect rc;
        WORD align = 0;
        PlaceLatLbl(r.e1, r.e2, r.pt, CSize(r.w, r.h), r.offset, r.consistency, anchor, rc, align);
        EXPECT_EQ(rc, r.rect) << r.what;
        EXPECT_EQ(align, r.align) << r.what;
    }
}

// However the connector runs, a lateral label at a real distance leaves its
// line free.
TEST(LateralLabels, NeverCoverTheirLine)
{
    std::mt19937 rng(14);
    std::uniform_int_distribution<int> coord(-500, 500), size(10, 200), dist(16, 40), coin(0, 1);
    for (int i = 0; i < 2000; ++i) {
        const CPoint e1(coord(rng), coord(rng));
        CPoint e2(coord(rng), coord(rng));
        if (coin(rng))
            e2.y = e1.y;   // axis cases too
        else if (coin(rng))
            e2.x = e1.x;
        if (e1 == e2)
            continue;
        const CPoint pt(coord(rng), coord(rng));
        const int offset = coin(rng) ? dist(rng) : -dist(rng);
        CPoint anchor;
        CRect rc;
        WORD align = 0;
        PlaceLatLbl(e1, e2, pt, CSize(size(rng), size(rng)), offset, coin(rng), anchor, rc, align);
        CRect inner = rc;
        inner.DeflateRect(1, 1);
        POINT hit{};
        EXPECT_FALSE(IntersectSegmentRect(CLineSeg(e1, e2), inner, hit))
            << e1.x << "," << e1.y << " " << e2.x << "," << e2.y << " at " << pt.x << "," << pt.y << " offset "
            << offset << " rect " << rc.left << "," << rc.top << "," << rc.right << "," << rc.bottom;
    }
}

namespace {
// A figure at (200, 200) - (400, 300) and a connector to it from a small
// figure centred on `far`.
CConnector* ConFrom(CKavoDoc& d, const CPoint& far, CFigure*& fig, bool visible = true)
{
    fig = NewFig(d, 200, 200, visible ? "f" : "");
    d.AddFigWithId(fig);
    CFigure* other = NewFig(d, 0, 0, "o");
    other->SetRectNoUndo(CRect(far.x - 5, far.y - 5, far.x + 5, far.y + 5));
    d.AddFigWithId(other);
    CConProps props;
    CConnector* con = d.CreateCon(other, fig, -1, -1, other->GetCenter(), fig->GetCenter(), -1, props);
    if (con)
        con->RecalcRoute();
    return con;
}

class FlowSlotTest : public DocTest {
protected:
    CConnector* ConFrom(const CPoint& far, bool visible = true) { return ::ConFrom(doc, far, fig, visible); }
    CFigure* fig = nullptr;
};
} // namespace

TEST(FlowSlots, BesideTheConnectorWhereItMeetsTheFigure)
{
    struct Row {
        const char* what;
        CPoint far;
        CRect r1, r2;
        int c1, c2;
    } rows[] = {
        // Inflated by 10 the figure runs 190..410 by 190..310; gap 6.
        {"from above", {300, 0}, {254, 170, 294, 190}, {306, 170, 346, 190}, 8, 2},
        {"from below", {300, 600}, {254, 310, 294, 330}, {306, 310, 346, 330}, 6, 0},
        {"from the right", {800, 250}, {410, 224, 450, 244}, {410, 256, 450, 276}, 2, 0},
        {"from the left", {0, 250}, {150, 224, 190, 244}, {150, 256, 190, 276}, 8, 6},
        // At 45 degrees the gap along the side is 6 x 1.414, rounded; the
        // line leans over slot 1, which moves away by the label's height.
        {"slanted from above left", {200, 150}, {172, 170, 212, 190}, {248, 170, 288, 190}, 8, 2},
    };
    for (const Row& r : rows) {
        CKavoDoc d;
        ASSERT_TRUE(d.OnNewDocument());
        CFigure* fig = nullptr;
        CConnector* con = ConFrom(d, r.far, fig);
        ASSERT_TRUE(con) << r.what;
        CRect r1, r2;
        int c1 = -1, c2 = -1;
        ASSERT_TRUE(d.CalcFlowLblRects(con, fig, CSize(40, 20), 6, 10, r1, r2, c1, c2)) << r.what;
        EXPECT_EQ(r1, r.r1) << r.what;
        EXPECT_EQ(r2, r.r2) << r.what;
        EXPECT_EQ(CSize(c1, c2), CSize(r.c1, r.c2)) << r.what;
    }
}

// Wherever the connector comes from, both slots leave the connector and
// the figure's grown rectangle free.
TEST(FlowSlots, NeverCoverTheConnectorOrTheFigure)
{
    std::mt19937 rng(3);
    std::uniform_int_distribution<int> coord(-1500, 1500), size(10, 120);
    int checked = 0;
    for (int i = 0; i < 600; ++i) {
        CKavoDoc d;
        ASSERT_TRUE(d.OnNewDocument());
        const CPoint far(coord(rng), coord(rng));
        if (CRect(150, 150, 450, 350).PtInRect(far))
            continue;
        CFigure* fig = nullptr;
        CConnector* con = ConFrom(d, far, fig);
        ASSERT_TRUE(con);
        CRect r1, r2;
        int c1 = -1, c2 = -1;
        if (!d.CalcFlowLblRects(con, fig, CSize(size(rng), size(rng)), 16, 16, r1, r2, c1, c2))
            continue;
        ++checked;
        CRect grown = fig->m_rect;
        grown.InflateRect(15, 15);
        for (const CRect& r : {r1, r2}) {
            CRect inner = r;
            inner.DeflateRect(1, 1);
            POINT hit{};
            EXPECT_FALSE(CRect().IntersectRect(r, grown)) << far.x << "," << far.y;
            EXPECT_FALSE(IntersectSegmentRect(CLineSeg(con->EndPoint1, con->EndPoint2), inner, hit))
                << far.x << "," << far.y << " rect " << r.left << "," << r.top << "," << r.right << "," << r.bottom;
        }
    }
    EXPECT_GT(checked, 400);
}

TEST_F(FlowSlotTest, ASlotPastTheSideGoesRoundTheCorner)
{
    // Close to the top left corner at a slant: slot 1 would start left of
    // the side and is put on the left side instead.
    CConnector* con = ConFrom(CPoint(0, 0));
    ASSERT_TRUE(con);
    CRect r1, r2;
    int c1 = -1, c2 = -1;
    ASSERT_TRUE(doc.CalcFlowLblRects(con, fig, CSize(40, 20), 30, 0, r1, r2, c1, c2));
    EXPECT_EQ(r1.right, fig->m_rect.left) << "on the left side";
    EXPECT_GT(r1.bottom, fig->m_rect.top);
    EXPECT_EQ(c1, 8);
    EXPECT_EQ(r2.bottom, fig->m_rect.top);
    EXPECT_EQ(c2, 2);
    EXPECT_EQ(FlowLblAlign(c1), 1 | 16);
    EXPECT_EQ(FlowLblAlign(c2), 4 | 16);
    EXPECT_EQ(FlowLblAlign(4), 2 | 32);
    EXPECT_EQ(FlowLblAlign(9), 0);
}

TEST_F(FlowSlotTest, NoSlotsAtAnInvisibleFigure)
{
    CConnector* con = ConFrom(CPoint(300, 0), false);
    ASSERT_TRUE(con);
    CRect r1, r2;
    int c1 = -1, c2 = -1;
    EXPECT_FALSE(doc.CalcFlowLblRects(con, fig, CSize(40, 20), 6, 10, r1, r2, c1, c2));
    EXPECT_FALSE(doc.CalcFlowLblRects(nullptr, fig, CSize(40, 20), 6, 10, r1, r2, c1, c2));
}

// The pass puts flow and lateral labels where the label spacing says, and a
// new spacing moves them.
TEST_F(FlowSlotTest, LabelsFollowTheSpacingSettings)
{
    CConnector* con = ConFrom(CPoint(300, -400));
    ASSERT_TRUE(con);
    CFigure* flowLabel = NewFig(doc, 0, 0, "flow");
    flowLabel->SetRectNoUndo(CRect(0, 0, 40, 20));
    doc.AddFigWithId(flowLabel);
    auto* flow = new CStaple(&doc);
    flow->MakeFlowLbl(fig, flowLabel, con, 2);
    ASSERT_TRUE(doc.AddStapleWithId(flow));
    CFigure* latLabel = NewFig(doc, 0, 0, "lateral");
    latLabel->SetRectNoUndo(CRect(0, 0, 40, 20));
    doc.AddFigWithId(latLabel);
    auto* lat = new CStaple(&doc);
    lat->MakeLatLbl(con, con->GetMidPoint(), latLabel, -16, 0);
    ASSERT_TRUE(doc.AddStapleWithId(lat));
    flow->ClearSnapshots();
    lat->ClearSnapshots();
    doc.UpdateAllStaples(0);
    // Slot 2 right of the connector coming down onto the top side.
    EXPECT_EQ(flowLabel->m_rect, CRect(316, 164, 356, 184));
    EXPECT_EQ(flowLabel->m_props.TextFormat & 0x77, 4 | 16);
    EXPECT_EQ(latLabel->m_rect.right, con->EndPoint1.x - 16) << "left of the vertical line";
    EXPECT_EQ(latLabel->m_props.TextFormat & 0x77, 1 | 32);

    doc.m_nLabelToFigSpacing = 30;
    doc.m_nLabelToConSpacing = 40;
    EXPECT_EQ(ReapplyLabelSpacing(doc, -1, -1), 2);
    EXPECT_EQ(flowLabel->m_rect, CRect(330, 140, 370, 160));
    EXPECT_EQ(latLabel->m_rect.right, con->EndPoint1.x - 40);
}

// A lateral label of a new size takes the alignment of its new place.
TEST_F(FlowSlotTest, LateralLabelAlignsWhenItsSizeChanges)
{
    CConnector* con = ConFrom(CPoint(900, 250));
    ASSERT_TRUE(con);
    CFigure* label = NewFig(doc, 0, 0, "lateral");
    label->SetRectNoUndo(CRect(0, 0, 40, 20));
    doc.AddFigWithId(label);
    auto* lat = new CStaple(&doc);
    lat->MakeLatLbl(con, con->GetMidPoint(), label, 16, 0);
    ASSERT_TRUE(doc.AddStapleWithId(lat));
    lat->ClearSnapshots();
    doc.UpdateAllStaples(0);
    EXPECT_EQ(label->m_props.TextFormat & 0x77, 2 | 16) << "placed: centred above the line";
    // Moved by hand at the same size, it goes back and keeps its alignment.
    label->m_props.TextFormat = 0x22;
    const CRect place = label->m_rect;
    CRect moved = place;
    moved.OffsetRect(7, 30);
    label->SetRectNoUndo(moved);
    doc.UpdateAllStaples(0);
    EXPECT_EQ(label->m_rect, place);
    EXPECT_EQ(label->m_props.TextFormat & 0x77, 0x22);
    // Wider than its line it is centred on the line's middle.
    CRect wide = label->m_rect;
    wide.right = wide.left + 900;
    label->SetRectNoUndo(wide);
    doc.UpdateAllStaples(0);
    EXPECT_EQ(label->m_props.TextFormat & 0x77, 2 | 16);
    EXPECT_EQ(label->m_rect.CenterPoint().x, con->GetMidPoint().x);
}

namespace {
// A lone connector between two far-away figures, its ends put where given.
class LatTargetTest : public DocTest {
protected:
    CConnector* Line(const CPoint& e1, const CPoint& e2)
    {
        CFigure* a = NewFig(doc, -5000, -5000, "a");
        CFigure* b = NewFig(doc, 5000, 5000, "b");
        doc.AddFigWithId(a);
        doc.AddFigWithId(b);
        CConnector* c = NewCon(doc, a, b);
        c->EndPoint1 = e1;
        c->EndPoint2 = e2;
        doc.AddConWithId(c);
        return c;
    }
    static constexpr int kGap = 16;
    const CSize kSize{80, 20};
};
} // namespace

// The side is the one whose band (the label carried from one end of the
// line to the other) holds the point, not only the label at the point's
// foot on the line: near an end, where the foot's label has moved on, the
// point is still beside the line.
TEST_F(LatTargetTest, TheBandAlongTheWholeLineGivesTheSide)
{
    // Falling line: a positive offset puts the label right of and above
    // the line, starting at (11, -31, 91, -11) and ending at (411, 369, 491, 389).
    CConnector* con = Line(CPoint(0, 0), CPoint(400, 400));
    struct Row {
        const char* what;
        CPoint pt;
        int maxDist;
        bool found;
        int offset;
    } rows[] = {
        {"in the label at the start, past its foot's label", {88, -29}, -1, true, kGap},
        {"in the label at the end on the other side", {312, 429}, -1, true, -kGap},
        {"above the line's middle", {200, 150}, -1, true, kGap},
        {"below it", {200, 250}, -1, true, -kGap},
        {"on the line itself: no label goes there", {200, 200}, -1, false, 0},
        {"beyond the start's label", {-20, -30}, -1, false, 0},
        {"beside the line but further than the distance asked", {200, 150}, 20, false, 0},
        {"within that distance", {213, 187}, 20, true, kGap},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        LatLblTarget t;
        ASSERT_EQ(FindLatLblTarget(doc, kSize, kGap, 0, r.pt, r.maxDist, false, t), r.found);
        CConnector* found = nullptr;
        int offset = 0;
        CRect rect;
        WORD align = 0;
        EXPECT_EQ(doc.FindLatLblSlotAt(kSize, kGap, 0, r.pt, r.maxDist, found, offset, rect, align), r.found);
        if (!r.found)
            continue;
        EXPECT_EQ(t.con, con);
        EXPECT_EQ(t.offset, r.offset);
        EXPECT_EQ(offset, r.offset);
        // The label goes at the point's foot on the line, on that side.
        CPoint anchor;
        CRect expected;
        WORD expectedAlign = 0;
        PlaceLatLbl(con->EndPoint1, con->EndPoint2, r.pt, kSize, r.offset, 0, anchor, expected, expectedAlign);
        EXPECT_EQ(rect, expected);
        EXPECT_EQ(align, expectedAlign);
    }
}

// In corner mode the label stays centred on the point and the point of it
// that faces the line is found: the middle of its bottom or top beside a
// horizontal line, of its left or right beside a vertical one, a corner
// beside a slanted one.
TEST_F(LatTargetTest, CornerModeGivesThePointOfTheLabelThatFacesTheLine)
{
    struct Row {
        const char* what;
        CPoint e1, e2, pt;
        int offset, side;
        CPoint ref;
        WORD align;
    } rows[] = {
        {"above a horizontal line", {0, 0}, {400, 0}, {200, -26}, kGap, 6, {200, -16}, 2 | 16},
        {"below it", {0, 0}, {400, 0}, {200, 26}, -kGap, 2, {200, 16}, 2 | 64},
        {"right of a vertical line", {0, 0}, {0, 400}, {56, 200}, kGap, 8, {16, 200}, 4 | 32},
        {"left of it", {0, 0}, {0, 400}, {-56, 200}, -kGap, 4, {-16, 200}, 1 | 32},
        {"above a falling line", {0, 0}, {400, 400}, {88, -29}, kGap, 7, {48, -19}, 4 | 16},
        {"below it", {0, 0}, {400, 400}, {312, 429}, -kGap, 3, {352, 419}, 1 | 64},
        {"above a rising line", {0, 400}, {400, 0}, {-50, 380}, kGap, 5, {-10, 390}, 1 | 16},
        {"below it", {0, 400}, {400, 0}, {50, 420}, -kGap, 1, {10, 410}, 4 | 64},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        DocTest::SetUp();
        CConnector* con = Line(r.e1, r.e2);
        LatLblTarget t;
        // The distance limit is not the corner mode's.
        ASSERT_TRUE(FindLatLblTarget(doc, kSize, kGap, 0, r.pt, 1, true, t));
        EXPECT_EQ(t.con, con);
        EXPECT_EQ(t.offset, r.offset);
        EXPECT_EQ(t.side, r.side);
        EXPECT_EQ(t.rect, CRect(r.pt.x - 40, r.pt.y - 10, r.pt.x + 40, r.pt.y + 10));
        EXPECT_EQ(t.ref, r.ref);
        EXPECT_EQ(t.align, r.align);
    }
}
