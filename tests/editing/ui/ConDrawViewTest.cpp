// Connector drawing in UI mode 4 and the connector-end drag of select mode,
// driven by Qt's own mouse and key events on a real view offscreen; each
// checked by the document and by undo back to the saved text.
#include "ViewEventDriver.h"
#include "document/CStaple.h"
#include "editing/ui/ConPtMarkerShown.h"
#include "editing/ui/ViewCursors.h"
#include "undo/UndoCodes.h"

#include <cstdlib>
#include <vector>

namespace {
constexpr int kConnectorMode = 4;

struct ConDrawViewTest : ViewEventDriver {
    void SetUp() override
    {
        SelectAfterConnectorCreate = 0;
        EnableConPts = 1;
        ViewEventDriver::SetUp();
        // A window large enough to show the three boxes: nothing attaches
        // beyond the window while a drag runs.
        view->resize(view->width() * 7 / 5, view->height() * 7 / 5);
        view->ScrollToViewAnchorPoint(CPoint(0, 0), kAnchorTopLeft, true);
        view->FlushPaint();
        g_nUIMode = kConnectorMode;
        Save();
    }
    void AddObjects() override
    {
        fx.doc.m_nAttachMode = 1;
        a = fx.AddBox(600, 600, 600, 450, "A");
        b = fx.AddBox(2400, 600, 600, 450, "B");
        c = fx.AddBox(2400, 1800, 600, 450, "C");
    }
    void TearDown() override
    {
        ViewEventDriver::TearDown();
        g_nUIMode = 0;
        SelectAfterConnectorCreate = 0;
    }
    // A few moves towards the next point, as a hand does.
    void MoveTo(const QPoint& from, const QPoint& to, Qt::MouseButtons held = Qt::NoButton)
    {
        for (int i = 1; i <= 4; ++i)
            Hover(from + (to - from) * i / 4, held);
    }
    void DoubleClick(const QPoint& p)
    {
        Click(p);
        Send(QEvent::MouseButtonDblClick, p, Qt::LeftButton, Qt::LeftButton);
        Release(p);
    }
    std::vector<CConnector*> Connectors() const
    {
        std::vector<CConnector*> out;
        fx.doc.ForEachConnector([&](CConnector* k) { out.push_back(k); });
        return out;
    }
    std::vector<CFigure*> Junctions() const
    {
        std::vector<CFigure*> out;
        fx.doc.ForEachFigure([&](CFigure* f) {
            if (f->IsInvisible())
                out.push_back(f);
        });
        return out;
    }
    void ExpectUndoToSaved(int code)
    {
        EXPECT_EQ(fx.doc.UndoLastStep(), code);
        EXPECT_EQ(DocText(fx.doc), saved);
    }
    // Empty space of the page, well away from the boxes.
    QPoint Empty(int x, int y) const { return At(CPoint(x, y)); }

    CRecordingPrompt prompts;
    CFigure* a = nullptr;
    CFigure* b = nullptr;
    CFigure* c = nullptr;
};
} // namespace

TEST_F(ConDrawViewTest, PressDragReleaseJoinsTwoFigures)
{
    Press(Centre(a));
    MoveTo(Centre(a), Centre(b), Qt::LeftButton);
    Release(Centre(b));
    const std::vector<CConnector*> cons = Connectors();
    ASSERT_EQ(cons.size(), 1u);
    EXPECT_EQ(cons[0]->m_pFig1, a);
    EXPECT_EQ(cons[0]->m_pFig2, b);
    EXPECT_EQ(cons[0]->SuppressEnd1, 0);
    EXPECT_EQ(cons[0]->SuppressEnd2, 0);
    // The ends meet the facing sides.
    EXPECT_EQ(cons[0]->EndPoint1.x, a->m_rect.right);
    EXPECT_EQ(cons[0]->EndPoint2.x, b->m_rect.left);
    EXPECT_FALSE(view->IsConDrawing());
    EXPECT_EQ(g_nUIMode, kConnectorMode);
    EXPECT_EQ(Steps(), 1);
    ExpectUndoToSaved(UDMAC_CREATECON);
}

