// The drop palette: how many columns a palette gets, the menu order of its
// items, and a user dropping it, hovering and choosing with the mouse.
#include "CommandRecorder.h"
#include "controls/CDropPaletteButton.h"
#include "platform/CDC.h"
#include "platform/SysColors.h"
#include "platform/ui/DlgItems.h"

#include <QTest>
#include <gtest/gtest.h>

namespace {
constexpr int kButtonId = 1500;
using Commands = std::vector<std::pair<int, int>>;

// A palette of the numbers first..first + count - 1, each cell a grey level.
class CNumberDropButton : public CDropPaletteButton {
public:
    int count = 10, first = 100;
    bool FillValues(CPaletteItemList& list) override
    {
        FillRange(list, count, first);
        return true;
    }
    void DrawCell(CDC* dc, const CRect& rect, WORD value, bool) override
    {
        const int level = 40 + (value - first) * 20 % 200;
        dc->FillSolidRect(&rect, RGB(level, level, 255 - level));
    }
};

struct DropPaletteTest : testing::Test {
    QWidget owner;
    CNumberDropButton* button = new CNumberDropButton;
    CCommandRecorder recorder{&owner};

    void Create(int count, bool more, bool notify, bool delayed = false, int cellWidth = 16)
    {
        button->count = count;
        owner.resize(300, 200);
        button->setGeometry(10, 10, 60, 24);
        ASSERT_TRUE(button->CreatePalette(kButtonId, &owner, 16, cellWidth, 3, 3, 0, 0, 0, more, notify, true, true,
                                          CFaceButton::kAlignCenter, delayed));
        owner.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    }
    CPalettePopup* Popup() { return button->Popup(); }
    QPoint MidOf(UINT id) { return Popup()->ItemRect(id).center(); }
    // The colour of a cell's top-left corner in the open palette: the
    // frame's light edge when raised, its dark edge when sunken.
    COLORREF CornerOf(UINT id)
    {
        const QImage shown = Popup()->grab().toImage();
        const QColor c = shown.pixelColor(Popup()->ItemRect(id).topLeft());
        return RGB(c.red(), c.green(), c.blue());
    }
};

} // namespace

TEST(PaletteLayoutTest, ColumnsFollowTheCount)
{
    struct {
        int count, width, height, columns, rows;
    } cases[] = {{18, 20, 20, 6, 3}, {10, 20, 20, 5, 2}, {9, 20, 20, 3, 3}, {7, 20, 20, 4, 2},
                 {3, 60, 12, 1, 3},  {3, 20, 20, 3, 1},  {0, 20, 20, 0, 0}, {5, 20, 20, 3, 2},
                 {15, 20, 20, 5, 3}, {20, 20, 20, 5, 4}, {24, 20, 20, 6, 4}, {56, 17, 17, 6, 10},
                 // One column only for cells more than three times as wide as tall.
                 {3, 36, 12, 3, 1},  {3, 37, 12, 1, 3},  {4, 37, 12, 1, 4},  {1, 37, 12, 1, 1}};
    for (const auto& c : cases) {
        const PaletteGrid grid = ChooseColsRows(c.count, c.width, c.height);
        EXPECT_EQ(grid.columns, c.columns) << c.count;
        EXPECT_EQ(grid.rows, c.rows) << c.count;
    }
    // Fixed columns; a more entry alone still needs its row.
    EXPECT_EQ(PaletteGridFor(56, 8, 17, 17, true).rows, 7);
    EXPECT_EQ(PaletteGridFor(0, 0, 17, 17, true).rows, 1);
    EXPECT_EQ(PaletteGridFor(0, 0, 17, 17, false).rows, 0);
}

TEST(PaletteLayoutTest, ItemsGoColumnByColumnWithSeparatorAndExtraColumn)
{
    std::vector<UINT> ids;
    for (UINT k = 0; k < 7; ++k)
        ids.push_back(kPaletteFirstId + k);
    const auto items = BuildPaletteItems(ids, {4, 2}, 1, kMoreId);
    std::vector<UINT> order;
    std::vector<UINT> breaks;
    for (const auto& item : items) {
        order.push_back(item.id);
        if (item.menuBreak)
            breaks.push_back(item.id);
    }
    // Column i row j shows entry j x 4 + i; entry 7 does not exist.
    EXPECT_EQ(order, (std::vector<UINT>{33400, 33103, 33404, 33401, 33104, 33405, 33402, 33104, 33406, 33403,
                                        33105, 33106, 33107, 33200}));
    EXPECT_EQ(breaks, (std::vector<UINT>{33401, 33402, 33403, 33106}));
    // A more entry with no cells: only the extra column.
    const auto alone = BuildPaletteItems({}, PaletteGridFor(0, 0, 10, 10, true), 0, kMoreId);
    ASSERT_EQ(alone.size(), 1u);
    EXPECT_EQ(alone[0].id, kMoreId);
    EXPECT_FALSE(alone[0].menuBreak);
}

