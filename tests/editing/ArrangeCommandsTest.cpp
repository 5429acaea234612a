// Align, Space Evenly and Center on Page against hand-worked positions, each
// one undo step that takes the document back to its saved text.
#include "document/EditScenarioSupport.h"

#include "document/ArrangeUnits.h"
#include "document/PageLayout.h"
#include "editing/ArrangeCommands.h"
#include "editing/MoveContext.h"
#include "fileformat/DiagramRecordWriter.h"
#include "keyword/KeywordStreams.h"
#include "undo/UndoCodes.h"

#include <vector>

namespace {
std::string DocText(CKavoDoc& doc)
{
    CStringKeywordSink sink;
    CKeywordWriter w(sink);
    EXPECT_TRUE(WriteDiagramText(w, doc, {}));
    return sink.text;
}

struct Box {
    int x, y, w, h;
};

class ArrangeTest : public DocTest {
protected:
    void SetUp() override
    {
        DocTest::SetUp();
        InstallMoveContext();
        doc.m_bAlignToGrid = 0;
    }
    // Boxes selected in the order given.
    std::vector<CFigure*> AddBoxes(const std::vector<Box>& boxes)
    {
        std::vector<CFigure*> figs;
        for (const Box& b : boxes)
            figs.push_back(AddTextFig(doc, b.x, b.y, b.w, b.h));
        return figs;
    }
    void SelectInOrder(const std::vector<CFigure*>& figs)
    {
        doc.ClearSelection();
        for (CFigure* f : figs)
            doc.SelectObj(f, 2, 0, 0);
    }
    void Begin()
    {
        doc.ResetUndoLog();
        saved = DocText(doc);
    }
    // One step of the code, whose undo gives the saved text back.
    void ExpectOneStepUndone(int code)
    {
        ASSERT_EQ(doc.UndoLogRef().GetLastUndoStepCode(), code);
        doc.UndoLastStep();
        EXPECT_EQ(DocText(doc), saved);
        EXPECT_FALSE(doc.CanUndo());
    }
    static std::vector<POINT> Corners(const std::vector<CFigure*>& figs)
    {
        std::vector<POINT> out;
        for (const CFigure* f : figs)
            out.push_back(f->m_rect.TopLeft());
        return out;
    }
    std::string saved;
};

std::string Str(const std::vector<POINT>& pts)
{
    std::string s;
    for (const POINT& p : pts)
        s += Pt(p);
    return s;
}
} // namespace

// Three boxes selected A, B, C: C (the last selected) is the reference.
TEST_F(ArrangeTest, AlignMovesTheOthersToTheLastSelected)
{
    struct Case {
        int type;
        std::vector<POINT> want;   // top-left corners of A, B, C
    };
    // A 200x100 at (0,0), B 100x50 at (500,300), C 300x200 at (1000,600).
    const Case cases[] = {
        {0, {{1000, 0}, {1000, 300}, {1000, 600}}},
        {1, {{1050, 0}, {1100, 300}, {1000, 600}}},
        {2, {{1100, 0}, {1200, 300}, {1000, 600}}},
        {3, {{0, 600}, {500, 600}, {1000, 600}}},
        {4, {{0, 650}, {500, 675}, {1000, 600}}},
        {5, {{0, 700}, {500, 750}, {1000, 600}}},
    };
    const std::vector<CFigure*> figs = AddBoxes({{0, 0, 200, 100}, {500, 300, 100, 50}, {1000, 600, 300, 200}});
    for (const Case& c : cases) {
        SelectInOrder(figs);
        Begin();
        EXPECT_EQ(OnArrangeCommand(doc, 33190 + c.type), true);
        EXPECT_EQ(Str(Corners(figs)), Str(c.want)) << "type " << c.type;
        ExpectOneStepUndone(UDMAC_ALIGN);
    }
}

