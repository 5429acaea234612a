#include "app/ui/CKavoDocTemplate.h"

#include "app/AppSeams.h"
#include "app/ui/CKavoDocList.h"
#include "core/AppContext.h"
#include "core/AppGlobals.h"
#include "document/CKavoDoc.h"
#include "fileformat/DocFileHooks.h"
#include "editing/ui/CKavoView.h"
#include "frame/ui/CKavoFrm.h"
#include "frame/ui/CMainFrame.h"
#include "platform/Ansi.h"

#include <QApplication>
#include <QEvent>
#include <QMdiArea>
#include <QMdiSubWindow>

namespace {
DocumentLoader g_loader = nullptr;

// Hands the close of a watched window to the template's question.
class CloseWatcher : public QObject {
public:
    explicit CloseWatcher(CKavoDocTemplate& owner) : m_owner(owner) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::Close)
            return false;
        bool mayClose = true;
        if (auto* main = qobject_cast<CMainFrame*>(watched))
            mayClose = main == m_owner.Frame() ? m_owner.MayCloseMainWindow() : true;
        else if (auto* child = qobject_cast<QMdiSubWindow*>(watched))
            if (auto* view = qobject_cast<CKavoView*>(child->widget()))
                mayClose = m_owner.MayCloseView(view);
        if (mayClose)
            return false;
        event->ignore();
        return true;
    }

private:
    CKavoDocTemplate& m_owner;
};
} // namespace

void SetDocumentLoader(DocumentLoader loader)
{
    g_loader = loader;
}

CKavoView* CKavoDocTemplate::AddView(CKavoDoc* doc)
{
    CMainFrame* frame = Frame();
    if (!frame)
        return nullptr;
    auto* view = new CKavoView(doc);
    ++m_viewCounts[doc];
    // After the view's own destructor: it has left the document by then.
    QObject::connect(view, &QObject::destroyed, [this, doc] { OnViewClosed(doc); });
    WatchClose(frame->AddViewFrame(view, AnsiToQString(doc->GetTitle())));
    WatchClose(frame);
    return view;
}

void CKavoDocTemplate::WatchClose(QObject* window)
{
    if (!window)
        return;
    if (!m_closeWatcher)
        m_closeWatcher = std::make_unique<CloseWatcher>(*this);
    // Installing again moves the filter to the front; it is never doubled.
    window->installEventFilter(m_closeWatcher.get());
}

bool CKavoDocTemplate::MayCloseView(CKavoView* view)
{
    CKavoDoc* doc = view->GetDocument();
    if (m_bCloseAsked || !doc || m_viewCounts[doc] > 1)
        return true;
    view->CloseTextEditor();
    return CKavoDocList::Instance().SaveModified(doc);
}

bool CKavoDocTemplate::MayCloseMainWindow()
{
    if (m_bCloseAsked)
        return true;
    if (CKavoView* v = ActiveView())
        v->CloseTextEditor();
    for (const auto& d : m_docs)
        if (!CKavoDocList::Instance().SaveModified(d.get()))
            return false;
    // The windows that close with the main window are not asked again.
    m_bCloseAsked = true;
    return true;
}

CKavoDoc* CKavoDocTemplate::OpenNewDocument(const std::string& templatePath)
{
    auto doc = std::make_unique<CKavoDoc>();
    // A template that cannot be read leaves a blank diagram; the wizard's
    // Cancel leaves none.
    const TemplateStart start = templatePath.empty() ? TemplateStart::Unreadable : StartFromTemplate(*doc, templatePath);
    if (start == TemplateStart::Cancelled)
        return nullptr;
    if (start == TemplateStart::Unreadable) {
        doc = std::make_unique<CKavoDoc>();
        doc->OnNewDocument();
    }
    static int untitled = 0;
    doc->SetPathName(std::string(), false);
    // The untitled name is the document's: its window and its Save dialog use it.
    doc->SetTitle("Diagram" + std::to_string(++untitled));
    CKavoDoc* raw = doc.get();
    m_docs.push_back(std::move(doc));
    AddView(raw);
    return raw;
}

bool CKavoDocTemplate::OpenDocumentFile(const std::string& path)
{
    if (!g_loader)
        return false;
    auto doc = std::make_unique<CKavoDoc>();
    if (!g_loader(*doc, path))
        return false;
    doc->SetPathName(path, true);
    CKavoDoc* raw = doc.get();
    m_docs.push_back(std::move(doc));
    AddView(raw);
    return true;
}

