// The move drag on the 20,000-box diagram of `kvdtool gen 20000`: one mouse
// move step (the inverted outlines erased at the old offset and drawn at the
// new one, connectors on the moved figures following) and the release that
// commits the move in one undo step, for 1, 100 and 1,000 selected figures;
// the baseline is the plain repaint of the same area at 100 % in the same
// run.
#include "kvdtool/KvdTool.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "editing/MoveContext.h"
#include "platform/CGraphics.h"
#include "platform/CPainterDC.h"
#include "render/CDiagObjDrawCtx.h"
#include "render/CZoomMapping.h"
#include "render/DocDrawObjects.h"
#include "render/FigTextRender.h"
#include "render/ViewPaint.h"

#include <QImage>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>

namespace {
constexpr int kClientW = 1920, kClientH = 1080;

CKavoDoc& Diagram()
{
    static CKavoDoc* doc = [] {
        InstallMoveContext();
        auto* d = new CKavoDoc;
        d->OnNewDocument();
        GenerateDiagram(*d, 20000);
        d->m_bAlignToGrid = 0;
        d->ResetUndoLog();
        return d;
    }();
    return *doc;
}

// The first `count` figures selected; their bounds.
CRect SelectFigures(CKavoDoc& doc, int count)
{
    doc.ClearSel(false);
    int n = 0;
    for (CDiagObj* o : *doc.m_pObjList)
        if (o->GetType() == kObjFigure && n < count) {
            doc.AddObjToSel(o, 2, false);
            ++n;
        }
    doc.RefreshSelection(0);
    return doc.GetObjSetRect(1, 0, 0, nullptr, false);
}

// The view's mapping at 100 %, scrolled to the selection.
CZoomMapping MappingFor(const CKavoDoc& doc, const CRect& sel)
{
    CZoomMapping m;
    const CRect ws = doc.m_rcWorkSpace;
    m.SetZoomScrollSizes(PageSizeForScrolling(CSize(ws.Width(), ws.Height())), ws, 25, 5);
    m.m_rectWorkLog = ws;
    m.m_client = CSize(kClientW, kClientH);
    m.SetZoomValue(100.0f);
    m.m_scroll = m.LogicalToDevice(CPoint(sel.left - 100, sel.top - 100));
    return m;
}

void BM_MoveDragStep(benchmark::State& state)
{
    CKavoDoc& doc = Diagram();
    const CRect sel = SelectFigures(doc, int(state.range(0)));
    const CZoomMapping m = MappingFor(doc, sel);
    QImage surface(kClientW, kClientH, QImage::Format_RGB32);
    surface.fill(Qt::white);
    int offset = 0;
    for (auto _ : state) {
        CPainterDC dc(&surface);
        m.PrepareDC(dc);
        dc.SetROP2(R2_NOTXORPEN);
        doc.TrackDragObjs(&dc, offset, offset);   // erase
        offset = offset == 30 ? 0 : offset + 3;
        doc.TrackDragObjs(&dc, offset, offset);   // draw
        dc.Flush();
        benchmark::DoNotOptimize(surface.constBits());
    }
    state.counters["moving"] = double(doc.m_moveSet.GetList()->GetCount());
}

void BM_MoveDragCommit(benchmark::State& state)
{
    CKavoDoc& doc = Diagram();
    SelectFigures(doc, int(state.range(0)));
    int sign = 1, moved = 0;
    for (auto _ : state) {
        moved = doc.MoveSelection(48 * sign, 32 * sign, 0, true);
        benchmark::DoNotOptimize(moved);
        sign = -sign;
    }
    state.counters["moving"] = double(doc.m_moveSet.GetList()->GetCount());
    state.counters["moved"] = double(moved);
}

// Baseline: the repaint of the selection's area (at most the whole client).
void BM_RepaintSameArea(benchmark::State& state)
{
    SetFigTextRenderer(RenderFigTextPiece);
    CKavoDoc& doc = Diagram();
    const CRect sel = SelectFigures(doc, int(state.range(0)));
    const CZoomMapping m = MappingFor(doc, sel);
    QImage surface(kClientW, kClientH, QImage::Format_RGB32);
    CDiagObjDrawCtx ctx;
    const CPoint pos = m.GetDeviceScrollPosition();
    const CPoint tl = m.LogicalToDevice(sel.TopLeft()), br = m.LogicalToDevice(sel.BottomRight());
    const CRect dev(std::max(0, tl.x - pos.x), std::max(0, tl.y - pos.y), std::min(kClientW, br.x - pos.x + 1),
                    std::min(kClientH, br.y - pos.y + 1));
    for (auto _ : state) {
        CPainterDC dc(&surface);
        m.PrepareDC(dc);
        CRect clip(m.DeviceToLogical(CPoint(pos.x + dev.left, pos.y + dev.top)),
                   m.DeviceToLogical(CPoint(pos.x + dev.right, pos.y + dev.bottom)));
        FillScreenDrawCtx(ctx, m, clip);
        DrawPageBackground(dc, doc, clip, ctx.handleSize, UnitsPerPixel(m));
        CGraphics graphics(&dc);
        DrawDocObjects(doc, &graphics, &dc, ctx);
        dc.Flush();
        benchmark::DoNotOptimize(surface.constBits());
    }
    state.counters["area_px"] = double(dev.Width()) * dev.Height();
}
} // namespace

BENCHMARK(BM_MoveDragStep)->Arg(1)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MoveDragCommit)->Arg(1)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintSameArea)->Arg(1)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