TEST_F(ConDrawViewTest, ClicksOnEmptySpaceMakeJunctionsUntilAFigure)
{
    const QPoint j1 = Empty(1800, 300), j2 = Empty(1800, 2000);
    Click(Centre(a));
    MoveTo(Centre(a), j1);
    Click(j1);
    MoveTo(j1, j2);
    Click(j2);
    MoveTo(j2, Centre(c));
    Click(Centre(c));
    const std::vector<CConnector*> cons = Connectors();
    const std::vector<CFigure*> jcts = Junctions();
    ASSERT_EQ(cons.size(), 3u);
    ASSERT_EQ(jcts.size(), 2u);
    EXPECT_EQ(cons[0]->m_pFig1, a);
    EXPECT_EQ(cons[0]->m_pFig2, jcts[0]);
    EXPECT_EQ(cons[1]->m_pFig1, jcts[0]);
    EXPECT_EQ(cons[1]->m_pFig2, jcts[1]);
    EXPECT_EQ(cons[2]->m_pFig2, c);
    // No end symbols where the line goes on through a junction.
    EXPECT_EQ(cons[0]->SuppressEnd1, 0);
    EXPECT_EQ(cons[0]->SuppressEnd2, 1);
    EXPECT_EQ(cons[1]->SuppressEnd1, 1);
    EXPECT_EQ(cons[1]->SuppressEnd2, 1);
    EXPECT_EQ(cons[2]->SuppressEnd1, 1);
    EXPECT_EQ(cons[2]->SuppressEnd2, 0);
    EXPECT_EQ(jcts[0]->GetCenter(), view->ClientPtToLogical(CPoint(j1.x(), j1.y())));
    EXPECT_EQ(Steps(), 1);
    ExpectUndoToSaved(UDMAC_CREATECON);
}

TEST_F(ConDrawViewTest, AltRoutesTheLastLegAroundCorners)
{
    Click(Centre(a));
    Move(Centre(c), Qt::AltModifier, Qt::NoButton);
    Click(Centre(c), Qt::AltModifier);
    const std::vector<CConnector*> cons = Connectors();
    const std::vector<CFigure*> jcts = Junctions();
    ASSERT_EQ(cons.size(), 2u);
    ASSERT_EQ(jcts.size(), 1u);
    // The corner below A's centre and level with C's.
    EXPECT_EQ(jcts[0]->GetCenter(), CPoint(a->GetCenter().x, c->GetCenter().y));
    EXPECT_EQ(cons[0]->EndPoint1, CPoint(a->GetCenter().x, a->m_rect.bottom));
    EXPECT_EQ(cons[1]->EndPoint2, CPoint(c->m_rect.left, c->GetCenter().y));
    EXPECT_EQ(Steps(), 1);
    ExpectUndoToSaved(UDMAC_CREATECON);
}

// The Alt route keeps clear of other figures (B on the first corner), and
// a move without Alt draws the leg straight again.
TEST_F(ConDrawViewTest, AltRoutesAroundOtherFiguresUntilAltIsLetGo)
{
    Click(Centre(c));
    Move(Centre(a), Qt::AltModifier, Qt::NoButton);
    Click(Centre(a), Qt::AltModifier);
    std::vector<CFigure*> jcts = Junctions();
    ASSERT_EQ(jcts.size(), 1u);
    EXPECT_EQ(jcts[0]->GetCenter(), CPoint(a->GetCenter().x, c->GetCenter().y));
    ExpectUndoToSaved(UDMAC_CREATECON);
    Click(Centre(c));
    Move(Centre(a), Qt::AltModifier, Qt::NoButton);
    Hover(Centre(a) + QPoint(2, 0));
    Click(Centre(a) + QPoint(2, 0));
    EXPECT_EQ(Connectors().size(), 1u);
    EXPECT_TRUE(Junctions().empty());
    ExpectUndoToSaved(UDMAC_CREATECON);
}

// Two quick clicks at the start are no double click: the chain only begins.
TEST_F(ConDrawViewTest, ADoubleClickAtTheStartGoesOnDrawing)
{
    const QPoint p = Empty(1800, 2000);
    Hover(p);
    DoubleClick(p);
    EXPECT_TRUE(view->IsConDrawing());
    Key(Qt::Key_Escape);
    EXPECT_EQ(DocText(fx.doc), saved);
}

TEST_F(ConDrawViewTest, DoubleClickEndsWithAFreeEnd)
{
    const QPoint j1 = Empty(1800, 300), end = Empty(1800, 2000);
    Click(Centre(a));
    MoveTo(Centre(a), j1);
    Click(j1);
    MoveTo(j1, end);
    DoubleClick(end);
    const std::vector<CConnector*> cons = Connectors();
    ASSERT_EQ(cons.size(), 2u);
    ASSERT_EQ(Junctions().size(), 1u);
    EXPECT_EQ(cons[1]->m_pFig2, nullptr);
    EXPECT_EQ(cons[1]->EndPoint2, view->ClientPtToLogical(CPoint(end.x(), end.y())));
    EXPECT_FALSE(view->IsConDrawing());
    EXPECT_EQ(Steps(), 1);
    ExpectUndoToSaved(UDMAC_CREATECON);
}

