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
