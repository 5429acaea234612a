// The application-level commands: new, open, recent files, revert, help and
// the update check.
#include "app/ui/CKavoApp.h"
#include "app/ui/CConSheetCommandsUi.h"
#include "app/ui/ExportCommandsUi.h"
#include "app/ui/FigSheetCommandsUi.h"
#include "app/ui/PictureCommandsUi.h"

#include "core/AppGlobals.h"
#include "app/AppSeams.h"
#include "core/MsgBox.h"
#include "core/PathHelpers.h"
#include "core/ProgramFolders.h"
#include "core/ShellHelpers.h"
#include "core/Trace.h"
#include "core/UIMode.h"
#include "app/UpdateCheck.h"
#include "app/ui/CAboutDlg.h"
#include "app/ui/CKavoDocList.h"
#include "app/ui/CKavoDocManager.h"
#include "document/CKavoDoc.h"
#include "render/PrintCommands.h"
#include "frame/ui/CMainFrame.h"
#include "platform/Ansi.h"
#include "platform/Prompt.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QUrl>

#include <ctime>

namespace {
constexpr UINT IDS_REVERT_QUESTION = 864;
constexpr UINT AFX_IDS_OPENFILE = 0xF000;
constexpr UINT IDS_HELP_FAILED = 829;
constexpr int kUIModeLastSelect = 6;
constexpr DWORD kHelpFaq = 202;
constexpr DWORD kHelpWhatsNew = 201;
constexpr const char* kHelpPage = "index.html";
constexpr const char* kUmlGuidePage = "uml-guide.html";
constexpr UINT kHelpFinder = 0x000B;

// Opening a document may add a window; a maximised child then gives way to a
// cascade so that the new one is seen.
void CascadeIfMaximisedBefore(bool wasMaximised)
{
    if (wasMaximised && AppSeams().documentCount() > 1)
        AppSeams().cascadeWindows();
}
} // namespace

bool CKavoApp::PromptForTemplate(std::string& path, BOOL flag)
{
    DiagPrintf("STAT  PromptForTemplate()\n");
    if (m_pMainWnd) {
        m_pMainWnd->show();
        m_pMainWnd->activateWindow();
        m_pMainWnd->raise();
    }
    path.clear();
    const TemplateChoice choice = AppSeams().runTemplateDialog(flag != 0);
    if (flag) {
        path = choice.path;
        return true;
    }
    if (!choice.made)
        return false;
    path = choice.path;
    return true;
}

void CKavoApp::OnFileNew()
{
    DiagPrintf("USER  New\n");
    CloseActiveTextEditor();
    EnterUIMode(kUIModeLastSelect, 0);
    const bool wasMaximised = AppSeams().documentCount() > 0 && AppSeams().activeChildMaximized();
    g_strNewTemplatePath.clear();
    if (!PromptForTemplate(g_strNewTemplatePath, FALSE)) {
        g_strNewTemplatePath.clear();
        return;
    }
    g_bOpeningByCommand = true;
    AppSeams().newDocument();
    g_bOpeningByCommand = false;
    CascadeIfMaximisedBefore(wasMaximised);
    if (AppSeams().hasActiveDoc() && AppSeams().hasActiveView()) {
        AppSeams().zoomActiveViewToPageWidth();
        if (!g_strNewTemplatePath.empty())
            AppSeams().setActiveDocTemplateName(GetPathFileName(g_strNewTemplatePath));
    }
    g_strNewTemplatePath.clear();
}

void CKavoApp::OnFileOpen()
{
    DiagPrintf("USER  Open\n");
    const bool hadNone = AppSeams().documentCount() == 0;
    const bool wasMaximised = !hadNone && AppSeams().activeChildMaximized();
    CKavoDocManager manager;
    std::vector<std::string> files;
    if (!manager.DoPromptFileName(files, AFX_IDS_OPENFILE, true))
        return;
    for (const std::string& file : files)
        OpenDocumentByCommand(file);
    // Several files opened at once are laid out so that each can be seen.
    CascadeIfMaximisedBefore(hadNone || wasMaximised);
}

