#include "common/TestSupport.h"
#include "core/AppGlobals.h"
#include "app/AppSeams.h"
#include "core/CAppProfile.h"
#include "core/ProgramFolders.h"
#include "core/Settings.h"
#include "core/Trace.h"
#include "core/MessageBeep.h"
#include <ctime>
#include <QPushButton>
#include <QRadioButton>
#include "app/ui/CUpdateReminderDlg.h"
#include <QKeyEvent>
#include "core/UIMode.h"
#include "app/UpdateCheck.h"
#include "app/ui/CKavoApp.h"
#include "app/ui/CSplashWnd.h"
#include "app/ui/CKavoDocList.h"
#include "app/ui/CKavoDocManager.h"
#include "app/ui/CKavoDocTemplate.h"
#include "app/ui/LinkServicesUi.h"
#include "document/CKavoDoc.h"
#include "document/HyperlinkCommands.h"
#include "editing/ui/CKavoView.h"
#include "frame/ui/CMainFrame.h"
#include "platform/Registry.h"
#include "platform/ui/CSingleInstance.h"

#include <QAction>
#include <QDesktopServices>
#include <QUrl>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
// Takes the pages handed to the desktop in place of a browser.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls.push_back(url); }
};

// An item of a top menu of the main window as the user finds it.
QAction* MenuItem(const CMainFrame* frame, const char* top, const char* item)
{
    const QMenu* menu = frame->FindTopMenu(top);
    if (menu)
        for (QAction* a : menu->actions())
            if (a->text() == item)
                return a;
    return nullptr;
}

const std::string kAppKey = "Software\\Morlaven Software\\KAVO Diagrammer";

// A program folder with the content folders, a profile folder and seams that
// record which documents the start opened.
class KavoAppTest : public testing::Test {
protected:
    void SetUp() override
    {
        ResetAppProfile();
        qputenv("XDG_DATA_HOME", (m_programDir.path() + "/share").toUtf8());
        SetProgramFolderForTest(m_programDir.path() + "/");
        QDir(m_programDir.path()).mkpath("Samples");
        AppSeams().openDocumentFile = [this](const std::string& path) {
            opened.push_back(path);
            return true;
        };
    }
    void TearDown() override
    {
        ResetAppSeams();
        ResetAppProfile();
        qunsetenv("XDG_DATA_HOME");
    }
    std::unique_ptr<CKavoApp> MakeApp(QStringList args)
    {
        args.prepend("kavo");
        auto app = std::make_unique<CKavoApp>(args);
        app->m_strInstanceKey = InstanceKey();
        return app;
    }
    // The documents of the started program; New makes a blank diagram.
    static std::unique_ptr<CKavoDocTemplate> InstallDocuments(CMainFrame* frame)
    {
        CKavoDocList::Instance().Install();
        auto docs = std::make_unique<CKavoDocTemplate>([frame] { return frame; });
        docs->InstallSeams();
        AppSeams().runTemplateDialog = [](bool) {
            TemplateChoice blank;
            blank.made = true;
            return blank;
        };
        return docs;
    }
    QString InstanceKey() const { return m_programDir.path() + "/channel"; }
    void WaitForOpened(size_t count)
    {
        for (int i = 0; i < 50 && opened.size() < count; ++i)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    void WriteSample()
    {
        QFile f(m_programDir.path() + "/Samples/InitialSample.kvd");
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    std::string Stored(const char* section, const char* key)
    {
        return RegistryGetValue(HKEY_CURRENT_USER, kAppKey + "\\" + section, key).value_or("<none>");
    }

    CTempProfile m_profile;
    QTemporaryDir m_programDir;
    std::vector<std::string> opened;
};
} // namespace

TEST_F(KavoAppTest, FirstStartOpensTheSampleAndWritesEverySetting)
{
    WriteSample();
    auto app = MakeApp({});
    ASSERT_TRUE(app->InitInstance());
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_NE(opened[0].find("InitialSample.kvd"), std::string::npos);
    EXPECT_TRUE(RegistryKeyExists(HKEY_CURRENT_USER, kAppKey));
    EXPECT_EQ(Stored("System", "First"), "0");
    EXPECT_EQ(Stored("System", "Launching"), "0");
    EXPECT_NE(Stored("Options", "GridX"), "<none>");
    app->ExitInstance();
}

// A user who starts the program for the first time by opening a diagram (from
// the file manager or a shell) gets that diagram, not the welcome sample.
TEST_F(KavoAppTest, FirstStartOpensTheFileNamedOnTheCommandLine)
{
    WriteSample();
    const QString named = m_programDir.filePath("mine.kvd");
    QFile(named).open(QIODevice::WriteOnly);
    auto app = MakeApp({named});
    ASSERT_TRUE(app->InitInstance());
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], named.toStdString());
    EXPECT_EQ(app->SplashWnd(), nullptr);
    EXPECT_EQ(Stored("System", "First"), "0");
    app->ExitInstance();
}

