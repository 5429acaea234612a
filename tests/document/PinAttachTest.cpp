// Placed figures and their hosts: the host search with its tie-breaks, the
// link made or renewed, the nudge along the host's side and Detach.
#include "common/DiagramFixture.h"
#include "document/AttachKinds.h"
#include "document/CStaple.h"
#include "shapes/FigFlags.h"
#include "undo/UndoCodes.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {

struct PinAttachTest : testing::Test {
    // A figure whose symbol has the stock name (its kind comes from it).
    CFigure* Add(const std::string& symbolName, const CRect& rc)
    {
        int& index = symbols[symbolName];
        if (index == 0) {
            SymbolBuilder b;
            b.Fill([](COutlineWriter& w) { w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048)); });
            b.Outline([](COutlineWriter& w) { w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048)); });
            b.sym.m_strName = symbolName;
            index = fx.doc.m_figSymbols.AddOrReplace(&b.sym) + 1;
        }
        CFigProps props;
        props.Symbol = index - 1;
        auto* fig = new CFigure(rc.left, rc.top, rc.Height(), rc.Width(), props, -1, 0, "", "",
                                CFigure::CreateArgs(), &fx.doc);
        fx.doc.AddFigWithId(fig);
        return fig;
    }
    CFigure* Host(const std::string& name = "package") { return Add(name, CRect(1000, 1000, 3000, 2000)); }
    CFigure* FindHost(const CFigure* placed, int& rowId, int& distance)
    {
        const AttachKind* row = nullptr;
        CFigure* host = fx.doc.FindPinHost(placed->m_rect, placed, &row, 0, distance, -1, -1);
        rowId = row ? row->id : -1;
        return host;
    }

    DiagramFixture fx;
    std::map<std::string, int> symbols;   // index + 1
};

TEST_F(PinAttachTest, StockKindsComeFromTheSymbolNames)
{
    EXPECT_EQ(GetPinKind(Add("port", CRect(0, 0, 200, 200))), 11);
    EXPECT_EQ(GetPinKind(Add("package", CRect(0, 0, 200, 200))), -1);
    EXPECT_EQ(GetPinKind(Add("seq lifeline", CRect(0, 0, 200, 200))), 68);   // row 28's family
    EXPECT_EQ(GetPinKind(nullptr), -1);
}

// Across the border the outline row and the inside row move the port as far;
// the earlier row wins.
TEST_F(PinAttachTest, PortAcrossTheBorderTiesToTheOutlineRow)
{
    CFigure* host = Host();
    CFigure* port = Add("port", CRect(2850, 1400, 3050, 1600));
    int row = 0, distance = -1;
    EXPECT_EQ(FindHost(port, row, distance), host);
    EXPECT_EQ(row, 1);
    EXPECT_EQ(distance, 50);
}

TEST_F(PinAttachTest, PortWhollyInsideGoesAgainstASide)
{
    CFigure* host = Host();
    CFigure* port = Add("port", CRect(2600, 1400, 2800, 1600));
    int row = 0, distance = -1;
    EXPECT_EQ(FindHost(port, row, distance), host);
    EXPECT_EQ(row, 4);
    EXPECT_EQ(distance, 200);
}

TEST_F(PinAttachTest, FrontMostHostWinsATie)
{
    Host();
    CFigure* front = Add("package", CRect(3100, 1000, 5100, 2000));
    CFigure* port = Add("port", CRect(2950, 1400, 3150, 1600));
    int row = 0, distance = -1;
    EXPECT_EQ(FindHost(port, row, distance), front);
    EXPECT_EQ(distance, 50);
}

TEST_F(PinAttachTest, MarginAndGreatestDistanceLimitTheSearch)
{
    Host();
    CFigure* port = Add("port", CRect(3200, 1400, 3400, 1600));   // 300 away by the outline rule
    const AttachKind* row = nullptr;
    int distance = -1;
    EXPECT_FALSE(fx.doc.FindPinHost(port->m_rect, port, &row, 0, distance, 50, -1));
    EXPECT_TRUE(fx.doc.FindPinHost(port->m_rect, port, &row, 0, distance, 300, -1));
    EXPECT_FALSE(fx.doc.FindPinHost(port->m_rect, port, &row, 0, distance, 300, 299));
    EXPECT_EQ(distance, 0);
}

