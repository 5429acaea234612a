// Free labels dragged with the mouse on a real view offscreen: into the
// positions round a figure and into a flow slot, detached and attached
// again; and the sizing commands on a selection made with the mouse. Each
// is checked by the document and by undo back to the saved text.
#include "ViewEvents.h"
#include "common/FakeAppContext.h"
#include "common/TestSupport.h"
#include "core/MessageBeep.h"
#include "core/Settings.h"
#include "core/StringHelpers.h"
#include "core/UIMode.h"
#include "core/Units.h"
#include "document/CStaple.h"
#include "document/LabelPlacement.h"
#include "editing/LabelMenu.h"
#include "editing/SizeToText.h"
#include "undo/UndoCodes.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace {
struct LabelDropTest : testing::Test, ViewEvents {
    void SetUp() override
    {
        SetScreenPixelHeightForTest(768);
        ScreenHeight = 9.0;
        ShowRulers = 0;
        SnapToFigLblPrimarySlotOnly = 0;
        fx.doc.m_bShowGrid = 0;
        fx.doc.m_bAlignToGrid = 0;
        a = fx.AddBox(600, 600, 600, 450, "A");
        b = fx.AddBox(2400, 600, 600, 450, "B");
        con = fx.Connect(a, b);
        label = fx.AddBox(1500, 1500, 200, 100, "L");
        label->m_bLabel = 1;
        fx.doc.ResetUndoLog();
        fx.doc.SetModifiedFlag(false);
        app.doc = &fx.doc;
        SetAppContext(&app);
        g_nUIMode = 0;
        view = std::make_unique<CKavoView>(&fx.doc);
        view->show();
        FitView(*view);
        saved = DocText(fx.doc);
    }
    void TearDown() override
    {
        SaveViewShot(*view);
        view.reset();
        SetAppContext(nullptr);
        SetScreenPixelHeightForTest(0);
        SnapToFigLblPrimarySlotOnly = 1;
    }
    // Labels are grabbed a little off their centre handle, so that a press
    // on a selected one starts the move at once.
    static constexpr QPoint kGrab{6, 4};
    // Press, four moves and the release; the status text seen on the last
    // move is kept. `moveMods` are held while moving and releasing.
    void Drag(const QPoint& from, const QPoint& to, Qt::KeyboardModifiers moveMods = Qt::NoModifier)
    {
        Press(from);
        for (int i = 1; i <= 4; ++i)
            Move(from + (to - from) * i / 4, moveMods);
        status = view->StatusText();
        Release(to, moveMods);
    }
    // No inverted feedback is left: painting everything again changes no
    // pixel by more than the smoothing of an edge redrawn in part does
    // (inverted grey changes a pixel by half the range).
    void ExpectNoFeedbackLeft()
    {
        view->FlushPaint();
        const QImage shown = view->Surface().convertToFormat(QImage::Format_RGB32);
        view->InvalidateAll();
        view->FlushPaint();
        const QImage fresh = view->Surface().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(shown.size(), fresh.size());
        int off = 0;
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x) {
                const QRgb a = shown.pixel(x, y), b = fresh.pixel(x, y);
                if (std::abs(qRed(a) - qRed(b)) > 16 || std::abs(qGreen(a) - qGreen(b)) > 16 ||
                    std::abs(qBlue(a) - qBlue(b)) > 16)
                    ++off;
            }
        EXPECT_EQ(off, 0);
    }
    int FigGap() const { return fx.doc.GetFigLblGap(); }

    FakeAppContext app;
    CFigure* a = nullptr;
    CFigure* b = nullptr;
    CFigure* label = nullptr;
    CConnector* con = nullptr;
    std::string status;
};
} // namespace

TEST_F(LabelDropTest, AFreeLabelDraggedToThreePositionsOfAFigure)
{
    const CSize size = label->m_rect.Size();
    for (int code : {2, 11, 9}) {
        SCOPED_TRACE(code);
        CRect slot;
        fx.doc.CalcFigLblRect(a, size, code, slot, FigGap());
        Drag(Centre(label) + kGrab, At(slot.CenterPoint()) + kGrab);
        EXPECT_EQ(status.rfind("Drop to attach as figure label", 0), 0u) << status;
        ASSERT_TRUE(label->IsFigLabel());
        EXPECT_EQ(label->m_pStaple->m_pFig1, a);
        EXPECT_EQ(label->m_pStaple->GetSideCodeExact(), code);
        EXPECT_EQ(label->m_rect, slot);
        const FigLblPlace place = FigLblPlaceOf(code);
        EXPECT_EQ(label->m_props.TextFormat & 0x77, place.alignH | place.alignV);
        ExpectNoFeedbackLeft();
        // The attach is a step of its own after the move.
        EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_ATTACHLBLASFIGLBL);
        EXPECT_FALSE(label->IsStapled());
        EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_MOVEOBJS);
        EXPECT_EQ(DocText(fx.doc), saved);
    }
}