TEST_F(KavoAppTest, UnfinishedStartTurnsAutoOpenOffAndSays827)
{
    RegistrySetValue(HKEY_CURRENT_USER, kAppKey + "\\System", "First", "0");
    RegistrySetValue(HKEY_CURRENT_USER, kAppKey + "\\System", "Launching", "1");
    const QString recent = m_programDir.path() + "/recent.kvd";
    QFile(recent).open(QIODevice::WriteOnly);
    RegistrySetValue(HKEY_CURRENT_USER, kAppKey + "\\Recent File List", "File1", recent.toStdString());
    CRecordingPrompt prompts;
    auto app = MakeApp({});
    ASSERT_TRUE(app->InitInstance());
    EXPECT_TRUE(opened.empty());
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text.rfind("The program did not complete its last attempt", 0), 0u);
    EXPECT_EQ(Stored("System", "Launching"), "0");
    app->ExitInstance();
    app.reset();
    EXPECT_EQ(Stored("Options", "AutoOpen"), "1"); // only this start went without

    // The next clean start opens the most recent file and says nothing.
    opened.clear();
    prompts.shown.clear();
    ResetSettings();
    auto again = MakeApp({});
    ASSERT_TRUE(again->InitInstance());
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], recent.toStdString());
    EXPECT_TRUE(prompts.shown.empty());
    again->ExitInstance();
}

TEST_F(KavoAppTest, DiagnosticSwitchIsNotOpenedAsAFile)
{
    RegistrySetValue(HKEY_CURRENT_USER, kAppKey + "\\System", "First", "0");
    auto app = MakeApp({"-D"});
    ASSERT_TRUE(app->InitInstance());
    EXPECT_TRUE(g_bDiagnostics);
    EXPECT_TRUE(opened.empty());
    QFile trace(GetProgramFolder() + "Diags.log");
    ASSERT_TRUE(trace.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(trace.readAll());
    const char* steps[] = {"KAVO Diagrammer Diagnostics", "INIT  Step 1: InitDiagnostics()",
                           "INIT  Step 3: Alloc CMainFrame and load frame",
                           "INIT  Step 3c: Call COleTemplateServer::RegisterAll()",
                           "INIT  Step 3d: Done COleTemplateServer::RegisterAll()",
                           "INIT  Step 3d: Call UpdateRegistry()"};
    qsizetype at = 0;
    for (const char* step : steps) {
        const qsizetype next = text.indexOf(step, at);
        EXPECT_GE(next, at) << step;
        at = next;
    }
    EXPECT_TRUE(app->MainFrame()->windowTitle().endsWith(" DIAGNOSTIC"));
    app->ExitInstance();
}

TEST_F(KavoAppTest, ASecondStartHandsItsFileToTheRunningOne)
{
    RegistrySetValue(HKEY_CURRENT_USER, kAppKey + "\\System", "First", "0");
    auto first = MakeApp({});
    ASSERT_TRUE(first->InitInstance());
    // A path as typed in another folder reaches the running program whole.
    QDir(m_programDir.path()).mkpath("elsewhere");
    const QString before = QDir::currentPath();
    QDir::setCurrent(m_programDir.path() + "/elsewhere");
    const struct {
        const char* typed;
        QString expected;
    } cases[] = {
        {"/x/other.kvd", "/x/other.kvd"},
        {"sub/rel.kvd", m_programDir.path() + "/elsewhere/sub/rel.kvd"},
        {"../up.kvd", m_programDir.path() + "/up.kvd"},
    };
    for (const auto& c : cases) {
        opened.clear();
        auto second = MakeApp({c.typed});
        EXPECT_FALSE(second->InitInstance());
        // The request arrives through the event loop.
        WaitForOpened(1);
        ASSERT_EQ(opened.size(), 1u) << c.typed;
        EXPECT_EQ(opened[0], c.expected.toStdString());
    }
    QDir::setCurrent(before);
    first->ExitInstance();
}

// A start that hands its request over ends without any of the exit work of a
// completed start: the settings it never loaded, the recent list and the running
// program's shell-open key stay as they are.
TEST_F(KavoAppTest, ASecondStartLeavesTheRunningProgramsStateAlone)
{
    RegistrySetValue(HKEY_CURRENT_USER, kAppKey + "\\System", "First", "0");
    auto first = MakeApp({});
    ASSERT_TRUE(first->InitInstance());
    const std::string ddeKey = "Morlaven.Diagram\\shell\\open\\ddeexec\\application";
    ASSERT_TRUE(RegistryGetValue(HKEY_CLASSES_ROOT, ddeKey, ""));
    // The second start is a process of its own: a fresh profile and settings.
    ResetAppProfile();
    ResetSettings();
    auto second = MakeApp({"/x/b.kvd"});
    EXPECT_FALSE(second->InitInstance());
    second->ExitInstance();
    EXPECT_TRUE(RegistryGetValue(HKEY_CLASSES_ROOT, ddeKey, "")) << "the running program's key";
    EXPECT_FALSE(QFile::exists(CAppProfile::PrivateIniPath())) << "no settings written";
    WaitForOpened(1);
    ResetAppProfile();
    first->ExitInstance();
}

// A request that comes while a start-up dialog runs (the update reminder) waits
// and is opened after the first document.
TEST_F(KavoAppTest, ARequestDuringAStartUpDialogIsKept)
{
    RegistrySetValue(HKEY_CURRENT_USER, kAppKey + "\\System", "First", "0");
    RegistrySetValue(HKEY_CURRENT_USER, kAppKey + "\\System", "LastUpdateCheck", "1");
    auto first = MakeApp({});
    bool dialogShown = false;
    QTimer::singleShot(50, [&] {
        dialogShown = QApplication::activeModalWidget() != nullptr;
        CSingleInstance client(InstanceKey());
        EXPECT_TRUE(client.ForwardToRunning("open /x/during.kvd"));
        QTimer::singleShot(200, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->reject();
        });
    });
    ASSERT_TRUE(first->InitInstance());
    EXPECT_TRUE(dialogShown);
    WaitForOpened(1);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0], "/x/during.kvd");
    first->ExitInstance();
}

