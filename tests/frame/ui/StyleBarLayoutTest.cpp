// The style bar's sharing of its height among its three rows and the
// rows' scroll arithmetic, without windows.
#include "frame/ui/CStyleBarLayout.h"

#include <gtest/gtest.h>

namespace {

using Rows = std::array<StyleRowFit, kStyleBarRows>;

StyleRowFit Row(int count, int columns, int height, int capacity, bool fixedControls = true)
{
    StyleRowFit r;
    r.hasPicker = r.hasCombo = fixedControls;
    r.count = count;
    r.columns = columns;
    r.btnHeight = height;
    r.capacity = capacity;
    return r;
}

} // namespace

TEST(StyleBarLayoutTest, TightBarSharesItsLinesOutLabelsConnectorsThenFigures)
{
    // Room 400, pickers and combos 138: 262 for buttons.
    Rows rows{Row(10, 1, 32, 30), Row(40, 2, 28, 100), Row(6, 2, 20, 100)};
    LayoutStyleBarRows(rows, 436);
    EXPECT_EQ(rows[kLabelRow].visible, 2);
    EXPECT_EQ(rows[kFigureRow].visible, 8);
    EXPECT_EQ(rows[kConnectorRow].visible, 6);
    EXPECT_EQ(rows[kLabelRow].gridLines, 2);
    EXPECT_EQ(rows[kFigureRow].gridLines, 4);
    EXPECT_TRUE(rows[kLabelRow].scroll);
    EXPECT_TRUE(rows[kFigureRow].scroll);
    EXPECT_FALSE(rows[kConnectorRow].scroll);
    EXPECT_EQ(rows[kLabelRow].maxOffset, 8);
    EXPECT_EQ(rows[kFigureRow].maxOffset, 32);
}

TEST(StyleBarLayoutTest, RoomyBarShowsEveryStyleAndNoRowScrolls)
{
    Rows rows{Row(3, 1, 32, 30), Row(7, 2, 28, 100), Row(4, 2, 20, 100)};
    LayoutStyleBarRows(rows, 800);
    EXPECT_EQ(rows[kLabelRow].visible, 3);
    EXPECT_EQ(rows[kFigureRow].visible, 7);
    EXPECT_EQ(rows[kFigureRow].gridLines, 4);
    for (const StyleRowFit& r : rows)
        EXPECT_FALSE(r.scroll);
}

TEST(StyleBarLayoutTest, BarTooLowForOneLineOfEachShowsNoButtonsAndEveryRowScrolls)
{
    // 36 + 138 fixed + 80 for one line each: 253 leaves 79, not enough.
    Rows rows{Row(10, 1, 32, 30), Row(40, 2, 28, 100), Row(6, 2, 20, 100)};
    LayoutStyleBarRows(rows, 253);
    for (const StyleRowFit& r : rows) {
        EXPECT_EQ(r.visible, 0);
        EXPECT_EQ(r.gridLines, 0);
        EXPECT_TRUE(r.scroll);
    }
    // A window lower than the fixed controls alone is no different.
    LayoutStyleBarRows(rows, 10);
    EXPECT_EQ(rows[kFigureRow].visible, 0);
}

TEST(StyleBarLayoutTest, LayoutWithoutColumnsOrHeightHasNothingToShow)
{
    // Columns and height come from files and from memory unchecked.
    const struct {
        int columns, height;
    } cases[] = {{0, 28}, {-3, 28}, {2, 0}, {2, -5}};
    for (const auto& c : cases) {
        Rows rows{Row(3, 1, 32, 30), Row(9, c.columns, c.height, 100), Row(4, 2, 20, 100)};
        LayoutStyleBarRows(rows, 300);
        EXPECT_EQ(rows[kFigureRow].visible, 0) << c.columns << " " << c.height;
        EXPECT_EQ(rows[kFigureRow].maxOffset, 0);
    }
    EXPECT_EQ(StyleRowScroll(kScrollLineDown, 0, 0, 0, 0, 0), 0);
    EXPECT_EQ(StyleRowMaxOffset(9, 0, 0), 0);
    EXPECT_EQ(StyleRowOffsetToShow(5, 0, 0, 2, 4), 0);
}

