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
#include "editing/ui/CKavoView.h"
#include "editing/ui/ViewContextMenu.h"
#include "frame/ui/CMainFrame.h"

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
            EXPECT_EQ(Sig(MenuAt(at)), "Add Flow Label(33067 33068) | " + kCommon);
            EXPECT_EQ(fx.doc.GetSelCount(), 0) << "a flow selects nothing";
        }
    // A flow whose figures are grouped is none.
    for (const CPoint& at : places(grouped, c))
        EXPECT_EQ(Sig(MenuAt(at)).find("33067"), std::string::npos);
}

namespace {
// A right press and release on the view at the logical point, as the mouse
// sends them; the menus it opened.
std::vector<ContextMenu> RightPressAt(CKavoView& view, const CPoint& logical)
{
    std::vector<ContextMenu> shown;
    GetContextMenuSeams().showMenu = [&](const ContextMenu& m, const CPoint&) { shown.push_back(m); };
    const CPoint c = view.LogicalPtToClient(logical);
    QWidget* vp = view.viewport();
    const QPoint pos(c.x, c.y);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(pos), QPointF(vp->mapToGlobal(pos)), Qt::RightButton,
                      Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(vp, &press);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(pos), QPointF(vp->mapToGlobal(pos)), Qt::RightButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(vp, &release);
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
