// Creating figures with the mouse in UI mode 2 on a real view offscreen: a
// click places a figure of the current style at its default size, a drag
// sizes it, Escape and the right button cancel; each creation is one undo
// step back to the saved text.
#include "ModeGestureFixture.h"

#include "editing/ui/ViewCursors.h"
#include "platform/Prompt.h"
#include "undo/UndoCodes.h"

#include <algorithm>
#include <vector>

namespace {
struct CreateFigGestureTest : ModeGestureFixture {
    void SetUp() override
    {
        ModeGestureFixture::SetUp();
        UseStyle("Process", 256, 172);
    }
    // A box style of the given default size becomes the current one, in
    // mode 2; the state is saved from here on.
    void UseStyle(const std::string& name, int width, int height, int autoLabel = 0, int symbol = -1)
    {
        CFigStyle st;
        st.m_strName = name;
        st.m_props.Symbol = symbol >= 0 ? symbol : fx.boxSymbol;
        st.Width = width;
        st.Height = height;
        st.AutoLabel = autoLabel;
        st.AutoLabelText = autoLabel ? "Label" : "";
        ASSERT_TRUE(fx.doc.AddNewFigStyle(st));
        int index = -1;
        for (int i = 0; i < fx.doc.m_figStyles.GetCount(); ++i)
            if (fx.doc.m_figStyles.GetAt(i) && fx.doc.m_figStyles.GetAt(i)->m_strName == name)
                index = i;
        ASSERT_GE(index, 0);
        EnterUIMode(2, kFigStyleCmdFirst + index);
        ASSERT_EQ(g_nUIMode, 2);
        ASSERT_EQ(fx.doc.m_nCurFigStyle, index);
        Save();
    }
    const QPoint spot{300, 420};   // empty space below the boxes
};
} // namespace

TEST_F(CreateFigGestureTest, PreviewFollowsThePointerAndAClickPlacesTheDefaultSize)
{
    Hover(spot);
    ASSERT_NE(view->RubberFigure(), nullptr);
    EXPECT_EQ(view->RubberFigure()->GetCenter(), Logical(spot));
    Hover(spot + QPoint(30, 10));
    EXPECT_EQ(view->RubberFigure()->GetCenter(), Logical(spot + QPoint(30, 10)));
    EXPECT_EQ(FigCount(), 2);   // the preview is not in the document

    const int before = FigCount();
    Hover(spot);
    Click(spot);
    ASSERT_EQ(FigCount(), before + 1);
    CFigure* fig = LastFig();
    EXPECT_EQ(fig->m_rect.Size(), CSize(256, 172));
    EXPECT_EQ(fig->GetCenter(), Logical(spot));
    EXPECT_EQ(fig->m_nStyle, fx.doc.m_nCurFigStyle);
    EXPECT_EQ(view->RubberFigure(), nullptr);
    EXPECT_FALSE(view->IsCreateTracking());
    EXPECT_EQ(g_nUIMode, 2);   // the mode stays for the next figure
    ExpectNoFeedbackLeft();
    EXPECT_EQ(Steps(), 1);
    ExpectUndoToSaved(UDMAC_CREATEFIG);
}

// The style sizes its figures about their centre (high bits 256 and 512):
// the drag of the corner grows both sides.
TEST_F(CreateFigGestureTest, DragSizesTheFigureAboutItsCentre)
{
    Hover(spot);
    const CRect start = view->RubberFigure()->m_rect;
    Drag(spot, spot + QPoint(60, 40));
    CFigure* fig = LastFig();
    ASSERT_EQ(FigCount(), 3);
    EXPECT_EQ(fig->GetCenter(), start.CenterPoint());
    const CSize d = Logical(spot + QPoint(60, 40)) - Logical(spot);
    EXPECT_EQ(fig->m_rect.Size(), CSize(start.Width() + 2 * d.cx, start.Height() + 2 * d.cy));
    EXPECT_EQ(Steps(), 1);
    ExpectUndoToSaved(UDMAC_CREATEFIG);
}

// The threshold is measured from the press: a drag in one-pixel steps
// still sizes the figure.
TEST_F(CreateFigGestureTest, SlowDragPassesTheThreshold)
{
    Hover(spot);
    const CRect start = view->RubberFigure()->m_rect;
    Drag(spot, spot + QPoint(30, 30), Qt::NoModifier, 30);
    const int dx = Logical(spot + QPoint(30, 30)).x - Logical(spot).x;
    EXPECT_EQ(LastFig()->m_rect.Width(), start.Width() + 2 * dx);
    EXPECT_EQ(Steps(), 1);
}

