// Figure-label positions: the twelve places round a figure, the bands that
// give a position from a point, pinning a label there and setting it free,
// and Make Same Size.
#include "DocTestSupport.h"

#include "core/Settings.h"
#include "document/CStaple.h"
#include "document/LabelAttach.h"
#include "document/LabelPlacement.h"
#include "fileformat/DiagramRecordWriter.h"
#include "keyword/KeywordStreams.h"
#include "richtext/FigureTextFit.h"
#include "undo/UndoCodes.h"

#include <memory>
#include <vector>

namespace {
// The document as its file holds it.
std::string DocText(CKavoDoc& doc)
{
    CStringKeywordSink sink;
    CKeywordWriter w(sink);
    EXPECT_TRUE(WriteDiagramText(w, doc, {}));
    return sink.text;
}

// R = (100, 200, 700, 500): cx 400, cy 350; label 80 x 40, gap 10.
const CRect kFig(100, 200, 700, 500);
constexpr int kW = 80, kH = 40, kGap = 10;

struct PlaceRow {
    int code;
    CRect rect;
    FigLblPlace place;
};

const PlaceRow kPlaceRows[] = {
    {1, {100, 150, 180, 190}, {0, 0, 0, 255, 4, 16}},
    {2, {360, 150, 440, 190}, {127, 0, 127, 255, 2, 16}},
    {3, {620, 150, 700, 190}, {255, 0, 255, 255, 1, 16}},
    {4, {710, 200, 790, 240}, {255, 0, 0, 0, 4, 64}},
    {5, {710, 330, 790, 370}, {255, 127, 0, 127, 4, 32}},
    {6, {710, 460, 790, 500}, {255, 255, 0, 255, 4, 16}},
    {7, {620, 510, 700, 550}, {255, 255, 255, 0, 1, 64}},
    {8, {360, 510, 440, 550}, {127, 255, 127, 0, 2, 64}},
    {9, {100, 510, 180, 550}, {0, 255, 0, 0, 4, 64}},
    {10, {10, 460, 90, 500}, {0, 255, 255, 255, 1, 16}},
    {11, {10, 330, 90, 370}, {0, 127, 255, 127, 1, 32}},
    {12, {10, 200, 90, 240}, {0, 0, 255, 0, 1, 64}},
};

struct LabelTargetTest : testing::Test {
    void SetUp() override
    {
        doc.OnNewDocument();
        fig = NewFig(doc, kFig.left, kFig.top, "F");
        fig->SetRectNoUndo(kFig);
        doc.AddFigWithId(fig);
        label = NewFig(doc, 2000, 2000, "L");
        label->SetRectNoUndo(CRect(2000, 2000, 2000 + kW, 2000 + kH));
        label->m_bLabel = 1;
        doc.AddFigWithId(label);
        doc.m_nLabelToFigSpacing = kGap;
        doc.ResetUndoLog();
        saved = DocText(doc);
    }
    void TearDown() override { SnapToFigLblPrimarySlotOnly = 1; }
    // A second figure B to the right of the figure and a connector to it.
    CConnector* ConnectToB()
    {
        b = NewFig(doc, 1000, 200, "B");
        doc.AddFigWithId(b);
        return doc.CreateCon(fig, b, -1, -1, CPoint(700, 350), CPoint(1000, 350), -1, CConProps());
    }
    CKavoDoc doc;
    CFigure* b = nullptr;
    CFigure* fig = nullptr;
    CFigure* label = nullptr;
    std::string saved;
};
} // namespace

