// The update rules of the main frame's commands in a few document states,
// the Undo item's text, the greyed submenus and the status zoom pane.
#include "common/DiagramFixture.h"
#include "common/DocText.h"
#include "controls/CColorDropButton.h"
#include "controls/CLinePatternButton.h"
#include "controls/CTextDropButton.h"
#include "core/Settings.h"
#include "core/UIMode.h"
#include "document/CStaple.h"
#include "document/Trunks.h"
#include "editing/ui/CKavoView.h"
#include "editing/ui/CTextDialog.h"
#include "frame/ui/CCustomToolBar.h"
#include "frame/ui/CMainFrame.h"
#include "undo/UndoCodes.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <vector>

namespace {
enum State { kNoDoc, kEmpty, kOneFigure, kJunction };

struct Session {
    DiagramFixture fx;   // outlives the views the frame holds
    CMainFrame frame;
    CKavoView* view = nullptr;

    void Open()
    {
        view = new CKavoView(&fx.doc);
        frame.AddViewFrame(view, "test");
    }
    void Enter(State s)
    {
        if (s == kNoDoc)
            return;
        Open();
        if (s == kOneFigure)
            fx.doc.Select(fx.AddBox(100, 100, 300, 200, "A"));
        if (s == kJunction) {
            // A junction is an invisible figure: blank, no text, connected.
            CFigure* jct = fx.doc.CreateFigAt(POINT{800, 500}, 1);
            fx.Connect(fx.AddBox(100, 400, 300, 200, "B"), jct);
            fx.doc.Select(jct);
        }
    }
};

struct CommandUpdateTest : testing::Test, Session {};

struct Row {
    int id;
    bool enabled[4];   // no document, empty, one figure, one junction
};
} // namespace

TEST_F(CommandUpdateTest, EnabledStatesFollowTheDocumentAndSelection)
{
    const Row rows[] = {
        {57632, {false, false, true, true}},    // Delete
        {57634, {false, false, true, false}},   // Copy: not a lone junction
        {57635, {false, false, true, false}},   // Cut
        {32768, {false, false, true, false}},   // Duplicate
        {33029, {false, false, true, true}},    // Select All: objects exist
        {36524, {false, false, true, true}},    // Zoom to selected objects
        {36520, {false, true, true, true}},     // Page Width
        {32780, {false, false, true, true}},    // Front One: exactly one selected
        {36525, {false, true, true, true}},     // zoom presets: any view
        // Commands on particular objects: none of them with nothing selected.
        {33054, {false, false, true, false}},   // Figure Properties: a plain figure
        {33190, {false, false, false, false}},  // Align: two units
        {40013, {false, false, false, false}},  // Space Evenly: three units
        {40012, {false, false, true, true}},    // Center on Page: any figure
        {40006, {false, false, false, false}},  // Make Same Size: two plain figures
        {40009, {false, false, true, false}},   // Size to Text: a figure with text areas
        {32771, {false, false, true, false}},   // Set Hyperlink: one visible figure
        {32772, {false, false, false, false}},  // Open Hyperlink: one figure with a link
        {32773, {false, false, false, false}},  // Open Parent Hyperlink: the diagram has one
        {32791, {false, true, true, true}},     // Insert Symbol: any diagram
        {33063, {false, false, false, false}},  // Connector Properties
        {33120, {false, false, false, false}},  // Label Properties
        {33122, {false, false, false, false}},  // Attach Label: a figure and a label
        {33123, {false, false, false, false}},  // Detach Label: a pinned label
        {36534, {false, false, false, false}},  // Rotate: a rotatable label
        {32818, {false, false, false, false}},  // Group: two objects
        {32819, {false, false, false, false}},  // Ungroup: a grouped one among them
        {32821, {false, false, false, false}},  // Regroup: a group was dissolved
    };
    ShowPage = 1;
    for (State s : {kNoDoc, kEmpty, kOneFigure, kJunction}) {
        Session fresh;
        fresh.Enter(s);
        for (const Row& r : rows)
            EXPECT_EQ(fresh.frame.Commands().QueryCmdState(r.id).enabled, r.enabled[s])
                << "command " << r.id << " state " << s;
    }
}

