// Copy and paste of 5,000 objects of the 20,000-box diagram made by
// kvdtool's generator, against a load of the same objects from their text in
// the same run. Each paste is taken back by its undo outside the timing.
// Run: build/bench/bench/ClipboardBench
#include "kvdtool/KvdTool.h"

#include "app/ProgramState.h"
#include "document/CKavoDoc.h"
#include "fileformat/DiagramClipboard.h"
#include "keyword/KeywordStreams.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

namespace {
constexpr int kBoxes = 20000;

// The generated diagram with its first `count` objects selected.
std::unique_ptr<CKavoDoc> Diagram(int count)
{
    ResetProgramState();
    auto doc = std::make_unique<CKavoDoc>();
    doc->OnNewDocument();
    GenerateDiagram(*doc, kBoxes);
    for (int i = 0; i < count && i < doc->m_pObjList->GetCount(); ++i)
        doc->Select(doc->m_pObjList->GetAt(i));
    doc->ResetUndoLog();
    return doc;
}

void BM_CopyObjects(benchmark::State& state)
{
    std::unique_ptr<CKavoDoc> doc = Diagram(int(state.range(0)));
    size_t bytes = 0;
    for (auto _ : state) {
        const std::string text = CopyDiagramObjects(*doc);
        if (text.empty())
            state.SkipWithError("copy failed");
        bytes = text.size();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(bytes));
}

void BM_PasteObjects(benchmark::State& state)
{
    std::unique_ptr<CKavoDoc> doc = Diagram(int(state.range(0)));
    const std::string text = CopyDiagramObjects(*doc);
    for (auto _ : state) {
        if (!PasteDiagramObjects(*doc, text))
            state.SkipWithError("paste failed");
        state.PauseTiming();
        doc->UndoLastStep();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}

// The baseline: the same objects read from their text into a new diagram.
void BM_LoadSameObjects(benchmark::State& state)
{
    std::unique_ptr<CKavoDoc> source = Diagram(int(state.range(0)));
    const std::string text = CopyDiagramObjects(*source);
    for (auto _ : state) {
        CKavoDoc doc;
        doc.OnNewDocument();
        doc.DeleteContents();
        CMemoryKeywordSource in(text);
        if (!doc.Serialize(nullptr, &in))
            state.SkipWithError("load failed");
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
} // namespace

BENCHMARK(BM_CopyObjects)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PasteObjects)->Arg(5000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadSameObjects)->Arg(5000)->Unit(benchmark::kMillisecond);