TEST(FigLblPositions, TableCellByCell)
{
    CKavoDoc doc;
    doc.OnNewDocument();
    std::unique_ptr<CFigure> owned(NewFig(doc, 0, 0, "F"));
    CFigure* fig = owned.get();
    fig->SetRectNoUndo(kFig);
    for (const PlaceRow& row : kPlaceRows) {
        SCOPED_TRACE(row.code);
        CRect out;
        doc.CalcFigLblRect(fig, CSize(kW, kH), row.code, out, kGap);
        EXPECT_EQ(out, row.rect);
        const FigLblPlace p = FigLblPlaceOf(row.code);
        EXPECT_EQ(p.figX, row.place.figX);
        EXPECT_EQ(p.figY, row.place.figY);
        EXPECT_EQ(p.lblX, row.place.lblX);
        EXPECT_EQ(p.lblY, row.place.lblY);
        EXPECT_EQ(p.alignH, row.place.alignH);
        EXPECT_EQ(p.alignV, row.place.alignV);
    }
    // Any other code: where it is, no rectangle.
    for (int code : {-1, 0, 13}) {
        const FigLblPlace p = FigLblPlaceOf(code);
        EXPECT_EQ(p.figX, 127);
        EXPECT_EQ(p.figY, 127);
        EXPECT_EQ(p.lblX, 127);
        EXPECT_EQ(p.lblY, 127);
        EXPECT_EQ(p.alignH, 2);
        EXPECT_EQ(p.alignV, 32);
        CRect out(1, 2, 3, 4);
        doc.CalcFigLblRect(fig, CSize(kW, kH), code, out, kGap);
        EXPECT_EQ(out, CRect(1, 2, 3, 4));
    }
}

TEST(FigLblPositions, BandsRoundTheFigure)
{
    // R = (0, 0, 600, 300), tolerance 4, label 120 x 60: bands of 120 above
    // and below ([0, 120), [240, 360], (480, 600]), of 60 at the sides
    // ([0, 60), [120, 180], (240, 300]).
    const CRect r(0, 0, 600, 300);
    const CSize size(120, 60);
    struct Row {
        int x, y, code;
    };
    const Row rows[] = {
        {0, -10, 1},    {119, -10, 1},  {120, -10, 0},  {239, -10, 0},  {240, -10, 2},  {360, -10, 2},
        {361, -10, 0},  {480, -10, 0},  {481, -10, 3},  {600, -10, 3},  {601, -10, 0},  {0, 310, 9},
        {300, 310, 8},  {600, 310, 7},  {0, -4, 1},     {0, -3, 0},     {0, -64, 1},    {0, -65, 0},
        {-10, 0, 12},   {-10, 59, 12},  {-10, 60, 0},   {-10, 120, 11}, {-10, 180, 11}, {-10, 181, 0},
        {-10, 241, 10}, {-10, 300, 10}, {610, 0, 4},    {610, 150, 5},  {610, 300, 6},  {604, 150, 5},
        {603, 150, 0},  {724, 150, 5},  {725, 150, 0},  {-10, -10, 0},  {610, 310, 0},  {300, 150, 0},
        {-3, 150, 0},
    };
    for (const Row& row : rows)
        EXPECT_EQ(FigLblPosFromPt(r, CPoint(row.x, row.y), size, 4), row.code) << row.x << "," << row.y;
    // A figure narrower than three labels: bands of a third of its width.
    const CRect narrow(0, 0, 90, 300);
    EXPECT_EQ(FigLblPosFromPt(narrow, CPoint(29, -10), size, 4), 1);
    EXPECT_EQ(FigLblPosFromPt(narrow, CPoint(30, -10), size, 4), 2);
    EXPECT_EQ(FigLblPosFromPt(narrow, CPoint(60, -10), size, 4), 2);
    EXPECT_EQ(FigLblPosFromPt(narrow, CPoint(61, -10), size, 4), 3);
}

TEST_F(LabelTargetTest, OnlyThePrimaryPositionWhileTheSettingIsOn)
{
    int code = -1;
    const CPoint right(720, 350), below(400, 520);
    doc.m_nFigLblPrimarySector = 8;
    SnapToFigLblPrimarySlotOnly = 1;
    EXPECT_EQ(doc.FindFigLblPosAt(right, 1, CSize(kW, kH), code), nullptr);
    EXPECT_EQ(doc.FindFigLblPosAt(below, 1, CSize(kW, kH), code), fig);
    EXPECT_EQ(code, 8);
    SnapToFigLblPrimarySlotOnly = 0;
    EXPECT_EQ(doc.FindFigLblPosAt(right, 1, CSize(kW, kH), code), fig);
    EXPECT_EQ(code, 5);
    // A label lying over the figure's edge between the point and the figure
    // hides the position.
    label->SetRectNoUndo(CRect(150, 150, 350, 600));
    EXPECT_EQ(doc.FindFigLblPosAt(CPoint(360, 150), 1, CSize(kW, kH), code), nullptr);
}

