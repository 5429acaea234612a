// Divider editing without a view: which divider a press drags, the private
// copy of the symbol, and the commit, cancel and text-editor moves, each
// checked by the library count, the figure's symbol, the undo steps and the
// result.
#include "common/DiagramFixture.h"
#include "common/TestSupport.h"
#include "editing/DividerEdit.h"
#include "shapes/CConPtList.h"
#include "shapes/CFigSymbol.h"
#include "undo/UndoCodes.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>

namespace {
CPoint Below(const CPoint& p, int dy) { return CPoint(p.x, p.y + dy); }

struct DividerEditTest : testing::Test {
    DiagramFixture fx;
    CFigure* fig = nullptr;
    int rows = -1;
    void SetUp() override
    {
        rows = fx.AddRowsSymbol();
        fig = fx.AddBox(1500, 1100, 600, 600, "D");
        fig->m_props.Symbol = rows;
        fx.doc.ResetUndoLog();
        stepBase = int(fx.doc.UndoLogRef().m_nStepsRecorded);
    }
    int stepBase = 0;
    int Steps() { return int(fx.doc.UndoLogRef().m_nStepsRecorded) - stepBase; }
    CPoint Handle(int n) const
    {
        CPoint h;
        EXPECT_TRUE(fig->GetSymbol()->GetDividerHandle(n, h, fig->m_rect));
        return h;
    }
};
} // namespace

// A divider pressed between its neighbours' least sizes cannot move: the
// press drags the next divider under the point that can.
TEST_F(DividerEditTest, APressDragsTheFirstMovableDividerUnderIt)
{
    // In a figure 2048 high logical units are symbol units: the first row
    // and the second are at their least height of 16.
    fig = fx.AddBox(1000, 1000, 2048, 2048, "");
    fig->m_props.Symbol = fx.AddRowsSymbol(16, 32, "tight");
    const CPoint stuck = Handle(0);
    EXPECT_FALSE(CanMoveDivider(*fig, 0));
    EXPECT_TRUE(CanMoveDivider(*fig, 1));
    const CPoint pt(stuck.x, stuck.y + 8);
    EXPECT_EQ(DividerAtPoint(*fig, pt, 40, 0), 0);
    EXPECT_EQ(DividerAtPoint(*fig, pt, 40, 1), 1);
    EXPECT_EQ(PreferMovableDivider(*fig, pt, 40, 0), 1);
    // Alone under the point, the stuck divider is still the one taken.
    EXPECT_EQ(PreferMovableDivider(*fig, CPoint(stuck.x, stuck.y - 10), 20, 0), 0);
    // The free shape: the first found moves.
    fig->m_props.Symbol = rows;
    ASSERT_TRUE(CanMoveDivider(*fig, 1));
    EXPECT_TRUE(CanMoveDivider(*fig, 0));
    EXPECT_EQ(PreferMovableDivider(*fig, Handle(0), 40, 0), 0);
}

// Text sections beyond 32 never limit a divider.
TEST_F(DividerEditTest, SectionMinimumsStopAt32)
{
    SIZE mins[kMaxSectionMins + 8];
    EXPECT_EQ(GetSectionMinSizes(*fig, mins), 3);
    // Forty text boxes (the ones past the rows are empty rectangles).
    fx.doc.m_figSymbols.GetAt(rows)->m_nTextBoxes = 40;
    EXPECT_EQ(fig->GetTextAreaCount(), 40);
    EXPECT_EQ(GetSectionMinSizes(*fig, mins), kMaxSectionMins);
}

