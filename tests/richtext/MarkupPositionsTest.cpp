// Visible positions, lines, caret and word movement, and search.
#include "richtext/MarkupPositions.h"
#include "richtext/MarkupQueries.h"
#include "richtext/MarkupToken.h"

#include <gtest/gtest.h>

namespace {

TEST(MarkupPositions, CountsAndLines)
{
    EXPECT_EQ(CountMarkupChars("a\\\\b"), 3);
    EXPECT_EQ(CountMarkupChars("\\{\\}"), 2);
    EXPECT_EQ(CountMarkupChars("\\sect "), 0);
    EXPECT_EQ(CountMarkupChars("{\\fonttbl {\\f0 Arial;}}x"), 1);   // table characters are not visible
    EXPECT_EQ(CountMarkupChars("ab\\line cd"), 5);
    EXPECT_EQ(CountMarkupLines("ab\\line cd"), 2);
    EXPECT_EQ(CountMarkupLines(""), 0);
    EXPECT_EQ(LineStartCharIndex("ab\\line cd", 1), 3);
    EXPECT_EQ(LineEndCharIndex("ab\\line cd", 0), 2);
    EXPECT_EQ(LineEndCharIndex("ab\\line cd", 1), 5);
    EXPECT_EQ(LineOfCharIndex("ab\\line cd\\softline e", 6), 2);
    int first = 0, last = 0;
    EXPECT_TRUE(GetLineCharRange("ab\\line cd", 1, first, last));
    EXPECT_EQ(first, 3);
    EXPECT_EQ(last, 5);
    EXPECT_FALSE(GetLineCharRange("ab", 2, first, last));
}

TEST(MarkupPositions, OffsetsAroundControlWords)
{
    // "a\b1 b": the b sits after the control word.
    EXPECT_EQ(CharIndexToOffset("a\\b1 b", 1, true), 1);
    EXPECT_EQ(CharIndexToOffset("a\\b1 b", 1, false), 5);
    EXPECT_EQ(CharIndexToOffset("a\\b1 b", 2, false), 6);   // the count gives the length
    EXPECT_EQ(CharIndexToOffset("a\\b1 b", 3, false), -1);
    // Index 0 before codes: after the tables, before the first codes.
    EXPECT_EQ(CharIndexToOffset("{\\colortbl \\red0\\green0\\blue0;}\\cf0 x", 0, true), 31);
    EXPECT_EQ(OffsetToCharIndex("a\\b1 b", 5), 1);
    EXPECT_EQ(OffsetToCharIndex("a\\b1 b", 1), -1);
    EXPECT_EQ(OffsetToCharIndex("a\\b1 b", 3), -1);
    EXPECT_EQ(OffsetToCharIndex("a\\b1 b", 6), 2);
    EXPECT_EQ(SkipLeadingGroups("{a}{b}c"), 6);
    EXPECT_EQ(SkipLeadingGroups("{a{b}"), -1);
    EXPECT_EQ(LineStartOffset("{x}ab\\line cd", 0, false), 3);
    EXPECT_EQ(LineStartOffset("{x}ab\\line cd", 0, true), 0);
    EXPECT_EQ(LineStartOffset("{x}ab\\line cd", 1, false), 11);
    EXPECT_EQ(LineStartOffset("{x}ab", 1, false), -1);
}

TEST(MarkupPositions, CaretSkipsSoftBreaks)
{
    const std::string text = "ab \\softline cd";
    EXPECT_EQ(NextCaretPos(text, 2, -1), 4);   // index 3 is the soft break
    EXPECT_EQ(PrevCaretPos(text, 4), 2);
    EXPECT_EQ(NextCaretPos(text, 9, -1), 6);
    EXPECT_EQ(PrevCaretPos(text, 0), 0);
}

TEST(MarkupPositions, WordBoundaries)
{
    const std::string text = "one two,three \\softline four";
    // o n e _ t w o , t h r e e _ SL f o u r
    // 0 1 2 3 4 5 6 7 8 9 ...  13 14 15
    struct {
        int index;
        bool boundary;
    } cases[] = {{0, true}, {1, false}, {3, false}, {4, true}, {7, true}, {8, true},
                 {13, false}, {14, false}, {15, true}, {19, true}};
    for (const auto& c : cases)
        EXPECT_EQ(IsWordBoundary(text, c.index, -1), c.boundary) << c.index;
    EXPECT_EQ(NextWordBoundary(text, 0, -1), 4);
    EXPECT_EQ(PrevWordBoundary(text, 6, -1), 4);
    int start = 0, end = 0;
    GetWordRange(text, 5, start, end, false, -1);
    EXPECT_EQ(start, 4);
    EXPECT_EQ(end, 7);
    GetWordRange(text, 9, start, end, true, -1);
    EXPECT_EQ(start, 8);
    EXPECT_EQ(end, 13);   // blank and soft break trimmed
    EXPECT_TRUE(IsInsideWord(text, 1, -1));
    EXPECT_FALSE(IsInsideWord(text, 4, -1));
    EXPECT_TRUE(IsWrapPoint(text, 15));    // after blank + soft break
    EXPECT_FALSE(IsWrapPoint(text, 9));
    int wrap = 12;
    FindWrapPointBefore(text, wrap);
    EXPECT_EQ(wrap, 4);
}

TEST(MarkupPositions, DigitsAreWordCharacters)
{
    // "ab12-x": letters and digits form one word; the dash starts another.
    const std::string text = "ab12-x";
    struct {
        int index;
        bool boundary;
    } cases[] = {{1, false}, {2, false}, {3, false}, {4, true}, {5, true}};
    for (const auto& c : cases)
        EXPECT_EQ(IsWordBoundary(text, c.index, -1), c.boundary) << c.index;
    EXPECT_TRUE(IsInsideWord(text, 2, -1));
    int start = 0, end = 0;
    GetWordRange(text, 1, start, end, false, -1);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 4);
    EXPECT_FALSE(IsWordChar('-'));
    EXPECT_FALSE(IsWordChar('_'));
}

