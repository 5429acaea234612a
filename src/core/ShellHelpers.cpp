#include "core/ShellHelpers.h"

#include "platform/Ansi.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QStandardPaths>

namespace {
ShellOpener g_opener;

bool Open(const QUrl& url)
{
    if (!url.isValid() || url.isEmpty())
        return false;
    if (g_opener)
        return g_opener(url);
    return QDesktopServices::openUrl(url);
}

// "http://...", "mailto:..." are addresses, and so is "www..." as typed in
// text; "C:\..." (a one-letter scheme) and plain paths are files.
QUrl UrlFromText(const QString& text)
{
    const QUrl url(text, QUrl::TolerantMode);
    if (url.isValid() && url.scheme().size() > 1)
        return url;
    if (text.startsWith(QLatin1String("www."), Qt::CaseInsensitive))
        return QUrl(QStringLiteral("http://") + text, QUrl::TolerantMode);
    return QUrl::fromLocalFile(QFileInfo(text).absoluteFilePath());
}
} // namespace

void SetShellOpener(ShellOpener opener)
{
    g_opener = std::move(opener);
}

bool FindDefaultBrowser(const std::string& extension, QString& program)
{
    program = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    return !program.isEmpty();
}

bool OpenUrlInBrowser(const std::string& url)
{
    const QString text = AnsiToQString(url).trimmed();
    if (text.isEmpty())
        return false;
    return Open(UrlFromText(text));
}

bool ShellOpenFile(const QString& path)
{
    if (path.isEmpty())
        return false;
    return Open(QUrl::fromLocalFile(QFileInfo(path).absoluteFilePath()));
}
