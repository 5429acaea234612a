#include "DocTestSupport.h"

#include "core/Settings.h"
#include "core/UIMode.h"
#include "core/Units.h"
#include "document/DocCommands.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

class DocCommandsTest : public DocTest {
protected:
    void SetUp() override
    {
        DocTest::SetUp();
        g_nUIMode = 0;
        a = Fig(0);
        b = Fig(400);
    }
    void TearDown() override { g_nUIMode = 0; }
    CFigure* Fig(int x)
    {
        CFigure* f = NewFig(doc, x, 0, "box");   // text: never taken for a junction
        EXPECT_TRUE(doc.AddFigWithId(f));
        return f;
    }
    CConnector* Con()
    {
        CConnector* c = NewCon(doc, a, b);
        c->m_props.End1 = c->m_props.End2 = 0;
        EXPECT_TRUE(doc.AddConWithId(c));
        doc.AddConToSel(c, 2, false);
        return c;
    }
    // Runs the command and checks that one undo gives back the document.
    template <class Fn>
    void RunAndUndo(Fn fn)
    {
        const std::string before = State();
        fn();
        after = State();
        ASSERT_NE(after, before);
        doc.UndoLastStep();
        EXPECT_EQ(State(), before);
        fn();
    }
    std::string State() const
    {
        std::string out = Snapshot(doc);
        doc.ForEachConnector([&](CConnector* c) {
            const CConProps& p = c->m_props;
            out += std::to_string(p.End1) + "," + std::to_string(p.End2) + "," + std::to_string(p.End1Length) + "," +
                   std::to_string(p.End2Length) + "," + std::to_string(p.End1FillColor) + "," +
                   std::to_string(p.Behavior.low) + "," + std::to_string(p.PenStyle) + ";";
        });
        doc.ForEachFigure([&](CFigure* f) {
            out += std::to_string(f->m_props.BorderWidth) + "," + std::to_string(f->m_props.Shadow) + ";";
        });
        return out;
    }
    CFigure* a = nullptr;
    CFigure* b = nullptr;
    std::string after;
};

} // namespace

TEST_F(DocCommandsTest, TableHoldsEachIdOnce)
{
    std::set<int> ids;
    for (const DocCommand& c : DocCommandTable())
        EXPECT_TRUE(ids.insert(c.id).second) << c.id;
    EXPECT_STREQ(FindDocCommand(36550)->menuText, "&None");
    EXPECT_STREQ(FindDocCommand(32780)->menuText, "Fr&ont One\tCtrl+Plus");
    EXPECT_EQ(FindDocCommand(1), nullptr);
}

TEST_F(DocCommandsTest, ConnectorValuesGoToTheSelectionOrTheCurrentStyle)
{
    struct Case {
        int id;
        int32_t CConProps::*field;
        int value;
    };
    const Case cases[] = {
        {36540, &CConProps::LineWidth, 2}, {36543, &CConProps::LineWidth, 11},
        {36545, &CConProps::PenStyle, 2},  {36546, &CConProps::PenStyle, 1},
        {36549, &CConProps::PenStyle, 5},  {33060, &CConProps::End1Length, 36},
    };
    CConnector* c = Con();
    for (const Case& k : cases) {
        SCOPED_TRACE(k.id);
        c->m_props.*k.field = 99;
        RunAndUndo([&] { ASSERT_TRUE(OnConnectorCommand(doc, k.id)); });
        EXPECT_EQ(c->m_props.*k.field, k.value);
    }
    EXPECT_EQ(c->m_props.End2Length, 36);
    EXPECT_EQ(doc.m_nLastEndLen, 36);
    // The shape bits are replaced, the others kept.
    c->m_props.Behavior.low = 0x1a | 0x40;
    ASSERT_TRUE(OnConnectorCommand(doc, 33032));
    EXPECT_EQ(c->m_props.Behavior.low, DWORD(8 | 0x40));
    // In the connector-creation mode only the current style changes.
    g_nUIMode = 4;
    doc.m_bCurConStyleChanged = 1;
    ASSERT_TRUE(OnConnectorCommand(doc, 36542));
    EXPECT_EQ(doc.m_curConStyle.m_props.LineWidth, 5);
    EXPECT_EQ(doc.m_bCurConStyleChanged, 0);
    EXPECT_NE(c->m_props.LineWidth, 5);
    EXPECT_FALSE(OnConnectorCommand(doc, 12345));
}

