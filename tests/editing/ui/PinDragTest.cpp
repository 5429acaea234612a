// A port dragged with the mouse on a real view offscreen: dropped near its
// host it snaps onto the host's outline and is linked to it, dragged away
// its link is cut; each drop is one undo step that undo takes back to the
// saved text byte for byte.
#include "document/CStaple.h"
#include "editing/ui/ViewEventDriver.h"
#include "undo/UndoCodes.h"

#include <cctype>
#include <string>
#include <utility>
#include <vector>

namespace {
struct PinDragTest : ViewEventDriver {
    void AddObjects() override
    {
        host = Add("package", CRect(600, 600, 1800, 1400));
        port = Add("port", CRect(2400, 900, 2560, 1060));
    }
    void SetUp() override
    {
        ViewEventDriver::SetUp();
        app.view = view.get();   // the host search asks it for its hit tolerance
        Save();
    }
    // A figure whose symbol has the stock name (its kind comes from it).
    CFigure* Add(const std::string& symbolName, const CRect& rc)
    {
        SymbolBuilder b;
        b.Fill([](COutlineWriter& w) { w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048)); });
        b.Outline([](COutlineWriter& w) { w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048)); });
        b.sym.m_strName = symbolName;
        CFigProps props;
        props.Symbol = fx.doc.m_figSymbols.AddOrReplace(&b.sym);
        props.m_fill.m_nKind = 1;
        props.m_fill.m_crColor1 = 0xFFFFFF;
        auto* fig = new CFigure(rc.left, rc.top, rc.Height(), rc.Width(), props, -1, 0, "", "",
                                CFigure::CreateArgs(), &fx.doc);
        fx.doc.AddFigWithId(fig);
        return fig;
    }
    // A press on the figure's centre, moves in steps and the release with
    // the centre at `to` (logical).
    void DragCentre(const CFigure* fig, const CPoint& to) { Drag(Centre(fig), At(to)); }
    CStaple* Link() const { return fx.doc.FindFigLinkTo(port); }

    CFigure* host = nullptr;
    CFigure* port = nullptr;
};
} // namespace

// Dropped a few pixels off the host's right side, the port's centre snaps
// onto the side and the port is linked; undo takes both back.
TEST_F(PinDragTest, DropNearTheHostLinksThePort)
{
    const int off = view->ClientLenToLogical(3);
    DragCentre(port, CPoint(1800 + off, 1000));
    EXPECT_EQ(port->m_rect.CenterPoint().x, 1800);
    EXPECT_EQ(port->m_rect.Width(), 160);
    CStaple* link = Link();
    ASSERT_TRUE(link);
    EXPECT_EQ(link->m_pFig1, host);
    EXPECT_EQ(link->PinType, 1);
    EXPECT_EQ(fx.doc.m_pStapleList->GetCount(), 1);
    EXPECT_EQ(Steps(), 1);
    EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_MOVEOBJS);
    EXPECT_EQ(DocText(fx.doc), saved);
}

// Dragged off its host, the port keeps its new place and loses its link.
TEST_F(PinDragTest, DragAwayCutsTheLink)
{
    DragCentre(port, CPoint(1800, 1000));
    ASSERT_TRUE(Link());
    Save();
    DragCentre(port, CPoint(2600, 1800));
    EXPECT_FALSE(Link());
    EXPECT_EQ(fx.doc.m_pStapleList->GetCount(), 0);
    EXPECT_GT(port->m_rect.left, 2400);
    EXPECT_EQ(Steps(), 1);
    EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_MOVEOBJS);
    EXPECT_EQ(DocText(fx.doc), saved);
    EXPECT_TRUE(Link());
}

// Moved along its host's outline, the port keeps one link, renewed.
TEST_F(PinDragTest, DragAlongTheHostRenewsTheLink)
{
    DragCentre(port, CPoint(1800, 1000));
    ASSERT_TRUE(Link());
    const int before = Link()->Fig1PosY;
    Save();
    DragCentre(port, CPoint(1800, 1300));
    ASSERT_TRUE(Link());
    EXPECT_EQ(fx.doc.m_pStapleList->GetCount(), 1);
    EXPECT_GT(Link()->Fig1PosY, before);
    EXPECT_EQ(port->m_rect.CenterPoint().x, 1800);
    EXPECT_EQ(Steps(), 1);
    EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_MOVEOBJS);
    EXPECT_EQ(DocText(fx.doc), saved);
}

