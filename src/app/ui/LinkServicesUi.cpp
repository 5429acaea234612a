#include "app/ui/LinkServicesUi.h"

#include "app/ui/CKavoApp.h"
#include "core/AppGlobals.h"
#include "core/StringHelpers.h"
#include "dialogs/CHyperlinkDlg.h"
#include "document/CKavoDoc.h"
#include "document/HyperlinkCommands.h"
#include "platform/Ansi.h"
#include "platform/Prompt.h"
#include "richtext/TextUtils.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

namespace {

bool OpenDiagram(const std::string& path)
{
    CKavoApp* app = AfxGetKavoApp();
    if (!app)
        return false;
    // Diagrams reached by a link stay out of the recent file list.
    g_bNoRecentEntry = true;
    const bool ok = app->OpenDocumentByCommand(path);
    g_bNoRecentEntry = false;
    return ok;
}

bool OpenLink(const std::string& link, int)
{
    if (link.empty())
        return false;
    if (LooksLikeUrl(link))
        return QDesktopServices::openUrl(QUrl::fromUserInput(AnsiToQString(link)));
    const CKavoDoc* doc = GetActiveKavoDoc();
    const std::string path = ResolveLinkTarget(link, doc ? doc->GetPathName() : std::string());
    if (!QFileInfo::exists(AnsiToQString(path)))
        return false;
    if (IsDiagramFile(path))
        return OpenDiagram(path);
    return QDesktopServices::openUrl(QUrl::fromLocalFile(AnsiToQString(path)));
}

bool RunHyperlinkDialog(std::string& text, int promptId, bool& remove)
{
    CHyperlinkDlg dlg(QApplication::activeWindow());
    dlg.m_strLink = text;
    LoadCStringRes(dlg.m_strPrompt, UINT(promptId));
    if (const CKavoDoc* doc = GetActiveKavoDoc())
        dlg.m_strDocPath = doc->GetPathName();
    if (dlg.DoModal() != IDOK)
        return false;
    text = dlg.m_strLink;
    remove = dlg.m_bRemove;
    return true;
}

} // namespace

std::string ResolveLinkTarget(const std::string& link, const std::string& docPath)
{
    // Links written on a system with backslash separators still find their file.
    const QString target = AnsiToQString(link).replace('\\', '/');
    if (QFileInfo(target).isAbsolute() || docPath.empty())
        return QStringToAnsi(target);
    const QDir base = QFileInfo(AnsiToQString(docPath)).absoluteDir();
    return QStringToAnsi(QDir::cleanPath(base.absoluteFilePath(target)));
}

bool IsDiagramFile(const std::string& path)
{
    const QString suffix = QFileInfo(AnsiToQString(path)).suffix().toLower();
    return suffix == "kvd" || suffix == "bak";
}

void InstallLinkServices()
{
    LinkServices& s = GetLinkServices();
    s.activeDoc = [] { return GetActiveKavoDoc(); };
    s.open = &OpenLink;
    s.hyperlinkDialog = &RunHyperlinkDialog;
    s.looksLikeUrl = [](const std::string& text) { return LooksLikeUrl(text); };
}
