// Polygons through the device context against the same polygons drawn with a
// plain QPainter on the same kind of image: the layer's overhead.
#include "platform/CPainterDC.h"

#include <QImage>
#include <QPainter>

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace {

constexpr int kPolygons = 100000;
constexpr int kVertices = 5;

const std::vector<POINT>& Points()
{
    static const std::vector<POINT> pts = [] {
        std::mt19937 rng(7);
        std::uniform_int_distribution<int> pos(0, 990), off(-30, 30);
        std::vector<POINT> v;
        v.reserve(size_t(kPolygons) * kVertices);
        for (int i = 0; i < kPolygons; ++i) {
            const int cx = pos(rng), cy = pos(rng);
            for (int k = 0; k < kVertices; ++k)
                v.push_back(POINT{cx + off(rng), cy + off(rng)});
        }
        return v;
    }();
    return pts;
}

void BM_DeviceContextPolygons(benchmark::State& state)
{
    QImage img(1000, 1000, QImage::Format_RGB32);
    const auto& pts = Points();
    // Arg 0: 1-pixel pen; 1: no pen; 2: no pen, logical units of 1/256 inch
    // mapped onto 96 pixels per inch (as a view at 100 %), coordinates x 8/3.
    const bool nullPen = state.range(0) != 0;
    const bool mapped = state.range(0) == 2;
    std::vector<POINT> scaled;
    for (const POINT& p : pts)
        scaled.push_back(POINT{p.x * 8 / 3, p.y * 8 / 3});
    const std::vector<POINT>& drawn = mapped ? scaled : pts;
    for (auto _ : state) {
        img.fill(Qt::white);
        CPainterDC dc(&img);
        if (mapped) {
            dc.SetMapMode(MM_ANISOTROPIC);
            dc.SetWindowExt(256, 256);
            dc.SetViewportExt(96, 96);
        }
        CBrush brush(RGB(40, 120, 200));
        dc.SelectObject(&brush);
        if (nullPen)
            dc.SelectStockObject(NULL_PEN);
        for (int i = 0; i < kPolygons; ++i)
            dc.Polygon(&drawn[size_t(i) * kVertices], kVertices);
        dc.Flush();
        benchmark::DoNotOptimize(img.constBits());
    }
}
BENCHMARK(BM_DeviceContextPolygons)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void BM_PlainPainterPolygons(benchmark::State& state)
{
    QImage img(1000, 1000, QImage::Format_RGB32);
    const auto& pts = Points();
    std::vector<QPoint> qpts;
    for (const POINT& p : pts)
        qpts.emplace_back(p.x, p.y);
    // The same arguments; the mapped case scales with the painter's transform.
    const bool nullPen = state.range(0) != 0;
    const bool mapped = state.range(0) == 2;
    std::vector<QPoint> scaled;
    for (const QPoint& p : qpts)
        scaled.emplace_back(p.x() * 8 / 3, p.y() * 8 / 3);
    const std::vector<QPoint>& drawn = mapped ? scaled : qpts;
    for (auto _ : state) {
        img.fill(Qt::white);
        QPainter p(&img);
        if (mapped)
            p.scale(96.0 / 256, 96.0 / 256);
        p.setPen(nullPen ? QPen(Qt::NoPen) : QPen(Qt::black, 0));
        p.setBrush(QColor(200, 120, 40));
        for (int i = 0; i < kPolygons; ++i)
            p.drawPolygon(&drawn[size_t(i) * kVertices], kVertices);
        p.end();
        benchmark::DoNotOptimize(img.constBits());
    }
}
BENCHMARK(BM_PlainPainterPolygons)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace
