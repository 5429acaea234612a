#include "platform/CGraphics.h"
#include "platform/CPainterDC.h"
#include "platform/DcPictures.h"
#include "platform/PackedDib.h"

#include <QBuffer>
#include <QImage>
#include <QPdfWriter>

#include <gtest/gtest.h>

namespace {

using dctest::kWhite;

QImage White(int w, int h)
{
    return dctest::WhiteImage(w, h);
}

TEST(DcBlits, StretchDibitsCountsSourceRowsFromTheBottom)
{
    // A 2 x 2 DIB: top row red/green, bottom row blue/white.
    QImage src(2, 2, QImage::Format_RGB32);
    src.setPixel(0, 0, qRgb(255, 0, 0));
    src.setPixel(1, 0, qRgb(0, 255, 0));
    src.setPixel(0, 1, qRgb(0, 0, 255));
    src.setPixel(1, 1, qRgb(255, 255, 255));
    const std::vector<BYTE> dib = ImageToDib(src, 24, false);
    const auto* info = reinterpret_cast<const BITMAPINFO*>(dib.data());
    const BYTE* bits = dib.data() + 40;

    QImage img = White(4, 4);
    CPainterDC dc(&img);
    // The whole picture stretched 2x.
    EXPECT_EQ(dc.StretchDIBits(0, 0, 4, 4, 0, 0, 2, 2, bits, info, DIB_RGB_COLORS, SRCCOPY), 2);
    dc.Flush();
    EXPECT_EQ(img.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(3, 0), qRgb(0, 255, 0));
    EXPECT_EQ(img.pixel(1, 3), qRgb(0, 0, 255));
    // Source row 0 of a bottom-up DIB is its bottom row.
    img.fill(kWhite);
    EXPECT_EQ(dc.StretchDIBits(0, 0, 1, 1, 0, 0, 1, 1, bits, info, DIB_RGB_COLORS, SRCCOPY), 1);
    dc.Flush();
    EXPECT_EQ(img.pixel(0, 0), qRgb(0, 0, 255));
    // A header that does not hold together draws nothing.
    BITMAPINFO bad = *info;
    bad.bmiHeader.biBitCount = 7;
    EXPECT_EQ(dc.StretchDIBits(0, 0, 1, 1, 0, 0, 1, 1, bits, &bad, DIB_RGB_COLORS, SRCCOPY), 0);
}

TEST(DcBlits, AlphaBlendWithConstantAlpha)
{
    QImage srcImg(1, 1, QImage::Format_RGB32);
    srcImg.fill(qRgb(0, 0, 0));
    CBitmap bmp;
    bmp.Attach(srcImg);
    CPainterDC mem;
    mem.SelectObject(&bmp);
    QImage img = White(1, 1);
    CPainterDC dc(&img);
    BLENDFUNCTION half;
    half.SourceConstantAlpha = 128;
    ASSERT_TRUE(dc.AlphaBlend(0, 0, 1, 1, &mem, 0, 0, 1, 1, half));
    dc.Flush();
    EXPECT_NEAR(qRed(img.pixel(0, 0)), 127, 2);
}

TEST(DcFills, FloodFillStopsAtTheBorderColour)
{
    QImage img = White(6, 6);
    CPainterDC dc(&img);
    dc.SelectStockObject(NULL_BRUSH);
    dc.Rectangle(1, 1, 5, 5);
    CBrush red(RGB(255, 0, 0));
    dc.SelectObject(&red);
    ASSERT_TRUE(dc.FloodFill(2, 2, RGB(0, 0, 0)));
    dc.Flush();
    EXPECT_EQ(img.pixel(2, 2), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(3, 3), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(1, 1), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(0, 0), kWhite);
    // Surface fill: only the connected pixels of that colour.
    ASSERT_TRUE(dc.ExtFloodFill(0, 0, RGB(255, 255, 255), FLOODFILLSURFACE));
    dc.Flush();
    EXPECT_EQ(img.pixel(5, 5), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(1, 1), qRgb(0, 0, 0));
}

TEST(DcFills, MonochromePatternTakesTextAndBackgroundColours)
{
    CBitmap pattern;
    const BYTE rows[] = {0x80, 0, 0x00, 0};   // 2 x 2: a white pixel at (0, 0)
    ASSERT_TRUE(pattern.CreateBitmap(2, 2, 1, 1, rows));
    CBrush brush;
    ASSERT_TRUE(brush.CreatePatternBrush(&pattern));
    QImage img = White(4, 2);
    CPainterDC dc(&img);
    dc.SetTextColor(RGB(255, 0, 0));
    dc.SetBkColor(RGB(0, 0, 255));
    const RECT r{0, 0, 4, 2};
    dc.FillRect(&r, &brush);
    dc.Flush();
    EXPECT_EQ(img.pixel(0, 0), qRgb(0, 0, 255));
    EXPECT_EQ(img.pixel(1, 0), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(2, 0), qRgb(0, 0, 255));
}

TEST(DcShapes, BezierPolyPolygonAndWorldTransform)
{
    QImage img = White(20, 20);
    CPainterDC dc(&img);
    const POINT bez[] = {{0, 10}, {5, 0}, {15, 0}, {19, 10}};
    EXPECT_TRUE(dc.PolyBezier(bez, 4));
    EXPECT_FALSE(dc.PolyBezier(bez, 3));
    dc.Flush();
    EXPECT_EQ(img.pixel(0, 10), qRgb(0, 0, 0));

    img.fill(kWhite);
    dc.SelectStockObject(NULL_PEN);
    dc.SelectStockObject(BLACK_BRUSH);
    const POINT two[] = {{0, 0}, {4, 0}, {4, 4}, {0, 4}, {10, 10}, {14, 10}, {14, 14}, {10, 14}};
    const int counts[] = {4, 4};
    EXPECT_TRUE(dc.PolyPolygon(two, counts, 2));
    dc.Flush();
    EXPECT_EQ(img.pixel(1, 1), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(11, 11), qRgb(0, 0, 0));
    EXPECT_EQ(img.pixel(6, 6), kWhite);

    // A world transform applies before the mapping (advanced mode only).
    XFORM shift;
    shift.eDx = 5;
    EXPECT_FALSE(dc.SetWorldTransform(&shift));
    dc.SetGraphicsMode(GM_ADVANCED);
    ASSERT_TRUE(dc.SetWorldTransform(&shift));
    POINT p{1, 1};
    dc.LPtoDP(&p);
    EXPECT_EQ(p.x, 6);
    dc.DPtoLP(&p);
    EXPECT_EQ(p.x, 1);
    EXPECT_EQ(dc.SetGraphicsMode(GM_COMPATIBLE), 0);   // refused while transformed
}

TEST(DcText, UpdateCurrentPositionClippingAndCellHeight)
{
    QImage img = White(100, 30);
    CPainterDC dc(&img);
    LOGFONT lf;
    lf.lfHeight = 20;   // cell height
    SetLogFontFace(lf, "Arial");
    CFont font;
    font.CreateFontIndirect(&lf);
    dc.SelectObject(&font);
    TEXTMETRIC tm;
    dc.GetTextMetrics(&tm);
    EXPECT_NEAR(tm.tmHeight, 20, 1);

    dc.SetTextAlign(TA_UPDATECP);
    dc.MoveTo(3, 0);
    const CSize ext = dc.GetTextExtent("ab");
    dc.TextOut(0, 0, "ab");
    EXPECT_EQ(dc.GetCurrentPosition(), CPoint(3 + ext.cx, 0));

    // Clipped to an empty-width rectangle: nothing appears.
    img.fill(kWhite);
    dc.SetTextAlign(TA_TOP | TA_LEFT);
    dc.SetBkMode(TRANSPARENT);
    const RECT clip{0, 0, 1, 1};
    dc.ExtTextOut(10, 5, ETO_CLIPPED, &clip, "WW", 2, nullptr);
    dc.Flush();
    EXPECT_EQ(img, White(100, 30));
    // Opaque rectangle: filled with the background colour even without text.
    dc.SetBkColor(RGB(0, 255, 0));
    const RECT box{50, 10, 60, 20};
    dc.ExtTextOut(50, 10, ETO_OPAQUE, &box, "", 0, nullptr);
    dc.Flush();
    EXPECT_EQ(img.pixel(55, 15), qRgb(0, 255, 0));
    EXPECT_EQ(img.pixel(60, 15), kWhite);
}

TEST(DcPrinting, PagedDevicePaintsWithPrinterCapabilities)
{
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&buffer);
        writer.setResolution(300);
        CPainterDC dc(&writer);
        EXPECT_TRUE(dc.IsPrinting());
        EXPECT_EQ(dc.GetDeviceCaps(TECHNOLOGY), DT_RASPRINTER);
        EXPECT_EQ(dc.GetDeviceCaps(LOGPIXELSX), 300);
        EXPECT_GT(dc.GetDeviceCaps(PHYSICALWIDTH), dc.GetDeviceCaps(HORZRES) - 1);
        dc.Rectangle(100, 100, 500, 400);
        dc.MoveTo(0, 0);
        dc.LineTo(300, 300);
        dc.TextOut(100, 100, "Printed");
        CBrush hatch(HS_CROSS, RGB(0, 0, 255));
        const RECT r{600, 600, 900, 900};
        dc.FillRect(&r, &hatch);
        EXPECT_TRUE(dc.NewPage());
        dc.Ellipse(100, 100, 400, 300);
        dc.Flush();
    }
    EXPECT_TRUE(pdf.startsWith("%PDF"));
    EXPECT_TRUE(pdf.contains("/Count 2"));
    EXPECT_GT(pdf.size(), 500);
}

