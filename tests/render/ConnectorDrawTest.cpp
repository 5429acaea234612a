// Connector drawing: the order of the drawing steps on both paths, end-shape
// insets, dashes, flow stamps, hops, handles, chains and bad routes. A
// recording device context lists what each path drew.
#include "document/CConnector.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "document/ObjIndex.h"
#include "graphics/DashPattern.h"
#include "platform/CGraphics.h"
#include "platform/CPainterDC.h"
#include "render/ConDrawContext.h"
#include "render/ConLineShapes.h"
#include "render/ConPolylineDraw.h"
#include "render/ConCrossings.h"
#include "render/ConnectorDraw.h"
#include "shapes/ShapeLibrary.h"

#include "platform/LoggingDC.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records the pens of the graphics side too.
class PenLoggingDC : public CLoggingDC {
public:
    std::vector<CGpPen> gpPens;
    std::vector<QPointF> pathStarts;   // device pixels
    void GpDrawPath(const QPainterPath& path, const CGpPen& pen, const CGpState& state) override
    {
        gpPens.push_back(pen);
        pathStarts.push_back(state.world.map(path.elementAt(0)));
        CLoggingDC::GpDrawPath(path, pen, state);
    }
};

std::vector<std::string> Names(const CLoggingDC& dc)
{
    std::vector<std::string> names;
    for (const CLoggingDC::Call& c : dc.calls)
        names.push_back(c.name);
    return names;
}

ConRoute Route(std::vector<CPoint> pts)
{
    ConRoute r;
    r.points = std::move(pts);
    return r;
}

class ConnectorDrawTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(doc.OnNewDocument());
        if (StampShapes().GetCount() == 0)
            StampShapes().BuildStampShapes();
        block = doc.m_endSymbols.FindByName("block");
        ASSERT_GT(block, 0);
    }
    CFigure* NewFig(int x, int y)
    {
        CFigProps fp;
        return new CFigure(x, y, 100, 100, fp, -1, 0, "", "", CFigure::CreateArgs(), &doc);
    }
    CKavoDoc doc;
    int block = -1;
};

} // namespace

TEST_F(ConnectorDrawTest, GraphicsPathDrawsDotLineDotSymbolsThenHandles)
{
    // Ends on connection points of flagged figures get dots (conPtMode 1);
    // an end shape at end 2 takes that end's dot place.
    CFigure* a = NewFig(-50, -50);
    CFigure* b = NewFig(150, 50);
    a->m_props.Behavior.low |= 0x1000000;
    b->m_props.Behavior.low |= 0x1000000;
    CConnector con(&doc);
    con.m_bSelected = 1;
    con.EndPoint1 = CPoint(0, 0);
    con.EndPoint2 = CPoint(200, 100);
    ConRoute route = Route({{0, 0}, {200, 0}, {200, 100}});
    route.cons = {&con};
    route.fig1 = a;
    route.fig2 = b;
    route.conPt1 = route.conPt2 = 1;
    CConProps props;
    ConDrawArgs args;
    args.conPtMode = 1;
    ConDrawCtx ctx;

    CLoggingDC dots;
    {
        CGraphics g(&dots);
        DrawConnectorGdip(&g, &ctx, route, props, &doc, args);
    }
    EXPECT_EQ(Names(dots), (std::vector<std::string>{"GpFillPath", "GpDrawPath", "GpFillPath", "PatBlt", "PatBlt"}));

    props.End2 = block;
    props.End2Length = 20;
    CLoggingDC shaped;
    {
        CGraphics g(&shaped);
        DrawConnectorGdip(&g, &ctx, route, props, &doc, args);
    }
    // Start dot, the line, end dot, end 2's symbol (fill, outline), then the handles.
    EXPECT_EQ(Names(shaped), (std::vector<std::string>{"GpFillPath", "GpDrawPath", "GpFillPath", "GpFillPath",
                                                       "GpDrawPath", "PatBlt", "PatBlt"}));
    EXPECT_TRUE(ctx.drawnCons.count(&con));

    // Off the screen no handles.
    ctx.mode = kDrawModePrint;
    CLoggingDC printed;
    {
        CGraphics g(&printed);
        DrawConnectorGdip(&g, &ctx, route, props, &doc, args);
    }
    EXPECT_EQ(printed.calls.size(), 5u);
    delete a;
    delete b;
}

