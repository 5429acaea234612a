// Applying properties to one figure: the loops kept through a geometry
// change, the texts after a font, format or reflow change, a label's anchors
// following its alignment, and the font command on the selection. Every edit
// is undone and compared with the whole document.
#include "DocSnapshot.h"
#include "DocTestSupport.h"

#include "core/Settings.h"
#include "document/CStaple.h"
#include "document/ConPtKeepTable.h"
#include "document/FigApplySteps.h"
#include "document/FigPropValues.h"
#include "document/FontChoice.h"
#include "shapes/DividedShapeTestSupport.h"
#include "undo/UndoCodes.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

class ApplyFigPropsTest : public DocTest {
protected:
    void SetUp() override
    {
        DocTest::SetUp();
        PromptForApplyToGroups = 0;
        ApplyToGroups = 1;
        doc.m_nSelfReferenceRadius = 26;   // an inset of 12
    }
    CFigure* Fig(int x, int y, const std::string& text = "text")
    {
        CFigure* f = NewFig(doc, x, y, text);   // 200 wide, 100 high
        EXPECT_TRUE(doc.AddFigWithId(f));
        return f;
    }
    // A connection point at (x, y) of the figure's rectangle.
    int32_t ConPt(CFigure* f, int x, int y)
    {
        if (!f->m_pConPts)
            f->m_pConPts = std::make_unique<CConPtList>();
        f->m_bHasConPts = 1;
        const CRect& r = f->m_rect;
        return f->m_pConPts->AddConPt(CFltPoint(float((x - r.left) * 2048.0 / r.Width()),
                                                float((y - r.top) * 2048.0 / r.Height())),
                                      "", 0, true, -1);
    }
    CConnector* Con(CFigure* a, int32_t ptA, CFigure* b, int32_t ptB)
    {
        CConnector* c = NewCon(doc, a, b);
        c->m_nConPtId1 = ptA;
        c->m_nConPtId2 = ptB;
        EXPECT_TRUE(doc.AddConWithId(c));
        return c;
    }
    // A plain symbol with one text box.
    int OneAreaSymbol()
    {
        CFigSymbol* sym = doc.m_figSymbols.NewEntry();
        *sym = BoxR3With({CFltRect(100, 100, 1948, 1948)});
        sym->Reshape = 0;
        sym->SetName("one box");
        return doc.m_figSymbols.GetCount() - 1;
    }
    CPoint PointOf(const CFigure* f, int32_t id)
    {
        CPoint p;
        EXPECT_TRUE(f->m_pConPts->GetConPtPoint(id, f->m_rect, p));
        return p;
    }
    // Runs the edit, checks that undo gives back the whole document, and runs
    // it again to leave its result for inspection.
    void EditAndUndo(const std::function<void()>& edit)
    {
        doc.ResetUndoLog();
        const std::string before = FullSnapshot(doc);
        edit();
        ASSERT_TRUE(doc.CanUndo());
        doc.UndoLastStep();
        const std::string after = FullSnapshot(doc);
        EXPECT_EQ(before, after) << SnapshotDiff(before, after);
        edit();
    }
    // The selected figures take the size.
    void Resize(int width, int height)
    {
        FigPropValues v;
        v.width = width;
        v.height = height;
        CFigPropMask m;
        m.m_bSheet[kSheetWidth] = m.m_bSheet[kSheetHeight] = 1;
        doc.ApplyPropsToSelection(0, v, m);
    }
};

} // namespace

TEST_F(ApplyFigPropsTest, LoopsKeepTheirInsetAndJunctionsFollowTheFigure)
{
    // f's top side carries a loop through a junction above it, the points
    // 12 in from the top; a plain connector leaves from the bottom.
    CFigure* f = Fig(0, 0);
    CFigure* other = Fig(0, 400);
    const int32_t p1 = ConPt(f, 80, 12), p2 = ConPt(f, 120, 12), p3 = ConPt(f, 100, 100);
    CFigure* j = doc.CreateFigAt(CPoint(93, -47), 1);   // centre (100, -40)
    Con(f, p1, j, -1);
    Con(j, -1, f, p2);
    Con(f, p3, other, -1);
    ASSERT_TRUE(j->IsRedundantJct());
    const int32_t nextStaple = doc.m_nNextStpId;
    doc.AddFigToSel(f, 2, false);

    EditAndUndo([&] { Resize(400, 200); });
    EXPECT_EQ(f->m_rect, CRect(0, 0, 400, 200));
    // The loop's points keep their inset; the other point just scales.
    EXPECT_EQ(PointOf(f, p1), CPoint(160, 12));
    EXPECT_EQ(PointOf(f, p2), CPoint(240, 12));
    EXPECT_EQ(PointOf(f, p3), CPoint(200, 200));
    // The junction kept its place relative to the figure's top middle.
    EXPECT_NEAR(j->GetCenter().x, 200, 2);
    EXPECT_NEAR(j->GetCenter().y, -40, 1);
    // The staples that carried it are gone without a trace.
    EXPECT_EQ(doc.m_pStapleList->GetCount(), 0);
    EXPECT_EQ(doc.m_nNextStpId, nextStaple);
    EXPECT_EQ(f->m_pStaple, nullptr);
    EXPECT_EQ(j->m_pStaple, nullptr);
}

