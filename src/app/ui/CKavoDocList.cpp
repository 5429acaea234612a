#include "app/ui/CKavoDocList.h"

#include "app/AppSeams.h"
#include "app/ui/CKavoDocManager.h"
#include "core/AppGlobals.h"
#include "core/ProgramFolders.h"
#include "core/Settings.h"
#include "core/Trace.h"
#include "dialogs/wizard/CWizardSheet.h"
#include "document/CKavoDoc.h"
#include "fileformat/DocFileHooks.h"
#include "fileformat/ui/CPreviewFileDialog.h"
#include "platform/Prompt.h"

#include <QApplication>

#include <QFileInfo>
#include <QTimer>

#include <algorithm>

namespace {
constexpr UINT AFX_IDS_SAVEFILE = 0xF001;
constexpr int kAutoSaveTimerId = 5;

bool SameFile(const std::string& a, const std::string& b)
{
    const QFileInfo fa(QString::fromStdString(a)), fb(QString::fromStdString(b));
    const QString ca = fa.exists() ? fa.canonicalFilePath() : fa.absoluteFilePath();
    const QString cb = fb.exists() ? fb.canonicalFilePath() : fb.absoluteFilePath();
    return ca == cb;
}

std::string AskWithSaveDialog(CKavoDoc* doc)
{
    CKavoDocManager manager;
    std::vector<std::string> files;
    if (!manager.DoPromptFileName(files, AFX_IDS_SAVEFILE, false, doc ? doc->GetPathName() : std::string(),
                                  doc ? doc->GetTitle() : std::string()))
        return std::string();
    return files.empty() ? std::string() : files[0];
}
// The template chooser of File New: a template, or "Non&e (start blank)".
TemplateChoice RunTemplateDialog()
{
    bool blank = false;
    CDiagramOpenDlg dlg(QApplication::activeWindow(), QObject::tr("New"), GetTemplatesFolder(),
                        CDiagramOpenDlg::kFilter);
    dlg.AddExtraButton(QObject::tr("Non&e (start blank)"), &blank);
    TemplateChoice choice;
    if (CKavoDocManager::ExecFileDialog(dlg) == QDialog::Accepted && !dlg.selectedFiles().isEmpty()) {
        choice.made = true;
        choice.path = dlg.selectedFiles().first().toStdString();
    } else if (blank) {
        choice.made = true;
    }
    return choice;
}
} // namespace

CKavoDocList& CKavoDocList::Instance()
{
    static CKavoDocList list;
    return list;
}

void CKavoDocList::Install()
{
    (void)kAutoSaveTimerId;
    CAppSeams& s = AppSeams();
    s.openDocumentFile = [this](const std::string& path) { return OpenDocumentFile(path) != nullptr; };
    // File New has put the chosen template (or none) in g_strNewTemplatePath.
    s.newDocument = [this] { return NewDocument(g_strNewTemplatePath) != nullptr; };
    s.runTemplateDialog = [](bool) { return RunTemplateDialog(); };
    s.documentCount = [this] { return Count(); };
    s.allDocuments = [this] {
        std::vector<CKavoDoc*> docs;
        for (const auto& d : m_docs)
            docs.push_back(d.get());
        return docs;
    };
    s.hasActiveDoc = [this] { return m_pActive != nullptr; };
    s.activeDocPath = [this] { return m_pActive ? m_pActive->GetPathName() : std::string(); };
    s.activeDocModified = [this] { return m_pActive && m_pActive->IsModified(); };
    s.setActiveDocModified = [this](bool m) {
        if (m_pActive)
            m_pActive->SetModifiedFlag(m);
    };
    s.activeDocCanUndo = [this] { return m_pActive && m_pActive->CanUndo(); };
    // Revert and link targets reload the active document in place (the
    // frame's active diagram when there is a frame).
    s.openLinkTarget = [this](const std::string& path, int, int) {
        CKavoDoc* doc = ActiveOrOwn();
        return doc && doc->OnOpenDocument(path);
    };
    s.setActiveDocTemplateName = [this](const std::string& name) {
        if (CKavoDoc* doc = ActiveOrOwn())
            doc->m_strTemplate = name;
    };

    DocFileHooks& h = GetDocFileHooks();
    h.findOtherDocument = [](const CKavoDoc& self, const std::string& path) {
        return Instance().FindOther(self, path);
    };
    h.resetAutoSaveTimer = [] { Instance().ResetAutoSaveTimer(); };
    h.askSaveAsPath = [](CKavoDoc& doc) { return Instance().askSaveAsPath(&doc); };
    if (!askSaveAsPath)
        askSaveAsPath = &AskWithSaveDialog;
    ResetAutoSaveTimer();
}

CKavoDoc* CKavoDocList::ActiveOrOwn() const
{
    CKavoDoc* doc = GetActiveKavoDoc();
    return doc ? doc : m_pActive;
}

