// The file side of the document: the file held from open to close, the save
// through a temporary sibling and an atomic rename (the previous file stays
// whole until the new one is complete), the automatic backup and the
// autosave with its temporary copy.
#include "document/CKavoDoc.h"

#include "core/MsgBox.h"
#include "core/Settings.h"
#include "core/Trace.h"
#include "core/PathHelpers.h"
#include "fileformat/CKavoDocFile.h"
#include "fileformat/DocFileHooks.h"
#include "fileformat/SaveNormalization.h"
#include "keyword/KeywordStreams.h"
#include "platform/Ansi.h"
#include "platform/CLockedFile.h"
#include "platform/Prompt.h"

#include <QDir>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <sys/stat.h>

namespace {
bool Exists(const std::string& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0;
}

// The path made absolute, its links and dot folders resolved when it exists.
std::string Resolved(const std::string& path)
{
    if (char* real = ::realpath(path.c_str(), nullptr)) {
        std::string out(real);
        std::free(real);
        return out;
    }
    if (!path.empty() && path[0] == '/')
        return path;
    return NativePath(QDir::currentPath()) + "/" + path;
}

// The path with its extension replaced by `ext`, in the case of the
// extension it had (a lower-case ".kvd" gets a lower-case copy name).
std::string SiblingWithExtension(const std::string& path, const char* ext)
{
    const size_t nameStart = path.rfind('/') == std::string::npos ? 0 : path.rfind('/') + 1;
    const size_t dot = path.rfind('.');
    const bool hasSuffix = dot != std::string::npos && dot > nameStart && dot + 1 < path.size();
    std::string e = ext;
    if (hasSuffix) {
        const std::string suffix = path.substr(dot + 1);
        if (std::none_of(suffix.begin(), suffix.end(), [](char c) { return c >= 'A' && c <= 'Z'; }))
            for (char& c : e)
                c = char(std::tolower(static_cast<unsigned char>(c)));
    }
    return (hasSuffix ? path.substr(0, dot) : path) + "." + e;
}

bool HasDiagramExtension(const std::string& path)
{
    return GetPathExt(path) == "KVD";
}

void ShowReadOnlyRefusal(const std::string& path)
{
    MsgBoxPrintf(MB_ICONEXCLAMATION,
                 "File '%s' is read-only, possibly locked by another user.\nSave with a different name.",
                 ShownPath(path).c_str());
}
} // namespace

std::string ShownPath(const std::string& path)
{
    return QStringToAnsi(PathText(path));
}

bool SameFilePath(const std::string& a, const std::string& b)
{
    return Resolved(a) == Resolved(b);
}

std::string AutoBackupPath(const std::string& path)
{
    return SiblingWithExtension(path, "BAK");
}

std::string AutoSaveCopyPath(const std::string& path)
{
    return SiblingWithExtension(path, "TMP");
}

bool CKavoDoc::OnSaveDocument(const std::string& path)
{
    DiagPrintf("STAT  OnSaveDocument\n");
    SetLastSaveError(std::string());
    if (!g_bAutoSaveInProgress) {
        DiagPrintf("STAT  OnSaveDocument - closing text\n");
        if (GetDocFileHooks().closeTextEditor)
            GetDocFileHooks().closeTextEditor();
        DiagPrintf("STAT  OnSaveDocument - renumbering IDs\n");
        RenumberIDs(0);
        DiagPrintf("STAT  OnSaveDocument - renumbering IDs done\n");
        NormalizeConPtIds(*this);
        DiagPrintf("STAT  OnSaveDocument - normalizing of conpt ids done\n");
        NormalizeFigTexts(*this);
        Validate();
    }
    // Another window with this file is not closed behind the user's back (its
    // changes would be lost): the save is refused instead.
    if (!path.empty() && GetDocFileHooks().findOtherDocument &&
        GetDocFileHooks().findOtherDocument(*this, path)) {
        MsgBoxPrintf(MB_ICONEXCLAMATION, "The file '%s' is open in another window.\nClose it first or save with a different name.",
                     ShownPath(path).c_str());
        SetLastSaveError("open in another window");
        ResetLoadSaveModes();
        return false;
    }
    if (AutoBackup && !path.empty() && !g_bAutoSaveInProgress)
        DoAutoBackup(path);

    CStringKeywordSink sink;
    bool ok = Serialize(&sink, nullptr);
    std::string error = ok ? std::string() : "a line could not be written";
    bool refused = false;
    if (ok && m_bLockFile && !path.empty()) {
        if (m_pLockFile && m_pLockFile->IsOpen() && SameFilePath(m_pLockFile->Path(), path)) {
            if (m_pLockFile->IsReadOnly())
                refused = true;
            else
                ok = m_pLockFile->ReplaceContents(sink.text.data(), sink.text.size(), &error);
        } else {
            auto file = std::make_unique<CLockedFile>();
            ok = file->WriteAndHold(path, sink.text.data(), sink.text.size(), &refused, &error);
            if (ok) {
                m_pLockFile = std::move(file);
                m_bReadOnly = 0;
            }
        }
        ok = ok && !refused;
    } else if (ok) {
        ok = CLockedFile::WriteFileAtomically(path, sink.text.data(), sink.text.size(), &error);
    }
    ResetLoadSaveModes();
    if (refused) {
        ShowReadOnlyRefusal(path);
        SetLastSaveError("the file is read-only");
        return false;
    }
    if (!ok) {
        MsgBoxPrintf(MB_ICONEXCLAMATION, "The diagram could not be saved to '%s' (%s).\nThe file on disk is unchanged.",
                     ShownPath(path).c_str(), error.c_str());
        SetLastSaveError(error);
        return false;
    }
    // An autosave renumbers nothing, so it keeps the undo history too.
    if (!g_bAutoSaveInProgress)
        AfterSave();
    if (!g_bAutoSaveInProgress) {
        m_bAutoSaveCopyMade = 0;
        if (GetDocFileHooks().resetAutoSaveTimer)
            GetDocFileHooks().resetAutoSaveTimer();
    }
    SetModifiedFlag(false);
    if (path != GetPathName())
        SetPathName(path);
    return true;
}

