// The move drag on the 20,000-box diagram of `kvdtool gen 20000`: one mouse
// move step (the inverted outlines erased at the old offset and drawn at the
// new one, connectors on the moved figures following) and the release that
// commits the move in one undo step, alone and with the repaint of the areas
// the selection left and reached, for 1, 100 and 1,000 selected figures; the
// baseline is the plain repaint of the same area at 100 % in the same run.
#include "kvdtool/KvdTool.h"
#include "document/CFigure.h"
#include "document/CKavoDoc.h"
#include "editing/MoveContext.h"
#include "support/PaintViewArea.h"
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

// Repaints the logical area `area` of the view as the view does: the page
// background, then the objects in it. Returns the pixels painted.
double RepaintArea(CKavoDoc& doc, const CZoomMapping& m, QImage& surface, const CRect& area)
{
    const CPoint pos = m.GetDeviceScrollPosition();
    const CPoint tl = m.LogicalToDevice(area.TopLeft()), br = m.LogicalToDevice(area.BottomRight());
    const CRect dev(std::max(0, tl.x - pos.x), std::max(0, tl.y - pos.y), std::min(kClientW, br.x - pos.x + 1),
                    std::min(kClientH, br.y - pos.y + 1));
    if (dev.Width() <= 0 || dev.Height() <= 0)
        return 0;
    PaintViewArea(doc, m, surface,
                  CRect(m.DeviceToLogical(CPoint(pos.x + dev.left, pos.y + dev.top)),
                        m.DeviceToLogical(CPoint(pos.x + dev.right, pos.y + dev.bottom))));
    return double(dev.Width()) * dev.Height();
}

// The release as the user waits for it: the move committed, then the view's
// repaint of the area the selection left and the area it landed on.
void BM_MoveDragRelease(benchmark::State& state)
{
    SetFigTextRenderer(RenderFigTextPiece);
    CKavoDoc& doc = Diagram();
    const CRect start = SelectFigures(doc, int(state.range(0)));
    const CZoomMapping m = MappingFor(doc, start);
    QImage surface(kClientW, kClientH, QImage::Format_RGB32);
    int sign = 1;
    double pixels = 0;
    for (auto _ : state) {
        const CRect before = doc.GetObjSetRect(1, 0, 0, nullptr, false);
        benchmark::DoNotOptimize(doc.MoveSelection(48 * sign, 32 * sign, 0, true));
        const CRect after = doc.GetObjSetRect(1, 0, 0, nullptr, false);
        pixels = RepaintArea(doc, m, surface, before) + RepaintArea(doc, m, surface, after);
        sign = -sign;
    }
    state.counters["moving"] = double(doc.m_moveSet.GetList()->GetCount());
    state.counters["area_px"] = pixels;
}

// Baseline: the repaint of the selection's area (at most the whole client).
void BM_RepaintSameArea(benchmark::State& state)
{
    SetFigTextRenderer(RenderFigTextPiece);
    CKavoDoc& doc = Diagram();
    const CRect sel = SelectFigures(doc, int(state.range(0)));
    const CZoomMapping m = MappingFor(doc, sel);
    QImage surface(kClientW, kClientH, QImage::Format_RGB32);
    double pixels = 0;
    for (auto _ : state)
        pixels = RepaintArea(doc, m, surface, sel);
    state.counters["area_px"] = pixels;
}
} // namespace

BENCHMARK(BM_MoveDragStep)->Arg(1)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MoveDragCommit)->Arg(1)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MoveDragRelease)->Arg(1)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintSameArea)->Arg(1)->Arg(100)->Arg(1000)->Unit(benchmark::kMillisecond);
