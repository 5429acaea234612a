// The device context keeps one painter across calls and leaves the graphics
// object's anti-aliasing and transform, and the text's pen, on it between
// calls: what is drawn next must not show it.
#include "platform/CGraphics.h"
#include "platform/CPainterDC.h"
#include "platform/DcPictures.h"

#include <QImage>
#include <QPainter>
#include <QPaintEngine>
#include <QPainterPath>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using dctest::WhiteImage;

using Drawing = std::function<void(CPainterDC&)>;

// What a figure leaves behind: an anti-aliased, transformed stroke and fill.
void GraphicsFigure(CPainterDC& dc)
{
    CGraphics g(&dc);
    g.SetSmoothingMode(GpSmoothingMode::AntiAlias);
    g.TranslateTransform(3.25f, 2.5f);
    g.ScaleTransform(1.5f, 1.25f);
    CGpBrush brush;
    brush.color = MakeARGB(255, 40, 160, 90);
    g.FillEllipse(brush, QRectF(2, 2, 20, 14));
    CGpPen pen;
    pen.width = 2.5f;
    pen.lineJoin = GpLineJoin::Round;
    g.DrawPolygon(pen, QPolygonF(QRectF(1, 1, 24, 18)));
}

// The same with a clip of the graphics object's own.
void ClippedGraphicsFigure(CPainterDC& dc)
{
    CGraphics g(&dc);
    g.SetSmoothingMode(GpSmoothingMode::AntiAlias);
    g.SetClip(QRectF(0, 0, 18, 30));
    CGpPen pen;
    pen.width = 3;
    g.DrawEllipse(pen, QRectF(4, 4, 30, 20));
}

// The GDI objects the steps select, alive for the whole test.
struct Objects {
    CBrush blue{RGB(0, 0, 220)};
    CPen wide{PS_SOLID, 5, RGB(250, 150, 0)};
    CFont font;
    CFont underlined;
};

Objects& Kit()
{
    // Never destroyed: the test's steps keep them selected to the end.
    static Objects& kit = *new Objects;
    if (!kit.font.IsCreated()) {
        LOGFONT lf;
        lf.lfHeight = -14;
        lf.lfWeight = FW_NORMAL;
        SetLogFontFace(lf, "Arial");
        kit.font.CreateFontIndirect(&lf);
        lf.lfUnderline = 1;
        kit.underlined.CreateFontIndirect(&lf);
    }
    return kit;
}

void SelectFill(CPainterDC& dc)
{
    dc.SelectObject(&Kit().blue);
    dc.SelectStockObject(NULL_PEN);
}

void SelectWidePen(CPainterDC& dc)
{
    dc.SelectObject(&Kit().wide);
    dc.SelectStockObject(NULL_BRUSH);
}

void SelectText(CPainterDC& dc)
{
    dc.SelectObject(&Kit().font);
    dc.SetTextColor(RGB(200, 0, 0));
    dc.SetBkColor(RGB(255, 255, 160));
}

// Underlined text on an opaque background: lines and cells that follow the
// painter's anti-aliasing.
void SelectUnderlinedOpaqueText(CPainterDC& dc)
{
    dc.SelectObject(&Kit().underlined);
    dc.SetTextColor(RGB(0, 90, 0));
    dc.SetBkColor(RGB(255, 255, 160));
    dc.SetBkMode(OPAQUE);
}

// The steps below draw with what is selected and change no state of the
// DC, so that nothing but the painter's own state can carry over.
void Text(CPainterDC& dc)
{
    dc.TextOut(6, 8, "Kavo");
}

void Polygon(CPainterDC& dc)
{
    const POINT tri[] = {{30, 2}, {58, 10}, {36, 30}};
    dc.Polygon(tri, 3);
}

void Shapes(CPainterDC& dc)
{
    Polygon(dc);
    dc.Ellipse(8, 12, 40, 36);
    dc.MoveTo(2, 34);
    dc.LineTo(50, 26);
}

struct Sequence {
    const char* name;
    std::vector<Drawing> steps;
};

