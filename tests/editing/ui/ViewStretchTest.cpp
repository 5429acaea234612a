// Resizing a compartmented box by its bottom handle with stretching on: a
// shrink is taken from the bottom row first; without Shift the bottom and
// middle rows share it by what each can give, with Shift the bottom row
// gives all it can before the middle one. Undo restores the saved text.
#include "ViewEventDriver.h"

#include "undo/UndoCodes.h"

#include <cmath>

namespace {
struct ViewStretchTest : ViewEventDriver {
    void AddObjects() override
    {
        stretchBefore = ResizeByStretching;
        ResizeByStretching = 1;
        rows = fx.AddRowsSymbol();
        box = fx.AddBox(1500, 1100, 600, 600, "");
        box->m_props.Symbol = rows;
        box->m_props.Behavior.high &= ~DWORD(256 | 512);
    }
    void SetUp() override
    {
        ViewEventDriver::SetUp();
        Save();
    }
    void TearDown() override
    {
        ResizeByStretching = stretchBefore;
        ViewEventDriver::TearDown();
    }
    int stretchBefore = 0, rows = -1;
    CFigure* box = nullptr;
};
} // namespace

TEST_F(ViewStretchTest, AShrinkIsTakenFromTheRowsByThePlan)
{
    // The least height of a row without text.
    constexpr int kLeast = 16;
    // A corner in the bottom row drags the bottom side as the bottom handle
    // does: the same rows give.
    for (const int handle : {8, 9}) {
        for (const bool shift : {false, true}) {
            SCOPED_TRACE(testing::Message() << "handle " << handle << (shift ? " Shift" : " no Shift"));
            const int symbols = fx.doc.m_figSymbols.GetCount();
            const CRect r0 = box->m_rect;
            CPoint d0, d1;
            ASSERT_TRUE(box->GetSymbol()->GetDividerHandle(0, d0, r0));
            ASSERT_TRUE(box->GetSymbol()->GetDividerHandle(1, d1, r0));
            const int bottomExtent = r0.bottom - d1.y - kLeast, middleExtent = d1.y - d0.y - kLeast;
            fx.doc.SelectObj(box, 1, 0, 0);
            view->FlushPaint();
            const QPoint from = At(box->GetHandlePoint(handle));
            const Qt::KeyboardModifiers mods = shift ? Qt::ShiftModifier : Qt::NoModifier;
            Drag(from, from - QPoint(0, view->LogicalLenToClient(bottomExtent + 80)), mods);
            ASSERT_EQ(Steps(), 1);
            EXPECT_EQ(box->m_rect.top, r0.top);
            const int shrink = r0.Height() - box->m_rect.Height();
            ASSERT_GT(shrink, bottomExtent);
            CPoint p0, p1;
            ASSERT_TRUE(box->GetSymbol()->GetDividerHandle(0, p0, box->m_rect));
            ASSERT_TRUE(box->GetSymbol()->GetDividerHandle(1, p1, box->m_rect));
            // The top row gives last: the upper divider stays.
            EXPECT_NEAR(p0.y, d0.y, 1);
            const int bottomShare =
                shift ? bottomExtent
                      : int(std::floor(double(shrink) * bottomExtent / (bottomExtent + middleExtent) + 0.5));
            EXPECT_NEAR(p1.y, d1.y - (shrink - bottomShare), 2);
            EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_RESIZEFIG);
            EXPECT_EQ(box->m_props.Symbol, rows);
            EXPECT_EQ(fx.doc.m_figSymbols.GetCount(), symbols);
            fx.doc.SelectObj(box, 0, 0, 0);
            EXPECT_EQ(DocText(fx.doc), saved);
            stepBase = int(fx.doc.UndoLogRef().m_nStepsRecorded);
        }
    }
}