TEST_F(ApplyFigPropsTest, AStapleThatCannotBeAddedDropsTheWholeTable)
{
    // A loop through two junctions: the second staple fails, so the first
    // goes again and the change is made without keeping anything.
    CFigure* f = Fig(0, 0);
    const int32_t p1 = ConPt(f, 80, 12), p2 = ConPt(f, 120, 12);
    CFigure* j1 = doc.CreateFigAt(CPoint(43, -47), 1);
    CFigure* j2 = doc.CreateFigAt(CPoint(143, -47), 1);
    Con(f, p1, j1, -1);
    Con(j1, -1, j2, -1);
    Con(j2, -1, f, p2);
    const int32_t nextStaple = doc.m_nNextStpId;
    const CRect j1Rect = j1->m_rect;

    doc.m_pStapleList->FailAppendsAfterForTest(1);
    ConPtKeepTable table(doc);
    table.Fill(f);
    EXPECT_EQ(table.Count(), 0);
    EXPECT_EQ(table.StapleCount(), 0);
    EXPECT_EQ(doc.m_pStapleList->GetCount(), 0);
    EXPECT_EQ(doc.m_nNextStpId, nextStaple);
    EXPECT_EQ(f->m_pStaple, nullptr);

    doc.AddFigToSel(f, 2, false);
    EditAndUndo([&] {
        doc.m_pStapleList->FailAppendsAfterForTest(1);
        Resize(400, 200);
    });
    doc.m_pStapleList->FailAppendsAfterForTest(-1);
    EXPECT_EQ(f->m_rect, CRect(0, 0, 400, 200));
    EXPECT_EQ(PointOf(f, p1), CPoint(160, 24));   // scaled, not kept
    EXPECT_EQ(j1->m_rect, j1Rect);
    EXPECT_EQ(doc.m_pStapleList->GetCount(), 0);
    EXPECT_EQ(doc.m_nNextStpId, nextStaple);
}

TEST_F(ApplyFigPropsTest, TheTableKeepsAtMostEightLoopsAndSkipsFlatFigures)
{
    CFigure* f = Fig(0, 0);
    for (int i = 0; i < 10; ++i) {
        const int32_t p = ConPt(f, 10 + i * 18, 12), q = ConPt(f, 19 + i * 18, 12);
        Con(f, p, f, q);   // a loop straight back to the figure
    }
    ConPtKeepTable table(doc);
    table.Fill(f);
    EXPECT_EQ(table.Count(), ConPtKeepTable::kMaxEntries);

    // Fractions of a figure without height cannot be taken: it keeps nothing,
    // and the change goes on.
    f->m_rect.bottom = f->m_rect.top;
    table.Fill(f);
    EXPECT_EQ(table.Count(), 0);
    doc.AddFigToSel(f, 2, false);
    Resize(300, 0);
    EXPECT_EQ(f->m_rect.Width(), 300);
}

TEST_F(ApplyFigPropsTest, AFontChangeMakesTheMarkupGiveWayOnOneArea)
{
    CFigure* f = Fig(0, 0, "\\b bold\\b0  and \\i italic\\i0  text");
    f->m_props.Symbol = OneAreaSymbol();
    ASSERT_EQ(f->GetTextAreaCount(), 1);
    doc.AddFigToSel(f, 2, false);
    FigPropValues v;
    v.props = f->m_props;
    v.props.m_font.m_lf.lfWeight = 700;
    CFigPropMask m;
    m.m_bFont = 1;
    EditAndUndo([&] { doc.ApplyPropsToSelection(0, v, m); });
    EXPECT_EQ(f->m_props.m_font.m_lf.lfWeight, 700);
    EXPECT_EQ(f->m_strText.find("\\b"), std::string::npos) << f->m_strText;
    EXPECT_NE(f->m_strText.find("\\i"), std::string::npos) << "italic did not change";
}