TEST(DcPainterState, DrawingAfterGraphicsAndTextIsAsOnAFreshPainter)
{
    const Sequence sequences[] = {
        {"fill after a figure", {SelectFill, GraphicsFigure, Shapes}},
        {"fill after a clipped figure", {SelectFill, ClippedGraphicsFigure, Shapes}},
        {"wide pen after a figure", {SelectWidePen, GraphicsFigure, Shapes}},
        {"fill, text, fill", {SelectFill, SelectText, Polygon, Text, Polygon}},
        {"text after a figure", {SelectText, GraphicsFigure, Text}},
        {"underlined opaque text after a figure", {SelectUnderlinedOpaqueText, GraphicsFigure, Text}},
        {"figure after text and shapes", {SelectFill, SelectText, Text, Shapes, GraphicsFigure}},
    };
    for (const Sequence& seq : sequences) {
        SCOPED_TRACE(seq.name);
        QImage kept = WhiteImage(64, 40);
        {
            CPainterDC dc(&kept);
            dc.SetBkMode(TRANSPARENT);
            for (const Drawing& step : seq.steps)
                step(dc);
        }
        // Flush() ends the painter, so each step starts on a new one.
        QImage fresh = WhiteImage(64, 40);
        {
            CPainterDC dc(&fresh);
            dc.SetBkMode(TRANSPARENT);
            for (const Drawing& step : seq.steps) {
                step(dc);
                dc.Flush();
            }
        }
        EXPECT_EQ(kept, fresh);
    }
}

TEST(DcPainterState, ClipChangesReachThePainterAfterEachKindOfDrawing)
{
    // The DC's clip is handed to the painter again only when it changed:
    // each change must still show, and a RestoreDC must lift it.
    QImage img = WhiteImage(40, 10);
    CPainterDC dc(&img);
    CGraphics g(&dc);
    CGpBrush red;
    red.color = MakeARGB(255, 255, 0, 0);
    const int saved = dc.SaveDC();
    dc.IntersectClipRect(0, 0, 10, 10);
    g.FillRectangle(red, QRectF(0, 0, 40, 10));
    dc.RestoreDC(saved);
    dc.SaveDC();
    dc.IntersectClipRect(20, 0, 30, 10);
    CBrush blue(RGB(0, 0, 255));
    const CRect all(0, 0, 40, 10);
    dc.FillRect(&all, &blue);
    dc.RestoreDC(saved);
    CBrush green(RGB(0, 255, 0));
    const CRect right(35, 0, 40, 10);
    dc.FillRect(&right, &green);
    dc.Flush();
    EXPECT_EQ(img.pixel(5, 5), qRgb(255, 0, 0));
    EXPECT_EQ(img.pixel(15, 5), dctest::kWhite);
    EXPECT_EQ(img.pixel(25, 5), qRgb(0, 0, 255));
    EXPECT_EQ(img.pixel(32, 5), dctest::kWhite);
    EXPECT_EQ(img.pixel(37, 5), qRgb(0, 255, 0));
}

TEST(DcPainterState, ThinAntiAliasedOutlinesMatchQtsGeneralDrawing)
{
    // On an image the painter is clipped to it, which lets Qt write
    // one-pixel anti-aliased lines straight into the pixels; that must give
    // the pixels of its general way (no clip, span by span blending).
    struct Outline {
        const char* name;
        QPolygonF points;
        ARGB color;
    };
    const Outline outlines[] = {
        {"box on fractions", QPolygonF(QRectF(2.3, 3.6, 40.45, 17.2)), MakeARGB(255, 90, 120, 200)},
        {"slanted quad", QPolygonF({{4.1, 30.2}, {50.7, 24.9}, {58.3, 38.6}, {9.9, 44.4}}),
         MakeARGB(255, 0, 0, 0)},
        {"steep triangle", QPolygonF({{30.5, 1.2}, {33.25, 46.8}, {27.6, 40.1}}),
         MakeARGB(255, 220, 30, 10)},
    };
    for (const Outline& o : outlines) {
        SCOPED_TRACE(o.name);
        QImage drawn = WhiteImage(64, 48);
        {
            CPainterDC dc(&drawn);
            CGraphics g(&dc);
            g.SetSmoothingMode(GpSmoothingMode::AntiAlias);
            CGpPen pen;
            pen.color = o.color;
            pen.width = 0.5f;   // under a pixel: drawn one pixel wide
            pen.lineJoin = GpLineJoin::Round;
            g.DrawPolygon(pen, o.points);
        }
        QImage reference = WhiteImage(64, 48);
        {
            QPainter p(&reference);
            p.setRenderHint(QPainter::Antialiasing);
            p.setTransform(QTransform::fromTranslate(0.5, 0.5));
            QPen pen(QColor::fromRgba(o.color), 1.0);
            pen.setCosmetic(true);
            pen.setJoinStyle(Qt::RoundJoin);
            pen.setCapStyle(Qt::FlatCap);
            QPainterPath path;
            path.addPolygon(o.points);
            path.closeSubpath();
            p.strokePath(path, pen);
        }
        EXPECT_EQ(drawn, reference);
    }
}