TEST_F(ArrangeTest, AlignToAGroupMovesNoOtherMemberAndLeavesAttachedConnectors)
{
    const std::vector<CFigure*> figs = AddBoxes({{0, 0, 200, 100}, {400, 500, 200, 100}, {1000, 200, 100, 100}});
    CConnector* attached = AddConBetween(doc, figs[0], nullptr);
    attached->EndPoint2 = CPoint(100, 900);
    SelectInOrder({figs[1], figs[2]});
    doc.OnGroup();   // B and C grouped: box (400,200)-(1100,600)
    doc.ClearSelection();
    doc.SelectObj(attached, 2, 0, 0);
    doc.SelectObj(figs[0], 2, 0, 0);
    doc.SelectObj(figs[1], 2, 0, 0);
    Begin();
    ASSERT_EQ(ArrangeAlign(doc, 0), 1) << "only A moves";
    EXPECT_EQ(Str(Corners(figs)), "(400,0)(400,500)(1000,200)");
    ExpectOneStepUndone(UDMAC_ALIGN);
}

TEST_F(ArrangeTest, SpaceEvenlyPlacesUnitsByTheirKeys)
{
    struct Case {
        int command;
        std::vector<Box> boxes;      // selected in this order
        std::vector<POINT> want;
    };
    const Case cases[] = {
        // Centres 100, 400, 1100 -> 100, 600, 1100.
        {40013, {{0, 0, 200, 100}, {300, 0, 200, 100}, {1000, 0, 200, 100}}, {{0, 0}, {500, 0}, {1000, 0}}},
        // Selection order does not matter: the smallest key goes first.
        {40014, {{1000, 0, 200, 100}, {0, 0, 200, 100}, {300, 0, 50, 100}}, {{1000, 0}, {0, 0}, {500, 0}}},
        // Right edges 200, 600, 1300 -> 200, 750, 1300.
        {40015, {{0, 0, 200, 100}, {500, 0, 100, 100}, {1000, 0, 300, 100}}, {{0, 0}, {650, 0}, {1000, 0}}},
        // Equal gaps: widths 200+100+300 in 1300 leave two gaps of 350.
        {40016, {{0, 0, 200, 100}, {250, 0, 100, 100}, {1000, 0, 300, 100}}, {{0, 0}, {550, 0}, {1000, 0}}},
        // Already even: nothing moves.
        {40018, {{0, 0, 100, 100}, {0, 500, 100, 100}, {0, 1000, 100, 100}}, {{0, 0}, {0, 500}, {0, 1000}}},
        // Bottom edges 100, 300, 1000 -> 100, 550, 1000.
        {40019, {{0, 0, 100, 100}, {0, 200, 100, 100}, {0, 900, 100, 100}}, {{0, 0}, {0, 450}, {0, 900}}},
        // Equal vertical gaps: heights 100+200+100 in 1000 leave two of 300.
        {40020, {{0, 0, 100, 100}, {0, 150, 100, 200}, {0, 900, 100, 100}}, {{0, 0}, {0, 400}, {0, 900}}},
        // Keys past 16000 units are placed too.
        {40014, {{15000, 0, 200, 100}, {15400, 0, 200, 100}, {16200, 0, 200, 100}},
         {{15000, 0}, {15600, 0}, {16200, 0}}},
    };
    doc.m_rcWorkSpace = CRect(-32000, -32000, 32000, 32000);
    for (const Case& c : cases) {
        doc.DeleteContents();
        ASSERT_TRUE(doc.OnNewDocument());
        doc.m_bAlignToGrid = 0;
        doc.m_rcWorkSpace = CRect(-32000, -32000, 32000, 32000);
        const std::vector<CFigure*> figs = AddBoxes(c.boxes);
        SelectInOrder(figs);
        Begin();
        ASSERT_TRUE(OnArrangeCommand(doc, c.command));
        EXPECT_EQ(Str(Corners(figs)), Str(c.want)) << "command " << c.command;
        ExpectOneStepUndone(UDMAC_SPACEEVEN);
    }
}