TEST(DcGraphics, PixelOffsetColourKeyAndHatch)
{
    QImage img(10, 10, QImage::Format_ARGB32_Premultiplied);
    img.fill(kWhite);
    CPainterDC dc(&img);
    CGraphics g(&dc);
    CGpBrush black;
    black.color = MakeARGB(255, 0, 0, 0);
    // Without anti-aliasing the rectangle (0, 0)-(2, 2) covers pixels 0 and 1.
    g.SetSmoothingMode(GpSmoothingMode::None);
    g.FillRectangle(black, QRectF(0, 0, 2, 2));
    dc.Flush();
    EXPECT_EQ(img.pixel(0, 0), 0xFF000000u);
    EXPECT_EQ(img.pixel(1, 1), 0xFF000000u);
    EXPECT_EQ(img.pixel(2, 2), kWhite);
    // Anti-aliased with pixel centres on integers: pixel 4 is half covered by
    // a rectangle from 4 to 6, pixel 5 fully, pixel 6 half.
    img.fill(kWhite);
    g.SetSmoothingMode(GpSmoothingMode::AntiAlias);
    g.FillRectangle(black, QRectF(4, 0, 2, 4));
    dc.Flush();
    EXPECT_NEAR(qRed(img.pixel(4, 2)), 128, 3);
    EXPECT_NEAR(qRed(img.pixel(6, 2)), 128, 3);
    EXPECT_EQ(qRed(img.pixel(5, 2)), 0);
    g.SetPixelOffsetMode(GpPixelOffsetMode::Half);
    img.fill(kWhite);
    g.FillRectangle(black, QRectF(4, 0, 2, 4));
    dc.Flush();
    EXPECT_EQ(qRed(img.pixel(4, 2)), 0);
    EXPECT_EQ(img.pixel(6, 2), kWhite);
    g.SetSmoothingMode(GpSmoothingMode::None);

    // Colour key: magenta pixels of the image are left out.
    QImage pic(2, 1, QImage::Format_ARGB32);
    pic.setPixel(0, 0, qRgb(255, 0, 255));
    pic.setPixel(1, 0, qRgb(0, 0, 255));
    CGpImageAttributes attrs;
    attrs.colorKey = std::make_pair(MakeARGB(0, 255, 0, 255), MakeARGB(255, 255, 0, 255));
    img.fill(kWhite);
    g.DrawImage(pic, QRectF(4, 4, 2, 1), QRectF(0, 0, 2, 1), &attrs);
    dc.Flush();
    EXPECT_EQ(img.pixel(4, 4), kWhite);
    EXPECT_EQ(img.pixel(5, 4), qRgb(0, 0, 255));
}

} // namespace

