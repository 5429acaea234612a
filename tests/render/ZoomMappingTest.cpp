#include "core/Settings.h"
#include "core/Units.h"
#include "platform/CPainterDC.h"
#include "render/CZoomMapping.h"

#include <gtest/gtest.h>

namespace {
// A 768-pixel screen calibrated 9 inches high: 1/3 pixel per logical unit.
struct ZoomMappingTest : testing::Test {
    void SetUp() override
    {
        SetScreenPixelHeightForTest(768);
        ScreenHeight = 9.0;
    }
    void TearDown() override { SetScreenPixelHeightForTest(0); }

    // A letter page shown through a work space of the given size.
    CZoomMapping Letter(CRect work)
    {
        CZoomMapping m;
        const CRect page(0, 0, 2201, 2845);
        m.SetZoomScrollSizes(PageSizeForScrolling(CSize(page.Width(), page.Height())), page, 25, 5);
        m.m_rectWorkLog = work;
        return m;
    }
};
} // namespace

TEST_F(ZoomMappingTest, ZoomIsClampedNeverRefused)
{
    CZoomMapping m;
    EXPECT_EQ(m.SetZoomValue(5.0f), 100.0f);
    EXPECT_EQ(m.m_fZoom, 10.0f);
    m.SetZoomValue(2000.0f);
    EXPECT_EQ(m.m_fZoom, 1000.0f);
    EXPECT_EQ(ClampZoom(std::numeric_limits<float>::quiet_NaN()), 100.0f);
}

TEST_F(ZoomMappingTest, LimitsOfTheZoomCommands)
{
    // 32767 / 20000 x 9 / 768 x 25600 - 0.5
    EXPECT_NEAR(MaxZoomForWorkWidth(20000), 491.0, 0.5);
    EXPECT_EQ(MaxZoomForWorkWidth(10), 1000.0f);
    EXPECT_EQ(MaxZoomForWorkWidth(0), 1000.0f);
    // A work space of 3000 x 3000 units fills 800 x 600 pixels at 80 %.
    EXPECT_NEAR(MinZoomForWork(CSize(3000, 3000), CSize(800, 600)), 80.0, 0.01);
    EXPECT_EQ(MinZoomForWork(CSize(100000, 100000), CSize(800, 600)), 10.0f);
    EXPECT_EQ(PercentForFit(800, 0), 0.0f);
    float z = 5;
    EXPECT_TRUE(ClampZoomToLimits(z, 10, 500));
    EXPECT_EQ(z, 10);
    z = 600;
    EXPECT_TRUE(ClampZoomToLimits(z, 10, 500));
    EXPECT_EQ(z, 500);
    EXPECT_FALSE(ClampZoomToLimits(z, 10, 500));
}

TEST_F(ZoomMappingTest, ZoomButtonsSkipEntriesWithinOnePercent)
{
    const int table[6] = {25, 50, 80, 100, 150, 200};
    struct Case {
        float zoom;
        int in, out;
    } cases[] = {{199.5f, 0, 150}, {198.0f, 200, 150}, {99.6f, 150, 80}, {100.0f, 150, 80},
                 {10.0f, 25, 0}, {25.4f, 50, 0},
                 // One percent from an entry is too close to step to it.
                 {99.0f, 150, 80}, {99.4f, 150, 80}, {98.4f, 100, 80}, {101.0f, 150, 80}, {102.0f, 150, 100}};
    for (const Case& c : cases) {
        EXPECT_EQ(ZoomInButtonTarget(c.zoom, table), c.in) << c.zoom;
        EXPECT_EQ(ZoomOutButtonTarget(c.zoom, table), c.out) << c.zoom;
    }
    int unsorted[6] = {200, 25, 150, 50, 100, 80};
    SortZoomTable(unsorted);
    EXPECT_EQ(std::vector<int>(unsorted, unsorted + 6), std::vector<int>(table, table + 6));
}

TEST_F(ZoomMappingTest, TinyLogicalSizesNeverGiveAZeroExtent)
{
    CZoomMapping m;
    m.SetZoomScrollSizes(CSize(5, 5), CRect(0, 0, 10, 10), 25, 5);
    CPainterDC dc;
    m.SetZoomMapping(dc);
    EXPECT_EQ(dc.GetWindowExt(), CSize(1, 1));
    EXPECT_EQ(dc.GetViewportExt(), CSize(1, 1));
    // A mapping that works both ways instead of dividing by zero.
    m.m_rectWorkLog = CRect(0, 0, 10, 10);
    EXPECT_EQ(m.DeviceToLogical(m.LogicalToDevice(CPoint(7, 3))), CPoint(7, 3));
}

TEST_F(ZoomMappingTest, MappingScalesByTheTruncatedZoom)
{
    CZoomMapping m = Letter(CRect(-64, -64, 2265, 2909));
    CPainterDC dc;
    m.PrepareDC(dc);
    // 2201 / 16 and 733 / 16.
    EXPECT_EQ(dc.GetWindowExt(), CSize(137, 177));
    EXPECT_EQ(dc.GetViewportExt(), CSize(45, 59));
    EXPECT_EQ(dc.GetWindowOrg(), CPoint(-64, -64));
    m.SetZoomValue(200.0f);
    CPainterDC dc2;
    m.PrepareDC(dc2);
    EXPECT_EQ(dc2.GetViewportExt(), CSize(90, 118));
}

