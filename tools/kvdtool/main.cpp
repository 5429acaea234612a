// kvdtool: diagrams without the editor, for tests and benchmarks.
//   kvdtool check IN                 load as the editor would (every warning
//                                    answered OK); print each error with its
//                                    line, code and text, then the validation
//                                    result; exit 0 when it loads. A symbol
//                                    library (kvf, kvn) loads as the galleries
//                                    load it and every symbol is tried as a
//                                    figure's; exit 0 when all work
//   kvdtool resave IN OUT            load and save
//   kvdtool gen N OUT                a benchmark diagram of N boxes
//   kvdtool content DIR              the program folders' diagrams under DIR
//   kvdtool export IN OUT [--scale PCT | --width PX] [--antialias 0|1] [--times]
//                                    export in the format of OUT's extension;
//                                    --times prints the load's and the
//                                    export's seconds
#include "KvdTool.h"

#include "app/ProgramState.h"
#include "core/Units.h"
#include "document/CKavoDoc.h"
#include "document/PageLayout.h"
#include "fileformat/DocFileHooks.h"
#include "platform/ProcessMemory.h"
#include "platform/Prompt.h"
#include "render/DiagramExport.h"
#include "render/ExportFormats.h"
#include "render/ModelStartup.h"

#include <QElapsedTimer>
#include <QFileInfo>
#include <QGuiApplication>

#include <algorithm>
#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include <sys/stat.h>

namespace {
// Every message is printed and answered with its default button.
class CPrintingPrompt : public IPromptService {
public:
    int ShowMessage(const std::string& text, UINT type) override
    {
        std::fprintf(stderr, "message: %s\n", text.c_str());
        return DefaultPromptAnswer(type);
    }
};

int Usage()
{
    std::fprintf(stderr,
                 "usage: kvdtool check IN | resave IN OUT | gen N OUT | content DIR | export IN OUT [--scale PCT "
                 "| --width PX] [--antialias 0|1] [--times]\n");
    return 2;
}

int CheckLibrary(const std::string& path)
{
    const SymbolLibraryReport r = CheckSymbolLibrary(path);
    for (const std::string& p : r.problems)
        std::printf("error: %s\n", p.c_str());
    if (!r.loaded) {
        std::printf("load failed\n");
        return 1;
    }
    std::printf("%zu symbols; validation: %s\n", r.symbols.size(), r.problems.empty() ? "passed" : "failed");
    return r.problems.empty() ? 0 : 1;
}

int Check(const std::string& path)
{
    const QString suffix = QFileInfo(QString::fromStdString(path)).suffix().toLower();
    if (suffix == "kvf" || suffix == "kvn")
        return CheckLibrary(path);
    CKavoDoc doc;
    const LoadReport r = CheckDiagram(doc, path);
    for (const auto& e : r.errors)
        std::printf("line %d: error %d: %s\n", e.line, e.code, e.text.c_str());
    if (!r.loaded) {
        std::printf("load failed\n");
        return 1;
    }
    std::printf("validation: %s\n", r.validated ? "passed" : "failed (repaired on load)");
    return 0;
}

bool Load(CKavoDoc& doc, const std::string& path)
{
    doc.m_bLockFile = 0;
    if (!doc.OnOpenDocument(path)) {
        std::fprintf(stderr, "kvdtool: %s does not load\n", path.c_str());
        return false;
    }
    return true;
}

bool Save(CKavoDoc& doc, const std::string& out)
{
    doc.m_bLockFile = 0;
    if (!doc.OnSaveDocument(out)) {
        std::fprintf(stderr, "kvdtool: save failed: %s\n", LastSaveError().c_str());
        return false;
    }
    return true;
}

CRect ObjectsRect(CKavoDoc& doc)
{
    CRect all;
    if (GetObjectsBoundRect(doc, all) && !all.IsRectEmpty())
        all.InflateRect(1, 1);
    return all;
}

int ExportTypeOfExtension(const QString& path)
{
    const QString ext = QFileInfo(path).suffix().toUpper();
    for (int filter = 1; filter <= 7; ++filter)
        if (ext == QString::fromStdString(ExportFilterToExt(filter)) || (ext == "JPEG" && filter == 4) ||
            (ext == "TIFF" && filter == 6))
            return ExportFilterToType(filter);
    return 0;
}

// At scale per cent of the screen's size, or `pixels` wide (its height in
// proportion) when pixels is positive.
int Export(CKavoDoc& doc, const QString& out, int scale, int pixels, bool antialias)
{
    const int type = ExportTypeOfExtension(out);
    if (type == 0) {
        std::fprintf(stderr, "kvdtool: unknown export type for %s\n", qPrintable(out));
        return 2;
    }
    const CRect objects = ObjectsRect(doc);
    const CRect rect = ExportRectFromObjSetRect(objects, nullptr, false);
    int width = LogicalToScreenPixels(rect.Width()) * scale / 100;
    int height = LogicalToScreenPixels(rect.Height()) * scale / 100;
    if (pixels > 0) {
        height = std::max(1, int(qint64(height) * pixels / std::max(width, 1)));
        width = pixels;
    }
    const ExportResult r = ExportGraphic(doc, kExportAll, objects, type, out, width, height, 90, 24, antialias,
                                         nullptr);
    if (!r.ok && !r.reported)
        std::fprintf(stderr, "kvdtool: export to %s failed\n", qPrintable(out));
    return r.ok ? 0 : 1;
}
// Huge pages pay on large diagrams only: the restart that asks for them
// costs a few hundredths of a second.
bool WorthHugePages(int argc, char* argv[])
{
    constexpr long long kLargeFile = 4 << 20;
    constexpr int kLargeCount = 2000;
    if (argc < 3)
        return false;
    if (!std::strcmp(argv[1], "gen"))
        return std::atoi(argv[2]) >= kLargeCount;
    struct stat st {};
    return ::stat(argv[2], &st) == 0 && static_cast<long long>(st.st_size) >= kLargeFile;
}
} // namespace

