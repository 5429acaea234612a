// The view's context menus for each kind of object under a right click:
// which items they hold (the main menu's own, with its commands), what the
// click selects, greyed figure-label positions, the popup's place and the
// beep of an empty menu.
#include "common/DiagramFixture.h"
#include "common/DocText.h"
#include "common/TestSupport.h"
#include "core/MessageBeep.h"
#include "core/Settings.h"
#include "core/UIMode.h"
#include "core/Units.h"
#include "document/CConnector.h"
#include "document/CFigure.h"
#include "document/CStaple.h"
#include "document/DocCommandSeams.h"
#include "document/Trunks.h"
#include "editing/ui/CKavoView.h"
#include "editing/ui/ViewContextMenu.h"
#include "fileformat/CDiagramLoadObj.h"
#include "frame/ui/CMainFrame.h"
#include "keyword/KeywordStreams.h"
#include "undo/UndoCodes.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

namespace {
// The items' ids in order: "|" a separator, "Name(...)" a submenu.
std::string Sig(const ContextMenu& menu)
{
    std::string out;
    for (const ContextMenuItem& item : menu) {
        if (!out.empty())
            out += " ";
        if (!item.children.empty())
            out += item.text + "(" + Sig(item.children) + ")";
        else if (item.id == 0)
            out += "|";
        else
            out += std::to_string(item.id) + (item.enabled ? "" : "-");
    }
    return out;
}

const std::string kCommon = "57635 57634 57632 | &Grouping(32818 32819 32820 32821) &Order(33027 33028 32780 32778)";

int g_beeps = 0;

struct ContextMenuTest : testing::Test {
    void SetUp() override
    {
        SetScreenPixelHeightForTest(768);
        ScreenHeight = 9.0;
        ShowRulers = 0;
        g_nUIMode = 0;
        a = fx.AddBox(600, 600, 600, 450, "A");
        b = fx.AddBox(2400, 600, 600, 450, "B");
        con = fx.Connect(a, b);
        label = fx.AddBox(600, 1600, 300, 150, "L");
        label->m_bLabel = 1;
        c = fx.AddBox(600, 2400, 300, 200, "C");
        d = fx.AddBox(1200, 2400, 300, 200, "D");
        fx.doc.ClearSelection();
        fx.doc.Select(c);
        fx.doc.Select(d);
        fx.doc.OnGroup();
        fx.doc.ClearSelection();
        view = new CKavoView(&fx.doc);
        frame.AddViewFrame(view, "d");
        view->show();
        view->resize(800 + view->verticalScrollBar()->sizeHint().width(),
                     600 + view->horizontalScrollBar()->sizeHint().height());
        view->OnInitialUpdate();
        view->ZoomToPercent(100);
        view->ScrollToViewAnchorPoint(CPoint(0, 0), kAnchorTopLeft, true);
        savedBeep = SetMessageBeepHandler([](UINT) { ++g_beeps; });
    }
    void TearDown() override
    {
        SetMessageBeepHandler(savedBeep);
        GetContextMenuSeams().showMenu = nullptr;
        GetDocCommandSeams().makeSelfLoopCon = nullptr;
        g_nUIMode = 0;
        SetScreenPixelHeightForTest(0);
    }
    CPoint At(const CPoint& logical) const { return view->LogicalPtToClient(logical); }
    ContextMenu MenuAt(const CPoint& logical) { return BuildObjectMenu(*view, At(logical)); }

    CRecordingPrompt prompt;
    DiagramFixture fx;
    CMainFrame frame;
    CKavoView* view = nullptr;
    CFigure *a = nullptr, *b = nullptr, *label = nullptr, *c = nullptr, *d = nullptr;
    CConnector* con = nullptr;
    MessageBeepHandler savedBeep = nullptr;
};
} // namespace

TEST_F(ContextMenuTest, EmptySpaceGivesTheGeneralMenu)
{
    EXPECT_EQ(Sig(MenuAt(CPoint(3500, 3500))), "57643 | 32791 32785 | 57603 57604 57607 57602");
    // A mixed selection on empty space: the general menu too.
    fx.doc.Select(a);
    fx.doc.Select(con);
    EXPECT_EQ(Sig(MenuAt(CPoint(3500, 3500))), "57643 | 32791 32785 | 57603 57604 57607 57602");
    EXPECT_EQ(fx.doc.GetSelCount(), 2) << "the selection stays";
    // Texts are the main menu's, shortcut hints included.
    const ContextMenu menu = MenuAt(CPoint(3500, 3500));
    EXPECT_EQ(menu[2].text, "&Insert Symbol...");
    EXPECT_EQ(menu[7].text, "&Print...\tCtrl+P");
}