// The main window comes back where it was left, unless that is on no screen.
TEST_F(KavoAppTest, TheMainWindowsPlacementIsRestoredAndSaved)
{
    const struct {
        const char *left, *top, *right, *bottom, *length;
        bool restored;
    } cases[] = {
        {"40", "50", "640", "450", "44", true},
        {"5000", "5000", "5600", "5400", "44", false}, // on no screen
        {"40", "50", "640", "450", "0", false},        // never saved
    };
    for (const auto& c : cases) {
        CTempProfile fresh;
        ResetAppProfile();
        ResetSettings();
        const std::string section = kAppKey + "\\Placement";
        RegistrySetValue(HKEY_CURRENT_USER, kAppKey + "\\System", "First", "0");
        RegistrySetValue(HKEY_CURRENT_USER, section, "Left", c.left);
        RegistrySetValue(HKEY_CURRENT_USER, section, "Top", c.top);
        RegistrySetValue(HKEY_CURRENT_USER, section, "Right", c.right);
        RegistrySetValue(HKEY_CURRENT_USER, section, "Bottom", c.bottom);
        RegistrySetValue(HKEY_CURRENT_USER, section, "Length", c.length);
        auto app = MakeApp({});
        ASSERT_TRUE(app->InitInstance());
        EXPECT_EQ(app->MainFrame()->geometry() == QRect(40, 50, 600, 400), c.restored) << c.left << c.length;
        app->MainFrame()->setGeometry(60, 70, 500, 300);
        // As File > Exit ends the program: the window closes, then the exit work.
        ASSERT_TRUE(app->MainFrame()->close());
        app->ExitInstance();
        EXPECT_EQ(Stored("Placement", "Left"), "60");
        EXPECT_EQ(Stored("Placement", "Top"), "70");
        EXPECT_EQ(Stored("Placement", "Right"), "560");
        EXPECT_EQ(Stored("Placement", "Bottom"), "370");
        EXPECT_EQ(Stored("Placement", "Length"), "44");
        EXPECT_EQ(Stored("Placement", "Flags"), "0");
    }
}

TEST_F(KavoAppTest, HoverMessagesGoToTheLeftAndEnteredControls)
{
    auto app = MakeApp({});
    struct Recorder : QWidget {
        std::vector<QEvent::Type> got;
        bool event(QEvent* e) override
        {
            if (e->type() == kMouseEnteredEvent || e->type() == kMouseLeftEvent)
                got.push_back(e->type());
            return QWidget::event(e);
        }
    } a, b;
    EXPECT_EQ(app->SetHoverWnd(&a, TRUE), 1);
    EXPECT_EQ(app->SetHoverWnd(&a, TRUE), 0);
    EXPECT_EQ(app->SetHoverWnd(&b, FALSE), 1);
    EXPECT_EQ(a.got, (std::vector<QEvent::Type>{kMouseEnteredEvent, kMouseLeftEvent}));
    EXPECT_EQ(b.got, (std::vector<QEvent::Type>{kMouseEnteredEvent}));
}

// A start long after the last update check shows the reminder instead of the
// splash; whichever button closes it, the chosen interval starts again now,
// and only Check Now opens the update page.
TEST_F(KavoAppTest, TheUpdateReminderReplacesTheSplashAndOnlyCheckNowOpensThePage)
{
    struct Case {
        const char* button;
        const char* interval;
        int daysAfter;
        bool pageOpened;
    } cases[] = {
        {"&Not Now Thanks", "60 Days", 60, false},
        {"&Check Now", "Never", 0, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        CTempProfile profile;
        const std::time_t before = std::time(nullptr);
        const std::string lastCheck = std::to_string(int64_t(before) - 31 * 86400);
        RegistrySetValue(HKEY_CURRENT_USER, kAppKey + "\\System", "First", "0");
        RegistrySetValue(HKEY_CURRENT_USER, kAppKey + "\\System", "LastUpdateCheck", lastCheck);
        RegistrySetValue(HKEY_CURRENT_USER, kAppKey + "\\System", "ChkUpReminderDays", "30");
        ResetSettings();
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler("https", &catcher, "open");
        bool shown = false;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* dlg = qobject_cast<CUpdateReminderDlg*>(QApplication::activeModalWidget());
            if (!dlg)
                return;
            shown = true;
            poll.stop();
            for (QRadioButton* r : dlg->findChildren<QRadioButton*>())
                if (r->text() == c.interval)
                    r->click();
            for (QPushButton* b : dlg->findChildren<QPushButton*>())
                if (b->text() == c.button)
                    b->click();
        });
        poll.start(10);
        auto app = MakeApp({});
        ASSERT_TRUE(app->InitInstance());
        poll.stop();
        QDesktopServices::unsetUrlHandler("https");
        EXPECT_TRUE(shown);
        EXPECT_EQ(app->SplashWnd(), nullptr);
        EXPECT_EQ(catcher.urls.size(), c.pageOpened ? 1 : 0);
        EXPECT_EQ(ChkUpReminderDays, c.daysAfter);
        EXPECT_GE(LastUpdateCheck, int64_t(before));
        EXPECT_EQ(Stored("System", "ChkUpReminderDays"), std::to_string(c.daysAfter));
        app->MainFrame()->close();
        app->ExitInstance();
    }
}