TEST_F(DividerEditTest, DragModel)
{
    // What happens between press (the copy) and release or cancel.
    enum End { kCommit, kCommitRefused, kCommitLostCopy, kCancel };
    const struct {
        const char* name;
        End end;
        int result, libraryDelta, steps;
        bool onCopy;
    } cases[] = {
        {"commit", kCommit, 1, 1, 1, true},
        {"refused record", kCommitRefused, 0, 0, 0, false},
        {"copy gone", kCommitLostCopy, 0, 0, 0, false},
        {"cancel", kCancel, 1, 0, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        CRecordingPrompt prompt;
        const int library = fx.doc.m_figSymbols.GetCount();
        int saved = -1;
        ASSERT_EQ(CopySymbolForEdit(*fig, saved), 1);
        EXPECT_EQ(saved, rows);
        EXPECT_EQ(fx.doc.m_figSymbols.GetCount(), library + 1);
        const int copy = fig->m_props.Symbol;
        CPoint h = Handle(0);
        h.y += 100;
        ASSERT_TRUE(fx.doc.m_figSymbols.GetAt(copy)->MoveSpecialHandle(0, fig->m_rect, h, 0));
        int result = -1;
        switch (c.end) {
        case kCommit: result = CommitDividerDrag(fx.doc, fig, saved, copy, 0); break;
        case kCommitRefused:
            fx.doc.UndoLogRef().m_nRefuseRecordAfter = 0;
            prompt.QueueAnswer(IDCANCEL);
            result = CommitDividerDrag(fx.doc, fig, saved, copy, 0);
            fx.doc.UndoLogRef().m_nRefuseRecordAfter = -1;
            break;
        case kCommitLostCopy:
            fig->m_props.Symbol = saved;
            fx.doc.m_figSymbols.Delete(copy);
            result = CommitDividerDrag(fx.doc, fig, saved, copy, 0);
            break;
        case kCancel: result = RestoreSymbol(*fig, saved); break;
        }
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(fx.doc.m_figSymbols.GetCount(), library + c.libraryDelta);
        EXPECT_EQ(fig->m_props.Symbol != rows, c.onCopy);
        EXPECT_EQ(Steps(), c.steps);
        if (c.steps) {
            // Undo points the figure back; the old entry was never touched
            // and the copy, now unused, goes.
            EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_RESHAPE);
            EXPECT_EQ(fig->m_props.Symbol, rows);
            EXPECT_EQ(fx.doc.m_figSymbols.GetCount(), library);
            EXPECT_TRUE(fx.doc.m_figSymbols.GetAt(rows));
        }
    }
}

// The text editor's moves log the figure only once the move is certain,
// inside the editor's step; nothing done leaves no record and no copy.
TEST_F(DividerEditTest, TextEditorMoves)
{
    const struct {
        const char* name;
        std::function<int(DividerEditTest&)> run;
        bool refuse;
        int result, libraryDelta;
    } cases[] = {
        {"move", [](DividerEditTest& t) { return MoveDividerTo(t.fx.doc, t.fig, 0, Below(t.Handle(0), 100), -1); },
         false, 1, 1},
        {"move to the handle", [](DividerEditTest& t) { return MoveDividerTo(t.fx.doc, t.fig, 0, t.Handle(0), -1); },
         false, 0, 0},
        {"move out of range", [](DividerEditTest& t) { return MoveDividerTo(t.fx.doc, t.fig, 5, CPoint(0, 0), -1); },
         false, 0, 0},
        {"move refused", [](DividerEditTest& t) { return MoveDividerTo(t.fx.doc, t.fig, 0, Below(t.Handle(0), 100), -1); },
         true, 0, 0},
        {"section grows",
         [](DividerEditTest& t) { return ResizeFigSection(t.fx.doc, t.fig, 0, SIZE{2048, 2048}, SIZE{2048, 2300}); },
         false, 1, 1},
        {"section refused",
         [](DividerEditTest& t) { return ResizeFigSection(t.fx.doc, t.fig, 0, SIZE{2048, 2048}, SIZE{2048, 2300}); },
         true, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SetUp();
        CRecordingPrompt prompt;
        const int library = fx.doc.m_figSymbols.GetCount();
        CUndoLog& log = fx.doc.UndoLogRef();
        log.UndoBeginStep(UDMAC_RESHAPE);
        if (c.refuse) {
            log.m_nRefuseRecordAfter = 0;
            prompt.QueueAnswer(IDCANCEL);
        }
        EXPECT_EQ(c.run(*this), c.result);
        log.m_nRefuseRecordAfter = -1;
        log.UndoEndStep();
        EXPECT_EQ(fx.doc.m_figSymbols.GetCount(), library + c.libraryDelta);
        EXPECT_EQ(fig->m_props.Symbol != rows, c.libraryDelta != 0);
        // The editor's own step stays unless the log refused it.
        EXPECT_EQ(Steps(), c.refuse ? 0 : 1);
        if (c.result) {
            EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_RESHAPE);
            EXPECT_EQ(fig->m_props.Symbol, rows);
        }
    }
}

