#include "platform/CPainterDC.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

struct MapCase {
    CPoint winOrg;
    CSize winExt;
    CPoint vpOrg;
    CSize vpExt;
    POINT logical;
    POINT device;
};

class DcMappingTest : public ::testing::TestWithParam<MapCase> {};

TEST_P(DcMappingTest, AnisotropicMapsWithIntegerRounding)
{
    const MapCase& c = GetParam();
    QImage img(10, 10, QImage::Format_RGB32);
    CPainterDC dc(&img);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowOrg(c.winOrg);
    dc.SetWindowExt(c.winExt);
    dc.SetViewportOrg(c.vpOrg);
    dc.SetViewportExt(c.vpExt);
    POINT p = c.logical;
    dc.LPtoDP(&p);
    EXPECT_EQ(p.x, c.device.x);
    EXPECT_EQ(p.y, c.device.y);
    dc.DPtoLP(&p);
    // Back to logical within one device pixel's worth of logical units.
    const double tolX = std::abs(double(c.winExt.cx) / c.vpExt.cx);
    const double tolY = std::abs(double(c.winExt.cy) / c.vpExt.cy);
    EXPECT_LE(std::abs(p.x - c.logical.x), std::max(1.0, tolX));
    EXPECT_LE(std::abs(p.y - c.logical.y), std::max(1.0, tolY));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DcMappingTest,
    ::testing::Values(
        MapCase{{0, 0}, {1, 1}, {0, 0}, {1, 1}, {5, 7}, {5, 7}},
        // 256 logical units per inch at 96 dpi: 3/8 scale, halves round away from 0.
        MapCase{{0, 0}, {256, 256}, {0, 0}, {96, 96}, {4, -4}, {2, -2}},
        MapCase{{0, 0}, {256, 256}, {0, 0}, {96, 96}, {3, 3}, {1, 1}},
        MapCase{{100, 50}, {2, 2}, {10, 20}, {1, 1}, {110, 52}, {15, 21}},
        // A flipped y axis.
        MapCase{{0, 0}, {10, 10}, {0, 100}, {10, -10}, {3, 30}, {3, 70}},
        MapCase{{0, 0}, {1000, 1000}, {0, 0}, {1, 1}, {1500, -1500}, {2, -2}}));

TEST(DcMappingBasics, TextModeIgnoresExtentsAndSaveRestoreKeepsMapping)
{
    QImage img(10, 10, QImage::Format_RGB32);
    CPainterDC dc(&img);
    EXPECT_EQ(dc.SetWindowExt(5, 5), CSize(1, 1));
    EXPECT_EQ(dc.GetWindowExt(), CSize(1, 1));
    const int level = dc.SaveDC();
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(2, 2);
    dc.SetViewportOrg(3, 4);
    EXPECT_TRUE(dc.RestoreDC(level));
    EXPECT_EQ(dc.GetMapMode(), MM_TEXT);
    EXPECT_EQ(dc.GetViewportOrg(), CPoint(0, 0));
    EXPECT_FALSE(dc.RestoreDC(1));   // that level is gone
}

TEST(DcMappingBasics, SizesScaleByMagnitudeAndIsotropicKeepsAspect)
{
    QImage img(10, 10, QImage::Format_RGB32);
    CPainterDC dc(&img);
    dc.SetMapMode(MM_ISOTROPIC);
    dc.SetWindowExt(100, 100);
    dc.SetViewportExt(50, -200);
    EXPECT_EQ(dc.GetViewportExt(), CSize(50, -50));
    SIZE s{10, 10};
    dc.LPtoDP(&s);
    EXPECT_EQ(s.cx, 5);
    EXPECT_EQ(s.cy, 5);
}

} // namespace
