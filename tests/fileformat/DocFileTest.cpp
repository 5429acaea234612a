// The document's file side: open, save under the held lock, failed saves,
// backup and autosave copies, renumbering and the preview.
#include "common/FakeAppContext.h"
#include "common/TestSupport.h"
#include "core/AppContext.h"
#include "core/Settings.h"
#include "document/Placement.h"
#include "fileformat/CPasteLoadObj.h"
#include "fileformat/CPreviewLoadObj.h"
#include "fileformat/DocFileHooks.h"
#include "fileformat/FileFormatTestSupport.h"
#include "platform/CLockedFile.h"
#include "render/DocDrawObjects.h"
#include "render/PreviewRender.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>

namespace {
bool Shows(const CRecordingPrompt& prompt, const std::string& start)
{
    for (const auto& s : prompt.shown)
        if (s.text.rfind(start, 0) == 0)
            return true;
    return false;
}

class DocFile : public FileFolderTest {
protected:
    // A saved sample diagram at `name`.
    void SaveSample(CKavoDoc& doc, const char* name)
    {
        PrepareForLoad(doc);
        BuildSampleDoc(doc);
        // Its style menus and buttons, as the editor's diagrams have them.
        doc.InitStyleMenus();
        ASSERT_TRUE(doc.OnSaveDocument(Path(name)));
    }
};
} // namespace

