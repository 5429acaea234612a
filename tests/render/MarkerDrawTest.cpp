// Connection-point markers, junction dots and handles: pixels where the
// marker's look depends on how lines end, colours from the settings, and the
// arithmetic of sizes and disabled colours.
#include "core/Settings.h"
#include "platform/CPainterDC.h"
#include "shapes/CConProps.h"
#include "shapes/MarkerDraw.h"

#include "platform/LoggingDC.h"
#include "render/ImageTestSupport.h"

#include <QImage>

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {
constexpr QRgb kWhite = kTestWhite;
} // namespace

TEST(ConPtMarker, CrossPiecesAbutAboveAndCancelBelowTheCentre)
{
    // The bars above and below the centre meet the vertical strokes where
    // lines leave out their end pixel: above they abut, below the stroke
    // starts on the bar and inverts that pixel back.
    QImage img = WhiteImage(11, 11);
    {
        CPainterDC dc(&img);
        DrawConPtMarker(&dc, 5, 5, kConPtMarkerCross);
    }
    EXPECT_EQ(Picture(img),
              "...........\n"
              ".....#.....\n"
              ".....#.....\n"
              ".....#.....\n"
              "....###....\n"
              ".#########.\n"
              "....#.#....\n"
              ".....#.....\n"
              ".....#.....\n"
              ".....#.....\n"
              "...........\n");
    // Inverting: a second marker takes the first away.
    {
        CPainterDC dc(&img);
        DrawConPtMarker(&dc, 5, 5, kConPtMarkerCross);
    }
    EXPECT_EQ(Picture(img), Picture(WhiteImage(11, 11)));
}

TEST(ConPtMarker, DiamondIsFilledOrangeWithABlackRim)
{
    QImage img = WhiteImage(11, 11);
    {
        CPainterDC dc(&img);
        DrawConPtMarker(&dc, 5, 5, 0);
    }
    // "ConPtColor" 0x0494FC keeps red in its low byte: RGB(252, 148, 4).
    EXPECT_EQ(img.pixel(5, 5), qRgb(252, 148, 4));
    EXPECT_EQ(img.pixel(1, 5), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(5, 1), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(0, 5), kWhite);
}

TEST(Handles, SettingsColoursAreRedAndYellowAndDisabledIsLightened)
{
    EXPECT_EQ(LightenHandleColor(0x000000), COLORREF(0x999999));
    EXPECT_EQ(LightenHandleColor(0x0000FF), RGB(255, 153, 153));
    EXPECT_EQ(LightenHandleColor(0xFFFFFF), COLORREF(0xFFFFFF));

    QImage img = WhiteImage(40, 20);
    {
        CPainterDC dc(&img);
        CBrush brush(HandleColor);
        dc.SelectObject(&brush);
        DrawHandleSquare(&dc, 7, 5, 5, false);
        DrawHandleSquare(&dc, 7, 15, 5, true);
        DrawReshapeHandle(&dc, 7, 30, 8);
    }
    EXPECT_EQ(img.pixel(5, 5), qRgb(255, 0, 0));          // "HandleColor" 0x0000FF
    EXPECT_EQ(img.pixel(2, 2), qRgb(255, 0, 0));          // 7 x 7 from x - 3
    EXPECT_EQ(img.pixel(1, 5), kWhite);
    EXPECT_EQ(img.pixel(9, 5), kWhite);
    EXPECT_EQ(img.pixel(15, 5), qRgb(255, 153, 153));
    EXPECT_EQ(img.pixel(30, 8), qRgb(255, 255, 0));       // "ReshapeHandleColor" 0x00FFFF
    EXPECT_EQ(img.pixel(30, 4), qRgb(0, 0, 0));           // half-diagonal (7 + 2) / 2 = 4
    EXPECT_EQ(img.pixel(30, 3), kWhite);
}

TEST(Handles, ReshapeHandleNeedsThreeDevicePixels)
{
    CLoggingDC dc;
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(4, 4);
    dc.SetViewportExt(1, 1);
    DrawReshapeHandle(&dc, 8, 100, 100);    // 2 pixels: nothing
    EXPECT_TRUE(dc.calls.empty());
    DrawReshapeHandle(&dc, 12, 100, 100);   // 3 pixels, drawn in device units about (25, 25)
    ASSERT_EQ(dc.calls.size(), 1u);
    const std::vector<POINT> expected{{23, 25}, {25, 23}, {27, 25}, {25, 27}};
    ASSERT_EQ(dc.calls[0].device.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(dc.calls[0].device[i].x, expected[i].x);
        EXPECT_EQ(dc.calls[0].device[i].y, expected[i].y);
    }
    // The mapping is the caller's again.
    EXPECT_EQ(dc.GetMapMode(), MM_ANISOTROPIC);
    EXPECT_EQ(dc.GetWindowExt(), CSize(4, 4));
}

TEST(JunctionDot, DiameterIsThreeLineWidthsWithin13And33)
{
    const int cases[][2] = {{2, 13}, {0, 13}, {-5, 13}, {5, 15}, {11, 33}, {20, 33}, {INT_MAX, 33}};
    for (const auto& c : cases)
        EXPECT_EQ(JunctionDotDiameter(c[0]), c[1]) << c[0];
    CLoggingDC dc;
    CConProps props;
    props.LineWidth = 5;
    props.Color = RGB(0, 0, 255);
    DrawJunctionDot(&dc, 100, 50, props);
    ASSERT_EQ(dc.calls.size(), 1u);
    EXPECT_EQ(dc.calls[0].name, "Ellipse");
    EXPECT_EQ(dc.calls[0].device[0].x, 93);
    EXPECT_EQ(dc.calls[0].device[1].x, 108);
    EXPECT_EQ(dc.calls[0].brush, RGB(0, 0, 255));
}

TEST(CrossInRect, OutlineThenBothDiagonals)
{
    CLoggingDC dc;
    DrawCrossInRect(&dc, RECT{0, 0, 10, 20});
    ASSERT_EQ(dc.calls.size(), 3u);
    EXPECT_EQ(dc.calls[0].name, "Rectangle");
    EXPECT_EQ(dc.calls[1].name, "LineTo");
    EXPECT_EQ(dc.calls[2].name, "LineTo");
    EXPECT_EQ(dc.calls[2].device[0].y, 20);
    EXPECT_EQ(dc.calls[2].device[1].y, 0);
}
