#pragma once
// Path helpers of the document's file side. A document's path is the file
// system's own bytes (QFile::encodeName of the text a dialog gave, or the
// bytes of a command line), so a name that is not valid text still opens.
#include <string>

// The path as a message shows it (Windows-1252 text).
std::string ShownPath(const std::string& path);
// Whether two paths name the same file: both made absolute and resolved,
// then compared exactly (file names differ by case on this system).
bool SameFilePath(const std::string& a, const std::string& b);
// The backup ("BAK") and autosave copy ("TMP") beside the diagram: its path
// with the extension replaced, in the case of the extension it had.
std::string AutoBackupPath(const std::string& path);
std::string AutoSaveCopyPath(const std::string& path);