// Every value of the command tables, written into the current styles of the
// creation modes (the connector shape under its bits, the rest of the flag
// words kept).
TEST_F(DocCommandsTest, EveryCommandValueReachesTheCurrentStyle)
{
    struct Case {
        int first;
        std::vector<int> values;
        int32_t CConProps::*field;   // null: the connector shape
    };
    const Case cases[] = {
        {36540, {2, 3, 5, 11}, &CConProps::LineWidth},
        {36544, {0, 2, 1, 3, 4, 5}, &CConProps::PenStyle},
        {33059, {18, 36, 53}, &CConProps::End1Length},
        {33030, {0, 2, 8, 16}, nullptr},
    };
    g_nUIMode = 4;
    const int savedLastEndLen = LastEndLen;
    CConProps& cur = doc.m_curConStyle.m_props;
    cur.Behavior.high = 0x77;
    for (const Case& k : cases)
        for (size_t i = 0; i < k.values.size(); ++i) {
            const int id = k.first + int(i);
            SCOPED_TRACE(id);
            cur.Behavior.low = 0x1a | 0x40;
            ASSERT_TRUE(OnConnectorCommand(doc, id));
            if (k.field) {
                EXPECT_EQ(cur.*k.field, k.values[i]);
            } else {
                EXPECT_EQ(cur.Behavior.low, DWORD(k.values[i] | 0x40));
                EXPECT_EQ(cur.Behavior.high, 0x77u);
            }
        }
    EXPECT_EQ(cur.End2Length, 53);
    EXPECT_EQ(doc.m_nLastEndLen, 53);
    EXPECT_EQ(LastEndLen, 53) << "the program's default length for new arrows too";
    LastEndLen = savedLastEndLen;
    g_nUIMode = 2;
    const int widths[] = {0, 2, 3, 5, 11};
    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(OnFigureLineCommand(doc, 36550 + i));
        EXPECT_EQ(doc.m_curFigStyle.m_props.BorderWidth, widths[i]) << 36550 + i;
    }
}

TEST_F(DocCommandsTest, ArrowsAreDecidedPerConnector)
{
    const int block = doc.m_endSymbols.FindByName("block");
    const int solid = doc.m_endSymbols.FindByName("block (solid)");
    ASSERT_GT(block, 0);
    doc.m_strLastEnd = "null";   // stands for "block"
    doc.m_nLastEndLen = 18;
    CConnector* plain = Con();
    CConnector* arrowed = Con();
    arrowed->m_props.End2 = solid;
    arrowed->m_props.End2FillColor = 0x0000FF;
    arrowed->m_props.End2Length = 53;
    // The arrowed connector is the first selected: the others still get theirs.
    doc.ClearSel(false);
    doc.AddConToSel(arrowed, 2, false);
    doc.AddConToSel(plain, 2, false);
    RunAndUndo([&] { OnArrowsCommand(doc, 33057); });
    EXPECT_EQ(plain->m_props.End2, block);
    EXPECT_EQ(plain->m_props.End2FillColor, 0xFFFFFFu);
    EXPECT_EQ(plain->m_props.End2Length, 18);
    EXPECT_EQ(arrowed->m_props.End2, solid);   // keeps its own symbol

    // Both ends: the new end copies the other end's fill and length.
    RunAndUndo([&] { OnArrowsCommand(doc, 33058); });
    EXPECT_EQ(arrowed->m_props.End1, block);
    EXPECT_EQ(arrowed->m_props.End1FillColor, 0x0000FFu);
    EXPECT_EQ(arrowed->m_props.End1Length, 53);
    RunAndUndo([&] { OnArrowsCommand(doc, 33056); });
    EXPECT_EQ(plain->m_props.End1, 0);
    EXPECT_EQ(arrowed->m_props.End2, 0);

    // A last end that no longer exists: nothing happens.
    doc.m_strLastEnd = "gone";
    const std::string before = State();
    OnArrowsCommand(doc, 33058);
    EXPECT_EQ(State(), before);
}

