#include "DocTestSupport.h"

#include "core/Settings.h"
#include "document/FigPropValues.h"
#include "undo/UndoCodes.h"

#include <gtest/gtest.h>

namespace {

class ApplyPropsTest : public DocTest {
protected:
    CFigure* Add(int x, bool label = false)
    {
        CFigure* f = NewFig(doc, x, 0, "text");
        f->m_bLabel = label ? 1 : 0;
        EXPECT_TRUE(doc.AddFigWithId(f));
        return f;
    }
    // Applies and checks that undo gives back exactly what was there.
    void ApplyAndUndo(int target, const FigPropValues& v, const CFigPropMask& m)
    {
        const std::string before = Snapshot(doc) + Props();
        doc.ApplyPropsToSelection(target, v, m);
        after = Snapshot(doc) + Props();
        ASSERT_TRUE(doc.CanUndo());
        doc.UndoLastStep();
        EXPECT_EQ(Snapshot(doc) + Props(), before);
        doc.ApplyPropsToSelection(target, v, m);   // once more, to inspect
    }
    std::string Props() const
    {
        std::string out;
        doc.ForEachFigure([&](CFigure* f) {
            out += std::to_string(f->m_props.Behavior.low) + "/" + std::to_string(f->m_props.m_fill.m_nKind) + "/" +
                   std::to_string(f->m_props.TextColor) + "/" + std::to_string(f->m_nStyle) + ";";
        });
        return out;
    }
    std::string after;
};

} // namespace

