// Labels made from a real view offscreen through the frame: the label items
// of the context menu, opened with a right press and run the way the popup
// runs them, make their label where the menu was opened; typing over empty
// space makes a free label at the cursor and edits it. Each is one undo step.
#include "common/DiagramFixture.h"
#include "common/TestSupport.h"
#include "core/Settings.h"
#include "core/UIMode.h"
#include "core/Units.h"
#include "document/CStaple.h"
#include "editing/LabelMenu.h"
#include "editing/ui/CKavoView.h"
#include "editing/ui/TextEntrySeams.h"
#include "editing/ui/ViewContextMenu.h"
#include "fileformat/DiagramRecordWriter.h"
#include "frame/ui/CMainFrame.h"
#include "keyword/KeywordStreams.h"
#include "undo/UndoCodes.h"

#include <QApplication>
#include <QCursor>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {
std::string DocText(CKavoDoc& doc)
{
    CStringKeywordSink sink;
    CKeywordWriter w(sink);
    EXPECT_TRUE(WriteDiagramText(w, doc, {}));
    return sink.text;
}

// The item with the id, in any submenu; null when none.
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

struct LabelCreationRoutingTest : testing::Test {
    void SetUp() override
    {
        SetScreenPixelHeightForTest(768);
        ScreenHeight = 9.0;
        ShowRulers = 0;
        g_nUIMode = 0;
        fx.doc.m_bShowGrid = 0;
        fx.doc.m_bAlignToGrid = 0;
        a = fx.AddBox(600, 600, 600, 450, "A");
        b = fx.AddBox(2400, 600, 600, 450, "B");
        con = fx.Connect(a, b);
        fx.doc.ClearSelection();
        fx.doc.ResetUndoLog();
        view = new CKavoView(&fx.doc);
        frame.AddViewFrame(view, "d");
        view->show();
        view->resize(800 + view->verticalScrollBar()->sizeHint().width(),
                     600 + view->horizontalScrollBar()->sizeHint().height());
        view->OnInitialUpdate();
        view->ZoomToPercent(100);
        view->ScrollToViewAnchorPoint(CPoint(0, 0), kAnchorTopLeft, true);
        GetContextMenuSeams().showMenu = [this](const ContextMenu& m, const CPoint&) { shown = m; };
        saved = DocText(fx.doc);
    }
    void TearDown() override
    {
        if (const char* dir = std::getenv("KAVO_SHOTS")) {
            view->FlushPaint();
            view->Surface().save(QString(dir) + "/" +
                                 testing::UnitTest::GetInstance()->current_test_info()->name() + ".png");
        }
        view->CloseEditor();
        g_nUIMode = 0;
        GetContextMenuSeams().showMenu = nullptr;
        SetScreenPixelHeightForTest(0);
    }
    // A right click at the logical point; the menu it opened.
    const ContextMenu& RightClick(const CPoint& logical)
    {
        shown.clear();
        const CPoint c = view->LogicalPtToClient(logical);
        QWidget* vp = view->viewport();
        const QPoint pos(c.x, c.y);
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(pos), QPointF(vp->mapToGlobal(pos)), Qt::RightButton,
                          Qt::RightButton, Qt::NoModifier);
        QApplication::sendEvent(vp, &press);
        QMouseEvent release(QEvent::MouseButtonRelease, QPointF(pos), QPointF(vp->mapToGlobal(pos)),
                            Qt::RightButton, Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(vp, &release);
        return shown;
    }
    void PointAt(const CPoint& logical)
    {
        const CPoint c = view->LogicalPtToClient(logical);
        QCursor::setPos(view->viewport()->mapToGlobal(QPoint(c.x, c.y)));
    }
    // A typed character goes where the keyboard focus is.
    void Type(char ch)
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : view;
        const QString text(QChar::fromLatin1(ch));
        QKeyEvent override(QEvent::ShortcutOverride, 0, Qt::NoModifier, text);
        QApplication::sendEvent(target, &override);
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
        QApplication::sendEvent(target, &press);
    }
    // Chooses the menu's item as the popup does: only when it is enabled.
    bool Choose(int id)
    {
        const ContextMenuItem* item = FindItem(shown, id);
        const ContextMenuSeams& seams = GetContextMenuSeams();
        if (!item || !item->enabled || !seams.isEnabled(id))
            return false;
        seams.runCommand(id);
        return true;
    }
    // Undo through the frame gives back the saved text, and nothing is left
    // to undo: the label was one step.
    void ExpectOneStepUndoneToSaved()
    {
        frame.OnCommand(57643);
        EXPECT_EQ(DocText(fx.doc), saved);
        EXPECT_FALSE(fx.doc.CanUndo());
    }

    CRecordingPrompt prompt;
    DiagramFixture fx;
    CMainFrame frame;
    CKavoView* view = nullptr;
    CFigure *a = nullptr, *b = nullptr;
    CConnector* con = nullptr;
    ContextMenu shown;
    std::string saved;
};
} // namespace

