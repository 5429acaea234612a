// The UI-mode switch, the colour-name table, grid rounding, placement and the
// grid and dotted-rectangle drawing.
#include "core/AppContext.h"
#include "core/ColorNames.h"
#include "graphics/DrawGrid.h"
#include "graphics/DrawHelpers.h"
#include "core/Settings.h"
#include "core/UIMode.h"
#include "platform/CPainterDC.h"

#include <QColor>
#include <QImage>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {
class FakeDoc : public IActiveDocument {
public:
    bool SetCurConStyle(int i) override { calls.push_back("con " + std::to_string(i)); return true; }
    bool SetCurFigStyle(int i) override { calls.push_back("fig " + std::to_string(i)); return true; }
    bool SetCurLblStyle(int i) override { calls.push_back("lbl " + std::to_string(i)); return true; }
    bool HasSelection() const override { return selection; }
    void DeselectAll() override { calls.push_back("deselect"); selection = false; }
    void OnDeselectAll() override { calls.push_back("OnDeselectAll"); selection = false; }
    void ClearTextObjIndex() override { calls.push_back("cleartext"); }
    bool IsShowingConPts() const override { return showingConPts; }
    void SetShowingConPts() override { showingConPts = true; }

    std::vector<std::string> calls;
    bool selection = false;
    bool showingConPts = false;
};

class FakeView : public IActiveView {
public:
    void OnClearFeedback() override { calls.push_back("clearfeedback"); }
    void EndRubberFigure(bool, bool) override { calls.push_back("endrubber"); }
    bool InTextEditMode() const override { return textEditMode; }
    bool IsCursorOverView() const override { return cursorOver; }
    void SetPendingPlacement() override { calls.push_back("pending"); }
    bool IsTextEditorOpen() const override { return editorOpen; }
    bool HasTextEditorSelection() const override { return true; }
    void CloseTextEditor() override { calls.push_back("closeeditor"); editorOpen = false; }
    void SetFocus() override { calls.push_back("focus"); }

    std::vector<std::string> calls;
    bool textEditMode = false;
    bool cursorOver = true;
    bool editorOpen = false;
};

class FakeContext : public IAppContext {
public:
    IActiveDocument* GetActiveDocument() override { return &doc; }
    IActiveView* GetActiveView() override { return &view; }
    void UpdateAllDocuments() override { ++updates; }
    bool SelectStyleBarCommand(int id) override { styleBarIds.push_back(id); return true; }
    void SetStatusBarText(const std::string& t) override { status = t; }

    FakeDoc doc;
    FakeView view;
    int updates = 0;
    std::vector<int> styleBarIds;
    std::string status;
};

class UIModeTest : public ::testing::Test {
protected:
    void SetUp() override { SetAppContext(&ctx); }
    void TearDown() override { SetAppContext(nullptr); }
    FakeContext ctx;
};
} // namespace

TEST_F(UIModeTest, CreateModeFollowsTheStyleKind)
{
    EnterUIMode(2, 37600 + 4);
    EXPECT_EQ(g_nUIMode, 3);
    EXPECT_EQ(ctx.doc.calls, (std::vector<std::string>{"lbl 4"}));
    EXPECT_EQ(ctx.styleBarIds.back(), 37604);
    // Step 8 goes by the mode as asked (2): the text editor is closed.
    EXPECT_EQ(ctx.view.calls, (std::vector<std::string>{"closeeditor", "focus"}));

    ctx.doc.calls.clear();
    EnterUIMode(2, 37100 + 2);
    EXPECT_EQ(g_nUIMode, 4);
    EXPECT_EQ(ctx.doc.calls, (std::vector<std::string>{"con 2"}));

    ctx.doc.calls.clear();
    ctx.doc.selection = true;
    EnterUIMode(2, 36600 + 7);
    EXPECT_EQ(g_nUIMode, 2);
    EXPECT_EQ(ctx.doc.calls, (std::vector<std::string>{"fig 7", "deselect"}));

    EnterUIMode(2, 12);
    EXPECT_EQ(g_nUIMode, 0);
}

