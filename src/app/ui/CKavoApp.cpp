#include "app/ui/CKavoDocList.h"
#include "app/ui/CKavoApp.h"
#include "dialogs/CColorSchemeDlg.h"
#include "fileformat/CDocVariantTarget.h"
#include "editing/MoveContext.h"
#include "editing/ui/CKavoView.h"

#include "core/AppGlobals.h"
#include "app/AppSeams.h"
#include "app/AppStartup.h"
#include "core/CAppProfile.h"
#include "core/HelpRequest.h"
#include "core/MessageBeep.h"
#include "graphics/DrawHelpers.h"
#include "core/MsgBox.h"
#include "core/PathHelpers.h"
#include "core/ProgramFolders.h"
#include "core/Settings.h"
#include "core/ShellHelpers.h"
#include "core/StringHelpers.h"
#include "core/Trace.h"
#include "core/UIMode.h"
#include "app/UpdateCheck.h"
#include "app/ui/CAboutDlg.h"
#include "dialogs/CMessageDlgs.h"
#include "app/ui/CUpdateReminderDlg.h"
#include "document/ChoiceTables.h"
#include "keyword/KeywordHooks.h"
#include "frame/ui/CMainFrame.h"
#include "platform/Ansi.h"
#include "platform/Prompt.h"
#include "platform/Registry.h"
#include "platform/ShellFileTypes.h"
#include "platform/ui/CQtPromptService.h"
#include "platform/ui/CSingleInstance.h"
#include "app/ui/CSplashWnd.h"
#include "app/ui/CQtPrintUi.h"
#include "app/ui/LinkServicesUi.h"
#include "document/AppPrinter.h"
#include "render/ModelStartup.h"

#include <FreeImage.h>
#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QScreen>
#include <QTimer>
#include <QWindow>

#include <algorithm>
#include <ctime>

namespace {
constexpr UINT IDS_UNFINISHED_START = 827;
constexpr int kUIModeRememberedSelect = 6;
constexpr int kIdleThrottleMs = 150;
constexpr int kSplashBitmap = 319;
constexpr int kFirstRunSplashBitmap = 321;
constexpr const char* kDdeApplicationKey = "Morlaven.Diagram\\shell\\open\\ddeexec\\application";

CKavoApp* g_app = nullptr;

std::string AppTitle()
{
    std::string title;
    LoadCStringRes(title, 0xE000);
    return title;
}

std::vector<std::string> ArgumentsAfterProgram(const QStringList& args)
{
    std::vector<std::string> out;
    for (const QString& a : args.mid(1))
        out.push_back(a.toStdString());
    return out;
}

// No OLE server here: the registration steps keep their traces and do nothing.
void RegisterOleServer() {}
void UpdateOleRegistry() {}

bool IsInputToDismissSplash(QEvent::Type t)
{
    return t == QEvent::MouseButtonPress || t == QEvent::NonClientAreaMouseButtonPress ||
           t == QEvent::KeyPress;
}
} // namespace

CKavoApp* AfxGetKavoApp()
{
    return g_app;
}

CKavoApp::CKavoApp(const QStringList& arguments)
    : m_strInstanceKey(CSingleInstance::DefaultKey()), m_arguments(ArgumentsAfterProgram(arguments))
{
    g_app = this;
    m_strCmdLine = AbsoluteCommandLinePath(CommandLineFile(m_arguments));
    qApp->installEventFilter(this);
}

CKavoApp::~CKavoApp()
{
    g_app = nullptr;
}