TEST_F(LabelDropTest, AFigureLabelIsDetachedAndAttachedAgain)
{
    CRect slot;
    fx.doc.CalcFigLblRect(a, label->m_rect.Size(), 11, slot, FigGap());
    Drag(Centre(label) + kGrab, At(slot.CenterPoint()) + kGrab);
    ASSERT_TRUE(label->IsFigLabel());
    const std::string attached = DocText(fx.doc);

    Click(Centre(label));
    fx.doc.OnDetachLbl();
    EXPECT_FALSE(label->IsStapled());
    EXPECT_EQ(label->m_rect, slot);
    // A detached label moves alone: a drag with Ctrl held keeps it free.
    const CPoint before = label->GetCenter();
    Drag(Centre(label) + kGrab, Centre(label) + kGrab + QPoint(0, 40), Qt::ControlModifier);
    EXPECT_FALSE(label->IsStapled());
    EXPECT_GT(label->GetCenter().y, before.y);
    EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_MOVEOBJS);

    // Attach Label to Figure pins it where it is.
    Click(Centre(label));
    Click(Centre(a), Qt::ShiftModifier);
    ASSERT_TRUE(fx.doc.OnAttachLblToFig());
    ASSERT_TRUE(label->IsFigLabel());
    EXPECT_EQ(label->m_rect, slot);
    EXPECT_EQ(label->m_pStaple->Fig1PosX, 127);
    // Moving the figure takes the label with it.
    fx.doc.DeselectAllObjs();
    Drag(Centre(a), Centre(a) + QPoint(0, 30));
    EXPECT_EQ(label->m_rect.top - slot.top, a->m_rect.top - 600);
    EXPECT_GT(a->m_rect.top, 600);

    EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_MOVEOBJS);
    EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_ATTACHLBLASFIGLBL);
    EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_DETACHLBL);
    EXPECT_EQ(DocText(fx.doc), attached);
    EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_ATTACHLBLASFIGLBL);
    EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_MOVEOBJS);
    EXPECT_EQ(DocText(fx.doc), saved);
}

TEST_F(LabelDropTest, AFreeLabelDroppedOnAFlowSlot)
{
    int gap = 0, inflate = 0;
    fx.doc.GetLabelSpacing(gap, inflate);
    CRect r1, r2;
    int c1 = -1, c2 = -1;
    ASSERT_TRUE(fx.doc.CalcFlowLblRects(con, b, label->m_rect.Size(), gap, inflate, r1, r2, c1, c2));
    struct Row {
        Qt::KeyboardModifiers mods;
        bool attached;
    };
    for (const Row& row : {Row{Qt::NoModifier, true}, Row{Qt::ControlModifier, false}}) {
        SCOPED_TRACE(row.attached);
        Drag(Centre(label) + kGrab, At(r1.CenterPoint()) + kGrab, row.mods);
        EXPECT_EQ(label->IsFlowLabel(), row.attached);
        EXPECT_EQ(status.rfind(row.attached ? "Drop to attach as flow label" : "Drag label", 0), 0u) << status;
        ExpectNoFeedbackLeft();
        if (row.attached) {
            EXPECT_EQ(label->m_pStaple->m_pFig1, b);
            EXPECT_EQ(label->m_pStaple->m_pCon, con);
            EXPECT_EQ(label->m_pStaple->FlowSide, 1);
            EXPECT_EQ(label->m_rect, r1);
            EXPECT_EQ(label->m_props.TextFormat & 0x77, FlowLblAlign(c1));
            EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_ATTACHLBLASFLWLBL);
        }
        EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_MOVEOBJS);
        EXPECT_EQ(DocText(fx.doc), saved);
    }
}

