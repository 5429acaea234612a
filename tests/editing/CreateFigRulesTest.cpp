// The arithmetic of creating figures with the mouse, table by table.
#include "editing/CreateFigRules.h"

#include <gtest/gtest.h>

#include <string>

TEST(CreateFigRulesTest, HowAStyleIsDrawn)
{
    struct Case {
        const char* symbol;
        int w, h;
        bool drag, fromText;
    } cases[] = {
        {"box", 256, 172, false, false},
        {"box", 0, 172, true, false},      // no default width: dragged out
        {"box", 256, 0, true, false},
        {"[Rect]", 7, 8, false, false},    // a height of 8 does not count
        {"[Rect]", 8, 7, true, true},      // a width of 8 does
        {"[Rect]", 7, 9, true, true},
        {"[Rect]", 0, 0, true, false},     // no size: nothing to take from the text
        {"Rect]", 300, 300, false, false}, // only a leading bracket names a system shape
    };
    for (const Case& c : cases) {
        const CreateStyleMode m = CreateModeForStyle(c.symbol, c.w, c.h);
        EXPECT_EQ(m.dragToSize, c.drag) << c.symbol << " " << c.w << "x" << c.h;
        EXPECT_EQ(m.sizeFromText, c.fromText) << c.symbol << " " << c.w << "x" << c.h;
    }
}

TEST(CreateFigRulesTest, RubberFlagsTakeOneBitOfEachGroup)
{
    FigFlagSet style{4 | 8 | 64 | 0x1000, 0x300};
    const FigFlagSet plain = RubberFigFlags(style, false);
    EXPECT_EQ(plain.low, DWORD(2 | 16 | 64 | 0x1000));
    EXPECT_EQ(plain.high, DWORD(0x300));
    EXPECT_EQ(RubberFigFlags(style, true).low, DWORD(1 | 32 | 64 | 0x1000));

    const FigFlagSet made = RubberFigMadeFlags(FigFlagSet{64 | 128 | 256 | 2, 0}, true);
    EXPECT_EQ(made.low, DWORD(256 | 2 | 0x200000));
    EXPECT_EQ(RubberFigMadeFlags(FigFlagSet{64 | 128 | 256 | 2, 0}, false).low, DWORD(2 | 0x200000));
}

TEST(CreateFigRulesTest, KindsCreatedByThePress)
{
    for (int kind : {11, 56, 13, 41, 45, 46, 24})
        EXPECT_TRUE(CreatesOnPress(kind)) << kind;
    for (int kind : {-1, 0, 12, 23, 25, 40, 55})
        EXPECT_FALSE(CreatesOnPress(kind)) << kind;
}

TEST(CreateFigRulesTest, CreateHandle)
{
    const FigFlagSet trunk{0, 4}, trunkBoth{0, 4 | 512}, none{0, 0};
    EXPECT_EQ(CreateHandleFor(false, false, trunk, 300, 100), 9);
    EXPECT_EQ(CreateHandleFor(true, false, trunk, 300, 100), 8);   // wide: bottom side
    EXPECT_EQ(CreateHandleFor(true, false, trunk, 100, 300), 6);   // tall: right side
    EXPECT_EQ(CreateHandleFor(true, false, trunk, 200, 200), 6);
    EXPECT_EQ(CreateHandleFor(true, true, trunk, 300, 100), 9);
    EXPECT_EQ(CreateHandleFor(true, false, trunkBoth, 300, 100), 9);
    EXPECT_EQ(CreateHandleFor(true, false, none, 300, 100), 9);
}

// Measured from the press: moves of one pixel each add up.
TEST(CreateFigRulesTest, ThresholdCountsFromThePress)
{
    const CPoint press(100, 100);
    EXPECT_FALSE(PassedCreateThreshold(press, CPoint(107, 107), 4));
    EXPECT_TRUE(PassedCreateThreshold(press, CPoint(108, 100), 4));
    EXPECT_TRUE(PassedCreateThreshold(press, CPoint(100, 92), 4));
    for (int x = 101; x <= 107; ++x)
        EXPECT_FALSE(PassedCreateThreshold(press, CPoint(x, 100), 4)) << x;
    EXPECT_TRUE(PassedCreateThreshold(press, CPoint(108, 100), 4));
}

TEST(CreateFigRulesTest, SmallestFigureKept)
{
    const CSize text(40, 20);
    struct Case {
        CRect rc;
        bool fromText, tooSmall;
    } cases[] = {
        {CRect(0, 0, 8, 8), false, false},
        {CRect(0, 0, 7, 100), false, true},
        {CRect(0, 0, 100, 7), false, true},
        {CRect(0, 0, 41, 21), true, false},
        {CRect(0, 0, 40, 21), true, true},    // not larger than the text
        {CRect(0, 0, 41, 20), true, true},
        {CRect(0, 0, 40, 20), false, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CreateTooSmall(c.rc, c.fromText, text), c.tooSmall) << c.rc.Width() << "x" << c.rc.Height();
}

TEST(CreateFigRulesTest, SizeOrPositionInTheStatus)
{
    EXPECT_TRUE(DescribeCreateBySize(CRect(0, 0, 5, 5), 4));
    EXPECT_FALSE(DescribeCreateBySize(CRect(0, 0, 4, 50), 4));
    EXPECT_FALSE(DescribeCreateBySize(CRect(0, 0, 50, 4), 4));
}

TEST(CreateFigRulesTest, DecisionTexts)
{
    std::string text, second = "x";
    EXPECT_TRUE(ApplyDecisionTexts("Decision", text, second, ""));
    EXPECT_EQ(text, "\\sect y\\sect n");
    EXPECT_EQ(second, "");
    text = "\\sect \\sect ";
    second = "x";
    EXPECT_TRUE(ApplyDecisionTexts("Decision 2", text, second, "yes\\sect no"));
    EXPECT_EQ(text, "yes\\sect no");
    text = "Is it?";
    EXPECT_FALSE(ApplyDecisionTexts("Decision", text, second, ""));
    EXPECT_EQ(text, "Is it?");
    text.clear();
    EXPECT_FALSE(ApplyDecisionTexts("Decisio", text, second, ""));
    EXPECT_EQ(text, "");
}