BOOL CKavoApp::InitInstance()
{
    // 1. Image library, and with it what loading, saving and drawing
    // diagrams need (the stamp shapes of step 15 among them).
    StartDiagramModel();

    // 2. One running program per user: hand the request over and end.
    m_instance = new CSingleInstance(m_strInstanceKey, this);
    const QString request = m_strCmdLine.empty() ? QString("activate")
                                                 : "open " + QString::fromStdString(m_strCmdLine);
    if (m_instance->ForwardToRunning(request))
        return FALSE;
    // Connected before listening: a request that comes while a start-up dialog
    // runs its own event loop waits for the first document.
    connect(m_instance, &CSingleInstance::requestReceived, this, &CKavoApp::OnInstanceRequest);
    m_instance->Listen();
    // A diagram view under the cursor is the hover window, as the program's
    // own controls are.
    CKavoView::SetHoverReport([this](QWidget* wnd) { SetHoverWnd(wnd, FALSE); });

    // Documents work out which objects follow a move by the editing rules.
    InstallMoveContext();
    // Refusals deep in the model sound the desktop's warning beep.
    SetMessageBeepHandler([](UINT) { QApplication::beep(); });
    // Help buttons of dialogs below the application object open the help page.
    SetHelpHandler([](uint32_t context) {
        if (CKavoApp* app = AfxGetKavoApp())
            app->WinHelp(context, 0);
    });
    // Message boxes close the splash window first.
    SetMsgBoxSplashCloser([] {
        if (CKavoApp* app = AfxGetKavoApp())
            app->CloseSplash();
    });
    // The load warning of the file reader is the warning box with its check box.
    g_pfnKwWarningDlg = [](const std::string& text, bool* dontShow) {
        CWarningDlg dlg;
        dlg.m_strText = text;
        const int answer = dlg.DoModal();
        if (dontShow)
            *dontShow = dlg.m_bDontShow;
        return answer;
    };
    // 3. OLE: not available on this platform; nothing to initialise.
    // 4. Scratch buffers.
    if (!AllocCommonBuffers()) {
        DiagPrintf("Couldn't alloc common buffer\n");
        return FALSE;
    }
    // 5.
    g_bEmbedded = std::any_of(m_arguments.begin(), m_arguments.end(), IsEmbeddingSwitch);
    // 6. Registry root, recent files and settings (first start: migration).
    OpenRegistryRoot();
    // 7. Start guard.
    // AutoOpen is off for this start only: the user's setting itself is kept,
    // so the save at exit does not turn it off for good.
    if (CfgSetLaunching() == 1)
        m_bLastStartUnfinished = true;
    // 8, 9.
    FindUmlFiles();
    // 10.
    BuildChoiceTables();
    GetColorSchemeServices().dialog = &RunColorSchemeDialog;
    InstallLinkServices();
    EnterUIMode(kUIModeRememberedSelect, 0);
    // 11.
    if (!g_bEmbedded) {
        bool reminderShown = false;
        RunUpdateReminder(reminderShown);
        if (!NoSplash && !reminderShown)
            ShowSplash();
    }
    // 12.
    InitDefaultLogFont();
    AppSeams().loadSharedBitmaps();
    // 13.
    ParseDiagSwitch();
    if (QApplication::queryKeyboardModifiers() & Qt::ShiftModifier)
        g_bDiagnostics = true;
    InitDiagnostics();
    DiagPrintf("INIT  Step 1: InitDiagnostics()\n");
    // 14, 15.
    AppSeams().createDocTemplate();
    AppSeams().loadCursors();
    // 16.
    DiagPrintf("INIT  Step 3: Alloc CMainFrame and load frame\n");
    m_pMainWnd = new CMainFrame;
    RegisterAppCommands();
    InstallQtPrinting(m_pMainWnd);
    if (g_bDiagnostics)
        m_pMainWnd->setWindowTitle(AnsiToQString(WithDiagnosticSuffix(AppTitle())));
    // 17.
    RegisterShellOpen();
    RegisterOleServer();
    DiagPrintf("INIT  Step 3c: Call COleTemplateServer::RegisterAll()\n");
    DiagPrintf("INIT  Step 3d: Done COleTemplateServer::RegisterAll()\n");
    // 18.
    if (g_bEmbedded) {
        AcceptInstanceRequests();
        CfgClearLaunching();
        return TRUE;
    }
    // 19.
    DiagPrintf("INIT  Step 3d: Call UpdateRegistry()\n");
    UpdateOleRegistry();
    OpenFirstDocument();
    AcceptInstanceRequests();
    // 20.
    if (m_bLastStartUnfinished) {
        CloseSplash();
        MsgBoxResPrintf(MB_OK, IDS_UNFINISHED_START);
    }
    // 21.
    if (m_pSplashWnd)
        m_pSplashWnd->raise();
    RestorePlacement();
    if (m_pSplashWnd)
        m_pSplashWnd->raise();
    InstallIdleHook();
    CfgClearLaunching();
    return TRUE;
}