TEST_F(ConDrawViewTest, EscapeCancelsWithNothingMadeAndThenLeavesTheMode)
{
    const QPoint j1 = Empty(1800, 300);
    Click(Centre(a));
    MoveTo(Centre(a), j1);
    Click(j1);
    Hover(Empty(1800, 1500));
    EXPECT_EQ(view->StatusText(), "Click on destination object.    CTRL: freeform   ALT: orthogonal   "
                                  "CLICK: drop junction   DBL-CLICK: terminate   ESC: cancel");
    MoveTo(j1, Centre(b));
    EXPECT_EQ(view->StatusText(), "Click on destination object.    CTRL: freeform   SHIFT: click point   "
                                  "ALT: orthogonal   ESC: cancel");
    // Right-click while drawing is ignored.
    Send(QEvent::MouseButtonPress, Centre(b), Qt::RightButton, Qt::RightButton);
    EXPECT_TRUE(view->IsConDrawing());
    // The rubber connector is on the surface, not in the document.
    view->FlushPaint();
    const QImage drawing = view->Surface().copy();
    view->InvalidateAll();
    view->FlushPaint();
    EXPECT_FALSE(view->Surface() == drawing);
    view->m_rubberShown.clear();   // the repaint took it away
    Hover(Centre(b) + QPoint(0, 5));
    Key(Qt::Key_Escape);
    EXPECT_FALSE(view->IsConDrawing());
    EXPECT_TRUE(Connectors().empty());
    EXPECT_EQ(Steps(), 0);
    EXPECT_EQ(DocText(fx.doc), saved);
    EXPECT_EQ(g_nUIMode, kConnectorMode);
    // No rubber connector is left on the surface.
    view->FlushPaint();
    const QImage shown = view->Surface().copy();
    view->InvalidateAll();
    view->FlushPaint();
    EXPECT_TRUE(view->Surface() == shown);
    Key(Qt::Key_Escape);
    EXPECT_EQ(g_nUIMode, 0);
}

TEST_F(ConDrawViewTest, FigureToItselfIsRefusedWithTheMessage)
{
    Press(Centre(a));
    MoveTo(Centre(a), Centre(a) + QPoint(30, 0), Qt::LeftButton);
    Release(Centre(a) + QPoint(30, 0));
    Click(Centre(a) + QPoint(30, 0));
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "Cannot connect a figure to itself");
    EXPECT_TRUE(Connectors().empty());
    EXPECT_EQ(Steps(), 0);
    EXPECT_EQ(DocText(fx.doc), saved);
}

TEST_F(ConDrawViewTest, DuplicateConnectorIsRefused)
{
    Click(Centre(a));
    Click(Centre(b));
    ASSERT_EQ(Connectors().size(), 1u);
    Save();
    Click(Centre(b));
    Click(Centre(a));
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "Duplicate connector already exists");
    EXPECT_EQ(Connectors().size(), 1u);
    EXPECT_EQ(Steps(), 0);
}

TEST_F(ConDrawViewTest, EndingOnAConnectorBranchesFromIt)
{
    Click(Centre(a));
    Click(Centre(b));
    CConnector* first = Connectors().at(0);
    Save();
    // From C up to the middle of the A-B connector.
    const CPoint mid((first->EndPoint1.x + first->EndPoint2.x) / 2, first->EndPoint1.y);
    Click(Centre(c));
    MoveTo(Centre(c), At(mid));
    Click(At(mid));
    const std::vector<CFigure*> jcts = Junctions();
    ASSERT_EQ(jcts.size(), 1u);
    EXPECT_EQ(jcts[0]->GetCenter().y, mid.y);
    EXPECT_EQ(jcts[0]->m_nConnected, 3);
    EXPECT_EQ(Connectors().size(), 3u);
    EXPECT_EQ(Steps(), 1);
    ExpectUndoToSaved(UDMAC_CREATECON);
}

TEST_F(ConDrawViewTest, FreeformClicksAttachNothing)
{
    fx.doc.m_nAttachMode = 0;
    Save();
    Click(Centre(a));
    MoveTo(Centre(a), Centre(b));
    Click(Centre(b));   // a junction point, not an end on B
    DoubleClick(Empty(2700, 1500));
    for (CConnector* k : Connectors()) {
        EXPECT_NE(k->m_pFig1, a);
        EXPECT_NE(k->m_pFig2, b);
    }
    EXPECT_EQ(Connectors().size(), 2u);
    ExpectUndoToSaved(UDMAC_CREATECON);
}

TEST_F(ConDrawViewTest, OneGestureReturnsToSelectMode)
{
    SelectAfterConnectorCreate = 1;
    Press(Centre(a));
    MoveTo(Centre(a), Centre(b), Qt::LeftButton);
    Release(Centre(b));
    ASSERT_EQ(Connectors().size(), 1u);
    EXPECT_TRUE(Connectors()[0]->m_bSelected);
    EXPECT_EQ(g_nUIMode, 0);
}