// The shift a section can get from its divider is what the limits allow.
TEST_F(DividerEditTest, DividerShiftForASectionIsLimited)
{
    POINT shift{0, 100};
    int divider = -1;
    CPoint pt;
    ASSERT_EQ(GetDividerShiftForSection(*fig->GetSymbol(), 0, *fig, shift, divider, pt), 1);
    EXPECT_EQ(divider, 0);
    EXPECT_EQ(shift.x, 0);
    EXPECT_EQ(pt, Below(Handle(0), shift.y));
    POINT huge{0, 5000};
    ASSERT_EQ(GetDividerShiftForSection(*fig->GetSymbol(), 0, *fig, huge, divider, pt), 1);
    EXPECT_LT(Handle(0).y + huge.y, Handle(1).y);
}

// A kept drag fits the compartments to the margins the document keeps;
// with scalable margins the text boxes stay as the drag left them.
TEST_F(DividerEditTest, ACommitFitsTheCompartmentsToFixedMargins)
{
    for (const int mode : {0, 1}) {
        SCOPED_TRACE(mode);
        SetUp();
        fx.doc.m_nFigMarginMode = mode;
        int saved = -1;
        ASSERT_EQ(CopySymbolForEdit(*fig, saved), 1);
        const int copy = fig->m_props.Symbol;
        ASSERT_TRUE(fx.doc.m_figSymbols.GetAt(copy)->MoveSpecialHandle(0, fig->m_rect, Below(Handle(0), 100), 0));
        ASSERT_EQ(CommitDividerDrag(fx.doc, fig, saved, copy, 0), 1);
        CRect box;
        ASSERT_TRUE(fig->GetSymbol()->GetTextBoxRect(0, fig->m_rect, box, 0));
        EXPECT_EQ(box.left, fig->m_rect.left + (mode ? fx.doc.m_nFigMarginLeft : 0));
        EXPECT_EQ(box.top, fig->m_rect.top + (mode ? fx.doc.m_nFigMarginTop : 0));
    }
}

// A section the text editor grows moves the figure's own connection points
// as it moves the symbol's, in the editor's step; a figure whose own points
// are switched off (0x80000) keeps them untouched.
TEST_F(DividerEditTest, AGrownSectionMovesTheFiguresOwnConnectionPoints)
{
    for (const bool off : {false, true}) {
        SCOPED_TRACE(off);
        SetUp();
        CFigSymbol* sym = fx.doc.m_figSymbols.GetAt(rows);
        sym->m_conPts.Reset();
        fig->m_pConPts = std::make_unique<CConPtList>();
        for (CConPtList* list : {&sym->m_conPts, fig->m_pConPts.get()}) {
            list->AddConPt(CFltPoint(1024, 300), "top", 0, true, -1);
            list->AddConPt(CFltPoint(1024, 1900), "bottom", 0, true, -1);
        }
        if (off)
            fig->m_props.Behavior.low |= 0x80000;
        CConPtList before;
        before.CopyFrom(*fig->m_pConPts);
        CUndoLog& log = fx.doc.UndoLogRef();
        log.UndoBeginStep(UDMAC_RESHAPE);
        ASSERT_EQ(ResizeFigSection(fx.doc, fig, 0, SIZE{2048, 2048}, SIZE{2048, 2300}), 1);
        log.UndoEndStep();
        const CConPtList& now = *fig->m_pConPts;
        if (off) {
            EXPECT_TRUE(now.IsEqual(before));
        } else {
            EXPECT_TRUE(now.IsEqual(fig->GetSymbol()->m_conPts));
            EXPECT_FALSE(now.IsEqual(before));
        }
        EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_RESHAPE);
        EXPECT_TRUE(fig->m_pConPts->IsEqual(before));
    }
}

// A divider with room on one side only can still be dragged: towards the
// top when the sections below it are at their least height, towards the
// bottom when those above it are.
TEST_F(DividerEditTest, ADividerWithRoomOnOneSideOnlyCanMove)
{
    fig = fx.AddBox(1000, 1000, 2048, 2048, "");
    fig->m_props.Symbol = fx.AddRowsSymbol(2016, 2032, "low");
    EXPECT_TRUE(CanMoveDivider(*fig, 0)) << "up";
    EXPECT_FALSE(CanMoveDivider(*fig, 1));
    fig->m_props.Symbol = fx.AddRowsSymbol(16, 32, "tight");
    EXPECT_FALSE(CanMoveDivider(*fig, 0));
    EXPECT_TRUE(CanMoveDivider(*fig, 1)) << "down";
}