int main(int argc, char* argv[])
{
    if (WorthHugePages(argc, argv))
        UseHugePageHeap(argv);
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    ResetProgramState();
    // Loads, saves and exports as the editor does.
    StartDiagramModel();
    CPrintingPrompt prompt;
    SetPromptService(&prompt);
    if (argc < 3)
        return Usage();

    const std::string cmd = argv[1];
    if (cmd == "check" && argc == 3)
        return Check(argv[2]);
    CKavoDoc doc;
    if (cmd == "resave" && argc == 4)
        return Load(doc, argv[2]) && Save(doc, argv[3]) ? 0 : 1;
    if (cmd == "gen" && argc == 4) {
        const int n = std::atoi(argv[2]);
        if (n < 0 || !doc.OnNewDocument())
            return Usage();
        if (!GenerateDiagram(doc, n)) {
            std::fprintf(stderr, "kvdtool: %d boxes do not fit the work space\n", n);
            return 1;
        }
        // Its style menus and buttons, as a diagram loaded in the editor has.
        doc.InitStyleMenus();
        return Save(doc, argv[3]) ? 0 : 1;
    }
    if (cmd == "content" && argc == 3) {
        std::string error;
        if (MakeProgramContent(argv[2], error))
            return 0;
        std::fprintf(stderr, "kvdtool: cannot write %s\n", error.c_str());
        return 1;
    }
    if (cmd == "export" && argc >= 4) {
        int scale = 100, pixels = 0;
        bool antialias = true, times = false;
        for (int i = 4; i < argc; i += 2) {
            if (!std::strcmp(argv[i], "--times")) {
                times = true;
                --i;
                continue;
            }
            if (i + 1 >= argc)
                return Usage();
            if (!std::strcmp(argv[i], "--scale"))
                scale = std::max(1, std::atoi(argv[i + 1]));
            else if (!std::strcmp(argv[i], "--width"))
                pixels = std::max(1, std::atoi(argv[i + 1]));
            else if (!std::strcmp(argv[i], "--antialias"))
                antialias = std::atoi(argv[i + 1]) != 0;
            else
                return Usage();
        }
        QElapsedTimer clock;
        clock.start();
        if (!Load(doc, argv[2]))
            return 1;
        const qint64 loaded = clock.elapsed();
        const double residentAfterLoad = double(ProcessResidentBytes()) / (1 << 20);
        const int result = Export(doc, argv[3], scale, pixels, antialias);
        if (times)
            std::fprintf(stderr, "kvdtool: load %.3f s (%.0f MiB resident after), export %.3f s\n", loaded / 1000.0,
                         residentAfterLoad, (clock.elapsed() - loaded) / 1000.0);
#ifndef __SANITIZE_ADDRESS__
        // The file is complete: a large diagram's objects need not be freed
        // one by one (a noticeable part of the time) when the process ends.
        std::fflush(nullptr);
        std::_Exit(result);
#else
        return result;
#endif
    }
    return Usage();
}
