// Labels made from a real view offscreen through the frame: the label items
// of the context menu, opened with a right press and run the way the popup
// runs them, make their label where the menu was opened (a flow's label
// beside its connector too); the connector's "Terminator" items set the end
// symbol of the end nearer the click; typing over empty
// space makes a free label at the cursor and edits it. Each is one undo step.
// A connector label typed over a line stands centred on it once its text is
// in; a click that ends an edit leaves no empty label behind; a key typed
// before the pointer was ever over the view makes its label inside the view,
// and no label is ever made outside the work space.
#include "common/DiagramFixture.h"
#include "common/TestSupport.h"
#include "controls/CPaletteMenu.h"
#include "core/Settings.h"
#include "core/UIMode.h"
#include "core/Units.h"
#include "document/CStaple.h"
#include "document/DocCommands.h"
#include "document/FontChoice.h"
#include "document/Trunks.h"
#include "editing/LabelMenu.h"
#include "editing/ui/CKavoView.h"
#include "editing/ui/TextEntrySeams.h"
#include "editing/ui/ViewContextMenu.h"
#include "editing/ui/ViewPointCommands.h"
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

#include <climits>
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
        QApplication::setActiveWindow(&frame);
        view->setFocus();
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
    void Type(char ch) { Key(0, QString(QChar::fromLatin1(ch))); }
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
    // Keys go where the keyboard focus is, as the window system sends them.
    void Key(int key, const QString& text = QString())
    {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : view;
        QKeyEvent override(QEvent::ShortcutOverride, key, Qt::NoModifier, text);
        QApplication::sendEvent(target, &override);
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(target, &press);
    }
    void TypeText(const QString& text)
    {
        for (QChar c : text)
            Key(0, QString(c));
    }
    QPoint At(const CPoint& logical) const
    {
        const CPoint c = view->LogicalPtToClient(logical);
        return QPoint(c.x, c.y);
    }
    CPoint Logical(const QPoint& p) const { return view->ClientPtToLogical(CPoint(p.x(), p.y())); }
    void Mouse(QEvent::Type type, const QPoint& pos, Qt::MouseButton button, Qt::MouseButtons held)
    {
        QWidget* vp = view->viewport();
        QMouseEvent e(type, QPointF(pos), QPointF(vp->mapToGlobal(pos)), button, held, Qt::NoModifier);
        QApplication::sendEvent(vp, &e);
    }
    void Click(const CPoint& logical)
    {
        Mouse(QEvent::MouseButtonPress, At(logical), Qt::LeftButton, Qt::LeftButton);
        Mouse(QEvent::MouseButtonRelease, At(logical), Qt::LeftButton, Qt::NoButton);
    }
    // The diagram as it stands is the saved one.
    void Save()
    {
        fx.doc.ResetUndoLog();
        fx.doc.SetModifiedFlag(false);
        saved = DocText(fx.doc);
    }
    int Labels() const
    {
        int n = 0;
        fx.doc.ForEachFigure([&](CFigure* f) { n += f->m_bLabel ? 1 : 0; });
        return n;
    }
    CFigure* ConLabel() const
    {
        const CStaple* staple = fx.doc.FindConOrLatLblStaple(con);
        return staple ? staple->m_pFig1 : nullptr;
    }
    // The view's picture as it is now, named after the test and `what`.
    void Shot(const char* what)
    {
        if (const char* dir = std::getenv("KAVO_SHOTS")) {
            view->FlushPaint();
            view->Surface().save(QString(dir) + "/" +
                                 testing::UnitTest::GetInstance()->current_test_info()->name() + "-" + what + ".png");
        }
    }
    // Half a pixel each way, in logical units, and one for rounding.
    int Pixel() const { return view->ClientLenToLogical(1) + 1; }
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