TEST_F(ContextMenuTest, AFigureIsSelectedAloneAndGetsTheFigureMenu)
{
    fx.doc.Select(b);
    const ContextMenu menu = MenuAt(a->m_rect.CenterPoint());
    EXPECT_TRUE(a->m_bSelected);
    EXPECT_FALSE(b->m_bSelected);
    EXPECT_EQ(Sig(menu), "Add Figure Label(33043 33049 33052 33046 | 33042 33044 33045 33047 33048 33050 33051 33053) | " +
                             kCommon +
                             " | Border &Width(36550 36551 36552 36553 36554) 32787 32771 32772 32804 32801 | 33054");
    // A label below the figure greys "Below".
    fx.doc.m_nFigLblPrimarySector = 8;
    ASSERT_NE(fx.doc.AddAutoFigLabel(a, "x"), nullptr);
    const ContextMenu again = MenuAt(a->m_rect.CenterPoint());
    ASSERT_FALSE(again.empty());
    ASSERT_EQ(again[0].text, "Add Figure Label") << Sig(again);
    EXPECT_EQ(Sig(again[0].children), "33043 33049- 33052 33046 | 33042 33044 33045 33047 33048 33050 33051 33053");
    EXPECT_EQ(again[0].children[1].text, "Below");
}

TEST_F(ContextMenuTest, ConnectorLabelAndGroupMenus)
{
    const CPoint mid((con->EndPoint1.x + con->EndPoint2.x) / 2, con->EndPoint1.y);
    EXPECT_EQ(Sig(MenuAt(mid)), "33041 33075 33040 33038 | " + kCommon +
                                    " | 33064 Line &Width(36540 36541 36542 36543) &Line Pattern(36544 36545 36546 "
                                    "36547 36548 36549) &Curvature(33030 33031 33032 33033) A&rrows(33056 33057 33058 "
                                    "| 33059 33060 33061 | 33062) 32805 32802 33063");
    EXPECT_TRUE(con->m_bSelected && !a->m_bSelected) << "the connector alone, without its ends";

    EXPECT_EQ(Sig(MenuAt(label->m_rect.CenterPoint())),
              kCommon + " | 32787 &Rotate(36534 36535 36536) 32771 32772 32806 32803 | 33120");

    // A grouped object: only the common items.
    EXPECT_EQ(Sig(MenuAt(c->m_rect.CenterPoint())), kCommon);
}

TEST_F(ContextMenuTest, ThePopupOpensBesideTheClickAndAnEmptyMenuBeeps)
{
    ContextMenu shown;
    CPoint where;
    GetContextMenuSeams().showMenu = [&](const ContextMenu& m, const CPoint& at) {
        shown = m;
        where = at;
    };
    ShowContextMenu(*view, At(a->m_rect.CenterPoint()));
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(where, CPoint(GetRightClickPoint().x + 2, GetRightClickPoint().y + 2));
    const QPoint global = view->viewport()->mapToGlobal(QPoint(At(a->m_rect.CenterPoint()).x, At(a->m_rect.CenterPoint()).y));
    EXPECT_EQ(GetRightClickPoint(), CPoint(global.x(), global.y()));

    // Connector-drawing mode on empty space, with a main menu that has none
    // of the items: nothing to show.
    const auto texts = GetContextMenuSeams().mainMenuText;
    GetContextMenuSeams().mainMenuText = nullptr;
    g_nUIMode = 4;
    shown.clear();
    g_beeps = 0;
    ShowContextMenu(*view, At(CPoint(3500, 3500)));
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(g_beeps, 1);
    GetContextMenuSeams().mainMenuText = texts;
    g_nUIMode = 0;
}

