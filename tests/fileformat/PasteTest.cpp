// The pasted-object reader: copied objects land shifted in id and position,
// numbered symbols are renamed, known styles are not duplicated, and a failed
// or foreign paste leaves the document as it was.
#include "common/TestSupport.h"
#include "document/Placement.h"
#include "fileformat/CPasteLoadObj.h"
#include "fileformat/DiagramClipboard.h"
#include "fileformat/FileFormatTestSupport.h"

namespace {
// The sample document with everything selected, copied as text.
std::string CopiedSample()
{
    CKavoDoc src;
    PrepareForLoad(src);
    BuildSampleDoc(src);
    for (CDiagObj* o : *src.m_pObjList)
        o->SetSelectedFlag();
    for (CDiagObj* s : *src.m_pStapleList)
        s->SetSelectedFlag();
    for (CGroup* g : src.m_groupList)
        g->SetSelectedFlag();
    return CopySelectionText(src);
}

// A target diagram: the sample itself, whose next object id is 5.
void PrepareTarget(CKavoDoc& doc)
{
    PrepareForLoad(doc);
    BuildSampleDoc(doc);
    for (CDiagObj* o : *doc.m_pObjList)
        o->ClearSelectedFlag();
}
} // namespace

TEST(Paste, ObjectsLandOffsetWithFreshIdsAndLinks)
{
    const std::string text = CopiedSample();
    ASSERT_FALSE(text.empty());
    CKavoDoc doc;
    PrepareTarget(doc);
    const int endSymbols = doc.m_endSymbols.GetCount();
    doc.m_nPasteOffsetX = 20;
    doc.m_nPasteOffsetY = 30;
    ASSERT_TRUE(PasteDiagramText(doc, text));
    ASSERT_EQ(doc.m_pObjList->GetCount(), 8);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(doc.m_pObjList->GetAt(i)->m_nId, i + 1);
    auto* f1 = static_cast<CFigure*>(doc.m_pObjList->GetAt(0));
    auto* p1 = static_cast<CFigure*>(doc.m_pObjList->GetAt(4));
    EXPECT_EQ(p1->m_rect, CRect(20, 30, 276, 202));
    EXPECT_EQ(p1->m_strText, f1->m_strText);
    auto* pc = static_cast<CConnector*>(doc.m_pObjList->GetAt(7));
    EXPECT_EQ(pc->m_pFig1, p1);
    EXPECT_EQ(pc->m_pFig2, doc.m_pObjList->GetAt(6));
    EXPECT_EQ(pc->EndPoint1, CPoint(148, 202));
    EXPECT_EQ(doc.m_pStapleList->GetCount(), 6);
    EXPECT_EQ(doc.m_nNextStpId, 7);
    ASSERT_EQ(doc.m_groupList.size(), 2u);
    EXPECT_EQ(doc.m_groupList[1]->m_nId, 2);
    EXPECT_EQ(doc.m_groupList[1]->m_members[0].obj, p1);
    // Known styles are not added again; the pasted figures use the target's.
    EXPECT_EQ(doc.m_figStyles.GetCount(), 2);
    EXPECT_EQ(p1->m_nStyle, f1->m_nStyle);
    // So are known end symbols: the library never holds a name twice.
    EXPECT_EQ(doc.m_endSymbols.GetCount(), endSymbols);
    EXPECT_TRUE(doc.Validate());
    EXPECT_TRUE(doc.IsModified());

    // A second paste gives another set with distinct ids.
    ASSERT_TRUE(PasteDiagramText(doc, text));
    EXPECT_EQ(doc.m_pObjList->GetCount(), 12);
    EXPECT_EQ(doc.m_pObjList->GetAt(11)->m_nId, 12);
}

TEST(Paste, NumberedSymbolsAreRenamedPastTheDocumentsOwn)
{
    CKavoDoc src;
    PrepareForLoad(src);
    BuildSampleDoc(src);
    const int tri = src.m_figSymbols.FindByName("Tri");
    src.m_figSymbols.GetAt(tri)->SetName("Box:1");
    // An icon naming the renamed symbol follows it as well.
    static_cast<CFigure*>(src.m_pObjList->GetAt(0))->m_props.Icon = tri;
    for (CDiagObj* o : *src.m_pObjList)
        o->SetSelectedFlag();
    const std::string text = CopySelectionText(src);

    CKavoDoc doc;
    PrepareForLoad(doc);
    doc.m_figSymbols.NewEntry()->SetName("Box:1");
    doc.m_figSymbols.NewEntry()->SetName("Box:2");
    ASSERT_TRUE(PasteDiagramText(doc, text));
    const int renamed = doc.m_figSymbols.FindByName("Box:4");
    ASSERT_GE(renamed, 0);
    auto* f = static_cast<CFigure*>(doc.m_pObjList->GetAt(0));
    EXPECT_EQ(f->m_props.Symbol, renamed);
    EXPECT_EQ(f->m_props.Icon, renamed);
    const CFigStyle* process = doc.m_figStyles.GetAt(doc.m_figStyles.FindByName("Process"));
    ASSERT_NE(process, nullptr);
    EXPECT_EQ(process->m_props.Symbol, renamed);
}

