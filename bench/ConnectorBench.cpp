// Connectors drawn through the connector drawing (route preparation, end-shape
// orientation, the dash walk, paths) against the same final geometry drawn
// straight on the device context: the connector layer's own cost. Both sides
// draw 5,000 three-point connectors with a block arrowhead in logical units of
// a view at 100 % onto a 1000 x 1000 image.
#include "document/CKavoDoc.h"
#include "platform/CPainterDC.h"
#include "render/ConDrawContext.h"
#include "render/ConLineShapes.h"
#include "render/ConnectorDraw.h"

#include <QImage>

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace {

constexpr int kConnectors = 5000;

struct Line {
    std::vector<CPoint> pts;
};

const std::vector<Line>& Lines()
{
    static const std::vector<Line> lines = [] {
        std::mt19937 rng(11);
        std::uniform_int_distribution<int> pos(100, 2500), off(-200, 200);
        std::vector<Line> v;
        for (int i = 0; i < kConnectors; ++i) {
            const CPoint a(pos(rng), pos(rng));
            const CPoint b(a.x + off(rng), a.y);
            const CPoint c(b.x, b.y + off(rng));
            v.push_back(Line{{a, b, c}});
        }
        return v;
    }();
    return lines;
}

void MapAsView(CDC& dc)
{
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(256, 256);
    dc.SetViewportExt(96, 96);
}

CKavoDoc& Doc()
{
    static CKavoDoc doc;
    static const bool ready = doc.OnNewDocument();
    (void)ready;
    return doc;
}

// Arg 0: solid 1 unit; 1: dash style 1 at width 3; 2: curved.
CConProps Props(int kind)
{
    CConProps props;
    props.End2 = Doc().m_endSymbols.FindByName("block");
    props.End2Length = 24;
    props.End2FillColor = RGB(0, 0, 0);
    if (kind == 1) {
        props.PenStyle = 1;
        props.LineWidth = 3;
    }
    if (kind == 2)
        props.Behavior.low |= CONSHAPE_CURVE;
    return props;
}

void BM_ConnectorDraw(benchmark::State& state)
{
    QImage img(1000, 1000, QImage::Format_RGB32);
    const CConProps props = Props(int(state.range(0)));
    ConDrawCtx ctx;
    ctx.mode = kDrawModeScreenNoHandles;
    std::vector<ConRoute> routes(Lines().size());
    for (size_t i = 0; i < routes.size(); ++i)
        routes[i].points = Lines()[i].pts;
    for (auto _ : state) {
        img.fill(Qt::white);
        CPainterDC dc(&img);
        MapAsView(dc);
        for (const ConRoute& r : routes)
            DrawConnector(nullptr, &dc, &ctx, r, props, &Doc(), ConDrawArgs{});
        dc.Flush();
        benchmark::DoNotOptimize(img.constBits());
    }
}
BENCHMARK(BM_ConnectorDraw)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

// The baseline: each connector's line and a triangle for its arrowhead, with
// the same pen and brush, straight on the device context.
void BM_PlainGeometry(benchmark::State& state)
{
    QImage img(1000, 1000, QImage::Format_RGB32);
    const CConProps props = Props(int(state.range(0)));
    for (auto _ : state) {
        img.fill(Qt::white);
        CPainterDC dc(&img);
        MapAsView(dc);
        CPen pen(PS_SOLID, props.LineWidth, props.Color);
        CBrush brush(props.End2FillColor);
        dc.SelectObject(&pen);
        dc.SelectObject(&brush);
        for (const Line& l : Lines()) {
            dc.Polyline(l.pts.data(), int(l.pts.size()));
            const CPoint& tip = l.pts.back();
            const POINT head[3] = {{tip.x, tip.y}, {tip.x - 8, tip.y - 24}, {tip.x + 8, tip.y - 24}};
            dc.Polygon(head, 3);
        }
        dc.Flush();
        benchmark::DoNotOptimize(img.constBits());
    }
}
BENCHMARK(BM_PlainGeometry)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

} // namespace
