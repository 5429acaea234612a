// The right button, the wheel's first taker and the hover prompts on a
// real view: a right press during any gesture is ignored and the gesture
// ends as one complete undo step or none; an idle right press opens the
// menu of the mode through the view's hook or leaves a one-shot mode.
#include "ViewEventDriver.h"

#include "undo/UndoCodes.h"

#include <functional>
#include <vector>

namespace {
struct ViewRightClickTest : ViewEventDriver {
    void AddObjects() override
    {
        navigationBefore = UndoableNavigation;
        UndoableNavigation = 0;
        a = fx.AddBox(600, 600, 600, 450, "A");
        b = fx.AddBox(2400, 600, 600, 450, "B");
        con = fx.Connect(a, b);
        rows = fx.AddRowsSymbol();
        d = fx.AddBox(1500, 1300, 600, 600, "");
        d->m_props.Symbol = rows;
        d->m_props.Behavior.high &= ~DWORD(256 | 512);
    }
    void SetUp() override
    {
        ViewEventDriver::SetUp();
        Save();
        view->m_contextMenuHook = [this](int kind, const CPoint&) { menus.push_back(kind); };
    }
    void TearDown() override
    {
        UndoableNavigation = navigationBefore;
        g_nUIMode = 0;
        ViewEventDriver::TearDown();
    }

    int navigationBefore = 0, rows = -1;
    CFigure *a = nullptr, *b = nullptr, *d = nullptr;
    CConnector* con = nullptr;
    std::vector<int> menus;
};
} // namespace

// Each gesture is started with real events; a right press in the middle of
// it changes nothing, and the release still ends it as it would have.
TEST_F(ViewRightClickTest, ARightPressDuringAGestureIsIgnored)
{
    struct Gesture {
        const char* name;
        int mode;
        std::function<QPoint()> start;   // selects what it needs, returns the press point
        Qt::KeyboardModifiers mods;
        QPoint offset;
        int undoCode;                    // 0: the gesture makes no step
    };
    const Gesture gestures[] = {
        {"rubber band", 0, [&] { return At(CPoint(300, 1500)); }, Qt::NoModifier, QPoint(60, 40), 0},
        {"pan", 0, [&] { return At(CPoint(300, 1500)); }, Qt::ControlModifier, QPoint(30, 20), 0},
        {"move drag", 0,
         [&] {
             fx.doc.SelectObj(a, 1, 0, 0);
             return Centre(a);
         },
         Qt::NoModifier, QPoint(30, 20), UDMAC_MOVEOBJS},
        {"figure resize", 0,
         [&] {
             fx.doc.SelectObj(a, 1, 0, 0);
             return At(a->GetHandlePoint(9));
         },
         Qt::NoModifier, QPoint(30, 20), UDMAC_RESIZEFIG},
        {"divider drag", 0,
         [&] {
             CPoint h;
             EXPECT_TRUE(d->GetSymbol()->GetDividerHandle(0, h, d->m_rect));
             return At(h);
         },
         Qt::NoModifier, QPoint(0, 20), UDMAC_RESHAPE},
        {"zoom band", 5, [&] { return At(CPoint(300, 1500)); }, Qt::NoModifier, QPoint(60, 40), 0},
    };
    for (const Gesture& g : gestures) {
        SCOPED_TRACE(g.name);
        g_nUIMode = g.mode;
        const CPoint anchor = view->GetViewAnchorPoint(kAnchorTopLeft);
        const QPoint from = g.start();
        view->FlushPaint();
        Press(from, g.mods);
        Move(from + g.offset / 2, g.mods);
        Move(from + g.offset, g.mods);
        ASSERT_TRUE(view->IsGestureInProgress());
        RightPress(from + g.offset, Qt::LeftButton | Qt::RightButton);
        EXPECT_TRUE(view->IsGestureInProgress());
        EXPECT_TRUE(menus.empty());
        EXPECT_EQ(g_nUIMode, g.mode);
        Release(from + g.offset, g.mods);
        EXPECT_FALSE(view->IsGestureInProgress());
        EXPECT_EQ(Steps(), g.undoCode ? 1 : 0);
        if (g.undoCode) {
            EXPECT_EQ(fx.doc.UndoLastStep(), g.undoCode);
        }
        fx.doc.DeselectAllObjs();
        EXPECT_EQ(DocText(fx.doc), saved);
        // The gesture let the mouse go: a right press now opens the menu.
        g_nUIMode = 0;
        RightPress(from);
        EXPECT_EQ(menus, std::vector<int>{CKavoView::kObjectMenu});
        menus.clear();
        // Back to the saved view for the next gesture.
        view->ZoomToPercent(100);
        view->ScrollToViewAnchorPoint(anchor, kAnchorTopLeft, true);
        stepBase = int(fx.doc.UndoLogRef().m_nStepsRecorded);
    }
}

