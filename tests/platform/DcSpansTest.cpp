// Shapes and one-pixel lines written straight into the image rows: the pixels
// against independent references (the polygon path, the shape as an area, the
// general path through a layer).
#include "platform/CPainterDC.h"
#include "platform/DcPictures.h"

#include <QImage>

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

using dctest::kWhite;
using dctest::WhiteImage;

std::string Picture(const QImage& img)
{
    return dctest::Picture(img, true);
}

enum class Kind { Rect, Ellipse, Round };

// Draws a shape with a grey brush and a black one-pixel pen (or none).
QImage Draw(Kind kind, const RECT& r, bool pen, int rop, int corner = 6, const RECT* clip = nullptr)
{
    QImage img = WhiteImage(24, 20);
    CPainterDC dc(&img);
    dc.SetROP2(rop);
    CBrush grey(RGB(128, 128, 128));
    dc.SelectObject(&grey);
    if (!pen)
        dc.SelectStockObject(NULL_PEN);
    if (clip)
        dc.IntersectClipRect(clip);
    switch (kind) {
    case Kind::Rect: dc.Rectangle(&r); break;
    case Kind::Ellipse: dc.Ellipse(&r); break;
    case Kind::Round: dc.RoundRect(r.left, r.top, r.right, r.bottom, corner, corner); break;
    }
    dc.Flush();
    return img;
}

const RECT kBoxes[] = {{1, 1, 5, 4}, {1, 1, 2, 4}, {1, 1, 5, 2}, {1, 1, 2, 2}, {3, 3, 1, 1},
                       {0, 0, 9, 7}, {2, 3, 22, 17}, {-5, -4, 30, 12}, {4, 2, 11, 19}};

TEST(DcSpans, RectangleMatchesThePolygonOfItsOutline)
{
    // The polygon through the same pixel centres, drawn with R2_MASKPEN on white,
    // takes the general path: fill by area, outline by the line rasteriser.
    for (const RECT& r0 : kBoxes) {
        const RECT r{std::min(r0.left, r0.right), std::min(r0.top, r0.bottom),
                     std::max(r0.left, r0.right), std::max(r0.top, r0.bottom)};
        const QImage rect = Draw(Kind::Rect, r0, true, R2_COPYPEN);
        QImage poly = WhiteImage(24, 20);
        {
            CPainterDC dc(&poly);
            dc.SetROP2(R2_MASKPEN);
            CBrush grey(RGB(128, 128, 128));
            dc.SelectObject(&grey);
            const POINT pts[] = {{r.left, r.top}, {r.right - 1, r.top}, {r.right - 1, r.bottom - 1},
                                 {r.left, r.bottom - 1}};
            dc.Polygon(pts, 4);
        }
        EXPECT_EQ(Picture(rect), Picture(poly)) << r.left << "," << r.top << "," << r.right << "," << r.bottom;
    }
}

TEST(DcSpans, CopyMatchesMaskingOnWhiteUnderAComplexClip)
{
    // Two clip rectangles make a region of three bands, the middle one of two
    // rectangles. Wide pens stroke over a fill written as spans when copying.
    for (Kind kind : {Kind::Rect, Kind::Ellipse, Kind::Round}) {
        for (const RECT& r : kBoxes) {
            for (int penWidth : {-1, 1, 2, 3, 4}) {
                QImage pictures[2];
                for (int i = 0; i < 2; ++i) {
                    pictures[i] = WhiteImage(24, 20);
                    CPainterDC dc(&pictures[i]);
                    dc.SetROP2(i == 0 ? R2_COPYPEN : R2_MASKPEN);
                    CBrush grey(RGB(128, 128, 128));
                    dc.SelectObject(&grey);
                    CPen pen(PS_SOLID, penWidth, RGB(0, 0, 0));
                    if (penWidth < 0)
                        dc.SelectStockObject(NULL_PEN);
                    else
                        dc.SelectObject(&pen);
                    CRgn a, b;
                    a.CreateRectRgn(0, 0, 6, 20);
                    b.CreateRectRgn(8, 4, 20, 9);
                    a.CombineRgn(&a, &b, RGN_OR);
                    dc.SelectClipRgn(&a);
                    if (kind == Kind::Rect)
                        dc.Rectangle(&r);
                    else if (kind == Kind::Ellipse)
                        dc.Ellipse(&r);
                    else
                        dc.RoundRect(r.left, r.top, r.right, r.bottom, 6, 6);
                }
                EXPECT_EQ(Picture(pictures[0]), Picture(pictures[1]))
                    << int(kind) << " pen " << penWidth << " box " << r.left << "," << r.top << "," << r.right
                    << "," << r.bottom;
            }
        }
    }
}

TEST(DcSpans, RoundRectSpansBetweenRectangleAndEllipse)
{
    for (const RECT& r : kBoxes) {
        for (bool pen : {false, true}) {
            EXPECT_EQ(Picture(Draw(Kind::Round, r, pen, R2_COPYPEN, 0)),
                      Picture(Draw(Kind::Rect, r, pen, R2_COPYPEN)));
            EXPECT_EQ(Picture(Draw(Kind::Round, r, pen, R2_COPYPEN, 100)),
                      Picture(Draw(Kind::Ellipse, r, pen, R2_COPYPEN)));
        }
    }
}

TEST(DcSpans, EllipseWithoutPenFillsThePixelsWhoseCentresAreInside)
{
    // Odd sizes keep every pixel centre off the boundary.
    const RECT r{2, 3, 21, 14};
    const QImage img = Draw(Kind::Ellipse, r, false, R2_COPYPEN);
    const double cx = (r.left + r.right - 1) / 2.0, cy = (r.top + r.bottom - 1) / 2.0;
    const double rx = (r.right - r.left - 1) / 2.0, ry = (r.bottom - r.top - 1) / 2.0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            EXPECT_EQ(img.pixel(x, y) != kWhite, dx * dx + dy * dy < 1) << x << "," << y;
        }
}