// A flow label dragged with only part of its flow stops the drag at the
// first move with message 754; with its connector and both figures it moves.
TEST_F(LabelDropTest, AFlowLabelMovesOnlyWithItsWholeFlow)
{
    ASSERT_TRUE(fx.doc.AttachLblAsFlowLbl(label, b, con, 1, false));
    fx.doc.ResetUndoLog();
    saved = DocText(fx.doc);
    struct Row {
        std::vector<CDiagObj*> with;
        bool refused;
    };
    const Row rows[] = {{{a}, true}, {{a, b, con}, false}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.refused);
        CRecordingPrompt prompt;
        fx.doc.SelectObj(label, 1, 0, 0);
        for (CDiagObj* o : row.with)
            fx.doc.AddObjToSel(o, 2, false);
        view->FlushPaint();
        Drag(Centre(label) + kGrab, Centre(label) + kGrab + QPoint(30, 40));
        EXPECT_FALSE(view->IsGestureInProgress());
        const bool warned = !prompt.shown.empty() && prompt.shown[0].text == ResText(754);
        EXPECT_EQ(warned, row.refused);
        EXPECT_EQ(DocText(fx.doc) == saved, row.refused);
        if (!row.refused) {
            EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_MOVEOBJS);
            EXPECT_EQ(DocText(fx.doc), saved);
        }
        fx.doc.ClearSelection();
    }
}

TEST_F(LabelDropTest, MakeSameSizeAndSizeToTextOnTheSelection)
{
    b->SetRectNoUndo(CRect(2400, 600, 2700, 800));
    fx.doc.ResetUndoLog();
    saved = DocText(fx.doc);
    Click(Centre(a));
    Click(Centre(b), Qt::ShiftModifier);
    Click(Centre(label), Qt::ShiftModifier);
    fx.doc.OnSameSize();
    EXPECT_EQ(b->m_rect.Size(), a->m_rect.Size());
    EXPECT_EQ(label->m_rect.Size(), CSize(200, 100)) << "labels keep their size";
    EXPECT_EQ(con->EndPoint2.x, b->m_rect.left) << "the connector follows";
    EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_SAMESIZE);
    EXPECT_EQ(DocText(fx.doc), saved);

    // The big box with one letter shrinks round its text.
    Click(Centre(a));
    OnSizeToText(fx.doc);
    EXPECT_LT(a->m_rect.Width(), 600);
    EXPECT_LT(a->m_rect.Height(), 450);
    EXPECT_GT(a->m_rect.Width(), 0);
    EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_FITTOTEXT);
    EXPECT_EQ(DocText(fx.doc), saved);
}

TEST_F(LabelDropTest, AFreeLabelDroppedBesideALineBecomesALateralLabel)
{
    int gap = 0, lateral = 0;
    fx.doc.GetLabelSpacing(gap, lateral);
    // Above the line from A to B (y 825), and below it.
    struct Row {
        int offset;
        CRect rect;
        int align;
    };
    const Row rows[] = {
        {lateral, CRect(1700, 825 - lateral - 100, 1900, 825 - lateral), 2 | 16},
        {-lateral, CRect(1700, 825 + lateral, 1900, 825 + lateral + 100), 2 | 64},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.offset);
        Drag(Centre(label) + kGrab, At(row.rect.CenterPoint()) + kGrab);
        ASSERT_TRUE(label->IsLatLabel());
        EXPECT_EQ(label->m_pStaple->m_pCon, con);
        EXPECT_EQ(label->m_pStaple->LateralOffset, row.offset);
        EXPECT_EQ(label->m_rect, row.rect);
        EXPECT_EQ(label->m_props.TextFormat & 0x77, row.align);
        ExpectNoFeedbackLeft();
        EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_ATTACHLBLASCONLBL);
        EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_MOVEOBJS);
        EXPECT_EQ(DocText(fx.doc), saved);
    }
}

// While the label is over a target a rectangle and a dotted line show it;
// with the switch off nothing is shown but the tracked outline.
TEST_F(LabelDropTest, TheTargetIsShownWhileDragging)
{
    CRect slot;
    fx.doc.CalcFigLblRect(a, label->m_rect.Size(), 2, slot, FigGap());
    const QPoint from = Centre(label) + kGrab, to = At(slot.CenterPoint()) + kGrab;
    QImage seen[2];
    for (int on : {1, 0}) {
        ShowLabelFeedback = on;
        Press(from);
        for (int i = 1; i <= 4; ++i)
            Move(from + (to - from) * i / 4);
        view->FlushPaint();
        seen[on] = view->Surface().copy();
        if (const char* dir = on ? std::getenv("KAVO_SHOTS") : nullptr)
            seen[on].save(QString(dir) + "/LabelDropFeedback.png");
        Key(Qt::Key_Escape);
        EXPECT_FALSE(view->IsMoveDragging());
        Release(to);
        EXPECT_FALSE(label->IsStapled());
        ExpectNoFeedbackLeft();
    }
    ShowLabelFeedback = 1;
    // The dotted line runs from the figure's top middle up to the label.
    const QPoint top = At(CPoint(900, 600)), lblBottom = At(CPoint(900, slot.bottom));
    int differ = 0;
    for (int y = lblBottom.y(); y <= top.y(); ++y)
        for (int x = top.x() - 1; x <= top.x() + 1; ++x)
            differ += seen[1].pixel(x, y) != seen[0].pixel(x, y);
    EXPECT_GT(differ, 0);
    EXPECT_EQ(DocText(fx.doc), saved);
}

