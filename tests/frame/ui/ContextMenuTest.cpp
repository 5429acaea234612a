// The view's context menus for each kind of object under a right click:
// which items they hold (the main menu's own, with its commands), what the
// click selects, greyed figure-label positions, the popup's place and the
// beep of an empty menu.
#include "common/DiagramFixture.h"
#include "common/TestSupport.h"
#include "core/MessageBeep.h"
#include "core/Settings.h"
#include "core/UIMode.h"
#include "core/Units.h"
#include "editing/ui/CKavoView.h"
#include "editing/ui/ViewContextMenu.h"
#include "frame/ui/CMainFrame.h"

#include <QApplication>
#include <QMouseEvent>
#include <QScrollBar>
#include <gtest/gtest.h>

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
