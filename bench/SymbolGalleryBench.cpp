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
#include <memory>
#include <string>

namespace {
constexpr int kLibraries = 10;
constexpr int kSymbolsPerLibrary = 40;

// An outline of its own for each symbol: a circle, an ellipse, a rounded or
// a plain rectangle, crossed by lines, with a text box.
CFigSymbol MakeSymbol(int lib, int n)
{
    SymbolBuilder b;
    const float inset = float(40 * (lib % 5) + 10 * (n % 7));
    const CFltRect box(inset, inset, 2048 - inset, 2048 - inset);
    auto shape = [&](COutlineWriter& w) {
        switch (n % 4) {
        case 0: w.Circle({1024, 1024}, 1024 - inset); break;
        case 1: w.Rect(kOpEllipse, CFltRect(inset, 400, 2048 - inset, 1648)); break;
        case 2: w.RoundRect(box, {300, 300}); break;
        default: w.Rect(kOpRect, box); break;
        }
    };
    b.Fill(shape);
    b.Outline([&](COutlineWriter& w) {
        shape(w);
        for (int i = 1; i <= 1 + n % 5; ++i)
            w.Line({inset, float(i * 300)}, {2048 - inset, float(2048 - i * 300)});
    });
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

// Opens the gallery afresh (nothing loaded), lets `show` work on it and
// closes it.
void RunGalleryOnce(void (*show)(CSymbolGalleryDlg&))
{
    ResetSymbolGalleries();
    QTimer::singleShot(0, [show] {
        if (auto* dlg = qobject_cast<CSymbolGalleryDlg*>(QApplication::activeModalWidget())) {
            show(*dlg);
            dlg->reject();
        }
    });
    CFigSymbol chosen;
    RunFigureSymbolGallery(nullptr, std::string(), chosen);
}

void BM_OpenGalleryOverAllLibraries(benchmark::State& state)
{
    TheFolder();
    for (auto _ : state)
        RunGalleryOnce([](CSymbolGalleryDlg& dlg) {
            auto* list = dlg.findChild<QListWidget*>();
            for (int row = 0; list && row < list->count(); ++row) {
                list->setCurrentRow(row);
                benchmark::DoNotOptimize(dlg.Grid()->viewport()->grab());
            }
        });
}

// The gallery as it opens: the folder scanned, the first library read and
// its grid drawn.
void BM_OpenGallery(benchmark::State& state)
{
    TheFolder();
    for (auto _ : state)
        RunGalleryOnce([](CSymbolGalleryDlg& dlg) { benchmark::DoNotOptimize(dlg.Grid()->viewport()->grab()); });
}
} // namespace

BENCHMARK(BM_LoadLibraries)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenGalleryOverAllLibraries)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenGallery)->Unit(benchmark::kMillisecond);
