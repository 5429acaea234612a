// Export Graphic's file dialog as the user meets it: where it starts, which
// file type it offers first and the name it proposes, for a first export and
// for the next one after a picture was written elsewhere; and what a typed
// name writes when the command is chosen from the main window's menu.
#include "app/AppSeams.h"
#include "app/ui/CKavoApp.h"
#include "app/ui/CKavoDocList.h"
#include "app/ui/CKavoDocTemplate.h"
#include "app/ui/ExportCommandsUi.h"
#include "common/DiagramFixture.h"
#include "common/TestSupport.h"
#include "core/CAppProfile.h"
#include "core/ProgramFolders.h"
#include "core/Settings.h"
#include "dialogs/CGraphicExportDlg.h"
#include "fileformat/ui/CExportFileDialog.h"
#include "frame/ui/CMainFrame.h"
#include "platform/Registry.h"
#include "platform/ui/DlgItems.h"
#include "render/ExportFormats.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <functional>

namespace {
struct Seen {
    QString folder, type, name;
};

// Once the file dialog is up: note where it stands, then let `act` finish it.
void WhenFileDialogShows(Seen& seen, std::function<void(CExportFileDialog&)> act)
{
    QTimer::singleShot(0, [&seen, act] {
        auto* dlg = qobject_cast<CExportFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        seen = {QDir(dlg->directory()).absolutePath(), dlg->selectedNameFilter(), dlg->TypedName()};
        act(*dlg);
    });
}

struct SavedExportSettings {
    int type = ExpType;
    std::string dir = ExpDir;
    ~SavedExportSettings()
    {
        ExpType = type;
        ExpDir = dir;
    }
};
} // namespace

TEST(ExportGraphicDialog, StartsInTheDiagramsFolderThenWhereTheLastPictureWent)
{
    SavedExportSettings saved;
    QTemporaryDir root;
    ASSERT_TRUE(QDir(root.path()).mkpath("diagrams") && QDir(root.path()).mkpath("pictures"));
    const QString diagrams = QDir(root.path()).absoluteFilePath("diagrams");
    const QString pictures = QDir(root.path()).absoluteFilePath("pictures");
    DiagramFixture fx;
    fx.AddBox(100, 100, 300, 200, "A");
    fx.doc.SetPathName((diagrams + "/Chart.kvd").toStdString(), false);
    ExpDir.clear();
    ExpType = 0;

    // First export of the session: the diagram's folder, the first type.
    Seen first;
    WhenFileDialogShows(first, [&](CExportFileDialog& dlg) {
        // The user picks PNG in another folder; the options that follow are
        // cancelled, which writes nothing.
        dlg.selectNameFilter(dlg.nameFilters().at(4));
        dlg.selectFile(pictures + "/Chart.PNG");
        QTimer::singleShot(0, [] {
            if (auto* options = qobject_cast<CGraphicExportDlg*>(QApplication::activeModalWidget()))
                options->reject();
        });
        auto* buttons = dlg.findChild<QDialogButtonBox*>("buttonBox");
        ASSERT_NE(buttons, nullptr);
        buttons->button(QDialogButtonBox::Save)->click();
    });
    RunExportGraphic(nullptr, fx.doc);
    EXPECT_EQ(first.folder.toStdString(), diagrams.toStdString()) << "the first export starts beside the diagram";
    EXPECT_TRUE(first.type.startsWith("EMF")) << first.type.toStdString();
    EXPECT_EQ(first.name.toStdString(), "Chart.EMF");
    EXPECT_EQ(ExpType, EXPORT_PNG);

    // The next export starts where the last picture went, with its type.
    Seen next;
    WhenFileDialogShows(next, [](CExportFileDialog& dlg) { dlg.reject(); });
    RunExportGraphic(nullptr, fx.doc);
    EXPECT_EQ(next.folder.toStdString(), pictures.toStdString());
    EXPECT_TRUE(next.type.startsWith("PNG")) << next.type.toStdString();
    EXPECT_EQ(next.name.toStdString(), "Chart.PNG");
}

