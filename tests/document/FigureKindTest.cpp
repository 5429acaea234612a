// A figure against its style and kind: connection points from the style,
// the kind's flag preset, and a stapled label sized without applying.
#include "DocTestSupport.h"

#include "document/CStaple.h"
#include "shapes/FigFlags.h"

TEST_F(DocTest, NewFigureTakesTheStylesConnectionPointsButKeepsItsOwn)
{
    CFigStyle* style = doc.m_figStyles.NewEntry();
    ASSERT_NE(style, nullptr);
    style->m_conPts.AddConPt(CFltPoint(1024, 0), "top", 0, true, -1);
    style->m_conPts.AddConPt(CFltPoint(1024, 2048), "bottom", 0, true, -1);
    const int index = doc.m_figStyles.GetCount() - 1;
    CFigProps props;
    CFigure fig(0, 0, 100, 100, props, index, 0, "", "", CFigure::CreateArgs(), &doc);
    ASSERT_NE(fig.m_pConPts, nullptr);
    EXPECT_EQ(fig.m_pConPts->GetCount(), 2);
    EXPECT_EQ(fig.m_bHasConPts, 1);

    // Its own list (one point moved away) survives a relink.
    fig.m_pConPts->RemoveConPt(fig.m_pConPts->GetIdAt(0));
    fig.Relink(*doc.m_pObjList);
    EXPECT_EQ(fig.m_pConPts->GetCount(), 1);
}

TEST_F(DocTest, KindFlagsTakeThePresetChangesAndTheMaskedBits)
{
    CFigure* fig = NewFig(doc, 0, 0, "text");
    fig->m_props.Behavior = FigFlagSet{0x40000000, 0};
    FigFlagSet preset{0, 0};
    SetSymbolFigFlags(preset);
    const FigFlagSet got = fig->ApplyKindFlags(0, 0, 1, 0);
    // The preset's bits arrive, the untouched bit 30 stays, masked bit 1 (0 in
    // the given word) is cleared.
    EXPECT_EQ(got.low, (preset.low | 0x40000000u) & ~1u);
    EXPECT_EQ(got.high, preset.high);
    EXPECT_EQ(fig->m_props.Behavior, got);

    fig->m_bLabel = 1;   // a free label gets the label preset
    FigFlagSet labelPreset{0, 0};
    SetFigFlagsPresetD(labelPreset);
    fig->m_props.Behavior = FigFlagSet{0, 0};
    EXPECT_EQ(fig->ApplyKindFlags(0, 0, 0, 0), labelPreset);
    delete fig;
}

TEST_F(DocTest, StapledFigureLabelSizedWithoutApplyStaysAtItsStaple)
{
    CFigure* fig = NewFig(doc, 0, 0, "figure");
    ASSERT_TRUE(doc.AddFigWithId(fig));
    CFigure* label = NewFig(doc, 50, 200, "label");
    label->m_bLabel = 1;
    ASSERT_TRUE(doc.AddFigWithId(label));
    // Label centred below the figure: figure anchor bottom centre, label
    // anchor top centre, 100 units apart.
    auto* staple = new CStaple(&doc);
    staple->MakeFigLbl(fig, 127, 255, label, 127, 0, 0, -100);
    ASSERT_TRUE(doc.AddStapleWithId(staple));
    const CRect before = label->m_rect;
    CRect out;
    label->Resize(out, 6, before.right + 40, before.CenterPoint().y, false);
    EXPECT_EQ(label->m_rect, before);   // not applied
    EXPECT_EQ(out.Width(), before.Width() + 80);   // the default high 256 sizes about the centre
    const CPoint figAnchor = CStaple::AnchorPoint(fig->m_rect, 127, 255);
    EXPECT_EQ(CStaple::AnchorPoint(out, 127, 0), CPoint(figAnchor.x, figAnchor.y - 100));
}

// A figure's stock kind: its style's when the style names one, else its
// symbol's, so that interfaces and sockets drawn with their symbols count as
// trunk objects.
TEST_F(DocTest, StockKindFromTheStyleElseTheSymbol)
{
    const int first = doc.m_figSymbols.GetCount();
    for (const char* name : {"Interface", "socket", "rectangle"})
        doc.m_figSymbols.NewEntry()->m_strName = name;
    CFigStyle* plain = doc.m_figStyles.NewEntry();
    plain->SetName("Process");
    CFigStyle* actor = doc.m_figStyles.NewEntry();
    actor->SetName("Lifeline");
    const int plainIndex = doc.m_figStyles.GetCount() - 2, lifelineIndex = plainIndex + 1;
    struct Row {
        int style, symbol, kind;
    } rows[] = {
        {plainIndex, first, 12},           // style without a kind: the symbol's
        {plainIndex, first + 1, 9},
        {plainIndex, first + 2, -1},       // neither names a kind
        {lifelineIndex, first, 29},        // the style's kind wins
        {-1, first + 1, 9},                // no style at all
    };
    for (const Row& r : rows) {
        CFigure* fig = NewFig(doc, 0, 0, "t");
        fig->m_nStyle = r.style;
        fig->m_props.Symbol = r.symbol;
        EXPECT_EQ(fig->GetStockKind(), r.kind) << r.style << " " << r.symbol;
        delete fig;
    }
}