// The pointer outside the window leaves the preview where it was shown.
TEST_F(CreateFigGestureTest, ThePointerOutsideTheWindowLeavesThePreview)
{
    Hover(spot);
    ASSERT_NE(view->RubberFigure(), nullptr);
    const CRect shown = view->RubberFigure()->m_rect;
    const int w = view->viewport()->width(), h = view->viewport()->height();
    for (const QPoint& out : {QPoint(-3, spot.y()), QPoint(spot.x(), -3), QPoint(w + 3, spot.y()),
                              QPoint(spot.x(), h + 3)}) {
        SCOPED_TRACE(testing::Message() << out.x() << "," << out.y());
        Hover(out);
        ASSERT_NE(view->RubberFigure(), nullptr);
        EXPECT_EQ(view->RubberFigure()->m_rect, shown);
    }
}

// Past the threshold every move counts, even one back near the press.
TEST_F(CreateFigGestureTest, PastTheThresholdEveryMoveSizes)
{
    Hover(spot);
    const CRect start = view->RubberFigure()->m_rect;
    Press(spot);
    Move(spot + QPoint(60, 40));
    Move(spot + QPoint(4, 3));
    Release(spot + QPoint(4, 3));
    ASSERT_EQ(FigCount(), 3);
    const CSize d = Logical(spot + QPoint(4, 3)) - Logical(spot);
    EXPECT_EQ(LastFig()->m_rect.Size(), CSize(start.Width() + 2 * d.cx, start.Height() + 2 * d.cy));
    ExpectUndoToSaved(UDMAC_CREATEFIG);
}

TEST_F(CreateFigGestureTest, DragShorterThanTwiceTheDoubleClickWidthKeepsTheDefaultSize)
{
    Hover(spot);
    Drag(spot, spot + QPoint(7, 7), Qt::NoModifier, 7);
    EXPECT_EQ(LastFig()->m_rect.Size(), CSize(256, 172));
    EXPECT_EQ(LastFig()->GetCenter(), Logical(spot));
}

TEST_F(CreateFigGestureTest, StatusShowsTheSizeWhileDragging)
{
    Hover(spot);
    Press(spot);
    Move(spot + QPoint(40, 40));
    EXPECT_EQ(view->StatusText().rfind("Height: ", 0), 0u) << view->StatusText();
    Release(spot + QPoint(40, 40));
}

// Without a default width there is no preview: the figure is dragged out
// from the press point, and one smaller than 8 is not made.
TEST_F(CreateFigGestureTest, StyleWithoutDefaultSizeIsDraggedOut)
{
    UseStyle("Free", 0, 0);
    Hover(spot);
    EXPECT_EQ(view->RubberFigure(), nullptr);
    EXPECT_EQ(view->ViewCursor(), int(kCursorCreate));
    Drag(spot, spot + QPoint(80, 50));
    ASSERT_EQ(FigCount(), 3);
    const CRect want(Logical(spot), Logical(spot + QPoint(80, 50)));
    EXPECT_EQ(LastFig()->m_rect, want);
    ExpectUndoToSaved(UDMAC_CREATEFIG);

    Save();
    Click(spot);   // a click gives a figure without size: nothing
    Drag(spot, spot + QPoint(20, 2));   // 6 units high
    EXPECT_EQ(FigCount(), 2);
    EXPECT_EQ(Steps(), 0);
    EXPECT_EQ(DocText(fx.doc), saved);
    EXPECT_FALSE(view->IsCreateTracking());
}

TEST_F(CreateFigGestureTest, EscapeCancelsTheDragAndThenLeavesTheMode)
{
    Hover(spot);
    Press(spot);
    Move(spot + QPoint(50, 50));
    ASSERT_TRUE(view->IsCreateTracking());
    Key(Qt::Key_Escape);
    EXPECT_FALSE(view->IsCreateTracking());
    EXPECT_EQ(view->RubberFigure(), nullptr);
    EXPECT_EQ(g_nUIMode, 2);   // only the gesture went
    ExpectNoFeedbackLeft();
    Release(spot + QPoint(50, 50));
    EXPECT_EQ(FigCount(), 2);
    EXPECT_EQ(Steps(), 0);
    EXPECT_EQ(DocText(fx.doc), saved);

    Hover(spot);
    ASSERT_NE(view->RubberFigure(), nullptr);
    Key(Qt::Key_Escape);   // nothing under way: back to select mode
    EXPECT_EQ(g_nUIMode, 0);
    EXPECT_EQ(view->RubberFigure(), nullptr);
}