TEST_F(ConnectorDrawTest, DevicePathDrawsDotsBeforeTheLineAndShapesAfter)
{
    CFigure* a = NewFig(-50, -50);
    a->m_props.Behavior.low |= 0x1000000;
    ConRoute route = Route({{0, 0}, {200, 0}});
    route.fig1 = a;
    route.conPt1 = 1;
    CConProps props;
    props.End2 = block;
    props.End2Length = 20;
    ConDrawArgs args;
    args.conPtMode = 1;
    CLoggingDC dc;
    DrawConnector(nullptr, &dc, nullptr, route, props, &doc, args);
    // The connection-point dot comes with the end it marks, after the line;
    // the block is filled (its polygon) and outlined (its polyline).
    EXPECT_EQ(Names(dc), (std::vector<std::string>{"Polyline", "StrokePath", "Ellipse", "Polygon", "Polyline"}));
    // The line stops inside the block: MulDiv(20, 100, 100) short of the tip.
    EXPECT_EQ(dc.calls[0].device.back().x, 180);
    delete a;
}

TEST_F(ConnectorDrawTest, EndShapeInsetFollowsItsLineToPercentAndIndexZeroDrawsNothing)
{
    struct Case {
        const char* shape;
        int size;
        int lineEnd;
        size_t polygons;
    };
    const Case cases[] = {
        {"null", 20, 200, 0},            // index 0: neither drawn nor inset
        {"block", 20, 180, 1},
        {"block short", 25, 185, 1},     // MulDiv(25, 60, 100) = 15
        {"block shorter", 25, 192, 1},   // MulDiv(25, 30, 100) = 7.5 rounds to 8
        {"stick", 20, 200, 0},           // LineTo 0: no inset; outline lines only
        {"block", 1, 200, 1},            // a size of 1 is not inset
    };
    for (const Case& c : cases) {
        CConProps props;
        props.End2 = doc.m_endSymbols.FindByName(c.shape);
        props.End2Length = c.size;
        CLoggingDC dc;
        DrawConnector(nullptr, &dc, nullptr, Route({{0, 0}, {200, 0}}), props, &doc, ConDrawArgs{});
        ASSERT_FALSE(dc.calls.empty()) << c.shape;
        EXPECT_EQ(dc.calls[0].device.back().x, c.lineEnd) << c.shape;
        size_t polygons = 0;
        for (const auto& call : dc.calls)
            polygons += call.name == "Polygon";
        EXPECT_EQ(polygons, c.polygons) << c.shape;
    }
}

TEST_F(ConnectorDrawTest, SuppressedAndOutlineOnlyEnds)
{
    CConProps props;
    props.End1 = props.End2 = block;
    ConDrawArgs args;
    args.suppressEnd1 = true;
    args.outlineOnly2 = true;
    CLoggingDC dc;
    DrawConnector(nullptr, &dc, nullptr, Route({{0, 0}, {200, 0}}), props, &doc, args);
    // End 1 suppressed: not inset, not drawn; end 2 outline only (no fill polygon).
    EXPECT_EQ(dc.calls[0].device.front().x, 0);
    EXPECT_EQ(Names(dc), (std::vector<std::string>{"Polyline", "StrokePath", "Polyline"}));
}

TEST_F(ConnectorDrawTest, BadRoutesDrawNothingOrStayBounded)
{
    CConProps props;
    CLoggingDC dc;
    DrawConnector(nullptr, &dc, nullptr, Route({}), props, &doc, ConDrawArgs{});
    DrawConnector(nullptr, &dc, nullptr, Route({{5, 5}}), props, &doc, ConDrawArgs{});
    DrawConnector(nullptr, &dc, nullptr, Route({{5, 5}, {5, 5}, {5, 5}}), props, &doc, ConDrawArgs{});
    EXPECT_TRUE(dc.calls.empty());

    // A route longer than the 51-point buffer keeps its first 50 points and its last.
    std::vector<CPoint> zigzag;
    for (int i = 0; i < 300; ++i)
        zigzag.emplace_back(i * 10, (i % 2) * 10);
    DrawConnector(nullptr, &dc, nullptr, Route(zigzag), props, &doc, ConDrawArgs{});
    ASSERT_EQ(dc.calls.size(), 2u);
    EXPECT_EQ(dc.calls[0].device.size(), 51u);
    EXPECT_EQ(dc.calls[0].device.back().x, 2990);
}

