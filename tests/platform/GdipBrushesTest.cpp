#include "platform/CGraphics.h"
#include "platform/CPainterDC.h"
#include "platform/GdipBrushes.h"

#include <gtest/gtest.h>

namespace {

TEST(GdipBrushes, BellAndTriangularBlendsPeakAtTheFocus)
{
    for (bool bell : {true, false}) {
        CGpBrush b = MakeLinearGradient(QRectF(0, 0, 10, 10), 0xFF000000, 0xFFFFFFFF, 0, false);
        if (bell)
            SetBlendBellShape(b, 0.3f, 0.8f);
        else
            SetBlendTriangularShape(b, 0.3f, 0.8f);
        ASSERT_EQ(b.blendFactors.size(), b.blendPositions.size());
        EXPECT_FLOAT_EQ(b.blendPositions.front(), 0.0f);
        EXPECT_FLOAT_EQ(b.blendPositions.back(), 1.0f);
        EXPECT_NEAR(b.blendFactors.front(), 0.0f, 1e-6);
        EXPECT_NEAR(b.blendFactors.back(), 0.0f, 1e-6);
        float peak = 0, peakAt = 0;
        for (size_t i = 0; i < b.blendFactors.size(); ++i)
            if (b.blendFactors[i] > peak) {
                peak = b.blendFactors[i];
                peakAt = b.blendPositions[i];
            }
        EXPECT_FLOAT_EQ(peak, 0.8f);
        EXPECT_FLOAT_EQ(peakAt, 0.3f);
        EXPECT_TRUE(std::is_sorted(b.blendPositions.begin(), b.blendPositions.end()));
    }
}

TEST(GdipBrushes, ScalableAngleFollowsTheRectangleDiagonal)
{
    // At 45 degrees scaled with a wide rectangle, the far corner gets color2 and
    // the near corner color1; the top-right and bottom-left corners meet halfway.
    QImage img(40, 10, QImage::Format_ARGB32_Premultiplied);
    img.fill(0xFFFFFFFF);
    CPainterDC dc(&img);
    CGraphics g(&dc);
    const CGpBrush b = MakeLinearGradient(QRectF(0, 0, 40, 10), 0xFF000000, 0xFFFFFFFF, 45, true);
    g.FillRectangle(b, QRectF(0, 0, 40, 10));
    dc.Flush();
    EXPECT_LT(qRed(img.pixel(0, 0)), 30);
    EXPECT_GT(qRed(img.pixel(39, 9)), 225);
    EXPECT_NEAR(qRed(img.pixel(39, 0)), qRed(img.pixel(0, 9)), 20);
}

TEST(GdipBrushes, PathGradientOverAnEllipse)
{
    QImage img(40, 40, QImage::Format_ARGB32_Premultiplied);
    img.fill(0xFFFFFFFF);
    CPainterDC dc(&img);
    CGraphics g(&dc);
    QPainterPath ellipse;
    ellipse.addEllipse(QRectF(0, 0, 40, 40));
    CGpBrush b = MakePathGradient(ellipse);
    b.centerColor = MakeARGB(255, 0, 0, 0);
    b.surroundColors = {MakeARGB(255, 255, 255, 255)};
    g.FillPath(b, ellipse);
    dc.Flush();
    EXPECT_LT(qRed(img.pixel(20, 20)), 20);
    EXPECT_GT(qRed(img.pixel(20, 1)), 200);
    EXPECT_NEAR(qRed(img.pixel(10, 20)), 128, 25);
}

} // namespace
