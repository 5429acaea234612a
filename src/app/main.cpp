#include "frame/ui/CMainFrame.h"
#include "platform/Prompt.h"
#include "platform/ui/CQtPromptService.h"

#include <QApplication>

#include <clocale>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // Qt has set the C library's locale from the environment; number text must
    // not follow it.
    std::setlocale(LC_NUMERIC, "C");

    CMainFrame frame;
    CQtPromptService prompts([&frame] { return static_cast<QWidget*>(&frame); });
    SetPromptService(&prompts);
    frame.show();
    int rc = app.exec();
    SetPromptService(nullptr);
    return rc;
}
