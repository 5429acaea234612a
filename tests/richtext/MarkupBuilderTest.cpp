// Format prefixes, format codes, tables, normalisation and range operations.
#include "richtext/MarkupBuilder.h"
#include "richtext/MarkupPositions.h"
#include "richtext/MarkupQueries.h"
#include "richtext/TextUtils.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TextFormatRec PlainFormat()
{
    return MakeTextFormat("Arial", 10, 0x44, 0);
}

std::string Visible(std::string text)
{
    MarkupToPlainText(text);
    return text;
}

TEST(MarkupBuilder, FontPrefixOrderAndReadBack)
{
    LOGFONT lf;
    lf.lfHeight = -10;
    SetLogFontFace(lf, "Arial");
    std::string prefix;
    ASSERT_TRUE(BuildMarkupFontPrefix(prefix, 0x44, lf, RGB(0, 0, 0), kMarkupPrefixLimit));
    EXPECT_EQ(prefix, "\\vertalt \\ql \\b0\\i0\\ul0\\fs20\\f0 Arial;\\red0\\green0\\blue0");

    // Read back through a text format.
    LOGFONT bold = lf;
    bold.lfWeight = 700;
    bold.lfItalic = 1;
    bold.lfHeight = -14;
    SetLogFontFace(bold, "Liberation Serif");
    ASSERT_TRUE(BuildMarkupFontPrefix(prefix, 0x12, bold, RGB(10, 20, 30), kMarkupPrefixLimit));
    TextFormatRec f;
    f.Init();
    f.SetFromMarkup(prefix);
    EXPECT_EQ(f.align, 0x12);
    EXPECT_EQ(f.font.lfWeight, 700);
    EXPECT_EQ(f.font.lfItalic, 1);
    EXPECT_EQ(f.font.lfHeight, -14);
    EXPECT_STREQ(f.font.lfFaceName, "Liberation Serif");
    EXPECT_EQ(f.color, RGB(10, 20, 30));
    // An 8 point prefix read into a format without a font.
    ASSERT_TRUE(BuildMarkupFontPrefix(prefix, 0x44, lf, 0, kMarkupPrefixLimit));
    prefix.replace(prefix.find("\\fs20"), 5, "\\fs16");
    TextFormatRec small;
    small.Init();
    small.SetFromMarkup(prefix);
    EXPECT_EQ(small.font.lfHeight, -8);
    EXPECT_STREQ(small.font.lfFaceName, "Arial");
    // The limit is respected.
    EXPECT_FALSE(BuildMarkupFontPrefix(prefix, 0x44, lf, 0, 10));
}

TEST(MarkupBuilder, ApplyBoldToMiddleWord)
{
    const TextFormatRec f = PlainFormat();
    std::string text = "one two three";
    FormatRequest bold;
    bold.bold = 1;
    ASSERT_TRUE(ApplyFormatToRange(text, 4, 7, &f, bold, kMarkupTextLimit, false));
    EXPECT_EQ(text, "one \\b1 two\\b0  three");
    // Applying it again changes nothing visible and keeps one pair of words.
    ASSERT_TRUE(ApplyFormatToRange(text, 4, 7, &f, bold, kMarkupTextLimit, false));
    NormalizeMarkup(text, &f, kMarkupTextLimit, false);
    EXPECT_EQ(text, "one \\b1 two\\b0  three");
}

TEST(MarkupBuilder, ApplyColourBuildsTableWithDefaultFirst)
{
    TextFormatRec f = PlainFormat();
    f.color = RGB(0, 0, 0);
    std::string text = "ab";
    FormatRequest red;
    red.color = RGB(255, 0, 0);
    ASSERT_TRUE(ApplyFormatToRange(text, 1, 2, &f, red, kMarkupTextLimit, false));
    EXPECT_EQ(text, "{\\colortbl \\red0\\green0\\blue0;\\red255\\green0\\blue0;}a\\cf1 b");
    MarkupScanner s;
    ASSERT_TRUE(ScanMarkupCharRange(text, 1, 2, &f, s, false));
    EXPECT_EQ(s.color.current, RGB(255, 0, 0));
}