TEST_F(PinAttachTest, AHostUnderAnotherFigureAtTheAnchorIsRefused)
{
    Host();
    CFigure* port = Add("port", CRect(2850, 1400, 3050, 1600));
    fx.AddBox(2900, 1450, 200, 100, "");   // in front, over the anchor (3000, 1500)
    int row = 0, distance = -1;
    EXPECT_FALSE(FindHost(port, row, distance));
}

TEST_F(PinAttachTest, TallerThanEveryHostSnapsToNone)
{
    Host();
    CFigure* tall = Add("complex port vert", CRect(2900, 900, 3100, 2100));
    int row = 0, distance = -1;
    EXPECT_FALSE(FindHost(tall, row, distance));
}

TEST_F(PinAttachTest, NewLinkAnchorsThePlacedPositionAndUndoes)
{
    CFigure* host = Host();
    CFigure* port = Add("port", CRect(2900, 1400, 3100, 1600));
    fx.doc.ResetUndoLog();
    fx.doc.UndoBeginStep(UDMAC_CREATEPORT);
    CStaple* link = fx.doc.PinFigToHost(port, host, 1);
    fx.doc.UndoEndStep();
    ASSERT_TRUE(link);
    EXPECT_EQ(link->m_nType, kStapleFigLink);
    EXPECT_EQ(link->m_pFig1, host);
    EXPECT_EQ(link->m_pFig2, port);
    EXPECT_EQ(link->PinType, 1);
    EXPECT_EQ(link->Fig1PosX, 255);
    EXPECT_EQ(link->Fig1PosY, 128);   // 500 of 1000, rounded half up
    EXPECT_EQ(link->Fig2PosX, 128);
    EXPECT_EQ(link->OffsetX, 0);
    EXPECT_TRUE(fx.doc.IsPinned(port, false));
    EXPECT_TRUE(fx.doc.IsPinnedOn(port, host));
    EXPECT_TRUE(fx.doc.HostHasPinOfKind(host, 11));
    EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_CREATEPORT);
    EXPECT_EQ(fx.doc.m_pStapleList->GetCount(), 0);
    EXPECT_FALSE(fx.doc.IsPinned(port, true));
}

TEST_F(PinAttachTest, RenewingKeepsOneLink)
{
    CFigure* host = Host();
    CFigure* port = Add("port", CRect(2900, 1400, 3100, 1600));
    ASSERT_TRUE(fx.doc.PinFigToHost(port, host, 1));
    port->SetRectNoUndo(CRect(2900, 1100, 3100, 1300));
    CStaple* renewed = fx.doc.PinFigToHost(port, host, 1);
    ASSERT_TRUE(renewed);
    EXPECT_EQ(fx.doc.m_pStapleList->GetCount(), 1);
    EXPECT_EQ(renewed->Fig1PosY, 51);   // 200 of 1000
}

TEST_F(PinAttachTest, RefusedPairsMakeNoLink)
{
    CFigure* host = Host();
    CFigure* port = Add("port", CRect(2900, 1400, 3100, 1600));
    EXPECT_FALSE(fx.doc.PinFigToHost(port, host, 8));   // a qualifier's row
    EXPECT_FALSE(fx.doc.PinFigToHost(port, host, 99));
    EXPECT_FALSE(fx.doc.PinFigToHost(port, port, 1));
    EXPECT_FALSE(fx.doc.PinFigToHost(nullptr, host, 1));
    EXPECT_EQ(fx.doc.m_pStapleList->GetCount(), 0);
}