TEST(DcSpans, EllipseOutlineIsAClosedThinCurveAroundItsFill)
{
    const RECT r{2, 3, 22, 16};
    const QImage img = Draw(Kind::Ellipse, r, true, R2_COPYPEN);
    const double cx = (r.left + r.right - 1) / 2.0, cy = (r.top + r.bottom - 1) / 2.0;
    const double rx = (r.right - r.left - 1) / 2.0, ry = (r.bottom - r.top - 1) / 2.0;
    auto at = [&](int x, int y) {
        return x < 0 || y < 0 || x >= img.width() || y >= img.height() ? 0xFFFFFFu
                                                                       : img.pixel(x, y) & 0xFFFFFF;
    };
    int black = 0;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = at(x, y);
            // Within the box, symmetric in both axes.
            EXPECT_EQ(c, at(r.left + r.right - 1 - x, y)) << x << "," << y;
            EXPECT_EQ(c, at(x, r.top + r.bottom - 1 - y)) << x << "," << y;
            if (c != 0)
                continue;
            ++black;
            EXPECT_TRUE(x >= r.left && x < r.right && y >= r.top && y < r.bottom);
            // Near the ideal curve through the pixel centres.
            const double dx = (x - cx) / rx, dy = (y - cy) / ry;
            EXPECT_NEAR(std::sqrt(dx * dx + dy * dy), 1.0, 0.12) << x << "," << y;
            // Each outline pixel has two outline neighbours or more (closed curve).
            int n = 0;
            for (int j = -1; j <= 1; ++j)
                for (int i = -1; i <= 1; ++i)
                    n += (i || j) && at(x + i, y + j) == 0;
            EXPECT_GE(n, 2) << x << "," << y;
        }
    }
    EXPECT_GT(black, 30);
    // White outside, grey inside: no fill leaks past the outline.
    for (int y = 0; y < img.height(); ++y) {
        bool inside = false;
        int crossings = 0;
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = at(x, y);
            if (c == 0 && at(x + 1, y) != 0) {
                ++crossings;
                inside = crossings == 1 && at(x + 1, y) != 0xFFFFFF;
            } else if (c != 0) {
                EXPECT_EQ(c == 0xFFFFFF, !inside) << x << "," << y;
            }
        }
    }
}

TEST(DcSpans, HatchedBrushAndXorPenDrawnTwiceRestoreTheImage)
{
    QImage img(24, 20, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, qRgb(x * 9, y * 11, (x * y) & 0xFF));
    const QImage before = img.copy();
    CPainterDC dc(&img);
    dc.SetROP2(R2_XORPEN);
    CBrush hatch(HS_DIAGCROSS, RGB(0, 0, 255));
    CPen pen(int(PS_SOLID), 1, RGB(200, 30, 90));
    dc.SelectObject(&hatch);
    dc.SelectObject(&pen);
    for (int pass = 0; pass < 2; ++pass) {
        dc.Rectangle(1, 1, 12, 10);
        dc.Ellipse(3, 2, 22, 19);
        dc.RoundRect(6, 5, 23, 18, 7, 5);
        if (pass == 0) {
            ASSERT_NE(img, before);
        }
    }
    EXPECT_EQ(img, before);
}

TEST(DcSpans, SmallShapes)
{
    // Pixel pictures of the smallest round shapes with a pen.
    EXPECT_EQ(Picture(Draw(Kind::Ellipse, RECT{1, 1, 7, 6}, true, R2_COPYPEN)).substr(0, 7 * 25),
              "........................\n"
              "..####..................\n"
              ".#oooo#.................\n"
              ".#oooo#.................\n"
              ".#oooo#.................\n"
              "..####..................\n"
              "........................\n");
}

TEST(DcSpans, DirectLinesMatchTheGeneralPath)
{
    // Copying writes line pixels as they are rasterised; masking on white goes
    // through a layer with the same pixels (one figure per picture: masking
    // over a drawn pixel is not copying).
    const POINT zigzag[] = {{1, 1}, {20, 4}, {3, 9}, {22, 17}, {-6, 30}};
    auto draw = [&](int figure, int style, int bkMode, int rop) {
        QImage img = WhiteImage(24, 20);
        CPainterDC dc(&img);
        dc.SetROP2(rop);
        dc.SetBkMode(bkMode);
        dc.SetBkColor(RGB(0, 0, 255));
        CPen pen(style, 1, RGB(0, 0, 0));
        dc.SelectObject(&pen);
        dc.SelectStockObject(NULL_BRUSH);
        CRgn a, b;
        a.CreateRectRgn(0, 0, 6, 20);
        b.CreateRectRgn(8, 4, 20, 9);
        a.CombineRgn(&a, &b, RGN_OR);
        if (figure > 0)
            dc.SelectClipRgn(&a);   // two bands
        if (figure == 0)
            dc.Polyline(zigzag, 5);
        else if (figure == 1)
            dc.Ellipse(2, 2, 22, 18);
        else
            dc.LineTo(23, 19);
        dc.Flush();
        return img;
    };
    for (int style : {PS_SOLID, PS_DASH, PS_DOT, PS_DASHDOTDOT})
        for (int bkMode : {OPAQUE, TRANSPARENT})
            for (int figure = 0; figure < 3; ++figure)
                EXPECT_EQ(Picture(draw(figure, style, bkMode, R2_COPYPEN)),
                          Picture(draw(figure, style, bkMode, R2_MASKPEN)))
                    << style << " " << bkMode << " " << figure;
}

} // namespace
