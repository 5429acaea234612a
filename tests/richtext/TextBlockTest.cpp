// Line layout of rich text on the bundled fonts (Courier New resolves to the
// metric-compatible Liberation Mono: every character advances 0.6 em).
#include "richtext/CTextBlock.h"
#include "richtext/CharWidthTable.h"
#include "richtext/TextBlockGeometry.h"
#include "platform/CPainterDC.h"

#include <QImage>

#include <gtest/gtest.h>

namespace {

TextFormatRec MonoFormat(int points = 10)
{
    return MakeTextFormat("Courier New", points, 0x44);
}

struct Laid {
    CTextBlock block;
    explicit Laid(const std::string& text, LineSpacing sp = LineSpacing(), int wanted = 0, int rotation = 0)
    {
        EXPECT_EQ(block.Layout(text, rotation, MonoFormat(), nullptr, false, false, sp, wanted), 1);
    }
};

// 10 points = 35 logical units of 1/256 inch; Liberation Mono advances 21.
constexpr int kAdv = 21;

TEST(TextBlock, LinesFromBreaks)
{
    Laid empty("");
    ASSERT_EQ(empty.block.LineCount(), 1);
    EXPECT_EQ(empty.block.GetLine(0).width, 0);
    EXPECT_GT(empty.block.GetLine(0).height, 0);
    EXPECT_EQ(empty.block.GetLine(0).height, MarkupTextMetrics().tmAscent + MarkupTextMetrics().tmDescent);

    Laid two("ab\\line cde");
    ASSERT_EQ(two.block.LineCount(), 2);
    EXPECT_EQ(two.block.GetLine(0).width, 2 * kAdv);
    EXPECT_EQ(two.block.GetLine(1).width, 3 * kAdv);
    EXPECT_EQ(two.block.GetLine(1).count, 3);
    EXPECT_EQ(two.block.GetLine(1).firstAdvance, 2);
    EXPECT_EQ(two.block.GetCharCount(), 5);
    EXPECT_EQ(two.block.GetExtent(false), CSize(3 * kAdv, 2 * two.block.GetLine(0).height));
    EXPECT_EQ(two.block.GetCharOffset(1, 1), 2 * kAdv);

    // A blank before a soft break counts only when asked for.
    Laid soft("ab \\softline cd");
    EXPECT_EQ(soft.block.GetLine(0).endsWithBlank, 1);
    EXPECT_EQ(soft.block.GetLineWidth(0, true), 3 * kAdv);
    EXPECT_EQ(soft.block.GetLineWidth(0, false), 2 * kAdv);
    EXPECT_EQ(soft.block.GetExtent(false).cx, 2 * kAdv);
    Laid hard("ab \\line cd");
    EXPECT_EQ(hard.block.GetLine(0).endsWithBlank, 0);
}

TEST(TextBlock, BiggerFontRaisesTheLine)
{
    Laid mixed("a\\fs40 b\\fs20 c\\line d");
    const CTextBlock::Line& l0 = mixed.block.GetLine(0);
    const CTextBlock::Line& l1 = mixed.block.GetLine(1);
    EXPECT_GT(l0.height, l1.height);
    EXPECT_GT(l0.ascent, l1.ascent);
    EXPECT_EQ(l0.width, 2 * kAdv + 43);   // 20 points: 71 units, advance 43
    // The second line starts in the 10 point font again, not in the big one.
    EXPECT_EQ(l1.width, kAdv);
}

TEST(TextBlock, LineSpacingKinds)
{
    Laid single("a\\line b\\line c");
    const int h = single.block.GetLine(0).height;
    const int L = MarkupTextMetrics().tmInternalLeading;
    struct {
        int kind;
        float value;
        int gap0;
        int gap1;
    } cases[] = {
        {0, 0, 0, 0},
        {1, 0, int(1.5 * h - h), int(1.5 * h - h)},
        {2, 0, h, h},
        {3, 0, -2 * L / 3, -2 * L / 3},
        {4, 0, -4 * L / 3, -4 * L / 3},
        {5, 150, int(h * 150 * 0.01 - h), int(h * 150 * 0.01 - h)},
        {6, 60.4f, 60 - h, 60 - h},
        {7, 10, std::max(10, 4 * L / 3 - h) - 4 * L / 3, std::max(10, 4 * L / 3 - h) - 4 * L / 3},
    };
    for (const auto& c : cases) {
        LineSpacing sp;
        sp.kind = c.kind;
        sp.value = c.value;
        Laid b("a\\line b\\line c", sp);
        EXPECT_EQ(b.block.GetLine(0).gap, c.gap0) << c.kind;
        EXPECT_EQ(b.block.GetLine(1).gap, c.gap1) << c.kind;
        EXPECT_EQ(b.block.GetTotalHeight(), 3 * h + c.gap0 + c.gap1) << c.kind;
    }
    // Absurd values from a file stay in range.
    LineSpacing wild;
    wild.kind = 5;
    wild.value = 3.0e38f;
    Laid w("a\\line b", wild);
    EXPECT_EQ(w.block.LineCount(), 2);
}

TEST(TextBlock, GapsMoveLineTopsAndBaselines)
{
    // Double spacing: every gap is one line height, and tops and baselines step by it.
    LineSpacing sp;
    sp.kind = 2;
    Laid b("a\\line b\\line c", sp);
    const CTextBlock::Line& l0 = b.block.GetLine(0);
    const int step = l0.height + l0.gap;
    ASSERT_GT(l0.gap, 0);
    struct {
        int line;
        int top;
        int baseline;
    } cases[] = {{0, 0, l0.ascent}, {1, step, l0.ascent + step}, {2, 2 * step, l0.ascent + 2 * step}};
    for (const auto& c : cases) {
        EXPECT_EQ(b.block.GetLineTop(c.line), c.top) << c.line;
        EXPECT_EQ(b.block.GetBaselineOffset(c.line), c.baseline) << c.line;
    }
}

TEST(TextBlock, WantedHeightOneBelowTotal)
{
    Laid two("a\\line b");
    const int total = two.block.GetTotalHeight();
    Laid fitted("a\\line b", LineSpacing(), total - 1);
    EXPECT_EQ(fitted.block.GetLine(0).gap, -1);
    EXPECT_EQ(fitted.block.GetTotalHeight(), total - 1);
    Laid untouched("a\\line b", LineSpacing(), total - 2);
    EXPECT_EQ(untouched.block.GetTotalHeight(), total);
    // Over three lines the unit comes off the last gap, as the distribution
    // of a negative amount gives it.
    Laid three("a\\line b\\line c");
    Laid three1("a\\line b\\line c", LineSpacing(), three.block.GetTotalHeight() - 1);
    EXPECT_EQ(three1.block.GetLine(0).gap, 0);
    EXPECT_EQ(three1.block.GetLine(1).gap, -1);
    // A positive amount: the first gaps get the remainder.
    three.block.SetTotalHeight(three.block.GetTotalHeight() + 3);
    EXPECT_EQ(three.block.GetLine(0).gap, 2);
    EXPECT_EQ(three.block.GetLine(1).gap, 1);
}

TEST(TextBlock, WidthForHeightSurvivesCollapsedLines)
{
    // "Exactly 0": every line but the last adds nothing, so the height per
    // line rounds to 0 over many lines.
    std::string text = "x";
    for (int i = 0; i < 60; ++i)
        text += "\\line x";
    LineSpacing exact;
    exact.kind = 6;
    exact.value = 0;
    Laid b(text, exact);
    ASSERT_LT(b.block.GetTotalHeight() / b.block.LineCount(), 1);
    const int w = b.block.GetWidthForHeight(100);
    EXPECT_GE(w, kAdv);
    Laid plain("abcd\\line efgh");
    EXPECT_EQ(plain.block.GetWidthForHeight(plain.block.GetLine(0).height), 8 * kAdv);
    // As many lines as characters at most: one character wide.
    EXPECT_EQ(plain.block.GetWidthForHeight(10000), kAdv);
}

TEST(TextBlock, ScaleCarriesRemainders)
{
    Laid b("abc");
    b.block.ScaleMetrics(CSize(3, 3), CSize(1, 1), false);
    const int* adv = b.block.GetLineAdvances(0);
    EXPECT_EQ(adv[0] + adv[1] + adv[2], kAdv);
    EXPECT_EQ(adv[0], 7);
    EXPECT_EQ(b.block.GetLine(0).width, kAdv);
}

TEST(TextBlock, SharedAndOwnedAdvances)
{
    CTextBlock owned;
    LineSpacing sp;
    owned.Layout(std::string(300, 'x'), 0, MonoFormat(), nullptr, false, false, sp, 0);
    EXPECT_EQ(owned.Capacity(), 512);
    EXPECT_FALSE(owned.IsShared());
    CTextBlock shared;
    shared.Layout(std::string(300, 'x'), 0, MonoFormat(), nullptr, false, true, sp, 0);
    EXPECT_TRUE(shared.IsShared());
    EXPECT_EQ(SharedAdvanceCapacity(), 512);   // 0 + (300 & ~255) + 256
    shared.Layout(std::string(10, 'x'), 0, MonoFormat(), nullptr, false, true, sp, 0);
    EXPECT_EQ(SharedAdvanceCapacity(), 512);   // never shrinks
}

TEST(TextBlock, OriginsAndRotation)
{
    Laid h("ab\\line abcd");
    const CRect rect(0, 0, 1000, 500);
    const CPoint centre = GetBlockOrigin(h.block, rect, 0x22);
    EXPECT_EQ(centre, CPoint(500, 250 - h.block.GetTotalHeight() / 2));
    const CPoint line0 = GetLineOrigin(h.block, 0, centre, 0x22);
    EXPECT_EQ(line0.x, 500 - kAdv);
    EXPECT_EQ(line0.y, centre.y + h.block.GetLine(0).ascent);
    const CPoint right1 = GetLineOrigin(h.block, 1, GetBlockOrigin(h.block, rect, 0x41), 0x41);
    EXPECT_EQ(right1.x, 1000 - 4 * kAdv);

    Laid up("ab\\line cd", LineSpacing(), 0, 900);
    const CPoint o900 = GetBlockOrigin(up.block, rect, 0x44);
    EXPECT_EQ(o900, CPoint(0, 500));
    EXPECT_GT(GetLineOrigin(up.block, 1, o900, 0x44).x, GetLineOrigin(up.block, 0, o900, 0x44).x);
    Laid down("ab\\line cd", LineSpacing(), 0, 2700);
    const CPoint o2700 = GetBlockOrigin(down.block, rect, 0x44);
    EXPECT_EQ(o2700, CPoint(1000, 0));
    EXPECT_LT(GetLineOrigin(down.block, 1, o2700, 0x44).x, GetLineOrigin(down.block, 0, o2700, 0x44).x);
    CRect br;
    GetBlockRect(h.block, rect, 0x44, 0, br);
    EXPECT_EQ(br, CRect(0, 0, 4 * kAdv, h.block.GetTotalHeight()));
}

TEST(TextBlock, HitTestAndCaret)
{
    const std::string text = "ab\\line abcd";
    Laid b(text);
    const CRect rect(0, 0, 1000, 500);
    const int lineH = b.block.GetLine(0).height;
    EXPECT_EQ(HitTestPoint(b.block, text, rect, 0x44, CPoint(0, 2)), 0);
    EXPECT_EQ(HitTestPoint(b.block, text, rect, 0x44, CPoint(kAdv / 2 + 1, 2)), 1);
    EXPECT_EQ(HitTestPoint(b.block, text, rect, 0x44, CPoint(900, 2)), 2);
    EXPECT_EQ(HitTestPoint(b.block, text, rect, 0x44, CPoint(2 * kAdv, lineH + 2)), 5);
    EXPECT_EQ(HitTestPoint(b.block, text, rect, 0x44, CPoint(0, 5000)), 3);
    int height = 0;
    EXPECT_EQ(GetCaretPoint(b.block, text, rect, 0x44, 4, height), CPoint(kAdv, lineH));
    EXPECT_EQ(height, lineH);
    EXPECT_EQ(GetCaretPoint(b.block, text, rect, 0x44, 7, height), CPoint(4 * kAdv, lineH));
}

} // namespace