// Idle, the right press opens the menu of the mode; in creation, text and
// zoom modes it only leaves the mode for select mode.
TEST_F(ViewRightClickTest, AnIdleRightPressOpensTheMenuOfTheMode)
{
    const struct {
        int mode;
        int menu;   // -1: none, the mode is left
    } cases[] = {
        {0, CKavoView::kObjectMenu},    {1, CKavoView::kObjectMenu}, {4, CKavoView::kConnectorMenu},
        {7, CKavoView::kConPtMenu},     {2, -1},                     {3, -1},
        {5, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mode);
        menus.clear();
        g_nUIMode = c.mode;
        CPoint seen(-1, -1);
        view->m_contextMenuHook = [&](int kind, const CPoint& client) {
            menus.push_back(kind);
            seen = client;
        };
        RightPress(Centre(a));
        if (c.menu >= 0) {
            ASSERT_EQ(menus.size(), 1u);
            EXPECT_EQ(menus[0], c.menu);
            EXPECT_EQ(seen, CPoint(Centre(a).x(), Centre(a).y()));
            EXPECT_EQ(g_nUIMode, c.mode);
        } else {
            EXPECT_TRUE(menus.empty());
            EXPECT_TRUE(g_nUIMode == 0 || g_nUIMode == 1) << g_nUIMode;
        }
    }
    EXPECT_EQ(Steps(), 0);
    EXPECT_EQ(DocText(fx.doc), saved);
}

// The style bar gets the wheel first; what it takes the view leaves alone.
TEST_F(ViewRightClickTest, TheStyleBarTakesTheWheelFirst)
{
    std::vector<int> codes;
    bool take = true;
    view->m_styleBarWheelHook = [&](int code, const CPoint&) {
        codes.push_back(code);
        return take;
    };
    const CPoint anchor = view->GetViewAnchorPoint(kAnchorTopLeft);
    Wheel(-240);
    Wheel(119);   // below a notch: nobody sees it
    EXPECT_EQ(codes, std::vector<int>{3});
    EXPECT_EQ(view->GetViewAnchorPoint(kAnchorTopLeft), anchor);
    take = false;
    Wheel(-120);
    EXPECT_EQ(codes, (std::vector<int>{3, 1}));
    EXPECT_GT(view->GetViewAnchorPoint(kAnchorTopLeft).y, anchor.y);
}

// The hover chain's prompts for a connector split with Alt, a selected
// connector's end, and a figure with a link; each move reports the view
// as the window under the cursor.
TEST_F(ViewRightClickTest, HoverPromptsAndReport)
{
    std::vector<QWidget*> reported;
    CKavoView::SetHoverReport([&](QWidget* w) { reported.push_back(w); });
    const QPoint onLine = At(con->GetMidPoint());
    Move(onLine, Qt::AltModifier, Qt::NoButton);
    EXPECT_EQ(view->StatusText().rfind("Click to split connector", 0), 0u) << view->StatusText();
    fx.doc.SelectObj(con, 1, 0, 0);
    Move(At(con->EndPoint2), Qt::NoModifier, Qt::NoButton);
    EXPECT_EQ(view->StatusText().rfind("Click to adjust connector", 0), 0u) << view->StatusText();
    fx.doc.DeselectAllObjs();
    b->m_strLink = "http://example.org/b";
    Move(Centre(b), Qt::NoModifier, Qt::NoButton);
    EXPECT_EQ(view->StatusText().rfind("Click to move, double click to open:  http://example.org/b", 0), 0u)
        << view->StatusText();
    EXPECT_EQ(view->ViewCursor(), int(Qt::PointingHandCursor));
    Move(Centre(a), Qt::NoModifier, Qt::NoButton);
    EXPECT_EQ(view->StatusText().rfind("Click to move   CTRL: duplicate", 0), 0u) << view->StatusText();
    ASSERT_FALSE(reported.empty());
    EXPECT_EQ(reported.back(), view->viewport());
    CKavoView::SetHoverReport(nullptr);
    // The application's mouse-left notice is taken by the view.
    QEvent left(QEvent::Type(QEvent::User + 0x4C9));
    EXPECT_TRUE(QApplication::sendEvent(view->viewport(), &left));
}

// A gesture ended with Escape lets the mouse go: the next right press
// opens the menu again.
TEST_F(ViewRightClickTest, AGestureEndedWithEscapeLetsTheMouseGo)
{
    const struct {
        const char* name;
        std::function<QPoint()> start;   // selects what it needs, returns the press point
        Qt::KeyboardModifiers mods;
    } gestures[] = {
        {"rubber band", [&] { return At(CPoint(300, 1500)); }, Qt::NoModifier},
        {"pan", [&] { return At(CPoint(300, 1500)); }, Qt::ControlModifier},
        {"move drag", [&] { return Centre(a); }, Qt::NoModifier},
        {"resize", [&] { fx.doc.SelectObj(a, 1, 0, 0); return At(a->GetHandlePoint(9)); }, Qt::NoModifier},
    };
    for (const auto& g : gestures) {
        SCOPED_TRACE(g.name);
        fx.doc.OnDeselectAll();
        const QPoint from = g.start();
        Press(from, g.mods);
        Move(from + QPoint(30, 20), g.mods);
        ASSERT_TRUE(view->IsGestureInProgress());
        Key(Qt::Key_Escape);
        Release(from + QPoint(30, 20), g.mods);
        EXPECT_FALSE(view->IsGestureInProgress());
        menus.clear();
        RightClick(At(CPoint(300, 1500)));
        EXPECT_EQ(menus.size(), 1u);
    }
    EXPECT_EQ(DocText(fx.doc), saved);
}