// The top side mirrors it: the middle row gives first, then the bottom one
// (shared by what each can give without Shift), and the top row, kept for
// last, rides with the dragged side.
TEST_F(ViewStretchTest, AShrinkByTheTopSideIsTakenFromTheRowsByThePlan)
{
    constexpr int kLeast = 16;
    for (const int handle : {1, 2, 3}) {
        for (const bool shift : {false, true}) {
            SCOPED_TRACE(testing::Message() << "handle " << handle << (shift ? " Shift" : " no Shift"));
            const int symbols = fx.doc.m_figSymbols.GetCount();
            const CRect r0 = box->m_rect;
            CPoint d0, d1;
            ASSERT_TRUE(box->GetSymbol()->GetDividerHandle(0, d0, r0));
            ASSERT_TRUE(box->GetSymbol()->GetDividerHandle(1, d1, r0));
            const int bottomExtent = r0.bottom - d1.y - kLeast, middleExtent = d1.y - d0.y - kLeast;
            fx.doc.SelectObj(box, 1, 0, 0);
            view->FlushPaint();
            const QPoint from = At(box->GetHandlePoint(handle));
            const Qt::KeyboardModifiers mods = shift ? Qt::ShiftModifier : Qt::NoModifier;
            Drag(from, from + QPoint(0, view->LogicalLenToClient(middleExtent + 80)), mods);
            ASSERT_EQ(Steps(), 1);
            const CRect r1 = box->m_rect;
            EXPECT_EQ(r1.bottom, r0.bottom);
            const int shrink = r0.Height() - r1.Height();
            ASSERT_GT(shrink, middleExtent);
            ASSERT_LT(shrink, middleExtent + bottomExtent);
            CPoint p0, p1;
            ASSERT_TRUE(box->GetSymbol()->GetDividerHandle(0, p0, r1));
            ASSERT_TRUE(box->GetSymbol()->GetDividerHandle(1, p1, r1));
            const int middleShare =
                shift ? middleExtent
                      : int(std::floor(double(shrink) * middleExtent / (bottomExtent + middleExtent) + 0.5));
            // Row heights: top, middle, bottom.
            EXPECT_NEAR(p0.y - r1.top, d0.y - r0.top, 1);
            EXPECT_NEAR(p1.y - p0.y, d1.y - d0.y - middleShare, 2);
            EXPECT_NEAR(r1.bottom - p1.y, r0.bottom - d1.y - (shrink - middleShare), 2);
            EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_RESIZEFIG);
            EXPECT_EQ(box->m_props.Symbol, rows);
            EXPECT_EQ(fx.doc.m_figSymbols.GetCount(), symbols);
            fx.doc.SelectObj(box, 0, 0, 0);
            EXPECT_EQ(DocText(fx.doc), saved);
            stepBase = int(fx.doc.UndoLogRef().m_nStepsRecorded);
        }
    }
}

// Growing with Shift shifts no divider: each keeps its distance from the
// side opposite the dragged one.
TEST_F(ViewStretchTest, GrowingWithShiftKeepsTheDividers)
{
    const CRect r0 = box->m_rect;
    CPoint d0, d1;
    ASSERT_TRUE(box->GetSymbol()->GetDividerHandle(0, d0, r0));
    ASSERT_TRUE(box->GetSymbol()->GetDividerHandle(1, d1, r0));
    fx.doc.SelectObj(box, 1, 0, 0);
    view->FlushPaint();
    const QPoint from = At(box->GetHandlePoint(2));
    Drag(from, from - QPoint(0, 40), Qt::ShiftModifier);
    ASSERT_EQ(Steps(), 1);
    const int grown = box->m_rect.Height() - r0.Height();
    EXPECT_GT(grown, 0);
    EXPECT_EQ(box->m_rect.bottom, r0.bottom);
    CPoint p0, p1;
    ASSERT_TRUE(box->GetSymbol()->GetDividerHandle(0, p0, box->m_rect));
    ASSERT_TRUE(box->GetSymbol()->GetDividerHandle(1, p1, box->m_rect));
    EXPECT_NEAR(p0.y, d0.y, 1);
    EXPECT_NEAR(p1.y, d1.y, 1);
    EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_RESIZEFIG);
    fx.doc.SelectObj(box, 0, 0, 0);
    EXPECT_EQ(DocText(fx.doc), saved);
}

// A figure whose text is laid out by compartment stops shrinking at the
// compartments' least size (three rows of 16); without that layout only
// its text limits it.
TEST_F(ViewStretchTest, CompartmentsSetTheLeastSize)
{
    constexpr int kLeastHeight = 3 * 16;
    for (const bool byCompartment : {true, false}) {
        SCOPED_TRACE(byCompartment);
        if (byCompartment)
            box->m_props.Behavior.low |= 0x8000;
        else
            box->m_props.Behavior.low &= ~DWORD(0x8000);
        Save();
        const CRect r0 = box->m_rect;
        fx.doc.SelectObj(box, 1, 0, 0);
        view->FlushPaint();
        const QPoint from = At(box->GetHandlePoint(8));
        Drag(from, QPoint(from.x(), At(CPoint(r0.left, r0.top + 10)).y()));
        ASSERT_EQ(Steps(), 1);
        if (byCompartment)
            EXPECT_NEAR(box->m_rect.Height(), kLeastHeight, 2);
        else
            EXPECT_LT(box->m_rect.Height(), kLeastHeight - 10);
        EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_RESIZEFIG);
        fx.doc.SelectObj(box, 0, 0, 0);
        EXPECT_EQ(DocText(fx.doc), saved);
    }
}

