// Wrapping text to a width with soft breaks, and figure sizes for text sizes.
#include "richtext/MarkupPositions.h"
#include "richtext/TextFitting.h"
#include "RichTextTestSupport.h"

#include <gtest/gtest.h>

namespace {

TextFormatRec Mono()
{
    return MakeTextFormat("Courier New", 10, 0);
}

constexpr int kAdv = 21;   // Liberation Mono at 10 points

struct Wrap {
    std::string text;
    int caret = 0, selStart = 0, selEnd = 0;
    bool changed = false;
    bool ok = false;
    Wrap(std::string t, int widthChars, int caretAt = 0) : text(std::move(t)), caret(caretAt)
    {
        ok = FitTextToArea(text, CRect(0, 0, widthChars * kAdv + kAdv / 2, 100), Mono(), false, caret, selStart,
                           selEnd, changed);
    }
};

TEST(FitTextToArea, BreaksTable)
{
    struct {
        const char* in;
        int width;
        const char* out;
    } cases[] = {
        {"hello world", 11, "hello world"},                           // fits
        {"hello world", 8, "hello \\softline world"},                 // at the word end, blank stays
        {"hello world", 6, "hello \\softline world"},                 // the blank hangs
        {"hello world", 5, "hello \\softline world"},
        {"abcdefgh", 3, "abc\\softline def\\softline gh"},            // inside a long word
        {"a  b", 1, "a  \\softline b"},                               // on spaces
        {"ab\\line cdefg", 3, "ab\\line cde\\softline fg"},           // hard breaks stay
        {"hello \\softline world", 20, "hello world"},                // widened: soft break goes
        {"ab\\softline ", 10, "ab"},                                  // final soft break goes
        {"", 5, ""},
    };
    for (const auto& c : cases) {
        Wrap w(c.in, c.width);
        EXPECT_TRUE(w.ok) << c.in;
        EXPECT_EQ(w.text, c.out) << c.in << " @" << c.width;
    }
}

TEST(FitTextToArea, RewrapIsStableAndMovesCaret)
{
    Wrap first("one two three four", 9, 14);
    ASSERT_TRUE(first.changed);
    EXPECT_EQ(first.text, "one two \\softline three \\softline four");
    EXPECT_EQ(first.caret, 16);   // both breaks are inserted at or before it
    Wrap again(first.text, 9, first.caret);
    EXPECT_FALSE(again.changed);
    EXPECT_EQ(again.text, first.text);
    // Widening removes the breaks and moves the caret back over each.
    Wrap wide(first.text, 40, 17);
    EXPECT_TRUE(wide.changed);
    EXPECT_EQ(wide.text, "one two three four");
    EXPECT_EQ(wide.caret, 15);
}

TEST(FitTextToArea, NarrowVerticalAndCaretOnABreak)
{
    // An area narrower than one character still takes one character a line.
    Wrap narrow("abc", 0);
    EXPECT_TRUE(narrow.ok);
    EXPECT_EQ(narrow.text, "a\\softline b\\softline c");
    // Rotated text wraps to the rectangle's height, not its width.
    std::string text = "hello world";
    int caret = 0, selStart = 0, selEnd = 0;
    bool changed = false;
    ASSERT_TRUE(FitTextToArea(text, CRect(0, 0, 40 * kAdv, 8 * kAdv + kAdv / 2), Mono(), true, caret, selStart,
                              selEnd, changed));
    EXPECT_EQ(text, "hello \\softline world");
    EXPECT_TRUE(changed);
    // A caret left on a soft break steps past it.
    Wrap onBreak("hello \\softline world", 8, 6);
    EXPECT_FALSE(onBreak.changed);
    EXPECT_EQ(onBreak.caret, 7);
}

TEST(FitTextToArea, RefusesToPassTheLengthLimit)
{
    // Every break needs 10 characters; 400 words of 9 letters cannot all be
    // broken within 4095 characters.
    std::string text;
    for (int i = 0; i < 400; ++i)
        text += "abcdefgh ";
    Wrap w(text, 3, 5);
    EXPECT_FALSE(w.ok);
    EXPECT_EQ(w.text, text);
    EXPECT_EQ(w.caret, 5);
    EXPECT_FALSE(w.changed);
}

class FigureFitTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(doc.OnNewDocument()); }
    CKavoDoc doc;
};

TEST_F(FigureFitTest, FigureSizeForTextSize)
{
    const CFigProps props = BoxProps(AddBoxSymbol(doc, {CFltRect(10, 10, 90, 90)}));
    CFigure fig(0, 0, 200, 400, props, -1, 0, "x", "", CFigure::CreateArgs(), &doc);
    ASSERT_GT(fig.GetTextAreaCount(), 0);
    CRect box;
    ASSERT_TRUE(fig.GetTextAreaRect(0, box));
    EXPECT_EQ(FigWidthForTextWidth(fig, 0, 0, false), 0);
    EXPECT_EQ(FigWidthForTextWidth(fig, 5, 100, false), -1);
    // The width found gives the text box the wanted width.
    for (int wanted : {100, 250, 900}) {
        const int w = FigWidthForTextWidth(fig, 0, wanted, false);
        CFigure probe(0, 0, 200, w, props, -1, 0, "x", "", CFigure::CreateArgs(), &doc);
        CRect r;
        ASSERT_TRUE(probe.GetTextAreaRect(0, r));
        EXPECT_NEAR(r.Width(), wanted, 1) << wanted;
        const int h = FigHeightForTextHeight(fig, 0, wanted, true);
        CFigure tall(0, 0, h, 400, props, -1, 0, "x", "", CFigure::CreateArgs(), &doc);
        ASSERT_TRUE(tall.GetTextAreaRect(0, r));
        EXPECT_NEAR(r.Height(), wanted, 1) << wanted;
    }
}

} // namespace
