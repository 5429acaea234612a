// What a save and a load do around the diagram text: the style layouts
// written and rebuilt, connection points and texts tidied before a user
// save, a file cut short or zero-filled reported before it is accepted, and
// colour schemes merged from a template's variant files.
#include "common/TestSupport.h"
#include "core/ProgramFolders.h"
#include "core/Settings.h"
#include "document/ColorScheme.h"
#include "fileformat/CDocVariantTarget.h"
#include "fileformat/CStyleImportLoadObj.h"
#include "fileformat/TemplateSave.h"
#include "fileformat/DocFileHooks.h"
#include "fileformat/FileFormatTestSupport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {
HGLOBAL SmallPreview(CKavoDoc&)
{
    return GlobalAlloc(GHND, 40);
}

using SaveLoadSteps = FileFolderTest;
} // namespace

TEST_F(SaveLoadSteps, SaveWritesTheLayoutsBetweenPreviewAndPictures)
{
    CKavoDoc doc;
    PrepareForLoad(doc);
    BuildSampleDoc(doc);
    doc.InitStyleMenus();
    PreviewSave = 1;
    GetDocFileHooks().renderPreview = &SmallPreview;
    CStringKeywordSink sink;
    ASSERT_TRUE(doc.Serialize(&sink, nullptr));
    const std::string& t = sink.text;
    const size_t preview = t.find("\r\nPreview "), menu = t.find("\r\nLabelMenu\r\n");
    const size_t buttons = t.find("\r\nFigureButtons\r\n"), graphics = t.find("## Graphics Section");
    ASSERT_NE(preview, std::string::npos);
    ASSERT_NE(buttons, std::string::npos);
    EXPECT_LT(preview, menu);
    EXPECT_LT(menu, buttons);
    EXPECT_LT(buttons, graphics);
    // A preview file stops after its Preview block.
    doc.m_bPreviewOnly = 1;
    CStringKeywordSink only;
    ASSERT_TRUE(doc.Serialize(&only, nullptr));
    doc.ResetLoadSaveModes();
    EXPECT_EQ(only.text.find("LabelMenu"), std::string::npos);
}

TEST_F(SaveLoadSteps, LoadedLayoutsDriveTheStyleFlags)
{
    // Without layouts in the file they are built from the libraries.
    CKavoDoc src;
    PrepareForLoad(src);
    BuildSampleDoc(src);
    const std::string plain = WriteDoc(src);
    ASSERT_EQ(plain.find("FigureButtons"), std::string::npos);
    WriteFile(QPath("plain.kvd"), plain);
    CKavoDoc doc;
    ASSERT_TRUE(doc.OpenDocumentUnlocked(Path("plain.kvd"), false));
    ASSERT_TRUE(doc.m_figButtons.IsDefined());
    EXPECT_GE(doc.m_figButtons.FindName("Process"), 0);
    EXPECT_TRUE(doc.m_lblButtons.IsDefined());
    EXPECT_TRUE(doc.m_figMenu.HasStyle("Process"));

    // A file whose figure buttons are defined but hold nothing: "Process"
    // loses its button flag, and the diagram saves as it was loaded.
    src.m_figButtons.Clear();
    src.m_figButtons.PresetFigureButtons();
    const std::string noButtons = WriteDoc(src);
    WriteFile(QPath("nobuttons.kvd"), noButtons);
    CKavoDoc other;
    ASSERT_TRUE(other.OpenDocumentUnlocked(Path("nobuttons.kvd"), false));
    const CFigStyle* process = other.m_figStyles.GetAt(other.m_figStyles.FindByName("Process"));
    ASSERT_NE(process, nullptr);
    EXPECT_EQ(process->HasButton, 0);
    EXPECT_EQ(other.m_figButtons.m_nCount, 0);
    ASSERT_TRUE(other.OnSaveDocument(Path("again.kvd")));
    CKavoDoc third;
    ASSERT_TRUE(third.OpenDocumentUnlocked(Path("again.kvd"), false));
    EXPECT_EQ(WriteDoc(third), ReadFile(QPath("again.kvd")));
}

