// The file side of the document: the file held from open to close, the save
// through a temporary sibling and an atomic rename (the previous file stays
// whole until the new one is complete), the automatic backup and the
// autosave with its temporary copy.
#include "document/CKavoDoc.h"

#include "core/MsgBox.h"
#include "core/Settings.h"
#include "core/Trace.h"
#include "document/Placement.h"
#include "fileformat/DocFileHooks.h"
#include "fileformat/SaveNormalization.h"
#include "keyword/KeywordStreams.h"
#include "platform/Ansi.h"
#include "platform/CLockedFile.h"
#include "platform/Prompt.h"

#include <QFile>
#include <QFileInfo>

#include <cstdio>

namespace {
QString Q(const std::string& path)
{
    return QString::fromUtf8(path.c_str());
}

// The path as a message shows it (messages are Windows-1252 text).
std::string Shown(const std::string& path)
{
    return QStringToAnsi(Q(path));
}

// Whether two paths name the same file: both made absolute and resolved,
// then compared exactly (file names differ by case on this system).
bool SamePath(const QString& a, const QString& b)
{
    const QFileInfo fa(a), fb(b);
    const QString ca = fa.exists() ? fa.canonicalFilePath() : fa.absoluteFilePath();
    const QString cb = fb.exists() ? fb.canonicalFilePath() : fb.absoluteFilePath();
    return ca == cb;
}

// The path with its extension replaced by `ext`, in the case of the
// extension it had (a lower-case ".kvd" gets a lower-case copy name).
QString SiblingWithExtension(const QString& path, const char* ext)
{
    const QFileInfo fi(path);
    const QString suffix = fi.suffix();
    QString e = QString::fromLatin1(ext);
    if (!suffix.isEmpty() && suffix == suffix.toLower())
        e = e.toLower();
    const QString base = suffix.isEmpty() ? path : path.left(path.size() - suffix.size() - 1);
    return base + "." + e;
}

bool HasDiagramExtension(const QString& path)
{
    return QFileInfo(path).suffix().toUpper() == "KVD";
}

void ShowReadOnlyRefusal(const std::string& path)
{
    MsgBoxPrintf(MB_ICONEXCLAMATION,
                 "File '%s' is read-only, possibly locked by another user.\nSave with a different name.",
                 Shown(path).c_str());
}
} // namespace

QString AutoBackupPath(const QString& path)
{
    return SiblingWithExtension(path, "BAK");
}

