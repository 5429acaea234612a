// Scale by a percentage and into the page, against hand-worked rectangles;
// one UDMAC_SCALE step whose undo gives the saved text back, or a reset log.
#include "common/DiagramFixture.h"
#include "document/EditScenarioSupport.h"

#include "core/Settings.h"
#include "core/UIMode.h"
#include "document/CStaple.h"
#include "document/PageLayout.h"
#include "editing/MoveContext.h"
#include "editing/ScaleCommands.h"
#include "fileformat/DiagramRecordWriter.h"
#include "keyword/KeywordHooks.h"
#include "keyword/KeywordStreams.h"
#include "platform/WinTypes.h"
#include "richtext/FigureTextFit.h"
#include "shapes/FigFlags.h"
#include "shapes/CConProps.h"
#include "undo/UndoCodes.h"

namespace {
std::string DocText(CKavoDoc& doc)
{
    CStringKeywordSink sink;
    CKeywordWriter w(sink);
    EXPECT_TRUE(WriteDiagramText(w, doc, {}));
    return sink.text;
}

class ScaleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallMoveContext();
        doc.m_bAlignToGrid = 0;
        a = fx.AddBox(1000, 1000, 400, 200, "A");
        b = fx.AddBox(2000, 1400, 200, 100, "B");
        con = AddConBetween(doc, a, b);
        a->m_props.BorderWidth = 1;
        a->m_props.m_font.m_lf.lfHeight = -40;
        b->m_props.m_font.m_lf.lfHeight = -60;
        doc.ResetUndoLog();
        saved = DocText(doc);
    }
    void TearDown() override { SetScaleDialog(nullptr); }
    void ExpectUndone()
    {
        ASSERT_EQ(doc.UndoLogRef().GetLastUndoStepCode(), UDMAC_SCALE);
        doc.UndoLastStep();
        EXPECT_EQ(DocText(doc), saved);
        EXPECT_FALSE(doc.CanUndo());
    }
    DiagramFixture fx;
    CKavoDoc& doc = fx.doc;
    CFigure* a = nullptr;
    CFigure* b = nullptr;
    CConnector* con = nullptr;
    std::string saved;
};
} // namespace

TEST_F(ScaleTest, HalfKeepsTheTopLeftCorner)
{
    // All objects span (1000,1000)-(2200,1500).
    ASSERT_EQ(ScaleSourceRect(doc, false), CRect(1000, 1000, 2200, 1500));
    ASSERT_TRUE(ScaleByPercent(doc, 50, 100, false, ScaleOptions(), false));
    EXPECT_EQ(a->m_rect, CRect(1000, 1000, 1200, 1100));
    EXPECT_EQ(b->m_rect, CRect(1500, 1200, 1600, 1250));
    EXPECT_EQ(ScaleSourceRect(doc, false).TopLeft(), CPoint(1000, 1000));
    EXPECT_EQ(a->m_props.m_font.m_lf.lfHeight, -20) << "text sizes halved";
    EXPECT_EQ(con->GetEndFig(1), a);
    EXPECT_EQ(con->GetEndFig(2), b);
    ExpectUndone();
}

TEST_F(ScaleTest, OnlyTheSelectionWhenAsked)
{
    doc.SelectObj(b, 1, 0, 0);
    ASSERT_TRUE(ScaleByPercent(doc, 200, 100, true, ScaleOptions(), false));
    EXPECT_EQ(b->m_rect, CRect(2000, 1400, 2400, 1600));
    EXPECT_EQ(a->m_rect, CRect(1000, 1000, 1400, 1200));
    ExpectUndone();
}

TEST_F(ScaleTest, AThinBorderNeverVanishes)
{
    ScaleOptions options;
    options.scaleBorders = true;
    con->m_props.LineWidth = 1;
    con->m_props.FIBdrWidth = 2;
    ASSERT_TRUE(ScaleByPercent(doc, 10, 100, false, options, false));
    EXPECT_EQ(a->m_props.BorderWidth, 1);
    EXPECT_EQ(con->m_props.LineWidth, 1);
    EXPECT_EQ(con->m_props.FIBdrWidth, 1);
    EXPECT_EQ(con->m_props.End1Length, 3);
    ExpectUndone();
}