namespace {

TEST(TextBlock, WidthTableRefreshesOnRealChangesOnly)
{
    Laid first("abc");
    const int refills = MarkupCharWidthRefills();
    Laid again("abc \\b0 def");   // same font again: no refill
    EXPECT_EQ(MarkupCharWidthRefills(), refills);
    Laid bold("abc \\b1 def");
    EXPECT_GT(MarkupCharWidthRefills(), refills);
}

TEST(TextBlock, DisplayMeasureScaledToTheTarget)
{
    QImage image(10, 10, QImage::Format_RGB32);
    CPainterDC dc(&image);
    dc.SetMapMode(MM_ANISOTROPIC);
    dc.SetWindowExt(2, 2);
    dc.SetViewportExt(1, 1);
    CTextBlock block;
    LineSpacing sp;
    ASSERT_EQ(block.Layout("abc", 0, MonoFormat(), &dc, true, false, sp, 0), 1);
    Laid plain("abc");
    EXPECT_EQ(block.GetLine(0).width, MulDiv(plain.block.GetLine(0).width, 1, 2));
    EXPECT_EQ(block.GetLine(0).height, MulDiv(plain.block.GetLine(0).height, 1, 2));
    const int* adv = block.GetLineAdvances(0);
    EXPECT_EQ(adv[0] + adv[1] + adv[2], (3 * kAdv) / 2);
}

} // namespace
