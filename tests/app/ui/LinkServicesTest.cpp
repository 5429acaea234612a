// The link services of the running program: where a link's target is looked
// for, which files open as diagrams, how a chosen file becomes link text, and
// that web addresses and other documents go to the desktop's handler.
#include "app/ui/LinkServicesUi.h"
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

TEST(LinkServices, AddressesAndOtherDocumentsGoToTheDesktop)
{
    ResetLinkServices();
    InstallLinkServices();
    LinkServices& s = GetLinkServices();
    ASSERT_TRUE(s.activeDoc && s.open && s.hyperlinkDialog && s.looksLikeUrl);

    UrlCatcher catcher;
    for (const char* scheme : {"http", "https", "file"})
        QDesktopServices::setUrlHandler(scheme, &catcher, "open");
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString notes = dir.filePath("notes.txt");
    QFile f(notes);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();

    EXPECT_TRUE(s.open("http://example.org/page", 1));
    EXPECT_TRUE(s.open(notes.toStdString(), 1));
    // A file that is gone opens nothing.
    EXPECT_FALSE(s.open(dir.filePath("gone.txt").toStdString(), 1));
    EXPECT_FALSE(s.open(dir.filePath("gone.kvd").toStdString(), 0));
    EXPECT_FALSE(s.open("", 1));
    for (const char* scheme : {"http", "https", "file"})
        QDesktopServices::unsetUrlHandler(scheme);
    ResetLinkServices();

    ASSERT_EQ(catcher.urls.size(), 2);
    EXPECT_EQ(catcher.urls[0].host(), "example.org");
    EXPECT_EQ(catcher.urls[1], QUrl::fromLocalFile(notes));
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

#include "LinkServicesTest.moc"
