#pragma once
// Handing addresses and documents to the desktop: web pages go to the user's
// browser, files to the program the desktop associates with them. Everything
// goes through one opener, which tests replace with a recorder.
#include <QString>
#include <QUrl>

#include <functional>
#include <string>

// Opens a URL with the desktop; true when it was handed on.
using ShellOpener = std::function<bool(const QUrl&)>;
// Installs the opener; an empty one restores the desktop's (QDesktopServices).
void SetShellOpener(ShellOpener opener);

// Whether the desktop has a program that opens web pages (xdg-open on Linux),
// and its path in `program`. The extension is accepted for the callers' sake:
// one opener serves every page type. Creates no file.
bool FindDefaultBrowser(const std::string& extension, QString& program);

// Opens a web address, or a local page when the text is a path, in the
// browser. The text is Windows-1252 (hyperlinks and addresses are model text).
bool OpenUrlInBrowser(const std::string& url);

// Opens a file (a file-system path) with the program associated with it.
bool ShellOpenFile(const QString& path);