TEST_F(SaveLoadSteps, UserSaveNumbersConnectionPointsAndTidiesTexts)
{
    CKavoDoc doc;
    PrepareForLoad(doc);
    BuildSampleDoc(doc);
    auto* f1 = static_cast<CFigure*>(doc.m_pObjList->GetAt(0));
    auto* con = static_cast<CConnector*>(doc.m_pObjList->GetAt(3));
    // Points with ids 1, 5 and 9; the connector starts at 9, the third.
    f1->m_pConPts->AddConPt(CFltPoint(2048, 1024), "right", 0, true, 5);
    f1->m_pConPts->AddConPt(CFltPoint(1024, 2048), "bottom", 0, true, 9);
    f1->m_pConPts->RemoveConPt(1);
    f1->m_pConPts->AddConPt(CFltPoint(0, 0), "corner", 0, true, 12);
    con->m_nConPtId1 = 9;
    CFigStyle* process = doc.m_figStyles.GetAt(0);
    process->m_conPts.AddConPt(CFltPoint(0, 0), "x", 0, true, 30);
    // A repeated bold word serves nothing.
    f1->m_strText = "\\b \\b Hello\\sect \\i \\i x";
    ASSERT_TRUE(doc.OnSaveDocument(Path("n.kvd")));
    ASSERT_EQ(f1->m_pConPts->GetCount(), 3);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(f1->m_pConPts->GetIdAt(i), i + 1);
    EXPECT_EQ(con->m_nConPtId1, 2);
    EXPECT_EQ(process->m_conPts.GetIdAt(1), 2);
    EXPECT_EQ(f1->m_strText, "\\b Hello\\sect \\i x");
}

TEST_F(SaveLoadSteps, AFileCutShortOrZeroFilledIsReportedBeforeItIsKept)
{
    CKavoDoc src;
    PrepareForLoad(src);
    BuildSampleDoc(src);
    ASSERT_TRUE(src.OnSaveDocument(Path("whole.kvd")));
    const std::string whole = ReadFile(QPath("whole.kvd"));
    const size_t fig3 = whole.find("Figure 3\r\n");
    const size_t groups = whole.find("Group 1\r\n");
    ASSERT_NE(fig3, std::string::npos);
    ASSERT_NE(groups, std::string::npos);
    struct Case {
        const char* name;
        std::string bytes;
        int objects; // kept when the user answers OK
    } cases[] = {
        // Cut inside the third figure: the figure being read is lost.
        {"truncated", whole.substr(0, fig3 + std::strlen("Figure 3\r\n{\r\n  Text \"\"\r\n")), 2},
        // The tail zero-filled from a line start between two blocks, the
        // file keeping its length: padding in a clipboard block, damage in
        // a file.
        {"zero-filled tail", whole.substr(0, groups) + std::string(whole.size() - groups, '\0'), 4},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        WriteFile(QPath("cut.kvd"), c.bytes);
        for (int answer : {IDCANCEL, IDOK}) {
            prompt.shown.clear();
            prompt.QueueAnswer(answer);
            CKavoDoc doc;
            ASSERT_TRUE(doc.OnNewDocument());
            const bool opened = doc.OpenDocumentUnlocked(Path("cut.kvd"), false);
            ASSERT_EQ(prompt.shown.size(), 1u);
            EXPECT_EQ(prompt.shown[0].type, MB_OKCANCEL | MB_ICONEXCLAMATION);
            EXPECT_EQ(prompt.shown[0].text.rfind("Error Loading Diagram - Line ", 0), 0u);
            EXPECT_EQ(opened, answer == IDOK);
            EXPECT_EQ(doc.m_pObjList->GetCount(), answer == IDOK ? c.objects : 0);
        }
    }
    // The whole file loads without a word.
    prompt.shown.clear();
    CKavoDoc doc;
    ASSERT_TRUE(doc.OpenDocumentUnlocked(Path("whole.kvd"), false));
    EXPECT_TRUE(prompt.shown.empty());
}

