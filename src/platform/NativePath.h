#pragma once
// Paths as the file system knows them: the bytes of a command line or of a
// folder listing, held in a std::string. Text from a dialog is encoded with
// the locale's file-name encoding (QFile::encodeName); a name that is not
// valid text in that encoding still opens, because its bytes are never
// decoded on the way to the system.
#include <QString>

#include <string>

std::string NativePath(const QString& path);
// The path as text for display (QFile::decodeName: bytes that are not valid
// text show as replacement characters).
QString PathText(const std::string& native);
// The path made absolute against the current folder, with "." and ".."
// folders and repeated separators removed, byte for byte otherwise.
std::string AbsoluteNativePath(const std::string& native);