TEST(MarkupBuilder, NormalizeTable)
{
    const TextFormatRec f = PlainFormat();
    struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"\\b1\\b1 x", "\\b1 x"},                 // repeated word before a character
        {"x\\fs20", "x"},                         // size that no character follows
        {"a\\foo b", "ab"},                       // unrecognised word
        {"a\\b0 b", "ab"},                        // changes nothing
        {"a\\b1 b\\b1 c", "a\\b1 bc"},            // redundant repeat after a character
        {"{\\colortbl \\red1\\green2\\blue3;\\red1\\green2\\blue3;}\\cf0 a\\cf1 b",
         "{\\colortbl \\red1\\green2\\blue3;}\\cf0 ab"},   // duplicate colours merged
        {"{\\colortbl \\red1\\green2\\blue3;\\red4\\green5\\blue6;\\red7\\green8\\blue9;}\\cf1 a",
         "{\\colortbl \\red1\\green2\\blue3;\\red4\\green5\\blue6;}\\cf1 a"},   // unused entry dropped
        {"ab\\softline ", "ab"},
    };
    for (const auto& c : cases) {
        std::string text = c.in;
        EXPECT_TRUE(NormalizeMarkup(text, &f, kMarkupTextLimit, false)) << c.in;
        EXPECT_EQ(text, c.out) << c.in;
    }
}

TEST(MarkupBuilder, NormalizeKeepsLeadingWordsOnlyWhenAsked)
{
    // Words that change nothing go, except those before the first character when
    // the leading words are kept (an extracted range keeps its complete format).
    const TextFormatRec f = PlainFormat();
    struct {
        const char* in;
        bool keepLeading;
        const char* out;
    } cases[] = {
        {"\\b0 a\\b0 b", true, "\\b0 ab"},
        {"\\b0 a\\b0 b", false, "ab"},
        {"\\i0\\ul0 a\\i0 b", true, "\\i0\\ul0 ab"},
    };
    for (const auto& c : cases) {
        std::string text = c.in;
        EXPECT_TRUE(NormalizeMarkup(text, &f, kMarkupTextLimit, c.keepLeading)) << c.in;
        EXPECT_EQ(text, c.out) << c.in << " keepLeading " << c.keepLeading;
    }
}

TEST(MarkupBuilder, CompactionNeedsTableFirst)
{
    std::string text = "x{\\colortbl \\red1\\green2\\blue3;\\red4\\green5\\blue6;}\\cf1 a";
    EXPECT_FALSE(CompactMarkupColorTable(text, kMarkupTextLimit, false));
    std::string fonts = "{\\fonttbl {\\f0 Arial;}{\\f1 Courier New;}{\\f2 Arial;}}\\f2 a\\f1 b";
    // Entry 0 is kept while any entry is used: nothing to remove.
    EXPECT_FALSE(CompactMarkupFontTable(fonts, kMarkupTextLimit, true));
    // Without that, entry 0 goes and the words are renumbered.
    EXPECT_TRUE(CompactMarkupFontTable(fonts, kMarkupTextLimit, false));
    EXPECT_EQ(fonts, "{\\fonttbl {\\f0 Courier New;}{\\f1 Arial;}}\\f1 a\\f0 b");
}

TEST(MarkupBuilder, TablesSpansAndNumbers)
{
    const std::string text = "{\\colortbl \\red1\\green2\\blue3;}{\\fonttbl {\\f0 Arial;}}x";
    int offset = 0, length = 0;
    ASSERT_TRUE(FindColorTableSpan(text, offset, length));
    EXPECT_EQ(text.substr(size_t(offset), size_t(length)), "{\\colortbl \\red1\\green2\\blue3;}");
    ASSERT_TRUE(FindFontTableSpan(text, offset, length));
    EXPECT_EQ(text.substr(size_t(offset), size_t(length)), "{\\fonttbl {\\f0 Arial;}}");
    EXPECT_FALSE(FindFontTableSpan("x", offset, length));

    std::string words = "\\fs20 x";
    EXPECT_EQ(SetControlWordNumber(words, 0, 144, 100), 7);
    EXPECT_EQ(words, "\\fs144 x");
    EXPECT_EQ(SetControlWordNumber(words, 0, 12345, 8), -1);
    EXPECT_EQ(SetControlWordNumber(words, 6, 1, 100), -1);   // not a numbered word

    // The space that delimits the previous word stays.
    std::string t = "\\b1\\i1 x";
    EXPECT_EQ(DeleteTokenAt(t, 3), 3);
    EXPECT_EQ(t, "\\b1 x");
    std::string u = "a\\i1 x";
    EXPECT_EQ(DeleteTokenAt(u, 1), 4);
    EXPECT_EQ(u, "ax");
    EXPECT_EQ(DeleteTokenAt(u, 5), 0);
}