// The same commands once the objects they need are selected.
TEST_F(CommandUpdateTest, SelectionCommandsEnableWithTheirObjects)
{
    Open();
    ShowPage = 1;
    ShowPropertyBar = 1;
    g_nUIMode = 0;
    CFigure* a = fx.AddBox(100, 100, 300, 200, "A");
    CFigure* b = fx.AddBox(600, 100, 300, 200, "B");
    CFigure* c = fx.AddBox(1100, 100, 300, 200, "C");
    CFigure* label = fx.AddBox(100, 600, 300, 100, "note");
    label->m_bLabel = 1;
    a->m_strLink = "other.kvd";
    CConnector* con = fx.Connect(a, b);
    const auto enabled = [&](int id) { return frame.Commands().QueryCmdState(id).enabled; };
    const struct {
        std::vector<CDiagObj*> selected;
        std::vector<int> on, off;
    } cases[] = {
        {{a}, {33054, 32771, 32772, 40009}, {33190, 40006, 32818, 33120, 33122}},
        {{a, b}, {33190, 40006, 32818}, {40013, 32771, 32772, 32819}},
        {{a, b, c}, {33190, 40013, 40006}, {}},
        {{a, label}, {33122, 33120, 33054}, {33123, 40006}},
        {{label}, {33120, 36534, 36535}, {33054, 33122}},
        {{con}, {33063}, {33054, 33190, 32771}},
    };
    for (const auto& k : cases) {
        fx.doc.ClearSel(false);
        for (CDiagObj* o : k.selected)
            fx.doc.Select(o);
        for (int id : k.on)
            EXPECT_TRUE(enabled(id)) << "command " << id << " with " << k.selected.size() << " selected";
        for (int id : k.off)
            EXPECT_FALSE(enabled(id)) << "command " << id << " with " << k.selected.size() << " selected";
    }
    // The unrotated label's item is the chosen one.
    fx.doc.ClearSel(false);
    fx.doc.Select(label);
    EXPECT_EQ(frame.Commands().QueryCmdState(36534).check, 1);
    EXPECT_EQ(frame.Commands().QueryCmdState(36535).check, 0);
    // Without the property bar or outside the selection modes nothing turns.
    ShowPropertyBar = 0;
    EXPECT_FALSE(enabled(36534));
    ShowPropertyBar = 1;
    g_nUIMode = 3;
    EXPECT_FALSE(enabled(36534));
    g_nUIMode = 0;
}

// Group, Ungroup, Ungroup All and Regroup from the frame: each enabled only
// where it can act, each one step of its own kind, and undo of the lot
// gives the saved text back.
TEST_F(CommandUpdateTest, GroupingCommandsEnableWhereTheyActAndAreOneStepEach)
{
    Open();
    CFigure* a = fx.AddBox(100, 100, 300, 200, "A");
    CFigure* b = fx.AddBox(600, 100, 300, 200, "B");
    CFigure* c = fx.AddBox(1100, 100, 300, 200, "C");
    fx.doc.ResetUndoLog();
    const std::string saved = DocText(fx.doc);
    const auto select = [&](std::vector<CDiagObj*> objs) {
        fx.doc.ClearSel(false);
        for (CDiagObj* o : objs)
            fx.doc.Select(o);
    };
    const auto enabled = [&](int id) { return frame.Commands().QueryCmdState(id).enabled; };
    const struct {
        const char* what;
        std::vector<CDiagObj*> selected;
        int command;                       // 0: only the states are checked
        int step;
        std::vector<int> on, off;
    } rows[] = {
        {"two loose figures", {a, b}, 0, 0, {32818}, {32819, 32820, 32821}},
        {"grouped", {a, b}, 32818, UDMAC_GROUP, {32819, 32820}, {32818, 32821}},
        {"the group and a loose one", {a, b, c}, 0, 0, {32818, 32819, 32820}, {32821}},
        {"one member alone", {a}, 0, 0, {}, {32818, 32819, 32820}},
        {"ungrouped", {a, b, c}, 32819, UDMAC_UNGROUP, {32818, 32821}, {32819, 32820}},
        {"regrouped", {a, b}, 32821, UDMAC_REGROUP, {32819, 32820}, {32818, 32821}},
        {"nested", {a, b, c}, 32818, UDMAC_GROUP, {32819, 32820}, {32818, 32821}},
        {"all ungrouped", {a, b, c}, 32820, UDMAC_UNGROUPALL, {32818}, {32819, 32820, 32821}},
    };
    int steps = 0;
    for (const auto& r : rows) {
        select(r.selected);
        if (r.command) {
            EXPECT_TRUE(frame.OnCommand(r.command)) << r.what;
            EXPECT_EQ(fx.doc.UndoLogRef().GetLastUndoStepCode(), r.step) << r.what;
            ++steps;
        }
        for (int id : r.on)
            EXPECT_TRUE(enabled(id)) << "command " << id << ": " << r.what;
        for (int id : r.off)
            EXPECT_FALSE(enabled(id)) << "command " << id << ": " << r.what;
    }
    EXPECT_TRUE(fx.doc.m_groupList.empty()) << "nested groups all dissolved";
    for (const CFigure* f : {a, b, c})
        EXPECT_EQ(f->m_pGroup, nullptr);
    for (int k = 0; k < steps; ++k)
        fx.doc.UndoLastStep();
    EXPECT_EQ(DocText(fx.doc), saved);
}