TEST(Paste, PastedStyleThatNothingUsesIsNotKept)
{
    CKavoDoc src;
    PrepareForLoad(src);
    BuildSampleDoc(src);
    // Only the plain figure 3 (no style) is copied, with every style.
    src.m_pObjList->GetAt(2)->SetSelectedFlag();
    const std::string text = CopySelectionText(src);
    CKavoDoc doc;
    PrepareForLoad(doc);
    const int before = doc.m_figStyles.GetCount();
    ASSERT_TRUE(PasteDiagramText(doc, text));
    EXPECT_EQ(doc.m_pObjList->GetCount(), 1);
    EXPECT_EQ(doc.m_figStyles.GetCount(), before);
}

TEST(Paste, FailedOrForeignPasteLeavesTheDocumentAsItWas)
{
    CRecordingPrompt prompt;
    const std::string text = CopiedSample();
    CKavoDoc doc;
    PrepareTarget(doc);
    const std::string before = WriteDoc(doc);
    const struct {
        const char* name;
        std::string text;
    } cases[] = {
        {"bad object id late in the text", [&] {
             std::string t = text;
             const size_t at = t.find("\r\nConnector 4");
             t.replace(at, 13, "\r\nConnector 99999");
             return t;
         }()},
        {"newer version", [&] {
             std::string t = text;
             t.replace(t.find("5.08"), 4, "6.00");
             return t;
         }()},
        {"another program's text", "Hello, world\r\n"},
        {"empty", ""},
    };
    for (const auto& c : cases) {
        EXPECT_FALSE(PasteDiagramText(doc, c.text)) << c.name;
        EXPECT_EQ(WriteDoc(doc), before) << c.name;
        EXPECT_EQ(doc.m_nNextId, 5) << c.name;
    }
}

TEST(Paste, GlobalsOfThePastedTextAreIgnored)
{
    const std::string text = CopiedSample();
    CKavoDoc doc;
    PrepareForLoad(doc);
    doc.m_fViewScale = 80.0f;
    ASSERT_TRUE(PasteDiagramText(doc, text));
    EXPECT_FLOAT_EQ(doc.m_fViewScale, 80.0f);
    EXPECT_EQ(doc.m_strTemplate, "");
}

TEST(Paste, CopyTakesLabelsAlongAndPastesStepByStep)
{
    CRecordingPrompt prompt;
    CKavoDoc doc;
    PrepareTarget(doc);
    doc.ResetUndoLog();
    auto* f1 = static_cast<CFigure*>(doc.m_pObjList->GetAt(0));
    auto* label = static_cast<CFigure*>(doc.m_pObjList->GetAt(1));
    // Where new objects go: the first position, then one step on.
    ResetPasteOffset();
    const CPoint t1 = doc.GetNewObjPos(), t2 = doc.GetNewObjPos();
    // The centre of what is copied: the figure and the label stapled to it.
    f1->SetSelectedFlag();
    label->SetSelectedFlag();
    CRect a, b;
    f1->GetBoundRect(a, 0, 0);
    label->GetBoundRect(b, 0, 0);
    a.UnionRect(a, b);
    const CPoint centre = a.CenterPoint();
    f1->ClearSelectedFlag();
    label->ClearSelectedFlag();

    doc.ClearSelection();
    ASSERT_TRUE(doc.Select(f1));
    const std::string text = CopyDiagramObjects(doc);
    EXPECT_NE(text.find("Figure 2\r\n"), std::string::npos) << "the label goes with its figure";
    EXPECT_NE(text.find("Staple 1\r\n"), std::string::npos);
    EXPECT_EQ(text.find("Connector 4\r\n"), std::string::npos) << "its far end is not copied";
    EXPECT_EQ(label->m_bSelected, 0) << "the label is copied, not selected";

    // The first paste into the copied diagram centres the copy on the new
    // position; the second lands one step further on.
    ASSERT_TRUE(PasteDiagramObjects(doc, text));
    ASSERT_EQ(doc.m_pObjList->GetCount(), 6);
    auto* p1 = static_cast<CFigure*>(doc.m_pObjList->GetAt(4));
    const CSize first = p1->m_rect.TopLeft() - f1->m_rect.TopLeft();
    EXPECT_EQ(first, t1 - centre);
    EXPECT_EQ(doc.m_pSelList->GetCount(), 2);
    EXPECT_TRUE(p1->m_bSelected);
    EXPECT_FALSE(f1->m_bSelected);
    ASSERT_TRUE(PasteDiagramObjects(doc, text));
    auto* p2 = static_cast<CFigure*>(doc.m_pObjList->GetAt(6));
    EXPECT_EQ(p2->m_rect.TopLeft() - p1->m_rect.TopLeft(), t2 - t1);
    EXPECT_EQ(doc.m_pStapleList->GetCount(), 5);

    // Each paste is one undo step.
    doc.UndoLastStep();
    EXPECT_EQ(doc.m_pObjList->GetCount(), 6);
    doc.UndoLastStep();
    EXPECT_EQ(doc.m_pObjList->GetCount(), 4);
    EXPECT_EQ(doc.m_pStapleList->GetCount(), 3);

    // Another program's text changes nothing, not even the undo log.
    EXPECT_FALSE(PasteDiagramObjects(doc, "Some text"));
    EXPECT_EQ(doc.m_pObjList->GetCount(), 4);
    EXPECT_FALSE(doc.CanUndo());

    // Into another diagram the copy keeps its own place.
    ResetPasteOffset();
    CKavoDoc other;
    PrepareForLoad(other);
    ASSERT_TRUE(PasteDiagramObjects(other, text));
    ASSERT_EQ(other.m_pObjList->GetCount(), 2);
    EXPECT_EQ(other.m_pObjList->GetAt(0)->m_nId, 1);
    EXPECT_EQ(static_cast<CFigure*>(other.m_pObjList->GetAt(0))->m_rect, f1->m_rect);
    EXPECT_TRUE(prompt.shown.empty());
}