TEST_F(LabelTargetTest, AnOccupiedPositionIsNotOfferedAgain)
{
    SnapToFigLblPrimarySlotOnly = 0;
    ASSERT_TRUE(doc.AttachLblAsFigLbl(label, fig, 5, false));
    EXPECT_EQ(doc.FindFigLblStapleAtPos(fig, 5), label->m_pStaple);
    EXPECT_EQ(doc.FindFigLblStaple(fig, 0), label->m_pStaple);
    EXPECT_EQ(doc.FindFigLblStaple(fig, 1), nullptr);
    EXPECT_EQ(doc.CountFigLabels(fig), 1);
    int code = -1;
    CRect rect;
    EXPECT_EQ(doc.FindFreeFigLblPosAt(CPoint(720, 350), 1, CSize(kW, kH), code, rect), nullptr);
    EXPECT_EQ(doc.FindFreeFigLblPosAt(CPoint(400, 520), 1, CSize(kW, kH), code, rect), fig);
    EXPECT_EQ(rect, CRect(360, 510, 440, 550));
    // A label that is stapled already is refused.
    EXPECT_FALSE(doc.AttachLblAsFigLbl(label, fig, 8, false));
}

TEST_F(LabelTargetTest, AttachWhereItIsThenDetachAndUndo)
{
    const CRect where = label->m_rect;
    doc.SelectObj(label, 1, 0, 0);
    doc.SelectObj(fig, 2, 0, 0);
    ASSERT_TRUE(doc.OnAttachLblToFig());
    ASSERT_TRUE(label->IsFigLabel());
    CStaple* s = label->m_pStaple;
    EXPECT_EQ(s->Fig1PosX, 127);
    EXPECT_EQ(s->Fig2PosY, 127);
    EXPECT_EQ(label->m_rect, where);
    EXPECT_EQ(label->m_props.TextFormat & 0x77, 2 | 32);
    const std::string attached = DocText(doc);

    doc.DeselectAllObjs();
    doc.SelectObj(label, 1, 0, 0);
    doc.OnDetachLbl();
    EXPECT_FALSE(label->IsStapled());
    EXPECT_EQ(label->m_rect, where);
    EXPECT_EQ(doc.UndoLastStep(), UDMAC_DETACHLBL);
    EXPECT_EQ(DocText(doc), attached);
    EXPECT_EQ(doc.UndoLastStep(), UDMAC_ATTACHLBLASFIGLBL);
    EXPECT_EQ(DocText(doc), saved);
}

TEST_F(LabelTargetTest, AttachNeedsOneLabelAndOneFigure)
{
    CFigure* other = NewFig(doc, 3000, 3000, "G");
    doc.AddFigWithId(other);
    doc.SelectObj(label, 1, 0, 0);
    doc.SelectObj(fig, 2, 0, 0);
    doc.SelectObj(other, 2, 0, 0);
    EXPECT_FALSE(doc.OnAttachLblToFig()) << "three selected";
    doc.SelectObj(fig, 1, 0, 0);
    doc.SelectObj(other, 2, 0, 0);
    EXPECT_FALSE(doc.OnAttachLblToFig()) << "no label";
    EXPECT_FALSE(label->IsStapled());
}

TEST_F(LabelTargetTest, DetachingAConnectorLabelClearsItsFlags)
{
    CConnector* con = ConnectToB();
    ASSERT_TRUE(con);
    label->m_props.Behavior.low |= 0x80000 | 4096 | 0x100000 | 2;
    ASSERT_TRUE(doc.CreateConLblStaple(con, label->GetCenter(), label));
    doc.ResetUndoLog();
    const std::string before = DocText(doc);
    doc.SelectObj(label, 1, 0, 0);
    doc.OnDetachLbl();
    EXPECT_FALSE(label->IsStapled());
    EXPECT_EQ(label->m_props.Behavior.low & (0x80000 | 4096 | 0x100000), 0u);
    EXPECT_EQ(label->m_props.Behavior.low & 2, 2u) << "other flags stay";
    EXPECT_EQ(doc.UndoLastStep(), UDMAC_DETACHLBL);
    EXPECT_EQ(DocText(doc), before);

    // A figure label keeps its flags.
    CFigure* figLabel = NewFig(doc, 50, 50, "M");
    figLabel->m_bLabel = 1;
    figLabel->m_props.Behavior.low |= 4096;
    doc.AddFigWithId(figLabel);
    ASSERT_TRUE(doc.AttachLblAsFigLbl(figLabel, fig, 1, false));
    const DWORD low = figLabel->m_props.Behavior.low;
    ASSERT_TRUE(doc.UnstapleLbl(figLabel));
    EXPECT_EQ(figLabel->m_props.Behavior.low, low);
}