TEST_F(ConDrawViewTest, AFixedLengthStyleIsPlacedByOneClick)
{
    fx.doc.m_curConStyle.FragmentCreation = 1;
    fx.doc.m_curConStyle.FragmentLength = 400;
    fx.doc.m_curConStyle.FragmentAngle = 90;
    const QPoint at = Empty(1800, 2000);
    Hover(at + QPoint(20, 20));
    Hover(at);
    Press(at);
    Release(at);
    const CPoint p = view->ClientPtToLogical(CPoint(at.x(), at.y()));
    const std::vector<CConnector*> cons = Connectors();
    ASSERT_EQ(cons.size(), 1u);
    EXPECT_EQ(cons[0]->EndPoint1, CPoint(p.x - 200, p.y));
    EXPECT_EQ(cons[0]->EndPoint2, CPoint(p.x + 200, p.y));
    EXPECT_EQ(cons[0]->m_pFig1, nullptr);
    EXPECT_EQ(cons[0]->m_pFig2, nullptr);
    EXPECT_EQ(fx.doc.m_curConStyle.m_props.Behavior.low & 0x80, 0u);
    EXPECT_EQ(Steps(), 1);
    ExpectUndoToSaved(UDMAC_CREATECON);
    // Leaving the mode takes the image away.
    Key(Qt::Key_Escape);
    view->FlushPaint();
    const QImage shown = view->Surface().copy();
    view->InvalidateAll();
    view->FlushPaint();
    EXPECT_TRUE(view->Surface() == shown);
}

// ---- the connector-end drag of select mode

TEST_F(ConDrawViewTest, DraggingASelectedEndReattachesIt)
{
    Click(Centre(a));
    Click(Centre(b));
    CConnector* k = Connectors().at(0);
    g_nUIMode = 0;
    fx.doc.SelectConAndEnds(k, 1, 0, false);
    Save();
    const QPoint end = At(k->EndPoint2);
    Press(end);
    EXPECT_TRUE(view->IsConEndDragging());
    MoveTo(end, Centre(c), Qt::LeftButton);
    Release(Centre(c));
    EXPECT_FALSE(view->IsConEndDragging());
    EXPECT_EQ(k->m_pFig1, a);
    EXPECT_EQ(k->m_pFig2, c);
    EXPECT_EQ(b->m_nConnected, 0);
    EXPECT_EQ(c->m_nConnected, 1);
    EXPECT_TRUE(c->m_rect.PtInRect(k->EndPoint2) || k->EndPoint2.y == c->m_rect.top);
    EXPECT_EQ(Steps(), 1);
    ExpectUndoToSaved(UDMAC_ROTATECON);
}

TEST_F(ConDrawViewTest, EndDragBorrowsTheFigureFlagOfAMarkedPointAndGivesItBack)
{
    // A marked connection point on B's left side.
    b->m_pConPts = std::make_unique<CConPtList>();
    const int id = b->m_pConPts->AddConPt(CFltPoint(0, 1024), "in", 1, true, -1);
    b->m_bHasConPts = 1;
    CFltPoint pos;
    ASSERT_TRUE(b->GetConPtPos(id, b->m_rect, pos));
    Click(Centre(a));
    Click(At(pos.RoundToPoint()));
    CConnector* k = Connectors().at(0);
    ASSERT_EQ(k->m_nConPtId2, id);
    g_nUIMode = 0;
    fx.doc.SelectConAndEnds(k, 1, 0, false);
    const FigFlagSet before = b->m_props.Behavior;
    // Hovering in connector mode names the point.
    g_nUIMode = kConnectorMode;
    Hover(At(pos.RoundToPoint()));
    EXPECT_EQ(view->StatusText(), "in");
    g_nUIMode = 0;
    Press(At(k->EndPoint2));
    EXPECT_TRUE(b->m_props.Behavior.low & 0x8000000);
    Move(At(k->EndPoint2) + QPoint(0, 40));
    Key(Qt::Key_Escape);
    EXPECT_FALSE(view->IsConEndDragging());
    EXPECT_TRUE(b->m_props.Behavior == before);
    EXPECT_EQ(k->m_pFig2, b);
}

TEST_F(ConDrawViewTest, EndDragOntoTheOtherEndsFigureIsRefused)
{
    Click(Centre(a));
    Click(Centre(b));
    CConnector* k = Connectors().at(0);
    g_nUIMode = 0;
    fx.doc.SelectConAndEnds(k, 1, 0, false);
    Save();
    const QPoint end = At(k->EndPoint2);
    Press(end);
    MoveTo(end, Centre(a), Qt::LeftButton);
    Release(Centre(a));
    ASSERT_EQ(prompts.shown.size(), 1u);
    EXPECT_EQ(prompts.shown[0].text, "Cannot connect a figure to itself");
    EXPECT_EQ(k->m_pFig2, b);
    EXPECT_EQ(Steps(), 0);
    EXPECT_EQ(DocText(fx.doc), saved);
}