TEST_F(ContextMenuTest, ARightPressOnTheViewOpensTheMenuOfWhatLiesUnderIt)
{
    std::vector<ContextMenu> shown;
    GetContextMenuSeams().showMenu = [&](const ContextMenu& m, const CPoint&) { shown.push_back(m); };
    auto rightPress = [&](const CPoint& logical) {
        const CPoint c = At(logical);
        QWidget* vp = view->viewport();
        const QPoint pos(c.x, c.y);
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(pos), QPointF(vp->mapToGlobal(pos)), Qt::RightButton,
                          Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(vp, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(pos), QPointF(vp->mapToGlobal(pos)),
                            Qt::RightButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(vp, &release);
    };
    rightPress(label->m_rect.CenterPoint());
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(label->m_bSelected);
    EXPECT_EQ(Sig(shown[0]).substr(Sig(shown[0]).size() - 5), "33120") << "the label menu";

    // Connector-drawing mode has its short menu.
    g_nUIMode = 4;
    rightPress(a->m_rect.CenterPoint());
    g_nUIMode = 0;
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(Sig(shown[1]), "33037 Line &Width(36540 36541 36542 36543) &Line Pattern(36544 36545 36546 36547 36548 "
                             "36549) &Curvature(33030 33031 33032 33033) A&rrows(33056 33057 33058 | 33059 33060 33061 | "
                             "33062)")
        << "the arrows as in the connector menu";
}

TEST_F(ContextMenuTest, AFlowBesideItsConnectorGetsTheFlowLabelItems)
{
    // The label places beside the connector at each of its figures.
    int gap = 0, inflate = 0;
    fx.doc.GetLabelSpacing(gap, inflate);
    CConnector* grouped = fx.Connect(c, d);
    fx.doc.ClearSelection();
    const auto places = [&](CConnector* flow, CFigure* end) {
        CRect r1, r2;
        int c1 = -1, c2 = -1;
        EXPECT_TRUE(fx.doc.CalcFlowLblRects(flow, end, fx.doc.GetNewFlowLblSize(), gap, inflate, r1, r2, c1, c2));
        return std::vector<CPoint>{r1.CenterPoint(), r2.CenterPoint()};
    };
    for (CFigure* end : {a, b})
        for (const CPoint& at : places(con, end)) {
            SCOPED_TRACE(testing::Message() << at.x << "," << at.y);
            const ContextMenu menu = MenuAt(at);
            EXPECT_EQ(Sig(menu), "Add Flow Label(33067 33068) | " + kCommon);
            EXPECT_EQ(fx.doc.GetSelCount(), 0) << "a flow selects nothing";
            ASSERT_EQ(menu[0].children.size(), 2u);
            EXPECT_EQ(menu[0].children[0].text, "Above / Left of Connector");
            EXPECT_EQ(menu[0].children[1].text, "Below / Right of Connector");
        }
    // A flow whose figures are grouped is none.
    for (const CPoint& at : places(grouped, c))
        EXPECT_EQ(Sig(MenuAt(at)).find("33067"), std::string::npos);
}

namespace {
// A right press and release on the view at the logical point, as the mouse
// sends them.
void SendRightClick(CKavoView& view, const CPoint& logical)
{
    const CPoint c = view.LogicalPtToClient(logical);
    QWidget* vp = view.viewport();
    const QPoint pos(c.x, c.y);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(pos), QPointF(vp->mapToGlobal(pos)), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(vp, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(pos), QPointF(vp->mapToGlobal(pos)), Qt::RightButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(vp, &release);
}

// The same with the menus it opened kept instead of shown.
std::vector<ContextMenu> RightPressAt(CKavoView& view, const CPoint& logical)
{
    std::vector<ContextMenu> shown;
    GetContextMenuSeams().showMenu = [&](const ContextMenu& m, const CPoint&) { shown.push_back(m); };
    SendRightClick(view, logical);
    GetContextMenuSeams().showMenu = nullptr;
    return shown;
}

const ContextMenuItem* FindItem(const ContextMenu& menu, int id)
{
    for (const ContextMenuItem& item : menu) {
        if (item.id == id)
            return &item;
        if (const ContextMenuItem* inner = FindItem(item.children, id))
            return inner;
    }
    return nullptr;
}
} // namespace

// On empty space the selection decides: figures only give the figure menu,
// labels only the label menu, connectors only the connector menu; a right
// press on one of several selected figures keeps them all selected.
TEST_F(ContextMenuTest, TheSelectionsKindDecidesTheMenu)
{
    const std::string figures = kCommon + " | Border &Width(36550 36551 36552 36553 36554) 33054";
    const std::string connectors = kCommon +
                                   " | 33064 Line &Width(36540 36541 36542 36543) &Line Pattern(36544 36545 36546 "
                                   "36547 36548 36549) &Curvature(33030 33031 33032 33033) A&rrows(33056 33057 33058 "
                                   "| 33059 33060 33061 | 33062) 32805 32802 33063";
    CConnector* second = fx.Connect(b, fx.AddBox(2400, 1600, 300, 200, "E"));
    fx.doc.ClearSelection();
    const struct {
        std::vector<CDiagObj*> selected;
        std::string menu;
    } rows[] = {
        {{a, b}, figures},
        {{con}, connectors},
        {{con, second}, connectors},
        {{label}, kCommon + " | 32787 &Rotate(36534 36535 36536) 32771 32772 32806 32803 | 33120"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.menu);
        fx.doc.ClearSelection();
        for (CDiagObj* o : row.selected)
            fx.doc.Select(o);
        const std::vector<ContextMenu> shown = RightPressAt(*view, CPoint(3500, 3500));
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(Sig(shown[0]), row.menu);
        EXPECT_EQ(fx.doc.GetSelCount(), int(row.selected.size()));
    }

    // On one of two selected figures: the figure menu for both.
    fx.doc.ClearSelection();
    fx.doc.Select(a);
    fx.doc.Select(b);
    const std::vector<ContextMenu> shown = RightPressAt(*view, a->m_rect.CenterPoint());
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(Sig(shown[0]), figures);
    EXPECT_TRUE(a->m_bSelected);
    EXPECT_TRUE(b->m_bSelected) << "the other selected figure stays selected";
    EXPECT_EQ(fx.doc.GetSelCount(), 2);
}

// Each "Add Figure Label" item puts its label on its own side of the figure,
// and once it is there that item, and only that one, is greyed. Undo takes
// each label back.
TEST_F(ContextMenuTest, EachFigureLabelItemGreysItsOwnPosition)
{
    const std::string saved = Sig(MenuAt(a->m_rect.CenterPoint()));
    // Where the label lies against the figure: -1 before (left or above),
    // 0 across, 1 after (right or below), per axis.
    const struct {
        int id;
        const char* text;
        int sideX, sideY;
    } rows[] = {
        {33042, "Above Left", 0, -1},  {33043, "Above", 0, -1},       {33044, "Above Right", 0, -1},
        {33045, "Right Top", 1, 0},    {33046, "Right", 1, 0},        {33047, "Right Bottom", 1, 0},
        {33048, "Below Left", 0, 1},   {33049, "Below", 0, 1},        {33050, "Below Right", 0, 1},
        {33051, "Left Top", -1, 0},    {33052, "Left", -1, 0},        {33053, "Left Bottom", -1, 0},
    };
    std::map<int, int> centresX, centresY;   // by command, of the labels made
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        std::vector<ContextMenu> shown = RightPressAt(*view, a->m_rect.CenterPoint());
        ASSERT_EQ(shown.size(), 1u);
        const ContextMenuItem* item = FindItem(shown[0], row.id);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->text, row.text);
        ASSERT_TRUE(item->enabled);
        const int before = fx.doc.GetObjCount();
        GetContextMenuSeams().runCommand(row.id);
        ASSERT_EQ(fx.doc.GetObjCount(), before + 1);
        CFigure* made = nullptr;
        fx.doc.ForEachFigure([&](CFigure* f) {
            if (f->m_bLabel && f != label)
                made = f;
        });
        ASSERT_NE(made, nullptr);
        const CRect& l = made->m_rect;
        const CRect& f = a->m_rect;
        EXPECT_EQ(row.sideX < 0, l.right <= f.left);
        EXPECT_EQ(row.sideX > 0, l.left >= f.right);
        EXPECT_EQ(row.sideY < 0, l.bottom <= f.top);
        EXPECT_EQ(row.sideY > 0, l.top >= f.bottom);
        centresX[row.id] = l.CenterPoint().x;
        centresY[row.id] = l.CenterPoint().y;

        shown = RightPressAt(*view, a->m_rect.CenterPoint());
        ASSERT_EQ(shown.size(), 1u);
        for (const auto& other : rows) {
            const ContextMenuItem* it = FindItem(shown[0], other.id);
            ASSERT_NE(it, nullptr);
            EXPECT_EQ(it->enabled, other.id != row.id) << other.text;
        }
        fx.doc.ClearSelection();
        fx.doc.UndoLastStep();
        EXPECT_EQ(fx.doc.GetObjCount(), before);
    }
    // Along each side the three positions run in their named order.
    for (const int first : {33042, 33048})
        EXPECT_TRUE(centresX[first] < centresX[first + 1] && centresX[first + 1] < centresX[first + 2]) << first;
    for (const int first : {33045, 33051})
        EXPECT_TRUE(centresY[first] < centresY[first + 1] && centresY[first + 1] < centresY[first + 2]) << first;
    EXPECT_EQ(Sig(MenuAt(a->m_rect.CenterPoint())), saved);
}

