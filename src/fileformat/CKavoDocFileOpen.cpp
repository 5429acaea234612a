// Opening a diagram file: the file is read whole into one buffer, and a
// diagram that replaces the document's contents is tried on a scratch
// document first when the document has something to lose, so that a load
// that fails (a damaged file, the user stopping at an error) leaves the
// document, its changes and its held file as they were.
#include "document/CKavoDoc.h"

#include "core/MsgBox.h"
#include "core/Trace.h"
#include "document/Placement.h"
#include "fileformat/CKavoDocFile.h"
#include "keyword/KeywordStreams.h"
#include "platform/CLockedFile.h"
#include "platform/Prompt.h"

#include <cerrno>
#include <cstring>
#include <deque>
#include <memory>

namespace {
// Passes every question on and keeps the answers, in order.
class CAnswerRecorder : public IPromptService {
public:
    CAnswerRecorder() : m_inner(GetPromptService()) { SetPromptService(this); }
    ~CAnswerRecorder() override { SetPromptService(m_inner); }
    int ShowMessage(const std::string& text, UINT type) override
    {
        answers.push_back(m_inner ? m_inner->ShowMessage(text, type) : DefaultPromptAnswer(type));
        return answers.back();
    }
    int AskChoice(const std::string& caption, const std::string& text,
                  const std::vector<std::string>& buttons) override
    {
        answers.push_back(m_inner ? m_inner->AskChoice(caption, text, buttons) : -1);
        return answers.back();
    }
    std::deque<int> answers;

private:
    IPromptService* m_inner;
};

// Gives the recorded answers again without asking; a question beyond them
// goes to the user.
class CAnswerReplayer : public IPromptService {
public:
    explicit CAnswerReplayer(std::deque<int> answers) : m_answers(std::move(answers)), m_inner(GetPromptService())
    {
        SetPromptService(this);
    }
    ~CAnswerReplayer() override { SetPromptService(m_inner); }
    int ShowMessage(const std::string& text, UINT type) override
    {
        if (m_answers.empty())
            return m_inner ? m_inner->ShowMessage(text, type) : DefaultPromptAnswer(type);
        return Next();
    }
    int AskChoice(const std::string& caption, const std::string& text,
                  const std::vector<std::string>& buttons) override
    {
        if (m_answers.empty())
            return m_inner ? m_inner->AskChoice(caption, text, buttons) : -1;
        return Next();
    }

private:
    int Next()
    {
        const int answer = m_answers.front();
        m_answers.pop_front();
        return answer;
    }
    std::deque<int> m_answers;
    IPromptService* m_inner;
};

void ShowOpenFailure(const std::string& path, int error)
{
    MsgBoxPrintf(MB_ICONEXCLAMATION, "Unknown error opening file '%s' (%s)", ShownPath(path).c_str(),
                 std::strerror(error));
}

void ShowReadFailure(const std::string& path, int error)
{
    MsgBoxPrintf(MB_ICONEXCLAMATION, "Error while attempting to read from file '%s' (%s).", ShownPath(path).c_str(),
                 std::strerror(error));
}

// Whether a failed load into the document would lose anything.
bool HasContentsToKeep(const CKavoDoc& doc)
{
    return !doc.GetPathName().empty() || doc.IsModified() || doc.m_pObjList->GetCount() > 0 ||
           (doc.m_pLockFile && doc.m_pLockFile->IsOpen());
}

// Reads `path` whole: through the held file when it is that file (Revert),
// else through a new hold in `held` (when the document holds its files) or
// a plain read. False after the message that says why.
bool ReadDocumentFile(const CKavoDoc& doc, const std::string& path, std::string& bytes,
                      std::unique_ptr<CLockedFile>& held)
{
    const std::unique_ptr<CLockedFile>& own = doc.m_pLockFile;
    if (doc.m_bLockFile && own && own->IsOpen() && SameFilePath(own->Path(), path)) {
        if (!own->ReadAll(bytes)) {
            ShowReadFailure(path, errno);
            return false;
        }
        return true;
    }
    int error = 0;
    if (!doc.m_bLockFile || path.empty()) {
        if (!CLockedFile::ReadFile(path, bytes, &error)) {
            ShowOpenFailure(path, error);
            return false;
        }
        return true;
    }
    held = std::make_unique<CLockedFile>();
    bool inUse = false;
    const auto result = held->Open(path, false, &inUse, &error);
    if (result == CLockedFile::OpenResult::Failed) {
        ShowOpenFailure(path, error);
        return false;
    }
    if (result == CLockedFile::OpenResult::ReadOnly && inUse)
        MsgBoxPrintf(MB_ICONEXCLAMATION, "File '%s' is use by another user.\nIt will be opened read-only.",
                     ShownPath(path).c_str());
    if (!held->ReadAll(bytes)) {
        ShowReadFailure(path, errno);
        return false;
    }
    return true;
}

// Loads the bytes into a scratch document as `doc` would load them, the user
// answering the loader's questions; true, with the answers, when it loads.
bool TrialLoad(const CKavoDoc& doc, const std::string& bytes, std::deque<int>& answers)
{
    CAnswerRecorder recorder;
    CKavoDoc trial;
    trial.DeleteContents();
    trial.m_bLoadingTemplate = doc.m_bLoadingTemplate;
    CMemoryKeywordSource source(bytes, true);
    if (!trial.Serialize(nullptr, &source))
        return false;
    answers = std::move(recorder.answers);
    return true;
}
} // namespace

