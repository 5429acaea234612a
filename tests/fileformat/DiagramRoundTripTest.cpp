// The diagram text as a whole: a sample document written against golden
// text, read back field by field, and written again byte for byte.
#include "common/TestSupport.h"
#include "fileformat/FileFormatTestSupport.h"

#include <QFile>

namespace {
std::string Golden()
{
    QFile f(TestDataPath("fileformat/sample.kvd"));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray b = f.readAll();
    return std::string(b.constData(), size_t(b.size()));
}
} // namespace

TEST(DiagramText, SampleIsWrittenAsTheGoldenText)
{
    CKavoDoc doc;
    PrepareForLoad(doc);
    BuildSampleDoc(doc);
    const std::string text = WriteDoc(doc);
    if (qEnvironmentVariableIsSet("KAVO_WRITE_GOLDEN")) {
        QFile out(qEnvironmentVariable("KAVO_WRITE_GOLDEN"));
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(text.data(), qint64(text.size()));
    }
    EXPECT_EQ(text, Golden());
}

TEST(DiagramText, GoldenTextReadsBackAndWritesTheSame)
{
    CKavoDoc doc;
    PrepareForLoad(doc);
    std::vector<std::pair<int, int>> errors;
    ASSERT_TRUE(LoadText(doc, Golden(), &errors));
    EXPECT_TRUE(errors.empty()) << errors[0].first << ": " << errors[0].second;
    EXPECT_EQ(WriteDoc(doc), Golden());
}

TEST(DiagramText, FieldsAreReadBack)
{
    CKavoDoc doc;
    PrepareForLoad(doc);
    ASSERT_TRUE(LoadText(doc, Golden()));
    EXPECT_EQ(doc.m_ptViewOrigin, CPoint(10, -20));
    EXPECT_FLOAT_EQ(doc.m_fViewScale, 150.0f);
    EXPECT_DOUBLE_EQ(doc.m_fMarginLeft, 64.5);
    EXPECT_EQ(doc.m_bTranspBMPs, 0);
    EXPECT_EQ(doc.m_strTemplate, "C:\\Templates\\Flow.kvt");
    EXPECT_EQ(doc.m_nLabelToFigSpacing, 12);
    EXPECT_EQ(doc.m_nLabelToConSpacing, -1);
    EXPECT_EQ(doc.m_crDefaultText, RGB(10, 20, 30));
    EXPECT_EQ(doc.m_defaultFont.m_lf.lfWeight, 700);
    ASSERT_NE(doc.m_hDevMode, nullptr);
    EXPECT_EQ(GlobalSize(doc.m_hDevMode), 44u);
    EXPECT_EQ(GlobalSize(doc.m_hDevNames), 11u);

    const int tri = doc.m_figSymbols.FindByName("Tri");
    ASSERT_GE(tri, 2);
    EXPECT_EQ(doc.m_figSymbols.GetAt(tri)->Width, 300);
    EXPECT_GE(doc.m_endSymbols.FindByName("Dart"), 20);

    const CFigStyle* process = doc.m_figStyles.GetAt(doc.m_figStyles.FindByName("Process"));
    ASSERT_NE(process, nullptr);
    EXPECT_EQ(process->Category, "Flow");
    EXPECT_EQ(process->m_props.Symbol, tri);
    EXPECT_EQ(process->m_props.m_fill.m_nKind, 2);
    EXPECT_EQ(process->m_props.m_fill.m_crColor2, RGB(200, 0, 0));
    EXPECT_TRUE(process->m_props.HasGraphic());
    EXPECT_EQ(process->m_hotZone.GetCount(), 4);
    EXPECT_EQ(process->m_conPts.GetCount(), 1);
    const CConStyle* flow = doc.m_conStyles.GetAt(0);
    EXPECT_EQ(flow->FragmentCreation, 1);
    EXPECT_EQ(flow->FragmentLength, 40);
    EXPECT_EQ(flow->AutoLabelText, "yes");

    ASSERT_EQ(doc.m_pObjList->GetCount(), 4);
    auto* f1 = static_cast<CFigure*>(doc.m_pObjList->GetAt(0));
    EXPECT_EQ(f1->m_strText, "\\b Hello\\b0 ");
    EXPECT_EQ(f1->m_strLink, "http://example.com/a");
    EXPECT_EQ(f1->m_props.Shadow, 3); // a shadow choice above 1 survives
    ASSERT_TRUE(f1->m_pConPts);
    EXPECT_EQ(f1->m_pConPts->GetAt(0)->m_nFlag, 1);
    auto* f3 = static_cast<CFigure*>(doc.m_pObjList->GetAt(2));
    EXPECT_EQ(f3->m_nTextRotate, 900);
    auto* con = static_cast<CConnector*>(doc.m_pObjList->GetAt(3));
    EXPECT_EQ(con->m_pFig1, f1);
    EXPECT_EQ(con->m_pFig2, f3);
    EXPECT_EQ(con->m_nConPtId1, -2);
    EXPECT_EQ(f1->m_nConnected, 1);
    EXPECT_EQ(doc.m_graphics.GetCount(), 2);
    EXPECT_EQ(doc.m_graphics.FindByHandle(9, f3->m_props.Graphic)->UseCount, 1);

    ASSERT_EQ(doc.m_pStapleList->GetCount(), 3);
    auto* flowLabel = static_cast<CStaple*>(doc.m_pStapleList->GetAt(1));
    EXPECT_EQ(flowLabel->FlowSide, 2);
    auto* lateral = static_cast<CStaple*>(doc.m_pStapleList->GetAt(2));
    EXPECT_EQ(lateral->LateralOffset, -7);
    EXPECT_EQ(lateral->PinType, 2);
    ASSERT_EQ(doc.m_groupList.size(), 1u);
    EXPECT_EQ(doc.m_groupList[0]->m_members[1].obj, f3);
    EXPECT_EQ(doc.m_nNextId, 5);
    EXPECT_EQ(doc.m_nNextStpId, 4);
    EXPECT_TRUE(doc.Validate());
}

