#include "platform/CGraphics.h"
#include "platform/CPainterDC.h"
#include "platform/DcPictures.h"

#include <QImage>

#include <gtest/gtest.h>

#include <string>

namespace {

using dctest::kBlack;
using dctest::kWhite;
using dctest::Picture;
using dctest::WhiteImage;

struct LineCase {
    POINT from;
    POINT to;
    const char* picture;
};

class DcLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(DcLineTest, LinesLeaveOutTheirEndPixel)
{
    QImage img = WhiteImage(5, 3);
    {
        CPainterDC dc(&img);
        dc.MoveTo(GetParam().from);
        dc.LineTo(GetParam().to);
    }
    EXPECT_EQ(Picture(img), GetParam().picture);
}

INSTANTIATE_TEST_SUITE_P(Cases, DcLineTest, ::testing::Values(
    LineCase{{0, 1}, {4, 1}, ".....\n####.\n.....\n"},
    LineCase{{4, 1}, {0, 1}, ".....\n.####\n.....\n"},
    LineCase{{2, 0}, {2, 2}, "..#..\n..#..\n.....\n"},
    LineCase{{0, 0}, {2, 2}, "#....\n.#...\n.....\n"},
    LineCase{{1, 1}, {1, 1}, ".....\n.....\n.....\n"}));

TEST(DcRaster, RectangleCoversLeftToRightMinusOneAndNullPenShrinksFill)
{
    QImage img = WhiteImage(6, 5);
    {
        CPainterDC dc(&img);
        dc.SelectStockObject(NULL_BRUSH);
        dc.Rectangle(1, 1, 5, 4);
    }
    EXPECT_EQ(Picture(img), "......\n.####.\n.#..#.\n.####.\n......\n");

    QImage filled = WhiteImage(6, 5);
    {
        CPainterDC dc(&filled);
        dc.SelectStockObject(NULL_PEN);
        dc.SelectStockObject(BLACK_BRUSH);
        dc.Rectangle(1, 1, 5, 4);
    }
    EXPECT_EQ(Picture(filled), "......\n.###..\n.###..\n......\n......\n");

    QImage fr = WhiteImage(6, 5);
    {
        CPainterDC dc(&fr);
        CBrush black(RGB(0, 0, 0));
        const RECT r{1, 1, 5, 4};
        dc.FillRect(&r, &black);
    }
    EXPECT_EQ(Picture(fr), "......\n.####.\n.####.\n.####.\n......\n");
}

TEST(DcRaster, RectangleShortWayMatchesTheGeneralPath)
{
    // Plain copying takes the short way; masking on white paints the same
    // pixels through the general path.
    const RECT rects[] = {{1, 1, 5, 4}, {1, 1, 2, 4}, {1, 1, 5, 2}, {1, 1, 2, 2}, {3, 3, 1, 1}, {0, 0, 9, 7}};
    for (const RECT& r : rects) {
        for (bool nullPen : {false, true}) {
            QImage pictures[2];
            for (int i = 0; i < 2; ++i) {
                pictures[i] = WhiteImage(8, 6);
                CPainterDC dc(&pictures[i]);
                dc.SetROP2(i == 0 ? R2_COPYPEN : R2_MASKPEN);
                CBrush grey(RGB(128, 128, 128));
                dc.SelectObject(&grey);
                if (nullPen)
                    dc.SelectStockObject(NULL_PEN);
                dc.Rectangle(&r);
            }
            EXPECT_TRUE(pictures[0] == pictures[1]) << Picture(pictures[0]) << r.left << "," << r.top << ","
                                                                  << r.right << "," << r.bottom;
        }
    }
}

TEST(DcRaster, PolygonFillExcludesRightAndBottomEdges)
{
    QImage img = WhiteImage(5, 5);
    {
        CPainterDC dc(&img);
        dc.SelectStockObject(NULL_PEN);
        dc.SelectStockObject(BLACK_BRUSH);
        const POINT square[] = {{1, 1}, {4, 1}, {4, 4}, {1, 4}};
        dc.Polygon(square, 4);
    }
    EXPECT_EQ(Picture(img), ".....\n.###.\n.###.\n.###.\n.....\n");
}

// Every XOR-drawn figure drawn twice must leave the image exactly as it was.
TEST(DcRaster, XorFiguresDrawnTwiceRestoreTheImage)
{
    QImage img(40, 30, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            img.setPixel(x, y, qRgb(x * 6, y * 8, (x * y) & 0xFF));
    const QImage before = img.copy();
    CPainterDC dc(&img);
    CPen dotted(int(PS_DOT), 1, RGB(200, 30, 90));
    CPen wide(int(PS_SOLID), 3, RGB(10, 200, 30));
    CBrush hatch(HS_DIAGCROSS, RGB(0, 0, 255));
    const POINT poly[] = {{3, 3}, {30, 5}, {20, 25}, {5, 20}, {3, 3}};
    for (int mode : {R2_XORPEN, R2_NOT, R2_NOTXORPEN}) {
        dc.SetROP2(mode);
        for (int pass = 0; pass < 2; ++pass) {
            dc.SelectObject(&dotted);
            dc.SelectStockObject(NULL_BRUSH);
            dc.Rectangle(2, 2, 30, 20);
            dc.Polyline(poly, 5);
            dc.Ellipse(5, 5, 35, 28);
            dc.MoveTo(0, 29);
            dc.LineTo(39, 0);
            dc.Arc(0, 0, 40, 30, 40, 0, 0, 30);
            dc.SelectObject(&wide);
            dc.SelectObject(&hatch);
            dc.RoundRect(8, 4, 32, 26, 8, 8);
            dc.Polygon(poly, 4);
            dc.Pie(1, 1, 39, 29, 39, 15, 20, 0);
            if (pass == 0) {
                dc.Flush();
                ASSERT_NE(img, before) << "ROP2 mode " << mode << " drew nothing";
            }
        }
        ASSERT_EQ(img, before) << "ROP2 mode " << mode;
    }
    const RECT r{4, 4, 20, 15};
    dc.InvertRect(&r);
    dc.InvertRect(&r);
    dc.SelectObject(&hatch);
    dc.PatBlt(3, 3, 17, 9, PATINVERT);
    dc.PatBlt(3, 3, 17, 9, PATINVERT);
    EXPECT_EQ(img, before);
}

TEST(DcRaster, XorLineOverWhiteGivesTheXorColour)
{
    QImage img = WhiteImage(4, 1);
    CPainterDC dc(&img);
    CPen pen(int(PS_SOLID), 1, RGB(255, 0, 0));
    dc.SelectObject(&pen);
    dc.SetROP2(R2_XORPEN);
    dc.MoveTo(0, 0);
    dc.LineTo(4, 0);
    EXPECT_EQ(img.pixel(0, 0), qRgb(0, 255, 255));
}

TEST(DcRaster, ClipRegionAndSaveDcLimitDrawing)
{
    QImage img = WhiteImage(6, 1);
    CPainterDC dc(&img);
    const int saved = dc.SaveDC();
    dc.IntersectClipRect(2, 0, 4, 1);
    RECT box{};
    EXPECT_EQ(dc.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(CRect(box), CRect(2, 0, 4, 1));
    dc.MoveTo(0, 0);
    dc.LineTo(6, 0);
    dc.Flush();
    EXPECT_EQ(Picture(img), "..##..\n");
    dc.RestoreDC(saved);
    dc.SetPixel(0, 0, RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(7, 0), CLR_INVALID);
}

TEST(DcRaster, MappedDrawingLandsOnDevicePixels)
{
    QImage img = WhiteImage(10, 10);
    {
        CPainterDC dc(&img);
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowExt(100, 100);
        dc.SetViewportExt(10, 10);
        dc.SetWindowOrg(-20, -20);
        CBrush black(RGB(0, 0, 0));
        const RECT r{0, 0, 30, 20};
        dc.FillRect(&r, &black);
    }
    EXPECT_EQ(img.pixel(2, 2), kBlack);
    EXPECT_EQ(img.pixel(4, 3), kBlack);
    EXPECT_EQ(img.pixel(5, 3), kWhite);
    EXPECT_EQ(img.pixel(4, 4), kWhite);
}

TEST(DcRaster, BlockTransferRasterOperations)
{
    QImage srcImg(2, 1, QImage::Format_RGB32);
    srcImg.setPixel(0, 0, qRgb(0xF0, 0x0F, 0x33));
    srcImg.setPixel(1, 0, qRgb(0x00, 0xFF, 0x80));
    CBitmap bmp;
    ASSERT_TRUE(bmp.Attach(srcImg));
    CPainterDC mem;
    ASSERT_NE(mem.SelectObject(&bmp), nullptr);

    struct Case { DWORD rop; QRgb expect0; };
    const QRgb dst = qRgb(0x55, 0xAA, 0x0F);
    const Case cases[] = {
        {SRCCOPY, qRgb(0xF0, 0x0F, 0x33)},
        {SRCINVERT, qRgb(0xF0 ^ 0x55, 0x0F ^ 0xAA, 0x33 ^ 0x0F)},
        {SRCAND, qRgb(0xF0 & 0x55, 0x0F & 0xAA, 0x33 & 0x0F)},
        {SRCPAINT, qRgb(0xF0 | 0x55, 0x0F | 0xAA, 0x33 | 0x0F)},
        {DSTINVERT, qRgb(0xAA, 0x55, 0xF0)},
        {BLACKNESS, qRgb(0, 0, 0)},
    };
    for (const Case& c : cases) {
        QImage target(2, 1, QImage::Format_RGB32);
        target.fill(dst);
        CPainterDC dc(&target);
        ASSERT_TRUE(dc.BitBlt(0, 0, 2, 1, &mem, 0, 0, c.rop));
        dc.Flush();
        EXPECT_EQ(target.pixel(0, 0), c.expect0) << std::hex << c.rop;
    }
    // PATCOPY paints the selected brush, ignoring the source.
    QImage target(2, 1, QImage::Format_RGB32);
    target.fill(dst);
    CPainterDC dc(&target);
    CBrush red(RGB(255, 0, 0));
    dc.SelectObject(&red);
    dc.PatBlt(0, 0, 1, 1, PATCOPY);
    dc.Flush();
    EXPECT_EQ(target.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(target.pixel(1, 0), dst);
}

TEST(DcRaster, MonochromeMaskFromColourUsesTheSourceBackground)
{
    QImage colour(3, 1, QImage::Format_RGB32);
    colour.setPixel(0, 0, qRgb(255, 0, 255));
    colour.setPixel(1, 0, qRgb(1, 2, 3));
    colour.setPixel(2, 0, qRgb(255, 0, 255));
    CBitmap src;
    src.Attach(colour);
    CPainterDC srcDC;
    srcDC.SelectObject(&src);
    srcDC.SetBkColor(RGB(255, 0, 255));
    CBitmap mask;
    ASSERT_TRUE(mask.CreateBitmap(3, 1, 1, 1, nullptr));
    CPainterDC maskDC;
    maskDC.SelectObject(&mask);
    maskDC.BitBlt(0, 0, 3, 1, &srcDC, 0, 0, SRCCOPY);
    maskDC.Flush();
    EXPECT_EQ(mask.Image().pixel(0, 0), kWhite);
    EXPECT_EQ(mask.Image().pixel(1, 0), kBlack);
    EXPECT_EQ(mask.Image().pixel(2, 0), kWhite);
}

TEST(DcText, MeasuresAndDrawsWithTheAdvanceArray)
{
    QImage img = WhiteImage(120, 40);
    CPainterDC dc(&img);
    LOGFONT lf;
    lf.lfHeight = -20;
    lf.lfWeight = FW_NORMAL;
    SetLogFontFace(lf, "Arial");
    CFont font;
    ASSERT_TRUE(font.CreateFontIndirect(&lf));
    dc.SelectObject(&font);
    const CSize ext = dc.GetTextExtent("Hello");
    EXPECT_GT(ext.cx, 20);
    EXPECT_GE(ext.cy, 20);
    TEXTMETRIC tm;
    ASSERT_TRUE(dc.GetTextMetrics(&tm));
    EXPECT_EQ(tm.tmHeight, tm.tmAscent + tm.tmDescent);
    EXPECT_EQ(tm.tmHeight - tm.tmInternalLeading, 20);
    ABC abc[2];
    ASSERT_TRUE(dc.GetCharABCWidths('A', 'B', abc));
    int widths[2];
    ASSERT_TRUE(dc.GetCharWidth('A', 'B', widths));
    EXPECT_EQ(abc[0].abcA + int(abc[0].abcB) + abc[0].abcC, widths[0]);

    // Wide spacing from the advance array puts the second glyph far right.
    dc.SetBkMode(TRANSPARENT);
    const int dx[] = {80, 10};
    ASSERT_TRUE(dc.ExtTextOut(0, 0, 0, nullptr, "II", 2, dx));
    dc.Flush();
    int inkLeft = 0, inkRight = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) != kWhite)
                (x < 40 ? inkLeft : inkRight)++;
    EXPECT_GT(inkLeft, 0);
    EXPECT_GT(inkRight, 0);
}

TEST(DcText, OpaqueBackgroundAndBaselineAlignment)
{
    QImage img = WhiteImage(60, 40);
    CPainterDC dc(&img);
    dc.SetBkColor(RGB(0, 0, 255));
    dc.SetTextAlign(TA_BASELINE);
    dc.TextOut(5, 30, " ");
    dc.Flush();
    // The cell of a blank is filled above the baseline, nothing below its descent.
    EXPECT_EQ(img.pixel(6, 25), qRgb(0, 0, 255));
    EXPECT_EQ(img.pixel(6, 39), kWhite);
}

TEST(DcRegions, PolygonFillModesAndCombination)
{
    // A pentagram: its centre is outside with ALTERNATE, inside with WINDING.
    const POINT star[] = {{50, 0}, {79, 90}, {2, 35}, {97, 35}, {21, 90}};
    CRgn alt, wind;
    ASSERT_TRUE(alt.CreatePolygonRgn(star, 5, ALTERNATE));
    ASSERT_TRUE(wind.CreatePolygonRgn(star, 5, WINDING));
    EXPECT_FALSE(alt.PtInRegion(50, 50));
    EXPECT_TRUE(wind.PtInRegion(50, 50));
    EXPECT_TRUE(alt.PtInRegion(50, 10));

    CRgn a, b, both;
    a.CreateRectRgn(0, 0, 10, 10);
    b.CreateRectRgn(5, 5, 15, 15);
    EXPECT_EQ(both.CombineRgn(&a, &b, RGN_AND), SIMPLEREGION);
    RECT box;
    both.GetRgnBox(&box);
    EXPECT_EQ(CRect(box), CRect(5, 5, 10, 10));
    EXPECT_EQ(both.CombineRgn(&a, &b, RGN_XOR), COMPLEXREGION);
    EXPECT_FALSE(both.PtInRegion(7, 7));
    EXPECT_EQ(both.CombineRgn(&a, &a, RGN_DIFF), NULLREGION);

    // Shaped regions cover left..right-1 like the filled shapes: box = rectangle.
    const POINT square[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    CRgn poly, ell, round;
    poly.CreatePolygonRgn(square, 4, ALTERNATE);
    ell.CreateEllipticRgn(0, 0, 10, 10);
    round.CreateRoundRectRgn(0, 0, 10, 10, 4, 4);
    for (const CRgn* r : {&poly, &ell, &round}) {
        r->GetRgnBox(&box);
        EXPECT_EQ(CRect(box), CRect(0, 0, 10, 10));
    }
    EXPECT_FALSE(ell.PtInRegion(0, 0));
    EXPECT_TRUE(ell.PtInRegion(5, 5));

    // Two overlapping squares drawn the same way round: the overlap is a hole
    // with ALTERNATE and filled with WINDING; a square inside a square drawn
    // the other way round is a hole with both.
    const POINT pair[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {5, 5}, {15, 5}, {15, 15}, {5, 15}};
    const POINT nested[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}, {3, 3}, {3, 7}, {7, 7}, {7, 3}};
    const int counts[] = {4, 4};
    CRgn pairAlt, pairWind, nestWind;
    pairAlt.CreatePolyPolygonRgn(pair, counts, 2, ALTERNATE);
    pairWind.CreatePolyPolygonRgn(pair, counts, 2, WINDING);
    nestWind.CreatePolyPolygonRgn(nested, counts, 2, WINDING);
    EXPECT_FALSE(pairAlt.PtInRegion(7, 7));
    EXPECT_TRUE(pairAlt.PtInRegion(2, 2));
    EXPECT_TRUE(pairWind.PtInRegion(7, 7));
    EXPECT_FALSE(nestWind.PtInRegion(5, 5));
    EXPECT_TRUE(nestWind.PtInRegion(1, 5));
    const POINT huge[] = {{-1000000, -1000000}, {1000000, -1000000}, {0, 1000000}};
    CRgn big;
    big.CreatePolygonRgn(huge, 3, ALTERNATE);
    EXPECT_TRUE(big.PtInRegion(0, 0));
}

TEST(DcPaths, FilledPathAndClipPath)
{
    QImage img = WhiteImage(8, 8);
    CPainterDC dc(&img);
    dc.BeginPath();
    dc.MoveTo(1, 1);
    dc.LineTo(6, 1);
    dc.LineTo(6, 6);
    dc.LineTo(1, 6);
    dc.CloseFigure();
    dc.EndPath();
    dc.SelectClipPath(RGN_COPY);
    RECT box;
    dc.GetClipBox(&box);
    EXPECT_EQ(CRect(box), CRect(1, 1, 6, 6));
    dc.SelectClipRgn(nullptr);
    dc.SelectStockObject(BLACK_BRUSH);
    dc.BeginPath();
    dc.Rectangle(2, 2, 5, 5);
    dc.EndPath();
    EXPECT_TRUE(dc.FillPath());
    dc.Flush();
    EXPECT_EQ(img.pixel(2, 2), kBlack);
    EXPECT_EQ(img.pixel(0, 0), kWhite);
}

TEST(DcGraphics, AntiAliasedFillAndTiledLinearGradient)
{
    QImage img(40, 10, QImage::Format_ARGB32_Premultiplied);
    img.fill(kWhite);
    CPainterDC dc(&img);
    CGraphics g(&dc);
    CGpBrush grad;
    grad.kind = GpBrushKind::LinearGradient;
    grad.rect = QRectF(0, 0, 20, 10);
    grad.color1 = MakeARGB(255, 0, 0, 0);
    grad.color2 = MakeARGB(255, 255, 255, 255);
    g.FillRectangle(grad, QRectF(0, 0, 40, 10));
    dc.Flush();
    // Tiled: the second half repeats the first (pixel 5 and 25 alike).
    EXPECT_NEAR(qRed(img.pixel(5, 5)), qRed(img.pixel(25, 5)), 8);
    EXPECT_LT(qRed(img.pixel(2, 5)), qRed(img.pixel(17, 5)));

    CGpBrush radial;
    radial.kind = GpBrushKind::PathGradient;
    radial.pathPoints = {{0, 0}, {40, 0}, {40, 10}, {0, 10}};
    radial.centerPoint = QPointF(20, 5);
    radial.centerColor = MakeARGB(255, 255, 0, 0);
    radial.surroundColors = {MakeARGB(255, 0, 0, 255)};
    g.FillPolygon(radial, QPolygonF(QRectF(0, 0, 40, 10)));
    dc.Flush();
    EXPECT_GT(qRed(img.pixel(20, 5)), 200);
    EXPECT_GT(qBlue(img.pixel(1, 1)), 150);
}

} // namespace

namespace {

TEST(DcRaster, VeryLongLinesOnlyCostTheImageAndKeepTheirPixels)
{
    // A line far longer than the image: the visible pixels are those of the
    // whole line, and drawing it twice in XOR restores the picture.
    QImage img = WhiteImage(8, 8);
    const QImage before = img.copy();
    CPainterDC dc(&img);
    dc.SetROP2(R2_XORPEN);
    for (int pass = 0; pass < 2; ++pass) {
        dc.MoveTo(-2000000000, -1000000000);
        dc.LineTo(2000000000, 1000000000);
        const POINT star[] = {{-2000000000, 4}, {2000000000, 3}, {4, 2000000000}};
        dc.Polygon(star, 3);
    }
    dc.Flush();
    EXPECT_EQ(img, before);
    dc.SetROP2(R2_COPYPEN);
    dc.MoveTo(-1000000, -500000);
    dc.LineTo(1000000, 500000);
    dc.Flush();
    // Slope 1/2 through the origin: pixel (2, 1) and (4, 2) are on it.
    EXPECT_EQ(img.pixel(2, 1), kBlack);
    EXPECT_EQ(img.pixel(4, 2), kBlack);
    EXPECT_EQ(img.pixel(4, 3), kWhite);
}

} // namespace

namespace {

TEST(DcRaster, StretchCopyShortWayMatchesTheGeneralPath)
{
    // SRCCOPY of an opaque source draws straight onto the target; SRCAND on
    // white gives the same pixels through the general transfer.
    QImage pic(7, 5, QImage::Format_RGB32);
    for (int y = 0; y < pic.height(); ++y)
        for (int x = 0; x < pic.width(); ++x)
            pic.setPixel(x, y, qRgb(x * 36, y * 50, 255 - x * y * 7));
    CBitmap bmp;
    ASSERT_TRUE(bmp.Attach(pic));
    CPainterDC src;
    src.SelectObject(&bmp);
    struct Case { int x, y, w, h, sx, sy, sw, sh; };
    const Case cases[] = {{1, 1, 7, 5, 0, 0, 7, 5}, {2, 1, 13, 9, 0, 0, 7, 5}, {-3, -2, 11, 17, 1, 1, 5, 3},
                          {14, 10, -11, -7, 0, 0, 7, 5}, {0, 0, 16, 12, 6, 4, -5, -3}, {3, 2, 4, 3, 0, 0, 7, 5}};
    for (const Case& c : cases) {
        for (int mode : {COLORONCOLOR, HALFTONE}) {
            QImage pictures[2];
            for (int i = 0; i < 2; ++i) {
                pictures[i] = WhiteImage(16, 12);
                CPainterDC dc(&pictures[i]);
                dc.SetStretchBltMode(mode);
                dc.IntersectClipRect(1, 0, 15, 11);
                dc.StretchBlt(c.x, c.y, c.w, c.h, &src, c.sx, c.sy, c.sw, c.sh, i == 0 ? SRCCOPY : SRCAND);
            }
            EXPECT_TRUE(pictures[0] == pictures[1]) << c.x << "," << c.y << "," << c.w << "," << c.h << " mode "
                                                    << mode;
        }
    }
}

} // namespace

namespace {

// A picture shrunk by the mean of each factor x factor block.
QImage BoxShrink(const QImage& big, int factor)
{
    QImage out(big.width() / factor, big.height() / factor, QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            int sum = 0;
            for (int dy = 0; dy < factor; ++dy)
                for (int dx = 0; dx < factor; ++dx)
                    sum += qGray(big.pixel(x * factor + dx, y * factor + dy));
            const int v = sum / (factor * factor);
            out.setPixel(x, y, qRgb(v, v, v));
        }
    return out;
}

// Darkness (255 less grey) of a picture's pixels, summed, and of its darkest.
std::pair<int, int> Darkness(const QImage& img, const QRect& area)
{
    int sum = 0, peak = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            const int d = 255 - qGray(img.pixel(x, y));
            sum += d;
            peak = std::max(peak, d);
        }
    return {sum, peak};
}

// Dark stretches along a row.
int DarkRuns(const QImage& img, int y)
{
    int runs = 0;
    bool dark = false;
    for (int x = 0; x < img.width(); ++x) {
        const bool d = qGray(img.pixel(x, y)) < 160;
        runs += d && !dark;
        dark = d;
    }
    return runs;
}

// A one-pixel box outline, a dotted line and an anti-aliased hairline.
void DrawThinLines(CDC& dc)
{
    dc.SelectStockObject(NULL_BRUSH);
    dc.Rectangle(4, 4, 30, 16);
    CPen dots(PS_DOT, 0, RGB(0, 0, 0));
    dc.SelectObject(&dots);
    dc.MoveTo(2, 19);
    dc.LineTo(38, 19);
    dc.SelectStockObject(BLACK_PEN);
    CGraphics g(&dc);
    g.SetSmoothingMode(GpSmoothingMode::HighQuality);
    CGpPen hair;
    hair.width = 0.1f;
    g.DrawLine(hair, QPointF(34, 2), QPointF(34, 16));
}

} // namespace

