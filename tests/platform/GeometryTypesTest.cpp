#include "platform/CRect.h"
#include "platform/Colorref.h"
#include "platform/LogFont.h"
#include "platform/WinTypes.h"

#include <gtest/gtest.h>

TEST(CRect, RightAndBottomEdgesAreExclusive)
{
    CRect r(10, 20, 30, 40);
    EXPECT_TRUE(r.PtInRect(CPoint(10, 20)));
    EXPECT_TRUE(r.PtInRect(CPoint(29, 39)));
    EXPECT_FALSE(r.PtInRect(CPoint(30, 39)));
    EXPECT_FALSE(r.PtInRect(CPoint(29, 40)));
    EXPECT_EQ(r.Width(), 20);
    EXPECT_EQ(r.CenterPoint(), CPoint(20, 30));
    EXPECT_EQ(CRect(-3, -3, 0, 0).CenterPoint(), CPoint(-1, -1)); // truncates toward zero
}

TEST(CRect, IntersectUnionAndNormalise)
{
    CRect r;
    EXPECT_TRUE(r.IntersectRect(CRect(0, 0, 10, 10), CRect(5, 5, 20, 20)));
    EXPECT_EQ(r, CRect(5, 5, 10, 10));
    // Touching edges do not overlap, and the result is set empty.
    EXPECT_FALSE(r.IntersectRect(CRect(0, 0, 10, 10), CRect(10, 0, 20, 10)));
    EXPECT_TRUE(r.IsRectNull());
    // Union ignores an empty operand.
    EXPECT_TRUE(r.UnionRect(CRect(0, 0, 0, 0), CRect(5, 5, 6, 6)));
    EXPECT_EQ(r, CRect(5, 5, 6, 6));
    EXPECT_TRUE(r.UnionRect(CRect(-5, 0, 1, 1), CRect(5, 5, 6, 6)));
    EXPECT_EQ(r, CRect(-5, 0, 6, 6));
    CRect n(10, 10, 0, -5);
    EXPECT_TRUE(n.IsRectEmpty());
    n.NormalizeRect();
    EXPECT_EQ(n, CRect(0, -5, 10, 10));
    n.InflateRect(1, 2);
    n.OffsetRect(1, 1);
    EXPECT_EQ(n, CRect(0, -6, 12, 13));
}

TEST(Colorref, RedInTheLowByte)
{
    COLORREF c = RGB(1, 2, 3);
    EXPECT_EQ(c, 0x030201u);
    EXPECT_EQ(GetRValue(c), 1);
    EXPECT_EQ(GetGValue(c), 2);
    EXPECT_EQ(GetBValue(c), 3);
}

TEST(WinTypes, MulDivRoundsAndReportsOverflow)
{
    struct Case {
        int a, b, c, expected;
    } cases[] = {
        {10, 3, 4, 8},           // 7.5 rounds away from zero
        {-10, 3, 4, -8},
        {100, 2540, 0, -1},      // division by zero
        {0x7FFFFFFF, 4, 2, -1},  // result past int
        {0x7FFFFFFF, 2, 2, 0x7FFFFFFF},
    };
    for (const auto& k : cases)
        EXPECT_EQ(MulDiv(k.a, k.b, k.c), k.expected) << k.a << "*" << k.b << "/" << k.c;
}

TEST(LogFont, FaceIsTruncatedAndTerminated)
{
    LOGFONT lf;
    SetLogFontFace(lf, "A face name that is far longer than thirty-one characters");
    EXPECT_EQ(std::string(lf.lfFaceName).size(), size_t(LF_FACESIZE - 1));
    LOGFONT other = lf;
    EXPECT_TRUE(lf == other);
}
