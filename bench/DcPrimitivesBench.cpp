// Every primitive the drawing code uses, through the device context and with a
// plain QPainter drawing the same thing on the same kind of image. Run with
// --benchmark_enable_random_interleaving=true so both sides share the
// machine's noise; compare each pair's times.
#include "platform/CGraphics.h"
#include "platform/CPainterDC.h"
#include "platform/GdiObjects.h"
#include "platform/PackedDib.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace {

constexpr int kShapes = 20000;

enum Prim { kRect, kEllipse, kRoundRect, kPolyline, kPolygon, kDashed, kText, kStretch };

struct Shape {
    int x, y, w, h;
    POINT pts[5];
};

const std::vector<Shape>& Shapes()
{
    static const std::vector<Shape> shapes = [] {
        std::mt19937 rng(11);
        std::uniform_int_distribution<int> pos(0, 940), size(4, 60), off(-30, 30);
        std::vector<Shape> v(kShapes);
        for (Shape& s : v) {
            s.x = pos(rng), s.y = pos(rng), s.w = size(rng), s.h = size(rng);
            for (POINT& p : s.pts)
                p = POINT{s.x + 30 + off(rng), s.y + 30 + off(rng)};
        }
        return v;
    }();
    return shapes;
}

QImage DibPicture()
{
    QImage pic(32, 32, QImage::Format_RGB32);
    pic.fill(qRgb(200, 40, 40));
    return pic;
}

void BM_DeviceContext(benchmark::State& state)
{
    const Prim prim = Prim(state.range(0));
    const int penWidth = int(state.range(1));
    QImage img(1000, 1000, QImage::Format_RGB32);
    const std::vector<BYTE> dib = ImageToDib(DibPicture(), 24, false, 0, 0);
    const std::string text = "Diagram text";
    std::vector<int> advances(text.size(), 7);
    for (auto _ : state) {
        img.fill(Qt::white);
        CPainterDC dc(&img);
        CBrush brush(RGB(40, 120, 200));
        CPen pen(prim == kDashed ? PS_DASH : PS_SOLID, penWidth, RGB(0, 0, 0));
        dc.SelectObject(&brush);
        if (penWidth < 0)
            dc.SelectStockObject(NULL_PEN);
        else
            dc.SelectObject(&pen);
        for (const Shape& s : Shapes()) {
            switch (prim) {
            case kRect: dc.Rectangle(s.x, s.y, s.x + s.w, s.y + s.h); break;
            case kEllipse: dc.Ellipse(s.x, s.y, s.x + s.w, s.y + s.h); break;
            case kRoundRect: dc.RoundRect(s.x, s.y, s.x + s.w, s.y + s.h, 12, 12); break;
            case kPolyline:
            case kDashed: dc.Polyline(s.pts, 5); break;
            case kPolygon: dc.Polygon(s.pts, 5); break;
            case kText:
                dc.ExtTextOut(s.x, s.y, 0, nullptr, text.c_str(), int(text.size()), advances.data());
                break;
            case kStretch:
                dc.StretchDIBits(s.x, s.y, s.w, s.h, 0, 0, 32, 32, dib.data() + 40,
                                 reinterpret_cast<const BITMAPINFO*>(dib.data()), DIB_RGB_COLORS,
                                 SRCCOPY);
                break;
            }
        }
        dc.Flush();
        benchmark::DoNotOptimize(img.constBits());
    }
}

