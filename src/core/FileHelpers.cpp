#include "core/FileHelpers.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <cstdio>
#include <sys/stat.h>
#include <unistd.h>

namespace {
constexpr qint64 kCopyChunk = 64 * 1024;

QByteArray Native(const QString& path)
{
    return QFile::encodeName(path);
}

// Whether the path itself exists; a dangling symbolic link counts, as it can
// still be moved.
bool PathEntryExists(const QString& path)
{
    struct stat st {};
    return !path.isEmpty() && ::lstat(Native(path).constData(), &st) == 0;
}

std::time_t ToTime(const QDateTime& when)
{
    return when.isValid() ? std::time_t(when.toSecsSinceEpoch()) : 0;
}

bool CopyStream(QFile& source, QSaveFile& target)
{
    QByteArray chunk;
    for (;;) {
        chunk = source.read(kCopyChunk);
        if (chunk.isEmpty())
            // End of the data, or a read error (which QFile reports in error()).
            return source.error() == QFileDevice::NoError;
        if (target.write(chunk) != chunk.size())
            return false;
    }
}
} // namespace

bool FileExists(const QString& path)
{
    struct stat st {};
    return !path.isEmpty() && ::stat(Native(path).constData(), &st) == 0;
}

bool IsEnterableDirectory(const QString& path)
{
    if (path.isEmpty())
        return false;
    struct stat st {};
    const QByteArray native = Native(path);
    return ::stat(native.constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
           ::access(native.constData(), X_OK) == 0;
}

std::time_t FileCreationTime(const QString& path)
{
    QFileInfo info(path);
    if (!info.exists())
        return 0;
    const QDateTime born = info.birthTime();
    return ToTime(born.isValid() ? born : info.lastModified());
}

std::time_t FileModifiedTime(const QString& path)
{
    QFileInfo info(path);
    return info.exists() ? ToTime(info.lastModified()) : 0;
}

bool CopyFileData(const QString& from, const QString& to)
{
    if (!FileExists(from) || to.isEmpty())
        return false;
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return false;
    QSaveFile target(to);
    if (!target.open(QIODevice::WriteOnly))
        return false;
    if (!CopyStream(source, target)) {
        target.cancelWriting();
        return false;
    }
    // commit() flushes and syncs the temporary, then renames it over `to`; on
    // failure it removes the temporary and leaves `to` alone.
    return target.commit();
}

bool MoveFileReplacing(const QString& from, const QString& to)
{
    if (!PathEntryExists(from) || to.isEmpty())
        return false;
    if (::rename(Native(from).constData(), Native(to).constData()) == 0)
        return true;
    if (errno != EXDEV)
        return false;
    // Another file system: rename cannot cross it, so copy beside the target.
    if (!CopyFileData(from, to))
        return false;
    return ::unlink(Native(from).constData()) == 0;
}