// Add Junction Here and Snip Connector Here split the line where the menu
// was opened, each in one step; a connector whose shape is fixed is left
// alone.
TEST_F(LabelCreationRoutingTest, TheConnectorPointItemsSplitTheLineWhereTheMenuOpened)
{
    const CPoint at(1800, con->EndPoint1.y);
    const struct {
        int id;
        int step;
        int junctions;   // new invisible figures
    } rows[] = {{kCmdAddJunctionHere, UDMAC_ADDJUNCT, 1}, {kCmdSnipConHere, UDMAC_SNIPCON, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.id);
        RightClick(at);
        const int figs = fx.doc.m_pObjList->m_nFigCount;
        ASSERT_TRUE(Choose(row.id));
        EXPECT_EQ(fx.doc.GetConCount(), 2);
        EXPECT_EQ(fx.doc.m_pObjList->m_nFigCount, figs + row.junctions);
        // The two lines meet (or part) at the clicked point.
        int nearAt = 0;
        fx.doc.ForEachConnector([&](CConnector* c) {
            for (const CPoint& end : {c->EndPoint1, c->EndPoint2})
                nearAt += std::abs(end.x - at.x) < 200 ? 1 : 0;
        });
        EXPECT_EQ(nearAt, 2);
        EXPECT_EQ(fx.doc.UndoLastStep(), row.step);
        EXPECT_EQ(DocText(fx.doc), saved);
        EXPECT_FALSE(fx.doc.CanUndo());
    }
    // Undo gave the line back as a new object.
    fx.doc.ForEachConnector([](CConnector* c) { c->m_props.Behavior.low |= 1; });
    Save();
    for (const auto& row : rows) {
        RightClick(at);
        GetContextMenuSeams().runCommand(row.id);
        EXPECT_EQ(DocText(fx.doc), saved);
        EXPECT_FALSE(fx.doc.CanUndo());
    }
}

TEST(ViewPointCommands, TheSelfTransitionStartsAtThePartOfTheOutlineNamed)
{
    const CRect fig(0, 0, 300, 150);
    const struct {
        CPoint pt;
        int kind;
    } rows[] = {
        {CPoint(10, 10), 1},   {CPoint(150, 5), 2},  {CPoint(290, 20), 3}, {CPoint(5, 75), 4},
        {CPoint(295, 75), 5},  {CPoint(10, 140), 6}, {CPoint(150, 149), 7}, {CPoint(299, 149), 8},
        // The middle third: the nearest side.
        {CPoint(110, 70), 2},  {CPoint(110, 90), 7}, {CPoint(101, 60), 2}, {CPoint(199, 95), 7},
        // Outside the rectangle: the part beside it.
        {CPoint(-40, -40), 1}, {CPoint(400, 75), 5},
    };
    for (const auto& row : rows)
        EXPECT_EQ(SelfRefKindAt(fig, row.pt), row.kind) << row.pt.x << "," << row.pt.y;
    // A tall figure's middle third lies nearer its left or right side.
    const CRect tall(0, 0, 150, 300);
    EXPECT_EQ(SelfRefKindAt(tall, CPoint(55, 150)), 4);
    EXPECT_EQ(SelfRefKindAt(tall, CPoint(95, 150)), 5);
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

// Pointing at a line and typing "no" then Escape: the label holds the text,
// sized to it, with its middle on the point typed at, in one step; a larger
// size keeps it there.
TEST_F(LabelCreationRoutingTest, ATypedConnectorLabelStandsCentredOnItsLine)
{
    const CPoint on(1800, 825);
    PointAt(on);
    TypeText("no");
    CFigure* label = ConLabel();
    ASSERT_NE(label, nullptr);
    ASSERT_EQ(view->EditedFigure(), label);
    Key(Qt::Key_Escape);
    Shot("typed");
    EXPECT_EQ(view->TextEditor(), nullptr);
    EXPECT_NE(label->m_strText.find("no"), std::string::npos) << label->m_strText;
    int style = -1;
    EXPECT_LT(label->m_rect.Width(), fx.doc.GetLblStyleNamed(fx.doc.m_strConLabelStyle, style).Width);
    EXPECT_NEAR(label->m_rect.CenterPoint().x, on.x, 2 * Pixel());
    EXPECT_NEAR(label->m_rect.CenterPoint().y, on.y, 2 * Pixel());
    // Where its staple puts it when the connector moves: nothing jumps then.
    const CStaple* staple = label->m_pStaple;
    EXPECT_EQ(label->m_rect, CStaple::RectAtAnchor(staple->GetPointAtConPos(), label->m_rect.Width(),
                                                   label->m_rect.Height(), staple->Fig1PosX, staple->Fig1PosY));
    const std::string typed = DocText(fx.doc);
    const CPoint centre = label->m_rect.CenterPoint();
    const int width = label->m_rect.Width();
    g_nUIMode = 0;
    fx.doc.ClearSelection();
    fx.doc.Select(label);
    FontChoice bigger;
    bigger.height = 20;
    fx.doc.ApplyFontToSel(bigger);
    Shot("20 pt");
    EXPECT_EQ(label->m_props.m_font.m_lf.lfHeight, -20);
    EXPECT_GT(label->m_rect.Width(), width);
    EXPECT_NEAR(label->m_rect.CenterPoint().x, centre.x, 2);
    EXPECT_NEAR(label->m_rect.CenterPoint().y, centre.y, 2);
    frame.OnCommand(57643);
    EXPECT_EQ(DocText(fx.doc), typed);
    frame.OnCommand(57643);
    EXPECT_EQ(DocText(fx.doc), saved);
    EXPECT_FALSE(fx.doc.CanUndo());
}

// Typing a label, then clicking elsewhere (which makes the next label and
// opens its editor) and ending that edit empty, by Escape or by another
// click: only the typed label stays.
TEST_F(LabelCreationRoutingTest, AClickThatEndsAnEditLeavesNoEmptyLabelBehind)
{
    struct Ending {
        const char* name;
        int clicks;   // further clicks before Escape
    };
    for (const Ending& e : {Ending{"escape", 0}, Ending{"another click", 1}, Ending{"two more clicks", 2}}) {
        SCOPED_TRACE(e.name);
        g_nUIMode = 0;
        Save();
        const int count = fx.doc.GetObjCount();
        PointAt(CPoint(1800, 825));
        TypeText("no");
        ASSERT_EQ(g_nUIMode, 3);
        Click(CPoint(2000, 1800));
        Shot("clicked");
        ASSERT_NE(view->TextEditor(), nullptr);
        EXPECT_EQ(Labels(), 2);
        for (int i = 0; i < e.clicks; ++i)
            Click(CPoint(1000 + 300 * i, 2200));
        Key(Qt::Key_Escape);
        Shot("ended");
        EXPECT_EQ(view->TextEditor(), nullptr);
        EXPECT_EQ(fx.doc.GetObjCount(), count + 1);
        EXPECT_EQ(Labels(), 1);
        ASSERT_NE(ConLabel(), nullptr);
        EXPECT_NE(ConLabel()->m_strText.find("no"), std::string::npos);
        EXPECT_EQ(DocText(fx.doc).find("Text \"\""), std::string::npos);
        // The typed label is the one step left.
        EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_CREATECONLBL);
        EXPECT_EQ(DocText(fx.doc), saved);
        EXPECT_FALSE(fx.doc.CanUndo());
    }
}