TEST(Paste, APastedStyleWithAButtonJoinsTheStyleBar)
{
    CKavoDoc src;
    PrepareForLoad(src);
    BuildSampleDoc(src);
    CFigStyle* extra = src.m_figStyles.NewEntry();
    extra->Reset();
    extra->SetName("Extra");
    extra->HasButton = 1;
    auto* f3 = static_cast<CFigure*>(src.m_pObjList->GetAt(2));
    f3->m_nStyle = src.m_figStyles.GetCount() - 1;
    f3->SetSelectedFlag();
    const std::string text = CopySelectionText(src);

    CKavoDoc doc;
    PrepareTarget(doc);
    doc.InitStyleMenus();
    ASSERT_LT(doc.m_figButtons.FindName("Extra"), 0);
    ASSERT_TRUE(PasteDiagramText(doc, text));
    EXPECT_GE(doc.m_figStyles.FindByName("Extra"), 0);
    EXPECT_GE(doc.m_figButtons.FindName("Extra"), 0);
}

namespace {
// The names of the figure symbols a diagram text holds, in order.
std::vector<std::string> FigureSymbolNames(const std::string& text)
{
    std::vector<std::string> names;
    for (size_t at = text.find("\nFigureSymbol \""); at != std::string::npos;
         at = text.find("\nFigureSymbol \"", at + 1)) {
        const size_t start = at + 15;
        names.push_back(text.substr(start, text.find('"', start) - start));
    }
    return names;
}
} // namespace

// Copy a figure, paste it, undo the paste, save: the pasted figure's symbol
// copy goes with it, and the file holds the symbols it held before.
TEST(Paste, AnUndonePasteLeavesNoSymbolInTheSavedFile)
{
    CRecordingPrompt prompt;
    QTemporaryDir dir;
    const std::string before = dir.filePath("before.kvd").toStdString();
    const std::string after = dir.filePath("after.kvd").toStdString();
    CKavoDoc doc;
    ASSERT_TRUE(doc.OpenDocumentUnlocked(KAVO_RESOURCE_DIR "/Template/UML Class Diagram.kvd", false));
    doc.m_bLockFile = 0;
    ASSERT_TRUE(doc.OnSaveDocument(before));
    // A class box: its symbol is one of the numbered copies.
    CFigure* box = nullptr;
    doc.ForEachFigure([&](CFigure* f) {
        const CFigSymbol* s = f->GetSymbol();
        if (!box && s && s->m_strName.rfind("class/object r3:", 0) == 0)
            box = f;
    });
    ASSERT_NE(box, nullptr);
    const int symbols = doc.m_figSymbols.GetCount();
    doc.ClearSelection();
    ASSERT_TRUE(doc.Select(box));
    const std::string copied = CopyDiagramObjects(doc);
    ASSERT_TRUE(PasteDiagramObjects(doc, copied));
    EXPECT_GT(doc.m_figSymbols.GetCount(), symbols) << "the pasted box has its own copy";
    doc.UndoLastStep();
    ASSERT_TRUE(doc.OnSaveDocument(after));
    EXPECT_EQ(FigureSymbolNames(ReadFile(QString::fromStdString(after))),
              FigureSymbolNames(ReadFile(QString::fromStdString(before))));
    EXPECT_TRUE(prompt.shown.empty());
}