// Escape anywhere but in the view (or a child of it, as the text editor is)
// goes back to the select mode; the view handles its own Escape.
TEST_F(KavoAppTest, EscapeOutsideTheViewRestoresTheSelectMode)
{
    RegistrySetValue(HKEY_CURRENT_USER, kAppKey + "\\System", "First", "0");
    auto app = MakeApp({});
    ASSERT_TRUE(app->InitInstance());
    bool haveView = false;
    bool focusInView = false;
    AppSeams().hasActiveView = [&] { return haveView; };
    AppSeams().focusInActiveView = [&] { return focusInView; };
    struct Case {
        bool view;
        bool focusInView;
        Qt::Key key;
        int modeAfter;
    } cases[] = {
        {true, false, Qt::Key_Escape, 0},
        {true, true, Qt::Key_Escape, 5},  // the view or its text editor has it
        {false, false, Qt::Key_Escape, 5}, // no diagram view
        {true, false, Qt::Key_Space, 5},
    };
    QWidget target;
    for (const Case& c : cases) {
        haveView = c.view;
        focusInView = c.focusInView;
        SelectMode = 0;
        g_nUIMode = 5;
        QKeyEvent press(QEvent::KeyPress, c.key, Qt::NoModifier);
        EXPECT_FALSE(app->PreTranslateMessage(&target, &press));
        EXPECT_EQ(g_nUIMode, c.modeAfter) << c.view << c.focusInView << c.key;
    }
    app->MainFrame()->close();
    app->ExitInstance();
}

// Ctrl+Z sounds the warning when the active diagram has nothing to undo.
TEST_F(KavoAppTest, CtrlZWithNothingToUndoBeeps)
{
    RegistrySetValue(HKEY_CURRENT_USER, kAppKey + "\\System", "First", "0");
    auto app = MakeApp({});
    ASSERT_TRUE(app->InitInstance());
    static std::vector<UINT> beeps;
    const MessageBeepHandler previous = SetMessageBeepHandler([](UINT type) { beeps.push_back(type); });
    bool haveDoc = false;
    bool canUndo = false;
    AppSeams().hasActiveDoc = [&] { return haveDoc; };
    AppSeams().activeDocCanUndo = [&] { return canUndo; };
    struct Case {
        bool doc;
        bool canUndo;
        Qt::KeyboardModifiers mods;
        bool beep;
    } cases[] = {
        {true, false, Qt::ControlModifier, true},
        {true, true, Qt::ControlModifier, false},
        {false, false, Qt::ControlModifier, false},
        {true, false, Qt::NoModifier, false},
    };
    QWidget target;
    for (const Case& c : cases) {
        haveDoc = c.doc;
        canUndo = c.canUndo;
        beeps.clear();
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Z, c.mods);
        EXPECT_FALSE(app->PreTranslateMessage(&target, &press));
        EXPECT_EQ(beeps, c.beep ? std::vector<UINT>{UINT(MB_ICONEXCLAMATION)} : std::vector<UINT>{})
            << c.doc << c.canUndo << int(c.mods);
    }
    SetMessageBeepHandler(previous);
    app->MainFrame()->close();
    app->ExitInstance();
}

// New: the chosen template is what the new diagram reads while it is made
// (flagged as opened by a command); the diagram then shows at page width and
// records the template's file name. A blank diagram records none; Cancel makes none.
TEST_F(KavoAppTest, NewMakesTheDiagramFromTheChosenTemplateAndRecordsItsName)
{
    struct Case {
        TemplateChoice choice;
        bool made;
        const char* name; // null: none recorded
    } cases[] = {
        {{true, "/t/Flow Chart.kvd"}, true, "Flow Chart.kvd"},
        {{true, ""}, true, nullptr},
        {{false, ""}, false, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.choice.path);
        auto app = MakeApp({});
        std::vector<std::string> seenPaths;
        std::vector<std::string> names;
        int zooms = 0;
        AppSeams().runTemplateDialog = [&](bool) { return c.choice; };
        AppSeams().newDocument = [&] {
            EXPECT_TRUE(g_bOpeningByCommand);
            seenPaths.push_back(g_strNewTemplatePath);
            return true;
        };
        AppSeams().hasActiveDoc = [] { return true; };
        AppSeams().hasActiveView = [] { return true; };
        AppSeams().zoomActiveViewToPageWidth = [&] { ++zooms; };
        AppSeams().setActiveDocTemplateName = [&](const std::string& n) { names.push_back(n); };
        app->OnFileNew();
        EXPECT_EQ(seenPaths, c.made ? std::vector<std::string>{c.choice.path} : std::vector<std::string>{});
        EXPECT_EQ(zooms, c.made ? 1 : 0);
        EXPECT_EQ(names, c.name ? std::vector<std::string>{c.name} : std::vector<std::string>{});
        EXPECT_TRUE(g_strNewTemplatePath.empty());
        EXPECT_FALSE(g_bOpeningByCommand);
    }
}

// A recent file opens flagged as a command; only a diagram that was stored
// at zoom 100 with no scroll goes to page width; a file that cannot open
// leaves the list.
TEST_F(KavoAppTest, RecentFileOpensAtPageWidthOnlyWithTheDefaultView)
{
    struct Case {
        bool opens;
        bool defaultView;
        int zooms;
        bool kept;
    } cases[] = {
        {true, true, 1, true},
        {true, false, 0, true},
        {false, true, 0, false},
    };
    for (const Case& c : cases) {
        auto app = MakeApp({});
        app->RecentFiles().Add("/d/a.kvd");
        int zooms = 0;
        bool flagged = false;
        AppSeams().openDocumentFile = [&](const std::string&) {
            flagged = g_bOpeningByCommand;
            return c.opens;
        };
        AppSeams().hasActiveDoc = [] { return true; };
        AppSeams().hasActiveView = [] { return true; };
        AppSeams().activeDocHasDefaultView = [&] { return c.defaultView; };
        AppSeams().zoomActiveViewToPageWidth = [&] { ++zooms; };
        app->OnOpenRecentFile(0);
        EXPECT_TRUE(flagged);
        EXPECT_FALSE(g_bOpeningByCommand);
        EXPECT_EQ(zooms, c.zooms) << c.opens << c.defaultView;
        EXPECT_EQ(app->RecentFiles()[0], c.kept ? "/d/a.kvd" : "") << c.opens;
    }
}

