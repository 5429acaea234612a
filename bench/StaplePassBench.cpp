// The staple pass after a move of every figure of a diagram whose figures
// each carry a label and are chained by connectors: the labels follow, and
// the connectors are re-laid round the moved labels. The baseline is the
// least any pass must do: one look at every staple and one end-point
// computation per connector, which grows linearly with the diagram. Run the
// two interleaved and read the pass as a multiple of the baseline:
//   StaplePassBench --benchmark_repetitions=5
//     --benchmark_enable_random_interleaving=true
//     --benchmark_report_aggregates_only=true
#include "document/CKavoDoc.h"
#include "document/CStaple.h"

#include <benchmark/benchmark.h>
#include <clocale>

namespace {
struct Scene {
    CKavoDoc doc;
    std::vector<CFigure*> figs;
    std::vector<CConnector*> cons;

    explicit Scene(int count)
    {
        setlocale(LC_NUMERIC, "C");
        doc.OnNewDocument();
        doc.m_nFigLblPrimarySector = 8;
        for (int i = 0; i < count; ++i) {
            CFigProps props;
            auto* f = new CFigure((i % 100) * 400, (i / 100) * 400, 100, 200, props, -1, 0, "f", "",
                                  CFigure::CreateArgs(), &doc);
            doc.AddFigWithId(f);
            doc.AddAutoFigLabel(f, "label");
            figs.push_back(f);
        }
        CConProps props;
        for (int i = 1; i < count; ++i) {
            CConnector* c = doc.CreateCon(figs[i - 1], figs[i], -1, -1, figs[i - 1]->GetCenter(),
                                          figs[i]->GetCenter(), -1, props);
            c->RecalcRoute();
            cons.push_back(c);
        }
        doc.UpdateAllStaples(0);
    }
    void MoveAll(int d)
    {
        for (CFigure* f : figs) {
            CRect rc = f->m_rect;
            rc.OffsetRect(d, d);
            f->SetRectNoUndo(rc);
        }
    }
};

// From a thousand labelled figures to twenty thousand.
void Sizes(benchmark::internal::Benchmark* b)
{
    for (int n : {1000, 2000, 5000, 10000, 20000})
        b->Arg(n);
    b->Unit(benchmark::kMillisecond);
}

void BM_StaplePassAfterMovingEverything(benchmark::State& state)
{
    Scene scene(int(state.range(0)));
    int d = 8;
    for (auto _ : state) {
        scene.MoveAll(d);
        d = -d;
        benchmark::DoNotOptimize(scene.doc.UpdateAllStaples(0));
    }
}
BENCHMARK(BM_StaplePassAfterMovingEverything)->Apply(Sizes);

void BM_BaselineLookAtEveryStapleAndConnector(benchmark::State& state)
{
    Scene scene(int(state.range(0)));
    for (auto _ : state) {
        for (CDiagObj* o : *scene.doc.m_pStapleList) {
            auto* s = static_cast<CStaple*>(o);
            benchmark::DoNotOptimize(s->FigsChanged());
            s->TakeSnapshots();
        }
        for (CConnector* c : scene.cons) {
            CPoint p1, p2;
            c->ComputeEndPoints(nullptr, p1, p2);
            benchmark::DoNotOptimize(p1);
        }
    }
}
BENCHMARK(BM_BaselineLookAtEveryStapleAndConnector)->Apply(Sizes);
} // namespace