TEST_F(CommandUpdateTest, ChecksFollowTheSettingsAndModeButtonsTheMode)
{
    Open();
    ShowRulers = 1;
    ShowPage = 0;
    EXPECT_EQ(frame.Commands().QueryCmdState(33083).check, 1);
    EXPECT_EQ(frame.Commands().QueryCmdState(33085).check, 0);
    g_nUIMode = 5;
    const CmdUI zoomMode = frame.Commands().QueryCmdState(36502);
    EXPECT_FALSE(zoomMode.enabled);
    EXPECT_EQ(zoomMode.check, 1);
    const CmdUI select = frame.Commands().QueryCmdState(36500);
    EXPECT_TRUE(select.enabled);
    EXPECT_EQ(select.check, 0);
    // Without a child: disabled and not chosen.
    CMainFrame empty;
    EXPECT_FALSE(empty.Commands().QueryCmdState(36500).enabled);
    EXPECT_EQ(empty.Commands().QueryCmdState(36500).check, 0);
}

TEST_F(CommandUpdateTest, UndoItemNamesTheLastStep)
{
    Open();
    fx.doc.ResetUndoLog();
    frame.OnIdleUpdateCmdUI();
    QAction* undo = frame.Commands().Action(57643);
    ASSERT_NE(undo, nullptr);
    EXPECT_EQ(undo->text(), "&Undo");
    EXPECT_FALSE(undo->isEnabled());
    ASSERT_TRUE(fx.doc.AddNewFig(UDMAC_CREATEFIG, new CFigure(0, 0, 100, 100, CFigProps(), -1, 0, "", "",
                                                               CFigure::CreateArgs(), &fx.doc), true));
    frame.OnIdleUpdateCmdUI();
    EXPECT_EQ(undo->text(), "&Undo Create Figure\tCtrl+Z");
    EXPECT_TRUE(undo->isEnabled());
}

TEST_F(CommandUpdateTest, SubmenusGreyWhenNoneOfTheirCommandsIsEnabled)
{
    Open();
    QMenu* edit = frame.FindTopMenu("&Edit");
    ASSERT_NE(edit, nullptr);
    QAction* order = nullptr;
    for (QAction* a : edit->actions())
        if (a->text() == "&Order")
            order = a;
    ASSERT_NE(order, nullptr);
    frame.UpdateSubmenuStates();
    EXPECT_FALSE(order->isEnabled());
    fx.doc.Select(fx.AddBox(0, 0, 100, 100, ""));
    frame.UpdateSubmenuStates();
    EXPECT_TRUE(order->isEnabled());
}

TEST_F(CommandUpdateTest, ZoomPaneShowsTheRoundedZoomAndPresetsTheTable)
{
    EXPECT_EQ(frame.ZoomPaneText(), " ");
    Open();
    view->SetScrollSizesForView(CPoint(0, 0), 149.6f);
    EXPECT_EQ(frame.ZoomPaneText(), " 150%");
    Zoom[0] = 33;
    frame.RelabelZoomMenu();
    EXPECT_EQ(frame.Commands().Action(36525)->text(), "33%");
}

// Writes a picture of the main window with a small diagram to the file that
// KAVO_SCREENSHOT names (run by hand for the documentation).
TEST_F(CommandUpdateTest, DISABLED_MainWindowScreenshot)
{
    const QString path = qEnvironmentVariable("KAVO_SCREENSHOT");
    ASSERT_FALSE(path.isEmpty());
    frame.resize(1000, 700);
    frame.show();
    CFigure* start = fx.AddBox(300, 300, 600, 300, "Start", RGB(255, 240, 200));
    CFigure* check = fx.AddBox(1200, 300, 600, 300, "Check", RGB(210, 240, 210));
    CFigure* done = fx.AddBox(750, 900, 600, 300, "Done", RGB(220, 220, 255));
    fx.Connect(start, check);
    fx.Connect(check, done);
    fx.doc.m_bShowGrid = 1;
    Open();
    frame.OnIdleUpdateCmdUI();
    view->FlushPaint();
    QApplication::processEvents();
    ASSERT_TRUE(frame.grab().save(path));
}

namespace {
void CollectMenuCommands(const QList<QAction*>& actions, std::set<int>& ids)
{
    for (QAction* a : actions) {
        if (a->menu())
            CollectMenuCommands(a->menu()->actions(), ids);
        else if (!a->isSeparator() && a->data().toInt() != 0)
            ids.insert(a->data().toInt());
    }
}

// The widget a bar shows for a command: its embedded control or its button.
QWidget* BarWidget(const CMainFrame& frame, unsigned command)
{
    for (CCustomToolBar* bar : {frame.StdToolBar(), frame.PropertyBar()})
        if (QWidget* w = bar->ItemWidget(bar->Buttons().IndexOf(command)))
            return w;
    return nullptr;
}
} // namespace