// The host goes along with its port when it is dragged.
TEST_F(PinDragTest, HostDragCarriesThePort)
{
    DragCentre(port, CPoint(1800, 1000));
    ASSERT_TRUE(Link());
    Save();
    const CRect portBefore = port->m_rect;
    const CPoint c = host->m_rect.CenterPoint();
    DragCentre(host, CPoint(c.x - 200, c.y));
    const int moved = 600 - host->m_rect.left;
    EXPECT_GT(moved, 0);
    EXPECT_EQ(port->m_rect.left, portBefore.left - moved);
    EXPECT_TRUE(Link());
    EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_MOVEOBJS);
    EXPECT_EQ(DocText(fx.doc), saved);
}

// The arrow keys slide a qualifier beside its class only along the class's
// side, never past its top; each slide renews the link.
TEST_F(PinDragTest, ArrowKeysSlideAPinnedQualifierAlongItsHost)
{
    CFigure* cls = Add("class/object", CRect(600, 1500, 1400, 1900));
    CFigure* qual = Add("qualifier", CRect(1400, 1650, 1500, 1750));
    ASSERT_TRUE(fx.doc.PinFigToHost(qual, cls, 8));
    ASSERT_EQ(fx.doc.FindFigLinkTo(qual)->GetSideCode(), 5);
    fx.doc.SelectObj(qual, 1, 0, 0);
    Save();
    const CRect before = qual->m_rect;
    Key(Qt::Key_Right);   // across the side: nothing moves
    EXPECT_EQ(qual->m_rect, before);
    EXPECT_EQ(DocText(fx.doc), saved);
    Key(Qt::Key_Down);
    EXPECT_EQ(qual->m_rect.left, before.left);
    EXPECT_GT(qual->m_rect.top, before.top);
    EXPECT_EQ(fx.doc.m_pStapleList->GetCount(), 1);
    EXPECT_GT(fx.doc.FindFigLinkTo(qual)->Fig1PosY, 127);
    EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_MOVEOBJS);
    EXPECT_EQ(DocText(fx.doc), saved);
    for (int i = 0; i < 100; ++i)
        Key(Qt::Key_Up);
    EXPECT_EQ(qual->m_rect.top, cls->m_rect.top);
    EXPECT_EQ(qual->m_rect.left, before.left);
    EXPECT_TRUE(fx.doc.IsPinnedOn(qual, cls));
}

// While a dragged qualifier snaps to a class beside it, its snapped centre
// and the guide through the class's middle across the side it touches are
// the snap guides; off the class, with Ctrl held, and after the drop there
// are none. A port, placed on the outline, shows its centre alone.
TEST_F(PinDragTest, ASnappedPinShowsItsGuidesWhileItIsDragged)
{
    CFigure* cls = Add("class/object", CRect(600, 1800, 1400, 2200));
    CFigure* qual = Add("qualifier", CRect(2400, 1950, 2500, 2050));
    Save();
    auto guides = [&] {
        const CSnapGuides& g = fx.doc.m_snapGuides;
        return std::make_pair(std::vector<int>(g.m_x, g.m_x + g.m_nX), std::vector<int>(g.m_y, g.m_y + g.m_nY));
    };
    const QPoint from = Centre(qual), near = At(CPoint(1400 + 50 + Px(2), 2000 + Px(2)));
    Press(from);
    for (int i = 1; i <= 4; ++i)
        Move(from + (near - from) * i / 4);
    EXPECT_EQ(guides().first, (std::vector<int>{1450, 1400}));
    EXPECT_EQ(guides().second, (std::vector<int>{2000, 2000}));
    Move(near, Qt::ControlModifier);
    EXPECT_TRUE(fx.doc.m_snapGuides.IsEmpty()) << "Ctrl: no snap, no guides";
    Move(near);
    EXPECT_FALSE(fx.doc.m_snapGuides.IsEmpty());
    Move(At(CPoint(2600, 2600)));
    EXPECT_TRUE(fx.doc.m_snapGuides.IsEmpty()) << "off the class";
    Move(near);
    Release(near);
    EXPECT_TRUE(fx.doc.m_snapGuides.IsEmpty()) << "the drop ends them";
    EXPECT_TRUE(fx.doc.IsPinnedOn(qual, cls));
    EXPECT_EQ(qual->m_rect.CenterPoint(), CPoint(1450, 2000));
    EXPECT_EQ(Steps(), 1);
    EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_MOVEOBJS);
    EXPECT_EQ(DocText(fx.doc), saved);

    const QPoint portFrom = Centre(port), portNear = At(CPoint(1800 + Px(3), 1000));
    Press(portFrom);
    for (int i = 1; i <= 4; ++i)
        Move(portFrom + (portNear - portFrom) * i / 4);
    EXPECT_EQ(guides().first, (std::vector<int>{1800}));
    EXPECT_EQ(guides().second.size(), 1u);
    Release(portNear);
    EXPECT_TRUE(fx.doc.m_snapGuides.IsEmpty());
}