TEST(DiagramText, ObjectIdsPastSixteenBitsReadBackWhole)
{
    // A diagram of more than 32,767 objects: ids and every reference to them
    // are written and read whole, never cut down onto another object's id.
    CKavoDoc doc;
    PrepareForLoad(doc);
    auto addFig = [&](int32_t id) {
        doc.m_nNextId = id;
        auto* fig = new CFigure(0, 0, 100, 100, CFigProps(), -1, 0, "", "", CFigure::CreateArgs(), &doc);
        EXPECT_TRUE(doc.AddFigWithId(fig));
        return fig;
    };
    addFig(1);
    CFigure* a = addFig(40000);
    CFigure* b = addFig(65537);   // 1 when cut to 16 bits
    auto* con = new CConnector(&doc);
    con->m_nFigId1 = a->m_nId;
    con->m_nFigId2 = b->m_nId;
    con->EndPoint1 = a->GetCenter();
    con->EndPoint2 = b->GetCenter();
    ASSERT_TRUE(doc.AddConWithId(con));
    auto* group = new CGroup();
    ASSERT_TRUE(group->AddMember(a, a->m_nId));
    ASSERT_TRUE(group->AddMember(b, b->m_nId));
    ASSERT_TRUE(doc.AddGroupWithId(group));
    const std::string text = WriteDoc(doc);
    EXPECT_NE(text.find("Figure 65537"), std::string::npos);
    EXPECT_NE(text.find("  Figure1 40000\r\n  Figure2 65537\r\n"), std::string::npos);

    CKavoDoc back;
    PrepareForLoad(back);
    std::vector<std::pair<int, int>> errors;
    ASSERT_TRUE(LoadText(back, text, &errors));
    EXPECT_TRUE(errors.empty());
    std::vector<int32_t> figIds;
    back.ForEachFigure([&](CFigure* f) { figIds.push_back(f->m_nId); });
    EXPECT_EQ(figIds, (std::vector<int32_t>{1, 40000, 65537}));
    const CConnector* read = nullptr;
    back.ForEachConnector([&](CConnector* c) { read = c; });
    ASSERT_NE(read, nullptr);
    ASSERT_NE(read->m_pFig1, nullptr);
    ASSERT_NE(read->m_pFig2, nullptr);
    EXPECT_EQ(read->m_pFig1->m_nId, 40000);
    EXPECT_EQ(read->m_pFig2->m_nId, 65537);
    EXPECT_EQ(WriteDoc(back), text);
}

// Two figures whose fonts differ only in strike-out stay apart on reading.
TEST(DiagramText, StrikeOutFontSurvivesReading)
{
    CKavoDoc doc;
    PrepareForLoad(doc);
    for (BYTE strike : {0, 1}) {
        auto* fig = new CFigure(strike * 200, 0, 100, 100, CFigProps(), -1, 0, "", "", CFigure::CreateArgs(), &doc);
        fig->m_props.m_font.m_lf.lfStrikeOut = strike;
        ASSERT_TRUE(doc.AddFigWithId(fig));
    }
    const std::string text = WriteDoc(doc);
    CKavoDoc back;
    PrepareForLoad(back);
    ASSERT_TRUE(LoadText(back, text));
    ASSERT_EQ(back.m_pObjList->GetCount(), 2);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(static_cast<CFigure*>(back.m_pObjList->GetAt(i))->m_props.m_font.m_lf.lfStrikeOut, i);
    EXPECT_EQ(WriteDoc(back), text);
}

// A label style's behaviour word reads back as written; only label styles
// from older files are given bit 0x40.
TEST(DiagramText, LabelStyleBehaviourReadsBackAsWritten)
{
    for (DWORD low : {DWORD(0x251E1), DWORD(0x251A1)}) {
        SCOPED_TRACE(low);
        CKavoDoc doc;
        ASSERT_TRUE(doc.OnNewDocument());
        CFigStyle* label = doc.m_figStyles.GetAt(0);
        ASSERT_EQ(label->Label, 1);
        label->m_props.Behavior.low = low;
        const std::string text = WriteDoc(doc);
        CKavoDoc back;
        PrepareForLoad(back);
        ASSERT_TRUE(LoadText(back, text));
        EXPECT_EQ(back.m_figStyles.GetAt(0)->m_props.Behavior.low, low);
        EXPECT_EQ(WriteDoc(back), text);
    }
    CKavoDoc old;
    PrepareForLoad(old);
    ASSERT_TRUE(LoadText(old, "KAVO\nVersion 5.07\nFigureStyle \"L\"\n{\nLabel TRUE\nBehavior 0x251A1\n"
                              "Symbol \"lbl\"\n}\nFigureStyle \"F\"\n{\nBehavior 0x251A1\nSymbol \"lbl\"\n}\n"));
    ASSERT_EQ(old.m_figStyles.GetCount(), 2);
    EXPECT_EQ(old.m_figStyles.GetAt(0)->m_props.Behavior.low, 0x251E1u);
    EXPECT_EQ(old.m_figStyles.GetAt(1)->m_props.Behavior.low, 0x251A1u);
}