TEST_F(ApplyFigPropsTest, TheReflowFlagTurnsLineBreaksSoftAndBack)
{
    CFigure* f = Fig(0, 0, "one\\line two");
    f->m_props.Symbol = OneAreaSymbol();
    doc.AddFigToSel(f, 2, false);
    FigPropValues v;
    v.props.Behavior.low = kFigFlagReflowText;
    CFigPropMask m;
    m.m_behavior.low = kFigFlagReflowText;
    // On: the break becomes soft, and the text is wrapped to its box anew
    // (here it fits on one line).
    EditAndUndo([&] { doc.ApplyPropsToSelection(0, v, m); });
    EXPECT_EQ(f->m_strText.find("\\line"), std::string::npos) << f->m_strText;
    // Off: soft breaks become hard ones.
    f->m_strText = "one \\softline two";
    v.props.Behavior.low = 0;
    EditAndUndo([&] { doc.ApplyPropsToSelection(0, v, m); });
    EXPECT_EQ(f->m_strText, "one\\line two");
}

TEST_F(ApplyFigPropsTest, ALabelsAnchorsFollowItsNewAlignment)
{
    CFigure* label = Fig(0, 0, "\\qc label");
    label->m_bLabel = 1;
    label->m_props.Symbol = OneAreaSymbol();
    label->m_props.TextFormat = 0x22;
    label->m_props.Behavior.low = (label->m_props.Behavior.low & ~DWORD(0x3F)) | 2 | 16;
    doc.AddFigToSel(label, 2, false);
    EditAndUndo([&] { doc.ApplyTextFormatToSel(0x41); });   // right, top
    EXPECT_EQ(label->m_props.TextFormat, 0x41);
    EXPECT_EQ(label->m_props.Behavior.low & 0x07, 4u) << "right-aligned text grows to the left";
    EXPECT_EQ(label->m_props.Behavior.low & 0x38, 32u);
    EXPECT_EQ(label->m_strText.find("\\qc"), std::string::npos) << "the alignment holds for the whole text";
}

TEST_F(ApplyFigPropsTest, TheFontCommandChangesOnlyWhatDiffers)
{
    CFigure* plain = Fig(0, 0, "\\fs20 big\\fs16  text");
    CFigure* other = Fig(300, 0, "text");
    plain->m_props.Symbol = other->m_props.Symbol = OneAreaSymbol();
    other->m_props.m_font.m_lf.lfWeight = 700;
    for (CFigure* f : {plain, other})
        doc.AddFigToSel(f, 2, false);
    FontChoice choice;
    choice.bold = 1;
    choice.height = 12;
    choice.face = "Courier New";
    EditAndUndo([&] { doc.ApplyFontToSel(choice); });
    const LOGFONT& lf = plain->m_props.m_font.m_lf;
    EXPECT_EQ(lf.lfWeight, 700);
    EXPECT_EQ(lf.lfHeight, -12);
    EXPECT_STREQ(lf.lfFaceName, "Courier New");
    EXPECT_EQ(plain->m_strText.find("\\fs"), std::string::npos) << plain->m_strText;
    EXPECT_EQ(other->m_props.m_font.m_lf.lfHeight, -12);
    EXPECT_TRUE(other->m_props.m_font.m_lf == lf);

    // Nothing to change: no step.
    doc.ResetUndoLog();
    doc.ApplyFontToSel(choice);
    EXPECT_FALSE(doc.CanUndo());
}

TEST_F(ApplyFigPropsTest, ASpecialShapeThatComesInIsSetUpForTheFigureMargins)
{
    CFigSymbol* sym = doc.m_figSymbols.NewEntry();
    *sym = Framed(BoxR3With({CFltRect(0, 0, 2048, 600), CFltRect(0, 600, 2048, 1400)}));
    sym->SetName("box r3");
    const int special = doc.m_figSymbols.GetCount() - 1;
    CFigure* f = Fig(0, 0, "top\\sect middle");
    f->m_props.Symbol = 1;
    f->m_rect = UnitRect();
    doc.m_nFigMarginLeft = doc.m_nFigMarginRight = doc.m_nFigMarginTop = doc.m_nFigMarginBottom = 40;
    doc.AddFigToSel(f, 2, false);
    FigPropValues v;
    v.props = f->m_props;
    v.props.Symbol = special;
    CFigPropMask m;
    m.m_bShape = 1;
    const CFltRect box = BoxOf(*sym, 0);

    // Without the margins in force the shape is taken as it is.
    doc.ApplyPropsToSelection(0, v, m);
    EXPECT_EQ(f->m_props.Symbol, special);
    EXPECT_TRUE(BoxOf(*sym, 0) == box);
    doc.UndoLastStep();

    // With them, the figure is fitted on a copy of the shape of its own; the
    // library's entry stays as other figures and styles know it.
    doc.m_nFigMarginMode = 1;
    EditAndUndo([&] { doc.ApplyPropsToSelection(0, v, m); });
    ASSERT_NE(f->m_props.Symbol, special);
    EXPECT_EQ(f->GetSymbol()->m_strName.rfind("box r3", 0), 0u);
    EXPECT_FALSE(BoxOf(*f->GetSymbol(), 0) == box);
    EXPECT_TRUE(BoxOf(*doc.m_figSymbols.GetAt(special), 0) == box);
    EXPECT_EQ(f->m_strText, "top\\sect middle");
}

