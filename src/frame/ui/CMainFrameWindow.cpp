// The main frame as a window: command routing, the autosave timer, closing, and the application context it answers for the
// model (active document and view, status text).
#include "frame/ui/CMainFrame.h"
#include "frame/ui/CFrameAppContext.h"

#include "core/AppContext.h"
#include "core/Settings.h"
#include "core/Trace.h"
#include "core/UIMode.h"
#include "document/CKavoDoc.h"
#include "editing/ui/CKavoView.h"
#include "frame/ui/FindReplaceUi.h"
#include "platform/Ansi.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>
#include <QTimerEvent>

#include <set>

namespace {
constexpr int kStyleCommandFirst = 36600;
constexpr int kStyleCommandLast = 38099;

std::function<void(CKavoDoc&)>& AutoSaveHandler()
{
    static std::function<void(CKavoDoc&)> handler;
    return handler;
}
} // namespace

void CMainFrame::SetAutoSaveHandler(std::function<void(CKavoDoc&)> handler)
{
    AutoSaveHandler() = std::move(handler);
}

bool CMainFrame::OnCommand(int id)
{
    // The view's in-place text editor takes the edit commands first.
    if (CKavoView* view = GetActiveView(); view && view->OnEditorCommand(id))
        return true;
    if (id >= kStyleCommandFirst && id <= kStyleCommandLast)
        EnterUIMode(2, id);
    return m_commands.Execute(id);
}

void CMainFrame::ResetAutoSaveTimer()
{
    if (m_nAutoSaveTimer) {
        killTimer(m_nAutoSaveTimer);
        m_nAutoSaveTimer = 0;
    }
    if (AutoSave && AutoSaveMinutes != 0)
        m_nAutoSaveTimer = startTimer(AutoSaveMinutes * 60000);
}

void CMainFrame::timerEvent(QTimerEvent* event)
{
    // Qt hands out its own timer ids: the stored one stands for the autosave
    // timer's id 5.
    if (event->timerId() != m_nAutoSaveTimer || !m_nAutoSaveTimer)
        return QMainWindow::timerEvent(event);
    if (!AutoSaveHandler())
        return;
    std::set<CKavoDoc*> done;
    for (QMdiSubWindow* child : m_mdiArea->subWindowList())
        if (auto* v = qobject_cast<CKavoView*>(child->widget()))
            if (v->GetDocument() && done.insert(v->GetDocument()).second)
                AutoSaveHandler()(*v->GetDocument());
}

bool CMainFrame::event(QEvent* event)
{
    // The window system does not always give back what a dialog covered:
    // every view renders its whole client area and rulers again, so nothing
    // drawn while the dialog was up stays behind.
    if (event->type() == QEvent::WindowUnblocked)
        for (QMdiSubWindow* child : m_mdiArea->subWindowList())
            if (auto* v = qobject_cast<CKavoView*>(child->widget()))
                v->RedrawFrameNow();
    return QMainWindow::event(event);
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    DiagPrintf("STAT  CMainFrame::OnClose()\n");
    if (CKavoView* v = GetActiveView())
        v->CloseTextEditor();
    if (m_nAutoSaveTimer) {
        killTimer(m_nAutoSaveTimer);
        m_nAutoSaveTimer = 0;
    }
    CloseFindReplace();
    emit Closing();
    QMainWindow::closeEvent(event);
}

void CMainFrame::InstallAppContext()
{
    m_context = std::make_unique<CFrameAppContext>(*this);
    SetAppContext(m_context.get());
}

void CMainFrame::RemoveAppContext()
{
    if (m_context && GetAppContext() == m_context.get())
        SetAppContext(nullptr);
}