TEST_F(ArrangeTest, SpaceEvenlyRoundsToTheGridButNotTheGaps)
{
    doc.m_bAlignToGrid = 1;
    doc.m_nSnapX = doc.m_nSnapY = 64;
    // Lefts 0, 300, 1000: the step 500 rounds to 512, the targets 0, 512, 1024.
    const std::vector<CFigure*> figs = AddBoxes({{0, 0, 100, 100}, {300, 0, 100, 100}, {1000, 0, 100, 100}});
    SelectInOrder(figs);
    Begin();
    ArrangeSpaceEvenly(doc, 2, 0);
    EXPECT_EQ(Str(Corners(figs)), "(0,0)(512,0)(1024,0)");
    ExpectOneStepUndone(UDMAC_SPACEEVEN);
    // Spacing: (1100 - 300 - 0) / 2 = 400 stays 400.
    Begin();
    ArrangeSpaceEvenly(doc, 4, 0);
    EXPECT_EQ(Str(Corners(figs)), "(0,0)(500,0)(1000,0)");
    ExpectOneStepUndone(UDMAC_SPACEEVEN);
}

TEST_F(ArrangeTest, SpaceEvenlyNeedsThreeUnits)
{
    const std::vector<CFigure*> figs = AddBoxes({{0, 0, 100, 100}, {300, 0, 100, 100}});
    SelectInOrder(figs);
    Begin();
    ArrangeSpaceEvenly(doc, 1, 0);
    EXPECT_EQ(Str(Corners(figs)), "(0,0)(300,0)");
    ArrangeSpaceEvenly(doc, 9, 4);   // both kinds out of range
    EXPECT_EQ(DocText(doc), saved);
}

TEST_F(ArrangeTest, CenterOnPage)
{
    CRect page;
    GetPageAreaRect(doc, page);
    const CPoint pc = page.CenterPoint();
    const std::vector<CFigure*> figs = AddBoxes({{0, 0, 200, 100}, {400, 300, 200, 100}});
    // The selection's box (0,0)-(600,400) has its centre at (300,200).
    const POINT want[3][2] = {{{pc.x - 300, 0}, {pc.x + 100, 300}},
                              {{0, pc.y - 200}, {400, pc.y + 100}},
                              {{pc.x - 300, pc.y - 200}, {pc.x + 100, pc.y + 100}}};
    for (int mode = 0; mode < 3; ++mode) {
        SelectInOrder(figs);
        Begin();
        ASSERT_TRUE(OnArrangeCommand(doc, 40010 + mode));
        EXPECT_EQ(Str(Corners(figs)), Str({want[mode][0], want[mode][1]})) << "mode " << mode;
        ExpectOneStepUndone(UDMAC_CENTERPG);
    }
    // Already centred: the step is logged all the same and changes nothing.
    SelectInOrder(figs);
    ArrangeCenterOnPage(doc, 2);
    Begin();
    ArrangeCenterOnPage(doc, 2);
    EXPECT_EQ(DocText(doc), saved);
    EXPECT_EQ(doc.UndoLogRef().GetLastUndoStepCode(), UDMAC_CENTERPG);
}

// Snapping to the grid moves the selection by whole grid steps, to the
// step nearest the page's centre.
TEST_F(ArrangeTest, CenterOnPageMovesByWholeGridStepsWhenSnapping)
{
    doc.m_bAlignToGrid = 1;
    doc.m_nSnapX = doc.m_nSnapY = 48;
    CRect page;
    GetPageAreaRect(doc, page);
    const CPoint pc = page.CenterPoint();
    const std::vector<CFigure*> figs = AddBoxes({{5, 7, 200, 100}, {405, 307, 200, 100}});
    SelectInOrder(figs);
    Begin();
    ArrangeCenterOnPage(doc, 2);
    const CPoint moved(figs[0]->m_rect.left - 5, figs[0]->m_rect.top - 7);
    EXPECT_EQ(moved.x % 48, 0) << moved.x;
    EXPECT_EQ(moved.y % 48, 0) << moved.y;
    const CPoint centre = doc.GetObjSetRect(1, 0, 0, nullptr, false).CenterPoint();
    EXPECT_LE(std::abs(centre.x - pc.x), 24);
    EXPECT_LE(std::abs(centre.y - pc.y), 24);
    ExpectOneStepUndone(UDMAC_CENTERPG);
}

