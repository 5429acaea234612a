#include "frame/ui/CFrameAppContext.h"

#include "document/CKavoDoc.h"
#include "editing/ui/CKavoView.h"
#include "frame/ui/CMainFrame.h"
#include "frame/ui/CStyleBar.h"
#include "platform/Ansi.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>

IActiveDocument* CFrameAppContext::GetActiveDocument()
{
    return m_frame.GetActiveDocument();
}

IActiveView* CFrameAppContext::GetActiveView()
{
    return m_frame.GetActiveView();
}

void CFrameAppContext::UpdateAllDocuments()
{
    for (QMdiSubWindow* child : m_frame.MdiArea()->subWindowList())
        if (auto* v = qobject_cast<CKavoView*>(child->widget()))
            v->OnUpdate(nullptr, 0, nullptr);
}

bool CFrameAppContext::SelectStyleBarCommand(int id)
{
    CKavoStyleBar* bar = m_frame.StyleBar();
    if (!bar)
        return false;
    bar->SelectStyleCommand(id);
    return true;
}

void CFrameAppContext::SetStatusBarText(const std::string& text)
{
    m_frame.statusBar()->showMessage(AnsiToQString(text));
}

bool CFrameAppContext::GetMainWindowRect(CRect& rc)
{
    const QRect g = m_frame.frameGeometry();
    rc = CRect(g.left(), g.top(), g.right() + 1, g.bottom() + 1);
    return true;
}