TEST_F(ScaleTest, PercentagesOutsideTheLimitsAreRefused)
{
    int lowest = 0, highest = 0;
    ScalePercentLimits(doc, false, lowest, highest);
    EXPECT_EQ(lowest, 10);
    // The work space ends at 16000: (16000 - 1000) / 1200 wide, / 500 high.
    EXPECT_EQ(highest, 1250);
    for (const auto& [num, den] : {std::pair{9, 100}, {1251, 100}, {0, 100}, {100, 0}, {-50, 100}}) {
        EXPECT_FALSE(ScaleByPercent(doc, num, den, false, ScaleOptions(), false)) << num << "/" << den;
        EXPECT_EQ(DocText(doc), saved);
        EXPECT_FALSE(doc.CanUndo());
    }
    ASSERT_TRUE(ScaleByPercent(doc, 1250, 100, false, ScaleOptions(), false));
    EXPECT_LE(ScaleSourceRect(doc, false).right, doc.m_rcWorkSpace.right);
    ExpectUndone();
}

TEST_F(ScaleTest, ResetUndoLeavesAnEmptyLog)
{
    doc.UndoBeginStep(UDMAC_MOVEOBJS);
    doc.LogFigRect(a);
    doc.UndoEndStep();
    ASSERT_TRUE(doc.CanUndo());
    ASSERT_TRUE(ScaleByPercent(doc, 200, 100, false, ScaleOptions(), true));
    EXPECT_EQ(a->m_rect, CRect(1000, 1000, 1800, 1400));
    EXPECT_FALSE(doc.CanUndo());
}

TEST_F(ScaleTest, ToThePageFitsCentredKeepingTheAspect)
{
    CRect page;
    GetPageAreaRect(doc, page);
    ASSERT_TRUE(ScaleToRect(doc, page, false, ScaleOptions(), false));
    const CRect now = ScaleSourceRect(doc, false);
    EXPECT_NEAR(double(now.Width()) / now.Height(), 1200.0 / 500.0, 0.02);
    EXPECT_NEAR(now.Width(), page.Width(), 2) << "the wider side fills the page";
    EXPECT_NEAR(now.CenterPoint().y, page.CenterPoint().y, 2);
    ExpectUndone();
}

TEST_F(ScaleTest, TheCommandRunsTheDialogAndRemembersItsOptions)
{
    EXPECT_FALSE(OnScale(doc)) << "no dialog installed";
    ScaleDialogData seen;
    int answer = 150;
    SetScaleDialog([&](ScaleDialogData& d) {
        seen = d;
        if (answer == 0)
            return false;
        d.newPercent = answer;
        d.options.scaleBorders = false;
        return true;
    });
    answer = 0;
    g_nUIMode = 4;
    EXPECT_FALSE(OnScale(doc)) << "cancelled";
    EXPECT_EQ(g_nUIMode, 0) << "connector drawing is left for selection";
    EXPECT_FALSE(seen.selection);
    EXPECT_EQ(seen.oldPercent, 100);
    EXPECT_EQ(seen.highestPercent, 1250);
    // The smallest text size 40: 1200 x 4 / 40 = 120 wide -> 10 percent.
    EXPECT_EQ(seen.proposedPercent, 10);
    answer = 100;
    EXPECT_FALSE(OnScale(doc)) << "the same percentage changes nothing";
    EXPECT_EQ(DocText(doc), saved);
    answer = 150;
    ASSERT_TRUE(OnScale(doc));
    EXPECT_EQ(a->m_rect, CRect(1000, 1000, 1600, 1300));
    ExpectUndone();
    answer = 0;
    OnScale(doc);
    EXPECT_FALSE(seen.options.scaleBorders) << "the options of the last use";
}