// A lifeline hung under a class is stored as the class standing on it.
TEST_F(PinAttachTest, MirroredRowStoresTheOtherWayRound)
{
    CFigure* cls = Add("class/object", CRect(1000, 1000, 1600, 1300));
    CFigure* line = Add("seq lifeline", CRect(1250, 1300, 1350, 3000));
    CStaple* link = fx.doc.PinFigToHost(line, cls, 28);
    ASSERT_TRUE(link);
    EXPECT_EQ(link->m_pFig1, line);
    EXPECT_EQ(link->m_pFig2, cls);
    EXPECT_EQ(link->PinType, 27);
    EXPECT_EQ(link->Fig1PosY, 0);
    EXPECT_EQ(link->Fig2PosY, 255);
    // Two-way: both ends count as pinned, and the handles that touch are
    // not offered.
    EXPECT_TRUE(fx.doc.IsPinned(line, true));
    EXPECT_FALSE(fx.doc.IsPinned(line, false));
    EXPECT_EQ(cls->GetTwoWayLinkKind(), FindAttachKindById(27));
    const AttachKind* row = FindAttachKindById(27);
    EXPECT_TRUE(row->IsTouchingHandle(cls, 8));
    EXPECT_FALSE(row->IsTouchingHandle(cls, 2));
    EXPECT_TRUE(row->IsTouchingHandle(line, 2));
    EXPECT_FALSE(FindAttachKindById(1)->IsTouchingHandle(cls, 2));
}

TEST_F(PinAttachTest, SingleRowsTakeOneNameTabPerHost)
{
    CFigure* state = Add("state", CRect(1000, 1000, 3000, 2000));
    CFigure* tab = Add("name tab", CRect(1200, 800, 1600, 1000));
    const WORD format = tab->m_props.TextFormat;
    ASSERT_TRUE(fx.doc.PinFigToHost(tab, state, 23));
    CFigure* second = Add("name tab", CRect(2000, 800, 2400, 1000));
    int row = 0, distance = -1;
    EXPECT_FALSE(FindHost(second, row, distance));
    // The pinned one is not snapped again by its single row either.
    EXPECT_FALSE(FindHost(tab, row, distance));
    // A name tab keeps its own text alignment.
    EXPECT_EQ(tab->m_props.TextFormat, format);
}

// A qualifier beside its class, centred (side code 5), slides only along
// the class's side and not past its top or bottom.
TEST_F(PinAttachTest, NudgeSlidesAlongTheHostSide)
{
    CFigure* cls = Add("class/object", CRect(1000, 1000, 3000, 2000));
    CFigure* qual = Add("qualifier", CRect(3000, 1400, 3200, 1600));
    CStaple* link = fx.doc.PinFigToHost(qual, cls, 8);
    ASSERT_TRUE(link);
    ASSERT_EQ(link->GetSideCode(), 5);
    // Left aligned, in the middle: the text faces the class.
    EXPECT_EQ(qual->m_props.TextFormat & 0x77, 4 | 32);
    struct Case {
        int dx, dy, wantDx, wantDy;
    };
    for (const Case c : {Case{30, -100, 0, -100}, Case{0, -500, 0, -400}, Case{-20, 700, 0, 400}, Case{5, 0, 0, 0}}) {
        int dx = c.dx, dy = c.dy, rowId = 0;
        CFigure* host = nullptr;
        EXPECT_EQ(fx.doc.LimitPinMove(qual, dx, dy, &host, rowId), 1);
        EXPECT_EQ(host, cls);
        EXPECT_EQ(rowId, 8);
        EXPECT_EQ(dx, c.wantDx);
        EXPECT_EQ(dy, c.wantDy);
    }
    int dx = 10, dy = 10, rowId = 0;
    EXPECT_EQ(fx.doc.LimitPinMove(cls, dx, dy, nullptr, rowId), 0);   // not pinned
}

