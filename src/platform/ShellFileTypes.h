#pragma once
// Registers the diagram file type with the desktop: a shared-mime-info package
// for "*.kvd" and a desktop entry that opens such files with this program,
// under $XDG_DATA_HOME (or ~/.local/share). Existing files with the same
// content are left untouched.
#include <QString>

// The folder the registration writes under.
QString ShellDataHome();
// Writes both files; false when one could not be written.
bool RegisterShellFileTypes(const QString& programPath);