// ---- each pin kind dropped next to a host of its row

namespace {
struct PinKindCase {
    const char* name;
    const char* pinSymbol;
    const char* hostSymbol;
    CSize pinSize;
    CPoint drop;    // where the pin's centre is let go, logical
    int rowId;
    CRect placed;   // where the pin ends up; a side of -1 is not checked
};

// The hosts lie at (300, 1500, 1100, 1700), centre (700, 1600). The drops
// are a few units off the placed positions: the snap takes them there.
const PinKindCase kPinKinds[] = {
    {"qualifier beside a class", "qualifier", "class/object", {100, 100}, {1156, 1604}, 8, {1100, 1550, 1200, 1650}},
    {"pin beside an activity", "pin", "activity", {100, 100}, {1156, 1596}, 9, {1100, 1550, 1200, 1650}},
    {"list pin above an activity", "listbox pin horz", "activity", {100, 100}, {704, 1444}, 11, {650, 1400, 750, 1500}},
    {"name tab on a state", "name tab", "state", {200, 100}, {500, 1446}, 23, {-1, 1400, -1, 1500}},
    {"activation on a lifeline", "seq activation", "seq lifeline", {40, 100}, {706, 1600}, 16, {680, -1, 720, -1}},
    {"destruction at a lifeline's end", "destruct", "seq lifeline", {60, 60}, {706, 1700}, 26, {670, 1670, 730, 1730}},
    {"entry point on a state", "entry point", "state", {60, 60}, {1106, 1600}, 7, {1070, -1, 1130, -1}},
    {"complex port on a package", "complex port vert", "package", {60, 100}, {1106, 1600}, 2, {1070, -1, 1130, -1}},
};

class PinKindDragTest : public PinDragTest, public testing::WithParamInterface<PinKindCase> {};
} // namespace

TEST_P(PinKindDragTest, DropLinksThePinToItsHost)
{
    const PinKindCase& c = GetParam();
    CFigure* kindHost = Add(c.hostSymbol, CRect(300, 1500, 1100, 1700));
    CFigure* pin = Add(c.pinSymbol, CRect(1600, 1500, 1600 + c.pinSize.cx, 1500 + c.pinSize.cy));
    Save();
    const CRect client = view->GetLogicalClientRect();
    ASSERT_TRUE(client.PtInRect(c.drop) && client.PtInRect(pin->m_rect.CenterPoint()));
    DragCentre(pin, c.drop);
    const CStaple* link = fx.doc.FindFigLinkTo(pin);
    ASSERT_TRUE(link);
    EXPECT_EQ(link->m_pFig1, kindHost);
    EXPECT_EQ(link->PinType, c.rowId);
    const CRect& r = pin->m_rect;
    EXPECT_EQ(r.Size(), c.pinSize);
    for (const auto& [got, want] : {std::pair{r.left, c.placed.left}, std::pair{r.top, c.placed.top},
                                    std::pair{r.right, c.placed.right}, std::pair{r.bottom, c.placed.bottom}})
        if (want != -1) {
            EXPECT_EQ(got, want);
        }
    EXPECT_EQ(Steps(), 1);
    EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_MOVEOBJS);
    EXPECT_EQ(DocText(fx.doc), saved);
}

INSTANTIATE_TEST_SUITE_P(Kinds, PinKindDragTest, testing::ValuesIn(kPinKinds),
                         [](const testing::TestParamInfo<PinKindCase>& info) {
                             std::string name = info.param.name;
                             for (char& ch : name)
                                 if (!std::isalnum(static_cast<unsigned char>(ch)))
                                     ch = '_';
                             return name;
                         });