void CKavoApp::OnOpenRecentFile(int index)
{
    const bool wasMaximised = AppSeams().documentCount() > 0 && AppSeams().activeChildMaximized();
    const std::string path = m_recentFiles[index];
    if (path.empty())
        return;
    g_bOpeningByCommand = true;
    const bool opened = AppSeams().openDocumentFile(path);
    g_bOpeningByCommand = false;
    if (!opened) {
        // A file that is gone leaves the list, as the framework does.
        m_recentFiles.Remove(index);
        return;
    }
    AddToRecentFileList(path);
    CascadeIfMaximisedBefore(wasMaximised);
    if (AppSeams().hasActiveDoc() && AppSeams().hasActiveView() &&
        AppSeams().activeDocHasDefaultView())
        AppSeams().zoomActiveViewToPageWidth();
}

void CKavoApp::OnFileRevert()
{
    const std::string path = AppSeams().activeDocPath();
    if (path.empty())
        return;
    const std::string name = GetPathFileName(path);
    if (MsgBoxResPrintf(MB_OKCANCEL | MB_ICONEXCLAMATION, IDS_REVERT_QUESTION, name.c_str()) == IDCANCEL)
        return;
    // The reload replaces the diagram only when the file loads; when it fails
    // the diagram keeps its changes, its modified mark and its held file.
    AppSeams().openLinkTarget(path, 0, 1);
}

void CKavoApp::OnFileSave()
{
    DiagPrintf("USER  Save\n");
    CKavoDoc* doc = GetActiveKavoDoc();
    if (CKavoDocList::Instance().DoFileSave(doc))
        AddToRecentFileList(doc->GetPathName());
    RefreshTitles();
}

void CKavoApp::OnFileSaveAs()
{
    DiagPrintf("USER  Save As\n");
    CKavoDoc* doc = GetActiveKavoDoc();
    if (CKavoDocList::Instance().DoSaveAs(doc))
        AddToRecentFileList(doc->GetPathName());
    RefreshTitles();
}

void CKavoApp::OnFileClose()
{
    // An open text editor puts its text into the diagram before it is asked about.
    CloseActiveTextEditor();
    CKavoDoc* doc = GetActiveKavoDoc();
    if (!doc || !CKavoDocList::Instance().SaveModified(doc))
        return;
    AppSeams().closeActiveDocWindows();
}

void CKavoApp::OnWindowNew()
{
    if (!AppSeams().hasActiveDoc())
        return;
    const bool wasMaximised = AppSeams().activeChildMaximized();
    if (AppSeams().newWindowOfActiveDoc() && wasMaximised)
        m_pMainWnd->Commands().Execute(57650);
}

void CKavoApp::OnHelpFinder()
{
    WinHelp(0, kHelpFinder);
}

void CKavoApp::OnFileSaveAll()
{
    DiagPrintf("USER  Save All\n");
    CKavoDocList::Instance().SaveAll();
    RefreshTitles();
}

// A save under a new name shows in the window titles at once.
void CKavoApp::RefreshTitles()
{
    if (m_pMainWnd)
        m_pMainWnd->RefreshFrameTitles();
}

bool CKavoApp::OnUpdateFileRevert() const
{
    return !AppSeams().activeDocPath().empty() && AppSeams().activeDocModified();
}

bool CKavoApp::OnUpdateNeedDoc() const
{
    return AppSeams().hasActiveDoc();
}

void CKavoApp::OnHelpFaq()
{
    WinHelp(kHelpFaq, 1);
}

void CKavoApp::OnHelpWhatsNew()
{
    WinHelp(kHelpWhatsNew, 1);
}

void CKavoApp::OnHelpUmlDiagramming()
{
    OpenHelpPage(kUmlGuidePage, 0);
}

void CKavoApp::OnHelpCheckForUpdates()
{
    RunUpdateCheck(&OpenUrlInBrowser, std::time(nullptr));
}

void CKavoApp::OnAppAbout()
{
    if (AppSeams().hasActiveDoc())
        AppSeams().dumpActiveDocObjs();
    CAboutDlg dlg(m_pMainWnd);
    dlg.DoModal();
}

// The help pages are HTML files in the program's "Help" folder, shown in the
// desktop browser; a help context becomes the page's anchor "ctx<id>".
void CKavoApp::WinHelp(DWORD data, UINT command)
{
    (void)command;
    OpenHelpPage(kHelpPage, data);
}

