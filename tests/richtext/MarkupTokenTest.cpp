// Tokenizer and scanner of the rich-text markup.
#include "richtext/MarkupQueries.h"
#include "richtext/MarkupScanner.h"
#include "richtext/MarkupToken.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace {

struct TokenCase {
    const char* text;
    int kind;
    char ch;
    int param;
    int length;
};

TEST(MarkupToken, TableOfTokens)
{
    const TokenCase cases[] = {
        {"", Mk::End, 0, 0, 1},
        {"x", Mk::Char, 'x', 0, 1},
        {"{", Mk::GroupOpen, '{', 0, 1},
        {"}", Mk::GroupClose, '}', 0, 1},
        {"\\\\b", Mk::Char, '\\', 0, 2},
        {"\\{", Mk::Char, '{', 0, 2},
        {"\\}", Mk::Char, '}', 0, 2},
        {"\\b", Mk::Bold, 'b', 0, 2},
        {"\\b1", Mk::Bold, 'b', 1, 3},
        {"\\b0 x", Mk::Bold, 'b', 0, 4},          // one space belongs to the word
        {"\\b0  x", Mk::Bold, 'b', 0, 4},         // only one
        {"\\bold", Mk::Unrecognised, 'b', 0, 5},  // letter count decides
        {"\\fs1-2 ", Mk::FontSize, 'f', 1, 7},    // atoi reading of the run
        {"\\fs-4", Mk::FontSize, 'f', -4, 5},
        {"\\B", Mk::Unrecognised, 'B', 0, 1},
        {"\\ x", Mk::Unrecognised, ' ', 0, 2},
        {"\\", Mk::Unrecognised, 0, 0, 1},
        {"\\line", Mk::Line, 'l', 0, 5},
        {"\\softline ", Mk::SoftLine, 's', 0, 10},
        {"\\sect ", Mk::Sect, 's', 0, 6},
        {"\\cf3", Mk::ColorIndex, 'c', 3, 4},
        {"\\colortbl ", Mk::ColorTable, 'c', 0, 10},
        {"\\fonttbl", Mk::FontTable, 'f', 0, 8},
        {"\\nosupersub", Mk::NoSuperSub, 'n', 0, 11},
        {"\\vertalc", Mk::VAlignCenter, 'v', 0, 8},
        {"\\qr", Mk::AlignRight, 'q', 0, 3},
        {"\\super", Mk::Super, 's', 0, 6},
        {"\\red255", Mk::Red, 'r', 255, 7},
        // A digit run far past the int range saturates instead of overflowing.
        {"\\fs99999999999999999999", Mk::FontSize, 'f', INT_MAX, 23},
        {"\\fs-99999999999999999999", Mk::FontSize, 'f', INT_MIN, 24},
    };
    for (const TokenCase& c : cases) {
        char ch = 0;
        int param = -7, length = -7;
        EXPECT_EQ(NextMarkupToken(c.text, ch, param, length), c.kind) << c.text;
        if (c.kind != Mk::End) {
            EXPECT_EQ(ch, c.ch) << c.text;
        }
        EXPECT_EQ(param, c.param) << c.text;
        EXPECT_EQ(length, c.length) << c.text;
    }
    char ch;
    int param, length;
    EXPECT_EQ(NextMarkupToken(nullptr, ch, param, length), Mk::End);
}

// Scans a whole text with a format and returns the scanner's current values.
void ScanAll(const std::string& text, MarkupScanner& s, const TextFormatRec* format = nullptr)
{
    TextFormatRec f;
    f.Init();
    ASSERT_TRUE(ScanMarkupRange(text, 0, int(text.size()), format ? format : &f, s));
}

TEST(MarkupScanner, FormatWords)
{
    MarkupScanner s;
    ScanAll("\\b1 \\i1 \\ul1 x\\b", s);
    EXPECT_EQ(s.bold.current, 0);   // "\b" alone turns bold off
    EXPECT_EQ(s.italic.current, 1);
    EXPECT_EQ(s.underline.current, 1);

    MarkupScanner sizes;
    ScanAll("\\fs21 x", sizes);
    EXPECT_EQ(sizes.size.current, 10);
    MarkupScanner negative;
    ScanAll("\\fs-4 x", negative);
    EXPECT_EQ(negative.size.current, -2);

    MarkupScanner script;
    ScanAll("\\super x\\sub y", script);
    EXPECT_EQ(script.sub.current, 1);
    EXPECT_EQ(script.super.current, 0);

    // The last alignment word wins in a scan.
    MarkupScanner align;
    ScanAll("\\qr \\qc \\vertalb x", align);
    EXPECT_EQ(align.align.current, 0x12);
}