// Every side code limits the nudge its own way: across the side nothing,
// along it up to the host's ends, towards the host's inside corner nothing;
// an unknown side leaves the offsets alone. The host is (1000, 1000, 3000,
// 2000); the placed figure sits above it or to its right.
TEST_F(PinAttachTest, NudgeLimitsForEverySide)
{
    CFigure* cls = Add("class/object", CRect(1000, 1000, 3000, 2000));
    CFigure* qual = Add("qualifier", CRect(3000, 1400, 3200, 1600));
    CStaple* link = fx.doc.PinFigToHost(qual, cls, 8);
    ASSERT_TRUE(link);
    const CRect above(2000, 800, 2200, 1000), right(3000, 1400, 3200, 1600);
    struct Case {
        int x1, y1, x2, y2;   // the anchors giving the side code
        int side;
        CRect placed;
        int dx, dy, wantDx, wantDy;
    };
    const Case cases[] = {
        {0, 0, 0, 255, 1, above, 900, 40, 800, 0},
        {0, 0, 0, 255, 1, above, -10, 0, 0, 0},
        {127, 0, 127, 255, 2, above, 900, 7, 800, 0},
        {127, 0, 127, 255, 2, above, -1100, 0, -1000, 0},
        {127, 0, 127, 255, 2, above, -500, 0, -500, 0},
        {255, 0, 255, 255, 3, above, 10, 0, 0, 0},
        {255, 0, 255, 255, 3, above, -1100, 3, -1000, 0},
        {255, 0, 0, 0, 4, right, 5, -10, 0, 0},
        {255, 0, 0, 0, 4, right, 0, 500, 0, 400},
        {255, 127, 0, 127, 5, right, 0, -500, 0, -400},
        {255, 255, 0, 255, 6, right, 0, 10, 0, 0},
        {255, 255, 0, 255, 6, right, 9, -500, 0, -400},
        {255, 255, 255, 0, 7, above, 10, 0, 0, 0},
        {255, 255, 255, 0, 7, above, -1100, 0, -1000, 0},
        {127, 255, 127, 0, 8, above, 900, 0, 800, 0},
        {127, 255, 127, 0, 8, above, -1100, 0, -1000, 0},
        {0, 255, 0, 0, 9, above, 900, 0, 800, 0},
        {0, 255, 0, 0, 9, above, -10, 0, 0, 0},
        {0, 255, 255, 255, 10, right, 0, 10, 0, 0},
        {0, 255, 255, 255, 10, right, 0, -500, 0, -400},
        {0, 127, 255, 127, 11, right, 0, 500, 0, 400},
        {0, 127, 255, 127, 11, right, 0, -500, 0, -400},
        {0, 0, 255, 0, 12, right, 0, -10, 0, 0},
        {0, 0, 255, 0, 12, right, 4, 500, 0, 400},
        {0, 0, 0, 0, 0, right, 33, -44, 33, -44},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "side " << c.side << " dx " << c.dx << " dy " << c.dy);
        link->Fig1PosX = c.x1;
        link->Fig1PosY = c.y1;
        link->Fig2PosX = c.x2;
        link->Fig2PosY = c.y2;
        ASSERT_EQ(link->GetSideCode(), c.side);
        qual->m_rect = c.placed;
        int dx = c.dx, dy = c.dy, rowId = 0;
        EXPECT_EQ(fx.doc.LimitPinMove(qual, dx, dy, nullptr, rowId), 1);
        EXPECT_EQ(dx, c.wantDx);
        EXPECT_EQ(dy, c.wantDy);
    }
}

TEST_F(PinAttachTest, DetachCutsATwoWayLinkFromEitherEnd)
{
    CFigure* state = Add("state", CRect(1000, 1000, 3000, 2000));
    CFigure* tab = Add("name tab", CRect(1200, 800, 1600, 1000));
    ASSERT_TRUE(fx.doc.PinFigToHost(tab, state, 23));
    fx.doc.ResetUndoLog();
    fx.doc.SelectObj(state, 1, 0, 0);
    EXPECT_TRUE(fx.doc.CanDetach());
    EXPECT_TRUE(fx.doc.DetachFromPin());
    EXPECT_EQ(fx.doc.m_pStapleList->GetCount(), 0);
    EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_DETACHFROMPIN);
    EXPECT_EQ(fx.doc.m_pStapleList->GetCount(), 1);
}

// A one-way host has nothing to detach; the history stays.
TEST_F(PinAttachTest, DetachOnAOneWayHostIsRefusedKeepingHistory)
{
    CFigure* cls = Add("class/object", CRect(1000, 1000, 3000, 2000));
    CFigure* qual = Add("qualifier", CRect(3000, 1400, 3200, 1600));
    fx.doc.ResetUndoLog();
    fx.doc.UndoBeginStep(UDMAC_CREATEQUALIFIER);
    ASSERT_TRUE(fx.doc.PinFigToHost(qual, cls, 8));
    fx.doc.UndoEndStep();
    fx.doc.SelectObj(cls, 1, 0, 0);
    EXPECT_FALSE(fx.doc.CanDetach());
    const uint32_t steps = fx.doc.UndoLogRef().m_nStepsRecorded;
    EXPECT_FALSE(fx.doc.DetachFromPin());
    EXPECT_EQ(fx.doc.UndoLogRef().m_nStepsRecorded, steps);
    EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_CREATEQUALIFIER);
}

