// Files dropped on the main window: diagrams are opened, other files are
// loaded as pictures and become figures of the diagram active at that moment.
#include "frame/ui/CMainFrame.h"

#include "core/MsgBox.h"
#include "core/PathHelpers.h"
#include "core/Settings.h"
#include "core/Trace.h"
#include "document/CKavoDoc.h"
#include "editing/ui/CKavoView.h"
#include "platform/Ansi.h"
#include "platform/Prompt.h"
#include "render/InsertGraphic.h"
#include "render/PictureColours.h"
#include "render/PictureImport.h"
#include "undo/UndoCodes.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMimeData>
#include <QUrl>

#include <set>

bool g_bOpeningDroppedFile = false;

namespace {
constexpr UINT IDS_BAD_GRAPHIC = 618;
// The longest path a drop hands over; a longer one would arrive cut, naming
// another file, so it is left alone.
constexpr int kMaxDroppedPath = 512;
constexpr const char* kDiagramExt = "KVD";

std::function<bool(const std::string&)>& OpenFileHandler()
{
    static std::function<bool(const std::string&)> handler;
    return handler;
}
} // namespace

void CMainFrame::SetOpenFileHandler(std::function<bool(const std::string& path)> handler)
{
    OpenFileHandler() = std::move(handler);
}

int CMainFrame::OpenDocumentCount() const
{
    std::set<CKavoDoc*> docs;
    for (QMdiSubWindow* child : m_mdiArea->subWindowList())
        if (auto* v = qobject_cast<CKavoView*>(child->widget()); v && v->GetDocument())
            docs.insert(v->GetDocument());
    return int(docs.size());
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasUrls())
        event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event)
{
    QStringList paths;
    for (const QUrl& url : event->mimeData()->urls())
        if (url.isLocalFile())
            paths << url.toLocalFile();
    if (paths.isEmpty())
        return;
    event->acceptProposedAction();
    OnDropFiles(paths);
}

void CMainFrame::OnDropFiles(const QStringList& paths)
{
    const QMdiSubWindow* active = m_mdiArea->activeSubWindow();
    const bool wasMaximized = active && active->isMaximized();
    if (!paths.isEmpty()) {
        raise();
        activateWindow();
    }
    for (const QString& path : paths) {
        if (path.size() > kMaxDroppedPath)
            continue;
        if (GetPathExt(QStringToAnsi(path)) == kDiagramExt) {
            g_bOpeningDroppedFile = true;
            if (OpenFileHandler())
                OpenFileHandler()(QStringToAnsi(path));
            g_bOpeningDroppedFile = false;
            continue;
        }
        // The diagram active now: a diagram dropped before this file may
        // have become it.
        CKavoDoc* doc = GetActiveDocument();
        if (!doc)
            continue;
        ImportedGraphic picture;
        picture.path = path;
        picture.width = picture.height = 100;
        int hasTransparency = 0;
        picture.handle = LoadGraphicFromFile(path, picture.kind, picture.width, picture.height, kPictureWhite,
                                             ImportCleanBackground != 0, ImportTranspEdges != 0, hasTransparency);
        if (!picture.handle) {
            ReportFailedImport(picture, true);
            continue;
        }
        if (!doc->AddGraphicAsFig(UDMAC_IMPORT, picture.handle, picture.kind, doc->GetNewObjPos(), picture.width,
                                  picture.height)) {
            GlobalFree(picture.handle);
            MsgBoxResPrintf(MB_ICONEXCLAMATION, IDS_BAD_GRAPHIC);
        }
    }
    if (wasMaximized && OpenDocumentCount() > 1)
        m_commands.Execute(57650);
    // A diagram at its default view shows its page's width; the fit is not
    // a navigation step the user could undo.
    CKavoDoc* doc = GetActiveDocument();
    CKavoView* view = GetActiveView();
    if (doc && view && doc->m_fViewScale == 100.0f && doc->m_ptViewOrigin == CPoint(0, 0)) {
        doc->HoldUndoLog();
        view->OnZoomPageWidth();
        doc->ReleaseUndoLog();
    }
}