// With no diagram open only what needs none is enabled, on the menus and on
// both bars as the user sees them; the zoom box is emptied.
TEST_F(CommandUpdateTest, WithoutADiagramOnlyWhatNeedsNoneLooksEnabled)
{
    ShowStdToolBar = ShowPropertyBar = 1;
    frame.show();
    Open();
    frame.OnIdleUpdateCmdUI();
    frame.MdiArea()->closeAllSubWindows();
    QApplication::processEvents();
    frame.OnIdleUpdateCmdUI();
    const std::set<int> menuAlways = {
        57600, 57601, 57606, 57665,                            // New, Open, Print Setup, Exit
        57650, 57651, 57664, 57666,                            // Cascade, Tile, About, Help
        32789, 32790, 32831, 32827,                            // help pages, update check
        33026, 33121, 33065, 33055, 33082, 32823,              // Scale, the Styles sheets, Options, Customize
        33085, 33087, 32825, 32826, 33124,                     // display toggles, Auto-label
    };
    std::set<int> menu;
    CollectMenuCommands(frame.menuBar()->actions(), menu);
    for (int id : menu) {
        const QAction* a = frame.Commands().Action(id);
        ASSERT_NE(a, nullptr) << id;
        EXPECT_EQ(a->isEnabled(), menuAlways.count(id) == 1) << "menu command " << id << " "
                                                             << a->text().toStdString();
    }
    // The zoom commands are the view's: without one they have nothing to zoom.
    const std::set<unsigned> barAlways = {57600, 57601, 57666, 36561};
    for (CCustomToolBar* bar : {frame.StdToolBar(), frame.PropertyBar()})
        for (unsigned command : bar->Buttons().Buttons()) {
            if (command == 0)
                continue;
            QWidget* w = BarWidget(frame, command);
            ASSERT_NE(w, nullptr) << command;
            EXPECT_EQ(w->isEnabled(), barAlways.count(command) == 1) << "bar command " << command;
        }
    auto* zoom = qobject_cast<QComboBox*>(frame.StdToolBar()->ControlForCmd(32779));
    ASSERT_NE(zoom, nullptr);
    EXPECT_EQ(zoom->currentText(), "") << "no view, no zoom";
}

namespace {
// The pixels of a widget as drawn that are nearly black: an enabled face's
// glyph has them, a greyed one none.
int DarkPixels(QWidget* w)
{
    const QImage img = w->grab().toImage().convertToFormat(QImage::Format_RGB32);
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) {
            const QRgb p = img.pixel(x, y);
            n += std::max({qRed(p), qGreen(p), qBlue(p)}) < 0x50 ? 1 : 0;
        }
    return n;
}
} // namespace

// The property bar's drop buttons look disabled as the other buttons do
// while they have nothing to act on (no diagram open): no black glyph.
TEST_F(CommandUpdateTest, DisabledDropButtonsLookGreyed)
{
    ShowStdToolBar = ShowPropertyBar = 1;
    frame.show();
    Open();
    fx.doc.Select(fx.AddBox(100, 100, 300, 200, "A"));
    g_nUIMode = 0;
    frame.OnIdleUpdateCmdUI();
    const unsigned drops[] = {36562, 36563, 36499, 36497, 36498, 36491, 36492};
    for (unsigned command : drops) {
        QWidget* w = BarWidget(frame, command);
        ASSERT_NE(w, nullptr) << command;
        ASSERT_TRUE(w->isEnabled()) << command;
        EXPECT_GT(DarkPixels(w), 0) << "enabled " << command;
    }
    frame.MdiArea()->closeAllSubWindows();
    QApplication::processEvents();
    frame.OnIdleUpdateCmdUI();
    for (unsigned command : drops) {
        QWidget* w = BarWidget(frame, command);
        ASSERT_FALSE(w->isEnabled()) << command;
        EXPECT_EQ(DarkPixels(w), 0) << "disabled " << command;
    }
}

// The property bar's commands with a diagram: each enabled only while it has
// something to act on, as the bar shows it.
TEST_F(CommandUpdateTest, PropertyBarCommandsNeedSomethingToActOn)
{
    enum Case { kNone, kEmpty, kBox, kCon, kLabel, kFigMode, kConMode, kEditor, kCases };
    const struct {
        int id;
        bool on[kCases];   // none, empty, box, connector, label, figure mode, connector mode, editor
    } rows[] = {
        {36531, {false, false, true, false, true, true, false, true}},    // Bold
        {36533, {false, false, true, false, true, true, false, true}},    // Underline
        {36505, {false, false, true, false, true, true, false, true}},    // Left Align
        {36562, {false, false, true, false, true, true, false, true}},    // Horizontal Text Alignment
        {32775, {false, false, true, false, true, true, false, true}},    // Font Family
        {36556, {false, false, false, false, false, false, false, true}}, // Subscript
        {32795, {false, false, false, false, false, false, false, true}}, // Left Guillemet
        {36564, {false, false, false, false, true, false, false, false}}, // Rotate Text
        {36499, {false, false, true, false, true, true, false, true}},    // Text Color
        {36497, {false, false, true, false, true, true, false, true}},    // Fill Color
        {36498, {false, false, true, false, false, true, false, true}},   // Border Color
        {36496, {false, false, false, true, false, false, true, false}},  // Connector Color
        {36491, {false, false, true, true, false, true, true, true}},     // Line Pattern
        {36492, {false, false, true, true, false, true, true, true}},     // Line Width
        {36493, {false, false, false, true, false, false, true, false}},  // Change Curvature
        {36494, {false, false, true, false, false, true, false, true}},   // Drop Shadow
    };
    ShowStdToolBar = ShowPropertyBar = 1;
    for (int k = kNone; k < kCases; ++k) {
        Session s;
        s.frame.show();
        g_nUIMode = 0;
        if (k != kNone) {
            s.Open();
            CFigure* box = s.fx.AddBox(100, 100, 300, 200, "A");
            CFigure* label = s.fx.AddBox(100, 600, 300, 100, "note");
            label->m_bLabel = 1;
            CConnector* con = s.fx.Connect(box, s.fx.AddBox(600, 100, 300, 200, "B"));
            s.fx.doc.m_curFigStyle.m_props.m_fill.m_nKind = 1;
            if (k == kBox || k == kEditor)
                s.fx.doc.Select(box);
            if (k == kCon)
                s.fx.doc.Select(con);
            if (k == kLabel)
                s.fx.doc.Select(label);
            if (k == kFigMode)
                g_nUIMode = 2;
            if (k == kConMode)
                g_nUIMode = 4;
            if (k == kEditor) {
                ASSERT_TRUE(s.view->BeginTextEdit(box, 0, false, CPoint(), 0, -2));
            }
        }
        s.frame.OnIdleUpdateCmdUI();
        for (const auto& r : rows) {
            EXPECT_EQ(s.frame.Commands().QueryCmdState(r.id).enabled, r.on[k]) << "command " << r.id << " case " << k;
            if (QWidget* w = BarWidget(s.frame, unsigned(r.id))) {
                EXPECT_EQ(w->isEnabled(), r.on[k]) << "bar item " << r.id << " case " << k;
            }
        }
        if (s.view)
            s.view->CloseEditor();
    }
    g_nUIMode = 0;
}