TEST_F(DocFile, SavedDiagramOpensToTheSameDocument)
{
    CKavoDoc doc;
    SaveSample(doc, "a.kvd");
    EXPECT_FALSE(doc.IsModified());
    const std::string text = ReadFile(QPath("a.kvd"));
    EXPECT_EQ(text, WriteDoc(doc));

    CKavoDoc other;
    ASSERT_TRUE(other.OpenDocumentUnlocked(Path("a.kvd"), false));
    EXPECT_EQ(WriteDoc(other), text);
    EXPECT_EQ(other.GetPathName(), Path("a.kvd"));
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(DocFile, OpeningStartsNewObjectsAtTheFirstPlaceAgain)
{
    CKavoDoc doc;
    SaveSample(doc, "a.kvd");
    CKavoDoc other;
    // Earlier pastes had moved the place of the next new object on.
    ResetPasteOffset();
    other.GetNewObjPos();
    other.GetNewObjPos();
    ASSERT_TRUE(other.OpenDocumentUnlocked(Path("a.kvd"), false));
    const CPoint afterOpen = other.GetNewObjPos();
    ResetPasteOffset();
    EXPECT_EQ(afterOpen, other.GetNewObjPos());
}

TEST_F(DocFile, SaveRenumbersObjectsInDrawingOrderAndKeepsReferences)
{
    CKavoDoc doc;
    PrepareForLoad(doc);
    BuildSampleDoc(doc);
    // Move the figure ids out of the way: 1 -> 40, 3 -> 70.
    auto* f1 = static_cast<CFigure*>(doc.m_pObjList->GetAt(0));
    auto* f3 = static_cast<CFigure*>(doc.m_pObjList->GetAt(2));
    f1->m_nId = 40;
    f3->m_nId = 70;
    doc.m_nNextId = 71;
    doc.m_pObjList->StoreAllIds();
    doc.m_pStapleList->StoreAllIds();
    for (CGroup::Member& m : doc.m_groupList[0]->m_members)
        m.StoreId();
    ASSERT_TRUE(doc.OnSaveDocument(Path("r.kvd")));
    for (int i = 0; i < doc.m_pObjList->GetCount(); ++i)
        EXPECT_EQ(doc.m_pObjList->GetAt(i)->m_nId, i + 1);
    EXPECT_EQ(doc.m_nNextId, 5);
    auto* con = static_cast<CConnector*>(doc.m_pObjList->GetAt(3));
    EXPECT_EQ(con->m_pFig1, f1);
    EXPECT_EQ(con->m_nFigId1, 1);
    EXPECT_EQ(con->m_nFigId2, 3);
    EXPECT_EQ(doc.m_groupList[0]->m_members[1].id, 3);
}

// Ids below the counter are kept; pasted objects get 5 and 6 in list order,
// also one that arrived holding the counter's own id (else the counter would
// give that id out a second time).
TEST_F(DocFile, PasteRenumberingKeepsExistingIds)
{
    for (const int arrived : {901, 5}) {
        CKavoDoc doc;
        PrepareForLoad(doc);
        BuildSampleDoc(doc);
        auto* a = new CFigure(&doc);
        a->m_nId = 900;
        auto* b = new CFigure(&doc);
        b->m_nId = arrived;
        ASSERT_TRUE(doc.AddFig(a));
        ASSERT_TRUE(doc.AddFig(b));
        doc.m_nNextId = 5;
        EXPECT_TRUE(doc.RenumberIDs(1)) << arrived;
        EXPECT_EQ(doc.m_pObjList->GetAt(0)->m_nId, 1);
        EXPECT_EQ(doc.m_pObjList->GetAt(3)->m_nId, 4);
        EXPECT_EQ(a->m_nId, 5) << arrived;
        EXPECT_EQ(b->m_nId, 6) << arrived;
        EXPECT_EQ(doc.m_nNextId, 7);
    }
}

TEST_F(DocFile, OpenFileIsHeldAndAnotherOpenIsReadOnly)
{
    CKavoDoc doc;
    SaveSample(doc, "held.kvd");
    const std::string before = ReadFile(QPath("held.kvd"));

    CKavoDoc second;
    ASSERT_TRUE(second.OnOpenDocument(Path("held.kvd")));
    EXPECT_EQ(second.m_bReadOnly, 1);
    EXPECT_TRUE(Shows(prompt, "File '" + Path("held.kvd") + "' is use by another user.\nIt will be opened read-only."));
    EXPECT_NE(second.GetTitle().find("read-only"), std::string::npos);

    // Saving the read-only copy over the held file is refused; nothing changes.
    second.SetModifiedFlag(true);
    EXPECT_FALSE(second.OnSaveDocument(Path("held.kvd")));
    EXPECT_TRUE(Shows(prompt, "File '" + Path("held.kvd") +
                                  "' is read-only, possibly locked by another user.\nSave with a different name."));
    EXPECT_EQ(ReadFile(QPath("held.kvd")), before);

    // Closing the holder frees the file for the next one.
    doc.OnCloseDocument();
    CKavoDoc third;
    ASSERT_TRUE(third.OnOpenDocument(Path("held.kvd")));
    EXPECT_EQ(third.m_bReadOnly, 0);
}

TEST_F(DocFile, SaveUnderNewNameMovesTheHold)
{
    CKavoDoc doc;
    SaveSample(doc, "old.kvd");
    ASSERT_TRUE(doc.OnSaveDocument(Path("new.kvd")));
    EXPECT_EQ(doc.GetPathName(), Path("new.kvd"));
    CLockedFile probe;
    EXPECT_EQ(probe.Open(QPath("old.kvd"), false), CLockedFile::OpenResult::Ok);
    CLockedFile probeNew;
    bool inUse = false;
    EXPECT_EQ(probeNew.Open(QPath("new.kvd"), false, &inUse), CLockedFile::OpenResult::ReadOnly);
    EXPECT_TRUE(inUse);
}

TEST_F(DocFile, FailedWriteKeepsThePreviousFileAndSaysSo)
{
    CKavoDoc doc;
    SaveSample(doc, "keep.kvd");
    const std::string before = ReadFile(QPath("keep.kvd"));
    doc.m_pObjList->GetAt(0)->m_nId = 1; // any change will do
    static_cast<CFigure*>(doc.m_pObjList->GetAt(0))->m_strText = "changed";
    doc.SetModifiedFlag(true);

    CLockedFile::InjectWriteFailures(1);
    EXPECT_FALSE(doc.OnSaveDocument(Path("keep.kvd")));
    EXPECT_EQ(ReadFile(QPath("keep.kvd")), before);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(Shows(prompt, "The diagram could not be saved to '" + Path("keep.kvd")));
    // No temporary sibling is left behind, and the hold survives.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);
    ASSERT_TRUE(doc.OnSaveDocument(Path("keep.kvd")));
    EXPECT_NE(ReadFile(QPath("keep.kvd")).find("changed"), std::string::npos);
}

TEST_F(DocFile, SaveIntoAMissingFolderFailsCleanly)
{
    CKavoDoc doc;
    PrepareForLoad(doc);
    BuildSampleDoc(doc);
    EXPECT_FALSE(doc.OnSaveDocument(Path("no/such/folder/x.kvd")));
    EXPECT_TRUE(Shows(prompt, "The diagram could not be saved"));
    EXPECT_TRUE(doc.GetPathName().empty());
    // A folder of that name is not taken for a read-only file.
    QDir(dir.path()).mkdir("folder.kvd");
    EXPECT_FALSE(doc.OnSaveDocument(Path("folder.kvd")));
    EXPECT_TRUE(Shows(prompt, "The diagram could not be saved to '" + Path("folder.kvd") +
                                  "' (cannot replace: Is a directory)"));
    EXPECT_TRUE(doc.GetPathName().empty());
}

TEST_F(DocFile, OpeningAMissingOrBrokenFileReportsAndKeepsNothing)
{
    CKavoDoc doc;
    EXPECT_FALSE(doc.OnOpenDocument(Path("missing.kvd")));
    EXPECT_TRUE(Shows(prompt, "Unknown error opening file '" + Path("missing.kvd") + "'"));

    WriteFile(QPath("text.kvd"), "hello\r\nworld\r\n");
    EXPECT_FALSE(doc.OnOpenDocument(Path("text.kvd")));
    EXPECT_EQ(doc.m_pObjList->GetCount(), 0);
    // The failed open holds nothing: the file can be taken by others.
    CLockedFile probe;
    EXPECT_EQ(probe.Open(QPath("text.kvd"), false), CLockedFile::OpenResult::Ok);
}

TEST_F(DocFile, BackupKeepsThePreviousVersionOfKvdFilesOnly)
{
    AutoBackup = 1;
    CKavoDoc doc;
    SaveSample(doc, "b.kvd");
    const std::string first = ReadFile(QPath("b.kvd"));
    EXPECT_FALSE(QFile::exists(QPath("b.bak")));
    static_cast<CFigure*>(doc.m_pObjList->GetAt(0))->m_strText = "second";
    ASSERT_TRUE(doc.OnSaveDocument(Path("b.kvd")));
    EXPECT_EQ(ReadFile(QPath("b.bak")), first);

    CKavoDoc other;
    SaveSample(other, "c.txt");
    ASSERT_TRUE(other.OnSaveDocument(Path("c.txt")));
    EXPECT_EQ(QDir(dir.path()).entryList({"c.*"}, QDir::Files), QStringList{"c.txt"});
}

TEST_F(DocFile, AutosaveCopyBecomesTheBackupAndKeepsUndo)
{
    AutoSave = 1;
    AutoBackup = 1;
    CKavoDoc doc;
    SaveSample(doc, "d.kvd");
    const std::string saved = ReadFile(QPath("d.kvd"));
    EXPECT_FALSE(doc.AutoSave()); // nothing changed

    auto* fig = static_cast<CFigure*>(doc.m_pObjList->GetAt(0));
    doc.UndoBeginStep(1);
    ASSERT_TRUE(doc.SetFigRect(fig, CRect(5, 5, 300, 200)));
    doc.UndoEndStep();
    ASSERT_TRUE(doc.CanUndo());
    ASSERT_TRUE(doc.AutoSave());
    EXPECT_EQ(doc.m_bAutoSaveCopyMade, 1);
    EXPECT_EQ(ReadFile(QPath("d.tmp")), saved);
    EXPECT_NE(ReadFile(QPath("d.kvd")), saved);
    EXPECT_TRUE(doc.CanUndo()) << "an autosave keeps the undo history";
    EXPECT_FALSE(doc.IsModified());

    // The user's next save turns the autosave copy into the backup.
    doc.SetModifiedFlag(true);
    ASSERT_TRUE(doc.OnSaveDocument(Path("d.kvd")));
    EXPECT_EQ(ReadFile(QPath("d.bak")), saved);
    EXPECT_FALSE(QFile::exists(QPath("d.tmp")));
    EXPECT_EQ(doc.m_bAutoSaveCopyMade, 0);

    // A remaining autosave copy goes when the document closes.
    doc.SetModifiedFlag(true);
    ASSERT_TRUE(doc.AutoSave());
    EXPECT_TRUE(QFile::exists(QPath("d.tmp")));
    doc.OnCloseDocument();
    EXPECT_FALSE(QFile::exists(QPath("d.tmp")));
}

TEST_F(DocFile, AutosaveWaitsForTextEditingAndASaveClosesTheEditor)
{
    AutoSave = 1;
    CKavoDoc doc;
    SaveSample(doc, "t.kvd");
    FakeEditorView view;
    view.editorOpen = view.textEditMode = true;
    view.cursorOverView = false;
    FakeAppContext ctx;
    ctx.view = &view;
    SetAppContext(&ctx);
    doc.SetModifiedFlag(true);
    EXPECT_FALSE(doc.AutoSave());
    EXPECT_TRUE(view.editorOpen);
    // The user's save takes the text being typed: the editor is closed first.
    ASSERT_TRUE(doc.OnSaveDocument(Path("t.kvd")));
    EXPECT_FALSE(view.editorOpen);
    SetAppContext(nullptr);
    AutoSave = 0;
}

TEST_F(DocFile, AutosaveWaitsForBusyStatesAndReadOnlyFiles)
{
    AutoSave = 1;
    CKavoDoc doc;
    SaveSample(doc, "e.kvd");
    doc.SetModifiedFlag(true);
    g_bTrackingBusy = true;
    EXPECT_FALSE(doc.AutoSave());
    g_bTrackingBusy = false;
    doc.HoldUndoLog();
    EXPECT_FALSE(doc.AutoSave());
    doc.ReleaseUndoLog();
    doc.m_bReadOnly = 1;
    EXPECT_FALSE(doc.AutoSave());
    doc.m_bReadOnly = 0;
    AutoSave = 0;
    EXPECT_FALSE(doc.AutoSave());
}

namespace {
HGLOBAL FakePreview(CKavoDoc&)
{
    // A small picture of repeating bytes, as a rendering would give.
    HGLOBAL h = GlobalAlloc(GHND, 300);
    CGlobalLock lock(h);
    for (int i = 0; i < 300; ++i)
        lock.data()[i] = BYTE(i / 50);
    return h;
}
} // namespace

TEST_F(DocFile, PreviewIsWrittenAndReadBackFromDiagramsAndPreviewFiles)
{
    GetDocFileHooks().renderPreview = &FakePreview;
    PreviewSave = 1;
    CKavoDoc doc;
    SaveSample(doc, "p.kvd");
    const std::string text = ReadFile(QPath("p.kvd"));
    EXPECT_NE(text.find("\r\nPreview "), std::string::npos);
    HGLOBAL h = LoadPreviewFromFile(QPath("p.kvd"));
    ASSERT_NE(h, nullptr);
    ASSERT_EQ(GlobalSize(h), 300u);
    {
        CGlobalLock lock(h);
        EXPECT_EQ(lock.data()[299], 5);
    }
    GlobalFree(h);
    EXPECT_EQ(doc.m_hPreview, nullptr);

    // A preview-only file has the header and the block, and nothing else.
    doc.m_bPreviewOnly = 1;
    ASSERT_TRUE(doc.OnSaveDocument(Path("p.prv")));
    const std::string prv = ReadFile(QPath("p.prv"));
    EXPECT_EQ(prv.find("Globals"), std::string::npos);
    EXPECT_EQ(prv.find("Figure"), std::string::npos);
    h = LoadPreviewFromFile(QPath("p.prv"));
    EXPECT_NE(h, nullptr);
    GlobalFree(h);

    // Without PreviewSave no block is written, and the loader finds none.
    PreviewSave = 0;
    ASSERT_TRUE(doc.OnSaveDocument(Path("q.kvd")));
    EXPECT_EQ(LoadPreviewFromFile(QPath("q.kvd")), nullptr);
    // Other extensions are not read.
    QFile::copy(QPath("p.kvd"), QPath("p.txt"));
    EXPECT_EQ(LoadPreviewFromFile(QPath("p.txt")), nullptr);
}

TEST_F(DocFile, PreviewFileWithoutHeaderIsRead)
{
    GetDocFileHooks().renderPreview = &FakePreview;
    PreviewSave = 1;
    CKavoDoc doc;
    SaveSample(doc, "h.kvd");
    std::string text = ReadFile(QPath("h.kvd"));
    const size_t from = text.find("Preview ");
    const size_t to = text.find("}\r\n", from) + 3;
    WriteFile(QPath("h.prv"), text.substr(from, to - from));
    HGLOBAL h = LoadPreviewFromFile(QPath("h.prv"));
    ASSERT_NE(h, nullptr);
    EXPECT_EQ(GlobalSize(h), 300u);
    GlobalFree(h);
}

namespace {
int g_nHotZoneRuns = 0;
void CountHotZoneRun(CKavoDoc&)
{
    ++g_nHotZoneRuns;
}
} // namespace

TEST_F(DocFile, HotZonesAreRecomputedOnlyForFilesBetweenZeroAndFive)
{
    GetDocFileHooks().recomputeHotZones = &CountHotZoneRun;
    const struct {
        const char* version;
        int runs;
    } cases[] = {{"4.5", 1}, {"5.08", 0}, {"0", 0}, {"2.0", 1}, {"5.0", 0}, {"4.99", 1}};
    for (const auto& c : cases) {
        g_nHotZoneRuns = 0;
        WriteFile(QPath("v.kvd"), std::string("KAVO Diagram File\r\nVersion ") + c.version + "\r\n");
        CKavoDoc doc;
        ASSERT_TRUE(doc.OnOpenDocument(Path("v.kvd"))) << c.version;
        EXPECT_EQ(g_nHotZoneRuns, c.runs) << c.version;
    }
}

namespace {
const char kHeader[] = "KAVO Diagram File\r\nVersion 5.08\r\n";

// Whether another program would find the file held (it opens read-only).
bool IsHeld(const QString& path)
{
    CLockedFile probe;
    bool inUse = false;
    return probe.Open(path, false, &inUse) == CLockedFile::OpenResult::ReadOnly && inUse;
}

void MakeReadOnly(const QString& path)
{
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
}
} // namespace

TEST_F(DocFile, AFailedOpenKeepsTheDiagramItsChangesAndItsFile)
{
    CKavoDoc doc;
    SaveSample(doc, "keep.kvd");
    static_cast<CFigure*>(doc.m_pObjList->GetAt(0))->m_strText = "changed";
    doc.SetModifiedFlag(true);
    const std::string text = WriteDoc(doc);
    QDir(dir.path()).mkdir("folder.kvd");
    WriteFile(QPath("text.kvd"), "hello\r\n");
    WriteFile(QPath("stop.kvd"), std::string(kHeader) + "Bogus 1\r\n");
    const struct {
        const char* name;
        int answer;              // to the loader's question, 0: none asked
        const char* message;     // the start of the message, or null
    } cases[] = {
        {"missing.kvd", 0, "' (No such file or directory)"},
        {"folder.kvd", 0, "' (Is a directory)"},
        {"text.kvd", 0, nullptr},
        {"stop.kvd", IDCANCEL, nullptr},
        {"keep.kvd", 0, nullptr}, // Revert, after the file was damaged
    };
    for (const auto& c : cases) {
        if (!std::strcmp(c.name, "keep.kvd"))
            WriteFile(QPath("keep.kvd"), "hello\r\n");
        if (c.answer)
            prompt.QueueAnswer(c.answer);
        prompt.shown.clear();
        EXPECT_FALSE(doc.OnOpenDocument(Path(c.name))) << c.name;
        if (c.message) {
            EXPECT_TRUE(Shows(prompt, "Unknown error opening file '" + Path(c.name) + c.message)) << c.name;
        }
        EXPECT_EQ(WriteDoc(doc), text) << c.name;
        EXPECT_TRUE(doc.IsModified()) << c.name;
        EXPECT_EQ(doc.GetPathName(), Path("keep.kvd")) << c.name;
        EXPECT_TRUE(IsHeld(QPath("keep.kvd"))) << c.name;
    }
}

TEST_F(DocFile, RevertAsksTheLoadersQuestionsOnce)
{
    CKavoDoc doc;
    SaveSample(doc, "r.kvd");
    std::string text = ReadFile(QPath("r.kvd"));
    text.insert(std::strlen(kHeader), "Bogus 1\r\n");
    WriteFile(QPath("r.kvd"), text);
    static_cast<CFigure*>(doc.m_pObjList->GetAt(0))->m_strText = "changed";
    doc.SetModifiedFlag(true);
    prompt.shown.clear();
    ASSERT_TRUE(doc.OnOpenDocument(Path("r.kvd")));
    EXPECT_EQ(prompt.shown.size(), 1u);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_EQ(static_cast<CFigure*>(doc.m_pObjList->GetAt(0))->m_strText.find("changed"), std::string::npos);
    EXPECT_TRUE(IsHeld(QPath("r.kvd")));
}

TEST_F(DocFile, OnlyAnAutosaveCopyThisSessionMadeIsDeleted)
{
    AutoSave = 1;
    // Without automatic backup no copy is made: the user's own notes.tmp
    // survives the close.
    WriteFile(QPath("notes.tmp"), "mine");
    CKavoDoc doc;
    SaveSample(doc, "notes.kvd");
    doc.SetModifiedFlag(true);
    ASSERT_TRUE(doc.AutoSave());
    doc.OnCloseDocument();
    EXPECT_EQ(ReadFile(QPath("notes.tmp")), "mine");

    // A copy that was made goes when other contents replace the diagram:
    // another file opened, or a new diagram.
    AutoBackup = 1;
    CKavoDoc other;
    SaveSample(other, "e.kvd");
    other.OnCloseDocument();
    CKavoDoc d;
    SaveSample(d, "d.kvd");
    d.SetModifiedFlag(true);
    ASSERT_TRUE(d.AutoSave());
    ASSERT_TRUE(QFile::exists(QPath("d.tmp")));
    ASSERT_TRUE(d.OnOpenDocument(Path("e.kvd")));
    EXPECT_FALSE(QFile::exists(QPath("d.tmp")));
    EXPECT_EQ(d.m_bAutoSaveCopyMade, 0);
    d.SetModifiedFlag(true);
    ASSERT_TRUE(d.AutoSave());
    ASSERT_TRUE(QFile::exists(QPath("e.tmp")));
    ASSERT_TRUE(d.OnNewDocument());
    EXPECT_FALSE(QFile::exists(QPath("e.tmp")));
    AutoSave = AutoBackup = 0;
}

TEST_F(DocFile, SavingThroughASymbolicLinkWritesTheFileItLeadsTo)
{
    QDir(dir.path()).mkdir("real");
    WriteFile(QPath("real/a.kvd"), "old");
    ASSERT_TRUE(QFile::link("real/a.kvd", QPath("a.kvd")));
    ASSERT_TRUE(QFile::link("real/b.kvd", QPath("b.kvd")));   // leads nowhere yet
    CKavoDoc doc;
    SaveSample(doc, "a.kvd");   // over the file the link leads to
    static_cast<CFigure*>(doc.m_pObjList->GetAt(0))->m_strText = "changed";
    ASSERT_TRUE(doc.OnSaveDocument(Path("a.kvd")));   // the held file
    ASSERT_TRUE(doc.OnSaveDocument(Path("b.kvd")));
    for (const char* name : {"a.kvd", "b.kvd"}) {
        EXPECT_TRUE(QFileInfo(QPath(name)).isSymLink()) << name;
        EXPECT_NE(ReadFile(QPath(name)).find("changed"), std::string::npos) << name;
    }
    EXPECT_EQ(QDir(dir.path() + "/real").entryList(QDir::Files | QDir::Hidden),
              (QStringList{"a.kvd", "b.kvd"}));
    EXPECT_TRUE(IsHeld(QPath("real/b.kvd")));
}

TEST_F(DocFile, TheLongestFileNameSaves)
{
    const std::string name = std::string(245, 'n') + ".kvd";
    CKavoDoc doc;
    SaveSample(doc, name.c_str());
    doc.SetModifiedFlag(true);
    EXPECT_TRUE(doc.OnSaveDocument(Path(name.c_str())));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(DocFile, AFileTheUserMayNotWriteIsNeverReplaced)
{
    {
        CKavoDoc doc;
        SaveSample(doc, "ro.kvd");
        doc.OnCloseDocument();
    }
    MakeReadOnly(QPath("ro.kvd"));
    const std::string before = ReadFile(QPath("ro.kvd"));
    auto expectRefused = [&](CKavoDoc& doc, const char* what) {
        doc.SetModifiedFlag(true);
        EXPECT_FALSE(doc.OnSaveDocument(Path("ro.kvd"))) << what;
        EXPECT_EQ(ReadFile(QPath("ro.kvd")), before) << what;
    };
    // Without a hold (the command-line tool's save): the system's reason.
    CKavoDoc plain;
    PrepareForLoad(plain);
    BuildSampleDoc(plain);
    plain.m_bLockFile = 0;
    expectRefused(plain, "no hold");
    EXPECT_NE(LastSaveError().find("Permission denied"), std::string::npos) << LastSaveError();
    // Saved under that name, and opened: read-only, so Save is refused.
    CKavoDoc other;
    PrepareForLoad(other);
    BuildSampleDoc(other);
    expectRefused(other, "new name");
    CKavoDoc opened;
    ASSERT_TRUE(opened.OnOpenDocument(Path("ro.kvd")));
    EXPECT_EQ(opened.m_bReadOnly, 1);
    expectRefused(opened, "opened");
    // A held file made read-only afterwards.
    CKavoDoc held;
    SaveSample(held, "w.kvd");
    MakeReadOnly(QPath("w.kvd"));
    held.SetModifiedFlag(true);
    AutoSave = 1;
    EXPECT_FALSE(held.AutoSave());
    AutoSave = 0;
    EXPECT_FALSE(held.OnSaveDocument(Path("w.kvd")));
    EXPECT_NE(LastSaveError().find("Permission denied"), std::string::npos) << LastSaveError();
}

TEST_F(DocFile, ANameThatIsNotValidTextSavesAndOpens)
{
    const std::string name = NativePath(dir.path()) + "/caf\xe9\xff.kvd";
    CKavoDoc doc;
    PrepareForLoad(doc);
    BuildSampleDoc(doc);
    doc.InitStyleMenus();
    ASSERT_TRUE(doc.OnSaveDocument(name));
    doc.OnCloseDocument();
    CKavoDoc other;
    ASSERT_TRUE(other.OnOpenDocument(name));
    EXPECT_EQ(WriteDoc(other), WriteDoc(doc));
    other.OnCloseDocument();
    // Qt cannot name the file to remove it with its folder.
    EXPECT_EQ(std::remove(name.c_str()), 0);
}

TEST_F(DocFile, AMinimalFileResavesByteForByte)
{
    CKavoDoc doc;
    PrepareForLoad(doc);
    ASSERT_TRUE(doc.OnSaveDocument(Path("min.kvd")));
    CKavoDoc other;
    other.m_bLockFile = 0;
    ASSERT_TRUE(other.OnOpenDocument(Path("min.kvd")));
    ASSERT_TRUE(other.OnSaveDocument(Path("again.kvd")));
    EXPECT_EQ(ReadFile(QPath("again.kvd")), ReadFile(QPath("min.kvd")));
}

// The preview written with a diagram pictures the drawing, not the
// selection: saving a small drawing with its figure selected (whose handles
// reach past the drawing) writes the same file as saving it with none.
TEST_F(DocFile, TheSavedFileIsTheSameWithOrWithoutASelection)
{
    InstallExportDrawer();
    const auto oldRender = GetDocFileHooks().renderPreview;
    GetDocFileHooks().renderPreview = &RenderDocPreview;
    PreviewSave = 1;
    // The sample's first figure alone, with its style and symbol, made small
    // so that one unit is a few pixels of the preview.
    CKavoDoc sample;
    PrepareForLoad(sample);
    BuildSampleDoc(sample);
    sample.m_pObjList->GetAt(0)->SetSelectedFlag();
    const std::string copied = CopySelectionText(sample);
    CKavoDoc doc;
    PrepareForLoad(doc);
    ASSERT_TRUE(PasteDiagramText(doc, copied));
    ASSERT_EQ(doc.m_pObjList->GetCount(), 1);
    auto* box = static_cast<CFigure*>(doc.m_pObjList->GetAt(0));
    box->m_rect = CRect(0, 0, 40, 27);
    doc.ClearSelection();
    box->ClearSelectedFlag();   // the paste marked it
    ASSERT_TRUE(doc.OnSaveDocument(Path("plain.kvd")));
    ASSERT_TRUE(doc.Select(box));
    ASSERT_TRUE(doc.OnSaveDocument(Path("selected.kvd")));
    GetDocFileHooks().renderPreview = oldRender;
    const std::string plain = ReadFile(QPath("plain.kvd"));
    EXPECT_NE(plain.find("\r\nPreview "), std::string::npos);
    EXPECT_TRUE(ReadFile(QPath("selected.kvd")) == plain);
}