namespace {

TEST(DcText, WidthNarrowsGlyphsAndEscapementTurnsThem)
{
    QImage img = White(120, 120);
    CPainterDC dc(&img);
    LOGFONT lf;
    lf.lfHeight = -24;
    SetLogFontFace(lf, "Arial");
    CFont normal;
    normal.CreateFontIndirect(&lf);
    dc.SelectObject(&normal);
    const CSize wide = dc.GetTextExtent("xxxxxxxxxx");
    lf.lfWidth = wide.cx / 20;   // half the natural width of 'x'
    CFont narrow;
    narrow.CreateFontIndirect(&lf);
    dc.SelectObject(&narrow);
    const CSize thin = dc.GetTextExtent("xxxxxxxxxx");
    EXPECT_NEAR(double(thin.cx) / wide.cx, 0.5, 0.1);

    // Escapement 900: the text runs upwards from the reference point.
    lf.lfWidth = 0;
    lf.lfEscapement = 900;
    CFont up;
    up.CreateFontIndirect(&lf);
    dc.SelectObject(&up);
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(60, 110, "HHHHHH");
    dc.Flush();
    int top = 120, left = 120, right = -1;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 120; ++x)
            if (img.pixel(x, y) != kWhite) {
                top = std::min(top, y);
                left = std::min(left, x);
                right = std::max(right, x);
            }
    EXPECT_LT(top, 60);               // far above the reference point
    EXPECT_LT(right - left, 30);      // and narrow across
}

} // namespace