bool CKavoApp::OpenRegistryRoot()
{
    const std::string key = std::string("Software\\") + kCompanyName + "\\" + AppTitle();
    const bool existed = RegistryKeyExists(HKEY_CURRENT_USER, key);
    CAppProfile& profile = AfxGetAppProfile();
    if (existed)
        profile.SetRegistryKey(kCompanyName);
    m_recentFiles.ReadList();
    CfgLoadAll();
    m_bSettingsLoaded = true;
    m_bFirstRun = First != 0;
    if (!existed) {
        // First start: what came from the private file (or the defaults) is
        // carried into the new key whole.
        profile.SetRegistryKey(kCompanyName);
        m_recentFiles.WriteList();
        CfgSaveAll();
    }
    return existed;
}

void CKavoApp::RunUpdateReminder(bool& shown)
{
    const std::time_t now = std::time(nullptr);
    shown = false;
    if (!UpdateReminderDue(now))
        return;
    CUpdateReminderDlg dlg;
    dlg.m_nReminderDays = ChkUpReminderDays;
    const int answer = dlg.DoModal();
    shown = true;
    ApplyUpdateReminder(dlg.m_nReminderDays, now);
    if (answer != IDCANCEL)
        RunUpdateCheck(&OpenUrlInBrowser, std::time(nullptr));
}

void CKavoApp::OpenFirstDocument()
{
    const std::string recent = m_recentFiles[0];
    const bool recentExists = !recent.empty() && QFileInfo::exists(QString::fromStdString(recent));
    switch (ChooseStartDocument(m_bFirstRun, m_strCmdLine,
                                AutoOpen != 0 && !m_bLastStartUnfinished, recentExists)) {
    case StartDocument::Sample: {
        const QString samples = GetSamplesFolder();
        QDir::setCurrent(samples);
        const QString sample = samples + kInitialSampleName;
        // Without the sample (or a reader for it) the first start shows an
        // empty diagram.
        if (!QFileInfo::exists(sample) || !OpenDocumentByCommand(sample.toStdString()))
            AppSeams().newDocument();
        break;
    }
    case StartDocument::CommandLine:
        CloseSplash();
        OpenDocumentByCommand(m_strCmdLine);
        break;
    case StartDocument::MostRecent:
        OpenDocumentByCommand(recent);
        break;
    case StartDocument::None:
        break;
    }
}

bool CKavoApp::OpenDocumentByCommand(const std::string& path)
{
    g_bOpeningByCommand = true;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool ok = AppSeams().openDocumentFile(path);
    QApplication::restoreOverrideCursor();
    g_bOpeningByCommand = false;
    if (ok)
        AddToRecentFileList(path);
    return ok;
}

void CKavoApp::RegisterShellOpen()
{
    const QString program = QCoreApplication::applicationFilePath();
    RegisterShellFileTypes(program);
    RegistrySetValue(HKEY_CLASSES_ROOT, kDdeApplicationKey, "",
                     GetPathTitle(program.toStdString()));
    m_bShellOpenRegistered = true;
}

void CKavoApp::OnInstanceRequest(const QString& request)
{
    if (m_bAcceptingRequests)
        HandleInstanceRequest(request);
    else
        m_pendingRequests.push_back(request);
}

