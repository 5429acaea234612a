// The link services of the running program: where a link's target is looked
// for, which files open as diagrams, how a chosen file becomes link text, and
// that web addresses and other documents go to the desktop's handler.
#include "app/AppSeams.h"
#include "app/ui/LinkServicesUi.h"
#include "common/TestSupport.h"
#include "controls/ui/CommandRecorder.h"
#include "core/Settings.h"
#include "document/CKavoDoc.h"
#include "dialogs/CHyperlinkDlg.h"
#include "document/HyperlinkCommands.h"
#include "platform/Prompt.h"
#include "platform/ui/DlgItems.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls.append(url); }
};

} // namespace

TEST(LinkServices, TargetsResolveAgainstTheDiagramsFolder)
{
    const struct {
        const char* link;
        const char* docPath;
        const char* target;
    } cases[] = {
        {"/d/other.kvd", "/w/main.kvd", "/d/other.kvd"},
        {"sub/part.kvd", "/w/main.kvd", "/w/sub/part.kvd"},
        {"../up.kvd", "/w/x/main.kvd", "/w/up.kvd"},
        {"plain.kvd", "/w/main.kvd", "/w/plain.kvd"},
        {"sub\\win.kvd", "/w/main.kvd", "/w/sub/win.kvd"},
        {"sub/part.kvd", "", "sub/part.kvd"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.link);
        EXPECT_EQ(ResolveLinkTarget(c.link, c.docPath), c.target);
    }
}

TEST(LinkServices, DiagramFilesAreKnownByTheirExtension)
{
    const struct {
        const char* path;
        bool diagram;
    } cases[] = {
        {"/d/a.kvd", true}, {"/d/A.KVD", true}, {"/d/a.bak", true},
        {"/d/a.txt", false}, {"/d/kvd", false}, {"/d/a.kvd.pdf", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path);
        EXPECT_EQ(IsDiagramFile(c.path), c.diagram);
    }
}

TEST(LinkServices, ChosenFilesBecomeRelativeOnlyWhenAsked)
{
    EXPECT_EQ(CHyperlinkDlg::LinkForChosenFile("/w/sub/b.kvd", "/w/a.kvd", true), "sub/b.kvd");
    EXPECT_EQ(CHyperlinkDlg::LinkForChosenFile("/x/b.kvd", "/w/a.kvd", true), "../x/b.kvd");
    EXPECT_EQ(CHyperlinkDlg::LinkForChosenFile("/w/sub/b.kvd", "/w/a.kvd", false), "/w/sub/b.kvd");
    EXPECT_EQ(CHyperlinkDlg::LinkForChosenFile("/w/sub/b.kvd", "", true), "/w/sub/b.kvd");
}

// A saved diagram with links beside it: sub/b.kvd, ../up.kvd, a folder, a
// text file, a script; the desktop's handlers and the document opener are
// caught so nothing real is launched.
class LinkTargets : public testing::Test {
protected:
    void SetUp() override
    {
        ResetLinkServices();
        InstallLinkServices();
        for (const char* scheme : {"http", "https", "ftp", "file", "mailto"})
            QDesktopServices::setUrlHandler(scheme, &catcher, "open");
        AppSeams().openDocumentFile = [this](const std::string& path) {
            opened.push_back(path);
            return true;
        };
        AppSeams().documentCount = [this] { return windows; };
        QDir(dir.path()).mkpath("w/sub");
        Save("w/sub/b.kvd");
        Save("up.kvd");
        Save("w/main.kvd");
        Touch("w/notes.txt");
        Touch("w/run.sh");
        ASSERT_TRUE(from.OnOpenDocument(Path("w/main.kvd")));
        GetLinkServices().activeDoc = [this] { return &from; };
    }
    void TearDown() override
    {
        for (const char* scheme : {"http", "https", "ftp", "file", "mailto"})
            QDesktopServices::unsetUrlHandler(scheme);
        ResetLinkServices();
        ResetAppSeams();
    }
    std::string Path(const char* relative) const { return dir.filePath(relative).toStdString(); }
    void Save(const char* relative)
    {
        CKavoDoc doc;
        doc.OnNewDocument();
        ASSERT_TRUE(doc.OnSaveDocument(Path(relative)));
    }
    void Touch(const char* relative)
    {
        QFile f(dir.filePath(relative));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }

