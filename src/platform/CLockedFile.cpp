#include "platform/CLockedFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
int g_nInjectedWriteFailures = 0;

// A write lock over the whole file, not waiting; errno tells why it failed.
bool TryLockWhole(int fd)
{
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    fl.l_start = 0;
    fl.l_len = 0;
    return fcntl(fd, F_OFD_SETLK, &fl) == 0;
}

// Another holder's lock (as opposed to a missing file or no permission).
bool IsLockedByOther(int fd)
{
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    return fcntl(fd, F_OFD_GETLK, &fl) == 0 && fl.l_type != F_UNLCK;
}

// A file without any write permission bit is read-only for everybody, the
// administrator too, as a file marked read-only is; otherwise the system
// decides.
bool MayWrite(const struct stat& st, const std::string& path)
{
    if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        errno = EACCES;
        return false;
    }
    return ::access(path.c_str(), W_OK) == 0;
}

bool WriteAll(int fd, const char* data, size_t size)
{
    if (g_nInjectedWriteFailures > 0) {
        --g_nInjectedWriteFailures;
        errno = ENOSPC;
        return false;
    }
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= size_t(n);
    }
    return true;
}

// Reads the whole file into one buffer sized from the start: growing it as
// the bytes come would hold up to twice the file for a moment. Bytes past
// the size the file had (it grew meanwhile) are appended.
bool ReadWhole(int fd, std::string& out)
{
    out.clear();
    struct stat st {};
    if (::fstat(fd, &st) != 0)
        return false;
    if (S_ISDIR(st.st_mode)) {
        errno = EISDIR;
        return false;
    }
    out.resize(st.st_size > 0 ? size_t(st.st_size) : 0);
    size_t have = 0;
    char more[65536];
    for (;;) {
        const bool inBuffer = have < out.size();
        char* to = inBuffer ? out.data() + have : more;
        const size_t room = inBuffer ? out.size() - have : sizeof more;
        const ssize_t n = ::pread(fd, to, room, off_t(have));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            out.resize(have);
            return n == 0;
        }
        if (!inBuffer)
            out.append(more, size_t(n));
        have += size_t(n);
    }
}

void SetError(std::string* error, const char* what)
{
    if (error)
        *error = std::string(what) + ": " + std::strerror(errno);
}

std::string FolderOf(const std::string& path)
{
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file that `path` names after following its symbolic links (a link
// that leads nowhere yet gives the file it would lead to).
std::string FollowLinks(std::string path)
{
    for (int hop = 0; hop < 40; ++hop) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
            break;
        std::string link(size_t(st.st_size > 0 ? st.st_size : 4096) + 1, '\0');
        const ssize_t n = ::readlink(path.c_str(), link.data(), link.size());
        if (n <= 0 || size_t(n) >= link.size())
            break;
        link.resize(size_t(n));
        path = link[0] == '/' ? link : FolderOf(path) + "/" + link;
    }
    return path;
}

// A new file in `folder` with a short name of its own (the target's name
// plus a suffix could pass the longest name the folder allows), open for
// writing, with the target's permission bits when the target exists.
int MakeSibling(const std::string& target, std::string& tempPath)
{
    tempPath = FolderOf(target) + "/.kvd-XXXXXX";
    const int fd = ::mkstemp(tempPath.data());
    if (fd < 0)
        return -1;
    struct stat st {};
    mode_t mode = 0666;
    if (::stat(target.c_str(), &st) == 0) {
        mode = st.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode &= ~mask;
    }
    ::fchmod(fd, mode);
    return fd;
}

// Flushes the folder entry of a rename; failure is not fatal.
void SyncFolder(const std::string& target)
{
    const int dfd = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
}

// An existing target that must not be replaced: a folder, or a file the user
// may not write.
bool RefusesReplacement(const std::string& target, std::string* error)
{
    struct stat st {};
    if (::stat(target.c_str(), &st) != 0)
        return false;
    if (S_ISDIR(st.st_mode)) {
        errno = EISDIR;
        SetError(error, "cannot replace");
        return true;
    }
    if (!MayWrite(st, target)) {
        SetError(error, "cannot replace");
        return true;
    }
    return false;
}

// Writes `data` into a new sibling and renames it over the file `path`
// leads to; `lock` keeps the sibling locked (its descriptor is returned,
// else closed and 0).
int WriteSiblingAndRename(const std::string& path, const char* data, size_t size, bool lock, std::string* error)
{
    const std::string target = FollowLinks(path);
    if (RefusesReplacement(target, error))
        return -1;
    std::string temp;
    const int fd = MakeSibling(target, temp);
    if (fd < 0) {
        SetError(error, "cannot create a temporary file");
        return -1;
    }
    bool ok = true;
    if (lock && !TryLockWhole(fd)) {
        SetError(error, "cannot lock the temporary file");
        ok = false;
    }
    if (ok && !WriteAll(fd, data, size)) {
        SetError(error, "cannot write");
        ok = false;
    }
    if (ok && ::fsync(fd) != 0) {
        SetError(error, "cannot flush");
        ok = false;
    }
    if (ok && ::rename(temp.c_str(), target.c_str()) != 0) {
        SetError(error, "cannot rename");
        ok = false;
    }
    if (!ok) {
        ::close(fd);
        ::unlink(temp.c_str());
        return -1;
    }
    SyncFolder(target);
    if (lock)
        return fd;
    ::close(fd);
    return 0;
}

void SetErrno(int* error, int value)
{
    if (error)
        *error = value;
}
} // namespace

