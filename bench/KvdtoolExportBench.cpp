// `kvdtool export` of generated diagrams of 1,000 to 40,000 boxes (square
// grids) to anti-aliased PNG at 100% and at a fixed 4,000 pixels wide, and
// of up to 200,000 boxes to EMF, timed as whole processes (wall clock) with
// their peak memory, against `kvdtool check` (load only) of the same file in
// the same run: the EMF export streams its records to the file, so its peak
// stays near the load's however large the metafile grows (peak_MiB, and
// file_MiB for the metafile written). The tool is looked for beside this
// program (KVDTOOL overrides).
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <chrono>
#include <map>
#include <string>
#include <vector>

extern char** environ;

namespace {

std::string Tool()
{
    if (const char* env = std::getenv("KVDTOOL"))
        return env;
    return QCoreApplication::applicationDirPath().toStdString() + "/../bin/kvdtool";
}

// Runs the tool; the peak resident size of the process in MiB, -1 on failure.
double Run(const std::vector<std::string>& args)
{
    std::vector<char*> argv;
    const std::string tool = Tool();
    argv.push_back(const_cast<char*>(tool.c_str()));
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawn(&pid, tool.c_str(), nullptr, nullptr, argv.data(), environ) != 0)
        return -1;
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return -1;
    return usage.ru_maxrss / 1024.0;
}

const std::string& Diagram(int boxes)
{
    static QTemporaryDir dir;
    static std::map<int, std::string> made;
    auto it = made.find(boxes);
    if (it == made.end()) {
        const std::string path = dir.filePath(QString("boxes%1.kvd").arg(boxes)).toStdString();
        Run({"gen", std::to_string(boxes), path});
        it = made.emplace(boxes, path).first;
    }
    return it->second;
}

enum class Job { LoadOnly, Export100, ExportFixedWidth, ExportEmf };

std::vector<std::string> Args(Job job, const std::string& in, const std::string& out)
{
    switch (job) {
    case Job::Export100: return {"export", in, out, "--scale", "100"};
    case Job::ExportFixedWidth: return {"export", in, out, "--width", "4000"};
    case Job::ExportEmf: return {"export", in, out};
    default: return {"check", in};
    }
}

void Measure(benchmark::State& state, Job job)
{
    const std::string& in = Diagram(int(state.range(0)));
    const std::string out = in + (job == Job::ExportEmf ? ".emf" : ".png");
    double peak = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        peak = Run(Args(job, in, out));
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        if (peak < 0)
            state.SkipWithError("kvdtool failed");
    }
    state.counters["peak_MiB"] = peak;
    if (job == Job::ExportEmf)
        state.counters["file_MiB"] = QFileInfo(QString::fromStdString(out)).size() / 1048576.0;
}

void BM_KvdtoolExportPng100(benchmark::State& state) { Measure(state, Job::Export100); }
void BM_KvdtoolExportPng4000px(benchmark::State& state) { Measure(state, Job::ExportFixedWidth); }
void BM_KvdtoolLoadOnly(benchmark::State& state) { Measure(state, Job::LoadOnly); }
void BM_KvdtoolExportEmf(benchmark::State& state) { Measure(state, Job::ExportEmf); }

void Sizes(benchmark::internal::Benchmark* b)
{
    b->Arg(1000)->Arg(5000)->Arg(20000)->Arg(40000)->UseManualTime()->Unit(benchmark::kMillisecond);
}

// The metafile's peak beside the load's at the sizes where a metafile held
// whole would dominate it.
void EmfSizes(benchmark::internal::Benchmark* b)
{
    b->Arg(20000)->Arg(200000)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_KvdtoolExportPng100)->Apply(Sizes);
BENCHMARK(BM_KvdtoolExportPng4000px)->Apply(Sizes);
BENCHMARK(BM_KvdtoolLoadOnly)->Apply(Sizes);
BENCHMARK(BM_KvdtoolExportEmf)->Apply(EmfSizes);
BENCHMARK(BM_KvdtoolLoadOnly)->Apply(EmfSizes)->Name("BM_KvdtoolLoadOnlyLarge");

} // namespace