// A label style chosen while the view waits for text, with the pointer over
// it, places the label at the next press; otherwise nothing is pending.
TEST_F(UIModeTest, ALabelStyleInTextEntryOverTheViewIsPending)
{
    const struct {
        bool textEditMode, cursorOver, pending;
    } cases[] = {{true, true, true}, {true, false, false}, {false, true, false}};
    for (const auto& c : cases) {
        ctx.view.calls.clear();
        ctx.view.textEditMode = c.textEditMode;
        ctx.view.cursorOver = c.cursorOver;
        EnterUIMode(2, 37600 + 1);
        const auto& calls = ctx.view.calls;
        EXPECT_EQ(std::count(calls.begin(), calls.end(), "pending"), c.pending ? 1 : 0)
            << c.textEditMode << c.cursorOver;
    }
}

TEST_F(UIModeTest, ConnectorModeNeedsAConnectorStyle)
{
    SelectMode = 1;
    EnterUIMode(4, 36600);
    EXPECT_EQ(g_nUIMode, 0);
    EXPECT_EQ(SelectMode, 1);   // the fall-back to 0 comes after the select-mode bookkeeping
    EXPECT_TRUE(ctx.doc.calls.empty());
    EXPECT_EQ(ctx.styleBarIds.back(), 0);
    EnterUIMode(4, 37100 + 11);
    EXPECT_EQ(g_nUIMode, 4);
    EXPECT_EQ(ctx.doc.calls, (std::vector<std::string>{"con 11"}));
}

TEST_F(UIModeTest, SelectModesAreRemembered)
{
    EnterUIMode(4, 37100);
    ctx.view.calls.clear();
    EnterUIMode(1, 0);
    EXPECT_EQ(SelectMode, 1);
    EXPECT_EQ(ctx.view.calls, (std::vector<std::string>{"clearfeedback", "endrubber"}));
    EXPECT_EQ(ctx.doc.calls.back(), "cleartext");
    EnterUIMode(5, 0);
    EnterUIMode(6, 0);
    EXPECT_EQ(g_nUIMode, 1);

    ctx.doc.calls.clear();
    EnterUIMode(3, 0);
    // Coming from select-text: the label style is kept.
    EXPECT_EQ(ctx.doc.calls, (std::vector<std::string>{"OnDeselectAll"}));
    EnterUIMode(0, 0);
    ctx.doc.calls.clear();
    EnterUIMode(3, 0);
    EXPECT_EQ(ctx.doc.calls, (std::vector<std::string>{"OnDeselectAll", "lbl -1"}));
}

TEST_F(UIModeTest, ConnectionPointModeRefreshesAndRestoreSelect)
{
    ShowConnectionPoints = 0;
    EnterUIMode(7, 0);
    EXPECT_EQ(g_nUIMode, 7);
    EXPECT_EQ(ctx.updates, 2);
    EXPECT_TRUE(ctx.doc.showingConPts);
    EXPECT_EQ(ctx.doc.calls.back(), "OnDeselectAll");
    EnterUIMode(6, 0);
    EXPECT_EQ(ctx.updates, 3);   // leaving mode 7 refreshes too
    EXPECT_EQ(g_nUIMode, 0);

    ctx.doc.selection = true;
    RestoreSelectMode();
    EXPECT_EQ(ctx.doc.calls.back(), "deselect");
    EnterUIMode(5, 0);
    RestoreSelectMode();
    EXPECT_EQ(g_nUIMode, 0);

    ctx.view.editorOpen = true;
    EXPECT_TRUE(IsActiveViewEditingText());
    EXPECT_TRUE(HasActiveViewTextSelection());
    const std::string name = "Process", desc = "A step";
    ShowItemInfoInStatusBar(&name, &desc);
    EXPECT_EQ(ctx.status, "Process: A step");
    const std::string none;
    ShowItemInfoInStatusBarAlt(&name, &none);
    EXPECT_EQ(ctx.status, "Process");
}