namespace {
int StapledLabels(CKavoDoc& doc)
{
    int n = 0;
    doc.ForEachFigure([&](CFigure* f) { n += f->m_bLabel && f->IsStapled() ? 1 : 0; });
    return n;
}
} // namespace

// A label pinned to its figure offers "Detach Label", which cuts it loose in
// one undo step; a free label selected with a figure offers "Attach Label to
// Figure" instead.
TEST_F(ContextMenuTest, PinnedAndFreeLabelsOfferDetachAndAttach)
{
    fx.doc.m_nFigLblPrimarySector = 8;
    CFigure* pinned = fx.doc.AddAutoFigLabel(a, "x");
    ASSERT_NE(pinned, nullptr);
    fx.doc.ClearSelection();
    fx.doc.ResetUndoLog();
    std::vector<ContextMenu> shown = RightPressAt(*view, pinned->m_rect.CenterPoint());
    ASSERT_EQ(shown.size(), 1u);
    const ContextMenuItem* detach = FindItem(shown[0], 33123);
    ASSERT_NE(detach, nullptr) << Sig(shown[0]);
    EXPECT_EQ(detach->text, "D&etach Label");
    EXPECT_EQ(FindItem(shown[0], 33122), nullptr);
    GetContextMenuSeams().runCommand(33123);
    EXPECT_EQ(StapledLabels(fx.doc), 0);
    fx.doc.UndoLastStep();
    EXPECT_EQ(StapledLabels(fx.doc), 1);
    EXPECT_FALSE(fx.doc.CanUndo());

    fx.doc.ClearSelection();
    fx.doc.Select(label);
    fx.doc.Select(b);
    shown = RightPressAt(*view, label->m_rect.CenterPoint());
    ASSERT_EQ(shown.size(), 1u);
    const ContextMenuItem* attach = FindItem(shown[0], 33122);
    ASSERT_NE(attach, nullptr) << Sig(shown[0]);
    EXPECT_EQ(attach->text, "A&ttach Label to Figure");
    EXPECT_EQ(FindItem(shown[0], 33123), nullptr);
    EXPECT_EQ(fx.doc.GetSelCount(), 2) << "a selected label keeps the selection";
}

