#include "frame/ui/CMainFrame.h"

#include "platform/Ansi.h"
#include "platform/StringTable.h"

#include <QMdiArea>

CMainFrame::CMainFrame(QWidget* parent) : QMainWindow(parent), m_mdiArea(new QMdiArea(this))
{
    setCentralWidget(m_mdiArea);
    const char* title = FindResString(0xE000);
    setWindowTitle(AnsiToQString(title ? title : ""));
    resize(1000, 700);
}
