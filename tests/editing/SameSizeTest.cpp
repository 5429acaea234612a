// Make Same Size picks its reference among the selected figures (the first
// visible one that is no label, one outside any group first), leaves
// junctions alone and touches grouped figures only when told to; Size to
// Text fits the selected figures that show text and leaves their flag
// words as they were. Each is one undo step back to the saved text.
#include "common/DocText.h"
#include "core/Settings.h"
#include "document/CConnector.h"
#include "document/CFigure.h"
#include "editing/SizeToText.h"
#include "richtext/FigureTextFit.h"
#include "undo/UndoCodes.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
struct SameSizeTest : testing::Test {
    void SetUp() override
    {
        promptBefore = PromptForApplyToGroups;
        answerBefore = ApplyToGroups;
        PromptForApplyToGroups = 0;
        doc.OnNewDocument();
        g1 = Add(CRect(100, 100, 400, 200), "G1");
        g2 = Add(CRect(100, 400, 200, 700), "G2");
        u1 = Add(CRect(1000, 100, 1500, 350), "U1");
        u2 = Add(CRect(1000, 600, 1100, 650), "U2");
        jct = doc.CreateFigAt(CPoint(1800, 1000), 0);
        con = doc.CreateCon(u2, jct, -1, -1, CPoint(1100, 625), jct->GetCenter(), -1, CConProps());
        ASSERT_TRUE(con);
        ASSERT_TRUE(jct->IsInvisible());
        doc.SelectObj(g1, 1, 0, 0);
        doc.SelectObj(g2, 2, 0, 0);
        doc.OnGroup();
        ASSERT_TRUE(g1->IsInGroup() && g2->IsInGroup());
        doc.ClearSelection();
        doc.ResetUndoLog();
        saved = DocText(doc);
    }
    void TearDown() override
    {
        PromptForApplyToGroups = promptBefore;
        ApplyToGroups = answerBefore;
    }
    CFigure* Add(const CRect& rc, const char* text)
    {
        auto* f = new CFigure(rc.left, rc.top, rc.Height(), rc.Width(), CFigProps(), -1, 0, text, "",
                              CFigure::CreateArgs(), &doc);
        doc.AddFigWithId(f);
        return f;
    }
    void Select(const std::vector<CFigure*>& figs)
    {
        doc.ClearSelection();
        for (CFigure* f : figs)
            doc.AddObjToSel(f, 2, false);
    }

    CKavoDoc doc;
    CFigure *g1 = nullptr, *g2 = nullptr, *u1 = nullptr, *u2 = nullptr, *jct = nullptr;
    CConnector* con = nullptr;
    std::string saved;
    int promptBefore = 0, answerBefore = 0;
};
} // namespace

TEST_F(SameSizeTest, TheReferenceIsTheFirstVisibleFigureOutsideAGroup)
{
    const CSize sizeG1 = g1->m_rect.Size(), sizeG2 = g2->m_rect.Size(), sizeU1 = u1->m_rect.Size();
    const CSize sizeJct = jct->m_rect.Size();
    const CSize sizeU2 = u2->m_rect.Size();
    const struct {
        const char* name;
        void (CKavoDoc::*command)();
        std::vector<CFigure*> selected;
        int applyToGroups;
        CSize g1, g2, u2;
    } rows[] = {
        // A grouped figure selected first gives way to the first one outside.
        {"grouped first", &CKavoDoc::OnSameSize, {g1, u1, u2}, 1, sizeU1, sizeG2, sizeU1},
        {"grouped first, width", &CKavoDoc::OnSameWidth, {g1, u1, u2}, 1, CSize(sizeU1.cx, sizeG1.cy), sizeG2,
         CSize(sizeU1.cx, sizeU2.cy)},
        {"grouped first, height", &CKavoDoc::OnSameHeight, {g1, u1, u2}, 1, CSize(sizeG1.cx, sizeU1.cy), sizeG2,
         CSize(sizeU2.cx, sizeU1.cy)},
        {"grouped ones kept", &CKavoDoc::OnSameSize, {g1, u1, u2}, 0, sizeG1, sizeG2, sizeU1},
        // The junction selected first is neither reference nor resized.
        {"junction first", &CKavoDoc::OnSameSize, {jct, u1, u2}, 1, sizeG1, sizeG2, sizeU1},
        // Only grouped figures: the first of them.
        {"all grouped", &CKavoDoc::OnSameSize, {g2, g1}, 1, sizeG2, sizeG2, sizeU2},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        ApplyToGroups = row.applyToGroups;
        Select(row.selected);
        ASSERT_EQ(doc.GetSelCount(), int(row.selected.size()));
        (doc.*row.command)();
        EXPECT_EQ(g1->m_rect.Size(), row.g1);
        EXPECT_EQ(g2->m_rect.Size(), row.g2);
        EXPECT_EQ(u2->m_rect.Size(), row.u2);
        EXPECT_EQ(u1->m_rect.Size(), sizeU1);
        EXPECT_EQ(jct->m_rect.Size(), sizeJct);
        // The connector keeps its end on the figure's outline.
        const CRect& r = u2->m_rect;
        const CPoint& e = con->EndPoint1;
        EXPECT_TRUE(r.left <= e.x && e.x <= r.right && r.top <= e.y && e.y <= r.bottom &&
                    (e.x == r.left || e.x == r.right || e.y == r.top || e.y == r.bottom))
            << e.x << "," << e.y;
        EXPECT_EQ(doc.UndoLastStep(), UDMAC_SAMESIZE);
        EXPECT_EQ(DocText(doc), saved);
    }
}

