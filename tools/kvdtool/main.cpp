// kvdtool: a developer's program to check, re-save and generate diagrams
// without the editor's windows.
//   kvdtool check FILE      load as the editor would; print each error and
//                           the validation result; exit 0 when it loads
//   kvdtool resave IN OUT   load and save
//   kvdtool gen N OUT       write a benchmark diagram of N boxes
#include "KvdTool.h"

#include "app/ProgramState.h"
#include "document/CKavoDoc.h"
#include "fileformat/DocFileHooks.h"
#include "platform/Prompt.h"

#include <QGuiApplication>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <string>

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
    std::fprintf(stderr, "usage: kvdtool check FILE | resave IN OUT | gen N OUT\n");
    return 2;
}

int Check(const std::string& path)
{
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

int Save(CKavoDoc& doc, const std::string& out)
{
    doc.m_bLockFile = 0;
    if (!doc.OnSaveDocument(out)) {
        std::fprintf(stderr, "save failed: %s\n", LastSaveError().c_str());
        return 1;
    }
    return 0;
}
} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    std::setlocale(LC_NUMERIC, "C");
    ResetProgramState();
    CPrintingPrompt prompt;
    SetPromptService(&prompt);

    const std::string cmd = argc > 1 ? argv[1] : "";
    if (cmd == "check" && argc == 3)
        return Check(argv[2]);
    if (cmd == "resave" && argc == 4) {
        CKavoDoc doc;
        doc.m_bLockFile = 0;
        if (!doc.OnOpenDocument(argv[2]))
            return 1;
        return Save(doc, argv[3]);
    }
    if (cmd == "gen" && argc == 4) {
        const int n = std::atoi(argv[2]);
        if (n < 0)
            return Usage();
        CKavoDoc doc;
        if (!doc.OnNewDocument())
            return 1;
        GenerateDiagram(doc, n);
        return Save(doc, argv[3]);
    }
    return Usage();
}
