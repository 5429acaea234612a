#include "platform/CLockedFile.h"

#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
int g_nInjectedWriteFailures = 0;

QByteArray Native(const QString& path)
{
    return path.toLocal8Bit();
}

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

void SetError(std::string* error, const char* what)
{
    if (error)
        *error = std::string(what) + ": " + std::strerror(errno);
}

// A new sibling of `target` ("<name>.XXXXXX" in its folder), open for
// writing, with the target's permission bits when the target exists.
int MakeSibling(const QString& target, QByteArray& tempPath)
{
    tempPath = Native(target) + ".XXXXXX";
    const int fd = ::mkstemp(tempPath.data());
    if (fd < 0)
        return -1;
    struct stat st {};
    mode_t mode = 0666;
    if (::stat(Native(target).constData(), &st) == 0) {
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
void SyncFolder(const QString& target)
{
    const int dfd = ::open(Native(QFileInfo(target).absolutePath()).constData(), O_RDONLY | O_DIRECTORY);
    if (dfd >= 0) {
        ::fsync(dfd);
        ::close(dfd);
    }
}

// Writes `data` into a new sibling and renames it over `target`; `lock` keeps
// the sibling locked (its descriptor is returned, else closed and 0).
int WriteSiblingAndRename(const QString& target, const char* data, size_t size, bool lock, std::string* error)
{
    QByteArray temp;
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
    if (ok && ::rename(temp.constData(), Native(target).constData()) != 0) {
        SetError(error, "cannot rename");
        ok = false;
    }
    if (!ok) {
        ::close(fd);
        ::unlink(temp.constData());
        return -1;
    }
    SyncFolder(target);
    if (lock)
        return fd;
    ::close(fd);
    return 0;
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

CLockedFile::OpenResult CLockedFile::Open(const QString& path, bool create, bool* inUse)
{
    Close();
    if (inUse)
        *inUse = false;
    const QByteArray native = Native(path);
    int fd = ::open(native.constData(), O_RDWR | O_CLOEXEC | (create ? O_CREAT : 0), 0666);
    if (fd >= 0 && TryLockWhole(fd)) {
        m_fd = fd;
        m_bReadOnly = false;
        m_path = path;
        return OpenResult::Ok;
    }
    bool lockedByOther = false;
    if (fd >= 0) {
        lockedByOther = IsLockedByOther(fd);
        ::close(fd);
    }
    if (create)
        return OpenResult::Failed;
    fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return OpenResult::Failed;
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
    if (m_fd < 0)
        return false;
    char buf[65536];
    off_t pos = 0;
    for (;;) {
        const ssize_t n = ::pread(m_fd, buf, sizeof buf, pos);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0)
            return true;
        out.append(buf, size_t(n));
        pos += n;
    }
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

bool CLockedFile::WriteAndHold(const QString& path, const char* data, size_t size, bool* refused,
                               std::string* error)
{
    if (refused)
        *refused = false;
    if (QFileInfo::exists(path)) {
        CLockedFile other;
        if (other.Open(path, false) != OpenResult::Ok) {
            if (refused)
                *refused = true;
            errno = EACCES;
            SetError(error, "the file is read-only or held by another program");
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

bool CLockedFile::WriteFileAtomically(const QString& path, const char* data, size_t size, std::string* error)
{
    return WriteSiblingAndRename(path, data, size, false, error) == 0;
}

bool CLockedFile::CopyFileAtomically(const QString& from, const QString& to)
{
    const int fd = ::open(Native(from).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    std::string bytes;
    char buf[65536];
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            ok = false;
        if (n <= 0)
            break;
        bytes.append(buf, size_t(n));
    }
    ::close(fd);
    return ok && WriteFileAtomically(to, bytes.data(), bytes.size());
}