// A right press on a junction that only passes a line on offers to delete
// it: "Delete Junction" and "Snip Connector Here" for the one selected,
// "Delete Junctions" alone when several are; the item deletes them in one
// undo step.
TEST_F(ContextMenuTest, APassingJunctionOffersToDeleteIt)
{
    const int y = con->EndPoint1.y;
    CFigure* first = fx.doc.SplitConWithUndo(con, CPoint(1500, y), UDMAC_ADDJUNCT);
    ASSERT_NE(first, nullptr);
    CConnector* rest = fx.doc.ConFromPoint(2000, y, view->m_nHitTolerance, false);
    ASSERT_NE(rest, nullptr);
    CFigure* second = fx.doc.SplitConWithUndo(rest, CPoint(2000, y), UDMAC_ADDJUNCT);
    ASSERT_NE(second, nullptr);
    ASSERT_TRUE(first->IsRedundantJct() && second->IsRedundantJct());
    fx.doc.ClearSelection();
    fx.doc.ResetUndoLog();

    std::vector<ContextMenu> shown = RightPressAt(*view, first->m_rect.CenterPoint());
    ASSERT_EQ(shown.size(), 1u);
    const ContextMenuItem* del = FindItem(shown[0], 33039);
    ASSERT_NE(del, nullptr) << Sig(shown[0]);
    EXPECT_EQ(del->text, "Delete Junction");
    const ContextMenuItem* snip = FindItem(shown[0], 33071);
    ASSERT_NE(snip, nullptr) << Sig(shown[0]);
    EXPECT_EQ(snip->text, "Snip Connector Here");

    fx.doc.Select(second);
    shown = RightPressAt(*view, first->m_rect.CenterPoint());
    ASSERT_EQ(shown.size(), 1u);
    del = FindItem(shown[0], 33039);
    ASSERT_NE(del, nullptr) << Sig(shown[0]);
    EXPECT_EQ(del->text, "Delete Junctions");
    EXPECT_EQ(FindItem(shown[0], 33071), nullptr);
    const int figures = fx.doc.m_pObjList->m_nFigCount;
    GetContextMenuSeams().runCommand(33039);
    EXPECT_EQ(fx.doc.GetConCount(), 1);
    EXPECT_EQ(fx.doc.m_pObjList->m_nFigCount, figures - 2);
    fx.doc.UndoLastStep();
    EXPECT_EQ(fx.doc.GetConCount(), 3);
    EXPECT_FALSE(fx.doc.CanUndo());
}