TEST_F(LabelTargetTest, MakeSameSize)
{
    CFigure* b = NewFig(doc, 1000, 1000, "B");
    b->SetRectNoUndo(CRect(1000, 1000, 1200, 1100));
    doc.AddFigWithId(b);
    CFigure* c = NewFig(doc, 1500, 1000, "C");
    c->SetRectNoUndo(CRect(1500, 1000, 1550, 1300));
    doc.AddFigWithId(c);
    doc.ResetUndoLog();
    saved = DocText(doc);
    const CRect labelRect = label->m_rect;
    struct Row {
        void (CKavoDoc::*command)();
        CSize b, c;
    };
    const Row rows[] = {
        {&CKavoDoc::OnSameWidth, {600, 100}, {600, 300}},
        {&CKavoDoc::OnSameHeight, {200, 300}, {50, 300}},
        {&CKavoDoc::OnSameSize, {600, 300}, {600, 300}},
    };
    for (const Row& row : rows) {
        // The label comes first: it is no reference and keeps its size.
        doc.SelectObj(label, 1, 0, 0);
        doc.SelectObj(fig, 2, 0, 0);
        doc.SelectObj(b, 2, 0, 0);
        doc.SelectObj(c, 2, 0, 0);
        (doc.*row.command)();
        EXPECT_EQ(fig->m_rect, kFig);
        EXPECT_EQ(b->m_rect.Size(), row.b);
        EXPECT_EQ(c->m_rect.Size(), row.c);
        EXPECT_EQ(label->m_rect, labelRect);
        EXPECT_EQ(doc.UndoLastStep(), UDMAC_SAMESIZE);
        EXPECT_EQ(DocText(doc), saved);
    }
    // One selected figure: nothing.
    doc.SelectObj(b, 1, 0, 0);
    const auto steps = doc.UndoLogRef().m_nStepsRecorded;
    doc.OnSameSize();
    EXPECT_EQ(b->m_rect.Size(), CSize(200, 100));
    EXPECT_EQ(doc.UndoLogRef().m_nStepsRecorded, steps);
}

TEST_F(LabelTargetTest, FlowLabelsFollowAReplacedConnectorAndAreCut)
{
    CFigure* b = NewFig(doc, 1000, 200, "B");
    doc.AddFigWithId(b);
    CConnector* c1 = doc.CreateCon(fig, b, -1, -1, CPoint(700, 350), CPoint(1000, 350), -1, CConProps());
    CConnector* c2 = doc.CreateCon(fig, b, -1, -1, CPoint(700, 300), CPoint(1000, 300), -1, CConProps());
    ASSERT_TRUE(c1 && c2);
    ASSERT_TRUE(doc.AttachLblAsFlowLbl(label, fig, c1, 1, false));
    EXPECT_EQ(doc.FindFlowLblStaple(c1, fig, 1), label->m_pStaple);
    EXPECT_EQ(doc.FindFlowLblStaple(c1, fig, 2), nullptr);
    doc.ResetUndoLog();
    const std::string before = DocText(doc);

    doc.UndoBeginStep(UDMAC_MOVEOBJS);
    ASSERT_TRUE(doc.ReplaceFlowLblCon(fig, c1, c2));
    doc.UndoEndStep();
    EXPECT_EQ(label->m_pStaple->m_pCon, c2);
    EXPECT_EQ(doc.FindFlowLblStaple(c2, fig, 1), label->m_pStaple);
    EXPECT_EQ(doc.UndoLastStep(), UDMAC_MOVEOBJS);
    EXPECT_EQ(DocText(doc), before);

    EXPECT_EQ(doc.CutFlowLbls(nullptr, c1, true), 0);
    doc.UndoBeginStep(UDMAC_MOVEOBJS);
    EXPECT_EQ(doc.CutFlowLbls(fig, c1, true), 1);
    doc.UndoEndStep();
    EXPECT_EQ(doc.FindFlowLblStaple(c1, fig, 1), nullptr);
    EXPECT_LT(doc.m_pObjList->Find(label), 0) << "the label is cut too";
    EXPECT_EQ(doc.UndoLastStep(), UDMAC_MOVEOBJS);
    EXPECT_EQ(DocText(doc), before);
}