TEST_F(ConDrawViewTest, TheFiftyFirstPointEndsTheChain)
{
    Click(Centre(a));
    // Clicks along a zigzag, none on a line with its neighbours.
    int made = 1;
    for (int i = 0; made < CFigPickList::kMaxEntries && view->IsConDrawing(); ++i, ++made) {
        const QPoint p = Empty(300 + 30 * i, 1400 + (i % 2) * 200);
        Hover(p);
        Click(p);
    }
    EXPECT_FALSE(view->IsConDrawing());
    EXPECT_EQ(made, CFigPickList::kMaxEntries);
    EXPECT_EQ(Connectors().size(), size_t(CFigPickList::kMaxEntries - 1));
    EXPECT_EQ(Steps(), 1);
    ExpectUndoToSaved(UDMAC_CREATECON);
}

TEST_F(ConDrawViewTest, TheMarkerIsShownOnceAndErasedWithItsGuides)
{
    ShowConnectionGuides = 1;
    view->FlushPaint();
    const QImage clean = view->Surface().copy();
    const CPoint pt = a->m_rect.CenterPoint();
    view->ShowConPtMarker(a, -2, pt, true);
    view->FlushPaint();
    const QImage once = view->Surface().copy();
    EXPECT_FALSE(once == clean);
    // The guide runs across the client area with a gap around the point.
    const QPoint c = At(pt);
    EXPECT_NE(once.pixel(5, c.y()), clean.pixel(5, c.y()));
    EXPECT_EQ(once.pixel(c.x() - 3, c.y() - 10), clean.pixel(c.x() - 3, c.y() - 10));
    view->ShowConPtMarker(a, -2, pt, true);   // the same one: nothing happens
    view->FlushPaint();
    EXPECT_TRUE(view->Surface() == once);
    view->EraseConPtMarker();
    view->FlushPaint();
    EXPECT_TRUE(view->Surface() == clean);
    ShowConnectionGuides = 0;
}

// A connector of a style with an automatic label gets the label in the step
// that made it: on the line, or beside it on either side.
TEST_F(ConDrawViewTest, ANewConnectorGetsItsStylesAutomaticLabel)
{
    fx.doc.m_curConStyle.AutoLabel = 1;
    fx.doc.m_curConStyle.AutoLabelText = "yes";
    const struct {
        int position;
        bool lateral;
        int sign;
    } rows[] = {{0, false, 0}, {1, true, 1}, {2, true, -1}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.position);
        fx.doc.m_curConStyle.AutoLabelPosition = row.position;
        Save();
        Press(Centre(a));
        MoveTo(Centre(a), Centre(b), Qt::LeftButton);
        Release(Centre(b));
        const std::vector<CConnector*> cons = Connectors();
        ASSERT_EQ(cons.size(), 1u);
        const CStaple* staple = fx.doc.FindConOrLatLblStaple(cons[0]);
        ASSERT_NE(staple, nullptr);
        CFigure* label = staple->m_pFig1;
        ASSERT_NE(label, nullptr);
        EXPECT_TRUE(label->m_bLabel);
        EXPECT_EQ(label->m_strText, "yes");
        EXPECT_EQ(label->IsLatLabel(), row.lateral);
        EXPECT_EQ(label->IsConLabel(), !row.lateral);
        EXPECT_EQ(staple->LateralOffset, row.sign * fx.doc.GetConLblGap());
        // An in-line label stands centred on the middle of its line.
        if (!row.lateral) {
            const CPoint mid = cons[0]->GetMidPoint(), c = label->m_rect.CenterPoint();
            EXPECT_LE(std::abs(c.x - mid.x), 1) << c.x << "," << c.y << " " << mid.x << "," << mid.y;
            EXPECT_LE(std::abs(c.y - mid.y), 1) << c.x << "," << c.y << " " << mid.x << "," << mid.y;
        }
        // Directly in front of its connector.
        EXPECT_EQ(fx.doc.m_pObjList->Find(label), fx.doc.m_pObjList->Find(cons[0]) + 1);
        if (const char* dir = std::getenv("KAVO_SHOTS")) {
            view->FlushPaint();
            view->Surface().save(QString(dir) + "/ANewConnectorGetsItsStylesAutomaticLabel-" +
                                 QString::number(row.position) + ".png");
        }
        EXPECT_EQ(Steps(), 1);
        ExpectUndoToSaved(UDMAC_CREATECON);
    }
    // A chain through a junction makes more than one connector: no label.
    fx.doc.m_curConStyle.AutoLabelPosition = 0;
    Save();
    const QPoint j = Empty(1800, 300);
    Click(Centre(a));
    MoveTo(Centre(a), j);
    Click(j);
    MoveTo(j, Centre(b));
    Click(Centre(b));
    ASSERT_EQ(Connectors().size(), 2u);
    for (CConnector* k : Connectors())
        EXPECT_EQ(fx.doc.FindConOrLatLblStaple(k), nullptr);
    ExpectUndoToSaved(UDMAC_CREATECON);
}

