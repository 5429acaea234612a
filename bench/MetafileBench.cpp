// Metafile play-back: a 100,000-record enhanced metafile played into an image
// through the device context, against the same polygons drawn directly (the
// player's overhead), plus parsing and conversion of the same metafile.
#include "platform/CPainterDC.h"
#include "platform/metafile/CEmfPlayer.h"
#include "platform/metafile/CEmfRecorderDC.h"
#include "platform/metafile/CWmfRecorderDC.h"

#include <QImage>

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace {

constexpr int kRecords = 100000;
constexpr int kVertices = 5;
constexpr int kSize = 1000;

const std::vector<POINT>& Points()
{
    static const std::vector<POINT> pts = [] {
        std::mt19937 rng(7);
        std::uniform_int_distribution<int> pos(0, kSize - 10), off(-30, 30);
        std::vector<POINT> v;
        v.reserve(size_t(kRecords) * kVertices);
        for (int i = 0; i < kRecords; ++i) {
            const int cx = pos(rng), cy = pos(rng);
            for (int k = 0; k < kVertices; ++k)
                v.push_back(POINT{cx + off(rng), cy + off(rng)});
        }
        return v;
    }();
    return pts;
}

void DrawPolygons(CDC& dc)
{
    const auto& pts = Points();
    CBrush brush(RGB(40, 120, 200));
    dc.SelectObject(&brush);
    // One selection record and 99,999 polygons: 100,000 drawing-side records.
    for (int i = 0; i + 1 < kRecords; ++i)
        dc.Polygon(&pts[size_t(i) * kVertices], kVertices);
}

HENHMETAFILE Picture()
{
    static HENHMETAFILE picture = [] {
        const CDeviceCaps caps = DisplayDeviceCaps();
        const RECT frame{0, 0, MulDiv(kSize, caps.horzSizeMm * 100, caps.horzRes),
                         MulDiv(kSize, caps.vertSizeMm * 100, caps.vertRes)};
        auto rec = CreateEnhMetaFile(&frame, {});
        DrawPolygons(*rec);
        return CloseEnhMetaFile(rec.get());
    }();
    return picture;
}

void BM_PlayEnhMetafile(benchmark::State& state)
{
    HENHMETAFILE emf = Picture();
    QImage img(kSize, kSize, QImage::Format_RGB32);
    const RECT dest{0, 0, kSize, kSize};
    for (auto _ : state) {
        img.fill(Qt::white);
        CPainterDC dc(&img);
        PlayEnhMetaFile(&dc, emf, &dest);
        dc.Flush();
        benchmark::DoNotOptimize(img.constBits());
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_PlayEnhMetafile)->Unit(benchmark::kMillisecond);

void BM_DirectPolygons(benchmark::State& state)
{
    QImage img(kSize, kSize, QImage::Format_RGB32);
    for (auto _ : state) {
        img.fill(Qt::white);
        CPainterDC dc(&img);
        DrawPolygons(dc);
        dc.Flush();
        benchmark::DoNotOptimize(img.constBits());
    }
    state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_DirectPolygons)->Unit(benchmark::kMillisecond);

void BM_ParseEnhMetafile(benchmark::State& state)
{
    const std::vector<BYTE>& bits = Picture()->Bits();
    for (auto _ : state) {
        HENHMETAFILE h = SetEnhMetaFileBits(UINT(bits.size()), bits.data());
        benchmark::DoNotOptimize(h);
        DeleteEnhMetaFile(h);
    }
    state.SetBytesProcessed(state.iterations() * int64_t(bits.size()));
}
BENCHMARK(BM_ParseEnhMetafile)->Unit(benchmark::kMillisecond);

void BM_EnhToWinMetafile(benchmark::State& state)
{
    for (auto _ : state) {
        std::vector<BYTE> wmf = GetWinMetaFileBits(Picture(), MM_ANISOTROPIC);
        benchmark::DoNotOptimize(wmf.data());
    }
}
BENCHMARK(BM_EnhToWinMetafile)->Unit(benchmark::kMillisecond);

} // namespace
