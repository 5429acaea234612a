// Opening the figure symbol gallery over every symbol library of the
// program's symbols folder, and visiting each category with its grid drawn,
// against loading the same libraries in the same run. The folder holds ten
// generated libraries of 40 symbols each (the program ships none of its
// own). The gallery is a widget: this program has its own main with a
// widget application object.
#include "app/ProgramState.h"
#include "core/ProgramFolders.h"
#include "dialogs/symbols/SymbolGalleryDlg.h"
#include "dialogs/symbols/SymbolGalleryGrids.h"
#include "keyword/CKeywordWriter.h"
#include "keyword/KeywordStreams.h"
#include "shapes/SymbolFiles.h"
#include "shapes/SymbolRecordWriter.h"
#include "../tests/shapes/SymbolTestSupport.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <benchmark/benchmark.h>

#include <clocale>
#include <cmath>
#include <memory>
#include <string>

namespace {
constexpr int kLibraries = 10;
constexpr int kSymbolsPerLibrary = 40;

// A star-like polygon with a text box, different for each symbol.
CFigSymbol MakeSymbol(int lib, int n)
{
    SymbolBuilder b;
    const int points = 5 + (n % 12);
    std::vector<CFltPoint> pts;
    for (int i = 0; i <= points * 2; ++i) {
        const double a = i * M_PI / points;
        const double r = i % 2 ? 400 + 40 * (lib % 5) : 1000;
        pts.push_back({float(1024 + r * std::cos(a)), float(1024 + r * std::sin(a))});
    }
    b.Fill([&](COutlineWriter& w) { w.Points(kOpPolygon, pts.data(), int(pts.size())); });
    b.Outline([&](COutlineWriter& w) { w.Points(kOpPolygon, pts.data(), int(pts.size())); });
    b.TextBoxes({CFltRect(600, 600, 1448, 1448)});
    b.sym.SetName("shape " + std::to_string(lib) + "-" + std::to_string(n));
    return b.sym;
}

struct Folder {
    QTemporaryDir dir;
    Folder()
    {
        QDir(dir.path()).mkpath("Symbols");
        for (int lib = 0; lib < kLibraries; ++lib) {
            CStringKeywordSink sink;
            CKeywordWriter w(sink);
            w.WriteHeader();
            for (int n = 0; n < kSymbolsPerLibrary; ++n)
                WriteFigureSymbolRecord(w, MakeSymbol(lib, n));
            QFile f(dir.path() + QString("/Symbols/Library %1.kvf").arg(lib));
            f.open(QIODevice::WriteOnly);
            f.write(sink.text.data(), qint64(sink.text.size()));
        }
        SetProgramFolderForTest(dir.path());
    }
    ~Folder() { SetProgramFolderForTest(QString()); }
};

Folder& TheFolder()
{
    static Folder folder;
    return folder;
}

void BM_LoadLibraries(benchmark::State& state)
{
    TheFolder();
    for (auto _ : state) {
        SymbolFileList files(false);
        files.Scan(true, kFigureSymbolFileExt);
        int symbols = 0;
        for (int i = 0; i < files.GetCount(); ++i) {
            files.GetAt(i)->Load(true, kFigureSymbolFileExt);
            symbols += files.GetAt(i)->GetCount();
        }
        benchmark::DoNotOptimize(symbols);
        state.counters["symbols"] = symbols;
    }
}

void BM_OpenGalleryOverAllLibraries(benchmark::State& state)
{
    TheFolder();
    for (auto _ : state) {
        ResetSymbolGalleries();
        QTimer::singleShot(0, [] {
            auto* dlg = qobject_cast<CSymbolGalleryDlg*>(QApplication::activeModalWidget());
            if (!dlg)
                return;
            auto* list = dlg->findChild<QListWidget*>();
            for (int row = 0; list && row < list->count(); ++row) {
                list->setCurrentRow(row);
                benchmark::DoNotOptimize(dlg->Grid()->viewport()->grab());
            }
            dlg->reject();
        });
        CFigSymbol chosen;
        RunFigureSymbolGallery(nullptr, std::string(), chosen);
    }
}
} // namespace

BENCHMARK(BM_LoadLibraries)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenGalleryOverAllLibraries)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    ResetProgramState();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