void BM_PlainPainter(benchmark::State& state)
{
    const Prim prim = Prim(state.range(0));
    const int penWidth = int(state.range(1));
    QImage img(1000, 1000, QImage::Format_RGB32);
    const QImage pic = DibPicture();
    const QString text = "Diagram text";
    for (auto _ : state) {
        img.fill(Qt::white);
        QPainter p(&img);
        // Wide pens of the device context have round ends and joins (as GDI's
        // do), so the plain side draws with those too.
        QPen pen(Qt::black, std::max(penWidth, 0), Qt::SolidLine,
                 penWidth > 1 ? Qt::RoundCap : Qt::SquareCap, penWidth > 1 ? Qt::RoundJoin : Qt::BevelJoin);
        if (prim == kDashed)
            pen.setStyle(Qt::DashLine);
        p.setPen(penWidth < 0 ? QPen(Qt::NoPen) : pen);
        p.setBrush(QColor(200, 120, 40));
        for (const Shape& s : Shapes()) {
            QPoint q[5];
            for (int i = 0; i < 5; ++i)
                q[i] = QPoint(s.pts[i].x, s.pts[i].y);
            switch (prim) {
            case kRect: p.drawRect(s.x, s.y, s.w - 1, s.h - 1); break;
            case kEllipse: p.drawEllipse(s.x, s.y, s.w - 1, s.h - 1); break;
            case kRoundRect: p.drawRoundedRect(QRect(s.x, s.y, s.w - 1, s.h - 1), 6, 6); break;
            case kPolyline:
            case kDashed: p.drawPolyline(q, 5); break;
            case kPolygon: p.drawPolygon(q, 5); break;
            case kText: p.drawText(s.x, s.y + 10, text); break;
            case kStretch: p.drawImage(QRect(s.x, s.y, s.w, s.h), pic); break;
            }
        }
        p.end();
        benchmark::DoNotOptimize(img.constBits());
    }
}

// {primitive, pen width (-1: no pen)}.
void Args(benchmark::internal::Benchmark* b)
{
    for (int prim : {kRect, kEllipse, kRoundRect, kPolyline, kPolygon})
        for (int pen : {-1, 0, 1, 3})
            if (!(prim == kPolyline && pen < 0))
                b->Args({prim, pen});
    b->Args({kDashed, 1});
    b->Args({kText, 1});
    b->Args({kStretch, -1});
}

BENCHMARK(BM_DeviceContext)->Apply(Args)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainPainter)->Apply(Args)->Unit(benchmark::kMillisecond);

// Figures as a diagram draws them through the graphics object, interleaved
// with the device context's own calls: an anti-aliased gradient fill, a thin
// outline, a state change of the DC around each (SaveDC/RestoreDC) and a
// line of text; each thread on an image of its own, as banded export draws
// on all cores.
void BM_GraphicsFigures(benchmark::State& state)
{
    QImage img(1000, 1000, QImage::Format_RGB32);
    CGpBrush fill;
    fill.kind = GpBrushKind::LinearGradient;
    fill.angle = 90;
    fill.color1 = MakeARGB(255, 255, 255, 255);
    fill.color2 = MakeARGB(255, 160, 190, 230);
    CGpPen outline;
    outline.color = MakeARGB(255, 60, 80, 120);
    outline.width = 0.8f;
    outline.lineJoin = GpLineJoin::Round;
    LOGFONT lf;
    lf.lfHeight = -11;
    SetLogFontFace(lf, "Arial");
    CFont font;
    font.CreateFontIndirect(&lf);
    const std::string text = "B1234";
    const std::vector<Shape>& shapes = Shapes();
    for (auto _ : state) {
        img.fill(Qt::white);
        CPainterDC dc(&img);
        dc.SetBkMode(TRANSPARENT);
        CGraphics g(&dc);
        g.SetSmoothingMode(GpSmoothingMode::AntiAlias);
        for (size_t i = 0; i < shapes.size() / 4; ++i) {
            const Shape& s = shapes[i];
            const QRectF box(s.x + 0.25, s.y + 0.5, s.w + 20.5, s.h + 10.25);
            const int saved = dc.SaveDC();
            fill.rect = box;
            g.FillPolygon(fill, QPolygonF(box));
            g.DrawPolygon(outline, QPolygonF(box));
            dc.RestoreDC(saved);
            dc.SelectObject(&font);
            dc.TextOut(s.x + 4, s.y + 4, text.c_str(), int(text.size()));
            dc.SelectStockObject(SYSTEM_FONT);
        }
        dc.Flush();
        benchmark::DoNotOptimize(img.constBits());
    }
    state.SetItemsProcessed(state.iterations() * int64_t(shapes.size() / 4));
}
BENCHMARK(BM_GraphicsFigures)->ThreadRange(1, 8)->UseRealTime()->Unit(benchmark::kMillisecond);

} // namespace