TEST_F(ConnectorDrawTest, RefusedCurveFallsBackToTheStraightLine)
{
    // 51 points in the fine curve mode need 786 points: the generator refuses,
    // and the connector is still drawn, straight.
    std::vector<CPoint> pts;
    for (int i = 0; i < 51; ++i)
        pts.emplace_back(i * 10, (i % 2) * 10);
    CConProps props;
    props.Behavior.low |= CONSHAPE_CURVE;
    CLoggingDC dc;
    DrawConnector(nullptr, &dc, nullptr, Route(pts), props, &doc, ConDrawArgs{});
    ASSERT_FALSE(dc.calls.empty());
    EXPECT_EQ(dc.calls[0].device.size(), 51u);

    // 50 points curve into exactly 770.
    pts.pop_back();
    CLoggingDC curved;
    DrawConnector(nullptr, &curved, nullptr, Route(pts), props, &doc, ConDrawArgs{});
    EXPECT_EQ(curved.calls[0].device.size(), 770u);
}

TEST_F(ConnectorDrawTest, HopsOverEarlierConnectorsWithinTheJumpRange)
{
    CConProps props;
    CConnector* earlier = doc.CreateCon(nullptr, nullptr, -1, -1, POINT{200, 0}, POINT{200, 200}, -1, props);
    ASSERT_NE(earlier, nullptr);
    doc.m_bConnectorJogs = 1;
    const struct {
        int jump;
        bool hops;
    } cases[] = {{18, true}, {128, true}, {1, false}, {129, false}};
    for (const auto& c : cases) {
        doc.m_nConnectorJogRadius = c.jump;
        CLoggingDC dc;
        DrawConnector(nullptr, &dc, nullptr, Route({{0, 100}, {400, 100}}), props, &doc, ConDrawArgs{});
        ASSERT_FALSE(dc.calls.empty());
        const auto& line = dc.calls[0].device;
        EXPECT_EQ(line.size() > 2, c.hops) << c.jump;
        if (c.hops) {
            int top = 100;
            for (const POINT& p : line)
                top = std::min(top, int(p.y));
            EXPECT_EQ(top, 100 - c.jump) << c.jump;   // the arc rises by the jump size
        }
    }
    // The no-hops flag of the connector being drawn.
    doc.m_nConnectorJogRadius = 18;
    props.Behavior.low |= CONSHAPE_NOHOPS;
    CLoggingDC plain;
    DrawConnector(nullptr, &plain, nullptr, Route({{0, 100}, {400, 100}}), props, &doc, ConDrawArgs{});
    EXPECT_EQ(plain.calls[0].device.size(), 2u);
}

TEST_F(ConnectorDrawTest, ChainThroughRedundantJunctionIsDrawnOnceAsOneLine)
{
    CFigure* a = NewFig(0, 0);
    CFigure* b = NewFig(1000, 0);
    doc.AddFigWithId(a);
    doc.AddFigWithId(b);
    CFigure* j = doc.CreateFigAt(POINT{493, 43}, 1);
    ASSERT_NE(j, nullptr);
    CConProps props;
    CConnector* c1 = doc.CreateCon(a, j, -1, -1, a->GetCenter(), j->GetCenter(), -1, props);
    CConnector* c2 = doc.CreateCon(j, b, -1, -1, j->GetCenter(), b->GetCenter(), -1, props);
    ASSERT_TRUE(c1 && c2);
    ASSERT_TRUE(j->IsRedundantJct());
    ConRoute route;
    BuildConRoute(*c2, route);
    ASSERT_EQ(route.points.size(), 3u);
    EXPECT_EQ(route.points.front(), c1->EndPoint1);
    EXPECT_EQ(route.points.back(), c2->EndPoint2);
    EXPECT_EQ(route.fig1, a);
    EXPECT_EQ(route.fig2, b);

    ConDrawCtx ctx;
    CLoggingDC dc;
    DrawConObj(nullptr, &dc, ctx, *c1);
    const size_t once = dc.calls.size();
    DrawConObj(nullptr, &dc, ctx, *c2);
    EXPECT_EQ(dc.calls.size(), once);
    EXPECT_EQ(dc.calls[0].device.size(), 3u);
    ctx.BeginPass();
    DrawConObj(nullptr, &dc, ctx, *c2);
    EXPECT_GT(dc.calls.size(), once);
}