// The label commands of the view make a label on a figure, a flow or a
// connector in one undo step each.
TEST_F(LabelDropTest, LabelsMadeOnAFigureAFlowAndAConnector)
{
    fx.doc.m_curLblStyle.DefaultText = "Tag";
    const CPoint onLine(1800, 825);
    struct Row {
        const char* name;
        std::function<bool()> make;
        int step;
        std::function<bool(const CFigure*)> kind;
    };
    const Row rows[] = {
        {"figure, above", [&] { return view->AddFigLblAtCursor(a->GetCenter(), 2); }, UDMAC_CREATEFIGLBL,
         [](const CFigure* l) { return l->IsFigLabel() && l->m_pStaple->GetSideCodeExact() == 2; }},
        {"flow, slot 2 at B", [&] { return view->AddFlowLblAtCursor(CPoint(2350, 825), 2); }, UDMAC_CREATEFLWLBL,
         [&](const CFigure* l) { return l->IsFlowLabel() && l->m_pStaple->m_pFig1 == b; }},
        {"in-line on the connector", [&] { return view->OnAddConLblHere(onLine); }, UDMAC_CREATECONLBL,
         [](const CFigure* l) { return l->IsConLabel(); }},
        {"beside the connector", [&] { return view->OnAddLatLblHere(onLine); }, UDMAC_CREATELATLBL,
         [](const CFigure* l) { return l->IsLatLabel(); }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const int before = fx.doc.GetObjCount();
        ASSERT_TRUE(row.make());
        ASSERT_EQ(fx.doc.GetObjCount(), before + 1);
        const CFigure* made = nullptr;
        for (CDiagObj* o : *fx.doc.m_pObjList)
            if (o->GetType() == kObjFigure && o != label && static_cast<CFigure*>(o)->m_bLabel)
                made = static_cast<CFigure*>(o);
        ASSERT_TRUE(made);
        EXPECT_TRUE(row.kind(made));
        EXPECT_EQ(made->m_strText, "Tag");
        EXPECT_EQ(fx.doc.UndoLastStep(), row.step);
        EXPECT_EQ(DocText(fx.doc), saved);
    }
    // A taken position makes nothing.
    ASSERT_TRUE(view->AddFigLblAtCursor(a->GetCenter(), 8));
    const int count = fx.doc.GetObjCount();
    EXPECT_FALSE(view->AddFigLblAtCursor(a->GetCenter(), 8));
    EXPECT_EQ(fx.doc.GetObjCount(), count);
}

TEST_F(LabelDropTest, TheLabelMenuCommandsMakeTheirLabels)
{
    const struct {
        int id, code;
    } figRows[] = {{33042, 1}, {33043, 2}, {33047, 6}, {33048, 9}, {33050, 7}, {33053, 10}};
    for (const auto& row : figRows) {
        SCOPED_TRACE(row.id);
        EXPECT_EQ(FigLblCodeOfCommand(row.id), row.code);
        ASSERT_TRUE(view->OnLabelMenuCommand(row.id, a->GetCenter()));
        EXPECT_TRUE(fx.doc.FindFigLblStapleAtPos(a, row.code));
        EXPECT_FALSE(view->OnLabelMenuCommand(row.id, a->GetCenter())) << "taken";
        EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_CREATEFIGLBL);
        EXPECT_EQ(DocText(fx.doc), saved);
    }
    EXPECT_EQ(FigLblCodeOfCommand(33054), 0);
    ASSERT_TRUE(view->OnLabelMenuCommand(kCmdFlowLblSlot1, CPoint(1250, 825)));
    EXPECT_TRUE(fx.doc.FindFlowLblStaple(con, a, 1));
    EXPECT_FALSE(fx.doc.FindFlowLblStaple(con, a, 2));
    EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_CREATEFLWLBL);
    EXPECT_EQ(DocText(fx.doc), saved);
}