void CKavoDocTemplate::OnViewClosed(CKavoDoc* doc)
{
    if (--m_viewCounts[doc] > 0)
        return;
    m_viewCounts.erase(doc);
    // The document is closed as such: its held file is released and its
    // autosave copy deleted.
    doc->OnCloseDocument();
    std::erase_if(m_docs, [doc](const std::unique_ptr<CKavoDoc>& d) { return d.get() == doc; });
}

CKavoDocTemplate::~CKavoDocTemplate()
{
    for (const auto& d : m_docs)
        d->OnCloseDocument();
}

CKavoDoc* CKavoDocTemplate::ActiveDoc() const
{
    return Frame() ? Frame()->GetActiveDocument() : nullptr;
}

CKavoView* CKavoDocTemplate::ActiveView() const
{
    return Frame() ? Frame()->GetActiveView() : nullptr;
}

void CKavoDocTemplate::InstallSeams()
{
    // A save keeps where the active view of the saved diagram stands.
    GetDocFileHooks().activeViewPlacement = [](const CKavoDoc& doc, CPoint& anchor, float& zoom,
                                               float& pageWidthZoom) {
        const CKavoView* v = GetActiveKavoView();
        if (!v || v->GetDocument() != &doc)
            return false;
        // A view at page width is stored as one at the page's corner.
        anchor = v->IsPageWidthZoom() ? CPoint(0, 0) : v->GetViewAnchorPoint(kAnchorTopLeft);
        zoom = v->GetZoom();
        pageWidthZoom = v->GetPageWidthPercent();
        return true;
    };
    CAppSeams& s = AppSeams();
    s.openDocumentFile = [this](const std::string& path) { return OpenDocumentFile(path); };
    s.newDocument = [this] {
        return OpenNewDocument(g_strNewTemplatePath) != nullptr;
    };
    s.documentCount = [this] { return DocumentCount(); };
    s.allDocuments = [this] {
        std::vector<CKavoDoc*> docs;
        for (const auto& d : m_docs)
            docs.push_back(d.get());
        return docs;
    };
    s.hasActiveDoc = [this] { return ActiveDoc() != nullptr; };
    s.hasActiveView = [this] { return ActiveView() != nullptr; };
    s.activeDocPath = [this] {
        CKavoDoc* d = ActiveDoc();
        return d ? d->GetPathName() : std::string();
    };
    s.activeDocModified = [this] {
        CKavoDoc* d = ActiveDoc();
        return d && d->IsModified();
    };
    s.setActiveDocModified = [this](bool modified) {
        if (CKavoDoc* d = ActiveDoc())
            d->SetModifiedFlag(modified);
    };
    s.activeDocCanUndo = [this] {
        CKavoDoc* d = ActiveDoc();
        return d && d->CanUndo();
    };
    s.activeDocHasDefaultView = [this] {
        CKavoDoc* d = ActiveDoc();
        return d && d->m_fViewScale == 100.0f && d->m_ptViewOrigin == CPoint(0, 0);
    };
    // The fit that a new or newly opened diagram's view starts with is not
    // a navigation step the user could undo.
    s.zoomActiveViewToPageWidth = [this] {
        CKavoView* v = ActiveView();
        if (!v || !v->GetDocument())
            return;
        v->GetDocument()->HoldUndoLog();
        v->OnZoomPageWidth();
        v->GetDocument()->ReleaseUndoLog();
    };
    s.focusInActiveView = [this] {
        CKavoView* v = ActiveView();
        QWidget* f = QApplication::focusWidget();
        return v && f && (f == v || f->parentWidget() == v || v->isAncestorOf(f));
    };
    s.newWindowOfActiveDoc = [this] {
        CKavoDoc* d = ActiveDoc();
        return d && AddView(d) != nullptr;
    };
    s.closeActiveDocWindows = [this] {
        CKavoDoc* d = ActiveDoc();
        if (!d || !Frame())
            return;
        // File > Close asked about the diagram already.
        m_bCloseAsked = true;
        for (QMdiSubWindow* child : Frame()->MdiArea()->subWindowList())
            if (auto* v = qobject_cast<CKavoView*>(child->widget()); v && v->GetDocument() == d)
                child->close();
        m_bCloseAsked = false;
    };
    s.activeChildMaximized = [this] {
        QMdiSubWindow* c = Frame() ? Frame()->MdiArea()->activeSubWindow() : nullptr;
        return c && c->isMaximized();
    };
    s.cascadeWindows = [this] {
        if (Frame())
            Frame()->Commands().Execute(57650);
    };
}