TEST(UIModeNoContext, WorksWithoutDocumentOrView)
{
    EnterUIMode(2, 37600);
    EXPECT_EQ(g_nUIMode, 3);
    EXPECT_FALSE(IsActiveViewEditingText());
    RestoreSelectMode();
    EXPECT_EQ(g_nUIMode, 0);
}

TEST(ColorNames, TableAndLookup)
{
    const NamedColorRecord* t = GetNamedColorTable();
    EXPECT_STREQ(t[0].name, "Black and white (default)");
    EXPECT_STREQ(t[24].name, "AliceBlue");
    EXPECT_STREQ(t[164].name, "YellowGreen");
    COLORREF a = 1, b = 1;
    EXPECT_EQ(FindNamedColor("Firebrick", &a, &b), 1);
    EXPECT_EQ(a, RGB(0xB2, 0x22, 0x22));
    EXPECT_EQ(b, 0u);
    EXPECT_EQ(FindNamedColor("Fire Brick", &a, &b), 1);
    EXPECT_EQ(a, 0x4444DBu);
    EXPECT_EQ(b, 0x17177Bu);
    b = 5;
    EXPECT_EQ(FindNamedColor("firebrick", &a, &b), 0);
    EXPECT_EQ(b, 0u);
    EXPECT_EQ(FindNamedColor("Transparent", &a, &b), 1);
    EXPECT_EQ(a, 0xFFFFFFu);
    // Every named colour agrees with the standard keyword's value, in
    // alphabetical order.
    for (int i = 24; i < kNamedColorCount; ++i) {
        if (i > 24) {
            EXPECT_LT(std::strcmp(t[i - 1].name, t[i].name), 0) << t[i].name;
        }
        if (std::strcmp(t[i].name, "Transparent") == 0)
            continue;
        QColor c = QColor::fromString(QString::fromLatin1(t[i].name).toLower());
        ASSERT_TRUE(c.isValid()) << t[i].name;
        EXPECT_EQ(t[i].first, RGB(c.red(), c.green(), c.blue())) << t[i].name;
    }
}

TEST(GridRound, RealAndInt)
{
    EXPECT_EQ(GridRoundInt(true, 64, 32), 32);
    EXPECT_EQ(GridRoundInt(false, 64, 32), -32);
    EXPECT_EQ(GridRoundInt(true, 70, 32), 26);
    EXPECT_EQ(GridRoundInt(false, 70, 32), -6);
    // Negative values round to the grid line below, as the real version does.
    EXPECT_EQ(GridRoundInt(true, -70, 32), 6);
    EXPECT_EQ(GridRoundInt(false, -70, 32), -26);
    EXPECT_DOUBLE_EQ(GridRoundReal(true, -70, 32), 6);    // floor: -96 + 32 + 70
    EXPECT_DOUBLE_EQ(GridRoundReal(false, -70, 32), -26);
    EXPECT_DOUBLE_EQ(GridRoundReal(true, 70, 32), 26);
    EXPECT_DOUBLE_EQ(GridRoundReal(false, 64, 32), -32);
    EXPECT_EQ(GridRoundInt(true, 5, 0), 0);
}