TEST(MarkupBuilder, PasteMergesTablesOrRefuses)
{
    TextFormatRec f = PlainFormat();
    std::string text = "{\\colortbl \\red0\\green0\\blue0;}{\\fonttbl {\\f0 Arial;}}ab";
    const std::string paste = "{\\colortbl \\red0\\green0\\blue0;\\red9\\green9\\blue9;}{\\fonttbl {\\f0 Arial;}}"
                              "\\cf1 Z";
    ASSERT_TRUE(InsertMarkupAt(text, &f, paste, 1, kMarkupTextLimit));
    EXPECT_EQ(Visible(text), "aZb");
    MarkupScanner s;
    ReadMarkupTables(text, s);
    ASSERT_EQ(s.colorCount, 2);
    EXPECT_EQ(s.colorTable[1], RGB(9, 9, 9));
    MarkupScanner z;
    ASSERT_TRUE(ScanMarkupCharRange(text, 1, 2, &f, z, false));
    EXPECT_EQ(z.color.current, RGB(9, 9, 9));
    MarkupScanner b;
    ASSERT_TRUE(ScanMarkupCharRange(text, 2, 3, &f, b, false));
    EXPECT_EQ(b.color.current, RGB(0, 0, 0));

    // A full table refuses the paste and leaves the text alone.
    std::string full = "{\\colortbl ";
    for (int i = 0; i < 20; ++i)
        full += "\\red" + std::to_string(i) + "\\green0\\blue0;";
    full += "}ab";
    const std::string before = full;
    EXPECT_FALSE(InsertMarkupAt(full, &f, paste, 1, kMarkupTextLimit));
    EXPECT_EQ(full, before);
    EXPECT_TRUE(InsertMarkupAt(full, &f, "", 1, kMarkupTextLimit));
    EXPECT_FALSE(InsertMarkupAt(full, &f, paste, 9, kMarkupTextLimit));
    EXPECT_FALSE(InsertMarkupAt(full, nullptr, paste, 1, kMarkupTextLimit));
}

// A face read from markup may hold escaped braces and backslashes; every
// writer of a face (font table, format prefix) escapes them again, so that
// the text keeps its groups and the face reads back as it was.
TEST(MarkupBuilder, FacesWithBracesAreWrittenEscaped)
{
    const TextFormatRec f = PlainFormat();
    for (const char* face : {"}", "{", "\\", "a}b{c\\d"}) {
        SCOPED_TRACE(face);
        char faces[1][kMarkupFaceLen] = {};
        std::strncpy(faces[0], face, kMarkupFaceLen - 1);
        std::string text = "Start";
        ASSERT_TRUE(WriteFontTable(text, 1, faces));
        MarkupScanner s;
        ReadMarkupTables(text, s);
        ASSERT_EQ(s.fontCount, 1);
        EXPECT_STREQ(s.fontTable[0], face);
        EXPECT_EQ(Visible(text), "Start");

        LOGFONT lf;
        lf.lfHeight = -10;
        SetLogFontFace(lf, face);
        std::string prefix;
        ASSERT_TRUE(BuildMarkupFontPrefix(prefix, 0x44, lf, RGB(0, 0, 0), kMarkupPrefixLimit));
        std::string read;
        ASSERT_TRUE(GetFontNameFromMarkup(prefix, read));
        EXPECT_EQ(read, face) << prefix;
    }
    // The program's own clipboard markup with an escaped brace as its only
    // face: pasting it adds that face to the table, escaped, and the text
    // keeps its one visible word.
    std::string text = "{\\colortbl \\red0\\green0\\blue0;}{\\fonttbl {\\f0 Arial;}}Start";
    ASSERT_TRUE(InsertMarkupAt(text, &f, "{\\fonttbl {\\f0 \\};}}\\f0 x", 0, kMarkupTextLimit));
    EXPECT_EQ(Visible(text), "xStart");
    MarkupScanner s;
    ReadMarkupTables(text, s);
    ASSERT_EQ(s.fontCount, 2);
    EXPECT_STREQ(s.fontTable[1], "}");
}

