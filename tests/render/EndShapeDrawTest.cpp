// End shapes at a line's tip: where they lie, what each mode draws, the
// inverted feedback that a second drawing takes away, and shapes that draw
// nothing.
#include "document/CConnector.h"
#include "document/CKavoDoc.h"
#include "platform/CGraphics.h"
#include "platform/CPainterDC.h"
#include "shapes/CShapeDef.h"
#include "shapes/EndShapeDraw.h"

#include "platform/LoggingDC.h"
#include "render/ImageTestSupport.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

class EndShapeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(doc.OnNewDocument());
        block = doc.m_endSymbols.GetAt(doc.m_endSymbols.FindByName("block"));
        ASSERT_NE(block, nullptr);
    }
    CKavoDoc doc;
    const CShapeDef* block = nullptr;
};

} // namespace

TEST_F(EndShapeTest, ShapeLiesBehindTheTipOnBothPaths)
{
    for (bool graphics : {false, true}) {
        QImage img = WhiteImage(140, 60);
        {
            CPainterDC dc(&img);
            if (graphics) {
                CGraphics g(&dc);
                DrawEndSymbolGdip(&g, block, POINT{100, 30}, POINT{0, 30}, 20, 1, 0, RGB(0, 0, 255),
                                  kEndShapeFillOutline, false);
            } else {
                DrawEndShape(&dc, block, POINT{100, 30}, POINT{0, 30}, 20, 1, 0, RGB(0, 0, 255),
                             kEndShapeFillOutline);
            }
        }
        EXPECT_GT(CountNotWhite(img, 80, 101), 50) << graphics;   // within one size of the tip
        EXPECT_EQ(CountNotWhite(img, 102, 140), 0) << graphics;   // nothing past it
        EXPECT_EQ(CountNotWhite(img, 0, 78), 0) << graphics;
        EXPECT_EQ(img.pixel(92, 30), qRgb(0, 0, 255)) << graphics;
    }
}

TEST_F(EndShapeTest, ModesFillOutlineAndNothingForMissingShapes)
{
    struct Case {
        int mode;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {kEndShapeOutline, {"Polyline"}},
        {kEndShapeFill, {"Polygon"}},
        {kEndShapeFillOutline, {"Polygon", "Polyline"}},
        {kEndShapeTracking, {"Polyline"}},
    };
    for (const Case& c : cases) {
        CLoggingDC dc;
        DrawEndShape(&dc, block, POINT{100, 30}, POINT{0, 30}, 20, 1, 0, 0, c.mode);
        std::vector<std::string> names;
        for (const auto& call : dc.calls)
            names.push_back(call.name);
        EXPECT_EQ(names, c.calls) << c.mode;
        EXPECT_EQ(dc.GetROP2(), R2_COPYPEN);
    }
    CShapeDef empty;
    CLoggingDC dc;
    DrawEndShape(&dc, &empty, POINT{100, 30}, POINT{0, 30}, 20, 1, 0, 0, kEndShapeFillOutline);
    DrawEndShape(&dc, nullptr, POINT{100, 30}, POINT{0, 30}, 20, 1, 0, 0, kEndShapeFillOutline);
    DrawEndShape(&dc, block, POINT{100, 30}, POINT{0, 30}, 0, 1, 0, 0, kEndShapeFillOutline);
    DrawEndShape(&dc, block, POINT{100, 30}, POINT{0, 30}, -4, 1, 0, 0, kEndShapeFillOutline);
    DrawEndShape(nullptr, block, POINT{100, 30}, POINT{0, 30}, 20, 1, 0, 0, kEndShapeFillOutline);
    // Coincident tip and direction point: drawn unturned, no failure.
    DrawEndShape(&dc, block, POINT{100, 30}, POINT{100, 30}, 20, 1, 0, 0, kEndShapeOutline);
    EXPECT_EQ(dc.calls.size(), 1u);
    // The library entry is never turned.
    EXPECT_EQ(EndShapeInset(block, 20), 20);
    EXPECT_EQ(EndShapeInset(block, 1), 0);
}

TEST_F(EndShapeTest, FeedbackLineInvertsItsEndShapesAndASecondDrawingRestores)
{
    CConnector con(&doc);
    con.m_props.End1 = doc.m_endSymbols.FindByName("block");
    con.m_props.End2 = doc.m_endSymbols.FindByName("stick");
    con.m_props.End1Length = con.m_props.End2Length = 12;
    QImage img = WhiteImage(200, 60);
    {
        CPainterDC dc(&img);
        con.Draw(&dc, 20, 30, 180, 30, true);
    }
    EXPECT_GT(CountNotWhite(img, 19, 33), 20);    // the block at end 1
    EXPECT_GT(CountNotWhite(img, 168, 181), 10);  // the stick at end 2
    {
        CPainterDC dc(&img);
        con.Draw(&dc, 20, 30, 180, 30, true);
    }
    EXPECT_EQ(CountNotWhite(img, 0, 200), 0);

    // Without ends, or with end 1 suppressed, only the line (and end 2).
    QImage plain = WhiteImage(200, 60);
    {
        CPainterDC dc(&plain);
        con.Draw(&dc, 20, 30, 180, 30, false);
    }
    EXPECT_EQ(CountNotWhite(plain, 0, 200), 160);
    con.SuppressEnd1 = 1;
    QImage half = WhiteImage(200, 60);
    {
        CPainterDC dc(&half);
        con.Draw(&dc, 20, 30, 180, 30, true);
    }
    EXPECT_EQ(CountNotWhite(half, 0, 19), 0);
    EXPECT_GT(CountNotWhite(half, 168, 181), 10);
}

TEST_F(EndShapeTest, AnchorLineFeedbackShowsNoEndShapes)
{
    CConProps props;
    ASSERT_EQ(doc.m_conStyles.AddConStyle(&props, "Anchor", 0, 0, "", "", 0, "", 0, 0, 0, 0), 1);
    CConnector con(&doc);
    con.m_nStyle = doc.m_conStyles.GetCount() - 1;
    con.m_props.End1 = doc.m_endSymbols.FindByName("block");
    con.m_props.End1Length = 12;
    ASSERT_EQ(con.GetStockKind(), 39);
    QImage img = WhiteImage(200, 60);
    {
        CPainterDC dc(&img);
        con.Draw(&dc, 20, 30, 180, 30, true);
    }
    EXPECT_EQ(CountNotWhite(img, 0, 200), 160);   // the line alone
}
