#include "core/ProgramFolders.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {
QString g_testProgramFolder;

QString WithTrailingSlash(QString folder)
{
    if (!folder.isEmpty() && !folder.endsWith('/'))
        folder += '/';
    return folder;
}

// The executable's folder. /proc/self/exe names the program even before the
// application object exists and after it is gone.
QString ExecutableFolder()
{
    if (QCoreApplication::instance())
        return QCoreApplication::applicationDirPath();
    const QString exe = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
    return exe.isEmpty() ? QString() : QFileInfo(exe).absolutePath();
}

QString SharedContentFolder()
{
    const QString folder = qEnvironmentVariable(kCommonFolderVariable);
    if (folder.isEmpty())
        return {};
    const QString base = WithTrailingSlash(folder);
    if (!QFileInfo(base + kCommonFolderMarker).isFile())
        return {};
    return base;
}

// A folder under the content base; empty when the base is unknown, so that a
// caller never looks in a folder relative to the current directory.
QString ContentFolder(const char* name)
{
    const QString base = GetContentBaseFolder();
    return base.isEmpty() ? QString() : base + QLatin1String(name);
}
} // namespace

QString GetProgramFolder()
{
    if (!g_testProgramFolder.isEmpty())
        return g_testProgramFolder;
    return WithTrailingSlash(ExecutableFolder());
}

QString GetContentBaseFolder()
{
    const QString shared = SharedContentFolder();
    return shared.isEmpty() ? GetProgramFolder() : shared;
}

QString GetTemplatesFolder()
{
    return ContentFolder("Template/");
}

QString GetSamplesFolder()
{
    return ContentFolder("Samples/");
}

QString GetSymbolsFolder()
{
    return ContentFolder("Symbols/");
}

QString GetClipartFolder()
{
    return ContentFolder("Clipart/");
}

QString GetVariantsFolder()
{
    return ContentFolder("Template/Variants/");
}

void SetProgramFolderForTest(const QString& folder)
{
    g_testProgramFolder = WithTrailingSlash(folder);
}