TEST(MarkupBuilder, ExtractThenInsertRoundTrip)
{
    TextFormatRec f = PlainFormat();
    std::string text = "{\\colortbl \\red0\\green0\\blue0;\\red255\\green0\\blue0;}{\\fonttbl {\\f0 Arial;}}"
                       "one \\b1\\cf1 two\\b0\\cf0  three";
    std::string piece;
    ASSERT_TRUE(ExtractRangeAsMarkup(text, piece, &f, 4, 7));
    EXPECT_EQ(Visible(piece), "two");
    std::string target = "{\\colortbl \\red0\\green0\\blue0;}{\\fonttbl {\\f0 Arial;}}xy";
    ASSERT_TRUE(InsertMarkupAt(target, &f, piece, 1, kMarkupTextLimit));
    EXPECT_EQ(Visible(target), "xtwoy");
    RangeFormat r;
    ASSERT_TRUE(GetRangeFormat(target, 1, 4, &f, r));
    EXPECT_EQ(r.bold, 1);
    EXPECT_EQ(r.color, RGB(255, 0, 0));
    ASSERT_TRUE(GetRangeFormat(target, 4, 5, &f, r));
    EXPECT_EQ(r.bold, 0);
    EXPECT_EQ(r.color, RGB(0, 0, 0));
    std::string noTables = "abc";
    EXPECT_FALSE(ExtractRangeAsMarkup(noTables, piece, &f, 0, 1));
}

TEST(MarkupBuilder, ReplaceOverFormattedRangeKeepsFollowingFormat)
{
    // Replacements of every length leave the replacement once, in the format
    // of the first character, and the rest of the text in its own format.
    const TextFormatRec f = PlainFormat();
    for (const char* replacement : {"X", "XYZ", "WXYZ12", ""}) {
        std::string text = "ab\\b1 cd\\b0 ef\\i1 gh";
        ASSERT_TRUE(ReplaceCharRange(text, 1, 5, &f, replacement)) << replacement;
        EXPECT_EQ(Visible(text), std::string("a") + replacement + "fgh") << text;
        const int n = int(std::string(replacement).size());
        RangeFormat r;
        if (n > 0) {
            ASSERT_TRUE(GetRangeFormat(text, 1, 1 + n, &f, r));
            EXPECT_EQ(r.bold, 0) << text;
        }
        ASSERT_TRUE(GetRangeFormat(text, 1 + n, 2 + n, &f, r));   // "f": plain
        EXPECT_EQ(r.bold, 0) << text;
        EXPECT_EQ(r.italic, 0) << text;
        ASSERT_TRUE(GetRangeFormat(text, 2 + n, 4 + n, &f, r));   // "gh": italic
        EXPECT_EQ(r.italic, 1) << text;
    }
    // Starting inside bold text: the replacement is bold, what follows is not.
    std::string text = "ab\\b1 cd\\b0 ef";
    ASSERT_TRUE(ReplaceCharRange(text, 3, 5, &f, "QQQ"));
    EXPECT_EQ(Visible(text), "abcQQQf");
    RangeFormat r;
    ASSERT_TRUE(GetRangeFormat(text, 3, 6, &f, r));
    EXPECT_EQ(r.bold, 1);
    ASSERT_TRUE(GetRangeFormat(text, 6, 7, &f, r));
    EXPECT_EQ(r.bold, 0);
}