// The styles scale with the document's defaults, which no undo record
// holds: the scaling resets the log rather than leave an Undo that would
// give back the styles but not the defaults.
TEST_F(ScaleTest, StylesScaleWithTheDocumentsDefaultsAndResetTheLog)
{
    ScaleOptions options;
    options.scaleStyles = true;
    ASSERT_GT(doc.m_figStyles.GetCount(), 0);
    const CFigStyle before = *doc.m_figStyles.GetAt(0);
    doc.m_curFigStyle.m_props.BorderWidth = 3;
    doc.m_curLblStyle.m_props.BorderWidth = 1;
    doc.m_curConStyle.m_props.LineWidth = 3;
    doc.m_nLabelToFigSpacing = 10;
    doc.m_nLabelToConSpacing = -1;
    doc.m_nFigMarginLeft = 12;
    doc.m_nConnectorJogRadius = 18;
    doc.UndoBeginStep(UDMAC_MOVEOBJS);
    doc.LogFigRect(a);
    doc.UndoEndStep();
    ASSERT_TRUE(ScaleByPercent(doc, 200, 100, false, options, false));
    EXPECT_EQ(doc.m_figStyles.GetAt(0)->Width, 2 * before.Width);
    EXPECT_EQ(doc.m_figStyles.GetAt(0)->Height, 2 * before.Height);
    EXPECT_EQ(doc.m_curFigStyle.m_props.BorderWidth, 6);
    EXPECT_EQ(doc.m_curLblStyle.m_props.BorderWidth, 2);
    EXPECT_EQ(doc.m_curConStyle.m_props.LineWidth, 6);
    EXPECT_EQ(doc.m_nLabelToFigSpacing, 20);
    EXPECT_EQ(doc.m_nLabelToConSpacing, -1) << "the program's default stays";
    EXPECT_EQ(doc.m_nFigMarginLeft, 24);
    EXPECT_EQ(doc.m_nConnectorJogRadius, 36);
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_TRUE(ScaleCannotBeUndone(options));
    EXPECT_FALSE(ScaleCannotBeUndone(ScaleOptions()));
}

// Whole units with the remainder dropped, as the percentage says.
TEST_F(ScaleTest, TargetSizesDropTheRemainder)
{
    doc.SelectObj(fx.AddBox(4000, 4000, 333, 201, "C"), 1, 0, 0);
    const CRect from = ScaleSourceRect(doc, true);
    ASSERT_EQ(from.Size(), CSize(333, 201));
    ASSERT_TRUE(ScaleByPercent(doc, 50, 100, true, ScaleOptions(), false));
    const CRect to = ScaleSourceRect(doc, true);
    EXPECT_EQ(to.Size(), CSize(166, 100));
    // Placed around its mapped centre, which an odd size leaves within a unit.
    EXPECT_NEAR(to.left, from.left, 1);
    EXPECT_NEAR(to.top, from.top, 1);
}

// A figure linked to another keeps its place against it at the scaled
// distance, whichever side it lies on; a junction keeps its size.
TEST_F(ScaleTest, LinkedFiguresKeepTheScaledDistanceAndJunctionsTheirSize)
{
    CFigure* right = fx.AddBox(2000, 1000, 100, 100, "R");
    CFigure* left = fx.AddBox(400, 1000, 100, 100, "L");
    auto link = [&](CFigure* follower) {
        auto* s = new CStaple(&doc);
        s->MakeFigLink(a, 0, 0, follower, 0, 0, 0, 0);
        s->RecordOffset(nullptr);
        EXPECT_TRUE(doc.AddStapleWithId(s));
        return s;
    };
    CStaple* toRight = link(right);
    CStaple* toLeft = link(left);
    ASSERT_EQ(toRight->OffsetX, 1000);
    ASSERT_EQ(toLeft->OffsetX, -600);
    CFigure* jct = doc.CreateFigAt(CPoint(1500, 1700), 1);
    ASSERT_NE(jct, nullptr);
    AddConBetween(doc, b, jct);
    ASSERT_TRUE(jct->IsInvisible());
    const CSize jctSize = jct->m_rect.Size();
    doc.ResetUndoLog();
    saved = DocText(doc);
    ASSERT_TRUE(ScaleByPercent(doc, 50, 100, false, ScaleOptions(), false));
    EXPECT_EQ(toRight->OffsetX, 500);
    EXPECT_EQ(toLeft->OffsetX, -300);
    EXPECT_EQ(right->m_rect.left - a->m_rect.left, 500);
    EXPECT_EQ(a->m_rect.left - left->m_rect.left, 300);
    EXPECT_EQ(jct->m_rect.Size(), jctSize);
    ExpectUndone();
}

