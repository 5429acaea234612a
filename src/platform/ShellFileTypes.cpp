#include "platform/ShellFileTypes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {
constexpr const char* kMimeType = "application/x-kavo-diagram";

bool WriteIfChanged(const QString& path, const QByteArray& content)
{
    QFile existing(path);
    if (existing.open(QIODevice::ReadOnly) && existing.readAll() == content)
        return true;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.write(content);
    return f.commit();
}
} // namespace

QString ShellDataHome()
{
    QString home = qEnvironmentVariable("XDG_DATA_HOME");
    return home.isEmpty() ? QDir::homePath() + "/.local/share" : home;
}

bool RegisterShellFileTypes(const QString& programPath)
{
    const QByteArray mime = QByteArray(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
        "  <mime-type type=\"") + kMimeType + "\">\n"
        "    <comment>KAVO Diagram</comment>\n"
        "    <glob pattern=\"*.kvd\"/>\n"
        "  </mime-type>\n"
        "</mime-info>\n";
    QString exec = programPath;
    exec.replace("\\", "\\\\").replace("\"", "\\\"");
    const QByteArray desktop = QByteArray("[Desktop Entry]\n"
                                          "Type=Application\n"
                                          "Name=KAVO Diagrammer\n"
                                          "Exec=\"") + exec.toUtf8() + "\" %f\n"
                               "MimeType=" + kMimeType + ";\n"
                               "Categories=Graphics;\n";
    const QString home = ShellDataHome();
    bool ok = WriteIfChanged(home + "/mime/packages/kavo-diagram.xml", mime);
    ok = WriteIfChanged(home + "/applications/kavo-diagrammer.desktop", desktop) && ok;
    return ok;
}