TEST_F(ApplyFigPropsTest, AGivenSizeHoldsUnlessASideFollowsTheText)
{
    CFigure* f = Fig(0, 0, "a text a good deal wider than twenty units");
    f->m_props.Symbol = OneAreaSymbol();
    f->m_props.Behavior.low &= ~kFollowTextFlags;
    f->m_props.Behavior.high |= kWidthSnapBits;
    doc.AddFigToSel(f, 2, false);
    EditAndUndo([&] { Resize(20, 100); });
    EXPECT_EQ(f->m_rect.Width(), 20);
    EXPECT_EQ(f->m_props.Behavior.high & kWidthSnapBits, 0u) << "the width is no longer snapped";

    // A width that follows the text takes the text's width.
    f->m_props.Behavior.low |= 0x80;
    EditAndUndo([&] { Resize(30, 100); });
    EXPECT_GT(f->m_rect.Width(), 300);
}

// Which records a change writes before it is made: the rectangle for
// resize-class changes, all texts for a new format on a figure of several
// areas, the whole state unless only the size changes on a figure without
// special layout.
TEST_F(ApplyFigPropsTest, TheChangeDecidesItsUndoRecords)
{
    CFigure* plain = Fig(0, 0, "");
    plain->m_props.Symbol = OneAreaSymbol();
    plain->m_props.Behavior.high &= ~(kWidthSnapBits | kHeightSnapBits);
    CFigure* special = Fig(300, 0, "");
    CFigSymbol* sym = doc.m_figSymbols.NewEntry();
    *sym = BoxR3With({CFltRect(100, 100, 1948, 1000), CFltRect(100, 1048, 1948, 1948)});
    sym->SetName("two boxes");
    special->m_props.Symbol = doc.m_figSymbols.GetCount() - 1;
    special->m_props.Behavior.high &= ~(kWidthSnapBits | kHeightSnapBits);
    ASSERT_NE(sym->Reshape, 0);
    ASSERT_EQ(special->GetTextAreaCount(), 2);
    CConPtList list;
    struct Case {
        CFigure* fig;
        std::vector<int> sheet;   // kSheet… flags set in the mask
        bool format;              // the text-format flag
        DWORD flags;              // behaviour-mask bits
        bool conPts;              // a new connection-point list given
        bool rect, text, props;   // the records expected
    };
    const Case cases[] = {
        {plain, {kSheetWidth}, false, 0, false, true, false, false},
        {plain, {kSheetWidth, kSheetHeight}, false, 0, false, true, false, false},
        {plain, {kSheetWidth, kSheetX}, false, 0, false, true, false, true},
        {special, {kSheetHeight}, false, 0, false, true, false, true},
        {plain, {kSheetStyle}, false, 0, false, true, true, true},
        {plain, {}, false, 0x1000000, false, true, false, true},
        {plain, {}, false, 0x4, false, false, false, true},
        {special, {}, true, 0, false, true, true, true},
        {plain, {kSheetConPts}, false, 0, true, true, false, true},
    };
    int n = 0;
    for (const Case& k : cases) {
        SCOPED_TRACE(n++);
        CFigPropMask m;
        for (int s : k.sheet)
            m.m_bSheet[s] = 1;
        m.m_bTextFormat = k.format;
        m.m_behavior.low = k.flags;
        FigPropValues v;
        v.conPts = k.conPts ? &list : nullptr;
        const FigApplyPlan plan = PlanFigApply(*k.fig, v, m);
        EXPECT_EQ(plan.logRect, k.rect);
        EXPECT_EQ(plan.logText, k.text);
        EXPECT_EQ(plan.logProps, k.props);
    }
}

// Turning a label's text sizes the label to the turned text: a wide one-line
// label stands upright after a quarter turn, and undo gives back the old
// size and turn.
TEST_F(ApplyFigPropsTest, TurningALabelSizesItToItsTurnedText)
{
    CFigure* label = Fig(0, 0, "a long single line of label text");
    label->m_bLabel = 1;
    label->m_props.Symbol = OneAreaSymbol();
    label->m_props.Behavior.low |= 128 | 256;   // kept sized to its text
    label->SetRectNoUndo(CRect(0, 0, 900, 60));
    doc.AddFigToSel(label, 2, false);
    EditAndUndo([&] { doc.ApplyTextRotationToSel(900); });
    ASSERT_EQ(label->m_nTextRotate, 900);
    EXPECT_GT(label->m_rect.Height(), label->m_rect.Width());
}