void CKavoDoc::AfterSave()
{
    ResetUndoLog();
}

void CKavoDoc::OnCloseDocument()
{
    DeleteAutoSaveTempFile();
    m_pLockFile.reset();
    m_bReadOnly = 0;
}

bool CKavoDoc::DoAutoBackup(const std::string& path)
{
    if (!AutoBackup || path.empty() || m_bReadOnly)
        return false;
    DiagPrintf("STAT  DoAutoBackup\n");
    if (!Exists(path) || !HasDiagramExtension(path))
        return false;
    DiagPrintf("STAT  BACKUP - Autobackup\n");
    const std::string backup = AutoBackupPath(path);
    const std::string copy = AutoSaveCopyPath(path);
    if (::AutoSave && m_bAutoSaveCopyMade && Exists(copy)) {
        // rename() replaces an older backup in one step.
        if (std::rename(copy.c_str(), backup.c_str()) == 0) {
            DiagPrintf("STAT  BACKUP - Autobackup, renamed %s to %s\n", path.c_str(), backup.c_str());
            m_bAutoSaveCopyMade = 0;
            return true;
        }
    }
    DiagPrintf("STAT  BACKUP - Autobackup, copied %s to %s\n", path.c_str(), backup.c_str());
    return CLockedFile::CopyFileAtomically(path, backup);
}

bool CKavoDoc::AutoSave()
{
    if (!::AutoSave || !IsModified() || m_bReadOnly || g_bTrackingBusy || UndoLogRef().IsUndoHeld())
        return false;
    if (GetDocFileHooks().isEditingText && GetDocFileHooks().isEditingText(*this))
        return false;
    const std::string path = GetPathName();
    if (path.empty() || !CLockedFile::MayReplace(path))
        return false;
    if (!m_bAutoSaveCopyMade && AutoBackup && Exists(path)) {
        const std::string copy = AutoSaveCopyPath(path);
        if (CLockedFile::CopyFileAtomically(path, copy)) {
            m_bAutoSaveCopyMade = 1;
            DiagPrintf("STAT  BACKUP - Autosave, copied %s to %s\n", path.c_str(), copy.c_str());
        }
    }
    g_bAutoSaveInProgress = true;
    OnSaveDocument(path);
    g_bAutoSaveInProgress = false;
    return true;
}

// Only a copy this session made is deleted: a ".TMP" file of the same name
// that the user keeps beside the diagram is not ours.
bool CKavoDoc::DeleteAutoSaveTempFile()
{
    DiagPrintf("STAT  CKavoDoc::DeleteAutoSaveTempFile()\n");
    const bool made = m_bAutoSaveCopyMade != 0;
    m_bAutoSaveCopyMade = 0;
    const std::string& path = GetPathName();
    if (!made || path.empty())
        return false;
    const std::string copy = AutoSaveCopyPath(path);
    if (!Exists(copy))
        return false;
    std::remove(copy.c_str());
    DiagPrintf("STAT  BACKUP - Deleted temp file %s\n", copy.c_str());
    DiagPrintf("STAT  CKavoDoc::DeleteAutoSaveTempFile() exit\n");
    return true;
}