void CKavoApp::OpenHelpPage(const QString& page, DWORD context)
{
    const QString file = GetProgramFolder() + "Help/" + page;
    if (!QFileInfo::exists(file)) {
        ShowHelpFailure(file, false);
        return;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QUrl url = QUrl::fromLocalFile(file);
    if (context != 0)
        url.setFragment(QString("ctx%1").arg(context));
    const bool shown = QDesktopServices::openUrl(url);
    QApplication::restoreOverrideCursor();
    if (!shown)
        ShowHelpFailure(file, true);
}

// The pages are shown by the desktop's web browser: the message names the
// page and says whether it is missing or no browser took it.
void CKavoApp::ShowHelpFailure(const QString& page, bool pageExists)
{
    const std::string path = QStringToAnsi(QDir::toNativeSeparators(page));
    if (pageExists)
        MsgBoxResPrintf(MB_ICONEXCLAMATION, IDS_HELP_FAILED, path.c_str());
    else
        MsgBoxPrintf(MB_ICONEXCLAMATION, "Cannot display help.  The help page %s is missing.", path.c_str());
}

void CKavoApp::RegisterAppCommands()
{
    CCommandRegistry& c = m_pMainWnd->Commands();
    c.SetHandler(57600, [this] { OnFileNew(); });
    c.SetHandler(57601, [this] { OnFileOpen(); });
    c.SetHandler(57664, [this] { OnAppAbout(); });
    c.SetHandler(57602, [this] { OnFileClose(); });
    c.SetHandler(57648, [this] { OnWindowNew(); });
    c.SetHandler(57666, [this] { OnHelpFinder(); });
    c.SetHandler(57603, [this] { OnFileSave(); });
    c.SetHandler(57604, [this] { OnFileSaveAs(); });
    c.SetHandler(36538, [this] { OnFileSaveAll(); });
    c.SetUpdate(36538, [this](CmdUI& ui) { ui.Enable(OnUpdateNeedDoc()); });
    // The application's rules ask the documents the application knows.
    c.SetHandler(36570, [this] { OnFileRevert(); });
    c.SetUpdate(36570, [this](CmdUI& ui) { ui.Enable(OnUpdateFileRevert()); });
    c.SetHandler(32789, [this] { OnHelpFaq(); });
    c.SetHandler(32790, [this] { OnHelpWhatsNew(); });
    c.SetHandler(32831, [this] { OnHelpUmlDiagramming(); });
    c.SetHandler(32827, [this] { OnHelpCheckForUpdates(); });
    c.SetHandler(57607, [this] { OnFilePrint(false); });
    c.SetHandler(57608, [this] { OnFilePrint(true); });
    c.SetHandler(57609, [this] { OnFilePrintPreview(); });
    c.SetHandler(57606, [this] { OnFilePrintSetup(); });
    c.SetHandler(36537, [this] { OnFilePrintAll(); });
    c.SetHandler(40003, [this] {
        if (CKavoDoc* doc = GetActiveKavoDoc())
            RunExportGraphic(m_pMainWnd, *doc);
    });
    c.SetHandler(36559, [this] {
        if (CKavoDoc* doc = GetActiveKavoDoc())
            RunSaveHtml(m_pMainWnd, *doc);
    });
    RegisterPictureCommands(c, m_pMainWnd);
    RegisterConSheetCommands(c, m_pMainWnd);
    RegisterFigureSheetCommands(c, m_pMainWnd);
    for (int i = 0; i < kRecentFileItems; ++i)
        c.SetHandler(ID_FILE_MRU_FIRST + i, [this, i] { OnOpenRecentFile(i); });
    m_pMainWnd->SetRecentFileSource([this] {
        std::vector<std::string> files;
        for (int i = 0; i < m_recentFiles.GetSize() && !m_recentFiles[i].empty(); ++i)
            files.push_back(m_recentFiles[i]);
        return files;
    });
}

void CKavoApp::OnFilePrint(bool direct)
{
    DiagPrintf("USER  Print\n");
    PrintCommand(GetActiveKavoDoc(), direct);
}

void CKavoApp::OnFilePrintPreview()
{
    PrintPreviewCommand(GetActiveKavoDoc());
}

void CKavoApp::OnFilePrintSetup()
{
    PrintSetupCommand(GetActiveKavoDoc());
}

void CKavoApp::OnFilePrintAll()
{
    PrintAllCommand(AppSeams().allDocuments());
}