// A figure that a flow passes through offers "Detach From Flow" (and not
// "Detach", as nothing pins it), which takes it out of the flow in one
// step; a trunk's lateral label offers the direction indicator with its
// present direction checked.
TEST_F(ContextMenuTest, FlowFiguresAndLateralLabelsGetTheirOwnItems)
{
    CFigure* p = fx.AddBox(600, 3400, 300, 200, "P");
    CFigure* mid = fx.AddBox(1400, 3400, 300, 200, "M");
    CFigure* q = fx.AddBox(2200, 3400, 300, 200, "Q");
    fx.Connect(p, mid);
    fx.Connect(mid, q);
    fx.doc.ClearSelection();
    fx.doc.ResetUndoLog();
    // With another connector selected too, a right press on that connector
    // gives the connector's menu, without the figure's items.
    fx.doc.Select(mid);
    fx.doc.Select(con);
    const CPoint onLine((con->EndPoint1.x + con->EndPoint2.x) / 2, con->EndPoint1.y);
    {
        // The pointer comes over the line before the press, as a mouse does.
        const CPoint c = At(onLine);
        QMouseEvent move(QEvent::MouseMove, QPointF(c.x, c.y), QPointF(view->viewport()->mapToGlobal(QPoint(c.x, c.y))),
                         Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(view->viewport(), &move);
    }
    std::vector<ContextMenu> shown = RightPressAt(*view, onLine);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(mid->m_bSelected && con->m_bSelected);
    EXPECT_NE(FindItem(shown[0], 33063), nullptr) << "the connector menu: " << Sig(shown[0]);
    EXPECT_EQ(FindItem(shown[0], 32815), nullptr);

    fx.doc.ClearSelection();
    shown = RightPressAt(*view, mid->m_rect.CenterPoint());
    ASSERT_EQ(shown.size(), 1u);
    const ContextMenuItem* detach = FindItem(shown[0], 32815);
    ASSERT_NE(detach, nullptr) << Sig(shown[0]);
    EXPECT_EQ(detach->text, "Detach From Flow");
    EXPECT_EQ(FindItem(shown[0], 32832), nullptr);
    const int cons = fx.doc.GetConCount();
    GetContextMenuSeams().runCommand(32815);
    EXPECT_EQ(mid->m_nConnected, 0);
    EXPECT_EQ(fx.doc.GetConCount(), cons - 1);
    fx.doc.UndoLastStep();
    EXPECT_EQ(fx.doc.GetConCount(), cons);
    EXPECT_FALSE(fx.doc.CanUndo());

    struct TrunkSwitch {
        TrunkSwitch() { SetTrunkDiagramsForTest(true); }
        ~TrunkSwitch() { SetTrunkDiagramsForTest(false); }
    } trunks;
    CConProps props;
    ASSERT_GE(fx.doc.m_conStyles.AddConStyle(&props, "Association", 1, 1, "", "", 0, "", 1, 0, 0, 90), 0);
    const int association = fx.doc.m_conStyles.FindByName("Association");
    CFigure* s = fx.AddBox(600, 4400, 300, 200, "S");
    CFigure* t = fx.AddBox(2200, 4400, 300, 200, "T");
    CConnector* assoc = fx.doc.CreateCon(s, t, -1, -1, s->GetCenter(), t->GetCenter(), association, props);
    ASSERT_NE(assoc, nullptr);
    CFigure* role = fx.AddBox(1300, 4700, 300, 100, "role");
    role->m_bLabel = 1;
    auto* staple = new CStaple(&fx.doc);
    staple->MakeLatLbl(assoc, assoc->GetMidPoint(), role, 12, 0);
    fx.doc.AddStapleWithId(staple);
    ASSERT_TRUE(role->IsTrunkLatLabel());
    role->AssociationIndicator = 2;
    fx.doc.ClearSelection();
    shown = RightPressAt(*view, role->m_rect.CenterPoint());
    ASSERT_EQ(shown.size(), 1u);
    ASSERT_TRUE(role->m_bSelected);
    const std::string sig = Sig(shown[0]);
    EXPECT_NE(sig.find("Direction Indicator(32828 32829 32830)"), std::string::npos) << sig;
    for (int id : {32828, 32829, 32830}) {
        const ContextMenuItem* item = FindItem(shown[0], id);
        ASSERT_NE(item, nullptr) << id;
        EXPECT_EQ(item->checked, id == 32830) << id;
    }
    EXPECT_EQ(FindItem(shown[0], 32828)->text, "None");
    EXPECT_EQ(FindItem(shown[0], 32829)->text, "Forward");
    EXPECT_EQ(FindItem(shown[0], 32830)->text, "Backward");
}

// "Add Self-Transition" in connector-drawing mode loops a connector from the
// figure under the click back to it in one undo step, made with the routing
// bits of the current connector properties set to 2 and given back
// afterwards; when no loop is made, a message says so and nothing changes.
TEST_F(ContextMenuTest, AddSelfTransitionLoopsAConnectorOnTheFigureClicked)
{
    FigFlagSet& shape = fx.doc.m_curConStyle.m_props.Behavior;
    shape.low = (shape.low & ~DWORD(0x1A)) | 0x18;
    const FigFlagSet before = shape;
    DWORD routing = 0;
    CFigure* looped = nullptr;
    GetDocCommandSeams().makeSelfLoopCon = [&](CKavoDoc& d, CFigure& f, const std::vector<POINT>& pts) {
        routing = d.m_curConStyle.m_props.Behavior.low & 0x1A;
        looped = &f;
        return d.CreateCon(&f, nullptr, -1, -1, pts.front(), pts[1], -1, d.m_curConStyle.m_props);
    };
    fx.doc.ResetUndoLog();
    g_nUIMode = 4;
    std::vector<ContextMenu> shown = RightPressAt(*view, b->m_rect.CenterPoint());
    ASSERT_EQ(shown.size(), 1u);
    const ContextMenuItem* item = FindItem(shown[0], 33037);
    ASSERT_NE(item, nullptr) << Sig(shown[0]);
    EXPECT_EQ(item->text, "Add Self-Transition");
    GetContextMenuSeams().runCommand(33037);
    EXPECT_EQ(looped, b);
    EXPECT_EQ(fx.doc.GetConCount(), 2);
    EXPECT_EQ(routing, DWORD(2));
    EXPECT_TRUE(shape == before) << "the current connector properties are given back";
    EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_ADDSELFREF);
    EXPECT_EQ(fx.doc.GetConCount(), 1);
    EXPECT_FALSE(fx.doc.CanUndo());

    GetDocCommandSeams().makeSelfLoopCon = [](CKavoDoc&, CFigure&, const std::vector<POINT>&) {
        return static_cast<CConnector*>(nullptr);
    };
    RightPressAt(*view, b->m_rect.CenterPoint());
    prompt.shown.clear();
    GetContextMenuSeams().runCommand(33037);
    ASSERT_EQ(prompt.shown.size(), 1u);
    EXPECT_EQ(prompt.shown[0].text, "Unable to add self-transition, try different object or location");
    EXPECT_EQ(fx.doc.GetConCount(), 1);
    EXPECT_FALSE(fx.doc.CanUndo());
    EXPECT_TRUE(shape == before);
    g_nUIMode = 0;
}

