// The outline drawers put the operations' pixels on a real device context.
#include "SymbolTestSupport.h"
#include "platform/CGraphics.h"
#include "platform/CPainterDC.h"
#include "platform/GdiObjects.h"
#include "shapes/OutlineDraw.h"

#include <QImage>
#include <gtest/gtest.h>

namespace {
QImage White(int w, int h)
{
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(Qt::white);
    return img;
}

// Draws the symbol's outline sub-program with `draw`, one operation at a time.
template <class Draw>
void DrawOutline(const SymbolBuilder& b, Draw draw)
{
    const BYTE* start = b.sym.m_program.data();
    const BYTE* end = start + b.sym.m_nProgramLength;
    const BYTE* cur = start + b.sym.m_nOutlinePos;
    while (cur < end && *cur != kOpEndOutline) {
        const BYTE op = *cur++;
        ASSERT_TRUE(draw(op, cur, end));
    }
}
} // namespace

TEST(OutlineDraw, GdiRectangleGetsItsRightAndBottomEdge)
{
    SymbolBuilder b;
    b.Outline([](COutlineWriter& w) {
        w.Rect(kOpRect, CFltRect(2, 2, 7, 6));
        w.Line({0, 9}, {9, 9});
    });
    QImage img = White(12, 12);
    CPainterDC dc(&img);
    dc.SelectStockObject(NULL_BRUSH);
    DrawOutline(b, [&](BYTE op, const BYTE*& c, const BYTE* e) {
        return DrawOutlineOpGdi(op, c, e, dc, 0);
    });
    dc.Flush();
    const QRgb black = qRgb(0, 0, 0);
    EXPECT_EQ(img.pixel(2, 2), black);
    EXPECT_EQ(img.pixel(7, 6), black);   // the mapped corner itself is drawn
    EXPECT_NE(img.pixel(8, 6), black);
    EXPECT_NE(img.pixel(4, 4), black);   // no fill with the null brush
    EXPECT_EQ(img.pixel(0, 9), black);
    EXPECT_NE(img.pixel(9, 9), black);   // lines leave out their last pixel
}

TEST(OutlineDraw, SkipAndNoPenOnlyAdvance)
{
    SymbolBuilder b;
    b.Outline([](COutlineWriter& w) { w.Rect(kOpRect, CFltRect(1, 1, 8, 8)); });
    for (int pen : {0, 5}) {
        QImage img = White(10, 10);
        CPainterDC dc(&img);
        DrawOutline(b, [&](BYTE op, const BYTE*& c, const BYTE* e) {
            return DrawOutlineOpGdi(op, c, e, dc, pen, pen == 0);
        });
        dc.Flush();
        EXPECT_EQ(img.pixel(1, 1), qRgb(255, 255, 255)) << pen;
    }
}

TEST(OutlineDraw, GraphicsFillAndStroke)
{
    SymbolBuilder b;
    const CFltPoint tri[3] = {{2, 2}, {18, 2}, {2, 18}};
    b.Outline([&](COutlineWriter& w) {
        w.Points(kOpPolygon, tri, 3);
        w.ArcLike(kOpChord, CFltRect(0, 0, 20, 20), {20, 10}, {0, 10});
    });
    QImage img = White(24, 24);
    CPainterDC dc(&img);
    CGraphics g(&dc);
    CGpBrush red;
    red.color = 0xFFFF0000;
    DrawOutline(b, [&](BYTE op, const BYTE*& c, const BYTE* e) {
        return FillSymbolOutline(op, c, e, g, red);
    });
    dc.Flush();
    EXPECT_EQ(img.pixel(5, 5), qRgb(255, 0, 0));      // inside the triangle
    EXPECT_EQ(img.pixel(17, 17), qRgb(255, 255, 255)); // outside both
    // The chord from the right to the left radial runs counter-clockwise on
    // the screen: through the top half of the circle.
    EXPECT_EQ(img.pixel(16, 5), qRgb(255, 0, 0));
}