// A flow-label slot that already holds a label is not offered again; the
// other slot of the same end still is.
TEST_F(LabelTargetTest, AnOccupiedFlowSlotIsNotOffered)
{
    CConnector* con = ConnectToB();
    ASSERT_TRUE(con);
    const CSize size(kW, kH);
    CRect r1, r2;
    int c1 = -1, c2 = -1;
    ASSERT_TRUE(doc.CalcFlowLblRects(con, fig, size, kGap, kGap, r1, r2, c1, c2));
    CFigure* found = nullptr;
    CConnector* foundCon = nullptr;
    CRect rect;
    int slot = 0, corner = -1;
    ASSERT_TRUE(doc.FindFlowLblSlotAt(size, kGap, kGap, r1.CenterPoint(), nullptr, found, foundCon, rect, slot, corner));
    EXPECT_EQ(found, fig);
    EXPECT_EQ(foundCon, con);
    EXPECT_EQ(slot, 1);
    EXPECT_EQ(rect, r1);
    EXPECT_EQ(corner, c1);
    ASSERT_TRUE(doc.AttachLblAsFlowLbl(label, fig, con, 1, false));
    EXPECT_FALSE(doc.FindFlowLblSlotAt(size, kGap, kGap, r1.CenterPoint(), nullptr, found, foundCon, rect, slot, corner));
    ASSERT_TRUE(doc.FindFlowLblSlotAt(size, kGap, kGap, r2.CenterPoint(), nullptr, found, foundCon, rect, slot, corner));
    EXPECT_EQ(slot, 2);
    EXPECT_EQ(corner, c2);
}

// A lateral label sits twice the connector spacing from a fresh fragment
// (its style makes fragments, it is exactly the fragment length and both
// ends are free); from any other connector once the spacing.
TEST_F(LabelTargetTest, ALateralLabelSitsTwiceAsFarFromAFreshFragment)
{
    doc.m_nLabelToConSpacing = 12;
    CConProps props;
    ASSERT_EQ(doc.m_conStyles.AddConStyle(&props, "Fragment", 1, 1, "", "", 0, "", 0, 1, 300, 90), 1);
    const int style = doc.m_conStyles.GetCount() - 1;
    CConnector* con = doc.CreateCon(nullptr, nullptr, -1, -1, CPoint(1000, 1000), CPoint(1300, 1000), style, props);
    ASSERT_TRUE(con);
    ASSERT_TRUE(doc.m_conStyles.GetAt(style)->FragmentCreation);
    EXPECT_EQ(doc.GetLatLblOffset(con), 24);
    con->EndPoint2.x = 1299;
    EXPECT_EQ(doc.GetLatLblOffset(con), 12);
    con->EndPoint2.x = 1300;
    con->m_pFig2 = fig;
    EXPECT_EQ(doc.GetLatLblOffset(con), 12);
    con->m_pFig2 = nullptr;
    doc.m_conStyles.GetAt(style)->FragmentCreation = 0;
    EXPECT_EQ(doc.GetLatLblOffset(con), 12);
}