TEST_F(DocCommandsTest, FigureLineAndShadow)
{
    doc.AddFigToSel(a, 2, false);
    a->m_props.BorderWidth = 3;
    RunAndUndo([&] { OnFigureLineCommand(doc, 36550); });
    EXPECT_EQ(a->m_props.BorderWidth, 0);
    const std::string before = State();
    SetDropShadow(doc, a->m_props.Shadow == 0);
    SetDropShadow(doc, a->m_props.Shadow == 0);
    EXPECT_EQ(State(), before);
    g_nUIMode = 2;
    SetFigLineStyle(doc, 2);
    EXPECT_EQ(doc.m_curFigStyle.m_props.PenStyle, 2);
    EXPECT_NE(a->m_props.PenStyle, 2);
}

TEST_F(DocCommandsTest, EndSymbolsAndPickingAnEnd)
{
    CConnector* c = Con();
    c->m_props.Color = 0x00AA00;
    const int solid = doc.m_endSymbols.FindByName("block (solid)");
    const int hollow = doc.m_endSymbols.FindByName("block");
    RunAndUndo([&] { doc.SetConEndSymbol(c, 2, solid); });
    EXPECT_EQ(c->m_props.End2FillColor, 0x00AA00u);
    doc.SetConEndSymbol(c, 2, hollow);
    EXPECT_EQ(c->m_props.End2FillColor, 0xFFFFFFu);
    EXPECT_FALSE(doc.ChangeConEndSymbol(c, 2, 999));

    int end = 0;
    c->EndPoint1 = CPoint(0, 0);
    c->EndPoint2 = CPoint(100, 0);
    EXPECT_TRUE(doc.PickConEnd(c, CPoint(50, 0), end));
    EXPECT_EQ(end, 2);   // a tie
    EXPECT_TRUE(doc.PickConEnd(c, CPoint(10, 0), end));
    EXPECT_EQ(end, 1);
    EXPECT_FALSE(doc.PickConEnd(nullptr, CPoint(10, 0), end));
}

TEST_F(DocCommandsTest, LoopConnectorPoints)
{
    std::vector<POINT> pts;
    a->m_rect = CRect(0, 0, 400, 300);
    ASSERT_TRUE(CKavoDoc::MakeSelfRefPoints(a, 1, 104, pts));
    ASSERT_EQ(pts.size(), 9u);
    // Inset 104 * 6 / 13 = 48; the first offset (-24X, -104Y), X -1, Y 1.
    EXPECT_EQ(pts[1].x, 48 + 24);
    EXPECT_EQ(pts[1].y, 48 - 104);
    EXPECT_EQ(pts.front().x, pts.back().x);
    // The inset is capped at 8/20 of the smaller side; kinds 6 and 8 reversed.
    a->m_rect = CRect(0, 0, 200, 100);
    ASSERT_TRUE(CKavoDoc::MakeSelfRefPoints(a, 8, 1000, pts));
    EXPECT_EQ(pts[7].x, 200 - 40 + 1000 * -24 / 104);
    a->m_rect = CRect(0, 0, 400, 300);
    ASSERT_TRUE(CKavoDoc::MakeSelfRefPoints(a, 4, 104, pts));
    EXPECT_EQ(pts.size(), 8u);
    EXPECT_EQ(pts[1].x, 48 - 72);

    for (int kind : {0, 9})
        EXPECT_FALSE(CKavoDoc::MakeSelfRefPoints(a, kind, 104, pts));
    EXPECT_FALSE(CKavoDoc::MakeSelfRefPoints(a, 2, 0, pts));
    // A figure without width or height has no start to express.
    a->m_rect = CRect(0, 0, 0, 100);
    EXPECT_FALSE(CKavoDoc::MakeSelfRefPoints(a, 2, 104, pts));
    // A connection point already at the start refuses the loop.
    a->m_rect = CRect(0, 0, 400, 300);
    ASSERT_TRUE(CKavoDoc::MakeSelfRefPoints(a, 2, 104, pts));
    a->m_pConPts = std::make_unique<CConPtList>();
    int fx = 500, fy = 160;   // kind 2: the centre, 48 below the top
    ScaleIntPair2048(fx, fy);
    a->m_pConPts->AddConPt(CFltPoint{float(fx), float(fy)}, "", 0, true, 1);
    EXPECT_FALSE(CKavoDoc::MakeSelfRefPoints(a, 2, 104, pts));
}

