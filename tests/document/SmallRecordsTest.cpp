// The smaller undo records: style properties by name, a figure's text
// rotation, connection points, colours and direction indicator, a
// connector's colours and end symbol. Each change undone gives back the
// state before.
#include "DocTestSupport.h"

TEST_F(DocTest, SmallRecordsUndoTheirFields)
{
    CFigure* a = NewFig(doc, 0, 0);
    doc.AddFigWithId(a);
    CConnector* c = NewCon(doc, a, nullptr);
    doc.AddConWithId(c);
    c->m_props.End2 = 3;
    CConProps conProps;
    doc.m_conStyles.AddConStyle(&conProps, "Flow", 1, 1, "", "", 0, "", 1, 0, 0, 90);
    CFigStyle* style = doc.m_figStyles.GetAt(0);
    CConStyle* conStyle = doc.m_conStyles.GetAt(0);
    ASSERT_TRUE(style && conStyle);
    const CFigProps styleBefore = style->m_props;
    const std::string endName = doc.m_endSymbols.GetAt(3)->m_strName;
    doc.ResetUndoLog();

    doc.UndoBeginStep(UDMAC_FIGPROPS);
    ASSERT_TRUE(doc.LogFigStyleProps(style));
    style->m_props.BorderWidth = 7;
    style->Width = 999;
    ASSERT_TRUE(doc.LogConStyleProps(conStyle));
    conStyle->m_props.LineWidth = 5;
    ASSERT_TRUE(doc.LogTextRotation(a));
    a->m_nTextRotate = 90;
    ASSERT_TRUE(doc.LogFigConPts(a));
    a->m_pConPts = std::make_unique<CConPtList>();
    a->m_pConPts->AddConPt(CFltPoint(2048, 1024), "east", 0, true, -1);
    ASSERT_TRUE(doc.LogFigColors(a));
    a->m_props.BorderColor = 0xFF;
    a->m_props.m_fill.m_nKind = 3;
    ASSERT_TRUE(doc.LogFigAssInd(a));
    a->AssociationIndicator = 4;
    ASSERT_TRUE(doc.LogConColors(c));
    c->m_props.Color = 0x00FF00;
    c->m_props.FIBdrClr = 0x123456;
    ASSERT_TRUE(doc.LogConEndSymbol(c, 2));
    c->m_props.End2 = 5;
    doc.UndoEndStep();

    EXPECT_EQ(doc.UndoLastStep(), UDMAC_FIGPROPS);
    EXPECT_EQ(style->m_props == styleBefore, 1);
    EXPECT_EQ(style->Width, 256);
    EXPECT_EQ(conStyle->m_props.LineWidth, 1);
    EXPECT_EQ(a->m_nTextRotate, 0);
    EXPECT_EQ(a->m_pConPts, nullptr);
    EXPECT_EQ(a->m_props.BorderColor, 0u);
    EXPECT_EQ(a->m_props.m_fill.m_nKind, 1);
    EXPECT_EQ(a->AssociationIndicator, 0);
    EXPECT_EQ(c->m_props.Color, 0u);
    EXPECT_EQ(c->m_props.FIBdrClr, 0u);
    EXPECT_EQ(c->m_props.End2, doc.m_endSymbols.FindByName(endName));
}

TEST_F(DocTest, StyleColoursComeBackByName)
{
    CConProps conProps;
    doc.m_conStyles.AddConStyle(&conProps, "Flow", 1, 1, "", "", 0, "", 1, 0, 0, 90);
    doc.m_conStyles.AddConStyle(&conProps, "Data", 1, 1, "", "", 0, "", 1, 0, 0, 90);
    CFigStyle* fs = doc.m_figStyles.GetAt(0);
    doc.ResetUndoLog();
    doc.UndoBeginStep(UDMAC_COLORSCHEME);
    ASSERT_TRUE(doc.LogFigStyleColors());
    ASSERT_TRUE(doc.LogConStyleColors());
    fs->m_props.BorderColor = 0xFF;
    fs->m_props.m_fill.m_crColor1 = 0xABCDEF;
    doc.m_conStyles.GetAt(1)->m_props.Color = 0x00FF00;
    doc.m_conStyles.GetAt(1)->m_props.End2FillColor = 0x0000FF;
    doc.UndoEndStep();
    EXPECT_EQ(doc.UndoLastStep(), UDMAC_COLORSCHEME);
    EXPECT_EQ(fs->m_props.BorderColor, 0u);
    EXPECT_EQ(fs->m_props.m_fill.m_crColor1, 0xFFFFFFu);
    EXPECT_EQ(doc.m_conStyles.GetAt(1)->m_props.Color, 0u);
    EXPECT_EQ(doc.m_conStyles.GetAt(1)->m_props.End2FillColor, 0u);
}

TEST_F(DocTest, WholeStylesComeBackOverTheStyleOfTheSameName)
{
    CFigProps props;
    CFigStyle* added = doc.m_figStyles.NewEntry();
    added->SetName("Process");
    added->m_props = props;
    added->DefaultText = "Do it";
    const CFltPoint zone[4] = {{0, 0}, {2048, 0}, {2048, 2048}, {0, 2048}};
    added->m_hotZone.Set(4, zone);
    added->m_conPts.AddConPt(CFltPoint(1024, 0), "north", 0, true, -1);
    CConProps conProps;
    doc.m_conStyles.AddConStyle(&conProps, "Flow", 1, 1, "", "", 0, "", 1, 0, 0, 90);
    doc.m_conStyles.AddConStyle(&conProps, "Data", 1, 1, "a data line", "", 0, "", 1, 0, 0, 90);
    CConStyle* data = doc.m_conStyles.GetAt(1);
    CFigStyle* first = doc.m_figStyles.GetAt(0);
    doc.ResetUndoLog();

    doc.UndoBeginStep(UDMAC_FIGSTYLE);
    ASSERT_TRUE(doc.LogFigStyleState(added));
    ASSERT_TRUE(doc.LogFigStyleState(first));
    ASSERT_TRUE(doc.LogConStyleState(data));
    added->DefaultText = "changed";
    added->m_hotZone.Clear();
    added->m_conPts.RemoveAll();
    added->m_props.BorderWidth = 9;
    first->m_props.BorderWidth = 8;
    data->Description = "other";
    data->FragmentAngle = 45;
    doc.UndoEndStep();

    EXPECT_EQ(doc.UndoLastStep(), UDMAC_FIGSTYLE);
    EXPECT_EQ(added->DefaultText, "Do it");
    EXPECT_EQ(added->m_hotZone.GetCount(), 4);
    ASSERT_EQ(added->m_conPts.GetCount(), 1);
    EXPECT_EQ(added->m_conPts.GetAt(0)->m_strName, "north");
    EXPECT_EQ(added->m_props.BorderWidth, 1);
    EXPECT_EQ(first->m_props.BorderWidth, 1);   // the first entry comes back too
    EXPECT_EQ(data->Description, "a data line");
    EXPECT_EQ(data->FragmentAngle, 90);
}