TEST(ConPolyline, DashesOfStyle1AtWidth3Are36On12Off)
{
    CConProps props;
    props.PenStyle = 1;
    props.LineWidth = 3;
    const POINT line[2] = {{0, 0}, {200, 0}};
    CLoggingDC dc;
    DrawConPolyline(nullptr, &dc, nullptr, props, line, 2, false, false, true);
    std::vector<std::pair<int, int>> pieces;
    for (const auto& c : dc.calls)
        if (c.name == "LineTo")
            pieces.emplace_back(c.device[0].x, c.device[1].x);
    EXPECT_EQ(pieces, (std::vector<std::pair<int, int>>{{12, 48}, {60, 96}, {108, 144}, {156, 192}}));
    EXPECT_EQ(dc.calls.back().name, "StrokePath");
}

TEST(ConPolyline, PenChoiceByStyleAndWidth)
{
    const POINT line[3] = {{0, 0}, {100, 0}, {100, 100}};
    struct Case {
        int style, width;
        const char* first;   // the first call
        size_t calls;
    };
    const Case cases[] = {
        {0, 1, "Polyline", 2},    // solid: one polyline stroked as a path
        {1, 1, "Polyline", 2},    // thin simple styles keep the pen's own style
        {1, 0, "Polyline", 2},
        {13, 4, "Polyline", 2},   // a style outside the table draws solid
        {-2, 4, "Polyline", 2},
        {5, 4, nullptr, 0},       // no line
        {6, 1, "LineTo", 0},      // walked: style 6 has no thin pen form
    };
    for (const Case& c : cases) {
        CConProps props;
        props.PenStyle = c.style;
        props.LineWidth = c.width;
        CLoggingDC dc;
        DrawConPolyline(nullptr, &dc, nullptr, props, line, 3, false, false, true);
        if (!c.first) {
            EXPECT_TRUE(dc.calls.empty()) << c.style;
            continue;
        }
        ASSERT_FALSE(dc.calls.empty()) << c.style;
        EXPECT_EQ(dc.calls[0].name, c.first) << c.style;
        if (c.calls) {
            EXPECT_EQ(dc.calls.size(), c.calls) << c.style;
        }
    }
}

TEST(ConPolyline, PathlessModeXorAndRoundEnds)
{
    const POINT slanted[2] = {{0, 0}, {100, 50}};
    CConProps props;
    props.LineWidth = 8;
    props.Color = RGB(10, 20, 30);
    ConDrawCtx ctx;
    ctx.mode = kDrawModeNoPaths;
    CLoggingDC pathless;
    DrawConPolyline(nullptr, &pathless, &ctx, props, slanted, 2, true, true, true);
    // No path, and no round ends where paths cannot be held.
    EXPECT_EQ(Names(pathless), std::vector<std::string>{"Polyline"});

    ctx.mode = kDrawModeScreen;
    ctx.xorMode = true;
    ctx.xorColor = 0xFFFFFF;
    CLoggingDC xored;
    DrawConPolyline(nullptr, &xored, &ctx, props, slanted, 2, true, false, true);
    EXPECT_EQ(Names(xored), (std::vector<std::string>{"Polyline", "StrokePath", "LineTo"}));
    EXPECT_EQ(xored.calls[0].pen, RGB(10, 20, 30) ^ 0xFFFFFF);
    EXPECT_EQ(xored.GetROP2(), R2_COPYPEN);   // restored

    // Axis-parallel end segments get no round end.
    const POINT flat[2] = {{0, 0}, {100, 0}};
    CLoggingDC square;
    DrawConPolyline(nullptr, &square, nullptr, props, flat, 2, true, true, true);
    EXPECT_EQ(Names(square), (std::vector<std::string>{"Polyline", "StrokePath"}));
}

TEST(ConPolyline, GraphicsPenHasRoundJoinsAndDashesInLineWidths)
{
    CConProps props;
    props.PenStyle = 3;
    props.LineWidth = 2;
    const POINT closed[5] = {{0, 0}, {100, 0}, {100, 100}, {0, 100}, {0, 0}};
    PenLoggingDC dc;
    {
        CGraphics g(&dc);
        DrawConPolyline(&g, nullptr, nullptr, props, closed, 5, false, false, true);
    }
    ASSERT_EQ(dc.gpPens.size(), 1u);
    const CGpPen& pen = dc.gpPens[0];
    EXPECT_EQ(pen.lineJoin, GpLineJoin::Round);
    EXPECT_EQ(pen.dashStyle, GpDashStyle::Custom);
    EXPECT_EQ(pen.dashPattern, (std::vector<float>{2, 4, 6, 4}));
    EXPECT_EQ(pen.dashCap, GpDashCap::Flat);
    EXPECT_FLOAT_EQ(pen.width, 2.0f);
}