TEST_F(KavoAppTest, RecentListTakesOnlyDiagrams)
{
    auto app = MakeApp({});
    app->AddToRecentFileList("/x/a.kvd");
    app->AddToRecentFileList("/x/b.kvv");
    EXPECT_EQ(app->RecentFiles()[0], "/x/a.kvd");
    EXPECT_EQ(app->RecentFiles()[1], "");
}

TEST_F(KavoAppTest, DiagramLinksOpenLikeFileOpenButStayOutOfTheRecentList)
{
    auto app = MakeApp({});
    InstallLinkServices();
    // Links are followed from a saved diagram.
    CKavoDoc from;
    from.SetPathName(m_programDir.path().toStdString() + "/from.kvd", false);
    GetLinkServices().activeDoc = [&from] { return &from; };
    const std::string target = m_programDir.path().toStdString() + "/linked.kvd";
    QFile f(QString::fromStdString(target));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    EXPECT_TRUE(GetLinkServices().open(target, 1));
    ResetLinkServices();
    ASSERT_EQ(opened, std::vector<std::string>{target});
    EXPECT_EQ(app->RecentFiles()[0], "");
    EXPECT_FALSE(g_bNoRecentEntry);
    // The same file opened by the user does join the list.
    EXPECT_TRUE(app->OpenDocumentByCommand(target));
    EXPECT_EQ(app->RecentFiles()[0], target);
}

TEST_F(KavoAppTest, RevertKeepsTheChangesWhenTheReloadFails)
{
    auto app = MakeApp({});
    bool modified = true;
    std::vector<bool> marks;
    AppSeams().activeDocPath = [] { return std::string("/d/x.kvd"); };
    AppSeams().activeDocModified = [&] { return modified; };
    AppSeams().setActiveDocModified = [&](bool m) {
        modified = m;
        marks.push_back(m);
    };
    AppSeams().openLinkTarget = [](const std::string&, int, int) { return false; };
    CRecordingPrompt prompts;
    EXPECT_TRUE(app->OnUpdateFileRevert());
    app->OnFileRevert();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "Revert x.kvd to last saved version, and lose all current changes?");
    EXPECT_TRUE(modified);
    // Cancel leaves everything alone.
    marks.clear();
    prompts.QueueAnswer(IDCANCEL);
    app->OnFileRevert();
    EXPECT_TRUE(marks.empty());
}

TEST_F(KavoAppTest, FileOpenCascadesWhenItAddsToNoneOrToAMaximisedChild)
{
    auto app = MakeApp({});
    const struct {
        int before;
        bool maximised;
        int chosen;
        bool cascades;
    } cases[] = {
        {0, false, 2, true},  // several at once into an empty frame
        {0, false, 1, false}, // one window needs no cascade
        {1, false, 1, false}, // the user's own arrangement stays
        {1, true, 1, true},   // a maximised child gives way
    };
    for (const auto& c : cases) {
        opened.clear();
        int cascades = 0;
        AppSeams().documentCount = [&] { return c.before + int(opened.size()); };
        AppSeams().activeChildMaximized = [&] { return c.maximised; };
        AppSeams().cascadeWindows = [&] { ++cascades; };
        CKavoDocManager::SetDialogRunner([&](const FileDialogRequest&) {
            FileDialogResult r;
            r.accepted = true;
            for (int i = 0; i < c.chosen; ++i)
                r.files.push_back(m_programDir.filePath(QString("f%1.kvd").arg(i)));
            return r;
        });
        app->OnFileOpen();
        EXPECT_EQ(int(opened.size()), c.chosen) << c.before << c.maximised << c.chosen;
        EXPECT_EQ(cascades > 0, c.cascades) << c.before << c.maximised << c.chosen;
    }
    CKavoDocManager::SetDialogRunner(nullptr);
}

// Window > Cascade leaves every diagram window a size to work in, one title
// bar down and right of the one behind it, inside the frame; a diagram
// opened afterwards is as large as before the cascade.
TEST_F(KavoAppTest, CascadeKeepsTheWindowsAUsefulSize)
{
    RegistrySetValue(HKEY_CURRENT_USER, kAppKey + "\\System", "First", "0");
    auto app = MakeApp({});
    ASSERT_TRUE(app->InitInstance());
    CMainFrame* frame = app->MainFrame();
    const auto docs = InstallDocuments(frame);
    frame->showNormal();
    frame->resize(1000, 750);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(frame));
    QAction* cascade = MenuItem(frame, "&Window", "&Cascade");
    ASSERT_NE(cascade, nullptr);
    QMdiArea* area = frame->MdiArea();
    const QRect room(QPoint(0, 0), area->viewport()->size());
    const auto useful = [&](const QMdiSubWindow* w) {
        return w->width() >= room.width() / 2 && w->height() >= room.height() / 2;
    };

    app->OnFileNew();
    QMdiSubWindow* first = area->activeSubWindow();
    ASSERT_NE(first, nullptr);
    const QSize opened = first->size();
    ASSERT_TRUE(useful(first)) << opened.width() << "x" << opened.height();
    cascade->trigger();
    EXPECT_TRUE(useful(first)) << first->width() << "x" << first->height();
    EXPECT_TRUE(room.contains(first->geometry()));

    app->OnFileNew();
    QMdiSubWindow* second = area->activeSubWindow();
    ASSERT_NE(second, first);
    EXPECT_EQ(second->size(), opened);

    // Two windows: the front one stays in front, further down and right.
    first->showMaximized();
    area->setActiveSubWindow(second);
    cascade->trigger();
    for (const QMdiSubWindow* w : {first, second}) {
        EXPECT_FALSE(w->isMaximized());
        EXPECT_TRUE(useful(w)) << w->width() << "x" << w->height();
        EXPECT_TRUE(room.contains(w->geometry()));
    }
    EXPECT_EQ(area->activeSubWindow(), second);
    EXPECT_GT(second->x(), first->x());
    EXPECT_GT(second->y(), first->y());
    frame->close();
    app->ExitInstance();
}

