// Copy Styles From and template variants: styles and symbols come from
// another file into the open diagram, known ones replaced only as answered.
#include "common/TestSupport.h"
#include "fileformat/CStyleImportLoadObj.h"
#include "fileformat/FileFormatTestSupport.h"

#include <QDir>
#include <QTemporaryDir>

namespace {
CFigStyle* AddStyle(CKavoDoc& doc, const char* name, int kind, COLORREF colour)
{
    CFigStyle* s = doc.m_figStyles.NewEntry();
    s->Reset();
    s->SetName(name);
    s->m_props.m_fill.m_nKind = kind;
    s->m_props.m_fill.m_crColor1 = colour;
    return s;
}

// A file whose styles are "Process" (flat red) and "Decision" (flat blue).
std::string SourceFile(const QTemporaryDir& dir)
{
    CKavoDoc src;
    src.OnNewDocument();
    AddStyle(src, "Process", 1, RGB(255, 0, 0));
    AddStyle(src, "Decision", 1, RGB(0, 0, 255));
    const std::string path = QDir(dir.path()).filePath("src.kvd").toStdString();
    src.m_bLockFile = 0;
    EXPECT_TRUE(src.OnSaveDocument(path));
    return path;
}

COLORREF FillOf(CKavoDoc& doc, const char* name)
{
    const CFigStyle* s = doc.m_figStyles.GetAt(doc.m_figStyles.FindByName(name));
    return s ? s->m_props.m_fill.m_crColor1 : 0x030201;
}
} // namespace

TEST(StyleImport, KnownStylesAreReplacedOnlyAsAnswered)
{
    QTemporaryDir dir;
    const std::string path = SourceFile(dir);
    const struct {
        int answer;
        COLORREF process;
    } cases[] = {{kReplaceNo, RGB(0, 200, 0)},
                 {kReplaceNone, RGB(0, 200, 0)},
                 {-1, RGB(0, 200, 0)}, // closed: kept
                 {kReplaceYes, RGB(255, 0, 0)},
                 {kReplaceAll, RGB(255, 0, 0)}};
    for (const auto& c : cases) {
        CRecordingPrompt prompt;
        CKavoDoc doc;
        doc.OnNewDocument();
        AddStyle(doc, "Process", 1, RGB(0, 200, 0));
        prompt.QueueAnswer(c.answer);
        prompt.QueueAnswer(c.answer);
        ASSERT_TRUE(CopyStylesFrom(doc, path));
        // Both files have "null" and "Process"; All and None ask only once.
        const bool sticky = c.answer == kReplaceAll || c.answer == kReplaceNone;
        ASSERT_EQ(prompt.asked.size(), sticky ? 1u : 2u);
        const CRecordingPrompt::Asked& q = prompt.asked[0];
        EXPECT_EQ(q.caption, "Update?");
        EXPECT_EQ(q.text, "Overwrite figure style\n'null' ?");
        EXPECT_EQ(q.buttons, (std::vector<std::string>{"&Yes", "&No", "&All", "N&one"}));
        EXPECT_EQ(FillOf(doc, "Process"), c.process);
        EXPECT_EQ(FillOf(doc, "Decision"), RGB(0, 0, 255)); // new: simply added
        EXPECT_TRUE(doc.GetPathName().empty());
        EXPECT_TRUE(doc.IsModified());
    }
}

// Copy Styles From applies every replaced style again to the objects that
// follow it, all of its properties and not only its colours; objects that no
// longer follow their style keep their own.
TEST(StyleImport, ReplacedStylesReachTheObjectsThatFollowThem)
{
    QTemporaryDir dir;
    const auto addConStyle = [](CKavoDoc& d, int width) {
        CConStyle* c = d.m_conStyles.NewEntry();
        c->SetName("Flow");
        c->m_props.LineWidth = width;
        return c;
    };
    std::string path;
    {
        CKavoDoc src;
        src.OnNewDocument();
        AddStyle(src, "Process", 1, RGB(255, 0, 0))->m_props.BorderWidth = 5;
        addConStyle(src, 7);
        path = QDir(dir.path()).filePath("src.kvd").toStdString();
        src.m_bLockFile = 0;
        ASSERT_TRUE(src.OnSaveDocument(path));
    }
    CKavoDoc doc;
    doc.OnNewDocument();
    CFigStyle* process = AddStyle(doc, "Process", 1, RGB(0, 200, 0));
    process->m_props.BorderWidth = 1;
    const int processIndex = doc.m_figStyles.FindByName("Process");
    CFigure* figs[2] = {};
    for (int i = 0; i < 2; ++i) {
        figs[i] = new CFigure(i * 300, 0, 200, 100, process->m_props, processIndex, 0, "", "",
                              CFigure::CreateArgs(), &doc);
        figs[i]->m_props.BindToStyle = i == 0 ? 1 : 0;
        ASSERT_TRUE(doc.AddFigWithId(figs[i]));
    }
    const CConStyle* flow = addConStyle(doc, 2);
    auto* con = new CConnector(&doc);
    con->m_nStyle = doc.m_conStyles.FindByName("Flow");
    con->m_props = flow->m_props;
    con->EndPoint1 = figs[0]->GetCenter();
    con->EndPoint2 = figs[1]->GetCenter();
    ASSERT_TRUE(doc.AddConWithId(con));

    CRecordingPrompt prompt;
    prompt.QueueAnswer(kReplaceAll);
    ASSERT_TRUE(CopyStylesFrom(doc, path));
    EXPECT_EQ(figs[0]->m_props.BorderWidth, 5);
    EXPECT_EQ(figs[0]->m_props.m_fill.m_crColor1, RGB(255, 0, 0));
    EXPECT_EQ(figs[1]->m_props.BorderWidth, 1);
    EXPECT_EQ(figs[1]->m_props.m_fill.m_crColor1, RGB(0, 200, 0));
    EXPECT_EQ(con->m_props.LineWidth, 7);
    EXPECT_FALSE(doc.CanUndo());
}