namespace {
// The points of the connector chain that leaves the figure and comes back to
// it through junctions: the junctions' centres in order; empty when no such
// chain starts at the figure.
std::vector<CPoint> LoopBends(const CKavoDoc& doc, const CFigure* fig)
{
    const auto next = [&doc](const CFigure* from) {
        CConnector* found = nullptr;
        doc.ForEachConnector([&](CConnector* c) {
            if (!found && c->m_pFig1 == from && c->m_pFig2 && c->m_pFig2->IsInvisible())
                found = c;
        });
        return found;
    };
    std::vector<CPoint> bends;
    const CConnector* c = next(fig);
    while (c && bends.size() < 50) {
        bends.push_back(c->m_pFig2->GetCenter());
        const CFigure* jct = c->m_pFig2;
        c = next(jct);
        if (!c) {
            doc.ForEachConnector([&](CConnector* last) {
                if (last->m_pFig1 == jct && last->m_pFig2 == fig)
                    c = last;
            });
            return c ? bends : std::vector<CPoint>();
        }
    }
    return {};
}

CFigure* FigWithId(const CKavoDoc& doc, int32_t id)
{
    CFigure* found = nullptr;
    doc.ForEachFigure([&](CFigure* f) {
        if (f->m_nId == id)
            found = f;
    });
    return found;
}
} // namespace