// Attaching several labels in one gesture: with the join flag an attach
// joins the last step when that step is of its own code (connector and
// lateral labels share one code), else it opens a step of its own.
TEST_F(LabelTargetTest, AttachesJoinTheLastStepOfTheirOwnCode)
{
    CConnector* con = ConnectToB();
    ASSERT_TRUE(con);
    CFigure* second = NewFig(doc, 3000, 3000, "M");
    second->m_bLabel = 1;
    doc.AddFigWithId(second);
    doc.ResetUndoLog();
    saved = DocText(doc);

    struct Row {
        const char* what;
        int firstCode;
        bool join;
        bool oneStep;
    };
    const Row rows[] = {
        {"connector then lateral, joined", UDMAC_ATTACHLBLASCONLBL, true, true},
        {"connector then lateral, not joined", UDMAC_ATTACHLBLASCONLBL, false, false},
        {"figure then figure, joined", UDMAC_ATTACHLBLASFIGLBL, true, true},
        {"figure then lateral, joined", UDMAC_ATTACHLBLASFIGLBL, true, false},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.what);
        if (r.firstCode == UDMAC_ATTACHLBLASCONLBL)
            ASSERT_TRUE(AttachLblAsConLbl(doc, label, con, CPoint(800, 350), false));
        else
            ASSERT_TRUE(doc.AttachLblAsFigLbl(label, fig, 2, false));
        const std::string once = DocText(doc);
        if (r.firstCode == UDMAC_ATTACHLBLASFIGLBL && r.oneStep)
            ASSERT_TRUE(doc.AttachLblAsFigLbl(second, fig, 8, r.join));
        else
            ASSERT_TRUE(doc.AttachLblAsLatLbl(second, con, CPoint(900, 350), 10, 0, r.join));
        EXPECT_TRUE(second->IsStapled());
        doc.UndoLastStep();
        if (!r.oneStep) {
            EXPECT_EQ(DocText(doc), once);
            doc.UndoLastStep();
        }
        EXPECT_EQ(DocText(doc), saved);
        doc.ResetUndoLog();
    }
}

// A connector label takes the connector-label flags and the centred
// alignment; an already pinned label is refused.
TEST_F(LabelTargetTest, AttachAsConnectorLabelSetsItsFlagsAndAlignment)
{
    CConnector* con = ConnectToB();
    ASSERT_TRUE(con);
    doc.ResetUndoLog();
    const std::string before = DocText(doc);
    ASSERT_TRUE(AttachLblAsConLbl(doc, label, con, CPoint(850, 350), false));
    ASSERT_TRUE(label->IsConLabel());
    EXPECT_EQ(label->m_props.Behavior.low & (0x80000 | 4096 | 0x100000), DWORD(0x80000 | 4096 | 0x100000));
    EXPECT_EQ(label->m_props.TextFormat & 0x77, 2 | 32);
    EXPECT_FALSE(AttachLblAsConLbl(doc, label, con, CPoint(900, 350), false)) << "already pinned";
    EXPECT_EQ(doc.UndoLastStep(), UDMAC_ATTACHLBLASCONLBL);
    EXPECT_EQ(DocText(doc), before);
}

// Sliding moves a connector label's place on its connector to the point's
// projection, in one undo step; a lateral label keeps its side; any other
// label does not slide.
TEST_F(LabelTargetTest, SlidingMovesAConnectorLabelAlongItsConnector)
{
    CConnector* con = doc.CreateCon(nullptr, nullptr, -1, -1, CPoint(1000, 1000), CPoint(1400, 1000), -1, CConProps());
    ASSERT_TRUE(con);
    label->SetRectNoUndo(CRect(1060, 980, 1140, 1020));
    ASSERT_TRUE(AttachLblAsConLbl(doc, label, con, CPoint(1100, 1000), false));
    CFigure* lateral = NewFig(doc, 3000, 3000, "M");
    lateral->m_bLabel = 1;
    doc.AddFigWithId(lateral);
    ASSERT_TRUE(doc.AttachLblAsLatLbl(lateral, con, CPoint(1100, 1000), -10, 0, false));
    CFigure* figLabel = NewFig(doc, 4000, 4000, "N");
    figLabel->m_bLabel = 1;
    doc.AddFigWithId(figLabel);
    ASSERT_TRUE(doc.AttachLblAsFigLbl(figLabel, fig, 2, false));
    doc.ResetUndoLog();
    doc.SetModifiedFlag(false);
    const std::string before = DocText(doc);

    // Places on the connector are kept in steps: within a unit of the
    // projection; the label moves with its place.
    ASSERT_TRUE(SlideLblWithUndo(doc, label, 1300, 1080));
    const CPoint slid = label->m_pStaple->GetPointAtConPos();
    EXPECT_NEAR(slid.x, 1300, 1);
    EXPECT_EQ(slid.y, 1000);
    EXPECT_NEAR(label->GetCenter().x, slid.x, 1);
    EXPECT_NEAR(label->GetCenter().y, 1000, 1);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_FALSE(doc.UndoLogRef().IsStepOpen()) << "the slide is a closed step";
    // Whichever side of the line the point is on, the label's side stays.
    for (const CPoint pt : {CPoint(1200, 1200), CPoint(1250, 800)}) {
        ASSERT_TRUE(SlideLblWithUndo(doc, lateral, pt.x, pt.y));
        EXPECT_NEAR(lateral->m_pStaple->GetPointAtConPos().x, pt.x, 1);
        EXPECT_EQ(lateral->m_pStaple->GetPointAtConPos().y, 1000);
        EXPECT_EQ(lateral->m_pStaple->LateralOffset, -10);
    }
    const CRect figLabelRect = figLabel->m_rect;
    EXPECT_FALSE(SlideConLabel(doc, figLabel, 400, 100));
    EXPECT_EQ(figLabel->m_rect, figLabelRect);

    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(doc.UndoLastStep(), UDMAC_SLIDELBL);
    EXPECT_EQ(DocText(doc), before);
}