namespace {
CFigure* g_edited = nullptr;
int g_edits = 0;
bool RecordEdit(CKavoView&, CFigure* obj, int, int)
{
    g_edited = obj;
    ++g_edits;
    return true;
}
} // namespace

// With AutoEditOnCreate the automatic label of a new connector is opened
// for typing, and the view stays in text entry even when it would return to
// select mode; without a label there is nothing to type into.
TEST_F(ConDrawViewTest, AutoEditOpensTheNewConnectorsLabel)
{
    CKavoView::SetTextEditStarter(RecordEdit);
    g_edited = nullptr;
    g_edits = 0;
    AutoEditOnCreate = 1;
    SelectAfterConnectorCreate = 1;
    Press(Centre(a));
    MoveTo(Centre(a), Centre(b), Qt::LeftButton);
    Release(Centre(b));
    EXPECT_EQ(g_edits, 0);
    EXPECT_EQ(g_nUIMode, 0);
    fx.doc.m_curConStyle.AutoLabel = 1;
    fx.doc.m_curConStyle.AutoLabelText = "yes";
    g_nUIMode = kConnectorMode;
    Press(Centre(a));
    MoveTo(Centre(a), Centre(c), Qt::LeftButton);
    Release(Centre(c));
    ASSERT_EQ(g_edits, 1);
    ASSERT_NE(g_edited, nullptr);
    EXPECT_EQ(g_edited->m_strText, "yes");
    EXPECT_EQ(g_nUIMode, 3);
    AutoEditOnCreate = 0;
    CKavoView::SetTextEditStarter(nullptr);
}

// Ended by a second click instead of a release, the gesture's button-up
// arrives in text mode: the editor keeps the view there all the same.
TEST_F(ConDrawViewTest, AutoEditAfterClicksKeepsTextMode)
{
    CKavoView::SetTextEditStarter(RecordEdit);
    g_edits = 0;
    AutoEditOnCreate = 1;
    SelectAfterConnectorCreate = 1;
    fx.doc.m_curConStyle.AutoLabel = 1;
    fx.doc.m_curConStyle.AutoLabelText = "yes";
    Click(Centre(a));
    MoveTo(Centre(a), Centre(c));
    Click(Centre(c));
    EXPECT_EQ(g_edits, 1);
    EXPECT_EQ(g_nUIMode, 3);
    // The same for a click-placed connector.
    g_nUIMode = kConnectorMode;
    fx.doc.m_curConStyle.FragmentCreation = 1;
    fx.doc.m_curConStyle.FragmentLength = 400;
    Hover(Empty(1800, 2000));
    Click(Empty(1800, 2000));
    EXPECT_EQ(g_edits, 2);
    EXPECT_EQ(g_nUIMode, 3);
    AutoEditOnCreate = 0;
    CKavoView::SetTextEditStarter(nullptr);
}

// A point within the hit tolerance of the line through the point before
// is put on that line, unless the style's flag 32 leaves points as placed.
TEST_F(ConDrawViewTest, APointNearTheLineOfThePointBeforeIsPutOnIt)
{
    for (const DWORD flags : {DWORD(0), DWORD(32)}) {
        SCOPED_TRACE(flags);
        fx.doc.m_curConStyle.m_props.Behavior.low = flags;
        Save();
        const QPoint j1 = Empty(1800, 300), end = Empty(2700, 300) + QPoint(0, 1);
        Click(Centre(a));
        MoveTo(Centre(a), j1);
        Click(j1);
        MoveTo(j1, end);
        DoubleClick(end);
        const std::vector<CConnector*> cons = Connectors();
        ASSERT_EQ(cons.size(), 2u);
        const int placed = Logical(end).y;
        ASSERT_NE(placed, Logical(j1).y);
        EXPECT_EQ(cons[1]->EndPoint2.y, flags ? placed : Logical(j1).y);
        ExpectUndoToSaved(UDMAC_CREATECON);
    }
}

// The corner of an Alt-routed last leg still fits when it takes the last
// free place of the chain.
TEST_F(ConDrawViewTest, AnAltCornerTakesTheLastFreePoint)
{
    Click(Centre(a));
    int points = 1;
    for (int i = 0; points < CFigPickList::kMaxEntries - 2; ++i, ++points) {
        const QPoint p = Empty(300 + 30 * i, 1400 + (i % 2) * 200);
        Hover(p);
        Click(p);
    }
    ASSERT_TRUE(view->IsConDrawing());
    Move(Centre(c), Qt::AltModifier, Qt::NoButton);
    Click(Centre(c), Qt::AltModifier);
    EXPECT_FALSE(view->IsConDrawing());
    const std::vector<CConnector*> cons = Connectors();
    ASSERT_EQ(cons.size(), size_t(CFigPickList::kMaxEntries - 1));
    EXPECT_EQ(cons.back()->m_pFig2, c);
    // The last leg runs level into C from its corner.
    EXPECT_EQ(cons.back()->EndPoint1.y, c->GetCenter().y);
    ExpectUndoToSaved(UDMAC_CREATECON);
}