// Bold, Italic and Underline are checked as the selected figure's text is.
TEST_F(CommandUpdateTest, TextStyleButtonsShowTheSelectedText)
{
    Open();
    g_nUIMode = 0;
    CFigure* box = fx.AddBox(100, 100, 300, 200, "A");
    box->m_props.m_font.m_lf.lfWeight = 700;
    box->m_props.m_font.m_lf.lfItalic = 0;
    box->m_props.m_font.m_lf.lfUnderline = 1;
    fx.doc.Select(box);
    EXPECT_EQ(frame.Commands().QueryCmdState(36531).check, 1);
    EXPECT_EQ(frame.Commands().QueryCmdState(36532).check, 0);
    EXPECT_EQ(frame.Commands().QueryCmdState(36533).check, 1);
    // A style that fixes the text's alignment leaves the alignment alone.
    box->m_props.Behavior.low |= 0x100000;
    EXPECT_FALSE(frame.Commands().QueryCmdState(36505).enabled);
    EXPECT_TRUE(frame.Commands().QueryCmdState(36531).enabled);
}

// Each rule reads its own kind of object and group scope: redundant
// junctions, one figure or label of its own, partitions, ungrouped
// connectors; checks show the container and connection-point flags.
TEST_F(CommandUpdateTest, RulesReadTheirObjectKindAndScope)
{
    Open();
    g_nUIMode = 0;
    CFigure* a = fx.AddBox(100, 100, 300, 200, "A");
    CFigure* b = fx.AddBox(600, 100, 300, 200, "B");
    CFigure* c = fx.AddBox(1100, 100, 300, 200, "C");
    CFigure* label = fx.AddBox(100, 600, 300, 100, "note");
    label->m_bLabel = 1;
    CFigure* part = fx.AddBox(100, 900, 300, 300, "P");
    part->m_props.Symbol = fx.AddRowsSymbol(700, 1400, "[rows]");
    CFigure* passing = fx.doc.CreateFigAt(POINT{800, 1500}, 1);   // a flow merely passes through
    fx.Connect(fx.AddBox(100, 1500, 200, 100, "D"), passing);
    fx.Connect(passing, fx.AddBox(1300, 1500, 200, 100, "E"));
    CFigure* branch = fx.doc.CreateFigAt(POINT{800, 2000}, 1);    // three connectors meet
    for (int x : {100, 1300, 1600})
        fx.Connect(fx.AddBox(x, 2200, 200, 100, "F"), branch);
    CConnector* con = fx.Connect(a, b);
    const auto state = [&](int id) { return frame.Commands().QueryCmdState(id); };
    const struct {
        const char* what;
        std::vector<CDiagObj*> selected;
        std::vector<int> on, off;
    } cases[] = {
        {"passing junction", {passing}, {33039, 33071, 57632}, {57634, 32768, 32801}},
        {"branch junction", {branch}, {57632}, {33039, 33071}},
        {"one figure", {a}, {32801, 36551, 36555}, {32803, 32822, 33064, 33062}},
        {"two figures", {a, b}, {32818}, {32801, 32803}},
        {"label", {label}, {32803}, {32801, 36551, 36555}},
        {"partition", {part}, {32822, 32801}, {}},
        {"connector", {con}, {33064, 33062, 36541, 33059}, {36551, 32801}},
        {"figure and connector", {c, con}, {33064, 36541, 36551}, {}},
    };
    for (const auto& k : cases) {
        fx.doc.ClearSel(false);
        for (CDiagObj* o : k.selected)
            fx.doc.Select(o);
        for (int id : k.on)
            EXPECT_TRUE(state(id).enabled) << "command " << id << " with " << k.what;
        for (int id : k.off)
            EXPECT_FALSE(state(id).enabled) << "command " << id << " with " << k.what;
    }
    // The container item is checked as the partition's active flag is.
    fx.doc.ClearSel(false);
    fx.doc.Select(part);
    EXPECT_EQ(state(32822).check, 0);
    part->m_props.Behavior.low |= 0x20000000;
    EXPECT_EQ(state(32822).check, 1);
    for (int on : {0, 1}) {
        fx.doc.m_bEnableConPts = on;
        EXPECT_EQ(state(32814).check, on);
    }
    // A connector inside a group is no connector of its own for Flip; the
    // other connector rules take grouped objects in.
    fx.doc.ClearSel(false);
    for (CDiagObj* o : std::initializer_list<CDiagObj*>{a, b, con})
        fx.doc.Select(o);
    fx.doc.OnGroup();
    fx.doc.ClearSel(false);
    fx.doc.AddConToSel(con, 2, false);
    ASSERT_NE(con->m_pGroup, nullptr);
    EXPECT_FALSE(state(33064).enabled);
    EXPECT_TRUE(state(33062).enabled);
    EXPECT_TRUE(state(36541).enabled);
}