TEST(DrawHelpers, PositionsAndPlacement)
{
    POINT p = InterpolatePoint255(255, POINT{0, 0}, POINT{100, -50});
    EXPECT_EQ(p.x, 100);
    EXPECT_EQ(p.y, -50);
    EXPECT_EQ(GradientPosition255(POINT{50, 0}, POINT{0, 0}, POINT{100, 0}), 128);
    EXPECT_EQ(GradientPosition255(POINT{0, 300}, POINT{0, 0}, POINT{0, 100}), 255);
    EXPECT_EQ(GradientPosition255(POINT{0, 0}, POINT{0, 0}, POINT{0, 0}), 0);
    int x = -1, y = -1;
    RectPosition255(60, 0, RECT{10, 0, 110, 0}, &x, &y);
    EXPECT_EQ(x, 127);
    EXPECT_EQ(y, 0);
    EXPECT_TRUE(IsPrintableChar(0x120));
    EXPECT_FALSE(IsPrintableChar(0x11F));
    LOGFONT lf;
    lf.lfWeight = 700;
    InitDefaultLogFont(lf);
    EXPECT_EQ(lf.lfWeight, 0);
    EXPECT_EQ(lf.lfHeight, -8);

    const CRect mainWnd(0, 0, 1000, 800), desktop(0, 0, 1200, 900);
    CRect rc(990, 790, 1090, 890);
    EXPECT_TRUE(KeepRectInArea(rc, mainWnd, desktop));
    EXPECT_EQ(rc, CRect(895, 695, 995, 795));
    CRect big(0, 0, 2000, 100);
    KeepRectInArea(big, mainWnd, desktop);
    EXPECT_EQ(big.left, 0);

    CRect wnd(0, 0, 100, 50);
    EXPECT_TRUE(PositionRectNear(wnd, CRect(100, 100, 200, 200), mainWnd, desktop));
    EXPECT_EQ(wnd, CRect(210, 100, 310, 150));
    CRect nearEdge(0, 0, 100, 50);
    PositionRectNear(nearEdge, CRect(880, 100, 995, 200), mainWnd, desktop);
    EXPECT_EQ(nearEdge, CRect(770, 100, 870, 150));   // left of it
}

TEST(DrawGrid, LinesDotsAndDottedRect)
{
    QImage img(40, 40, QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        CPainterDC dc(&img);
        DrawGrid(&dc, RECT{0, 0, 40, 40}, RGB(255, 0, 0), true, 10, 10);
    }
    EXPECT_EQ(img.pixel(10, 10) & 0xFFFFFF, 0x000000u);   // black dots, not the grid colour
    EXPECT_EQ(img.pixel(11, 10) & 0xFFFFFF, 0xFFFFFFu);
    img.fill(Qt::white);
    {
        CPainterDC dc(&img);
        DrawGrid(&dc, RECT{0, 0, 40, 40}, RGB(255, 0, 0), false, 10, 10);
    }
    EXPECT_EQ(img.pixel(20, 5) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(img.pixel(5, 5) & 0xFFFFFF, 0xFFFFFFu);

    img.fill(Qt::black);
    {
        CPainterDC dc(&img);
        DrawDottedRect(&dc, RECT{5, 5, 30, 30}, 2);
    }
    EXPECT_EQ(img.pixel(5, 5) & 0xFFFFFF, 0xFFFFFFu);   // inverted
    EXPECT_EQ(img.pixel(15, 15) & 0xFFFFFF, 0x000000u); // hollow
}

TEST(DrawHelpers, LogFontMetrics)
{
    LOGFONT lf;
    InitDefaultLogFont(lf);
    lf.lfHeight = -12;   // points
    int twelve = 0, line = 0, ascent = 0;
    ASSERT_TRUE(GetLogFontMetrics(lf, &twelve, &line, &ascent));
    EXPECT_GT(ascent, 0);
    EXPECT_GT(line, ascent);
    EXPECT_EQ(twelve, 12 * line);
    // 12 points are 42 logical units: the line is about that tall.
    EXPECT_GT(line, 30);
    EXPECT_LT(line, 70);
}

namespace {
class ScreenContext : public FakeContext {
public:
    bool GetMainWindowRect(CRect& rc) override { rc = CRect(0, 0, 1000, 800); return true; }
    bool GetDesktopRect(CRect& rc) override { rc = CRect(0, 0, 1200, 900); return true; }
};
} // namespace

TEST(DrawHelpers, PlacementAgainstTheMainWindow)
{
    CRect rc(990, 790, 1090, 890);
    EXPECT_FALSE(KeepRectInMainWnd(rc));   // no main window: unmoved
    ScreenContext ctx;
    SetAppContext(&ctx);
    EXPECT_TRUE(KeepRectInMainWnd(rc));
    EXPECT_EQ(rc, CRect(895, 695, 995, 795));
    CRect wnd(0, 0, 100, 50);
    EXPECT_TRUE(PositionDlgNearRect(wnd, CRect(100, 100, 200, 200)));
    EXPECT_EQ(wnd.left, 210);
    SetAppContext(nullptr);
}