// A flow label goes with a drag only when its connector and the figures at
// both of the connector's ends are all in it; without a drag set, never.
TEST_F(LabelTargetTest, AFlowLabelIsInTheDragWithItsConnectorAndBothEnds)
{
    CConnector* con = ConnectToB();
    ASSERT_TRUE(con);
    ASSERT_TRUE(doc.AttachLblAsFlowLbl(label, fig, con, 1, false));
    EXPECT_FALSE(doc.IsFlowLblInSet(label)) << "no drag set";
    ASSERT_TRUE(doc.m_moveSet.Init(&doc));
    CObjList& set = *doc.m_moveSet.GetList();
    struct Row {
        std::vector<CDiagObj*> members;
        bool in;
    };
    const Row rows[] = {
        {{con, fig, b}, true},
        {{con, fig}, false},
        {{con, b}, false},
        {{fig, b}, false},
    };
    for (const Row& r : rows) {
        set.RemoveAll();
        for (CDiagObj* o : r.members)
            set.AddTail(o);
        EXPECT_EQ(doc.IsFlowLblInSet(label), r.in) << r.members.size();
        EXPECT_FALSE(doc.IsFlowLblInSet(fig)) << "no label";
    }
    // A connector with a free end needs only the attached one.
    con->m_pFig2 = nullptr;
    set.RemoveAll();
    set.AddTail(con);
    set.AddTail(fig);
    EXPECT_TRUE(doc.IsFlowLblInSet(label));
    con->m_pFig2 = b;
    doc.m_moveSet.Release();
}

namespace {
// A label style fitted to its text, the default text of the given length.
int AddLabelStyle(CKavoDoc& doc, const std::string& name, size_t letters)
{
    CFigProps props = doc.m_curLblStyle.m_props;
    props.Behavior.low |= kFitWidthFlag | kFitHeightFlag;
    return doc.m_figStyles.AddFigStyle(&props, name, 1, 1, 1, "", "", 200, 100, std::string(letters, 'm'), "",
                                       nullptr, 0, "");
}
} // namespace

