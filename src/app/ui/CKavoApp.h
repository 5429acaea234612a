#pragma once
// The application object: brings the program up in a fixed order, takes it
// down again, filters input (splash dismissal, Escape, Ctrl+Z), runs the idle
// work (hover tracking of the program's own controls, modifier-key changes) and
// answers the application-level commands.
#include "core/CRecentFileList.h"
#include "platform/WinTypes.h"

#include <QObject>
#include <QStringList>
#include <QWidget>
#include <QElapsedTimer>
#include <QEvent>
#include <QPointer>

#include <string>
#include <vector>

class CMainFrame;
class CSingleInstance;
class CSplashWnd;
class QTimer;

// The private hover messages the program's own controls receive.
constexpr QEvent::Type kMouseEnteredEvent = QEvent::Type(QEvent::User + 0x4C8);
constexpr QEvent::Type kMouseLeftEvent = QEvent::Type(QEvent::User + 0x4C9);

// One exists for the life of the program, beside the Qt application object.
class CKavoApp : public QObject {
    Q_OBJECT
public:
    // `arguments` as QCoreApplication::arguments() gives them.
    explicit CKavoApp(const QStringList& arguments);
    ~CKavoApp() override;

    // False ends the program (ExitInstance still runs).
    BOOL InitInstance();
    int ExitInstance();
    BOOL PreTranslateMessage(QObject* target, QEvent* event);
    // True while more idle time is wanted.
    BOOL OnIdle(long count);
    void AddToRecentFileList(const std::string& path);
    void WinHelp(DWORD data, UINT command);
    // Records the window under the mouse; 1 when it changed.
    int SetHoverWnd(QWidget* wnd, BOOL clientCheck);
    void ShowSplash();
    void CloseSplash();
    // Sets g_bDiagnostics when an argument is "-D" or "/D" (either case).
    void ParseDiagSwitch();
    bool PromptForTemplate(std::string& path, BOOL flag);
    // Opens a document as a command does (flagged, wait cursor, recent list).
    bool OpenDocumentByCommand(const std::string& path);

    void OnFileNew();
    void OnFileOpen();
    void OnOpenRecentFile(int index);
    void OnFileRevert();
    // Save (57603), Save As (57604) and Save All (36538) of the active or
    // every document.
    void OnFileSave();
    void OnFileSaveAs();
    void OnFileSaveAll();
    // Close (57602): the active diagram with all its windows, once a
    // modified one is saved or let go.
    void OnFileClose();
    // New Window (57648): one more window on the active diagram.
    void OnWindowNew();
    // Help Contents (57666): the help's first page.
    void OnHelpFinder();
    void RefreshTitles();
    // Print (57607, with the print dialog; 57608 without), Print Preview
    // (57609), Print Setup (57606) and Print All (36537).
    void OnFilePrint(bool direct = false);
    void OnFilePrintPreview();
    void OnFilePrintSetup();
    void OnFilePrintAll();
    bool OnUpdateFileRevert() const;
    bool OnUpdateNeedDoc() const;
    void OnHelpFaq();
    void OnHelpWhatsNew();
    void OnHelpUmlDiagramming();
    void OnHelpCheckForUpdates();
    void OnAppAbout();

    CMainFrame* MainFrame() const { return m_pMainWnd; }
    CRecentFileList& RecentFiles() { return m_recentFiles; }
    CSplashWnd* SplashWnd() const { return m_pSplashWnd; }
    // Whether this start found the last one unfinished.
    bool FoundUnfinishedStart() const { return m_bLastStartUnfinished; }

    std::string m_strCmdLine; // the file the command line names
    // The single-instance channel's name (tests use their own).
    QString m_strInstanceKey;
    bool m_bFirstRun = false;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool OpenRegistryRoot();
    // A request of a later start: queued until the first document is open.
    void OnInstanceRequest(const QString& request);
    void HandleInstanceRequest(const QString& request);
    void AcceptInstanceRequests();
    void RestorePlacement();
    void SavePlacement();
    void RunUpdateReminder(bool& shown);
    void OpenFirstDocument();
    void RegisterShellOpen();
    void InstallIdleHook();
    void ShowHelpFailure(const QString& page, bool pageExists);
    void OpenHelpPage(const QString& page, DWORD context);

    CMainFrame* m_pMainWnd = nullptr;
    void RegisterAppCommands();
    CSplashWnd* m_pSplashWnd = nullptr;
    QElapsedTimer m_dwSplashTick;
    CRecentFileList m_recentFiles{4};
    std::vector<std::string> m_arguments; // after the program name
    CSingleInstance* m_instance = nullptr;
    QTimer* m_idleTimer = nullptr;
    long m_idleCount = 0;
    QPointer<QWidget> m_hoverWnd;
    BOOL m_bHoverClientCheck = FALSE;
    bool m_bCtrlDown = false;
    bool m_bAltDown = false;
    bool m_bLastStartUnfinished = false;
    // What the start got as far as, so that the exit undoes only that: a start
    // that handed its request to the running program loaded no settings and
    // must not write them, nor remove the running program's shell-open key.
    bool m_bSettingsLoaded = false;
    bool m_bShellOpenRegistered = false;
    bool m_bAcceptingRequests = false;
    std::vector<QString> m_pendingRequests;
};

CKavoApp* AfxGetKavoApp();
