// `kvdtool export` of generated diagrams of 1,000, 5,000 and 20,000 boxes
// (square grids) to PNG at a quarter scale, timed as whole processes with
// their peak memory, against `kvdtool check` (load only) of the same file in
// the same run. The tool is looked for
// beside this program (KVDTOOL overrides).
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

void Measure(benchmark::State& state, bool exportPng)
{
    const std::string& in = Diagram(int(state.range(0)));
    const std::string out = in + ".png";
    double peak = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        // A quarter scale keeps the 20,000-box picture at about 4,700 pixels a side.
        peak = exportPng ? Run({"export", in, out, "--scale", "25", "--antialias", "0"}) : Run({"check", in});
        state.SetIterationTime(std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
        if (peak < 0)
            state.SkipWithError("kvdtool failed");
    }
    state.counters["peak_MiB"] = peak;
}

void BM_KvdtoolExportPng(benchmark::State& state) { Measure(state, true); }
void BM_KvdtoolLoadOnly(benchmark::State& state) { Measure(state, false); }

BENCHMARK(BM_KvdtoolExportPng)->Arg(1000)->Arg(5000)->Arg(20000)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KvdtoolLoadOnly)->Arg(1000)->Arg(5000)->Arg(20000)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