// Delete, Copy and Cut serve the open text editor: Delete at once, Copy and
// Cut once text is marked.
TEST_F(CommandUpdateTest, EditItemsFollowTheOpenTextEditor)
{
    Open();
    g_nUIMode = 0;
    CFigure* box = fx.AddBox(100, 100, 300, 200, "Alpha");
    ASSERT_TRUE(view->BeginTextEdit(box, 0, false, CPoint(), 0, -2));
    fx.doc.ClearSel(false);
    // The caret at the end, nothing marked.
    QTest::keyClick(view->TextEditor(), Qt::Key_End);
    ASSERT_FALSE(view->TextEditor()->HasSelection());
    const auto enabled = [&](int id) { return frame.Commands().QueryCmdState(id).enabled; };
    EXPECT_TRUE(enabled(57632));
    EXPECT_FALSE(enabled(57634));
    EXPECT_FALSE(enabled(57635));
    view->TextEditor()->OnSelectAll();
    EXPECT_TRUE(enabled(57634));
    EXPECT_TRUE(enabled(57635));
    EXPECT_FALSE(enabled(32768)) << "Duplicate acts on objects only";
    view->CloseEditor();
    EXPECT_FALSE(enabled(57632));
    EXPECT_FALSE(enabled(57634));
}

// The Select Mode button stands for the remembered select mode.
TEST_F(CommandUpdateTest, SelectModeButtonFollowsTheRememberedMode)
{
    Open();
    const int saved = SelectMode;
    for (int remembered : {0, 1}) {
        SelectMode = remembered;
        for (int mode : {0, 1, 3}) {
            g_nUIMode = mode;
            const CmdUI ui = frame.Commands().QueryCmdState(36558);
            EXPECT_EQ(ui.enabled, mode != remembered) << remembered << " " << mode;
            EXPECT_EQ(ui.check, mode == remembered ? 1 : 0) << remembered << " " << mode;
        }
    }
    SelectMode = saved;
    g_nUIMode = 0;
}

