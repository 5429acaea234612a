// PNG row filters on the picture of `kvdtool gen 2000` at 100% anti-aliased:
// the time to filter and deflate (level 1) the picture in bands of 64 rows
// with each fixed filter, and the file size (counter "bytes"), against the
// image library's own writer (libpng's adaptive filter choice, same level) in
// the same run.
#include "kvdtool/KvdTool.h"
#include "core/Units.h"
#include "document/CKavoDoc.h"
#include "graphics/PngBandWriter.h"
#include "render/BandedRender.h"
#include "render/DiagramExport.h"
#include "render/DocDrawObjects.h"

#include <QBuffer>
#include <QImageWriter>

#include <benchmark/benchmark.h>

namespace {

const QImage& Picture()
{
    static const QImage image = [] {
        InstallExportDrawer();
        CKavoDoc doc;
        doc.OnNewDocument();
        GenerateDiagram(doc, 2000);
        BandedRequest r;
        r.rect = GetExportRect(doc, kExportAll, nullptr, false);
        r.width = LogicalToScreenPixels(r.rect.Width());
        r.height = LogicalToScreenPixels(r.rect.Height());
        r.factor = 4;
        r.smoothing = 1;
        return RenderBandedImage(doc, r);
    }();
    return image;
}

qint64 WriteBands(const QImage& image, PngRowFilter filter)
{
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    CPngBandWriter writer(&out, image.width(), image.height());
    writer.Begin();
    constexpr int kRows = 64;
    for (int y = 0; y < image.height(); y += kRows) {
        const int rows = std::min(kRows, image.height() - y);
        writer.Append(DeflatePngBand(image.copy(0, y, image.width(), rows), filter, y + rows == image.height()));
    }
    writer.Finish();
    return out.size();
}

void BM_PngFixedFilter(benchmark::State& state)
{
    const QImage& image = Picture();
    qint64 bytes = 0;
    for (auto _ : state)
        bytes = WriteBands(image, PngRowFilter(state.range(0)));
    state.counters["bytes"] = double(bytes);
    state.counters["pixels"] = double(image.width()) * image.height();
}

void BM_PngLibraryAdaptive(benchmark::State& state)
{
    const QImage& image = Picture();
    qint64 bytes = 0;
    for (auto _ : state) {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        QImageWriter writer(&out, "png");
        writer.setQuality(85);  // deflate level 1
        writer.write(image);
        bytes = out.size();
    }
    state.counters["bytes"] = double(bytes);
}

// 0 None, 1 Sub, 2 Up, 4 Paeth
BENCHMARK(BM_PngFixedFilter)->Arg(0)->Arg(1)->Arg(2)->Arg(4)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PngLibraryAdaptive)->Unit(benchmark::kMillisecond);

} // namespace