TEST(ConPolyline, FlowStampsAtTheSpacingEvenWithoutALine)
{
    if (StampShapes().GetCount() == 0)
        StampShapes().BuildStampShapes();
    CConProps props;
    props.PenStyle = kDashStyleNoLine;
    props.FIType = StampShapes().FindByName("FI_CIRCLE");
    props.FISpacing = 42;
    const POINT line[2] = {{0, 0}, {200, 0}};
    CLoggingDC dc;
    DrawConPolyline(nullptr, &dc, nullptr, props, line, 2, false, false, false);
    std::vector<int> centres;
    for (const auto& c : dc.calls)
        if (c.name == "Ellipse")
            centres.push_back((c.device[0].x + c.device[1].x) / 2);
    // Half a spacing in, then every 42 units, centred there; each stamp
    // filled, then outlined.
    EXPECT_EQ(centres, (std::vector<int>{21, 21, 63, 63, 105, 105, 147, 147, 189, 189}));

    // Without a stamp shape, or with the no-flow flag, nothing.
    props.FIType = 99;
    CLoggingDC none;
    DrawConPolyline(nullptr, &none, nullptr, props, line, 2, false, false, false);
    EXPECT_TRUE(none.calls.empty());
}

TEST_F(ConnectorDrawTest, BranchJunctionDotsWithTheDocumentSettingOrTheConnectorFlag)
{
    CFigure* j = doc.CreateFigAt(POINT{0, 0}, 1);
    ASSERT_NE(j, nullptr);
    j->m_nConnected = 3;   // three connectors meet: a branch, not a redundant junction
    ASSERT_TRUE(j->IsBranchJct());
    ConRoute route = Route({j->GetCenter(), j->GetCenter() + CSize(200, 0)});
    route.fig1 = j;
    CConProps props;
    props.LineWidth = 2;
    const int x0 = j->GetCenter().x;

    CLoggingDC off;
    DrawConnector(nullptr, &off, nullptr, route, props, &doc, ConDrawArgs{});
    EXPECT_EQ(Names(off), (std::vector<std::string>{"Polyline", "StrokePath"}));

    doc.m_bJunctionDots = 1;
    CLoggingDC gdi;
    DrawConnector(nullptr, &gdi, nullptr, route, props, &doc, ConDrawArgs{});
    // The device path draws the dots before the line, which starts at the centre.
    EXPECT_EQ(Names(gdi), (std::vector<std::string>{"Ellipse", "Polyline", "StrokePath"}));
    EXPECT_EQ(gdi.calls[1].device.front().x, x0);

    doc.m_bJunctionDots = 0;
    props.Behavior.low |= 4;   // the connector's own switch
    PenLoggingDC gdip;
    {
        CGraphics g(&gdip);
        DrawConnectorGdip(&g, nullptr, route, props, &doc, ConDrawArgs{});
    }
    EXPECT_EQ(Names(gdip), (std::vector<std::string>{"GpFillPath", "GpDrawPath"}));
    // The graphics path stops the line at the dot's rim: 13 / 2 units in.
    ASSERT_EQ(gdip.pathStarts.size(), 1u);
    EXPECT_DOUBLE_EQ(gdip.pathStarts[0].x(), x0 + 6);

    // An end shape at that end takes the dot's place.
    props.End1 = block;
    CLoggingDC shaped;
    DrawConnector(nullptr, &shaped, nullptr, route, props, &doc, ConDrawArgs{});
    EXPECT_EQ(shaped.calls[0].name, "Polyline");
}

TEST(ConPolyline, OddWidthsStylesAndSpacingsDrawWithoutHanging)
{
    if (StampShapes().GetCount() == 0)
        StampShapes().BuildStampShapes();
    QImage img(64, 64, QImage::Format_RGB32);
    img.fill(Qt::white);
    CPainterDC dc(&img);
    const POINT line[4] = {{2, 2}, {60, 2}, {60, 60}, {60, 60}};
    for (int width : {-5, 0, 1, 3, 400})
        for (int style = -1; style <= 14; ++style)
            for (int spacing : {-10, 0, 1, 42}) {
                CConProps props;
                props.LineWidth = width;
                props.PenStyle = style;
                props.FIType = 0;
                props.FISpacing = spacing;
                DrawConPolyline(nullptr, &dc, nullptr, props, line, 4, true, true, false);
                CGraphics g(&dc);
                DrawConPolyline(&g, nullptr, nullptr, props, line, 4, true, true, false);
            }
    SUCCEED();
}

