#include "app/AppSeams.h"
#include "app/ui/CKavoApp.h"
#include "app/ui/CKavoDocTemplate.h"
#include "frame/ui/CMainFrame.h"
#include "platform/Prompt.h"
#include "platform/ui/CQtPromptService.h"

#include <QApplication>

#include <clocale>

int main(int argc, char* argv[])
{
    QApplication qtApp(argc, argv);
    // Qt has set the C library's locale from the environment; number text must
    // not follow it.
    std::setlocale(LC_NUMERIC, "C");

    CKavoApp app(qtApp.arguments());
    // The diagram template: documents, child frames and views.
    CKavoDocTemplate docTemplate([&app] { return app.MainFrame(); });
    AppSeams().createDocTemplate = [&docTemplate] { docTemplate.InstallSeams(); };
    CQtPromptService prompts([&app] { return static_cast<QWidget*>(app.MainFrame()); });
    SetPromptService(&prompts);
    int rc = 0;
    if (app.InitInstance())
        rc = qtApp.exec();
    app.ExitInstance();
    SetPromptService(nullptr);
    return rc;
}
