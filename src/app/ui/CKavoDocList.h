#pragma once
// The program's open diagrams, as the document manager keeps them: opening
// (an open file is activated instead of opened twice), new documents, Save,
// Save As and Save All through the documents' own open and save, the
// autosave timer (id 5), and the seams of the application object and of the
// file code that ask about open documents. Windows for the documents are the
// frame's: it is told through `onDocumentAdded` / `onDocumentClosing`.
#include <functional>
#include <memory>
#include <string>
#include <vector>

class CKavoDoc;
class QTimer;

// How a diagram started from a template came out: made (the template's
// styles and settings, then the new diagram wizard when it is in use), the
// template could not be read, or the wizard was cancelled.
enum class TemplateStart { Made, Unreadable, Cancelled };
TemplateStart StartFromTemplate(CKavoDoc& doc, const std::string& templatePath);

class CKavoDocList {
public:
    static CKavoDocList& Instance();

    // Installs the application seams (open, new, active document queries) and
    // the file hooks (another open document, Save As prompt, autosave timer).
    void Install();

    CKavoDoc* OpenDocumentFile(const std::string& path);
    CKavoDoc* NewDocument(const std::string& templatePath = std::string());
    // The plain Save: a read-only or untitled document asks for a name.
    bool DoFileSave(CKavoDoc* doc);
    bool DoSaveAs(CKavoDoc* doc);
    // Save All (36538): every document in order.
    void SaveAll();
    // Before a modified document closes: "Save changes to ...?" Yes saves
    // (false when the save did not happen), No lets it go, Cancel keeps it.
    bool SaveModified(CKavoDoc* doc);
    void CloseDocument(CKavoDoc* doc);
    void CloseAll();

    CKavoDoc* Active() const { return m_pActive; }
    void SetActive(CKavoDoc* doc) { m_pActive = doc; }
    int Count() const { return int(m_docs.size()); }
    CKavoDoc* At(int i) const { return m_docs[size_t(i)].get(); }
    // An open document other than `self` that holds `path`.
    CKavoDoc* FindOther(const CKavoDoc& self, const std::string& path) const;

    // The autosave timer: restarted after a user save and when the options
    // change; no timer when AutoSave is off or AutoSaveMinutes is 0.
    void ResetAutoSaveTimer();
    bool AutoSaveTimerActive() const;
    int AutoSaveInterval() const;
    void OnAutoSaveTimer();

    // The frame's windows for documents (may be empty).
    std::function<void(CKavoDoc*)> onDocumentAdded;
    std::function<void(CKavoDoc*)> onDocumentClosing;
    // Asks for a Save As name (default: the document manager's save dialog).
    std::function<std::string(CKavoDoc*)> askSaveAsPath;

private:
    CKavoDoc* ActiveOrOwn() const;
    CKavoDoc* Adopt(std::unique_ptr<CKavoDoc> doc);

    std::vector<std::unique_ptr<CKavoDoc>> m_docs;
    CKavoDoc* m_pActive = nullptr;
    QTimer* m_pAutoSaveTimer = nullptr;
};
