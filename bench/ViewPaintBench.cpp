// Repaints of a 1920 x 1080 view as the view paints them (page background,
// then the objects through the drawing pass with the anti-aliased graphics),
// at 100 %, at the zoom that shows the diagram whole, and of a 100 x 100
// pixel area at 100 %: of 20,000 plain boxes, and of the flowchart of
// `kvdtool gen 20000` (boxes with text, arrows and right-angle routes, about
// 79,000 objects). The baseline is the same repaint of an empty diagram.
#include "../tests/shapes/SymbolTestSupport.h"
#include "kvdtool/KvdTool.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "document/ObjIndex.h"
#include "platform/CGraphics.h"
#include "platform/CPainterDC.h"
#include "render/CDiagObjDrawCtx.h"
#include "render/CZoomMapping.h"
#include "render/DocDrawObjects.h"
#include "render/FigShapeDraw.h"
#include "render/FigTextRender.h"
#include "render/ViewPaint.h"
#include "support/PaintViewArea.h"

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

CKavoDoc& Flowchart()
{
    static CKavoDoc* doc = [] {
        auto* d = new CKavoDoc;
        d->OnNewDocument();
        GenerateDiagram(*d, 20000);
        return d;
    }();
    return *doc;
}

CKavoDoc& Empty()
{
    static CKavoDoc& doc = MakeDoc(false);
    return doc;
}

// The page the view scrolls over: the area the objects cover.
CRect PageOf(const CKavoDoc& doc)
{
    if (doc.m_pObjList->IsEmpty())
        return CRect(0, 0, kCols * kStepX, kRows * kStepY);
    return doc.GetObjSetRect(0, 0, 0, nullptr, false);
}

// Arg 0: 100 %; 1: the zoom that shows the whole diagram; 2: a 100 x 100
// pixel area at 100 %.
void Repaint(benchmark::State& state, CKavoDoc& doc)
{
    SetFigTextRenderer(RenderFigTextPiece);
    CZoomMapping m;
    const CRect page = PageOf(doc);
    m.SetZoomScrollSizes(PageSizeForScrolling(CSize(page.Width(), page.Height())), page, 25, 5);
    m.m_rectWorkLog = doc.m_rcWorkSpace;
    m.m_client = CSize(kClientW, kClientH);
    const float fit = std::min(PercentForFit(kClientW, m.m_rectWorkLog.Width()),
                               PercentForFit(kClientH, m.m_rectWorkLog.Height()));
    m.SetZoomValue(state.range(0) == 1 ? fit : 100.0f);
    m.m_scroll = state.range(0) == 1 ? CPoint(0, 0) : m.LogicalToDevice(CPoint(page.left + 4000, page.top + 4000));
    const CSize area = state.range(0) == 2 ? CSize(100, 100) : CSize(kClientW, kClientH);
    QImage surface(kClientW, kClientH, QImage::Format_RGB32);
    const CPoint pos = m.GetDeviceScrollPosition();
    const CRect clip(m.DeviceToLogical(pos), m.DeviceToLogical(CPoint(pos.x + area.cx, pos.y + area.cy)));
    for (auto _ : state)
        PaintViewArea(doc, m, surface, clip);
    static const char* const kLabels[] = {"100%", "whole diagram", "100x100 px at 100%"};
    state.SetLabel(kLabels[state.range(0)]);
    state.counters["objects"] = double(doc.GetObjCount());
}

void BM_RepaintEmptyDiagram(benchmark::State& state)
{
    Repaint(state, Empty());
}

void BM_Repaint20000Boxes(benchmark::State& state)
{
    Repaint(state, Diagram());
}

void BM_RepaintFlowchart20000(benchmark::State& state)
{
    Repaint(state, Flowchart());
}

// Baseline: the same repaints with the spatial index off, so every object
// of the list is looked at (the picture is the same).
void BM_RepaintFlowchart20000WholeList(benchmark::State& state)
{
    CObjIndex::SetEnabled(false);
    Repaint(state, Flowchart());
    CObjIndex::SetEnabled(true);
}

// A hit test between the boxes near the middle of the flowchart, which
// hits nothing: arg 0 through the index, 1 over the whole list.
void BM_HitTestFlowchart20000(benchmark::State& state)
{
    CKavoDoc& doc = Flowchart();
    CObjIndex::SetEnabled(state.range(0) == 0);
    const CRect page = PageOf(doc);
    const CPoint p = page.CenterPoint();
    CDiagObj* hit = nullptr;
    for (auto _ : state) {
        hit = doc.ObjFromPoint(p.x, p.y, 4, false, -1, 0, 0);
        benchmark::DoNotOptimize(hit);
    }
    CObjIndex::SetEnabled(true);
    state.SetLabel(state.range(0) == 0 ? "index" : "whole list");
    state.counters["hit"] = hit ? 1 : 0;
}
} // namespace

BENCHMARK(BM_RepaintEmptyDiagram)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Repaint20000Boxes)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintFlowchart20000)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintFlowchart20000WholeList)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HitTestFlowchart20000)->DenseRange(0, 1)->Unit(benchmark::kMicrosecond);