// Chosen from the real popup of the main window's view in connector mode,
// "Add Self-Transition" loops a connector from the figure back to it through
// the loop's points, draws it, saves it and reads it back, and undoes in one
// step to the text before.
TEST_F(ContextMenuTest, AddSelfTransitionFromThePopupMakesADrawnSavedLoop)
{
    fx.doc.m_nSelfReferenceRadius = 200;
    const CPoint click(a->m_rect.right - 40, a->m_rect.top + 40);
    std::vector<POINT> loop;
    ASSERT_TRUE(CKavoDoc::MakeSelfRefPoints(a, 3, 200, loop));
    const std::vector<CPoint> inner(loop.begin() + 1, loop.end() - 1);
    QTimer chooser;
    chooser.setSingleShot(true);
    bool chosen = false;
    QObject::connect(&chooser, &QTimer::timeout, [&chosen] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction* a : menu->actions())
            if (a->text() == "Add Self-Transition") {
                chosen = true;
                menu->setActiveAction(a);
                QTest::keyClick(menu, Qt::Key_Return);
                return;
            }
        menu->close();
    });
    fx.doc.ResetUndoLog();
    const std::string before = DocText(fx.doc);
    QApplication::processEvents();
    const QImage unlooped = view->viewport()->grab().toImage();
    g_nUIMode = 4;
    chooser.start(0);
    SendRightClick(*view, click);
    QApplication::processEvents();
    g_nUIMode = 0;
    ASSERT_TRUE(chosen);
    EXPECT_TRUE(prompt.shown.empty()) << prompt.shown.front().text;
    EXPECT_EQ(LoopBends(fx.doc, a), inner);

    // The loop shows above the figure's top right corner.
    const QImage looped = view->viewport()->grab().toImage();
    CPoint lo = inner.front(), hi = inner.front();
    for (const CPoint& p : inner) {
        lo = CPoint(std::min(lo.x, p.x), std::min(lo.y, p.y));
        hi = CPoint(std::max(hi.x, p.x), std::max(hi.y, p.y));
    }
    const CPoint tl = view->LogicalPtToClient(lo), br = view->LogicalPtToClient(hi);
    int changed = 0;
    for (int y = std::min(tl.y, br.y); y <= std::max(tl.y, br.y); ++y)
        for (int x = std::min(tl.x, br.x); x <= std::max(tl.x, br.x); ++x)
            changed += looped.valid(x, y) && looped.pixel(x, y) != unlooped.pixel(x, y);
    EXPECT_GT(changed, 0);

    // Saved and read back, the loop is the same.
    const std::string text = DocText(fx.doc);
    CKavoDoc again;
    ASSERT_TRUE(again.OnNewDocument());
    again.DeleteContents();
    CMemoryKeywordSource source(text);
    ASSERT_TRUE(LoadDiagramText(again, source));
    FinishDiagramLoad(again);
    EXPECT_EQ(DocText(again), text);
    EXPECT_EQ(LoopBends(again, FigWithId(again, a->m_nId)), inner);

    EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_ADDSELFREF);
    EXPECT_FALSE(fx.doc.CanUndo());
    EXPECT_EQ(DocText(fx.doc), before);
}

// In the connection-point mode a right press on a figure opens that mode's
// own menu in the main window, and its items do their work.
TEST_F(ContextMenuTest, TheConnectionPointModeOpensItsOwnMenu)
{
    g_nUIMode = 7;
    QStringList entries;
    QTimer chooser;
    chooser.setSingleShot(true);
    QObject::connect(&chooser, &QTimer::timeout, [&entries] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu)
            return;
        for (QAction* a : menu->actions())
            entries << a->text();
        menu->setActiveAction(menu->actions().at(0));
        QTest::keyClick(menu, Qt::Key_Return);
    });
    chooser.start(0);
    fx.doc.ResetUndoLog();
    const std::string before = DocText(fx.doc);
    RightPressAt(*view, CPoint(700, 700));
    g_nUIMode = 0;
    EXPECT_EQ(entries, (QStringList{"Add Connection Point", "Connection Point Properties"}));
    ASSERT_TRUE(a->m_pConPts);
    EXPECT_EQ(a->m_pConPts->GetCount(), 1);
    EXPECT_EQ(fx.doc.UndoLastStep(), 40) << "one step that adds the point";
    EXPECT_EQ(DocText(fx.doc), before);
}