TEST_F(ArrangeTest, AConnectorLabelSlidesAlongItsConnector)
{
    CConnector* con = AddFreeCon(doc, CPoint(0, 1000), CPoint(3000, 1000));
    CFigure* label = AddTextFig(doc, 400, 950, 200, 100, "L");
    label->m_bLabel = 1;
    ASSERT_NE(doc.CreateConLblStaple(con, label->m_rect.CenterPoint(), label), nullptr);
    doc.UpdateAllStaples(0);
    CFigure* x = AddTextFig(doc, 2000, 0, 200, 100, "X");
    SelectInOrder({label, x});
    Begin();
    ASSERT_EQ(ArrangeAlign(doc, 1), 1);
    // Positions along a connector are kept in 255 steps.
    const int step = 3000 / 255 + 1;
    EXPECT_NEAR(label->m_rect.CenterPoint().x, 2100, step);
    EXPECT_NEAR(label->m_rect.CenterPoint().y, 1000, 2) << "still on its connector";
    EXPECT_EQ(con->EndPoint1, CPoint(0, 1000));
    EXPECT_EQ(con->EndPoint2, CPoint(3000, 1000));
    ExpectOneStepUndone(UDMAC_ALIGN);

    // With its (free) connector selected too, the label is no unit of its
    // own: it follows the connector, whose centre goes to 2100.
    SelectInOrder({label, x});
    doc.SelectObj(con, 2, 0, 0);
    doc.SelectObj(x, 3, 0, 0);
    doc.SelectObj(x, 2, 0, 0);
    Begin();
    ASSERT_EQ(ArrangeAlign(doc, 1), 1);
    EXPECT_EQ(con->EndPoint1, CPoint(600, 1000));
    EXPECT_NEAR(label->m_rect.CenterPoint().x, 1100, step);
    ExpectOneStepUndone(UDMAC_ALIGN);
}

// A lateral label slides along its connector and keeps its side, whatever
// the reference lies beyond: one above a line stays above it, one below
// stays below. Along a horizontal line a vertical alignment slides it
// nowhere.
TEST_F(ArrangeTest, ALateralLabelSlidesAndKeepsItsSide)
{
    for (const int side : {1, -1}) {
        for (const int type : {1, 3, 5}) {
            doc.DeleteContents();
            ASSERT_TRUE(doc.OnNewDocument());
            doc.m_bAlignToGrid = 0;
            CConnector* con = AddFreeCon(doc, CPoint(0, 1000), CPoint(3000, 1000));
            CFigure* label = AddTextFig(doc, 400, 800, 200, 100, "L");
            label->m_bLabel = 1;
            ASSERT_NE(doc.StapleLblAsLatLbl(label, con, CPoint(500, 1000), side * 40, 0), nullptr);
            doc.UpdateAllStaples(0);
            const CRect before = label->m_rect;
            ASSERT_EQ(before.bottom <= 1000, side > 0) << "placed on the side asked";
            // The reference lies beyond the line from a label above it
            // (and before the line from one below it).
            CFigure* x = AddTextFig(doc, 2000, side > 0 ? 2000 : 0, 200, 100, "X");
            SelectInOrder({label, x});
            Begin();
            ArrangeAlign(doc, type);
            const std::string where = "side " + std::to_string(side) + " type " + std::to_string(type);
            // Positions along a connector are kept in 255 steps.
            const int wantX = type == 1 ? 2100 : before.CenterPoint().x;
            EXPECT_NEAR(label->m_rect.CenterPoint().x, wantX, 3000 / 255 + 1) << where;
            EXPECT_EQ(label->m_rect.top, before.top) << where;
            EXPECT_EQ(con->EndPoint1, CPoint(0, 1000));
            EXPECT_EQ(con->EndPoint2, CPoint(3000, 1000));
            doc.UndoLastStep();
            EXPECT_EQ(DocText(doc), saved) << where;
        }
    }
}