TEST_F(SaveLoadSteps, ColourSchemeStylesComeFromTheTemplatesVariantFiles)
{
    QDir(dir.path()).mkpath("Template/Variants");
    SetProgramFolderForTest(dir.path());
    // Two schemes of the template "Flow": each file recolours "Process".
    for (const auto& [title, colour] : {std::pair<const char*, COLORREF>{"Flow(Color=Warm,1)", RGB(200, 0, 0)},
                                        {"Flow(Color=Cold,2,)", RGB(0, 0, 200)}}) {
        CKavoDoc v;
        PrepareForLoad(v);
        CFigStyle* s = v.m_figStyles.NewEntry();
        s->Reset();
        s->SetName("Process");
        s->m_props.m_fill.m_nKind = 1;
        s->m_props.m_fill.m_crColor1 = colour;
        std::string text = WriteDoc(v);
        if (colour == RGB(0, 0, 200)) {  // only "Cold" carries a preview picture
            v.m_hPreview = GlobalAlloc(GMEM_MOVEABLE, 64);
            {
                CGlobalLock lock(v.m_hPreview);
                for (int i = 0; i < 64; ++i)
                    lock.data()[i] = BYTE(i);
            }
            PreviewSave = 1;
            CStringKeywordSink sink;
            CKeywordWriter w(sink);
            ASSERT_TRUE(v.Save(w, true, true));
            text = sink.text;
        }
        WriteFile(dir.path() + "/Template/Variants/" + title + ".kvv", text);
    }
    EXPECT_EQ(LoadColorSchemeNames("Flow.kvd"), (std::vector<std::string>{"Warm", "Cold"}));
    EXPECT_TRUE(LoadColorSchemeNames("Other.kvd").empty());
    EXPECT_EQ(LoadColorSchemePreview("Flow.kvd", 0), nullptr);
    EXPECT_EQ(LoadColorSchemePreview("Flow.kvd", 2), nullptr) << "no third scheme";
    if (HGLOBAL preview = LoadColorSchemePreview("Flow.kvd", 1)) {
        {
            CGlobalLock lock(preview);
            EXPECT_EQ(lock.size(), 64u);
            EXPECT_EQ(lock.size() == 64 ? lock.data()[63] : 0, 63);
        }
        GlobalFree(preview);
    } else {
        ADD_FAILURE() << "the scheme's preview picture";
    }

    CKavoDoc doc;
    PrepareForLoad(doc);
    BuildSampleDoc(doc);
    doc.m_strTemplate = "Flow.kvd";
    doc.ResetUndoLog();
    auto* f1 = static_cast<CFigure*>(doc.m_pObjList->GetAt(0));
    const COLORREF before = f1->m_props.m_fill.m_crColor1;
    InstallColorSchemeLoading();
    GetColorSchemeServices().dialog = [](ColorSchemeChoice& c) {
        c.scheme = 1;
        c.applyToDiagram = true;
        return true;
    };
    doc.OnApplyColorScheme();
    const CFigStyle* process = doc.m_figStyles.GetAt(doc.m_figStyles.FindByName("Process"));
    EXPECT_EQ(process->m_props.m_fill.m_crColor1, RGB(0, 0, 200));
    EXPECT_EQ(f1->m_props.m_fill.m_crColor1, RGB(0, 0, 200));
    EXPECT_EQ(doc.m_figStyles.GetCount(), 2) << "a scheme changes styles, it adds none";
    // One step takes it all back.
    doc.UndoLastStep();
    EXPECT_EQ(f1->m_props.m_fill.m_crColor1, before);
    EXPECT_EQ(doc.m_figStyles.GetAt(0)->m_props.m_fill.m_crColor1, before);
    EXPECT_FALSE(ApplyColorSchemeStyles(doc, "Flow.kvd", 2)) << "no third scheme";
    SetProgramFolderForTest(QString());
}

namespace {
int g_styleBarRebuilds = 0;
void CountStyleBarRebuild()
{
    ++g_styleBarRebuilds;
}

} // namespace

// A template that has variant files, even of one group, is not saved over:
// its variants would no longer match it.
TEST_F(SaveLoadSteps, SaveTemplateRefusesATemplateWithVariants)
{
    QDir(dir.path()).mkpath("Template/Variants");
    SetProgramFolderForTest(dir.path());
    WriteFile(dir.path() + "/Template/Variants/Flow(Color=Warm,1).kvv", "KAVO Diagram File\r\nVersion 5.08\r\n");
    CKavoDoc doc;
    PrepareForLoad(doc);
    BuildSampleDoc(doc);
    const QString target = dir.path() + "/Template/Flow.kvd";
    EXPECT_FALSE(SaveTemplate(doc, target.toStdString()));
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text,
              "The template you are over-writing contains variants.  Please save as a different filename.");
    EXPECT_FALSE(QFile::exists(target));
}