TEST_F(CreateFigGestureTest, RightClickLeavesTheModeButNotADrag)
{
    Hover(spot);
    Press(spot);
    Move(spot + QPoint(50, 50));
    // A right click during the drag is ignored: the drag goes on.
    RightClick(spot + QPoint(50, 50), Qt::LeftButton);
    EXPECT_TRUE(view->IsCreateTracking());
    EXPECT_EQ(g_nUIMode, 2);
    Release(spot + QPoint(50, 50));
    EXPECT_EQ(FigCount(), 3);
    ExpectUndoToSaved(UDMAC_CREATEFIG);

    Hover(spot);
    ASSERT_NE(view->RubberFigure(), nullptr);
    RightClick(spot);
    EXPECT_EQ(g_nUIMode, 0);
    EXPECT_EQ(view->RubberFigure(), nullptr);
    EXPECT_EQ(FigCount(), 2);
    EXPECT_EQ(DocText(fx.doc), saved);
}

TEST_F(CreateFigGestureTest, SelectAfterCreateReturnsToSelectMode)
{
    SelectAfterFigureCreate = 1;
    Hover(spot);
    Click(spot);
    SelectAfterFigureCreate = 0;
    EXPECT_EQ(FigCount(), 3);
    EXPECT_EQ(g_nUIMode, 0);
    EXPECT_EQ(view->RubberFigure(), nullptr);
    EXPECT_TRUE(LastFig()->m_bSelected);
}

// The automatic label comes with the figure in the same step.
TEST_F(CreateFigGestureTest, AutoLabelIsPartOfTheOneStep)
{
    UseStyle("Labelled", 256, 172, 1);
    Hover(spot);
    Click(spot);
    EXPECT_EQ(FigCount(), 4);
    EXPECT_EQ(Steps(), 1);
    ExpectUndoToSaved(UDMAC_CREATEFIG);
}

// ---- into a flow

namespace {
struct CountingPrompt : IPromptService {
    int ShowMessage(const std::string& text, UINT) override
    {
        last = text;
        ++shown;
        return IDOK;
    }
    std::string last;
    int shown = 0;
};

struct CreateIntoFlowTest : CreateFigGestureTest {
    void SetUp() override
    {
        CreateFigGestureTest::SetUp();
        SnapToFlows = 1;
        SetPromptService(&prompt);
    }
    void TearDown() override
    {
        SetPromptService(nullptr);
        CreateFigGestureTest::TearDown();
    }
    CountingPrompt prompt;
    const CPoint onFlow{1800, 825};   // on the connector from A to B
};
} // namespace

TEST_F(CreateIntoFlowTest, AClickOnAConnectorSplitsItAtTheNewFigure)
{
    Hover(At(onFlow) + QPoint(0, 1));
    EXPECT_EQ(view->StatusText(), "Click to add a \"Process\" figure into the flow   CTRL: freeform");
    EXPECT_EQ(view->RubberFigure()->GetCenter().y, onFlow.y);   // pulled onto the line
    Click(At(onFlow) + QPoint(0, 1));
    ASSERT_EQ(FigCount(), 3);
    CFigure* fig = LastFig();
    EXPECT_EQ(fig->GetCenter().y, onFlow.y);
    EXPECT_EQ(fx.doc.GetConCount(), 2);
    EXPECT_EQ(fig->m_nConnected, 2);
    EXPECT_EQ(Steps(), 1);
    ExpectUndoToSaved(UDMAC_CREATEFIG);
}

