// The scroll grid as the galleries use it: cells picked by clicks, confirmed
// by double clicks, scrolled by rows, and the commands its owner receives.
#include "CommandRecorder.h"
#include "controls/CScrollGridWnd.h"

#include <QScrollBar>
#include <QTest>
#include <gtest/gtest.h>

namespace {
constexpr int kGridId = 1300;
using Commands = std::vector<std::pair<int, int>>;

struct ScrollGridTest : testing::Test {
    QWidget owner;
    CScrollGridWnd* grid = new CScrollGridWnd;
    CCommandRecorder recorder{&owner};

    ScrollGridTest()
    {
        owner.resize(300, 200);
        EXPECT_TRUE(grid->Create(QRect(10, 10, 200, 120), &owner, kGridId));
        owner.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&owner));
    }
    QWidget* Client() const { return grid->viewport(); }
    QPoint MidOf(int index) const
    {
        CRect cell;
        EXPECT_TRUE(grid->GetCellRect(index, cell)) << index;
        return QPoint(cell.CenterPoint().x, cell.CenterPoint().y);
    }
};
} // namespace

TEST(ScrollGridRangeTest, TheRowsThatDoNotFit)
{
    struct {
        int columns, rows, count, max;
    } cases[] = {{4, 2, 10, 1}, {4, 2, 8, 0}, {4, 2, 0, 0}, {4, 2, 9, 1}, {1, 1, 5, 4},
                 {3, 0, 6, 2}, {0, 2, 10, 0}, {-2, 2, 10, 0}};
    for (const auto& c : cases)
        EXPECT_EQ(CScrollGridWnd::ScrollMaxFor(c.columns, c.rows, c.count), c.max)
            << c.columns << "x" << c.rows << " of " << c.count;
}

TEST_F(ScrollGridTest, ClickSelectsDoubleClickConfirmsAndTheSameCellIsQuiet)
{
    grid->SetGrid(4, 2, 10);
    QTest::mouseClick(Client(), Qt::LeftButton, {}, MidOf(5));
    EXPECT_EQ(grid->GetSel(), 5);
    EXPECT_EQ(recorder.commands, (Commands{{kGridId, 1}}));
    QTest::mouseClick(Client(), Qt::LeftButton, {}, MidOf(5));   // already selected
    EXPECT_EQ(recorder.commands.size(), 1u);
    // A double click: the first press selects, the second confirms.
    QTest::mouseClick(Client(), Qt::LeftButton, {}, MidOf(2));
    QTest::mouseDClick(Client(), Qt::LeftButton, {}, MidOf(2));
    EXPECT_EQ(grid->GetSel(), 2);
    EXPECT_EQ(recorder.commands, (Commands{{kGridId, 1}, {kGridId, 1}, {kGridId, 2}}));
    SaveShot(&owner, "scrollgrid_selected");
}

TEST_F(ScrollGridTest, ClicksBeyondTheLastItemSelectNothing)
{
    grid->SetGrid(4, 2, 6);
    CRect cell;
    EXPECT_FALSE(grid->GetCellRect(6, cell));
    const QSize client = Client()->size();
    QTest::mouseClick(Client(), Qt::LeftButton, {}, QPoint(client.width() - 3, client.height() - 3));
    EXPECT_EQ(grid->GetSel(), -1);
    EXPECT_TRUE(recorder.commands.empty());
}

TEST_F(ScrollGridTest, TheLastColumnAndRowTakeTheLeftOverPixels)
{
    grid->SetGrid(3, 2, 6);
    const QSize client = Client()->size();
    const int w = client.width() / 3, h = client.height() / 2;
    CRect first, last;
    ASSERT_TRUE(grid->GetCellRect(0, first));
    ASSERT_TRUE(grid->GetCellRect(5, last));
    EXPECT_EQ(first, CRect(0, 0, w, h));
    EXPECT_EQ(last, CRect(2 * w, h, client.width(), client.height()));
}

TEST_F(ScrollGridTest, ScrollingByRowsShowsLaterCellsAndTheirFrame)
{
    grid->SetGrid(4, 2, 20);   // five rows, three out of view
    ASSERT_EQ(grid->GetScrollMax(), 3);
    grid->SetSel(17);          // row 4: stored, no frame while hidden
    CRect cell;
    EXPECT_FALSE(grid->GetCellRect(17, cell));
    QScrollBar* bar = grid->verticalScrollBar();
    bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    EXPECT_EQ(grid->GetFirstVisible(), 4);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(grid->GetFirstVisible(), 12);
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);   // clamped to the range
    EXPECT_EQ(grid->GetFirstVisible(), 12);
    EXPECT_TRUE(grid->GetCellRect(17, cell));
    EXPECT_FALSE(grid->GetCellRect(3, cell));
    SaveShot(&owner, "scrollgrid_scrolled");
    // A click on the first visible cell selects index 12, not 0.
    QTest::mouseClick(Client(), Qt::LeftButton, {}, QPoint(2, 2));
    EXPECT_EQ(grid->GetSel(), 12);
    bar->triggerAction(QAbstractSlider::SliderToMinimum);
    EXPECT_EQ(grid->GetFirstVisible(), 0);
}

TEST_F(ScrollGridTest, ANewLayoutScrollsTheSelectionToTheTop)
{
    grid->SetGrid(4, 2, 20);
    grid->SetSel(9);           // row 2
    grid->SetGrid(4, 2, 20);
    EXPECT_EQ(grid->GetFirstVisible(), 8);
    EXPECT_EQ(grid->verticalScrollBar()->value(), 2);
    grid->SetSel(19);          // row 4, beyond the last first row (3)
    grid->SetGrid(4, 2, 20);
    EXPECT_EQ(grid->GetFirstVisible(), 12);
}

// Zero columns or rows leave no cells to draw or hit, instead of dividing
// by them.
TEST_F(ScrollGridTest, AGridWithoutColumnsOrRowsHasNoCells)
{
    for (auto [columns, rows] : {std::pair{0, 2}, std::pair{4, 0}, std::pair{0, 0}}) {
        grid->SetSel(-1);
        recorder.commands.clear();
        grid->SetGrid(columns, rows, 10);
        CRect cell;
        EXPECT_FALSE(grid->GetCellRect(0, cell)) << columns << "x" << rows;
        QTest::mouseClick(Client(), Qt::LeftButton, {}, QPoint(5, 5));
        EXPECT_EQ(grid->GetSel(), -1);
        EXPECT_TRUE(recorder.commands.empty());
        grid->verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
        EXPECT_FALSE(grid->GetCellRect(grid->GetFirstVisible(), cell));
        grid->grab();   // paints without cells
    }
}