void CKavoApp::AcceptInstanceRequests()
{
    m_bAcceptingRequests = true;
    const std::vector<QString> pending = std::move(m_pendingRequests);
    m_pendingRequests.clear();
    for (const QString& request : pending)
        HandleInstanceRequest(request);
}

void CKavoApp::HandleInstanceRequest(const QString& request)
{
    if (request.startsWith("open "))
        OpenDocumentByCommand(request.mid(5).toStdString());
    if (m_pMainWnd) {
        m_pMainWnd->show();
        m_pMainWnd->raise();
        m_pMainWnd->activateWindow();
    }
}

void CKavoApp::RestorePlacement()
{
    std::vector<QRect> screens;
    for (const QScreen* screen : QGuiApplication::screens())
        screens.push_back(screen->availableGeometry());
    QRect normal;
    bool maximized = false;
    if (PlacementToRestore(Placement, screens, &normal, &maximized))
        m_pMainWnd->setGeometry(normal);
    if (maximized)
        m_pMainWnd->showMaximized();
    else
        m_pMainWnd->show();
    // The window is hidden by the time the program ends: its placement is
    // stored while it closes.
    connect(m_pMainWnd, &CMainFrame::Closing, this, &CKavoApp::SavePlacement, Qt::UniqueConnection);
}

void CKavoApp::SavePlacement()
{
    if (!m_pMainWnd || !m_pMainWnd->isVisible())
        return;
    const QRect normal = m_pMainWnd->isMaximized() || m_pMainWnd->isMinimized() ? m_pMainWnd->normalGeometry()
                                                                                : m_pMainWnd->geometry();
    StorePlacement(Placement, normal, m_pMainWnd->isMaximized());
}

int CKavoApp::ExitInstance()
{
    CloseSplash();
    CKavoView::SetHoverReport(nullptr);
    // Every held file is let go (and autosave copies removed).
    CKavoDocList::Instance().CloseAll();
    FreeImage_DeInitialise();
    if (m_bSettingsLoaded) {
        SavePlacement();
        // One replacement of the profile file for the recent list and the settings.
        CRegistryBatch batch;
        m_recentFiles.WriteList();
        CfgSaveAll();
    }
    AppSeams().destroyCursors();
    FreeCommonBuffers();
    AppSeams().releaseSharedDrawingObjects();
    // The shell-open key goes where it was written, and only by the program that wrote it.
    if (m_bShellOpenRegistered)
        RegistryDeleteValue(HKEY_CLASSES_ROOT, kDdeApplicationKey, "");
    m_bSettingsLoaded = m_bShellOpenRegistered = false;
    SetMsgBoxSplashCloser(nullptr);
    g_pfnKwWarningDlg = nullptr;
    RemoveQtPrinting();
    ResetAppPrinter();
    DiagPrintf("STAT  ExitInstance()\n");
    delete m_pMainWnd;
    m_pMainWnd = nullptr;
    return 0;
}

void CKavoApp::ShowSplash()
{
    m_dwSplashTick.start();
    m_pSplashWnd = new CSplashWnd(m_bFirstRun ? kFirstRunSplashBitmap : kSplashBitmap);
    if (!m_pSplashWnd->Create()) {
        delete m_pSplashWnd;
        m_pSplashWnd = nullptr;
    }
}

void CKavoApp::CloseSplash()
{
    if (!m_pSplashWnd)
        return;
    // The click or key that dismisses the splash may still be on its way to the
    // splash's own window: the widget goes once that event has been handled.
    m_pSplashWnd->hide();
    m_pSplashWnd->deleteLater();
    m_pSplashWnd = nullptr;
    if (m_pMainWnd)
        m_pMainWnd->update();
}

void CKavoApp::ParseDiagSwitch()
{
    std::vector<std::string> args = m_arguments;
    g_bDiagnostics = ::ParseDiagSwitch(args);
}

bool CKavoApp::eventFilter(QObject* watched, QEvent* event)
{
    if (PreTranslateMessage(watched, event))
        return true;
    return QObject::eventFilter(watched, event);
}