TEST(StyleBarLayoutTest, LayoutLongerThanTheButtonArrayIsCutToWholeLinesOfIt)
{
    // 150 connector styles in 3 columns: the 100 buttons make 33 lines.
    Rows rows{Row(0, 1, 32, 30, false), Row(0, 2, 28, 100, false), Row(150, 3, 20, 100, false)};
    LayoutStyleBarRows(rows, 5000);
    EXPECT_EQ(rows[kConnectorRow].visible, 99);
    EXPECT_EQ(rows[kConnectorRow].gridLines, 33);
    EXPECT_TRUE(rows[kConnectorRow].scroll);
    EXPECT_EQ(rows[kConnectorRow].maxOffset, 51);
    // 31 labels in one column: 30 buttons.
    Rows labels{Row(31, 1, 32, 30, false), Row(0, 2, 28, 100, false), Row(0, 2, 20, 100, false)};
    LayoutStyleBarRows(labels, 5000);
    EXPECT_EQ(labels[kLabelRow].visible, 30);
    EXPECT_EQ(labels[kLabelRow].maxOffset, 1);
}

TEST(StyleBarLayoutTest, ScrollMovesByWholeLinesBetweenTheEnds)
{
    // 7 styles, 2 columns, 2 lines shown: offsets 0, 2, 4.
    const int maxOffset = StyleRowMaxOffset(7, 4, 2);
    EXPECT_EQ(maxOffset, 4);
    int offset = 0;
    offset = StyleRowScroll(kScrollLineDown, 0, offset, 2, 2, maxOffset);
    EXPECT_EQ(offset, 2);
    offset = StyleRowScroll(kScrollLineDown, 0, offset, 2, 2, maxOffset);
    EXPECT_EQ(offset, 4);
    EXPECT_EQ(StyleRowScroll(kScrollLineDown, 0, offset, 2, 2, maxOffset), 4);
    EXPECT_EQ(StyleRowScroll(kScrollLineUp, 0, 0, 2, 2, maxOffset), 0);
    EXPECT_EQ(StyleRowScroll(kScrollPageUp, 0, 2, 2, 2, maxOffset), 0);
    EXPECT_EQ(StyleRowScroll(kScrollPageDown, 0, 2, 2, 2, maxOffset), 4);
    EXPECT_EQ(StyleRowScroll(kScrollThumbTrack, 1, 0, 2, 2, maxOffset), 2);
    EXPECT_EQ(StyleRowScroll(kScrollThumbPosition, 9, 0, 2, 2, maxOffset), 4);
    EXPECT_EQ(StyleRowScroll(kScrollBottom, 0, 0, 2, 2, maxOffset), 4);
    EXPECT_EQ(StyleRowScroll(kScrollTop, 0, 4, 2, 2, maxOffset), 0);
}

TEST(StyleBarLayoutTest, StyleBelowTheShownLinesComesIntoTheLastLine)
{
    // 40 entries, 2 columns, 4 lines shown, largest offset 32.
    EXPECT_EQ(StyleRowOffsetToShow(30, 0, 2, 4, 32), 24);   // line 15 shows last
    EXPECT_EQ(StyleRowOffsetToShow(39, 0, 2, 4, 32), 32);
    // Above the shown lines: its line comes first.
    EXPECT_EQ(StyleRowOffsetToShow(5, 20, 2, 4, 32), 4);
    EXPECT_EQ(StyleRowOffsetToShow(1, 20, 2, 4, 32), 0);
}

TEST(StyleBarLayoutTest, TwoFifthsOfTheSpareAreCountedInWholePixels)
{
    // One figure line of 10 and one label line of 36 leave a spare of 182,
    // whose two fifths are 72: the label row's two missing lines (72) are
    // not below it, so it gets one more line from the third (60), not all.
    // A spare of 183 (73) takes them all.
    const struct {
        int window, labelLines;
    } cases[] = {{264, 2}, {265, 3}};
    for (const auto& c : cases) {
        Rows rows{Row(3, 1, 36, 30, false), Row(100, 1, 10, 100, false), Row(0, 2, 20, 100, false)};
        LayoutStyleBarRows(rows, c.window);
        EXPECT_EQ(rows[kLabelRow].gridLines, c.labelLines) << c.window;
        EXPECT_EQ(rows[kLabelRow].visible, c.labelLines) << c.window;
    }
}
