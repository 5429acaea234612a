#include "app/ui/LinkServicesUi.h"

#include "app/AppSeams.h"
#include "app/ui/CKavoApp.h"
#include "app/ui/CKavoDocList.h"
#include "core/AppGlobals.h"
#include "core/StringHelpers.h"
#include "dialogs/CHyperlinkDlg.h"
#include "document/CKavoDoc.h"
#include "document/HyperlinkCommands.h"
#include "editing/ui/CKavoView.h"
#include "frame/ui/CMainFrame.h"
#include "platform/Ansi.h"
#include "platform/Prompt.h"
#include "render/ViewPaint.h"
#include "richtext/TextUtils.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QUrl>

namespace {

// Set while a link is being opened, so that a second one started meanwhile
// opens in a window of its own instead of replacing the diagram under way.
bool g_bOpeningLink = false;

struct OpeningLink {
    OpeningLink() { g_bOpeningLink = true; }
    ~OpeningLink() { g_bOpeningLink = false; }
};

bool SameFile(const std::string& a, const std::string& b)
{
    const QFileInfo fa(AnsiToQString(a)), fb(AnsiToQString(b));
    return fa.exists() && fb.exists() && fa.canonicalFilePath() == fb.canonicalFilePath();
}

// Programs and launchers are never started by following a link: a link
// names something to look at.
bool IsLauncher(const QFileInfo& info)
{
    static const QStringList kinds{"sh", "bash", "desktop", "exe", "bat", "cmd", "com", "run", "appimage", "py", "pl"};
    const QString suffix = info.suffix().toLower();
    return info.isFile() && (kinds.contains(suffix) || (info.isExecutable() && suffix.isEmpty()));
}

LinkOpenResult OpenWithDesktop(const QUrl& url)
{
    return QDesktopServices::openUrl(url) ? kLinkOpenedNew : kLinkFailed;
}

int DiagramWindowCount()
{
    const CKavoApp* app = AfxGetKavoApp();
    if (app && app->MainFrame() && app->MainFrame()->MdiArea())
        return int(app->MainFrame()->MdiArea()->subWindowList().size());
    return AppSeams().documentCount ? AppSeams().documentCount() : 0;
}

// The parent link of the diagram reached, unless it has one; a change marks
// the diagram modified.
void GiveParentLink(CKavoDoc* doc, const std::string& parent)
{
    if (!doc || doc->HasParentLink() || parent.empty())
        return;
    *doc->GetParentLinkRec() = parent;
    doc->SetModifiedFlag(true);
}

// A diagram read in place starts at 100 percent at its top-left corner,
// unless the view already stood at 100 percent on a page of the same size.
void ResetViewAfterInPlace(CKavoDoc* doc, float oldZoom, const CRect& oldPage)
{
    CKavoView* view = GetActiveKavoView();
    if (!view || view->GetDocument() != doc)
        return;
    if (oldZoom == 100.0f && GetPageAreaRect(*doc) == oldPage)
        return;
    view->SetScrollSizesForView(CPoint(0, 0), 100.0f);
}

// Saves the diagram first when it has changes. False when that save
// failed: the changes must not be thrown away by the load.
bool SaveBeforeReplacing(CKavoDoc* doc)
{
    return !doc->IsModified() || CKavoDocList::Instance().DoFileSave(doc);
}

LinkOpenResult OpenInPlace(CKavoDoc* doc, const std::string& path)
{
    const CKavoView* view = GetActiveKavoView();
    const float oldZoom = view && view->GetDocument() == doc ? view->GetZoom() : 100.0f;
    const CRect oldPage = GetPageAreaRect(*doc);
    if (!doc->OnOpenDocument(path))
        return kLinkFailed;
    ResetViewAfterInPlace(doc, oldZoom, oldPage);
    if (CKavoApp* app = AfxGetKavoApp())
        app->RefreshTitles();
    return kLinkOpenedInPlace;
}

LinkOpenResult OpenInNewWindow(const std::string& path)
{
    CKavoApp* app = AfxGetKavoApp();
    // Diagrams reached by a link stay out of the recent file list.
    g_bNoRecentEntry = true;
    const bool ok = app ? app->OpenDocumentByCommand(path) : AppSeams().openDocumentFile(path);
    g_bNoRecentEntry = false;
    return ok ? kLinkOpenedNew : kLinkFailed;
}

LinkOpenResult OpenDiagram(CKavoDoc* from, const std::string& path, bool replace)
{
    // A diagram that links to itself is already where the link leads.
    if (SameFile(path, from->GetPathName()))
        return kLinkOpenedInPlace;
    const bool inPlace = replace || (!g_bOpeningLink && DiagramWindowCount() == 1);
    OpeningLink flag;
    if (inPlace) {
        if (!QFileInfo::exists(AnsiToQString(path)))
            return kLinkFailed;
        // When the changes cannot be saved the diagram stays, and the target
        // opens beside it.
        if (SaveBeforeReplacing(from))
            return OpenInPlace(from, path);
    }
    return OpenInNewWindow(path);
}

CKavoDoc* ActiveDoc()
{
    LinkServices& s = GetLinkServices();
    return s.activeDoc ? s.activeDoc() : GetActiveKavoDoc();
}

bool OpenLink(const std::string& link, int follow)
{
    return OpenLinkFrom(ActiveDoc(), link, follow != 0, false) != kLinkFailed;
}

bool RunHyperlinkDialog(std::string& text, int promptId, bool& remove)
{
    CHyperlinkDlg dlg(QApplication::activeWindow());
    dlg.m_strLink = text;
    LoadCStringRes(dlg.m_strPrompt, UINT(promptId));
    if (const CKavoDoc* doc = ActiveDoc())
        dlg.m_strDocPath = doc->GetPathName();
    if (dlg.DoModal() != IDOK)
        return false;
    text = dlg.m_strLink;
    remove = dlg.m_bRemove;
    return true;
}

} // namespace

