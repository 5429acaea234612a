#pragma once
// File and folder helpers. Paths are file-system paths (QString); a caller
// holding a Windows-1252 path from a file converts it with AnsiToQString.
//
// Replacing a file never goes through a moment where the target is missing:
// the new content is written to a temporary file beside the target, flushed to
// disk and renamed over it, so that any failure leaves the old target as it was.
#include <QString>

#include <ctime>

// True when the system can report on the path (a file or a folder).
bool FileExists(const QString& path);

// True when the path names a folder this process may enter, with or without
// its final '/'. Does not change the current directory.
bool IsEnterableDirectory(const QString& path);

// Seconds since the epoch; 0 when the file cannot be queried. A file system
// that keeps no creation time answers the modification time.
std::time_t FileCreationTime(const QString& path);
std::time_t FileModifiedTime(const QString& path);

// Moves `from` to `to`, replacing `to` atomically. Across file systems the data
// is copied to a temporary beside `to`, renamed over it, and `from` removed.
// False when `from` does not exist or anything fails; `to` then keeps its
// previous content. True only when `from` is gone and `to` holds its data.
bool MoveFileReplacing(const QString& from, const QString& to);

// Copies the data of `from` over `to` through a temporary beside `to`. False
// when `from` does not exist, cannot be read to its end, or `to` cannot be
// written; `to` then keeps its previous content (or stays absent).
bool CopyFileData(const QString& from, const QString& to);