// Size to Text fits both sides of every selected figure with text, though
// its own flags fit neither, and gives it its flag words back; a figure
// without text and a junction are left alone.
TEST_F(SameSizeTest, SizeToTextFitsTheFiguresWithText)
{
    for (CFigure* f : {u1, u2})
        f->m_props.Behavior.low &= ~DWORD(128 | 256);
    CFigure* empty = Add(CRect(2000, 100, 2600, 500), "");
    // A fitted figure takes its pinned label along, and undo puts it back.
    CFigure* label = Add(CRect(3000, 3000, 3200, 3100), "L");
    label->m_bLabel = 1;
    ASSERT_TRUE(doc.AttachLblAsFigLbl(label, u1, 1, false));
    doc.ResetUndoLog();
    saved = DocText(doc);
    const FigFlagSet flags1 = u1->m_props.Behavior, flags2 = u2->m_props.Behavior;
    const CRect emptyRect = empty->m_rect, jctRect = jct->m_rect;
    Select({u1, u2, empty, jct});
    OnSizeToText(doc);
    EXPECT_TRUE(doc.UndoLogRef().CanUndo()) << "Undo is offered at once";
    // Both boxes take the size round their text, in both directions.
    const CSize before[] = {CSize(500, 250), CSize(100, 50)};
    const CFigure* fitted[] = {u1, u2};
    for (int i = 0; i < 2; ++i) {
        int w = 0, h = 0;
        CalcTextExtent(*fitted[i], w, h, 0, false, nullptr);
        EXPECT_NE(fitted[i]->m_rect.Width(), before[i].cx) << i;
        EXPECT_NE(fitted[i]->m_rect.Height(), before[i].cy) << i;
        EXPECT_GE(fitted[i]->m_rect.Width(), w) << i;
        EXPECT_GE(fitted[i]->m_rect.Height(), h) << i;
    }
    EXPECT_LT(u1->m_rect.Width(), 500);
    EXPECT_EQ(u1->m_props.Behavior, flags1);
    EXPECT_EQ(u2->m_props.Behavior, flags2);
    EXPECT_EQ(empty->m_rect, emptyRect);
    EXPECT_EQ(jct->m_rect, jctRect);
    EXPECT_TRUE(doc.IsModified());
    // The next command is a step of its own: undoing it leaves the fit.
    const CRect u1Fitted = u1->m_rect;
    Select({u1, u2});
    doc.OnSameWidth();
    EXPECT_EQ(doc.UndoLastStep(), UDMAC_SAMESIZE);
    EXPECT_EQ(u1->m_rect, u1Fitted);
    EXPECT_EQ(doc.UndoLastStep(), UDMAC_FITTOTEXT);
    EXPECT_EQ(DocText(doc), saved);
}
