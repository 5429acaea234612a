// The document's commands as the main frame routes them: menu items reach the
// active document, their checks show its state, and Delete goes to a
// toolbar box's edit field while that has the focus.
#include "common/DiagramFixture.h"
#include "common/DocText.h"
#include "common/TestSupport.h"
#include "core/Settings.h"
#include "core/UIMode.h"
#include "document/DocCommandSeams.h"
#include "document/DocCommands.h"
#include "document/CStaple.h"
#include "editing/ui/CKavoView.h"
#include "editing/ui/TextEntrySeams.h"
#include "frame/ui/CMainFrame.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <gtest/gtest.h>

namespace {
struct DocCommandRoutingTest : testing::Test {
    DiagramFixture fx;   // outlives the views the frame holds
    CMainFrame frame;
    CKavoView* view = nullptr;
    void SetUp() override
    {
        view = new CKavoView(&fx.doc);
        frame.AddViewFrame(view, "d");
    }
};
} // namespace

TEST_F(DocCommandRoutingTest, MenuItemsReachTheActiveDocument)
{
    CFigure* a = fx.AddBox(0, 0, 200, 100, "A");
    CConnector* c = fx.Connect(a, fx.AddBox(600, 0, 200, 100, "B"));
    fx.doc.Select(c);
    // A connector width from its submenu, with the document's menu text.
    QAction* heavy = frame.Commands().Action(36542);
    ASSERT_NE(heavy, nullptr);
    EXPECT_EQ(heavy->text(), "&Heavy\t1.5 pt");
    heavy->trigger();
    EXPECT_EQ(c->m_props.LineWidth, 5);
    frame.OnIdleUpdateCmdUI();
    EXPECT_TRUE(heavy->isChecked());
    EXPECT_FALSE(frame.Commands().Action(36541)->isChecked());

    // Drop Shadow twice gives the figure back its first state.
    fx.doc.ClearSelection();
    fx.doc.Select(a);
    const int shadow = a->m_props.Shadow;
    for (int i = 0; i < 2; ++i) {
        frame.OnIdleUpdateCmdUI();
        frame.Commands().Action(36555)->trigger();
        EXPECT_EQ(a->m_props.Shadow != 0, (shadow == 0) == (i == 0));
    }

    // The grid toggle flips the document's switch and shows it.
    const int grid = fx.doc.m_bShowGrid;
    frame.OnCommand(33072);
    EXPECT_NE(fx.doc.m_bShowGrid, grid);
    EXPECT_EQ(frame.Commands().QueryCmdState(33072).check, fx.doc.m_bShowGrid ? 1 : 0);

    // Edit Text can ask where the cursor is in the active view.
    POINT cursor{};
    const auto& where = GetDocCommandSeams().cursorLogicalPos;
    EXPECT_TRUE(where && where(cursor));

    // Delete removes the selection; Undo brings it back.
    const int count = fx.doc.GetObjCount();
    frame.OnCommand(57632);
    EXPECT_LT(fx.doc.GetObjCount(), count);
    frame.OnCommand(57643);
    EXPECT_EQ(fx.doc.GetObjCount(), count);
}

TEST_F(DocCommandRoutingTest, DeleteGoesToTheZoomBoxWhileItHasTheFocus)
{
    fx.doc.Select(fx.AddBox(0, 0, 200, 100, "A"));
    QComboBox box(&frame);
    box.setEditable(true);
    box.setProperty("commandId", 32779);
    box.setEditText("150%");
    box.lineEdit()->setFocus();
    box.lineEdit()->setCursorPosition(0);
    const int count = fx.doc.GetObjCount();
    frame.OnCommand(57632);
    EXPECT_EQ(box.currentText(), "50%");
    EXPECT_EQ(fx.doc.GetObjCount(), count);
}

TEST_F(DocCommandRoutingTest, AttachModeCommandsAndUndoDuringConnectorDrawing)
{
    CTempProfile profile;   // the attach mode is saved with the settings
    const int setting = AttachMode;
    frame.OnCommand(32807);
    EXPECT_EQ(fx.doc.m_nAttachMode, 0);
    EXPECT_EQ(frame.Commands().QueryCmdState(32807).check, 1);
    EXPECT_EQ(frame.Commands().QueryCmdState(32810).check, 0);
    frame.OnCommand(32810);
    EXPECT_EQ(fx.doc.m_nAttachMode, 3);
    EXPECT_EQ(frame.Commands().QueryCmdState(32810).check, 1);
    AttachMode = setting;

    // Undo while a connector is being drawn ends the drawing first: the
    // figures its points hold may go.
    CFigure* a = fx.AddBox(0, 0, 200, 100, "A");
    fx.doc.ClearSelection();
    fx.doc.Select(a);
    frame.OnCommand(57632);   // a step to undo
    fx.AddBox(600, 0, 200, 100, "B");
    g_nUIMode = 4;
    view->OnConButtonDown(view->LogicalPtToClient(CPoint(700, 50)));
    ASSERT_TRUE(view->IsConDrawing());
    frame.OnCommand(57643);
    EXPECT_FALSE(view->IsConDrawing());
    g_nUIMode = 0;
}