TEST_F(CreateIntoFlowTest, AClickOnABendReplacesIt)
{
    CFigure* jct = fx.doc.CreateFigAt(CPoint(1793, 1593), 0);
    CFigure* c = fx.AddBox(1500, 2200, 600, 300, "C");
    fx.Connect(b, jct);
    fx.Connect(jct, c);
    ASSERT_TRUE(jct->IsRedundantJct());
    view->InvalidateAll();
    view->FlushPaint();
    Save();
    const int figs = FigCount();
    Hover(At(jct->GetCenter()));
    Click(At(jct->GetCenter()));
    EXPECT_EQ(FigCount(), figs);   // the new figure in, the bend out
    EXPECT_EQ(fx.doc.m_pObjList->Find(jct), -1);
    EXPECT_EQ(LastFig()->GetCenter(), CPoint(1800, 1600));
    EXPECT_EQ(LastFig()->m_nConnected, 2);
    EXPECT_EQ(Steps(), 1);
    ExpectUndoToSaved(UDMAC_CREATEFIG);
}

TEST_F(CreateIntoFlowTest, AFigureTooBigForTheFlowIsRefused)
{
    UseStyle("Wide", 1400, 172);
    Hover(At(onFlow));
    Click(At(onFlow));
    EXPECT_EQ(prompt.shown, 1);
    EXPECT_EQ(prompt.last, "Cannot insert a figure of this size into the flow at this location.");
    EXPECT_FALSE(view->IsCreateTracking());
    EXPECT_EQ(FigCount(), 2);
    EXPECT_EQ(Steps(), 0);
    EXPECT_EQ(DocText(fx.doc), saved);
}

// The new figure may cover neither end of the connector it would split.
TEST_F(CreateIntoFlowTest, AFigureOverEitherEndOfTheFlowIsRefused)
{
    for (const int x : {1300, 2300}) {   // the line runs from x 1200 to 2400
        SCOPED_TRACE(x);
        prompt.shown = 0;
        const QPoint p = At(CPoint(x, onFlow.y));
        Hover(p);
        Click(p);
        EXPECT_EQ(prompt.shown, 1);
        EXPECT_EQ(prompt.last, "Cannot insert a figure of this size into the flow at this location.");
        EXPECT_EQ(FigCount(), 2);
        EXPECT_EQ(Steps(), 0);
        EXPECT_EQ(DocText(fx.doc), saved);
    }
}

TEST_F(CreateIntoFlowTest, WithCtrlTheFigureStaysOutOfTheFlow)
{
    Key(Qt::Key_Control, Qt::ControlModifier);
    Move(At(onFlow), Qt::ControlModifier, Qt::NoButton);
    Send(QEvent::MouseButtonPress, At(onFlow), Qt::LeftButton, Qt::LeftButton, Qt::ControlModifier);
    Send(QEvent::MouseButtonRelease, At(onFlow), Qt::LeftButton, Qt::NoButton, Qt::ControlModifier);
    EXPECT_EQ(FigCount(), 3);
    EXPECT_EQ(fx.doc.GetConCount(), 1);
    EXPECT_EQ(LastFig()->m_nConnected, 0);
    ExpectUndoToSaved(UDMAC_CREATEFIG);
}

// Freeform lasts while CTRL is held: once it is let go, the figure goes
// into the flow again.
TEST_F(CreateIntoFlowTest, LettingGoOfCtrlEndsFreeform)
{
    Key(Qt::Key_Control, Qt::ControlModifier);
    Move(At(onFlow), Qt::ControlModifier, Qt::NoButton);
    QKeyEvent up(QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier);
    QApplication::sendEvent(view.get(), &up);
    Hover(At(onFlow) + QPoint(0, 1));
    Click(At(onFlow) + QPoint(0, 1));
    ASSERT_EQ(FigCount(), 3);
    EXPECT_EQ(fx.doc.GetConCount(), 2);
    EXPECT_EQ(LastFig()->m_nConnected, 2);
    ExpectUndoToSaved(UDMAC_CREATEFIG);
}

// Dragged out on a flow, a figure grows about its centre, which stays on
// the line, though its style grows its figures from the top left.
TEST_F(CreateIntoFlowTest, ADragOnTheFlowGrowsAboutTheCentre)
{
    fx.doc.m_curFigStyle.m_props.Behavior.high &= ~DWORD(256 | 512);
    const QPoint p = At(onFlow) + QPoint(0, 1);
    Hover(p);
    const CPoint c = view->RubberFigure()->GetCenter();
    ASSERT_EQ(c.y, onFlow.y);
    Drag(p, p + QPoint(40, 30));
    ASSERT_EQ(FigCount(), 3);
    CFigure* fig = LastFig();
    EXPECT_EQ(fig->GetCenter(), c);
    EXPECT_GT(fig->m_rect.Width(), 256);
    EXPECT_GT(fig->m_rect.Height(), 172);
    EXPECT_EQ(fig->m_nConnected, 2);
    // It keeps growing about its centre when it is resized later.
    EXPECT_EQ(fig->m_props.Behavior.high & (256 | 512), 256u | 512u);
    ExpectUndoToSaved(UDMAC_CREATEFIG);
}