TEST(StyleImport, VariantChangesKnownStylesAndKeepsGradients)
{
    QTemporaryDir dir;
    const std::string path = SourceFile(dir);
    CKavoDoc doc;
    doc.OnNewDocument();
    CFigStyle* process = AddStyle(doc, "Process", 2, RGB(1, 2, 3));
    process->m_props.m_fill.m_crColor2 = RGB(9, 9, 9);
    const int before = doc.m_figStyles.GetCount();
    ASSERT_TRUE(ApplyVariantFile(doc, path));
    EXPECT_EQ(doc.m_figStyles.GetCount(), before) << "a style the diagram lacks is skipped";
    process = doc.m_figStyles.GetAt(doc.m_figStyles.FindByName("Process"));
    EXPECT_EQ(process->m_props.m_fill.m_nKind, 2);
    EXPECT_EQ(process->m_props.m_fill.m_crColor1, RGB(255, 0, 0));
}

#include "fileformat/CPreviewLoadObj.h"
#include "fileformat/DocFileHooks.h"
#include "fileformat/TemplateSave.h"
#include "core/Settings.h"

namespace {
BYTE g_previewByte = 1;
HGLOBAL OneBytePreview(CKavoDoc&)
{
    HGLOBAL h = GlobalAlloc(GHND, 40);
    CGlobalLock lock(h);
    std::fill(lock.data(), lock.data() + 40, g_previewByte);
    return h;
}

BYTE FirstPreviewByte(const QString& path)
{
    HGLOBAL h = LoadPreviewFromFile(path);
    if (!h)
        return 0;
    BYTE b = 0;
    {
        CGlobalLock lock(h);
        b = lock.data()[0];
    }
    GlobalFree(h);
    return b;
}
} // namespace

TEST(TemplateSave, ResavingATemplateCanKeepItsPreviewAndTheDiagramKeepsItsPath)
{
    CRecordingPrompt prompt;
    QTemporaryDir dir;
    GetDocFileHooks().renderPreview = &OneBytePreview;
    PreviewSave = 1;
    const QString path = QDir(dir.path()).filePath("T.kvd");
    CKavoDoc doc;
    doc.OnNewDocument();
    doc.SetModifiedFlag(true);
    g_previewByte = 1;
    ASSERT_TRUE(SaveTemplate(doc, path.toStdString()));
    EXPECT_EQ(FirstPreviewByte(path), 1);
    EXPECT_TRUE(doc.GetPathName().empty());
    EXPECT_TRUE(doc.IsModified());

    g_previewByte = 2;
    prompt.QueueAnswer(IDYES); // keep the existing preview
    ASSERT_TRUE(SaveTemplate(doc, path.toStdString()));
    EXPECT_EQ(FirstPreviewByte(path), 1);
    prompt.QueueAnswer(IDNO);
    ASSERT_TRUE(SaveTemplate(doc, path.toStdString()));
    EXPECT_EQ(FirstPreviewByte(path), 2);
    prompt.QueueAnswer(IDCANCEL);
    EXPECT_FALSE(SaveTemplate(doc, path.toStdString()));

    ASSERT_TRUE(SavePreviewOnly(doc, QDir(dir.path()).filePath("T.prv").toStdString()));
    EXPECT_EQ(FirstPreviewByte(QDir(dir.path()).filePath("T.prv")), 2);
}