// A host of no width: its anchor is 0 instead of a division by zero.
TEST_F(PinAttachTest, ZeroWidthHostAnchorsAtZero)
{
    CFigure* host = Add("package", CRect(1000, 1000, 1000, 2000));
    CFigure* port = Add("port", CRect(900, 1400, 1100, 1600));
    CStaple* link = fx.doc.PinFigToHost(port, host, 1);
    ASSERT_TRUE(link);
    EXPECT_EQ(link->Fig1PosX, 0);
    EXPECT_EQ(link->Fig1PosY, 128);
}

TEST_F(PinAttachTest, NewFigureLeftOnItsPlaceIsLinked)
{
    CFigure* host = Host();
    CFigure* port = Add("port", CRect(2900, 1400, 3100, 1600));
    EXPECT_TRUE(fx.doc.PinNewFig(port, 0));
    EXPECT_TRUE(fx.doc.IsPinnedOn(port, host));
    CFigure* away = Add("port", CRect(2950, 1400, 3150, 1600));   // 50 off its place
    EXPECT_FALSE(fx.doc.PinNewFig(away, 0));
}

// A new figure of a pin kind created on its host is linked in its own
// creation step, unless the creation is freeform; undo takes both back.
TEST_F(PinAttachTest, ANewPinFigureIsLinkedInItsCreationStep)
{
    CFigure* host = Host();
    for (bool pinToHost : {true, false}) {
        SCOPED_TRACE(pinToHost);
        fx.doc.ResetUndoLog();
        const int count = fx.doc.GetObjCount();
        CFigure* port = Add("port", CRect(2900, 1400, 3100, 1600));
        fx.doc.m_pObjList->Remove(port);   // made, not yet added
        ASSERT_EQ(fx.doc.AddNewFig(UDMAC_CREATEFIG, port, true, false, std::string(), nullptr, pinToHost), port);
        EXPECT_EQ(fx.doc.IsPinnedOn(port, host), pinToHost);
        EXPECT_TRUE(fx.doc.CanUndo());
        fx.doc.UndoLastStep();
        EXPECT_FALSE(fx.doc.CanUndo());
        EXPECT_EQ(fx.doc.GetObjCount(), count);
    }
}

} // namespace

// The snap distance is twice the hit tolerance (1 without a view), or the
// larger grid step when that is larger and the grid is on; the inner snap
// is two thirds of it, rounded down.
TEST_F(PinAttachTest, SnapDistancesComeFromTheToleranceAndTheGrid)
{
    fx.doc.m_bAlignToGrid = 0;
    fx.doc.m_nSnapX = 30;
    fx.doc.m_nSnapY = 44;
    EXPECT_EQ(fx.doc.GetPinSnapDistance(), 2);
    EXPECT_EQ(fx.doc.GetPinInnerSnap(), 1);
    fx.doc.m_bAlignToGrid = 1;
    EXPECT_EQ(fx.doc.GetPinSnapDistance(), 44);
    EXPECT_EQ(fx.doc.GetPinInnerSnap(), 29);
}