// Typing over a connector without a label makes its label and opens the
// editor on it with the typed character.
TEST_F(DocCommandRoutingTest, TypingOverAnUnlabelledConnectorEditsItsNewLabel)
{
    CFigure* a = fx.AddBox(0, 0, 200, 100, "A");
    CFigure* b = fx.AddBox(800, 0, 200, 100, "B");
    CConnector* con = fx.Connect(a, b);
    fx.doc.ResetUndoLog();
    ASSERT_TRUE(GetTextEntrySeams().createConLbl);
    ASSERT_TRUE(GetTextEntrySeams().createConLbl(*view, con, CPoint(500, 50), 'x'));
    const CStaple* staple = fx.doc.FindConOrLatLblStaple(con);
    ASSERT_NE(staple, nullptr);
    EXPECT_EQ(view->EditedFigure(), staple->m_pFig1);
    EXPECT_NE(view->TextEditor(), nullptr);
    view->CloseEditor();
    EXPECT_EQ(staple->m_pFig1->m_strText.find('x') != std::string::npos, true);
}

// Labels > Rotate turns the selected label's text and leaves the selected
// box alone; each turn is one step, and Edit > Undo takes them all back.
TEST_F(DocCommandRoutingTest, LabelsRotateTurnsTheSelectedLabelInOneStepEach)
{
    ShowPropertyBar = 1;
    g_nUIMode = 0;
    CFigure* box = fx.AddBox(0, 0, 300, 200, "box");
    CFigure* label = fx.AddBox(0, 400, 300, 100, "note");
    label->m_bLabel = 1;
    fx.doc.Select(label);
    fx.doc.Select(box);
    const std::string saved = DocText(fx.doc);
    QMenu* rotate = nullptr;
    for (QAction* a : frame.FindTopMenu("&Labels")->actions())
        if (a->text() == "&Rotate")
            rotate = a->menu();
    ASSERT_NE(rotate, nullptr);
    const auto item = [&](const char* text) {
        for (QAction* a : rotate->actions())
            if (a->text() == text)
                return a;
        return static_cast<QAction*>(nullptr);
    };
    const struct {
        const char* item;
        int rotation;
    } turns[] = {{"&Bottom-to-top", 900}, {"&Top-to-bottom", 2700}, {"&Unrotate", 0}};
    for (const auto& t : turns) {
        QAction* a = item(t.item);
        ASSERT_NE(a, nullptr) << t.item;
        frame.OnIdleUpdateCmdUI();
        ASSERT_TRUE(a->isEnabled()) << t.item;
        a->trigger();
        EXPECT_EQ(label->m_nTextRotate, t.rotation) << t.item;
        EXPECT_EQ(box->m_nTextRotate, 0) << t.item;
        frame.OnIdleUpdateCmdUI();
        EXPECT_TRUE(a->isChecked()) << t.item;
    }
    QAction* undo = frame.Commands().Action(57643);
    for (int i = 0; i < 3; ++i) {
        frame.OnIdleUpdateCmdUI();
        undo->trigger();
    }
    EXPECT_EQ(label->m_nTextRotate, 0);
    EXPECT_EQ(DocText(fx.doc), saved);
    frame.OnIdleUpdateCmdUI();
    EXPECT_FALSE(fx.doc.CanUndo());
}

// Group, Ungroup and Regroup reach the active document: Regroup puts back
// the group Ungroup took apart.
TEST_F(DocCommandRoutingTest, GroupingCommandsReachTheDocument)
{
    CFigure* a = fx.AddBox(0, 0, 200, 100, "A");
    CFigure* b = fx.AddBox(600, 0, 200, 100, "B");
    fx.doc.Select(a);
    fx.doc.Select(b);
    struct Row {
        int command;
        bool grouped;
    };
    for (const Row& row : {Row{32818, true}, Row{32819, false}, Row{32821, true}}) {
        SCOPED_TRACE(row.command);
        frame.OnCommand(row.command);
        EXPECT_EQ(a->IsInGroup(), row.grouped);
        EXPECT_EQ(b->IsInGroup(), row.grouped);
    }
}

// The display toggles flip their program setting and flip it back.
TEST_F(DocCommandRoutingTest, DisplayTogglesFlipTheirSettings)
{
    CTempProfile profile;
    struct Row {
        int command;
        int* setting;
    };
    for (const Row& row : {Row{33083, &ShowRulers}, Row{33085, &ShowPage}, Row{33124, &AutoLabelOnCreate},
                           Row{33087, &ShowPropertyBar}, Row{32824, &ShowPropertyBar}, Row{32826, &ShowStdToolBar}}) {
        SCOPED_TRACE(row.command);
        const int before = *row.setting;
        frame.OnCommand(row.command);
        EXPECT_EQ(*row.setting != 0, before == 0);
        frame.OnCommand(row.command);
        EXPECT_EQ(*row.setting != 0, before != 0);
    }
}

// A menu opened while creating figures ends the figure preview under the
// mouse; in the select mode there is none to end.
TEST_F(DocCommandRoutingTest, OpeningAMenuWhileCreatingEndsTheFigurePreview)
{
    const int mode = g_nUIMode;
    g_nUIMode = 2;
    ASSERT_TRUE(view->NewRubberFig(CPoint(300, 300)));
    ASSERT_NE(view->RubberFigure(), nullptr);
    QMenu* menu = frame.FindTopMenu("&Edit");
    ASSERT_NE(menu, nullptr);
    emit menu->aboutToShow();
    EXPECT_EQ(view->RubberFigure(), nullptr);
    g_nUIMode = mode;
}