// ---- text entry through the editor's seam

namespace {
struct EditCall {
    CFigure* obj = nullptr;
    int area = -1, ch = -1, calls = 0;
} g_edit;

bool RecordEdit(CKavoView&, CFigure* obj, int area, int ch)
{
    g_edit.obj = obj;
    g_edit.area = area;
    g_edit.ch = ch;
    ++g_edit.calls;
    return true;
}

struct CreateFigTextTest : CreateFigGestureTest {
    void SetUp() override
    {
        CreateFigGestureTest::SetUp();
        g_edit = {};
        CKavoView::SetTextEditStarter(RecordEdit);
    }
    void TearDown() override
    {
        CKavoView::SetTextEditStarter(nullptr);
        AutoEditOnCreate = 0;
        CreateFigGestureTest::TearDown();
    }
    void Type(char c)
    {
        QKeyEvent e(QEvent::KeyPress, Qt::Key_A + (c - 'a'), Qt::NoModifier, QString(QChar(c)));
        QApplication::sendEvent(view.get(), &e);
    }
};
} // namespace

TEST_F(CreateFigTextTest, TypingOverAFigureEditsItsText)
{
    Hover(At(a->GetCenter()));
    Type('x');
    EXPECT_EQ(g_edit.calls, 1);
    EXPECT_EQ(g_edit.obj, a);
    EXPECT_EQ(g_edit.area, 0);
    EXPECT_EQ(g_edit.ch, 'x');
    EXPECT_EQ(g_nUIMode, 3);
    EXPECT_EQ(view->RubberFigure(), nullptr);
}

// Over a figure without text areas the typing goes to its one figure
// label; with a second label there is no telling which: a beep.
TEST_F(CreateFigTextTest, TypingOverAFigureWithoutTextAreasEditsItsOneLabel)
{
    SymbolBuilder sb;
    sb.Outline([](COutlineWriter& w) { w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048)); });
    sb.sym.m_strName = "no text";
    CFigure* plain = fx.AddBox(600, 1400, 400, 300, "");
    plain->m_props.Symbol = fx.doc.m_figSymbols.AddOrReplace(&sb.sym);
    ASSERT_FALSE(plain->HasTextAreas());
    CFigure* labels[2] = {fx.AddBox(1100, 1400, 200, 100, "L"), fx.AddBox(1100, 1600, 200, 100, "M")};
    for (CFigure* label : labels)
        label->m_bLabel = 1;
    ASSERT_TRUE(fx.doc.AttachLblAsFigLbl(labels[0], plain, 1, false));
    view->InvalidateAll();
    view->FlushPaint();
    Hover(At(plain->GetCenter()));
    Type('x');
    EXPECT_EQ(g_edit.calls, 1);
    EXPECT_EQ(g_edit.obj, labels[0]);
    EXPECT_EQ(g_edit.area, 0);
    EXPECT_EQ(g_edit.ch, 'x');
    EXPECT_EQ(g_nUIMode, 3);

    EnterUIMode(2, kFigStyleCmdFirst + fx.doc.m_nCurFigStyle);
    ASSERT_TRUE(fx.doc.AttachLblAsFigLbl(labels[1], plain, 3, false));
    Hover(At(plain->GetCenter()));
    Type('y');
    EXPECT_EQ(g_edit.calls, 1);
    EXPECT_EQ(g_modeBeeps, 1);
    EXPECT_EQ(g_nUIMode, 2);
}

TEST_F(CreateFigTextTest, TypingOverNothingBeeps)
{
    Hover(spot);
    Type('x');
    EXPECT_EQ(g_edit.calls, 0);
    EXPECT_EQ(g_modeBeeps, 1);
    EXPECT_EQ(g_nUIMode, 2);
}