// Align needs two units: a connector attached to a figure is none, so a
// figure with its attached connector selected last moves nowhere.
TEST_F(ArrangeTest, AnAttachedConnectorIsNoUnit)
{
    const std::vector<CFigure*> figs = AddBoxes({{0, 0, 200, 100}});
    CConnector* attached = AddConBetween(doc, figs[0], nullptr);
    attached->EndPoint2 = CPoint(900, 900);
    doc.ClearSelection();
    doc.SelectObj(figs[0], 2, 0, 0);
    doc.SelectObj(attached, 2, 0, 0);
    EXPECT_EQ(CountArrangeUnits(doc, true, true), 1);
    Begin();
    for (int type = 0; type < 6; ++type) {
        EXPECT_EQ(ArrangeAlign(doc, type), 0) << type;
        EXPECT_EQ(Str(Corners(figs)), "(0,0)") << type;
    }
}

// Of two units with the same key, the one selected first is placed first:
// it stays at the smallest key and the other takes the next place.
TEST_F(ArrangeTest, SpaceEvenlyTieGoesToTheFirstSelected)
{
    // A and B share the left edge 0; selected B, A, C.
    const std::vector<CFigure*> figs = AddBoxes({{0, 0, 100, 100}, {0, 300, 100, 100}, {900, 600, 100, 100}});
    SelectInOrder({figs[1], figs[0], figs[2]});
    Begin();
    ArrangeSpaceEvenly(doc, 2, 0);
    EXPECT_EQ(Str(Corners(figs)), "(450,0)(0,300)(900,600)");
    ExpectOneStepUndone(UDMAC_SPACEEVEN);
    // The same vertically: A and B share the top 0; selected B, A, C.
    const std::vector<CFigure*> col = AddBoxes({{2000, 0, 100, 100}, {2300, 0, 100, 100}, {2600, 900, 100, 100}});
    SelectInOrder({col[1], col[0], col[2]});
    Begin();
    ArrangeSpaceEvenly(doc, 0, 6);
    EXPECT_EQ(Str(Corners(col)), "(2000,450)(2300,0)(2600,900)");
    ExpectOneStepUndone(UDMAC_SPACEEVEN);
}

// A label pinned to its figure is no unit of Space Evenly: it follows its
// figure, and the figures are spaced as if it were not selected.
TEST_F(ArrangeTest, SpaceEvenlyLeavesPinnedLabelsToTheirFigures)
{
    const std::vector<CFigure*> figs = AddBoxes({{0, 0, 200, 100}, {300, 0, 200, 100}, {1000, 0, 200, 100}});
    CFigure* label = AddTextFig(doc, 300, 1000, 60, 40, "L");
    label->m_bLabel = 1;
    ASSERT_NE(doc.StapleLblAsFigLbl(label, figs[1], 8), nullptr);
    doc.UpdateAllStaples(0);
    const CPoint fromFig(label->m_rect.left - figs[1]->m_rect.left, label->m_rect.top - figs[1]->m_rect.top);
    SelectInOrder({figs[0], label, figs[1], figs[2]});
    Begin();
    ArrangeSpaceEvenly(doc, 1, 0);
    // Centres 100, 400, 1100 -> 100, 600, 1100.
    EXPECT_EQ(Str(Corners(figs)), "(0,0)(500,0)(1000,0)");
    EXPECT_EQ(Pt(CPoint(label->m_rect.left - figs[1]->m_rect.left, label->m_rect.top - figs[1]->m_rect.top)),
              Pt(fromFig));
    ExpectOneStepUndone(UDMAC_SPACEEVEN);
}

// Snapping centres by whole steps of each axis's own grid.
TEST_F(ArrangeTest, CenterOnPageRoundsEachAxisByItsOwnGridStep)
{
    doc.m_bAlignToGrid = 1;
    doc.m_nSnapX = 40;
    doc.m_nSnapY = 64;
    CRect page;
    GetPageAreaRect(doc, page);
    const CPoint pc = page.CenterPoint();
    const std::vector<CFigure*> figs = AddBoxes({{5, 7, 200, 100}, {405, 307, 200, 100}});
    SelectInOrder(figs);
    Begin();
    ArrangeCenterOnPage(doc, 2);
    const CPoint moved(figs[0]->m_rect.left - 5, figs[0]->m_rect.top - 7);
    const CPoint centre = doc.GetObjSetRect(1, 0, 0, nullptr, false).CenterPoint();
    EXPECT_EQ(moved.x % 40, 0) << moved.x;
    EXPECT_EQ(moved.y % 64, 0) << moved.y;
    EXPECT_LE(std::abs(centre.x - pc.x), 20) << pc.x;
    EXPECT_LE(std::abs(centre.y - pc.y), 32) << pc.y;
    ExpectOneStepUndone(UDMAC_CENTERPG);
}