namespace {
// What a written file is, read from its first bytes.
std::string FormatOfBytes(const QByteArray& b)
{
    if (b.startsWith("\x89PNG\r\n\x1a\n"))
        return "PNG";
    if (b.startsWith("\xff\xd8\xff"))
        return "JPG";
    if (b.startsWith("BM"))
        return "BMP";
    if (b.startsWith("GIF8"))
        return "GIF";
    if (b.startsWith("II*") || b.startsWith("MM\0*"))
        return "TIF";
    if (b.startsWith("\xd7\xcd\xc6\x9a"))
        return "WMF";
    if (b.size() > 44 && b.startsWith(QByteArray("\x01\0\0\0", 4)) && b.mid(40, 4) == " EMF")
        return "EMF";
    return "unknown";
}

// The program as main() starts it, with no diagram open and no first-run
// sample, in its own program folder and profile.
class ExportFromMainWindow : public testing::Test {
protected:
    void SetUp() override
    {
        ResetAppProfile();
        qputenv("XDG_DATA_HOME", (m_programDir.path() + "/share").toUtf8());
        SetProgramFolderForTest(m_programDir.path() + "/");
        RegistrySetValue(HKEY_CURRENT_USER, "Software\\Morlaven Software\\KAVO Diagrammer\\System", "First", "0");
        CKavoDocList::Instance().Install();
        SetDocumentLoader([](CKavoDoc& doc, const std::string& path) { return doc.OnOpenDocument(path); });
        m_app = std::make_unique<CKavoApp>(QStringList{"kavo"});
        m_app->m_strInstanceKey = m_programDir.path() + "/channel";
        m_docs = std::make_unique<CKavoDocTemplate>([this] { return m_app->MainFrame(); });
        AppSeams().createDocTemplate = [this] { m_docs->InstallSeams(); };
        ASSERT_TRUE(m_app->InitInstance());
    }
    void TearDown() override
    {
        if (m_app->MainFrame())
            m_app->MainFrame()->close();
        m_app->ExitInstance();
        m_docs.reset();
        m_app.reset();
        SetDocumentLoader(nullptr);
        ResetAppSeams();
        ResetAppProfile();
        SetProgramFolderForTest(QString());
        qunsetenv("XDG_DATA_HOME");
    }
    QAction* ExportItem() const
    {
        if (const QMenu* file = m_app->MainFrame()->FindTopMenu("&File"))
            for (QAction* a : file->actions())
                if (a->text() == "&Export Graphic...")
                    return a;
        return nullptr;
    }

    CTempProfile m_profile;
    QTemporaryDir m_programDir;
    std::unique_ptr<CKavoApp> m_app;
    std::unique_ptr<CKavoDocTemplate> m_docs;
};
} // namespace

// The user opens the sample diagram, chooses File > Export Graphic, types a
// name over the one proposed and saves, taking the options as offered. The
// type list follows the typed extension, and the file holds what its name
// says; a name with no extension of a listed type keeps the type shown.
TEST_F(ExportFromMainWindow, TheTypedExtensionChoosesWhatIsWritten)
{
    SavedExportSettings saved;
    QTemporaryDir out;
    const QString diagram = out.filePath("Swim.kvd");
    ASSERT_TRUE(QFile::copy(QStringLiteral(KAVO_RESOURCE_DIR "/Samples/InitialSample.kvd"), diagram));
    ASSERT_TRUE(AppSeams().openDocumentFile(diagram.toStdString()));
    ExpDir = out.path().toStdString();
    const struct {
        const char* name;
        const char* type;   // the type list's choice and what the file holds
    } cases[] = {
        {"swim.png", "PNG"}, {"swim.jpg", "JPG"}, {"swim.JPEG", "JPG"}, {"swim.bmp", "BMP"},
        {"swim.gif", "GIF"}, {"swim.tif", "TIF"}, {"swim.wmf", "WMF"}, {"swim.emf", "EMF"},
        {"swim.xyz", "EMF"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ExpType = EXPORT_EMF;  // the type last used, shown first
        QString shownType, shownName;
        QTimer::singleShot(0, [&] {
            auto* dlg = qobject_cast<CExportFileDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dlg, nullptr);
            auto* box = dlg->findChild<QLineEdit*>("fileNameEdit");
            ASSERT_NE(box, nullptr);
            box->setFocus();
            QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClicks(box, c.name);
            shownType = dlg->selectedNameFilter();
            shownName = dlg->TypedName();
            // A raster type asks for its size next: the offered one.
            QTimer::singleShot(0, [] {
                if (auto* options = qobject_cast<CGraphicExportDlg*>(QApplication::activeModalWidget()))
                    static_cast<QAbstractButton*>(GetDlgItem(options, IDOK))->click();
            });
            auto* buttons = dlg->findChild<QDialogButtonBox*>("buttonBox");
            ASSERT_NE(buttons, nullptr);
            buttons->button(QDialogButtonBox::Save)->click();
        });
        m_app->MainFrame()->OnIdleUpdateCmdUI();
        ASSERT_NE(ExportItem(), nullptr);
        ASSERT_TRUE(ExportItem()->isEnabled());
        CRecordingPrompt prompt;
        ExportItem()->trigger();
        EXPECT_TRUE(prompt.shown.empty()) << prompt.shown.front().text;
        EXPECT_TRUE(shownType.startsWith(c.type)) << shownType.toStdString();
        EXPECT_EQ(shownName.toStdString(), c.name) << "the name stays as typed";
        QFile written(out.filePath(c.name));
        ASSERT_TRUE(written.open(QIODevice::ReadOnly));
        EXPECT_EQ(FormatOfBytes(written.read(64)), c.type);
    }
}