namespace {

TEST(DcShapes, InsideFramePenStaysInTheRectangle)
{
    for (int style : {int(PS_INSIDEFRAME), int(PS_SOLID)}) {
        QImage img = White(20, 20);
        CPainterDC dc(&img);
        CPen pen(style, 5, RGB(0, 0, 0));
        dc.SelectObject(&pen);
        dc.SelectStockObject(NULL_BRUSH);
        dc.Rectangle(5, 5, 15, 15);
        dc.Flush();
        // Inside frame: nothing outside 5..14; a centred pen spills over by 2.
        const bool spills = img.pixel(3, 10) != kWhite;
        EXPECT_EQ(spills, style == int(PS_SOLID)) << style;
        EXPECT_NE(img.pixel(5, 10), kWhite);
        EXPECT_NE(img.pixel(14, 10), kWhite);
    }
}

} // namespace

namespace {

TEST(DcShapes, ArcToDrawsTheLeadInAndFrameRectIsOneLogicalUnit)
{
    QImage img = White(20, 20);
    CPainterDC dc(&img);
    dc.MoveTo(0, 10);
    // The arc of the ellipse (4,4)-(16,16) from its right point counter-clockwise to its top.
    ASSERT_TRUE(dc.ArcTo(4, 4, 16, 16, 20, 10, 10, 0));
    EXPECT_EQ(dc.GetCurrentPosition(), CPoint(10, 4));
    dc.Flush();
    EXPECT_NE(img.pixel(2, 10), kWhite);   // the lead-in line
    int onArc = 0, belowCentre = 0;
    for (int y = 4; y < 16; ++y)
        for (int x = 4; x < 16; ++x)
            if (img.pixel(x, y) != kWhite && y != 10)
                (x >= 10 && y < 10 ? onArc : y > 10 || x < 10 ? belowCentre : onArc)++;
    EXPECT_GT(onArc, 4);                   // the upper right quarter only
    EXPECT_EQ(belowCentre, 0);

    img.fill(kWhite);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(1, 1);
    dc.SetViewportExt(3, 3);
    CBrush black(RGB(0, 0, 0));
    const RECT r{1, 1, 5, 5};
    dc.FrameRect(&r, &black);
    dc.Flush();
    EXPECT_NE(img.pixel(5, 8), kWhite);    // three pixels wide at this scale
    EXPECT_EQ(img.pixel(6, 8), kWhite);
}

} // namespace

namespace {

TEST(DcBlits, HugeAndMirroredStretchesStayWithinTheImage)
{
    QImage srcImg(2, 1, QImage::Format_RGB32);
    srcImg.setPixel(0, 0, qRgb(255, 0, 0));
    srcImg.setPixel(1, 0, qRgb(0, 0, 255));
    CBitmap bmp;
    bmp.Attach(srcImg);
    CPainterDC mem;
    mem.SelectObject(&bmp);
    QImage img = White(4, 2);
    CPainterDC dc(&img);
    // Mirrored: a negative destination width flips the picture.
    ASSERT_TRUE(dc.StretchBlt(4, 0, -4, 2, &mem, 0, 0, 2, 1, SRCCOPY));
    dc.Flush();
    EXPECT_EQ(img.pixel(0, 0), qRgb(0, 0, 255));
    EXPECT_EQ(img.pixel(3, 1), qRgb(255, 0, 0));
    // A stretch to two billion pixels only computes what lands on the image.
    ASSERT_TRUE(dc.StretchBlt(-1000000, -1000000, 2000000, 2000000, &mem, 0, 0, 2, 1, SRCINVERT));
    ASSERT_TRUE(dc.StretchBlt(0, 0, 1000000000, 1000000000, &mem, 0, 0, 2, 1, SRCCOPY));
    dc.Flush();
    EXPECT_EQ(img.pixel(3, 1), qRgb(255, 0, 0));
}

} // namespace

