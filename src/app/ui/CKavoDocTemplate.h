#pragma once
// The diagram document template: owns the open documents and makes a child
// frame with a view for each, in the main frame's MDI area. It answers the
// application's document seams.
#include "document/CKavoDoc.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

class CMainFrame;
class CKavoView;
class QObject;

class CKavoDocTemplate {
public:
    // The main frame is asked for when a view is made: it may not exist yet.
    explicit CKavoDocTemplate(std::function<CMainFrame*()> frame) : m_frame(std::move(frame)) {}
    // The documents still open are closed (file released, autosave copy gone).
    ~CKavoDocTemplate();
    CKavoDocTemplate(const CKavoDocTemplate&) = delete;
    CKavoDocTemplate& operator=(const CKavoDocTemplate&) = delete;

    // A new diagram from the template path (empty: the default style).
    CKavoDoc* OpenNewDocument(const std::string& templatePath);
    // Opens a file through the installed loader; false without one or when
    // it fails.
    bool OpenDocumentFile(const std::string& path);
    int DocumentCount() const { return int(m_docs.size()); }
    // Drops a document whose last view closed.
    void OnViewClosed(CKavoDoc* doc);
    CKavoDoc* ActiveDoc() const;
    CKavoView* ActiveView() const;
    CMainFrame* Frame() const { return m_frame ? m_frame() : nullptr; }
    CKavoView* AddView(CKavoDoc* doc);

    // Installs this template's answers into the application seams.
    void InstallSeams();

    // Whether a window may close. A diagram's last window and the main
    // window ask about unsaved changes first (an open text editor puts its
    // text into the diagram before); Cancel keeps them open.
    bool MayCloseView(CKavoView* view);
    bool MayCloseMainWindow();

private:
    void WatchClose(QObject* window);

    std::function<CMainFrame*()> m_frame;
    std::unique_ptr<QObject> m_closeWatcher;
    // Set while windows close whose diagrams were asked about already.
    bool m_bCloseAsked = false;
    std::map<CKavoDoc*, int> m_viewCounts;
    std::vector<std::unique_ptr<CKavoDoc>> m_docs;
};

// Loads a diagram file into a fresh document; installed by the file layer.
using DocumentLoader = bool (*)(CKavoDoc& doc, const std::string& path);
void SetDocumentLoader(DocumentLoader loader);
