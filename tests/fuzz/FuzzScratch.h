#pragma once
// A scratch folder for fuzz targets whose parsers read files: memory-backed when
// the machine has it (the profile store saves through fsync, which would make
// every input cost a disk flush).
#include <QDir>
#include <QFileInfo>
#include <QString>

#include <unistd.h>

// "<scratch>/<stem>-<pid>": one per process, so parallel fuzzers do not meet.
inline QString FuzzScratchPath(const char* stem)
{
    const QFileInfo shm("/dev/shm");
    const QString base = shm.isDir() && shm.isWritable() ? shm.filePath() : QDir::tempPath();
    return base + QString("/%1-%2").arg(stem).arg(::getpid());
}