LinkOpenResult OpenLinkFrom(CKavoDoc* from, const std::string& link, bool setParent, bool replace)
{
    if (!from || link.empty() || from->GetPathName().empty())
        return kLinkFailed;
    std::string path;
    if (LooksLikeUrl(link)) {
        const std::string address = WebAddressForLink(link);
        if (address.empty())
            return kLinkFailed;
        const QUrl url(AnsiToQString(address), QUrl::StrictMode);
        if (!url.isLocalFile())
            return OpenWithDesktop(url);
        // A file address is a file like any other link.
        path = QStringToAnsi(url.toLocalFile());
    } else {
        path = ResolveLinkTarget(link, from->GetPathName());
    }
    const QFileInfo info(AnsiToQString(path));
    if (!info.exists() || IsLauncher(info))
        return kLinkFailed;
    if (info.isDir() || !IsDiagramFile(path))
        return OpenWithDesktop(QUrl::fromLocalFile(info.absoluteFilePath()));
    const std::string parent = from->GetPathName();
    const LinkOpenResult result = OpenDiagram(from, path, replace);
    if (result == kLinkOpenedNew && setParent)
        GiveParentLink(GetActiveKavoDoc(), parent);
    else if (result == kLinkOpenedInPlace && setParent && !SameFile(path, parent))
        GiveParentLink(from, parent);
    return result;
}

std::string WebAddressForLink(const std::string& link)
{
    QString text = AnsiToQString(link).trimmed();
    if (LooksLikeWebHost(link))
        text.prepend(text.startsWith("ftp.", Qt::CaseInsensitive) ? "ftp://" : "http://");
    const QUrl url(text, QUrl::StrictMode);
    if (!url.isValid() || url.scheme().isEmpty())
        return std::string();
    const QString scheme = url.scheme().toLower();
    const bool web = scheme == "http" || scheme == "https" || scheme == "ftp";
    if (web && url.host().isEmpty())
        return std::string();
    if (scheme == "file" && url.toLocalFile().isEmpty())
        return std::string();
    return QStringToAnsi(url.toString(QUrl::FullyEncoded));
}

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