TEST(DcPainterState, DrawingOnABandGivesTheWholePicturesPixelsThere)
{
    // Banded drawing clips the device to a band's rows; graphics calls that
    // lie wholly outside them are left out. Shapes whose paths lie outside
    // the band but whose pens, corners or anti-aliased edges reach into it
    // must still draw there.
    struct Near {
        const char* name;
        std::function<void(CGraphics&)> draw;
    };
    auto pen = [](float width, GpLineJoin join, GpLineCap cap = GpLineCap::Flat) {
        CGpPen p;
        p.color = MakeARGB(255, 30, 60, 200);
        p.width = width;
        p.lineJoin = join;
        p.startCap = cap;
        p.endCap = cap;
        p.miterLimit = 10;
        return p;
    };
    const Near shapes[] = {
        {"wide line above", [&](CGraphics& g) { g.DrawLine(pen(9, GpLineJoin::Round), {2, 16.5}, {60, 16.5}); }},
        {"miter spike", [&](CGraphics& g) {
             g.DrawLines(pen(4, GpLineJoin::Miter), QPolygonF({{10, 2}, {20, 17}, {30, 2}}));
         }},
        {"square cap", [&](CGraphics& g) {
             g.DrawLine(pen(6, GpLineJoin::Round, GpLineCap::Square), {40, 2}, {40, 16.8});
         }},
        {"thin line on the edge", [&](CGraphics& g) { g.DrawLine(pen(0.5f, GpLineJoin::Round), {1, 19.6}, {62, 19.2}); }},
        {"fill edge", [&](CGraphics& g) {
             CGpBrush b;
             b.color = MakeARGB(255, 200, 40, 40);
             g.FillPolygon(b, QPolygonF({{4, 2}, {58, 3}, {30, 19.7}}));
         }},
        {"scaled world", [&](CGraphics& g) {
             g.ScaleTransform(1, 3);
             g.DrawRectangle(pen(1.5f, GpLineJoin::Miter), QRectF(5, 1, 50, 5.2));
         }},
    };
    constexpr int kTop = 20;
    for (const Near& n : shapes) {
        SCOPED_TRACE(n.name);
        QImage whole = WhiteImage(64, 40), band = WhiteImage(64, 40);
        band.paintEngine()->setSystemClip(QRegion(0, kTop, 64, 40 - kTop));
        for (QImage* img : {&whole, &band}) {
            CPainterDC dc(img);
            CGraphics g(&dc);
            g.SetSmoothingMode(GpSmoothingMode::AntiAlias);
            n.draw(g);
        }
        EXPECT_EQ(whole.copy(0, kTop, 64, 40 - kTop), band.copy(0, kTop, 64, 40 - kTop));
        EXPECT_NE(whole.copy(0, kTop, 64, 40 - kTop), WhiteImage(64, 40 - kTop));
    }
}

TEST(DcPainterState, TextInAClipShowsAsUnclippedInsideAndNothingOutside)
{
    // Text that lies well within the DC's clip is drawn without handing the
    // clip to the painter; text that reaches out of it is still cut.
    const CRect clips[] = {CRect(0, 0, 90, 40), CRect(2, 2, 88, 38), CRect(10, 0, 30, 40), CRect(0, 12, 90, 20)};
    QImage figure = WhiteImage(90, 40), over = WhiteImage(90, 40);
    {
        CPainterDC dc(&figure);
        GraphicsFigure(dc);
    }
    {
        CPainterDC dc(&over);
        SelectText(dc);
        dc.SetBkMode(TRANSPARENT);
        GraphicsFigure(dc);
        dc.TextOut(8, 10, "Kavo Wg");
    }
    for (const CRect& clip : clips) {
        SCOPED_TRACE(clip.left * 1000 + clip.top);
        QImage img = WhiteImage(90, 40);
        {
            CPainterDC dc(&img);
            SelectText(dc);
            dc.SetBkMode(TRANSPARENT);
            // A figure before and after, as a diagram draws text between them.
            GraphicsFigure(dc);
            const int saved = dc.SaveDC();
            dc.IntersectClipRect(clip.left, clip.top, clip.right, clip.bottom);
            dc.TextOut(8, 10, "Kavo Wg");
            dc.RestoreDC(saved);
        }
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x) {
                const QRgb want = clip.PtInRect(CPoint(x, y)) ? over.pixel(x, y) : figure.pixel(x, y);
                ASSERT_EQ(img.pixel(x, y), want) << x << "," << y;
            }
    }
}

} // namespace