TEST(MarkupSearch, CaseBlindAndAcrossBreaks)
{
    int start = 0, end = 0;
    ASSERT_TRUE(FindInMarkup("A\\softline B", "ab", false, false, 0, start, end));
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 3);
    EXPECT_TRUE(FindInMarkup("a\\line b", "ab", true, false, 0, start, end));
    EXPECT_FALSE(FindInMarkup("A\\softline B", "ab", true, false, 0, start, end));
    // Clearing bit 0x20 on every character also pairs "@" and "`", "[" and "{".
    EXPECT_TRUE(FindInMarkup("x@y", "x`y", false, false, 0, start, end));
    EXPECT_TRUE(FindInMarkup("a[b", "a{b", false, false, 0, start, end));
    // A partial match resumes just after its first character.
    ASSERT_TRUE(FindInMarkup("aab", "ab", true, false, 0, start, end));
    EXPECT_EQ(start, 1);
    // Whole words only.
    EXPECT_FALSE(FindInMarkup("cart art", "car", false, true, 0, start, end));
    ASSERT_TRUE(FindInMarkup("cart art", "art", false, true, 0, start, end));
    EXPECT_EQ(start, 5);
    EXPECT_EQ(end, 8);
    EXPECT_FALSE(FindInMarkup("abc", "", false, false, 0, start, end));
    EXPECT_FALSE(FindInMarkup("abc", "a", false, false, 4, start, end));
}

TEST(MarkupQueries, FormatPrefixesAndRanges)
{
    uint16_t align = 0x22;
    EXPECT_TRUE(GetAlignFromMarkup("\\qr \\qc x", align));
    EXPECT_EQ(align, 0x21);   // only the first horizontal word counts
    uint16_t untouched = 0x22;
    EXPECT_FALSE(GetAlignFromMarkup("plain", untouched));
    EXPECT_EQ(untouched, 0x22);

    COLORREF color = 0;
    EXPECT_TRUE(GetColorFromMarkup("\\red1\\green2\\blue3\\red4\\blue5", color));
    EXPECT_EQ(color, RGB(4, 2, 5));
    std::string face;
    EXPECT_TRUE(GetFontNameFromMarkup("\\fs20\\f0 Courier New;\\red0", face));
    EXPECT_EQ(face, "Courier New");
    EXPECT_FALSE(GetFontNameFromMarkup("\\f0 Arial", face));

    TextFormatRec format;
    format.Init();
    RangeFormat r;
    ASSERT_TRUE(GetRangeFormat("ab\\b1 cd\\b0 ef", 3, 4, &format, r));
    EXPECT_EQ(r.bold, 1);
    ASSERT_TRUE(GetRangeFormat("ab\\b1 cd\\b0 ef", 1, 4, &format, r));
    EXPECT_EQ(r.bold, 0);   // mixed

    LOGFONT lf;
    lf.lfHeight = -12;
    EXPECT_EQ(SmallestFontSizeInUse("a\\fs16 b\\fs8 ", lf), 8);   // the 4 point size has no character
    EXPECT_EQ(SmallestFontSizeInUse("a\\fs16 b", lf), 8);
    EXPECT_EQ(SmallestFontSizeInUse("a\\fs16 b\\fs4 \\line", lf), 2);
    // Sizes below one point, and a font without a height, still give one point.
    EXPECT_EQ(SmallestFontSizeInUse("\\fs1 a\\fs0 b\\fs-6 c", lf), 1);
    LOGFONT none;
    none.lfHeight = 0;
    EXPECT_EQ(SmallestFontSizeInUse("a", none), 1);

    EXPECT_TRUE(IsLongText("a\\line b\\line c"));
    EXPECT_TRUE(IsLongText(std::string(32, 'x')));
    EXPECT_FALSE(IsLongText(std::string(31, 'x')));
    EXPECT_TRUE(IsLongText("short\\line " + std::string(19, 'y')));
    EXPECT_FALSE(IsLongText("short\\line " + std::string(18, 'y')));
    EXPECT_TRUE(MarkupHasFormatting("a\\b1 b"));
    EXPECT_FALSE(MarkupHasFormatting("a\\line b\\sect c"));
}

} // namespace