TEST_F(DocCommandsTest, EnablingFollowsTheDocumentState)
{
    struct Case {
        int id;
        bool empty, figure, connector, conMode;   // enabled in each state
    };
    const Case cases[] = {
        {33072, true, true, true, true},   {57643, false, false, false, false},
        {33064, false, false, true, false}, {33027, false, true, true, false},
        {33029, true, true, true, true},    {33034, false, true, true, false},
        {36540, false, false, true, true},  {33057, false, false, true, true},
        {36550, false, true, false, false}, {32801, false, true, false, false},
        {32802, true, true, true, true},    {32804, false, false, false, false},
        {33062, false, false, true, false},
    };
    CConnector* c = Con();
    for (const Case& k : cases) {
        SCOPED_TRACE(k.id);
        doc.ClearSel(false);
        g_nUIMode = 0;
        EXPECT_EQ(GetDocCommandState(doc, k.id).enabled, k.empty);
        doc.AddFigToSel(a, 2, false);
        EXPECT_EQ(GetDocCommandState(doc, k.id).enabled, k.figure);
        doc.ClearSel(false);
        doc.AddConToSel(c, 2, false);
        EXPECT_EQ(GetDocCommandState(doc, k.id).enabled, k.connector);
        doc.ClearSel(false);
        g_nUIMode = 4;
        EXPECT_EQ(GetDocCommandState(doc, k.id).enabled, k.conMode);
    }
    // Checks show the value of the connector in view.
    g_nUIMode = 0;
    doc.AddConToSel(c, 2, false);
    c->m_props.LineWidth = 5;
    EXPECT_TRUE(GetDocCommandState(doc, 36542).checked);
    EXPECT_FALSE(GetDocCommandState(doc, 36541).checked);
    EXPECT_TRUE(GetDocCommandState(doc, 33056).checked);

    const int grid = doc.m_bShowGrid;
    OnToggleGrid(doc);
    EXPECT_NE(doc.m_bShowGrid, grid);
    EXPECT_EQ(GetDocCommandState(doc, 33072).checked, doc.m_bShowGrid != 0);
    EXPECT_EQ(ShowGrid, doc.m_bShowGrid);
    OnToggleSnap(doc);
    EXPECT_EQ(AlignToGrid, doc.m_bAlignToGrid);
}

// The arrow-size items read the end that has a symbol; with both ends both
// sizes must be the item's.
TEST_F(DocCommandsTest, ArrowSizeChecksReadTheEndsThatHaveSymbols)
{
    CConnector* c = Con();
    doc.ClearSel(false);
    doc.AddConToSel(c, 2, false);
    struct Case {
        int end1, end2, len1, len2;
        bool small, medium;
    } cases[] = {
        {0, 3, 53, 18, true, false},   // second end only: its size
        {3, 0, 36, 18, false, true},   // first end only: its size
        {3, 3, 18, 18, true, false},   // both, equal
        {3, 3, 18, 36, false, false},  // both, different: none
        {0, 0, 36, 36, false, true},   // no symbols: the second end's size
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << k.end1 << " " << k.end2 << " " << k.len1 << " " << k.len2);
        c->m_props.End1 = k.end1;
        c->m_props.End2 = k.end2;
        c->m_props.End1Length = k.len1;
        c->m_props.End2Length = k.len2;
        EXPECT_EQ(GetDocCommandState(doc, 33059).checked, k.small);
        EXPECT_EQ(GetDocCommandState(doc, 33060).checked, k.medium);
        EXPECT_FALSE(GetDocCommandState(doc, 33061).checked);
    }
}
