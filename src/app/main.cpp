#include "app/AppSeams.h"
#include "app/ui/CKavoApp.h"
#include "app/ui/CKavoDocList.h"
#include "app/ui/CKavoDocTemplate.h"
#include "dialogs/UpdateQueryDlg.h"
#include "fileformat/DocFileHooks.h"
#include "frame/ui/CMainFrame.h"
#include "platform/ProcessMemory.h"
#include "platform/Prompt.h"
#include "platform/ui/CQtPromptService.h"

#include <QApplication>

#include <clocale>

int main(int argc, char* argv[])
{
    UseHugePageHeap(argv);
    QApplication qtApp(argc, argv);
    // Qt has set the C library's locale from the environment; number text must
    // not follow it.
    std::setlocale(LC_NUMERIC, "C");

    CKavoApp app(qtApp.arguments());
    // The file commands' hooks (Save As prompt, autosave timer) first; the
    // diagram template then answers the document seams (documents, child
    // frames and views) and opens files through the documents' own open,
    // which holds the file.
    CKavoDocList::Instance().Install();
    SetDocumentLoader([](CKavoDoc& doc, const std::string& path) { return doc.OnOpenDocument(path); });
    // The main frame's timer 5 drives the autosave of every document.
    CMainFrame::SetAutoSaveHandler([](CKavoDoc& doc) { doc.AutoSave(); });
    // Diagrams dropped on the main window open as File Open opens them.
    CMainFrame::SetOpenFileHandler([](const std::string& path) {
        return AppSeams().openDocumentFile && AppSeams().openDocumentFile(path);
    });
    GetDocFileHooks().resetAutoSaveTimer = [] {
        if (CKavoApp* a = AfxGetKavoApp(); a && a->MainFrame())
            a->MainFrame()->ResetAutoSaveTimer();
    };
    CKavoDocTemplate docTemplate([&app] { return app.MainFrame(); });
    AppSeams().createDocTemplate = [&docTemplate] { docTemplate.InstallSeams(); };
    CQtPromptService prompts([&app] { return static_cast<QWidget*>(app.MainFrame()); });
    SetPromptService(&prompts);
    InstallUpdateQueryDialog();
    int rc = 0;
    if (app.InitInstance())
        rc = qtApp.exec();
    app.ExitInstance();
    SetPromptService(nullptr);
    return rc;
}