TEST_F(ConnectorDrawTest, LabelGapMovesTheEndAndItsShape)
{
    CFigure* label = NewFig(180, -20);
    label->m_bLabel = 1;
    ConRoute route = Route({{0, 0}, {200, 0}});
    route.fig2 = label;
    CConProps props;
    props.End2 = block;
    props.End2Length = 10;
    ConDrawArgs args;
    args.labelGap = 12;
    CLoggingDC dc;
    DrawConnector(nullptr, &dc, nullptr, route, props, &doc, args);
    // The end moves 12 short of the label's point; the block's 10 more.
    EXPECT_EQ(dc.calls[0].device.back().x, 178);
    int right = 0;
    for (const auto& c : dc.calls)
        if (c.name == "Polygon")
            for (const POINT& p : c.device)
                right = std::max(right, int(p.x));
    EXPECT_EQ(right, 188);
    // A gap longer than the end segment leaves the end alone.
    args.labelGap = 250;
    CLoggingDC far;
    DrawConnector(nullptr, &far, nullptr, route, props, &doc, args);
    EXPECT_EQ(far.calls[0].device.back().x, 190);
    // An end at a figure that is no label keeps no gap.
    label->m_bLabel = 0;
    args.labelGap = 12;
    CLoggingDC plain;
    DrawConnector(nullptr, &plain, nullptr, route, props, &doc, args);
    EXPECT_EQ(plain.calls[0].device.back().x, 190);
    delete label;
}

TEST_F(ConnectorDrawTest, XorFeedbackDrawnTwiceLeavesTheImageAsItWas)
{
    QImage img(240, 120, QImage::Format_RGB32);
    img.fill(qRgb(200, 220, 240));
    const QImage before = img.copy();
    CConProps props;
    props.End1 = block;
    props.End2 = doc.m_endSymbols.FindByName("stick");
    props.LineWidth = 8;
    props.PenStyle = 1;
    props.Color = RGB(30, 60, 90);
    props.FIType = StampShapes().FindByName("FI_ARWHEAD");
    ConDrawCtx ctx;
    ctx.xorMode = true;
    ctx.xorColor = RGB(200, 220, 240);
    const ConRoute route = Route({{10, 10}, {120, 90}, {230, 20}});
    for (int pass = 0; pass < 2; ++pass) {
        CPainterDC dc(&img);
        DrawConnector(nullptr, &dc, &ctx, route, props, &doc, ConDrawArgs{});
        if (pass == 0) {
            dc.Flush();
            EXPECT_NE(img, before);
        }
    }
    EXPECT_EQ(img, before);
}

TEST_F(ConnectorDrawTest, CrossingsThroughTheIndexAreThoseOfTheWholeList)
{
    // A lattice of connectors far apart and close together: the connectors
    // the index finds near a piece must give the same crossings, in the
    // same order, as the search over every earlier connector.
    CConProps props;
    for (int i = 0; i < 12; ++i) {
        const int x = 100 + i * 900;
        ASSERT_NE(doc.CreateCon(nullptr, nullptr, -1, -1, POINT{x, -3000}, POINT{x + 50, 9000}, -1, props), nullptr);
        ASSERT_NE(doc.CreateCon(nullptr, nullptr, -1, -1, POINT{-500, i * 700}, POINT{11000, i * 700 + 30}, -1, props),
                  nullptr);
    }
    CConnector* last = doc.CreateCon(nullptr, nullptr, -1, -1, POINT{0, 0}, POINT{10000, 8000}, -1, props);
    ASSERT_NE(last, nullptr);
    const std::vector<CConnector*> route{last};
    const std::vector<CPoint> piece{CPoint(0, 0), CPoint(5000, 6000), CPoint(10000, 8000)};
    CObjIndex::SetEnabled(false);
    const std::vector<ConCrossing> full = FindConCrossings(doc, route, piece, 6, 18);
    CObjIndex::SetEnabled(true);
    ASSERT_GT(full.size(), 5u);
    const std::vector<ConCrossing> indexed = FindConCrossings(doc, route, piece, 6, 18);
    ASSERT_EQ(indexed.size(), full.size());
    for (size_t i = 0; i < full.size(); ++i) {
        EXPECT_EQ(indexed[i].pt, full[i].pt) << i;
        EXPECT_EQ(indexed[i].segment, full[i].segment) << i;
    }
}
