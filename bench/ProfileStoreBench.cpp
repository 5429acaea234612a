// Loading a large settings file: one section of N keys (the registry
// stand-in files grow that way). The baseline reads the same file and splits
// it into trimmed lines, the least any loader does; the store's load should
// stay a small constant factor above it at every N.
// Run: build/bench/bench/ProfileStoreBench
#include "platform/CProfileStore.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <string>

namespace {
QString SettingsFile(QTemporaryDir& dir, int keys)
{
    const QString path = dir.filePath(QString("s%1.ini").arg(keys));
    std::string text = "[Options]\n";
    for (int i = 0; i < keys; ++i)
        text += "Key" + std::to_string(i) + "=Value number " + std::to_string(i) + "\n";
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(text.data(), qint64(text.size()));
    return path;
}

void BM_ReadLinesBaseline(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = SettingsFile(dir, int(state.range(0)));
    for (auto _ : state) {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        const QByteArray all = f.readAll();
        size_t lines = 0;
        for (qsizetype pos = 0; pos < all.size();) {
            qsizetype eol = all.indexOf('\n', pos);
            if (eol < 0)
                eol = all.size();
            lines += !all.mid(pos, eol - pos).trimmed().isEmpty();
            pos = eol + 1;
        }
        benchmark::DoNotOptimize(lines);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_LoadSettings(benchmark::State& state)
{
    QTemporaryDir dir;
    const QString path = SettingsFile(dir, int(state.range(0)));
    for (auto _ : state) {
        CProfileStore store(path);
        store.Load();
        benchmark::DoNotOptimize(store.GetValue("options", "KEY1"));
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
} // namespace

BENCHMARK(BM_ReadLinesBaseline)->Arg(1000)->Arg(10000)->Arg(87000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadSettings)->Arg(1000)->Arg(10000)->Arg(87000)->Unit(benchmark::kMillisecond);
