// The graphics list: shared pictures counted through merges, copies and
// releases, and rebuilt after a load.
#include "fileformat/FileFormatTestSupport.h"
#include "keyword/KeywordHooks.h"
#include "platform/NumText.h"


namespace {
class GraphicsListTest : public ::testing::Test {
protected:
    void TearDown() override { list.ReleaseAll(); }
    TraceRecorder m_trace;
    std::vector<std::string>& g_lines = TraceRecorder::Lines();
    CGraphicList list;
};
} // namespace

TEST_F(GraphicsListTest, IdenticalPicturesShareOneBlock)
{
    const size_t before = GlobalMemoryInUse();
    HGLOBAL a = MakePicture(0xFF0000FF);
    HGLOBAL b = MakePicture(0xFF0000FF);
    const HGLOBAL original = b;
    ASSERT_EQ(list.RegisterAlloc(9, &a, false), 1);
    ASSERT_EQ(list.RegisterAlloc(9, &b, false), 1);
    EXPECT_EQ(b, a); // the caller's field now names the shared block
    EXPECT_NE(original, a);
    EXPECT_EQ(list.GetCount(), 1);
    EXPECT_EQ(list.GetAt(0)->UseCount, 2);
    EXPECT_EQ(GlobalMemoryInUse(), before + 16);
    // The same handle again (a copy of a figure) adds a use.
    ASSERT_EQ(list.RegisterAlloc(9, &a, false), 1);
    EXPECT_EQ(list.GetAt(0)->UseCount, 3);
    EXPECT_EQ(list.RegisterDealloc(9, a), 1);
    EXPECT_EQ(list.RegisterDealloc(9, a), 1);
    EXPECT_EQ(GlobalMemoryInUse(), before + 16);
    EXPECT_EQ(list.RegisterDealloc(9, a), 1);
    EXPECT_EQ(list.GetCount(), 0);
    EXPECT_EQ(GlobalMemoryInUse(), before);
}

TEST_F(GraphicsListTest, EqualBytesOfAnotherKindAreNotMerged)
{
    HGLOBAL a = MakePicture(1);
    HGLOBAL b = MakePicture(1);
    list.RegisterAlloc(9, &a, false);
    list.RegisterAlloc(1, &b, false);
    EXPECT_NE(a, b);
    EXPECT_EQ(list.GetCount(), 2);
}

TEST_F(GraphicsListTest, RefusedAndUnknownReleases)
{
    HGLOBAL a = MakePicture(1);
    HGLOBAL none = nullptr;
    EXPECT_EQ(list.RegisterAlloc(0, &a, false), 0);
    EXPECT_EQ(list.RegisterAlloc(9, &none, false), 0);
    EXPECT_EQ(list.GetCount(), 0);
    g_lines.clear();
    EXPECT_EQ(list.RegisterDealloc(9, a), 0);
    ASSERT_EQ(g_lines.size(), 2u);
    EXPECT_EQ(g_lines[1], StrPrintf("SMEM  No record of allocation for handle %08X\n",
                                    unsigned(reinterpret_cast<uintptr_t>(a))));
    // A loaded record has no uses: a release is only traced.
    const CGraphic loaded = CGraphic::Loaded(9, a, 7);
    ASSERT_TRUE(list.AddLoaded(&loaded));
    EXPECT_EQ(list.RegisterDealloc(9, a), 1);
    EXPECT_EQ(g_lines.back(), "SMEM  ..Warning - no uses, deallocation ignored \n");
    EXPECT_EQ(list.FindById(7)->Handle, a);
    list.ClearIds();
    EXPECT_EQ(list.FindById(0), nullptr);
    list.DeleteAll();
    GlobalFree(a);
    g_lines.clear();
    list.Dump();
    EXPECT_TRUE(g_lines.empty());
}

// After a load, styles and figures whose pictures are byte-identical end up
// on one record; the later blocks and blocks nothing took are freed.
TEST_F(GraphicsListTest, RebuildAfterLoadMergesAndFreesUnusedBlocks)
{
    CKavoDoc doc;
    PrepareForLoad(doc);
    const std::string same = "GraphicData 16\n{\n02000000010000000100000000000000\n}\n";
    const std::string text = "KAVO\nVersion 5.08\n"
                             "Graphic 1\n{\nType 9\nCompression 0\n" + same + "}\n"
                             "Graphic 2\n{\nType 9\nCompression 0\n" + same + "}\n"
                             "Graphic 3\n{\nType 9\nCompression 0\n" + same + "}\n"
                             "FigureStyle \"A\"\n{\nSymbol \"lbl\"\nGraphic 1\n}\n"
                             "FigureStyle \"B\"\n{\nSymbol \"lbl\"\nGraphic 2\n}\n"
                             "Figure 1\n{\nStyle \"B\"\nGraphic 2\n}\n";
    const size_t before = GlobalMemoryInUse();
    ASSERT_TRUE(LoadText(doc, text));
    ASSERT_EQ(doc.m_graphics.GetCount(), 1);
    EXPECT_EQ(doc.m_graphics.GetAt(0)->UseCount, 3);
    const HGLOBAL shared = doc.m_graphics.GetAt(0)->Handle;
    EXPECT_EQ(doc.m_figStyles.GetAt(0)->m_props.Graphic, shared);
    EXPECT_EQ(doc.m_figStyles.GetAt(1)->m_props.Graphic, shared);
    EXPECT_EQ(static_cast<CFigure*>(doc.m_pObjList->GetAt(0))->m_props.Graphic, shared);
    // Only the shared block is left of the three read.
    EXPECT_EQ(GlobalMemoryInUse(), before + 16);
    // Deleting the figure leaves the block to the styles.
    doc.DeleteFig(static_cast<CFigure*>(doc.m_pObjList->GetAt(0)), false);
    EXPECT_EQ(doc.m_graphics.GetAt(0)->UseCount, 2);
}