// The property bar's controls show the values of what the commands would
// change: the selected figure's, the selected connector's, the current
// style's in the creation modes.
TEST_F(CommandUpdateTest, PropertyBarShowsTheValuesOfTheSelection)
{
    ShowStdToolBar = ShowPropertyBar = 1;
    frame.show();
    Open();
    g_nUIMode = 0;
    auto* faces = qobject_cast<QComboBox*>(frame.GetBarControlForCmd(32775));
    auto* sizes = qobject_cast<QComboBox*>(frame.GetBarControlForCmd(32776));
    auto* fill = dynamic_cast<CColorDropButton*>(frame.GetBarControlForCmd(36497));
    auto* border = dynamic_cast<CColorDropButton*>(frame.GetBarControlForCmd(36498));
    auto* text = dynamic_cast<CColorDropButton*>(frame.GetBarControlForCmd(36499));
    auto* line = dynamic_cast<CColorDropButton*>(frame.GetBarControlForCmd(36496));
    auto* pattern = dynamic_cast<CLinePatternButton*>(frame.GetBarControlForCmd(36491));
    auto* width = dynamic_cast<CLineWidthButton*>(frame.GetBarControlForCmd(36492));
    auto* curve = dynamic_cast<CCurvatureButton*>(frame.GetBarControlForCmd(36493));
    auto* hAlign = dynamic_cast<CCommandDropButton*>(frame.GetBarControlForCmd(36562));
    auto* vAlign = dynamic_cast<CCommandDropButton*>(frame.GetBarControlForCmd(36563));
    auto* rotate = dynamic_cast<CCommandDropButton*>(frame.GetBarControlForCmd(36564));
    ASSERT_TRUE(faces && sizes && fill && border && text && line && pattern && width && curve && hAlign && vAlign &&
                rotate);
    ASSERT_GT(faces->count(), 2);
    const QString face = faces->itemText(2);   // a face the machine has, whichever it is

    CFigure* box = fx.AddBox(100, 100, 300, 200, "A", RGB(200, 10, 10));
    box->m_props.BorderColor = RGB(0, 0, 200);
    box->m_props.TextColor = RGB(0, 120, 0);
    box->m_props.PenStyle = 2;
    box->m_props.BorderWidth = 5;
    box->m_props.TextFormat = 0x11;   // right, bottom
    box->m_props.m_font.m_lf.lfHeight = -14;
    SetLogFontFace(box->m_props.m_font.m_lf, face.toLatin1().constData());
    fx.doc.Select(box);
    frame.OnIdleUpdateCmdUI();
    EXPECT_EQ(faces->currentText(), face);
    EXPECT_EQ(sizes->currentText(), "14");
    EXPECT_EQ(fill->GetColor(), RGB(200, 10, 10));
    EXPECT_EQ(border->GetColor(), RGB(0, 0, 200));
    EXPECT_EQ(text->GetColor(), RGB(0, 120, 0));
    EXPECT_EQ(pattern->GetPattern(), 2);
    EXPECT_EQ(width->GetWidth(), 5);
    EXPECT_EQ(hAlign->GetSetting(), 1);
    EXPECT_EQ(vAlign->GetSetting(), 16);

    // A transparent fill shows no colour; so does nothing selected.
    box->m_props.m_fill.m_nKind = 0;
    frame.OnIdleUpdateCmdUI();
    EXPECT_EQ(fill->GetColor(), kPaletteNoColor);

    // A connector: its colour, pattern, width and shape.
    CConnector* con = fx.Connect(box, fx.AddBox(600, 100, 300, 200, "B"));
    con->m_props.Color = RGB(10, 20, 30);
    con->m_props.PenStyle = 3;
    con->m_props.LineWidth = 11;
    con->m_props.Behavior.low = (con->m_props.Behavior.low & ~0x1Au) | 8;
    fx.doc.ClearSel(false);
    fx.doc.Select(con);
    frame.OnIdleUpdateCmdUI();
    EXPECT_EQ(line->GetColor(), RGB(10, 20, 30));
    EXPECT_EQ(pattern->GetPattern(), 3);
    EXPECT_EQ(width->GetWidth(), 11);
    EXPECT_EQ(curve->GetCurvature(), 8u);
    EXPECT_EQ(fill->GetColor(), kPaletteNoColor);
    EXPECT_EQ(hAlign->GetSetting(), 4) << "no text: left";
    EXPECT_EQ(vAlign->GetSetting(), 64) << "no text: top";

    // The connector mode shows the current connector; the figure mode the
    // current figure style.
    fx.doc.ClearSel(false);
    fx.doc.m_curConStyle.m_props.PenStyle = 4;
    fx.doc.m_curConStyle.m_props.Behavior.low = (fx.doc.m_curConStyle.m_props.Behavior.low & ~0x1Au) | 16;
    g_nUIMode = 4;
    frame.OnIdleUpdateCmdUI();
    EXPECT_EQ(pattern->GetPattern(), 4);
    EXPECT_EQ(curve->GetCurvature(), 16u);
    fx.doc.m_curFigStyle.m_props.m_fill.m_nKind = 1;
    fx.doc.m_curFigStyle.m_props.m_fill.m_crColor1 = RGB(1, 200, 1);
    fx.doc.m_curFigStyle.m_props.BorderWidth = 11;
    g_nUIMode = 2;
    frame.OnIdleUpdateCmdUI();
    EXPECT_EQ(fill->GetColor(), RGB(1, 200, 1));
    EXPECT_EQ(width->GetWidth(), 11);
    g_nUIMode = 0;

    // A turned label shows its angle on the rotation button.
    CFigure* label = fx.AddBox(100, 600, 300, 100, "note");
    label->m_bLabel = 1;
    label->m_nTextRotate = 900;
    fx.doc.Select(label);
    frame.OnIdleUpdateCmdUI();
    EXPECT_EQ(rotate->GetSetting(), 900);
}