TEST_F(LabelCreationRoutingTest, AFigureLabelPositionMakesItsLabelInOneStep)
{
    const struct {
        int id, code;
    } rows[] = {{33049, 8}, {33042, 1}, {33051, 12}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.id);
        RightClick(a->GetCenter() + CSize(100, 50));
        ASSERT_TRUE(Choose(row.id));
        const CStaple* staple = fx.doc.FindFigLblStapleAtPos(a, row.code);
        ASSERT_NE(staple, nullptr);
        EXPECT_TRUE(staple->m_pFig2 && staple->m_pFig2->m_bLabel);
        // The position is taken now: its item is greyed.
        RightClick(a->GetCenter());
        EXPECT_FALSE(Choose(row.id));
        fx.doc.ClearSelection();
        ExpectOneStepUndoneToSaved();
    }
}

TEST_F(LabelCreationRoutingTest, TheConnectorItemsPinTheirLabelWhereTheMenuOpened)
{
    const CPoint at(1800, con->EndPoint1.y);
    const struct {
        int id;
        int step;
    } rows[] = {{kCmdAddConLblHere, UDMAC_CREATECONLBL}, {kCmdAddLatLblHere, UDMAC_CREATELATLBL}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.id);
        RightClick(at);
        const int count = fx.doc.GetObjCount();
        ASSERT_TRUE(Choose(row.id));
        const CStaple* staple = fx.doc.FindConOrLatLblStaple(con);
        ASSERT_NE(staple, nullptr);
        ASSERT_NE(staple->m_pFig1, nullptr);
        EXPECT_EQ(fx.doc.GetObjCount(), count + 1);
        // Near the clicked point, not the connector's middle.
        EXPECT_LT(std::abs(staple->m_pFig1->GetCenter().x - at.x), 200);
        // A labelled connector offers neither item again.
        RightClick(at);
        EXPECT_EQ(FindItem(shown, row.id), nullptr);
        fx.doc.ClearSelection();
        EXPECT_EQ(fx.doc.UndoLastStep(), row.step);
        EXPECT_EQ(DocText(fx.doc), saved);
        EXPECT_FALSE(fx.doc.CanUndo());
    }
}

TEST_F(LabelCreationRoutingTest, TypingOverEmptySpaceEditsANewFreeLabelThere)
{
    ASSERT_TRUE(GetTextEntrySeams().createLbl);
    const CPoint at(2000, 1500);
    PointAt(at);
    const int count = fx.doc.GetObjCount();
    Type('Q');
    ASSERT_EQ(fx.doc.GetObjCount(), count + 1);
    CFigure* label = view->EditedFigure();
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->m_bLabel);
    EXPECT_NE(view->TextEditor(), nullptr);
    // Made with its top left at the cursor (within a pixel's rounding).
    const int pixel = view->ClientLenToLogical(1) + 1;
    EXPECT_NEAR(label->m_rect.left, at.x, pixel);
    EXPECT_NEAR(label->m_rect.top, at.y, pixel);
    view->CloseEditor();
    EXPECT_NE(label->m_strText.find('Q'), std::string::npos);
    // The typing goes with the step that made the label: one undo takes
    // both away.
    EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_CREATELBL);
    EXPECT_FALSE(fx.doc.CanUndo());
    EXPECT_EQ(DocText(fx.doc), saved);
}

TEST_F(LabelCreationRoutingTest, AFreeLabelStandsAtThePointInOneStep)
{
    // Made directly: its top left at the point, undone to the saved text.
    CFigure* label = view->CreateLbl(CPoint(3000, 2000));
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(label->m_bLabel);
    EXPECT_EQ(label->m_rect.TopLeft(), CPoint(3000, 2000));
    EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_CREATELBL);
    EXPECT_EQ(DocText(fx.doc), saved);
    EXPECT_FALSE(fx.doc.CanUndo());
}