// "Connectors" scales the connectors' line properties, "Drop shadows" the
// document's shadow (only with the whole diagram); both come back on Undo.
TEST_F(ScaleTest, TheConnectorsAndDropShadowsBoxesChooseWhatScales)
{
    con->m_props.LineWidth = 4;
    doc.m_shadowSpec = CShadowSpec(1, 0x808080, 10, 20, 4, 128);
    doc.ResetUndoLog();
    saved = DocText(doc);
    ScaleOptions options;
    options.connectors = false;
    options.dropShadows = false;
    ASSERT_TRUE(ScaleByPercent(doc, 200, 100, false, options, false));
    EXPECT_EQ(con->m_props.LineWidth, 4);
    EXPECT_EQ(doc.m_shadowSpec.m_nOffsetX, 10);
    ExpectUndone();
    doc.SelectObj(a, 1, 0, 0);
    ASSERT_TRUE(ScaleByPercent(doc, 200, 100, true, ScaleOptions(), false));
    EXPECT_EQ(doc.m_shadowSpec.m_nOffsetX, 10) << "a selection leaves the document's shadow";
    doc.UndoLastStep();
    doc.ClearSelection();
    ASSERT_TRUE(ScaleByPercent(doc, 200, 100, false, ScaleOptions(), false));
    EXPECT_EQ(con->m_props.LineWidth, 8);
    EXPECT_EQ(doc.m_shadowSpec.m_nOffsetX, 20);
    EXPECT_EQ(doc.m_shadowSpec.m_nOffsetY, 40);
    ExpectUndone();
    EXPECT_EQ(doc.m_shadowSpec.m_nOffsetX, 10);
}

// With the styles the command warns (string 680) before it resets the log;
// Cancel scales nothing, the check box stops the warning.
TEST_F(ScaleTest, ScalingTheStylesWarnsThatUndoWillNotWork)
{
    const int warn = WarnNoUndoScale;
    auto* const oldDlg = g_pfnKwWarningDlg;
    static std::string shown;
    static int answer = IDCANCEL;
    static bool dontShow = false;
    g_pfnKwWarningDlg = [](const std::string& text, bool* pbDontShow) {
        shown = text;
        *pbDontShow = dontShow;
        return answer;
    };
    SetScaleDialog([](ScaleDialogData& d) {
        d.newPercent = 200;
        d.options.scaleStyles = true;
        return true;
    });
    doc.UndoBeginStep(UDMAC_MOVEOBJS);
    doc.LogFigRect(a);
    doc.UndoEndStep();
    WarnNoUndoScale = 1;
    EXPECT_FALSE(OnScale(doc));
    EXPECT_EQ(shown, "The Undo feature will not work for scaling the diagram and its styles.");
    EXPECT_EQ(a->m_rect, CRect(1000, 1000, 1400, 1200)) << "cancelled";
    EXPECT_TRUE(doc.CanUndo());
    EXPECT_EQ(WarnNoUndoScale, 1);
    answer = IDOK;
    dontShow = true;
    ASSERT_TRUE(OnScale(doc));
    EXPECT_EQ(a->m_rect, CRect(1000, 1000, 1800, 1400));
    EXPECT_FALSE(doc.CanUndo());
    EXPECT_EQ(WarnNoUndoScale, 0);
    shown.clear();
    answer = IDCANCEL;
    ASSERT_TRUE(OnScale(doc)) << "no warning once it is switched off";
    EXPECT_TRUE(shown.empty());
    WarnNoUndoScale = warn;
    g_pfnKwWarningDlg = oldDlg;
}

// A free label's text scales with it and the label fits its scaled text:
// nothing of "free note" is cut off at 70% nor at 130%.
TEST_F(ScaleTest, ALabelKeepsAllOfItsScaledText)
{
    CFigProps props = doc.m_curLblStyle.m_props;
    SetFlagBits(props.Behavior, kFigFlagLabel, 256 | 512, true);
    auto* label = new CFigure(1200, 1700, 100, 300, props, -1, 1, "free note", "", CFigure::CreateArgs(), &doc);
    doc.AddFigWithId(label);
    FitFigToText(doc, label, 0, false, false, nullptr);
    const LONG height = label->m_props.m_font.m_lf.lfHeight;
    doc.ResetUndoLog();
    saved = DocText(doc);
    for (const int percent : {70, 130}) {
        SCOPED_TRACE(percent);
        const CPoint centre = label->m_rect.CenterPoint();
        ScaleOptions options;
        options.scaleText = true;
        ASSERT_TRUE(ScaleByPercent(doc, percent, 100, false, options, false));
        EXPECT_EQ(label->m_props.m_font.m_lf.lfHeight, MulDiv(height, percent, 100));
        CRect fitted;
        EXPECT_FALSE(CalcSizeForText(*label, fitted, 1, nullptr))
            << "the text needs " << fitted.Width() << " x " << fitted.Height() << ", the label is "
            << label->m_rect.Width() << " x " << label->m_rect.Height();
        // Around its scaled centre, within the rounding of the fit.
        const CPoint scaled(1000 + MulDiv(centre.x - 1000, percent, 100), 1000 + MulDiv(centre.y - 1000, percent, 100));
        EXPECT_NEAR(label->m_rect.CenterPoint().x, scaled.x, 2);
        EXPECT_NEAR(label->m_rect.CenterPoint().y, scaled.y, 2);
        ExpectUndone();
    }
}