QString AutoSaveCopyPath(const QString& path)
{
    return SiblingWithExtension(path, "TMP");
}

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
    if (m_bLockFile)
        m_pLockFile.reset();
    std::string bytes;
    std::unique_ptr<CLockedFile> held;
    if (m_bLockFile && !path.empty()) {
        held = std::make_unique<CLockedFile>();
        bool inUse = false;
        const auto result = held->Open(Q(path), false, &inUse);
        if (result == CLockedFile::OpenResult::Failed) {
            MsgBoxPrintf(MB_ICONEXCLAMATION, "Unknown error opening file '%s'", Shown(path).c_str());
            return false;
        }
        if (result == CLockedFile::OpenResult::ReadOnly && inUse)
            MsgBoxPrintf(MB_ICONEXCLAMATION, "File '%s' is use by another user.\nIt will be opened read-only.",
                         Shown(path).c_str());
        if (!held->ReadAll(bytes)) {
            MsgBoxPrintf(MB_ICONEXCLAMATION, "Error while attempting to read from file '%s'.",
                         Shown(path).c_str());
            return false;
        }
    } else {
        QFile f(Q(path));
        if (!f.open(QIODevice::ReadOnly)) {
            MsgBoxPrintf(MB_ICONEXCLAMATION, "Unknown error opening file '%s'", Shown(path).c_str());
            return false;
        }
        const QByteArray b = f.readAll();
        if (f.error() != QFileDevice::NoError) {
            MsgBoxPrintf(MB_ICONEXCLAMATION, "Error while attempting to read from file '%s'.",
                         Shown(path).c_str());
            return false;
        }
        bytes.assign(b.constData(), size_t(b.size()));
    }

    // Style import and variants load into the open diagram; every other
    // load replaces it.
    const bool inPlace = m_bImportStyles || m_bApplyVariant;
    if (!inPlace) {
        DeleteContents();
        SetModifiedFlag(false);
    }
    // The bytes are the whole file: a zero byte anywhere in them is damage,
    // not padding.
    CMemoryKeywordSource source(bytes, true);
    if (!Serialize(nullptr, &source)) {
        // The loader has reported why; a replaced document is left empty.
        if (!inPlace)
            DeleteContents();
        ResetLoadSaveModes();
        return false;
    }
    if (inPlace) {
        const bool importing = m_bImportStyles != 0;
        if (importing)
            ReapplyAllStyles();   // and resets the undo log
        ValidateCons();
        SetModifiedFlag(true);
        if (importing)
            UpdateAllViews(nullptr, 0, nullptr);
        return true;
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
                     Shown(path).c_str());
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
        if (m_pLockFile && m_pLockFile->IsOpen() && SamePath(m_pLockFile->Path(), Q(path))) {
            if (m_pLockFile->IsReadOnly())
                refused = true;
            else
                ok = m_pLockFile->ReplaceContents(sink.text.data(), sink.text.size(), &error);
        } else {
            auto file = std::make_unique<CLockedFile>();
            ok = file->WriteAndHold(Q(path), sink.text.data(), sink.text.size(), &refused, &error);
            if (ok) {
                m_pLockFile = std::move(file);
                m_bReadOnly = 0;
            }
        }
        ok = ok && !refused;
    } else if (ok) {
        ok = CLockedFile::WriteFileAtomically(Q(path), sink.text.data(), sink.text.size(), &error);
    }
    ResetLoadSaveModes();
    if (refused) {
        ShowReadOnlyRefusal(path);
        SetLastSaveError("the file is read-only");
        return false;
    }
    if (!ok) {
        MsgBoxPrintf(MB_ICONEXCLAMATION, "The diagram could not be saved to '%s' (%s).\nThe file on disk is unchanged.",
                     Shown(path).c_str(), error.c_str());
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
    const QString file = Q(path);
    if (!QFileInfo::exists(file) || !HasDiagramExtension(file))
        return false;
    DiagPrintf("STAT  BACKUP - Autobackup\n");
    const QString backup = AutoBackupPath(file);
    const QString copy = AutoSaveCopyPath(file);
    if (::AutoSave && m_bAutoSaveCopyMade && QFileInfo::exists(copy)) {
        // rename() replaces an older backup in one step.
        if (std::rename(copy.toLocal8Bit().constData(), backup.toLocal8Bit().constData()) == 0) {
            DiagPrintf("STAT  BACKUP - Autobackup, renamed %s to %s\n", path.c_str(), backup.toUtf8().constData());
            m_bAutoSaveCopyMade = 0;
            return true;
        }
    }
    DiagPrintf("STAT  BACKUP - Autobackup, copied %s to %s\n", path.c_str(), backup.toUtf8().constData());
    return CLockedFile::CopyFileAtomically(file, backup);
}

bool CKavoDoc::AutoSave()
{
    if (!::AutoSave || !IsModified() || m_bReadOnly || g_bTrackingBusy || UndoLogRef().IsUndoHeld())
        return false;
    if (GetDocFileHooks().isEditingText && GetDocFileHooks().isEditingText(*this))
        return false;
    const std::string path = GetPathName();
    if (path.empty())
        return false;
    const QFileInfo info(Q(path));
    if (info.exists() && !info.isWritable())
        return false;
    if (!m_bAutoSaveCopyMade && AutoBackup && info.exists()) {
        const QString copy = AutoSaveCopyPath(Q(path));
        if (CLockedFile::CopyFileAtomically(Q(path), copy)) {
            m_bAutoSaveCopyMade = 1;
            DiagPrintf("STAT  BACKUP - Autosave, copied %s to %s\n", path.c_str(), copy.toUtf8().constData());
        }
    }
    g_bAutoSaveInProgress = true;
    OnSaveDocument(path);
    g_bAutoSaveInProgress = false;
    return true;
}

bool CKavoDoc::DeleteAutoSaveTempFile()
{
    DiagPrintf("STAT  CKavoDoc::DeleteAutoSaveTempFile()\n");
    const std::string& path = GetPathName();
    if (!::AutoSave || path.empty())
        return false;
    const QString copy = AutoSaveCopyPath(Q(path));
    if (!QFileInfo::exists(copy))
        return false;
    QFile::remove(copy);
    DiagPrintf("STAT  BACKUP - Deleted temp file %s\n", copy.toUtf8().constData());
    DiagPrintf("STAT  CKavoDoc::DeleteAutoSaveTempFile() exit\n");
    return true;
}