TEST(PaletteLayoutTest, ItemSizes)
{
    EXPECT_EQ(MeasurePaletteItem(33400, true, 22, 17, false).cx, 22);
    EXPECT_EQ(MeasurePaletteItem(33400, true, 22, 17, true).cx, 22 - kMenuCheckWidth);
    EXPECT_EQ(MeasurePaletteItem(33103, false, 22, 17, true).cy, 7);
    EXPECT_EQ(MeasurePaletteItem(33106, false, 22, 17, true).cy, 17);
    EXPECT_EQ(MeasurePaletteItem(33200, false, 22, 17, true).cx, 15 - kMenuCheckWidth);
    EXPECT_EQ(MeasurePaletteItem(33400, true, 5, 17, true).cx, 1);   // never below 1
}

// More styles than the commands address are cut, never written past the list.
TEST(PaletteLayoutTest, ValueListStopsAtItsCapacity)
{
    CPaletteItemList list;
    for (int i = 0; i < kMaxPaletteValues; ++i)
        ASSERT_TRUE(list.Append(WORD(i)));
    EXPECT_EQ(list.Count(), 16 * 51);
    EXPECT_FALSE(list.Append(1));
    EXPECT_EQ(list.Count(), 16 * 51);
    list.FillRange(300, 0);
    EXPECT_EQ(list.Count(), 250);
    EXPECT_EQ(list.At(250), 0xFFFF);
    for (int i = 0; i < 17; ++i)
        EXPECT_EQ(list.AddCategory({10, 10, 60, "c", 0}), i < 16);
    EXPECT_EQ(list.Category(0).count, 51);
}

TEST_F(DropPaletteTest, PressDropsHoverTellsAndAClickChooses)
{
    Create(18, false, true);
    button->SetCurrentValue(104);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(20, 12));
    ASSERT_TRUE(Popup()->isVisible());
    EXPECT_EQ(Popup()->Grid().columns, 6);
    EXPECT_EQ(Popup()->Grid().rows, 3);
    // Below the button, its left side under the button's (the offscreen
    // platform may add a frame margin).
    const QPoint corner = button->mapToGlobal(QPoint(0, button->height()));
    EXPECT_NEAR(Popup()->pos().x(), corner.x(), 2);
    EXPECT_NEAR(Popup()->pos().y(), corner.y(), 2);
    EXPECT_TRUE(button->IsPressed());
    EXPECT_EQ(recorder.commands, (Commands{{kButtonId, 1124}}));
    EXPECT_EQ(button->GetSelectedId(), 0xFFFF);

    // Moving onto cell 7 (row 1, column 1) highlights it and tells the owner.
    QTest::mouseMove(Popup(), MidOf(33407));
    EXPECT_EQ(Popup()->HighlightedId(), 33407u);
    EXPECT_EQ(button->GetSelectedId(), 107);
    EXPECT_EQ(recorder.commands, (Commands{{kButtonId, 1124}, {kButtonId, 2}}));
    SaveShot(Popup(), "droppalette_open");
    // To the next cell: one notice for leaving, one for entering.
    QTest::mouseMove(Popup(), MidOf(33408));
    EXPECT_EQ(recorder.commands.size(), 4u);

    QTest::mouseClick(Popup(), Qt::LeftButton, {}, MidOf(33408));
    EXPECT_FALSE(Popup()->isVisible());
    EXPECT_FALSE(button->IsPressed());
    EXPECT_EQ(button->LastChosen(), 108);
    EXPECT_EQ(recorder.commands.back(), std::make_pair(kButtonId, 0));
    EXPECT_EQ(button->GetSelectedId(), 0xFFFF);
    SaveShot(&owner, "droppalette_button");
}

TEST_F(DropPaletteTest, KeysMoveTheHighlightAndEscapeChoosesNothing)
{
    Create(9, true, false);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(20, 12));
    ASSERT_TRUE(Popup()->isVisible());
    QTest::keyClick(Popup(), Qt::Key_Down);   // first cell
    QTest::keyClick(Popup(), Qt::Key_Right);
    QTest::keyClick(Popup(), Qt::Key_Down);
    EXPECT_EQ(Popup()->HighlightedId(), 33404u);
    // Highlighting without notify-on-highlight sends nothing.
    EXPECT_EQ(recorder.commands, (Commands{{kButtonId, 1124}}));
    QTest::keyClick(Popup(), Qt::Key_Escape);
    EXPECT_FALSE(Popup()->isVisible());
    EXPECT_EQ(button->LastChosen(), 0xFFFF);
    EXPECT_EQ(recorder.commands.size(), 1u);

    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(20, 12));
    QTest::keyClick(Popup(), Qt::Key_Down);
    QTest::keyClick(Popup(), Qt::Key_Return);
    EXPECT_EQ(button->LastChosen(), 100);
    // The more entry goes to Select unchanged.
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(20, 12));
    QTest::mouseClick(Popup(), Qt::LeftButton, {}, MidOf(kMoreId));
    EXPECT_EQ(button->LastChosen(), kMoreId);
}

