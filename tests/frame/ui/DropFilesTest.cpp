// Files dropped on the main window: a diagram opens, pictures become figures
// of the diagram active when each is handled, and a maximised child gives way
// to cascaded windows once several diagrams are open.
#include "common/DiagramFixture.h"
#include "common/TestSupport.h"
#include "document/CFigure.h"
#include "editing/ui/CKavoView.h"
#include "frame/ui/CMainFrame.h"
#include "undo/UndoCodes.h"

#include <QFile>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <memory>

namespace {
struct DropFilesTest : testing::Test {
    QTemporaryDir dir;
    DiagramFixture first, second;
    CMainFrame frame;
    std::vector<std::string> opened;
    bool flagWhileOpening = false;

    void SetUp() override
    {
        CMainFrame::SetOpenFileHandler([this](const std::string& path) {
            opened.push_back(path);
            flagWhileOpening = g_bOpeningDroppedFile;
            frame.AddViewFrame(new CKavoView(&second.doc), "second");
            return true;
        });
    }
    void TearDown() override { CMainFrame::SetOpenFileHandler(nullptr); }

    QString Picture(const char* name)
    {
        QImage image(8, 6, QImage::Format_RGB32);
        image.fill(Qt::red);
        const QString path = dir.filePath(name);
        EXPECT_TRUE(image.save(path));
        return path;
    }
    QString File(const char* name, const QByteArray& bytes)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }
};
} // namespace

TEST_F(DropFilesTest, DiagramAndPicturesGoWhereTheyBelongThenChildrenCascade)
{
    frame.show();
    CKavoFrm* child = frame.AddViewFrame(new CKavoView(&first.doc), "first");
    ASSERT_NE(child, nullptr);
    frame.MdiArea()->activeSubWindow()->showMaximized();
    ASSERT_TRUE(frame.MdiArea()->activeSubWindow()->isMaximized());
    const QString a = Picture("a.png"), b = Picture("b.bmp");
    const QString diagram = File("other.KVD", "not read here");

    frame.OnDropFiles({a, diagram, b});

    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(QString::fromStdString(opened[0]), diagram);
    EXPECT_TRUE(flagWhileOpening);
    EXPECT_FALSE(g_bOpeningDroppedFile);
    // The first picture went to the diagram active before the drop, the
    // second to the diagram opened by it, each in an Import Graphic step.
    EXPECT_EQ(first.doc.GetObjCount(), 1);
    EXPECT_EQ(second.doc.GetObjCount(), 1);
    EXPECT_EQ(first.doc.UndoLogRef().GetLastUndoStepCode(), UDMAC_IMPORT);
    EXPECT_EQ(second.doc.UndoLogRef().GetLastUndoStepCode(), UDMAC_IMPORT);
    // Two diagrams open and a child was maximised: the children cascade.
    for (QMdiSubWindow* w : frame.MdiArea()->subWindowList())
        EXPECT_FALSE(w->isMaximized());
}

TEST_F(DropFilesTest, WithoutADiagramOnlyDiagramsOpenAndBadPicturesAreReported)
{
    CRecordingPrompt prompts;
    // No diagram: a picture or an unknown file is left alone, silently.
    frame.OnDropFiles({Picture("a.png"), File("notes.txt", "text")});
    EXPECT_TRUE(opened.empty());
    EXPECT_TRUE(prompts.shown.empty());

    frame.AddViewFrame(new CKavoView(&first.doc), "first");
    frame.OnDropFiles({File("broken.png", "no picture"), Picture("c.png")});
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text,
              "Unable to open the file or to recognize it as a supported graphics format.");
    // The next file is still handled.
    EXPECT_EQ(first.doc.GetObjCount(), 1);
}

// A picture that loads but cannot be added (the undo log finds no memory
// and the user gives up) is reported as a picture that could not be
// opened, and the diagram stays as it was.
TEST_F(DropFilesTest, APictureThatCannotBeAddedIsReported)
{
    CRecordingPrompt prompts;
    frame.AddViewFrame(new CKavoView(&first.doc), "first");
    first.doc.UndoLogRef().m_nRefuseRecordAfter = 0;
    prompts.QueueAnswer(IDCANCEL);
    frame.OnDropFiles({Picture("a.png")});
    first.doc.UndoLogRef().m_nRefuseRecordAfter = -1;
    ASSERT_FALSE(prompts.shown.empty());
    EXPECT_EQ(prompts.shown.back().text,
              "Unable to open the file or to recognize it as a supported graphics format.");
    EXPECT_EQ(first.doc.GetObjCount(), 0);
}
