#include "platform/CGraphics.h"
#include "platform/CPainterDC.h"

#include <QImage>

#include <gtest/gtest.h>

#include <climits>
#include <limits>
#include <random>

namespace {

// Drawing calls with extreme and random arguments, as damaged files and
// metafiles can produce: nothing may crash, hang or overflow.
TEST(DcRobustness, ExtremeArgumentsAreSurvived)
{
    QImage img(16, 16, QImage::Format_RGB32);
    img.fill(Qt::white);
    CPainterDC dc(&img);
    std::mt19937 rng(11);
    const int extremes[] = {INT_MIN, INT_MIN + 1, -1000000000, -65536, -1, 0, 1, 7, 65535,
                            1000000000, INT_MAX - 1, INT_MAX};
    auto any = [&] {
        return (rng() % 3 == 0) ? int(rng() % 40) - 10 : extremes[rng() % std::size(extremes)];
    };
    CPen wide(int(PS_SOLID), 5, RGB(10, 20, 30));
    CPen dotted(int(PS_DOT), 1, RGB(200, 0, 0));
    CBrush hatch(HS_CROSS, RGB(0, 0, 200));
    for (int i = 0; i < 400; ++i) {
        switch (rng() % 5) {
        case 0:
            dc.SetMapMode(MM_ANISOTROPIC);
            dc.SetWindowExt(any(), any());
            dc.SetViewportExt(any(), any());
            dc.SetWindowOrg(any(), any());
            dc.SetViewportOrg(any(), any());
            break;
        case 1:
            dc.SetMapMode(MM_TEXT);
            break;
        case 2:
            dc.SelectObject(i % 2 ? &wide : &dotted);
            dc.SelectObject(&hatch);
            break;
        case 3:
            dc.SetROP2(int(rng() % 16) + 1);
            break;
        default:
            break;
        }
        const POINT pts[] = {{any(), any()}, {any(), any()}, {any(), any()}, {any(), any()}};
        dc.MoveTo(any(), any());
        dc.LineTo(any(), any());
        dc.Polygon(pts, 4);
        dc.Polyline(pts, 4);
        dc.PolyBezier(pts, 4);
        dc.Rectangle(any(), any(), any(), any());
        dc.Ellipse(any() / 1000, any() / 1000, any() / 1000, any() / 1000);
        dc.Arc(any(), any(), any(), any(), any(), any(), any(), any());
        dc.Pie(any() / 1000, any() / 1000, any() / 1000, any() / 1000, any(), any(), any(), any());
        dc.RoundRect(any(), any(), any(), any(), any(), any());
        const RECT r{any(), any(), any(), any()};
        dc.FillRect(&r, &hatch);
        dc.FrameRect(&r, &hatch);
        dc.InvertRect(&r);
        dc.PatBlt(any(), any(), any(), any(), PATINVERT);
        dc.SetPixel(any(), any(), RGB(1, 2, 3));
        (void)dc.GetPixel(any(), any());
        dc.TextOut(any(), any(), "Ab");
        dc.IntersectClipRect(any(), any(), any(), any());
        RECT box;
        dc.GetClipBox(&box);
        dc.SelectClipRgn(nullptr);
        POINT p{any(), any()};
        dc.LPtoDP(&p);
        dc.DPtoLP(&p);
        SIZE sz{any(), any()};
        dc.LPtoDP(&sz);
    }
    dc.Flush();
    SUCCEED();
}

} // namespace

namespace {

TEST(DcRobustness, RegionsBlitsAndGraphicsWithExtremeArguments)
{
    QImage img(16, 16, QImage::Format_ARGB32_Premultiplied);
    img.fill(0xFFFFFFFF);
    CPainterDC dc(&img);
    QImage srcImg(3, 3, QImage::Format_RGB32);
    srcImg.fill(Qt::red);
    CBitmap bmp;
    bmp.Attach(srcImg);
    CPainterDC mem;
    mem.SelectObject(&bmp);
    std::mt19937 rng(5);
    const int extremes[] = {INT_MIN, -1000000000, -1, 0, 1, 2, 1000000000, INT_MAX};
    auto any = [&] {
        return (rng() % 3 == 0) ? int(rng() % 30) - 10 : extremes[rng() % std::size(extremes)];
    };
    CGraphics g(&dc);
    const double reals[] = {-1e30, -1e9, -0.5, 0, 0.5, 3, 1e9, 1e30,
                            std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()};
    auto real = [&] { return reals[rng() % std::size(reals)]; };
    for (int i = 0; i < 60; ++i) {
        const POINT pts[] = {{any(), any()}, {any(), any()}, {any(), any()}};
        CRgn rgn;
        rgn.CreatePolygonRgn(pts, 3, i % 2 ? WINDING : ALTERNATE);
        CRgn rect;
        rect.CreateRectRgn(any(), any(), any(), any());
        CRgn both;
        both.CombineRgn(&rgn, &rect, RGN_XOR);
        CRgn ell;
        ell.CreateEllipticRgn(any(), any(), any(), any());
        dc.SelectClipRgn(&both, RGN_OR);
        dc.SelectClipRgn(nullptr);
        dc.BitBlt(any(), any(), any(), any(), &mem, any(), any(), SRCINVERT);
        dc.StretchBlt(any(), any(), any(), any(), &mem, any(), any(), any(), any(), SRCCOPY);
        BLENDFUNCTION blend;
        dc.AlphaBlend(any(), any(), any(), any(), &mem, any(), any(), any(), any(), blend);
        const int dx[] = {any(), any()};
        dc.ExtTextOut(any(), any(), ETO_OPAQUE | ETO_CLIPPED, nullptr, "xy", 2, dx);
        CGpBrush brush;
        brush.kind = i % 3 == 0 ? GpBrushKind::PathGradient
                                : i % 3 == 1 ? GpBrushKind::LinearGradient : GpBrushKind::Solid;
        brush.rect = QRectF(real(), real(), real(), real());
        brush.angle = float(real());
        brush.pathPoints = {{real(), real()}, {real(), real()}, {real(), real()}};
        brush.centerPoint = QPointF(real(), real());
        g.FillRectangle(brush, QRectF(real(), real(), real(), real()));
        CGpPen pen;
        pen.width = float(real());
        g.DrawLine(pen, QPointF(real(), real()), QPointF(real(), real()));
        g.DrawImage(srcImg, QRectF(real(), real(), real(), real()));
    }
    dc.Flush();
    SUCCEED();
}

} // namespace
