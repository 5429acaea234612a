// Repaints of a 1920 x 1080 view of a 20,000-box diagram as the view paints
// them (page background, then every object through the drawing pass with the
// anti-aliased graphics), at 100 % and at the zoom that shows the diagram
// whole; the baseline is the same repaint of an empty diagram.
#include "../tests/shapes/SymbolTestSupport.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "platform/CGraphics.h"
#include "platform/CPainterDC.h"
#include "render/CDiagObjDrawCtx.h"
#include "render/CZoomMapping.h"
#include "render/DocDrawObjects.h"
#include "render/FigShapeDraw.h"
#include "render/FigTextRender.h"
#include "render/ViewPaint.h"

#include <QImage>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>

namespace {
constexpr int kCols = 140, kRows = 143;   // 20,020 boxes
constexpr int kW = 150, kH = 100, kStepX = 220, kStepY = 160;
constexpr int kClientW = 1920, kClientH = 1080;

CKavoDoc& MakeDoc(bool boxes)
{
    auto* doc = new CKavoDoc;
    doc->OnNewDocument();
    doc->m_bShowGrid = 1;
    doc->m_rcWorkSpace = CRect(-1000, -1000, kCols * kStepX + 1000, kRows * kStepY + 1000);
    if (!boxes)
        return *doc;
    SymbolBuilder b;
    b.Fill([](COutlineWriter& w) { w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048)); });
    b.Outline([](COutlineWriter& w) { w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048)); });
    b.TextBoxes({CFltRect(0, 0, 2048, 2048)});
    b.sym.m_strName = "box";
    const int symbol = doc->m_figSymbols.AddOrReplace(&b.sym);
    for (int r = 0; r < kRows; ++r)
        for (int c = 0; c < kCols; ++c) {
            CFigProps props;
            props.Symbol = symbol;
            props.m_fill.m_nKind = 1;
            props.m_fill.m_crColor1 = RGB(220, 235, 255);
            doc->AddFigWithId(new CFigure(c * kStepX, r * kStepY, kH, kW, props, -1, 0,
                                          "Box " + std::to_string(r * kCols + c), "", CFigure::CreateArgs(), doc));
        }
    return *doc;
}

CKavoDoc& Diagram()
{
    static CKavoDoc& doc = MakeDoc(true);
    return doc;
}

CKavoDoc& Empty()
{
    static CKavoDoc& doc = MakeDoc(false);
    return doc;
}

// Arg 0: 100 %; 1: the zoom that shows the whole diagram.
void Repaint(benchmark::State& state, CKavoDoc& doc)
{
    SetFigTextRenderer(RenderFigTextPiece);
    CZoomMapping m;
    const CRect page(0, 0, kCols * kStepX, kRows * kStepY);
    m.SetZoomScrollSizes(PageSizeForScrolling(CSize(page.Width(), page.Height())), page, 25, 5);
    m.m_rectWorkLog = doc.m_rcWorkSpace;
    m.m_client = CSize(kClientW, kClientH);
    const float fit = std::min(PercentForFit(kClientW, m.m_rectWorkLog.Width()),
                               PercentForFit(kClientH, m.m_rectWorkLog.Height()));
    m.SetZoomValue(state.range(0) == 0 ? 100.0f : fit);
    m.m_scroll = m.LogicalToDevice(CPoint(4000, 4000));
    if (state.range(0) != 0)
        m.m_scroll = CPoint(0, 0);
    QImage surface(kClientW, kClientH, QImage::Format_RGB32);
    CDiagObjDrawCtx ctx;
    for (auto _ : state) {
        CPainterDC dc(&surface);
        m.PrepareDC(dc);
        const CPoint pos = m.GetDeviceScrollPosition();
        CRect clip(m.DeviceToLogical(pos), m.DeviceToLogical(CPoint(pos.x + kClientW, pos.y + kClientH)));
        FillScreenDrawCtx(ctx, m, clip);
        DrawPageBackground(dc, doc, clip, ctx.handleSize, UnitsPerPixel(m));
        CGraphics graphics(&dc);
        DrawDocObjects(doc, &graphics, &dc, ctx);
        dc.Flush();
        benchmark::DoNotOptimize(surface.constBits());
    }
    state.SetLabel(state.range(0) == 0 ? "100%" : "whole diagram");
}

void BM_RepaintEmptyDiagram(benchmark::State& state)
{
    Repaint(state, Empty());
}

void BM_Repaint20000Boxes(benchmark::State& state)
{
    Repaint(state, Diagram());
}
} // namespace

BENCHMARK(BM_RepaintEmptyDiagram)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Repaint20000Boxes)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