// Each new-label size is measured with the style its setting names, or the
// current label style when the setting names none that exists: default
// texts of different lengths tell the styles apart by the width.
TEST(NewLabelSizes, EachKindMeasuresTheStyleItsSettingNames)
{
    CKavoDoc doc;
    doc.OnNewDocument();
    const int current = AddLabelStyle(doc, "Current", 2);
    AddLabelStyle(doc, "Con", 4);
    AddLabelStyle(doc, "Flow", 8);
    AddLabelStyle(doc, "Auto", 16);
    doc.SetCurLblStyle(current);
    doc.m_strConLabelStyle = "Con";
    doc.m_strFlowLabelStyle = "Flow";
    doc.m_strAutoLabelStyle = "Auto";
    const CSize cur = doc.GetNewLblSize(), con = doc.GetConLblStyleSize(), lat = doc.GetNewLatLblSize(),
                flow = doc.GetNewFlowLblSize(), fig = doc.GetNewFigLblSize();
    EXPECT_GT(cur.cx, 0);
    EXPECT_LT(cur.cx, con.cx);
    EXPECT_EQ(lat, con);
    EXPECT_LT(con.cx, flow.cx);
    EXPECT_LT(flow.cx, fig.cx);
    // Asked again in another order, each keeps its own.
    EXPECT_EQ(doc.GetNewFigLblSize(), fig);
    EXPECT_EQ(doc.GetNewFlowLblSize(), flow);
    EXPECT_EQ(doc.GetNewLatLblSize(), con);
    EXPECT_EQ(doc.GetConLblStyleSize(), con);
    EXPECT_EQ(doc.GetNewLblSize(), cur);

    // Settings naming no style of the library: the current label style.
    doc.m_strConLabelStyle = "None such";
    doc.m_strFlowLabelStyle = "";
    doc.m_strAutoLabelStyle = "Missing";
    for (const CSize& size : {doc.GetConLblStyleSize(), doc.GetNewLatLblSize(), doc.GetNewFlowLblSize(),
                              doc.GetNewFigLblSize()})
        EXPECT_EQ(size, cur);
}

// With no label style at all (none named, no current label style) a new
// label is 30 wide and 70 high.
TEST(NewLabelSizes, WithoutAnyLabelStyleTheSizeIs30By70)
{
    CKavoDoc doc;
    doc.OnNewDocument();
    doc.ResetCurLblStyle();
    doc.m_curLblStyle.DefaultText = "Some text";
    doc.m_strConLabelStyle = "Missing";
    for (const CSize& size : {doc.GetNewLblSize(), doc.GetConLblStyleSize(), doc.GetNewLatLblSize(),
                              doc.GetNewFlowLblSize(), doc.GetNewFigLblSize()})
        EXPECT_EQ(size, CSize(30, 70));
}

// Dropping a label at a point pins it to the figure whose free position lies
// there; nothing under the point, or a position already taken, leaves it free.
TEST_F(LabelTargetTest, TryStapleToFigAtPinsAtAFreePositionOnly)
{
    SnapToFigLblPrimarySlotOnly = 0;
    CFigure* got = nullptr;
    int code = -1;
    EXPECT_FALSE(doc.TryStapleToFigAt(CPoint(3000, 3000), 1, CSize(kW, kH), got, label, code));
    EXPECT_EQ(got, nullptr);
    EXPECT_FALSE(label->IsStapled());
    // Below the figure's centre: position 8.
    ASSERT_TRUE(doc.TryStapleToFigAt(CPoint(400, 520), 1, CSize(kW, kH), got, label, code));
    EXPECT_EQ(got, fig);
    EXPECT_EQ(code, 8);
    ASSERT_TRUE(label->IsFigLabel());
    EXPECT_EQ(doc.FindFigLblStapleAtPos(fig, 8), label->m_pStaple);
    CFigure* other = NewFig(doc, 3000, 2000, "M");
    other->m_bLabel = 1;
    doc.AddFigWithId(other);
    EXPECT_FALSE(doc.TryStapleToFigAt(CPoint(400, 520), 1, CSize(kW, kH), got, other, code)) << "taken";
    EXPECT_FALSE(other->IsStapled());
}

// Attach Label to Figure needs a visible figure: a blank, text-less one
// that only joins connectors is none.
TEST_F(LabelTargetTest, AttachNeedsAVisibleFigure)
{
    CFigure* jct = NewFig(doc, 3000, 3000, "");
    jct->m_props.Symbol = 0;
    jct->m_nConnected = 1;
    doc.AddFigWithId(jct);
    ASSERT_TRUE(jct->IsInvisible());
    const std::string before = DocText(doc);
    doc.SelectObj(label, 1, 0, 0);
    doc.SelectObj(jct, 2, 0, 0);
    EXPECT_FALSE(doc.OnAttachLblToFig());
    EXPECT_FALSE(label->IsStapled());
    EXPECT_EQ(DocText(doc), before);
}