// A placed figure's text faces its host: each side code gives its own
// horizontal and vertical alignment, any other arrangement centres it; the
// flag word follows the alignment word.
TEST_F(PinAttachTest, PlacedTextAlignsToEverySide)
{
    CFigure* cls = Add("class/object", CRect(1000, 1000, 3000, 2000));
    CFigure* qual = Add("qualifier", CRect(3000, 1400, 3200, 1600));
    CStaple* link = fx.doc.PinFigToHost(qual, cls, 8);
    ASSERT_TRUE(link);
    struct Case {
        int x1, y1, x2, y2;   // the anchors giving the side code
        int side;
        WORD align;           // horizontal | vertical
    };
    const Case cases[] = {
        {0, 0, 0, 255, 1, 4 | 16},       {127, 0, 127, 255, 2, 2 | 16},  {255, 0, 255, 255, 3, 1 | 16},
        {255, 0, 0, 0, 4, 4 | 64},       {255, 127, 0, 127, 5, 4 | 32},  {255, 255, 0, 255, 6, 4 | 16},
        {255, 255, 255, 0, 7, 1 | 64},   {127, 255, 127, 0, 8, 2 | 64},  {0, 255, 0, 0, 9, 4 | 64},
        {0, 255, 255, 255, 10, 1 | 16},  {0, 127, 255, 127, 11, 1 | 32}, {0, 0, 255, 0, 12, 1 | 64},
        {0, 0, 0, 0, 0, 2 | 32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "side " << c.side);
        link->Fig1PosX = c.x1;
        link->Fig1PosY = c.y1;
        link->Fig2PosX = c.x2;
        link->Fig2PosY = c.y2;
        ASSERT_EQ(link->GetSideCode(), c.side);
        fx.doc.AlignPinText(qual, link);
        EXPECT_EQ(qual->m_props.TextFormat & 0x77, c.align);
        FigFlagSet flags = qual->m_props.Behavior;
        SetAlignFlags(flags, qual->m_props.TextFormat);
        EXPECT_EQ(flags.low, qual->m_props.Behavior.low);
        EXPECT_EQ(flags.high, qual->m_props.Behavior.high);
    }
}

// Name tabs and activations keep the text alignment they have when they are
// linked; another placed figure is aligned by its link.
TEST_F(PinAttachTest, NameTabsAndActivationsKeepTheirTextAlignment)
{
    CFigure* line = Add("seq lifeline", CRect(1000, 1000, 1200, 3000));
    CFigure* state = Add("state", CRect(2000, 1000, 4000, 2000));
    CFigure* cls = Add("class/object", CRect(5000, 1000, 7000, 2000));
    struct Case {
        const char* placed;
        CRect rc;
        CFigure* host;
        int row;
        bool keeps;
    };
    const Case cases[] = {
        {"seq activation", CRect(1050, 1500, 1170, 1900), line, 16, true},
        {"name tab", CRect(2200, 800, 2600, 1000), state, 23, true},
        {"qualifier", CRect(7000, 1400, 7200, 1600), cls, 8, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.placed);
        CFigure* fig = Add(c.placed, c.rc);
        // Left and top: neither centred nor what a side would give.
        fig->m_props.TextFormat = WORD((fig->m_props.TextFormat & ~0x77u) | 1 | 16);
        SetAlignFlags(fig->m_props.Behavior, fig->m_props.TextFormat);
        const WORD format = fig->m_props.TextFormat;
        const FigFlagSet flags = fig->m_props.Behavior;
        ASSERT_TRUE(fx.doc.PinFigToHost(fig, c.host, c.row));
        EXPECT_EQ(fig->m_props.TextFormat == format, c.keeps);
        EXPECT_EQ(fig->m_props.Behavior.low == flags.low && fig->m_props.Behavior.high == flags.high, c.keeps);
    }
}

// Detach is offered only for exactly one selected figure that is pinned.
TEST_F(PinAttachTest, DetachIsEnabledForOnePinnedFigureAlone)
{
    CFigure* cls = Add("class/object", CRect(1000, 1000, 3000, 2000));
    CFigure* qual = Add("qualifier", CRect(3000, 1400, 3200, 1600));
    CFigure* other = Add("package", CRect(5000, 1000, 6000, 2000));
    ASSERT_TRUE(fx.doc.PinFigToHost(qual, cls, 8));
    const struct {
        std::vector<CFigure*> selected;
        bool enabled;
    } cases[] = {
        {{qual}, true},
        // The pinned one selected last is the first selected figure.
        {{other, qual}, false},
        {{cls, qual}, false},
        {{qual, other}, false},
        {{other}, false},
        {{}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.selected.size());
        fx.doc.ClearSelection();
        for (CFigure* f : c.selected)
            fx.doc.Select(f);
        EXPECT_EQ(fx.doc.CanDetach(), c.enabled);
    }
}