TEST_F(ZoomMappingTest, BarsNeedARangeAboveZeroAcrossAndAboveOneDown)
{
    CZoomMapping m = Letter(CRect(0, 0, 2201, 2845));
    const CSize work = m.WorkDevSize();
    struct Case {
        CSize client;
        bool h, v;
    } cases[] = {
        {CSize(work.cx - 1, work.cy - 1), true, false},   // one pixel more each way
        {CSize(work.cx, work.cy - 2), false, true},
        {CSize(work.cx, work.cy), false, false},
    };
    for (const Case& c : cases) {
        const ZoomBarLayout l = m.ComputeBars(c.client, CSize(16, 16), true);
        EXPECT_EQ(l.h.needed, c.h);
        EXPECT_EQ(l.v.needed, c.v);
    }
    // The true client size path: the bars' own sizes count.
    EXPECT_TRUE(m.ComputeBars(CSize(10, 10), CSize(16, 16), false).tooSmall);
    const ZoomBarLayout l = m.ComputeBars(CSize(200, 100), CSize(16, 16), true);
    EXPECT_EQ(l.pageStep, CSize(50, 25));
    EXPECT_EQ(l.lineStep, CSize(10, 5));
    EXPECT_EQ(l.h.page, work.cx - l.h.range);
    EXPECT_EQ(l.h.max, work.cx + 1);
}

TEST_F(ZoomMappingTest, ScrollingStaysInsideTheBars)
{
    CZoomMapping m = Letter(CRect(0, 0, 2201, 2845));
    m.m_client = CSize(200, 100);
    m.ApplyBars(m.ComputeBars(m.m_client, CSize(16, 16), true));
    EXPECT_FALSE(m.ScrollBy(CSize(-5, -5)));
    EXPECT_TRUE(m.ScrollBy(CSize(1000000, 1000000)));
    EXPECT_EQ(m.m_scroll, CPoint(m.m_hLimit, m.m_vLimit));
    // Thumb position (end of tracking) changes nothing; tracking moves.
    EXPECT_EQ(m.ScrollCodeTarget(4, 30, 99, false), 30);
    EXPECT_EQ(m.ScrollCodeTarget(5, 30, 99, false), 99);
    EXPECT_EQ(m.ScrollCodeTarget(1, 30, 0, true), 35);
    EXPECT_EQ(m.ScrollCodeTarget(3, 30, 0, false), 80);
}

TEST_F(ZoomMappingTest, AnchorsKeepTheirPointAcrossAScroll)
{
    CZoomMapping m = Letter(CRect(0, 0, 2201, 2845));
    m.m_client = CSize(200, 100);
    m.ApplyBars(m.ComputeBars(m.m_client, CSize(16, 16), true));
    for (int anchor : {kAnchorTopLeft, kAnchorBottom, kAnchorCentre}) {
        const CPoint target(900, 1200);
        m.m_scroll = m.DevicePosForAnchor(target, anchor);
        const CPoint back = m.GetViewAnchorPoint(anchor);
        EXPECT_NEAR(back.x, target.x, 4) << anchor;
        EXPECT_NEAR(back.y, target.y, 4) << anchor;
    }
    // Past the work space: clamped to the bar's limit.
    const CPoint far = m.DevicePosForAnchor(CPoint(100000, 100000), kAnchorTopLeft);
    EXPECT_EQ(far, CPoint(m.m_hLimit, m.m_vLimit));
}

// Without a bar on an axis the anchors fall on the extent itself: the bottom
// anchor on its last pixel row, the centre on its middle.
TEST_F(ZoomMappingTest, AnchorsWithoutABarUseTheExtent)
{
    CZoomMapping m = Letter(CRect(0, 0, 2201, 2845));
    const CSize work = m.WorkDevSize();
    m.m_client = CSize(work.cx + 50, work.cy + 50);   // everything fits: no bars
    m.ApplyBars(m.ComputeBars(m.m_client, CSize(16, 16), true));
    ASSERT_FALSE(m.m_hBar);
    ASSERT_FALSE(m.m_vBar);
    struct Case {
        int anchor;
        CPoint device;
    } cases[] = {
        {kAnchorTopLeft, CPoint(0, 0)},
        {kAnchorBottom, CPoint(0, m.m_totalDev.cy - 1)},
        {kAnchorCentre, CPoint(m.m_totalDev.cx / 2, m.m_totalDev.cy / 2)},
    };
    for (const Case& c : cases)
        EXPECT_EQ(m.GetViewAnchorPoint(c.anchor), m.DeviceToLogical(c.device)) << c.anchor;
}

// A new zoom recomputes the device extent; the same zoom changes nothing.
TEST_F(ZoomMappingTest, ZoomChangesTheDeviceExtent)
{
    CZoomMapping m = Letter(CRect(0, 0, 2201, 2845));
    const CSize at100 = m.m_totalDev;
    struct Case {
        float zoom;
        double factor;
    } cases[] = {{200.0f, 2.0}, {200.0f, 2.0}, {50.0f, 0.5}, {5000.0f, 10.0}};
    for (const Case& c : cases) {
        m.SetZoomValue(c.zoom);
        // The extents are sixteenths: a few percent of rounding.
        EXPECT_NEAR(m.m_totalDev.cx, at100.cx * c.factor, at100.cx * c.factor * 0.03) << c.zoom;
        EXPECT_NEAR(m.m_totalDev.cy, at100.cy * c.factor, at100.cy * c.factor * 0.03) << c.zoom;
    }
}
