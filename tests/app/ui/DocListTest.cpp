// The open documents as the application keeps them: open, Save, Save As,
// Save All, the autosave timer and the refusal to save over a file that
// another window holds.
#include "app/AppSeams.h"
#include "app/ui/CKavoDocList.h"
#include "app/ui/CKavoDocTemplate.h"
#include "common/TestSupport.h"
#include "core/Settings.h"
#include "document/CKavoDoc.h"
#include "editing/ui/CKavoView.h"
#include "fileformat/DocFileHooks.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
class DocList : public testing::Test {
protected:
    void SetUp() override
    {
        docs.CloseAll();
        docs.askSaveAsPath = [this](CKavoDoc*) { ++asked; return answer; };
        docs.Install();
    }
    void TearDown() override
    {
        docs.CloseAll();
        docs.askSaveAsPath = nullptr;
        AutoSave = 0;
        docs.ResetAutoSaveTimer();
    }
    std::string Path(const char* name) const { return QDir(dir.path()).filePath(name).toStdString(); }

    CKavoDocList& docs = CKavoDocList::Instance();
    QTemporaryDir dir;
    CRecordingPrompt prompt;
    std::string answer;
    int asked = 0;
};
} // namespace

TEST_F(DocList, NewDocumentIsSavedThroughSaveAsAndOpensAgain)
{
    ASSERT_TRUE(AppSeams().newDocument());
    CKavoDoc* doc = docs.Active();
    ASSERT_NE(doc, nullptr);
    answer = Path("n.kvd");
    ASSERT_TRUE(docs.DoFileSave(doc)); // untitled: asks for a name
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(AppSeams().activeDocPath(), answer);
    ASSERT_TRUE(docs.DoFileSave(doc)); // titled: saves in place
    EXPECT_EQ(asked, 1);

    // Opening the same file again activates the open document.
    EXPECT_TRUE(AppSeams().openDocumentFile(answer));
    EXPECT_EQ(docs.Count(), 1);
    docs.CloseAll();
    EXPECT_TRUE(AppSeams().openDocumentFile(answer));
    EXPECT_EQ(docs.Count(), 1);
    EXPECT_EQ(docs.Active()->m_bReadOnly, 0);
}

TEST_F(DocList, SavingOverAFileThatAnotherWindowHoldsIsRefused)
{
    ASSERT_TRUE(AppSeams().newDocument());
    CKavoDoc* first = docs.Active();
    ASSERT_TRUE(first->OnSaveDocument(Path("one.kvd")));
    ASSERT_TRUE(AppSeams().newDocument());
    CKavoDoc* second = docs.Active();
    second->SetModifiedFlag(true);
    EXPECT_FALSE(second->OnSaveDocument(Path("one.kvd")));
    EXPECT_EQ(docs.Count(), 2) << "the other window is not closed behind the user's back";
    ASSERT_FALSE(prompt.shown.empty());
    EXPECT_NE(prompt.shown.back().text.find("open in another window"), std::string::npos);
}

TEST_F(DocList, SaveAllSavesEveryDocumentAndReadOnlyOnesAskForAName)
{
    ASSERT_TRUE(AppSeams().newDocument());
    ASSERT_TRUE(docs.Active()->OnSaveDocument(Path("a.kvd")));
    docs.Active()->SetModifiedFlag(true);
    ASSERT_TRUE(AppSeams().newDocument());
    docs.Active()->m_bReadOnly = 1;
    docs.Active()->SetPathName(Path("b.kvd"));
    answer = Path("c.kvd");
    docs.SaveAll();
    EXPECT_EQ(asked, 1);
    EXPECT_FALSE(docs.At(0)->IsModified());
    EXPECT_TRUE(QFile::exists(QString::fromStdString(Path("c.kvd"))));
}

TEST_F(DocList, AutosaveTimerFollowsTheSettings)
{
    AutoSave = 1;
    AutoSaveMinutes = 10;
    docs.ResetAutoSaveTimer();
    EXPECT_TRUE(docs.AutoSaveTimerActive());
    EXPECT_EQ(docs.AutoSaveInterval(), 600000);
    AutoSaveMinutes = 0;
    docs.ResetAutoSaveTimer();
    EXPECT_FALSE(docs.AutoSaveTimerActive());
    AutoSaveMinutes = 2;
    AutoSave = 0;
    GetDocFileHooks().resetAutoSaveTimer();
    EXPECT_FALSE(docs.AutoSaveTimerActive());
}

TEST(DocTemplate, ClosingTheLastViewOrTheProgramDeletesTheAutosaveCopy)
{
    QTemporaryDir dir;
    AutoSave = 1;
    // Each document has made its autosave copy (only such a copy is deleted).
    SetDocumentLoader([](CKavoDoc& doc, const std::string& path) {
        doc.SetPathName(path);
        doc.m_bAutoSaveCopyMade = 1;
        return true;
    });
    auto touch = [&](const char* name) {
        QFile f(dir.filePath(name));
        return f.open(QIODevice::WriteOnly);
    };
    ASSERT_TRUE(touch("a.tmp") && touch("b.tmp"));
    {
        CKavoDocTemplate docs([] { return static_cast<CMainFrame*>(nullptr); });
        docs.InstallSeams();
        ASSERT_TRUE(docs.OpenDocumentFile(dir.filePath("a.kvd").toStdString()));
        ASSERT_TRUE(docs.OpenDocumentFile(dir.filePath("b.kvd").toStdString()));
        docs.OnViewClosed(AppSeams().allDocuments()[0]);
        EXPECT_FALSE(QFile::exists(dir.filePath("a.tmp")));
        EXPECT_TRUE(QFile::exists(dir.filePath("b.tmp")));
    }
    EXPECT_FALSE(QFile::exists(dir.filePath("b.tmp")));
    SetDocumentLoader(nullptr);
    ResetAppSeams();
    AutoSave = 0;
}

TEST(DocTemplate, AViewAtPageWidthIsSavedAsTheCornerAtPageWidth)
{
    CKavoDocTemplate docs([] { return static_cast<CMainFrame*>(nullptr); });
    docs.InstallSeams();
    CKavoDoc doc;
    doc.OnNewDocument();
    CKavoView view(&doc);
    view.resize(700, 500);
    view.show();
    view.OnInitialUpdate();
    static CKavoView* active = nullptr;
    active = &view;
    SetActiveKavoViewFinder([] { return active; });
    struct Case {
        bool pageWidth;
        CPoint anchor;
    } cases[] = {{true, CPoint(0, 0)}, {false, CPoint(300, 400)}};
    for (const Case& c : cases) {
        if (c.pageWidth)
            view.OnZoomPageWidth();
        else
            view.SetScrollSizesForView(c.anchor, 150.0f);
        CPoint anchor;
        float zoom = 0, pageWidthZoom = 0;
        ASSERT_TRUE(GetDocFileHooks().activeViewPlacement(doc, anchor, zoom, pageWidthZoom));
        EXPECT_EQ(anchor, c.pageWidth ? CPoint(0, 0) : view.GetViewAnchorPoint(kAnchorTopLeft));
        EXPECT_EQ(zoom == pageWidthZoom, c.pageWidth);
    }
    SetActiveKavoViewFinder(nullptr);
    ResetAppSeams();
}