TEST(MarkupScanner, ColourAndFontTables)
{
    MarkupScanner red;
    ScanAll("{\\colortbl \\red255\\green0\\blue0;}\\cf0 x", red);
    EXPECT_EQ(red.color.current, RGB(255, 0, 0));
    MarkupScanner beyond;
    ScanAll("{\\colortbl \\red1\\green2\\blue3;}\\cf5 x", beyond);
    EXPECT_EQ(beyond.color.current, RGB(1, 2, 3));
    MarkupScanner none;
    ScanAll("\\cf0 x", none);
    EXPECT_EQ(none.color.changed, false);

    TextFormatRec fixed;
    fixed.Init();
    fixed.colorFixed = 1;
    fixed.color = RGB(9, 9, 9);
    MarkupScanner blocked;
    ScanAll("{\\colortbl \\red255\\green0\\blue0;}\\cf0 x", blocked, &fixed);
    EXPECT_EQ(blocked.color.current, RGB(9, 9, 9));

    MarkupScanner fonts;
    ScanAll("{\\fonttbl {\\f0 Arial;}{\\f1 Courier New;}}\\f1 x", fonts);
    EXPECT_EQ(fonts.fontCount, 2);
    EXPECT_STREQ(fonts.face.current, "Courier New");
    EXPECT_STREQ(fonts.baseFont.lfFaceName, "Courier New");

    // A face number outside the table, the count itself or below zero, takes entry 0.
    for (const char* word : {"\\f2 x", "\\f-1 x", "\\f99 x"}) {
        MarkupScanner outside;
        ScanAll(std::string("{\\fonttbl {\\f0 Arial;}{\\f1 Courier New;}}\\f1 a") + word, outside);
        EXPECT_STREQ(outside.face.current, "Arial") << word;
    }
}

TEST(MarkupScanner, TableLimitsHoldAgainstHostileInput)
{
    // 25 colours: 20 kept. A face name of 60 letters: cut to 31.
    std::string text = "{\\colortbl ";
    for (int i = 0; i < 25; ++i)
        text += "\\red" + std::to_string(i) + "\\green0\\blue0;";
    text += "}{\\fonttbl {\\f0 " + std::string(60, 'N') + ";}}";
    MarkupScanner s;
    ScanAll(text, s);
    EXPECT_EQ(s.colorCount, kMarkupTableMax);
    ASSERT_EQ(s.fontCount, 1);
    EXPECT_EQ(std::string(s.fontTable[0]), std::string(31, 'N'));
    // Deep and unbalanced groups: the stack of five holds, stray closes are ignored.
    MarkupScanner deep;
    ScanAll("}}}{{{{{{{{x}}}}}}}}}}y", deep);
    EXPECT_EQ(deep.depth, 0);
    EXPECT_TRUE(deep.InText());
}

TEST(MarkupScanner, InitFromFormat)
{
    MarkupScanner fresh;
    EXPECT_EQ(fresh.align.current, 0x22);
    fresh.Init(nullptr);
    EXPECT_EQ(fresh.align.current, 0x44);
    EXPECT_EQ(fresh.baseFont.lfHeight, -8);
    EXPECT_STREQ(fresh.baseFont.lfFaceName, "Arial");

    TextFormatRec f;
    f.Init();
    f.font.lfHeight = -12;
    f.font.lfWeight = 600;   // only 700 counts as bold
    f.font.lfItalic = 1;
    SetLogFontFace(f.font, "Liberation Serif");
    f.align = 0x12;
    MarkupScanner s;
    s.Init(&f);
    EXPECT_EQ(s.bold.committed, 0);
    EXPECT_EQ(s.italic.committed, 1);
    EXPECT_EQ(s.size.committed, 12);
    EXPECT_STREQ(s.face.committed, "Liberation Serif");
    EXPECT_EQ(s.align.committed, 0x12);
}

TEST(MarkupScanner, ApplyToLogFontShrinksScripts)
{
    MarkupScanner s;
    TextFormatRec f;
    f.Init();
    f.font.lfHeight = -10;
    s.Init(&f);
    s.ApplyToken(Mk::Sub, 's', 0);
    LOGFONT lf = f.font;
    EXPECT_TRUE(s.ApplyToLogFont(lf));
    EXPECT_EQ(lf.lfHeight, -6);
    s.ApplyToken(Mk::NoSuperSub, 'n', 0);
    EXPECT_TRUE(s.ApplyToLogFont(lf));
    EXPECT_EQ(lf.lfHeight, -10);
    EXPECT_FALSE(s.ApplyToLogFont(lf));   // flags were cleared
}

} // namespace