// "Figure borders" decides whether the figures' borders scale; a label's
// border keeps its width either way.
TEST_F(ScaleTest, FigureBordersScaleOnlyWhenAskedAndNeverALabels)
{
    CFigProps props = doc.m_curLblStyle.m_props;
    SetFlagBits(props.Behavior, kFigFlagLabel, 256 | 512, true);
    props.BorderWidth = 8;
    auto* label = new CFigure(1200, 1700, 100, 300, props, -1, 1, "note", "", CFigure::CreateArgs(), &doc);
    doc.AddFigWithId(label);
    ASSERT_TRUE(label->m_bLabel);
    a->m_props.BorderWidth = 8;
    doc.ResetUndoLog();
    saved = DocText(doc);
    for (const bool borders : {false, true}) {
        SCOPED_TRACE(borders);
        ScaleOptions options;
        options.scaleBorders = borders;
        ASSERT_TRUE(ScaleByPercent(doc, 50, 100, false, options, false));
        EXPECT_EQ(a->m_props.BorderWidth, borders ? 4 : 8);
        EXPECT_EQ(label->m_props.BorderWidth, 8);
        ExpectUndone();
    }
}

// Scaling a selection of connectors alone still changes the diagram: it is
// marked modified.
TEST_F(ScaleTest, ScalingOnlyConnectorsMarksTheDiagramModified)
{
    con->m_props.LineWidth = 8;
    doc.SetModifiedFlag(false);
    doc.SelectObj(con, 1, 0, 0);
    ASSERT_TRUE(ScaleByPercent(doc, 50, 100, true, ScaleOptions(), false));
    EXPECT_EQ(con->m_props.LineWidth, 4);
    EXPECT_TRUE(doc.IsModified());
}

// With nothing to scale the dialog still opens (with no proposal), and its
// answer changes nothing: no rectangle to scale from, no undo step.
TEST(ScaleEmptyDiagram, OffersNoProposalAndScalesNothing)
{
    InstallMoveContext();
    DiagramFixture empty;
    empty.doc.ResetUndoLog();
    const std::string before = DocText(empty.doc);
    ScaleDialogData seen;
    SetScaleDialog([&](ScaleDialogData& d) {
        seen = d;
        d.newPercent = 50;
        return true;
    });
    EXPECT_FALSE(OnScale(empty.doc));
    SetScaleDialog(nullptr);
    EXPECT_EQ(seen.proposedPercent, 0);
    EXPECT_EQ(seen.highestPercent, 100);
    EXPECT_FALSE(ScaleToRect(empty.doc, CRect(0, 0, 1000, 1000), false, ScaleOptions(), false));
    EXPECT_EQ(DocText(empty.doc), before);
    EXPECT_FALSE(empty.doc.CanUndo());
}

// A figure link keeps its distance unscaled when only one of its figures is
// scaled: the distance scales with the pair, never with one of them alone.
TEST_F(ScaleTest, ALinkToAFigureLeftOutKeepsItsDistance)
{
    CFigure* right = fx.AddBox(2000, 1000, 100, 100, "R");
    auto* link = new CStaple(&doc);
    link->MakeFigLink(a, 0, 0, right, 0, 0, 0, 0);
    link->RecordOffset(nullptr);
    ASSERT_TRUE(doc.AddStapleWithId(link));
    ASSERT_EQ(link->OffsetX, 1000);
    doc.ResetUndoLog();
    saved = DocText(doc);
    doc.SelectObj(a, 1, 0, 0);
    ASSERT_TRUE(ScaleByPercent(doc, 50, 100, true, ScaleOptions(), false));
    EXPECT_EQ(a->m_rect, CRect(1000, 1000, 1200, 1100));
    EXPECT_EQ(link->OffsetX, 1000);
    ExpectUndone();
}