TEST_F(CreateFigTextTest, AutoEditOpensTheEditorOnTheNewFigure)
{
    AutoEditOnCreate = 1;
    Hover(spot);
    Click(spot);
    ASSERT_EQ(FigCount(), 3);
    EXPECT_EQ(g_edit.calls, 1);
    EXPECT_EQ(g_edit.obj, LastFig());
    EXPECT_EQ(g_edit.ch, 0);
    EXPECT_EQ(g_nUIMode, 3);
    EXPECT_EQ(Steps(), 1);
}

TEST_F(CreateFigGestureTest, AnotherStyleOrModeTakesThePreviewAway)
{
    Hover(spot);
    ASSERT_NE(view->RubberFigure(), nullptr);
    UseStyle("Tall", 100, 300);
    Hover(spot);
    ASSERT_NE(view->RubberFigure(), nullptr);
    EXPECT_EQ(view->RubberFigure()->m_rect.Size(), CSize(100, 300));
    EnterUIMode(7, 0);
    Hover(spot + QPoint(5, 5));
    EXPECT_EQ(view->RubberFigure(), nullptr);
    ExpectNoFeedbackLeft();
}

TEST_F(CreateFigGestureTest, LeavingTheViewTakesThePreviewAway)
{
    Hover(spot);
    ASSERT_NE(view->RubberFigure(), nullptr);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(view.get(), &leave);
    EXPECT_EQ(view->RubberFigure(), nullptr);
    ExpectNoFeedbackLeft();
    // The application's own notice that the mouse left does the same.
    Hover(spot);
    ASSERT_NE(view->RubberFigure(), nullptr);
    QEvent left(QEvent::Type(QEvent::User + 0x4C9));
    QApplication::sendEvent(view->viewport(), &left);
    EXPECT_EQ(view->RubberFigure(), nullptr);
    ExpectNoFeedbackLeft();
}

// With ResizeByStretching on, a compartmented figure dragged out keeps its
// dividers' distances from its top, on a copy of its symbol that an undo
// leaves unused; off, they scale.
TEST_F(CreateFigGestureTest, DragStretchesACompartmentedFigure)
{
    const int rows = fx.AddRowsSymbol();
    UseStyle("Rows", 300, 300, 0, rows);
    fx.doc.m_figStyles.GetProps(fx.doc.m_nCurFigStyle)->Behavior.high &= ~DWORD(256 | 512);
    fx.doc.SetCurFigStyle(fx.doc.m_nCurFigStyle);
    Save();
    const int before = ResizeByStretching;
    for (const int stretch : {1, 0}) {
        SCOPED_TRACE(stretch);
        ResizeByStretching = stretch;
        const int symbols = fx.doc.m_figSymbols.GetCount();
        Hover(spot);
        const CRect r0 = view->RubberFigure()->m_rect;
        CPoint d0;
        ASSERT_TRUE(view->RubberFigure()->GetSymbol()->GetDividerHandle(0, d0, r0));
        Drag(spot, spot + QPoint(0, 60));
        CFigure* fig = LastFig();
        ASSERT_EQ(FigCount(), 3);
        EXPECT_EQ(fig->m_rect.top, r0.top);
        EXPECT_GT(fig->m_rect.bottom, r0.bottom + 100);
        CPoint p0;
        ASSERT_TRUE(fig->GetSymbol()->GetDividerHandle(0, p0, fig->m_rect));
        // The new figure stands on a copy of its own (stretched, and fitted
        // to the figure margins); the style's symbol is left as it was.
        EXPECT_NE(fig->m_props.Symbol, rows);
        EXPECT_GT(fx.doc.m_figSymbols.GetCount(), symbols);
        if (stretch)
            EXPECT_NEAR(p0.y, d0.y, 1);
        else
            EXPECT_GT(p0.y, d0.y + 10);
        EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_CREATEFIG);
        EXPECT_EQ(FigCount(), 2);
        // The undo drops the copies with the figure.
        EXPECT_EQ(fx.doc.m_figSymbols.GetCount(), symbols);
        EXPECT_EQ(DocText(fx.doc), saved);
        stepBase = int(fx.doc.UndoLogRef().m_nStepsRecorded);
    }
    ResizeByStretching = before;
}

