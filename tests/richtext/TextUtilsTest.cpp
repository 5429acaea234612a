// Sections, plain text, breaks, numbered names and addresses.
#include "richtext/MarkupPositions.h"
#include "richtext/TextUtils.h"

#include <gtest/gtest.h>

namespace {

TEST(TextUtils, OffsetEdits)
{
    std::string t = "abcdef";
    EXPECT_TRUE(DeleteStringRange(t, 2, 2));
    EXPECT_EQ(t, "abcdef");
    EXPECT_FALSE(DeleteStringRange(t, 2, 9));
    EXPECT_FALSE(DeleteStringRange(t, 4, 2));
    EXPECT_TRUE(DeleteStringRange(t, 1, 3));
    EXPECT_EQ(t, "adef");
    EXPECT_TRUE(InsertCharAtOffset(t, 4, 'g'));
    EXPECT_FALSE(InsertStringAtOffset(t, 6, "x"));
    EXPECT_TRUE(DeleteCharAtOffset(t, 0));
    EXPECT_EQ(t, "defg");
}

TEST(TextUtils, Sections)
{
    const std::string sep = "\\sect ";
    std::string out = "x";
    ExtractSubStringByDelim("one\\sect two", sep, 2, out);
    EXPECT_EQ(out, "");
    ExtractSubStringByDelim("one\\sect two", sep, 1, out);
    EXPECT_EQ(out, "two");
    std::string text = "one";
    ASSERT_TRUE(ReplaceSubStringByDelim(text, sep, 3, "four", 4095));
    EXPECT_EQ(text, "one\\sect \\sect \\sect four");
    ASSERT_TRUE(ReplaceSubStringByDelim(text, sep, 1, "TWO", 4095));
    EXPECT_EQ(text, "one\\sect TWO\\sect \\sect four");
    EXPECT_FALSE(ReplaceSubStringByDelim(text, sep, 1, std::string(5000, 'x'), 4095));
    EXPECT_EQ(text, "one\\sect TWO\\sect \\sect four");
    ASSERT_TRUE(ReplaceSubStringByDelim(text, sep, -1, "all", 4095));
    EXPECT_EQ(text, "all");
    EXPECT_FALSE(ReplaceSubStringByDelim(text, sep, -1, "toolong", 3));
    // The limit may be reached exactly, by the whole text and by one piece.
    struct {
        int n;
        const char* piece;
        int maxLength;
        bool ok;
    } limits[] = {{-1, "abc", 3, true}, {-1, "abcd", 3, false}, {1, "xy", 9, true}, {1, "xyz", 9, false}};
    for (const auto& c : limits) {
        std::string t = "a\\sect b";   // 8 characters; piece 1 is "b"
        EXPECT_EQ(ReplaceSubStringByDelim(t, sep, c.n, c.piece, c.maxLength), c.ok) << c.piece;
        EXPECT_LE(int(t.size()), std::max(c.maxLength, 8)) << c.piece;
    }
    int pos = 0, length = 0;
    EXPECT_EQ(FindNthSubStringPos("a\\sect b", sep, 5, pos, length), 1);
    EXPECT_EQ(length, 0);
}

TEST(TextUtils, EscapedBackslashIsNoBreakOrSection)
{
    // The user typed C:\lines and C:\sections: stored with an escaped backslash.
    std::string text = "C:\\\\lines";
    ConvertLineBreaksToSoft(text);
    EXPECT_EQ(text, "C:\\\\lines");
    std::string soft = "C:\\\\softline x";
    ConvertSoftBreaksToLines(soft);
    EXPECT_EQ(soft, "C:\\\\softline x");
    std::string out;
    ExtractSubStringByDelim("C:\\\\sect one\\sect two", "\\sect ", 1, out);
    EXPECT_EQ(out, "two");
    ExtractSubStringByDelim("C:\\\\sect one\\sect two", "\\sect ", 0, out);
    EXPECT_EQ(out, "C:\\\\sect one");
}

TEST(TextUtils, PlainTextConversions)
{
    std::string t = "\\\r\n{x}";
    PlainTextToMarkup(t);
    EXPECT_EQ(t, "\\\\\\line \\{x\\}");
    MarkupToPlainText(t);
    EXPECT_EQ(t, "\\\r\n{x}");
    // A Qt edit's bare line feeds are line breaks too.
    std::string edited = "a\nb\r\nc";
    PlainTextToMarkup(edited);
    EXPECT_EQ(edited, "a\\line b\\line c");

    std::string paste = "a\tb\r\nc\rd{";
    EXPECT_TRUE(PlainTextToMarkupForPaste(paste));
    EXPECT_EQ(paste, "ab\\line cd\\{");
    std::string clean = "ab";
    EXPECT_FALSE(PlainTextToMarkupForPaste(clean));

    std::string m = "{\\colortbl \\red0\\green0\\blue0;}\\b1 a\\softline b\\line c";
    MarkupToClipboardText(m);
    EXPECT_EQ(m, "ab\r\nc");
}

TEST(TextUtils, BreakConversionsRoundTrip)
{
    std::string t = "ab\\line cd";
    ConvertLineBreaksToSoft(t);
    EXPECT_EQ(t, "ab \\softline cd");
    ConvertSoftBreaksToLines(t);
    EXPECT_EQ(t, "ab\\line cd");
    std::string bare = "ab\\softline cd";
    ConvertSoftBreaksToLines(bare);
    EXPECT_EQ(bare, "ab\\line cd");
}

TEST(TextUtils, SmallHelpers)
{
    EXPECT_TRUE(IsBlankString(""));
    EXPECT_TRUE(IsBlankString(" \t "));
    EXPECT_FALSE(IsBlankString(" x"));
    std::string r = "a-b-c";
    ReplaceChar(r, '-', '+');
    EXPECT_EQ(r, "a+b+c");
    ReplaceAllSubStrings(r, "+", "--");
    EXPECT_EQ(r, "a--b--c");
    ReplaceAllSubStrings(r, "", "x");
    EXPECT_EQ(r, "a--b--c");
    EXPECT_TRUE(ConsistsOfSubString("\\sect \\sect ", "\\sect "));
    EXPECT_TRUE(ConsistsOfSubString("", "\\sect "));
    EXPECT_FALSE(ConsistsOfSubString("\\sect x", "\\sect "));
    EXPECT_TRUE(ContainsChar("abc", 'b'));

    struct {
        const char* in;
        char sep;
        const char* out;
    } names[] = {{"", ' ', "1"},          {"Figure", ' ', "Figure 1"}, {"Figure 1", ' ', "Figure 2"},
                 {"12", ' ', "13"},       {"Fig7", ' ', "Fig7 1"},     {"Step:9", ':', "Step:10"},
                 {"99999999999999999999", ' ', "2147483647"}};
    for (const auto& n : names) {
        std::string name = n.in;
        IncrementTrailingNumber(name, n.sep);
        EXPECT_EQ(name, n.out) << n.in;
    }
}

TEST(TextUtils, AddressSchemes)
{
    // Case-blind schemes and host prefixes; three characters are never an address.
    struct {
        const char* text;
        bool url;
    } cases[] = {{"https://example.org", true}, {"HTTPS:x", true}, {"ftp:x", true},
                 {"FILE:x", true},              {"http:", true},   {"Http", false},
                 {"ftp.example", true},         {"www", false},    {"wwwx.example", false},
                 {"mailto:x", false},           {"htt", false},    {"", false}};
    for (const auto& c : cases)
        EXPECT_EQ(LooksLikeUrl(c.text), c.url) << c.text;
}

TEST(TextUtils, ReplacementsDoNotOverlap)
{
    struct {
        const char* text;
        const char* find;
        const char* replacement;
        const char* out;
    } cases[] = {{"aaaa", "aa", "b", "bb"},
                 {"aaa", "aa", "b", "ba"},
                 {"xaay", "aa", "aaa", "xaaay"},
                 {"ab", "abc", "z", "ab"}};
    for (const auto& c : cases) {
        std::string text = c.text;
        ReplaceAllSubStrings(text, c.find, c.replacement);
        EXPECT_EQ(text, c.out) << c.text << " / " << c.find;
    }
}

TEST(TextUtils, PathsAndAddresses)
{
    EXPECT_TRUE(IsRelativePathWithDir("dir\\file.kvd"));
    EXPECT_FALSE(IsRelativePathWithDir("file.kvd"));
    EXPECT_FALSE(IsRelativePathWithDir("\\dir\\file.kvd"));
    EXPECT_FALSE(IsRelativePathWithDir("c:dir\\file"));
    EXPECT_FALSE(IsRelativePathWithDir(""));
    EXPECT_TRUE(LooksLikeUrl("HTTP://example.org"));
    EXPECT_TRUE(LooksLikeUrl("www.example.org"));
    EXPECT_TRUE(LooksLikeUrl("File:x"));
    EXPECT_FALSE(LooksLikeUrl("www"));
    EXPECT_FALSE(LooksLikeUrl("mailto:someone"));
    EXPECT_TRUE(LooksLikeWebHost("FTP.example"));
    EXPECT_FALSE(LooksLikeWebHost("ftp"));
}

} // namespace