// The units Align (labels and loose connector labels taken) and Space Evenly
// (labels taken, connector labels not) count: a figure label follows its
// figure, a connector label its connector when that is selected too, a
// free label is a unit of its own and an attached connector none.
TEST_F(ArrangeTest, LabelsCountAsUnitsByTheirKind)
{
    const std::vector<CFigure*> figs = AddBoxes({{0, 0, 200, 100}, {600, 0, 200, 100}});
    CFigure* figLabel = AddTextFig(doc, 0, 200, 60, 40, "F");
    figLabel->m_bLabel = 1;
    ASSERT_NE(doc.StapleLblAsFigLbl(figLabel, figs[0], 8), nullptr);
    CFigure* freeLabel = AddTextFig(doc, 1000, 1000, 60, 40, "L");
    freeLabel->m_bLabel = 1;
    CConnector* con = AddFreeCon(doc, CPoint(0, 2000), CPoint(3000, 2000));
    CFigure* conLabel = AddTextFig(doc, 400, 1950, 200, 100, "C");
    conLabel->m_bLabel = 1;
    ASSERT_NE(doc.CreateConLblStaple(con, conLabel->m_rect.CenterPoint(), conLabel), nullptr);
    CConnector* attached = AddConBetween(doc, figs[0], figs[1]);
    doc.UpdateAllStaples(0);
    const struct {
        const char* name;
        std::vector<CDiagObj*> sel;
        int align, space;
    } cases[] = {
        {"a figure and its figure label", {figs[0], figLabel}, 1, 1},
        {"a figure and a free label", {figs[0], freeLabel}, 2, 2},
        {"a connector label without its connector", {figs[0], conLabel}, 2, 1},
        {"a connector label with its connector", {figs[0], conLabel, con}, 2, 2},
        {"an attached connector", {figs[0], figs[1], attached}, 2, 2},
    };
    for (const auto& c : cases) {
        doc.ClearSelection();
        for (CDiagObj* o : c.sel)
            doc.SelectObj(o, 2, 0, 0);
        EXPECT_EQ(CountArrangeUnits(doc, true, true), c.align) << c.name;
        EXPECT_EQ(CountArrangeUnits(doc, true, false), c.space) << c.name;
    }
    // Align of a figure with its own figure label moves nothing.
    doc.ClearSelection();
    doc.SelectObj(figs[1], 2, 0, 0);
    doc.SelectObj(figLabel, 2, 0, 0);
    doc.SelectObj(figs[0], 2, 0, 0);
    Begin();
    EXPECT_EQ(ArrangeAlign(doc, 0), 1) << "only B is a unit besides A";
    EXPECT_EQ(Str(Corners(figs)), "(0,0)(0,0)");
}

// A kind outside its axis's range counts as none: with both none, nothing
// moves and no step is logged, however many units are selected.
TEST_F(ArrangeTest, SpaceEvenlyKindsOutsideTheirAxisDoNothing)
{
    const std::vector<CFigure*> figs = AddBoxes({{0, 0, 100, 100}, {300, 200, 100, 100}, {1000, 900, 100, 100}});
    SelectInOrder(figs);
    Begin();
    const int kinds[][2] = {{5, 0}, {-1, 0}, {0, 4}, {0, 1}, {0, 9}, {9, 4}};
    for (const auto& k : kinds) {
        ArrangeSpaceEvenly(doc, k[0], k[1]);
        EXPECT_EQ(DocText(doc), saved) << k[0] << "," << k[1];
        EXPECT_FALSE(doc.CanUndo()) << k[0] << "," << k[1];
    }
}