// A new user's first diagram: it opens with nothing to undo, its Save dialog
// starts in the user's folder with the diagram's name, and once saved its
// window and the File menu show the file.
TEST_F(KavoAppTest, ANewDiagramIsNamedSavedAndListedAsTheUserSeesIt)
{
    RegistrySetValue(HKEY_CURRENT_USER, kAppKey + "\\System", "First", "0");
    auto app = MakeApp({});
    ASSERT_TRUE(app->InitInstance());
    CMainFrame* frame = app->MainFrame();
    const auto docs = InstallDocuments(frame);
    QAction* recent = frame->Commands().Action(ID_FILE_MRU_FIRST);
    frame->UpdateRecentFileMenu();
    frame->OnIdleUpdateCmdUI();
    EXPECT_EQ(recent->text(), "Recent File");
    EXPECT_FALSE(recent->isEnabled());

    app->OnFileNew();
    CKavoDoc* doc = GetActiveKavoDoc();
    ASSERT_NE(doc, nullptr);
    const QString untitled = QString::fromStdString(doc->GetTitle());
    EXPECT_TRUE(untitled.startsWith("Diagram")) << untitled.toStdString();
    QMdiSubWindow* child = frame->MdiArea()->activeSubWindow();
    ASSERT_NE(child, nullptr);
    EXPECT_EQ(child->windowTitle(), untitled);
    // The fit to the page width is how the view opens, not a step.
    frame->OnIdleUpdateCmdUI();
    EXPECT_FALSE(doc->CanUndo());
    EXPECT_FALSE(frame->Commands().Action(57643)->isEnabled());

    // Not the program's folders: the last save folder, else the documents.
    QTemporaryDir home;
    const struct {
        std::string lastFolder;
        QString expected;
    } folders[] = {{"", CKavoDocManager::UntitledSaveFolder()}, {home.path().toStdString(), home.path()}};
    EXPECT_NE(CKavoDocManager::UntitledSaveFolder(), GetTemplatesFolder());
    FileDialogRequest seen;
    for (const auto& f : folders) {
        SaveAsDir = f.lastFolder;
        CKavoDocManager::SetDialogRunner([&](const FileDialogRequest& r) {
            seen = r;
            return FileDialogResult();
        });
        app->OnFileSaveAs();
        EXPECT_EQ(seen.folder, f.expected);
        EXPECT_EQ(seen.file, untitled);
    }
    const QString saved = home.filePath("plan.kvd");
    CKavoDocManager::SetDialogRunner([&](const FileDialogRequest&) {
        FileDialogResult r;
        r.accepted = true;
        r.path = saved;
        r.files = {saved};
        return r;
    });
    app->OnFileSaveAs();
    CKavoDocManager::SetDialogRunner(nullptr);
    EXPECT_EQ(doc->GetPathName(), saved.toStdString());
    EXPECT_EQ(child->windowTitle(), "plan.kvd");
    frame->UpdateRecentFileMenu();
    frame->OnIdleUpdateCmdUI();
    EXPECT_TRUE(recent->text().startsWith("&1 ")) << recent->text().toStdString();
    EXPECT_TRUE(recent->text().endsWith("plan.kvd")) << recent->text().toStdString();
    EXPECT_TRUE(recent->isEnabled());
    frame->close();
    app->ExitInstance();
    SaveAsDir.clear();
}