// The prompt over a handle says whether the drag will stretch: only a shape
// that reshapes by its dividers does, and only with stretching on.
TEST_F(ViewStretchTest, TheHandlePromptSaysWhetherTheDragStretches)
{
    auto* sym = const_cast<CFigSymbol*>(box->GetSymbol());
    const struct {
        const char* name;
        int stretching;
        int reshape;
        bool stretch;
    } cases[] = {
        {"special shape", 1, 2, true},
        {"stretching off", 0, 2, false},
        {"dividers that do not reshape", 1, 0, false},
        {"a special shape of one divider", 1, 1, true},
    };
    fx.doc.SelectObj(box, 1, 0, 0);
    for (const auto& t : cases) {
        SCOPED_TRACE(t.name);
        ResizeByStretching = t.stretching;
        sym->Reshape = t.reshape;
        Move(Centre(box), Qt::NoModifier, Qt::NoButton);
        Move(At(box->GetHandlePoint(8)), Qt::NoModifier, Qt::NoButton);
        const std::string status = view->StatusText();
        EXPECT_EQ(status.rfind("Click to resize", 0), 0u) << status;
        EXPECT_EQ(status.find("(stretch)") != std::string::npos, t.stretch) << status;
    }
    sym->Reshape = 2;
}

namespace {
// The same box in three columns (special kind 44), 205, 204 and 191 wide.
struct ViewStretchColumnsTest : ViewStretchTest {
    void AddObjects() override
    {
        ViewStretchTest::AddObjects();
        SymbolBuilder b;
        b.Outline([](COutlineWriter& w) {
            w.Rect(kOpRect, CFltRect(0, 0, 2048, 2048));
            w.Line({700, 0}, {700, 2048});
            w.Line({1400, 0}, {1400, 2048});
        });
        b.TextBoxes({CFltRect(0, 0, 700, 2048), CFltRect(700, 0, 1400, 2048), CFltRect(1400, 0, 2048, 2048)});
        b.sym.Reshape = 44;
        b.sym.m_strName = "columns";
        CFigSymbol framed = Framed(b.sym);
        rows = fx.doc.m_figSymbols.AddOrReplace(&framed);
        box->m_props.Symbol = rows;
    }
};
} // namespace

// A side's own column gives first, then the next one in; without Shift the
// columns share a shrink by what each can give.
TEST_F(ViewStretchColumnsTest, AShrinkIsTakenFromTheColumnsFromTheDraggedSide)
{
    constexpr int kLeast = 32;
    for (const int handle : {4, 1, 7, 6, 3, 9}) {
        for (const bool shift : {false, true}) {
            SCOPED_TRACE(testing::Message() << "handle " << handle << (shift ? " Shift" : " no Shift"));
            const bool left = handle == 1 || handle == 4 || handle == 7;
            const CRect r0 = box->m_rect;
            CPoint d0, d1;
            ASSERT_TRUE(box->GetSymbol()->GetDividerHandle(0, d0, r0));
            ASSERT_TRUE(box->GetSymbol()->GetDividerHandle(1, d1, r0));
            const int w0[3] = {d0.x - r0.left, d1.x - d0.x, r0.right - d1.x};
            const int outer = left ? 0 : 2;
            const int ext[3] = {w0[0] - kLeast, w0[1] - kLeast, w0[2] - kLeast};
            fx.doc.SelectObj(box, 1, 0, 0);
            view->FlushPaint();
            const QPoint from = At(box->GetHandlePoint(handle));
            const Qt::KeyboardModifiers mods = shift ? Qt::ShiftModifier : Qt::NoModifier;
            const int by = view->LogicalLenToClient(ext[outer] + 80);
            Drag(from, from + QPoint(left ? by : -by, 0), mods);
            ASSERT_EQ(Steps(), 1);
            const CRect r1 = box->m_rect;
            EXPECT_EQ(left ? r1.right : r1.left, left ? r0.right : r0.left);
            const int shrink = r0.Width() - r1.Width();
            ASSERT_GT(shrink, ext[outer]);
            CPoint p0, p1;
            ASSERT_TRUE(box->GetSymbol()->GetDividerHandle(0, p0, r1));
            ASSERT_TRUE(box->GetSymbol()->GetDividerHandle(1, p1, r1));
            const int w1[3] = {p0.x - r1.left, p1.x - p0.x, r1.right - p1.x};
            int given[3] = {0, 0, 0};
            if (shift) {
                given[outer] = ext[outer];
                given[1] = shrink - ext[outer];
            } else {
                // Shares to the nearest unit in plan order, the last taking the rest.
                const int order[3] = {outer, 1, 2 - outer};
                const int sum = ext[0] + ext[1] + ext[2];
                int taken = 0;
                for (int k = 0; k < 2; ++k) {
                    const int c = order[k];
                    given[c] = int(std::floor(double(shrink) * ext[c] / sum + 0.5));
                    taken += given[c];
                }
                given[order[2]] = shrink - taken;
            }
            for (int c = 0; c < 3; ++c)
                EXPECT_NEAR(w1[c], w0[c] - given[c], 2) << "column " << c;
            EXPECT_EQ(fx.doc.UndoLastStep(), UDMAC_RESIZEFIG);
            fx.doc.SelectObj(box, 0, 0, 0);
            EXPECT_EQ(DocText(fx.doc), saved);
            stepBase = int(fx.doc.UndoLogRef().m_nStepsRecorded);
        }
    }
}