TEST_F(SaveLoadSteps, TemplateCommandsAskAndRebuildWhatTheyChange)
{
    CKavoDoc doc;
    PrepareForLoad(doc);
    BuildSampleDoc(doc);
    EXPECT_EQ(ProposedPreviewName(doc), "");
    ASSERT_TRUE(doc.OnSaveDocument(Path("flow.kvd")));
    EXPECT_EQ(ProposedPreviewName(doc), "flow.PRV");

    // Save Preview Only asks before it overwrites; No keeps the file.
    WriteFile(QPath("p.prv"), "old");
    prompt.QueueAnswer(IDNO);
    EXPECT_FALSE(SavePreviewOnlyAsked(doc, Path("p.prv")));
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, "Overwrite \"" + Path("p.prv") + "\"?");
    EXPECT_EQ(prompt.shown[0].type, MB_YESNO);
    EXPECT_EQ(ReadFile(QPath("p.prv")), "old");
    prompt.QueueAnswer(IDYES);
    EXPECT_TRUE(SavePreviewOnlyAsked(doc, Path("p.prv")));
    EXPECT_EQ(ReadFile(QPath("p.prv")).rfind("KAVO", 0), 0u);

    // Copy Styles From rebuilds the style bar after a load, not after a
    // failure.
    GetDocFileHooks().rebuildStyleBar = &CountStyleBarRebuild;
    g_styleBarRebuilds = 0;
    CKavoDoc target;
    ASSERT_TRUE(target.OnNewDocument());
    prompt.shown.clear();
    EXPECT_FALSE(RunCopyStylesFrom(target, Path("missing.kvd")));
    EXPECT_EQ(g_styleBarRebuilds, 0);
    ASSERT_TRUE(RunCopyStylesFrom(target, Path("flow.kvd")));
    EXPECT_EQ(g_styleBarRebuilds, 1);
    EXPECT_GE(target.m_figButtons.FindName("Process"), 0) << "the new style's button is on the bar";
}

namespace {
// The active view that the placement hook reports: none, or a view of
// `shown` at an anchor and zoom with a page-width zoom.
struct FakeViewPlacement {
    const CKavoDoc* shown = nullptr;
    CPoint anchor;
    float zoom = 100.0f, pageWidth = 0;
};
FakeViewPlacement g_view;

bool ReportFakeView(const CKavoDoc& doc, CPoint& anchor, float& zoom, float& pageWidthZoom)
{
    if (g_view.shown != &doc)
        return false;
    anchor = g_view.anchor;
    zoom = g_view.zoom;
    pageWidthZoom = g_view.pageWidth;
    return true;
}
} // namespace

TEST_F(SaveLoadSteps, SaveKeepsWhereTheActiveViewStands)
{
    CKavoDoc doc, other;
    PrepareForLoad(doc);
    BuildSampleDoc(doc);
    doc.m_ptViewOrigin = CPoint(7, 9);
    doc.m_fViewScale = 50.0f;
    GetDocFileHooks().activeViewPlacement = &ReportFakeView;
    const struct {
        const char* name;
        FakeViewPlacement view;
        CPoint anchor;
        float zoom;
    } cases[] = {
        {"scrolled and zoomed", {&doc, CPoint(300, -40), 150.0f, 80.0f}, CPoint(300, -40), 150.0f},
        {"the page width from the corner", {&doc, CPoint(0, 0), 80.0f, 80.0f}, CPoint(0, 0), 100.0f},
        {"no page to fit", {&doc, CPoint(0, 0), 60.0f, 0.0f}, CPoint(0, 0), 100.0f},
        {"another zoom at the corner", {&doc, CPoint(0, 0), 60.0f, 80.0f}, CPoint(0, 0), 60.0f},
        {"the active view shows another diagram", {&other, CPoint(5, 5), 200.0f, 80.0f}, CPoint(7, 9), 50.0f},
    };
    for (const auto& c : cases) {
        g_view = c.view;
        CKavoDoc back;
        PrepareForLoad(back);
        ASSERT_TRUE(LoadText(back, WriteDoc(doc))) << c.name;
        EXPECT_EQ(back.m_ptViewOrigin, c.anchor) << c.name;
        EXPECT_FLOAT_EQ(back.m_fViewScale, c.zoom) << c.name;
    }
}