// A flow label that cannot be pinned (no such slot) stays as a free label
// made in its own step: undo takes it away again.
TEST_F(LabelDropTest, AFlowLabelThatCannotBePinnedStaysFreeInItsStep)
{
    int gap = 0, inflate = 0;
    fx.doc.GetLabelSpacing(gap, inflate);
    CRect r1, r2;
    int c1 = -1, c2 = -1;
    ASSERT_TRUE(fx.doc.CalcFlowLblRects(con, a, fx.doc.GetNewFlowLblSize(), gap, inflate, r1, r2, c1, c2));
    const int before = fx.doc.GetObjCount();
    EXPECT_FALSE(view->CreateFlowLbl(a, con, 3, c1, r1));
    ASSERT_EQ(fx.doc.GetObjCount(), before + 1);
    const auto* made = static_cast<const CFigure*>(fx.doc.m_pObjList->GetAt(fx.doc.m_pObjList->GetCount() - 1));
    EXPECT_TRUE(made->m_bLabel);
    EXPECT_FALSE(made->IsStapled());
    EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_CREATEFLWLBL);
    EXPECT_EQ(DocText(fx.doc), saved);
}

// A label made on a connector lies directly in front of it in the drawing
// order, also when the connector is the bottom-most object.
TEST_F(LabelDropTest, AConnectorLabelLiesDirectlyInFrontOfItsConnector)
{
    fx.doc.m_curLblStyle.DefaultText = "Tag";
    ASSERT_TRUE(fx.doc.MoveObjInList(con, 1));
    ASSERT_EQ(fx.doc.m_pObjList->Find(con), 0);
    fx.doc.ResetUndoLog();
    saved = DocText(fx.doc);
    const CPoint onLine(1800, 825);
    for (const bool lateral : {false, true}) {
        SCOPED_TRACE(lateral);
        ASSERT_TRUE(lateral ? view->OnAddLatLblHere(onLine) : view->OnAddConLblHere(onLine));
        const CStaple* staple = fx.doc.FindConOrLatLblStaple(con);
        ASSERT_NE(staple, nullptr);
        EXPECT_EQ(fx.doc.m_pObjList->Find(staple->m_pFig1), 1);
        fx.doc.UndoLastStep();
        EXPECT_EQ(DocText(fx.doc), saved);
    }
}

namespace {
UINT g_labelBeep = 0;
int g_labelBeeps = 0;
} // namespace

// A figure-label command on a position already taken beeps a warning and
// makes nothing; a free one makes its label without a sound.
TEST_F(LabelDropTest, AFigureLabelOnATakenPositionBeeps)
{
    g_labelBeeps = 0;
    const MessageBeepHandler before = SetMessageBeepHandler([](UINT type) {
        g_labelBeep = type;
        ++g_labelBeeps;
    });
    ASSERT_TRUE(view->AddFigLblAtCursor(a->GetCenter(), 8));
    EXPECT_EQ(g_labelBeeps, 0);
    const int count = fx.doc.GetObjCount();
    EXPECT_FALSE(view->AddFigLblAtCursor(a->GetCenter(), 8));
    EXPECT_EQ(g_labelBeeps, 1);
    EXPECT_EQ(g_labelBeep, UINT(0x30)) << "the warning sound";
    EXPECT_EQ(fx.doc.GetObjCount(), count);
    SetMessageBeepHandler(before);
}

// A free label keeps the alignment of its style.
TEST_F(LabelDropTest, AFreeLabelKeepsItsStylesAlignment)
{
    for (const WORD align : {WORD(4 | 64), WORD(1 | 16), WORD(2 | 32)}) {
        SCOPED_TRACE(align);
        fx.doc.m_curLblStyle.m_props.TextFormat = WORD((fx.doc.m_curLblStyle.m_props.TextFormat & ~0x77) | align);
        const std::string before = DocText(fx.doc);
        CFigure* made = view->CreateLbl(CPoint(600, 1500));
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(made->m_props.TextFormat & 0x77, align);
        EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_CREATELBL);
        EXPECT_EQ(DocText(fx.doc), before);
    }
}

// A figure label made from the menu, once sized to its text, stands at its
// position round the figure, the last position as the first.
TEST_F(LabelDropTest, AFigureLabelStandsAtItsPositionOnceSizedToItsText)
{
    fx.doc.m_curLblStyle.DefaultText = "A longer tag";
    for (const int code : {1, 12}) {
        SCOPED_TRACE(code);
        ASSERT_TRUE(view->AddFigLblAtCursor(a->GetCenter(), code));
        const CStaple* staple = fx.doc.FindFigLblStapleAtPos(a, code);
        ASSERT_NE(staple, nullptr);
        const CFigure* made = staple->m_pFig2;
        CRect want;
        fx.doc.CalcFigLblRect(a, made->m_rect.Size(), code, want, FigGap());
        EXPECT_EQ(made->m_rect, want);
        EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_CREATEFIGLBL);
        EXPECT_EQ(DocText(fx.doc), saved);
    }
}