// A click on the splash dismisses it; the widget may go only after the click
// has been delivered to the splash's own window (a delete inside the filter
// left Qt dispatching to freed memory).
TEST_F(KavoAppTest, AClickOnTheSplashClosesItSafely)
{
    auto app = MakeApp({});
    app->ShowSplash();
    QPointer<CSplashWnd> splash = app->SplashWnd();
    ASSERT_TRUE(splash);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(splash));
    QTest::mouseClick(splash->windowHandle(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(app->SplashWnd(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(splash.isNull());
}

// File > Close of a changed diagram asks first: Cancel keeps the diagram and
// its windows; No lets it go with every window on it, the second one that
// Window > New Window opened included. The other diagram stays open.
TEST_F(KavoAppTest, CloseAsksAboutAChangedDiagramAndTakesAllItsWindows)
{
    auto app = MakeApp({});
    ASSERT_TRUE(app->InitInstance());
    CMainFrame* frame = app->MainFrame();
    const auto docs = InstallDocuments(frame);
    app->OnFileNew();
    CKavoDoc* other = GetActiveKavoDoc();
    app->OnFileNew();
    CKavoDoc* doc = GetActiveKavoDoc();
    ASSERT_TRUE(other && doc && other != doc);
    QAction* close = MenuItem(frame, "&File", "&Close");
    QAction* newWindow = MenuItem(frame, "&Window", "&New Window");
    ASSERT_TRUE(close && newWindow);
    const auto windowsOf = [&](const CKavoDoc* d) {
        int n = 0;
        for (QMdiSubWindow* child : frame->MdiArea()->subWindowList())
            if (auto* v = qobject_cast<CKavoView*>(child->widget()); v && v->GetDocument() == d)
                ++n;
        return n;
    };
    frame->OnIdleUpdateCmdUI();
    newWindow->trigger();
    EXPECT_EQ(windowsOf(doc), 2);
    EXPECT_EQ(GetActiveKavoDoc(), doc);
    EXPECT_EQ(docs->DocumentCount(), 2);

    doc->SetModifiedFlag(true);
    CRecordingPrompt prompt;
    prompt.QueueAnswer(IDCANCEL);
    frame->OnIdleUpdateCmdUI();
    close->trigger();
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, "Save changes to " + doc->GetTitle() + "?");
    EXPECT_EQ(prompt.shown[0].type & MB_TYPEMASK, UINT(MB_YESNOCANCEL));
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(windowsOf(doc), 2);
    EXPECT_TRUE(doc->IsModified());

    prompt.QueueAnswer(IDNO);
    close->trigger();
    EXPECT_EQ(prompt.shown.size(), 2u);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(docs->DocumentCount(), 1);
    EXPECT_EQ(windowsOf(other), 1);
    EXPECT_EQ(frame->MdiArea()->subWindowList().size(), 1);

    // An unchanged diagram closes without a question.
    frame->OnIdleUpdateCmdUI();
    close->trigger();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(prompt.shown.size(), 2u);
    EXPECT_EQ(docs->DocumentCount(), 0);
    frame->OnIdleUpdateCmdUI();
    EXPECT_FALSE(close->isEnabled());
    EXPECT_FALSE(newWindow->isEnabled());
    frame->close();
    app->ExitInstance();
}

// Closing a changed diagram's last window, or the main window, asks first:
// Cancel keeps the diagram and its window; a window that is not the last
// closes without a question.
TEST_F(KavoAppTest, ClosingTheLastWindowOfAChangedDiagramAsksFirst)
{
    auto app = MakeApp({});
    ASSERT_TRUE(app->InitInstance());
    CMainFrame* frame = app->MainFrame();
    const auto docs = InstallDocuments(frame);
    app->OnFileNew();
    CKavoDoc* doc = GetActiveKavoDoc();
    ASSERT_TRUE(doc);
    frame->OnIdleUpdateCmdUI();
    QAction* newWindow = MenuItem(frame, "&Window", "&New Window");
    ASSERT_TRUE(newWindow);
    newWindow->trigger();
    ASSERT_EQ(frame->MdiArea()->subWindowList().size(), 2);
    doc->SetModifiedFlag(true);

    CRecordingPrompt prompt;
    frame->MdiArea()->subWindowList().front()->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(prompt.shown.empty());
    ASSERT_EQ(frame->MdiArea()->subWindowList().size(), 1);

    prompt.QueueAnswer(IDCANCEL);
    EXPECT_FALSE(frame->MdiArea()->subWindowList().front()->close());
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, "Save changes to " + doc->GetTitle() + "?");
    prompt.QueueAnswer(IDCANCEL);
    EXPECT_FALSE(frame->close());
    EXPECT_EQ(prompt.shown.size(), 2u);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(docs->DocumentCount(), 1);
    EXPECT_TRUE(doc->IsModified());

    prompt.QueueAnswer(IDNO);
    EXPECT_TRUE(frame->close());
    EXPECT_EQ(prompt.shown.size(), 3u);
    app->ExitInstance();
}

// Help > Contents opens the first help page, with no topic anchor.
TEST_F(KavoAppTest, HelpContentsOpensTheHelpsFirstPage)
{
    QDir(m_programDir.path()).mkpath("Help");
    QFile page(m_programDir.path() + "/Help/index.html");
    ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    page.close();
    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");
    auto app = MakeApp({});
    ASSERT_TRUE(app->InitInstance());
    CMainFrame* frame = app->MainFrame();
    QAction* contents = MenuItem(frame, "&Help", "&Contents");
    ASSERT_NE(contents, nullptr);
    frame->OnIdleUpdateCmdUI();
    contents->trigger();
    QDesktopServices::unsetUrlHandler("file");
    ASSERT_EQ(catcher.urls.size(), 1);
    EXPECT_EQ(catcher.urls[0], QUrl::fromLocalFile(m_programDir.path() + "/Help/index.html"));
    frame->close();
    app->ExitInstance();
}

// A settings file damaged since the last start (64 KB of garbage among the
// settings): the start tells the user once where the file as it was is kept,
// the settings read are used, and the file written back holds only them.
TEST_F(KavoAppTest, DamagedSettingsAreToldOnceAtStartAndNotWrittenBack)
{
    const QString file = m_profile.Folder() + "/Morlaven Software/KAVO Diagrammer.ini";
    ASSERT_TRUE(QDir().mkpath(QFileInfo(file).absolutePath()));
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("[System]\nFirst=0\n");
        for (int i = 0; i < 1024; ++i)
            f.write(QByteArray(63, char('A' + i % 26)) + "\n");
        f.write("[Options]\nGridX=40\n");
    }
    SetProfileFolder(m_profile.Folder()); // nothing read before this start
    CRecordingPrompt prompts;
    auto app = MakeApp({});
    ASSERT_TRUE(app->InitInstance());
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "The settings file\n" + file.toStdString() +
                                         "\nwas damaged: 1024 lines could not be read and are left out of it.\n"
                                         "The file as it was is kept as\n" + file.toStdString() + ".bad");
    EXPECT_EQ(Stored("Options", "GridX"), "40");
    app->ExitInstance();
    app.reset();
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray written = f.readAll();
    EXPECT_FALSE(written.contains("AAAAAAAA")) << written.left(200).toStdString();
    EXPECT_TRUE(written.contains("GridX=40"));
    EXPECT_GT(QFileInfo(file + ".bad").size(), 64 * 1024);
}