// A click-placed connector attaches nothing, so CTRL is not offered.
TEST_F(ConDrawViewTest, TheClickPlacedModeOffersNoFreeform)
{
    fx.doc.m_curConStyle.FragmentCreation = 1;
    fx.doc.m_curConStyle.FragmentLength = 400;
    Hover(Empty(1800, 2000));
    EXPECT_EQ(view->StatusText(), "Click to create a \"" + fx.doc.m_curConStyle.m_strName +
                                      "\" connector.    ESC: select mode");
    fx.doc.m_curConStyle.FragmentCreation = 0;
    Hover(Empty(1800, 2100));
    EXPECT_NE(view->StatusText().find("CTRL: freeform"), std::string::npos);
}

// A fixed-length style of another direction than the four is placed as 90,
// and its direction becomes 90.
TEST_F(ConDrawViewTest, AnOddDirectionIsPlacedAsNinety)
{
    fx.doc.m_curConStyle.FragmentCreation = 1;
    fx.doc.m_curConStyle.FragmentLength = 400;
    fx.doc.m_curConStyle.FragmentAngle = 45;
    const QPoint at = Empty(1800, 2000);
    Hover(at);
    Click(at);
    const CPoint p = Logical(at);
    const std::vector<CConnector*> cons = Connectors();
    ASSERT_EQ(cons.size(), 1u);
    EXPECT_EQ(cons[0]->EndPoint1, CPoint(p.x - 200, p.y));
    EXPECT_EQ(cons[0]->EndPoint2, CPoint(p.x + 200, p.y));
    EXPECT_EQ(fx.doc.m_curConStyle.FragmentAngle, 90);
}

// The image of a click-placed connector follows the pointer; after a
// placement it stays away until the pointer has left the click point, and
// then comes back wherever the pointer goes, that point included.
TEST_F(ConDrawViewTest, TheClickPlacedImageFollowsThePointer)
{
    fx.doc.m_curConStyle.FragmentCreation = 1;
    fx.doc.m_curConStyle.FragmentLength = 400;
    fx.doc.m_curConStyle.FragmentAngle = 90;
    const auto ends = [&](const QPoint& p) {
        const CPoint l = Logical(p);
        return std::vector<CPoint>{CPoint(l.x - 200, l.y), CPoint(l.x + 200, l.y)};
    };
    view->FlushPaint();
    const QImage clean = view->Surface().copy();
    const QPoint at = Empty(1800, 2000), away = at + QPoint(60, 0);
    Hover(at);
    EXPECT_EQ(view->m_rubberShown, ends(at));
    view->FlushPaint();
    EXPECT_FALSE(view->Surface() == clean);
    Click(at);
    ASSERT_EQ(Connectors().size(), 1u);
    Hover(at + QPoint(1, 0));
    EXPECT_TRUE(view->m_rubberShown.empty());
    Hover(away);
    EXPECT_EQ(view->m_rubberShown, ends(away));
    Hover(at);
    EXPECT_EQ(view->m_rubberShown, ends(at));
}

// The click-placed connector follows the pointer with the connect cursor,
// and with SelectAfterConnectorCreate one placement returns to select mode.
TEST_F(ConDrawViewTest, AClickPlacedConnectorIsOneGesture)
{
    fx.doc.m_curConStyle.FragmentCreation = 1;
    fx.doc.m_curConStyle.FragmentLength = 400;
    SelectAfterConnectorCreate = 1;
    const QPoint at = Empty(1800, 2000);
    Hover(at);
    EXPECT_EQ(view->ViewCursor(), kCursorConnect);
    Click(at);
    ASSERT_EQ(Connectors().size(), 1u);
    EXPECT_EQ(g_nUIMode, 0);
    EXPECT_EQ(Steps(), 1);
    ExpectUndoToSaved(UDMAC_CREATECON);
}