CLockedFile::~CLockedFile()
{
    Close();
}

void CLockedFile::InjectWriteFailures(int count)
{
    g_nInjectedWriteFailures = count;
}

CLockedFile::OpenResult CLockedFile::Open(const QString& path, bool create, bool* inUse, int* error)
{
    return Open(NativePath(path), create, inUse, error);
}

CLockedFile::OpenResult CLockedFile::Open(const std::string& path, bool create, bool* inUse, int* error)
{
    Close();
    if (inUse)
        *inUse = false;
    SetErrno(error, 0);
    int fd = ::open(path.c_str(), O_RDWR | O_CLOEXEC | (create ? O_CREAT : 0), 0666);
    struct stat st {};
    if (fd >= 0 && (::fstat(fd, &st) != 0 || !MayWrite(st, path))) {
        ::close(fd);
        fd = -1;
    }
    if (fd >= 0 && TryLockWhole(fd)) {
        m_fd = fd;
        m_bReadOnly = false;
        m_path = path;
        return OpenResult::Ok;
    }
    const int firstError = errno;
    bool lockedByOther = false;
    if (fd >= 0) {
        lockedByOther = IsLockedByOther(fd);
        ::close(fd);
    }
    if (create) {
        SetErrno(error, firstError);
        return OpenResult::Failed;
    }
    fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0 && ::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        fd = -1;
        errno = EISDIR;
    }
    if (fd < 0) {
        SetErrno(error, errno);
        return OpenResult::Failed;
    }
    if (!lockedByOther)
        lockedByOther = IsLockedByOther(fd);
    if (inUse)
        *inUse = lockedByOther;
    m_fd = fd;
    m_bReadOnly = true;
    m_path = path;
    return OpenResult::ReadOnly;
}

void CLockedFile::Close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
    m_bReadOnly = false;
    m_path.clear();
}

bool CLockedFile::ReadAll(std::string& out) const
{
    out.clear();
    return m_fd >= 0 && ReadWhole(m_fd, out);
}

bool CLockedFile::ReadFile(const std::string& path, std::string& out, int* error)
{
    out.clear();
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        SetErrno(error, errno);
        return false;
    }
    const bool ok = ReadWhole(fd, out);
    SetErrno(error, ok ? 0 : errno);
    ::close(fd);
    return ok;
}

bool CLockedFile::ReplaceContents(const char* data, size_t size, std::string* error)
{
    if (m_fd < 0 || m_bReadOnly) {
        errno = EBADF;
        SetError(error, "the file is not held for writing");
        return false;
    }
    const int fd = WriteSiblingAndRename(m_path, data, size, true, error);
    if (fd < 0)
        return false;
    ::close(m_fd);
    m_fd = fd;
    return true;
}

bool CLockedFile::WriteAndHold(const std::string& path, const char* data, size_t size, bool* refused,
                               std::string* error)
{
    if (refused)
        *refused = false;
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        CLockedFile other;
        int why = 0;
        bool inUse = false;
        const OpenResult opened = other.Open(path, false, &inUse, &why);
        if (opened != OpenResult::Ok) {
            if (refused)
                *refused = opened == OpenResult::ReadOnly;
            errno = why ? why : EACCES;
            SetError(error, inUse ? "the file is held by another program" : "cannot replace");
            return false;
        }
        if (!other.ReplaceContents(data, size, error))
            return false;
        Close();
        m_fd = other.m_fd;
        m_path = other.m_path;
        other.m_fd = -1;
        return true;
    }
    const int fd = WriteSiblingAndRename(path, data, size, true, error);
    if (fd < 0)
        return false;
    Close();
    m_fd = fd;
    m_path = path;
    return true;
}

bool CLockedFile::WriteFileAtomically(const std::string& path, const char* data, size_t size, std::string* error)
{
    return WriteSiblingAndRename(path, data, size, false, error) == 0;
}

bool CLockedFile::WriteFileAtomically(const QString& path, const char* data, size_t size, std::string* error)
{
    return WriteFileAtomically(NativePath(path), data, size, error);
}

bool CLockedFile::MayReplace(const std::string& path)
{
    return !RefusesReplacement(FollowLinks(path), nullptr);
}

bool CLockedFile::CopyFileAtomically(const std::string& from, const std::string& to)
{
    std::string bytes;
    return ReadFile(from, bytes) && WriteFileAtomically(to, bytes.data(), bytes.size());
}
