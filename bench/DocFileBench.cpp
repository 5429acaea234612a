// Load and save speed of whole diagrams made by kvdtool's generator (1,000
// and 20,000 boxes with their connectors), against a baseline in the same
// run: one pass over the same text that only counts its lines. The counter
// "peak_MiB" is the process's peak resident memory after the run.
// Run: build/bench/bench/DocFileBench
#include "kvdtool/KvdTool.h"

#include "app/ProgramState.h"
#include "document/CKavoDoc.h"
#include "keyword/KeywordStreams.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <sys/resource.h>

namespace {
std::string DiagramText(int boxes)
{
    ResetProgramState();
    CKavoDoc doc;
    doc.OnNewDocument();
    GenerateDiagram(doc, boxes);
    CStringKeywordSink sink;
    doc.Serialize(&sink, nullptr);
    return sink.text;
}

double PeakMiB()
{
    rusage r {};
    getrusage(RUSAGE_SELF, &r);
    return double(r.ru_maxrss) / 1024.0;
}

void BM_LineCountBaseline(benchmark::State& state)
{
    const std::string text = DiagramText(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(std::count(text.begin(), text.end(), '\n'));
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}

void BM_LoadDiagram(benchmark::State& state)
{
    const std::string text = DiagramText(int(state.range(0)));
    for (auto _ : state) {
        CKavoDoc doc;
        doc.OnNewDocument();
        doc.DeleteContents();
        CMemoryKeywordSource source(text);
        if (!doc.Serialize(nullptr, &source))
            state.SkipWithError("load failed");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
    state.counters["peak_MiB"] = PeakMiB();
}

void BM_SaveDiagram(benchmark::State& state)
{
    ResetProgramState();
    CKavoDoc doc;
    doc.OnNewDocument();
    GenerateDiagram(doc, int(state.range(0)));
    size_t bytes = 0;
    for (auto _ : state) {
        CStringKeywordSink sink;
        if (!doc.Serialize(&sink, nullptr))
            state.SkipWithError("save failed");
        bytes = sink.text.size();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
    state.counters["peak_MiB"] = PeakMiB();
}
} // namespace

BENCHMARK(BM_LineCountBaseline)->Arg(1000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadDiagram)->Arg(1000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveDiagram)->Arg(1000)->Arg(20000)->Unit(benchmark::kMillisecond);