namespace {

TEST(DcText, UnderlineAndStrikeOutAreDrawn)
{
    auto inkRows = [](bool underline, bool strike) {
        QImage img = White(80, 40);
        CPainterDC dc(&img);
        LOGFONT lf;
        lf.lfHeight = -24;
        lf.lfUnderline = underline;
        lf.lfStrikeOut = strike;
        SetLogFontFace(lf, "Arial");
        CFont font;
        font.CreateFontIndirect(&lf);
        dc.SelectObject(&font);
        dc.SetBkMode(TRANSPARENT);
        dc.TextOut(2, 2, "xxxx");
        dc.Flush();
        std::vector<int> rows;
        for (int y = 0; y < img.height(); ++y) {
            int ink = 0;
            for (int x = 0; x < img.width(); ++x)
                ink += img.pixel(x, y) != kWhite;
            rows.push_back(ink);
        }
        return rows;
    };
    const std::vector<int> plain = inkRows(false, false);
    const std::vector<int> under = inkRows(true, false);
    const std::vector<int> strike = inkRows(false, true);
    int extraUnder = 0, extraStrike = 0;
    for (size_t y = 0; y < plain.size(); ++y) {
        extraUnder += std::max(0, under[y] - plain[y]);
        extraStrike += std::max(0, strike[y] - plain[y]);
    }
    EXPECT_GT(extraUnder, 20);
    EXPECT_GT(extraStrike, 5);
}

TEST(DcState, RestoreDcReselectsTheSavedObjects)
{
    QImage img = White(4, 1);
    CPainterDC dc(&img);
    CPen red(int(PS_SOLID), 1, RGB(255, 0, 0));
    CPen* stock = dc.SelectObject(&red);
    const int level = dc.SaveDC();
    CPen blue(int(PS_SOLID), 1, RGB(0, 0, 255));
    dc.SelectObject(&blue);
    dc.SetROP2(R2_NOT);
    dc.RestoreDC(level);
    EXPECT_EQ(dc.GetCurrentPen(), &red);
    EXPECT_EQ(dc.GetROP2(), R2_COPYPEN);
    dc.MoveTo(0, 0);
    dc.LineTo(4, 0);
    dc.Flush();
    EXPECT_EQ(img.pixel(0, 0), qRgb(255, 0, 0));
    EXPECT_EQ(dc.SelectObject(stock), &red);
}

} // namespace

namespace {

TEST(DcDevice, MemoryContextsAnswerForTheScreenAndClipToTheirBitmap)
{
    CBitmap bmp;
    ASSERT_TRUE(bmp.CreateBitmap(30, 20, 1, 32, nullptr));
    CPainterDC mem;
    mem.SelectObject(&bmp);
    const CDeviceCaps screen = DisplayDeviceCaps();
    EXPECT_EQ(mem.GetDeviceCaps(HORZRES), screen.horzRes);
    EXPECT_EQ(mem.GetDeviceCaps(LOGPIXELSY), 96);
    EXPECT_EQ(mem.GetDeviceCaps(TECHNOLOGY), DT_RASDISPLAY);
    RECT box;
    EXPECT_EQ(mem.GetClipBox(&box), SIMPLEREGION);
    EXPECT_EQ(CRect(box), CRect(0, 0, 30, 20));
    EXPECT_FALSE(mem.PtVisible(30, 5));
    EXPECT_TRUE(mem.PtVisible(29, 19));
}

} // namespace