// A key before the pointer was over the view, or after it left: the free
// label goes where the pointer last was over the view, else to the view's
// middle; never to where the far-away cursor maps to.
TEST_F(LabelCreationRoutingTest, AKeyTypedWithThePointerAwayMakesItsLabelInTheView)
{
    const QPoint middle(view->viewport()->width() / 2, view->viewport()->height() / 2);
    const QPoint away = view->viewport()->mapToGlobal(QPoint(-20000, -20000));
    struct Case {
        const char* name;
        bool pointerWasOver;
        QPoint expected;   // client point of the label's top left
    };
    const QPoint lastOver(600, 450);
    for (const Case& c : {Case{"never over the view", false, middle}, Case{"left the view", true, lastOver}}) {
        SCOPED_TRACE(c.name);
        g_nUIMode = 0;
        Save();
        if (c.pointerWasOver)
            Mouse(QEvent::MouseMove, lastOver, Qt::NoButton, Qt::NoButton);
        QCursor::setPos(away);
        TypeText("x");
        CFigure* label = view->EditedFigure();
        ASSERT_NE(label, nullptr);
        EXPECT_TRUE(label->m_bLabel);
        EXPECT_EQ(label->m_pStaple, nullptr);
        const CPoint expected = Logical(c.expected);
        EXPECT_NEAR(label->m_rect.left, expected.x, Pixel());
        EXPECT_NEAR(label->m_rect.top, expected.y, Pixel());
        Key(Qt::Key_Escape);
        EXPECT_EQ(view->TextEditor(), nullptr);
        EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_CREATELBL);
        EXPECT_EQ(DocText(fx.doc), saved);
    }
}