TEST_F(DropPaletteTest, AQuickClickOnADelayedButtonDoesNotOpen)
{
    Create(4, false, false, true);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(20, 12));
    EXPECT_TRUE(button->IsOpenTimerRunning());
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(20, 12));
    EXPECT_FALSE(button->IsOpenTimerRunning());
    EXPECT_FALSE(Popup()->isVisible());
    EXPECT_EQ(recorder.commands, (Commands{{kButtonId, 0}}));
    // Held down, it opens when the timer fires.
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(20, 12));
    EXPECT_TRUE(QTest::qWaitFor([&] { return Popup()->isVisible(); }, 2000));
    QTest::keyClick(Popup(), Qt::Key_Escape);
}

TEST_F(DropPaletteTest, MoreEntryAloneHasOneRow)
{
    Create(0, true, false);
    EXPECT_EQ(Popup()->Grid().rows, 1);
    ASSERT_EQ(Popup()->Items().size(), 1u);
    EXPECT_FALSE(Popup()->ItemRect(kMoreId).isEmpty());
}

// A palette with no values and no more entry is built empty: the button
// still takes the dialog item's place and a press drops nothing.
TEST_F(DropPaletteTest, EmptyPaletteWithoutMoreEntryIsAttached)
{
    QWidget* placeholder = new QWidget(&owner);
    placeholder->setGeometry(40, 50, 70, 22);
    SetDlgCtrlID(placeholder, kButtonId);
    Create(0, false, false);
    EXPECT_EQ(GetDlgItem(&owner, kButtonId), button);
    EXPECT_EQ(button->geometry(), QRect(40, 50, 70, 22));
    EXPECT_TRUE(button->isVisible());
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(20, 12));
    EXPECT_FALSE(Popup()->isVisible());
    EXPECT_EQ(recorder.commands, (Commands{{kButtonId, 1124}}));
    QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(20, 12));
    EXPECT_FALSE(button->IsPressed());
}

// The popup lays out cells more than three times as wide as tall in one
// column, measured with the borders.
TEST_F(DropPaletteTest, WideCellsGoInOneColumn)
{
    Create(3, false, false, false, 60);   // 66 x 22 with the borders: not wide enough
    EXPECT_EQ(Popup()->Grid().columns, 3);
    Create(3, false, false, false, 61);   // 67 x 22
    EXPECT_EQ(Popup()->Grid().columns, 1);
    EXPECT_EQ(Popup()->Grid().rows, 3);
}

// The current cell is sunken; the highlighted one sunken while the button
// is down (the palette opens on a press) and raised after a release; the
// others flat in the menu colour. Leaving every cell resets the highlight.
TEST_F(DropPaletteTest, FramesFollowTheButtonAndTheHighlightResets)
{
    Create(10, false, true);
    button->SetCurrentValue(102);
    QTest::mousePress(button, Qt::LeftButton, {}, QPoint(20, 12));
    ASSERT_TRUE(Popup()->isVisible());
    const COLORREF sunken = GetSysColor(COLOR_BTNSHADOW), raised = GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF flat = GetSysColor(COLOR_BTNFACE);
    EXPECT_EQ(CornerOf(33402), sunken);
    EXPECT_EQ(CornerOf(33407), flat);
    QTest::mouseMove(Popup(), MidOf(33407));
    EXPECT_EQ(CornerOf(33407), sunken);
    EXPECT_EQ(button->GetSelectedId(), 107);
    // The release of the opening press, away from the cells.
    QTest::mouseRelease(Popup(), Qt::LeftButton, {}, QPoint(1, 1));
    ASSERT_TRUE(Popup()->isVisible());
    EXPECT_EQ(CornerOf(33407), raised);
    EXPECT_EQ(CornerOf(33402), sunken);
    // Off every cell: nothing highlighted, and the owner is told.
    const size_t told = recorder.commands.size();
    QTest::mouseMove(Popup(), QPoint(1, 1));
    EXPECT_EQ(Popup()->HighlightedId(), 0u);
    EXPECT_EQ(button->GetSelectedId(), 0xFFFF);
    ASSERT_EQ(recorder.commands.size(), told + 1);
    EXPECT_EQ(recorder.commands.back(), std::make_pair(kButtonId, 2));
    EXPECT_EQ(CornerOf(33407), flat);
    QTest::keyClick(Popup(), Qt::Key_Escape);
}

TEST_F(DropPaletteTest, DelayedOpenWaits190Milliseconds)
{
    Create(4, false, false, true);
    EXPECT_EQ(button->OpenDelay(), 190);
}