// The File menu's Revert and Save All and the Help menu's pages and update
// check are there for the user, enabled as the active diagram allows.
TEST_F(KavoAppTest, RevertSaveAllHelpPagesAndUpdateCheckAreOnTheMenus)
{
    RegistrySetValue(HKEY_CURRENT_USER, kAppKey + "\\System", "First", "0");
    QDir(m_programDir.path()).mkpath("Help");
    for (const char* name : {"/Help/index.html", "/Help/uml-guide.html"}) {
        QFile page(m_programDir.path() + name);
        ASSERT_TRUE(page.open(QIODevice::WriteOnly));
    }
    auto app = MakeApp({});
    ASSERT_TRUE(app->InitInstance());
    CMainFrame* frame = app->MainFrame();

    bool haveDoc = false;
    std::string path;
    bool modified = false;
    int reverts = 0;
    AppSeams().hasActiveDoc = [&] { return haveDoc; };
    AppSeams().activeDocPath = [&] { return path; };
    AppSeams().activeDocModified = [&] { return modified; };
    AppSeams().openLinkTarget = [&](const std::string&, int, int) { return ++reverts, true; };
    struct State {
        bool doc;
        const char* path;
        bool modified;
        bool revert;
        bool saveAll;
    } states[] = {
        {false, "", false, false, false},
        {true, "", true, false, true},          // never saved: nothing to go back to
        {true, "/d/x.kvd", false, false, true}, // nothing changed
        {true, "/d/x.kvd", true, true, true},
    };
    for (const State& st : states) {
        haveDoc = st.doc;
        path = st.path;
        modified = st.modified;
        frame->OnIdleUpdateCmdUI();
        SCOPED_TRACE(testing::Message() << st.doc << " " << st.path << " " << st.modified);
        ASSERT_NE(MenuItem(frame, "&File", "Rever&t"), nullptr);
        ASSERT_NE(MenuItem(frame, "&File", "Sav&e All"), nullptr);
        EXPECT_EQ(MenuItem(frame, "&File", "Rever&t")->isEnabled(), st.revert);
        EXPECT_EQ(MenuItem(frame, "&File", "Sav&e All")->isEnabled(), st.saveAll);
    }
    CRecordingPrompt prompts;
    MenuItem(frame, "&File", "Rever&t")->trigger();
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "Revert x.kvd to last saved version, and lose all current changes?");
    EXPECT_EQ(reverts, 1);

    UrlCatcher catcher;
    QDesktopServices::setUrlHandler("file", &catcher, "open");
    QDesktopServices::setUrlHandler("https", &catcher, "open");
    const QString help = m_programDir.path() + "/Help/";
    QUrl faq = QUrl::fromLocalFile(help + "index.html");
    faq.setFragment("ctx202");
    QUrl whatsNew = QUrl::fromLocalFile(help + "index.html");
    whatsNew.setFragment("ctx201");
    const std::pair<const char*, QUrl> items[] = {
        {"&Frequently Asked Questions", faq},
        {"&What's New?", whatsNew},
        {"UML Diagramming Guide", QUrl::fromLocalFile(help + "uml-guide.html")},
        {"Check for &Updates...", QUrl(QString::fromStdString(UpdateCheckAddress()))},
    };
    LastUpdateCheck = 0;
    for (const auto& [text, url] : items) {
        QAction* item = MenuItem(frame, "&Help", text);
        ASSERT_NE(item, nullptr) << text;
        catcher.urls.clear();
        item->trigger();
        ASSERT_EQ(catcher.urls.size(), 1) << text;
        EXPECT_EQ(catcher.urls[0], url) << text;
    }
    QDesktopServices::unsetUrlHandler("file");
    QDesktopServices::unsetUrlHandler("https");
    // The check that reached the browser is remembered.
    EXPECT_NE(LastUpdateCheck, 0);
    EXPECT_EQ(Stored("System", "LastUpdateCheck"), std::to_string(LastUpdateCheck));
    frame->close();
    app->ExitInstance();
}

// When the help cannot be shown the message says why, in terms true of this
// system: the page is missing, or no web browser took it.
TEST_F(KavoAppTest, HelpThatCannotBeShownSaysWhy)
{
    const QString page = m_programDir.path() + "/Help/index.html";
    for (const bool present : {false, true}) {
        if (present) {
            QDir(m_programDir.path()).mkpath("Help");
            QFile file(page);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        }
        CRecordingPrompt prompt;
        auto app = MakeApp({});
        ASSERT_TRUE(app->InitInstance());
        CMainFrame* frame = app->MainFrame();
        frame->OnIdleUpdateCmdUI();
        // No handler for local files: the desktop finds no browser here.
        MenuItem(frame, "&Help", "&Contents")->trigger();
        ASSERT_EQ(prompt.shown.size(), 1u) << present;
        const std::string text = prompt.shown[0].text;
        EXPECT_EQ(text.find("Internet Explorer"), std::string::npos) << text;
        EXPECT_NE(text.find(QDir::toNativeSeparators(page).toStdString()), std::string::npos) << text;
        EXPECT_NE(text.find(present ? "web browser" : "missing"), std::string::npos) << text;
        frame->close();
        app->ExitInstance();
    }
}

#include "KavoAppTest.moc"