namespace {

TEST(DcText, NonAntialiasedQualityDrawsOnlyTextColour)
{
    QImage img = White(60, 30);
    CPainterDC dc(&img);
    LOGFONT lf;
    lf.lfHeight = -20;
    lf.lfQuality = 3;
    SetLogFontFace(lf, "Arial");
    CFont font;
    font.CreateFontIndirect(&lf);
    dc.SelectObject(&font);
    dc.SetBkMode(TRANSPARENT);
    dc.TextOut(2, 2, "aeg");
    dc.Flush();
    int ink = 0, other = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb c = img.pixel(x, y);
            ink += c == qRgb(0, 0, 0);
            other += c != qRgb(0, 0, 0) && c != kWhite;
        }
    EXPECT_GT(ink, 30);
    EXPECT_EQ(other, 0);
}

} // namespace

namespace {

TEST(DcShapes, PieAndChordFollowTheArcDirection)
{
    auto quadrants = [](int direction, bool chord) {
        QImage img = White(40, 40);
        CPainterDC dc(&img);
        dc.SelectStockObject(NULL_PEN);
        dc.SelectStockObject(BLACK_BRUSH);
        dc.SetArcDirection(direction);
        // From the ray to the right to the ray upwards.
        if (chord)
            dc.Chord(0, 0, 40, 40, 40, 20, 20, 0);
        else
            dc.Pie(0, 0, 40, 40, 40, 20, 20, 0);
        dc.Flush();
        return std::array<bool, 4>{img.pixel(30, 10) != kWhite, img.pixel(10, 10) != kWhite,
                                   img.pixel(10, 30) != kWhite, img.pixel(30, 30) != kWhite};
    };
    // Counter-clockwise on the screen: the upper right quarter only.
    EXPECT_EQ(quadrants(AD_COUNTERCLOCKWISE, false), (std::array<bool, 4>{true, false, false, false}));
    // Clockwise: the other three quarters.
    EXPECT_EQ(quadrants(AD_CLOCKWISE, false), (std::array<bool, 4>{false, true, true, true}));
    // A chord cuts along the line between the ends: (30, 10) lies beyond it.
    EXPECT_EQ(quadrants(AD_COUNTERCLOCKWISE, true), (std::array<bool, 4>{true, false, false, false}));
}

TEST(DcBlits, SetDibitsToDeviceCopiesPixelsOneToOne)
{
    QImage src(3, 2, QImage::Format_RGB32);
    src.fill(qRgb(9, 8, 7));
    src.setPixel(2, 1, qRgb(200, 0, 0));
    const std::vector<BYTE> dib = ImageToDib(src, 32, false);
    QImage img = White(6, 4);
    CPainterDC dc(&img);
    EXPECT_EQ(dc.SetDIBitsToDevice(1, 1, 3, 2, 0, 0, 0, 2, dib.data() + 40,
                                   reinterpret_cast<const BITMAPINFO*>(dib.data()), DIB_RGB_COLORS),
              2);
    dc.Flush();
    EXPECT_EQ(img.pixel(1, 1), qRgb(9, 8, 7));
    EXPECT_EQ(img.pixel(3, 2), qRgb(200, 0, 0));
    EXPECT_EQ(img.pixel(4, 2), kWhite);
}

} // namespace

namespace {

TEST(DcDevice, ImagesOfOtherFormatsAreConvertedOrPaintedSafely)
{
    QImage rgb888(8, 4, QImage::Format_RGB888);
    rgb888.fill(Qt::white);
    CPainterDC dc(&rgb888);   // converted to a 32-bit format on the way in
    EXPECT_EQ(rgb888.format(), QImage::Format_RGB32);
    // Replaced behind the context's back after a flush: drawing still works,
    // through the painter rather than the pixel rules.
    dc.Flush();
    rgb888 = QImage(8, 4, QImage::Format_Indexed8);
    rgb888.setColorTable({qRgb(255, 255, 255), qRgb(0, 0, 0)});
    rgb888.fill(0);
    dc.SetROP2(R2_XORPEN);
    dc.MoveTo(0, 0);
    dc.LineTo(8, 0);
    dc.Rectangle(0, 0, 8, 4);
    dc.SetPixel(1, 1, RGB(0, 0, 0));
    EXPECT_EQ(dc.GetPixel(1, 1), CLR_INVALID);
    EXPECT_FALSE(dc.ExtFloodFill(2, 2, RGB(0, 0, 0), FLOODFILLBORDER));
    dc.Flush();
}

} // namespace