// A figure of a pin kind snaps onto a host under the pointer and is linked
// to it in its creation step; Ctrl makes it freeform, unlinked.
TEST_F(CreateFigGestureTest, APinFigureSnapsToItsHostAndIsLinked)
{
    auto symbol = [&](const char* name) {
        SymbolBuilder sb;
        sb.Fill([](COutlineWriter& w) { w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048)); });
        sb.Outline([](COutlineWriter& w) { w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048)); });
        sb.sym.m_strName = name;
        return fx.doc.m_figSymbols.AddOrReplace(&sb.sym);
    };
    CFigProps props;
    props.Symbol = symbol("package");
    auto* host = new CFigure(600, 1400, 600, 1200, props, -1, 0, "", "", CFigure::CreateArgs(), &fx.doc);
    fx.doc.AddFigWithId(host);
    app.view = view.get();   // the host search asks the view for its hit tolerance
    UseStyle("Port", 160, 160, 0, symbol("port"));
    // A few pixels off the host's right side.
    const QPoint near = At(CPoint(host->m_rect.right + 40, host->m_rect.CenterPoint().y));
    for (const bool freeform : {false, true}) {
        SCOPED_TRACE(freeform);
        const Qt::KeyboardModifiers mods = freeform ? Qt::ControlModifier : Qt::NoModifier;
        Move(near, mods, Qt::NoButton);
        Press(near, mods);
        Release(near, mods);
        CFigure* port = LastFig();
        ASSERT_NE(port, host);
        EXPECT_EQ(fx.doc.IsPinnedOn(port, host), !freeform);
        if (!freeform) {   // its centre lies on the host's side
            EXPECT_EQ(port->GetCenter().x, host->m_rect.right);
        }
        fx.doc.UndoLastStep();
        EXPECT_EQ(DocText(fx.doc), saved);
        EnterUIMode(2, kFigStyleCmdFirst + fx.doc.m_nCurFigStyle);
    }
}

namespace {
// Creation of figures of pin kinds over hosts of their rows.
struct CreatePinGestureTest : CreateFigGestureTest {
    int Symbol(const char* name)
    {
        SymbolBuilder sb;
        sb.Fill([](COutlineWriter& w) { w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048)); });
        sb.Outline([](COutlineWriter& w) { w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048)); });
        sb.sym.m_strName = name;
        return fx.doc.m_figSymbols.AddOrReplace(&sb.sym);
    }
    CFigure* AddHost(const char* name, const CRect& rc)
    {
        CFigProps props;
        props.Symbol = Symbol(name);
        auto* host = new CFigure(rc.left, rc.top, rc.Height(), rc.Width(), props, -1, 0, "", "",
                                 CFigure::CreateArgs(), &fx.doc);
        fx.doc.AddFigWithId(host);
        return host;
    }
    // The figure the gesture made (a placed figure may stand behind its host).
    CFigure* NewFigure(const std::vector<CFigure*>& before) const
    {
        CFigure* found = nullptr;
        fx.doc.ForEachFigure([&](CFigure* f) {
            if (std::find(before.begin(), before.end(), f) == before.end())
                found = f;
        });
        return found;
    }
    std::vector<CFigure*> Figures() const
    {
        std::vector<CFigure*> out;
        fx.doc.ForEachFigure([&](CFigure* f) { out.push_back(f); });
        return out;
    }
    std::vector<int> GuidesX() const
    {
        const CSnapGuides& g = fx.doc.m_snapGuides;
        return std::vector<int>(g.m_x, g.m_x + g.m_nX);
    }
    std::vector<int> GuidesY() const
    {
        const CSnapGuides& g = fx.doc.m_snapGuides;
        return std::vector<int>(g.m_y, g.m_y + g.m_nY);
    }
};
} // namespace

// A qualifier previewed beside a class snaps onto the class's side: its
// centre and the guide through the class's middle across that side are the
// snap guides while it is shown; away from the class, and once it is
// placed, there are none.
TEST_F(CreatePinGestureTest, ThePreviewOnAHostSetsTheSnapGuides)
{
    CFigure* host = AddHost("class/object", CRect(600, 1200, 1600, 1600));
    UseStyle("Qualifier", 160, 120, 0, Symbol("qualifier"));
    const CRect& h = host->m_rect;
    const QPoint beside = At(CPoint(h.right + 100, h.top + 100));
    Move(beside, Qt::NoModifier, Qt::NoButton);
    const CPoint centre(h.right + 80, Logical(beside).y);
    EXPECT_EQ(GuidesX(), (std::vector<int>{centre.x, h.right}));
    EXPECT_EQ(GuidesY(), (std::vector<int>{centre.y, h.CenterPoint().y}));
    Move(At(CPoint(300, 300)), Qt::NoModifier, Qt::NoButton);
    EXPECT_TRUE(fx.doc.m_snapGuides.IsEmpty());
    Move(beside, Qt::NoModifier, Qt::NoButton);
    ASSERT_FALSE(fx.doc.m_snapGuides.IsEmpty());
    const std::vector<CFigure*> before = Figures();
    Press(beside);
    Release(beside);
    CFigure* made = NewFigure(before);
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(fx.doc.IsPinnedOn(made, host));
    EXPECT_TRUE(fx.doc.m_snapGuides.IsEmpty());
    ExpectUndoToSaved(UDMAC_CREATEQUALIFIER);
}