TEST_F(ApplyPropsTest, MasksDecideWhatChangesOnMixedSelections)
{
    PromptForApplyToGroups = 0;
    struct Case {
        const char* name;
        int target;
        bool groupAnswer;
        void (*mask)(CFigPropMask&, FigPropValues&);
        // expected border colours of figure, label, grouped figure
        COLORREF fig, lbl, grouped;
    };
    const Case cases[] = {
        {"figures only", 0, true, [](CFigPropMask& m, FigPropValues& v) { m.m_bBorderColor = 1; v.props.BorderColor = 9; }, 9, 0, 9},
        {"labels only", 1, true, [](CFigPropMask& m, FigPropValues& v) { m.m_bBorderColor = 1; v.props.BorderColor = 9; }, 0, 9, 0},
        {"both", 2, true, [](CFigPropMask& m, FigPropValues& v) { m.m_bBorderColor = 1; v.props.BorderColor = 9; }, 9, 9, 9},
        {"groups refused", 2, false, [](CFigPropMask& m, FigPropValues& v) { m.m_bBorderColor = 1; v.props.BorderColor = 9; }, 9, 9, 0},
        {"other field", 2, true, [](CFigPropMask& m, FigPropValues& v) { m.m_bTextColor = 1; v.props.BorderColor = 9; }, 0, 0, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        doc.DeleteContents();
        ASSERT_TRUE(doc.OnNewDocument());
        CFigure* fig = Add(0);
        CFigure* lbl = Add(200, true);
        CFigure* grouped = Add(400);
        CFigure* mate = Add(600);
        for (CFigure* f : {fig, lbl, grouped, mate})
            f->m_props.BorderColor = 0;
        doc.AddFigToSel(grouped, 2, false);
        doc.AddFigToSel(mate, 2, false);
        doc.OnGroup();
        doc.ClearSel(false);
        for (CFigure* f : {fig, lbl, grouped})
            doc.AddFigToSel(f, 2, false);
        ApplyToGroups = c.groupAnswer ? 1 : 0;
        FigPropValues v;
        CFigPropMask m;
        c.mask(m, v);
        ApplyAndUndo(c.target, v, m);
        EXPECT_EQ(fig->m_props.BorderColor, c.fig);
        EXPECT_EQ(lbl->m_props.BorderColor, c.lbl);
        EXPECT_EQ(grouped->m_props.BorderColor, c.grouped);
    }
}

TEST_F(ApplyPropsTest, FillFollowsEachFigure)
{
    CFigure* plain = Add(0);
    CFigure* lbl = Add(200, true);
    for (CFigure* f : {plain, lbl})
        f->m_props.m_fill.m_nKind = 0;
    doc.AddFigToSel(plain, 2, false);
    doc.AddFigToSel(lbl, 2, false);
    FigPropValues v;
    v.props.m_fill.m_nKind = 0;
    v.props.m_fill.m_crColor1 = 0x00FF00;
    CFigPropMask m;
    m.m_fill.m_bColor1 = 1;
    ApplyAndUndo(2, v, m);
    EXPECT_EQ(plain->m_props.m_fill.m_nKind, 1);   // a colour fills it
    EXPECT_EQ(lbl->m_props.m_fill.m_nKind, 0);     // a label stays unfilled
    EXPECT_EQ(lbl->m_props.m_fill.m_crColor1, 0x00FF00u);
}

// The fill part as each figure takes it: an unfilled label keeps its fill
// kind unless it alone is edited with the kind selected; an unfilled plain
// figure given only a colour becomes filled; a filled one keeps its kind.
TEST_F(ApplyPropsTest, FillMaskFollowsEachFigureAndTheSelectionSize)
{
    struct Case {
        bool label;
        int ownKind;
        bool alone;          // the only selected object of its kind
        bool rest, color1;   // fill flags of the mask
        int kind;            // the figure's fill kind afterwards
    };
    const Case cases[] = {
        {true, 0, true, true, false, 2},    {true, 0, false, true, false, 0},
        {true, 0, false, true, true, 0},    {true, 3, false, true, false, 2},
        {false, 0, false, false, true, 1},  {false, 0, false, true, false, 2},
        {false, 3, false, false, true, 3},
    };
    int n = 0;
    for (const Case& k : cases) {
        SCOPED_TRACE(n++);
        doc.ClearSel(false);
        CFigure* f = Add(0, k.label);
        f->m_props.m_fill.m_nKind = k.ownKind;
        doc.AddFigToSel(f, 2, false);
        if (!k.alone) {
            CFigure* other = Add(300, k.label);
            other->m_props.m_fill.m_nKind = 3;
            doc.AddFigToSel(other, 2, false);
        }
        FigPropValues v;
        v.props.m_fill.m_nKind = 2;
        v.props.m_fill.m_crColor1 = 0x00FF00;
        CFigPropMask m;
        m.m_fill.m_bRest = k.rest;
        m.m_fill.m_bColor1 = k.color1;
        ApplyAndUndo(k.label ? 1 : 0, v, m);
        EXPECT_EQ(f->m_props.m_fill.m_nKind, k.kind);
    }
}

TEST_F(ApplyPropsTest, SizeOnlyLogsTheRectangleAndLocksHold)
{
    CFigure* f = Add(0);
    doc.AddFigToSel(f, 2, false);
    FigPropValues v;
    v.width = 300;
    CFigPropMask m;
    m.m_bSheet[kSheetWidth] = 1;
    f->m_props.Behavior.high &= ~DWORD(64 | 2 | 128 | 1);
    ApplyAndUndo(0, v, m);
    EXPECT_EQ(f->m_rect.Width(), 300);
    int small = 0;
    doc.UndoLogRef().GetLastUndoStepCode(&small);
    // With a request to snap the width set, the whole state goes into the
    // log too, so that undo gives the request back; the anchors stay.
    doc.UndoLastStep();
    f->m_props.Behavior.high |= 64;
    const DWORD anchors = f->m_props.Behavior.low & 0x3F;
    ApplyAndUndo(0, v, m);
    EXPECT_EQ(f->m_props.Behavior.high & 64, 0u);
    EXPECT_EQ(f->m_props.Behavior.low & 0x3F, anchors);
    int large = 0;
    doc.UndoLogRef().GetLastUndoStepCode(&large);
    EXPECT_LT(small, large);

    // The size lock holds during an edit.
    doc.UndoLastStep();
    f->m_props.Behavior.low |= kLockSize;
    const int width = f->m_rect.Width();
    v.width = 500;
    doc.ApplyPropsToSelection(0, v, m);
    EXPECT_EQ(f->m_rect.Width(), width);
}

TEST_F(ApplyPropsTest, RemovedConnectionPointsFreeTheirConnectors)
{
    CFigure* a = Add(0);
    CFigure* b = Add(400);
    a->m_pConPts = std::make_unique<CConPtList>();
    a->m_bHasConPts = 1;
    ASSERT_GT(a->m_pConPts->AddConPt(CFltPoint{1024, 0}, "", 0, true, 1), 0);
    CConnector* c = NewCon(doc, a, b);
    c->m_nConPtId1 = 1;
    ASSERT_TRUE(doc.AddConWithId(c));
    doc.AddFigToSel(a, 2, false);
    FigPropValues v;
    CConPtList none;
    v.conPts = &none;
    CFigPropMask m;
    m.m_bSheet[kSheetConPts] = 1;
    ApplyAndUndo(0, v, m);
    EXPECT_EQ(c->m_nConPtId1, -1);
    doc.UndoLastStep();
    EXPECT_EQ(c->m_nConPtId1, 1);
}

TEST_F(ApplyPropsTest, RotationLeavesFiguresAndContainersNeedAPartition)
{
    PromptForApplyToGroups = 0;
    CFigure* fig = Add(300);
    doc.AddFigToSel(fig, 2, false);
    doc.ApplyTextRotationToSel(900);
    EXPECT_EQ(fig->m_nTextRotate, 0);
    EXPECT_FALSE(doc.OnActivateContainer());
}