// Detach Figure from Flow: offered for one figure of its own that a flow
// passes through, run from the frame, undone in one step.
TEST_F(CommandUpdateTest, DetachFromFlowIsOfferedForAFigureInAFlowAndUndoes)
{
    Open();
    g_nUIMode = 0;
    CFigure* a = fx.AddBox(100, 100, 200, 100, "A");
    CFigure* mid = fx.AddBox(600, 100, 200, 100, "M");
    CFigure* b = fx.AddBox(1100, 100, 200, 100, "B");
    CFigure* lone = fx.AddBox(100, 600, 200, 100, "L");
    fx.Connect(a, mid);
    fx.Connect(mid, b);
    fx.doc.ResetUndoLog();
    const auto enabled = [&](int id) { return frame.Commands().QueryCmdState(id).enabled; };
    fx.doc.Select(lone);
    EXPECT_FALSE(enabled(32815)) << "no flow";
    fx.doc.Select(mid);
    EXPECT_FALSE(enabled(32815)) << "two figures";
    fx.doc.ClearSel(false);
    fx.doc.Select(mid);
    ASSERT_TRUE(enabled(32815));
    EXPECT_FALSE(enabled(32832)) << "not pinned";
    frame.OnCommand(32815);
    EXPECT_EQ(mid->m_nConnected, 0);
    ASSERT_EQ(fx.doc.GetConCount(), 1);
    fx.doc.UndoLastStep();
    EXPECT_EQ(mid->m_nConnected, 2);
    EXPECT_EQ(fx.doc.GetConCount(), 2);
}

// The association direction items: offered for the one selected lateral
// label of an association while trunk diagrams are on, the item of its
// present direction checked; choosing one sets it in one undo step.
TEST_F(CommandUpdateTest, AssociationDirectionItemsFollowTheLateralLabel)
{
    Open();
    g_nUIMode = 0;
    struct TrunkSwitch {
        TrunkSwitch() { SetTrunkDiagramsForTest(true); }
        ~TrunkSwitch() { SetTrunkDiagramsForTest(false); }
    } trunks;
    CConProps props;
    ASSERT_EQ(fx.doc.m_conStyles.AddConStyle(&props, "Association", 1, 1, "", "", 0, "", 1, 0, 0, 90), 1);
    const int association = fx.doc.m_conStyles.FindByName("Association");
    CFigure* a = fx.AddBox(100, 100, 200, 100, "A");
    CFigure* b = fx.AddBox(900, 100, 200, 100, "B");
    CConnector* con = fx.doc.CreateCon(a, b, -1, -1, a->GetCenter(), b->GetCenter(), association, props);
    ASSERT_NE(con, nullptr);
    CFigure* label = fx.AddBox(500, 300, 200, 60, "role");
    label->m_bLabel = 1;
    auto* staple = new CStaple(&fx.doc);
    staple->MakeLatLbl(con, con->GetMidPoint(), label, 12, 0);
    fx.doc.AddStapleWithId(staple);
    ASSERT_TRUE(label->IsTrunkLatLabel());
    fx.doc.ResetUndoLog();
    const auto state = [&](int id) { return frame.Commands().QueryCmdState(id); };
    EXPECT_FALSE(state(32829).enabled) << "nothing selected";
    fx.doc.Select(label);
    for (int id : {32828, 32829, 32830}) {
        EXPECT_TRUE(state(id).enabled) << id;
        EXPECT_EQ(state(id).check, id == 32828 ? 1 : 0) << id;
    }
    frame.OnCommand(32830);
    EXPECT_EQ(label->AssociationIndicator, 2);
    EXPECT_EQ(state(32830).check, 1);
    EXPECT_EQ(state(32828).check, 0);
    fx.doc.UndoLastStep();
    EXPECT_EQ(label->AssociationIndicator, 0);
    fx.doc.Select(a);
    EXPECT_FALSE(state(32829).enabled) << "two objects";
    fx.doc.ClearSel(false);
    fx.doc.Select(label);
    SetTrunkDiagramsForTest(false);
    EXPECT_FALSE(state(32829).enabled) << "trunk diagrams off";
}

// With only labels selected the fill button shows the front-most of them,
// not the one selected last.
TEST_F(CommandUpdateTest, FillButtonShowsTheFrontMostOfSelectedLabels)
{
    ShowStdToolBar = ShowPropertyBar = 1;
    frame.show();
    Open();
    g_nUIMode = 0;
    auto* fill = dynamic_cast<CColorDropButton*>(frame.GetBarControlForCmd(36497));
    ASSERT_NE(fill, nullptr);
    CFigure* one = fx.AddBox(100, 100, 200, 60, "one", RGB(10, 10, 200));
    CFigure* two = fx.AddBox(400, 100, 200, 60, "two", RGB(200, 10, 10));
    one->m_bLabel = two->m_bLabel = 1;
    // The front one is selected first, so that it is not the newest.
    const bool twoInFront = fx.doc.m_pObjList->Find(two) > fx.doc.m_pObjList->Find(one);
    CFigure* front = twoInFront ? two : one;
    CFigure* back = twoInFront ? one : two;
    fx.doc.Select(front);
    fx.doc.Select(back);
    ASSERT_EQ(fx.doc.GetFirstSelFig(10, 1), back);
    frame.OnIdleUpdateCmdUI();
    EXPECT_EQ(fill->GetColor(), front->m_props.m_fill.m_crColor1);
    // A figure among them: the first selected figure's fill.
    CFigure* box = fx.AddBox(100, 400, 200, 100, "box", RGB(10, 200, 10));
    fx.doc.Select(box);
    frame.OnIdleUpdateCmdUI();
    EXPECT_EQ(fill->GetColor(), RGB(10, 200, 10));
}