// The points random typing produced: a free label asked for at the far
// corners of the number range stands inside the work space, and its
// rectangle is computed without overflow.
TEST_F(LabelCreationRoutingTest, NoLabelIsMadeOutsideTheWorkSpace)
{
    const CRect space = fx.doc.m_rcWorkSpace;
    ASSERT_FALSE(space.IsRectEmpty());
    for (const CPoint& at : {CPoint(2147483621, 2147483621), CPoint(INT_MIN, INT_MIN), CPoint(INT_MAX, INT_MIN),
                             CPoint(space.right - 1, space.bottom - 1)}) {
        SCOPED_TRACE(at.x);
        Save();
        CFigure* label = view->CreateLbl(at);
        ASSERT_NE(label, nullptr);
        const CRect rc = label->m_rect;
        EXPECT_GE(rc.left, space.left);
        EXPECT_GE(rc.top, space.top);
        EXPECT_LE(rc.right, space.right);
        EXPECT_LE(rc.bottom, space.bottom);
        EXPECT_GT(rc.Width(), 0);
        EXPECT_GT(rc.Height(), 0);
        EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_CREATELBL);
        EXPECT_EQ(DocText(fx.doc), saved);
    }
}

TEST_F(LabelCreationRoutingTest, AFlowLabelSideMakesItsLabelWhereTheMenuOpened)
{
    int gap = 0, inflate = 0;
    fx.doc.GetLabelSpacing(gap, inflate);
    CRect r1, r2;
    int c1 = -1, c2 = -1;
    ASSERT_TRUE(fx.doc.CalcFlowLblRects(con, b, fx.doc.GetNewFlowLblSize(), gap, inflate, r1, r2, c1, c2));
    const struct {
        int id, slot;
        CPoint at;
    } rows[] = {{kCmdFlowLblSlot1, 1, r1.CenterPoint()}, {kCmdFlowLblSlot2, 2, r2.CenterPoint()}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.id);
        RightClick(row.at);
        ASSERT_TRUE(Choose(row.id));
        const CStaple* staple = fx.doc.FindFlowLblStaple(con, b, row.slot);
        ASSERT_NE(staple, nullptr) << "the label stands at the flow's end where the menu opened";
        EXPECT_EQ(fx.doc.FindFlowLblStaple(con, a, row.slot), nullptr);
        // The side is taken now: the flow's item is greyed. The other side's
        // place is still a flow.
        const CPoint other = row.slot == 1 ? r2.CenterPoint() : r1.CenterPoint();
        RightClick(other);
        const ContextMenuItem* item = FindItem(shown, row.id);
        ASSERT_NE(item, nullptr);
        EXPECT_FALSE(item->enabled);
        fx.doc.ClearSelection();
        ExpectOneStepUndoneToSaved();
    }
}

TEST_F(LabelCreationRoutingTest, TheTerminatorItemsSetTheSymbolOfTheEndNearTheClick)
{
    SetTrunkDiagramsForTest(true);
    const int span = con->EndPoint2.x - con->EndPoint1.x;
    const struct {
        CPoint at;
        int end;
        int symbol;
    } rows[] = {{CPoint(con->EndPoint1.x + span / 5, con->EndPoint1.y), 1, 3},
                {CPoint(con->EndPoint2.x - span / 5, con->EndPoint2.y), 2, 5}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.end);
        RightClick(row.at);
        ASSERT_FALSE(shown.empty());
        ASSERT_EQ(shown[0].text, "Terminator");
        // The end's own symbol is the checked one.
        const int current = row.end == 1 ? con->m_props.End1 : con->m_props.End2;
        const ContextMenuItem* own = FindItem(shown, kEndSymbolFirstCmd + current);
        ASSERT_NE(own, nullptr);
        EXPECT_TRUE(own->checked);
        const int other = row.end == 1 ? con->m_props.End2 : con->m_props.End1;
        ASSERT_TRUE(Choose(kEndSymbolFirstCmd + row.symbol));
        EXPECT_EQ(row.end == 1 ? con->m_props.End1 : con->m_props.End2, row.symbol);
        EXPECT_EQ(row.end == 1 ? con->m_props.End2 : con->m_props.End1, other) << "the other end stays";
        fx.doc.ClearSelection();
        ExpectOneStepUndoneToSaved();
    }
    // Without trunk diagrams the connector menu has no such submenu.
    SetTrunkDiagramsForTest(false);
    RightClick(rows[0].at);
    ASSERT_FALSE(shown.empty());
    EXPECT_NE(shown[0].text, "Terminator");
    // A connector deleted after the menu opened is not touched.
    SetTrunkDiagramsForTest(true);
    RightClick(rows[0].at);
    OnEditClear(fx.doc);
    EXPECT_EQ(fx.doc.GetConCount(), 0);
    EXPECT_FALSE(RunTerminatorCommand(fx.doc, kEndSymbolFirstCmd + 3));
    SetTrunkDiagramsForTest(false);
}
