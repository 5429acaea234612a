#include "platform/CGraphics.h"
#include "platform/CPainterDC.h"

#include <QImage>

#include <gtest/gtest.h>

#include <climits>
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
