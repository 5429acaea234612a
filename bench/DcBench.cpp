// Polygons through the device context against the same polygons drawn with a
// plain QPainter on the same kind of image: the layer's overhead.
#include "platform/CPainterDC.h"

#include <QGuiApplication>
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
    const bool nullPen = state.range(0) != 0;
    for (auto _ : state) {
        img.fill(Qt::white);
        CPainterDC dc(&img);
        CBrush brush(RGB(40, 120, 200));
        dc.SelectObject(&brush);
        if (nullPen)
            dc.SelectStockObject(NULL_PEN);
        for (int i = 0; i < kPolygons; ++i)
            dc.Polygon(&pts[size_t(i) * kVertices], kVertices);
        dc.Flush();
        benchmark::DoNotOptimize(img.constBits());
    }
}
BENCHMARK(BM_DeviceContextPolygons)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_PlainPainterPolygons(benchmark::State& state)
{
    QImage img(1000, 1000, QImage::Format_RGB32);
    const auto& pts = Points();
    std::vector<QPoint> qpts;
    for (const POINT& p : pts)
        qpts.emplace_back(p.x, p.y);
    const bool nullPen = state.range(0) != 0;
    for (auto _ : state) {
        img.fill(Qt::white);
        QPainter p(&img);
        p.setPen(nullPen ? QPen(Qt::NoPen) : QPen(Qt::black, 0));
        p.setBrush(QColor(200, 120, 40));
        for (int i = 0; i < kPolygons; ++i)
            p.drawPolygon(&qpts[size_t(i) * kVertices], kVertices);
        p.end();
        benchmark::DoNotOptimize(img.constBits());
    }
}
BENCHMARK(BM_PlainPainterPolygons)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