TEST(MarkupBuilder, ScaleFontSizes)
{
    std::string text = "\\fs20 a\\fs4 b";
    EXPECT_TRUE(ScaleFontSizes(text, 1, 3, kMarkupTextLimit));
    EXPECT_EQ(text, "\\fs6 a\\fs2 b");
    EXPECT_FALSE(ScaleFontSizes(text, 2, 2, kMarkupTextLimit));
    EXPECT_FALSE(ScaleFontSizes(text, 0, 2, kMarkupTextLimit));
    std::string big = "\\fs2000000000 a";
    ScaleFontSizes(big, 3, 1, kMarkupTextLimit);   // overflow: MulDiv fails, at least 2
    EXPECT_EQ(big, "\\fs2 a");
}

TEST(MarkupBuilder, RtfWrapperAndAlignment)
{
    EXPECT_EQ(BuildRtfDocument("\\b1 x", false), "{\\rtf1\\ansi\\deff0\\deftab720\\b1 x}");
    EXPECT_EQ(BuildRtfDocument("x", true), "{\\rtf1\\ansi\\deff0\\deftab720x\\par }");
    std::string text = "\\qr a\\vertalb b";
    ASSERT_TRUE(BuildAlignPrefix(text, 0x22, kMarkupTextLimit));
    EXPECT_EQ(text, "\\vertalc \\qc ab");
    EXPECT_TRUE(RemoveAlignmentWords(text, true, false));
    EXPECT_EQ(text, "\\vertalc ab");
    std::string inline_ = "\\f0 Courier New;x";
    bool c = false, fo = false;
    EXPECT_TRUE(RemoveMarkupTokensAll(inline_, c, fo, {Mk::FontWithName}));
    EXPECT_EQ(inline_, "x");
    EXPECT_TRUE(fo);
}

} // namespace

namespace {

TEST(MarkupBuilder, InsertionsFillTheLimitExactly)
{
    // A text may reach its limit; one character more fails and leaves it unchanged.
    struct {
        const char* insert;
        int room;   // limit minus the text's length
        bool ok;
    } cases[] = {{"x", 1, true}, {"x", 0, false}, {"xyz", 3, true}, {"xyz", 2, false}};
    for (const auto& c : cases) {
        std::string text = "a\\b1 b";
        const std::string before = text;
        const int limit = int(text.size()) + c.room;
        const bool ok = std::string(c.insert).size() == 1
                            ? InsertCharAt(text, 1, c.insert[0], limit)
                            : InsertStringAt(text, 1, c.insert, limit, true);
        EXPECT_EQ(ok, c.ok) << c.insert << " room " << c.room;
        EXPECT_LE(text.size(), size_t(limit));
        if (!c.ok) {
            EXPECT_EQ(text, before);
        }
    }
}

TEST(MarkupBuilder, TypingAndDeleting)
{
    const TextFormatRec f = PlainFormat();
    // Typed characters take the format before the codes of the next one;
    // the markup's own characters are escaped.
    std::string text = "a\\b1 b";
    ASSERT_TRUE(InsertCharAt(text, 1, '{', kMarkupTextLimit));
    EXPECT_EQ(text, "a\\{\\b1 b");
    EXPECT_FALSE(InsertCharAt(text, 9, 'x', kMarkupTextLimit));
    EXPECT_FALSE(InsertCharAt(text, 0, 'x', int(text.size())));
    // Deleting a range that changes the format keeps the format after it.
    std::string keep = "ab\\b1 cd\\b0 ef";
    ASSERT_TRUE(DeleteRangeKeepFormat(keep, 1, 3, &f));
    EXPECT_EQ(Visible(keep), "adef");
    RangeFormat r;
    ASSERT_TRUE(GetRangeFormat(keep, 1, 2, &f, r));
    EXPECT_EQ(r.bold, 1);   // "d" stays bold
    ASSERT_TRUE(GetRangeFormat(keep, 0, 1, &f, r));
    EXPECT_EQ(r.bold, 0);
    std::string plain = "abcdef";
    ASSERT_TRUE(DeleteCharRange(plain, 2, 4));
    EXPECT_EQ(plain, "abef");
    EXPECT_FALSE(DeleteCharRange(plain, 3, 9));
}

} // namespace