bool CKavoDoc::OpenDocumentUnlocked(const std::string& path, bool lock)
{
    const int32_t old = m_bLockFile;
    m_bLockFile = lock ? 1 : 0;
    const bool ok = OnOpenDocument(path);
    m_bLockFile = old;
    return ok;
}

bool CKavoDoc::OnOpenDocument(const std::string& path)
{
    DiagPrintf("STAT  CKavoDoc::OnOpenDocument()\n");
    std::string bytes;
    std::unique_ptr<CLockedFile> held;
    if (!ReadDocumentFile(*this, path, bytes, held)) {
        ResetLoadSaveModes();
        return false;
    }
    // Style import and variants load into the open diagram.
    if (m_bImportStyles || m_bApplyVariant) {
        // The bytes are the whole file: a zero byte anywhere in them is
        // damage, not padding.
        CMemoryKeywordSource source(bytes, true);
        if (!Serialize(nullptr, &source)) {
            ResetLoadSaveModes();
            return false;
        }
        const bool importing = m_bImportStyles != 0;
        if (importing)
            ReapplyAllStyles();   // and resets the undo log
        ValidateCons();
        SetModifiedFlag(true);
        if (importing)
            UpdateAllViews(nullptr, 0, nullptr);
        return true;
    }

    // Every other load replaces the diagram. The user answers the loader's
    // questions once, on the trial; the real load gets the same answers.
    std::deque<int> answers;
    if (HasContentsToKeep(*this) && !TrialLoad(*this, bytes, answers)) {
        ResetLoadSaveModes();
        return false;
    }
    CAnswerReplayer replayer(std::move(answers));
    DeleteContents();
    SetModifiedFlag(false);
    CMemoryKeywordSource source(bytes, true);
    if (!Serialize(nullptr, &source)) {
        // The loader has reported why; the document is left empty.
        DeleteContents();
        ResetLoadSaveModes();
        return false;
    }
    if (held) {
        m_bReadOnly = held->IsReadOnly() ? 1 : 0;
        m_pLockFile = std::move(held);
    }
    // Pastes and new objects into the opened diagram start at the first
    // place again, not where the steps in the previous diagram had got to.
    m_nPasteOffsetX = m_nPasteOffsetY = 0;
    ResetPasteOffset();
    SetModifiedFlag(false);
    SetPathName(path);
    return true;
}
