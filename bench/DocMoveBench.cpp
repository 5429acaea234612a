// The commit of a move of a large selection (records, redraw areas, the
// staple pass) and a hit test, in a diagram of 20,000 objects (10,000
// figures in a grid, 10,000 connectors between neighbours), each against a
// plain loop over the same objects as its baseline.
#include "document/CKavoDoc.h"
#include "editing/MoveContext.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {
constexpr int kSide = 100;          // 100 x 100 figures
constexpr int kPitch = 300;         // logical units between figure origins
constexpr int kOrigin = -15000;

// The diagram, with the left half (5,000 figures and the 5,000 connectors
// that start there) selected.
struct Diagram {
    std::unique_ptr<CKavoDoc> doc;
    std::vector<CDiagObj*> selected;
};

Diagram& GetDiagram()
{
    static Diagram d = [] {
        InstallMoveContext();
        Diagram r;
        r.doc = std::make_unique<CKavoDoc>();
        CKavoDoc& doc = *r.doc;
        doc.OnNewDocument();
        doc.m_bAlignToGrid = 0;
        std::vector<CFigure*> figs;
        CFigProps props;
        for (int row = 0; row < kSide; ++row)
            for (int col = 0; col < kSide; ++col) {
                auto* f = new CFigure(kOrigin + col * kPitch, kOrigin + row * kPitch, 100, 200, props, -1, 0, "F",
                                      "", CFigure::CreateArgs(), &doc);
                doc.AddFigWithId(f);
                figs.push_back(f);
            }
        // Each figure to its right neighbour (the last column to the one
        // below): 10,000 connectors.
        for (int i = 0; i < kSide * kSide; ++i) {
            CFigure* a = figs[size_t(i)];
            CFigure* b = figs[size_t((i % kSide == kSide - 1) ? (i + kSide) % (kSide * kSide) : i + 1)];
            CConnector* c = doc.CreateCon(a, b, -1, -1, a->GetCenter(), b->GetCenter(), -1, CConProps());
            if (i % kSide < kSide / 2) {
                r.selected.push_back(a);
                r.selected.push_back(c);
            }
        }
        for (CDiagObj* o : r.selected)
            doc.AddObjToSel(o, 2, false);
        doc.RefreshSelection(0);
        doc.ResetUndoLog();
        return r;
    }();
    return d;
}

void BM_MoveCommit10000Objects(benchmark::State& state)
{
    CKavoDoc& doc = *GetDiagram().doc;
    int sign = 1;
    for (auto _ : state) {
        benchmark::DoNotOptimize(doc.MoveSelection(16 * sign, 8 * sign, 0, false));
        sign = -sign;
    }
    state.counters["objects"] = double(doc.GetObjCount());
    state.counters["moving"] = double(doc.m_moveSet.GetList()->GetCount());
}

// Baseline: the same objects offset directly, without records, redraws or
// the staple pass.
void BM_MoveSelectionBaseline(benchmark::State& state)
{
    Diagram& d = GetDiagram();
    int sign = 1;
    for (auto _ : state) {
        for (CDiagObj* o : *d.doc->m_moveSet.GetList()) {
            if (o->GetType() == kObjFigure)
                static_cast<CFigure*>(o)->m_rect.OffsetRect(16 * sign, 8 * sign);
            else
                static_cast<CConnector*>(o)->Offset(16 * sign, 8 * sign);
        }
        benchmark::ClobberMemory();
        sign = -sign;
    }
}

void BM_BuildMoveContext(benchmark::State& state)
{
    CKavoDoc& doc = *GetDiagram().doc;
    for (auto _ : state)
        doc.RefreshSelection(0);
}

// A point between figures: every object is tried.
void BM_HitTestMiss(benchmark::State& state)
{
    CKavoDoc& doc = *GetDiagram().doc;
    for (auto _ : state)
        benchmark::DoNotOptimize(doc.ObjFromPoint(kOrigin + 250, kOrigin + 200, 4, false, -1, 0, 0));
}

// Baseline: a bounding-rectangle test over the same list.
void BM_HitTestBaseline(benchmark::State& state)
{
    CKavoDoc& doc = *GetDiagram().doc;
    const CPoint p(kOrigin + 250, kOrigin + 200);
    for (auto _ : state) {
        CDiagObj* hit = nullptr;
        for (auto it = doc.m_pObjList->end(); it != doc.m_pObjList->begin() && !hit;) {
            CDiagObj* o = *--it;
            CRect rc;
            o->GetBoundRect(rc, 0, 0);
            if (rc.PtInRect(p))
                hit = o;
        }
        benchmark::DoNotOptimize(hit);
    }
}
} // namespace

BENCHMARK(BM_MoveCommit10000Objects)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MoveSelectionBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BuildMoveContext)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HitTestMiss)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HitTestBaseline)->Unit(benchmark::kMicrosecond);