// A Graphic record without a Compression line unpacks as the record before it.
TEST_F(GraphicsListTest, CompressionCarriesOverToTheNextRecord)
{
    CKavoDoc doc;
    PrepareForLoad(doc);
    const std::string text = "KAVO\nVersion 5.08\n"
                             "Graphic 1\n{\nType 9\nCompression 0\nGraphicData 4\n{\n01020304\n}\n}\n"
                             "Graphic 2\n{\nType 9\nGraphicData 4\n{\n05060708\n}\n}\n"
                             "Figure 1\n{\nGraphic 1\n}\nFigure 2\n{\nGraphic 2\n}\n";
    ASSERT_TRUE(LoadText(doc, text));
    const HGLOBAL h = static_cast<CFigure*>(doc.m_pObjList->GetAt(1))->m_props.Graphic;
    ASSERT_NE(h, nullptr);
    ASSERT_EQ(GlobalSize(h), 4u);
    const auto* bytes = static_cast<const unsigned char*>(GlobalLock(h));
    EXPECT_EQ(std::vector<unsigned char>(bytes, bytes + 4), (std::vector<unsigned char>{5, 6, 7, 8}));
    GlobalUnlock(h);
}

// Pictures are written once, numbered in list order, and figures refer to
// them by that number.
TEST_F(GraphicsListTest, SavedIdsAreSmallAndStable)
{
    CKavoDoc doc;
    PrepareForLoad(doc);
    BuildSampleDoc(doc);
    const std::string text = WriteDoc(doc);
    EXPECT_NE(text.find("Graphic 1\r\n{"), std::string::npos);
    EXPECT_NE(text.find("Graphic 2\r\n{"), std::string::npos);
    EXPECT_EQ(text.find("Graphic 3\r\n{"), std::string::npos);
    EXPECT_EQ(WriteDoc(doc), text);
}

// Pictures read in the old forms, replaced by a shared one or of kind 0,
// leave no block behind once the document is gone.
TEST_F(GraphicsListTest, OldPictureFormsLeaveNoBlockBehind)
{
    const size_t before = GlobalMemoryInUse();
    {
        CKavoDoc doc;
        PrepareForLoad(doc);
        const std::string text = "KAVO\nVersion 3.0\n"
                                 "Graphic 7\n{\nType 9\nCompression 0\nGraphicData 4\n{\n01020304\n}\n}\n"
                                 "FigureStyle \"A\"\n{\nSymbol \"lbl\"\nGraphicData 4 9\n{\n01020304\n}\n}\n"
                                 "Figure 1\n{\nGraphicData 2 9\n{\n0102\n}\nGraphic 7\n}\n"
                                 "Figure 2\n{\nGraphicData 2 0\n{\n0102\n}\n}\n"
                                 "Figure 3\n{\nStyle \"A\"\nGraphicData 1\n}\n";
        ASSERT_TRUE(LoadText(doc, text));
        EXPECT_TRUE(static_cast<CFigure*>(doc.m_pObjList->GetAt(0))->m_props.HasGraphic());
        EXPECT_FALSE(static_cast<CFigure*>(doc.m_pObjList->GetAt(1))->m_props.HasGraphic());
        EXPECT_EQ(static_cast<CFigure*>(doc.m_pObjList->GetAt(2))->m_props.Graphic,
                  doc.m_figStyles.GetAt(0)->m_props.Graphic);
        doc.DeleteContents();
    }
    EXPECT_EQ(GlobalMemoryInUse(), before);
}

// A copy of the selection writes only the selected objects, the pictures
// they use, and frees connector ends whose figure stays behind.
TEST_F(GraphicsListTest, CopyOfTheSelectionWritesWhatItUses)
{
    CKavoDoc doc;
    PrepareForLoad(doc);
    BuildSampleDoc(doc);
    auto* f3 = static_cast<CFigure*>(doc.m_pObjList->GetAt(2));
    auto* con = static_cast<CConnector*>(doc.m_pObjList->GetAt(3));
    f3->m_bSelected = 1;
    con->m_bSelected = 1;
    FlagSelectedPictures(doc);
    DiagramWriteOptions copy;
    copy.markedOnly = true;
    const std::string text = WriteDoc(doc, copy);
    EXPECT_NE(text.find("Graphic 1\r\n{\r\n  Type 9"), std::string::npos);
    EXPECT_EQ(text.find("Graphic 2\r\n{"), std::string::npos);
    EXPECT_EQ(text.find("Figure 1\r\n{"), std::string::npos);
    EXPECT_NE(text.find("Figure 3\r\n{"), std::string::npos);
    EXPECT_NE(text.find("  Figure1 -1\r\n  Figure2 3\r\n"), std::string::npos);
}