// Drawn 4 times as large to be shrunk (supersampled anti-aliasing), lines
// thinner than a pixel of the final picture are drawn one such pixel wide,
// dashes as long as there: shrunk, the picture has the weight and the dots of
// the picture drawn at its size, not a quarter of its ink.
TEST(DcRaster, SupersampledThinLinesKeepTheirWeightAndDashes)
{
    constexpr int kFactor = 4;
    QImage plain = WhiteImage(40, 22);
    {
        CPainterDC dc(&plain);
        DrawThinLines(dc);
    }
    QImage big = WhiteImage(40 * kFactor, 22 * kFactor);
    {
        CPainterDC dc(&big);
        dc.SetSupersampling(kFactor);
        dc.SetMapMode(MM_ANISOTROPIC);
        dc.SetWindowExt(40, 22);
        dc.SetViewportExt(40 * kFactor, 22 * kFactor);
        DrawThinLines(dc);
    }
    const QImage shrunk = BoxShrink(big, kFactor);
    const struct {
        const char* what;
        QRect area;
    } parts[] = {{"box", QRect(2, 2, 30, 16)}, {"dots", QRect(0, 18, 40, 3)}, {"hairline", QRect(33, 0, 3, 18)}};
    for (const auto& part : parts) {
        const auto [want, wantPeak] = Darkness(plain, part.area);
        const auto [got, gotPeak] = Darkness(shrunk, part.area);
        EXPECT_GE(got, want * 4 / 5) << part.what;
        EXPECT_LE(got, want * 6 / 5) << part.what;
        EXPECT_GE(gotPeak, 120) << part.what;
    }
    EXPECT_EQ(DarkRuns(shrunk, 19), DarkRuns(plain, 19));
    EXPECT_GT(DarkRuns(plain, 19), 4);
}