CKavoDoc* CKavoDocList::Adopt(std::unique_ptr<CKavoDoc> doc)
{
    CKavoDoc* raw = doc.get();
    m_docs.push_back(std::move(doc));
    m_pActive = raw;
    if (onDocumentAdded)
        onDocumentAdded(raw);
    return raw;
}

CKavoDoc* CKavoDocList::OpenDocumentFile(const std::string& path)
{
    for (const auto& d : m_docs)
        if (!d->GetPathName().empty() && SameFile(d->GetPathName(), path)) {
            m_pActive = d.get();
            return d.get();
        }
    auto doc = std::make_unique<CKavoDoc>();
    if (!doc->OnOpenDocument(path))
        return nullptr;
    return Adopt(std::move(doc));
}

CKavoDoc* CKavoDocList::NewDocument(const std::string& templatePath)
{
    auto doc = std::make_unique<CKavoDoc>();
    if (!templatePath.empty() ? StartFromTemplate(*doc, templatePath) != TemplateStart::Made : !doc->OnNewDocument())
        return nullptr;
    return Adopt(std::move(doc));
}

TemplateStart StartFromTemplate(CKavoDoc& doc, const std::string& templatePath)
{
    // A diagram from a template takes its styles and settings, not its
    // objects, and is untitled.
    doc.m_bLoadingTemplate = 1;
    const bool ok = doc.OpenDocumentUnlocked(templatePath, false);
    doc.ResetLoadSaveModes();
    if (!ok)
        return TemplateStart::Unreadable;
    // The wizard's Cancel makes no diagram.
    if (UseWizard && !RunNewDiagramWizard(QApplication::activeWindow(), doc, templatePath))
        return TemplateStart::Cancelled;
    doc.SetPathName(std::string(), false);
    return TemplateStart::Made;
}

bool CKavoDocList::DoSaveAs(CKavoDoc* doc)
{
    if (!doc || !askSaveAsPath)
        return false;
    const std::string path = askSaveAsPath(doc);
    return !path.empty() && doc->OnSaveDocument(path);
}

bool CKavoDocList::DoFileSave(CKavoDoc* doc)
{
    if (!doc)
        return false;
    if (doc->GetPathName().empty() || (doc->m_bLockFile && doc->m_bReadOnly))
        return DoSaveAs(doc);
    return doc->OnSaveDocument(doc->GetPathName());
}

void CKavoDocList::SaveAll()
{
    for (CKavoDoc* doc : AppSeams().allDocuments())
        DoFileSave(doc);
}

bool CKavoDocList::SaveModified(CKavoDoc* doc)
{
    if (!doc || !doc->IsModified())
        return true;
    const std::string name = doc->GetPathName().empty() ? doc->GetTitle() : doc->GetPathName();
    switch (ShowPrompt("Save changes to " + name + "?", MB_YESNOCANCEL | MB_ICONEXCLAMATION)) {
    case IDCANCEL: return false;
    case IDNO: return true;
    default: return DoFileSave(doc);
    }
}

CKavoDoc* CKavoDocList::FindOther(const CKavoDoc& self, const std::string& path) const
{
    for (CKavoDoc* d : AppSeams().allDocuments())
        if (d != &self && !d->GetPathName().empty() && SameFile(d->GetPathName(), path))
            return d;
    return nullptr;
}

void CKavoDocList::CloseDocument(CKavoDoc* doc)
{
    const auto it = std::find_if(m_docs.begin(), m_docs.end(), [&](const auto& d) { return d.get() == doc; });
    if (it == m_docs.end())
        return;
    if (onDocumentClosing)
        onDocumentClosing(doc);
    doc->OnCloseDocument();
    m_docs.erase(it);
    if (m_pActive == doc)
        m_pActive = m_docs.empty() ? nullptr : m_docs.back().get();
}

void CKavoDocList::CloseAll()
{
    while (!m_docs.empty())
        CloseDocument(m_docs.back().get());
}

void CKavoDocList::ResetAutoSaveTimer()
{
    if (m_pAutoSaveTimer)
        m_pAutoSaveTimer->stop();
    if (!::AutoSave || AutoSaveMinutes == 0)
        return;
    if (!m_pAutoSaveTimer) {
        m_pAutoSaveTimer = new QTimer;
        QObject::connect(m_pAutoSaveTimer, &QTimer::timeout, [] { Instance().OnAutoSaveTimer(); });
    }
    m_pAutoSaveTimer->start(AutoSaveMinutes * 60000);
}

bool CKavoDocList::AutoSaveTimerActive() const
{
    return m_pAutoSaveTimer && m_pAutoSaveTimer->isActive();
}

int CKavoDocList::AutoSaveInterval() const
{
    return m_pAutoSaveTimer ? m_pAutoSaveTimer->interval() : 0;
}

void CKavoDocList::OnAutoSaveTimer()
{
    for (const auto& d : m_docs)
        d->AutoSave();
}