    QTemporaryDir dir;
    UrlCatcher catcher;
    CKavoDoc from;
    CRecordingPrompt prompt;
    std::vector<std::string> opened;
    int windows = 2;
};

TEST_F(LinkTargets, EachTargetOpensExactlyWhatItNamesOrNothing)
{
    const std::string sub = Path("w/sub/b.kvd"), up = Path("up.kvd");
    const QString notes = dir.filePath("w/notes.txt");
    const struct {
        std::string link;
        LinkOpenResult result;
        std::string newWindow;  // the diagram opened in a window of its own
        QString desktop;        // what the desktop was given
    } cases[] = {
        {"sub/b.kvd", kLinkOpenedNew, sub, ""},
        {"sub\\b.kvd", kLinkOpenedNew, sub, ""},
        {"./sub/../sub/b.kvd", kLinkOpenedNew, sub, ""},
        {"../up.kvd", kLinkOpenedNew, up, ""},
        {sub, kLinkOpenedNew, sub, ""},
        {"gone.kvd", kLinkFailed, "", ""},
        {"../gone/b.kvd", kLinkFailed, "", ""},
        {"notes.txt", kLinkOpenedNew, "", QUrl::fromLocalFile(notes).toString()},
        {"sub", kLinkOpenedNew, "", QUrl::fromLocalFile(dir.filePath("w/sub")).toString()},
        {"run.sh", kLinkFailed, "", ""},
        {"file://" + notes.toStdString(), kLinkOpenedNew, "", QUrl::fromLocalFile(notes).toString()},
        {"main.kvd", kLinkOpenedInPlace, "", ""},
        {"http://example.org/a?b=1", kLinkOpenedNew, "", "http://example.org/a?b=1"},
        {"www.example.org", kLinkOpenedNew, "", "http://www.example.org"},
        {"http://exa mple.org", kLinkFailed, "", ""},
        {"http://", kLinkFailed, "", ""},
        {"https:example", kLinkFailed, "", ""},
        {"", kLinkFailed, "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.link);
        opened.clear();
        catcher.urls.clear();
        EXPECT_EQ(OpenLinkFrom(&from, c.link, true, false), c.result);
        EXPECT_EQ(opened, c.newWindow.empty() ? std::vector<std::string>{} : std::vector{c.newWindow});
        ASSERT_EQ(catcher.urls.size(), c.desktop.isEmpty() ? 0 : 1);
        if (!c.desktop.isEmpty()) {
            EXPECT_EQ(catcher.urls[0].toString(), c.desktop);
        }
        // The diagram itself stays where it was.
        EXPECT_EQ(from.GetPathName(), Path("w/main.kvd"));
    }
    // Through the command's service: a failure is false.
    EXPECT_TRUE(GetLinkServices().open("sub/b.kvd", 1));
    EXPECT_FALSE(GetLinkServices().open("gone.kvd", 1));
}

TEST_F(LinkTargets, TheOnlyDiagramWindowTakesTheLinkInPlaceAfterSavingItsChanges)
{
    windows = 1;
    *from.GetParentLinkRec() = "grand.kvd";
    from.SetModifiedFlag(true);
    EXPECT_EQ(OpenLinkFrom(&from, "sub/b.kvd", true, false), kLinkOpenedInPlace);
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(from.GetPathName(), Path("w/sub/b.kvd"));
    // The diagram reached points back to the one left, not to its parent.
    EXPECT_EQ(*from.GetParentLinkRec(), Path("w/main.kvd"));
    CKavoDoc saved;
    ASSERT_TRUE(saved.OnOpenDocument(Path("w/main.kvd")));
    EXPECT_EQ(*saved.GetParentLinkRec(), "grand.kvd");

    // Replace asks for in place whatever the windows; a missing target keeps
    // the diagram.
    windows = 3;
    EXPECT_EQ(OpenLinkFrom(&from, "../../up.kvd", false, true), kLinkOpenedInPlace);
    EXPECT_EQ(from.GetPathName(), Path("up.kvd"));
    EXPECT_EQ(OpenLinkFrom(&from, "gone.kvd", false, true), kLinkFailed);
    EXPECT_EQ(from.GetPathName(), Path("up.kvd"));
}

TEST_F(LinkTargets, ADiagramReachedKeepsAParentLinkOfItsOwn)
{
    CKavoDoc target;
    target.OnNewDocument();
    *target.GetParentLinkRec() = "keep.kvd";
    ASSERT_TRUE(target.OnSaveDocument(Path("w/sub/c.kvd")));
    windows = 1;
    EXPECT_EQ(OpenLinkFrom(&from, "sub/c.kvd", true, false), kLinkOpenedInPlace);
    EXPECT_EQ(from.GetPathName(), Path("w/sub/c.kvd"));
    EXPECT_EQ(*from.GetParentLinkRec(), "keep.kvd");
}

TEST_F(LinkTargets, UnsavableChangesAreKeptAndTheTargetOpensBeside)
{
    windows = 1;
    *from.GetParentLinkRec() = "changed.kvd";
    from.SetModifiedFlag(true);
    // The diagram's folder is gone: its save must fail.
    ASSERT_TRUE(QDir(dir.filePath("w")).removeRecursively());
    EXPECT_EQ(OpenLinkFrom(&from, Path("up.kvd"), false, false), kLinkOpenedNew);
    EXPECT_EQ(opened, std::vector<std::string>{Path("up.kvd")});
    EXPECT_TRUE(from.IsModified());
    EXPECT_EQ(*from.GetParentLinkRec(), "changed.kvd");
    EXPECT_EQ(from.GetPathName(), Path("w/main.kvd"));
}

TEST_F(LinkTargets, AnUnsavedDiagramFollowsNoLink)
{
    CKavoDoc unsaved;
    unsaved.OnNewDocument();
    EXPECT_EQ(OpenLinkFrom(&unsaved, Path("up.kvd"), true, false), kLinkFailed);
    EXPECT_EQ(OpenLinkFrom(&unsaved, "http://example.org", true, false), kLinkFailed);
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(catcher.urls.isEmpty());
}

TEST(HyperlinkDlg, OkRemoveAndCancelReportTheLink)
{
    constexpr int kEdit = 1051, kRemove = 1053;
    const struct {
        int button;
        const char* typed;
        int answer;
        const char* link;
        bool remove;
    } cases[] = {
        {IDOK, "  /d/b.kvd  ", IDOK, "/d/b.kvd", false},
        {kRemove, "/d/b.kvd", IDOK, "/d/a.kvd", true},
        {IDCANCEL, "/d/b.kvd", IDCANCEL, "/d/a.kvd", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        CHyperlinkDlg dlg;
        dlg.m_strLink = "/d/a.kvd";
        dlg.m_strPrompt = "Choose Diagram for Parent Hyperlink";
        QTimer::singleShot(0, &dlg, [&] {
            auto* edit = qobject_cast<QLineEdit*>(GetDlgItem(&dlg, kEdit));
            ASSERT_NE(edit, nullptr);
            EXPECT_EQ(edit->text(), "/d/a.kvd");
            EXPECT_NE(dlg.findChild<QLabel*>()->text().indexOf("Parent Hyperlink"), -1);
            edit->setText(c.typed);
            qobject_cast<QPushButton*>(GetDlgItem(&dlg, c.button))->click();
        });
        EXPECT_EQ(dlg.DoModal(), c.answer);
        EXPECT_EQ(dlg.m_strLink, c.link);
        EXPECT_EQ(dlg.m_bRemove, c.remove);
    }
}

// The dialog's explanation of what a link may be is true of this system:
// documents open in the desktop's programs, not in another system's.
TEST(HyperlinkDlg, ExplanationSpeaksOfTheDesktop)
{
    CHyperlinkDlg dlg;
    QString all;
    for (const QLabel* label : dlg.findChildren<QLabel*>())
        all += label->text() + "\n";
    EXPECT_NE(all.indexOf("(a)  A diagram file with .KVD extension"), -1) << all.toStdString();
    EXPECT_NE(all.indexOf("(b)  A document file of a type that the desktop can open"), -1) << all.toStdString();
    EXPECT_EQ(all.indexOf("Windows"), -1) << all.toStdString();
}

TEST(HyperlinkDlg, RemoveAsksFirstAndNoKeepsTheDialogOpen)
{
    constexpr int kRemove = 1053;
    CRecordingPrompt prompt;
    prompt.QueueAnswer(IDNO);
    CHyperlinkDlg dlg;
    dlg.m_strLink = "/d/a.kvd";
    QTimer::singleShot(0, &dlg, [&] {
        qobject_cast<QPushButton*>(GetDlgItem(&dlg, kRemove))->click();
        EXPECT_TRUE(dlg.isVisible());
        SaveShot(&dlg, "hyperlink_dialog");
        qobject_cast<QPushButton*>(GetDlgItem(&dlg, kRemove))->click();
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_TRUE(dlg.m_bRemove);
    ASSERT_EQ(prompt.shown.size(), 2u);
    EXPECT_EQ(prompt.shown[0].text, "Delete and remove the hyperlink?");
}

TEST(HyperlinkDlg, BrowseStartsAtTheLinkAndStoresTheChoice)
{
    constexpr int kEdit = 1051, kBrowse = 1052;
    const struct {
        const char* typed;
        const char* docPath;
        bool answerRelative;
        const char* start;
        bool presetRelative;
        const char* link;
        bool warned;
    } cases[] = {
        {"sub/b.kvd", "/w/a.kvd", true, "/w/sub/b.kvd", true, "sub/c.kvd", false},
        {"../x/b.kvd", "/w/a.kvd", true, "/x/b.kvd", true, "sub/c.kvd", false},
        {"/w/sub/b.kvd", "/w/a.kvd", false, "/w/sub/b.kvd", false, "/w/sub/c.kvd", false},
        // An unsaved diagram cannot hold a relative link: the full path stays.
        {"", "", true, "/last", false, "/w/sub/c.kvd", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        CRecordingPrompt prompt;
        RelativeLinks = 0;
        LinkDir = "/last";
        CHyperlinkDlg dlg;
        dlg.m_strDocPath = c.docPath;
        dlg.m_strLink = c.typed;
        std::string start;
        bool preset = false;
        dlg.m_chooseFile = [&](const std::string& from, bool& relative, std::string& chosen) {
            start = from;
            preset = relative;
            relative = c.answerRelative;
            chosen = "/w/sub/c.kvd";
            return true;
        };
        QTimer::singleShot(0, &dlg, [&] {
            qobject_cast<QPushButton*>(GetDlgItem(&dlg, kBrowse))->click();
            EXPECT_EQ(qobject_cast<QLineEdit*>(GetDlgItem(&dlg, kEdit))->text().toStdString(), c.link);
            dlg.EndDialog(IDCANCEL);
        });
        dlg.DoModal();
        EXPECT_EQ(start, c.start);
        EXPECT_EQ(preset, c.presetRelative);
        EXPECT_EQ(RelativeLinks, c.answerRelative ? 1 : 0);
        EXPECT_EQ(LinkDir, "/w/sub");
        ASSERT_EQ(prompt.shown.size(), c.warned ? 1u : 0u);
        if (c.warned) {
            EXPECT_EQ(prompt.shown[0].text, "Document is unsaved, cannot use relative file name.");
        }
    }
    RelativeLinks = 0;
    LinkDir.clear();
}

#include "LinkServicesTest.moc"
