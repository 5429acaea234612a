#pragma once
// A file held open for the life of a document, with an advisory write lock
// (an open-file-description lock, so two opens in one process conflict as two
// programs do). Another instance that finds the lock taken opens the file
// read-only. The file's contents are replaced as a whole, never in place:
// the new bytes go to a temporary sibling that takes the lock, is flushed to
// disk and renamed over the target, so a failed or interrupted save leaves
// the previous file whole. A target reached through symbolic links is
// replaced where the links lead; the links stay.
//
// Paths are the file system's own bytes (std::string), so that a name that is
// not valid text in the locale's encoding still opens; the QString forms
// encode with QFile::encodeName.
#include "platform/NativePath.h"

#include <QString>

#include <cstddef>
#include <string>

class CLockedFile {
public:
    enum class OpenResult { Ok, ReadOnly, Failed };

    CLockedFile() = default;
    ~CLockedFile();
    CLockedFile(const CLockedFile&) = delete;
    CLockedFile& operator=(const CLockedFile&) = delete;

    // Opens `path` for reading and writing with the lock; with `create` a
    // missing file is made, and any failure fails. Without `create`, a file
    // that cannot be had for writing (another holder's lock, no permission,
    // no write permission bit at all) is opened read-only: then `inUse` tells
    // whether another holder's lock was the reason. On failure `error` gets
    // the system's error number (a folder gives EISDIR).
    OpenResult Open(const std::string& path, bool create, bool* inUse = nullptr, int* error = nullptr);
    OpenResult Open(const QString& path, bool create, bool* inUse = nullptr, int* error = nullptr);
    void Close();
    bool IsOpen() const { return m_fd >= 0; }
    bool IsReadOnly() const { return m_bReadOnly; }
    const std::string& Path() const { return m_path; }

    // The whole file from its start into one buffer of its size; false on a
    // read error.
    bool ReadAll(std::string& out) const;
    // The whole of the regular file at `path` the same way, without holding
    // it; false with the system's error number in `error`.
    static bool ReadFile(const std::string& path, std::string& out, int* error = nullptr);

    // Replaces the contents (temporary sibling, flush, atomic rename); the
    // hold moves to the new file. False, with the old file untouched and
    // still held, when anything fails; `error` then says what.
    bool ReplaceContents(const char* data, size_t size, std::string* error = nullptr);

    // Writes `data` as the contents of `path` and holds that file from then
    // on (a save under a new name). An existing `path` that cannot be had
    // for writing (another holder's lock, no permission) sets *refused and is
    // left as it was; so is the held file after any failure.
    bool WriteAndHold(const std::string& path, const char* data, size_t size, bool* refused,
                      std::string* error = nullptr);

    // Writes `data` to `path` the same safe way, without holding it (backup
    // and autosave copies, saves without a hold). An existing file the user
    // may not write is refused with the system's reason.
    static bool WriteFileAtomically(const std::string& path, const char* data, size_t size,
                                    std::string* error = nullptr);
    static bool WriteFileAtomically(const QString& path, const char* data, size_t size,
                                    std::string* error = nullptr);
    // Whether a save may replace `path` (through its links): true when it
    // does not exist or is a file the user may write.
    static bool MayReplace(const std::string& path);
    // Copies `from` to `to` the same way; false when `from` cannot be read.
    static bool CopyFileAtomically(const std::string& from, const std::string& to);

    // Test support: the next `count` writes fail as a full disk would (0: none).
    static void InjectWriteFailures(int count);

private:
    int m_fd = -1;
    bool m_bReadOnly = false;
    std::string m_path;
};