BOOL CKavoApp::PreTranslateMessage(QObject* target, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (m_pSplashWnd && IsInputToDismissSplash(type)) {
        if (SplashMayBeDismissed(m_bFirstRun, uint32_t(m_dwSplashTick.elapsed()))) {
            const bool toSplash =
                target == m_pSplashWnd || target == static_cast<QObject*>(m_pSplashWnd->windowHandle());
            CloseSplash();
            if (toSplash)
                return TRUE;
        } else {
            MessageBeep(MB_ICONEXCLAMATION);
        }
    }
    if (type == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Escape && AppSeams().hasActiveView() && m_pMainWnd &&
            !AppSeams().focusInActiveView())
            RestoreSelectMode();
        if (key->key() == Qt::Key_Z && (key->modifiers() & Qt::ControlModifier) && m_pMainWnd &&
            AppSeams().hasActiveDoc() && !AppSeams().activeDocCanUndo())
            MessageBeep(MB_ICONEXCLAMATION);
    }
    return FALSE;
}

void CKavoApp::InstallIdleHook()
{
    // Idle work runs when the event loop is about to wait, at most every
    // kIdleThrottleMs, so that it does not follow every single event.
    m_idleTimer = new QTimer(this);
    m_idleTimer->setSingleShot(true);
    m_idleTimer->setInterval(kIdleThrottleMs);
    connect(m_idleTimer, &QTimer::timeout, this, [this] {
        if (OnIdle(m_idleCount++))
            m_idleTimer->start();
        else
            m_idleCount = 0;
    });
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            [this] {
                if (!m_idleTimer->isActive())
                    m_idleTimer->start();
            });
}

BOOL CKavoApp::OnIdle(long count)
{
    if (QWidget::mouseGrabber())
        return FALSE;
    BOOL result = FALSE;
    // Menus, bars and the status panes follow the state even under the splash.
    if (m_pMainWnd)
        m_pMainWnd->OnIdleUpdateCmdUI();
    if (m_pSplashWnd) {
        switch (SplashIdleAction(uint32_t(m_dwSplashTick.elapsed()))) {
        case SplashIdle::KeepWaiting: return TRUE;
        case SplashIdle::Close: CloseSplash(); break;
        }
    }
    const Qt::KeyboardModifiers mods = QApplication::queryKeyboardModifiers();
    const bool ctrl = mods & Qt::ControlModifier;
    const bool alt = mods & Qt::AltModifier;
    if (ctrl != m_bCtrlDown || alt != m_bAltDown) {
        m_bCtrlDown = ctrl;
        m_bAltDown = alt;
        if (AppSeams().hasActiveView())
            AppSeams().releaseMouseAtCursor();
    }
    if (!m_hoverWnd)
        return result;
    const QPoint cursor = QCursor::pos();
    if (QApplication::widgetAt(cursor) == m_hoverWnd) {
        if (!m_bHoverClientCheck)
            return FALSE;
        if (m_hoverWnd->rect().contains(m_hoverWnd->mapFromGlobal(cursor)))
            return FALSE;
    }
    SetHoverWnd(nullptr, FALSE);
    return result;
}

int CKavoApp::SetHoverWnd(QWidget* wnd, BOOL clientCheck)
{
    if (wnd == m_hoverWnd)
        return 0;
    QPointer<QWidget> previous = m_hoverWnd;
    m_hoverWnd = wnd;
    m_bHoverClientCheck = clientCheck;
    if (previous) {
        QEvent left(kMouseLeftEvent);
        QCoreApplication::sendEvent(previous, &left);
    }
    if (wnd) {
        QEvent entered(kMouseEnteredEvent);
        QCoreApplication::sendEvent(wnd, &entered);
    }
    return 1;
}

void CKavoApp::AddToRecentFileList(const std::string& path)
{
    if (AcceptsRecentFile(path))
        m_recentFiles.Add(path);
}