// Without a host no link is made, and the figure's text is centred again.
TEST_F(PinAttachTest, NoHostCentresTheTextAndLinksNothing)
{
    CFigure* cls = Add("class/object", CRect(1000, 1000, 3000, 2000));
    CFigure* qual = Add("qualifier", CRect(3000, 1400, 3200, 1600));
    ASSERT_TRUE(fx.doc.PinFigToHost(qual, cls, 8));
    ASSERT_NE(qual->m_props.TextFormat & 0x77, 2 | 32);   // faces its class
    EXPECT_FALSE(fx.doc.PinFigToHost(qual, nullptr, 8));
    EXPECT_EQ(qual->m_props.TextFormat & 0x77, 2 | 32);
    EXPECT_EQ(fx.doc.m_pStapleList->GetCount(), 1);
}

// A class standing on one lifeline, an activation on another: the pinned
// tests read each link from its own ends only.
struct PinnedTestsFixture : PinAttachTest {
    void SetUp() override
    {
        cls = Add("class/object", CRect(1000, 1000, 1600, 1300));
        line = Add("seq lifeline", CRect(1250, 1300, 1350, 3000));
        stack = fx.doc.PinFigToHost(line, cls, 28);
        line2 = Add("seq lifeline", CRect(4250, 1300, 4350, 3000));
        act = Add("seq activation", CRect(4240, 1500, 4360, 1900));
        onLine = fx.doc.PinFigToHost(act, line2, 16);
        ASSERT_TRUE(stack && onLine);
    }
    CFigure *cls = nullptr, *line = nullptr, *line2 = nullptr, *act = nullptr;
    CStaple *stack = nullptr, *onLine = nullptr;
};

TEST_F(PinnedTestsFixture, PinnedTestsReadEachLinkFromItsOwnEnds)
{
    EXPECT_EQ(stack->IsTwoWayFor(cls), 1);
    EXPECT_EQ(stack->IsTwoWayFor(line), 1);
    EXPECT_EQ(stack->IsTwoWayFor(line2), 0);   // not one of its figures
    EXPECT_EQ(onLine->IsTwoWayFor(line2), 0);  // a one-way row
    EXPECT_EQ(fx.doc.FindTwoWayLink(cls), stack);
    EXPECT_EQ(fx.doc.FindTwoWayLink(line2), nullptr);
    EXPECT_EQ(line2->GetTwoWayLinkKind(), nullptr);
    EXPECT_EQ(act->GetTwoWayLinkKind(), nullptr);

    EXPECT_TRUE(fx.doc.IsPinned(line, true));
    EXPECT_FALSE(fx.doc.IsPinned(line, false));
    EXPECT_FALSE(fx.doc.IsPinned(line2, true));
    EXPECT_TRUE(fx.doc.IsPinned(act, false));

    // The class stands on a lifeline (it is the link's second figure); the
    // lifeline holds the class.
    EXPECT_TRUE(fx.doc.IsPinnedOnKind(cls, 68));
    EXPECT_FALSE(fx.doc.IsPinnedOnKind(line, 62));
    EXPECT_TRUE(fx.doc.IsPinnedOnKind(act, 29));
    EXPECT_FALSE(fx.doc.IsPinnedOnKind(act, 2));
    EXPECT_TRUE(fx.doc.HostHasPinOfKind(line, 62));
    EXPECT_FALSE(fx.doc.HostHasPinOfKind(cls, 68));
}

// A lifeline that carries an activation is still free to hang under a
// class: the stacked link elsewhere in the diagram is not its own.
TEST_F(PinnedTestsFixture, ALifelineWithAnActivationHangsUnderAClass)
{
    CFigure* cls2 = Add("class/object", CRect(4000, 600, 4600, 900));
    line2->SetRectNoUndo(CRect(4250, 950, 4350, 2650));
    int row = 0, distance = -1;
    EXPECT_EQ(FindHost(line2, row, distance), cls2);
    EXPECT_EQ(row, 28);
    EXPECT_EQ(distance, 50);
}