// Dragging the end of a chain: the chain's own junctions and connectors are
// no targets on the way, and the release moves only that end, the rest of
// the chain staying as it was.
TEST_F(ConDrawViewTest, AChainsEndIsDraggedPastItsOwnJunctions)
{
    const QPoint p1 = Empty(1800, 300), p2 = Empty(1800, 2000);
    for (const QPoint& p : {Centre(a), p1, p2, Centre(c)}) {
        Hover(p);
        Click(p);
    }
    const std::vector<CConnector*> k = Connectors();
    ASSERT_EQ(k.size(), 3u);
    CFigure* j1 = k[0]->m_pFig2;
    CFigure* j2 = k[1]->m_pFig2;
    g_nUIMode = 0;
    fx.doc.SelectConAndEnds(k[2], 1, 0, false);
    Save();
    const QPoint end = At(k[2]->EndPoint2);
    Press(end);
    ASSERT_TRUE(view->IsConEndDragging());
    MoveTo(end, Centre(j1), Qt::LeftButton);
    EXPECT_EQ(view->ViewCursor(), kCursorAdjust);
    MoveTo(Centre(j1), Centre(b), Qt::LeftButton);
    EXPECT_EQ(view->ViewCursor(), kCursorAttach);
    Release(Centre(b));
    EXPECT_EQ(Connectors(), k);
    EXPECT_EQ(k[2]->m_pFig1, j2);
    EXPECT_EQ(k[2]->m_pFig2, b);
    EXPECT_EQ(k[1]->m_pFig1, j1);
    EXPECT_EQ(c->m_nConnected, 0);
    for (const CDiagObj* o : std::vector<CDiagObj*>{k[0], k[1], k[2], j1, j2})
        EXPECT_EQ(o->m_bTemp, 0);
    EXPECT_EQ(Steps(), 1);
    ExpectUndoToSaved(UDMAC_ROTATECON);
}

// The hover before a connector is drawn marks where its start would
// attach: a figure's centre, the foot on a connector it would branch from,
// nothing over empty space.
TEST_F(ConDrawViewTest, TheHoverMarksWhereTheStartWouldAttach)
{
    Click(Centre(a));
    Click(Centre(b));
    const CConnector* k = Connectors().at(0);
    const CPoint mid((k->EndPoint1.x + k->EndPoint2.x) / 2, k->EndPoint1.y);
    struct Case {
        const char* name;
        CPoint at;
        const CFigure* fig;
        CPoint marked;
        bool shown;
    };
    const Case cases[] = {
        {"figure", c->m_rect.CenterPoint() + CSize(40, 30), c, c->m_rect.CenterPoint(), true},
        {"connector", mid + CSize(0, 3), nullptr, mid, true},
        {"empty", CPoint(1500, 2200), nullptr, CPoint(), false},
    };
    for (const Case& t : cases) {
        SCOPED_TRACE(t.name);
        Hover(At(t.at));
        const ConPtMarkerShown m = CurrentConPtMarker();
        EXPECT_EQ(m.view != nullptr, t.shown);
        if (!t.shown)
            continue;
        EXPECT_EQ(m.fig, t.fig);
        EXPECT_EQ(m.index, kPickAuto);
        // The pointer's pixel puts the foot on the line within a pixel.
        EXPECT_NEAR(m.pt.x, t.marked.x, Px(1));
        EXPECT_EQ(m.pt.y, t.marked.y);
    }
    view->EraseConPtMarker();
}

// While the pointer is outside the window during a drag, a figure under it
// is not on screen and nothing attaches to it: the release there only fixes
// a point of the chain.
TEST_F(ConDrawViewTest, NothingAttachesOutsideTheWindow)
{
    CFigure* off = fx.AddBox(600, 2600, 400, 200, "Off");
    Save();
    const QPoint out = Centre(off);
    ASSERT_FALSE(view->viewport()->rect().contains(out));
    ASSERT_TRUE(view->WorkSpace().PtInRect(off->m_rect.CenterPoint()));
    Press(Centre(a));
    MoveTo(Centre(a), out, Qt::LeftButton);
    Release(out);
    EXPECT_TRUE(Connectors().empty());
    EXPECT_TRUE(view->IsConDrawing());
    Key(Qt::Key_Escape);
    EXPECT_FALSE(view->IsConDrawing());
    EXPECT_EQ(Steps(), 0);
    EXPECT_EQ(DocText(fx.doc), saved);
}

// A point in line with both its neighbours adds nothing to a straight
// connector and is dropped; the curved shapes (style flags 2 and 8) bend
// through every point, so there it stays as a junction.
TEST_F(ConDrawViewTest, APointInLineStaysOnlyForCurvedStyles)
{
    const int y = a->GetCenter().y;
    for (const auto& [flags, connectors] : {std::pair{0u, 1u}, {2u, 2u}, {8u, 2u}}) {
        SCOPED_TRACE(flags);
        fx.doc.m_curConStyle.m_props.Behavior.low = flags;
        const QPoint middle = Empty(1800, y);
        Click(Centre(a));
        MoveTo(Centre(a), middle);
        Click(middle);
        MoveTo(middle, Centre(b));
        Click(Centre(b));
        EXPECT_EQ(Connectors().size(), connectors);
        EXPECT_EQ(Junctions().size(), connectors - 1);
        ExpectUndoToSaved(UDMAC_CREATECON);
    }
}