// Pressed onto its host, a figure is sized by dragging only when its row
// says so: a name tab is made at its default size by the press; a parameter
// list grows about its centre both ways, a state on a lifeline across the
// line only, though their style grows its figures from the top left.
TEST_F(CreatePinGestureTest, TheHostsRowDecidesTheSizingAfterThePress)
{
    CFigure* state = AddHost("state", CRect(300, 1200, 1100, 1600));
    CFigure* cls = AddHost("class/object", CRect(1300, 1200, 2000, 1600));
    CFigure* line = AddHost("seq lifeline", CRect(2200, 300, 2300, 1700));
    const struct {
        const char* name;
        CFigure* host;
        CPoint press;   // logical, where the preview snaps onto the host
        int growX, growY;   // how many times the drag's offset the size grows
        int code;
    } rows[] = {
        {"name tab", state, CPoint(700, 1150), 0, 0, UDMAC_CREATENAMETAB},
        {"parameter list", cls, CPoint(2000, 1200), 2, 2, UDMAC_CREATEPARMLIST},
        {"state", line, CPoint(2250, 1000), 2, 1, UDMAC_CREATEFIG},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        UseStyle(row.name, 200, 100, 0, Symbol(row.name));
        // The style's own figures grow from their top left corner.
        fx.doc.m_curFigStyle.m_props.Behavior.high &= ~DWORD(256 | 512);
        const QPoint p = At(row.press);
        Move(p, Qt::NoModifier, Qt::NoButton);
        ASSERT_FALSE(fx.doc.m_snapGuides.IsEmpty()) << "snapped onto the host";
        const std::vector<CFigure*> before = Figures();
        Press(p);
        const QPoint to = At(row.press + CSize(120, 90));
        for (int i = 1; i <= 4; ++i)
            Move(p + (to - p) * i / 4);
        Release(to);
        const CSize d = Logical(to) - Logical(p);
        CFigure* made = NewFigure(before);
        ASSERT_NE(made, nullptr);
        EXPECT_TRUE(fx.doc.IsPinnedOn(made, row.host) || fx.doc.IsPinnedOn(row.host, made));
        EXPECT_EQ(made->m_rect.Width(), 200 + row.growX * d.cx);
        EXPECT_EQ(made->m_rect.Height(), 100 + row.growY * d.cy);
        ExpectUndoToSaved(row.code);
        EnterUIMode(0, 0);
    }
}

// Ctrl pressed while the preview waits makes the next figure freeform (it
// stays out of the flow); releasing Ctrl ends that again.
TEST_F(CreateIntoFlowTest, TheCtrlKeyTurnsFreeformOnAndOff)
{
    Hover(At(onFlow));
    Key(Qt::Key_Control, Qt::ControlModifier);
    Click(At(onFlow), Qt::ControlModifier);
    ASSERT_EQ(FigCount(), 3);
    EXPECT_EQ(LastFig()->m_nConnected, 0);
    EXPECT_EQ(fx.doc.GetConCount(), 1);
    ExpectUndoToSaved(UDMAC_CREATEFIG);

    Hover(At(onFlow));
    Key(Qt::Key_Control, Qt::ControlModifier);
    QKeyEvent up(QEvent::KeyRelease, Qt::Key_Control, Qt::NoModifier);
    QApplication::sendEvent(view.get(), &up);
    Click(At(onFlow));
    ASSERT_EQ(FigCount(), 3);
    EXPECT_EQ(LastFig()->m_nConnected, 2);
    ExpectUndoToSaved(UDMAC_CREATEFIG);
}
